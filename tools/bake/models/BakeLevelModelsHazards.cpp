// The hazards' models, in model units at the scale their routines show them:
// the city's crusher (a girder frame and its striped door), manhole cover,
// worm pod, land mine and floating mine; the cloud's trap door; the fire and
// ice level's lava rock, snowball and floating platform; the saucer level's
// power tower and its glow, drifting mine, and gun turret; and the ruined
// city's heaps of debris that only the jump jet smashes.
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Parts.h"
#include "kit/Primitives.h"

#include <cmath>

namespace LevelModels
{
	using namespace Kit;

	// Two girder pillars at x ±55 (14 wide, 24 deep, 156 high) and a beam
	// across their tops; the crusher shows it at scale 5.
	Node CrusherFrame(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 3, 401)));
		int stripes = b.AddMaterial(Art::Opaque(Art::HazardStripes(64, 6)));
		for (float x : {-55.0f, 55.0f})
		{
			Mesh pillar = Standing(Box({14, 156, 24}), 156);
			Translate(pillar, {x, 0, 0});
			GradientColor(pillar, Art::ROBOT_DARK, Art::ROBOT_GREY);
			b.Add(pillar, metal);
			AddPlaced(b, Standing(Box({24, 10, 34}), 10), {x, 0, 0}, Art::HAZARD_BLACK, metal);
		}
		Mesh beam = Standing(Box({128, 16, 28}), 16, 148);
		b.Add(SetColor(beam, {255, 255, 255, 255}), stripes);
		return b.Build("crusher frame");
	}

	// A heavy slab ±46 wide, 70 high and 16 thick, its bottom edge at y 0.
	Node CrusherDoor(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 4, 402)));
		int stripes = b.AddMaterial(Art::Opaque(Art::HazardStripes(64, 8)));
		Mesh slab = Standing(Box({92, 62, 16}), 62, 8);
		GradientColor(slab, {90, 96, 110, 255}, {150, 158, 170, 255});
		b.Add(slab, metal);
		Mesh edge = Standing(Box({92, 8, 18}), 8);
		b.Add(SetColor(edge, {255, 255, 255, 255}), stripes);
		return b.Build("crusher door");
	}

	// A round iron lid 320 across at scale 0.5.
	Node ManholeCover(ModelFile& file)
	{
		ModelBuilder b(file);
		int iron = b.AddMaterial(Art::Opaque(Art::MetalPanels(32, 2, 403)));
		Mesh lid = Standing(Cylinder(320, 320, 24, 20), 24);
		GradientColor(lid, {60, 58, 56, 255}, {110, 104, 98, 255});
		b.Add(lid, iron);
		for (int i = -2; i <= 2; i++)
		{
			AddPlaced(b, Standing(Box({520, 8, 30}), 8, 24), {0, 0, float(i) * 100}, {80, 76, 72, 255}, iron);
		}
		return b.Build("manhole cover");
	}

	// An alien seed pod: a ribbed teardrop, its tip up, 110 high at scale 1.
	Node WormPod(ModelFile& file)
	{
		ModelBuilder b(file);
		int shell = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 404)));
		int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 405), 0.9f));
		LatheOptions o;
		o.segments = 10;
		o.smoothAlong = true;
		o.capBottom = true;
		Mesh pod = Lathe({{18, 0}, {38, 22}, {40, 50}, {28, 82}, {10, 104}, {0, 112}}, o);
		GradientColor(pod, {90, 40, 110, 255}, {200, 120, 220, 255});
		b.Add(pod, shell);
		for (int i = 0; i < 5; i++)
		{
			Mesh vein = Box({4, 70, 6});
			Translate(vein, {0, 50, 39});
			Rotate(vein, {0, float(i) * 2 * PI / 5, 0});
			b.Add(SetColor(vein, Art::ALIEN_GREEN), glow);
		}
		return b.Build("worm pod");
	}

	// A floating sea mine: a ball with spikes, ±90 at scale 0.6, centred.
	Node FloatingMine(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(32, 2, 406)));
		Mesh ball = Sphere(100, 14, 9);
		GradientColor(ball, {50, 54, 60, 255}, {120, 126, 136, 255});
		b.Add(ball, metal);
		const Vec3 dirs[] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1},
				{0.7f, 0.7f, 0}, {-0.7f, 0.7f, 0}, {0, 0.7f, 0.7f}, {0, 0.7f, -0.7f}};
		for (Vec3 d : dirs)
		{
			Mesh spike = Cone(14, 40, 6);
			Translate(spike, {0, 110, 0});
			float pitch = std::acos(std::fmax(-1.0f, std::fmin(1.0f, d.y)));
			float yaw = std::atan2(d.x, d.z);
			Rotate(spike, {pitch, yaw, 0});
			b.Add(SetColor(spike, Art::HAZARD_YELLOW), metal);
		}
		return b.Build("floating mine");
	}

	// A flat land mine with a pressure plate and a red light, 230 across.
	Node LandMine(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(32, 2, 407)));
		int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 408), 1.0f));
		Mesh body = Standing(Cylinder(115, 100, 40, 16), 40);
		GradientColor(body, {70, 80, 60, 255}, {110, 120, 90, 255});
		b.Add(body, metal);
		Mesh plate = Standing(Cylinder(60, 56, 14, 12), 14, 40);
		b.Add(SetColor(plate, Art::HAZARD_YELLOW), metal);
		AddPlaced(b, Sphere(12, 8, 5), {0, 60, 0}, Art::HEALTH_RED, glow);
		return b.Build("mine");
	}

	// A square hatch 1 unit across (x −0.5 … 0.5, z 0 … 1, top at y 0), hinged
	// on its z = 0 edge; shown at scale 225, one tile.
	Node TrapDoor(ModelFile& file)
	{
		ModelBuilder b(file);
		int stripes = b.AddMaterial(Art::Opaque(Art::HazardStripes(64, 6)));
		int plain = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 409)));
		AddPlaced(b, Box({0.96f, 0.05f, 0.96f}), {0, -0.025f, 0.5f}, {255, 220, 240, 255}, plain);
		Mesh rim = Box({1.0f, 0.04f, 0.08f});
		for (float z : {0.04f, 0.96f})
		{
			AddPlaced(b, rim, {0, -0.01f, z}, {255, 255, 255, 255}, stripes);
		}
		return b.Build("trap door");
	}

	// A craggy glowing lump, ±40 at scale 2.
	Node LavaRock(ModelFile& file)
	{
		ModelBuilder b(file);
		int rock = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 410), 1.0f));
		Mesh lump = Sphere(20, 7, 5, false);
		Scale(lump, {1.1f, 0.9f, 1.0f});
		GradientColor(lump, {255, 90, 20, 255}, {60, 20, 10, 255});
		b.Add(lump, rock);
		return b.Build("lava rock");
	}

	// A ball of packed snow, radius 34, centred (it grows as it rolls).
	Node Snowball(ModelFile& file)
	{
		ModelBuilder b(file);
		int snow = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 411)));
		Mesh ball = Sphere(34, 14, 9);
		GradientColor(ball, {200, 220, 240, 255}, {255, 255, 255, 255});
		b.Add(ball, snow);
		for (int i = 0; i < 6; i++)
		{
			Mesh clump = Sphere(9, 6, 4);
			float a = float(i) * 1.1f, e = 0.5f * std::sin(float(i) * 2.3f);
			Translate(clump, {32 * std::cos(e) * std::sin(a), 32 * std::sin(e), 32 * std::cos(e) * std::cos(a)});
			b.Add(SetColor(clump, {240, 248, 255, 255}), snow);
		}
		return b.Build("snowball");
	}

	// A raft of basalt slabs, ±60 across, its deck at y 8 (scale 4.2).
	Node SinkingPlatform(ModelFile& file)
	{
		ModelBuilder b(file);
		int stone = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 3, 412)));
		Mesh deck = Standing(Cylinder(60, 56, 18, 8, true, false), 18, -10);
		GradientColor(deck, {40, 34, 32, 255}, {110, 96, 90, 255});
		b.Add(deck, stone);
		Mesh glow = Standing(Cylinder(61, 61, 3, 8, false, false), 3, -10);
		b.Add(SetColor(glow, Art::FLARE_ORANGE), stone);
		return b.Build("floating platform");
	}

	// A lattice pylon 170 high at scale 1.3 (below the saucer's flight) with
	// an insulator crown.
	Node PowerTower(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(32, 2, 413)));
		for (int i = 0; i < 4; i++)
		{
			float a = PI / 4 + float(i) * PI / 2;
			Mesh leg = Standing(Box({8, 160, 8}), 160);
			Rotate(leg, {0.12f, 0, 0});
			Translate(leg, {0, 0, 36});
			Rotate(leg, {0, a, 0});
			b.Add(SetColor(leg, Art::ROBOT_GREY), metal);
		}
		for (float y : {40.0f, 90.0f, 140.0f})
		{
			Mesh band = Torus(38 - y * 0.12f, 3, 4, 4, false);
			Translate(band, {0, y, 0});
			Rotate(band, {0, PI / 4, 0});
			b.Add(SetColor(band, Art::ROBOT_DARK), metal);
		}
		Mesh crown = Standing(Cylinder(24, 14, 20, 8), 20, 160);
		b.Add(SetColor(crown, Art::ROBOT_WHITE), metal);
		return b.Build("power tower");
	}

	// The tower's crackling orb, on its crown.
	Node PowerTowerGlow(ModelFile& file)
	{
		return GlowingOrb(file,
				{.radius = 30, .segments = 12, .rings = 8, .height = 200, .textureSize = 16, .textureSeed = 414, .glow = 0.7f},
				"power tower glow");
	}

	// A hovering mine: a red-banded core and, chained, its spinning fins.
	Node DriftingMine(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(32, 2, 415)));
		Mesh core = Sphere(60, 12, 8);
		GradientColor(core, Art::ROBOT_DARK, {200, 60, 50, 255});
		b.Add(core, metal);
		Mesh band = Torus(62, 6, 16, 5);
		b.Add(SetColor(band, Art::HAZARD_YELLOW), metal);
		return b.Build("drifting mine");
	}

	Node DriftingMineFins(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 416)));
		for (int i = 0; i < 3; i++)
		{
			Mesh fin = Box({6, 50, 70});
			Translate(fin, {0, -60, 0});
			Rotate(fin, {0, float(i) * 2 * PI / 3, 0});
			b.Add(SetColor(fin, Art::ROBOT_GREY), metal);
		}
		return b.Build("drifting mine fins");
	}

	// A squat armoured drum; the gun sits on it 114 up.
	Node TurretBase(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 3, 417)));
		int stripes = b.AddMaterial(Art::Opaque(Art::HazardStripes(64, 8)));
		Mesh drum = Standing(Cylinder(90, 70, 100, 12), 100);
		GradientColor(drum, {70, 80, 70, 255}, {130, 140, 120, 255});
		b.Add(drum, metal);
		Mesh ring = Standing(Cylinder(72, 72, 14, 12, false), 14, 100);
		b.Add(SetColor(ring, {255, 255, 255, 255}), stripes);
		return b.Build("turret base");
	}

	// A housing with two barrels pointing along −z, pivoting at its origin.
	Node TurretGun(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(32, 2, 418)));
		Mesh housing = RoundedBox({80, 50, 70}, 12, 2);
		GradientColor(housing, Art::ROBOT_DARK, Art::ROBOT_GREY);
		b.Add(housing, metal);
		for (float x : {-28.0f, 28.0f})
		{
			Mesh barrel = Cylinder(9, 7, 90, 8);
			Rotate(barrel, {PI / 2, 0, 0});
			Translate(barrel, {x, 0, -70});
			b.Add(SetColor(barrel, Art::HAZARD_BLACK), metal);
		}
		return b.Build("turret gun");
	}

	// Heaps of city wreckage the jump jet smashes, ±60 across and up to 90
	// high at scale 1 (the game shows them at 2.5). Each kind reads at a
	// glance: slabs and rebar, a burnt-out car, oil drums, a brick pile with a
	// fallen sign, crates, a tyre dump and a tangle of girders. Scorched
	// concrete and rust, with a hazard-yellow accent so they read as
	// something to break rather than scenery.
	Node JetDebris(ModelFile& file, int kind)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(32, 2, 420 + uint32_t(kind))));
		int plain = b.AddMaterial(Art::Opaque(Art::PlainSurface(16, 430 + uint32_t(kind))));
		const Rgba concrete = {168, 156, 144, 255}, soot = {54, 48, 46, 255}, rust = {138, 74, 48, 255};
		auto put = [&](Mesh m, Vec3 rot, Vec3 at, Rgba bottom, Rgba top, int material) {
			Rotate(m, rot);
			Translate(m, at);
			b.Add(GradientColor(m, bottom, top), material);
		};
		switch (kind)
		{
			case 0:		// broken slabs leaning on each other, rods sticking out
				put(Box({90, 14, 60}), {0.1f, 0.3f, 0.35f}, {-12, 22, 0}, soot, concrete, plain);
				put(Box({70, 12, 54}), {-0.2f, -0.5f, -0.45f}, {20, 30, 8}, soot, concrete, plain);
				put(Box({60, 16, 40}), {0.5f, 1.2f, 0.1f}, {0, 52, -6}, soot, concrete, plain);
				for (int i = 0; i < 4; i++)
					put(Cylinder(2.5f, 2.5f, 70, 4, false, false), {0.5f - 0.3f * float(i), float(i) * 1.6f, 0.6f},
							{-20 + 14 * float(i), 50, 10 - 6 * float(i)}, rust, rust, metal);
				put(Box({40, 4, 2}), {0, 0.3f, 0.35f}, {-12, 30, -31}, Art::HAZARD_YELLOW, Art::HAZARD_YELLOW, plain);
				break;
			case 1:		// a burnt-out car on its roof
				put(RoundedBox({110, 26, 56}, 6, 1), {0, 0.1f, PI}, {0, 32, 0}, soot, rust, metal);
				put(RoundedBox({64, 22, 50}, 6, 1), {0, 0.1f, PI}, {-4, 11, 0}, soot, {90, 80, 76, 255}, metal);
				for (float x : {-36.0f, 36.0f})
					for (float z : {-28.0f, 28.0f})
						put(Cylinder(13, 13, 10, 10), {PI / 2, 0.1f, 0}, {x, 50, z}, Art::HAZARD_BLACK, soot, plain);
				put(Box({6, 6, 52}), {0, 0.1f, 0}, {56, 36, 0}, Art::HAZARD_YELLOW, Art::HAZARD_YELLOW, plain);
				break;
			case 2:		// oil drums, two standing, one toppled, one on top
				for (int i = 0; i < 3; i++)
				{
					const Rgba drum = i == 1 ? Art::HAZARD_YELLOW : Rgba{170, 60, 40, 255};
					const bool lying = i == 2;
					put(Cylinder(18, 18, 52, 12), {lying ? PI / 2 : 0, lying ? 0.7f : 0, 0},
							{-30 + 30 * float(i), lying ? 18.0f : 26.0f, i == 1 ? 14.0f : -8.0f}, Shade(drum, 0.5f), drum, metal);
				}
				put(Cylinder(18, 18, 52, 12), {0.3f, 0, 0.2f}, {-14, 76, 2}, {90, 40, 30, 255}, {170, 60, 40, 255}, metal);
				put(Cylinder(40, 36, 2, 12, true, false), {0, 0, 0}, {10, 1, 20}, Art::HAZARD_BLACK, Art::HAZARD_BLACK, plain);
				break;
			case 3:		// a heap of bricks with a toppled street sign
				for (int i = 0; i < 14; i++)
				{
					const float a = float(i) * 2.4f, r = 10 + 3.2f * float(i % 5) * 3;
					put(Box({22, 10, 12}), {0.3f * std::sin(a * 3), a, 0.25f * std::cos(a * 2)},
							{r * std::sin(a), 6 + float(14 - i) * 2.2f, r * std::cos(a)}, {120, 50, 36, 255}, {186, 88, 62, 255}, plain);
				}
				put(Cylinder(3, 3, 100, 6), {0, 0, 1.1f}, {10, 40, -20}, Art::ROBOT_DARK, Art::ROBOT_GREY, metal);
				put(Box({46, 30, 3}), {0, 0.2f, 1.1f}, {-34, 66, -20}, {30, 110, 60, 255}, {60, 170, 90, 255}, plain);
				break;
			case 4:		// smashed crates and a pallet
				put(Box({110, 8, 80}), {0, 0.2f, 0.05f}, {0, 4, 0}, {110, 80, 50, 255}, {150, 112, 70, 255}, plain);
				put(Box({48, 48, 48}), {0, 0.4f, 0}, {-22, 32, -8}, {120, 86, 50, 255}, {196, 150, 96, 255}, plain);
				put(Box({40, 40, 40}), {0.25f, -0.3f, 0.2f}, {26, 30, 12}, {120, 86, 50, 255}, {196, 150, 96, 255}, plain);
				put(Box({36, 34, 36}), {0.1f, 0.9f, -0.3f}, {-6, 72, -2}, {120, 86, 50, 255}, {196, 150, 96, 255}, plain);
				put(Box({50, 6, 6}), {0, 0.4f, 0.8f}, {-22, 32, -33}, Art::HAZARD_YELLOW, Art::HAZARD_YELLOW, plain);
				break;
			case 5:		// a dumped stack of tyres, a few rolled off
				for (int i = 0; i < 5; i++)
					put(Torus(20, 9, 14, 6), {0.08f * float(i), 0, 0.1f * float(i % 2)}, {-10 + 3 * float(i), 9 + 17 * float(i), 0},
							Art::HAZARD_BLACK, {70, 70, 74, 255}, plain);
				put(Torus(20, 9, 14, 6), {PI / 2, 0.6f, 0}, {36, 28, 20}, Art::HAZARD_BLACK, {70, 70, 74, 255}, plain);
				put(Torus(20, 9, 14, 6), {1.2f, -0.4f, 0}, {30, 20, -30}, Art::HAZARD_BLACK, {70, 70, 74, 255}, plain);
				put(Cylinder(12, 12, 3, 10), {0, 0, 0}, {-10, 95, 0}, Art::HAZARD_YELLOW, Art::HAZARD_YELLOW, plain);
				break;
			default:		// bent girders crossed over a slab
			{
				put(Box({100, 12, 70}), {0, 0.2f, 0.05f}, {0, 6, 0}, soot, concrete, plain);
				const Vec3 rots[] = {{0, 0.5f, 0.5f}, {0, -0.6f, -0.4f}, {0.3f, 1.6f, 0.6f}};
				const Vec3 ats[] = {{-14, 40, -6}, {16, 44, 6}, {0, 60, 0}};
				for (int i = 0; i < 3; i++)
				{
					put(Box({110, 5, 22}), rots[i], ats[i], rust, {196, 110, 70, 255}, metal);
					put(Box({110, 22, 4}), rots[i], ats[i], rust, {170, 92, 60, 255}, metal);
				}
				put(Box({30, 8, 4}), rots[1], {44, 64, 16}, Art::HAZARD_YELLOW, Art::HAZARD_YELLOW, plain);
				break;
			}
		}
		return b.Build("jet debris " + std::to_string(kind));
	}
}
