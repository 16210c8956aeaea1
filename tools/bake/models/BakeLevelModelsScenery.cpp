// The worlds' scenery models: trees, bushes, rocks, fences, barns, crystals,
// lamp posts, grave stones, crashed ships, rubble, map signs, slime pipes,
// and the doors only the jump jet or a giant breaks. Each is a low-poly
// shape coloured by vertex colours from the level's palette, sized in world
// units at the scale its item shows it (the size notes give the height the
// player sees).
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
		// Small repeatable noise for jittered shapes.
		float Jitter(uint32_t seed, uint32_t i)
		{
			uint32_t h = seed * 2654435761u ^ (i + 1) * 2246822519u;
			h ^= h >> 15;
			h *= 0x2c1b3c6du;
			h ^= h >> 12;
			return float(h & 0xFFFF) / 65535.0f;		// 0 … 1
		}

		// A model built from vertex-coloured parts with one plain and one glowing material.
		struct Shop
		{
			ModelBuilder b;
			int plain, glow;
			explicit Shop(ModelFile& f, uint32_t seed) : b(f)
			{
				plain = b.AddMaterial(Art::Opaque(Art::PlainSurface(16, seed)));
				glow = -1;
			}
			void Add(Mesh m, Rgba c) { b.Add(SetColor(m, c), plain); }
			void AddShaded(Mesh m, Rgba bottom, Rgba top) { b.Add(GradientColor(m, bottom, top), plain); }
			void AddGlow(Mesh m, Rgba c, float alpha = 0.9f)
			{
				if (glow < 0)
					glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 977), alpha));
				b.Add(SetColor(m, c), glow);
			}
		};

		Mesh At(Mesh m, Vec3 p) { Translate(m, p); return m; }

		// A lumpy faceted ball: the base of rocks, bushes and tree crowns.
		Mesh Lump(float radius, Vec3 squash, uint32_t seed, float roughness = 0.25f)
		{
			Mesh m = Sphere(radius, 9, 6, false);
			for (size_t i = 0; i < m.points.size(); i++)
			{
				Vec3& p = m.points[i];
				// Equal positions get equal offsets so the faceted shell stays closed.
				uint32_t key = uint32_t(int(p.x * 7) * 31 + int(p.y * 7) * 17 + int(p.z * 7) * 13);
				float k = 1 + roughness * (Jitter(seed, key) - 0.5f) * 2;
				p = {p.x * k * squash.x, p.y * k * squash.y, p.z * k * squash.z};
			}
			return Flatten(m);
		}
	}

	Node SceneryTree(ModelFile& file, const std::string& name, Rgba trunk, Rgba leaves, Rgba tips, bool conifer, uint32_t seed)
	{
		// About 700 high: well over the robot, so the world reads at its scale.
		Shop s(file, seed);
		s.AddShaded(At(Cylinder(34, 22, 300, 7, false, false), {0, 150, 0}), Shade(trunk, 0.7f), trunk);
		if (conifer)
		{
			for (int i = 0; i < 3; i++)
			{
				float r = 210 - 50 * float(i), y = 300 + 140 * float(i);
				s.AddShaded(At(Cone(r, 260, 8, true, false), {0, y, 0}), leaves, tips);
			}
		}
		else
		{
			s.AddShaded(At(Lump(210, {1, 0.8f, 1}, seed), {0, 430, 0}), leaves, tips);
			for (int i = 0; i < 3; i++)
			{
				float a = float(i) * 2.1f + Jitter(seed, uint32_t(i)) ;
				s.AddShaded(At(Lump(130, {1, 0.85f, 1}, seed + uint32_t(i) + 1), {150 * std::sin(a), 360 + 40 * float(i), 150 * std::cos(a)}),
						Shade(leaves, 0.85f), tips);
			}
		}
		return s.b.Build(name);
	}

	Node SceneryBush(ModelFile& file, const std::string& name, Rgba leaves, Rgba flowers, uint32_t seed)
	{
		// A knee-high clump (about 140) with a few blossoms.
		Shop s(file, seed);
		for (int i = 0; i < 4; i++)
		{
			float a = float(i) * 1.7f;
			float r = 60 + 30 * Jitter(seed, uint32_t(i));
			s.AddShaded(At(Lump(r, {1, 0.8f, 1}, seed + uint32_t(i)), {50 * std::sin(a), r * 0.7f, 50 * std::cos(a)}), Shade(leaves, 0.7f), leaves);
		}
		for (int i = 0; i < 5; i++)
		{
			float a = float(i) * 1.3f + 0.4f;
			s.Add(At(Sphere(12, 6, 4, false), {80 * std::sin(a), 90 + 30 * Jitter(seed, uint32_t(i + 9)), 80 * std::cos(a)}), flowers);
		}
		return s.b.Build(name);
	}

	Node SceneryRock(ModelFile& file, const std::string& name, Rgba dark, Rgba light, float size, uint32_t seed)
	{
		// A boulder `size` across, sunk a little so it sits on slopes.
		Shop s(file, seed);
		s.AddShaded(At(Lump(size / 2, {1, 0.65f, 0.85f}, seed, 0.35f), {0, size * 0.22f, 0}), dark, light);
		s.AddShaded(At(Lump(size / 4, {1, 0.7f, 1}, seed + 7, 0.35f), {size * 0.42f, size * 0.08f, size * 0.1f}), dark, light);
		return s.b.Build(name);
	}

	Node SceneryFence(ModelFile& file, const std::string& name, Rgba wood, uint32_t seed)
	{
		// A 400-long run of posts and two rails along x, 110 high.
		Shop s(file, seed);
		for (int i = 0; i < 3; i++)
			s.Add(At(Box({18, 120, 18}), {-190 + 190 * float(i), 60, 0}), Shade(wood, 0.8f));
		for (float y : {45.0f, 95.0f})
			s.Add(At(Box({400, 16, 8}), {0, y, 0}), wood);
		return s.b.Build(name);
	}

	Node SceneryBarn(ModelFile& file, const std::string& name, Rgba walls, Rgba roof, Rgba trim)
	{
		// A red barn about 200 wide, 230 to the ridge (× 1.5 in the game).
		Shop s(file, 301);
		s.Add(At(Box({240, 140, 180}), {0, 70, 0}), walls);
		Mesh gable = Extrude({{-130, 0}, {130, 0}, {0, 90}}, 200);
		Translate(gable, {0, 140, 0});
		s.Add(gable, roof);
		s.Add(At(Box({90, 100, 6}), {0, 50, -92}), trim);
		s.Add(At(Box({6, 100, 4}), {0, 50, -96}), Shade(walls, 0.6f));
		s.Add(At(Box({40, 30, 6}), {0, 175, -92}), trim);
		return s.b.Build(name);
	}

	Node SceneryHayBale(ModelFile& file, const std::string& name)
	{
		// A round bale on its side, 120 across.
		Shop s(file, 303);
		Mesh bale = Cylinder(60, 60, 110, 12, true, false);
		Rotate(bale, {0, 0, PI / 2});
		s.AddShaded(At(bale, {0, 58, 0}), Hex(0xC8A040), Hex(0xF2D670));
		return s.b.Build(name);
	}

	Node ScenerySilo(ModelFile& file, const std::string& name, Rgba body, Rgba cap)
	{
		// A grain silo 520 high.
		Shop s(file, 305);
		s.AddShaded(At(Cylinder(90, 90, 420, 12, false, true), {0, 210, 0}), Shade(body, 0.8f), body);
		s.Add(At(Lathe({{92, 420}, {70, 470}, {0, 520}}, LatheOptions{}), {0, 0, 0}), cap);
		for (float y : {100.0f, 220.0f, 340.0f})
			s.Add(At(Cylinder(94, 94, 10, 12, false, true), {0, y, 0}), Shade(body, 0.6f));
		return s.b.Build(name);
	}

	Node SceneryPumpkins(ModelFile& file, const std::string& name)
	{
		// Three pumpkins on a bed of leaves, 90 across (× 2.5 in the game, tilted to the ground).
		Shop s(file, 311);
		s.Add(At(Cylinder(48, 48, 3, 10, true, false), {0, 1.5f, 0}), Hex(0x3E7A2A));
		const struct { Vec3 at; float r; } pumpkins[] = {{{-18, 0, 8}, 20}, {{20, 0, 12}, 16}, {{4, 0, -20}, 13}};
		for (const auto& k : pumpkins)
		{
			Mesh body = Sphere(k.r, 10, 6);
			Kit::Scale(body, {1.2f, 0.85f, 1.2f});
			s.AddShaded(At(body, k.at + Vec3{0, k.r * 0.8f, 0}), Hex(0xC05A10), Hex(0xF59A2A));
			s.Add(At(Cylinder(2.5f, 2, 7, 5), k.at + Vec3{0, k.r * 1.6f + 3, 0}), Hex(0x5A7A2A));
		}
		return s.b.Build(name);
	}

	Node SceneryScarecrow(ModelFile& file, const std::string& name)
	{
		// A scarecrow 78 high on its pole, arms out in a patched shirt (× 4 in the game).
		Shop s(file, 313);
		const Rgba wood = Hex(0x7A5230), shirt = Hex(0xC83A2A), straw = Hex(0xF0D060);
		s.Add(At(Cylinder(2.5f, 2.5f, 60, 6), {0, 30, 0}), wood);
		s.Add(At(Box({58, 3, 3}), {0, 52, 0}), wood);
		s.AddShaded(At(Box({20, 24, 9}), {0, 46, 0}), Shade(shirt, 0.7f), shirt);
		s.Add(At(Box({14, 10, 9.5f}), {-3, 44, 0}), Hex(0x3A5AA8));			// a patch
		for (float x : {-1.0f, 1.0f})
		{
			s.Add(At(Box({16, 8, 8}), {x * 17, 52, 0}), shirt);
			s.Add(At(Cone(4, 7, 6), {x * 27, 49, 0}), straw);
		}
		s.Add(At(Sphere(8, 8, 5), {0, 66, 0}), Hex(0xE8D8B0));
		s.Add(At(Cylinder(14, 14, 1.5f, 10), {0, 72, 0}), Hex(0x8A6A3A));	// the hat's brim
		s.Add(At(Cylinder(7, 6, 8, 8), {0, 76, 0}), Hex(0x8A6A3A));
		return s.b.Build(name);
	}

	Node SceneryWindmillTower(ModelFile& file, const std::string& name)
	{
		// A windmill's tapering tower, 150 high with a cap facing -z (× 4 in the game); its sails are the next model.
		Shop s(file, 315);
		s.AddShaded(At(Cylinder(30, 20, 130, 8, false, true), {0, 65, 0}), Hex(0xB8B0A0), Hex(0xF0ECE0));
		s.Add(At(Cone(24, 22, 8), {0, 141, 0}), Hex(0x8A3A2A));
		s.Add(At(Box({14, 22, 4}), {0, 11, -27}), Hex(0x5A3A20));				// the door
		s.Add(At(Cylinder(3, 3, 12, 6), {0, 118, -22}), Hex(0x4A4A4A));		// the axle's housing
		return s.b.Build(name);
	}

	Node SceneryWindmillSails(ModelFile& file, const std::string& name)
	{
		// Four lattice sails round the axle at the tower's front, 120 across.
		Shop s(file, 317);
		const Vec3 hub{0, 118, -30};
		for (int k = 0; k < 4; k++)
		{
			const float a = float(k) * PI / 2 + PI / 4;
			Mesh sail = Box({10, 56, 1.5f});
			Translate(sail, {6, 34, 0});
			Rotate(sail, {0, 0, a});
			s.Add(At(sail, hub), Hex(0xF4F0E4));
			Mesh spar = Box({2, 62, 2});
			Translate(spar, {0, 31, 0});
			Rotate(spar, {0, 0, a});
			s.Add(At(spar, hub), Hex(0x6A4A2A));
		}
		s.Add(At(Sphere(5, 6, 4), hub), Hex(0x4A4A4A));
		return s.b.Build(name);
	}

	Node SceneryWaterTower(ModelFile& file, const std::string& name)
	{
		// A farm's water tank on four legs, 112 high (× 5 in the game).
		Shop s(file, 319);
		const Rgba steel = Hex(0x8A98A8);
		for (float x : {-18.0f, 18.0f})
			for (float z : {-18.0f, 18.0f})
				s.Add(At(Cylinder(2.5f, 2, 70, 6), {x, 35, z}), steel);
		s.Add(At(Box({40, 2, 2}), {0, 30, -18}), steel);
		s.Add(At(Box({40, 2, 2}), {0, 30, 18}), steel);
		s.AddShaded(At(Cylinder(26, 26, 30, 12, true, true), {0, 85, 0}), Hex(0x3A6AA8), Hex(0x6AA0E0));
		s.Add(At(Cone(28, 12, 12), {0, 106, 0}), Hex(0xC8322A));
		return s.b.Build(name);
	}

	Node SceneryCornStalks(ModelFile& file, const std::string& name)
	{
		// A clump of ripe corn stalks, 160 high at its own scale.
		Shop s(file, 307);
		for (int i = 0; i < 5; i++)
		{
			float a = float(i) * 1.25f, r = i == 0 ? 0.0f : 30.0f;
			Vec3 base{r * std::sin(a), 0, r * std::cos(a)};
			s.AddShaded(At(Cylinder(4, 3, 150, 5, false, false), base + Vec3{0, 75, 0}), Hex(0x4E8A2A), Hex(0x9CCB4A));
			Mesh leaf = Box({70, 3, 14});
			Rotate(leaf, {0, a, 0.5f});
			s.Add(At(leaf, base + Vec3{0, 80, 0}), Hex(0x6EAE38));
			s.Add(At(Capsule(7, 30, 6, 3, false), base + Vec3{8, 115, 0}), Hex(0xF5D442));
		}
		return s.b.Build(name);
	}

	Node ScenerySprout(ModelFile& file, const std::string& name, Rgba tip)
	{
		// A seedling 120 high with two leaves and the coloured bud of what it becomes (× 0.5).
		Shop s(file, 309);
		s.AddShaded(At(Cylinder(6, 4, 90, 5, false, false), {0, 45, 0}), Hex(0x3F7A22), Hex(0x7CC24A));
		for (float side : {-1.0f, 1.0f})
		{
			Mesh leaf = Lump(30, {1.2f, 0.2f, 0.6f}, 11, 0.1f);
			Rotate(leaf, {0, 0, side * 0.4f});
			s.Add(At(leaf, {side * 32, 55, 0}), Hex(0x5DB03A));
		}
		s.Add(At(Lump(22, {1, 1.2f, 1}, 13, 0.1f), {0, 100, 0}), tip);
		s.Add(At(Cylinder(30, 36, 10, 8, true, false), {0, 4, 0}), Hex(0x6B4A2A));
		return s.b.Build(name);
	}

	Node SceneryPlankDoor(ModelFile& file, const std::string& name, Rgba wood, Rgba bands)
	{
		// A door of planks across x, 260 wide and 180 high (× 1.5 in the game), on two posts.
		Shop s(file, 311);
		for (int i = 0; i < 6; i++)
		{
			float h = 170 + 14 * Jitter(5, uint32_t(i));
			s.Add(At(Box({40, h, 12}), {-105 + 42 * float(i), h / 2, 0}), Shade(wood, 0.85f + 0.2f * Jitter(6, uint32_t(i))));
		}
		for (float y : {40.0f, 130.0f})
			s.Add(At(Box({270, 16, 16}), {0, y, -8}), bands);
		Mesh brace = Box({270, 14, 10});
		Rotate(brace, {0, 0, 0.33f});
		s.Add(At(brace, {0, 85, -12}), bands);
		for (float x : {-140.0f, 140.0f})
			s.Add(At(Box({20, 210, 20}), {x, 105, 0}), Shade(wood, 0.6f));
		return s.b.Build(name);
	}

	Node SceneryBarGate(ModelFile& file, const std::string& name, Rgba metal, Rgba stripe)
	{
		// A barred metal gate across x, 300 wide and 170 high (× 1.3).
		Shop s(file, 313);
		for (int i = 0; i < 9; i++)
			s.AddShaded(At(Cylinder(6, 6, 160, 6, true, false), {-130 + 32.5f * float(i), 80, 0}), Shade(metal, 0.7f), metal);
		for (float y : {20.0f, 150.0f})
			s.Add(At(Box({290, 16, 14}), {0, y, 0}), stripe);
		for (float x : {-150.0f, 150.0f})
			s.Add(At(Box({24, 190, 24}), {x, 95, 0}), Shade(metal, 0.5f));
		return s.b.Build(name);
	}

	Node SceneryStoneWall(ModelFile& file, const std::string& name, Rgba stone, Rgba vines)
	{
		// A wall of big blocks across x, 300 wide and 200 high (× 3): only a giant gets through.
		Shop s(file, 315);
		for (int row = 0; row < 4; row++)
			for (int i = 0; i < 4; i++)
			{
				float off = (row % 2) ? 37.0f : 0.0f;
				float x = -112 + 75 * float(i) + off;
				if (x > 115)
					continue;
				s.AddShaded(At(RoundedBox({72, 48, 60}, 6), {x, 25 + 50 * float(row), 0}),
						Shade(stone, 0.75f + 0.25f * Jitter(21, uint32_t(row * 4 + i))), stone);
			}
		for (int i = 0; i < 4; i++)
			s.Add(At(Box({10, 120 + 40 * Jitter(22, uint32_t(i)), 4}), {-100 + 65 * float(i), 140, -32}), vines);
		return s.b.Build(name);
	}

	Node SceneryCrystals(ModelFile& file, const std::string& name, Rgba base, Rgba glow, int points, float height, uint32_t seed)
	{
		// A cluster of `points` six-sided spikes up to `height` tall.
		Shop s(file, seed);
		for (int i = 0; i < points; i++)
		{
			float a = float(i) * 2.4f, lean = i == 0 ? 0.0f : 0.35f + 0.2f * Jitter(seed, uint32_t(i));
			float h = height * (i == 0 ? 1.0f : 0.45f + 0.35f * Jitter(seed, uint32_t(i + 20)));
			float r = h * 0.16f;
			Mesh spike = Lathe({{0, 0}, {r, 0}, {r, h * 0.75f}, {0, h}}, LatheOptions{.segments = 6, .smoothAround = false});
			Rotate(spike, {lean * std::cos(a), 0, -lean * std::sin(a)});
			Translate(spike, {r * 0.8f * std::sin(a) * (i ? 1.0f : 0.0f), -5, r * 0.8f * std::cos(a) * (i ? 1.0f : 0.0f)});
			s.b.Add(GradientColor(spike, base, glow), s.plain);
		}
		return s.b.Build(name);
	}

	Node SceneryLampPost(ModelFile& file, const std::string& name, Rgba pole, Rgba light, int style)
	{
		// A street lamp 500 high (× 0.8): style 0 a hooked arm, 1 a double globe, 2 a broken stump.
		Shop s(file, 317);
		float h = style == 2 ? 260.0f : 480.0f;
		s.Add(At(Cylinder(22, 26, 20, 8, true, false), {0, 10, 0}), Shade(pole, 0.6f));
		Mesh shaft = Cylinder(9, 7, h, 8, false, true);
		if (style == 2)
			Rotate(shaft, {0.2f, 0, 0});
		s.AddShaded(At(shaft, {0, h / 2, style == 2 ? -25.0f : 0.0f}), Shade(pole, 0.7f), pole);
		if (style == 0)
		{
			s.Add(At(Box({90, 8, 8}), {40, h, 0}), pole);
			s.Add(At(Cone(26, 26, 8), {80, h - 14, 0}), Shade(pole, 0.8f));
			s.AddGlow(At(Sphere(14, 8, 5), {80, h - 28, 0}), light);
		}
		else if (style == 1)
		{
			s.Add(At(Box({120, 8, 8}), {0, h - 20, 0}), pole);
			for (float x : {-60.0f, 60.0f})
				s.AddGlow(At(Sphere(22, 8, 5), {x, h - 2, 0}), light);
		}
		else
			s.Add(At(Box({40, 10, 30}), {0, 5, 60}), Shade(pole, 0.8f));
		return s.b.Build(name);
	}

	Node SceneryGraveStone(ModelFile& file, const std::string& name, Rgba stone, int style)
	{
		// A headstone about 200 high (× 0.6 in the game), facing −z.
		Shop s(file, 319 + uint32_t(style));
		Rgba dark = Shade(stone, 0.7f);
		switch (style)
		{
			case 0: s.AddShaded(At(RoundedBox({110, 190, 30}, 30, 3), {0, 95, 0}), dark, stone); break;
			case 1:
				s.AddShaded(At(Box({28, 220, 28}), {0, 110, 0}), dark, stone);
				s.Add(At(Box({120, 28, 28}), {0, 160, 0}), stone);
				break;
			case 2: s.AddShaded(At(Extrude({{-60, 0}, {60, 0}, {60, 140}, {0, 200}, {-60, 140}}, 34), {0, 0, 0}), dark, stone); break;
			case 3: s.AddShaded(At(Lathe({{30, 0}, {26, 140}, {0, 230}}, LatheOptions{.segments = 4, .smoothAround = false, .capBottom = true, .startAngle = PI / 4}), {0, 0, 0}), dark, stone); break;
			default:
			{
				Mesh tilted = RoundedBox({120, 160, 32}, 20, 2);
				Rotate(tilted, {0.25f, 0, 0.2f});
				s.AddShaded(At(tilted, {0, 70, 0}), dark, stone);
				break;
			}
		}
		s.Add(At(Box({150, 14, 70}), {0, 7, -20}), Hex(0x4A5030));
		return s.b.Build(name);
	}

	Node SceneryCrashedShip(ModelFile& file, const std::string& name, bool longShip)
	{
		// Kind 0: a saucer nosed into the ground (about 140 across × 1.4); kind 1:
		// a long hull 780 long lying along x (a 1100-long wreck in the game).
		Shop s(file, longShip ? 331u : 333u);
		Rgba hull = Hex(0x8C93A6), dark = Hex(0x3C4050), burn = Hex(0xFF7A20);
		if (!longShip)
		{
			Mesh saucer = Lathe({{0, -14}, {70, -4}, {72, 0}, {50, 14}, {22, 30}, {0, 32}}, LatheOptions{.segments = 14});
			Rotate(saucer, {0.6f, 0, 0.2f});
			s.AddShaded(At(saucer, {0, 30, 0}), dark, hull);
			s.AddGlow(At(Sphere(10, 6, 4), {30, 20, -30}), burn);
		}
		else
		{
			// Built along x, then turned to lie along z: the item turns kind 1 a
			// quarter, which lays it along x again, where its box is long.
			Shop* shop = &s;
			struct Turned
			{
				Shop* shop;
				void Add(Mesh m, Rgba c) { Rotate(m, {0, PI / 2, 0}); shop->Add(m, c); }
				void AddShaded(Mesh m, Rgba a, Rgba b) { Rotate(m, {0, PI / 2, 0}); shop->AddShaded(m, a, b); }
				void AddGlow(Mesh m, Rgba c) { Rotate(m, {0, PI / 2, 0}); shop->AddGlow(m, c); }
			} t{shop};
			Mesh body = Capsule(80, 620, 10, 4, false);
			Rotate(body, {0, 0, PI / 2 + 0.08f});
			t.AddShaded(At(body, {0, 50, 0}), dark, hull);
			for (float side : {-1.0f, 1.0f})
			{
				Mesh wing = Extrude({{-60, 0}, {160, 0}, {40, 220}}, 14);
				Rotate(wing, {PI / 2, 0, 0});
				Translate(wing, {60, 40 + side * 5, side * 70});
				if (side < 0)
					Mirror(wing, 2);
				t.Add(wing, Shade(hull, 0.85f));
			}
			t.AddGlow(At(Sphere(30, 8, 5), {-360, 60, 0}), burn);
			t.Add(At(Cone(50, 90, 8), {380, 55, 0}), dark);
		}
		return s.b.Build(name);
	}

	Node SceneryRubble(ModelFile& file, const std::string& name, Rgba concrete, Rgba rebar, uint32_t seed)
	{
		// A heap of broken slabs about 200 across (× 2), with rods sticking out.
		Shop s(file, seed);
		int slabs = 3 + int(Jitter(seed, 0) * 3);
		for (int i = 0; i < slabs; i++)
		{
			float a = float(i) * 2.3f + Jitter(seed, uint32_t(i));
			float w = 60 + 60 * Jitter(seed, uint32_t(i + 10));
			Mesh slab = Box({w, 18 + 20 * Jitter(seed, uint32_t(i + 20)), w * 0.7f});
			Rotate(slab, {0.5f * Jitter(seed, uint32_t(i + 30)) - 0.25f, a, 0.6f * Jitter(seed, uint32_t(i + 40)) - 0.3f});
			s.AddShaded(At(slab, {50 * std::sin(a), 12 + 10 * float(i % 2), 50 * std::cos(a)}), Shade(concrete, 0.7f), concrete);
		}
		for (int i = 0; i < 2; i++)
		{
			Mesh rod = Cylinder(3, 3, 90, 4, false, false);
			Rotate(rod, {0.5f, float(i) * 2, 0.4f});
			s.Add(At(rod, {float(i) * 30 - 15, 40, 10}), rebar);
		}
		return s.b.Build(name);
	}

	Node SceneryMapSign(ModelFile& file, const std::string& name)
	{
		// A map board on two legs, 170 high (× 2), its glowing face toward −z.
		Shop s(file, 341);
		for (float x : {-60.0f, 60.0f})
			s.Add(At(Box({10, 120, 10}), {x, 60, 0}), Hex(0x505868));
		s.Add(At(Box({160, 90, 10}), {0, 135, 2}), Hex(0x2A3040));
		s.AddGlow(At(Box({140, 72, 2}), {0, 135, -5}), Hex(0x60E0FF));
		for (int i = 0; i < 3; i++)
			s.AddGlow(At(Box({10, 10, 2}), {-40 + 40 * float(i), 130 + 10 * float(i % 2), -7}), Hex(0xFF4060));
		return s.b.Build(name);
	}

	Node ScenerySlimePipe(ModelFile& file, const std::string& name, int kind)
	{
		// Rusty pipes leaking slime (× 2 in the game): 1 an arch, 2 an elbow
		// out of the ground, 3 a stack with a wheel valve, 4 an outlet over a
		// pool, 6 a pair of vents.
		Shop s(file, 350 + uint32_t(kind));
		Rgba pipe = Hex(0x8A6A4A), rim = Hex(0x5A4030), slime = Hex(0x7CFF40);
		auto pipeAt = [&](float r, float len, Vec3 rot, Vec3 at) {
			Mesh m = Cylinder(r, r, len, 10, true, true);
			Rotate(m, rot);
			s.AddShaded(At(m, at), Shade(pipe, 0.7f), pipe);
		};
		switch (kind)
		{
			case 1:
				pipeAt(20, 120, {}, {-80, 60, 0});
				pipeAt(20, 120, {}, {80, 60, 0});
				pipeAt(20, 200, {0, 0, PI / 2}, {0, 120, 0});
				break;
			case 2:
				pipeAt(24, 90, {}, {0, 45, 0});
				pipeAt(24, 100, {0, 0, PI / 2}, {50, 90, 0});
				s.AddGlow(At(Lump(30, {1, 0.2f, 1}, 3, 0.2f), {110, 3, 0}), slime);
				break;
			case 3:
				pipeAt(30, 200, {}, {0, 100, 0});
				s.Add(At(Torus(34, 6, 12, 5), {0, 200, 0}), rim);
				s.Add(At(Torus(26, 4, 10, 4), {0, 140, -34}), Hex(0xD03030));
				break;
			case 4:
				pipeAt(18, 140, {0, 0, PI / 2}, {0, 70, 0});
				s.Add(At(Cylinder(26, 26, 14, 10), {70, 70, 0}), rim);
				s.AddGlow(At(Lump(70, {1, 0.12f, 0.8f}, 5, 0.15f), {110, 2, 0}), slime);
				break;
			default:
				pipeAt(14, 160, {}, {-30, 80, 0});
				pipeAt(14, 120, {}, {30, 60, 0});
				s.AddGlow(At(Sphere(14, 8, 5), {-30, 165, 0}), slime);
				s.AddGlow(At(Sphere(14, 8, 5), {30, 125, 0}), slime);
				break;
		}
		return s.b.Build(name);
	}

	Node SceneryMushroom(ModelFile& file, const std::string& name, Rgba stem, Rgba cap, Rgba spots, float height)
	{
		// A toadstool `height` tall.
		Shop s(file, 361);
		s.AddShaded(At(Cylinder(height * 0.1f, height * 0.07f, height * 0.8f, 8, false, true), {0, height * 0.4f, 0}), Shade(stem, 0.8f), stem);
		s.AddShaded(At(Lathe({{height * 0.4f, 0}, {height * 0.38f, height * 0.12f}, {height * 0.22f, height * 0.26f}, {0, height * 0.3f}},
								LatheOptions{.segments = 12, .capBottom = true}), {0, height * 0.72f, 0}), Shade(cap, 0.8f), cap);
		for (int i = 0; i < 5; i++)
		{
			float a = float(i) * 1.26f;
			s.Add(At(Sphere(height * 0.04f, 5, 3, false), {height * 0.26f * std::sin(a), height * 0.92f, height * 0.26f * std::cos(a)}), spots);
		}
		return s.b.Build(name);
	}

	Node SceneryPillar(ModelFile& file, const std::string& name, Rgba stone, Rgba trim, float height)
	{
		// A classical column `height` tall (the cloud city's ruins).
		Shop s(file, 371);
		s.Add(At(Box({110, 24, 110}), {0, 12, 0}), trim);
		s.AddShaded(At(Cylinder(40, 34, height - 48, 10, false, false), {0, height / 2, 0}), Shade(stone, 0.85f), stone);
		s.Add(At(Box({100, 24, 100}), {0, height - 12, 0}), trim);
		return s.b.Build(name);
	}

	Node SceneryCloudPuff(ModelFile& file, const std::string& name, Rgba shadow, Rgba white, uint32_t seed)
	{
		// A fluffy cloud lump 200 across to stand on the walkways.
		Shop s(file, seed);
		for (int i = 0; i < 5; i++)
		{
			float a = float(i) * 1.4f, r = 50 + 30 * Jitter(seed, uint32_t(i));
			s.AddShaded(At(Lump(r, {1, 0.8f, 1}, seed + uint32_t(i), 0.12f), {60 * std::sin(a), r * 0.6f, 60 * std::cos(a)}), shadow, white);
		}
		return s.b.Build(name);
	}

	Node SceneryAlienSpire(ModelFile& file, const std::string& name, Rgba shell, Rgba glow, float height)
	{
		// A ribbed organic spire `height` tall with glowing rings.
		Shop s(file, 381);
		s.AddShaded(At(Lathe({{60, 0}, {45, height * 0.3f}, {30, height * 0.7f}, {0, height}}, LatheOptions{.segments = 8, .smoothAround = false}), {0, 0, 0}),
				Shade(shell, 0.6f), shell);
		for (int i = 1; i <= 3; i++)
			s.AddGlow(At(Torus(58 - 10 * float(i), 5, 10, 4), {0, height * 0.22f * float(i), 0}), glow);
		return s.b.Build(name);
	}
}
