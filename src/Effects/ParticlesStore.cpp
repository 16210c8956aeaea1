// The particle store: 120 preallocated groups of 250 particles, each with its
// own mesh, and the node that moves and draws them.
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Effects/VaporTrails.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/Sprites.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "System/Pool.h"
#include "Memory.h"

#include <SDL_opengl.h>

Pool* gParticleGroupPool = nullptr;
ParticleGroupType gParticleGroups[MAX_PARTICLE_GROUPS];

static constexpr int MESH_POINTS = MAX_PARTICLES * 4;
static constexpr int MESH_TRIANGLES = MAX_PARTICLES * 2;

static MetaObjectPtr MakeGroupMesh()
{
	MOVertexArrayData mesh = {};
	mesh.numMaterials = 0;
	mesh.points = reinterpret_cast<OGLPoint3D*>(NewPtrClear(int32_t(sizeof(OGLPoint3D) * MESH_POINTS)));
	mesh.uvs[0] = reinterpret_cast<OGLTextureCoord*>(NewPtr(int32_t(sizeof(OGLTextureCoord) * MESH_POINTS)));
	mesh.colorsByte = reinterpret_cast<OGLColorRGBA_Byte*>(NewPtrClear(int32_t(sizeof(OGLColorRGBA_Byte) * MESH_POINTS)));
	mesh.triangles = reinterpret_cast<uint32_t*>(NewPtr(int32_t(sizeof(uint32_t) * 3 * MESH_TRIANGLES)));
	GAME_ASSERT(mesh.points && mesh.uvs[0] && mesh.colorsByte && mesh.triangles);

	// Every quad keeps the same corners and triangles; only points and colours change.
	static const OGLTextureCoord kCorners[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
	for (int q = 0; q < MAX_PARTICLES; q++)
	{
		for (int c = 0; c < 4; c++)
			mesh.uvs[0][q * 4 + c] = kCorners[c];
		uint32_t* t = &mesh.triangles[q * 6];
		uint32_t b = uint32_t(q * 4);
		t[0] = b; t[1] = b + 1; t[2] = b + 2;
		t[3] = b; t[4] = b + 2; t[5] = b + 3;
	}
	return MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &mesh);
}

void InitParticleGroups()
{
	GAME_ASSERT(!gParticleGroupPool);
	gParticleGroupPool = Pool_New(MAX_PARTICLE_GROUPS);
	for (int i = 0; i < MAX_PARTICLE_GROUPS; i++)
	{
		ParticleGroupType& pg = gParticleGroups[i];
		GAME_ASSERT(gParticleGroups[i].geometryObj == NULL);
		pg = {};
		pg.pool = Pool_New(MAX_PARTICLES);
		pg.geometryObj = MakeGroupMesh();
		for (int p = 0; p < MAX_PARTICLES; p++)
			pg.vaporTrail[p] = -1;
	}
}

void DisposeParticleGroups()
{
	if (!gParticleGroupPool)
		return;
	DeleteAllParticleGroups();
	GAME_ASSERT(0 == Pool_Size(gParticleGroupPool));
	for (int i = 0; i < MAX_PARTICLE_GROUPS; i++)
	{
		GAME_ASSERT(gParticleGroups[i].geometryObj);
		MO_DisposeObjectReference(gParticleGroups[i].geometryObj);
		gParticleGroups[i].geometryObj = nullptr;
		GAME_ASSERT(gParticleGroups[i].pool);
		Pool_Free(gParticleGroups[i].pool);
		gParticleGroups[i].pool = nullptr;
	}
	Pool_Free(gParticleGroupPool);
	gParticleGroupPool = nullptr;
}

void InitParticleSystem()
{
	InitParticleGroups();

	LoadSpriteGroup(SPRITE_GROUP_PARTICLES, NUM_PARTICLE_SPRITES, SPRITE_SET_PARTICLES);
	BlendAllSpritesInGroup(SPRITE_GROUP_PARTICLES);

	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 3098;		// after the world, before the sparkles
	def.moveCall = MoveParticleGroups;
	def.drawCall = DrawParticleGroup;
	def.drawPass = DRAW_PASS_TRANSLUCENT;
	def.flags = STATUS_BIT_NOZWRITES | STATUS_BIT_NOLIGHTING | STATUS_BIT_KEEPBACKFACES;
	def.scale = 1;
	MakeNewObject(&def);
}

void DisposeParticleSystem()
{
	DisposeParticleGroups();
	DisposeSpriteGroup(SPRITE_GROUP_PARTICLES);
	DisposeShardSystem();
	DisposeSparkles();
}

