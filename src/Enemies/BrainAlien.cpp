// The brain alien and the elite brain alien: making them, one move routine
// per animation, the attack check (bite up close, zap at range), the zap
// projectile, and how they take hits, freeze and die.
#include "Enemies/BrainAlien.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/BG3D.h"
#include "3D/Skeleton.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"

#include <cmath>

namespace
{
	//
	// Tunables
	//

	constexpr float BRAINALIEN_SCALE = 1.7f;
	constexpr float ELITE_SCALE = 2.1f;
	constexpr float ELITE_SIZE_FACTOR = 1.3f;
	constexpr float ELITE_TARGET_OFFSET = 20.0f;		// units of aim wobble for the robot's homing shots
	constexpr float SHADOW_SIZE = 8.0f;

	constexpr float TURN_SPEED = 3.0f;					// radians per second
	constexpr float FLINCH_TURN_SPEED = 10.0f;			// turning away from a knock-back
	constexpr float FLINCH_SPEED = 500.0f;				// units per second above which it turns away
	constexpr float WALK_SPEED = 280.0f;				// units per second
	constexpr float RUN_SPEED = 700.0f;
	constexpr float WALK_ANIM_SPEED = 2.8f;
	constexpr float RUN_ANIM_SPEED = 2.1f;
	constexpr float CHASE_NEAR = 300.0f;				// units: a normal alien only walks at a robot between these
	constexpr float CHASE_FAR = 1500.0f;

	constexpr float FRICTION_STAND = 2000.0f;			// units per second²
	constexpr float FRICTION_DEATH = 1500.0f;
	constexpr float FRICTION_ZAP = 3000.0f;
	constexpr float FRICTION_HIT = 1200.0f;
	constexpr float FRICTION_BITE = 3000.0f;

	constexpr float BITE_RANGE = 180.0f;				// units
	constexpr float BITE_ANGLE = PI / 4;				// radians still to turn at most
	constexpr float BITE_BOX_HALF = 30.0f;				// the bite's test cube is 60 units
	constexpr float ZAP_RANGE = 1400.0f;
	constexpr float ZAP_ANGLE = PI / 6;
	constexpr float ATTACK_DELAY = 2.5f;				// seconds between zap decisions
	constexpr float ELITE_ATTACK_DELAY = 1.5f;
	constexpr float ZAP_DURATION = 1.5f;				// seconds in the zap animation
	constexpr float ZAP_FIRST_SHOT = 0.3f;				// seconds into it before the first zap
	constexpr float ZAP_REPEAT = 0.2f;
	constexpr float HURT_TIME = 3.0f;
	constexpr float FIST_DAMAGE = 0.4f;
	constexpr float JET_DAMAGE = 1.0f;
	constexpr float KNOCK_BACK_SPEED = 1000.0f;			// units per second, along the robot's heading
	constexpr float KNOCK_BACK_LIFT = 500.0f;
	constexpr int16_t CORPSE_TOP = 10;					// the corpse's box top: the robot steps over it

	constexpr float SPLINE_SPEED = 70.0f;				// loop points per second
	constexpr float SPLINE_DETACH_DISTANCE = 750.0f;	// the robot this near (fast estimate) draws it off
	constexpr float SPLINE_WALK_ANIM_SPEED = 2.0f;

	constexpr float ZAP_SCALE = 0.3f;
	constexpr float ZAP_SPEED = 1200.0f;
	constexpr float ZAP_LIFETIME = 0.7f;				// seconds, counted down at 1.3 per second
	constexpr float ZAP_AGEING = 1.3f;
	constexpr float ZAP_STRETCH = 0.2f;					// z scale per second
	constexpr float ZAP_WOBBLE = 0.4f;
	constexpr float ZAP_FADE = 3.0f;					// alpha per second
	constexpr float ZAP_BURST_GROWTH = 5.0f;			// scale per second while bursting
	constexpr float ZAP_HIT_DISTANCE = 100.0f;
	constexpr uint16_t ZAP_SLOT = 3000;
	constexpr OGLPoint3D ZAP_OFFSET = {0, 8, -12};		// from the head joint
	constexpr OGLPoint3D BITE_OFFSET = {0, 4, -14};

	// Collision classes of the moves: enemy, fence, 0x0800, misc, trigger2, player.
	constexpr uint32_t MOVE_MASK = 0x9849;
	constexpr uint32_t CORPSE_MASK = CTYPE_ENEMY | CTYPE_FENCE | CTYPE_MISC;
	constexpr uint32_t SIGHT_MASK = CTYPE_BLOCKSIGHT | CTYPE_FENCE;

