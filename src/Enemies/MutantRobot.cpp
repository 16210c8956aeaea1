// The mutant robot: making it, one move routine per animation, the burst of
// bolts from its arm cannon with the muzzle flash, the jet exhaust on its
// back, and how it takes hits and bursts apart.
#include "Enemies/CityCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <SDL_opengl.h>		// blending enums of the particle groups
#include <cmath>

namespace
{
	//
	// Tunables
	//

	constexpr float SHADOW_SIZE = 8.0f;
	constexpr float TARGET_OFFSET = 50.0f;
	constexpr float TURN_SPEED = 3.0f;					// radians per second
	constexpr float FLINCH_TURN_SPEED = 10.0f;
	constexpr float FLINCH_SPEED = 500.0f;
	constexpr float WALK_SPEED = 280.0f;				// units per second
	constexpr float RUN_SPEED = 700.0f;
	constexpr float WALK_ANIM_SPEED = 2.24f;
	constexpr float RUN_ANIM_SPEED = 2.1f;
	constexpr float CHASE_NEAR = 300.0f;
	constexpr float CHASE_FAR = 1500.0f;
	constexpr float FRICTION_STAND = 2000.0f;
	constexpr float FRICTION_HURT = 1200.0f;
	constexpr float SHOOT_ANGLE = PI / 3;				// radians off the heading at most
	constexpr float HURT_TIME = 3.0f;					// seconds
	constexpr float SHOT_DAMAGE = 0.15f;
	constexpr float FIST_DAMAGE = 0.15f;
	constexpr float JET_DAMAGE = 0.5f;

	constexpr float SPLINE_SPEED = 70.0f;
	constexpr float SPLINE_DETACH_DISTANCE = 750.0f;
	constexpr float SPLINE_WALK_ANIM_SPEED = 2.0f;

	// The arm cannon: its muzzle and barrel in the cannon joint's space (the
	// barrel hangs down from the elbow at rest).
	constexpr OGLPoint3D MUZZLE = {1, -38, 0};
	constexpr OGLVector3D BARREL = {0, -1, 0};
	constexpr OGLPoint3D EXHAUST = {0, -12, 16};		// the nozzle on the back, joint 15's space
	constexpr float EXHAUST_INTERVAL = 0.01f;			// seconds between puffs
	constexpr float FLASH_FADE = 4.0f;					// alpha per second
	constexpr float SHOOT_MORPH_SPEED = 6.0f;			// morphs per second into the aiming pose

	constexpr float BOLT_SCALE = 0.6f;
	constexpr float BOLT_BOX = 50.0f;					// half size of its hurting box
	constexpr float BOLT_CLEARANCE = 40.0f;				// half size of the box it bursts on
	constexpr uint32_t BOLT_STATUS = STATUS_BIT_USEALIGNMENTMATRIX | STATUS_BIT_NOFOG | STATUS_BIT_NOZWRITES
			| STATUS_BIT_GLOW | STATUS_BIT_KEEPBACKFACES | STATUS_BIT_CLAMPUV;

	constexpr uint32_t MOVE_MASK = 0x9849;

	enum { TIMER_SHOOTING = 1, TIMER_NEXT_SHOT = 2, TIMER_HURT = 4 };

	void SwitchAnim(ObjNode* robot, int anim, float morphSpeed)
	{
		MorphToSkeletonAnim(robot->Skeleton, anim, morphSpeed);
	}

	//
	// The jets and the muzzle flash, every frame
	//

	void PuffExhaust(ObjNode* robot)
	{
		robot->ParticleTimer -= gFrameTime;
		if (robot->ParticleTimer > 0)
			return;
		robot->ParticleTimer += EXHAUST_INTERVAL;
		if (robot->ParticleTimer < 0)
			robot->ParticleTimer = 0;
		if (robot->ParticleGroup < 0 || !VerifyParticleGroupMagicNum(robot->ParticleGroup, robot->ParticleMagicNum))
		{
			robot->ParticleMagicNum = RandomNumber();
			NewParticleGroupDefType def = {};
			def.magicNum = robot->ParticleMagicNum;
			def.type = PARTICLE_TYPE_FALLINGSPARKS;
			def.flags = PARTICLE_FLAGS_DONTCHECKGROUND;
			def.gravity = 400;
			def.baseScale = 30;
			def.fadeRate = 1.2f;
			def.particleTextureNum = PARTICLE_SPRITE_SPARK;
			def.srcBlend = GL_SRC_ALPHA;
			def.dstBlend = GL_ONE;
			robot->ParticleGroup = NewParticleGroup(&def);
			if (robot->ParticleGroup < 0)
				return;
		}
		OGLPoint3D at;
		FindCoordOnJoint(robot, MUTANTROBOT_JOINT_EXHAUST, &EXHAUST, &at);
		OGLVector3D v = {RandomFloatSigned() * 100, RandomFloatSigned() * 100, RandomFloatSigned() * 100};
		NewParticleDefType p = {};
		p.groupNum = robot->ParticleGroup;
		p.where = &at;
		p.delta = &v;
		p.scale = 1;
		p.rotZ = RandomFloat() * PI2;
		p.alpha = 1;
		AddParticleToGroup(&p);
	}

