// Small moves the city's and the clouds' creatures share: walking along the
// heading, seeing the robot, how far it stands off the heading, the knock-back
// of a punch or a jump-jet hit, the push of a shot, and the puff of confetti
// and sparks a circus act or a mutant leaves when it dies. They work between
// GetObjectInfo and UpdateEnemy, like the framework's moves (Enemy.h).
//
// Also the hit handlers most creatures share (a shot that hurts and pushes,
// a punch or a jet that hurts and throws back, a blow that kills outright,
// the freeze gun, the giant robot's blows), each made for one creature from
// its own hurt and kill routines.
//
// And the kit every creature kind is made with: one CreatureKind per kind
// (its skeleton, scale, health, box, shadow, hit table, move routine and how
// it patrols a spline loop), made by MakeCreature, from a map item by
// AddCreature<kind> and onto a loop by AddCreatureOnSpline<kind>: the item
// and spline tables name those two directly.
#pragma once

#include "System/Objects.h"

#include <array>

struct TerrainItemEntryType;
struct SplineItemType;

// The skeleton's current animation (−1 without a skeleton).
int CreatureAnim(const ObjNode* creature);
bool CreatureOnGround(const ObjNode* creature);
// gObjDelta's horizontal part along the heading at `speed` units per second.
void SetVelocityAlongHeading(const ObjNode* creature, float speed);
// Nothing that blocks sight (nor a fence) lies between it and the robot.
bool CreatureCanSeePlayer(const ObjNode* creature);
// The angle between its heading and the way to the robot (0 … π; π without one).
float AngleOffHeadingToPlayer(const ObjNode* creature);
// True 3D distance to the robot (FAR_DISTANCE without one).
float CreatureDistance3DToPlayer(const ObjNode* creature);
// Thrown back along the robot's heading at 1000 and up at 500 (a punch, a jet hit).
void KnockCreatureBack(ObjNode* creature);
// A shot's push: 0.4 of its velocity and 200 up.
void PushCreatureByShot(ObjNode* creature, const OGLVector3D* shotDelta);
// Two puffs (dust and flash) and a ring of yellow sparks where it stood.
void BurstCreatureIntoSparks(const ObjNode* creature);

//
// Shared hit handlers
//

// A creature's own answers to a hit: the shared handlers below call these.
struct CreatureHitRoutines
{
	// Takes `damage` off its health (dying when none is left); true when the hit counted.
	bool (*hurt)(ObjNode* creature, float damage) = nullptr;
	void (*kill)(ObjNode* creature) = nullptr;
	// The move it goes back to off a spline (what the freeze gun detaches it to).
	ObjNodeRoutine freeMove = nullptr;
	float fistDamage = 0;		// health a punch takes
	float jetDamage = 0;		// health a jump-jet landing takes
	float shotDamage = 0;		// health a shot takes; 0: the shot's own damage
};

// What each handler does with the routines (the handlers below call these).
bool CreatureTakesShot(const CreatureHitRoutines& r, ObjNode* weapon, ObjNode* creature, const OGLVector3D* delta, float damage);
bool CreatureTakesBlow(const CreatureHitRoutines& r, ObjNode* creature, float damage);
bool CreatureTakesDeathBlow(const CreatureHitRoutines& r, ObjNode* creature);
bool CreatureTakesFreeze(const CreatureHitRoutines& r, ObjNode* creature);
bool CreatureTakesGiantFist(const CreatureHitRoutines& r, ObjNode* creature);
bool CreatureTakesGiantJet(const CreatureHitRoutines& r, ObjNode* creature);

// The handlers, made for one creature's routines (a constexpr
// CreatureHitRoutines at file scope) and named in its kind's hit table, e.g.
//   t[WEAPON_FIST] = CreatureHitByFist<kClownHits>;

// Hurt by the shot's damage (or the creature's own shot damage) and pushed by it.
template <const CreatureHitRoutines& R>
bool CreatureHitByShot(ObjNode* weapon, ObjNode* creature, const OGLPoint3D*, const OGLVector3D* delta, float damage)
{
	return CreatureTakesShot(R, weapon, creature, delta, damage);
}

// Hurt by the punch's damage and knocked back.
template <const CreatureHitRoutines& R>
bool CreatureHitByFist(ObjNode*, ObjNode* creature, const OGLPoint3D*, const OGLVector3D*, float)
{
	return CreatureTakesBlow(R, creature, R.fistDamage);
}

// Hurt by the jump-jet's damage and knocked back.
template <const CreatureHitRoutines& R>
bool CreatureHitByJet(ObjNode*, ObjNode* creature, const OGLPoint3D*, const OGLVector3D*, float)
{
	return CreatureTakesBlow(R, creature, R.jetDamage);
}

// Killed outright (a nova, or whatever this creature cannot survive).
template <const CreatureHitRoutines& R>
bool CreatureHitToDeath(ObjNode*, ObjNode* creature, const OGLPoint3D*, const OGLVector3D*, float)
{
	return CreatureTakesDeathBlow(R, creature);
}

