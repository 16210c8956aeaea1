// The front end driven by scripted input, as a person would use it: the
// start-up notice, the main menu, the settings (a language and a key changed,
// kept across runs), a new game through its intro into play, the pause menu
// and back to the main menu. Screenshots along the way prove the menus drew.
#include "Process.h"
#include "PNGFile.h"
#include "System/PrefsFile.h"

#include <gtest/gtest.h>
#include <SDL_scancode.h>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>

namespace fs = std::filesystem;

namespace
{
	// The settings' selectable rows from the top: keyboard, mouse, gamepad,
	// music, camera, language. The main menu's turntable: new game 0, quit 3,
	// settings 7. Frames assume --fixed-step 30: the renderer's warm-up draws 45,
	// the notice waits for its confirm at 100.
	const char* const kSettingsRun =
		"100 need UI_CONFIRM\n"						// past the start-up notice
		"200 shot DIR/menu.png\n"
		"210 need UI_LEFT\n"						// new game -> settings
		"240 need UI_CONFIRM\n"
		"290 shot DIR/settings.png\n"				// keyboard row selected
		"300 need UI_DOWN\n"
		"330 shot DIR/settings_down.png\n"			// mouse row selected
		"340 need UI_DOWN\n350 need UI_DOWN\n360 need UI_DOWN\n370 need UI_DOWN\n"
		"380 need UI_RIGHT\n"						// the next language
		"390 need UI_UP\n400 need UI_UP\n410 need UI_UP\n420 need UI_UP\n430 need UI_UP\n"
		"440 need UI_CONFIRM\n"						// the keyboard screen, forward's first key
		"470 need UI_RIGHT SLOT\n"					// SLOT: "1" moves to the second key
		"480 key Return\n"
		"500 key KEY\n"
		"520 shot DIR/keys.png\n"
		"530 need UI_BACK\n560 need UI_BACK\n"		// out of the settings: saved
		"600 need UI_LEFT\n610 need UI_LEFT\n620 need UI_LEFT\n630 need UI_LEFT\n"	// settings -> quit
		"650 need UI_CONFIRM\n"
		"900 quit\n";

	const char* const kPlayRun =
		"100 need UI_CONFIRM\n"
		"200 need UI_CONFIRM\n"						// new game
		"290 shot DIR/intro.png\n"
		"300 need UI_CONFIRM\n"
		"420 shot DIR/play.png\n"
		"430 need PAUSE\n"
		"470 shot DIR/pause.png\n"
		"480 need UI_DOWN\n490 need UI_DOWN\n"		// resume -> settings -> end game
		"510 need UI_CONFIRM\n"
		"600 need UI_CONFIRM\n"						// past the lose screen
		"720 shot DIR/menu_again.png\n"
		"730 need UI_RIGHT\n740 need UI_RIGHT\n750 need UI_RIGHT\n"
		"770 need UI_CONFIRM\n"
		"1000 quit\n";

	// Left alone, the main menu plays a demo after its idle time (30 s: 900
	// frames from the end of the title's drop, about frame 180), and a key
	// brings the menu straight back.
	const char* const kDemoRun =
		"100 need UI_CONFIRM\n"
		"200 shot DIR/menu.png\n"
		"1250 shot DIR/demo.png\n"
		"1260 key Space\n"
		"1330 shot DIR/back.png\n"
		"1340 quit\n";

	// The main menu's replays: two steps left from a new game, the level's
	// row, its newest run.
	const char* const kReplayRun =
		"100 need UI_CONFIRM\n"
		"200 need UI_LEFT\n210 need UI_LEFT\n"
		"240 need UI_CONFIRM\n"
		"290 shot DIR/replays.png\n"
		"300 need UI_CONFIRM\n"
		"340 need UI_CONFIRM\n"
		"500 shot DIR/replay.png\n"
		"1800 quit\n";

	// The lines a level's end prints (--report-player and every finished level).
	std::string LevelEndLines(const std::string& output)
	{
		std::string lines;
		std::regex line("LEVEL 0 (end|done) [^\n]*");
		for (auto it = std::sregex_iterator(output.begin(), output.end(), line); it != std::sregex_iterator(); ++it)
			lines += it->str() + "\n";
		return lines;
	}

	std::string Fill(std::string script, const std::vector<std::pair<std::string, std::string>>& values)
	{
		for (const auto& [name, value] : values)
			script = std::regex_replace(script, std::regex(name), value);
		// A "need UI_RIGHT 0" line would hold for no frame: such a step is left out.
		return std::regex_replace(script, std::regex(".*need UI_RIGHT 0\n"), "");
	}

	struct FrontEndRunTest : ::testing::Test
	{
		fs::path scratch;

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			scratch = MakeScratchFolder("zapp-frontend");
		}
		void TearDown() override
		{
			RemoveScratchFolder(scratch);
		}

