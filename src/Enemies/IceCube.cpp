// The ice cube: walks at the robot while it is neither too near nor too far,
// and lobs blocks of ice at it from its right hand. Fire melts it smaller
// (and slower) until a hit takes it below its least size; the freeze gun
// makes it bigger; time grows it back to its rest size.
#include "Enemies/FireIceCreatures.h"
#include "Enemies/FireIceCommon.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Enemies/JungleCreatures.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
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
#include "Terrain/Fences.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <algorithm>
#include <cmath>

using namespace FireIce;

namespace
{
	constexpr float DAMAGE = 0.33f;
	constexpr float TARGET_OFFSET = 60.0f;
	constexpr float SHADOW_WIDTH = 8.0f, SHADOW_DEPTH = 6.0f;
	// Its box per unit of scale: from its feet (the rig's origin) to the top of the cube.
	constexpr float BOX_TOP = 70.0f;
	constexpr float BOX_BOTTOM = 0.0f;
	constexpr float BOX_SIDE = 35.0f;
	constexpr float TURN_SPEED = 3.0f;
	constexpr float FLINCH_TURN_SPEED = 10.0f;
	constexpr float FLINCH_SPEED = 500.0f;
	constexpr float WALK_ANIM_SPEED = 0.5f;
	constexpr float WALK_SPEED_FACTOR = 0.4f;		// × scale × 280
	constexpr float CHASE_NEAR = 150.0f;			// true distances that bound its walk
	constexpr float CHASE_FAR = 2500.0f;
	constexpr float FRICTION_STAND = 2000.0f;
	constexpr float FRICTION_HURT = 1200.0f;
	constexpr float HURT_TIME = 1.0f;
	constexpr float FIRST_THROW_DELAY = 4.0f;		// seconds, random up to this
	constexpr float STUN_SHARE = 0.25f;				// of a stun shot's damage
	constexpr float SHOT_PUSH = 0.4f;
	constexpr float SHOT_LIFT = 200.0f;
	constexpr float JET_DAMAGE = 1.0f;
	constexpr float FIST_DAMAGE = 0.4f;
	constexpr float KNOCK_BACK_SPEED = 1000.0f;
	constexpr float KNOCK_BACK_LIFT = 500.0f;
	constexpr float SPLINE_SPEED = 70.0f;
	constexpr float SPLINE_DETACH_DISTANCE = 1000.0f;	// true distance

	// Eye glints.
	constexpr OGLPoint3D EYE_OFFSETS[2] = {{-9, 0, -22}, {9, 0, -22}};
	constexpr float GLINT_SCALE = 70.0f;
	constexpr float GLINT_SEPARATION = 20.0f;

	// The ice block.
	constexpr uint16_t BLOCK_SLOT = 2999;
	constexpr float BLOCK_START_SCALE = 0.1f;
	constexpr float BLOCK_GROWTH = 1.4f;			// scale per second in the hand, to 1
	constexpr float BLOCK_ALPHA = 0.8f;
	constexpr float BLOCK_DAMAGE = 0.1f;
	constexpr OGLPoint3D BLOCK_OFFSET = {0, -20, 0};	// below the hand
	constexpr float BLOCK_SPEED = 1400.0f;
	constexpr float BLOCK_LIFT = 200.0f;
	constexpr float BLOCK_GRAVITY = 1300.0f;
	constexpr float BLOCK_TIP = 0.5f;				// radians per second forward
	const OGLBoundingBox BLOCK_STAND_IN = {{-20, -20, -20}, {20, 20, 20}, false};

	void MoveIceBlock(ObjNode* block);

	void SetCubeBox(ObjNode* cube)
	{
		float k = cube->Scale.x;
		SetObjectCollisionBounds(cube, int16_t(BOX_TOP * k), int16_t(BOX_BOTTOM * k), int16_t(-BOX_SIDE * k),
				int16_t(BOX_SIDE * k), int16_t(BOX_SIDE * k), int16_t(-BOX_SIDE * k));
	}

	void Resize(ObjNode* cube, float scale)
	{
		cube->Scale = {scale, scale, scale};
		UpdateObjectTransforms(cube);
		SetCubeBox(cube);
	}

