// The onion and the tomato (the corn and its kernels are in FarmCorn.cpp),
// what the three vegetables share: making them from items, splines and
// sprouts, their eye glints, the weapon hits, hurting, and the pieces that
// fly off when they die.
#include "Enemies/FarmCreatures.h"
#include "Enemies/FarmCreaturesInternal.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/Skeleton.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/PlayerHeld.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>

namespace
{
	constexpr float TURN_SPEED = 2.4f;					// radians per second
	constexpr float FRICTION_STAND = 2000.0f;			// units per second²
	constexpr float FRICTION_HURT = 400.0f;
	constexpr float FRICTION_ROLL = 40.0f;
	constexpr float HURT_TIME = 3.0f;					// seconds reeling
	constexpr float GROW_RATE = 1.0f;					// scale per second
	constexpr float GROWN_HOP = 700.0f;					// units per second up once fully grown
	constexpr float SHADOW_SIZE = 8.0f;
	constexpr float SPLINE_SPEED = 30.0f;				// loop points per second
	constexpr float SPLINE_WALK_ANIM_SPEED = 2.0f;
	// Collision classes of the moves: enemy, fence, 0x0800, misc, trigger2, player.
	constexpr uint32_t MOVE_MASK = 0x9849;
	constexpr uint32_t SIGHT_MASK = CTYPE_BLOCKSIGHT | CTYPE_FENCE | CTYPE_PUSH_BY_POSITION;

	constexpr float ONION_SEE = 3000.0f;				// units (fast distance): stands until the robot is nearer
	constexpr float ONION_LOSE = 3500.0f;
	constexpr float ONION_WALK_SPEED = 300.0f;
	constexpr float ONION_WALK_ANIM_SPEED = 1.2f;
	constexpr float ONION_GRAB_RANGE = 600.0f;
	constexpr float ONION_GRAB_ANGLE = PI / 6;			// less than this off its heading to lunge
	constexpr float ONION_GRAB_REACH_ANGLE = 0.55f;		// radians: still in front when the arms close
	constexpr float ONION_SPLINE_DETACH = 1500.0f;
	constexpr float ONION_GROWN_SCALE_ON_HURT = 0.7f;
	constexpr OGLPoint3D ONION_HOLD_OFFSET = {0, -10, -8};	// the robot's origin in the hand's space

	constexpr float TOMATO_SEE = 2000.0f;
	constexpr float TOMATO_LOSE = 2500.0f;
	constexpr float TOMATO_WALK_SPEED = 400.0f;
	constexpr float TOMATO_WALK_ANIM_SPEED = 3.2f;
	constexpr float TOMATO_LEAP_RANGE = 1200.0f;
	constexpr float TOMATO_LEAP_ANGLE = PI / 6;
	constexpr float TOMATO_LEAP_LIFT = 2000.0f;			// units per second up; the horizontal speed covers the gap in 1 s
	constexpr float TOMATO_TUMBLE = 0.005f;				// radians per unit travelled in the air
	constexpr float TOMATO_ROLL = 0.01f;				// radians per unit rolled
	constexpr float TOMATO_ROLL_TIME = 1.0f;
	constexpr float TOMATO_SPLINE_DETACH = 1000.0f;

	constexpr float FIST_DAMAGE = 0.5f;
	constexpr float STUN_DAMAGE = 0.5f;
	constexpr float STUN_PUSH = 0.6f;					// share of the shot's velocity it is pushed with
	constexpr float FIST_KNOCK = 1000.0f;
	constexpr float FIST_LIFT = 500.0f;

	constexpr float DEBRIS_GRAVITY = 1000.0f;
	constexpr float DEBRIS_GONE_BELOW = 300.0f;			// units under the ground at which a piece is gone

	// Per-kind fields.
	enum { FLAG_EVENT = 0, FLAG_HOLDING = 1, FLAG_AIRBORNE = 1 };
	enum { TIMER_COOLDOWN = 2, TIMER_HURT = 3 };

