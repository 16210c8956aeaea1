// Particle groups without a window: the fixed stores and their limits,
// motion, attraction, the ground, fading and freeing, hits, trails, smokers.
#include "TerrainTestSupport.h"
#include "Effects/Particles.h"
#include "Effects/VaporTrails.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "System/Pool.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace TerrainTestSupport;

namespace
{
	struct ParticleTest : TerrainTest
	{
		float savedFrameTime = 0;

		void SetUp() override
		{
			TerrainTest::SetUp();
			InitObjectManager();
			InitParticleGroups();
			InitVaporTrails();
			savedFrameTime = gFrameTime;
			gFrameTime = 0.01f;
		}
		void TearDown() override
		{
			gFrameTime = savedFrameTime;
			DeleteAllObjects();
			FlushObjectDeleteQueue();
			DisposeParticleGroups();
			DisposeVaporTrailMaterial();
			TerrainTest::TearDown();
		}

		static NewParticleGroupDefType Def(uint8_t type = PARTICLE_TYPE_FALLINGSPARKS,
				uint32_t flags = PARTICLE_FLAGS_DONTCHECKGROUND, uint32_t magic = 77)
		{
			NewParticleGroupDefType def = {};
			def.magicNum = magic;
			def.type = type;
			def.flags = flags;
			def.baseScale = 10;
			def.particleTextureNum = 0;
			def.srcBlend = GL_SRC_ALPHA;
			def.dstBlend = GL_ONE;
			return def;
		}

		static bool Add(int16_t group, OGLPoint3D at, OGLVector3D delta = {0, 0, 0}, float alpha = 1, float scale = 1)
		{
			NewParticleDefType p = {group, &at, &delta, scale, 0, 0, alpha};
			return AddParticleToGroup(&p);
		}

		// The (only) live particle of a group.
		static int32_t OnlyParticle(int16_t group)
		{
			EXPECT_EQ(CountParticlesInGroup(group), 1);
			return Pool_First(gParticleGroups[group].pool);
		}

		static void LoadFlatGround(float height)
		{
			static MemoryTerrain terrain;
			terrain = FromContent(SimpleContent(2, 2, [height](float, float) { return height; }));
			LoadFromMemory(terrain);
		}
	};
}

TEST_F(ParticleTest, AGroupTakes250ParticlesAndRefusesThe251st)
{
	NewParticleGroupDefType def = Def();
	int16_t g = NewParticleGroup(&def);
	ASSERT_GE(g, 0);
	for (int i = 0; i < MAX_PARTICLES; i++)
		ASSERT_FALSE(Add(g, {float(i), 0, 0})) << "particle " << i;
	EXPECT_TRUE(Add(g, {0, 0, 0}));		// true means: not added
	EXPECT_EQ(CountParticlesInGroup(g), MAX_PARTICLES);

	// A group that is not in use takes nothing; numbers outside the table are a caller's bug.
	EXPECT_TRUE(Add(int16_t(g + 1), {0, 0, 0}));
	EXPECT_THROW(Add(-1, {0, 0, 0}), Tamber::QuitRequest);
	EXPECT_THROW(Add(MAX_PARTICLE_GROUPS, {0, 0, 0}), Tamber::QuitRequest);
}

TEST_F(ParticleTest, AFullStoreRefusesNewGroupsAndKeepsTheLiveOnes)
{
	int16_t groups[MAX_PARTICLE_GROUPS];
	for (int i = 0; i < MAX_PARTICLE_GROUPS; i++)
	{
		NewParticleGroupDefType def = Def(PARTICLE_TYPE_FALLINGSPARKS, PARTICLE_FLAGS_DONTCHECKGROUND, uint32_t(1000 + i));
		groups[i] = NewParticleGroup(&def);
		ASSERT_GE(groups[i], 0);
		Add(groups[i], {0, float(i), 0});
	}
	NewParticleGroupDefType extra = Def(PARTICLE_TYPE_FALLINGSPARKS, 0, 9999);
	EXPECT_EQ(NewParticleGroup(&extra), -1);
	for (int i = 0; i < MAX_PARTICLE_GROUPS; i++)
	{
		EXPECT_TRUE(VerifyParticleGroupMagicNum(groups[i], uint32_t(1000 + i)));
		EXPECT_FALSE(VerifyParticleGroupMagicNum(groups[i], 9999));
		EXPECT_EQ(gParticleGroups[groups[i]].coord[Pool_First(gParticleGroups[groups[i]].pool)].y, float(i));
	}
	EXPECT_FALSE(VerifyParticleGroupMagicNum(-1, 1000));
	EXPECT_FALSE(VerifyParticleGroupMagicNum(MAX_PARTICLE_GROUPS, 1000));
}

