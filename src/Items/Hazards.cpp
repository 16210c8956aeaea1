#include "Items/Hazards.h"

void MakeBlobBossMachine()
{
}

void ResetWormState()
{
}