	// Eye glints: two directional sparkles on joint 0, aimed along the heading.
	constexpr OGLPoint3D ONION_EYES[2] = {{-6, 30, -21}, {6, 30, -21}};
	constexpr OGLPoint3D TOMATO_EYES[2] = {{-7, 8, -24}, {7, 8, -24}};
	constexpr float GLINT_SCALE = 190.0f;
	constexpr float GLINT_SEPARATION = 10.0f;

	int Anim(const ObjNode* node)
	{
		return node->Skeleton->AnimNum;
	}

	void SwitchAnim(ObjNode* node, int anim, float morphSpeed)
	{
		MorphToSkeletonAnim(node->Skeleton, anim, morphSpeed);
	}

	void FrictionOnGround(const ObjNode* node, float friction)
	{
		if (CreatureOnGround(node))
			ApplyEnemyFriction(friction);
	}

	void Grow(ObjNode* node, float fullScale)
	{
		float s = std::fmin(node->Scale.x + GROW_RATE * gFrameTime, fullScale);
		node->Scale = {s, s, s};
	}

	// Scale-up of a creature hurt while still growing out of its sprout.
	void AtLeastScale(ObjNode* node, float scale)
	{
		if (node->Scale.x < scale)
			node->Scale = {scale, scale, scale};
	}

	//
	// The onion
	//

	void ReleaseCheck(ObjNode* onion)
	{
		if (Anim(onion) != ONION_ANIM_CRUSH && onion->Flag[FLAG_HOLDING])
		{
			onion->Flag[FLAG_HOLDING] = 0;
			PlayerLetGoToGetUp();
		}
	}

	void OnionCommon(ObjNode* onion)
	{
		onion->SpecialF[TIMER_COOLDOWN] -= gFrameTime;
		UpdateEnemy(onion);
		UpdateFarmEyes(onion);
		ReleaseCheck(onion);
	}

	void OnionStand(ObjNode* onion)
	{
		FrictionOnGround(onion, FRICTION_STAND);
		TurnEnemyTowardPlayer(onion, TURN_SPEED);
		if (EnemyDistanceToPlayer(onion) < ONION_SEE)
			SwitchAnim(onion, ONION_ANIM_WALK, 8);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(onion, MOVE_MASK, true);
		OnionCommon(onion);
	}

	void OnionWalk(ObjNode* onion)
	{
		SetVelocityAlongHeading(onion, ONION_WALK_SPEED);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		float angleLeft = TurnEnemyTowardPlayer(onion, TURN_SPEED);
		onion->Skeleton->AnimSpeed = ONION_WALK_ANIM_SPEED;
		EnemyGroundStep(onion, MOVE_MASK, false);
		float d = EnemyDistanceToPlayer(onion);
		if (d > ONION_LOSE)
		{
			SwitchAnim(onion, ONION_ANIM_STAND, 6);
			gObjDelta.x = gObjDelta.z = 0;
		}
		else if (d < ONION_GRAB_RANGE && angleLeft < ONION_GRAB_ANGLE && onion->SpecialF[TIMER_COOLDOWN] <= 0
				&& FarmCreatureSeesPlayer(onion))
		{
			SwitchAnim(onion, ONION_ANIM_GRAB, 9);
			gObjDelta.x = gObjDelta.z = 0;
		}
		OnionCommon(onion);
	}

	void HurtMove(ObjNode* node)
	{
		FrictionOnGround(node, FRICTION_HURT);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		node->SpecialF[TIMER_HURT] -= gFrameTime;
		if (node->SpecialF[TIMER_HURT] <= 0)
			SwitchAnim(node, 0, 3);
		EnemyGroundStep(node, MOVE_MASK, true);
	}

	void OnionHurt(ObjNode* onion)
	{
		HurtMove(onion);
		OnionCommon(onion);
	}

	bool OnionCanGrab(ObjNode* onion)
	{
		if (!IsRobotInPlay() || gPlayerLevel.invincibleTimer > 0 || IsPlayerHeld() || !FarmCreatureSeesPlayer(onion))
			return false;
		if (EnemyDistanceToPlayer(onion) >= ONION_GRAB_RANGE)
			return false;
		float toRobot = CalcYAngleFromPointToPoint(onion->Rot.y, onion->Coord.x, onion->Coord.z, gPlayerNode->Coord.x,
				gPlayerNode->Coord.z);
		float off = std::fabs(AngleDifference(toRobot, onion->Rot.y));
		return off < ONION_GRAB_REACH_ANGLE;
	}

