// The farm's vegetables: the onion grabs the robot and crushes it, the corn
// fires bursts of kernels that pop into popcorn, the tomato leaps onto the
// robot and flattens it. They are counted enemies (cap, per-kind limit,
// comes-back bit), may patrol spline loops, grow out of enemy sprouts, and
// burst into layers, popcorn or chunks when they die.
#pragma once

#include "Enemies/FarmContent.h"
#include "System/Objects.h"

struct CreatureKind;

// Animations of the three rigs (the code switches to these numbers).
enum { ONION_ANIM_STAND, ONION_ANIM_WALK, ONION_ANIM_HURT, ONION_ANIM_GRAB, ONION_ANIM_CRUSH, ONION_ANIM_GROW, NUM_ONION_ANIMS };
enum { CORN_ANIM_STAND, CORN_ANIM_WALK, CORN_ANIM_HURT, CORN_ANIM_GROW, NUM_CORN_ANIMS };
enum { TOMATO_ANIM_STAND, TOMATO_ANIM_WALK, TOMATO_ANIM_ROLL, TOMATO_ANIM_LEAP, TOMATO_ANIM_GROW, NUM_TOMATO_ANIMS };
constexpr int ONION_JOINT_HAND = 10;	// the hand that holds the robot

constexpr int FARM_CREATURE_LIMIT = 7;	// more than this of a kind alive: items without the always-add bit wait
constexpr float ONION_SCALE = 2.0f;
constexpr float CORN_SCALE = 1.7f;
constexpr float TOMATO_SCALE = 1.3f;
constexpr float FARM_CREATURE_HEALTH = 1.0f;
constexpr float FARM_CREATURE_DAMAGE = 0.1f;
constexpr float SPROUT_START_SCALE = 0.08f;	// a creature grown from a sprout starts this small
constexpr float KERNEL_DAMAGE = 0.15f;
constexpr float KERNEL_BLAST_RADIUS = 190.0f;	// units (3D) from a popping kernel that the robot gets hit
constexpr int CORN_BURST_KERNELS = 3;
constexpr float CORN_BURST_INTERVAL = 0.4f;		// seconds between the kernels of a burst
constexpr float CORN_BURST_DELAY = 4.0f;		// seconds from one burst's start to the next at the soonest
constexpr float FARM_ATTACK_COOLDOWN = 5.0f;	// seconds before an onion grabs or a tomato leaps again
constexpr float ONION_CRUSH_DAMAGE = 0.3f;
constexpr float ONION_CRUSH_INVINCIBILITY = 10.0f;	// seconds the robot is spared after a crush

// The kinds (CreatureKit.h): items and spline rows 8, 9 and 10.
extern const CreatureKind kOnionKind;
extern const CreatureKind kCornKind;
extern const CreatureKind kTomatoKind;

// Sprout makers: the kind grows out of the ground at (x, z), tiny, facing the
// robot, counted. Null when the enemy cap is reached (the sprout then stays).
ObjNode* GrowOnionFromSprout(float x, float z);
ObjNode* GrowCornFromSprout(float x, float z);
ObjNode* GrowTomatoFromSprout(float x, float z);

// Free move routines (for DetachEnemyFromSpline and the tests).
void MoveOnion(ObjNode* onion);
void MoveCorn(ObjNode* corn);
void MoveTomato(ObjNode* tomato);

// The corn's shot: a kernel leaving the corn toward the robot; it pops when
// its fuse runs out or the robot touches it.
ObjNode* ShootCornKernel(ObjNode* corn);
void MoveCornKernel(ObjNode* kernel);
void PopCornKernel(ObjNode* kernel, bool robotTouchedIt);
void MovePopcorn(ObjNode* popcorn);

// Whether `node` is an onion that holds the robot.
bool OnionHoldsPlayer(const ObjNode* node);
