// The game flow: the front end, the run through the ten levels, one level.
#pragma once

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
extern bool gGameOver;
extern bool gLevelDone;
extern float gLevelDoneTimer;
extern int gLevelFrameCount;
extern bool gFirstFrameOfLevel;
extern float gGravity;
extern float gGroundSlip;
extern bool gDrawLensFlare;
extern float gLightDirection[3];
extern float gAutoFadeStart;
extern float gAutoFadeEnd;
extern float gAutoFadeRate;
extern uint32_t gAutoFadeStatusBits;

[[noreturn]] void RunGame();
void PlayLevels();
void InitLevel();
void PlayCurrentLevel();
// One frame of play before drawing: the move pass (collisions included),
// spline objects, shards, the camera, the level's clocks and the terrain
// window at the camera. UpdateInput comes first.
void UpdateLevelFrame();
// What the draw pass works out besides drawing, for runs that do not draw:
// which nodes are in view, and the supertiles built and deformed around the camera.
void UpdateSceneWithoutDrawing();

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
