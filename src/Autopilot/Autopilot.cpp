// The autopilot's decisions: from the view of one frame to one frame of input.
#include "Autopilot/Autopilot.h"
#include "Autopilot/AutopilotInternal.h"
#include "System/Input.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float GO_SPEED = AUTOPILOT_GO_SPEED;
	constexpr float STOP_GAIN = 1.6f;			// wanted speed per unit of distance when closing on a stopping goal
	constexpr float VELOCITY_GAIN = 350.0f;		// units/s of velocity error that make a full stick deflection
	constexpr float MIN_STICK = 0.2f;			// the least deflection while moving on (no input brings friction)
	constexpr float JET_DELAY = 0.3f;			// seconds after a jump before the jet (the climb has slowed by then)
	constexpr float LAND_PRESS_EVERY = 0.5f;	// seconds between presses asking for the robot to be dropped

	uint64_t Bit(int need)
	{
		return uint64_t(1) << need;
	}
}

bool AutopilotPress(VirtualInputFrame* frame, const AutopilotState& state, int need)
{
	if (state.lastNeeds & Bit(need))
		return false;
	frame->needsHeld |= Bit(need);
	return true;
}

namespace
{
	bool Press(VirtualInputFrame* frame, const AutopilotState& state, int need)
	{
		return AutopilotPress(frame, state, need);
	}

	OGLVector2D RotateIntoStick(float wx, float wz, float cameraLookAngle)
	{
		float c = std::cos(cameraLookAngle), s = std::sin(cameraLookAngle);
		return {wx * c + wz * s, -wx * s + wz * c};
	}

	// Stick toward a wanted velocity: the velocity error, scaled and clipped
	// to the stick's range; never quite zero while there is somewhere to go.
	void SteerForVelocity(VirtualInputFrame* frame, const AutopilotView& view, float wantX, float wantZ)
	{
		BendAwayFromDangers(view, &wantX, &wantZ);
		float ex = (wantX - view.dx) / VELOCITY_GAIN, ez = (wantZ - view.dz) / VELOCITY_GAIN;
		float len = std::hypot(ex, ez);
		if (len > 1)
		{
			ex /= len;
			ez /= len;
		}
		else if (len < MIN_STICK)
		{
			float want = std::hypot(wantX, wantZ);
			if (want < 1)
			{
				frame->steering = {0, 0};
				return;
			}
			ex = ex + MIN_STICK * wantX / want;
			ez = ez + MIN_STICK * wantZ / want;
		}
		frame->steering = RotateIntoStick(ex, ez, view.cameraLookAngle);
	}

}

void AutopilotSteerForVelocity(VirtualInputFrame* frame, const AutopilotView& view, float wantX, float wantZ)
{
	SteerForVelocity(frame, view, wantX, wantZ);
}

bool AutopilotStepOutOfDanger(VirtualInputFrame* frame, const AutopilotView& view)
{
	if (view.flying || view.dangers.empty())
		return false;
	OGLVector2D push = AutopilotDangerPush(view.dangers, view.x, view.z);
	float length = std::hypot(push.x, push.y);
	if (length <= 0)
		return false;
	SteerForVelocity(frame, view, push.x / length * GO_SPEED, push.y / length * GO_SPEED);
	return true;
}

namespace
{
	void SteerToward(VirtualInputFrame* frame, const AutopilotView& view, float tx, float tz, float speed)
	{
		float ddx = tx - view.x, ddz = tz - view.z;
		float d = std::hypot(ddx, ddz);
		if (d < 1)
		{
			SteerForVelocity(frame, view, 0, 0);
			return;
		}
		SteerForVelocity(frame, view, ddx / d * speed, ddz / d * speed);
	}

	bool IsStoppingGoal(RouteVerb verb)
	{
		return verb == ROUTE_EXIT || verb == ROUTE_JUMP || verb == ROUTE_JET || verb == ROUTE_PUNCH || verb == ROUTE_GRAB
			|| verb == ROUTE_RIDE || verb == ROUTE_SNIPE;
	}

