// The rides with the robot on the farm's ground: the zip-line pulley speeds
// up downhill to its limit and drops him off the far end, slides back on an
// uphill cable; lines with a missing post or too short a cable are left out;
// the sled's steering cone and its crash after a long flight; the cannon's
// fuse and shot; teleporters that do nothing until a nova powers either end;
// spinning platforms solid only where their shape is.
#include "3D/Camera.h"
#include "PlayerTestSupport.h"
#include "3D/SkeletonTypes.h"
#include "Items/Rides.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/Error.h"
#include "Terrain/TerrainFile.h"

#include <vector>

using namespace PlayerTestSupport;

namespace
{
	TerrainItemEntryType MakeItem(uint16_t type, float x, float z, uint8_t p0 = 0, uint8_t p1 = 0, uint8_t p2 = 0)
	{
		TerrainItemEntryType item = {};
		item.x = uint32_t(x);
		item.z = uint32_t(z);
		item.type = type;
		item.parm[0] = p0;
		item.parm[1] = p1;
		item.parm[2] = p2;
		return item;
	}

	class RideWorld : public PlayerWorld
	{
	protected:
		ObjNode* robot = nullptr;
		std::vector<TerrainItemEntryType> items;
		TerrainItemEntryType* savedItems = nullptr;
		int32_t savedNumItems = 0;

		void SetUp() override
		{
			PlayerWorld::SetUp();
			if (HasFatalFailure())
				return;
			UpdateVisibleTerrain(gPlayerStartX, gPlayerStartZ);
			gCurrentLevel = LEVEL_NUM_FIREICE;		// zip lines and sleds, on the farm's ground
			ClearHelpMessage();
			ResetHelpMessageSwitches();
			ClearRideItemPointers();
			robot = MakeRobotOnGround();
			Run(0.5f);
			savedItems = gTerrainItemList;
			savedNumItems = gNumTerrainItems;
		}

		void TearDown() override
		{
			gTerrainItemList = savedItems;
			gNumTerrainItems = savedNumItems;
			ClearRideItemPointers();
			PlayerWorld::TearDown();
			ClearTriggerHandlers();
		}

		// The level's item list is `items` while the test runs.
		void UseItems()
		{
			gTerrainItemList = items.data();
			gNumTerrainItems = int32_t(items.size());
		}

		OGLPoint3D Ground(float x, float z) { return {x, TerrainHeightAt(x, z), z}; }

		void StandRobotAt(float x, float z)
		{
			robot->Coord = {x, TerrainHeightAt(x, z) - float(robot->BottomOff), z};
			robot->OldCoord = robot->Coord;
			robot->Delta = {0, 0, 0};
			Run(0.3f);
		}

		// The robot jumps from under a pulley waiting on line `id` and takes hold.
		ObjNode* GrabPulley(int id)
		{
			ObjNode* pulley = MakeZipPulley(id);
			StandRobotAt(pulley->Coord.x, pulley->Coord.z);
			Press(NEED_JUMP);
			EXPECT_TRUE(RunUntil(1.5f, [&] { return gZipPulley == pulley; })) << "the robot never reached the pulley";
			return pulley;
		}
	};
}

//
// Zip lines
//

