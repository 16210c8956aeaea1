// The autopilot's decisions, driven closed-loop against a simple mover that
// steers the way the robot does (the game's own camera-relative turn), and
// the route files: their reader's checks and the routes the worlds bake.
#include "Autopilot/Autopilot.h"
#include "Autopilot/AutopilotRoute.h"
#include "Autopilot/AutopilotInternal.h"
#include "Autopilot/AutopilotDangers.h"
#include "Player/PlayerInternal.h"
#include "Automation/AutomationChecks.h"
#include "System/Input.h"

#include "AutopilotTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace AutopilotTestSupport;

namespace
{
	bool Held(const VirtualInputFrame& f, int need)
	{
		return f.needsHeld & (uint64_t(1) << need);
	}

	// A body on flat ground that moves like the robot: the stick turned by the
	// camera into a world push, a top speed, friction when the stick is let go.
	// `blocked` keeps it from moving (a wall it cannot pass).
	struct Mover
	{
		AutopilotView view;
		bool blocked = false;
		float cameraSpin = 0.7f;		// radians per second the camera swings round

		Mover(float x, float z)
		{
			view.x = x;
			view.z = z;
			view.onGround = true;
			view.inControl = true;
			view.dt = DT;
			view.cameraLookAngle = 0.3f;
		}

		void Apply(const VirtualInputFrame& f)
		{
			OGLVector2D push = PlayerSteeringDirection(f.steering, view.cameraLookAngle);
			view.dx += push.x * 2200 * DT;
			view.dz += push.y * 2200 * DT;
			float speed = std::hypot(view.dx, view.dz);
			if (speed > 900)
			{
				view.dx *= 900 / speed;
				view.dz *= 900 / speed;
			}
			if (f.steering.x == 0 && f.steering.y == 0)
			{
				float k = speed > 0 ? std::max(0.0f, speed - 2700 * DT) / speed : 0;
				view.dx *= k;
				view.dz *= k;
			}
			if (blocked)
				view.dx = view.dz = 0;
			// Pushed, it turns to face the way it moves, as the robot does (a heading θ faces (−sin θ, −cos θ)).
			if ((f.steering.x != 0 || f.steering.y != 0) && (view.dx != 0 || view.dz != 0))
			{
				float want = std::atan2(-view.dx, -view.dz);
				view.heading += std::remainder(want - view.heading, 2 * PI) * std::min(1.0f, 15 * DT);
			}
			view.x += view.dx * DT;
			view.z += view.dz * DT;
			if (std::hypot(view.dx, view.dz) > 1)
				view.heading = std::atan2(-view.dx, -view.dz);
			view.cameraLookAngle += cameraSpin * DT;
		}
	};

	// Runs until the route is done (or `frames` pass); returns the frames taken.
	int Fly(const Route& route, Mover* m, AutopilotState* s, int frames)
	{
		for (int i = 0; i < frames; i++)
		{
			m->Apply(AutopilotStep(route, m->view, s));
			if (s->routeDone)
				return i;
		}
		return frames;
	}
}

//
// Steering
//

TEST(AutopilotSteering, WorldDirectionRoundTripsThroughTheCameraTurnAtEveryAngle)
{
	for (int a = 0; a < 72; a++)
	{
		float angle = float(a) * (PI2 / 72) - PI;
		for (int k = 0; k < 16; k++)
		{
			float dx = std::cos(float(k) * PI2 / 16) * 300, dz = std::sin(float(k) * PI2 / 16) * 300;
			OGLVector2D stick = SteeringForWorldDirection(dx, dz, angle);
			EXPECT_NEAR(std::hypot(stick.x, stick.y), 1.0f, 1e-4f);
			OGLVector2D world = PlayerSteeringDirection(stick, angle);
			EXPECT_NEAR(world.x, dx / 300, 1e-4f) << "camera " << angle << " direction " << k;
			EXPECT_NEAR(world.y, dz / 300, 1e-4f) << "camera " << angle << " direction " << k;
		}
	}
	OGLVector2D none = SteeringForWorldDirection(0, 0, 1.0f);
	EXPECT_EQ(none.x, 0);
	EXPECT_EQ(none.y, 0);
}

