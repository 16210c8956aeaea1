// Sparkles, shards, vapour trails and the sky grid without a window.
#include "TerrainTestSupport.h"
#include "Effects/Effects.h"
#include "Effects/Sky.h"
#include "3D/MetaObjects.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "System/Pool.h"
#include "Memory.h"
#include "sprites/BakeSkies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace TerrainTestSupport;

namespace
{
	struct EffectsTest : TerrainTest
	{
		float savedFrameTime = 0;
		int metaObjectsBefore = 0;

		void SetUp() override
		{
			TerrainTest::SetUp();
			InitObjectManager();
			metaObjectsBefore = gNumMetaObjects;
			InitSparkleStore();
			InitShardSystem();
			InitVaporTrails();
			savedFrameTime = gFrameTime;
			gFrameTime = 0.01f;
		}
		void TearDown() override
		{
			gFrameTime = savedFrameTime;
			DeleteAllObjects();
			FlushObjectDeleteQueue();
			DisposeShardSystem();
			DisposeSparkles();
			DisposeVaporTrailMaterial();
			EXPECT_EQ(gNumMetaObjects, metaObjectsBefore) << "every meta object released";
			TerrainTest::TearDown();
		}

		static ObjNode* Node()
		{
			ObjectDef def = {};
			def.genre = DISPLAY_GROUP_GENRE;
			def.slot = 100;
			def.scale = 1;
			ObjNode* node = MakeNewObject(&def);
			CreateBaseGroup(node);
			return node;
		}

		// A strip of `n` triangles in the z = 0 plane, x from 0 to n.
		static MetaObjectPtr Strip(int n)
		{
			MOVertexArrayData m = {};
			m.numPoints = n + 2;
			m.numTriangles = n;
			m.points = reinterpret_cast<OGLPoint3D*>(NewPtrClear(int32_t(sizeof(OGLPoint3D)) * m.numPoints));
			m.triangles = reinterpret_cast<uint32_t*>(NewPtrClear(int32_t(sizeof(uint32_t)) * 3 * n));
			for (int i = 0; i < m.numPoints; i++)
				m.points[i] = {float(i / 2), float(i % 2), 0};
			for (int t = 0; t < n; t++)
			{
				m.triangles[t * 3] = uint32_t(t);
				m.triangles[t * 3 + 1] = uint32_t(t + 1);
				m.triangles[t * 3 + 2] = uint32_t(t + 2);
			}
			return MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &m);
		}

		static void Append(ObjNode* node, MetaObjectPtr object)
		{
			AppendToObjectBaseGroup(node, object);
			MO_DisposeObjectReference(object);
		}
	};
}

//
// Sparkles
//

TEST_F(EffectsTest, ADirectionalSparkleShowsOnlyTowardItsAim)
{
	int16_t i = GetFreeSparkle(nullptr);
	ASSERT_GE(i, 0);
	SparkleType& s = gSparkles[i];
	s.where = {0, 0, 0};
	s.aim = {0, 0, 1};
	s.separation = 10;
	OGLPoint3D at;
	float alpha = 0;
	ASSERT_TRUE(CalcSparkleAppearance(s, {0, 0, 500}, &at, &alpha));
	EXPECT_FLOAT_EQ(alpha, 1);
	EXPECT_FLOAT_EQ(at.z, 10);		// pulled toward the camera
	EXPECT_FALSE(CalcSparkleAppearance(s, {0, 0, -500}, &at, &alpha));
	EXPECT_FALSE(CalcSparkleAppearance(s, {500, 0, 0}, &at, &alpha));		// side on: d = 0
	ASSERT_TRUE(CalcSparkleAppearance(s, {500, 0, 500}, &at, &alpha));
	EXPECT_NEAR(alpha, std::sqrt(0.5f), 1e-5f);

	s.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
	s.color.a = 0.7f;
	ASSERT_TRUE(CalcSparkleAppearance(s, {0, 0, -500}, &at, &alpha));
	EXPECT_FLOAT_EQ(alpha, 0.7f);
}

