// The autopilot's brain fight from made-up views: when it fires (late in
// the opening, while open or closing, never at the shut brain or early in
// the opening), running from a homing shot, backing off from a shut brain
// close by, changing to a weapon that hurts it, and picking up its spill
// before moving on.
#include "Autopilot/Autopilot.h"
#include "Player/PlayerInternal.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
	constexpr float DT = 1.0f / 30.0f;

	bool Held(const VirtualInputFrame& f, int need)
	{
		return f.needsHeld & (uint64_t(1) << need);
	}

	struct BrainFight : ::testing::Test
	{
		Route route;
		AutopilotView view;
		AutopilotState state;

		void SetUp() override
		{
			RouteGoal goal;
			goal.verb = ROUTE_BOSS;
			goal.x = 0;
			goal.z = 0;
			route.push_back(goal);
			RouteGoal exit;
			exit.verb = ROUTE_GOTO;
			exit.x = 5000;
			exit.z = 0;
			route.push_back(exit);
			view.onGround = view.inControl = true;
			view.bossLevel = true;
			view.gunReady = true;
			view.dt = DT;
			// The robot 1300 south of the brain, facing it (a heading θ faces (−sin θ, −cos θ)).
			view.x = 0;
			view.z = 1300;
			view.heading = 0;
			view.brain.hunting = true;
			view.brain.hurtsNow = true;
		}

		VirtualInputFrame Step()
		{
			return AutopilotStep(route, view, &state);
		}

		// The world direction the stick pushes the robot.
		OGLVector2D Push(const VirtualInputFrame& f) const
		{
			return PlayerSteeringDirection(f.steering, view.cameraLookAngle);
		}
	};
}

TEST_F(BrainFight, FiresLateInTheOpeningAndWhileItClosesButNeverAtTheShutBrain)
{
	struct Case { float width; bool opening, closing, fires; const char* what; };
	const Case cases[] = {
		{0, false, false, false, "shut: a hit does nothing"},
		{0.2f, true, false, false, "early in the opening: the hit would shut it at once"},
		{0.8f, true, false, true, "late in the opening: the first hit lands before it shoots"},
		{1.0f, false, false, true, "open"},
		{0.5f, false, true, true, "closing: every hit still counts"},
	};
	for (const Case& c : cases)
	{
		state = AutopilotState{};
		view.brain.width = c.width;
		view.brain.opening = c.opening;
		view.brain.closing = c.closing;
		EXPECT_EQ(Held(Step(), NEED_SHOOT), c.fires) << c.what;
	}
}

TEST_F(BrainFight, HoldsFireWhileNotFacingIt)
{
	view.heading = PI / 2;		// facing −x, the brain is to the north
	view.brain.width = 1;
	VirtualInputFrame f = Step();
	EXPECT_FALSE(Held(f, NEED_SHOOT));
	EXPECT_GT(std::hypot(f.steering.x, f.steering.y), 0.0f) << "it walks to turn toward it";
}

TEST_F(BrainFight, RunsFromAComingShotAndIgnoresOneFlyingAway)
{
	view.brain.width = 1;
	view.brain.numShots = 1;
	view.brain.shotAt[0] = {0, 700};
	view.brain.shotDelta[0] = {0, 700};		// toward the robot, south
	VirtualInputFrame f = Step();
	EXPECT_FALSE(Held(f, NEED_SHOOT));
	EXPECT_GT(Push(f).y, 0.9f) << "straight on away from it, south";

	state = AutopilotState{};
	view.brain.shotDelta[0] = {0, -700};		// flying north, away
	EXPECT_TRUE(Held(Step(), NEED_SHOOT));
}

TEST_F(BrainFight, BacksOffFromTheShutBrainCloseByButStandsToShootItOpen)
{
	view.z = 800;
	VirtualInputFrame f = Step();
	EXPECT_GT(Push(f).y, 0.5f) << "away from the shut brain";

	state = AutopilotState{};
	view.brain.width = 1;
	f = Step();
	EXPECT_TRUE(Held(f, NEED_SHOOT));
}

TEST_F(BrainFight, DrawsAnotherWeaponWhenTheOneInHandDoesNotHurtIt)
{
	view.brain.hurtsNow = false;
	view.brain.hurtsOther = true;
	view.brain.width = 1;
	VirtualInputFrame f = Step();
	EXPECT_TRUE(Held(f, NEED_NEXT_WEAPON));
	EXPECT_FALSE(Held(f, NEED_SHOOT));
}

TEST_F(BrainFight, AfterItsDeathPicksUpItsSpillWhereItFellThenMovesOn)
{
	view.brain.x = 400;
	view.brain.z = 0;
	Step();
	ASSERT_TRUE(state.brainSeen);

	view.brain = AutopilotBrainView{};
	view.bossDead = true;
	VirtualInputFrame f = Step();
	EXPECT_GT(Push(f).x, 0.2f) << "toward where it fell";
	EXPECT_EQ(state.goal, 0u);

	view.x = 400;
	view.z = 0;
	int frames = 0;
	while (state.goal == 0 && frames < 300)
	{
		Step();
		frames++;
	}
	EXPECT_EQ(state.goal, 1u);
	EXPECT_GT(frames, 30) << "it waits there a moment for the spill";
}
