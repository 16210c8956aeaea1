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
#pragma once

#include "System/Objects.h"

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
// CreatureHitRoutines at file scope), e.g.
//   clown->HitByWeaponHandler[WEAPON_FIST] = CreatureHitByFist<kClownHits>;

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
