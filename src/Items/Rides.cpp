#include "Items/Rides.h"

float gCloudClock = {};
float gLevel2WobbleAngle = {};
void InitZipLines()
{
}

void InitTeleporters()
{
}

void InitBumperCars()
{
}

void ClearRideItemPointers()
{
}

