// Scripted input for automated runs of the front end: a small text file of
// timed key presses and needs, fed to the real input layer as one more device,
// so a test can walk the menus and screens the way a person would.
//
// One command a line; '#' starts a comment. Times are counted in drawn frames
// (with --fixed-step a run is the same every time):
//   FRAME key NAME [FRAMES]    hold the key (an SDL scancode name: Return, Escape, Left, I, F10, 3 …)
//   FRAME need NAME [FRAMES]   hold the need (UI_CONFIRM, UI_BACK, PAUSE, JUMP, FORWARD …)
//   FRAME shot FILE            write the frame drawn as number FRAME (.png or .tga)
//   FRAME quit                 quit the program after frame FRAME
// A press lasts FRAMES frames (2 when left out), long enough for every screen
// to see it as one new press. The GL-free half: parsing and the per-frame state.
#pragma once

#include "System/Input.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int INPUT_SCRIPT_DEFAULT_HOLD = 2;	// frames a press lasts unless the line says
constexpr long INPUT_SCRIPT_MAX_FRAMES = 1000000000;	// a frame number or press length (over a year at 30 Hz)

enum
{
	INPUT_SCRIPT_KEY,
	INPUT_SCRIPT_NEED,
	INPUT_SCRIPT_SHOT,
	INPUT_SCRIPT_QUIT,
};

struct InputScriptCommand
{
	int kind;
	long frame;					// the first frame it applies to
	long frames;				// how long a press lasts
	int code;					// scancode or need
	std::string path;			// shot: the file
	int line;					// in the script, for messages
};

struct InputScript
{
	std::vector<InputScriptCommand> commands;
};

// The need called `name` ("UI_CONFIRM", "jump"; case ignored), or -1.
int InputScript_NeedFromName(const std::string& name);

// Parses a script; false with a message naming the line when a command is unknown or malformed.
bool InputScript_Parse(const std::string& text, InputScript* script, std::string* error);

// What the script holds down while frame `frame` is being made.
void InputScript_HeldAt(const InputScript& script, long frame, uint64_t* needsHeld, bool keysDown[NUM_KEY_STATES]);

// The shots due once frame `frame` is drawn, and whether the script quits there.
std::vector<std::string> InputScript_ShotsAt(const InputScript& script, long frame);
bool InputScript_QuitsAt(const InputScript& script, long frame);

// The game side: reads the file and installs the script as a device of the
// input layer. False with a message naming the file when it can't be used.
bool StartInputScript(const std::string& path, std::string* error);
// Called once a frame is drawn (numbered from 1): writes its shots and quits when told.
void InputScriptFrameDrawn(long frame);
