#include "System/PrefsFolder.h"
#include "System/Error.h"
#include "AtomicWrite.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <system_error>

bool MakePrefsFolderSpec(const char* fileName, FSSpec* spec)
{
	int16_t vRefNum = 0;
	int32_t dirID = 0;
	if (FindFolder(kOnSystemDisk, kPreferencesFolderType, true, &vRefNum, &dirID) != noErr)
	{
		ShowAlert("Warning: Cannot locate the Preferences folder.");
		return false;
	}

	// An existing folder is fine; a file in the way shows up when the file is used.
	int32_t createdID = 0;
	DirCreate(vRefNum, dirID, GAME_PREFS_FOLDER_NAME, &createdID);

	std::string path = std::string(":") + GAME_PREFS_FOLDER_NAME + ":" + fileName;
	OSErr err = FSMakeFSSpec(vRefNum, dirID, path.c_str(), spec);
	return err == noErr || err == fnfErr;
}

OSErr ReadPrefsFolderFile(const char* fileName, std::vector<uint8_t>* bytes, size_t maxSize)
{
	bytes->clear();
	FSSpec spec;
	if (!MakePrefsFolderSpec(fileName, &spec))
		return fnfErr;

	int16_t refNum = -1;
	OSErr err = FSpOpenDF(&spec, fsRdPerm, &refNum);
	if (err != noErr)
		return err;

	int32_t eof = 0;
	err = GetEOF(refNum, &eof);
	if (err == noErr)
	{
		size_t wanted = std::min(size_t(std::max(eof, int32_t(0))), maxSize + 1);
		bytes->resize(wanted);
		int32_t count = int32_t(wanted);
		err = FSRead(refNum, &count, bytes->data());
		bytes->resize(size_t(std::max(count, int32_t(0))));
		if (err == eofErr)
			err = noErr;	// a short file shows up in its size
	}
	FSClose(refNum);
	return err;
}

OSErr WritePrefsFolderFile(const char* fileName, const void* data, size_t size)
{
	FSSpec spec;
	if (!MakePrefsFolderSpec(fileName, &spec))
		return fnfErr;
	return WriteFileAtomically(spec, data, size);
}

std::string SetAsidePrefsFolderFile(const char* fileName)
{
	FSSpec spec;
	if (!MakePrefsFolderSpec(fileName, &spec))
		return "";
	const std::filesystem::path path = Tamber::Files::FSSpecToHostPath(spec);

	char stamp[32];
	std::time_t now = std::time(nullptr);
	std::tm local;
	if (!localtime_r(&now, &local) || !std::strftime(stamp, sizeof(stamp), "%Y%m%d-%H%M%S", &local))
		snprintf(stamp, sizeof(stamp), "%lld", (long long)now);

	const std::string base = std::string(fileName) + ".damaged-" + stamp;
	for (int n = 1; n < 100; n++)
	{
		std::string name = n == 1 ? base : base + "-" + std::to_string(n);
		std::filesystem::path target = path.parent_path() / name;
		std::error_code ec;
		if (std::filesystem::exists(target, ec))
			continue;
		std::filesystem::rename(path, target, ec);
		return ec ? "" : name;
	}
	return "";
}

std::string DescribeSetAside(const std::string& newName)
{
	if (newName.empty())
		return "it could not be renamed and stays where it is.";
	return "it was kept as \"" + newName + "\".";
}

int RemoveStalePrefsFolderTemporaries()
{
	FSSpec spec;
	if (!MakePrefsFolderSpec("x", &spec))
		return 0;
	return Tamber::Files::RemoveStaleTemporaryFiles(Tamber::Files::FSSpecToHostPath(spec).parent_path());
}
