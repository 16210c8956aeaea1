// Detection and resolution of box collisions between object nodes: the side
// struck from each direction, pushes, bounces, landings and platforms, the
// passes, the nodes a scan never finds, the list limit and the triggers.
#include "Terrain/Collision.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "PlatformTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
	constexpr float FRAME = 1.0f / 64;		// exact in binary
	constexpr uint32_t ALL_MISC = CTYPE_MISC;

	struct CollisionTest : ::testing::Test
	{
		float savedFrameTime = 0;

		void SetUp() override
		{
			InitObjectManager();
			ClearTriggerHandlers();
			savedFrameTime = gFrameTime;
			gFrameTime = FRAME;
		}
		void TearDown() override
		{
			DeleteAllObjects();
			ClearTriggerHandlers();
			gFrameTime = savedFrameTime;
		}

		static ObjNode* MakeNode(OGLPoint3D at, int slot, ObjNode* chainTail = nullptr)
		{
			ObjectDef def = {};
			def.genre = CUSTOM_GENRE;
			def.coord = at;
			def.slot = int16_t(slot);
			def.scale = 1;
			def.chainTail = chainTail;
			return MakeNewObject(&def);
		}

		// A still cube of half size `half` around `at`.
		static ObjNode* MakeBlock(OGLPoint3D at, int half = 50, uint32_t cType = CTYPE_MISC,
				uint32_t cBits = SIDE_ALL, int slot = 200)
		{
			ObjNode* node = MakeNode(at, slot);
			node->CType = cType;
			node->CBits = cBits;
			SetObjectCollisionBounds(node, int16_t(half), int16_t(-half), int16_t(-half), int16_t(half),
					int16_t(half), int16_t(-half));
			return node;
		}

		// A 20-unit cube that was at `from` last frame and is moving to `to`.
		static ObjNode* MakeMover(OGLPoint3D from, OGLPoint3D to, OGLVector3D delta, ObjNode* chainTail = nullptr)
		{
			ObjNode* node = MakeNode(from, 100, chainTail);
			node->CType = CTYPE_PLAYER;
			node->CBits = SIDE_ALL;
			SetObjectCollisionBounds(node, 10, -10, -10, 10, 10, -10);
			gObjCoord = to;
			gObjDelta = delta;
			return node;
		}

		// Detection alone, with the mover's box where it is going.
		static int Detect(ObjNode* mover, uint32_t mask = ALL_MISC)
		{
			CalcObjectBoxFromGlobal(mover);
			gTotalSides = 0;
			CollisionDetect(mover, mask, 0);
			return gNumCollisions;
		}
	};

	// Trigger handlers record their calls.
	struct TriggerCall
	{
		ObjNode* trigger;
		ObjNode* mover;
		uint32_t sides;
	};
	std::vector<TriggerCall> gTriggerCalls;
	bool gTriggerAnswer = true;

	bool RecordTrigger(ObjNode* trigger, ObjNode* mover, uint32_t sides)
	{
		gTriggerCalls.push_back({trigger, mover, sides});
		return gTriggerAnswer;
	}

	// A bounce pad: throws the mover back and moves it away.
	bool ThrowBack(ObjNode* trigger, ObjNode* mover, uint32_t sides)
	{
		RecordTrigger(trigger, mover, sides);
		gObjCoord.x -= 30;
		gObjDelta = {-2500, 0, 0};
		return false;
	}

	// A handler that asks a query of its own, which refills the global list.
	bool QueryInside(ObjNode* trigger, ObjNode* mover, uint32_t sides)
	{
		RecordTrigger(trigger, mover, sides);
		FindBoxCollisions(10000, -10000, -10000, 10000, 10000, -10000, 0xFFFFFFFF);
		return true;
	}

	struct TriggerTest : CollisionTest
	{
		void SetUp() override
		{
			CollisionTest::SetUp();
			gTriggerCalls.clear();
			gTriggerAnswer = true;
		}
	};
}

//
// Sides
//

