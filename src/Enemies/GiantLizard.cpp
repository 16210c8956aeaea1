// The giant lizard: it wakes for a robot in sight, plods after it, inhales
// and breathes fire at range, lunges up close and swallows a normal-sized
// robot, holds it four seconds and spits it far away. Stun and arc shots
// only make it roar; a giant robot's fist, shots and jet hurt it.
#include "Enemies/JungleCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/PlayerHeld.h"
#include "Player/WeaponTypes.h"
#include "System/FrameTime.h"
#include "System/SoundTable.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"

#include <cmath>

namespace
{
	//
	// Tunables
	//

	constexpr float HEALTH = 1.0f;
	constexpr float DAMAGE = 0.1f;
	constexpr float SHADOW_X = 20.0f, SHADOW_Z = 35.0f;
	constexpr float TARGET_OFFSET = 100.0f;				// units of aim wobble for the robot's homing shots

	constexpr float WALK_SPEED = 280.0f;				// units per second
	constexpr float WALK_ANIM_SPEED = 1.4f;
	constexpr float INHALE_ANIM_SPEED = 0.5f;
	constexpr float TURN_SPEED = 1.3f;					// radians per second
	constexpr float SLOW_TURN_SPEED = 0.26f;			// while breathing fire or lunging
	constexpr float HURT_TURN_SPEED = 1.0f;
	constexpr float DEAD_TURN_SPEED = 10.0f;
	constexpr float FLINCH_SPEED = 500.0f;				// units per second above which it turns away
	constexpr float ATTACK_ANGLE = PI / 4;				// radians off its heading at most

	constexpr float FRICTION_STAND = 2000.0f;			// units per second²
	constexpr float FRICTION_FIRE = 3000.0f;
	constexpr float FRICTION_HURT = 1200.0f;
	constexpr float FRICTION_DEAD = 1500.0f;

	constexpr float FLAME_INTERVAL = 0.06f;				// seconds between flames
	constexpr float SWALLOW_REACH = 200.0f;				// units from the mouth
	constexpr float ROAR_TIME = 2.0f;					// seconds
	constexpr float ROAR_COOLDOWN = 2.0f;				// seconds before the roar sounds again
	constexpr float HURT_TIME = 3.0f;
	constexpr float SHOT_DAMAGE = 0.07f;				// a stun or arc shot from a normal robot
	constexpr float GIANT_SHOT_DAMAGE = 0.2f;
	constexpr float GIANT_FIST_DAMAGE = 0.3f;
	constexpr float SPIT_SPEED = 3200.0f;				// units per second, level
	constexpr float SPIT_MAX_SPEED = 20000.0f;			// the robot's limit while it flies
	constexpr float HELD_SCALE = 0.48f;					// of the robot inside the lizard's (scaled) jaw

	constexpr OGLPoint3D MOUTH_OFFSET = {0, -50, -60};	// in the jaw's space
	constexpr OGLVector3D SPIT_DIRECTION = {0, -0.2f, -1};

	constexpr float SPLINE_SPEED = 70.0f;				// loop points per second
	constexpr float SPLINE_WALK_ANIM_SPEED = 2.0f;

	constexpr uint32_t MOVE_MASK = 0x9849;
	constexpr uint32_t CORPSE_MASK = 0x9040;

	// Flags set by the rig's events and by the routines below.
	enum { FLAG_EVENT = 0, FLAG_HOLDING = 1 };
	enum { TIMER_HOLD = 0, TIMER_HURT = 2, TIMER_ROAR = 4, TIMER_ROAR_COOLDOWN = 5 };

	int Anim(const ObjNode* lizard)
	{
		return lizard->Skeleton->AnimNum;
	}

	void SwitchAnim(ObjNode* lizard, int anim, float morphSpeed)
	{
		MorphToSkeletonAnim(lizard->Skeleton, anim, morphSpeed);
	}

	void Friction(const ObjNode* lizard, float friction)
	{
		if (CreatureOnGround(lizard))
			ApplyEnemyFriction(friction);
	}

	void RunDownRoarCooldown(ObjNode* lizard)
	{
		lizard->SpecialF[TIMER_ROAR_COOLDOWN] -= gFrameTime;
	}

