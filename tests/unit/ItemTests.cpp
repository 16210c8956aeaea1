// Atoms, power-up pods, pick-ups and checkpoints on the farm, driven without
// a window: the items are made from hand-built map items at the start.
#include "PlayerTestSupport.h"
#include "Player/Player.h"
#include "System/Level.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Items/Powerups.h"
#include "Items/TouchItems.h"
#include "Player/Weapons.h"
#include "Screens/Infobar.h"
#include "System/Error.h"
#include "Terrain/TerrainFile.h"

#include <vector>

using namespace PlayerTestSupport;

namespace
{
	class ItemWorld : public PlayerWorld
	{
	protected:
		void SetUp() override
		{
			PlayerWorld::SetUp();
			// The farm's own atoms, pods and posts stay asleep: these tests
			// count the ones they make.
			for (int i = 0; i < gNumTerrainItems; i++)
				if (gTerrainItemList[i].type == 5 || gTerrainItemList[i].type == 6 || gTerrainItemList[i].type == 27)
					gTerrainItemList[i].flags |= ITEM_FLAG_INUSE;
			UpdateVisibleTerrain(gPlayerStartX, gPlayerStartZ);
			InitSparkleStore();
			InitShardSystem();
			ClearHelpMessage();
			ResetHelpMessageSwitches();
			InitWeaponInventory();
			InitPowerupPods();
			InitTouchItems();
		}

		void TearDown() override
		{
			PlayerWorld::TearDown();
			DisposeShardSystem();
			DisposeSparkles();
			ClearTriggerHandlers();
		}

		TerrainItemEntryType MakeItem(uint16_t type, uint8_t p0, uint8_t p1 = 0, uint16_t flags = 0, float dx = 0)
		{
			TerrainItemEntryType item = {};
			item.x = uint32_t(gPlayerStartX + dx);
			item.z = uint32_t(gPlayerStartZ);
			item.type = type;
			item.parm[0] = p0;
			item.parm[1] = p1;
			item.flags = flags;
			return item;
		}

		ObjNode* AddFromItem(TerrainItemEntryType* item)
		{
			EXPECT_TRUE(kItemAddRoutines[item->type].add(item, float(item->x), float(item->z)));
			return FindNodeOfItem(item);
		}

		static ObjNode* FindNodeOfItem(const TerrainItemEntryType* item)
		{
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->TerrainItemPtr == item && n->CType != INVALID_NODE_FLAG)
					return n;
			return nullptr;
		}

		static std::vector<ObjNode*> NodesMovedBy(ObjNodeRoutine routine)
		{
			std::vector<ObjNode*> found;
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->MoveCall == routine && n->CType != INVALID_NODE_FLAG)
					found.push_back(n);
			return found;
		}

		static int CountShown(const std::vector<ObjNode*>& nodes)
		{
			int n = 0;
			for (const ObjNode* node : nodes)
				n += !(node->StatusBits & STATUS_BIT_HIDDEN);
			return n;
		}
	};
}

TEST_F(ItemWorld, ReachingCheckpointThreeThenTwoLightsBothButKeepsThreesRespawn)
{
	ObjNode* robot = MakeRobotOnGround();
	gPlayerLevel.checkpointNum = -1;
	TerrainItemEntryType three = MakeItem(27, 3, 2, 0, 300);
	TerrainItemEntryType two = MakeItem(27, 2, 0, 0, -300);
	ObjNode* post3 = AddFromItem(&three);
	ObjNode* post2 = AddFromItem(&two);
	ASSERT_TRUE(post3 && post2);

	robot->Coord.x = post3->Coord.x + 40;
	EXPECT_TRUE(HandleTrigger(post3, robot, SIDE_FRONT));		// solid
	robot->Coord.x = post2->Coord.x - 40;
	HandleTrigger(post2, robot, SIDE_FRONT);

	EXPECT_EQ(gPlayerLevel.checkpointNum, 3);
	EXPECT_FLOAT_EQ(gPlayerLevel.checkpointX, post3->Coord.x + 40);
	EXPECT_FLOAT_EQ(gPlayerLevel.checkpointRot, 2 * PI / 4);
	EXPECT_EQ(post2->CType, uint32_t(CTYPE_MISC));		// lit: no longer a trigger
	EXPECT_EQ(post3->CType, uint32_t(CTYPE_MISC));

	// Made again after the respawn, post 2 stands lit and does not trigger.
	TerrainItemEntryType twoAgain = MakeItem(27, 2);
	ObjNode* again = AddFromItem(&twoAgain);
	EXPECT_FALSE(again->CType & CTYPE_TRIGGER);
}

