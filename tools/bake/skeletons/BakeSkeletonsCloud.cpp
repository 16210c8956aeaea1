// The cloud level's circus: the clown (it blows bubbles from its mouth,
// joint 16), the clown fish (a flying fish carrying a bomb on joint 0) and
// the strong man (he lifts the robot, held at joint 1, over his head and
// throws it on the flag).
#include "skeletons/BakeSkeletons.h"
#include "3D/SkeletonTypes.h"
#include "Enemies/CloudCreatures.h"
#include "kit/Primitives.h"
#include "rig/Humanoid.h"

#include <cmath>
#include <stdexcept>

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
		p.shoulderX = 15;
		// The mouth must be the game's joint, so the right foot comes after it.
		Humanoid h = AddHumanoidJoints(s, p, WithoutRightFoot());
		const int mouth = s.AddJoint("mouth", h[ROLE_HEAD], h.Pivot(ROLE_HEAD) + Vec3{0, 6.5f, -8.5f} * p.scale);
		if (mouth != CLOWN_JOINT_MOUTH)
			throw std::logic_error("clown: the mouth is not the joint the game blows bubbles from");
		h.joint[ROLE_RFOOT] = s.AddJoint("right foot", h[ROLE_RSHIN], h.Pivot(ROLE_RFOOT));

		Look look;
		look.skin = Hex(0xF8F0F0);
		look.shirt = Hex(0x30A0E8);
		look.sleeve = Hex(0xF0D020);
		look.pants = Hex(0xE83838);
		look.shoes = Hex(0xE83838);
		look.girth = 1.3f;
		look.headSize = 1.15f;
		Body body(320);
		AddHumanoidParts(body, h, look);
		const Vec3 head = h.Pivot(ROLE_HEAD);
		const float sc = p.scale;
		// A baggy suit: a round belly with big pom-pom buttons, puffed sleeves
		// and trouser legs that flare over long floppy shoes.
		body.Ball(h.Pivot(ROLE_BELLY) + Vec3{0, 2, -1} * sc, Vec3{15, 13, 12} * sc, h[ROLE_BELLY], look.shirt, 7, 4);
		for (int k = 0; k < 3; k++)
			body.Ball(h.Pivot(ROLE_BELLY) + Vec3{0, 12.0f - 8.0f * float(k), -12.5f + 1.5f * float(k)} * sc, Vec3{2.6f, 2.6f, 2.2f} * sc,
					k == 0 ? h[ROLE_CHEST] : h[ROLE_BELLY], k == 1 ? Hex(0xF02020) : Hex(0xF0D020), 6, 3);
		for (Role upper : {ROLE_LUPPER, ROLE_RUPPER})
			body.Ball(h.Pivot(upper) + Vec3{0, -3, 0} * sc, Vec3{6.5f, 7, 6.5f} * sc, h[upper], look.sleeve, 6, 3);
		for (Role shin : {ROLE_LSHIN, ROLE_RSHIN})
			body.Limb(h.Pivot(shin) + Vec3{0, -8, 0} * sc, h.Pivot(shin) + Vec3{0, -19, 0} * sc, 4.5f * sc, 7 * sc, h[shin], look.pants, 6);
		for (Role foot : {ROLE_LFOOT, ROLE_RFOOT})
		{
			body.Ball(h.Pivot(foot) + Vec3{0, -1.5f, -11} * sc, Vec3{6, 3.8f, 11} * sc, h[foot], look.shoes, 6, 3);
			body.Ball(h.Pivot(foot) + Vec3{0, 1, -17} * sc, Vec3{3.2f, 2.2f, 3} * sc, h[foot], Hex(0xF0D020), 4, 2);
		}
		// White gloves, bigger than the hands they hide.
		for (Role hand : {ROLE_LHAND, ROLE_RHAND})
			body.Ball(h.Pivot(hand) + Vec3{0, -4, 0} * sc, Vec3{4.5f, 5, 4} * sc, h[hand], Hex(0xFFFFFF), 6, 3);
		// A ruff, a red nose, puffs of orange hair and a pointed hat with a pom-pom.
		Kit::Mesh ruff = Kit::Torus(10, 3.5f, 8, 3);
		Kit::Scale(ruff, Vec3{1, 0.6f, 1} * sc);
		Kit::Translate(ruff, h.Pivot(ROLE_NECK) + Vec3{0, -1, 0} * sc);
		body.Add(ruff, h[ROLE_CHEST], Hex(0xF8F8F8));
		body.Ball(head + Vec3{0, 9, -10.5f} * sc, Vec3{3.6f, 3.6f, 3.6f} * sc, h[ROLE_HEAD], Hex(0xF02020), 6, 3);
		for (float x : {-1.0f, 1.0f})
		{
			body.Ball(head + Vec3{x * 10, 12, 1} * sc, Vec3{5, 5.5f, 6} * sc, h[ROLE_HEAD], Hex(0xF07010), 6, 4);
			body.Ball(head + Vec3{x * 8, 7, 3} * sc, Vec3{3.5f, 4, 4.5f} * sc, h[ROLE_HEAD], Hex(0xF07010), 5, 3);
			body.Ball(head + Vec3{x * 4.5f, 14, -9} * sc, Vec3{1.6f, 2.4f, 1} * sc, h[ROLE_HEAD], Hex(0x3050E0), 4, 2);	// painted eyes
		}
		body.Spike(head + Vec3{0, 19, 0} * sc, {0.15f, 1, 0}, 7 * sc, 17 * sc, h[ROLE_HEAD], Hex(0x9040D0), 6);
		body.Ball(head + Vec3{2.6f, 35.5f, 0} * sc, Vec3{3, 3, 3} * sc, h[ROLE_HEAD], Hex(0xF0D020), 5, 3);
		// A wide red mouth (the bubble swells out of it).
		body.Ball(head + Vec3{0, 6.5f, -9} * sc, Vec3{3.6f, 1.8f, 1.4f} * sc, mouth, Hex(0xC01828), 6, 3);
		s.model = body.Build(s.name);

		const Biped b = h.AsBiped();
		const Pose relaxed = Pose().RotZ(h[ROLE_LUPPER], -0.3f).RotZ(h[ROLE_RUPPER], 0.3f).RotX(h[ROLE_LFORE], 0.3f).RotX(h[ROLE_RFORE], 0.3f);
		AddBipedIdle(AnimBuilder(s, CLOWN_ANIM_STAND, "stand"), b, 40, relaxed, 1.5f);
		// A bouncy, knock-kneed waddle with the arms flapping.
		Gait g;
		g.stride = 0.5f;
		g.knee = 1.3f;
		g.bob = 6;
		g.armSwing = 0.7f;
		g.elbow = 0.6f;
		g.sway = 0.16f;
		g.twist = 0.12f;
		AddBipedWalk(AnimBuilder(s, CLOWN_ANIM_WALK, "walk"), b, g, 24, relaxed);
		{
			// 2 blow: a big breath, leaning back with the arms thrown wide and the
			// chest swelling; then, leaning in, the gloves cup the puffed-out
			// mouth and the breath goes into the bubble (Flag[0]) in pumping
			// pushes until the game ends it.
			AnimBuilder a(s, CLOWN_ANIM_BLOW, "blow");
			Pose breathe = Pose(relaxed).RotX(h[ROLE_CHEST], 0.3f).RotX(h[ROLE_HEAD], 0.3f).ScaleXYZ(h[ROLE_CHEST], {1.12f, 1.08f, 1.15f})
				.ScaleXYZ(h[ROLE_BELLY], {1.1f, 1, 1.12f}).Rot(h[ROLE_LUPPER], {0.3f, 0, -1.3f}).Rot(h[ROLE_RUPPER], {0.3f, 0, 1.3f})
				.RotX(h[ROLE_LFORE], 0.4f).RotX(h[ROLE_RFORE], 0.4f).Add(HumanoidCrouch(h, 0.05f));
			auto push = [&](float depth, float cheeks) {
				return Pose().RotX(h[ROLE_CHEST], -0.15f - 0.1f * depth).RotX(h[ROLE_BELLY], -0.1f * depth).RotX(h[ROLE_HEAD], -0.05f)
					.Scale(mouth, cheeks).Rot(h[ROLE_LUPPER], {0.9f, 0, 0.35f}).Rot(h[ROLE_RUPPER], {0.9f, 0, -0.35f})
					.RotX(h[ROLE_LFORE], 1.9f).RotX(h[ROLE_RFORE], 1.9f).RotY(h[ROLE_LFORE], 0.3f).RotY(h[ROLE_RFORE], -0.3f)
					.ScaleXYZ(h[ROLE_BELLY], {1 - 0.06f * depth, 1, 1 - 0.08f * depth}).Add(HumanoidCrouch(h, 0.04f + 0.12f * depth));
			};
			a.Key(0, relaxed).Key(12, breathe, EASE_OUT).Key(18, push(1, 1.7f), EASE_IN).Key(30, push(0.3f, 1.3f)).Key(42, push(1, 1.7f));
			a.SetFlag(18, 0).Marker(18).Loop(42);
		}
		AddHumanoidHurt(AnimBuilder(s, CLOWN_ANIM_HURT, "hurt"), h);
		return s;
	}

	Rig::Skeleton BuildClownFish()
	{
		// Joint 0 is the body the bomb hangs from; the tail bends in two
		// joints so a wave can run down it, and the pectoral fins are big
		// enough to row it through the air.
		enum { BODY, TAIL, FIN, LFIN, RFIN, JAW, DORSAL };
		static_assert(int(BODY) == CLOWNFISH_JOINT_BOMB, "the game hangs the bomb from the body joint");
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_CLOWNFISH];
		s.AddJoint("body", -1, {0, 0, 0});
		s.AddJoint("tail", BODY, {0, 0, 28});
		s.AddJoint("tail fin", TAIL, {0, 0, 62});
		s.AddJoint("left fin", BODY, {-20, -6, -8});
		s.AddJoint("right fin", BODY, {20, -6, -8});
		s.AddJoint("jaw", BODY, {0, -6, -35});
		s.AddJoint("dorsal fin", BODY, {0, 24, 0});

		Body body(321);
		const Kit::Rgba orange = Hex(0xF07820), white = Hex(0xF8F8F8), black = Hex(0x181818);
		body.Ball({0, 0, -6}, {24, 26, 40}, BODY, orange, 10, 6);
		// Three white bands edged in black: behind the eyes, round the middle, at the tail.
		auto band = [&](float z, float rx, float ry, int joint) {
			for (int k = -1; k <= 1; k++)
			{
				Kit::Mesh ring = Kit::Torus(1, k == 0 ? 0.13f : 0.06f, 10, 4);
				Kit::Rotate(ring, {1.5707963f, 0, 0});
				Kit::Scale(ring, {rx, ry, k == 0 ? rx * 0.9f : rx});
				Kit::Translate(ring, {0, 0, z + float(k) * rx * 0.2f});
				body.Add(ring, joint, k == 0 ? white : black);
			}
		};
		band(-18, 21, 23.5f, BODY);
		band(12, 22, 24, BODY);
		body.Limb({0, 0, 28}, {0, 0, 62}, 16, 7, TAIL, orange, 8);
		band(48, 11.5f, 11.5f, TAIL);
		// A forked tail fin, its lobes edged in black.
		for (float up : {-1.0f, 1.0f})
		{
			Kit::Mesh lobe = Kit::Sphere(1, 6, 3);
			Kit::Scale(lobe, {2.5f, 9, 17});
			Kit::Rotate(lobe, {up * 0.6f, 0, 0});
			Kit::Translate(lobe, {0, up * 10, 76});
			body.Add(lobe, FIN, orange);
			body.Ball({0, up * 17, 86}, {2.8f, 3, 4}, FIN, black, 5, 3);
		}
		// The dorsal fin, a scalloped ridge.
		for (int k = 0; k < 3; k++)
			body.Ball({0, 28.0f - 2 * float(k), -8.0f + 12 * float(k)}, {2.5f, 8, 7}, DORSAL, orange, 6, 3);
		for (int side = 0; side < 2; side++)
		{
			float x = side ? 1.0f : -1.0f;
			Kit::Mesh f = Kit::Sphere(1, 7, 3);
			Kit::Scale(f, {18, 2.5f, 11});
			Kit::Translate(f, {x * 36, -6, -4});
			body.Add(f, side ? RFIN : LFIN, orange);
			body.Ball({x * 52, -6, -2}, {4, 2.8f, 9}, side ? RFIN : LFIN, black, 6, 3);
			// Big goggling eyes.
			body.Ball({x * 13, 10, -34}, {7, 8, 6}, BODY, white, 7, 4);
			body.Ball({x * 14, 10, -39}, {3.5f, 4, 2.2f}, BODY, black, 6, 3);
		}
		body.Ball({0, -4, -43}, {9, 4, 6}, JAW, Hex(0xE85858), 8, 3);
		s.model = body.Build(s.name);

		// 0 swim: a wave runs from the head to the tail fin while the
		// pectoral fins row like wings and the body bobs with each stroke.
		AddCycle(AnimBuilder(s, "swim"), 24, 8, [](float ph) {
			auto wave = [ph](float lag) { return std::sin(TAU * (ph - lag)); };
			float stroke = std::cos(TAU * ph);
			return Pose().RotY(BODY, 0.1f * wave(0)).RotY(TAIL, -0.4f * wave(0.15f)).RotY(FIN, -0.55f * wave(0.3f))
				.RotZ(LFIN, 0.6f * stroke).RotZ(RFIN, -0.6f * stroke).RotY(LFIN, 0.25f * wave(0.25f)).RotY(RFIN, -0.25f * wave(0.25f))
				.RotZ(DORSAL, 0.12f * wave(0.1f)).RotX(JAW, 0.25f + 0.15f * wave(0.5f))
				.RotX(BODY, 0.04f * stroke).Move(BODY, {0, 3 * std::sin(TAU * ph), 0});
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
		look.headSize = 1.0f;
		look.bareArms = true;
		Body body(322);
		AddHumanoidParts(body, h, look);
		const float sc = p.scale;
		const Vec3 head = h.Pivot(ROLE_HEAD);
		// A strong man's build: a small head on a barrel chest, boulder
		// shoulders, bulging arms; a one-strapped red
		// leotard, a gold belt, slick black hair and a curled moustache.
		const Kit::Rgba hair = Hex(0x201008);
		for (float x : {-1.0f, 1.0f})
		{
			body.Ball(head + Vec3{x * 3.5f, 5.8f, -7} * sc, Vec3{3.6f, 1.3f, 1.5f} * sc, h[ROLE_HEAD], hair, 6, 3);
			body.Ball(head + Vec3{x * 7.0f, 7.4f, -6.4f} * sc, Vec3{1.2f, 1.9f, 1.2f} * sc, h[ROLE_HEAD], hair, 6, 3);	// curled tip
		}
		// Slicked back over the crown: a cap a little wider than the skull (its
		// centre 9.5 up the head joint), standing proud of it at the top.
		body.Ball(head + Vec3{0, 16.5f, 0.9f} * sc, Vec3{8.4f, 6.2f, 8.9f} * sc, h[ROLE_HEAD], hair, 8, 4);
		body.Block(h.Pivot(ROLE_PELVIS) + Vec3{0, 3, 0} * sc, Vec3{26, 5, 16} * sc, h[ROLE_PELVIS], Hex(0xE8C020), 1.5f * sc);	// belt
		body.Block(h.Pivot(ROLE_PELVIS) + Vec3{0, 3, -8.2f} * sc, Vec3{7, 6, 1.5f} * sc, h[ROLE_PELVIS], Hex(0xF8E060), 0.8f * sc);
		// No belly joint: the chest carries the waist down to the belt, tapering to it.
		const Vec3 chest = h.Pivot(ROLE_CHEST);
		body.Ball(chest + Vec3{0, 4, 0} * sc, Vec3{15, 13, 9.5f} * sc, h[ROLE_CHEST], look.shirt, 7, 4);
		body.Ball(chest + Vec3{0, -8, 0} * sc, Vec3{11, 9, 8} * sc, h[ROLE_CHEST], look.shirt, 6, 3);
		for (float x : {-1.0f, 1.0f})
			body.Ball(chest + Vec3{x * 6, 8, -6} * sc, Vec3{6.5f, 5, 4} * sc, h[ROLE_CHEST], x < 0 ? look.skin : look.shirt, 6, 3);	// the bare side and the strap
		for (Role upper : {ROLE_LUPPER, ROLE_RUPPER})
		{
			const Vec3 at = h.Pivot(upper);
			body.Ball(at + Vec3{0, -1, 0} * sc, Vec3{7, 6.5f, 6.5f} * sc, h[upper], look.skin, 6, 3);			// shoulder
			body.Ball(at + Vec3{0, -10, -2} * sc, Vec3{5.2f, 6.5f, 5.2f} * sc, h[upper], look.skin, 6, 3);	// biceps
		}
		for (Role fore : {ROLE_LFORE, ROLE_RFORE})
			body.Ball(h.Pivot(fore) + Vec3{0, -5, 0} * sc, Vec3{4.2f, 6, 4.2f} * sc, h[fore], look.skin, 6, 3);
		s.model = body.Build(s.name);

		const Biped b = h.AsBiped();
		const Pose flex = Pose().RotZ(h[ROLE_LUPPER], -0.45f).RotZ(h[ROLE_RUPPER], 0.45f).RotX(h[ROLE_LFORE], 0.45f).RotX(h[ROLE_RFORE], 0.45f)
			.RotX(h[ROLE_CHEST], 0.06f);
		// 0 stand: he breathes deep, and now and then curls both arms in a
		// show of muscle.
		{
			AnimBuilder a(s, STRONGMAN_ANIM_STAND, "stand");
			Pose breathe = Pose(flex).ScaleXYZ(h[ROLE_CHEST], {1.05f, 1.03f, 1.08f}).RotX(h[ROLE_HEAD], -0.05f);
			Pose curl = Pose(flex).Rot(h[ROLE_LUPPER], {0, 0, -1.45f}).Rot(h[ROLE_RUPPER], {0, 0, 1.45f})
				.Rot(h[ROLE_LFORE], {0, 0, -1.7f}).Rot(h[ROLE_RFORE], {0, 0, 1.7f}).ScaleXYZ(h[ROLE_CHEST], {1.08f, 1.04f, 1.1f});
			a.Key(0, flex).Key(20, breathe).Key(40, flex).Key(60, breathe).Key(72, curl, EASE_OUT).Key(90, curl).Key(104, flex);
			a.Loop(104);
		}
		// A heavy, rolling swagger, shoulders turning against the hips.
		Gait g;
		g.stride = 0.4f;
		g.knee = 0.8f;
		g.bob = 4;
		g.armSwing = 0.3f;
		g.elbow = 0.5f;
		g.sway = 0.1f;
		g.twist = 0.16f;
		AddBipedWalk(AnimBuilder(s, STRONGMAN_ANIM_WALK, "walk"), b, g, 32, flex);
		{
			// 2 lift and throw: squat and scoop the robot up, clean it to the
			// chest, press it overhead with straight arms (held there,
			// trembling with the strain), lean back for the swing and hurl it
			// down in front on the flag. The grip follows the hands.
			AnimBuilder a(s, STRONGMAN_ANIM_LIFT, "lift and throw");
			const Vec3 gripRest = s.RestOffset(grip);
			auto gripAt = [&](Vec3 at) { return at * sc - gripRest; };
			auto arms = [&](float forward, float inward, float elbow) {
				return Pose().Rot(h[ROLE_LUPPER], {forward, 0, inward}).Rot(h[ROLE_RUPPER], {forward, 0, -inward})
					.RotX(h[ROLE_LFORE], elbow).RotX(h[ROLE_RFORE], elbow);
			};
			Pose scoop = HumanoidCrouch(h, 0.6f).Add(arms(0.9f, 0.3f, 0.2f)).RotX(h[ROLE_CHEST], -0.35f).Move(grip, gripAt({0, 8, -32}));
			Pose clean = HumanoidCrouch(h, 0.35f).Add(arms(0.2f, 0.15f, 2.3f)).RotX(h[ROLE_CHEST], 0.1f).Move(grip, gripAt({0, 38, -22}));
			Pose press = arms(2.95f, 0.12f, 0.05f).RotX(h[ROLE_CHEST], 0.12f).RotX(h[ROLE_HEAD], 0.2f).Move(grip, gripAt({0, 48, 12}));
			Pose strainL = press, strainR = press;
			strainL.RotZ(h[ROLE_CHEST], 0.05f).Add(HumanoidCrouch(h, 0.08f));
			strainR.RotZ(h[ROLE_CHEST], -0.05f).Add(HumanoidCrouch(h, 0.04f));
			Pose wind = arms(3.3f, 0.12f, 0.3f).RotX(h[ROLE_CHEST], 0.35f).RotX(h[ROLE_HEAD], 0.25f).Add(HumanoidCrouch(h, 0.1f))
				.Move(grip, gripAt({0, 44, 30}));
			Pose heave = arms(1.1f, 0.2f, 0.1f).RotX(h[ROLE_CHEST], -0.55f).RotX(h[ROLE_HEAD], -0.15f)
				.RotX(h[ROLE_LTHIGH], 0.55f).RotX(h[ROLE_LSHIN], -0.6f).RotX(h[ROLE_RTHIGH], -0.25f)
				.Move(h[ROLE_PELVIS], Vec3{0, -6, -8} * sc).Move(grip, gripAt({0, 55, -40}));
			a.Key(0, flex).Key(10, scoop).Key(17, clean, EASE_OUT).Key(24, press, EASE_OUT).Key(30, strainL).Key(36, strainR)
				.Key(40, press).Key(46, wind, EASE_IN).Key(51, heave).Key(56, heave).Key(64, flex);
			a.SetFlag(51, 0).Stop(64);
		}
		AddHumanoidHurt(AnimBuilder(s, STRONGMAN_ANIM_HURT, "hurt"), h);
		return s;
	}
}
