// Creating and deleting object nodes, and the move pass over a busy scene.
#include "System/Objects.h"

#include <benchmark/benchmark.h>

static void DoNothing(ObjNode* node)
{
	benchmark::DoNotOptimize(node->Coord);
}

// A node made and deleted every iteration in a scene of `range` nodes, with
// the queue flushed by the move pass as in play.
static void BM_MakeAndDeleteObject(benchmark::State& state)
{
	InitObjectManager();
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.scale = 1;
	for (int64_t i = 0; i < state.range(0); i++)
	{
		def.slot = int16_t(i % 3000);
		MakeNewObject(&def);
	}

	int64_t n = 0;
	for (auto _ : state)
	{
		def.slot = int16_t(n++ % 3000);
		ObjNode* node = MakeNewObject(&def);
		DeleteObject(node);
		if ((n & 63) == 0)
			FlushObjectDeleteQueue();
	}
	FlushObjectDeleteQueue();
	state.SetItemsProcessed(state.iterations());
	DeleteAllObjects();
}
BENCHMARK(BM_MakeAndDeleteObject)->Arg(0)->Arg(300)->Arg(690);

// Nodes past the preallocated 700 come from the heap.
static void BM_MakeAndDeleteHeapObject(benchmark::State& state)
{
	InitObjectManager();
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.scale = 1;
	for (int i = 0; i < MAX_NODES; i++)
		MakeNewObject(&def);
	for (auto _ : state)
	{
		DeleteObject(MakeNewObject(&def));
		FlushObjectDeleteQueue();
	}
	state.SetItemsProcessed(state.iterations());
	DeleteAllObjects();
}
BENCHMARK(BM_MakeAndDeleteHeapObject);

static void BM_MoveObjects(benchmark::State& state)
{
	InitObjectManager();
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.scale = 1;
	def.moveCall = DoNothing;
	for (int64_t i = 0; i < state.range(0); i++)
	{
		def.slot = int16_t(i % 3000);
		MakeNewObject(&def);
	}
	for (auto _ : state)
		MoveObjects();
	state.SetItemsProcessed(state.iterations() * state.range(0));
	DeleteAllObjects();
}
BENCHMARK(BM_MoveObjects)->Arg(100)->Arg(700);