TEST(AutopilotRoute, WithAGunDrawnItTurnsToACreatureBehindItBeforeFiring)
{
	// The creature stands close behind the robot, inside the distance it stops
	// short at: standing still would fire every shot the wrong way.
	Route route = {At(ROUTE_GOTO, 6000, 0)};
	Mover m(0, 0);
	m.view.heading = -PI / 2;		// facing +x
	m.view.gunReady = true;
	m.view.targets = {{AUTOPILOT_TARGET_ENEMY, -250, 0, 40}};
	ASSERT_GT(AutopilotFacingError(m.view, -250, 40), AUTOPILOT_AIM_CONE);
	AutopilotState s;
	int shots = 0, wildShots = 0;
	for (int i = 0; i < 30 * 2; i++)
	{
		VirtualInputFrame f = AutopilotStep(route, m.view, &s);
		if (Held(f, NEED_SHOOT))
		{
			shots++;
			wildShots += AutopilotFacingError(m.view, -250, 40) > AUTOPILOT_AIM_CONE;
		}
		m.Apply(f);
	}
	EXPECT_GE(shots, 2);
	EXPECT_EQ(wildShots, 0);
	EXPECT_LT(AutopilotFacingError(m.view, -250, 40), AUTOPILOT_AIM_CONE);
	EXPECT_GT(std::hypot(m.view.x + 250, m.view.z - 40), AUTOPILOT_ENEMY_PUNCH_REACH) << "turned without walking into it";
}

TEST(AutopilotRoute, NeverStandsToShootInsideAnotherCreaturesReach)
{
	// Facing a creature close by, the robot would stand and fire; an onion's
	// front (a danger sector pointing at it) reaches over that spot.
	Route route = {At(ROUTE_GOTO, 6000, 0)};
	auto run = [&](bool withDanger, float* endX, float* endZ) {
		Mover m(0, 0);
		m.view.heading = -PI / 2;		// facing +x, at the creature
		m.view.gunReady = true;
		m.view.targets = {{AUTOPILOT_TARGET_ENEMY, 200, 0, 40}};
		if (withDanger)
			m.view.dangers = {{0, 500, 700, 0, 0.6f}};		// 500 ahead in z, facing −z: at the robot
		AutopilotState s;
		for (int i = 0; i < 30 * 2; i++)
			m.Apply(AutopilotStep(route, m.view, &s));
		*endX = m.view.x;
		*endZ = m.view.z;
	};
	float x, z;
	run(false, &x, &z);
	EXPECT_LT(std::hypot(x, z), AUTOPILOT_ENEMY_PUNCH_REACH) << "with nothing near it stands and shoots";
	run(true, &x, &z);
	EXPECT_GT(std::hypot(x, z - 500), 700 + AUTOPILOT_DANGER_MARGIN * 0.5f) << "stood in the reach at " << x << ", " << z;
}

//
// Following a route
//

TEST(AutopilotRoute, WalksTheGoalsInOrderWhileTheCameraTurnsAndStopsOnTheExitSpot)
{
	Route route = {At(ROUTE_GOTO, 3000, 0), At(ROUTE_GOTO, 3000, 4000), Bare(ROUTE_CHARGE), At(ROUTE_EXIT, 1500, 4600)};
	Mover m(0, 0);
	m.view.exitCharged = true;
	AutopilotState s;
	bool passedFirst = false;
	for (int i = 0; i < 30 * 40 && !s.routeDone; i++)
	{
		m.Apply(AutopilotStep(route, m.view, &s));
		if (std::hypot(m.view.x - 3000, m.view.z) < AUTOPILOT_REACH + 30)
			passedFirst = true;
		// A leg is followed, not cut: on the way to the second goal it stays near x = 3000.
		if (s.goal == 1 && m.view.z > 800 && m.view.z < 3000)
		{
			EXPECT_NEAR(m.view.x, 3000, 350) << "frame " << i;
		}
	}
	ASSERT_TRUE(s.routeDone);
	EXPECT_TRUE(passedFirst);
	// It stays put in the beam: held still, it does not drift off.
	for (int i = 0; i < 60; i++)
		m.Apply(AutopilotStep(route, m.view, &s));
	EXPECT_LT(std::hypot(m.view.x - 1500, m.view.z - 4600), AUTOPILOT_EXIT_REACH + 40);
	EXPECT_LT(std::hypot(m.view.dx, m.view.dz), 60);
}

TEST(AutopilotRoute, ALongLegAtFullSpeedIsProgressNotBeingStuck)
{
	// A minute's walk: no jumps, no sidesteps, the whole way along the line.
	Route route = {At(ROUTE_GOTO, 0, -50000)};
	Mover m(0, 0);
	AutopilotState s;
	int frames = 0;
	for (; frames < 30 * 80 && !s.routeDone; frames++)
	{
		VirtualInputFrame f = AutopilotStep(route, m.view, &s);
		EXPECT_FALSE(Held(f, NEED_JUMP)) << "frame " << frames;
		m.Apply(f);
		ASSERT_NEAR(m.view.x, 0, 100) << "frame " << frames;
	}
	EXPECT_TRUE(s.routeDone);
	EXPECT_EQ(s.recoveries, 0);
	EXPECT_LT(float(frames) * DT, 50000 / 900.0f + 3) << "at the robot's top speed";
}