TEST_F(EffectsTest, SparklesFollowTheirOwnerAndDieWithIt)
{
	ObjNode* owner = Node();
	owner->Coord = {100, 0, 0};
	UpdateObjectTransforms(owner);
	int16_t i = GetFreeSparkle(owner);
	owner->Sparkles[0] = i;
	gSparkles[i].flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_TRANSFORMWITHOWNER;
	gSparkles[i].where = {0, 50, 0};
	OGLPoint3D at;
	float alpha;
	ASSERT_TRUE(CalcSparkleAppearance(gSparkles[i], {100, 50, 1000}, &at, &alpha));
	EXPECT_FLOAT_EQ(at.x, 100);
	EXPECT_FLOAT_EQ(at.y, 50);

	owner->StatusBits |= STATUS_BIT_HIDDEN;
	EXPECT_FALSE(CalcSparkleAppearance(gSparkles[i], {100, 50, 1000}, &at, &alpha));

	DeleteObject(owner);
	FlushObjectDeleteQueue();
	EXPECT_FALSE(Pool_IsUsed(gSparklePool, i));
	EXPECT_THROW(DeleteSparkle(i), Tamber::QuitRequest);		// freeing it twice is a bug
	DeleteSparkle(-1);											// nothing to free
}

TEST_F(EffectsTest, TheSparkleStoreRunsOutCleanly)
{
	std::set<int16_t> seen;
	for (int k = 0; k < MAX_SPARKLES; k++)
		seen.insert(GetFreeSparkle(nullptr));
	EXPECT_EQ(seen.size(), size_t(MAX_SPARKLES));
	EXPECT_EQ(seen.count(-1), 0u);
	EXPECT_EQ(GetFreeSparkle(nullptr), -1);
}

TEST_F(EffectsTest, RunwayLightsLineUpAlongTheItemsDirection)
{
	TerrainItemEntryType item = {};
	item.parm[0] = 3;
	item.parm[1] = 4;		// 90°: heading along −x
	item.parm[2] = 5;
	item.parm[3] = 1;		// flicker
	ASSERT_TRUE(AddRunwayLights(&item, 1000, 2000));
	ObjNode* node = gLastCreatedNode;
	for (int i = 0; i < 3; i++)
	{
		ASSERT_GE(node->Sparkles[i], 0);
		const SparkleType& s = gSparkles[node->Sparkles[i]];
		EXPECT_NEAR(s.where.x, 1000 - 112.5f * float(i), 1e-3f);
		EXPECT_NEAR(s.where.z, 2000, 1e-3f);
		EXPECT_EQ(s.flags, uint32_t(SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_FLICKER));
		EXPECT_EQ(s.textureNum, 5);
		EXPECT_EQ(s.scale, 60);
	}
	EXPECT_EQ(node->Sparkles[3], -1);

	item.parm[0] = 0;		// one light
	AddRunwayLights(&item, 0, 0);
	EXPECT_GE(gLastCreatedNode->Sparkles[0], 0);
	EXPECT_EQ(gLastCreatedNode->Sparkles[1], -1);

	item.parm[0] = MAX_NODE_SPARKLES + 1;
	EXPECT_THROW(AddRunwayLights(&item, 0, 0), Tamber::QuitRequest);
}

//
// Shards
//

TEST_F(EffectsTest, ExplodingMakesOneShardPerUsedTriangleAtItsCentre)
{
	ObjNode* node = Node();
	node->Coord = {0, 1000, 0};
	UpdateObjectTransforms(node);
	Append(node, Strip(6));
	ExplodeGeometry(node, 100, 0, 2, 1);
	ASSERT_EQ(Pool_Size(gShardPool), 3);		// every second triangle

	int32_t i = Pool_First(gShardPool);
	const ShardType& s = gShards[i];
	// The first triangle (0, 1000) (0, 1001) (1, 1000): its centre, and its points back where they were.
	EXPECT_NEAR(s.coord.x, 0.3333f, 1e-4f);
	EXPECT_NEAR(s.coord.y, 1000.33f, 0.2f);
	const OGLPoint3D original[3] = {{0, 1000, 0}, {0, 1001, 0}, {1, 1000, 0}};
	for (int k = 0; k < 3; k++)
	{
		EXPECT_NEAR(s.coord.x + s.points[k].x, original[k].x, 1e-3f);
		EXPECT_NEAR(s.coord.y + s.points[k].y, original[k].y, 1e-3f);
	}
	EXPECT_EQ(s.scale, 1);
	for (float v : {s.delta.x, s.delta.y, s.delta.z})
		EXPECT_LE(std::abs(v), 100);
	EXPECT_EQ(s.material, nullptr);

	EXPECT_THROW(ExplodeGeometry(node, 100, 0, 0, 1), Tamber::QuitRequest);		// would never step
}

