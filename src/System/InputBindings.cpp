#include "System/InputBindings.h"
#include "3D/ScreenshotKey.h"
#include "System/InputState.h"
#include "System/Prefs.h"
#include "System/Strings.h"
#include "System/Error.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>

namespace
{
	// SDL game-controller buttons and axes used below.
	enum : int8_t { PA, PB, PX, PY, PBACK, PGUIDE, PSTART, PLS, PRS, PLB, PRB, PUP, PDOWN, PLEFT, PRIGHT };
	enum : int8_t { LSX, LSY, RSX, RSY, LT, RT };

	constexpr int SCANCODE_ESCAPE = 41;
}

const int kKeyboardMenuNeeds[NUM_REMAPPABLE_NEEDS] = { 0, 1, 2, 3, 8, 6, 7, 4, 5, 10, 11, 9 };
const int kMouseMenuNeeds[6] = { 6, 8, 7, 4, 5, 9 };
const int kPadMenuNeeds[6] = { 8, 6, 7, 4, 5, 9 };

//
// Names
//

static std::string SdlScancodeName(int scancode)
{
	const char* name = (scancode > 0 && scancode < SDL_NUM_SCANCODES)
		? SDL_GetScancodeName(SDL_Scancode(scancode)) : nullptr;
	return (name && *name) ? name : "???";
}

static std::string SdlButtonName(int id)
{
	const char* name = (id >= 0 && id < SDL_CONTROLLER_BUTTON_MAX)
		? SDL_GameControllerGetStringForButton(SDL_GameControllerButton(id)) : nullptr;
	return (name && *name) ? name : "???";
}

static std::string SdlAxisName(int id)
{
	const char* name = (id >= 0 && id < SDL_CONTROLLER_AXIS_MAX)
		? SDL_GameControllerGetStringForAxis(SDL_GameControllerAxis(id)) : nullptr;
	return (name && *name) ? name : "???";
}

static std::string ShortKeyName(int scancode)
{
	switch (scancode)
	{
		case 225: case 229: return "Shift";
		case 226: return "Alt";
		case 230: return "AltGr";
		case 227: case 231: return "Command";
		case 224: case 228: return "Ctrl";
		default: return SdlScancodeName(scancode);
	}
}

std::string GetShortBindingName(const InputBinding& binding, bool preferPad)
{
	if (preferPad)
	{
		for (const auto& pad : binding.pad)
		{
			if (pad.type == PAD_BINDING_BUTTON)
				return SdlButtonName(pad.id);
			if (pad.type == PAD_BINDING_AXIS_POSITIVE || pad.type == PAD_BINDING_AXIS_NEGATIVE)
				return SdlAxisName(pad.id);
		}
		return "???";
	}
	for (int16_t key : binding.key)
	{
		if (key != 0)
			return ShortKeyName(key);
	}
	return "???";
}

const char* GetShortNameForInputNeed(const char* text, int need)
{
	GAME_ASSERT_MESSAGE(need >= 0, "need >= 0");
	GAME_ASSERT_MESSAGE(need < NUM_REMAPPABLE_NEEDS, "need < NUM_REMAPPABLE_NEEDS");

	static char buffer[256];
	const size_t capacity = sizeof(buffer) - 1;
	std::string name = GetShortBindingName(gGamePrefs.bindings[need], gUserPrefersGamepad);

	size_t out = 0;
	for (size_t in = 0; text[in] && in < 255 && out < capacity; in++)
	{
		if (text[in] != '#')
		{
			buffer[out++] = text[in];
			continue;
		}
		// The name may be long: copy what fits, never more.
		for (size_t k = 0; k < name.size() && out < capacity; k++)
		{
			char c = name[k];
			buffer[out++] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
		}
	}
	buffer[out] = '\0';
	return buffer;
}

std::string GetKeyName(int scancode)
{
	switch (scancode)
	{
		case 0: return GetString(STR_UNBOUND);
		case 54: return "<";
		case 55: return ">";
		default: return SdlScancodeName(scancode);
	}
}

