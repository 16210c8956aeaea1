// Supertiles: the triangle templates and split rule, meshes and their
// normals, the window of built supertiles, draw delays, waking the items,
// and the pool over a long random flight.
#include "TerrainTestSupport.h"
#include "System/Level.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "System/Prefs.h"
#include "3D/OGL_Camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

using namespace TerrainTestSupport;
using namespace TerrainBake;

namespace
{
	struct SuperTiles : TerrainTest {};

	int CountInRange()
	{
		int n = 0;
		for (int r = 0; r < gSuperTilesDeep; r++)
			for (int c = 0; c < gSuperTilesWide; c++)
				n += gSuperTileStatusGrid[r][c].inRange;
		return n;
	}

	int CountBuilt()
	{
		int n = 0;
		for (int r = 0; r < gSuperTilesDeep; r++)
			for (int c = 0; c < gSuperTilesWide; c++)
				n += (gSuperTileStatusGrid[r][c].status & SUPERTILE_BUILT) ? 1 : 0;
		return n;
	}

	// The cells whose items were just asked: every item is a smoker, so each
	// free item asked makes one node; deleting the nodes frees the items again,
	// so the next wake asks them all as if each had declined.
	std::multiset<std::pair<int, int>> TakeWokenCells()
	{
		std::multiset<std::pair<int, int>> cells;
		for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
			if (node->TerrainItemPtr)
				cells.insert({int(node->Coord.z / 1800), int(node->Coord.x / 1800)});
		DeleteAllObjects();
		return cells;
	}
}

TEST_F(SuperTiles, TemplatesFaceUpAndCutAlongTheirDiagonals)
{
	// On a flat supertile every triangle of both templates faces up.
	OGLPoint3D p[81];
	for (int i = 0; i < 9; i++)
		for (int j = 0; j < 9; j++)
			p[i * 9 + j] = {float(j) * 225, 0, float(i) * 225};
	for (auto* t : {gTileTriangleTemplateA, gTileTriangleTemplateB})
		for (int tile = 0; tile < 64; tile++)
			for (int k = 0; k < 6; k += 3)
			{
				OGLVector3D a = p[t[tile][k + 1]] - p[t[tile][k]], b = p[t[tile][k + 2]] - p[t[tile][k]], n;
				OGLVector3D_Cross(&a, &b, &n);
				ASSERT_GT(n.y, 0) << "tile " << tile;
			}
	// Tile (2, 3): its low corner is vertex 21. A shares P1–P3 (22, 30), B shares P0–P2 (21, 31).
	auto shares = [](const uint32_t* t, uint32_t u, uint32_t v) {
		std::set<uint32_t> first(t, t + 3), second(t + 3, t + 6);
		return first.count(u) && first.count(v) && second.count(u) && second.count(v);
	};
	EXPECT_TRUE(shares(gTileTriangleTemplateA[2 * 8 + 3], 22, 30));
	EXPECT_TRUE(shares(gTileTriangleTemplateB[2 * 8 + 3], 21, 31));

	EXPECT_EQ(CalcTileSplitMode(5, 5, 5, 5), 0) << "flat";
	EXPECT_EQ(CalcTileSplitMode(0, 10, 100, 10), 1) << "P1–P3 level: cut there";
	EXPECT_EQ(CalcTileSplitMode(0, 10, 0, 100), 0);
	EXPECT_EQ(CalcTileSplitMode(0, 10, 20, 30), 1) << "a tie cuts along P1–P3";
}

