// The contraptions' models: on the slime world the bubble pump and its
// bubble, the boats and the spiky things whose points pop bubbles; on the fire-and-ice level the exit lift (a
// squat round pod with a domed lid), the sheet of ice sealing it and the
// crack decal; on the cloud level the bumper cars, the electric poles with
// their glowing tops, and the arena's gate with its force field. Each is
// built in model units at the scale its routine shows it.
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Parts.h"
#include "kit/Primitives.h"
#include "System/ContentNumbers.h"
#include "Items/SpikyPoints.h"

#include <cmath>

namespace LevelModels
{
	using namespace Kit;

	// A square sheet ±50 across, its top at y 0 (shown at scale 20).
	Node ExitIceSheet(ModelFile& file)
	{
		ModelBuilder b(file);
		int ice = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 301), 0.55f));
		Mesh slab = Box({100, 3, 100});
		Translate(slab, {0, -1.5f, 0});
		GradientColor(slab, {120, 200, 255, 255}, {220, 250, 255, 255});
		b.Add(slab, ice);
		return b.Build("ice sheet");
	}

	// The base stands 100 above the ground at scale 2.7: its skirt reaches
	// down into it; the lid rests on the body's top at y 30.
	Node ExitLiftBase(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 4, 302)));
		int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 303), 0.9f));
		AddPlaced(b, Cylinder(80, 72, 44, 20, false), {0, -40, 0}, Art::ROBOT_DARK, metal);
		Mesh body = Cylinder(72, 76, 34, 20);
		Translate(body, {0, 0, 0});
		GradientColor(body, Art::ROBOT_GREY, Art::ROBOT_WHITE);
		b.Add(body, metal);
		AddPlaced(b, Torus(76, 4, 24, 6), {0, 16, 0}, Art::EXIT_YELLOW, glow);
		for (int i = 0; i < 4; i++)
		{
			Mesh fin = Box({10, 46, 34});
			Translate(fin, {0, 4, 78});
			Rotate(fin, {0, float(i) * PI / 2 + PI / 4, 0});
			b.Add(SetColor(fin, Art::ROBOT_BLUE), metal);
		}
		return b.Build("exit lift base");
	}

	Node ExitLiftLid(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 304)));
		LatheOptions o;
		o.segments = 20;
		o.smoothAlong = true;
		Mesh dome = Lathe({{70, 34}, {66, 42}, {50, 52}, {26, 58}, {0, 60}}, o);
		GradientColor(dome, Art::ROBOT_WHITE, Art::ICE_CYAN);
		b.Add(dome, metal);
		AddPlaced(b, Sphere(7, 8, 5), {0, 62, 0}, Art::EXIT_YELLOW, metal);
		return b.Build("exit lift lid");
	}

	// Jagged white lines from a centre, flat on y 0 (shown at scale 3 … 4).
	Node IceCrack(ModelFile& file)
	{
		ModelBuilder b(file);
		int white = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 305), 0.9f));
		for (int i = 0; i < 7; i++)
		{
			float a = float(i) * 2 * PI / 7 + 0.3f * std::sin(float(i) * 5.1f);
			float len = 22 + 9 * std::fabs(std::sin(float(i) * 2.7f));
			Mesh line = Box({1.6f, 0.4f, len});
			Translate(line, {0, 0.2f, len / 2});
			Rotate(line, {0, a, 0});
			b.Add(SetColor(line, {235, 250, 255, 255}), white);
		}
		return b.Build("ice crack");
	}

	// 220 across (the cars meet when 396 apart at scale 1.8), a seat, a
	// rubber bumper and a pole to the ceiling grid.
	Node BumperCar(ModelFile& file, bool players)
	{
		ModelBuilder b(file);
		int paint = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, players ? 311 : 312)));
		Rgba shell = players ? Art::HAZARD_YELLOW : Rgba{230, 60, 90, 255};
		AddPlaced(b, RoundedBox({180, 40, 200}, 18, 2), {0, 34, 0}, shell, paint);
		Mesh bumper = Torus(100, 10, 28, 6);
		Scale(bumper, {1.1f, 1, 1});
		Translate(bumper, {0, 18, 0});
		b.Add(SetColor(bumper, Art::HAZARD_BLACK), paint);
		AddPlaced(b, RoundedBox({90, 50, 40}, 10, 2), {0, 70, 40}, players ? Art::ROBOT_BLUE : Rgba{60, 60, 80, 255}, paint);
		AddPlaced(b, Cylinder(4, 4, 120, 6), {0, 50, 80}, Art::ROBOT_GREY, paint);
		return b.Build(players ? "player's bumper car" : "bumper car");
	}

	// A striped mast with an insulator ring near its top (shown at scale 1.1).
	Node BumperPole(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::HazardStripes(64, 6)));
		int plain = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 313)));
		Mesh foot = Cylinder(60, 44, 40, 12);
		b.Add(SetColor(foot, Art::ROBOT_DARK), plain);
		AddPlaced(b, Cylinder(22, 18, 560, 12), {0, 40, 0}, {255, 255, 255, 255}, metal);
		AddPlaced(b, Torus(30, 8, 14, 6), {0, 590, 0}, Art::ROBOT_GREY, plain);
		return b.Build("bumper pole");
	}

	// The glowing ball shown 80 above the pole's base, over the mast's top.
	Node BumperPoleTop(ModelFile& file)
	{
		return GlowingOrb(file,
				{.radius = 40, .segments = 14, .rings = 8, .height = 560, .textureSize = 32, .textureSeed = 314, .glow = 0.85f},
				"bumper pole top");
	}

	// Two posts and a lintel (shown at scale 3.5): 120 wide, 60 high.
	Node BumperGate(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 3, 315)));
		for (float x : {-56.0f, 56.0f})
		{
			AddPlaced(b, Box({8, 62, 10}), {x, 31, 0}, Art::ROBOT_GREY, metal);
		}
		AddPlaced(b, Box({120, 8, 12}), {0, 62, 0}, Art::HAZARD_YELLOW, metal);
		return b.Build("bumper arena gate");
	}

	// The curtain of light between the gate's posts.
	Node BumperForceField(ModelFile& file)
	{
		ModelBuilder b(file);
		int glow = b.AddMaterial(Art::Glowing(Art::GlowBands(64, 64, 6, false, 316), 0.8f));
		AddPlaced(b, Box({104, 56, 2}), {0, 29, 0}, {120, 220, 255, 255}, glow);
		return b.Build("bumper gate force field");
	}

	// A soap bubble of radius 100 round its centre (shown at 0.16 … 1.6).
	Node Bubble(ModelFile& file)
	{
		ModelBuilder b(file);
		int film = b.AddMaterial(Art::Glowing(Art::GlowBands(64, 64, 5, false, 321), 0.45f));
		Mesh ball = Sphere(100, 20, 12);
		GradientColor(ball, {120, 255, 200, 255}, {230, 200, 255, 255});
		b.Add(ball, film);
		return b.Build("bubble");
	}

	// The pump's body: a squat drum 40 across and 20 high at scale 1 (shown at 2).
	Node BubblePumpBase(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 3, 322)));
		Mesh drum = Cylinder(20, 18, 20, 16);
		GradientColor(drum, {90, 70, 120, 255}, {170, 140, 210, 255});
		b.Add(drum, metal);
		Mesh nozzle = Cylinder(5, 7, 10, 8);
		Rotate(nozzle, {PI / 2, 0, 0});
		Translate(nozzle, {0, 12, -18});
		b.Add(SetColor(nozzle, Art::ALIEN_GREEN), metal);
		return b.Build("bubble pump base");
	}

	// The plunger's cap on its rod, resting on the drum's top.
	Node BubblePumpPlunger(ModelFile& file)
	{
		ModelBuilder b(file);
		int paint = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 323)));
		AddPlaced(b, Cylinder(3, 3, 10, 8), {0, 18, 0}, Art::ROBOT_GREY, paint);
		AddPlaced(b, Cylinder(15, 14, 5, 16), {0, 27, 0}, Art::HEALTH_RED, paint);
		return b.Build("bubble pump plunger");
	}
}