	void AttachEyeGlints(ObjNode* cube)
	{
		for (int i = 0; i < MAX_NODE_SPARKLES; i++)
			cube->Sparkles[i] = -1;
		for (int i = 0; i < 2; i++)
		{
			int16_t s = GetFreeSparkle(cube);
			if (s < 0)
				return;
			cube->Sparkles[i] = s;
			SparkleType& glint = gSparkles[s];
			glint.flags = 0;			// aimed: seen only from in front
			glint.color = {1, 1, 1, 1};
			glint.scale = GLINT_SCALE;
			glint.separation = GLINT_SEPARATION;
			glint.textureNum = PARTICLE_SPRITE_GLINT;
			glint.where = cube->Coord;
			glint.aim = {-std::sin(cube->Rot.y), 0, -std::cos(cube->Rot.y)};
		}
	}

	void UpdateEyeGlints(ObjNode* cube)
	{
		for (int i = 0; i < 2; i++)
		{
			int16_t s = cube->Sparkles[i];
			if (s < 0)
				continue;
			SparkleType& glint = gSparkles[s];
			FindCoordOnJoint(cube, ICECUBE_JOINT_EYES, &EYE_OFFSETS[i], &glint.where);
			glint.aim = {-std::sin(cube->Rot.y), 0, -std::cos(cube->Rot.y)};
		}
	}

	bool PitAhead(const ObjNode* cube)
	{
		return IsHoleInFront(gObjCoord.x, gObjCoord.z, cube->Rot.y);
	}

	float TrueDistanceToRobot(const ObjNode* cube)
	{
		if (!gPlayerNode)
			return FAR_DISTANCE;
		const OGLPoint3D& p = gPlayerNode->Coord;
		return CalcDistance3D(cube->Coord.x, cube->Coord.y, cube->Coord.z, p.x, p.y, p.z);
	}

	//
	// Throwing
	//

	void DeleteHeldBlock(ObjNode* cube)
	{
		if (ObjNode* block = cube->ChainNode)
		{
			cube->ChainNode = nullptr;
			block->ChainHead = nullptr;
			DeleteObject(block);
		}
	}

	void PutBlockInHand(ObjNode* cube)
	{
		DeleteHeldBlock(cube);
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = LEVEL_MODEL_ICE_BLOCK;
		def.coord = cube->Coord;
		def.flags = gAutoFadeStatusBits | STATUS_BIT_NOLIGHTING | STATUS_BIT_USEALIGNMENTMATRIX;
		def.slot = int16_t(BLOCK_SLOT);
		def.scale = BLOCK_START_SCALE;
		ObjNode* block = MakeItemModelNode(&def, BLOCK_STAND_IN);
		block->ColorFilter.a = BLOCK_ALPHA;
		block->Damage = BLOCK_DAMAGE;
		block->CType = 0;
		cube->ChainNode = block;
		block->ChainHead = cube;
	}

	// The block sits under the hand: its scale, a quarter turn, the offset, the hand's matrix.
	void PoseHeldBlock(ObjNode* cube)
	{
		ObjNode* block = cube->ChainNode;
		if (!block)
			return;
		float s = std::min(1.0f, block->Scale.x + BLOCK_GROWTH * gFrameTime);
		block->Scale = {s, s, s};
		OGLMatrix4x4 scale, turn, move, hand, m1, m2;
		OGLMatrix4x4_SetScale(&scale, s, s, s);
		OGLMatrix4x4_SetRotate_Y(&turn, PI / 2);
		OGLMatrix4x4_SetTranslate(&move, BLOCK_OFFSET.x, BLOCK_OFFSET.y, BLOCK_OFFSET.z);
		FindJointFullMatrix(cube, ICECUBE_JOINT_HAND, &hand);
		OGLMatrix4x4_Multiply(&scale, &turn, &m1);
		OGLMatrix4x4_Multiply(&m1, &move, &m2);
		OGLMatrix4x4_Multiply(&m2, &hand, &block->BaseTransformMatrix);
		block->Coord = {block->BaseTransformMatrix.value[12], block->BaseTransformMatrix.value[13],
			block->BaseTransformMatrix.value[14]};
		SyncBaseTransformObject(block);
	}