TEST_F(ItemWorld, APodOfFiveRegeneratingHealthAtomsGivesThemBackByThresholdAndOutOfView)
{
	MakeRobotOnGround();
	TerrainItemEntryType item = MakeItem(6, POWERUP_TYPE_HEALTH_ATOMS, 5, 0, 200);
	item.parm[3] = POWERUP_OPTION_REGENERATES;		// not the flags: their bit 0 is the in-use mark
	ObjNode* pod = AddFromItem(&item);
	ASSERT_TRUE(pod);
	PowerupPodGotPunched(nullptr, pod, &pod->Coord, nullptr, 0);
	EXPECT_EQ(pod->CType, INVALID_NODE_FLAG);
	EXPECT_EQ(FindNodeOfItem(&item), nullptr);

	std::vector<ObjNode*> atoms = NodesMovedBy(MoveAtom);
	ASSERT_EQ(atoms.size(), 5u);
	gRun.health = 0.5f;
	for (ObjNode* atom : atoms)
		CollectAtom(atom);
	EXPECT_FLOAT_EQ(gRun.health, 1.0f);
	EXPECT_EQ(CountShown(atoms), 0);

	auto runAtoms = [&](bool inView) {
		for (ObjNode* atom : atoms)
		{
			if (inView)
				atom->StatusBits &= ~STATUS_BIT_ISCULLED;
			else
				atom->StatusBits |= STATUS_BIT_ISCULLED;
			MoveAtom(atom);
		}
	};
	gRun.health = 0.25f;
	runAtoms(false);
	EXPECT_EQ(CountShown(atoms), 2);			// thresholds 0.3 and 0.4
	gRun.health = 0.2f;
	runAtoms(true);
	EXPECT_EQ(CountShown(atoms), 2);			// the 0.2 atom waits while its spot is seen
	runAtoms(false);
	EXPECT_EQ(CountShown(atoms), 3);
}

TEST_F(ItemWorld, EachAtomColourTopsUpItsOwnValueCappedAtOne)
{
	MakeRobotOnGround();
	gRun.health = 0.95f;
	gRun.fuel = 0.3f;
	gLevel.exitCharge = 0.98f;
	CollectAtom(MakeAtom(gPlayerStartX, 0, gPlayerStartZ, ATOM_COLOR_HEALTH));
	CollectAtom(MakeAtom(gPlayerStartX, 0, gPlayerStartZ, ATOM_COLOR_FUEL));
	CollectAtom(MakeAtom(gPlayerStartX, 0, gPlayerStartZ, ATOM_COLOR_EXIT_CHARGE));
	EXPECT_FLOAT_EQ(gRun.health, 1.0f);
	EXPECT_FLOAT_EQ(gRun.fuel, 0.4f);
	EXPECT_FLOAT_EQ(gLevel.exitCharge, 1.0f);
	EXPECT_TRUE(NodesMovedBy(MoveAtom).empty());		// not regenerating: gone
}

TEST_F(ItemWorld, SpillsAreCappedPerColourAndOnlyHealthAndFuelGetThresholds)
{
	MakeRobotOnGround();
	OGLPoint3D where = {gPlayerStartX, 500, gPlayerStartZ};
	SpawnAtoms(where, 255, 0, 3, false);
	std::vector<ObjNode*> atoms = NodesMovedBy(MoveAtom);
	int health = 0, charge = 0;
	for (ObjNode* atom : atoms)
	{
		(atom->Type == ATOM_COLOR_HEALTH ? health : charge)++;
		EXPECT_GT(atom->Delta.y, 0);
	}
	EXPECT_EQ(health, MAX_ATOMS_PER_SPILL);
	EXPECT_EQ(charge, 3);
}

TEST_F(ItemWorld, AGroundPodOpensOnWalkInOnlyWhileTheRobotIsGiant)
{
	ObjNode* robot = MakeRobotOnGround();
	TerrainItemEntryType item = MakeItem(6, POWERUP_TYPE_STUNGUN, 0, 0, 200);
	ObjNode* pod = AddFromItem(&item);
	ASSERT_TRUE(pod);

	gPlayerLevel.scale = 1;
	EXPECT_TRUE(HandleTrigger(pod, robot, SIDE_FRONT));
	EXPECT_NE(pod->CType, INVALID_NODE_FLAG);
	EXPECT_TRUE(NodesMovedBy(MovePickup).empty());

	gPlayerLevel.scale = 2;
	HandleTrigger(pod, robot, SIDE_FRONT);
	EXPECT_EQ(pod->CType, INVALID_NODE_FLAG);
	std::vector<ObjNode*> pickups = NodesMovedBy(MovePickup);
	ASSERT_EQ(pickups.size(), 1u);
	EXPECT_EQ(pickups[0]->SubKind, POWERUP_TYPE_STUNGUN);
}

