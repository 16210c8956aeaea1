// The exit lift, the bumper-car arena, bubbles and boats, driven on the farm's terrain
// without a window from hand-made map items.
#include "PlayerTestSupport.h"
#include "Player/Player.h"
#include "System/Level.h"
#include "System/Pool.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Items/Contraptions.h"
#include "Items/ItemsInternal.h"
#include "Items/Powerups.h"
#include "Player/PlayerVehicles.h"
#include "Player/Weapons.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainFormat.h"
#include "Terrain/Splines.h"
#include "Terrain/Water.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

using namespace PlayerTestSupport;

namespace
{
	class ContraptionWorld : public PlayerWorld
	{
	protected:
		void SetUp() override
		{
			PlayerWorld::SetUp();
			UpdateVisibleTerrain(gPlayerStartX, gPlayerStartZ);
			InitSparkleStore();
			InitShardSystem();
			ClearHelpMessage();
			ResetHelpMessageSwitches();
			InitExitLift();
			savedItems = gTerrainItemList;
			savedItemCount = gNumTerrainItems;
		}

		void TearDown() override
		{
			// The tests' map items lived in their own vectors, gone by now:
			// the objects made from them must not hand them back.
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				for (ObjNode* c = n; c; c = c->ChainNode)
					c->TerrainItemPtr = nullptr;
			gTerrainItemList = savedItems;
			gNumTerrainItems = savedItemCount;
			PlayerWorld::TearDown();
			gNovaChargeNode = nullptr;			// a shock's discharge went with the objects
			gZapTimer = 0;
			DisposeShardSystem();
			DisposeSparkles();
			ClearTriggerHandlers();
			gFatalErrorRaised = false;
		}

		TerrainItemEntryType MakeItem(uint16_t type, uint8_t p0, uint8_t p1, float dx, float dz = 0)
		{
			TerrainItemEntryType item = {};
			item.x = uint32_t(gPlayerStartX + dx);
			item.z = uint32_t(gPlayerStartZ + dz);
			item.type = type;
			item.parm[0] = p0;
			item.parm[1] = p1;
			return item;
		}

		// The arena tables read the map's items: these stand in for them.
		void UseMapItems(std::vector<TerrainItemEntryType>& items)
		{
			gTerrainItemList = items.data();
			gNumTerrainItems = int32_t(items.size());
		}

		ObjNode* Add(TerrainItemEntryType* item)
		{
			EXPECT_TRUE(kItemAddRoutines[item->type].add(item, float(item->x), float(item->z)));
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->TerrainItemPtr == item && n->CType != INVALID_NODE_FLAG)
					return n;
			return nullptr;
		}

		// A car rams the pole at `speed`.
		static void Ram(ObjNode* pole, float speed)
		{
			gObjDelta = {speed, 0, 0};
			EXPECT_TRUE(HandleTrigger(pole, nullptr, SIDE_RIGHT)) << "a pole is always solid";
		}

		TerrainItemEntryType* savedItems = nullptr;
		int32_t savedItemCount = 0;
	};
}

//
// Cars meeting
//

TEST(BumperCarCollision, HeadOnAtEqualSpeedsTheCarsSwapDirectionsAndKeepTheMeanSpeed)
{
	OGLVector2D v1 = {600, 0}, v2 = {-600, 0};
	CollideBumperCarVelocities({0, 0}, {400, 0}, &v1, &v2);
	EXPECT_NEAR(v1.x, -600, 0.01f);
	EXPECT_NEAR(v1.y, 0, 0.01f);
	EXPECT_NEAR(v2.x, 600, 0.01f);
	EXPECT_NEAR(v2.y, 0, 0.01f);

	// Unequal speeds both leave at the mean of the two.
	OGLVector2D a = {1000, 0}, b = {-200, 0};
	CollideBumperCarVelocities({0, 0}, {400, 0}, &a, &b);
	EXPECT_NEAR(std::hypot(a.x, a.y), 600, 0.01f);
	EXPECT_NEAR(std::hypot(b.x, b.y), 600, 0.01f);
	EXPECT_LT(a.x, 0) << "the rammer bounces back";
	EXPECT_GT(b.x, 0) << "the rammed car is pushed on";
}

TEST(BumperCarCollision, AGlancingBlowDeflectsBothAtTheMeanSpeed)
{
	// Moving along z past each other, touching along x: only the x parts turn.
	OGLVector2D v1 = {300, 800}, v2 = {0, 0};
	CollideBumperCarVelocities({0, 0}, {396, 0}, &v1, &v2);
	float mean = 0.5f * std::hypot(300.0f, 800.0f);
	EXPECT_NEAR(std::hypot(v1.x, v1.y), mean, 0.01f);
	EXPECT_NEAR(std::hypot(v2.x, v2.y), mean, 0.01f);
	EXPECT_GT(v2.x, 0) << "the struck car goes away from the striker";
	EXPECT_NEAR(v1.x, 0, 0.01f) << "the striker's push toward it is spent";
	EXPECT_GT(v1.y, 0) << "the striker goes on its way";
}

