#include "System/FrameTime.h"
#include "System/Input.h"

#include <SDL.h>

float gFrameRate = MIN_FRAME_RATE;
float gFrameTime = 1.0f / MIN_FRAME_RATE;

static float gFixedStepHz = 0;
static uint64_t gLastCounter = 0;
static uint64_t gFrequency = 0;

static const FrameClock kSDLClock = {SDL_GetPerformanceCounter, SDL_GetPerformanceFrequency, SDL_Delay};
static const FrameClock* gClock = &kSDLClock;
static float (*gStepSource)() = nullptr;

void SetFrameStepSource(float (*nextStep)())
{
	gStepSource = nextStep;
}

// A replay's frames were as long as they were when played: whatever this
// machine measured, the game takes the recorded step.
static float TakeStepFromSource()
{
	if (gStepSource)
	{
		const float step = gStepSource();
		if (step > 0)
		{
			gFrameTime = step;
			gFrameRate = 1.0f / step;
		}
	}
	return gFrameTime;
}

void SetFixedFrameStep(float hz)
{
	gFixedStepHz = hz;
}

void SetFrameClock(const FrameClock* clock)
{
	gClock = clock ? clock : &kSDLClock;
	gFrequency = 0;
	gLastCounter = 0;
}

float MeasureFrameTime()
{
	if (gFixedStepHz > 0)
	{
		gFrameRate = gFixedStepHz;
		gFrameTime = 1.0f / gFrameRate;
		return TakeStepFromSource();
	}

	if (gFrequency == 0)
		gFrequency = gClock->frequency();

	uint64_t now = gClock->counter();
	for (;;)
	{
		uint64_t diff = now - gLastCounter;
		if (diff == 0)
		{
			gFrameRate = MIN_FRAME_RATE;
			break;
		}
		gFrameRate = float(gFrequency) / float(diff);
		if (gFrameRate > MAX_FRAME_RATE)
		{
			// Too fast: hold the frame back, sleeping while far ahead.
			if (gFrameRate - MAX_FRAME_RATE > 1000)
				gClock->delay(1);
			now = gClock->counter();
			continue;
		}
		if (gFrameRate < MIN_FRAME_RATE)
			gFrameRate = MIN_FRAME_RATE;
		break;
	}

	// Frame-step cheat: grave + keypad plus advance the game 1/15 s a frame.
	if (GetKeyState(SDL_SCANCODE_GRAVE) && GetKeyState(SDL_SCANCODE_KP_PLUS))
		gFrameRate = MIN_FRAME_RATE;

	gLastCounter = now;
	gFrameTime = 1.0f / gFrameRate;
	return TakeStepFromSource();
}
