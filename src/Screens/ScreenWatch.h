// What a person looking at the front end can see, for a player that is not a
// person: the main menu's choice on the turntable and the name being entered
// for the high scores. The menus' own state is `gMenuRun` (Screens/Menu.h).
// Nothing here changes what a screen does.
#pragma once

struct TextEntryState;

// The main menu's choice (MAIN_MENU_…) while its turntable waits for the
// player (its title has dropped in), else -1.
int MainMenuChoiceShown();

// The name entry of the high-score screen while it waits for a name, else null.
const TextEntryState* NameEntryShown();
