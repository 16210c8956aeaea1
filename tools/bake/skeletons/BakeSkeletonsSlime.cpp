// The slime world's creatures: the blob, the slime tree (scenery that
// sways) and the hopping, spitting squooshy (its globs leave from joint 1).
// First rigs of their body plans.
#include "skeletons/BakeSkeletons.h"
#include "3D/SkeletonTypes.h"
#include "Enemies/Blobs.h"
#include "Enemies/FireIceCreatures.h"
#include "kit/Primitives.h"
#include "rig/Motion.h"
#include "rig/Body.h"

#include <algorithm>
#include <cmath>

namespace Skeletons
{
	using namespace Rig;
	using Kit::Hex;

	namespace
	{
		constexpr float TAU = 6.2831853f;

		void EyeBall(Body& body, Vec3 at, float size, int joint)
		{
			body.Ball(at, {size, size, size}, joint, Hex(0xF8F8E8), 6, 4);
			body.Ball(at + Vec3{0, 0, -size * 0.75f}, Vec3{0.45f, 0.45f, 0.4f} * size, joint, Hex(0x101010), 6, 3);
		}
	}

	Rig::Skeleton BuildBlob()
	{
		enum { BASE, TOP, LEYE, REYE };
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_BLOB];
		s.AddJoint("base", -1, {0, 0, 0});
		s.AddJoint("top", BASE, {0, 30, 0});
		s.AddJoint("left eye stalk", TOP, {-10, 50, -6});
		s.AddJoint("right eye stalk", TOP, {10, 50, -6});

		// Pale all over: the game tints each blob red, green or blue by its
		// colour filter (white when frozen), which scales these colours.
		Body body(306);
		body.Ball({0, 18, 0}, {42, 20, 40}, BASE, Hex(0xE4ECE4), 9, 5);
		body.Ball({0, 38, 0}, {26, 18, 24}, TOP, Hex(0xF4FAF4), 8, 5);
		for (int side = 0; side < 2; side++)
		{
			int j = side ? REYE : LEYE;
			float x = side ? 10.0f : -10.0f;
			body.Limb({x, 50, -6}, {x * 1.3f, 66, -8}, 2.2f, 1.8f, j, Hex(0xD0D8D0), 5);
			EyeBall(body, {x * 1.3f, 70, -8}, 5, j);
		}
		s.model = body.Build(s.name);