	void ReleaseBlock(ObjNode* cube)
	{
		ObjNode* block = cube->ChainNode;
		if (!block)
			return;
		cube->ChainNode = nullptr;
		block->ChainHead = nullptr;
		FindCoordOnJoint(cube, ICECUBE_JOINT_HAND, &BLOCK_OFFSET, &block->Coord);
		block->StatusBits &= ~STATUS_BIT_USEALIGNMENTMATRIX;
		block->Scale = {cube->Scale.x / ICECUBE_SCALE, cube->Scale.x / ICECUBE_SCALE, cube->Scale.x / ICECUBE_SCALE};
		block->Rot = {0, cube->Rot.y, 0};
		block->Delta = {-std::sin(cube->Rot.y) * BLOCK_SPEED, BLOCK_LIFT, -std::cos(cube->Rot.y) * BLOCK_SPEED};
		block->CType = CTYPE_HURTME;
		block->CBits = SIDE_ANY_OVERLAP;
		block->MoveCall = MoveIceBlock;
		UpdateObjectTransforms(block);
		CreateCollisionBoxFromBoundingBox_Rotated(block, 1, 1);
	}

	void ThrowCheck(ObjNode* cube)
	{
		if (!RobotIsTarget())
			return;
		float& delay = cube->SpecialF[ICECUBE_TIMER_THROW];
		delay -= gFrameTime;
		if (delay > 0)
			return;
		const OGLPoint3D& p = gPlayerNode->Coord;
		float toRobot = CalcYAngleFromPointToPoint(cube->Rot.y, cube->Coord.x, cube->Coord.z, p.x, p.z);
		float off = std::fabs(AngleDifference(toRobot, cube->Rot.y));
		float d = EnemyDistanceToPlayer(cube);
		if (off >= PI / 2 || d <= ICECUBE_THROW_NEAR || d >= ICECUBE_THROW_FAR)
			return;
		SwitchAnim(cube, ICECUBE_ANIM_THROW, 4);
		cube->Flag[ICECUBE_FLAG_RELEASE] = 0;
		PutBlockInHand(cube);
	}

	//
	// One move routine per animation
	//

	void MoveStand(ObjNode* cube)
	{
		if (CreatureOnGround(cube))
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(cube, TURN_SPEED);
		float d = TrueDistanceToRobot(cube);
		float& wait = cube->SpecialF[ICECUBE_TIMER_STAND];
		wait -= gFrameTime;
		if (wait <= 0 && !PitAhead(cube) && d > CHASE_NEAR && d < CHASE_FAR && !FenceBetweenPlayerAnd(cube))
			SwitchAnim(cube, ICECUBE_ANIM_WALK, 4);
		ApplyEnemyGravity();
		ThrowCheck(cube);
		FinishMove(cube, MOVE_MASK, true);
	}

	void MoveWalk(ObjNode* cube)
	{
		if (cube->Skeleton)
			cube->Skeleton->AnimSpeed = WALK_ANIM_SPEED;
		TurnEnemyTowardPlayer(cube, TURN_SPEED);
		SetVelocityAlongHeading(cube, IceCubeWalkSpeed(cube));
		ApplyEnemyGravity();
		float d = TrueDistanceToRobot(cube);
		if (PitAhead(cube) || d >= CHASE_FAR || d <= CHASE_NEAR)
		{
			SwitchAnim(cube, ICECUBE_ANIM_STAND, 4);
			gObjDelta.x = gObjDelta.z = 0;
		}
		ThrowCheck(cube);
		FinishMove(cube, MOVE_MASK, true);
	}

	void MoveThrow(ObjNode* cube)
	{
		if (CreatureOnGround(cube))
			ApplyEnemyFriction(FRICTION_STAND);
		ApplyEnemyGravity();
		FinishMove(cube, MOVE_MASK, true);
		if (cube->Skeleton && cube->Skeleton->AnimHasStopped)
			SwitchAnim(cube, ICECUBE_ANIM_STAND, 3);
		PoseHeldBlock(cube);
		if (cube->Flag[ICECUBE_FLAG_RELEASE])
		{
			cube->Flag[ICECUBE_FLAG_RELEASE] = 0;
			ReleaseBlock(cube);
		}
	}

