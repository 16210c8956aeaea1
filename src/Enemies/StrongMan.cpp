// The strong man: making him, one move routine per animation, the grab that
// lifts the robot over his head, the throw that hurls it down, and how he
// takes hits and dies. At most one strong man holds the robot at a time.
#include "Enemies/CloudCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/PlayerHeld.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"

#include <cmath>

namespace
{
	//
	// Tunables
	//

	constexpr float SHADOW_SIZE_X = 8.0f;
	constexpr float SHADOW_SIZE_Z = 6.0f;
	constexpr float TARGET_OFFSET = 60.0f;
	constexpr float TURN_SPEED = 3.0f;					// radians per second
	constexpr float FLINCH_TURN_SPEED = 10.0f;
	constexpr float FLINCH_SPEED = 500.0f;
	constexpr float WALK_SPEED = 280.0f;				// units per second
	constexpr float WALK_ANIM_SPEED = 2.8f;
	constexpr float CHASE_NEAR = 150.0f;				// units, true distance
	constexpr float CHASE_FAR = 2500.0f;
	constexpr float FRICTION_STAND = 2000.0f;			// units per second²
	constexpr float FRICTION_HURT = 1200.0f;
	constexpr float GRAB_ANGLE = PI / 3;				// radians off the heading at most
	constexpr float GRAB_DELAY = 4.0f;					// seconds, at most, before the first grab
	constexpr float HURT_TIME = 1.0f;
	constexpr float JET_DAMAGE = 1.0f;
	constexpr float THROW_VOLUME = 1.6f;

	// His own box: the robot never slips between his arms and his legs.
	constexpr int16_t BOX_TOP = 200, BOX_BOTTOM = -200, BOX_SIDE = 60;

	// The robot held overhead: turned to face the way he faces, shrunk and
	// set on the grip.
	constexpr float HELD_SCALE = 0.6f;
	constexpr OGLVector3D HELD_OFFSET = {0, 30, -35};

	constexpr float SPLINE_SPEED = 70.0f;
	constexpr float SPLINE_DETACH_DISTANCE = 833.3f;	// true distance
	constexpr float SPLINE_WALK_ANIM_SPEED = 2.0f;

	constexpr uint32_t MOVE_MASK = 0x9849;

	enum { TIMER_GRAB = 0, TIMER_STAND = 1, TIMER_HURT = 4 };
	enum { FLAG_THROW = 0 };

	ObjNodeRef gHolder;				// the strong man holding the robot

	void SwitchAnim(ObjNode* strongMan, int anim, float morphSpeed)
	{
		MorphToSkeletonAnim(strongMan->Skeleton, anim, morphSpeed);
	}

	bool SegmentToPlayerCrosses(const ObjNode* strongMan, uint32_t mask)
	{
		if (!gPlayerNode)
			return true;
		OGLPoint3D from = strongMan->Coord, to = gPlayerNode->Coord;
		return SegmentHitsAnything(&from, &to, strongMan, mask);
	}

	//
	// Holding and throwing
	//

	// Throws the robot down if this strong man holds it.
	void LetGo(ObjNode* strongMan)
	{
		if (gHolder.Get() != strongMan)
			return;
		gHolder.Clear();
		if (CurrentPlayerAnim() != PLAYER_ANIM_STRONGMANHELD)
			return;
		PlayerGotHit(strongMan, strongMan->Damage);
		ReleasePlayerFromHold(strongMan->Rot.y);
		if (gPlayerNode)
			PlayEnemyEffect3D(EFFECT_METALLAND, &gPlayerNode->Coord, THROW_VOLUME);
	}

	void GrabCheck(ObjNode* strongMan, float distance)
	{
		if (!IsRobotInPlay() || gPlayerLevel.isDead || gPlayerLevel.invincibleTimer > 0)
			return;
		if (CurrentPlayerAnim() == PLAYER_ANIM_STRONGMANHELD || gHolder.IsAlive())
			return;
		strongMan->SpecialF[TIMER_GRAB] -= gFrameTime;
		if (strongMan->SpecialF[TIMER_GRAB] > 0)
			return;
		if (distance >= STRONGMAN_GRAB_RANGE || AngleOffHeadingToPlayer(strongMan) >= GRAB_ANGLE)
			return;
		if (!CreatureCanSeePlayer(strongMan))
			return;
		SwitchAnim(strongMan, STRONGMAN_ANIM_LIFT, 9);
		strongMan->Flag[FLAG_THROW] = 0;
		gHolder = ObjNodeRef(strongMan);
		CatchPlayer(PLAYER_ANIM_STRONGMANHELD);
	}

