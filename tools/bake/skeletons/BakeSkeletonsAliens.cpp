// The brain aliens: spindly green invaders in purple suits whose huge bare
// brains sit on little heads with black eyes; the elite is bigger, dark red
// with a golden chest plate. Joint 4 is the head (the zap comes from it, the
// bite is tested around it). Animations: 0 stand, 1 walk, 2 death, 3 zap,
// 4 hit, 5 run, 6 bite.
#include "skeletons/BakeSkeletons.h"
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

		struct AlienStyle
		{
			Kit::Rgba skin, suit, brain, brainFold, plate;
			bool armour;
		};

		void AddHead(Body& body, const Humanoid& h, const AlienStyle& st)
		{
			const int head = h[ROLE_HEAD];
			const float s = h.p.scale;
			const Vec3 base = h.Pivot(ROLE_HEAD);
			// A small narrow face under a big brain.
			body.Ball(base + Vec3{0, 6, -1} * s, Vec3{7, 7.5f, 7} * s, head, st.skin);
			for (float x : {-1.0f, 1.0f})
			{
				Kit::Mesh eye = Kit::Sphere(1, 8, 4);
				Kit::Scale(eye, Vec3{2.6f, 3.6f, 1.6f} * s);
				Kit::Rotate(eye, {0, 0, -x * 0.45f});
				Kit::Translate(eye, base + Vec3{x * 3.3f, 7.5f, -6.3f} * s);
				body.Add(eye, head, Hex(0x101018), true);
			}
			body.Ball(base + Vec3{0, 2.2f, -6.4f} * s, Vec3{2.2f, 0.8f, 1} * s, head, Hex(0x3A2030), 6, 3);	// mouth
			// The brain: two hemispheres with folds.
			const Vec3 brain = base + Vec3{0, 17, 2} * s;
			for (float x : {-1.0f, 1.0f})
				body.Ball(brain + Vec3{x * 4.6f, 0, 0} * s, Vec3{6.2f, 8.2f, 11.5f} * s, head, st.brain);
			for (int k = 0; k < 3; k++)
				for (float x : {-1.0f, 1.0f})
				{
					float z = -7.0f + 7.0f * float(k);
					body.Ball(brain + Vec3{x * 6.8f, 3.2f - std::fabs(z) * 0.18f, z} * s, Vec3{3.2f, 3.6f, 3.4f} * s, head,
							st.brainFold, 6, 3);
				}
			// Ear stalks.
			for (float x : {-1.0f, 1.0f})
				body.Spike(base + Vec3{x * 6.2f, 6, 0} * s, {x, 0.35f, 0}, 1.4f * s, 5.5f * s, head, st.skin, 5);
		}
	}

	Rig::Skeleton BuildBrainAlien(bool elite)
	{
		const int type = elite ? SKELETON_TYPE_ELITEBRAINALIEN : SKELETON_TYPE_BRAINALIEN;
		AlienStyle st;
		if (elite)
			st = {Hex(0xB04040), Hex(0x2A2233), Hex(0xFF8A7A), Hex(0xE05A50), Hex(0xE8B830), true};
		else
			st = {Hex(0x7CD850), Hex(0x6E3CB4), Hex(0xF4A0B8), Hex(0xE07898), {}, false};

		Skeleton s;
		s.name = SKELETON_FILE_NAMES[type];
		Proportions p;
		p.scale = elite ? 1.12f : 1.0f;
		p.hipY = 40;
		p.kneeY = 22;
		p.ankleY = 4;
		p.bellyY = 47;
		p.chestY = 58;
		p.neckY = 75;
		p.headY = 79;
		p.shoulderX = 11;
		p.shoulderY = 73;
		p.elbowY = 57;
		p.wristY = 42;
		const Humanoid h = AddHumanoidJoints(s, p);
		static_assert(int(ROLE_HEAD) == BRAINALIEN_JOINT_HEAD, "the game zaps and bites from the head joint");

		Look look;
		look.skin = st.skin;
		look.shirt = look.sleeve = look.pants = st.suit;
		look.shoes = Hex(0x25202A);
		look.girth = 0.72f;
		look.bareArms = true;
		look.head = false;
		Body body(elite ? 261 : 260);
		AddHumanoidParts(body, h, look);
		AddHead(body, h, st);
		const float sc = p.scale;
		if (st.armour)
		{
			body.Block(h.Pivot(ROLE_CHEST) + Vec3{0, 8.5f, -4.2f} * sc, Vec3{13, 12, 2.5f} * sc, h[ROLE_CHEST], st.plate, 1.2f * sc);
			for (float x : {-1.0f, 1.0f})
				body.Ball(h.Pivot(x < 0 ? ROLE_LUPPER : ROLE_RUPPER) + Vec3{0, 2, 0} * sc, Vec3{5.2f, 3.4f, 5.2f} * sc,
						h[x < 0 ? ROLE_LUPPER : ROLE_RUPPER], st.plate, 6, 3);
		}
		else
		{
			body.Ball(h.Pivot(ROLE_CHEST) + Vec3{0, 9, -4.6f} * sc, Vec3{2.4f, 2.4f, 1.2f} * sc, h[ROLE_CHEST], Hex(0xF8E040), 6, 3);
		}
		s.model = body.Build(s.name);

		const Biped b = h.AsBiped();
		const int head = h[ROLE_HEAD];
		const Pose relaxed = Pose().RotZ(h[ROLE_LUPPER], -0.15f).RotZ(h[ROLE_RUPPER], 0.15f)
			.RotX(h[ROLE_LFORE], 0.3f).RotX(h[ROLE_RFORE], 0.3f);

		// 0 stand: swaying, the brain throbbing.
		AddCycle(AnimBuilder(s, BRAINALIEN_ANIM_STAND, "stand"), 48, 4, [&](float ph) {
			float w = std::sin(TAU * ph);
			Pose q = BipedIdlePose(b, ph, 1.2f).Add(relaxed);
			q.RotY(head, 0.25f * w).ScaleXYZ(head, {1 + 0.03f * (1 - std::cos(TAU * ph)), 1, 1});
			return q;
		}, EASE_INOUT);

		// 1 walk: a creeping, hunched walk.
		Gait walk;
		walk.stride = 0.45f;
		walk.knee = 0.9f;
		walk.bob = 2.5f;
		walk.armSwing = 0.5f;
		walk.elbow = 0.45f;
		walk.lean = 0.15f;
		walk.twist = 0.12f;
		AddBipedWalk(AnimBuilder(s, BRAINALIEN_ANIM_WALK, "walk"), b, walk, 24, relaxed);

		// 2 death: the brain takes the fall forward.
		AddHumanoidDeath(AnimBuilder(s, BRAINALIEN_ANIM_DEATH, "death"), h, true);

		// 3 zap: leaning back with both hands raised to the brain, which
		// swells and the head jerks up with each shot (the game fires five
		// zaps a second from the head).
		AddCycle(AnimBuilder(s, BRAINALIEN_ANIM_ZAP, "zap"), 6, 2, [&](float ph) {
			float pulse = ph < 0.25f ? 1.0f : 0.0f;
			return Pose().RotX(h[ROLE_BELLY], 0.1f).RotX(h[ROLE_CHEST], 0.15f).RotX(head, 0.25f + 0.12f * pulse)
				.Scale(head, 1 + 0.1f * pulse)
				.Rot(h[ROLE_LUPPER], {-0.2f, 0, -2.5f - 0.15f * pulse}).Rot(h[ROLE_RUPPER], {-0.2f, 0, 2.5f + 0.15f * pulse})
				.RotX(h[ROLE_LFORE], 1.2f).RotX(h[ROLE_RFORE], 1.2f)
				.RotZ(h[ROLE_LTHIGH], -0.12f).RotZ(h[ROLE_RTHIGH], 0.12f);
		}, EASE_INOUT);

		// 4 hit: knocked back, then left reeling; the game holds the last
		// pose until its hurt timer runs out.
		AnimBuilder(s, BRAINALIEN_ANIM_HIT, "hit").Key(0, relaxed).Key(3, HumanoidHurtPose(h, 1.0f), EASE_OUT)
			.Key(8, HumanoidHurtPose(h, 0.75f)).Key(14, HumanoidHurtPose(h, 0.45f)).Stop(14);

		// 5 run: long, low strides, arms pumping.
		Gait run = walk;
		run.stride = 0.65f;
		run.knee = 1.3f;
		run.bob = 4;
		run.armSwing = 0.8f;
		run.elbow = 1.0f;
		run.lean = 0.3f;
		AddBipedWalk(AnimBuilder(s, BRAINALIEN_ANIM_RUN, "run"), b, run, 16, relaxed);

		// 6 bite: reared back, then the head snaps forward and down.
		{
			AnimBuilder a(s, BRAINALIEN_ANIM_BITE, "bite");
			Pose rear = Pose().RotX(h[ROLE_CHEST], 0.25f).RotX(head, 0.4f).Rot(h[ROLE_LUPPER], {0.6f, 0, -0.5f})
				.Rot(h[ROLE_RUPPER], {0.6f, 0, 0.5f});
			Pose strike = Pose().RotX(h[ROLE_BELLY], -0.45f).RotX(h[ROLE_CHEST], -0.35f).RotX(head, -0.5f)
				.Move(head, Vec3{0, -1, -3} * sc).RotX(h[ROLE_LTHIGH], 0.35f).RotX(h[ROLE_LSHIN], -0.35f)
				.Rot(h[ROLE_LUPPER], {-0.5f, 0, -0.3f}).Rot(h[ROLE_RUPPER], {-0.5f, 0, 0.3f});
			a.Key(0, relaxed).Key(5, rear, EASE_IN).Key(9, strike).Key(13, strike).Key(22, relaxed).Stop(22);
		}
		return s;
	}
}
