// The SDL side of the input layer: events, device reads, the controller.
#include "System/Input.h"
#include "System/InputState.h"
#include "System/InputVirtual.h"
#include "System/Prefs.h"
#include "System/Window.h"
#include "System/Error.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstring>

OGLVector2D gAnalogSteering = {0, 0};
float gCameraSwivelInput = 0;
bool gUserPrefersGamepad = false;
bool gMouseMovedThisUpdate = false;
char gTextInputChars[MAX_TEXT_INPUT_BYTES];

static SDL_GameController* gController = nullptr;
static VirtualInputSource gVirtualSource = nullptr;
static int gVirtualMode = VIRTUAL_INPUT_ADD;
static bool gPersonPressed = false;
static InputObserver gReplayInputObserver = nullptr;		// a key, button or click went down in this update
static InputObserver gInputObserver = nullptr;
static VirtualKeySource gVirtualKeySource = nullptr;
static VirtualInputFrame gLastInputFrame;
static SDL_JoystickID gControllerInstanceID = -1;

static bool WindowHasInputFocus()
{
	return gWindow && (SDL_GetWindowFlags(gWindow) & SDL_WINDOW_INPUT_FOCUS);
}

// Keeps every text typed during the update, as long as it fits whole.
static void AppendTextInput(const char* text)
{
	size_t used = strlen(gTextInputChars);
	size_t length = strnlen(text, SDL_TEXTINPUTEVENT_TEXT_SIZE);
	if (used + length < sizeof(gTextInputChars))
	{
		memcpy(gTextInputChars + used, text, length);
		gTextInputChars[used + length] = '\0';
	}
}

void CloseController()
{
	if (gController)
		SDL_GameControllerClose(gController);
	gController = nullptr;
	gControllerInstanceID = -1;
}

bool TryOpenController()
{
	if (gController)
	{
		printf("Already have a valid controller.\n");
		return true;
	}
	int numJoysticks = SDL_NumJoysticks();
	if (numJoysticks <= 0)
		return false;

	for (int i = 0; i < numJoysticks; i++)
	{
		if (!SDL_IsGameController(i))
			continue;
		gController = SDL_GameControllerOpen(i);
		if (gController)
		{
			gControllerInstanceID = SDL_JoystickGetDeviceInstanceID(i);
			break;
		}
	}

	if (!gController)
	{
		printf("Joystick(s) found, but none is suitable as an SDL_GameController.\n");
		return false;
	}
	printf("Opened joystick %d as controller: %s\n", int(gControllerInstanceID), SDL_GameControllerName(gController));
	return true;
}

bool IsControllerOpen()
{
	return gController != nullptr;
}

const char* GetControllerName()
{
	return gController ? SDL_GameControllerName(gController) : nullptr;
}

// Returns this event's wheel motion.
static int HandleEvent(const SDL_Event& event)
{
	switch (event.type)
	{
		case SDL_QUIT:
			RequestQuit();

		case SDL_WINDOWEVENT:
			switch (event.window.event)
			{
				case SDL_WINDOWEVENT_CLOSE:
					RequestQuit();
				case SDL_WINDOWEVENT_FOCUS_GAINED:
				case SDL_WINDOWEVENT_FOCUS_LOST:
					gInputState.discardMouse = true;
					break;
			}
			break;

		case SDL_KEYDOWN:
			gUserPrefersGamepad = false;
			if (!event.key.repeat)
				gPersonPressed = true;
			break;

		case SDL_MOUSEBUTTONDOWN:
			gPersonPressed = true;
			break;

		case SDL_TEXTINPUT:
			AppendTextInput(event.text.text);
			break;

		case SDL_MOUSEMOTION:
			if (!gInputState.discardMouse)
			{
				gMouseMovedThisUpdate = true;
				if (WindowHasInputFocus())
					MouseRing_Push(&gInputState.mouseRing, event.motion.timestamp, event.motion.xrel, event.motion.yrel);
			}
			break;

		case SDL_MOUSEWHEEL:
			if (!gInputState.discardMouse)
				return event.wheel.x + event.wheel.y;
			break;

		case SDL_JOYBUTTONDOWN:
		case SDL_CONTROLLERBUTTONDOWN:
			gPersonPressed = true;
			gUserPrefersGamepad = true;
			break;
		case SDL_CONTROLLERBUTTONUP:
			gUserPrefersGamepad = true;
			break;

		case SDL_JOYDEVICEREMOVED:
			if (gController && event.jdevice.which == gControllerInstanceID)
			{
				printf("Current joystick was removed: %d\n", int(event.jdevice.which));
				CloseController();
				TryOpenController();
			}
			break;

		case SDL_JOYDEVICEADDED:
			TryOpenController();
			break;
	}
	return 0;
}

