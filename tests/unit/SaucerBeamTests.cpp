// The saucer's beams, hold and unload as plain steps at a fixed frame time.
#include "Player/PlayerSaucerBeams.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
	constexpr float FRAME = 1.0f / 30.0f;

	// Frames of charging until the beam comes on (or `limit` frames pass).
	int FramesUntil(SaucerBeamState* beam, SaucerBeamEvent wanted, bool humansRising = false, int limit = 1000)
	{
		for (int i = 1; i <= limit; i++)
			if (UpdateSaucerBeamCharge(beam, false, humansRising, FRAME) == wanted)
				return i;
		return -1;
	}
}

TEST(SaucerBeams, ShootChargesTheSelectedBeamForTwoSecondsThenItDrainsForThreeAndAThird)
{
	SaucerBeamState beam;
	EXPECT_EQ(beam.selected, SAUCER_BEAM_DESTROY);
	EXPECT_EQ(UpdateSaucerBeamCharge(&beam, false, false, FRAME), SAUCER_BEAM_EVENT_NONE) << "nothing without a press";
	EXPECT_FALSE(IsSaucerBeamBusy(beam));

	ASSERT_EQ(UpdateSaucerBeamCharge(&beam, true, false, FRAME), SAUCER_BEAM_EVENT_CHARGING);
	EXPECT_EQ(beam.charging, SAUCER_BEAM_DESTROY);
	int onAfter = FramesUntil(&beam, SAUCER_BEAM_EVENT_ON);
	EXPECT_NEAR(onAfter * FRAME, 2.0f, 1.5f * FRAME);
	EXPECT_EQ(beam.on, SAUCER_BEAM_DESTROY);
	EXPECT_FLOAT_EQ(beam.charge[SAUCER_BEAM_DESTROY], 1.0f);
	EXPECT_FLOAT_EQ(beam.charge[SAUCER_BEAM_TRACTOR], 0.0f) << "only the selected beam charges";

	// A press while the beam is on neither restarts nor recharges it.
	UpdateSaucerBeamCharge(&beam, true, false, FRAME);
	EXPECT_LT(beam.charge[SAUCER_BEAM_DESTROY], 1.0f);
	EXPECT_EQ(beam.charging, SAUCER_BEAM_NONE);

	int offAfter = FramesUntil(&beam, SAUCER_BEAM_EVENT_OFF) + 1;
	EXPECT_NEAR(offAfter * FRAME, 1.0f / 0.3f, 1.5f * FRAME);
	EXPECT_FALSE(IsSaucerBeamBusy(beam));
}

TEST(SaucerBeams, ABeamRunDryStaysOnWhileAHumanIsStillRising)
{
	SaucerBeamState beam;
	beam.selected = SAUCER_BEAM_TRACTOR;
	UpdateSaucerBeamCharge(&beam, true, false, FRAME);
	ASSERT_GT(FramesUntil(&beam, SAUCER_BEAM_EVENT_ON), 0);
	EXPECT_EQ(FramesUntil(&beam, SAUCER_BEAM_EVENT_OFF, true, 200), -1);
	EXPECT_EQ(beam.on, SAUCER_BEAM_TRACTOR);
	EXPECT_FLOAT_EQ(beam.charge[SAUCER_BEAM_TRACTOR], 0.0f);
	EXPECT_EQ(UpdateSaucerBeamCharge(&beam, false, false, FRAME), SAUCER_BEAM_EVENT_OFF);
}

TEST(SaucerBeams, SelectionFlipsBetweenTractorAndDestroyAndLeavesTheRunningBeamAlone)
{
	SaucerBeamState beam;
	SelectOtherSaucerBeam(&beam);
	EXPECT_EQ(beam.selected, SAUCER_BEAM_TRACTOR);
	UpdateSaucerBeamCharge(&beam, true, false, FRAME);
	SelectOtherSaucerBeam(&beam);
	EXPECT_EQ(beam.selected, SAUCER_BEAM_DESTROY);
	EXPECT_EQ(beam.charging, SAUCER_BEAM_TRACTOR);
	SelectOtherSaucerBeam(&beam);
	EXPECT_EQ(beam.selected, SAUCER_BEAM_TRACTOR);
}

