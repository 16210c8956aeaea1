// The baker's BG3D, TGA and font-metrics writers against byte fixtures
// written out by hand from the file formats (floats as their IEEE bit
// patterns), so the writers can't share a mistake with the game's readers.
#include "formats/BG3DWriter.h"
#include "formats/FontBaker.h"
#include "formats/TGAWriter.h"
#include "kit/Model.h"
#include "kit/Primitives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

using namespace Kit;

namespace
{
	using Bytes = std::vector<uint8_t>;

	// Appends big-endian words to a fixture.
	void BE(Bytes& b, std::initializer_list<uint32_t> words)
	{
		for (uint32_t w : words)
			b.insert(b.end(), {uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w)});
	}

	void Raw(Bytes& b, std::initializer_list<uint8_t> bytes) { b.insert(b.end(), bytes); }

	void Zeros(Bytes& b, size_t n) { b.insert(b.end(), n, 0); }

	const uint32_t F0 = 0, F1 = 0x3F800000, FHALF = 0x3F000000, FQUARTER = 0x3E800000;

	Mesh Triangle3()
	{
		Mesh m;
		m.AddVertex({0, 0, 0}, {0, 0, 1}, {0, 0}, {255, 0, 0, 255});
		m.AddVertex({1, 0, 0}, {0, 0, 1}, {1, 0}, {0, 255, 0, 255});
		m.AddVertex({0, 1, 0}, {0, 0, 1}, {0, 1}, {0, 0, 255, 128});
		m.AddTriangle(0, 1, 2);
		return m;
	}

	// The arrays of Triangle3 as stored.
	void Triangle3Arrays(Bytes& b)
	{
		BE(b, {6, F0, F0, F0, F1, F0, F0, F0, F1, F0});
		BE(b, {7, F0, F0, F1, F0, F0, F1, F0, F0, F1});
		BE(b, {8, F0, F0, F1, F0, F0, F1});
		BE(b, {9});
		Raw(b, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 128});
		BE(b, {10, 0, 1, 2});
	}

	Image TwoPixels()
	{
		Image img(2, 1);
		img.At(0, 0) = {255, 0, 0, 255};
		img.At(1, 0) = {0x0F, 0x10, 255, 127};
		return img;
	}
}

TEST(BakeBG3DWriter, MatchesHandWrittenFile)
{
	ModelFile file;
	Material textured = TextureMaterial(TwoPixels());
	textured.diffuse[1] = 0.5f;
	textured.diffuse[2] = 0.25f;
	file.AddMaterial(textured);
	Material glass = ColorMaterial(0.5f, MAT_ALWAYS_BLEND);
	glass.diffuse[0] = glass.diffuse[1] = glass.diffuse[2] = 0;
	file.AddMaterial(glass);
	file.models.push_back(MakeGroup({MakeGeometry(Triangle3(), 1)}));
	file.models.push_back(MakeGeometry(Triangle3(), -1));		// a bare top-level vertex array

	Bytes expected;
	Raw(expected, {'B', 'G', '3', 'D'});
	Zeros(expected, 16);
	// Material 0: flags, colour, a 2 × 1 texture in 1-5-5-5 words.
	BE(expected, {0, 0x01, 1, F1, FHALF, FQUARTER, F1});
	BE(expected, {2, 2, 1, 0x8366, 0x8057, 4});
	Zeros(expected, 16);
	Raw(expected, {0xFC, 0x00, 0x04, 0x5F});		// red opaque; then alpha below half, r 1 g 2 b 31
	// Material 1.
	BE(expected, {0, 0x02, 1, F0, F0, F0, FHALF});
	// Model 0: a group holding one vertex array with material 1.
	BE(expected, {3});
	BE(expected, {5, 0, 1, 1, 0, 0, 0, 0, 3, 1});
	Zeros(expected, 16);
	Triangle3Arrays(expected);
	BE(expected, {4});
	// Model 1: a bare vertex array without material.
	BE(expected, {5, 0, 0, 0, 0, 0, 0, 0, 3, 1});
	Zeros(expected, 16);
	Triangle3Arrays(expected);
	BE(expected, {11});

	Bytes written = Bake::WriteBG3D(file);
	ASSERT_EQ(written.size(), expected.size());
	EXPECT_EQ(written, expected);
}

