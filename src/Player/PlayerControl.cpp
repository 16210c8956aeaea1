// The robot's controls and physics: steering, friction and gravity, the
// movement step with its collisions, jumping, the jump jet, punches and pick-ups.
#include "Player/PlayerInternal.h"
#include "Items/Rides.h"
#include "Screens/Infobar.h"
#include "Player/PlayerVehicles.h"
#include "Items/Contraptions.h"
#include "Items/Powerups.h"
#include "Player/WeaponTypes.h"
#include "3D/Camera.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Fences.h"
#include "Terrain/Terrain.h"
#include "Terrain/Water.h"

#include <algorithm>
#include <cmath>

namespace
{
	int gPlayerWaterPatch = 0;							// the patch the last water test found
	bool gGrabShowsMessage = false;						// the object being grabbed has its message (goo)
	constexpr float GRAB_MESSAGE_SECONDS = 3.0f;

	constexpr float GROUND_ACCEL = 2200.0f;
	constexpr float AIR_ACCEL = 5000.0f;
	constexpr float TANK_GROUND_ACCEL = 4200.0f;
	constexpr float TANK_AIR_ACCEL = 6000.0f;
	constexpr float TANK_TURN_RATE = 4.0f;
	constexpr float LANDED_DELTA_Y = -200.0f;			// keeps a standing robot pressed onto the ground
	constexpr float SLOPE_SLIDE = 3000.0f;
	constexpr float LEVEL2_GROUND_DAMAGE = 0.25f;
	constexpr float LEVEL2_GROUND_THROW = 2500.0f;
	constexpr float PICKUP_REACH = 170.0f;
	constexpr float PUNCH_REACH = 220.0f;
	constexpr float PUNCH_BOX_HALF_SIZE = 30.0f;
	constexpr uint32_t PUNCH_TARGET_MASK = CTYPE_ENEMY | CTYPE_PICKUP | CTYPE_MISC | CTYPE_TRIGGER;

	float HeadingOfDirection(float dx, float dz)
	{
		return std::atan2(-dx, -dz);
	}

	bool IsHitAnim(int anim)
	{
		return anim == PLAYER_ANIM_GOTHIT;
	}

	// The nearest node of the class mask (not hidden) within `reach` of the robot.
	ObjNode* FindNearest(const ObjNode* robot, uint32_t mask, float reach, bool needsPunchHandler)
	{
		ObjNode* best = nullptr;
		float bestDist = reach;
		for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		{
			if (n == robot || n->CType == INVALID_NODE_FLAG || !(n->CType & mask) || (n->StatusBits & STATUS_BIT_HIDDEN))
				continue;
			if (needsPunchHandler && !n->HitByWeaponHandler[WEAPON_FIST])
				continue;
			float d = CalcDistance3D(n->Coord.x, n->Coord.y, n->Coord.z, robot->Coord.x, robot->Coord.y, robot->Coord.z);
			if (d < bestDist)
			{
				bestDist = d;
				best = n;
			}
		}
		return best;
	}