//
// The slime world's boats and spiky things
//

namespace LevelModels
{
	namespace
	{
		// A cone from `base` to `tip`, `radius` wide at its base.
		Mesh Spike(Vec3 base, Vec3 tip, float radius, int segments)
		{
			Vec3 d = Normalize(tip - base);
			Vec3 side = std::fabs(d.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
			Vec3 a = Normalize(Cross(d, side)), c = Cross(d, a);
			Mesh m;
			std::vector<uint32_t> ring;
			for (int i = 0; i < segments; i++)
			{
				float t = 2 * PI * float(i) / float(segments);
				Vec3 out = a * std::cos(t) + c * std::sin(t);
				ring.push_back(m.AddVertex(base + out * radius, Normalize(out + d * 0.3f), {float(i) / float(segments), 0}));
			}
			uint32_t apex = m.AddVertex(tip, d, {0.5f, 1});
			for (int i = 0; i < segments; i++)
			{
				uint32_t p = ring[size_t(i)], q = ring[size_t((i + 1) % segments)];
				// Wound to face outward whichever way the basis turned.
				Vec3 n = Cross(m.points[q] - m.points[p], tip - m.points[p]);
				Vec3 mid = (m.points[p] + m.points[q]) * 0.5f - base;
				if (Dot(n, mid) >= 0)
					m.AddTriangle(p, q, apex);
				else
					m.AddTriangle(q, p, apex);
			}
			return m;
		}

		Vec3 V(const SpikePoint& p)
		{
			return {p.x, p.y, p.z};
		}
	}