TEST(AutopilotRoute, WaitsForTheChargeStandingStill)
{
	Route route = {Bare(ROUTE_CHARGE), At(ROUTE_EXIT, 2000, 0)};
	Mover m(0, 0);
	AutopilotState s;
	for (int i = 0; i < 90; i++)
	{
		VirtualInputFrame f = AutopilotStep(route, m.view, &s);
		m.Apply(f);
		EXPECT_EQ(f.steering.x, 0);
		EXPECT_EQ(f.steering.y, 0);
	}
	EXPECT_EQ(s.goal, 0u);
	m.view.exitCharged = true;
	EXPECT_LT(Fly(route, &m, &s, 30 * 10), 30 * 10);
	EXPECT_LT(std::hypot(m.view.x - 2000, m.view.z), AUTOPILOT_EXIT_REACH + 40);
}

namespace
{
	// Walks a route of two legs to its charge goal with the exit charged 0.9.
	Route ChargeRoute(Mover* m, AutopilotState* s)
	{
		Route route = {At(ROUTE_GOTO, 3000, 0), At(ROUTE_GOTO, 3000, 4000), Bare(ROUTE_CHARGE), At(ROUTE_EXIT, 3000, 4600)};
		m->view.exitCharge = 0.9f;
		for (int i = 0; i < 30 * 30 && s->goal < 2; i++)
			m->Apply(AutopilotStep(route, m->view, s));
		EXPECT_EQ(s->goal, 2u);
		for (int i = 0; i < 20; i++)		// it coasts to a stop on the spot
			m->Apply(AutopilotStep(route, m->view, s));
		return route;
	}
}

TEST(AutopilotRoute, ShortOfChargeItWalksBackTheWayForWhatItMissedAndTurnsRoundOnceFull)
{
	Mover m(0, 0);
	AutopilotState s;
	Route route = ChargeRoute(&m, &s);
	const float chargeX = m.view.x, chargeZ = m.view.z;
	// A while on the spot first: the last atoms of a spill may still be coming.
	for (int i = 20; i < int(AUTOPILOT_CHARGE_PATIENCE / DT) - 5; i++)
		m.Apply(AutopilotStep(route, m.view, &s));
	EXPECT_LT(std::hypot(m.view.x - chargeX, m.view.z - chargeZ), 20) << "left before its patience ran out";

	// Back along the way: at the first leg's end it finds the atom it missed.
	bool foundIt = false;
	float nearestStart = 1e30f;
	int frames = 0;
	for (; frames < 30 * 40 && !s.routeDone; frames++)
	{
		m.Apply(AutopilotStep(route, m.view, &s));
		nearestStart = std::min(nearestStart, std::hypot(m.view.x, m.view.z));
		if (!foundIt && std::hypot(m.view.x - 3000, m.view.z) < AUTOPILOT_REACH)
		{
			foundIt = true;
			m.view.exitCharge = 1;
			m.view.exitCharged = true;
		}
	}
	EXPECT_TRUE(foundIt);
	ASSERT_TRUE(s.routeDone) << "back to the exit once full";
	EXPECT_GT(nearestStart, 2000) << "went on back toward the start with the charge full";
	EXPECT_LT(std::hypot(m.view.x - 3000, m.view.z - 4600), AUTOPILOT_EXIT_REACH + 60);
}

TEST(AutopilotRoute, ItSweepsTheWholeWayWhenNothingTurnsUpAndNeverLeavesForWhatAtomsCannotGive)
{
	{
		Mover m(0, 0);
		AutopilotState s;
		Route route = ChargeRoute(&m, &s);
		bool sawStart = false, backAtCharge = false;
		for (int i = 0; i < 30 * 60 && !backAtCharge; i++)
		{
			m.Apply(AutopilotStep(route, m.view, &s));
			sawStart = sawStart || std::hypot(m.view.x, m.view.z) < AUTOPILOT_REACH;
			backAtCharge = sawStart && std::hypot(m.view.x - 3000, m.view.z - 4000) < AUTOPILOT_REACH;
		}
		EXPECT_TRUE(sawStart) << "the way back goes all the way to where it began";
		ASSERT_TRUE(backAtCharge);
		EXPECT_EQ(s.goal, 2u) << "still the charge goal";
		EXPECT_LT(std::hypot(m.view.x - 3000, m.view.z - 4000), AUTOPILOT_REACH + 100);
	}
	// Full but the exit still shut (a boss alive), or in the saucer: it waits where it is.
	for (bool flying : {false, true})
	{
		Mover m(0, 0);
		AutopilotState s;
		Route route = ChargeRoute(&m, &s);
		m.view.exitCharge = flying ? 0.5f : 1.0f;
		m.view.flying = flying;
		const float x = m.view.x, z = m.view.z;
		for (int i = 0; i < 30 * 20; i++)
			m.Apply(AutopilotStep(route, m.view, &s));
		EXPECT_LT(std::hypot(m.view.x - x, m.view.z - z), 20) << (flying ? "flying" : "boss alive");
		EXPECT_EQ(s.goal, 2u);
	}
}

