// The per-user preferences folder and alias records.
#include "FilesInternal.h"
#include "DataReaders.h"
#include "Memory.h"

#include <cstdlib>
#include <iostream>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	// $XDG_DATA_HOME when it is an absolute path (the XDG rule ignores
	// relative ones), else the home folder's ".local/share".
	bool GetUserDataFolder(fs::path& folder)
	{
		const char* xdg = std::getenv("XDG_DATA_HOME");
		if (xdg && *xdg && fs::path(xdg).is_absolute())
		{
			folder = fs::path(xdg).lexically_normal();
			return true;
		}

		std::string home;
		const char* env = std::getenv("HOME");
		if (env && *env)
			home = env;
		else
		{
			struct passwd pw, *result = nullptr;
			char buffer[4096];
			if (getpwuid_r(getuid(), &pw, buffer, sizeof(buffer), &result) == 0 && result && result->pw_dir)
				home = result->pw_dir;
		}
		if (home.empty())
			return false;
		folder = (fs::path(home) / ".local" / "share").lexically_normal();
		return true;
	}
}

OSErr FindFolder(int16_t vRefNum, OSType folderType, bool createFolder, int16_t* foundVRefNum, int32_t* foundDirID)
{
	if (vRefNum != kOnSystemDisk)
		throw std::runtime_error("FindFolder only supports kOnSystemDisk");
	if (folderType != kPreferencesFolderType)
		return fnfErr;

	fs::path folder;
	if (!GetUserDataFolder(folder))
	{
		std::cerr << "FindFolder: no home folder for this user\n";
		return fnfErr;
	}

	std::error_code ec;
	fs::file_status status = fs::status(folder, ec);
	if (fs::exists(status) && !fs::is_directory(status))
		return dupFNErr;
	if (!fs::exists(status) && createFolder)
	{
		// A folder we may not create is reported, not thrown: the game warns
		// and carries on without saving rather than ending.
		fs::create_directories(folder, ec);
		if (ec)
		{
			std::cerr << "FindFolder: create_directories " << folder.string() << ": " << ec.message() << "\n";
			return Tamber::Files::ErrnoToOSErr(ec.value());
		}
	}

	int32_t dirID = Tamber::Files::GetDirectoryID(folder);
	if (foundVRefNum)
		*foundVRefNum = 0;
	if (foundDirID)
		*foundDirID = dirID;
	return noErr;
}

OSErr ResolveAlias(const FSSpec* fromFile, Handle alias, FSSpec* target, bool* wasChanged)
{
	constexpr int32_t MIN_ALIAS_SIZE = 114;
	constexpr size_t FILE_NAME_FIELD = 63;

	if (wasChanged)
		*wasChanged = false;
	if (!fromFile || !target)
		return paramErr;

	int32_t size = (alias && *alias) ? GetHandleSize(alias) : 0;
	if (size < MIN_ALIAS_SIZE)
	{
		std::cerr << "unexpected size of alias: " << size << "\n";
		return unimpErr;
	}

	memstream in(*alias, size_t(size));
	in.ignore(4);	// user type
	if (ReadBEU16(in) != size)
	{
		std::cerr << "unexpected size field in alias\n";
		return unimpErr;
	}
	if (ReadBEU16(in) != 2)
	{
		std::cerr << "unexpected alias version number\n";
		return unimpErr;
	}
	uint16_t kind = ReadBEU16(in);
	if (kind >= 3)
	{
		std::cerr << "unsupported alias kind " << kind << "\n";
		return unimpErr;
	}
	in.ignore(28 + 4 + 2 + 2 + 4);	// volume name, creation date, signature, drive type, parent ID
	std::string fileName = ReadFixedPascalString(in, FILE_NAME_FIELD);

	// The name comes from a data file: it must name one file beside the alias's
	// own file, never a path (':' would split it, "::" or ".." would climb).
	if (!Tamber::Files::IsPlainFileName(fileName) || fileName.find(':') != std::string::npos)
	{
		std::cerr << "ResolveAlias: unusable file name in alias\n";
		return bdNamErr;
	}

	return FSMakeFSSpec(fromFile->vRefNum, fromFile->parID, (":" + fileName).c_str(), target);
}
