// The real executable without a window (--no-draw), recording and replaying
// runs: two replays of a recording end in the same state, the run that made
// a recording ends there too, different input ends elsewhere, and damaged
// recordings are refused with the file's name and exit code 1.
#include "Process.h"
#include "X11Window.h"
#include "System/Input.h"
#include "System/Recording.h"
#include "System/RecordingFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	constexpr uint64_t Need(int need) { return 1ull << need; }

	// 45 warm-up updates, the level's first, then play at 30 Hz: the landing
	// saucer needs about 20 s, after which the robot walks a curve and jumps.
	InputRecording ScriptedWalk(bool jump, float turn)
	{
		InputRecording r;
		r.level = 0;
		r.seed = 1234;
		r.fixedStepHz = 30;
		for (int i = 0; i < 900; i++)
		{
			VirtualInputFrame f;
			if (i >= 700)
			{
				f.needsHeld = Need(NEED_FORWARD);
				f.steering = {turn, -1};
				if (jump && (i / 20) % 3 == 0)
					f.needsHeld |= Need(NEED_JUMP);
			}
			r.frames.push_back(f);
		}
		return r;
	}

	std::string HashIn(const std::string& output)
	{
		size_t at = output.find("state hash: ");
		return at == std::string::npos ? std::string() : output.substr(at + 12, 16);
	}

	struct ReplayRun : ::testing::Test
	{
		fs::path scratch;

		void SetUp() override
		{
			scratch = MakeScratchFolder("zapp-replay");
		}
		void TearDown() override
		{
			RemoveScratchFolder(scratch);
		}

		fs::path Write(const std::string& name, const InputRecording& r)
		{
			fs::path path = scratch / name;
			std::string error;
			EXPECT_TRUE(WriteRecordingFile(path.string(), r, &error)) << error;
			return path;
		}

		// No display at all unless asked for: a logic-only run must not need one.
		ProcessResult Run(std::vector<std::string> args, bool withDisplay = false)
		{
			args.insert(args.begin(), ZAPP_EXE);
			std::vector<std::string> env = {"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1",
					"XDG_DATA_HOME=" + (scratch / "xdg").string()};
			if (!withDisplay)
				env.push_back("DISPLAY=");
			return RunProcess(args, ZAPP_BUILD_DIR, env, 240);
		}

		std::string ReplayHash(const fs::path& recording, std::vector<std::string> extra = {"--no-draw"})
		{
			std::vector<std::string> args = {"--replay", recording.string()};
			args.insert(args.end(), extra.begin(), extra.end());
			ProcessResult r = Run(args, std::find(extra.begin(), extra.end(), "--no-draw") == extra.end());
			EXPECT_FALSE(r.timedOut);
			EXPECT_EQ(r.exitCode, 0) << r.output;
			std::string hash = HashIn(r.output);
			EXPECT_EQ(hash.size(), 16u) << r.output;
			return hash;
		}
	};
}

TEST_F(ReplayRun, NoDrawPlaysALevelWithoutADisplayAndCountsItsFrames)
{
	ProcessResult r = Run({"--no-draw", "--level", "0", "--fixed-step", "30", "--frames", "700", "--report-player"});
	ASSERT_FALSE(r.timedOut);
	ASSERT_EQ(r.exitCode, 0) << r.output;
	EXPECT_EQ(r.output.find("FATAL"), std::string::npos) << r.output;
	// The robot was landed, walked out and stands on the ground: the level really ran.
	size_t at = r.output.find("PLAYER anim=");
	ASSERT_NE(at, std::string::npos) << r.output;
	int anim = -1, onGround = -1;
	float feet = 0, ground = 0;
	ASSERT_EQ(sscanf(r.output.c_str() + at, "PLAYER anim=%d onground=%d feet=%f ground=%f", &anim, &onGround, &feet, &ground), 4);
	EXPECT_EQ(onGround, 1);
	EXPECT_NEAR(feet, ground, 2.0f);
}

TEST_F(ReplayRun, ReplaysOfOneRecordingAgreeAndDifferentInputDoesNot)
{
	fs::path walk = Write("walk.rec", ScriptedWalk(true, 0.3f));
	std::string first = ReplayHash(walk);
	ASSERT_FALSE(first.empty());
	EXPECT_EQ(ReplayHash(walk), first) << "a second replay";

	// Re-recording a replay writes the same frames: its replay ends in the same state.
	fs::path again = scratch / "again.rec";
	ProcessResult r = Run({"--replay", walk.string(), "--record", again.string(), "--no-draw"});
	ASSERT_EQ(r.exitCode, 0) << r.output;
	EXPECT_EQ(HashIn(r.output), first);
	EXPECT_EQ(ReplayHash(again), first);

	EXPECT_NE(ReplayHash(Write("nojump.rec", ScriptedWalk(false, 0.3f))), first) << "no jumps";
	EXPECT_NE(ReplayHash(Write("left.rec", ScriptedWalk(true, -0.3f))), first) << "turning the other way";
	InputRecording otherSeed = ScriptedWalk(true, 0.3f);
	otherSeed.seed = 4321;
	EXPECT_NE(ReplayHash(Write("seed.rec", otherSeed)), first) << "another seed";
}

