// The player: one frame of the robot running on the baked farm terrain
// (animation, controls, sub-stepped movement with collisions and ground)
// followed by one frame of the follow camera.
#include "3D/BG3D.h"
#include "3D/Camera.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Player/Player.h"
#include "System/Boot.h"
#include "System/DataFiles.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/Objects.h"
#include "System/Prefs.h"
#include "Terrain/SuperTile.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"
#include "Bake.h"
#include "Files.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	struct PlayerBenchData
	{
		fs::path dir = fs::temp_directory_path() / ("zapp-player-bench-" + std::to_string(getpid()));
		PlayerBenchData()
		{
			Bake::RunSteps(Bake::Context{dir}, "skeletons/");
			Bake::RunSteps(Bake::Context{dir}, "terrain/0-farm");
		}
		~PlayerBenchData()
		{
			std::error_code ec;
			fs::remove_all(dir, ec);
		}
	};

	const fs::path& PlayerBenchFolder()
	{
		static PlayerBenchData data;
		return data.dir;
	}

	struct PlayerScene
	{
		OGLViewInfo view = {};
		OGLViewInfo* savedView = gGameViewInfoPtr;

		PlayerScene()
		{
			Tamber::Files::Init();
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(PlayerBenchFolder() / "Skeletons");
			InitObjectManager();
			InitBG3DManager();
			InitSkeletonManager();
			InitParticleGroups();
			LoadASkeleton(SKELETON_TYPE_QUOG);
			InitPlayerForNewRun();
			gCurrentLevel = LEVEL_NUM_FARM;
			MakeTriangleTemplates();
			FSSpec spec;
			MakeDataFileSpec(":Terrain:EarthFarm.ter", &spec);
			LoadLevelTerrainWithoutDrawing(&spec);
			view.yon = 15000;
			gGameViewInfoPtr = &view;
			gGamePrefs.cameraAutoFollow = 1;
			gGamePrefs.freeCameraOrbit = 1;
			ClearPlayerLevelFlags();
			MakePlayerRobot(gPlayerStartX, gPlayerStartZ, gPlayerStartRot);
			InitCamera();
			gFrameTime = 1.0f / 60.0f;
		}
		~PlayerScene()
		{
			DeleteAllObjects();
			gPlayerNode = nullptr;
			gPlayerHandNodes[0] = gPlayerHandNodes[1] = nullptr;
			FreeAllSkeletonFiles(-1);
			DeleteAllBG3DContainers();
			DisposeParticleGroups();
			DisposeTerrain();
			DisposeSuperTileMemoryList();
			Tamber::Files::Shutdown();
			gGameViewInfoPtr = savedView;
			gAnalogSteering = {0, 0};
		}
	};
}

// The robot runs in a wide circle: steering, turning, sub-steps, collisions,
// the ground, its animation, then the camera follows.
static void BM_PlayerAndCameraFrame(benchmark::State& state)
{
	PlayerScene scene;
	float t = 0;
	for (auto _ : state)
	{
		t += gFrameTime;
		gAnalogSteering = {0.5f * std::sin(t * 0.3f), -1};
		// Keep to the start's neighbourhood, on the map.
		ObjNode* robot = gPlayerNode;
		if (CalcDistance(robot->Coord.x, robot->Coord.z, gPlayerStartX, gPlayerStartZ) > 2000)
		{
			robot->Coord.x = gPlayerStartX;
			robot->Coord.z = gPlayerStartZ;
		}
		MoveObjects();
		MoveCamera();
		benchmark::DoNotOptimize(gGameViewInfoPtr->cameraPlacement.from);
	}
	state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlayerAndCameraFrame);
