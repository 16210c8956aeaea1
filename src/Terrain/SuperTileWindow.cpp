// The window of supertiles around the camera, the terrain's draw node, and
// the draw pass split into its bookkeeping and its OpenGL halves.
#include "Terrain/SuperTile.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainArrays.h"
#include "Terrain/TerrainItems.h"
#include "3D/OGL_Camera.h"
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/Prefs.h"

#include <SDL_opengl.h>
#include <cstdlib>

SuperTileStatus** gSuperTileStatusGrid = nullptr;
int gWindowRow = 0, gWindowCol = 0;
int gPrevWindowRow = -100000, gPrevWindowCol = -100000;
int gSuperTileDrawDelay = 0;
int gSuperTilesDrawn = 0;

const uint8_t kSuperTileWindowMask[SUPERTILE_WINDOW_SIZE][SUPERTILE_WINDOW_SIZE] = {
	{0, 0, 0, 0, 0, 2, 2, 2, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0},
	{0, 0, 0, 0, 2, 2, 1, 1, 1, 1, 1, 1, 2, 2, 2, 0, 0, 0},
	{0, 0, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 0, 0},
	{0, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 0},
	{0, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 0},
	{2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2},
	{2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2},
	{2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2},
	{2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2},
	{2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2},
	{2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2},
	{2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2},
	{2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2},
	{0, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 0},
	{0, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 0},
	{0, 0, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 0, 0},
	{0, 0, 0, 2, 2, 2, 1, 1, 1, 1, 1, 1, 2, 2, 2, 0, 0, 0},
	{0, 0, 0, 0, 0, 2, 2, 2, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0},
};

void InitSuperTileStatus()
{
	Free2DArray(gSuperTileStatusGrid);
	gSuperTileStatusGrid = Alloc2DArray<SuperTileStatus>(gSuperTilesDeep, gSuperTilesWide);
	ClearSuperTileDeformations();
	gPrevWindowRow = gPrevWindowCol = -100000;
	gSuperTileDrawDelay = 0;
	gSuperTilesDrawn = 0;
}

// The level's terrain node: one per level, however many set-ups ask for it.
static ObjNodeRef gTerrainNode;

void CreateTerrainDrawNode()
{
	float x = gPlayerStartX - SUPERTILE_WINDOW_OFFSET, z = gPlayerStartZ - SUPERTILE_WINDOW_OFFSET;
	if (x >= 0 && x < float(gMapUnitWidth) && z >= 0 && z < float(gMapUnitDepth))
	{
		gWindowRow = int(z / SUPERTILE_UNITS);
		gWindowCol = int(x / SUPERTILE_UNITS);
	}
	gPrevWindowRow = gPrevWindowCol = -100000;		// the first update counts as a jump
	if (gTerrainNode.IsAlive())
		return;

	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 1;
	def.flags = CurrentLevelHasRule(LEVEL_RULE_TERRAIN_TWO_SIDED) ? uint32_t(STATUS_BIT_KEEPBACKFACES) : 0u;	// the clouds are seen from below too
	def.drawCall = DrawSuperTiles;
	def.drawPass = DRAW_PASS_TERRAIN;
	def.scale = 1;
	gTerrainNode = ObjNodeRef(MakeNewObject(&def));
}

//
// Window update
//

void UpdateVisibleTerrain(float x, float z)
{
	if (!gSuperTileStatusGrid)
		return;

	for (int r = 0; r < gSuperTilesDeep; r++)
		for (int c = 0; c < gSuperTilesWide; c++)
			gSuperTileStatusGrid[r][c].inRange = 0;
	gSuperTileDrawDelay = 0;

	gWindowRow = int((z - SUPERTILE_WINDOW_OFFSET) / SUPERTILE_UNITS);
	gWindowCol = int((x - SUPERTILE_WINDOW_OFFSET) / SUPERTILE_UNITS);

	int dr = std::abs(gWindowRow - gPrevWindowRow);
	int dc = std::abs(gWindowCol - gPrevWindowCol);
	bool moved = dr != 0 || dc != 0;
	bool jumped = dr > 1 || dc > 1;

	for (int wr = 0; wr < SUPERTILE_WINDOW_SIZE; wr++)
	{
		int row = gWindowRow + wr;
		if (row < 0)
			continue;
		if (row >= gSuperTilesDeep)
			break;
		for (int wc = 0; wc < SUPERTILE_WINDOW_SIZE; wc++)
		{
			int col = gWindowCol + wc;
			if (col < 0)
				continue;
			if (col >= gSuperTilesWide)
				break;
			uint8_t mask = kSuperTileWindowMask[wr][wc];
			if (!mask)
				continue;

			SuperTileStatus& cell = gSuperTileStatusGrid[row][col];
			cell.inRange = 1;
			if (cell.status & SUPERTILE_BUILT)
				cell.status |= SUPERTILE_IN_USE;
			else if (gSuperTileTextureGrid[row][col].textureNum != 0)
			{
				cell.memIndex = uint16_t(MakeSuperTileMesh(col * SUPERTILE_TILES, row * SUPERTILE_TILES));
				cell.status = SUPERTILE_BUILT | SUPERTILE_IN_USE;
			}

			if (moved && (jumped || mask == 2))
				AddTerrainItemsOnSuperTile(row, col);
		}
	}

	gPrevWindowRow = gWindowRow;
	gPrevWindowCol = gWindowCol;

	AnimateSuperTileDeformations(gFrameTime);
}

