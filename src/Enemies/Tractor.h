// The farm's tractor: it waits at its item, chases the robot when he comes
// near, charges at him when he is close in front, and runs him over. Lured
// into ramming a metal gate at speed it is wrecked for good. It is no counted
// enemy and no weapon hurts it.
#pragma once

#include "System/Objects.h"

struct TerrainItemEntryType;

enum : uint8_t
{
	TRACTOR_MODE_IDLE = 0,
	TRACTOR_MODE_CHASE = 1,
	TRACTOR_MODE_CHARGE = 2,
	TRACTOR_MODE_WAIT_FOR_ROBOT = 3,		// the robot is dead; back to its item when he lives again
	TRACTOR_MODE_WRECKED = 4,
};

constexpr float TRACTOR_DAMAGE = 0.4f;
constexpr float TRACTOR_CHASE_SPEED = 440.0f;		// units per second
constexpr float TRACTOR_CHARGE_SPEED = 1900.0f;
constexpr float TRACTOR_NOTICE_RANGE = 4000.0f;		// units (fast distance): it starts chasing
constexpr float TRACTOR_CHARGE_RANGE = 1000.0f;		// … and charges when this near and facing him
constexpr float TRACTOR_CHARGE_TIME = 1.3f;			// seconds
constexpr float TRACTOR_REST_TIME = 1.5f;			// seconds idle after a charge
constexpr float TRACTOR_WRECKING_SPEED = 1200.0f;	// a gate rammed this fast wrecks it

// Item add routine (type 15).
bool AddTractor(TerrainItemEntryType* item, float x, float z);
// The tractor body standing at (x, z) with its wheels (no item).
ObjNode* MakeTractor(float x, float z);
void MoveTractor(ObjNode* tractor);
// A metal gate it rammed fast enough: harmless and silent until it leaves the active area.
void WreckTractor(ObjNode* tractor);
bool IsTractor(const ObjNode* node);
