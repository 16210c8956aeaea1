#include "Items/Hazards.h"

void ResetWormState()
{
}

