// Painters of the sprite sets every level loads (see the sprite numbers in
// System/ContentNumbers.h). Each returns the set's images in index order.
#pragma once

#include "kit/Image.h"

#include <vector>

namespace Sprites
{
	std::vector<Kit::Image> SphereMaps();		// BakeSpritesGlobal.cpp
	std::vector<Kit::Image> GlobalSet();		// BakeSpritesGlobal.cpp
	std::vector<Kit::Image> Infobar();			// BakeSpritesInfobar.cpp
	std::vector<Kit::Image> Particles();		// BakeSpritesParticles.cpp
	std::vector<Kit::Image> Fences();			// BakeSpritesFences.cpp
}
