// The autopilot at a boss: with nothing held that hurts it, it waits by the
// goal a while, then walks back to the route's start for weapons, and comes
// back to fight once armed (or to wait again when nothing was there); standing
// to shoot, it steps aside from a tentacle tip about to reach it.
#include "Enemies/JungleBoss.h"
#include "System/Objects.h"
#include "Autopilot/Autopilot.h"
#include "Autopilot/AutopilotRoute.h"
#include "System/Input.h"

#include "AutopilotTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace AutopilotTestSupport;

namespace
{
	bool Held(const VirtualInputFrame& f, int need)
	{
		return f.needsHeld & (uint64_t(1) << need);
	}

	constexpr float GOAL_Z = -3000;			// the boss goal, straight ahead of the start
	constexpr float PART_Z = -3500;			// the boss part beyond it

	// One frame of the stand-in arena: the part is seen while within the boss
	// area of the robot, hurt by what is held only once `armed`.
	VirtualInputFrame Step(const Route& route, AutopilotView* view, AutopilotState* s, bool armed)
	{
		view->targets.clear();
		if (std::hypot(view->x, view->z - PART_Z) < AUTOPILOT_BOSS_AREA)
		{
			AutopilotTarget part = {AUTOPILOT_TARGET_BOSS_PART, 0, 0, PART_Z};
			part.noWeapon = !armed;
			view->targets.push_back(part);
		}
		VirtualInputFrame f = AutopilotStep(route, *view, s);
		Walk(view, f);
		return f;
	}
}

TEST(AutopilotRearm, UnarmedAtABossItWaitsThenFetchesWeaponsFromTheStartAndComesBackToShoot)
{
	Route route = {At(ROUTE_BOSS, 0, GOAL_Z)};
	AutopilotView view = Standing(0, 0);
	view.bossLevel = true;
	view.gunReady = true;
	AutopilotState s;

	// To the goal, then held there a while with no shot taken.
	int frame = 0, arrived = -1, leftGoal = -1, backAtStart = -1;
	for (; frame < 30 * 40 && backAtStart < 0; frame++)
	{
		VirtualInputFrame f = Step(route, &view, &s, false);
		EXPECT_FALSE(Held(f, NEED_SHOOT)) << "frame " << frame;
		float toGoal = std::hypot(view.x, view.z - GOAL_Z);
		if (arrived < 0 && toGoal < AUTOPILOT_REACH)
			arrived = frame;
		if (arrived >= 0 && leftGoal < 0 && toGoal > 2 * AUTOPILOT_REACH)
			leftGoal = frame;
		if (leftGoal >= 0 && std::hypot(view.x, view.z) < AUTOPILOT_REACH)
			backAtStart = frame;
	}
	ASSERT_GE(arrived, 0) << "it never reached the boss goal";
	ASSERT_GE(leftGoal, 0) << "it waited by the boss for ever";
	EXPECT_GE(leftGoal - arrived, int(AUTOPILOT_BOSS_REARM_WAIT / DT) - 30) << "it left before the weapons could come back";
	ASSERT_GE(backAtStart, 0) << "it never got back to where the weapons lay";
	EXPECT_EQ(s.goal, 0u);

	// Armed there: back to the boss and shooting, the goal not given up.
	int shots = 0;
	for (int i = 0; i < 30 * 15; i++)
		shots += Held(Step(route, &view, &s, true), NEED_SHOOT) ? 1 : 0;
	EXPECT_GT(shots, 0);
	EXPECT_LT(std::hypot(view.x, view.z - GOAL_Z), AUTOPILOT_BOSS_AREA);
	EXPECT_EQ(s.goal, 0u);
}