	// Per-kind timers in SpecialF (the framework owns ENEMY_TIMER_FROZEN).
	enum { TIMER_ATTACK = 0, TIMER_SHOOT = 1, TIMER_ZAP = 2, TIMER_HURT = 3, TIMER_EMERGE = 5 };
	// Mode: an elite still walking out of its portal.
	enum : uint8_t { MODE_NORMAL = 0, MODE_EMERGING = 1 };
	// Zap modes.
	enum : uint8_t { ZAP_FLYING = 0, ZAP_BURSTING = 1 };

	// The glow of the bare brain.
	constexpr EnemySparkleJoint kBrainSparkles[] = {
		{BRAINALIEN_JOINT_HEAD, {0, 13, 0}, 1.0f},
	};
	constexpr int NUM_BRAIN_SPARKLES = int(sizeof(kBrainSparkles) / sizeof(kBrainSparkles[0]));
	constexpr OGLColorRGBA BRAIN_GLOW = {0.7f, 1.0f, 0.5f, 1.0f};
	constexpr OGLColorRGBA ELITE_GLOW = {1.0f, 0.7f, 0.5f, 1.0f};

	bool IsElite(const ObjNode* alien)
	{
		return alien->Kind == ENEMY_KIND_ELITEBRAINALIEN;
	}

	int Anim(const ObjNode* alien)
	{
		return alien->Skeleton->AnimNum;
	}

	void SwitchAnim(ObjNode* alien, int anim, float morphSpeed)
	{
		MorphToSkeletonAnim(alien->Skeleton, anim, morphSpeed);
	}

	// The end of every move: the step, the ground, the commit, the glow and the zap's hum.
	void FinishMove(ObjNode* alien, uint32_t mask, bool useBoundingBox)
	{
		EnemyGravityAndMove();
		EnemyGroundStep(alien, mask, useBoundingBox);
		UpdateEnemy(alien);
		UpdateEnemySparkles(alien, kBrainSparkles, NUM_BRAIN_SPARKLES);
		if (Anim(alien) == BRAINALIEN_ANIM_ZAP && !IsEnemyFrozen(alien))
			KeepEnemyEffectLooping(alien, EFFECT_BRAINWAVE);
		else
			StopAChannelIfEffectNum(&alien->EffectChannel, EFFECT_BRAINWAVE);
	}

	//
	// Attacks
	//

	bool CanSeePlayer(const ObjNode* alien)
	{
		OGLPoint3D from = alien->Coord, to = gPlayerNode->Coord;
		return !SegmentHitsAnything(&from, &to, alien, SIGHT_MASK);
	}

	// Bites up close, or now and then starts zapping when facing the robot.
	void AttackCheck(ObjNode* alien, float angleLeft)
	{
		if (!IsRobotInPlay() || gPlayerLevel.invincibleTimer > 0)
			return;
		if (!CanSeePlayer(alien))
			return;
		float d = EnemyDistanceToPlayer(alien);
		if (d < BITE_RANGE && angleLeft < BITE_ANGLE)
		{
			SwitchAnim(alien, BRAINALIEN_ANIM_BITE, 7);
			PlayEnemyEffect3D(EFFECT_HEADSWOOSH, &alien->Coord);
			return;
		}
		alien->SpecialF[TIMER_ATTACK] -= gFrameTime;
		if (alien->SpecialF[TIMER_ATTACK] < 0)
		{
			alien->SpecialF[TIMER_ATTACK] = IsElite(alien) ? ELITE_ATTACK_DELAY : ATTACK_DELAY;
			if (angleLeft < ZAP_ANGLE && d < ZAP_RANGE)
			{
				SwitchAnim(alien, BRAINALIEN_ANIM_ZAP, 5);
				alien->SpecialF[TIMER_SHOOT] = ZAP_FIRST_SHOT;
				alien->SpecialF[TIMER_ZAP] = ZAP_DURATION;
			}
		}
	}

	//
	// One move routine per animation
	//

