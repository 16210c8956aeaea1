// The whole-game run (--whole-game): one input source that plays the levels
// with the level autopilot while a robot is in play and works the front end
// with the front-end pilot otherwise, and the lines that say how the run went.
#include "Autopilot/AutopilotFrontEnd.h"
#include "Autopilot/Autopilot.h"
#include "Player/Player.h"
#include "Screens/HighScoresTextEntry.h"
#include "Screens/Menu.h"
#include "Screens/ScreenWatch.h"
#include "Screens/ScreensLogic.h"
#include "System/Game.h"
#include "System/LevelTable.h"

#include <cstdio>
#include <cstring>

namespace
{
	FrontEndPilotState gPilot;
	int gMainMenusSeen = 0;
	bool gOnMainMenu = false;
	bool gInNameEntry = false;

	FrontEndView LookAtFrontEnd()
	{
		FrontEndView view;
		if (const TextEntryState* entry = NameEntryShown())
		{
			view.screen = FRONT_END_NAME_ENTRY;
			memcpy(view.name, entry->name, sizeof(view.name));
			view.cursor = entry->cursor;
			view.letterPending = entry->letterPending;
		}
		else if (gMenuRun.state != MENU_STATE_CLOSED && gMenuRun.menu)
		{
			view.screen = FRONT_END_MENU;
			view.numRows = gMenuRun.numRows < FRONT_END_MAX_ROWS ? gMenuRun.numRows : FRONT_END_MAX_ROWS;
			for (int row = 0; row < view.numRows; row++)
			{
				const MenuItem* item = gMenuRun.rows[row].item;
				view.rowText[row] = item ? item->text : -1;
				view.rowSelectable[row] = item && IsMenuItemSelectable(item->kind);
			}
			view.selectedRow = gMenuRun.selectedRow;
		}
		else if (MainMenuChoiceShown() >= 0)
		{
			view.screen = FRONT_END_MAIN_MENU;
			view.mainMenuChoice = MainMenuChoiceShown();
		}
		return view;
	}

	// One line when the main menu comes up: the start, or how the last game ended.
	void ReportMainMenu()
	{
		gMainMenusSeen++;
		if (gPilot.newGamesStarted == 0)
			printf("WHOLE GAME main menu: starting a new game at level %d\n", gPilot.startLevel);
		else if (gCurrentLevel >= NUM_LEVELS)
		{
			gPilot.gameWon = true;
			printf("WHOLE GAME won: all %d levels played, score=%d; quitting\n", NUM_LEVELS, int(gRun.score));
		}
		else if (gPilot.newGamesStarted > gPilot.retriesAllowed)
			printf("WHOLE GAME stopped: game over in level %d, no retries left; quitting\n", gCurrentLevel);
		else
			printf("WHOLE GAME game over in level %d: retrying with a new game (%d of %d)\n", gCurrentLevel,
					gPilot.newGamesStarted, gPilot.retriesAllowed);
		fflush(stdout);
	}

	void WholeGameInput(VirtualInputFrame* frame)
	{
		if (gPlayerNode)
		{
			AutopilotLevelInput(frame);
			return;
		}
		const FrontEndView view = LookAtFrontEnd();
		const bool onMainMenu = view.screen == FRONT_END_MAIN_MENU;
		if (onMainMenu && !gOnMainMenu)
			ReportMainMenu();
		gOnMainMenu = onMainMenu;

		const bool inNameEntry = view.screen == FRONT_END_NAME_ENTRY;
		if (gInNameEntry && !inNameEntry)
		{
			printf("WHOLE GAME high score entered as \"%s\" with %d points\n", AUTOPILOT_HIGH_SCORE_NAME, int(gRun.score));
			fflush(stdout);
		}
		gInNameEntry = inNameEntry;

		*frame = FrontEndPilotStep(view, &gPilot);
	}

	void WholeGameKeys(bool keysDown[NUM_KEY_STATES])
	{
		if (gPlayerNode)
			return;
		const int key = FrontEndPilotKey(LookAtFrontEnd(), gPilot);
		if (key > 0 && key < NUM_KEY_STATES)
			keysDown[key] = true;
	}
}

void StartWholeGameAutopilot(int retries, int startLevel)
{
	gPilot = FrontEndPilotState{};
	gPilot.retriesAllowed = retries;
	gPilot.startLevel = startLevel;
	SetVirtualInputSource(WholeGameInput, VIRTUAL_INPUT_ADD);
	SetVirtualKeySource(WholeGameKeys);
}