//
// The arena
//

TEST_F(ContraptionWorld, APoleRammedBelowBreakingSpeedIsOnlyTappedAndAtItIsSwitchedOff)
{
	std::vector<TerrainItemEntryType> items = {MakeItem(80, 0, 0, 400), MakeItem(80, 1, 0, -400)};
	UseMapItems(items);
	InitBumperCars();
	ASSERT_EQ(GetBumperPoleCount(0), 2);
	ObjNode* pole = Add(&items[0]);
	ASSERT_TRUE(pole);
	EXPECT_TRUE(pole->CType & CTYPE_TRIGGER2) << "a live pole is a car's trigger";
	ASSERT_TRUE(pole->ChainNode) << "a live pole wears its top";

	Ram(pole, BUMPER_POLE_BREAK_SPEED - 1);
	EXPECT_EQ(GetBumperPoleState(0, 0), BUMPER_POLE_LIVE);
	EXPECT_EQ(GetBumperPolesOff(0), 0);

	Ram(pole, BUMPER_POLE_BREAK_SPEED);
	EXPECT_EQ(GetBumperPoleState(0, 0), BUMPER_POLE_OFF);
	EXPECT_EQ(GetBumperPolesOff(0), 1);
	EXPECT_TRUE(pole->ChainNode->StatusBits & STATUS_BIT_HIDDEN) << "its top broke off";
	EXPECT_FALSE(pole->CType & CTYPE_TRIGGER2);
	EXPECT_FLOAT_EQ(pole->ColorFilter.r, 0.4f) << "an off pole is grey";
	EXPECT_FALSE(IsBumperAreaDone(0)) << "one pole of two";

	// Rammed again, an off pole stays counted once.
	Ram(pole, BUMPER_POLE_BREAK_SPEED * 1.2f);
	EXPECT_EQ(GetBumperPolesOff(0), 1);

	// Made again when its supertile comes back, it is still off and bare.
	DeleteObject(pole);
	ObjNode* again = Add(&items[0]);
	ASSERT_TRUE(again);
	EXPECT_FALSE(again->ChainNode);
	EXPECT_FLOAT_EQ(again->ColorFilter.r, 0.4f);
}

TEST_F(ContraptionWorld, TheLastPoleOffLowersTheGateRemovesTheFieldAndKillsTheFloor)
{
	std::vector<TerrainItemEntryType> items = {MakeItem(80, 0, 1, 400), MakeItem(80, 1, 1, -400),
			MakeItem(82, 0, 1, 0, 600), MakeItem(80, 0, 0, 0, -900)};
	UseMapItems(items);
	InitBumperCars();
	ObjNode* a = Add(&items[0]);
	ObjNode* b = Add(&items[1]);
	ObjNode* gate = Add(&items[2]);
	ASSERT_TRUE(a && b && gate);
	ObjNode* field = gate->ChainNode;
	ASSERT_TRUE(field);
	float closedTop = gate->CollisionBoxes[0].top;
	auto gateSparkles = [&] { return int(std::count_if(std::begin(gate->Sparkles), std::end(gate->Sparkles), [](int16_t s) { return s != -1; })); };
	EXPECT_GT(gateSparkles(), 0) << "a live gate crackles";

	// Area 1's floor is electrified where the tiles say so; area 0's is not asked.
	gCurrentLevel = LEVEL_NUM_CLOUD;
	ObjNode* robot = MakeRobotOnGround();
	uint16_t& tile = gTileAttributes[gTileAttribIndexGrid[int(robot->Coord.z) / TILE_UNITS][int(robot->Coord.x) / TILE_UNITS]].flags;
	uint16_t savedTile = tile;
	tile |= TILE_ATTRIB_BUMPERAREA1;
	EXPECT_TRUE(IsFloorElectrifiedAt(robot->Coord.x, robot->Coord.z));

	Ram(a, 1400);
	Frame();
	EXPECT_FALSE(IsBumperAreaDone(1));
	EXPECT_TRUE(IsFloorElectrifiedAt(robot->Coord.x, robot->Coord.z));
	EXPECT_FALSE(field->StatusBits & STATUS_BIT_HIDDEN);

	Ram(b, 1400);
	Frame();
	EXPECT_TRUE(IsBumperAreaDone(1));
	EXPECT_FALSE(IsBumperAreaDone(0)) << "the other area keeps its pole";
	EXPECT_FALSE(IsFloorElectrifiedAt(robot->Coord.x, robot->Coord.z));
	EXPECT_TRUE(field->StatusBits & STATUS_BIT_HIDDEN) << "the force field is gone";
	EXPECT_EQ(gateSparkles(), 0) << "and its sparkles with it";
	EXPECT_NEAR(gate->CollisionBoxes[0].top, gate->Coord.y + 40, 0.5f) << "the gate dropped to 40";
	EXPECT_LT(gate->CollisionBoxes[0].top, closedTop);
	tile = savedTile;
}

