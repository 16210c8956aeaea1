#include "AtomicWrite.h"
#include "FilesInternal.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace Tamber::Files
{
	int64_t gAtomicWriteFailAfterBytes = -1;

	namespace
	{
		constexpr size_t MAX_TEMP_STEM = 200;	// leaves room for the prefix and suffix within NAME_MAX
		constexpr char TEMP_PATTERN[] = "XXXXXX";	// mkstemp's unique part
		constexpr size_t TEMP_UNIQUE = sizeof(TEMP_PATTERN) - 1;

		// Writes everything or returns the errno that stopped it.
		int WriteAll(int fd, const uint8_t* data, size_t size)
		{
			size_t done = 0;
			while (done < size)
			{
				size_t chunk = size - done;
				if (gAtomicWriteFailAfterBytes >= 0)
				{
					size_t budget = size_t(gAtomicWriteFailAfterBytes);
					if (done >= budget)
						return ENOSPC;
					chunk = std::min(chunk, budget - done);
				}
				ssize_t n = ::write(fd, data + done, chunk);
				if (n < 0)
				{
					if (errno == EINTR)
						continue;
					return errno;
				}
				if (n == 0)
					return EIO;
				done += size_t(n);
			}
			return 0;
		}

		mode_t NewFileMode(const fs::path& target)
		{
			struct stat st;
			if (::stat(target.c_str(), &st) == 0)
				return st.st_mode & 07777;
			mode_t mask = ::umask(0);
			::umask(mask);
			return 0666 & ~mask;
		}

		OSErr Fail(const fs::path& path, const char* step, int error)
		{
			std::cerr << "WriteFileAtomically: " << step << " " << path.string() << ": " << std::strerror(error) << "\n";
			if (error == ENOENT)
				return dirNFErr;	// the folder is missing
			return ErrnoToOSErr(error);
		}
	}

	OSErr WriteHostFileAtomically(const fs::path& path, const void* data, size_t size)
	{
		if (size > 0 && !data)
			return paramErr;
		fs::path folder = path.parent_path();
		if (folder.empty())
			folder = ".";

		std::string stem = path.filename().string().substr(0, MAX_TEMP_STEM);
		std::string temp = (folder / ("." + stem + "." + TEMP_PATTERN)).string();
		int fd = ::mkstemp(temp.data());
		if (fd < 0)
			return Fail(path, "create temporary file for", errno);

		int error = 0;
		const char* step = "";
		if (::fchmod(fd, NewFileMode(path)) != 0)
			error = errno, step = "set mode of";
		if (!error && (error = WriteAll(fd, static_cast<const uint8_t*>(data), size)) != 0)
			step = "write";
		if (!error && ::fsync(fd) != 0)
			error = errno, step = "flush";
		if (::close(fd) != 0 && !error)
			error = errno, step = "close";
		if (!error && ::rename(temp.c_str(), path.c_str()) != 0)
			error = errno, step = "replace";
		if (error)
		{
			::unlink(temp.c_str());
			return Fail(path, step, error);
		}

		// Make the rename itself durable. Some file systems can't sync a folder
		// (EINVAL); the new file is in place either way, so only a real I/O
		// error is reported.
		int dirFD = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
		if (dirFD >= 0)
		{
			int syncError = ::fsync(dirFD) == 0 ? 0 : errno;
			::close(dirFD);
			if (syncError == EIO)
				return Fail(folder, "flush folder", syncError);
		}
		return noErr;
	}
}

namespace Tamber::Files
{
	bool IsAtomicWriteTemporaryName(const std::string& name)
	{
		// "." stem "." unique, with a stem of at least one character.
		if (name.size() < 3 + TEMP_UNIQUE || name[0] != '.' || name[name.size() - TEMP_UNIQUE - 1] != '.')
			return false;
		for (size_t i = name.size() - TEMP_UNIQUE; i < name.size(); i++)
			if (!std::isalnum(static_cast<unsigned char>(name[i])))
				return false;
		return true;
	}

	int RemoveStaleTemporaryFiles(const fs::path& folder)
	{
		int removed = 0;
		std::error_code ec;
		for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
		{
			if (!entry.is_regular_file(ec) || !IsAtomicWriteTemporaryName(entry.path().filename().string()))
				continue;
			if (fs::remove(entry.path(), ec))
				removed++;
		}
		return removed;
	}
}

OSErr WriteFileAtomically(const FSSpec& spec, const void* data, size_t size)
{
	if (!Tamber::Files::GetVolume(spec.vRefNum))
		return nsvErr;
	std::string name(spec.name, strnlen(spec.name, sizeof(spec.name)));
	if (!Tamber::Files::IsPlainFileName(name))
		return bdNamErr;
	fs::path path;
	try
	{
		path = Tamber::Files::FSSpecToHostPath(spec);
	}
	catch (const std::runtime_error&)		// a directory ID that was never handed out
	{
		return dirNFErr;
	}
	return Tamber::Files::WriteHostFileAtomically(path, data, size);
}
