// Reading a terrain file's resource fork into the terrain tables. Every count,
// size and index in the file is checked against the data before it is used:
// a broken file stops the program with a message naming it, never a read past
// a resource or a table.
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainArrays.h"
#include "Terrain/LZSS.h"
#include "Terrain/Splines.h"
#include "System/Error.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "DataReaders.h"
#include "Memory.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int32_t gNumTerrainItems = 0;
int32_t gMapTilesWide = 0, gMapTilesDeep = 0;
int32_t gMapUnitWidth = 0, gMapUnitDepth = 0;
int32_t gSuperTilesWide = 0, gSuperTilesDeep = 0;
int32_t gNumSplines = 0, gNumFences = 0, gNumUniqueSuperTiles = 0, gNumWaterPatches = 0;
float gTerrainTileSize = 0;

TileAttribType* gTileAttributes = nullptr;
int32_t gNumTileAttributes = 0;
SuperTileGridType** gSuperTileTextureGrid = nullptr;
uint16_t** gTileAttribIndexGrid = nullptr;
float** gMapHeights = nullptr;
float** gMapBaseHeights = nullptr;
TerrainItemEntryType* gTerrainItemList = nullptr;
SplineRecord* gSplineList = nullptr;
FenceRecord* gFenceList = nullptr;
WaterPatchRecord* gWaterList = nullptr;
uint16_t* gSuperTileTexturePixels = nullptr;

namespace
{
	std::string gReadingFile;

	[[noreturn]] void __attribute__((format(printf, 1, 2))) Fail(const char* format, ...)
	{
		char text[512];
		va_list args;
		va_start(args, format);
		vsnprintf(text, sizeof(text), format, args);
		va_end(args);
		FatalAlert("%s (terrain file \"%s\")", text, gReadingFile.c_str());
	}

	// Assertion-style failures keep the reader's name, as the checks of the
	// original reading order do.
#define TERRAIN_CHECK(condition, message) \
	do { if (!(condition)) Fail("Assertion failed! ReadDataFromPlayfieldFile:%d: %s", __LINE__, message); } while (0)

	float BEFloat(const uint8_t* p)
	{
		uint32_t bits = PeekBEU32(p);
		float f;
		memcpy(&f, &bits, 4);
		return f;
	}
	int16_t BES16(const uint8_t* p) { return int16_t(PeekBEU16(p)); }
	int32_t BES32(const uint8_t* p) { return int32_t(PeekBEU32(p)); }

	// Holds one resource and gives it back however the reading ends.
	class Resource
	{
	public:
		Resource(const TerrainResourceSource& source, OSType type, int16_t id)
			: mSource(source), mType(type), mID(id), mHandle(source.get(type, id)) {}
		~Resource() { if (mHandle) mSource.release(mHandle); }
		Resource(const Resource&) = delete;
		Resource& operator=(const Resource&) = delete;

		explicit operator bool() const { return mHandle != nullptr; }
		int32_t Size() const { return GetHandleSize(mHandle); }
		const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(*mHandle); }

		// Stops unless the resource holds `count` records of `recordSize` bytes.
		void RequireRecords(int64_t count, int64_t recordSize) const
		{
			int64_t needed = count * recordSize;
			if (int64_t(Size()) < needed)
				Fail("ReadDataFromPlayfieldFile: '%s' %d holds %d bytes, too few for %lld records of %lld bytes",
						FourCCString(mType).c_str(), mID, Size(), (long long)count, (long long)recordSize);
		}

