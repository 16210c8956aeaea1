// The robot's move routine: its current animation selects the state handler,
// each handler steers, applies friction, moves and changes animation, and
// the end-of-frame update writes the result back to the node.
#include "Player/PlayerInternal.h"
#include "Player/Weapons.h"
#include "Player/PlayerVehicles.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float ANIM_BLEND_SPEED = 8.0f;			// morphs per second between states
	constexpr float FALL_START_HEIGHT = 40.0f;			// stepping off something higher starts a fall
	constexpr float HARD_LANDING_SPEED = 300.0f;
	// The ring a hard landing sends through soft ground (units, units per
	// second, radians per unit, amplitude lost per second).
	constexpr float LANDING_WAVE_AMPLITUDE = 120.0f;
	constexpr float LANDING_WAVE_SPEED = 2000.0f;
	constexpr float LANDING_WAVE_FREQUENCY = 1.0f / 200.0f;
	constexpr float LANDING_WAVE_WIDTH = 500.0f;
	constexpr float LANDING_WAVE_DECAY = 100.0f;
	// The jet fires for a moment: it stops the fall and lifts the robot.
	constexpr float JET_DURATION = 0.8f;
	constexpr float JET_LIFT = 8400.0f;					// upward push, against gravity
	constexpr float JET_MAX_RISE = 1100.0f;
	constexpr float GETUP_TIME = 1.5f;
	constexpr float STUN_TIME = 2.0f;
	constexpr float HIT_RECOVER_TIME = 0.4f;
	constexpr float HELD_MAX_TIME = 10.0f;				// seconds: no creature's grip lasts longer
	constexpr float WEAPON_ACTION_MAX_TIME = 3.0f;		// seconds: a weapon action never holds the robot longer

	float SpeedEstimate()
	{
		return CalcQuickDistance(0, 0, gObjDelta.x, gObjDelta.z);
	}

	bool AnimStopped(const ObjNode* node)
	{
		return node->Skeleton->AnimHasStopped;
	}

	// Takes the animation's flag event (set by the skeleton's events) if it fired.
	bool TakeFlagEvent(ObjNode* node)
	{
		if (!node->Flag[0])
			return false;
		node->Flag[0] = 0;
		return true;
	}

	// With a weapon drawn the robot stands and walks holding it up.
	int StandAnim()
	{
		return gWeaponIsDrawn ? PLAYER_ANIM_STANDWITHGUN : PLAYER_ANIM_STAND;
	}

	int WalkAnim()
	{
		return gWeaponIsDrawn ? PLAYER_ANIM_WALKWITHGUN : PLAYER_ANIM_WALK;
	}

	// Off the ground beyond a stumble: an action done in the air (a punch,
	// a shot, a weapon change) keeps the air's friction and ends in a fall.
	bool IsAirborne(const ObjNode* node)
	{
		return !IsPlayerOnGround(node) && gPlayerLevel.heightAboveGround > NEAR_GROUND;
	}

	void StandOrWalk(ObjNode* node)
	{
		if (IsAirborne(node))
			SetPlayerAnim(node, PLAYER_ANIM_FALL);
		else if (SpeedEstimate() > WALK_START_SPEED && gPlayerLevel.timeSinceMoveInput < WALK_INPUT_GRACE)
			SetPlayerAnim(node, WalkAnim());
		else
			SetPlayerAnim(node, StandAnim());
	}

	// Standing, walking and their actions all leave the ground the same way.
	bool StartFallIfUnsupported(ObjNode* node)
	{
		if (!IsPlayerOnGround(node) && gPlayerLevel.heightAboveGround > FALL_START_HEIGHT && gObjDelta.y < 0)
		{
			SetPlayerAnim(node, PLAYER_ANIM_FALL);
			return true;
		}
		return false;
	}

	void MoveOnFoot(ObjNode* node, float friction)
	{
		DoPlayerSteering(node, IsPlayerOnGround(node));
		ApplyPlayerFriction(node, friction);
		MovePlayerStep(node);
	}

	// The actions the weapon controls start, on the ground or in the air.
	void MoveDuringAction(ObjNode* node, float groundFriction)
	{
		MoveOnFoot(node, IsAirborne(node) ? FRICTION_AIR : groundFriction);
	}

	void MoveInAir(ObjNode* node)
	{
		DoPlayerSteering(node, false);
		ApplyPlayerFriction(node, FRICTION_AIR);
		MovePlayerStep(node);
	}

	//
	// Handlers
	//

	void Stand(ObjNode* node)
	{
		MoveOnFoot(node, FRICTION_STAND);
		if (StartFallIfUnsupported(node))
			return;
		if (DoPlayerJumpControls(node) || DoWeaponControls(node))
			return;
		if (SpeedEstimate() > WALK_START_SPEED && gPlayerLevel.timeSinceMoveInput < WALK_INPUT_GRACE)
			SetPlayerAnim(node, WalkAnim());
		else if (PlayerAnim(node) != StandAnim())
			SetPlayerAnim(node, StandAnim());
	}

	void Walk(ObjNode* node)
	{
		MoveOnFoot(node, PlayerHasMoveInput() ? FRICTION_WALK : FRICTION_STAND);
		node->Skeleton->AnimSpeed = SpeedEstimate() * 0.004f;
		if (StartFallIfUnsupported(node))
			return;
		if (DoPlayerJumpControls(node) || DoWeaponControls(node))
			return;
		if (SpeedEstimate() < WALK_START_SPEED || gPlayerLevel.timeSinceMoveInput >= WALK_INPUT_GRACE)
			SetPlayerAnim(node, StandAnim());
		else if (PlayerAnim(node) != WalkAnim())
		{
			const float speed = node->Skeleton->AnimSpeed;
			SetPlayerAnim(node, WalkAnim(), speed);
		}
	}

	// Swapping weapons: the flag is the moment the hand takes the new one, and
	// it stays raised (the controls read it) until the animation ends.
	void ChangeWeapon(ObjNode* node)
	{
		// A change begun in the air goes on through the fall; it ends in one.
		MoveDuringAction(node, PlayerHasMoveInput() ? FRICTION_WALK : FRICTION_STAND);
		if (DoPlayerJumpControls(node))
			return;
		DoWeaponControls(node);
		if (PlayerAnim(node) == PLAYER_ANIM_CHANGEWEAPON && AnimStopped(node))
			StandOrWalk(node);
	}

	void DrinkGrowth(ObjNode* node)
	{
		MoveDuringAction(node, FRICTION_STAND);
		if (AnimStopped(node) || gPlayerLevel.stateClock > WEAPON_ACTION_MAX_TIME)
		{
			FinishGrowthAnim(node);
			StandOrWalk(node);
		}
	}

	void ThrowingDart(ObjNode* node)
	{
		MoveDuringAction(node, FRICTION_STAND);
		if (TakeFlagEvent(node))
			ThrowDart(node);
		if (AnimStopped(node) || gPlayerLevel.stateClock > WEAPON_ACTION_MAX_TIME)
			StandOrWalk(node);
	}

	void ChargingNova(ObjNode* node)
	{
		MoveOnFoot(node, FRICTION_STAND);
		UpdateNovaCharge(node, gFrameTime);
		// After the discharge the robot stands once the arcs have faded.
		if (!gNovaChargeNode && PlayerAnim(node) == PLAYER_ANIM_CHARGING)
			SetPlayerAnim(node, StandAnim());
	}

	void Punch(ObjNode* node)
	{
		TurnPlayerTowardTarget(node);
		MoveDuringAction(node, FRICTION_STAND);
		if (TakeFlagEvent(node))
			DoPlayerPunchHit(node);
		if (AnimStopped(node))
			StandOrWalk(node);
	}

	void Grab(ObjNode* node)
	{
		TurnPlayerTowardTarget(node);
		MoveDuringAction(node, FRICTION_STAND);
		if (TakeFlagEvent(node))
			DoPlayerGrabKeyFrame(node);
		if (AnimStopped(node))
		{
			gPlayerLevel.heldObject = nullptr;
			StandOrWalk(node);
		}
	}

	void GetUp(ObjNode* node)
	{
		MoveOnFoot(node, FRICTION_STAND);
		if (gPlayerLevel.stateClock >= GETUP_TIME)
		{
			// A longer grace given by what knocked him down (an onion's crush) is kept.
			gPlayerLevel.invincibleTimer = std::max(gPlayerLevel.invincibleTimer, 1.0f);
			SetPlayerAnim(node, PLAYER_ANIM_STAND);
		}
	}

	void Jump(ObjNode* node)
	{
		MoveInAir(node);
		if (IsPlayerOnGround(node) && gObjDelta.y <= 0)
		{
			gPlayerLevel.jetQueued = false;
			StandOrWalk(node);
			return;
		}
		if (gPlayerLevel.jetQueued && std::fabs(gObjDelta.y) < JET_MAX_VERTICAL_SPEED)
		{
			FirePlayerJumpJet(node);
			return;
		}
		if (DoPlayerJumpControls(node) || PlayerAnim(node) != PLAYER_ANIM_JUMP)
			return;
		if (DoWeaponControls(node))
		{
			gPlayerLevel.jetQueued = false;		// the action took over the jump
			return;
		}
		if (gObjDelta.y < 0)
			SetPlayerAnim(node, PLAYER_ANIM_FALL);
	}

	void Fall(ObjNode* node)
	{
		float fallSpeed = -gObjDelta.y;
		MoveInAir(node);
		if (IsPlayerOnGround(node))
		{
			if (fallSpeed > HARD_LANDING_SPEED)
			{
				PlayPlayerEffect3D(EFFECT_METALLAND, &gObjCoord);
				if (CurrentLevelHasRule(LEVEL_RULE_RIPPLING_GROUND))
					MakeRingWaveDeformation(LANDING_WAVE_AMPLITUDE, 0, LANDING_WAVE_SPEED, LANDING_WAVE_FREQUENCY,
							LANDING_WAVE_WIDTH, LANDING_WAVE_DECAY, gObjCoord.x, gObjCoord.z);
			}
			StandOrWalk(node);
			return;
		}
		if (DoPlayerJumpControls(node) || PlayerAnim(node) != PLAYER_ANIM_FALL)
			return;
		DoWeaponControls(node);
	}

	void JumpJet(ObjNode* node)
	{
		DoPlayerSteering(node, false);
		ApplyPlayerFriction(node, FRICTION_AIR);
		gObjDelta.y = std::min(gObjDelta.y + JET_LIFT * gFrameTime, JET_MAX_RISE);
		MovePlayerStep(node);
		PuffJetExhaust(node);
		if (IsPlayerOnGround(node) && gObjDelta.y <= 0)
		{
			StandOrWalk(node);
			return;
		}
		if (gPlayerLevel.stateClock >= JET_DURATION || AnimStopped(node) || GetNewNeedState(NEED_JUMP))
			SetPlayerAnim(node, PLAYER_ANIM_FALL);
		else if (!DoWeaponControls(node))
			DoJumpJetHits(node);
	}

	void DeathCountdown(ObjNode* node)
	{
		ApplyPlayerFriction(node, FRICTION_STAND);
		MovePlayerStep(node);
		gPlayerLevel.stateCountdown -= gFrameTime;
		if (gPlayerLevel.stateCountdown <= 0)
			KillPlayer(DEATH_KIND_BLOWN_UP);
	}

	void Death(ObjNode* node)
	{
		ApplyPlayerFriction(node, FRICTION_STAND);
		MovePlayerStep(node);
	}

	void GotHit(ObjNode* node)
	{
		bool onGround = IsPlayerOnGround(node);
		DoPlayerSteering(node, onGround);
		ApplyPlayerFriction(node, onGround ? FRICTION_STAND : FRICTION_AIR);
		MovePlayerStep(node);
		if (IsPlayerOnGround(node) && gPlayerLevel.stateClock > HIT_RECOVER_TIME && !gPlayerLevel.isDead)
		{
			gPlayerLevel.invincibleTimer = std::max(gPlayerLevel.invincibleTimer, 2.0f);
			SetPlayerAnim(node, PLAYER_ANIM_STAND);
		}
	}

	void Stunned(ObjNode* node)
	{
		gObjDelta = {0, 0, 0};
		float top = HighestSurfaceAt(gObjCoord.x, gObjCoord.z, CTYPE_MISC | CTYPE_TERRAIN);
		gObjCoord.y = top - float(node->BottomOff);
		node->StatusBits |= STATUS_BIT_ONGROUND;
		if (gPlayerLevel.stateClock >= STUN_TIME)
		{
			gPlayerLevel.invincibleTimer = 1.3f;
			SetPlayerAnim(node, PLAYER_ANIM_STAND);
		}
	}

	void Thrown(ObjNode* node)
	{
		gObjDelta.y -= gLevel.gravity * 0.7f * gFrameTime;
		MovePlayerStep(node);
		if (IsPlayerOnGround(node))
		{
			SetPlayerAnim(node, PLAYER_ANIM_GETUP);
			PlayerLoseHealth(0.2f, DEATH_KIND_WORN_OUT);
		}
	}

	void BeamedUp(ObjNode*)
	{
		gObjDelta = {0, 300, 0};
		gObjCoord.y += gObjDelta.y * gFrameTime;
	}

	// Held by something else: it places the robot. A captor that vanished
	// without letting go (gone out of range with the level) drops it.
	void Held(ObjNode* node)
	{
		gObjDelta = {0, 0, 0};
		if (gPlayerLevel.stateClock > HELD_MAX_TIME)
		{
			UpdateObjectTransforms(node);
			SetPlayerAnim(node, PLAYER_ANIM_FALL);
		}
	}

	// States whose owners are not in the game yet behave like a short action
	// on foot that ends with the animation.
	void OtherAction(ObjNode* node)
	{
		MoveOnFoot(node, FRICTION_STAND);
		if (AnimStopped(node) || gPlayerLevel.stateClock > 3)
			StandOrWalk(node);
	}

	void Skid(ObjNode* node)
	{
		node->Rot.x = node->Rot.z = 0;
		MoveOnFoot(node, FRICTION_WALK);
		gPlayerLevel.stateCountdown -= gFrameTime;
		if (gPlayerLevel.stateCountdown <= 0 || SpeedEstimate() < 1)
		{
			gPlayerLevel.invincibleTimer = 1;
			SetPlayerAnim(node, PLAYER_ANIM_STAND);
		}
	}

	typedef void (*StateHandler)(ObjNode*);

	StateHandler HandlerFor(int anim)
	{
		switch (anim)
		{
			case PLAYER_ANIM_STAND:
			case PLAYER_ANIM_STANDWITHGUN:
				return Stand;
			case PLAYER_ANIM_WALK:
			case PLAYER_ANIM_WALKWITHGUN:
			case PLAYER_ANIM_WALKALT:
				return Walk;
			case PLAYER_ANIM_PUNCH:
				return Punch;
			case PLAYER_ANIM_PICKUPLOW:
			case PLAYER_ANIM_PICKUP:
				return Grab;
			case PLAYER_ANIM_GETUP:
				return GetUp;
			case PLAYER_ANIM_JUMPJET:
			case PLAYER_ANIM_GIANTJUMPJET:
				return JumpJet;
			case PLAYER_ANIM_JUMP:
				return Jump;
			case PLAYER_ANIM_FALL:
				return Fall;
			case PLAYER_ANIM_ZAPPED:
				return DeathCountdown;
			case PLAYER_ANIM_DEATH:
				return Death;
			case PLAYER_ANIM_GOTHIT:
				return GotHit;
			case PLAYER_ANIM_FLATTENED:
				return Stunned;
			case PLAYER_ANIM_THROWN:
				return Thrown;
			case PLAYER_ANIM_BEAMEDUP:
				return BeamedUp;
			case PLAYER_ANIM_GRABBED:
			case PLAYER_ANIM_FLYTRAPPED:
			case PLAYER_ANIM_HELDALT:
				return Held;
			case PLAYER_ANIM_ZIPLINE:
				return HangFromZipLine;
			case PLAYER_ANIM_STRONGMANHELD:
				return HeldByCreature;
			case PLAYER_ANIM_INCANNON:
				return SitInCannon;
			case PLAYER_ANIM_SHOTFROMCANNON:
				return FlyFromCannon;
			case PLAYER_ANIM_ROCKETSLED:
				return RideRocketSled;
			case PLAYER_ANIM_BUMPERCAR:
				return PlayerStateInBumperCar;
			case PLAYER_ANIM_BUBBLE:
				return PlayerStateInBubble;
			case PLAYER_ANIM_CARRY:
				return PlayerStateTowed;
			case PLAYER_ANIM_SKID:
				return Skid;
			case PLAYER_ANIM_SWIM:
				return MovePlayerSwimming;
			case PLAYER_ANIM_CHANGEWEAPON:
				return ChangeWeapon;
			case PLAYER_ANIM_GROWTH:
				return DrinkGrowth;
			case PLAYER_ANIM_THROWDART:
				return ThrowingDart;
			case PLAYER_ANIM_CHARGING:
				return ChargingNova;
			default:
				return OtherAction;
		}
	}

	// The end of every frame, whatever the state.
	void UpdatePlayerRobot(ObjNode* node)
	{
		UpdateGrowth(node, gFrameTime);
		node->Coord = gObjCoord;
		node->Delta = gObjDelta;
		UpdateObjectTransforms(node);
		CalcObjectBoxFromNode(node);

		gPlayerLevel.coord = node->Coord;
		node->Speed2D = std::hypot(gObjDelta.x, gObjDelta.z);
		node->Speed = std::sqrt(node->Speed2D * node->Speed2D + gObjDelta.y * gObjDelta.y);

		// A boost above the normal limit wears off as the robot slows.
		if (node->Speed2D < gPlayerLevel.baseMaxSpeed)
			gPlayerLevel.maxSpeed = gPlayerLevel.baseMaxSpeed;
		else if (gPlayerLevel.maxSpeed > gPlayerLevel.baseMaxSpeed && node->Speed2D < gPlayerLevel.maxSpeed)
			gPlayerLevel.maxSpeed = node->Speed2D;

		if (gPlayerLevel.burnTimer > 0)
		{
			gPlayerLevel.burnTimer -= gFrameTime;
			MakeJointFlames(node, 40 * gPlayerLevel.scale);
		}

		UpdatePlayerHands(node);
		if (IsPlayerOnGround(node))
			gPlayerLevel.canUseJumpJet = true;
	}
}