TEST_F(RideWorld, DownhillPulleySpeedsUpAndDropsTheRobotOffTheFarEndWithAClang)
{
	// A cable from a tall post down to the ground: the robot takes the pulley up there.
	OGLPoint3D end = Ground(robot->Coord.x + 5000, robot->Coord.z);
	OGLPoint3D start = {robot->Coord.x, end.y + 3500, robot->Coord.z};
	ASSERT_TRUE(SetUpZipLine(0, start, end));
	ObjNode* pulley = MakeZipPulley(0);
	robot->Coord = ZipHangPoint(pulley);
	gZipPulley = pulley;
	pulley->Mode = ZIP_PULLEY_MOVING;
	pulley->SpecialF[ZIP_PULLEY_SPEED] = ZIP_GRAB_SPEED;
	PlayerGrabZipPulley(pulley);

	float lastSpeed = 0;
	bool faster = true;
	int lastAnim = -1;
	ASSERT_TRUE(RunUntil(30, [&] {
		if (gZipPulley)
		{
			faster = faster && pulley->SpecialF[ZIP_PULLEY_SPEED] > lastSpeed;
			lastSpeed = pulley->SpecialF[ZIP_PULLEY_SPEED];
			OGLPoint3D hang = ZipHangPoint(pulley);
			EXPECT_NEAR(robot->Coord.y, hang.y, 1.0f) << "the robot hangs under the pulley";
		}
		lastAnim = Anim(robot);
		return !gZipPulley;
	}));
	EXPECT_TRUE(faster) << "downhill the pulley only speeds up";
	EXPECT_GT(lastSpeed, 5 * ZIP_GRAB_SPEED);
	EXPECT_GE(pulley->SpecialF[ZIP_PULLEY_INDEX], float(gZipLines[0].numPoints - 2)) << "dropped at the far end";
	EXPECT_LE(pulley->SpecialF[ZIP_PULLEY_INDEX], float(gZipLines[0].numPoints - 1)) << "and never read past it";
	EXPECT_EQ(lastAnim, PLAYER_ANIM_FALL);
	EXPECT_EQ(pulley->Mode, ZIP_PULLEY_RETURNING);
}

TEST_F(RideWorld, APulleyNeverRunsFasterThanItsTopSpeed)
{
	OGLPoint3D end = Ground(robot->Coord.x + 3000, robot->Coord.z);
	OGLPoint3D start = {robot->Coord.x, end.y + 5500, robot->Coord.z};
	ASSERT_TRUE(SetUpZipLine(0, start, end));
	ObjNode* pulley = MakeZipPulley(0);
	gZipPulley = pulley;
	pulley->Mode = ZIP_PULLEY_MOVING;
	pulley->SpecialF[ZIP_PULLEY_SPEED] = ZIP_MAX_SPEED - 1;
	PlayerGrabZipPulley(pulley);
	Run(FRAME);
	EXPECT_FLOAT_EQ(pulley->SpecialF[ZIP_PULLEY_SPEED], ZIP_MAX_SPEED);
	Run(FRAME);
	EXPECT_FLOAT_EQ(pulley->SpecialF[ZIP_PULLEY_SPEED], ZIP_MAX_SPEED);
}

TEST_F(RideWorld, UphillPulleyStopsSlidesBackAndDropsTheRobotAtTheStart)
{
	OGLPoint3D start = Ground(robot->Coord.x, robot->Coord.z);
	OGLPoint3D end = {start.x + 4000, start.y + 1800, start.z};
	ASSERT_TRUE(SetUpZipLine(0, start, end));
	ObjNode* pulley = GrabPulley(0);
	EXPECT_FLOAT_EQ(gCameraPitch, PI / 8) << "the view looks down on the rider";

	float lowestSpeed = 1e9f, farthest = 0;
	ASSERT_TRUE(RunUntil(30, [&] {
		lowestSpeed = std::min(lowestSpeed, pulley->SpecialF[ZIP_PULLEY_SPEED]);
		farthest = std::max(farthest, pulley->SpecialF[ZIP_PULLEY_INDEX]);
		return Anim(robot) != PLAYER_ANIM_ZIPLINE;
	}));
	EXPECT_LT(lowestSpeed, 0) << "it rolled back";
	EXPECT_LT(farthest, float(gZipLines[0].numPoints) / 2) << "it never got over the hump";
	EXPECT_LE(pulley->SpecialF[ZIP_PULLEY_INDEX], 1.0f) << "dropped at the start";
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_FALL);
	EXPECT_EQ(gCameraPitch, 0) << "the view levels out when he lets go";
}