	void UpdateMuzzleFlash(ObjNode* robot)
	{
		int16_t s = robot->Sparkles[0];
		if (s < 0)
			return;
		SparkleType& flash = gSparkles[s];
		FindCoordOnJoint(robot, MUTANTROBOT_JOINT_CANNON, &MUZZLE, &flash.where);
		flash.color.a -= FLASH_FADE * gFrameTime;
		if (flash.color.a <= 0)
		{
			DeleteSparkle(s);
			robot->Sparkles[0] = -1;
		}
	}

	void FinishMove(ObjNode* robot, bool useBoundingBox)
	{
		EnemyGroundStep(robot, MOVE_MASK, useBoundingBox);
		UpdateEnemy(robot);
		PuffExhaust(robot);
		UpdateMuzzleFlash(robot);
	}

	//
	// Shooting
	//

	bool CanShoot(ObjNode* robot, bool mindDistance)
	{
		if (!IsRobotInPlay())
			return false;
		if (mindDistance && EnemyDistanceToPlayer(robot) >= MUTANTROBOT_OPEN_FIRE_RANGE)
			return false;
		return AngleOffHeadingToPlayer(robot) < SHOOT_ANGLE && CreatureCanSeePlayer(robot);
	}

	void ShowMuzzleFlash(ObjNode* robot, const OGLPoint3D& muzzle)
	{
		if (robot->Sparkles[0] >= 0)
			DeleteSparkle(robot->Sparkles[0]);
		int16_t s = GetFreeSparkle(robot);
		robot->Sparkles[0] = s;
		if (s < 0)
			return;
		SparkleType& flash = gSparkles[s];
		flash.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
		flash.where = muzzle;
		flash.color = {1, 1, 1, 1};
		flash.scale = 50;
		flash.separation = 30;
		flash.textureNum = PARTICLE_SPRITE_FLASH;
	}

	void FireBolt(ObjNode* robot)
	{
		OGLPoint3D muzzle;
		FindCoordOnJoint(robot, MUTANTROBOT_JOINT_CANNON, &MUZZLE, &muzzle);
		OGLMatrix4x4 joint;
		FindJointFullMatrix(robot, MUTANTROBOT_JOINT_CANNON, &joint);
		OGLVector3D dir;
		OGLVector3D_Transform(&BARREL, &joint, &dir);
		OGLVector3D_Normalize(&dir, &dir);

		PlayEnemyEffect3D(EFFECT_MUTANTROBOTSHOOT, &muzzle);
		ShowMuzzleFlash(robot, muzzle);

		ObjectDef def = {};
		def.group = MODEL_GROUP_GLOBAL;
		def.type = GLOBAL_MODEL_STUN_SHOT;
		def.coord = muzzle;
		def.flags = BOLT_STATUS;
		def.slot = int16_t(robot->Slot - 1);
		def.moveCall = MoveMutantRobotBolt;
		def.scale = BOLT_SCALE;
		ObjNode* bolt = MakeNewDisplayGroupObject(&def);
		if (!bolt)
			return;
		bolt->ColorFilter.a = 0.99f;
		bolt->Delta = {dir.x * MUTANTROBOT_BOLT_SPEED, dir.y * MUTANTROBOT_BOLT_SPEED, dir.z * MUTANTROBOT_BOLT_SPEED};
		bolt->Health = MUTANTROBOT_BOLT_LIFE;
		bolt->Damage = MUTANTROBOT_BOLT_DAMAGE;
		bolt->CType = CTYPE_HURTME;
		bolt->CBits = SIDE_ANY_OVERLAP;
		SetObjectCollisionBounds(bolt, int16_t(BOLT_BOX), int16_t(-BOLT_BOX), int16_t(-BOLT_BOX), int16_t(BOLT_BOX),
				int16_t(BOLT_BOX), int16_t(-BOLT_BOX));
		// Its front (local −z) along its flight.
		const OGLPoint3D origin = {0, 0, 0}, ahead = {dir.x, dir.y, dir.z};
		const OGLVector3D up = {0, 1, 0};
		OGLMatrix4x4_SetAlignLookAt(&bolt->AlignmentMatrix, &origin, &ahead, &up);
		UpdateObjectTransforms(bolt);
	}

