// The file calls: module state, the reference-number table and open forks.
#include "FilesInternal.h"
#include "ResourcesInternal.h"

#include <cerrno>
#include <climits>
#include <iostream>

namespace fs = std::filesystem;

namespace Tamber::Files
{
	namespace
	{
		std::vector<std::unique_ptr<Volume>> gVolumes;
		IDAllocator<std::unique_ptr<ForkHandle>> gRefNums;
		uint64_t gForkSerial = 0;

		// Runs a seek on the stream's buffer; the stream's own state bits stay
		// clear whatever an earlier short read left there.
		std::streambuf& Buffer(ForkHandle& fork)
		{
			std::iostream& stream = fork.GetStream();
			stream.clear();
			return *stream.rdbuf();
		}

		int64_t CurrentPosition(ForkHandle& fork)
		{
			return int64_t(Buffer(fork).pubseekoff(0, std::ios::cur));
		}

		// Size of the fork, leaving the position where it was.
		int64_t ForkSize(ForkHandle& fork)
		{
			if (fork.bounded)
				return int64_t(fork.forkLength);
			std::streambuf& buffer = Buffer(fork);
			std::streampos here = buffer.pubseekoff(0, std::ios::cur);
			std::streampos end = buffer.pubseekoff(0, std::ios::end);
			buffer.pubseekpos(here);
			return int64_t(end);
		}

		int32_t ClampToInt32(int64_t v)
		{
			return v > INT32_MAX ? INT32_MAX : int32_t(v);
		}
	}

	void Init()
	{
		Shutdown();
		gVolumes.push_back(std::make_unique<HostVolume>(int16_t(0)));
		int16_t systemRefNum = gRefNums.Alloc();
		if (systemRefNum != 0)
			throw std::logic_error("expecting 0 for system refnum");
	}

	void Shutdown()
	{
		Tamber::Resources::ForgetAllResFiles();
		gRefNums = IDAllocator<std::unique_ptr<ForkHandle>>();
		gVolumes.clear();
	}

	Volume* GetVolume(int16_t vRefNum)
	{
		if (vRefNum < 0 || size_t(vRefNum) >= gVolumes.size())
			return nullptr;
		return gVolumes[size_t(vRefNum)].get();
	}

	HostVolume& GetHostVolume()
	{
		if (gVolumes.empty())
			throw std::logic_error("the file layer is used before Tamber::Files::Init");
		return static_cast<HostVolume&>(*gVolumes[0]);
	}

	IDAllocator<std::unique_ptr<ForkHandle>>& GetRefNumTable()
	{
		return gRefNums;
	}

	int GetNumOpenRefNums()
	{
		return gRefNums.InUse();
	}

	FSSpec HostPathToFSSpec(const fs::path& hostPath)
	{
		return GetHostVolume().MakeSpec(hostPath);
	}

	fs::path FSSpecToHostPath(const FSSpec& spec)
	{
		return GetHostVolume().GetHostPath(spec);
	}

	int32_t GetDirectoryID(const fs::path& hostPath)
	{
		return GetHostVolume().GetDirectoryID(hostPath);
	}

	ForkHandle* FindFork(int16_t refNum, OSErr& err)
	{
		if (!gRefNums.IsAllocated(refNum))
		{
			err = rfNumErr;
			return nullptr;
		}
		ForkHandle* fork = gRefNums[refNum].get();
		err = fork ? noErr : fnOpnErr;
		return fork;
	}

	OSErr OpenForkRefNum(const FSSpec* spec, int forkType, int8_t permission, int16_t* refNum)
	{
		if (refNum)
			*refNum = -1;
		if (!spec || !refNum)
			return paramErr;
		if (gRefNums.InUse() > 32766)
			return tmfoErr;
		Volume* volume = GetVolume(spec->vRefNum);
		if (!volume)
			return nsvErr;

		int16_t id = gRefNums.Alloc();
		std::unique_ptr<ForkHandle> fork;
		OSErr err;
		try
		{
			err = volume->OpenFork(*spec, forkType, permission, fork);
		}
		catch (...)
		{
			gRefNums.Release(id);
			throw;
		}
		if (err != noErr)
		{
			gRefNums.Release(id);
			return err;
		}
		fork->serial = ++gForkSerial;
		gRefNums[id] = std::move(fork);
		*refNum = id;
		return noErr;
	}

	OSErr ErrnoToOSErr(int error)
	{
		switch (error)
		{
			case ENOENT:	return fnfErr;
			case ENOTDIR:	return dirNFErr;
			case ENOSPC:
			case EDQUOT:
			case EFBIG:		return dskFulErr;
			case EACCES:
			case EPERM:		return permErr;
			case EROFS:		return wPrErr;
			case EMFILE:
			case ENFILE:	return tmfoErr;
			default:		return ioErr;
		}
	}
}

using namespace Tamber::Files;

OSErr FSMakeFSSpec(int16_t vRefNum, int32_t dirID, const char* path, FSSpec* spec)
{
	Volume* volume = GetVolume(vRefNum);
	if (!volume)
		return nsvErr;
	if (!spec)
		return paramErr;
	return volume->FSMakeFSSpec(dirID, path, spec);
}

OSErr FSpOpenDF(const FSSpec* spec, int8_t permission, int16_t* refNum)
{
	return OpenForkRefNum(spec, FORK_DATA, permission, refNum);
}

