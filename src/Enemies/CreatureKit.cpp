// Shared moves of the city's and the clouds' creatures (CreatureKit.h).
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Enemies/JungleCreatures.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/Math.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"

#include <SDL_opengl.h>		// blending enums of the particle groups
#include <cmath>

namespace
{
	constexpr float KNOCK_BACK_SPEED = 1000.0f;		// units per second along the robot's heading
	constexpr float KNOCK_BACK_LIFT = 500.0f;
	constexpr float SHOT_PUSH_SHARE = 0.4f;			// of the shot's velocity
	constexpr float SHOT_PUSH_LIFT = 200.0f;
	constexpr uint32_t SIGHT_MASK = CTYPE_BLOCKSIGHT | CTYPE_FENCE;

	// A hit may land during the creature's own move (its working copy is
	// gObjDelta) or anyone else's (its node holds the truth).
	OGLVector3D& WorkingDelta(ObjNode* creature)
	{
		return gCurrentMoveNode == creature ? gObjDelta : creature->Delta;
	}
}

int CreatureAnim(const ObjNode* creature)
{
	return creature->Skeleton ? creature->Skeleton->AnimNum : -1;
}

bool CreatureOnGround(const ObjNode* creature)
{
	return creature->StatusBits & STATUS_BIT_ONGROUND;
}

void SetVelocityAlongHeading(const ObjNode* creature, float speed)
{
	gObjDelta.x = -std::sin(creature->Rot.y) * speed;
	gObjDelta.z = -std::cos(creature->Rot.y) * speed;
}

bool CreatureCanSeePlayer(const ObjNode* creature)
{
	if (!gPlayerNode)
		return false;
	OGLPoint3D from = creature->Coord, to = gPlayerNode->Coord;
	return !SegmentHitsAnything(&from, &to, creature, SIGHT_MASK);
}

float AngleOffHeadingToPlayer(const ObjNode* creature)
{
	if (!gPlayerNode)
		return PI;
	float dx = gPlayerNode->Coord.x - creature->Coord.x, dz = gPlayerNode->Coord.z - creature->Coord.z;
	float len = std::hypot(dx, dz);
	if (len <= 0)
		return 0;
	float hx = -std::sin(creature->Rot.y), hz = -std::cos(creature->Rot.y);
	float c = (dx * hx + dz * hz) / len;
	return std::acos(std::fmax(-1.0f, std::fmin(1.0f, c)));
}

float CreatureDistance3DToPlayer(const ObjNode* creature)
{
	if (!gPlayerNode)
		return FAR_DISTANCE;
	const OGLPoint3D& p = gPlayerNode->Coord;
	return CalcDistance3D(creature->Coord.x, creature->Coord.y, creature->Coord.z, p.x, p.y, p.z);
}

void KnockCreatureBack(ObjNode* creature)
{
	if (creature->CType == INVALID_NODE_FLAG || !gPlayerNode)
		return;
	float heading = gPlayerNode->Rot.y;
	WorkingDelta(creature) = {-std::sin(heading) * KNOCK_BACK_SPEED, KNOCK_BACK_LIFT, -std::cos(heading) * KNOCK_BACK_SPEED};
	creature->StatusBits &= ~STATUS_BIT_ONGROUND;
}

void PushCreatureByShot(ObjNode* creature, const OGLVector3D* shotDelta)
{
	if (creature->CType == INVALID_NODE_FLAG)
		return;
	OGLVector3D& d = WorkingDelta(creature);
	if (shotDelta)
	{
		d.x += SHOT_PUSH_SHARE * shotDelta->x;
		d.y += SHOT_PUSH_SHARE * shotDelta->y;
		d.z += SHOT_PUSH_SHARE * shotDelta->z;
	}
	d.y += SHOT_PUSH_LIFT;
	creature->StatusBits &= ~STATUS_BIT_ONGROUND;
}

void BurstCreatureIntoSparks(const ObjNode* creature)
{
	const OGLPoint3D& c = creature->Coord;
	MakeRadialPuff(c.x, c.y, c.z, 400, 1, PARTICLE_SPRITE_DUST, 80);
	MakeRadialPuff(c.x, c.y, c.z, 300, 1, PARTICLE_SPRITE_FLASH, 60);
	MakeSparkBurst(c.x, c.y, c.z, 80, PARTICLE_SPRITE_SPARK_YELLOW, GL_SRC_ALPHA, GL_ONE, 0.5f);
}

//
// Shared hit handlers
//