	private:
		const TerrainResourceSource& mSource;
		OSType mType;
		int16_t mID;
		Handle mHandle;
	};

	// Map units to world units, truncated; a value too large for the world
	// stays outside every map instead of overflowing.
	uint32_t MapToWorld(uint32_t mapUnits)
	{
		double world = double(float(mapUnits) * MAP_TO_UNIT_SCALE);
		return world >= 4294967295.0 ? UINT32_MAX : uint32_t(world);
	}

	// Resource IDs are 16-bit: lists of per-record resources start at 1000.
	void CheckPerRecordIDs(int32_t count, const char* what)
	{
		if (count > INT16_MAX - TERRAIN_RES_ID + 1)
			Fail("ReadDataFromPlayfieldFile: %d %s is more than the resource numbers allow", count, what);
	}

	struct Header
	{
		int32_t numItems, width, depth;
		float tileSize;
		int32_t numSplines, numFences, numUniqueSuperTiles, numWaterPatches;
	};

	Header ReadHeader(const TerrainResourceSource& source)
	{
		Resource res(source, TERRAIN_RES_HEADER, TERRAIN_RES_ID);
		TERRAIN_CHECK(res, "Error reading header resource!");
		res.RequireRecords(1, FILE_HEADER_SIZE);
		const uint8_t* p = res.Bytes();
		Header h;
		h.numItems = BES32(p + 4);
		h.width = BES32(p + 8);
		h.depth = BES32(p + 12);
		h.tileSize = BEFloat(p + 24);
		h.numSplines = BES32(p + 36);
		h.numFences = BES32(p + 40);
		h.numUniqueSuperTiles = BES32(p + 44);
		h.numWaterPatches = BES32(p + 48);

		if (h.width <= 0 || h.width > MAX_TERRAIN_TILES)
			Fail("ReadDataFromPlayfieldFile: terrain width %d is not between 8 and %d", h.width, MAX_TERRAIN_TILES);
		if (h.width % SUPERTILE_TILES)
			Fail("ReadDataFromPlayfieldFile: terrain width not a supertile multiple");
		if (h.depth <= 0 || h.depth > MAX_TERRAIN_TILES)
			Fail("ReadDataFromPlayfieldFile: terrain depth %d is not between 8 and %d", h.depth, MAX_TERRAIN_TILES);
		if (h.depth % SUPERTILE_TILES)
			Fail("ReadDataFromPlayfieldFile: terrain depth not a supertile multiple");
		if (!(h.tileSize > 0) || !std::isfinite(h.tileSize))
			Fail("ReadDataFromPlayfieldFile: tile size %g is not a positive number", double(h.tileSize));
		if (h.numItems < 0)
			Fail("ReadDataFromPlayfieldFile: negative item count %d", h.numItems);
		if (h.numUniqueSuperTiles < 1 || h.numUniqueSuperTiles > MAX_SUPERTILE_TEXTURES)
			Fail("ReadDataFromPlayfieldFile: %d supertile textures (1 to %d allowed)",
					h.numUniqueSuperTiles, MAX_SUPERTILE_TEXTURES);
		return h;
	}

	void ReadTileAttributes(const TerrainResourceSource& source)
	{
		Resource res(source, TERRAIN_RES_TILE_ATTRIBUTES, TERRAIN_RES_ID);
		TERRAIN_CHECK(res, "Error reading tile attrib resource!");
		int32_t count = res.Size() / FILE_TILE_ATTRIBUTE_SIZE;
		if (count < 1)
			Fail("ReadDataFromPlayfieldFile: 'Atrb' holds no tile attributes");

		gTileAttributes = reinterpret_cast<TileAttribType*>(NewPtrClear(count * int32_t(sizeof(TileAttribType))));
		for (int32_t i = 0; i < count; i++)
			gTileAttributes[i].flags = PeekBEU16(res.Bytes() + i * FILE_TILE_ATTRIBUTE_SIZE);		// the other two bytes are not used
		gNumTileAttributes = count;
	}

	void ReadSuperTileGrid(const TerrainResourceSource& source)
	{
		Resource res(source, TERRAIN_RES_SUPERTILE_GRID, TERRAIN_RES_ID);
		TERRAIN_CHECK(res, "Error reading supertile rez resource!");
		res.RequireRecords(int64_t(gSuperTilesDeep) * gSuperTilesWide, FILE_SUPERTILE_GRID_SIZE);
		gSuperTileTextureGrid = Alloc2DArray<SuperTileGridType>(gSuperTilesDeep, gSuperTilesWide);

		std::vector<bool> used(size_t(gNumUniqueSuperTiles), false);
		const uint8_t* p = res.Bytes();
		for (int row = 0; row < gSuperTilesDeep; row++)
			for (int col = 0; col < gSuperTilesWide; col++, p += 4)
			{
				SuperTileGridType& cell = gSuperTileTextureGrid[row][col];
				cell.flag = p[0];
				cell.spare = 0;
				cell.textureNum = PeekBEU16(p + 2);
				if (cell.textureNum >= gNumUniqueSuperTiles)
					Fail("ReadDataFromPlayfieldFile: supertile (row %d, column %d) uses texture %d of %d",
							row, col, cell.textureNum, gNumUniqueSuperTiles);
				if (cell.textureNum != 0)
				{
					TERRAIN_CHECK(!used[cell.textureNum], "supertile isn't unique!");
					used[cell.textureNum] = true;
				}
			}
	}

	void ReadTileAttributeGrid(const TerrainResourceSource& source)
	{
		Resource res(source, TERRAIN_RES_TILE_LAYER, TERRAIN_RES_ID);
		TERRAIN_CHECK(res, "Error reading map layer rez");
		res.RequireRecords(int64_t(gMapTilesDeep) * gMapTilesWide, 2);
		gTileAttribIndexGrid = Alloc2DArray<uint16_t>(gMapTilesDeep, gMapTilesWide);

		const uint8_t* p = res.Bytes();
		for (int row = 0; row < gMapTilesDeep; row++)
			for (int col = 0; col < gMapTilesWide; col++, p += 2)
			{
				uint16_t index = PeekBEU16(p);
				if (index >= gNumTileAttributes)
					Fail("ReadDataFromPlayfieldFile: tile (row %d, column %d) uses attribute %d of %d",
							row, col, index, gNumTileAttributes);
				gTileAttribIndexGrid[row][col] = index;
			}
	}

	void ReadHeights(const TerrainResourceSource& source)
	{
		Resource res(source, TERRAIN_RES_HEIGHTS, TERRAIN_RES_ID);
		TERRAIN_CHECK(res, "Error reading height data resource!");
		res.RequireRecords(int64_t(gMapTilesDeep + 1) * (gMapTilesWide + 1), 4);
		gMapHeights = Alloc2DArray<float>(gMapTilesDeep + 1, gMapTilesWide + 1);
		gMapBaseHeights = Alloc2DArray<float>(gMapTilesDeep + 1, gMapTilesWide + 1);

		float scale = float(TILE_UNITS) / gTerrainTileSize;
		const uint8_t* p = res.Bytes();
		for (int row = 0; row <= gMapTilesDeep; row++)
			for (int col = 0; col <= gMapTilesWide; col++, p += 4)
			{
				float h = BEFloat(p) * scale;
				if (!std::isfinite(h))
					Fail("ReadDataFromPlayfieldFile: the height at (row %d, column %d) is not a number", row, col);
				gMapHeights[row][col] = h;
				gMapBaseHeights[row][col] = h;
			}
	}

	void ReadItems(const TerrainResourceSource& source)
	{
		Resource res(source, TERRAIN_RES_ITEMS, TERRAIN_RES_ID);
		TERRAIN_CHECK(res, "Error reading itemlist resource!");
		TERRAIN_CHECK(int64_t(res.Size()) == int64_t(gNumTerrainItems) * FILE_ITEM_SIZE,
				"GetHandleSize(hand) == (Size)(gNumTerrainItems * sizeof(TerrainItemEntryType))");
		if (gNumTerrainItems == 0)
			return;

		gTerrainItemList = reinterpret_cast<TerrainItemEntryType*>(
				NewPtrClear(gNumTerrainItems * int32_t(sizeof(TerrainItemEntryType))));
		const uint8_t* p = res.Bytes();
		for (int32_t i = 0; i < gNumTerrainItems; i++, p += FILE_ITEM_SIZE)
		{
			TerrainItemEntryType& item = gTerrainItemList[i];
			item.x = MapToWorld(PeekBEU32(p));
			item.z = MapToWorld(PeekBEU32(p + 4));
			item.type = PeekBEU16(p + 8);
			memcpy(item.parm, p + 10, 4);
			item.flags = PeekBEU16(p + 14);
		}
	}

	// A list of (x, z) float pairs as a new handle.
	SplinePointType** ReadPointList(const Resource& res, int32_t count)
	{
		res.RequireRecords(count, FILE_SPLINE_POINT_SIZE);
		auto** list = reinterpret_cast<SplinePointType**>(NewHandleClear(count * int32_t(sizeof(SplinePointType))));
		for (int32_t i = 0; i < count; i++)
		{
			(*list)[i].x = BEFloat(res.Bytes() + i * FILE_SPLINE_POINT_SIZE);
			(*list)[i].z = BEFloat(res.Bytes() + i * FILE_SPLINE_POINT_SIZE + 4);
		}
		return list;
	}

	void ReadSplines(const TerrainResourceSource& source, int32_t numSplines)
	{
		{
			Resource res(source, TERRAIN_RES_SPLINES, TERRAIN_RES_ID);
			if (!res)
			{
				gNumSplines = 0;
				return;
			}
			if (numSplines < 0)
				Fail("ReadDataFromPlayfieldFile: negative spline count %d", numSplines);
			CheckPerRecordIDs(numSplines, "splines");
			res.RequireRecords(numSplines, FILE_SPLINE_SIZE);
			if (numSplines == 0)
			{
				gNumSplines = 0;
				return;
			}

			gSplineList = reinterpret_cast<SplineRecord*>(NewPtrClear(numSplines * int32_t(sizeof(SplineRecord))));
			gNumSplines = numSplines;
			const uint8_t* p = res.Bytes();
			for (int32_t i = 0; i < numSplines; i++, p += FILE_SPLINE_SIZE)
			{
				SplineRecord& s = gSplineList[i];
				s.numNubs = BES16(p);
				s.numPoints = BES32(p + 8);
				s.numItems = BES16(p + 16);
				for (int k = 0; k < 4; k++)
					s.bBox[k] = BES16(p + 24 + 2 * k);
			}
		}

		for (int32_t i = 0; i < gNumSplines; i++)
		{
			SplineRecord* spline = &gSplineList[i];
			TERRAIN_CHECK(spline->numNubs >= 2, "spline->numNubs >= 2");
			TERRAIN_CHECK(spline->numPoints >= 2, "spline->numPoints >= 2");
			if (spline->numItems < 0)
				Fail("ReadDataFromPlayfieldFile: spline %d has a negative item count", i);

			int16_t id = int16_t(TERRAIN_RES_ID + i);
			{
				Resource nubs(source, TERRAIN_RES_SPLINE_NUBS, id);
				TERRAIN_CHECK(nubs, "hand");
				spline->nubList = ReadPointList(nubs, spline->numNubs);
			}
			{
				Resource points(source, TERRAIN_RES_SPLINE_POINTS, id);
				TERRAIN_CHECK(points, "hand");
				spline->pointList = ReadPointList(points, spline->numPoints);
			}
			{
				Resource items(source, TERRAIN_RES_SPLINE_ITEMS, id);
				TERRAIN_CHECK(items, "hand");
				items.RequireRecords(spline->numItems, FILE_SPLINE_ITEM_SIZE);
				spline->itemList = reinterpret_cast<SplineItemType**>(
						NewHandleClear(spline->numItems * int32_t(sizeof(SplineItemType))));
				const uint8_t* p = items.Bytes();
				for (int32_t k = 0; k < spline->numItems; k++, p += FILE_SPLINE_ITEM_SIZE)
				{
					SplineItemType& item = (*spline->itemList)[k];
					item.placement = BEFloat(p);
					item.type = PeekBEU16(p + 4);
					memcpy(item.parm, p + 6, 4);
					item.flags = PeekBEU16(p + 10);
				}
			}

			// The points stored in the file are only a preview: the loop is
			// closed and baked again from its nubs.
			if (const char* fault = FindSplineLoopFault(spline))
				Fail("PatchSplineLoop: spline %d: %s", i, fault);
			PatchSplineLoop(spline);
		}
	}

	void ReadFences(const TerrainResourceSource& source, int32_t numFences)
	{
		{
			Resource res(source, TERRAIN_RES_FENCES, TERRAIN_RES_ID);
			if (!res)
			{
				gNumFences = 0;
				return;
			}
			if (numFences < 0)
				Fail("ReadDataFromPlayfieldFile: negative fence count %d", numFences);
			CheckPerRecordIDs(numFences, "fences");
			res.RequireRecords(numFences, FILE_FENCE_SIZE);
			if (numFences == 0)
			{
				gNumFences = 0;
				return;
			}

			gFenceList = reinterpret_cast<FenceRecord*>(NewPtrClear(numFences * int32_t(sizeof(FenceRecord))));
			TERRAIN_CHECK(gFenceList, "gFenceList");
			gNumFences = numFences;
			const uint8_t* p = res.Bytes();
			for (int32_t i = 0; i < numFences; i++, p += FILE_FENCE_SIZE)
			{
				gFenceList[i].type = PeekBEU16(p);
				gFenceList[i].numNubs = BES16(p + 2);
			}
		}

		for (int32_t i = 0; i < gNumFences; i++)
		{
			FenceRecord& fence = gFenceList[i];
			// A fence is a line: fewer than two nubs would make no sections
			// (and negative sizes further on).
			if (fence.numNubs < 0)
				Fail("ReadDataFromPlayfieldFile: fence %d has a negative nub count", i);
			if (fence.numNubs < 2 || fence.numNubs > MAX_FILE_FENCE_NUBS)
				Fail("PrimeFences: fence %d has %d nubs (2 to %d)", i, int(fence.numNubs), MAX_FILE_FENCE_NUBS);
			Resource nubs(source, TERRAIN_RES_FENCE_NUBS, int16_t(TERRAIN_RES_ID + i));
			TERRAIN_CHECK(nubs, "cant get fence nub rez");
			nubs.RequireRecords(fence.numNubs, FILE_FENCE_NUB_SIZE);
			fence.nubList = reinterpret_cast<OGLPoint3D*>(NewPtrClear(fence.numNubs * int32_t(sizeof(OGLPoint3D))));
			TERRAIN_CHECK(fence.nubList, "gFenceList[i].nubList");
			for (int32_t k = 0; k < fence.numNubs; k++)
			{
				fence.nubList[k].x = float(BES32(nubs.Bytes() + k * FILE_FENCE_NUB_SIZE));
				fence.nubList[k].y = 0;
				fence.nubList[k].z = float(BES32(nubs.Bytes() + k * FILE_FENCE_NUB_SIZE + 4));
			}
		}
	}

	void ReadWater(const TerrainResourceSource& source, int32_t numPatches)
	{
		Resource res(source, TERRAIN_RES_WATER, TERRAIN_RES_ID);
		if (!res)
		{
			gNumWaterPatches = 0;
			return;
		}
		if (numPatches < 0)
			Fail("ReadDataFromPlayfieldFile: negative water patch count %d", numPatches);
		res.RequireRecords(numPatches, FILE_WATER_SIZE);
		gNumWaterPatches = numPatches;
		if (numPatches == 0)
			return;

		gWaterList = reinterpret_cast<WaterPatchRecord*>(NewPtrClear(numPatches * int32_t(sizeof(WaterPatchRecord))));
		const uint8_t* p = res.Bytes();
		for (int32_t i = 0; i < numPatches; i++, p += FILE_WATER_SIZE)
		{
			WaterPatchRecord& w = gWaterList[i];
			w.type = PeekBEU16(p);
			w.flags = PeekBEU32(p + 4);
			w.height = BES32(p + 8);
			w.numNubs = BES16(p + 12);
			// The kind picks a row of the look table and an image: nothing beyond them.
			if (w.type >= NUM_FILE_WATER_KINDS)
				Fail("PrimeWater: water patch %d has illegal type %d (0 to %d)", i, int(w.type), NUM_FILE_WATER_KINDS - 1);
			// Only as many nubs as the record has room for.
			if (w.numNubs < 0 || w.numNubs > MAX_WATER_RECORD_NUBS)
				Fail("ReadDataFromPlayfieldFile: water patch %d has %d nubs (0 to %d fit)", i, w.numNubs,
						MAX_WATER_RECORD_NUBS);
			for (int k = 0; k < w.numNubs; k++)
			{
				w.nubList[k].x = BEFloat(p + 20 + k * 8);
				w.nubList[k].y = BEFloat(p + 20 + k * 8 + 4);
			}
			w.hotSpotX = BEFloat(p + 820);
			w.hotSpotZ = BEFloat(p + 824);
			for (int k = 0; k < 4; k++)
				w.bBox[k] = BES16(p + 828 + 2 * k);
		}
	}
}