	void Finish(ObjNode* lizard, uint32_t mask = MOVE_MASK)
	{
		EnemyGroundStep(lizard, mask, true);
		UpdateEnemy(lizard);
	}

	// How far off its heading the robot stands (0 … π).
	float AngleToPlayer(const ObjNode* lizard)
	{
		const OGLPoint3D& p = gPlayerNode->Coord;
		float want = CalcYAngleFromPointToPoint(lizard->Rot.y, gObjCoord.x, gObjCoord.z, p.x, p.z);
		float d = std::fabs(AngleDifference(want, lizard->Rot.y));
		return d;
	}

	void JawPoint(ObjNode* lizard, OGLPoint3D* mouth)
	{
		FindCoordOnJoint(lizard, LIZARD_JOINT_JAW, &MOUTH_OFFSET, mouth);
	}

	// The robot rides in the jaw: shrunk into it, moving with every chew.
	void HoldPlayerInMouth(ObjNode* lizard)
	{
		if (!IsPlayerHeldIn(PLAYER_ANIM_GRABBED))
		{
			lizard->Flag[FLAG_HOLDING] = 0;		// it died in there, or something else took it
			return;
		}
		OGLMatrix4x4 jaw, scale, shift, scaled, m;
		FindJointFullMatrix(lizard, LIZARD_JOINT_JAW, &jaw);
		OGLMatrix4x4_SetScale(&scale, HELD_SCALE, HELD_SCALE, HELD_SCALE);
		OGLMatrix4x4_SetTranslate(&shift, 0, -30, -70);
		OGLMatrix4x4_Multiply(&scale, &shift, &scaled);
		OGLMatrix4x4_Multiply(&scaled, &jaw, &m);
		OGLPoint3D mouth;
		JawPoint(lizard, &mouth);
		PlacePlayerInGrip(m, mouth);
	}

	void SpitPlayerOut(ObjNode* lizard)
	{
		OGLMatrix4x4 jaw;
		FindJointFullMatrix(lizard, LIZARD_JOINT_JAW, &jaw);
		OGLVector3D dir;
		OGLVector3D_Transform(&SPIT_DIRECTION, &jaw, &dir);
		dir.y = 0;
		float len = std::hypot(dir.x, dir.z);
		if (len < 1e-4f)
			dir = {-std::sin(lizard->Rot.y), 0, -std::cos(lizard->Rot.y)};
		else
			dir = dir * (1.0f / len);
		ThrowPlayerFree(dir * SPIT_SPEED, SPIT_MAX_SPEED);
		lizard->Flag[FLAG_HOLDING] = 0;
	}

	// A held robot is let go wherever the lizard's story ends early.
	void ReleaseHeldPlayer(ObjNode* lizard)
	{
		if (!lizard->Flag[FLAG_HOLDING])
			return;
		if (IsPlayerHeldIn(PLAYER_ANIM_GRABBED))
			SpitPlayerOut(lizard);
		lizard->Flag[FLAG_HOLDING] = 0;
	}

	bool MayAttack(const ObjNode* lizard)
	{
		return gPlayerLevel.invincibleTimer <= 0 && IsRobotInPlay() && CreatureCanSeePlayer(lizard);
	}

	void StartInhaling(ObjNode* lizard)
	{
		PlayEnemyEffect3D(EFFECT_INHALE, &lizard->Coord);
		SwitchAnim(lizard, LIZARD_ANIM_BREATHE_FIRE, 2);
		lizard->Skeleton->AnimSpeed = INHALE_ANIM_SPEED;
		lizard->Flag[FLAG_EVENT] = 0;
	}

	//
	// One move routine per animation
	//

	void MoveStand(ObjNode* lizard)
	{
		Friction(lizard, FRICTION_STAND);
		if (IsRobotInPlay() && EnemyDistanceToPlayer(lizard) < LIZARD_SIGHT_RANGE && CreatureCanSeePlayer(lizard))
			SwitchAnim(lizard, LIZARD_ANIM_WALK, 2);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		RunDownRoarCooldown(lizard);
		Finish(lizard);
	}

