// Humans on the farm terrain with the robot: counting a level's humans,
// rescue by touch, capsules that only shots break, people huts, and the
// saucer level's beamed and delivered humans.
#include "PlayerTestSupport.h"
#include "System/Level.h"
#include "System/Strings.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Items/Humans.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/Random.h"
#include "Terrain/TerrainFormat.h"

#include <vector>

using namespace PlayerTestSupport;

namespace
{
	class HumanWorld : public PlayerWorld
	{
	protected:
		void SetUp() override
		{
			PlayerWorld::SetUp();
			UpdateVisibleTerrain(gPlayerStartX, gPlayerStartZ);		// humans out of range are removed
			InitSparkleStore();
			InitShardSystem();
			ClearHelpMessage();
			ResetHelpMessageSwitches();
			InitHumans();
		}

		void TearDown() override
		{
			PlayerWorld::TearDown();
			DisposeShardSystem();
			DisposeSparkles();
			ClearTriggerHandlers();
			gCurrentLevel = LEVEL_NUM_FARM;
		}

		// An item of `type` at the start, placed as the supertile wake does.
		TerrainItemEntryType MakeItem(uint16_t type, uint8_t p0, uint8_t p3 = 0)
		{
			TerrainItemEntryType item = {};
			item.x = uint32_t(gPlayerStartX);
			item.z = uint32_t(gPlayerStartZ);
			item.type = type;
			item.parm[0] = p0;
			item.parm[3] = p3;
			return item;
		}

		ObjNode* AddFromItem(TerrainItemEntryType* item)
		{
			EXPECT_TRUE(kItemAddRoutines[item->type].add(item, float(item->x), float(item->z)));
			item->flags |= ITEM_FLAG_INUSE;
			return gLastCreatedNode;
		}

		static ObjNode* FindHumanOfItem(const TerrainItemEntryType* item)
		{
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->Skeleton && n->TerrainItemPtr == item)
					return n;
			return nullptr;
		}

		// The robot steps onto the human's spot: its next collision pass touches it.
		static void PutRobotOn(ObjNode* robot, const ObjNode* human)
		{
			robot->Coord.x = human->Coord.x;
			robot->Coord.z = human->Coord.z;
			UpdateObjectTransforms(robot);
			CalcObjectBoxFromNode(robot);
			KeepOldCollisionBoxes(robot);
		}

		static int CountFreeHumans()
		{
			int n = 0;
			for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
				n += IsHumanRescuable(node);
			return n;
		}
	};
}

TEST_F(HumanWorld, ARescuedHumanCountsOnceAndItsItemNeverBringsItBack)
{
	ObjNode* robot = MakeRobotOnGround();
	TerrainItemEntryType item = MakeItem(ITEM_TYPE_HUMAN, HUMAN_TYPE_BEEWOMAN);
	item.x += 500;
	AddFromItem(&item);
	ObjNode* human = FindHumanOfItem(&item);
	ASSERT_NE(human, nullptr);
	EXPECT_TRUE(IsHumanRescuable(human));
	ObjNodeRef ref(human);
	Run(0.5f);
	ASSERT_TRUE(ref.IsAlive());
	EXPECT_EQ(gLevel.humansRescuedTotal, 0);

	PutRobotOn(robot, human);
	Run(0.2f);
	EXPECT_EQ(gLevel.humansRescuedTotal, 1);
	EXPECT_EQ(gLevel.humansRescued[HUMAN_TYPE_BEEWOMAN], 1);
	EXPECT_EQ(gLevel.humansRescued[HUMAN_TYPE_FARMER], 0);
	EXPECT_FALSE(IsHumanRescuable(human));
	EXPECT_EQ(GetCurrentHelpType(), HELP_RESCUE_HUMANS);

	// Touching it again while it fades counts nothing more; then it is gone
	// and its item stays taken, so its supertile never makes it again.
	PutRobotOn(robot, human);
	EXPECT_TRUE(RunUntil(3, [&] { return !ref.IsAlive(); })) << "the teleport fades it out";
	EXPECT_EQ(gLevel.humansRescuedTotal, 1);
	EXPECT_TRUE(item.flags & ITEM_FLAG_INUSE);

	// A human that merely leaves the active area is given back to its item.
	TerrainItemEntryType other = MakeItem(ITEM_TYPE_HUMAN_TYPE2, 0);
	other.x += 1000;
	AddFromItem(&other);
	ObjNode* left = FindHumanOfItem(&other);
	ASSERT_NE(left, nullptr);
	EXPECT_EQ(left->SubKind, HUMAN_TYPE_SCIENTIST);
	DeleteObject(left);
	EXPECT_FALSE(other.flags & ITEM_FLAG_INUSE);
}