TEST(SaucerBeams, TheUnloadBeamCutsAChargeAndStaysOnUntilStopped)
{
	SaucerBeamState beam;
	UpdateSaucerBeamCharge(&beam, true, false, FRAME);
	UpdateSaucerBeamCharge(&beam, false, false, 0.5f);
	StartSaucerUnloadBeam(&beam);
	EXPECT_EQ(beam.on, SAUCER_BEAM_UNLOAD);
	EXPECT_EQ(beam.charging, SAUCER_BEAM_NONE);
	EXPECT_FLOAT_EQ(beam.charge[SAUCER_BEAM_DESTROY], 0.0f);
	for (int i = 0; i < 300; i++)
		EXPECT_EQ(UpdateSaucerBeamCharge(&beam, true, false, FRAME), SAUCER_BEAM_EVENT_NONE);
	EXPECT_EQ(beam.on, SAUCER_BEAM_UNLOAD);
	StopSaucerBeam(&beam);
	EXPECT_FALSE(IsSaucerBeamBusy(beam));
}

TEST(SaucerCargoHold, TheTractorTakesAtMostTenCountingThoseStillRising)
{
	SaucerCargo cargo;
	int taken = 0;
	for (int i = 0; i < 15; i++)
		if (SaucerCanTakeHuman(cargo))
		{
			SaucerCargoHumanRising(&cargo);
			taken++;
		}
	EXPECT_EQ(taken, SAUCER_MAX_CARGO);

	// Arrivals move humans from rising to aboard without making room.
	for (int i = 0; i < 4; i++)
		ASSERT_TRUE(SaucerCargoBoard(&cargo, i % 4));
	EXPECT_EQ(cargo.count, 4);
	EXPECT_EQ(cargo.rising, 6);
	EXPECT_FALSE(SaucerCanTakeHuman(cargo));
	for (int i = 0; i < 6; i++)
		ASSERT_TRUE(SaucerCargoBoard(&cargo, 3));
	EXPECT_FALSE(SaucerCargoBoard(&cargo, 1)) << "an eleventh never fits";
	EXPECT_EQ(cargo.count, SAUCER_MAX_CARGO);
	EXPECT_EQ(cargo.kinds[0], 0);
	EXPECT_EQ(cargo.kinds[2], 2);
}

TEST(SaucerUnloading, HumansGoDownInBoardingOrderAfterOneSecondThenEveryOneAndAHalf)
{
	SaucerCargo cargo;
	for (int kind : {2, 0, 3})
	{
		SaucerCargoHumanRising(&cargo);
		SaucerCargoBoard(&cargo, kind);
	}
	SaucerUnload unload;
	EXPECT_EQ(StepSaucerUnload(&unload, &cargo, FRAME), -1) << "not started";
	StartSaucerUnload(&unload);

	std::vector<int> kinds;
	std::vector<float> times;
	float t = 0;
	for (int i = 0; i < 300 && unload.active; i++)
	{
		t += FRAME;
		int kind = StepSaucerUnload(&unload, &cargo, FRAME);
		if (kind >= 0)
		{
			kinds.push_back(kind);
			times.push_back(t);
		}
	}
	EXPECT_FALSE(unload.active) << "the unload ends with the hold empty";
	EXPECT_EQ(cargo.count, 0);
	ASSERT_EQ(kinds, (std::vector<int>{2, 0, 3}));
	EXPECT_NEAR(times[0], 1.0f, 1.5f * FRAME);
	EXPECT_NEAR(times[1], 2.5f, 1.5f * FRAME);
	EXPECT_NEAR(times[2], 4.0f, 1.5f * FRAME);
}

TEST(SaucerLanding, TheRobotDropsOnlyWithTheExitFullNothingAboardNoBeamAndNearTheDropPoint)
{
	SaucerBeamState beam;
	SaucerCargo cargo;
	EXPECT_TRUE(CanSaucerDropRobot(1.0f, beam, cargo, 399));
	EXPECT_FALSE(CanSaucerDropRobot(0.95f, beam, cargo, 0)) << "exit not charged";
	EXPECT_FALSE(CanSaucerDropRobot(1.0f, beam, cargo, 401)) << "too far from the drop point";

	SaucerCargo rising;
	SaucerCargoHumanRising(&rising);
	EXPECT_FALSE(CanSaucerDropRobot(1.0f, beam, rising, 0)) << "a human on the way up";
	SaucerCargoBoard(&rising, 1);
	EXPECT_FALSE(CanSaucerDropRobot(1.0f, beam, rising, 0)) << "a human aboard";

	SaucerBeamState charging;
	UpdateSaucerBeamCharge(&charging, true, false, FRAME);
	EXPECT_FALSE(CanSaucerDropRobot(1.0f, charging, cargo, 0)) << "a beam charging";
	SaucerBeamState unloading;
	StartSaucerUnloadBeam(&unloading);
	EXPECT_FALSE(CanSaucerDropRobot(1.0f, unloading, cargo, 0)) << "a beam on";
}
