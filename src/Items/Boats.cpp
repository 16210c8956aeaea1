// Boats: small motor boats that wait on a water loop until the robot takes
// hold of a tow handle carrying their number. Then the boat runs once round
// its loop, speeding up to its top speed, and pulls him along behind it on
// the handle's line; at the end of the lap (or once he is back in play after
// dying while it ran) it is put back where it started, engine off. The robot's
// side of the tow is his carrying state (PlayerVehicles.cpp); the line's pull
// is TowPullVelocity here.
#include "Items/Contraptions.h"
#include "Items/ItemsInternal.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "Effects/Particles.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/Terrain.h"
#include "Terrain/Water.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
	constexpr uint16_t BOAT_SLOT = 100;
	constexpr float PROPELLER_BEHIND = 26.0f;		// model units from the hull's origin to the propeller's hub
	constexpr float PROPELLER_DOWN = 4.0f;			// model units below the origin
	constexpr float WAKE_INTERVAL = 0.06f;			// seconds between puffs of stirred water
	constexpr float HANDLE_SPIN_OFF = 0.0f;

	// Node use of a boat: Special[0] its number, SpecialF[0] speed (points
	// per second), SpecialF[1] its starting placement, SpecialF[2] the part of
	// the lap run, SpecialF[3] the wake timer, SpecialF[4] the propeller's
	// angle; Flag[1] the robot died while it ran.
	constexpr int BOAT_NUMBER = 0;
	constexpr int BOAT_SPEED = 0, BOAT_START = 1, BOAT_LAP = 2, BOAT_WAKE = 3, BOAT_PROP_ANGLE = 4;
	constexpr int BOAT_ROBOT_DIED = 1;

	const OGLBoundingBox HULL_STAND_IN = {{-30, -10, -50}, {30, 20, 50}, false};
	const OGLBoundingBox PROPELLER_STAND_IN = {{-8, -8, -2}, {8, 8, 2}, false};

	ObjNodeRef gBoats[MAX_BOATS];
	ObjNodeRef gHeldHandle;
	ObjNodeRef gTowingBoat;

	float SurfaceUnder(float x, float z)
	{
		float y;
		if (GetWaterY(x, z, &y))
			return y;
		return TerrainHeightAtNoHoles(x, z);
	}

	// The propeller sits behind the hull on its centre line and spins about it.
	void PlacePropeller(ObjNode* boat)
	{
		ObjNode* prop = boat->ChainNode;
		if (!prop)
			return;
		const float h = boat->Rot.y;
		const float behind = PROPELLER_BEHIND * BOAT_SCALE;
		prop->Coord = {boat->Coord.x + std::sin(h) * behind, boat->Coord.y - PROPELLER_DOWN * BOAT_SCALE,
				boat->Coord.z + std::cos(h) * behind};
		prop->Rot = {0, h, boat->SpecialF[BOAT_PROP_ANGLE]};
		UpdateObjectTransforms(prop);
	}

	void ResetBoat(ObjNode* boat)
	{
		boat->Mode = BOAT_WAITING;
		boat->SplinePlacement = boat->SpecialF[BOAT_START];
		boat->SpecialF[BOAT_SPEED] = 0;
		boat->SpecialF[BOAT_LAP] = 0;
		boat->Flag[BOAT_ROBOT_DIED] = 0;
		StopAChannel(&boat->EffectChannel);
		if (gTowingBoat.Get() == boat)
			gTowingBoat.Clear();
		SetSplineObjectCoord(boat);
		boat->Delta = {0, 0, 0};
		FaceNextSplinePoint(boat);
	}

	void StirWater(ObjNode* boat)
	{
		boat->SpecialF[BOAT_WAKE] -= gFrameTime;
		if (boat->SpecialF[BOAT_WAKE] > 0)
			return;
		boat->SpecialF[BOAT_WAKE] = WAKE_INTERVAL;
		const float h = boat->Rot.y, behind = PROPELLER_BEHIND * BOAT_SCALE;
		float x = boat->Coord.x + std::sin(h) * behind, z = boat->Coord.z + std::cos(h) * behind;
		MakeRadialPuff(x, SurfaceUnder(x, z), z, 160, 14, PARTICLE_SPRITE_DROPLET, 4);
	}

	void MoveBoat(ObjNode* boat)
	{
		const float dt = gFrameTime;
		const bool active = IsSplineObjectOnActiveTerrain(boat);

		if (boat->Mode == BOAT_RUNNING)
		{
			// The robot died while it ran: once he is back in play it starts over.
			if (gPlayerLevel.isDead)
				boat->Flag[BOAT_ROBOT_DIED] = 1;
			else if (boat->Flag[BOAT_ROBOT_DIED])
			{
				ResetBoat(boat);
				return;
			}
			float& speed = boat->SpecialF[BOAT_SPEED];
			speed = std::min(BOAT_TOP_SPEED, speed + BOAT_ACCELERATION * dt);
			const int numPoints = gSplineList[boat->SplineNum].numPoints;
			IncreaseSplineIndex(boat, speed);
			boat->SpecialF[BOAT_LAP] += speed * dt / float(std::max(1, numPoints));
			if (boat->SpecialF[BOAT_LAP] >= 1)
			{
				ResetBoat(boat);
				return;
			}
			SetSplineObjectCoord(boat);
			FaceNextSplinePoint(boat);
			boat->SpecialF[BOAT_PROP_ANGLE] += BOAT_PROPELLER_SPIN * dt;
			if (boat->EffectChannel >= 0)
				Update3DSoundChannel(EFFECT_BOAT, &boat->EffectChannel, &boat->Coord);
			else
				boat->EffectChannel = PlayItemEffect3D(EFFECT_BOAT, &boat->Coord);
			if (active)
				StirWater(boat);
		}
		else
			boat->Delta = {0, 0, 0};

		boat->Coord.y = SurfaceUnder(boat->Coord.x, boat->Coord.z) + BOAT_WATER_LIFT;
		boat->Delta.y = 0;
		if (!active)
			return;
		UpdateObjectTransforms(boat);
		PlacePropeller(boat);
	}

	// The handle rides between the robot's hands while he holds it; it goes
	// when he no longer carries it.
	void MoveHeldTowHandle(ObjNode* handle)
	{
		ObjNode* robot = gPlayerNode;
		if (!robot || !robot->Skeleton || robot->Skeleton->AnimNum != PLAYER_ANIM_CARRY || gHeldHandle.Get() != handle)
		{
			if (gHeldHandle.Get() == handle)
				gHeldHandle.Clear();
			DeleteObject(handle);
			return;
		}
		ObjNode* left = gPlayerHandNodes[0];
		ObjNode* right = gPlayerHandNodes[1];
		if (left && right)
			handle->Coord = {(left->Coord.x + right->Coord.x) * 0.5f, (left->Coord.y + right->Coord.y) * 0.5f,
					(left->Coord.z + right->Coord.z) * 0.5f};
		else
			handle->Coord = robot->Coord;
		handle->Rot = {0, robot->Rot.y, HANDLE_SPIN_OFF};
		UpdateObjectTransforms(handle);
	}
}

