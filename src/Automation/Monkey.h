// A random player for soak runs (--monkey): a virtual input source that holds
// random needs for random spells, the way a child mashing a pad would —
// running and turning, jumping, jetting, shooting, punching, changing weapons,
// swinging the camera — and now and then pauses and wanders the menus (moving
// through them, confirming, going back, which opens the settings and changes
// them) before it plays on. The menus are what they are: a confirm may as
// well end the game, which the soak then starts again. GL-free and seeded:
// one seed, one run of presses (its random numbers are its own, so the
// game's stay as they were).
#pragma once

#include "System/InputVirtual.h"

#include <cstdint>

constexpr float MONKEY_MENU_CHANCE = 0.002f;	// per play frame: press pause and wander the menus
constexpr int MONKEY_MENU_FRAMES_MIN = 30;		// frames spent in the menus
constexpr int MONKEY_MENU_FRAMES_MAX = 600;
constexpr int MONKEY_MENU_PRESS_GAP = 8;		// frames between menu presses (each a fresh press)
constexpr int MONKEY_PRESS_FRAMES_MAX = 90;		// the longest a play need stays down

struct MonkeyState
{
	uint64_t random;					// xorshift state, never 0
	int framesLeft[NUM_CONTROL_NEEDS];	// how long each need stays down
	int menuFramesLeft;					// > 0: in the menus
	int menuGap;						// frames to the next menu press
	OGLVector2D steering;
	float cameraSwivel;
	long frame;
};

void Monkey_Start(MonkeyState* monkey, uint32_t seed);
// One input update's frame.
void Monkey_Step(MonkeyState* monkey, VirtualInputFrame* frame);

// Installs the monkey as a source merged with the hardware, seeded with `seed`.
void StartMonkey(uint32_t seed);
