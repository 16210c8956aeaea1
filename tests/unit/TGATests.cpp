// The TGA decoder: every kind of image the baker's writer makes, converted
// and unconverted, and malformed files, which must fail cleanly.
#include "3D/TGA.h"
#include "System/Error.h"
#include "FilesTestSupport.h"
#include "Memory.h"
#include "formats/TGAWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace FilesTestSupport;

namespace
{
	// A small image with every channel varying and a few alpha levels.
	Kit::Image TestImage(int w = 5, int h = 3)
	{
		Kit::Image img(w, h);
		for (int y = 0; y < h; y++)
			for (int x = 0; x < w; x++)
				img.At(x, y) = {uint8_t(x * 50 + 3), uint8_t(y * 90 + 7), uint8_t((x + y) * 30), uint8_t(x == 0 ? 0 : 255 - y * 40)};
		img.At(2, 1) = img.At(3, 1);		// a run for the RLE packets
		return img;
	}

	// What a pixel becomes after going through the file in the given form.
	Kit::Rgba Expected(Kit::Rgba p, const Bake::TgaOptions& o)
	{
		auto widen5 = [](uint8_t c) { return uint8_t((c >> 3) * 255 / 31); };
		int depth = o.kind == Bake::TgaKind::COLOR_MAPPED ? o.paletteBits : o.bpp;
		if (o.kind == Bake::TgaKind::GREY)
		{
			uint8_t v = uint8_t((p.r * 77 + p.g * 150 + p.b * 29) >> 8);
			return {v, v, v, 255};
		}
		switch (depth)
		{
			case 16: return {widen5(p.r), widen5(p.g), widen5(p.b), uint8_t(p.a >= 128 ? 255 : 0)};
			case 24: return {p.r, p.g, p.b, 255};
			default: return p;
		}
	}

	std::vector<uint8_t> Decode(const std::vector<uint8_t>& file, bool convert, TGAHeader* header,
			TGAStatus expected = TGAStatus::OK, TGAError* error = nullptr)
	{
		std::vector<uint8_t> pixels;
		TGAError e;
		TGAStatus status = TGA_Decode(file.data(), file.size(), convert, header, &pixels, &e);
		EXPECT_EQ(int(status), int(expected)) << e.function << ": " << e.expression;
		if (error)
			*error = e;
		return pixels;
	}

	// The reason a malformed file was refused.
	std::string Refusal(const std::vector<uint8_t>& file)
	{
		TGAHeader header;
		TGAError error;
		Decode(file, true, &header, TGAStatus::MALFORMED, &error);
		return error.expression;
	}

