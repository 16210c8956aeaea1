// The jungle's creatures: the giant lizard (a four-legged, fire-breathing
// swallower whose jaw is joint 7), the venus flytrap (its trap is joint 11),
// the acid-spitting mantis (its head is joint 6), the turtle and the
// pitcher plant. First rigs of their body plans; the flag events carry the
// moments the game reacts to.
#include "skeletons/BakeSkeletons.h"
#include "3D/SkeletonTypes.h"
#include "Enemies/JungleBoss.h"
#include "Enemies/JungleSkeletons.h"
#include "kit/Primitives.h"
#include "rig/Body.h"
#include "rig/Motion.h"

#include <cmath>

namespace Skeletons
{
	using namespace Rig;
	using Kit::Hex;

	namespace
	{
		constexpr float TAU = 6.2831853f;
		// The lizard's lower jaw drops for this sign of a turn about x (a
		// positive turn lifts a joint's front). The flames leave along the
		// jaw, so a breathing lizard holds its head high to send them level.
		constexpr float JAW_OPEN_SIGN = -1.0f;

		void Eye(Body& body, Vec3 at, float size, int joint, Kit::Rgba iris = Hex(0xF0D020))
		{
			body.Ball(at, {size, size, size}, joint, iris, 6, 4);
			body.Ball(at + Vec3{0, 0, -size * 0.8f}, Vec3{0.3f, 0.7f, 0.3f} * size, joint, Hex(0x101010), 6, 3);
		}

		// A leg of two segments: upper from the hip to the knee, lower to the foot.
		void AddLeg(Body& body, int upper, int lower, Vec3 hip, Vec3 knee, Vec3 foot, float r, Kit::Rgba c)
		{
			body.Limb(hip, knee, r, r * 0.8f, upper, c, 6);
			body.Limb(knee, foot, r * 0.8f, r * 0.6f, lower, c, 6);
			body.Ball(foot, Vec3{1.3f, 0.6f, 1.6f} * r, lower, Kit::Shade(c, 0.8f), 6, 3);
		}
	}

	Rig::Skeleton BuildGiantLizard()
	{
		enum { HIPS, CHEST, NECK, HEAD, TAIL1, TAIL2, TAIL3, JAW, FL_UP, FL_LO, FR_UP, FR_LO, BL_UP, BL_LO, BR_UP, BR_LO };
		static_assert(int(JAW) == LIZARD_JOINT_JAW, "the game breathes fire and holds the robot at the jaw joint");
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_GIANTLIZARD];
		s.AddJoint("hips", -1, {0, 110, 60});
		s.AddJoint("chest", HIPS, {0, 118, -40});
		s.AddJoint("neck", CHEST, {0, 128, -110});
		s.AddJoint("head", NECK, {0, 150, -170});
		s.AddJoint("tail", HIPS, {0, 105, 110});
		s.AddJoint("tail middle", TAIL1, {0, 90, 200});
		s.AddJoint("tail tip", TAIL2, {0, 70, 280});
		s.AddJoint("jaw", HEAD, {0, 142, -180});
		const Vec3 legRoots[4] = {{-40, 105, -60}, {40, 105, -60}, {-42, 100, 60}, {42, 100, 60}};
		const char* names[4][2] = {{"front left leg", "front left foot"}, {"front right leg", "front right foot"},
			{"back left leg", "back left foot"}, {"back right leg", "back right foot"}};
		for (int k = 0; k < 4; k++)
		{
			int parent = k < 2 ? CHEST : HIPS;
			float x = legRoots[k].x;
			s.AddJoint(names[k][0], parent, legRoots[k]);
			s.AddJoint(names[k][1], int(s.joints.size()) - 1, {x * 1.6f, 55, legRoots[k].z - 6});
		}

