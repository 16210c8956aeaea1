// Steps the model descriptions keep repeating: a part set on its base, a
// part put in place in one colour, and the glowing blue-white orb that tops
// a pole or a pylon.
#pragma once

#include "kit/Model.h"

#include <cstdint>
#include <string>

namespace Kit
{
	// `m` (centred, as the primitives are) moved up so its base, `height`
	// tall, sits on y = `bottom`.
	Mesh Standing(Mesh m, float height, float bottom = 0);

	// `m` moved by `at`, coloured `color` all over and added with `material`.
	void AddPlaced(ModelBuilder& b, Mesh m, Vec3 at, Rgba color, int material);

	struct GlowingOrbShape
	{
		float radius = 30;
		int segments = 12, rings = 8;
		float height = 0;				// of its centre
		int textureSize = 16;
		uint32_t textureSeed = 0;
		float glow = 0.7f;				// the material's alpha
	};

	// A sphere shading from pale blue at its foot to white at its top, glowing.
	Node GlowingOrb(ModelFile& file, const GlowingOrbShape& shape, std::string name);
}