		ProcessResult RunScript(const std::string& script, const std::string& name, double limit = 240)
		{
			fs::path file = scratch / (name + ".txt");
			std::ofstream(file) << script;
			return RunProcess({ZAPP_EXE, "--windowed", "--fixed-step", "30", "--seed", "1", "--input-script", file.string()},
					ZAPP_BUILD_DIR,
					{"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1",
					 "XDG_DATA_HOME=" + (scratch / "xdg").string()},
					limit);
		}

		PrefsType ReadSavedPrefs()
		{
			std::ifstream in(scratch / "xdg" / "Zappatron" / "Preferences6", std::ios::binary);
			std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
			PrefsType defaults, prefs;
			MakeDefaultPrefs(&defaults, 0);
			prefs = defaults;
			EXPECT_EQ(DecodePrefsFile(bytes.data(), bytes.size(), defaults, &prefs), PREFS_DECODE_OK)
					<< "preferences file of " << bytes.size() << " bytes";
			return prefs;
		}

		ScreenImage Shot(const std::string& name)
		{
			ScreenImage image;
			EXPECT_TRUE(ReadPNGFile(scratch / name, &image)) << name;
			return image;
		}
	};

	bool Near(const uint8_t* p, int r, int g, int b, int tolerance)
	{
		return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance;
	}

	// The selected row flickers in greys of 0.7..0.99; idle rows are (0.3, 0.5, 0.2).
	bool IsHighlightGrey(const uint8_t* p)
	{
		const int lo = std::min({p[0], p[1], p[2]}), hi = std::max({p[0], p[1], p[2]});
		return lo >= 170 && hi - lo <= 14;
	}

	// The main menu's choice label: cream (1, 1, 0.7) where its letters are solid.
	bool IsChoiceLabel(const uint8_t* p)
	{
		return Near(p, 255, 255, 178, 10);
	}

	int CountInBand(const ScreenImage& image, int y0, int y1, bool (*test)(const uint8_t*))
	{
		int count = 0;
		for (int y = std::max(0, y0); y < std::min(image.height, y1); y++)
			for (int x = 0; x < image.width; x++)
				count += test(PixelAt(image, x, y));
		return count;
	}

	// The middle line of the scanlines that carry a highlighted row's text
	// (a star is a dot; a row of text puts many grey pixels on a line); -1 when none.
	int HighlightedRowY(const ScreenImage& image)
	{
		int sum = 0, lines = 0;
		for (int y = 0; y < image.height; y++)
			if (CountInBand(image, y, y + 1, IsHighlightGrey) >= 12)
			{
				sum += y;
				lines++;
			}
		return lines ? sum / lines : -1;
	}
}

TEST_F(FrontEndRunTest, SettingsChangedInTheMenusAreKeptAcrossRunsAndMenusDraw)
{
	ProcessResult first = RunScript(Fill(kSettingsRun, {{"DIR", scratch.string()}, {"SLOT", "0"}, {"KEY", "I"}}), "first");
	ASSERT_EQ(first.exitCode, 0) << first.output;
	PrefsType prefs = ReadSavedPrefs();
	EXPECT_EQ(prefs.language, 1);
	EXPECT_EQ(prefs.bindings[0].key[0], SDL_SCANCODE_I);

	// The main menu: the choice's name, bright, under the turntable (the band
	// holds nothing else but a few stars).
	ScreenImage menu = Shot("menu.png");
	EXPECT_GT(CountInBand(menu, menu.height * 4 / 5, menu.height, IsChoiceLabel), 80);

	// The settings: idle rows in their green, and the highlight moving down a row with UI_DOWN.
	ScreenImage settings = Shot("settings.png"), down = Shot("settings_down.png");
	auto idleGreen = [](const uint8_t* p) { return Near(p, 76, 128, 51, 30); };
	EXPECT_GT(CountInBand(settings, 0, settings.height, idleGreen), 500);
	// The turntable's label (bottom fifth) hides while the settings cover the scene.
	EXPECT_LT(CountInBand(settings, settings.height * 4 / 5, settings.height, IsChoiceLabel), 10);
	const int keyboardRow = HighlightedRowY(settings), mouseRow = HighlightedRowY(down);
	ASSERT_GE(keyboardRow, 0);
	ASSERT_GE(mouseRow, 0);
	EXPECT_GT(mouseRow, keyboardRow);
	EXPECT_LT(mouseRow - keyboardRow, settings.height / 10);		// one row, not a jump
	// Where the highlight went, the first shot showed that row idle.
	EXPECT_GT(CountInBand(settings, mouseRow - 2, mouseRow + 3, idleGreen), 10);

	// A second run starts from what the first saved: one more language step and
	// the forward need's second key; the first key stays.
	ProcessResult second = RunScript(Fill(kSettingsRun, {{"DIR", scratch.string()}, {"SLOT", "1"}, {"KEY", "O"}}), "second");
	ASSERT_EQ(second.exitCode, 0) << second.output;
	prefs = ReadSavedPrefs();
	EXPECT_EQ(prefs.language, 2);
	EXPECT_EQ(prefs.bindings[0].key[0], SDL_SCANCODE_I);
	EXPECT_EQ(prefs.bindings[0].key[1], SDL_SCANCODE_O);
}