static void ReadController(InputSnapshot* snapshot)
{
	snapshot->controllerOpen = gController != nullptr;
	for (int i = 0; i < NUM_PAD_BUTTONS; i++)
		snapshot->padButtons[i] = gController && SDL_GameControllerGetButton(gController, SDL_GameControllerButton(i));
	for (int i = 0; i < NUM_PAD_AXES; i++)
		snapshot->padAxes[i] = gController ? SDL_GameControllerGetAxis(gController, SDL_GameControllerAxis(i)) : 0;
}

void UpdateInput()
{
	gTextInputChars[0] = '\0';
	gMouseMovedThisUpdate = false;

	MouseRing* ring = &gInputState.mouseRing;
	if (ring->resetRequested)
	{
		MouseRing_Clear(ring);
		ring->resetRequested = false;
	}
	MouseRing_Prune(ring, SDL_GetTicks());

	InputSnapshot snapshot = {};
	gPersonPressed = false;
	SDL_PumpEvents();
	SDL_Event event;
	while (SDL_PollEvent(&event))
		snapshot.wheel += HandleEvent(event);

	if (!gInputState.discardMouse)
		snapshot.mouseButtons = SDL_GetMouseState(nullptr, nullptr);
	snapshot.keys = SDL_GetKeyboardState(&snapshot.numKeys);
	ReadController(&snapshot);

	static uint8_t mergedKeys[NUM_KEY_STATES];
	if (gVirtualKeySource)
	{
		bool scripted[NUM_KEY_STATES] = {};
		gVirtualKeySource(scripted);
		// A scripted key stands for a person's: its press counts as one.
		static bool scriptedBefore[NUM_KEY_STATES] = {};
		for (int i = 0; i < NUM_KEY_STATES; i++)
		{
			mergedKeys[i] = uint8_t((i < snapshot.numKeys && snapshot.keys[i]) || scripted[i]);
			if (scripted[i] && !scriptedBefore[i])
				gPersonPressed = true;
			scriptedBefore[i] = scripted[i];
		}
		snapshot.keys = mergedKeys;
		snapshot.numKeys = NUM_KEY_STATES;
	}

	VirtualInputFrame virtualFrame;
	if (gVirtualSource)
		gVirtualSource(&virtualFrame);
	if (gVirtualSource && gVirtualMode == VIRTUAL_INPUT_ONLY)
	{
		// The hardware reads as untouched; events were still handled, so quitting works.
		static const uint8_t kNoKeys[NUM_KEY_STATES] = {};
		snapshot.keys = kNoKeys;
		snapshot.numKeys = std::min(snapshot.numKeys, NUM_KEY_STATES);
		snapshot.mouseButtons = 0;
		snapshot.wheel = 0;
		snapshot.controllerOpen = false;
		MouseRing_Clear(ring);
		gTextInputChars[0] = '\0';
	}

	AdvanceMouseStates(&gInputState, snapshot);
	AdvanceKeyboardStates(&gInputState, snapshot);

	if (ConsumeFullscreenToggle(&gInputState))
	{
		gGamePrefs.fullscreen = !gGamePrefs.fullscreen;
		ApplyDisplayMode();
	}

	AdvanceNeedStates(&gInputState, snapshot, gGamePrefs.bindings, gVirtualSource ? virtualFrame.needsHeld : 0);

	AnalogOutputs analog = ComputeAnalogOutputs(gInputState, gGamePrefs.mouseSensitivity, gGamePrefs.mouseSteersRobot);
	if (gVirtualSource)
		MergeVirtualAnalog(virtualFrame, gVirtualMode, &analog.steering, &analog.cameraSwivel);
	gAnalogSteering = analog.steering;
	gCameraSwivelInput = analog.cameraSwivel;

	gLastInputFrame.needsHeld = 0;
	for (int need = 0; need < NUM_CONTROL_NEEDS; need++)
		if (gInputState.needs[need] & 1)
			gLastInputFrame.needsHeld |= uint64_t(1) << need;
	gLastInputFrame.steering = gAnalogSteering;
	gLastInputFrame.cameraSwivel = gCameraSwivelInput;
	if (gInputObserver)
		gInputObserver(gLastInputFrame);
	if (gReplayInputObserver)
		gReplayInputObserver(gLastInputFrame);
}