OSErr FSpOpenRF(const FSSpec* spec, int8_t permission, int16_t* refNum)
{
	return OpenForkRefNum(spec, FORK_RESOURCE, permission, refNum);
}

OSErr FSRead(int16_t refNum, int32_t* count, void* buffer)
{
	if (!count || *count < 0)
		return paramErr;
	OSErr err;
	ForkHandle* fork = FindFork(refNum, err);
	if (!fork)
		return err;
	if (!(fork->permission & fsRdPerm))
		return ioErr;
	if (*count > 0 && !buffer)
		return paramErr;

	int64_t wanted = *count;
	int64_t available = wanted;
	if (fork->bounded)
	{
		int64_t position = CurrentPosition(*fork) - int64_t(fork->forkBase);
		available = std::max<int64_t>(0, std::min<int64_t>(wanted, int64_t(fork->forkLength) - position));
	}

	std::streambuf& stream = Buffer(*fork);
	int64_t got = available > 0 ? int64_t(stream.sgetn(static_cast<char*>(buffer), std::streamsize(available))) : 0;
	*count = int32_t(got);
	return got < wanted ? eofErr : noErr;
}

OSErr FSWrite(int16_t refNum, int32_t* count, const void* buffer)
{
	if (!count || *count < 0)
		return paramErr;
	OSErr err;
	ForkHandle* fork = FindFork(refNum, err);
	if (!fork)
		return err;
	if (!(fork->permission & fsWrPerm))
		return wrPermErr;
	if (*count > 0 && !buffer)
		return paramErr;

	// Push every write through to the host at once, so that a full disk or a
	// refused write is reported to this call and not lost at close.
	std::streambuf& stream = Buffer(*fork);
	fork->wroteData = true;
	errno = 0;
	std::streamsize written = stream.sputn(static_cast<const char*>(buffer), *count);
	bool ok = written == *count && stream.pubsync() == 0;
	int hostError = errno;
	*count = int32_t(written);
	if (!ok)
		return hostError ? ErrnoToOSErr(hostError) : OSErr(ioErr);
	return noErr;
}

OSErr GetEOF(int16_t refNum, int32_t* size)
{
	OSErr err;
	ForkHandle* fork = FindFork(refNum, err);
	if (!fork)
		return err;
	int64_t eof = ForkSize(*fork);
	if (eof < 0)
		return ioErr;
	if (size)
		*size = ClampToInt32(eof);
	return noErr;
}

OSErr GetFPos(int16_t refNum, int32_t* position)
{
	OSErr err;
	ForkHandle* fork = FindFork(refNum, err);
	if (!fork)
		return err;
	int64_t here = CurrentPosition(*fork);
	if (here < 0)
		return ioErr;
	if (position)
		*position = ClampToInt32(here - int64_t(fork->forkBase));
	return noErr;
}

OSErr SetFPos(int16_t refNum, int16_t positionMode, int32_t offset)
{
	OSErr err;
	ForkHandle* fork = FindFork(refNum, err);
	if (!fork)
		return err;

	int64_t eof = ForkSize(*fork);
	int64_t here = CurrentPosition(*fork) - int64_t(fork->forkBase);
	int64_t target;
	switch (positionMode)
	{
		case fsAtMark:		target = here; break;
		case fsFromStart:	target = offset; break;
		case fsFromLEOF:	target = eof + offset; break;
		case fsFromMark:	target = here + offset; break;
		default:			return paramErr;
	}
	if (target < 0)
		return posErr;
	err = noErr;
	if (target > eof)		// the mark stops at the end of the file
	{
		target = eof;
		err = eofErr;
	}
	if (Buffer(*fork).pubseekpos(std::streampos(target + int64_t(fork->forkBase))) == std::streampos(-1))
		return ioErr;
	return err;
}

OSErr FSClose(int16_t refNum)
{
	OSErr err;
	ForkHandle* fork = FindFork(refNum, err);
	if (!fork)
		return err;

	err = noErr;
	if (auto* host = dynamic_cast<HostForkHandle*>(fork))
	{
		std::iostream& stream = host->GetStream();
		stream.clear();
		if (fork->wroteData && stream.rdbuf()->pubsync() != 0)
			err = ioErr;
		static_cast<std::fstream&>(stream).close();
		if (stream.fail())
			err = ioErr;
	}
	GetRefNumTable()[refNum].reset();
	GetRefNumTable().Release(refNum);
	return err;
}

OSErr FSpCreate(const FSSpec* spec, OSType, OSType, int16_t)
{
	Volume* volume = spec ? GetVolume(spec->vRefNum) : nullptr;
	if (!volume)
		return spec ? nsvErr : paramErr;
	return volume->FSpCreate(*spec);
}

OSErr FSpDelete(const FSSpec* spec)
{
	Volume* volume = spec ? GetVolume(spec->vRefNum) : nullptr;
	if (!volume)
		return spec ? nsvErr : paramErr;
	return volume->FSpDelete(*spec);
}

OSErr DirCreate(int16_t vRefNum, int32_t parentDirID, const char* name, int32_t* createdDirID)
{
	Volume* volume = GetVolume(vRefNum);
	if (!volume)
		return nsvErr;
	return volume->DirCreate(parentDirID, name, createdDirID);
}
