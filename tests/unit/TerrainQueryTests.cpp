// Height and normal queries: against the world generator's own height
// function (baked, written, read back by the game), against triangles worked
// out here independently, and at the edges of the rules (outside the map,
// holes, split diagonals, the far edge).
#include "TerrainTestSupport.h"
#include "3D/MetaObjectsRegistry.h"
#include "System/Objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace TerrainTestSupport;
using namespace TerrainBake;

namespace
{
	// The brain boss arena, baked once for the suite.
	struct BakedWorld
	{
		WorldDesign design = MakeWorldDesign(LEVEL_NUM_BRAINBOSS);
		MemoryTerrain terrain = FromContent(BakeWorld(design));
	};
	const BakedWorld& Arena()
	{
		static BakedWorld world;
		return world;
	}

	// Height of the drawn surface at (x, z) worked out from corner heights:
	// the tile's triangle by the split rule, then barycentric weights.
	float ExpectedHeight(const std::function<float(float, float)>& corner, float x, float z, OGLVector3D* normal)
	{
		int c = int(x / 225), r = int(z / 225);
		float x0 = float(c) * 225, z0 = float(r) * 225;
		OGLPoint3D p0{x0, corner(x0, z0), z0}, p1{x0 + 225, corner(x0 + 225, z0), z0};
		OGLPoint3D p2{x0 + 225, corner(x0 + 225, z0 + 225), z0 + 225}, p3{x0, corner(x0, z0 + 225), z0 + 225};
		float fx = x - x0, fz = z - z0;
		OGLPoint3D a, b, d;
		if (CalcTileSplitMode(p0.y, p1.y, p2.y, p3.y))
		{
			if (fz < 225 - fx) { a = p0; b = p1; d = p3; } else { a = p1; b = p2; d = p3; }
		}
		else
		{
			if (fz > fx) { a = p0; b = p2; d = p3; } else { a = p0; b = p1; d = p2; }
		}
		// Barycentric weights in x/z.
		float det = (b.z - d.z) * (a.x - d.x) + (d.x - b.x) * (a.z - d.z);
		float wa = ((b.z - d.z) * (x - d.x) + (d.x - b.x) * (z - d.z)) / det;
		float wb = ((d.z - a.z) * (x - d.x) + (a.x - d.x) * (z - d.z)) / det;
		float wd = 1 - wa - wb;
		OGLVector3D u = {b.x - a.x, b.y - a.y, b.z - a.z}, v = {d.x - a.x, d.y - a.y, d.z - a.z};
		OGLVector3D n = {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
		if (n.y < 0)
			n = {-n.x, -n.y, -n.z};
		float len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
		*normal = {n.x / len, n.y / len, n.z / len};
		return wa * a.y + wb * b.y + wd * d.y;
	}

	struct TerrainQuery : TerrainTest {};
}

TEST_F(TerrainQuery, CornersAreTheGeneratorsHeights)
{
	LoadFromMemory(Arena().terrain);
	const auto& height = Arena().design.height;
	for (int r = 0; r < gMapTilesDeep; r++)
		for (int c = 0; c < gMapTilesWide; c++)
		{
			float x = float(c) * 225, z = float(r) * 225;
			float expected = height(x, z);
			ASSERT_NEAR(TerrainHeightAt(x, z), expected, 0.01f + std::fabs(expected) * 1e-5f) << "corner " << r << ", " << c;
		}
}

TEST_F(TerrainQuery, BetweenCornersHeightsAndNormalsFollowTheDrawnTriangles)
{
	LoadFromMemory(Arena().terrain);
	auto corner = [](float x, float z) { return Arena().design.height(x, z); };
	std::mt19937 rng(5);
	std::uniform_real_distribution<float> along(0, float(gMapUnitWidth) - 1);
	for (int i = 0; i < 20000; i++)
	{
		float x = along(rng), z = along(rng);
		OGLVector3D n;
		float expected = ExpectedHeight(corner, x, z, &n);
		float got = TerrainHeightAt(x, z);
		ASSERT_NEAR(got, expected, 0.05f + std::fabs(expected) * 1e-4f) << "at " << x << ", " << z;
		ASSERT_NEAR(gLastTerrainNormal.x, n.x, 1e-3f);
		ASSERT_NEAR(gLastTerrainNormal.y, n.y, 1e-3f);
		ASSERT_NEAR(gLastTerrainNormal.z, n.z, 1e-3f);
		ASSERT_GT(gLastTerrainNormal.y, 0) << "normals point up";
	}
}

TEST_F(TerrainQuery, FlatGroundOfTheDesignIsExactlyLevel)
{
	LoadFromMemory(Arena().terrain);
	const float cx = 9000, cz = 9000;
	std::mt19937 rng(9);
	std::uniform_real_distribution<float> unit(0, 1);
	for (int i = 0; i < 2000; i++)
	{
		// The dais top and the open floor between the dais and the portal ring.
		float a = unit(rng) * 6.2831853f;
		float onDais = unit(rng) * 1250, onFloor = 2100 + unit(rng) * 2800;
		ASSERT_FLOAT_EQ(TerrainHeightAt(cx + onDais * std::cos(a), cz + onDais * std::sin(a)), 250.0f);
		ASSERT_FLOAT_EQ(gLastTerrainNormal.y, 1.0f);
		ASSERT_FLOAT_EQ(TerrainHeightAt(cx + onFloor * std::cos(a), cz + onFloor * std::sin(a)), 0.0f);
		ASSERT_FLOAT_EQ(Arena().design.height(cx + onFloor * std::cos(a), cz + onFloor * std::sin(a)), 0.0f);
	}
}

TEST_F(TerrainQuery, ASplitZeroTilesDiagonalBelongsToTriangleP0P1P2)
{
	// Corner heights of tile (0, 0): P0 0, P1 100, P2 0, P3 50: cut along P0–P2.
	auto h = [](float x, float z) {
		if (x == 225 && z == 0) return 100.0f;
		if (x == 0 && z == 225) return 50.0f;
		return 0.0f;
	};
	MemoryTerrain t = FromContent(SimpleContent(1, 1, h));
	LoadFromMemory(t);
	ASSERT_EQ(gTileSplitMode[0][0], 0);

	EXPECT_FLOAT_EQ(TerrainHeightAt(100, 100), 0.0f);
	OGLVector3D n012 = {-100.0f / 225, 1, 100.0f / 225};	// the plane through P0, P1, P2
	float len = std::sqrt(n012.x * n012.x + 1 + n012.z * n012.z);
	EXPECT_NEAR(gLastTerrainNormal.x, n012.x / len, 1e-5f);
	EXPECT_NEAR(gLastTerrainNormal.y, 1 / len, 1e-5f);
	EXPECT_NEAR(gLastTerrainNormal.z, n012.z / len, 1e-5f);
	// Just off the diagonal on the other side: the other triangle.
	TerrainHeightAt(100, 101);
	EXPECT_GT(gLastTerrainNormal.x, 0) << "triangle P0, P2, P3 slopes the other way";
}

TEST_F(TerrainQuery, OutsideTheMapWithoutTerrainAndInHoles)
{
	EXPECT_EQ(TerrainHeightAt(100, 100), TERRAIN_HEIGHT_NO_TERRAIN);

	TerrainFileContent c = SimpleContent(2, 2, [](float, float) { return 300.0f; });
	c.attributeFlags = {0, TILE_ATTRIB_HOLE};
	c.attributeIndex[size_t(3) * 16 + 4] = 1;			// tile (row 3, column 4) is a hole
	MemoryTerrain t = FromContent(c);
	LoadFromMemory(t);

	gLastTerrainNormal = {0.5f, 0.5f, 0.5f};
	EXPECT_EQ(TerrainHeightAt(-300, 100), 0.0f);
	EXPECT_EQ(TerrainHeightAt(100, 3600), 0.0f);
	EXPECT_EQ(TerrainHeightAt(std::nanf(""), 100), 0.0f);
	EXPECT_FLOAT_EQ(gLastTerrainNormal.x, 0.5f) << "a query outside the map leaves the normal";
	EXPECT_FLOAT_EQ(TerrainHeightAt(-100, 100), 300.0f) << "just before the low edge: the first tile's plane";

	float holeX = 4 * 225 + 100, holeZ = 3 * 225 + 100;
	EXPECT_FLOAT_EQ(TerrainHeightAt(holeX, holeZ), 300.0f) << "holes only count on the Cloud level";
	gCurrentLevel = LEVEL_NUM_CLOUD;
	EXPECT_EQ(TerrainHeightAt(holeX, holeZ), TERRAIN_HEIGHT_HOLE);
	EXPECT_FLOAT_EQ(gLastTerrainNormal.y, 1.0f);
	EXPECT_FLOAT_EQ(TerrainHeightAtNoHoles(holeX, holeZ), 300.0f);
	EXPECT_FLOAT_EQ(TerrainHeightAt(holeX + 225, holeZ), 300.0f);
}

TEST_F(TerrainQuery, TheFarEdgeRowIsQueriedButDrawnAtZero)
{
	MemoryTerrain t = FromContent(SimpleContent(2, 2, [](float, float) { return 500.0f; }));
	LoadFromMemory(t);
	EXPECT_FLOAT_EQ(TerrainHeightAt(3599, 3599), 500.0f);

	int e = MakeSuperTileMesh(8, 8);
	const OGLPoint3D* p = gSuperTileMemory[e].mesh->points;
	EXPECT_FLOAT_EQ(p[0].y, 500.0f);
	EXPECT_FLOAT_EQ(p[8].y, 0.0f) << "the last column of the map";
	EXPECT_FLOAT_EQ(p[72].y, 0.0f) << "the last row of the map";
	EXPECT_FLOAT_EQ(p[7 * 9 + 7].y, 500.0f);
	FreeSuperTileMemory(e);
}

TEST_F(TerrainQuery, BaseHeightsIgnoreChangesToTheLiveHeights)
{
	MemoryTerrain t = FromContent(SimpleContent(1, 1, [](float x, float) { return x * 0.5f; }));
	LoadFromMemory(t);
	gMapHeights[2][2] += 1000;
	EXPECT_GT(TerrainHeightAt(450, 450), 900.0f);
	EXPECT_FLOAT_EQ(BaseTerrainHeightAt(450, 450), 225.0f);
}

TEST_F(TerrainQuery, LowestGroundUnderAModelsFootprint)
{
	MemoryTerrain t = FromContent(SimpleContent(2, 2, [](float x, float z) { return x * 0.25f + z * 0.5f; }));
	LoadFromMemory(t);
	OGLBoundingBox saved = gObjectGroupBBoxList[1][3];
	gObjectGroupBBoxList[1][3] = {{-100, 0, -50}, {100, 40, 50}, false};
	// The lowest corner is (x − 200, z − 100) at scale 2.
	EXPECT_FLOAT_EQ(MinTerrainHeightUnderModel(1000, 1000, 1, 3, 2), 800 * 0.25f + 900 * 0.5f);
	gObjectGroupBBoxList[1][3] = saved;
}

TEST_F(TerrainQuery, RangeFollowsTheWindow)
{
	MemoryTerrain t = FromContent(SimpleContent(24, 24, [](float, float) { return 0.0f; }));
	LoadFromMemory(t);
	UpdateVisibleTerrain(1000, 1000);
	EXPECT_FALSE(IsPositionOutOfRange(1000, 1000));
	EXPECT_FALSE(IsPositionOutOfRange(15000, 1000));
	EXPECT_TRUE(IsPositionOutOfRange(30000, 30000)) << "beyond the window";
	EXPECT_TRUE(IsPositionOutOfRange(-5, 1000)) << "outside the map";
	EXPECT_TRUE(IsPositionOutOfRange(1000, 24 * 1800));

	ObjNode node = {};
	node.Coord = {1000, 0, 1000};
	node.InitCoord = {40000, 0, 40000};
	EXPECT_FALSE(IsNodeOutOfRange(&node));
	EXPECT_TRUE(IsNodeStartOutOfRange(&node));
}
