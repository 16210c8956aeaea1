// The jungle's creature leftovers and springy plants: the lizard's flame (a
// ragged glowing ball trailing tongues, drawn unlit and see-through), the
// mantis's acid glob (a bright green drop with its tail behind), and the four
// springy plants with the root they stand on. Shots face −z, the way they
// fly; the plants stand on y 0 and are shown at scale 4, so their size here is
// a quarter of the world's.
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"

#include <cmath>
#include <cstdint>

namespace LevelModels
{
	using namespace Kit;

	namespace
	{
		// Deterministic wobble −1 … 1 from a point's index and a seed.
		float Wobble(uint32_t i, uint32_t seed)
		{
			uint32_t h = (i + 1) * 2654435761u ^ seed * 2246822519u;
			h ^= h >> 15;
			h *= 2246822519u;
			h ^= h >> 13;
			return float(h & 0xFFFF) / 32767.5f - 1.0f;
		}

		// Pushes each point out or in along its distance from `centre`; points
		// in the same place move together, so no cracks open between faces.
		void Roughen(Mesh& m, Vec3 centre, float amount, uint32_t seed)
		{
			for (Vec3& p : m.points)
			{
				Vec3 r = p - centre;
				uint32_t key = uint32_t(int32_t(std::lround(p.x * 4))) * 73856093u ^ uint32_t(int32_t(std::lround(p.y * 4))) * 19349663u
						^ uint32_t(int32_t(std::lround(p.z * 4))) * 83492791u;
				p = centre + r * (1 + amount * Wobble(key, seed));
			}
		}

		// A tear drop: round head at the origin, the tail running `length` along +z.
		Mesh TearDrop(float radius, float length, int segments)
		{
			LatheOptions o;
			o.segments = segments;
			o.smoothAlong = true;
			Mesh drop = Lathe({{0, -radius}, {radius * 0.7f, -radius * 0.7f}, {radius, 0}, {radius * 0.75f, radius * 0.8f},
					{radius * 0.35f, length * 0.6f}, {0, length}}, o);
			Rotate(drop, {PI / 2, 0, 0});		// the lathe's +y becomes +z
			return drop;
		}
	}

