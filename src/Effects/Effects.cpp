#include "Effects/Effects.h"

void InitShardSystem()
{
}

void InitSparkles()
{
}

void InitVaporTrails()
{
}

void MoveVaporTrails()
{
}

void MoveShards()
{
}

void DrawShards()
{
}

void DrawVaporTrails()
{
}

void DisposeVaporTrailMaterial()
{
}