TEST_F(ContraptionWorld, StandingOnADeadFloorIsSafeAndOnALiveOneShocksTheRobotToDeath)
{
	std::vector<TerrainItemEntryType> items = {MakeItem(80, 0, 0, 2000), MakeItem(80, 0, 1, -2000)};
	UseMapItems(items);
	InitBumperCars();
	ObjNode* areaOnePole = Add(&items[1]);
	ASSERT_TRUE(areaOnePole);
	Ram(areaOnePole, 1500);
	ASSERT_TRUE(IsBumperAreaDone(1));

	gCurrentLevel = LEVEL_NUM_CLOUD;
	ObjNode* robot = MakeRobotOnGround();
	uint16_t& tile = gTileAttributes[gTileAttribIndexGrid[int(robot->Coord.z) / TILE_UNITS][int(robot->Coord.x) / TILE_UNITS]].flags;
	uint16_t savedTile = tile;
	tile |= TILE_ATTRIB_BUMPERAREA1;
	Run(0.5f);
	EXPECT_NE(Anim(robot), PLAYER_ANIM_ZAPPED) << "area 1's poles are all off";

	tile |= TILE_ATTRIB_BUMPERAREA0;
	Run(0.2f);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_ZAPPED) << "area 0's floor is live";
	EXPECT_TRUE(RunUntil(2.5f, [] { return gPlayerLevel.isDead; })) << "the countdown ends in a blow-up";
	tile = savedTile;
}

TEST_F(ContraptionWorld, BadArenaItemsStopTheGameNamingThem)
{
	std::vector<TerrainItemEntryType> duplicate = {MakeItem(80, 3, 0, 400), MakeItem(80, 3, 0, -400)};
	UseMapItems(duplicate);
	EXPECT_THROW(InitBumperCars(), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("duplicate pole ID 3"), std::string::npos) << gLastFatalMessage;
	gFatalErrorRaised = false;

	std::vector<TerrainItemEntryType> badArea = {MakeItem(76, 0, MAX_BUMPER_AREAS, 400)};
	UseMapItems(badArea);
	EXPECT_THROW(InitBumperCars(), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("area 4"), std::string::npos) << gLastFatalMessage;
	gFatalErrorRaised = false;

	std::vector<TerrainItemEntryType> badPole = {MakeItem(80, MAX_BUMPER_POLES, 0, 400)};
	UseMapItems(badPole);
	EXPECT_THROW(InitBumperCars(), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("pole ID 8"), std::string::npos) << gLastFatalMessage;
	gFatalErrorRaised = false;

	std::vector<TerrainItemEntryType> cars = {MakeItem(76, 2, 0, 400), MakeItem(76, 2, 0, -400)};
	UseMapItems(cars);
	InitBumperCars();
	ASSERT_TRUE(Add(&cars[0]));
	EXPECT_THROW(kItemAddRoutines[76].add(&cars[1], float(cars[1].x), float(cars[1].z)), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "AddBumperCar: duplicate car ID#!");
}

TEST_F(ContraptionWorld, TheRobotRidesHisCarAndJumpsOutOfIt)
{
	std::vector<TerrainItemEntryType> items = {MakeItem(80, 0, 0, 3000), MakeItem(76, 0, 0, 500)};
	items[1].parm[3] = 1;			// the robot's own car
	UseMapItems(items);
	InitBumperCars();
	ObjNode* robot = MakeRobotOnGround();
	ObjNode* car = Add(&items[1]);
	ASSERT_TRUE(car);
	EXPECT_TRUE(car->CType & CTYPE_TRIGGER);

	// Landing on its top seats him.
	EXPECT_FALSE(HandleTrigger(car, robot, SIDE_BOTTOM));
	EXPECT_EQ(GetPlayerBumperCar(), car);
	Frame();
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_BUMPERCAR);
	EXPECT_NEAR(robot->Coord.y, car->Coord.y + PLAYER_CAR_SEAT_HEIGHT, 0.5f);

	// Pushing forward drives the car (and him) along its heading, no faster than its limit.
	Stick(0, -1);
	float h = car->Rot.y;
	OGLPoint3D from = car->Coord;
	Run(3);
	Stick(0, 0);
	float moved = std::hypot(car->Coord.x - from.x, car->Coord.z - from.z);
	EXPECT_GT(moved, 500);
	EXPECT_LE(std::hypot(car->Delta.x, car->Delta.z), BUMPER_CAR_MAX_SPEED + 1);
	EXPECT_NEAR(car->Rot.y, h, 0.001f) << "no turning without sideways stick";
	EXPECT_NEAR(robot->Coord.x, car->Coord.x, 60);

	Press(NEED_JUMP);
	Frame();
	EXPECT_EQ(GetPlayerBumperCar(), nullptr);
	EXPECT_FALSE(car->Flag[0]);
	EXPECT_GT(robot->Coord.y, car->Coord.y + PLAYER_CAR_SEAT_HEIGHT);
	EXPECT_GT(robot->Delta.y, 1000) << "he jumps clear";
}

