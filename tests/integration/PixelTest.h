// The one fixture of the in-process pixel tests: a small window under the
// virtual display with the game's draw context, the baked Data folder, the
// managers a level's creatures and items need, a camera to place, one frame
// of every object drawn and read back, and the counts the tests make of it
// (pixels of a colour in a rectangle, the box round a silhouette). Colours
// are told apart by hue and saturation rather than by exact values, so a
// change of light, pose or shading does not break a check while a grey
// stand-in block, a missing model or a wrong material does.
#pragma once

#include "3D/Screenshot.h"
#include "System/Objects.h"

#include <gtest/gtest.h>

#include <functional>

// A rectangle of window pixels, y down, x1 and y1 excluded.
struct PixelRect
{
	int x0 = 0, y0 = 0, x1 = 0, y1 = 0;

	int Width() const { return x1 - x0; }
	int Height() const { return y1 - y0; }
	bool IsEmpty() const { return x1 <= x0 || y1 <= y0; }
};

using PixelColourTest = std::function<bool(int r, int g, int b)>;

// One frame read back from the window.
struct PixelFrame
{
	ScreenImage image;

	int Width() const { return image.width; }
	int Height() const { return image.height; }
	PixelRect Whole() const { return {0, 0, image.width, image.height}; }

	// Pixels of `rect` (clipped to the frame) that pass `test`.
	int Count(const PixelRect& rect, const PixelColourTest& test) const;
	// The smallest rectangle holding every pixel that passes `test`; empty when none does.
	PixelRect BoundsOf(const PixelColourTest& test) const;
	// Writes the frame as a PNG for a person to look at (false on failure).
	bool Write(const char* path) const;
};

// Colour tests.
namespace PixelColour
{
	// Hue in degrees (0 … 360) and saturation (0 … 1) of an 8-bit colour.
	float Hue(int r, int g, int b);
	float Saturation(int r, int g, int b);

	// Within `degrees` of the hue of `rgb` (0xRRGGBB), at least half as
	// saturated and not nearly black: the colour of a material under any light.
	PixelColourTest OfHue(uint32_t rgb, float degrees = 18);
	// Unsaturated and not dark: what a grey stand-in block looks like lit.
	bool IsGrey(int r, int g, int b);
	// Not within `tolerance` (sum over channels) of the frame's clear colour.
	PixelColourTest NotClear(int tolerance = 30);
}

// The fixture. Each test gets a fresh window of the size given to the
// constructor; tests without a DISPLAY are skipped.
class PixelTest : public ::testing::Test
{
public:
	// The clear colour every frame starts from (dark blue: no creature's own).
	static constexpr uint8_t CLEAR_R = 0, CLEAR_G = 0, CLEAR_B = 128;

protected:
	explicit PixelTest(int width = 160, int height = 120) : width(width), height(height) {}

	void SetUp() override;
	void TearDown() override;

	// The shared models and the level's own model file and skeletons, as the
	// level's row of the level table names them.
	static void LoadLevelModels(int level);

	// The camera (the default looks from the origin down −z).
	static void LookFromTo(const OGLPoint3D& from, const OGLPoint3D& to);

	// Draws every object once and reads the frame back.
	PixelFrame Render();

	// Stands `node` and the nodes chained to it at `where` (the ground is
	// y 0 here: the tests have no terrain), turned to `heading`.
	static void Place(ObjNode* node, const OGLPoint3D& where, float heading);

	const int width, height;

private:
	bool open = false;
};
