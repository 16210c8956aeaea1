#include "rig/Motion.h"
#include "3D/SkeletonTypes.h"

#include <cmath>

namespace Rig
{
	namespace
	{
		constexpr float TAU = 6.2831853f;
		constexpr int WALK_SAMPLES = 8;

		void RotX(Pose& p, int joint, float a)
		{
			if (joint >= 0)
				p.RotX(joint, a);
		}
		void Rot(Pose& p, int joint, Vec3 r)
		{
			if (joint >= 0)
				p.Rot(joint, r);
		}
	}

	void AddCycle(AnimBuilder anim, int ticks, int samples, const std::function<Pose(float)>& poseAt, Ease ease)
	{
		for (int k = 0; k <= samples; k++)
		{
			int tick = ticks * k / samples;
			anim.Key(tick, poseAt(k == samples ? 0.0f : float(k) / float(samples)), ease);
		}
		anim.Loop(ticks);
	}

	void AddSequence(AnimBuilder anim, const std::vector<std::pair<int, Pose>>& keys, Ease ease, bool stop)
	{
		for (const auto& [tick, pose] : keys)
			anim.Key(tick, pose, ease);
		if (stop)
			anim.Stop(keys.back().first);
	}

	Pose BipedWalkPose(const Biped& b, const Gait& g, float phase)
	{
		Pose p;
		const float a = TAU * phase;
		const float swingL = g.stride * std::cos(a);		// left leg forward at 0
		// A leg swings forward (and bends its knee) while its thigh angle rises.
		const float liftL = std::max(0.0f, -std::sin(a));
		const float liftR = std::max(0.0f, std::sin(a));

		RotX(p, b.lThigh, swingL + 0.35f * g.knee * liftL);
		RotX(p, b.rThigh, -swingL + 0.35f * g.knee * liftR);
		RotX(p, b.lShin, -g.knee * liftL - 0.08f);
		RotX(p, b.rShin, -g.knee * liftR - 0.08f);
		// Feet stay near level: they undo most of the leg's turn.
		RotX(p, b.lFoot, -0.8f * (swingL + 0.35f * g.knee * liftL - g.knee * liftL) + 0.1f * liftL);
		RotX(p, b.rFoot, -0.8f * (-swingL + 0.35f * g.knee * liftR - g.knee * liftR) + 0.1f * liftR);

		// Arms against the legs.
		Rot(p, b.lUpper, {-g.armSwing * std::cos(a), 0, 0});
		Rot(p, b.rUpper, {g.armSwing * std::cos(a), 0, 0});
		RotX(p, b.lFore, g.elbow + 0.25f * g.armSwing * std::max(0.0f, -std::cos(a)));
		RotX(p, b.rFore, g.elbow + 0.25f * g.armSwing * std::max(0.0f, std::cos(a)));

		// The body drops at each touch-down, twists and rolls with the stride.
		p.Move(b.root, {0, -g.bob * 0.5f * (1 + std::cos(2 * a)), 0});
		p.Rot(b.root, {0, g.twist * std::cos(a), g.sway * std::sin(a)});
		Rot(p, b.belly, {-g.lean, 0, 0});
		Rot(p, b.chest, {-0.5f * g.lean, -1.6f * g.twist * std::cos(a), -g.sway * std::sin(a)});
		Rot(p, b.head, {0.5f * g.lean, 0.6f * g.twist * std::cos(a), 0});
		return p;
	}

	Pose BipedIdlePose(const Biped& b, float phase, float amount)
	{
		Pose p;
		const float a = TAU * phase, s = std::sin(a), c = std::cos(a);
		p.Move(b.root, {0, -0.8f * amount * (1 - c), 0});
		p.Rot(b.root, {0, 0, 0.02f * amount * s});
		Rot(p, b.chest, {-0.03f * amount * (1 - c), 0, -0.02f * amount * s});
		Rot(p, b.head, {0.02f * amount * c, 0.06f * amount * s, 0});
		Rot(p, b.lUpper, {0.03f * amount * (1 - c), 0, -0.06f - 0.02f * amount * (1 - c)});
		Rot(p, b.rUpper, {0.03f * amount * (1 - c), 0, 0.06f + 0.02f * amount * (1 - c)});
		RotX(p, b.lFore, 0.12f);
		RotX(p, b.rFore, 0.12f);
		RotX(p, b.lShin, -0.03f * amount * (1 - c));
		RotX(p, b.rShin, -0.03f * amount * (1 - c));
		RotX(p, b.lThigh, 0.015f * amount * (1 - c));
		RotX(p, b.rThigh, 0.015f * amount * (1 - c));
		return p;
	}

	void AddBipedWalk(AnimBuilder anim, const Biped& b, const Gait& g, int ticks, const Pose& extra,
			uint8_t leftStep, uint8_t rightStep)
	{
		for (int k = 0; k <= WALK_SAMPLES; k++)
		{
			Pose p = BipedWalkPose(b, g, k == WALK_SAMPLES ? 0.0f : float(k) / float(WALK_SAMPLES));
			p.Add(extra);
			anim.Key(ticks * k / WALK_SAMPLES, p, EASE_LINEAR);
		}
		if (leftStep != 255)
			anim.Sound(0, leftStep);
		if (rightStep != 255)
			anim.Sound(ticks / 2, rightStep);
		anim.Loop(ticks);
	}

	void AddBipedIdle(AnimBuilder anim, const Biped& b, int ticks, const Pose& extra, float amount)
	{
		for (int k = 0; k <= 4; k++)
		{
			Pose p = BipedIdlePose(b, k == 4 ? 0.0f : float(k) / 4.0f, amount);
			p.Add(extra);
			anim.Key(ticks * k / 4, p, EASE_INOUT);
		}
		anim.Loop(ticks);
	}

	Pose LegsWalkPose(const std::vector<Leg>& legs, float phase, float swing, float lift)
	{
		Pose p;
		for (const Leg& leg : legs)
		{
			float a = TAU * (phase + leg.phase);
			float up = std::max(0.0f, -std::sin(a));
			p.Rot(leg.upper, {swing * std::cos(a), 0, -leg.side * lift * up});
			if (leg.lower >= 0)
				p.RotX(leg.lower, -0.6f * lift * up);
		}
		return p;
	}

	Pose WavePose(const std::vector<int>& chain, float phase, Vec3 axis, float amplitude, float lag)
	{
		Pose p;
		for (size_t i = 0; i < chain.size(); i++)
		{
			float s = amplitude * std::sin(TAU * (phase - float(i) * lag));
			p.Rot(chain[i], axis * s);
		}
		return p;
	}
}
