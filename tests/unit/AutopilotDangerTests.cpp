// The autopilot's dangers: the push out of a creature's reach (a sector in
// front of a flytrap, a circle round a mantis) and a walk along a route past
// a flytrap that snaps across it, driven closed-loop through the game's own
// camera-relative steering.
#include "Autopilot/Autopilot.h"
#include "Autopilot/AutopilotDangers.h"
#include "Player/PlayerInternal.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
	constexpr float DT = 1.0f / 30.0f;

	// A flytrap at the origin facing +x (a creature faces (−sin h, −cos h)).
	AutopilotDanger FlytrapFacingPlusX()
	{
		return {0, 0, 600, -PI / 2, PI / 3};
	}

	float Length(OGLVector2D v)
	{
		return std::hypot(v.x, v.y);
	}

	// Walks a view along a straight route with the dangers given; returns the
	// frames to the goal and the nearest it came to (0, 0) while in front of it.
	int Walk(const std::vector<AutopilotDanger>& dangers, float* nearestInFront)
	{
		Route route;
		RouteGoal goal;
		goal.verb = ROUTE_GOTO;
		goal.x = 0;
		goal.z = 3000;
		route.push_back(goal);
		AutopilotView view;
		view.x = 300;
		view.z = -3000;
		view.onGround = view.inControl = true;
		view.dt = DT;
		view.cameraLookAngle = 0.8f;
		view.dangers = dangers;
		AutopilotState state;
		*nearestInFront = 1e9f;
		for (int frame = 0; frame < 600; frame++)
		{
			VirtualInputFrame f = AutopilotStep(route, view, &state);
			if (state.routeDone)
				return frame;
			OGLVector2D push = PlayerSteeringDirection(f.steering, view.cameraLookAngle);
			view.dx = push.x * 800;
			view.dz = push.y * 800;
			view.x += view.dx * DT;
			view.z += view.dz * DT;
			view.cameraLookAngle -= 0.3f * DT;
			if (view.x > 0)
				*nearestInFront = std::min(*nearestInFront, std::hypot(view.x, view.z));
		}
		return 600;
	}
}

TEST(AutopilotDangers, APushStartsAtTheMarginGrowsInwardAndPointsAwayFromTheCreature)
{
	const std::vector<AutopilotDanger> dangers = {FlytrapFacingPlusX()};
	const float edge = 600 + AUTOPILOT_DANGER_MARGIN;
	EXPECT_EQ(Length(AutopilotDangerPush(dangers, edge + 10, 0)), 0) << "clear beyond the margin";
	float outer = Length(AutopilotDangerPush(dangers, edge - 50, 0));
	float inner = Length(AutopilotDangerPush(dangers, 300, 0));
	EXPECT_GT(outer, 0);
	EXPECT_GT(inner, outer) << "deeper in, a stronger push";
	EXPECT_LE(inner, 1.0f);
	OGLVector2D push = AutopilotDangerPush(dangers, 300, 100);
	EXPECT_GT(push.x, 0);
	EXPECT_GT(push.y, 0) << "away from the plant, along the line from it";
	EXPECT_NEAR(push.y / push.x, 100.0f / 300.0f, 1e-3f);
}

TEST(AutopilotDangers, ASectorLeavesItsBackAndSidesAloneAndACircleDoesNot)
{
	const std::vector<AutopilotDanger> flytrap = {FlytrapFacingPlusX()};
	EXPECT_EQ(Length(AutopilotDangerPush(flytrap, -300, 0)), 0) << "behind it";
	EXPECT_EQ(Length(AutopilotDangerPush(flytrap, 0, 300)), 0) << "beside it, well past its cone";
	EXPECT_GT(Length(AutopilotDangerPush(flytrap, 300, 250)), 0) << "inside the cone's edge";
	AutopilotDanger mantis = {0, 0, 600, 0, PI};
	EXPECT_GT(Length(AutopilotDangerPush({mantis}, -300, 0)), 0);
	EXPECT_GT(Length(AutopilotDangerPush({mantis}, 0, 300)), 0);
	// Two dangers add up.
	EXPECT_GT(Length(AutopilotDangerPush({mantis, mantis}, 300, 0)), Length(AutopilotDangerPush({mantis}, 300, 0)) * 1.5f);
}

TEST(AutopilotDangers, TheRobotSkirtsAFlytrapSnappingAcrossItsRouteAndStillArrives)
{
	float nearestWithout = 0, nearestWith = 0;
	int plain = Walk({}, &nearestWithout);
	ASSERT_LT(nearestWithout, 400) << "the straight route runs through the plant's reach";
	int skirting = Walk({FlytrapFacingPlusX()}, &nearestWith);
	EXPECT_GT(nearestWith, 600) << "it kept out of the plant's reach";
	EXPECT_LT(skirting, 600) << "and still got to the goal";
	EXPECT_GE(skirting, plain);
}

TEST(AutopilotDangers, AStandingRobotIsNotMovedTheSpeedIsKeptAndTheSaucerIgnoresDangers)
{
	AutopilotView view;
	view.x = 300;
	view.dangers = {FlytrapFacingPlusX()};
	float stillX = 0, stillZ = 0;
	BendAwayFromDangers(view, &stillX, &stillZ);
	EXPECT_EQ(stillX, 0);
	EXPECT_EQ(stillZ, 0);
	float wantX = -800, wantZ = 0;		// straight at the plant
	BendAwayFromDangers(view, &wantX, &wantZ);
	EXPECT_NEAR(std::hypot(wantX, wantZ), 800, 0.5f);
	EXPECT_GT(wantX, -400) << "no longer heading in";
	view.flying = true;
	float flyX = -800, flyZ = 0;
	BendAwayFromDangers(view, &flyX, &flyZ);
	EXPECT_EQ(flyX, -800);
	EXPECT_EQ(flyZ, 0);
}
