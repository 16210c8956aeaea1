#include "Effects/Particles.h"

void InitParticleSystem()
{
}

void DisposeParticleSystem()
{
}

