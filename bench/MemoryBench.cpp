#include "Memory.h"

#include <benchmark/benchmark.h>

#include <vector>

// Allocate and free one block: the cost of the header and the live/dead bookkeeping.
static void BM_NewDisposePtr(benchmark::State& state)
{
	const int32_t size = int32_t(state.range(0));
	for (auto _ : state)
	{
		Ptr p = NewPtr(size);
		benchmark::DoNotOptimize(p);
		DisposePtr(p);
	}
}
BENCHMARK(BM_NewDisposePtr)->Arg(16)->Arg(4096)->Arg(1 << 20);

static void BM_NewDisposeHandleClear(benchmark::State& state)
{
	const int32_t size = int32_t(state.range(0));
	for (auto _ : state)
	{
		Handle h = NewHandleClear(size);
		benchmark::DoNotOptimize(*h);
		DisposeHandle(h);
	}
}
BENCHMARK(BM_NewDisposeHandleClear)->Arg(16)->Arg(4096);

// Many live blocks at once, as while a level is loaded: the registry grows.
static void BM_ManyLiveBlocks(benchmark::State& state)
{
	const int count = int(state.range(0));
	std::vector<Ptr> blocks(size_t(count), nullptr);
	for (auto _ : state)
	{
		for (int i = 0; i < count; i++)
			blocks[size_t(i)] = NewPtr(64);
		for (int i = count - 1; i >= 0; i--)
			DisposePtr(blocks[size_t(i)]);
	}
	state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ManyLiveBlocks)->Arg(1000)->Arg(20000);

static void BM_GetHandleSize(benchmark::State& state)
{
	Handle h = NewHandle(100);
	for (auto _ : state)
		benchmark::DoNotOptimize(GetHandleSize(h));
	DisposeHandle(h);
}
BENCHMARK(BM_GetHandleSize);