TEST(BakeBG3DWriter, NestedGroupsCloseInOrder)
{
	ModelFile file;
	Node inner = MakeGroup({MakeGeometry(Triangle3(), -1)});
	file.models.push_back(MakeGroup({inner, MakeGroup({})}));
	Bytes b = Bake::WriteBG3D(file);
	// After the header: group, group, geometry …, end group, group, end group, end group, end file.
	auto word = [&](size_t offset) { return uint32_t(b[offset]) << 24 | b[offset + 1] << 16 | b[offset + 2] << 8 | b[offset + 3]; };
	EXPECT_EQ(word(20), 3u);
	EXPECT_EQ(word(24), 3u);
	EXPECT_EQ(word(28), 5u);
	size_t tail = b.size() - 20;
	EXPECT_EQ(word(tail), 4u);
	EXPECT_EQ(word(tail + 4), 3u);
	EXPECT_EQ(word(tail + 8), 4u);
	EXPECT_EQ(word(tail + 12), 4u);
	EXPECT_EQ(word(tail + 16), 11u);
}

TEST(BakeBG3DWriter, TextureEncodings)
{
	Bake::BG3DTexture rgb = Bake::EncodeBG3DTexture(TwoPixels(), TextureFormat::RGB8);
	EXPECT_EQ(rgb.srcPixelFormat, 0x1907);
	EXPECT_EQ(rgb.dstPixelFormat, 0x1907);
	EXPECT_EQ(rgb.pixels, (Bytes{255, 0, 0, 0x0F, 0x10, 255}));

	Bake::BG3DTexture packed = Bake::EncodeBG3DTexture(TwoPixels(), TextureFormat::RGB8_TO_1555);
	EXPECT_EQ(packed.srcPixelFormat, 0x1907);
	EXPECT_EQ(packed.dstPixelFormat, 0x8057);
	EXPECT_EQ(packed.pixels, rgb.pixels);

	Bake::BG3DTexture rgba = Bake::EncodeBG3DTexture(TwoPixels(), TextureFormat::RGBA8);
	EXPECT_EQ(rgba.srcPixelFormat, 0x1908);
	EXPECT_EQ(rgba.dstPixelFormat, 0x1908);
	EXPECT_EQ(rgba.pixels, (Bytes{255, 0, 0, 255, 0x0F, 0x10, 255, 127}));

	Image half(1, 1, {255, 255, 255, 128});
	Bake::BG3DTexture w = Bake::EncodeBG3DTexture(half, TextureFormat::ARGB1555);
	EXPECT_EQ(w.pixels, (Bytes{0xFF, 0xFF}));
}

TEST(BakeBG3DWriter, RefusesFilesTheGameCannotLoad)
{
	ModelFile file;
	file.models.push_back(MakeGeometry(Triangle3(), 0));		// no material 0
	EXPECT_THROW(Bake::WriteBG3D(file), std::logic_error);

	ModelFile many;
	int m = many.AddMaterial(ColorMaterial());
	for (int i = 0; i < 101; i++)
		many.models.push_back(MakeGeometry(Triangle3(), m));
	EXPECT_THROW(Bake::WriteBG3D(many), std::logic_error);

	ModelFile npot;
	npot.AddMaterial(TextureMaterial(Image(3, 4)));
	npot.models.push_back(MakeGeometry(Triangle3(), 0));
	EXPECT_THROW(Bake::WriteBG3D(npot), std::logic_error);
}

namespace
{
	Image Quad2x2()
	{
		Image img(2, 2);
		img.At(0, 0) = {255, 0, 0, 255};
		img.At(1, 0) = {0, 255, 0, 128};
		img.At(0, 1) = {0, 0, 255, 0};
		img.At(1, 1) = {255, 255, 255, 255};
		return img;
	}
}

TEST(BakeTGAWriter, TrueColour32TopDown)
{
	Bytes expected = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 0x28,
		0, 0, 255, 255, 0, 255, 0, 128, 255, 0, 0, 0, 255, 255, 255, 255};
	EXPECT_EQ(Bake::EncodeTGA(Quad2x2()), expected);
}

TEST(BakeTGAWriter, TrueColour24BottomUp)
{
	Bake::TgaOptions o;
	o.bpp = 24;
	o.topDown = false;
	Bytes expected = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0x00,
		255, 0, 0, 255, 255, 255,		// bottom row first
		0, 0, 255, 0, 255, 0};
	EXPECT_EQ(Bake::EncodeTGA(Quad2x2(), o), expected);
}

TEST(BakeTGAWriter, TrueColour16WithAlphaBit)
{
	Image img(2, 1);
	img.At(0, 0) = {255, 255, 255, 255};
	img.At(1, 0) = {255, 255, 255, 0};
	Bake::TgaOptions o;
	o.bpp = 16;
	Bytes expected = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 16, 0x21, 0xFF, 0xFF, 0xFF, 0x7F};
	EXPECT_EQ(Bake::EncodeTGA(img, o), expected);
}

