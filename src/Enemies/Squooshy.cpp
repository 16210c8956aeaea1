// The squooshy: a slime that hops at the robot from afar and spits globs at
// it up close. It can be frozen (and a punch then shatters it); killed warm,
// it lies flattened as a corpse until it is out of sight.
#include "Enemies/FireIceCreatures.h"
#include "Enemies/FireIceCommon.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Items/ItemsInternal.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <cmath>

using namespace FireIce;

namespace
{
	constexpr float DAMAGE = 0.1f;
	constexpr float TARGET_OFFSET = 100.0f;
	constexpr float SHADOW_WIDTH = 19.0f, SHADOW_DEPTH = 7.0f;
	constexpr float TURN_SPEED = 1.4f;				// radians per second
	constexpr float FLINCH_TURN_SPEED = 10.0f;
	constexpr float FLINCH_SPEED = 500.0f;
	constexpr float FACING_ANGLE = PI / 3;			// it acts only with the robot this near its heading
	constexpr float SPIT_RANGE = 1000.0f;
	constexpr float HOP_RANGE = 3000.0f;
	constexpr float LEAP_FORWARD = 600.0f;			// units per second
	constexpr float LEAP_UP = 2000.0f;
	constexpr float FRICTION_STAND = 2000.0f;
	constexpr float FRICTION_HURT = 400.0f;
	constexpr float FRICTION_DEAD = 2500.0f;
	constexpr float HURT_TIME = 3.0f;
	constexpr float FIRST_SPIT = 1.0f;				// seconds into the spit animation
	constexpr float SPIT_INTERVAL = 0.3f;
	constexpr float STUN_PUSH = 0.6f;
	constexpr float FIST_KNOCK_SPEED = 500.0f;
	constexpr float FIST_KNOCK_LIFT = 300.0f;

	// The glob.
	constexpr uint16_t GLOB_SLOT = 502;
	constexpr float GLOB_SCALE = 0.9f;
	constexpr float GLOB_DAMAGE = 0.1f;
	constexpr float GLOB_SPEED = 1000.0f;
	constexpr OGLPoint3D GLOB_MOUTH = {0, 0, -6};		// just in front of the lips
	constexpr OGLVector3D GLOB_DIRECTION = {0, 0.35f, -1};	// out of the mouth and a little up
	constexpr float GLOB_GRAVITY = 2000.0f;
	constexpr float GLOB_FRICTION = 2000.0f;
	constexpr float GLOB_SPIN_DAMPING = 10.0f;		// per second on the ground
	constexpr float GLOB_BOUNCE = -0.5f;
	const OGLBoundingBox GLOB_STAND_IN = {{-12, -12, -12}, {12, 12, 12}, false};

	void MoveGlob(ObjNode* glob);

	bool RobotAhead(ObjNode* squooshy, float angleLeft)
	{
		return gPlayerNode && angleLeft < FACING_ANGLE;
	}

	void MoveStand(ObjNode* squooshy)
	{
		if (CreatureOnGround(squooshy))
			ApplyEnemyFriction(FRICTION_STAND);
		float angleLeft = TurnEnemyTowardPlayer(squooshy, TURN_SPEED);
		if (RobotIsTarget() && RobotAhead(squooshy, angleLeft))
		{
			float d = EnemyDistanceToPlayer(squooshy);
			if (d < SPIT_RANGE)
			{
				SwitchAnim(squooshy, SQUOOSHY_ANIM_SPIT, 6);
				squooshy->SpecialF[SQUOOSHY_TIMER_SPIT] = FIRST_SPIT;
			}
			else if (d < HOP_RANGE)
			{
				SwitchAnim(squooshy, SQUOOSHY_ANIM_HOP, 8);
				squooshy->Flag[SQUOOSHY_FLAG_AIRBORNE] = 0;
			}
		}
		ApplyEnemyGravity();
		FinishMove(squooshy, MOVE_MASK, true);
	}