//
// Drawing
//

void PrepareSuperTilesForDrawing(SuperTileDrawList* list)
{
	list->count = 0;
	if (!gSuperTileStatusGrid)
		return;

	for (int row = 0; row < gSuperTilesDeep; row++)
		for (int col = 0; col < gSuperTilesWide; col++)
		{
			const SuperTileStatus& cell = gSuperTileStatusGrid[row][col];
			uint16_t texture = gSuperTileTextureGrid[row][col].textureNum;
			if (!(cell.status & SUPERTILE_IN_USE) || texture == 0)
				continue;

			SuperTileMemoryEntry& e = gSuperTileMemory[cell.memIndex];
			if (e.drawDelay > 0)
			{
				e.drawDelay--;
				continue;
			}

			bool visible = IsBBoxInFrustum(&e.bbox);
			if (visible || gDeformationsEnded)
				DeformSuperTile(cell.memIndex);
			if (visible && list->count < SUPERTILE_POOL_SIZE)
			{
				list->memIndex[list->count] = cell.memIndex;
				list->textureNum[list->count] = texture;
				list->count++;
			}
		}
	gDeformationsEnded = false;
}

void SortSuperTilesNearestFirst(SuperTileDrawList* list, float cameraX, float cameraZ)
{
	// Insertion sort: a few hundred entries, and from one frame to the next the
	// order barely changes.
	static float distance[SUPERTILE_POOL_SIZE];
	for (int i = 0; i < list->count; i++)
	{
		const OGLPoint3D& c = gSuperTileMemory[list->memIndex[i]].center;
		float dx = c.x - cameraX, dz = c.z - cameraZ;
		distance[i] = dx * dx + dz * dz;
	}
	for (int i = 1; i < list->count; i++)
	{
		float d = distance[i];
		uint16_t mem = list->memIndex[i], texture = list->textureNum[i];
		int j = i - 1;
		for (; j >= 0 && distance[j] > d; j--)
		{
			distance[j + 1] = distance[j];
			list->memIndex[j + 1] = list->memIndex[j];
			list->textureNum[j + 1] = list->textureNum[j];
		}
		distance[j + 1] = d;
		list->memIndex[j + 1] = mem;
		list->textureNum[j + 1] = texture;
	}
}

void FinishSuperTileFrame()
{
	if (!gSuperTileStatusGrid)
		return;

	// Both passes of two-colour stereo draw the same supertiles.
	bool keepInUse = gGamePrefs.anaglyphMode != 0 && gAnaglyphPass == 0;
	for (int row = 0; row < gSuperTilesDeep; row++)
		for (int col = 0; col < gSuperTilesWide; col++)
		{
			SuperTileStatus& cell = gSuperTileStatusGrid[row][col];
			if ((cell.status & (SUPERTILE_BUILT | SUPERTILE_IN_USE)) == SUPERTILE_BUILT)
			{
				FreeSuperTileMemory(cell.memIndex);
				cell.status = 0;
			}
			if (!keepInUse)
				cell.status &= uint8_t(~SUPERTILE_IN_USE);
		}
}

void UpdateSuperTilesWithoutDrawing()
{
	SuperTileDrawList list;
	PrepareSuperTilesForDrawing(&list);
	gSuperTilesDrawn = list.count;
	FinishSuperTileFrame();
}

void DrawSuperTiles(ObjNode*)
{
	static SuperTileDrawList list;
	PrepareSuperTilesForDrawing(&list);
	if (gGameViewInfoPtr && !gTerrainHasClearTexels)
	{
		const OGLPoint3D& camera = gGameViewInfoPtr->cameraPlacement.from;
		SortSuperTilesNearestFirst(&list, camera.x, camera.z);
	}

	OGL_PushState();
	glDisable(GL_NORMALIZE);		// the normals are unit length already
	glDisable(GL_BLEND);
	gSuperTilesDrawn = 0;
	for (int i = 0; i < list.count; i++)
	{
		MetaObjectPtr material = gSuperTileTextureObjects[list.textureNum[i]];
		if (!material)
			continue;		// read without materials: nothing to draw it with
		MO_DrawMaterial(material);
		MO_DrawGeometry_VertexArray(gSuperTileMemory[list.memIndex[i]].mesh);
		gSuperTilesDrawn++;
	}
	OGL_PopState();
	if (gDebugMode == 3)
		DrawSplines();

	FinishSuperTileFrame();
}
