// One level: set-up from the level table (InitLevel), its content
// (LoadLevelContent, LevelContent.cpp), the play loop, and the clean-up that
// releases everything it made (CleanupLevel). What the rows hold:
// System/LevelTable.h.
#pragma once

#include "System/ContentNumbers.h"

#include <cstdint>

// The level being played: its clocks and counters, how it is ending, and the
// physics of its row. Every member's start value is its default; InitLevel
// assigns a fresh one before anything of the level is made.
struct LevelState
{
	int frameCount = 0;						// frames played
	float playSeconds = 0;					// seconds played (the pause menu's not counted)
	bool firstFrame = false;				// during the first frame of play
	bool done = false;						// finished: play ends once doneTimer runs out
	float doneTimer = 0;					// seconds
	bool gameOver = false;					// the run ends with this level
	float gravity = 5200;					// units per second², from the level's row
	float groundSlip = 0;					// 0..1, from the level's row
	// LEVEL_RULE_CLOUD_CLOCK: seconds of play on the cloud level;
	// LEVEL_RULE_WOBBLE_CLOCK: the slime boss arena's wobble, 0 … 2π.
	float cloudClock = 0;
	float wobbleAngle = 0;
	float exitCharge = 0;					// 0..1; the exit opens at 1 (InitPlayerAtStartOfLevel sets the row's start)
	// Humans (Items/Humans.h): how many the level holds, those rescued by
	// kind and in all, those rising in the saucer's beam right now, and their
	// size (0.5 where the saucer picks them up).
	int humansInLevel = 0;
	int humansRescued[NUM_HUMAN_TYPES] = {};
	int humansRescuedTotal = 0;
	int humansBeamingUp = 0;
	float humanScale = 1;
};
extern LevelState gLevel;

extern bool gDrawLensFlare;
extern float gLightDirection[3];
extern float gAutoFadeStart;
extern float gAutoFadeEnd;
extern float gAutoFadeRate;
extern uint32_t gAutoFadeStatusBits;

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
