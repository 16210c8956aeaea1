#include "Enemies/RaiderSaucer.h"

void ClearRaiderSaucerPointers()
{
}

