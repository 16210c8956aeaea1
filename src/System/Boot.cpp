#include "System/Boot.h"
#include "System/CommandLine.h"
#include "3D/OGL_Support.h"
#include "System/DataFiles.h"
#include "System/Error.h"
#include "System/Game.h"
#include "System/Prefs.h"
#include "System/PrefsFolder.h"
#include "System/Window.h"
#include "Platform.h"
#include "Files.h"
#include "PlatformTypes.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <vector>

bool gSkipFluff = false;
BootHooks gBootHooks;
GameRunOptions gRunOptions;
std::filesystem::path gDataFolderPath;

namespace fs = std::filesystem;

FSSpec gDataFolderSpec;

// The data folder is recognised by this file inside it.
static const char* const kDataMarker = ":Skeletons:Quog.bg3d";

fs::path LocateDataFolder(const fs::path& exeDir)
{
	std::vector<fs::path> candidates;
	if (!exeDir.empty())
		candidates.push_back((exeDir / "Data").lexically_normal());
	candidates.push_back(fs::path("Data").lexically_normal());
	// Installed: the program in <prefix>/bin, its data in <prefix>/share/zappatron.
	if (!exeDir.empty())
		candidates.push_back((exeDir / ".." / "share" / "zappatron" / "Data").lexically_normal());

	for (const fs::path& candidate : candidates)
	{
		std::error_code ec;
		if (!fs::is_directory(candidate, ec))
			continue;
		// Every data path is relative to the Data folder through gDataFolderSpec.
		gDataFolderSpec = Tamber::Files::HostPathToFSSpec(candidate / "Skeletons");
		FSSpec marker;
		if (MakeDataFileSpec(kDataMarker, &marker) == noErr
			&& fs::is_regular_file(Tamber::Files::FSSpecToHostPath(marker), ec))
			return candidate;
	}
	throw std::runtime_error("Couldn't find the Data folder.");
}

// A game nobody can see is no use, so only drivers that put a window on a
// screen are tried (unless the player names one in SDL_VIDEODRIVER); SDL would
// otherwise fall back to drawing off-screen when the display server is slow
// to take a connection. Such a server gets a few more tries.
static void InitVideoSubsystem()
{
	if (!SDL_getenv("SDL_VIDEODRIVER"))
		SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
	constexpr int ATTEMPTS = 5;
	for (int attempt = 1; SDL_Init(SDL_INIT_VIDEO) != 0; attempt++)
	{
		fprintf(stderr, "Couldn't initialize SDL video (attempt %d of %d): %s\n", attempt, ATTEMPTS, SDL_GetError());
		if (attempt == ATTEMPTS)
			throw std::runtime_error("Couldn't initialize SDL video subsystem.");
		SDL_Delay(Uint32(200 * attempt));
	}
}

static void CreateGameWindow()
{
	for (;;)
	{
		InitVideoSubsystem();

		// Levels above what the settings offer would overflow the sample count.
		if (gGamePrefs.antialiasingLevel > 4)
			gGamePrefs.antialiasingLevel = 0;

		SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
		SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
		SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
		if (gGamePrefs.antialiasingLevel)
		{
			SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1);
			SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 1 << gGamePrefs.antialiasingLevel);
		}
		else
		{
			SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
			SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
		}

		int display = gGamePrefs.displayNumber;
		if (display >= SDL_GetNumVideoDisplays())
			display = 0;

		SDL_Rect usable = {0, 0, 1280, 720};
		SDL_GetDisplayUsableBounds(display, &usable);
		int width, height;
		CalcDefaultWindowSize(usable.w, usable.h, &width, &height);

		gWindow = SDL_CreateWindow(GameVersionText(),
				SDL_WINDOWPOS_UNDEFINED_DISPLAY(display), SDL_WINDOWPOS_UNDEFINED_DISPLAY(display),
				width, height,
				SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
		if (gWindow)
			return;

		if (!gGamePrefs.antialiasingLevel)
			throw std::runtime_error("Couldn't create SDL window.");

		printf("Couldn't create SDL window with the requested MSAA level. Retrying without MSAA...\n");
		gGamePrefs.antialiasingLevel = 0;
		SDL_QuitSubSystem(SDL_INIT_VIDEO);
	}
}

static void LoadControllerMappings()
{
	std::string path = (gDataFolderPath / "System" / "gamecontrollerdb.txt").string();
	SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
	int result = rw ? SDL_GameControllerAddMappingsFromRW(rw, 1) : -1;
	if (result == -1)
	{
		fprintf(stderr, "Warning: couldn't load %s\n", path.c_str());
		if (!IsHeadless())
			SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Zappatron", "Couldn't load gamecontrollerdb.txt!", gWindow);
	}
}

void Boot(int argc, char** argv)
{
	StartPlatformLayer();
	InstallPlatformErrorHandler();

	// A save killed mid-write leaves its temporary file; the old file stands.
	RemoveStalePrefsFolderTemporaries();
	InitDefaultPrefs();
	LoadPrefs();

	std::string hookError;
	if (gBootHooks.start && !gBootHooks.start(&hookError))
		FatalAlert("%s", hookError.c_str());

	if (gLogicOnly)
	{
		// Logic only: no window and no GL context, but events are still pumped.
		if (SDL_Init(SDL_INIT_EVENTS) != 0)
			throw std::runtime_error("Couldn't initialize SDL events.");
	}
	else
	{
		CreateGameWindow();
	}

	fs::path exeDir;
	if (argc >= 1)
	{
		// argv[0] often has no folder (started through PATH): ask SDL where we live.
		if (char* base = SDL_GetBasePath())
		{
			exeDir = base;
			SDL_free(base);
		}
		else
		{
			exeDir = fs::path(argv[0]).parent_path();
		}
	}
	gDataFolderPath = LocateDataFolder(exeDir);

	SDL_Init(SDL_INIT_GAMECONTROLLER);
	LoadControllerMappings();
}

// Every way out (a quit, --frames, a fatal alert, a closed window) ends here,
// often mid-frame. The order matters: the GL context goes first (its queued
// drawing finished), then the window, and only then SDL, whose display
// connection the driver's threads still use until the context is gone.
static void ShutdownVideo()
{
	OGL_DestroyDrawContext();
	if (gWindow)
	{
		SDL_DestroyWindow(gWindow);
		gWindow = nullptr;
	}
	SDL_Quit();
}

int RunProgram(int argc, char** argv)
{
	bool failed = false;
	std::string message;

	switch (ReadCommandLine(argc, argv, &message))
	{
		case COMMAND_LINE_DONE:
			fputs(message.c_str(), stdout);
			return 0;
		case COMMAND_LINE_BAD:
			fprintf(stderr, "zappatron: %s (see --help)\n", message.c_str());
			return EXIT_BAD_COMMAND_LINE;
		case COMMAND_LINE_RUN:
			break;
	}

	try
	{
		Boot(argc, argv);
		RunGame();
	}
	catch (const Tamber::QuitRequest&)
	{
		// The user quit, or a fatal alert already told them why.
	}
	catch (const std::exception& e)
	{
		failed = true;
		message = e.what();
	}
	catch (...)
	{
		failed = true;
		message = "unknown";
	}

	int exitCode = gBootHooks.finish ? gBootHooks.finish() : 0;
	ShutdownPlatformLayer();
	ShutdownVideo();

	if (failed)
	{
		fprintf(stderr, "Uncaught exception: %s\n", message.c_str());
		if (!IsHeadless())
			SDL_ShowSimpleMessageBox(0, "Zappatron", message.c_str(), nullptr);
		return 1;
	}
	return gFatalErrorRaised ? 1 : exitCode;
}
