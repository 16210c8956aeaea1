// The rides' models: zip-line posts and pulleys, the rocket sled, the cannon's
// carriage and barrel, the teleporter arch with its glow ring and its signs,
// and the twenty spinning platforms. Sizes are model units; the game shows
// them at the scales its rides use, and the shapes that decide where the
// robot can stand come from the game's own numbers (Items/Rides.h).
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"
#include "Items/RidesContent.h"

#include <cmath>
#include <string>

namespace LevelModels
{
	using namespace Kit;

	namespace
	{
		Mesh At(Mesh m, Vec3 p)
		{
			Translate(m, p);
			return m;
		}

		Mesh Turned(Mesh m, Vec3 radians)
		{
			Rotate(m, radians);
			return m;
		}

		struct Parts
		{
			ModelBuilder b;
			int plain, glow = -1;
			Parts(ModelFile& f, uint32_t seed) : b(f) { plain = b.AddMaterial(Art::Opaque(Art::PlainSurface(16, seed))); }
			void Add(Mesh m, Rgba c) { b.Add(SetColor(m, c), plain); }
			void AddShaded(Mesh m, Rgba bottom, Rgba top) { b.Add(GradientColor(m, bottom, top), plain); }
			void AddGlow(Mesh m, Rgba c, float alpha = 0.9f)
			{
				if (glow < 0)
					glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 991), alpha));
				b.Add(SetColor(m, c), glow);
			}
		};
	}

	Node ZipLinePost(ModelFile& file, const std::string& name, Rgba metal, Rgba band)
	{
		// Shown at 1.5: the cable leaves the top 500 above the ground.
		const float top = ZIP_POST_HEIGHT / 1.5f;
		Parts p(file, 601);
		p.Add(At(Cylinder(34, 40, 24, 10, true, false), {0, 12, 0}), Shade(metal, 0.6f));
		p.AddShaded(At(Cylinder(12, 10, top, 8, false, true), {0, top / 2, 0}), Shade(metal, 0.7f), metal);
		for (float y : {top * 0.3f, top * 0.6f})
			p.Add(At(Cylinder(14, 14, 14, 8, false, false), {0, y, 0}), band);
		p.Add(At(Box({70, 12, 12}), {0, top, 0}), metal);
		p.Add(At(Sphere(12, 8, 5, false), {0, top + 10, 0}), band);
		return p.b.Build(name);
	}

	Node ZipLinePulley(ModelFile& file, const std::string& name, Rgba metal, Rgba grip)
	{
		// Shown at 2.5: a wheel riding the cable, a short hook down to the grip
		// 60 under the wheel, as wide as the robot's raised hands.
		Parts p(file, 602);
		p.Add(Turned(Torus(9, 3, 14, 6), {0, 0, (PI / 2)}), metal);
		p.Add(At(Box({6, 16, 18}), {0, -6, 0}), Shade(metal, 0.7f));
		p.Add(At(Cylinder(2, 2, 12, 6, false, false), {0, -15, 0}), metal);
		p.Add(At(Box({60, 5, 5}), {0, -24, 0}), grip);
		return p.b.Build(name);
	}

	Node RocketSled(ModelFile& file, const std::string& name, Rgba body, Rgba trim)
	{
		// Shown at 1.3, nose toward −z; the seat is over z = 70, the two
		// nozzles at x = ±63 in the tail.
		Parts p(file, 603);
		for (float x : {-75.0f, 75.0f})
		{
			p.Add(At(Box({14, 10, 300}), {x, 5, 0}), Shade(trim, 0.8f));
			p.Add(At(Turned(Cylinder(7, 7, 40, 8, true, false), {(PI / 2), 0, 0}), {x, 14, -162}), trim);
		}
		p.AddShaded(At(RoundedBox({150, 60, 280}, 18, 2), {0, 50, 0}), Shade(body, 0.7f), body);
		p.AddShaded(At(Turned(Cone(75, 90, 10), {-(PI / 2), 0, 0}), {0, 50, -185}), Shade(body, 0.8f), body);
		p.Add(At(RoundedBox({110, 60, 60}, 10, 2), {0, 100, 100}), Shade(trim, 0.7f));
		for (float x : {-63.0f, 63.0f})
		{
			p.Add(At(Turned(Cylinder(26, 18, 50, 10, false, false), {(PI / 2), 0, 0}), {x, 40, 145}), Shade(trim, 0.5f));
			p.AddGlow(At(Turned(Cylinder(16, 16, 4, 10, true, false), {(PI / 2), 0, 0}), {x, 40, 171}), Hex(0xFFB040));
		}
		return p.b.Build(name);
	}

	Node CannonBase(ModelFile& file)
	{
		// Shown at 1.9: a round carriage on four wheels; the barrel sits on its pivot.
		Parts p(file, 604);
		Rgba wood = Hex(0x8A5A30), iron = Hex(0x3A3C44);
		p.AddShaded(At(Cylinder(95, 85, 70, 12, true, false), {0, 35, 0}), Shade(wood, 0.7f), wood);
		for (float x : {-70.0f, 70.0f})
		{
			p.Add(At(Box({16, 90, 70}), {x, 110, 0}), wood);
			for (float z : {-60.0f, 60.0f})
				p.Add(At(Turned(Cylinder(32, 32, 14, 12, true, false), {0, 0, (PI / 2)}), {x * 1.25f, 32, z}), iron);
		}
		return p.b.Build("cannon carriage");
	}

	Node CannonBarrel(ModelFile& file)
	{
		// Raised 30° toward −z from a pivot 130 up; its muzzle hangs over the
		// point 240 in front (456 once shown at 1.9), where the robot climbs in.
		Parts p(file, 605);
		Rgba iron = Hex(0x2E3038), brass = Hex(0xD8A840);
		Mesh barrel = Lathe({{0, -60}, {52, -60}, {48, 40}, {40, 200}, {48, 206}, {48, 220}, {30, 220}, {28, 120}, {0, 120}},
				LatheOptions{.segments = 14, .smoothAround = true});
		GradientColor(barrel, iron, Shade(iron, 1.6f));
		Rotate(barrel, {-PI / 3, 0, 0});
		Translate(barrel, {0, 130, 0});
		p.b.Add(barrel, p.plain);
		p.Add(At(Turned(Torus(50, 6, 14, 6), {-PI / 3, 0, 0}), {0, 130 + 40 * 0.5f, -40 * 0.866f}), brass);
		p.Add(At(Turned(Cylinder(14, 14, 170, 10, true, false), {0, 0, (PI / 2)}), {0, 130, 0}), brass);
		return p.b.Build("cannon barrel");
	}

	Node TeleporterArch(ModelFile& file)
	{
		// Two posts either side of the middle and a lintel; the robot walks
		// through along z.
		Parts p(file, 606);
		Rgba steel = Hex(0x5A6478), glow = Hex(0x70E0FF);
		const float w = TELEPORTER_HALF_WIDTH, h = TELEPORTER_HEIGHT, post = TELEPORTER_POST_HALF;
		for (float x : {-w, w})
		{
			p.AddShaded(At(Box({post * 2, h, post * 2}), {x, h / 2, 0}), Shade(steel, 0.6f), steel);
			p.AddGlow(At(Box({8, h * 0.8f, post * 2 + 6}), {x - (x > 0 ? post : -post), h / 2, 0}), glow);
		}
		p.AddShaded(At(Box({w * 2 + post * 2, 40, post * 2 + 10}), {0, h + 20, 0}), steel, Shade(steel, 1.3f));
		p.Add(At(Box({w * 2 + post * 4, 16, post * 2 + 30}), {0, 8, 0}), Shade(steel, 0.5f));
		return p.b.Build("teleporter");
	}

	Node TeleporterGlowRing(ModelFile& file)
	{
		// Beads of light round a circle in the arch's plane, centred on the
		// model's origin so that spinning it about z turns it in place.
		Parts p(file, 607);
		const float r = TELEPORTER_HEIGHT * 0.42f;
		for (int i = 0; i < 12; i++)
		{
			float a = (2 * PI) * float(i) / 12;
			float size = (i % 3 == 0) ? 16.0f : 9.0f;
			p.AddGlow(At(Sphere(size, 8, 5), {std::cos(a) * r, std::sin(a) * r, 0}), i % 3 == 0 ? Hex(0xFFFFFF) : Hex(0x60D0FF), 0.8f);
		}
		return p.b.Build("teleporter glow ring");
	}

	Node TeleporterSign(ModelFile& file, int destination)
	{
		// A plaque naming the destination by its count of lights (1 … 12).
		Parts p(file, 608 + uint32_t(destination));
		p.Add(Box({120, 60, 8}), Hex(0x303848));
		const int n = destination + 1;
		for (int i = 0; i < n; i++)
		{
			int row = i / 6, col = i % 6;
			p.AddGlow(At(Sphere(5, 6, 4), {-40 + 16 * float(col), 12 - 22 * float(row), -6}), Hex(0xFFE060));
			p.AddGlow(At(Sphere(5, 6, 4), {-40 + 16 * float(col), 12 - 22 * float(row), 6}), Hex(0xFFE060));
		}
		return p.b.Build("teleporter sign " + std::to_string(destination));
	}

	Node SpinningPlatform(ModelFile& file, int kind)
	{
		// The top surface at y = 0, the slab below it.
		static const uint32_t COLOURS[4] = {0x6AD0A0, 0xE0A040, 0x90A0F0, 0xF070B0};
		const Rgba top = Hex(COLOURS[kind % 4]), side = Shade(top, 0.55f);
		const float t = SPINNING_PLATFORM_THICKNESS;
		Parts p(file, 620 + uint32_t(kind));
		auto slab = [&](Mesh m) { p.AddShaded(At(m, {0, -t / 2, 0}), side, top); };
		switch (SpinningPlatformShape(kind / 4))
		{
			case SPINNING_SHAPE_RECTANGLE:
				slab(RoundedBox({SPINNING_RECT_HALF_X * 2, t, SPINNING_RECT_HALF_Z * 2}, 8, 1));
				break;
			case SPINNING_SHAPE_DISC:
				slab(Cylinder(SPINNING_DISC_RADIUS, SPINNING_DISC_RADIUS * 0.92f, t, 20, true, false));
				break;
			case SPINNING_SHAPE_THREE_ARMS:
			case SPINNING_SHAPE_ARMS_PILLAR:
			{
				slab(Cylinder(SPINNING_ARM_HUB, SPINNING_ARM_HUB * 0.9f, t, 16, true, false));
				for (int k = 0; k < 3; k++)
				{
					float a = (2 * PI) * float(k) / 3;
					const float len = SPINNING_ARM_LENGTH;
					Mesh arm = Box({SPINNING_ARM_HALF_WIDTH * 2, t, len});
					Translate(arm, {0, 0, len / 2});
					Rotate(arm, {0, a, 0});
					slab(arm);
				}
				if (kind / 4 == SPINNING_SHAPE_ARMS_PILLAR)
				{
					const float ph = SPINNING_PILLAR_HEIGHT / SPINNING_PLATFORM_SCALE;
					const float pr = SPINNING_PILLAR_HALF / SPINNING_PLATFORM_SCALE;
					p.AddShaded(At(Cylinder(pr, pr * 0.8f, ph, 10, true, false), {0, ph / 2, 0}), side, top);
					p.AddGlow(At(Sphere(pr * 1.4f, 10, 6), {0, ph + pr, 0}), Hex(0xFFFFA0));
				}
				break;
			}
			case SPINNING_SHAPE_CROSS:
				slab(Box({SPINNING_CROSS_HALF_WIDTH * 2, t, SPINNING_CROSS_HALF_LENGTH * 2}));
				slab(Box({SPINNING_CROSS_HALF_LENGTH * 2, t, SPINNING_CROSS_HALF_WIDTH * 2}));
				break;
		}
		p.Add(At(Cylinder(30, 10, 120, 8, false, false), {0, -t - 60, 0}), side);
		return p.b.Build("spinning platform " + std::to_string(kind));
	}
}
