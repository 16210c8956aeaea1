// The enemy framework: what every enemy kind shares. Enemies are skeleton
// nodes (or chains of model parts) made by a kind's add routine when the
// terrain item system wakes their item, or by a spline's add routine when a
// rider comes into range. The framework keeps one counter per kind and a
// total for the cap, moves enemies on the ground under gravity, turns them,
// freezes and shatters them, deletes corpses out of view, and dispatches the
// weapon hits a node answers through its HitByWeaponHandler slots.
//
// Counting: a node is counted from its free creation (or from the moment it
// leaves its spline) until DeleteEnemy. Each node remembers whether it is
// counted, so that no order of deaths, range exits and spline transitions
// lowers a counter twice or leaves it raised. Giant lizards and flytraps
// count in their kind only, never in the total.
#pragma once

#include "System/Objects.h"

#include <cstdint>

struct TerrainItemEntryType;

enum EnemyKind : uint8_t
{
	ENEMY_KIND_BRAINALIEN = 0,
	ENEMY_KIND_ONION = 1,
	ENEMY_KIND_CORN = 2,
	ENEMY_KIND_TOMATO = 3,
	ENEMY_KIND_BLOB = 4,
	ENEMY_KIND_SQUOOSHY = 5,
	ENEMY_KIND_FLAMESTER = 6,
	ENEMY_KIND_GIANTLIZARD = 7,
	ENEMY_KIND_FLYTRAP = 8,
	ENEMY_KIND_MANTIS = 9,
	ENEMY_KIND_MUTANT = 10,
	ENEMY_KIND_MUTANTROBOT = 11,
	ENEMY_KIND_CLOWN = 12,
	ENEMY_KIND_CLOWNFISH = 13,
	ENEMY_KIND_STRONGMAN = 14,
	// 15: no enemy has this kind.
	ENEMY_KIND_ICECUBE = 16,
	ENEMY_KIND_ARMBOT = 17,
	ENEMY_KIND_HAMMERBOT = 18,
	ENEMY_KIND_DRILLBOT = 19,
	ENEMY_KIND_SWINGERBOT = 20,
	ENEMY_KIND_ELITEBRAINALIEN = 21,
	NUM_ENEMY_KINDS = 22
};

//
// Tunables shared by every kind
//

constexpr int ENEMY_LIMIT = 20;					// counted enemies alive at once; items wait while it is reached
constexpr float ENEMY_GRAVITY = 3500.0f;		// units per second², every skeleton kind
constexpr float ENEMY_SLOPE_PUSH = 3000.0f;		// units per second² along the ground's tilt
constexpr float ENEMY_GROUND_BOUNCE = 0.9f;		// share of speed kept into a struck side
constexpr float ENEMY_HOLE_LOOKAHEAD = 200.0f;	// units ahead the hole test looks
constexpr float ENEMY_CORPSE_DISTANCE = 1000.0f;	// units: a culled corpse this far from the robot goes
constexpr float ENEMY_FREEZE_TIME = 4.0f;		// seconds frozen
constexpr float ENEMY_FROZEN_FRICTION = 1100.0f;	// units per second² while frozen
constexpr float ENEMY_FALL_LIMIT = 5000.0f;		// units below the ground's floor at which a faller is gone
constexpr uint16_t ENEMY_SLOT_BASE = 210;		// draw slot of an enemy: this + its skeleton type
constexpr float FAR_DISTANCE = 10000000.0f;		// FindClosestEnemy's answer when there is none

// Collision classes of a live enemy (enemy, auto-target, blocks the camera).
constexpr uint32_t CTYPE_ENEMY_NODE = 0xC8000;

// Map-item parameter 3 bits read by every enemy add routine.
constexpr uint8_t ENEMY_ITEM_ALWAYS_ADD = 0x01;	// add even when the kind is at its own limit
constexpr uint8_t ENEMY_ITEM_COMES_BACK = 0x02;	// the item is woken again after the enemy died

