// The timedemo: a replay drawn as fast as the machine can, timed frame by
// frame. The play loop marks where each frame starts and where its drawing
// starts; a frame's logic is the time between the two, its drawing the time
// from there to the next frame (swap included). Frames across a level change
// are not counted. At the end the report gives the frame count, the average
// rate, the median and 1 % low frame times, the split, and the time of one
// full-screen textured, lit, fogged layer drawn on the same context.
//
// Where the time goes: every TIMEDEMO_SPLIT_EVERY-th frame is a split frame.
// It waits for the renderer (glFinish) wherever the scene pass moves on to
// another DrawPass (System/FrameWatcher.h) and charges the time since the last
// wait to the pass before, so a pass's figure holds its pixels as well as its
// calls. Those waits cost a little, so split frames are left out of the frame
// statistics. The report prints the mean of each pass over the split frames.
#pragma once

#include "System/FrameWatcher.h"

#include <cstddef>
#include <vector>

struct TimedemoSummary
{
	size_t frames = 0;
	double averageFps = 0;
	double medianMs = 0;
	double onePercentLowMs = 0;		// mean of the slowest 1 % of frames (at least one)
	double logicMs = 0;				// mean per frame
	double logicP99Ms = 0;			// the 99th percentile of the frames' logic
	double drawMs = 0;				// mean per frame
};

// Pure: from each frame's total and logic times (ms, same length).
TimedemoSummary SummarizeTimedemo(const std::vector<double>& frameMs, const std::vector<double>& logicMs);

// Starts timing; `expectedFrames` sizes the stores up front.
void StartTimedemo(size_t expectedFrames);
// Marks from the play loop; `levelFrame` is the level's frame counter.
void TimedemoFrameBegins(int levelFrame);
void TimedemoDrawBegins();
void TimedemoDrawPassBegins(DrawPass pass);
// The scene is drawn, before the swap.
void TimedemoFrameDrawn();
// Prints the report (and measures the full-screen layer on the current context).
void PrintTimedemoReport();

// Layers drawn to time one full-screen layer.
constexpr int TIMEDEMO_LAYERS = 60;
// One frame in this many is a split frame.
constexpr int TIMEDEMO_SPLIT_EVERY = 8;