TEST_F(SuperTiles, NormalsFollowTheSlopeAndMeetAcrossSeams)
{
	// A tilted plane: every normal is the plane's.
	MemoryTerrain plane = FromContent(SimpleContent(3, 3, [](float x, float z) { return x * 0.3f - z * 0.2f; }));
	LoadFromMemory(plane);
	int e = MakeSuperTileMesh(8, 8);
	OGLVector3D expected = {-0.3f, 1, 0.2f};
	OGLVector3D_Normalize(&expected, &expected);
	for (int i = 0; i < 81; i++)
	{
		const OGLVector3D& n = gSuperTileMemory[e].mesh->normals[i];
		ASSERT_NEAR(n.x, expected.x, 1e-4f);
		ASSERT_NEAR(n.y, expected.y, 1e-4f);
		ASSERT_NEAR(n.z, expected.z, 1e-4f);
	}
	EXPECT_FLOAT_EQ(gSuperTileMemory[e].bbox.min.y, 8 * 225 * 0.3f - 16 * 225 * 0.2f);
	EXPECT_EQ(gSuperTileMemory[e].left, 8 * 225);
	EXPECT_FLOAT_EQ(gSuperTileMemory[e].center.z, 8 * 225 + 900);
	FreeSuperTileMemory(e);
	DisposeTerrain();

	// Bumpy ground: two neighbours give their shared edge the same normals.
	MemoryTerrain bumpy = FromContent(SimpleContent(3, 3, [](float x, float z) {
		return 300 * std::sin(x * 0.003f) * std::cos(z * 0.002f) + 40 * std::sin(x * z * 1e-5f);
	}));
	LoadFromMemory(bumpy);
	int left = MakeSuperTileMesh(0, 8), right = MakeSuperTileMesh(8, 8);
	int up = MakeSuperTileMesh(0, 0);
	for (int i = 0; i < 9; i++)
	{
		const OGLVector3D& a = gSuperTileMemory[left].mesh->normals[i * 9 + 8];
		const OGLVector3D& b = gSuperTileMemory[right].mesh->normals[i * 9];
		EXPECT_NEAR(a.x, b.x, 1e-5f);
		EXPECT_NEAR(a.y, b.y, 1e-5f);
		EXPECT_NEAR(a.z, b.z, 1e-5f);
		const OGLVector3D& c = gSuperTileMemory[up].mesh->normals[72 + i];
		const OGLVector3D& d = gSuperTileMemory[left].mesh->normals[i];
		EXPECT_NEAR(c.y, d.y, 1e-5f);
		EXPECT_NEAR(c.z, d.z, 1e-5f);
		EXPECT_NEAR(std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z), 1.0f, 1e-5f);
	}
}

TEST_F(SuperTiles, TheWindowMarksBuildsAndReleases)
{
	TerrainFileContent c = SimpleContent(30, 30, [](float, float) { return 0.0f; });
	c.superTileTextures[size_t(3) * 30 + 4] = 0;		// an empty supertile
	MemoryTerrain t = FromContent(c);
	LoadFromMemory(t);

	// A camera before the map's low corner: negative window cells are skipped.
	UpdateVisibleTerrain(100, 100);
	EXPECT_EQ(gWindowCol, -8) << "(100 − 16200) / 1800 truncates toward zero";
	EXPECT_EQ(gWindowRow, -8);
	EXPECT_TRUE(gSuperTileStatusGrid[0][0].inRange);
	EXPECT_TRUE(gSuperTileStatusGrid[3][4].inRange) << "an empty supertile is in range…";
	EXPECT_EQ(gSuperTileStatusGrid[3][4].status, 0) << "…but never built";
	UpdateSuperTilesWithoutDrawing();

	// In the middle of the map: the whole mask, 275 cells, built but for the empty one.
	UpdateVisibleTerrain(15 * 1800 + 10, 15 * 1800 + 10);
	EXPECT_EQ(CountInRange(), 275);
	UpdateSuperTilesWithoutDrawing();
	EXPECT_EQ(CountBuilt(), 275);
	EXPECT_EQ(gFreeSuperTileCount, SUPERTILE_POOL_SIZE - 275);
	for (int r = 0; r < 30; r++)
		for (int col = 0; col < 30; col++)
			if (gSuperTileStatusGrid[r][col].status)
			{
				ASSERT_TRUE(gSuperTileStatusGrid[r][col].inRange);
			}

	// A value between −1 and 0 truncates to 0.
	UpdateVisibleTerrain(16200 - 900, 16200 - 900);
	EXPECT_EQ(gWindowCol, 0);
	UpdateSuperTilesWithoutDrawing();
	EXPECT_EQ(CountBuilt(), CountInRange() - 1);
}