TEST_F(RideWorld, LinesWithAMissingPostOrTooShortACableAreLeftOut)
{
	float x = robot->Coord.x, z = robot->Coord.z;
	items = {
		MakeItem(ITEM_TYPE_ZIP_LINE_POST, x, z + 500, 0, 0),			// line 0: start post only
		MakeItem(ITEM_TYPE_ZIP_LINE_POST, x, z, 1, 0),					// line 1: posts 60 apart
		MakeItem(ITEM_TYPE_ZIP_LINE_POST, x + 60, z, 1, 1),
		MakeItem(ITEM_TYPE_ZIP_LINE_POST, x, z - 500, 2, 0),			// line 2: a real line
		MakeItem(ITEM_TYPE_ZIP_LINE_POST, x + 3000, z - 500, 2, 1),
	};
	UseItems();
	int before = gObjectCount;
	InitZipLines();
	EXPECT_FALSE(gZipLines[0].isActive);
	EXPECT_FALSE(gZipLines[1].isActive);
	ASSERT_TRUE(gZipLines[2].isActive);
	EXPECT_EQ(gObjectCount, before + 2) << "one pulley and the cable drawer";
	EXPECT_FALSE(gFatalErrorRaised);

	// The cable hangs between its posts, sagging in the middle, and its ribbons end on its last point.
	const ZipLineType& zip = gZipLines[2];
	EXPECT_NEAR(zip.points[0].y, zip.start.y + ZIP_POST_HEIGHT, 1.0f);
	EXPECT_LT(zip.points[zip.numPoints / 2].y, (zip.start.y + zip.end.y) / 2 + ZIP_POST_HEIGHT - ZIP_SAG / 2);
	const OGLPoint3D& lastSample = zip.geometry[zip.numGeometryPoints - 4];
	EXPECT_NEAR(lastSample.x, zip.points[zip.numPoints - 1].x, 0.01f);

	items.push_back(MakeItem(ITEM_TYPE_ZIP_LINE_POST, x, z, 15, 0));
	UseItems();
	EXPECT_THROW(InitZipLines(), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage.rfind("InitZipLines: zip line ID# 15", 0), 0u) << gLastFatalMessage;
	gFatalErrorRaised = false;
}

//
// Rocket sled
//

TEST(RocketSledSteering, NeverTurnsMoreThanAnEighthOfATurnFromItsLaunchDirection)
{
	for (float steer : {1.0f, -1.0f})
	{
		float heading = 0.3f, turnRate = 0;
		const float dx = -std::sin(heading), dz = -std::cos(heading);
		float widest = 0;
		for (int i = 0; i < 300; i++)
		{
			SteerRocketSled(steer, FRAME, dx, dz, &heading, &turnRate);
			float off = std::acos(std::clamp(-std::sin(heading) * dx - std::cos(heading) * dz, -1.0f, 1.0f));
			widest = std::max(widest, off);
		}
		EXPECT_LE(widest, SLED_MAX_TURN_OFF_START + 1e-4f);
		EXPECT_GT(widest, SLED_MAX_TURN_OFF_START - 0.1f) << "it does turn up to the limit";
		EXPECT_EQ(turnRate, 0) << "held at the limit, the turn stops";
	}
}

