// The robot in the contraptions that carry him: the seat of a bumper car
// (state 28), the drop into the exit lift and the ride off in it, and the
// electrified floor of a live bumper arena.
#include "Player/PlayerVehicles.h"
#include "Player/PlayerInternal.h"
#include "Player/Weapons.h"
#include "Items/Contraptions.h"
#include "Screens/Infobar.h"
#include "System/FrameTime.h"
#include "Terrain/Collision.h"
#include "Terrain/Water.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "System/Level.h"
#include "Effects/Particles.h"
#include "System/Error.h"
#include "System/Input.h"
#include "System/SoundTable.h"
#include "Terrain/Terrain.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float SHOCK_SPARK_RADIUS = 200.0f;
	bool gShockPending = false;
}

void PlayerSitInBumperCar(ObjNode* car)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	SetPlayerAnim(node, PLAYER_ANIM_BUMPERCAR);
	node->Delta = {0, 0, 0};
	gPlayerLevel.ridingNode = car;
}

void PlayerJumpOutOfBumperCar()
{
	ObjNode* node = gPlayerNode;
	gPlayerLevel.ridingNode = nullptr;
	if (!node)
		return;
	SetPlayerAnim(node, PLAYER_ANIM_JUMP, 1);
	node->Coord.y += PLAYER_CAR_JUMP_OUT_LIFT;
	node->Delta.y = PLAYER_CAR_JUMP_OUT_SPEED;
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
	UpdateObjectTransforms(node);
	CalcObjectBoxFromNode(node);
	KeepOldCollisionBoxes(node);
}

void PlayerStateInBumperCar(ObjNode* node)
{
	ObjNode* gPlayerCar = GetPlayerBumperCar();
	GAME_ASSERT(gPlayerCar);
	ObjNode* car = gPlayerCar;
	gObjDelta = car->Delta;
	gObjCoord = {car->Coord.x, car->Coord.y + PLAYER_CAR_SEAT_HEIGHT, car->Coord.z};
	node->Rot.y = car->Rot.y;
	node->StatusBits |= STATUS_BIT_ONGROUND;
	gPlayerLevel.heightAboveGround = 0;
	// The car reads the jump need itself (it must stop its hums too).
}

void PlayerFloatInBubble(const OGLPoint3D& where)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	SetPlayerAnim(node, PLAYER_ANIM_BUBBLE);
	node->Coord = where;
	node->Delta = {0, 0, 0};
	UpdateObjectTransforms(node);
	CalcObjectBoxFromNode(node);
	KeepOldCollisionBoxes(node);
}

void PlayerDropOutOfBubble()
{
	ObjNode* node = gPlayerNode;
	if (node && PlayerAnim(node) == PLAYER_ANIM_BUBBLE)
		SetPlayerAnim(node, PLAYER_ANIM_FALL);
}

void PlayerStateInBubble(ObjNode* node)
{
	// A button pops it.
	if (GetNewNeedState(NEED_JUMP) || GetNewNeedState(NEED_SHOOT) || GetNewNeedState(NEED_PUNCH))
	{
		PopPlayerBubble();
		return;
	}
	DoPlayerSteering(node, false);
	ApplyPlayerFriction(node, FRICTION_AIR);
	float speed = std::hypot(gObjDelta.x, gObjDelta.z);
	if (speed > PLAYER_BUBBLE_MAX_SPEED)
	{
		gObjDelta.x *= PLAYER_BUBBLE_MAX_SPEED / speed;
		gObjDelta.z *= PLAYER_BUBBLE_MAX_SPEED / speed;
	}
	// Toward its float height: the height missing is the climb, twice it going up.
	float ground = TerrainHeightAt(gObjCoord.x, gObjCoord.z);
	float missing = ground + PLAYER_BUBBLE_HEIGHT - (gObjCoord.y + float(node->BottomOff));
	gObjDelta.y = missing > 0 ? 2 * missing : missing;
	MovePlayerStep(node);
}

