// libFuzzer harness: an input script. Every input must either be refused with
// a message naming the line, or give commands the input layer can hold down
// (a real key or need, a press of at least one frame) and that can be asked
// about at any frame.
#include "Automation/InputScript.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const std::string text(reinterpret_cast<const char*>(data), size);
	InputScript script;
	std::string error;
	if (!InputScript_Parse(text, &script, &error))
	{
		if (error.rfind("input script line ", 0) != 0)
			abort();
		return 0;
	}
	for (const InputScriptCommand& c : script.commands)
	{
		if (c.frame < 0 || c.frames < 1)
			abort();
		if (c.kind == INPUT_SCRIPT_KEY && (c.code <= 0 || c.code >= NUM_KEY_STATES))
			abort();
		if (c.kind == INPUT_SCRIPT_NEED && (c.code < 0 || c.code >= NUM_CONTROL_NEEDS))
			abort();
		uint64_t needs = 0;
		bool keys[NUM_KEY_STATES] = {};
		InputScript_HeldAt(script, c.frame, &needs, keys);
		InputScript_HeldAt(script, c.frame + c.frames - 1, &needs, keys);
		InputScript_ShotsAt(script, c.frame);
		InputScript_QuitsAt(script, c.frame);
	}
	return 0;
}
