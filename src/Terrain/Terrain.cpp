// Level set-up and teardown of the terrain, and what object nodes ask of it.
#include "Terrain/Terrain.h"
#include "Terrain/SuperTile.h"
#include "Terrain/TerrainArrays.h"
#include "Terrain/TerrainItems.h"
#include "3D/MetaObjects.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "System/ObjectsServices.h"

namespace
{
	void ReleaseTerrainItem(ObjNode* node)
	{
		node->TerrainItemPtr->flags &= uint16_t(~ITEM_FLAG_INUSE);
	}

	void AlignToGround(ObjNode* node, float yOffset)
	{
		AlignNodeToTerrain(node, yOffset, nullptr);
	}

	void InstallTerrainServices(bool on)
	{
		gObjNodeServices.releaseTerrainItem = on ? ReleaseTerrainItem : nullptr;
		gObjNodeServices.isNodeOutOfRange = on ? IsNodeOutOfRange : nullptr;
		gObjNodeServices.alignNodeToTerrain = on ? AlignToGround : nullptr;
		gObjNodeServices.getTerrainY = on ? TerrainHeightAt : nullptr;
	}
}

// After the file is read: the pool, the split table, the status grid and the items.
void SetUpLevelTerrain()
{
	CreateSuperTileMemoryList();
	BuildTileSplitTable();
	InitSuperTileStatus();
	BuildTerrainItemList();
	InstallTerrainServices(true);
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

	InstallTerrainServices(false);
	Free2DArray(gTileSplitMode);
	Free2DArray(gSuperTileStatusGrid);
	DisposeTerrainItemTables();
	DisposeTerrainFileTables();
	ClearSuperTileDeformations();

	for (SuperTileMemoryEntry& e : gSuperTileMemory)
		e.inUse = false;
	gFreeSuperTileCount = SUPERTILE_POOL_SIZE;
}
