// "fence": one image per fence type. The top row is the fence's top; images
// repeat along the fence, so each tiles horizontally; clear parts are holes.
#include "sprites/BakeSprites.h"
#include "System/ContentNumbers.h"
#include "kit/Art.h"

#include <cmath>
#include <stdexcept>

namespace Sprites
{
	using namespace Kit;

	namespace
	{
		const int W = 128;

		Image Noisy(int h, Rgba a, Rgba b, int cells, uint32_t seed, float contrast = 1.4f)
		{
			Image img(W, h);
			Noise(img, a, b, cells, 4, seed, contrast);
			return img;
		}

		// Keeps only the rows/columns where `keep` says so (others become holes).
		void Cut(Image& img, const std::function<bool(int x, int y)>& keep)
		{
			for (int y = 0; y < img.height; y++)
				for (int x = 0; x < img.width; x++)
					if (!keep(x, y))
						img.At(x, y) = {0, 0, 0, 0};
		}

		Image WoodRails()
		{
			Image img(W, W);
			Image wood = Noisy(W, {120, 80, 40, 255}, {175, 125, 70, 255}, 8, 801);
			// A post at the left of each repeat and three rails.
			auto inRail = [](int y) { return (y >= 22 && y < 38) || (y >= 52 && y < 68) || (y >= 82 && y < 98); };
			for (int y = 0; y < W; y++)
				for (int x = 0; x < W; x++)
					if ((x >= 6 && x < 26 && y >= 8) || inRail(y))
						img.At(x, y) = wood.At(x, y);
			FillRect(img, 6, 8, 26, 12, {200, 150, 90, 255});
			return img;
		}

		Image Cliff(int h, Rgba dark, Rgba light, uint32_t seed)
		{
			Image img = Noisy(h, dark, light, 6, seed, 1.8f);
			// Horizontal strata.
			for (int y = 0; y < h; y++)
				for (int x = 0; x < W; x++)
				{
					float band = 0.85f + 0.15f * std::sin(y * 0.2f + FractalNoise(x / 32.0f, y / 32.0f, 4, 2, seed + 1) * 6);
					img.At(x, y) = Shade(img.At(x, y), band);
				}
			return img;
		}

		Image Pickets()
		{
			Image img(W, W);
			for (int i = 0; i < 5; i++)
			{
				float x = 4 + i * 25.6f;
				FillRect(img, x, 20, x + 16, 128, {245, 245, 240, 255});
				FillPolygon(img, {{x, 20}, {x + 8, 8}, {x + 16, 20}}, {245, 245, 240, 255});
				FillRect(img, x + 12, 20, x + 16, 128, {210, 210, 205, 255});
			}
			FillRect(img, 0, 44, 128, 52, {225, 225, 220, 255});
			FillRect(img, 0, 92, 128, 100, {225, 225, 220, 255});
			return img;
		}

		Image Hedge()
		{
			Image img = Noisy(W, {30, 100, 30, 255}, {110, 190, 70, 255}, 16, 803, 1.6f);
			// Bumpy leafy top.
			Cut(img, [](int x, int y) {
				float top = 14 + 8 * FractalNoise(x / 16.0f, 0.5f, 8, 3, 804);
				return y >= top;
			});
			return img;
		}

		Image SlimeCrystals()
		{
			Image img = Noisy(2 * W, {20, 90, 20, 255}, {120, 230, 60, 255}, 6, 805, 1.5f);
			for (int i = 0; i < 5; i++)
			{
				float x = 12 + i * 25.6f, top = 20 + 60 * HashFloat(806 + i);
				FillPolygon(img, {{x - 12, 256}, {x, top}, {x + 12, 256}}, {160, 255, 120, 255});
				FillPolygon(img, {{x, top}, {x + 12, 256}, {x + 4, 256}}, {70, 170, 40, 255});
			}
			Cut(img, [](int x, int y) { return y >= 10 + 14 * (0.5f + 0.5f * std::sin(x * 2 * Kit::PI / 64)); });
			return img;
		}

