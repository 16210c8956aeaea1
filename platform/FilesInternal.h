// The platform's side of the file layer: volumes, open forks and the table of
// file reference numbers that the resource layer shares.
#pragma once

#include "Files.h"
#include "FilesIDAllocator.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Tamber::Files
{
	enum : int { FORK_DATA = 0, FORK_RESOURCE = 1 };

	// The open fork behind a refNum.
	class ForkHandle
	{
	public:
		virtual ~ForkHandle() = default;
		virtual std::iostream& GetStream() = 0;

		int forkType = FORK_DATA;
		int8_t permission = 0;
		FSSpec spec{};
		std::filesystem::path hostPath;		// the host file really opened (the sidecar for a resource fork)
		uint64_t forkBase = 0;				// where the fork starts in the host file
		uint64_t forkLength = 0;			// resource forks only: the fork's size
		bool bounded = false;				// true when forkLength limits reads (resource forks)
		bool wroteData = false;				// something was written: close must flush it
		uint64_t serial = 0;				// unique per open, unlike refNums and addresses
	};

	class HostForkHandle : public ForkHandle
	{
	public:
		HostForkHandle(const std::filesystem::path& path, int8_t permission);
		std::iostream& GetStream() override { return mStream; }
		bool IsOpen() const { return mStream.is_open(); }

	private:
		std::fstream mStream;
	};

	class Volume
	{
	public:
		virtual ~Volume() = default;
		virtual OSErr FSMakeFSSpec(int32_t dirID, const char* path, FSSpec* spec) = 0;
		virtual OSErr OpenFork(const FSSpec& spec, int forkType, int8_t permission, std::unique_ptr<ForkHandle>& fork) = 0;
		virtual OSErr FSpCreate(const FSSpec& spec) = 0;
		virtual OSErr FSpDelete(const FSSpec& spec) = 0;
		virtual OSErr DirCreate(int32_t parentDirID, const char* name, int32_t* createdDirID) = 0;
	};

	class HostVolume : public Volume
	{
	public:
		explicit HostVolume(int16_t vRefNum);

		OSErr FSMakeFSSpec(int32_t dirID, const char* path, FSSpec* spec) override;
		OSErr OpenFork(const FSSpec& spec, int forkType, int8_t permission, std::unique_ptr<ForkHandle>& fork) override;
		OSErr FSpCreate(const FSSpec& spec) override;
		OSErr FSpDelete(const FSSpec& spec) override;
		OSErr DirCreate(int32_t parentDirID, const char* name, int32_t* createdDirID) override;

		int32_t GetDirectoryID(const std::filesystem::path& hostPath);
		const std::filesystem::path& GetDirectoryPath(int32_t dirID) const;	// throws for an unknown ID
		std::filesystem::path GetHostPath(const FSSpec& spec) const;
		FSSpec MakeSpec(const std::filesystem::path& hostPath);
		int16_t GetVRefNum() const { return mVRefNum; }

	private:
		int16_t mVRefNum;
		std::vector<std::filesystem::path> mDirectories;		// index = directory ID
		std::unordered_map<std::string, int32_t> mDirectoryIndex;
	};

	// Finds one name in a folder: exact first, then without regard to ASCII
	// case (a ".rsrc" sidecar standing for its file). `found` is false when
	// nothing matches; the path is then the folder plus the name as written.
	std::filesystem::path LookUpComponent(const std::filesystem::path& dir, const std::string& component, bool isFolder, bool& found);

	// True for a name that is safe to append to a folder path: not empty, not
	// "." or "..", and free of '/' and NUL.
	bool IsPlainFileName(const std::string& name);

	// Copies a UTF-8 name into a 256-byte field, cutting it at a character
	// boundary at 255 bytes.
	void SetSpecName(FSSpec& spec, const std::string& name);

	// Module state.
	Volume* GetVolume(int16_t vRefNum);		// null when there is no such volume
	HostVolume& GetHostVolume();			// throws before Init
	IDAllocator<std::unique_ptr<ForkHandle>>& GetRefNumTable();

	// The fork open under refNum, or null; `err` tells why (rfNumErr, fnOpnErr).
	ForkHandle* FindFork(int16_t refNum, OSErr& err);

	// Opens a fork into a fresh refNum (the shared part of FSpOpenDF, FSpOpenRF
	// and the resource layer's open).
	OSErr OpenForkRefNum(const FSSpec* spec, int forkType, int8_t permission, int16_t* refNum);

	// Maps a host errno to the nearest error code.
	OSErr ErrnoToOSErr(int error);
}
