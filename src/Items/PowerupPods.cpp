// Power-up pods: shells the robot punches open to get what they hold. Ground
// pods rest on the ground and a giant robot can also open them by walking
// into them; on some levels pods hang under balloons and are shot open.
#include "Items/Powerups.h"
#include "Items/ItemsInternal.h"
#include "3D/BG3D.h"
#include "3D/MetaObjectsRegistry.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>

namespace
{
	constexpr float POD_SCALE = 1.8f;
	constexpr float POD_LIFT = 30.0f;					// above the surface under it
	constexpr uint16_t POD_SLOT = 450;
	constexpr uint16_t BALLOON_SLOT = 456;
	constexpr uint16_t BALLOON_POD_SLOT = 457;
	constexpr float BALLOON_SCALE = 1.2f;
	constexpr float BALLOON_SWAY = 0.3f;				// radians of x tilt
	constexpr float BALLOON_POD_DROP = 120.0f;			// the pod hangs this far under the balloon's origin
	constexpr int POD_LIGHTS = 8;
	constexpr int DIM_POD_LIGHTS = 4;
	constexpr float POD_LIGHT_RADIUS = 30.24f;
	constexpr float POD_LIGHT_HIGH = 113.4f;			// the upper four lights; the others sit low
	constexpr float POD_LIGHT_LOW = 12.6f;
	constexpr float POD_LIGHT_CYCLE = 4.0f;				// colour phase, radians per second
	constexpr float POD_HELP_DISTANCE = 500.0f;
	constexpr float POD_HELP_SECONDS = 4.0f;
	constexpr int HELP_PODS = 0;
	constexpr uint32_t POD_COLLISION_MASK = 0x202048;	// platforms, terrain, misc, second triggers

	constexpr float HALF_SPEED = 300.0f;				// units per second, away from the robot
	constexpr float HALF_LIFT[2] = {400.0f, 200.0f};
	constexpr float HALF_GRAVITY = 900.0f;
	constexpr float HALF_FRICTION = 400.0f;
	constexpr float HALF_LIFETIME = 3.0f;				// seconds

	constexpr float GLANCE_MAX_TURN = 0.5f;				// radians about each axis
	constexpr float GLANCE_SLOWDOWN = 0.9f;
	constexpr float GLANCE_SHRINK = 0.8f;

	// Node use of a pod: Special[0] count, Special[1] boat number, SpecialF[0] light phase.
	constexpr int POD_COUNT = 0;
	constexpr int POD_BOAT = 1;
	constexpr int POD_FLAG_BALLOON = 1;

	const OGLBoundingBox POD_STAND_IN = {{-45, 0, -45}, {45, 130, 45}, false};
	const OGLBoundingBox BALLOON_STAND_IN = {{-100, -40, -100}, {100, 200, 100}, false};

	int PodLightCount()
	{
		return CurrentLevelHasRule(LEVEL_RULE_DIM_PODS) ? DIM_POD_LIGHTS : POD_LIGHTS;
	}

	void AttachPodLights(ObjNode* pod)
	{
		int n = PodLightCount();
		for (int i = 0; i < n; i++)
		{
			int16_t s = GetFreeSparkle(pod);
			if (s == -1)
				return;
			pod->Sparkles[i] = s;
			SparkleType& sparkle = gSparkles[s];
			sparkle.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
			sparkle.where = pod->Coord;
			sparkle.color = {1, 0.3f, 0.3f, 1};
			sparkle.scale = 30;
			sparkle.separation = 10;
			sparkle.textureNum = PARTICLE_SPRITE_PUFF;
		}
	}

	void UpdatePodLights(ObjNode* pod)
	{
		pod->SpecialF[0] += POD_LIGHT_CYCLE * gFrameTime;
		int n = PodLightCount();
		for (int i = 0; i < n; i++)
		{
			int16_t s = pod->Sparkles[i];
			if (s == -1)
				continue;
			float theta = pod->Rot.y + float(i) * PI_HALF;
			float phi = pod->SpecialF[0] + 0.6f * float(i);
			SparkleType& sparkle = gSparkles[s];
			sparkle.where = {pod->Coord.x + std::sin(theta) * POD_LIGHT_RADIUS,
					pod->Coord.y + (i < 4 ? POD_LIGHT_HIGH : POD_LIGHT_LOW),
					pod->Coord.z + std::cos(theta) * POD_LIGHT_RADIUS};
			sparkle.color.r = (std::cos(phi) + 1) * 0.5f;
			sparkle.color.g = (std::sin(phi) + 1) * 0.5f;
		}
	}

