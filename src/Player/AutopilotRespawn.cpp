// Back in play after a lost life, the robot stands at the last checkpoint (or
// the start), often far behind the goal it was on. Where the ground has holes,
// heading straight for that goal cuts across the open sky between islands that
// the route's bridges go round. So there, as a player would, it walks the route again
// from the leg nearest where it stands, passing along the route's way
// (gotos, jumps, jet jumps and rides) and leaving be the tasks it has done
// already (bosses downed, things punched), until it is back at its goal.
#include "Player/AutopilotInternal.h"

#include <algorithm>
#include <cmath>

namespace
{
	float DistanceToSegment(float px, float pz, float ax, float az, float bx, float bz)
	{
		float lx = bx - ax, lz = bz - az;
		float length2 = lx * lx + lz * lz;
		float t = length2 > 1 ? std::clamp(((px - ax) * lx + (pz - az) * lz) / length2, 0.0f, 1.0f) : 0.0f;
		return std::hypot(px - (ax + lx * t), pz - (az + lz * t));
	}
}

bool IsRouteWayGoal(RouteVerb verb)
{
	return verb == ROUTE_GOTO || verb == ROUTE_JUMP || verb == ROUTE_JET || verb == ROUTE_RIDE;
}

size_t AutopilotResumeGoal(const Route& route, size_t current, float startX, float startZ, float x, float z)
{
	size_t best = current;
	float bestDistance = 1e30f;
	float fromX = startX, fromZ = startZ;
	for (size_t i = 0; i <= current && i < route.size(); i++)
	{
		const RouteGoal& goal = route[i];
		if (!kRouteVerbs[goal.verb].hasPlace)
			continue;
		// A task goal's leg only counts as the current one: the way is made of the others.
		if (IsRouteWayGoal(goal.verb) || i == current)
		{
			float d = DistanceToSegment(x, z, fromX, fromZ, goal.x, goal.z);
			if (d <= bestDistance)
			{
				bestDistance = d;
				best = i;
			}
		}
		fromX = goal.x;
		fromZ = goal.z;
	}
	return best;
}

void AutopilotResumeAfterRespawn(const Route& route, const AutopilotView& view, AutopilotState* state)
{
	if (route.empty() || state->routeDone)
		return;
	size_t current = std::max(state->goal, state->resumeGoal == SIZE_MAX ? 0 : state->resumeGoal);
	size_t from = AutopilotResumeGoal(route, current, state->startX, state->startZ, view.x, view.z);
	AutopilotStartGoal(view, state, from);
	state->resumeGoal = from < current ? current : SIZE_MAX;
}

bool AutopilotSkipsDoneTask(const Route& route, const AutopilotView& view, AutopilotState* state)
{
	if (state->resumeGoal == SIZE_MAX)
		return false;
	if (state->goal >= state->resumeGoal)
	{
		state->resumeGoal = SIZE_MAX;
		return false;
	}
	if (IsRouteWayGoal(route[state->goal].verb))
		return false;
	AutopilotNextGoal(route, view, state);
	return true;
}
