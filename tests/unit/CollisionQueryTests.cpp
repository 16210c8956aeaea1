// The collision queries (box, point, segment, highest surface, the player
// tests) and the ground step of ResolveCollisions on a real terrain.
#include "Terrain/Collision.h"
#include "Player/Player.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "TerrainTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
	constexpr float FRAME = 1.0f / 64;

	ObjNode* MakeBox(OGLPoint3D at, float halfX, float halfY, float halfZ, uint32_t cType = CTYPE_MISC,
			uint32_t cBits = SIDE_ALL, int slot = 200)
	{
		ObjectDef def = {};
		def.genre = CUSTOM_GENRE;
		def.coord = at;
		def.slot = int16_t(slot);
		def.scale = 1;
		ObjNode* node = MakeNewObject(&def);
		node->CType = cType;
		node->CBits = cBits;
		SetObjectCollisionBounds(node, int16_t(halfY), int16_t(-halfY), int16_t(-halfX), int16_t(halfX),
				int16_t(halfZ), int16_t(-halfZ));
		return node;
	}

	struct CollisionQuery : ::testing::Test
	{
		ObjNode* savedPlayer = nullptr;

		void SetUp() override
		{
			InitObjectManager();
			savedPlayer = gPlayerNode;
			gPlayerNode = nullptr;
		}
		void TearDown() override
		{
			DeleteAllObjects();
			gPlayerNode = savedPlayer;
		}
	};

	bool Segment(OGLPoint3D a, OGLPoint3D b, uint32_t mask = CTYPE_MISC, const ObjNode* ignore = nullptr)
	{
		return SegmentHitsAnything(&a, &b, ignore, mask);
	}
}

TEST_F(CollisionQuery, BoxQueriesFindEveryTouchingBoxOfMatchingNodes)
{
	ObjNode* a = MakeBox({0, 0, 0}, 50, 50, 50);
	AddCollisionBoxToObject(a, 50, -50, 200, 300, 50, -50);
	ObjNode* b = MakeBox({0, 500, 0}, 50, 50, 50, CTYPE_ENEMY);

	// Touching a's right face at x = 50 counts; both of a's boxes are found.
	ASSERT_EQ(FindBoxCollisions(10, -10, 50, 250, 10, -10, CTYPE_MISC), 2);
	EXPECT_EQ(gCollisionList[0].objectPtr, a);
	EXPECT_EQ(gCollisionList[0].targetBox, 0);
	EXPECT_EQ(gCollisionList[1].targetBox, 1);
	EXPECT_EQ(gCollisionList[1].sides, 0);

	EXPECT_EQ(FindBoxCollisions(10, -10, 50.01f, 199.9f, 10, -10, CTYPE_MISC), 0);	// the gap between the boxes
	EXPECT_EQ(FindBoxCollisions(600, -600, -10, 10, 10, -10, CTYPE_MISC | CTYPE_ENEMY), 2);
	EXPECT_EQ(FindBoxCollisions(600, -600, -10, 10, 10, -10, CTYPE_ENEMY), 1);

	EXPECT_TRUE(BoxHitsNode(10, -10, 290, 400, 10, -10, a));		// its second box
	EXPECT_FALSE(BoxHitsNode(10, -10, 290, 400, 10, -10, b));
	EXPECT_TRUE(BoxHitsNode(450, 440, -10, 10, 10, -10, b));		// touching b's bottom
	EXPECT_FALSE(BoxHitsNode(449, 440, -10, 10, 10, -10, b));

	EXPECT_FALSE(BoxHitsPlayer(10, -10, -10, 10, 10, -10));			// no player
	gPlayerNode = b;
	EXPECT_TRUE(BoxHitsPlayer(510, 490, -10, 10, 10, -10));
	EXPECT_FALSE(BoxHitsPlayer(10, -10, -10, 10, 10, -10));
}