//
// The exit lift
//

TEST_F(ContraptionWorld, TheLiftStaysLockedUnderIceUntilTheFourthCrack)
{
	ObjNode* robot = MakeRobotOnGround();
	TerrainItemEntryType item = MakeItem(90, 0, 0, 600);
	ObjNode* lift = Add(&item);
	ASSERT_TRUE(lift);
	gLevel.exitCharge = 1;
	Run(0.5f);
	EXPECT_EQ(lift->Mode, EXIT_LIFT_LOCKED);
	float iceTop = BaseTerrainHeightAt(lift->Coord.x, lift->Coord.z) + 400;
	EXPECT_NEAR(robot->Coord.y + float(robot->BottomOff), iceTop, 2) << "walked in under it, he stands on the ice";

	EXPECT_FALSE(CrackExitIce(lift->Coord.x + 5000, lift->Coord.z)) << "a strike off the ice";
	for (int i = 1; i <= 3; i++)
	{
		EXPECT_TRUE(CrackExitIce(lift->Coord.x + 100 * float(i), lift->Coord.z));
		EXPECT_EQ(GetExitIceCracks(), i);
		Run(0.2f);
		EXPECT_EQ(lift->Mode, EXIT_LIFT_LOCKED);
		EXPECT_FALSE(IsExitIceBroken());
	}
	EXPECT_TRUE(CrackExitIce(lift->Coord.x, lift->Coord.z));
	EXPECT_TRUE(IsExitIceBroken());
	EXPECT_FALSE(CrackExitIce(lift->Coord.x, lift->Coord.z)) << "nothing left to crack";
	Frame();
	EXPECT_NE(lift->Mode, EXIT_LIFT_LOCKED);
}

TEST_F(ContraptionWorld, TheLidOpensOnlyForACharge)
{
	MakeRobotOnGround();
	StartWithExitIceBroken();
	TerrainItemEntryType item = MakeItem(90, 0, 0, 800);
	ObjNode* lift = Add(&item);
	ASSERT_TRUE(lift);
	ObjNode* lid = lift->ChainNode;
	ASSERT_TRUE(lid);
	float rest = lid->Coord.y;

	gLevel.exitCharge = 0.95f;
	Run(1);
	EXPECT_EQ(lift->Mode, EXIT_LIFT_SHUT);
	EXPECT_FLOAT_EQ(lid->Coord.y, rest);
	EXPECT_EQ(GetCurrentHelpType(), HELP_EXIT_NOT_CHARGED);

	gLevel.exitCharge = 1;
	Run(2);
	EXPECT_EQ(lift->Mode, EXIT_LIFT_OPEN);
	EXPECT_NEAR(lid->Coord.y, rest + EXIT_LIFT_LID_RISE, 0.5f);
}

TEST_F(ContraptionWorld, TheOpenLiftTakesTheRobotAndFliesOffEndingTheLevel)
{
	ObjNode* robot = MakeRobotOnGround();
	StartWithExitIceBroken();
	TerrainItemEntryType item = MakeItem(90, 0, 0, 200);
	ObjNode* lift = Add(&item);
	ASSERT_TRUE(lift);
	gLevel.exitCharge = 1;

	ASSERT_TRUE(RunUntil(10, [&] { return lift->Mode == EXIT_LIFT_TAKING_OFF; }));
	EXPECT_TRUE(robot->StatusBits & STATUS_BIT_HIDDEN);
	EXPECT_EQ(robot->CType, 0u) << "nothing touches him inside";
	EXPECT_FALSE(gLevel.done);
	float ground = lift->Coord.y;
	EXPECT_TRUE(RunUntil(30, [] { return gLevel.done; }));
	EXPECT_GT(lift->Coord.y - ground, EXIT_LIFT_DONE_HEIGHT - 200);
	EXPECT_NEAR(robot->Coord.x, lift->Coord.x, 1) << "he went with it";
	EXPECT_GT(robot->Coord.y, ground + 5000);
}

