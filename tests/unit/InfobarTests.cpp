// The infobar's layout for each HUD size and the 4:3 option, its slides and
// warnings, help messages and the help-trigger item.
#include "Screens/Infobar.h"
#include "Player/Player.h"
#include "System/Strings.h"
#include "Terrain/TerrainFile.h"
#include "Memory.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	TEST(InfobarLayoutTest, HudSizeScalesTheLayoutSpace)
	{
		InfobarLayout normal = CalcInfobarLayout(640, 4.0f / 3, 5, false);
		EXPECT_FLOAT_EQ(normal.width, 640);
		EXPECT_FLOAT_EQ(normal.height, 480);

		// Size 0 is the factor 0.5: the layout space doubles, so every element
		// covers half as much of the screen.
		InfobarLayout smallest = CalcInfobarLayout(640, 4.0f / 3, 0, false);
		EXPECT_FLOAT_EQ(smallest.width, 1280);
		EXPECT_FLOAT_EQ(smallest.height, 960);
		InfobarLayout largest = CalcInfobarLayout(640, 4.0f / 3, 7, false);
		EXPECT_NEAR(largest.height, 480 / 1.1f, 1e-3);

		InfobarLayout bad = CalcInfobarLayout(640, 4.0f / 3, 200, false);
		EXPECT_FLOAT_EQ(bad.scale, 1.0f) << "a size out of range counts as the default";
	}

	TEST(InfobarLayoutTest, FourByThreeAreaIsCentredInWideScreens)
	{
		float wide = 16.0f / 9;
		InfobarLayout full = CalcInfobarLayout(480 * wide, wide, 5, false);
		EXPECT_FLOAT_EQ(full.left, 0);
		EXPECT_FLOAT_EQ(full.right, full.width);
		EXPECT_FALSE(full.countersAtBottom);

		InfobarLayout narrowed = CalcInfobarLayout(480 * wide, wide, 5, true);
		EXPECT_NEAR(narrowed.right - narrowed.left, 640, 1e-3) << "4:3 of a 480-high space";
		EXPECT_NEAR(narrowed.left, narrowed.width - narrowed.right, 1e-3) << "centred";
		EXPECT_TRUE(narrowed.countersAtBottom) << "no room for the counters at the side";

		InfobarLayout halfSize = CalcInfobarLayout(480 * wide, wide, 0, true);
		EXPECT_NEAR(halfSize.right - halfSize.left, 1280, 1e-3);

		// A 4:3 screen has nothing to narrow, and a taller one is left alone.
		InfobarLayout square = CalcInfobarLayout(640, 4.0f / 3, 5, true);
		EXPECT_FLOAT_EQ(square.left, 0);
		EXPECT_FALSE(square.countersAtBottom);
		InfobarLayout tall = CalcInfobarLayout(640, 1.25f, 5, true);
		EXPECT_FLOAT_EQ(tall.right, 640);

		// Barely wider than 4:3: within 15 units the counters stay at the side.
		InfobarLayout barely = CalcInfobarLayout(650, 650.0f / 480, 5, true);
		EXPECT_FALSE(barely.countersAtBottom);
	}

	TEST(InfobarLayoutTest, CornerOrnamentHidesWhenASlotReachesIt)
	{
		InfobarLayout layout = CalcInfobarLayout(640, 4.0f / 3, 5, false);
		int16_t slots[8] = {5, -1, -1, -1, -1, -1, -1, -1};
		EXPECT_TRUE(InfobarCornerOrnamentShows(layout, slots, 8));
		EXPECT_FLOAT_EQ(InfobarWeaponSlotX(layout, 5), 143 + 350);
		slots[5] = 2;		// ends at 143 + 420 = 563 > 640 - 107
		EXPECT_FALSE(InfobarCornerOrnamentShows(layout, slots, 8));

		InfobarLayout wide = CalcInfobarLayout(1138, 1138.0f / 480, 5, false);
		EXPECT_TRUE(InfobarCornerOrnamentShows(wide, slots, 8)) << "a wide screen has room";
	}

	TEST(InfobarStateTest, LowHealthWarningsAndSlides)
	{
		EXPECT_TRUE(IsLowHealthWarning(0.2f));
		EXPECT_TRUE(IsLowHealthWarning(0.05f));
		EXPECT_FALSE(IsLowHealthWarning(0.0f)) << "a dead robot gets no warning";
		EXPECT_FALSE(IsLowHealthWarning(0.21f));

		EXPECT_FLOAT_EQ(StepToward(-80, 0, INFOBAR_SLOT_SPEED, 0.1f), -57.5f);
		EXPECT_FLOAT_EQ(StepToward(-10, 0, INFOBAR_SLOT_SPEED, 0.1f), 0) << "no overshoot";
		EXPECT_FLOAT_EQ(StepToward(0, -30, INFOBAR_SLOT_SPEED, 0.1f), -22.5f);
	}

	struct HelpMessageTest : ::testing::Test
	{
		void SetUp() override
		{
			std::string table;
			for (int i = 0; i < NUM_NAMED_STRING_ROWS; i++)
				table += "text " + std::to_string(i) + "\n";
			LoadLocalizedStringsFromMemory(table.data(), table.size(), 0);
			ResetHelpMessageSwitches();
			InitInfobar();
		}
		void TearDown() override
		{
			ClearHelpMessage();
			ResetHelpMessageSwitches();
			DisposeLocalizedStrings();
		}
	};

	TEST_F(HelpMessageTest, MessageFadesInThenOutAndGoesAtZero)
	{
		ShowHelpMessage(7, 1.0f, false);
		EXPECT_STREQ(GetHelpMessageText(), "text 47");
		UpdateHelpMessage(0.5f);
		EXPECT_FLOAT_EQ(gInfobar.helpAlpha, 0.5f);
		UpdateHelpMessage(0.4f);
		EXPECT_FLOAT_EQ(gInfobar.helpAlpha, 0.9f);
		UpdateHelpMessage(0.2f);			// time ran out: fading from now
		EXPECT_EQ(GetCurrentHelpType(), 7);
		EXPECT_NEAR(gInfobar.helpAlpha, 0.7f, 1e-5);
		UpdateHelpMessage(0.5f);
		EXPECT_EQ(GetCurrentHelpType(), 7);
		UpdateHelpMessage(0.3f);
		EXPECT_EQ(GetCurrentHelpType(), -1);
		EXPECT_STREQ(GetHelpMessageText(), "");
	}

	TEST_F(HelpMessageTest, SwitchedOffAndOutOfRangeTypesShowNothing)
	{
		SwitchOffHelp(3);
		ShowHelpMessage(3, 1.0f, true);
		EXPECT_EQ(GetCurrentHelpType(), -1);
		ShowHelpMessage(NUM_HELP_TYPES, 1.0f, true);
		ShowHelpMessage(-1, 1.0f, true);
		EXPECT_EQ(GetCurrentHelpType(), -1);

		ShowHelpMessage(5, 2.0f, false);
		ShowHelpMessage(6, 2.0f, false);
		EXPECT_EQ(GetCurrentHelpType(), 5) << "the first stays until it fades";
		ShowHelpMessage(6, 2.0f, true);
		EXPECT_EQ(GetCurrentHelpType(), 6);
	}

	TEST(HelpTriggerTest, AHelpTypeOutOfRangeStopsNamingTheItem)
	{
		TerrainItemEntryType item = {};
		item.parm[0] = NUM_HELP_TYPES;
		testing::internal::CaptureStdout();
		EXPECT_THROW(AddHelpTrigger(&item, 100, 200), Tamber::QuitRequest);
		std::string shown = testing::internal::GetCapturedStdout();
		EXPECT_NE(shown.find("help trigger"), std::string::npos) << shown;
		EXPECT_NE(shown.find("22"), std::string::npos) << shown;
	}
}
