// What the human files share among themselves: making the human node, the
// ground move every walking human uses, and the turn toward a point.
#pragma once

#include "Items/Humans.h"

#include <cstdint>

struct ObjNode;

constexpr uint16_t HUMAN_SLOT = 2950;
constexpr float HUMAN_GRAVITY = 3500.0f;			// units per second²
constexpr float HUMAN_SHADOW_SIZE = 8.0f;			// × gLevel.humanScale

// Platforms, terrain, fences, misc obstacles and the triggers meant for non-players.
constexpr uint32_t HUMAN_COLLISION_MASK = 0x203048;

// A human node of `humanType` at (x, y, z) (feet at y), facing `rot`, in
// HUMAN_MODE_STAND; `move` is its move routine. Rescuable unless the caller
// changes its CType.
ObjNode* MakeHumanNode(int humanType, float x, float y, float z, float rot, void (*move)(ObjNode*));

// Gravity, the platform it stands on and the collisions of one frame on the
// ground, with gObjDelta's x and z as the caller set them. Returns the struck sides.
uint32_t MoveHumanOnGround(ObjNode* node);

// Turns the node's heading toward (x, z) at `rate` radians per second at most.
void TurnNodeToward(ObjNode* node, float x, float z, float rate);

// An effect at `where`, when the level's sounds are loaded (logic-only runs
// and tests may have none).
void PlayHumanEffect3D(int effectNum, const OGLPoint3D* where);

// The rescue move routine (stand, walk, teleport by Mode).
void MoveHuman(ObjNode* node);
