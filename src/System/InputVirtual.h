// Devices that are not hardware: the autopilot, and a recording played back.
//
// Each update, an installed source fills one frame of what a person's
// keyboard, mouse and pad would have produced: the needs held down and the
// analog steering and camera swivel. The input layer takes it as one more
// device, so need transitions (pressed this update, held, released) come out
// exactly as for a key. An observer sees what every update finally produced,
// which is what a recording stores.
#pragma once

#include "System/Input.h"
#include "System/Math.h"

#include <cstdint>

struct VirtualInputFrame
{
	uint64_t needsHeld = 0;			// bit n: need n is down
	OGLVector2D steering = {0, 0};	// each axis −1..1, as a stick gives it (y negative = forward)
	float cameraSwivel = 0;			// −1..1, positive swings the camera right
};

enum
{
	VIRTUAL_INPUT_ADD,			// merged with the hardware (a person can still play along)
	VIRTUAL_INPUT_ONLY,			// the hardware is ignored, quit and window events aside (replays)
};

using VirtualInputSource = void (*)(VirtualInputFrame* frame);
using InputObserver = void (*)(const VirtualInputFrame& produced);

// nullptr removes the source. The source is called once per UpdateInput.
void SetVirtualInputSource(VirtualInputSource source, int mode);
bool HasVirtualInputSource();
// The source installed (nullptr: none) and its mode, so it can be put back.
VirtualInputSource GetVirtualInputSource(int* mode);

// nullptr removes the observer. Called at the end of every UpdateInput.
void SetInputObserver(InputObserver observer);
// The game's own observer (the replay keeper, System/Replays.h), called after
// the one above, so a test's recording and a kept replay can run together.
void SetReplayInputObserver(InputObserver observer);

// The needs held and the analog outputs of the last update.
VirtualInputFrame GetLastInputFrame();

// Merges a virtual frame into analog outputs that came from the hardware:
// the larger deflection of each axis wins (ADD), or the frame replaces them (ONLY).
void MergeVirtualAnalog(const VirtualInputFrame& frame, int mode, OGLVector2D* steering, float* cameraSwivel);

// Keys held by a device that is not a keyboard (an input script): merged with
// the keyboard's own, so key captures, cheat keys and start-up keys see them.
// The source fills `keysDown` (indexed by SDL scancode) once per UpdateInput;
// nullptr removes it.
using VirtualKeySource = void (*)(bool keysDown[NUM_KEY_STATES]);
void SetVirtualKeySource(VirtualKeySource source);
