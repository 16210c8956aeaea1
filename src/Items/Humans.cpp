#include "Items/Humans.h"

int gHumansRescuedTotal = 0;

void InitHumans()
{
	gHumansRescuedTotal = 0;
}

