// The level skies: one tiling sky image per level (image 0 of the level's own
// sprite set), painted in that level's palette. The game repeats it across a
// sheet overhead and scrolls it slowly, so every image tiles seamlessly.
#include "sprites/BakeSkies.h"
#include "kit/Image.h"
#include "System/Game.h"

#include <algorithm>
#include <cmath>

namespace Skies
{
	using namespace Kit;

	namespace
	{
		constexpr int SIZE = 256;

		// Tiling fractal noise, 0 … 1 per pixel.
		std::vector<float> NoiseField(int cells, int octaves, uint32_t seed)
		{
			Image img(SIZE, SIZE);
			Noise(img, {0, 0, 0, 255}, {255, 255, 255, 255}, cells, octaves, seed);
			std::vector<float> field(size_t(SIZE) * SIZE);
			for (int i = 0; i < SIZE * SIZE; i++)
				field[size_t(i)] = float(img.pixels[size_t(i)].r) / 255.0f;
			return field;
		}

		float Smooth(float e0, float e1, float v)
		{
			float t = std::clamp((v - e0) / (e1 - e0), 0.0f, 1.0f);
			return t * t * (3 - 2 * t);
		}

		struct CloudStyle
		{
			Rgba skyLight, skyDark;		// the open sky, mottled between the two
			Rgba cloudLit, cloudShade;	// cloud tops and their shaded undersides
			float coverage;				// noise level where clouds begin (lower: more cloud)
			float softness;
			int cells;
			uint32_t seed;
		};

		// Open sky with puffy clouds: a large noise for where clouds are, a
		// finer one for their billows and shading.
		Image Clouds(const CloudStyle& s)
		{
			std::vector<float> cover = NoiseField(s.cells, 5, s.seed);
			std::vector<float> detail = NoiseField(s.cells * 3, 4, s.seed + 17);
			std::vector<float> tint = NoiseField(2, 2, s.seed + 31);
			Image img(SIZE, SIZE);
			for (int i = 0; i < SIZE * SIZE; i++)
			{
				size_t k = size_t(i);
				float n = cover[k] * 0.8f + detail[k] * 0.2f;
				float c = Smooth(s.coverage, s.coverage + s.softness, n);
				Rgba sky = Mix(s.skyDark, s.skyLight, tint[k]);
				// Thicker cloud is brighter on top; thin edges take the shade.
				float lit = std::clamp((n - s.coverage) * 3.0f + detail[k] * 0.4f, 0.0f, 1.0f);
				Rgba cloud = Mix(s.cloudShade, s.cloudLit, lit);
				img.pixels[k] = Mix(sky, cloud, c);
				img.pixels[k].a = 255;
			}
			return img;
		}

		// The city: a smoky orange haze with darker drifting smoke, no clear
		// sky anywhere. It is drawn additively, so it stays on the dark side.
		Image CityHaze()
		{
			std::vector<float> haze = NoiseField(3, 5, 0x51C7);
			std::vector<float> smoke = NoiseField(6, 4, 0x51C8);
			Image img(SIZE, SIZE);
			for (int i = 0; i < SIZE * SIZE; i++)
			{
				size_t k = size_t(i);
				Rgba glow = Mix(Hex(0x6A2A08), Hex(0xD87A22), haze[k]);
				float soot = Smooth(0.45f, 0.8f, smoke[k]);
				img.pixels[k] = Mix(glow, Hex(0x2A140C), soot * 0.7f);
			}
			return img;
		}

		// The brain boss: a violet void with glowing nebula wisps and stars.
		Image Nebula()
		{
			std::vector<float> wisps = NoiseField(3, 5, 0xB4A1);
			std::vector<float> veins = NoiseField(8, 3, 0xB4A2);
			Image img(SIZE, SIZE);
			for (int i = 0; i < SIZE * SIZE; i++)
			{
				size_t k = size_t(i);
				float w = Smooth(0.4f, 0.85f, wisps[k]);
				// Thin bright veins where the finer noise crosses its middle.
				float vein = 1.0f - std::min(1.0f, std::abs(veins[k] - 0.5f) * 12.0f);
				Rgba c = Mix(Hex(0x3A1466), Hex(0xC25EE8), w);
				c = Mix(c, Hex(0xFFB0F4), vein * w * 0.8f);
				img.pixels[k] = c;
			}
			// Stars on a fixed lattice of hashed positions.
			uint32_t h = 0x9E3779B9u;
			for (int s = 0; s < 90; s++)
			{
				h = h * 1664525u + 1013904223u;
				float x = float(h % SIZE);
				h = h * 1664525u + 1013904223u;
				float y = float(h % SIZE);
				h = h * 1664525u + 1013904223u;
				float r = 0.8f + float(h % 100) / 100.0f;
				FillCircle(img, x, y, r, {255, 240, 255, 255});
			}
			return img;
		}
	}

	Image SkyImage(int level)
	{
		switch (level)
		{
			case LEVEL_NUM_FARM:		// a summer sky with fair-weather clouds
				return Clouds({Hex(0x8CC8FF), Hex(0x4C94EC), Hex(0xFFFFFF), Hex(0xB8C8DC), 0.52f, 0.12f, 4, 0xFA01});
			case LEVEL_NUM_BLOB:		// slime: a sickly lime sky with yellow-green billows
				return Clouds({Hex(0xB4E85C), Hex(0x58A830), Hex(0xF4FFB0), Hex(0x8CB850), 0.48f, 0.14f, 4, 0x511E});
			case LEVEL_NUM_APOCALYPSE:	// city: hazy orange smoke
				return CityHaze();
			case LEVEL_NUM_CLOUD:		// cloud city: pink and purple candy floss
				return Clouds({Hex(0xF0A8E8), Hex(0xA070E0), Hex(0xFFEAFA), Hex(0xD890E8), 0.33f, 0.16f, 3, 0xC10D});
			case LEVEL_NUM_JUNGLE:
			case LEVEL_NUM_JUNGLEBOSS:	// steamy blue-green with heavy white cloud
				return Clouds({Hex(0x9CE0D8), Hex(0x4CA8A0), Hex(0xFFFFF4), Hex(0xA8C8B8), 0.44f, 0.14f, 5, 0x7A6E});
			case LEVEL_NUM_FIREICE:		// a pale frosty sky, clouds lit orange from below
				return Clouds({Hex(0xCCE8FF), Hex(0x7CA8E0), Hex(0xFFF6EE), Hex(0xF4B080), 0.47f, 0.12f, 4, 0xF1CE});
			case LEVEL_NUM_BRAINBOSS:
				return Nebula();
			default:	// the levels without a sky never load one; a plain sky all the same
				return Clouds({Hex(0x8CC8FF), Hex(0x4C94EC), Hex(0xFFFFFF), Hex(0xB8C8DC), 0.6f, 0.1f, 4, 1});
		}
	}
}
