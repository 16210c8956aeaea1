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
		// The way-side exit-charge atoms are gathered on the way, and the farm
		// hands off the track rescued (half of them, the captives shot free):
		// 105 ... 210 s over seeds 1 ... 5.
		{0, END_FOR_REAL, 200, 0, ""},
		{1, END_FOR_REAL, 120, 0, ""},
		// The machine is fought from the plinth: a gun from a pod, the emitters
		// shot from behind, the cannons while the lid is low, the column (about 70 s).
		{2, END_FOR_REAL, 110, 0, ""},
		// Mutants and mutant robots meet the robot on both streets: fighting them costs some 20 s.
		{3, END_FOR_REAL, 135, 0, ""},
		{4, END_FOR_REAL, 110, 0, ""},
		{5, END_FOR_REAL, 110, 0, ""},
		// The pod heads and the pitcher plant are shot down for real before the exit opens.
		// Tentacles still cost the autopilot a life or two on most seeds, and each
		// comes back at the arena's edge: 145 … 265 s over seeds 1 … 8.
		{6, END_FOR_REAL, 300, 0, ""},
		// The charge is gathered for real; on the ice the robot waits for the
		// hammer bot's four smashes (some 10 s), then the lift's lid, the drop in
		// and the climb to take-off height take some 16 s.
		{7, END_FOR_REAL, 115, 0, ""},
		{8, END_FOR_REAL, 330, 0, ""},
		// The eight portals are sniped from the inner ring (some 110 s), then the
		// brain, which takes a hit only while it opens, is fought down (some 100 s).
		{9, END_FOR_REAL, 280, 0, ""},
	};

	bool Find(const std::string& output, const std::string& prefix, float* seconds)
	{
		size_t at = output.find(prefix);
		if (at == std::string::npos)
			return false;
		return sscanf(output.c_str() + at + prefix.size(), "%f", seconds) == 1;
	}

	// Logic only (no window, no display), at a fixed step with a fixed seed.
	struct AutopilotRun
	{
		fs::path scratch;

		void Begin()
		{
			scratch = MakeScratchFolder("zapp-playthrough");
		}
		void End()
		{
			RemoveScratchFolder(scratch);
		}
		ProcessResult Play(std::vector<std::string> args)
		{
			args.insert(args.begin(), {ZAPP_EXE, "--no-draw", "--fixed-step", std::to_string(STEP_HZ)});
			return RunProcess(args, ZAPP_BUILD_DIR,
					{"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "DISPLAY=", "XDG_DATA_HOME=" + (scratch / "xdg").string()}, 240);
		}
	};

	struct Playthrough : ::testing::TestWithParam<int>, AutopilotRun
	{
		void SetUp() override { Begin(); }
		void TearDown() override { End(); }
	};

	struct AutopilotGame : ::testing::Test, AutopilotRun
	{
		void SetUp() override { Begin(); }
		void TearDown() override { End(); }
	};

	std::string HashIn(const std::string& output)
	{
		size_t at = output.find("state hash: ");
		return at == std::string::npos ? std::string() : output.substr(at + 12, 16);
	}
}

TEST_P(Playthrough, TheAutopilotFinishesTheLevel)
{
	const LevelPlan& plan = kPlans[GetParam()];
	std::string level = std::to_string(plan.level);
	// The landing saucer takes some seconds before the robot is on its own.
	int frames = int((plan.budgetSeconds + 15) * STEP_HZ);
	std::vector<std::string> args = {"--level", level, "--autopilot", "--quit-after-levels", "1", "--seed", "1",
			"--check-invariants", "--frames", std::to_string(frames)};
	if (plan.mode == END_ROUTE_CHECK)
		args.push_back("--route-check");
	if (plan.mode != END_FOR_REAL)
		printf("level %d runs in %s: %s\n", plan.level, plan.mode == END_ROUTE_CHECK ? "route-check mode" : "route-only mode", plan.why);

	ProcessResult r = Play(args);
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

TEST_F(AutopilotGame, GoesOnFromLevelToLevelAndQuitsAfterTheCountWithOneLineEach)
{
	ProcessResult r = Play({"--level", "5", "--autopilot", "--route-check", "--quit-after-levels", "2", "--seed", "1",
			"--frames", "20000"});
	ASSERT_EQ(r.exitCode, 0) << r.output;
	size_t five = r.output.find("LEVEL 5 done time="), six = r.output.find("LEVEL 6 done time=");
	EXPECT_NE(five, std::string::npos) << r.output;
	ASSERT_NE(six, std::string::npos) << r.output;
	EXPECT_LT(five, six);
	// Each line ends with the lives left (an extra-life pod on the way may
	// add one), the score and the humans rescued on its level.
	size_t counts = r.output.find("lives=", six);
	ASSERT_NE(counts, std::string::npos) << r.output;
	int lives = -1, score = -1, humans = -1;
	EXPECT_EQ(sscanf(r.output.c_str() + counts, "lives=%d score=%d humans=%d", &lives, &score, &humans), 3);
	EXPECT_GE(lives, 1);
	EXPECT_EQ(score, 0);
	EXPECT_GE(humans, 0);
	EXPECT_EQ(r.output.find("LEVEL 7"), std::string::npos) << "it quit after two";

	// Out of frames before the count: exit code 3 and a line saying where it was.
	r = Play({"--level", "6", "--autopilot", "--quit-after-levels", "1", "--seed", "1", "--frames", "300"});
	EXPECT_EQ(r.exitCode, 3) << r.output;
	EXPECT_NE(r.output.find("FRAMES RAN OUT in level 6"), std::string::npos) << r.output;
}

TEST_F(AutopilotGame, ItsRunReplaysToTheSameStateWithoutIt)
{
	// Everything it does goes through the input layer, so the recorded input
	// alone, played back without the autopilot, ends in the same state.
	fs::path recording = scratch / "autopilot.rec";
	ProcessResult played = Play({"--level", "6", "--autopilot", "--seed", "7", "--frames", "700", "--record", recording.string()});
	ASSERT_EQ(played.exitCode, 0) << played.output;
	ASSERT_NE(played.output.find("AUTOPILOT level 6 goal 1/"), std::string::npos) << "it was walking the route\n" << played.output;
	ProcessResult replayed = RunProcess({ZAPP_EXE, "--no-draw", "--replay", recording.string()}, ZAPP_BUILD_DIR,
			{"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "DISPLAY=", "XDG_DATA_HOME=" + (scratch / "xdg").string()}, 240);
	ASSERT_EQ(replayed.exitCode, 0) << replayed.output;
	ASSERT_FALSE(HashIn(played.output).empty()) << played.output;
	EXPECT_EQ(HashIn(replayed.output), HashIn(played.output));
}