	std::vector<uint8_t> Header(uint8_t type, int w, int h, int bpp, uint8_t descriptor = 0x20,
			int paletteCount = 0, int paletteBits = 0)
	{
		return {0, uint8_t(type == 1 || type == 9), type, 0, 0, uint8_t(paletteCount), uint8_t(paletteCount >> 8),
			uint8_t(paletteBits), 0, 0, 0, 0, uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8),
			uint8_t(bpp), descriptor};
	}

	struct TgaForm
	{
		const char* name;
		Bake::TgaOptions options;
	};

	Bake::TgaOptions Form(Bake::TgaKind kind, int bits, bool rle, bool topDown)
	{
		Bake::TgaOptions o;
		o.kind = kind;
		if (kind == Bake::TgaKind::COLOR_MAPPED)
			o.paletteBits = bits;
		else
			o.bpp = bits;
		o.rle = rle;
		o.topDown = topDown;
		return o;
	}

	class TGARoundTrip : public ::testing::TestWithParam<TgaForm> {};

	TEST_P(TGARoundTrip, ConvertsToRGBATopRowFirst)
	{
		const Bake::TgaOptions& o = GetParam().options;
		Kit::Image image = TestImage();
		TGAHeader header;
		std::vector<uint8_t> rgba = Decode(Bake::EncodeTGA(image, o), true, &header);

		EXPECT_EQ(header.imageType, TGA_IMAGETYPE_CONVERTED_RGBA);
		EXPECT_EQ(header.bpp, 32);
		EXPECT_EQ(header.width, image.width);
		EXPECT_EQ(header.height, image.height);
		EXPECT_TRUE(header.imageDescriptor & TGA_DESCRIPTOR_TOPDOWN);
		ASSERT_EQ(rgba.size(), size_t(image.width * image.height * 4));
		for (int y = 0; y < image.height; y++)
			for (int x = 0; x < image.width; x++)
			{
				Kit::Rgba want = Expected(image.At(x, y), o);
				const uint8_t* got = &rgba[size_t(y * image.width + x) * 4];
				EXPECT_EQ((std::vector<int>{got[0], got[1], got[2], got[3]}), (std::vector<int>{want.r, want.g, want.b, want.a}))
					<< "pixel " << x << "," << y;
			}
	}

	INSTANTIATE_TEST_SUITE_P(EveryForm, TGARoundTrip, ::testing::Values(
		TgaForm{"TrueColor32", Form(Bake::TgaKind::TRUE_COLOR, 32, false, true)},
		TgaForm{"TrueColor32Rle", Form(Bake::TgaKind::TRUE_COLOR, 32, true, true)},
		TgaForm{"TrueColor32BottomUp", Form(Bake::TgaKind::TRUE_COLOR, 32, false, false)},
		TgaForm{"TrueColor24BottomUpRle", Form(Bake::TgaKind::TRUE_COLOR, 24, true, false)},
		TgaForm{"TrueColor24", Form(Bake::TgaKind::TRUE_COLOR, 24, false, true)},
		TgaForm{"TrueColor16", Form(Bake::TgaKind::TRUE_COLOR, 16, false, true)},
		TgaForm{"TrueColor16RleBottomUp", Form(Bake::TgaKind::TRUE_COLOR, 16, true, false)},
		TgaForm{"Grey", Form(Bake::TgaKind::GREY, 8, false, true)},
		TgaForm{"GreyRleBottomUp", Form(Bake::TgaKind::GREY, 8, true, false)},
		TgaForm{"ColorMapped", Form(Bake::TgaKind::COLOR_MAPPED, 24, false, true)},
		TgaForm{"ColorMappedRleBottomUp", Form(Bake::TgaKind::COLOR_MAPPED, 24, true, false)}),
		[](const ::testing::TestParamInfo<TgaForm>& info) { return std::string(info.param.name); });

	TEST(TGA, BottomUp24BitIsFlippedAndSwizzled)
	{
		// 2 × 2, rows stored bottom row first, pixels B, G, R.
		std::vector<uint8_t> file = Header(2, 2, 2, 24, 0x00);
		file.insert(file.end(), {1, 2, 3, 4, 5, 6,  7, 8, 9, 10, 11, 12});		// bottom row, then top row
		TGAHeader header;
		std::vector<uint8_t> rgba = Decode(file, true, &header);
		EXPECT_EQ(rgba, (std::vector<uint8_t>{9, 8, 7, 255, 12, 11, 10, 255, 3, 2, 1, 255, 6, 5, 4, 255}));

		std::vector<uint8_t> raw = Decode(file, false, &header);
		EXPECT_EQ(header.imageType, TGA_IMAGETYPE_TRUECOLOR);
		EXPECT_EQ(header.bpp, 24);
		EXPECT_EQ(raw, (std::vector<uint8_t>{7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}));
	}

	TEST(TGA, ColorMappedWithoutConversionBecomes24BitTrueColor)
	{
		std::vector<uint8_t> file = Header(9, 3, 1, 8, 0x20, 2, 24);
		file.insert(file.end(), {10, 20, 30, 40, 50, 60});		// palette, B G R
		file.insert(file.end(), {0x81, 1, 0x00, 0});				// run of two of colour 1, then colour 0
		TGAHeader header;
		std::vector<uint8_t> raw = Decode(file, false, &header);
		EXPECT_EQ(header.imageType, TGA_IMAGETYPE_TRUECOLOR);
		EXPECT_EQ(header.bpp, 24);
		EXPECT_EQ(raw, (std::vector<uint8_t>{40, 50, 60, 40, 50, 60, 10, 20, 30}));
	}

	TEST(TGA, SixteenBitAlphaFollowsTheAlphaBitCount)
	{
		for (uint8_t alphaBits : {0, 1})
		{
			std::vector<uint8_t> file = Header(2, 2, 1, 16, uint8_t(0x20 | alphaBits));
			file.insert(file.end(), {0xFF, 0x7F, 0xFF, 0xFF});		// 0x7FFF, 0xFFFF
			TGAHeader header;
			std::vector<uint8_t> rgba = Decode(file, true, &header);
			uint8_t clearAlpha = alphaBits ? 0 : 255;
			EXPECT_EQ(rgba, (std::vector<uint8_t>{255, 255, 255, clearAlpha, 255, 255, 255, 255})) << int(alphaBits);
		}
	}

	TEST(TGA, UnlistedTypesAndShortHeadersAreReportedNotFatal)
	{
		TGAHeader header;
		for (uint8_t type : {0, 4, 8, 12, 32, 255})
			Decode(Header(type, 1, 1, 32), true, &header, TGAStatus::UNSUPPORTED_TYPE);
		std::vector<uint8_t> file = Header(2, 1, 1, 32);
		file.resize(17);
		Decode(file, true, &header, TGAStatus::SHORT_HEADER);
	}

	TEST(TGA, MalformedHeadersAreRefusedBeforeAnyAllocation)
	{
		EXPECT_EQ(Refusal(Header(2, 65535, 65535, 32)), "header.width <= TGA_MAX_DIMENSION && header.height <= TGA_MAX_DIMENSION");
		EXPECT_EQ(Refusal(Header(10, 8000, 8000, 32)), "pixelCount <= compressedLength * 128");
		EXPECT_EQ(Refusal(Header(2, 0, 4, 32)), "header.width > 0 && header.height > 0");
		EXPECT_EQ(Refusal(Header(2, 4, 4, 15)), "header.bpp == 8 || header.bpp == 16 || header.bpp == 24 || header.bpp == 32");
		EXPECT_EQ(Refusal(Header(1, 4, 4, 16, 0x20, 2, 24)), "8 == header.bpp");
		EXPECT_EQ(Refusal(Header(1, 1, 1, 8, 0x20, 257, 24)), "paletteColorCount <= 256");

		std::vector<uint8_t> withId = Header(2, 1, 1, 32);
		withId[0] = 4;
		EXPECT_EQ(Refusal(withId), "header.idFieldLength == 0");

		std::vector<uint8_t> paletteOrigin = Header(1, 1, 1, 8, 0x20, 1, 24);
		paletteOrigin[3] = 1;
		EXPECT_EQ(Refusal(paletteOrigin), "header.paletteOriginLo == 0 && header.paletteOriginHi == 0");

		// A palette longer than the file.
		EXPECT_EQ(Refusal(Header(1, 1, 1, 8, 0x20, 200, 24)), "paletteBytes <= size - pos");
	}

	TEST(TGA, MalformedPixelDataIsRefused)
	{
		// The last packet would make 4 pixels of a 3-pixel image.
		std::vector<uint8_t> overrun = Header(10, 3, 1, 24);
		overrun.insert(overrun.end(), {0x83, 1, 2, 3});
		EXPECT_EQ(Refusal(overrun), "pixelsProcessed + packetLength <= pixelCount");

		std::vector<uint8_t> runCut = Header(10, 3, 1, 24);
		runCut.insert(runCut.end(), {0x82, 1, 2});
		EXPECT_EQ(Refusal(runCut), "bytesPerPixel <= compressedLength - pos");

		std::vector<uint8_t> literalCut = Header(10, 3, 1, 24);
		literalCut.insert(literalCut.end(), {0x02, 1, 2, 3, 4, 5, 6});
		EXPECT_EQ(Refusal(literalCut), "packetBytes <= compressedLength - pos");

		std::vector<uint8_t> packetsEnd = Header(10, 3, 1, 24);
		packetsEnd.insert(packetsEnd.end(), {0x81, 1, 2, 3});
		EXPECT_EQ(Refusal(packetsEnd), "pos < compressedLength");

		std::vector<uint8_t> sixteenBitPalette = Header(1, 1, 1, 8, 0x20, 1, 16);
		sixteenBitPalette.insert(sixteenBitPalette.end(), {0xFF, 0x7F, 0});
		EXPECT_EQ(Refusal(sixteenBitPalette), "bytesPerColor == 3");

		std::vector<uint8_t> badIndex = Header(1, 2, 1, 8, 0x20, 1, 24);
		badIndex.insert(badIndex.end(), {1, 2, 3, 0, 1});
		EXPECT_EQ(Refusal(badIndex), "colorIndex < paletteColorCount");

		std::vector<uint8_t> shortRaw = Header(2, 2, 2, 32);
		shortRaw.resize(shortRaw.size() + 15);
		EXPECT_EQ(Refusal(shortRaw), "pixelDataLength <= size - pos");
	}

	TEST(TGA, EveryTruncationFailsCleanly)
	{
		for (const Bake::TgaOptions& o : {Form(Bake::TgaKind::TRUE_COLOR, 32, true, false),
				Form(Bake::TgaKind::COLOR_MAPPED, 24, true, true), Form(Bake::TgaKind::TRUE_COLOR, 24, false, true)})
		{
			std::vector<uint8_t> file = Bake::EncodeTGA(TestImage(9, 7), o);
			for (size_t n = 0; n < file.size(); n++)
			{
				std::vector<uint8_t> cut(file.begin(), file.begin() + long(n));
				std::vector<uint8_t> pixels;
				TGAHeader header;
				TGAError error;
				TGAStatus status = TGA_Decode(cut.data(), cut.size(), true, &header, &pixels, &error);
				EXPECT_NE(int(status), int(TGAStatus::OK)) << "cut at " << n;
				EXPECT_TRUE(pixels.empty());
			}
		}
	}

	//
	// Reading files
	//

	class TGAFileTest : public FileLayerTest
	{
	protected:
		FSSpec Write(const char* name, const std::vector<uint8_t>& bytes)
		{
			WriteBytes(dir / name, bytes);
			return Spec((std::string(":") + name).c_str());
		}
	};

	TEST_F(TGAFileTest, ReadsIntoABlockTheCallerFrees)
	{
		Kit::Image image = TestImage();
		FSSpec spec = Write("sprite.tga", Bake::EncodeSpriteTGA(image));
		Ptr pixels = nullptr;
		TGAHeader header;
		ASSERT_EQ(ReadTGA(&spec, &pixels, &header, true), noErr);
		ASSERT_NE(pixels, nullptr);
		EXPECT_EQ(GetPtrSize(pixels), image.width * image.height * 4);
		EXPECT_EQ(uint8_t(pixels[4 * 7 + 0]), image.At(2, 1).r);
		EXPECT_EQ(uint8_t(pixels[4 * 7 + 3]), image.At(2, 1).a);
		DisposePtr(pixels);
	}

	TEST_F(TGAFileTest, ReportsMissingShortAndUnlistedFiles)
	{
		Ptr pixels = nullptr;
		TGAHeader header;
		FSSpec missing = Spec(":missing.tga", fnfErr);
		EXPECT_EQ(ReadTGA(&missing, &pixels, &header, true), fnfErr);

		FSSpec shortFile = Write("short.tga", {0, 0, 2, 0});
		EXPECT_EQ(ReadTGA(&shortFile, &pixels, &header, true), eofErr);

		FSSpec unlisted = Write("mono.tga", Header(32, 1, 1, 8));
		EXPECT_EQ(ReadTGA(&unlisted, &pixels, &header, true), TGA_ERR_UNSUPPORTED_TYPE);
		EXPECT_EQ(pixels, nullptr);
	}

	TEST_F(TGAFileTest, MalformedContentStopsWithTheCheckAndTheFileName)
	{
		std::vector<uint8_t> bytes = Header(10, 3, 1, 24);
		bytes.insert(bytes.end(), {0x83, 1, 2, 3});
		FSSpec spec = Write("broken.tga", bytes);
		Ptr pixels = nullptr;
		TGAHeader header;
		EXPECT_THROW(ReadTGA(&spec, &pixels, &header, true), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("pixelsProcessed + packetLength <= pixelCount"), std::string::npos) << gLastFatalMessage;
		EXPECT_NE(gLastFatalMessage.find("broken.tga"), std::string::npos) << gLastFatalMessage;
		EXPECT_EQ(pixels, nullptr);
	}
}