void ReadTerrainTables(const TerrainResourceSource& source, const char* fileName)
{
	gReadingFile = fileName ? fileName : "";
	DisposeTerrainFileTables();

	Header h = ReadHeader(source);
	gNumTerrainItems = h.numItems;
	gMapTilesWide = h.width;
	gMapTilesDeep = h.depth;
	gTerrainTileSize = h.tileSize;
	gNumUniqueSuperTiles = h.numUniqueSuperTiles;
	gMapUnitWidth = gMapTilesWide * TILE_UNITS;
	gMapUnitDepth = gMapTilesDeep * TILE_UNITS;
	gSuperTilesWide = gMapTilesWide / SUPERTILE_TILES;
	gSuperTilesDeep = gMapTilesDeep / SUPERTILE_TILES;

	ReadTileAttributes(source);
	ReadSuperTileGrid(source);
	ReadTileAttributeGrid(source);
	ReadHeights(source);
	ReadItems(source);
	ReadSplines(source, h.numSplines);
	ReadFences(source, h.numFences);
	ReadWater(source, h.numWaterPatches);
}

void DisposeTerrainFileTables()
{
	if (gTileAttributes)
		DisposePtr(reinterpret_cast<Ptr>(gTileAttributes));
	gTileAttributes = nullptr;
	gNumTileAttributes = 0;

	Free2DArray(gSuperTileTextureGrid);
	Free2DArray(gTileAttribIndexGrid);
	Free2DArray(gMapHeights);
	Free2DArray(gMapBaseHeights);

	if (gTerrainItemList)
		DisposePtr(reinterpret_cast<Ptr>(gTerrainItemList));
	gTerrainItemList = nullptr;

	if (gSplineList)
	{
		for (int32_t i = 0; i < gNumSplines; i++)
		{
			SplineRecord& s = gSplineList[i];
			if (s.nubList)
				DisposeHandle(reinterpret_cast<Handle>(s.nubList));
			if (s.pointList)
				DisposeHandle(reinterpret_cast<Handle>(s.pointList));
			if (s.itemList)
				DisposeHandle(reinterpret_cast<Handle>(s.itemList));
		}
		DisposePtr(reinterpret_cast<Ptr>(gSplineList));
	}
	gSplineList = nullptr;

	// The fence module primes and draws the fences; whatever it has not
	// released by now goes with the rest of the terrain.
	if (gFenceList)
	{
		for (int32_t i = 0; i < gNumFences; i++)
		{
			FenceRecord& f = gFenceList[i];
			if (f.nubList)
				DisposePtr(reinterpret_cast<Ptr>(f.nubList));
			if (f.sectionVectors)
				DisposePtr(reinterpret_cast<Ptr>(f.sectionVectors));
			if (f.sectionNormals)
				DisposePtr(reinterpret_cast<Ptr>(f.sectionNormals));
		}
		DisposePtr(reinterpret_cast<Ptr>(gFenceList));
	}
	gFenceList = nullptr;

	if (gWaterList)
		DisposePtr(reinterpret_cast<Ptr>(gWaterList));
	gWaterList = nullptr;

	if (gSuperTileTexturePixels)
		DisposePtr(reinterpret_cast<Ptr>(gSuperTileTexturePixels));
	gSuperTileTexturePixels = nullptr;

	gNumTerrainItems = 0;
	gMapTilesWide = gMapTilesDeep = 0;
	gMapUnitWidth = gMapUnitDepth = 0;
	gSuperTilesWide = gSuperTilesDeep = 0;
	gNumSplines = gNumFences = gNumUniqueSuperTiles = gNumWaterPatches = 0;
	gTerrainTileSize = 0;
}

