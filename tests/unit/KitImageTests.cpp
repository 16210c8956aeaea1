// The kit's painters: blending, anti-aliased shapes, tiling noise and the
// preview rasteriser.
#include "kit/Frames.h"
#include "kit/Image.h"
#include "kit/Model.h"
#include "kit/Preview.h"
#include "kit/Primitives.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Kit;

namespace
{
	double AlphaSum(const Image& img)
	{
		double sum = 0;
		for (const Rgba& p : img.pixels)
			sum += p.a / 255.0;
		return sum;
	}
}

TEST(KitImage, BlendModes)
{
	Image img(1, 1, {0, 0, 255, 255});
	Plot(img, 0, 0, {255, 0, 0, 255}, 0.5f);				// over: half red on blue
	EXPECT_NEAR(img.At(0, 0).r, 128, 1);
	EXPECT_NEAR(img.At(0, 0).b, 127, 1);
	EXPECT_EQ(img.At(0, 0).a, 255);

	Image clear(1, 1);
	Plot(clear, 0, 0, {255, 255, 255, 255}, 0.25f);		// over nothing: colour kept, alpha = coverage
	EXPECT_EQ(clear.At(0, 0).r, 255);
	EXPECT_NEAR(clear.At(0, 0).a, 64, 1);

	Image add(1, 1, {200, 10, 0, 100});
	Plot(add, 0, 0, {100, 100, 100, 255}, 1, Blend::ADD);
	EXPECT_EQ(add.At(0, 0).r, 255);						// clamped, not wrapped
	EXPECT_EQ(add.At(0, 0).g, 110);
	EXPECT_EQ(add.At(0, 0).a, 255);

	Image mul(1, 1, {200, 200, 200, 255});
	Plot(mul, 0, 0, {128, 255, 0, 255}, 1, Blend::MULTIPLY);
	EXPECT_NEAR(mul.At(0, 0).r, 100, 1);
	EXPECT_EQ(mul.At(0, 0).g, 200);
	EXPECT_EQ(mul.At(0, 0).b, 0);

	Image erase(1, 1, {9, 9, 9, 200});
	Plot(erase, 0, 0, {0, 0, 0, 255}, 0.5f, Blend::ERASE);
	EXPECT_EQ(erase.At(0, 0).a, 100);

	// Off-image plots are ignored.
	Plot(erase, -1, 5, {0, 0, 0, 255}, 1);
}

TEST(KitImage, ShapesCoverTheirArea)
{
	Image circle(64, 64);
	FillCircle(circle, 32, 32, 20, {255, 255, 255, 255});
	EXPECT_NEAR(AlphaSum(circle), 3.14159 * 400, 3.14159 * 400 * 0.01);
	EXPECT_EQ(circle.At(32, 32).a, 255);
	EXPECT_EQ(circle.At(0, 0).a, 0);

	Image ring(64, 64);
	FillRing(ring, 32, 32, 10, 20, {255, 255, 255, 255});
	EXPECT_NEAR(AlphaSum(ring), 3.14159 * 300, 3.14159 * 300 * 0.02);
	EXPECT_EQ(ring.At(32, 32).a, 0);

	Image poly(64, 64);
	FillPolygon(poly, {{10, 10}, {50, 10}, {50, 40}, {10, 40}}, {255, 255, 255, 255});
	EXPECT_NEAR(AlphaSum(poly), 1200, 12);

	Image rect(64, 64);
	FillRect(rect, 10.5f, 10, 20.5f, 20, {255, 255, 255, 255});
	EXPECT_NEAR(AlphaSum(rect), 100, 1);
	EXPECT_NEAR(rect.At(10, 15).a, 128, 2);				// half-covered edge pixel
}

TEST(KitImage, NoiseTilesAndIsDeterministic)
{
	for (uint32_t seed : {1u, 77u})
		for (float y : {0.0f, 1.3f, 3.7f})
		{
			EXPECT_FLOAT_EQ(ValueNoise(0, y, 4, seed), ValueNoise(4, y, 4, seed));
			EXPECT_FLOAT_EQ(FractalNoise(0.25f, y, 4, 3, seed), FractalNoise(4.25f, y, 4, 3, seed));
		}
	Image a(32, 32), b(32, 32);
	Noise(a, {0, 0, 0, 255}, {255, 255, 255, 255}, 4, 3, 9);
	Noise(b, {0, 0, 0, 255}, {255, 255, 255, 255}, 4, 3, 9);
	EXPECT_EQ(a.pixels, b.pixels);
	Image c(32, 32);
	Noise(c, {0, 0, 0, 255}, {255, 255, 255, 255}, 4, 3, 10);
	EXPECT_NE(a.pixels, c.pixels);

	// Across the wrap the noise is as smooth as anywhere else.
	double wrapStep = 0, innerStep = 0;
	for (int y = 0; y < 32; y++)
	{
		wrapStep += std::abs(a.At(31, y).r - a.At(0, y).r);
		innerStep += std::abs(a.At(15, y).r - a.At(16, y).r);
	}
	EXPECT_LT(wrapStep, innerStep * 3 + 32);
}