TEST_F(ParticleTest, AFadedGroupIsFreedInTheSameFrameAndItsNumberComesBack)
{
	int16_t last = -1;
	for (int i = 0; i < MAX_PARTICLE_GROUPS; i++)
	{
		NewParticleGroupDefType def = Def();
		def.fadeRate = (i == 37) ? 200.0f : 0.0f;		// gone in one 0.01 s frame
		last = NewParticleGroup(&def);
		Add(last, {0, 0, 0});
	}
	ASSERT_EQ(last, MAX_PARTICLE_GROUPS - 1);
	MoveParticleGroups(nullptr);
	EXPECT_EQ(Pool_Size(gParticleGroupPool), MAX_PARTICLE_GROUPS - 1);
	EXPECT_FALSE(VerifyParticleGroupMagicNum(37, 77));
	NewParticleGroupDefType def = Def();
	EXPECT_EQ(NewParticleGroup(&def), 37);
}

TEST_F(ParticleTest, ParticlesFallSpinShrinkAndDieWhenSpent)
{
	NewParticleGroupDefType def = Def();
	def.gravity = 1000;
	def.decayRate = 10;		// scale 1 lasts 0.1 s
	def.fadeRate = 1;
	int16_t g = NewParticleGroup(&def);
	OGLPoint3D at = {0, 500, 0};
	OGLVector3D delta = {100, 0, 0};
	NewParticleDefType p = {g, &at, &delta, 1, 0, 2, 1};
	ASSERT_FALSE(AddParticleToGroup(&p));

	MoveParticleGroups(nullptr);
	int32_t i = OnlyParticle(g);
	const ParticleGroupType& pg = gParticleGroups[g];
	EXPECT_FLOAT_EQ(pg.delta[i].y, -10);
	EXPECT_FLOAT_EQ(pg.coord[i].x, 1);
	EXPECT_FLOAT_EQ(pg.coord[i].y, 500 - 0.1f);
	EXPECT_FLOAT_EQ(pg.rotZ[i], 0.02f);
	EXPECT_FLOAT_EQ(pg.scale[i], 0.9f);
	EXPECT_FLOAT_EQ(pg.alpha[i], 0.99f);

	for (int f = 0; f < 9; f++)
		MoveParticleGroups(nullptr);
	EXPECT_EQ(CountParticlesInGroup(g), 0);
	EXPECT_FALSE(VerifyParticleGroupMagicNum(g, 77));
}

TEST_F(ParticleTest, AttractionIsCappedByTheBaseScaleAndCoincidentParticlesStayPut)
{
	EXPECT_FLOAT_EQ(CalcParticleAttraction(5, 15), 1.0f / 225);
	EXPECT_FLOAT_EQ(CalcParticleAttraction(30, 15), 1.0f / 900);
	EXPECT_EQ(CalcParticleAttraction(0, 15), 0.0f);

	// Two particles 5 apart pull each other by 1/225 · magnetism · dt.
	NewParticleGroupDefType def = Def(PARTICLE_TYPE_GRAVITOIDS);
	def.baseScale = 15;
	def.magnetism = 90000;
	int16_t g = NewParticleGroup(&def);
	Add(g, {0, 0, 0});
	Add(g, {5, 0, 0});
	MoveParticleGroups(nullptr);
	const ParticleGroupType& pg = gParticleGroups[g];
	int32_t a = Pool_First(pg.pool), b = Pool_Next(pg.pool, a);
	EXPECT_NEAR(pg.delta[a].x, 90000.0f / 225 * 0.01f, 1e-3f);
	EXPECT_NEAR(pg.delta[b].x, -90000.0f / 225 * 0.01f, 1e-3f);

	// A pair in the same place: no direction, so no pull and no NaN.
	NewParticleGroupDefType def2 = Def(PARTICLE_TYPE_GRAVITOIDS);
	def2.magnetism = 90000;
	int16_t g2 = NewParticleGroup(&def2);
	Add(g2, {7, 7, 7});
	Add(g2, {7, 7, 7});
	MoveParticleGroups(nullptr);
	for (int32_t i = Pool_First(gParticleGroups[g2].pool); i >= 0; i = Pool_Next(gParticleGroups[g2].pool, i))
	{
		EXPECT_FALSE(std::isnan(gParticleGroups[g2].coord[i].x));
		EXPECT_FLOAT_EQ(gParticleGroups[g2].coord[i].x, 7);
	}
}

