// The autopilot back in play after a lost life where the ground has holes: it
// walks the route again from the leg nearest where it was put back, passes
// over the tasks it had done, and never steps aside to get unstuck.
#include "Player/Autopilot.h"
#include "Player/AutopilotInternal.h"

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

	AutopilotView Standing(float x, float z)
	{
		AutopilotView view;
		view.x = x;
		view.z = z;
		view.onGround = true;
		view.inControl = true;
		view.groundHasHoles = true;
		view.dt = DT;
		return view;
	}

	// Plays frames with the robot dead (out of control), then puts it back at (x, z).
	void DieAndComeBackAt(const Route& route, AutopilotState* s, float x, float z)
	{
		AutopilotView dead = Standing(0, 0);
		dead.inControl = false;
		dead.dead = true;
		for (int i = 0; i < 10; i++)
			AutopilotStep(route, dead, s);
		AutopilotStep(route, Standing(x, z), s);
	}
}

TEST(AutopilotRespawn, ResumesOnTheLegNearestWhereItStandsNeverPastItsGoal)
{
	// An L-shaped way: east along z = 0, then north along x = 10000.
	const Route route = {At(ROUTE_GOTO, 5000, 0), At(ROUTE_GOTO, 10000, 0), At(ROUTE_GOTO, 10000, 8000),
			At(ROUTE_GOTO, 10000, 16000)};
	EXPECT_EQ(AutopilotResumeGoal(route, 3, 0, 0, 0, 0), 0u) << "put back at the start: the whole way again";
	EXPECT_EQ(AutopilotResumeGoal(route, 3, 0, 0, 7000, 100), 1u);
	EXPECT_EQ(AutopilotResumeGoal(route, 3, 0, 0, 10100, 9000), 3u) << "already on the goal's own leg";
	EXPECT_EQ(AutopilotResumeGoal(route, 1, 0, 0, 10000, 15000), 1u) << "a later leg is not skipped to";
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

TEST(AutopilotRespawn, OnSolidGroundItHeadsStraightBackForItsGoal)
{
	const Route route = {At(ROUTE_GOTO, 0, 4000), At(ROUTE_GOTO, 8000, 4000), At(ROUTE_GOTO, 8000, 8000)};
	AutopilotView start = Standing(0, 0);
	start.groundHasHoles = false;
	AutopilotState s;
	AutopilotStep(route, start, &s);
	AutopilotStartGoal(start, &s, 2);
	AutopilotView dead = start;
	dead.inControl = false;
	dead.dead = true;
	AutopilotStep(route, dead, &s);
	AutopilotStep(route, start, &s);
	EXPECT_EQ(s.goal, 2u);
	EXPECT_EQ(s.resumeGoal, SIZE_MAX);
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
