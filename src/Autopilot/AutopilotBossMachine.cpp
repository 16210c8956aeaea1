// The autopilot against a boss machine fought from its plinth (the blob boss
// level). The floor round the plinth is live and the beams sweep the plinth
// itself, so the robot keeps to the plinth's quarters between the beams,
// the route's boss spots. In a quarter it arms itself first (it walks up to
// the quarter's pod, punches it open and grabs the gun), takes the health
// there when it is low, then shoots what the machine shows from its spot:
// the emitters of the quarter's two beams, a cannon whenever the lid is low
// enough for the gun's aim to reach it, then the column. With nothing left
// to do in a quarter it walks on to a neighbouring one, never across a
// live beam.
#include "Autopilot/AutopilotInternal.h"
#include "System/Input.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float GO_SPEED = 1100.0f;				// units per second: above the top speed, the stick stays pushed
	constexpr float STOP_GAIN = 1.6f;				// wanted speed per unit of distance when closing on a spot
	constexpr float SPOT_REACH = 70.0f;				// units: standing at a quarter's spot
	constexpr float SPOT_LEAVE = 200.0f;			// units: drifted this far off its firing spot, it goes back
	constexpr float QUARTER_SIGHT = 1000.0f;		// units: machine parts this near are shot from the spot
	constexpr float SUPPLY_SIGHT = 650.0f;			// units from the spot: the quarter's pod, gun and atoms
	constexpr float COLUMN_CLEARANCE = 260.0f;		// units from the centre a line of fire keeps (the column is 210 round)
	constexpr float COLUMN_TARGET = 50.0f;			// units from the centre: the target is the column itself
	constexpr float BEAM_CLEARANCE = 110.0f;		// units: a walk passing this near a live beam would touch it
	constexpr float MAX_ELEVATION = 0.6f;			// rise over run: higher parts are out of the gun's aim
	constexpr float AIM_TOLERANCE = 1.0f;			// radians off the part at which it fires: the auto-aim turns the robot the rest
	constexpr float TURN_STICK = 0.3f;				// stick deflection that turns the robot with little way on
	constexpr float SHOOT_EVERY = 0.35f;			// seconds between presses of the trigger
	constexpr float SWITCH_EVERY = 1.0f;			// seconds between weapon changes (the change takes a moment)
	constexpr float POD_PUNCH_REACH = 160.0f;		// units: the fist lands on a pod from this near (touching it is ~135)
	constexpr float GUN_GRAB_REACH = 150.0f;		// units: a punch grabs a pick-up this near (the hand reaches 170; touching is ~135)
	constexpr float REARM_BELOW = 8;				// shots left under which the quarter's pod is opened as well
	constexpr float LOW_HEALTH = 0.6f;				// below this the quarter's health atoms are taken
	constexpr float MOVE_ON_AFTER = 0.8f;			// seconds with nothing to do before the next quarter
	constexpr float AIM_OFF_BODY = 30.0f;			// units: a part's aim mark this far off its body is shot from behind
	constexpr float SHOOT_FROM_BEHIND = 380.0f;		// units behind such a part
	constexpr float BEAM_SIDESTEP = 120.0f;			// units to the side of its line (its beam's)

	OGLPoint2D Spot(const RouteGoal& goal)
	{
		return {goal.x, goal.z};
	}

	float DistanceToSegment(OGLPoint2D p, OGLPoint2D a, OGLPoint2D b)
	{
		const float lx = b.x - a.x, ly = b.y - a.y;
		const float length2 = lx * lx + ly * ly;
		float t = length2 > 0 ? ((p.x - a.x) * lx + (p.y - a.y) * ly) / length2 : 0;
		t = std::clamp(t, 0.0f, 1.0f);
		return std::hypot(p.x - (a.x + lx * t), p.y - (a.y + ly * t));
	}

	bool SegmentsCross(OGLPoint2D p, OGLPoint2D q, OGLPoint2D a, OGLPoint2D b)
	{
		auto side = [](OGLPoint2D o, OGLPoint2D u, OGLPoint2D v) {
			return (u.x - o.x) * (v.y - o.y) - (u.y - o.y) * (v.x - o.x);
		};
		const float d1 = side(a, b, p), d2 = side(a, b, q), d3 = side(p, q, a), d4 = side(p, q, b);
		return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
	}

	// Whether walking straight from p to q passes through (or brushes) a live beam.
	bool WalkMeetsBeam(const AutopilotMachineView& m, OGLPoint2D p, OGLPoint2D q)
	{
		for (int i = 0; i < m.numBeams; i++)
		{
			const OGLPoint2D a = m.beamFrom[i], b = m.beamTo[i];
			if (SegmentsCross(p, q, a, b) || DistanceToSegment(p, a, b) < BEAM_CLEARANCE
					|| DistanceToSegment(q, a, b) < BEAM_CLEARANCE)
				return true;
		}
		return false;
	}

	OGLPoint2D Where(const AutopilotView& view)
	{
		return {view.x, view.z};
	}

	// The nearest target of `kind` by the spot that the robot can walk to
	// without meeting a beam.
	const AutopilotTarget* NearestSupply(const AutopilotView& view, OGLPoint2D spot, AutopilotTargetKind kind)
	{
		const AutopilotTarget* best = nullptr;
		float bestDistance = 1e30f;
		for (const AutopilotTarget& t : view.targets)
		{
			if (t.kind != kind || std::hypot(t.x - spot.x, t.z - spot.y) > SUPPLY_SIGHT
					|| WalkMeetsBeam(view.machine, Where(view), {t.x, t.z}))
				continue;
			const float d = std::hypot(t.x - view.x, t.z - view.z);
			if (d < bestDistance)
			{
				bestDistance = d;
				best = &t;
			}
		}
		return best;
	}

	// Where to shoot a part from. Most are shot from the quarter's spot; one
	// whose aim mark lies off its body (an emitter's mark is in front of it)
	// is shot from behind, so the shot flies through the body on its way to
	// the mark: down the line from the mark through the body, a step to the
	// robot's side of it (that line is the part's beam).
	OGLPoint2D FiringSpot(const AutopilotView& view, const AutopilotTarget& part, OGLPoint2D spot)
	{
		const float off = std::hypot(part.aimDx, part.aimDz);
		if (off < AIM_OFF_BODY)
			return spot;
		const float ux = -part.aimDx / off, uz = -part.aimDz / off;
		const float side = (view.x - part.x) * -uz + (view.z - part.z) * ux >= 0 ? 1.0f : -1.0f;
		return {part.x + ux * SHOOT_FROM_BEHIND - uz * side * BEAM_SIDESTEP,
				part.z + uz * SHOOT_FROM_BEHIND + ux * side * BEAM_SIDESTEP};
	}

	// The nearest part of the machine in sight with a firing spot the robot can
	// walk to without meeting a beam, and a line of fire from there that clears
	// the column.
	const AutopilotTarget* PartInSight(const AutopilotView& view, OGLPoint2D spot, OGLPoint2D* from)
	{
		const OGLPoint2D centre = {view.machine.cx, view.machine.cz};
		const AutopilotTarget* best = nullptr;
		float bestDistance = QUARTER_SIGHT;
		for (const AutopilotTarget& t : view.targets)
		{
			if (t.kind != AUTOPILOT_TARGET_BOSS_PART)
				continue;
			const OGLPoint2D at = {t.x, t.z};
			const OGLPoint2D firing = FiringSpot(view, t, spot);
			const bool isColumn = std::hypot(at.x - centre.x, at.y - centre.y) < COLUMN_TARGET;
			if (!isColumn && DistanceToSegment(centre, firing, at) < COLUMN_CLEARANCE)
				continue;
			if (WalkMeetsBeam(view.machine, Where(view), firing))
				continue;
			const float d = std::hypot(t.x - view.x, t.z - view.z);
			if (d < bestDistance)
			{
				bestDistance = d;
				best = &t;
				*from = firing;
			}
		}
		return best;
	}

	// The route's nearest other boss spot that can be walked to without meeting a beam.
	size_t NeighbourQuarter(const Route& route, const AutopilotView& view, size_t from)
	{
		size_t best = from;
		float bestDistance = 1e30f;
		for (size_t i = 0; i < route.size(); i++)
		{
			if (i == from || route[i].verb != ROUTE_BOSS || WalkMeetsBeam(view.machine, Spot(route[from]), Spot(route[i])))
				continue;
			// Ties (the two neighbours) go the route's way round.
			const float d = std::hypot(route[i].x - route[from].x, route[i].z - route[from].z)
					+ (i > from ? 0.0f : 1.0f);
			if (d < bestDistance)
			{
				bestDistance = d;
				best = i;
			}
		}
		return best;
	}

	void Approach(VirtualInputFrame* frame, const AutopilotView& view, float x, float z)
	{
		const float d = std::hypot(x - view.x, z - view.z);
		AutopilotSteerToward(frame, view, x, z, std::min(GO_SPEED, STOP_GAIN * d));
	}

	// Walks up to a pod or pick-up and punches (a punch by a pick-up grabs it).
	void TakeSupply(VirtualInputFrame* frame, const AutopilotView& view, AutopilotState* state, const AutopilotTarget& t)
	{
		const float d = std::hypot(t.x - view.x, t.z - view.z);
		const float reach = t.kind == AUTOPILOT_TARGET_POD ? POD_PUNCH_REACH : GUN_GRAB_REACH;
		if (t.kind == AUTOPILOT_TARGET_ATOM || d > reach)
		{
			// Atoms are taken by touch; the rest walked right up to, facing them.
			AutopilotSteerToward(frame, view, t.x, t.z, std::min(GO_SPEED, 400 + STOP_GAIN * d));
			return;
		}
		AutopilotSteerForVelocity(frame, view, 0, 0);
		if (state->punchClock <= 0 && AutopilotPress(frame, *state, NEED_PUNCH))
			state->punchClock = AUTOPILOT_PUNCH_REPEAT;
	}

	// What the quarter offers that the robot wants now, if anything.
	const AutopilotTarget* WantedSupply(const AutopilotView& view, OGLPoint2D spot)
	{
		const AutopilotMachineView& m = view.machine;
		const bool wantsArms = !m.weaponCarried || m.shotsLeft < REARM_BELOW;
		if (wantsArms)
		{
			if (const AutopilotTarget* gun = NearestSupply(view, spot, AUTOPILOT_TARGET_PICKUP))
				return gun;
			if (const AutopilotTarget* pod = NearestSupply(view, spot, AUTOPILOT_TARGET_POD))
				return pod;
		}
		if (view.health < LOW_HEALTH)
			return NearestSupply(view, spot, AUTOPILOT_TARGET_ATOM);
		return nullptr;
	}

	void MoveOn(const Route& route, const AutopilotView& view, AutopilotState* state)
	{
		state->goalClock += view.dt;
		if (state->goalClock < MOVE_ON_AFTER)
			return;
		const size_t next = NeighbourQuarter(route, view, state->goal);
		if (next != state->goal)
			AutopilotStartGoal(view, state, next);
		state->settled = false;
		state->goalClock = 0;
	}
}

