// The rocket sled: parked, it waits aligned to the ground; the robot lands
// on it and it roars off, always speeding up, steered a little either way of
// where it was pointing. Short hops are fine; more than a second in the air
// and it smashes on landing, throwing the robot on.
#include "Items/Rides.h"
#include "Items/ItemsInternal.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>

ObjNode* gRocketSled = nullptr;

namespace
{
	constexpr uint16_t SLED_SLOT = 197;
	constexpr float SEAT_UP = 132.0f, SEAT_BACK = 70.0f;	// the robot's seat in the sled's own space
	constexpr float GROUND_CONTACT = 2.0f;					// closer to the ground than this counts as on it
	constexpr float CLIMB_FOLLOW = 1.1f;					// of the ground's rise, as upward speed
	constexpr float DOWNHILL_PULL = -2000.0f;				// vertical speed on falling or level ground
	constexpr float EXHAUST_INTERVAL = 0.02f;
	constexpr float NOZZLE_SIDE = 63.0f;					// either side of the middle, sled space
	constexpr float NOZZLE_BACK = 150.0f, NOZZLE_UP = 40.0f;
	constexpr float ENGINE_BASE_RATE = 0xAAAA;				// 16.16 rate at a standstill
	constexpr float ENGINE_RATE_PER_SPEED = 15.0f;
	constexpr float ENGINE_VOLUME = 2.5f;

	const OGLBoundingBox SLED_STAND_IN = {{-90, 0, -170}, {90, 90, 170}, false};

	// Node fields of a sled.
	constexpr int START_DIR_X = 0, START_DIR_Z = 1;		// SpecialF[]
	constexpr int TURN_RATE = 2, SPEED = 3, AIR_TIME = 4, LAST_GROUND = 5, EXHAUST_TIMER = 6;
	constexpr int RIDDEN = 0, CRASH_PENDING = 1, WAS_AIRBORNE = 2, BOARDING = 3;	// Flag[]

	float AngleBetweenDirections(float ax, float az, float bx, float bz)
	{
		return std::acos(std::clamp(ax * bx + az * bz, -1.0f, 1.0f));
	}

	int16_t ExhaustGroup(ObjNode* sled)
	{
		if (sled->ParticleGroup >= 0 && VerifyParticleGroupMagicNum(sled->ParticleGroup, sled->ParticleMagicNum))
			return sled->ParticleGroup;
		NewParticleGroupDefType def = {};
		def.magicNum = RandomNumber();
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = PARTICLE_FLAGS_DONTCHECKGROUND | PARTICLE_FLAGS_ALLAIM;
		def.baseScale = 25;
		def.decayRate = -1;
		def.fadeRate = 0.3f;
		def.particleTextureNum = PARTICLE_SPRITE_SMOKE_DARK;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = GL_ONE_MINUS_SRC_ALPHA;
		sled->ParticleMagicNum = def.magicNum;
		sled->ParticleGroup = NewParticleGroup(&def);
		return sled->ParticleGroup;
	}

	OGLPoint3D SledPoint(const ObjNode* sled, float x, float y, float z)
	{
		OGLPoint3D p = {x, y, z};
		OGLPoint3D out;
		OGLPoint3D_Transform(&p, &sled->BaseTransformMatrix, &out);
		return out;
	}

	void MakeExhaust(ObjNode* sled)
	{
		sled->SpecialF[EXHAUST_TIMER] -= gFrameTime;
		if (sled->SpecialF[EXHAUST_TIMER] > 0)
			return;
		sled->SpecialF[EXHAUST_TIMER] += EXHAUST_INTERVAL;
		int16_t group = ExhaustGroup(sled);
		if (group < 0)
			return;
		for (float side : {-NOZZLE_SIDE, NOZZLE_SIDE})
		{
			OGLPoint3D nozzle = SledPoint(sled, side, NOZZLE_UP, NOZZLE_BACK);
			for (int i = 0; i < 3; i++)
			{
				OGLVector3D delta = {RandomFloatSigned() * 60, RandomFloat() * 80, RandomFloatSigned() * 60};
				NewParticleDefType p = {group, &nozzle, &delta, RandomFloatRange(1, 1.5f), RandomFloat() * PI2,
						RandomFloatSigned() * 3, 0.8f};
				AddParticleToGroup(&p);
			}
		}
	}

