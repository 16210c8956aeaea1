// Plain scenery: every row differs only by its model, scale, facing, footing
// and box, so one routine reads the row of the item's type and builds it.
// Random sizes and headings come from the item's position, not the game's
// random numbers: a tree that leaves the window and comes back looks the
// same, and placing scenery never shifts a replay.
#include "Items/Scenery.h"
#include "3D/MetaObjectsRegistry.h"
#include "System/ContentNumbers.h"
#include "System/Game.h"
#include "System/Error.h"
#include "System/Level.h"
#include "System/Objects.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <set>
#include <utility>

namespace
{
	constexpr uint16_t SCENERY_SLOT = 4;
	constexpr float PI_F = 3.14159265f;

	enum SceneryStand : uint8_t
	{
		STAND_ON_TERRAIN,			// its origin at the ground height of its point
		STAND_LOWEST,				// on the lowest ground under its footprint: never floats on a slope
		STAND_ALIGNED,				// tilted to the ground every frame
		STAND_GROUNDED,				// its model's bottom kept on the ground every frame
	};

	enum SceneryTurn : uint8_t
	{
		TURN_NONE,
		TURN_PARM0,
		TURN_PARM1,
		TURN_FROM_PLACE,			// a heading that only depends on the item's point
	};

	enum SceneryBox : uint8_t
	{
		BOX_ROTATED,				// the turned bounds × (side, top)
		BOX_FIXED,					// ±halfWidth (±halfDepth in z), `height` high
		BOX_FIXED_MODEL_HEIGHTS,	// ±halfWidth, `height` × the model's own height
	};

	// What one kind of a family shows; rows without kinds use a single one.
	struct SceneryKind
	{
		int model;
		float scaleMin, scaleMax;	// equal: a fixed scale
		SceneryBox box;
		float halfWidth, halfDepth, height;
	};

	struct SceneryRow
	{
		uint16_t itemType;
		const char* badKind;		// the message for a parm[0] out of range; null: parm[0] is no kind
		const SceneryKind* kinds;	// families; null: the row's single model
		int numKinds;
		SceneryKind single;
		bool modelPlusParm0;		// single-model rows: model + parm[0]
		int extraModels[2];			// drawn with it at the same place; −1: none
		SceneryTurn turn;
		float turnUnit;				// radians per step of the turning parm
		SceneryStand stand;
		uint32_t cType;
		float boxSide, boxTop;		// BOX_ROTATED factors
		float alpha;
	};

	constexpr float QUARTER = PI_F / 2, HALF = PI_F, EIGHTH = PI_F / 4;
	constexpr uint32_t SOLID = CTYPE_MISC;
	constexpr uint32_t SOLID_BLOCKS_CAMERA = CTYPE_MISC | CTYPE_BLOCKCAMERA;

