// Where the screenshot key's pictures go and what they are called. A player
// looks for pictures in the desktop's pictures folder, the one the XDG user
// dirs name ($XDG_PICTURES_DIR in ${XDG_CONFIG_HOME:-~/.config}/user-dirs.dirs),
// so shots go into a Zappatron folder there; without one they go into the
// game's own per-user folder. Every shot is named for the local date and time
// and never replaces an earlier file. The rules here are plain string work;
// ScreenshotPathsFile.cpp reads the environment and the disk.
#pragma once

#include <ctime>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

constexpr char SCREENSHOT_PICTURES_SUBFOLDER[] = "Zappatron";		// inside the pictures folder
constexpr char SCREENSHOT_PREFS_SUBFOLDER[] = "Screenshots";		// inside the per-user folder
constexpr char USER_DIRS_FILE_NAME[] = "user-dirs.dirs";
constexpr char USER_DIRS_PICTURES_KEY[] = "XDG_PICTURES_DIR";
// Names tried for shots taken within one second before giving up.
constexpr int SCREENSHOT_MAX_NAMES_PER_SECOND = 100;

// The folder holding user-dirs.dirs: $XDG_CONFIG_HOME when it is absolute
// (the XDG rule ignores relative ones), else home/.config; "" when neither.
std::string ScreenshotPaths_ConfigHome(const char* xdgConfigHome, const char* home);

// The pictures folder a user-dirs.dirs text names, read the way xdg-user-dirs
// writes it: KEY="$HOME/sub" or KEY="/absolute", '#' comments, the last
// definition winning, backslash escapes inside the quotes. "" when the key is
// missing or its value is unquoted, relative, unterminated or the home folder
// itself (xdg-user-dirs' way of switching a folder off).
std::string ScreenshotPaths_PicturesDir(const std::string& userDirsText, const std::string& home);

// The file name of a shot taken at local time `when`; attempt 0 is the plain
// name, later attempts add " (2)", " (3)" … for shots within the same second.
std::string ScreenshotPaths_FileName(const std::tm& when, int attempt);

// A path as the on-screen notice shows it: the home folder as "~".
std::string ScreenshotPaths_ForDisplay(const std::string& path, const std::string& home);

//
// The file half
//

// The folder shots go into, created when missing: <pictures>/Zappatron, else
// <per-user folder>/Screenshots. Empty when neither can be made.
std::filesystem::path ScreenshotPaths_FindFolder();

// Writes `bytes` as a new file in `folder` named for `when`, never replacing
// a file. The path written, or empty on failure.
std::filesystem::path ScreenshotPaths_WriteNew(const std::filesystem::path& folder, const std::tm& when,
		const std::vector<uint8_t>& bytes);
