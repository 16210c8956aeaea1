// What it costs to wake a level's terrain items when the window of active
// supertiles moves by one row: the window update runs the add routines of the
// items on the window's rim (enemies, humans, scenery, the exit). Measured on
// the farm, the level with the most items on its route. Between timed steps
// the window is moved one row away and the objects run their move routines,
// so the ones that left the window delete themselves and their items are
// ready to wake again, as they are in play.
#include "BenchLevel.h"

#include "3D/OGL_Support.h"
#include "System/Objects.h"
#include "Terrain/Terrain.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

namespace
{
	constexpr int ITEM_RICH_LEVEL = 0;
	constexpr int WARM_UP_FRAMES = 600;			// 10 s: the robot stands on the ground
	constexpr float ONE_ROW = 1800;				// units: one supertile

	double Seconds(uint64_t ticks)
	{
		return double(ticks) / double(SDL_GetPerformanceFrequency());
	}
}

static void BM_ItemWakeOnRowEntry(benchmark::State& state)
{
	if (!RunLevelForBench(ITEM_RICH_LEVEL, WARM_UP_FRAMES))
	{
		state.SkipWithError("no baked Data folder beside the build");
		return;
	}
	const OGLPoint3D at = gGameViewInfoPtr->cameraPlacement.from;
	long woken = 0, steps = 0;
	double stillSeconds = 0;
	for (auto _ : state)
	{
		// Away by a row; what left the window deletes itself.
		UpdateVisibleTerrain(at.x, at.z + ONE_ROW);
		MoveObjects();
		// Back: the rim wakes its items (timed).
		int before = gObjectCount;
		uint64_t start = SDL_GetPerformanceCounter();
		UpdateVisibleTerrain(at.x, at.z);
		uint64_t end = SDL_GetPerformanceCounter();
		state.SetIterationTime(Seconds(end - start));
		woken += gObjectCount - before;
		// The same update with the window standing still wakes nothing: the
		// part of the cost that is not the items.
		start = SDL_GetPerformanceCounter();
		UpdateVisibleTerrain(at.x, at.z);
		stillSeconds += Seconds(SDL_GetPerformanceCounter() - start);
		steps++;
	}
	state.counters["nodes_woken"] = double(woken) / double(std::max(steps, 1L));
	state.counters["still_us"] = stillSeconds * 1e6 / double(std::max(steps, 1L));
}
BENCHMARK(BM_ItemWakeOnRowEntry)->UseManualTime()->Iterations(200)->Unit(benchmark::kMicrosecond);