		// 0 wobble, 1 squish: the body sloshes, the eyes wave.
		for (float amount : {1.0f, 2.2f})
			AddCycle(AnimBuilder(s, amount > 1 ? BLOB_ANIM_SQUISH : BLOB_ANIM_WOBBLE, amount > 1 ? "squish" : "wobble"), amount > 1 ? 20 : 40, 4, [amount](float ph) {
				float w = std::sin(TAU * ph), c = std::cos(TAU * ph);
				return Pose().ScaleXYZ(BASE, {1 + 0.06f * amount * w, 1 - 0.08f * amount * w, 1 + 0.06f * amount * w})
					.Rot(TOP, {0.08f * amount * c, 0, 0.1f * amount * w}).Rot(LEYE, {0.2f * c, 0, -0.25f * w})
					.Rot(REYE, {-0.2f * c, 0, 0.25f * w});
			}, EASE_INOUT);
		// 2 lunge: gathers itself low, then rears up and forward over the robot, eyes pressed back.
		AddCycle(AnimBuilder(s, BLOB_ANIM_LUNGE, "lunge"), 24, 4, [](float ph) {
			float w = std::sin(TAU * ph);
			float reach = std::max(0.0f, w), crouch = std::max(0.0f, -w);
			return Pose().ScaleXYZ(BASE, {1 + 0.18f * crouch - 0.08f * reach, 1 - 0.25f * crouch + 0.3f * reach, 1 + 0.18f * crouch + 0.2f * reach})
				.Move(TOP, {0, 6 * reach, -14 * reach}).Rot(TOP, {-0.45f * reach, 0, 0})
				.Rot(LEYE, {0.6f * reach, 0, -0.2f}).Rot(REYE, {0.6f * reach, 0, 0.2f});
		}, EASE_INOUT);
		// 3 splat: bursting, it flattens out wide and its eyes droop.
		AddSequence(AnimBuilder(s, BLOB_ANIM_SPLAT, "splat"), {{0, Pose().ScaleXYZ(BASE, {0.9f, 1.25f, 0.9f})},
			{4, Pose().ScaleXYZ(BASE, {1.7f, 0.35f, 1.7f}).Move(TOP, {0, -20, 0}).Scale(TOP, 1.3f)
				.Rot(LEYE, {0, 0, -1.2f}).Rot(REYE, {0, 0, 1.2f})},
			{10, Pose().ScaleXYZ(BASE, {2.0f, 0.15f, 2.0f}).Move(TOP, {0, -28, 0}).Scale(TOP, 0.5f)
				.Scale(LEYE, 0.4f).Scale(REYE, 0.4f)}});
		return s;
	}

	Rig::Skeleton BuildSlimeTree()
	{
		enum { ROOT, TRUNK1, TRUNK2, BRANCH_L, BRANCH_R, BRANCH_B };
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_SLIMETREE];
		s.AddJoint("root", -1, {0, 0, 0});
		s.AddJoint("trunk", ROOT, {0, 60, 0});
		s.AddJoint("crown", TRUNK1, {0, 130, 0});
		s.AddJoint("left branch", TRUNK2, {-6, 160, 0});
		s.AddJoint("right branch", TRUNK2, {6, 165, 0});
		s.AddJoint("back branch", TRUNK2, {0, 170, 6});

		Body body(307);
		const Kit::Rgba bark = Hex(0x6A4A8A), slime = Hex(0x78F050);
		body.Limb({0, -5, 0}, {0, 60, 0}, 16, 12, ROOT, bark, 7);
		body.Limb({0, 60, 0}, {0, 130, 0}, 12, 9, TRUNK1, bark, 7);
		body.Limb({0, 130, 0}, {0, 175, 0}, 9, 7, TRUNK2, bark, 7);
		const Vec3 tips[3] = {{-70, 200, 0}, {70, 210, -10}, {0, 215, 70}};
		const int branches[3] = {BRANCH_L, BRANCH_R, BRANCH_B};
		const Vec3 roots[3] = {{-6, 160, 0}, {6, 165, 0}, {0, 170, 6}};
		for (int k = 0; k < 3; k++)
		{
			body.Limb(roots[k], tips[k], 6, 3, branches[k], bark, 6);
			body.Ball(tips[k] + Vec3{0, 8, 0}, {26, 18, 26}, branches[k], slime, 8, 4);
			body.Spike(tips[k] + Vec3{0, -6, 0}, {0, -1, 0}, 5, 26, branches[k], slime, 6);
		}
		body.Ball({0, 200, 0}, {34, 24, 34}, TRUNK2, slime, 8, 5);
		s.model = body.Build(s.name);

		AddCycle(AnimBuilder(s, "sway"), 90, 4, [](float ph) {
			float w = std::sin(TAU * ph), c = std::cos(TAU * ph);
			return Pose().RotZ(TRUNK1, 0.03f * w).RotZ(TRUNK2, 0.05f * w).RotX(TRUNK2, 0.03f * c)
				.RotZ(BRANCH_L, 0.1f * c).RotZ(BRANCH_R, -0.1f * w).RotX(BRANCH_B, 0.1f * c);
		}, EASE_INOUT);
		return s;
	}

	Rig::Skeleton BuildSquooshy()
	{
		enum { BODY, MOUTH, LEYE, REYE, LFOOT, RFOOT };
		static_assert(int(MOUTH) == SQUOOSHY_JOINT_MOUTH, "the game spits globs from the mouth joint");
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_SQUOOSHY];
		s.AddJoint("body", -1, {0, 6, 0});
		s.AddJoint("mouth", BODY, {0, 26, -26});
		s.AddJoint("left eye", BODY, {-12, 46, -14});
		s.AddJoint("right eye", BODY, {12, 46, -14});
		s.AddJoint("left foot", BODY, {-16, 4, 0});
		s.AddJoint("right foot", BODY, {16, 4, 0});

		Body body(309);
		const Kit::Rgba skin = Hex(0x40B8D8);
		body.Ball({0, 30, 0}, {30, 26, 28}, BODY, skin, 9, 6);
		body.Ball({0, 26, -25}, {10, 6, 4}, MOUTH, Hex(0x20306A), 8, 4);
		body.Ball({0, 31, -24}, {11, 2, 4}, MOUTH, Kit::Shade(skin, 1.2f), 8, 3);
		EyeBall(body, {-12, 50, -14}, 7, LEYE);
		EyeBall(body, {12, 50, -14}, 7, REYE);
		for (int side = 0; side < 2; side++)
			body.Ball({side ? 16.0f : -16.0f, 4, -4}, {9, 5, 12}, side ? RFOOT : LFOOT, Kit::Shade(skin, 0.8f), 8, 4);
		s.model = body.Build(s.name);

		auto squash = [](float sy) {
			float sxz = 1 + 0.7f * (1 - sy);
			return Pose().ScaleXYZ(BODY, {sxz, sy, sxz});
		};
		// 0 stand: jiggling.
		AddCycle(AnimBuilder(s, SQUOOSHY_ANIM_STAND, "stand"), 30, 4, [&](float ph) {
			return squash(1 - 0.05f * std::sin(TAU * ph)).RotZ(LEYE, 0.15f * std::sin(TAU * ph)).RotZ(REYE, -0.15f * std::sin(TAU * ph));
		}, EASE_INOUT);
		// 1 hop: the crouch before a leap (the game leaps when it stops).
		AddSequence(AnimBuilder(s, SQUOOSHY_ANIM_HOP, "hop"), {{0, Pose()}, {8, squash(0.65f).Move(BODY, {0, -2, 0})}, {11, squash(1.2f)}});
		// 2 hurt: shaking.
		AddCycle(AnimBuilder(s, SQUOOSHY_ANIM_HURT, "hurt"), 8, 2, [&](float ph) {
			return squash(0.9f).RotZ(BODY, ph < 0.25f ? 0.15f : -0.15f).Scale(MOUTH, 1.4f);
		}, EASE_INOUT);
		// 3 land: a splat and recovery.
		AddSequence(AnimBuilder(s, SQUOOSHY_ANIM_LAND, "land"), {{0, squash(0.55f)}, {6, squash(1.12f)}, {12, squash(0.95f)}, {16, Pose()}});
		// 4 spit: it swells, gathering slime, for the first second (the game
		// spits its first glob then), and then spits every 0.3 s: three gulps
		// on the game's beat, and a fourth as it settles.
		{
			AnimBuilder a(s, SQUOOSHY_ANIM_SPIT, "spit");
			a.Key(0, Pose()).Key(24, squash(1.15f).Scale(MOUTH, 0.7f).RotX(BODY, 0.12f));
			for (int k = 0; k < 3; k++)
				a.Key(30 + k * 9, squash(0.88f).Scale(MOUTH, 1.6f).RotX(BODY, -0.18f)).Key(34 + k * 9, squash(1.08f).Scale(MOUTH, 0.85f));
			a.Key(58, Pose()).Stop(58);
		}
		// 5 dead: flattened.
		AddSequence(AnimBuilder(s, SQUOOSHY_ANIM_DEAD, "dead"), {{0, squash(1.2f)}, {10, squash(0.3f).Move(BODY, {0, -4, 0}).Scale(LEYE, 0.7f).Scale(REYE, 0.7f)}});
		return s;
	}
}
