// The screens between levels in the real game, driven by scripted input: a
// level ends (on the test clock), the tally offers to save, the save lands in
// a slot and a second run loads it and resumes the next level with what was
// saved; a run that loses every life goes through the lose screen to the name
// entry, and a finished game through the win screen to it, and the table
// file keeps the name. Frames assume --fixed-step 30 (see FrontEndRunTests).
#include "Process.h"
#include "PNGFile.h"
#include "Screens/HighScores.h"
#include "System/SavedGame.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>

namespace fs = std::filesystem;

namespace
{
	// The test score every run starts with: the name entry needs points.
	constexpr const char* TEST_SCORE = "12345";

	// New game on the farm; the cheat keys (K J X) held through the first
	// seconds of play fill the inventory and the fuel; the test damage takes
	// health after that; the level ends on the test clock; the tally's offer
	// "save", the second slot, then on into the next level's intro.
	const char* const kSaveRun =
		"100 need UI_CONFIRM\n"					// past the start-up notice
		"200 need UI_CONFIRM\n"					// new game
		"300 need UI_CONFIRM\n"					// past the farm's intro
		"430 key K 270\n430 key J 270\n430 key X 270\n"
		"975 shot DIR/tally.png\n"
		"1080 need UI_CONFIRM\n"				// save
		"1140 shot DIR/slots.png\n"
		"1150 need UI_DOWN\n"					// the second slot
		"1170 need UI_CONFIRM\n"
		"1300 quit\n";

	// The main menu's second choice loads; the one filled slot is the only pick.
	const char* const kLoadRun =
		"100 need UI_CONFIRM\n"
		"200 need UI_RIGHT\n"
		"240 need UI_CONFIRM\n"
		"300 shot DIR/load.png\n"
		"310 need UI_CONFIRM\n"
		"410 need UI_CONFIRM\n"					// past the next level's intro
		"600 quit\n";

	// Spelling "ZAB" with the pad's letter controls: previous letter from a
	// space is Z, the cursor moves on by itself after a second; then A, and B.
	std::string SpellZAB(int start)
	{
		std::string s;
		auto at = [&](int frame, const char* what) { s += std::to_string(start + frame) + " " + what + "\n"; };
		at(0, "need TEXT_PREV_LETTER");
		at(50, "need TEXT_NEXT_LETTER");
		at(100, "need TEXT_NEXT_LETTER");
		at(110, "need TEXT_NEXT_LETTER");
		at(130, "shot DIR/name.png");
		at(150, "need TEXT_DONE");
		at(230, "quit");
		return s;
	}

	// Every life lost to the test damage; the lose screen left early; the name.
	std::string LoseRun()
	{
		return "100 need UI_CONFIRM\n200 need UI_CONFIRM\n300 need UI_CONFIRM\n"
			   "1500 shot DIR/lose.png\n"
			   "1560 need UI_CONFIRM\n"
			   + SpellZAB(1740);
	}

	// A new game at the last level (the 0 key held picks it), ended on the
	// clock; the win screen ignores a confirm in its first seconds, takes one
	// after its title shows, then one more for the closing panels.
	std::string WinRun()
	{
		return "100 need UI_CONFIRM\n190 key 0 20\n200 need UI_CONFIRM\n"
			   "640 shot DIR/win_early.png\n"
			   "650 need UI_CONFIRM\n"				// too early: the screen stays
			   "780 shot DIR/win.png\n"			// the title fades in over two seconds
			   "790 need UI_CONFIRM\n"
			   "890 shot DIR/panel.png\n"
			   "900 need UI_CONFIRM\n"
			   + SpellZAB(1080);
	}

	// The description after "LEVEL <level> <what> " in a run's output ("" when missing).
	std::string LevelLine(const std::string& output, int level, const char* what)
	{
		std::smatch m;
		std::regex line("LEVEL " + std::to_string(level) + " " + what + " ([^\\n]*)");
		return std::regex_search(output, m, line) ? m[1].str() : "";
	}

	float Field(const std::string& description, const char* name)
	{
		std::smatch m;
		if (!std::regex_search(description, m, std::regex(std::string(name) + "=([-0-9.]+)")))
			return -1;
		return std::stof(m[1].str());
	}