// Node fields the framework owns on every enemy; kinds keep off them.
enum
{
	ENEMY_FLAG_COUNTED = 2,						// Flag[]: raised the counters and has not lowered them yet
	ENEMY_FLAG_COMES_BACK = 3,					// Flag[]: the item's comes-back bit
	ENEMY_FLAG_DYING = 4,						// Flag[]: killed; plays its death or lies as a corpse
	ENEMY_TIMER_FROZEN = 6,						// SpecialF[]: seconds of freeze left
};

extern int gNumEnemyOfKind[NUM_ENEMY_KINDS];	// counted live enemies per kind
extern int gNumEnemies;							// counted live enemies, giant lizards and flytraps left out
extern int gMaxEnemies;

//
// Counters, creation and deletion (Enemy.cpp)
//

// Level start: zeroes the counters, sets the cap, forgets the frozen look and the portals.
void InitEnemyManager();

// Whether a free enemy of `kind` may be made for `item` now: the cap, and the
// kind's own limit (a count above `kindLimit`, < 0 for none) unless the
// item's always-add bit is set.
bool CanAddEnemy(int kind, const TerrainItemEntryType* item, int kindLimit);
// Raises the counters of a free enemy (once; a counted node is left as it is).
void CountEnemy(ObjNode* enemy);
// Lowers them (once); "DeleteEnemy: < 0" if a kind counter would go negative.
void UncountEnemy(ObjNode* enemy);
// The live enemies of the object list that are counted, per kind: what the
// counters must always equal (the invariant checks and the tests use it).
void TallyCountedEnemies(int perKind[NUM_ENEMY_KINDS], int* total);

// A skeleton enemy standing on the ground at (x, z): slot 210 + type, the
// enemy collision classes on all sides, its feet on the terrain.
ObjNode* MakeEnemySkeleton(int skeletonType, float x, float z, float scale, float rotY, ObjNodeRoutine moveCall);
// Links a new free enemy to its item (its comes-back bit kept) and counts it.
void AttachEnemyToItem(ObjNode* enemy, TerrainItemEntryType* item);
// Stops its looping sound, uncounts it and deletes it.
void DeleteEnemy(ObjNode* enemy);
// The same for an enemy gone for good: its item is never woken again unless
// it comes back.
void DeleteEnemyForGood(ObjNode* enemy);
// Leaves its spline (if it rides one) for the free move routine and is counted.
void DetachEnemyFromSpline(ObjNode* enemy, ObjNodeRoutine moveCall);

// The nearest node of the enemy class by the fast distance, or null (with
// FAR_DISTANCE) when there is none.
ObjNode* FindClosestEnemy(const OGLPoint3D* point, float* distance);
// Alive, counted as an enemy and not dying: what the player may fight.
bool IsEnemyFighting(const ObjNode* node);
// The robot has left its saucer and takes part in the level.
bool IsRobotInPlay();

//
// Hits (Enemy.cpp)
//

// A hit of weapon type `weaponType` on `target`: its handler's answer, or
// false when the slot is empty (the weapon passes through).
bool HitByWeapon(int weaponType, ObjNode* weapon, ObjNode* target, const OGLPoint3D* where, const OGLVector3D* delta,
		float damage);
// Direct damage through the target's hurt slot.
bool HurtObject(ObjNode* target, float damage);
// The damage a projectile carries, or `fallback` when none or not positive.
float WeaponDamage(const ObjNode* weapon, float fallback);

//
// Moving (EnemyMove.cpp). The move routines work on gObjCoord/gObjDelta
// between GetObjectInfo and UpdateEnemy.
//