		Image ChainLink()
		{
			Image img(W, W);
			for (int y = 0; y < W; y++)
				for (int x = 0; x < W; x++)
				{
					int a = (x + y) % 16, b = (x - y + 128) % 16;
					if (a < 2 || b < 2)
						img.At(x, y) = {180, 185, 190, 255};
				}
			FillRect(img, 0, 6, 128, 11, {140, 145, 150, 255});
			FillRect(img, 58, 4, 70, 128, {120, 124, 130, 255});
			FillRect(img, 58, 4, 62, 128, {170, 175, 180, 255});
			return img;
		}

		Image CityWall()
		{
			Image img(W, 2 * W);
			Bricks(img, {150, 70, 50, 255}, {90, 85, 80, 255}, 8, 32, 1.2f, 807);
			Grunge(img, 0.3f, 4, 808);
			for (int wy = 0; wy < 2; wy++)
				for (int wx = 0; wx < 2; wx++)
				{
					float x = 14 + wx * 64.0f, y = 30 + wy * 100.0f;
					FillRect(img, x - 3, y - 3, x + 39, y + 55, {200, 190, 170, 255});
					FillRect(img, x, y, x + 36, y + 52, {40, 50, 70, 255});
					FillRect(img, x + 16, y, x + 20, y + 52, {200, 190, 170, 255});
					FillRect(img, x + 2, y + 2, x + 14, y + 14, {110, 140, 170, 255});
				}
			return img;
		}

		Image Girders()
		{
			Image img(W, 2 * W);
			Image metal = Noisy(2 * W, {110, 60, 40, 255}, {170, 110, 70, 255}, 8, 809);
			for (int y = 0; y < img.height; y++)
				for (int x = 0; x < W; x++)
				{
					bool beam = (x < 14) || (y % 64 < 12);
					int d = (x + y) % 64, e = (x - y + 1024) % 64;
					bool brace = d < 8 || e < 8;
					if (beam || brace)
						img.At(x, y) = metal.At(x, y);
				}
			for (int y = 6; y < img.height; y += 64)
				for (int x = 7; x < W; x += 20)
					FillCircle(img, float(x), float(y), 2.5f, {200, 150, 110, 255});
			return img;
		}

		Image Barrier()
		{
			Image img = Noisy(W, {160, 160, 155, 255}, {200, 200, 195, 255}, 8, 810);
			Cut(img, [](int, int y) { return y >= 28; });
			for (int y = 60; y < 84; y++)
				for (int x = 0; x < W; x++)
					img.At(x, y) = ((x + y) / 16) % 2 ? Art::HAZARD_BLACK : Art::HAZARD_YELLOW;
			FillRect(img, 0, 28, 128, 32, {220, 220, 215, 255});
			return img;
		}

		Image CloudWall()
		{
			Image img(W, 2 * W);
			for (int y = 0; y < img.height; y++)
				for (int x = 0; x < W; x++)
				{
					float n = FractalNoise(x / 32.0f, y / 32.0f, 4, 4, 811);
					float top = 40 + 40 * FractalNoise(x / 32.0f, 0.3f, 4, 3, 812);
					float a = std::clamp((y - top) / 24.0f, 0.0f, 1.0f);
					Rgba c = Mix({200, 215, 240, 255}, {255, 255, 255, 255}, n);
					c.a = uint8_t(a * 255);
					img.At(x, y) = c;
				}
			return img;
		}

		Image Tent()
		{
			Image img(W, 2 * W);
			Stripes(img, {230, 40, 50, 255}, {250, 245, 235, 255}, 4, true);
			Grunge(img, 0.15f, 4, 813);
			// Scalloped top trim.
			Cut(img, [](int x, int y) { return y >= 14 - 10 * std::fabs(std::sin(x * Kit::PI / 32)); });
			FillRect(img, 0, 12, 128, 20, Art::GOLD);
			return img;
		}

