#include "System/Random.h"

#include <benchmark/benchmark.h>

static void BM_RandomNumber(benchmark::State& state)
{
	SetRandomSeed(RANDOM_INITIAL_SEED);
	for (auto _ : state)
		benchmark::DoNotOptimize(RandomNumber());
}
BENCHMARK(BM_RandomNumber);

static void BM_RandomFloatSigned(benchmark::State& state)
{
	SetRandomSeed(RANDOM_INITIAL_SEED);
	for (auto _ : state)
		benchmark::DoNotOptimize(RandomFloatSigned());
}
BENCHMARK(BM_RandomFloatSigned);

static void BM_RandomRange(benchmark::State& state)
{
	SetRandomSeed(RANDOM_INITIAL_SEED);
	for (auto _ : state)
		benchmark::DoNotOptimize(RandomRange(10, 5000));
}
BENCHMARK(BM_RandomRange);

static void BM_PositiveModuloFloat(benchmark::State& state)
{
	float x = -1000.0f;
	for (auto _ : state)
	{
		benchmark::DoNotOptimize(PositiveModulo(x, 6.2831855f));
		x += 0.37f;
	}
}
BENCHMARK(BM_PositiveModuloFloat);
