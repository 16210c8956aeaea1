// Files and volumes: the older platform's file model (volume number, parent
// directory ID, colon-separated relative paths, numbered file references and
// 16-bit error codes) over the host's folders.
//
// There is one volume, the host volume (number 0). Its directory IDs are
// handed out on demand for host folders and never reused. Names match without
// regard to ASCII case, and a file that exists only as its ".rsrc" sidecar
// (its resource fork) is found under its plain name.
#pragma once

#include "PlatformTypes.h"

#include <cstdint>
#include <filesystem>

// FSSpec: names a file or folder; a value type, copied freely.
struct FSSpec
{
	int16_t vRefNum;	// index into the volume list (the host volume is 0)
	int32_t parID;		// directory ID of the folder that holds the item
	char name[256];		// NUL-terminated UTF-8, at most 255 bytes
};

// Open permissions.
enum : int8_t
{
	fsCurPerm = 0,		// refused: the host has no "current" permission
	fsRdPerm = 1,
	fsWrPerm = 2,		// write only; empties an existing file
	fsRdWrPerm = 3,		// keeps existing content, writes over it from the start
};

// Position modes of SetFPos.
enum : int16_t
{
	fsAtMark = 0,
	fsFromStart = 1,
	fsFromLEOF = 2,
	fsFromMark = 3,
};

// FindFolder arguments.
constexpr int16_t kOnSystemDisk = -32768;
constexpr OSType kPreferencesFolderType = 0x70726566;	// 'pref'

// Name resolution. Returns noErr when the item exists and fnfErr when the last
// component does not (the FSSpec is filled in either way, so it can be created).
OSErr FSMakeFSSpec(int16_t vRefNum, int32_t dirID, const char* path, FSSpec* spec);

// Open a fork into a file reference number (refNum = -1 on failure).
OSErr FSpOpenDF(const FSSpec* spec, int8_t permission, int16_t* refNum);
OSErr FSpOpenRF(const FSSpec* spec, int8_t permission, int16_t* refNum);	// read only

// Reads up to *count bytes; *count becomes the bytes read; eofErr when the end was reached.
OSErr FSRead(int16_t refNum, int32_t* count, void* buffer);
// Writes *count bytes; a host failure is reported (ioErr, dskFulErr) with *count = bytes written.
OSErr FSWrite(int16_t refNum, int32_t* count, const void* buffer);
OSErr GetEOF(int16_t refNum, int32_t* size);
OSErr GetFPos(int16_t refNum, int32_t* position);
OSErr SetFPos(int16_t refNum, int16_t positionMode, int32_t offset);
// Closes the fork; reports a failed flush of written data as ioErr (the number is released anyway).
OSErr FSClose(int16_t refNum);

// Creates or empties the file; creator, type and script are not kept by the host.
OSErr FSpCreate(const FSSpec* spec, OSType creator, OSType fileType, int16_t scriptTag);
OSErr FSpDelete(const FSSpec* spec);
OSErr DirCreate(int16_t vRefNum, int32_t parentDirID, const char* name, int32_t* createdDirID);

// The per-user preferences folder (on Linux $XDG_DATA_HOME, else ~/.local/share).
OSErr FindFolder(int16_t vRefNum, OSType folderType, bool createFolder, int16_t* foundVRefNum, int32_t* foundDirID);

// Finds the target of an alias record (version 2) by its file name, in the
// folder of the file that holds the alias.
OSErr ResolveAlias(const FSSpec* fromFile, Handle alias, FSSpec* target, bool* wasChanged);

namespace Tamber::Files
{
	// Platform start-up: registers the host volume as volume 0 (its directory 0
	// is the current directory) and reserves file reference number 0 for the
	// system file. Call once at boot, before any other call here.
	void Init();

	// Closes every open file and forgets the volumes (tests start afresh with Init).
	void Shutdown();

	// A host path as an FSSpec on the host volume.
	FSSpec HostPathToFSSpec(const std::filesystem::path& hostPath);

	// The host path an FSSpec names (its folder's path plus its name).
	std::filesystem::path FSSpecToHostPath(const FSSpec& spec);

	// The ID of a host folder on the host volume, registering it when new.
	int32_t GetDirectoryID(const std::filesystem::path& hostPath);

	// Number of file reference numbers in use (the system's number 0 included).
	int GetNumOpenRefNums();
}
