// The cloud level's circus: the clown (it blows bubbles from its mouth,
// joint 16), the clown fish (a flying fish carrying a bomb on joint 0) and
// the strong man (he lifts the robot, held at joint 1, over his head and
// throws it on the flag). First rigs of their body plans.
#include "BakeSkeletons.h"
#include "3D/SkeletonTypes.h"
#include "kit/Primitives.h"
#include "rig/Humanoid.h"

#include <cmath>

namespace Skeletons
{
	using namespace Rig;
	using Kit::Hex;

	namespace
	{
		constexpr float TAU = 6.2831853f;

		std::vector<Role> WithoutRightFoot()
		{
			std::vector<Role> order = STANDARD_ROLE_ORDER;
			order.pop_back();
			return order;
		}
	}

	Rig::Skeleton BuildClown()
	{
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_CLOWN];
		Proportions p;
		p.scale = 1.05f;
		// The mouth must be joint 16, so the right foot comes after it.
		Humanoid h = AddHumanoidJoints(s, p, WithoutRightFoot());
		const int mouth = s.AddJoint("mouth", h[ROLE_HEAD], h.Pivot(ROLE_HEAD) + Vec3{0, 6.5f, -8.5f} * p.scale);
		h.joint[ROLE_RFOOT] = s.AddJoint("right foot", h[ROLE_RSHIN], h.Pivot(ROLE_RFOOT));

		Look look;
		look.skin = Hex(0xF8F0F0);
		look.shirt = Hex(0x30A0E8);
		look.sleeve = Hex(0xF0D020);
		look.pants = Hex(0xE83838);
		look.shoes = Hex(0xE83838);
		look.girth = 1.2f;
		Body body(320);
		AddHumanoidParts(body, h, look);
		const Vec3 head = h.Pivot(ROLE_HEAD);
		const float sc = p.scale;
		// Big shoes, a ruff, a red nose, tufts of hair and a pointed hat.
		for (Role foot : {ROLE_LFOOT, ROLE_RFOOT})
			body.Ball(h.Pivot(foot) + Vec3{0, -2, -9} * sc, Vec3{5, 3.2f, 7} * sc, h[foot], look.shoes, 8, 4);
		Kit::Mesh ruff = Kit::Torus(9, 3, 9, 4);
		Kit::Scale(ruff, Vec3{1, 0.6f, 1} * sc);
		Kit::Translate(ruff, h.Pivot(ROLE_NECK) + Vec3{0, -1, 0} * sc);
		body.Add(ruff, h[ROLE_CHEST], Hex(0xF8F8F8));
		body.Ball(head + Vec3{0, 8, -9} * sc, Vec3{2.6f, 2.6f, 2.6f} * sc, h[ROLE_HEAD], Hex(0xF02020), 6, 4);
		for (float x : {-1.0f, 1.0f})
			body.Ball(head + Vec3{x * 8.5f, 11, 1} * sc, Vec3{4, 4.5f, 5} * sc, h[ROLE_HEAD], Hex(0xF07010), 6, 4);
		body.Spike(head + Vec3{0, 17, 0} * sc, {0.1f, 1, 0}, 6.5f * sc, 16 * sc, h[ROLE_HEAD], Hex(0x9040D0), 8);
		body.Ball(head + Vec3{0, 6.5f, -8} * sc, Vec3{3, 1.6f, 1.2f} * sc, mouth, Hex(0xC01828), 6, 3);
		s.model = body.Build(s.name);

