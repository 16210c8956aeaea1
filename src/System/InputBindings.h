// Default bindings, the printable names of keys and buttons, and the
// rebinding operations of the remapping menus.
#pragma once

#include "System/Input.h"

#include <string>

// Needs shown on each remapping menu (a captured input is taken away from these).
extern const int kKeyboardMenuNeeds[NUM_REMAPPABLE_NEEDS];
extern const int kMouseMenuNeeds[6];
extern const int kPadMenuNeeds[6];

// Copies `text` (at most 255 characters) into a static buffer, replacing each
// '#' by the upper-case short name of remappable `need` (pad name when the
// player last used a pad). The result is always cut to fit the buffer.
const char* GetShortNameForInputNeed(const char* text, int need);
// Short name of a binding: its first key, or its first pad input when `preferPad`.
std::string GetShortBindingName(const InputBinding& binding, bool preferPad);

// Names shown in the remapping rows.
std::string GetKeyName(int scancode);
std::string GetMouseButtonName(int button);
std::string GetPadInputName(int type, int id);

// The same for the current binding of remappable need `need`.
std::string GetKeyBindingName(int need, int slot);
std::string GetMouseBindingName(int need);
std::string GetPadBindingName(int need, int slot);

// Stores an input in a slot, first taking it away from every need of that
// device's menu. These operate on any binding table (the preferences in game).
void AssignKeyBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need, int slot, int scancode);
void AssignMouseBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need, int button);
void AssignPadBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need, int slot, int type, int id);

void ClearKeyBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need, int slot);
void ClearMouseBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need);
void ClearPadBinding(InputBinding bindings[NUM_REMAPPABLE_NEEDS], int need, int slot);

// Copy only one device's part of the defaults back.
void ResetKeyboardBindings(InputBinding bindings[NUM_REMAPPABLE_NEEDS]);
void ResetMouseBindings(InputBinding bindings[NUM_REMAPPABLE_NEEDS]);
void ResetPadBindings(InputBinding bindings[NUM_REMAPPABLE_NEEDS]);

// One update of a capture started by a remapping row. Poll once per frame
// after UpdateInput; the preferences' bindings change on CAPTURE_DONE. The
// key capture passes over the screenshot key, so no need is ever bound to it.
enum CaptureResult
{
	CAPTURE_WAITING,
	CAPTURE_CANCELLED,
	CAPTURE_DONE,
};
CaptureResult PollKeyCapture(int need, int slot);
CaptureResult PollMouseCapture(int need);
CaptureResult PollPadCapture(int need, int slot);

// The pad input a capture would take from these pad readings: a button
// (d-pad excluded), else a trigger pulled past the capture threshold.
bool FindPadCaptureInput(const bool buttons[NUM_PAD_BUTTONS], const int16_t axes[NUM_PAD_AXES], int* type, int* id);