//
// Bubble pumps
//

namespace
{
	class BubbleWorld : public ContraptionWorld
	{
	protected:
		void SetUp() override
		{
			ContraptionWorld::SetUp();
			InitBubblePumps();
		}

		static std::vector<ObjNode*> Bubbles()
		{
			std::vector<ObjNode*> found;
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->Slot == 3098 && n->Type == LEVEL_MODEL_BUBBLE && n->MoveCall && n->CType != INVALID_NODE_FLAG)
					found.push_back(n);
			return found;
		}

		// A pump's bubble blown and drifted onto the robot: he floats in it.
		ObjNode* RobotInABubble(ObjNode* robot)
		{
			TerrainItemEntryType item = MakeItem(37, 0, 0, 900);
			pumpItem = item;
			ObjNode* pump = Add(&pumpItem);
			EXPECT_TRUE(pump && pump->ChainNode);
			gObjDelta = {0, -300, 0};
			HandleTrigger(pump->ChainNode, robot, SIDE_BOTTOM);
			std::vector<ObjNode*> blown = Bubbles();
			EXPECT_EQ(blown.size(), 1u);
			if (blown.empty())
				return nullptr;
			ObjNode* bubble = blown[0];
			// Let it swell, then put it by him.
			Run(1.6f);
			bubble->Coord = {robot->Coord.x + 50, robot->Coord.y + 60, robot->Coord.z};
			UpdateObjectTransforms(bubble);
			Frame();
			return bubble;
		}

		TerrainItemEntryType pumpItem = {};
	};
}

TEST_F(BubbleWorld, ALandingStartsAStrokeThatGoesDownStaysWhileHeldAndComesBack)
{
	ObjNode* robot = MakeRobotOnGround();
	TerrainItemEntryType item = MakeItem(37, 0, 0, 900);
	ObjNode* pump = Add(&item);
	ASSERT_TRUE(pump && pump->ChainNode);
	ObjNode* plunger = pump->ChainNode;
	float rest = plunger->Coord.y;
	EXPECT_EQ(Bubbles().size(), 0u);

	gObjDelta = {500, -300, 0};
	HandleTrigger(plunger, robot, SIDE_BOTTOM);
	EXPECT_FLOAT_EQ(gObjDelta.x, 100) << "the lander keeps a fifth of its speed";
	EXPECT_EQ(Bubbles().size(), 1u) << "a stroke from the top blows a bubble";

	// Held down: all the way (1 / 1.6 s), and it stays there.
	Run(1.0f, [&] { HandleTrigger(plunger, robot, SIDE_BOTTOM); });
	EXPECT_FLOAT_EQ(GetBubblePumpStroke(pump), 1);
	EXPECT_NEAR(plunger->Coord.y, rest - BUBBLE_PLUNGER_TRAVEL, 0.01f);
	EXPECT_EQ(Bubbles().size(), 1u) << "holding it down blows no more";

	// Let go: halfway back after a little over 0.31 s (the last press still
	// counts for the frame after it), the plunger then half its travel down.
	Run(0.3125f);
	EXPECT_NEAR(GetBubblePumpStroke(pump), 0.5f, 0.08f);
	EXPECT_NEAR(plunger->Coord.y, rest - BUBBLE_PLUNGER_TRAVEL / 2, 6);
	// Landing again while it is still in the lower half: a stroke, but no bubble.
	ASSERT_GT(GetBubblePumpStroke(pump), 0.5f);
	gObjDelta = {0, -300, 0};
	HandleTrigger(plunger, robot, SIDE_BOTTOM);
	EXPECT_EQ(Bubbles().size(), 1u);
	Run(2);
	EXPECT_FLOAT_EQ(GetBubblePumpStroke(pump), 0);
	EXPECT_NEAR(plunger->Coord.y, rest, 0.01f);
}

TEST_F(BubbleWorld, AFreeBubbleSwellsRisesAndPopsWhenItsTimeIsUp)
{
	MakeRobotOnGround();
	TerrainItemEntryType item = MakeItem(37, 0, 0, -3000);
	ObjNode* pump = Add(&item);
	ASSERT_TRUE(pump);
	gObjDelta = {0, -300, 0};
	HandleTrigger(pump->ChainNode, nullptr, SIDE_BOTTOM);
	ASSERT_EQ(Bubbles().size(), 1u);
	ObjNode* bubble = Bubbles()[0];
	float startY = bubble->Coord.y;
	Run(1);
	EXPECT_GT(bubble->Scale.y, 1.0f);
	EXPECT_GT(bubble->Coord.y, startY + 100);
	Run(BUBBLE_LIFETIME - 0.5f);
	EXPECT_EQ(Bubbles().size(), 0u) << "gone after its 15 s (and one settling on the plunger blew no other)";
}

