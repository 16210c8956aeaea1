// The smaller effect systems the level loop drives: sparkles, shards and
// vapour trails (particle groups are in Particles.h, the sky in Sky.h).
#pragma once

#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Effects/VaporTrails.h"
