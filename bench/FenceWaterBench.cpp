// Fences and water: a mover resolving its move among a level's worth of
// fences (the most a level may hold), and drawing a designed world's water
// and fences in a real GL context (needs an X display).
#include "Terrain/Fences.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/Water.h"
#include "3D/OGL_Support.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "worlds/WorldKit.h"
#include "Memory.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace
{
	// The design's fences and water as the terrain file reader leaves them.
	void LayOutFromDesign(const TerrainBake::WorldDesign& d)
	{
		gNumFences = int32_t(d.fences.size());
		gFenceList = gNumFences ? reinterpret_cast<FenceRecord*>(NewPtrClear(gNumFences * int32_t(sizeof(FenceRecord)))) : nullptr;
		for (int f = 0; f < gNumFences; f++)
		{
			FenceRecord& r = gFenceList[f];
			r.type = d.fences[size_t(f)].type;
			r.numNubs = int32_t(d.fences[size_t(f)].nubs.size());
			r.nubList = reinterpret_cast<OGLPoint3D*>(NewPtrClear(r.numNubs * int32_t(sizeof(OGLPoint3D))));
			for (int k = 0; k < r.numNubs; k++)
				r.nubList[k] = {float(d.fences[size_t(f)].nubs[size_t(k)][0]), 0, float(d.fences[size_t(f)].nubs[size_t(k)][1])};
		}
		gNumWaterPatches = int32_t(d.water.size());
		gWaterList = gNumWaterPatches
				? reinterpret_cast<WaterPatchRecord*>(NewPtrClear(gNumWaterPatches * int32_t(sizeof(WaterPatchRecord)))) : nullptr;
		for (int i = 0; i < gNumWaterPatches; i++)
		{
			const TerrainBake::FileWaterPatch& w = d.water[size_t(i)];
			gWaterList[i].type = w.type;
			gWaterList[i].numNubs = int16_t(w.nubs.size());
			for (size_t k = 0; k < w.nubs.size(); k++)
				gWaterList[i].nubList[k] = {w.nubs[k][0], w.nubs[k][1]};
			gWaterList[i].hotSpotX = w.hotSpotX;
			gWaterList[i].hotSpotZ = w.hotSpotZ;
		}
	}

	void ReleaseLayout()
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

// 90 zig-zag fences of 40 nubs on a 9 × 10 grid, the mover walking into the
// middle one each iteration: box rejection of the rest, sections, a slide.
static void BM_CollideWithNinetyFences(benchmark::State& state)
{
	InitObjectManager();
	gNumFences = MAX_FENCES;
	gFenceList = reinterpret_cast<FenceRecord*>(NewPtrClear(gNumFences * int32_t(sizeof(FenceRecord))));
	for (int f = 0; f < gNumFences; f++)
	{
		FenceRecord& r = gFenceList[f];
		r.numNubs = 40;
		r.nubList = reinterpret_cast<OGLPoint3D*>(NewPtrClear(r.numNubs * int32_t(sizeof(OGLPoint3D))));
		const float baseX = float(f % 9) * 4000, baseZ = float(f / 9) * 4000;
		for (int k = 0; k < r.numNubs; k++)
			r.nubList[k] = {(baseX + float(k) * 80) / MAP_TO_UNIT_SCALE, 0, (baseZ + float(k % 2) * 60) / MAP_TO_UNIT_SCALE};
	}
	PrimeFences();
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 100;
	ObjNode* mover = MakeNewObject(&def);
	mover->Size = 60;
	gFrameTime = 1.0f / 60;
	const float x = 4 * 4000 + 1000, z = 5 * 4000;
	for (auto _ : state)
	{
		mover->OldCoord = {x, 0, z - 300};
		gObjCoord = {x + 20, 0, z + 100};
		gObjDelta = {300, 0, 900};
		benchmark::DoNotOptimize(CollideWithFences(mover));
	}
	DeleteAllObjects();
	ReleaseLayout();
}
BENCHMARK(BM_CollideWithNinetyFences);

static bool OpenWaterContext()
{
	if (gGLContext)
		return true;
	if (!std::getenv("DISPLAY") || SDL_Init(SDL_INIT_VIDEO) != 0)
		return false;
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
	SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
	gWindow = SDL_CreateWindow("fence and water bench", 0, 0, 320, 240, SDL_WINDOW_OPENGL);
	if (!gWindow)
		return false;
	OGL_CreateDrawContext();
	return true;
}

// The slime world's five pools and its fences (Arg 1) or the farm's pond and
// fences (Arg 0), untextured, from a camera above the map's middle that sees
// them all: the per-frame alpha, blending, scrolling and drawing.
static void BM_DrawLevelWaterAndFences(benchmark::State& state)
{
	if (!OpenWaterContext())
	{
		state.SkipWithError("needs an X display");
		return;
	}
	InitObjectManager();
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.yon = 60000;
	OGL_SetupWindow(&setup);
	LayOutFromDesign(TerrainBake::MakeWorldDesign(int(state.range(0))));
	PrimeFences();
	PrimeWater();
	const OGLPoint3D from = {18000, 30000, 18000}, to = {18000, 0, 18001};
	const OGLVector3D up = {0, 0, -1};
	OGL_SetCameraFromToUp(&from, &to, &up);
	OGL_UpdateCameraMatrices();
	gFrameTime = 1.0f / 60;
	for (auto _ : state)
	{
		DrawFences(nullptr);
		DrawWater(nullptr);
		glFinish();
	}
	state.counters["fences"] = float(gNumFencesDrawn);
	state.counters["patches"] = float(gNumWaterDrawn);
	DeleteAllObjects();
	ReleaseLayout();
	OGL_DisposeWindowSetup();
}
BENCHMARK(BM_DrawLevelWaterAndFences)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
