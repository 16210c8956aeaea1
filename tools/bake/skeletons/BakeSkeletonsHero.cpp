// The robot hero's rig: the body mesh of BakeRobot bound to its joints, and
// the 36 animations the player code switches between. The hands are not in
// the mesh: the game hangs hand and weapon models on joints 12 and 15, which
// point down their forearms (a raised arm points its hand forward).
#include "skeletons/BakeRobot.h"
#include "skeletons/BakeSkeletons.h"
#include "3D/SkeletonTypes.h"
#include "rig/Motion.h"

#include <cmath>

namespace Skeletons
{
	using namespace Rig;
	using namespace Robot;

	namespace
	{
		constexpr float PI_F = 3.14159265f;

		Biped HeroBiped()
		{
			Biped b;
			b.root = PELVIS;
			b.belly = BELLY;
			b.chest = CHEST;
			b.head = HEAD;
			b.lThigh = LEFT_THIGH;
			b.lShin = LEFT_SHIN;
			b.lFoot = LEFT_FOOT;
			b.rThigh = RIGHT_THIGH;
			b.rShin = RIGHT_SHIN;
			b.rFoot = RIGHT_FOOT;
			b.lUpper = LEFT_UPPER_ARM;
			b.lFore = LEFT_FOREARM;
			b.rUpper = RIGHT_UPPER_ARM;
			b.rFore = RIGHT_FOREARM;
			return b;
		}

		// Arms a little away from the body, elbows soft.
		Pose Relaxed()
		{
			return Pose().RotZ(LEFT_UPPER_ARM, -0.08f).RotZ(RIGHT_UPPER_ARM, 0.08f)
				.RotX(LEFT_FOREARM, 0.15f).RotX(RIGHT_FOREARM, 0.15f);
		}

		// The weapon arm raised forward: the gun in the hand points ahead.
		Pose GunArm()
		{
			return Pose().RotX(RIGHT_UPPER_ARM, 1.45f).RotZ(RIGHT_UPPER_ARM, 0.05f).RotX(RIGHT_FOREARM, 0.1f);
		}

		// Crouched by `depth` (0 … 1): hips down, knees forward, feet flat.
		Pose Crouch(float depth)
		{
			return Pose().Move(PELVIS, {0, -24 * depth, 0})
				.RotX(LEFT_THIGH, 1.0f * depth).RotX(RIGHT_THIGH, 1.0f * depth)
				.RotX(LEFT_SHIN, -1.7f * depth).RotX(RIGHT_SHIN, -1.7f * depth)
				.RotX(LEFT_FOOT, 0.7f * depth).RotX(RIGHT_FOOT, 0.7f * depth);
		}

		// Curled into a ball (bubble, cannon).
		Pose Curled(float tightness)
		{
			return Pose().Move(PELVIS, {0, 10, 0})
				.RotX(LEFT_THIGH, 1.7f * tightness).RotX(RIGHT_THIGH, 1.7f * tightness)
				.RotX(LEFT_SHIN, -2.3f * tightness).RotX(RIGHT_SHIN, -2.3f * tightness)
				.RotX(BELLY, -0.4f * tightness).RotX(CHEST, -0.3f * tightness).RotX(HEAD, -0.3f * tightness)
				.Rot(LEFT_UPPER_ARM, {1.0f * tightness, 0, 0.25f}).Rot(RIGHT_UPPER_ARM, {1.0f * tightness, 0, -0.25f})
				.RotX(LEFT_FOREARM, 1.3f * tightness).RotX(RIGHT_FOREARM, 1.3f * tightness);
		}

		// Arms and legs thrown wide.
		Pose Spread(float amount)
		{
			return Pose().RotZ(LEFT_UPPER_ARM, -1.9f * amount).RotZ(RIGHT_UPPER_ARM, 1.9f * amount)
				.RotZ(LEFT_FOREARM, -0.3f * amount).RotZ(RIGHT_FOREARM, 0.3f * amount)
				.RotZ(LEFT_THIGH, -0.45f * amount).RotZ(RIGHT_THIGH, 0.45f * amount)
				.RotX(LEFT_SHIN, -0.2f).RotX(RIGHT_SHIN, -0.2f);
		}

