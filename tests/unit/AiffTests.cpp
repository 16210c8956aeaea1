// The AIFF / AIFF-C reader: well-formed files from the baker's writer, files
// built chunk by chunk, a malformed corpus and seeded mutations.
#include "Aiff.h"
#include "formats/AiffWriter.h"
#include "Memory.h"
#include "Sound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Tamber::Sound;
using Bytes = std::vector<uint8_t>;

namespace
{
	void Put16(Bytes& b, uint32_t v) { b.push_back(uint8_t(v >> 8)); b.push_back(uint8_t(v)); }
	void Put32(Bytes& b, uint32_t v) { Put16(b, v >> 16); Put16(b, v); }
	void PutTag(Bytes& b, const char* tag) { for (int i = 0; i < 4; i++) b.push_back(uint8_t(tag[i])); }
	void PutBytes(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

	Bytes Chunk(const char* tag, const Bytes& body, bool pad = true)
	{
		Bytes c;
		PutTag(c, tag);
		Put32(c, uint32_t(body.size()));
		PutBytes(c, body);
		if (pad && (body.size() & 1))
			c.push_back(0);
		return c;
	}

	Bytes Form(const char* type, const std::vector<Bytes>& chunks)
	{
		Bytes body;
		PutTag(body, type);
		for (const Bytes& c : chunks)
			PutBytes(body, c);
		Bytes file;
		PutTag(file, "FORM");
		Put32(file, uint32_t(body.size()));
		PutBytes(file, body);
		return file;
	}

	Bytes Comm(int channels, uint32_t frames, int bits, double rate)
	{
		Bytes b;
		Put16(b, uint32_t(channels));
		Put32(b, frames);
		Put16(b, uint32_t(bits));
		uint8_t ext[10];
		Bake::WriteExtended80(rate, ext);
		b.insert(b.end(), ext, ext + 10);
		return Chunk("COMM", b);
	}

	Bytes CommC(int channels, uint32_t frames, int bits, double rate, const char* type, const std::string& name)
	{
		Bytes b = Comm(channels, frames, bits, rate);
		b.erase(b.begin(), b.begin() + 8);
		PutTag(b, type);
		b.push_back(uint8_t(name.size()));
		b.insert(b.end(), name.begin(), name.end());
		if ((name.size() + 1) & 1)
			b.push_back(0);
		return Chunk("COMM", b);
	}

	Bytes Fver()
	{
		Bytes b;
		Put32(b, 0xA2805140);
		return Chunk("FVER", b);
	}

	Bytes Ssnd(const Bytes& data, uint32_t offset = 0, uint32_t blockSize = 0)
	{
		Bytes b;
		Put32(b, offset);
		Put32(b, blockSize);
		PutBytes(b, data);
		return Chunk("SSND", b);
	}

	Bytes Mark(const std::vector<std::pair<int, uint32_t>>& markers)
	{
		Bytes b;
		Put16(b, uint32_t(markers.size()));
		for (auto [id, position] : markers)
		{
			Put16(b, uint32_t(id));
			Put32(b, position);
			b.push_back(3);		// count and 3 characters: even, no pad
			b.insert(b.end(), {'m', 'r', 'k'});
		}
		return Chunk("MARK", b);
	}

	Bytes Inst(int baseNote, int playMode, int begin, int end)
	{
		Bytes b{uint8_t(baseNote), 0, 0, 127, 1, 127, 0, 0};
		Put16(b, uint32_t(playMode));
		Put16(b, uint32_t(begin));
		Put16(b, uint32_t(end));
		Put16(b, 0);
		Put16(b, 0);
		Put16(b, 0);
		return Chunk("INST", b);
	}

	// 16-bit big-endian frames 0, 1, 2, ...
	Bytes Ramp16(int samples)
	{
		Bytes b;
		for (int i = 0; i < samples; i++)
			Put16(b, uint32_t(i));
		return b;
	}

	std::string ErrorOf(const Bytes& file)
	{
		try
		{
			ReadAIFF(file);
		}
		catch (const std::exception& e)
		{
			return e.what();
		}
		return "";
	}

	Bake::AiffSound TestSound(int channels, int frames)
	{
		Bake::AiffSound s;
		s.channels = channels;
		s.sampleRate = 22050;
		for (int i = 0; i < frames * channels; i++)
			s.samples.push_back(int16_t((i * 397) % 20000 - 10000));
		return s;
	}

	// The decoded samples of a file through the reader, the handle and decompression.
	std::vector<int16_t> LoadPcm(const Bytes& file, SoundInfo* infoOut = nullptr)
	{
		Handle h = LoadAIFFAsSoundHandle(file);
		int32_t offset = 0;
		DecompressSoundHandle(&h, &offset);
		SoundInfo info;
		GetSoundInfo(*h + offset, info, size_t(GetHandleSize(h) - offset));
		std::vector<int16_t> pcm(size_t(info.decompressedLength) / 2);
		std::memcpy(pcm.data(), info.dataStart, pcm.size() * 2);
		if (infoOut)
			*infoOut = info;
		DisposeHandle(h);
		return pcm;
	}
}

TEST(AiffReader, ExtendedFloatRates)
{
	for (double rate : {8000.0, 11025.0, 22050.0, 22254.54545454, 44100.0, 48000.0, 1.0})
	{
		uint8_t ext[10];
		Bake::WriteExtended80(rate, ext);
		EXPECT_DOUBLE_EQ(ReadExtended80(ext), rate);
	}
	const uint8_t infinity[10] = {0x7F, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0};
	EXPECT_TRUE(std::isnan(ReadExtended80(infinity)));
	const uint8_t zero[10] = {};
	EXPECT_EQ(ReadExtended80(zero), 0.0);
}

TEST(AiffReader, PlainAiffReadsItsFields)
{
	Bytes file = Form("AIFF", {Comm(2, 3, 16, 22050), Ssnd(Ramp16(6))});
	AIFFSound s = ReadAIFF(file);
	EXPECT_EQ(s.info.channels, 2);
	EXPECT_EQ(s.info.frames, 3);
	EXPECT_EQ(s.info.bitDepth, 16);
	EXPECT_EQ(s.info.sampleRate, 22050.0);
	EXPECT_FALSE(s.info.isCompressed);
	EXPECT_TRUE(s.info.bigEndian);
	EXPECT_EQ(s.info.format, FOUR_CC("NONE"));
	EXPECT_EQ(s.info.baseNote, 60);
	EXPECT_EQ(s.info.loopStart, 0);
	EXPECT_EQ(s.info.loopEnd, 0);
	EXPECT_EQ(s.dataLength, 12u);
	EXPECT_EQ(s.info.compressedLength, 12);
	EXPECT_EQ(s.info.decompressedLength, 12);
	EXPECT_EQ(reinterpret_cast<const uint8_t*>(s.info.dataStart), file.data() + s.dataOffset);
	EXPECT_EQ(file[s.dataOffset + 1], 0);
	EXPECT_EQ(file[s.dataOffset + 3], 1);
}

TEST(AiffReader, SowtAndTwosGiveTheSameSamples)
{
	Bake::AiffSound sound = TestSound(2, 300);
	std::vector<int16_t> twos = LoadPcm(Bake::WriteAiff(sound, Bake::AiffEncoding::Pcm16Twos));
	std::vector<int16_t> sowt = LoadPcm(Bake::WriteAiff(sound, Bake::AiffEncoding::Pcm16Sowt));
	std::vector<int16_t> plain = LoadPcm(Bake::WriteAiff(sound, Bake::AiffEncoding::Pcm16));
	EXPECT_EQ(twos, sound.samples);
	EXPECT_EQ(sowt, sound.samples);
	EXPECT_EQ(plain, sound.samples);

	AIFFSound s = ReadAIFF(Bake::WriteAiff(sound, Bake::AiffEncoding::Pcm16Sowt));
	EXPECT_FALSE(s.info.bigEndian);
	EXPECT_EQ(s.info.format, FOUR_CC("sowt"));
}

TEST(AiffReader, EightBitSignedSamplesBecomeUnsignedWhenDecompressed)
{
	Bytes file = Form("AIFF", {Comm(1, 3, 8, 11025), Ssnd({0x00, 0x7F, 0x80})});
	Handle h = LoadAIFFAsSoundHandle(file);
	int32_t offset = 0;
	DecompressSoundHandle(&h, &offset);
	SoundInfo info;
	GetSoundInfo(*h + offset, info);
	EXPECT_EQ(info.format, FOUR_CC("raw "));
	EXPECT_EQ(uint8_t(info.dataStart[0]), 0x80);
	EXPECT_EQ(uint8_t(info.dataStart[1]), 0xFF);
	EXPECT_EQ(uint8_t(info.dataStart[2]), 0x00);
	DisposeHandle(h);
}

TEST(AiffReader, CompressedFilesKeepPacketsUntilDecompressed)
{
	Bake::AiffSound sound = TestSound(2, 130);		// 3 IMA packets per channel once padded
	Bytes file = Bake::WriteAiff(sound, Bake::AiffEncoding::Ima4);
	AIFFSound s = ReadAIFF(file);
	EXPECT_TRUE(s.info.isCompressed);
	EXPECT_EQ(s.info.format, FOUR_CC("ima4"));
	EXPECT_EQ(s.info.frames, 3);
	EXPECT_EQ(s.info.compressedLength, 3 * 34 * 2);
	EXPECT_EQ(s.info.decompressedLength, 3 * 64 * 2 * 2);

	SoundInfo info;
	std::vector<int16_t> pcm = LoadPcm(file, &info);
	EXPECT_FALSE(info.isCompressed);
	EXPECT_EQ(info.format, FOUR_CC("twos"));
	EXPECT_EQ(info.frames, 192);
	EXPECT_EQ(pcm.size(), 192u * 2);

	for (auto encoding : {Bake::AiffEncoding::ULaw, Bake::AiffEncoding::ALaw, Bake::AiffEncoding::Mace3})
	{
		AIFFSound c = ReadAIFF(Bake::WriteAiff(sound, encoding));
		EXPECT_TRUE(c.info.isCompressed);
		EXPECT_EQ(c.info.decompressedLength, int32_t(LoadPcm(Bake::WriteAiff(sound, encoding)).size() * 2));
	}
}

TEST(AiffReader, SustainLoopComesFromMarkers)
{
	Bake::AiffSound sound = TestSound(1, 1000);
	sound.loop = true;
	sound.loopStart = 250;
	sound.loopEnd = 1000;
	sound.baseNote = 72;
	AIFFSound s = ReadAIFF(Bake::WriteAiff(sound, Bake::AiffEncoding::Pcm16));
	EXPECT_EQ(s.info.loopStart, 250);
	EXPECT_EQ(s.info.loopEnd, 1000);
	EXPECT_EQ(s.info.baseNote, 72);

	// INST may come before MARK.
	Bytes file = Form("AIFF", {Comm(1, 8, 16, 22050), Inst(60, 1, 1, 2), Mark({{1, 2}, {2, 6}}), Ssnd(Ramp16(8))});
	s = ReadAIFF(file);
	EXPECT_EQ(s.info.loopStart, 2);
	EXPECT_EQ(s.info.loopEnd, 6);

	// Markers past the sound are cut to it; an empty loop is none.
	s = ReadAIFF(Form("AIFF", {Comm(1, 8, 16, 22050), Mark({{1, 3}, {2, 99}}), Inst(60, 1, 1, 2), Ssnd(Ramp16(8))}));
	EXPECT_EQ(s.info.loopStart, 3);
	EXPECT_EQ(s.info.loopEnd, 8);
	s = ReadAIFF(Form("AIFF", {Comm(1, 8, 16, 22050), Mark({{1, 50}, {2, 99}}), Inst(60, 1, 1, 2), Ssnd(Ramp16(8))}));
	EXPECT_EQ(s.info.loopEnd - s.info.loopStart, 0);

	// Play mode 0: no loop.
	s = ReadAIFF(Form("AIFF", {Comm(1, 8, 16, 22050), Inst(60, 0, 7, 8), Ssnd(Ramp16(8))}));
	EXPECT_EQ(s.info.loopEnd, 0);
}

TEST(AiffReader, LoopsTheReaderRefuses)
{
	EXPECT_EQ(ErrorOf(Form("AIFF", {Comm(1, 8, 16, 22050), Mark({{1, 2}, {2, 6}}), Inst(60, 2, 1, 2), Ssnd(Ramp16(8))})),
			  "unsupported AIFF INST playMode");
	EXPECT_EQ(ErrorOf(Form("AIFF", {Comm(1, 8, 16, 22050), Mark({{1, 2}}), Inst(60, 1, 1, 2), Ssnd(Ramp16(8))})),
			  "AIFF: INST loop refers to a missing marker");
}

TEST(AiffReader, OddChunksAndTheirPadByte)
{
	Bytes odd = Chunk("ANNO", {'h', 'e', 'l', 'l', 'o'});
	EXPECT_EQ(odd.size(), 8u + 6u);
	AIFFSound s = ReadAIFF(Form("AIFF", {Comm(1, 4, 16, 22050), odd, Ssnd(Ramp16(4))}));
	EXPECT_EQ(s.info.frames, 4);

	// Without the pad the next chunk is read one byte off and refused.
	Bytes unpadded = Chunk("ANNO", {'h', 'e', 'l', 'l', 'o'}, false);
	EXPECT_FALSE(ErrorOf(Form("AIFF", {Comm(1, 4, 16, 22050), unpadded, Ssnd(Ramp16(4))})).empty());
	// A COMM one byte too long fails the end-of-chunk check.
	Bytes longComm = Comm(1, 4, 16, 22050);
	longComm[7] += 2;
	longComm.push_back(0);
	longComm.push_back(0);
	EXPECT_EQ(ErrorOf(Form("AIFF", {longComm, Ssnd(Ramp16(4))})), "AIFF: incorrect end-of-chunk position");
}

TEST(AiffReader, MalformedCorpusIsRefusedWithClearErrors)
{
	const Bytes good = Form("AIFF", {Comm(1, 4, 16, 22050), Ssnd(Ramp16(4))});
	ASSERT_EQ(ErrorOf(good), "");

	struct Case { const char* what; Bytes file; std::string error; };
	std::vector<Case> cases;
	cases.push_back({"empty", {}, "AIFF: invalid FORM"});
	cases.push_back({"RIFF", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 4, 'W', 'A', 'V', 'E'}, "AIFF: invalid FORM"});
	cases.push_back({"form type", Form("8SVX", {}), "AIFF: not an AIFF or AIFC file"});
	Bytes truncated(good.begin(), good.end() - 3);
	cases.push_back({"truncated file", truncated, "AIFF: FORM size exceeds the file"});
	Bytes hugeForm = good;
	hugeForm[4] = 0xFF;
	cases.push_back({"huge FORM size", hugeForm, "AIFF: FORM size exceeds the file"});
	Bytes hugeChunk = good;
	hugeChunk[16] = 0xFF;		// COMM's size
	cases.push_back({"chunk past FORM", hugeChunk, "AIFF: chunk extends past the end of the FORM"});
	Bytes stub = Form("AIFF", {Comm(1, 4, 16, 22050), Ssnd(Ramp16(4))});
	stub.insert(stub.end(), {'S', 'S'});
	stub[7] += 2;
	cases.push_back({"chunk header cut", stub, "AIFF: truncated chunk header"});
	cases.push_back({"short COMM", Form("AIFF", {Chunk("COMM", {0, 1, 0, 0}), Ssnd(Ramp16(4))}), "AIFF: incorrect end-of-chunk position"});
	cases.push_back({"rate 0", Form("AIFF", {Comm(1, 4, 16, 0), Ssnd(Ramp16(4))}), "AIFF: invalid sample rate"});
	cases.push_back({"rate negative", Form("AIFF", {Comm(1, 4, 16, -22050), Ssnd(Ramp16(4))}), "AIFF: invalid sample rate"});
	cases.push_back({"rate huge", Form("AIFF", {Comm(1, 4, 16, 1e30), Ssnd(Ramp16(4))}), "AIFF: invalid sample rate"});
	Bytes nanRate = Comm(1, 4, 16, 22050);
	nanRate[16] = 0x7F;
	nanRate[17] = 0xFF;
	cases.push_back({"rate NaN", Form("AIFF", {nanRate, Ssnd(Ramp16(4))}), "AIFF: invalid sample rate"});
	cases.push_back({"3 channels", Form("AIFF", {Comm(3, 4, 16, 22050), Ssnd(Ramp16(12))}), "AIFF: unsupported channel count 3"});
	cases.push_back({"0 channels", Form("AIFF", {Comm(0, 4, 16, 22050), Ssnd(Ramp16(4))}), "AIFF: unsupported channel count 0"});
	cases.push_back({"negative channels", Form("AIFF", {Comm(0xFFFF, 4, 16, 22050), Ssnd(Ramp16(4))}), "AIFF: unsupported channel count -1"});
	cases.push_back({"24-bit", Form("AIFF", {Comm(1, 4, 24, 22050), Ssnd(Bytes(12))}), "AIFF: unsupported sample size 24"});
	cases.push_back({"SSND first", Form("AIFF", {Ssnd(Ramp16(4)), Comm(1, 4, 16, 22050)}), "AIFF: reached SSND before COMM"});
	cases.push_back({"SSND offset", Form("AIFF", {Comm(1, 4, 16, 22050), Ssnd(Ramp16(4), 2)}), "AIFF: unexpected offset/blockSize in SSND"});
	cases.push_back({"SSND block size", Form("AIFF", {Comm(1, 4, 16, 22050), Ssnd(Ramp16(4), 0, 8)}), "AIFF: unexpected offset/blockSize in SSND"});
	cases.push_back({"SSND under 8 bytes", Form("AIFF", {Comm(1, 4, 16, 22050), Chunk("SSND", {0, 0, 0, 0})}), "AIFF: incorrect end-of-chunk position"});
	cases.push_back({"no SSND", Form("AIFF", {Comm(1, 4, 16, 22050)}), "AIFF: no SSND chunk"});
	cases.push_back({"no COMM", Form("AIFF", {}), "AIFF: no COMM chunk"});
	cases.push_back({"FVER", Form("AIFC", {Chunk("FVER", {0, 0, 0, 1}), CommC(1, 4, 16, 22050, "sowt", ""), Ssnd(Ramp16(4))}), "AIFF: unrecognized FVER"});
	cases.push_back({"compression", Form("AIFC", {Fver(), CommC(1, 4, 16, 22050, "fl32", ""), Ssnd(Ramp16(4))}), "unknown AIFF-C compression type"});
	Bytes overrunName = CommC(1, 4, 16, 22050, "sowt", "");
	overrunName[overrunName.size() - 2] = 40;		// the name's count claims 40 characters
	cases.push_back({"AIFC name overruns", Form("AIFC", {Fver(), overrunName, Ssnd(Ramp16(4))}), "AIFF: incorrect end-of-chunk position"});
	cases.push_back({"ima4 data short", Form("AIFC", {Fver(), CommC(1, 3, 16, 22050, "ima4", "IMA 4:1"), Ssnd(Bytes(34 * 2))}), "AIFF: sample data shorter than its frame count"});
	cases.push_back({"ima4 frames overflow", Form("AIFC", {Fver(), CommC(2, 0xFFFFFFFF, 16, 22050, "ima4", "IMA 4:1"), Ssnd(Bytes(68))}), "AIFF: sound too long"});
	cases.push_back({"MACE frames overflow", Form("AIFC", {Fver(), CommC(2, 0x40000000, 8, 22050, "MAC3", ""), Ssnd(Bytes(4))}), "AIFF: sound too long"});
	cases.push_back({"MARK negative", Form("AIFF", {Comm(1, 4, 16, 22050), Chunk("MARK", {0xFF, 0xFF}), Ssnd(Ramp16(4))}), "AIFF: invalid MARK count"});
	cases.push_back({"MARK count too big", Form("AIFF", {Comm(1, 4, 16, 22050), Chunk("MARK", {0x7F, 0xFF, 0, 1, 0, 0, 0, 0, 0, 0}), Ssnd(Ramp16(4))}), "AIFF: incorrect end-of-chunk position"});
	cases.push_back({"INST short", Form("AIFF", {Comm(1, 4, 16, 22050), Chunk("INST", {60, 0, 0, 127}), Ssnd(Ramp16(4))}), "AIFF: incorrect end-of-chunk position"});

