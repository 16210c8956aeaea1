// Command line, automation switches, start-up keys, window size and the data
// folder search.
#include "Automation/Automation.h"
#include "System/Boot.h"
#include "System/CommandLine.h"
#include "System/Error.h"
#include "System/Game.h"
#include "System/Window.h"
#include "Files.h"
#include "PlatformTypes.h"

#include <SDL.h>
#include <CLI/CLI.hpp>
#include <gtest/gtest.h>
#include <fstream>
#include <set>

namespace fs = std::filesystem;

namespace
{
	std::vector<char*> Argv(std::vector<std::string>& args)
	{
		std::vector<char*> argv;
		for (auto& a : args)
			argv.push_back(a.data());
		argv.push_back(nullptr);
		return argv;
	}
}

TEST(CommandLine, ReadsTheGameSwitchesAndStartsFromNotGiven)
{
	std::vector<std::string> args = {"zappatron", "--fullscreen-resolution", "1024", "768",
			"--fullscreen-refresh-rate", "75", "--skip-fluff"};
	auto argv = Argv(args);
	AutomationOptions options;
	std::string error;
	ASSERT_TRUE(ParseAutomationFlags(int(args.size()), argv.data(), &options, &error)) << error;
	EXPECT_EQ(gFullscreenWidth, 1024);
	EXPECT_EQ(gFullscreenHeight, 768);
	EXPECT_EQ(gFullscreenRefreshRate, 75);
	EXPECT_TRUE(gSkipFluff);

	// A second parse starts from "not given".
	std::vector<std::string> plain = {"zappatron"};
	auto plainArgv = Argv(plain);
	ASSERT_TRUE(ParseAutomationFlags(1, plainArgv.data(), &options, &error)) << error;
	EXPECT_EQ(gFullscreenWidth, 0);
	EXPECT_EQ(gFullscreenRefreshRate, 0);
	EXPECT_FALSE(gSkipFluff);
}

// Whatever is wrong, the one line says which switch it was.
TEST(CommandLine, UnknownSwitchesMissingAndBadValuesAreNamed)
{
	struct Case { std::vector<std::string> args; const char* named; };
	std::vector<Case> cases = {
		{{"zappatron", "--unknown"}, "--unknown"},
		{{"zappatron", "--level", "7", "stray"}, "stray"},
		{{"zappatron", "--fullscreen-resolution", "800"}, "--fullscreen-resolution"},
		{{"zappatron", "--fullscreen-resolution"}, "--fullscreen-resolution"},
		{{"zappatron", "--fullscreen-refresh-rate"}, "--fullscreen-refresh-rate"},
		{{"zappatron", "--fullscreen-refresh-rate", "fast"}, "--fullscreen-refresh-rate"},
		{{"zappatron", "--show-screen", "lobby"}, "--show-screen"},
		{{"zappatron", "--view-skeleton", "nobody", "1"}, "--view-skeleton"},
		{{"zappatron", "--view-skeleton", "0", "40"}, "--view-skeleton"},
		{{"zappatron", "--record", ""}, "--record"},
		{{"zappatron", "--screenshot", "--windowed"}, "--screenshot"},
	};
	for (auto& c : cases)
	{
		auto argv = Argv(c.args);
		AutomationOptions options;
		std::string error;
		EXPECT_FALSE(ParseAutomationFlags(int(c.args.size()), argv.data(), &options, &error)) << c.args[1];
		EXPECT_NE(error.find(c.named), std::string::npos) << error;
		EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
	}
}

TEST(CommandLine, HelpListsEverySwitchInItsGroupAndVersionNamesTheGame)
{
	std::vector<std::string> help = {"zappatron", "--help"};
	auto helpArgv = Argv(help);
	AutomationOptions options;
	std::string text;
	CLI::App app;
	AddGameSwitches(&app);
	AddAutomationSwitches(&app, &options);
	ASSERT_EQ(ParseSwitches(&app, 2, helpArgv.data(), nullptr, &text), COMMAND_LINE_DONE);
	size_t playing = text.find(SWITCH_GROUP_PLAYING), testing = text.find(SWITCH_GROUP_TESTING);
	ASSERT_NE(playing, std::string::npos) << text;
	ASSERT_NE(testing, std::string::npos) << text;
	EXPECT_LT(playing, testing);
	for (const CLI::Option* option : app.get_options())
	{
		const std::string name = option->get_name();
		size_t at = text.find(name + " ");
		ASSERT_NE(at, std::string::npos) << name << " missing from\n" << text;
		EXPECT_EQ(at > testing, option->get_group() == std::string(SWITCH_GROUP_TESTING)) << name << " listed in the wrong group";
		EXPECT_FALSE(option->get_description().empty()) << name;
	}

	std::vector<std::string> version = {"zappatron", "--version"};
	auto versionArgv = Argv(version);
	CLI::App again;
	AddGameSwitches(&again);
	ASSERT_EQ(ParseSwitches(&again, 2, versionArgv.data(), nullptr, &text), COMMAND_LINE_DONE);
	EXPECT_EQ(text, std::string(GameVersionText()) + "\n");
}

