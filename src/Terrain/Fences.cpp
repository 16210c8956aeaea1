#include "Terrain/Fences.h"

void PrimeFences()
{
}

void DisposeFences()
{
}

