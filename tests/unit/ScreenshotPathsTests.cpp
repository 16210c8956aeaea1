// Where the screenshot key writes: the pictures folder read from
// user-dirs.dirs the way xdg-user-dirs writes it, the per-user folder when
// that names none, and names from the date and time that never replace a file.
#include "3D/ScreenshotPaths.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

using namespace FilesTestSupport;

namespace
{
	const std::string HOME = "/home/player";

	struct UserDirsCase
	{
		const char* what;
		const char* text;
		const char* expected;
	};

	const UserDirsCase kUserDirsCases[] =
	{
		{ "home-relative", "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n", "/home/player/Pictures" },
		{ "absolute", "XDG_PICTURES_DIR=\"/srv/shots\"\n", "/srv/shots" },
		{ "among the other keys, comments and blanks",
			"# written by xdg-user-dirs-update\n\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
			"  XDG_PICTURES_DIR = \"$HOME/Bilder\"  \nXDG_MUSIC_DIR=\"$HOME/Music\"\n", "/home/player/Bilder" },
		{ "escaped quote and backslash", "XDG_PICTURES_DIR=\"$HOME/My \\\"Best\\\" \\\\Shots\"\n",
			"/home/player/My \"Best\" \\Shots" },
		{ "trailing slash and dot steps", "XDG_PICTURES_DIR=\"$HOME/./Pictures/\"", "/home/player/Pictures" },
		{ "the last definition wins", "XDG_PICTURES_DIR=\"/first\"\nXDG_PICTURES_DIR=\"/second\"\n", "/second" },
		{ "a bad later line leaves the earlier one", "XDG_PICTURES_DIR=\"/first\"\nXDG_PICTURES_DIR=Pictures\n", "/first" },

		{ "empty file", "", "" },
		{ "missing key", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "" },
		{ "commented out", "# XDG_PICTURES_DIR=\"$HOME/Pictures\"\n", "" },
		{ "a longer key", "XDG_PICTURES_DIRS=\"/srv/shots\"\n", "" },
		{ "unquoted", "XDG_PICTURES_DIR=$HOME/Pictures\n", "" },
		{ "relative", "XDG_PICTURES_DIR=\"Pictures\"\n", "" },
		{ "unterminated quote", "XDG_PICTURES_DIR=\"$HOME/Pictures\n", "" },
		{ "$HOME run into a name", "XDG_PICTURES_DIR=\"$HOMEPictures\"\n", "" },
		{ "another variable", "XDG_PICTURES_DIR=\"$XDG_DATA_HOME/shots\"\n", "" },
		{ "switched off: the home folder", "XDG_PICTURES_DIR=\"$HOME/\"\n", "" },
		{ "switched off: the home folder spelled out", "XDG_PICTURES_DIR=\"/home/player\"\n", "" },
		{ "no equals sign", "XDG_PICTURES_DIR \"/srv/shots\"\n", "" },
	};

	TEST(ScreenshotPathsTest, ReadsThePicturesFolderFromUserDirs)
	{
		for (const UserDirsCase& c : kUserDirsCases)
			EXPECT_EQ(ScreenshotPaths_PicturesDir(c.text, HOME), c.expected) << c.what;
	}

	TEST(ScreenshotPathsTest, HomeRelativeNeedsAnAbsoluteHome)
	{
		const char* text = "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n";
		EXPECT_EQ(ScreenshotPaths_PicturesDir(text, ""), "");
		EXPECT_EQ(ScreenshotPaths_PicturesDir(text, "player"), "");
		EXPECT_EQ(ScreenshotPaths_PicturesDir("XDG_PICTURES_DIR=\"/srv/shots\"", ""), "/srv/shots");
	}

	TEST(ScreenshotPathsTest, ConfigFolderIsXdgConfigHomeWhenAbsoluteElseHomeConfig)
	{
		EXPECT_EQ(ScreenshotPaths_ConfigHome("/etc/player", HOME.c_str()), "/etc/player");
		EXPECT_EQ(ScreenshotPaths_ConfigHome("relative/config", HOME.c_str()), "/home/player/.config");
		EXPECT_EQ(ScreenshotPaths_ConfigHome(nullptr, HOME.c_str()), "/home/player/.config");
		EXPECT_EQ(ScreenshotPaths_ConfigHome(nullptr, "player"), "");
	}