	void OnionGrab(ObjNode* onion)
	{
		FrictionOnGround(onion, FRICTION_STAND);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(onion, MOVE_MASK, true);
		if (onion->Skeleton->AnimHasStopped)
		{
			if (OnionCanGrab(onion))
			{
				onion->Flag[FLAG_HOLDING] = 1;
				onion->SpecialF[TIMER_COOLDOWN] = FARM_ATTACK_COOLDOWN;
				SetSkeletonAnim(onion->Skeleton, ONION_ANIM_CRUSH);
				CatchPlayer(PLAYER_ANIM_GRABBED);
			}
			else
				SwitchAnim(onion, ONION_ANIM_STAND, 3);
		}
		OnionCommon(onion);
	}

	void OnionCrush(ObjNode* onion)
	{
		FrictionOnGround(onion, FRICTION_STAND);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(onion, MOVE_MASK, true);
		if (onion->Flag[FLAG_HOLDING] && gPlayerNode)
		{
			OGLPoint3D hand;
			FindCoordOnJoint(onion, ONION_JOINT_HAND, &ONION_HOLD_OFFSET, &hand);
			PlacePlayerUpright(hand, onion->Rot.y + PI);
		}
		if (onion->Skeleton->AnimHasStopped)
		{
			SwitchAnim(onion, ONION_ANIM_STAND, 3);
			if (onion->Flag[FLAG_HOLDING])
			{
				onion->Flag[FLAG_HOLDING] = 0;
				PlayerLetGoToGetUp();
				if (gPlayerNode)
					PlayEnemyEffect3D(EFFECT_PLAYERCRUSH, &gPlayerNode->Coord);
				gPlayerLevel.invincibleTimer = ONION_CRUSH_INVINCIBILITY;
				PlayerLoseHealth(ONION_CRUSH_DAMAGE, DEATH_KIND_BLOWN_UP);
			}
		}
		OnionCommon(onion);
	}

	void OnionGrowing(ObjNode* onion)
	{
		FrictionOnGround(onion, FRICTION_STAND);
		Grow(onion, ONION_SCALE);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(onion, 0, true);
		if (onion->Skeleton->AnimHasStopped)
		{
			onion->Scale = {ONION_SCALE, ONION_SCALE, ONION_SCALE};
			SwitchAnim(onion, ONION_ANIM_STAND, 2);
			gObjDelta.y = GROWN_HOP;
		}
		OnionCommon(onion);
	}

	constexpr ObjNodeRoutine kOnionMoves[NUM_ONION_ANIMS] = {
		OnionStand, OnionWalk, OnionHurt, OnionGrab, OnionCrush, OnionGrowing,
	};

	//
	// The tomato
	//

	void TomatoCommon(ObjNode* tomato)
	{
		tomato->SpecialF[TIMER_COOLDOWN] -= gFrameTime;
		int anim = Anim(tomato);
		if (anim != TOMATO_ANIM_ROLL && anim != TOMATO_ANIM_LEAP)
			tomato->Rot.x = 0;
		UpdateEnemy(tomato);
		UpdateFarmEyes(tomato);
		tomato->BottomOff = int32_t(tomato->BBox.min.y);
	}

	void TomatoStand(ObjNode* tomato)
	{
		FrictionOnGround(tomato, FRICTION_STAND);
		TurnEnemyTowardPlayer(tomato, TURN_SPEED);
		if (EnemyDistanceToPlayer(tomato) < TOMATO_SEE)
			SwitchAnim(tomato, TOMATO_ANIM_WALK, 8);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(tomato, MOVE_MASK, true);
		TomatoCommon(tomato);
	}