void PlayerDropIntoExitLift(const OGLPoint3D& liftCentre)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	SetPlayerAnim(node, PLAYER_ANIM_FALL);
	gPlayerLevel.invincibleTimer = PLAYER_LIFT_INVINCIBILITY;
	node->Delta.x = 2 * (liftCentre.x - node->Coord.x);
	node->Delta.z = 2 * (liftCentre.z - node->Coord.z);
}

void PlayerRideExitLift(const OGLPoint3D& where)
{
	ObjNode* node = gPlayerNode;
	if (!node)
		return;
	if (PlayerAnim(node) != PLAYER_ANIM_HELDALT)
	{
		SetPlayerAnim(node, PLAYER_ANIM_HELDALT);
		node->StatusBits |= STATUS_BIT_HIDDEN;
		node->CType = 0;
		ShowPlayerHands(false);
	}
	gPlayerLevel.invincibleTimer = std::max(gPlayerLevel.invincibleTimer, 1.0f);
	node->Coord = {where.x, where.y - float(node->BottomOff), where.z};
	node->Delta = {0, 0, 0};
	UpdateObjectTransforms(node);
	UpdatePlayerHands(node);
}

void ElectrocutePlayer(ObjNode* robot)
{
	if (gPlayerLevel.isDead || PlayerAnim(robot) == PLAYER_ANIM_ZAPPED)
		return;
	// The state handler that moved him may still pick his next state this
	// frame: the shock takes over once it has.
	gShockPending = true;
}

void ApplyPendingPlayerShock(ObjNode* robot)
{
	if (!gShockPending)
		return;
	gShockPending = false;
	if (gPlayerLevel.isDead || PlayerAnim(robot) == PLAYER_ANIM_ZAPPED)
		return;
	MakeSparkBurst(robot->Coord.x, robot->Coord.y, robot->Coord.z, SHOCK_SPARK_RADIUS, PARTICLE_SObjType_WhiteSpark,
			GL_SRC_ALPHA, GL_ONE, 1.0f);
	PlayPlayerEffect3D(EFFECT_ZAP, &robot->Coord);
	SetPlayerAnim(robot, PLAYER_ANIM_ZAPPED);
	gPlayerLevel.stateCountdown = PLAYER_SHOCK_COUNTDOWN;
	ElectrocutionDischarge(robot);
}

//
// Towed behind a boat
//

namespace
{
	constexpr int HELP_TOWING = 12;
	constexpr float TOW_HELP_SECONDS = 1.0f;
	constexpr float TOW_WAKE_INTERVAL = 0.08f;
	constexpr float TOW_ANIM_PER_SPEED = 0.002f;
	constexpr float TOW_BOUNCE = 0.3f;

	float gTowWakeTimer = 0;

	// He lets go: the handle leaves his hands and he jumps clear (or, when
	// the boat stopped under him, just falls).
	void LetGoOfTowHandle(ObjNode* node, bool jump)
	{
		SwitchOffHelp(HELP_TOWING);
		DropTowHandle();
		if (jump)
		{
			gObjDelta.y = TOW_LET_GO_SPEED;
			SetPlayerAnim(node, PLAYER_ANIM_JUMP);
		}
		else
			SetPlayerAnim(node, PLAYER_ANIM_FALL);
		node->StatusBits &= ~STATUS_BIT_ONGROUND;
	}

