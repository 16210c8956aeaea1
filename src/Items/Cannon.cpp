// The cannon: the robot jumps into its mouth, the fuse burns for three
// seconds and he is fired high across the level.
#include "Items/Rides.h"
#include "3D/Camera.h"
#include "Items/ItemsInternal.h"
#include "Effects/Particles.h"
#include "Player/Player.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>

namespace
{
	constexpr int CANNON_BASE_MODEL = 8, CANNON_BARREL_MODEL = 9;
	constexpr float CANNON_SCALE = 1.9f;
	constexpr uint16_t CANNON_SLOT = 190;
	constexpr float HELP_SECONDS = 3.0f;
	constexpr float SMOKE_SPEED = 600.0f, SMOKE_SIZE = 3.0f;

	const OGLBoundingBox BASE_STAND_IN = {{-110, 0, -110}, {110, 160, 110}, false};
	const OGLBoundingBox BARREL_STAND_IN = {{-60, 60, -240}, {60, 200, 60}, false};

	enum : uint8_t
	{
		CANNON_IDLE = 0,
		CANNON_ARMED = 1,
	};
	constexpr int FUSE = 0;		// SpecialF[]: seconds until the shot

	void FireCannon(ObjNode* cannon)
	{
		cannon->Mode = CANNON_IDLE;
		if (!PlayerIsInCannon())
			return;
		PlayerFiredFromCannon(cannon);
		gCameraPitch = 0;
		OGLPoint3D mouth = CannonMouth(cannon);
		MakeRadialPuff(mouth.x, mouth.y + 150, mouth.z, SMOKE_SPEED, SMOKE_SIZE, PARTICLE_SPRITE_SMOKE_GREY, 100);
		PlayItemEffect3D(EFFECT_CANNONFIRE, &mouth);
	}
}

bool AddCannon(TerrainItemEntryType* item, float x, float z)
{
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = CANNON_BASE_MODEL;
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.flags = gAutoFadeStatusBits;
	def.slot = CANNON_SLOT;
	def.moveCall = MoveCannon;
	def.rot = float(item->parm[0]) * PI_HALF;
	def.scale = CANNON_SCALE;
	ObjNode* base = MakeItemModelNode(&def, BASE_STAND_IN);
	base->TerrainItemPtr = item;
	base->CType = CTYPE_BLOCKCAMERA | CTYPE_MISC;
	base->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox_Rotated(base, 0.9f, 0.8f);
	base->Mode = CANNON_IDLE;

	def.type = CANNON_BARREL_MODEL;
	def.moveCall = nullptr;
	def.chainTail = base;
	// The barrel reaches over the mouth, where the robot must be able to stand
	// and jump: it only keeps the camera out.
	ObjNode* barrel = MakeItemModelNode(&def, BARREL_STAND_IN);
	barrel->CType = CTYPE_BLOCKCAMERA;
	CreateCollisionBoxFromBoundingBox_Rotated(barrel, 0.9f, 0.8f);
	return true;
}

OGLPoint3D CannonMouth(const ObjNode* cannon)
{
	float h = cannon->Rot.y;
	float x = cannon->Coord.x - std::sin(h) * CANNON_MOUTH_DISTANCE;
	float z = cannon->Coord.z - std::cos(h) * CANNON_MOUTH_DISTANCE;
	return {x, TerrainHeightAt(x, z), z};
}

ObjNode* FindCannonMouthNear(float x, float z)
{
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		if (n->MoveCall != MoveCannon || n->CType == INVALID_NODE_FLAG)
			continue;
		OGLPoint3D mouth = CannonMouth(n);
		if (CalcQuickDistance(x, z, mouth.x, mouth.z) < CANNON_MOUTH_RADIUS)
			return n;
	}
	return nullptr;
}

void ArmCannon(ObjNode* cannon, ObjNode*)
{
	SwitchOffHelp(HELP_CANNON);
	cannon->Mode = CANNON_ARMED;
	cannon->SpecialF[FUSE] = CANNON_FUSE_TIME;
	PlayerClimbIntoCannon(cannon, CannonMouth(cannon));
	gCameraPitch = CANNON_CAMERA_PITCH;
}

void MoveCannon(ObjNode* cannon)
{
	if (cannon->Mode == CANNON_IDLE && IsNodeOutOfRange(cannon))
	{
		DeleteObject(cannon);
		return;
	}
	if (cannon->Mode == CANNON_ARMED)
	{
		cannon->SpecialF[FUSE] -= gFrameTime;
		if (!PlayerIsInCannon())
			cannon->Mode = CANNON_IDLE;
		else if (cannon->SpecialF[FUSE] <= 0)
			FireCannon(cannon);
		return;
	}
	if (gPlayerNode && !gPlayerLevel.isDead && (gPlayerNode->StatusBits & STATUS_BIT_ONGROUND))
	{
		OGLPoint3D mouth = CannonMouth(cannon);
		if (CalcQuickDistance(gPlayerNode->Coord.x, gPlayerNode->Coord.z, mouth.x, mouth.z) < CANNON_MOUTH_RADIUS)
			ShowHelpMessage(HELP_CANNON, HELP_SECONDS, false);
	}
}