	void TomatoWalk(ObjNode* tomato)
	{
		float angleLeft = TurnEnemyTowardPlayer(tomato, TURN_SPEED);
		SetVelocityAlongHeading(tomato, TOMATO_WALK_SPEED);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		tomato->Skeleton->AnimSpeed = TOMATO_WALK_ANIM_SPEED;
		EnemyGroundStep(tomato, MOVE_MASK, false);
		float d = EnemyDistanceToPlayer(tomato);
		if (d > TOMATO_LOSE)
		{
			SwitchAnim(tomato, TOMATO_ANIM_STAND, 6);
			gObjDelta.x = gObjDelta.z = 0;
		}
		else if (d < TOMATO_LEAP_RANGE && angleLeft < TOMATO_LEAP_ANGLE && tomato->SpecialF[TIMER_COOLDOWN] <= 0)
		{
			SwitchAnim(tomato, TOMATO_ANIM_LEAP, 9);
			gObjDelta.x = gObjDelta.z = 0;
			tomato->Flag[FLAG_EVENT] = tomato->Flag[FLAG_AIRBORNE] = 0;
			tomato->SpecialF[TIMER_COOLDOWN] = FARM_ATTACK_COOLDOWN;
		}
		TomatoCommon(tomato);
	}

	void TomatoRoll(ObjNode* tomato)
	{
		FrictionOnGround(tomato, FRICTION_ROLL);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		tomato->Rot.x += gFrameTime * tomato->Speed * TOMATO_ROLL;
		if (std::fabs(gObjDelta.x) + std::fabs(gObjDelta.z) > 1)
			tomato->Rot.y = CalcYAngleFromPointToPoint(tomato->Rot.y, 0, 0, gObjDelta.x, gObjDelta.z);
		tomato->SpecialF[TIMER_HURT] -= gFrameTime;
		if (tomato->SpecialF[TIMER_HURT] <= 0)
			SwitchAnim(tomato, TOMATO_ANIM_STAND, 3);
		EnemyGroundStep(tomato, MOVE_MASK, true);
		TomatoCommon(tomato);
	}

	bool LandedOnPlayer()
	{
		for (int i = 0; i < gNumCollisions; i++)
			if (gCollisionList[i].objectPtr == gPlayerNode && (gCollisionList[i].sides & SIDE_BOTTOM))
				return true;
		return false;
	}

	void TomatoLeap(ObjNode* tomato)
	{
		if (tomato->Flag[FLAG_EVENT])
		{
			PlayEnemyEffect3D(EFFECT_TOMATOJUMP, &tomato->Coord);
			tomato->Flag[FLAG_EVENT] = 0;
			tomato->Flag[FLAG_AIRBORNE] = 1;
			if (gPlayerNode)
				gObjDelta = {gPlayerNode->Coord.x - gObjCoord.x, TOMATO_LEAP_LIFT, gPlayerNode->Coord.z - gObjCoord.z};
			else
				gObjDelta.y = TOMATO_LEAP_LIFT;
			tomato->StatusBits &= ~STATUS_BIT_ONGROUND;
			gObjCoord.y += 1;		// off the ground, or the landing test below takes the take-off for a landing
		}
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		if (tomato->Flag[FLAG_AIRBORNE])
			tomato->Rot.x -= gFrameTime * tomato->Speed * TOMATO_TUMBLE;
		EnemyGroundStep(tomato, MOVE_MASK, true);
		if (tomato->Flag[FLAG_AIRBORNE] && (CreatureOnGround(tomato) || LandedOnPlayer()))
		{
			bool onRobot = LandedOnPlayer();
			tomato->Flag[FLAG_AIRBORNE] = 0;
			SwitchAnim(tomato, TOMATO_ANIM_ROLL, 8);
			tomato->SpecialF[TIMER_HURT] = TOMATO_ROLL_TIME;
			MakeRingWaveDeformation(150, 0, 2800, 1.0f / 280.0f, 400, 100, gObjCoord.x, gObjCoord.z);
			if (onRobot && gPlayerLevel.invincibleTimer <= 0)
				FlattenPlayer();
		}
		TomatoCommon(tomato);
	}

