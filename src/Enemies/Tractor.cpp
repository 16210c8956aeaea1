// The tractor: idle, chase, charge, waiting out the robot's death, wrecked;
// its four wheels turn with its speed.
#include "Enemies/Tractor.h"
#include "Enemies/FarmCreatures.h"
#include "Enemies/Enemy.h"
#include "3D/BG3D.h"
#include "3D/MetaObjectsRegistry.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr uint16_t TRACTOR_SLOT = 205;
	constexpr uint16_t WHEEL_SLOT = 3000;
	constexpr float RIDE_HEIGHT = 150.0f;				// units from the ground to its origin
	constexpr float CHASE_ACCEL = 440.0f;				// units per second²
	constexpr float CHARGE_ACCEL = 1900.0f;
	constexpr float COAST_DECEL = 2300.0f;
	constexpr float TURN_SPEED = 1.6f;					// radians per second
	constexpr float CHARGE_ANGLE = PI / 4;				// still to turn, at most, to charge
	constexpr float FRONT_WHEEL_SPIN = 0.01f;			// radians per unit driven
	constexpr float REAR_WHEEL_SPIN = 0.02f;
	constexpr float SHADOW_X = 9.0f, SHADOW_Z = 14.0f;
	constexpr int NUM_WHEELS = 4;
	constexpr OGLPoint3D WHEEL_OFFSETS[NUM_WHEELS] = {{-84, -51, 135}, {88, -51, 135}, {-72, -113, -135}, {72, -113, -135}};
	constexpr uint32_t MOVE_MASK = CTYPE_PLAYER | CTYPE_TRIGGER2 | CTYPE_MISC | CTYPE_FENCE;

	bool HasModels()
	{
		return gNumObjectsInBG3DGroupList[MODEL_GROUP_LEVELSPECIFIC] > FARM_MODEL_TRACTOR_WHEEL + NUM_WHEELS - 1;
	}

	float Ground(float x, float z)
	{
		return IsTerrainSetUp() ? TerrainHeightAt(x, z) : 0.0f;
	}

	void Drive(ObjNode* tractor)
	{
		const float dt = gFrameTime;
		float oldY = gObjCoord.y;
		gObjCoord.x -= std::sin(tractor->Rot.y) * tractor->Speed2D * dt;
		gObjCoord.z -= std::cos(tractor->Rot.y) * tractor->Speed2D * dt;
		gObjCoord.y = Ground(gObjCoord.x, gObjCoord.z) + RIDE_HEIGHT;
		gObjDelta.x = -std::sin(tractor->Rot.y) * tractor->Speed2D;
		gObjDelta.z = -std::cos(tractor->Rot.y) * tractor->Speed2D;
		gObjDelta.y = dt > 0 ? (gObjCoord.y - oldY) / dt : 0;
	}

	void Coast(ObjNode* tractor)
	{
		tractor->Speed2D = std::max(0.0f, tractor->Speed2D - COAST_DECEL * gFrameTime);
		Drive(tractor);
	}

	float DistanceToRobot()
	{
		if (!gPlayerNode)
			return FAR_DISTANCE;
		return CalcQuickDistance(gObjCoord.x, gObjCoord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z);
	}

	// Back at its item once the robot lives again; false when it was deleted.
	bool PutBack(ObjNode* tractor)
	{
		TerrainItemEntryType* item = tractor->TerrainItemPtr;
		tractor->Mode = TRACTOR_MODE_IDLE;
		tractor->CType = CTYPE_BLOCKCAMERA | CTYPE_MISC;
		tractor->Delta = {0, 0, 0};
		tractor->Speed = tractor->Speed2D = 0;
		tractor->SpecialF[6] = 0;
		if (item)
		{
			tractor->Coord.x = float(item->x);
			tractor->Coord.z = float(item->z);
		}
		tractor->Coord.y = Ground(tractor->Coord.x, tractor->Coord.z) + RIDE_HEIGHT;
		if (IsNodeOutOfRange(tractor))
		{
			DeleteObject(tractor);
			return false;
		}
		return true;
	}

	void TurnWheels(ObjNode* tractor)
	{
		const float dt = gFrameTime;
		int i = 0;
		for (ObjNode* wheel = tractor->ChainNode; wheel && i < NUM_WHEELS; wheel = wheel->ChainNode, i++)
		{
			wheel->Rot.x -= tractor->Speed2D * (i < 2 ? FRONT_WHEEL_SPIN : REAR_WHEEL_SPIN) * dt;
			OGLMatrix4x4 spin, offset, local;
			OGLMatrix4x4_SetRotate_X(&spin, wheel->Rot.x);
			OGLMatrix4x4_SetTranslate(&offset, WHEEL_OFFSETS[i].x, WHEEL_OFFSETS[i].y, WHEEL_OFFSETS[i].z);
			OGLMatrix4x4_Multiply(&spin, &offset, &local);
			OGLMatrix4x4_Multiply(&local, &tractor->BaseTransformMatrix, &wheel->BaseTransformMatrix);
			SyncBaseTransformObject(wheel);
			wheel->Coord = tractor->Coord;
		}
	}

	void RunOverRobot(ObjNode* tractor)
	{
		if (!gPlayerNode || !IsRobotInPlay() || gPlayerLevel.isDead)
			return;
		const OGLPoint3D& p = gPlayerNode->Coord;
		float dx = p.x - tractor->Coord.x, dy = p.y - tractor->Coord.y, dz = p.z - tractor->Coord.z;
		float reach = tractor->Scale.x * tractor->BBox.max.z + gPlayerNode->BBox.max.x;
		if (std::sqrt(dx * dx + dy * dy + dz * dz) >= reach)
			return;
		float toRobot = CalcYAngleFromPointToPoint(tractor->Rot.y, tractor->Coord.x, tractor->Coord.z, p.x, p.z);
		if (std::fabs(WrapAngle(toRobot - tractor->Rot.y)) < PI / 2)
			PlayerGotHit(tractor, tractor->Damage);
	}
}

