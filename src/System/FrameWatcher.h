// The one hook for whoever watches frames from outside the game: a benchmark
// timing them, a test taking screenshots, feeding scripted keys, checking
// invariants or ending a stuck run with RequestQuit (System/Error.h). The
// game calls these at fixed points of every frame and never asks who
// listens. One watcher at most, installed at boot by assignment; any
// callback may be null. (Whatever drives the robot instead of a person plugs
// in at the input layer: System/InputVirtual.h.)
#pragma once

#include <cstdint>

// The parts of a frame the scene pass reports as it reaches them, so a
// benchmark can split a frame's cost by what is drawn.
enum DrawPass : uint8_t
{
	DRAW_PASS_TERRAIN,
	DRAW_PASS_OPAQUE,			// models, custom-drawn items
	DRAW_PASS_SKINNED,			// skeletons
	DRAW_PASS_SHADOWS,
	DRAW_PASS_TRANSLUCENT,		// blended models, particles, sparkles, shards, trails, lens flare
	DRAW_PASS_SKY,				// sky and backdrop
	DRAW_PASS_WATER,
	DRAW_PASS_HUD,				// infobar, sprites, text, shutters, fade
	NUM_DRAW_PASSES
};

struct FrameWatcher
{
	// A frame of play begins, before its input update; the level's frame counter.
	void (*playFrameStarted)(int levelFrame) = nullptr;
	// Every object of the frame of play has moved; nothing is drawn yet.
	void (*playFrameMoved)() = nullptr;
	// The frame of play's scene pass begins.
	void (*drawingStarted)() = nullptr;
	// The scene pass moves on to another kind of drawing (called only when it changes).
	void (*drawPassBegins)(DrawPass pass) = nullptr;
	// Any scene pass (play, screens, viewers; logic-only too) is done drawing,
	// before the swap: the back buffer holds the frame.
	void (*frameDrawn)() = nullptr;
	// A level's play loop has ended: finished, lost or left.
	void (*levelEnded)() = nullptr;
	// A level's resources are released (what is still in use now is what
	// the next level starts from).
	void (*levelCleanedUp)() = nullptr;
};

inline FrameWatcher gFrameWatcher;
