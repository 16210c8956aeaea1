// The autopilot at a charge goal. The exit opens only once its charge is
// full, and the charge is what the robot picked up on the way: an atom left
// behind in a fight, a chase given up, or a life lost far back leaves it
// short and standing at the charge spot forever. A player in that spot walks
// back the way he came looking for what he missed, and forward again once
// the charge is full (or the way is walked), picking up the atoms in reach
// as on the way out (the opportunistic targets do that before this runs).
#include "Player/Autopilot.h"
#include "Player/AutopilotInternal.h"

#include <cmath>
#include <vector>

namespace
{
	// The way to the charge goal: where the player began, then every place
	// of the goals before it.
	std::vector<OGLPoint2D> WayToCharge(const Route& route, const AutopilotState& state)
	{
		std::vector<OGLPoint2D> way;
		if (state.startKnown)
			way.push_back({state.startX, state.startZ});
		for (size_t g = 0; g < state.goal && g < route.size(); g++)
			if (kRouteVerbs[route[g].verb].hasPlace)
				way.push_back({route[g].x, route[g].z});
		return way;
	}

	int NearestPoint(const std::vector<OGLPoint2D>& way, float x, float z)
	{
		int best = 0;
		float bestDistance = 1e30f;
		for (size_t i = 0; i < way.size(); i++)
		{
			float d = std::hypot(way[i].x - x, way[i].y - z);
			if (d < bestDistance)
			{
				bestDistance = d;
				best = int(i);
			}
		}
		return best;
	}

	// Walks one leg of the sweep with the route's own steering, progress
	// watch and recoveries, as if the way point were the goal; true once
	// it is reached.
	bool WalkTo(VirtualInputFrame* frame, const OGLPoint2D& point, const AutopilotView& view, AutopilotState* state)
	{
		RouteGoal goal;
		goal.verb = ROUTE_GOTO;
		goal.x = point.x;
		goal.z = point.y;
		const Route leg = {goal};
		const size_t chargeGoal = state->goal;
		state->goal = 0;
		state->routeDone = false;
		AutopilotGoForGoal(frame, leg, view, state);
		const bool reached = state->routeDone;
		state->goal = chargeGoal;
		state->routeDone = false;
		return reached;
	}
}

void AutopilotWaitForCharge(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
{
	if (view.exitCharge > state->chargeSeen)
	{
		state->chargeSeen = view.exitCharge;
		state->chargeWait = 0;
	}
	const bool full = view.exitCharge >= 1;

	if (state->sweepPoint < 0)
	{
		if (view.exitCharged)
		{
			AutopilotNextGoal(route, view, state);
			return;
		}
		AutopilotSteerForVelocity(frame, view, 0, 0);
		// Atoms are what fill it: the saucer's deliveries and a boss's death
		// come by themselves.
		state->chargeWait += view.dt;
		if (full || view.flying || state->chargeWait < AUTOPILOT_CHARGE_PATIENCE)
			return;
		const std::vector<OGLPoint2D> way = WayToCharge(route, *state);
		if (way.size() < 2)
			return;
		state->sweepPoint = NearestPoint(way, view.x, view.z);
		state->sweepStep = state->sweepPoint > 0 ? -1 : +1;
		AutopilotStartGoal(view, state, state->goal);
	}

	const std::vector<OGLPoint2D> way = WayToCharge(route, *state);
	const int last = int(way.size()) - 1;
	if (state->sweepPoint > last)
		state->sweepPoint = last;
	// Full on the way back: turn round for the charge spot.
	if (full && state->sweepStep < 0)
	{
		state->sweepStep = +1;
		if (state->sweepPoint < last)
			state->sweepPoint++;
	}
	if (!WalkTo(frame, way[size_t(state->sweepPoint)], view, state))
		return;
	if (state->sweepStep < 0 && state->sweepPoint == 0)
		state->sweepStep = +1;
	if (state->sweepStep > 0 && state->sweepPoint >= last)
	{
		// Back at the charge spot: wait there again (and go once more if still short).
		state->sweepPoint = -1;
		state->chargeWait = 0;
		return;
	}
	state->sweepPoint += state->sweepStep;
}
