// The raider saucer: on most levels, when a human or an enemy sprout stands
// near the robot in his sight, a saucer swoops in from the horizon. A human
// it reaches is beamed up, fades and is carried off (lost, not rescued); a
// sprout it beams grows into its vegetable enemy. Then it flies away. At most
// one raider exists; it is no counted enemy and nothing shoots it down.
#pragma once

#include "System/Objects.h"

// What a raider does to its target (the target's Special[0]).
enum : int32_t
{
	RAIDER_TARGET_CARRY_OFF = 0,		// humans
	RAIDER_TARGET_SEED = 1,				// enemy sprouts: beamed, they release their enemy
};
constexpr uint32_t STATUS_BIT_RAIDER_TARGET = 0x01000000;	// humans and sprouts carry it

enum : uint8_t
{
	RAIDER_MODE_APPROACH = 0,
	RAIDER_MODE_CARRY = 1,
	RAIDER_MODE_SEEDING = 2,
	RAIDER_MODE_LEAVE = 3,
};

constexpr float RAIDER_CALL_RANGE = 4000.0f;		// units (fast distance) from the robot
constexpr float RAIDER_CALL_RANGE_RIDING = 2000.0f;	// … while he rides, carries or sits on a ride
constexpr float RAIDER_SPAWN_DISTANCE = 8000.0f;	// units ahead of the camera
constexpr float RAIDER_SPAWN_HEIGHT = 2500.0f;		// above the ground there
constexpr float RAIDER_BEAM_REACH = 60.0f;			// units horizontally: the beam takes the target
constexpr float RAIDER_HOVER = 1000.0f;				// units above the target's ground it steers for
constexpr float RAIDER_GONE_DISTANCE = 9000.0f;		// from the camera, leaving: deleted

// Asked every frame by each human and (below the enemy cap) each enemy
// sprout: true when a raider was sent for `node`.
bool CallRaiderSaucer(ObjNode* node);
void MoveRaiderSaucer(ObjNode* saucer);
// The raider and its target, or null.
ObjNode* GetRaiderSaucer();
ObjNode* GetRaiderTarget();
// Level end: forget the raider and its target (their nodes are gone).
void ClearRaiderSaucerPointers();
