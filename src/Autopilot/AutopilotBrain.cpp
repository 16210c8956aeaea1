// The autopilot against the brain once its shield is down, fought as a
// player learns to fight it: the brain only shoots once its halves stand
// fully apart, a hit while they open shuts them again, and every hit counts
// until they are closed. So the robot keeps its distance (the brain slides
// after it slowly), faces it, fires as the halves near full width so the
// first hit lands just before they would open (the brain closes without a
// shot) and keeps firing while they close. A homing shot that does come is
// outrun (the robot is faster), and a robot with nothing that hurts the
// brain goes back to the pods.
#include "Autopilot/AutopilotInternal.h"
#include "System/Input.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float NEAR = 1000.0f;				// units: closer than this it backs off while the brain is shut
	constexpr float TOO_NEAR = 650.0f;			// units: closer than this it backs off whatever the brain does
	constexpr float FAR = 1700.0f;				// units: farther than this it walks in
	constexpr float LEASH = 2600.0f;			// units from the boss goal: backing off bends back toward it
	constexpr float FIRE_WIDTH = 0.55f;			// of full width: opening, it fires from here on (the shot needs ~0.4 s)
	constexpr float FIRE_EVERY = 0.15f;			// seconds between presses of the trigger
	constexpr float FIRE_CONE = 0.3f;			// radians off its facing within which it fires
	constexpr float TURN_CREEP = 140.0f;		// units per second of the walk that turns the robot
	constexpr float DODGE_RANGE = 1300.0f;		// units: a shot this near and coming is run from
	constexpr float LOW_HEALTH = 0.5f;			// below this, health in reach is fetched while the brain is shut
	constexpr float SPILL_WAIT = 2.0f;			// seconds where the brain fell, for its spill to settle within reach

	float Distance(float ax, float az, float bx, float bz)
	{
		return std::hypot(ax - bx, az - bz);
	}

	// The nearest target of the kinds wanted within reach, or none.
	const AutopilotTarget* Nearest(const AutopilotView& view, bool arms, bool health)
	{
		const AutopilotTarget* best = nullptr;
		float bestDistance = AUTOPILOT_TARGET_REACH;
		for (const AutopilotTarget& t : view.targets)
		{
			bool wanted = (arms && (t.kind == AUTOPILOT_TARGET_POD || t.kind == AUTOPILOT_TARGET_PICKUP))
					   || (health && t.kind == AUTOPILOT_TARGET_ATOM);
			float d = Distance(t.x, t.z, view.x, view.z);
			if (wanted && d < bestDistance)
			{
				bestDistance = d;
				best = &t;
			}
		}
		return best;
	}

	// Opens a pod or grabs a pick-up by the punch next to it; walks to it otherwise.
	void Fetch(VirtualInputFrame* frame, const AutopilotView& view, AutopilotState* state, const AutopilotTarget& t)
	{
		const float d = Distance(t.x, t.z, view.x, view.z);
		const float reach = t.kind == AUTOPILOT_TARGET_PICKUP ? AUTOPILOT_GRAB_REACH : AUTOPILOT_PUNCH_REACH;
		if (t.kind != AUTOPILOT_TARGET_ATOM && d < reach)
		{
			AutopilotSteerForVelocity(frame, view, 0, 0);
			if (state->punchClock <= 0 && AutopilotPress(frame, *state, NEED_PUNCH))
				state->punchClock = AUTOPILOT_PUNCH_REPEAT;
			return;
		}
		AutopilotSteerToward(frame, view, t.x, t.z, AUTOPILOT_GO_SPEED);
	}

	// The way out from the nearest shot coming at the robot, if any.
	bool ShotToRunFrom(const AutopilotView& view, OGLVector2D* away)
	{
		float best = DODGE_RANGE;
		bool found = false;
		for (int i = 0; i < view.brain.numShots; i++)
		{
			float rx = view.x - view.brain.shotAt[i].x, rz = view.z - view.brain.shotAt[i].y;
			float d = std::hypot(rx, rz);
			bool coming = rx * view.brain.shotDelta[i].x + rz * view.brain.shotDelta[i].y > 0;
			if (d < best && coming && d > 1)
			{
				best = d;
				*away = {rx / d, rz / d};
				found = true;
			}
		}
		return found;
	}

	// Away from the brain, bent back toward the boss goal once far from it
	// (the arena's walls and pads lie beyond).
	void BackOff(VirtualInputFrame* frame, const AutopilotView& view, const RouteGoal& goal)
	{
		const AutopilotBrainView& b = view.brain;
		float ax = view.x - b.x, az = view.z - b.z;
		float d = std::max(1.0f, std::hypot(ax, az));
		ax /= d;
		az /= d;
		float gx = goal.x - view.x, gz = goal.z - view.z;
		float g = std::hypot(gx, gz);
		if (g > LEASH * 0.5f)
		{
			// Sideways round the brain, on the goal's side.
			float sx = -az, sz = ax;
			if (sx * gx + sz * gz < 0)
				sx = -sx, sz = -sz;
			float k = std::min(1.0f, (g - LEASH * 0.5f) / (LEASH * 0.5f));
			ax = ax * (1 - k) + sx * k;
			az = az * (1 - k) + sz * k;
		}
		AutopilotSteerForVelocity(frame, view, ax * AUTOPILOT_GO_SPEED, az * AUTOPILOT_GO_SPEED);
	}
}