	// Over water his feet skim the surface; on land he stands on the
	// ground, a fall rebounding at half speed.
	void SkimOrStand(ObjNode* node)
	{
		const float dt = gFrameTime;
		float feet = gObjCoord.y + float(node->BottomOff);
		float surface;
		node->StatusBits &= ~STATUS_BIT_ONGROUND;
		float ground = TerrainHeightAt(gObjCoord.x, gObjCoord.z);
		if (GetWaterY(gObjCoord.x, gObjCoord.z, &surface) && surface > ground)
		{
			if (feet < surface + PLAYER_SKIM_FEET)
			{
				gObjDelta.y += PLAYER_SKIM_LIFT * dt;
				if (feet < surface - PLAYER_SKIM_MAX_DEPTH)
					gObjCoord.y += surface - PLAYER_SKIM_MAX_DEPTH - feet;
				node->StatusBits |= STATUS_BIT_ONGROUND;
				gTowWakeTimer -= dt;
				if (gTowWakeTimer <= 0)
				{
					gTowWakeTimer = TOW_WAKE_INTERVAL;
					MakeRadialPuff(gObjCoord.x, surface, gObjCoord.z, 120, 10, PARTICLE_SPRITE_DROPLET, 3);
				}
			}
			return;
		}
		if (ground != TERRAIN_HEIGHT_HOLE && feet <= ground)
		{
			gObjCoord.y = ground - float(node->BottomOff);
			if (gObjDelta.y < 0)
				gObjDelta.y *= -0.5f;
			node->StatusBits |= STATUS_BIT_ONGROUND;
		}
	}
}

void PlayerStateTowed(ObjNode* node)
{
	const float dt = gFrameTime;
	// Reaching for the handle: his hands close on it after a moment.
	if (!GetHeldTowHandle())
	{
		if (!gPlayerLevel.heldObject || gPlayerLevel.heldObject->CType == INVALID_NODE_FLAG)
		{
			gPlayerLevel.heldObject = nullptr;
			SetPlayerAnim(node, PLAYER_ANIM_STAND);
			return;
		}
		TurnPlayerTowardTarget(node);
		ApplyPlayerFriction(node, FRICTION_STAND);
		MovePlayerStep(node);
		if (gPlayerLevel.stateClock >= TOW_GRAB_TIME)
		{
			DoPlayerGrabKeyFrame(node);
			if (!GetHeldTowHandle())
				SetPlayerAnim(node, PLAYER_ANIM_STAND);		// no boat took it
		}
		return;
	}

	ObjNode* boat = GetTowingBoat();
	if (!boat)
	{
		LetGoOfTowHandle(node, false);			// the lap is over
		return;
	}
	if (GetNewNeedState(NEED_JUMP) || GetNewNeedState(NEED_PUNCH) || GetNewNeedState(NEED_SHOOT))
	{
		LetGoOfTowHandle(node, true);
		return;
	}
	ShowHelpMessage(HELP_TOWING, TOW_HELP_SECONDS, false);

	TurnPlayerToward(node, CalcYAngleFromPointToPoint(node->Rot.y, gObjCoord.x, gObjCoord.z, boat->Coord.x, boat->Coord.z),
			PLAYER_TOW_TURN_RATE);
	OGLVector2D pull = TowPullVelocity({boat->Coord.x, boat->Coord.z}, {gObjCoord.x, gObjCoord.z}, gAnalogSteering.x);
	gObjDelta.x = pull.x;
	gObjDelta.z = pull.y;
	gObjDelta.y -= gLevel.gravity * dt;
	const float speed = std::hypot(gObjDelta.x, gObjDelta.z);
	gPlayerLevel.maxSpeed = std::max(gPlayerLevel.maxSpeed, speed);
	node->Skeleton->AnimSpeed = 1 + speed * TOW_ANIM_PER_SPEED;

	// Moving in steps; anything solid met at speed is a crash.
	int n = CalcPlayerSubSteps(speed, dt);
	for (int i = 0; i < n; i++)
	{
		gObjCoord = gObjCoord + gObjDelta * (dt / float(n));
		if (ResolveCollisions(node, CTYPE_MISC | CTYPE_FENCE, TOW_BOUNCE) && speed > TOW_CRASH_SPEED)
		{
			SwitchOffHelp(HELP_TOWING);
			DropTowHandle();
			SetPlayerAnim(node, PLAYER_ANIM_FALL);
			KillPlayer(DEATH_KIND_BLOWN_UP);
			return;
		}
	}
	SkimOrStand(node);
	gPlayerLevel.heightAboveGround = gObjCoord.y + float(node->BottomOff) - TerrainHeightAt(gObjCoord.x, gObjCoord.z);
}