//
// Data fork: the supertile textures
//

void DecodeSuperTileTextures(const uint8_t* dataFork, size_t size, const char* fileName)
{
	gReadingFile = fileName ? fileName : "";
	GAME_ASSERT(gNumUniqueSuperTiles >= 1 && gNumUniqueSuperTiles <= MAX_SUPERTILE_TEXTURES);
	if (gSuperTileTexturePixels)
		DisposePtr(reinterpret_cast<Ptr>(gSuperTileTexturePixels));
	gSuperTileTexturePixels = nullptr;
	// Every texture needs at least its length word.
	if (size / 4 < size_t(gNumUniqueSuperTiles))
		Fail("ReadDataFromPlayfieldFile: the data fork ends before texture %zu of %d", size / 4, gNumUniqueSuperTiles);
	gSuperTileTexturePixels = reinterpret_cast<uint16_t*>(NewPtr(gNumUniqueSuperTiles * SUPERTILE_TEXTURE_BYTES));
	if (!gSuperTileTexturePixels)
		Fail("ReadDataFromPlayfieldFile: can't allocate the supertile textures");

	// On a level with holes (the clouds) pure black is see-through: the holes between the clouds.
	bool blackIsClear = CurrentLevelHasRule(LEVEL_RULE_TERRAIN_HOLES);

	size_t at = 0;
	for (int32_t n = 0; n < gNumUniqueSuperTiles; n++)
	{
		if (size - at < 4)
			Fail("ReadDataFromPlayfieldFile: the data fork ends before texture %d of %d", n, gNumUniqueSuperTiles);
		uint32_t length = PeekBEU32(dataFork + at);
		at += 4;
		if (length > size - at)
			Fail("ReadDataFromPlayfieldFile: texture %d claims %u compressed bytes, the data fork has %zu left",
					n, length, size - at);

		uint16_t* pixels = gSuperTileTexturePixels + size_t(n) * SUPERTILE_TEXTURE_PIXELS;
		size_t produced = LZSS_DecodeBuffer(dataFork + at, length, reinterpret_cast<uint8_t*>(pixels),
				SUPERTILE_TEXTURE_BYTES);
		at += length;
		TERRAIN_CHECK(produced == SUPERTILE_TEXTURE_BYTES, "LZSS_Decode size is wrong!");

		for (int i = 0; i < SUPERTILE_TEXTURE_PIXELS; i++)
		{
			uint16_t v = PeekBEU16(&pixels[i]);
			if (blackIsClear && (v & 0x7FFF) == 0)
				v = 0;
			else
				v |= 0x8000;
			pixels[i] = v;
		}
	}
}