		const Biped b = h.AsBiped();
		const Pose relaxed = Pose().RotZ(h[ROLE_LUPPER], -0.2f).RotZ(h[ROLE_RUPPER], 0.2f).RotX(h[ROLE_LFORE], 0.2f).RotX(h[ROLE_RFORE], 0.2f);
		AddBipedIdle(AnimBuilder(s, "stand"), b, 40, relaxed, 1.5f);
		Gait g;
		g.stride = 0.5f;
		g.knee = 1.1f;
		g.bob = 3;
		g.armSwing = 0.6f;
		g.sway = 0.1f;
		AddBipedWalk(AnimBuilder(s, "walk"), b, g, 24, relaxed);
		{
			// 2 blow: a deep breath, then blowing (Flag[0]) with puffed cheeks until the game ends it.
			AnimBuilder a(s, "blow");
			Pose breathe = Pose(relaxed).RotX(h[ROLE_CHEST], 0.2f).RotX(h[ROLE_HEAD], 0.25f).ScaleXYZ(h[ROLE_CHEST], {1.08f, 1.05f, 1.1f});
			Pose blowA = Pose(relaxed).RotX(h[ROLE_CHEST], -0.15f).RotX(h[ROLE_HEAD], -0.1f).Scale(mouth, 1.5f)
				.Rot(h[ROLE_LUPPER], {0.9f, 0, 0.2f}).Rot(h[ROLE_RUPPER], {0.9f, 0, -0.2f}).RotX(h[ROLE_LFORE], 1.2f).RotX(h[ROLE_RFORE], 1.2f);
			Pose blowB = blowA;
			blowB.Scale(mouth, 1.2f).RotX(h[ROLE_HEAD], -0.05f);
			a.Key(0, relaxed).Key(12, breathe).Key(18, blowA).Key(30, blowB).Key(42, blowA);
			a.SetFlag(18, 0).Marker(18).Loop(42);
		}
		AddHumanoidHurt(AnimBuilder(s, "hurt"), h);
		return s;
	}

	Rig::Skeleton BuildClownFish()
	{
		enum { BODY, TAIL, FIN, LFIN, RFIN, JAW };
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_CLOWNFISH];
		s.AddJoint("body", -1, {0, 0, 0});
		s.AddJoint("tail", BODY, {0, 0, 40});
		s.AddJoint("tail fin", TAIL, {0, 0, 70});
		s.AddJoint("left fin", BODY, {-22, -4, -5});
		s.AddJoint("right fin", BODY, {22, -4, -5});
		s.AddJoint("jaw", BODY, {0, -6, -35});

		Body body(321);
		const Kit::Rgba orange = Hex(0xF07820), white = Hex(0xF8F8F8);
		body.Ball({0, 0, -5}, {24, 26, 44}, BODY, orange, 9, 6);
		Kit::Mesh band = Kit::Torus(22, 4, 9, 4);
		Kit::Rotate(band, {1.5707963f, 0, 0});
		Kit::Scale(band, {1.05f, 1.15f, 1});
		Kit::Translate(band, {0, 0, -14});
		body.Add(band, BODY, white);
		body.Limb({0, 0, 40}, {0, 0, 70}, 14, 8, TAIL, orange, 7);
		Kit::Mesh fin = Kit::Sphere(1, 6, 3);
		Kit::Scale(fin, {3, 26, 20});
		Kit::Translate(fin, {0, 0, 88});
		body.Add(fin, FIN, orange);
		for (int side = 0; side < 2; side++)
		{
			float x = side ? 1.0f : -1.0f;
			Kit::Mesh f = Kit::Sphere(1, 6, 3);
			Kit::Scale(f, {14, 2.5f, 9});
			Kit::Translate(f, {x * 34, -4, -5});
			body.Add(f, side ? RFIN : LFIN, white);
			body.Ball({x * 14, 10, -36}, {6, 7, 5}, BODY, white, 6, 4);
			body.Ball({x * 15, 10, -40}, {3, 3.5f, 2}, BODY, Hex(0x101010), 6, 3);
		}
		body.Ball({0, -6, -42}, {10, 4, 8}, JAW, Hex(0xE85858), 8, 3);
		s.model = body.Build(s.name);

		AddCycle(AnimBuilder(s, "swim"), 20, 4, [](float ph) {
			float w = std::sin(TAU * ph), c = std::cos(TAU * ph);
			return Pose().RotY(BODY, 0.06f * w).RotY(TAIL, -0.35f * w).RotY(FIN, -0.45f * c).RotZ(LFIN, 0.4f * c)
				.RotZ(RFIN, -0.4f * c).RotX(JAW, 0.15f + 0.1f * w);
		}, EASE_INOUT);
		return s;
	}

	Rig::Skeleton BuildStrongMan()
	{
		// Joint 1 is the grip: where the robot is held, between the hands.
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_STRONGMAN];
		Proportions p;
		p.scale = 1.3f;
		p.shoulderX = 17;
		std::vector<Role> order = STANDARD_ROLE_ORDER;
		order.erase(order.begin() + 1);			// the belly joint's place goes to the grip
		Humanoid h = AddHumanoidJoints(s, p, {ROLE_PELVIS});
		const int grip = s.AddJoint("grip", 0, h.Pivot(ROLE_PELVIS) + Vec3{0, 40, -15} * p.scale);
		for (size_t i = 1; i < order.size(); i++)
		{
			// The rest of the body after the grip, in the standard order (no belly).
			Role r = order[i];
			Role parent = ParentRole(r);
			if (parent == ROLE_BELLY)
				parent = ROLE_PELVIS;
			h.joint[r] = s.AddJoint(RoleName(r), h[parent], h.Pivot(r));
		}

		Look look;
		look.skin = Hex(0xE0A880);
		look.shirt = Hex(0xE03030);
		look.sleeve = look.skin;
		look.pants = Hex(0x202020);
		look.shoes = Hex(0x603018);
		look.girth = 1.5f;
		look.bareArms = true;
		Body body(322);
		AddHumanoidParts(body, h, look);
		const float sc = p.scale;
		const Vec3 head = h.Pivot(ROLE_HEAD);
		for (float x : {-1.0f, 1.0f})
			body.Ball(head + Vec3{x * 3.5f, 6.8f, -8} * sc, Vec3{3.8f, 1.4f, 1.6f} * sc, h[ROLE_HEAD], Hex(0x301808), 6, 3);	// moustache
		body.Ball(head + Vec3{0, 15.6f, 0.5f} * sc, Vec3{8.2f, 4, 8.5f} * sc, h[ROLE_HEAD], Hex(0x301808), 8, 3);
		body.Block(h.Pivot(ROLE_PELVIS) + Vec3{0, 3, 0} * sc, Vec3{26, 4, 16} * sc, h[ROLE_PELVIS], Hex(0xE8C020), 1.5f * sc);	// belt
		// No belly joint: the chest carries the waist down to the belt.
		body.Ball(h.Pivot(ROLE_CHEST) + Vec3{0, -2, 0} * sc, Vec3{12.5f, 14, 8.5f} * sc, h[ROLE_CHEST], look.shirt);
		s.model = body.Build(s.name);

		const Biped b = h.AsBiped();
		const Pose flex = Pose().RotZ(h[ROLE_LUPPER], -0.35f).RotZ(h[ROLE_RUPPER], 0.35f).RotX(h[ROLE_LFORE], 0.3f).RotX(h[ROLE_RFORE], 0.3f);
		AddBipedIdle(AnimBuilder(s, "stand"), b, 50, flex, 1.6f);
		Gait g;
		g.stride = 0.4f;
		g.bob = 3;
		g.armSwing = 0.25f;
		g.sway = 0.08f;
		AddBipedWalk(AnimBuilder(s, "walk"), b, g, 32, flex);
		{
			// 2 lift and throw: scoop the robot up, press it overhead (the grip rises with
			// the hands), and hurl it forward on the flag.
			AnimBuilder a(s, "lift and throw");
			const Vec3 gripRest = s.RestOffset(grip);
			auto gripAt = [&](Vec3 at) { return at * sc - gripRest; };
			Pose scoop = HumanoidCrouch(h, 0.5f).Rot(h[ROLE_LUPPER], {1.2f, 0, 0.35f}).Rot(h[ROLE_RUPPER], {1.2f, 0, -0.35f})
				.Move(grip, gripAt({0, 20, -25}));
			Pose overhead = Pose().Rot(h[ROLE_LUPPER], {2.9f, 0, 0.3f}).Rot(h[ROLE_RUPPER], {2.9f, 0, -0.3f})
				.RotX(h[ROLE_LFORE], 0.2f).RotX(h[ROLE_RFORE], 0.2f).RotX(h[ROLE_CHEST], 0.1f).Move(grip, gripAt({0, 75, 0}));
			Pose wind = overhead;
			wind.RotX(h[ROLE_CHEST], 0.25f).Move(grip, {0, 0, 15 * sc});
			Pose heave = Pose().Rot(h[ROLE_LUPPER], {1.7f, 0, 0.2f}).Rot(h[ROLE_RUPPER], {1.7f, 0, -0.2f}).RotX(h[ROLE_CHEST], -0.35f)
				.RotX(h[ROLE_LTHIGH], 0.35f).RotX(h[ROLE_LSHIN], -0.35f).Move(grip, gripAt({0, 55, -40}));
			a.Key(0, flex).Key(10, scoop).Key(24, overhead).Key(40, overhead).Key(46, wind, EASE_IN).Key(51, heave).Key(64, flex);
			a.SetFlag(51, 0).Stop(64);
		}
		AddHumanoidHurt(AnimBuilder(s, "hurt"), h);
		return s;
	}
}
