// The in-game information bar.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

void InitInfobar();
void DrawInfobar();
void ClearHelpMessage();
void ResetHelpMessageSwitches();
