// Process start-up and the top-level run.
#pragma once

#include "Files.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace CLI { class App; }

extern bool gSkipFluff;

// How a run goes when it is not a person who started it (the test and
// benchmark switches set this at boot, before RunGame); a person's run keeps
// the defaults.
struct GameRunOptions
{
	int startLevel = -1;		// ≥ 0: straight into this level, no start-up notice, menus, intros or tallies
	bool hasSeed = false;		// else the random numbers are seeded from the clock
	uint32_t seed = 0;
	int32_t newGameScore = 0;	// points a new game (not a loaded one) starts with
	float endLevelAfter = 0;	// seconds of play after which a level ends as if its exit was reached; 0: never
	bool flyOver = false;		// the camera tours each level instead of following the robot; no infobar
};
extern GameRunOptions gRunOptions;
extern std::filesystem::path gDataFolderPath;	// host path of the Data folder
// The Data folder's "Skeletons" folder: its vRefNum and parID anchor every
// data path, e.g. ":Terrain:EarthFarm.ter".
extern FSSpec gDataFolderSpec;

// Where whatever drives or measures the game from the command line (the
// test and benchmark switches) plugs in, before RunProgram. The game calls
// these at the points named and knows nothing else of it; any may be null.
struct BootHooks
{
	// Adds its own switches to the command line (System/CommandLine.h), in
	// SWITCH_GROUP_TESTING; --help lists them after the game's.
	void (*addSwitches)(CLI::App* app) = nullptr;
	// Once every switch was read: false, with a one-line message, when they
	// can't go together (the program then exits with EXIT_BAD_COMMAND_LINE).
	bool (*checkSwitches)(std::string* error) = nullptr;
	// At boot, after the preferences load, before the window: sets the run
	// up from its switches (gRunOptions, gLogicOnly, the preferences, input
	// sources, a frame watcher). False, with a message (a recording that
	// can't be read), stops the run with a fatal alert.
	bool (*start)(std::string* error) = nullptr;
	// The game is loaded and seeded and has shown nothing yet: may take the
	// run over (a model viewer) and end it with a quit.
	void (*gameLoaded)() = nullptr;
	// The main menu's attract demo: installs a virtual input source that
	// plays the level about to start (the autopilot), and takes it away
	// again. Without them the menu plays no demo.
	void (*startDemoPilot)() = nullptr;
	void (*stopDemoPilot)() = nullptr;
	// After the run, however it ended, before shutdown: the exit code of an
	// orderly end (a fatal alert makes it 1 whatever this says).
	int (*finish)() = nullptr;
};
extern BootHooks gBootHooks;

// Runs the whole program: boot, the game, shutdown. Returns the exit code.
int RunProgram(int argc, char** argv);

// Starts the platform layer, loads the preferences, starts the hooks' run,
// opens the window and finds the Data folder. The command line is read first.
void Boot(int argc, char** argv);

// Finds the Data folder beside the executable or in the working directory
// (exeDir may be empty). Throws "Couldn't find the Data folder." when neither
// holds the marker file.
std::filesystem::path LocateDataFolder(const std::filesystem::path& exeDir);
