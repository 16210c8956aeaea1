// 'snd ' resources, sound headers and the pre-decoded sound handle.
#include "formats/AiffWriter.h"
#include "Codec.h"
#include "Memory.h"
#include "Sound.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Tamber::Sound;
using Bytes = std::vector<uint8_t>;

namespace
{
	void Put16(Bytes& b, uint32_t v) { b.push_back(uint8_t(v >> 8)); b.push_back(uint8_t(v)); }
	void Put32(Bytes& b, uint32_t v) { Put16(b, v >> 16); Put16(b, v); }

	Handle ToHandle(const Bytes& bytes)
	{
		Handle h = NewHandle(int32_t(bytes.size()));
		if (!bytes.empty())
			std::memcpy(*h, bytes.data(), bytes.size());
		return h;
	}

	struct HandleGuard
	{
		Handle h;
		~HandleGuard() { DisposeHandle(h); }
	};

	// Format 1 with one sampled-synth modifier and one buffer command; the
	// header follows at offset 20.
	Bytes Format1(const Bytes& header, int modifiers = 1, int synth = sampledSynth, uint32_t init = initMono)
	{
		Bytes b;
		Put16(b, 1);
		Put16(b, uint32_t(modifiers));
		Put16(b, uint32_t(synth));
		Put32(b, init);
		Put16(b, 1);
		Put16(b, 0x8000 | bufferCmd);
		Put16(b, 0);
		Put32(b, 20);
		b.insert(b.end(), header.begin(), header.end());
		return b;
	}

	Bytes CommonHeader(uint32_t lengthOrChannels, uint32_t rateFixed, uint32_t loopStart, uint32_t loopEnd,
					   uint8_t encoding, uint8_t baseNote)
	{
		Bytes b;
		Put32(b, 0);
		Put32(b, lengthOrChannels);
		Put32(b, rateFixed);
		Put32(b, loopStart);
		Put32(b, loopEnd);
		b.push_back(encoding);
		b.push_back(baseNote);
		return b;
	}

	Bytes StandardHeader(const Bytes& samples, uint32_t rateFixed = 0x56220000)
	{
		Bytes b = CommonHeader(uint32_t(samples.size()), rateFixed, 0, 0, 0x00, 60);
		b.insert(b.end(), samples.begin(), samples.end());
		return b;
	}

	Bytes ExtendedHeader(int channels, uint32_t frames, int bits, const Bytes& samples, uint32_t loopStart = 0, uint32_t loopEnd = 0)
	{
		Bytes b = CommonHeader(uint32_t(channels), 0xAC440000, loopStart, loopEnd, 0xFF, 60);
		Put32(b, frames);
		b.resize(48, 0);
		Put16(b, uint32_t(bits));
		b.resize(64, 0);
		b.insert(b.end(), samples.begin(), samples.end());
		return b;
	}