		Body body(311);
		const Kit::Rgba scales = Hex(0x4E9A3C), belly = Hex(0xC8D070);
		body.Ball({0, 112, 50}, {48, 40, 70}, HIPS, scales, 9, 5);
		body.Ball({0, 118, -45}, {46, 42, 66}, CHEST, scales, 9, 5);
		body.Ball({0, 96, -30}, {34, 22, 60}, CHEST, belly, 8, 4);
		for (int k = 0; k < 4; k++)
			body.Spike({0, 150, -80.0f + 45 * float(k)}, {0, 1, 0.3f}, 9, 26, k < 2 ? CHEST : HIPS, Hex(0xE06030), 4);
		body.Limb({0, 128, -110}, {0, 150, -170}, 24, 20, NECK, scales, 8);
		body.Ball({0, 158, -200}, {30, 22, 44}, HEAD, scales, 9, 5);
		Eye(body, {-20, 172, -205}, 7, HEAD);
		Eye(body, {20, 172, -205}, 7, HEAD);
		body.Ball({0, 138, -215}, {26, 9, 38}, JAW, belly, 8, 4);
		for (float x : {-14.0f, 14.0f})
			body.Spike({x, 146, -240}, {0, -1, 0}, 3, 9, HEAD, Hex(0xF8F8F0), 4);
		body.Limb({0, 105, 110}, {0, 90, 200}, 26, 18, TAIL1, scales, 8);
		body.Limb({0, 90, 200}, {0, 70, 280}, 18, 10, TAIL2, scales, 8);
		body.Spike({0, 70, 280}, {0, -0.2f, 1}, 10, 60, TAIL3, scales, 8);
		for (int k = 0; k < 4; k++)
		{
			const Rig::Joint& up = s.joints[size_t(FL_UP + 2 * k)];
			const Rig::Joint& lo = s.joints[size_t(FL_LO + 2 * k)];
			AddLeg(body, FL_UP + 2 * k, FL_LO + 2 * k, up.pivot, lo.pivot, {lo.pivot.x * 1.05f, 8, lo.pivot.z - 12}, 15, scales);
		}
		s.model = body.Build(s.name);

		const std::vector<Leg> legs = {{FL_UP, FL_LO, 0.0f, -1}, {FR_UP, FR_LO, 0.5f, 1}, {BL_UP, BL_LO, 0.5f, -1}, {BR_UP, BR_LO, 0.0f, 1}};
		const std::vector<int> tail = {TAIL1, TAIL2, TAIL3};
		auto breathe = [&](float ph, float a) {
			return WavePose(tail, ph, {0, 1, 0}, 0.12f * a, 0.15f).RotX(NECK, 0.05f * a * std::sin(TAU * ph));
		};

