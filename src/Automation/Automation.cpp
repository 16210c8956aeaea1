#include "Automation/Automation.h"

#include <iterator>
#include "System/Boot.h"
#include "System/CommandLine.h"
#include "System/Error.h"
#include "System/FrameWatcher.h"
#include "System/Prefs.h"
#include "3D/OGL_Support.h"
#include "Automation/ModelViewer.h"
#include "Automation/ScreenShowcase.h"
#include "3D/Screenshot.h"
#include "Automation/SkeletonViewer.h"
#include "Automation/AutomationChecks.h"
#include "System/Game.h"
#include "Autopilot/Autopilot.h"
#include "Autopilot/AutopilotFrontEnd.h"
#include "Player/Player.h"
#include "Automation/PlayerReport.h"
#include "Items/Humans.h"
#include "System/LevelTable.h"
#include "System/FrameTime.h"
#include "Automation/InputScript.h"
#include "System/Objects.h"
#include "System/RecordingFormat.h"
#include "Automation/Replay.h"
#include "Automation/Timedemo.h"
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_Overdraw.h"
#include "Automation/Monkey.h"
#include "3D/MetaObjects.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

AutomationOptions gAutomation;
int gAutomationExitCode = 0;

static float gLevelClock = 0;			// seconds of play in the current level
static int gLevelsFinished = 0;
static int gGoalsReported = 0;
static float gLastProgressClock = 0;	// gLevelClock when a route goal was last done or the exit charge rose
static float gChargeSeen = 0;			// the exit charge then
static int gLivesSeen = 0;
static bool gDeathSeen = false;			// the robot is dead and not back yet
static float gDeathClock = 0;			// gLevelClock when it died, and where
static float gDeathX = 0, gDeathZ = 0;
static float gHealthSeen = 1;			// the health last frame
static float gHealthLost = 0;			// health lost in the level, in full bars (a death loses what was left)
static float gTestHurtClock = 0;		// seconds since the last test hurt or the robot's respawn

static long gFramesDrawn = 0;
static ScreenImage gLastFrame;
static bool gHaveStateHash = false;
static uint64_t gStateHash = 0;

namespace
{
	// A file a switch names can't be the empty string.
	// Nor a switch: "--screenshot --windowed" forgot the file, it didn't name one.
	const CLI::Validator kFileName(
			[](std::string& value)
			{
				if (value.empty())
					return std::string("takes a file name");
				if (value.rfind("--", 0) == 0)
					return "takes a file name, not the switch " + value;
				return std::string();
			},
			"");

	// The meaning of each switch says its range; the checks need not say it again.
	CLI::Validator Quiet(CLI::Validator check)
	{
		return check.description("");
	}

	const char* const kShowScreenNames[] = {"bonus", "save-slots", "load-slots", "high-scores", "name-entry", "lose",
			"win", "jungle-scene", "credits"};
}

