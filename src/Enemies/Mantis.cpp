// The mantis: it stalks the robot and now and then rears up to spit globs of
// acid at it. Only the arc shot sets it burning and hurts a normal robot's
// enemy; a giant robot's stun shots, fists and jet bring it down.
#include "Enemies/JungleCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"

#include <cmath>

namespace
{
	constexpr float HEALTH = 1.0f;
	constexpr float DAMAGE = 0.1f;
	constexpr float SHADOW_SIZE = 15.0f;
	constexpr float TARGET_OFFSET = 100.0f;

	constexpr float SIGHT_RANGE = 2500.0f;				// units: it stalks a robot nearer than this
	constexpr float WALK_SPEED = 280.0f;				// units per second
	constexpr float WALK_ANIM_SPEED = 1.4f;
	constexpr float TURN_SPEED = 1.3f;					// radians per second
	constexpr float FLINCH_TURN_SPEED = 10.0f;
	constexpr float FLINCH_SPEED = 500.0f;

	constexpr float FRICTION_STAND = 2000.0f;			// units per second²
	constexpr float FRICTION_HURT = 1200.0f;
	constexpr float FRICTION_DEAD = 1500.0f;

	constexpr float SPIT_TIME = 3.0f;					// seconds of spitting
	constexpr float SPIT_DELAY = 2.5f;					// seconds before it may spit again
	constexpr float GLOB_INTERVAL = 0.1f;				// seconds between globs, plus up to the next
	constexpr float GLOB_INTERVAL_RANDOM = 0.2f;
	constexpr float HURT_TIME = 3.0f;
	constexpr float BURN_TIME = 3.0f;
	constexpr float FLAME_SCALE = 50.0f;
	constexpr float ARC_DAMAGE = 0.09f;
	constexpr float GIANT_ARC_DAMAGE = 0.3f;
	constexpr float GIANT_STUN_DAMAGE = 0.2f;
	constexpr float GIANT_FIST_DAMAGE = 0.3f;

	constexpr float SPLINE_SPEED = 70.0f;
	constexpr float SPLINE_WALK_ANIM_SPEED = 2.0f;

	constexpr uint32_t MOVE_MASK = 0x9849;
	constexpr uint32_t CORPSE_MASK = 0x9040;

	enum { TIMER_SPITTING = 0, TIMER_HURT = 1, TIMER_SPIT_DELAY = 2, TIMER_GLOB = 3, TIMER_BURN = 4 };

	int Anim(const ObjNode* mantis)
	{
		return mantis->Skeleton->AnimNum;
	}

	void SwitchAnim(ObjNode* mantis, int anim, float morphSpeed)
	{
		MorphToSkeletonAnim(mantis->Skeleton, anim, morphSpeed);
	}

	void Friction(const ObjNode* mantis, float friction)
	{
		if (mantis->StatusBits & STATUS_BIT_ONGROUND)
			ApplyEnemyFriction(friction);
	}

	void Burn(ObjNode* mantis)
	{
		if (mantis->SpecialF[TIMER_BURN] <= 0)
			return;
		mantis->SpecialF[TIMER_BURN] -= gFrameTime;
		MakeJointFlames(mantis, FLAME_SCALE);
	}

	void Finish(ObjNode* mantis, uint32_t mask = MOVE_MASK, bool useBoundingBox = true)
	{
		EnemyGroundStep(mantis, mask, useBoundingBox);
		UpdateEnemy(mantis);
		Burn(mantis);
	}

	void SpitCheck(ObjNode* mantis)
	{
		if (gPlayerLevel.invincibleTimer > 0 || !IsRobotInPlay() || !CreatureCanSeePlayer(mantis))
			return;
		mantis->SpecialF[TIMER_SPIT_DELAY] -= gFrameTime;
		if (mantis->SpecialF[TIMER_SPIT_DELAY] <= 0 && EnemyDistanceToPlayer(mantis) < MANTIS_SPIT_RANGE)
		{
			SwitchAnim(mantis, MANTIS_ANIM_SPIT, 3);
			mantis->SpecialF[TIMER_SPITTING] = SPIT_TIME;
			mantis->SpecialF[TIMER_SPIT_DELAY] = SPIT_DELAY;
		}
	}

	void MoveStand(ObjNode* mantis)
	{
		Friction(mantis, FRICTION_STAND);
		if (IsRobotInPlay())
		{
			TurnEnemyTowardPlayer(mantis, TURN_SPEED);
			if (EnemyDistanceToPlayer(mantis) < SIGHT_RANGE)
				SwitchAnim(mantis, MANTIS_ANIM_WALK, 4);
		}
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		SpitCheck(mantis);
		Finish(mantis);
	}

	void MoveWalk(ObjNode* mantis)
	{
		TurnEnemyTowardPlayer(mantis, TURN_SPEED);
		gObjDelta.x = -std::sin(mantis->Rot.y) * WALK_SPEED;
		gObjDelta.z = -std::cos(mantis->Rot.y) * WALK_SPEED;
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		if (EnemyDistanceToPlayer(mantis) >= SIGHT_RANGE)
			SwitchAnim(mantis, MANTIS_ANIM_STAND, 4);
		else
			mantis->Skeleton->AnimSpeed = WALK_ANIM_SPEED;
		SpitCheck(mantis);
		Finish(mantis);
	}

