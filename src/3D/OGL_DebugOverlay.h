// The debug overlay, cycled by F8: off, the frame's numbers, the numbers with
// collision boxes, wireframe, overdraw (3D/OGL_Overdraw.h). The scene pass shows its text; the gameplay
// numbers are read from their modules.
#pragma once

#include "System/Objects.h"

#include <cstdint>
#include <string>

extern int gDebugMode;						// 0..4
extern ObjNodeRef gDebugTextNode;			// the overlay text, while its node lives
extern int32_t gVRAMEstimate;

// Cycles gDebugMode 0 → 1 → 2 → 3 → 4 → 0.
int OGL_NextDebugMode(int mode);

// The gameplay numbers the overlay shows, read from their modules.
struct OGLDebugCounters
{
	float inputX, inputY;			// analog steering
	bool hasPlayer;
	float playerX, playerY, playerZ;
	bool playerOnGround;
	bool playerHasLink;
	int enemies;
	bool enemyLimitReached;
	bool saucerExists;
	int shards;
	int sparkles;
	int particleGroups;
};
OGLDebugCounters OGL_GatherDebugCounters();
// The overlay text for the current frame.
std::string OGL_ComposeDebugText();