	void MovePodHalf(ObjNode* half)
	{
		const float dt = gFrameTime;
		half->SpecialF[0] -= dt;
		if (half->SpecialF[0] <= 0 || IsNodeOutOfRange(half) || (half->StatusBits & STATUS_BIT_ISCULLED))
		{
			DeleteObject(half);
			return;
		}
		GetObjectInfo(half);
		gObjDelta.y -= HALF_GRAVITY * dt;
		gObjCoord = gObjCoord + gObjDelta * dt;
		half->Rot = half->Rot + half->DeltaRot * dt;
		float ground = TerrainHeightAt(gObjCoord.x, gObjCoord.z);
		if (gObjCoord.y < ground)
		{
			gObjCoord.y = ground;
			gObjDelta.y = std::fabs(gObjDelta.y) * 0.4f;
			float speed = std::sqrt(gObjDelta.x * gObjDelta.x + gObjDelta.z * gObjDelta.z);
			float slowed = std::max(0.0f, speed - HALF_FRICTION * dt * 10);
			if (speed > 0)
			{
				gObjDelta.x *= slowed / speed;
				gObjDelta.z *= slowed / speed;
			}
			half->DeltaRot = half->DeltaRot * 0.5f;
		}
		UpdateObject(half);
	}

	// The pod splits in two halves thrown away from the robot.
	void BreakGroundPod(ObjNode* pod)
	{
		float h = gPlayerNode ? gPlayerNode->Rot.y : pod->Rot.y;
		for (int i = 0; i < 2; i++)
		{
			ObjectDef def = {};
			def.group = MODEL_GROUP_GLOBAL;
			def.type = uint8_t(GLOBAL_MODEL_POD_HALF_LEFT + i);
			def.coord = pod->Coord;
			def.slot = SLOT_OF_DUMB;
			def.moveCall = MovePodHalf;
			def.rot = pod->Rot.y;
			def.scale = POD_SCALE;
			ObjNode* half = MakeItemModelNode(&def, POD_STAND_IN);
			half->Delta = {-std::sin(h) * HALF_SPEED, HALF_LIFT[i], -std::cos(h) * HALF_SPEED};
			half->DeltaRot = {RandomFloatSigned() * 4, RandomFloatSigned() * 4, 0};
			half->SpecialF[0] = HALF_LIFETIME;
			AttachShadowToObject(half, 0, 3, 3, false);
		}
		PlayItemEffect3D(EFFECT_POWPODHIT, &pod->Coord);
	}

	void BurstBalloonPod(ObjNode* pod)
	{
		ObjNode* balloon = pod->ChainHead ? pod->ChainHead : pod;
		if (pod->BaseGroup)
			ExplodeGeometry(pod, 400, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 0.5f);
		PlayItemEffect3D(EFFECT_BALLOONPOP, &pod->Coord, 1, 2);
		balloon->TerrainItemPtr = nullptr;
		DeleteObject(balloon);
	}

	// A stun shot bounces off a balloon pod and flies on, a little smaller.
	bool GlanceOffBalloonPod(ObjNode* shot, ObjNode*, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (!shot)
			return false;
		OGLVector3D v = {-shot->Delta.x, shot->Delta.y, -shot->Delta.z};
		float ax = RandomFloatSigned() * GLANCE_MAX_TURN;
		float ay = RandomFloatSigned() * GLANCE_MAX_TURN;
		float az = RandomFloatSigned() * GLANCE_MAX_TURN;
		OGLMatrix4x4 m;
		OGLMatrix4x4_SetRotate_XYZ(&m, ax, ay, az);
		OGLVector3D_Transform(&v, &m, &v);
		shot->Delta = v * GLANCE_SLOWDOWN;
		shot->Coord = shot->Coord + shot->Delta * (2 * gFrameTime);
		shot->Scale = shot->Scale * GLANCE_SHRINK;
		UpdateObjectTransforms(shot);
		return false;
	}

	void MovePowerupPod(ObjNode* pod)
	{
		if (IsNodeOutOfRange(pod))
		{
			DeleteObject(pod);
			return;
		}
		const float dt = gFrameTime;
		GetObjectInfo(pod);
		gObjDelta.y -= gLevel.gravity * dt;
		gObjCoord = gObjCoord + gObjDelta * dt;
		if (pod->LinkNode)				// ride along with the platform under it
			gObjCoord = gObjCoord + pod->LinkNode->Delta * dt;
		pod->Rot.y += dt;
		ResolveCollisions(pod, POD_COLLISION_MASK, 0);
		UpdateObject(pod);
		UpdatePodLights(pod);
		if (IsPlayerNear(pod, POD_HELP_DISTANCE))
			ShowHelpMessage(HELP_PODS, POD_HELP_SECONDS, false);
	}

