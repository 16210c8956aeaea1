// Deformations: the slot table, each kind's shape and animation, the
// lifecycle on the supertiles (deformed while drawn, seen by the height
// queries, restored once the last one ends), and a giant's footsteps.
#include "TerrainTestSupport.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonAnimEvents.h"
#include "Player/Player.h"
#include "System/FrameTime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace TerrainTestSupport;

namespace
{
	struct Deformations : TerrainTest
	{
		float savedFrameTime = 0;
		void SetUp() override
		{
			TerrainTest::SetUp();
			ClearSuperTileDeformations();
			savedFrameTime = gFrameTime;
		}
		void TearDown() override
		{
			gFrameTime = savedFrameTime;
			TerrainTest::TearDown();
		}
	};

	SuperTileDeformation Make(uint8_t type, float amplitude, float x = 0, float z = 0)
	{
		SuperTileDeformation d = {};
		d.type = type;
		d.amplitude = amplitude;
		d.centerX = x;
		d.centerZ = z;
		return d;
	}
}

TEST_F(Deformations, TheTableHoldsEightAndIgnoresBadSlots)
{
	SuperTileDeformation d = Make(DEFORM_RIPPLE, 1);
	for (int i = 0; i < MAX_DEFORMATIONS; i++)
		EXPECT_EQ(NewSuperTileDeformation(&d), i);
	EXPECT_EQ(NewSuperTileDeformation(&d), -1) << "full";
	EXPECT_EQ(gNumDeformations, 8);

	MoveSuperTileDeformation(-1, 5, 5);
	DeleteSuperTileDeformation(-1);
	DeleteSuperTileDeformation(8);
	EXPECT_EQ(gNumDeformations, 8);

	MoveSuperTileDeformation(3, 70, 80);
	EXPECT_FLOAT_EQ(gDeformationList[3].centerX, 70);
	DeleteSuperTileDeformation(3);
	DeleteSuperTileDeformation(3);		// a second delete of the same slot changes nothing
	EXPECT_EQ(gNumDeformations, 7);
	EXPECT_EQ(NewSuperTileDeformation(&d), 3) << "the first free slot is reused";
	for (int i = 0; i < MAX_DEFORMATIONS; i++)
		DeleteSuperTileDeformation(i);
	EXPECT_EQ(gNumDeformations, 0);
	EXPECT_TRUE(gDeformationsEnded);
}

TEST_F(Deformations, EachKindShapesTheGround)
{
	// Ripple: sin((d + radius) × frequency) × amplitude, d the fast distance.
	SuperTileDeformation ripple = Make(DEFORM_RIPPLE, 15);
	ripple.radius = 40;
	ripple.frequency = 1.0f / 300;
	NewSuperTileDeformation(&ripple);
	float fast = 400 + 0.375f * 300;
	EXPECT_NEAR(CalcDeformedHeight(400, 300, 100), 100 + std::sin((fast + 40) / 300) * 15, 1e-4f);
	ClearSuperTileDeformations();

	// Ring wave: a band of `width` round `radius`.
	SuperTileDeformation ring = Make(DEFORM_RING_WAVE, 20);
	ring.radius = 1000;
	ring.width = 200;
	ring.frequency = 0.01f;
	NewSuperTileDeformation(&ring);
	EXPECT_FLOAT_EQ(CalcDeformedHeight(1300, 0, 5), 5) << "outside the band";
	EXPECT_NEAR(CalcDeformedHeight(1100, 0, 5), 5 + 0.5f * 20 * std::sin(1.0f), 1e-4f);
	ClearSuperTileDeformations();

	// Damped ripple: full inside `width`, then falling off as decay / (d − width).
	SuperTileDeformation damped = Make(DEFORM_DAMPED_RIPPLE, 10);
	damped.frequency = 0.002f;
	damped.width = 500;
	damped.decay = 100;
	NewSuperTileDeformation(&damped);
	EXPECT_NEAR(CalcDeformedHeight(400, 0, 0), std::sin(0.8f) * 10, 1e-4f);
	EXPECT_NEAR(CalcDeformedHeight(1000, 0, 0), std::sin(2.0f) * 10 * 0.2f, 1e-4f);
	ClearSuperTileDeformations();

	// Flattening pulls the other deformations back to the base height.
	SuperTileDeformation flatten = Make(DEFORM_FLATTEN, 0);
	flatten.radius = 1000;
	flatten.width = 400;
	NewSuperTileDeformation(&ripple);
	NewSuperTileDeformation(&flatten);
	EXPECT_FLOAT_EQ(CalcDeformedHeight(100, 0, 100), 100) << "inside width: the base";
	float rippled = 100 + std::sin((700 + 40) / 300.0f) * 15;
	EXPECT_NEAR(CalcDeformedHeight(700, 0, 100), 100 + (rippled - 100) * 0.5f, 1e-3f);
	ClearSuperTileDeformations();

	// Dent: true distance, deepest at its rim.
	SuperTileDeformation dent = Make(DEFORM_DENT, 2);
	dent.radius = 100;
	NewSuperTileDeformation(&dent);
	EXPECT_NEAR(CalcDeformedHeight(300, 400, 0), -std::min(400.0f, 30.0f / 400) * 2, 1e-5f);
	EXPECT_NEAR(CalcDeformedHeight(0, 0, 0), -2 * 1, 1e-5f) << "t is at least 1";
}

