// Terrain files (the format: TerrainFormat.h): the resource fork (height
// field, supertile grid, tile attributes, items, splines, fences, water) and
// the data fork (one LZSS compressed 128 × 128 texture per unique supertile),
// read into the tables the supertiles, items, splines, fences and water work from.
#pragma once

#include "Terrain/TerrainFormat.h"
#include "System/Math.h"
#include "PlatformTypes.h"

#include <cstddef>
#include <cstdint>

struct FSSpec;
struct MetaObjectHeader;

// One pixel of each neighbour around a supertile's texture, so that linear
// filtering shows no seams.
constexpr int SUPERTILE_BORDERED_SIZE = SUPERTILE_TEXMAP_SIZE + 2;	// 130

//
// Records (in memory, host byte order)
//

struct TileAttribType
{
	uint16_t flags;
	uint8_t unused[2];
};
static_assert(sizeof(TileAttribType) == 4);

struct SuperTileGridType
{
	uint8_t flag;				// copied from the file, not otherwise used
	uint8_t spare;
	uint16_t textureNum;		// 0: an empty supertile (no geometry, never drawn)
};
static_assert(sizeof(SuperTileGridType) == 4);

struct TerrainItemEntryType
{
	uint32_t x;					// map units in the file, world units once loaded
	uint32_t z;
	uint16_t type;
	uint8_t parm[4];
	uint16_t flags;				// ITEM_FLAG_INUSE while an object made from it lives
};
static_assert(sizeof(TerrainItemEntryType) == 16);

struct SplinePointType
{
	float x, z;
};

struct SplineItemType
{
	float placement;			// 0 … 1 along the loop
	uint16_t type;
	uint8_t parm[4];
	uint16_t flags;				// bit 0: already made into an object
};
static_assert(sizeof(SplineItemType) == 12);

struct SplineRecord
{
	int32_t numNubs;
	SplinePointType** nubList;		// handle of numNubs points, map units
	int32_t numPoints;
	SplinePointType** pointList;	// handle of numPoints points
	int32_t numItems;
	SplineItemType** itemList;		// handle of numItems items
	int16_t bBox[4];				// the spline's area as stored in the file
};

struct FenceRecord
{
	uint16_t type;
	int32_t numNubs;
	OGLPoint3D* nubList;			// numNubs points (x, 0, z), map units until primed
	OGLBoundingBox bBox;
	bool isCulled;
	OGLVector2D* sectionVectors;	// made when the fences are primed
	OGLVector2D* sectionNormals;
};

struct WaterPatchRecord
{
	uint16_t type;
	uint16_t padding;
	uint32_t flags;
	int32_t height;
	int16_t numNubs;
	uint8_t padding2[6];
	OGLPoint2D nubList[MAX_WATER_RECORD_NUBS];		// (x, z) outline, map units
	float hotSpotX;
	float hotSpotZ;
	int16_t bBox[4];
};
static_assert(sizeof(WaterPatchRecord) == 836);
static_assert(offsetof(WaterPatchRecord, nubList) == 20);
static_assert(offsetof(WaterPatchRecord, hotSpotX) == 820);

//
// The tables of the loaded terrain
//

extern int32_t gNumTerrainItems;
extern int32_t gMapTilesWide, gMapTilesDeep;
extern int32_t gMapUnitWidth, gMapUnitDepth;
extern int32_t gSuperTilesWide, gSuperTilesDeep;
extern int32_t gNumSplines, gNumFences, gNumUniqueSuperTiles, gNumWaterPatches;
extern float gTerrainTileSize;							// 'Hedr' tileSize, for reference

extern TileAttribType* gTileAttributes;
extern int32_t gNumTileAttributes;
extern SuperTileGridType** gSuperTileTextureGrid;		// [gSuperTilesDeep][gSuperTilesWide]
extern uint16_t** gTileAttribIndexGrid;				// [gMapTilesDeep][gMapTilesWide]
extern float** gMapHeights;							// [gMapTilesDeep + 1][gMapTilesWide + 1], live
extern float** gMapBaseHeights;						// the same, never deformed
extern TerrainItemEntryType* gTerrainItemList;
extern SplineRecord* gSplineList;
extern FenceRecord* gFenceList;
extern WaterPatchRecord* gWaterList;

// Decoded supertile textures: gNumUniqueSuperTiles × 128 × 128 pixels of
// 1-5-5-5 (alpha in bit 15), host order. Kept from reading until the
// materials are made (or the terrain is disposed, when nothing draws it).
extern uint16_t* gSuperTileTexturePixels;
// One material per texture number; entry 0 (the blank texture) stays empty.
extern MetaObjectHeader* gSuperTileTextureObjects[MAX_SUPERTILE_TEXTURES];

//
// Reading
//

// Where the table reader gets its resources: the open terrain file in the
// game, a parsed buffer in tests and the fuzzer. `get` returns a handle the
// reader owns until it gives it to `release`, or null when the resource is missing.
struct TerrainResourceSource
{
	Handle (*get)(OSType type, int16_t id);
	void (*release)(Handle resource);
};

// Reads the terrain file (both forks) and makes the supertile materials.
// Needs an active view. Any fault in the file stops the program with a
// message naming the file.
void ReadDataFromPlayfieldFile(const FSSpec* spec);

// The same without OpenGL: tables and decoded textures, no materials.
void ReadTerrainFileData(const FSSpec* spec);

// Steps of the above, each usable alone (tests, tools, the fuzzer). `fileName`
// names the file in messages.
void ReadTerrainTables(const TerrainResourceSource& source, const char* fileName);
void DecodeSuperTileTextures(const uint8_t* dataFork, size_t size, const char* fileName);

// Builds the 130 × 130 texture of grid cell (row, col): its own 128 × 128
// pixels inside a one-pixel frame taken from the neighbours' edges (so linear
// filtering shows no seams). Needs gSuperTileTexturePixels.
void BuildBorderedSuperTileTexture(int row, int col, uint16_t* out130x130);

// Uploads every used texture as a material (then frees the decoded pixels).
// A texture with no clear texel gets an opaque material (nothing to blend).
void CreateSuperTileMaterials();
// Whether any supertile texture of the level has clear texels (the see-through
// black of some grounds): its edges blend with what was drawn behind them, so
// such ground keeps its supertiles in map order.
extern bool gTerrainHasClearTexels;
// Whether a 1-5-5-5 texture has a texel whose alpha bit is clear.
bool HasClearTexels(const uint16_t* texels, int count);

// Frees every table read from the terrain file and resets the counts; safe
// when nothing is loaded. (Materials are released by DisposeTerrain.)
void DisposeTerrainFileTables();
