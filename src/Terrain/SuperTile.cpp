// The supertile pool and the building of one supertile's mesh: vertices from
// the height table, triangles from the per-tile split templates, smooth
// normals that match across supertile edges.
#include "Terrain/SuperTile.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainArrays.h"
#include "System/Error.h"
#include "System/Game.h"
#include "Memory.h"

#include <algorithm>
#include <cmath>

SuperTileMemoryEntry gSuperTileMemory[SUPERTILE_POOL_SIZE];
int gFreeSuperTileCount = SUPERTILE_POOL_SIZE;
uint8_t** gTileSplitMode = nullptr;
uint32_t gTileTriangleTemplateA[SUPERTILE_TILES * SUPERTILE_TILES][6];
uint32_t gTileTriangleTemplateB[SUPERTILE_TILES * SUPERTILE_TILES][6];

static MOVertexArrayData* gSuperTileMeshData = nullptr;
static OGLPoint3D* gSuperTileCoords = nullptr;
static OGLVector3D* gSuperTileNormals = nullptr;
static OGLTextureCoord* gSuperTileUVs = nullptr;
static uint32_t* gSuperTileTriangles = nullptr;

//
// Templates and the split table
//

void MakeTriangleTemplates()
{
	constexpr uint32_t ROW = SUPERTILE_VERTICES_PER_SIDE;
	for (uint32_t r = 0; r < SUPERTILE_TILES; r++)
		for (uint32_t c = 0; c < SUPERTILE_TILES; c++)
		{
			uint32_t v = r * ROW + c;
			uint32_t* a = gTileTriangleTemplateA[r * SUPERTILE_TILES + c];
			uint32_t* b = gTileTriangleTemplateB[r * SUPERTILE_TILES + c];
			// A: cut along P1–P3.
			a[0] = v + 1;		a[1] = v;			a[2] = v + ROW;
			a[3] = v + ROW + 1;	a[4] = v + 1;		a[5] = v + ROW;
			// B: cut along P0–P2.
			b[0] = v + ROW;		b[1] = v + ROW + 1;	b[2] = v;
			b[3] = v + ROW + 1;	b[4] = v + 1;		b[5] = v;
		}
}

uint8_t CalcTileSplitMode(float p0, float p1, float p2, float p3)
{
	if (p0 == p1 && p1 == p2 && p2 == p3)
		return 0;
	return std::fabs(p1 - p3) <= std::fabs(p0 - p2) ? 1 : 0;
}

void BuildTileSplitTable()
{
	Free2DArray(gTileSplitMode);
	gTileSplitMode = Alloc2DArray<uint8_t>(gMapTilesDeep, gMapTilesWide);
	for (int r = 0; r < gMapTilesDeep; r++)
		for (int c = 0; c < gMapTilesWide; c++)
			gTileSplitMode[r][c] = CalcTileSplitMode(gMapHeights[r][c], gMapHeights[r][c + 1],
					gMapHeights[r + 1][c + 1], gMapHeights[r + 1][c]);
}

//
// The pool
//

static void FreeMeshBlocks()
{
	for (Ptr* block : {reinterpret_cast<Ptr*>(&gSuperTileMeshData), reinterpret_cast<Ptr*>(&gSuperTileCoords),
			reinterpret_cast<Ptr*>(&gSuperTileNormals), reinterpret_cast<Ptr*>(&gSuperTileUVs),
			reinterpret_cast<Ptr*>(&gSuperTileTriangles)})
	{
		if (*block)
			DisposePtr(*block);
		*block = nullptr;
	}
}

static void MarkPoolFree()
{
	for (SuperTileMemoryEntry& e : gSuperTileMemory)
		e.inUse = false;
	gFreeSuperTileCount = SUPERTILE_POOL_SIZE;
}