TEST_F(EffectsTest, ExplodingStopsWhenTheStoreIsFullAndTakesTheChain)
{
	ObjNode* head = Node();
	Append(head, Strip(400));
	ObjectDef def = {};
	def.genre = DISPLAY_GROUP_GENRE;
	def.slot = 101;
	def.scale = 1;
	def.chainTail = head;
	ObjNode* tail = MakeNewObject(&def);
	CreateBaseGroup(tail);
	Append(tail, Strip(500));

	ExplodeGeometry(head, 10, SHARD_MODE_UPTHRUST, 1, 1);
	EXPECT_EQ(Pool_Size(gShardPool), 900);
	for (int32_t i = Pool_First(gShardPool); i >= 0; i = Pool_Next(gShardPool, i))
		EXPECT_GE(gShards[i].delta.y, 5.0f);		// 1.5 · B up, less at most B

	ExplodeGeometry(head, 10, 0, 1, 1);
	EXPECT_EQ(Pool_Size(gShardPool), MAX_SHARDS);
}

TEST_F(EffectsTest, ShardsFlyAwayFromTheCentreBounceOrDieOnTheGround)
{
	static MemoryTerrain terrain;
	terrain = FromContent(SimpleContent(2, 2, [](float, float) { return 0.0f; }));
	LoadFromMemory(terrain);

	ObjNode* node = Node();
	node->Coord = {900, 5, 900};
	UpdateObjectTransforms(node);
	Append(node, Strip(2));
	node->BBox = {{0, 0, 0}, {0, 0, 0}, false};		// centre at the node's origin
	ExplodeGeometry(node, 100, SHARD_MODE_FROMORIGIN, 1, 0.1f);
	ASSERT_EQ(Pool_Size(gShardPool), 2);
	int32_t first = Pool_First(gShardPool);
	OGLVector3D d = gShards[first].delta;
	EXPECT_NEAR(std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z), 100, 1e-2f);
	EXPECT_GT(d.x, 0);

	// Falling fast into the ground: without bounce mode they are gone at once.
	for (int32_t i = Pool_First(gShardPool); i >= 0; i = Pool_Next(gShardPool, i))
		gShards[i].delta = {0, -1000, 0};
	MoveShards();
	EXPECT_EQ(Pool_Size(gShardPool), 0);

	ExplodeGeometry(node, 0, SHARD_MODE_BOUNCE, 1, 0.1f);
	for (int32_t i = Pool_First(gShardPool); i >= 0; i = Pool_Next(gShardPool, i))
		gShards[i].delta = {100, -1000, 0};
	MoveShards();
	ASSERT_EQ(Pool_Size(gShardPool), 2);
	const ShardType& s = gShards[Pool_First(gShardPool)];
	EXPECT_FLOAT_EQ(s.coord.y, 0);
	EXPECT_NEAR(s.delta.y, (1000 + 3) * 0.5f, 1e-2f);
	EXPECT_NEAR(s.delta.x, 90, 1e-3f);
	EXPECT_NEAR(s.scale, 0.999f, 1e-5f);
	EXPECT_FLOAT_EQ(s.matrix.value[0], s.scale);		// no spin at boom force 0
}

//
// Vapour trails
//

