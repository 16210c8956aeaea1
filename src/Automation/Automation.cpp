#include "Automation/Automation.h"

#include <iterator>
#include "System/Boot.h"
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
#include "Automation/RecordingFormat.h"
#include "Automation/Replay.h"
#include "Automation/Timedemo.h"
#include "Automation/Monkey.h"
#include "3D/MetaObjects.h"

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

static bool ReadNumber(const char* text, double minValue, double maxValue, double* out)
{
	char* end = nullptr;
	double v = std::strtod(text, &end);
	if (end == text || *end != '\0' || v < minValue || v > maxValue)
		return false;
	*out = v;
	return true;
}

bool ParseAutomationFlags(int argc, char** argv, AutomationOptions* options, std::string* error)
{
	*options = AutomationOptions{};
	for (int i = 1; i < argc; i++)
	{
		const char* arg = argv[i];
		if (!strcmp(arg, "--windowed"))
		{
			options->windowed = true;
			continue;
		}
		if (!strcmp(arg, "--report-player"))
		{
			options->reportPlayer = true;
			continue;
		}
		if (!strcmp(arg, "--no-draw"))
		{
			options->noDraw = true;
			continue;
		}
		if (!strcmp(arg, "--fly-over"))
		{
			options->flyOver = true;
			continue;
		}
		if (!strcmp(arg, "--autopilot") || !strcmp(arg, "--route-check") || !strcmp(arg, "--check-invariants"))
		{
			bool* flag = !strcmp(arg, "--autopilot") ? &options->autopilot
					   : !strcmp(arg, "--route-check") ? &options->routeCheck : &options->checkInvariants;
			*flag = true;
			continue;
		}
		if (!strcmp(arg, "--monkey"))
		{
			options->monkey = true;
			continue;
		}
		if (!strcmp(arg, "--whole-game"))
		{
			options->wholeGame = true;
			options->autopilot = true;
			continue;
		}
		if (!strcmp(arg, "--quit-after-levels"))
		{
			double count = 0;
			if (i + 1 >= argc || !ReadNumber(argv[i + 1], 1, 10, &count) || count != double(int(count)))
			{
				*error = "--quit-after-levels takes a count of levels 1..10";
				return false;
			}
			options->quitAfterLevels = int(count);
			i++;
			continue;
		}
		if (!strcmp(arg, "--show-screen"))
		{
			const char* names[] = {"bonus", "save-slots", "load-slots", "high-scores", "name-entry", "lose", "win", "jungle-scene", "credits"};
			options->showScreen = -1;
			for (int n = 0; i + 1 < argc && n < int(std::size(names)); n++)
				if (!strcmp(argv[i + 1], names[n]))
					options->showScreen = n;
			if (options->showScreen < 0)
			{
				*error = "--show-screen takes bonus, save-slots, load-slots, high-scores, name-entry, lose, win, jungle-scene or credits";
				return false;
			}
			i++;
			continue;
		}
		if (!strcmp(arg, "--test-score"))
		{
			double points = 0;
			if (i + 1 >= argc || !ReadNumber(argv[i + 1], 1, 9999999, &points) || points != double(int(points)))
			{
				*error = "--test-score takes a whole number of points 1..9999999";
				return false;
			}
			options->testScore = int32_t(points);
			i++;
			continue;
		}
		if (!strcmp(arg, "--test-hurt-every"))
		{
			double seconds = 0;
			if (i + 1 >= argc || !ReadNumber(argv[i + 1], 0.1, 1e6, &seconds))
			{
				*error = "--test-hurt-every takes a number of seconds (at least 0.1)";
				return false;
			}
			options->testHurtEvery = float(seconds);
			i++;
			continue;
		}
		if (!strcmp(arg, "--end-level-after"))
		{
			double seconds = 0;
			if (i + 1 >= argc || !ReadNumber(argv[i + 1], 0.01, 1e6, &seconds))
			{
				*error = "--end-level-after takes a number of seconds";
				return false;
			}
			options->endLevelAfter = float(seconds);
			i++;
			continue;
		}
		if (!strcmp(arg, "--view-skeleton"))
		{
			double anim = 0;
			if (i + 2 >= argc || (options->viewSkeletonType = SkeletonViewer_ParseType(argv[i + 1])) < 0
					|| !ReadNumber(argv[i + 2], 0, 39, &anim))
			{
				*error = "--view-skeleton takes a skeleton type (0..25 or a name) and an animation (0..39)";
				return false;
			}
			options->viewSkeletonAnim = int(anim);
			i += 2;
			continue;
		}
		bool takesValue = !strcmp(arg, "--level") || !strcmp(arg, "--frames")
					   || !strcmp(arg, "--fixed-step") || !strcmp(arg, "--screenshot")
					   || !strcmp(arg, "--view-models") || !strcmp(arg, "--view-model")
					   || !strcmp(arg, "--seed") || !strcmp(arg, "--record") || !strcmp(arg, "--replay")
					   || !strcmp(arg, "--timedemo") || !strcmp(arg, "--input-script");
		if (!takesValue)
			continue;
		if (i + 1 >= argc)
		{
			*error = std::string(arg) + " needs a value";
			return false;
		}
		const char* value = argv[++i];
		double v = 0;
		if (!strcmp(arg, "--level"))
		{
			if (!ReadNumber(value, 0, 9, &v)) { *error = "--level takes 0..9"; return false; }
			options->startLevel = int(v);
		}
		else if (!strcmp(arg, "--frames"))
		{
			if (!ReadNumber(value, 1, 1e9, &v)) { *error = "--frames takes a positive count"; return false; }
			options->frames = long(v);
		}
		else if (!strcmp(arg, "--fixed-step"))
		{
			if (!ReadNumber(value, 15, 500, &v)) { *error = "--fixed-step takes 15..500 Hz"; return false; }
			options->fixedStepHz = float(v);
		}
		else if (!strcmp(arg, "--seed"))
		{
			if (!ReadNumber(value, 0, 4294967295.0, &v) || v != double(uint32_t(v)))
			{
				*error = "--seed takes a whole number 0..4294967295";
				return false;
			}
			options->hasSeed = true;
			options->seed = uint32_t(v);
		}
		else if (!strcmp(arg, "--record") || !strcmp(arg, "--replay") || !strcmp(arg, "--timedemo"))
		{
			if (!*value) { *error = std::string(arg) + " takes a recording file"; return false; }
			if (!strcmp(arg, "--record"))
				options->recordPath = value;
			else
			{
				if (!options->replayPath.empty()) { *error = "only one of --replay and --timedemo"; return false; }
				options->replayPath = value;
				options->timedemo = !strcmp(arg, "--timedemo");
			}
		}
		else if (!strcmp(arg, "--input-script"))
		{
			if (!*value) { *error = "--input-script takes a script file"; return false; }
			options->inputScriptPath = value;
		}
		else if (!strcmp(arg, "--view-models"))
		{
			if (!*value) { *error = "--view-models takes a model file"; return false; }
			options->viewModelsFile = value;
		}
		else if (!strcmp(arg, "--view-model"))
		{
			if (!ReadNumber(value, 0, 99, &v)) { *error = "--view-model takes 0..99"; return false; }
			options->viewModel = int(v);
		}
		else
		{
			options->screenshotPath = value;
		}
	}
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

const char* AutomationHelpText()
{
	return
		"Automated runs:\n"
		"  --level N            start at level N (0..9) without menus\n"
		"  --frames N           quit after N drawn frames\n"
		"  --fixed-step HZ      every frame advances the game by exactly 1/HZ s (15..500)\n"
		"  --screenshot FILE    write the last drawn frame (.png or .tga)\n"
		"  --windowed           play in a window whatever the preferences say\n"
		"  --seed N             seed the random numbers with N\n"
		"  --no-draw            logic only: no window, nothing drawn\n"
		"  --autopilot          the robot plays by itself along the level's route\n"
		"  --route-check        the exit is charged from the start\n"
		"  --check-invariants   every frame of play checks the player, gauges and pools\n"
		"  --whole-game         the autopilot plays a whole game from the main menu to the high scores\n"
		"                       (with --level N its new games start at level N)\n"
		"  --quit-after-levels K  quit once K levels are finished\n"
		"  --end-level-after S  a level ends after S seconds of play\n"
		"  --fly-over           the camera tours the level\n"
		"  --report-player      print where the robot is after the last frame\n"
		"  --record FILE        record the input (needs --level and --fixed-step)\n"
		"  --replay FILE        play a recording back\n"
		"  --timedemo FILE      replay drawing as fast as possible and print frame times\n"
		"  --input-script FILE  timed key presses, needs and screenshots from FILE:\n"
		"                       lines \"FRAME key NAME [FRAMES]\", \"FRAME need NAME [FRAMES]\",\n"
		"                       \"FRAME shot FILE\", \"FRAME quit\"; the run goes through the menus\n"
		"  --show-screen NAME   show one screen between levels: bonus, save-slots, load-slots,\n"
		"                       high-scores, name-entry, lose, win, jungle-scene or credits\n"
		"  --view-models FILE   show the models of a BG3D file\n"
		"  --view-model N       ... starting with model N alone\n"
		"  --view-skeleton TYPE ANIM  show a skeleton playing an animation\n"
		"  --test-score N       test runs: a new game starts with N points\n"
		"  --test-hurt-every S  test runs: the robot loses 0.4 of its health every S s of a life\n"
		"  --monkey             soak runs: random presses, pauses and trips through the menus\n"
		"  --help               this text\n";
}

FrameWatcher AutomationFrameWatcher()
{
	FrameWatcher watcher;
	watcher.playFrameStarted = TimedemoFrameBegins;
	watcher.playFrameMoved = AutomationLevelFrame;
	watcher.drawingStarted = TimedemoDrawBegins;
	watcher.frameDrawn = AutomationFrameDrawn;
	watcher.levelEnded = AutomationLevelEnded;
	watcher.levelCleanedUp = AutomationLevelCleanedUp;
	return watcher;
}

// Boot: the switches, the run they ask for, and what the game is told of it.
static bool StartAutomation(int argc, char** argv, std::string* error)
{
	if (!ParseAutomationFlags(argc, argv, &gAutomation, error) || !AutomationStartRun(&gAutomation, error))
		return false;
	if (gAutomation.timedemo)
		gGamePrefs.vsync = 0;		// as fast as it can draw
	SetFixedFrameStep(gAutomation.fixedStepHz);
	if (gAutomation.windowed)
		gGamePrefs.fullscreen = 0;
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
	gBootHooks.helpText = AutomationHelpText;
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
