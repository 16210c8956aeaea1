#include "Automation/Monkey.h"

#include <cmath>
#include <cstring>
#include <iterator>

namespace
{
	MonkeyState gMonkey;

	uint64_t NextRandom(MonkeyState* m)
	{
		m->random ^= m->random << 13;
		m->random ^= m->random >> 7;
		m->random ^= m->random << 17;
		return m->random;
	}

	float Chance(MonkeyState* m)
	{
		return float(NextRandom(m) >> 40) / float(1 << 24);
	}

	int Between(MonkeyState* m, int low, int high)
	{
		return low + int(NextRandom(m) % uint64_t(high - low + 1));
	}

	// Play needs and how often each starts being pressed on a frame it is up.
	struct PlayPress { int need; float chance; };
	constexpr PlayPress PLAY_PRESSES[] = {
		{NEED_FORWARD, 0.05f}, {NEED_BACKWARD, 0.01f}, {NEED_LEFT, 0.02f}, {NEED_RIGHT, 0.02f},
		{NEED_JUMP, 0.02f}, {NEED_SHOOT, 0.03f}, {NEED_PUNCH, 0.02f},
		{NEED_PREV_WEAPON, 0.003f}, {NEED_NEXT_WEAPON, 0.005f},
		{NEED_CAMERA_LEFT, 0.005f}, {NEED_CAMERA_RIGHT, 0.005f}, {NEED_CENTER_CAMERA, 0.003f},
	};

	// In the menus: moving through them most, confirming often enough to open
	// what is there (the settings among it) and change it, going back less.
	constexpr int MENU_PRESSES[] = {
		NEED_UI_UP, NEED_UI_DOWN, NEED_UI_DOWN, NEED_UI_LEFT, NEED_UI_RIGHT, NEED_UI_RIGHT,
		NEED_UI_PREV, NEED_UI_NEXT, NEED_UI_CONFIRM, NEED_UI_CONFIRM, NEED_UI_BACK,
		NEED_TEXT_NEXT_LETTER, NEED_TEXT_DONE,
	};
}

void Monkey_Start(MonkeyState* monkey, uint32_t seed)
{
	std::memset(monkey, 0, sizeof(*monkey));
	monkey->random = (uint64_t(seed) << 1 | 1) * 0x9E3779B97F4A7C15ull;
}

void Monkey_Step(MonkeyState* m, VirtualInputFrame* frame)
{
	for (int& left : m->framesLeft)
		if (left > 0)
			left--;

	if (m->menuFramesLeft > 0)
	{
		// One fresh press at a time, so every screen sees each as new.
		if (--m->menuGap <= 0)
		{
			m->framesLeft[MENU_PRESSES[Between(m, 0, int(std::size(MENU_PRESSES)) - 1)]] = 2;
			m->menuGap = MONKEY_MENU_PRESS_GAP;
		}
		if (--m->menuFramesLeft == 0)
			m->framesLeft[NEED_PAUSE] = 2;		// back to play, wherever the menus led
		m->steering = {0, 0};
		m->cameraSwivel = 0;
	}
	else if (Chance(m) < MONKEY_MENU_CHANCE)
	{
		m->framesLeft[NEED_PAUSE] = 2;
		m->menuFramesLeft = Between(m, MONKEY_MENU_FRAMES_MIN, MONKEY_MENU_FRAMES_MAX);
		m->menuGap = MONKEY_MENU_PRESS_GAP;
	}
	else
	{
		for (const PlayPress& press : PLAY_PRESSES)
			if (m->framesLeft[press.need] == 0 && Chance(m) < press.chance)
				m->framesLeft[press.need] = Between(m, 1, MONKEY_PRESS_FRAMES_MAX);
		// The stick and the camera wander, and stay inside their range.
		m->steering.x = std::fmax(-1.0f, std::fmin(1.0f, m->steering.x + (Chance(m) - 0.5f) * 0.2f));
		m->steering.y = std::fmax(-1.0f, std::fmin(1.0f, m->steering.y + (Chance(m) - 0.55f) * 0.2f));
		m->cameraSwivel = std::fmax(-1.0f, std::fmin(1.0f, m->cameraSwivel + (Chance(m) - 0.5f) * 0.1f));
	}

	frame->needsHeld = 0;
	for (int need = 0; need < NUM_CONTROL_NEEDS; need++)
		if (m->framesLeft[need] > 0)
			frame->needsHeld |= uint64_t(1) << need;
	frame->steering = m->steering;
	frame->cameraSwivel = m->cameraSwivel;
	m->frame++;
}

void StartMonkey(uint32_t seed)
{
	Monkey_Start(&gMonkey, seed);
	SetVirtualInputSource([](VirtualInputFrame* frame) { Monkey_Step(&gMonkey, frame); }, VIRTUAL_INPUT_ADD);
}
