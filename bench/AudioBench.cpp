// Audio costs: the mixer per second of output, each decoder, and the baker's
// encoders and AIFF writer.
#include "Aiff.h"
#include "formats/AiffWriter.h"
#include "Codec.h"
#include "Memory.h"
#include "cmixer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
	std::vector<int16_t> Tone(int frames, int channels)
	{
		std::vector<int16_t> s;
		s.reserve(size_t(frames) * size_t(channels));
		for (int i = 0; i < frames; i++)
			for (int c = 0; c < channels; c++)
				s.push_back(int16_t(12000 * std::sin(0.05 * i * (c + 1)) + 3000 * std::sin(0.31 * i)));
		return s;
	}

	std::vector<uint8_t> Bytes(const std::vector<int16_t>& samples)
	{
		std::vector<uint8_t> b(samples.size() * 2);
		std::memcpy(b.data(), samples.data(), b.size());
		return b;
	}
}

// One second of 44.1 kHz stereo output with `voices` looping sources at mixed
// pitches (odd ones interpolating). Items processed = output frames.
static void BM_MixOneSecond(benchmark::State& state)
{
	const int voices = int(state.range(0));
	cmixer::InitHeadless(44100);
	std::vector<std::unique_ptr<cmixer::WavStream>> sources;
	for (int v = 0; v < voices; v++)
	{
		auto s = std::make_unique<cmixer::WavStream>();
		s->Init(22050 + 1000 * (v % 5), 16, 1 + v % 2, false, Bytes(Tone(30000, 1 + v % 2)));
		s->SetLoop(true);
		s->SetInterpolation(v % 2 == 1);
		s->SetPitch(0.75 + 0.1 * (v % 6));
		s->SetGain(0.3);
		s->SetPan((v % 3) - 1.0);
		s->Play();
		sources.push_back(std::move(s));
	}

	std::vector<int16_t> out(44100 * 2);
	for (auto _ : state)
	{
		for (size_t at = 0; at < out.size(); at += 2048)
			cmixer::Mix(out.data() + at, int(std::min<size_t>(2048, out.size() - at)));
		benchmark::DoNotOptimize(out.data());
	}
	state.SetItemsProcessed(int64_t(state.iterations()) * 44100);
	for (auto& s : sources)
		s->RemoveFromMixer();
}
BENCHMARK(BM_MixOneSecond)->Arg(1)->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond);

// Decoding one second of 22 kHz stereo. Items processed = decoded samples.
static void BM_Decode(benchmark::State& state, OSType format)
{
	const std::vector<int16_t> tone = Tone(22050, 2);
	std::vector<uint8_t> encoded;
	switch (format)
	{
		case FOUR_CC("ima4"): encoded = Bake::EncodeIma4(tone, 2); break;
		case FOUR_CC("MAC3"): encoded = Bake::EncodeMace3(tone, 2); break;
		case FOUR_CC("ulaw"): encoded = Bake::EncodeULaw(tone); break;
		default: encoded = Bake::EncodeALaw(tone); break;
	}
	auto codec = Tamber::Sound::GetCodec(format);
	std::vector<int16_t> out(encoded.size() / size_t(codec->BytesPerPacket()) * size_t(codec->SamplesPerPacket()));
	for (auto _ : state)
	{
		codec->Decode(2, encoded, out);
		benchmark::DoNotOptimize(out.data());
	}
	state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(out.size()));
}
BENCHMARK_CAPTURE(BM_Decode, MACE, FOUR_CC("MAC3"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Decode, IMA4, FOUR_CC("ima4"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Decode, ULaw, FOUR_CC("ulaw"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Decode, ALaw, FOUR_CC("alaw"))->Unit(benchmark::kMicrosecond);

// Writing one second of 22 kHz stereo as a file: the baker's share of a sound.
static void BM_WriteAiff(benchmark::State& state, Bake::AiffEncoding encoding)
{
	Bake::AiffSound sound;
	sound.channels = 2;
	sound.samples = Tone(22050, 2);
	for (auto _ : state)
	{
		std::vector<uint8_t> file = Bake::WriteAiff(sound, encoding);
		benchmark::DoNotOptimize(file.data());
	}
	state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(sound.samples.size()));
}
BENCHMARK_CAPTURE(BM_WriteAiff, Pcm16, Bake::AiffEncoding::Pcm16)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WriteAiff, MACE, Bake::AiffEncoding::Mace3)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WriteAiff, IMA4, Bake::AiffEncoding::Ima4)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WriteAiff, ULaw, Bake::AiffEncoding::ULaw)->Unit(benchmark::kMicrosecond);

// Reading and decoding a one-second IMA 4:1 file the way a sound bank loads.
static void BM_LoadAndDecompressAiff(benchmark::State& state)
{
	Bake::AiffSound sound;
	sound.channels = 2;
	sound.samples = Tone(22050, 2);
	const std::vector<uint8_t> file = Bake::WriteAiff(sound, Bake::AiffEncoding::Ima4);
	for (auto _ : state)
	{
		Handle h = Tamber::Sound::LoadAIFFAsSoundHandle(std::span<const uint8_t>(file));
		int32_t offset = 0;
		Tamber::Sound::DecompressSoundHandle(&h, &offset);
		DisposeHandle(h);
	}
}
BENCHMARK(BM_LoadAndDecompressAiff)->Unit(benchmark::kMicrosecond);
