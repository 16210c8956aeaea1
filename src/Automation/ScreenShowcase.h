// --show-screen: runs one screen between levels with a plausible game state
// (SHOW_SCREEN_* of Automation/Automation.h) so it can be looked at alone.
#pragma once

void RunScreenShowcase(int screen);
