// Model 0 of the levels that have no backdrop: a slime-drenched rock on the
// slime world, the player's saucer on the saucer level, and an alien pylon in
// the brain boss arena.
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"

#include <cmath>

namespace LevelModels
{
	using namespace Kit;

	Node SlimeRock(ModelFile& file)
	{
		ModelBuilder b(file);
		int rock = b.AddMaterial(Art::Opaque(Art::PlainSurface(64, 201)));
		Mesh body = Flatten(Sphere(160, 10, 7, false));
		Scale(body, {1.2f, 0.8f, 1.0f});
		Translate(body, {0, 100, 0});
		GradientColor(body, {90, 60, 120, 255}, {170, 130, 200, 255});
		b.Add(body, rock);
		// Slime running down its sides.
		for (int i = 0; i < 5; i++)
		{
			float a = float(i) * 2 * PI / 5 + 0.3f;
			Mesh drip = Capsule(22, 150, 8, 4);
			Translate(drip, {150 * std::sin(a), 95, 130 * std::cos(a)});
			b.Add(SetColor(drip, {120, 240, 60, 255}), rock);
		}
		return b.Build("slime rock");
	}

	Node PlayerSaucer(ModelFile& file)
	{
		ModelBuilder b(file);
		int hull = b.AddMaterial(Art::Opaque(Art::MetalPanels(128, 4, 211)));
		int plain = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 213)));
		int glass = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 215), 0.6f));

		LatheOptions o;
		o.segments = 28;
		o.uRepeat = 6;
		Mesh body = Lathe({{0, 0}, {90, 10}, {200, 36}, {300, 62}, {312, 72}, {300, 82}, {220, 104}, {140, 118}, {0, 122}}, o);
		GradientColor(body, {70, 90, 140, 255}, {225, 230, 245, 255});
		b.Add(body, hull);
		for (int i = 0; i < 16; i++)
		{
			float a = float(i) * 2 * PI / 16;
			Mesh light = Sphere(10, 8, 4);
			Translate(light, {288 * std::sin(a), 72, 288 * std::cos(a)});
			b.Add(SetColor(light, i % 2 ? Art::EXIT_YELLOW : Art::ROBOT_BLUE), plain);
		}
		LatheOptions d;
		d.segments = 20;
		d.smoothAlong = true;
		Mesh dome = Lathe({{135, 116}, {128, 150}, {100, 182}, {56, 204}, {0, 210}}, d);
		b.Add(SetColor(dome, {160, 220, 255, 255}), glass);
		return b.Build("player saucer");
	}

	Node AlienPylon(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 2, 221)));
		int glow = b.AddMaterial(Art::Glowing(Art::GlowBands(64, 64, 4, false, 223), 0.9f));
		Mesh base = Cylinder(120, 90, 60, 8, true, false);
		Translate(base, {0, 30, 0});
		b.Add(SetColor(base, {90, 84, 110, 255}), metal);
		Mesh shaft = Cylinder(50, 30, 520, 8, true, false);
		Translate(shaft, {0, 320, 0});
		b.Add(SetColor(shaft, {120, 110, 140, 255}), metal);
		Mesh orb = Sphere(70, 12, 8);
		Translate(orb, {0, 640, 0});
		b.Add(SetColor(orb, {255, 80, 220, 255}), glow);
		return b.Build("alien pylon");
	}
}
