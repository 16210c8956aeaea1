#include "Screens/PauseMenu.h"

void DoPauseMenu()
{
}

