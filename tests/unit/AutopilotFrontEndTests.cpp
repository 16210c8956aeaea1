// The autopilot on the front end, driven closed-loop against the game's own
// rules for what a press does: the turntable's choice stepping and the
// high-score name entry's editing.
#include "Autopilot/AutopilotFrontEnd.h"
#include "Screens/HighScoresTextEntry.h"
#include "Screens/ScreensLogic.h"
#include "System/Game.h"
#include "System/Strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
	bool Held(const VirtualInputFrame& frame, int need)
	{
		return (frame.needsHeld >> need) & 1;
	}

	// Runs the main menu as the game does (right steps the choice up, left
	// down, confirm runs it) from `start` until the pilot confirms; returns the
	// choice confirmed and counts the presses it took.
	int ConfirmedChoice(int start, FrontEndPilotState* state, int* presses)
	{
		FrontEndView view;
		view.screen = FRONT_END_MAIN_MENU;
		view.mainMenuChoice = start;
		*presses = 0;
		for (int update = 0; update < 100; update++)
		{
			VirtualInputFrame frame = FrontEndPilotStep(view, state);
			if (frame.needsHeld)
				++*presses;
			if (Held(frame, NEED_UI_CONFIRM))
				return view.mainMenuChoice;
			if (Held(frame, NEED_UI_RIGHT))
				view.mainMenuChoice = StepMainMenuChoice(view.mainMenuChoice, +1);
			if (Held(frame, NEED_UI_LEFT))
				view.mainMenuChoice = StepMainMenuChoice(view.mainMenuChoice, -1);
		}
		return -1;
	}

	// The name the pilot leaves in the entry, fed through the game's own
	// editing rules the way the screen reads the needs (fresh presses only).
	std::string EnteredName(int* updates)
	{
		TextEntryState entry;
		StartTextEntry(&entry);
		FrontEndPilotState state;
		uint64_t last = 0;
		for (*updates = 0; *updates < 2000 && !entry.done; ++*updates)
		{
			FrontEndView view;
			view.screen = FRONT_END_NAME_ENTRY;
			memcpy(view.name, entry.name, sizeof(view.name));
			view.cursor = entry.cursor;
			view.letterPending = entry.letterPending;
			const uint64_t held = FrontEndPilotStep(view, &state).needsHeld;
			auto fresh = [&](int need) { return ((held & ~last) >> need) & 1; };
			TextEntryControls c = {};
			c.doneNew = fresh(NEED_TEXT_DONE);
			c.right = fresh(NEED_TEXT_RIGHT);
			c.nextLetterNew = fresh(NEED_TEXT_NEXT_LETTER);
			c.nextLetter = (held >> NEED_TEXT_NEXT_LETTER) & 1;
			c.prevLetterNew = fresh(NEED_TEXT_PREV_LETTER);
			c.prevLetter = (held >> NEED_TEXT_PREV_LETTER) & 1;
			c.spaceNew = c.space = fresh(NEED_TEXT_SPACE);
			StepTextEntry(&entry, c, 1.0f / 30.0f);
			last = held;
		}
		EXPECT_TRUE(entry.done);
		char name[MAX_NAME_LENGTH + 1];
		GetEnteredName(entry, name);
		return name;
	}
}

TEST(FrontEndPilot, StartsANewGameTheShortWayRoundFromAnyChoiceAndReleasesBetweenPresses)
{
	for (int start = 0; start < NUM_MAIN_MENU_CHOICES; start++)
	{
		FrontEndPilotState state;
		int presses = 0;
		EXPECT_EQ(ConfirmedChoice(start, &state, &presses), MAIN_MENU_NEW_GAME) << "from " << start;
		EXPECT_LE(presses, NUM_MAIN_MENU_CHOICES / 2 + 1) << "from " << start;
		EXPECT_EQ(state.newGamesStarted, 1);
	}

	// Every press is let go in the next update, or the game would not see the next one.
	FrontEndPilotState state;
	FrontEndView view;
	view.screen = FRONT_END_MAIN_MENU;
	view.mainMenuChoice = MAIN_MENU_SETTINGS;
	EXPECT_NE(FrontEndPilotStep(view, &state).needsHeld, 0u);
	EXPECT_EQ(FrontEndPilotStep(view, &state).needsHeld, 0u);
	EXPECT_NE(FrontEndPilotStep(view, &state).needsHeld, 0u);
}