	void MoveHurt(ObjNode* cube)
	{
		if (cube->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(cube, FLINCH_TURN_SPEED);
		if (CreatureOnGround(cube))
			ApplyEnemyFriction(FRICTION_HURT);
		ApplyEnemyGravity();
		cube->SpecialF[ICECUBE_TIMER_HURT] -= gFrameTime;
		if (cube->SpecialF[ICECUBE_TIMER_HURT] <= 0)
			SwitchAnim(cube, ICECUBE_ANIM_STAND, 3);
		FinishMove(cube, MOVE_MASK, true);
	}

	constexpr ObjNodeRoutine kMoveByAnim[] = {MoveStand, MoveWalk, MoveThrow, MoveHurt};

	//
	// Hits
	//

	void KillIceCube(ObjNode* cube)
	{
		DeleteHeldBlock(cube);
		SpillPowerups(cube, 2, 1, 0);
		ExplodeGeometry(cube, 300, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 0.4f);
		PlayEffectAt(EFFECT_SHATTER, cube->Coord, 1, 1);
		if (!cube->Flag[ENEMY_FLAG_COMES_BACK])
			cube->TerrainItemPtr = nullptr;
		DeleteEnemy(cube);
	}

	bool HurtIceCube(ObjNode* cube, float damage)
	{
		DeleteHeldBlock(cube);
		DetachEnemyFromSpline(cube, MoveIceCube);
		cube->Health -= damage;
		if (cube->Health <= 0)
		{
			KillIceCube(cube);
			return true;
		}
		SwitchAnim(cube, ICECUBE_ANIM_HURT, 8);
		cube->SpecialF[ICECUBE_TIMER_HURT] = HURT_TIME;
		return true;
	}

	bool HitByStun(ObjNode* weapon, ObjNode* cube, const OGLPoint3D*, const OGLVector3D*, float damage)
	{
		bool alive = true;
		HurtIceCube(cube, STUN_SHARE * WeaponDamage(weapon, damage));
		alive = cube->CType != INVALID_NODE_FLAG;
		if (alive && weapon)
		{
			cube->Delta.x += weapon->Delta.x * SHOT_PUSH;
			cube->Delta.y += weapon->Delta.y * SHOT_PUSH + SHOT_LIFT;
			cube->Delta.z += weapon->Delta.z * SHOT_PUSH;
			if (gCurrentMoveNode == cube)
				gObjDelta = cube->Delta;
		}
		return true;
	}

	bool HitByFire(ObjNode*, ObjNode* cube, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (cube->Scale.x <= ICECUBE_MIN_SCALE)
			return true;		// melted as far as it goes until it has regrown a little
		float smaller = cube->Scale.x - ICECUBE_MELT_STEP;
		if (smaller < ICECUBE_MIN_SCALE)
		{
			KillIceCube(cube);
			return true;
		}
		Resize(cube, smaller);
		ExplodeGeometry(cube, 200, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 3, 1.0f);
		return true;
	}

	bool HitByFreeze(ObjNode*, ObjNode* cube, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (cube->Scale.x < ICECUBE_MAX_SCALE)
			Resize(cube, std::min(ICECUBE_MAX_SCALE, cube->Scale.x + ICECUBE_GROW_STEP));
		cube->Health = ICECUBE_HEALTH;
		return true;
	}

	bool HitByFist(ObjNode*, ObjNode* cube, const OGLPoint3D*, const OGLVector3D*, float damage)
	{
		HurtIceCube(cube, damage > 0 ? damage : FIST_DAMAGE);
		KnockBack(cube, KNOCK_BACK_SPEED, KNOCK_BACK_LIFT);
		return true;
	}

	bool HitByJet(ObjNode*, ObjNode* cube, const OGLPoint3D*, const OGLVector3D*, float)
	{
		HurtIceCube(cube, JET_DAMAGE);
		KnockBack(cube, KNOCK_BACK_SPEED, KNOCK_BACK_LIFT);
		return true;
	}

	constexpr CreatureHitRoutines kIceCubeHits = {.hurt = HurtIceCube, .kill = KillIceCube};

	constexpr CreatureHitTable kIceCubeHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_STUNGUN] = HitByStun;
		t[WEAPON_FREEZEGUN] = HitByFreeze;
		t[WEAPON_ARCSHOT] = t[WEAPON_FLARE] = HitByFire;
		t[WEAPON_FIST] = HitByFist;
		t[WEAPON_NOVA] = CreatureHitToDeath<kIceCubeHits>;
		t[WEAPON_JETHIT] = HitByJet;
		t[WEAPON_HURT] = CreatureHitByHurt<kIceCubeHits>;
		return t;
	}();

	void PrepareCube(ObjNode* cube)
	{
		cube->StatusBits |= STATUS_BIT_NOLIGHTING;
		cube->ColorFilter.a = 0.99f;
		for (float& f : cube->SpecialF)
			f = 0;
		cube->SpecialF[ICECUBE_TIMER_THROW] = RandomFloat() * FIRST_THROW_DELAY;
		cube->ChainNode = nullptr;
	}

	//
	// The thrown block
	//

	void MoveIceBlock(ObjNode* block)
	{
		if (IsNodeOutOfRange(block))
		{
			DeleteObject(block);
			return;
		}
		GetObjectInfo(block);
		const float dt = gFrameTime;
		gObjDelta.y -= BLOCK_GRAVITY * dt;
		block->Rot.x -= BLOCK_TIP * dt;
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		float ground = IsTerrainSetUp() ? TerrainHeightAt(gObjCoord.x, gObjCoord.z) : 0.0f;
		if (gObjCoord.y + float(block->BottomOff) < ground || ResolveCollisions(block, SHOT_STOPPERS, 0) != 0)
		{
			block->Coord = gObjCoord;
			ExplodeGeometry(block, 300, SHARD_MODE_BOUNCE, 1, 0.4f);
			PlayEffectAt(EFFECT_SHATTER, gObjCoord, 1.5f, 0.7f);
			DeleteObject(block);
			return;
		}
		UpdateObject(block);
	}
}

