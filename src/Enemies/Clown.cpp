// The clown: making it, one move routine per animation, the bubble it blows
// from its mouth and lets float after the robot, and how it takes hits and
// dies in a shower of confetti.
#include "Enemies/CloudCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Effects/Shards.h"
#include "Items/ItemsInternal.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
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

	constexpr float SHADOW_SIZE = 8.0f;
	constexpr float TARGET_OFFSET = 50.0f;
	constexpr float TURN_SPEED = 3.0f;					// radians per second
	constexpr float FLINCH_TURN_SPEED = 10.0f;
	constexpr float FLINCH_SPEED = 500.0f;
	constexpr float WALK_SPEED = 400.0f;				// units per second
	constexpr float WALK_ANIM_SPEED = 4.0f;
	constexpr float CHASE_NEAR = 300.0f;				// units: it walks at a robot between these
	constexpr float CHASE_FAR = 1500.0f;
	constexpr float FRICTION_STAND = 2000.0f;			// units per second²
	constexpr float FRICTION_HURT = 1200.0f;
	constexpr float BUBBLE_ANGLE = PI / 2;				// radians off the heading at most
	constexpr float BUBBLE_DELAY = 4.0f;				// seconds, at most, between bubbles
	constexpr float STAND_AFTER_BLOWING = 3.0f;			// seconds before it walks again
	constexpr float HURT_TIME = 1.0f;
	constexpr float FIST_DAMAGE = 0.25f;
	constexpr float JET_DAMAGE = 1.0f;

	constexpr float SPLINE_SPEED = 70.0f;
	constexpr float SPLINE_DETACH_DISTANCE = 750.0f;
	constexpr float SPLINE_WALK_ANIM_SPEED = 2.0f;

	// The bubble.
	constexpr uint16_t BUBBLE_SLOT = 2999;
	constexpr float BUBBLE_OPACITY = 0.5f;
	constexpr float BUBBLE_RATE_RISE = 0.5f;			// of the normal pitch per second while it swells
	constexpr OGLPoint3D MOUTH = {0, 0, -1};			// the lips, in the mouth joint's space
	constexpr float BUBBLE_RISE = 100.0f;				// units per second up when let go
	constexpr float BUBBLE_SINK = 50.0f;				// units per second² down afloat
	constexpr float BUBBLE_PULL = 200.0f;				// units per second² toward the robot
	constexpr float BUBBLE_MAX_DRIFT = 300.0f;			// units per second across
	constexpr float BUBBLE_WOBBLE = 7.0f;				// scale
	constexpr float BUBBLE_WOBBLE_RATE_X = 6.0f;		// radians per second
	constexpr float BUBBLE_WOBBLE_RATE_Y = 5.0f;
	constexpr float BUBBLE_SPIN = 0.5f;					// radians per second
	constexpr uint32_t BUBBLE_MASK = CTYPE_TERRAIN | CTYPE_FENCE | CTYPE_MISC | CTYPE_PLAYER;
	constexpr OGLBoundingBox BUBBLE_STAND_IN = {{-1, -1, -1}, {1, 1, 1}, false};

	constexpr uint32_t MOVE_MASK = 0x9849;

	enum { TIMER_BUBBLE = 0, TIMER_STAND = 1, TIMER_HURT = 4 };
	enum { FLAG_BLOW = 0 };
	// The bubble's own fields.
	enum { BUBBLE_RATE = 1, BUBBLE_PHASE_X = 2, BUBBLE_PHASE_Y = 3 };

	void SwitchAnim(ObjNode* clown, int anim, float morphSpeed)
	{
		MorphToSkeletonAnim(clown->Skeleton, anim, morphSpeed);
	}

	//
	// The bubble
	//

	void PopBubble(ObjNode* bubble)
	{
		PlayEnemyEffect3D(EFFECT_CLOWNBUBBLEPOP, &bubble->Coord);
		ExplodeGeometry(bubble, 200, SHARD_MODE_FROMORIGIN, 1, 3.0f);
		DeleteObject(bubble);
	}

	bool BubbleHitByDart(ObjNode*, ObjNode* bubble, const OGLPoint3D*, const OGLVector3D*, float)
	{
		PopBubble(bubble);
		return true;
	}

	ObjNode* StartBubble(ObjNode* clown)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = CLOUD_MODEL_CLOWN_BUBBLE;
		def.coord = clown->Coord;
		def.flags = gAutoFadeStatusBits | STATUS_BIT_GLOW;
		def.slot = int16_t(BUBBLE_SLOT);
		def.scale = 1;
		def.chainTail = clown;
		ObjNode* bubble = MakeItemModelNode(&def, BUBBLE_STAND_IN);
		bubble->ColorFilter.a = BUBBLE_OPACITY;
		bubble->Damage = CLOWN_BUBBLE_DAMAGE;
		bubble->Health = CLOWN_BUBBLE_LIFE;
		bubble->EffectChannel = -1;
		bubble->SpecialF[BUBBLE_RATE] = 1.0f;
		bubble->CType = 0;
		return bubble;
	}

	// The bubble swells out of the mouth; at full size the clown lets it go.
	void BlowBubble(ObjNode* clown)
	{
		ObjNode* bubble = clown->ChainNode;
		if (!bubble)
			bubble = StartBubble(clown);
		const float dt = gFrameTime;
		float s = bubble->Scale.x + CLOWN_BUBBLE_GROWTH * dt;
		if (s > CLOWN_BUBBLE_FULL)
			s = CLOWN_BUBBLE_FULL;
		bubble->Scale = {s, s, s};

		bubble->SpecialF[BUBBLE_RATE] += BUBBLE_RATE_RISE * dt;
		KeepEnemyEffectLooping(bubble, EFFECT_INFLATEBALLOON);
		if (bubble->EffectChannel >= 0)
			ChangeChannelRate(bubble->EffectChannel, int32_t(bubble->SpecialF[BUBBLE_RATE] * 65536.0f));

		// It grows out from the lips along the way the mouth faces.
		OGLPoint3D lips;
		FindCoordOnJoint(clown, CLOWN_JOINT_MOUTH, &MOUTH, &lips);
		OGLMatrix4x4 m;
		FindJointFullMatrix(clown, CLOWN_JOINT_MOUTH, &m);
		const OGLVector3D ahead = {0, 0, -1};
		OGLVector3D forward;
		OGLVector3D_Transform(&ahead, &m, &forward);
		OGLVector3D_Normalize(&forward, &forward);
		bubble->Coord = {lips.x + forward.x * s, lips.y + forward.y * s, lips.z + forward.z * s};
		bubble->Rot.y = clown->Rot.y;
		UpdateObjectTransforms(bubble);

		if (s < CLOWN_BUBBLE_FULL)
			return;

		// Let go.
		StopAChannel(&bubble->EffectChannel);
		clown->ChainNode = nullptr;
		bubble->ChainHead = nullptr;
		SwitchAnim(clown, CLOWN_ANIM_STAND, 2);
		clown->SpecialF[TIMER_BUBBLE] = RandomFloat() * BUBBLE_DELAY;
		clown->SpecialF[TIMER_STAND] = STAND_AFTER_BLOWING;
		clown->Flag[FLAG_BLOW] = 0;

		bubble->SpecialF[BUBBLE_PHASE_X] = RandomFloat() * PI2;
		bubble->SpecialF[BUBBLE_PHASE_Y] = RandomFloat() * PI2;
		bubble->Delta = {0, BUBBLE_RISE, 0};
		bubble->CType = CTYPE_MISC;
		bubble->CBits = SIDE_ANY_OVERLAP;
		CreateCollisionBoxFromBoundingBox(bubble, 0.9f, 0.9f);
		bubble->HitByWeaponHandler[WEAPON_DART] = BubbleHitByDart;
		bubble->MoveCall = MoveClownBubble;
	}

	void PopBlownBubble(ObjNode* clown)
	{
		if (ObjNode* bubble = clown->ChainNode)
			PopBubble(bubble);
		clown->Flag[FLAG_BLOW] = 0;
	}

	//
	// Attacks
	//

	void BubbleCheck(ObjNode* clown)
	{
		if (!IsRobotInPlay() || gPlayerLevel.invincibleTimer > 0)
			return;
		clown->SpecialF[TIMER_BUBBLE] -= gFrameTime;
		if (clown->SpecialF[TIMER_BUBBLE] > 0)
			return;
		if (EnemyDistanceToPlayer(clown) < CLOWN_BUBBLE_RANGE && AngleOffHeadingToPlayer(clown) < BUBBLE_ANGLE
				&& CreatureCanSeePlayer(clown))
			SwitchAnim(clown, CLOWN_ANIM_BLOW, 5);
	}

	//
	// One move routine per animation
	//

	void MoveStand(ObjNode* clown)
	{
		clown->Flag[FLAG_BLOW] = 0;
		if (CreatureOnGround(clown))
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(clown, TURN_SPEED);
		clown->SpecialF[TIMER_STAND] -= gFrameTime;
		if (clown->SpecialF[TIMER_STAND] <= 0 && IsRobotInPlay() && !IsHoleInFront(gObjCoord.x, gObjCoord.z, clown->Rot.y))
		{
			float d = EnemyDistanceToPlayer(clown);
			if (d > CHASE_NEAR && d < CHASE_FAR)
				SwitchAnim(clown, CLOWN_ANIM_WALK, 4);
		}
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(clown, MOVE_MASK, false);
		BubbleCheck(clown);
		UpdateEnemy(clown);
	}

	void MoveWalk(ObjNode* clown)
	{
		TurnEnemyTowardPlayer(clown, TURN_SPEED);
		SetVelocityAlongHeading(clown, WALK_SPEED);
		ApplyEnemyGravity();
		float d = EnemyDistanceToPlayer(clown);
		if (IsHoleInFront(gObjCoord.x, gObjCoord.z, clown->Rot.y) || d >= CHASE_FAR || d <= CHASE_NEAR || !IsRobotInPlay())
		{
			SwitchAnim(clown, CLOWN_ANIM_STAND, 4);
			gObjDelta.x = gObjDelta.z = 0;		// no step over the edge on the way to standing
		}
		else
			clown->Skeleton->AnimSpeed = WALK_ANIM_SPEED;
		EnemyGravityAndMove();
		BubbleCheck(clown);
		EnemyGroundStep(clown, MOVE_MASK, true);
		UpdateEnemy(clown);
	}

	void MoveBlow(ObjNode* clown)
	{
		if (CreatureOnGround(clown))
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(clown, TURN_SPEED);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(clown, MOVE_MASK, false);
		UpdateEnemy(clown);
		if (clown->Flag[FLAG_BLOW])
			BlowBubble(clown);
	}

	void MoveHurt(ObjNode* clown)
	{
		if (clown->Speed > FLINCH_SPEED)
			TurnEnemyAwayFromMotion(clown, FLINCH_TURN_SPEED);
		if (CreatureOnGround(clown))
			ApplyEnemyFriction(FRICTION_HURT);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		clown->SpecialF[TIMER_HURT] -= gFrameTime;
		if (clown->SpecialF[TIMER_HURT] <= 0)
			SwitchAnim(clown, CLOWN_ANIM_STAND, 3);
		EnemyGroundStep(clown, MOVE_MASK, true);
		UpdateEnemy(clown);
	}

	constexpr ObjNodeRoutine kMoveByAnim[NUM_CLOWN_ANIMS] = {
		MoveStand,		// CLOWN_ANIM_STAND
		MoveWalk,		// CLOWN_ANIM_WALK
		MoveBlow,		// CLOWN_ANIM_BLOW
		MoveHurt,		// CLOWN_ANIM_HURT
	};

	//
	// Hurt and death
	//

	void KillClown(ObjNode* clown)
	{
		DetachEnemyFromSpline(clown, MoveClown);
		PopBlownBubble(clown);
		SpillPowerups(clown, 0, 1, 2);
		BurstCreatureIntoSparks(clown);
		PlayEnemyEffect3D(EFFECT_CONFETTIBOOM, &clown->Coord);
		DeleteEnemyForGood(clown);
	}

	bool HurtClown(ObjNode* clown, float damage)
	{
		if (clown->CType == INVALID_NODE_FLAG)
			return false;
		DetachEnemyFromSpline(clown, MoveClown);
		PopBlownBubble(clown);
		clown->Health -= damage;
		if (clown->Health <= 0)
		{
			KillClown(clown);
			return true;
		}
		SwitchAnim(clown, CLOWN_ANIM_HURT, 8);
		clown->SpecialF[TIMER_HURT] = HURT_TIME;
		return true;
	}

	constexpr CreatureHitRoutines kClownHits = {
			.hurt = HurtClown, .kill = KillClown, .fistDamage = FIST_DAMAGE, .jetDamage = JET_DAMAGE};

	constexpr CreatureHitTable kClownHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_STUNGUN] = t[WEAPON_ARCSHOT] = t[WEAPON_FLARE] = t[WEAPON_DART] = CreatureHitByShot<kClownHits>;
		t[WEAPON_FIST] = CreatureHitByFist<kClownHits>;
		t[WEAPON_NOVA] = CreatureHitToDeath<kClownHits>;
		t[WEAPON_JETHIT] = CreatureHitByJet<kClownHits>;
		t[WEAPON_HURT] = CreatureHitByHurt<kClownHits>;
		return t;
	}();

	void PrepareClown(ObjNode* clown)
	{
		clown->SpecialF[TIMER_BUBBLE] = RandomFloat() * BUBBLE_DELAY;
		clown->SpecialF[TIMER_STAND] = 0;
	}
}

