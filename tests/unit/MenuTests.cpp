// The menu engine's GL-free half (selection, back-out, cyclers, captures)
// and the screens' rules (new-game start level, the lose belt, the warp list).
#include "Screens/Menu.h"
#include "Screens/ScreensLogic.h"
#include "System/Input.h"
#include "System/InputBindings.h"
#include "System/InputState.h"
#include "System/Prefs.h"
#include "System/PrefsFile.h"
#include "System/Strings.h"
#include "Terrain/TerrainFile.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

namespace
{
	MenuItem Row(int kind, int text = -1)
	{
		MenuItem m;
		m.kind = kind;
		m.text = text;
		return m;
	}

	uint8_t gTestByte = 0;
	int gCountAnswer = 0;
	int CountAnswer() { return gCountAnswer; }

	MenuItem CyclerRow(uint8_t numChoices)
	{
		MenuItem m = Row(MENU_ITEM_CYCLER, 1);
		m.cycler.value = &gTestByte;
		m.cycler.numChoices = numChoices;
		for (int i = 0; i < numChoices; i++)
			m.cycler.choices[i] = 10 + i;
		return m;
	}

	MenuItem kSub[] = {Row(MENU_ITEM_TITLE, 1), Row(MENU_ITEM_ACTION, 2), MenuItem{}};

	MenuItem SubmenuRow()
	{
		MenuItem m = Row(MENU_ITEM_SUBMENU, 3);
		m.submenu = kSub;
		return m;
	}

	// title, spacer, action, label, submenu, spacer, pick
	MenuItem kRoot[] = {Row(MENU_ITEM_TITLE, 1), Row(MENU_ITEM_SPACER), Row(MENU_ITEM_ACTION, 2), Row(MENU_ITEM_LABEL, 3),
			SubmenuRow(), Row(MENU_ITEM_SPACER), Row(MENU_ITEM_PICK, 4), MenuItem{}};

	class MenuTest : public ::testing::Test
	{
	protected:
		PrefsType savedPrefs;

		void SetUp() override
		{
			savedPrefs = gGamePrefs;
			MakeDefaultPrefs(&gGamePrefs, 0);
			ResetInputState();
			std::string table;
			for (int i = 0; i < NUM_NAMED_STRING_ROWS; i++)
				table += "S" + std::to_string(i) + "\n";
			LoadLocalizedStringsFromMemory(table.data(), table.size(), 0);
		}
		void TearDown() override
		{
			gGamePrefs = savedPrefs;
			ResetInputState();
		}

		// One frame with `need` newly pressed.
		void Press(int need)
		{
			ResetInputState();
			gInputState.needs[need] = KEYSTATE_DOWN;
			UpdateMenuRun(0);
		}
		void PressKey(int scancode)
		{
			ResetInputState();
			gInputState.numKeys = NUM_KEY_STATES;
			gInputState.keyboard[scancode] = KEYSTATE_DOWN;
			UpdateMenuRun(0);
		}
		void Idle()
		{
			ResetInputState();
			UpdateMenuRun(0);
		}
		void Begin(const MenuItem* menu, const MenuStyle* style = nullptr)
		{
			BeginMenuRun(menu, style);
			gMenuRun.state = MENU_STATE_ACTIVE;
			gMenuRun.fade = 1;
		}
	};

	TEST_F(MenuTest, SelectionSkipsUnselectableRowsAndWrapsBothWays)
	{
		Begin(kRoot);
		EXPECT_EQ(gMenuRun.selectedRow, 2);		// the first action, past title and spacer
		Press(NEED_UI_DOWN);
		EXPECT_EQ(gMenuRun.selectedRow, 4);		// past the label
		Press(NEED_UI_DOWN);
		EXPECT_EQ(gMenuRun.selectedRow, 6);		// past the spacer
		Press(NEED_UI_DOWN);
		EXPECT_EQ(gMenuRun.selectedRow, 2);		// wraps to the first selectable row
		Press(NEED_UI_UP);
		EXPECT_EQ(gMenuRun.selectedRow, 6);
	}

	TEST_F(MenuTest, BackingOutOfASubmenuRestoresTheRowThatLedThereAndBackAtRootCloses)
	{
		Begin(kRoot);
		Press(NEED_UI_DOWN);
		Press(NEED_UI_CONFIRM);
		ASSERT_EQ(gMenuRun.menu, kSub);
		EXPECT_EQ(gMenuRun.selectedRow, 1);
		Press(NEED_UI_BACK);
		EXPECT_EQ(gMenuRun.menu, kRoot);
		EXPECT_EQ(gMenuRun.selectedRow, 4);
		EXPECT_EQ(gMenuRun.state, MENU_STATE_ACTIVE);
		Press(NEED_UI_BACK);
		EXPECT_EQ(gMenuRun.state, MENU_STATE_FADING_OUT);
		Idle();
		EXPECT_EQ(gMenuRun.state, MENU_STATE_CLOSED);
		EXPECT_EQ(gMenuRun.result, -1);
	}

