// Stand-ins until the slot screen, the high-score table and the bonus tally
// exist: loading finds nothing, the table and the tally show nothing.
#include "Screens/FrontEndHooks.h"
#include "Screens/Screens.h"

bool SaveSlotScreen(int, void (*)())
{
	return false;
}

void ShowHighScoresScreen(void (*)())
{
}

void DoBonusScreen()
{
}
