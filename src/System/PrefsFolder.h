// Small files in the game's own folder inside the user's preferences folder
// (preferences, saved games, high scores).
#pragma once

#include "Files.h"

#include <cstddef>
#include <cstdint>
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
