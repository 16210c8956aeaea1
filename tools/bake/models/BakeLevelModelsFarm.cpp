// The farm's working models: the red tractor (its body faces −z, the origin
// 150 above the ground, the wheels built round their hubs for the game to turn
// and place), the corn's kernel and the popcorn it pops into, and the pieces a
// dying onion or tomato flies apart into.
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"
#include "Enemies/FarmContent.h"

#include <cmath>

namespace LevelModels
{
	using namespace Kit;

	namespace
	{
		constexpr float TRACTOR_GROUND = -150;		// the tractor's origin rides this far above the ground

		Mesh Coloured(Mesh m, Rgba c)
		{
			SetColor(m, c);
			return m;
		}
	}

	Node TractorBody(ModelFile& file)
	{
		ModelBuilder b(file);
		int paint = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 1101)));
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 3, 1102)));
		const Rgba red = Hex(0xD0281E), darkRed = Hex(0x8A1810), black = Hex(0x222222), chrome = Hex(0xC8CCD4);
		// The bonnet reaches forward (−z) over the small front wheels; the cab
		// stands over the big rear wheels.
		Mesh bonnet = RoundedBox({110, 90, 210}, 18);
		Translate(bonnet, {0, -40, -60});
		b.Add(Coloured(bonnet, red), paint);
		Mesh grille = Box({92, 70, 6});
		Translate(grille, {0, -40, -168});
		b.Add(Coloured(grille, chrome), metal);
		Mesh chassis = Box({90, 30, 330});
		Translate(chassis, {0, -95, 0});
		b.Add(Coloured(chassis, darkRed), metal);
		Mesh seatBox = RoundedBox({150, 70, 120}, 12);
		Translate(seatBox, {0, -40, 110});
		b.Add(Coloured(seatBox, red), paint);
		// Fenders over the rear wheels.
		for (float side : {-1.0f, 1.0f})
		{
			Mesh fender = Cylinder(104, 104, 46, 16, true, false);
			Rotate(fender, {0, 0, PI / 2});
			Scale(fender, {1, 1, 1});
			Translate(fender, {side * 86, -40, 135});
			b.Add(Coloured(fender, darkRed), paint);
		}
		// The cab: four posts and a roof.
		for (float x : {-62.0f, 62.0f})
			for (float z : {60.0f, 160.0f})
			{
				Mesh post = Cylinder(5, 5, 150, 8);
				Translate(post, {x, 70, z});
				b.Add(Coloured(post, black), metal);
			}
		Mesh roof = RoundedBox({150, 12, 130}, 5);
		Translate(roof, {0, 150, 110});
		b.Add(Coloured(roof, Hex(0xF4F0E6)), paint);
		Mesh seat = RoundedBox({50, 30, 40}, 8);
		Translate(seat, {0, 10, 120});
		b.Add(Coloured(seat, black), paint);
		Mesh wheel = Torus(22, 4, 16, 6);
		Rotate(wheel, {-0.9f, 0, 0});
		Translate(wheel, {0, 40, 70});
		b.Add(Coloured(wheel, black), metal);
		// The exhaust stack in front of the cab.
		Mesh stack = Cylinder(8, 7, 110, 10);
		Translate(stack, {40, 55, -90});
		b.Add(Coloured(stack, chrome), metal);
		Mesh cap = Cylinder(11, 11, 10, 10);
		Translate(cap, {40, 112, -90});
		b.Add(Coloured(cap, black), metal);
		for (float side : {-1.0f, 1.0f})
		{
			Mesh lamp = Sphere(10, 10, 6);
			Translate(lamp, {side * 38, -10, -170});
			b.Add(Coloured(lamp, Hex(0xFFF4B0)), paint);
		}
		(void)TRACTOR_GROUND;
		return b.Build("tractor body");
	}

	// A wheel round its hub, its axle along x.
	Node TractorWheel(ModelFile& file, const std::string& name, float radius, float width, float side)
	{
		ModelBuilder b(file);
		int rubber = b.AddMaterial(Art::Opaque(Art::Treads(64, 12)));
		int paint = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 1103)));
		Mesh tyre = Torus(radius - width * 0.35f, width * 0.45f, 24, 8);
		Scale(tyre, {1, 1.6f, 1});
		Rotate(tyre, {0, 0, PI / 2});
		b.Add(Coloured(tyre, Hex(0x262626)), rubber);
		Mesh rim = Cylinder(radius * 0.62f, radius * 0.62f, width * 0.7f, 16);
		Rotate(rim, {0, 0, PI / 2});
		b.Add(Coloured(rim, Hex(0xF2C230)), paint);
		Mesh hub = Cylinder(radius * 0.2f, radius * 0.15f, width * 0.4f, 10);
		Rotate(hub, {0, 0, -side * PI / 2});
		Translate(hub, {side * width * 0.5f, 0, 0});
		b.Add(Coloured(hub, Hex(0xB0B4BC)), paint);
		// Spokes show the wheel turning.
		for (int k = 0; k < 4; k++)
		{
			Mesh spoke = Box({width * 0.75f, radius * 1.1f, radius * 0.12f});
			Rotate(spoke, {PI / 4 * float(k), 0, 0});
			b.Add(Coloured(spoke, Hex(0xC89A20)), paint);
		}
		return b.Build(name);
	}

	Node CornKernel(ModelFile& file)
	{
		ModelBuilder b(file);
		int m = b.AddMaterial(Art::Opaque(Art::PlainSurface(16, 1104)));
		Mesh k = Sphere(14, 10, 6);
		Scale(k, {1, 1.25f, 0.8f});
		GradientColor(k, Hex(0xE8A820), Hex(0xFFE060));
		b.Add(k, m);
		return b.Build("corn kernel");
	}

	Node Popcorn(ModelFile& file)
	{
		ModelBuilder b(file);
		int m = b.AddMaterial(Art::Opaque(Art::PlainSurface(16, 1105)));
		// Puffs of white round a toasted heart.
		const Vec3 puffs[] = {{0, 0, 0}, {12, 6, 0}, {-10, 8, 4}, {2, -8, 10}, {-4, 4, -12}, {8, 12, 9}};
		for (int i = 0; i < 6; i++)
		{
			Mesh p = Sphere(i == 0 ? 12 : 10, 8, 5);
			Translate(p, puffs[i]);
			b.Add(Coloured(p, i == 0 ? Hex(0xF0D890) : Hex(0xFFFBEA)), m);
		}
		return b.Build("popcorn");
	}

	Node OnionRing(ModelFile& file)
	{
		ModelBuilder b(file);
		int m = b.AddMaterial(Art::Opaque(Art::PlainSurface(16, 1106)));
		Mesh ring = Torus(26, 6, 20, 6);
		Scale(ring, {1, 1.5f, 1});
		GradientColor(ring, Hex(0x8A3868), Hex(0xD890C0));
		b.Add(ring, m);
		return b.Build("onion ring");
	}

	Node OnionTop(ModelFile& file)
	{
		ModelBuilder b(file);
		int m = b.AddMaterial(Art::Opaque(Art::PlainSurface(16, 1107)));
		Mesh bulb = Cone(22, 34, 12);
		b.Add(Coloured(bulb, Hex(0xC46A9C)), m);
		for (int k = 0; k < 3; k++)
		{
			Mesh leaf = Cone(3, 30, 6);
			Rotate(leaf, {0.35f, float(k) * 2.1f, 0});
			Translate(leaf, {0, 28, 0});
			b.Add(Coloured(leaf, Hex(0x58B030)), m);
		}
		return b.Build("onion top");
	}

	Node TomatoChunk(ModelFile& file)
	{
		ModelBuilder b(file);
		int m = b.AddMaterial(Art::Opaque(Art::PlainSurface(16, 1108)));
		Mesh flesh = Sphere(24, 8, 5, false);
		Scale(flesh, {1, 0.5f, 0.8f});
		b.Add(Coloured(flesh, Hex(0xE8321E)), m);
		Mesh seeds = Sphere(12, 6, 4);
		Scale(seeds, {1, 0.6f, 0.8f});
		Translate(seeds, {0, 6, 0});
		b.Add(Coloured(seeds, Hex(0xF4C040)), m);
		return b.Build("tomato chunk");
	}

	void AddFarmCreatureModels(ModelFile& f)
	{
		// Numbers between the sprouts and the kernel the game does not use on the farm.
		while (f.models.size() < size_t(FARM_MODEL_CORN_KERNEL))
			f.models.push_back(Placeholder(f, "farm spare " + std::to_string(f.models.size())));
		f.models.push_back(CornKernel(f));
		f.models.push_back(Popcorn(f));
		f.models.push_back(OnionRing(f));
		f.models.push_back(OnionTop(f));
		f.models.push_back(TomatoChunk(f));
	}
}
