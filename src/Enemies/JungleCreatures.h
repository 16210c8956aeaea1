// The jungle's creatures. They dwarf the robot and shrug off most of its
// weapons until it has drunk a growth vial: the giant lizard swallows the
// robot and spits it far away, roars at stun shots and breathes fire; the
// venus flytrap, rooted where it grows, snaps the robot up and flings it and
// can never be killed; the mantis spits bouncing globs of acid and burns
// under the arc shot; the turtle plods off when bumped. The lizard's flames
// and the mantis's acid are their own nodes (JungleShots.cpp).
#pragma once

#include "Enemies/JungleSkeletons.h"
#include "System/Objects.h"

struct TerrainItemEntryType;
struct SplineItemType;

//
// Tunables others read (tests, the autopilot)
//

constexpr float LIZARD_SCALE = 2.5f;
constexpr float FLYTRAP_SCALE = 2.6f;
constexpr float MANTIS_SCALE = 2.1f;
constexpr float TURTLE_SCALE = 2.5f;
constexpr int MANTIS_LIMIT = 7;					// more than this alive: mantis items without the always-add bit wait
constexpr float JUNGLE_SPLINE_DETACH = 833.3f;	// the robot this near (fast estimate) draws a lizard or mantis off its loop
constexpr float LIZARD_SIGHT_RANGE = 2500.0f;	// units: it stirs for a robot nearer than this
constexpr float LIZARD_FIRE_RANGE = 1400.0f;	// inhales for a robot nearer than this, lunges nearer than the next
constexpr float LIZARD_LUNGE_RANGE = 700.0f;
constexpr float LIZARD_HOLD_TIME = 4.0f;		// seconds the robot stays swallowed
constexpr float FLYTRAP_REACH = 1000.0f;		// units: it snaps at a robot nearer than this ahead of it
constexpr float MANTIS_SPIT_RANGE = 1600.0f;

//
// Item and spline add routines
//

bool AddGiantLizard(TerrainItemEntryType* item, float x, float z);
bool AddGiantLizardOnSpline(int splineNum, SplineItemType* item);
bool AddVenusFlytrap(TerrainItemEntryType* item, float x, float z);
bool AddMantis(TerrainItemEntryType* item, float x, float z);
bool AddMantisOnSpline(int splineNum, SplineItemType* item);
bool AddTurtle(TerrainItemEntryType* item, float x, float z);

// Free creatures without an item (tests and the level's own set-ups).
ObjNode* MakeGiantLizard(float x, float z);
ObjNode* MakeVenusFlytrap(float x, float z, float heading);
ObjNode* MakeMantis(float x, float z);

// The free move routines (what a rider becomes off its loop).
void MoveGiantLizard(ObjNode* lizard);
void MoveVenusFlytrap(ObjNode* plant);
void MoveMantis(ObjNode* mantis);

//
// What they throw (JungleShots.cpp)
//

// A flame out of the lizard's mouth along its jaw.
ObjNode* ShootLizardFlame(ObjNode* lizard);
// A glob of acid out of the mantis's head.
ObjNode* SpitMantisAcid(ObjNode* mantis);
void MoveLizardFlame(ObjNode* flame);
void MoveMantisAcid(ObjNode* glob);
constexpr int ACID_MAX_IMPACTS = 4;			// the fourth impact ends a glob

//
// Shared by the creature files
//

// The robot counts as giant (its growth vial took it past its own size).
bool IsPlayerGiant();
// Nothing solid or fenced stands between the creature and the robot.
bool CanCreatureSeePlayer(const ObjNode* creature);
// The line from the robot to the creature crosses a fence.
bool FenceBetweenPlayerAnd(const ObjNode* creature);
// Knocks a creature back along the robot's heading (a giant's punch or shot).
void KnockCreatureBack(ObjNode* creature);

//
// The jungle's touchable things (JungleTriggers.cpp): the turtle (trigger
// kind 10) and the bouncy object (trigger kind 12). Their add routines
// install the two trigger handlers.
//

bool AddBouncyObject(TerrainItemEntryType* item, float x, float z);
bool DoTrig_Turtle(ObjNode* turtle, ObjNode* mover, uint32_t sides);
bool DoTrig_BouncyObject(ObjNode* bouncy, ObjNode* mover, uint32_t sides);
constexpr float BOUNCY_LANDING_SPEED = 700.0f;	// units per second of fall that set it bouncing
constexpr float TURTLE_WALK_TIME = 6.0f;		// seconds a bumped turtle plods on
