// The autopilot between levels: what it presses on the front end so that a
// whole game is played as a person would play it. It starts a new game on
// the main menu's turntable, answers the save offer after each tally with
// "Continue", types its name into the high scores with a pad's letter
// stepping, and once the game is over leaves from the main menu: "Quit"
// after a won game or when it has no retries left, otherwise a new game
// (a retry). Timed screens (start-up notice, level intros, tallies, the lose
// and win screens, the score) are sat through untouched.
//
// GL-free: a pure step from what the screen shows (FrontEndView) and the
// pilot's own state to one frame of needs. A press is held for one update
// and released for the next, so each counts as one fresh press.
#pragma once

#include "Screens/HighScores.h"
#include "System/InputVirtual.h"

#include <cstdint>

constexpr const char* AUTOPILOT_HIGH_SCORE_NAME = "ROBO PILOT";

enum FrontEndScreenKind
{
	FRONT_END_OTHER,			// a timed screen, or nothing waiting for the player
	FRONT_END_MAIN_MENU,		// the turntable waits: choice in mainMenuChoice
	FRONT_END_MENU,				// a menu of rows (the save offer): rows below
	FRONT_END_NAME_ENTRY,		// the high-score name entry: name and cursor below
};

constexpr int FRONT_END_MAX_ROWS = 32;

struct FrontEndView
{
	FrontEndScreenKind screen = FRONT_END_OTHER;
	int mainMenuChoice = -1;			// MAIN_MENU_…
	// A menu: the string number of each row's text (−1 none), which can be
	// selected, and the one selected now.
	int numRows = 0;
	int rowText[FRONT_END_MAX_ROWS] = {};
	bool rowSelectable[FRONT_END_MAX_ROWS] = {};
	int selectedRow = -1;
	// The name entry.
	char name[MAX_NAME_LENGTH + 1] = {};
	int cursor = 0;
	bool letterPending = false;
};

struct FrontEndPilotState
{
	bool pressedLastUpdate = false;		// a need was held in the last update: release first
	bool gameWon = false;				// the win screen was reached: quit at the next main menu
	int newGamesStarted = 0;
	int retriesAllowed = 0;				// new games after the first one, once a game is lost
	int startLevel = 0;					// the level new games start at (its number key is held)
};

// One update's needs for what the screen shows.
VirtualInputFrame FrontEndPilotStep(const FrontEndView& view, FrontEndPilotState* state);

// The key (an SDL scancode, 0 for none) held down with the main menu's "New
// game" so that it starts at the pilot's start level, as a person holds a
// level's number key (1 … 9, then 0, for the levels in order).
int FrontEndPilotKey(const FrontEndView& view, const FrontEndPilotState& state);

// Installed by --whole-game before the start-up notice: the level autopilot
// while a robot is in play, this pilot on the front end; `retries` new games
// after a lost one, each new game started at `startLevel` (AutopilotWholeGame.cpp).
void StartWholeGameAutopilot(int retries, int startLevel);
