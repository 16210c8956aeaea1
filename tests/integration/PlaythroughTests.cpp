// Each level played by the autopilot in the real game, at a fixed step with a
// fixed seed and every frame's invariants checked. A level whose gameplay
// cannot charge the exit yet runs in route-check mode (the exit charged from
// the start; the robot still has to get there); a level whose end is not in
// the game at all yet only has to be walked to its route's last goal. Both
// lists shrink as the gameplay lands.
#include "Process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	constexpr int STEP_HZ = 30;

	enum EndMode
	{
		END_FOR_REAL,			// the level ends as in play
		END_ROUTE_CHECK,		// nothing charges the exit yet: --route-check
		END_NOT_BUILT,			// no way to end the level exists yet: the route is walked to its last goal
	};

	struct LevelPlan
	{
		int level;
		EndMode mode;
		float budgetSeconds;		// game time to finish (or to walk the route)
		int goalsReachable;			// route-only levels: the goals that can be done today
		const char* why;			// what is still missing, for the log
	};

	const LevelPlan kPlans[10] = {
		{0, END_ROUTE_CHECK, 120, 0, "no atoms charge the exit yet"},
		{1, END_ROUTE_CHECK, 120, 0, "no atoms charge the exit yet"},
		{2, END_NOT_BUILT, 10, 1, "the blob boss machine that ends the level is not built"},
		{3, END_ROUTE_CHECK, 120, 0, "no atoms charge the exit yet"},
		{4, END_ROUTE_CHECK, 120, 0, "no atoms charge the exit yet"},
		{5, END_ROUTE_CHECK, 120, 0, "no atoms charge the exit yet"},
		{6, END_FOR_REAL, 60, 0, ""},
		{7, END_NOT_BUILT, 45, 3, "the exit lift is not placed"},
		{8, END_NOT_BUILT, 10, 3, "the saucer cannot drop the robot at the drop zone yet"},
		{9, END_NOT_BUILT, 20, 1, "the brain boss is not built"},
	};

	bool Find(const std::string& output, const std::string& prefix, float* seconds)
	{
		size_t at = output.find(prefix);
		if (at == std::string::npos)
			return false;
		return sscanf(output.c_str() + at + prefix.size(), "%f", seconds) == 1;
	}

	struct Playthrough : ::testing::TestWithParam<int>
	{
		fs::path scratch;

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			scratch = fs::temp_directory_path() / ("zapp-playthrough-" + std::to_string(getpid()));
			fs::remove_all(scratch);
			fs::create_directories(scratch / "xdg");
		}
		void TearDown() override
		{
			if (!scratch.empty())
				fs::remove_all(scratch);
		}
	};
}

TEST_P(Playthrough, TheAutopilotFinishesTheLevel)
{
	const LevelPlan& plan = kPlans[GetParam()];
	std::string level = std::to_string(plan.level);
	// The landing saucer takes some seconds before the robot is on its own.
	int frames = int((plan.budgetSeconds + 15) * STEP_HZ);
	std::vector<std::string> args = {ZAPP_EXE, "--windowed", "--level", level, "--autopilot", "--quit-after-levels", "1",
			"--fixed-step", std::to_string(STEP_HZ), "--seed", "1", "--check-invariants", "--frames", std::to_string(frames)};
	if (plan.mode == END_ROUTE_CHECK)
		args.push_back("--route-check");
	if (plan.mode != END_FOR_REAL)
		printf("level %d runs in %s: %s\n", plan.level, plan.mode == END_ROUTE_CHECK ? "route-check mode" : "route-only mode", plan.why);

	ProcessResult r = RunProcess(args, ZAPP_BUILD_DIR,
			{"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1", "XDG_DATA_HOME=" + (scratch / "xdg").string()},
			600);
	ASSERT_FALSE(r.timedOut);
	EXPECT_EQ(r.output.find("ALERT"), std::string::npos) << r.output;

	float seconds = 0;
	if (plan.mode == END_NOT_BUILT)
	{
		EXPECT_EQ(r.exitCode, 3) << "nothing ends this level yet; the frames run out\n" << r.output;
		std::string goal = "AUTOPILOT level " + level + " goal " + std::to_string(plan.goalsReachable) + "/";
		size_t at = r.output.find(goal);
		ASSERT_NE(at, std::string::npos) << r.output;
		int total = 0;
		ASSERT_EQ(sscanf(r.output.c_str() + at + goal.size(), "%d done at %f", &total, &seconds), 2) << r.output;
		EXPECT_LE(seconds, plan.budgetSeconds) << r.output;
		return;
	}
	ASSERT_EQ(r.exitCode, 0) << r.output;
	ASSERT_TRUE(Find(r.output, "LEVEL " + level + " done time=", &seconds)) << r.output;
	EXPECT_LE(seconds, plan.budgetSeconds) << r.output;
	size_t line = r.output.find("LEVEL " + level + " done");
	printf("%s\n", r.output.substr(line, r.output.find('\n', line) - line).c_str());
}

INSTANTIATE_TEST_SUITE_P(AllLevels, Playthrough, ::testing::Range(0, 10),
		[](const ::testing::TestParamInfo<int>& info) { return "Level" + std::to_string(info.param); });