// The enemy's item left the active area (or it fell through a hole).
bool IsEnemyOutOfRange(const ObjNode* enemy);
void ApplyEnemyGravity(float gravity = ENEMY_GRAVITY);
// gObjCoord += gObjDelta × frame time.
void EnemyGravityAndMove();
// Collides with the classes of `cTypeMask`, then stands on the ground (foot
// from the skeleton's box or the node's bottom offset) and slides down slopes.
// Always true: the node still exists.
bool EnemyGroundStep(ObjNode* enemy, uint32_t cTypeMask, bool useBoundingBox);
// Speed from the delta; commits coordinate, delta, transforms, shadow and sparkles.
void UpdateEnemy(ObjNode* enemy);
// Slows the horizontal speed toward 0 by `friction` units per second².
void ApplyEnemyFriction(float friction);
// Turns the heading toward (x, z) at `speed` radians per second without
// overshooting; returns the angle still left to turn (0 … π).
float TurnEnemyToward(ObjNode* enemy, float x, float z, float speed);
float TurnEnemyTowardPlayer(ObjNode* enemy, float speed);
// Turns to face away from the motion (a knocked-back or dying body).
void TurnEnemyAwayFromMotion(ObjNode* enemy, float speed);
// On levels with holes in the terrain: no ground 200 units ahead along the heading.
bool IsHoleInFront(float x, float z, float heading);
// Fast distance from the enemy to the robot (FAR_DISTANCE without one).
float EnemyDistanceToPlayer(const ObjNode* enemy);

//
// Riding a spline loop (EnemySpline.cpp)
//

// How a kind patrols its loop.
struct EnemySplineRide
{
	float speed;					// loop points per second
	float detachDistance;			// the robot nearer than this draws it off the loop
	bool trueDistance;				// measured in 3D (else the fast x/z estimate)
	ObjNodeRoutine freeMoveCall;	// its move routine once off the loop
};
// One frame on the loop: advance, follow, face the way, stand on the ground;
// off the loop once the robot is near. False (only the placement advanced)
// while its supertile is out of range and the node waits off the object list.
bool MoveEnemyOnSpline(ObjNode* enemy, const EnemySplineRide& ride);
bool IsPlayerWithinDetachDistance(const ObjNode* enemy, const EnemySplineRide& ride);

//
// Freezing, death and effects (EnemyFreeze.cpp)
//

// Frozen look, no motion, frozen timer 4 s (riding a spline: detached first).
void FreezeEnemy(ObjNode* enemy, ObjNodeRoutine freeMoveCall);
bool IsEnemyFrozen(const ObjNode* enemy);
// Lets go of the ice material frozen enemies share (level clean-up: no
// enemy is left to wear it).
void ForgetFrozenLook();
// One frame of a frozen enemy: friction and gravity; at the timer's end it
// thaws with a burst of ice. Works between GetObjectInfo and UpdateEnemy.
void MoveFrozenEnemy(ObjNode* enemy);
// Bursts the enemy into shards and deletes it for good.
void ShatterEnemy(ObjNode* enemy);
// The death move's end: a corpse is deleted once culled and far from the robot.
// True when it was deleted.
bool DeleteCorpseIfGone(ObjNode* enemy);
// The hit slots a corpse loses (every weapon but direct hurt and the saucer beam).
void ClearEnemyHitHandlers(ObjNode* enemy);

// Sparkles that follow joints: one per entry, each at its joint plus offset.
struct EnemySparkleJoint
{
	int joint;
	OGLPoint3D offset;				// in the joint's space
	float sizeFactor;				// the sparkle's size flickers around 50 × this
};
void AttachEnemySparkles(ObjNode* enemy, const EnemySparkleJoint* joints, int count, OGLColorRGBA color);
void UpdateEnemySparkles(ObjNode* enemy, const EnemySparkleJoint* joints, int count);

// A 3D effect of a creature. An effect whose bank the level did not load
// stays silent: a creature placed out of its home level must not stop the game.
int16_t PlayEnemyEffect3D(int effectNum, const OGLPoint3D* where, float volumeAdjust = 1.0f);
// A looping 3D effect on the node's channel: started when absent, else kept following it.
void KeepEnemyEffectLooping(ObjNode* enemy, int effectNum);