	TEST_F(MenuTest, APickClosesWithItsCode)
	{
		MenuItem menu[] = {Row(MENU_ITEM_PICK, 1), Row(MENU_ITEM_PICK, 2), MenuItem{}};
		menu[1].pick = 7;
		Begin(menu);
		Press(NEED_UI_DOWN);
		Press(NEED_UI_CONFIRM);
		Idle();
		EXPECT_EQ(gMenuRun.state, MENU_STATE_CLOSED);
		EXPECT_EQ(gMenuRun.result, 7);
	}

	TEST_F(MenuTest, StartButtonClosesThePauseStyleButNotTheDefault)
	{
		Begin(kRoot, &kPauseMenuStyle);
		Press(NEED_UI_START);
		Idle();
		EXPECT_EQ(gMenuRun.state, MENU_STATE_CLOSED);
		Begin(kRoot);
		Press(NEED_UI_START);
		EXPECT_EQ(gMenuRun.state, MENU_STATE_ACTIVE);
	}

	TEST_F(MenuTest, CyclerWrapsAtBothEndsAndShowsItsChoice)
	{
		MenuItem menu[] = {CyclerRow(3), MenuItem{}};
		gTestByte = 2;
		Begin(menu);
		EXPECT_STREQ(gMenuRun.rows[0].cell[0], "S1:");
		EXPECT_STREQ(gMenuRun.rows[0].cell[1], "S12");
		Press(NEED_UI_RIGHT);
		EXPECT_EQ(gTestByte, 0);
		EXPECT_STREQ(gMenuRun.rows[0].cell[1], "S10");
		Press(NEED_UI_LEFT);
		EXPECT_EQ(gTestByte, 2);
	}

	TEST_F(MenuTest, CyclerByteOutOfRangeIsClampedAndNoChoicesNeverDivides)
	{
		MenuItem menu[] = {CyclerRow(3), MenuItem{}};
		gTestByte = 200;		// from a damaged preferences file
		Begin(menu);
		EXPECT_STREQ(gMenuRun.rows[0].cell[1], "S12");
		Press(NEED_UI_RIGHT);
		EXPECT_EQ(gTestByte, 0);

		MenuItem empty[] = {CyclerRow(0), MenuItem{}};
		gTestByte = 5;
		Begin(empty);
		EXPECT_FALSE(empty[0].cycler.numChoices);
		EXPECT_FALSE(gMenuRun.rows[0].hasCell[1]);
		Press(NEED_UI_RIGHT);
		EXPECT_EQ(gTestByte, 5);

		MenuItem counted[] = {CyclerRow(0), MenuItem{}};
		counted[0].cycler.countChoices = CountAnswer;
		gCountAnswer = -1;		// a count routine that failed
		Begin(counted);
		Press(NEED_UI_LEFT);
		EXPECT_EQ(gTestByte, 5);
		EXPECT_EQ(GetCyclerValue(&counted[0]), 0);
	}

	TEST_F(MenuTest, CapturedKeyLeavesEveryOtherSlotOnTheScreen)
	{
		MenuItem menu[] = {Row(MENU_ITEM_SUBTITLE, STR_KEYBOARD_INSTRUCTIONS), Row(MENU_ITEM_KEY_BINDING),
				Row(MENU_ITEM_KEY_BINDING), MenuItem{}};
		menu[1].need = NEED_FORWARD;
		menu[2].need = NEED_JUMP;
		Begin(menu);
		ASSERT_EQ(gMenuRun.selectedRow, 1);
		const int jumpKey = gGamePrefs.bindings[NEED_JUMP].key[0];
		ASSERT_NE(jumpKey, 0);

		PressKey(SDL_SCANCODE_RETURN);
		ASSERT_EQ(gMenuRun.state, MENU_STATE_CAPTURE_KEY);
		EXPECT_STREQ(gMenuRun.rows[1].cell[1], "S110");
		EXPECT_STREQ(gMenuRun.rows[0].cell[0], ("S" + std::to_string(STR_PRESS_NEW_KEY)).c_str());

		PressKey(jumpKey);
		EXPECT_EQ(gMenuRun.state, MENU_STATE_ACTIVE);
		EXPECT_EQ(gGamePrefs.bindings[NEED_FORWARD].key[0], jumpKey);
		EXPECT_EQ(gGamePrefs.bindings[NEED_JUMP].key[0], 0);
		EXPECT_STREQ(gMenuRun.rows[2].cell[1], "S119");		// shows unbound
		EXPECT_STREQ(gMenuRun.rows[0].cell[0], ("S" + std::to_string(STR_KEYBOARD_INSTRUCTIONS)).c_str());
	}

