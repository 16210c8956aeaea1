#include "BenchLevel.h"

#include "3D/BG3D.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "3D/TextMesh.h"
#include "Player/Player.h"
#include "Screens/Infobar.h"
#include "System/Boot.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/InputVirtual.h"
#include "System/Level.h"
#include "System/Objects.h"
#include "System/Prefs.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/Strings.h"
#include "Terrain/Terrain.h"
#include "Platform.h"

#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace
{
	constexpr float STEP_HZ = 60;

	long gInputFrame = 0;
	int gBooted = 0;			// 0 not tried, 1 booted, -1 failed
	int gRunningLevel = -1;

	// Walks a wide circle, jumps now and then and swings the camera a little.
	void WalkInCircles(VirtualInputFrame* frame)
	{
		long i = gInputFrame++;
		frame->needsHeld = 1ull << NEED_FORWARD;
		if (i % 150 < 12)
			frame->needsHeld |= 1ull << NEED_JUMP;
		frame->steering = {0.35f, -1};
		frame->cameraSwivel = 0.2f * std::sin(float(i) * 0.01f);
	}

	bool Boot()
	{
		if (gBooted)
			return gBooted > 0;
		gBooted = -1;
		setenv("SDL_AUDIODRIVER", "dummy", 0);
		setenv("ZAPPATRON_HEADLESS", "1", 0);
		std::filesystem::path build = ZAPP_BUILD_DIR;
		if (!std::filesystem::is_directory(build / "Data"))
			return false;

		StartPlatformLayer();
		InitDefaultPrefs();
		gLogicOnly = true;
		SDL_Init(SDL_INIT_EVENTS);
		gDataFolderPath = LocateDataFolder(build);
		OGL_CreateDrawContext();
		LoadLocalizedStrings(gGamePrefs.language);
		InitSpriteManager();
		InitBG3DManager();
		InitObjectManager();
		TextMesh_LoadMetrics();
		MakeTriangleTemplates();
		InitSkeletonManager();
		InitSoundTools();
		SetFixedFrameStep(STEP_HZ);
		SetVirtualInputSource(WalkInCircles, VIRTUAL_INPUT_ONLY);
		gBooted = 1;
		return true;
	}
}

void PlayBenchFrame()
{
	UpdateInput();
	UpdateLevelFrame();
	OGL_DrawScene(DrawObjects, UpdateSceneWithoutDrawing);		// logic only: culls and builds supertiles
	MeasureFrameTime();
	gLevel.frameCount++;
}

bool RunLevelForBench(int level, int warmUpFrames)
{
	if (!Boot())
		return false;
	if (gRunningLevel == level)
		return true;
	if (gRunningLevel >= 0)
		CleanupLevel();
	SetRandomSeed(1);
	gInputFrame = 0;
	gCurrentLevel = level;
	InitPlayerForNewRun();
	ResetHelpMessageSwitches();
	InitLevel();
	MeasureFrameTime();
	for (int i = 0; i < warmUpFrames; i++)
		PlayBenchFrame();
	gRunningLevel = level;
	return true;
}