TEST_F(CollisionTest, EachDirectionStrikesItsSideAndIsPushedOutBySideRules)
{
	// Block: −50 … 50 on every axis; mover: half size 10, 15 units into the block's face.
	struct Case
	{
		const char* name;
		OGLPoint3D from, to;
		uint32_t moverSide, obstacleSide;
		OGLPoint3D resolved;
	};
	const float up = 60 + FRAME;
	const Case cases[] = {
		{"+x", {-70, 0, 0}, {-55, 0, 0}, SIDE_RIGHT, SIDE_LEFT, {-61, 0, 0}},
		{"-x", {70, 0, 0}, {55, 0, 0}, SIDE_LEFT, SIDE_RIGHT, {61, 0, 0}},
		{"+z", {0, 0, -70}, {0, 0, -55}, SIDE_FRONT, SIDE_BACK, {0, 0, -61}},
		{"-z", {0, 0, 70}, {0, 0, 55}, SIDE_BACK, SIDE_FRONT, {0, 0, 61}},
		{"up", {0, -70, 0}, {0, -55, 0}, SIDE_TOP, SIDE_BOTTOM, {0, -61, 0}},
		{"down", {0, 70, 0}, {0, 55, 0}, SIDE_BOTTOM, SIDE_TOP, {0, up, 0}},
	};

	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		ObjNode* block = MakeBlock({0, 0, 0});

		// Only the obstacle's matching solid side can be struck.
		block->CBits = SIDE_ALL & ~c.obstacleSide;
		ObjNode* mover = MakeMover(c.from, c.to, {0, 0, 0});
		EXPECT_EQ(Detect(mover), 0);
		EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0), 0u);
		EXPECT_FLOAT_EQ(gObjCoord.x, c.to.x);
		EXPECT_FLOAT_EQ(gObjCoord.y, c.to.y);
		EXPECT_FLOAT_EQ(gObjCoord.z, c.to.z);

		block->CBits = c.obstacleSide;
		gObjCoord = c.to;
		ASSERT_EQ(Detect(mover), 1);
		EXPECT_EQ(gCollisionList[0].sides, c.moverSide);
		EXPECT_EQ(gCollisionList[0].objectPtr, block);
		EXPECT_EQ(gTotalSides, c.moverSide);

		EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0), c.moverSide);
		EXPECT_FLOAT_EQ(gObjCoord.x, c.resolved.x);
		EXPECT_FLOAT_EQ(gObjCoord.y, c.resolved.y);
		EXPECT_FLOAT_EQ(gObjCoord.z, c.resolved.z);

		DeleteAllObjects();
	}
}

TEST_F(CollisionTest, AMoverThatWasTouchingAFaceIsStoppedByIt)
{
	// Block: −50 … 50 on every axis; mover: half size 10, its face flush with
	// the block's last frame and 5 units into it now.
	struct Case
	{
		const char* name;
		OGLPoint3D from, to;
		uint32_t moverSide;
	};
	const Case cases[] = {
		{"resting on the top", {0, 60, 0}, {0, 55, 0}, SIDE_BOTTOM},
		{"under the bottom", {0, -60, 0}, {0, -55, 0}, SIDE_TOP},
		{"against -x", {-60, 0, 0}, {-55, 0, 0}, SIDE_RIGHT},
		{"against +z", {0, 0, 60}, {0, 0, 55}, SIDE_BACK},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		MakeBlock({0, 0, 0});
		ObjNode* mover = MakeMover(c.from, c.to, {0, -100, 0});
		ASSERT_EQ(Detect(mover), 1);
		EXPECT_EQ(gCollisionList[0].sides, c.moverSide);
		EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0), c.moverSide);
		EXPECT_GE(std::max({std::fabs(gObjCoord.x), std::fabs(gObjCoord.y), std::fabs(gObjCoord.z)}), 60.0f)
				<< "pushed back out of the block";
		DeleteAllObjects();
	}
}

