// Walking on after a lost life: the robot comes back at the last checkpoint
// it reached (or the level's start), which may lie legs behind the goal it
// was working on. A player picks the way up again from where he stands: the
// leg of the route he is on, never one ahead of where he had got to.
#include "Player/Autopilot.h"

#include <cmath>

namespace
{
	float DistanceToSegment(float px, float pz, float ax, float az, float bx, float bz)
	{
		float lx = bx - ax, lz = bz - az;
		float length2 = lx * lx + lz * lz;
		float t = length2 > 1 ? ((px - ax) * lx + (pz - az) * lz) / length2 : 0;
		t = t < 0 ? 0 : (t > 1 ? 1 : t);
		return std::hypot(ax + lx * t - px, az + lz * t - pz);
	}
}

size_t AutopilotResumeGoal(const Route& route, float startX, float startZ, size_t current, float x, float z)
{
	if (route.empty())
		return 0;
	if (current >= route.size())
		current = route.size() - 1;
	// Each goal's leg runs from the place before it (the start for the first)
	// to its own place; a goal without a place (charge, wait) stands at the
	// end of the leg before it. Ties go to the later leg: a point where two
	// legs meet is the end of the first, already walked.
	size_t best = current;
	float bestDistance = 1e30f;
	float fromX = startX, fromZ = startZ;
	size_t legFirst = 0;				// the first goal after the place the leg starts at
	for (size_t i = 0; i <= current; i++)
	{
		const RouteGoal& g = route[i];
		bool hasPlace = kRouteVerbs[g.verb].hasPlace;
		float toX = hasPlace ? g.x : fromX, toZ = hasPlace ? g.z : fromZ;
		float d = DistanceToSegment(x, z, fromX, fromZ, toX, toZ);
		if (d <= bestDistance)
		{
			bestDistance = d;
			// Resume where this leg starts, so the goals without a place that
			// lead up to it (a wait, a charge) are done again on the way.
			best = legFirst;
		}
		if (hasPlace)
		{
			fromX = g.x;
			fromZ = g.z;
			legFirst = i + 1;
		}
	}
	return best;
}

void AutopilotResumeAfterRespawn(const Route& route, const AutopilotView& view, AutopilotState* state)
{
	size_t goal = AutopilotResumeGoal(route, state->startX, state->startZ, state->goal, view.x, view.z);
	AutopilotStartGoal(view, state, goal);
	state->chaseClock = 0;
	state->targetRest = 0;
	state->chargeSearching = false;
}
