// Particle groups: sparks, smoke, dust and flames as camera-facing textured
// quads. A group shares one texture, blend mode and set of physical constants;
// each particle has its own position, velocity, size, spin and opacity. A
// group frees itself when its last particle dies. Moving (MoveParticleGroups)
// needs no GL; drawing builds each group's mesh and issues one draw call.
#pragma once

#include "System/ContentNumbers.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;
struct Pool;
struct MetaObjectHeader;
struct TerrainItemEntryType;

constexpr int MAX_PARTICLE_GROUPS = 120;
constexpr int MAX_PARTICLES = 250;			// per group

enum : uint8_t
{
	PARTICLE_TYPE_FALLINGSPARKS = 0,		// plain motion
	PARTICLE_TYPE_GRAVITOIDS = 1,			// the particles attract each other
};

enum : uint32_t
{
	PARTICLE_FLAGS_BOUNCE = 0x01,
	PARTICLE_FLAGS_DONTCHECKGROUND = 0x10,
	PARTICLE_FLAGS_VAPORTRAIL = 0x20,
	PARTICLE_FLAGS_EXTRABOUNCE = 0x40,
	PARTICLE_FLAGS_ALLAIM = 0x80,			// set by some emitters; no effect
};

// Short names callers give the particle images (sprite group 3) they burst.
enum : uint8_t
{
	PARTICLE_SObjType_WhiteSpark = PARTICLE_SPRITE_SPARK,
	PARTICLE_SObjType_WhiteGlow = PARTICLE_SPRITE_PUFF,
	PARTICLE_SObjType_BlackSmoke = PARTICLE_SPRITE_SMOKE_DARK,
	PARTICLE_SObjType_GreySmoke = PARTICLE_SPRITE_SMOKE_GREY,
	PARTICLE_SObjType_Fire = PARTICLE_SPRITE_FLAME,
	PARTICLE_SObjType_Dust = PARTICLE_SPRITE_DUST,
};

struct ParticleGroupType
{
	Pool* pool;							// live particles
	uint32_t magicNum;
	uint8_t type;
	uint32_t flags;
	float gravity;
	float magnetism;
	float baseScale;
	float decayRate;					// scale lost per second (negative grows)
	float fadeRate;						// opacity lost per second
	uint8_t particleTextureNum;
	uint32_t srcBlend, dstBlend;		// GL enums
	MetaObjectHeader* geometryObj;		// 4 points and 2 triangles per particle

	float alpha[MAX_PARTICLES];
	float scale[MAX_PARTICLES];
	float rotZ[MAX_PARTICLES];
	float rotDZ[MAX_PARTICLES];
	OGLPoint3D coord[MAX_PARTICLES];
	OGLVector3D delta[MAX_PARTICLES];
	int16_t vaporTrail[MAX_PARTICLES];	// −1 none
};

struct NewParticleGroupDefType
{
	uint32_t magicNum;
	uint8_t type;
	uint32_t flags;
	float gravity;
	float magnetism;
	float baseScale;
	float decayRate;
	float fadeRate;
	uint8_t particleTextureNum;
	uint32_t srcBlend, dstBlend;
};

struct NewParticleDefType
{
	int16_t groupNum;
	const OGLPoint3D* where;
	const OGLVector3D* delta;		// units per second
	float scale;
	float rotZ;
	float rotDZ;
	float alpha;
};

extern Pool* gParticleGroupPool;
extern ParticleGroupType gParticleGroups[MAX_PARTICLE_GROUPS];

//
// The store
//

// Level start (after the view): the store, the "particle" sprites (always
// blended) and the particle system's node.
void InitParticleSystem();
// Level end: every group, the sprites, the store, and the shard and sparkle pools.
void DisposeParticleSystem();
// The store alone (groups, pools, meshes): no GL, no sprites, no node.
void InitParticleGroups();
void DisposeParticleGroups();

// A group number, or −1 when all are in use (not an error: skip the effect).
int16_t NewParticleGroup(const NewParticleGroupDefType* def);
// Beware the sense: true when NO particle was added (group not in use or full).
bool AddParticleToGroup(const NewParticleDefType* def);
// True if the group is in use and was made with that magic number.
bool VerifyParticleGroupMagicNum(int16_t group, uint32_t magicNum);
void DeleteAllParticleGroups();
// Live particles of a group (0 for a group not in use).
int CountParticlesInGroup(int16_t group);

//
// Per frame
//

// Moves, fades and kills every particle; frees empty groups.
void MoveParticleGroups(ObjNode* node);
// Builds the group meshes and draws those in view.
void DrawParticleGroup(ObjNode* node);
// Any bright enough particle (of a group sharing a flag bit with the mask; all
// groups for 0) within ±40 of one of the node's collision boxes.
bool ParticleHitObject(ObjNode* node, uint32_t flagMask);

// The attraction one particle feels from another `distance` away in a group
// of `baseScale`: min(1 / baseScale², 1 / d²), 0 for coincident particles.
float CalcParticleAttraction(float distance, float baseScale);
// The billboard of a particle at `coord` seen from `eye`, turned by rotZ.
void CalcParticleBillboard(const OGLPoint3D& coord, const OGLPoint3D& eye, float rotZ, OGLMatrix4x4* out);

//
// Emitters
//

void MakeSparkBurst(float x, float y, float z, float radius, uint8_t textureNum,
		uint32_t srcBlend, uint32_t dstBlend, float fadeRate);
void MakeRadialPuff(float x, float y, float z, float speed, float size, uint8_t textureNum, int maxCount);
void MakeBouncingSparks(float x, float z, const OGLVector3D* velocity);
void MakeDustRing(float x, float y, float z);
void MakeMagneticSmokeTrail(ObjNode* node, float x, float y, float z);
void MakeJointFlames(ObjNode* node, float scale);

// Smokers: a node from the level's item list that keeps puffing (Kind 0 … 3).
bool AddSmoker(TerrainItemEntryType* item, float x, float z);
void MoveSmoker(ObjNode* node);