TEST(CommandLine, AutomationSwitchesAreReadAndChecked)
{
	std::vector<std::string> args = {"zappatron", "--level", "7", "--frames", "300", "--fixed-step", "60",
			"--screenshot", "/tmp/x.png", "--windowed", "--skip-fluff"};
	auto argv = Argv(args);
	AutomationOptions options;
	std::string error;
	ASSERT_TRUE(ParseAutomationFlags(int(args.size()), argv.data(), &options, &error)) << error;
	EXPECT_EQ(options.startLevel, 7);
	EXPECT_EQ(options.frames, 300);
	EXPECT_FLOAT_EQ(options.fixedStepHz, 60);
	EXPECT_EQ(options.screenshotPath, "/tmp/x.png");
	EXPECT_TRUE(options.windowed);
	EXPECT_FALSE(options.hasSeed);

	std::vector<std::string> seeded = {"z", "--seed", "4294967295"};
	auto seededArgv = Argv(seeded);
	ASSERT_TRUE(ParseAutomationFlags(int(seeded.size()), seededArgv.data(), &options, &error)) << error;
	EXPECT_TRUE(options.hasSeed);
	EXPECT_EQ(options.seed, 4294967295u);

	// The autopilot without a level plays the game from the first one.
	std::vector<std::string> autopilot = {"z", "--autopilot", "--quit-after-levels", "3", "--route-check", "--check-invariants"};
	auto autopilotArgv = Argv(autopilot);
	ASSERT_TRUE(ParseAutomationFlags(int(autopilot.size()), autopilotArgv.data(), &options, &error)) << error;
	EXPECT_TRUE(options.autopilot && options.routeCheck && options.checkInvariants);
	EXPECT_EQ(options.quitAfterLevels, 3);
	EXPECT_EQ(options.startLevel, 0);

	for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
			{"z", "--quit-after-levels", "0"}, {"z", "--quit-after-levels", "11"}, {"z", "--quit-after-levels", "1.5"},
			{"z", "--quit-after-levels"},
			{"z", "--level", "10"}, {"z", "--level", "x"}, {"z", "--frames", "0"},
			{"z", "--fixed-step", "1000"}, {"z", "--screenshot"},
			{"z", "--seed", "-1"}, {"z", "--seed", "1.5"}, {"z", "--seed", "4294967296"}})
	{
		auto badArgv = Argv(bad);
		EXPECT_FALSE(ParseAutomationFlags(int(bad.size()), badArgv.data(), &options, &error)) << bad[1] << " " << (bad.size() > 2 ? bad[2] : "");
		EXPECT_FALSE(error.empty());
	}
}

TEST(CommandLine, RecordReplayAndNoDrawSwitchesRefuseWhatCannotWorkTogether)
{
	AutomationOptions options;
	std::string error;
	std::vector<std::string> record = {"z", "--record", "/tmp/r.rec", "--level", "2", "--fixed-step", "30", "--no-draw"};
	auto recordArgv = Argv(record);
	ASSERT_TRUE(ParseAutomationFlags(int(record.size()), recordArgv.data(), &options, &error)) << error;
	EXPECT_EQ(options.recordPath, "/tmp/r.rec");
	EXPECT_TRUE(options.noDraw);
	EXPECT_TRUE(options.replayPath.empty());

	std::vector<std::string> timedemo = {"z", "--timedemo", "/tmp/r.rec"};
	auto timedemoArgv = Argv(timedemo);
	ASSERT_TRUE(ParseAutomationFlags(int(timedemo.size()), timedemoArgv.data(), &options, &error)) << error;
	EXPECT_EQ(options.replayPath, "/tmp/r.rec");
	EXPECT_TRUE(options.timedemo);

	for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
			{"z", "--record", "r", "--fixed-step", "30"},			// where would a replay start?
			{"z", "--record", "r", "--level", "1"},					// and at what step?
			{"z", "--replay", "r", "--level", "1"},					// the file says
			{"z", "--replay", "r", "--seed", "5"},
			{"z", "--replay", "r", "--timedemo", "r"},
			{"z", "--timedemo", "r", "--no-draw"},
			{"z", "--no-draw", "--screenshot", "/tmp/x.png"},
			{"z", "--no-draw", "--view-models", "m.bg3d"},
			{"z", "--replay"}})
	{
		auto badArgv = Argv(bad);
		EXPECT_FALSE(ParseAutomationFlags(int(bad.size()), badArgv.data(), &options, &error)) << bad[1] << " " << bad.back();
		EXPECT_FALSE(error.empty());
	}
}

