// The farm's vegetables: the onion (grabs and crushes the robot in its right
// hand, joint 10), the corn cob and the leaping tomato (its eye glints are on
// joint 0, its leap sets Flag[0] as it springs). First rigs of their body
// plans, to be refined with their behaviour.
#include "skeletons/BakeSkeletons.h"
#include "3D/SkeletonTypes.h"
#include "Enemies/FarmCreatures.h"
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

		// Eyes on the front of a round body: white balls with dark pupils.
		void Eyes(Body& body, Vec3 centre, float spacing, float size, int joint)
		{
			for (float x : {-1.0f, 1.0f})
			{
				body.Ball(centre + Vec3{x * spacing, 0, 0}, {size, size * 1.2f, size * 0.7f}, joint, Hex(0xF8F8F0), 6, 4);
				body.Ball(centre + Vec3{x * spacing, 0, -size * 0.6f}, Vec3{0.5f, 0.6f, 0.4f} * size, joint, Hex(0x181818), 6, 3);
			}
		}

		Proportions Stubby(float scale)
		{
			Proportions p;
			p.scale = scale;
			p.hipY = 30;
			p.kneeY = 17;
			p.ankleY = 4;
			p.bellyY = 36;
			p.chestY = 52;
			p.neckY = 82;
			p.headY = 86;
			p.shoulderX = 22;
			p.shoulderY = 64;
			p.elbowY = 50;
			p.wristY = 36;
			return p;
		}

		// Vegetable limbs: thin green arms and legs, no trunk parts.
		void StalkLimbs(Body& body, const Humanoid& h, Kit::Rgba color)
		{
			for (int side = 0; side < 2; side++)
			{
				Role upper = side ? ROLE_RUPPER : ROLE_LUPPER, fore = side ? ROLE_RFORE : ROLE_LFORE;
				Role hand = side ? ROLE_RHAND : ROLE_LHAND;
				Role thigh = side ? ROLE_RTHIGH : ROLE_LTHIGH, shin = side ? ROLE_RSHIN : ROLE_LSHIN;
				Role foot = side ? ROLE_RFOOT : ROLE_LFOOT;
				body.Limb(h.Pivot(upper), h.Pivot(fore), 2.2f, 2, h[upper], color);
				body.Limb(h.Pivot(fore), h.Pivot(hand), 2, 1.8f, h[fore], color);
				body.Ball(h.Pivot(hand) + Vec3{0, -3, 0}, {3.5f, 4, 3}, h[hand], color, 6, 4);
				body.Limb(h.Pivot(thigh), h.Pivot(shin), 2.8f, 2.5f, h[thigh], color);
				body.Limb(h.Pivot(shin), h.Pivot(foot), 2.5f, 2.2f, h[shin], color);
				body.Block(h.Pivot(foot) + Vec3{0, -1.6f, -2.5f}, {6, 3.4f, 10}, h[foot], Kit::Shade(color, 0.7f), 1.5f);
			}
		}

		Pose VegRelaxed(const Humanoid& h)
		{
			return Pose().RotZ(h[ROLE_LUPPER], -0.35f).RotZ(h[ROLE_RUPPER], 0.35f)
				.RotX(h[ROLE_LFORE], 0.3f).RotX(h[ROLE_RFORE], 0.3f);
		}

		Gait Waddle()
		{
			Gait g;
			g.stride = 0.55f;
			g.knee = 0.9f;
			g.bob = 2;
			g.armSwing = 0.5f;
			g.twist = 0.05f;
			g.sway = 0.12f;
			return g;
		}
	}

	Rig::Skeleton BuildOnion()
	{
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_ONION];
		const Humanoid h = AddHumanoidJoints(s, Stubby(1));
		Body body(303);
		StalkLimbs(body, h, Hex(0x6BAE3A));
		// The bulb: purple outer layers narrowing to a neck, sprouts on top.
		const Vec3 belly = h.Pivot(ROLE_BELLY), head = h.Pivot(ROLE_HEAD);
		body.Ball(belly + Vec3{0, 16, 0}, {22, 21, 21}, h[ROLE_BELLY], Hex(0xA8487E), 10, 6);
		body.Ball(h.Pivot(ROLE_CHEST) + Vec3{0, 16, 0}, {13, 16, 13}, h[ROLE_CHEST], Hex(0xC46A9C), 8, 5);
		body.Spike(h.Pivot(ROLE_NECK) + Vec3{0, -3, 0}, {0, 1, 0}, 6, 10, h[ROLE_NECK], Hex(0xD88AB4), 7);
		for (int k = 0; k < 3; k++)
		{
			float a = TAU * float(k) / 3;
			body.Spike(head + Vec3{0, 3, 0}, {std::sin(a) * 0.35f, 1, std::cos(a) * 0.35f}, 1.8f, 16 + 3 * float(k), h[ROLE_HEAD],
					Hex(0x58B030), 5);
		}
		Eyes(body, belly + Vec3{0, 24, -18}, 6, 4, h[ROLE_BELLY]);
		body.Ball(belly + Vec3{0, 13, -20.5f}, {6, 2, 1.5f}, h[ROLE_BELLY], Hex(0x401830), 6, 3);		// a scowl
		s.model = body.Build(s.name);

		const Biped b = h.AsBiped();
		const Pose relaxed = VegRelaxed(h);
		AddBipedIdle(AnimBuilder(s, ONION_ANIM_STAND, "stand"), b, 50, relaxed, 1.5f);
		AddBipedWalk(AnimBuilder(s, ONION_ANIM_WALK, "walk"), b, Waddle(), 24, relaxed);
		AddHumanoidHurt(AnimBuilder(s, ONION_ANIM_HURT, "hurt"), h);
		{
			// 3 grab: both arms lunge forward with a swoosh; the game checks the reach when it stops.
			AnimBuilder a(s, ONION_ANIM_GRAB, "grab");
			Pose reach = Pose().Rot(h[ROLE_LUPPER], {1.5f, 0, 0.2f}).Rot(h[ROLE_RUPPER], {1.5f, 0, -0.2f})
				.RotX(h[ROLE_BELLY], -0.3f).RotX(h[ROLE_LTHIGH], 0.3f).RotX(h[ROLE_LSHIN], -0.3f);
			a.Key(0, relaxed).Key(6, reach, EASE_OUT).Key(12, reach).Sound(3, ANIMSOUND_SWOOSH).Stop(12);
		}
		{
			// 4 crush: the robot held up in the right hand, squeezed three times.
			AnimBuilder a(s, ONION_ANIM_CRUSH, "crush");
			Pose up = Pose().Rot(h[ROLE_RUPPER], {2.2f, 0, 0.2f}).RotX(h[ROLE_RFORE], 0.5f)
				.Rot(h[ROLE_LUPPER], {1.6f, 0, -0.3f}).RotX(h[ROLE_LFORE], 1.0f);
			Pose squeeze = up;
			squeeze.RotX(h[ROLE_LFORE], 0.5f).RotZ(h[ROLE_LUPPER], 0.3f).RotX(h[ROLE_BELLY], -0.1f).Scale(h[ROLE_RHAND], 0.85f);
			a.Key(0, up);
			for (int k = 0; k < 3; k++)
				a.Key(8 + 16 * k, squeeze).Key(16 + 16 * k, up);
			a.Key(64, relaxed).Stop(64);
		}
		AddHumanoidRise(AnimBuilder(s, ONION_ANIM_GROW, "grow"), h, 30);
		return s;
	}

	Rig::Skeleton BuildCorn()
	{
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_CORN];
		Proportions p = Stubby(1);
		p.chestY = 60;
		p.neckY = 100;
		p.headY = 104;
		p.shoulderY = 70;
		p.elbowY = 56;
		p.wristY = 42;
		p.shoulderX = 14;
		const Humanoid h = AddHumanoidJoints(s, p);
		Body body(304);
		StalkLimbs(body, h, Hex(0x5DA030));
		// The cob in two parts, kernels in rows, the husk folding back from the bottom.
		body.Ball(h.Pivot(ROLE_BELLY) + Vec3{0, 14, 0}, {13, 20, 12}, h[ROLE_BELLY], Hex(0xF0C830), 8, 5);
		body.Ball(h.Pivot(ROLE_CHEST) + Vec3{0, 22, 0}, {11.5f, 26, 11}, h[ROLE_CHEST], Hex(0xF8D848), 8, 6);
		body.Ball(h.Pivot(ROLE_HEAD) + Vec3{0, 2, 0}, {5, 7, 5}, h[ROLE_HEAD], Hex(0xF8E070), 6, 4);
		for (int k = 0; k < 4; k++)
		{
			float a = TAU * (float(k) + 0.5f) / 4;
			body.Spike(h.Pivot(ROLE_PELVIS) + Vec3{std::sin(a) * 6, 0, std::cos(a) * 6}, {std::sin(a) * 0.45f, 1, std::cos(a) * 0.45f},
					5, 30, h[ROLE_PELVIS], Hex(0x78B840), 4);
		}
		Eyes(body, h.Pivot(ROLE_CHEST) + Vec3{0, 28, -9.5f}, 4.5f, 3.2f, h[ROLE_CHEST]);
		s.model = body.Build(s.name);

		const Biped b = h.AsBiped();
		const Pose relaxed = VegRelaxed(h);
		AddBipedIdle(AnimBuilder(s, CORN_ANIM_STAND, "stand"), b, 50, relaxed, 1.5f);
		AddBipedWalk(AnimBuilder(s, CORN_ANIM_WALK, "walk"), b, Waddle(), 24, relaxed);
		AddHumanoidHurt(AnimBuilder(s, CORN_ANIM_HURT, "hurt"), h);
		AddHumanoidRise(AnimBuilder(s, CORN_ANIM_GROW, "grow"), h, 40);
		return s;
	}

	Rig::Skeleton BuildTomato()
	{
		enum { BODY, CROWN, LTHIGH, LFOOT, RTHIGH, RFOOT };
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_TOMATO];
		s.AddJoint("body", -1, {0, 34, 0});
		s.AddJoint("crown", BODY, {0, 58, 0});
		s.AddJoint("left leg", BODY, {-9, 16, 0});
		s.AddJoint("left foot", LTHIGH, {-9, 4, 0});
		s.AddJoint("right leg", BODY, {9, 16, 0});
		s.AddJoint("right foot", RTHIGH, {9, 4, 0});

		Body body(305);
		body.Ball({0, 36, 0}, {25, 22, 24}, BODY, Hex(0xE8321E), 10, 6);
		Eyes(body, {0, 42, -21}, 7, 4.5f, BODY);
		body.Ball({0, 30, -23}, {7, 2.5f, 1.5f}, BODY, Hex(0x5A1008), 6, 3);
		for (int k = 0; k < 5; k++)
		{
			float a = TAU * float(k) / 5;
			body.Spike({std::sin(a) * 2, 57, std::cos(a) * 2}, {std::sin(a), 0.25f, std::cos(a)}, 3, 11, CROWN, Hex(0x3E9A2A), 4);
		}
		body.Limb({0, 57, 0}, {0, 64, 0}, 1.6f, 1.2f, CROWN, Hex(0x2E7A20), 5);
		for (int side = 0; side < 2; side++)
		{
			int thigh = side ? RTHIGH : LTHIGH, foot = side ? RFOOT : LFOOT;
			float x = side ? 9.0f : -9.0f;
			body.Limb({x, 16, 0}, {x, 4, 0}, 2.6f, 2.3f, thigh, Hex(0x3E9A2A), 5);
			body.Block({x, 2.2f, -3}, {7, 4.4f, 11}, foot, Hex(0x2E7A20), 1.5f);
		}
		s.model = body.Build(s.name);

		auto legs = [&](float ph, float swing) {
			float c = std::cos(TAU * ph);
			return Pose().RotX(LTHIGH, swing * c).RotX(RTHIGH, -swing * c);
		};
		// 0 stand: a bouncy squash and stretch.
		AddCycle(AnimBuilder(s, TOMATO_ANIM_STAND, "stand"), 24, 4, [&](float ph) {
			float up = 0.5f - 0.5f * std::cos(TAU * ph);
			return Pose().ScaleXYZ(BODY, {1.04f - 0.06f * up, 0.96f + 0.08f * up, 1.04f - 0.06f * up}).Move(BODY, {0, 1.5f * up, 0})
				.RotZ(CROWN, 0.15f * std::sin(TAU * ph));
		}, EASE_INOUT);
		// 1 walk: quick little steps with a rocking body.
		AddCycle(AnimBuilder(s, TOMATO_ANIM_WALK, "walk"), 16, 8, [&](float ph) {
			return legs(ph, 0.6f).RotZ(BODY, 0.08f * std::sin(TAU * ph)).Move(BODY, {0, 2 * std::fabs(std::sin(TAU * ph)), 0});
		});
		// 2 rolling stop: legs tucked in while it rolls.
		AddCycle(AnimBuilder(s, TOMATO_ANIM_ROLL, "rolling stop"), 12, 2, [&](float ph) {
			return Pose().RotX(LTHIGH, 1.2f + (ph < 0.25f ? 0.1f : -0.1f)).RotX(RTHIGH, 1.2f).Scale(LFOOT, 0.6f).Scale(RFOOT, 0.6f);
		}, EASE_INOUT);
		{
			// 3 leap: squat, spring (the jump event), tuck.
			AnimBuilder a(s, TOMATO_ANIM_LEAP, "leap");
			Pose squat = Pose().ScaleXYZ(BODY, {1.15f, 0.8f, 1.15f}).Move(BODY, {0, -6, 0}).RotX(LTHIGH, 0.6f).RotX(RTHIGH, 0.6f)
				.RotX(LFOOT, -0.6f).RotX(RFOOT, -0.6f);
			Pose spring = Pose().ScaleXYZ(BODY, {0.9f, 1.18f, 0.9f}).Move(BODY, {0, 4, 0}).RotX(LTHIGH, -0.5f).RotX(RTHIGH, -0.5f);
			Pose tuck = Pose().RotX(LTHIGH, 1.3f).RotX(RTHIGH, 1.3f);
			a.Key(0, Pose()).Key(8, squat, EASE_IN).Key(11, spring, EASE_OUT).Key(20, tuck).SetFlag(11, 0).Stop(20);
		}
		AddSequence(AnimBuilder(s, TOMATO_ANIM_GROW, "grow"), {{0, Pose().ScaleXYZ(BODY, {1.3f, 0.5f, 1.3f}).Move(BODY, {0, -10, 0})},
			{10, Pose().ScaleXYZ(BODY, {0.85f, 1.2f, 0.85f})}, {18, Pose()}});
		return s;
	}
}
