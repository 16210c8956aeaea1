// Screenshot files: PNGs come back pixel for pixel (rows top first, RGB in
// order), TGAs carry the same picture, the file name picks the format, and
// an image whose pixels don't match its size writes nothing.
#include "3D/Screenshot.h"
#include "FilesTestSupport.h"
#include "PNGFile.h"

#include <gtest/gtest.h>

using namespace FilesTestSupport;

namespace
{
	// Every pixel distinct, channels distinct, so a swapped row, column or
	// channel shows.
	ScreenImage Gradient(int width, int height)
	{
		ScreenImage image;
		image.width = width;
		image.height = height;
		for (int y = 0; y < height; y++)
			for (int x = 0; x < width; x++)
				image.pixels.insert(image.pixels.end(), {uint8_t(x * 7 + y), uint8_t(y * 13 + 1), uint8_t(x ^ (y * 3))});
		return image;
	}
}

TEST(ScreenshotPNG, RoundTripsEveryPixelInOrder)
{
	for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {37, 19}, {640, 3}})
	{
		ScreenImage original = Gradient(w, h);
		ScreenImage decoded;
		ASSERT_TRUE(DecodePNG(EncodePNG(original), &decoded)) << w << "x" << h;
		EXPECT_EQ(decoded.width, w);
		EXPECT_EQ(decoded.height, h);
		EXPECT_EQ(decoded.pixels, original.pixels) << w << "x" << h;
	}
}

TEST(ScreenshotPNG, AFlatFrameCompresses)
{
	// A frame of one colour (a fade, a clear screen) must not be stored raw.
	ScreenImage flat;
	flat.width = 320;
	flat.height = 200;
	flat.pixels.assign(size_t(320) * 200 * 3, 40);
	EXPECT_LT(EncodePNG(flat).size(), flat.pixels.size() / 20);
}

TEST(ScreenshotPNG, ImagesWhosePixelsDontFitTheirSizeGiveNoBytes)
{
	ScreenImage shortOfPixels = Gradient(4, 4);
	shortOfPixels.pixels.pop_back();
	EXPECT_TRUE(EncodePNG(shortOfPixels).empty());
	EXPECT_TRUE(EncodePNG(ScreenImage{}).empty());

	TempDir dir;
	EXPECT_FALSE(WriteScreenImage(shortOfPixels, (dir / "bad.png").string()));
	EXPECT_FALSE(fs::exists(dir / "bad.png"));
}

TEST(ScreenshotFile, TheExtensionPicksTheFormat)
{
	TempDir dir;
	ScreenImage image = Gradient(5, 3);
	for (const char* name : {"shot.png", "shot", "shot.TGA", "shot.tga"})
		ASSERT_TRUE(WriteScreenImage(image, (dir / name).string())) << name;

	ScreenImage decoded;
	ASSERT_TRUE(ReadPNGFile(dir / "shot.png", &decoded));
	EXPECT_EQ(decoded.pixels, image.pixels);
	ASSERT_TRUE(ReadPNGFile(dir / "shot", &decoded)) << "no extension: PNG";

	for (const char* name : {"shot.TGA", "shot.tga"})
	{
		std::vector<uint8_t> tga = ReadAll(dir / name);
		ASSERT_EQ(tga.size(), 18u + image.pixels.size()) << name;
		EXPECT_EQ(tga[2], 2) << "uncompressed true colour";
		EXPECT_EQ(tga[12] | tga[13] << 8, 5);
		EXPECT_EQ(tga[14] | tga[15] << 8, 3);
		EXPECT_EQ(tga[17] & 0x20, 0x20) << "top row first";
		// Pixels as B, G, R.
		for (size_t i = 0; i < image.pixels.size(); i += 3)
		{
			EXPECT_EQ(tga[18 + i], image.pixels[i + 2]);
			EXPECT_EQ(tga[18 + i + 2], image.pixels[i]);
		}
	}
}

TEST(ScreenshotFile, AnUnwritableFolderIsAFailure)
{
	TempDir dir;
	EXPECT_FALSE(WriteScreenImage(Gradient(2, 2), (dir / "missing" / "shot.png").string()));
}