void SetReplayInputObserver(InputObserver observer)
{
	gReplayInputObserver = observer;
}

void SetVirtualInputSource(VirtualInputSource source, int mode)
{
	gVirtualSource = source;
	gVirtualMode = mode;
}

void SetVirtualKeySource(VirtualKeySource source)
{
	gVirtualKeySource = source;
}

VirtualInputSource GetVirtualInputSource(int* mode)
{
	*mode = gVirtualMode;
	return gVirtualSource;
}

bool PersonPressedThisUpdate()
{
	return gPersonPressed;
}

bool HasVirtualInputSource()
{
	return gVirtualSource != nullptr;
}

void SetInputObserver(InputObserver observer)
{
	gInputObserver = observer;
}

VirtualInputFrame GetLastInputFrame()
{
	return gLastInputFrame;
}

static void CheckNeed(int need)
{
	GAME_ASSERT_MESSAGE(need >= 0 && need < NUM_CONTROL_NEEDS, "needID < NUM_CONTROL_NEEDS");
}

bool GetNeedState(int need)
{
	CheckNeed(need);
	return gInputState.needs[need] & 1;
}

bool GetNewNeedState(int need)
{
	CheckNeed(need);
	return gInputState.needs[need] == KEYSTATE_DOWN;
}

bool GetKeyState(int sdlScancode)
{
	return sdlScancode >= 0 && sdlScancode < NUM_KEY_STATES && (gInputState.keyboard[sdlScancode] & 1);
}

bool GetNewKeyState(int sdlScancode)
{
	return sdlScancode >= 0 && sdlScancode < NUM_KEY_STATES && gInputState.keyboard[sdlScancode] == KEYSTATE_DOWN;
}

bool FlushMouseButtonPress(int sdlButton)
{
	GAME_ASSERT_MESSAGE(sdlButton >= 0 && sdlButton < NUM_SUPPORTED_MOUSE_BUTTONS, "sdlButton < NUM_SUPPORTED_MOUSE_BUTTONS");
	if (gInputState.mouse[sdlButton] != KEYSTATE_DOWN)
		return false;
	gInputState.mouse[sdlButton] = KEYSTATE_HELD;
	return true;
}

void GetMouseDelta(float* dx, float* dy)
{
	*dx = float(gInputState.mouseRing.sumX);
	*dy = float(gInputState.mouseRing.sumY);
}

bool UserWantsOut()
{
	if (GetNewNeedState(NEED_UI_CONFIRM) || GetNewNeedState(NEED_UI_BACK) || GetNewNeedState(NEED_UI_START))
		return true;
	return FlushMouseButtonPress(SDL_BUTTON_LEFT);
}

bool AreCheatKeysDown()
{
	return (GetKeyState(SDL_SCANCODE_K) && GetKeyState(SDL_SCANCODE_J) && GetKeyState(SDL_SCANCODE_X))
		|| (GetKeyState(SDL_SCANCODE_V) && GetKeyState(SDL_SCANCODE_Q) && GetKeyState(SDL_SCANCODE_Z));
}

void Rumble(float strength, int milliseconds)
{
	if (!gController || !gGamePrefs.rumble)
		return;
	float clamped = std::clamp(strength, 0.0f, 1.0f);
	Uint16 intensity = Uint16(clamped * 65535.0f);
	// Many Linux pads can't rumble; SDL's refusal is not worth a message.
	SDL_GameControllerRumble(gController, intensity, intensity, Uint32(std::max(milliseconds, 0)));
}

OGLVector2D GetThumbStickVector(bool rightStick)
{
	if (!gInputState.controllerOpen)
		return {0, 0};
	int axis = rightStick ? 2 : 0;
	return ThumbStickVectorFromAxes(gInputState.padAxes[axis], gInputState.padAxes[axis + 1]);
}

void InvalidateMouseInput()
{
	gInputState.discardMouse = true;
}

void FlushInputEvents()
{
	SDL_FlushEvents(0x300, 0x604);
	SDL_FlushEvents(0x650, 0x652);
}

void ResetInputState()
{
	gInputState = InputState{};
	gInputState.mouseRing.resetRequested = true;
	gAnalogSteering = {0, 0};
	gCameraSwivelInput = 0;
	gMouseMovedThisUpdate = false;
	gTextInputChars[0] = '\0';
}