	void MoveBalloon(ObjNode* balloon)
	{
		if (IsNodeOutOfRange(balloon))
		{
			DeleteObject(balloon);
			return;
		}
		balloon->SpecialF[0] += gFrameTime;
		balloon->Rot.x = BALLOON_SWAY * std::sin(balloon->SpecialF[0]);
		UpdateObjectTransforms(balloon);

		ObjNode* pod = balloon->ChainNode;
		if (pod)
		{
			// The pod hangs from the balloon and swings with it.
			pod->Rot.x = balloon->Rot.x;
			pod->Rot.y = balloon->Rot.y;
			OGLPoint3D under = {0, -BALLOON_POD_DROP / BALLOON_SCALE, 0};
			OGLPoint3D_Transform(&under, &balloon->BaseTransformMatrix, &pod->Coord);
			UpdateObjectTransforms(pod);
			CalcObjectBoxFromNode(pod);
		}
		if (IsPlayerNear(balloon, POD_HELP_DISTANCE))
			ShowHelpMessage(HELP_PODS, POD_HELP_SECONDS, false);
	}

	bool OpenGroundPodByGiant(ObjNode* pod, ObjNode* mover, uint32_t)
	{
		if (mover == gPlayerNode && gPlayerLevel.scale > 1)
			PowerupPodGotPunched(nullptr, pod, &pod->Coord, nullptr, 0);
		return true;
	}

	float PowerupSurfaceHeight(const TerrainItemEntryType* item, float x, float z)
	{
		if (item->parm[3] & POWERUP_OPTION_ON_TERRAIN)
			return TerrainHeightAt(x, z);
		return HighestSurfaceAt(x, z, CTYPE_PLATFORM | CTYPE_TERRAIN | CTYPE_MISC);
	}

	void SetPodContents(ObjNode* pod, const TerrainItemEntryType* item)
	{
		pod->SubKind = item->parm[0];
		pod->SubFlag = (item->parm[3] & POWERUP_OPTION_REGENERATES) ? 1 : 0;
		pod->Special[POD_COUNT] = item->parm[1] ? item->parm[1] : 1;
		pod->Special[POD_BOAT] = item->parm[2];
		pod->TerrainItemPtr = const_cast<TerrainItemEntryType*>(item);
	}

	ObjNode* MakeGroundPod(TerrainItemEntryType* item, float x, float z)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_GLOBAL;
		def.type = GLOBAL_MODEL_POWERUP_POD;
		def.coord = {x, PowerupSurfaceHeight(item, x, z) + POD_LIFT, z};
		def.slot = POD_SLOT;
		def.moveCall = MovePowerupPod;
		def.scale = POD_SCALE;
		ObjNode* pod = MakeItemModelNode(&def, POD_STAND_IN);
		SetPodContents(pod, item);
		pod->Kind = TRIGGER_KIND_GIANT_ROBOT_POD;
		pod->CType = CTYPE_TRIGGER | CTYPE_MISC;
		pod->CBits = SIDE_ALL;
		pod->TriggerSides = SIDE_ALL;
		CreateCollisionBoxFromBoundingBox(pod, 1, 1);
		pod->BottomOff -= int32_t(POD_LIFT);
		CalcObjectBoxFromNode(pod);
		KeepOldCollisionBoxes(pod);
		pod->HitByWeaponHandler[WEAPON_FIST] = PowerupPodGotPunched;
		AttachShadowToObject(pod, 0, 4, 4, false);
		AttachPodLights(pod);
		return pod;
	}

	ObjNode* MakeBalloonPod(TerrainItemEntryType* item, float x, float z)
	{
		if (!CurrentLevelHasRule(LEVEL_RULE_BALLOON_PODS))
			FatalAlert("MakePowerupBalloon: not cloud level");
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = LEVEL_MODEL_POWERUP_BALLOON;
		def.coord = {x, PowerupSurfaceHeight(item, x, z) + BALLOON_POD_DROP + POD_LIFT + 130, z};
		def.slot = BALLOON_SLOT;
		def.moveCall = MoveBalloon;
		def.rot = RandomFloat() * PI2;
		def.scale = BALLOON_SCALE;
		ObjNode* balloon = MakeItemModelNode(&def, BALLOON_STAND_IN);
		balloon->TerrainItemPtr = item;
		balloon->SpecialF[0] = RandomFloat() * PI2;

		def.type = LEVEL_MODEL_BALLOON_POD;
		def.coord.y -= BALLOON_POD_DROP;
		def.slot = BALLOON_POD_SLOT;
		def.moveCall = nullptr;
		def.scale = 1;
		def.chainTail = balloon;
		ObjNode* pod = MakeItemModelNode(&def, POD_STAND_IN);
		SetPodContents(pod, item);
		pod->TerrainItemPtr = nullptr;			// the balloon carries the item
		pod->Flag[POD_FLAG_BALLOON] = 1;
		pod->CType = CTYPE_BALLOON_POD | CTYPE_AUTOTARGET | CTYPE_MISC;
		pod->CBits = SIDE_ANY_OVERLAP;
		CreateCollisionBoxFromBoundingBox(pod, 1, 1);
		pod->HitByWeaponHandler[WEAPON_STUNGUN] = GlanceOffBalloonPod;
		for (int w = WEAPON_FREEZEGUN; w <= WEAPON_DART; w++)
			pod->HitByWeaponHandler[w] = PowerupPodGotPunched;
		AttachShadowToObject(pod, 0, 3, 3, false);
		return balloon;
	}
}