	float GoalReach(RouteVerb verb)
	{
		switch (verb)
		{
			case ROUTE_EXIT: return AUTOPILOT_EXIT_REACH;
			case ROUTE_PUNCH:
			case ROUTE_GRAB:
			case ROUTE_BOSS: return AUTOPILOT_PUNCH_REACH * 0.75f;
			case ROUTE_JUMP:
			case ROUTE_JET:
			case ROUTE_RIDE: return AUTOPILOT_REACH * 0.5f;
			default: return AUTOPILOT_REACH;
		}
	}

	void ResetProgress(AutopilotState* state)
	{
		state->bestDistance = 1e30f;
		state->sinceProgress = 0;
		state->recovery = AUTOPILOT_RECOVER_NONE;
		state->recoveryClock = 0;
	}

}

void AutopilotSteerToward(VirtualInputFrame* frame, const AutopilotView& view, float tx, float tz, float speed)
{
	SteerToward(frame, view, tx, tz, speed);
}

namespace
{
	void NextGoal(const Route& route, const AutopilotView& view, AutopilotState* state)
	{
		const RouteGoal& done = route[state->goal];
		if (kRouteVerbs[done.verb].hasPlace)
		{
			state->legFromX = done.x;
			state->legFromZ = done.z;
		}
		else
		{
			state->legFromX = view.x;
			state->legFromZ = view.z;
		}
		state->goalClock = 0;
		state->harvestClock = 0;
		state->harvestSkipped.clear();
		ResetProgress(state);
		if (state->goal + 1 < route.size())
			state->goal++;
		else
			state->routeDone = true;
	}

}

void AutopilotNextGoal(const Route& route, const AutopilotView& view, AutopilotState* state)
{
	NextGoal(route, view, state);
}

namespace
{
	// Watches the distance to the goal; without progress for a while it
	// tries, in turn, a jump, a jump with the jet, and a step to the side.
	void WatchProgress(float distance, const AutopilotView& view, AutopilotState* state)
	{
		if (state->recovery != AUTOPILOT_RECOVER_NONE)
			return;
		if (distance < state->bestDistance - AUTOPILOT_PROGRESS)
		{
			state->bestDistance = distance;
			state->sinceProgress = 0;
			return;
		}
		state->sinceProgress += view.dt;
		if (state->sinceProgress < AUTOPILOT_STUCK_TIME)
			return;
		static const AutopilotRecovery kOrder[3] = {AUTOPILOT_RECOVER_JUMP, AUTOPILOT_RECOVER_JET, AUTOPILOT_RECOVER_SIDESTEP};
		// Where a step aside can be a step into the sky, only jumps.
		const int kinds = view.groundHasHoles ? 2 : 3;
		state->recovery = view.flying ? AUTOPILOT_RECOVER_SIDESTEP : kOrder[state->recoveries % kinds];
		state->recoveries++;
		state->recoveryClock = 0;
		state->sinceProgress = 0;
		state->bestDistance = distance;
		if (state->recovery == AUTOPILOT_RECOVER_SIDESTEP)
			state->sidestepSign = (state->recoveries / kinds) % 2 ? -1.0f : 1.0f;
	}