	Node LizardFlame(ModelFile& file)
	{
		ModelBuilder b(file);
		int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 601), 0.85f));
		// The hot core, yellow (deep colours: the glow adds up toward white where flames overlap).
		Mesh core = Sphere(34, 8, 5);
		b.Add(SetColor(core, {255, 200, 80, 255}), glow);
		// The body of the flame: a lumpy ball, orange going red at its back.
		Mesh ball = Sphere(58, 10, 6, false);
		Roughen(ball, {0, 0, 0}, 0.22f, 602);
		GradientColor(ball, {230, 70, 10, 255}, {255, 160, 30, 255});
		b.Add(ball, glow);
		// Tongues licking back along the way it came.
		for (int k = 0; k < 5; k++)
		{
			float a = (2 * PI) * float(k) / 5 + 0.3f;
			Mesh tongue = Cone(22 - 2 * float(k % 2), 90 + 25 * float(k % 3), 5, false, false);
			Rotate(tongue, {PI / 2, 0, 0});		// its tip toward +z
			Translate(tongue, {std::cos(a) * 26, std::sin(a) * 26, 20});
			GradientColor(tongue, {200, 30, 10, 255}, {255, 110, 20, 255});
			b.Add(tongue, glow);
		}
		return b.Build("lizard flame");
	}

	Node MantisAcidGlob(ModelFile& file)
	{
		ModelBuilder b(file);
		int acid = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 611), 0.92f));
		Mesh drop = TearDrop(16, 34, 8);
		GradientColor(drop, {90, 200, 20, 255}, {220, 255, 80, 255});
		b.Add(drop, acid);
		// A bright fleck on its nose and two droplets trailing it.
		Mesh fleck = Sphere(5, 6, 4);
		Translate(fleck, {-5, 7, -9});
		b.Add(SetColor(fleck, {245, 255, 200, 255}), acid);
		for (int k = 0; k < 2; k++)
		{
			Mesh bead = Sphere(4.5f - 1.5f * float(k), 6, 4);
			Translate(bead, {k ? 6.0f : -5.0f, k ? -4.0f : 3.0f, 44.0f + 12 * float(k)});
			b.Add(SetColor(bead, {150, 235, 40, 255}), acid);
		}
		return b.Build("mantis acid glob");
	}

	Node SpringyPlant(ModelFile& file, int kind)
	{
		ModelBuilder b(file);
		int skin = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 620 + uint32_t(kind))));
		LatheOptions o;
		o.segments = 14;
		o.smoothAlong = true;
		o.capTop = true;
		static const Rgba kBody[4] = {{70, 170, 60, 255}, {220, 70, 120, 255}, {250, 150, 40, 255}, {120, 90, 200, 255}};
		static const Rgba kTop[4] = {{170, 240, 90, 255}, {255, 170, 200, 255}, {255, 230, 90, 255}, {200, 170, 255, 255}};
		const Rgba body = kBody[kind], top = kTop[kind];
		switch (kind)
		{
			case 0:
			{
				// A fat bulb with a flat springy pad on top.
				Mesh bulb = Lathe({{8, 0}, {26, 6}, {34, 20}, {30, 34}, {40, 40}, {44, 44}, {0, 46}}, o);
				GradientColor(bulb, body, top);
				b.Add(bulb, skin);
				break;
			}
			case 1:
			{
				// A pink cushion of petals round a round centre.
				Mesh cushion = Lathe({{10, 0}, {36, 10}, {42, 26}, {30, 36}, {0, 38}}, o);
				GradientColor(cushion, body, top);
				b.Add(cushion, skin);
				for (int k = 0; k < 8; k++)
				{
					Mesh petal = Sphere(1, 6, 4);
					Scale(petal, {10, 5, 20});
					Translate(petal, {0, 26, 34});
					Rotate(petal, {0, (2 * PI) * float(k) / 8, 0});
					b.Add(SetColor(petal, top), skin);
				}
				Mesh centre = Sphere(14, 8, 5);
				Translate(centre, {0, 38, 0});
				b.Add(SetColor(centre, {255, 240, 120, 255}), skin);
				break;
			}
			case 2:
			{
				// A ribbed gourd, like a squashed pumpkin.
				for (int k = 0; k < 6; k++)
				{
					Mesh rib = Sphere(1, 10, 6);
					Scale(rib, {20, 22, 34});
					Translate(rib, {0, 22, 16});
					Rotate(rib, {0, (2 * PI) * float(k) / 6, 0});
					GradientColor(rib, body, top);
					b.Add(rib, skin);
				}
				Mesh stalk = Cylinder(5, 4, 12, 6);
				Translate(stalk, {0, 40, 0});
				b.Add(SetColor(stalk, {90, 140, 40, 255}), skin);
				break;
			}
			default:
			{
				// A coiled purple spring of a stem under a broad leaf cap.
				Mesh stem = Lathe({{14, 0}, {10, 10}, {16, 18}, {10, 26}, {16, 32}, {12, 38}}, o);
				GradientColor(stem, body, top);
				b.Add(stem, skin);
				Mesh cap = Lathe({{44, 36}, {46, 40}, {30, 48}, {0, 50}}, o);
				GradientColor(cap, {90, 60, 170, 255}, top);
				b.Add(cap, skin);
				for (int k = 0; k < 5; k++)
				{
					Mesh spot = Sphere(4, 6, 3);
					Translate(spot, {24, 44, 0});
					Rotate(spot, {0, (2 * PI) * float(k) / 5, 0});
					b.Add(SetColor(spot, {255, 250, 230, 255}), skin);
				}
				break;
			}
		}
		static const char* kNames[4] = {"springy bulb", "springy cushion", "springy gourd", "springy coil"};
		return b.Build(kNames[kind]);
	}

	Node SpringyPlantRoot(ModelFile& file)
	{
		ModelBuilder b(file);
		int leaf = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 630)));
		// A rosette of broad leaves flat on the ground and a mound of earth.
		Mesh mound = Lathe({{34, 0}, {22, 5}, {0, 7}}, LatheOptions{10, true, true, false, false});
		b.Add(SetColor(mound, {100, 70, 40, 255}), leaf);
		for (int k = 0; k < 7; k++)
		{
			Mesh blade = Sphere(1, 6, 3);
			Scale(blade, {11, 2, 30});
			Translate(blade, {0, 2, 36});
			Rotate(blade, {0, (2 * PI) * float(k) / 7 + 0.2f, 0});
			GradientColor(blade, {40, 120, 40, 255}, {110, 200, 70, 255});
			b.Add(blade, leaf);
		}
		return b.Build("springy plant root");
	}
}