	// The ground, level hazards and water, once per sub-step after the objects.
	void CollideWithGround(ObjNode* node)
	{
		float ground = TerrainHeightAt(gObjCoord.x, gObjCoord.z);
		float feet = gObjCoord.y + float(node->BottomOff);
		if (ground != TERRAIN_HEIGHT_HOLE && feet <= ground)
		{
			gObjCoord.y = ground - float(node->BottomOff);
			gObjDelta.y = LANDED_DELTA_Y;
			node->StatusBits |= STATUS_BIT_ONGROUND;
			gPlayerLevel.slipperiness = gLevel.groundSlip;

			// The boss arena's ground is live: it hurts and throws the robot up.
			if (CurrentLevelHasRule(LEVEL_RULE_LIVE_GROUND) && !gPlayerLevel.isDead)
			{
				gObjDelta.y = LEVEL2_GROUND_THROW;
				node->StatusBits &= ~STATUS_BIT_ONGROUND;
				PlayPlayerEffect3D(EFFECT_SLIMEBOUNCE, &gObjCoord);
				PlayerLoseHealth(LEVEL2_GROUND_DAMAGE, DEATH_KIND_WORN_OUT);
			}
			// A live bumper arena's floor shocks whoever walks on it.
			if (IsFloorElectrifiedAt(gObjCoord.x, gObjCoord.z))
				ElectrocutePlayer(node);
		}

		// Standing still on a slope, the robot slides down it.
		int anim = PlayerAnim(node);
		bool walking = anim == PLAYER_ANIM_WALK || anim == PLAYER_ANIM_WALKWITHGUN;
		if (walking && !PlayerHasMoveInput() && feet - ground <= NEAR_GROUND)
		{
			gObjDelta.x += SLOPE_SLIDE * gFrameTime * gLastTerrainNormal.x;
			gObjDelta.z += SLOPE_SLIDE * gFrameTime * gLastTerrainNormal.z;
		}

		// Water: the robot wades on slime and lava and swims chest-deep in the rest.
		feet = gObjCoord.y + float(node->BottomOff);
		if (IsInWater(node, gObjCoord.x, feet, gObjCoord.z, &gPlayerWaterPatch))
		{
			const int kind = GetPlayerWaterKind(node, gPlayerWaterPatch);
			const float stand = PlayerWaterStandHeight(kind, gWaterMeshes[gPlayerWaterPatch].y);
			if (feet < stand)
			{
				gObjCoord.y = stand - float(node->BottomOff);
				if (gObjDelta.y < 0)
					gObjDelta.y = 0;
				node->StatusBits |= STATUS_BIT_ONGROUND;
			}
		}
	}

	void CollidePlayerSubStep(ObjNode* node)
	{
		gPlayerLevel.slipperiness = 0;
		OGLPoint3D before = gObjCoord;
		ResolveCollisions(node, PLAYER_COLLISION_MASK, 0.3f);

		for (int i = 0; i < gNumCollisions; i++)
		{
			ObjNode* hit = gCollisionList[i].objectPtr;
			if (!hit || hit->CType == INVALID_NODE_FLAG)
				continue;
			bool landedOn = gCollisionList[i].sides & SIDE_BOTTOM;
			if (landedOn)
				gPlayerLevel.slipperiness = hit->Slipperiness;
			else if (hit->CType & CTYPE_PLAYER_BLOCKER)
			{
				gObjCoord.x = before.x;
				gObjCoord.z = before.z;
			}
			if (hit->CType & CTYPE_HURTME)
			{
				PlayerGotHit(hit, 0);
				if (hit->CType & CTYPE_BURNS_PLAYER)
					gPlayerLevel.burnTimer = 2.5f;
			}
		}
		CollideWithGround(node);
	}
}

OGLVector2D PlayerSteeringDirection(OGLVector2D in, float cameraLookAngle)
{
	float c = std::cos(cameraLookAngle), s = std::sin(cameraLookAngle);
	return {in.x * c - in.y * s, in.x * s + in.y * c};
}

int CalcPlayerSubSteps(float speed, float dt)
{
	float steps = speed * dt / PLAYER_MAX_SUBSTEP_TRAVEL;
	if (!(steps >= 0))
		return 1;
	return 1 + int(std::min(steps, float(PLAYER_MAX_SUBSTEPS - 1)));
}

bool PlayerHasMoveInput()
{
	return gAnalogSteering.x != 0 || gAnalogSteering.y != 0;
}

bool IsPlayerOnGround(const ObjNode* node)
{
	return node->StatusBits & STATUS_BIT_ONGROUND;
}

void TurnPlayerToward(ObjNode* node, float targetRot, float rate)
{
	float diff = WrapAngle(targetRot - node->Rot.y);
	node->Rot.y = WrapAngle(node->Rot.y + diff * std::min(1.0f, rate * gFrameTime));
}

