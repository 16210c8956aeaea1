// The save/load slot screen: a menu of the twelve saved-game slots, each
// labelled with the level it resumes and the date it was saved, run over the
// caller's scene. Saving after a level (the bonus tally's offer) and loading
// from the main menu both come here.
#pragma once

enum SaveSlotMode
{
	SAVE_SLOT_SAVE,
	SAVE_SLOT_LOAD,
};

// Runs the slot menu; `drawRoutine` draws the scene behind it (null: a plain
// background). Returns true when a slot was saved to or loaded from (a loaded
// game is then ready to start at its level: gCurrentLevel, score, lives,
// health, fuel and weapons set, gLoadedSavedGame true); false when cancelled
// or the chosen slot could not be used (the player has been told why).
bool SaveSlotScreen(SaveSlotMode mode, void (*drawRoutine)() = nullptr);
