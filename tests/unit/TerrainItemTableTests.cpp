// The item-type table as the supertile window uses it: rows that make
// nothing leave their items free to be asked again, built rows make nodes
// that hold their items, and a type past the table stops the game.
#include "TerrainTestSupport.h"
#include "System/Error.h"
#include "System/Objects.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace TerrainTestSupport;
using namespace TerrainBake;

namespace
{
	struct ItemTable : TerrainTest
	{
		void SetUp() override
		{
			TerrainTest::SetUp();
			InitObjectManager();
		}
		void TearDown() override
		{
			DeleteAllObjects();
			TerrainTest::TearDown();
		}

		// A flat 20 × 20 supertile level with `types` in a row along z = 18000,
		// one supertile apart from x = 900, and the start beside them.
		void LoadRow(const std::vector<int>& types)
		{
			TerrainFileContent c = SimpleContent(20, 20, [](float, float) { return 0.0f; });
			c.items.clear();
			c.items.push_back(Item(0, 100, 18000));
			for (size_t i = 0; i < types.size(); i++)
				c.items.push_back(Item(types[i], float(i % 20) * 1800 + 900, 18000));
			terrain = FromContent(c);
			LoadFromMemory(terrain);
		}

		const TerrainItemEntryType* FindItem(int type) const
		{
			for (int32_t i = 0; i < gNumTerrainItems; i++)
				if (gTerrainItemList[i].type == type)
					return &gTerrainItemList[i];
			return nullptr;
		}

		static int NodesHolding(const TerrainItemEntryType* item)
		{
			int n = 0;
			for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
				n += node->TerrainItemPtr == item;
			return n;
		}

		MemoryTerrain terrain;
	};
}

TEST(ItemTableRows, EveryTypeHasItsOwnName)
{
	std::set<std::string> names;
	for (const TerrainItemKind& kind : kItemAddRoutines)
	{
		ASSERT_NE(kind.name, nullptr);
		EXPECT_FALSE(std::string(kind.name).empty());
		EXPECT_TRUE(names.insert(kind.name).second) << "twice: " << kind.name;
		EXPECT_NE(kind.add, nullptr) << kind.name;
	}
	EXPECT_EQ(names.size(), size_t(MAX_ITEM_NUM + 1));
}

TEST_F(ItemTable, RowsThatMakeNothingLeaveTheirItemsFreeToBeAskedAgain)
{
	// Every declining row (by design or not built yet), one item each.
	std::vector<int> declining;
	for (int type = 0; type <= MAX_ITEM_NUM; type++)
		if (kItemAddRoutines[type].add == AddNothing || kItemAddRoutines[type].add == AddItemNotBuiltYet)
			declining.push_back(type);
	// As kinds get built fewer rows decline; those that decline by design always do.
	ASSERT_GE(declining.size(), 7u);
	for (int type : {0, 35, 40, 41, 79, 86, 103})
		EXPECT_EQ(kItemAddRoutines[type].add, AddNothing) << type;

	// Keep the row within one window's width: 20 supertiles at most.
	declining.resize(std::min<size_t>(declining.size(), 18));
	LoadRow(declining);
	UpdateVisibleTerrain(9 * 1800, 18000);
	EXPECT_EQ(gObjectListHead, nullptr) << "a declining row made a node";
	for (int32_t i = 0; i < gNumTerrainItems; i++)
		EXPECT_FALSE(gTerrainItemList[i].flags & ITEM_FLAG_INUSE) << "type " << gTerrainItemList[i].type;
}

TEST_F(ItemTable, BuiltRowsMakeNodesThatHoldTheirItemsUntilDeleted)
{
	// The smoker and the runway lights need no models.
	LoadRow({99, 91});
	const TerrainItemEntryType* smoker = FindItem(99);
	const TerrainItemEntryType* lights = FindItem(91);
	ASSERT_TRUE(smoker && lights);

	UpdateVisibleTerrain(1800, 18000);
	EXPECT_EQ(NodesHolding(smoker), 1);
	EXPECT_EQ(NodesHolding(lights), 1);
	EXPECT_TRUE(smoker->flags & ITEM_FLAG_INUSE);
	EXPECT_TRUE(lights->flags & ITEM_FLAG_INUSE);

	// Deleted, the items are free and come back with the next wake.
	DeleteAllObjects();
	EXPECT_FALSE(smoker->flags & ITEM_FLAG_INUSE);
	UpdateVisibleTerrain(1800 + 1800 * 5, 18000);
	UpdateVisibleTerrain(1800, 18000);
	EXPECT_EQ(NodesHolding(smoker), 1);
	EXPECT_EQ(NodesHolding(lights), 1);
}

TEST_F(ItemTable, ATypePastTheTableStopsTheGame)
{
	LoadRow({MAX_ITEM_NUM + 1});
	gLastFatalMessage.clear();
	EXPECT_THROW(UpdateVisibleTerrain(900, 18000), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "Illegal Map Item Type!");
}