		AddCycle(AnimBuilder(s, LIZARD_ANIM_STAND, "stand"), 60, 4, [&](float ph) { return breathe(ph, 1); }, EASE_INOUT);
		AddCycle(AnimBuilder(s, LIZARD_ANIM_WALK, "walk"), 32, 8, [&](float ph) {
			return LegsWalkPose(legs, ph, 0.45f, 0.5f).Add(WavePose(tail, ph, {0, 1, 0}, 0.2f, 0.12f))
				.RotY(CHEST, 0.08f * std::cos(TAU * ph)).RotY(HEAD, -0.08f * std::cos(TAU * ph))
				.Move(HIPS, {0, -3 * std::fabs(std::cos(TAU * ph)), 0});
		});
		{
			// 2 breathe fire: it rears up with its head high and its chest
			// swelling (the inhale), then thrusts its head forward, level
			// enough that the jet carries, the jaw drops and fire pours
			// (Flag[0]) while the head sweeps a little from side to side.
			AnimBuilder a(s, LIZARD_ANIM_BREATHE_FIRE, "breathe fire");
			Pose inhale = Pose().RotX(CHEST, 0.22f).RotX(NECK, 0.5f).RotX(HEAD, 0.3f).Move(HIPS, {0, -8, 6})
				.ScaleXYZ(CHEST, {1.15f, 1.15f, 1.05f}).ScaleXYZ(NECK, {1.1f, 1.1f, 1});
			auto blow = [&](float sweep) {
				return Pose().RotX(CHEST, 0.1f).RotX(NECK, 0.32f).RotX(HEAD, 0.3f).RotX(JAW, JAW_OPEN_SIGN * 0.4f)
					.RotY(NECK, 0.12f * sweep).Move(HIPS, {0, 0, -12}).ScaleXYZ(CHEST, {0.95f, 0.95f, 1});
			};
			a.Key(0, Pose()).Key(20, inhale, EASE_INOUT).Key(24, inhale).Key(29, blow(0), EASE_OUT);
			a.Key(43, blow(1)).Key(57, blow(-1)).Key(70, blow(0)).Key(80, Pose());
			a.SetFlag(29, 0).ClearFlag(72, 0).Stop(80);
		}
		{
			// 3 lunge: the head darts forward, jaws wide, and snaps shut.
			AnimBuilder a(s, LIZARD_ANIM_LUNGE, "lunge");
			Pose back = Pose().RotX(NECK, 0.3f).RotX(JAW, JAW_OPEN_SIGN * 0.3f).Move(HIPS, {0, 0, 10});
			Pose strike = Pose().RotX(NECK, -0.45f).RotX(HEAD, -0.2f).RotX(JAW, JAW_OPEN_SIGN * 0.8f).Move(HIPS, {0, -6, -40})
				.RotX(FL_UP, 0.4f).RotX(FR_UP, 0.4f);
			Pose snap = strike;
			snap.RotX(JAW, JAW_OPEN_SIGN * (-0.8f));
			a.Key(0, Pose()).Key(6, back, EASE_IN).Key(11, strike).Key(14, snap).Key(24, Pose()).Stop(24);
		}
		// 4 hold: chewing with the robot in its mouth.
		AddCycle(AnimBuilder(s, LIZARD_ANIM_HOLD, "hold"), 16, 2, [&](float ph) {
			return Pose().RotX(JAW, JAW_OPEN_SIGN * (ph < 0.25f ? 0.35f : 0.1f)).RotX(HEAD, ph < 0.25f ? -0.05f : 0.05f).Add(breathe(ph, 0.5f));
		}, EASE_INOUT);
		{
			// 5 spit out: a toss of the head; the robot flies at the release (Flag[0]).
			AnimBuilder a(s, LIZARD_ANIM_SPIT_OUT, "spit out");
			Pose wind = Pose().RotY(NECK, 0.5f).RotX(NECK, 0.2f);
			Pose toss = Pose().RotY(NECK, -0.35f).RotX(NECK, -0.3f).RotX(JAW, JAW_OPEN_SIGN * 0.7f);
			a.Key(0, Pose()).Key(10, wind, EASE_IN).Key(15, toss).Key(28, Pose()).SetFlag(15, 0).Stop(28);
		}
		AddCycle(AnimBuilder(s, LIZARD_ANIM_HURT, "hurt"), 12, 2, [&](float ph) {
			return Pose().RotZ(CHEST, ph < 0.25f ? 0.1f : -0.1f).RotX(NECK, 0.4f).RotX(JAW, JAW_OPEN_SIGN * 0.5f).Move(HIPS, {0, -6, 8});
		}, EASE_INOUT);
		AddSequence(AnimBuilder(s, LIZARD_ANIM_DEAD, "dead"), {{0, Pose()}, {12, Pose().RotZ(HIPS, 1.3f).Move(HIPS, {0, -55, 0}).RotX(NECK, -0.3f)
			.RotX(JAW, JAW_OPEN_SIGN * 0.6f).RotX(FL_UP, 0.5f).RotX(BL_UP, -0.5f)}});
		AddCycle(AnimBuilder(s, LIZARD_ANIM_ROAR, "roar"), 24, 4, [&](float ph) {
			float w = std::sin(TAU * ph);
			return Pose().RotX(CHEST, 0.25f).RotX(NECK, 0.5f + 0.05f * w).RotX(HEAD, 0.3f).RotX(JAW, JAW_OPEN_SIGN * (0.9f + 0.1f * w))
				.RotY(HEAD, 0.15f * w).Add(WavePose(tail, ph, {0, 1, 0}, 0.3f, 0.1f));
		}, EASE_INOUT);
		return s;
	}

	Rig::Skeleton BuildVenusFlytrap()
	{
		enum { ROOT, STEM1, STEM2, STEM3, LEAF_L1, LEAF_R1, LEAF_L2, LEAF_R2, NECK, UPPER, LOWER, MOUTH };
		static_assert(int(MOUTH) == FLYTRAP_JOINT_MOUTH, "the game holds the robot in the mouth joint");
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_VENUSFLYTRAP];
		s.AddJoint("root", -1, {0, 0, 0});
		s.AddJoint("stem", ROOT, {0, 20, 0});
		s.AddJoint("stem middle", STEM1, {0, 70, 0});
		s.AddJoint("stem top", STEM2, {0, 120, 0});
		s.AddJoint("left leaf", ROOT, {-10, 10, 0});
		s.AddJoint("right leaf", ROOT, {10, 10, 0});
		s.AddJoint("left upper leaf", STEM1, {-6, 50, 0});
		s.AddJoint("right upper leaf", STEM1, {6, 55, 0});
		s.AddJoint("neck", STEM3, {0, 160, 0});
		s.AddJoint("upper jaw", NECK, {0, 170, 10});
		s.AddJoint("lower jaw", NECK, {0, 166, 10});
		s.AddJoint("mouth", NECK, {0, 175, -30});

		Body body(312);
		const Kit::Rgba stem = Hex(0x4A9A30), trap = Hex(0x6CC040), inside = Hex(0xD83848);
		body.Ball({0, 4, 0}, {26, 10, 26}, ROOT, Hex(0x5A4020), 8, 4);
		body.Limb({0, 20, 0}, {0, 70, 0}, 7, 6, STEM1, stem);
		body.Limb({0, 70, 0}, {0, 120, 0}, 6, 5, STEM2, stem);
		body.Limb({0, 120, 0}, {0, 160, 0}, 5, 5, STEM3, stem);
		const int leaves[4] = {LEAF_L1, LEAF_R1, LEAF_L2, LEAF_R2};
		for (int k = 0; k < 4; k++)
		{
			const Rig::Joint& j = s.joints[size_t(leaves[k])];
			float side = j.pivot.x < 0 ? -1.0f : 1.0f;
			float len = k < 2 ? 55.0f : 38.0f;
			Kit::Mesh leaf = Kit::Sphere(1, 6, 3);
			Kit::Scale(leaf, {len * 0.5f, 2.5f, len * 0.22f});
			Kit::Rotate(leaf, {0, 0, side * 0.35f});
			Kit::Translate(leaf, j.pivot + Vec3{side * len * 0.5f, 8, 0});
			body.Add(leaf, leaves[k], stem);
		}
		// The trap: two jaws with teeth, hinged at the back, opening forward.
		body.Ball({0, 180, -22}, {30, 10, 32}, UPPER, trap, 8, 4);
		body.Ball({0, 176, -22}, {27, 4, 29}, UPPER, inside, 8, 3);
		body.Ball({0, 156, -22}, {30, 10, 32}, LOWER, trap, 8, 4);
		body.Ball({0, 160, -22}, {27, 4, 29}, LOWER, inside, 8, 3);
		for (int k = 0; k < 5; k++)
		{
			float a = -1.2f + 0.6f * float(k);
			Vec3 edge{std::sin(a) * 28, 0, -22 - std::cos(a) * 30};
			body.Spike(edge + Vec3{0, 172, 0}, {0, -1, 0}, 2.2f, 10, UPPER, Hex(0xF0F0D0), 4);
			body.Spike(edge + Vec3{0, 164, 0}, {0, 1, 0}, 2.2f, 10, LOWER, Hex(0xF0F0D0), 4);
		}
		body.Ball({0, 168, -8}, {4, 4, 4}, MOUTH, inside, 6, 3);
		s.model = body.Build(s.name);

		const std::vector<int> stemChain = {STEM1, STEM2, STEM3, NECK};
		auto open = [](float a) { return Pose().RotX(UPPER, 0.45f * a).RotX(LOWER, -0.35f * a); };
		// 0 wait: swaying with the jaws ajar.
		AddCycle(AnimBuilder(s, FLYTRAP_ANIM_WAIT, "wait"), 60, 4, [&](float ph) {
			return WavePose(stemChain, ph, {0, 0, 1}, 0.06f, 0.2f).Add(open(0.6f + 0.2f * std::sin(TAU * ph)))
				.RotZ(LEAF_L1, 0.1f * std::sin(TAU * ph)).RotZ(LEAF_R1, -0.1f * std::sin(TAU * ph));
		}, EASE_INOUT);
		{
			// 1 snap: rear back with the jaws wide, lunge, and shut (Flag[0] as they close).
			AnimBuilder a(s, FLYTRAP_ANIM_SNAP, "snap");
			Pose rear = Pose().RotX(STEM2, 0.2f).RotX(STEM3, 0.3f).RotX(NECK, 0.2f).Add(open(1.4f));
			Pose lunge = Pose().RotX(STEM1, -0.25f).RotX(STEM2, -0.35f).RotX(STEM3, -0.3f).RotX(NECK, -0.2f).Add(open(1.2f));
			Pose shut = lunge;
			shut.Add(open(-1.2f));
			a.Key(0, open(0.6f)).Key(8, rear, EASE_IN).Key(13, lunge).Key(15, shut).Key(30, Pose());
			a.SetFlag(15, 0).Sound(14, ANIMSOUND_FLYTRAP).Stop(30);
		}
		{
			// 2 chew: three chomps, then a fling (Flag[0] releases the robot).
			AnimBuilder a(s, FLYTRAP_ANIM_CHEW, "chew");
			for (int k = 0; k < 3; k++)
				a.Key(k * 12, open(0.1f).RotZ(NECK, 0.1f)).Key(k * 12 + 6, open(0.35f).RotZ(NECK, -0.1f));
			Pose fling = Pose().RotX(STEM2, 0.4f).RotX(NECK, 0.5f).Add(open(1.3f));
			a.Key(36, Pose().RotX(STEM2, -0.2f)).Key(42, fling, EASE_OUT).Key(56, open(0.6f));
			a.SetFlag(42, 0).Stop(56);
		}
		// 3 burning: writhing.
		AddCycle(AnimBuilder(s, FLYTRAP_ANIM_BURNING, "burning"), 12, 4, [&](float ph) {
			return WavePose(stemChain, ph, {0, 0, 1}, 0.25f, 0.25f).Add(open(1.0f + 0.3f * std::sin(TAU * ph)));
		});
		return s;
	}

	Rig::Skeleton BuildMantis()
	{
		enum { THORAX, ABDOMEN, PROTHORAX, LCLAW_UP, LCLAW_LO, NECK, HEAD, RCLAW_UP, RCLAW_LO,
			LMID_UP, LMID_LO, RMID_UP, RMID_LO, LHIND_UP, LHIND_LO, RHIND_UP, RHIND_LO };
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_MANTIS];
		s.AddJoint("thorax", -1, {0, 70, 0});
		s.AddJoint("abdomen", THORAX, {0, 72, 20});
		s.AddJoint("prothorax", THORAX, {0, 76, -15});
		s.AddJoint("left claw", PROTHORAX, {-10, 110, -30});
		s.AddJoint("left claw blade", LCLAW_UP, {-14, 90, -60});
		s.AddJoint("neck", PROTHORAX, {0, 128, -40});
		s.AddJoint("head", NECK, {0, 134, -44});
		s.AddJoint("right claw", PROTHORAX, {10, 110, -30});
		s.AddJoint("right claw blade", RCLAW_UP, {14, 90, -60});
		s.AddJoint("left middle leg", THORAX, {-10, 68, 0});
		s.AddJoint("left middle foot", LMID_UP, {-50, 50, -10});
		s.AddJoint("right middle leg", THORAX, {10, 68, 0});
		s.AddJoint("right middle foot", RMID_UP, {50, 50, -10});
		s.AddJoint("left hind leg", THORAX, {-10, 68, 12});
		s.AddJoint("left hind foot", LHIND_UP, {-48, 55, 40});
		s.AddJoint("right hind leg", THORAX, {10, 68, 12});
		s.AddJoint("right hind foot", RHIND_UP, {48, 55, 40});
		static_assert(int(HEAD) == MANTIS_JOINT_HEAD, "the game spits acid from the head joint");

		Body body(313);
		const Kit::Rgba green = Hex(0x88D040), pale = Hex(0xC8F080);
		body.Ball({0, 70, 0}, {14, 12, 20}, THORAX, green, 8, 4);
		body.Ball({0, 74, 60}, {16, 13, 45}, ABDOMEN, pale, 8, 5);
		body.Limb({0, 76, -15}, {0, 128, -40}, 7, 5, PROTHORAX, green);
		Kit::Mesh head = Kit::Cone(13, 16, 6, true, false);
		Kit::Rotate(head, {3.14159265f, 0, 0});
		Kit::Scale(head, {1.3f, 1, 0.8f});
		Kit::Translate(head, {0, 140, -46});
		body.Add(head, HEAD, green);
		Eye(body, {-12, 146, -46}, 5, HEAD, Hex(0xD04020));
		Eye(body, {12, 146, -46}, 5, HEAD, Hex(0xD04020));
		for (float x : {-4.0f, 4.0f})
			body.Limb({x, 150, -48}, {x * 5, 185, -60}, 1, 0.6f, HEAD, green, 4);
		for (int side = 0; side < 2; side++)
		{
			int up = side ? RCLAW_UP : LCLAW_UP, lo = side ? RCLAW_LO : LCLAW_LO;
			float x = side ? 1.0f : -1.0f;
			body.Limb({x * 10, 110, -30}, {x * 14, 90, -60}, 4, 3, up, green, 5);
			body.Limb({x * 14, 90, -60}, {x * 12, 126, -72}, 3, 1.5f, lo, pale, 5);
			for (int k = 0; k < 3; k++)
				body.Spike({x * 13, 96.0f + 9 * float(k), -63.0f - 3 * float(k)}, {0, 0, 1}, 1.2f, 5, lo, Hex(0x608020), 4);
		}
		const int legs[4][2] = {{LMID_UP, LMID_LO}, {RMID_UP, RMID_LO}, {LHIND_UP, LHIND_LO}, {RHIND_UP, RHIND_LO}};
		for (const auto& leg : legs)
		{
			Vec3 hip = s.joints[size_t(leg[0])].pivot, knee = s.joints[size_t(leg[1])].pivot;
			body.Limb(hip, knee, 2.8f, 2.2f, leg[0], green, 5);
			body.Limb(knee, {knee.x * 1.3f, 2, knee.z * 1.3f}, 2.2f, 1.2f, leg[1], green, 5);
		}
		s.model = body.Build(s.name);

		const std::vector<Leg> walkLegs = {{LMID_UP, LMID_LO, 0, -1}, {RMID_UP, RMID_LO, 0.5f, 1},
			{LHIND_UP, LHIND_LO, 0.5f, -1}, {RHIND_UP, RHIND_LO, 0, 1}};
		const Pose ready = Pose().RotX(LCLAW_LO, 0.2f).RotX(RCLAW_LO, 0.2f);
		AddCycle(AnimBuilder(s, MANTIS_ANIM_STAND, "stand"), 40, 4, [&](float ph) {
			float w = std::sin(TAU * ph);
			return Pose(ready).RotY(HEAD, 0.3f * w).RotX(PROTHORAX, 0.05f * w).RotX(ABDOMEN, 0.04f * std::cos(TAU * ph));
		}, EASE_INOUT);
		AddCycle(AnimBuilder(s, MANTIS_ANIM_WALK, "walk"), 24, 8, [&](float ph) {
			return LegsWalkPose(walkLegs, ph, 0.35f, 0.4f).Add(ready).RotZ(THORAX, 0.04f * std::sin(TAU * ph))
				.RotY(HEAD, 0.1f * std::sin(TAU * ph));
		});
		// 2 spit: a pump for each glob: the body rocks back with the head
		// cocked, then the head jabs forward and down (the glob leaves the
		// head, joint 6) while the abdomen lifts; claws held up out of the way.
		AddCycle(AnimBuilder(s, MANTIS_ANIM_SPIT, "spit"), 10, 4, [&](float ph) {
			static const float kJab[4] = {-1.0f, 1.0f, 0.5f, -0.3f};
			float j = kJab[int(ph * 4 + 0.01f) & 3];
			return Pose(ready).RotX(PROTHORAX, -0.12f - 0.18f * j).RotX(HEAD, -0.15f - 0.25f * j).RotX(ABDOMEN, 0.12f * j)
				.Move(THORAX, {0, 0, 4 * j}).RotX(LCLAW_LO, 0.3f).RotX(RCLAW_LO, 0.3f);
		}, EASE_INOUT);
		AddCycle(AnimBuilder(s, MANTIS_ANIM_HURT, "hurt"), 10, 2, [&](float ph) {
			float j = ph < 0.25f ? 1.0f : -1.0f;
			return Pose().RotX(PROTHORAX, 0.4f).RotZ(THORAX, 0.1f * j).Rot(LCLAW_UP, {0.5f, 0, -0.4f}).Rot(RCLAW_UP, {0.5f, 0, 0.4f})
				.RotX(LCLAW_LO, 0.8f).RotX(RCLAW_LO, 0.8f);
		}, EASE_INOUT);
		AddSequence(AnimBuilder(s, MANTIS_ANIM_DEAD, "dead"), {{0, Pose()}, {14, Pose().RotZ(THORAX, 1.6f).Move(THORAX, {0, -50, 0}).RotX(PROTHORAX, -0.5f)
			.RotX(LCLAW_LO, 1.0f).RotX(RCLAW_LO, 1.0f).RotZ(LMID_UP, 0.6f).RotZ(RMID_UP, -0.6f)}});
		return s;
	}

	Rig::Skeleton BuildTurtle()
	{
		enum { SHELL, HEAD, FL, FR, BL, BR, TAIL };
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_TURTLE];
		s.AddJoint("shell", -1, {0, 40, 0});
		s.AddJoint("head", SHELL, {0, 38, -55});
		s.AddJoint("front left leg", SHELL, {-35, 30, -30});
		s.AddJoint("front right leg", SHELL, {35, 30, -30});
		s.AddJoint("back left leg", SHELL, {-35, 30, 30});
		s.AddJoint("back right leg", SHELL, {35, 30, 30});
		s.AddJoint("tail", SHELL, {0, 34, 58});

		Body body(314);
		const Kit::Rgba skin = Hex(0x9AB060), shell = Hex(0x4A7A3A);
		body.Ball({0, 45, 0}, {60, 30, 66}, SHELL, shell, 9, 5);
		body.Ball({0, 32, 0}, {56, 9, 60}, SHELL, Hex(0xD8C880), 9, 3);
		for (int k = 0; k < 5; k++)
		{
			float a = TAU * float(k) / 5;
			body.Ball({std::sin(a) * 30, 66, std::cos(a) * 30}, {14, 6, 14}, SHELL, Kit::Shade(shell, 1.25f), 6, 3);
		}
		body.Limb({0, 38, -55}, {0, 44, -75}, 10, 9, HEAD, skin);
		body.Ball({0, 47, -85}, {13, 11, 16}, HEAD, skin, 8, 4);
		for (float x : {-6.0f, 6.0f})
			body.Ball({x, 52, -97}, {2.5f, 2.5f, 2}, HEAD, Hex(0x101010), 6, 3);
		const int legs[4] = {FL, FR, BL, BR};
		for (int leg : legs)
		{
			Vec3 p = s.joints[size_t(leg)].pivot;
			body.Limb(p, {p.x * 1.25f, 4, p.z * 1.15f}, 11, 12, leg, skin, 6);
		}
		body.Spike({0, 34, 58}, {0, -0.2f, 1}, 6, 18, TAIL, skin, 5);
		s.model = body.Build(s.name);

		const std::vector<Leg> legsWalk = {{FL, -1, 0, -1}, {FR, -1, 0.5f, 1}, {BL, -1, 0.5f, -1}, {BR, -1, 0, 1}};
		AddCycle(AnimBuilder(s, TURTLE_ANIM_IDLE, "idle"), 80, 4, [](float ph) {
			return Pose().Move(HEAD, {0, 0, 6 * std::sin(TAU * ph)}).RotY(HEAD, 0.2f * std::sin(TAU * ph));
		}, EASE_INOUT);
		AddCycle(AnimBuilder(s, TURTLE_ANIM_WALK, "walk"), 40, 8, [&](float ph) {
			// A plod: the shell rolls and rises over each stride, the head bobs out with it.
			return LegsWalkPose(legsWalk, ph, 0.4f, 0.3f).RotY(HEAD, 0.15f * std::sin(TAU * ph)).RotY(TAIL, 0.3f * std::sin(TAU * ph))
				.RotZ(SHELL, 0.05f * std::sin(TAU * ph)).Move(SHELL, {0, 3 * std::fabs(std::sin(TAU * ph)), 0})
				.Move(HEAD, {0, 0, -5 * std::fabs(std::cos(TAU * ph))});
		});
		return s;
	}

	Rig::Skeleton BuildPitcherPlant()
	{
		enum { BASE, PITCHER, RIM, LID, LEAF_L, LEAF_R };
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_PITCHERPLANT];
		s.AddJoint("base", -1, {0, 0, 0});
		s.AddJoint("pitcher", BASE, {0, 8, 0});
		s.AddJoint("rim", PITCHER, {0, 40, 0});
		s.AddJoint("lid", RIM, {0, 46, 8});
		s.AddJoint("left leaf", BASE, {-6, 4, 0});
		s.AddJoint("right leaf", BASE, {6, 4, 0});

		Body body(319);
		const Kit::Rgba green = Hex(0x78B040), red = Hex(0xB83848);
		Kit::Mesh pitcher = Kit::Lathe({{0, 0}, {9, 2}, {13, 14}, {11, 30}, {8, 38}, {9.5f, 41}}, Kit::LatheOptions{8, true, true, false, false});
		Kit::Translate(pitcher, {0, 2, 0});
		body.Add(pitcher, PITCHER, green);
		Kit::Mesh rim = Kit::Torus(9.5f, 1.8f, 8, 4);
		Kit::Translate(rim, {0, 43, 0});
		body.Add(rim, RIM, red);
		Kit::Mesh lid = Kit::Sphere(1, 8, 3);
		Kit::Scale(lid, {11, 2, 11});
		Kit::Translate(lid, {0, 48, -1});
		body.Add(lid, LID, red);
		for (int side = 0; side < 2; side++)
		{
			float x = side ? 1.0f : -1.0f;
			Kit::Mesh leaf = Kit::Sphere(1, 6, 3);
			Kit::Scale(leaf, {16, 1.5f, 6});
			Kit::Rotate(leaf, {0, 0, x * 0.3f});
			Kit::Translate(leaf, {x * 20, 8, 0});
			body.Add(leaf, side ? LEAF_R : LEAF_L, green);
		}
		s.model = body.Build(s.name);

		auto idle = [](float ph, float a) {
			float w = std::sin(TAU * ph);
			return Pose().RotZ(PITCHER, 0.03f * a * w).RotX(PITCHER, 0.02f * a * std::cos(TAU * ph)).RotX(LID, 0.1f * a * w)
				.RotZ(LEAF_L, 0.1f * a * w).RotZ(LEAF_R, -0.1f * a * w);
		};
		AddCycle(AnimBuilder(s, PITCHER_ANIM_IDLE, "idle"), 70, 4, [&](float ph) { return idle(ph, 1); }, EASE_INOUT);
		{
			// 1 attack: the lid lifts (mouth open: Flag[0]), a heave spits pods (Flag[1]), the lid closes.
			AnimBuilder a(s, PITCHER_ANIM_ATTACK, "attack");
			Pose open = Pose().RotX(LID, 1.6f).ScaleXYZ(RIM, {1.15f, 1, 1.15f});
			Pose heave = open;
			heave.ScaleXYZ(PITCHER, {1.12f, 0.88f, 1.12f}).RotX(PITCHER, 0.1f);
			Pose spit = open;
			spit.ScaleXYZ(PITCHER, {0.92f, 1.12f, 0.92f}).RotX(PITCHER, -0.12f);
			a.Key(0, Pose()).Key(10, open).Key(24, heave, EASE_IN).Key(28, spit).Key(40, open).Key(50, Pose());
			a.SetFlag(10, 0).SetFlag(28, 1).Sound(28, ANIMSOUND_PITCHER_PUKE).ClearFlag(46, 0).Stop(50);
		}
		AddSequence(AnimBuilder(s, PITCHER_ANIM_HURT, "hurt"), {{0, Pose()}, {4, Pose().ScaleXYZ(PITCHER, {1.1f, 0.85f, 1.1f}).RotZ(PITCHER, 0.15f)
			.RotX(LID, 0.6f)}, {10, Pose().RotZ(PITCHER, -0.1f)}, {18, Pose()}});
		AddCycle(AnimBuilder(s, "idle 2"), 40, 4, [&](float ph) { return idle(ph, 2); }, EASE_INOUT);
		return s;
	}
}
