#include "Items/Rides.h"

void InitZipLines()
{
}

void InitTeleporters()
{
}

void ClearRideItemPointers()
{
}

