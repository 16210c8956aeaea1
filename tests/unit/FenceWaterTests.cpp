// Fences and water: how movers slide along fences, stop at posts and are put
// back when trapped; sight lines over low fences; fence meshes; water
// outlines, surfaces and the winding point test; and the files the reader
// refuses.
#include "FenceWaterTestSupport.h"
#include "TerrainTestSupport.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/Game.h"
#include "System/Objects.h"

#include <gtest/gtest.h>

#include <string>

using namespace FenceWaterTestSupport;

namespace
{
	struct FenceWater : ::testing::Test
	{
		int savedLevel = 0;
		void SetUp() override
		{
			savedLevel = gCurrentLevel;
			gCurrentLevel = LEVEL_NUM_FARM;
			InitObjectManager();
		}
		void TearDown() override
		{
			DeleteAllObjects();
			DisposeTestFencesAndWater();
			gCurrentLevel = savedLevel;
			gFatalErrorRaised = false;
		}

		// A mover of radius r moving from `from` to `to` (x, z) with `delta`.
		ObjNode* Mover(float r, std::pair<float, float> from, std::pair<float, float> to, OGLVector3D delta)
		{
			ObjectDef def = {};
			def.genre = CUSTOM_GENRE;
			def.slot = 100;
			def.coord = {from.first, 0, from.second};
			ObjNode* node = MakeNewObject(&def);
			node->Size = r;
			node->OldCoord = node->Coord;
			gObjCoord = {to.first, 0, to.second};
			gObjDelta = delta;
			return node;
		}
	};

	// Even-odd reference for simple (not self-crossing) outlines.
	bool InsideEvenOdd(float px, float pz, const std::vector<OGLPoint2D>& poly)
	{
		bool inside = false;
		for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
			if ((poly[i].y > pz) != (poly[j].y > pz)
					&& px < (poly[j].x - poly[i].x) * (pz - poly[i].y) / (poly[j].y - poly[i].y) + poly[i].x)
				inside = !inside;
		return inside;
	}
}

TEST_F(FenceWater, SlidingAlongAFencePutsTheMoverRPlus8OffAndKeeps60PercentOfTheReflectedSpeed)
{
	PrimeTestFences({{0, {{-1000, 0}, {1000, 0}}}});
	ObjNode* node = Mover(50, {0, 100}, {100, -100}, {300, 0, -600});
	EXPECT_TRUE(CollideWithFences(node));
	// The segment pushed 50 past the target crosses the line at x = 40.
	EXPECT_NEAR(gObjCoord.x, 40, 1e-3);
	EXPECT_NEAR(gObjCoord.z, 58, 1e-3);
	EXPECT_NEAR(gObjDelta.x, 180, 1e-3);
	EXPECT_NEAR(gObjDelta.z, 360, 1e-3);

	// From the other side it is pushed off that side.
	node = Mover(50, {0, -100}, {0, 100}, {0, 0, 500});
	EXPECT_TRUE(CollideWithFences(node));
	EXPECT_NEAR(gObjCoord.z, -58, 1e-3);
	EXPECT_NEAR(gObjDelta.z, -300, 1e-3);
}

TEST_F(FenceWater, MovingAlongsideOrStandingStillTouchesNothing)
{
	PrimeTestFences({{0, {{-1000, 0}, {1000, 0}}}});
	ObjNode* node = Mover(50, {-500, 200}, {500, 200}, {600, 0, 0});
	EXPECT_FALSE(CollideWithFences(node));
	EXPECT_FLOAT_EQ(gObjCoord.x, 500);
	EXPECT_FLOAT_EQ(gObjDelta.x, 600);

	node = Mover(50, {0, 10}, {0, 10}, {0, 0, 0});
	EXPECT_FALSE(CollideWithFences(node)) << "no move, no test";
}

TEST_F(FenceWater, APostStopsTheMoverWithHalfItsReflectedSpeed)
{
	PrimeTestFences({{0, {{0, 0}, {1000, 0}}}});
	// Passing the fence's end without crossing it, but within 50 of the post.
	ObjNode* node = Mover(50, {-200, 30}, {-30, 20}, {400, 0, -50});
	EXPECT_TRUE(CollideWithFences(node));
	EXPECT_FLOAT_EQ(gObjCoord.x, -200);
	EXPECT_FLOAT_EQ(gObjCoord.z, 30);
	EXPECT_NEAR(gObjDelta.x, 200, 1e-3);
	EXPECT_NEAR(gObjDelta.z, 25, 1e-3);
}

