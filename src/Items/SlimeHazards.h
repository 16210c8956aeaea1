// The slime world's smaller hazards and oddities: crystals that burst out of
// the ground as the robot nears and topple onto him, pods bobbing on the
// water, and walls of blocks.
#pragma once

#include "System/Objects.h"

#include <cstdint>

struct TerrainItemEntryType;

constexpr int FALLING_CRYSTAL_FIRST_MODEL = 14;		// level model of crystal kind 0
constexpr int FALLING_CRYSTAL_KINDS = 2;			// kinds 0 and 1 (parm[1])
constexpr float FALLING_CRYSTAL_SCALE = 2.5f;
constexpr float FALLING_CRYSTAL_WAKE = 1000.0f;		// units: the robot this near brings it up
constexpr float FALLING_CRYSTAL_RISE_SPEED = 550.0f;
constexpr float FALLING_CRYSTAL_TILT = 0.2618f;		// radians leaned back (15°) as it rises
constexpr float FALLING_CRYSTAL_TOPPLE = 1.6f;		// radians per second² forward
constexpr int FALLING_CRYSTAL_MAX_BOXES = 8;
constexpr int FLOATING_POD_MODEL = 18;
constexpr float FLOATING_POD_SCALE = 0.5f;
constexpr int BLOCK_WALL_MODEL = 12;
constexpr float BLOCK_WALL_SCALE = 2.0f;
constexpr float BLOCK_WALL_SPACING = 230.0f;
constexpr int BLOCK_WALL_MAX_BLOCKS = 16;

// Falling crystal modes.
enum : uint8_t
{
	CRYSTAL_HIDDEN = 0,
	CRYSTAL_RISING = 1,
	CRYSTAL_TOPPLING = 2,
};

// Item 29: crystal kind parm[1] facing parm[0] × 45°, hidden under the ground.
bool AddFallingCrystal(TerrainItemEntryType* item, float x, float z);
void MoveFallingCrystal(ObjNode* crystal);
// Item 33: a pod floating on the water at (x, z); nothing where no water lies above the ground.
bool AddFloatingPod(TerrainItemEntryType* item, float x, float z);
// Item 77: parm[0] blocks in a row toward parm[1] × 90°, one solid box over them all.
bool AddBlockWall(TerrainItemEntryType* item, float x, float z);
void MoveBlockWall(ObjNode* wall);