	TEST_F(MenuTest, EscapeDuringACaptureKeepsTheOldKey)
	{
		MenuItem menu[] = {Row(MENU_ITEM_KEY_BINDING), MenuItem{}};
		menu[0].need = NEED_SHOOT;
		Begin(menu);
		const InputBinding before = gGamePrefs.bindings[NEED_SHOOT];
		const std::string shown = gMenuRun.rows[0].cell[1];
		PressKey(SDL_SCANCODE_RETURN);
		PressKey(SDL_SCANCODE_ESCAPE);
		EXPECT_EQ(gMenuRun.state, MENU_STATE_ACTIVE);
		EXPECT_EQ(gGamePrefs.bindings[NEED_SHOOT].key[0], before.key[0]);
		EXPECT_EQ(shown, gMenuRun.rows[0].cell[1]);
	}

	TEST_F(MenuTest, DeleteClearsTheSelectedSlotOnly)
	{
		MenuItem menu[] = {Row(MENU_ITEM_KEY_BINDING), MenuItem{}};
		menu[0].need = NEED_FORWARD;
		Begin(menu);
		Press(NEED_UI_RIGHT);		// second slot
		Press(NEED_UI_DELETE);
		EXPECT_NE(gGamePrefs.bindings[NEED_FORWARD].key[0], 0);
		EXPECT_EQ(gGamePrefs.bindings[NEED_FORWARD].key[1], 0);
		EXPECT_STREQ(gMenuRun.rows[0].cell[2], "S119");
	}

	TEST(ScreensLogic, NewGameStartsAtTheHighestHeldDigitOrAsksWithF10)
	{
		static int held[4];
		static int numHeld;
		auto keyDown = [](int sc) { for (int i = 0; i < numHeld; i++) if (held[i] == sc) return true; return false; };
		numHeld = 0;
		EXPECT_EQ(ChooseNewGameLevel(keyDown, false), 0);
		held[0] = SDL_SCANCODE_3; numHeld = 1;
		EXPECT_EQ(ChooseNewGameLevel(keyDown, false), 2);
		held[1] = SDL_SCANCODE_0; numHeld = 2;
		EXPECT_EQ(ChooseNewGameLevel(keyDown, false), 9);		// 0 is the tenth
		held[2] = SDL_SCANCODE_F10; numHeld = 3;
		EXPECT_EQ(ChooseNewGameLevel(keyDown, false), NEW_GAME_LEVEL_SELECT);
		numHeld = 0;
		EXPECT_EQ(ChooseNewGameLevel(keyDown, true), NEW_GAME_LEVEL_SELECT);
		EXPECT_EQ(StepMainMenuChoice(0, -1), NUM_MAIN_MENU_CHOICES - 1);
		EXPECT_EQ(StepMainMenuChoice(NUM_MAIN_MENU_CHOICES - 1, 1), 0);
	}

	TEST(ScreensLogic, AFullBeltSkipsTheNewHumanInsteadOfStopping)
	{
		LoseBelt belt;
		for (int i = 0; i < LOSE_BELT_SLOTS; i++)
			ASSERT_EQ(PutNewHumanOnBelt(&belt), i);
		EXPECT_EQ(PutNewHumanOnBelt(&belt), -1);
		TakeHumanOffBelt(&belt, 0);
		EXPECT_EQ(PutNewHumanOnBelt(&belt), 0);
	}

	TEST(ScreensLogic, WarpListKeepsNotableItemsSortedAndCapped)
	{
		std::vector<TerrainItemEntryType> items(50);
		for (int i = 0; i < 50; i++)
			items[i] = {uint32_t(100 * i), 200, uint16_t(27), {uint8_t(49 - i), 0, 0, 0}, 0};
		items[3].type = 12;					// not notable
		items[4].type = 58; items[4].parm[1] = 1;	// a zip line's far end: left out
		WarpRow rows[MAX_WARP_ROWS];
		const int n = BuildWarpRows(items.data(), int(items.size()), rows);
		EXPECT_EQ(n, MAX_WARP_ROWS);
		for (int i = 1; i < n; i++)
			EXPECT_LT(std::string(rows[i - 1].text), std::string(rows[i].text));
		for (int i = 0; i < n; i++)
			EXPECT_NE(rows[i].item, 3);
		EXPECT_EQ(std::string(rows[0].text).substr(0, 4), "#000");
		EXPECT_NE(std::string(rows[0].text).find("Checkpoint 49"), std::string::npos);
	}
}