	for (const Case& c : cases)
		EXPECT_EQ(ErrorOf(c.file), c.error) << c.what;
}

TEST(AiffReader, UncompressedDataIsCutToWholeFramesThatExist)
{
	// COMM claims 100 frames; only 3 and a half are there.
	AIFFSound s = ReadAIFF(Form("AIFF", {Comm(1, 100, 16, 22050), Ssnd(Bytes(7))}));
	EXPECT_EQ(s.info.frames, 3);
	EXPECT_EQ(s.info.compressedLength, 6);
	// Trailing bytes after the frames COMM gives are not played.
	s = ReadAIFF(Form("AIFF", {Comm(2, 2, 16, 22050), Ssnd(Bytes(40))}));
	EXPECT_EQ(s.info.decompressedLength, 8);
}

// Seeded mutations of valid files of every encoding: the reader and the
// decompression either succeed within the file or throw, never crash (run
// under the sanitizers to see overruns).
TEST(AiffReader, MutatedFilesNeverCrash)
{
	std::vector<Bytes> seeds;
	for (auto encoding : {Bake::AiffEncoding::Pcm16, Bake::AiffEncoding::Pcm8, Bake::AiffEncoding::Pcm16Sowt,
						  Bake::AiffEncoding::Ima4, Bake::AiffEncoding::ULaw, Bake::AiffEncoding::ALaw,
						  Bake::AiffEncoding::Mace3})
	{
		Bake::AiffSound sound = TestSound(2, 150);
		sound.loop = true;
		sound.loopStart = 10;
		sound.loopEnd = 140;
		seeds.push_back(Bake::WriteAiff(sound, encoding));
	}

	std::mt19937 rng(1234);
	int accepted = 0;
	for (int iteration = 0; iteration < 4000; iteration++)
	{
		Bytes file = seeds[size_t(iteration) % seeds.size()];
		int edits = 1 + int(rng() % 4);
		for (int e = 0; e < edits; e++)
		{
			size_t at = rng() % file.size();
			switch (rng() % 4)
			{
				case 0: file[at] = uint8_t(rng()); break;
				case 1: file[at] ^= uint8_t(1u << (rng() % 8)); break;
				case 2: file.resize(std::max<size_t>(1, at)); break;
				case 3: file[at] = (rng() & 1) ? 0xFF : 0x00; break;
			}
		}
		try
		{
			AIFFSound s = ReadAIFF(file);
			ASSERT_LE(s.dataOffset + s.dataLength, file.size());
			ASSERT_TRUE(s.info.channels == 1 || s.info.channels == 2);
			ASSERT_LE(s.info.loopEnd, s.info.isCompressed ? INT32_MAX : s.info.frames);
			Handle h = LoadAIFFAsSoundHandle(file);
			int32_t offset = 0;
			try
			{
				DecompressSoundHandle(&h, &offset);
			}
			catch (const std::exception&)
			{
			}
			DisposeHandle(h);
			accepted++;
		}
		catch (const std::exception&)
		{
		}
	}
	EXPECT_GT(accepted, 100);		// the mutations also reach the decoders
}