void DoPlayerSteering(ObjNode* node, bool onGround)
{
	const float dt = gFrameTime;
	const float slip = gPlayerLevel.slipperiness;
	OGLVector2D in = gAnalogSteering;
	bool hasInput = PlayerHasMoveInput();
	if (hasInput)
		gPlayerLevel.timeSinceMoveInput = 0;
	float speed = std::hypot(gObjDelta.x, gObjDelta.z);

	if (gPlayerTankControls)
	{
		float turn = in.x * TANK_TURN_RATE * dt;
		node->Rot.y -= speed > 400 ? turn * 0.5f : turn;
		float push = -in.y * (onGround ? (1.1f - slip) * TANK_GROUND_ACCEL : TANK_AIR_ACCEL) * dt;
		gObjDelta.x += -std::sin(node->Rot.y) * push;
		gObjDelta.z += -std::cos(node->Rot.y) * push;
		return;
	}

	OGLVector2D d = PlayerSteeringDirection(in, gCameraLookAngle);
	float accel = onGround ? (1.1f - slip) * GROUND_ACCEL : AIR_ACCEL;
	gObjDelta.x += d.x * accel * dt;
	gObjDelta.z += d.y * accel * dt;

	if (!hasInput)
		return;
	speed = std::hypot(gObjDelta.x, gObjDelta.z);
	if (IsHitAnim(PlayerAnim(node)))
	{
		if (speed > 0)
			TurnPlayerToward(node, HeadingOfDirection(-gObjDelta.x, -gObjDelta.z), 8);
		return;
	}
	OGLVector2D inDir, velDir;
	OGLVector2D_Normalize(&d, &inDir);
	OGLVector2D vel = {gObjDelta.x, gObjDelta.z};
	OGLVector2D_Normalize(&vel, &velDir);
	if (velDir.x == 0 && velDir.y == 0)
		velDir = inDir;
	OGLVector2D facing = slip * inDir + (1 - slip) * velDir;
	if (facing.x != 0 || facing.y != 0)
		TurnPlayerToward(node, HeadingOfDirection(facing.x, facing.y), speed <= 400 ? 15.0f : 8.0f);
}

void ApplyPlayerFriction(ObjNode* node, float friction)
{
	const float dt = gFrameTime;
	gObjDelta.y -= gLevel.gravity * dt;
	if (gObjDelta.y < 0 && gObjDelta.y > -20 * dt)
		gObjDelta.y = -20 * dt;

	if (!gPlayerTankControls && PlayerHasMoveInput())
		return;
	if (gPlayerTankControls && PlayerAnim(node) <= PLAYER_ANIM_PICKUP)
		friction *= 2;

	float len = std::hypot(gObjDelta.x, gObjDelta.z);
	if (len <= 0)
		return;
	float f = friction * (1 - gPlayerLevel.slipperiness) * dt;
	float fx = std::fabs(gObjDelta.x / len) * f, fz = std::fabs(gObjDelta.z / len) * f;
	gObjDelta.x = std::fabs(gObjDelta.x) <= fx ? 0 : gObjDelta.x - std::copysign(fx, gObjDelta.x);
	gObjDelta.z = std::fabs(gObjDelta.z) <= fz ? 0 : gObjDelta.z - std::copysign(fz, gObjDelta.z);
}