	void AddExhaustSparkles(ObjNode* sled)
	{
		for (float side : {-NOZZLE_SIDE, NOZZLE_SIDE})
		{
			int16_t s = GetFreeSparkle(sled);
			if (s < 0)
				return;
			for (int16_t& slot : sled->Sparkles)
				if (slot < 0)
				{
					slot = s;
					break;
				}
			SparkleType& sp = gSparkles[s];
			sp.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_TRANSFORMWITHOWNER | SPARKLE_FLAG_FLICKER;
			sp.where = {side, NOZZLE_UP, NOZZLE_BACK};
			sp.color = {1, 0.7f, 0.3f, 1};
			sp.scale = 90;
			sp.separation = 40;
			sp.textureNum = PARTICLE_SPRITE_FIREBALL;
		}
	}

	void UpdateEngineSound(ObjNode* sled)
	{
		const int effect = CurrentLevelDef().rides.sledEngineEffect;
		if (effect <= 0 || !IsSoundEffectLoaded(effect))
			return;
		if (sled->EffectChannel < 0)
			sled->EffectChannel = PlayEffect_Parms3D(effect, &sled->Coord, NORMAL_CHANNEL_RATE * 2 / 3, ENGINE_VOLUME);
		else
			Update3DSoundChannel(effect, &sled->EffectChannel, &sled->Coord);
		if (sled->EffectChannel >= 0)
			ChangeChannelRate(sled->EffectChannel, int32_t(ENGINE_BASE_RATE + ENGINE_RATE_PER_SPEED * sled->SpecialF[SPEED]));
	}

	void CrashSled(ObjNode* sled)
	{
		gRocketSled = nullptr;
		PlayerThrownFromSled({sled->Delta.x * SLED_CRASH_THROW, 0, sled->Delta.z * SLED_CRASH_THROW});
		PlayItemEffect3D(CurrentLevelDef().rides.sledCrashEffect, &sled->Coord);
		if (sled->BaseGroup)
			ExplodeGeometry(sled, 500, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 0.4f);
		// A wrecked sled does not come back with its supertile: its item stays taken.
		sled->TerrainItemPtr = nullptr;
		DeleteObject(sled);
	}

	void MoveParkedSled(ObjNode* sled)
	{
		if (IsNodeOutOfRange(sled))
		{
			DeleteObject(sled);
			return;
		}
		AlignNodeToTerrain(sled, 0, nullptr);
		CalcObjectBoxFromNode(sled);
	}

	void MoveRiddenSled(ObjNode* sled)
	{
		const float dt = gFrameTime;
		// The robot landed on it during his own move last frame: he takes his
		// seat now, before his state runs again.
		if (sled->Flag[BOARDING])
		{
			sled->Flag[BOARDING] = 0;
			PlayerBoardRocketSled(sled);
		}
		// The robot was knocked out of the seat: the sled coasts to a stop, parked.
		if (!PlayerIsOnRocketSled())
		{
			gRocketSled = nullptr;
			sled->Flag[RIDDEN] = 0;
			sled->CType = CTYPE_TRIGGER | CTYPE_MISC;
			StopObjectStreamEffect(sled);
			sled->MoveCall = MoveParkedSled;
			return;
		}
		float& speed = sled->SpecialF[SPEED];
		SteerRocketSled(gAnalogSteering.x, dt, sled->SpecialF[START_DIR_X], sled->SpecialF[START_DIR_Z], &sled->Rot.y,
				&sled->SpecialF[TURN_RATE]);
		speed = std::min(speed + SLED_ACCEL * dt, SLED_MAX_SPEED);
		const float h = sled->Rot.y;
		GetObjectInfo(sled);
		gObjDelta.x = -std::sin(h) * speed;
		gObjDelta.z = -std::cos(h) * speed;

		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		uint32_t hit = ResolveCollisions(sled, CTYPE_FENCE | CTYPE_MISC, 0.5f);
		if (hit & COLLISION_HIT_FENCE)
		{
			gObjDelta.x = -std::sin(h) * speed;		// slides along the fence
			gObjDelta.z = -std::cos(h) * speed;
		}

		const float ground = TerrainHeightAt(gObjCoord.x, gObjCoord.z);
		if (gObjCoord.y > ground + GROUND_CONTACT)
		{
			if (!sled->Flag[WAS_AIRBORNE])
				gObjDelta.y = 0;
			sled->Flag[WAS_AIRBORNE] = 1;
			gObjDelta.y -= SLED_AIR_GRAVITY * dt;
			sled->SpecialF[AIR_TIME] += dt;
			if (sled->SpecialF[AIR_TIME] > SLED_MAX_AIR_TIME)
				sled->Flag[CRASH_PENDING] = 1;
			UpdateObject(sled);
		}
		else
		{
			sled->Flag[WAS_AIRBORNE] = 0;
			sled->SpecialF[AIR_TIME] = 0;
			if (sled->Flag[CRASH_PENDING])
			{
				sled->Delta = gObjDelta;
				CrashSled(sled);
				return;
			}
			float rise = ground - sled->SpecialF[LAST_GROUND];
			gObjDelta.y = (rise > 0 && dt > 0) ? rise / dt * CLIMB_FOLLOW : DOWNHILL_PULL;
			gObjCoord.y = ground;
			UpdateObject(sled);
			AlignNodeToTerrain(sled, 0, nullptr);
		}
		sled->SpecialF[LAST_GROUND] = ground;
		CalcObjectBoxFromNode(sled);
		MakeExhaust(sled);
		UpdateEngineSound(sled);
	}
}