void AddAutomationSwitches(CLI::App* app, AutomationOptions* options)
{
	*options = AutomationOptions{};
	auto flag = [&](const char* name, bool* value, const char* meaning)
	{
		app->add_flag(name, *value, meaning)->group(SWITCH_GROUP_TESTING);
	};
	auto option = [&](const char* name, auto* value, const char* type, const char* meaning)
	{
		return app->add_option(name, *value, meaning)->type_name(type)->group(SWITCH_GROUP_TESTING);
	};

	option("--level", &options->startLevel, "N", "start at level N (0..9) without menus")->check(Quiet(CLI::Range(0, 9)));
	option("--frames", &options->frames, "N", "quit after N drawn frames")->check(Quiet(CLI::Range(1L, 1'000'000'000L)));
	option("--fixed-step", &options->fixedStepHz, "HZ", "every frame advances the game by exactly 1/HZ s (15..500)")
		->check(Quiet(CLI::Range(15.0f, 500.0f)));
	option("--screenshot", &options->screenshotPath, "FILE", "write the last drawn frame (.png or .tga)")->check(kFileName);
	// A player's switch too, though the automation reads it.
	flag("--windowed", &options->windowed, "play in a window whatever the preferences say");
	app->get_option("--windowed")->group(SWITCH_GROUP_PLAYING);
	app->add_option_function<uint32_t>("--seed",
			[options](uint32_t seed)
			{
				options->hasSeed = true;
				options->seed = seed;
			},
			"seed the random numbers with N (0..4294967295)")
		->type_name("N")->group(SWITCH_GROUP_TESTING);
	flag("--overdraw", &options->overdraw, "show how many times each pixel is written (debug mode 4, F8 cycles)");
	flag("--no-draw", &options->noDraw, "logic only: no window, nothing drawn");
	flag("--autopilot", &options->autopilot, "the robot plays by itself along the level's route");
	flag("--route-check", &options->routeCheck, "the exit is charged from the start");
	flag("--check-invariants", &options->checkInvariants, "every frame of play checks the player, gauges and pools");
	flag("--whole-game", &options->wholeGame,
			"the autopilot plays a whole game from the main menu to the high scores (with --level N its new games "
			"start at level N)");
	option("--quit-after-levels", &options->quitAfterLevels, "K", "quit once K levels (1..10) are finished")
		->check(Quiet(CLI::Range(1, 10)));
	option("--end-level-after", &options->endLevelAfter, "S", "a level ends after S seconds of play")
		->check(Quiet(CLI::Range(0.01f, 1e6f)));
	flag("--fly-over", &options->flyOver, "the camera tours the level");
	flag("--report-player", &options->reportPlayer, "print where the robot is after the last frame");
	option("--record", &options->recordPath, "FILE", "record the input (needs --level and --fixed-step)")->check(kFileName);
	app->add_option_function<std::string>("--replay",
			[options](const std::string& path)
			{
				options->replayPath = path;
			},
			"play a recording back")
		->type_name("FILE")->check(kFileName)->group(SWITCH_GROUP_TESTING);
	app->add_option_function<std::string>("--timedemo",
			[options](const std::string& path)
			{
				options->timedemoPath = path;
			},
			"replay drawing as fast as possible and print frame times")
		->type_name("FILE")->check(kFileName)->group(SWITCH_GROUP_TESTING);
	option("--input-script", &options->inputScriptPath, "FILE",
			"timed key presses, needs and screenshots from FILE: lines \"FRAME key NAME [FRAMES]\", \"FRAME need NAME "
			"[FRAMES]\", \"FRAME shot FILE\", \"FRAME quit\"; the run goes through the menus")
		->check(kFileName);
	app->add_option_function<std::string>("--show-screen",
			[options](const std::string& name)
			{
				for (int n = 0; n < int(std::size(kShowScreenNames)); n++)
					if (name == kShowScreenNames[n])
						options->showScreen = n;
			},
			"show one screen between levels: bonus, save-slots, load-slots, high-scores, name-entry, lose, win, "
			"jungle-scene or credits")
		->type_name("NAME")->check(Quiet(CLI::IsMember(std::vector<std::string>(std::begin(kShowScreenNames),
				std::end(kShowScreenNames)))))->group(SWITCH_GROUP_TESTING);
	option("--view-models", &options->viewModelsFile, "FILE", "show the models of a BG3D file")->check(kFileName);
	option("--view-model", &options->viewModel, "N", "... starting with model N (0..99) alone")->check(Quiet(CLI::Range(0, 99)));
	app->add_option_function<std::vector<std::string>>("--view-skeleton",
			[options](const std::vector<std::string>& typeAndAnim)
			{
				options->viewSkeletonType = SkeletonViewer_ParseType(typeAndAnim[0].c_str());
				int anim = -1;
				if (!CLI::detail::lexical_cast(typeAndAnim[1], anim))
					anim = -1;
				if (options->viewSkeletonType < 0 || anim < 0 || anim > 39)
					throw CLI::ValidationError("--view-skeleton",
							"takes a skeleton type (0..25 or a name) and an animation (0..39)");
				options->viewSkeletonAnim = anim;
			},
			"show skeleton TYPE (number or name) playing animation ANIM")
		->expected(2)->type_name("TYPE ANIM")->group(SWITCH_GROUP_TESTING);
	option("--test-score", &options->testScore, "N", "test runs: a new game starts with N points (1..9999999)")
		->check(Quiet(CLI::Range(1, 9'999'999)));
	option("--test-hurt-every", &options->testHurtEvery, "S",
			"test runs: the robot loses 0.4 of its health every S s (at least 0.1) of a life")
		->check(Quiet(CLI::Range(0.1f, 1e6f)));
	flag("--monkey", &options->monkey, "soak runs: random presses, pauses and trips through the menus");
}

bool CheckAutomationOptions(AutomationOptions* options, std::string* error)
{
	if (!options->replayPath.empty() && !options->timedemoPath.empty())
	{
		*error = "only one of --replay and --timedemo";
		return false;
	}
	if (!options->timedemoPath.empty())
	{
		options->replayPath = options->timedemoPath;
		options->timedemo = true;
	}
	if (options->wholeGame)
		options->autopilot = true;
	if (!options->replayPath.empty() && (options->startLevel >= 0 || options->fixedStepHz > 0 || options->hasSeed))
	{
		*error = "--replay and --timedemo take the level, seed and fixed step from the recording";
		return false;
	}
	if (!options->recordPath.empty() && options->replayPath.empty()
			&& (options->startLevel < 0 || options->fixedStepHz <= 0))
	{
		*error = "--record needs --level and --fixed-step (a replay starts there and steps the same)";
		return false;
	}
	if (options->noDraw && options->timedemo)
	{
		*error = "--timedemo measures drawing: it can't go with --no-draw";
		return false;
	}
	if (options->noDraw && !options->screenshotPath.empty())
	{
		*error = "--screenshot needs drawing: it can't go with --no-draw";
		return false;
	}
	if (options->noDraw && (!options->viewModelsFile.empty() || options->viewSkeletonType >= 0))
	{
		*error = "the viewers need drawing: they can't go with --no-draw";
		return false;
	}
	if (!options->inputScriptPath.empty() && (options->noDraw || options->autopilot || !options->replayPath.empty()))
	{
		*error = "--input-script drives the screens: it can't go with --no-draw, --autopilot, --replay or --timedemo";
		return false;
	}
	if (options->monkey && (options->autopilot || !options->replayPath.empty() || !options->inputScriptPath.empty()))
	{
		*error = "--monkey is the input: it can't go with --autopilot, --whole-game, --replay or --input-script";
		return false;
	}
	if (options->wholeGame && (!options->replayPath.empty() || !options->recordPath.empty()))
	{
		*error = "--whole-game starts at the front end: it can't go with --record, --replay or --timedemo";
		return false;
	}
	// A whole game still goes through every screen: the level is where its
	// new games start, not a jump past the menus.
	if (options->wholeGame && options->startLevel >= 0)
	{
		options->wholeGameStartLevel = options->startLevel;
		options->startLevel = -1;
	}
	if (options->autopilot && !options->wholeGame && options->startLevel < 0 && options->replayPath.empty())
		options->startLevel = 0;
	return true;
}

bool ParseAutomationFlags(int argc, char** argv, AutomationOptions* options, std::string* error)
{
	CLI::App app;
	AddGameSwitches(&app);
	AddAutomationSwitches(&app, options);
	CommandLineOutcome outcome = ParseSwitches(&app, argc, argv, nullptr, error);
	return outcome == COMMAND_LINE_RUN && CheckAutomationOptions(options, error);
}

bool AutomationStartRun(AutomationOptions* options, std::string* error)
{
	if (!options->replayPath.empty())
	{
		InputRecording recording;
		if (!ReadRecordingFile(options->replayPath, &recording, error))
			return false;
		options->startLevel = recording.level;
		options->fixedStepHz = recording.fixedStepHz;
		options->hasSeed = true;
		options->seed = recording.seed;
		StartReplay(recording);
		if (options->timedemo)
			StartTimedemo(recording.frames.size());
	}
	if (!options->inputScriptPath.empty() && !StartInputScript(options->inputScriptPath, error))
		return false;
	// A replay can be recorded again: the observer sees the replayed frames.
	if (!options->recordPath.empty())
		StartRecording(options->startLevel, options->fixedStepHz);
	if (options->wholeGame)
		StartWholeGameAutopilot(WHOLE_GAME_RETRIES, options->wholeGameStartLevel);
	if (options->monkey)
		StartMonkey(options->hasSeed ? options->seed : 1);
	return true;
}

void AutomationFrameDrawn()
{
	TimedemoFrameDrawn();
	gFramesDrawn++;
	if (!gAutomation.screenshotPath.empty())
		CaptureScreen(&gLastFrame);
	InputScriptFrameDrawn(gFramesDrawn);
	bool framesDone = gAutomation.frames > 0 && gFramesDrawn >= gAutomation.frames;
	if (framesDone || IsReplayFinished())
	{
		if (gAutomation.reportPlayer)
			printf("%s\n", DescribePlayerForAutomation().c_str());
		if (gAutomation.timedemo)
			PrintTimedemoReport();
		if (IsRecording() || IsReplaying())
		{
			gStateHash = ComputeStateHash();
			gHaveStateHash = true;
		}
		if (gAutomation.quitAfterLevels > 0 || gAutomation.wholeGame)
		{
			if (gPlayerNode)
				printf("FRAMES RAN OUT in level %d after %.1f s (%d levels finished)\n", gCurrentLevel, gLevelClock, gLevelsFinished);
			else		// on a screen: the start-up notice, a menu, an intro or a tally
				printf("FRAMES RAN OUT between levels, at level %d (%d levels finished)\n", gCurrentLevel, gLevelsFinished);
			gAutomationExitCode = AUTOMATION_EXIT_FRAMES_RAN_OUT;
		}
		fflush(stdout);
		RequestQuit();
	}
}

long AutomationFramesDrawn()
{
	return gFramesDrawn;
}

FrameWatcher AutomationFrameWatcher()
{
	FrameWatcher watcher;
	watcher.playFrameStarted = TimedemoFrameBegins;
	watcher.playFrameMoved = AutomationLevelFrame;
	watcher.drawingStarted = TimedemoDrawBegins;
	watcher.drawPassBegins = TimedemoDrawPassBegins;
	watcher.frameDrawn = AutomationFrameDrawn;
	watcher.levelEnded = AutomationLevelEnded;
	watcher.levelCleanedUp = AutomationLevelCleanedUp;
	return watcher;
}

// Boot: the switches, the run they ask for, and what the game is told of it.
static bool StartAutomation(std::string* error)
{
	if (!AutomationStartRun(&gAutomation, error))
		return false;
	if (gAutomation.timedemo)
		gGamePrefs.vsync = 0;		// as fast as it can draw
	SetFixedFrameStep(gAutomation.fixedStepHz);
	if (gAutomation.windowed)
		gGamePrefs.fullscreen = 0;
	if (gAutomation.overdraw)
		gDebugMode = DEBUG_MODE_OVERDRAW;
	if (gAutomation.noDraw)
		gLogicOnly = true;

	gRunOptions.startLevel = gAutomation.startLevel;
	gRunOptions.hasSeed = gAutomation.hasSeed;
	gRunOptions.seed = gAutomation.seed;
	gRunOptions.newGameScore = gAutomation.testScore;
	gRunOptions.endLevelAfter = gAutomation.endLevelAfter;
	gRunOptions.flyOver = gAutomation.flyOver;
	gFrameWatcher = AutomationFrameWatcher();
	return true;
}

// The game is loaded: a viewer or a showcase instead of the game.
static void AutomationGameLoaded()
{
	if (!gAutomation.viewModelsFile.empty())
		RunModelViewer(gAutomation.viewModelsFile.c_str(), gAutomation.viewModel);
	if (gAutomation.viewSkeletonType >= 0)
		RunSkeletonViewer(gAutomation.viewSkeletonType, gAutomation.viewSkeletonAnim);
	if (gAutomation.showScreen >= 0)
		RunScreenShowcase(gAutomation.showScreen);
}

static int FinishAutomation()
{
	return AutomationFinish() ? gAutomationExitCode : 1;
}

void InstallAutomation()
{
	gBootHooks.addSwitches = [](CLI::App* app) { AddAutomationSwitches(app, &gAutomation); };
	gBootHooks.checkSwitches = [](std::string* error) { return CheckAutomationOptions(&gAutomation, error); };
	gBootHooks.start = StartAutomation;
	gBootHooks.gameLoaded = AutomationGameLoaded;
	gBootHooks.finish = FinishAutomation;
}

void AutomationLevelFrame()
{
	if (gLevel.frameCount == 0)
	{
		gLevelClock = 0;
		gGoalsReported = 0;
		gLastProgressClock = 0;
		gChargeSeen = gLevel.exitCharge;
		gLivesSeen = gRun.lives;
		gDeathSeen = false;
		gHealthSeen = gRun.health;
		gHealthLost = 0;
		gTestHurtClock = 0;
		if (gAutomation.autopilot && !HasVirtualInputSource())
			StartAutopilot();
		if (gAutomation.reportPlayer)
		{
			printf("LEVEL %d start %s\n", gCurrentLevel, DescribeRunForAutomation().c_str());
			fflush(stdout);
		}
	}
	gLevelClock += gFrameTime;

	// Only the charge: the robot still has to get to the exit by itself (and,
	// where the exit is the lift under ice, get the ice broken over it).
	if (gAutomation.routeCheck)
		gLevel.exitCharge = 1;

	// The life is taken as the robot comes back at its checkpoint: the line
	// says where it died, which is what a balance run wants to know.
	if (gPlayerNode && gPlayerLevel.isDead && !gDeathSeen)
	{
		gDeathClock = gLevelClock;
		gDeathX = gPlayerNode->Coord.x;
		gDeathZ = gPlayerNode->Coord.z;
	}
	gDeathSeen = gPlayerLevel.isDead;
	if (gAutomation.autopilot && int(gRun.lives) < gLivesSeen && gPlayerNode)
		printf("AUTOPILOT level %d lost a life at %.1f s: died at %.1f s near %.0f, %.0f, back at checkpoint %d near %.0f, %.0f\n",
				gCurrentLevel, gLevelClock, gDeathClock, gDeathX, gDeathZ, gPlayerLevel.checkpointNum, gPlayerNode->Coord.x,
				gPlayerNode->Coord.z);
	gLivesSeen = gRun.lives;
	if (gRun.health < gHealthSeen)
		gHealthLost += gHealthSeen - gRun.health;
	gHealthSeen = gRun.health;

	// Test damage goes through the robot's own health, death and respawn.
	if (gAutomation.testHurtEvery > 0 && gPlayerNode)
	{
		gTestHurtClock = gPlayerLevel.isDead ? 0 : gTestHurtClock + gFrameTime;
		if (gTestHurtClock >= gAutomation.testHurtEvery)
		{
			gTestHurtClock = 0;
			PlayerLoseHealth(TEST_HURT_AMOUNT, DEATH_KIND_BLOWN_UP);
		}
	}

	// One line per route goal done, so a watcher (or a test) sees how far it got.
	int done = 0, total = 0;
	if (gAutomation.autopilot)
		GetAutopilotProgress(&done, &total);
	// After a lost life the robot walks the route again from its checkpoint:
	// the goals it does again are progress too (and are reported again).
	if (done < gGoalsReported)
		gGoalsReported = done;
	for (; gGoalsReported < done; gGoalsReported++)
	{
		printf("AUTOPILOT level %d goal %d/%d done at %.1f s\n", gCurrentLevel, gGoalsReported + 1, total, gLevelClock);
		fflush(stdout);
		gLastProgressClock = gLevelClock;
	}
	// A stuck autopilot would otherwise play on until the frames run out (or
	// forever in a whole game): say where it stopped and end the run. Going
	// back for missed charge does no goal but fills the exit.
	if (gLevel.exitCharge > gChargeSeen)
	{
		gChargeSeen = gLevel.exitCharge;
		gLastProgressClock = gLevelClock;
	}
	if (gAutomation.autopilot && gLevelClock - gLastProgressClock >= AUTOPILOT_STALL_SECONDS)
	{
		float x = gPlayerNode ? gPlayerNode->Coord.x : 0, z = gPlayerNode ? gPlayerNode->Coord.z : 0;
		printf("AUTOPILOT STALLED in level %d at %.1f s: no route goal done nor charge gained for %.0f s,"
			   " working on goal %d/%d near %.0f, %.0f with the exit charged %.2f (%d levels finished)\n", gCurrentLevel, gLevelClock, gLevelClock - gLastProgressClock,
				done + 1, total, x, z, gLevel.exitCharge, gLevelsFinished);
		fflush(stdout);
		gAutomationExitCode = AUTOMATION_EXIT_STALLED;
		RequestQuit();
	}

	if (gAutomation.checkInvariants)
	{
		if (const char* broken = FindBrokenPlayInvariant(GetPlayInvariantView()))
			FatalAlert("Invariant broken in level %d after %.2f s: %s", gCurrentLevel, gLevelClock, broken);
	}
}

void AutomationLevelEnded()
{
	if (gAutomation.autopilot)
		ResetAutopilotForLevel();
	if (gAutomation.reportPlayer)
		printf("LEVEL %d end %s\n", gCurrentLevel, DescribeRunForAutomation().c_str());
	if (gLevel.gameOver)
	{
		printf("LEVEL %d game over time=%.1f score=%d humans=%d of=%d hurt=%.2f\n", gCurrentLevel, gLevelClock, int(gRun.score),
				gLevel.humansRescuedTotal, gLevel.humansInLevel, gHealthLost);
		fflush(stdout);
		// A run of so many levels has no more to play.
		if (gAutomation.quitAfterLevels > 0)
		{
			gAutomationExitCode = AUTOMATION_EXIT_GAME_OVER;
			RequestQuit();
		}
		return;
	}
	if (!gLevel.done)
		return;
	gLevelsFinished++;
	printf("LEVEL %d done time=%.1f lives=%d score=%d humans=%d of=%d hurt=%.2f\n", gCurrentLevel, gLevelClock, int(gRun.lives),
			int(gRun.score), gLevel.humansRescuedTotal, gLevel.humansInLevel, gHealthLost);
	fflush(stdout);
	if (gAutomation.quitAfterLevels > 0 && gLevelsFinished >= gAutomation.quitAfterLevels)
		RequestQuit();
}

void AutomationLevelCleanedUp()
{
	if (!gAutomation.checkInvariants)
		return;
	printf("LEVEL %d cleaned up: nodes=%d meta objects=%d heap=%zu bytes\n", gCurrentLevel, gObjectCount,
		   gNumMetaObjects, HeapBytesInUse());
	fflush(stdout);
}

void AutomationWriteScreenshot()
{
	if (gAutomation.screenshotPath.empty())
		return;
	if (gLastFrame.pixels.empty())
	{
		fprintf(stderr, "screenshot: no frame was drawn\n");
		return;
	}
	if (!WriteScreenImage(gLastFrame, gAutomation.screenshotPath))
		fprintf(stderr, "screenshot: can't write %s\n", gAutomation.screenshotPath.c_str());
}

bool AutomationFinish()
{
	AutomationWriteScreenshot();
	if (!IsRecording() && !IsReplaying())
		return true;

	bool ok = true;
	bool endedAtFrame = gHaveStateHash;
	if (!endedAtFrame)
		gStateHash = ComputeStateHash();		// ended inside an input update (a window close)
	if (IsRecording())
	{
		std::string error;
		if (FinishRecording(gAutomation.recordPath, endedAtFrame ? RECORDING_ENDS_AT_FRAME : RECORDING_ENDS_AT_INPUT, &error))
			printf("recorded %s\n", gAutomation.recordPath.c_str());
		else
		{
			fprintf(stderr, "%s\n", error.c_str());
			ok = false;
		}
	}
	printf("state hash: %016llx\n", static_cast<unsigned long long>(gStateHash));
	fflush(stdout);
	StopRecordingAndReplay();
	return ok;
}
