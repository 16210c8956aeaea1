// The real executable under a virtual display: start-up failures, quitting,
// automation switches and the first frames.
#include "Process.h"
#include "PNGFile.h"
#include "Effects/Sky.h"
#include "System/LevelTable.h"
#include "3D/Screenshot.h"

#include "X11Window.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace
{
	std::vector<std::string> Env(const fs::path& scratch)
	{
		return {"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1",
				"XDG_DATA_HOME=" + (scratch / "xdg").string()};
	}

	struct GameRunTest : ::testing::Test
	{
		fs::path scratch;

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			scratch = MakeScratchFolder("zapp-run");
		}
		void TearDown() override
		{
			RemoveScratchFolder(scratch);
		}

		ProcessResult Run(std::vector<std::string> args, double limit = 60,
				bool (*whileRunning)(int, void*) = nullptr)
		{
			args.insert(args.begin(), ZAPP_EXE);
			return RunProcess(args, ZAPP_BUILD_DIR, Env(scratch), limit, whileRunning);
		}
	};

	// Asks the game's window to close, as a window manager's close button does;
	// again and again, since a request sent while the window is still being
	// set up may be lost.
	// Counts the requests that reached a window of the game's process.
	int gCloseRequestsSent = 0;

	bool SendCloseToGameWindow(int pid, void*)
	{
		if (SendCloseToWindowNamed("Zappatron 4.0.1", pid))
			gCloseRequestsSent++;
		return false;
	}
}

TEST_F(GameRunTest, MissingDataFolderIsReportedWithExitCode1)
{
	// A copy of the executable in a folder with no Data beside it or below the working directory.
	fs::path lonely = scratch / "zappatron";
	fs::copy_file(ZAPP_EXE, lonely);
	ProcessResult r = RunProcess({lonely.string()}, scratch.string(), Env(scratch), 60);
	EXPECT_FALSE(r.timedOut);
	EXPECT_EQ(r.exitCode, 1);
	EXPECT_NE(r.output.find("Uncaught exception: Couldn't find the Data folder."), std::string::npos) << r.output;
}

// Packagers and scripts see a bad switch at once: one line naming it, exit 2,
// and no window opened.
TEST_F(GameRunTest, BadSwitchesExitWithCode2AndOneLineNamingThem)
{
	for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
			{"--bogus"}, {"--level", "12"}, {"--fullscreen-resolution", "800"}, {"--replay", "a", "--level", "1"}})
	{
		ProcessResult r = Run(args);
		EXPECT_EQ(r.exitCode, 2) << r.output;
		EXPECT_NE(r.output.find(args[0]), std::string::npos) << r.output;
		EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
	}
	ProcessResult version = Run({"--version"});
	EXPECT_EQ(version.exitCode, 0);
	EXPECT_EQ(version.output, "Zappatron 4.0.1\n");
}

// The baker reads its command line the same way: --help bakes nothing.
TEST_F(GameRunTest, BakerHelpBakesNothingAndABadSwitchIsNamed)
{
	ProcessResult help = RunProcess({ZAPP_BAKE_EXE, "--help"}, scratch.string(), Env(scratch), 60);
	EXPECT_EQ(help.exitCode, 0);
	EXPECT_NE(help.output.find("DATA_DIR"), std::string::npos) << help.output;
	EXPECT_FALSE(fs::exists(scratch / "--help"));
	ProcessResult bad = RunProcess({ZAPP_BAKE_EXE, "--bogus", "out"}, scratch.string(), Env(scratch), 60);
	EXPECT_EQ(bad.exitCode, 2);
	EXPECT_NE(bad.output.find("--bogus"), std::string::npos) << bad.output;
	EXPECT_FALSE(fs::exists(scratch / "out"));
}

TEST_F(GameRunTest, RunsAFixedNumberOfFramesAndExitsCleanly)
{
	ProcessResult r = Run({"--windowed", "--frames", "120"});
	EXPECT_FALSE(r.timedOut);
	EXPECT_EQ(r.exitCode, 0) << r.output;
	EXPECT_EQ(r.output.find("ALERT"), std::string::npos) << r.output;
}

TEST_F(GameRunTest, ClosingTheWindowExitsWithCode0)
{
	gCloseRequestsSent = 0;
	ProcessResult r = Run({"--windowed", "--level", "2"}, 60, SendCloseToGameWindow);
	EXPECT_FALSE(r.timedOut) << "the game ignored " << gCloseRequestsSent << " close requests";
	EXPECT_EQ(r.exitCode, 0) << r.output;
}

TEST_F(GameRunTest, ScreenshotShowsTheLevelClearColour)
{
	// The saucer level has neither a backdrop nor a sky sheet: the sky along
	// the top of the frame is its clear colour once the warm-up and a second
	// of fade-in at a fixed 15 Hz are over. The fly-over camera looks across
	// the level.
	constexpr int LEVEL = 8;
	ASSERT_FALSE(GetSkyLevelInfo(LEVEL).hasSky);
	fs::path shot = scratch / "shot.png";
	ProcessResult r = Run({"--windowed", "--level", std::to_string(LEVEL), "--fixed-step", "15", "--frames", "80",
			"--screenshot", shot.string(), "--fly-over"});
	ASSERT_EQ(r.exitCode, 0) << r.output;
	ScreenImage image;
	ASSERT_TRUE(ReadPNGFile(shot, &image));
	ASSERT_GT(image.width, 100);
	ASSERT_GT(image.height, 100);
	const float* clear = GetLevelDef(LEVEL).view.clearColor;
	for (int y : {1, 3})
	{
		for (int x : {2, image.width / 2, image.width - 3})
		{
			const uint8_t* p = PixelAt(image, x, y);
			EXPECT_NEAR(p[0], int(clear[0] * 255 + 0.5f), 2);
			EXPECT_NEAR(p[1], int(clear[1] * 255 + 0.5f), 2);
			EXPECT_NEAR(p[2], int(clear[2] * 255 + 0.5f), 2);
		}
	}
}

TEST_F(GameRunTest, StartsAndQuitsAgainAndAgainWithoutHanging)
{
	// A quit usually lands mid-frame, with drawing queued for the software
	// renderer's threads; a teardown in the wrong order hung about one run in
	// twenty. Each run has its own time limit, so a hang fails the test
	// instead of stalling it. Most runs stop after a number of frames, on two
	// levels; every fourth closes the window instead.
	constexpr int RUNS = 16;
	constexpr double LIMIT_SECONDS = 60;
	int closed = 0;
	for (int run = 0; run < RUNS; run++)
	{
		const bool closeWindow = run % 4 == 3;
		const std::string level = run % 2 ? "9" : "0";
		gCloseRequestsSent = 0;
		ProcessResult r = closeWindow
				? Run({"--windowed", "--level", level, "--fixed-step", "30", "--skip-fluff"}, LIMIT_SECONDS, SendCloseToGameWindow)
				: Run({"--windowed", "--level", level, "--fixed-step", "30", "--skip-fluff", "--frames", "40"}, LIMIT_SECONDS);
		ASSERT_FALSE(r.timedOut) << "run " << run << " (level " << level << (closeWindow ? ", window closed" : ", 40 frames")
				<< ") never exited\n" << r.output;
		ASSERT_EQ(r.exitCode, 0) << "run " << run << "\n" << r.output;
		EXPECT_EQ(r.output.find("ALERT"), std::string::npos) << r.output;
		closed += closeWindow && gCloseRequestsSent > 0;
	}
	EXPECT_EQ(closed, RUNS / 4) << "every window-closing run reached the game's window";
}