	void TomatoGrowing(ObjNode* tomato)
	{
		FrictionOnGround(tomato, FRICTION_STAND);
		Grow(tomato, TOMATO_SCALE);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		EnemyGroundStep(tomato, 0, true);
		if (tomato->Skeleton->AnimHasStopped)
		{
			// The grow motion ends before the growth does: it pops to full size as it hops.
			tomato->Scale = {TOMATO_SCALE, TOMATO_SCALE, TOMATO_SCALE};
			SwitchAnim(tomato, TOMATO_ANIM_STAND, 2);
			gObjDelta.y = GROWN_HOP;
		}
		TomatoCommon(tomato);
	}

	constexpr ObjNodeRoutine kTomatoMoves[NUM_TOMATO_ANIMS] = {
		TomatoStand, TomatoWalk, TomatoRoll, TomatoLeap, TomatoGrowing,
	};

	//
	// Death: pieces flying apart
	//

	void MoveFallingPiece(ObjNode* piece)
	{
		GetObjectInfo(piece);
		const float dt = gFrameTime;
		gObjDelta.y -= DEBRIS_GRAVITY * dt;
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		piece->Rot.x += piece->DeltaRot.x * dt;
		piece->Rot.y += piece->DeltaRot.y * dt;
		piece->Rot.z += piece->DeltaRot.z * dt;
		float ground = IsTerrainSetUp() ? TerrainHeightAt(gObjCoord.x, gObjCoord.z) : 0.0f;
		if (gObjCoord.y < ground - DEBRIS_GONE_BELOW)
		{
			DeleteObject(piece);
			return;
		}
		UpdateObject(piece);
	}

	ObjNode* MakeFallingPiece(int model, const OGLPoint3D& at, float scale, const OGLVector3D& delta,
			const OGLVector3D& spin)
	{
		if (!FarmModelExists(model))
			return nullptr;
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(model);
		def.coord = at;
		def.flags = gAutoFadeStatusBits;
		def.slot = int16_t(SLOT_OF_DUMB);
		def.moveCall = MoveFallingPiece;
		def.rot = RandomFloat() * PI2;
		def.scale = scale;
		ObjNode* piece = MakeNewDisplayGroupObject(&def);
		piece->Delta = delta;
		piece->DeltaRot = spin;
		return piece;
	}

	float Signed(float range)
	{
		return RandomFloatSigned() * range;
	}

	void KillOnion(ObjNode* onion)
	{
		SpillPowerups(onion, 1, 0, 2);
		if (onion->Flag[FLAG_HOLDING])
		{
			onion->Flag[FLAG_HOLDING] = 0;
			PlayerLetGoToGetUp();
		}
		float y = onion->Coord.y + onion->BBox.min.y + 50;
		for (int i = 0; i < 5; i++, y += 40)
			MakeFallingPiece(FARM_MODEL_ONION_RING, {onion->Coord.x, y, onion->Coord.z}, 0.7f + Signed(0.1f),
					{Signed(400), 300 + RandomFloat() * 500, Signed(400)}, {Signed(5), Signed(5), Signed(5)});
		MakeFallingPiece(FARM_MODEL_ONION_TOP, {onion->Coord.x, y + 20, onion->Coord.z}, 0.7f,
				{Signed(300), 700 + RandomFloat() * 300, Signed(300)}, {Signed(5), Signed(5), Signed(5)});
		ExplodeGeometry(onion, 300, SHARD_MODE_BOUNCE, 2, 0.6f);
		PlayEnemyEffect3D(EFFECT_ONIONSPLAT, &onion->Coord);
		DeleteEnemy(onion);
	}

	void KillTomato(ObjNode* tomato)
	{
		SpillPowerups(tomato, 0, 1, 2);
		PlayEnemyEffect3D(EFFECT_TOMATOSPLAT, &tomato->Coord);
		float y = tomato->Coord.y + tomato->BBox.min.y + 30;
		for (int i = 0; i < 5; i++, y += 30)
			MakeFallingPiece(FARM_MODEL_TOMATO_CHUNK, {tomato->Coord.x, y, tomato->Coord.z}, 0.5f + Signed(0.1f),
					{Signed(500), 400 + RandomFloat() * 400, Signed(500)}, {Signed(5), Signed(10), Signed(5)});
		ExplodeGeometry(tomato, 300, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 2, 0.65f);
		DeleteEnemy(tomato);
	}