	void MoveWalk(ObjNode* lizard)
	{
		TurnEnemyTowardPlayer(lizard, TURN_SPEED);
		gObjDelta.x = -std::sin(lizard->Rot.y) * WALK_SPEED;
		gObjDelta.z = -std::cos(lizard->Rot.y) * WALK_SPEED;
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		float d = EnemyDistanceToPlayer(lizard);
		if (d >= LIZARD_SIGHT_RANGE)
			SwitchAnim(lizard, LIZARD_ANIM_STAND, 4);
		else
			lizard->Skeleton->AnimSpeed = WALK_ANIM_SPEED;
		EnemyGroundStep(lizard, MOVE_MASK, true);

		if (Anim(lizard) == LIZARD_ANIM_WALK && MayAttack(lizard) && AngleToPlayer(lizard) < ATTACK_ANGLE)
		{
			if (IsPlayerGiant())
			{
				if (d < LIZARD_FIRE_RANGE)
					StartInhaling(lizard);
			}
			else if (d < LIZARD_LUNGE_RANGE)
				SwitchAnim(lizard, LIZARD_ANIM_LUNGE, 2);
			else if (d < LIZARD_FIRE_RANGE)
				StartInhaling(lizard);
		}
		RunDownRoarCooldown(lizard);
		UpdateEnemy(lizard);
	}

	void MoveBreatheFire(ObjNode* lizard)
	{
		Friction(lizard, FRICTION_FIRE);
		if (IsRobotInPlay())
			TurnEnemyTowardPlayer(lizard, SLOW_TURN_SPEED);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(lizard, MOVE_MASK, true);

		if (lizard->Flag[FLAG_EVENT])
		{
			KeepEnemyEffectLooping(lizard, EFFECT_FIREBREATH);
			lizard->ParticleTimer -= gFrameTime;
			if (lizard->ParticleTimer <= 0)
			{
				lizard->ParticleTimer += FLAME_INTERVAL;
				ShootLizardFlame(lizard);
			}
		}
		else
		{
			StopAChannelIfEffectNum(&lizard->EffectChannel, EFFECT_FIREBREATH);
			if (!IsPlayerGiant() && IsRobotInPlay() && EnemyDistanceToPlayer(lizard) < LIZARD_LUNGE_RANGE)
				SwitchAnim(lizard, LIZARD_ANIM_LUNGE, 2);
		}
		if (lizard->Skeleton->AnimHasStopped)
		{
			SwitchAnim(lizard, LIZARD_ANIM_WALK, 1);
			lizard->Flag[FLAG_EVENT] = 0;
			StopAChannelIfEffectNum(&lizard->EffectChannel, EFFECT_FIREBREATH);
		}
		RunDownRoarCooldown(lizard);
		UpdateEnemy(lizard);
	}

	void MoveLunge(ObjNode* lizard)
	{
		StopAChannelIfEffectNum(&lizard->EffectChannel, EFFECT_FIREBREATH);
		Friction(lizard, FRICTION_STAND);
		if (IsRobotInPlay())
			TurnEnemyTowardPlayer(lizard, SLOW_TURN_SPEED);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(lizard, MOVE_MASK, true);
		if (lizard->Skeleton->AnimHasStopped)
		{
			OGLPoint3D mouth;
			JawPoint(lizard, &mouth);
			bool caught = IsRobotInPlay() && !IsPlayerGiant() && gPlayerLevel.invincibleTimer <= 0 && !FenceBetweenPlayerAnd(lizard)
					&& CalcQuickDistance(mouth.x, mouth.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z) < SWALLOW_REACH;
			if (caught)
			{
				lizard->Flag[FLAG_HOLDING] = 1;
				lizard->Flag[FLAG_EVENT] = 0;
				lizard->SpecialF[TIMER_HOLD] = LIZARD_HOLD_TIME;
				SetSkeletonAnim(lizard->Skeleton, LIZARD_ANIM_HOLD);
				CatchPlayer(PLAYER_ANIM_GRABBED);
			}
			else
				SwitchAnim(lizard, LIZARD_ANIM_WALK, 1);
		}
		UpdateEnemy(lizard);
	}