const CreatureKind kClownKind = {
	.kind = ENEMY_KIND_CLOWN,
	.limit = CLOWN_LIMIT,
	.skeletonType = SKELETON_TYPE_CLOWN,
	.scale = CLOWN_SCALE,
	.health = CLOWN_HEALTH,
	.damage = CLOWN_DAMAGE,
	.targetOffset = TARGET_OFFSET,
	.shadowX = SHADOW_SIZE,
	.shadowZ = SHADOW_SIZE,
	.hits = &kClownHitTable,
	.move = MoveClown,
	.prepare = PrepareClown,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = SPLINE_DETACH_DISTANCE, .walkAnim = CLOWN_ANIM_WALK,
		.walkAnimSpeed = SPLINE_WALK_ANIM_SPEED},
};

ObjNode* ClownBubbleBeingBlown(const ObjNode* clown)
{
	return clown->ChainNode;
}

void MoveClown(ObjNode* clown)
{
	if (IsEnemyOutOfRange(clown))
	{
		DeleteEnemy(clown);
		return;
	}
	// A bubble only swells while the clown blows: anything else bursts it.
	if (clown->ChainNode && CreatureAnim(clown) != CLOWN_ANIM_BLOW)
		PopBlownBubble(clown);

	clown->OldCoord = clown->Coord;
	GetObjectInfo(clown);
	int anim = CreatureAnim(clown);
	if (anim >= 0 && anim < NUM_CLOWN_ANIMS)
		kMoveByAnim[anim](clown);
	else
		UpdateEnemy(clown);
}