TEST_F(CollisionTest, AMoverOnAFlatTopOfTwoBoxesWalksAcrossTheSeam)
{
	// Two blocks side by side with one top at 50; the mover stands on the
	// first (its feet just over the top) and steps over the second's side face.
	MakeBlock({0, 0, 0});
	MakeBlock({100, 0, 0});
	const float feet = 60 + FRAME;
	ObjNode* mover = MakeMover({38, feet, 0}, {45, feet - 3, 0}, {200, -100, 0});
	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0), uint32_t(SIDE_BOTTOM));
	EXPECT_FLOAT_EQ(gObjCoord.x, 45) << "not pushed back by the second block's side";
	EXPECT_GE(gObjCoord.y, 60.0f) << "still standing on the top";

	// A mover level with the blocks is still stopped by the side.
	ObjNode* walker = MakeMover({-70, 0, 0}, {-55, 0, 0}, {100, 0, 0});
	EXPECT_EQ(ResolveCollisions(walker, ALL_MISC, 0), uint32_t(SIDE_RIGHT));
}

TEST_F(CollisionTest, AMoverAlreadyInsidePassesThroughUnlessTheObstacleSaysOtherwise)
{
	ObjNode* block = MakeBlock({0, 0, 0});
	ObjNode* mover = MakeMover({-20, 0, -20}, {-10, 0, -25}, {0, 0, 0});

	EXPECT_EQ(Detect(mover), 0);
	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0), 0u);
	EXPECT_FLOAT_EQ(gObjCoord.x, -10);

	// Any overlap and inside triggers are recorded with no side and push nothing.
	for (uint32_t bits : {SIDE_ALL | SIDE_ANY_OVERLAP, SIDE_ALL | SIDE_TRIGGER_INSIDE, uint32_t(SIDE_ANY_OVERLAP)})
	{
		block->CBits = bits;
		gObjCoord = {-10, 0, -25};
		ASSERT_EQ(Detect(mover), 1) << bits;
		EXPECT_EQ(gCollisionList[0].sides, 0) << bits;
		EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0), 0u);
		EXPECT_FLOAT_EQ(gObjCoord.x, -10);
		EXPECT_FLOAT_EQ(gObjCoord.z, -25);
	}

	// By position: the block lies toward +x and +z of the mover, so it is
	// pushed out toward −x and −z from its own box's far edges.
	block->CBits = SIDE_ALL;
	block->CType = CTYPE_MISC | CTYPE_PUSH_BY_POSITION;
	gObjCoord = {-10, 0, -25};
	ASSERT_EQ(Detect(mover), 1);
	EXPECT_EQ(gCollisionList[0].sides, SIDE_RIGHT | SIDE_FRONT);
	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0), SIDE_RIGHT | SIDE_FRONT);
	EXPECT_FLOAT_EQ(gObjCoord.x, -10 - (0 + 50 + 1));		// A.right − B.left + 1
	EXPECT_FLOAT_EQ(gObjCoord.z, -25 - (-15 + 50 + 1));		// A.front − B.back + 1

	// And from the other quadrant.
	gObjCoord = {10, 0, 25};
	ASSERT_EQ(Detect(mover), 1);
	EXPECT_EQ(gCollisionList[0].sides, SIDE_LEFT | SIDE_BACK);
}

//
// Resolution
//

TEST_F(CollisionTest, BounceTurnsTheVelocityIntoAWallOnceOverAllPasses)
{
	MakeBlock({0, 0, 0});
	ObjNode* mover = MakeMover({-70, 0, 0}, {-55, 0, 0}, {100, 0, 0});
	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0.5f), SIDE_RIGHT);
	EXPECT_FLOAT_EQ(gObjDelta.x, -50);
	EXPECT_FLOAT_EQ(gObjCoord.x, -61);
	EXPECT_EQ(gNumCollisions, 1);

	// The sign of the bounce does not matter; 0 stops the mover.
	gObjCoord = {0, 0, -55};
	mover->OldCollisionBoxes[0] = {-10, 10, -60, -80, 10, -10};
	gObjDelta = {0, 0, 100};
	ResolveCollisions(mover, ALL_MISC, -0.5f);
	EXPECT_FLOAT_EQ(gObjDelta.z, -50);

	gObjCoord = {-55, 0, 0};
	mover->OldCollisionBoxes[0] = {-80, -60, 10, -10, 10, -10};
	gObjDelta = {100, 0, 7};
	ResolveCollisions(mover, ALL_MISC, 0);
	EXPECT_FLOAT_EQ(gObjDelta.x, 0);
	EXPECT_FLOAT_EQ(gObjDelta.z, 7);
}