TEST(BakeTGAWriter, RunLengthPackets)
{
	Image img(4, 1, {255, 0, 0, 255});
	img.At(3, 0) = {0, 255, 0, 255};
	Bake::TgaOptions o;
	o.rle = true;
	Bytes expected = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 1, 0, 32, 0x28,
		0x82, 0, 0, 255, 255,		// a run of three reds
		0x00, 0, 255, 0, 255};		// one literal green
	EXPECT_EQ(Bake::EncodeTGA(img, o), expected);

	Image mixed(3, 1);
	mixed.At(0, 0) = {1, 1, 1, 255};
	mixed.At(1, 0) = {2, 2, 2, 255};
	mixed.At(2, 0) = {3, 3, 3, 255};
	o.bpp = 24;
	Bytes literal = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 1, 0, 24, 0x20,
		0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3};
	EXPECT_EQ(Bake::EncodeTGA(mixed, o), literal);

	// Runs longer than 128 pixels split.
	Image longRun(130, 1, {7, 7, 7, 255});
	Bytes b = Bake::EncodeTGA(longRun, o);
	ASSERT_EQ(b.size(), 18u + 4 + 4);
	EXPECT_EQ(b[18], 0xFF);
	EXPECT_EQ(b[22], 0x81);
}

TEST(BakeTGAWriter, ColourMappedAndGrey)
{
	Image img(3, 1);
	img.At(0, 0) = {255, 0, 0, 255};
	img.At(1, 0) = {0, 255, 0, 255};
	img.At(2, 0) = {255, 0, 0, 255};
	Bake::TgaOptions mapped;
	mapped.kind = Bake::TgaKind::COLOR_MAPPED;
	Bytes expected = {0, 1, 1, 0, 0, 2, 0, 24, 0, 0, 0, 0, 3, 0, 1, 0, 8, 0x20,
		0, 0, 255, 0, 255, 0,		// palette: red, green (BGR)
		0, 1, 0};
	EXPECT_EQ(Bake::EncodeTGA(img, mapped), expected);

	mapped.rle = true;
	Bytes rle = Bake::EncodeTGA(img, mapped);
	EXPECT_EQ(rle[2], 9);
	EXPECT_EQ(Bytes(rle.begin() + 24, rle.end()), (Bytes{0x02, 0, 1, 0}));

	Bake::TgaOptions grey;
	grey.kind = Bake::TgaKind::GREY;
	Bytes g = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 1, 0, 8, 0x20, 76, 149, 76};
	EXPECT_EQ(Bake::EncodeTGA(img, grey), g);
}

TEST(BakeTGAWriter, RejectsWhatNoReaderTakes)
{
	Bake::TgaOptions o;
	o.bpp = 8;
	EXPECT_THROW(Bake::EncodeTGA(Quad2x2(), o), std::invalid_argument);
	EXPECT_THROW(Bake::EncodeTGA(Image()), std::invalid_argument);
	Image colourful(300, 1);
	for (int x = 0; x < 300; x++)
		colourful.At(x, 0) = {uint8_t(x), uint8_t(x >> 8), 0, 255};
	Bake::TgaOptions mapped;
	mapped.kind = Bake::TgaKind::COLOR_MAPPED;
	EXPECT_THROW(Bake::EncodeTGA(colourful, mapped), std::invalid_argument);
}

TEST(BakeFontMetrics, FormatMatchesTheMetricsFileLayout)
{
	Bake::BakedFont font;
	font.pixelSize = 64;
	font.lineHeight = 75;
	font.glyphs.push_back({32, 0, 0, 0, 0, 0, 0, 22});
	font.glyphs.push_back({65, 10, 20, 30, 40, -1.5f, 12.25f, 33});
	font.glyphs.push_back({0x20AC, 100, 200, 50, 60, 2, 3, 40.5f});
	std::string expected =
		"Zappatron font metrics: DejaVu Sans Bold\n"
		"64 75.000\n"
		"codepoint x y width height xoffset yoffset xadvance\n"
		"3\n"
		"32 0 0 0 0 0.000 0.000 22.000\n"
		"65 10 20 30 40 -1.500 12.250 33.000\n"
		"8364 100 200 50 60 2.000 3.000 40.500\n"
		"end\n";
	EXPECT_EQ(Bake::FormatFontMetrics(font), expected);
}

TEST(BakeFontMetrics, CharacterSetCoversTheSixLanguages)
{
	std::vector<uint32_t> cps = Bake::FontCodePoints();
	EXPECT_TRUE(std::is_sorted(cps.begin(), cps.end()));
	EXPECT_EQ(std::adjacent_find(cps.begin(), cps.end()), cps.end());
	for (uint32_t c : {0x20u, 0x23u, 0x3Fu, 0x30u, 0x39u, 0x7Cu, 0xE9u, 0xDFu, 0xF1u, 0xBFu, 0xE5u, 0x152u, 0x153u, 0x20ACu, 0x2019u, 0x201Cu, 0x2026u})
		EXPECT_TRUE(std::binary_search(cps.begin(), cps.end(), c)) << std::hex << c;
	EXPECT_LT(cps.back(), 0x10000u);
}
