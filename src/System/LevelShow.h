// A level played for watching, not by the person at the keys: the main
// menu's attract demo (the autopilot plays) and a player's replay (a kept
// recording plays). The level runs as in a game, with its song, camera and
// infobar and a caption over the play, but from a run state of its own: no
// intro, tally, save or high score, and the run the menu had is put back
// after. A press by a person (any key, button or click) ends it at once, as do
// its clock, the end of the level and, for a replay, the end of the input.
#pragma once

#include <cstdint>

// How long the attract mode waits and plays.
constexpr float ATTRACT_IDLE_SECONDS = 30.0f;	// of the main menu without input before a demo
constexpr float ATTRACT_DEMO_SECONDS = 60.0f;	// of play a demo lasts at most

struct LevelShow
{
	bool active = false;
	int caption = -1;			// string number shown over the play
	float maxSeconds = 0;		// of play; 0: until the level or its input ends
	float seconds = 0;			// of play so far
	bool inputRanOut = false;	// a replay has fed its last frame
	int ending = 0;				// LEVEL_SHOW_…: why it ended (GOES_ON while it plays)
};
extern LevelShow gLevelShow;

enum LevelShowVerdictKind
{
	LEVEL_SHOW_GOES_ON,
	LEVEL_SHOW_TIME_UP,
	LEVEL_SHOW_PERSON_PRESSED,
	LEVEL_SHOW_INPUT_RAN_OUT,
	LEVEL_SHOW_LEVEL_ENDED,		// finished or lost, as a level in a game ends
};
// Whether a show ends after this frame, and why.
LevelShowVerdictKind JudgeLevelShow(const LevelShow& show, bool personPressed);

// The main menu's idle clock and the levels its demos take in turn.
struct AttractTimer
{
	float idleSeconds = 0;
	int nextLevel = 0;
};
// Advances the idle clock by `dt` seconds; any input starts it again. True
// when a demo is due (the clock then starts again).
bool AttractTimerTick(AttractTimer* timer, float dt, bool inputSeen);
// The level of the next demo (every level in turn) and steps on.
int AttractTakeNextLevel(AttractTimer* timer, int numLevels);

// How a show's input is driven: `start` installs the source that plays
// (after the level's run state is set, right before the level is made;
// it may set the run state and the random numbers a recording starts
// from), `stop` takes it away again. Either may be null.
struct LevelShowDriver
{
	void (*start)() = nullptr;
	void (*stop)() = nullptr;
};

// Plays level `level` for watching with `caption` over it, for at most
// `maxSeconds` (0: no limit). Returns how it ended.
LevelShowVerdictKind PlayLevelShow(int level, int caption, float maxSeconds, const LevelShowDriver& driver);
// The play loop's per-frame check while a show is on (System/Level.cpp):
// counts the frame's time and says whether the show ends now.
bool LevelShowFrameEnds();
