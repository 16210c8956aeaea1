// Codec size rules, errors and round trips through the baker's encoders.
#include "formats/AiffWriter.h"
#include "Codec.h"
#include "CodecTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Tamber::Sound;

namespace
{
	OSType Code4(const char* s)
	{
		return OSType(uint8_t(s[0])) << 24 | OSType(uint8_t(s[1])) << 16 | OSType(uint8_t(s[2])) << 8 | uint8_t(s[3]);
	}

	std::string ErrorOf(const std::function<void()>& f)
	{
		try
		{
			f();
		}
		catch (const std::exception& e)
		{
			return e.what();
		}
		return "";
	}

	std::vector<int16_t> Tone(int frames, int channels, double hz, double amplitude)
	{
		std::vector<int16_t> s;
		for (int i = 0; i < frames; i++)
			for (int c = 0; c < channels; c++)
				s.push_back(int16_t(amplitude * std::sin(2 * M_PI * hz * (c + 1) * i / 22050.0)));
		return s;
	}

	// Signal-to-noise ratio in dB of `decoded` against `original`.
	double Snr(const std::vector<int16_t>& original, const std::vector<int16_t>& decoded)
	{
		double signal = 0, noise = 0;
		for (size_t i = 0; i < original.size(); i++)
		{
			signal += double(original[i]) * original[i];
			double d = double(original[i]) - decoded[i];
			noise += d * d;
		}
		return 10 * std::log10(signal / std::max(noise, 1.0));
	}

	std::vector<int16_t> Decode(OSType codec, int channels, const std::vector<uint8_t>& input)
	{
		auto c = GetCodec(codec);
		std::vector<int16_t> out(input.size() / size_t(c->BytesPerPacket()) * size_t(c->SamplesPerPacket()));
		c->Decode(channels, input, out);
		return out;
	}
}

TEST(Codec, UnknownCodecsAreNamed)
{
	EXPECT_EQ(ErrorOf([] { GetCodec(FOUR_CC("MAC6")); }), "Unknown audio codec: MAC6");
	EXPECT_EQ(ErrorOf([] { GetCodec(0x41000142); }), "Unknown audio codec: AB");
	EXPECT_EQ(ErrorOf([] { xlaw bad(FOUR_CC("twos")); }), "unknown xlaw fourCC");
}

TEST(Codec, MaceSizeRules)
{
	MACE mace;
	std::vector<int16_t> out(9);
	std::vector<uint8_t> three(3);
	EXPECT_EQ(ErrorOf([&] { mace.Decode(1, three, out); }), "odd input buffer size");
	std::vector<uint8_t> two(2);
	EXPECT_EQ(ErrorOf([&] { mace.Decode(2, two, std::span<int16_t>(out).first(6)); }), "odd input buffer size");
	EXPECT_EQ(ErrorOf([&] { mace.Decode(1, two, std::span<int16_t>(out).first(5)); }), "incorrect output size");
	EXPECT_EQ(ErrorOf([&] { mace.Decode(0, two, std::span<int16_t>(out).first(6)); }), "MACE: invalid channel count");
	EXPECT_NO_THROW(mace.Decode(1, two, std::span<int16_t>(out).first(6)));
}

TEST(Codec, Ima4SizeRules)
{
	IMA4 ima;
	// Two channels, one packet each: 64 frames.
	std::vector<uint8_t> stereo(68, 0);
	std::vector<int16_t> out(128);
	EXPECT_NO_THROW(ima.Decode(2, stereo, out));

	// One packet for two channels would read past the end.
	std::vector<uint8_t> half(34, 0);
	std::vector<int16_t> out64(64);
	EXPECT_EQ(ErrorOf([&] { ima.Decode(2, half, out64); }), "odd input buffer size");
	std::vector<uint8_t> ragged(35, 0);
	EXPECT_EQ(ErrorOf([&] { ima.Decode(1, ragged, out64); }), "odd input buffer size");
	EXPECT_EQ(ErrorOf([&] { ima.Decode(1, half, std::span<int16_t>(out).first(65)); }), "incorrect output size");

	std::vector<uint8_t> badIndex(68, 0);
	badIndex[34 + 1] = 89;		// second channel's header
	EXPECT_EQ(ErrorOf([&] { ima.Decode(2, badIndex, out); }), "step_index[1]>88!");
}

TEST(Codec, XLawSizeRules)
{
	xlaw ulaw(FOUR_CC("ulaw"));
	std::vector<uint8_t> in(10);
	std::vector<int16_t> out(9);
	EXPECT_EQ(ErrorOf([&] { ulaw.Decode(1, in, out); }), "ulaw: incorrect input/output buffer sizes");
	out.resize(10);
	EXPECT_NO_THROW(ulaw.Decode(2, in, out));
}

TEST(CodecRoundTrip, Ima4TracksATone)
{
	for (int channels : {1, 2})
	{
		auto tone = Tone(64 * 40, channels, 440, 16000);
		auto encoded = Bake::EncodeIma4(tone, channels);
		ASSERT_EQ(encoded.size(), 40u * 34 * size_t(channels));
		auto decoded = Decode(FOUR_CC("ima4"), channels, encoded);
		ASSERT_EQ(decoded.size(), tone.size());
		EXPECT_GT(Snr(tone, decoded), 25.0) << channels << " channel(s)";
	}
}

TEST(CodecRoundTrip, MaceTracksATone)
{
	for (int channels : {1, 2})
	{
		auto tone = Tone(6 * 400, channels, 300, 12000);
		auto encoded = Bake::EncodeMace3(tone, channels);
		ASSERT_EQ(encoded.size(), 400u * 2 * size_t(channels));
		auto decoded = Decode(FOUR_CC("MAC3"), channels, encoded);
		ASSERT_EQ(decoded.size(), tone.size());
		// 8 significant bits and a coarse step: clearly the same sound.
		EXPECT_GT(Snr(tone, decoded), 12.0) << channels << " channel(s)";
	}
}

TEST(CodecRoundTrip, G711PicksTheNearestCode)
{
	for (const char* name : {"ulaw", "alaw"})
	{
		const OSType code = Code4(name);
		const XLawTable& table = code == FOUR_CC("ulaw") ? ULAW_TABLE : ALAW_TABLE;
		std::vector<int16_t> every;
		for (int v = -32768; v <= 32767; v += 7)
			every.push_back(int16_t(v));
		auto encoded = code == FOUR_CC("ulaw") ? Bake::EncodeULaw(every) : Bake::EncodeALaw(every);
		auto decoded = Decode(code, 1, encoded);
		for (size_t i = 0; i < every.size(); i++)
		{
			int best = 1 << 30;
			for (int c = 0; c < 256; c++)
				best = std::min(best, std::abs(XLawExpand(table, uint8_t(c)) - every[i]));
			ASSERT_EQ(std::abs(decoded[i] - every[i]), best) << name << " at " << every[i];
		}
	}
}
