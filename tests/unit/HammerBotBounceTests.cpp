// The hammer bot's squash and stretch: the shapes it leans toward, the
// landing that squashes it and the spring that brings it back, and a squash
// matrix that keeps its foot planted and its volume.
#include "Enemies/HammerBotBounce.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
	// Runs the spring at 30 frames a second, the body rising at `rise` each frame.
	float Settle(HammerBounce& b, float target, float seconds)
	{
		for (int f = 0; f < int(seconds * 30); f++)
			StepHammerBounce(b, target, 0, 1.0f / 30);
		return b.squash;
	}
}

TEST(HammerBotBounce, CrouchesIntoTheSmashAndStretchesWhileClimbing)
{
	EXPECT_EQ(HammerBounceTarget(false, 0, false, 0), 0);
	EXPECT_LT(HammerBounceTarget(true, 1, false, 0), HammerBounceTarget(true, 0.5f, false, 0));
	EXPECT_NEAR(HammerBounceTarget(true, 1, false, 0), -HAMMERBOUNCE_CROUCH, 1e-6f);
	EXPECT_NEAR(HammerBounceTarget(false, 0, true, HAMMERBOUNCE_TAKEOFF), HAMMERBOUNCE_STRETCH, 1e-6f);
	EXPECT_EQ(HammerBounceTarget(false, 0, false, HAMMERBOUNCE_TAKEOFF), 0) << "on the ground it keeps its shape";
}

TEST(HammerBotBounce, AHardLandingSquashesItAndItSpringsBackToItsShape)
{
	HammerBounce b;
	// Falling at 900, then stopped by the ground.
	EXPECT_FALSE(StepHammerBounce(b, 0, -900, 1.0f / 30));
	EXPECT_TRUE(StepHammerBounce(b, 0, 0, 1.0f / 30));
	float lowest = 0;
	for (int f = 0; f < 10; f++)
	{
		EXPECT_FALSE(StepHammerBounce(b, 0, 0, 1.0f / 30)) << "one landing, one squash";
		lowest = std::min(lowest, b.squash);
	}
	EXPECT_LT(lowest, -0.1f) << "it visibly takes the weight";
	EXPECT_GE(lowest, -HAMMERBOUNCE_LIMIT);
	EXPECT_NEAR(Settle(b, 0, 2), 0, 0.01f);

	// A take-off (resting, then rising fast) and a gentle step down are no landings.
	HammerBounce hop;
	StepHammerBounce(hop, 0, 0, 1.0f / 30);
	EXPECT_FALSE(StepHammerBounce(hop, 0, 1000, 1.0f / 30));
	HammerBounce step;
	StepHammerBounce(step, 0, -100, 1.0f / 30);
	EXPECT_FALSE(StepHammerBounce(step, 0, 0, 1.0f / 30));
}

TEST(HammerBotBounce, ALongFrameNeitherBlowsUpNorSkipsTheSpring)
{
	HammerBounce b;
	StepHammerBounce(b, -HAMMERBOUNCE_CROUCH, 0, 0.5f);
	EXPECT_LT(b.squash, 0);
	EXPECT_GE(b.squash, -HAMMERBOUNCE_LIMIT);
	EXPECT_NEAR(Settle(b, -HAMMERBOUNCE_CROUCH, 2), -HAMMERBOUNCE_CROUCH, 0.01f);
}

TEST(HammerBotBounce, TheSquashKeepsTheFootPlantedAndTheVolume)
{
	const OGLPoint3D foot = {300, 40, -120};
	const OGLMatrix4x4 m = HammerBounceMatrix(-0.2f, foot);
	OGLPoint3D out;
	OGLPoint3D_Transform(&foot, &m, &out);
	EXPECT_NEAR(out.x, foot.x, 1e-3f);
	EXPECT_NEAR(out.y, foot.y, 1e-3f);
	EXPECT_NEAR(out.z, foot.z, 1e-3f);
	const OGLPoint3D top = {foot.x, foot.y + 100, foot.z};
	OGLPoint3D_Transform(&top, &m, &out);
	EXPECT_NEAR(out.y - foot.y, 80, 1e-3f) << "a fifth shorter";
	const float volume = m.value[0] * m.value[5] * m.value[10];
	EXPECT_NEAR(volume, 1, 1e-4f);
}