	// Starts or keeps up a burst; the robot must be in front, in sight and (to open fire) near.
	void ShootCheck(ObjNode* robot)
	{
		if (!CanShoot(robot, true))
			return;
		if (CreatureAnim(robot) != MUTANTROBOT_ANIM_SHOOT)
		{
			// The burst's first bolt waits until the cannon is up in the aiming pose.
			SwitchAnim(robot, MUTANTROBOT_ANIM_SHOOT, SHOOT_MORPH_SPEED);
			robot->SpecialF[TIMER_SHOOTING] = MUTANTROBOT_SHOOT_TIME;
			robot->SpecialF[TIMER_NEXT_SHOT] = 1.0f / SHOOT_MORPH_SPEED;
			return;
		}
		robot->SpecialF[TIMER_NEXT_SHOT] = MUTANTROBOT_SHOT_INTERVAL;
		FireBolt(robot);
	}

	//
	// One move routine per animation
	//

	void MoveStand(ObjNode* robot)
	{
		if (CreatureOnGround(robot))
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(robot, TURN_SPEED);
		float d = EnemyDistanceToPlayer(robot);
		if (IsRobotInPlay() && d > CHASE_NEAR && d < CHASE_FAR)
			SwitchAnim(robot, (RandomNumber() & 1) ? MUTANTROBOT_ANIM_RUN : MUTANTROBOT_ANIM_WALK, 4);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		ShootCheck(robot);
		FinishMove(robot, false);
	}

	void MoveWalkOrRun(ObjNode* robot, float speed, float animSpeed, bool ownBox)
	{
		TurnEnemyTowardPlayer(robot, TURN_SPEED);
		SetVelocityAlongHeading(robot, speed);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		float d = EnemyDistanceToPlayer(robot);
		if (d >= CHASE_FAR || d <= CHASE_NEAR || !IsRobotInPlay())
			SwitchAnim(robot, MUTANTROBOT_ANIM_STAND, 4);
		else
			robot->Skeleton->AnimSpeed = animSpeed;
		ShootCheck(robot);
		FinishMove(robot, !ownBox);
	}

	void MoveWalk(ObjNode* robot)
	{
		MoveWalkOrRun(robot, WALK_SPEED, WALK_ANIM_SPEED, false);
	}

	void MoveRun(ObjNode* robot)
	{
		MoveWalkOrRun(robot, RUN_SPEED, RUN_ANIM_SPEED, true);
	}

	void MoveShoot(ObjNode* robot)
	{
		if (CreatureOnGround(robot))
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(robot, TURN_SPEED);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(robot, MOVE_MASK, false);
		robot->SpecialF[TIMER_NEXT_SHOT] -= gFrameTime;
		if (robot->SpecialF[TIMER_NEXT_SHOT] <= 0)
		{
			if (CanShoot(robot, false))
			{
				robot->SpecialF[TIMER_NEXT_SHOT] = MUTANTROBOT_SHOT_INTERVAL;
				FireBolt(robot);
			}
			else
				SwitchAnim(robot, MUTANTROBOT_ANIM_STAND, 4);
		}
		robot->SpecialF[TIMER_SHOOTING] -= gFrameTime;
		if (robot->SpecialF[TIMER_SHOOTING] <= 0)
			SwitchAnim(robot, MUTANTROBOT_ANIM_STAND, 4);
		UpdateEnemy(robot);
		PuffExhaust(robot);
		UpdateMuzzleFlash(robot);
	}