TEST(AutopilotRoute, KnockedFarOffCourseItHeadsBackForTheGoal)
{
	Route route = {At(ROUTE_GOTO, 8000, 0), At(ROUTE_EXIT, 8000, 2000)};
	Mover m(0, 0);
	AutopilotState s;
	for (int i = 0; i < 60; i++)
		m.Apply(AutopilotStep(route, m.view, &s));
	// Thrown 4000 to the side, moving away.
	m.view.z += 4000;
	m.view.dz = 900;
	m.view.dx = 0;
	EXPECT_LT(Fly(route, &m, &s, 30 * 30), 30 * 30);
	EXPECT_LT(std::hypot(m.view.x - 8000, m.view.z - 2000), AUTOPILOT_EXIT_REACH + 40);
}

TEST(AutopilotRoute, HandsOffWhileNotInControlAndNoPressWithoutARelease)
{
	Route route = {At(ROUTE_JUMP, 100, 0), At(ROUTE_JUMP, 100, 0), At(ROUTE_GOTO, 5000, 0)};
	Mover m(0, 0);
	AutopilotState s;
	m.view.inControl = false;
	VirtualInputFrame f = AutopilotStep(route, m.view, &s);
	EXPECT_EQ(f.needsHeld, 0u);
	EXPECT_EQ(f.steering.x, 0);
	EXPECT_EQ(f.steering.y, 0);

	// Two jumps on one spot: the second press only after a frame released.
	m.view.inControl = true;
	m.view.x = 100;
	VirtualInputFrame first = AutopilotStep(route, m.view, &s);
	EXPECT_TRUE(Held(first, NEED_JUMP));
	VirtualInputFrame second = AutopilotStep(route, m.view, &s);
	EXPECT_FALSE(Held(second, NEED_JUMP));
	EXPECT_EQ(s.goal, 1u) << "the second jump waits for its press";
	VirtualInputFrame third = AutopilotStep(route, m.view, &s);
	EXPECT_TRUE(Held(third, NEED_JUMP));
	EXPECT_EQ(s.goal, 2u);
}

TEST(AutopilotRoute, WhenStuckItJumpsThenJetsThenSidesteps)
{
	Route route = {At(ROUTE_GOTO, 5000, 0)};
	Mover m(0, 0);
	m.blocked = true;
	m.cameraSpin = 0;
	AutopilotState s;
	std::vector<float> jumpTimes;
	float sidestepAt = -1;
	for (int i = 0; i < 30 * 12; i++)
	{
		VirtualInputFrame f = AutopilotStep(route, m.view, &s);
		float t = float(i) * DT;
		if (Held(f, NEED_JUMP))
			jumpTimes.push_back(t);
		// The jump lands the body back on the ground a moment later.
		m.view.onGround = jumpTimes.empty() || t - jumpTimes.back() > 0.5f;
		OGLVector2D push = PlayerSteeringDirection(f.steering, m.view.cameraLookAngle);
		if (sidestepAt < 0 && s.recovery == AUTOPILOT_RECOVER_SIDESTEP && std::fabs(push.y) > 0.5f)
			sidestepAt = t;
		m.Apply(f);
	}
	ASSERT_GE(jumpTimes.size(), 3u);
	EXPECT_NEAR(jumpTimes[0], AUTOPILOT_STUCK_TIME, 0.2f) << "a jump first, once no progress was made for a while";
	// The second recovery is a jump and a jet press shortly after it.
	EXPECT_GT(jumpTimes[1], jumpTimes[0] + AUTOPILOT_STUCK_TIME * 0.9f);
	EXPECT_NEAR(jumpTimes[2] - jumpTimes[1], 0.3f, 0.1f);
	EXPECT_GT(sidestepAt, jumpTimes[2]) << "then a step to the side, across the way to the goal";
}

TEST(AutopilotRoute, TakesAnEnemyInReachWithPunchesAndGivesUpOnOneItCannotGet)
{
	Route route = {At(ROUTE_GOTO, 6000, 0)};
	Mover m(0, 0);
	m.view.targets = {{AUTOPILOT_TARGET_ENEMY, 700, 0, 300}};
	AutopilotState s;
	int punches = 0;
	float closest = 1e9f;
	for (int i = 0; i < 30 * 3; i++)
	{
		VirtualInputFrame f = AutopilotStep(route, m.view, &s);
		punches += Held(f, NEED_PUNCH);
		m.Apply(f);
		closest = std::min(closest, std::hypot(m.view.x - 700, m.view.z - 300));
	}
	EXPECT_LT(closest, AUTOPILOT_PUNCH_REACH);
	EXPECT_GE(punches, 2);

	// One it is told to run past is passed close by without a punch or a detour.
	Mover past(0, 0);
	AutopilotTarget vegetable = {AUTOPILOT_TARGET_ENEMY, 700, 0, 100};
	vegetable.engage = 0;
	past.view.targets = {vegetable};
	AutopilotState passing;
	int swings = 0;
	for (int i = 0; i < 30 * 2; i++)
	{
		VirtualInputFrame f = AutopilotStep(route, past.view, &passing);
		swings += Held(f, NEED_PUNCH);
		past.Apply(f);
	}
	EXPECT_EQ(swings, 0);
	EXPECT_GT(past.view.x, 1000) << "on along the route";

	// Chased past the give-up time, the target is left and the route resumes.
	AutopilotState fresh;
	Mover m2(0, 0);
	m2.blocked = true;
	m2.view.targets = {{AUTOPILOT_TARGET_HUMAN, 900, 0, 0}};
	for (int i = 0; i < int((AUTOPILOT_TARGET_GIVE_UP + 0.5f) / DT); i++)
		m2.Apply(AutopilotStep(route, m2.view, &fresh));
	EXPECT_GT(fresh.targetRest, 0);
}