// The material of a particle image, or none while the images are not loaded
// (runs without a view). A number past the loaded images is a caller's bug.
static MetaObjectPtr ParticleMaterial(int textureNum)
{
	if (!gSpriteGroupList[SPRITE_GROUP_PARTICLES])
		return nullptr;
	GAME_ASSERT(textureNum < gNumSpritesInGroupList[SPRITE_GROUP_PARTICLES]);
	return gSpriteGroupList[SPRITE_GROUP_PARTICLES][textureNum].materialObject;
}

int16_t NewParticleGroup(const NewParticleGroupDefType* def)
{
	GAME_ASSERT(gParticleGroupPool);
	int32_t g = Pool_AllocateIndex(gParticleGroupPool);
	if (g < 0)
		return -1;

	ParticleGroupType* pg = &gParticleGroups[g];
	GAME_ASSERT(pg->pool);
	Pool_Reset(pg->pool);
	pg->magicNum = def->magicNum;
	pg->type = def->type;
	pg->flags = def->flags;
	pg->gravity = def->gravity;
	pg->magnetism = def->magnetism;
	pg->baseScale = def->baseScale;
	pg->decayRate = def->decayRate;
	pg->fadeRate = def->fadeRate;
	pg->particleTextureNum = def->particleTextureNum;
	pg->srcBlend = def->srcBlend;
	pg->dstBlend = def->dstBlend;

	MOVertexArrayData* mesh = MO_VertexArrayData(pg->geometryObj);
	MO_ReleaseVertexArrayMaterials(mesh);
	MetaObjectPtr material = ParticleMaterial(def->particleTextureNum);
	mesh->materials[0] = material ? MO_AddReference(material) : nullptr;
	mesh->numMaterials = material ? 1 : 0;
	mesh->numPoints = 0;
	mesh->numTriangles = 0;
	return int16_t(g);
}

bool AddParticleToGroup(const NewParticleDefType* def)
{
	int group = def->groupNum;
	GAME_ASSERT(group >= 0);
	GAME_ASSERT(group < MAX_PARTICLE_GROUPS);
	if (!gParticleGroupPool || !Pool_IsUsed(gParticleGroupPool, group))
		return true;

	ParticleGroupType* pg = &gParticleGroups[group];
	int32_t p = Pool_AllocateIndex(pg->pool);
	if (p < 0)
		return true;

	pg->alpha[p] = def->alpha;
	pg->scale[p] = def->scale;
	pg->rotZ[p] = def->rotZ;
	pg->rotDZ[p] = def->rotDZ;
	pg->coord[p] = *def->where;
	pg->delta[p] = *def->delta;
	pg->vaporTrail[p] = -1;

	if (pg->flags & PARTICLE_FLAGS_VAPORTRAIL)
	{
		OGLColorRGBA color = {1, 0.5f, 0.5f, def->alpha};
		pg->vaporTrail[p] = CreateNewVaporTrail(nullptr, uint8_t(group), VAPORTRAIL_TYPE_COLORSTREAK,
				def->where, &color, 0.3f, 2.0f, 50);
	}
	return false;
}

bool VerifyParticleGroupMagicNum(int16_t group, uint32_t magicNum)
{
	if (!gParticleGroupPool || group < 0 || group >= MAX_PARTICLE_GROUPS)
		return false;
	return Pool_IsUsed(gParticleGroupPool, group) && gParticleGroups[group].magicNum == magicNum;
}

int CountParticlesInGroup(int16_t group)
{
	if (!gParticleGroupPool || group < 0 || group >= MAX_PARTICLE_GROUPS || !Pool_IsUsed(gParticleGroupPool, group))
		return 0;
	return Pool_Size(gParticleGroups[group].pool);
}

void DeleteAllParticleGroups()
{
	if (!gParticleGroupPool)
		return;
	for (int32_t g = Pool_First(gParticleGroupPool); g >= 0;)
	{
		int32_t next = Pool_Next(gParticleGroupPool, g);
		ParticleGroupType* pg = &gParticleGroups[g];
		Pool_Reset(pg->pool);
		MOVertexArrayData* mesh = MO_VertexArrayData(pg->geometryObj);
		mesh->numPoints = 0;
		mesh->numTriangles = 0;
		Pool_ReleaseIndex(gParticleGroupPool, g);
		g = next;
	}
	GAME_ASSERT(Pool_IsEmpty(gParticleGroupPool));
}