const CreatureKind kIceCubeKind = {
	.kind = ENEMY_KIND_ICECUBE,
	.limit = ICECUBE_LIMIT,
	.skeletonType = SKELETON_TYPE_ICECUBE,
	.scale = ICECUBE_SCALE,
	.health = ICECUBE_HEALTH,
	.damage = DAMAGE,
	.targetOffset = TARGET_OFFSET,
	.shadowX = SHADOW_WIDTH,
	.shadowZ = SHADOW_DEPTH,
	.hits = &kIceCubeHitTable,
	.move = MoveIceCube,
	.prepare = PrepareCube,
	.sizeBox = SetCubeBox,
	.dress = AttachEyeGlints,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = SPLINE_DETACH_DISTANCE, .trueDistance = true,
		.walkAnim = ICECUBE_ANIM_WALK, .whileRiding = UpdateEyeGlints},
};

float IceCubeWalkSpeed(const ObjNode* cube)
{
	return cube->Scale.x * WALK_SPEED_FACTOR * ICECUBE_WALK_SPEED;
}

ObjNode* IceCubeHeldBlock(const ObjNode* cube)
{
	return cube->ChainNode;
}

void MoveIceCube(ObjNode* cube)
{
	if (IsEnemyOutOfRange(cube))
	{
		DeleteHeldBlock(cube);
		DeleteEnemy(cube);
		return;
	}
	cube->OldCoord = cube->Coord;
	GetObjectInfo(cube);
	int anim = Anim(cube);
	if (anim >= 0 && anim < int(sizeof(kMoveByAnim) / sizeof(kMoveByAnim[0])))
		kMoveByAnim[anim](cube);
	else
		FinishMove(cube, MOVE_MASK, true);
	if (cube->CType == INVALID_NODE_FLAG)
		return;
	if (cube->Scale.x < ICECUBE_SCALE)
		Resize(cube, std::min(ICECUBE_SCALE, cube->Scale.x + ICECUBE_REGROW_RATE * gFrameTime));
	UpdateEyeGlints(cube);
}
