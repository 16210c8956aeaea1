// Switches for automated runs (tests, screenshots, benchmarks), added to the
// game's command line (System/CommandLine.h) in its "Testing and benchmarks"
// group; --help prints each with its argument and meaning.
//   --level N          start at level N (0..9) without menus
//   --frames N         quit with exit code 0 after N drawn frames
//   --fixed-step HZ    every frame advances the game by exactly 1/HZ s
//   --screenshot FILE  write the last drawn frame (.png or .tga)
//   --windowed         play in a window whatever the preferences say
//   --overdraw         start in the overdraw view (debug mode 4)
//   --view-models FILE show the models of a BG3D file (model viewer) instead of the game
//   --view-model N     … starting with model N alone instead of the grid
//   --view-skeleton TYPE ANIM  show skeleton TYPE (number or name) playing ANIM (skeleton viewer)
//   --fly-over         the camera tours the level instead of following the robot
//   --end-level-after S  a level ends after S seconds of play, as if its exit was reached
//   --seed N           seed the random numbers with N instead of the clock
//   --no-draw          logic only: no window, no GL context, nothing drawn; the
//                      game still loads, moves, culls and counts its frames
//   --record FILE      write every input update's needs and analog values, with the
//                      level, seed and fixed step (needs --level and --fixed-step)
//   --replay FILE      play a recording back (its level, seed and step) and quit where
//                      it ends; with --record or --replay the state hash is printed at exit
//   --timedemo FILE    replay drawing every frame as fast as it can, then print the
//                      frame times, the logic/drawing split and one full-screen layer's time
//   --report-player    after the last frame, print where the robot is: its state, its
//                      feet against the ground, and where it shows in the window
//   --autopilot        the robot plays by itself, following the level's route with the
//                      player's own controls (from level 0 through the game without --level)
//   --route-check      test runs: the exit is charged from the start, so a run shows that
//                      the route leads from the start into the exit (nothing else changes);
//                      where the exit is the lift under ice, the ice starts broken instead
//   --check-invariants every frame of play checks the player, the gauges and the pools;
//                      a broken one is a fatal alert naming it
//   --show-screen NAME show one screen between levels and stay on it (with
//                      --frames and --screenshot to look at it): bonus,
//                      save-slots, load-slots, high-scores, name-entry, lose,
//                      win, jungle-scene or credits
//   --whole-game       the autopilot plays a whole game as a person would: from the
//                      start-up notice through the main menu's new game, every level
//                      with its intro and tally, to the win screen and the high-score
//                      name, then quits from the main menu (a lost game is retried
//                      WHOLE_GAME_RETRIES times); prints "WHOLE GAME …" lines. With
//                      --level N the new game is started at level N the way a
//                      person does it (holding that level's number key on "New
//                      game") and goes on through the later levels to the end
//   --quit-after-levels K  quit with exit code 0 once K levels are finished; with it,
//                      frames running out first give exit code 3. Every finished level
//                      prints "LEVEL n done time=… lives=… score=… humans=… of=… hurt=…" (of:
//                      the humans the level holds; hurt: the health lost there, in full
//                      bars); the lives running out first print "LEVEL n game over …"
//                      and, with this switch, quit with exit code 5
//                      An autopilot that does no route goal and gains no exit charge
//                      for AUTOPILOT_STALL_SECONDS of play is stuck: the run prints "AUTOPILOT STALLED …" with the
//                      level, the goal and the place, and quits with exit code 4
//   --input-script FILE  feed the game timed key presses and needs from FILE, with
//                      screenshots at given frames (Automation/InputScript.h); the run goes
//                      through the start-up notice and the menus as a person's would
//   --test-score N     test runs: a new game starts with N points, so the tally's
//                      save and the high-score entry can be reached without playing
//   --test-hurt-every S  test runs: every S seconds of a life the robot loses
//                      TEST_HURT_AMOUNT of its health through the game's own damage,
//                      so it dies, respawns and reaches game over without an enemy
//   --monkey           soak runs: random presses of every need, pauses and trips
//                      through the menus (Automation/Monkey.h), seeded by --seed
#pragma once

#include "System/FrameWatcher.h"

#include <cstdint>
#include <string>

