// Process start-up and the top-level run.
#pragma once

#include "Files.h"

#include <filesystem>
#include <string>

extern bool gSkipFluff;
extern std::filesystem::path gDataFolderPath;	// host path of the Data folder
// The Data folder's "Skeletons" folder: its vRefNum and parID anchor every
// data path, e.g. ":Terrain:EarthFarm.ter".
extern FSSpec gDataFolderSpec;

// Runs the whole program: boot, the game, shutdown. Returns the exit code.
int RunProgram(int argc, char** argv);

void Boot(int argc, char** argv);
void ParseCommandLine(int argc, char** argv);

// Finds the Data folder beside the executable or in the working directory
// (exeDir may be empty). Throws "Couldn't find the Data folder." when neither
// holds the marker file.
std::filesystem::path LocateDataFolder(const std::filesystem::path& exeDir);
