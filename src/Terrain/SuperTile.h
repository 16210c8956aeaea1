// Supertiles: the streamed geometry of the terrain. Each frame the window of
// 18 × 18 supertiles around the camera is marked in range; the supertiles in
// it are built into a fixed pool of preallocated meshes, drawn when in view,
// and returned to the pool once the window has moved on.
#pragma once

#include "Terrain/TerrainFile.h"
#include "3D/MetaObjects.h"

#include <cstdint>

constexpr int SUPERTILE_POOL_SIZE = 648;
constexpr int SUPERTILE_VERTICES_PER_SIDE = SUPERTILE_TILES + 1;				// 9
constexpr int SUPERTILE_NUM_VERTICES = SUPERTILE_VERTICES_PER_SIDE * SUPERTILE_VERTICES_PER_SIDE;	// 81
constexpr int SUPERTILE_NUM_TRIANGLES = SUPERTILE_TILES * SUPERTILE_TILES * 2;	// 128
constexpr int SUPERTILE_WINDOW_SIZE = 18;
// The window's first cell lies this far (9 supertiles) before the camera in x and z.
constexpr float SUPERTILE_WINDOW_OFFSET = 16200.0f;

enum : uint8_t
{
	SUPERTILE_BUILT = 0x01,
	SUPERTILE_IN_USE = 0x02,
};

struct SuperTileMemoryEntry
{
	uint8_t drawDelay;			// frames to wait before it is first drawn
	bool inUse;
	OGLPoint3D center;
	int left, top;				// world x and z of the low corner
	int row, col;				// tile row and column of the low corner
	MOVertexArrayData* mesh;	// in gSuperTileMeshData
	OGLBoundingBox bbox;
};

struct SuperTileStatus
{
	uint16_t memIndex;			// pool entry while built
	uint8_t status;				// SUPERTILE_BUILT | SUPERTILE_IN_USE
	uint8_t inRange;			// inside the current window
};
static_assert(sizeof(SuperTileStatus) == 4);

// Window mask: 0 outside, 1 inside, 2 inside on the rim.
extern const uint8_t kSuperTileWindowMask[SUPERTILE_WINDOW_SIZE][SUPERTILE_WINDOW_SIZE];

extern SuperTileMemoryEntry gSuperTileMemory[SUPERTILE_POOL_SIZE];
extern int gFreeSuperTileCount;
extern SuperTileStatus** gSuperTileStatusGrid;		// [gSuperTilesDeep][gSuperTilesWide]
extern uint8_t** gTileSplitMode;					// [gMapTilesDeep][gMapTilesWide]: 1 cut P1–P3, 0 cut P0–P2

// Triangle index templates of one supertile: A cuts a tile along P1–P3, B along P0–P2.
extern uint32_t gTileTriangleTemplateA[SUPERTILE_TILES * SUPERTILE_TILES][6];
extern uint32_t gTileTriangleTemplateB[SUPERTILE_TILES * SUPERTILE_TILES][6];

extern int gWindowRow, gWindowCol;
extern int gPrevWindowRow, gPrevWindowCol;
extern int gSuperTileDrawDelay;
extern int gSuperTilesDrawn;

// Builds the supertile whose low corner is tile (tileRow, tileCol) into a
// free pool entry; returns the entry.
int MakeSuperTileMesh(int tileCol, int tileRow);
// Normals of a built supertile from its vertices and, at its edges, the map.
void CalcSuperTileNormals(int memIndex);
// Recomputes a built supertile's height bounds from its vertices.
void CalcSuperTileBounds(int memIndex);
// Returns a pool entry.
void FreeSuperTileMemory(int memIndex);

// The split rule for a tile with corner heights P0 (r, c), P1 (r, c + 1),
// P2 (r + 1, c + 1), P3 (r + 1, c).
uint8_t CalcTileSplitMode(float p0, float p1, float p2, float p3);

// The draw pass in its two halves, so the bookkeeping runs without OpenGL:
// Prepare counts down draw delays, tests each supertile against the view
// frustum (gWorldToFrustumMatrix) and deforms those it will draw, listing them
// (pool entries, with their texture numbers); Finish returns the supertiles
// the window no longer holds to the pool.
struct SuperTileDrawList
{
	int count;
	uint16_t memIndex[SUPERTILE_POOL_SIZE];
	uint16_t textureNum[SUPERTILE_POOL_SIZE];
};
void PrepareSuperTilesForDrawing(SuperTileDrawList* list);
// Orders a draw list nearest first (by the distance in x and z from the
// camera to each supertile's centre), so the depth test turns away the
// hidden slopes behind a hill before they are shaded and written.
void SortSuperTilesNearestFirst(SuperTileDrawList* list, float cameraX, float cameraZ);
void FinishSuperTileFrame();
