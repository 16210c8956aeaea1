// The exit lift: a round pod that carries the robot off a level that has no
// exit saucer. It stands sealed under a sheet of ice until something cracks
// the ice four times; then, once the exit is charged, its lid rises for a
// robot that comes near, drops him in, closes, and the whole lift spins up
// and flies off with him. High enough up, the level is done.
#include "Items/Contraptions.h"
#include "Items/ItemsInternal.h"
#include "Player/Player.h"
#include "Player/PlayerVehicles.h"
#include "Effects/Shards.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float LIFT_SCALE = 2.7f;
	constexpr float LIFT_LIFT = 100.0f;				// the base stands this far above the terrain
	constexpr uint16_t LIFT_SLOT = 2980;
	constexpr float ICE_SCALE = 20.0f;
	constexpr float ICE_HEIGHT = 400.0f;			// its top, above the terrain
	constexpr float ICE_CRACK_LIFT = 3.0f;			// decals lie this far over the ice
	constexpr float LID_OPEN_ACCEL = 400.0f;		// units per second²
	constexpr float LID_SHUT_ACCEL = 300.0f;
	constexpr float LID_SHUT_WITH_ROBOT_ACCEL = 200.0f;
	constexpr float TAKE_OFF_SPIN_ACCEL = 0.5f;		// radians per second²
	constexpr float TAKE_OFF_MAX_SPIN = PI;
	constexpr float TAKE_OFF_ACCEL = 70.0f;			// units per second²
	constexpr float LANDED_ON_LID = 12.0f;			// feet this close over the lid count as landed
	constexpr float SHATTER_LIFT_SPEED = 100.0f;	// the robot on the ice is popped up as it goes
	// The sheet's solid slab: deep enough that a robot falling a frame's worth
	// onto it is caught by its top (a thinner one lets a fall skip through).
	constexpr int ICE_SOLID_DEPTH = 40;
	constexpr float ICE_STAND_CLEARANCE = 0.5f;	// a robot put on the ice stands just over it

	const OGLBoundingBox LIFT_STAND_IN = {{-80, 0, -80}, {80, 130, 80}, false};
	const OGLBoundingBox LID_STAND_IN = {{-70, 120, -70}, {70, 150, 70}, false};
	const OGLBoundingBox ICE_STAND_IN = {{-50, -1, -50}, {50, 0, 50}, false};
	const OGLBoundingBox CRACK_STAND_IN = {{-60, 0, -60}, {60, 1, 60}, false};

	struct ExitIce
	{
		int cracks;
		bool broken;
		ObjNodeRef sheet;
		ObjNodeRef decals[EXIT_ICE_STRIKES_TO_SHATTER];
		ObjNodeRef lift;
	};
	ExitIce gIce;

	ObjNode* LidOf(ObjNode* lift)
	{
		return lift->ChainNode;
	}

	// The lid sits `offset` above its rest on the base.
	void PlaceLid(ObjNode* lift)
	{
		ObjNode* lid = LidOf(lift);
		if (!lid)
			return;
		lid->Coord = lift->Coord;
		lid->Coord.y += lift->SpecialF[0];
		lid->Rot = lift->Rot;
		UpdateObjectTransforms(lid);
	}

	float LidTop(ObjNode* lift)
	{
		return lift->Coord.y + float(lift->TopOff) + lift->SpecialF[0];
	}

	void StartLid(ObjNode* lift, uint8_t mode)
	{
		lift->Mode = mode;
		lift->SpecialF[1] = 0;
		PlayItemEffect3D(EFFECT_SAUCERHATCH, &lift->Coord);
	}

	// The lid moves under its acceleration toward `target`; true once there.
	bool MoveLid(ObjNode* lift, float accel, float target)
	{
		float& offset = lift->SpecialF[0];
		float& speed = lift->SpecialF[1];
		speed += accel * gFrameTime;
		offset += (target > offset ? speed : -speed) * gFrameTime;
		bool there = target > 0 ? offset >= target : offset <= target;
		if (there)
		{
			offset = target;
			speed = 0;
		}
		return there;
	}

	float PlayerDistance(const ObjNode* lift)
	{
		return CalcQuickDistance(lift->Coord.x, lift->Coord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z);
	}

	// A robot inside the sheet's extent and below its top stands on it.
	void HoldPlayerOnIce(ObjNode* sheet)
	{
		ObjNode* robot = gPlayerNode;
		if (!robot || gPlayerLevel.isDead || robot->CType == 0)
			return;
		const CollisionBoxType& ice = sheet->CollisionBoxes[0];
		float feet = robot->Coord.y + float(robot->BottomOff);
		if (robot->Coord.x < ice.left || robot->Coord.x > ice.right || robot->Coord.z < ice.back
				|| robot->Coord.z > ice.front || feet >= ice.top)
			return;
		robot->Coord.y = ice.top + ICE_STAND_CLEARANCE - float(robot->BottomOff);
		robot->Delta.y = 0;
		robot->StatusBits |= STATUS_BIT_ONGROUND;
		UpdateObjectTransforms(robot);
		CalcObjectBoxFromNode(robot);
		// From up here the next frame's fall meets the ice's top, not its inside.
		KeepOldCollisionBoxes(robot);
	}

	void MoveExitIce(ObjNode* sheet)
	{
		HoldPlayerOnIce(sheet);
	}

	void MakeExitIce(float x, float z)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = LEVEL_MODEL_EXIT_ICE;
		def.coord = {x, BaseTerrainHeightAt(x, z) + ICE_HEIGHT, z};
		def.slot = LIFT_SLOT - 1;
		def.moveCall = MoveExitIce;
		def.scale = ICE_SCALE;
		def.flags = STATUS_BIT_DONTCULL;
		ObjNode* sheet = MakeItemModelNode(&def, ICE_STAND_IN);
		// Solid on top only: the robot stands on it and walks off its edge.
		sheet->CType = CTYPE_MISC | CTYPE_BLOCKCAMERA;
		sheet->CBits = SIDE_TOP;
		CreateCollisionBoxFromBoundingBox(sheet, 1, 1);
		sheet->BottomOff = sheet->TopOff - ICE_SOLID_DEPTH;
		CalcObjectBoxFromNode(sheet);
		KeepOldCollisionBoxes(sheet);
		gIce.sheet = ObjNodeRef(sheet);
	}

	void ShatterExitIce(ObjNode* sheet)
	{
		gIce.broken = true;
		PlayItemEffect3D(EFFECT_SHATTER, &sheet->Coord, 2.0f / 3.0f, 2);
		ExplodeGeometry(sheet, 600, SHARD_MODE_UPTHRUST | SHARD_MODE_HEAVYGRAVITY | SHARD_MODE_FROMORIGIN, 1, 0.8f);
		for (ObjNodeRef& decal : gIce.decals)
		{
			if (ObjNode* d = decal.Get())
				DeleteObject(d);
			decal.Clear();
		}
		// Whoever stood on the ice falls through it with a little hop.
		const CollisionBoxType& ice = sheet->CollisionBoxes[0];
		if (gPlayerNode && gPlayerNode->Coord.x >= ice.left && gPlayerNode->Coord.x <= ice.right
				&& gPlayerNode->Coord.z >= ice.back && gPlayerNode->Coord.z <= ice.front)
			gPlayerNode->Delta.y = SHATTER_LIFT_SPEED;
		DeleteObject(sheet);
		gIce.sheet.Clear();
	}

	void MoveExitLift(ObjNode* lift)
	{
		ObjNode* robot = gPlayerNode;
		switch (lift->Mode)
		{
			case EXIT_LIFT_LOCKED:
				if (gIce.broken)
					lift->Mode = EXIT_LIFT_SHUT;
				break;

			case EXIT_LIFT_SHUT:
				if (!robot || gPlayerLevel.isDead || PlayerDistance(lift) >= EXIT_LIFT_OPEN_RANGE)
					break;
				if (gLevel.exitCharge >= 1.0f)
					StartLid(lift, EXIT_LIFT_OPENING);
				else
					ShowHelpMessage(HELP_EXIT_NOT_CHARGED, 2, false);
				break;

			case EXIT_LIFT_OPENING:
				if (MoveLid(lift, LID_OPEN_ACCEL, EXIT_LIFT_LID_RISE))
					lift->Mode = EXIT_LIFT_OPEN;
				break;

			case EXIT_LIFT_OPEN:
				if (!robot)
					break;
				if (PlayerDistance(lift) >= EXIT_LIFT_OPEN_RANGE)
					StartLid(lift, EXIT_LIFT_CLOSING);
				else if (!gPlayerLevel.isDead && PlayerDistance(lift) < EXIT_LIFT_TAKE_RANGE)
				{
					lift->Mode = EXIT_LIFT_TAKING;
					PlayerDropIntoExitLift(lift->Coord);
				}
				break;

			case EXIT_LIFT_CLOSING:
				if (MoveLid(lift, LID_SHUT_ACCEL, 0))
					lift->Mode = EXIT_LIFT_SHUT;
				break;

			case EXIT_LIFT_TAKING:
			{
				if (!robot)
					break;
				// Drawn toward the middle as he falls, until he is down on the lid.
				robot->Delta.x = 2 * (lift->Coord.x - robot->Coord.x);
				robot->Delta.z = 2 * (lift->Coord.z - robot->Coord.z);
				float feet = robot->Coord.y + float(robot->BottomOff);
				bool down = (robot->StatusBits & STATUS_BIT_ONGROUND) || feet <= LidTop(lift) + LANDED_ON_LID;
				if (down && robot->Delta.y <= 0)
				{
					StartLid(lift, EXIT_LIFT_CLOSING_WITH_ROBOT);
					PlayerRideExitLift({lift->Coord.x, LidTop(lift), lift->Coord.z});
				}
				break;
			}

			case EXIT_LIFT_CLOSING_WITH_ROBOT:
				if (MoveLid(lift, LID_SHUT_WITH_ROBOT_ACCEL, 0))
				{
					lift->Mode = EXIT_LIFT_TAKING_OFF;
					lift->EffectChannel = PlayItemEffect3D(EFFECT_SAUCER, &lift->Coord);
				}
				PlayerRideExitLift({lift->Coord.x, LidTop(lift), lift->Coord.z});
				break;

			case EXIT_LIFT_TAKING_OFF:
			{
				float& spin = lift->SpecialF[2];
				float& rise = lift->SpecialF[3];
				spin = std::min(TAKE_OFF_MAX_SPIN, spin + TAKE_OFF_SPIN_ACCEL * gFrameTime);
				rise += TAKE_OFF_ACCEL * gFrameTime;
				lift->Rot.y = std::fmod(lift->Rot.y + spin * gFrameTime, PI2);
				lift->Coord.y += rise * gFrameTime;
				lift->Delta = {0, rise, 0};
				if (lift->EffectChannel >= 0)
					Update3DSoundChannel(EFFECT_SAUCER, &lift->EffectChannel, &lift->Coord);
				PlayerRideExitLift({lift->Coord.x, LidTop(lift), lift->Coord.z});
				if (lift->Coord.y - BaseTerrainHeightAt(lift->Coord.x, lift->Coord.z) >= EXIT_LIFT_DONE_HEIGHT && !gLevel.done)
				{
					gLevel.done = true;
					gLevel.doneTimer = 0;
				}
				break;
			}
		}
		UpdateObjectTransforms(lift);
		CalcObjectBoxFromNode(lift);
		PlaceLid(lift);
	}
}