TEST_F(CollisionQuery, PointQueriesIncludeTheBoundsAndSkipTheIgnoredNode)
{
	ObjNode* a = MakeBox({0, 0, 0}, 50, 50, 50);
	AddCollisionBoxToObject(a, 50, -50, -20, 20, 20, -20);		// inside the first: one record for the node
	ObjNode* b = MakeBox({100, 0, 0}, 50, 50, 50);
	MakeBox({0, 0, 0}, 50, 50, 50, CTYPE_MISC, SIDE_ALL, 3500);

	OGLPoint3D corner = {50, 50, 50};			// on a's corner and b's left edge
	ASSERT_EQ(FindPointCollisions(&corner, CTYPE_MISC, nullptr), 2);
	EXPECT_EQ(gCollisionList[0].objectPtr, a);
	EXPECT_EQ(gCollisionList[1].objectPtr, b);

	OGLPoint3D centre = {0, 0, 0};
	ASSERT_EQ(FindPointCollisions(&centre, CTYPE_MISC, nullptr), 1);
	EXPECT_EQ(gCollisionList[0].targetBox, 0);
	EXPECT_EQ(FindPointCollisions(&centre, CTYPE_MISC, a), 0);
	EXPECT_EQ(FindPointCollisions(&centre, CTYPE_ENEMY, nullptr), 0);

	OGLPoint3D above = {0, 50.5f, 0};
	EXPECT_EQ(FindPointCollisions(&above, CTYPE_MISC, nullptr), 0);

	EXPECT_FALSE(PointHitsPlayer(&centre));
	gPlayerNode = b;
	EXPECT_TRUE(PointHitsPlayer(&corner));
	EXPECT_FALSE(PointHitsPlayer(&centre));
}

TEST_F(CollisionQuery, HighestSurfaceIsTheTallestSolidTopOverThePoint)
{
	EXPECT_FLOAT_EQ(HighestSurfaceAt(0, 0, CTYPE_MISC), -10000000.0f);

	MakeBox({0, 0, 0}, 100, 50, 100);						// top 50
	MakeBox({50, 100, 50}, 50, 100, 50);					// top 200, over x, z 0 … 100
	MakeBox({0, 500, 0}, 100, 50, 100, CTYPE_MISC, SIDE_ALL & ~SIDE_TOP);	// not solid on top
	MakeBox({0, 800, 0}, 100, 50, 100, CTYPE_ENEMY);
	MakeBox({0, 900, 0}, 100, 50, 100, CTYPE_MISC, SIDE_ALL, SLOT_OF_DUMB);
	ObjNode* off = MakeBox({0, 1000, 0}, 100, 50, 100);
	off->StatusBits |= STATUS_BIT_NOCOLLISION;

	EXPECT_FLOAT_EQ(HighestSurfaceAt(-50, -50, CTYPE_MISC), 50);
	EXPECT_FLOAT_EQ(HighestSurfaceAt(0, 0, CTYPE_MISC), 200);		// on the edge of the tall box
	EXPECT_FLOAT_EQ(HighestSurfaceAt(100, 100, CTYPE_MISC), 200);
	EXPECT_FLOAT_EQ(HighestSurfaceAt(101, 50, CTYPE_MISC), -10000000.0f);
	EXPECT_FLOAT_EQ(HighestSurfaceAt(-50, -50, CTYPE_MISC | CTYPE_ENEMY), 850);
	// Without terrain the ground query answers its no-terrain height; no water anywhere.
	EXPECT_FLOAT_EQ(HighestSurfaceAt(500, 500, CTYPE_TERRAIN | CTYPE_WATER), TERRAIN_HEIGHT_NO_TERRAIN);
}

