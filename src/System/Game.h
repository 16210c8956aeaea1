// The game flow: the front end, the run through the ten levels (one level:
// System/Level.h; what each level is: System/LevelTable.h).
#pragma once

#include "System/Level.h"

#include <cstdint>

constexpr int NUM_LEVELS = 10;

enum
{
	LEVEL_NUM_FARM = 0,
	LEVEL_NUM_BLOB,
	LEVEL_NUM_BLOBBOSS,
	LEVEL_NUM_APOCALYPSE,
	LEVEL_NUM_CLOUD,
	LEVEL_NUM_JUNGLE,
	LEVEL_NUM_JUNGLEBOSS,
	LEVEL_NUM_FIREICE,
	LEVEL_NUM_SAUCER,
	LEVEL_NUM_BRAINBOSS,
};

extern int gCurrentLevel;

[[noreturn]] void RunGame();
void PlayLevels();

// What the start-up keys held after the legal screen ask for.
enum StartupAction
{
	STARTUP_MAIN_MENU,
	STARTUP_HIGH_SCORE_ENTRY,
	STARTUP_WIN_SCREEN,
	STARTUP_LOSE_SCREEN,
	STARTUP_LEVEL,
};
// `keyDown` tells whether an SDL scancode is held; *level gets the level for
// STARTUP_LEVEL; *skipFluff is set when F is held.
StartupAction ReadStartupKeys(bool (*keyDown)(int scancode), int* level, bool* skipFluff);