	// A little motor boat, its bow toward −z, 60 long and 28 wide at scale 1
	// (shown at 4), its origin amidships at the waterline.
	Node BoatHull(ModelFile& file)
	{
		ModelBuilder b(file);
		int paint = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 331)));
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 2, 332)));
		// The hull: a boat-shaped outline pulled up into a tub.
		std::vector<Vec2> outline = {{-14, -8}, {-9, -24}, {0, -32}, {9, -24}, {14, -8}, {14, 22}, {-14, 22}};
		Mesh hull = Extrude(outline, 12, 1.5f);
		Rotate(hull, {PI / 2, 0, 0});
		Translate(hull, {0, 6, 0});
		GradientColor(hull, {200, 60, 40, 255}, {250, 240, 230, 255});
		b.Add(hull, paint);
		// The engine housing at the stern, the seat and a little windscreen.
		AddPlaced(b, RoundedBox({12, 10, 10}, 2), {0, 11, 20}, Art::ROBOT_GREY, metal);
		AddPlaced(b, Box({20, 3, 8}), {0, 8, 8}, {80, 60, 50, 255}, paint);
		Mesh screen = Box({22, 7, 1.5f});
		Rotate(screen, {-0.4f, 0, 0});
		Translate(screen, {0, 11, -12});
		b.Add(SetColor(screen, {150, 220, 255, 255}), metal);
		Mesh shaft = Cylinder(1.2f, 1.2f, 8, 6);
		Rotate(shaft, {PI / 2, 0, 0});
		Translate(shaft, {0, -4, 22});
		b.Add(SetColor(shaft, Art::ROBOT_DARK), metal);
		return b.Build("boat hull");
	}

	// Three blades round a hub on the z axis.
	Node BoatPropeller(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 333)));
		Mesh hub = Sphere(2.2f, 8, 6);
		b.Add(SetColor(hub, Art::ROBOT_GREY), metal);
		for (int i = 0; i < 3; i++)
		{
			Mesh blade = Box({2.5f, 7, 0.8f});
			Rotate(blade, {0, 0.5f, 0});
			Translate(blade, {0, 4.5f, 0});
			Rotate(blade, {0, 0, 2 * PI * float(i) / 3});
			b.Add(SetColor(blade, {230, 200, 80, 255}), metal);
		}
		return b.Build("boat propeller");
	}

	// A thorny seed pod on a short stalk, its spikes ending on the points the
	// game pops bubbles at.
	Node SpikyBall(ModelFile& file)
	{
		ModelBuilder b(file);
		int skin = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 334)));
		int thorn = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 335), 0.95f));
		Vec3 centre = V(kSpikyBallCentre);
		Mesh stalk = Cylinder(22, 14, centre.y - 40, 10);
		b.Add(GradientColor(stalk, {60, 40, 70, 255}, {120, 90, 140, 255}), skin);
		Mesh pod = Sphere(55, 16, 10);
		Translate(pod, centre);
		b.Add(GradientColor(pod, {110, 40, 140, 255}, {200, 120, 230, 255}), skin);
		for (const SpikePoint& p : kSpikyBallPoints)
		{
			Vec3 tip = V(p);
			Vec3 base = centre + Normalize(tip - centre) * 40;
			Mesh spike = Spike(base, tip, 14, 8);
			b.Add(GradientColor(spike, {255, 240, 150, 255}, {255, 255, 240, 255}), thorn);
		}
		return b.Build("spiky pod");
	}

	// A tall thorned stalk, its thorns and crown ending on the game's points.
	Node SpikyStalk(ModelFile& file)
	{
		ModelBuilder b(file);
		int skin = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 336)));
		int thorn = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 337), 0.95f));
		Mesh stalk = Cylinder(30, 12, 380, 10);
		b.Add(GradientColor(stalk, {40, 90, 50, 255}, {120, 200, 90, 255}), skin);
		for (const SpikePoint& p : kSpikyStalkPoints)
		{
			Vec3 tip = V(p);
			Vec3 base = {0, tip.y - (tip.x == 0 && tip.z == 0 ? 60.0f : 25.0f), 0};
			Mesh spike = Spike(base, tip, tip.x == 0 && tip.z == 0 ? 14.0f : 11.0f, 8);
			b.Add(GradientColor(spike, {230, 230, 140, 255}, {255, 255, 230, 255}), thorn);
		}
		return b.Build("spiky stalk");
	}
}
