// Skeletons: the cost per character per frame of advancing the animation and
// skinning the mesh (the hero, and a 20-joint creature), and of loading a
// skeleton type from its files.
#include "3D/BG3D.h"
#include "3D/Skeleton.h"
#include "System/Boot.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "Bake.h"
#include "skeletons/BakeSkeletons.h"
#include "Files.h"
#include "rig/SampleRigs.h"
#include "rig/SkeletonWriter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	// A data folder holding the hero's files, the giant lizard's and a 20-joint
	// chain of boxes under the corn's file name, baked once for the whole run.
	struct BenchData
	{
		fs::path dir = fs::temp_directory_path() / ("zapp-skeleton-bench-" + std::to_string(getpid()));
		BenchData()
		{
			Bake::RunSteps(Bake::Context{dir}, "skeletons/quog-mesh");
			Rig::WriteSkeleton(Bake::Context{dir}, Skeletons::BuildQuog());
			Rig::WriteSkeleton(Bake::Context{dir}, Rig::SampleChain(SKELETON_FILE_NAMES[SKELETON_TYPE_CORN], 20));
			Rig::WriteSkeleton(Bake::Context{dir}, Skeletons::BuildGiantLizard());
		}
		~BenchData()
		{
			std::error_code ec;
			fs::remove_all(dir, ec);
		}
	};

	const fs::path& BenchDataFolder()
	{
		static BenchData data;
		return data.dir;
	}

	struct BenchScene
	{
		BenchScene()
		{
			Tamber::Files::Init();
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BenchDataFolder() / "Skeletons");
			InitBG3DManager();
			InitObjectManager();
			InitSkeletonManager();
		}
		~BenchScene()
		{
			DeleteAllObjects();
			FreeAllSkeletonFiles(-1);
			DeleteAllBG3DContainers();
			Tamber::Files::Shutdown();
		}
	};

	ObjNode* MakeCharacter(int type, int anim)
	{
		LoadASkeleton(type);
		ObjectDef def = {};
		def.type = uint8_t(type);
		def.slot = 100;
		def.scale = 1.2f;
		def.coord = {100, 0, -200};
		def.rot = 0.7f;
		return MakeNewSkeletonBaseData(&def, anim);
	}

	// One frame of one character: the animation step and the skin.
	void FrameOf(benchmark::State& state, int type, int anim)
	{
		BenchScene scene;
		ObjNode* node = MakeCharacter(type, anim);
		gFrameTime = 1.0f / 60.0f;
		for (auto _ : state)
		{
			UpdateSkeletonAnimation(node);
			UpdateSkinnedGeometry(node);
			benchmark::DoNotOptimize(node->BBox);
		}
		const SkeletonInfoType* s = node->Skeleton->skeletonDefinition;
		state.counters["joints"] = s->NumBones;
		state.counters["points"] = s->NumDecomposedPoints;
		state.SetItemsProcessed(state.iterations());
	}
}

static void BM_SkeletonFrame_Hero(benchmark::State& state)
{
	FrameOf(state, SKELETON_TYPE_QUOG, PLAYER_ANIM_WALK);
}
BENCHMARK(BM_SkeletonFrame_Hero);

static void BM_SkeletonFrame_TwentyJointCreature(benchmark::State& state)
{
	FrameOf(state, SKELETON_TYPE_CORN, 0);
}
BENCHMARK(BM_SkeletonFrame_TwentyJointCreature);

// A big creature: 16 joints and about 500 points.
static void BM_SkeletonFrame_GiantLizard(benchmark::State& state)
{
	FrameOf(state, SKELETON_TYPE_GIANTLIZARD, 1);
}
BENCHMARK(BM_SkeletonFrame_GiantLizard);

// Skinning alone, the part done per draw.
static void BM_SkinHero(benchmark::State& state)
{
	BenchScene scene;
	ObjNode* node = MakeCharacter(SKELETON_TYPE_QUOG, PLAYER_ANIM_PUNCH);
	for (auto _ : state)
	{
		UpdateSkinnedGeometry(node);
		benchmark::DoNotOptimize(node->BBox);
	}
	state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SkinHero);

// Loading the hero: resource fork, model, decomposition, mesh copies.
static void BM_LoadHeroSkeleton(benchmark::State& state)
{
	BenchScene scene;
	for (auto _ : state)
	{
		LoadASkeleton(SKELETON_TYPE_QUOG);
		state.PauseTiming();
		FreeAllSkeletonFiles(-1);
		DeleteAllBG3DContainers();
		state.ResumeTiming();
	}
	state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LoadHeroSkeleton)->Unit(benchmark::kMillisecond);
