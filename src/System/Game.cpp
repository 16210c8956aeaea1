#include "System/Game.h"
#include "System/Boot.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/FrameWatcher.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/Prefs.h"
#include "System/SavedGame.h"
#include "System/Random.h"
#include "System/Replays.h"
#include "System/Sound.h"
#include "System/Strings.h"
#include "System/Window.h"
#include "3D/BG3D.h"
#include "3D/MetaObjects.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "3D/TextMesh.h"
#include "Effects/Effects.h"
#include "Effects/Particles.h"
#include "Enemies/RaiderSaucer.h"
#include "Player/Player.h"
#include "Screens/HighScores.h"
#include "Screens/Infobar.h"
#include "Screens/Screens.h"
#include "Terrain/Fences.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"

#include <SDL.h>
#include <ctime>

int gCurrentLevel = 0;

StartupAction ReadStartupKeys(bool (*keyDown)(int scancode), int* level, bool* skipFluff)
{
	if (keyDown(SDL_SCANCODE_F))
		*skipFluff = true;

	if (keyDown(SDL_SCANCODE_MINUS))
		return STARTUP_HIGH_SCORE_ENTRY;
	if (keyDown(SDL_SCANCODE_W))
		return STARTUP_WIN_SCREEN;
	if (keyDown(SDL_SCANCODE_L))
		return STARTUP_LOSE_SCREEN;
	for (int i = 0; i < 10; i++)		// keys 1..9 then 0: levels 0..9
	{
		if (keyDown(SDL_SCANCODE_1 + i))
		{
			*level = i;
			return STARTUP_LEVEL;
		}
	}
	return STARTUP_MAIN_MENU;
}

// The warm-up draws a few empty frames so the driver settles before play.
static void WarmUpRenderer()
{
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	OGL_SetupWindow(&setup);
	for (int i = 0; i < 45; i++)
	{
		UpdateInput();
		OGL_DrawScene(nullptr);
	}
	DeleteAllObjects();		// the view's own nodes (the debug text) go with it
	OGL_DisposeWindowSetup();
}

// The keyboard right now, or a key the last input update saw held (a scripted key).
static bool HeldNow(int scancode)
{
	return SDL_GetKeyboardState(nullptr)[scancode] != 0 || GetKeyState(scancode);
}

void RunGame()
{
	FlushInputEvents();
	OGL_CreateDrawContext();
	LoadLocalizedStrings(gGamePrefs.language);
	if (gWindow)
		ApplyDisplayMode();
	FlushInputEvents();

	InitSpriteManager();
	InitBG3DManager();
	InitObjectManager();
	TextMesh_LoadMetrics();		// before the warm-up: the debug overlay may need the font
	WarmUpRenderer();
	MakeTriangleTemplates();
	InitSkeletonManager();
	InitSoundTools();

	SetRandomSeed(gRunOptions.hasSeed ? gRunOptions.seed : uint32_t(uint64_t(time(nullptr)) - 2082844800u));

	SDL_ShowCursor(0);

	// A viewer or a screen showcase takes the run over here.
	if (gBootHooks.gameLoaded)
		gBootHooks.gameLoaded();

	// Automated runs that name a level (the autopilot and replays always do)
	// go straight to it: nothing may wait in a menu.
	if (gRunOptions.startLevel >= 0)
	{
		gCurrentLevel = gRunOptions.startLevel;
	}
	else
	{
		DoLegalScreen();

		SDL_PumpEvents();
		int level = 0;
		switch (ReadStartupKeys(HeldNow, &level, &gSkipFluff))
		{
			case STARTUP_HIGH_SCORE_ENTRY:
				gRun.score = RandomRange(100, 65535);
				DoHighScoreEntry();
				FlushInputEvents();
				DoMainMenu();
				break;
			case STARTUP_WIN_SCREEN:
				DoWinScreen();
				FlushInputEvents();
				DoMainMenu();
				break;
			case STARTUP_LOSE_SCREEN:
				DoLoseScreen();
				FlushInputEvents();
				DoMainMenu();
				break;
			case STARTUP_LEVEL:
				gCurrentLevel = level;
				break;
			case STARTUP_MAIN_MENU:
				FlushInputEvents();
				DoMainMenu();
				break;
		}
	}

	for (;;)
	{
		PlayLevels();
		FlushInputEvents();
		DoMainMenu();
	}
}

void PlayLevels()
{
	InitPlayerForNewRun();
	if (!gRun.fromSavedGame && gRunOptions.newGameScore > 0)
		gRun.score = gRunOptions.newGameScore;
	ResetHelpMessageSwitches();

	while (gCurrentLevel < NUM_LEVELS)
	{
		PlaySong(CurrentLevelDef().song, 0);
		DoLevelIntro();

		FlushInputEvents();
		int nodesBefore = gObjectCount, metaObjectsBefore = gNumMetaObjects;
		ReplaysLevelStarting();
		InitLevel();
		PlayCurrentLevel();
		ReplaysLevelEnded();
		FlushInputEvents();

		CleanupLevel();
		// Everything a level made must be gone before the next one loads.
		if (gObjectCount > nodesBefore || gNumMetaObjects > metaObjectsBefore)
			ShowAlert("Level clean-up left %d nodes and %d meta objects behind",
					gObjectCount - nodesBefore, gNumMetaObjects - metaObjectsBefore);
		if (gFrameWatcher.levelCleanedUp)
			gFrameWatcher.levelCleanedUp();

		if (gLevel.gameOver)
		{
			DoLoseScreen();
			break;
		}
		DoBonusScreen();
		gCurrentLevel++;
	}

	if (gCurrentLevel == NUM_LEVELS)
		DoWinScreen();

	DoHighScoreEntry();
}

void QuitGame()
{
	static bool released = false;
	if (!released)
	{
		released = true;
		ShutdownSound();
		DisposeTerrain();
		DeleteAllBG3DContainers();
		DisposeAllSpriteGroups();
		if (gGameViewInfoPtr)
			OGL_DisposeWindowSetup();
		OGL_DestroyDrawContext();
		TextMesh_DisposeMetrics();
	}
	SDL_ShowCursor(1);
	FlushInputEvents();
	RequestQuit();
}