		// Hanging from above by the hands (zip line) or dangling: legs kick.
		Pose Kicking(float phase, float amount)
		{
			float s = std::sin(6.2831853f * phase);
			return Pose().RotX(LEFT_THIGH, 0.35f * amount * s).RotX(RIGHT_THIGH, -0.35f * amount * s)
				.RotX(LEFT_SHIN, -0.4f - 0.3f * amount * s).RotX(RIGHT_SHIN, -0.4f + 0.3f * amount * s);
		}

		Pose Plus(Pose a, const Pose& b)
		{
			return a.Add(b);
		}

		void AddAnimations(Skeleton& s)
		{
			const Biped b = HeroBiped();
			Gait walk;
			walk.stride = 0.5f;
			walk.bob = 6;

			// 0 stand, 1 walk, 2 walk with the weapon, 3 stand with the weapon.
			AddBipedIdle(AnimBuilder(s, PLAYER_ANIM_STAND, "stand"), b, 60, Relaxed());
			{
				AnimBuilder a(s, PLAYER_ANIM_WALK, "walk");
				AddBipedWalk(a, b, walk, 16, Relaxed(), ANIMSOUND_LEFT_FOOT, ANIMSOUND_RIGHT_FOOT);
			}
			{
				Gait gunWalk = walk;
				gunWalk.armSwing = 0.25f;
				AnimBuilder a(s, PLAYER_ANIM_WALKWITHGUN, "walk with weapon");
				AddBipedWalk(a, b, gunWalk, 16, Plus(Relaxed(), GunArm()), ANIMSOUND_LEFT_FOOT, ANIMSOUND_RIGHT_FOOT);
			}
			AddBipedIdle(AnimBuilder(s, PLAYER_ANIM_STANDWITHGUN, "stand with weapon"), b, 60, Plus(Relaxed(), GunArm()), 0.6f);

			// 4 punch: wind up, the left fist drives forward and lands on the flag.
			{
				AnimBuilder a(s, PLAYER_ANIM_PUNCH, "punch");
				Pose ready = Plus(Relaxed(), Pose().RotX(LEFT_UPPER_ARM, 0.3f).RotX(LEFT_FOREARM, 1.3f));
				Pose windUp = Pose().RotX(LEFT_UPPER_ARM, -0.35f).RotX(LEFT_FOREARM, 1.7f).RotY(CHEST, 0.4f)
					.RotY(HEAD, -0.2f).RotX(RIGHT_UPPER_ARM, 0.35f).RotX(RIGHT_FOREARM, 0.8f).Move(PELVIS, {0, -2, 0});
				Pose strike = Pose().RotX(LEFT_UPPER_ARM, 1.55f).RotZ(LEFT_UPPER_ARM, 0.12f).RotX(LEFT_FOREARM, 0.02f)
					.RotY(CHEST, -0.45f).RotY(HEAD, 0.3f).RotX(BELLY, -0.12f)
					.RotX(RIGHT_UPPER_ARM, -0.45f).RotX(RIGHT_FOREARM, 0.6f)
					.RotX(LEFT_THIGH, 0.3f).RotX(LEFT_SHIN, -0.25f).RotX(RIGHT_THIGH, -0.25f)
					.Move(PELVIS, {0, -4, -3});
				a.Key(0, ready, EASE_INOUT).Key(5, windUp, EASE_IN).Key(9, strike, EASE_INOUT)
					.Key(15, strike, EASE_INOUT).Key(24, Relaxed(), EASE_INOUT);
				a.SetFlag(9, 0).Stop(24);
			}

			// 5 pick up from the ground, 6 pick up at chest height: the hands close on the flag.
			{
				AnimBuilder a(s, PLAYER_ANIM_PICKUPLOW, "pick up low");
				Pose reach = Plus(Crouch(0.85f), Pose().RotX(BELLY, -0.35f).RotX(CHEST, -0.25f)
					.Rot(LEFT_UPPER_ARM, {0.9f, 0, 0.25f}).Rot(RIGHT_UPPER_ARM, {0.9f, 0, -0.25f})
					.RotX(LEFT_FOREARM, 0.3f).RotX(RIGHT_FOREARM, 0.3f));
				Pose carry = Pose().Rot(LEFT_UPPER_ARM, {0.7f, 0, 0.2f}).Rot(RIGHT_UPPER_ARM, {0.7f, 0, -0.2f})
					.RotX(LEFT_FOREARM, 0.9f).RotX(RIGHT_FOREARM, 0.9f);
				a.Key(0, Relaxed()).Key(8, reach).Key(12, reach).Key(22, carry);
				a.SetFlag(10, 0).Stop(22);
			}
			{
				AnimBuilder a(s, PLAYER_ANIM_PICKUP, "pick up");
				Pose reach = Pose().RotX(BELLY, -0.15f).Rot(LEFT_UPPER_ARM, {1.35f, 0, 0.3f})
					.Rot(RIGHT_UPPER_ARM, {1.35f, 0, -0.3f}).RotX(LEFT_FOREARM, 0.2f).RotX(RIGHT_FOREARM, 0.2f);
				Pose carry = Pose().Rot(LEFT_UPPER_ARM, {0.8f, 0, 0.2f}).Rot(RIGHT_UPPER_ARM, {0.8f, 0, -0.2f})
					.RotX(LEFT_FOREARM, 0.8f).RotX(RIGHT_FOREARM, 0.8f);
				a.Key(0, Relaxed()).Key(7, reach).Key(10, reach).Key(18, carry);
				a.SetFlag(8, 0).Stop(18);
			}

			// 7 held by the lizard: legs kick, arms push.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_GRABBED, "grabbed"), 16, 4, [](float p) {
				return Plus(Kicking(p, 1), Pose().RotZ(LEFT_UPPER_ARM, -1.2f).RotZ(RIGHT_UPPER_ARM, 1.2f)
					.RotX(LEFT_FOREARM, 0.8f + 0.3f * std::sin(6.2831853f * p)).RotX(RIGHT_FOREARM, 0.8f - 0.3f * std::sin(6.2831853f * p)));
			});

