// The robot in the contraptions that carry him: the seat of a bumper car
// (state 28), the drop into the exit lift and the ride off in it, and the
// electrified floor of a live bumper arena.
#include "Player/PlayerVehicles.h"
#include "Player/PlayerInternal.h"
#include "Player/Weapons.h"
#include "Items/Contraptions.h"
#include "3D/SkeletonTypes.h"
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
	gPlayerInfo.ridingNode = car;
}

void PlayerJumpOutOfBumperCar()
{
	ObjNode* node = gPlayerNode;
	gPlayerInfo.ridingNode = nullptr;
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
	gHeightAboveGround = 0;
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
	gInvincibleTimer = PLAYER_LIFT_INVINCIBILITY;
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
	gInvincibleTimer = std::max(gInvincibleTimer, 1.0f);
	node->Coord = {where.x, where.y - float(node->BottomOff), where.z};
	node->Delta = {0, 0, 0};
	UpdateObjectTransforms(node);
	UpdatePlayerHands(node);
}

void ElectrocutePlayer(ObjNode* robot)
{
	if (gPlayerIsDead || PlayerAnim(robot) == PLAYER_ANIM_ZAPPED)
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
	if (gPlayerIsDead || PlayerAnim(robot) == PLAYER_ANIM_ZAPPED)
		return;
	MakeSparkBurst(robot->Coord.x, robot->Coord.y, robot->Coord.z, SHOCK_SPARK_RADIUS, PARTICLE_SObjType_WhiteSpark,
			GL_SRC_ALPHA, GL_ONE, 1.0f);
	PlayPlayerEffect3D(EFFECT_ZAP, &robot->Coord);
	SetPlayerAnim(robot, PLAYER_ANIM_ZAPPED);
	gPlayerInfo.stateCountdown = PLAYER_SHOCK_COUNTDOWN;
	ElectrocutionDischarge(robot);
}
