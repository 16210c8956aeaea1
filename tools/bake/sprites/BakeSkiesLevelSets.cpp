// The level sprite sets: the sky first, then the few images a level's code
// names (cables, electric bands, rings, frozen looks, lightning, beams). The
// game loads a whole set at once, so every image of a set is written here;
// the sets' names and sizes are the level table's.
#include "sprites/BakeSkies.h"
#include "Bake.h"
#include "formats/TGAWriter.h"
#include "System/LevelTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace Skies
{
	using namespace Kit;

	namespace
	{
		// The first level whose row names the same sprite set as `level` (the
		// jungle boss loads the jungle's): it decides the images.
		int LevelOwningSet(int level)
		{
			const char* name = kLevelDefs[level].spriteSet;
			for (int first = 0; first < level; first++)
				if (kLevelDefs[first].spriteSet && strcmp(kLevelDefs[first].spriteSet, name) == 0)
					return first;
			return level;
		}

		// A steel cable seen side on, tiling along u.
		Image Cable()
		{
			Image img(64, 16);
			VerticalGradient(img, Hex(0x9098A0), Hex(0x3C4048));
			// Darker twists of the strands, painted over the gradient: the
			// cable stays opaque.
			Image twists(64, 16);
			DiagonalStripes(twists, {0, 0, 0, 0}, {0, 0, 0, 70}, 8, 0.5f);
			for (int y = 0; y < img.height; y++)
				for (int x = 0; x < img.width; x++)
				{
					Rgba& c = img.At(x, y);
					const float k = 1.0f - float(twists.At(x, y).a) / 255.0f;
					c = {uint8_t(float(c.r) * k), uint8_t(float(c.g) * k), uint8_t(float(c.b) * k), 255};
				}
			return img;
		}

		// A crackling electric band, transparent between the arcs.
		Image ElectricBand(uint32_t seed)
		{
			Image img(64, 32, {0, 0, 0, 0});
			uint32_t h = seed;
			for (int arc = 0; arc < 3; arc++)
			{
				float y = 16;
				for (int x = 0; x < 64; x += 4)
				{
					h = h * 1664525u + 1013904223u;
					float ny = std::clamp(y + float(int(h % 13) - 6), 3.0f, 28.0f);
					if (x + 4 >= 64)
						ny = 16;		// meets the next tile where it started
					DrawLine(img, float(x), y, float(x + 4), ny, 2.2f, {150, 200, 255, 255}, Blend::ADD);
					DrawLine(img, float(x), y, float(x + 4), ny, 0.8f, {255, 255, 255, 255}, Blend::ADD);
					y = ny;
				}
			}
			return img;
		}

		Image Ring(Rgba color)
		{
			Image img(64, 64, {0, 0, 0, 0});
			FillRing(img, 32, 32, 20, 30, color);
			FillRing(img, 32, 32, 23, 27, {255, 255, 255, 200}, Blend::ADD);
			return img;
		}

		// Ice over a creature: pale, cracked and see-through.
		Image Frozen(uint32_t seed)
		{
			Image img(64, 64);
			Noise(img, {170, 220, 255, 150}, {235, 250, 255, 210}, 4, 4, seed);
			uint32_t h = seed;
			for (int i = 0; i < 6; i++)
			{
				h = h * 1664525u + 1013904223u;
				float x0 = float(h % 64), y0 = float((h >> 8) % 64);
				DrawLine(img, x0, y0, x0 + 14, y0 + 9, 1.0f, {255, 255, 255, 230});
			}
			return img;
		}

		Image Tentacle()
		{
			Image img(64, 64);
			Noise(img, Hex(0x3C7A28), Hex(0x6A3C82), 4, 4, 0x7E17);
			// Dark bands laid over the mottled skin: Stripes paints every
			// pixel, so they are drawn apart and blended on, keeping it opaque.
			Image bands(64, 64);
			Stripes(bands, {0, 0, 0, 0}, {20, 10, 30, 90}, 6, false, 0.3f);
			for (int y = 0; y < img.height; y++)
				for (int x = 0; x < img.width; x++)
					Plot(img, x, y, bands.At(x, y), 1.0f);
			return img;
		}

		Image Lightning(uint32_t seed)
		{
			Image img = ElectricBand(seed);
			// Brighter and whiter than the cloud level's bands.
			for (Rgba& p : img.pixels)
				p = Mix(p, {255, 255, 255, p.a}, 0.3f);
			return img;
		}

		// A beam: bright in the middle across v, fading to the edges.
		Image Beam(Rgba color)
		{
			Image img(16, 64);
			for (int y = 0; y < 64; y++)
				for (int x = 0; x < 16; x++)
				{
					float d = std::abs(float(x) + 0.5f - 8.0f) / 8.0f;
					Rgba c = color;
					c.a = uint8_t(255.0f * std::pow(1.0f - d, 1.5f));
					img.At(x, y) = c;
				}
			return img;
		}

		Image Extra(int level, int index)
		{
			switch (level)
			{
				case LEVEL_NUM_APOCALYPSE:		// 1: zip-line cable
					return Cable();
				case LEVEL_NUM_CLOUD:			// 1: electric band between bumper poles, 2: spinning rings
					return index == 1 ? ElectricBand(0xE1EC) : Ring(Hex(0xFFC040));
				case LEVEL_NUM_JUNGLE:			// 1: frozen flytrap, 2: jungle boss tentacle
					return index == 1 ? Frozen(0xF7A9) : Tentacle();
				case LEVEL_NUM_FIREICE:			// 1: zip-line cable, 2: frozen squooshy
					return index == 1 ? Cable() : Frozen(0x5B00);
				case LEVEL_NUM_BRAINBOSS:		// 1 … 4: lightning between the brain's halves, 5: portal beams
					return index == 5 ? Beam(Hex(0xC080FF)) : Lightning(0xB0B0u + uint32_t(index));
				default:	// slime 1 … 3: no fixed use yet
					return Frozen(0x5100u + uint32_t(index));
			}
		}

		void BakeLevelSets(const Bake::Context& context)
		{
			for (int level = 0; level < NUM_LEVELS; level++)
			{
				const LevelDef& def = kLevelDefs[level];
				if (!def.spriteSet || LevelOwningSet(level) != level)
					continue;
				std::vector<Image> images = LevelSet(level);
				if (int(images.size()) != def.numSprites)
					throw std::logic_error(std::string("level sprite set ") + def.spriteSet + " has the wrong count");
				Bake::WriteSpriteSet(context, def.spriteSet, images);
			}
		}
	}

	std::vector<Image> LevelSet(int level)
	{
		if (level < 0 || level >= NUM_LEVELS || !kLevelDefs[level].spriteSet)
			return {};
		int owner = LevelOwningSet(level);
		std::vector<Image> images = {SkyImage(level)};
		for (int i = 1; i < kLevelDefs[owner].numSprites; i++)
			images.push_back(Extra(owner, i));
		return images;
	}
}

BAKE_STEP("levelsprites", Skies::BakeLevelSets);
