// "spheremap": the environment maps of sphere-mapped materials; "global":
// shadows, water, atoms and their rings, and the nova charge ribbon.
#include "sprites/BakeSprites.h"
#include "System/ContentNumbers.h"
#include "kit/Art.h"

#include <cmath>
#include <functional>

namespace Sprites
{
	using namespace Kit;

	namespace
	{
		struct RGB
		{
			float r, g, b;
		};

		RGB operator+(RGB a, RGB b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
		RGB operator*(RGB a, float s) { return {a.r * s, a.g * s, a.b * s}; }
		RGB LerpRGB(RGB a, RGB b, float t) { return a * (1 - t) + b * t; }

		// A sphere map: each texel is the environment seen in the direction
		// reflected off a mirror ball facing the viewer (+z). Texels outside the
		// ball take the rim's colour so filtering does not pull in black.
		Image SphereMap(const std::function<RGB(Vec3 r)>& env)
		{
			const int size = 128;
			Image img(size, size);
			for (int y = 0; y < size; y++)
				for (int x = 0; x < size; x++)
				{
					float sx = 2 * (x + 0.5f) / size - 1, sy = 2 * (y + 0.5f) / size - 1;
					float len = std::hypot(sx, sy);
					if (len > 0.999f)
					{
						sx *= 0.999f / len;
						sy *= 0.999f / len;
					}
					float nz = std::sqrt(std::max(0.0f, 1 - sx * sx - sy * sy));
					Vec3 r{2 * nz * sx, 2 * nz * sy, 2 * nz * nz - 1};
					RGB c = env(r);
					img.At(x, y) = RgbaF(c.r, c.g, c.b, 1);
				}
			return img;
		}

		float Spot(Vec3 r, Vec3 dir, float sharpness)
		{
			return std::pow(std::max(0.0f, Dot(r, Normalize(dir))), sharpness);
		}

		// Texture rows grow with the sphere-map t coordinate, which grows with
		// the reflection's y: "up" in these maps is +y of r.
		RGB SkyGround(Vec3 r, RGB sky, RGB horizon, RGB ground)
		{
			if (r.y >= 0)
				return LerpRGB(horizon, sky, std::pow(r.y, 0.6f));
			return LerpRGB(horizon, ground, std::pow(-r.y, 0.4f));
		}

		Image Water(RGB deep, RGB light, uint32_t seed, bool glow)
		{
			const int size = 128;
			Image img(size, size);
			for (int y = 0; y < size; y++)
				for (int x = 0; x < size; x++)
				{
					// Caustic-like ridges from folded noise (tiles).
					float n1 = FractalNoise(x * 4.0f / size, y * 4.0f / size, 4, 3, seed);
					float n2 = FractalNoise(x * 8.0f / size, y * 8.0f / size, 8, 2, seed + 5);
					float ridge = 1 - std::fabs(n1 * 2 - 1);
					float t = std::clamp(std::pow(ridge, 3.0f) * 0.9f + n2 * 0.25f, 0.0f, 1.0f);
					RGB c = LerpRGB(deep, light, t);
					if (glow)
						c = c * (0.7f + 0.5f * t);
					img.At(x, y) = RgbaF(c.r, c.g, c.b, 1);
				}
			return img;
		}

		Image Shadow(float softness)
		{
			const int size = 128;
			Image img(size, size);
			for (int y = 0; y < size; y++)
				for (int x = 0; x < size; x++)
				{
					float d = std::hypot(x + 0.5f - 64, y + 0.5f - 64) / 62;
					float a = std::clamp((1 - d) / softness, 0.0f, 1.0f);
					img.At(x, y) = RgbaF(0, 0, 0, 0.85f * a * a * (3 - 2 * a));
				}
			return img;
		}

		// A glowing nucleus: coloured glow, bright core and a specular dot.
		Image Atom(Rgba color)
		{
			const int size = 128;
			Image img(size, size);
			Glow(img, 64, 64, 62, color, 2.2f, Blend::ADD);
			Glow(img, 64, 64, 44, color, 1.5f, Blend::ADD);
			FillCircle(img, 64, 64, 31, Mix(color, {255, 255, 255, 255}, 0.35f));
			// Protons and neutrons: a cluster of little balls.
			for (int i = 0; i < 7; i++)
			{
				float a = i * 2 * Kit::PI / 7, r = i == 0 ? 0 : 16;
				float cx = 64 + r * std::cos(a), cy = 64 + r * std::sin(a);
				FillCircle(img, cx, cy, 12, i % 2 ? Mix(color, {255, 255, 255, 255}, 0.6f) : Shade(color, 1.1f));
			}
			Glow(img, 54, 53, 20, {255, 255, 255, 255}, 2.0f, Blend::ADD);
			return img;
		}

		Image AtomRing(Rgba color)
		{
			const int size = 128;
			Image img(size, size);
			FillRing(img, 64, 64, 52, 58, Mix(color, {255, 255, 255, 255}, 0.3f));
			Image glow = img;
			BoxBlur(glow, 4);
			DrawImage(glow, img, 0, 0, size, size);
			// The electron.
			Glow(glow, 64 + 55 * std::cos(0.8f), 64 + 55 * std::sin(0.8f), 14, {255, 255, 255, 255}, 1.5f, Blend::ADD);
			FillCircle(glow, 64 + 55 * std::cos(0.8f), 64 + 55 * std::sin(0.8f), 6, {255, 255, 255, 255});
			return glow;
		}

		Image NovaRibbon()
		{
			Image img(128, 32);
			for (int strand = 0; strand < 3; strand++)
			{
				float px = 0, py = 16;
				for (int i = 1; i <= 16; i++)
				{
					float x = 128.0f * i / 16;
					float y = i == 16 ? 16 : 16 + (HashFloat(701 + strand * 31 + i) - 0.5f) * 20;
					DrawLine(img, px, py, x, y, strand == 0 ? 2.5f : 1.3f, {200, 230, 255, 255});
					px = x;
					py = y;
				}
			}
			Image glow = img;
			BoxBlur(glow, 3);
			MapPixels(glow, [](int, int, Rgba p) { return Rgba{90, 160, 255, p.a}; });
			DrawImage(glow, img, 0, 0, 128, 32);
			return glow;
		}

		Image TargetMarker()
		{
			Image img(128, 128);
			FillRing(img, 64, 64, 44, 52, {255, 255, 255, 255});
			FillRing(img, 64, 64, 22, 28, {255, 255, 255, 255});
			for (int i = 0; i < 4; i++)
			{
				float a = i * Kit::PI / 2;
				DrawLine(img, 64 + 30 * std::cos(a), 64 + 30 * std::sin(a), 64 + 62 * std::cos(a), 64 + 62 * std::sin(a), 5, {255, 255, 255, 255});
			}
			FillCircle(img, 64, 64, 6, {255, 255, 255, 255});
			return img;
		}
	}

