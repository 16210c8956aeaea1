// The screenshot folder from the environment and the disk, and new files
// that never replace old ones.
#include "3D/ScreenshotPaths.h"
#include "System/PrefsFolder.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	bool MakeFolder(const fs::path& folder)
	{
		std::error_code ec;
		fs::create_directories(folder, ec);
		return fs::is_directory(folder, ec);
	}

	fs::path PicturesSubfolder()
	{
		const char* homeVariable = std::getenv("HOME");
		std::string home = homeVariable ? homeVariable : "";
		std::string config = ScreenshotPaths_ConfigHome(std::getenv("XDG_CONFIG_HOME"), homeVariable);
		if (config.empty())
			return {};
		std::ifstream in(fs::path(config) / USER_DIRS_FILE_NAME);
		if (!in)
			return {};
		std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
		std::string pictures = ScreenshotPaths_PicturesDir(text, home);
		if (pictures.empty())
			return {};
		return fs::path(pictures) / SCREENSHOT_PICTURES_SUBFOLDER;
	}

	bool WriteAll(int fd, const std::vector<uint8_t>& bytes)
	{
		size_t done = 0;
		while (done < bytes.size())
		{
			ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
			if (n < 0 && errno == EINTR)
				continue;
			if (n <= 0)
				return false;
			done += size_t(n);
		}
		return true;
	}
}

fs::path ScreenshotPaths_FindFolder()
{
	fs::path pictures = PicturesSubfolder();
	if (!pictures.empty() && MakeFolder(pictures))
		return pictures;

	// The game's own per-user folder, found (and made) the way preferences are.
	FSSpec spec;
	if (!MakePrefsFolderSpec(SCREENSHOT_PREFS_SUBFOLDER, &spec))
		return {};
	fs::path own = Tamber::Files::FSSpecToHostPath(spec);
	return MakeFolder(own) ? own : fs::path();
}

fs::path ScreenshotPaths_WriteNew(const fs::path& folder, const std::tm& when, const std::vector<uint8_t>& bytes)
{
	for (int attempt = 0; attempt < SCREENSHOT_MAX_NAMES_PER_SECOND; attempt++)
	{
		fs::path path = folder / ScreenshotPaths_FileName(when, attempt);
		// O_EXCL: an existing file, even one made a moment ago, is never opened.
		int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
		if (fd < 0 && errno == EEXIST)
			continue;
		if (fd < 0)
			return {};
		bool written = WriteAll(fd, bytes);
		if (close(fd) != 0)
			written = false;
		if (!written)
		{
			unlink(path.c_str());
			return {};
		}
		return path;
	}
	return {};
}