TEST_F(ReplayRun, TheRunThatRecordedEndsWhereItsReplaysEnd)
{
	fs::path rec = scratch / "run.rec";
	ProcessResult r = Run({"--no-draw", "--level", "1", "--fixed-step", "30", "--frames", "400", "--record", rec.string()});
	ASSERT_EQ(r.exitCode, 0) << r.output;
	std::string recorded = HashIn(r.output);
	ASSERT_EQ(recorded.size(), 16u) << r.output;
	EXPECT_EQ(ReplayHash(rec), recorded);

	InputRecording back;
	std::string error;
	ASSERT_TRUE(ReadRecordingFile(rec.string(), &back, &error)) << error;
	EXPECT_EQ(back.level, 1);
	EXPECT_EQ(back.fixedStepHz, 30.0f);
	// One input update per drawn frame, warm-up included, and the level's first before its loop.
	EXPECT_GE(back.frames.size(), 400u);
	EXPECT_LE(back.frames.size(), 402u);
}

TEST_F(ReplayRun, DrawingDoesNotChangeWhereAReplayEnds)
{
	if (!std::getenv("DISPLAY"))
		GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
	fs::path walk = Write("walk.rec", ScriptedWalk(true, 0.3f));
	EXPECT_EQ(ReplayHash(walk, {"--windowed"}), ReplayHash(walk));
}

namespace
{
	// Closes the game's window once it has played for a while (about 4 s in).
	bool CloseAfterAWhile(int pid, void* user)
	{
		int* calls = static_cast<int*>(user);
		return ++*calls > 80 && SendCloseToWindowNamed("Zappatron 4.0.1", pid);
	}
}

TEST_F(ReplayRun, ARunEndedByClosingTheWindowReplaysToTheSameState)
{
	if (!std::getenv("DISPLAY"))
		GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
	fs::path rec = scratch / "closed.rec";
	int calls = 0;
	ProcessResult r = RunProcess({ZAPP_EXE, "--windowed", "--level", "0", "--fixed-step", "30", "--record", rec.string()},
			ZAPP_BUILD_DIR, {"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1",
					"XDG_DATA_HOME=" + (scratch / "xdg").string()}, 120, CloseAfterAWhile, &calls);
	ASSERT_FALSE(r.timedOut) << r.output;
	ASSERT_EQ(r.exitCode, 0) << r.output;
	std::string recorded = HashIn(r.output);
	ASSERT_EQ(recorded.size(), 16u) << r.output;

	InputRecording back;
	std::string error;
	ASSERT_TRUE(ReadRecordingFile(rec.string(), &back, &error)) << error;
	EXPECT_EQ(back.endsAt, RECORDING_ENDS_AT_INPUT);
	EXPECT_EQ(ReplayHash(rec), recorded);
}

TEST_F(ReplayRun, DamagedRecordingsAreRefusedNamingTheFile)
{
	std::vector<uint8_t> good;
	EncodeRecording(ScriptedWalk(true, 0), &good);
	struct Case { const char* name; size_t keep; int flip; const char* reason; };
	const Case cases[] = {
		{"cut.rec", good.size() - 7, -1, "truncated"},
		{"flipped.rec", good.size(), 300, "checksum"},
		{"magic.rec", good.size(), 0, "not a recording"},
		{"tiny.rec", 3, -1, "too short"},
	};
	for (const Case& c : cases)
	{
		std::vector<uint8_t> bytes(good.begin(), good.begin() + ptrdiff_t(c.keep));
		if (c.flip >= 0)
			bytes[size_t(c.flip)] ^= 0x20;
		fs::path path = scratch / c.name;
		std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
		ProcessResult r = Run({"--replay", path.string(), "--no-draw"});
		EXPECT_EQ(r.exitCode, 1) << c.name << ": " << r.output;
		EXPECT_NE(r.output.find(path.string()), std::string::npos) << c.name << ": " << r.output;
		EXPECT_NE(r.output.find(c.reason), std::string::npos) << c.name << ": " << r.output;
		EXPECT_EQ(r.output.find("state hash"), std::string::npos) << c.name;
	}
	ProcessResult r = Run({"--replay", (scratch / "missing.rec").string(), "--no-draw"});
	EXPECT_EQ(r.exitCode, 1) << r.output;
	EXPECT_NE(r.output.find("missing.rec"), std::string::npos) << r.output;
}