TEST_F(FenceWater, AMoverTrappedBetweenSectionsIsPutBackOnTheFourthBounce)
{
	// A U of two sections 60 apart: pushed 58 off one, the mover (radius 50)
	// lands across the other, back and forth.
	PrimeTestFences({{0, {{-1000, 0}, {1000, 0}, {1000, 60}, {-1000, 60}}}});
	ObjNode* node = Mover(50, {0, 30}, {0, -200}, {0, 0, -900});
	EXPECT_TRUE(CollideWithFences(node));
	EXPECT_FLOAT_EQ(gObjCoord.x, 0);
	EXPECT_FLOAT_EQ(gObjCoord.z, 30);
	// Three bounces took their toll (each reflected and × 0.6); the fourth none.
	EXPECT_NEAR(gObjDelta.z, 900 * 0.6f * 0.6f * 0.6f, 1e-2);
}

TEST_F(FenceWater, SightLinesPassOverLowFencesAndHitTallOnes)
{
	PrimeTestFences({{20, {{-500, 0}, {500, 0}}}, {1, {{-500, 1000}, {500, 1000}}}});
	OGLPoint3D hit;
	bool above = false;
	float top = 0;
	OGLPoint3D p1 = {0, 200, -100}, p2 = {0, 200, 100};
	ASSERT_TRUE(SegmentHitsFence(&p1, &p2, &hit, &above, &top));
	EXPECT_TRUE(above) << "200 clears a 150-high curb";
	EXPECT_FLOAT_EQ(top, 150);
	EXPECT_NEAR(hit.z, 0, 1e-3);

	p1 = {0, 100, 900};
	p2 = {0, 300, 1100};
	ASSERT_TRUE(SegmentHitsFence(&p1, &p2, &hit, &above, &top));
	EXPECT_FALSE(above);
	EXPECT_NEAR(hit.y, 200, 1e-3) << "the segment's height where it crosses";

	p1 = {600, 0, -100};
	p2 = {600, 0, 2000};
	EXPECT_FALSE(SegmentHitsFence(&p1, &p2, &hit, &above, &top));
}

TEST_F(FenceWater, FenceMeshesKeepTheImageProportionsAndSinkExceptWhereTheLevelSaysNot)
{
	// No fence images in unit tests: a square image, so u grows by 1 per height.
	PrimeTestFences({{0, {{0, 0}, {430, 0}, {430, 860}}}});
	const FenceMesh& mesh = gFenceMeshes[0];
	EXPECT_EQ(mesh.data.numPoints, 6);
	EXPECT_EQ(mesh.data.numTriangles, 4);
	EXPECT_FLOAT_EQ(mesh.points[0].y, -FENCE_SINK);
	EXPECT_FLOAT_EQ(mesh.points[1].y, 430 - FENCE_SINK);
	EXPECT_NEAR(mesh.uvs[2].u, 1, 1e-4);
	EXPECT_NEAR(mesh.uvs[4].u, 3, 1e-4);
	EXPECT_FLOAT_EQ(mesh.uvs[1].v, 0);
	EXPECT_FLOAT_EQ(mesh.uvs[0].v, 1);
	DisposeTestFencesAndWater();

	gCurrentLevel = LEVEL_NUM_CLOUD;
	PrimeTestFences({{0, {{0, 0}, {430, 0}}}});
	EXPECT_FLOAT_EQ(gFenceMeshes[0].points[0].y, 0) << "cloud fences stand on the ground";
}

TEST_F(FenceWater, ThePointTestCountsWindingForEitherDirectionAndAClosedOutline)
{
	const std::vector<std::vector<OGLPoint2D>> shapes = {
		{{0, 0}, {100, 0}, {100, 100}, {0, 100}},								// square
		{{0, 0}, {0, 100}, {100, 100}, {100, 0}},								// the same, clockwise
		{{0, 0}, {100, 0}, {100, 40}, {40, 40}, {40, 100}, {0, 100}},			// an L
		{{50, 0}, {100, 50}, {50, 100}, {0, 50}},								// a diamond: diagonal moves
	};
	for (const auto& shape : shapes)
		for (float z = -15; z <= 115; z += 7.3f)
			for (float x = -15; x <= 115; x += 7.3f)
				ASSERT_EQ(IsPointInPolygon2D(x, z, int(shape.size()), shape.data()) != 0, InsideEvenOdd(x, z, shape))
						<< x << ", " << z << " in a shape of " << shape.size();

	// An outline that repeats its first point last answers the same.
	std::vector<OGLPoint2D> closed = shapes[2];
	closed.push_back(closed.front());
	for (float z = -15; z <= 115; z += 11.1f)
		for (float x = -15; x <= 115; x += 11.1f)
			EXPECT_EQ(IsPointInPolygon2D(x, z, int(closed.size()), closed.data()),
					IsPointInPolygon2D(x, z, int(shapes[2].size()), shapes[2].data()));
}

