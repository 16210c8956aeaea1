// The ruined city's creatures: the pod worm (a chain of segments the game
// lays along a path), the hulking mutant (its punching fist is joint 10) and
// the mutant robot (its arm cannon's muzzle is joint 4, its exhaust joint 15).
#include "skeletons/BakeSkeletons.h"
#include "3D/SkeletonTypes.h"
#include "Enemies/CityCreatures.h"
#include "kit/Primitives.h"
#include "rig/Humanoid.h"

#include <cmath>

namespace Skeletons
{
	using namespace Rig;
	using Kit::Hex;

	namespace
	{
		constexpr int WORM_SEGMENTS = 10;
		// The game lays the joints 90 apart along the worm's path at scale
		// 1.5: the reference pose matches, and each segment is long enough
		// to overlap its neighbours so the body reads as one.
		constexpr float WORM_SPACING = 60;
		constexpr float TAU = 6.2831853f;
	}

	Rig::Skeleton BuildPodWorm()
	{
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_PODWORM];
		Body body(315);
		// The head at the origin, the body trailing back along +z.
		for (int k = 0; k < WORM_SEGMENTS; k++)
		{
			const float z = WORM_SPACING * float(k);
			s.AddJoint(k == 0 ? "head" : "segment " + std::to_string(k), k - 1, {0, 0, z});
			const float r = k == 0 ? 22 : 20 - 1.2f * float(k);
			body.Ball({0, 0, z}, {r, r, k == 0 ? r : 36}, k, k % 2 ? Hex(0x8A5AA0) : Hex(0xA070B8), 8, 5);
			body.Spike({0, r * 0.8f, z}, {0, 1, 0.3f}, 4, 10, k, Hex(0xF0D040), 4);
		}
		for (float x : {-9.0f, 9.0f})
			body.Ball({x, 8, -17}, {5, 5, 4}, 0, Hex(0xF02020), 6, 3);
		body.Ball({0, -6, -20}, {12, 5, 4}, 0, Hex(0x300818), 6, 3);
		s.model = body.Build(s.name);

