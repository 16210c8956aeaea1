// The autopilot sniping a boss part: from a spot out of the part's reach
// (an alien portal only sends its elites at a robot within its range, while
// the stun gun's shot flies much further), it stands, turns to face the
// part and shoots until it falls. Creatures that still come are the
// opportunistic fight's business; a robot without a gun that hurts it is
// sent to the pods by the same.
#include "Autopilot/AutopilotInternal.h"
#include "System/Input.h"

#include <cmath>

namespace
{
	float WrapTurn(float a)
	{
		while (a > 3.14159265f)
			a -= 6.28318531f;
		while (a < -3.14159265f)
			a += 6.28318531f;
		return a;
	}

	const AutopilotTarget* SnipeTarget(const AutopilotView& view, const RouteGoal& goal)
	{
		const AutopilotTarget* best = nullptr;
		float bestDistance = AUTOPILOT_SNIPE_TARGET_RADIUS;
		for (const AutopilotTarget& t : view.targets)
		{
			if (t.kind != AUTOPILOT_TARGET_BOSS_PART)
				continue;
			float d = std::hypot(t.x - goal.tx, t.z - goal.tz);
			if (d < bestDistance)
			{
				bestDistance = d;
				best = &t;
			}
		}
		return best;
	}
}

float AutopilotTurnLeft(const AutopilotView& view, float tx, float tz)
{
	// A heading θ faces (−sin θ, −cos θ).
	float want = std::atan2(-(tx - view.x), -(tz - view.z));
	return WrapTurn(want - view.heading);
}

void Snipe(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
{
	const RouteGoal& goal = route[state->goal];
	const float toSpot = std::hypot(goal.x - view.x, goal.z - view.z);
	// Knocked off the spot, it walks back (the spot's margin outside the
	// part's reach is more than the reach of a goal).
	if (toSpot > AUTOPILOT_REACH)
	{
		AutopilotGoForGoal(frame, route, view, state);
		return;
	}
	state->goalClock += view.dt;
	const AutopilotTarget* t = SnipeTarget(view, goal);
	if (!t)
	{
		// Gone (or never there): on to the next, after a moment's look.
		AutopilotSteerForVelocity(frame, view, 0, 0);
		if (state->goalClock > AUTOPILOT_SNIPE_LOOK)
			AutopilotNextGoal(route, view, state);
		return;
	}
	state->goalClock = 0;

	const float turn = AutopilotTurnLeft(view, t->x, t->z);
	if (std::fabs(turn) > AUTOPILOT_SNIPE_AIM)
		AutopilotSteerToward(frame, view, t->x, t->z, AUTOPILOT_SNIPE_TURN_SPEED);	// a nudge turns the robot
	else
		AutopilotSteerForVelocity(frame, view, 0, 0);

	if (state->punchClock > 0 || AutopilotCycleToBossWeapon(frame, *t, state))
		return;
	if (view.gunReady && !t->noWeapon && t->open && std::fabs(turn) < AUTOPILOT_SNIPE_FIRE_AIM
			&& AutopilotPress(frame, *state, NEED_SHOOT))
		state->punchClock = AUTOPILOT_BOSS_SHOOT_EVERY;
}

