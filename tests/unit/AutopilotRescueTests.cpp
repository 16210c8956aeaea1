// The autopilot as a player who knows what matters, closed-loop against a
// stand-in world: a human comes before a nearer atom, a captive's capsule is
// shot open with a weapon that breaks it (changed to first) and the captive
// then touched, and an unlit checkpoint post on the way is touched.
#include "Autopilot/Autopilot.h"
#include "Autopilot/AutopilotRoute.h"
#include "System/Input.h"

#include "AutopilotTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace AutopilotTestSupport;

namespace
{
	bool Held(const VirtualInputFrame& f, int need)
	{
		return f.needsHeld & (uint64_t(1) << need);
	}

	// The robot turns to face the way it walks.
	void WalkAndFace(AutopilotView* view, const VirtualInputFrame& f)
	{
		const float x = view->x, z = view->z;
		Walk(view, f);
		if (std::hypot(view->x - x, view->z - z) > 1)
			view->heading = std::atan2(-(view->x - x), -(view->z - z));
	}

	// Removes the targets the robot touches (within `reach`) of `kind`; true when one went.
	bool Touch(AutopilotView* view, AutopilotTargetKind kind, float reach)
	{
		auto& t = view->targets;
		const size_t before = t.size();
		t.erase(std::remove_if(t.begin(), t.end(), [&](const AutopilotTarget& a) {
			return a.kind == kind && std::hypot(a.x - view->x, a.z - view->z) < reach;
		}), t.end());
		return t.size() != before;
	}
}

TEST(AutopilotRescue, AHumanALittleFartherOffComesBeforeANearAtomAndBothAreTaken)
{
	// The way runs east; an atom lies 500 to the north, a human 900 to the south.
	const Route route = {At(ROUTE_GOTO, 8000, 0)};
	AutopilotView view = Standing(0, 0);
	view.targets = {{AUTOPILOT_TARGET_ATOM, 0, 0, -500}, {AUTOPILOT_TARGET_HUMAN, 0, 0, 900}};
	AutopilotState s;
	int humanAt = -1, atomAt = -1;
	for (int i = 0; i < 30 * 8 && (humanAt < 0 || atomAt < 0); i++)
	{
		Walk(&view, AutopilotStep(route, view, &s));
		if (Touch(&view, AUTOPILOT_TARGET_HUMAN, 60))
			humanAt = i;
		if (Touch(&view, AUTOPILOT_TARGET_ATOM, 60))
			atomAt = i;
	}
	ASSERT_GE(humanAt, 0) << "the human was rescued";
	ASSERT_GE(atomAt, 0) << "and the atom still taken after";
	EXPECT_LT(humanAt, atomAt);

	// Far enough off, an atom on the way still comes first.
	AutopilotView near = Standing(0, 0);
	near.targets = {{AUTOPILOT_TARGET_ATOM, 0, 0, -200}, {AUTOPILOT_TARGET_HUMAN, 0, 0, 1100}};
	AutopilotState s2;
	Walk(&near, AutopilotStep(route, near, &s2));
	EXPECT_LT(near.z, 0) << "the atom 200 off beats a human 1100 off";
}

TEST(AutopilotRescue, ItChangesToAWeaponThatBreaksACapsuleShootsItOpenFacingItAndTouchesTheCaptive)
{
	const Route route = {At(ROUTE_GOTO, 8000, 0)};
	AutopilotView view = Standing(0, 0);
	view.heading = PI / 2;				// facing −x, away from the capsule
	AutopilotTarget capsule = {AUTOPILOT_TARGET_CAPSULE, 900, 0, 300};
	capsule.wrongWeapon = true;		// the fist in hand; a gun carried
	view.targets = {capsule};
	AutopilotState s;
	int changes = 0, shotsUnfacing = 0;
	bool broken = false, rescued = false;
	for (int i = 0; i < 30 * 6 && !rescued; i++)
	{
		VirtualInputFrame f = AutopilotStep(route, view, &s);
		if (Held(f, NEED_NEXT_WEAPON) && !view.gunReady)
		{
			changes++;
			// One press brings the gun out.
			view.gunReady = true;
			for (AutopilotTarget& t : view.targets)
				t.wrongWeapon = false;
		}
		const float facingOff = std::fabs(std::remainder(
				std::atan2(-(capsule.x - view.x), -(capsule.z - view.z)) - view.heading, 2 * PI));
		if (Held(f, NEED_SHOOT) && !broken)
		{
			ASSERT_TRUE(view.gunReady) << "no shot with the fist in hand";
			if (facingOff > AUTOPILOT_AIM_CONE)
				shotsUnfacing++;
			// A shot that faces it breaks the glass: the captive is free.
			else if (std::hypot(capsule.x - view.x, capsule.z - view.z) < AUTOPILOT_SHOOT_RANGE)
			{
				broken = true;
				view.targets = {{AUTOPILOT_TARGET_HUMAN, capsule.x, 0, capsule.z}};
			}
		}
		WalkAndFace(&view, f);
		if (broken && Touch(&view, AUTOPILOT_TARGET_HUMAN, 60))
			rescued = true;
	}
	EXPECT_EQ(changes, 1);
	EXPECT_EQ(shotsUnfacing, 0);
	EXPECT_TRUE(broken);
	EXPECT_TRUE(rescued);
}

TEST(AutopilotRescue, AnUnlitCheckpointBesideTheWayIsTouchedAndTheRouteGoesOn)
{
	const Route route = {At(ROUTE_GOTO, 4000, 0)};
	AutopilotView view = Standing(0, 0);
	view.targets = {{AUTOPILOT_TARGET_CHECKPOINT, 1500, 0, -520}};
	AutopilotState s;
	bool touched = false;
	for (int i = 0; i < 30 * 10 && !s.routeDone; i++)
	{
		Walk(&view, AutopilotStep(route, view, &s));
		touched = touched || Touch(&view, AUTOPILOT_TARGET_CHECKPOINT, 60);
	}
	EXPECT_TRUE(touched);
	EXPECT_TRUE(s.routeDone);
}
