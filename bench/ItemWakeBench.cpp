// What it costs to wake a level's terrain items when the window of active
// supertiles moves by one row: the window update runs the add routines of the
// items on the window's rim (enemies, humans, atoms, pods, scenery). Measured
// on the farm, sweeping the map row by row along the column whose window rim
// holds the most items; between steps the objects run their move routines, so
// the ones that left the window delete themselves, as they do in play.
#include "BenchLevel.h"

#include "System/Objects.h"
#include "Terrain/SuperTile.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainItems.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

namespace
{
	constexpr int ITEM_RICH_LEVEL = 0;
	constexpr int WARM_UP_FRAMES = 600;			// 10 s: the robot stands on the ground
	constexpr float ONE_ROW = 1800;				// units: one supertile

	// The camera point whose window has the most items on its rim cells (the
	// cells a moving window wakes).
	OGLPoint3D BusiestRimPoint()
	{
		int best = -1;
		OGLPoint3D at = {};
		for (int row0 = -SUPERTILE_WINDOW_SIZE; row0 < gSuperTilesDeep; row0++)
			for (int col0 = -SUPERTILE_WINDOW_SIZE; col0 < gSuperTilesWide; col0++)
			{
				int items = 0;
				for (int wr = 0; wr < SUPERTILE_WINDOW_SIZE; wr++)
					for (int wc = 0; wc < SUPERTILE_WINDOW_SIZE; wc++)
					{
						int r = row0 + wr, c = col0 + wc;
						if (kSuperTileWindowMask[wr][wc] == 2 && r >= 0 && c >= 0 && r < gSuperTilesDeep && c < gSuperTilesWide)
							items += gSuperTileItemIndex[r][c].numItems;
					}
				if (items > best)
				{
					best = items;
					at = {float(col0) * ONE_ROW + SUPERTILE_WINDOW_OFFSET + ONE_ROW / 2, 0,
							float(row0) * ONE_ROW + SUPERTILE_WINDOW_OFFSET + ONE_ROW / 2};
				}
			}
		return at;
	}

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
	// The camera sweeps the map a row at a time along the busiest column, as
	// a player walking north would; at the far edge it jumps back (untimed).
	const float x = BusiestRimPoint().x;
	const float firstZ = ONE_ROW / 2, lastZ = float(gMapUnitDepth) - ONE_ROW / 2;
	float z = firstZ;
	UpdateVisibleTerrain(x, z);
	MoveObjects();
	long woken = 0, steps = 0;
	double stillSeconds = 0;
	for (auto _ : state)
	{
		z += ONE_ROW;
		if (z > lastZ)
		{
			state.PauseTiming();
			z = firstZ;
			UpdateVisibleTerrain(x, z);
			MoveObjects();
			z += ONE_ROW;
			state.ResumeTiming();
		}
		// A row enters: the window's rim wakes its items (timed).
		int before = gObjectCount;
		uint64_t start = SDL_GetPerformanceCounter();
		UpdateVisibleTerrain(x, z);
		uint64_t end = SDL_GetPerformanceCounter();
		state.SetIterationTime(Seconds(end - start));
		woken += gObjectCount - before;
		// The same update with the window standing still wakes nothing: the
		// part of the cost that is not the items.
		start = SDL_GetPerformanceCounter();
		UpdateVisibleTerrain(x, z);
		stillSeconds += Seconds(SDL_GetPerformanceCounter() - start);
		steps++;
		// What left the window deletes itself, as in play.
		MoveObjects();
	}
	state.counters["nodes_woken"] = double(woken) / double(std::max(steps, 1L));
	state.counters["still_us"] = stillSeconds * 1e6 / double(std::max(steps, 1L));
}
BENCHMARK(BM_ItemWakeOnRowEntry)->UseManualTime()->Iterations(200)->Unit(benchmark::kMicrosecond);
