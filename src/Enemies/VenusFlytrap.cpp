// The venus flytrap: a rooted plant that snaps at a normal-sized robot in
// front of it, chews it a while and flings it away. It never moves or turns
// and cannot be killed: a giant robot's freeze shot stops it for a while and
// a giant's arc shot sets it burning for good.
#include "Enemies/JungleCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Player/Player.h"
#include "Player/PlayerHeld.h"
#include "Player/WeaponTypes.h"
#include "System/FrameTime.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/TerrainFile.h"

#include <cmath>

namespace
{
	constexpr float HEALTH = 1.0f;
	constexpr float DAMAGE = 0.1f;
	constexpr float SNAP_ANGLE = PI / 3;				// radians off its facing at most
	constexpr float CATCH_REACH = 200.0f;				// units from its mouth
	constexpr float CHEW_ANIM_SPEED = 0.6f;
	constexpr float FLING_SPEED = 2500.0f;				// units per second
	constexpr float FLING_MAX_SPEED = 15000.0f;		// the robot's limit while it flies
	constexpr float HELD_SCALE = 0.4615385f;			// the robot's size inside the (scaled) jaws: 1.2 / 2.6
	constexpr float FREEZE_TIME = 4.0f;					// seconds
	constexpr float THAW_SHARD_FORCE = 300.0f;
	constexpr float THAW_SHARD_DECAY = 1.0f;
	constexpr float FLAME_SCALE = 50.0f;
	constexpr float BOX_HALF_WIDTH = 100.0f;

	constexpr OGLVector3D FLING_DIRECTION = {0, 1, -1};

	enum { FLAG_EVENT = 0, FLAG_HOLDING = 1 };

	int Anim(const ObjNode* plant)
	{
		return plant->Skeleton->AnimNum;
	}

	void SwitchAnim(ObjNode* plant, int anim, float morphSpeed)
	{
		MorphToSkeletonAnim(plant->Skeleton, anim, morphSpeed);
	}

	float AngleToPlayer(const ObjNode* plant)
	{
		const OGLPoint3D& p = gPlayerNode->Coord;
		float want = CalcYAngleFromPointToPoint(plant->Rot.y, plant->Coord.x, plant->Coord.z, p.x, p.z);
		return std::fabs(AngleDifference(want, plant->Rot.y));
	}

	void HoldPlayerInJaws(ObjNode* plant)
	{
		if (!IsPlayerHeldIn(PLAYER_ANIM_FLYTRAPPED))
		{
			plant->Flag[FLAG_HOLDING] = 0;
			return;
		}
		OGLMatrix4x4 mouth, scale, m;
		FindJointFullMatrix(plant, FLYTRAP_JOINT_MOUTH, &mouth);
		OGLMatrix4x4_SetScale(&scale, HELD_SCALE, HELD_SCALE, HELD_SCALE);
		OGLMatrix4x4_Multiply(&scale, &mouth, &m);
		OGLPoint3D where;
		FindCoordOfJoint(plant, FLYTRAP_JOINT_MOUTH, &where);
		PlacePlayerInGrip(m, where);
	}

	void FlingPlayer(ObjNode* plant)
	{
		OGLMatrix4x4 mouth;
		FindJointFullMatrix(plant, FLYTRAP_JOINT_MOUTH, &mouth);
		OGLVector3D dir;
		OGLVector3D_Transform(&FLING_DIRECTION, &mouth, &dir);
		OGLVector3D_Normalize(&dir, &dir);
		ThrowPlayerFree(dir * FLING_SPEED, FLING_MAX_SPEED);
		plant->Flag[FLAG_HOLDING] = 0;
	}

	void MoveWait(ObjNode* plant)
	{
		if (gPlayerLevel.invincibleTimer > 0 || !IsRobotInPlay())
			return;
		if (EnemyDistanceToPlayer(plant) < FLYTRAP_REACH && AngleToPlayer(plant) < SNAP_ANGLE)
		{
			SwitchAnim(plant, FLYTRAP_ANIM_SNAP, 2);
			plant->Flag[FLAG_EVENT] = 0;
		}
	}

	void MoveSnap(ObjNode* plant)
	{
		if (plant->Skeleton->AnimHasStopped)
		{
			SwitchAnim(plant, FLYTRAP_ANIM_WAIT, 2);
			return;
		}
		if (!plant->Flag[FLAG_EVENT] || IsPlayerGiant() || !IsRobotInPlay() || gPlayerLevel.invincibleTimer > 0
				|| FenceBetweenPlayerAnd(plant))
			return;
		OGLPoint3D mouth;
		FindCoordOfJoint(plant, FLYTRAP_JOINT_MOUTH, &mouth);
		if (CalcQuickDistance(mouth.x, mouth.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z) < CATCH_REACH)
		{
			plant->Flag[FLAG_EVENT] = 0;
			plant->Flag[FLAG_HOLDING] = 1;
			SwitchAnim(plant, FLYTRAP_ANIM_CHEW, 3);
			plant->Skeleton->AnimSpeed = CHEW_ANIM_SPEED;
			CatchPlayer(PLAYER_ANIM_FLYTRAPPED);
		}
	}