	void MoveHop(ObjNode* squooshy)
	{
		bool airborne = squooshy->Flag[SQUOOSHY_FLAG_AIRBORNE];
		if (!airborne && squooshy->Skeleton && squooshy->Skeleton->AnimHasStopped)
		{
			squooshy->Flag[SQUOOSHY_FLAG_AIRBORNE] = 1;
			SetVelocityAlongHeading(squooshy, LEAP_FORWARD);
			gObjDelta.y = LEAP_UP;
			squooshy->StatusBits &= ~STATUS_BIT_ONGROUND;
		}
		else if (!airborne && CreatureOnGround(squooshy))
			ApplyEnemyFriction(FRICTION_STAND);
		bool falling = gObjDelta.y < 0;
		ApplyEnemyGravity();
		FinishMove(squooshy, MOVE_MASK, true);
		if (squooshy->Flag[SQUOOSHY_FLAG_AIRBORNE] && falling && CreatureOnGround(squooshy))
		{
			squooshy->Flag[SQUOOSHY_FLAG_AIRBORNE] = 0;
			SwitchAnim(squooshy, SQUOOSHY_ANIM_LAND, 7);
		}
	}

	void MoveHurt(ObjNode* squooshy)
	{
		if (CreatureOnGround(squooshy))
			ApplyEnemyFriction(FRICTION_HURT);
		ApplyEnemyGravity();
		squooshy->SpecialF[SQUOOSHY_TIMER_HURT] -= gFrameTime;
		if (squooshy->SpecialF[SQUOOSHY_TIMER_HURT] <= 0)
			SwitchAnim(squooshy, SQUOOSHY_ANIM_STAND, 3);
		FinishMove(squooshy, MOVE_MASK, true);
	}

	void MoveLand(ObjNode* squooshy)
	{
		if (CreatureOnGround(squooshy))
			ApplyEnemyFriction(FRICTION_STAND);
		ApplyEnemyGravity();
		FinishMove(squooshy, MOVE_MASK, true);
		if (squooshy->Skeleton && squooshy->Skeleton->AnimHasStopped)
			SwitchAnim(squooshy, SQUOOSHY_ANIM_STAND, 4);
	}

	void MoveSpit(ObjNode* squooshy)
	{
		if (CreatureOnGround(squooshy))
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(squooshy, TURN_SPEED);
		float& timer = squooshy->SpecialF[SQUOOSHY_TIMER_SPIT];
		timer -= gFrameTime;
		if (timer <= 0)
		{
			timer += SPIT_INTERVAL;
			SpitSquooshyGlob(squooshy);
		}
		ApplyEnemyGravity();
		FinishMove(squooshy, MOVE_MASK, true);
		if (squooshy->Skeleton && squooshy->Skeleton->AnimHasStopped)
			SwitchAnim(squooshy, SQUOOSHY_ANIM_STAND, 5);
	}