bool CreatureTakesShot(const CreatureHitRoutines& r, ObjNode* weapon, ObjNode* creature, const OGLVector3D* delta, float damage)
{
	bool taken = r.hurt(creature, r.shotDamage > 0 ? r.shotDamage : WeaponDamage(weapon, damage));
	PushCreatureByShot(creature, delta);
	return taken;
}

bool CreatureTakesBlow(const CreatureHitRoutines& r, ObjNode* creature, float damage)
{
	bool taken = r.hurt(creature, damage);
	KnockCreatureBack(creature);
	return taken;
}

bool CreatureTakesDeathBlow(const CreatureHitRoutines& r, ObjNode* creature)
{
	r.kill(creature);
	return true;
}

bool CreatureTakesFreeze(const CreatureHitRoutines& r, ObjNode* creature)
{
	if (creature->Flag[ENEMY_FLAG_DYING])
		return false;
	FreezeEnemy(creature, r.freeMove);
	return true;
}

bool CreatureTakesGiantFist(const CreatureHitRoutines& r, ObjNode* creature)
{
	if (!IsPlayerGiant())
		return false;
	KnockCreatureBack(creature);
	return r.hurt(creature, r.fistDamage);
}

bool CreatureTakesGiantJet(const CreatureHitRoutines& r, ObjNode* creature)
{
	if (!IsPlayerGiant())
		return false;
	r.kill(creature);
	return true;
}

//
// Creature kinds
//

void InstallCreatureHits(ObjNode* creature, const CreatureHitTable& hits)
{
	for (int w = 0; w < NUM_WEAPON_TYPES; w++)
		creature->HitByWeaponHandler[w] = hits[w];
}

ObjNode* MakeCreature(const CreatureKind& k, float x, float z, float rotY)
{
	if (k.build)
		return k.build(x, z);
	ObjNode* creature = MakeEnemySkeleton(k.skeletonType, x, z, k.scale, rotY, k.move);
	creature->Kind = k.kind;
	creature->Health = k.health;
	creature->Damage = k.damage;
	// The order below is the order the creatures have always been made in:
	// several draw random numbers (their own timers first, then the aim wobble).
	if (k.prepare)
		k.prepare(creature);
	if (k.sizeBox)
		k.sizeBox(creature);
	else
		CreateCollisionBoxFromBoundingBox(creature, 1, 1);
	if (k.targetOffset > 0)
		SetRandomTargetOff(creature, k.targetOffset);
	if (k.shadowX > 0)
		AttachShadowToObject(creature, 0, k.shadowX, k.shadowZ, false);
	if (k.hits)
		InstallCreatureHits(creature, *k.hits);
	if (k.dress)
		k.dress(creature);
	return creature;
}

bool AddCreatureFromItem(const CreatureKind& k, TerrainItemEntryType* item, float x, float z)
{
	if (!k.setPiece && !CanAddEnemy(k.kind, item, k.limit))
		return false;
	const float rotY = k.facesItemHeading && item ? float(item->parm[0]) * (PI / 4) : 0.0f;
	AttachEnemyToItem(MakeCreature(k, x, z, rotY), item);
	return true;
}

bool AddCreatureToLoop(const CreatureKind& k, int splineNum, SplineItemType* item, ObjNodeRoutine loopMove)
{
	float x, z;
	GetCoordOnSpline(&gSplineList[splineNum], item->placement, &x, &z);
	ObjNode* creature = MakeCreature(k, x, z);
	const CreatureLoop& loop = k.loop;
	if (loop.health >= 0)
		creature->Health = loop.health;
	if (loop.damage >= 0)
		creature->Damage = loop.damage;
	if (loop.boxFromSkeleton)
		CreateCollisionBoxFromBoundingBox(creature, 1, 1);
	if (creature->Skeleton && loop.walkAnim >= 0)
		MorphToSkeletonAnim(creature->Skeleton, loop.walkAnim, 10);
	if (creature->Skeleton && loop.walkAnimSpeed > 0)
		creature->Skeleton->AnimSpeed = loop.walkAnimSpeed;
	StartSplineRider(creature, splineNum, item, loop.ownMove ? loop.ownMove : loopMove, true);
	return true;
}

void RideCreatureLoop(const CreatureKind& k, ObjNode* creature)
{
	const EnemySplineRide ride = {k.loop.speed, k.loop.detachDistance, k.loop.trueDistance, k.move};
	if (MoveEnemyOnSpline(creature, ride) && creature->CType != INVALID_NODE_FLAG && k.loop.whileRiding)
		k.loop.whileRiding(creature);
}
