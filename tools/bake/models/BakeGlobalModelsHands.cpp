// The robot's hands and its five hand-held weapons (held and as pick-ups).
// All in the wrist joint's space: +x is outward for the right hand, the hand
// hangs down -y, its thumb and a weapon's barrel on the front (-z) side.
#include "models/BakeGlobalModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"

namespace GlobalModels
{
	using namespace Kit;

	namespace
	{
		Mesh Part(Mesh m, Vec3 at, Rgba color)
		{
			Translate(m, at);
			return SetColor(m, color);
		}

		// A capsule from `a` to `b`.
		Mesh Segment(Vec3 a, Vec3 b, float radius, Rgba color)
		{
			Vec3 d = b - a;
			float len = Length(d);
			Mesh m = Capsule(radius, len + 2 * radius, 8, 2);
			Translate(m, {0, len / 2, 0});
			Rotate(m, {std::atan2(std::hypot(d.x, d.z), d.y), 0, 0});
			Rotate(m, {0, std::atan2(d.x, d.z), 0});
			return Part(m, a, color);
		}

		// The right hand; the left is its mirror image.
		Mesh RightHand(bool fist)
		{
			Mesh m;
			Append(m, Part(Cylinder(8.5f, 9, 9, 8), {0, -4.5f, 0}, Art::ROBOT_BLUE));
			Append(m, Part(Cylinder(9.5f, 9.5f, 2.5f, 8), {0, -9.5f, 0}, Art::GOLD));
			Append(m, Part(RoundedBox({11, 22, 21}, 4, 1), {1, -21, 0}, Art::ROBOT_GREY));
			if (!fist)
			{
				// Three fingers curling slightly toward the palm (-x) and a thumb in front.
				for (float z : {-6.5f, 0.0f, 6.5f})
				{
					Append(m, Part(Sphere(3.8f, 8, 4), {0.5f, -32.5f, z}, Art::ROBOT_DARK));
					Append(m, Segment({0.5f, -34, z}, {-1.5f, -45, z}, 3.2f, Art::ROBOT_WHITE));
					Append(m, Segment({-1.5f, -46, z}, {-5, -51, z}, 2.9f, Art::ROBOT_WHITE));
				}
				Append(m, Part(Sphere(3.5f, 8, 4), {-3, -18, -10}, Art::ROBOT_DARK));
				Append(m, Segment({-3.5f, -20, -11.5f}, {-7, -30, -15}, 3.2f, Art::ROBOT_WHITE));
			}
			else
			{
				// Fingers rolled into a block with knuckles, the thumb across them.
				Append(m, Part(RoundedBox({14, 15, 22}, 5, 1), {-1, -37, 0}, Art::ROBOT_WHITE));
				for (float z : {-6.5f, 0.0f, 6.5f})
					Append(m, Part(Sphere(4, 8, 4), {2.5f, -44, z}, Art::ROBOT_GREY));
				Append(m, Segment({-5, -25, -10}, {-7.5f, -35, -4}, 3.3f, Art::ROBOT_WHITE));
			}
			return m;
		}

		Image HandTexture() { return Art::PlainSurface(32, 81); }

