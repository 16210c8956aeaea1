// The game side of scripted input: the script becomes a device of the input
// layer (its needs through the virtual source, its keys through the key
// source) and writes its screenshots as frames are drawn.
#include "Automation/InputScript.h"
#include "Automation/Automation.h"
#include "System/Error.h"
#include "System/InputVirtual.h"
#include "3D/Screenshot.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace
{
	InputScript gScript;

	void ScriptNeeds(VirtualInputFrame* frame)
	{
		bool keys[NUM_KEY_STATES];
		InputScript_HeldAt(gScript, AutomationFramesDrawn(), &frame->needsHeld, keys);
	}

	void ScriptKeys(bool keysDown[NUM_KEY_STATES])
	{
		uint64_t needs = 0;
		InputScript_HeldAt(gScript, AutomationFramesDrawn(), &needs, keysDown);
	}
}

bool StartInputScript(const std::string& path, std::string* error)
{
	std::ifstream file(path);
	if (!file)
	{
		*error = "can't read the input script " + path;
		return false;
	}
	std::stringstream text;
	text << file.rdbuf();
	if (!InputScript_Parse(text.str(), &gScript, error))
	{
		*error = path + ": " + *error;
		return false;
	}
	// Added to the hardware, so a person watching can still take over.
	SetVirtualInputSource(ScriptNeeds, VIRTUAL_INPUT_ADD);
	SetVirtualKeySource(ScriptKeys);
	return true;
}

void InputScriptFrameDrawn(long frame)
{
	if (gScript.commands.empty())
		return;
	for (const std::string& path : InputScript_ShotsAt(gScript, frame))
	{
		ScreenImage image;
		CaptureScreen(&image);
		if (WriteScreenImage(image, path))
			printf("INPUT SCRIPT frame %ld: wrote %s\n", frame, path.c_str());
		else
			fprintf(stderr, "input script: can't write %s\n", path.c_str());
	}
	if (InputScript_QuitsAt(gScript, frame))
	{
		printf("INPUT SCRIPT frame %ld: quit\n", frame);
		fflush(stdout);
		RequestQuit();
	}
}