TEST_F(CollisionTest, TwoWallsInOnePassKeepTheLargestPushPerAxis)
{
	// Walls whose left faces are at x = 0 and x = −5; the mover reaches x = 2.
	MakeBlock({50, 0, 0});
	MakeBlock({45, 0, 0});
	ObjNode* mover = MakeMover({-20, 0, 0}, {-8, 0, 0}, {100, 0, 0});

	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0.5f), SIDE_RIGHT);
	EXPECT_FLOAT_EQ(gObjCoord.x, -8 - 8);		// the deeper wall's push, not the sum
	EXPECT_FLOAT_EQ(gObjDelta.x, -50);			// bounced once, not once per wall
	EXPECT_EQ(gNumCollisions, 2);
}

TEST_F(CollisionTest, ACornerPushesOnBothAxes)
{
	MakeBlock({60, 0, 0});			// left face at x = 10
	MakeBlock({0, 0, 60});			// back face at z = 10
	ObjNode* mover = MakeMover({-5, 0, -5}, {3, 0, 4}, {80, 0, 80});

	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 1), SIDE_RIGHT | SIDE_FRONT);
	EXPECT_FLOAT_EQ(gObjCoord.x, 3 - 4);
	EXPECT_FLOAT_EQ(gObjCoord.z, 4 - 5);
	EXPECT_FLOAT_EQ(gObjDelta.x, -80);
	EXPECT_FLOAT_EQ(gObjDelta.z, -80);
}

TEST_F(CollisionTest, LandingPushesUpStopsTheFallAndCutsHorizontalSpeedOnce)
{
	MakeBlock({0, 0, 0});
	ObjNode* mover = MakeMover({0, 70, 0}, {0, 55, 0}, {200, -500, 100});

	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0.5f), SIDE_BOTTOM);
	EXPECT_FLOAT_EQ(gObjCoord.y, 55 + (50 - 45) + FRAME);
	EXPECT_FLOAT_EQ(gObjDelta.y, -100);
	EXPECT_FLOAT_EQ(gObjDelta.x, 60);
	EXPECT_FLOAT_EQ(gObjDelta.z, 30);
	EXPECT_TRUE(mover->StatusBits & STATUS_BIT_ONGROUND);
	EXPECT_EQ(mover->LinkNode, nullptr);

	// Standing already: no cut. (The mover sinks back in by the pull of −100.)
	mover->OldCollisionBoxes[0] = mover->CollisionBoxes[0];
	mover->OldCollisionBoxes[0].bottom = 50 + FRAME;
	mover->OldCollisionBoxes[0].top = 70 + FRAME;
	gObjCoord = {0, 58, 0};
	gObjDelta = {200, -100, 100};
	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0.5f), SIDE_BOTTOM);
	EXPECT_FLOAT_EQ(gObjDelta.x, 200);
	EXPECT_FLOAT_EQ(gObjDelta.z, 100);
	EXPECT_TRUE(mover->StatusBits & STATUS_BIT_ONGROUND);

	// Walking off: the on-ground bit goes.
	gObjCoord = {200, 58, 0};
	ResolveCollisions(mover, ALL_MISC, 0.5f);
	EXPECT_FALSE(mover->StatusBits & STATUS_BIT_ONGROUND);
}

TEST_F(CollisionTest, LandingOnAPlatformLinksToItAndStopsHorizontally)
{
	ObjNode* platform = MakeBlock({0, 0, 0}, 50, CTYPE_MISC | CTYPE_PLATFORM);
	ObjNode* mover = MakeMover({0, 70, 0}, {0, 55, 0}, {200, -500, 100});
	mover->LinkNode = mover;		// a stale link is cleared by every call

	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0), SIDE_BOTTOM);
	EXPECT_EQ(mover->LinkNode, platform);
	EXPECT_FLOAT_EQ(gObjDelta.x, 0);
	EXPECT_FLOAT_EQ(gObjDelta.z, 0);
	EXPECT_FLOAT_EQ(gObjDelta.y, -100);

	// Striking the platform's side does not link.
	mover->OldCollisionBoxes[0] = {-80, -60, 10, -10, 10, -10};
	gObjCoord = {-55, 0, 0};
	ResolveCollisions(mover, ALL_MISC, 0);
	EXPECT_EQ(mover->LinkNode, nullptr);
}