TEST_F(RideWorld, ASledThatFliesOverASecondCrashesOnLandingAndAShortHopDoesNot)
{
	for (float drop : {300.0f, 2200.0f})
	{
		TerrainItemEntryType item = MakeItem(ITEM_TYPE_ROCKET_SLED, robot->Coord.x + 200, robot->Coord.z, 0);
		ASSERT_TRUE(AddRocketSled(&item, float(item.x), float(item.z)));
		ObjNode* sled = gLastCreatedNode;
		ASSERT_TRUE(DoTrig_RocketSled(sled, robot, SIDE_BOTTOM));
		EXPECT_EQ(gRocketSled, sled);
		Run(FRAME);
		ASSERT_EQ(Anim(robot), PLAYER_ANIM_ROCKETSLED) << "the robot took his seat";

		sled->Coord.y += drop;
		ObjNodeRef ref(sled);
		RunUntil(3, [&] { return !ref.IsAlive() || (sled->StatusBits & STATUS_BIT_ONGROUND) || sled->Coord.y <= TerrainHeightAt(sled->Coord.x, sled->Coord.z) + 1; });
		Run(0.2f);
		if (drop < 500)
		{
			EXPECT_TRUE(ref.IsAlive()) << "a short hop lands safely";
			EXPECT_EQ(gRocketSled, sled);
			EXPECT_EQ(Anim(robot), PLAYER_ANIM_ROCKETSLED);
			// Off again for the long drop: the robot stands beside it.
			DeleteObject(sled);
			gRocketSled = nullptr;
			StandRobotAt(robot->Coord.x, robot->Coord.z);
		}
		else
		{
			EXPECT_FALSE(ref.IsAlive()) << "the sled smashed";
			EXPECT_EQ(gRocketSled, nullptr);
			EXPECT_EQ(Anim(robot), PLAYER_ANIM_SKID) << "the robot is thrown on";
		}
	}
}

TEST_F(RideWorld, AJumpTakesTheRobotOffARunningSledWhichParksWhereItIs)
{
	TerrainItemEntryType item = MakeItem(ITEM_TYPE_ROCKET_SLED, robot->Coord.x + 200, robot->Coord.z, 0);
	ASSERT_TRUE(AddRocketSled(&item, float(item.x), float(item.z)));
	ObjNode* sled = gLastCreatedNode;
	ASSERT_TRUE(DoTrig_RocketSled(sled, robot, SIDE_BOTTOM));
	Run(0.5f);
	ASSERT_EQ(Anim(robot), PLAYER_ANIM_ROCKETSLED);
	float seatY = robot->Coord.y;

	Press(NEED_JUMP);
	Run(FRAME);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_JUMP) << "the jump leaves the seat";
	EXPECT_GT(robot->Coord.y, seatY + 100);
	Run(FRAME);
	EXPECT_EQ(gRocketSled, nullptr) << "the sled noticed its empty seat";
	ObjNodeRef ref(sled);
	OGLPoint3D parkedAt = sled->Coord;
	Run(2);
	ASSERT_TRUE(ref.IsAlive()) << "a sled left on the ground is parked, not wrecked";
	EXPECT_NEAR(sled->Coord.x, parkedAt.x, 1) << "parked";
	EXPECT_NEAR(sled->Coord.z, parkedAt.z, 1);
	EXPECT_NE(Anim(robot), PLAYER_ANIM_ROCKETSLED) << "he lands clear of it";
}

//
// Cannon
//

TEST_F(RideWorld, AJumpAtTheMouthArmsTheCannonWhichFiresTheRobotThreeSecondsLater)
{
	TerrainItemEntryType item = MakeItem(ITEM_TYPE_CANNON, robot->Coord.x, robot->Coord.z - 1200, 1);
	ASSERT_TRUE(AddCannon(&item, float(item.x), float(item.z)));
	ObjNode* cannon = FindObjectWithMoveCall(MoveCannon);
	ASSERT_NE(cannon, nullptr);
	OGLPoint3D mouth = CannonMouth(cannon);
	StandRobotAt(mouth.x, mouth.z);
	Run(0.2f);
	EXPECT_EQ(GetCurrentHelpType(), HELP_CANNON) << "standing at the mouth shows how to use it";

	Press(NEED_JUMP);
	Run(FRAME);
	ASSERT_EQ(Anim(robot), PLAYER_ANIM_INCANNON);
	EXPECT_TRUE(IsHelpSwitchedOff(HELP_CANNON));
	EXPECT_FLOAT_EQ(gCameraPitch, -PI / 2) << "inside, the view looks up the barrel";
	Run(CANNON_FUSE_TIME - 0.2f);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_INCANNON) << "the fuse is still burning";
	Run(0.3f);
	ASSERT_EQ(Anim(robot), PLAYER_ANIM_SHOTFROMCANNON);
	EXPECT_EQ(gCameraPitch, 0) << "fired, the view levels out";
	// Fired along the cannon's heading (parm 1: a quarter turn, toward −x), upward.
	EXPECT_LT(robot->Delta.x, -CANNON_SHOT_SPEED * 0.95f);
	EXPECT_NEAR(robot->Delta.z, 0, 1);
	EXPECT_GT(robot->Delta.y, 0);
	float launchX = robot->Coord.x;
	ASSERT_TRUE(RunUntil(8, [&] { return Anim(robot) != PLAYER_ANIM_SHOTFROMCANNON; }));
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_SKID) << "he lands in a skid";
	EXPECT_LT(robot->Coord.x, launchX - 2000) << "a long way off";
}

