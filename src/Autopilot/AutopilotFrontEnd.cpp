// The autopilot's presses on the front end.
#include "Autopilot/AutopilotFrontEnd.h"
#include "Screens/HighScoresTextEntry.h"
#include "Screens/ScreensLogic.h"
#include "System/Game.h"
#include "System/Strings.h"

#include <SDL.h>
#include <cstring>

namespace
{
	constexpr int ALPHABET_SIZE = int(sizeof(TEXT_ENTRY_ALPHABET)) - 1;

	uint64_t Need(int need)
	{
		return uint64_t(1) << need;
	}

	// The turntable turns one choice per press (right is the next choice,
	// left the one before): the shorter way round to `wanted`.
	uint64_t TurnTowards(int shown, int wanted)
	{
		if (shown == wanted)
			return Need(NEED_UI_CONFIRM);
		int forward = (wanted - shown + NUM_MAIN_MENU_CHOICES) % NUM_MAIN_MENU_CHOICES;
		return Need(forward <= NUM_MAIN_MENU_CHOICES / 2 ? NEED_UI_RIGHT : NEED_UI_LEFT);
	}

	uint64_t MainMenuPress(const FrontEndView& view, FrontEndPilotState* state)
	{
		bool lost = state->newGamesStarted > 0 && !state->gameWon;
		bool leave = state->gameWon || (lost && state->newGamesStarted > state->retriesAllowed);
		int wanted = leave ? MAIN_MENU_QUIT : MAIN_MENU_NEW_GAME;
		uint64_t press = TurnTowards(view.mainMenuChoice, wanted);
		if (press == Need(NEED_UI_CONFIRM) && wanted == MAIN_MENU_NEW_GAME)
			state->newGamesStarted++;
		return press;
	}

	// Every menu the pilot meets is the save offer: it goes on without saving.
	uint64_t MenuPress(const FrontEndView& view)
	{
		int wanted = -1;
		for (int row = 0; row < view.numRows && row < FRONT_END_MAX_ROWS; row++)
			if (view.rowSelectable[row] && view.rowText[row] == STR_CONTINUE)
				wanted = row;
		if (wanted < 0 || view.selectedRow < 0)
			return Need(NEED_UI_BACK);		// nothing to go on with: back out
		if (view.selectedRow == wanted)
			return Need(NEED_UI_CONFIRM);
		return Need(view.selectedRow < wanted ? NEED_UI_DOWN : NEED_UI_UP);
	}

	int LetterIndex(char c)
	{
		const char* at = c ? std::strchr(TEXT_ENTRY_ALPHABET, c) : nullptr;
		return at ? int(at - TEXT_ENTRY_ALPHABET) : -1;
	}

	// A pad's way: step the letter under the cursor through the alphabet,
	// the shorter way round, and move past it with the space button.
	uint64_t NameEntryPress(const FrontEndView& view)
	{
		const int length = int(strlen(AUTOPILOT_HIGH_SCORE_NAME));
		if (view.cursor >= length || view.cursor >= MAX_NAME_LENGTH)
			return Need(NEED_TEXT_DONE);
		const char wanted = AUTOPILOT_HIGH_SCORE_NAME[view.cursor];
		const char shown = view.name[view.cursor];
		if (shown == wanted)
			return view.letterPending || wanted == ' ' ? Need(NEED_TEXT_SPACE) : Need(NEED_TEXT_RIGHT);
		int from = LetterIndex(shown), to = LetterIndex(wanted);
		if (from < 0 || to < 0)
			return Need(NEED_TEXT_NEXT_LETTER);		// the game turns anything else into "A"
		int forward = (to - from + ALPHABET_SIZE) % ALPHABET_SIZE;
		return Need(forward <= ALPHABET_SIZE / 2 ? NEED_TEXT_NEXT_LETTER : NEED_TEXT_PREV_LETTER);
	}
}

VirtualInputFrame FrontEndPilotStep(const FrontEndView& view, FrontEndPilotState* state)
{
	VirtualInputFrame frame;
	if (state->pressedLastUpdate)
	{
		state->pressedLastUpdate = false;		// let go, so the next press is a new one
		return frame;
	}
	switch (view.screen)
	{
		case FRONT_END_MAIN_MENU:
			frame.needsHeld = MainMenuPress(view, state);
			break;
		case FRONT_END_MENU:
			frame.needsHeld = MenuPress(view);
			break;
		case FRONT_END_NAME_ENTRY:
			frame.needsHeld = NameEntryPress(view);
			break;
		case FRONT_END_OTHER:
			break;
	}
	state->pressedLastUpdate = frame.needsHeld != 0;
	return frame;
}

int FrontEndPilotKey(const FrontEndView& view, const FrontEndPilotState& state)
{
	if (state.startLevel <= 0 || state.startLevel >= NUM_LEVELS)
		return 0;
	if (view.screen != FRONT_END_MAIN_MENU || view.mainMenuChoice != MAIN_MENU_NEW_GAME)
		return 0;
	return SDL_SCANCODE_1 + state.startLevel;		// SDL's 0 key follows its 9
}