	void MoveDead(ObjNode* squooshy)
	{
		if (DeleteCorpseIfGone(squooshy))
			return;
		if (squooshy->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(squooshy, FLINCH_TURN_SPEED);
		if (CreatureOnGround(squooshy))
			ApplyEnemyFriction(FRICTION_DEAD);
		ApplyEnemyGravity();
		FinishMove(squooshy, BODY_MASK, true);
	}

	constexpr ObjNodeRoutine kMoveByAnim[] = {MoveStand, MoveHop, MoveHurt, MoveLand, MoveSpit, MoveDead};

	//
	// Hits
	//

	void KillSquooshy(ObjNode* squooshy)
	{
		if (squooshy->Flag[ENEMY_FLAG_DYING])
			return;
		if (IsEnemyFrozen(squooshy))
		{
			SpillPowerups(squooshy, 0, 1, 2);
			ShatterEnemy(squooshy);
			return;
		}
		squooshy->Flag[ENEMY_FLAG_DYING] = 1;
		squooshy->CType = CTYPE_MISC;
		if (Anim(squooshy) != SQUOOSHY_ANIM_DEAD)
		{
			SwitchAnim(squooshy, SQUOOSHY_ANIM_DEAD, 5);
			SpillPowerups(squooshy, 2, 1, 0);
		}
		ClearEnemyHitHandlers(squooshy);
	}

	bool HurtSquooshy(ObjNode* squooshy, float damage)
	{
		if (squooshy->Flag[ENEMY_FLAG_DYING])
			return false;
		squooshy->Health -= damage;
		if (squooshy->Health <= 0)
		{
			KillSquooshy(squooshy);
			return true;
		}
		SwitchAnim(squooshy, SQUOOSHY_ANIM_HURT, 5);
		squooshy->SpecialF[SQUOOSHY_TIMER_HURT] = HURT_TIME;
		return true;
	}

	bool HitByShot(ObjNode* weapon, ObjNode* squooshy, const OGLPoint3D*, const OGLVector3D*, float damage)
	{
		bool taken = HurtSquooshy(squooshy, WeaponDamage(weapon, damage));
		if (weapon && squooshy->CType != INVALID_NODE_FLAG)
		{
			squooshy->Delta.x += weapon->Delta.x * STUN_PUSH;
			squooshy->Delta.y += weapon->Delta.y * STUN_PUSH;
			squooshy->Delta.z += weapon->Delta.z * STUN_PUSH;
			if (gCurrentMoveNode == squooshy)
				gObjDelta = squooshy->Delta;
		}
		return taken;
	}

	bool HitByFist(ObjNode*, ObjNode* squooshy, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (IsEnemyFrozen(squooshy))
		{
			KillSquooshy(squooshy);
			return true;
		}
		bool taken = HurtSquooshy(squooshy, SQUOOSHY_FIST_DAMAGE);
		KnockBack(squooshy, FIST_KNOCK_SPEED, FIST_KNOCK_LIFT);
		return taken;
	}

	constexpr CreatureHitRoutines kSquooshyHits = {.hurt = HurtSquooshy, .kill = KillSquooshy, .freeMove = MoveSquooshy};

	//
	// The glob
	//

	OGLVector3D JointDirection(ObjNode* node, int joint, OGLVector3D local)
	{
		OGLMatrix4x4 m;
		FindJointFullMatrix(node, joint, &m);
		OGLVector3D out = {local.x * m.value[0] + local.y * m.value[4] + local.z * m.value[8],
			local.x * m.value[1] + local.y * m.value[5] + local.z * m.value[9],
			local.x * m.value[2] + local.y * m.value[6] + local.z * m.value[10]};
		float len = std::sqrt(out.x * out.x + out.y * out.y + out.z * out.z);
		if (len < 1e-6f)
			return {-std::sin(node->Rot.y), 0, -std::cos(node->Rot.y)};
		return {out.x / len, out.y / len, out.z / len};
	}

	void MoveGlob(ObjNode* glob)
	{
		if (IsNodeOutOfRange(glob))
		{
			DeleteObject(glob);
			return;
		}
		GetObjectInfo(glob);
		const float dt = gFrameTime;
		if (glob->StatusBits & STATUS_BIT_ONGROUND)
		{
			ApplyEnemyFriction(GLOB_FRICTION);
			float keep = std::max(0.0f, 1 - GLOB_SPIN_DAMPING * dt);
			glob->DeltaRot = {glob->DeltaRot.x * keep, glob->DeltaRot.y * keep, glob->DeltaRot.z * keep};
		}
		gObjDelta.y -= GLOB_GRAVITY * dt;
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		glob->Rot.x += glob->DeltaRot.x * dt;
		glob->Rot.y += glob->DeltaRot.y * dt;
		glob->Rot.z += glob->DeltaRot.z * dt;
		float ground = IsTerrainSetUp() ? TerrainHeightAt(gObjCoord.x, gObjCoord.z) : 0.0f;
		if (gObjCoord.y + float(glob->BottomOff) < ground || ResolveCollisions(glob, SHOT_STOPPERS, GLOB_BOUNCE) != 0)
		{
			SplashAt(gObjCoord, PARTICLE_SPRITE_DROPLET);
			PlayEffectAt(EFFECT_SPLATHIT, gObjCoord, 1, 1);
			DeleteObject(glob);
			return;
		}
		UpdateObject(glob);
	}
}

namespace
{
	constexpr CreatureHitTable kSquooshyHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_STUNGUN] = t[WEAPON_ARCSHOT] = t[WEAPON_FLARE] = HitByShot;
		t[WEAPON_FREEZEGUN] = CreatureHitByFreeze<kSquooshyHits>;
		t[WEAPON_FIST] = HitByFist;
		t[WEAPON_NOVA] = t[WEAPON_JETHIT] = CreatureHitToDeath<kSquooshyHits>;
		t[WEAPON_HURT] = CreatureHitByHurt<kSquooshyHits>;
		return t;
	}();

	void PrepareSquooshy(ObjNode* squooshy)
	{
		for (float& f : squooshy->SpecialF)
			f = 0;
	}
}

