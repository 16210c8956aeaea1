// The mutant: making it (from its item, its spline or out of a grave), one
// move routine per animation, the punch, its glow, and how it takes hits and
// dies.
#include "Enemies/CityCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Sparkles.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"

#include <SDL_opengl.h>		// blending enums of the particle groups
#include <cmath>

namespace
{
	//
	// Tunables
	//

	constexpr float SHADOW_SIZE = 8.0f;
	constexpr float TARGET_OFFSET = 50.0f;				// units of aim wobble for the robot's homing shots
	constexpr float TURN_SPEED = 3.0f;					// radians per second
	constexpr float FLINCH_TURN_SPEED = 10.0f;
	constexpr float FLINCH_SPEED = 500.0f;				// units per second above which it turns from the motion
	constexpr float WALK_SPEED = 280.0f;
	constexpr float WALK_ANIM_SPEED = 2.8f;
	constexpr float CHASE_NEAR = 300.0f;				// units: it walks at a robot between these
	constexpr float CHASE_FAR = 1500.0f;
	constexpr float FRICTION_STAND = 2000.0f;			// units per second²
	constexpr float FRICTION_HURT = 1200.0f;
	constexpr float PUNCH_ANGLE = PI / 2;				// radians off the heading at most
	constexpr float PUNCH_BOX_HALF = 50.0f;				// units round the fist
	constexpr float HURT_TIME = 1.0f;					// seconds
	constexpr float GROW_RATE = 0.4f;					// scale per second out of the grave
	constexpr float GROW_LEAP = 700.0f;					// units per second up when fully grown
	constexpr float SHOT_DAMAGE = 0.25f;
	constexpr float FIST_DAMAGE = 0.25f;
	constexpr float JET_DAMAGE = 1.0f;

	constexpr float SPLINE_SPEED = 70.0f;				// loop points per second
	constexpr float SPLINE_DETACH_DISTANCE = 750.0f;	// fast estimate
	constexpr float SPLINE_WALK_ANIM_SPEED = 2.0f;

	// Its glow: one sparkle on every joint.
	constexpr OGLColorRGBA GLOW_COLOR = {0.7f, 1.0f, 0.5f, 0.6f};
	constexpr float GLOW_SIZE_FACTOR = 2.0f;			// the shared flicker (50 … 60) doubled
	constexpr float GLOW_SEPARATION = -100.0f;			// set back into the body: a halo
	constexpr int PUNCH_SPARKS = 15;

	constexpr uint32_t MOVE_MASK = 0x9849;				// enemy, fence, 0x0800, misc, trigger2, player

	// Per-kind timers in SpecialF (the framework owns ENEMY_TIMER_FROZEN).
	enum { TIMER_HURT = 4 };
	enum { FLAG_PUNCH = 0 };

	int GlowJointCount(const ObjNode* mutant)
	{
		int n = mutant->Skeleton ? mutant->Skeleton->skeletonDefinition->NumBones : 0;
		return n < MAX_NODE_SPARKLES ? n : MAX_NODE_SPARKLES;
	}

	const EnemySparkleJoint* GlowJoints()
	{
		static EnemySparkleJoint joints[MAX_NODE_SPARKLES];
		static bool made = false;
		if (!made)
		{
			for (int i = 0; i < MAX_NODE_SPARKLES; i++)
				joints[i] = {i, {0, 0, 0}, GLOW_SIZE_FACTOR};
			made = true;
		}
		return joints;
	}

	void AttachGlow(ObjNode* mutant)
	{
		int count = GlowJointCount(mutant);
		AttachEnemySparkles(mutant, GlowJoints(), count, GLOW_COLOR);
		for (int i = 0; i < count; i++)
			if (mutant->Sparkles[i] >= 0)
			{
				gSparkles[mutant->Sparkles[i]].separation = GLOW_SEPARATION;
				gSparkles[mutant->Sparkles[i]].textureNum = PARTICLE_SPRITE_SOFT_GLOW;
			}
	}

	void SwitchAnim(ObjNode* mutant, int anim, float morphSpeed)
	{
		MorphToSkeletonAnim(mutant->Skeleton, anim, morphSpeed);
	}

	void FinishMove(ObjNode* mutant, uint32_t mask, bool useBoundingBox)
	{
		EnemyGroundStep(mutant, mask, useBoundingBox);
		UpdateEnemy(mutant);
		UpdateEnemySparkles(mutant, GlowJoints(), GlowJointCount(mutant));
	}

	//
	// The punch
	//

