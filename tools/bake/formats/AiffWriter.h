// Writes sounds as AIFF or AIFF-C files, with encoders for the codecs the game
// reads (IMA 4:1, mu-law, A-law, MACE 3:1).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace Bake
{
	enum class AiffEncoding
	{
		Pcm16,			// AIFF, 16-bit big-endian
		Pcm8,			// AIFF, 8-bit signed
		Pcm16Twos,		// AIFF-C 'twos' (big-endian)
		Pcm16Sowt,		// AIFF-C 'sowt' (little-endian)
		Ima4,			// AIFF-C 'ima4'
		ULaw,			// AIFF-C 'ulaw'
		ALaw,			// AIFF-C 'alaw'
		Mace3,			// AIFF-C 'MAC3'
	};

	struct AiffSound
	{
		int channels = 1;
		double sampleRate = 22050;
		std::vector<int16_t> samples;	// interleaved frames
		int baseNote = 60;
		bool loop = false;				// a forward sustain loop from loopStart to loopEnd (frames)
		uint32_t loopStart = 0;
		uint32_t loopEnd = 0;
	};

	// The whole file. Compressed encodings pad the sound with silence to whole
	// packets (64 frames for IMA 4:1, 6 for MACE).
	std::vector<uint8_t> WriteAiff(const AiffSound& sound, AiffEncoding encoding);

	// Encoders over interleaved samples; their output is the SSND data.
	std::vector<uint8_t> EncodeIma4(std::span<const int16_t> samples, int channels);
	std::vector<uint8_t> EncodeMace3(std::span<const int16_t> samples, int channels);
	std::vector<uint8_t> EncodeULaw(std::span<const int16_t> samples);
	std::vector<uint8_t> EncodeALaw(std::span<const int16_t> samples);

	// 80-bit IEEE extended float, big-endian (the COMM chunk's sample rate).
	void WriteExtended80(double value, uint8_t out[10]);
}
