#include "Items/Powerups.h"

void SpillPowerups(ObjNode*, int, int, int)
{
	// Nothing to spill yet: the atoms land with the power-ups.
}