TEST_F(HumanWorld, ACapturedHumanIsFreedByShotsButNotByTouchOrPunch)
{
	ObjNode* robot = MakeRobotOnGround();
	const int breakers[] = {WEAPON_STUNGUN, WEAPON_ARCSHOT, WEAPON_FLARE, WEAPON_NOVA};
	for (int weapon : breakers)
	{
		SCOPED_TRACE("weapon " + std::to_string(weapon));
		TerrainItemEntryType item = MakeItem(ITEM_TYPE_HUMAN, HUMAN_TYPE_FARMER, 1);
		item.x += 500;
		AddFromItem(&item);
		ObjNode* human = FindHumanOfItem(&item);
		ASSERT_NE(human, nullptr);
		ObjNode* capsule = human->ChainNode;
		ASSERT_NE(capsule, nullptr);
		EXPECT_FALSE(IsHumanRescuable(human));
		EXPECT_EQ(capsule->HitByWeaponHandler[WEAPON_FIST], nullptr) << "a punch does not open it";
		EXPECT_EQ(capsule->HitByWeaponHandler[WEAPON_FREEZEGUN], nullptr);

		const int rescuedBefore = gLevel.humansRescuedTotal;
		PutRobotOn(robot, human);
		Run(0.3f);
		EXPECT_EQ(gLevel.humansRescuedTotal, rescuedBefore) << "the glass keeps the robot off";

		ASSERT_NE(capsule->HitByWeaponHandler[weapon], nullptr);
		EXPECT_TRUE(capsule->HitByWeaponHandler[weapon](nullptr, capsule, &capsule->Coord, nullptr, 1));
		EXPECT_EQ(human->ChainNode, nullptr) << "the capsule is gone";
		EXPECT_TRUE(IsHumanRescuable(human));
		PutRobotOn(robot, human);
		Run(0.2f);
		EXPECT_EQ(gLevel.humansRescuedTotal, rescuedBefore + 1);
		Run(2);
	}
}

TEST_F(HumanWorld, TheLevelCountsItemsHutOccupantsAndSplineRiders)
{
	// Seven records of which the grouping kept six: the dropped last one
	// (a human) must not be counted.
	std::vector<TerrainItemEntryType> items = {
		MakeItem(ITEM_TYPE_HUMAN, 0), MakeItem(ITEM_TYPE_HUMAN_TYPE2, 0), MakeItem(ITEM_TYPE_PEOPLE_HUT, 3),
		MakeItem(ITEM_TYPE_PEOPLE_HUT, 0), MakeItem(ITEM_TYPE_PEOPLE_HUT, 0), MakeItem(5, 0), MakeItem(ITEM_TYPE_HUMAN, 0),
	};
	SplineItemType riders[3] = {};
	riders[0].type = ITEM_TYPE_HUMAN;
	riders[1].type = 7;
	riders[2].type = ITEM_TYPE_HUMAN_TYPE2;
	SplineItemType* riderList = riders;
	SplineRecord spline = {};
	spline.numItems = 3;
	spline.itemList = &riderList;

	TerrainItemEntryType* savedItems = gTerrainItemList;
	int32_t savedNumItems = gNumTerrainItems;
	SplineRecord* savedSplines = gSplineList;
	int32_t savedNumSplines = gNumSplines;
	gTerrainItemList = items.data();
	gNumTerrainItems = 6;
	gSplineList = &spline;
	gNumSplines = 1;

	SetRandomSeed(7);
	InitHumans();
	int hutHumans = 0;
	for (int i = 3; i <= 4; i++)
	{
		EXPECT_GE(items[i].parm[0], 1);
		EXPECT_LE(items[i].parm[0], 8);
		hutHumans += items[i].parm[0];
	}
	EXPECT_EQ(gLevel.humansInLevel, 2 + 3 + hutHumans + 2);

	// Counting again keeps the numbers written back.
	InitHumans();
	EXPECT_EQ(gLevel.humansInLevel, 2 + 3 + hutHumans + 2);

	gTerrainItemList = savedItems;
	gNumTerrainItems = savedNumItems;
	gSplineList = savedSplines;
	gNumSplines = savedNumSplines;

	// Smashing a hut lets its humans out, walking, and it never comes back.
	TerrainItemEntryType hut = items[3];
	hut.flags = 0;
	ObjNode* hutNode = AddFromItem(&hut);
	ASSERT_NE(hutNode->HitByWeaponHandler[WEAPON_HURT], nullptr);
	const int freeBefore = CountFreeHumans();
	EXPECT_TRUE(hutNode->HitByWeaponHandler[WEAPON_HURT](nullptr, hutNode, nullptr, nullptr, 1));
	EXPECT_EQ(CountFreeHumans() - freeBefore, hut.parm[0]);
	EXPECT_TRUE(hut.flags & ITEM_FLAG_INUSE);
}