	void HoldOverhead(ObjNode* strongMan)
	{
		if (gHolder.Get() != strongMan || CurrentPlayerAnim() != PLAYER_ANIM_STRONGMANHELD)
			return;
		OGLMatrix4x4 grip, turn, shrink, lift, m1, m2, placed;
		FindJointFullMatrix(strongMan, STRONGMAN_JOINT_GRIP, &grip);
		OGLMatrix4x4_SetRotate_Y(&turn, PI);
		OGLMatrix4x4_SetScale(&shrink, HELD_SCALE, HELD_SCALE, HELD_SCALE);
		OGLMatrix4x4_SetTranslate(&lift, HELD_OFFSET.x, HELD_OFFSET.y, HELD_OFFSET.z);
		OGLMatrix4x4_Multiply(&turn, &shrink, &m1);
		OGLMatrix4x4_Multiply(&m1, &lift, &m2);
		OGLMatrix4x4_Multiply(&m2, &grip, &placed);
		static constexpr OGLPoint3D origin = {0, 0, 0};
		OGLPoint3D at;
		FindCoordOnJoint(strongMan, STRONGMAN_JOINT_GRIP, &origin, &at);
		PlacePlayerInGrip(placed, at);
	}

	//
	// One move routine per animation
	//

	void MoveStand(ObjNode* strongMan)
	{
		if (CreatureOnGround(strongMan))
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(strongMan, TURN_SPEED);
		float d = CreatureDistance3DToPlayer(strongMan);
		strongMan->SpecialF[TIMER_STAND] -= gFrameTime;
		if (strongMan->SpecialF[TIMER_STAND] <= 0 && IsRobotInPlay() && !IsHoleInFront(gObjCoord.x, gObjCoord.z, strongMan->Rot.y)
				&& d > CHASE_NEAR && d < CHASE_FAR && !SegmentToPlayerCrosses(strongMan, CTYPE_FENCE))
			SwitchAnim(strongMan, STRONGMAN_ANIM_WALK, 4);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		GrabCheck(strongMan, d);
		EnemyGroundStep(strongMan, MOVE_MASK, true);
		if (CreatureAnim(strongMan) != STRONGMAN_ANIM_LIFT)
			LetGo(strongMan);
		UpdateEnemy(strongMan);
	}

	void MoveWalk(ObjNode* strongMan)
	{
		TurnEnemyTowardPlayer(strongMan, TURN_SPEED);
		SetVelocityAlongHeading(strongMan, WALK_SPEED);
		ApplyEnemyGravity();
		float d = CreatureDistance3DToPlayer(strongMan);
		if (IsHoleInFront(gObjCoord.x, gObjCoord.z, strongMan->Rot.y) || d >= CHASE_FAR || d <= CHASE_NEAR || !IsRobotInPlay())
		{
			SwitchAnim(strongMan, STRONGMAN_ANIM_STAND, 4);
			gObjDelta.x = gObjDelta.z = 0;		// no step over the edge on the way to standing
		}
		else
			strongMan->Skeleton->AnimSpeed = WALK_ANIM_SPEED;
		EnemyGravityAndMove();
		GrabCheck(strongMan, d);
		EnemyGroundStep(strongMan, MOVE_MASK, true);
		if (CreatureAnim(strongMan) != STRONGMAN_ANIM_LIFT)
			LetGo(strongMan);
		UpdateEnemy(strongMan);
	}

	void MoveLift(ObjNode* strongMan)
	{
		if (strongMan->Flag[FLAG_THROW])
			LetGo(strongMan);
		if (CreatureOnGround(strongMan))
			ApplyEnemyFriction(FRICTION_STAND);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(strongMan, MOVE_MASK, true);
		if (strongMan->Skeleton->AnimHasStopped)
		{
			LetGo(strongMan);			// the throw never came: he drops it all the same
			SwitchAnim(strongMan, STRONGMAN_ANIM_STAND, 3);
		}
		UpdateEnemy(strongMan);
		if (!strongMan->Flag[FLAG_THROW])
			HoldOverhead(strongMan);
	}

