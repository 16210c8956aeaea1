// The saucers that bring the robot into a level and take it away: the
// landing saucer lowers itself from the sky, opens its hatch, lets the robot
// walk out and leaves; the exit saucer waits at the level's exit item until
// the exit is charged, opens for a robot that comes close and carries it off.
#include "Player/PlayerInternal.h"
#include "Enemies/BrainBoss.h"
#include "Screens/Infobar.h"
#include "3D/BG3D.h"
#include "3D/Skeleton.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr uint16_t SAUCER_SLOT = 190;			// moves before the robot it carries
	constexpr float LANDING_SAUCER_SCALE = 0.8f;
	constexpr float EXIT_SAUCER_SCALE = 1.0f;
	constexpr float START_HEIGHT = 6000.0f;
	constexpr float LEAVE_HEIGHT = 9000.0f;
	constexpr float MAX_DESCENT = 3000.0f;
	constexpr float DOOR_SPEED = 1.9f;
	constexpr float DOOR_OPEN = 2.5f;
	constexpr float WALK_SPEED = 250.0f;
	constexpr float WALK_TIME = 2.5f;
	constexpr float WALK_DROP_DISTANCE = 170.0f;
	constexpr float WALK_DROP_SPEED = 380.0f;
	constexpr float FLUFF_SPEEDUP = 10.0f;			// how much faster everything goes with the fluff skipped
	constexpr float EXIT_OPEN_DISTANCE = 900.0f;
	constexpr float EXIT_CLOSE_DISTANCE = 1200.0f;
	constexpr float NOT_CHARGED_HELP_SECONDS = 2.0f;		// kept up while the robot waits by a shut saucer
	constexpr float EXIT_WALK_IN_POINT = 320.0f;
	// The beam area in front of the exit saucer, in its own frame (x sideways, f forward).
	constexpr float BEAM_HALF_WIDTH = 160.0f;
	constexpr float BEAM_NEAR = 120.0f;
	constexpr float BEAM_FAR = 650.0f;

	enum : uint8_t
	{
		SAUCER_DESCENDING = 0,
		SAUCER_OPENING = 1,
		SAUCER_ROBOT_WALKS_OUT = 2,
		SAUCER_CLOSING = 3,
		SAUCER_RISING = 4,
		SAUCER_WAITING = 5,
		SAUCER_OPEN = 6,
		SAUCER_ROBOT_WALKS_IN = 7,
		SAUCER_BEAMED_ROBOT_UP = 8,		// nothing more to do: the level is ending
	};

	struct SaucerState
	{
		ObjNodeRef saucer;			// the one carrying the robot, if any
		bool carrying = false;
		bool exitTaken = false;		// the exit saucer has the robot aboard
	} gSaucers;

	// The level's exit saucer while it lives: the saucer level's drop zone.
	ObjNodeRef gExitSaucer;

	// The exit saucer's beam area, for the collision debug view and tests.
	OGLPoint2D gExitBeamArea[4] = {};

	bool HaveSaucerModels()
	{
		return BG3D_GetNumModels(MODEL_GROUP_GLOBAL) >= NUM_GLOBAL_MODELS;
	}

	bool IsExitSaucer(const ObjNode* saucer)
	{
		return saucer->Kind == 1;
	}

	float& DoorAngle(ObjNode* saucer)
	{
		return saucer->SpecialF[0];
	}

	float& Timer(ObjNode* saucer)
	{
		return saucer->SpecialF[1];
	}

	float& Ground(ObjNode* saucer)
	{
		return saucer->SpecialF[2];
	}

	float Speedup()
	{
		return gSkipFluff ? FLUFF_SPEEDUP : 1.0f;
	}

	OGLVector2D Heading(const ObjNode* node)
	{
		return {-std::sin(node->Rot.y), -std::cos(node->Rot.y)};
	}

	// The hatch hangs on its hinge; its angle lowers it into a ramp.
	void UpdateHatch(ObjNode* saucer)
	{
		ObjNode* hatch = saucer->ChainNode;
		if (!hatch)
			return;
		OGLMatrix4x4 m, t;
		OGLMatrix4x4_SetRotate_X(&m, DoorAngle(saucer));
		OGLMatrix4x4_SetTranslate(&t, EXIT_SAUCER_HATCH_HINGE_X, EXIT_SAUCER_HATCH_HINGE_Y, EXIT_SAUCER_HATCH_HINGE_Z);
		OGLMatrix4x4_Multiply(&m, &t, &m);
		OGLMatrix4x4_Multiply(&m, &saucer->BaseTransformMatrix, &hatch->BaseTransformMatrix);
		hatch->Coord = saucer->Coord;
		SyncBaseTransformObject(hatch);
	}

	void PlaceSaucer(ObjNode* saucer)
	{
		UpdateObjectTransforms(saucer);
		CalcObjectBoxFromNode(saucer);
		UpdateHatch(saucer);
	}

	// The robot rides inside, standing on the saucer's floor.
	void CarryRobot(ObjNode* saucer, ObjNode* robot)
	{
		robot->Coord = saucer->Coord;
		robot->Coord.y += EXIT_SAUCER_FLOOR_Y * saucer->Scale.y - float(robot->BottomOff);
		robot->Delta = {0, 0, 0};
		robot->Rot.y = saucer->Rot.y;
		UpdateObjectTransforms(robot);
		CalcObjectBoxFromNode(robot);
		gPlayerLevel.coord = robot->Coord;
		UpdatePlayerHands(robot);
	}

	void HideRobot(ObjNode* robot, bool hide)
	{
		if (hide)
			robot->StatusBits |= STATUS_BIT_HIDDEN;
		else
			robot->StatusBits &= ~STATUS_BIT_HIDDEN;
		ShowPlayerHands(!hide);
	}

	void ComputeBeamArea(const ObjNode* saucer)
	{
		OGLVector2D f = Heading(saucer), side = {-f.y, f.x};
		const float corners[4][2] = {{-BEAM_HALF_WIDTH, BEAM_NEAR}, {BEAM_HALF_WIDTH, BEAM_NEAR},
									 {BEAM_HALF_WIDTH, BEAM_FAR}, {-BEAM_HALF_WIDTH, BEAM_FAR}};
		for (int i = 0; i < 4; i++)
			gExitBeamArea[i] = {saucer->Coord.x + side.x * corners[i][0] + f.x * corners[i][1],
								saucer->Coord.z + side.y * corners[i][0] + f.y * corners[i][1]};
	}

	bool IsInBeamArea(float x, float z)
	{
		const OGLPoint2D* a = gExitBeamArea;
		return IsPointInTriangle(x, z, a[0].x, a[0].y, a[1].x, a[1].y, a[2].x, a[2].y)
			|| IsPointInTriangle(x, z, a[0].x, a[0].y, a[2].x, a[2].y, a[3].x, a[3].y);
	}

	//
	// States
	//

	void Descend(ObjNode* saucer, ObjNode* robot)
	{
		float above = saucer->Coord.y - Ground(saucer);
		float speed = std::min(0.9f * above + 100.0f, MAX_DESCENT) * Speedup();
		saucer->Coord.y -= speed * gFrameTime;
		if (saucer->Coord.y <= Ground(saucer))
		{
			saucer->Coord.y = Ground(saucer);
			StopAChannel(&saucer->EffectChannel);
			PlayPlayerEffect3D(EFFECT_LANDED, &saucer->Coord);
			saucer->Mode = SAUCER_OPENING;
		}
		if (robot)
			CarryRobot(saucer, robot);
	}

	void Open(ObjNode* saucer, ObjNode* robot)
	{
		DoorAngle(saucer) += DOOR_SPEED * gFrameTime;
		if (gSkipFluff || DoorAngle(saucer) >= DOOR_OPEN)
		{
			DoorAngle(saucer) = DOOR_OPEN;
			if (IsExitSaucer(saucer))
			{
				ComputeBeamArea(saucer);
				saucer->Mode = SAUCER_OPEN;
			}
			else
			{
				saucer->Mode = SAUCER_ROBOT_WALKS_OUT;
				Timer(saucer) = WALK_TIME / Speedup();
				if (robot)
				{
					HideRobot(robot, false);
					SetPlayerAnim(robot, PLAYER_ANIM_WALK);
				}
			}
		}
		else if (robot && gSaucers.carrying)
			CarryRobot(saucer, robot);
	}

	void RobotWalksOut(ObjNode* saucer, ObjNode* robot)
	{
		Timer(saucer) -= gFrameTime;
		if (robot)
		{
			OGLVector2D f = Heading(saucer);
			float step = WALK_SPEED * Speedup() * gFrameTime;
			robot->Coord.x += f.x * step;
			robot->Coord.z += f.y * step;
			float out = CalcDistance(robot->Coord.x, robot->Coord.z, saucer->Coord.x, saucer->Coord.z);
			float ground = TerrainHeightAt(robot->Coord.x, robot->Coord.z) - float(robot->BottomOff);
			if (out > WALK_DROP_DISTANCE * saucer->Scale.x)
				robot->Coord.y -= WALK_DROP_SPEED * Speedup() * gFrameTime;
			robot->Coord.y = std::max(robot->Coord.y, ground);
			robot->Skeleton->AnimSpeed = 1;
			UpdateObjectTransforms(robot);
			CalcObjectBoxFromNode(robot);
			gPlayerLevel.coord = robot->Coord;
			UpdatePlayerHands(robot);
		}
		if (Timer(saucer) > 0)
			return;

		// The robot is on its own now.
		gSaucers.carrying = false;
		gSaucers.saucer.Clear();
		if (robot)
		{
			robot->CType = CTYPE_PLAYER;
			robot->Delta = {0, 0, 0};
			robot->OldCoord = robot->Coord;
			KeepOldCollisionBoxes(robot);
			SetPlayerAnim(robot, PLAYER_ANIM_STAND);
			gPlayerLevel.checkpointX = robot->Coord.x;
			gPlayerLevel.checkpointZ = robot->Coord.z;
			gPlayerLevel.checkpointRot = robot->Rot.y;
		}
		PlayPlayerEffect3D(EFFECT_HATCH, &saucer->Coord);
		saucer->Mode = SAUCER_CLOSING;
	}

	void Close(ObjNode* saucer, ObjNode* robot)
	{
		DoorAngle(saucer) -= DOOR_SPEED * Speedup() * gFrameTime;
		if (DoorAngle(saucer) > 0)
			return;
		DoorAngle(saucer) = 0;
		if (IsExitSaucer(saucer) && !gSaucers.exitTaken)
			saucer->Mode = SAUCER_WAITING;
		else
		{
			saucer->Mode = SAUCER_RISING;
			PlayPlayerEffect3D(EFFECT_SAUCER, &saucer->Coord);
		}
		(void)robot;
	}

	void Rise(ObjNode* saucer, ObjNode* robot)
	{
		float above = saucer->Coord.y - Ground(saucer);
		float speed = gSkipFluff ? 7500.0f : 0.9f * above + 100.0f;
		saucer->Coord.y += speed * gFrameTime;
		if (robot && gSaucers.carrying)
			CarryRobot(saucer, robot);
		if (saucer->Coord.y - Ground(saucer) < LEAVE_HEIGHT)
			return;
		if (IsExitSaucer(saucer))
		{
			if (!gLevel.done)
			{
				gLevel.done = true;
				gLevel.doneTimer = 0;
			}
			return;
		}
		DeleteObject(saucer);
	}

	void Wait(ObjNode* saucer, ObjNode* robot)
	{
		if (IsNodeOutOfRange(saucer) && !CurrentLevelHasRule(LEVEL_RULE_EXIT_SAUCER_STAYS))
		{
			DeleteObject(saucer);
			return;
		}
		if (!robot || gPlayerLevel.isDead)
			return;
		float d = CalcQuickDistance(robot->Coord.x, robot->Coord.z, saucer->Coord.x, saucer->Coord.z);
		if (d >= EXIT_OPEN_DISTANCE)
			return;
		if (IsExitCharged())
		{
			PlayPlayerEffect3D(EFFECT_HATCH, &saucer->Coord);
			saucer->Mode = SAUCER_OPENING;
		}
		// Short of charge the infobar says so (a boss still alive keeps it shut without a word).
		else if (!CurrentLevelHasRule(LEVEL_RULE_EXIT_ALWAYS_OPEN) && gLevel.exitCharge < 1.0f)
			ShowHelpMessage(HELP_EXIT_NOT_CHARGED, NOT_CHARGED_HELP_SECONDS, false);
	}

	void WaitOpen(ObjNode* saucer, ObjNode* robot)
	{
		if (!robot || gPlayerLevel.isDead)
			return;
		float d = CalcQuickDistance(robot->Coord.x, robot->Coord.z, saucer->Coord.x, saucer->Coord.z);
		if (d > EXIT_CLOSE_DISTANCE)
		{
			saucer->Mode = SAUCER_CLOSING;
			return;
		}
		if (!IsPlayerOnGround(robot) || !IsInBeamArea(robot->Coord.x, robot->Coord.z))
			return;

		gSaucers.exitTaken = true;
		gSaucers.saucer = ObjNodeRef(saucer);
		if (CurrentLevelHasRule(LEVEL_RULE_EXIT_BEAMS_UP))
		{
			SetPlayerAnim(robot, PLAYER_ANIM_BEAMEDUP);
			robot->CType = 0;
			gLevel.done = true;
			gLevel.doneTimer = 4;
			saucer->Mode = SAUCER_BEAMED_ROBOT_UP;
			return;
		}
		gSaucers.carrying = true;
		robot->CType = 0;
		robot->Delta = {0, 0, 0};
		SetPlayerAnim(robot, PLAYER_ANIM_WALK, 2);
		saucer->Mode = SAUCER_ROBOT_WALKS_IN;
	}

	void RobotWalksIn(ObjNode* saucer, ObjNode* robot)
	{
		if (!robot)
		{
			saucer->Mode = SAUCER_CLOSING;
			return;
		}
		OGLVector2D f = Heading(saucer);
		float tx = saucer->Coord.x + f.x * EXIT_WALK_IN_POINT, tz = saucer->Coord.z + f.y * EXIT_WALK_IN_POINT;
		float dx = tx - robot->Coord.x, dz = tz - robot->Coord.z;
		float d = std::hypot(dx, dz), step = WALK_SPEED * gFrameTime;
		if (d <= step)
		{
			robot->Coord.x = tx;
			robot->Coord.z = tz;
			HideRobot(robot, true);
			saucer->Mode = SAUCER_CLOSING;
		}
		else
		{
			robot->Coord.x += dx / d * step;
			robot->Coord.z += dz / d * step;
			robot->Rot.y = std::atan2(-dx, -dz);
		}
		robot->Coord.y = TerrainHeightAt(robot->Coord.x, robot->Coord.z) - float(robot->BottomOff);
		UpdateObjectTransforms(robot);
		gPlayerLevel.coord = robot->Coord;
		UpdatePlayerHands(robot);
	}

	void MoveSaucer(ObjNode* saucer)
	{
		ObjNode* robot = gPlayerNode;
		if (robot && !robot->Skeleton)
			robot = nullptr;
		switch (saucer->Mode)
		{
			case SAUCER_DESCENDING: Descend(saucer, robot); break;
			case SAUCER_OPENING: Open(saucer, robot); break;
			case SAUCER_ROBOT_WALKS_OUT: RobotWalksOut(saucer, robot); break;
			case SAUCER_CLOSING: Close(saucer, robot); break;
			case SAUCER_RISING: Rise(saucer, robot); break;
			case SAUCER_WAITING: Wait(saucer, robot); break;
			case SAUCER_OPEN: WaitOpen(saucer, robot); break;
			case SAUCER_ROBOT_WALKS_IN: RobotWalksIn(saucer, robot); break;
			default: break;
		}
		if (saucer->CType == INVALID_NODE_FLAG)
			return;
		if (saucer->EffectChannel >= 0)
			Update3DSoundChannel(EFFECT_SAUCER, &saucer->EffectChannel, &saucer->Coord);
		PlaceSaucer(saucer);
	}

	ObjNode* MakeSaucer(float x, float y, float z, float rot, float scale, uint8_t kind)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_GLOBAL;
		def.type = GLOBAL_MODEL_EXIT_SAUCER;
		def.coord = {x, y, z};
		def.slot = SAUCER_SLOT;
		def.moveCall = MoveSaucer;
		def.rot = rot;
		def.scale = scale;
		ObjNode* saucer;
		if (HaveSaucerModels())
		{
			saucer = MakeNewDisplayGroupObject(&def);
			CreateCollisionBoxFromBoundingBox(saucer, 1, 1);

			ObjectDef hatchDef = def;
			hatchDef.type = GLOBAL_MODEL_EXIT_SAUCER_HATCH;
			hatchDef.moveCall = nullptr;
			hatchDef.slot = SAUCER_SLOT + 1;
			hatchDef.chainTail = saucer;
			ObjNode* hatch = MakeNewDisplayGroupObject(&hatchDef);
			hatch->CType = 0;
		}
		else
		{
			// Without its models (a world loaded without drawing) the saucer is just its box.
			def.genre = NODRAW_GENRE;
			saucer = MakeNewObject(&def);
			SetObjectCollisionBounds(saucer, int16_t(200 * scale), 0, int16_t(-380 * scale), int16_t(380 * scale),
					int16_t(380 * scale), int16_t(-380 * scale));
			CalcObjectBoxFromNode(saucer);
			KeepOldCollisionBoxes(saucer);
		}
		saucer->CType = CTYPE_MISC | CTYPE_BLOCKCAMERA;
		saucer->CBits = SIDE_ALL;
		saucer->Kind = kind;
		saucer->EffectChannel = -1;
		DoorAngle(saucer) = 0;
		PlaceSaucer(saucer);
		return saucer;
	}
}