	bool Near(const uint8_t* p, int r, int g, int b, int tolerance)
	{
		return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance;
	}

	// The robot's blue of the score screens' scenes (the tally's hopper, the podium), lit.
	bool RobotBlue(const uint8_t* p)
	{
		return Near(p, 42, 120, 250, 25);
	}

	// Pixels of the rows above `rows` that pass `test`.
	template <typename Test>
	int CountPixelsAbove(const ScreenImage& image, int rows, Test test)
	{
		int count = 0;
		for (int y = 0; y < std::min(rows, image.height); y++)
			for (int x = 0; x < image.width; x++)
				count += test(PixelAt(image, x, y));
		return count;
	}

	template <typename Test>
	int CountPixels(const ScreenImage& image, Test test)
	{
		return CountPixelsAbove(image, image.height, test);
	}

	struct BetweenLevelsRunTest : ::testing::Test
	{
		fs::path scratch;

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			scratch = MakeScratchFolder("zapp-between");
		}
		void TearDown() override
		{
			RemoveScratchFolder(scratch);
		}

		ProcessResult Run(std::string script, const std::string& name, std::vector<std::string> extra)
		{
			script = std::regex_replace(script, std::regex("DIR"), scratch.string());
			fs::path file = scratch / (name + ".txt");
			std::ofstream(file) << script;
			std::vector<std::string> args = {ZAPP_EXE, "--windowed", "--fixed-step", "30", "--seed", "1",
											 "--report-player", "--input-script", file.string()};
			args.insert(args.end(), extra.begin(), extra.end());
			return RunProcess(args, ZAPP_BUILD_DIR,
					{"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1",
					 "XDG_DATA_HOME=" + (scratch / "xdg").string()},
					240);
		}

		std::vector<uint8_t> ReadFile(const std::string& name)
		{
			std::ifstream in(scratch / "xdg" / "Zappatron" / name, std::ios::binary);
			return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
		}

		ScreenImage Shot(const std::string& name)
		{
			ScreenImage image;
			EXPECT_TRUE(ReadPNGFile(scratch / name, &image)) << name;
			return image;
		}

		// The table on file after a name entry: its first row.
		HighScoreEntry FirstHighScore()
		{
			std::vector<uint8_t> bytes = ReadFile(HIGH_SCORES_FILE_NAME);
			HighScoreEntry table[NUM_HIGH_SCORES] = {};
			EXPECT_TRUE(DecodeHighScores(bytes.data(), bytes.size(), table)) << bytes.size() << " bytes";
			return table[0];
		}
	};
}

TEST_F(BetweenLevelsRunTest, SavedAtTheTallyTheLoadedGameResumesTheNextLevelWithWhatWasSaved)
{
	ProcessResult saving = Run(kSaveRun, "save",
			{"--end-level-after", "20", "--test-hurt-every", "3", "--test-score", TEST_SCORE});
	ASSERT_EQ(saving.exitCode, 0) << saving.output;
	const std::string started = LevelLine(saving.output, 0, "start"), ended = LevelLine(saving.output, 0, "end");
	ASSERT_FALSE(ended.empty()) << saving.output;
	ASSERT_NE(saving.output.find("LEVEL 0 done"), std::string::npos) << saving.output;
	// What the run carried out of the level differs from a new game in every
	// part but the lives, so a load that kept defaults would show.
	EXPECT_NE(Field(started, "health"), Field(ended, "health"));
	EXPECT_NE(Field(started, "fuel"), Field(ended, "fuel"));
	EXPECT_NE(started.substr(started.find("weapons=")), ended.substr(ended.find("weapons=")));

	// The save in the second slot holds the level to resume and that state.
	std::vector<uint8_t> bytes = ReadFile("save_01.quogsave");
	SavedGameRecord record;
	ASSERT_EQ(DecodeSavedGame(bytes.data(), bytes.size(), &record), SAVED_GAME_OK) << bytes.size() << " bytes";
	EXPECT_TRUE(ReadFile("save_00.quogsave").empty());
	EXPECT_EQ(record.level, 1);
	EXPECT_EQ(record.lives, int(Field(ended, "lives")));
	EXPECT_NEAR(record.health, Field(ended, "health"), 0.01f);
	EXPECT_NEAR(record.fuel, Field(ended, "fuel"), 0.01f);
	EXPECT_EQ(record.score, int(Field(ended, "score")));
	ASSERT_TRUE(record.hasWeapons);

	// A new run loads it from the main menu and plays the next level with it.
	ProcessResult loading = Run(kLoadRun, "load", {});
	ASSERT_EQ(loading.exitCode, 0) << loading.output;
	EXPECT_EQ(LevelLine(loading.output, 0, "start"), "") << "the load started the first level";
	EXPECT_EQ(LevelLine(loading.output, 1, "start"), ended) << loading.output;

	// The tally's title in its cream over its scene (the counting hopper's
	// blue); the slot screen's rows in the menu's green.
	ScreenImage tally = Shot("tally.png"), slots = Shot("slots.png");
	EXPECT_GT(CountPixels(tally, [](const uint8_t* p) { return Near(p, 255, 255, 178, 30); }), 100);
	EXPECT_GT(CountPixels(tally, RobotBlue), 500);
	EXPECT_GT(CountPixels(slots, [](const uint8_t* p) { return Near(p, 76, 128, 51, 30); }), 300);
}