// Hurt by the given damage, nothing else (the framework's HurtEnemy).
template <const CreatureHitRoutines& R>
bool CreatureHitByHurt(ObjNode*, ObjNode* creature, const OGLPoint3D*, const OGLVector3D*, float damage)
{
	return R.hurt(creature, damage);
}

// Frozen (and off its spline) unless it is dying.
template <const CreatureHitRoutines& R>
bool CreatureHitByFreeze(ObjNode*, ObjNode* creature, const OGLPoint3D*, const OGLVector3D*, float)
{
	return CreatureTakesFreeze(R, creature);
}

// Only a giant robot's punch counts: knocked back, then hurt by the punch's damage.
template <const CreatureHitRoutines& R>
bool CreatureHitByGiantFist(ObjNode*, ObjNode* creature, const OGLPoint3D*, const OGLVector3D*, float)
{
	return CreatureTakesGiantFist(R, creature);
}

// Only a giant robot's jump-jet landing counts, and it kills.
template <const CreatureHitRoutines& R>
bool CreatureHitByGiantJet(ObjNode*, ObjNode* creature, const OGLPoint3D*, const OGLVector3D*, float)
{
	return CreatureTakesGiantJet(R, creature);
}

//
// Creature kinds
//

// A kind's answer to each weapon type, indexed by weapon type; an empty slot
// lets that weapon pass through.
using CreatureHitTable = std::array<WeaponHitHandler, NUM_WEAPON_TYPES>;

// Fills the node's hit slots from a kind's table.
void InstallCreatureHits(ObjNode* creature, const CreatureHitTable& hits);

// How a kind patrols a spline loop.
struct CreatureLoop
{
	float speed = 0;					// loop points per second; 0: the kind rides no loop
	float detachDistance = 0;			// units: the robot nearer than this draws it off
	bool trueDistance = false;			// measured in 3D (else the fast x/z estimate)
	int walkAnim = -1;					// the animation it patrols in (morphed to at speed 10); −1: as made
	float walkAnimSpeed = 0;			// that animation's speed; 0: as made
	float health = -1;					// −1: as made free
	float damage = -1;					// −1: as made free (many patrollers are harmless until they leave)
	bool boxFromSkeleton = false;		// its box from its skinned bounds while it patrols
	void (*whileRiding)(ObjNode*) = nullptr;	// after each frame on the loop in range: glow, eyes
	ObjNodeRoutine ownMove = nullptr;	// a kind that flies its own way round instead of the shared ride
};

// Everything that sets one kind of creature apart, read by the kit.
struct CreatureKind
{
	uint8_t kind = 0;					// EnemyKind
	int limit = -1;						// free ones alive above which an item without the always-add bit waits; −1: none
	bool setPiece = false;				// made from its item whatever the cap and the counts
	bool facesItemHeading = false;		// heading = item parameter 0 × 45°
	int skeletonType = -1;
	float scale = 1;
	float health = 1;
	float damage = 0;					// taken from the robot on contact or by its attack
	float targetOffset = 0;				// units of random aim wobble for the robot's homing shots; 0: none
	float shadowX = 0, shadowZ = 0;		// shadow size; 0: no shadow
	const CreatureHitTable* hits = nullptr;
	ObjNodeRoutine move = nullptr;		// its frame while free
	void (*prepare)(ObjNode*) = nullptr;	// its own fields and looks, before its box is sized
	void (*sizeBox)(ObjNode*) = nullptr;	// its own collision box; none: the skinned bounds
	void (*dress)(ObjNode*) = nullptr;	// what it carries once made: sparkles, a glow, a bomb
	ObjNode* (*build)(float x, float z) = nullptr;	// a body that is no skeleton (a chain of models), made whole
	CreatureLoop loop = {};
};

// A free creature at (x, z), standing on the ground, not yet counted.
ObjNode* MakeCreature(const CreatureKind& kind, float x, float z, float rotY = 0);
// From a map item: the cap and the kind's limit (unless a set piece), linked to the item and counted.
bool AddCreatureFromItem(const CreatureKind& kind, TerrainItemEntryType* item, float x, float z);
// Onto the item's loop at its placement, riding with `loopMove` (or the kind's own), not counted.
bool AddCreatureToLoop(const CreatureKind& kind, int splineNum, SplineItemType* item, ObjNodeRoutine loopMove);
// One frame of the shared ride round a loop, then the kind's own upkeep.
void RideCreatureLoop(const CreatureKind& kind, ObjNode* creature);

template <const CreatureKind& K>
void MoveCreatureOnLoop(ObjNode* creature)
{
	RideCreatureLoop(K, creature);
}

// The item table's routine for a kind.
template <const CreatureKind& K>
bool AddCreature(TerrainItemEntryType* item, float x, float z)
{
	return AddCreatureFromItem(K, item, x, z);
}

// The spline item table's routine for a kind.
template <const CreatureKind& K>
bool AddCreatureOnSpline(int splineNum, SplineItemType* item)
{
	return AddCreatureToLoop(K, splineNum, item, MoveCreatureOnLoop<K>);
}