TEST(KitImage, StripesAndCheckerPattern)
{
	Image s(16, 4);
	Stripes(s, {255, 255, 255, 255}, {0, 0, 0, 255}, 2, true);
	EXPECT_EQ(s.At(1, 0).r, 255);		// periods of 8 pixels, the first half colour a
	EXPECT_EQ(s.At(5, 0).r, 0);
	EXPECT_EQ(s.At(10, 0).r, 255);
	EXPECT_EQ(s.At(13, 0).r, 0);
	EXPECT_EQ(s.At(9, 2).r, s.At(9, 3).r);

	Image c(4, 4);
	Checker(c, {255, 0, 0, 255}, {0, 255, 0, 255}, 2, 2);
	EXPECT_EQ(c.At(0, 0).r, 255);
	EXPECT_EQ(c.At(2, 0).g, 255);
	EXPECT_EQ(c.At(2, 2).r, 255);
}

TEST(KitImage, DrawImageScalesAndTints)
{
	Image src(2, 2, {255, 255, 255, 255});
	Image dst(8, 8);
	DrawImage(dst, src, 2, 2, 4, 4, {255, 0, 0, 255});
	EXPECT_EQ(dst.At(3, 3).r, 255);
	EXPECT_EQ(dst.At(3, 3).g, 0);
	EXPECT_EQ(dst.At(3, 3).a, 255);
	EXPECT_EQ(dst.At(0, 0).a, 0);
	EXPECT_EQ(dst.At(7, 7).a, 0);
}

TEST(KitImage, OutlineAndBlurKeepColourOfClearPixels)
{
	Image img(16, 16);
	FillCircle(img, 8, 8, 3, {255, 255, 255, 255});
	Image blurred = img;
	BoxBlur(blurred, 2);
	// Premultiplied blur: no dark fringe from the clear black around the dot.
	EXPECT_EQ(blurred.At(8, 4).r, 255);
	EXPECT_GT(blurred.At(8, 4).a, 0);
	Outline(img, 2, {0, 0, 0, 255});
	EXPECT_EQ(img.At(8, 4).r, 0);				// the rim
	EXPECT_GT(img.At(8, 4).a, 200);
	EXPECT_EQ(img.At(8, 8).r, 255);			// the shape stays on top
}

TEST(KitPreview, RendersVisibleFrontFacesOnly)
{
	ModelFile file;
	int mat = file.AddMaterial(ColorMaterial());
	Mesh box = Box({10, 10, 10});
	SetColor(box, {255, 0, 0, 255});
	file.models.push_back(MakeGroup({MakeGeometry(box, mat)}));
	Image tile = RenderModel(file, file.models[0], 64);
	EXPECT_EQ(tile.At(32, 32).a, 255);
	EXPECT_GT(tile.At(32, 32).r, 60);
	EXPECT_EQ(tile.At(32, 32).g, 0);
	EXPECT_EQ(tile.At(0, 0).a, 0);

	// Back faces are culled: a panel facing away (+z, the model's back) is
	// invisible, the same panel turned to the front is drawn.
	ModelFile panel;
	int pm = panel.AddMaterial(ColorMaterial());
	panel.models.push_back(MakeGeometry(Quad(10, 10), pm));
	EXPECT_EQ(AlphaSum(RenderModel(panel, panel.models[0], 32)), 0);
	Rotate(panel.models[0].mesh, {0, PI, 0});
	EXPECT_GT(AlphaSum(RenderModel(panel, panel.models[0], 32)), 100);

	Image sheet = ModelContactSheet(file, 32, 4);
	EXPECT_EQ(sheet.width, 32);
	EXPECT_EQ(sheet.height, 32);
}

TEST(KitImage, PanelFramesHaveOutlineRimAndAFaceWhoseAlphaTheStyleChooses)
{
	const Rgba top = {200, 0, 0, 100}, bottom = {0, 0, 200, 100}, rim = {0, 255, 0, 255};
	for (bool faceAlpha : {true, false})
	{
		Image img(64, 64);
		PaintPanelFrame(img, 2, 10, top, bottom, rim, {.faceInset = 8, .faceAlpha = faceAlpha});
		EXPECT_EQ(img.At(0, 32).a, 0) << "outside the inset stays clear";
		EXPECT_EQ(img.At(3, 32).r, 10) << "the outline";
		EXPECT_EQ(img.At(7, 32).g, 255) << "the rim";
		const Rgba high = img.At(32, 12), low = img.At(32, 52);
		EXPECT_GT(high.r, low.r) << "the face shades from top to bottom";
		EXPECT_LT(high.b, low.b);
		EXPECT_EQ(img.At(32, 32).a, faceAlpha ? 100 : 255);
	}
}