TEST(AutopilotSaucer, SmashesAHutWithTheDestroyBeamThenTractorsTheHumanAndCallsTheVillageDone)
{
	Route route = {At(ROUTE_HARVEST, 0, 0), Bare(ROUTE_CHARGE)};
	route[0].value = 2000;
	Mover m(1500, 0);
	m.view.flying = true;
	m.view.beamSelected = 0;
	m.view.targets = {{AUTOPILOT_TARGET_HUT, 0, 0, 0}};
	AutopilotState s;

	// Flies over the hut, switches to the destroy beam and fires it there.
	int shotAt = -1;
	for (int i = 0; i < 30 * 10 && shotAt < 0; i++)
	{
		VirtualInputFrame f = AutopilotStep(route, m.view, &s);
		if (Held(f, NEED_NEXT_WEAPON))
			m.view.beamSelected ^= 1;
		if (Held(f, NEED_SHOOT))
		{
			shotAt = i;
			EXPECT_EQ(m.view.beamSelected, 1);
			EXPECT_LT(std::hypot(m.view.x, m.view.z), AUTOPILOT_HUT_AIM);
		}
		m.Apply(f);
	}
	ASSERT_GE(shotAt, 0) << "never fired on the hut";

	// The hut is gone and its villager stands beside it: tractor beam over her.
	m.view.targets = {{AUTOPILOT_TARGET_BEAMABLE, 400, 0, 200}};
	bool tractored = false;
	for (int i = 0; i < 30 * 10 && !tractored; i++)
	{
		VirtualInputFrame f = AutopilotStep(route, m.view, &s);
		if (Held(f, NEED_NEXT_WEAPON))
			m.view.beamSelected ^= 1;
		if (Held(f, NEED_SHOOT))
		{
			tractored = true;
			EXPECT_EQ(m.view.beamSelected, 0);
			EXPECT_LT(std::hypot(m.view.x - 400, m.view.z - 200), AUTOPILOT_BEAM_AIM);
		}
		m.Apply(f);
	}
	ASSERT_TRUE(tractored);

	// Nobody left: back over the village's middle, then on once the beam is off.
	m.view.targets.clear();
	m.view.beamBusy = true;
	for (int i = 0; i < 30 * 5; i++)
		m.Apply(AutopilotStep(route, m.view, &s));
	EXPECT_LT(std::hypot(m.view.x, m.view.z), AUTOPILOT_REACH);
	EXPECT_EQ(s.goal, 0u) << "waits while a beam may still lift someone";
	m.view.beamBusy = false;
	AutopilotStep(route, m.view, &s);
	EXPECT_EQ(s.goal, 1u);
}

TEST(AutopilotSaucer, AFullHoldFliesToTheDropPointInsteadOfBeaming)
{
	Route route = {At(ROUTE_HARVEST, 0, 0)};
	route[0].value = 2000;
	Mover m(0, 0);
	m.view.flying = true;
	m.view.saucerLoad = AUTOPILOT_SAUCER_HOLD;
	m.view.hasDropPoint = true;
	m.view.dropX = 4000;
	m.view.dropZ = -3000;
	m.view.targets = {{AUTOPILOT_TARGET_BEAMABLE, 10, 0, 0}};
	AutopilotState s;
	for (int i = 0; i < 30 * 3; i++)
	{
		VirtualInputFrame f = AutopilotStep(route, m.view, &s);
		EXPECT_FALSE(Held(f, NEED_SHOOT));
		m.Apply(f);
	}
	EXPECT_LT(std::hypot(m.view.x - 4000, m.view.z + 3000), 5000 - 1500) << "well on the way";
}

//
// Route text
//

//
// A boss machine fought from its plinth
//

namespace
{
	// A plinth round (0, 0) with quarter spots at 45° and 135° (x > 0), live
	// beams along +z and +x and an emitter on each whose aim mark lies 100 in
	// front of it (out along its beam).
	struct MachineFight
	{
		Route route = {At(ROUTE_BOSS, 600, 600), At(ROUTE_BOSS, 600, -600)};
		Mover m{600, 600};
		AutopilotState s;

