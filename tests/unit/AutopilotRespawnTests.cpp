// Walking on after a lost life and going back for a missing charge: the
// route picked up again from the leg the robot is on, never a leg ahead.
#include "Player/Autopilot.h"
#include "Player/AutopilotRoute.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
	constexpr float DT = 1.0f / 30.0f;

	RouteGoal At(RouteVerb verb, float x, float z)
	{
		RouteGoal g;
		g.verb = verb;
		g.x = x;
		g.z = z;
		return g;
	}

	RouteGoal Bare(RouteVerb verb)
	{
		RouteGoal g;
		g.verb = verb;
		return g;
	}

	// Start (0, 0), then east along z = 0, north, the charge and the exit.
	Route FarmLikeRoute()
	{
		return {At(ROUTE_GOTO, 4000, 0), At(ROUTE_GOTO, 8000, 0), At(ROUTE_GOTO, 8000, 4000), Bare(ROUTE_CHARGE),
				At(ROUTE_EXIT, 8000, 4500)};
	}

	// A robot that goes where the stick points at a fixed speed (the camera looks along −z).
	void Walk(AutopilotView* view, const VirtualInputFrame& f)
	{
		view->x += f.steering.x * 900 * DT;
		view->z += f.steering.y * 900 * DT;
	}
}

TEST(AutopilotRespawn, ResumesOnTheLegNearestTheRespawnPointButNeverAhead)
{
	Route route = FarmLikeRoute();
	// Back at the start while waiting for the charge: the whole way again.
	EXPECT_EQ(AutopilotResumeGoal(route, 0, 0, 3, 0, 0), 0u);
	// At a checkpoint beside the second leg: on to its end.
	EXPECT_EQ(AutopilotResumeGoal(route, 0, 0, 3, 6000, -500), 1u);
	// Beside the third leg, the one it was on: that goal again.
	EXPECT_EQ(AutopilotResumeGoal(route, 0, 0, 2, 8300, 2000), 2u);
	// Near a later leg than the goal reached so far: no skipping ahead.
	EXPECT_EQ(AutopilotResumeGoal(route, 0, 0, 1, 8000, 3500), 1u);
	// Right where two legs meet, the first of them is walked already.
	EXPECT_EQ(AutopilotResumeGoal(route, 0, 0, 3, 4000, 0), 1u);
	// A resumed leg that leads up to the charge does the charge again on the way.
	EXPECT_EQ(AutopilotResumeGoal(route, 0, 0, 4, 8000, 4300), 3u);
	EXPECT_EQ(AutopilotResumeGoal({}, 0, 0, 0, 10, 10), 0u);
}

TEST(AutopilotRespawn, AfterALostLifeItWalksOnFromTheRespawnPointInsteadOfStandingAtTheCharge)
{
	Route route = FarmLikeRoute();
	AutopilotView view;
	view.inControl = true;
	view.onGround = true;
	view.dt = DT;
	AutopilotState state;
	AutopilotStep(route, view, &state);				// first frame in control: the start is here
	AutopilotStartGoal(view, &state, 3);				// it had got as far as the charge
	view.x = 4000;										// ... and comes back at a checkpoint on the way
	view.z = 0;
	view.respawned = true;
	VirtualInputFrame f = AutopilotStep(route, view, &state);
	EXPECT_EQ(state.goal, 1u);
	EXPECT_GT(f.steering.x, 0.5f) << "heads on east along the way";
	view.respawned = false;
	for (int i = 0; i < 30 * 30 && state.goal < 3; i++)
		Walk(&view, AutopilotStep(route, view, &state));
	EXPECT_EQ(state.goal, 3u) << "back at the charge goal along the route";
}

TEST(AutopilotRespawn, ShortOfChargeItWalksTheWayBackAndOnceChargedPicksTheRouteUpFromThere)
{
	Route route = FarmLikeRoute();
	AutopilotView view;
	view.inControl = true;
	view.onGround = true;
	view.dt = DT;
	AutopilotState state;
	AutopilotStep(route, view, &state);
	view.x = 8000;
	view.z = 4000;
	AutopilotStartGoal(view, &state, 3);
	// A little while it waits standing.
	VirtualInputFrame f = AutopilotStep(route, view, &state);
	EXPECT_EQ(f.steering.x, 0);
	EXPECT_EQ(f.steering.y, 0);
	// Then it goes back down the way: to the third leg's start, then on west.
	float nearestToStart = 1e30f;
	for (int i = 0; i < 30 * 20; i++)
	{
		Walk(&view, AutopilotStep(route, view, &state));
		nearestToStart = std::min(nearestToStart, std::hypot(view.x, view.z));
	}
	EXPECT_EQ(state.goal, 3u) << "still the charge goal while searching";
	EXPECT_LT(nearestToStart, 300.0f) << "walked all the way back to the start";
	// Charged somewhere on the way: on along the route from the leg it is on, not straight to the exit.
	view.exitCharged = true;
	AutopilotStep(route, view, &state);
	EXPECT_LT(state.goal, 3u);
	for (int i = 0; i < 30 * 40 && !state.routeDone; i++)
		Walk(&view, AutopilotStep(route, view, &state));
	EXPECT_TRUE(state.routeDone);
	EXPECT_LT(std::hypot(view.x - 8000, view.z - 4500), AUTOPILOT_EXIT_REACH + 40);
}
