#include "System/Error.h"
#include "System/Window.h"
#include "System/Input.h"
#include "DataReaders.h"
#include "PlatformTypes.h"

#include <SDL.h>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

bool gFatalErrorRaised = false;
std::string gLastFatalMessage;

bool IsHeadless()
{
	const char* v = std::getenv("ZAPPATRON_HEADLESS");
	return v && *v && *v != '0';
}

static void ShowMessageBox(const char* text)
{
	if (IsHeadless())
		return;
	SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Zappatron", text, gWindow);
}

void ShowAlert(const char* format, ...)
{
	char message[1024];
	va_list args;
	va_start(args, format);
	vsnprintf(message, sizeof(message), format, args);
	va_end(args);

	bool hadVisibleWindow = gWindow && !(SDL_GetWindowFlags(gWindow) & SDL_WINDOW_HIDDEN);
	HideGameWindow();
	printf("ZAPPATRON ALERT: %s\n", message);
	fflush(stdout);
	ShowMessageBox(message);

	// Bring the game back: the player must not be left with a hidden window.
	if (hadVisibleWindow)
	{
		SDL_ShowWindow(gWindow);
		ApplyDisplayMode();
	}
}

void FatalAlert(const char* format, ...)
{
	char message[1024];
	va_list args;
	va_start(args, format);
	vsnprintf(message, sizeof(message), format, args);
	va_end(args);

	if (gWindow)
		SDL_SetWindowFullscreen(gWindow, 0);
	printf("ZAPPATRON FATAL ALERT: %s\n", message);
	fflush(stdout);
	gFatalErrorRaised = true;
	gLastFatalMessage = message;
	ShowMessageBox(message);
	RequestQuit();
}

void InstallPlatformErrorHandler()
{
	Tamber::SetDataErrorHandler([](const char* message) { FatalAlert("%s", message); });
}

void RequestQuit()
{
	throw Tamber::QuitRequest();
}
