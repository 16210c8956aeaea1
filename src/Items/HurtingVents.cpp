// Hurting vents: a patch of ground blowing hot steam. The vent itself is not
// drawn; the robot is hurt while he is in its box.
#include "Items/TouchItems.h"
#include "Effects/Particles.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <SDL_opengl.h>

namespace
{
	constexpr uint16_t VENT_SLOT = 2990;
	constexpr int16_t VENT_HALF_WIDTH = 50;
	constexpr int16_t VENT_HEIGHT = 50;
	constexpr float STEAM_INTERVAL = 0.025f;			// seconds between puffs
	constexpr float STEAM_SPREAD = 40.0f;				// ± around the vent
	constexpr float STEAM_SIDE_SPEED = 100.0f;
	constexpr float STEAM_UP_MIN = 300.0f;
	constexpr float STEAM_UP_MAX = 450.0f;

	int16_t SteamGroup(ObjNode* vent)
	{
		if (vent->ParticleGroup >= 0 && VerifyParticleGroupMagicNum(vent->ParticleGroup, vent->ParticleMagicNum))
			return vent->ParticleGroup;
		NewParticleGroupDefType def = {};
		def.magicNum = RandomNumber();
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = PARTICLE_FLAGS_DONTCHECKGROUND;
		def.baseScale = 20;
		def.decayRate = -1.0f;
		def.fadeRate = 0.2f;
		def.particleTextureNum = PARTICLE_SPRITE_SMOKE_WHITE;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = GL_ONE;
		vent->ParticleMagicNum = def.magicNum;
		vent->ParticleGroup = NewParticleGroup(&def);
		return vent->ParticleGroup;
	}

	void MoveHurtingVent(ObjNode* vent)
	{
		if (IsNodeOutOfRange(vent))
		{
			DeleteObject(vent);
			return;
		}
		vent->ParticleTimer -= gFrameTime;
		while (vent->ParticleTimer <= 0)
		{
			vent->ParticleTimer += STEAM_INTERVAL;
			int16_t group = SteamGroup(vent);
			if (group < 0)
				continue;
			for (int i = 0; i < 2; i++)
			{
				OGLPoint3D where = {vent->Coord.x + RandomFloatSigned() * STEAM_SPREAD, vent->Coord.y,
						vent->Coord.z + RandomFloatSigned() * STEAM_SPREAD};
				OGLVector3D delta = {RandomFloatSigned() * STEAM_SIDE_SPEED, RandomFloatRange(STEAM_UP_MIN, STEAM_UP_MAX),
						RandomFloatSigned() * STEAM_SIDE_SPEED};
				NewParticleDefType p = {group, &where, &delta, 1.0f, RandomFloat() * PI2, RandomFloatSigned() * 0.1f, 0.6f};
				AddParticleToGroup(&p);
			}
		}
	}
}

bool AddHurtingVent(TerrainItemEntryType* item, float x, float z)
{
	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.slot = VENT_SLOT;
	def.moveCall = MoveHurtingVent;
	def.scale = 1;
	ObjNode* vent = MakeNewObject(&def);
	vent->TerrainItemPtr = item;
	vent->CType = CTYPE_HURTME;
	vent->CBits = SIDE_ANY_OVERLAP;
	vent->Damage = HURTING_VENT_DAMAGE;
	vent->ParticleGroup = -1;
	SetObjectCollisionBounds(vent, VENT_HEIGHT, 0, -VENT_HALF_WIDTH, VENT_HALF_WIDTH, VENT_HALF_WIDTH, -VENT_HALF_WIDTH);
	return true;
}
