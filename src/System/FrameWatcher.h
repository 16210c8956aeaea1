// The one hook for whoever watches frames from outside the game: a benchmark
// timing them, a test taking screenshots, feeding scripted keys, checking
// invariants or ending a stuck run with RequestQuit (System/Error.h). The
// game calls these at fixed points of every frame and never asks who
// listens. One watcher at most, installed at boot by assignment; any
// callback may be null. (Whatever drives the robot instead of a person plugs
// in at the input layer: System/InputVirtual.h.)
#pragma once

struct FrameWatcher
{
	// A frame of play begins, before its input update; the level's frame counter.
	void (*playFrameStarted)(int levelFrame) = nullptr;
	// Every object of the frame of play has moved; nothing is drawn yet.
	void (*playFrameMoved)() = nullptr;
	// The frame of play's scene pass begins.
	void (*drawingStarted)() = nullptr;
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