TEST_F(CollisionTest, PushesComeFromTheBoxThatWasStruck)
{
	// A node with a low box and a tall second box beside it.
	ObjNode* node = MakeBlock({0, 0, 0});
	AddCollisionBoxToObject(node, 300, -50, 100, 200, 50, -50);
	ObjNode* mover = MakeMover({150, 320, 0}, {150, 295, 0}, {0, -400, 0});

	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0), SIDE_BOTTOM);
	ASSERT_EQ(gNumCollisions, 1);
	EXPECT_EQ(gCollisionList[0].targetBox, 1);
	EXPECT_FLOAT_EQ(gObjCoord.y, 295 + (300 - 285) + FRAME);
}

TEST_F(CollisionTest, APushByPositionEndsTheRecordLoopAndThePasses)
{
	// The mover is inside a big push-by-position block (listed first) and
	// lands on a slab this frame (listed after it).
	MakeBlock({-60, 0, 0}, 100, CTYPE_MISC | CTYPE_PUSH_BY_POSITION, SIDE_ALL, 150);
	MakeBlock({-10, -50, -25}, 50, CTYPE_MISC, SIDE_ALL, 200);
	ObjNode* mover = MakeMover({-20, 20, -20}, {-10, 5, -25}, {100, -500, -100});

	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC, 0.5f), SIDE_LEFT | SIDE_FRONT);
	EXPECT_EQ(gNumCollisions, 2);
	EXPECT_EQ(gTotalSides, SIDE_LEFT | SIDE_FRONT | SIDE_BOTTOM);
	EXPECT_FLOAT_EQ(gObjCoord.x, -10 + 61);		// out past the block's right face
	EXPECT_FLOAT_EQ(gObjCoord.z, -25 - 86);		// out past its back face
	EXPECT_FLOAT_EQ(gObjCoord.y, 5);				// the landing was never handled
	EXPECT_FLOAT_EQ(gObjDelta.y, -500);
	EXPECT_FLOAT_EQ(gObjDelta.x, -50);
	EXPECT_FLOAT_EQ(gObjDelta.z, 50);
	EXPECT_FALSE(mover->StatusBits & STATUS_BIT_ONGROUND);
}

TEST_F(CollisionTest, AMoverWithoutBoxesCollidesWithNothing)
{
	MakeBlock({0, 0, 0});
	ObjNode* mover = MakeNode({-70, 0, 0}, 100);
	mover->StatusBits |= STATUS_BIT_ONGROUND;
	gObjCoord = {0, 0, 0};
	EXPECT_EQ(ResolveCollisions(mover, ALL_MISC | CTYPE_TERRAIN, 0), 0u);
	EXPECT_EQ(gNumCollisions, 0);
	EXPECT_FLOAT_EQ(gObjCoord.x, 0);
}

//
// What a scan never finds
//

