// Game logic per frame on the busiest level, played without drawing (as
// --no-draw plays it): input, the move pass with its collisions, the camera,
// the level's clocks, the terrain window and culling. Frames are timed one
// by one (p50 and p99 in µs), and the heap allocations of steady play are
// counted (the aim is none).
//
// Level 2 is the busiest: 3000 frames of it take about three times as long as
// those of any other level in a --no-draw run.
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
#include "System/Objects.h"
#include "System/Prefs.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/Strings.h"
#include "Terrain/Terrain.h"
#include "Platform.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pthread.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

//
// Allocation counting: malloc and friends are the C library's, counted on the
// thread that asked for it while counting is on (the audio thread is left out).
//

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* p, size_t size);
extern "C" void __libc_free(void* p);

static bool gCountAllocations = false;
static pthread_t gCountingThread;
static long gAllocationCount = 0;

static inline void CountAllocation()
{
	if (gCountAllocations && pthread_equal(pthread_self(), gCountingThread))
		gAllocationCount++;
}

extern "C" void* malloc(size_t size)
{
	CountAllocation();
	return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size)
{
	CountAllocation();
	return __libc_calloc(count, size);
}

extern "C" void* realloc(void* p, size_t size)
{
	CountAllocation();
	return __libc_realloc(p, size);
}

extern "C" void free(void* p)
{
	__libc_free(p);
}

namespace
{
	constexpr int BUSIEST_LEVEL = 2;
	constexpr float STEP_HZ = 60;
	constexpr int WARM_UP_FRAMES = 1800;		// 30 s: the robot has landed and is walking

	long gInputFrame = 0;

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

	void PlayOneFrame()
	{
		UpdateInput();
		UpdateLevelFrame();
		OGL_DrawScene(DrawObjects, UpdateSceneWithoutDrawing);		// logic only: culls and builds supertiles
		MeasureFrameTime();
		gLevelFrameCount++;
	}

	// The game as --no-draw --level 2 --fixed-step 60 boots it, once per process.
	bool StartBusiestLevel()
	{
		static int started = 0;		// 0 not tried, 1 running, -1 failed
		if (started)
			return started > 0;
		started = -1;
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
		SetRandomSeed(1);
		SetFixedFrameStep(STEP_HZ);
		SetVirtualInputSource(WalkInCircles, VIRTUAL_INPUT_ONLY);

		gCurrentLevel = BUSIEST_LEVEL;
		InitPlayerForNewRun();
		ResetHelpMessageSwitches();
		InitLevel();
		MeasureFrameTime();
		for (int i = 0; i < WARM_UP_FRAMES; i++)
			PlayOneFrame();
		started = 1;
		return true;
	}
}

static void BM_LevelLogicFrame(benchmark::State& state)
{
	if (!StartBusiestLevel())
	{
		state.SkipWithError("no baked Data folder beside the build");
		return;
	}
	std::vector<double> micros;
	micros.reserve(size_t(state.max_iterations));
	for (auto _ : state)
	{
		uint64_t start = SDL_GetPerformanceCounter();
		PlayOneFrame();
		uint64_t end = SDL_GetPerformanceCounter();
		double seconds = double(end - start) / double(SDL_GetPerformanceFrequency());
		state.SetIterationTime(seconds);
		micros.push_back(seconds * 1e6);
	}
	std::sort(micros.begin(), micros.end());
	state.counters["p50_us"] = micros[micros.size() / 2];
	state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
	state.counters["nodes"] = gObjectCount;
}
BENCHMARK(BM_LevelLogicFrame)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);

static void BM_LevelFrameAllocations(benchmark::State& state)
{
	if (!StartBusiestLevel())
	{
		state.SkipWithError("no baked Data folder beside the build");
		return;
	}
	gCountingThread = pthread_self();
	gAllocationCount = 0;
	long frames = 0;
	gCountAllocations = true;
	for (auto _ : state)
	{
		PlayOneFrame();
		frames++;
	}
	gCountAllocations = false;
	state.counters["allocations"] = double(gAllocationCount);
	state.counters["allocs_per_frame"] = double(gAllocationCount) / double(std::max(frames, 1L));
}
BENCHMARK(BM_LevelFrameAllocations)->Iterations(3000)->Unit(benchmark::kMicrosecond);
