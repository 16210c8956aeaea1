#include "Resources.h"
#include "ResourcesInternal.h"
#include "FilesInternal.h"
#include "DataReaders.h"
#include "Memory.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <memory>
#include <unordered_set>
#include <vector>

using namespace Tamber::Resources;

namespace
{
	struct ResFile
	{
		int16_t refNum;
		uint64_t forkSerial;	// to notice a refNum closed behind our back and handed out again
		ResourceIndex index;
	};

	std::vector<std::unique_ptr<ResFile>> gResFiles;	// in opening order
	int gCurResFile = -1;
	OSErr gResError = noErr;

	// Metadata records of the open files: a handle's link is only followed
	// when it points at one of these.
	std::unordered_set<const ResourceMetadata*> gLiveMetadata;

	int FindResFile(int16_t refNum)
	{
		for (size_t i = 0; i < gResFiles.size(); i++)
			if (gResFiles[i]->refNum == refNum)
				return int(i);
		return -1;
	}

	// The refNum checks shared by UseResFile and CloseResFile.
	void CheckResRefNum(int16_t refNum, const char* caller, const char* systemMessage)
	{
		if (refNum == 0)
			throw std::runtime_error(systemMessage);
		if (refNum < 0)
			throw std::runtime_error(std::string(caller) + ": Illegal refNum");
		OSErr err;
		if (!Tamber::Files::FindFork(refNum, err))
			throw std::runtime_error(std::string(caller) + ": Resource stream not open");
	}

	const ResourceMetadata* FindInFile(const ResFile& file, OSType type, int16_t id)
	{
		auto byType = file.index.find(type);
		if (byType == file.index.end())
			return nullptr;
		auto byID = byType->second.find(id);
		return byID == byType->second.end() ? nullptr : &byID->second;
	}

	// A fresh handle with a copy of the resource's bytes, linked to its metadata.
	Handle ReadResource(const ResFile& file, const ResourceMetadata& meta)
	{
		OSErr err;
		Tamber::Files::ForkHandle* fork = Tamber::Files::FindFork(file.refNum, err);
		if (!fork || fork->serial != file.forkSerial)
		{
			gResError = fork ? OSErr(rfNumErr) : err;
			return nullptr;
		}

		Handle h = NewHandle(int32_t(meta.size));
		std::iostream& stream = fork->GetStream();
		stream.clear();
		std::streambuf& buffer = *stream.rdbuf();
		std::streamsize got = 0;
		if (buffer.pubseekpos(std::streampos(std::streamoff(meta.dataPosition))) != std::streampos(-1))
			got = meta.size ? buffer.sgetn(*h, std::streamsize(meta.size)) : 0;
		if (got != std::streamsize(meta.size))	// the file changed since it was indexed
		{
			DisposeHandle(h);
			gResError = eofErr;
			return nullptr;
		}
		Tamber::GetBlockHeader(*h)->link = const_cast<ResourceMetadata*>(&meta);
		return h;
	}

	const ResourceMetadata* LinkedMetadata(Handle h)
	{
		if (!h || !*h)
			return nullptr;
		return static_cast<const ResourceMetadata*>(Tamber::GetBlockHeader(*h)->link);
	}
}

namespace Tamber::Resources
{
	void ForgetAllResFiles()
	{
		gResFiles.clear();
		gLiveMetadata.clear();
		gCurResFile = -1;
		gResError = noErr;
	}
}

int16_t FSpOpenResFile(const FSSpec* spec, int8_t permission)
{
	int16_t refNum;
	OSErr err = Tamber::Files::OpenForkRefNum(spec, Tamber::Files::FORK_RESOURCE, permission, &refNum);
	if (err != noErr)
	{
		gResError = err;
		return -1;
	}

	Tamber::Files::ForkHandle* fork = Tamber::Files::FindFork(refNum, err);
	auto file = std::make_unique<ResFile>();
	file->refNum = refNum;
	file->forkSerial = fork->serial;
	try
	{
		file->index = ParseResourceFork(fork->GetStream(), fork->forkBase, fork->forkLength, refNum);
	}
	catch (const std::exception& e)
	{
		std::string path = fork->hostPath.string();
		FSClose(refNum);
		bool damaged = dynamic_cast<const Tamber::MalformedData*>(&e) || dynamic_cast<const std::out_of_range*>(&e);
		if (!damaged)
			throw;
		std::cerr << "FSpOpenResFile: " << path << ": " << e.what() << "\n";
		gResError = mapReadErr;
		return -1;
	}

	for (auto& [type, byID] : file->index)
		for (auto& [id, meta] : byID)
			gLiveMetadata.insert(&meta);
	gResFiles.push_back(std::move(file));
	gCurResFile = int(gResFiles.size()) - 1;
	gResError = noErr;
	return refNum;
}

