// Level set-up and teardown of the terrain.
#include "Terrain/Terrain.h"
#include "Terrain/SuperTile.h"
#include "Terrain/TerrainArrays.h"
#include "Terrain/TerrainItems.h"
#include "3D/MetaObjects.h"
#include "System/Error.h"
#include "System/Objects.h"

// After the file is read: the pool, the split table, the status grid and the items.
void SetUpLevelTerrain()
{
	CreateSuperTileMemoryList();
	BuildTileSplitTable();
	InitSuperTileStatus();
	BuildTerrainItemList();
}

void LoadLevelTerrainWithoutDrawing(const FSSpec* spec)
{
	ReadTerrainFileData(spec);
	SetUpLevelTerrain();
}

void DisposeTerrain()
{
	GAME_ASSERT_MESSAGE(!gSuperTileTextureObjects[0], "supertile 0's texture is supposed to be blank!");
	for (int t = 1; t < MAX_SUPERTILE_TEXTURES; t++)
		if (gSuperTileTextureObjects[t])
		{
			MO_DisposeObjectReference(gSuperTileTextureObjects[t]);
			gSuperTileTextureObjects[t] = nullptr;
		}

	Free2DArray(gTileSplitMode);
	Free2DArray(gSuperTileStatusGrid);
	DisposeTerrainItemTables();
	DisposeTerrainFileTables();
	ClearSuperTileDeformations();

	for (SuperTileMemoryEntry& e : gSuperTileMemory)
		e.inUse = false;
	gFreeSuperTileCount = SUPERTILE_POOL_SIZE;
}