TEST_F(EffectsTest, TrailsIgnoreTinyAndHugeStepsAndStopAtFortySegments)
{
	OGLPoint3D start = {0, 0, 0};
	OGLColorRGBA white = {1, 1, 1, 1};
	int16_t t = CreateNewVaporTrail(nullptr, 3, VAPORTRAIL_TYPE_COLORSTREAK, &start, &white, 1, 1, 50);
	ASSERT_GE(t, 0);
	EXPECT_TRUE(VerifyVaporTrail(t, nullptr, 3));
	EXPECT_FALSE(VerifyVaporTrail(t, nullptr, 4));

	OGLPoint3D p = {0.05f, 0, 0};
	AddToVaporTrail(&t, &p, &white);
	EXPECT_EQ(gVaporTrails[t].numSegments, 1);
	p = {2000, 0, 0};
	AddToVaporTrail(&t, &p, &white);
	EXPECT_EQ(gVaporTrails[t].numSegments, 1);

	// A short step opens a segment; the next moves its end until it is long enough.
	p = {20, 0, 0};
	AddToVaporTrail(&t, &p, &white);
	EXPECT_EQ(gVaporTrails[t].numSegments, 2);
	EXPECT_FALSE(gVaporTrails[t].lastSegmentClosed);
	p = {60, 0, 0};
	AddToVaporTrail(&t, &p, &white);
	EXPECT_EQ(gVaporTrails[t].numSegments, 2);
	EXPECT_TRUE(gVaporTrails[t].lastSegmentClosed);
	EXPECT_FLOAT_EQ(gVaporTrails[t].points[1].x, 60);

	for (int k = 0; k < 100; k++)
	{
		p.x += 60;
		AddToVaporTrail(&t, &p, &white);
	}
	EXPECT_EQ(gVaporTrails[t].numSegments, MAX_TRAIL_SEGMENTS);

	int16_t none = -1;
	AddToVaporTrail(&none, &p, &white);
	EXPECT_EQ(none, -1);
	EXPECT_THROW(CreateNewVaporTrail(nullptr, 0, 2, &start, &white, 1, 1, 50), Tamber::QuitRequest);
}

TEST_F(EffectsTest, FadedSegmentsAreRemovedAndATrailEndsWithItsLast)
{
	OGLPoint3D p = {0, 0, 0};
	OGLColorRGBA c = {1, 1, 1, 0.05f};
	int16_t t = CreateNewVaporTrail(nullptr, 0, VAPORTRAIL_TYPE_SMOKECOLUMN, &p, &c, 10, 10, 50);
	c.a = 0.05f;
	p = {100, 0, 0};
	AddToVaporTrail(&t, &p, &c);
	c.a = 1;
	p = {200, 0, 0};
	AddToVaporTrail(&t, &p, &c);
	p = {300, 0, 0};
	AddToVaporTrail(&t, &p, &c);
	ASSERT_EQ(gVaporTrails[t].numSegments, 4);
	float scaleBefore = gVaporTrails[t].segScale[3];

	MoveVaporTrails();		// the first two reach 0: the first goes, the second stays to start the ribbon
	EXPECT_EQ(gVaporTrails[t].numSegments, 3);
	EXPECT_FLOAT_EQ(gVaporTrails[t].points[0].x, 100);
	EXPECT_FLOAT_EQ(gVaporTrails[t].colors[0].a, 0);
	EXPECT_FLOAT_EQ(gVaporTrails[t].colors[1].a, 0.9f);
	EXPECT_GE(gVaporTrails[t].segScale[2], scaleBefore);		// smoke grows

	for (int f = 0; f < 10; f++)
		MoveVaporTrails();
	EXPECT_FALSE(gVaporTrails[t].isActive);
	EXPECT_FALSE(VerifyVaporTrail(t, nullptr, 0));
	AddToVaporTrail(&t, &p, &c);
	EXPECT_EQ(t, -1);
}

TEST_F(EffectsTest, AllTrailsInUseRefuseANewOne)
{
	OGLPoint3D p = {0, 0, 0};
	OGLColorRGBA c = {1, 1, 1, 1};
	for (int i = 0; i < MAX_VAPORTRAILS; i++)
		ASSERT_EQ(CreateNewVaporTrail(nullptr, 0, 0, &p, &c, 1, 1, 50), i);
	EXPECT_EQ(CreateNewVaporTrail(nullptr, 0, 0, &p, &c, 1, 1, 50), -1);
}

