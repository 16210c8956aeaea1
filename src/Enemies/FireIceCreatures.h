// The creatures whose weaknesses follow their element: the flamester, a
// living flame that spins and throws fire blobs, which fire weapons feed and
// the freeze gun shrinks until it goes out; the ice cube, which throws blocks
// of ice, melts under fire and grows back with time; and the squooshy, a
// slime that hops at the robot and spits globs, can be frozen, and lies as a
// corpse once killed warm. The flamester and the ice cube also patrol spline
// loops; the squooshy comes only from its map item.
//
// GL-free: all three and their shots are skeleton or model nodes drawn by the
// object pass.
#pragma once

#include "System/Objects.h"

#include <cstdint>

struct CreatureKind;

//
// Flamester (Flamester.cpp)
//

constexpr int FLAMESTER_LIMIT = 7;				// alive at once from items
constexpr float FLAMESTER_SCALE = 2.1f;
constexpr float FLAMESTER_MAX_SCALE = 2.73f;	// fire feeds it up to this
constexpr float FLAMESTER_MIN_SCALE = 0.63f;	// a freeze shot taking it below this puts it out
constexpr float FLAMESTER_GROW_STEP = 0.15f;	// scale per fire hit
constexpr float FLAMESTER_SHRINK_STEP = 0.25f;	// scale per freeze hit
constexpr float FLAMESTER_HEALTH = 1.0f;
constexpr float FLAMESTER_ATTACK_TIME = 7.0f;	// seconds of one spin attack
constexpr float FLAMESTER_ATTACK_RANGE = 600.0f;

enum { FLAMESTER_ANIM_STAND = 0, FLAMESTER_ANIM_WALK = 1, FLAMESTER_ANIM_SPIN = 2 };
// Node fields of a flamester.
enum { FLAMESTER_TIMER_ATTACK = 0, FLAMESTER_TIMER_BLOB = 1 };

extern const CreatureKind kFlamesterKind;		// item 49 and its spline row
void MoveFlamester(ObjNode* flamester);
// A fire blob thrown from the flamester in a random direction.
ObjNode* ThrowFireBlob(const ObjNode* flamester);

//
// Ice cube (IceCube.cpp)
//

constexpr int ICECUBE_LIMIT = 7;
constexpr float ICECUBE_SCALE = 2.5f;			// its size at rest: it regrows to this
constexpr float ICECUBE_MAX_SCALE = 3.25f;		// the freeze gun grows it up to this
constexpr float ICECUBE_MIN_SCALE = 0.75f;		// a fire hit taking it below this kills it
constexpr float ICECUBE_MELT_STEP = 0.25f;		// scale per fire hit
constexpr float ICECUBE_GROW_STEP = 0.15f;		// scale per freeze hit
constexpr float ICECUBE_REGROW_RATE = 0.1f;		// scale per second back toward its rest size
constexpr float ICECUBE_HEALTH = 1.2f;
constexpr float ICECUBE_WALK_SPEED = 280.0f;	// units per second, times 0.4 × its scale: smaller cubes are slower
constexpr float ICECUBE_THROW_NEAR = 700.0f;	// the robot between these draws a throw
constexpr float ICECUBE_THROW_FAR = 2000.0f;

enum { ICECUBE_ANIM_STAND = 0, ICECUBE_ANIM_WALK = 1, ICECUBE_ANIM_THROW = 2, ICECUBE_ANIM_HURT = 3 };
enum { ICECUBE_JOINT_EYES = 3, ICECUBE_JOINT_HAND = 15 };
// Node fields of an ice cube (Flag[0] is the throw's release event).
enum { ICECUBE_FLAG_RELEASE = 0 };
enum { ICECUBE_TIMER_THROW = 0, ICECUBE_TIMER_STAND = 1, ICECUBE_TIMER_HURT = 4 };

extern const CreatureKind kIceCubeKind;		// item 92 and its spline row
void MoveIceCube(ObjNode* cube);
// Its walking speed at its present size.
float IceCubeWalkSpeed(const ObjNode* cube);
// The block in its hand (ChainNode), or null.
ObjNode* IceCubeHeldBlock(const ObjNode* cube);

//
// Squooshy (Squooshy.cpp)
//

constexpr int SQUOOSHY_LIMIT = 4;
constexpr float SQUOOSHY_SCALE = 2.5f;
constexpr float SQUOOSHY_HEALTH = 1.0f;
constexpr float SQUOOSHY_FIST_DAMAGE = 0.2f;

enum { SQUOOSHY_ANIM_STAND = 0, SQUOOSHY_ANIM_HOP = 1, SQUOOSHY_ANIM_HURT = 2, SQUOOSHY_ANIM_LAND = 3,
	SQUOOSHY_ANIM_SPIT = 4, SQUOOSHY_ANIM_DEAD = 5 };
enum { SQUOOSHY_JOINT_MOUTH = 1 };
enum { SQUOOSHY_FLAG_AIRBORNE = 0 };
enum { SQUOOSHY_TIMER_SPIT = 1, SQUOOSHY_TIMER_HURT = 3 };

extern const CreatureKind kSquooshyKind;		// item 3
void MoveSquooshy(ObjNode* squooshy);
ObjNode* SpitSquooshyGlob(ObjNode* squooshy);

// Level models of the shots (the fire-and-ice file; the glob is in the slime file too).
enum
{
	LEVEL_MODEL_FIRE_BLOB = 3,
	LEVEL_MODEL_ICE_BLOCK = 37,
	LEVEL_MODEL_SQUOOSHY_GLOB = 58,
};