TEST_F(ParticleTest, BouncingParticlesLeaveTheGroundAtFourTenthsOfTheirSpeed)
{
	LoadFlatGround(0);
	NewParticleGroupDefType bouncy = Def(PARTICLE_TYPE_FALLINGSPARKS, PARTICLE_FLAGS_BOUNCE);
	int16_t g = NewParticleGroup(&bouncy);
	Add(g, {300, 10.5f, 300}, {0, -100, 0});
	NewParticleGroupDefType plain = Def(PARTICLE_TYPE_FALLINGSPARKS, 0);
	int16_t dies = NewParticleGroup(&plain);
	Add(dies, {300, 10.5f, 300}, {0, -100, 0});
	NewParticleGroupDefType ghost = Def(PARTICLE_TYPE_FALLINGSPARKS, PARTICLE_FLAGS_DONTCHECKGROUND);
	int16_t through = NewParticleGroup(&ghost);
	Add(through, {300, 10.5f, 300}, {0, -100, 0});

	MoveParticleGroups(nullptr);
	int32_t i = OnlyParticle(g);
	EXPECT_FLOAT_EQ(gParticleGroups[g].delta[i].y, 40);
	EXPECT_FLOAT_EQ(gParticleGroups[g].coord[i].y, 10);		// put back on the ground (+10)
	EXPECT_FLOAT_EQ(gParticleGroups[g].delta[i].x, 0);		// level ground gives no sideways kick
	EXPECT_EQ(CountParticlesInGroup(dies), 0);
	EXPECT_EQ(CountParticlesInGroup(through), 1);
	EXPECT_FLOAT_EQ(gParticleGroups[through].coord[OnlyParticle(through)].y, 9.5f);
}

TEST_F(ParticleTest, OnlyBrightParticlesOfMatchingGroupsHitANode)
{
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 100;
	def.scale = 1;
	ObjNode* node = MakeNewObject(&def);
	node->NumCollisionBoxes = 1;
	node->CollisionBoxes[0] = {-50, 50, 50, -50, 100, 0};		// left right front back top bottom

	NewParticleGroupDefType fire = Def(PARTICLE_TYPE_FALLINGSPARKS, PARTICLE_FLAGS_DONTCHECKGROUND | 0x80);
	int16_t g = NewParticleGroup(&fire);
	Add(g, {85, 50, 0}, {0, 0, 0}, 0.3f);		// touching but too faint
	EXPECT_FALSE(ParticleHitObject(node, 0));
	Add(g, {95, 50, 0});						// 45 beyond the box: out of reach
	EXPECT_FALSE(ParticleHitObject(node, 0));
	Add(g, {85, 50, 0}, {0, 0, 0}, 0.5f);		// 35 beyond, bright enough
	EXPECT_TRUE(ParticleHitObject(node, 0));
	EXPECT_TRUE(ParticleHitObject(node, 0x80));
	EXPECT_FALSE(ParticleHitObject(node, PARTICLE_FLAGS_VAPORTRAIL));
}

