// Walking on after a lost life and going back for a missing charge: the
// route picked up again from the leg the robot is on, never a leg ahead.
#include "Autopilot/Autopilot.h"
#include "Autopilot/AutopilotRoute.h"

#include "AutopilotTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using AutopilotTestSupport::At;
using AutopilotTestSupport::Bare;
using AutopilotTestSupport::DT;
using AutopilotTestSupport::Walk;

namespace
{
	// Start (0, 0), then east along z = 0, north, the charge and the exit.
	Route FarmLikeRoute()
	{
		return {At(ROUTE_GOTO, 4000, 0), At(ROUTE_GOTO, 8000, 0), At(ROUTE_GOTO, 8000, 4000), Bare(ROUTE_CHARGE),
				At(ROUTE_EXIT, 8000, 4500)};
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

// Where the ground has holes.
namespace
{
	AutopilotView Standing(float x, float z)
	{
		return AutopilotTestSupport::Standing(x, z, true);
	}

	// Plays frames with the robot dead (out of control), then puts it back at (x, z).
	void DieAndComeBackAt(const Route& route, AutopilotState* s, float x, float z)
	{
		AutopilotView dead = Standing(0, 0);
		dead.inControl = false;
		for (int i = 0; i < 10; i++)
			AutopilotStep(route, dead, s);
		AutopilotView back = Standing(x, z);
		back.respawned = true;
		AutopilotStep(route, back, s);
	}
}

TEST(AutopilotRespawn, ResumesOnAnLShapedWayNeverPastItsGoal)
{
	// An L-shaped way: east along z = 0, then north along x = 10000.
	const Route route = {At(ROUTE_GOTO, 5000, 0), At(ROUTE_GOTO, 10000, 0), At(ROUTE_GOTO, 10000, 8000),
			At(ROUTE_GOTO, 10000, 16000)};
	EXPECT_EQ(AutopilotResumeGoal(route, 0, 0, 3, 0, 0), 0u) << "put back at the start: the whole way again";
	EXPECT_EQ(AutopilotResumeGoal(route, 0, 0, 3, 7000, 100), 1u);
	EXPECT_EQ(AutopilotResumeGoal(route, 0, 0, 3, 10100, 9000), 3u) << "already on the goal's own leg";
	EXPECT_EQ(AutopilotResumeGoal(route, 0, 0, 1, 10000, 15000), 1u) << "a later leg is not skipped to";
}

TEST(AutopilotRespawn, WalksBackAlongTheWayAndPassesOverABossItHadDone)
{
	const Route route = {At(ROUTE_GOTO, 0, 4000), At(ROUTE_BOSS, 4000, 4000), At(ROUTE_GOTO, 8000, 4000),
			At(ROUTE_GOTO, 8000, 8000)};
	AutopilotState s;
	AutopilotStep(route, Standing(0, 0), &s);		// the start
	AutopilotStartGoal(Standing(8000, 4000), &s, 3);
	DieAndComeBackAt(route, &s, 0, 500);
	EXPECT_EQ(s.goal, 0u) << "back on the first leg";
	EXPECT_EQ(s.resumeGoal, 3u);

	// Reaching the first goal, the boss spot is passed over for the next way goal.
	AutopilotStep(route, Standing(0, 3950), &s);
	AutopilotStep(route, Standing(0, 3950), &s);
	EXPECT_EQ(s.goal, 2u);
	AutopilotStep(route, Standing(8000, 4000), &s);
	AutopilotStep(route, Standing(8000, 4000), &s);
	EXPECT_EQ(s.goal, 3u);
	EXPECT_EQ(s.resumeGoal, SIZE_MAX) << "back at its goal: the walk back is over";
}

TEST(AutopilotRespawn, OnSolidGroundItWalksBackWithoutPassingOverTasks)
{
	const Route route = {At(ROUTE_GOTO, 0, 4000), At(ROUTE_PUNCH, 4000, 4000), At(ROUTE_GOTO, 8000, 4000)};
	AutopilotView start = Standing(0, 0);
	start.groundHasHoles = false;
	AutopilotState s;
	AutopilotStep(route, start, &s);
	AutopilotStartGoal(start, &s, 2);
	AutopilotView dead = start;
	dead.inControl = false;
	AutopilotStep(route, dead, &s);
	AutopilotView back = start;
	back.respawned = true;
	AutopilotStep(route, back, &s);
	EXPECT_EQ(s.goal, 0u) << "back at the start: the way again";
	EXPECT_EQ(s.resumeGoal, SIZE_MAX) << "no open sky: tasks on the way are done again, not skipped";
}

TEST(AutopilotRespawn, StuckBesideOpenSkyItOnlyJumps)
{
	const Route route = {At(ROUTE_GOTO, 5000, 0)};
	AutopilotState s;
	AutopilotView view = Standing(0, 0);
	view.groundHasHoles = true;
	for (int i = 0; i < 30 * 20; i++)
	{
		AutopilotStep(route, view, &s);		// a wall: it never gets anywhere
		EXPECT_NE(s.recovery, AUTOPILOT_RECOVER_SIDESTEP) << "frame " << i;
		view.onGround = s.recovery == AUTOPILOT_RECOVER_NONE || s.recoveryClock > 0.5f;
	}
	EXPECT_GE(s.recoveries, 4) << "it kept trying";
	view.groundHasHoles = false;
	AutopilotState t;
	bool sidestepped = false;
	for (int i = 0; i < 30 * 20; i++)
	{
		AutopilotStep(route, view, &t);
		sidestepped = sidestepped || t.recovery == AUTOPILOT_RECOVER_SIDESTEP;
		view.onGround = t.recovery == AUTOPILOT_RECOVER_NONE || t.recoveryClock > 0.5f;
	}
	EXPECT_TRUE(sidestepped) << "on solid ground the step aside stays";
}

TEST(AutopilotRespawn, OnSolidGroundABossShotDownIsPassedOverButATaskOnTheWayIsDoneAgain)
{
	auto Solid = [](float x, float z) { return AutopilotTestSupport::Standing(x, z, false); };
	// An arena: two boss spots, a punch between them, and the boss it died at.
	const Route route = {At(ROUTE_GOTO, 0, 2000), At(ROUTE_BOSS, 3000, 2000), At(ROUTE_PUNCH, 3000, 5000),
			At(ROUTE_BOSS, 0, 5000), At(ROUTE_BOSS, -3000, 5000)};
	AutopilotState s;
	AutopilotStep(route, Solid(0, 0), &s);
	AutopilotStartGoal(Solid(0, 5000), &s, 4);
	AutopilotView dead = Solid(-2500, 5000);
	dead.inControl = false;
	AutopilotStep(route, dead, &s);
	AutopilotView back = Solid(0, 0);
	back.respawned = true;
	AutopilotStep(route, back, &s);
	EXPECT_EQ(s.goal, 0u) << "back at the start: the way in first";
	EXPECT_EQ(s.resumeGoal, 4u);
	AutopilotStep(route, Solid(0, 1950), &s);
	AutopilotStep(route, Solid(0, 1950), &s);
	EXPECT_EQ(s.goal, 2u) << "the first boss spot passed over, the punch done again";
	AutopilotStep(route, Solid(3000, 5000), &s);
	AutopilotStep(route, Solid(3000, 5000), &s);
	AutopilotStep(route, Solid(3000, 5000), &s);
	EXPECT_EQ(s.goal, 4u) << "the punch done, the second boss spot passed over for the one it died at";
	EXPECT_EQ(s.resumeGoal, SIZE_MAX);
}