void AutopilotFightBossMachine(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state)
{
	frame->steering = {0, 0};
	const AutopilotMachineView& m = view.machine;
	const OGLPoint2D spot = Spot(route[state->goal]);
	const float toSpot = std::hypot(spot.x - view.x, spot.y - view.z);
	if (m.fallen)
	{
		AutopilotSteerForVelocity(frame, view, 0, 0);
		return;
	}
	if (!m.onPlinth)
	{
		// Off the plinth the floor throws the robot up: each bounce carries it on toward the spot.
		AutopilotSteerToward(frame, view, spot.x, spot.y, GO_SPEED);
		return;
	}

	if (const AutopilotTarget* supply = WantedSupply(view, spot))
	{
		state->goalClock = 0;
		TakeSupply(frame, view, state, *supply);
		return;
	}
	if (!m.weaponDrawn)
	{
		if (!m.weaponCarried)
		{
			// Nothing to arm with in this quarter (its pod is opened): on to the next.
			if (toSpot > SPOT_REACH)
				Approach(frame, view, spot.x, spot.y);
			else
				MoveOn(route, view, state);
			return;
		}
		AutopilotSteerForVelocity(frame, view, 0, 0);
		if (state->punchClock <= 0 && AutopilotPress(frame, *state, NEED_NEXT_WEAPON))
			state->punchClock = SWITCH_EVERY;
		return;
	}

	OGLPoint2D firing;
	const AutopilotTarget* part = PartInSight(view, spot, &firing);
	if (!part)
	{
		if (toSpot > SPOT_REACH)
			Approach(frame, view, spot.x, spot.y);
		else
			MoveOn(route, view, state);
		return;
	}
	state->goalClock = 0;
	// Settled on the firing spot it stays (turning to a part moves it a little)
	// until it has drifted well off.
	const float toFiring = std::hypot(firing.x - view.x, firing.y - view.z);
	if (toFiring > SPOT_LEAVE || (!state->settled && toFiring > SPOT_REACH))
	{
		state->settled = false;
		Approach(frame, view, firing.x, firing.y);
		return;
	}
	state->settled = true;
	const float dx = part->x - view.x, dz = part->z - view.z;
	const float off = std::remainder(std::atan2(-dx, -dz) - view.heading, 6.2831853f);
	if (std::fabs(off) > AIM_TOLERANCE)
	{
		// The robot faces the way it is pushed: a light push toward the part turns it there.
		OGLVector2D stick = SteeringForWorldDirection(dx, dz, view.cameraLookAngle);
		frame->steering = {stick.x * TURN_STICK, stick.y * TURN_STICK};
		return;
	}
	AutopilotSteerForVelocity(frame, view, 0, 0);
	// A part high overhead (a cannon on the raised lid) is waited for: the shot would pass under it.
	const float rise = part->y - view.y;
	if (rise > MAX_ELEVATION * std::hypot(dx, dz))
		return;
	if (state->punchClock <= 0 && AutopilotPress(frame, *state, NEED_SHOOT))
		state->punchClock = SHOOT_EVERY;
}