	std::vector<Image> SphereMaps()
	{
		std::vector<Image> s(NUM_SPHEREMAP_SPRITES);
		const Vec3 sun{-0.5f, 0.7f, 0.5f}, window{0.55f, 0.45f, 0.7f};
		s[SPHEREMAP_SOFT_GLINT] = SphereMap([&](Vec3 r) {
			float g = Spot(r, sun, 18) + 0.5f * Spot(r, window, 40) + 0.12f * std::max(0.0f, r.y);
			return RGB{g, g, g * 0.95f};
		});
		s[SPHEREMAP_GOLD] = SphereMap([&](Vec3 r) {
			RGB c = SkyGround(r, {1.0f, 0.9f, 0.55f}, {1.0f, 0.98f, 0.85f}, {0.55f, 0.35f, 0.1f});
			return c + RGB{1, 1, 0.8f} * Spot(r, sun, 30);
		});
		s[SPHEREMAP_CHROME_GLINT] = SphereMap([&](Vec3 r) {
			// Dark, so adding it keeps the base colours; bright sky glints.
			RGB c = SkyGround(r, {0.1f, 0.12f, 0.18f}, {0.22f, 0.22f, 0.25f}, {0.02f, 0.02f, 0.03f});
			float glint = Spot(r, sun, 24) + 0.8f * Spot(r, window, 60);
			return c + RGB{1, 1, 1} * glint;
		});
		s[SPHEREMAP_CHROME] = SphereMap([&](Vec3 r) {
			RGB c = SkyGround(r, {0.55f, 0.75f, 1.0f}, {1, 1, 1}, {0.25f, 0.22f, 0.2f});
			return c + RGB{1, 1, 1} * Spot(r, sun, 40);
		});
		s[SPHEREMAP_FIRE] = SphereMap([&](Vec3 r) {
			float flame = std::pow(std::max(0.0f, -r.y), 0.8f) * (0.6f + 0.4f * FractalNoise(r.x * 3 + 4, r.z * 3 + 4, 16, 3, 612));
			return RGB{flame * 1.2f, flame * 0.55f, flame * 0.1f} + RGB{1, 0.8f, 0.4f} * Spot(r, sun, 30);
		});
		s[SPHEREMAP_GREEN_SHIMMER] = SphereMap([&](Vec3 r) {
			float t = 0.5f + 0.5f * std::sin(r.x * 5 + r.y * 3);
			RGB c = LerpRGB({0.2f, 0.7f, 0.25f}, {0.75f, 1.0f, 0.45f}, t);
			return c + RGB{0.8f, 1, 0.8f} * Spot(r, sun, 25);
		});
		s[SPHEREMAP_SLIME] = SphereMap([&](Vec3 r) {
			// Added on top of the slime arena's ground, so it stays dark: a
			// wet green sheen with a bright glint, not a wash over everything.
			RGB c = SkyGround(r, {0.16f, 0.26f, 0.12f}, {0.22f, 0.3f, 0.16f}, {0.05f, 0.1f, 0.03f});
			float blob = FractalNoise(r.x * 2 + 5, r.y * 2 + 5, 16, 3, 616);
			return c * (0.7f + 0.6f * blob) + RGB{0.8f, 1, 0.8f} * (0.7f * Spot(r, sun, 35));
		});
		s[SPHEREMAP_RAINBOW] = SphereMap([&](Vec3 r) {
			float h = std::atan2(r.y, r.x) / (2 * Kit::PI) + 0.5f;
			RGB c{0.5f + 0.5f * std::cos(2 * Kit::PI * h), 0.5f + 0.5f * std::cos(2 * Kit::PI * (h - 0.33f)), 0.5f + 0.5f * std::cos(2 * Kit::PI * (h - 0.67f))};
			return c * 0.8f + RGB{1, 1, 1} * Spot(r, sun, 30);
		});
		return s;
	}