TEST_F(FrontEndRunTest, NewGameGoesThroughTheIntroIntoPlayAndThePauseMenuEndsIt)
{
	ProcessResult run = RunScript(Fill(kPlayRun, {{"DIR", scratch.string()}}), "play");
	ASSERT_EQ(run.exitCode, 0) << run.output;
	for (const char* name : {"intro.png", "play.png", "pause.png", "menu_again.png"})
		EXPECT_NE(run.output.find(std::string("wrote ") + (scratch / name).string()), std::string::npos) << name << run.output;

	// The pause menu: its resume row highlighted over the darkened level.
	ScreenImage pause = Shot("pause.png");
	EXPECT_GE(HighlightedRowY(pause), 0);
	auto pauseYellow = [](const uint8_t* p) { return Near(p, 255, 255, 76, 40); };
	EXPECT_GT(CountInBand(pause, 0, pause.height, pauseYellow), 100);

	// After the game ended, the turntable again with "new game" chosen.
	ScreenImage menu = Shot("menu_again.png");
	EXPECT_GT(CountInBand(menu, menu.height * 4 / 5, menu.height, IsChoiceLabel), 80);
}

TEST_F(FrontEndRunTest, LeftAloneTheMenuPlaysADemoUntilAKeyBringsItBack)
{
	ProcessResult run = RunScript(Fill(kDemoRun, {{"DIR", scratch.string()}}), "demo", 600);
	ASSERT_EQ(run.exitCode, 0) << run.output;
	ScreenImage menu = Shot("menu.png"), demo = Shot("demo.png"), back = Shot("back.png");
	EXPECT_GT(CountInBand(menu, menu.height * 4 / 5, menu.height, IsChoiceLabel), 80);

	// The demo: a level under its warm yellow caption at the top, no turntable label.
	auto captionYellow = [](const uint8_t* p) { return Near(p, 255, 217, 76, 45) && p[0] > p[2] + 120; };
	EXPECT_GT(CountInBand(demo, 0, demo.height / 4, captionYellow), 60);
	EXPECT_LT(CountInBand(demo, demo.height * 4 / 5, demo.height, IsChoiceLabel), 10);

	// A key later, the menu again with its label, and nothing of the demo kept:
	// no save, no replay.
	EXPECT_GT(CountInBand(back, back.height * 4 / 5, back.height, IsChoiceLabel), 80);
	std::error_code ec;
	for (const auto& file : fs::recursive_directory_iterator(scratch / "xdg", ec))
	{
		const std::string name = file.path().filename().string();
		EXPECT_EQ(name.find("save_"), std::string::npos) << name;
		EXPECT_EQ(name.find(".zreplay"), std::string::npos) << name;
	}
}

// A level the robot finishes is kept as a replay; the replays screen lists
// it, and playing it back ends the level exactly as the run did.
TEST_F(FrontEndRunTest, AFinishedLevelIsKeptAndItsReplayPlaysTheSameLevelAgain)
{
	const std::vector<std::string> env = {"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1",
			"XDG_DATA_HOME=" + (scratch / "xdg").string()};
	// Drawn like the replay (a logic-only run need not play a level the same);
	// the frames run out early in the next level, once the first was kept.
	ProcessResult played = RunProcess({ZAPP_EXE, "--windowed", "--level", "0", "--autopilot", "--fixed-step", "30",
			"--seed", "3", "--end-level-after", "40", "--frames", "1300", "--report-player"}, ZAPP_BUILD_DIR, env, 600);
	ASSERT_EQ(played.exitCode, 0) << played.output;
	const std::string playedLines = LevelEndLines(played.output);
	ASSERT_NE(playedLines.find("LEVEL 0 done"), std::string::npos) << played.output;
	std::vector<fs::path> kept;
	for (const auto& file : fs::directory_iterator(scratch / "xdg" / "Zappatron" / "Replays"))
		kept.push_back(file.path());
	ASSERT_EQ(kept.size(), 1u);
	EXPECT_EQ(kept[0].filename().string().rfind("level0-", 0), 0u) << kept[0];

	// The same clock ends the level in the replay; what the run ended with, the replay ends with.
	std::string script = Fill(kReplayRun, {{"DIR", scratch.string()}});
	fs::path file = scratch / "replay.txt";
	std::ofstream(file) << script;
	ProcessResult replayed = RunProcess({ZAPP_EXE, "--windowed", "--fixed-step", "30", "--seed", "1", "--end-level-after",
			"40", "--report-player", "--input-script", file.string()}, ZAPP_BUILD_DIR, env, 600);
	ASSERT_EQ(replayed.exitCode, 0) << replayed.output;
	EXPECT_EQ(LevelEndLines(replayed.output), playedLines) << replayed.output;
	auto captionYellow = [](const uint8_t* p) { return Near(p, 255, 217, 76, 45) && p[0] > p[2] + 120; };
	ScreenImage replay = Shot("replay.png");
	EXPECT_GT(CountInBand(replay, 0, replay.height / 4, captionYellow), 60);
}
