// Stand-ins until the slot screen and the high-score table exist: loading
// finds nothing, the table shows nothing.
#include "Screens/FrontEndHooks.h"

bool SaveSlotScreen(int, void (*)())
{
	return false;
}

void ShowHighScoresScreen(void (*)())
{
}