	Bytes CompressedHeader(int channels, uint32_t packets, OSType format, const Bytes& data)
	{
		Bytes b = CommonHeader(uint32_t(channels), 0x56220000, 0, 0, 0xFE, 60);
		Put32(b, packets);
		b.resize(40, 0);
		Put32(b, format);
		b.resize(64, 0);
		b.insert(b.end(), data.begin(), data.end());
		return b;
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

	std::string InfoError(const Bytes& header, size_t available)
	{
		return ErrorOf([&] { SoundInfo info; GetSoundInfo(reinterpret_cast<const char*>(header.data()), info, available); });
	}
}

TEST(SoundHeaderOffset, FindsTheBufferCommand)
{
	HandleGuard f1{ToHandle(Format1(StandardHeader(Bytes(10, 0x80))))};
	int32_t offset = -1;
	EXPECT_EQ(GetSoundHeaderOffset(f1.h, &offset), noErr);
	EXPECT_EQ(offset, 20);

	Bytes f2;
	Put16(f2, 2);
	Put16(f2, 0);		// reference count
	Put16(f2, 1);
	Put16(f2, soundCmd);
	Put16(f2, 0);
	Put32(f2, 20);
	f2.resize(20);
	Bytes header = StandardHeader(Bytes(4, 0x80));
	f2.insert(f2.end(), header.begin(), header.end());
	HandleGuard h2{ToHandle(f2)};
	EXPECT_EQ(GetSoundHeaderOffset(h2.h, &offset), noErr);
	EXPECT_EQ(offset, 20);
}

TEST(SoundHeaderOffset, RefusesWhatThePlatformDoesNotSupport)
{
	HandleGuard two{ToHandle(Format1(StandardHeader(Bytes(4)), 2))};
	HandleGuard noteSynth{ToHandle(Format1(StandardHeader(Bytes(4)), 1, 1))};
	HandleGuard mace6{ToHandle(Format1(StandardHeader(Bytes(4)), 1, sampledSynth, 0x400))};
	int32_t offset = 0;
	EXPECT_EQ(ErrorOf([&] { GetSoundHeaderOffset(two.h, &offset); }), "only 1 modifier per 'snd ' is supported");
	EXPECT_EQ(ErrorOf([&] { GetSoundHeaderOffset(noteSynth.h, &offset); }), "only sampledSynth 'snd ' is supported");
	EXPECT_EQ(ErrorOf([&] { GetSoundHeaderOffset(mace6.h, &offset); }), "MACE-6 not supported yet");
}

TEST(SoundHeaderOffset, MalformedResourcesGiveBadFormat)
{
	int32_t offset = 0;
	const Bytes good = Format1(StandardHeader(Bytes(4)));

	HandleGuard empty{ToHandle({})};
	EXPECT_EQ(GetSoundHeaderOffset(empty.h, &offset), badFormat);
	HandleGuard format3{ToHandle({0, 3, 0, 0})};
	EXPECT_EQ(GetSoundHeaderOffset(format3.h, &offset), badFormat);
	// Every cut of the resource before its header is refused, never read past.
	for (size_t cut = 1; cut < 20; cut++)
	{
		HandleGuard h{ToHandle(Bytes(good.begin(), good.begin() + long(cut)))};
		EXPECT_EQ(GetSoundHeaderOffset(h.h, &offset), badFormat) << cut;
	}
	// A huge command count over a short resource.
	Bytes many = good;
	many[10] = 0x7F;
	many[11] = 0xFF;
	many[12] = 0;
	many[13] = nullCmd;
	many.resize(20);
	HandleGuard h{ToHandle(many)};
	EXPECT_EQ(GetSoundHeaderOffset(h.h, &offset), badFormat);
	// A header offset outside the resource.
	Bytes far = good;
	far[16] = 0x7F;
	HandleGuard farH{ToHandle(far)};
	EXPECT_EQ(GetSoundHeaderOffset(farH.h, &offset), badFormat);
	// No buffer command.
	Bytes none = good;
	none[13] = nullCmd;
	HandleGuard noneH{ToHandle(none)};
	EXPECT_EQ(GetSoundHeaderOffset(noneH.h, &offset), badFormat);
	EXPECT_EQ(GetSoundHeaderOffset(nullptr, &offset), paramErr);
}

TEST(SoundInfoHeaders, StandardHeader)
{
	Bytes header = StandardHeader({0x80, 0x90, 0xA0});
	SoundInfo info;
	GetSoundInfo(reinterpret_cast<const char*>(header.data()), info, header.size());
	EXPECT_EQ(info.channels, 1);
	EXPECT_EQ(info.frames, 3);
	EXPECT_EQ(info.bitDepth, 8);
	EXPECT_EQ(info.sampleRate, 22050.0);
	EXPECT_EQ(info.format, FOUR_CC("raw "));
	EXPECT_FALSE(info.isCompressed);
	EXPECT_EQ(info.compressedLength, 3);
	EXPECT_EQ(info.decompressedLength, 3);
	EXPECT_EQ(info.baseNote, 60);
	EXPECT_EQ(info.dataStart, reinterpret_cast<const char*>(header.data()) + 22);
}

TEST(SoundInfoHeaders, ExtendedAndCompressedHeaders)
{
	Bytes ext = ExtendedHeader(2, 3, 16, Bytes(12, 1), 1, 3);
	SoundInfo info;
	GetSoundInfo(reinterpret_cast<const char*>(ext.data()), info, ext.size());
	EXPECT_EQ(info.channels, 2);
	EXPECT_EQ(info.frames, 3);
	EXPECT_EQ(info.bitDepth, 16);
	EXPECT_EQ(info.sampleRate, 44100.0);
	EXPECT_TRUE(info.bigEndian);
	EXPECT_EQ(info.format, FOUR_CC("twos"));
	EXPECT_EQ(info.compressedLength, 12);
	EXPECT_EQ(info.loopStart, 1);
	EXPECT_EQ(info.loopEnd, 3);
	EXPECT_EQ(info.dataStart, reinterpret_cast<const char*>(ext.data()) + 64);

	Bytes ima = CompressedHeader(1, 2, FOUR_CC("ima4"), Bytes(68));
	GetSoundInfo(reinterpret_cast<const char*>(ima.data()), info, ima.size());
	EXPECT_TRUE(info.isCompressed);
	EXPECT_EQ(info.format, FOUR_CC("ima4"));
	EXPECT_EQ(info.compressedLength, 68);
	EXPECT_EQ(info.decompressedLength, 256);

	Bytes mace = CompressedHeader(1, 5, 0, Bytes(10));
	GetSoundInfo(reinterpret_cast<const char*>(mace.data()), info, mace.size());
	EXPECT_EQ(info.format, FOUR_CC("MAC3"));
	EXPECT_EQ(info.decompressedLength, 60);
}

TEST(SoundInfoHeaders, MalformedHeadersAreRefused)
{
	Bytes unknownCodec = CompressedHeader(1, 1, FOUR_CC("xyzw"), Bytes(4));
	EXPECT_EQ(InfoError(unknownCodec, unknownCodec.size()), "Unknown audio codec: xyzw");
	Bytes encoding = CommonHeader(4, 0x56220000, 0, 0, 0x07, 60);
	EXPECT_EQ(InfoError(encoding, encoding.size()), "unsupported snd header encoding 7");
	Bytes pointer = StandardHeader(Bytes(4));
	pointer[3] = 1;
	EXPECT_EQ(InfoError(pointer, pointer.size()), "expected 0 at the beginning of an snd");

	Bytes rate0 = StandardHeader(Bytes(4), 0);
	EXPECT_EQ(InfoError(rate0, rate0.size()), "snd header: invalid sample rate");
	Bytes threeChannels = ExtendedHeader(3, 1, 16, Bytes(6));
	EXPECT_EQ(InfoError(threeChannels, threeChannels.size()), "snd header: unsupported channel count 3");
	Bytes twelveBit = ExtendedHeader(1, 1, 12, Bytes(2));
	EXPECT_EQ(InfoError(twelveBit, twelveBit.size()), "snd header: unsupported sample size 12");

	// Lengths past what is there.
	Bytes longStandard = StandardHeader(Bytes(4));
	EXPECT_EQ(InfoError(longStandard, longStandard.size() - 1), "snd header: sample data past the end of the sound");
	Bytes longExtended = ExtendedHeader(2, 100, 16, Bytes(8));
	EXPECT_EQ(InfoError(longExtended, longExtended.size()), "snd header: sample data past the end of the sound");
	Bytes hugeExtended = ExtendedHeader(2, 0x7FFFFFFF, 16, Bytes(8));
	EXPECT_EQ(InfoError(hugeExtended, hugeExtended.size()), "snd header: sound too long");
	Bytes negative = ExtendedHeader(1, 0x80000000, 16, Bytes(8));
	EXPECT_EQ(InfoError(negative, negative.size()), "snd header: negative length");
	Bytes hugeIma = CompressedHeader(2, 0x10000000, FOUR_CC("ima4"), Bytes(68));
	EXPECT_EQ(InfoError(hugeIma, hugeIma.size()), "snd header: sound too long");
	Bytes cut = ExtendedHeader(1, 0, 16, {});
	EXPECT_EQ(InfoError(cut, 40), "snd header: truncated sound header");
	EXPECT_EQ(InfoError(cut, 10), "snd header: truncated sound header");

	// Loop points beyond the sound are cut to it.
	Bytes loopPast = ExtendedHeader(1, 4, 16, Bytes(8), 2, 1000);
	SoundInfo info;
	GetSoundInfo(reinterpret_cast<const char*>(loopPast.data()), info, loopPast.size());
	EXPECT_EQ(info.loopEnd, 4);
}

TEST(PreDecodedHandle, LayoutAndRoundTrip)
{
	SoundInfo info{};
	info.channels = 1;
	info.frames = 2;
	info.bitDepth = 16;
	info.sampleRate = 11025;
	info.format = FOUR_CC("twos");
	info.compressedLength = info.decompressedLength = 4;
	info.baseNote = 60;
	const uint8_t samples[] = {1, 2, 3, 4};
	HandleGuard h{MakePreDecodedSoundHandle(info, samples)};
	ASSERT_EQ(GetHandleSize(h.h), 74);
	EXPECT_EQ(std::memcmp(*h.h, "poTAMB", 6), 0);
	EXPECT_EQ(std::memcmp(*h.h + 70, samples, 4), 0);

	int32_t offset = 0;
	EXPECT_EQ(GetSoundHeaderOffset(h.h, &offset), noErr);
	EXPECT_EQ(offset, 2);
	SoundInfo back;
	GetSoundInfo(*h.h + 2, back, 72);
	EXPECT_EQ(back.dataStart, *h.h + 70);
	EXPECT_EQ(back.sampleRate, 11025.0);
	EXPECT_EQ(back.compressedLength, 4);

	// A stored record that claims more data than the handle holds.
	SoundInfo lying = info;
	lying.compressedLength = lying.decompressedLength = 4000;
	std::memcpy(*h.h + 6, &lying, sizeof(lying));
	EXPECT_EQ(ErrorOf([&] { GetSoundInfo(*h.h + 2, back, 72); }), "snd header: sample data past the end of the sound");
	lying.compressedLength = 4;
	std::memcpy(*h.h + 6, &lying, sizeof(lying));
	EXPECT_EQ(ErrorOf([&] { GetSoundInfo(*h.h + 2, back, 72); }), "decompressedLength != compressedLength???");
}

TEST(DecompressSound, BigEndianExtendedHeaderBecomesNative)
{
	Bytes samples = {0x12, 0x34, 0xFE, 0xDC, 0x00, 0x01};
	Handle h = ToHandle(Format1(ExtendedHeader(1, 3, 16, samples, 1, 3)));
	int32_t offset = 0;
	DecompressSoundHandle(&h, &offset);
	EXPECT_EQ(offset, 2);
	SoundInfo info;
	GetSoundInfo(*h + offset, info, size_t(GetHandleSize(h) - offset));
	EXPECT_FALSE(info.bigEndian);
	EXPECT_EQ(info.format, FOUR_CC("twos"));
	EXPECT_EQ(info.loopStart, 1);
	EXPECT_EQ(info.loopEnd, 3);
	int16_t values[3];
	std::memcpy(values, info.dataStart, 6);
	EXPECT_EQ(values[0], 0x1234);
	EXPECT_EQ(values[1], int16_t(0xFEDC));
	EXPECT_EQ(values[2], 1);
	DisposeHandle(h);
}

TEST(DecompressSound, CompressedHeaderDecodesLikeTheCodec)
{
	std::vector<int16_t> tone;
	for (int i = 0; i < 128; i++)
		tone.push_back(int16_t(i * 200 - 12800));
	Bytes packets = Bake::EncodeIma4(tone, 1);
	Handle h = ToHandle(Format1(CompressedHeader(1, 2, FOUR_CC("ima4"), packets)));
	int32_t offset = 0;
	DecompressSoundHandle(&h, &offset);
	SoundInfo info;
	GetSoundInfo(*h + offset, info, size_t(GetHandleSize(h) - offset));
	EXPECT_FALSE(info.isCompressed);
	EXPECT_EQ(info.bitDepth, 16);
	EXPECT_EQ(info.frames, 128);
	ASSERT_EQ(info.decompressedLength, 256);
	EXPECT_EQ(GetHandleSize(h), 70 + 256);

	std::vector<int16_t> expected(128);
	IMA4().Decode(1, packets, expected);
	EXPECT_EQ(std::memcmp(info.dataStart, expected.data(), 256), 0);

	// Decompressing the pre-decoded form again changes nothing.
	DecompressSoundHandle(&h, &offset);
	GetSoundInfo(*h + offset, info);
	EXPECT_EQ(std::memcmp(info.dataStart, expected.data(), 256), 0);
	DisposeHandle(h);
}

TEST(DecompressSound, RefusesResourcesWithoutAHeader)
{
	Handle h = ToHandle({0, 3, 0, 0});
	int32_t offset = 0;
	EXPECT_EQ(ErrorOf([&] { DecompressSoundHandle(&h, &offset); }), "cannot decompress snd resource without a sound header");
	DisposeHandle(h);
}