void SteerRocketSled(float steering, float dt, float startDirX, float startDirZ, float* heading, float* turnRate)
{
	*turnRate = std::clamp(*turnRate - SLED_STEER_RATE * steering * dt, -PI2, PI2);
	float next = *heading + *turnRate * dt;
	if (AngleBetweenDirections(-std::sin(next), -std::cos(next), startDirX, startDirZ) > SLED_MAX_TURN_OFF_START)
		*turnRate = 0;
	else
		*heading = next;
}

bool AddRocketSled(TerrainItemEntryType* item, float x, float z)
{
	const int model = CurrentLevelDef().rides.sledModel;
	if (model <= 0)
		FatalAlert("AddRocketSled: the %s level has no rocket sled model", CurrentLevelDef().name);
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(model);
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.flags = gAutoFadeStatusBits;
	def.slot = SLED_SLOT;
	def.moveCall = MoveParkedSled;
	def.rot = float(item->parm[0]) * (PI / 4);
	def.scale = SLED_SCALE;
	ObjNode* sled = MakeItemModelNode(&def, SLED_STAND_IN);
	sled->TerrainItemPtr = item;
	sled->Kind = TRIGGER_KIND_ROCKET_SLED;
	sled->CType = CTYPE_TRIGGER | CTYPE_MISC;
	sled->CBits = SIDE_ALL;
	sled->TriggerSides = SIDE_TOP;
	CreateCollisionBoxFromBoundingBox(sled, 0.9f, 0.8f);
	AlignNodeToTerrain(sled, 0, nullptr);
	return true;
}

bool DoTrig_RocketSled(ObjNode* sled, ObjNode* mover, uint32_t)
{
	if (mover != gPlayerNode)
		return true;
	if (gRocketSled)
		FatalAlert("DoTrig_RocketSled: already in a rocket sled, why double trigger?");
	if (gPlayerLevel.isDead)
		return true;
	sled->CType = CTYPE_MISC;
	gRocketSled = sled;
	sled->Flag[RIDDEN] = 1;
	sled->Flag[CRASH_PENDING] = 0;
	sled->Flag[WAS_AIRBORNE] = 0;
	sled->SpecialF[AIR_TIME] = 0;
	sled->SpecialF[TURN_RATE] = 0;
	sled->SpecialF[SPEED] = 0;
	sled->SpecialF[START_DIR_X] = -std::sin(sled->Rot.y);
	sled->SpecialF[START_DIR_Z] = -std::cos(sled->Rot.y);
	sled->SpecialF[LAST_GROUND] = TerrainHeightAt(sled->Coord.x, sled->Coord.z);
	sled->SpecialF[EXHAUST_TIMER] = 0;
	sled->Delta = {0, 0, 0};
	sled->MoveCall = MoveRiddenSled;
	sled->Flag[BOARDING] = 1;
	AddExhaustSparkles(sled);
	return true;
}

void AlignPlayerInRocketSled(ObjNode* robot)
{
	if (!gRocketSled)
		FatalAlert("AlignPlayerInRocketSled: nil");
	robot->Coord = SledPoint(gRocketSled, 0, SEAT_UP, SEAT_BACK);
	robot->Rot = gRocketSled->Rot;
	robot->Delta = gRocketSled->Delta;
}