//
// Sky
//

TEST(Sky, LevelsWithoutSkyAndTheGridsTriangles)
{
	EXPECT_FALSE(GetSkyLevelInfo(2).hasSky);
	EXPECT_FALSE(GetSkyLevelInfo(8).hasSky);
	EXPECT_FALSE(GetSkyLevelInfo(10).hasSky);
	EXPECT_FALSE(GetSkyLevelInfo(-1).hasSky);
	EXPECT_TRUE(GetSkyLevelInfo(1).drawnFirst);
	EXPECT_EQ(GetSkyLevelInfo(4).height, -1100);

	SkyMesh mesh;
	BuildSkyMesh(GetSkyLevelInfo(5), 10000, &mesh);		// no jitter, no curvature
	EXPECT_NEAR(mesh.points[0].x, -10000, 1e-2f);
	EXPECT_NEAR(mesh.points[11].x, -8000, 1e-2f);
	EXPECT_NEAR(mesh.points[11].z, -8000, 1e-2f);
	EXPECT_LE(std::abs(mesh.points[44].y), 100.0f);
	// Cell (row 1, column 2): b = 12.
	const uint32_t* cell = &mesh.indices[(1 * 9 + 2) * 6];
	EXPECT_EQ(cell[0], 12u);
	EXPECT_EQ(cell[1], 13u);
	EXPECT_EQ(cell[2], 22u);
	EXPECT_EQ(cell[3], 13u);
	EXPECT_EQ(cell[4], 23u);
	EXPECT_EQ(cell[5], 22u);
	for (uint32_t index : mesh.indices)
		EXPECT_LT(index, uint32_t(SKY_NUM_POINTS));
	// The corners (14 000 away) fade out; near the middle it is nearly opaque.
	EXPECT_EQ(mesh.colors[0].a, 0);
	EXPECT_GT(mesh.colors[55].a, 200);

	BuildSkyMesh(GetSkyLevelInfo(4), 10000, &mesh);		// no fade on the cloud level
	for (const OGLColorRGBA_Byte& c : mesh.colors)
		EXPECT_EQ(c.a, 255);

	UpdateSkyUVs(&mesh, 0.25f, 0.5f, 1000, -2000);
	EXPECT_FLOAT_EQ(mesh.uvs[0].u, 0.25f + 0.3f);
	EXPECT_FLOAT_EQ(mesh.uvs[0].v, 0.5f - 0.6f);
	EXPECT_FLOAT_EQ(mesh.uvs[13].u, 0.55f + 0.8f * 3);
	EXPECT_FLOAT_EQ(mesh.uvs[13].v, -0.1f + 0.8f);
}

TEST(Sky, EachSkyLevelHasATilingOpaqueSkyAndTheLoadersImageCount)
{
	const int kCounts[NUM_LEVELS] = {1, 4, 0, 2, 3, 3, 3, 3, 0, 6};
	for (int level = 0; level < NUM_LEVELS; level++)
	{
		std::vector<Kit::Image> set = Skies::LevelSet(level);
		ASSERT_EQ(int(set.size()), kCounts[level]) << "level " << level;
		EXPECT_EQ(GetSkyLevelInfo(level).hasSky, !set.empty());
		if (set.empty())
			continue;
		const Kit::Image& sky = set[0];
		// Seams: neighbouring texels across the wrap differ no more than neighbours inside.
		long across = 0, inside = 0;
		for (int y = 0; y < sky.height; y++)
		{
			EXPECT_EQ(sky.At(0, y).a, 255);
			across += std::abs(int(sky.At(0, y).g) - int(sky.At(sky.width - 1, y).g));
			inside += std::abs(int(sky.At(1, y).g) - int(sky.At(0, y).g));
		}
		EXPECT_LE(across, inside * 3 + sky.height * 4) << "level " << level;
	}
}
