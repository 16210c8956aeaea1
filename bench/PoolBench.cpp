#include "System/Pool.h"

#include <benchmark/benchmark.h>

#include <vector>

// One allocation and one release of the oldest index: the steady state of a
// particle or sparkle pool.
static void BM_PoolAllocateRelease(benchmark::State& state)
{
	Pool* pool = Pool_New(int32_t(state.range(0)));
	for (int32_t i = 0; i < pool->capacity / 2; i++)
		Pool_AllocateIndex(pool);

	for (auto _ : state)
	{
		int32_t index = Pool_AllocateIndex(pool);
		benchmark::DoNotOptimize(index);
		Pool_ReleaseIndex(pool, Pool_First(pool));
	}
	Pool_Free(pool);
}
BENCHMARK(BM_PoolAllocateRelease)->Arg(64)->Arg(700)->Arg(4096);

// Walking the used list of a half-full pool whose order has been scrambled.
static void BM_PoolIterate(benchmark::State& state)
{
	const int32_t capacity = int32_t(state.range(0));
	Pool* pool = Pool_New(capacity);
	for (int32_t i = 0; i < capacity; i++)
		Pool_AllocateIndex(pool);
	for (int32_t i = 0; i < capacity; i += 2)
		Pool_ReleaseIndex(pool, i);
	for (int32_t i = 0; i < capacity / 4; i++)
		Pool_AllocateIndex(pool);

	for (auto _ : state)
	{
		int32_t sum = 0;
		for (int32_t i = Pool_First(pool); i >= 0; i = Pool_Next(pool, i))
			sum += i;
		benchmark::DoNotOptimize(sum);
	}
	state.SetItemsProcessed(state.iterations() * Pool_Size(pool));
	Pool_Free(pool);
}
BENCHMARK(BM_PoolIterate)->Arg(700)->Arg(4096);

static void BM_PoolTestConsistency(benchmark::State& state)
{
	Pool* pool = Pool_New(int32_t(state.range(0)));
	for (int32_t i = 0; i < pool->capacity / 2; i++)
		Pool_AllocateIndex(pool);
	for (auto _ : state)
		Pool_TestConsistency(pool);
	Pool_Free(pool);
}
BENCHMARK(BM_PoolTestConsistency)->Arg(700);