		Image Bamboo()
		{
			Image img(W, 2 * W);
			for (int i = 0; i < 6; i++)
			{
				float x = 2 + i * 21.3f, top = 10 + 30 * HashFloat(814 + i);
				FillRoundedRect(img, x, top, x + 17, 256, 6, {150, 180, 60, 255});
				FillRect(img, x + 11, top + 4, x + 15, 256, {110, 140, 40, 255});
				for (float y = top + 40; y < 256; y += 48)
					FillRect(img, x - 1, y, x + 18, y + 4, {90, 120, 30, 255});
			}
			return img;
		}

		Image Palisade(int h, bool pointed, uint32_t seed)
		{
			Image img(W, h);
			Image wood = Noisy(h, {95, 60, 30, 255}, {150, 105, 60, 255}, 8, seed);
			for (int i = 0; i < 4; i++)
			{
				float x0 = i * 32.0f + 1, x1 = x0 + 30;
				float top = pointed ? 30 : 6 + 10 * HashFloat(seed + i);
				for (int y = int(top); y < h; y++)
					for (int x = int(x0); x < int(x1); x++)
					{
						float shade = 0.75f + 0.35f * std::sin((x - x0) / 30 * Kit::PI);
						img.At(x, y) = Shade(wood.At(x, y), shade);
					}
				if (pointed)
					FillPolygon(img, {{x0, top + 1}, {(x0 + x1) / 2, top - 24}, {x1, top + 1}}, {160, 115, 65, 255});
			}
			FillRect(img, 0, h * 0.35f, 128, h * 0.35f + 8, {70, 45, 25, 255});
			return img;
		}

		Image IceWall()
		{
			Image img = Noisy(2 * W, {120, 190, 235, 255}, {235, 250, 255, 255}, 4, 815, 1.6f);
			for (int i = 0; i < 7; i++)
			{
				float x = 128 * HashFloat(816 + i), y = 40 + 200 * HashFloat(826 + i);
				DrawLine(img, x, y, x + 20, y + 30, 1.5f, {255, 255, 255, 200});
			}
			MapPixels(img, [](int, int, Rgba p) { p.a = 215; return p; });
			Cut(img, [](int x, int y) { return y >= 8 + 20 * std::fabs(std::sin(x * Kit::PI / 42.67f)); });
			return img;
		}

		Image LavaRock()
		{
			Image img = Cliff(W, {40, 25, 25, 255}, {95, 60, 55, 255}, 817);
			for (int y = 0; y < W; y++)
				for (int x = 0; x < W; x++)
				{
					float n = FractalNoise(x / 16.0f, y / 16.0f, 8, 3, 818);
					float crack = 1 - std::fabs(n * 2 - 1);
					if (crack > 0.9f)
						img.At(x, y) = Mix({255, 90, 0, 255}, {255, 220, 80, 255}, (crack - 0.9f) * 10);
				}
			return img;
		}

		Image TechPanels()
		{
			Image img(W, 2 * W);
			Panels(img, {130, 140, 160, 255}, 2, 4, 2, true, 819);
			for (int i = 0; i < 4; i++)
			{
				float y = 30 + i * 64.0f;
				FillRoundedRect(img, 20, y, 108, y + 8, 4, {40, 60, 90, 255});
				for (int k = 0; k < 4; k++)
					FillCircle(img, 30 + k * 23.0f, y + 4, 3, k % 2 ? Rgba{120, 230, 255, 255} : Rgba{255, 220, 80, 255});
			}
			return img;
		}

		Image ForceField()
		{
			Image img(W, W);
			for (int y = 0; y < W; y++)
				for (int x = 0; x < W; x++)
				{
					// Hexagonal shimmer.
					float u = x / 16.0f, v = y / 13.86f;
					float cell = std::fabs(std::sin(u * Kit::PI) * std::sin(v * Kit::PI + (int(u) % 2) * Kit::PI / 2));
					float a = 0.25f + 0.55f * std::pow(1 - cell, 6.0f);
					img.At(x, y) = RgbaF(0.5f, 0.85f, 1, a);
				}
			FillRect(img, 0, 0, 128, 4, {200, 240, 255, 255});
			return img;
		}

