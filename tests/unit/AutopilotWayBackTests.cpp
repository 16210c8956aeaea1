// Back onto the way over open sky, and chases that get nowhere: the robot
// rejoins the route's line after a respawn or a throw instead of walking
// beside it, and leaves an atom it cannot get nearer to.
#include "Autopilot/AutopilotInternal.h"
#include "Autopilot/AutopilotRoute.h"

#include "AutopilotTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace AutopilotTestSupport;

namespace
{
	RouteGoal Goto(float x, float z)
	{
		return At(ROUTE_GOTO, x, z);
	}

	// Along z = 0 to x = 10000, then on to x = 20000; the robot had got to the
	// second leg, and comes back at (x, z). Returns how far off the line
	// (|z|) it is once it has walked to x = 6000 (or after 20 s).
	float OffLineAfterRespawnAt(float x, float z, bool holes)
	{
		const Route route = {Goto(10000, 0), Goto(20000, 0)};
		AutopilotState s;
		AutopilotStep(route, Standing(0, 0, holes), &s);
		AutopilotStartGoal(Standing(10000, 0, holes), &s, 1);
		AutopilotView view = Standing(x, z, holes);
		view.respawned = true;
		Walk(&view, AutopilotStep(route, view, &s));
		view.respawned = false;
		for (int i = 0; i < 30 * 20 && view.x < 6000; i++)
			Walk(&view, AutopilotStep(route, view, &s));
		EXPECT_EQ(s.goal, 0u) << "picked up on the first leg";
		return std::fabs(view.z);
	}
}

TEST(AutopilotWayBack, AfterARespawnBesideTheWayItStepsBackOntoItWhereTheGroundHasHoles)
{
	// A checkpoint 500 off the line: over open sky it rejoins the line...
	EXPECT_LT(OffLineAfterRespawnAt(3000, 500, true), 60.0f);
	EXPECT_LT(OffLineAfterRespawnAt(3000, -500, true), 60.0f);
	// ... on solid ground it may cut straight across to the goal.
	EXPECT_GT(OffLineAfterRespawnAt(3000, 500, false), 150.0f);
}

TEST(AutopilotWayBack, FarOffTheLegOverOpenSkyItHeadsBackToTheLegNotStraightForTheGoal)
{
	// Thrown 2000 off the leg from (0, 0) to (0, 10000), level with its middle.
	const Route route = {Goto(0, 10000)};
	for (bool holes : {true, false})
	{
		AutopilotState s;
		AutopilotStep(route, Standing(0, 0, holes), &s);
		AutopilotView view = Standing(2000, 5000, holes);
		VirtualInputFrame f = AutopilotStep(route, view, &s);
		if (holes)
		{
			EXPECT_LT(f.steering.x, -0.9f) << "west, back to the leg";
			float nearestToLine = 1e30f;
			for (int i = 0; i < 30 * 3; i++)
			{
				Walk(&view, AutopilotStep(route, view, &s));
				nearestToLine = std::min(nearestToLine, std::fabs(view.x));
			}
			EXPECT_LT(nearestToLine, 100.0f) << "back over the leg within three seconds";
		}
		else
		{
			// Solid ground: straight for the goal, mostly south.
			EXPECT_GT(f.steering.y, 0.85f);
			EXPECT_LT(f.steering.x, -0.2f);
		}
	}
}

TEST(AutopilotWayBack, AChaseThatGetsNoNearerIsGivenUpOnlyForAtomsInTheClouds)
{
	AutopilotView view = Standing(0, 0, true);
	AutopilotTarget atom = {AUTOPILOT_TARGET_ATOM, 600, 0, 0};
	AutopilotTarget human = {AUTOPILOT_TARGET_HUMAN, 600, 0, 0};
	AutopilotTarget enemy = {AUTOPILOT_TARGET_ENEMY, 600, 0, 0};
	AutopilotState s;
	AutopilotResetChaseWatch(&s);
	int stalledAt = -1;
	for (int i = 0; i < 30 * 3 && stalledAt < 0; i++)
	{
		EXPECT_FALSE(AutopilotChaseStalled(view, human, &s));
		EXPECT_FALSE(AutopilotChaseStalled(view, enemy, &s));
		if (AutopilotChaseStalled(view, atom, &s))
			stalledAt = i;
	}
	// Pressed against a post: given up after about a second and a half.
	EXPECT_GE(stalledAt, 40);
	EXPECT_LE(stalledAt, 50);

	// On solid ground the chase keeps its own patience.
	AutopilotResetChaseWatch(&s);
	AutopilotView solid = Standing(0, 0, false);
	for (int i = 0; i < 30 * 3; i++)
		EXPECT_FALSE(AutopilotChaseStalled(solid, atom, &s));

	// Getting nearer keeps the chase going however long it takes.
	AutopilotResetChaseWatch(&s);
	for (int i = 0; i < 30 * 4; i++)
	{
		view.x = float(i) * 4;			// 120 units a second
		EXPECT_FALSE(AutopilotChaseStalled(view, atom, &s)) << "frame " << i;
	}
}

TEST(AutopilotWayBack, AStalledAtomChaseHandsTheRobotBackToTheRoute)
{
	// The atom sits behind a post the (unmoving) robot presses against; the goal lies south.
	const Route route = {Goto(0, 8000)};
	AutopilotState s;
	AutopilotView view = Standing(0, 0, true);
	view.targets.push_back({AUTOPILOT_TARGET_ATOM, 500, 0, 0});
	VirtualInputFrame f;
	for (int i = 0; i < 30 * 2; i++)
		f = AutopilotStep(route, view, &s);
	EXPECT_GT(s.targetRest, 0.0f) << "the atom is left be";
	EXPECT_GT(f.steering.y, 0.5f) << "on toward the goal";
}