TEST_F(CollisionQuery, SegmentsHitABoxWhereTheyCrossItsOutlineWithinItsHeight)
{
	// x, z −50 … 50, y 0 … 100.
	ObjNode* box = MakeBox({0, 50, 0}, 50, 50, 50);

	EXPECT_TRUE(Segment({-200, 50, 0}, {200, 50, 0}));
	EXPECT_TRUE(Segment({-200, 50, -200}, {200, 50, 200}));		// diagonally, through a corner region
	EXPECT_FALSE(Segment({-200, 150, 0}, {200, 150, 0}));			// over it
	EXPECT_FALSE(Segment({-200, 50, 60}, {200, 50, 60}));			// beside it
	EXPECT_FALSE(Segment({-200, 50, 0}, {-60, 50, 0}));			// stops short
	EXPECT_FALSE(Segment({-200, 50, 0}, {200, 50, 0}, CTYPE_ENEMY));
	EXPECT_FALSE(Segment({-200, 50, 0}, {200, 50, 0}, CTYPE_MISC, box));

	// Rising from 0 at x = −250 to 100 at x = 150: 50 where it crosses x = −50.
	EXPECT_TRUE(Segment({-250, 0, 0}, {150, 100, 0}));
	// Rising from 100 to 300 over the same run: 200 at the crossing, above the box.
	EXPECT_FALSE(Segment({-250, 100, 0}, {150, 300, 0}));
	// From the far side the nearer crossing is x = 50: 50 there.
	EXPECT_TRUE(Segment({150, 0, 0}, {-250, 200, 0}));
	// Only the first crossing counts: 101 at x = −50, though 99 at x = 50.
	EXPECT_FALSE(Segment({-250, 105, 0}, {150, 97, 0}));

	// A vertical segment has no x/z crossing (no division by its zero length).
	EXPECT_FALSE(Segment({0, -100, 0}, {0, 300, 0}));

	box->CBits = 0;
	EXPECT_FALSE(Segment({-200, 50, 0}, {200, 50, 0}));
	box->CBits = SIDE_ALL;
	box->StatusBits |= STATUS_BIT_NOCOLLISION;
	EXPECT_FALSE(Segment({-200, 50, 0}, {200, 50, 0}));

	OGLPoint3D p1 = {-200, 50, 0}, p2 = {200, 50, 0};
	EXPECT_FALSE(SegmentHitsPlayer(&p1, &p2));
	gPlayerNode = box;
	EXPECT_TRUE(SegmentHitsPlayer(&p1, &p2));
	p1.y = p2.y = 101;
	EXPECT_FALSE(SegmentHitsPlayer(&p1, &p2));
}

//
// The ground
//

namespace
{
	// Ground rising along x: 200 at x = 0, 1 unit per 10.
	float Slope(float x, float)
	{
		return 200 + 0.1f * x;
	}

	struct CollisionGround : TerrainTestSupport::TerrainTest
	{
		TerrainTestSupport::MemoryTerrain terrain;
		float savedFrameTime = 0;

		void SetUp() override
		{
			TerrainTest::SetUp();
			InitObjectManager();
			ClearTriggerHandlers();
			savedFrameTime = gFrameTime;
			gFrameTime = FRAME;
			terrain = TerrainTestSupport::FromContent(TerrainTestSupport::SimpleContent(2, 2, Slope));
			TerrainTestSupport::LoadFromMemory(terrain);
		}
		void TearDown() override
		{
			DeleteAllObjects();
			ClearTriggerHandlers();
			gFrameTime = savedFrameTime;
			TerrainTest::TearDown();
		}

		static ObjNode* MakeMover(OGLPoint3D from, OGLPoint3D to, OGLVector3D delta)
		{
			ObjNode* node = MakeBox(from, 10, 10, 10, CTYPE_PLAYER);
			gObjCoord = to;
			gObjDelta = delta;
			return node;
		}
	};

	bool NotSolid(ObjNode*, ObjNode*, uint32_t)
	{
		return false;
	}
}