TEST_F(BetweenLevelsRunTest, LosingEveryLifeLeadsThroughTheLoseScreenToTheNameEntry)
{
	ProcessResult run = Run(LoseRun(), "lose", {"--test-hurt-every", "1", "--test-score", TEST_SCORE});
	ASSERT_EQ(run.exitCode, 0) << run.output;
	EXPECT_EQ(Field(LevelLine(run.output, 0, "end"), "lives"), 0) << run.output;
	EXPECT_EQ(run.output.find("LEVEL 0 done"), std::string::npos);

	HighScoreEntry best = FirstHighScore();
	EXPECT_STREQ(best.name, "ZAB");
	EXPECT_EQ(best.score, uint32_t(std::atoi(TEST_SCORE)));

	// The lose screen's banner: the red of its hazard stripes.
	ScreenImage lose = Shot("lose.png");
	EXPECT_GT(CountPixels(lose, [](const uint8_t* p) { return p[0] > 150 && p[1] < 80 && p[2] < 80; }), 200);
	// The name entry stands beside the hero's podium.
	EXPECT_GT(CountPixels(Shot("name.png"), RobotBlue), 500);
}

TEST_F(BetweenLevelsRunTest, AFinishedGameShowsTheWinScreenThenTheNameEntry)
{
	ProcessResult run = Run(WinRun(), "win", {"--end-level-after", "1", "--test-score", TEST_SCORE});
	ASSERT_EQ(run.exitCode, 0) << run.output;
	EXPECT_NE(run.output.find("LEVEL 9 done"), std::string::npos) << run.output;

	HighScoreEntry best = FirstHighScore();
	EXPECT_STREQ(best.name, "ZAB");
	EXPECT_EQ(best.score, uint32_t(std::atoi(TEST_SCORE)));
	EXPECT_GT(CountPixels(Shot("name.png"), RobotBlue), 500);

	// The confirm before the title came was not taken: the title shows later on
	// the same phase, and the panels after the next confirm.
	// The title comes in over the globe; the people standing on the ground
	// below wear golds of their own (the farmer's hat, the bee costume), so
	// only the sky above the globe's middle is counted.
	ScreenImage early = Shot("win_early.png"), win = Shot("win.png"), panel = Shot("panel.png");
	auto titleGold = [](const uint8_t* p) { return p[0] > 200 && p[1] > 150 && p[2] < 90; };
	EXPECT_LT(CountPixelsAbove(early, early.height / 2, titleGold), 50);
	EXPECT_GT(CountPixelsAbove(win, win.height / 2, titleGold), 200);
	auto panelPurple = [](const uint8_t* p) { return p[0] > 35 && p[0] < 100 && p[1] < 35 && p[2] > 60 && p[2] > p[0]; };
	EXPECT_LT(CountPixels(win, panelPurple), 200);
	EXPECT_GT(CountPixels(panel, panelPurple), 3000);
}
