// Grouping the items of the terrain file per supertile and waking them as
// their supertiles come into range.
#include "Terrain/TerrainItems.h"
#include "Terrain/SuperTile.h"
#include "Terrain/TerrainArrays.h"
#include "System/Error.h"
#include "Memory.h"

int32_t* gTerrainItemFileIDs = nullptr;
SuperTileItemIndexType** gSuperTileItemIndex = nullptr;
float gPlayerStartX = 0, gPlayerStartZ = 0, gPlayerStartRot = 0;

void DisposeTerrainItemTables()
{
	if (gTerrainItemFileIDs)
		DisposePtr(reinterpret_cast<Ptr>(gTerrainItemFileIDs));
	gTerrainItemFileIDs = nullptr;
	Free2DArray(gSuperTileItemIndex);
}

void BuildTerrainItemList()
{
	if (gNumTerrainItems == 0 || !gTerrainItemList)
		FatalAlert("BuildTerrainItemList: there must be at least 1 terrain item!");
	GAME_ASSERT_MESSAGE(!gTerrainItemFileIDs, "!gTerrainItemFileIDs");

	Free2DArray(gSuperTileItemIndex);
	gSuperTileItemIndex = Alloc2DArray<SuperTileItemIndexType>(gSuperTilesDeep, gSuperTilesWide);
	auto* grouped = reinterpret_cast<TerrainItemEntryType*>(NewPtrClear(gNumTerrainItems * int32_t(sizeof(TerrainItemEntryType))));
	if (!grouped)
		FatalAlert("BuildTerrainItemList: AllocPtr failed!");
	gTerrainItemFileIDs = reinterpret_cast<int32_t*>(NewPtrClear(gNumTerrainItems * int32_t(sizeof(int32_t))));
	if (!gTerrainItemFileIDs)
		FatalAlert("BuildTerrainItemList: AllocPtr failed!");

	// The file lists its items by increasing x, so each supertile's scan can
	// stop at the first item of a later column.
	int32_t n = 0;
	for (int row = 0; row < gSuperTilesDeep; row++)
		for (int col = 0; col < gSuperTilesWide; col++)
		{
			SuperTileItemIndexType& index = gSuperTileItemIndex[row][col];
			index.numItems = 0;
			index.firstItem = 0;
			for (int32_t i = 0; i < gNumTerrainItems; i++)
			{
				const TerrainItemEntryType& item = gTerrainItemList[i];
				int c = int(item.x / SUPERTILE_UNITS), r = int(item.z / SUPERTILE_UNITS);
				if (c > col)
					break;
				if (c != col || r != row)
					continue;
				// The per-supertile index counts in 16 bits.
				if (n > UINT16_MAX || index.numItems == UINT16_MAX)
					FatalAlert("BuildTerrainItemList: too many terrain items");
				grouped[n] = item;
				gTerrainItemFileIDs[n] = i;
				if (index.numItems == 0)
					index.firstItem = uint16_t(n);
				index.numItems++;
				n++;
			}
		}

	// Items the grouping could not place are gone: only the kept ones count.
	DisposePtr(reinterpret_cast<Ptr>(gTerrainItemList));
	gTerrainItemList = grouped;
	gNumTerrainItems = n;

	FindPlayerStart();
}

void FindPlayerStart()
{
	for (int32_t i = 0; i < gNumTerrainItems; i++)
		if (gTerrainItemList[i].type == 0)
		{
			gPlayerStartX = float(gTerrainItemList[i].x);
			gPlayerStartZ = float(gTerrainItemList[i].z);
			gPlayerStartRot = float(gTerrainItemList[i].parm[0]) * 0.7853982f;
			return;
		}
}

void ReleaseTerrainItem(TerrainItemEntryType* item)
{
	item->flags &= uint16_t(~ITEM_FLAG_INUSE);
}

void AddTerrainItemsOnSuperTile(int row, int col)
{
	if (!gSuperTileItemIndex || !gTerrainItemList)
		return;
	const SuperTileItemIndexType& index = gSuperTileItemIndex[row][col];
	for (int i = index.firstItem; i < index.firstItem + index.numItems; i++)
	{
		TerrainItemEntryType* item = &gTerrainItemList[i];
		if (item->flags & ITEM_FLAG_INUSE)
			continue;
		float x = float(item->x), z = float(item->z);
		if (x < 0 || z < 0 || x >= float(gMapUnitWidth) || z >= float(gMapUnitDepth))
			continue;
		if (!gSuperTileStatusGrid[int(z / SUPERTILE_UNITS)][int(x / SUPERTILE_UNITS)].inRange)
			continue;
		if (item->type > MAX_ITEM_NUM)
			FatalAlert("Illegal Map Item Type!");
		if (kItemAddRoutines[item->type].add(item, x, z))
			item->flags |= ITEM_FLAG_INUSE;
	}
}
