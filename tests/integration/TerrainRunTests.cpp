// Every level's world on screen: the real game flies its camera over each
// terrain and the screenshot shows ground, not just the clear colour.
#include "Process.h"
#include "PNGFile.h"
#include "System/LevelTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	struct TerrainRun : ::testing::TestWithParam<int>
	{
		fs::path scratch;

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			scratch = MakeScratchFolder("zapp-terrain");
		}
		void TearDown() override
		{
			RemoveScratchFolder(scratch);
		}
	};
}

TEST_P(TerrainRun, TheLevelShowsItsGround)
{
	int level = GetParam();
	fs::path shot = scratch / "shot.png";
	// 200 frames at a fixed 60 Hz: past the warm-up and the fade-in, with
	// the camera flying over the start of the level.
	ProcessResult r = RunProcess({ZAPP_EXE, "--windowed", "--level", std::to_string(level), "--fixed-step", "60",
			"--frames", "200", "--screenshot", shot.string()}, ZAPP_BUILD_DIR,
			{"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1", "XDG_DATA_HOME=" + (scratch / "xdg").string()},
			120);
	ASSERT_FALSE(r.timedOut);
	ASSERT_EQ(r.exitCode, 0) << r.output;
	EXPECT_EQ(r.output.find("FATAL"), std::string::npos) << r.output;

	ScreenImage image;
	ASSERT_TRUE(ReadPNGFile(shot, &image));
	ASSERT_GT(image.width, 100);

	// The lower half looks down on the ground: many colours, and hardly any
	// pixel left at the clear colour.
	const float* clear = GetLevelDef(level).view.clearColor;
	int clearR = int(clear[0] * 255 + 0.5f), clearG = int(clear[1] * 255 + 0.5f), clearB = int(clear[2] * 255 + 0.5f);
	std::set<uint32_t> colours;
	int asClear = 0, total = 0;
	for (int y = image.height / 2; y < image.height; y += 2)
		for (int x = 0; x < image.width; x += 2)
		{
			const uint8_t* p = PixelAt(image, x, y);
			colours.insert(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
			if (std::abs(p[0] - clearR) <= 2 && std::abs(p[1] - clearG) <= 2 && std::abs(p[2] - clearB) <= 2)
				asClear++;
			total++;
		}
	EXPECT_GT(colours.size(), 200u) << "level " << level << ": the ground is textured and lit";
	EXPECT_LT(asClear, total / 10) << "level " << level << ": the lower half is ground, not clear colour";
}

INSTANTIATE_TEST_SUITE_P(AllLevels, TerrainRun, ::testing::Range(0, 10));
