// The terrain textures' LZSS: the baker's encoder against the game's
// decoder, hand-made streams for the window's initial spaces, and broken
// streams that must stop without writing past the destination.
#include "FilesTestSupport.h"
#include "Terrain/LZSS.h"
#include "Terrain/TerrainFile.h"
#include "formats/LZSSEncoder.h"
#include "Files.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace FilesTestSupport;

namespace
{
	std::vector<uint8_t> Decode(const std::vector<uint8_t>& stream, size_t capacity, size_t* produced)
	{
		std::vector<uint8_t> out(capacity + 64, 0xCD);		// a canary after the destination
		*produced = LZSS_DecodeBuffer(stream.data(), stream.size(), out.data(), capacity);
		return out;
	}

	std::vector<uint8_t> Sample(int kind, size_t size)
	{
		std::mt19937 rng(uint32_t(kind * 7919 + size));
		std::vector<uint8_t> v(size);
		for (size_t i = 0; i < size; i++)
			switch (kind)
			{
				case 0: v[i] = uint8_t(rng()); break;								// incompressible
				case 1: v[i] = uint8_t((i / 37) % 3); break;						// long runs
				case 2: v[i] = "ABCABDABCABE"[i % 12]; break;						// short repeats
				default: v[i] = uint8_t((rng() % 4 == 0) ? rng() : v[i ? i - 1 : 0]); break;	// runs with noise
			}
		return v;
	}
}

TEST(LZSS, EncoderOutputDecodesToItsInput)
{
	for (int kind = 0; kind < 4; kind++)
		for (size_t size : {size_t(0), size_t(1), size_t(17), size_t(4095), size_t(4097), size_t(32768), size_t(70000)})
		{
			std::vector<uint8_t> input = Sample(kind, size);
			std::vector<uint8_t> packed = TerrainBake::LZSSEncode(input);
			size_t produced = 0;
			std::vector<uint8_t> out = Decode(packed, size, &produced);
			ASSERT_EQ(produced, size) << "kind " << kind;
			EXPECT_TRUE(std::equal(input.begin(), input.end(), out.begin())) << "kind " << kind << " size " << size;
			if (kind == 1 && size > 1000)
			{
				EXPECT_LT(packed.size(), size / 4) << "long runs must compress";
			}
		}
}

TEST(LZSS, BackReferenceAtTheStartReadsTheWindowsSpaces)
{
	// Flag 0x02: match, literal, match, match.
	std::vector<uint8_t> stream = {
		0x02,
		0x00, 0x0F,		// position 0, length 18: the initial spaces (written on at 4078 … 4095)
		'x',			// written at ring position 0 (4096 wraps)
		100, 0x00,		// position 100, length 3: spaces not written over
		0x00, 0x00,		// position 0, length 3: the 'x' and the two bytes after it
	};
	size_t produced = 0;
	std::vector<uint8_t> out = Decode(stream, 64, &produced);
	ASSERT_EQ(produced, 25u);
	std::string text(out.begin(), out.begin() + 25);
	EXPECT_EQ(text, std::string(18, ' ') + "x   " + "x  ");
}

TEST(LZSS, EmptyAndTruncatedStreamsStopCleanly)
{
	size_t produced = 99;
	Decode({}, 32, &produced);
	EXPECT_EQ(produced, 0u);

	std::vector<uint8_t> input = Sample(1, 3000);
	std::vector<uint8_t> packed = TerrainBake::LZSSEncode(input);
	for (size_t cut : {size_t(1), size_t(2), packed.size() / 2, packed.size() - 1})
	{
		std::vector<uint8_t> part(packed.begin(), packed.begin() + long(cut));
		std::vector<uint8_t> out = Decode(part, input.size(), &produced);
		EXPECT_LT(produced, input.size());
		EXPECT_TRUE(std::equal(out.begin(), out.begin() + long(produced), input.begin())) << "a prefix decodes as it was";
	}
	// A flag byte whose match lost its second byte ends before the match.
	Decode({0x00, 0x12}, 32, &produced);
	EXPECT_EQ(produced, 0u);
}

TEST(LZSS, OverlongStreamNeverWritesPastTheDestination)
{
	std::vector<uint8_t> input = Sample(2, 200);
	std::vector<uint8_t> packed = TerrainBake::LZSSEncode(input);
	size_t produced = 0;
	std::vector<uint8_t> out = Decode(packed, 100, &produced);
	EXPECT_EQ(produced, 101u) << "more than the destination holds is reported as capacity + 1";
	EXPECT_TRUE(std::equal(out.begin(), out.begin() + 100, input.begin()));
	for (size_t i = 100; i < out.size(); i++)
		ASSERT_EQ(out[i], 0xCD) << "byte " << i << " past the destination was written";
}

TEST(LZSS, DecodesFromAnOpenFile)
{
	TempDir dir;
	Tamber::Files::Init();
	std::vector<uint8_t> texture = Sample(3, SUPERTILE_TEXTURE_BYTES);
	std::vector<uint8_t> packed = TerrainBake::LZSSEncode(texture);
	std::vector<uint8_t> file = {1, 2, 3};						// something before the stream
	file.insert(file.end(), packed.begin(), packed.end());
	WriteBytes(dir / "t.bin", file);

	FSSpec spec = Tamber::Files::HostPathToFSSpec(dir / "t.bin");
	int16_t ref = -1;
	ASSERT_EQ(FSpOpenDF(&spec, fsRdPerm, &ref), noErr);
	SetFPos(ref, fsFromStart, 3);
	std::vector<char> dest(SUPERTILE_TEXTURE_BYTES);
	EXPECT_EQ(LZSS_Decode(ref, dest.data(), int32_t(packed.size())), SUPERTILE_TEXTURE_BYTES);
	EXPECT_EQ(memcmp(dest.data(), texture.data(), texture.size()), 0);

	// A length that runs past the end of the file decodes what is there: short.
	SetFPos(ref, fsFromStart, 3 + int32_t(packed.size()) / 2);
	EXPECT_LT(LZSS_Decode(ref, dest.data(), int32_t(packed.size())), SUPERTILE_TEXTURE_BYTES);
	EXPECT_EQ(LZSS_Decode(ref, dest.data(), -5), 0);
	FSClose(ref);
	Tamber::Files::Shutdown();
}
