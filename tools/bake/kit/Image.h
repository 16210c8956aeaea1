// RGBA images and the procedural painters that draw the game's textures,
// sprites and icons. Row 0 is the top row (texture coordinate v = 0).
// Every painter is deterministic: noise takes an explicit seed.
#pragma once

#include "kit/KitMath.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Kit
{
	struct Image
	{
		int width = 0;
		int height = 0;
		std::vector<Rgba> pixels;		// row-major, top row first

		Image() = default;
		Image(int w, int h, Rgba fill = {0, 0, 0, 0});
		Rgba& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
		const Rgba& At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
		// Wraps coordinates (textures tile).
		const Rgba& Wrapped(int x, int y) const;
	};

	enum class Blend
	{
		OVER,		// alpha compositing
		ADD,		// colour added, alpha maxed (glows)
		MULTIPLY,	// colour multiplied (shading), alpha kept
		REPLACE,	// colour and alpha replaced where covered
		ERASE,		// alpha reduced by coverage (cut holes)
	};

	// Puts `color` at (x, y) with `coverage` 0..1 (anti-aliased edges).
	void Plot(Image& img, int x, int y, Rgba color, float coverage, Blend mode = Blend::OVER);

	// Whole-image painters. Those marked "tiles" wrap seamlessly.
	void Fill(Image& img, Rgba color);
	// Fractal value noise mixed between two colours (tiles). `cells` lattice
	// cells across the image at the first octave.
	void Noise(Image& img, Rgba a, Rgba b, int cells, int octaves, uint32_t seed, float contrast = 1.0f);
	// Noise as a multiplier of the existing pixels: 1 - amount … 1 (tiles).
	void Grunge(Image& img, float amount, int cells, uint32_t seed);
	// `count` stripes across (vertical = columns) or down, `duty` fraction of colour a (tiles).
	void Stripes(Image& img, Rgba a, Rgba b, int count, bool vertical, float duty = 0.5f);
	// Diagonal stripes (tiles when the image is square).
	void DiagonalStripes(Image& img, Rgba a, Rgba b, int count, float duty = 0.5f);
	void Checker(Image& img, Rgba a, Rgba b, int cellsX, int cellsY);
	void VerticalGradient(Image& img, Rgba top, Rgba bottom);
	void HorizontalGradient(Image& img, Rgba left, Rgba right);
	// Radial gradient from `inner` at the centre to `outer` at `radius` (pixels) and beyond.
	void RadialGradient(Image& img, float cx, float cy, float radius, Rgba inner, Rgba outer);
	// Metal panels: `cols` × `rows` plates with bevelled seams and optional
	// rivets in each plate's corners (tiles).
	void Panels(Image& img, Rgba base, int cols, int rows, float seam, bool rivets, uint32_t seed);
	// Bricks or tiles in a running bond (tiles).
	void Bricks(Image& img, Rgba brick, Rgba mortar, int cols, int rows, float mortarWidth, uint32_t seed);

	// Shapes (anti-aliased). Coordinates in pixels, y downward.
	void FillCircle(Image& img, float cx, float cy, float radius, Rgba color, Blend mode = Blend::OVER);
	void FillRing(Image& img, float cx, float cy, float inner, float outer, Rgba color, Blend mode = Blend::OVER);
	void FillRect(Image& img, float x0, float y0, float x1, float y1, Rgba color, Blend mode = Blend::OVER);
	void FillRoundedRect(Image& img, float x0, float y0, float x1, float y1, float radius, Rgba color, Blend mode = Blend::OVER);
	void FillPolygon(Image& img, const std::vector<Vec2>& points, Rgba color, Blend mode = Blend::OVER);
	void DrawLine(Image& img, float x0, float y0, float x1, float y1, float width, Rgba color, Blend mode = Blend::OVER);
	void FillStar(Image& img, float cx, float cy, int points, float outer, float inner, float rotation, Rgba color, Blend mode = Blend::OVER);
	// Soft round glow: alpha falls from the centre as (1 - d/radius)^power.
	void Glow(Image& img, float cx, float cy, float radius, Rgba color, float power = 2.0f, Blend mode = Blend::ADD);

	// Draws `src` scaled into the rectangle (x, y, w, h), bilinear, multiplied by `tint`.
	void DrawImage(Image& dst, const Image& src, float x, float y, float w, float h,
		Rgba tint = {255, 255, 255, 255}, Blend mode = Blend::OVER);

	// Filters.
	void BoxBlur(Image& img, int radius, bool wrap = false);
	// Adds a blurred, offset copy of the image's alpha under it.
	void DropShadow(Image& img, float dx, float dy, int blur, Rgba color);
	// Surrounds opaque parts with an outline of `width` pixels.
	void Outline(Image& img, float width, Rgba color);
	// Per-pixel function.
	void MapPixels(Image& img, const std::function<Rgba(int x, int y, Rgba old)>& fn);

	// Deterministic hash and value noise for painters and the baker.
	uint32_t Hash32(uint32_t x);
	float HashFloat(uint32_t x);		// 0 … 1
	// Tileable value noise at (x, y) in lattice units with the given period, 0 … 1.
	float ValueNoise(float x, float y, int period, uint32_t seed);
	float FractalNoise(float x, float y, int period, int octaves, uint32_t seed);
}