	ObjNodeRoutine FreeMoveOf(const ObjNode* node)
	{
		switch (node->Kind)
		{
			case ENEMY_KIND_ONION:	return MoveOnion;
			case ENEMY_KIND_CORN:	return MoveCorn;
			default:				return MoveTomato;
		}
	}

	//
	// Hits
	//

	bool HitByStunGun(ObjNode* weapon, ObjNode* node, const OGLPoint3D*, const OGLVector3D* delta, float)
	{
		if (!HurtFarmCreature(node, STUN_DAMAGE))
			return true;
		if (delta)
		{
			node->Delta.x += delta->x * STUN_PUSH;
			node->Delta.y += delta->y * STUN_PUSH;
			node->Delta.z += delta->z * STUN_PUSH;
			if (gCurrentMoveNode == node)
				gObjDelta = node->Delta;
		}
		(void)weapon;
		return true;
	}

	bool HitByFist(ObjNode*, ObjNode* node, const OGLPoint3D*, const OGLVector3D*, float)
	{
		bool corn = node->Kind == ENEMY_KIND_CORN;
		if (!HurtFarmCreature(node, corn ? CORN_FIST_DAMAGE : FIST_DAMAGE))
			return true;
		if (!gPlayerNode)
			return true;
		float r = gPlayerNode->Rot.y, knock = corn ? 500.0f : FIST_KNOCK, lift = corn ? 300.0f : FIST_LIFT;
		node->Delta = {-std::sin(r) * knock, lift, -std::cos(r) * knock};
		node->StatusBits &= ~STATUS_BIT_ONGROUND;
		if (gCurrentMoveNode == node)
			gObjDelta = node->Delta;
		return true;
	}

	// Only the killing blows are shared: the hurts here count as taken even when they kill.
	constexpr CreatureHitRoutines kFarmCreatureHits = {.kill = KillFarmCreature};

	bool HitByHurt(ObjNode*, ObjNode* node, const OGLPoint3D*, const OGLVector3D*, float damage)
	{
		HurtFarmCreature(node, damage);
		return true;
	}

	void StartEyes(ObjNode* node, const OGLPoint3D* eyes)
	{
		for (int i = 0; i < MAX_NODE_SPARKLES; i++)
			node->Sparkles[i] = -1;
		if (!eyes)
			return;
		for (int i = 0; i < 2; i++)
		{
			int16_t s = GetFreeSparkle(node);
			if (s < 0)
				return;
			node->Sparkles[i] = s;
			SparkleType& sparkle = gSparkles[s];
			sparkle.flags = 0;
			sparkle.color = {1, 0, 0, 1};
			sparkle.scale = GLINT_SCALE;
			sparkle.separation = GLINT_SEPARATION;
			sparkle.textureNum = PARTICLE_SPRITE_SPARK;
			sparkle.where = node->Coord;
		}
	}

	constexpr CreatureHitTable kFarmCreatureHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_STUNGUN] = HitByStunGun;
		t[WEAPON_FIST] = HitByFist;
		t[WEAPON_NOVA] = t[WEAPON_JETHIT] = CreatureHitToDeath<kFarmCreatureHits>;
		t[WEAPON_HURT] = HitByHurt;
		return t;
	}();

	void ClearFarmFields(ObjNode* node)
	{
		for (float& f : node->SpecialF)
			f = 0;
		for (uint8_t& f : node->Flag)
			f = 0;
	}

	// The tomato rolls as it leaps: its rotation order differs.
	void PrepareTomato(ObjNode* node)
	{
		node->StatusBits |= STATUS_BIT_ROTXZY;
		ClearFarmFields(node);
	}

	void OpenEyes(ObjNode* node)
	{
		StartEyes(node, FarmEyeOffsets(node));
		UpdateFarmEyes(node);
	}

	void WatchFromLoop(ObjNode* node)
	{
		UpdateFarmEyes(node);
	}

	// The corn fires its bursts from its loop too.
	void CornOnLoop(ObjNode* node)
	{
		UpdateFarmEyes(node);
		if (node->StatusBits & STATUS_BIT_ONSPLINE)
			CornShooting(node);
	}
}