//
// Teleporters
//

TEST_F(RideWorld, ATeleporterDoesNothingUntilANovaPowersEitherEndThenPassesTheRobotToItsPartner)
{
	const float x = robot->Coord.x, z = robot->Coord.z;
	items = {MakeItem(ITEM_TYPE_TELEPORTER, x, z - 400, 0, 1, 0), MakeItem(ITEM_TYPE_TELEPORTER, x + 3000, z, 1, 0, 2)};
	UseItems();
	InitTeleporters();
	ASSERT_TRUE(AddTeleporter(&items[1], float(items[1].x), float(items[1].z)));
	ObjNode* far = FindObjectWithMoveCall(MoveTeleporter);
	ASSERT_NE(far, nullptr);
	ASSERT_TRUE(AddTeleporter(&items[0], float(items[0].x), float(items[0].z)));

	// The robot's last step takes him through the near arch (it faces −z:
	// its plane runs along x, 400 in front of him).
	auto walkThrough = [&] {
		StandRobotAt(x, z - 250);
		robot->OldCoord = robot->Coord;
		robot->Coord.z -= 300;
		Run(FRAME);
	};
	walkThrough();
	EXPECT_FALSE(IsPlayerTeleporting()) << "unpowered, the arch is just an arch";
	EXPECT_FALSE(gTeleporters[0].powered || gTeleporters[1].powered);

	// A nova discharge at the far end powers both.
	ASSERT_NE(far->HitByWeaponHandler[WEAPON_NOVA], nullptr);
	far->HitByWeaponHandler[WEAPON_NOVA](nullptr, far, nullptr, nullptr, 0);
	EXPECT_TRUE(gTeleporters[0].powered && gTeleporters[1].powered);

	walkThrough();
	ASSERT_TRUE(IsPlayerTeleporting());
	ASSERT_TRUE(RunUntil(3, [&] { return !IsPlayerTeleporting(); }));
	const TeleporterType& arrival = gTeleporters[1];
	EXPECT_NEAR(robot->Coord.x, arrival.arrival.x, 400);
	EXPECT_NEAR(robot->Coord.z, arrival.arrival.z, 400);
	EXPECT_FLOAT_EQ(robot->Scale.x, PLAYER_NODE_SCALE) << "grown back";
	EXPECT_GT(robot->Delta.x, 500) << "walking out east, the way the far arch sends him";
}

TEST_F(RideWorld, ATeleporterLeadingToAnIDTheMapLacksStopsWithItsNumbers)
{
	items = {MakeItem(ITEM_TYPE_TELEPORTER, 1000, 1000, 0, 1), MakeItem(ITEM_TYPE_TELEPORTER, 3000, 1000, 1, 7)};
	UseItems();
	EXPECT_THROW(InitTeleporters(), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage.rfind("InitTeleporters: teleporter 1 leads to 7", 0), 0u) << gLastFatalMessage;
	gFatalErrorRaised = false;
	items[1].parm[1] = 20;
	UseItems();
	EXPECT_THROW(InitTeleporters(), Tamber::QuitRequest);
	gFatalErrorRaised = false;
}