bool IsItemModelLoaded(int group, int type)
{
	return group < MAX_BG3D_GROUPS && type < gNumObjectsInBG3DGroupList[group] && gBG3DGroupList[group][type];
}

ObjNode* MakeItemModelNode(ObjectDef* def, const OGLBoundingBox& standIn)
{
	if (IsItemModelLoaded(def->group, def->type))
		return MakeNewDisplayGroupObject(def);
	def->genre = NODRAW_GENRE;
	ObjNode* node = MakeNewObject(def);
	node->BBox = standIn;
	return node;
}

int16_t PlayItemEffect3D(int effectNum, const OGLPoint3D* where, float rate, float volume)
{
	if (!IsSoundEffectLoaded(effectNum))
		return -1;
	return PlayEffect_Parms3D(effectNum, where, uint32_t(float(NORMAL_CHANNEL_RATE) * rate), volume);
}

bool IsPlayerNear(const ObjNode* node, float distance)
{
	return gPlayerNode
			&& CalcQuickDistance(node->Coord.x, node->Coord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z) < distance;
}

void InitPowerupPods()
{
	SetTriggerHandler(TRIGGER_KIND_GIANT_ROBOT_POD, OpenGroundPodByGiant);
}

bool MakePowerupBalloon(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] >= NUM_POWERUP_TYPES)
		FatalAlert("MakePowerupBalloon: unknown powerup ID %d (parm 0)", item->parm[0]);
	if (item->flags & ITEM_FLAG_POD_ON_BALLOON)
		MakeBalloonPod(item, x, z);
	else
		MakeGroundPod(item, x, z);
	return true;
}

bool PowerupPodGotPunched(ObjNode*, ObjNode* pod, const OGLPoint3D*, const OGLVector3D*, float)
{
	if (pod->CType == INVALID_NODE_FLAG)
		return false;
	SwitchOffHelp(HELP_PODS);
	int type = pod->SubKind;
	bool regenerates = pod->SubFlag != 0;
	int count = pod->Special[POD_COUNT];
	switch (type)
	{
		case POWERUP_TYPE_HEALTH_ATOMS:
			SpawnAtoms(pod->Coord, count, 0, 0, regenerates);
			break;
		case POWERUP_TYPE_FUEL_ATOMS:
			SpawnAtoms(pod->Coord, 0, count, 0, regenerates);
			break;
		case POWERUP_TYPE_EXIT_ATOMS:
			SpawnAtoms(pod->Coord, 0, 0, count, regenerates);
			break;
		case POWERUP_TYPE_GROWTH:
			if (!CurrentLevelHasRule(LEVEL_RULE_GROWTH_PICKUPS))
				FatalAlert("PowerupPodGotPunched: growth POW only on jungle!");
			MakePickup(type, pod->Coord, regenerates, 0);
			break;
		default:
			if (type >= NUM_POWERUP_TYPES)
				FatalAlert("PowerupPodGotPunched: unknown powerup ID");
			MakePickup(type, pod->Coord, regenerates, pod->Special[POD_BOAT]);
			break;
	}

	if (pod->Flag[POD_FLAG_BALLOON])
		BurstBalloonPod(pod);
	else
	{
		BreakGroundPod(pod);
		pod->TerrainItemPtr = nullptr;			// opened for good
		DeleteObject(pod);
	}
	return false;
}
