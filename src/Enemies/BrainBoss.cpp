#include "Enemies/BrainBoss.h"

void InitBrainBossPortals()
{
}