void CreateSuperTileMemoryList()
{
	FreeMeshBlocks();
	constexpr int32_t N = SUPERTILE_POOL_SIZE, V = SUPERTILE_NUM_VERTICES;

	gSuperTileMeshData = reinterpret_cast<MOVertexArrayData*>(NewPtrClear(N * int32_t(sizeof(MOVertexArrayData))));
	if (!gSuperTileMeshData)
		FatalAlert("CreateSuperTileMemoryList: AllocPtr failed - gSuperTileMeshData");
	gSuperTileCoords = reinterpret_cast<OGLPoint3D*>(NewPtrClear(N * V * int32_t(sizeof(OGLPoint3D))));
	if (!gSuperTileCoords)
		FatalAlert("CreateSuperTileMemoryList: AllocPtr failed - gSuperTileCoords");
	gSuperTileNormals = reinterpret_cast<OGLVector3D*>(NewPtrClear(N * V * int32_t(sizeof(OGLVector3D))));
	if (!gSuperTileNormals)
		FatalAlert("CreateSuperTileMemoryList: AllocPtr failed - gSuperTileNormals");
	gSuperTileUVs = reinterpret_cast<OGLTextureCoord*>(NewPtrClear(N * V * int32_t(sizeof(OGLTextureCoord))));
	if (!gSuperTileUVs)
		FatalAlert("CreateSuperTileMemoryList: AllocPtr failed - gSuperTileUVs");
	gSuperTileTriangles = reinterpret_cast<uint32_t*>(NewPtrClear(N * SUPERTILE_NUM_TRIANGLES * 3 * 4));
	if (!gSuperTileTriangles)
		FatalAlert("CreateSuperTileMemoryList: AllocPtr failed - gSuperTileTriangles");

	for (int i = 0; i < N; i++)
	{
		MOVertexArrayData* mesh = &gSuperTileMeshData[i];
		mesh->numMaterials = -1;		// the draw pass applies the supertile's material
		mesh->numPoints = V;
		mesh->numTriangles = SUPERTILE_NUM_TRIANGLES;
		mesh->points = gSuperTileCoords + i * V;
		mesh->normals = gSuperTileNormals + i * V;
		mesh->uvs[0] = gSuperTileUVs + i * V;
		mesh->triangles = gSuperTileTriangles + i * SUPERTILE_NUM_TRIANGLES * 3;

		// Fixed for good: vertex (i, j) addresses the inner 128 × 128 of the bordered texture.
		for (int vi = 0; vi < SUPERTILE_VERTICES_PER_SIDE; vi++)
			for (int vj = 0; vj < SUPERTILE_VERTICES_PER_SIDE; vj++)
			{
				OGLTextureCoord& uv = mesh->uvs[0][vi * SUPERTILE_VERTICES_PER_SIDE + vj];
				uv.u = float(1 + 16 * vj) / float(SUPERTILE_BORDERED_SIZE);
				uv.v = float(1 + 16 * vi) / float(SUPERTILE_BORDERED_SIZE);
			}
		gSuperTileMemory[i].mesh = mesh;
	}
	MarkPoolFree();
}

void DisposeSuperTileMemoryList()
{
	FreeMeshBlocks();
	for (SuperTileMemoryEntry& e : gSuperTileMemory)
		e.mesh = nullptr;
	MarkPoolFree();
}

void FreeSuperTileMemory(int memIndex)
{
	GAME_ASSERT(memIndex >= 0 && memIndex < SUPERTILE_POOL_SIZE && gSuperTileMemory[memIndex].inUse);
	gSuperTileMemory[memIndex].inUse = false;
	gFreeSuperTileCount++;
}

//
// Building
//

namespace
{
	// Sum of the (unnormalised, upward) face normals of both triangles of a
	// tile with corners P0 … P3, split as the tile says.
	OGLVector3D TileFaceNormalSum(const OGLPoint3D& p0, const OGLPoint3D& p1, const OGLPoint3D& p2,
			const OGLPoint3D& p3, uint8_t split)
	{
		auto face = [](const OGLPoint3D& a, const OGLPoint3D& b, const OGLPoint3D& c) {
			OGLVector3D ab = b - a, ac = c - a, n;
			OGLVector3D_Cross(&ab, &ac, &n);
			return n;
		};
		// Same corner order as the templates: A (P1, P0, P3) (P2, P1, P3); B (P3, P2, P0) (P2, P1, P0).
		if (split)
			return face(p1, p0, p3) + face(p2, p1, p3);
		return face(p3, p2, p0) + face(p2, p1, p0);
	}

	// A tile of the map outside the supertile, from the live heights.
	OGLVector3D MapTileFaceNormalSum(int r, int c)
	{
		if (r < 0 || c < 0 || r >= gMapTilesDeep || c >= gMapTilesWide)
			return {0, 2, 0};		// (0, 1, 0) for each of its two triangles
		float x = float(c * TILE_UNITS), z = float(r * TILE_UNITS), u = float(TILE_UNITS);
		OGLPoint3D p0 = {x, gMapHeights[r][c], z};
		OGLPoint3D p1 = {x + u, gMapHeights[r][c + 1], z};
		OGLPoint3D p2 = {x + u, gMapHeights[r + 1][c + 1], z + u};
		OGLPoint3D p3 = {x, gMapHeights[r + 1][c], z + u};
		return TileFaceNormalSum(p0, p1, p2, p3, gTileSplitMode[r][c]);
	}
}

