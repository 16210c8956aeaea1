// The particle emitters: one-off bursts, and the emitters that keep a group in
// their node (smokers, smoke trails, flames) and make a new one when it is gone.
#include "Effects/Particles.h"
#include "3D/Skeleton.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "System/Random.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>

namespace
{
	float Rand01() { return RandomFloat(); }
	float RandSigned() { return RandomFloatSigned(); }

	NewParticleGroupDefType GroupDef(uint8_t type, uint32_t flags, float gravity, float magnetism, float baseScale,
			float decayRate, float fadeRate, uint8_t texture, uint32_t src, uint32_t dst)
	{
		NewParticleGroupDefType def = {};
		def.magicNum = RandomNumber();
		def.type = type;
		def.flags = flags;
		def.gravity = gravity;
		def.magnetism = magnetism;
		def.baseScale = baseScale;
		def.decayRate = decayRate;
		def.fadeRate = fadeRate;
		def.particleTextureNum = texture;
		def.srcBlend = src;
		def.dstBlend = dst;
		return def;
	}

	bool AddParticle(int16_t group, const OGLPoint3D& where, const OGLVector3D& delta, float scale,
			float rotZ, float rotDZ, float alpha)
	{
		NewParticleDefType def = {group, &where, &delta, scale, rotZ, rotDZ, alpha};
		return AddParticleToGroup(&def);
	}

	// The node's group, made anew when the old one has gone; −1 when none is free.
	int16_t NodeGroup(ObjNode* node, const NewParticleGroupDefType& def)
	{
		if (node->ParticleGroup >= 0 && VerifyParticleGroupMagicNum(node->ParticleGroup, node->ParticleMagicNum))
			return node->ParticleGroup;
		node->ParticleMagicNum = def.magicNum;
		node->ParticleGroup = NewParticleGroup(&def);
		return node->ParticleGroup;
	}

	// Counts down the node's emission timer; true when a puff is due.
	bool EmissionDue(ObjNode* node, float interval)
	{
		node->ParticleTimer -= gFrameTime;
		if (node->ParticleTimer > 0.0f)
			return false;
		node->ParticleTimer += interval;
		// After a long stall do not try to catch up.
		if (node->ParticleTimer < 0.0f)
			node->ParticleTimer = interval;
		return true;
	}
}

void MakeSparkBurst(float x, float y, float z, float radius, uint8_t textureNum,
		uint32_t srcBlend, uint32_t dstBlend, float fadeRate)
{
	NewParticleGroupDefType def = GroupDef(PARTICLE_TYPE_FALLINGSPARKS, PARTICLE_FLAGS_BOUNCE | PARTICLE_FLAGS_ALLAIM,
			-80, 0, radius, -1.5f, fadeRate, textureNum, srcBlend, dstBlend);
	int16_t group = NewParticleGroup(&def);
	if (group < 0)
		return;
	float r = radius;
	for (int i = 0; i < 10; i++)
	{
		OGLPoint3D where = {x + RandSigned() * 2 * r, y + Rand01() * 2 * r, z + RandSigned() * 2 * r};
		OGLVector3D delta = {RandSigned() * 3 * r, Rand01() * 2 * r, RandSigned() * 3 * r};
		AddParticle(group, where, delta, 1.0f + RandSigned() * 0.2f, Rand01() * PI2, RandSigned() * 4, 1);
	}
}

void MakeRadialPuff(float x, float y, float z, float speed, float size, uint8_t textureNum, int maxCount)
{
	NewParticleGroupDefType def = GroupDef(PARTICLE_TYPE_FALLINGSPARKS, PARTICLE_FLAGS_BOUNCE | PARTICLE_FLAGS_ALLAIM,
			200, 0, 15 * size, 0, 0.5f, textureNum, GL_SRC_ALPHA, GL_ONE);
	int count = std::min(int(speed * 0.2f), maxCount);
	if (count <= 0)
		return;
	int16_t group = NewParticleGroup(&def);
	if (group < 0)
		return;
	const OGLPoint3D centre = {x, y, z};
	for (int i = 0; i < count; i++)
	{
		OGLPoint3D where = {x + RandSigned() * 40 * size, y + RandSigned() * 40 * size, z + RandSigned() * 40 * size};
		OGLVector3D out = where - centre, unit;
		OGLVector3D_Normalize(&out, &unit);		// a particle right at the centre stays put
		if (AddParticle(group, where, unit * (speed * size), 1.0f + Rand01() * 0.5f, 0, 0, 1))
			break;
	}
}

void MakeBouncingSparks(float x, float z, const OGLVector3D* velocity)
{
	NewParticleGroupDefType def = GroupDef(PARTICLE_TYPE_FALLINGSPARKS, PARTICLE_FLAGS_BOUNCE | PARTICLE_FLAGS_VAPORTRAIL,
			900, 0, 190, 0.4f, 0.7f, PARTICLE_SPRITE_SPARK, GL_SRC_ALPHA, GL_ONE);
	int16_t group = NewParticleGroup(&def);
	if (group < 0)
		return;
	float ground = TerrainHeightAt(x, z);
	for (int i = 0; i < 20; i++)
	{
		OGLPoint3D where = {x + RandSigned() * 100, ground + Rand01() * 60, z + RandSigned() * 100};
		float w = Rand01() * 1500;
		OGLVector3D delta = {3 * (Rand01() - 0.5f) * w + 0.2f * velocity->x, w,
				3 * (Rand01() - 0.5f) * w + 0.2f * velocity->z};
		AddParticle(group, where, delta, 1.5f + Rand01(), 0, 0, 1.0f + Rand01() * 0.3f);
	}
}