TEST_F(Deformations, ARingWaveFadesOutAndEnds)
{
	SuperTileDeformation ring = Make(DEFORM_RING_WAVE, 2);
	ring.decay = 1;
	ring.speed = 100;
	ring.width = 50;
	int slot = NewSuperTileDeformation(&ring);
	for (int i = 0; i < 7; i++)
		AnimateSuperTileDeformations(0.25f);
	EXPECT_TRUE(gDeformationList[slot].active);
	EXPECT_FLOAT_EQ(gDeformationList[slot].radius, 175);
	AnimateSuperTileDeformations(0.25f);		// two seconds
	EXPECT_FALSE(gDeformationList[slot].active);
	EXPECT_FLOAT_EQ(gDeformationList[slot].radius, 175) << "the last step does not advance it";
	EXPECT_TRUE(gDeformationsEnded);

	SuperTileDeformation ripple = Make(DEFORM_RIPPLE, 1), dent = Make(DEFORM_DENT, 1), flat = Make(DEFORM_FLATTEN, 0);
	ripple.speed = dent.speed = flat.speed = 10;
	int a = NewSuperTileDeformation(&ripple), b = NewSuperTileDeformation(&dent), c = NewSuperTileDeformation(&flat);
	AnimateSuperTileDeformations(0.5f);
	EXPECT_FLOAT_EQ(gDeformationList[a].radius, 5);
	EXPECT_FLOAT_EQ(gDeformationList[b].amplitude, 6);
	EXPECT_FLOAT_EQ(gDeformationList[c].radius, 0);
}