void InitBoats()
{
	for (ObjNodeRef& b : gBoats)
		b.Clear();
	gHeldHandle.Clear();
	gTowingBoat.Clear();
}

bool PrimeMagnetMonster(int splineNum, SplineItemType* item)
{
	const int number = item->parm[0];
	if (number >= MAX_BOATS)
	{
		std::fprintf(stderr, "Boat (spline item 35) on spline %d: boat number %d is past the last boat (%d); no boat\n",
				splineNum, number, MAX_BOATS - 1);
		return false;
	}
	if (gBoats[number].IsAlive())
	{
		std::fprintf(stderr, "Boat (spline item 35) on spline %d: boat number %d is on the water already; no boat\n",
				splineNum, number);
		return false;
	}

	float x, z;
	GetCoordOnSpline(&gSplineList[splineNum], item->placement, &x, &z);
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_BOAT_HULL;
	def.coord = {x, SurfaceUnder(x, z) + BOAT_WATER_LIFT, z};
	def.slot = BOAT_SLOT;
	def.scale = BOAT_SCALE;
	ObjNode* boat = MakeItemModelNode(&def, HULL_STAND_IN);
	// The hull is not solid: the robot on the line rides just behind it.
	boat->CType = 0;
	boat->Special[BOAT_NUMBER] = number;
	boat->SpecialF[BOAT_START] = item->placement;
	boat->EffectChannel = -1;
	boat->Mode = BOAT_WAITING;

	def.type = LEVEL_MODEL_BOAT_PROPELLER;
	def.chainTail = boat;
	MakeItemModelNode(&def, PROPELLER_STAND_IN);

	StartSplineRider(boat, splineNum, item, MoveBoat, true);
	gBoats[number] = ObjNodeRef(boat);
	return true;
}