	void MoveStand(ObjNode* alien)
	{
		if (CreatureOnGround(alien))
			ApplyEnemyFriction(FRICTION_STAND);
		float angleLeft = TurnEnemyTowardPlayer(alien, TURN_SPEED);
		if (IsElite(alien))
			SwitchAnim(alien, BRAINALIEN_ANIM_RUN, 4);
		else
		{
			float d = EnemyDistanceToPlayer(alien);
			if (!IsHoleInFront(gObjCoord.x, gObjCoord.z, alien->Rot.y) && d > CHASE_NEAR && d < CHASE_FAR)
				SwitchAnim(alien, (RandomNumber() & 1) ? BRAINALIEN_ANIM_RUN : BRAINALIEN_ANIM_WALK, 4);
		}
		ApplyEnemyGravity();
		AttackCheck(alien, angleLeft);
		FinishMove(alien, MOVE_MASK, false);
	}

	void MoveWalkOrRun(ObjNode* alien, float speed, float animSpeed)
	{
		float angleLeft = TurnEnemyTowardPlayer(alien, TURN_SPEED);
		SetVelocityAlongHeading(alien, speed);
		ApplyEnemyGravity();
		float d = EnemyDistanceToPlayer(alien);
		bool outOfChase = !IsElite(alien) && (d >= CHASE_FAR || d <= CHASE_NEAR);
		if (IsHoleInFront(gObjCoord.x, gObjCoord.z, alien->Rot.y) || outOfChase)
		{
			SwitchAnim(alien, BRAINALIEN_ANIM_STAND, 4);
			// No step over the edge on the way to standing.
			gObjDelta.x = gObjDelta.z = 0;
		}
		else
			alien->Skeleton->AnimSpeed = animSpeed;
		AttackCheck(alien, angleLeft);
		FinishMove(alien, MOVE_MASK, false);
	}

	void MoveWalk(ObjNode* alien)
	{
		MoveWalkOrRun(alien, WALK_SPEED, WALK_ANIM_SPEED);
	}

	void MoveRun(ObjNode* alien)
	{
		MoveWalkOrRun(alien, RUN_SPEED, RUN_ANIM_SPEED);
	}

