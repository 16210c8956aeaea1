// Ground painters: the surface materials the worlds are drawn with, each a
// colour at a world position. Details stay at least a few texture pixels
// (14 world units each) wide so they read at a distance.
#pragma once

#include "worlds/WorldKit.h"

namespace TerrainBake::Ground
{
	// Two greens in broad patches with fine blades and a few flowers.
	Rgb Grass(const GroundSample& s, Rgb light, Rgb dark, uint32_t seed, float flowers = 0.0f);
	// Earth with darker mottling and scattered pebbles.
	Rgb Dirt(const GroundSample& s, Rgb base, uint32_t seed);
	// Stone: layered by height, cracked along ridged lines.
	Rgb Rock(const GroundSample& s, Rgb light, Rgb dark, uint32_t seed);
	// Glossy slime with rings of bubbles.
	Rgb Slime(const GroundSample& s, Rgb base, Rgb bubble, uint32_t seed);
	// Chunks of broken concrete and brick.
	Rgb Rubble(const GroundSample& s, Rgb base, uint32_t seed);
	// Road surface with cracks.
	Rgb Asphalt(const GroundSample& s, Rgb base, uint32_t seed);
	// Soft puffy cloud shaded by billows.
	Rgb Cloud(const GroundSample& s, Rgb light, Rgb shade, uint32_t seed);
	// Dark forest floor strewn with leaves.
	Rgb JungleFloor(const GroundSample& s, uint32_t seed);
	// Black crust with glowing cracks; `heat` 0 … 1 widens the glow.
	Rgb Lava(const GroundSample& s, float heat, uint32_t seed);
	// Snow with blue hollows, or clear ice with white cracks.
	Rgb Snow(const GroundSample& s, uint32_t seed);
	Rgb Ice(const GroundSample& s, uint32_t seed);
	// Square metal plates of `plate` units with seams and rivets.
	Rgb MetalPlates(const GroundSample& s, Rgb base, float plate, uint32_t seed);
	// Hexagonal plates with glowing seams.
	Rgb HexPlates(const GroundSample& s, Rgb base, Rgb glow, float size, uint32_t seed);
	// Paving stones (a path), `stone` units across.
	Rgb Paving(const GroundSample& s, Rgb base, float stone, uint32_t seed);
	// Furrowed field: rows `spacing` apart along `angle`, of crop over soil.
	Rgb Field(const GroundSample& s, Rgb crop, Rgb soil, float spacing, float angle, uint32_t seed);
	// Sand with ripples.
	Rgb Sand(const GroundSample& s, Rgb base, uint32_t seed);

	// Steep ground shows stone: blends toward rock() from slope `from` to `to`
	// (the stone is only painted where it shows).
	template <typename RockPainter>
	Rgb WithCliffs(Rgb ground, const GroundSample& s, RockPainter rock, float from = 0.35f, float to = 0.6f)
	{
		if (s.slope <= from)
			return ground;
		return Mix(ground, rock(), SmoothStep(from, to, s.slope));
	}
}