TEST_F(BubbleWorld, TheRobotInABubbleFloatsUpAndAJumpPopsIt)
{
	ObjNode* robot = MakeRobotOnGround();
	ObjNode* bubble = RobotInABubble(robot);
	ASSERT_TRUE(bubble);
	EXPECT_EQ(GetPlayerBubble(), bubble);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_BUBBLE);
	Run(3);
	EXPECT_NEAR(FeetHeight(robot) - GroundUnder(robot), PLAYER_BUBBLE_HEIGHT, 40) << "floating at its height";
	EXPECT_NEAR(bubble->Coord.x, robot->Coord.x, 1) << "the bubble goes with him";

	Press(NEED_JUMP);
	Frame();
	EXPECT_EQ(GetPlayerBubble(), nullptr);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_FALL);
	EXPECT_EQ(Bubbles().size(), 0u);
	int droplets = 0;
	for (int32_t g = Pool_First(gParticleGroupPool); g >= 0; g = Pool_Next(gParticleGroupPool, g))
		if (gParticleGroups[g].particleTextureNum == PARTICLE_SPRITE_DROPLET)
			droplets += CountParticlesInGroup(int16_t(g));
	EXPECT_EQ(droplets, 50) << "the pop sprays its droplets";
}

TEST_F(BubbleWorld, AHitPopsTheBubbleInsteadOfHurtingTheRobot)
{
	ObjNode* robot = MakeRobotOnGround();
	ASSERT_TRUE(RobotInABubble(robot));
	float health = gRun.health;
	gPlayerLevel.invincibleTimer = 0;
	EXPECT_TRUE(PlayerGotHit(nullptr, 0.3f));
	EXPECT_FLOAT_EQ(gRun.health, health);
	EXPECT_EQ(GetPlayerBubble(), nullptr);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_FALL);
	EXPECT_FLOAT_EQ(gPlayerLevel.invincibleTimer, PLAYER_HIT_INVINCIBILITY);
}

TEST_F(BubbleWorld, ASpikePointPopsTheBubbleOnlyWhereTheLevelsSpikyThingsAreSpiky)
{
	ObjNode* robot = MakeRobotOnGround();
	ObjNode* bubble = RobotInABubble(robot);
	ASSERT_TRUE(bubble);
	Run(2);
	ASSERT_EQ(GetPlayerBubble(), bubble);
	// A spiky pod (its model not loaded here: a stand-in) whose spike along
	// +x ends 110 short of the floating robot, the others further off.
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = SPIKY_BALL_MODEL;
	const SpikePoint side = kSpikyBallPoints[1];
	ASSERT_GT(side.x, 0);
	def.coord = {robot->Coord.x - side.x - (SPIKE_POP_RANGE - 20), robot->Coord.y - side.y, robot->Coord.z - side.z};
	def.slot = 50;
	def.scale = 1;
	ObjNode* pod = MakeItemModelNode(&def, {{-1, 0, -1}, {1, 1, 1}, false});
	pod->CType = 0;				// nothing to touch: only its points count
	UpdateObjectTransforms(pod);
	Frame();
	EXPECT_EQ(GetPlayerBubble(), bubble) << "on the farm that model is no spiky thing";

	gCurrentLevel = LEVEL_NUM_BLOB;
	pod->Coord.x -= 40;			// out of reach of every point
	UpdateObjectTransforms(pod);
	Frame();
	EXPECT_EQ(GetPlayerBubble(), bubble) << "150 from the nearest point";
	pod->Coord.x += 40;
	UpdateObjectTransforms(pod);
	Frame();
	EXPECT_EQ(GetPlayerBubble(), nullptr) << "within 130 of a point it pops";
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_FALL);
}

//
// Boats and towing
//