	void MoveHurt(ObjNode* robot)
	{
		if (robot->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(robot, FLINCH_TURN_SPEED);
		if (CreatureOnGround(robot))
			ApplyEnemyFriction(FRICTION_HURT);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		robot->SpecialF[TIMER_HURT] -= gFrameTime;
		if (robot->SpecialF[TIMER_HURT] <= 0)
			SwitchAnim(robot, MUTANTROBOT_ANIM_STAND, 3);
		FinishMove(robot, true);
	}

	void MoveIdle(ObjNode* robot)
	{
		// The aiming pose is never asked for: stand instead.
		SwitchAnim(robot, MUTANTROBOT_ANIM_STAND, 4);
		FinishMove(robot, false);
	}

	constexpr ObjNodeRoutine kMoveByAnim[NUM_MUTANTROBOT_ANIMS] = {
		MoveStand,		// MUTANTROBOT_ANIM_STAND
		MoveWalk,		// MUTANTROBOT_ANIM_WALK
		MoveIdle,		// MUTANTROBOT_ANIM_AIM
		MoveShoot,		// MUTANTROBOT_ANIM_SHOOT
		MoveHurt,		// MUTANTROBOT_ANIM_HURT
		MoveRun,		// MUTANTROBOT_ANIM_RUN
	};

	//
	// Hurt and death
	//

	void KillMutantRobot(ObjNode* robot)
	{
		DetachEnemyFromSpline(robot, MoveMutantRobot);
		SpillPowerups(robot, 1, 1, 1);
		ExplodeGeometry(robot, 400, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 0.6f);
		PlayEnemyEffect3D(EFFECT_SHATTER, &robot->Coord);
		DeleteEnemyForGood(robot);
	}

	bool HurtMutantRobot(ObjNode* robot, float damage)
	{
		if (robot->CType == INVALID_NODE_FLAG)
			return false;
		DetachEnemyFromSpline(robot, MoveMutantRobot);
		robot->Health -= damage;
		if (robot->Health <= 0)
		{
			KillMutantRobot(robot);
			return true;
		}
		SwitchAnim(robot, MUTANTROBOT_ANIM_HURT, 5);
		robot->SpecialF[TIMER_HURT] = HURT_TIME;
		return true;
	}

	constexpr CreatureHitRoutines kMutantRobotHits = {.hurt = HurtMutantRobot, .kill = KillMutantRobot,
			.fistDamage = FIST_DAMAGE, .jetDamage = JET_DAMAGE, .shotDamage = SHOT_DAMAGE};

	constexpr CreatureHitTable kMutantRobotHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_STUNGUN] = t[WEAPON_ARCSHOT] = CreatureHitByShot<kMutantRobotHits>;
		t[WEAPON_FIST] = CreatureHitByFist<kMutantRobotHits>;
		t[WEAPON_NOVA] = CreatureHitToDeath<kMutantRobotHits>;
		t[WEAPON_JETHIT] = CreatureHitByJet<kMutantRobotHits>;
		t[WEAPON_HURT] = CreatureHitByHurt<kMutantRobotHits>;
		return t;
	}();

	void PrepareMutantRobot(ObjNode* robot)
	{
		robot->ParticleGroup = -1;
		robot->ParticleTimer = 0;
	}
}

const CreatureKind kMutantRobotKind = {
	.kind = ENEMY_KIND_MUTANTROBOT,
	.limit = MUTANTROBOT_LIMIT,
	.skeletonType = SKELETON_TYPE_MUTANTROBOT,
	.scale = MUTANTROBOT_SCALE,
	.health = MUTANTROBOT_HEALTH,
	.damage = MUTANTROBOT_DAMAGE,
	.targetOffset = TARGET_OFFSET,
	.shadowX = SHADOW_SIZE,
	.shadowZ = SHADOW_SIZE,
	.hits = &kMutantRobotHitTable,
	.move = MoveMutantRobot,
	.prepare = PrepareMutantRobot,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = SPLINE_DETACH_DISTANCE, .walkAnim = MUTANTROBOT_ANIM_WALK,
		.walkAnimSpeed = SPLINE_WALK_ANIM_SPEED, .damage = 0},
};

void MoveMutantRobot(ObjNode* robot)
{
	if (IsEnemyOutOfRange(robot))
	{
		DeleteEnemy(robot);
		return;
	}
	robot->OldCoord = robot->Coord;
	GetObjectInfo(robot);
	int anim = CreatureAnim(robot);
	if (anim >= 0 && anim < NUM_MUTANTROBOT_ANIMS)
		kMoveByAnim[anim](robot);
	else
		UpdateEnemy(robot);
}

void MoveMutantRobotBolt(ObjNode* bolt)
{
	bolt->Health -= gFrameTime;
	if (bolt->Health <= 0)
	{
		DeleteObject(bolt);
		return;
	}
	GetObjectInfo(bolt);
	gObjCoord.x += gObjDelta.x * gFrameTime;
	gObjCoord.y += gObjDelta.y * gFrameTime;
	gObjCoord.z += gObjDelta.z * gFrameTime;

	const float ground = IsTerrainSetUp() ? TerrainHeightAt(gObjCoord.x, gObjCoord.z) : 0.0f;
	const float r = BOLT_CLEARANCE;
	bool struck = gObjCoord.y <= ground
			|| FindBoxCollisions(gObjCoord.y + r, gObjCoord.y - r, gObjCoord.x - r, gObjCoord.x + r, gObjCoord.z + r,
					gObjCoord.z - r, CTYPE_MISC) > 0;
	if (struck)
	{
		bolt->Coord = gObjCoord;
		BurstShotIntoFlash(bolt);
		return;
	}
	UpdateObject(bolt);
}
