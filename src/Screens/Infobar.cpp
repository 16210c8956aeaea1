#include "Screens/Infobar.h"

void InitInfobar()
{
}

void DrawInfobar()
{
}

void ClearHelpMessage()
{
}

void ResetHelpMessageSwitches()
{
}