//
// Spinning platforms
//

TEST(SpinningPlatformShapes, EachShapeIsSolidOnlyWhereItIs)
{
	const float s = SPINNING_PLATFORM_SCALE;
	struct Case { SpinningPlatformShape shape; float lx, lz; bool on; const char* where; };
	const Case cases[] = {
		{SPINNING_SHAPE_RECTANGLE, SPINNING_RECT_HALF_X + 10, 0, true, "just past the long side, within the margin"},
		{SPINNING_SHAPE_RECTANGLE, 0, SPINNING_RECT_HALF_Z + 20, false, "past the short side's margin"},
		{SPINNING_SHAPE_DISC, 180, 180, true, "inside the rim"},
		{SPINNING_SHAPE_DISC, 200, 200, false, "outside the rim"},
		{SPINNING_SHAPE_THREE_ARMS, 0, SPINNING_ARM_LENGTH - 10, true, "at the tip of the first arm"},
		{SPINNING_SHAPE_THREE_ARMS, 0, -(SPINNING_ARM_HUB + 60), false, "between the two other arms"},
		{SPINNING_SHAPE_ARMS_PILLAR, 100, 0, true, "on the hub"},
		{SPINNING_SHAPE_CROSS, 0, SPINNING_CROSS_HALF_LENGTH - 10, true, "along a bar"},
		{SPINNING_SHAPE_CROSS, 450, 450, false, "between the arms"},
	};
	for (const Case& c : cases)
		EXPECT_EQ(IsOnSpinningShape(c.shape, c.lx, c.lz, s, SPINNING_RECT_HALF_X, SPINNING_RECT_HALF_Z, SPINNING_DISC_RADIUS), c.on)
				<< c.where;
	EXPECT_EQ(SpinningPlatformShapeOf(13), SPINNING_SHAPE_ARMS_PILLAR);
}

TEST_F(RideWorld, TheRobotFallsThroughACrossBetweenItsArmsAndIsCarriedRoundOnOne)
{
	const float x = robot->Coord.x, z = robot->Coord.z;
	TerrainItemEntryType item = MakeItem(ITEM_TYPE_SPINNING_PLATFORM, x, z, 16, 0, 0);
	item.parm[3] = SPINNING_PLATFORM_TURNS_FORWARD;
	ASSERT_TRUE(AddSpinningPlatform(&item, x, z));
	ObjNode* platform = gLastCreatedNode;
	const float top = platform->Coord.y;

	// Drops the robot at a point given in the platform's own space (model units) as it is now.
	auto dropAt = [&](float lx, float lz) {
		float h = platform->Rot.y, c = std::cos(h), sn = std::sin(h), k = platform->Scale.x;
		robot->Coord = {x + (lx * c + lz * sn) * k, top + 120 - float(robot->BottomOff), z + (-lx * sn + lz * c) * k};
		robot->OldCoord = robot->Coord;
		robot->Delta = {0, 0, 0};
		Run(1.0f);
	};

	dropAt(320, 320);		// in the gap between two arms
	EXPECT_NEAR(FeetHeight(robot), GroundUnder(robot), 5) << "fell through to the ground";

	dropAt(0, 400);			// on an arm
	EXPECT_NEAR(FeetHeight(robot), top, 5) << "stands on the arm";
	float before = std::atan2(robot->Coord.x - x, robot->Coord.z - z);
	Run(1.0f);
	float after = std::atan2(robot->Coord.x - x, robot->Coord.z - z);
	float turned = std::remainder(after - before, 2 * PI);
	EXPECT_NEAR(std::fabs(turned), SPINNING_PLATFORM_TURN_RATE * 1.0f, 0.06f) << "carried round with it";
	EXPECT_NEAR(FeetHeight(robot), top, 5);
}
