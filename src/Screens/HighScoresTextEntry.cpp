// The name-editing rules of the high-score entry.
#include "Screens/HighScoresTextEntry.h"
#include "System/Error.h"

#include <cstring>

namespace
{
	constexpr int ALPHABET_SIZE = int(sizeof(TEXT_ENTRY_ALPHABET)) - 1;

	void InsertAt(TextEntryState* s, char c)
	{
		if (s->cursor >= MAX_NAME_LENGTH)
			return;
		std::memmove(s->name + s->cursor + 1, s->name + s->cursor, size_t(MAX_NAME_LENGTH - 1 - s->cursor));
		s->name[s->cursor] = c;
		s->cursor++;
	}

	void DeleteAt(TextEntryState* s, int at)
	{
		std::memmove(s->name + at, s->name + at + 1, size_t(MAX_NAME_LENGTH - 1 - at));
		s->name[MAX_NAME_LENGTH - 1] = ' ';
	}

	// The next (+1) or previous (−1) letter of the alphabet; anything not in it becomes "A".
	char StepLetter(char c, int direction)
	{
		const char* at = c ? std::strchr(TEXT_ENTRY_ALPHABET, c) : nullptr;
		if (!at)
			return 'A';
		int i = int(at - TEXT_ENTRY_ALPHABET);
		return TEXT_ENTRY_ALPHABET[(i + direction + ALPHABET_SIZE) % ALPHABET_SIZE];
	}

	bool StepLetterAtCursor(TextEntryState* s, int direction)
	{
		if (s->cursor >= MAX_NAME_LENGTH)
			return false;
		s->name[s->cursor] = StepLetter(s->name[s->cursor], direction);
		s->letterPending = true;
		s->letterTimer = 0;
		s->repeatTimer = 0;
		return true;
	}
}

void StartTextEntry(TextEntryState* state)
{
	*state = {};
	std::memset(state->name, ' ', MAX_NAME_LENGTH);
	state->name[MAX_NAME_LENGTH] = '\0';
}

bool StepTextEntry(TextEntryState* s, const TextEntryControls& c, float dt)
{
	// A stepped letter is moved past after a pause, or at once by the pad's
	// backspace or space button (that press does nothing else). A pause runs
	// out on its own: whatever else came in that frame (done, another letter)
	// still counts, or a press on that very frame would be lost.
	bool advanced = false;
	if (s->letterPending)
	{
		s->letterTimer += dt;
		const bool padPress = c.backspaceNew || c.spaceNew;
		if (s->letterTimer >= TEXT_ENTRY_AUTO_ADVANCE || padPress)
		{
			s->letterPending = false;
			if (s->cursor < MAX_NAME_LENGTH)
				s->cursor++;
			GAME_ASSERT_MESSAGE(s->name[MAX_NAME_LENGTH] == '\0', "myName[MAX_NAME_LENGTH] == '\\0'");
			if (padPress)
				return true;
			advanced = true;
		}
	}
	s->repeatTimer += dt;

	bool changed = true;
	bool letterStep = false;
	if (c.doneNew)
	{
		s->done = true;
		changed = false;
	}
	else if (c.left)
		s->cursor = s->cursor > 0 ? s->cursor - 1 : 0;
	else if (c.right)
		s->cursor = s->cursor < MAX_NAME_LENGTH ? s->cursor + 1 : MAX_NAME_LENGTH;
	else if (c.home)
		s->cursor = 0;
	else if (c.end)
	{
		int end = MAX_NAME_LENGTH;
		while (end > 0 && s->name[end - 1] == ' ')
			end--;
		s->cursor = end;
	}
	else if (c.backspace && s->cursor > 0)
	{
		DeleteAt(s, s->cursor - 1);
		s->cursor--;
	}
	else if (c.del && s->cursor < MAX_NAME_LENGTH)
		DeleteAt(s, s->cursor);
	else if (c.nextLetterNew || (c.nextLetter && s->repeatTimer > TEXT_ENTRY_REPEAT))
		changed = letterStep = StepLetterAtCursor(s, +1);
	else if (c.prevLetterNew || (c.prevLetter && s->repeatTimer > TEXT_ENTRY_REPEAT))
		changed = letterStep = StepLetterAtCursor(s, -1);
	else if (c.space)
		InsertAt(s, ' ');
	else if (c.typed && IsHighScoreNameCharacter(c.typed[0]))
	{
		char ch = c.typed[0];
		if (ch >= 'a' && ch <= 'z')
			ch = char(ch - 'a' + 'A');
		InsertAt(s, ch);
	}
	else
		changed = false;

	// Any other edit cancels a pending move past a stepped letter.
	if (changed && !letterStep)
		s->letterPending = false;

	GAME_ASSERT_MESSAGE(s->name[MAX_NAME_LENGTH] == '\0', "myName[MAX_NAME_LENGTH] == '\\0'");
	return changed || advanced;
}

void GetEnteredName(const TextEntryState& state, char out[MAX_NAME_LENGTH + 1])
{
	std::memcpy(out, state.name, MAX_NAME_LENGTH + 1);
	int end = MAX_NAME_LENGTH;
	while (end > 0 && out[end - 1] == ' ')
		end--;
	out[end] = '\0';
}
