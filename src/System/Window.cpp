#include "System/Window.h"
#include "System/Input.h"
#include "System/Prefs.h"

#include <SDL.h>

SDL_Window* gWindow = nullptr;
int gFullscreenWidth = 0;
int gFullscreenHeight = 0;
int gFullscreenRefreshRate = 0;

static int ChosenDisplay()
{
	int display = gGamePrefs.displayNumber;
	if (display >= SDL_GetNumVideoDisplays())
		display = 0;
	return display;
}

void ApplyDisplayMode()
{
	if (!gWindow)
		return;

	int display = ChosenDisplay();
	SDL_SetWindowFullscreen(gWindow, 0);
	SDL_SetWindowPosition(gWindow, SDL_WINDOWPOS_CENTERED_DISPLAY(display), SDL_WINDOWPOS_CENTERED_DISPLAY(display));

	if (gGamePrefs.fullscreen)
	{
		bool exclusive = false;
		if (gFullscreenWidth > 0 && gFullscreenHeight > 0)
		{
			SDL_DisplayMode mode = {0, gFullscreenWidth, gFullscreenHeight, gFullscreenRefreshRate, nullptr};
			// Virtual displays often have no such mode: fall back to desktop fullscreen then.
			exclusive = SDL_SetWindowDisplayMode(gWindow, &mode) == 0
					 && SDL_SetWindowFullscreen(gWindow, SDL_WINDOW_FULLSCREEN) == 0;
		}
		if (!exclusive)
			SDL_SetWindowFullscreen(gWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
	}

	SDL_GL_SetSwapInterval(gGamePrefs.vsync ? 1 : 0);
	InvalidateMouseInput();
}

void GrabMouse(bool grab)
{
	SDL_PumpEvents();
	SDL_SetRelativeMouseMode(grab ? SDL_TRUE : SDL_FALSE);
	SDL_ShowCursor(grab ? 0 : 1);
	InvalidateMouseInput();
}

void HideGameWindow()
{
	if (!gWindow)
		return;
	SDL_SetWindowFullscreen(gWindow, 0);
	SDL_HideWindow(gWindow);
	SDL_PumpEvents();
}

void CalcDefaultWindowSize(int usableWidth, int usableHeight, int* width, int* height)
{
	if (usableWidth > usableHeight)
	{
		*height = int(float(usableHeight) * 0.6666667f);
		*width = int(float(*height) * 1.7777778f);
	}
	else
	{
		*width = int(float(usableWidth) * 0.6666667f);
		*height = int(float(*width) / 1.7777778f);
	}
}