		MachineFight()
		{
			m.cameraSpin = 0;
			AutopilotMachineView& machine = m.view.machine;
			machine.present = true;
			machine.onPlinth = true;
			machine.numBeams = 2;
			machine.beamFrom[0] = machine.beamFrom[1] = {0, 0};
			machine.beamTo[0] = {0, 3500};
			machine.beamTo[1] = {3500, 0};
		}
		static AutopilotTarget Emitter(float x, float z, float aimDx, float aimDz)
		{
			AutopilotTarget t = {AUTOPILOT_TARGET_BOSS_PART, x, 0, z};
			t.aimDx = aimDx;
			t.aimDz = aimDz;
			return t;
		}
		// Distance from (x, z) to the beam along `axis` (0: +z, 1: +x).
		float FromBeam(int axis) const
		{
			return axis == 0 ? std::fabs(m.view.x) : std::fabs(m.view.z);
		}
	};
}

TEST(AutopilotMachine, UnarmedItWalksUpToTheQuartersPodAndPunchesItOpenWithoutTouchingABeam)
{
	MachineFight f;
	f.m.view.targets = {{AUTOPILOT_TARGET_POD, 300, 0, 300}, MachineFight::Emitter(0, 700, 0, 100)};
	int punches = 0;
	float nearestBeam = 1e9f;
	for (int i = 0; i < 30 * 4; i++)
	{
		VirtualInputFrame frame = AutopilotStep(f.route, f.m.view, &f.s);
		punches += Held(frame, NEED_PUNCH);
		EXPECT_FALSE(Held(frame, NEED_SHOOT)) << "nothing to shoot with";
		f.m.Apply(frame);
		nearestBeam = std::min({nearestBeam, f.FromBeam(0), f.FromBeam(1)});
	}
	EXPECT_LT(std::hypot(f.m.view.x - 300, f.m.view.z - 300), 160.0f);
	EXPECT_GE(punches, 2);
	EXPECT_GT(nearestBeam, 100.0f);
}

TEST(AutopilotMachine, ArmedItShootsAnEmitterFromBehindAndWaitsForACannonHighOverhead)
{
	MachineFight f;
	f.m.view.machine.weaponCarried = f.m.view.machine.weaponDrawn = true;
	f.m.view.machine.shotsLeft = 20;
	f.m.view.targets = {MachineFight::Emitter(0, 700, 0, 100)};
	int shots = 0;
	for (int i = 0; i < 30 * 5; i++)
	{
		VirtualInputFrame frame = AutopilotStep(f.route, f.m.view, &f.s);
		if (Held(frame, NEED_SHOOT))
		{
			shots++;
			// Behind the emitter (nearer the centre than it) and off its beam.
			EXPECT_LT(f.m.view.z, 600.0f);
			EXPECT_GT(f.m.view.x, 60.0f);
		}
		f.m.Apply(frame);
	}
	EXPECT_GE(shots, 5);

	// A cannon 1300 above the robot and 500 away: no shot until it comes down.
	MachineFight g;
	g.m.view.machine.weaponCarried = g.m.view.machine.weaponDrawn = true;
	g.m.view.machine.shotsLeft = 20;
	g.m.view.machine.numBeams = 0;
	g.m.view.targets = {{AUTOPILOT_TARGET_BOSS_PART, 260, 1300, 150}};
	int high = 0, low = 0;
	for (int i = 0; i < 30 * 6; i++)
	{
		if (i == 30 * 3)
			g.m.view.targets[0].y = 270;
		VirtualInputFrame frame = AutopilotStep(g.route, g.m.view, &g.s);
		(i < 30 * 3 ? high : low) += Held(frame, NEED_SHOOT);
		g.m.Apply(frame);
	}
	EXPECT_EQ(high, 0);
	EXPECT_GE(low, 3);
}

TEST(AutopilotMachine, WithNothingLeftInItsQuarterItMovesOnOnlyWhenTheBeamBetweenIsOff)
{
	MachineFight f;
	f.m.view.machine.weaponCarried = f.m.view.machine.weaponDrawn = true;
	f.m.view.machine.shotsLeft = 20;
	for (int i = 0; i < 30 * 3; i++)
		f.m.Apply(AutopilotStep(f.route, f.m.view, &f.s));
	EXPECT_EQ(f.s.goal, 0u) << "the +x beam lies between the quarters";
	EXPECT_GT(f.FromBeam(1), 300.0f);

	f.m.view.machine.numBeams = 1;		// the +x beam goes off
	float nearest = 1e9f;
	bool movedOn = false;
	for (int i = 0; i < 30 * 4; i++)
	{
		f.m.Apply(AutopilotStep(f.route, f.m.view, &f.s));
		movedOn |= f.s.goal == 1;
		nearest = std::min(nearest, std::hypot(f.m.view.x - 600, f.m.view.z + 600));
	}
	EXPECT_TRUE(movedOn);
	EXPECT_LT(nearest, 100.0f) << "it got to the next quarter's spot";
}

