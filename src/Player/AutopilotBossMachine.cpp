// The autopilot against the blob boss machine: it stands at the route's boss spots
// and shoots what the machine shows there, and goes round the spots until
// the machine falls.
#include "Player/Autopilot.h"
#include "System/Input.h"

#include <cmath>

namespace
{
	constexpr float BOSS_SIGHT = 1000.0f;			// units: parts this near the robot are shot from its spot
	constexpr float AIM_TOLERANCE = 0.3f;			// radians off the part at which it fires (the gun's aim does the rest)
	constexpr float TURN_STICK = 0.35f;				// stick deflection that turns the robot with little way on
	constexpr float SHOOT_EVERY = 0.3f;				// seconds between presses of the trigger
	constexpr float SWITCH_EVERY = 2.0f;			// seconds between weapon changes while no gun is drawn (the change takes a moment)
	constexpr float MOVE_ON_AFTER = 1.0f;			// seconds with nothing in sight before the next spot
	constexpr float NO_GUN_MOVE_ON = 4.5f;			// seconds without a gun to draw before the next spot

	bool Press(VirtualInputFrame* frame, const AutopilotState& state, int need)
	{
		uint64_t bit = uint64_t(1) << need;
		if (state.lastNeeds & bit)
			return false;
		frame->needsHeld |= bit;
		return true;
	}

	const AutopilotTarget* NearestPartInSight(const AutopilotView& view)
	{
		const AutopilotTarget* best = nullptr;
		float bestDistance = BOSS_SIGHT;
		for (const AutopilotTarget& t : view.targets)
		{
			if (t.kind != AUTOPILOT_TARGET_BOSS_PART)
				continue;
			float d = std::hypot(t.x - view.x, t.z - view.z);
			if (d < bestDistance)
			{
				bestDistance = d;
				best = &t;
			}
		}
		return best;
	}

	// The route's next boss goal after the current one, round to the first.
	size_t NextBossSpot(const Route& route, size_t from)
	{
		for (size_t k = 1; k <= route.size(); k++)
		{
			size_t i = (from + k) % route.size();
			if (route[i].verb == ROUTE_BOSS)
				return i;
		}
		return from;
	}
}

void AutopilotFightFromBossSpot(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
{
	frame->steering = {0, 0};
	const AutopilotTarget* part = NearestPartInSight(view);
	if (!part)
	{
		state->goalClock += view.dt;
		if (state->goalClock > MOVE_ON_AFTER)
			AutopilotStartGoal(view, state, NextBossSpot(route, state->goal));
		return;
	}
	if (!view.gunReady)
	{
		// Draw the gun; with none to draw, go round to the next spot, past the pods there.
		state->goalClock += view.dt;
		if (state->goalClock > NO_GUN_MOVE_ON)
			AutopilotStartGoal(view, state, NextBossSpot(route, state->goal));
		else if (state->punchClock <= 0 && Press(frame, *state, NEED_NEXT_WEAPON))
			state->punchClock = SWITCH_EVERY;
		return;
	}
	state->goalClock = 0;
	const float dx = part->x - view.x, dz = part->z - view.z;
	const float want = std::atan2(-dx, -dz);
	const float off = std::remainder(want - view.heading, 6.2831853f);
	if (std::fabs(off) > AIM_TOLERANCE)
	{
		OGLVector2D stick = SteeringForWorldDirection(dx, dz, view.cameraLookAngle);
		frame->steering = {stick.x * TURN_STICK, stick.y * TURN_STICK};
		return;
	}
	if (state->punchClock <= 0 && Press(frame, *state, NEED_SHOOT))
		state->punchClock = SHOOT_EVERY;
}