ObjNode* GetBoat(int boatNum)
{
	if (boatNum < 0 || boatNum >= MAX_BOATS)
		return nullptr;
	return gBoats[boatNum].Get();
}

bool StartBoat(int boatNum)
{
	ObjNode* boat = GetBoat(boatNum);
	if (!boat)
	{
		std::fprintf(stderr, "Tow handle (power-up 6) for boat %d: there is no such boat on this level; ignored\n",
				boatNum);
		return false;
	}
	if (boat->Mode != BOAT_RUNNING)
	{
		boat->Mode = BOAT_RUNNING;
		boat->SpecialF[BOAT_SPEED] = 0;
		boat->SpecialF[BOAT_LAP] = 0;
		boat->Flag[BOAT_ROBOT_DIED] = 0;
	}
	return true;
}

bool GrabTowHandle(ObjNode* handle)
{
	const int boatNum = handle->Special[0];
	if (!StartBoat(boatNum))
		return false;
	gTowingBoat = ObjNodeRef(GetBoat(boatNum));
	gHeldHandle = ObjNodeRef(handle);
	handle->CType = 0;
	handle->MoveCall = MoveHeldTowHandle;
	handle->TerrainItemPtr = nullptr;		// gone from the map for good
	if (handle->ShadowNode)
		handle->ShadowNode->StatusBits |= STATUS_BIT_HIDDEN;
	return true;
}

ObjNode* GetHeldTowHandle()
{
	return gHeldHandle.Get();
}

ObjNode* GetTowingBoat()
{
	ObjNode* boat = gTowingBoat.Get();
	return boat && boat->Mode == BOAT_RUNNING ? boat : nullptr;
}

void DropTowHandle()
{
	if (ObjNode* handle = gHeldHandle.Get())
		DeleteObject(handle);
	gHeldHandle.Clear();
	gTowingBoat.Clear();
}

OGLVector2D TowPullVelocity(OGLPoint2D boat, OGLPoint2D robot, float steer)
{
	float dx = robot.x - boat.x, dz = robot.y - boat.y;
	float dist = std::hypot(dx, dz);
	OGLVector2D u = dist > 0.001f ? OGLVector2D{dx / dist, dz / dist} : OGLVector2D{0, 1};
	// Steering swings the robot out to either side of the boat's track.
	const float a = 0.5f * steer, c = std::cos(a), s = std::sin(a);
	u = {u.x * c - u.y * s, u.x * s + u.y * c};
	// His distance from the point on the line; inside it (nearer the boat
	// than the line is long) it pushes him back out.
	OGLPoint2D p = {boat.x + u.x * TOW_LINE_LENGTH, boat.y + u.y * TOW_LINE_LENGTH};
	float d = std::min(TOW_MAX_OFFSET, std::hypot(robot.x - p.x, robot.y - p.y));
	if ((robot.x - p.x) * u.x + (robot.y - p.y) * u.y < 0)
		d = -d;
	return {-u.x * TOW_PULL * d, -u.y * TOW_PULL * d};
}