TEST(RouteText, GoodTextParsesAndWritesBackTheSame)
{
	std::string text = "# a route\n\ngoto 100 200\njet 300 -400 950   # climb\ncharge\nwait 2.5\nexit 10 20\nland\n";
	Route route;
	std::string error;
	ASSERT_TRUE(ParseRouteText(text, "t.route", &route, &error)) << error;
	ASSERT_EQ(route.size(), 6u);
	EXPECT_EQ(route[1].verb, ROUTE_JET);
	EXPECT_EQ(route[1].x, 300);
	EXPECT_EQ(route[1].z, -400);
	EXPECT_EQ(route[1].value, 950);
	EXPECT_EQ(route[1].line, 4);
	EXPECT_EQ(route[3].value, 2.5f);

	std::string written;
	for (const RouteGoal& g : route)
		written += FormatRouteGoal(g) + "\n";
	Route again;
	ASSERT_TRUE(ParseRouteText(written, "w.route", &again, &error)) << error;
	ASSERT_EQ(again.size(), route.size());
	for (size_t i = 0; i < route.size(); i++)
	{
		EXPECT_EQ(again[i].verb, route[i].verb);
		EXPECT_EQ(again[i].x, route[i].x);
		EXPECT_EQ(again[i].z, route[i].z);
		EXPECT_EQ(again[i].value, route[i].value);
	}
}

TEST(RouteText, BadLinesAreNamedByFileAndLine)
{
	struct Case
	{
		const char* text;
		const char* message;
	} cases[] = {
		{"goto 1 2\nfly 1 2\n", "Level4.route:2: unknown goal \"fly\""},
		{"goto 1\n", "Level4.route:1: goto takes 2 numbers, got 1"},
		{"charge 3\n", "Level4.route:1: charge takes 0 numbers, got 1"},
		{"\n\njet 1 2 x\n", "Level4.route:3: \"x\" is not a number"},
		{"goto 1 2z\n", "\"2z\" is not a number"},
		{"goto nan 2\n", "\"nan\" is not a number"},
		{"wait -1\n", "Level4.route:1: wait takes seconds of 0 or more"},
		{"harvest 1 2 0\n", "Level4.route:1: harvest takes a radius of at least 1"},
		{"harvest 1 2 0.2\n", "Level4.route:1: harvest takes a radius of at least 1"},
		{"# nothing\n\n", "the route has no goals"},
	};
	for (const Case& c : cases)
	{
		Route route;
		std::string error;
		EXPECT_FALSE(ParseRouteText(c.text, "Level4.route", &route, &error)) << c.text;
		EXPECT_NE(error.find(c.message), std::string::npos) << "got: " << error;
	}
}

//
// Frame invariants
//

TEST(PlayInvariants, EachBrokenInvariantIsNamed)
{
	PlayInvariantView good;
	good.hasPlayer = true;
	good.exitCharge = 1;
	good.health = 0.5f;
	good.fuel = 0;
	good.nodesInUse = 40;
	good.nodeCapacity = 700;
	good.freeSuperTiles = 300;
	EXPECT_EQ(FindBrokenPlayInvariant(good), nullptr);

	const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
	struct Case
	{
		void (*breakIt)(PlayInvariantView*, float nan, float inf);
		const char* name;
	} cases[] = {
		{[](PlayInvariantView* v, float n, float) { v->position[1] = n; }, "player position is finite"},
		{[](PlayInvariantView* v, float, float i) { v->velocity[2] = -i; }, "player velocity is finite"},
		{[](PlayInvariantView* v, float, float) { v->exitCharge = 1.01f; }, "exit charge is within 0..1"},
		{[](PlayInvariantView* v, float n, float) { v->health = n; }, "health is within 0..1"},
		{[](PlayInvariantView* v, float, float) { v->fuel = -0.1f; }, "jump-jet fuel is within 0..1"},
		{[](PlayInvariantView* v, float, float) { v->nodesInUse = 700; }, "object nodes are not exhausted"},
		{[](PlayInvariantView* v, float, float) { v->freeSuperTiles = 0; }, "supertile pool is not exhausted"},
		{[](PlayInvariantView* v, float, float) { v->enemyCountersMatch = false; }, "enemy counters equal the live counted enemies"},
	};
	for (const Case& c : cases)
	{
		PlayInvariantView v = good;
		c.breakIt(&v, nan, inf);
		const char* broken = FindBrokenPlayInvariant(v);
		ASSERT_NE(broken, nullptr) << c.name;
		EXPECT_STREQ(broken, c.name);
	}
	// Without a player there is no position to check.
	PlayInvariantView noPlayer = good;
	noPlayer.hasPlayer = false;
	noPlayer.position[0] = nan;
	EXPECT_EQ(FindBrokenPlayInvariant(noPlayer), nullptr);
}

