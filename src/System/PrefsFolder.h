// Small files in the game's own folder inside the user's preferences folder
// (preferences, saved games, high scores).
#pragma once

#include "Files.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr char GAME_PREFS_FOLDER_NAME[] = "Zappatron";

// The FSSpec of ":Zappatron:<fileName>" in the preferences folder; the
// game's folder is created first when missing. When the preferences folder
// can't be found, shows "Warning: Cannot locate the Preferences folder." and
// returns false.
bool MakePrefsFolderSpec(const char* fileName, FSSpec* spec);

// Reads a whole file. At most maxSize + 1 bytes are read, so a file that is
// too long shows up as such without being read whole.
OSErr ReadPrefsFolderFile(const char* fileName, std::vector<uint8_t>* bytes, size_t maxSize);

// Replaces the file with `data` through the crash-safe writer: on failure the
// previous file is left as it was.
OSErr WritePrefsFolderFile(const char* fileName, const void* data, size_t size);

// A damaged file is kept for the player rather than deleted: it is renamed to
// "<fileName>.damaged-<YYYYMMDD-HHMMSS>" (a "-2", "-3" ... follows when that
// name is taken) beside where it was. Returns the new name, or "" when it
// could not be renamed (it is then left where it is).
std::string SetAsidePrefsFolderFile(const char* fileName);
// The words an alert uses for the outcome of SetAsidePrefsFolderFile:
// "it was kept as \"HighScores2.damaged-20250101-120000\"." or why not.
std::string DescribeSetAside(const std::string& newName);

// At start-up: deletes the temporary files a crash-safe write leaves behind
// when the game is killed in the middle of it (they never replaced anything).
// Returns how many were removed.
int RemoveStalePrefsFolderTemporaries();
