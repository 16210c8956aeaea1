#include "Terrain/Water.h"
#include "System/Objects.h"

void PrimeWater()
{
}


// Stand-in until water exists: never in water.
bool IsInWater(ObjNode* node, float, float, float, int* patch)
{
	node->StatusBits &= ~STATUS_BIT_INWATER;
	*patch = 0;
	return false;
}

// Stand-in until water exists: no surface anywhere.
bool GetWaterY(float, float, float* y)
{
	*y = 0;
	return false;
}