bool AddTractor(TerrainItemEntryType* item, float x, float z)
{
	if (!HasModels())
		return false;
	ObjNode* tractor = MakeTractor(x, z);
	tractor->TerrainItemPtr = item;
	return true;
}

ObjNode* MakeTractor(float x, float z)
{
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = FARM_MODEL_TRACTOR;
	def.coord = {x, Ground(x, z), z};
	def.flags = gAutoFadeStatusBits;
	def.slot = int16_t(TRACTOR_SLOT);
	def.moveCall = MoveTractor;
	def.scale = 1;
	ObjNode* tractor = MakeNewDisplayGroupObject(&def);
	tractor->SpecialF[6] = 0;
	tractor->Mode = TRACTOR_MODE_IDLE;
	tractor->Damage = TRACTOR_DAMAGE;
	tractor->CType = CTYPE_BLOCKCAMERA | CTYPE_MISC;
	tractor->CBits = SIDE_ALL;
	tractor->EffectChannel = -1;
	CreateCollisionBoxFromBoundingBox(tractor, 0.8f, 0.8f);
	// Its box bottom on the ground.
	tractor->Coord.y -= float(tractor->BottomOff);
	UpdateObjectTransforms(tractor);
	CalcObjectBoxFromNode(tractor);

	ObjNode* tail = tractor;
	for (int i = 0; i < NUM_WHEELS; i++)
	{
		ObjectDef w = {};
		w.group = MODEL_GROUP_LEVELSPECIFIC;
		w.type = uint8_t(FARM_MODEL_TRACTOR_WHEEL + i);
		w.coord = tractor->Coord;
		w.flags = gAutoFadeStatusBits;
		w.slot = int16_t(WHEEL_SLOT);
		w.scale = 1;
		w.chainTail = tail;
		tail = MakeNewDisplayGroupObject(&w);
		tail->CType = 0;
	}
	TurnWheels(tractor);
	AttachShadowToObject(tractor, 0, SHADOW_X, SHADOW_Z, false);
	return tractor;
}

