// Process entry: the arguments are UTF-8 already on this platform.
#include "System/Boot.h"

#include <SDL.h>
#include <cstdio>
#include <new>

int main(int argc, char** argv)
{
	SDL_SetMainReady();
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