TEST_F(CollisionTest, ScansSkipHighSlotsDisabledNodesOtherClassesAndTheOwnChain)
{
	// Every block collides on any overlap, so only the filters keep it out.
	const uint32_t ANY = SIDE_ALL | SIDE_ANY_OVERLAP;
	ObjNode* head = MakeBlock({0, 0, 0}, 50, CTYPE_MISC, ANY, 50);
	ObjNode* mover = MakeMover({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, head);
	ASSERT_EQ(mover->ChainHead, head);
	mover->CBits = ANY;

	MakeBlock({0, 0, 0}, 50, CTYPE_MISC, ANY, SLOT_OF_DUMB);
	MakeBlock({0, 0, 0}, 50, CTYPE_MISC, ANY, 4000);
	MakeBlock({0, 0, 0}, 50, CTYPE_MISC, 0);
	MakeBlock({0, 0, 0}, 50, CTYPE_ENEMY, ANY);
	ObjNode* disabled = MakeBlock({0, 0, 0}, 50, CTYPE_MISC, ANY);
	disabled->StatusBits |= STATUS_BIT_NOCOLLISION;
	DeleteObject(MakeBlock({0, 0, 0}, 50, CTYPE_MISC, ANY));

	EXPECT_EQ(Detect(mover, ALL_MISC | CTYPE_PLAYER), 0);
	EXPECT_EQ(FindBoxCollisions(100, -100, -100, 100, 100, -100, ALL_MISC), 1);		// the chain head alone
	EXPECT_EQ(gCollisionList[0].objectPtr, head);

	// The same scene collides once the filters are lifted.
	disabled->StatusBits &= ~STATUS_BIT_NOCOLLISION;
	EXPECT_EQ(Detect(mover, ALL_MISC | CTYPE_ENEMY), 2);
}

TEST_F(CollisionTest, SixtyRecordsFitAndTheSixtyFirstIsFatal)
{
	ObjNode* mover = MakeMover({0, 0, 0}, {0, 0, 0}, {0, 0, 0});
	for (int i = 0; i < MAX_COLLISIONS; i++)
		MakeBlock({0, 0, 0}, 50, CTYPE_MISC, SIDE_ANY_OVERLAP);
	EXPECT_EQ(Detect(mover), MAX_COLLISIONS);

	// Appending starts where it is told.
	CalcObjectBoxFromGlobal(mover);
	gFatalErrorRaised = false;
	EXPECT_THROW(CollisionDetect(mover, ALL_MISC, 1), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "CollisionDetect: gNumCollisions > MAX_COLLISIONS");

	MakeBlock({0, 0, 0}, 50, CTYPE_MISC, SIDE_ANY_OVERLAP);
	gLastFatalMessage.clear();
	EXPECT_THROW(ResolveCollisions(mover, ALL_MISC, 0), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "CollisionDetect: gNumCollisions > MAX_COLLISIONS");
	EXPECT_LE(gNumCollisions, MAX_COLLISIONS);
	gFatalErrorRaised = false;
}

//
// Triggers
//

TEST_F(TriggerTest, AHandlerRunsOnlyForTheSidesThatFireIt)
{
	ObjNode* trigger = MakeBlock({0, 0, 0}, 50, CTYPE_TRIGGER | CTYPE_MISC);
	trigger->Kind = TRIGGER_KIND_CHECKPOINT;
	TriggerSides(trigger) = SIDE_LEFT;
	SetTriggerHandler(TRIGGER_KIND_CHECKPOINT, RecordTrigger);
	gTriggerAnswer = false;

	// Moving +x strikes the trigger's left side: it fires and is not solid.
	ObjNode* mover = MakeMover({-70, 0, 0}, {-55, 0, 0}, {100, 0, 0});
	EXPECT_EQ(ResolveCollisions(mover, CTYPE_TRIGGER, 0.5f), SIDE_RIGHT);
	ASSERT_EQ(gTriggerCalls.size(), 1u);
	EXPECT_EQ(gTriggerCalls[0].trigger, trigger);
	EXPECT_EQ(gTriggerCalls[0].mover, mover);
	EXPECT_EQ(gTriggerCalls[0].sides, SIDE_RIGHT);
	EXPECT_FLOAT_EQ(gObjCoord.x, -55);
	EXPECT_FLOAT_EQ(gObjDelta.x, 100);
	EXPECT_EQ(gCollisionList[0].sides, 0);

	// Moving −x strikes its right side: no call, a solid wall.
	mover->OldCollisionBoxes[0] = {60, 80, 10, -10, 10, -10};
	gObjCoord = {55, 0, 0};
	gObjDelta = {-100, 0, 0};
	ResolveCollisions(mover, CTYPE_TRIGGER, 0.5f);
	EXPECT_EQ(gTriggerCalls.size(), 1u);
	EXPECT_FLOAT_EQ(gObjCoord.x, 61);
	EXPECT_FLOAT_EQ(gObjDelta.x, 50);

	// Each of the mover's sides maps to the trigger's opposite one.
	const struct { OGLPoint3D from, to; uint32_t triggerSide; } sides[] = {
		{{0, 0, 70}, {0, 0, 55}, SIDE_FRONT},
		{{0, 0, -70}, {0, 0, -55}, SIDE_BACK},
		{{70, 0, 0}, {55, 0, 0}, SIDE_RIGHT},
		{{0, 70, 0}, {0, 55, 0}, SIDE_TOP},
		{{0, -70, 0}, {0, -55, 0}, SIDE_BOTTOM},
	};
	for (const auto& s : sides)
	{
		gTriggerCalls.clear();
		TriggerSides(trigger) = uint8_t(SIDE_ALL & ~s.triggerSide);
		mover->OldCollisionBoxes[0] = {s.from.x - 10, s.from.x + 10, s.from.z + 10, s.from.z - 10, s.from.y + 10, s.from.y - 10};
		gObjCoord = s.to;
		ResolveCollisions(mover, CTYPE_TRIGGER, 0);
		EXPECT_TRUE(gTriggerCalls.empty()) << s.triggerSide;

		TriggerSides(trigger) = uint8_t(s.triggerSide);
		gObjCoord = s.to;
		ResolveCollisions(mover, CTYPE_TRIGGER, 0);
		EXPECT_EQ(gTriggerCalls.size(), 1u) << s.triggerSide;
	}
}

TEST_F(TriggerTest, TriggersFireOnlyForMasksThatAskForThem)
{
	ObjNode* trigger = MakeBlock({0, 0, 0}, 50, CTYPE_TRIGGER2 | CTYPE_MISC);
	trigger->Kind = TRIGGER_KIND_GATE;
	TriggerSides(trigger) = SIDE_ALL;
	SetTriggerHandler(TRIGGER_KIND_GATE, RecordTrigger);
	gTriggerAnswer = false;

	// A player's mask has CTYPE_TRIGGER only: the enemies' trigger is a wall.
	ObjNode* mover = MakeMover({-70, 0, 0}, {-55, 0, 0}, {100, 0, 0});
	ResolveCollisions(mover, CTYPE_TRIGGER | CTYPE_MISC, 0);
	EXPECT_TRUE(gTriggerCalls.empty());
	EXPECT_FLOAT_EQ(gObjCoord.x, -61);

	gObjCoord = {-55, 0, 0};
	ResolveCollisions(mover, CTYPE_TRIGGER2 | CTYPE_MISC, 0);
	EXPECT_EQ(gTriggerCalls.size(), 1u);
	EXPECT_FLOAT_EQ(gObjCoord.x, -55);
}

TEST_F(TriggerTest, KindsWithoutAHandlerAreSolid)
{
	ObjNode* trigger = MakeBlock({0, 0, 0}, 50, CTYPE_TRIGGER);
	TriggerSides(trigger) = SIDE_ALL;
	SetTriggerHandler(TRIGGER_KIND_BOUNCE_PAD, RecordTrigger);
	gTriggerAnswer = false;
	ObjNode* mover = MakeMover({-70, 0, 0}, {-55, 0, 0}, {0, 0, 0});

	for (uint8_t kind : {TRIGGER_KIND_SOLID, TRIGGER_KIND_HUMAN, TRIGGER_KIND_SINKING_PLATFORM})
	{
		trigger->Kind = kind;
		gObjCoord = {-55, 0, 0};
		EXPECT_EQ(ResolveCollisions(mover, CTYPE_TRIGGER, 0), SIDE_RIGHT);
		EXPECT_FLOAT_EQ(gObjCoord.x, -61) << int(kind);
	}
	EXPECT_TRUE(gTriggerCalls.empty());

	// Removing a handler makes its kind solid again.
	trigger->Kind = TRIGGER_KIND_BOUNCE_PAD;
	SetTriggerHandler(TRIGGER_KIND_BOUNCE_PAD, nullptr);
	gObjCoord = {-55, 0, 0};
	ResolveCollisions(mover, CTYPE_TRIGGER, 0);
	EXPECT_FLOAT_EQ(gObjCoord.x, -61);

	// A kind past the table is a programming error.
	trigger->Kind = NUM_TRIGGER_KINDS;
	gObjCoord = {-55, 0, 0};
	EXPECT_THROW(ResolveCollisions(mover, CTYPE_TRIGGER, 0), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "HandleTrigger: illegal trigger kind 22");
	gFatalErrorRaised = false;
}

TEST_F(TriggerTest, InsideTriggersFireWithNoSide)
{
	ObjNode* human = MakeBlock({0, 0, 0}, 50, CTYPE_HUMAN | CTYPE_TRIGGER, SIDE_ALL | SIDE_TRIGGER_INSIDE);
	human->Kind = TRIGGER_KIND_HUMAN;
	TriggerSides(human) = 0;		// the inside bit fires it whatever its sides
	SetTriggerHandler(TRIGGER_KIND_HUMAN, RecordTrigger);

	ObjNode* mover = MakeMover({-20, 0, 0}, {-15, 0, 0}, {0, 0, 0});
	EXPECT_EQ(ResolveCollisions(mover, CTYPE_TRIGGER, 0), 0u);
	ASSERT_EQ(gTriggerCalls.size(), 1u);
	EXPECT_EQ(gTriggerCalls[0].sides, 0u);

	// Struck from outside it fires with the side even though no trigger side is set.
	gTriggerCalls.clear();
	gTriggerAnswer = false;
	mover->OldCollisionBoxes[0] = {-80, -60, 10, -10, 10, -10};
	gObjCoord = {-55, 0, 0};
	ResolveCollisions(mover, CTYPE_TRIGGER, 0);
	ASSERT_EQ(gTriggerCalls.size(), 1u);
	EXPECT_EQ(gTriggerCalls[0].sides, SIDE_RIGHT);
	EXPECT_FLOAT_EQ(gObjCoord.x, -55);
}

TEST_F(TriggerTest, WhatTheHandlerDoesToTheMoverIsKeptAndEndsThePasses)
{
	ObjNode* pad = MakeBlock({0, 0, 0}, 50, CTYPE_TRIGGER);
	pad->Kind = TRIGGER_KIND_BOUNCE_PAD;
	TriggerSides(pad) = SIDE_ALL;
	SetTriggerHandler(TRIGGER_KIND_BOUNCE_PAD, ThrowBack);

	ObjNode* mover = MakeMover({-70, 0, 0}, {-55, 0, 0}, {100, 0, 0});
	ResolveCollisions(mover, CTYPE_TRIGGER, 0.5f);
	EXPECT_EQ(gTriggerCalls.size(), 1u);
	EXPECT_FLOAT_EQ(gObjCoord.x, -85);
	EXPECT_FLOAT_EQ(gObjDelta.x, -2500);
	EXPECT_EQ(gNumCollisions, 1);
}

TEST_F(TriggerTest, AHandlersOwnQueriesDoNotDisturbTheMoversList)
{
	ObjNode* trigger = MakeBlock({0, 0, 0}, 50, CTYPE_TRIGGER);
	trigger->Kind = TRIGGER_KIND_ENEMY;
	TriggerSides(trigger) = SIDE_ALL;
	SetTriggerHandler(TRIGGER_KIND_ENEMY, QueryInside);
	ObjNode* wall = MakeBlock({0, 0, 30}, 50, CTYPE_MISC);
	for (int i = 0; i < 5; i++)
		MakeBlock({1000, 0, 0}, 50, CTYPE_MISC);

	ObjNode* mover = MakeMover({-70, 0, 0}, {-55, 0, 0}, {100, 0, 0});
	EXPECT_EQ(ResolveCollisions(mover, CTYPE_TRIGGER | CTYPE_MISC, 1), SIDE_RIGHT);
	EXPECT_EQ(gTriggerCalls.size(), 1u);
	ASSERT_EQ(gNumCollisions, 2);
	EXPECT_EQ(gCollisionList[0].objectPtr, trigger);
	EXPECT_EQ(gCollisionList[1].objectPtr, wall);
	EXPECT_FLOAT_EQ(gObjCoord.x, -61);
}
