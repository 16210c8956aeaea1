// Game logic per frame on the busiest level, played without drawing (as
// --no-draw plays it): input, the move pass with its collisions, the camera,
// the level's clocks, the terrain window and culling. Frames are timed one
// by one (p50 and p99 in µs), and the heap allocations of steady play are
// counted (the aim is none).
//
// Level 2 is the busiest: 3000 frames of it take about three times as long as
// those of any other level in a --no-draw run.
#include "BenchLevel.h"
#include "System/Objects.h"

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

#if defined(__SANITIZE_ADDRESS__)
#define ZAPP_COUNT_ALLOCATIONS 0		// the sanitizer owns malloc
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZAPP_COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef ZAPP_COUNT_ALLOCATIONS
#define ZAPP_COUNT_ALLOCATIONS 1
#endif

static bool gCountAllocations = false;
static pthread_t gCountingThread;
static long gAllocationCount = 0;

#if ZAPP_COUNT_ALLOCATIONS
extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* p, size_t size);
extern "C" void __libc_free(void* p);

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
#endif

namespace
{
	constexpr int BUSIEST_LEVEL = 2;
	constexpr int WARM_UP_FRAMES = 1800;		// 30 s: the robot has landed and is walking
}

static void BM_LevelLogicFrame(benchmark::State& state)
{
	if (!RunLevelForBench(BUSIEST_LEVEL, WARM_UP_FRAMES))
	{
		state.SkipWithError("no baked Data folder beside the build");
		return;
	}
	std::vector<double> micros;
	micros.reserve(size_t(state.max_iterations));
	for (auto _ : state)
	{
		uint64_t start = SDL_GetPerformanceCounter();
		PlayBenchFrame();
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
	if (!RunLevelForBench(BUSIEST_LEVEL, WARM_UP_FRAMES))
	{
		state.SkipWithError("no baked Data folder beside the build");
		return;
	}
	gCountingThread = pthread_self();
	gCountAllocations = true;
	{
		// The counter must see an allocation, or a zero below means nothing.
		gAllocationCount = 0;
		std::vector<int>* probe = new std::vector<int>(16);
		benchmark::DoNotOptimize(probe);
		delete probe;
		if (gAllocationCount < 2)
		{
			gCountAllocations = false;
			state.SkipWithError("the allocation counter is not hooked into malloc");
			return;
		}
	}
	gAllocationCount = 0;
	long frames = 0;
	for (auto _ : state)
	{
		PlayBenchFrame();
		frames++;
	}
	gCountAllocations = false;
	state.counters["allocations"] = double(gAllocationCount);
	state.counters["allocs_per_frame"] = double(gAllocationCount) / double(std::max(frames, 1L));
}
BENCHMARK(BM_LevelFrameAllocations)->Iterations(3000)->Unit(benchmark::kMicrosecond);