	void MoveSpit(ObjNode* mantis)
	{
		Friction(mantis, FRICTION_STAND);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(mantis, MOVE_MASK, true);
		mantis->SpecialF[TIMER_GLOB] -= gFrameTime;
		if (mantis->SpecialF[TIMER_GLOB] <= 0)
		{
			mantis->SpecialF[TIMER_GLOB] += GLOB_INTERVAL + RandomFloat() * GLOB_INTERVAL_RANDOM;
			SpitMantisAcid(mantis);
			PlayEnemyEffect3D(EFFECT_SPIT, &gObjCoord);
		}
		mantis->SpecialF[TIMER_SPITTING] -= gFrameTime;
		if (mantis->SpecialF[TIMER_SPITTING] <= 0)
			SwitchAnim(mantis, MANTIS_ANIM_STAND, 2);
		UpdateEnemy(mantis);
		Burn(mantis);
	}

	void MoveHurt(ObjNode* mantis)
	{
		if (mantis->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(mantis, FLINCH_TURN_SPEED);
		Friction(mantis, FRICTION_HURT);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		mantis->SpecialF[TIMER_HURT] -= gFrameTime;
		if (mantis->SpecialF[TIMER_HURT] <= 0)
			SwitchAnim(mantis, MANTIS_ANIM_STAND, 3);
		Finish(mantis);
	}

	void MoveDead(ObjNode* mantis)
	{
		if (DeleteCorpseIfGone(mantis))
			return;
		if (mantis->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(mantis, FLINCH_TURN_SPEED);
		Friction(mantis, FRICTION_DEAD);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		Finish(mantis, CORPSE_MASK);
	}

	constexpr ObjNodeRoutine kMoveByAnim[NUM_MANTIS_ANIMS] = {MoveStand, MoveWalk, MoveSpit, MoveHurt, MoveDead};

	void KillMantis(ObjNode* mantis)
	{
		if (mantis->Flag[ENEMY_FLAG_DYING])
			return;
		DetachEnemyFromSpline(mantis, MoveMantis);
		mantis->Flag[ENEMY_FLAG_DYING] = 1;
		mantis->CType = CTYPE_MISC;
		if (Anim(mantis) != MANTIS_ANIM_DEAD)
		{
			SwitchAnim(mantis, MANTIS_ANIM_DEAD, 5);
			SpillPowerups(mantis, 0, 1, 2);
		}
		ClearEnemyHitHandlers(mantis);
		if (!mantis->Flag[ENEMY_FLAG_COMES_BACK])
			mantis->TerrainItemPtr = nullptr;
	}

	bool HurtMantis(ObjNode* mantis, float damage)
	{
		if (mantis->Flag[ENEMY_FLAG_DYING])
			return false;
		DetachEnemyFromSpline(mantis, MoveMantis);
		mantis->Health -= damage;
		if (mantis->Health <= 0)
		{
			KillMantis(mantis);
			return true;
		}
		if (Anim(mantis) != MANTIS_ANIM_HURT)
			SwitchAnim(mantis, MANTIS_ANIM_HURT, 5);
		mantis->SpecialF[TIMER_HURT] = HURT_TIME;
		return true;
	}

	bool HitByWeapon(ObjNode* weapon, ObjNode* mantis, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (!weapon)
		{
			KillMantis(mantis);
			return true;
		}
		switch (weapon->Kind)
		{
			case WEAPON_ARCSHOT:
				mantis->SpecialF[TIMER_BURN] = BURN_TIME;
				return HurtMantis(mantis, IsPlayerGiant() ? GIANT_ARC_DAMAGE : ARC_DAMAGE);
			case WEAPON_STUNGUN:
				if (!IsPlayerGiant())
					return false;
				KnockCreatureBack(mantis);
				return HurtMantis(mantis, GIANT_STUN_DAMAGE);
			default:
				return false;
		}
	}

	constexpr CreatureHitRoutines kMantisHits = {.hurt = HurtMantis, .kill = KillMantis, .fistDamage = GIANT_FIST_DAMAGE};

	// Every shot lands in the one handler, which sorts them by the projectile's weapon.
	constexpr CreatureHitTable kMantisHitTable = [] {
		CreatureHitTable t{};
		for (int w = WEAPON_STUNGUN; w <= WEAPON_DART; w++)
			t[w] = HitByWeapon;
		t[WEAPON_FIST] = CreatureHitByGiantFist<kMantisHits>;
		t[WEAPON_JETHIT] = CreatureHitByGiantJet<kMantisHits>;
		t[WEAPON_HURT] = CreatureHitByHurt<kMantisHits>;
		return t;
	}();

	void SizeMantisBox(ObjNode* mantis)
	{
		mantis->TopOff = 200;
		mantis->BottomOff = -500;
		mantis->LeftOff = -120;
		mantis->RightOff = 120;
		mantis->FrontOff = 120;
		mantis->BackOff = -120;
		CalcObjectBoxFromNode(mantis);
	}
}

const CreatureKind kMantisKind = {
	.kind = ENEMY_KIND_MANTIS,
	.limit = MANTIS_LIMIT,
	.skeletonType = SKELETON_TYPE_MANTIS,
	.scale = MANTIS_SCALE,
	.health = HEALTH,
	.damage = DAMAGE,
	.targetOffset = TARGET_OFFSET,
	.shadowX = SHADOW_SIZE,
	.shadowZ = SHADOW_SIZE,
	.hits = &kMantisHitTable,
	.move = MoveMantis,
	.sizeBox = SizeMantisBox,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = JUNGLE_SPLINE_DETACH, .walkAnim = MANTIS_ANIM_WALK,
		.walkAnimSpeed = SPLINE_WALK_ANIM_SPEED, .damage = 0},
};

void MoveMantis(ObjNode* mantis)
{
	if (IsEnemyOutOfRange(mantis))
	{
		DeleteEnemy(mantis);
		return;
	}
	mantis->OldCoord = mantis->Coord;
	GetObjectInfo(mantis);
	int anim = Anim(mantis);
	if (anim >= 0 && anim < NUM_MANTIS_ANIMS)
		kMoveByAnim[anim](mantis);
}