	TEST(ScreenshotPathsTest, NamesCarryDateAndTimeWithoutColonsAndCountWithinASecond)
	{
		std::tm when = {};
		when.tm_year = 2026 - 1900;
		when.tm_mon = 11;
		when.tm_mday = 1;
		when.tm_hour = 9;
		when.tm_min = 5;
		when.tm_sec = 7;
		EXPECT_EQ(ScreenshotPaths_FileName(when, 0), "Zappatron 2026-12-01 09-05-07.png");
		EXPECT_EQ(ScreenshotPaths_FileName(when, 1), "Zappatron 2026-12-01 09-05-07 (2).png");
		EXPECT_EQ(ScreenshotPaths_FileName(when, 9), "Zappatron 2026-12-01 09-05-07 (10).png");
	}

	TEST(ScreenshotPathsTest, NoticeShowsTheHomeFolderAsTilde)
	{
		EXPECT_EQ(ScreenshotPaths_ForDisplay("/home/player/Pictures/a.png", HOME), "~/Pictures/a.png");
		EXPECT_EQ(ScreenshotPaths_ForDisplay("/home/player2/a.png", HOME), "/home/player2/a.png");
		EXPECT_EQ(ScreenshotPaths_ForDisplay("/srv/a.png", "/"), "/srv/a.png");
	}

	// The file half with the environment pointed into a temporary home.
	class ScreenshotFolderTest : public FileLayerTest
	{
	protected:
		fs::path home, config, data;
		std::unique_ptr<ScopedEnv> homeEnv, configEnv, dataEnv;

		void SetUp() override
		{
			FileLayerTest::SetUp();
			home = dir / "home";
			config = home / "cfg";
			data = home / "data";
			fs::create_directories(home);
			homeEnv = std::make_unique<ScopedEnv>("HOME", home.c_str());
			configEnv = std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", config.c_str());
			dataEnv = std::make_unique<ScopedEnv>("XDG_DATA_HOME", data.c_str());
		}
		void TearDown() override
		{
			homeEnv.reset();
			configEnv.reset();
			dataEnv.reset();
			FileLayerTest::TearDown();
		}
		fs::path OwnFolder() const { return data / "Zappatron" / SCREENSHOT_PREFS_SUBFOLDER; }
	};

	TEST_F(ScreenshotFolderTest, MakesAZappatronFolderInThePicturesFolder)
	{
		WriteText(config / USER_DIRS_FILE_NAME, "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
		fs::path folder = ScreenshotPaths_FindFolder();
		EXPECT_EQ(folder, home / "Pictures" / SCREENSHOT_PICTURES_SUBFOLDER);
		EXPECT_TRUE(fs::is_directory(folder));
	}

	TEST_F(ScreenshotFolderTest, FallsBackToThePerUserFolder)
	{
		// No user-dirs.dirs at all.
		EXPECT_EQ(ScreenshotPaths_FindFolder(), OwnFolder());
		EXPECT_TRUE(fs::is_directory(OwnFolder()));

		// One that names no pictures folder.
		WriteText(config / USER_DIRS_FILE_NAME, "XDG_MUSIC_DIR=\"$HOME/Music\"\n");
		EXPECT_EQ(ScreenshotPaths_FindFolder(), OwnFolder());

		// One whose pictures folder can't be made (a file is in the way).
		WriteText(home / "Pictures", "not a folder");
		WriteText(config / USER_DIRS_FILE_NAME, "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
		EXPECT_EQ(ScreenshotPaths_FindFolder(), OwnFolder());
	}

	TEST_F(ScreenshotFolderTest, NewFilesNeverReplaceOldOnes)
	{
		fs::path folder = dir / "shots";
		fs::create_directories(folder);
		std::tm when = {};
		when.tm_year = 2026 - 1900;
		when.tm_mday = 3;

		fs::path first = ScreenshotPaths_WriteNew(folder, when, {1, 2, 3});
		fs::path second = ScreenshotPaths_WriteNew(folder, when, {4, 5});
		EXPECT_EQ(first, folder / ScreenshotPaths_FileName(when, 0));
		EXPECT_EQ(second, folder / ScreenshotPaths_FileName(when, 1));
		EXPECT_EQ(ReadAll(first), (std::vector<uint8_t>{1, 2, 3}));
		EXPECT_EQ(ReadAll(second), (std::vector<uint8_t>{4, 5}));

		// Every name of that second taken: nothing is written, nothing replaced.
		for (int attempt = 2; attempt < SCREENSHOT_MAX_NAMES_PER_SECOND; attempt++)
			WriteBytes(folder / ScreenshotPaths_FileName(when, attempt), {9});
		EXPECT_EQ(ScreenshotPaths_WriteNew(folder, when, {7}), fs::path());
		EXPECT_EQ(ReadAll(first), (std::vector<uint8_t>{1, 2, 3}));

		EXPECT_EQ(ScreenshotPaths_WriteNew(dir / "missing", when, {1}), fs::path());
	}
}