//
// Sniping a boss part from afar
//

namespace
{
	// The mover, facing the way it moves as the robot does once it has speed.
	void ApplyTurning(Mover* m, const VirtualInputFrame& f)
	{
		m->Apply(f);
		if (std::hypot(m->view.dx, m->view.dz) > 1)
			m->view.heading = std::atan2(-m->view.dx, -m->view.dz);
	}

	RouteGoal Snipe(float x, float z, float tx, float tz)
	{
		RouteGoal g = At(ROUTE_SNIPE, x, z);
		g.tx = tx;
		g.tz = tz;
		return g;
	}
}

TEST(AutopilotSnipe, HoldsItsSpotOutsideThePartsReachAndShootsOnlyWhileFacingIt)
{
	// The part stands 3450 beyond the spot, off to the side of the way in.
	Route route = {Snipe(0, 1000, 2000, 1000 + 3450), At(ROUTE_GOTO, -3000, 0)};
	Mover m(0, 0);
	m.cameraSpin = 0;
	m.view.gunReady = true;
	m.view.heading = 3.14159265f / 2;		// facing −x, away from the part
	m.view.targets = {{AUTOPILOT_TARGET_BOSS_PART, 2000, 0, 1000 + 3450}};
	AutopilotState s;
	int shots = 0, badShots = 0;
	float nearest = 1e9f;
	for (int i = 0; i < 30 * 8; i++)
	{
		VirtualInputFrame f = AutopilotStep(route, m.view, &s);
		if (Held(f, NEED_SHOOT))
		{
			shots++;
			float want = std::atan2(-(2000 - m.view.x), -(4450 - m.view.z));
			float off = std::remainder(want - m.view.heading, 2 * 3.14159265f);
			if (std::fabs(off) > AUTOPILOT_SNIPE_FIRE_AIM)
				badShots++;
		}
		ApplyTurning(&m, f);
		nearest = std::min(nearest, std::hypot(m.view.x - 2000, m.view.z - 4450));
	}
	EXPECT_EQ(s.goal, 0u);
	EXPECT_GE(shots, 5);
	EXPECT_EQ(badShots, 0);
	EXPECT_GT(nearest, 3450 - AUTOPILOT_REACH - 50);

	// Once the part is gone it looks a moment and moves on.
	m.view.targets.clear();
	for (int i = 0; i < int((AUTOPILOT_SNIPE_LOOK + 0.5f) / DT); i++)
		ApplyTurning(&m, AutopilotStep(route, m.view, &s));
	EXPECT_EQ(s.goal, 1u);
}

TEST(AutopilotSnipe, SwitchesAwayFromAWeaponThatDoesNotHurtItAndHoldsFireWithNone)
{
	Route route = {Snipe(0, 0, 0, -3450)};
	AutopilotView view;
	view.inControl = view.onGround = true;
	view.dt = DT;
	view.gunReady = true;
	view.heading = 0;			// facing −z, straight at it
	AutopilotTarget part = {AUTOPILOT_TARGET_BOSS_PART, 0, 0, -3450};
	part.wrongWeapon = true;
	view.targets = {part};
	AutopilotState s;
	VirtualInputFrame f = AutopilotStep(route, view, &s);
	EXPECT_TRUE(Held(f, NEED_NEXT_WEAPON));
	EXPECT_FALSE(Held(f, NEED_SHOOT));

	part.wrongWeapon = false;
	part.noWeapon = true;
	view.targets = {part};
	AutopilotState s2;
	for (int i = 0; i < 30; i++)
	{
		f = AutopilotStep(route, view, &s2);
		EXPECT_FALSE(Held(f, NEED_SHOOT));
	}
	EXPECT_EQ(s2.goal, 0u);		// still standing: the part is there
}

TEST(RouteText, ASnipeGoalKeepsItsSpotAndItsTargetThroughWritingAndReading)
{
	Route route;
	std::string error;
	ASSERT_TRUE(ParseRouteText("snipe 100 -200 3000 4500\n", "t.route", &route, &error)) << error;
	ASSERT_EQ(route.size(), 1u);
	EXPECT_EQ(route[0].verb, ROUTE_SNIPE);
	EXPECT_EQ(route[0].x, 100);
	EXPECT_EQ(route[0].z, -200);
	EXPECT_EQ(route[0].tx, 3000);
	EXPECT_EQ(route[0].tz, 4500);
	Route again;
	ASSERT_TRUE(ParseRouteText(FormatRouteGoal(route[0]), "w.route", &again, &error)) << error;
	EXPECT_EQ(again[0].tx, 3000);
	EXPECT_EQ(again[0].tz, 4500);
	EXPECT_FALSE(ParseRouteText("snipe 1 2 3\n", "t.route", &again, &error));
	EXPECT_NE(error.find("snipe takes 4 numbers, got 3"), std::string::npos) << error;
}