	// Plants: kind 1 is the broad bush the robot cannot squeeze past.
	constexpr SceneryKind kPlants[] = {
		{21, 4.5f, 6.0f, BOX_FIXED, 40, 40, 1000}, {14, 2.5f, 3.5f, BOX_FIXED, 160, 160, 1000},
		{15, 2.0f, 2.5f, BOX_FIXED, 40, 40, 1000}, {16, 4.0f, 5.0f, BOX_FIXED, 40, 40, 1000},
		{23, 4, 4, BOX_FIXED, 40, 40, 1000}, {24, 4, 4, BOX_FIXED, 40, 40, 1000},
		{25, 4, 4, BOX_FIXED, 40, 40, 1000}, {52, 2, 2, BOX_FIXED, 40, 40, 1000},
		{53, 2, 2, BOX_FIXED, 40, 40, 1000},
	};
	constexpr SceneryKind kCrystals[] = {
		{10, 3, 3, BOX_FIXED_MODEL_HEIGHTS, 210, 210, 3}, {11, 3, 3, BOX_FIXED_MODEL_HEIGHTS, 210, 210, 3},
		{12, 3, 3, BOX_ROTATED, 0, 0, 0}, {13, 3, 3, BOX_ROTATED, 0, 0, 0},
	};
	constexpr SceneryKind kLampPosts[] = {
		{24, 0.8f, 0.8f, BOX_ROTATED, 0, 0, 0}, {25, 0.8f, 0.8f, BOX_ROTATED, 0, 0, 0}, {26, 0.8f, 0.8f, BOX_ROTATED, 0, 0, 0},
	};
	constexpr SceneryKind kGraveStones[] = {
		{34, 0.6f, 0.6f, BOX_ROTATED, 0, 0, 0}, {35, 0.6f, 0.6f, BOX_ROTATED, 0, 0, 0}, {36, 0.6f, 0.6f, BOX_ROTATED, 0, 0, 0},
		{37, 0.6f, 0.6f, BOX_ROTATED, 0, 0, 0}, {38, 0.6f, 0.6f, BOX_ROTATED, 0, 0, 0},
	};
	constexpr SceneryKind kCrashedShips[] = {
		{39, 1.4f, 1.4f, BOX_FIXED, 100, 100, 500}, {40, 1.4f, 1.4f, BOX_FIXED, 550, 170, 500},
	};
	constexpr SceneryKind kRubble[] = {
		{43, 2, 2, BOX_ROTATED, 0, 0, 0}, {44, 2, 2, BOX_ROTATED, 0, 0, 0}, {45, 2, 2, BOX_ROTATED, 0, 0, 0},
		{46, 2, 2, BOX_ROTATED, 0, 0, 0}, {47, 2, 2, BOX_ROTATED, 0, 0, 0}, {48, 2, 2, BOX_ROTATED, 0, 0, 0},
		{49, 2, 2, BOX_ROTATED, 0, 0, 0},
	};
	// Every map sign shows the same model; the kind is which teleporter it maps.
	constexpr SceneryKind kTeleporterMaps[] = {
		{50, 2, 2, BOX_ROTATED, 0, 0, 0}, {50, 2, 2, BOX_ROTATED, 0, 0, 0}, {50, 2, 2, BOX_ROTATED, 0, 0, 0},
		{50, 2, 2, BOX_ROTATED, 0, 0, 0}, {50, 2, 2, BOX_ROTATED, 0, 0, 0},
	};
	constexpr SceneryKind kSlimePipes[] = {
		{0, 2, 2, BOX_ROTATED, 0, 0, 0}, {1, 2, 2, BOX_ROTATED, 0, 0, 0}, {2, 2, 2, BOX_ROTATED, 0, 0, 0},
		{3, 2, 2, BOX_ROTATED, 0, 0, 0}, {4, 2, 2, BOX_ROTATED, 0, 0, 0}, {5, 2, 2, BOX_ROTATED, 0, 0, 0},
		{6, 2, 2, BOX_ROTATED, 0, 0, 0},
	};

	// Single models: {model, scale}.
	#define ONE(model, scale) nullptr, 0, {model, scale, scale, BOX_ROTATED, 0, 0, 0}
	#define FAMILY(kinds) kinds, int(std::size(kinds)), {}

