// The fire-and-ice world's creatures: the flamester (a living flame whose
// eyes are joint 3) and the ice cube (a walking block of ice that throws ice
// from its right hand, joint 15; its eyes are joint 3). First rigs of their
// body plans.
#include "skeletons/BakeSkeletons.h"
#include "3D/SkeletonTypes.h"
#include "Enemies/FireIceCreatures.h"
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
	}

	Rig::Skeleton BuildFlamester()
	{
		enum { BASE, MIDDLE, TIP, EYES, LARM, RARM };
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_FLAMESTER];
		s.AddJoint("base", -1, {0, 0, 0});
		s.AddJoint("middle", BASE, {0, 40, 0});
		s.AddJoint("tip", MIDDLE, {0, 80, 0});
		s.AddJoint("eyes", MIDDLE, {0, 55, -22});
		s.AddJoint("left arm", MIDDLE, {-22, 45, 0});
		s.AddJoint("right arm", MIDDLE, {22, 45, 0});

		Body body(310);
		body.Ball({0, 26, 0}, {30, 28, 30}, BASE, Hex(0xF04010), 9, 5);
		body.Ball({0, 58, 0}, {22, 24, 22}, MIDDLE, Hex(0xF88020), 9, 5);
		body.Spike({0, 78, 0}, {0, 1, 0}, 15, 40, TIP, Hex(0xF8C030), 8);
		for (int k = 0; k < 3; k++)
		{
			float a = TAU * float(k) / 3 + 0.5f;
			body.Spike({std::sin(a) * 10, 72, std::cos(a) * 10}, {std::sin(a) * 0.5f, 1, std::cos(a) * 0.5f}, 6, 22, TIP, Hex(0xF8A028), 5);
		}
		for (float x : {-7.0f, 7.0f})
		{
			body.Ball({x, 56, -20}, {5, 6.5f, 3}, EYES, Hex(0xF8F8E0), 6, 4);
			body.Ball({x, 55, -22.5f}, {2.2f, 3, 1.5f}, EYES, Hex(0x201008), 6, 3);
		}
		for (int side = 0; side < 2; side++)
		{
			float x = side ? 1.0f : -1.0f;
			body.Spike({x * 20, 45, 0}, {x, 0.4f, 0}, 7, 24, side ? RARM : LARM, Hex(0xF86018), 6);
		}
		s.model = body.Build(s.name);

		auto flicker = [](float ph, float a) {
			float w = std::sin(TAU * ph), c = std::cos(TAU * ph);
			return Pose().RotZ(TIP, 0.2f * a * w).RotX(TIP, 0.12f * a * c).ScaleXYZ(TIP, {1, 1 + 0.15f * a * c, 1})
				.ScaleXYZ(BASE, {1 + 0.04f * a * w, 1 - 0.04f * a * w, 1 + 0.04f * a * w}).RotZ(LARM, 0.3f * a * c).RotZ(RARM, -0.3f * a * c);
		};
		AddCycle(AnimBuilder(s, FLAMESTER_ANIM_STAND, "stand"), 12, 4, [&](float ph) { return flicker(ph, 1); }, EASE_INOUT);
		AddCycle(AnimBuilder(s, FLAMESTER_ANIM_WALK, "walk"), 16, 4, [&](float ph) {
			return flicker(ph, 1.3f).RotX(MIDDLE, -0.15f).RotZ(BASE, 0.08f * std::sin(TAU * ph));
		}, EASE_INOUT);
		AddCycle(AnimBuilder(s, FLAMESTER_ANIM_SPIN, "spin"), 8, 4, [&](float ph) {
			return flicker(ph, 1.5f).RotZ(LARM, -0.9f).RotZ(RARM, 0.9f).RotX(TIP, -0.3f);
		}, EASE_INOUT);
		return s;
	}

	Rig::Skeleton BuildIceCube()
	{
		// The body is the cube (the chest); the eyes are joint 3; arms come last so
		// the right hand is joint 15.
		const std::vector<Role> order = {ROLE_PELVIS, ROLE_BELLY, ROLE_CHEST, ROLE_HEAD,
			ROLE_LTHIGH, ROLE_LSHIN, ROLE_LFOOT, ROLE_RTHIGH, ROLE_RSHIN, ROLE_RFOOT,
			ROLE_LUPPER, ROLE_LFORE, ROLE_LHAND, ROLE_RUPPER, ROLE_RFORE, ROLE_RHAND};
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_ICECUBE];
		Proportions p;
		p.hipY = 22;
		p.kneeY = 13;
		p.ankleY = 4;
		p.bellyY = 26;
		p.chestY = 32;
		p.headY = 52;
		p.shoulderX = 26;
		p.shoulderY = 50;
		p.elbowY = 38;
		p.wristY = 26;
		const Humanoid h = AddHumanoidJoints(s, p, order);

		Body body(324);
		const Kit::Rgba ice = Hex(0xA8E8F8), deep = Hex(0x70C0E8), limb = Hex(0x5AA8D8);
		body.Block({0, 48, 0}, {46, 42, 40}, h[ROLE_CHEST], ice, 6);
		body.Block({0, 26, 0}, {30, 8, 26}, h[ROLE_BELLY], deep, 3);
		for (float x : {-1.0f, 1.0f})
		{
			body.Ball({x * 9, 56, -20.5f}, {5, 6, 2.5f}, h[ROLE_HEAD], Hex(0xF8F8F8), 6, 4);
			body.Ball({x * 9, 55, -22.5f}, {2.4f, 3, 1.4f}, h[ROLE_HEAD], Hex(0x102040), 6, 3);
			body.Block({x * 9, 65, -20.8f}, {9, 2, 1.5f}, h[ROLE_HEAD], Hex(0x3070A0), 0.5f);		// frowning brows
		}
		for (int side = 0; side < 2; side++)
		{
			Role thigh = side ? ROLE_RTHIGH : ROLE_LTHIGH, shin = side ? ROLE_RSHIN : ROLE_LSHIN, foot = side ? ROLE_RFOOT : ROLE_LFOOT;
			Role upper = side ? ROLE_RUPPER : ROLE_LUPPER, fore = side ? ROLE_RFORE : ROLE_LFORE, hand = side ? ROLE_RHAND : ROLE_LHAND;
			body.Limb(h.Pivot(thigh), h.Pivot(shin), 4.5f, 4, h[thigh], limb);
			body.Limb(h.Pivot(shin), h.Pivot(foot), 4, 3.6f, h[shin], limb);
			body.Block(h.Pivot(foot) + Vec3{0, -1.8f, -3}, {9, 4, 13}, h[foot], deep, 1.5f);
			body.Limb(h.Pivot(upper), h.Pivot(fore), 4, 3.5f, h[upper], limb);
			body.Limb(h.Pivot(fore), h.Pivot(hand), 3.5f, 3, h[fore], limb);
			body.Ball(h.Pivot(hand) + Vec3{0, -3, 0}, {4.5f, 5, 4}, h[hand], deep, 6, 4);
		}
		s.model = body.Build(s.name);

		const Biped b = h.AsBiped();
		const Pose arms = Pose().RotZ(h[ROLE_LUPPER], -0.45f).RotZ(h[ROLE_RUPPER], 0.45f).RotX(h[ROLE_LFORE], 0.3f).RotX(h[ROLE_RFORE], 0.3f);
		AddBipedIdle(AnimBuilder(s, ICECUBE_ANIM_STAND, "stand"), b, 40, arms, 1.5f);
		Gait g;
		g.stride = 0.6f;
		g.knee = 1.0f;
		g.bob = 2;
		g.armSwing = 0.5f;
		g.sway = 0.15f;
		g.twist = 0.1f;
		AddBipedWalk(AnimBuilder(s, ICECUBE_ANIM_WALK, "walk"), b, g, 24, arms);
		{
			// 2 throw: the right hand winds back over the top and lets go on the flag.
			AnimBuilder a(s, ICECUBE_ANIM_THROW, "throw");
			Pose back = Pose(arms).Rot(h[ROLE_RUPPER], {-1.0f, 0, 1.2f}).RotX(h[ROLE_RFORE], 1.2f).RotY(h[ROLE_CHEST], 0.35f);
			Pose over = Pose(arms).Rot(h[ROLE_RUPPER], {2.6f, 0, 0.2f}).RotX(h[ROLE_RFORE], 0.6f).RotY(h[ROLE_CHEST], 0.1f);
			Pose release = Pose(arms).Rot(h[ROLE_RUPPER], {1.4f, 0, 0}).RotX(h[ROLE_RFORE], 0.1f).RotY(h[ROLE_CHEST], -0.35f)
				.RotX(h[ROLE_CHEST], -0.15f);
			a.Key(0, arms).Key(14, back).Key(24, over, EASE_IN).Key(28, release).Key(40, arms).SetFlag(28, 0).Stop(40);
		}
		AddHumanoidHurt(AnimBuilder(s, ICECUBE_ANIM_HURT, "hurt"), h);
		return s;
	}
}
