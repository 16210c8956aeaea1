// The screens between levels.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

void DoLegalScreen();
void DoMainMenu();
void DoLevelIntro();
void DoBonusScreen();
void DoLoseScreen();
void DoWinScreen();
void DoWarpCheat();
