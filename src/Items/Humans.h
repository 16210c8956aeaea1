// Humans and their rescue. Every level holds people to save: they stand or
// wander near their item, some sealed in a glass capsule that has to be shot
// open, some (on the saucer level) waiting in people huts the saucer's destroy
// beam smashes. When the robot touches a free human it is teleported away and
// counted for its kind and the level; the bonus tally pays for them. On the
// saucer level the player's saucer beams humans up instead and lets them down
// at the drop zone, where each one delivered charges the exit.
//
// A human is a skeleton node of one of four kinds; its kind is in SubKind,
// its state in Mode. Everything here is GL-free: humans, capsules, huts and
// teleport rings are drawn by the ordinary object pass.
#pragma once

#include "3D/SkeletonTypes.h"
#include "System/ContentNumbers.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;
struct TerrainItemEntryType;
struct SplineItemType;

// The kinds of human (HUMAN_TYPE_*) are content numbers (System/ContentNumbers.h).

// Terrain item types that place humans.
constexpr uint16_t ITEM_TYPE_HUMAN = 4;
constexpr uint16_t ITEM_TYPE_HUMAN_TYPE2 = 61;
constexpr uint16_t ITEM_TYPE_PEOPLE_HUT = 101;

// The human's state (its node's Mode).
enum : uint8_t
{
	HUMAN_MODE_STAND = 0,
	HUMAN_MODE_WALK,
	HUMAN_MODE_TELEPORT,			// rescued: fading out between its rings
	HUMAN_MODE_BEAMED,				// rising in the saucer's tractor beam
	HUMAN_MODE_DROPPED,				// let down from the saucer, falling to the ground
	HUMAN_MODE_TO_DROP_ZONE,		// walking to the point in front of the drop zone
	HUMAN_MODE_INTO_DROP_ZONE,		// walking into the drop zone, fading as it arrives
};

// Status bit set on every human that can still be rescued or carried off.
constexpr uint32_t STATUS_BIT_HUMAN = 0x01000000;

constexpr float HUMAN_EXIT_CHARGE_PER_DELIVERY = 0.05f;	// of a full exit charge

// The humans' counters and their size belong to the level (gLevel, System/Level.h).

// Level start: sets the humans' size, installs the rescue trigger and counts
// the level's humans (items of the human types, people huts' occupants, and
// spline items of the human types). A people hut whose count is 0 gets a
// random 1 … 8 written back into its item.
void InitHumans();

// The skeleton of a human kind ("GetSkeletonFromHumanType: who?" for others).
int GetSkeletonFromHumanType(int humanType);

// A free human of `humanType` standing on the highest surface under (x, z).
ObjNode* MakeHuman(int humanType, float x, float z);

// Item routines. Human: kind parm[0], in a capsule when parm[3] bit 0.
// HumanType2: the same with kind 2. PeopleHut: parm[0] humans of kind
// parm[1] − 1 (any kind when parm[1] is 0).
bool AddHuman(TerrainItemEntryType* item, float x, float z);
bool AddHumanType2(TerrainItemEntryType* item, float x, float z);
bool AddPeopleHut(TerrainItemEntryType* item, float x, float z);
// Spline item routines: a human (kind parm[0]; HumanType2: kind 2) wandering
// its loop (HumansSpline.cpp).
bool AddHumanOnSpline(int splineNum, SplineItemType* item);
bool AddHumanType2OnSpline(int splineNum, SplineItemType* item);

// Whether a human can be rescued by touch now (free: not captured, rescued,
// beamed or carried off).
bool IsHumanRescuable(const ObjNode* human);

// Whether a node is the glass capsule round a captive (its hit handlers say
// which weapons break it).
bool IsHumanCapsule(const ObjNode* node);

// Trigger handler of TRIGGER_KIND_HUMAN: the robot touched a free human.
// Teleports it away and counts it. Returns true (it stays solid).
bool RescueHuman(ObjNode* human, ObjNode* whoTouched, uint32_t sides);

//
// The saucer level
//

// WEAPON_SAUCERBEAM handler: the human rises turning into the player's saucer
// (gPlayerNode); within 50 of its height it is handed to the saucer
// (SaucerTakeHumanAboard) and deleted.
bool BeamHumanUp(ObjNode* beam, ObjNode* human, const OGLPoint3D* where, const OGLVector3D* delta, float damage);

// A human let down from the saucer at `from`: it falls to the ground, walks to
// the drop zone and is delivered there (counted, exit charge + 0.05).
ObjNode* MakeDeliveredHuman(int humanType, const OGLPoint3D& from, const OGLPoint3D& dropZone);

// Counts a human that reached the drop zone and removes it.
void DeliverHuman(ObjNode* human);
