// Walking on after a lost life: the robot comes back at the last checkpoint
// it reached (or the level's start), which may lie legs behind the goal it
// was working on. A player picks the way up again from where he stands: the
// leg of the route he is on, never one ahead of where he had got to.
// Where the ground has holes, heading straight for a task's place can cut
// across the open sky the route's bridges go round, so there the way back is
// walked goal by goal and the tasks done before (bosses downed, things
// punched) are passed over until it is back at the goal it was on. A
// checkpoint there may stand off the way's line, and a straight walk from it
// to the goal runs beside the narrow bridge rather than over it: the leg is
// taken from its own start, so the steering first steps back onto the way.
// Bosses shot down stay down: their spots are passed over on any ground.
#include "Autopilot/AutopilotInternal.h"

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

void AutopilotLegStart(const Route& route, float startX, float startZ, size_t goal, float* x, float* z)
{
	*x = startX;
	*z = startZ;
	for (size_t i = std::min(goal, route.size()); i-- > 0;)
		if (kRouteVerbs[route[i].verb].hasPlace)
		{
			*x = route[i].x;
			*z = route[i].z;
			return;
		}
}

bool IsRouteWayGoal(RouteVerb verb)
{
	return verb == ROUTE_GOTO || verb == ROUTE_JUMP || verb == ROUTE_JET || verb == ROUTE_RIDE;
}

size_t AutopilotResumeGoal(const Route& route, float startX, float startZ, size_t current, float x, float z, bool wayOnly)
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
		// Over open sky only the way's own legs (and the one it was on) are
		// ground to walk: a straight line to a task's place may cross a gap.
		bool counts = !wayOnly || IsRouteWayGoal(g.verb) || i == current;
		if (counts && d <= bestDistance)
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
	if (route.empty() || state->routeDone)
		return;
	size_t current = std::max(state->goal, state->resumeGoal == SIZE_MAX ? 0 : state->resumeGoal);
	size_t from = AutopilotResumeGoal(route, state->startX, state->startZ, current, view.x, view.z, view.groundHasHoles);
	AutopilotStartGoal(view, state, from);
	if (view.groundHasHoles)
		AutopilotLegStart(route, state->startX, state->startZ, from, &state->legFromX, &state->legFromZ);
	state->chaseClock = 0;
	state->targetRest = 0;
	state->chargeSearching = false;
	// A fight won stays won: walking back past a boss part shot down (a pod
	// plant's head, a portal) to its spot again would only cost the way.
	bool fightBehind = false;
	for (size_t i = from; i < current; i++)
		fightBehind = fightBehind || IsRouteFightGoal(route[i].verb);
	state->resumeGoal = from < current && (view.groundHasHoles || fightBehind) ? current : SIZE_MAX;
}

bool IsRouteFightGoal(RouteVerb verb)
{
	return verb == ROUTE_BOSS || verb == ROUTE_SNIPE;
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
	// Over open sky every task done is passed over; on solid ground only the
	// fights won (the rest are done again on the way: they cost little).
	const RouteVerb verb = route[state->goal].verb;
	if (view.groundHasHoles ? IsRouteWayGoal(verb) : !IsRouteFightGoal(verb))
		return false;
	AutopilotNextGoal(route, view, state);
	return true;
}
