#include "Automation/InputScript.h"

#include <cerrno>

#include <SDL.h>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace
{
	// Every need by the name of its constant without "NEED_".
	const char* const kNeedNames[NUM_CONTROL_NEEDS] =
	{
		"FORWARD", "BACKWARD", "LEFT", "RIGHT", "PREV_WEAPON", "NEXT_WEAPON", "SHOOT", "PUNCH", "JUMP",
		"CENTER_CAMERA", "CAMERA_LEFT", "CAMERA_RIGHT", "SPARE",
		"UI_UP", "UI_DOWN", "UI_LEFT", "UI_RIGHT", "UI_PREV", "UI_NEXT", "UI_CONFIRM", "UI_DELETE", "UI_START",
		"UI_BACK", "PAUSE",
		"TEXT_LEFT", "TEXT_STICK_LEFT", "TEXT_RIGHT", "TEXT_STICK_RIGHT", "TEXT_HOME", "TEXT_END",
		"TEXT_BACKSPACE", "TEXT_DELETE", "TEXT_DONE", "TEXT_NEXT_LETTER", "TEXT_PREV_LETTER", "TEXT_SPACE",
	};

	// Frame numbers and press lengths: up to INPUT_SCRIPT_MAX_FRAMES, so a
	// press's end (its frame plus its length) is always a number too.
	bool ReadCount(const std::string& word, long minValue, long* out)
	{
		char* end = nullptr;
		errno = 0;
		long v = std::strtol(word.c_str(), &end, 10);
		if (word.empty() || *end != '\0' || errno == ERANGE || v < minValue || v > INPUT_SCRIPT_MAX_FRAMES)
			return false;
		*out = v;
		return true;
	}

	bool Active(const InputScriptCommand& c, long frame)
	{
		return frame >= c.frame && frame < c.frame + c.frames;
	}
}

int InputScript_NeedFromName(const std::string& name)
{
	std::string upper = name;
	for (char& ch : upper)
		ch = char(std::toupper(static_cast<unsigned char>(ch)));
	for (int need = 0; need < NUM_CONTROL_NEEDS; need++)
		if (upper == kNeedNames[need])
			return need;
	return -1;
}

bool InputScript_Parse(const std::string& text, InputScript* script, std::string* error)
{
	script->commands.clear();
	std::istringstream lines(text);
	std::string line;
	for (int lineNumber = 1; std::getline(lines, line); lineNumber++)
	{
		if (size_t hash = line.find('#'); hash != std::string::npos)
			line.erase(hash);
		std::istringstream words(line);
		std::vector<std::string> w;
		for (std::string word; words >> word;)
			w.push_back(word);
		if (w.empty())
			continue;

		auto fail = [&](const std::string& why) {
			*error = "input script line " + std::to_string(lineNumber) + ": " + why;
			return false;
		};
		InputScriptCommand c = {};
		c.line = lineNumber;
		c.frames = INPUT_SCRIPT_DEFAULT_HOLD;
		if (!ReadCount(w[0], 0, &c.frame))
			return fail("\"" + w[0] + "\" is not a frame number");
		if (w.size() < 2)
			return fail("a frame number needs a command (key, need, shot or quit)");
		const std::string& verb = w[1];
		if (verb == "key" || verb == "need")
		{
			if (w.size() < 3 || w.size() > 4)
				return fail(verb + " takes a name and optionally a number of frames");
			if (verb == "key")
			{
				c.kind = INPUT_SCRIPT_KEY;
				c.code = int(SDL_GetScancodeFromName(w[2].c_str()));
				if (c.code <= 0 || c.code >= NUM_KEY_STATES)
					return fail("\"" + w[2] + "\" is not a key name");
			}
			else
			{
				c.kind = INPUT_SCRIPT_NEED;
				c.code = InputScript_NeedFromName(w[2]);
				if (c.code < 0)
					return fail("\"" + w[2] + "\" is not a need");
			}
			if (w.size() == 4 && !ReadCount(w[3], 1, &c.frames))
				return fail("\"" + w[3] + "\" is not a number of frames (1 or more)");
		}
		else if (verb == "shot")
		{
			if (w.size() != 3)
				return fail("shot takes one file name");
			c.kind = INPUT_SCRIPT_SHOT;
			c.path = w[2];
		}
		else if (verb == "quit")
		{
			if (w.size() != 2)
				return fail("quit takes nothing more");
			c.kind = INPUT_SCRIPT_QUIT;
		}
		else
		{
			return fail("unknown command \"" + verb + "\"");
		}
		script->commands.push_back(c);
	}
	return true;
}

void InputScript_HeldAt(const InputScript& script, long frame, uint64_t* needsHeld, bool keysDown[NUM_KEY_STATES])
{
	*needsHeld = 0;
	for (int i = 0; i < NUM_KEY_STATES; i++)
		keysDown[i] = false;
	for (const InputScriptCommand& c : script.commands)
	{
		if (!Active(c, frame))
			continue;
		if (c.kind == INPUT_SCRIPT_KEY)
			keysDown[c.code] = true;
		else if (c.kind == INPUT_SCRIPT_NEED)
			*needsHeld |= uint64_t(1) << c.code;
	}
}

std::vector<std::string> InputScript_ShotsAt(const InputScript& script, long frame)
{
	std::vector<std::string> shots;
	for (const InputScriptCommand& c : script.commands)
		if (c.kind == INPUT_SCRIPT_SHOT && c.frame == frame)
			shots.push_back(c.path);
	return shots;
}

bool InputScript_QuitsAt(const InputScript& script, long frame)
{
	for (const InputScriptCommand& c : script.commands)
		if (c.kind == INPUT_SCRIPT_QUIT && c.frame == frame)
			return true;
	return false;
}
