#include "3D/Camera.h"

void InitCamera()
{
}

void MoveCamera()
{
}

void DrawLensFlare()
{
}