TEST_F(SuperTiles, NewSupertilesAppearOverFourFramesExceptOnTheFirst)
{
	MemoryTerrain t = FromContent(SimpleContent(30, 30, [](float, float) { return 0.0f; }));
	LoadFromMemory(t);
	gLevel.firstFrame = true;
	UpdateVisibleTerrain(20000, 20000);
	for (int r = 0; r < 30; r++)
		for (int c = 0; c < 30; c++)
			if (gSuperTileStatusGrid[r][c].status)
			{
				ASSERT_EQ(gSuperTileMemory[gSuperTileStatusGrid[r][c].memIndex].drawDelay, 0);
			}
	UpdateSuperTilesWithoutDrawing();
	int firstFrame = gSuperTilesDrawn;
	EXPECT_EQ(firstFrame, 275) << "everything is drawn at once on the first frame";

	// One supertile along x: the new column's cells wait 0, 1, 2, 3, 0, … frames.
	gLevel.firstFrame = false;
	UpdateVisibleTerrain(20000 + 1800, 20000);
	std::vector<int> delays;
	for (int r = 0; r < 30; r++)
		for (int c = 0; c < 30; c++)
		{
			const SuperTileStatus& s = gSuperTileStatusGrid[r][c];
			if (s.status && gSuperTileMemory[s.memIndex].drawDelay > 0)
				delays.push_back(gSuperTileMemory[s.memIndex].drawDelay);
		}
	EXPECT_FALSE(delays.empty());
	std::multiset<int> counts(delays.begin(), delays.end());
	EXPECT_GT(counts.count(1), 0u);
	EXPECT_GT(counts.count(2), 0u);
	EXPECT_GT(counts.count(3), 0u);
	UpdateSuperTilesWithoutDrawing();
	int drawn1 = gSuperTilesDrawn;
	UpdateVisibleTerrain(20000 + 1800, 20000);
	UpdateSuperTilesWithoutDrawing();
	EXPECT_GT(gSuperTilesDrawn, drawn1) << "delayed supertiles join frame by frame";
	for (int i = 0; i < 3; i++)
	{
		UpdateVisibleTerrain(20000 + 1800, 20000);
		UpdateSuperTilesWithoutDrawing();
	}
	EXPECT_EQ(gSuperTilesDrawn, CountBuilt());
}

TEST_F(SuperTiles, ItemsWakeOnJumpsAndOnTheRimOfASingleStep)
{
	TerrainFileContent c = SimpleContent(30, 30, [](float, float) { return 0.0f; });
	c.items.clear();
	for (int r = 0; r < 30; r++)
		for (int col = 0; col < 30; col++)
			c.items.push_back(Item(99, float(col) * 1800 + 900, float(r) * 1800 + 900));
	c.items.push_back(Item(0, 20000, 20000));
	MemoryTerrain t = FromContent(c);
	LoadFromMemory(t);

	InitObjectManager();

	UpdateVisibleTerrain(27000, 27000);			// the first update is a jump: the whole window
	std::multiset<std::pair<int, int>> woken = TakeWokenCells();
	EXPECT_EQ(woken.size(), 275u);
	UpdateSuperTilesWithoutDrawing();

	UpdateVisibleTerrain(27000 + 100, 27000);		// not a new cell: nothing wakes
	woken = TakeWokenCells();
	EXPECT_EQ(woken.size(), 0u);

	UpdateVisibleTerrain(27000 + 1800, 27000);		// one step: only rim cells (mask 2)
	woken = TakeWokenCells();
	int rim = 0;
	for (int r = 0; r < 18; r++)
		for (int col = 0; col < 18; col++)
			rim += kSuperTileWindowMask[r][col] == 2;
	EXPECT_EQ(woken.size(), size_t(rim));
	for (const auto& [row, col] : woken)
		EXPECT_EQ(kSuperTileWindowMask[row - gWindowRow][col - gWindowCol], 2);

	UpdateVisibleTerrain(27000 + 1800 * 3, 27000);	// two or more: a jump again
	woken = TakeWokenCells();
	EXPECT_EQ(woken.size(), size_t(CountInRange()));
}

TEST_F(SuperTiles, ThePoolNeverRunsDryOverALongRandomFlight)
{
	MemoryTerrain t = FromContent(SimpleContent(40, 40, [](float x, float z) { return std::sin(x * 0.001f) * z * 0.01f; }));
	LoadFromMemory(t);
	std::mt19937 rng(77);
	std::uniform_real_distribution<float> step(-700, 700), anywhere(-20000, 40 * 1800 + 20000);
	float x = 30000, z = 30000;
	int lowest = SUPERTILE_POOL_SIZE;
	gLevel.firstFrame = false;
	for (int frame = 0; frame < 10000; frame++)
	{
		if (rng() % 200 == 0)
		{
			x = anywhere(rng);					// a teleport, sometimes right off the map
			z = anywhere(rng);
		}
		else
		{
			x += step(rng);
			z += step(rng);
		}
		UpdateVisibleTerrain(x, z);
		lowest = std::min(lowest, gFreeSuperTileCount);
		ASSERT_GE(gFreeSuperTileCount, SUPERTILE_POOL_SIZE - 2 * 275) << "frame " << frame;
		UpdateSuperTilesWithoutDrawing();
		ASSERT_EQ(gFreeSuperTileCount, SUPERTILE_POOL_SIZE - CountBuilt()) << "frame " << frame;
		ASSERT_LE(CountBuilt(), 275);
	}
	EXPECT_LT(lowest, SUPERTILE_POOL_SIZE - 275) << "the flight did stream supertiles in and out";
}