void MoveClownBubble(ObjNode* bubble)
{
	const float dt = gFrameTime;
	bubble->Health -= dt;
	if (bubble->Health <= 0)
	{
		PopBubble(bubble);
		return;
	}
	GetObjectInfo(bubble);
	bubble->SpecialF[BUBBLE_PHASE_X] += BUBBLE_WOBBLE_RATE_X * dt;
	bubble->SpecialF[BUBBLE_PHASE_Y] += BUBBLE_WOBBLE_RATE_Y * dt;
	bubble->Scale.x = CLOWN_BUBBLE_FULL + BUBBLE_WOBBLE * std::sin(bubble->SpecialF[BUBBLE_PHASE_X]);
	bubble->Scale.y = CLOWN_BUBBLE_FULL + BUBBLE_WOBBLE * std::sin(bubble->SpecialF[BUBBLE_PHASE_Y]);
	bubble->Rot.y += BUBBLE_SPIN * dt;

	gObjDelta.y -= BUBBLE_SINK * dt;
	if (gPlayerNode)
	{
		float dx = gPlayerNode->Coord.x - gObjCoord.x, dz = gPlayerNode->Coord.z - gObjCoord.z;
		float len = std::hypot(dx, dz);
		if (len > 0)
		{
			gObjDelta.x += BUBBLE_PULL * dt * dx / len;
			gObjDelta.z += BUBBLE_PULL * dt * dz / len;
		}
	}
	float drift = std::hypot(gObjDelta.x, gObjDelta.z);
	if (drift > BUBBLE_MAX_DRIFT)
	{
		gObjDelta.x *= BUBBLE_MAX_DRIFT / drift;
		gObjDelta.z *= BUBBLE_MAX_DRIFT / drift;
	}
	gObjCoord.x += gObjDelta.x * dt;
	gObjCoord.y += gObjDelta.y * dt;
	gObjCoord.z += gObjDelta.z * dt;
	UpdateObject(bubble);

	if (ResolveCollisions(bubble, BUBBLE_MASK, 0) == 0)
		return;
	bool hitRobot = false;
	for (int i = 0; i < gNumCollisions; i++)
		if (gCollisionList[i].objectPtr == gPlayerNode && gPlayerNode)
			hitRobot = true;
	if (hitRobot && IsRobotInPlay())
		PlayerGotHit(bubble, bubble->Damage);
	PopBubble(bubble);
}