void MakeDustRing(float x, float y, float z)
{
	NewParticleGroupDefType def = GroupDef(PARTICLE_TYPE_FALLINGSPARKS, 0, 800, 0, 40, -0.6f, 0.8f,
			PARTICLE_SPRITE_DUST_CLOUD, GL_SRC_ALPHA, GL_ONE);
	int16_t group = NewParticleGroup(&def);
	if (group < 0)
		return;
	for (int i = 0; i < 30; i++)
	{
		OGLPoint3D where = {x + RandSigned() * 130, y, z + RandSigned() * 130};
		OGLVector3D delta = {RandSigned() * 600, 100 + Rand01() * 300, RandSigned() * 600};
		AddParticle(group, where, delta, 1.0f + Rand01(), 0, 0, 1);
	}
}

void MakeMagneticSmokeTrail(ObjNode* node, float x, float y, float z)
{
	if (gFrameRate < 20.0f || !EmissionDue(node, 0.02f))
		return;
	NewParticleGroupDefType def = GroupDef(PARTICLE_TYPE_GRAVITOIDS, PARTICLE_FLAGS_DONTCHECKGROUND, 0, 90000, 15,
			-0.5f, 0.4f, PARTICLE_SPRITE_SMOKE_DARK, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	int16_t group = NodeGroup(node, def);
	if (group < 0)
		return;
	for (int i = 0; i < 2; i++)
	{
		OGLPoint3D where = {x + RandSigned() * 20, y + RandSigned() * 20, z + RandSigned() * 20};
		OGLVector3D delta = {RandSigned() * 190, 150 + Rand01() * 190, RandSigned() * 190};
		if (AddParticle(group, where, delta, 1.0f + Rand01(), Rand01() * PI2, 0, 0.5f))
		{
			node->ParticleGroup = -1;
			break;
		}
	}
}

void MakeJointFlames(ObjNode* node, float scale)
{
	if (!node->Skeleton || !node->Skeleton->skeletonDefinition || !EmissionDue(node, 0.05f))
		return;
	NewParticleGroupDefType def = GroupDef(PARTICLE_TYPE_FALLINGSPARKS, PARTICLE_FLAGS_DONTCHECKGROUND, -200, 0, scale,
			0.6f, 1.2f, PARTICLE_SPRITE_FLAME, GL_SRC_ALPHA, GL_ONE);
	int16_t group = NodeGroup(node, def);
	if (group < 0)
		return;
	int numJoints = node->Skeleton->skeletonDefinition->NumBones;
	for (int j = 0; j < numJoints; j++)
	{
		OGLPoint3D joint;
		FindCoordOfJoint(node, j, &joint);
		OGLPoint3D where = {joint.x + RandSigned() * 30, joint.y + RandSigned() * 30, joint.z + RandSigned() * 30};
		OGLVector3D delta = {0, 300 + Rand01() * 100, 0};
		if (AddParticle(group, where, delta, 1.0f + Rand01() * 0.5f, Rand01() * PI2, RandSigned() * 8, 0.8f))
		{
			node->ParticleGroup = -1;
			break;
		}
	}
}

//
// Smokers
//

static constexpr uint8_t kSmokeTextures[4] = {
	PARTICLE_SPRITE_SMOKE_DARK, PARTICLE_SPRITE_SMOKE_GREY, PARTICLE_SPRITE_SMOKE_WHITE, PARTICLE_SPRITE_SPARK_YELLOW,
};

bool AddSmoker(TerrainItemEntryType* item, float x, float z)
{
	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.slot = 200;
	def.moveCall = MoveSmoker;
	def.scale = 1;
	ObjNode* node = MakeNewObject(&def);
	node->Kind = item->parm[0];
	node->TerrainItemPtr = item;
	node->ParticleGroup = -1;
	return true;
}

void MoveSmoker(ObjNode* node)
{
	if (IsNodeOutOfRange(node))
	{
		DeleteObject(node);
		return;
	}
	node->Coord.y = TerrainHeightAt(node->Coord.x, node->Coord.z);

	if (!EmissionDue(node, 0.1f))
		return;
	int smokeType = node->Kind;
	GAME_ASSERT(smokeType < 4);
	uint32_t dst = smokeType < 2 ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE;
	NewParticleGroupDefType def = GroupDef(PARTICLE_TYPE_FALLINGSPARKS, PARTICLE_FLAGS_DONTCHECKGROUND, 170, 0, 20,
			-0.7f, 0.2f, kSmokeTextures[smokeType], GL_SRC_ALPHA, dst);
	int16_t group = NodeGroup(node, def);
	if (group < 0)
		return;
	for (int i = 0; i < 2; i++)
	{
		OGLPoint3D where = {node->Coord.x + RandSigned() * 30, node->Coord.y, node->Coord.z + RandSigned() * 30};
		OGLVector3D delta = {RandSigned() * 80, 150 + Rand01() * 75, RandSigned() * 80};
		if (AddParticle(group, where, delta, 1.0f + Rand01(), Rand01() * PI2, RandSigned() * 0.1f, 0.6f))
		{
			node->ParticleGroup = -1;
			break;
		}
	}
}
