// Writes the AIFF fuzzer's seed inputs: files from the baker's AIFF writer in
// every encoding, mono and stereo, with and without a loop, and one 'snd '
// resource with a standard sound header.
#include "formats/AiffWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

static void Write(const fs::path& path, const std::vector<uint8_t>& bytes)
{
	std::ofstream out(path, std::ios::binary | std::ios::trunc);
	out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
	if (!out)
		throw std::runtime_error("can't write " + path.string());
}

int main(int argc, char** argv)
{
	if (argc < 2)
	{
		fprintf(stderr, "usage: fuzz_aiff_seeds CORPUS_DIR\n");
		return 2;
	}
	const fs::path dir = argv[1];
	fs::create_directories(dir);

	const Bake::AiffEncoding all[] = {Bake::AiffEncoding::Pcm16, Bake::AiffEncoding::Pcm8, Bake::AiffEncoding::Pcm16Twos,
		Bake::AiffEncoding::Pcm16Sowt, Bake::AiffEncoding::Ima4, Bake::AiffEncoding::ULaw, Bake::AiffEncoding::ALaw,
		Bake::AiffEncoding::Mace3};
	int n = 0;
	for (int channels = 1; channels <= 2; channels++)
	{
		for (auto encoding : all)
		{
			Bake::AiffSound sound;
			sound.channels = channels;
			for (int i = 0; i < 140 * channels; i++)
				sound.samples.push_back(int16_t(i * 311));
			sound.loop = n % 2;
			sound.loopStart = 5;
			sound.loopEnd = 130;
			sound.baseNote = 50 + n;
			Write(dir / ("seed" + std::to_string(n++)), Bake::WriteAiff(sound, encoding));
		}
	}

	// 'snd ' format 1: one sampled-synth modifier, one buffer command pointing
	// at a standard header (8-bit, 22050 Hz) 20 bytes in.
	std::vector<uint8_t> snd = {0, 1, 0, 1, 0, 5, 0, 0, 0, 0x80, 0, 1, 0x80, 81, 0, 0, 0, 0, 0, 20,
		0, 0, 0, 0, 0, 0, 0, 32, 0x56, 0x22, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60};
	for (int i = 0; i < 32; i++)
		snd.push_back(uint8_t(128 + 60 * ((i / 4) % 2 ? 1 : -1)));
	Write(dir / "snd-standard", snd);

	printf("seeded %s with %d files\n", dir.c_str(), n + 1);
	return 0;
}