void AutopilotFightBrain(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
{
	const AutopilotBrainView& b = view.brain;
	const RouteGoal& goal = route[state->goal];
	const float d = Distance(b.x, b.z, view.x, view.z);
	state->brainSeen = true;
	state->goalClock = 0;		// the wait for its spill starts from its fall
	state->brainX = b.x;
	state->brainZ = b.z;
	const bool shut = b.width <= 0 && !b.opening;

	OGLVector2D away;
	if (ShotToRunFrom(view, &away))
	{
		AutopilotSteerForVelocity(frame, view, away.x * AUTOPILOT_GO_SPEED, away.y * AUTOPILOT_GO_SPEED);
		return;
	}

	// Nothing in hand that hurts it: draw another that does, else re-arm.
	if (!b.hurtsNow)
	{
		if (b.hurtsOther)
		{
			AutopilotSteerForVelocity(frame, view, 0, 0);
			if (state->punchClock <= 0 && AutopilotPress(frame, *state, NEED_NEXT_WEAPON))
				state->punchClock = AUTOPILOT_BOSS_SHOOT_EVERY;
			return;
		}
		if (const AutopilotTarget* arms = Nearest(view, true, false))
			Fetch(frame, view, state, *arms);
		else if (d < NEAR)
			BackOff(frame, view, goal);
		else
			AutopilotSteerToward(frame, view, goal.x, goal.z, std::min(AUTOPILOT_GO_SPEED, Distance(goal.x, goal.z, view.x, view.z) * 1.6f));
		return;
	}

	if (shut && view.health < LOW_HEALTH && d > NEAR)
		if (const AutopilotTarget* health = Nearest(view, false, true))
		{
			Fetch(frame, view, state, *health);
			return;
		}

	if (d < TOO_NEAR || (shut && d < NEAR))
	{
		BackOff(frame, view, goal);
		return;
	}

	// Face it: a slow walk at it turns the robot; farther off it walks in.
	const float facingError = AutopilotFacingError(view, b.x, b.z);
	if (d > FAR)
		AutopilotSteerToward(frame, view, b.x, b.z, AUTOPILOT_GO_SPEED);
	else if (facingError > AUTOPILOT_SNIPE_AIM)
		AutopilotSteerToward(frame, view, b.x, b.z, TURN_CREEP);
	else
		AutopilotSteerForVelocity(frame, view, 0, 0);

	const bool hitCounts = (b.opening && b.width >= FIRE_WIDTH) || (!b.opening && b.width > 0);
	if (hitCounts && facingError < FIRE_CONE && state->punchClock <= 0 && AutopilotPress(frame, *state, NEED_SHOOT))
		state->punchClock = FIRE_EVERY;
}

void AutopilotCollectBrainSpill(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
{
	const float d = Distance(state->brainX, state->brainZ, view.x, view.z);
	if (d > AUTOPILOT_REACH)
	{
		AutopilotSteerToward(frame, view, state->brainX, state->brainZ, std::min(AUTOPILOT_GO_SPEED, d * 1.6f));
		return;
	}
	AutopilotSteerForVelocity(frame, view, 0, 0);
	state->goalClock += view.dt;
	if (state->goalClock > SPILL_WAIT)
	{
		state->brainSeen = false;
		AutopilotNextGoal(route, view, state);
	}
}
