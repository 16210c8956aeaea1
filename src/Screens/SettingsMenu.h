// The settings screen: its menu and the keyboard, mouse and gamepad
// remapping submenus. Every change takes effect at once; the preferences file
// is written when the screen closes, and only when the record changed.
#pragma once

#include "Screens/Menu.h"

extern const MenuItem kSettingsMenu[];

// Runs the settings menu over the caller's scene, saves the preferences if
// they changed and shows the restart notices the changes call for.
void DoSettingsScreen(MenuMoveRoutine moveRoutine, MenuDrawRoutine drawRoutine);

// The name of language `language` in that language (row 0 of its column),
// read from the strings file once; the two-letter code without the file.
const char* GetLanguageOwnName(int language);
