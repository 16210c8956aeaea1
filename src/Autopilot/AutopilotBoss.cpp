// The autopilot at a boss: it goes to the goal's place, then shoots down the
// boss parts round it one by one, nearest first; it creeps toward the one it
// fights (which turns the robot to face it, for the auto-aim to do the rest),
// switches weapons when the one in hand does nothing to it, and holds fire
// while a hit would not count (a closed brain, a shut pitcher plant). With
// nothing held that hurts it, it waits by the goal, then walks back to the
// route's start (where an arena keeps its weapons) to rearm. Standing to
// shoot, it steps across the path of a tentacle tip about to reach it.
#include "Autopilot/AutopilotInternal.h"
#include "Enemies/JungleBoss.h"
#include "System/Input.h"

#include <cmath>

namespace
{
	const AutopilotTarget* NearestBossPart(const AutopilotView& view, const RouteGoal& goal)
	{
		const AutopilotTarget* best = nullptr;
		float bestDistance = 1e30f;
		for (const AutopilotTarget& t : view.targets)
		{
			if (t.kind != AUTOPILOT_TARGET_BOSS_PART || std::hypot(t.x - goal.x, t.z - goal.z) > AUTOPILOT_BOSS_AREA)
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

	// A growing tentacle's tip about to reach the robot: a step across its
	// heading, to the side the robot already stands on (the tip turns slowly
	// and overshoots). Nearer only: stepping out from farther off walks the
	// robot away from its shots, and the tip follows anyway.
	bool DodgeTentacle(VirtualInputFrame* frame, const AutopilotView& view)
	{
		for (const Tentacle& t : gTentacles)
		{
			// (One whose generator is gone, as after leaving the arena, is no threat.)
			if (!t.isUsed || t.mode != TENTACLE_GROWING || !t.owner.IsAlive())
				continue;
			float rx = view.x - t.head.x, rz = view.z - t.head.z;
			float d = std::hypot(rx, rz);
			if (d > AUTOPILOT_TENTACLE_DODGE_RANGE || d < 1)
				continue;
			float hx = -std::sin(t.heading), hz = -std::cos(t.heading);
			if (hx * rx + hz * rz < 0)
				continue;		// heading away: past the robot already
			float side = hx * rz - hz * rx >= 0 ? 1.0f : -1.0f;
			AutopilotSteerForVelocity(frame, view, -hz * side * AUTOPILOT_TENTACLE_DODGE_SPEED,
					hx * side * AUTOPILOT_TENTACLE_DODGE_SPEED);
			return true;
		}
		return false;
	}
}

bool HasBossShot(const Route& route, const AutopilotView& view, const AutopilotState& state)
{
	const RouteGoal& goal = route[state.goal];
	if (!view.gunReady || std::hypot(goal.x - view.x, goal.z - view.z) > AUTOPILOT_BOSS_AREA)
		return false;
	const AutopilotTarget* t = NearestBossPart(view, goal);
	return t && t->open && !t->wrongWeapon && !t->noWeapon && std::hypot(t->x - view.x, t->z - view.z) < AUTOPILOT_BOSS_SHOT_RANGE;
}

void FightBoss(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
{
	const RouteGoal& goal = route[state->goal];
	const float toGoal = std::hypot(goal.x - view.x, goal.z - view.z);
	const AutopilotTarget* t = NearestBossPart(view, goal);
	state->goalClock += view.dt;
	if (t && !t->noWeapon)
	{
		state->rearming = false;
		state->unarmedClock = 0;
	}
	if (state->rearming)
	{
		// Out of shots that hurt it: back along the way in to where the
		// weapons lay (picked up on the way by the usual detours); there and
		// still unarmed, back to the goal to wait again (they come back
		// only while out of view).
		if (std::hypot(state->startX - view.x, state->startZ - view.z) < AUTOPILOT_REACH)
		{
			state->rearming = false;
			state->unarmedClock = 0;
		}
		else
		{
			AutopilotSteerToward(frame, view, state->startX, state->startZ, 1100.0f);
			return;
		}
	}
	if (toGoal > AUTOPILOT_REACH && (!t || toGoal > AUTOPILOT_BOSS_AREA))
	{
		AutopilotGoForGoal(frame, route, view, state);
		return;
	}
	if (!t)
	{
		// Nothing of the boss left round here (on the boss's own goal: it is dead).
		if (view.bossDead || state->goalClock > 1.0f)
			AutopilotNextGoal(route, view, state);
		else
			AutopilotSteerForVelocity(frame, view, 0, 0);
		return;
	}

	float d = std::hypot(t->x - view.x, t->z - view.z);
	if (t->noWeapon)
	{
		// Out of anything that hurts it: hold back by the goal a while (the
		// used-up weapons' pick-ups come back while out of view), then fetch them.
		state->unarmedClock += view.dt;
		if (state->unarmedClock > AUTOPILOT_BOSS_REARM_WAIT)
			state->rearming = true;
		AutopilotSteerToward(frame, view, goal.x, goal.z, std::min(1100.0f, toGoal * 1.6f));
		return;
	}
	if (!view.gunReady && !t->wrongWeapon)
	{
		// Bare-handed: walk into it punching.
		AutopilotSteerToward(frame, view, t->x, t->z, 1100.0f);
		if (d < AUTOPILOT_BOSS_PUNCH_REACH && state->punchClock <= 0 && AutopilotPress(frame, *state, NEED_PUNCH))
			state->punchClock = AUTOPILOT_PUNCH_REPEAT;
		return;
	}
	if (!DodgeTentacle(frame, view))
	{
		if (d > AUTOPILOT_BOSS_STANDOFF)
			AutopilotSteerToward(frame, view, t->x, t->z, AUTOPILOT_BOSS_CREEP);
		else
			AutopilotSteerForVelocity(frame, view, 0, 0);
	}

	if (state->punchClock > 0 || AutopilotCycleToBossWeapon(frame, *t, state))
		return;
	if (t->open && view.gunReady && AutopilotPress(frame, *state, NEED_SHOOT))
		state->punchClock = AUTOPILOT_BOSS_SHOOT_EVERY;
}

bool AutopilotCycleToBossWeapon(VirtualInputFrame* frame, const AutopilotTarget& target, AutopilotState* state)
{
	if (!target.wrongWeapon)
		return false;
	// One press of the weapon key at a time, as a player steps through the slots.
	if (AutopilotPress(frame, *state, NEED_NEXT_WEAPON))
		state->punchClock = AUTOPILOT_BOSS_SHOOT_EVERY;
	return true;
}
