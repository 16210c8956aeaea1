// Frame timing with an injected clock, and the fade state machine.
#include "System/Fade.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "3D/OGL_Support.h"

#include <gtest/gtest.h>

namespace
{
	constexpr uint64_t FREQ = 1000000;	// microsecond ticks
	uint64_t gNow = 0;
	uint64_t gStepPerRead = 0;		// the clock advances this much at every read
	int gDelays = 0;

	uint64_t FakeCounter() { uint64_t t = gNow; gNow += gStepPerRead; return t; }
	uint64_t FakeFrequency() { return FREQ; }
	void FakeDelay(uint32_t ms) { gDelays++; gNow += ms * 1000; }
	const FrameClock kFakeClock = {FakeCounter, FakeFrequency, FakeDelay};

	struct FrameTimeTest : ::testing::Test
	{
		void SetUp() override
		{
			gNow = 0;
			gStepPerRead = 0;
			gDelays = 0;
			SetFixedFrameStep(0);
			SetFrameClock(&kFakeClock);
			gNow = 1000000;
			MeasureFrameTime();		// sets the reference point
		}
		void TearDown() override { SetFrameClock(nullptr); }
	};
}

TEST_F(FrameTimeTest, SlowFramesAreClampedToOneFifteenth)
{
	gNow += 500000;		// a half-second frame
	EXPECT_FLOAT_EQ(MeasureFrameTime(), 1.0f / 15.0f);
	EXPECT_FLOAT_EQ(gFrameRate, 15.0f);
}

TEST_F(FrameTimeTest, OrdinaryFramesGiveTheirOwnTime)
{
	gNow += 16667;
	MeasureFrameTime();
	EXPECT_NEAR(gFrameRate, 60.0f, 0.01f);
	EXPECT_FLOAT_EQ(gFrameTime, 1.0f / gFrameRate);
}

TEST_F(FrameTimeTest, FastFramesAreHeldBackTo500PerSecond)
{
	// Each read of the counter moves time by 100 µs: the limiter must spin
	// (and sleep while far ahead) until 2 ms have passed.
	gNow += 100;
	gStepPerRead = 100;
	float dt = MeasureFrameTime();
	EXPECT_LE(gFrameRate, 500.0f);
	EXPECT_GE(dt, 1.0f / 500.0f);
	EXPECT_LT(dt, 1.0f / 400.0f);
	EXPECT_GT(gDelays, 0) << "far above the limit the limiter sleeps instead of spinning";
}

TEST_F(FrameTimeTest, NoTimePassedCountsAsTheSlowestFrame)
{
	gStepPerRead = 0;
	MeasureFrameTime();
	EXPECT_FLOAT_EQ(gFrameRate, 15.0f);
}

TEST_F(FrameTimeTest, FixedStepIgnoresTheClock)
{
	SetFixedFrameStep(60);
	gNow += 5000000;
	EXPECT_FLOAT_EQ(MeasureFrameTime(), 1.0f / 60.0f);
	SetFixedFrameStep(0);
}

TEST(Fade, FadeInBrightensThenRemovesItsNode)
{
	InitObjectManager();
	SetFixedFrameStep(10);
	MeasureFrameTime();

	ObjNode* fade = StartFade(true, 2.0f);		// half a second to full brightness
	EXPECT_FLOAT_EQ(gFadeLevel, 0.0f);
	EXPECT_EQ(gObjectCount, 1);
	for (int i = 0; i < 4; i++)
		MoveObjects();
	EXPECT_NEAR(gFadeLevel, 0.8f, 1e-5f);
	EXPECT_EQ(gObjectCount, 1);
	EXPECT_EQ(fade->Mode, FADE_MODE_IN);
	MoveObjects();
	EXPECT_FLOAT_EQ(gFadeLevel, 1.0f);
	EXPECT_EQ(gObjectCount, 0) << "a finished fade-in deletes its node";

	DeleteAllObjects();
	SetFixedFrameStep(0);
}

TEST(Fade, FadeOutStaysBlackAndStartFadeReusesTheNode)
{
	InitObjectManager();
	SetFixedFrameStep(10);
	MeasureFrameTime();

	ObjNode* fade = StartFade(false, 5.0f);
	EXPECT_FLOAT_EQ(gFadeLevel, 1.0f);
	for (int i = 0; i < 3; i++)
		MoveObjects();
	EXPECT_FLOAT_EQ(gFadeLevel, 0.0f);
	EXPECT_EQ(fade->Mode, FADE_MODE_DONE);
	EXPECT_EQ(fade->MoveCall, nullptr);
	EXPECT_EQ(gObjectCount, 1) << "the black overlay stays until the scene is cleared";

	// A node that is still fading is reused rather than doubled.
	ObjNode* fadeIn = StartFade(true, 1.0f);
	ObjNode* again = StartFade(false, 3.0f);
	EXPECT_EQ(fadeIn, again);
	EXPECT_EQ(again->Mode, FADE_MODE_OUT);
	EXPECT_FLOAT_EQ(again->SpeedParam, 3.0f);

	DeleteAllObjects();
	SetFixedFrameStep(0);
}
