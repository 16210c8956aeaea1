// Player needs over keyboard, mouse and game controller.
//
// The game never asks for a key or a button directly: it asks for a need (an
// intention such as "jump" or "confirm"), and each need is bound to keys, a
// mouse button and controller inputs. UpdateInput runs once per frame, before
// anything queries a state.
#pragma once

#include "System/Math.h"

#include <cstdint>

// One state byte per key, mouse button and need. Bit 0 set means "down".
enum
{
	KEYSTATE_OFF = 0,			// up
	KEYSTATE_HELD = 1,			// down, and was down in the previous update
	KEYSTATE_UP = 2,			// released in this update
	KEYSTATE_DOWN = 3,			// pressed in this update
	KEYSTATE_SWALLOWED = 4,		// down, but its press was consumed: reads as up until released
};

enum
{
	NEED_FORWARD,
	NEED_BACKWARD,
	NEED_LEFT,
	NEED_RIGHT,
	NEED_PREV_WEAPON,
	NEED_NEXT_WEAPON,
	NEED_SHOOT,
	NEED_PUNCH,
	NEED_JUMP,
	NEED_CENTER_CAMERA,
	NEED_CAMERA_LEFT,
	NEED_CAMERA_RIGHT,
	NEED_SPARE,					// no binding and no reader; keeps the numbering
	NEED_UI_UP,
	NEED_UI_DOWN,
	NEED_UI_LEFT,
	NEED_UI_RIGHT,
	NEED_UI_PREV,
	NEED_UI_NEXT,
	NEED_UI_CONFIRM,
	NEED_UI_DELETE,
	NEED_UI_START,
	NEED_UI_BACK,
	NEED_PAUSE,
	NEED_TEXT_LEFT,
	NEED_TEXT_STICK_LEFT,
	NEED_TEXT_RIGHT,
	NEED_TEXT_STICK_RIGHT,
	NEED_TEXT_HOME,
	NEED_TEXT_END,
	NEED_TEXT_BACKSPACE,
	NEED_TEXT_DELETE,
	NEED_TEXT_DONE,
	NEED_TEXT_NEXT_LETTER,
	NEED_TEXT_PREV_LETTER,
	NEED_TEXT_SPACE,
	NUM_CONTROL_NEEDS
};

constexpr int NUM_REMAPPABLE_NEEDS = 12;			// needs 0..11 live in the preferences
constexpr int NUM_KEY_STATES = 512;					// indexed by SDL scancode
constexpr int NUM_SUPPORTED_MOUSE_BUTTONS = 31;		// 1..28 SDL buttons, 29 wheel up, 30 wheel down
constexpr int MOUSE_WHEEL_UP = 29;
constexpr int MOUSE_WHEEL_DOWN = 30;
constexpr int NUM_PAD_BUTTONS = 21;					// SDL game-controller buttons 0..20
constexpr int NUM_PAD_AXES = 6;						// left x/y, right x/y, left/right trigger
constexpr int MAX_TEXT_INPUT_BYTES = 128;			// typed text kept per update

// Controller input kinds of a pad binding.
enum
{
	PAD_BINDING_NONE = 0,
	PAD_BINDING_BUTTON = 1,
	PAD_BINDING_AXIS_POSITIVE = 2,
	PAD_BINDING_AXIS_NEGATIVE = 3,
};

// Also the on-disk layout inside the preferences record (scancodes little-endian).
#pragma pack(push, 1)
struct InputBinding
{
	int16_t key[2];						// SDL scancodes; 0 = unbound
	int8_t mouseButton;					// mouse state index 0..30; 0 = unbound
	struct { int8_t type; int8_t id; } pad[2];
	uint8_t padByte;					// always 0
};
#pragma pack(pop)
static_assert(sizeof(InputBinding) == 10);

// The 36 default bindings; the first 12 are also the defaults of the remappable needs.
extern const InputBinding kDefaultInputBindings[NUM_CONTROL_NEEDS];

// Per-update outputs.
extern OGLVector2D gAnalogSteering;		// x, y each -1..1 (y negative = forward)
extern float gCameraSwivelInput;
extern bool gUserPrefersGamepad;			// last device used was a pad: show pad names
extern bool gMouseMovedThisUpdate;
extern char gTextInputChars[MAX_TEXT_INPUT_BYTES];	// every text typed during this update (UTF-8)

void UpdateInput();

bool GetNeedState(int need);
bool GetNewNeedState(int need);
bool GetKeyState(int sdlScancode);
bool GetNewKeyState(int sdlScancode);

// If the button was pressed in this update, marks the press as consumed (it
// reads as merely held from now on) and returns true.
bool FlushMouseButtonPress(int sdlButton);

// Motion of the last few milliseconds (behaves like a speed).
void GetMouseDelta(float* dx, float* dy);

// Any acknowledgement: confirm, back, start, or a left click (consumed).
bool UserWantsOut();
// A person pressed something in the last update: a key (not a repeat), a
// mouse button or a pad button, or an input script's key went down. Virtual
// sources' needs do not count; with VIRTUAL_INPUT_ONLY the hardware's
// presses still do (they end a replay).
bool PersonPressedThisUpdate();

// K+J+X or V+Q+Z all held.
bool AreCheatKeysDown();

// Pad: the open controller; returns whether one is open after the attempt.
bool TryOpenController();
bool IsControllerOpen();
void CloseController();						// before SDL's controller subsystem goes away
const char* GetControllerName();			// nullptr without a controller

// strength 0..1, duration in milliseconds. Nothing without a controller or with rumble off.
void Rumble(float strength, int milliseconds);

// Analog stick with dead zone and angle snapping; (0, 0) without a controller.
OGLVector2D GetThumbStickVector(bool rightStick);

// The next input update ignores the mouse (after a grab or display change).
void InvalidateMouseInput();

// Discards pending keyboard, mouse, joystick and controller events.
void FlushInputEvents();

// Clears every device and need state (new screen, tests).
void ResetInputState();
