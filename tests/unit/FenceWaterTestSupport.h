// Fences and water patches laid out by hand in world units (as if read from a
// terrain file) and primed, for the collision, water and drawing tests; the
// fixture releases them.
#pragma once

#include "Terrain/Fences.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/Water.h"
#include "Memory.h"

#include <utility>
#include <vector>

namespace FenceWaterTestSupport
{
	struct TestFence
	{
		uint16_t type;
		std::vector<std::pair<float, float>> nubs;		// world units
	};

	// Lays the fences out as the reader leaves them (map units) and primes them.
	inline void PrimeTestFences(const std::vector<TestFence>& fences)
	{
		gNumFences = int32_t(fences.size());
		gFenceList = reinterpret_cast<FenceRecord*>(NewPtrClear(gNumFences * int32_t(sizeof(FenceRecord))));
		for (size_t f = 0; f < fences.size(); f++)
		{
			FenceRecord& r = gFenceList[f];
			r.type = fences[f].type;
			r.numNubs = int32_t(fences[f].nubs.size());
			r.nubList = reinterpret_cast<OGLPoint3D*>(NewPtrClear(r.numNubs * int32_t(sizeof(OGLPoint3D))));
			for (int k = 0; k < r.numNubs; k++)
				r.nubList[k] = {fences[f].nubs[k].first / MAP_TO_UNIT_SCALE, 0, fences[f].nubs[k].second / MAP_TO_UNIT_SCALE};
		}
		PrimeFences();
	}

	struct TestWater
	{
		uint16_t kind;
		std::vector<std::pair<float, float>> outline;	// world units
		std::pair<float, float> hotSpot;
	};

	inline void LayOutTestWater(const std::vector<TestWater>& patches)
	{
		gNumWaterPatches = int32_t(patches.size());
		gWaterList = reinterpret_cast<WaterPatchRecord*>(NewPtrClear(gNumWaterPatches * int32_t(sizeof(WaterPatchRecord))));
		for (size_t i = 0; i < patches.size(); i++)
		{
			WaterPatchRecord& w = gWaterList[i];
			w.type = patches[i].kind;
			w.numNubs = int16_t(patches[i].outline.size());
			for (size_t k = 0; k < patches[i].outline.size(); k++)
				w.nubList[k] = {patches[i].outline[k].first / MAP_TO_UNIT_SCALE, patches[i].outline[k].second / MAP_TO_UNIT_SCALE};
			w.hotSpotX = patches[i].hotSpot.first / MAP_TO_UNIT_SCALE;
			w.hotSpotZ = patches[i].hotSpot.second / MAP_TO_UNIT_SCALE;
		}
	}

	inline void PrimeTestWater(const std::vector<TestWater>& patches)
	{
		LayOutTestWater(patches);
		PrimeWater();
	}

	inline void DisposeTestFencesAndWater()
	{
		DisposeFences();
		DisposeWater();
		for (int f = 0; gFenceList && f < gNumFences; f++)
			DisposePtr(reinterpret_cast<Ptr>(gFenceList[f].nubList));
		if (gFenceList)
			DisposePtr(reinterpret_cast<Ptr>(gFenceList));
		if (gWaterList)
			DisposePtr(reinterpret_cast<Ptr>(gWaterList));
		gFenceList = nullptr;
		gWaterList = nullptr;
		gNumFences = gNumWaterPatches = 0;
	}
}