struct AutomationOptions
{
	int startLevel = -1;
	long frames = 0;
	float fixedStepHz = 0;
	std::string screenshotPath;
	bool windowed = false;
	bool overdraw = false;
	std::string viewModelsFile;		// empty: play the game
	int viewModel = -1;				// −1: start with the grid of all models
	int viewSkeletonType = -1;		// −1: no skeleton viewer
	int viewSkeletonAnim = 0;
	bool reportPlayer = false;
	bool flyOver = false;
	float endLevelAfter = 0;		// seconds; 0: levels end as they do in play
	bool noDraw = false;			// logic-only run: no window, no GL
	std::string recordPath;			// empty: no recording
	std::string replayPath;			// --replay or --timedemo
	std::string timedemoPath;		// as given; CheckAutomationOptions makes it the replay
	bool timedemo = false;
	bool hasSeed = false;
	uint32_t seed = 0;				// with hasSeed: the random seed of the run
	bool autopilot = false;
	bool wholeGame = false;			// --whole-game: the autopilot starts at the front end
	int wholeGameStartLevel = 0;	// --whole-game --level N: the level its new games start at
	bool routeCheck = false;
	bool checkInvariants = false;
	int quitAfterLevels = 0;		// 0: play on
	int showScreen = -1;			// SHOW_SCREEN_*; -1: none
	std::string inputScriptPath;	// empty: no scripted input
	int32_t testScore = 0;			// points a new game starts with
	float testHurtEvery = 0;		// seconds; 0: no test damage
	bool monkey = false;			// --monkey: random input (soak runs)
};

constexpr int WHOLE_GAME_RETRIES = 1;		// new games a whole-game run starts after a lost one
// Seconds of play in one level without a route goal done or exit charge
// gained after which the autopilot counts as stuck. The longest honest gap is a boss fight's
// (about 120 s for the brain); twice that leaves room for a lost life.
constexpr float AUTOPILOT_STALL_SECONDS = 240.0f;
constexpr float TEST_HURT_AMOUNT = 0.4f;	// of full health: three hurts end a life

enum
{
	SHOW_SCREEN_BONUS,
	SHOW_SCREEN_SAVE_SLOTS,
	SHOW_SCREEN_LOAD_SLOTS,
	SHOW_SCREEN_HIGH_SCORES,
	SHOW_SCREEN_NAME_ENTRY,
	SHOW_SCREEN_LOSE,
	SHOW_SCREEN_WIN,
	SHOW_SCREEN_JUNGLE_SCENE,		// the scene after the jungle level's tally
	SHOW_SCREEN_CREDITS,
};

// The process's exit code after an orderly quit (a fatal alert makes it 1).
constexpr int AUTOMATION_EXIT_FRAMES_RAN_OUT = 3;
constexpr int AUTOMATION_EXIT_STALLED = 4;		// the autopilot stopped getting anywhere
constexpr int AUTOMATION_EXIT_GAME_OVER = 5;	// with --quit-after-levels: the lives ran out first
extern int gAutomationExitCode;

extern AutomationOptions gAutomation;

// Plugs the automation into the game (System/Boot.h) before RunProgram: at
// boot it reads its switches, sets the run up and watches every frame.
void InstallAutomation();

// The automation's frame watcher (System/FrameWatcher.h): the timedemo's
// marks, the per-frame work of play, the end of a level, each drawn frame.
// Boot installs it; a test that drives frames itself may install it too.
FrameWatcher AutomationFrameWatcher();

namespace CLI { class App; }

// Adds the switches to `app`, each writing into `options` (reset first).
void AddAutomationSwitches(CLI::App* app, AutomationOptions* options);
// After parsing: refuses switches that can't go together, with a message,
// and settles what follows from the others (--whole-game plays with the
// autopilot; the autopilot without a level starts at the first).
bool CheckAutomationOptions(AutomationOptions* options, std::string* error);
// The whole command line (the game's switches and these) parsed and checked
// into `options`; false with a one-line message in `error` when a switch is
// unknown, a value is missing or out of range, or switches clash.
bool ParseAutomationFlags(int argc, char** argv, AutomationOptions* options, std::string* error);

// After the switches are read: reads the recording to replay (taking its
// level, seed and step) or starts recording. False with a message naming the
// file when the recording can't be used.
bool AutomationStartRun(AutomationOptions* options, std::string* error);

// Once per drawn frame, after drawing and before the swap (the frame watcher).
void AutomationFrameDrawn();
// Frames drawn so far in this run.
long AutomationFramesDrawn();


// Once per frame of play after the objects moved (the frame watcher).
void AutomationLevelFrame();
// When a level's play loop ends, finished, lost or left (the frame watcher).
void AutomationLevelEnded();
// After a level's clean-up: with --check-invariants, prints what is left in
// use ("LEVEL n cleaned up: nodes=… meta objects=… heap=… bytes"), so a soak
// sees any growth from one level to the next.
void AutomationLevelCleanedUp();

// Writes the last captured frame, if a screenshot was asked for (at exit).
void AutomationWriteScreenshot();

// At exit: the screenshot, the recording and the state hash. False when
// something could not be written.
bool AutomationFinish();
