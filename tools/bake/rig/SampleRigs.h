// Small rigs with known geometry, for tests, benchmarks and the fuzzers' seeds.
#pragma once

#include "rig/Rig.h"

namespace Rig
{
	// A jointed post: a base block (joint 0 at the origin), an upper arm from
	// y = 10 to 30 (joint 1, pivot (0, 10, 0)) and a forearm from y = 30 to 50
	// (joint 2, pivot (0, 30, 0)), each a box of 4 × 20 × 4 (the base 10 × 10 × 10,
	// centred at y = 5). Animations: 0 "bend" (keys at 0, 10, 20; the elbow turns
	// π/2 about z by tick 10; loops at 20), 1 "hold" (one key).
	Skeleton SampleArm(const std::string& name = "Sample");

	// A chain of `numJoints` box segments along +y, 10 apart, with one
	// looping animation that curls every joint: for benchmarks.
	Skeleton SampleChain(const std::string& name, int numJoints);
}
