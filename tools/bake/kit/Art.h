// The game's shared art direction: palette and the stock textures the model
// and sprite bakers build from (bright, readable, low-poly).
#pragma once

#include "kit/Image.h"
#include "kit/Model.h"

namespace Kit::Art
{
	// The robot hero.
	constexpr Rgba ROBOT_BLUE{40, 120, 255, 255};
	constexpr Rgba ROBOT_WHITE{236, 240, 246, 255};
	constexpr Rgba ROBOT_GREY{168, 176, 190, 255};
	constexpr Rgba ROBOT_DARK{58, 62, 76, 255};
	constexpr Rgba ROBOT_VISOR{120, 255, 170, 255};
	constexpr Rgba ROBOT_ANTENNA{255, 60, 60, 255};
	// Accents.
	constexpr Rgba GOLD{255, 196, 40, 255};
	constexpr Rgba HAZARD_YELLOW{255, 210, 0, 255};
	constexpr Rgba HAZARD_BLACK{30, 30, 34, 255};
	constexpr Rgba ALIEN_GREEN{110, 240, 60, 255};
	constexpr Rgba ALIEN_PURPLE{150, 70, 220, 255};
	constexpr Rgba ICE_CYAN{150, 235, 255, 255};
	constexpr Rgba FLARE_ORANGE{255, 120, 20, 255};
	constexpr Rgba HEALTH_RED{255, 60, 70, 255};
	constexpr Rgba FUEL_BLUE{60, 170, 255, 255};
	constexpr Rgba EXIT_YELLOW{255, 225, 60, 255};

	// Light neutral metal: plates with seams and rivets and a little grime,
	// to be coloured by vertex colours. Tiles.
	Image MetalPanels(int size, int plates, uint32_t seed);
	// Near-white with faint noise: a texture for parts coloured only by
	// their vertex colours (sphere-mapped parts need some texture).
	Image PlainSurface(int size, uint32_t seed);
	// Yellow and black diagonal stripes. Tiles.
	Image HazardStripes(int size, int count);
	// Horizontal tread bars (ramps, steps). Tiles.
	Image Treads(int size, int bars);
	// White glow bands for beams and rings: bright streaks with soft alpha,
	// fading toward v = 1 when `fade` is set.
	Image GlowBands(int width, int height, int streaks, bool fade, uint32_t seed);

	// A material with the texture stored 16-bit opaque.
	Material Opaque(Image texture, uint32_t extraFlags = 0);
	// A glowing, always-blended RGBA material.
	Material Glowing(Image texture, float alpha = 1.0f, uint32_t extraFlags = 0);
}