		// The weapon itself, without the hand, in wrist space; the muzzle is
		// at (-1, -70, -22) and the barrel points down -y.
		Mesh WeaponMesh(Weapon w)
		{
			const Vec3 muzzle{-1, -70, -22};
			Mesh m;
			// A handle from the fist forward to the body (the flask has none).
			if (w != Weapon::GROWTH)
				Append(m, Part(Box({8, 10, 20}), {-1, -30, -12}, Art::ROBOT_DARK));
			switch (w)
			{
				case Weapon::STUNGUN:
				{
					Append(m, Part(RoundedBox({13, 46, 15}, 4, 1), {-1, -36, -22}, Art::HAZARD_YELLOW));
					Append(m, Part(Box({13.5f, 5, 15.5f}), {-1, -22, -22}, Art::HAZARD_BLACK));
					Append(m, Part(Box({13.5f, 5, 15.5f}), {-1, -32, -22}, Art::HAZARD_BLACK));
					Append(m, Part(Cylinder(4.5f, 4.5f, 12, 8), muzzle + Vec3{0, 6, 0}, Art::ROBOT_GREY));
					for (float y : {-50.0f, -56.0f, -62.0f})
						Append(m, Part(Torus(6.5f, 1.7f, 10, 5), {-1, y, -22}, {60, 160, 255, 255}));
					Append(m, Part(Sphere(3.6f, 8, 4), muzzle, {200, 240, 255, 255}));
					Append(m, Part(Box({3, 14, 8}), {-1, -26, -32}, Art::ROBOT_DARK));
					break;
				}
				case Weapon::FREEZEGUN:
				{
					Append(m, Part(RoundedBox({12, 40, 13}, 4, 1), {-1, -42, -22}, Art::ROBOT_WHITE));
					Append(m, Part(Sphere(9, 10, 6), {-1, -20, -24}, Art::ICE_CYAN));
					Append(m, Part(Cylinder(5.5f, 4, 8, 8), muzzle + Vec3{0, 8, 0}, {90, 200, 255, 255}));
					for (int i = 0; i < 4; i++)
					{
						Mesh fin = Box({1.6f, 12, 7});
						Translate(fin, {0, 0, 7});
						Rotate(fin, {0, i * Kit::PI / 2 + Kit::PI / 4, 0});
						Append(m, Part(fin, muzzle + Vec3{0, 9, 0}, Art::ICE_CYAN));
					}
					Mesh tip = Cone(4, 7, 6, true, false);
					Rotate(tip, {Kit::PI, 0, 0});
					Append(m, Part(tip, muzzle + Vec3{0, 0.5f, 0}, {220, 250, 255, 255}));
					break;
				}
				case Weapon::ARCSHOT:
				{
					Append(m, Part(RoundedBox({12, 38, 14}, 5, 1), {-1, -38, -22}, Art::ALIEN_PURPLE));
					Append(m, Part(Cylinder(3.5f, 3.5f, 12, 8), muzzle + Vec3{0, 9, 0}, Art::ROBOT_GREY));
					Mesh dish = Cylinder(4, 10, 4, 10, false, true);
					MakeDoubleSided(dish);
					Append(m, Part(dish, muzzle + Vec3{0, 2, 0}, Art::ALIEN_GREEN));
					Append(m, Part(Sphere(3.2f, 8, 4), muzzle, {200, 255, 170, 255}));
					for (float x : {-6.0f, 4.0f})
						Append(m, Segment({x, -22, -16}, {x, -36, -14}, 1.6f, Art::ALIEN_GREEN));
					break;
				}
				case Weapon::GROWTH:
				{
					// A flask: its neck in the fist, a glowing green bulb below.
					LatheOptions o;
					o.segments = 10;
					o.capTop = true;
					Mesh bottle = Lathe({{0, -78}, {7, -76}, {11, -70}, {12, -62}, {10, -54}, {4.5f, -49}, {4.5f, -28}, {5.5f, -26}}, o);
					Translate(bottle, {-1, 0, 0});
					for (size_t i = 0; i < bottle.points.size(); i++)
						bottle.colors[i] = bottle.points[i].y > -49 ? Rgba{210, 235, 250, 255} : Art::ALIEN_GREEN;
					Append(m, bottle);
					Append(m, Part(Cylinder(4, 4.5f, 5, 8), {-1, -23.5f, 0}, {150, 90, 40, 255}));
					// Glint on the bulb.
					Append(m, Part(Sphere(2.5f, 6, 3), {-6, -64, -8}, {240, 255, 240, 255}));
					break;
				}
				case Weapon::FLARE:
				{
					Append(m, Part(RoundedBox({14, 26, 15}, 4, 1), {-1, -26, -22}, Art::HEALTH_RED));
					Append(m, Part(Cylinder(7.5f, 7.5f, 30, 10), muzzle + Vec3{0, 16, 0}, Art::FLARE_ORANGE));
					Append(m, Part(Cylinder(8.5f, 8.5f, 3, 10), muzzle + Vec3{0, 2, 0}, Art::ROBOT_DARK));
					Mesh bore = Cylinder(5.5f, 5.5f, 0.5f, 10, true, false);
					Append(m, Part(bore, muzzle + Vec3{0, 0.2f, 0}, {255, 240, 120, 255}));
					Append(m, Part(Cylinder(5.5f, 5.5f, 6, 8), {-1, -11, -22}, Art::GOLD));
					break;
				}
			}
			return m;
		}

		const char* WeaponName(Weapon w)
		{
			switch (w)
			{
				case Weapon::STUNGUN: return "stun gun";
				case Weapon::FREEZEGUN: return "freeze gun";
				case Weapon::ARCSHOT: return "arc shot";
				case Weapon::GROWTH: return "growth";
				case Weapon::FLARE: return "flare gun";
			}
			return "";
		}
	}

	Node Hand(ModelFile& file, bool right, bool fist)
	{
		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(HandTexture()));
		Mesh hand = RightHand(fist);
		if (!right)
			Mirror(hand, 0);
		b.Add(hand, mat);
		return b.Build(std::string(right ? "right" : "left") + (fist ? " fist" : " hand"));
	}

	Node HeldWeapon(ModelFile& file, Weapon w)
	{
		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(HandTexture()));
		Mesh m = RightHand(true);
		Append(m, WeaponMesh(w));
		b.Add(m, mat);
		return b.Build(std::string("held ") + WeaponName(w));
	}

	Node WeaponPickup(ModelFile& file, Weapon w)
	{
		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 83)));
		Mesh m = WeaponMesh(w);
		// Barrel from -y to -z, then centred on the origin.
		Rotate(m, {Kit::PI / 2, 0, 0});
		Bounds bounds = ComputeBounds(m);
		Translate(m, -bounds.Center());
		b.Add(m, mat);
		return b.Build(std::string(WeaponName(w)) + " pick-up");
	}
}