//
// Shared by the three kinds
//

const OGLPoint3D* FarmEyeOffsets(const ObjNode* node)
{
	switch (node->Kind)
	{
		case ENEMY_KIND_ONION:	return ONION_EYES;
		case ENEMY_KIND_CORN:	return CORN_EYES;
		default:				return TOMATO_EYES;
	}
}

void UpdateFarmEyes(ObjNode* node)
{
	const OGLPoint3D* eyes = FarmEyeOffsets(node);
	for (int i = 0; i < 2; i++)
	{
		int16_t s = node->Sparkles[i];
		if (s < 0)
			continue;
		SparkleType& sparkle = gSparkles[s];
		FindCoordOnJoint(node, 0, &eyes[i], &sparkle.where);
		sparkle.aim = {-std::sin(node->Rot.y), 0, -std::cos(node->Rot.y)};
	}
}

bool FarmCreatureSeesPlayer(const ObjNode* node)
{
	if (!gPlayerNode)
		return false;
	OGLPoint3D from = node->Coord, to = gPlayerNode->Coord;
	return !SegmentHitsAnything(&from, &to, node, SIGHT_MASK);
}

bool FarmModelExists(int model)
{
	return model >= 0 && model < gNumObjectsInBG3DGroupList[MODEL_GROUP_LEVELSPECIFIC];
}

const CreatureKind kOnionKind = {
	.kind = ENEMY_KIND_ONION,
	.limit = FARM_CREATURE_LIMIT,
	.skeletonType = SKELETON_TYPE_ONION,
	.scale = ONION_SCALE,
	.health = FARM_CREATURE_HEALTH,
	.damage = FARM_CREATURE_DAMAGE,
	.targetOffset = 200,
	.shadowX = SHADOW_SIZE,
	.shadowZ = SHADOW_SIZE,
	.hits = &kFarmCreatureHitTable,
	.move = MoveOnion,
	.prepare = ClearFarmFields,
	.dress = OpenEyes,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = ONION_SPLINE_DETACH, .walkAnim = 1,
		.walkAnimSpeed = SPLINE_WALK_ANIM_SPEED, .damage = 0, .whileRiding = WatchFromLoop},
};

const CreatureKind kCornKind = {
	.kind = ENEMY_KIND_CORN,
	.limit = FARM_CREATURE_LIMIT,
	.skeletonType = SKELETON_TYPE_CORN,
	.scale = CORN_SCALE,
	.health = FARM_CREATURE_HEALTH,
	.damage = FARM_CREATURE_DAMAGE,
	.targetOffset = 100,
	.shadowX = SHADOW_SIZE,
	.shadowZ = SHADOW_SIZE,
	.hits = &kFarmCreatureHitTable,
	.move = MoveCorn,
	.prepare = ClearFarmFields,
	.dress = OpenEyes,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = ONION_SPLINE_DETACH, .walkAnim = 1,
		.walkAnimSpeed = SPLINE_WALK_ANIM_SPEED, .damage = 0, .whileRiding = CornOnLoop},
};

const CreatureKind kTomatoKind = {
	.kind = ENEMY_KIND_TOMATO,
	.limit = FARM_CREATURE_LIMIT,
	.skeletonType = SKELETON_TYPE_TOMATO,
	.scale = TOMATO_SCALE,
	.health = FARM_CREATURE_HEALTH,
	.damage = FARM_CREATURE_DAMAGE,
	.targetOffset = 200,
	.shadowX = SHADOW_SIZE,
	.shadowZ = SHADOW_SIZE,
	.hits = &kFarmCreatureHitTable,
	.move = MoveTomato,
	.prepare = PrepareTomato,
	.dress = OpenEyes,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = TOMATO_SPLINE_DETACH, .walkAnim = 1,
		.walkAnimSpeed = SPLINE_WALK_ANIM_SPEED, .damage = 0, .whileRiding = WatchFromLoop},
};

