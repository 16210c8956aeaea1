// The device-state logic of the input layer, kept apart from SDL so that a
// scripted snapshot of the devices can drive it.
#pragma once

#include "System/Input.h"

constexpr int MOUSE_RING_SIZE = 64;
constexpr uint32_t MOUSE_RING_WINDOW_MS = 10;		// motion older than this is dropped
constexpr int16_t REMAPPABLE_AXIS_THRESHOLD = 10813;	// about a third of full deflection
constexpr int16_t FIXED_AXIS_THRESHOLD = 21626;		// about two thirds
constexpr int16_t PAD_CAPTURE_AXIS_THRESHOLD = 24575;

// The last motion events of the mouse, with running sums.
struct MouseRing
{
	struct Entry { uint32_t timestamp; int32_t dx; int32_t dy; };
	Entry entries[MOUSE_RING_SIZE];
	int first;
	int count;
	int32_t sumX;
	int32_t sumY;
	bool resetRequested;
};

void MouseRing_Clear(MouseRing* ring);
void MouseRing_Push(MouseRing* ring, uint32_t timestamp, int32_t dx, int32_t dy);
// Drops entries older than now - MOUSE_RING_WINDOW_MS (unsigned comparison).
void MouseRing_Prune(MouseRing* ring, uint32_t now);

// What the devices report in one update.
struct InputSnapshot
{
	const uint8_t* keys;			// SDL keyboard state
	int numKeys;					// keys SDL reports
	uint32_t mouseButtons;			// bit i-1 set: button i down
	int wheel;						// wheel motion of this update
	bool controllerOpen;
	bool padButtons[NUM_PAD_BUTTONS];
	int16_t padAxes[NUM_PAD_AXES];
};

struct InputState
{
	uint8_t keyboard[NUM_KEY_STATES];
	uint8_t mouse[NUM_SUPPORTED_MOUSE_BUTTONS];
	uint8_t needs[NUM_CONTROL_NEEDS];
	int numKeys;					// key count of the last update
	bool discardMouse;
	MouseRing mouseRing;
	bool controllerOpen;			// pad readings as of the last update
	bool padButtons[NUM_PAD_BUTTONS];
	int16_t padAxes[NUM_PAD_AXES];
};

extern InputState gInputState;

uint8_t NextKeyState(uint8_t previous, bool downNow);

// Steps of one update, in this order.
void AdvanceMouseStates(InputState* state, const InputSnapshot& snapshot);
void AdvanceKeyboardStates(InputState* state, const InputSnapshot& snapshot);
// Alt+Return: swallows the Return press and reports that full screen must flip.
bool ConsumeFullscreenToggle(InputState* state);
bool IsBindingDown(const InputBinding& binding, bool remappable, const InputState& state, const InputSnapshot& snapshot);
// `virtualHeld`: needs a virtual device holds down (bit n: need n), merged with the bindings.
void AdvanceNeedStates(InputState* state, const InputSnapshot& snapshot, const InputBinding remappable[NUM_REMAPPABLE_NEEDS],
		uint64_t virtualHeld = 0);

struct AnalogOutputs
{
	OGLVector2D steering;
	float cameraSwivel;
};

// Steering and camera swivel from the sticks, the held needs and the mouse.
AnalogOutputs ComputeAnalogOutputs(const InputState& state, int mouseSensitivity, bool mouseSteersRobot);

// Returns the angle snapped to 0, ±pi/2 or pi when within tolerance of it.
float SnapAngle(float angle, float tolerance);
// A stick's two axes to a vector with dead zone, rescaled magnitude and snapped angle.
OGLVector2D ThumbStickVectorFromAxes(int16_t rawX, int16_t rawY);
