// Motion helpers for authoring animations: looping cycles sampled from a
// function of the phase, and the gaits of the body plans (two legs, four or
// six legs, chains that sway or wriggle).
#pragma once

#include "rig/Rig.h"

#include <functional>
#include <vector>

namespace Rig
{
	// Keys `samples` + 1 poses at phases 0, 1/samples, … 1 over `ticks` and
	// loops at `ticks`. The pose at phase 1 must equal the one at 0.
	void AddCycle(AnimBuilder anim, int ticks, int samples, const std::function<Pose(float phase)>& poseAt,
			Ease ease = EASE_LINEAR);

	// Keys a one-shot sequence of (tick, pose) and stops at the last tick.
	void AddSequence(AnimBuilder anim, const std::vector<std::pair<int, Pose>>& keys, Ease ease = EASE_INOUT,
			bool stop = true);

	// A two-legged body (−1 for a joint it lacks). Legs swing about x (positive
	// = forward); arms hang along −y.
	struct Biped
	{
		int root = 0, belly = -1, chest = -1, head = -1;
		int lThigh = -1, lShin = -1, lFoot = -1, rThigh = -1, rShin = -1, rFoot = -1;
		int lUpper = -1, lFore = -1, rUpper = -1, rFore = -1;
	};

	struct Gait
	{
		float stride = 0.45f;		// thigh swing either way (radians)
		float knee = 0.9f;			// knee bend while the leg swings forward
		float armSwing = 0.4f;
		float elbow = 0.35f;		// forearms held bent forward
		float bob = 5;				// the body drops this much as the feet touch
		float twist = 0.08f;		// hips turn with the stride, chest against them
		float lean = 0.06f;			// forward lean of the body
		float sway = 0.03f;			// side to side roll of the hips
	};

	// The pose at `phase` (0 … 1): the left foot touches down at 0, the right at 0.5.
	Pose BipedWalkPose(const Biped& b, const Gait& g, float phase);
	// A breathing, weight-shifting stand.
	Pose BipedIdlePose(const Biped& b, float phase, float amount = 1);

	// A walk cycle of `ticks` (a multiple of 8; footstep sound events at each touch-down when
	// `leftStep`/`rightStep` are not 255); `extra` is added to every pose.
	void AddBipedWalk(AnimBuilder anim, const Biped& b, const Gait& g, int ticks, const Pose& extra = {},
			uint8_t leftStep = 255, uint8_t rightStep = 255);
	void AddBipedIdle(AnimBuilder anim, const Biped& b, int ticks, const Pose& extra = {}, float amount = 1);

	// Legs of a many-legged body: upper and lower joint of each, with the phase
	// offset of its step (0 … 1).
	struct Leg
	{
		int upper, lower;
		float phase;
		float side;				// −1 left, +1 right: which way the leg splays
	};

	Pose LegsWalkPose(const std::vector<Leg>& legs, float phase, float swing, float lift);

	// A chain that sways as a wave runs along it: each joint turns about
	// `axis` by amplitude × sin(2π (phase − i × lag)).
	Pose WavePose(const std::vector<int>& chain, float phase, Vec3 axis, float amplitude, float lag);
}
