// Waiting for the exit's charge, and going back for it when it does not come:
// a player who reaches the charge goal short of atoms walks the way back
// (atoms in reach are taken on the way, as ever), turns round at the start,
// and once the exit is charged picks the route up again from the leg he is on.
#include "Autopilot/Autopilot.h"
#include "Autopilot/AutopilotInternal.h"

#include <cmath>

namespace
{
	// The place of goal `i`, or the route's start before the first goal.
	void SearchPlace(const Route& route, const AutopilotState& state, size_t i, float* x, float* z)
	{
		if (i < route.size())
		{
			*x = route[i].x;
			*z = route[i].z;
		}
		else
		{
			*x = state.startX;
			*z = state.startZ;
		}
	}

	// The place goal before goal `i`; route.size() for the start.
	size_t PlaceBefore(const Route& route, size_t i)
	{
		while (i-- > 0)
			if (kRouteVerbs[route[i].verb].hasPlace)
				return i;
		return route.size();
	}

	// The place goal after goal `i` up to the charge goal `last`; `last` when none.
	size_t PlaceAfter(const Route& route, size_t i, size_t last)
	{
		for (size_t k = i >= route.size() ? 0 : i + 1; k < last; k++)
			if (kRouteVerbs[route[k].verb].hasPlace)
				return k;
		return last;
	}
}

void AutopilotWaitForCharge(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
{
	if (view.exitCharged)
	{
		if (state->chargeSearching)
		{
			// Back on the way from wherever the search got to.
			state->chargeSearching = false;
			AutopilotStartGoal(view, state,
					AutopilotResumeGoal(route, state->startX, state->startZ, state->goal, view.x, view.z));
		}
		else
			AutopilotNextGoal(route, view, state);
		return;
	}
	state->goalClock += view.dt;
	if (view.exitCharge > state->chargeSeen && !state->chargeSearching)
		state->goalClock = 0;		// still coming in (humans delivered, a spill taken): wait on
	state->chargeSeen = view.exitCharge;
	// Atoms are what fill it: the saucer's deliveries and a boss's death come
	// by themselves, and a full charge with the exit still shut waits for the boss.
	const bool atomsCannotHelp = view.flying || view.exitCharge >= 1;
	if (atomsCannotHelp || (!state->chargeSearching && state->goalClock < AUTOPILOT_CHARGE_PATIENCE))
	{
		// Waiting is no reason to stand in a creature's reach.
		if (!AutopilotStepOutOfDanger(frame, view))
			AutopilotSteerForVelocity(frame, view, 0, 0);
		return;
	}
	if (!state->chargeSearching)
	{
		state->chargeSearching = true;
		state->chargeBackward = true;
		state->chargeSearchGoal = PlaceBefore(route, state->goal);
	}
	float x, z;
	SearchPlace(route, *state, state->chargeSearchGoal, &x, &z);
	if (std::hypot(x - view.x, z - view.z) <= AUTOPILOT_REACH)
	{
		// On to the next place of the way, turning round at either end.
		bool atStart = state->chargeSearchGoal >= route.size();
		if (state->chargeBackward && atStart)
			state->chargeBackward = false;
		else if (!state->chargeBackward && state->chargeSearchGoal + 1 >= state->goal)
			state->chargeBackward = true;
		state->chargeSearchGoal = state->chargeBackward ? PlaceBefore(route, atStart ? 0 : state->chargeSearchGoal)
				: PlaceAfter(route, state->chargeSearchGoal, state->goal);
		if (state->chargeSearchGoal == state->goal)
			state->chargeSearchGoal = PlaceBefore(route, state->goal);
		SearchPlace(route, *state, state->chargeSearchGoal, &x, &z);
	}
	AutopilotSteerToward(frame, view, x, z, AUTOPILOT_GO_SPEED);
}