	void MoveDeath(ObjNode* alien)
	{
		if (DeleteCorpseIfGone(alien))
			return;
		if (alien->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(alien, FLINCH_TURN_SPEED);
		if (CreatureOnGround(alien))
			ApplyEnemyFriction(FRICTION_DEATH);
		ApplyEnemyGravity();
		FinishMove(alien, CORPSE_MASK, true);
	}

	void MoveZap(ObjNode* alien)
	{
		if (CreatureOnGround(alien))
			ApplyEnemyFriction(FRICTION_ZAP);
		ApplyEnemyGravity();
		alien->SpecialF[TIMER_SHOOT] -= gFrameTime;
		if (alien->SpecialF[TIMER_SHOOT] < 0)
		{
			alien->SpecialF[TIMER_SHOOT] += ZAP_REPEAT;
			ShootBrainAlienZap(alien);
		}
		alien->SpecialF[TIMER_ZAP] -= gFrameTime;
		if (alien->SpecialF[TIMER_ZAP] <= 0)
			SwitchAnim(alien, BRAINALIEN_ANIM_STAND, 8);
		FinishMove(alien, MOVE_MASK, false);
	}

	void MoveHit(ObjNode* alien)
	{
		if (alien->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(alien, FLINCH_TURN_SPEED);
		if (CreatureOnGround(alien))
			ApplyEnemyFriction(FRICTION_HIT);
		ApplyEnemyGravity();
		alien->SpecialF[TIMER_HURT] -= gFrameTime;
		if (alien->SpecialF[TIMER_HURT] <= 0)
			SwitchAnim(alien, BRAINALIEN_ANIM_STAND, 3);
		FinishMove(alien, MOVE_MASK, true);
	}

	void MoveBite(ObjNode* alien)
	{
		TurnEnemyTowardPlayer(alien, TURN_SPEED);
		ApplyEnemyFriction(FRICTION_BITE);
		ApplyEnemyGravity();

		OGLPoint3D mouth;
		FindCoordOnJoint(alien, BRAINALIEN_JOINT_HEAD, &BITE_OFFSET, &mouth);
		const float r = BITE_BOX_HALF;
		if (gPlayerLevel.invincibleTimer <= 0 && IsRobotInPlay()
				&& BoxHitsPlayer(mouth.y + r, mouth.y - r, mouth.x - r, mouth.x + r, mouth.z + r, mouth.z - r))
		{
			PlayEnemyEffect3D(EFFECT_HEADTHUD, &mouth);
			alien->Damage = BRAINALIEN_DAMAGE;
			PlayerGotHit(alien, alien->Damage);
		}
		if (alien->Skeleton->AnimHasStopped)
			SwitchAnim(alien, BRAINALIEN_ANIM_STAND, 6);
		FinishMove(alien, MOVE_MASK, false);
	}

	constexpr ObjNodeRoutine kMoveByAnim[NUM_BRAINALIEN_ANIMS] = {
		MoveStand,		// BRAINALIEN_ANIM_STAND
		MoveWalk,		// BRAINALIEN_ANIM_WALK
		MoveDeath,		// BRAINALIEN_ANIM_DEATH
		MoveZap,		// BRAINALIEN_ANIM_ZAP
		MoveHit,		// BRAINALIEN_ANIM_HIT
		MoveRun,		// BRAINALIEN_ANIM_RUN
		MoveBite,		// BRAINALIEN_ANIM_BITE
	};

	// An elite fades in from the portal's darkness while it walks straight out.
	void MoveEmerging(ObjNode* alien)
	{
		alien->SpecialF[TIMER_EMERGE] -= gFrameTime;
		float shown = 1.0f - alien->SpecialF[TIMER_EMERGE] / ELITE_EMERGE_TIME;
		shown = shown < 0 ? 0 : shown > 1 ? 1 : shown;
		alien->ColorFilter = {0.1f + 0.9f * shown, 0.1f + 0.9f * shown, 0.1f + 0.9f * shown, shown};
		SetVelocityAlongHeading(alien, WALK_SPEED);
		ApplyEnemyGravity();
		if (alien->SpecialF[TIMER_EMERGE] <= 0)
		{
			alien->Mode = MODE_NORMAL;
			alien->ColorFilter = {1, 1, 1, 1};
			alien->SpecialF[TIMER_ATTACK] = ELITE_ATTACK_DELAY;
			SwitchAnim(alien, BRAINALIEN_ANIM_RUN, 4);
		}
		FinishMove(alien, MOVE_MASK, false);
	}

	//
	// Hurt and death
	//

	void SpillAtoms(ObjNode* alien)
	{
		// Where portals shield the brain boss, aliens mostly feed the exit charge.
		if (CurrentLevelDef().setUp & LEVEL_SETUP_BRAIN_BOSS_PORTALS)
		{
			if ((RandomNumber() & 7) == 0)
				SpillPowerups(alien, 1, 0, 1);
			else
				SpillPowerups(alien, 0, 0, 2);
		}
		else
			SpillPowerups(alien, 0, 1, 2);
	}

	void KillBrainAlien(ObjNode* alien)
	{
		if (alien->Flag[ENEMY_FLAG_DYING])
			return;
		DetachEnemyFromSpline(alien, MoveBrainAlien);
		SpillAtoms(alien);
		if (IsEnemyFrozen(alien))
		{
			ShatterEnemy(alien);
			return;
		}
		alien->Flag[ENEMY_FLAG_DYING] = 1;
		alien->CType = CTYPE_MISC;
		alien->TopOff = CORPSE_TOP;
		CalcObjectBoxFromNode(alien);
		if (Anim(alien) != BRAINALIEN_ANIM_DEATH)
		{
			SwitchAnim(alien, BRAINALIEN_ANIM_DEATH, 5);
			PlayEnemyEffect3D(EFFECT_BRAINDIE, &alien->Coord);
		}
		ClearEnemyHitHandlers(alien);
	}

	// True when the damage was taken.
	bool HurtBrainAlien(ObjNode* alien, float damage)
	{
		if (alien->Flag[ENEMY_FLAG_DYING])
			return false;
		DetachEnemyFromSpline(alien, MoveBrainAlien);
		alien->Health -= damage;
		if (alien->Health <= 0)
		{
			KillBrainAlien(alien);
			return true;
		}
		if (Anim(alien) != BRAINALIEN_ANIM_HIT)
			SwitchAnim(alien, BRAINALIEN_ANIM_HIT, 5);
		alien->SpecialF[TIMER_HURT] = HURT_TIME;
		return true;
	}

	void KnockBack(ObjNode* alien)
	{
		if (alien->CType == INVALID_NODE_FLAG || !gPlayerNode)
			return;
		float heading = gPlayerNode->Rot.y;
		alien->Delta = {-std::sin(heading) * KNOCK_BACK_SPEED, KNOCK_BACK_LIFT, -std::cos(heading) * KNOCK_BACK_SPEED};
		if (gCurrentMoveNode == alien)
			gObjDelta = alien->Delta;
		alien->StatusBits &= ~STATUS_BIT_ONGROUND;
	}

	bool HitByShot(ObjNode* weapon, ObjNode* alien, const OGLPoint3D*, const OGLVector3D*, float damage)
	{
		return HurtBrainAlien(alien, WeaponDamage(weapon, damage));
	}

	bool HitByFist(ObjNode*, ObjNode* alien, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (IsEnemyFrozen(alien))
		{
			KillBrainAlien(alien);
			return true;
		}
		bool taken = HurtBrainAlien(alien, FIST_DAMAGE);
		KnockBack(alien);
		return taken;
	}

	bool HitByJet(ObjNode*, ObjNode* alien, const OGLPoint3D*, const OGLVector3D*, float)
	{
		bool taken = HurtBrainAlien(alien, JET_DAMAGE);
		KnockBack(alien);
		return taken;
	}

	constexpr CreatureHitRoutines kBrainAlienHits = {.hurt = HurtBrainAlien, .kill = KillBrainAlien, .freeMove = MoveBrainAlien};

	constexpr CreatureHitTable kBrainAlienHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_STUNGUN] = t[WEAPON_ARCSHOT] = t[WEAPON_FLARE] = t[WEAPON_DART] = HitByShot;
		t[WEAPON_FREEZEGUN] = CreatureHitByFreeze<kBrainAlienHits>;
		t[WEAPON_FIST] = HitByFist;
		t[WEAPON_NOVA] = CreatureHitToDeath<kBrainAlienHits>;
		t[WEAPON_JETHIT] = HitByJet;
		t[WEAPON_HURT] = CreatureHitByHurt<kBrainAlienHits>;
		return t;
	}();

