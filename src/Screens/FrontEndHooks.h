// Screens the main menu and the bonus tally open but the high-score and
// saved-game module provides: the save/load slot screen and the high-score
// table shown from the main menu. FrontEndHooksStandIns.cpp holds stand-ins
// that do the least; the module that implements these deletes that file.
#pragma once

enum SaveSlotMode
{
	SAVE_SLOT_MODE_SAVE,
	SAVE_SLOT_MODE_LOAD,
};

// The slot screen, built as a menu (Screens/Menu.h) over the caller's scene.
// Returns true when a game was saved or loaded (a load sets gCurrentLevel and
// the player's starting state), false when cancelled.
bool SaveSlotScreen(int mode, void (*drawRoutine)());

// The high-score table from the main menu: fades in over the caller's scene,
// waits for an acknowledgement, fades out. The caller's scene keeps drawing.
void ShowHighScoresScreen(void (*drawRoutine)());