		std::vector<int> chain;
		for (int k = 1; k < WORM_SEGMENTS; k++)
			chain.push_back(k);
		AddCycle(AnimBuilder(s, "wriggle"), 24, 4, [&](float ph) {
			return WavePose(chain, ph, {0, 1, 0}, 0.18f, 0.1f).Add(WavePose({0}, ph, {1, 0, 0}, 0.1f, 0));
		}, EASE_INOUT);
		return s;
	}

	Rig::Skeleton BuildMutant()
	{
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_MUTANT];
		// A head taller than the robot: his fist must carry to a robot a few steps off.
		Proportions p;
		p.scale = 1.75f;
		p.shoulderX = 18;
		p.shoulderY = 86;
		p.elbowY = 66;
		p.wristY = 46;
		const Humanoid h = AddHumanoidJoints(s, p);
		static_assert(int(ROLE_RHAND) == MUTANT_JOINT_FIST, "the game punches with the right hand");

		Look look;
		look.skin = Hex(0x9AC848);
		look.shirt = look.sleeve = Hex(0x7A8A40);
		look.pants = Hex(0x50463C);
		look.shoes = Hex(0x302820);
		look.girth = 1.45f;
		look.bareArms = true;
		look.headSize = 0.85f;
		Body body(316);
		AddHumanoidParts(body, h, look);
		const float sc = p.scale;
		// Hunched shoulders, huge fists, warts that glow.
		body.Ball(h.Pivot(ROLE_CHEST) + Vec3{0, 18, 4} * sc, Vec3{20, 9, 12} * sc, h[ROLE_CHEST], look.skin);
		for (Role hand : {ROLE_LHAND, ROLE_RHAND})
			body.Ball(h.Pivot(hand) + Vec3{0, -5, 0} * sc, Vec3{6, 6.5f, 6} * sc, h[hand], look.skin, 8, 4);
		for (int k = 0; k < 4; k++)
			body.Ball(h.Pivot(ROLE_CHEST) + Vec3{-8.0f + 5.5f * float(k), 8.0f + 3 * float(k % 2), -6} * sc, Vec3{1.6f, 1.6f, 1.2f} * sc,
					h[ROLE_CHEST], Hex(0xE8F040), 6, 3);
		s.model = body.Build(s.name);

		const Biped b = h.AsBiped();
		const Pose hulk = Pose().RotZ(h[ROLE_LUPPER], -0.3f).RotZ(h[ROLE_RUPPER], 0.3f).RotX(h[ROLE_LFORE], 0.4f)
			.RotX(h[ROLE_RFORE], 0.4f).RotX(h[ROLE_CHEST], -0.15f).RotX(h[ROLE_HEAD], 0.15f);
		AddBipedIdle(AnimBuilder(s, MUTANT_ANIM_STAND, "stand"), b, 40, hulk, 2);
		Gait g;
		g.stride = 0.4f;
		g.knee = 0.8f;
		g.bob = 4;
		g.armSwing = 0.3f;
		g.sway = 0.08f;
		g.twist = 0.15f;
		AddBipedWalk(AnimBuilder(s, MUTANT_ANIM_WALK, "walk"), b, g, 32, hulk);
		{
			// 2 punch: a right haymaker; the blow lands on the flag.
			AnimBuilder a(s, MUTANT_ANIM_PUNCH, "punch");
			Pose wind = Pose(hulk).Rot(h[ROLE_RUPPER], {-0.6f, 0, 0.6f}).RotX(h[ROLE_RFORE], 1.4f).RotY(h[ROLE_CHEST], 0.45f);
			Pose hit = Pose(hulk).Rot(h[ROLE_RUPPER], {1.5f, 0, -0.2f}).RotX(h[ROLE_RFORE], 0.1f).RotY(h[ROLE_CHEST], -0.5f)
				.RotX(h[ROLE_BELLY], -0.2f).RotX(h[ROLE_RTHIGH], 0.3f).RotX(h[ROLE_RSHIN], -0.3f)
				.Move(h[ROLE_PELVIS], Vec3{0, -8, -65} * p.scale);	// a lunge into the blow
			a.Key(0, hulk).Key(8, wind, EASE_IN).Key(13, hit).Key(20, hit).Key(30, hulk).SetFlag(13, 0).Stop(30);
		}
		AddHumanoidHurt(AnimBuilder(s, MUTANT_ANIM_HURT, "hurt"), h);
		AddHumanoidRise(AnimBuilder(s, MUTANT_ANIM_GROW, "grow"), h, 40);
		return s;
	}

	Rig::Skeleton BuildMutantRobot()
	{
		// The arm cannon comes early so the muzzle is joint 4; the exhaust is last.
		enum { PELVIS, BELLY, CHEST, RUPPER, CANNON, HEAD, LUPPER, LFORE, LHAND, LTHIGH, LSHIN, LFOOT, RTHIGH, RSHIN, RFOOT, EXHAUST };
		static_assert(int(CANNON) == MUTANTROBOT_JOINT_CANNON, "the game fires from the cannon joint");
		static_assert(int(EXHAUST) == MUTANTROBOT_JOINT_EXHAUST, "the game puffs smoke from the exhaust joint");
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_MUTANTROBOT];
		s.AddJoint("pelvis", -1, {0, 60, 0});
		s.AddJoint("belly", PELVIS, {0, 68, 0});
		s.AddJoint("chest", BELLY, {0, 82, 0});
		s.AddJoint("right upper arm", CHEST, {24, 104, 0});
		s.AddJoint("cannon", RUPPER, {27, 82, 0});
		s.AddJoint("head", CHEST, {0, 112, 0});
		s.AddJoint("left upper arm", CHEST, {-24, 104, 0});
		s.AddJoint("left forearm", LUPPER, {-27, 82, 0});
		s.AddJoint("left hand", LFORE, {-28, 62, 0});
		s.AddJoint("left thigh", PELVIS, {-10, 58, 0});
		s.AddJoint("left shin", LTHIGH, {-10, 32, 0});
		s.AddJoint("left foot", LSHIN, {-10, 7, 0});
		s.AddJoint("right thigh", PELVIS, {10, 58, 0});
		s.AddJoint("right shin", RTHIGH, {10, 32, 0});
		s.AddJoint("right foot", RSHIN, {10, 7, 0});
		s.AddJoint("exhaust", CHEST, {0, 96, 18});

		Body body(317);
		const Kit::Rgba metal = Hex(0x8A8E98), dark = Hex(0x3A3C44), rust = Hex(0xB05A2A), flesh = Hex(0x9AC848);
		body.Block({0, 60, 0}, {26, 12, 16}, PELVIS, dark, 3);
		body.Limb({0, 66, 0}, {0, 82, 0}, 9, 11, BELLY, metal);
		body.Block({0, 94, 0}, {40, 26, 24}, CHEST, metal, 5);
		body.Block({0, 96, -12.5f}, {18, 12, 2}, CHEST, rust, 1);
		body.Block({0, 122, 0}, {16, 16, 16}, HEAD, metal, 3);
		body.Ball({0, 133, 0}, {8, 5, 8}, HEAD, flesh, 8, 4);				// a brain under glass
		body.Block({0, 123, -8.5f}, {12, 4, 1.5f}, HEAD, Hex(0xF03020), 0.5f);
		body.Ball({24, 104, 0}, {7, 7, 7}, RUPPER, dark, 6, 4);
		body.Limb({24, 102, 0}, {27, 82, 0}, 5, 5, RUPPER, metal);
		body.Limb({27, 82, 0}, {28, 52, 0}, 7, 6, CANNON, dark, 8);
		body.Limb({28, 52, 0}, {28, 46, 0}, 4, 4, CANNON, rust, 6);
		body.Ball({-24, 104, 0}, {7, 7, 7}, LUPPER, dark, 6, 4);
		body.Limb({-24, 102, 0}, {-27, 82, 0}, 5, 5, LUPPER, metal);
		body.Limb({-27, 82, 0}, {-28, 62, 0}, 4.5f, 4, LFORE, metal);
		body.Block({-28, 57, 0}, {8, 9, 6}, LHAND, dark, 1.5f);
		const int legs[2][3] = {{LTHIGH, LSHIN, LFOOT}, {RTHIGH, RSHIN, RFOOT}};
		for (int side = 0; side < 2; side++)
		{
			float x = side ? 10.0f : -10.0f;
			body.Limb({x, 58, 0}, {x, 32, 0}, 6, 5, legs[side][0], metal);
			body.Limb({x, 32, 0}, {x, 9, 0}, 5, 4.5f, legs[side][1], metal);
			body.Block({x, 3.5f, -3}, {10, 7, 16}, legs[side][2], dark, 2);
		}
		body.Limb({0, 96, 14}, {0, 86, 28}, 5, 7, EXHAUST, dark, 6);
		// A jet pack of two rust-red tanks either side of the nozzle, shoulder
		// plates, knee caps and a glowing eye slit: a jet-powered gunner.
		for (float x : {-1.0f, 1.0f})
		{
			body.Limb({x * 10, 110, 16}, {x * 10, 82, 16}, 6, 6, CHEST, rust, 8);
			body.Spike({x * 10, 110, 16}, {0, 1, 0}, 6, 5, CHEST, dark, 8);
			body.Block({x * 24, 110, 0}, {16, 5, 16}, x < 0 ? LUPPER : RUPPER, rust, 2);
			body.Ball({x * 10, 33, -5}, {5, 5, 3}, x < 0 ? LSHIN : RSHIN, dark, 6, 3);
		}
		body.Block({28, 64, 0}, {14, 8, 14}, CANNON, rust, 2);		// the cannon's breech
		s.model = body.Build(s.name);

		Biped b;
		b.root = PELVIS;
		b.belly = BELLY;
		b.chest = CHEST;
		b.head = HEAD;
		b.lThigh = LTHIGH;
		b.lShin = LSHIN;
		b.lFoot = LFOOT;
		b.rThigh = RTHIGH;
		b.rShin = RSHIN;
		b.rFoot = RFOOT;
		b.lUpper = LUPPER;
		b.lFore = LFORE;
		b.rUpper = RUPPER;
		b.rFore = CANNON;
		const Pose aim = Pose().RotX(RUPPER, 1.3f).RotX(CANNON, 0.25f).RotZ(LUPPER, -0.2f);
		// Feet apart, knees bent, the free hand under the cannon: braced to fire.
		const Pose braced = Pose(aim).RotX(LTHIGH, 0.45f).RotX(LSHIN, -0.55f).RotX(LFOOT, 0.1f).RotX(RTHIGH, -0.3f).RotX(RSHIN, -0.2f)
			.RotX(RFOOT, 0.5f).Move(PELVIS, {0, -4, 0}).RotY(HEAD, -0.15f).Rot(LUPPER, {1.1f, 0, 0.5f}).RotX(LFORE, 0.9f);
		Gait g;
		g.stride = 0.4f;
		g.bob = 3;
		g.armSwing = 0.2f;
		g.lean = 0.1f;
		const Pose arms = Pose().RotZ(LUPPER, -0.15f).RotZ(RUPPER, 0.15f).RotX(CANNON, 0.3f);
		// 0 stand: it scans left and right, the cannon held ready.
		AddCycle(AnimBuilder(s, MUTANTROBOT_ANIM_STAND, "stand"), 60, 4, [&](float ph) {
			float w = std::sin(TAU * ph);
			return Pose(arms).RotY(HEAD, 0.5f * w).RotY(CHEST, 0.12f * w).Add(BipedIdlePose(b, ph, 0.7f));
		}, EASE_INOUT);
		AddBipedWalk(AnimBuilder(s, MUTANTROBOT_ANIM_WALK, "walk"), b, g, 32, arms, 255, 255);
		AddBipedIdle(AnimBuilder(s, MUTANTROBOT_ANIM_AIM, "stand aiming"), b, 40, braced, 0.5f);
		// 3 shoot: one bolt a cycle (the game fires every 0.2 s): the cannon
		// kicks up and back, the shoulders take it and the jets flare.
		AddCycle(AnimBuilder(s, MUTANTROBOT_ANIM_SHOOT, "shoot"), 6, 3, [&](float ph) {
			float kick = ph < 0.34f ? 1.0f : (ph < 0.67f ? 0.35f : 0.0f);
			return Pose(braced).RotX(RUPPER, 0.18f * kick).RotX(CANNON, -0.1f * kick).RotX(CHEST, 0.07f * kick)
				.Move(RUPPER, {0, 0, 3 * kick}).Scale(EXHAUST, 1 + 0.4f * kick);
		}, EASE_INOUT);
		AddCycle(AnimBuilder(s, MUTANTROBOT_ANIM_HURT, "hurt"), 8, 2, [&](float ph) {
			float j = ph < 0.25f ? 1.0f : -1.0f;
			return Pose().RotX(CHEST, 0.35f).RotZ(CHEST, 0.1f * j).RotX(HEAD, 0.3f).Rot(LUPPER, {0.5f, 0, -0.6f})
				.Rot(RUPPER, {0.5f, 0, 0.6f}).Move(PELVIS, {0, -3, 4}).RotX(LTHIGH, 0.3f).RotX(LSHIN, -0.4f);
		}, EASE_INOUT);
		Gait run = g;
		run.stride = 0.65f;
		run.knee = 1.2f;
		run.bob = 5;
		run.lean = 0.25f;
		AddBipedWalk(AnimBuilder(s, MUTANTROBOT_ANIM_RUN, "run"), b, run, 16, Pose().RotX(RUPPER, 0.4f).RotX(CANNON, 0.6f));
		return s;
	}
}