TEST_F(HumanWorld, TwentyDeliveredHumansFillTheExitChargeAndMoreKeepItFull)
{
	gCurrentLevel = LEVEL_NUM_SAUCER;
	InitHumans();
	EXPECT_FLOAT_EQ(gLevel.humanScale, 0.5f);
	gLevel.exitCharge = 0;
	const OGLPoint3D dropZone = {gPlayerStartX, 0, gPlayerStartZ};
	std::vector<ObjNodeRef> walking;
	LoadLocalizedStrings(0);
	for (int i = 0; i < 20; i++)
	{
		float a = float(i) * PI2 / 20;
		const float away = i == 0 ? 250.0f : 600.0f;		// the first arrives alone
		OGLPoint3D from = {dropZone.x + away * std::sin(a), TerrainHeightAt(dropZone.x, dropZone.z) + 400,
				dropZone.z + away * std::cos(a)};
		walking.emplace_back(MakeDeliveredHuman(i % NUM_HUMAN_TYPES, from, dropZone));
	}
	int helpAtFirst = -1;
	auto allDelivered = [&] {
		if (gLevel.humansRescuedTotal == 1)
			helpAtFirst = GetCurrentHelpType();
		for (const ObjNodeRef& r : walking)
			if (r.IsAlive())
				return false;
		return true;
	};
	ASSERT_TRUE(RunUntil(40, allDelivered)) << "every human walks into the drop zone";
	EXPECT_NEAR(gLevel.exitCharge, 1.0f, 1e-4f);
	EXPECT_EQ(gLevel.humansRescuedTotal, 20);
	EXPECT_EQ(gLevel.humansRescued[HUMAN_TYPE_SKIRTLADY], 5);
	// The first delivery explains the goal; each later one is counted.
	EXPECT_EQ(helpAtFirst, HELP_FIRST_DELIVERY);
	EXPECT_EQ(GetCurrentHelpType(), HELP_NOTICE);
	EXPECT_STREQ(GetHelpMessageText(), "Humans delivered: 20 of 20");

	const OGLPoint3D from = {dropZone.x + 300, TerrainHeightAt(dropZone.x + 300, dropZone.z) + 400, dropZone.z};
	ObjNodeRef last(MakeDeliveredHuman(HUMAN_TYPE_FARMER, from, dropZone));
	ASSERT_TRUE(RunUntil(20, [&] { return !last.IsAlive(); }));
	EXPECT_EQ(gLevel.exitCharge, 1.0f);
	EXPECT_EQ(gLevel.humansRescuedTotal, 21);
	EXPECT_STREQ(GetHelpMessageText(), "Humans delivered: 21 of 20");
	DisposeLocalizedStrings();
}

TEST_F(HumanWorld, ABeamedHumanRisesIntoTheSaucerAndIsNotCountedAsRescued)
{
	gCurrentLevel = LEVEL_NUM_SAUCER;
	InitHumans();
	TerrainItemEntryType item = MakeItem(ITEM_TYPE_HUMAN, HUMAN_TYPE_SKIRTLADY);
	AddFromItem(&item);
	ObjNode* human = FindHumanOfItem(&item);
	ASSERT_NE(human, nullptr);
	Run(0.5f);

	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.coord = {human->Coord.x, human->Coord.y + 400, human->Coord.z};
	def.slot = PLAYER_SLOT;
	def.scale = 1;
	gPlayerNode = MakeNewObject(&def);

	ObjNodeRef ref(human);
	ASSERT_NE(human->HitByWeaponHandler[WEAPON_SAUCERBEAM], nullptr);
	EXPECT_TRUE(human->HitByWeaponHandler[WEAPON_SAUCERBEAM](nullptr, human, nullptr, nullptr, 0));
	EXPECT_FALSE(human->HitByWeaponHandler[WEAPON_SAUCERBEAM](nullptr, human, nullptr, nullptr, 0))
			<< "already in the beam";
	EXPECT_EQ(gLevel.humansBeamingUp, 1);
	EXPECT_FALSE(IsHumanRescuable(human));
	const float startY = human->Coord.y;
	Run(1);
	ASSERT_TRUE(ref.IsAlive());
	EXPECT_NEAR(human->Coord.y - startY, 130, 10) << "it rises at 130 a second";
	EXPECT_TRUE(RunUntil(4, [&] { return !ref.IsAlive(); })) << "taken aboard near the saucer";
	EXPECT_EQ(gLevel.humansBeamingUp, 0);
	EXPECT_EQ(gLevel.humansRescuedTotal, 0) << "beamed is not yet delivered";
	EXPECT_TRUE(item.flags & ITEM_FLAG_INUSE) << "its item does not bring it back";
}
