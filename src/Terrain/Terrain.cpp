#include "Terrain/Terrain.h"

void LoadLevelContent()
{
}

void MakeTriangleTemplates()
{
}

void UpdateVisibleTerrain(float /*x*/, float /*z*/)
{
}

void DisposeTerrain()
{
}

void DisposeSuperTileMemoryList()
{
}

