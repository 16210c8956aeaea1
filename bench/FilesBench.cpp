// File layer speed: resource lookups, fork indexing, name resolution and
// read throughput.
#include "Files.h"
#include "Resources.h"
#include "DataReaders.h"
#include "Memory.h"
#include "formats/ResourceForkWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
	// A scratch folder for one benchmark, with the file layer started afresh.
	struct Scratch
	{
		fs::path path;
		int32_t dirID;

		Scratch()
		{
			std::string pattern = (fs::temp_directory_path() / "zappbench-XXXXXX").string();
			path = mkdtemp(pattern.data());
			Tamber::Files::Init();
			dirID = Tamber::Files::GetDirectoryID(path);
		}
		~Scratch()
		{
			Tamber::Files::Shutdown();
			std::error_code ec;
			fs::remove_all(path, ec);
		}
		FSSpec Spec(const std::string& name) const
		{
			FSSpec spec{};
			FSMakeFSSpec(0, dirID, (":" + name).c_str(), &spec);
			return spec;
		}
	};

	// A fork of typesCount types with perType resources each.
	Bake::ResourceForkWriter ManyResources(int typesCount, int perType, size_t size)
	{
		Bake::ResourceForkWriter w;
		for (int t = 0; t < typesCount; t++)
			for (int i = 0; i < perType; i++)
				w.Add(FOUR_CC("Ty00") + OSType(t), int16_t(1000 + i), std::vector<uint8_t>(size, uint8_t(i)),
					i % 4 ? "" : "name " + std::to_string(i));
		return w;
	}
}

static void BM_GetResource(benchmark::State& state)
{
	Scratch scratch;
	ManyResources(20, 100, size_t(state.range(0))).WriteSidecarFile(scratch.path / "Farmer.skeleton");
	FSSpec spec = scratch.Spec("Farmer.skeleton");
	int16_t refNum = FSpOpenResFile(&spec, fsRdPerm);
	int i = 0;
	for (auto _ : state)
	{
		Handle h = GetResource(FOUR_CC("Ty00") + OSType(i % 20), int16_t(1000 + (i * 7) % 100));
		benchmark::DoNotOptimize(h);
		ReleaseResource(h);
		i++;
	}
	state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
	CloseResFile(refNum);
}
BENCHMARK(BM_GetResource)->Arg(64)->Arg(4096);

static void BM_OpenResFile(benchmark::State& state)
{
	Scratch scratch;
	ManyResources(int(state.range(0)), 100, 16).WriteSidecarFile(scratch.path / "EarthFarm.ter");
	FSSpec spec = scratch.Spec("EarthFarm.ter");
	for (auto _ : state)
	{
		int16_t refNum = FSpOpenResFile(&spec, fsRdPerm);
		benchmark::DoNotOptimize(refNum);
		CloseResFile(refNum);
	}
	state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0) * 100);
}
BENCHMARK(BM_OpenResFile)->Arg(1)->Arg(20);

static void BM_FSRead(benchmark::State& state)
{
	Scratch scratch;
	constexpr size_t FILE_SIZE = 8 << 20;
	{
		std::ofstream out(scratch.path / "big.dat", std::ios::binary);
		std::vector<char> block(FILE_SIZE, 'z');
		out.write(block.data(), std::streamsize(block.size()));
	}
	FSSpec spec = scratch.Spec("big.dat");
	std::vector<char> buffer(size_t(state.range(0)));
	for (auto _ : state)
	{
		int16_t refNum;
		FSpOpenDF(&spec, fsRdPerm, &refNum);
		int32_t count;
		do
		{
			count = int32_t(buffer.size());
			FSRead(refNum, &count, buffer.data());
		} while (count == int32_t(buffer.size()));
		FSClose(refNum);
	}
	state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(FILE_SIZE));
}
BENCHMARK(BM_FSRead)->Arg(4)->Arg(4096)->Arg(1 << 20);

static void BM_FSMakeFSSpec(benchmark::State& state)
{
	Scratch scratch;
	fs::create_directory(scratch.path / "Models");
	for (int i = 0; i < 200; i++)
		std::ofstream(scratch.path / "Models" / ("model" + std::to_string(i) + ".bg3d"));
	const char* path = state.range(0) ? ":models:MODEL150.BG3D" : ":Models:model150.bg3d";
	for (auto _ : state)
	{
		FSSpec spec;
		benchmark::DoNotOptimize(FSMakeFSSpec(0, scratch.dirID, path, &spec));
	}
}
BENCHMARK(BM_FSMakeFSSpec)->Arg(0)->ArgName("caseMismatch")->Arg(1);

static void BM_ByteswapStructs(benchmark::State& state)
{
	std::vector<uint8_t> records(16 * 4096);
	for (auto _ : state)
		benchmark::DoNotOptimize(ByteswapStructs(">3fHhI", 20, records.size() / 20, records.data()));
	state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(records.size() / 20 * 20));
}
BENCHMARK(BM_ByteswapStructs);