TEST_F(FenceWater, WaterStandsAboveItsHotSpotAndMarksWhatIsInIt)
{
	// The last nub repeats the first: the patch keeps four.
	PrimeTestWater({{WATER_KIND_SLIME, {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}}, {500, 500}}});
	ASSERT_NE(gWaterMeshes, nullptr);
	EXPECT_EQ(gWaterList[0].numNubs, 4);
	EXPECT_EQ(gWaterMeshes[0].data.numTriangles, 4);
	EXPECT_FLOAT_EQ(gWaterMeshes[0].points[4].x, 500) << "the fan's centre";
	EXPECT_FLOAT_EQ(gWaterMeshes[0].y, WATER_SURFACE_LIFT);

	float y = -1;
	EXPECT_TRUE(GetWaterY(200, 800, &y));
	EXPECT_FLOAT_EQ(y, WATER_SURFACE_LIFT);
	EXPECT_FALSE(GetWaterY(1200, 800, &y));
	EXPECT_FLOAT_EQ(y, 0);

	ObjNode node = {};
	int patch = -1;
	EXPECT_TRUE(IsInWater(&node, 200, 50, 800, &patch));
	EXPECT_EQ(patch, 0);
	EXPECT_TRUE(node.StatusBits & STATUS_BIT_INWATER);
	EXPECT_FALSE(IsInWater(&node, 200, 150, 800, &patch)) << "above the surface";
	EXPECT_FALSE(node.StatusBits & STATUS_BIT_INWATER);
}

TEST_F(FenceWater, WaterLayersScrollTheirOwnWays)
{
	PrimeTestWater({{WATER_KIND_LAVA, {{0, 0}, {1000, 0}, {0, 1000}}, {100, 100}}});
	const OGLTextureCoord before1 = gWaterMeshes[0].uvs1[1], before2 = gWaterMeshes[0].uvs2[1];
	EXPECT_FLOAT_EQ(before1.u, 1000 * WATER_UV_SCALE_1);
	ScrollWater(2);
	EXPECT_NEAR(gWaterMeshes[0].uvs1[1].u - before1.u, 0.04f, 1e-5);
	EXPECT_NEAR(gWaterMeshes[0].uvs2[1].v - before2.v, -0.06f, 1e-5);
}

TEST_F(FenceWater, BadPatchesAndFencesStopWithTheirMessages)
{
	// Three nubs of which the last repeats the first leave two.
	LayOutTestWater({{0, {{0, 0}, {1000, 0}, {0, 0}}, {0, 0}}});
	EXPECT_THROW(PrimeWater(), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("numNubs >= 3"), std::string::npos) << gLastFatalMessage;
	DisposeTestFencesAndWater();

	LayOutTestWater({{8, {{0, 0}, {1000, 0}, {0, 1000}}, {0, 0}}});
	EXPECT_THROW(PrimeWater(), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("illegal type 8"), std::string::npos) << gLastFatalMessage;
	DisposeTestFencesAndWater();

	EXPECT_THROW(PrimeTestFences({{0, {{0, 0}}}}), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("fence 0 has 1 nubs"), std::string::npos) << gLastFatalMessage;
	DisposeTestFencesAndWater();
	EXPECT_THROW(PrimeTestFences({{22, {{0, 0}, {10, 0}}}}), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("illegal fence type"), std::string::npos) << gLastFatalMessage;
}

TEST(FenceWaterFiles, TheReaderRefusesOneNubFencesAndUnknownWaterNamingTheFile)
{
	using namespace TerrainTestSupport;
	TerrainFileContent c = SimpleContent(1, 1, [](float, float) { return 0.0f; });
	c.fences.push_back({0, {{0, 0}, {50, 0}}});
	c.water.push_back({0, 0, 0, {{0, 0}, {50, 0}, {0, 50}}, 10, 10, {}});

	MemoryTerrain oneNub = FromContent(c);
	oneNub.At("Fenc")[3] = 1;
	gFatalErrorRaised = false;
	EXPECT_THROW(ReadFromMemory(oneNub, "Fenced.ter"), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("fence 0 has 1 nubs"), std::string::npos) << gLastFatalMessage;
	EXPECT_NE(gLastFatalMessage.find("Fenced.ter"), std::string::npos) << gLastFatalMessage;

	MemoryTerrain badWater = FromContent(c);
	badWater.At("Liqd")[1] = 9;
	EXPECT_THROW(ReadFromMemory(badWater, "Wet.ter"), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("illegal type 9"), std::string::npos) << gLastFatalMessage;
	EXPECT_NE(gLastFatalMessage.find("Wet.ter"), std::string::npos) << gLastFatalMessage;
	gFatalErrorRaised = false;
	DisposeTerrainFileTables();
}