	// Runs the recovery under way; true while it owns the controls.
	bool Recover(VirtualInputFrame* frame, const AutopilotView& view, AutopilotState* state, float tx, float tz)
	{
		if (state->recovery == AUTOPILOT_RECOVER_NONE)
			return false;
		float t = state->recoveryClock;
		state->recoveryClock += view.dt;
		switch (state->recovery)
		{
			case AUTOPILOT_RECOVER_JUMP:
			case AUTOPILOT_RECOVER_JET:
				SteerToward(frame, view, tx, tz, GO_SPEED);
				if (t == 0)
					Press(frame, *state, NEED_JUMP);
				else if (state->recovery == AUTOPILOT_RECOVER_JET && t >= JET_DELAY && t - view.dt < JET_DELAY)
					Press(frame, *state, NEED_JUMP);
				if (t > 0.2f && view.onGround)
					state->recovery = AUTOPILOT_RECOVER_NONE;
				return true;
			case AUTOPILOT_RECOVER_SIDESTEP:
			{
				float ddx = tx - view.x, ddz = tz - view.z;
				float d = std::max(1.0f, std::hypot(ddx, ddz));
				float sx = -ddz / d * state->sidestepSign, sz = ddx / d * state->sidestepSign;
				SteerForVelocity(frame, view, sx * GO_SPEED, sz * GO_SPEED);
				if (t >= AUTOPILOT_SIDESTEP_TIME)
					state->recovery = AUTOPILOT_RECOVER_NONE;
				return true;
			}
			default:
				state->recovery = AUTOPILOT_RECOVER_NONE;
				return false;
		}
	}

	// The nearest target in reach, unless resting from a chase given up.
	const AutopilotTarget* PickTarget(const AutopilotView& view, const AutopilotState& state)
	{
		if (state.targetRest > 0)
			return nullptr;
		const AutopilotTarget* best = nullptr;
		float bestDistance = AUTOPILOT_TARGET_REACH;
		// Bare-handed in a boss's arena: arm first, whatever bites meanwhile.
		const bool armFirst = view.bossLevel && !view.gunReady;
		for (const AutopilotTarget& t : view.targets)
		{
			if (armFirst && (t.kind == AUTOPILOT_TARGET_POD || t.kind == AUTOPILOT_TARGET_PICKUP))
			{
				float d = std::hypot(t.x - view.x, t.z - view.z);
				if (d < bestDistance)
				{
					bestDistance = d;
					best = &t;
				}
			}
		}
		if (best)
			return best;
		const bool armedInArena = view.bossLevel && view.gunReady;
		for (const AutopilotTarget& t : view.targets)
		{
			float d = std::hypot(t.x - view.x, t.z - view.z);
			// Creatures come to the robot: it meets those that do and leaves the rest be
			// (in a boss's arena, armed, it shoots them on their way in; some it runs past).
			const float threat = armedInArena ? AUTOPILOT_ARENA_THREAT_RANGE : t.engage;
			if (t.kind == AUTOPILOT_TARGET_ENEMY && d >= threat)
				continue;
			// Bosses and machines are the boss goals' business, not walked up to.
			if (t.kind == AUTOPILOT_TARGET_BOSS_PART)
				continue;
			// A person saved is worth more than an atom: a human a little
			// farther off still comes first.
			if (t.kind == AUTOPILOT_TARGET_HUMAN || t.kind == AUTOPILOT_TARGET_CAPSULE)
				d /= AUTOPILOT_HUMAN_PULL;
			if (d < bestDistance)
			{
				bestDistance = d;
				best = &t;
			}
		}
		return best;
	}

