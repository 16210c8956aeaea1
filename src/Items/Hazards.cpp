#include "Items/Hazards.h"

void MakeBlobBossMachine()
{
}
