#include "Terrain/Water.h"

void PrimeWater()
{
}