void MovePlayerStep(ObjNode* node)
{
	const float dt = gFrameTime;
	float speed = std::hypot(gObjDelta.x, gObjDelta.z);
	if (!std::isfinite(speed) || speed >= 10000000.0f || !std::isfinite(gObjDelta.y))
	{
		gObjDelta = {0, 0, 0};
		speed = 0;
	}
	if (speed > gPlayerLevel.maxSpeed)
	{
		float k = gPlayerLevel.maxSpeed / speed;
		gObjDelta.x *= k;
		gObjDelta.z *= k;
		speed = gPlayerLevel.maxSpeed;
	}

	// A platform stood on carries the robot along.
	OGLVector3D platform = {0, 0, 0};
	if (node->LinkNode && node->LinkNode->CType != INVALID_NODE_FLAG && (node->StatusBits & STATUS_BIT_ONGROUND))
		platform = node->LinkNode->Delta;

	const bool wasInWater = node->StatusBits & STATUS_BIT_INWATER;
	int n = CalcPlayerSubSteps(speed, dt);
	float subDt = dt / float(n);
	for (int i = 0; i < n; i++)
	{
		gObjCoord = gObjCoord + (gObjDelta + platform) * subDt;
		CollidePlayerSubStep(node);
	}
	CollideWithFences(node);
	DoPlayerWaterEffects(node, gPlayerWaterPatch, wasInWater);

	float ground = TerrainHeightAt(gObjCoord.x, gObjCoord.z);
	gPlayerLevel.heightAboveGround = gObjCoord.y + float(node->BottomOff) - ground;

	// A robot that fell into a hole in the clouds is gone.
	if (CurrentLevelHasRule(LEVEL_RULE_TERRAIN_HOLES) && ground == TERRAIN_HEIGHT_HOLE && !gPlayerLevel.isDead
			&& gObjCoord.y + float(node->BottomOff) < TerrainHeightAtNoHoles(gObjCoord.x, gObjCoord.z) - 30)
		KillPlayer(DEATH_KIND_FELL);
}

bool DoPlayerJumpControls(ObjNode* node)
{
	if (!GetNewNeedState(NEED_JUMP))
		return false;
	int anim = PlayerAnim(node);
	if (IsPlayerOnGround(node) || gPlayerLevel.heightAboveGround < NEAR_GROUND)
	{
		// At a cannon's mouth the jump climbs in instead.
		if (ObjNode* cannon = FindCannonMouthNear(gObjCoord.x, gObjCoord.z))
		{
			ArmCannon(cannon, node);
			return true;
		}
		SetPlayerAnim(node, PLAYER_ANIM_JUMP);
		PlayPlayerEffect3D(EFFECT_JUMP, &gObjCoord);
		gObjDelta.y += PLAYER_JUMP_SPEED;
		ObjNode* platform = node->LinkNode;
		if (platform && platform->CType != INVALID_NODE_FLAG && !(platform->CType & CTYPE_DROPS_RIDER))
			gObjDelta = gObjDelta + platform->Delta;
		node->StatusBits &= ~STATUS_BIT_ONGROUND;
		return true;
	}
	if (anim == PLAYER_ANIM_JUMP || anim == PLAYER_ANIM_FALL)
	{
		if (std::fabs(gObjDelta.y) < JET_MAX_VERTICAL_SPEED)
			FirePlayerJumpJet(node);
		else if (anim == PLAYER_ANIM_JUMP)
			gPlayerLevel.jetQueued = true;
		else if (gPlayerLevel.heightAboveGround > 200)
			FirePlayerJumpJet(node);
	}
	return false;
}

void FirePlayerJumpJet(ObjNode* node)
{
	gPlayerLevel.jetQueued = false;
	if (!gPlayerLevel.canUseJumpJet)
		return;
	if (gRun.fuel <= 0)
	{
		FlashFuelGauge();
		PlayPlayerEffect(EFFECT_NOJUMPJET);
		return;
	}
	gRun.fuel -= PLAYER_JUMPJET_COST;
	if (gRun.fuel < 0.0001f)
		gRun.fuel = 0;
	gPlayerLevel.canUseJumpJet = false;
	if (gPlayerLevel.scale > 1)
		SetPlayerAnim(node, PLAYER_ANIM_GIANTJUMPJET, 0.6f);
	else
		SetPlayerAnim(node, PLAYER_ANIM_JUMPJET);
	gObjDelta.y = 0;
	PlayPlayerEffect3D(EFFECT_JUMPJET, &gObjCoord);
}