TEST_F(ItemWorld, GrabbingARegeneratingStunGunAddsTwentyDrawsItAndHidesThePickup)
{
	MakeRobotOnGround();
	OGLPoint3D where = {gPlayerStartX, 0, gPlayerStartZ};
	ObjNode* pickup = MakePickup(POWERUP_TYPE_STUNGUN, where, true, 0);
	FinishGrab(pickup);
	int slot = FindWeaponSlot(WEAPON_STUNGUN);
	ASSERT_GE(slot, 0);
	EXPECT_EQ(gRun.weapons[slot].quantity, 20);
	EXPECT_EQ(gRun.currentWeapon, WEAPON_STUNGUN);
	EXPECT_TRUE(pickup->StatusBits & STATUS_BIT_HIDDEN);
	EXPECT_FALSE(pickup->CType & CTYPE_PICKUP);

	// It stays away while the robot has ammunition, even out of view.
	pickup->StatusBits |= STATUS_BIT_ISCULLED;
	MovePickup(pickup);
	EXPECT_TRUE(pickup->StatusBits & STATUS_BIT_HIDDEN);
	InitWeaponInventory();					// a new level empties the inventory
	MovePickup(pickup);
	EXPECT_FALSE(pickup->StatusBits & STATUS_BIT_HIDDEN);
	EXPECT_TRUE(pickup->CType & CTYPE_PICKUP);
}

TEST_F(ItemWorld, TheGrowthPodReleasesItsVialOnlyOnTheLevelThatAllowsIt)
{
	MakeRobotOnGround();
	TerrainItemEntryType item = MakeItem(6, POWERUP_TYPE_GROWTH, 0, 0, 200);
	ObjNode* pod = AddFromItem(&item);
	ASSERT_TRUE(pod);
	ASSERT_FALSE(CurrentLevelHasRule(LEVEL_RULE_GROWTH_PICKUPS));
	EXPECT_THROW(PowerupPodGotPunched(nullptr, pod, &pod->Coord, nullptr, 0), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "PowerupPodGotPunched: growth POW only on jungle!");
	gFatalErrorRaised = false;

	gCurrentLevel = LEVEL_NUM_JUNGLE;
	ObjNode* pod2 = AddFromItem(&item);
	PowerupPodGotPunched(nullptr, pod2, &pod2->Coord, nullptr, 0);
	std::vector<ObjNode*> pickups = NodesMovedBy(MovePickup);
	ASSERT_EQ(pickups.size(), 1u);
	EXPECT_EQ(pickups[0]->Kind, POWERUP_TYPE_GROWTH);
}

TEST_F(ItemWorld, BadPodParametersStopWithAMessageNamingThePod)
{
	TerrainItemEntryType unknown = MakeItem(6, 12);
	EXPECT_THROW(MakePowerupBalloon(&unknown, float(unknown.x), float(unknown.z)), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("unknown powerup ID 12"), std::string::npos) << gLastFatalMessage;
	TerrainItemEntryType balloon = MakeItem(6, POWERUP_TYPE_NOVA, 0, ITEM_FLAG_POD_ON_BALLOON);
	EXPECT_THROW(MakePowerupBalloon(&balloon, float(balloon.x), float(balloon.z)), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "MakePowerupBalloon: not cloud level");
	gFatalErrorRaised = false;
}

TEST_F(ItemWorld, ABouncePadThrowsALanderUpAndASideBumperAway)
{
	ObjNode* robot = MakeRobotOnGround();
	TerrainItemEntryType item = MakeItem(31, 0, 0, 0, 400);
	ObjNode* pad = AddFromItem(&item);
	ASSERT_TRUE(pad);

	gObjDelta = {100, -900, 0};
	EXPECT_FALSE(HandleTrigger(pad, robot, SIDE_BOTTOM)) << "not solid";
	EXPECT_FLOAT_EQ(gObjDelta.y, BOUNCE_PAD_LANDING_SPEED);
	EXPECT_FLOAT_EQ(gObjDelta.x, 100);

	// From the pad's -x side: thrown toward -x, at the full bump speed.
	robot->Coord = {pad->Coord.x - 150, pad->Coord.y, pad->Coord.z};
	CalcObjectBoxFromNode(robot);
	gObjDelta = {500, 0, 0};
	HandleTrigger(pad, robot, SIDE_RIGHT);
	EXPECT_LT(gObjDelta.x, 0);
	EXPECT_GE(gObjDelta.y, 0);
	EXPECT_NEAR(std::sqrt(gObjDelta.x * gObjDelta.x + gObjDelta.y * gObjDelta.y + gObjDelta.z * gObjDelta.z),
			BOUNCE_PAD_BUMP_SPEED, 1);
}
