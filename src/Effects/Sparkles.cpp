// The sparkle store, its node, and the runway lights built from it.
#include "Effects/Sparkles.h"
#include "System/Error.h"
#include "System/Pool.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <cmath>

Pool* gSparklePool = nullptr;
SparkleType gSparkles[MAX_SPARKLES];

static constexpr float RUNWAY_LIGHT_SPACING = 112.5f;
static constexpr float RUNWAY_LIGHT_HEIGHT = 20.0f;

void InitSparkleStore()
{
	GAME_ASSERT(!gSparklePool);
	gSparklePool = Pool_New(MAX_SPARKLES);
	for (SparkleType& s : gSparkles)
		s = {};
}

void InitSparkles()
{
	InitSparkleStore();

	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 3099;		// after the particles
	def.drawCall = DrawSparkles;
	def.drawPass = DRAW_PASS_TRANSLUCENT;
	def.flags = STATUS_BIT_DONTCULL;
	def.scale = 1;
	MakeNewObject(&def);
}

void DisposeSparkles()
{
	if (!gSparklePool)
		return;
	Pool_Free(gSparklePool);
	gSparklePool = nullptr;
	for (SparkleType& s : gSparkles)
		s.owner.Clear();
}

int16_t GetFreeSparkle(ObjNode* owner)
{
	if (!gSparklePool)
		return -1;
	int32_t i = Pool_AllocateIndex(gSparklePool);
	if (i < 0)
		return -1;
	SparkleType& s = gSparkles[i];
	s = {};
	if (owner)
		s.owner = ObjNodeRef(owner);
	s.color = {1, 1, 1, 1};
	s.scale = 1;
	return int16_t(i);
}

void DeleteSparkle(int16_t i)
{
	if (i == -1)
		return;
	// Nodes can outlive the level's store: their sparkles went with it.
	if (!gSparklePool)
		return;
	GAME_ASSERT(i >= 0 && i < MAX_SPARKLES);
	GAME_ASSERT(Pool_IsUsed(gSparklePool, i));
	gSparkles[i].owner.Clear();
	Pool_ReleaseIndex(gSparklePool, i);
}

bool AddRunwayLights(TerrainItemEntryType* item, float x, float z)
{
	int count = item->parm[0] ? item->parm[0] : 1;
	if (count > MAX_NODE_SPARKLES)
		FatalAlert("AddRunwayLights: # lights > MAX_NODE_SPARKLES");
	float heading = float(item->parm[1]) * OGLMath_DegreesToRadians(22.5f);
	uint8_t texture = item->parm[2];
	bool flicker = item->parm[3] & 1;

	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.slot = 100;
	def.moveCall = MoveStaticObject;
	def.flags = STATUS_BIT_DONTCULL;
	def.rot = heading;
	def.scale = 1;
	ObjNode* node = MakeNewObject(&def);
	node->TerrainItemPtr = item;

	float dx = -std::sin(heading) * RUNWAY_LIGHT_SPACING, dz = -std::cos(heading) * RUNWAY_LIGHT_SPACING;
	for (int i = 0; i < count; i++)
	{
		int16_t s = GetFreeSparkle(node);
		node->Sparkles[i] = s;
		if (s < 0)
			break;
		float px = x + dx * float(i), pz = z + dz * float(i);
		SparkleType& sp = gSparkles[s];
		sp.flags = uint32_t(SPARKLE_FLAG_OMNIDIRECTIONAL) | (flicker ? uint32_t(SPARKLE_FLAG_FLICKER) : 0u);
		sp.where = {px, TerrainHeightAt(px, pz) + RUNWAY_LIGHT_HEIGHT, pz};
		sp.color = {1, 1, 1, 1};
		sp.scale = 60;
		sp.separation = 40;
		sp.textureNum = texture;
	}
	return true;
}