	// Goes for a target: touching takes atoms, humans and checkpoints; pods and enemies are
	// punched; a punch right by a pick-up grabs it.
	void Chase(VirtualInputFrame* frame, const AutopilotView& view, AutopilotState* state, const AutopilotTarget& t)
	{
		float d = std::hypot(t.x - view.x, t.z - view.z);
		// Nothing is worth standing in a creature's reach for: out first.
		if (AutopilotStepOutOfDanger(frame, view))
			return;
		if (t.kind == AUTOPILOT_TARGET_ENEMY && view.gunReady)
		{
			// With a gun drawn: walk at the creature and shoot once in range and
			// facing it; stop short of its reach.
			AutopilotShootAt(frame, view, state, t.x, t.z, AUTOPILOT_ENEMY_PUNCH_REACH * 3);
			return;
		}
		if (t.kind == AUTOPILOT_TARGET_ENEMY)
		{
			// Close in and keep leaning on it: a creature backs off and knocks back, a pod stays put.
			if (d < AUTOPILOT_ENEMY_PUNCH_REACH * 2 && state->punchClock <= 0)
			{
				Press(frame, *state, NEED_PUNCH);
				state->punchClock = AUTOPILOT_PUNCH_REPEAT;
			}
			SteerToward(frame, view, t.x, t.z, d < AUTOPILOT_ENEMY_PUNCH_REACH ? 0.0f : GO_SPEED);
			return;
		}
		if (t.kind == AUTOPILOT_TARGET_CAPSULE)
		{
			// Out with a weapon that breaks the glass (a press at a time), then
			// shoot it from a step away, facing it.
			if (t.wrongWeapon)
			{
				SteerToward(frame, view, t.x, t.z, d > AUTOPILOT_CAPSULE_STANDOFF ? GO_SPEED : 0.0f);
				if (state->punchClock <= 0 && Press(frame, *state, NEED_NEXT_WEAPON))
					state->punchClock = AUTOPILOT_WEAPON_CHANGE_EVERY;
				return;
			}
			AutopilotShootAt(frame, view, state, t.x, t.z, AUTOPILOT_CAPSULE_STANDOFF);
			return;
		}
		bool punches = t.kind == AUTOPILOT_TARGET_POD || t.kind == AUTOPILOT_TARGET_PICKUP;
		float reach = t.kind == AUTOPILOT_TARGET_PICKUP ? AUTOPILOT_GRAB_REACH : AUTOPILOT_PUNCH_REACH;
		if (punches && d < reach)
		{
			SteerForVelocity(frame, view, 0, 0);
			if (state->punchClock <= 0)
			{
				Press(frame, *state, NEED_PUNCH);
				state->punchClock = AUTOPILOT_PUNCH_REPEAT;
			}
			return;
		}
		SteerToward(frame, view, t.x, t.z, GO_SPEED);
	}

	//
	// The saucer level
	//

	// Toward a point, easing off to stop over it.
	void HoverToward(VirtualInputFrame* frame, const AutopilotView& view, float x, float z)
	{
		float d = std::hypot(x - view.x, z - view.z);
		SteerToward(frame, view, x, z, std::min(GO_SPEED, STOP_GAIN * d));
	}

	bool WasLeftBe(const AutopilotState& state, float x, float z)
	{
		for (const OGLPoint2D& p : state.harvestSkipped)
			if (std::hypot(p.x - x, p.y - z) < AUTOPILOT_BEAM_AIM * 3)
				return true;
		return false;
	}