bool DoPlayerPunchControls(ObjNode* node)
{
	if (!GetNewNeedState(NEED_PUNCH))
		return false;
	node->Flag[0] = 0;

	ObjNode* pickup = FindNearest(node, CTYPE_PICKUP, PICKUP_REACH * gPlayerLevel.scale, false);
	if (pickup)
	{
		gPlayerLevel.heldObject = pickup;
		// Read now: goo lets go of its class as soon as it is taken.
		gGrabShowsMessage = pickup->CType & CTYPE_PICKUP_MESSAGE;
		PlayPlayerEffect3D(EFFECT_WEAPONWHIR, &gObjCoord);
		int kind = pickup->Kind;
		bool low = (kind >= 1 && kind <= 4) || kind == 10 || kind == 11;
		SetPlayerAnim(node, low ? PLAYER_ANIM_PICKUPLOW : (kind == 6 ? PLAYER_ANIM_CARRY : PLAYER_ANIM_PICKUP));
		return true;
	}

	SetPlayerAnim(node, PLAYER_ANIM_PUNCH);
	return true;
}

void DoPlayerPunchHit(ObjNode* node)
{
	if (!node->Skeleton)
		return;
	OGLPoint3D hand;
	OGLPoint3D zero = {0, 0, 0};
	FindCoordOnJoint(node, PLAYER_JOINT_LEFT_HAND, &zero, &hand);
	float r = PUNCH_BOX_HALF_SIZE * node->Scale.x;
	int n = FindBoxCollisions(hand.y + r, hand.y - r, hand.x - r, hand.x + r, hand.z + r, hand.z - r, PUNCH_TARGET_MASK);

	// The handlers may change the list; take the hits first.
	ObjNode* hits[MAX_COLLISIONS];
	for (int i = 0; i < n; i++)
		hits[i] = gCollisionList[i].objectPtr;
	gPlayerLevel.punchPoint = hand;
	for (int i = 0; i < n; i++)
	{
		ObjNode* target = hits[i];
		if (!target || target == node || target->CType == INVALID_NODE_FLAG)
			continue;
		WeaponHitHandler handler = target->HitByWeaponHandler[WEAPON_FIST];
		if (!handler)
			continue;
		// The hand node is the weapon and the hand's position the point of impact.
		if (handler(gPlayerHandNodes[0], target, &hand, nullptr, 0))
		{
			PlayPlayerEffect3D(EFFECT_PUNCHHIT, &hand);
			break;
		}
	}
}

void DoPlayerGrabKeyFrame(ObjNode* node)
{
	ObjNode* held = gPlayerLevel.heldObject;
	gPlayerLevel.heldObject = nullptr;
	const bool showMessage = gGrabShowsMessage;
	gGrabShowsMessage = false;
	if (!held || held->CType == INVALID_NODE_FLAG)
		return;
	if (showMessage)
		ShowHelpMessage(HELP_GOO, GRAB_MESSAGE_SECONDS, true);
	PlayPlayerEffect3D(PlayerAnim(node) == PLAYER_ANIM_PICKUPLOW ? EFFECT_WEAPONDEPOSIT : EFFECT_WEAPONCLICK, &gObjCoord);
	FinishGrab(held);
}

// Faces the target of a punch or a grab while its animation winds up.
void TurnPlayerTowardTarget(ObjNode* node)
{
	int anim = PlayerAnim(node);
	if (anim == PLAYER_ANIM_PUNCH)
	{
		ObjNode* target = FindNearest(node, 0xFFFFFFFFu, PUNCH_REACH * node->Scale.x, true);
		if (target)
			TurnPlayerToward(node, HeadingOfDirection(target->Coord.x - gObjCoord.x, target->Coord.z - gObjCoord.z), 6);
	}
	else if (gPlayerLevel.heldObject && gPlayerLevel.heldObject->CType != INVALID_NODE_FLAG)
		TurnPlayerToward(node, HeadingOfDirection(gPlayerLevel.heldObject->Coord.x - gObjCoord.x, gPlayerLevel.heldObject->Coord.z - gObjCoord.z), 9);
}