TEST_F(SuperTiles, TheFirstPassOfStereoKeepsItsSupertilesForTheSecond)
{
	MemoryTerrain t = FromContent(SimpleContent(30, 30, [](float, float) { return 0.0f; }));
	LoadFromMemory(t);
	uint8_t savedMode = gGamePrefs.anaglyphMode;
	gGamePrefs.anaglyphMode = 1;
	UpdateVisibleTerrain(20000, 20000);
	gAnaglyphPass = 0;
	UpdateSuperTilesWithoutDrawing();
	int drawnFirst = gSuperTilesDrawn;
	gAnaglyphPass = 1;
	UpdateSuperTilesWithoutDrawing();
	EXPECT_EQ(gSuperTilesDrawn, drawnFirst) << "the second eye draws the same supertiles";
	UpdateSuperTilesWithoutDrawing();
	EXPECT_EQ(gSuperTilesDrawn, 0) << "after the second pass they need the window again";
	gGamePrefs.anaglyphMode = savedMode;
	gAnaglyphPass = 0;
}

TEST_F(SuperTiles, GroupingDropsItemsItCannotPlaceAndFindsTheStart)
{
	TerrainFileContent c = SimpleContent(4, 4, [](float, float) { return 0.0f; });
	c.items.clear();
	FileItem a = Item(5, 100, 100), b = Item(5, 1800, 100), start = Item(0, 4000, 3000, 3), far = Item(5, 9000, 100);
	c.items = {a, b, start, far};
	MemoryTerrain t = FromContent(c);
	// Out of order: the item at x 100 after the one at x 1800 (same row) is lost to the scan.
	std::vector<uint8_t>& items = t.At("Itms");
	std::swap_ranges(items.begin(), items.begin() + 16, items.begin() + 16);
	LoadFromMemory(t);

	EXPECT_EQ(gNumTerrainItems, 2) << "the misplaced item and the one off the map are dropped";
	EXPECT_EQ(gSuperTileItemIndex[0][1].numItems, 1) << "an item on a boundary belongs to the high side";
	EXPECT_EQ(gSuperTileItemIndex[0][0].numItems, 0);
	EXPECT_FLOAT_EQ(gPlayerStartX, float(uint32_t(float(WorldToMap(4000)) * 14.0625f)));
	EXPECT_NEAR(gPlayerStartRot, 3 * 0.7853982f, 1e-6f);
	EXPECT_EQ(gTerrainItemFileIDs[0], 0);
	EXPECT_EQ(gTerrainItemFileIDs[1], 2);
}

TEST_F(SuperTiles, AnItemOfAnUnknownTypeStops)
{
	TerrainFileContent c = SimpleContent(2, 2, [](float, float) { return 0.0f; });
	c.items.push_back(Item(109, 500, 500));
	MemoryTerrain t = FromContent(c);
	LoadFromMemory(t);
	EXPECT_THROW(UpdateVisibleTerrain(500, 500), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("Illegal Map Item Type!"), std::string::npos);
}

TEST_F(SuperTiles, TheDrawListRunsNearestFirstAndKeepsEachTexture)
{
	MemoryTerrain t = FromContent(SimpleContent(30, 30, [](float, float) { return 0.0f; }));
	LoadFromMemory(t);
	gLevel.firstFrame = true;
	UpdateVisibleTerrain(20000, 20000);
	SuperTileDrawList list;
	PrepareSuperTilesForDrawing(&list);
	ASSERT_GT(list.count, 100);
	std::multiset<std::pair<int, int>> before;
	for (int i = 0; i < list.count; i++)
		before.insert({list.memIndex[i], list.textureNum[i]});

	const float cameraX = 25000, cameraZ = 17000;		// off the window's centre: map order is not distance order
	SortSuperTilesNearestFirst(&list, cameraX, cameraZ);
	std::multiset<std::pair<int, int>> after;
	float last = -1;
	for (int i = 0; i < list.count; i++)
	{
		after.insert({list.memIndex[i], list.textureNum[i]});
		const OGLPoint3D& c = gSuperTileMemory[list.memIndex[i]].center;
		float d = (c.x - cameraX) * (c.x - cameraX) + (c.z - cameraZ) * (c.z - cameraZ);
		EXPECT_GE(d, last) << "entry " << i;
		last = d;
	}
	EXPECT_EQ(after, before) << "every supertile keeps its own texture";
	FinishSuperTileFrame();
}