	// The target of `kind` in the goal's area nearest the saucer.
	const AutopilotTarget* NearestInArea(const AutopilotView& view, const AutopilotState& state, const RouteGoal& goal,
			AutopilotTargetKind kind)
	{
		const AutopilotTarget* best = nullptr;
		float bestDistance = 1e30f;
		for (const AutopilotTarget& t : view.targets)
		{
			if (t.kind != kind || std::hypot(t.x - goal.x, t.z - goal.z) > goal.value || WasLeftBe(state, t.x, t.z))
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

	// Beams up every human of the goal's area, smashing its huts first when no
	// human is free; a full hold goes to the drop zone first.
	void Harvest(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
	{
		const RouteGoal& goal = route[state->goal];
		if (view.saucerLoad >= AUTOPILOT_SAUCER_HOLD && view.hasDropPoint)
		{
			HoverToward(frame, view, view.dropX, view.dropZ);
			return;
		}
		const AutopilotTarget* t = NearestInArea(view, *state, goal, AUTOPILOT_TARGET_BEAMABLE);
		bool hut = false;
		if (!t)
		{
			t = NearestInArea(view, *state, goal, AUTOPILOT_TARGET_HUT);
			hut = t != nullptr;
		}
		if (!t)
		{
			if (std::hypot(goal.x - view.x, goal.z - view.z) > AUTOPILOT_REACH)
				SteerToward(frame, view, goal.x, goal.z, GO_SPEED);
			else if (view.beamBusy)
				HoverToward(frame, view, view.x, view.z);		// someone may still be rising
			else
				NextGoal(route, view, state);
			return;
		}

		// A target that cannot be had (out of the saucer's bounds, say) is left be after a while.
		if (std::hypot(t->x - state->harvestX, t->z - state->harvestZ) > AUTOPILOT_BEAM_AIM * 3)
			state->harvestClock = 0;
		state->harvestX = t->x;
		state->harvestZ = t->z;
		state->harvestClock += view.dt;
		if (state->harvestClock > AUTOPILOT_HARVEST_GIVE_UP)
		{
			state->harvestSkipped.push_back({t->x, t->z});
			state->harvestClock = 0;
		}

		HoverToward(frame, view, t->x, t->z);
		float d = std::hypot(t->x - view.x, t->z - view.z);
		if (d < (hut ? AUTOPILOT_HUT_AIM : AUTOPILOT_BEAM_AIM) && !view.beamBusy)
		{
			int wanted = hut ? 1 : 0;
			if (view.beamSelected != wanted)
				Press(frame, *state, NEED_NEXT_WEAPON);
			else
				Press(frame, *state, NEED_SHOOT);
		}
	}

	// To the drop point with whoever is aboard; the saucer unloads by itself there.
	void Deliver(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
	{
		const RouteGoal& goal = route[state->goal];
		if (view.saucerLoad == 0)
			NextGoal(route, view, state);
		else
			HoverToward(frame, view, goal.x, goal.z);
	}

	// A point of the way is passed, not only reached: a robot already beyond
	// it along its leg and near it walks on (a creature standing on the point
	// would otherwise keep it circling round, bent away from its reach).
	// Not over open sky, where the point may be a bridge's turn.
	bool IsWayPointPassed(const AutopilotView& view, const AutopilotState& state, const RouteGoal& goal, float distance)
	{
		if (view.groundHasHoles || view.flying || distance > AUTOPILOT_PASS_REACH)
			return false;
		float legX = goal.x - state.legFromX, legZ = goal.z - state.legFromZ;
		float length = std::hypot(legX, legZ);
		if (length < 1)
			return false;
		return ((view.x - goal.x) * legX + (view.z - goal.z) * legZ) / length > 0;
	}

	void GoForGoal(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
	{
		const RouteGoal& goal = route[state->goal];
		float distance = std::hypot(goal.x - view.x, goal.z - view.z);
		float reach = GoalReach(goal.verb);

		if (distance <= reach || (goal.verb == ROUTE_JET && state->goalClock > 0 && !view.onGround)
				|| (goal.verb == ROUTE_GOTO && IsWayPointPassed(view, *state, goal, distance)))
		{
			switch (goal.verb)
			{
				case ROUTE_GOTO:
					NextGoal(route, view, state);
					return;
				case ROUTE_JUMP:
				case ROUTE_RIDE:
					if (Press(frame, *state, NEED_JUMP))
						NextGoal(route, view, state);
					return;
				case ROUTE_JET:
				{
					// Jump, jet once the climb slows, and call it done at the height or back on the ground.
					float t = state->goalClock;
					state->goalClock += view.dt;
					if (t == 0)
						Press(frame, *state, NEED_JUMP);
					else if (t >= JET_DELAY && t - view.dt < JET_DELAY)
						Press(frame, *state, NEED_JUMP);
					if (view.y >= goal.value || (t > JET_DELAY && view.onGround))
						NextGoal(route, view, state);
					return;
				}
				case ROUTE_PUNCH:
				case ROUTE_GRAB:
					if (Press(frame, *state, NEED_PUNCH))
						NextGoal(route, view, state);
					return;
				case ROUTE_EXIT:
					// Stand still in the beam until the saucer takes the robot.
					SteerForVelocity(frame, view, 0, 0);
					if (state->goal + 1 == route.size())
						state->routeDone = true;
					ResetProgress(state);
					return;
				case ROUTE_BOSS:
					if (state->punchClock <= 0)
					{
						Press(frame, *state, NEED_PUNCH);
						state->punchClock = AUTOPILOT_PUNCH_REPEAT;
					}
					if (state->goal + 1 == route.size())
						state->routeDone = true;
					ResetProgress(state);
					return;
				default:
					NextGoal(route, view, state);
					return;
			}
		}

		state->goalClock += view.dt;
		WatchProgress(distance, view, state);
		if (Recover(frame, view, state, goal.x, goal.z))
			return;

		// Along the leg from the last goal, or straight for the goal when far off it.
		OGLPoint2D aim = AutopilotAimPoint(view.x, view.z, state->legFromX, state->legFromZ, goal.x, goal.z);
		float legX = goal.x - state->legFromX, legZ = goal.z - state->legFromZ;
		float legLength = std::hypot(legX, legZ);
		if (legLength > 1)
		{
			float offLeg = std::fabs(((view.x - state->legFromX) * legZ - (view.z - state->legFromZ) * legX) / legLength);
			// Far off the leg it heads straight for the goal, except where the
			// ground has holes: there the straight line may cross open sky, and
			// it walks back onto the way instead.
			if (offLeg > AUTOPILOT_OFF_COURSE && !view.groundHasHoles)
				aim = {goal.x, goal.z};
		}
		float speed = GO_SPEED;
		if (IsStoppingGoal(goal.verb))
			speed = std::min(GO_SPEED, STOP_GAIN * distance);
		SteerToward(frame, view, aim.x, aim.y, speed);
	}
}

void AutopilotStartGoal(const AutopilotView& view, AutopilotState* state, size_t goal)
{
	state->goal = goal;
	state->legFromX = view.x;
	state->legFromZ = view.z;
	state->goalClock = 0;
	state->routeDone = false;
	ResetProgress(state);
}

void AutopilotGoForGoal(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
{
	GoForGoal(frame, route, view, state);
}

OGLVector2D SteeringForWorldDirection(float dx, float dz, float cameraLookAngle)
{
	float len = std::hypot(dx, dz);
	if (len <= 0)
		return {0, 0};
	return RotateIntoStick(dx / len, dz / len, cameraLookAngle);
}

OGLPoint2D AutopilotAimPoint(float px, float pz, float ax, float az, float bx, float bz)
{
	float lx = bx - ax, lz = bz - az;
	float length = std::hypot(lx, lz);
	if (length < 1)
		return {bx, bz};
	float along = std::clamp(((px - ax) * lx + (pz - az) * lz) / length, 0.0f, length) + AUTOPILOT_LOOKAHEAD;
	if (along >= length)
		return {bx, bz};
	return {ax + lx / length * along, az + lz / length * along};
}

VirtualInputFrame AutopilotStep(const Route& route, const AutopilotView& view, AutopilotState* state)
{
	VirtualInputFrame frame;
	if (!state->started)
	{
		state->started = true;
		state->legFromX = view.x;
		state->legFromZ = view.z;
		ResetProgress(state);
	}
	if (!view.inControl || route.empty())
	{
		// Carried, dead or not there yet: hands off, and no progress to miss.
		ResetProgress(state);
		state->lastNeeds = 0;
		return frame;
	}
	if (!state->placed)
	{
		state->placed = true;
		state->startX = view.x;
		state->startZ = view.z;
	}
	if (view.respawned)
		AutopilotResumeAfterRespawn(route, view, state);
	state->punchClock -= view.dt;
	state->targetRest -= view.dt;

	float waitX, waitZ;
	if (!view.flying && AutopilotWaitForIceBreaker(view, &waitX, &waitZ))
	{
		SteerForVelocity(&frame, view, waitX, waitZ);
		ResetProgress(state);
		state->lastNeeds = frame.needsHeld;
		return frame;
	}

	// Walking the route again after a lost life: the tasks done before are passed over.
	while (!state->routeDone && AutopilotSkipsDoneTask(route, view, state))
		continue;
	const RouteGoal& goal = route[state->goal];
	if (view.machine.present && goal.verb == ROUTE_BOSS)
	{
		// The machine's fight chooses its own detours (pods, atoms) by the beams.
		AutopilotFightBossMachine(&frame, route, view, state);
		ResetProgress(state);
		state->lastNeeds = frame.needsHeld;
		return frame;
	}
	if (view.brain.hunting && goal.verb == ROUTE_BOSS)
	{
		AutopilotFightBrain(&frame, route, view, state);
		ResetProgress(state);
		state->lastNeeds = frame.needsHeld;
		return frame;
	}
	bool standing = goal.verb == ROUTE_EXIT && state->routeDone;
	// The saucer's targets are the harvest's business.
	const AutopilotTarget* target = standing || view.flying ? nullptr : PickTarget(view, *state);
	// At a boss goal with a shot at the boss part in reach, that comes first:
	// downing a portal stops its elites.
	if (target && target->kind == AUTOPILOT_TARGET_ENEMY && goal.verb == ROUTE_BOSS && HasBossShot(route, view, *state))
		target = nullptr;
	if (target)
	{
		state->chaseClock += view.dt;
		// A near enemy follows and bites: fight it for longer before leaving it be.
		bool threat = target->kind == AUTOPILOT_TARGET_ENEMY
				&& std::hypot(target->x - view.x, target->z - view.z) < (view.bossLevel ? AUTOPILOT_ARENA_THREAT_RANGE : target->engage);
		if (state->chaseClock > (threat ? AUTOPILOT_FIGHT_GIVE_UP : AUTOPILOT_TARGET_GIVE_UP)
				|| AutopilotChaseStalled(view, *target, state))
		{
			AutopilotResetChaseWatch(state);
			state->targetRest = AUTOPILOT_TARGET_REST;
			state->chaseClock = 0;
		}
		else
		{
			Chase(&frame, view, state, *target);
			ResetProgress(state);
			state->lastNeeds = frame.needsHeld;
			return frame;
		}
	}
	else
	{
		state->chaseClock = 0;
		AutopilotResetChaseWatch(state);
	}

	switch (goal.verb)
	{
		case ROUTE_CHARGE:
			AutopilotWaitForCharge(&frame, route, view, state);
			break;
		case ROUTE_WAIT:
			if (!AutopilotStepOutOfDanger(&frame, view))
				SteerForVelocity(&frame, view, 0, 0);
			state->goalClock += view.dt;
			if (state->goalClock >= goal.value)
				NextGoal(route, view, state);
			break;
		case ROUTE_HARVEST:
			Harvest(&frame, route, view, state);
			break;
		case ROUTE_DELIVER:
			Deliver(&frame, route, view, state);
			break;
		case ROUTE_BOSS:
			if (view.bossLevel && view.bossDead && state->brainSeen)
				AutopilotCollectBrainSpill(&frame, route, view, state);
			else if (view.bossLevel)
				FightBoss(&frame, route, view, state);
			else
				GoForGoal(&frame, route, view, state);
			break;
		case ROUTE_SNIPE:
			Snipe(&frame, route, view, state);
			break;
		case ROUTE_LAND:
			// Ask for the drop until the player is the robot on foot.
			if (!view.flying)
				NextGoal(route, view, state);
			else
			{
				SteerForVelocity(&frame, view, 0, 0);
				if (std::fmod(state->goalClock, LAND_PRESS_EVERY) < view.dt)
					Press(&frame, *state, NEED_JUMP);
				state->goalClock += view.dt;
			}
			break;
		default:
			GoForGoal(&frame, route, view, state);
			break;
	}
	state->lastNeeds = frame.needsHeld;
	return frame;
}
