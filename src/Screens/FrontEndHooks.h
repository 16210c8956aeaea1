// Screens the main menu and the bonus tally open but the high-score and
// saved-game module provides: the save/load slot screen and the high-score
// table shown from the main menu (SaveSlotScreen.cpp, HighScoresScreen.cpp),
// and the replays screen (ReplaysScreen.cpp).
#pragma once

#include <string>
#include <vector>

struct MenuItem;
struct ReplayEntry;

enum SaveSlotMode
{
	SAVE_SLOT_MODE_SAVE,
	SAVE_SLOT_MODE_LOAD,
};

// The slot screen, built as a menu (Screens/Menu.h) over the caller's scene.
// Returns true when a game was saved or loaded (a load sets gCurrentLevel and
// the player's starting state), false when cancelled.
bool SaveSlotScreen(int mode, void (*drawRoutine)());
// The slot menu's rows for `mode`: title, the twelve slots (a labelled pick
// for a save that reads; an empty slot is a pick when saving, a label when
// loading), and the row back. `menu` holds at least 17 rows, `labels` 12.
void BuildSaveSlotMenu(int mode, MenuItem menu[], char labels[][128]);

// The high-score table from the main menu: fades in over the caller's scene,
// waits for an acknowledgement, fades out. The caller's scene keeps drawing.
void ShowHighScoresScreen(void (*drawRoutine)());

// The replays screen over the caller's scene: the levels with replays, each
// opening its kept runs. True when one was chosen and read (System/Replays.h:
// PlayLoadedReplay plays it); false when backed out. A damaged file is refused
// with a message over the list, which is shown again.
bool ChooseReplay(void (*moveRoutine)(), void (*drawRoutine)());
// The screen's rows for `shelf` (sorted by SortReplayShelf), with the damaged
// notice over them when `notice` is not empty: the root (a pick per level
// that has replays, its result the level) and each such level's runs (a pick
// per run, its result the run's index in `shelf`).
void BuildReplaysMenu(const std::vector<ReplayEntry>& shelf, const std::string& notice);
const MenuItem* ReplaysMenu();
const MenuItem* ReplaysLevelMenu(int level);