	void PunchCheck(ObjNode* mutant)
	{
		if (!IsRobotInPlay() || gPlayerLevel.invincibleTimer > 0)
			return;
		if (EnemyDistanceToPlayer(mutant) >= MUTANT_PUNCH_RANGE || AngleOffHeadingToPlayer(mutant) >= PUNCH_ANGLE)
			return;
		if (CurrentPlayerAnim() == PLAYER_ANIM_ZIPLINE || !CreatureCanSeePlayer(mutant))
			return;
		SwitchAnim(mutant, MUTANT_ANIM_PUNCH, 5);
		mutant->Flag[FLAG_PUNCH] = 0;
		PlayEnemyEffect3D(EFFECT_MUTANTGROWL, &mutant->Coord);
	}

	void PunchSparks(const OGLPoint3D& at)
	{
		NewParticleGroupDefType def = {};
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = PARTICLE_FLAGS_BOUNCE;
		def.baseScale = 20;
		def.fadeRate = 0.7f;
		def.particleTextureNum = PARTICLE_SPRITE_SPARK_YELLOW;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = GL_ONE;
		int16_t group = NewParticleGroup(&def);
		if (group < 0)
			return;
		for (int i = 0; i < PUNCH_SPARKS; i++)
		{
			OGLVector3D v = {RandomFloatSigned() * 150, RandomFloatSigned() * 100, RandomFloatSigned() * 150};
			NewParticleDefType p = {};
			p.groupNum = group;
			p.where = &at;
			p.delta = &v;
			p.scale = 1 + RandomFloatSigned() * 0.2f;
			p.rotZ = RandomFloat() * PI2;
			p.rotDZ = RandomFloatSigned() * 4;
			p.alpha = 1;
			if (AddParticleToGroup(&p))
				break;
		}
	}

	//
	// One move routine per animation
	//

	void MoveStand(ObjNode* mutant)
	{
		if (CreatureOnGround(mutant))
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(mutant, TURN_SPEED);
		float d = EnemyDistanceToPlayer(mutant);
		if (IsRobotInPlay() && d > CHASE_NEAR && d < CHASE_FAR)
			SwitchAnim(mutant, MUTANT_ANIM_WALK, 4);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		PunchCheck(mutant);
		FinishMove(mutant, MOVE_MASK, false);
	}

	void MoveWalk(ObjNode* mutant)
	{
		TurnEnemyTowardPlayer(mutant, TURN_SPEED);
		SetVelocityAlongHeading(mutant, WALK_SPEED);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		float d = EnemyDistanceToPlayer(mutant);
		if (d >= CHASE_FAR || d <= CHASE_NEAR || !IsRobotInPlay())
			SwitchAnim(mutant, MUTANT_ANIM_STAND, 4);
		else
			mutant->Skeleton->AnimSpeed = WALK_ANIM_SPEED;
		PunchCheck(mutant);
		FinishMove(mutant, MOVE_MASK, true);
	}

	void MovePunch(ObjNode* mutant)
	{
		if (CreatureOnGround(mutant))
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(mutant, TURN_SPEED);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(mutant, MOVE_MASK, false);
		if (mutant->Flag[FLAG_PUNCH])
		{
			mutant->Flag[FLAG_PUNCH] = 0;
			static constexpr OGLPoint3D knuckles = {0, 0, 0};
			OGLPoint3D fist;
			FindCoordOnJoint(mutant, MUTANT_JOINT_FIST, &knuckles, &fist);
			const float r = PUNCH_BOX_HALF;
			if (IsRobotInPlay() && BoxHitsPlayer(fist.y + r, fist.y - r, fist.x - r, fist.x + r, fist.z + r, fist.z - r))
			{
				PlayEnemyEffect3D(EFFECT_PLAYERCRUSH, &fist);
				PlayerGotHit(mutant, mutant->Damage);
			}
			PunchSparks(fist);
		}
		if (mutant->Skeleton->AnimHasStopped)
			SwitchAnim(mutant, MUTANT_ANIM_STAND, 7);
		UpdateEnemy(mutant);
		UpdateEnemySparkles(mutant, GlowJoints(), GlowJointCount(mutant));
	}

