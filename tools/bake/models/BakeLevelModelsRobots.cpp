// The fire-and-ice robots' parts: each robot is a body with rigid parts that
// the game poses in code, so every part is built round the pivot it turns
// about, in model units at the scale its robot is shown (arm bot 15, hammer
// bot 2.5, drill bot 1.5, swinger bot 1). Forward is −z, up is +y.
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"

#include <cmath>

namespace LevelModels
{
	using namespace Kit;

	namespace
	{
		const Rgba RUST = Hex(0xB0502A), STEEL = Hex(0x8A94A4), LAMP = Hex(0xFFF2A0), EYE = Hex(0xFF3020);

		int Metal(ModelBuilder& b, uint32_t seed)
		{
			return b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 4, seed)));
		}

		Mesh Bar(Vec3 size, Vec3 centre, Rgba colour)
		{
			Mesh m = Box(size);
			Translate(m, centre);
			return SetColor(m, colour);
		}

		// A wheel turning about x, its hub at the origin.
		Mesh Wheel(float radius, float width, Rgba tyre)
		{
			Mesh w = Cylinder(radius, radius, width, 14);
			Translate(w, {0, -width / 2, 0});
			Rotate(w, {0, 0, PI / 2});
			return SetColor(w, tyre);
		}
	}

	// Arm bot (scale 15): a squat dome on a track; the arm's shoulder sits at (0, 4.4, −10).
	Node ArmBotBody(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 501);
		b.Add(Bar({12, 3, 16}, {0, 1.5f, 0}, Art::ROBOT_DARK), metal);
		LatheOptions o;
		o.segments = 16;
		Mesh dome = Lathe({{7, 3}, {7, 6}, {5.5f, 8.5f}, {3, 10}, {0, 10.5f}}, o);
		GradientColor(dome, RUST, Hex(0xE08040));
		b.Add(dome, metal);
		Mesh eye = Sphere(1.3f, 8, 5);
		Translate(eye, {0, 7.5f, -5.6f});
		b.Add(SetColor(eye, EYE), metal);
		b.Add(Bar({3, 3, 5}, {0, 4.4f, -7.5f}, STEEL), metal);
		return b.Build("arm bot");
	}

	// The upper arm, from the shoulder forward to its elbow at (0, 0, −6).
	Node ArmBotArm(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 502);
		Mesh ball = Sphere(1.6f, 10, 6);
		b.Add(SetColor(ball, STEEL), metal);
		b.Add(Bar({1.6f, 1.6f, 6}, {0, 0, -3}, Art::HAZARD_YELLOW), metal);
		return b.Build("arm bot arm");
	}

	// One flail segment, from its joint to the next at (0, 0, −5), a spiked knuckle at the joint.
	Node ArmBotSegment(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 503);
		Mesh knuckle = Sphere(1.3f, 8, 5);
		b.Add(SetColor(knuckle, Art::ROBOT_DARK), metal);
		b.Add(Bar({1.1f, 1.1f, 5}, {0, 0, -2.5f}, STEEL), metal);
		Mesh spike = Cone(0.7f, 1.8f, 6);
		Translate(spike, {0, 0.8f, 0});
		b.Add(SetColor(spike, Art::HAZARD_YELLOW), metal);
		return b.Build("arm bot segment");
	}

	// Hammer bot (scale 2.5): a boxy cab on four wheels, its origin 33 over the ground.
	Node HammerBotBody(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 511);
		b.Add(Bar({60, 20, 80}, {0, -8, 0}, Art::ROBOT_DARK), metal);
		Mesh cab = RoundedBox({50, 50, 56}, 6);
		Translate(cab, {0, 27, 6});
		GradientColor(cab, Art::HAZARD_YELLOW, Hex(0xFFE890));
		b.Add(cab, metal);
		b.Add(Bar({40, 8, 2}, {0, 35, -23}, Hex(0x203040)), metal);		// the visor
		for (float x : {-34.0f, 34.0f})
			for (float z : {-28.0f, 28.0f})
			{
				Mesh w = Wheel(15, 10, Art::HAZARD_BLACK);
				Translate(w, {x, -18, z});
				b.Add(w, metal);
			}
		b.Add(Bar({14, 14, 10}, {0, 40, -25}, STEEL), metal);			// the shoulder
		return b.Build("hammer bot");
	}

	// The hammer's handle: up from its pivot to the head at (0, 70, 0).
	Node HammerBotArm(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 512);
		Mesh pin = Cylinder(7, 7, 16, 10);
		Translate(pin, {0, -8, 0});
		Rotate(pin, {0, 0, PI / 2});
		b.Add(SetColor(pin, Art::ROBOT_DARK), metal);
		b.Add(Bar({7, 70, 7}, {0, 35, 0}, STEEL), metal);
		return b.Build("hammer bot arm");
	}

	// The mallet, across the handle's end: its striking face forward (−z) at rest.
	Node HammerBotHead(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 513);
		Mesh head = Cylinder(16, 16, 44, 12);
		Translate(head, {0, -22, 0});
		Rotate(head, {PI / 2, 0, 0});
		b.Add(SetColor(head, Art::ROBOT_GREY), metal);
		Mesh face = Cylinder(18, 18, 5, 12);
		Translate(face, {0, 20, 0});
		Rotate(face, {-PI / 2, 0, 0});
		b.Add(SetColor(face, Art::HAZARD_BLACK), metal);
		return b.Build("hammer bot head");
	}

	// Drill bot (scale 1.5): a tall round body with two headlights; the drill's hub at (0, 59, 0).
	Node DrillBotBody(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 521);
		LatheOptions o;
		o.segments = 18;
		Mesh body = Lathe({{38, -4}, {44, 20}, {42, 90}, {30, 120}, {0, 126}}, o);
		GradientColor(body, Hex(0x2A5AA0), Hex(0x70A8E8));
		b.Add(body, metal);
		for (float x : {-22.0f, 22.0f})
		{
			Mesh lamp = Sphere(7, 8, 5);
			Translate(lamp, {x, 112, -28});
			b.Add(SetColor(lamp, LAMP), metal);
		}
		b.Add(Bar({30, 30, 16}, {0, 59, -38}, Art::ROBOT_DARK), metal);	// the drill's housing
		return b.Build("drill bot");
	}

	// The drill: a fluted cone from its hub forward to the tip at (0, 0, −120).
	Node DrillBotDrill(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 522);
		Mesh cone = Cone(20, 120, 10, true, false);
		Rotate(cone, {-PI / 2, 0, 0});
		GradientColor(cone, STEEL, Hex(0xF0F4FF));
		b.Add(cone, metal);
		for (int k = 0; k < 3; k++)
		{
			Mesh flute = Bar({3, 22, 70}, {0, 12, -40}, Art::ROBOT_DARK);
			Rotate(flute, {0, 0, float(k) * 2 * PI / 3});
			b.Add(flute, metal);
		}
		return b.Build("drill bot drill");
	}

	Node DrillBotWheel(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 523);
		b.Add(Wheel(26, 14, Art::HAZARD_BLACK), metal);
		Mesh hub = Wheel(10, 16, Art::HAZARD_YELLOW);
		b.Add(hub, metal);
		return b.Build("drill bot wheel");
	}

	// Swinger bot (scale 1): a central column; the turret sits at (0, 65, −77),
	// the head on it carries the arms' shoulders at (±140, 206, 0).
	Node SwingerBotBody(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 531);
		Mesh column = Cylinder(40, 30, 190, 14);
		Translate(column, {0, 20, -77});
		GradientColor(column, Art::ROBOT_DARK, Art::ROBOT_GREY);
		b.Add(column, metal);
		return b.Build("swinger bot");
	}

	// The tracked skirt whose texture scrolls as it drives.
	Node SwingerBotBase(ModelFile& f)
	{
		ModelBuilder b(f);
		int tread = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 8, 532)));
		Mesh skirt = Cylinder(120, 95, 40, 20, true, false);
		Translate(skirt, {0, 0, -77});
		CylinderUV(skirt, 6, 1);
		b.Add(SetColor(skirt, Hex(0x505860)), tread);
		return b.Build("swinger bot base");
	}

	Node SwingerBotHead(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 533);
		Mesh dome = Sphere(60, 14, 8);
		Translate(dome, {0, 170, 0});
		GradientColor(dome, Hex(0x9A2AB0), Hex(0xE080F0));
		b.Add(dome, metal);
		b.Add(Bar({300, 20, 24}, {0, 206, 0}, STEEL), metal);		// the shoulders
		for (float x : {-22.0f, 22.0f})
		{
			Mesh eye = Sphere(9, 8, 5);
			Translate(eye, {x, 185, -55});
			b.Add(SetColor(eye, EYE), metal);
		}
		return b.Build("swinger bot head");
	}

	Node SwingerBotTurret(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 534);
		Mesh ring = Torus(48, 10, 16, 6);
		Translate(ring, {0, 40, 0});
		b.Add(SetColor(ring, Art::HAZARD_YELLOW), metal);
		for (int k = 0; k < 4; k++)
		{
			Mesh fin = Bar({8, 40, 30}, {0, 40, -52}, Art::ROBOT_DARK);
			Rotate(fin, {0, float(k) * PI / 2, 0});
			b.Add(fin, metal);
		}
		return b.Build("swinger bot turret");
	}

	// An arm hanging from its shoulder down to a spiked ball at (0, −150, 0).
	Node SwingerBotArm(ModelFile& f)
	{
		ModelBuilder b(f);
		int metal = Metal(b, 535);
		b.Add(Bar({12, 130, 12}, {0, -65, 0}, STEEL), metal);
		Mesh ball = Sphere(26, 10, 7);
		Translate(ball, {0, -150, 0});
		b.Add(SetColor(ball, Art::ROBOT_DARK), metal);
		for (int k = 0; k < 6; k++)
		{
			Mesh spike = Cone(7, 22, 6);
			Translate(spike, {0, 24, 0});
			Rotate(spike, {float(k % 3) * PI / 2 + (k < 3 ? 0 : PI), float(k) * 0.9f, 0});
			Translate(spike, {0, -150, 0});
			b.Add(SetColor(spike, Art::HAZARD_YELLOW), metal);
		}
		return b.Build("swinger bot arm");
	}

	// The block of ice an ice cube throws (scale up to 1).
	Node IceBlock(ModelFile& f)
	{
		ModelBuilder b(f);
		int ice = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 541), 0.85f));
		Mesh block = RoundedBox({40, 40, 40}, 5);
		GradientColor(block, Hex(0x80C8F0), Hex(0xF0FCFF));
		b.Add(block, ice);
		return b.Build("ice block");
	}

	// A squooshy's glob of slime: a wobbly drop, radius about 12, with a few
	// smaller beads stuck to it so its tumbling shows.
	Node SquooshyGlob(ModelFile& f)
	{
		ModelBuilder b(f);
		int slime = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 542), 0.9f));
		Mesh drop = Sphere(12, 10, 7);
		Scale(drop, {1.0f, 0.85f, 1.15f});
		GradientColor(drop, Hex(0x2A8C6A), Hex(0xA8F0C8));
		b.Add(drop, slime);
		for (int i = 0; i < 4; i++)
		{
			float a = float(i) * 1.7f, e = 0.6f * std::sin(float(i) * 2.1f);
			Mesh bead = Sphere(4.5f, 6, 4);
			Translate(bead, {11 * std::cos(e) * std::sin(a), 10 * std::sin(e), 12 * std::cos(e) * std::cos(a)});
			b.Add(SetColor(bead, Hex(0x60D8A0)), slime);
		}
		return b.Build("squooshy glob");
	}
}