void UseResFile(int16_t refNum)
{
	CheckResRefNum(refNum, "UseResFile", "UseResFile: Using the System file's resource fork is not implemented.");
	int index = FindResFile(refNum);
	if (index < 0)
	{
		std::cerr << "no RF open with refNum " << refNum << "\n";
		gResError = rfNumErr;
		return;
	}
	gCurResFile = index;
	gResError = noErr;
}

void CloseResFile(int16_t refNum)
{
	CheckResRefNum(refNum, "CloseResFile", "CloseResFile: Closing the System file's resource fork is not implemented.");
	int index = FindResFile(refNum);
	if (index < 0)
	{
		std::cerr << "no RF open with refNum " << refNum << "\n";
		gResError = rfNumErr;
		return;
	}

	for (auto& [type, byID] : gResFiles[size_t(index)]->index)
		for (auto& [id, meta] : byID)
			gLiveMetadata.erase(&meta);
	gResFiles.erase(gResFiles.begin() + index);
	FSClose(refNum);

	// Files after the closed one move down a place; the current file must stay
	// the same file when it was one of them.
	if (index < gCurResFile)
		gCurResFile--;
	else
		gCurResFile = std::min(gCurResFile, int(gResFiles.size()) - 1);
	gResError = noErr;
}

int16_t CurResFile()
{
	if (gCurResFile < 0 || size_t(gCurResFile) >= gResFiles.size())
		return 0;
	return gResFiles[size_t(gCurResFile)]->refNum;
}

Handle GetResource(OSType type, int16_t id)
{
	gResError = noErr;
	for (int i = gCurResFile; i >= 0; i--)
		if (const ResourceMetadata* meta = FindInFile(*gResFiles[size_t(i)], type, id))
			return ReadResource(*gResFiles[size_t(i)], *meta);
	gResError = resNotFound;
	return nullptr;
}

Handle GetNamedResource(OSType type, const char* name)
{
	gResError = noErr;
	for (int i = gCurResFile; name && i >= 0; i--)
	{
		auto byType = gResFiles[size_t(i)]->index.find(type);
		if (byType == gResFiles[size_t(i)]->index.end())
			continue;
		for (auto& [id, meta] : byType->second)
			if (meta.name == name)
				return ReadResource(*gResFiles[size_t(i)], meta);
	}
	gResError = resNotFound;
	return nullptr;
}

Handle Get1Resource(OSType type, int16_t id)
{
	gResError = noErr;
	if (gCurResFile >= 0)
		if (const ResourceMetadata* meta = FindInFile(*gResFiles[size_t(gCurResFile)], type, id))
			return ReadResource(*gResFiles[size_t(gCurResFile)], *meta);
	gResError = resNotFound;
	return nullptr;
}

int16_t Count1Resources(OSType type)
{
	gResError = noErr;
	if (gCurResFile < 0)
		return 0;
	const ResourceIndex& index = gResFiles[size_t(gCurResFile)]->index;
	auto byType = index.find(type);
	return byType == index.end() ? 0 : int16_t(std::min<size_t>(byType->second.size(), INT16_MAX));
}

void GetResInfo(Handle resource, int16_t* id, OSType* type, char* name)
{
	const ResourceMetadata* meta = LinkedMetadata(resource);
	if (!meta || !gLiveMetadata.count(meta))
	{
		gResError = resNotFound;
		return;
	}
	gResError = noErr;
	if (id)
		*id = meta->id;
	if (type)
		*type = meta->type;
	if (name)
	{
		size_t n = std::min<size_t>(meta->name.size(), 255);
		std::memcpy(name, meta->name.data(), n);
		name[n] = '\0';
	}
}

void DetachResource(Handle resource)
{
	gResError = noErr;
	if (!LinkedMetadata(resource))
	{
		gResError = resNotFound;
		return;
	}
	Tamber::GetBlockHeader(*resource)->link = nullptr;
}

void ReleaseResource(Handle resource)
{
	DisposeHandle(resource);
}

OSErr ResError()
{
	return gResError;
}