	const SceneryRow kSceneryRows[] = {
		{1, "AddBasicPlant: bad type", FAMILY(kPlants), false, {-1, -1}, TURN_FROM_PLACE, 0, STAND_LOWEST, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{11, nullptr, ONE(1, 1.5f), false, {-1, -1}, TURN_PARM0, QUARTER, STAND_ON_TERRAIN, SOLID | CTYPE_PUSH_BY_POSITION, 1, 1, 1},
		{12, nullptr, ONE(2, 2.5f), false, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{14, nullptr, ONE(22, 4), false, {-1, -1}, TURN_PARM0, HALF, STAND_GROUNDED, SOLID, 1, 1, 1},
		{17, nullptr, ONE(16, 2), false, {-1, -1}, TURN_NONE, 0, STAND_ALIGNED, SOLID, 1, 1, 1},
		{18, nullptr, ONE(20, 2.5f), false, {-1, -1}, TURN_NONE, 0, STAND_ALIGNED, SOLID, 1, 1, 1},
		{20, nullptr, ONE(0, 1), true, {-1, -1}, TURN_PARM1, EIGHTH, STAND_LOWEST, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{21, nullptr, ONE(23, 4), false, {24, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{22, nullptr, ONE(25, 5), false, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{23, nullptr, ONE(26, 2.3f), false, {-1, -1}, TURN_PARM0, QUARTER, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{24, nullptr, nullptr, 0, {27, 1.5f, 3.0f, BOX_ROTATED, 0, 0, 0}, true, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{25, nullptr, ONE(30, 1.3f), true, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{28, "AddSlimePipe: illegal slime type (parm 0)", FAMILY(kSlimePipes), false, {-1, -1}, TURN_NONE, 0, STAND_LOWEST, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{32, "AddBasicCrystal: illegal crystal type (parm 0)", FAMILY(kCrystals), false, {-1, -1}, TURN_PARM0, EIGHTH, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 0.7f, 1, 0.9f},
		{34, nullptr, ONE(26, 6), false, {27, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{36, nullptr, ONE(23, 1), true, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID | CTYPE_TRIGGER, 1, 1, 1},
		{38, nullptr, ONE(7, 1), false, {8, 9}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{42, nullptr, ONE(31, 3), true, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{43, nullptr, ONE(1, 10), true, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{48, nullptr, ONE(6, 8), false, {7, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{63, "AddLampPost: illegal type (parm 0)", FAMILY(kLampPosts), false, {-1, -1}, TURN_PARM0, QUARTER, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{65, "AddGraveStone: illegal type (parm 0)", FAMILY(kGraveStones), false, {-1, -1}, TURN_PARM1, QUARTER, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{66, "AddCrashedShip: illegal type (parm 0)", FAMILY(kCrashedShips), false, {-1, -1}, TURN_PARM0, QUARTER, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{68, "AddRubble: illegal type (parm 0)", FAMILY(kRubble), false, {-1, -1}, TURN_PARM1, QUARTER, STAND_LOWEST, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{69, "AddTeleporterMap: illegal type (parm 0)", FAMILY(kTeleporterMaps), false, {-1, -1}, TURN_PARM1, QUARTER, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{85, nullptr, ONE(28, 3), true, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID | CTYPE_PLATFORM, 1, 1, 1},
		{87, nullptr, ONE(1, 8), false, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{96, nullptr, ONE(40, 2.5f), true, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{100, nullptr, ONE(8, 1), false, {9, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{106, nullptr, ONE(29, 1.6f), false, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
		{107, nullptr, ONE(4, 9), false, {-1, -1}, TURN_NONE, 0, STAND_ON_TERRAIN, SOLID_BLOCKS_CAMERA, 1, 1, 1},
	};
	#undef ONE
	#undef FAMILY

	std::set<std::pair<int, int>> gWarnedMissingModels;

	const SceneryRow* FindSceneryRow(uint16_t itemType)
	{
		for (const SceneryRow& row : kSceneryRows)
			if (row.itemType == itemType)
				return &row;
		return nullptr;
	}

	// 0 … 1 from the item's point, steady from one wake to the next.
	float PlaceNoise(float x, float z, uint32_t salt)
	{
		uint32_t h = uint32_t(int32_t(x)) * 73856093u ^ uint32_t(int32_t(z)) * 19349663u ^ salt * 83492791u;
		h ^= h >> 13;
		h *= 0x5bd1e995u;
		h ^= h >> 15;
		return float(h & 0xFFFFFF) / float(0x1000000);
	}

	float StandHeight(SceneryStand stand, float x, float z, int model, float scale)
	{
		if (stand == STAND_LOWEST)
			return MinTerrainHeightUnderModel(x, z, MODEL_GROUP_LEVELSPECIFIC, model, scale);
		return TerrainHeightAt(x, z);
	}

	ObjNodeRoutine MoveRoutineFor(SceneryStand stand)
	{
		switch (stand)
		{
			case STAND_ALIGNED:		return MoveStaticObjectOnTerrain;
			case STAND_GROUNDED:	return MoveStaticObjectGrounded;
			default:				return MoveStaticObject;
		}
	}
}

int SceneryItemModels(const TerrainItemEntryType& item, int models[3])
{
	switch (item.type)
	{
		case 13:	models[0] = JET_BREAKABLE_MODEL; return 1;
		case 19:	models[0] = SPEED_BREAKABLE_MODEL; return 1;
		case 54:	models[0] = GIANT_BREAKABLE_MODEL + item.parm[0]; return item.parm[0] < NUM_GIANT_BREAKABLE_KINDS;
		case 16:	models[0] = SPROUT_MODEL + item.parm[0]; return item.parm[0] < NUM_SPROUT_KINDS;
		default:	break;
	}
	const SceneryRow* row = FindSceneryRow(item.type);
	if (!row || (row->badKind && item.parm[0] >= row->numKinds))
		return 0;
	const SceneryKind& kind = row->kinds ? row->kinds[item.parm[0] * (row->badKind ? 1 : 0)] : row->single;
	int n = 0;
	models[n++] = kind.model + (row->modelPlusParm0 ? item.parm[0] : 0);
	for (int extra : row->extraModels)
		if (extra >= 0)
			models[n++] = extra;
	return n;
}

void ResetSceneryWarnings()
{
	gWarnedMissingModels.clear();
}

bool SceneryModelExists(int itemType, int model)
{
	if (model >= 0 && model < gNumObjectsInBG3DGroupList[MODEL_GROUP_LEVELSPECIFIC])
		return true;
	if (gWarnedMissingModels.insert({itemType, model}).second)
		std::fprintf(stderr, "Scenery: item %d (%s) wants level model %d, which level %d's model file does not have; "
				"the item is left out\n", itemType, kItemAddRoutines[itemType].name, model, gCurrentLevel);
	return false;
}

bool AddSceneryItem(TerrainItemEntryType* item, float x, float z)
{
	const SceneryRow* row = FindSceneryRow(item->type);
	if (!row)
		FatalAlert("AddSceneryItem: item type %d is not scenery", item->type);

	int kindIndex = 0;
	if (row->badKind)
	{
		if (item->parm[0] >= row->numKinds)
			FatalAlert("%s", row->badKind);
		kindIndex = item->parm[0];
	}
	const SceneryKind& kind = row->kinds ? row->kinds[kindIndex] : row->single;
	int models[3];
	int numModels = SceneryItemModels(*item, models);
	for (int i = 0; i < numModels; i++)
		if (!SceneryModelExists(item->type, models[i]))
			return false;
	int model = models[0];

	float scale = kind.scaleMin;
	if (kind.scaleMax > kind.scaleMin)
		scale += (kind.scaleMax - kind.scaleMin) * PlaceNoise(x, z, 1);
	if (item->type == 20 && item->parm[2])
		scale = SCENERY_BY_KIND_SCALE_STEP * float(item->parm[2]);

	float rot = 0;
	switch (row->turn)
	{
		case TURN_PARM0:		rot = float(item->parm[0]) * row->turnUnit; break;
		case TURN_PARM1:		rot = float(item->parm[1]) * row->turnUnit; break;
		case TURN_FROM_PLACE:	rot = 2 * PI_F * PlaceNoise(x, z, 2); break;
		case TURN_NONE:			break;
	}

	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(model);
	def.coord = {x, StandHeight(row->stand, x, z, model, scale), z};
	def.flags = gAutoFadeStatusBits;
	def.slot = SCENERY_SLOT;
	def.moveCall = MoveRoutineFor(row->stand);
	def.rot = rot;
	def.scale = scale;
	ObjNode* node = MakeNewDisplayGroupObject(&def);
	if (row->alpha < 1)
		node->ColorFilter.a = row->alpha;
	node->CType = row->cType;
	node->CBits = SIDE_ALL;
	node->TerrainItemPtr = item;

	switch (kind.box)
	{
		case BOX_ROTATED:
			CreateCollisionBoxFromBoundingBox_Rotated(node, row->boxSide, row->boxTop);
			break;
		case BOX_FIXED:
			SetObjectCollisionBounds(node, int16_t(kind.height), 0, int16_t(-kind.halfWidth), int16_t(kind.halfWidth),
					int16_t(kind.halfDepth), int16_t(-kind.halfDepth));
			break;
		case BOX_FIXED_MODEL_HEIGHTS:
		{
			const OGLBoundingBox& bb = gObjectGroupBBoxList[MODEL_GROUP_LEVELSPECIFIC][model];
			float height = kind.height * (bb.max.y - bb.min.y) * scale;
			SetObjectCollisionBounds(node, int16_t(std::fmin(height, 32000.0f)), 0, int16_t(-kind.halfWidth),
					int16_t(kind.halfWidth), int16_t(kind.halfWidth), int16_t(-kind.halfWidth));
			break;
		}
	}
	if (row->stand == STAND_ALIGNED)
		AlignNodeToTerrain(node, 0, nullptr);

	// Parts drawn with the main model ride its chain: they come and go with it.
	for (int extra : row->extraModels)
	{
		if (extra < 0)
			continue;
		ObjectDef part = def;
		part.type = uint8_t(extra);
		part.moveCall = nullptr;
		part.slot = SLOT_OF_DUMB;
		part.chainTail = node;
		ObjNode* partNode = MakeNewDisplayGroupObject(&part);
		if (row->alpha < 1)
			partNode->ColorFilter.a = row->alpha;
	}
	return true;
}