	void MoveHold(ObjNode* lizard)
	{
		Friction(lizard, FRICTION_STAND);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(lizard, MOVE_MASK, true);
		UpdateEnemy(lizard);
		if (lizard->Flag[FLAG_HOLDING])
			HoldPlayerInMouth(lizard);
		lizard->SpecialF[TIMER_HOLD] -= gFrameTime;
		if (lizard->SpecialF[TIMER_HOLD] <= 0)
		{
			SwitchAnim(lizard, LIZARD_ANIM_SPIT_OUT, 3);
			lizard->Flag[FLAG_EVENT] = 0;
		}
	}

	void MoveSpitOut(ObjNode* lizard)
	{
		Friction(lizard, FRICTION_STAND);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(lizard, MOVE_MASK, true);
		UpdateEnemy(lizard);
		if (lizard->Flag[FLAG_HOLDING])
		{
			if (lizard->Flag[FLAG_EVENT])
				SpitPlayerOut(lizard);
			else
				HoldPlayerInMouth(lizard);
		}
		if (lizard->Skeleton->AnimHasStopped)
		{
			ReleaseHeldPlayer(lizard);		// a release event the rig never sent
			SwitchAnim(lizard, LIZARD_ANIM_STAND, 1);
		}
	}

	void MoveHurt(ObjNode* lizard)
	{
		if (lizard->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(lizard, HURT_TURN_SPEED);
		Friction(lizard, FRICTION_HURT);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		lizard->SpecialF[TIMER_HURT] -= gFrameTime;
		if (lizard->SpecialF[TIMER_HURT] <= 0)
			SwitchAnim(lizard, LIZARD_ANIM_STAND, 3);
		Finish(lizard);
	}

	void MoveDead(ObjNode* lizard)
	{
		if (DeleteCorpseIfGone(lizard))
			return;
		if (lizard->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(lizard, DEAD_TURN_SPEED);
		Friction(lizard, FRICTION_DEAD);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(lizard, CORPSE_MASK, false);
		UpdateEnemy(lizard);
	}

	void MoveRoar(ObjNode* lizard)
	{
		Friction(lizard, FRICTION_HURT);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		lizard->SpecialF[TIMER_ROAR] -= gFrameTime;
		if (lizard->SpecialF[TIMER_ROAR] <= 0)
			SwitchAnim(lizard, LIZARD_ANIM_STAND, 3);
		RunDownRoarCooldown(lizard);
		Finish(lizard);
	}

	constexpr ObjNodeRoutine kMoveByAnim[NUM_LIZARD_ANIMS] = {
		MoveStand, MoveWalk, MoveBreatheFire, MoveLunge, MoveHold, MoveSpitOut, MoveHurt, MoveDead, MoveRoar,
	};

	//
	// Hurt and death
	//

	void KillLizard(ObjNode* lizard)
	{
		if (lizard->Flag[ENEMY_FLAG_DYING])
			return;
		DetachEnemyFromSpline(lizard, MoveGiantLizard);
		// The robot in its mouth falls out with it.
		ReleaseHeldPlayer(lizard);
		StopAChannel(&lizard->EffectChannel);
		lizard->Flag[ENEMY_FLAG_DYING] = 1;
		lizard->CType = CTYPE_MISC;
		if (Anim(lizard) != LIZARD_ANIM_DEAD)
		{
			SwitchAnim(lizard, LIZARD_ANIM_DEAD, 5);
			lizard->BottomOff = 0;
			SpillPowerups(lizard, 0, 1, 2);
		}
		ClearEnemyHitHandlers(lizard);
		if (!lizard->Flag[ENEMY_FLAG_COMES_BACK])
			lizard->TerrainItemPtr = nullptr;
	}

	bool HurtLizard(ObjNode* lizard, float damage)
	{
		if (lizard->Flag[ENEMY_FLAG_DYING])
			return false;
		DetachEnemyFromSpline(lizard, MoveGiantLizard);
		lizard->Health -= damage;
		if (lizard->Health <= 0)
		{
			KillLizard(lizard);
			return true;
		}
		// Only a crushing blow makes it reel; lesser ones leave it as it was.
		if (damage > 1 && Anim(lizard) != LIZARD_ANIM_HURT)
		{
			ReleaseHeldPlayer(lizard);
			SwitchAnim(lizard, LIZARD_ANIM_HURT, 5);
			lizard->SpecialF[TIMER_HURT] = HURT_TIME;
		}
		return true;
	}

	void Roar(ObjNode* lizard)
	{
		if (Anim(lizard) != LIZARD_ANIM_ROAR)
		{
			// A roar never interrupts a meal: the robot would be left in mid air.
			if (lizard->Flag[FLAG_HOLDING])
				return;
			StopAChannelIfEffectNum(&lizard->EffectChannel, EFFECT_FIREBREATH);
			SwitchAnim(lizard, LIZARD_ANIM_ROAR, 3);
			if (lizard->SpecialF[TIMER_ROAR_COOLDOWN] <= 0)
			{
				PlayEnemyEffect3D(EFFECT_LIZARDROAR, &lizard->Coord);
				lizard->SpecialF[TIMER_ROAR_COOLDOWN] = ROAR_COOLDOWN;
			}
		}
		lizard->SpecialF[TIMER_ROAR] = ROAR_TIME;
	}

	bool HitByWeapon(ObjNode* weapon, ObjNode* lizard, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (!weapon)
		{
			KillLizard(lizard);
			return true;
		}
		switch (weapon->Kind)
		{
			case WEAPON_STUNGUN:
			case WEAPON_ARCSHOT:
				Roar(lizard);
				return HurtLizard(lizard, IsPlayerGiant() ? GIANT_SHOT_DAMAGE : SHOT_DAMAGE);
			case WEAPON_FIST:
				if (!IsPlayerGiant())
					return false;
				KnockCreatureBack(lizard);
				return HurtLizard(lizard, GIANT_FIST_DAMAGE);
			default:
				return false;
		}
	}

	constexpr CreatureHitRoutines kLizardHits = {.hurt = HurtLizard, .kill = KillLizard, .fistDamage = GIANT_FIST_DAMAGE};

	// Every shot lands in the one handler, which sorts them by the projectile's weapon.
	constexpr CreatureHitTable kLizardHitTable = [] {
		CreatureHitTable t{};
		for (int w = WEAPON_STUNGUN; w <= WEAPON_DART; w++)
			t[w] = HitByWeapon;
		t[WEAPON_FIST] = CreatureHitByGiantFist<kLizardHits>;
		t[WEAPON_JETHIT] = CreatureHitByGiantJet<kLizardHits>;
		t[WEAPON_HURT] = CreatureHitByHurt<kLizardHits>;
		return t;
	}();

	// Free, a box of its own; while it patrols, the one from its body.
	void SizeLizardBox(ObjNode* lizard)
	{
		lizard->TopOff = 160;
		lizard->BottomOff = -500;
		lizard->LeftOff = -200;
		lizard->RightOff = 200;
		lizard->FrontOff = 200;
		lizard->BackOff = -200;
		CalcObjectBoxFromNode(lizard);
	}
}

// A set piece: no cap and no limit of its own.
const CreatureKind kGiantLizardKind = {
	.kind = ENEMY_KIND_GIANTLIZARD,
	.setPiece = true,
	.skeletonType = SKELETON_TYPE_GIANTLIZARD,
	.scale = LIZARD_SCALE,
	.health = HEALTH,
	.damage = DAMAGE,
	.targetOffset = TARGET_OFFSET,
	.shadowX = SHADOW_X,
	.shadowZ = SHADOW_Z,
	.hits = &kLizardHitTable,
	.move = MoveGiantLizard,
	.sizeBox = SizeLizardBox,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = JUNGLE_SPLINE_DETACH, .walkAnim = LIZARD_ANIM_WALK,
		.walkAnimSpeed = SPLINE_WALK_ANIM_SPEED, .damage = 0, .boxFromSkeleton = true},
};

void MoveGiantLizard(ObjNode* lizard)
{
	if (IsEnemyOutOfRange(lizard))
	{
		ReleaseHeldPlayer(lizard);
		DeleteEnemy(lizard);
		return;
	}
	lizard->OldCoord = lizard->Coord;
	GetObjectInfo(lizard);
	int anim = Anim(lizard);
	if (anim >= 0 && anim < NUM_LIZARD_ANIMS)
		kMoveByAnim[anim](lizard);
}
