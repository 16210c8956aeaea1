// The level models of the rescue and the last battle: the glass capsule the
// aliens shut humans in (model 5 of the levels that have capsules), the
// villagers' hut of the saucer level (its model 1), the alien portal of the
// brain boss arena (its model 5), and the named stand-ins that hold the
// numbers before them until their real models are built.
#include "models/BakeLevelModels.h"
#include "System/ContentNumbers.h"
#include "kit/Art.h"
#include "kit/Primitives.h"

#include <cmath>

namespace LevelModels
{
	using namespace Kit;

	namespace
	{
		// Pale blue glass: mostly clear, with soft vertical highlights so the
		// curve reads even against a bright sky.
		Image GlassImage()
		{
			Image img(32, 32);
			for (int y = 0; y < 32; y++)
				for (int x = 0; x < 32; x++)
				{
					float u = (float(x) + 0.5f) / 32;
					float streak = std::exp(-std::pow((u - 0.22f) / 0.05f, 2.0f)) + 0.5f * std::exp(-std::pow((u - 0.34f) / 0.03f, 2.0f));
					float a = 70 + 170 * std::fmin(streak, 1.0f);
					img.At(x, y) = {uint8_t(190 + 60 * std::fmin(streak, 1.0f)), 240, 255, uint8_t(a)};
				}
			return img;
		}