	std::vector<Image> GlobalSet()
	{
		std::vector<Image> s(NUM_GLOBAL_SPRITES);
		s[GLOBAL_SPRITE_SHADOW] = Shadow(0.9f);
		s[GLOBAL_SPRITE_SHADOW_SHARP] = Shadow(0.25f);
		const RGB waters[NUM_WATER_KINDS][2] =
		{
			{{0.05f, 0.3f, 0.65f}, {0.55f, 0.85f, 1.0f}},		// 0 blue
			{{0.02f, 0.12f, 0.35f}, {0.3f, 0.55f, 0.85f}},		// 1 deep
			{{0.05f, 0.35f, 0.35f}, {0.45f, 0.85f, 0.7f}},		// 2 lagoon
			{{0.2f, 0.17f, 0.08f}, {0.55f, 0.5f, 0.3f}},		// 3 muddy
			{{0.45f, 0.7f, 0.85f}, {0.9f, 0.97f, 1.0f}},		// 4 icy
			{{0.2f, 0.5f, 0.05f}, {0.7f, 1.0f, 0.3f}},			// 5 slime
			{{0.1f, 0.35f, 0.6f}, {0.6f, 1.0f, 1.0f}},			// 6 glowing
			{{0.6f, 0.08f, 0.0f}, {1.0f, 0.85f, 0.2f}},			// 7 lava
		};
		for (int k = 0; k < NUM_WATER_KINDS; k++)
			s[size_t(GLOBAL_SPRITE_WATER + k)] = Water(waters[k][0], waters[k][1], 650u + uint32_t(k) * 7u, k >= WATER_KIND_GLOW);
		const Rgba atomColors[3] = {Art::HEALTH_RED, Art::FUEL_BLUE, Art::EXIT_YELLOW};
		for (int c = 0; c < 3; c++)
		{
			s[size_t(GLOBAL_SPRITE_ATOM + c)] = Atom(atomColors[c]);
			s[size_t(GLOBAL_SPRITE_ATOM_RING + c)] = AtomRing(atomColors[c]);
		}
		s[GLOBAL_SPRITE_NOVA_RIBBON] = NovaRibbon();
		s[GLOBAL_SPRITE_SPARE] = TargetMarker();
		return s;
	}
}