TEST(FrontEndPilot, AfterAGameItQuitsWhenWonOrOutOfRetriesAndOtherwiseStartsAgain)
{
	int presses = 0;
	FrontEndPilotState won;
	ConfirmedChoice(MAIN_MENU_NEW_GAME, &won, &presses);
	won.gameWon = true;
	EXPECT_EQ(ConfirmedChoice(MAIN_MENU_NEW_GAME, &won, &presses), MAIN_MENU_QUIT);

	FrontEndPilotState lost;
	lost.retriesAllowed = 1;
	ConfirmedChoice(MAIN_MENU_NEW_GAME, &lost, &presses);
	EXPECT_EQ(ConfirmedChoice(MAIN_MENU_QUIT, &lost, &presses), MAIN_MENU_NEW_GAME) << "one retry";
	EXPECT_EQ(lost.newGamesStarted, 2);
	EXPECT_EQ(ConfirmedChoice(MAIN_MENU_NEW_GAME, &lost, &presses), MAIN_MENU_QUIT) << "no retries left";
}

TEST(FrontEndPilot, GoesOnFromTheSaveOfferWithoutSavingAndBacksOutOfOtherMenus)
{
	FrontEndView view;
	view.screen = FRONT_END_MENU;
	view.numRows = 3;
	const int texts[3] = {STR_SAVE_GAME, STR_CONTINUE, -1};
	for (int row = 0; row < 3; row++)
	{
		view.rowText[row] = texts[row];
		view.rowSelectable[row] = row < 2;
	}
	FrontEndPilotState state;
	view.selectedRow = 0;
	EXPECT_TRUE(Held(FrontEndPilotStep(view, &state), NEED_UI_DOWN));
	FrontEndPilotStep(view, &state);
	view.selectedRow = 1;
	EXPECT_TRUE(Held(FrontEndPilotStep(view, &state), NEED_UI_CONFIRM));
	FrontEndPilotStep(view, &state);

	// A menu with no way on (nothing reads Continue) is backed out of.
	view.rowText[1] = STR_SAVE_GAME;
	EXPECT_TRUE(Held(FrontEndPilotStep(view, &state), NEED_UI_BACK));

	// Timed screens are left alone.
	FrontEndPilotStep(view, &state);
	EXPECT_EQ(FrontEndPilotStep(FrontEndView{}, &state).needsHeld, 0u);
}

TEST(FrontEndPilot, TypesItsNameWithThePadsLetterSteppingThroughTheGamesNameEntry)
{
	int updates = 0;
	EXPECT_EQ(EnteredName(&updates), AUTOPILOT_HIGH_SCORE_NAME);
	// The shorter way round the alphabet for each letter: well under a
	// full turn of 27 steps per letter.
	EXPECT_LT(updates, int(strlen(AUTOPILOT_HIGH_SCORE_NAME)) * 2 * 16 + 4);
}

namespace
{
	int gKeyHeld = 0;
	bool KeyHeld(int scancode)
	{
		return scancode == gKeyHeld;
	}
}

TEST(FrontEndPilot, HoldsTheStartLevelsKeyOnNewGameSoTheGameStartsThere)
{
	// Closed loop through the game's own reading of the keys held with "New game".
	for (int level = 0; level < NUM_LEVELS; level++)
	{
		FrontEndPilotState state;
		state.startLevel = level;
		FrontEndView view;
		view.screen = FRONT_END_MAIN_MENU;
		view.mainMenuChoice = MAIN_MENU_NEW_GAME;
		gKeyHeld = FrontEndPilotKey(view, state);
		EXPECT_EQ(ChooseNewGameLevel(KeyHeld, false), level) << "start level " << level;

		// Nothing is held anywhere else (a number key at the start-up notice jumps past the menus).
		view.mainMenuChoice = MAIN_MENU_QUIT;
		EXPECT_EQ(FrontEndPilotKey(view, state), 0);
		view.screen = FRONT_END_OTHER;
		EXPECT_EQ(FrontEndPilotKey(view, state), 0);
	}
}