	void MoveHurt(ObjNode* mutant)
	{
		if (mutant->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(mutant, FLINCH_TURN_SPEED);
		if (CreatureOnGround(mutant))
			ApplyEnemyFriction(FRICTION_HURT);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		mutant->SpecialF[TIMER_HURT] -= gFrameTime;
		if (mutant->SpecialF[TIMER_HURT] <= 0)
			SwitchAnim(mutant, MUTANT_ANIM_STAND, 3);
		FinishMove(mutant, MOVE_MASK, true);
	}

	void MoveGrow(ObjNode* mutant)
	{
		if (CreatureOnGround(mutant))
			ApplyEnemyFriction(FRICTION_STAND);
		float s = mutant->Scale.x + GROW_RATE * gFrameTime;
		if (s >= MUTANT_SCALE)
		{
			s = MUTANT_SCALE;
			SwitchAnim(mutant, MUTANT_ANIM_STAND, 2);
			gObjDelta.y = GROW_LEAP;
		}
		mutant->Scale = {s, s, s};
		EnemyGravityAndMove();
		FinishMove(mutant, 0, true);
	}

	constexpr ObjNodeRoutine kMoveByAnim[NUM_MUTANT_ANIMS] = {
		MoveStand,		// MUTANT_ANIM_STAND
		MoveWalk,		// MUTANT_ANIM_WALK
		MovePunch,		// MUTANT_ANIM_PUNCH
		MoveHurt,		// MUTANT_ANIM_HURT
		MoveGrow,		// MUTANT_ANIM_GROW
	};

	//
	// Hurt and death
	//

	void KillMutant(ObjNode* mutant)
	{
		DetachEnemyFromSpline(mutant, MoveMutant);
		SpillPowerups(mutant, 0, 2, 1);
		BurstCreatureIntoSparks(mutant);
		DeleteEnemyForGood(mutant);
	}

	bool HurtMutant(ObjNode* mutant, float damage)
	{
		if (mutant->CType == INVALID_NODE_FLAG)
			return false;
		DetachEnemyFromSpline(mutant, MoveMutant);
		mutant->Health -= damage;
		if (mutant->Health <= 0)
		{
			KillMutant(mutant);
			return true;
		}
		SwitchAnim(mutant, MUTANT_ANIM_HURT, 8);
		mutant->SpecialF[TIMER_HURT] = HURT_TIME;
		return true;
	}

	constexpr CreatureHitRoutines kMutantHits = {.hurt = HurtMutant, .kill = KillMutant, .fistDamage = FIST_DAMAGE,
			.jetDamage = JET_DAMAGE, .shotDamage = SHOT_DAMAGE};

	constexpr CreatureHitTable kMutantHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_STUNGUN] = t[WEAPON_ARCSHOT] = CreatureHitByShot<kMutantHits>;
		t[WEAPON_FIST] = CreatureHitByFist<kMutantHits>;
		t[WEAPON_NOVA] = CreatureHitToDeath<kMutantHits>;
		t[WEAPON_JETHIT] = CreatureHitByJet<kMutantHits>;
		t[WEAPON_HURT] = CreatureHitByHurt<kMutantHits>;
		return t;
	}();

	void UpdateGlow(ObjNode* mutant)
	{
		UpdateEnemySparkles(mutant, GlowJoints(), GlowJointCount(mutant));
	}
}

const CreatureKind kMutantKind = {
	.kind = ENEMY_KIND_MUTANT,
	.limit = MUTANT_LIMIT,
	.skeletonType = SKELETON_TYPE_MUTANT,
	.scale = MUTANT_SCALE,
	.health = MUTANT_HEALTH,
	.damage = MUTANT_DAMAGE,
	.targetOffset = TARGET_OFFSET,
	.shadowX = SHADOW_SIZE,
	.shadowZ = SHADOW_SIZE,
	.hits = &kMutantHitTable,
	.move = MoveMutant,
	.dress = AttachGlow,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = SPLINE_DETACH_DISTANCE, .walkAnim = MUTANT_ANIM_WALK,
		.walkAnimSpeed = SPLINE_WALK_ANIM_SPEED, .whileRiding = UpdateGlow},
};

ObjNode* RaiseMutantFromGrave(float x, float z)
{
	if (!CanAddEnemy(ENEMY_KIND_MUTANT, nullptr, MUTANT_LIMIT))
		return nullptr;
	ObjNode* mutant = MakeCreature(kMutantKind, x, z);
	SetSkeletonAnim(mutant->Skeleton, MUTANT_ANIM_GROW);
	mutant->Scale = {MUTANT_RISE_START_SCALE, MUTANT_RISE_START_SCALE, MUTANT_RISE_START_SCALE};
	if (gPlayerNode)
		mutant->Rot.y = CalcYAngleFromPointToPoint(mutant->Rot.y, x, z, gPlayerNode->Coord.x, gPlayerNode->Coord.z);
	UpdateObjectTransforms(mutant);
	CountEnemy(mutant);
	return mutant;
}

void MoveMutant(ObjNode* mutant)
{
	if (IsEnemyOutOfRange(mutant))
	{
		DeleteEnemy(mutant);
		return;
	}
	mutant->OldCoord = mutant->Coord;
	GetObjectInfo(mutant);
	int anim = CreatureAnim(mutant);
	if (anim >= 0 && anim < NUM_MUTANT_ANIMS)
		kMoveByAnim[anim](mutant);
	else
		UpdateEnemy(mutant);
}
