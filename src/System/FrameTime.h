// Frame timing: the limiter between 1/500 s and 1/15 s per frame.
#pragma once

#include <cstdint>

extern float gFrameRate;		// frames per second
extern float gFrameTime;		// seconds per frame: 1 / gFrameRate

constexpr float MAX_FRAME_RATE = 500.0f;
constexpr float MIN_FRAME_RATE = 15.0f;

// Measures the time since the previous call; returns gFrameTime.
float MeasureFrameTime();

// Automation: when hz > 0, every frame advances the game by exactly 1/hz s
// and the limiter never waits.
void SetFixedFrameStep(float hz);

// A replay's steps: while set, each MeasureFrameTime (after its limiter)
// takes the step `nextStep` returns instead of the one it measured (0 or
// less: the measured one). nullptr removes it.
void SetFrameStepSource(float (*nextStep)());

// For tests: replaces the performance counter (nullptr restores SDL's).
struct FrameClock
{
	uint64_t (*counter)();
	uint64_t (*frequency)();
	void (*delay)(uint32_t ms);
};
void SetFrameClock(const FrameClock* clock);
