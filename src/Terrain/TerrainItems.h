// Terrain items: everything placed in a level, grouped by the supertile it
// stands on and turned into objects when that supertile comes into range.
#pragma once

#include "Terrain/TerrainFile.h"

#include <cstdint>

constexpr int MAX_ITEM_NUM = 108;

struct SuperTileItemIndexType
{
	uint16_t numItems;
	uint16_t firstItem;
};

// An item-add routine: makes the item's object(s) at (x, z); false declines
// for now (it is asked again the next time its supertile wakes). A type whose
// row is empty makes nothing, like the start.
typedef bool (*TerrainItemAddRoutine)(TerrainItemEntryType* item, float x, float z);
extern TerrainItemAddRoutine kItemAddRoutines[MAX_ITEM_NUM + 1];

extern int32_t* gTerrainItemFileIDs;					// per grouped item: its index in the file
extern SuperTileItemIndexType** gSuperTileItemIndex;	// [gSuperTilesDeep][gSuperTilesWide]

// Where the player starts (from the first item of type 0).
extern float gPlayerStartX, gPlayerStartZ, gPlayerStartRot;

// Groups the file's items per supertile and finds the start. Items the
// grouping cannot place (outside the map, or out of x order) are dropped and
// gNumTerrainItems counts only those kept.
void BuildTerrainItemList();
void AddTerrainItemsOnSuperTile(int row, int col);
// The item may come to life again (its node is being deleted).
void ReleaseTerrainItem(TerrainItemEntryType* item);
// The start again, by the same rule.
void FindPlayerStart();
// Frees the grouped list's side tables (the list itself goes with the file tables).
void DisposeTerrainItemTables();
