#include "Terrain/Splines.h"

void PrimeSplines()
{
}

void MoveSplineObjects()
{
}

void DeleteAllSplineObjects()
{
}

