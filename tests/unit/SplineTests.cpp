// Spline loops: closing a loop at its seam, baking the cubic through the nubs,
// the faults that stop a level, and the list of objects riding loops.
#include "Terrain/Splines.h"
#include "TerrainTestSupport.h"
#include "worlds/WorldPlacing.h"
#include "Items/SplinePlatforms.h"
#include "System/FrameTime.h"
#include "Terrain/TerrainFile.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "Memory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
	// A loaded spline record over its own nub and point handles.
	struct LoopRecord
	{
		SplineRecord spline = {};

		explicit LoopRecord(const std::vector<SplinePointType>& nubs)
		{
			spline.numNubs = int32_t(nubs.size());
			spline.nubList = reinterpret_cast<SplinePointType**>(NewHandle(int32_t(nubs.size() * sizeof(SplinePointType))));
			for (size_t i = 0; i < nubs.size(); i++)
				(*spline.nubList)[i] = nubs[i];
			spline.numPoints = 2;
			spline.pointList = reinterpret_cast<SplinePointType**>(NewHandleClear(2 * sizeof(SplinePointType)));
		}
		~LoopRecord()
		{
			DisposeHandle(reinterpret_cast<Handle>(spline.nubList));
			DisposeHandle(reinterpret_cast<Handle>(spline.pointList));
		}
		const SplinePointType& Point(int i) const { return (*spline.pointList)[i]; }
	};

	float Distance(const SplinePointType& a, const SplinePointType& b)
	{
		return std::hypot(a.x - b.x, a.z - b.z);
	}

	const char* FaultOf(const std::vector<SplinePointType>& nubs)
	{
		LoopRecord loop(nubs);
		return FindSplineLoopFault(&loop.spline);
	}

	// A 100-unit square whose last nub stops `gap` short of the first.
	std::vector<SplinePointType> Square(float gap)
	{
		return {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, gap}};
	}
}

TEST(SplineLoops, ClosingMeetsAtTheMidpointAndBakesThreePointsPerUnit)
{
	LoopRecord loop(Square(10));
	PatchSplineLoop(&loop.spline);

	// 300 points on each of three sides, 270 on the fourth (measured before closing).
	ASSERT_EQ(loop.spline.numPoints, 1170);
	EXPECT_FLOAT_EQ((*loop.spline.nubList)[0].z, 5);
	EXPECT_FLOAT_EQ((*loop.spline.nubList)[4].z, 5);
	EXPECT_FLOAT_EQ(loop.Point(0).x, 0);
	EXPECT_FLOAT_EQ(loop.Point(0).z, 5);
	EXPECT_NEAR(loop.Point(300).x, 100, 1e-3);
	EXPECT_NEAR(loop.Point(300).z, 0, 1e-3);
	EXPECT_NEAR(loop.Point(600).z, 100, 1e-3);

	// Seamless: the step from the last point back to the first is no longer
	// than the steps elsewhere, and no step anywhere jumps.
	float longest = 0;
	for (int i = 1; i < loop.spline.numPoints; i++)
		longest = std::max(longest, Distance(loop.Point(i - 1), loop.Point(i)));
	EXPECT_LT(longest, 1.0f);
	EXPECT_LT(Distance(loop.Point(loop.spline.numPoints - 1), loop.Point(0)), longest * 1.01f);
}

TEST(SplineLoops, FaultsNameWhyALoopCannotClose)
{
	EXPECT_EQ(FaultOf(Square(19.9f)), nullptr);
	EXPECT_STREQ(FaultOf(Square(20)),
			"spline endpoint nubs are too far apart for seamless looping");
	EXPECT_EQ(FaultOf({{0, 0}, {100, 0}, {50, 80}, {0, 1}}), nullptr)
			<< "four nubs are enough";
	EXPECT_STREQ(FaultOf({{0, 0}, {100, 0}, {0, 1}}), "numNubs > numWrapNubs");
	EXPECT_STREQ(FaultOf({{0, 0}, {1e30f, 0}, {0, 1e30f}, {0, 1}}), "spline too long");
	EXPECT_STREQ(FaultOf({{0, 0}, {NAN, 0}, {0, 100}, {0, 1}}), "spline too long");

	LoopRecord open(Square(20));
	gFatalErrorRaised = false;
	EXPECT_THROW(PatchSplineLoop(&open.spline), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("too far apart"), std::string::npos) << gLastFatalMessage;
	EXPECT_FLOAT_EQ((*open.spline.nubList)[0].z, 0) << "a refused loop is left as it was";
	gFatalErrorRaised = false;
}

