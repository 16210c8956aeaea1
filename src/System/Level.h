// One level: set-up from the level table (InitLevel), its content
// (LoadLevelContent, LevelContent.cpp), the play loop, and the clean-up that
// releases everything it made (CleanupLevel). What the rows hold:
// System/LevelTable.h.
#pragma once

#include <cstdint>

extern bool gLevel.gameOver;
extern bool gLevel.done;
extern float gLevel.doneTimer;
extern int gLevel.frameCount;
extern bool gLevel.firstFrame;
extern float gLevel.gravity;					// units per second², from the level's row
extern float gLevel.groundSlip;
extern bool gDrawLensFlare;
extern float gLightDirection[3];
extern float gAutoFadeStart;
extern float gAutoFadeEnd;
extern float gAutoFadeRate;
extern uint32_t gAutoFadeStatusBits;

// Per-level clocks (LEVEL_RULE_CLOUD_CLOCK, LEVEL_RULE_WOBBLE_CLOCK): seconds
// of play on the cloud level; the slime boss arena's wobble, 0 … 2π.
extern float gLevel.cloudClock;
extern float gLevel.wobbleAngle;

// Sets level gCurrentLevel up: view and lights, content, the level's own
// set-up steps, the player and the camera.
void InitLevel();
// Loads everything of level gCurrentLevel: its sound bank, models,
// skeletons, sprites, the terrain file, and the terrain's set-up (supertile
// pool, split table, status grid, items).
void LoadLevelContent();
void PlayCurrentLevel();
// One frame of play before drawing: the move pass (collisions included),
// spline objects, shards, the camera, the level's clocks and the terrain
// window at the camera. UpdateInput comes first.
void UpdateLevelFrame();
// What the draw pass works out besides drawing, for runs that do not draw:
// which nodes are in view, and the supertiles built and deformed around the camera.
void UpdateSceneWithoutDrawing();
// Releases everything the level made and loaded, in a fixed order.
void CleanupLevel();