	void MoveHurt(ObjNode* strongMan)
	{
		if (strongMan->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(strongMan, FLINCH_TURN_SPEED);
		if (CreatureOnGround(strongMan))
			ApplyEnemyFriction(FRICTION_HURT);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		strongMan->SpecialF[TIMER_HURT] -= gFrameTime;
		if (strongMan->SpecialF[TIMER_HURT] <= 0)
			SwitchAnim(strongMan, STRONGMAN_ANIM_STAND, 3);
		EnemyGroundStep(strongMan, MOVE_MASK, true);
		LetGo(strongMan);
		UpdateEnemy(strongMan);
	}

	constexpr ObjNodeRoutine kMoveByAnim[NUM_STRONGMAN_ANIMS] = {
		MoveStand,		// STRONGMAN_ANIM_STAND
		MoveWalk,		// STRONGMAN_ANIM_WALK
		MoveLift,		// STRONGMAN_ANIM_LIFT
		MoveHurt,		// STRONGMAN_ANIM_HURT
	};

	//
	// Hurt and death
	//

	void KillStrongMan(ObjNode* strongMan)
	{
		LetGo(strongMan);
		DetachEnemyFromSpline(strongMan, MoveStrongMan);
		SpillPowerups(strongMan, 0, 1, 2);
		BurstCreatureIntoSparks(strongMan);
		PlayEnemyEffect3D(EFFECT_CONFETTIBOOM, &strongMan->Coord);
		DeleteEnemyForGood(strongMan);
	}

	bool HurtStrongMan(ObjNode* strongMan, float damage)
	{
		if (strongMan->CType == INVALID_NODE_FLAG)
			return false;
		LetGo(strongMan);
		DetachEnemyFromSpline(strongMan, MoveStrongMan);
		strongMan->Health -= damage;
		if (strongMan->Health <= 0)
		{
			KillStrongMan(strongMan);
			return true;
		}
		SwitchAnim(strongMan, STRONGMAN_ANIM_HURT, 8);
		strongMan->SpecialF[TIMER_HURT] = HURT_TIME;
		return true;
	}

	// No fist handler: a punch does nothing to him.
	constexpr CreatureHitRoutines kStrongManHits = {.hurt = HurtStrongMan, .kill = KillStrongMan, .jetDamage = JET_DAMAGE};

	constexpr CreatureHitTable kStrongManHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_STUNGUN] = t[WEAPON_ARCSHOT] = t[WEAPON_FLARE] = t[WEAPON_DART] = CreatureHitByShot<kStrongManHits>;
		t[WEAPON_NOVA] = CreatureHitToDeath<kStrongManHits>;
		t[WEAPON_JETHIT] = CreatureHitByJet<kStrongManHits>;
		t[WEAPON_HURT] = CreatureHitByHurt<kStrongManHits>;
		return t;
	}();

	void PrepareStrongMan(ObjNode* strongMan)
	{
		strongMan->SpecialF[TIMER_GRAB] = RandomFloat() * GRAB_DELAY;
		strongMan->SpecialF[TIMER_STAND] = 0;
	}

	// Free he has a box of his own size; on a loop, the skinned one.
	void SizeStrongManBox(ObjNode* strongMan)
	{
		SetObjectCollisionBounds(strongMan, BOX_TOP, BOX_BOTTOM, -BOX_SIDE, BOX_SIDE, BOX_SIDE, -BOX_SIDE);
	}
}

const CreatureKind kStrongManKind = {
	.kind = ENEMY_KIND_STRONGMAN,
	.limit = STRONGMAN_LIMIT,
	.skeletonType = SKELETON_TYPE_STRONGMAN,
	.scale = STRONGMAN_SCALE,
	.health = STRONGMAN_HEALTH,
	.damage = STRONGMAN_DAMAGE,
	.targetOffset = TARGET_OFFSET,
	.shadowX = SHADOW_SIZE_X,
	.shadowZ = SHADOW_SIZE_Z,
	.hits = &kStrongManHitTable,
	.move = MoveStrongMan,
	.prepare = PrepareStrongMan,
	.sizeBox = SizeStrongManBox,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = SPLINE_DETACH_DISTANCE, .trueDistance = true,
		.walkAnim = STRONGMAN_ANIM_WALK, .walkAnimSpeed = SPLINE_WALK_ANIM_SPEED, .health = STRONGMAN_SPLINE_HEALTH,
		.boxFromSkeleton = true},
};

ObjNode* StrongManHoldingPlayer()
{
	return gHolder.Get();
}

void ResetStrongMen()
{
	gHolder.Clear();
}

void MoveStrongMan(ObjNode* strongMan)
{
	if (IsEnemyOutOfRange(strongMan))
	{
		LetGo(strongMan);
		DeleteEnemy(strongMan);
		return;
	}
	strongMan->OldCoord = strongMan->Coord;
	GetObjectInfo(strongMan);
	int anim = CreatureAnim(strongMan);
	if (anim >= 0 && anim < NUM_STRONGMAN_ANIMS)
		kMoveByAnim[anim](strongMan);
	else
		UpdateEnemy(strongMan);
}