bool AddExitSaucer(TerrainItemEntryType* item, float x, float z)
{
	float ground = HighestSurfaceAt(x, z, CTYPE_TERRAIN);
	float rot = float(item->parm[0]) * (PI / 4);
	ObjNode* saucer = MakeSaucer(x, ground, z, rot, EXIT_SAUCER_SCALE, 1);
	saucer->TerrainItemPtr = item;
	gExitSaucer = ObjNodeRef(saucer);
	Ground(saucer) = ground;
	saucer->Mode = SAUCER_WAITING;
	return true;
}


void MakeLandingSaucer()
{
	float x = gPlayerStartX, z = gPlayerStartZ;
	float ground = HighestSurfaceAt(x, z, CTYPE_MISC | CTYPE_TERRAIN);
	float rot = gPlayerStartRot + PI;

	ObjNode* saucer = MakeSaucer(x, ground + START_HEIGHT, z, rot, LANDING_SAUCER_SCALE, 0);
	Ground(saucer) = ground;
	saucer->Mode = SAUCER_DESCENDING;
	saucer->EffectChannel = PlayPlayerEffect3D(EFFECT_SAUCER, &saucer->Coord);

	ObjNode* robot = MakePlayerRobot(x, z, rot);
	robot->CType = 0;
	HideRobot(robot, true);
	gSaucers.carrying = true;
	gSaucers.exitTaken = false;
	gSaucers.saucer = ObjNodeRef(saucer);
	CarryRobot(saucer, robot);
}

void ResetPlayerSaucers()
{
	gSaucers = {};
}

bool IsExitCharged()
{
	if (CurrentLevelHasRule(LEVEL_RULE_EXIT_AFTER_BOSS) && !IsLevelBossDead())
		return false;
	if (CurrentLevelHasRule(LEVEL_RULE_EXIT_ALWAYS_OPEN))
		return true;
	return gLevel.exitCharge >= 1.0f;
}

bool IsPlayerInSaucer()
{
	return gSaucers.carrying;
}

void ClearExitBeamArea()
{
	for (OGLPoint2D& p : gExitBeamArea)
		p = {0, 0};
}

const OGLPoint2D* GetExitBeamArea()
{
	return gExitBeamArea;
}

ObjNode* GetExitSaucerNode()
{
	return gExitSaucer.Get();
}
