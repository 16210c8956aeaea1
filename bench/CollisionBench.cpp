// Collision among a busy scene: one mover resolving its move against a few
// hundred nodes, and a line-of-sight segment across the same scene.
#include "Terrain/Collision.h"
#include "System/FrameTime.h"
#include "System/Objects.h"

#include <benchmark/benchmark.h>

namespace
{
	// `count` 100-unit blocks on a grid 300 apart, classes mixed so that the
	// mask rejects some of them, and a mover beside the first block.
	ObjNode* MakeScene(int count)
	{
		InitObjectManager();
		ObjectDef def = {};
		def.genre = CUSTOM_GENRE;
		def.scale = 1;
		for (int i = 0; i < count; i++)
		{
			def.coord = {float(i % 20) * 300, 0, float(i / 20) * 300};
			def.slot = int16_t(200 + i);
			ObjNode* block = MakeNewObject(&def);
			block->CType = (i % 3 == 0) ? CTYPE_ENEMY : CTYPE_MISC;
			block->CBits = SIDE_ALL;
			SetObjectCollisionBounds(block, 50, -50, -50, 50, 50, -50);
		}

		def.coord = {-70, 0, 0};
		def.slot = 100;
		ObjNode* mover = MakeNewObject(&def);
		mover->CType = CTYPE_PLAYER;
		mover->CBits = SIDE_ALL;
		SetObjectCollisionBounds(mover, 10, -10, -10, 10, 10, -10);
		return mover;
	}
}

// The mover walks into the first block's side every iteration: detection,
// one push and a second pass that finds nothing.
static void BM_ResolveCollisions(benchmark::State& state)
{
	ObjNode* mover = MakeScene(int(state.range(0)));
	gFrameTime = 1.0f / 60;
	for (auto _ : state)
	{
		gObjCoord = {-55, 0, 0};
		gObjDelta = {100, 0, 0};
		benchmark::DoNotOptimize(ResolveCollisions(mover, CTYPE_MISC | CTYPE_ENEMY, 0.5f));
	}
	state.SetItemsProcessed(state.iterations());
	DeleteAllObjects();
}
BENCHMARK(BM_ResolveCollisions)->Arg(100)->Arg(300)->Arg(600);

// A segment that passes between the rows and hits nothing: every node is tested.
static void BM_SegmentHitsAnything(benchmark::State& state)
{
	MakeScene(int(state.range(0)));
	const OGLPoint3D from = {-500, 0, 150}, to = {6500, 0, 150};
	for (auto _ : state)
		benchmark::DoNotOptimize(SegmentHitsAnything(&from, &to, nullptr, CTYPE_MISC | CTYPE_ENEMY));
	state.SetItemsProcessed(state.iterations());
	DeleteAllObjects();
}
BENCHMARK(BM_SegmentHitsAnything)->Arg(100)->Arg(300)->Arg(600);
