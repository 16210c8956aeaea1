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

// An item-add routine: makes the item's object(s) at (x, z), points them at
// the item and returns true; false declines for now (the item stays free and
// is asked again the next time its supertile wakes).
typedef bool (*TerrainItemAddRoutine)(TerrainItemEntryType* item, float x, float z);

struct TerrainItemKind
{
	const char* name;				// for messages and the debug view
	TerrainItemAddRoutine add;
};

// One row per item type, 0 … MAX_ITEM_NUM (TerrainItemTable.cpp).
extern const TerrainItemKind kItemAddRoutines[MAX_ITEM_NUM + 1];

// The routine of the rows whose kind is not in the game yet: declines.
bool AddItemNotBuiltYet(TerrainItemEntryType* item, float x, float z);
// The routine of the rows that make nothing by design (the start, which the
// grouping reads, and the marker types): declines.
bool AddNothing(TerrainItemEntryType* item, float x, float z);

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