		Image Organic()
		{
			Image img = Noisy(W, {170, 60, 100, 255}, {250, 160, 190, 255}, 8, 820, 1.3f);
			for (int y = 0; y < W; y++)
				for (int x = 0; x < W; x++)
				{
					float n = FractalNoise(x / 32.0f, y / 32.0f, 4, 3, 821);
					if (std::fabs(n - 0.5f) < 0.03f)
						img.At(x, y) = {120, 20, 60, 255};		// veins
				}
			Cut(img, [](int x, int y) { return y >= 6 + 8 * (0.5f + 0.5f * std::sin(x * 2 * Kit::PI / 128 * 3)); });
			return img;
		}

		Image Castle()
		{
			Image img(W, W);
			Bricks(img, {150, 150, 145, 255}, {100, 100, 95, 255}, 4, 8, 1.5f, 822);
			Grunge(img, 0.25f, 4, 823);
			Cut(img, [](int x, int y) { return y >= 16 || (x % 64) < 32; });
			return img;
		}

		Image Curb()
		{
			Image img(W, 32);
			Bricks(img, {175, 170, 160, 255}, {110, 105, 100, 255}, 4, 2, 1.2f, 824);
			Cut(img, [](int, int y) { return y >= 3; });
			FillRect(img, 0, 3, 128, 6, {215, 210, 200, 255});
			return img;
		}

		Image BarbedWire()
		{
			Image img(W, W);
			FillRect(img, 4, 6, 14, 128, {110, 85, 60, 255});
			FillRect(img, 4, 6, 7, 128, {150, 120, 90, 255});
			for (float y : {24.0f, 56.0f, 88.0f})
			{
				for (int x = 0; x < W; x += 2)
				{
					float wy = y + 1.5f * std::sin(x * 2 * Kit::PI / 32);
					FillCircle(img, float(x), wy, 1.3f, {170, 170, 175, 255});
				}
				for (int x = 8; x < W; x += 16)
				{
					DrawLine(img, float(x) - 4, y - 4, float(x) + 4, y + 4, 1.3f, {200, 200, 205, 255});
					DrawLine(img, float(x) - 4, y + 4, float(x) + 4, y - 4, 1.3f, {200, 200, 205, 255});
				}
			}
			return img;
		}
	}

	std::vector<Image> Fences()
	{
		std::vector<Image> s;
		s.push_back(WoodRails());											// 0 farm rails
		s.push_back(Cliff(2 * W, {90, 80, 70, 255}, {165, 150, 130, 255}, 830));	// 1 rock cliff
		s.push_back(Pickets());												// 2 picket fence
		s.push_back(Hedge());												// 3 hedge
		s.push_back(SlimeCrystals());										// 4 slime crystals
		s.push_back(ChainLink());											// 5 chain link
		s.push_back(CityWall());											// 6 city wall
		s.push_back(Girders());												// 7 rusty girders
		s.push_back(Barrier());												// 8 concrete barrier
		s.push_back(CloudWall());											// 9 cloud bank
		s.push_back(Tent());												// 10 circus tent
		s.push_back(Bamboo());												// 11 bamboo
		s.push_back(Palisade(2 * W, false, 831));							// 12 tree trunks
		s.push_back(IceWall());												// 13 ice
		s.push_back(LavaRock());											// 14 lava rock
		s.push_back(TechPanels());											// 15 saucer panels
		s.push_back(ForceField());											// 16 force field
		s.push_back(Organic());												// 17 brain tissue
		s.push_back(Castle());												// 18 castle wall
		s.push_back(Palisade(2 * W, true, 832));							// 19 pointed logs
		s.push_back(Curb());												// 20 low curb
		s.push_back(BarbedWire());											// 21 barbed wire
		return s;
	}
}