	void PrepareAlien(ObjNode* alien)
	{
		alien->SpecialF[ENEMY_TIMER_FROZEN] = 0;
	}

	void AttachBrainGlow(ObjNode* alien)
	{
		AttachEnemySparkles(alien, kBrainSparkles, NUM_BRAIN_SPARKLES, BRAIN_GLOW);
	}

	void UpdateBrainGlow(ObjNode* alien)
	{
		UpdateEnemySparkles(alien, kBrainSparkles, NUM_BRAIN_SPARKLES);
	}

	// It walks out of its portal dark and unseen, growing into its colours.
	void DressElite(ObjNode* alien)
	{
		SetSkeletonAnim(alien->Skeleton, BRAINALIEN_ANIM_WALK);
		alien->ColorFilter = {0.1f, 0.1f, 0.1f, 0};
		alien->Size *= ELITE_SIZE_FACTOR;
		alien->Mode = MODE_EMERGING;
		alien->SpecialF[TIMER_EMERGE] = ELITE_EMERGE_TIME;
		AttachEnemySparkles(alien, kBrainSparkles, NUM_BRAIN_SPARKLES, ELITE_GLOW);
	}
}

const CreatureKind kBrainAlienKind = {
	.kind = ENEMY_KIND_BRAINALIEN,
	.limit = BRAINALIEN_LIMIT,
	.skeletonType = SKELETON_TYPE_BRAINALIEN,
	.scale = BRAINALIEN_SCALE,
	.health = BRAINALIEN_HEALTH,
	.damage = BRAINALIEN_DAMAGE,
	.shadowX = SHADOW_SIZE,
	.shadowZ = SHADOW_SIZE,
	.hits = &kBrainAlienHitTable,
	.move = MoveBrainAlien,
	.prepare = PrepareAlien,
	.dress = AttachBrainGlow,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = SPLINE_DETACH_DISTANCE, .walkAnim = BRAINALIEN_ANIM_WALK,
		.walkAnimSpeed = SPLINE_WALK_ANIM_SPEED, .damage = 0, .whileRiding = UpdateBrainGlow},
};

// Made only by the alien portals (AlienPortal.cpp).
const CreatureKind kEliteBrainAlienKind = {
	.kind = ENEMY_KIND_ELITEBRAINALIEN,
	.skeletonType = SKELETON_TYPE_ELITEBRAINALIEN,
	.scale = ELITE_SCALE,
	.health = ELITE_HEALTH,
	.damage = ELITE_DAMAGE,
	.targetOffset = ELITE_TARGET_OFFSET,
	.shadowX = SHADOW_SIZE,
	.shadowZ = SHADOW_SIZE,
	.hits = &kBrainAlienHitTable,
	.move = MoveBrainAlien,
	.prepare = PrepareAlien,
	.dress = DressElite,
};