void MoveTractor(ObjNode* tractor)
{
	const float dt = gFrameTime;
	if (gPlayerLevel.isDead && tractor->Mode != TRACTOR_MODE_WRECKED)
		tractor->Mode = TRACTOR_MODE_WAIT_FOR_ROBOT;
	GetObjectInfo(tractor);

	switch (tractor->Mode)
	{
		case TRACTOR_MODE_IDLE:
			Coast(tractor);
			tractor->SpecialF[6] -= dt;
			if (tractor->SpecialF[6] <= 0 && DistanceToRobot() < TRACTOR_NOTICE_RANGE && IsRobotInPlay())
				tractor->Mode = TRACTOR_MODE_CHASE;
			break;

		case TRACTOR_MODE_CHASE:
		{
			tractor->Speed2D = std::min(TRACTOR_CHASE_SPEED, tractor->Speed2D + CHASE_ACCEL * dt);
			float angleLeft = TurnEnemyTowardPlayer(tractor, TURN_SPEED);
			Drive(tractor);
			if (angleLeft < CHARGE_ANGLE && DistanceToRobot() < TRACTOR_CHARGE_RANGE)
			{
				tractor->Mode = TRACTOR_MODE_CHARGE;
				tractor->SpecialF[6] = TRACTOR_CHARGE_TIME;
			}
			break;
		}

		case TRACTOR_MODE_CHARGE:
			tractor->Speed2D = std::min(TRACTOR_CHARGE_SPEED, tractor->Speed2D + CHARGE_ACCEL * dt);
			Drive(tractor);
			tractor->SpecialF[6] -= dt;
			if (tractor->SpecialF[6] <= 0)
			{
				tractor->Mode = TRACTOR_MODE_IDLE;
				tractor->SpecialF[6] = TRACTOR_REST_TIME;
			}
			break;

		case TRACTOR_MODE_WAIT_FOR_ROBOT:
			if (gPlayerLevel.isDead)
			{
				Coast(tractor);
				break;
			}
			if (PutBack(tractor))
			{
				StopAChannelIfEffectNum(&tractor->EffectChannel, EFFECT_TRACTOR);
				UpdateObjectTransforms(tractor);
				CalcObjectBoxFromNode(tractor);
				UpdateShadow(tractor);
				TurnWheels(tractor);
			}
			return;

		default:
			if (IsNodeOutOfRange(tractor))
			{
				tractor->TerrainItemPtr = nullptr;		// wrecked: it never comes back
				DeleteObject(tractor);
				return;
			}
			Coast(tractor);
			break;
	}

	ResolveCollisions(tractor, MOVE_MASK, 0);
	if (tractor->CType == INVALID_NODE_FLAG)
		return;
	if (tractor->Mode != TRACTOR_MODE_WRECKED)
	{
		if (tractor->EffectChannel == -1)
		{
			if (IsSoundEffectLoaded(EFFECT_TRACTOR))
				tractor->EffectChannel = PlayEffect_Parms3D(EFFECT_TRACTOR, &gObjCoord, NORMAL_CHANNEL_RATE, 1);
		}
		else
		{
			Update3DSoundChannel(EFFECT_TRACTOR, &tractor->EffectChannel, &gObjCoord);
			ChangeChannelRate(tractor->EffectChannel, int32_t(NORMAL_CHANNEL_RATE + 8 * tractor->Speed2D));
		}
	}
	UpdateObject(tractor);
	TurnWheels(tractor);
	if (tractor->Mode != TRACTOR_MODE_WRECKED)
		RunOverRobot(tractor);
}

void WreckTractor(ObjNode* tractor)
{
	tractor->Mode = TRACTOR_MODE_WRECKED;
	tractor->Damage = 0;
	tractor->CType = CTYPE_MISC;
	StopAChannelIfEffectNum(&tractor->EffectChannel, EFFECT_TRACTOR);
}

bool IsTractor(const ObjNode* node)
{
	return node && node->CType != INVALID_NODE_FLAG && node->MoveCall == MoveTractor;
}