	void MoveChew(ObjNode* plant)
	{
		if (plant->Flag[FLAG_HOLDING])
		{
			if (plant->Flag[FLAG_EVENT])
				FlingPlayer(plant);
			else
				HoldPlayerInJaws(plant);
		}
		if (plant->Skeleton->AnimHasStopped)
		{
			if (plant->Flag[FLAG_HOLDING] && IsPlayerHeldIn(PLAYER_ANIM_FLYTRAPPED))
				FlingPlayer(plant);			// a fling the rig never sent
			plant->Flag[FLAG_HOLDING] = 0;
			SwitchAnim(plant, FLYTRAP_ANIM_WAIT, 2);
		}
	}

	void MoveBurning(ObjNode* plant)
	{
		MakeJointFlames(plant, FLAME_SCALE);
	}

	constexpr ObjNodeRoutine kMoveByAnim[NUM_FLYTRAP_ANIMS] = {MoveWait, MoveSnap, MoveChew, MoveBurning};

	// The frozen plant stands still; once the ice bursts off it is itself again.
	void MoveFrozen(ObjNode* plant)
	{
		plant->SpecialF[ENEMY_TIMER_FROZEN] -= gFrameTime;
		plant->Skeleton->AnimSpeed = 0;
		if (plant->SpecialF[ENEMY_TIMER_FROZEN] <= 0)
		{
			plant->SpecialF[ENEMY_TIMER_FROZEN] = 0;
			plant->Skeleton->AnimSpeed = 1;
			ExplodeGeometry(plant, THAW_SHARD_FORCE, SHARD_MODE_FROMORIGIN | SHARD_MODE_BOUNCE, 2, THAW_SHARD_DECAY);
			PlayEnemyEffect3D(EFFECT_SHATTER, &plant->Coord);
			plant->Skeleton->materialOverride = nullptr;
		}
	}

	void LetGoOfPlayer(ObjNode* plant)
	{
		if (plant->Flag[FLAG_HOLDING] && IsPlayerHeldIn(PLAYER_ANIM_FLYTRAPPED))
			FlingPlayer(plant);
		plant->Flag[FLAG_HOLDING] = 0;
	}

	bool HitByFreeze(ObjNode*, ObjNode* plant, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (!IsPlayerGiant())
			return false;
		LetGoOfPlayer(plant);
		// The frozen look is the one every frozen creature wears: freeze, then take the timer over.
		FreezeEnemy(plant, MoveVenusFlytrap);
		plant->SpecialF[ENEMY_TIMER_FROZEN] = FREEZE_TIME;
		return true;
	}

	bool HitByArc(ObjNode*, ObjNode* plant, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (!IsPlayerGiant())
			return false;
		LetGoOfPlayer(plant);
		SwitchAnim(plant, FLYTRAP_ANIM_BURNING, 2);
		return true;
	}
}

namespace
{
	constexpr CreatureHitTable kFlytrapHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_FREEZEGUN] = HitByFreeze;
		t[WEAPON_ARCSHOT] = HitByArc;
		return t;
	}();

	// Plants wait at different points of their sway.
	void PrepareFlytrap(ObjNode* plant)
	{
		SetSkeletonAnimTime(plant->Skeleton, RandomFloat());
	}

	// As tall as its body, narrower than its leaves.
	void SizeFlytrapBox(ObjNode* plant)
	{
		plant->TopOff = int32_t(plant->BBox.max.y);
		plant->BottomOff = int32_t(plant->BBox.min.y);
		plant->LeftOff = int32_t(-BOX_HALF_WIDTH);
		plant->RightOff = int32_t(BOX_HALF_WIDTH);
		plant->FrontOff = int32_t(BOX_HALF_WIDTH);
		plant->BackOff = int32_t(-BOX_HALF_WIDTH);
		CalcObjectBoxFromNode(plant);
		// In the jungle boss's arena the robot's aim belongs to the boss's pod plants.
		if (CurrentLevelDef().setUp & LEVEL_SETUP_JUNGLE_BOSS)
			plant->CType &= ~CTYPE_AUTOTARGET;
	}
}

// A rooted set piece facing its item's heading: no cap, no limit, no shadow.
const CreatureKind kVenusFlytrapKind = {
	.kind = ENEMY_KIND_FLYTRAP,
	.setPiece = true,
	.facesItemHeading = true,
	.skeletonType = SKELETON_TYPE_VENUSFLYTRAP,
	.scale = FLYTRAP_SCALE,
	.health = HEALTH,
	.damage = DAMAGE,
	.hits = &kFlytrapHitTable,
	.move = MoveVenusFlytrap,
	.prepare = PrepareFlytrap,
	.sizeBox = SizeFlytrapBox,
};

void MoveVenusFlytrap(ObjNode* plant)
{
	if (IsEnemyOutOfRange(plant))
	{
		LetGoOfPlayer(plant);
		DeleteEnemy(plant);
		return;
	}
	if (IsEnemyFrozen(plant))
		MoveFrozen(plant);
	else
	{
		int anim = Anim(plant);
		if (anim >= 0 && anim < NUM_FLYTRAP_ANIMS)
			kMoveByAnim[anim](plant);
	}
}