int PlayerAnim(const ObjNode* node)
{
	return node && node->Skeleton ? node->Skeleton->AnimNum : -1;
}

void SetPlayerAnim(ObjNode* node, int anim, float speed)
{
	if (!node->Skeleton)
		return;
	if (node->Skeleton->AnimNum != anim)
		MorphToSkeletonAnim(node->Skeleton, anim, ANIM_BLEND_SPEED);
	node->Skeleton->AnimSpeed = speed;
	node->Flag[0] = 0;
	gPlayerLevel.stateTimer = 0;
	gPlayerLevel.stateClock = 0;
}

void MovePlayerRobot(ObjNode* node)
{
	if (IsPlayerInSaucer())
		return;				// the saucer places the robot

	const float dt = gFrameTime;
	GetObjectInfo(node);
	if (gPlayerLevel.invincibleTimer > 0)
		gPlayerLevel.invincibleTimer = std::max(0.0f, gPlayerLevel.invincibleTimer - dt);
	gPlayerLevel.stateTimer += dt;
	gPlayerLevel.stateClock += dt;
	gPlayerLevel.timeSinceMoveInput += dt;

	// The cheat keys top the robot up and fill the weapon inventory.
	if (AreCheatKeysDown() && !gPlayerLevel.isDead)
	{
		GiveCheatWeaponInventory();
		gRun.health = 1;
		gRun.fuel = 1;
		gRun.lives = std::max<uint8_t>(gRun.lives, 3);
		gRun.usedCheats = true;
	}

	HandlerFor(PlayerAnim(node))(node);
	// The life ends when the death's time is up, whatever pose the robot is
	// in by then: landing from the level's start drop, or thrown up by a
	// live floor, it can leave the death pose, and it would lie dead for ever.
	if (gPlayerLevel.isDead && gPlayerLevel.deathTimer > 0)
	{
		gPlayerLevel.deathTimer -= dt;
		if (gPlayerLevel.deathTimer <= 0 && !gDeathTransition.active)
			StartDeathTransition(0);
	}
	ApplyPendingPlayerShock(node);
	// A nova charge is let go whenever the robot leaves the charging pose.
	if (IsNovaCharging() && PlayerAnim(node) != PLAYER_ANIM_CHARGING)
		ReleaseNovaCharge();
	// After an aimed shot the robot turns toward what it aimed at.
	if (gAutoAimTimer > 0)
	{
		gAutoAimTimer -= dt;
		TurnPlayerToward(node, CalcYAngleFromPointToPoint(node->Rot.y, gObjCoord.x, gObjCoord.z, gAutoAimX, gAutoAimZ), 8);
	}
	UpdatePlayerRobot(node);
}