TEST(SplineLoops, BakingPassesThroughTheNubsAndAppendsTheLastOnRequest)
{
	// Evenly spaced nubs on a line: the natural cubic is the line itself.
	const SplinePointType nubs[] = {{0, 0}, {10, 20}, {20, 40}};
	const int32_t perSpan[] = {2, 2, 1};
	SplinePointType** points = BakeSpline(3, nubs, perSpan);
	ASSERT_EQ(GetHandleSize(reinterpret_cast<Handle>(points)), int32_t(5 * sizeof(SplinePointType)));
	for (int i = 0; i < 5; i++)
	{
		EXPECT_NEAR((*points)[i].x, 5.0f * float(i), 1e-4) << i;
		EXPECT_NEAR((*points)[i].z, 10.0f * float(i), 1e-4) << i;
	}
	DisposeHandle(reinterpret_cast<Handle>(points));

	// A bend: the curve still goes through every nub at the start of its span.
	const SplinePointType bent[] = {{0, 0}, {30, 0}, {30, 30}, {60, 30}};
	const int32_t perSpanBent[] = {7, 7, 7, 0};
	points = BakeSpline(4, bent, perSpanBent);
	EXPECT_FLOAT_EQ((*points)[7].x, 30);
	EXPECT_FLOAT_EQ((*points)[14].z, 30);
	EXPECT_GT((*points)[10].x, 30) << "the natural cubic overshoots the corner a little";
	DisposeHandle(reinterpret_cast<Handle>(points));
}

TEST(SplineObjects, TheHundredAndFirstRiderStopsTheProgram)
{
	InitObjectManager();
	DeleteAllSplineObjects();
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 100;
	std::vector<ObjNode*> riders;
	for (int i = 0; i < MAX_SPLINE_OBJECTS; i++)
	{
		riders.push_back(MakeNewObject(&def));
		AddToSplineObjectList(riders.back());
	}
	EXPECT_EQ(riders[42]->SplineObjectIndex, 42);
	EXPECT_TRUE(riders[42]->StatusBits & STATUS_BIT_ONSPLINE);

	gFatalErrorRaised = false;
	EXPECT_THROW(AddToSplineObjectList(MakeNewObject(&def)), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "AddToSplineObjectList: too many spline objects");
	gFatalErrorRaised = false;

	// A rider that leaves its loop frees its entry only; the count stays.
	RemoveFromSplineObjectList(riders[42]);
	EXPECT_EQ(gSplineObjects[42], nullptr);
	EXPECT_EQ(gNumSplineObjects, MAX_SPLINE_OBJECTS);
	EXPECT_FALSE(riders[42]->StatusBits & STATUS_BIT_ONSPLINE);
	RemoveFromSplineObjectList(riders[42]);		// twice is harmless

	DeleteAllSplineObjects();
	EXPECT_EQ(gNumSplineObjects, 0);
	EXPECT_EQ(riders[0]->CType, INVALID_NODE_FLAG);
	EXPECT_NE(riders[42]->CType, INVALID_NODE_FLAG) << "a node off its loop is not the spline list's to delete";
	DeleteAllObjects();
}

namespace
{
	// One loaded loop: a square of side 1000 world units, primed into world
	// units, in gSplineList; the riders' tests drive it.
	struct PrimedLoop : TerrainTestSupport::TerrainTest
	{
		TerrainTestSupport::MemoryTerrain terrain;
		void LoadLoop(std::vector<TerrainBake::FileSplineItem> items, int superTiles = 24)
		{
			using namespace TerrainTestSupport;
			TerrainFileContent c = SimpleContent(superTiles, superTiles, [](float, float) { return 0.0f; });
			TerrainBake::FileSpline s = TerrainBake::Worlds::SplineLoop({{1000, 1000}, {2000, 1000}, {2000, 2000}, {1000, 2000}});
			s.items = std::move(items);
			c.splines.push_back(s);
			terrain = FromContent(c);
			LoadFromMemory(terrain);
			InitObjectManager();
			gFrameTime = 0.1f;
		}
	};
}

