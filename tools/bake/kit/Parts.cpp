// Repeated steps of the model descriptions (Parts.h).
#include "kit/Parts.h"
#include "kit/Art.h"
#include "kit/Primitives.h"

namespace Kit
{
	Mesh Standing(Mesh m, float height, float bottom)
	{
		Translate(m, {0, bottom + height / 2, 0});
		return m;
	}

	void AddPlaced(ModelBuilder& b, Mesh m, Vec3 at, Rgba color, int material)
	{
		Translate(m, at);
		b.Add(SetColor(m, color), material);
	}

	Node GlowingOrb(ModelFile& file, const GlowingOrbShape& shape, std::string name)
	{
		ModelBuilder b(file);
		int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(shape.textureSize, shape.textureSeed), shape.glow));
		Mesh orb = Sphere(shape.radius, shape.segments, shape.rings);
		Translate(orb, {0, shape.height, 0});
		GradientColor(orb, {120, 200, 255, 255}, {255, 255, 255, 255});
		b.Add(orb, glow);
		return b.Build(std::move(name));
	}
}
