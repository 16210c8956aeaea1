// The terrain: building one supertile, baking each world, and a frame of
// each level's fly-over drawn in a real GL context (needs an X display and
// the baked Data folder beside the build; Mesa's software renderer under Xvfb).
#include "3D/BG3D.h"
#include "3D/Camera.h"
#include "3D/OGL_Support.h"
#include "3D/Sprites.h"
#include "Effects/Effects.h"
#include "Effects/Particles.h"
#include "System/Boot.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "Terrain/SuperTile.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"
#include "formats/TerrainWriter.h"
#include "worlds/WorldKit.h"
#include "Files.h"
#include "Memory.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

namespace
{
	// A world baked into memory and read by the game's reader (no GL).
	struct MemoryWorld
	{
		std::map<std::pair<OSType, int16_t>, std::vector<uint8_t>> resources;
		std::vector<uint8_t> dataFork;
	};
	const MemoryWorld* gReading = nullptr;

	Handle GetResource(OSType type, int16_t id)
	{
		auto it = gReading->resources.find({type, id});
		if (it == gReading->resources.end())
			return nullptr;
		Handle h = NewHandle(int32_t(it->second.size()));
		memcpy(*h, it->second.data(), it->second.size());
		return h;
	}

	void LoadWorld(int level)
	{
		static std::map<int, MemoryWorld> baked;
		if (!baked.count(level))
		{
			TerrainBake::TerrainFileContent c = TerrainBake::BakeWorld(TerrainBake::MakeWorldDesign(level));
			MemoryWorld& w = baked[level];
			for (Bake::ResourceEntry& e : TerrainBake::BuildResources(c))
				w.resources[{e.type, e.id}] = std::move(e.data);
			w.dataFork = TerrainBake::BuildDataFork(c);
		}
		gReading = &baked[level];
		ReadTerrainTables({GetResource, DisposeHandle}, "bench.ter");
		DecodeSuperTileTextures(gReading->dataFork.data(), gReading->dataFork.size(), "bench.ter");
		SetUpLevelTerrain();
	}
}

// One supertile's mesh: 81 vertices from the heights, 128 triangles from the
// templates, normals across its edges. The window builds up to 275 at once.
static void BM_SuperTileBuild(benchmark::State& state)
{
	gCurrentLevel = LEVEL_NUM_FARM;
	MakeTriangleTemplates();
	LoadWorld(LEVEL_NUM_FARM);
	int cell = 0;
	for (auto _ : state)
	{
		int row = (cell / gSuperTilesWide) % gSuperTilesDeep, col = cell % gSuperTilesWide;
		int e = MakeSuperTileMesh(col * SUPERTILE_TILES, row * SUPERTILE_TILES);
		benchmark::DoNotOptimize(gSuperTileMemory[e].mesh->normals[40]);
		FreeSuperTileMemory(e);
		cell++;
	}
	DisposeTerrain();
	DisposeSuperTileMemoryList();
}
BENCHMARK(BM_SuperTileBuild)->Unit(benchmark::kMicrosecond);

// A whole world from its design to the bytes of its two forks: heights,
// attributes, a painted texture per supertile, LZSS.
static void BM_TerrainBake(benchmark::State& state)
{
	int level = int(state.range(0));
	size_t bytes = 0;
	for (auto _ : state)
	{
		TerrainBake::TerrainFileContent c = TerrainBake::BakeWorld(TerrainBake::MakeWorldDesign(level));
		std::vector<uint8_t> fork = TerrainBake::BuildDataFork(c);
		bytes = fork.size();
		for (const Bake::ResourceEntry& e : TerrainBake::BuildResources(c))
			bytes += e.data.size();
	}
	state.counters["file_MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_TerrainBake)->DenseRange(0, 9)->Iterations(1)->Unit(benchmark::kMillisecond);

//
// The fly-over in a window
//

namespace
{
	bool OpenContext()
	{
		if (gGLContext)
			return true;
		if (!std::getenv("DISPLAY") || SDL_Init(SDL_INIT_VIDEO) != 0)
			return false;
		SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
		SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
		SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
		SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
		gWindow = SDL_CreateWindow("terrain bench", 0, 0, 640, 480, SDL_WINDOW_OPENGL);
		if (!gWindow)
			return false;
		OGL_CreateDrawContext();
		return true;
	}

	// The baked Data folder: beside the build's executables (one level up from the bench).
	bool FindDataFolder()
	{
		static bool found = false, tried = false;
		if (tried)
			return found;
		tried = true;
		char* base = SDL_GetBasePath();
		std::filesystem::path exe = base ? base : "";
		SDL_free(base);
		for (std::filesystem::path dir : {exe / ".." / "Data", exe / "Data", std::filesystem::path("Data")})
			if (std::filesystem::exists(dir / "Terrain" / "EarthFarm.ter"))
			{
				Tamber::Files::Init();
				gDataFolderPath = dir;
				gDataFolderSpec = Tamber::Files::HostPathToFSSpec(dir / "Skeletons");
				InitSpriteManager();
				InitBG3DManager();
				InitObjectManager();
				MakeTriangleTemplates();
				found = true;
				break;
			}
		return found;
	}
}

// Frames of a level's fly-over at 60 steps a second: move the camera, update
// the window of supertiles, draw the scene, wait for the GL to finish.
static void BM_FlyOverFrame(benchmark::State& state)
{
	if (!OpenContext())
	{
		state.SkipWithError("no X display");
		return;
	}
	if (!FindDataFolder())
	{
		state.SkipWithError("no baked Data folder beside the build");
		return;
	}

	gCurrentLevel = int(state.range(0));
	InitLevel();
	gFrameTime = 1.0f / 60;
	gLevel.firstFrame = true;
	std::vector<double> frameMs;
	for (auto _ : state)
	{
		auto start = std::chrono::steady_clock::now();
		MoveCamera();
		const OGLPoint3D& camera = gGameViewInfoPtr->cameraPlacement.from;
		UpdateVisibleTerrain(camera.x, camera.z);
		OGL_DrawScene(DrawObjects);
		glFinish();
		frameMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
		gLevel.firstFrame = false;
	}

	std::sort(frameMs.begin(), frameMs.end());
	state.counters["median_ms"] = frameMs[frameMs.size() / 2];
	state.counters["low1pct_ms"] = frameMs[std::min(frameMs.size() - 1, frameMs.size() * 99 / 100)];
	state.counters["supertiles"] = gSuperTilesDrawn;

	DeleteAllObjects();
	DisposeVaporTrailMaterial();
	DisposeSuperTileMemoryList();
	DisposeTerrain();
	DisposeParticleSystem();
	DisposeAllSpriteGroups();
	DeleteAllBG3DContainers();
	OGL_DisposeWindowSetup();
}
BENCHMARK(BM_FlyOverFrame)->DenseRange(0, 9)->Iterations(300)->Unit(benchmark::kMillisecond);