TEST_F(ParticleTest, TrailGroupsDrawATrailBehindEachParticle)
{
	NewParticleGroupDefType def = Def(PARTICLE_TYPE_FALLINGSPARKS, PARTICLE_FLAGS_DONTCHECKGROUND | PARTICLE_FLAGS_VAPORTRAIL);
	def.fadeRate = 0.5f;
	int16_t g = NewParticleGroup(&def);
	Add(g, {0, 0, 0}, {0, 6000, 0});		// 60 units a frame: one segment each
	int16_t trail = gParticleGroups[g].vaporTrail[OnlyParticle(g)];
	ASSERT_GE(trail, 0);
	EXPECT_TRUE(VerifyVaporTrail(trail, nullptr, uint8_t(g)));

	for (int f = 0; f < 3; f++)
		MoveParticleGroups(nullptr);
	EXPECT_EQ(gVaporTrails[trail].numSegments, 4);
	EXPECT_FLOAT_EQ(gVaporTrails[trail].points[3].y, 180);
	EXPECT_FLOAT_EQ(gVaporTrails[trail].colors[3].g, 1.0f);
	EXPECT_FLOAT_EQ(gVaporTrails[trail].colors[3].a, gParticleGroups[g].alpha[OnlyParticle(g)]);

	// Taken over by someone else: the particle lets go of it.
	gVaporTrails[trail].ownerID = uint8_t(g + 1);
	MoveParticleGroups(nullptr);
	EXPECT_EQ(gParticleGroups[g].vaporTrail[OnlyParticle(g)], -1);
}

TEST_F(ParticleTest, TheBillboardFacesTheEyeEvenFromStraightAbove)
{
	OGLMatrix4x4 m;
	CalcParticleBillboard({0, 0, 0}, {0, 0, 100}, 0, &m);
	OGLPoint3D corner = {10, 10, 0}, out;
	OGLPoint3D_Transform(&corner, &m, &out);
	EXPECT_NEAR(out.x, 10, 1e-4f);
	EXPECT_NEAR(out.y, 10, 1e-4f);
	EXPECT_NEAR(out.z, 0, 1e-4f);

	CalcParticleBillboard({5, 0, 0}, {5, 0, -100}, PI_HALF, &m);		// from behind, turned a quarter
	corner = {10, 0, 0};
	OGLPoint3D_Transform(&corner, &m, &out);
	EXPECT_NEAR(out.x, 5, 1e-4f);
	EXPECT_NEAR(out.y, 10, 1e-4f);

	CalcParticleBillboard({0, 0, 0}, {0, 500, 0}, 0, &m);
	corner = {10, 10, 0};
	OGLPoint3D_Transform(&corner, &m, &out);
	EXPECT_FALSE(std::isnan(out.x) || std::isnan(out.y) || std::isnan(out.z));
	EXPECT_NEAR(std::abs(out.x), 10, 1e-4f);		// still a quad with width
}

TEST_F(ParticleTest, SmokersPuffEveryTenthOfASecondAndRejectUnknownKinds)
{
	LoadFlatGround(50);
	UpdateVisibleTerrain(900, 900);
	TerrainItemEntryType item = {};
	item.parm[0] = 2;
	ASSERT_TRUE(AddSmoker(&item, 900, 900));
	ObjNode* smoker = gLastCreatedNode;
	gFrameTime = 0.04f;
	MoveSmoker(smoker);
	ASSERT_GE(smoker->ParticleGroup, 0);
	int16_t g = smoker->ParticleGroup;
	EXPECT_EQ(CountParticlesInGroup(g), 2);
	EXPECT_EQ(gParticleGroups[g].dstBlend, uint32_t(GL_ONE));		// kinds 2 and 3 glow
	EXPECT_FLOAT_EQ(smoker->Coord.y, 50);
	MoveSmoker(smoker);
	EXPECT_EQ(CountParticlesInGroup(g), 2);
	MoveSmoker(smoker);
	EXPECT_EQ(CountParticlesInGroup(g), 4);

	smoker->Kind = 4;
	smoker->ParticleTimer = 0;
	EXPECT_THROW(MoveSmoker(smoker), Tamber::QuitRequest);
}
