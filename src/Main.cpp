// Process entry, and the one place that puts the program together: the game
// (zappgame) with the test and benchmark machinery plugged in at its boot
// hooks (zappautomation, which brings the autopilot), and the autopilot as
// the player of the main menu's attract demo. Neither side names the
// other; this file sits outside both. The arguments are UTF-8 already on this
// platform.
#include "Automation/Automation.h"
#include "Autopilot/Autopilot.h"
#include "System/Boot.h"
#include "System/InputVirtual.h"

#include <SDL.h>
#include <cstdio>
#include <new>

int main(int argc, char** argv)
{
	SDL_SetMainReady();
	InstallAutomation();
	gBootHooks.startDemoPilot = StartAutopilot;
	gBootHooks.stopDemoPilot = []
	{
		SetVirtualInputSource(nullptr, VIRTUAL_INPUT_ADD);
		ResetAutopilotForLevel();
	};
	try
	{
		return RunProgram(argc, argv);
	}
	catch (const std::bad_alloc&)
	{
		fprintf(stderr, "Out of memory - aborting\n");
		SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Fatal Error", "Out of memory - aborting", nullptr);
		return 1;
	}
}