void InitExitLift()
{
	gIce = {};
}

void StartWithExitIceBroken()
{
	gIce.broken = true;
	gIce.cracks = EXIT_ICE_STRIKES_TO_SHATTER;
	if (ObjNode* sheet = gIce.sheet.Get())
		DeleteObject(sheet);
	gIce.sheet.Clear();
}

int GetExitIceCracks()
{
	return gIce.cracks;
}

bool GetExitIceExtent(float* left, float* right, float* back, float* front)
{
	ObjNode* sheet = gIce.sheet.Get();
	if (gIce.broken || !sheet)
		return false;
	const CollisionBoxType& ice = sheet->CollisionBoxes[0];
	*left = ice.left;
	*right = ice.right;
	*back = ice.back;
	*front = ice.front;
	return true;
}

bool IsExitIceBroken()
{
	return gIce.broken;
}

ObjNode* GetExitLiftNode()
{
	return gIce.lift.Get();
}

bool AddExitLift(TerrainItemEntryType* item, float x, float z)
{
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_EXIT_LIFT;
	def.coord = {x, BaseTerrainHeightAt(x, z) + LIFT_LIFT, z};
	def.slot = LIFT_SLOT;
	def.moveCall = MoveExitLift;
	def.scale = LIFT_SCALE;
	// The level's only way out stays, in range or not.
	def.flags = STATUS_BIT_DONTCULL;
	ObjNode* lift = MakeItemModelNode(&def, LIFT_STAND_IN);
	lift->TerrainItemPtr = item;
	lift->CType = CTYPE_BLOCKCAMERA | CTYPE_SHADOWTOP | CTYPE_MISC;
	lift->CBits = SIDE_ALL;
	lift->EffectChannel = -1;
	CreateCollisionBoxFromBoundingBox(lift, 0.45f, 1);
	lift->Mode = gIce.broken ? EXIT_LIFT_SHUT : EXIT_LIFT_LOCKED;

	def.type = LEVEL_MODEL_EXIT_LIFT_LID;
	def.moveCall = nullptr;
	def.chainTail = lift;
	MakeItemModelNode(&def, LID_STAND_IN);

	gIce.lift = ObjNodeRef(lift);
	if (!gIce.broken && !gIce.sheet.IsAlive())
		MakeExitIce(x, z);
	return true;
}

bool CrackExitIce(float x, float z)
{
	ObjNode* sheet = gIce.sheet.Get();
	if (gIce.broken || !sheet)
		return false;
	const CollisionBoxType& ice = sheet->CollisionBoxes[0];
	if (x < ice.left || x > ice.right || z < ice.back || z > ice.front)
		return false;

	gIce.cracks++;
	PlayItemEffect3D(EFFECT_ICECRACK, &sheet->Coord, 1, 2);
	if (gIce.cracks >= EXIT_ICE_STRIKES_TO_SHATTER)
	{
		ShatterExitIce(sheet);
		return true;
	}

	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_ICE_CRACK;
	def.coord = {x, ice.top + ICE_CRACK_LIFT, z};
	def.slot = LIFT_SLOT + 1;
	def.rot = RandomFloat() * PI2;
	def.scale = RandomFloatRange(3, 4);
	def.flags = STATUS_BIT_DONTCULL;
	gIce.decals[gIce.cracks - 1] = ObjNodeRef(MakeItemModelNode(&def, CRACK_STAND_IN));
	return true;
}