TEST_F(CollisionGround, AMoverBelowTheGroundIsRaisedOntoIt)
{
	ASSERT_NEAR(TerrainHeightAt(1000, 1000), 300, 0.01f);

	ObjNode* mover = MakeMover({1000, 320, 1000}, {1000, 295, 1000}, {40, -600, 0});
	EXPECT_EQ(ResolveCollisions(mover, CTYPE_MISC | CTYPE_TERRAIN, 0.5f), SIDE_BOTTOM);
	EXPECT_NEAR(gObjCoord.y, 310, 0.01f);				// box bottom on the ground
	EXPECT_FLOAT_EQ(gObjDelta.y, 300);					// the fall bounced by one half
	EXPECT_FLOAT_EQ(gObjDelta.x, 40);
	EXPECT_TRUE(mover->StatusBits & STATUS_BIT_ONGROUND);

	// Rising through the ground is not bounced.
	gObjCoord = {2000, 395, 1000};
	gObjDelta = {0, 50, 0};
	EXPECT_EQ(ResolveCollisions(mover, CTYPE_TERRAIN, 0.5f), SIDE_BOTTOM);
	EXPECT_NEAR(gObjCoord.y, 410, 0.01f);
	EXPECT_FLOAT_EQ(gObjDelta.y, 50);

	// Above the ground, or without the terrain in the mask, nothing happens.
	gObjCoord = {1000, 320, 1000};
	gObjDelta = {0, -600, 0};
	EXPECT_EQ(ResolveCollisions(mover, CTYPE_TERRAIN, 0.5f), 0u);
	EXPECT_FLOAT_EQ(gObjCoord.y, 320);
	EXPECT_FALSE(mover->StatusBits & STATUS_BIT_ONGROUND);

	gObjCoord = {1000, 250, 1000};
	EXPECT_EQ(ResolveCollisions(mover, CTYPE_MISC, 0.5f), 0u);
	EXPECT_FLOAT_EQ(gObjCoord.y, 250);
	EXPECT_FALSE(mover->StatusBits & STATUS_BIT_ONGROUND);
}

TEST_F(CollisionGround, TheGroundIsComparedWithTheBoxWhereTheLastPushLeftIt)
{
	// A slab half buried in the ground (ground 300 here, slab top 305) and a
	// trigger in the same place that ends the passes after the landing.
	MakeBox({1000, 295, 1000}, 100, 10, 100);
	ObjNode* trigger = MakeBox({1000, 295, 1000}, 100, 10, 100, CTYPE_TRIGGER, SIDE_TRIGGER_INSIDE);
	trigger->Kind = TRIGGER_KIND_ENEMY;
	SetTriggerHandler(TRIGGER_KIND_ENEMY, NotSolid);

	// The mover's bottom reaches 297: it lands on the slab, 8 + frame time up.
	ObjNode* mover = MakeMover({1000, 330, 1000}, {1000, 307, 1000}, {0, -600, 0});
	EXPECT_EQ(ResolveCollisions(mover, CTYPE_MISC | CTYPE_TRIGGER | CTYPE_TERRAIN, 0.5f), SIDE_BOTTOM);
	EXPECT_FLOAT_EQ(gObjCoord.y, 315 + FRAME);
	EXPECT_FLOAT_EQ(gObjDelta.y, -100);		// the landing's, not bounced by the ground
}

TEST_F(CollisionGround, HighestSurfaceIncludesTheGround)
{
	MakeBox({1000, 400, 1000}, 50, 50, 50);		// top 450
	EXPECT_NEAR(HighestSurfaceAt(500, 1000, CTYPE_TERRAIN | CTYPE_MISC), 250, 0.01f);
	EXPECT_FLOAT_EQ(HighestSurfaceAt(1000, 1000, CTYPE_TERRAIN | CTYPE_MISC), 450);
	EXPECT_NEAR(HighestSurfaceAt(1000, 1000, CTYPE_TERRAIN), 300, 0.01f);
	EXPECT_FLOAT_EQ(HighestSurfaceAt(500, 1000, CTYPE_MISC), -10000000.0f);
}
