// The level sprite sets (sprite group 8): image 0 of each is the level's sky.
#pragma once

#include "kit/Image.h"

#include <vector>

namespace Skies
{
	// The tiling sky image of a level (0 … 9).
	Kit::Image SkyImage(int level);					// BakeSkies.cpp
	// Every image of a level's own sprite set, sky first.
	std::vector<Kit::Image> LevelSet(int level);	// BakeSkiesLevelSets.cpp
}
