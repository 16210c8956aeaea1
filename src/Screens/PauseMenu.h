// The pause menu, opened by the play loop on the pause control: resume,
// settings, end the game or quit. The level's scene stays drawn, frozen,
// behind it, and every sound channel is paused meanwhile.
#pragma once

#include "Screens/Menu.h"

enum
{
	PAUSE_PICK_RESUME = 0,
	PAUSE_PICK_SETTINGS = 1,
	PAUSE_PICK_END_GAME = 2,
	PAUSE_PICK_QUIT = 3,
};

extern const MenuItem kPauseMenu[];

void DoPauseMenu();

// What a pick of the pause menu does to the game (the settings and quit
// picks are run by DoPauseMenu itself). Returns true when the pause menu
// should be shown again.
bool ApplyPausePick(int pick);