			// 8 get up from lying on the back.
			{
				AnimBuilder a(s, PLAYER_ANIM_GETUP, "get up");
				Pose lying = Pose().RotX(PELVIS, 1.5f).Move(PELVIS, {0, -62, 20}).RotZ(LEFT_UPPER_ARM, -0.5f)
					.RotZ(RIGHT_UPPER_ARM, 0.5f);
				Pose sitting = Plus(Pose().RotX(PELVIS, 0.3f).Move(PELVIS, {0, -58, 10}), Pose()
					.RotX(LEFT_THIGH, 1.3f).RotX(RIGHT_THIGH, 1.3f).RotX(LEFT_SHIN, -1.9f).RotX(RIGHT_SHIN, -1.9f)
					.RotX(BELLY, -0.4f).RotX(LEFT_UPPER_ARM, -0.4f).RotX(RIGHT_UPPER_ARM, -0.4f));
				AddSequence(a, {{0, lying}, {12, sitting}, {22, Crouch(0.8f)}, {32, Relaxed()}});
			}

			// 9 charging the nova: hands raised either side of the head, trembling.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_CHARGING, "charging"), 8, 2, [](float p) {
				float j = p < 0.25f ? 0.04f : -0.04f;
				return Pose().Rot(LEFT_UPPER_ARM, {0.2f, 0, -2.5f - j}).Rot(RIGHT_UPPER_ARM, {0.2f, 0, 2.5f + j})
					.RotZ(LEFT_FOREARM, 0.7f).RotZ(RIGHT_FOREARM, -0.7f).RotX(HEAD, 0.15f + j)
					.RotZ(LEFT_THIGH, -0.15f).RotZ(RIGHT_THIGH, 0.15f).Move(PELVIS, {0, -4 + 20 * j, 0});
			});

			// 10 jump jet, 21 the giant's: legs trailing, arms out for balance.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_JUMPJET, "jump jet"), 10, 2, [](float p) {
				float f = p < 0.25f ? 0.05f : -0.05f;
				return Pose().RotX(LEFT_THIGH, -0.15f + f).RotX(RIGHT_THIGH, -0.05f - f).RotX(LEFT_SHIN, -0.5f)
					.RotX(RIGHT_SHIN, -0.35f).RotX(LEFT_FOOT, -0.4f).RotX(RIGHT_FOOT, -0.4f)
					.Rot(LEFT_UPPER_ARM, {-0.3f, 0, -0.7f}).Rot(RIGHT_UPPER_ARM, {-0.3f, 0, 0.7f})
					.RotX(LEFT_FOREARM, 0.4f).RotX(RIGHT_FOREARM, 0.4f).RotX(JETPACK, f);
			});

			// 11 jump: crouch, spring up, tuck.
			{
				AnimBuilder a(s, PLAYER_ANIM_JUMP, "jump");
				Pose up = Pose().Rot(LEFT_UPPER_ARM, {2.3f, 0, -0.3f}).Rot(RIGHT_UPPER_ARM, {2.3f, 0, 0.3f})
					.RotX(LEFT_FOOT, -0.5f).RotX(RIGHT_FOOT, -0.5f).RotX(HEAD, 0.2f);
				Pose tuck = Pose().RotX(LEFT_THIGH, 0.9f).RotX(RIGHT_THIGH, 0.6f).RotX(LEFT_SHIN, -1.3f)
					.RotX(RIGHT_SHIN, -1.1f).Rot(LEFT_UPPER_ARM, {1.2f, 0, -0.5f}).Rot(RIGHT_UPPER_ARM, {1.2f, 0, 0.5f});
				a.Key(0, Crouch(0.4f), EASE_IN).Key(4, up, EASE_OUT).Key(12, tuck).Stop(12);
			}

			// 12 falling: arms windmill, legs pedal.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_FALL, "fall"), 16, 4, [](float p) {
				float s = std::sin(6.2831853f * p), c = std::cos(6.2831853f * p);
				return Plus(Kicking(p, 0.8f), Pose().Rot(LEFT_UPPER_ARM, {0.4f * c, 0, -2.3f - 0.4f * s})
					.Rot(RIGHT_UPPER_ARM, {-0.4f * c, 0, 2.3f - 0.4f * s}).RotX(HEAD, 0.3f));
			});

			// 13 zapped: a stiff, juddering body with arms flung out.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_ZAPPED, "zapped"), 4, 2, [](float p) {
				float j = p < 0.25f ? 1.0f : -1.0f;
				return Pose().Rot(LEFT_UPPER_ARM, {0.1f * j, 0, -1.3f - 0.15f * j}).Rot(RIGHT_UPPER_ARM, {-0.1f * j, 0, 1.3f - 0.15f * j})
					.RotZ(LEFT_FOREARM, -0.3f).RotZ(RIGHT_FOREARM, 0.3f).Rot(HEAD, {0.15f * j, 0.2f * j, 0})
					.RotZ(CHEST, 0.06f * j).RotZ(LEFT_THIGH, -0.2f).RotZ(RIGHT_THIGH, 0.2f).Move(PELVIS, {2 * j, 0, 0});
			});

			// 14 death: the knees give, the robot topples backwards and lies still.
			{
				AnimBuilder a(s, PLAYER_ANIM_DEATH, "death");
				Pose buckle = Plus(Crouch(0.5f), Pose().RotX(HEAD, -0.5f).RotX(CHEST, -0.3f)
					.RotZ(LEFT_UPPER_ARM, -0.3f).RotZ(RIGHT_UPPER_ARM, 0.3f));
				Pose falling = Pose().RotX(PELVIS, 0.8f).Move(PELVIS, {0, -40, 10}).RotX(LEFT_THIGH, 0.6f)
					.RotX(RIGHT_THIGH, 0.3f).RotX(LEFT_SHIN, -0.5f).RotZ(LEFT_UPPER_ARM, -1.0f).RotZ(RIGHT_UPPER_ARM, 1.2f);
				Pose down = Pose().RotX(PELVIS, 1.55f).Move(PELVIS, {0, -63, 30}).RotX(LEFT_THIGH, 0.15f)
					.RotZ(LEFT_UPPER_ARM, -1.4f).RotZ(RIGHT_UPPER_ARM, 1.1f).RotX(HEAD, 0.3f).RotY(HEAD, 0.6f);
				AddSequence(a, {{0, Relaxed()}, {8, buckle}, {18, falling}, {26, down}});
			}

			// 15 hit: knocked back, then recovering.
			{
				AnimBuilder a(s, PLAYER_ANIM_GOTHIT, "got hit");
				Pose recoil = Pose().RotX(CHEST, 0.45f).RotX(BELLY, 0.15f).RotX(HEAD, 0.4f)
					.Rot(LEFT_UPPER_ARM, {0.9f, 0, -0.6f}).Rot(RIGHT_UPPER_ARM, {0.9f, 0, 0.6f})
					.RotX(LEFT_THIGH, 0.35f).RotX(LEFT_SHIN, -0.4f).Move(PELVIS, {0, -3, 6});
				a.Key(0, Relaxed(), EASE_OUT).Key(3, recoil).Key(7, recoil).Key(16, Relaxed()).Stop(16);
			}

			// 16 flattened: squashed flat, wobbling.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_FLATTENED, "flattened"), 16, 2, [](float p) {
				float w = p < 0.25f ? 0.0f : 1.0f;
				float sy = 0.25f - 0.05f * w, sxz = 1.5f + 0.12f * w;
				return Pose().ScaleXYZ(PELVIS, {sxz, sy, sxz}).Move(PELVIS, {0, -76 * (1 - sy), 0})
					.RotZ(LEFT_UPPER_ARM, -1.2f).RotZ(RIGHT_UPPER_ARM, 1.2f);
			}, EASE_INOUT);

			// 17 weapon change: the right hand reaches over the shoulder; the swap is the flag.
			{
				AnimBuilder a(s, PLAYER_ANIM_CHANGEWEAPON, "change weapon");
				Pose reach = Pose().Rot(RIGHT_UPPER_ARM, {-2.5f, 0, 0.4f}).RotX(RIGHT_FOREARM, 1.4f).RotY(CHEST, -0.2f)
					.RotY(HEAD, 0.3f);
				AddSequence(a, {{0, Plus(Relaxed(), GunArm())}, {7, reach}, {11, reach}, {20, Plus(Relaxed(), GunArm())}});
				a.SetFlag(9, 0);
			}

			// 18 in a bubble: curled up, slowly rocking.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_BUBBLE, "bubble"), 60, 4, [](float p) {
				return Plus(Curled(0.8f), Pose().RotZ(PELVIS, 0.15f * std::sin(6.2831853f * p)));
			}, EASE_INOUT);

			// 19 carrying the tow handle: both hands up over the head, walking.
			{
				AnimBuilder a(s, PLAYER_ANIM_CARRY, "carry");
				Gait g = walk;
				g.armSwing = 0.05f;
				AddBipedWalk(a, b, g, 16, Pose().Rot(LEFT_UPPER_ARM, {2.75f, 0, 0.15f}).Rot(RIGHT_UPPER_ARM, {2.75f, 0, -0.15f})
					.RotX(LEFT_FOREARM, 0.25f).RotX(RIGHT_FOREARM, 0.25f), ANIMSOUND_LEFT_FOOT, ANIMSOUND_RIGHT_FOOT);
			}

			// 20 beamed up: spread out, turning slowly.
			{
				AnimBuilder a(s, PLAYER_ANIM_BEAMEDUP, "beamed up");
				for (int k = 0; k <= 4; k++)
					a.Key(k * 15, Plus(Spread(0.7f), Pose().RotY(PELVIS, PI_F * 0.5f * float(k))), EASE_LINEAR);
				a.Loop(60);
			}

			AddCycle(AnimBuilder(s, PLAYER_ANIM_GIANTJUMPJET, "giant jump jet"), 10, 2, [](float p) {
				float f = p < 0.25f ? 0.06f : -0.06f;
				return Plus(Spread(0.6f), Pose().RotX(LEFT_THIGH, -0.2f + f).RotX(RIGHT_THIGH, -0.2f - f).RotX(JETPACK, f));
			});

			// 22 thrown: tumbling head over heels with the limbs out.
			{
				AnimBuilder a(s, PLAYER_ANIM_THROWN, "thrown");
				for (int k = 0; k <= 4; k++)
					a.Key(k * 6, Plus(Spread(0.8f), Pose().RotX(PELVIS, -PI_F * 0.5f * float(k))), EASE_LINEAR);
				a.Loop(24);
			}

			// 23 held by the flytrap: dangling, kicking harder.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_FLYTRAPPED, "held by flytrap"), 12, 4, [](float p) {
				return Plus(Kicking(p, 1.3f), Pose().RotZ(LEFT_UPPER_ARM, -2.2f).RotZ(RIGHT_UPPER_ARM, 2.2f)
					.RotX(HEAD, -0.3f));
			});

			// 24 growth: the vial to the mouth and down again.
			{
				AnimBuilder a(s, PLAYER_ANIM_GROWTH, "growth");
				Pose drink = Pose().Rot(RIGHT_UPPER_ARM, {1.6f, 0, -0.5f}).RotX(RIGHT_FOREARM, 1.9f).RotX(HEAD, 0.35f)
					.RotX(CHEST, 0.1f);
				AddSequence(a, {{0, Plus(Relaxed(), GunArm())}, {8, drink}, {20, drink}, {28, Relaxed()}});
			}

			// 25 hanging from a zip-line pulley.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_ZIPLINE, "zip line"), 30, 4, [](float p) {
				float s = std::sin(6.2831853f * p);
				return Pose().Rot(LEFT_UPPER_ARM, {2.85f, 0, 0.25f}).Rot(RIGHT_UPPER_ARM, {2.85f, 0, -0.25f})
					.RotX(LEFT_FOREARM, 0.15f).RotX(RIGHT_FOREARM, 0.15f).RotX(LEFT_THIGH, 0.35f + 0.1f * s)
					.RotX(RIGHT_THIGH, 0.25f + 0.1f * s).RotX(LEFT_SHIN, -0.5f).RotX(RIGHT_SHIN, -0.4f)
					.RotX(PELVIS, 0.08f * s);
			}, EASE_INOUT);

			// 26 inside a cannon: balled up tight, 27 shot out: arms ahead like a diver.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_INCANNON, "in cannon"), 20, 2, [](float p) {
				return Plus(Curled(1.0f), Pose().Move(PELVIS, {0, p < 0.25f ? 0.0f : 2.0f, 0}));
			}, EASE_INOUT);
			AddCycle(AnimBuilder(s, PLAYER_ANIM_SHOTFROMCANNON, "shot from cannon"), 8, 2, [](float p) {
				float f = p < 0.25f ? 0.06f : -0.06f;
				return Pose().Rot(LEFT_UPPER_ARM, {3.0f, 0, 0.12f}).Rot(RIGHT_UPPER_ARM, {3.0f, 0, -0.12f})
					.RotX(LEFT_THIGH, -0.1f + f).RotX(RIGHT_THIGH, -0.1f - f).RotX(LEFT_FOOT, -0.6f).RotX(RIGHT_FOOT, -0.6f);
			});

			// 28 in a bumper car: seated, hands on the wheel.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_BUMPERCAR, "bumper car"), 40, 4, [](float p) {
				float s = std::sin(6.2831853f * p);
				return Pose().RotX(LEFT_THIGH, 1.45f).RotX(RIGHT_THIGH, 1.45f).RotX(LEFT_SHIN, -1.45f).RotX(RIGHT_SHIN, -1.45f)
					.Rot(LEFT_UPPER_ARM, {1.0f, 0, 0.2f}).Rot(RIGHT_UPPER_ARM, {1.0f, 0, -0.2f})
					.RotX(LEFT_FOREARM, 0.5f + 0.15f * s).RotX(RIGHT_FOREARM, 0.5f - 0.15f * s).RotY(CHEST, 0.1f * s);
			}, EASE_INOUT);

			// 29 held over the strong man's head: face down, struggling.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_STRONGMANHELD, "held by strong man"), 12, 4, [](float p) {
				return Plus(Kicking(p, 1.2f), Pose().RotZ(LEFT_UPPER_ARM, -1.4f).RotZ(RIGHT_UPPER_ARM, 1.4f)
					.RotX(HEAD, 0.4f));
			});

			// 30 dart throw: the right arm winds back and whips over; release on the flag.
			{
				AnimBuilder a(s, PLAYER_ANIM_THROWDART, "throw dart");
				Pose back = Pose().Rot(RIGHT_UPPER_ARM, {-0.9f, 0, 0.5f}).RotX(RIGHT_FOREARM, 1.3f).RotY(CHEST, -0.35f)
					.RotX(LEFT_UPPER_ARM, 0.6f);
				Pose release = Pose().Rot(RIGHT_UPPER_ARM, {1.7f, 0, 0.05f}).RotX(RIGHT_FOREARM, 0.1f).RotY(CHEST, 0.3f)
					.RotX(BELLY, -0.1f).RotX(LEFT_UPPER_ARM, -0.3f);
				a.Key(0, Relaxed()).Key(6, back, EASE_IN).Key(10, release).Key(20, Relaxed()).SetFlag(10, 0).Stop(20);
			}

			// 31 on a rocket sled: sitting, leaning back, holding on.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_ROCKETSLED, "rocket sled"), 6, 2, [](float p) {
				float f = p < 0.25f ? 0.03f : -0.03f;
				return Pose().RotX(LEFT_THIGH, 1.35f).RotX(RIGHT_THIGH, 1.35f).RotX(LEFT_SHIN, -1.1f).RotX(RIGHT_SHIN, -1.1f)
					.RotX(BELLY, 0.25f + f).RotX(HEAD, -0.1f).Rot(LEFT_UPPER_ARM, {0.6f, 0, -0.35f})
					.Rot(RIGHT_UPPER_ARM, {0.6f, 0, 0.35f}).RotX(LEFT_FOREARM, 0.6f).RotX(RIGHT_FOREARM, 0.6f);
			});

			// 32 a brisk walk, 33 held (dangling limp).
			{
				Gait brisk = walk;
				brisk.stride = 0.6f;
				brisk.armSwing = 0.6f;
				brisk.lean = 0.12f;
				AnimBuilder a(s, PLAYER_ANIM_WALKALT, "brisk walk");
				AddBipedWalk(a, b, brisk, 16, Relaxed(), ANIMSOUND_LEFT_FOOT, ANIMSOUND_RIGHT_FOOT);
			}
			AddCycle(AnimBuilder(s, PLAYER_ANIM_HELDALT, "held"), 40, 4, [](float p) {
				return Plus(Kicking(p, 0.3f), Pose().RotZ(LEFT_UPPER_ARM, -0.3f).RotZ(RIGHT_UPPER_ARM, 0.3f)
					.RotX(HEAD, -0.4f).RotX(LEFT_FOREARM, 0.3f).RotX(RIGHT_FOREARM, 0.3f));
			}, EASE_INOUT);

			// 34 skidding on the heels after a cannon flight, arms wheeling.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_SKID, "skid"), 12, 4, [](float p) {
				float s = std::sin(6.2831853f * p), c = std::cos(6.2831853f * p);
				return Pose().RotX(BELLY, 0.35f).RotX(LEFT_THIGH, 0.6f).RotX(LEFT_SHIN, -0.3f).RotX(RIGHT_THIGH, 0.2f)
					.RotX(RIGHT_SHIN, -0.7f).Move(PELVIS, {0, -10, 0}).Rot(LEFT_UPPER_ARM, {0.8f * c, 0, -1.5f + 0.3f * s})
					.Rot(RIGHT_UPPER_ARM, {-0.8f * c, 0, 1.5f + 0.3f * s});
			});

			// 35 swimming: leaning forward in the water, arms crawling over
			// in turn, legs kicking.
			AddCycle(AnimBuilder(s, PLAYER_ANIM_SWIM, "swim"), 20, 4, [](float p) {
				float s = std::sin(6.2831853f * p), c = std::cos(6.2831853f * p);
				return Pose().RotX(BELLY, 0.6f).RotX(HEAD, -0.5f).Move(PELVIS, {0, -20, 0})
					.Rot(LEFT_UPPER_ARM, {-1.6f + 1.4f * s, 0, -0.3f}).Rot(RIGHT_UPPER_ARM, {-1.6f - 1.4f * s, 0, 0.3f})
					.RotX(LEFT_FOREARM, 0.4f + 0.3f * c).RotX(RIGHT_FOREARM, 0.4f - 0.3f * c)
					.RotX(LEFT_THIGH, 0.3f * s).RotX(RIGHT_THIGH, -0.3f * s).RotX(LEFT_SHIN, 0.3f).RotX(RIGHT_SHIN, 0.3f);
			});
		}
	}

	Rig::Skeleton BuildQuog()
	{
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[SKELETON_TYPE_QUOG];
		for (const JointInfo& j : JOINTS)
			s.AddJoint(j.name, j.parent, j.pivot);
		s.model = BuildBody();
		s.writeModel = false;		// BakeRobot writes Quog.bg3d (the data folder's marker)
		AddAnimations(s);
		return s;
	}
}
