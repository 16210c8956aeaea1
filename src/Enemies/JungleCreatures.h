// The jungle's creatures. They dwarf the robot and shrug off most of its
// weapons until it has drunk a growth vial: the giant lizard swallows the
// robot and spits it far away, roars at stun shots and breathes fire; the
// venus flytrap, rooted where it grows, snaps the robot up and flings it and
// can never be killed; the mantis spits bouncing globs of acid and burns
// under the arc shot; the turtle plods off when bumped. The lizard's flames
// and the mantis's acid are their own nodes (JungleShots.cpp).
#pragma once

#include "Enemies/CreatureKit.h"		// sight, knock-back: the moves creatures share

#include "Enemies/JungleSkeletons.h"
#include "System/Objects.h"

struct TerrainItemEntryType;
struct CreatureKind;

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

// The kinds (CreatureKit.h): items 50, 51 and 52, spline rows 50 and 52.
extern const CreatureKind kGiantLizardKind;
extern const CreatureKind kVenusFlytrapKind;
extern const CreatureKind kMantisKind;
bool AddTurtle(TerrainItemEntryType* item, float x, float z);

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
// The line from the robot to the creature crosses a fence.
bool FenceBetweenPlayerAnd(const ObjNode* creature);

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