TEST(TowLine, PullsTowardThePointBehindTheBoatAndPushesOutFromInsideIt)
{
	const OGLPoint2D boat = {1000, 1000};
	OGLVector2D v = TowPullVelocity(boat, {1000, 1000 + TOW_LINE_LENGTH}, 0);
	EXPECT_NEAR(v.x, 0, 1e-3);
	EXPECT_NEAR(v.y, 0, 1e-3) << "on the point: no pull";
	v = TowPullVelocity(boat, {1000, 1400}, 0);
	EXPECT_NEAR(v.y, -TOW_PULL * (400 - TOW_LINE_LENGTH), 1e-2) << "250 too far: pulled in at 1.5 × 250";
	EXPECT_NEAR(v.x, 0, 1e-3);
	v = TowPullVelocity(boat, {1000, 1100}, 0);
	EXPECT_NEAR(v.y, TOW_PULL * 50, 1e-2) << "too near: pushed back out";
	v = TowPullVelocity(boat, {1000, 9000}, 0);
	EXPECT_NEAR(v.y, -TOW_PULL * TOW_MAX_OFFSET, 1e-2) << "the distance counts at most 2000";
	// Steering turns the line: the pull leans off to the side.
	v = TowPullVelocity(boat, {1000, 1400}, 1);
	EXPECT_LT(v.y, 0);
	EXPECT_GT(std::fabs(v.x), 50);
	OGLVector2D w = TowPullVelocity(boat, {1000, 1400}, -1);
	EXPECT_NEAR(w.x, -v.x, 1e-2) << "the other way for the other hand";
}

namespace
{
	class BoatWorld : public ContraptionWorld
	{
	protected:
		void SetUp() override
		{
			ContraptionWorld::SetUp();
			InitBoats();
			// The farm's loops in world units; their own riders are not wanted.
			PrimeSplines();
			DeleteAllSplineObjects();
			ASSERT_GT(gNumSplines, 0);
		}

		void TearDown() override
		{
			DeleteAllSplineObjects();
			ContraptionWorld::TearDown();
		}

		ObjNode* MakeBoat(int number, float placement = 0)
		{
			items.push_back({});
			SplineItemType& item = items.back();
			item.placement = placement;
			item.type = 35;
			item.parm[0] = uint8_t(number);
			return PrimeMagnetMonster(0, &item) ? GetBoat(number) : nullptr;
		}

		// The robot on the shore of the boat's loop, the camera on him.
		ObjNode* RobotBy(ObjNode* boat, float dx, float dz)
		{
			ObjNode* robot = MakeRobotOnGround();
			robot->Coord = {boat->Coord.x + dx, 0, boat->Coord.z + dz};
			robot->Coord.y = TerrainHeightAt(robot->Coord.x, robot->Coord.z) - float(robot->BottomOff);
			UpdateObjectTransforms(robot);
			UpdateVisibleTerrain(robot->Coord.x, robot->Coord.z);
			gPlayerLevel.checkpointX = robot->Coord.x;
			gPlayerLevel.checkpointZ = robot->Coord.z;
			return robot;
		}

		// The robot takes hold of a handle for boat `number` at his feet.
		void GrabHandle(ObjNode* robot, int number)
		{
			MakePickup(POWERUP_TYPE_TOW_HANDLE, {robot->Coord.x + 60, robot->Coord.y, robot->Coord.z}, false, number);
			Press(NEED_PUNCH);
			Frame();
			EXPECT_EQ(Anim(robot), PLAYER_ANIM_CARRY);
			Run(TOW_GRAB_TIME + 0.1f);
		}

		void Frame()
		{
			PlayerWorld::Frame();
			MoveSplineObjects();
		}
		void Run(float seconds)
		{
			for (int i = 0; i < int(std::lround(seconds / FRAME)); i++)
				Frame();
		}
		bool RunUntil(float maxSeconds, const std::function<bool()>& done)
		{
			for (int i = 0; i < int(maxSeconds / FRAME); i++)
			{
				Frame();
				if (done())
					return true;
			}
			return false;
		}

		std::deque<SplineItemType> items;
	};
}

TEST_F(BoatWorld, BoatNumbersPastTheLastOrTakenAreRefusedAndAHandleWithoutABoatIsDropped)
{
	EXPECT_EQ(MakeBoat(MAX_BOATS), nullptr);
	ASSERT_NE(MakeBoat(2), nullptr);
	EXPECT_EQ(MakeBoat(2, 0.5f), nullptr) << "one boat per number";
	EXPECT_EQ(gNumSplineObjects, 1);
	EXPECT_FALSE(StartBoat(3));
	EXPECT_FALSE(StartBoat(MAX_BOATS));

	ObjNode* robot = RobotBy(GetBoat(2), 2000, 0);
	GrabHandle(robot, 4);
	EXPECT_EQ(GetHeldTowHandle(), nullptr);
	EXPECT_NE(Anim(robot), PLAYER_ANIM_CARRY) << "nothing tows him";
	EXPECT_EQ(GetBoat(2)->Mode, BOAT_WAITING);
}