const CreatureKind& FarmCreatureKind(int kind)
{
	switch (kind)
	{
		case ENEMY_KIND_ONION:	return kOnionKind;
		case ENEMY_KIND_CORN:	return kCornKind;
		default:				return kTomatoKind;
	}
}

ObjNode* GrowFarmCreatureFromSprout(int kind, float x, float z)
{
	if (gNumEnemies >= gMaxEnemies)
		return nullptr;
	ObjNode* node = MakeCreature(FarmCreatureKind(kind), x, z);
	node->Scale = {SPROUT_START_SCALE, SPROUT_START_SCALE, SPROUT_START_SCALE};
	if (gPlayerNode)
		node->Rot.y = CalcYAngleFromPointToPoint(node->Rot.y, x, z, gPlayerNode->Coord.x, gPlayerNode->Coord.z);
	int grow = kind == ENEMY_KIND_ONION ? int(ONION_ANIM_GROW) : kind == ENEMY_KIND_CORN ? int(CORN_ANIM_GROW) : int(TOMATO_ANIM_GROW);
	SetSkeletonAnim(node->Skeleton, grow);
	UpdateObjectTransforms(node);
	CountEnemy(node);
	return node;
}

bool HurtFarmCreature(ObjNode* node, float damage)
{
	if (node->CType == INVALID_NODE_FLAG)
		return false;
	DetachEnemyFromSpline(node, FreeMoveOf(node));
	if (node->Kind == ENEMY_KIND_ONION && Anim(node) == ONION_ANIM_GROW)
		AtLeastScale(node, ONION_GROWN_SCALE_ON_HURT);
	else if (node->Kind == ENEMY_KIND_CORN && Anim(node) == CORN_ANIM_GROW)
		AtLeastScale(node, CORN_GROWN_SCALE_ON_HURT);
	node->Health -= damage;
	if (node->Health <= 0)
	{
		KillFarmCreature(node);
		return false;
	}
	if (Anim(node) != 2)
		SwitchAnim(node, 2, 5);
	node->SpecialF[TIMER_HURT] = HURT_TIME;
	return true;
}

void KillFarmCreature(ObjNode* node)
{
	if (node->CType == INVALID_NODE_FLAG)
		return;
	DetachEnemyFromSpline(node, FreeMoveOf(node));
	switch (node->Kind)
	{
		case ENEMY_KIND_ONION:	KillOnion(node); break;
		case ENEMY_KIND_CORN:	KillCorn(node); break;
		default:				KillTomato(node); break;
	}
}

void MoveFarmHurt(ObjNode* node)
{
	HurtMove(node);
}

//
// Public entry points
//

ObjNode* GrowOnionFromSprout(float x, float z) { return GrowFarmCreatureFromSprout(ENEMY_KIND_ONION, x, z); }
ObjNode* GrowCornFromSprout(float x, float z) { return GrowFarmCreatureFromSprout(ENEMY_KIND_CORN, x, z); }
ObjNode* GrowTomatoFromSprout(float x, float z) { return GrowFarmCreatureFromSprout(ENEMY_KIND_TOMATO, x, z); }

bool OnionHoldsPlayer(const ObjNode* node)
{
	return node && node->CType != INVALID_NODE_FLAG && node->Kind == ENEMY_KIND_ONION && node->Skeleton
			&& node->Flag[FLAG_HOLDING];
}

void MoveOnion(ObjNode* onion)
{
	if (IsEnemyOutOfRange(onion))
	{
		if (onion->Flag[FLAG_HOLDING])
			PlayerLetGoToGetUp();
		DeleteEnemy(onion);
		return;
	}
	GetObjectInfo(onion);
	int anim = Anim(onion);
	if (anim >= 0 && anim < NUM_ONION_ANIMS)
		kOnionMoves[anim](onion);
}

void MoveTomato(ObjNode* tomato)
{
	if (IsEnemyOutOfRange(tomato))
	{
		DeleteEnemy(tomato);
		return;
	}
	GetObjectInfo(tomato);
	int anim = Anim(tomato);
	if (anim >= 0 && anim < NUM_TOMATO_ANIMS)
		kTomatoMoves[anim](tomato);
}
