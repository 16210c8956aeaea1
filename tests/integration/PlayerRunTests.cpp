// The real game brings the robot into the farm level: after the landing
// saucer has set it down and left, the robot stands on the ground and the
// follow camera shows it in the middle of the frame.
#include "Process.h"
#include "PNGFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	struct PlayerReport
	{
		int anim = -1, onGround = -1, hidden = -1;
		float feet = 0, ground = 0, windowX = -1, windowY = -1;
	};

	bool ParseReport(const std::string& output, PlayerReport* r)
	{
		size_t at = output.find("PLAYER anim=");
		if (at == std::string::npos)
			return false;
		return sscanf(output.c_str() + at, "PLAYER anim=%d onground=%d feet=%f ground=%f window=%f,%f hidden=%d",
					   &r->anim, &r->onGround, &r->feet, &r->ground, &r->windowX, &r->windowY, &r->hidden) == 7;
	}

	// The robot's paint: a strong blue that the farm's fields and hills do not have.
	int CountRobotBlue(const ScreenImage& image, int cx, int cy, int half)
	{
		int n = 0;
		for (int y = std::max(0, cy - half); y <= std::min(image.height - 1, cy + half); y++)
			for (int x = std::max(0, cx - half); x <= std::min(image.width - 1, cx + half); x++)
			{
				const uint8_t* p = PixelAt(image, x, y);
				if (p[2] > p[0] + 50 && p[2] > p[1] + 30)
					n++;
			}
		return n;
	}

	struct PlayerRun : ::testing::Test
	{
		fs::path scratch;

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			scratch = MakeScratchFolder("zapp-player");
		}
		void TearDown() override
		{
			RemoveScratchFolder(scratch);
		}
	};
}

TEST_F(PlayerRun, TheRobotLandsOnTheFarmAndIsOnScreenOnTheGround)
{
	// 20 s at a fixed 30 Hz: the saucer comes down, the robot walks out and
	// the saucer flies off out of the picture.
	fs::path shot = scratch / "shot.png";
	ProcessResult r = RunProcess({ZAPP_EXE, "--windowed", "--level", "0", "--fixed-step", "30", "--frames", "600",
			"--screenshot", shot.string(), "--report-player"}, ZAPP_BUILD_DIR,
			{"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1", "XDG_DATA_HOME=" + (scratch / "xdg").string()},
			180);
	ASSERT_FALSE(r.timedOut);
	ASSERT_EQ(r.exitCode, 0) << r.output;
	EXPECT_EQ(r.output.find("FATAL"), std::string::npos) << r.output;

	PlayerReport report;
	ASSERT_TRUE(ParseReport(r.output, &report)) << r.output;
	EXPECT_EQ(report.anim, 0) << "standing";
	EXPECT_EQ(report.onGround, 1);
	EXPECT_EQ(report.hidden, 0);
	EXPECT_NEAR(report.feet, report.ground, 2.0f) << "feet on the ground";

	ScreenImage image;
	ASSERT_TRUE(ReadPNGFile(shot, &image));
	int x = int(report.windowX), y = int(report.windowY);
	ASSERT_GE(x, 0);
	ASSERT_LT(x, image.width);
	ASSERT_GE(y, 0);
	ASSERT_LT(y, image.height);
	EXPECT_NEAR(x, image.width / 2, image.width / 8) << "the camera keeps the robot in the middle";
	EXPECT_GT(CountRobotBlue(image, x, y, 25), 150) << "the robot is drawn where it stands";
	// … and only there: the lower right corner shows the farm. The lower
	// left holds the infobar's lives, little robot heads in the same blue.
	EXPECT_LT(CountRobotBlue(image, image.width * 7 / 8, image.height * 7 / 8, 25), 20);
	float hud = image.height / 480.0f;		// the infobar's layout units at the default size
	EXPECT_GT(CountRobotBlue(image, int(60 * hud), int(462 * hud), int(15 * hud)), 60) << "the lives show";
}
