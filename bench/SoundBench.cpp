// The game's sound costs on its own baked sounds: mixing 32 game effects, decoding
// the baked files per codec as a bank load does, and baking the soundscape.
#include "Aiff.h"
#include "Bake.h"
#include "sounds/BakeSounds.h"
#include "Codec.h"
#include "Files.h"
#include "Memory.h"
#include "System/Boot.h"
#include "System/Sound.h"
#include "cmixer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	// The baked effects, once per run.
	const fs::path& BakedEffects()
	{
		static const fs::path dir = []
		{
			fs::path d = fs::temp_directory_path() / ("zapp-soundbench-" + std::to_string(getpid()));
			fs::remove_all(d);
			Bake::Context context{d};
			Bake::RunSteps(context, "audio/effects");
			std::atexit([] { fs::remove_all(fs::temp_directory_path() / ("zapp-soundbench-" + std::to_string(getpid()))); });
			return d;
		}();
		return dir;
	}

	std::vector<uint8_t> ReadFile(const fs::path& path)
	{
		std::ifstream in(path, std::ios::binary);
		return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	}
}

// One second of output with 32 game effects sounding at once through the
// game's own channels: the looping ones and one-shots restarted as they end,
// placed around the listener. Items processed = output frames.
static void BM_MixGameEffects32Voices(benchmark::State& state)
{
	cmixer::InitHeadless(44100);
	Tamber::Files::Init();
	gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BakedEffects() / "Skeletons");
	InitSoundTools();
	for (int bank = 0; bank < NUM_SOUND_BANKS; bank++)
		LoadSoundBank(bank);

	std::vector<int> effects;
	for (int e = 0; e < NUM_EFFECTS && effects.size() < 32; e += 4)
		effects.push_back(e);
	auto startAll = [&]
	{
		for (size_t i = 0; i < effects.size(); i++)
		{
			int16_t c = int16_t(i);
			if (IsEffectChannelBusy(c))
				continue;
			OGLPoint3D where = {float(int(i % 8) - 4) * 300.0f, 0, -float(i) * 100.0f};
			PlayEffect_Parms3D(effects[i], &where, 0x8000 + 0x1000 * uint32_t(i % 16), 1.0f);
		}
	};

	std::vector<int16_t> out(44100 * 2);
	for (auto _ : state)
	{
		state.PauseTiming();
		startAll();
		state.ResumeTiming();
		for (size_t at = 0; at < out.size(); at += 2048)
			cmixer::Mix(out.data() + at, int(std::min<size_t>(2048, out.size() - at)));
		benchmark::DoNotOptimize(out.data());
	}
	state.SetItemsProcessed(int64_t(state.iterations()) * 44100);
	ShutdownSound();
	Tamber::Files::Shutdown();
}
BENCHMARK(BM_MixGameEffects32Voices)->Unit(benchmark::kMicrosecond);

// Loading the baked effects of one codec the way a bank loads them: read the
// file, decode it to native PCM. Items processed = decoded samples.
static void BM_LoadBakedEffects(benchmark::State& state, OSType format)
{
	std::vector<std::vector<uint8_t>> files;
	for (int e = 0; e < NUM_EFFECTS; e++)
	{
		std::vector<uint8_t> file = ReadFile(BakedEffects() / Bake::GetEffectFilePath(e));
		if (Tamber::Sound::ReadAIFF(file).info.format == format)
			files.push_back(std::move(file));
	}
	int64_t samples = 0;
	for (auto _ : state)
	{
		for (const auto& file : files)
		{
			Handle h = Tamber::Sound::LoadAIFFAsSoundHandle(std::span<const uint8_t>(file));
			int32_t offset = 0;
			Tamber::Sound::DecompressSoundHandle(&h, &offset);
			samples += (GetHandleSize(h) - Tamber::Sound::PRE_DECODED_HEADER_SIZE) / 2;
			DisposeHandle(h);
		}
	}
	state.SetItemsProcessed(samples);
	state.counters["files"] = double(files.size());
}
BENCHMARK_CAPTURE(BM_LoadBakedEffects, PCM, FOUR_CC("NONE"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadBakedEffects, IMA4, FOUR_CC("ima4"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadBakedEffects, MACE, FOUR_CC("MAC3"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadBakedEffects, ULaw, FOUR_CC("ulaw"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadBakedEffects, ALaw, FOUR_CC("alaw"))->Unit(benchmark::kMicrosecond);

// Decoding a whole baked song (IMA 4:1), as starting it does.
static void BM_DecodeBakedSong(benchmark::State& state)
{
	const std::vector<uint8_t> file = Bake::WriteAiff(Bake::ComposeSong(SONG_LOSE), Bake::GetSongEncoding(SONG_LOSE));
	const Tamber::Sound::AIFFSound sound = Tamber::Sound::ReadAIFF(file);
	auto codec = Tamber::Sound::GetCodec(sound.info.format);
	std::vector<int16_t> pcm(size_t(sound.info.decompressedLength / 2));
	for (auto _ : state)
	{
		codec->Decode(1, {file.data() + sound.dataOffset, sound.dataLength}, pcm);
		benchmark::DoNotOptimize(pcm.data());
	}
	state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(pcm.size()));
}
BENCHMARK(BM_DecodeBakedSong)->Unit(benchmark::kMillisecond);

// Baking: all 146 effects, and all 15 songs (synthesis, encoding, files).
static void BM_BakeSoundStep(benchmark::State& state, const char* step)
{
	const fs::path dir = fs::temp_directory_path() / ("zapp-soundbake-" + std::to_string(getpid()));
	for (auto _ : state)
	{
		Bake::Context context{dir};
		Bake::RunSteps(context, step);
	}
	fs::remove_all(dir);
}
BENCHMARK_CAPTURE(BM_BakeSoundStep, Effects, "audio/effects")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_BakeSoundStep, Songs, "audio/songs")->Unit(benchmark::kMillisecond)->Iterations(2);
