// Shared bits of the autopilot's closed-loop tests: route goals made in a
// line, a robot standing in control, and a robot that goes where the stick
// points, so a test can play the autopilot against a stand-in world.
#pragma once

#include "Autopilot/Autopilot.h"
#include "Autopilot/AutopilotRoute.h"

namespace AutopilotTestSupport
{
	constexpr float DT = 1.0f / 30.0f;				// seconds a frame
	constexpr float WALK_SPEED = 900.0f;			// units a second at full stick

	inline RouteGoal At(RouteVerb verb, float x, float z)
	{
		RouteGoal g;
		g.verb = verb;
		g.x = x;
		g.z = z;
		return g;
	}

	inline RouteGoal Bare(RouteVerb verb, float value = 0)
	{
		RouteGoal g;
		g.verb = verb;
		g.value = value;
		return g;
	}

	// On the ground and in control at (x, z).
	inline AutopilotView Standing(float x, float z, bool holes = false)
	{
		AutopilotView view;
		view.x = x;
		view.z = z;
		view.onGround = true;
		view.inControl = true;
		view.groundHasHoles = holes;
		view.dt = DT;
		return view;
	}

	// A robot that goes where the stick points at a fixed speed (the camera looks along −z).
	inline void Walk(AutopilotView* view, const VirtualInputFrame& f)
	{
		view->x += f.steering.x * WALK_SPEED * DT;
		view->z += f.steering.y * WALK_SPEED * DT;
	}
}
