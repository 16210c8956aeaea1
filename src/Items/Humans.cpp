#include "Items/Humans.h"

void InitHumans()
{
}