void CalcSuperTileNormals(int memIndex)
{
	const SuperTileMemoryEntry& e = gSuperTileMemory[memIndex];
	const OGLPoint3D* pts = e.mesh->points;
	constexpr int V = SUPERTILE_VERTICES_PER_SIDE, T = SUPERTILE_TILES;

	// Face normal sums of the supertile's tiles and the ring of tiles around it.
	OGLVector3D tileSum[T + 2][T + 2];
	for (int tr = -1; tr <= T; tr++)
		for (int tc = -1; tc <= T; tc++)
		{
			if (tr >= 0 && tc >= 0 && tr < T && tc < T)
			{
				int v = tr * V + tc;
				tileSum[tr + 1][tc + 1] = TileFaceNormalSum(pts[v], pts[v + 1], pts[v + V + 1], pts[v + V],
						gTileSplitMode[e.row + tr][e.col + tc]);
			}
			else
				tileSum[tr + 1][tc + 1] = MapTileFaceNormalSum(e.row + tr, e.col + tc);
		}

	for (int i = 0; i < V; i++)
		for (int j = 0; j < V; j++)
		{
			// Tiles (i − 1 … i, j − 1 … j) touch vertex (i, j).
			OGLVector3D n = tileSum[i][j] + tileSum[i][j + 1] + tileSum[i + 1][j] + tileSum[i + 1][j + 1];
			OGLVector3D_Normalize(&n, &e.mesh->normals[i * V + j]);
		}
}

void CalcSuperTileBounds(int memIndex)
{
	SuperTileMemoryEntry& e = gSuperTileMemory[memIndex];
	float lowest = e.mesh->points[0].y, highest = lowest;
	for (int i = 1; i < SUPERTILE_NUM_VERTICES; i++)
	{
		lowest = std::min(lowest, e.mesh->points[i].y);
		highest = std::max(highest, e.mesh->points[i].y);
	}
	e.bbox.min = {float(e.left), lowest, float(e.top)};
	e.bbox.max = {float(e.left + SUPERTILE_UNITS), highest, float(e.top + SUPERTILE_UNITS)};
	e.bbox.isEmpty = false;
	e.center.y = (lowest + highest) * 0.5f;
}

int MakeSuperTileMesh(int tileCol, int tileRow)
{
	int memIndex = -1;
	for (int i = 0; i < SUPERTILE_POOL_SIZE; i++)
		if (!gSuperTileMemory[i].inUse)
		{
			memIndex = i;
			break;
		}
	if (memIndex < 0 || !gSuperTileMemory[memIndex].mesh)
		FatalAlert("No Free Supertiles!");

	gFreeSuperTileCount--;
	SuperTileMemoryEntry& e = gSuperTileMemory[memIndex];
	e.inUse = true;
	e.row = tileRow;
	e.col = tileCol;
	e.left = tileCol * TILE_UNITS;
	e.top = tileRow * TILE_UNITS;
	e.center.x = float(e.left + SUPERTILE_UNITS / 2);
	e.center.z = float(e.top + SUPERTILE_UNITS / 2);

	constexpr int V = SUPERTILE_VERTICES_PER_SIDE;
	OGLPoint3D* pts = e.mesh->points;
	for (int i = 0; i < V; i++)
		for (int j = 0; j < V; j++)
		{
			int r = tileRow + i, c = tileCol + j;
			// The far edge row and column of the map show at height 0.
			float y = (r >= gMapTilesDeep || c >= gMapTilesWide) ? 0.0f : gMapHeights[r][c];
			pts[i * V + j] = {float(c * TILE_UNITS), y, float(r * TILE_UNITS)};
		}

	uint32_t* tri = e.mesh->triangles;
	for (int r = 0; r < SUPERTILE_TILES; r++)
		for (int c = 0; c < SUPERTILE_TILES; c++, tri += 6)
		{
			const uint32_t* t = gTileSplitMode[tileRow + r][tileCol + c]
					? gTileTriangleTemplateA[r * SUPERTILE_TILES + c]
					: gTileTriangleTemplateB[r * SUPERTILE_TILES + c];
			std::copy(t, t + 6, tri);
		}

	CalcSuperTileNormals(memIndex);
	CalcSuperTileBounds(memIndex);

	// Supertiles built in one update appear over the next four frames, except on a level's first.
	if (gLevel.firstFrame)
		e.drawDelay = 0;
	else
	{
		e.drawDelay = uint8_t(gSuperTileDrawDelay);
		gSuperTileDrawDelay = (gSuperTileDrawDelay + 1) & 3;
	}
	return memIndex;
}
