// The audio codecs of the older platform's sounds: MACE 3:1, IMA 4:1 ADPCM
// ('ima4') and G.711 mu-law and A-law. Each decodes whole packets to native
// 16-bit PCM, channels interleaved.
#pragma once

#include "PlatformTypes.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace Tamber::Sound
{
	class Codec
	{
	public:
		virtual ~Codec() = default;
		virtual int SamplesPerPacket() const = 0;
		virtual int BytesPerPacket() const = 0;
		virtual int AIFFBitDepth() const = 0;

		// Decodes all of `input` into exactly the matching number of samples.
		// Sizes that don't fit the codec throw std::invalid_argument. Each call
		// starts from a fresh decoder state.
		virtual void Decode(int channels, std::span<const uint8_t> input, std::span<int16_t> output) = 0;
	};

	class MACE : public Codec
	{
	public:
		int SamplesPerPacket() const override { return 6; }
		int BytesPerPacket() const override { return 2; }
		int AIFFBitDepth() const override { return 8; }
		void Decode(int channels, std::span<const uint8_t> input, std::span<int16_t> output) override;
	};

	class IMA4 : public Codec
	{
	public:
		int SamplesPerPacket() const override { return 64; }
		int BytesPerPacket() const override { return 34; }
		int AIFFBitDepth() const override { return 16; }
		void Decode(int channels, std::span<const uint8_t> input, std::span<int16_t> output) override;
	};

	class xlaw : public Codec
	{
	public:
		explicit xlaw(OSType fourCC);		// 'ulaw' or 'alaw'
		int SamplesPerPacket() const override { return 1; }
		int BytesPerPacket() const override { return 1; }
		int AIFFBitDepth() const override { return 8; }
		void Decode(int channels, std::span<const uint8_t> input, std::span<int16_t> output) override;

	private:
		bool alaw;
	};

	// 'MAC3', 'ima4', 'ulaw', 'alaw'; anything else throws std::runtime_error
	// "Unknown audio codec: " and the code's printable characters.
	std::unique_ptr<Codec> GetCodec(OSType fourCC);

	// The printable characters of a four-character code (others left out).
	std::string FourCCToString(OSType fourCC);
}
