// Name entry on the high-score screen: one frame of editing a 24-character
// name, from the keyboard (typed text, arrows, home/end, backspace/delete) or
// a pad (stepping letters through the alphabet). GL-free: the screen feeds it
// the controls of each frame and lays the name out again when it changed.
#pragma once

#include "Screens/HighScores.h"

constexpr float TEXT_ENTRY_AUTO_ADVANCE = 1.0f;		// seconds after a stepped letter until the cursor moves on
constexpr float TEXT_ENTRY_REPEAT = 0.125f;			// seconds between letter steps while held
inline constexpr char TEXT_ENTRY_ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ ";
// The characters the keyboard may type into a name (the font has them all).
constexpr char TEXT_ENTRY_FIRST_CHARACTER = ' ';
constexpr char TEXT_ENTRY_LAST_CHARACTER = '}';

// The controls of one frame: "New" is a fresh press, the others held.
struct TextEntryControls
{
	bool doneNew;
	bool left, right, home, end;
	bool backspace, backspaceNew, del;
	bool nextLetter, nextLetterNew, prevLetter, prevLetterNew;
	bool space, spaceNew;
	const char* typed;				// text typed this frame (UTF-8), may be null
};

struct TextEntryState
{
	char name[MAX_NAME_LENGTH + 1];	// padded with spaces, always terminated
	int cursor;						// 0 … MAX_NAME_LENGTH
	bool letterPending;				// a stepped letter waits to be moved past
	float letterTimer;				// seconds since that letter was stepped
	float repeatTimer;				// seconds since the last held step
	bool done;
};

// A blank name, cursor at 0.
void StartTextEntry(TextEntryState* state);
// One frame; true when the name or the cursor changed.
bool StepTextEntry(TextEntryState* state, const TextEntryControls& controls, float dt);
// The name without its trailing spaces.
void GetEnteredName(const TextEntryState& state, char out[MAX_NAME_LENGTH + 1]);