TEST(AutopilotRearm, FindingNothingAtTheStartItGoesBackToWaitByTheBossRatherThanStandingThere)
{
	Route route = {At(ROUTE_BOSS, 0, GOAL_Z)};
	AutopilotView view = Standing(0, 0);
	view.bossLevel = true;
	view.gunReady = true;
	AutopilotState s;

	// Two round trips at least: never stuck at either end.
	int visitsToStart = 0, visitsToGoal = 0;
	bool atStart = true, atGoal = false;
	for (int i = 0; i < 30 * 60; i++)
	{
		Step(route, &view, &s, false);
		bool nowStart = std::hypot(view.x, view.z) < AUTOPILOT_REACH;
		bool nowGoal = std::hypot(view.x, view.z - GOAL_Z) < AUTOPILOT_REACH;
		visitsToStart += nowStart && !atStart ? 1 : 0;
		visitsToGoal += nowGoal && !atGoal ? 1 : 0;
		atStart = nowStart;
		atGoal = nowGoal;
	}
	EXPECT_GE(visitsToGoal, 2);
	EXPECT_GE(visitsToStart, 2);
}

namespace
{
	// Standing in shooting range of an armed part, one tentacle growing with
	// its tip `tipAhead` units from the robot along −z, heading `heading`.
	VirtualInputFrame StepBesideTentacle(float robotX, float tipAhead, float heading)
	{
		for (Tentacle& t : gTentacles)
			t.isUsed = false;
		Tentacle& t = gTentacles[0];
		t.isUsed = true;
		t.mode = TENTACLE_GROWING;
		t.heading = heading;
		t.head = {0, 0, tipAhead};
		t.numPoints = 2;
		ObjectDef def = {};
		def.genre = NODRAW_GENRE;
		def.slot = 100;
		def.scale = 1;
		ObjNode* generator = MakeNewObject(&def);
		t.owner = ObjNodeRef(generator);
		Route route = {At(ROUTE_BOSS, robotX, 0)};
		AutopilotView view = Standing(robotX, 0);
		view.bossLevel = true;
		view.gunReady = true;
		view.targets = {AutopilotTarget{AUTOPILOT_TARGET_BOSS_PART, 0, 0, -600}};
		AutopilotState s;
		VirtualInputFrame f = AutopilotStep(route, view, &s);
		t.isUsed = false;
		t.owner.Clear();
		DeleteObject(generator);
		return f;
	}
}

TEST(AutopilotTentacleDodge, StepsAcrossATipComingAtItToTheSideItStandsOnAndIgnoresOnesPastOrFar)
{
	// A tip 200 units behind (+z), heading −z (heading 0) at the robot: the
	// robot, a little to the right (+x) of its line, steps right.
	VirtualInputFrame f = StepBesideTentacle(30, 200, 0);
	EXPECT_GT(f.steering.x, 0.5f);
	EXPECT_NEAR(f.steering.y, 0, 0.1f);
	// To the left of its line: steps left.
	f = StepBesideTentacle(-30, 200, 0);
	EXPECT_LT(f.steering.x, -0.5f);

	// Heading away (+z, heading π): past the robot, nothing to dodge; it stands to shoot.
	f = StepBesideTentacle(30, 200, PI);
	EXPECT_EQ(f.steering.x, 0);
	EXPECT_EQ(f.steering.y, 0);
	// Coming but still far: it stands.
	f = StepBesideTentacle(30, AUTOPILOT_TENTACLE_DODGE_RANGE + 100, 0);
	EXPECT_EQ(f.steering.x, 0);
	EXPECT_EQ(f.steering.y, 0);
}

TEST(AutopilotTentacleDodge, ATentacleLeftOverWithoutItsGeneratorIsNoThreat)
{
	// As after leaving the arena: the slot still says growing, but nothing made it.
	Tentacle& t = gTentacles[0];
	t = Tentacle{};
	t.isUsed = true;
	t.mode = TENTACLE_GROWING;
	t.head = {0, 0, 200};
	t.numPoints = 2;
	Route route = {At(ROUTE_BOSS, 30, 0)};
	AutopilotView view = Standing(30, 0);
	view.bossLevel = true;
	view.gunReady = true;
	view.targets = {AutopilotTarget{AUTOPILOT_TARGET_BOSS_PART, 0, 0, -600}};
	AutopilotState s;
	VirtualInputFrame f = AutopilotStep(route, view, &s);
	t.isUsed = false;
	EXPECT_EQ(f.steering.x, 0);
	EXPECT_EQ(f.steering.y, 0);
}