TEST_F(PrimedLoop, PlacementsClampWrapAndReadNaNAsTheStart)
{
	LoadLoop({});
	PrimeSplines();
	const SplineRecord* s = &gSplineList[0];
	const SplinePointType* p = *s->pointList;
	float x, z;
	GetCoordOnSpline(s, 0, &x, &z);
	EXPECT_FLOAT_EQ(x, p[0].x);
	EXPECT_NEAR(x, 1000, 2) << "points are in world units once primed";
	float x1, z1;
	GetCoordOnSpline(s, 1.0f, &x1, &z1);
	GetCoordOnSpline(s, SPLINE_MAX_PLACEMENT, &x, &z);
	EXPECT_FLOAT_EQ(x1, x);
	EXPECT_FLOAT_EQ(z1, z);
	EXPECT_LT(std::hypot(x - p[0].x, z - p[0].z), 20) << "the point after the last is the first";
	GetCoordOnSpline(s, NAN, &x, &z);
	EXPECT_FLOAT_EQ(x, p[0].x);
	GetCoordOnSpline(s, -3, &x, &z);
	EXPECT_FLOAT_EQ(z, p[0].z);

	ObjNode node = {};
	node.SplineNum = 0;
	node.SplinePlacement = 0.99f;
	const float perFrame = 0.02f * float(s->numPoints) / gFrameTime;		// 0.02 of the loop a frame
	IncreaseSplineIndex(&node, perFrame);
	EXPECT_NEAR(node.SplinePlacement, 0.01f, 1e-4) << "overshooting the end wraps to the start";
	IncreaseSplineIndex(&node, -perFrame);
	EXPECT_NEAR(node.SplinePlacement, 0.99f, 1e-4) << "and backward past 0 to the end";

	node.SplinePlacement = 0.99f;
	IncreaseSplineIndexZigZag(&node, perFrame);
	EXPECT_FLOAT_EQ(node.SplinePlacement, SPLINE_MAX_PLACEMENT);
	EXPECT_TRUE(node.StatusBits & STATUS_BIT_REVERSESPLINE);
	IncreaseSplineIndexZigZag(&node, perFrame);
	EXPECT_NEAR(node.SplinePlacement, SPLINE_MAX_PLACEMENT - 0.02f, 1e-4) << "zig-zag turns back";
	node.SplinePlacement = 0.01f;
	IncreaseSplineIndexZigZag(&node, perFrame);
	EXPECT_FLOAT_EQ(node.SplinePlacement, 0);
	EXPECT_FALSE(node.StatusBits & STATUS_BIT_REVERSESPLINE);
}

TEST_F(PrimedLoop, RidersLeaveWithTheirSupertilesAndComeBackWhereTheLoopTookThem)
{
	// Two spline platforms (no model loaded: stand-in boxes); type 3 makes nothing.
	LoadLoop({TerrainBake::Worlds::SplineItem(40, 0), TerrainBake::Worlds::SplineItem(40, 0.5f),
			TerrainBake::Worlds::SplineItem(3, 0.2f)});
	PrimeSplines();
	ASSERT_EQ(gNumSplineObjects, 2);
	EXPECT_EQ((*gSplineList[0].itemList)[0].flags & 1, 1);
	EXPECT_EQ((*gSplineList[0].itemList)[2].flags & 1, 0) << "a type with no rider stays unused";
	ObjNode* rider = gSplineObjects[0];
	EXPECT_TRUE(rider->StatusBits & STATUS_BIT_DETACHED) << "waits until its first visibility check";

	UpdateVisibleTerrain(1500, 1500);
	MoveSplineObjects();
	EXPECT_FALSE(rider->StatusBits & STATUS_BIT_DETACHED);
	EXPECT_NEAR(rider->Coord.y, SPLINE_PLATFORM_LIFT, 1e-3);
	const float placed = rider->SplinePlacement;
	EXPECT_GT(placed, 0);

	// The camera goes far away: the rider drops out of the object list but
	// keeps going round.
	UpdateVisibleTerrain(40000, 40000);
	for (int i = 0; i < 10; i++)
		MoveSplineObjects();
	EXPECT_TRUE(rider->StatusBits & STATUS_BIT_DETACHED);
	EXPECT_GT(rider->SplinePlacement, placed);
	bool listed = false;
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		listed |= n == rider;
	EXPECT_FALSE(listed);

	UpdateVisibleTerrain(1500, 1500);
	MoveSplineObjects();
	EXPECT_FALSE(rider->StatusBits & STATUS_BIT_DETACHED);
	float x, z;
	GetCoordOnSpline(&gSplineList[0], rider->SplinePlacement, &x, &z);
	EXPECT_FLOAT_EQ(rider->Coord.x, x);

	// A rider taken off its loop is moved by the object pass from then on.
	DetachFromSpline(rider, nullptr);
	EXPECT_FALSE(rider->StatusBits & STATUS_BIT_ONSPLINE);
	EXPECT_EQ(gSplineObjects[0], nullptr);
	DeleteAllSplineObjects();
	DeleteAllObjects();
	EXPECT_EQ(gNumSplineObjects, 0);
}