TEST_F(BoatWorld, AStartedBoatSpeedsUpRunsOneLapAndWaitsAtItsPlacementAgain)
{
	ObjNode* boat = MakeBoat(0, 0.25f);
	ASSERT_TRUE(boat);
	RobotBy(boat, 3000, 0);
	Run(1);
	EXPECT_FLOAT_EQ(boat->SplinePlacement, 0.25f) << "it waits for its handle";
	ASSERT_TRUE(StartBoat(0));
	Run(1);
	EXPECT_NEAR(boat->SpecialF[0], BOAT_ACCELERATION, 10);
	Run(1.5f);
	EXPECT_FLOAT_EQ(boat->SpecialF[0], BOAT_TOP_SPEED);
	EXPECT_NE(boat->SplinePlacement, 0.25f);
	float surface;
	float under = GetWaterY(boat->Coord.x, boat->Coord.z, &surface) ? surface : TerrainHeightAtNoHoles(boat->Coord.x, boat->Coord.z);
	EXPECT_NEAR(boat->Coord.y, under + BOAT_WATER_LIFT, 1);

	// A lap of the loop's points at up to 460 a second.
	const float lap = float(gSplineList[0].numPoints) / BOAT_TOP_SPEED + 2;
	EXPECT_TRUE(RunUntil(lap, [&] { return boat->Mode == BOAT_WAITING; }));
	EXPECT_FLOAT_EQ(boat->SplinePlacement, 0.25f);
	EXPECT_FLOAT_EQ(boat->SpecialF[0], 0);
}

TEST_F(BoatWorld, TheHandleStartsItsBoatWhichTowsTheRobotUntilAJumpLetsGo)
{
	ObjNode* boat = MakeBoat(1);
	ASSERT_TRUE(boat);
	ObjNode* robot = RobotBy(boat, 600, 0);
	const OGLPoint3D start = robot->Coord;
	GrabHandle(robot, 1);
	ASSERT_NE(GetHeldTowHandle(), nullptr);
	EXPECT_EQ(GetTowingBoat(), boat);
	EXPECT_EQ(boat->Mode, BOAT_RUNNING);
	Run(2);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_CARRY);
	// He trails where the line's pull (1.5 a unit past its end) matches the
	// boat's speed: never left more than the longest pull behind.
	float d = std::hypot(robot->Coord.x - boat->Coord.x, robot->Coord.z - boat->Coord.z);
	EXPECT_LT(d, TOW_LINE_LENGTH + TOW_MAX_OFFSET);
	EXPECT_GT(d, TOW_LINE_LENGTH);
	EXPECT_GT(std::hypot(robot->Coord.x - start.x, robot->Coord.z - start.z), 1500) << "he went along";
	EXPECT_GT(HorizontalSpeed(robot), PLAYER_BASE_MAX_SPEED) << "as fast as the boat, past his own limit";

	Press(NEED_JUMP);
	Frame();
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_JUMP);
	EXPECT_GT(robot->Delta.y, TOW_LET_GO_SPEED - 200);
	Frame();
	EXPECT_EQ(GetHeldTowHandle(), nullptr);
	EXPECT_EQ(boat->Mode, BOAT_RUNNING) << "the boat runs out its lap";
}

TEST_F(BoatWorld, HittingSomethingFastOnTheLineBlowsTheRobotUpAndTheBoatStartsOverOnceHeIsBack)
{
	ObjNode* boat = MakeBoat(0);
	ASSERT_TRUE(boat);
	ObjNode* robot = RobotBy(boat, 1500, 0);
	GrabHandle(robot, 0);
	ASSERT_NE(GetHeldTowHandle(), nullptr);
	// A solid block across his way in toward the boat.
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = 9;
	def.coord = {(robot->Coord.x + boat->Coord.x) / 2, robot->Coord.y - 100, (robot->Coord.z + boat->Coord.z) / 2};
	def.slot = 50;
	def.scale = 1;
	ObjNode* block = MakeItemModelNode(&def, {{-150, 0, -400}, {150, 600, 400}, false});
	block->CType = CTYPE_MISC;
	block->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(block, 1, 1);
	KeepOldCollisionBoxes(block);
	EXPECT_TRUE(RunUntil(2, [] { return gPlayerLevel.isDead; }));
	EXPECT_EQ(GetHeldTowHandle(), nullptr);
	EXPECT_EQ(boat->Mode, BOAT_RUNNING) << "it runs on while he is dead";
	DeleteObject(block);
	// The shutters close, a life goes, he is back: the boat waits at its start again.
	EXPECT_TRUE(RunUntil(8, [] { return !gPlayerLevel.isDead; }));
	Frame();
	EXPECT_EQ(boat->Mode, BOAT_WAITING);
	EXPECT_FLOAT_EQ(boat->SplinePlacement, 0);
}