std::string GetMouseButtonName(int button)
{
	switch (button)
	{
		case 0: return GetString(STR_UNBOUND);
		case 1: return GetString(STR_MOUSE_LEFT_BUTTON);
		case 2: return GetString(STR_MOUSE_MIDDLE_BUTTON);
		case 3: return GetString(STR_MOUSE_RIGHT_BUTTON);
		case MOUSE_WHEEL_UP: return GetString(STR_MOUSE_WHEEL_UP);
		case MOUSE_WHEEL_DOWN: return GetString(STR_MOUSE_WHEEL_DOWN);
		default:
		{
			char text[128];
			snprintf(text, sizeof(text), "%s %d", GetString(STR_MOUSE_BUTTON_N), button);
			return text;
		}
	}
}

std::string GetPadInputName(int type, int id)
{
	switch (type)
	{
		case PAD_BINDING_NONE:
			return GetString(STR_UNBOUND);
		case PAD_BINDING_BUTTON:
			switch (id)
			{
				case PA: return "A";
				case PB: return "B";
				case PX: return "X";
				case PY: return "Y";
				case PLS: return "Push LS";
				case PRS: return "Push RS";
				case PLB: return "LB";
				case PRB: return "RB";
				default: return SdlButtonName(id);
			}
		case PAD_BINDING_AXIS_POSITIVE:
			switch (id)
			{
				case LSX: return "LS right";
				case LSY: return "LS down";
				case RSX: return "RS right";
				case RSY: return "RS down";
				case LT: return "LT";
				case RT: return "RT";
				default: return SdlAxisName(id);
			}
		case PAD_BINDING_AXIS_NEGATIVE:
			switch (id)
			{
				case LSX: return "LS left";
				case LSY: return "LS up";
				case RSX: return "RS left";
				case RSY: return "RS up";
				case LT: return "LT";
				case RT: return "RT";
				default: return SdlAxisName(id);
			}
		default:
			return "???";
	}
}

static void CheckRemappable(int need)
{
	GAME_ASSERT_MESSAGE(need >= 0, "need >= 0");
	GAME_ASSERT_MESSAGE(need < NUM_REMAPPABLE_NEEDS, "need < NUM_REMAPPABLE_NEEDS");
}

static void CheckSlot(int slot)
{
	GAME_ASSERT_MESSAGE(slot == 0 || slot == 1, "slot == 0 || slot == 1");
}

std::string GetKeyBindingName(int need, int slot)
{
	CheckRemappable(need);
	CheckSlot(slot);
	return GetKeyName(gGamePrefs.bindings[need].key[slot]);
}

std::string GetMouseBindingName(int need)
{
	CheckRemappable(need);
	return GetMouseButtonName(gGamePrefs.bindings[need].mouseButton);
}

std::string GetPadBindingName(int need, int slot)
{
	CheckRemappable(need);
	CheckSlot(slot);
	const auto& pad = gGamePrefs.bindings[need].pad[slot];
	return GetPadInputName(pad.type, pad.id);
}

//
// Rebinding
//

void AssignKeyBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need, int slot, int scancode)
{
	CheckRemappable(need);
	CheckSlot(slot);
	GAME_ASSERT(scancode >= 0 && scancode < NUM_KEY_STATES);
	for (int shown : kKeyboardMenuNeeds)
	{
		for (int16_t& key : bindings[shown].key)
		{
			if (key == scancode)
				key = 0;
		}
	}
	bindings[need].key[slot] = int16_t(scancode);
}

void AssignMouseBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need, int button)
{
	CheckRemappable(need);
	GAME_ASSERT_MESSAGE(button >= 0 && button < NUM_SUPPORTED_MOUSE_BUTTONS, "sdlButton < NUM_SUPPORTED_MOUSE_BUTTONS");
	for (int shown : kMouseMenuNeeds)
	{
		if (bindings[shown].mouseButton == button)
			bindings[shown].mouseButton = 0;
	}
	bindings[need].mouseButton = int8_t(button);
}

void AssignPadBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need, int slot, int type, int id)
{
	CheckRemappable(need);
	CheckSlot(slot);
	for (int shown : kPadMenuNeeds)
	{
		for (auto& pad : bindings[shown].pad)
		{
			if (pad.type == type && pad.id == id)
				pad = {0, 0};
		}
	}
	bindings[need].pad[slot] = {int8_t(type), int8_t(id)};
}

void ClearKeyBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need, int slot)
{
	CheckRemappable(need);
	CheckSlot(slot);
	bindings[need].key[slot] = 0;
}

void ClearMouseBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need)
{
	CheckRemappable(need);
	bindings[need].mouseButton = 0;
}

void ClearPadBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need, int slot)
{
	CheckRemappable(need);
	CheckSlot(slot);
	bindings[need].pad[slot] = {0, 0};
}

void ResetKeyboardBindings(InputBinding bindings[NUM_REMAPPABLE_NEEDS])
{
	for (int i = 0; i < NUM_REMAPPABLE_NEEDS; i++)
	{
		bindings[i].key[0] = kDefaultInputBindings[i].key[0];
		bindings[i].key[1] = kDefaultInputBindings[i].key[1];
	}
}

void ResetMouseBindings(InputBinding bindings[NUM_REMAPPABLE_NEEDS])
{
	for (int i = 0; i < NUM_REMAPPABLE_NEEDS; i++)
		bindings[i].mouseButton = kDefaultInputBindings[i].mouseButton;
}

void ResetPadBindings(InputBinding bindings[NUM_REMAPPABLE_NEEDS])
{
	for (int i = 0; i < NUM_REMAPPABLE_NEEDS; i++)
	{
		bindings[i].pad[0] = kDefaultInputBindings[i].pad[0];
		bindings[i].pad[1] = kDefaultInputBindings[i].pad[1];
	}
}

//
// Captures
//

CaptureResult PollKeyCapture(int need, int slot)
{
	for (int scancode = 0; scancode < NUM_KEY_STATES; scancode++)
	{
		if (gInputState.keyboard[scancode] != KEYSTATE_DOWN)
			continue;
		if (scancode == SCANCODE_ESCAPE)
			return CAPTURE_CANCELLED;
		if (scancode == SCREENSHOT_KEY)
			continue;		// it takes its picture and stays bound to nothing else
		AssignKeyBinding(gGamePrefs.bindings, need, slot, scancode);
		return CAPTURE_DONE;
	}
	return CAPTURE_WAITING;
}

CaptureResult PollMouseCapture(int need)
{
	if (GetNewKeyState(SCANCODE_ESCAPE))
		return CAPTURE_CANCELLED;
	for (int button = 0; button < NUM_SUPPORTED_MOUSE_BUTTONS; button++)
	{
		if (FlushMouseButtonPress(button))
		{
			AssignMouseBinding(gGamePrefs.bindings, need, button);
			return CAPTURE_DONE;
		}
	}
	return CAPTURE_WAITING;
}

bool FindPadCaptureInput(const bool buttons[NUM_PAD_BUTTONS], const int16_t axes[NUM_PAD_AXES], int* type, int* id)
{
	for (int button = 0; button < NUM_PAD_BUTTONS; button++)
	{
		// The d-pad stays with menu navigation.
		if (button >= PUP && button <= PRIGHT)
			continue;
		if (buttons[button])
		{
			*type = PAD_BINDING_BUTTON;
			*id = button;
			return true;
		}
	}
	// Only the triggers: the sticks steer and navigate.
	for (int axis = LT; axis <= RT; axis++)
	{
		int value = axes[axis];
		if (value > PAD_CAPTURE_AXIS_THRESHOLD || value < -PAD_CAPTURE_AXIS_THRESHOLD)
		{
			*type = value > 0 ? PAD_BINDING_AXIS_POSITIVE : PAD_BINDING_AXIS_NEGATIVE;
			*id = axis;
			return true;
		}
	}
	return false;
}

CaptureResult PollPadCapture(int need, int slot)
{
	if (GetNewKeyState(SCANCODE_ESCAPE))
		return CAPTURE_CANCELLED;
	if (!gInputState.controllerOpen)
		return CAPTURE_WAITING;
	if (gInputState.padButtons[PSTART])
		return CAPTURE_CANCELLED;

	int type, id;
	if (!FindPadCaptureInput(gInputState.padButtons, gInputState.padAxes, &type, &id))
		return CAPTURE_WAITING;
	AssignPadBinding(gGamePrefs.bindings, need, slot, type, id);
	return CAPTURE_DONE;
}
