#include "Effects/Sky.h"

void CreateSky()
{
}

