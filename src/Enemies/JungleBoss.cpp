#include "Enemies/JungleBoss.h"

void InitJungleBoss()
{
}

