#include "Screens/Screens.h"
#include "System/Game.h"

void DoLegalScreen()
{
}

void DoMainMenu()
{
	gCurrentLevel = 0;		// the stand-in menu always starts a new game
}

void DoLevelIntro()
{
}

void DoBonusScreen()
{
}

void DoLoseScreen()
{
}

void DoWinScreen()
{
}

void DoWarpCheat()
{
}