		// Straw: warm stripes running down the roof.
		Image ThatchImage()
		{
			Image img(64, 64);
			for (int y = 0; y < 64; y++)
				for (int x = 0; x < 64; x++)
				{
					uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y / 4) * 19349663u;
					float n = float((h >> 7) % 100) / 100.0f;
					float band = (y % 16) < 2 ? 0.7f : 1.0f;
					float v = (0.8f + 0.25f * n) * band;
					img.At(x, y) = {uint8_t(std::fmin(255.0f, 230 * v)), uint8_t(std::fmin(255.0f, 190 * v)), uint8_t(110 * v), 255};
				}
			return img;
		}
	}

	Node Placeholder(ModelFile& file, const std::string& name)
	{
		// A small grey marker block: visibly not art, and never drawn by a
		// level that does not place the thing it stands in for.
		ModelBuilder b(file);
		int plain = b.AddMaterial(Art::Opaque(Art::PlainSurface(16, 241)));
		Mesh block = Box({40, 40, 40});
		Translate(block, {0, 20, 0});
		b.Add(SetColor(block, {150, 150, 160, 255}), plain);
		return b.Build("placeholder: " + name);
	}

	Node HumanCapsule(ModelFile& file)
	{
		// One unit across and one high, its floor at y 0: the game scales it
		// to the size of the human inside.
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 2, 231)));
		int glass = b.AddMaterial(Art::Glowing(GlassImage(), 0.8f));
		int lamp = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 233), 1.0f));

		LatheOptions base;
		base.segments = 20;
		Mesh foot = Lathe({{0, 0}, {0.5f, 0}, {0.5f, 0.05f}, {0.46f, 0.09f}, {0, 0.09f}}, base);
		GradientColor(foot, Art::ROBOT_DARK, Art::ALIEN_PURPLE);
		b.Add(foot, metal);
		Mesh cap = Lathe({{0, 0.9f}, {0.4f, 0.9f}, {0.44f, 0.93f}, {0.36f, 0.98f}, {0, 1.0f}}, base);
		GradientColor(cap, Art::ALIEN_PURPLE, Art::ROBOT_DARK);
		b.Add(cap, metal);

		LatheOptions around;
		around.segments = 20;
		around.smoothAlong = true;
		around.uRepeat = 3;
		Mesh tube = Lathe({{0.44f, 0.08f}, {0.45f, 0.3f}, {0.45f, 0.7f}, {0.42f, 0.86f}, {0.38f, 0.92f}}, around);
		MakeDoubleSided(tube);
		b.Add(SetColor(tube, {255, 255, 255, 255}), glass);

		// Three ribs hold the cap; the lamp on top tells a locked pod at a glance.
		for (int i = 0; i < 3; i++)
		{
			float a = float(i) * 2 * PI / 3 + 0.5f;
			Mesh rib = Cylinder(0.03f, 0.03f, 0.84f, 6);
			Translate(rib, {0.46f * std::sin(a), 0.5f, 0.46f * std::cos(a)});
			b.Add(SetColor(rib, Art::ALIEN_PURPLE), metal);
		}
		Mesh light = Sphere(0.06f, 10, 6);
		Translate(light, {0, 0.97f, 0});
		b.Add(SetColor(light, Art::ALIEN_GREEN), lamp);
		return b.Build("human capsule");
	}

	Node PeopleHut(ModelFile& file)
	{
		// A round cottage with a straw roof, a door and two windows; the
		// saucer level shows it at scale 2, about twice a villager's height.
		ModelBuilder b(file);
		int plaster = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 251)));
		int straw = b.AddMaterial(Art::Opaque(ThatchImage()));

		Mesh wall = Cylinder(72, 68, 56, 16, false);
		Translate(wall, {0, 28, 0});
		GradientColor(wall, {170, 140, 110, 255}, {240, 225, 200, 255});
		b.Add(wall, plaster);

		LatheOptions roofShape;
		roofShape.segments = 16;
		roofShape.uRepeat = 4;
		Mesh roof = Lathe({{86, 50}, {80, 58}, {52, 84}, {20, 106}, {0, 114}}, roofShape);
		GradientColor(roof, {200, 160, 90, 255}, {255, 230, 150, 255});
		b.Add(roof, straw);
		Mesh eave = Cylinder(86, 86, 4, 16, true, false);
		Translate(eave, {0, 49, 0});
		b.Add(SetColor(eave, {150, 110, 60, 255}), straw);

		// The door faces −z (the hut's front), the windows to either side.
		Mesh door = Box({22, 38, 4});
		Translate(door, {0, 19, -70});
		b.Add(SetColor(door, {120, 70, 40, 255}), plaster);
		for (float x : {-1.0f, 1.0f})
		{
			// Round the wall by `a` from the front, facing out.
			float a = x * 1.1f;
			Mesh window = Box({16, 14, 6});
			Rotate(window, {0, -a, 0});
			Translate(window, {70 * std::sin(a), 32, -70 * std::cos(a)});
			b.Add(SetColor(window, {255, 220, 120, 255}), plaster);
		}
		Mesh chimney = Box({12, 26, 12});
		Translate(chimney, {30, 100, 20});
		b.Add(SetColor(chimney, {150, 90, 70, 255}), plaster);
		return b.Build("people hut");
	}

	Node AlienPortal(ModelFile& file)
	{
		// A standing ring gate on a stepped base, facing −z (the way the
		// elite aliens walk out), a swirl of light in the ring and a beacon
		// at the top (y 192), where the game puts the portal's sparkle.
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 3, 261)));
		int swirlMat = b.AddMaterial(Art::Glowing(Art::GlowBands(64, 64, 6, false, 263), 0.75f));
		int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 265), 1.0f));

		Mesh step1 = Cylinder(78, 70, 12, 8, true, false);
		Translate(step1, {0, 6, 0});
		b.Add(SetColor(step1, {70, 60, 90, 255}), metal);
		Mesh step2 = Cylinder(56, 50, 12, 8, true, false);
		Translate(step2, {0, 18, 0});
		b.Add(SetColor(step2, {100, 80, 130, 255}), metal);

		const float RING_Y = 100, RING_R = 66;
		Mesh ring = Torus(RING_R, 11, 24, 8);
		Rotate(ring, {PI / 2, 0, 0});
		Translate(ring, {0, RING_Y, 0});
		GradientColor(ring, Art::ALIEN_PURPLE, {220, 140, 255, 255});
		b.Add(ring, metal);
		for (float x : {-1.0f, 1.0f})
		{
			Mesh leg = Cylinder(12, 8, 70, 6);
			Rotate(leg, {0, 0, x * 0.35f});
			Translate(leg, {x * 48, 50, 0});
			b.Add(SetColor(leg, {90, 70, 120, 255}), metal);
			// Green lamps on the ring's sides.
			Mesh lamp = Sphere(9, 8, 5);
			Translate(lamp, {x * (RING_R + 8), RING_Y, 0});
			b.Add(SetColor(lamp, Art::ALIEN_GREEN), glow);
		}

		Mesh swirl = FlatPolygon([&] {
			std::vector<Vec3> rim;
			for (int i = 0; i < 20; i++)
			{
				float a = float(i) * 2 * PI / 20;
				rim.push_back({(RING_R - 6) * std::cos(a), RING_Y + (RING_R - 6) * std::sin(a), 0});
			}
			return rim;
		}(), {0, 0, -1}, 1.0f / (2 * RING_R));
		MakeDoubleSided(swirl);
		b.Add(SetColor(swirl, {255, 120, 240, 255}), swirlMat);

		Mesh spike = Cone(10, 26, 6);
		Translate(spike, {0, RING_Y + RING_R + 10 + 13, 0});
		b.Add(SetColor(spike, {120, 90, 160, 255}), metal);
		Mesh beacon = Sphere(12, 10, 6);
		Translate(beacon, {0, 192, 0});
		b.Add(SetColor(beacon, {255, 255, 255, 255}), glow);
		return b.Build("alien portal");
	}
}