const CreatureKind kSquooshyKind = {
	.kind = ENEMY_KIND_SQUOOSHY,
	.limit = SQUOOSHY_LIMIT,
	.skeletonType = SKELETON_TYPE_SQUOOSHY,
	.scale = SQUOOSHY_SCALE,
	.health = SQUOOSHY_HEALTH,
	.damage = DAMAGE,
	.targetOffset = TARGET_OFFSET,
	.shadowX = SHADOW_WIDTH,
	.shadowZ = SHADOW_DEPTH,
	.hits = &kSquooshyHitTable,
	.move = MoveSquooshy,
	.prepare = PrepareSquooshy,
};

void MoveSquooshy(ObjNode* squooshy)
{
	if (IsEnemyOutOfRange(squooshy))
	{
		DeleteEnemy(squooshy);
		return;
	}
	squooshy->OldCoord = squooshy->Coord;
	GetObjectInfo(squooshy);
	if (IsEnemyFrozen(squooshy))
	{
		MoveFrozenEnemy(squooshy);
		FinishMove(squooshy, BODY_MASK, true);
		return;
	}
	int anim = Anim(squooshy);
	if (anim >= 0 && anim < int(sizeof(kMoveByAnim) / sizeof(kMoveByAnim[0])))
		kMoveByAnim[anim](squooshy);
	else
		FinishMove(squooshy, MOVE_MASK, true);
}

ObjNode* SpitSquooshyGlob(ObjNode* squooshy)
{
	OGLPoint3D mouth;
	FindCoordOnJoint(squooshy, SQUOOSHY_JOINT_MOUTH, &GLOB_MOUTH, &mouth);
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_SQUOOSHY_GLOB;
	def.coord = mouth;
	def.flags = gAutoFadeStatusBits;
	def.slot = int16_t(GLOB_SLOT);
	def.moveCall = MoveGlob;
	def.scale = GLOB_SCALE;
	ObjNode* glob = MakeItemModelNode(&def, GLOB_STAND_IN);
	glob->Damage = GLOB_DAMAGE;
	glob->CType = CTYPE_HURTME;
	glob->CBits = SIDE_ANY_OVERLAP;
	CreateCollisionBoxFromBoundingBox(glob, 1, 1);
	OGLVector3D dir = JointDirection(squooshy, SQUOOSHY_JOINT_MOUTH, GLOB_DIRECTION);
	glob->Delta = {dir.x * GLOB_SPEED, dir.y * GLOB_SPEED, dir.z * GLOB_SPEED};
	glob->DeltaRot = {RandomFloatSigned() * PI2, RandomFloatSigned() * PI2, RandomFloatSigned() * PI2};
	AttachShadowToObject(glob, 0, 4, 4, false);
	PlayEffectAt(EFFECT_SQUOOSHYSHOOT, mouth, 1, 1);
	return glob;
}
