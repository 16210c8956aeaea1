#include "kit/Art.h"

#include <algorithm>
#include <cmath>

namespace Kit::Art
{
	Image MetalPanels(int size, int plates, uint32_t seed)
	{
		Image img(size, size);
		Panels(img, {214, 218, 226, 255}, plates, plates, std::max(1.0f, size / 96.0f), true, seed);
		Grunge(img, 0.12f, 4, seed + 7);
		return img;
	}

	Image PlainSurface(int size, uint32_t seed)
	{
		Image img(size, size);
		Noise(img, {226, 228, 232, 255}, {255, 255, 255, 255}, 4, 3, seed);
		return img;
	}

	Image HazardStripes(int size, int count)
	{
		Image img(size, size);
		DiagonalStripes(img, HAZARD_YELLOW, HAZARD_BLACK, count);
		Grunge(img, 0.15f, 4, 91);
		return img;
	}

	Image Treads(int size, int bars)
	{
		Image img(size, size);
		Fill(img, {120, 124, 134, 255});
		float step = float(size) / bars;
		for (int i = 0; i < bars; i++)
		{
			float y = i * step;
			FillRect(img, 0, y + step * 0.2f, float(size), y + step * 0.6f, {190, 196, 206, 255});
			FillRect(img, 0, y + step * 0.6f, float(size), y + step * 0.72f, {70, 72, 80, 255});
		}
		Grunge(img, 0.18f, 4, 55);
		return img;
	}

	Image GlowBands(int width, int height, int streaks, bool fade, uint32_t seed)
	{
		Image img(width, height);
		for (int y = 0; y < height; y++)
			for (int x = 0; x < width; x++)
			{
				float u = float(x) / width;
				float v = float(y) / height;
				// Bright streaks around the circumference, soft between them.
				float s = 0.5f + 0.5f * std::sin(u * streaks * 2 * PI);
				float n = FractalNoise(u * 8, v * 4, 8, 2, seed);
				float bright = 0.35f + 0.45f * std::pow(s, 3.0f) + 0.2f * n;
				float alpha = bright * (fade ? std::pow(1 - v, 0.7f) : 1.0f);
				img.At(x, y) = RgbaF(1, 1, 1, std::clamp(alpha, 0.0f, 1.0f));
			}
		return img;
	}

	Material Opaque(Image texture, uint32_t extraFlags)
	{
		return TextureMaterial(std::move(texture), TextureFormat::ARGB1555, extraFlags);
	}

	Material Glowing(Image texture, float alpha, uint32_t extraFlags)
	{
		Material m = TextureMaterial(std::move(texture), TextureFormat::RGBA8, MAT_ALWAYS_BLEND | extraFlags);
		m.diffuse[3] = alpha;
		return m;
	}
}
