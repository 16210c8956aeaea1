// The blob boss machine's models (a riveted plinth, a column of ribbed
// segments, a domed lid, beam emitters, blob cannons and their slime shot),
// the goo a burst blob leaves, and the slime world's falling crystals and
// floating pod. Built in model units at the scale the game shows them
// (Items/BlobBoss.h, Items/SlimeHazards.h).
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"
#include "Items/BlobBoss.h"

#include <cmath>
#include <stdexcept>

namespace LevelModels
{
	using namespace Kit;

	namespace
	{
		constexpr Rgba MACHINE_DARK{52, 48, 70, 255};
		constexpr Rgba MACHINE_STEEL{150, 160, 182, 255};
		constexpr Rgba SLIME{120, 245, 70, 255};
		constexpr Rgba SLIME_PALE{210, 255, 160, 255};

		// The plinth: a squat drum stepped in two tiers, slime oozing from vents in its side.
		Node Base(ModelFile& file)
		{
			ModelBuilder b(file);
			const float R = BLOBBOSS_BASE_RADIUS, H = BLOBBOSS_BASE_HEIGHT;
			int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 6, 601)));
			int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 602), 0.9f));
			Mesh lower = Cylinder(R, R * 0.97f, H * 0.6f, 40, true, false);
			GradientColor(lower, MACHINE_DARK, MACHINE_STEEL);
			b.Add(lower, metal);
			Mesh upper = Cylinder(R * 0.97f, R * 0.95f, H * 0.4f, 40, true, false);
			Translate(upper, {0, H * 0.6f, 0});
			b.Add(SetColor(upper, MACHINE_STEEL), metal);
			Mesh rim = Torus(R * 0.95f, 2.2f, 48, 6);
			Translate(rim, {0, H, 0});
			b.Add(SetColor(rim, Art::HAZARD_YELLOW), glow);
			for (int i = 0; i < 8; i++)
			{
				float a = (float(i) + 0.5f) * Kit::PI / 4;
				Mesh vent = Box({22, 10, 6});
				Translate(vent, {0, H * 0.35f, R * 0.98f});
				Rotate(vent, {0, a, 0});
				b.Add(SetColor(vent, SLIME), glow);
				Mesh drip = Capsule(4, 14, 6, 3);
				Translate(drip, {0, H * 0.1f, R * 0.99f});
				Rotate(drip, {0, a + 0.05f, 0});
				b.Add(SetColor(drip, SLIME_PALE), glow);
			}
			return b.Build("blob boss plinth");
		}

		// One segment of the column: a ribbed drum with a glowing slime band.
		Node ColumnSegment(ModelFile& file)
		{
			ModelBuilder b(file);
			const float R = BLOBBOSS_COLUMN_RADIUS, H = BLOBBOSS_SEGMENT_HEIGHT;
			int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 3, 603)));
			int glow = b.AddMaterial(Art::Glowing(Art::GlowBands(32, 64, 4, false, 604), 0.85f));
			Mesh drum = Cylinder(R, R, H * 0.8f, 16, false, false);
			GradientColor(drum, MACHINE_DARK, MACHINE_STEEL);
			b.Add(drum, metal);
			Mesh band = Cylinder(R * 0.92f, R * 0.92f, H * 0.2f, 16, false, true);
			Translate(band, {0, H * 0.8f, 0});
			CylinderUV(band, 2, 0.05f);
			b.Add(SetColor(band, SLIME), glow);
			for (int i = 0; i < 6; i++)
			{
				Mesh rib = Box({5, H * 0.78f, 6});
				Translate(rib, {0, H * 0.4f, R});
				Rotate(rib, {0, float(i) * Kit::PI / 3, 0});
				b.Add(SetColor(rib, Art::ROBOT_DARK), metal);
			}
			return b.Build("blob boss column segment");
		}

		// The lid: a wide dome collar round the column, a ring of lights under its brim.
		Node Lid(ModelFile& file)
		{
			ModelBuilder b(file);
			const float R = BLOBBOSS_LID_RADIUS;
			int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 4, 605)));
			int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 606), 0.95f));
			LatheOptions o;
			o.segments = 32;
			Mesh dome = Lathe({{BLOBBOSS_COLUMN_RADIUS + 2, 26}, {R * 0.7f, 22}, {R, 10}, {R, 4}, {R * 0.9f, 0},
					{BLOBBOSS_COLUMN_RADIUS + 2, 0}}, o);
			GradientColor(dome, MACHINE_DARK, Art::ALIEN_PURPLE);
			b.Add(dome, metal);
			for (int i = 0; i < 12; i++)
			{
				float a = float(i) * Kit::PI / 6;
				Mesh light = Sphere(3, 6, 4);
				Translate(light, {std::sin(a) * R * 0.96f, 5, std::cos(a) * R * 0.96f});
				b.Add(SetColor(light, SLIME_PALE), glow);
			}
			return b.Build("blob boss lid");
		}

		// A beam emitter: a squat turret on the plinth, its lens 75 up facing −z.
		Node Emitter(ModelFile& file)
		{
			ModelBuilder b(file);
			int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(32, 2, 607)));
			int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 608), 0.95f));
			Mesh foot = Cylinder(30, 24, 20, 12, true, false);
			b.Add(SetColor(foot, MACHINE_DARK), metal);
			Mesh neck = Cylinder(10, 10, 50, 8);
			Translate(neck, {0, 20, 0});
			b.Add(SetColor(neck, MACHINE_STEEL), metal);
			Mesh head = RoundedBox({40, 26, 34}, 5);
			Translate(head, {0, 75, 0});
			b.Add(SetColor(head, Art::HAZARD_YELLOW), metal);
			Mesh lens = Cylinder(10, 7, 10, 12);
			Rotate(lens, {-Kit::PI / 2, 0, 0});
			Translate(lens, {0, 75, -17});
			b.Add(SetColor(lens, {255, 255, 120, 255}), glow);
			for (float side : {-1.0f, 1.0f})
			{
				Mesh coil = Torus(8, 2, 10, 4);
				Rotate(coil, {0, 0, Kit::PI / 2});
				Translate(coil, {side * 22, 75, 0});
				b.Add(SetColor(coil, {255, 170, 40, 255}), glow);
			}
			return b.Build("beam emitter");
		}

		// A blob cannon: a stubby barrel pointing −z on a swivel.
		Node Cannon(ModelFile& file)
		{
			ModelBuilder b(file);
			int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(32, 2, 609)));
			int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 610), 0.9f));
			Mesh swivel = Cylinder(22, 18, 16, 12);
			b.Add(SetColor(swivel, MACHINE_DARK), metal);
			Mesh barrel = Cylinder(16, 12, 56, 12);
			Rotate(barrel, {-Kit::PI / 2 + 0.25f, 0, 0});
			Translate(barrel, {0, 24, 6});
			GradientColor(barrel, MACHINE_STEEL, Art::ALIEN_PURPLE);
			b.Add(barrel, metal);
			Mesh muzzle = Torus(12, 3, 12, 4);
			Rotate(muzzle, {Kit::PI / 2 + 0.25f, 0, 0});
			Translate(muzzle, {0, 37, -46});
			b.Add(SetColor(muzzle, SLIME), glow);
			return b.Build("blob cannon");
		}

		// A lump of slime, lumpy so its spin shows.
		Mesh SlimeLump(float r, uint32_t seed)
		{
			Mesh m = Sphere(r, 10, 7);
			for (size_t i = 0; i < m.points.size(); i++)
			{
				Vec3& p = m.points[i];
				float bump = 1 + 0.18f * std::sin(p.x * 0.5f + float(seed)) * std::cos(p.z * 0.45f - float(seed) * 0.7f);
				p = p * bump;
			}
			return m;
		}

		Node SlimeShot(ModelFile& file)
		{
			ModelBuilder b(file);
			int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 611), 0.9f));
			Mesh lump = SlimeLump(20, 3);
			GradientColor(lump, SLIME, SLIME_PALE);
			b.Add(lump, glow);
			return b.Build("slime shot");
		}
	}

	// Pale so the blob's colour tints it (red, green or blue).
	Node BlobGoo(ModelFile& file)
	{
		ModelBuilder b(file);
		int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 612), 0.85f));
		Mesh puddle = SlimeLump(34, 5);
		Scale(puddle, {1, 0.45f, 1});
		Translate(puddle, {0, 12, 0});
		GradientColor(puddle, {200, 200, 200, 255}, {255, 255, 255, 255});
		b.Add(puddle, glow);
		for (int i = 0; i < 3; i++)
		{
			Mesh blob = SlimeLump(12, uint32_t(6 + i));
			float a = float(i) * 2.1f;
			Translate(blob, {std::sin(a) * 26, 8, std::cos(a) * 26});
			b.Add(SetColor(blob, {235, 235, 235, 255}), glow);
		}
		return b.Build("blob goo");
	}

	// A crystal that bursts out of the ground: a long faceted shard and a
	// smaller one beside it, about 130 long (shown at scale 2.5).
	Node FallingCrystal(ModelFile& file, int kind)
	{
		ModelBuilder b(file);
		const Rgba deep = kind ? Rgba{40, 90, 200, 255} : Rgba{30, 150, 70, 255};
		const Rgba tip = kind ? Rgba{190, 230, 255, 255} : Rgba{200, 255, 170, 255};
		int glass = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, uint32_t(613 + kind)), 0.9f));
		Mesh shard = Cylinder(14, 9, 110, 6, true, false);
		Mesh point = Cone(9, 24, 6, false, false);
		Translate(point, {0, 110, 0});
		Append(shard, point);
		GradientColor(shard, deep, tip);
		b.Add(shard, glass);
		Mesh small = Cylinder(8, 5, 50, 5, true, false);
		Mesh smallPoint = Cone(5, 14, 5, false, false);
		Translate(smallPoint, {0, 50, 0});
		Append(small, smallPoint);
		Rotate(small, {0.35f, 0, kind ? -0.4f : 0.4f});
		Translate(small, {kind ? 10.0f : -10.0f, 0, 4});
		GradientColor(small, deep, tip);
		b.Add(small, glass);
		return b.Build(kind ? "blue falling crystal" : "green falling crystal");
	}

	// A seed pod adrift on the slime: a glossy bulb with a curled stalk (shown at scale 0.5).
	Node FloatingPod(ModelFile& file)
	{
		ModelBuilder b(file);
		int skin = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 615)));
		int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 616), 0.9f));
		LatheOptions o;
		o.segments = 16;
		o.smoothAlong = true;
		Mesh bulb = Lathe({{0, -40}, {120, -30}, {170, 20}, {130, 80}, {50, 120}, {0, 130}}, o);
		GradientColor(bulb, {110, 50, 150, 255}, {230, 130, 220, 255});
		b.Add(bulb, skin);
		Mesh stalk = Cylinder(14, 8, 90, 8);
		Rotate(stalk, {0.4f, 0, 0.2f});
		Translate(stalk, {0, 120, 0});
		b.Add(SetColor(stalk, {90, 160, 60, 255}), skin);
		for (int i = 0; i < 5; i++)
		{
			float a = float(i) * (2 * Kit::PI) / 5;
			Mesh spot = Sphere(14, 6, 4);
			Translate(spot, {std::sin(a) * 150, 30, std::cos(a) * 150});
			b.Add(SetColor(spot, {255, 240, 120, 255}), glow);
		}
		return b.Build("floating pod");
	}

	void AddBlobBossMachineModels(ModelFile& f)
	{
		while (f.models.size() < BLOBBOSS_MODEL_EMITTER)
			f.models.push_back(Placeholder(f, "slime boss scenery " + std::to_string(f.models.size())));
		f.models.push_back(Emitter(f));
		f.models.push_back(Base(f));
		f.models.push_back(Lid(f));
		f.models.push_back(ColumnSegment(f));
		f.models.push_back(Cannon(f));
		f.models.push_back(SlimeShot(f));
		if (f.models.size() != BLOBBOSS_MODEL_SLIME_SHOT + 1)
			throw std::logic_error("the blob boss machine's models are out of order");
		f.models.push_back(BlobGoo(f));		// the level table's goo model
	}
}