void MoveBrainAlien(ObjNode* alien)
{
	if (IsEnemyOutOfRange(alien))
	{
		DeleteEnemy(alien);
		return;
	}
	alien->OldCoord = alien->Coord;
	GetObjectInfo(alien);

	if (IsEnemyFrozen(alien))
	{
		MoveFrozenEnemy(alien);
		FinishMove(alien, MOVE_MASK, false);
		return;
	}
	if (alien->Mode == MODE_EMERGING)
	{
		MoveEmerging(alien);
		return;
	}
	int anim = Anim(alien);
	if (anim >= 0 && anim < NUM_BRAINALIEN_ANIMS)
		kMoveByAnim[anim](alien);
}

//
// The zap
//

ObjNode* ShootBrainAlienZap(ObjNode* alien)
{
	OGLPoint3D head;
	FindCoordOnJoint(alien, BRAINALIEN_JOINT_HEAD, &ZAP_OFFSET, &head);

	ObjectDef def = {};
	def.group = MODEL_GROUP_GLOBAL;
	def.type = GLOBAL_MODEL_ZAP;
	def.coord = head;
	def.flags = STATUS_BIT_NOLIGHTING | STATUS_BIT_GLOW;
	def.slot = int16_t(ZAP_SLOT);
	def.moveCall = MoveBrainAlienZap;
	def.rot = alien->Rot.y;
	def.scale = ZAP_SCALE;
	ObjNode* zap = MakeNewDisplayGroupObject(&def);
	zap->ColorFilter.a = 0.999f;
	zap->Damage = BRAINALIEN_ZAP_DAMAGE;
	zap->SpecialF[0] = ZAP_LIFETIME;
	zap->Mode = ZAP_FLYING;
	zap->Delta = {-std::sin(alien->Rot.y) * ZAP_SPEED, 0, -std::cos(alien->Rot.y) * ZAP_SPEED};
	AttachShadowToObject(zap, 0, 5, 0.5f, false);
	return zap;
}

void MoveBrainAlienZap(ObjNode* zap)
{
	if (IsEnemyOutOfRange(zap))
	{
		DeleteObject(zap);
		return;
	}
	GetObjectInfo(zap);
	const float dt = gFrameTime;

	if (zap->Mode == ZAP_FLYING)
	{
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		zap->Rot.z = RandomFloat() * PI2;
		zap->Scale.z += ZAP_STRETCH * dt;
		zap->Scale.x = zap->Scale.z + RandomFloat() * ZAP_WOBBLE;
		zap->Scale.y = zap->Scale.z + RandomFloat() * ZAP_WOBBLE;

		float ground = IsTerrainSetUp() ? TerrainHeightAt(gObjCoord.x, gObjCoord.z) : 0.0f;
		if (FindPointCollisions(&gObjCoord, CTYPE_MISC, zap) > 0 || gObjCoord.y < ground)
			zap->Mode = ZAP_BURSTING;

		zap->SpecialF[0] -= ZAP_AGEING * dt;
		if (zap->SpecialF[0] < 0)
		{
			zap->ColorFilter.a -= ZAP_FADE * dt;
			if (zap->ColorFilter.a <= 0)
			{
				DeleteObject(zap);
				return;
			}
		}

		if (zap->Mode == ZAP_FLYING && gPlayerLevel.invincibleTimer <= 0 && IsRobotInPlay())
		{
			const OGLPoint3D& p = gPlayerNode->Coord;
			if (CalcDistance3D(gObjCoord.x, gObjCoord.y, gObjCoord.z, p.x, p.y, p.z) < ZAP_HIT_DISTANCE)
			{
				PlayerGotHit(zap, zap->Damage);
				zap->Mode = ZAP_BURSTING;
			}
		}
	}
	else
	{
		float grow = ZAP_BURST_GROWTH * dt;
		zap->Scale.x += grow;
		zap->Scale.y += grow;
		zap->Scale.z += grow;
		zap->ColorFilter.a -= ZAP_FADE * dt;
		if (zap->ColorFilter.a <= 0)
		{
			DeleteObject(zap);
			return;
		}
	}
	UpdateObject(zap);
}