namespace
{
	std::set<int> gHeldKeys;
	bool FakeKeyDown(int scancode) { return gHeldKeys.count(scancode) != 0; }

	StartupAction Startup(std::set<int> keys, int* level, bool* skipFluff)
	{
		gHeldKeys = std::move(keys);
		*level = -1;
		*skipFluff = false;
		return ReadStartupKeys(FakeKeyDown, level, skipFluff);
	}
}

TEST(StartupKeys, PickScreenOrLevelInPriorityOrder)
{
	int level;
	bool skip;
	EXPECT_EQ(Startup({}, &level, &skip), STARTUP_MAIN_MENU);
	EXPECT_FALSE(skip);

	// F and 4: skip the fluff and start the fourth level at once.
	EXPECT_EQ(Startup({SDL_SCANCODE_F, SDL_SCANCODE_4}, &level, &skip), STARTUP_LEVEL);
	EXPECT_TRUE(skip);
	EXPECT_EQ(level, 3);

	EXPECT_EQ(Startup({SDL_SCANCODE_0}, &level, &skip), STARTUP_LEVEL);
	EXPECT_EQ(level, 9);
	EXPECT_EQ(Startup({SDL_SCANCODE_9, SDL_SCANCODE_2}, &level, &skip), STARTUP_LEVEL);
	EXPECT_EQ(level, 1) << "the first digit in 1..9, 0 order wins";

	// W is tested before L, the minus key before both, and screens before levels.
	EXPECT_EQ(Startup({SDL_SCANCODE_W, SDL_SCANCODE_L}, &level, &skip), STARTUP_WIN_SCREEN);
	EXPECT_EQ(Startup({SDL_SCANCODE_L, SDL_SCANCODE_5}, &level, &skip), STARTUP_LOSE_SCREEN);
	EXPECT_EQ(Startup({SDL_SCANCODE_MINUS, SDL_SCANCODE_W}, &level, &skip), STARTUP_HIGH_SCORE_ENTRY);
}

TEST(WindowSize, TwoThirdsOfTheUsableAreaAt16By9)
{
	int w, h;
	CalcDefaultWindowSize(1920, 1050, &w, &h);
	EXPECT_EQ(h, 700);
	EXPECT_EQ(w, 1244);
	CalcDefaultWindowSize(1280, 720, &w, &h);
	EXPECT_EQ(h, 480);
	EXPECT_EQ(w, 853);
	CalcDefaultWindowSize(1080, 1920, &w, &h);		// portrait: width decides
	EXPECT_EQ(w, 720);
	EXPECT_EQ(h, 405);
}

class DataFolderTest : public ::testing::Test
{
protected:
	fs::path root, oldCwd;

	void SetUp() override
	{
		root = fs::temp_directory_path() / ("zapp-data-" + std::to_string(getpid()));
		fs::remove_all(root);
		fs::create_directories(root / "exe");
		fs::create_directories(root / "cwd");
		oldCwd = fs::current_path();
		fs::current_path(root / "cwd");
		Tamber::Files::Init();
	}
	void TearDown() override
	{
		Tamber::Files::Shutdown();
		fs::current_path(oldCwd);
		fs::remove_all(root);
	}
	static void MakeMarker(const fs::path& data, const char* folder = "Skeletons", const char* file = "Quog.bg3d")
	{
		fs::create_directories(data / folder);
		std::ofstream(data / folder / file) << "marker";
	}
};

TEST_F(DataFolderTest, PrefersTheFolderBesideTheExecutable)
{
	MakeMarker(root / "exe" / "Data");
	MakeMarker(root / "cwd" / "Data");
	EXPECT_EQ(fs::canonical(LocateDataFolder(root / "exe")), fs::canonical(root / "exe" / "Data"));
}

TEST_F(DataFolderTest, FallsBackToTheWorkingDirectoryAndIgnoresCase)
{
	MakeMarker(root / "cwd" / "Data", "skeletons", "QUOG.BG3D");
	EXPECT_EQ(fs::canonical(LocateDataFolder(root / "exe")), fs::canonical(root / "cwd" / "Data"));
	// Without an executable path only the working directory is tried.
	EXPECT_EQ(fs::canonical(LocateDataFolder({})), fs::canonical(root / "cwd" / "Data"));
}

TEST_F(DataFolderTest, FolderWithoutTheMarkerIsNotTheDataFolder)
{
	fs::create_directories(root / "exe" / "Data" / "Skeletons");
	fs::create_directories(root / "cwd" / "Data" / "Skeletons" / "Quog.bg3d");	// a folder, not a file
	try
	{
		LocateDataFolder(root / "exe");
		FAIL() << "expected an error";
	}
	catch (const std::runtime_error& e)
	{
		EXPECT_STREQ(e.what(), "Couldn't find the Data folder.");
	}
}