TEST_F(Deformations, WavesMoveTheDrawnGroundAndTheQueriesSeeIt)
{
	MemoryTerrain t = FromContent(SimpleContent(12, 12, [](float x, float) { return x * 0.01f; }));
	LoadFromMemory(t);
	// The slime world's waves.
	MakeWaveDeformation(15, 200, 1.0f / 300, float(gMapUnitWidth), 0);
	MakeWaveDeformation(10, 300, 0.005f, 0, 0);
	gFrameTime = 0.1f;

	UpdateVisibleTerrain(10000, 10000);		// builds the window, then advances the waves
	UpdateSuperTilesWithoutDrawing();		// everything is in view: all of it is deformed
	float moved = 0;
	for (float x : {450.0f, 4500.0f, 9000.0f})
		for (float z : {675.0f, 9000.0f})
		{
			float expected = CalcDeformedHeight(x, z, x * 0.01f);
			EXPECT_NEAR(TerrainHeightAt(x, z), expected, 1e-3f);
			EXPECT_NEAR(BaseTerrainHeightAt(x, z), x * 0.01f, 1e-3f);
			moved = std::max(moved, std::fabs(expected - x * 0.01f));
		}
	EXPECT_GT(moved, 5.0f) << "the ground did move";

	// Out of view the ground stays as it was last drawn.
	float before = TerrainHeightAt(4500, 675);
	SetEverythingVisible(false);
	UpdateVisibleTerrain(10000, 10000);
	UpdateSuperTilesWithoutDrawing();
	EXPECT_FLOAT_EQ(TerrainHeightAt(4500, 675), before);

	// The last one ending puts every built supertile back, seen or not.
	DeleteSuperTileDeformation(0);
	DeleteSuperTileDeformation(1);
	UpdateVisibleTerrain(10000, 10000);
	UpdateSuperTilesWithoutDrawing();
	EXPECT_FALSE(gDeformationsEnded);
	for (float x : {450.0f, 4500.0f, 9000.0f})
		EXPECT_FLOAT_EQ(TerrainHeightAt(x, 675), x * 0.01f);
	int e = gSuperTileStatusGrid[0][1].memIndex;
	EXPECT_FLOAT_EQ(gSuperTileMemory[e].mesh->points[0].y, 1800 * 0.01f);
}

//
// Giant footsteps: the hero's footstep events shake the ground when he is big
//

TEST_F(Deformations, AGiantsFootstepSendsARingWaveFromThePlayer)
{
	ObjNode player = {};
	player.Coord = {2000, 0, 3000};
	ObjNode* savedPlayer = gPlayerNode;
	const PlayerLevelState savedPlayerLevel = gPlayerLevel;
	gPlayerNode = &player;
	ObjNode foot = {};

	// No terrain (the skeleton viewer): nothing to shake, nothing kept.
	gPlayerLevel.scale = 2;
	PlayAnimSoundEvent(&foot, ANIMSOUND_LEFT_FOOT);
	EXPECT_EQ(gNumDeformations, 0);

	MemoryTerrain t = FromContent(SimpleContent(4, 4, [](float, float) { return 0.0f; }));
	LoadFromMemory(t);
	ClearSuperTileDeformations();

	gPlayerLevel.scale = 1;
	PlayAnimSoundEvent(&foot, ANIMSOUND_RIGHT_FOOT);
	EXPECT_EQ(gNumDeformations, 0) << "a normal-sized step leaves the ground alone";

	gPlayerLevel.scale = 2;
	PlayAnimSoundEvent(&foot, ANIMSOUND_RIGHT_FOOT);
	ASSERT_EQ(gNumDeformations, 1);
	const SuperTileDeformation& d = gDeformationList[0];
	EXPECT_EQ(d.type, DEFORM_RING_WAVE);
	EXPECT_FLOAT_EQ(d.centerX, 2000);
	EXPECT_FLOAT_EQ(d.centerZ, 3000);
	EXPECT_FLOAT_EQ(d.amplitude, GIANT_FOOTSTEP_AMPLITUDE);

	// The ring leaves the foot and moves the ground where it passes.
	AnimateSuperTileDeformations(0.1f);
	EXPECT_FLOAT_EQ(d.radius, 0.1f * GIANT_FOOTSTEP_SPEED);
	float moved = 0;
	for (float dx = 0; dx <= 1200; dx += 50)
		moved = std::max(moved, std::fabs(CalcDeformedHeight(2000 + dx, 3000, 0)));
	EXPECT_GT(moved, 1.0f);
	// … and dies away within a third of a second.
	AnimateSuperTileDeformations(0.25f);
	EXPECT_EQ(gNumDeformations, 0);

	gPlayerLevel = savedPlayerLevel;
	gPlayerNode = savedPlayer;
}
