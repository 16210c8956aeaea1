// Brain aliens: one frame of an alien's own work (its animation, the move
// routine of its animation with turning, the hole and attack checks, the
// ground step with its collisions, the commit, its glow) for twenty aliens
// round the robot on the baked farm, logic only. Reported per alien.
#include "3D/BG3D.h"
#include "3D/Camera.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Enemies/BrainAlien.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Player/Player.h"
#include "System/Boot.h"
#include "System/DataFiles.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/Prefs.h"
#include "Terrain/SuperTile.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"
#include "Files.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <vector>

namespace
{
	constexpr int NUM_ALIENS = ENEMY_LIMIT;
	constexpr int FRAMES_PER_ROUND = 240;		// then the aliens are set out on their ring again

	struct AlienScene
	{
		OGLViewInfo view = {};
		OGLViewInfo* savedView = gGameViewInfoPtr;
		std::vector<ObjNode*> aliens;
		bool ready = false;

		AlienScene()
		{
			std::filesystem::path data = std::filesystem::path(ZAPP_BUILD_DIR) / "Data";
			if (!std::filesystem::is_directory(data))
				return;
			Tamber::Files::Init();
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(data / "Skeletons");
			InitObjectManager();
			InitBG3DManager();
			InitSkeletonManager();
			InitParticleGroups();
			InitSparkleStore();
			InitShardSystem();
			for (SkeletonType type : kEveryLevelSkeletons)		// the farm's own humans and aliens wake too
				LoadASkeleton(type);
			LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL);
			InitPlayerForNewRun();
			gCurrentLevel = LEVEL_NUM_FARM;
			MakeTriangleTemplates();
			FSSpec spec;
			MakeDataFileSpec(":Terrain:EarthFarm.ter", &spec);
			LoadLevelTerrainWithoutDrawing(&spec);
			view.yon = 15000;
			gGameViewInfoPtr = &view;
			ClearPlayerLevelFlags();
			InitEnemyManager();
			ObjNode* robot = MakePlayerRobot(gPlayerStartX, gPlayerStartZ, gPlayerStartRot);
			InitCamera();
			UpdateVisibleTerrain(robot->Coord.x, robot->Coord.z);
			gFrameTime = 1.0f / 60.0f;
			for (int i = 0; i < NUM_ALIENS; i++)
				aliens.push_back(MakeCreature(kBrainAlienKind, robot->Coord.x, robot->Coord.z));
			SetOutOnRing();
			ready = true;
		}

		// Some near enough to stand and bite, most walking or running in.
		void SetOutOnRing()
		{
			const OGLPoint3D c = gPlayerNode->Coord;
			for (int i = 0; i < NUM_ALIENS; i++)
			{
				float a = PI2 * float(i) / NUM_ALIENS, r = 250.0f + 60.0f * float(i);
				ObjNode* n = aliens[size_t(i)];
				n->Coord.x = c.x + std::sin(a) * r;
				n->Coord.z = c.z + std::cos(a) * r;
				n->Delta = {0, 0, 0};
				SetSkeletonAnim(n->Skeleton, BRAINALIEN_ANIM_STAND);
				UpdateObjectTransforms(n);
			}
		}

		~AlienScene()
		{
			if (!ready)
				return;
			DeleteAllObjects();
			gPlayerNode = nullptr;
			gPlayerHandNodes[0] = gPlayerHandNodes[1] = nullptr;
			FreeAllSkeletonFiles(-1);
			DeleteAllBG3DContainers();
			DisposeShardSystem();
			DisposeSparkles();
			DisposeParticleGroups();
			DisposeTerrain();
			DisposeSuperTileMemoryList();
			InitEnemyManager();
			Tamber::Files::Shutdown();
			gGameViewInfoPtr = savedView;
		}
	};
}

static void BM_BrainAlienFrame(benchmark::State& state)
{
	AlienScene scene;
	if (!scene.ready)
	{
		state.SkipWithError("no baked Data folder beside the build");
		return;
	}
	long frame = 0;
	for (auto _ : state)
	{
		// The robot stays a target that never gets hurt: the aliens keep their full work.
		gPlayerLevel.invincibleTimer = 0;
		gRun.health = 1;
		BeginObjectMovePass();
		for (ObjNode* n : scene.aliens)
		{
			UpdateSkeletonAnimation(n);
			KeepOldCollisionBoxes(n);
			n->MoveCall(n);
		}
		EndObjectMovePass();
		if (++frame % FRAMES_PER_ROUND == 0)
		{
			state.PauseTiming();
			// Zaps are not flown here (only the aliens' own work is timed): clear them.
			for (ObjNode* z = gObjectListHead; z; z = z->NextNode)
				if (z->MoveCall == MoveBrainAlienZap)
					DeleteObject(z);
			FlushObjectDeleteQueue();
			scene.SetOutOnRing();
			state.ResumeTiming();
		}
	}
	state.SetItemsProcessed(state.iterations() * NUM_ALIENS);
	state.counters["time_per_alien"] = benchmark::Counter(double(state.iterations() * NUM_ALIENS),
			benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BrainAlienFrame);
