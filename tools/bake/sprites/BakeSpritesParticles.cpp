// "particle": particle, sparkle and lens-flare textures. Mostly white so the
// game can tint them; soft alpha edges so they blend without seams.
#include "sprites/BakeSprites.h"
#include "System/ContentNumbers.h"
#include "kit/Art.h"

#include <cmath>
#include <functional>
#include <stdexcept>

namespace Sprites
{
	using namespace Kit;

	namespace
	{
		const int N = 64;
		const float C = N / 2.0f;

		// Fills by distance from the centre (0 at the centre, 1 at the edge).
		Image Radial(int size, const std::function<Rgba(float d, float angle, int x, int y)>& fn)
		{
			Image img(size, size);
			float c = size / 2.0f;
			for (int y = 0; y < size; y++)
				for (int x = 0; x < size; x++)
				{
					float dx = x + 0.5f - c, dy = y + 0.5f - c;
					img.At(x, y) = fn(std::hypot(dx, dy) / c, std::atan2(dy, dx), x, y);
				}
			return img;
		}

		Rgba White(float alpha) { return RgbaF(1, 1, 1, std::clamp(alpha, 0.0f, 1.0f)); }

		float Soft(float d, float power) { return d >= 1 ? 0 : std::pow(1 - d, power); }

		// A cloudy puff: radial falloff broken up by noise.
		Image Puff(Rgba color, uint32_t seed, float power = 1.4f)
		{
			return Radial(N, [&](float d, float, int x, int y) {
				float n = FractalNoise(x / 16.0f, y / 16.0f, 4, 3, seed);
				float a = Soft(d * (0.85f + 0.3f * n), power) * (0.55f + 0.6f * n);
				Rgba c = Shade(color, 0.8f + 0.3f * n);
				c.a = uint8_t(std::clamp(a, 0.0f, 1.0f) * 255);
				return c;
			});
		}

		Image GlowDot(float power)
		{
			return Radial(N, [&](float d, float, int, int) { return White(Soft(d, power)); });
		}

		// Thin rays from the centre: `rays` of them, falling off with distance.
		Image Rays(int size, int rays, float width, float rotation, float core)
		{
			return Radial(size, [&](float d, float angle, int, int) {
				float a = 0;
				for (int i = 0; i < rays; i++)
				{
					float ra = rotation + i * Kit::PI / (rays / 2.0f);
					float off = std::fabs(std::sin(angle - ra)) * d * size / 2;
					float along = std::cos(angle - ra);
					if (along > 0)
						a = std::max(a, std::exp(-off * off / (width * width)) * Soft(d, 1.2f));
				}
				a = std::max(a, Soft(d / core, 2.0f));
				return White(a);
			});
		}

		Image Ring(float radius, float width, float glow)
		{
			return Radial(N, [&](float d, float, int, int) {
				float r = std::fabs(d - radius) / width;
				return White(std::exp(-r * r) + glow * Soft(d, 3));
			});
		}

		Image Flame()
		{
			Image img(N, N);
			for (int y = 0; y < N; y++)
				for (int x = 0; x < N; x++)
				{
					// Teardrop: wide at the bottom, pointed at the top.
					float fx = (x + 0.5f - C) / C, fy = (y + 0.5f) / N;
					float width = 0.75f * std::pow(fy, 0.8f) * (1.2f - fy);
					float n = FractalNoise(x / 12.0f, y / 10.0f, 5, 3, 808);
					float d = std::fabs(fx) / std::max(width * 1.6f, 0.01f) + (1 - fy) * 0.15f * n;
					float heat = std::clamp(1 - d, 0.0f, 1.0f) * std::clamp((fy - 0.05f) * 3, 0.0f, 1.0f);
					Rgba c = heat > 0.6f ? Mix({255, 200, 60, 255}, {255, 255, 220, 255}, (heat - 0.6f) / 0.4f)
											: Mix({220, 40, 10, 255}, {255, 200, 60, 255}, heat / 0.6f);
					c.a = uint8_t(std::clamp(heat * 1.6f, 0.0f, 1.0f) * 255);
					img.At(x, y) = c;
				}
			return img;
		}

		Image Fireball()
		{
			return Radial(N, [&](float d, float, int x, int y) {
				float n = FractalNoise(x / 10.0f, y / 10.0f, 6, 4, 909);
				float heat = std::clamp(1.1f - d * (0.9f + 0.5f * n), 0.0f, 1.0f);
				Rgba c = Mix({200, 30, 0, 255}, {255, 180, 40, 255}, heat);
				c = Mix(c, {255, 255, 210, 255}, std::clamp((heat - 0.6f) * 2.5f, 0.0f, 1.0f));
				c.a = uint8_t(std::clamp(heat * 1.8f, 0.0f, 1.0f) * 255);
				return c;
			});
		}

		Image Snowflake()
		{
			Image img(N, N);
			for (int i = 0; i < 6; i++)
			{
				float a = i * Kit::PI / 3;
				float ex = C + std::cos(a) * 28, ey = C + std::sin(a) * 28;
				DrawLine(img, C, C, ex, ey, 3, White(1));
				for (float t : {0.45f, 0.7f})
				{
					float bx = C + std::cos(a) * 28 * t, by = C + std::sin(a) * 28 * t;
					for (float s : {-1.0f, 1.0f})
						DrawLine(img, bx, by, bx + std::cos(a + s * 0.8f) * 9, by + std::sin(a + s * 0.8f) * 9, 2.2f, White(1));
				}
			}
			Image glow = img;
			BoxBlur(glow, 3);
			for (Rgba& p : glow.pixels)
				p.a = uint8_t(p.a * 0.7f);
			DrawImage(glow, img, 0, 0, N, N);
			return glow;
		}

		Image Hexagon()
		{
			Image img(N, N);
			std::vector<Vec2> hex;
			for (int i = 0; i < 6; i++)
				hex.push_back({C + 26 * std::cos(i * Kit::PI / 3), C + 26 * std::sin(i * Kit::PI / 3)});
			FillPolygon(img, hex, White(0.55f));
			BoxBlur(img, 1);
			Glow(img, C, C, 26, White(0.35f), 1.5f, Blend::OVER);
			return img;
		}

		Image Rainbow()
		{
			return Radial(N, [&](float d, float, int, int) {
				float t = (d - 0.6f) / 0.3f;
				if (t < 0 || t > 1)
					return Rgba{0, 0, 0, 0};
				// Red outside to violet inside.
				const Rgba bands[6] = {{150, 60, 255, 255}, {60, 120, 255, 255}, {60, 230, 120, 255},
					{255, 240, 60, 255}, {255, 150, 40, 255}, {255, 50, 50, 255}};
				float f = t * 5;
				int i = std::min(int(f), 4);
				Rgba c = Mix(bands[i], bands[i + 1], f - i);
				c.a = uint8_t(std::sin(t * Kit::PI) * 200);
				return c;
			});
		}

		Image Heart()
		{
			Image img(N, N);
			FillCircle(img, 22, 24, 12, Art::HEALTH_RED);
			FillCircle(img, 42, 24, 12, Art::HEALTH_RED);
			FillPolygon(img, {{11, 29}, {53, 29}, {32, 54}}, Art::HEALTH_RED);
			FillCircle(img, 20, 21, 4, {255, 190, 190, 255});
			Outline(img, 1.5f, {120, 0, 20, 255});
			return img;
		}

		Image Leaf()
		{
			Image img(N, N);
			std::vector<Vec2> pts;
			for (int i = 0; i <= 16; i++)
			{
				float t = float(i) / 16;
				pts.push_back({10 + 44 * t, C - std::sin(t * Kit::PI) * 16});
			}
			for (int i = 15; i > 0; i--)
			{
				float t = float(i) / 16;
				pts.push_back({10 + 44 * t, C + std::sin(t * Kit::PI) * 16});
			}
			FillPolygon(img, pts, {80, 190, 60, 255});
			DrawLine(img, 8, C, 54, C, 1.5f, {40, 110, 30, 255});
			for (int i = 1; i < 5; i++)
			{
				float x = 10 + i * 9.0f;
				DrawLine(img, x, C, x + 6, C - 9, 1, {40, 110, 30, 255});
				DrawLine(img, x, C, x + 6, C + 9, 1, {40, 110, 30, 255});
			}
			return img;
		}

		Image Lightning(int width, int height, uint32_t seed)
		{
			Image img(width, height);
			float y = height / 2.0f;
			float px = 0, py = y;
			for (int i = 1; i <= 12; i++)
			{
				float x = width * float(i) / 12;
				float ny = (i == 12) ? y : y + (HashFloat(seed + uint32_t(i)) - 0.5f) * height * 0.7f;
				DrawLine(img, px, py, x, ny, 2.2f, White(1));
				px = x;
				py = ny;
			}
			Image glow = img;
			BoxBlur(glow, 3);
			DrawImage(glow, img, 0, 0, float(width), float(height));
			return glow;
		}
	}

	std::vector<Image> Particles()
	{
		std::vector<Image> s(NUM_PARTICLE_SPRITES);
		s[PARTICLE_SPRITE_PUFF] = Puff({255, 255, 255, 255}, 301);
		s[PARTICLE_SPRITE_BULB] = GlowDot(2.5f);
		FillCircle(s[PARTICLE_SPRITE_BULB], C, C, 6, White(1));
		s[PARTICLE_SPRITE_SPARK] = GlowDot(4.0f);
		s[PARTICLE_SPRITE_HALO] = Ring(0.6f, 0.08f, 0.6f);
		s[PARTICLE_SPRITE_SMOKE_DARK] = Puff({70, 68, 72, 255}, 304, 1.1f);
		s[PARTICLE_SPRITE_GLINT] = Rays(N, 4, 1.6f, 0, 0.25f);
		// Added onto the scene, so it is dim: a thin cloud, not a glow.
		s[PARTICLE_SPRITE_DUST_CLOUD] = Puff({150, 125, 95, 255}, 306, 1.2f);
		for (Rgba& p : s[PARTICLE_SPRITE_DUST_CLOUD].pixels)
			p.a = uint8_t(p.a * 0.55f);
		s[PARTICLE_SPRITE_EMBER] = Radial(N, [](float, float, int x, int y) {
			float dx = (x + 0.5f - C) / 28, dy = (y + 0.5f - C) / 9;
			float a = Soft(std::hypot(dx, dy), 1.5f);
			Rgba c = Mix({255, 90, 10, 255}, {255, 240, 150, 255}, a);
			c.a = uint8_t(a * 255);
			return c;
		});
		s[PARTICLE_SPRITE_FLAME] = Flame();
		s[PARTICLE_SPRITE_SPARK_YELLOW] = Rays(N, 8, 1.3f, 0.2f, 0.3f);
		MapPixels(s[PARTICLE_SPRITE_SPARK_YELLOW], [](int, int, Rgba p) { return Rgba{255, 240, 120, p.a}; });
		s[PARTICLE_SPRITE_SMOKE_GREY] = Puff({150, 150, 155, 255}, 310, 1.2f);
		s[PARTICLE_SPRITE_SMOKE_WHITE] = Puff({250, 250, 250, 255}, 311, 1.2f);
		s[PARTICLE_SPRITE_FIREBALL] = Fireball();
		s[PARTICLE_SPRITE_FLASH] = Rays(N, 8, 2.2f, 0, 0.45f);
		s[PARTICLE_SPRITE_DUST] = Puff({225, 205, 170, 255}, 314, 1.6f);
		s[PARTICLE_SPRITE_STARBURST] = Rays(N, 6, 1.2f, Kit::PI / 2, 0.18f);
		s[PARTICLE_SPRITE_SHOCKWAVE] = Ring(0.82f, 0.07f, 0);
		s[PARTICLE_SPRITE_SOFT_GLOW] = GlowDot(1.6f);
		s[PARTICLE_SPRITE_SNOWFLAKE] = Snowflake();
		s[PARTICLE_SPRITE_HEADLIGHT] = Radial(N, [](float d, float, int x, int y) {
			float streak = std::exp(-std::pow((y + 0.5f - C) / 2.5f, 2.0f)) * Soft(std::fabs(x + 0.5f - C) / C, 1);
			return White(std::max(Soft(d, 3), streak));
		});
		s[PARTICLE_SPRITE_LENS_SUN] = Rays(128, 12, 1.5f, 0.1f, 0.5f);
		s[PARTICLE_SPRITE_LENS_RING] = Ring(0.75f, 0.1f, 0.15f);
		s[PARTICLE_SPRITE_LENS_DISC] = Hexagon();
		s[PARTICLE_SPRITE_LENS_RAINBOW] = Rainbow();
		s[PARTICLE_SPRITE_RAINDROP] = Radial(N, [](float, float, int x, int y) {
			float dx = (x + 0.5f - C) / 2.5f, dy = (y + 0.5f - C) / 26;
			return RgbaF(0.8f, 0.9f, 1, Soft(std::hypot(dx, dy), 1));
		});
		s[PARTICLE_SPRITE_LEAF] = Leaf();
		s[PARTICLE_SPRITE_CONFETTI] = Image(N, N);
		FillRoundedRect(s[PARTICLE_SPRITE_CONFETTI], 16, 24, 48, 40, 3, White(1));
		FillRect(s[PARTICLE_SPRITE_CONFETTI], 16, 34, 48, 40, {200, 200, 200, 255}, Blend::MULTIPLY);	// a shaded fold
		s[PARTICLE_SPRITE_STREAK] = Radial(N, [](float, float, int x, int y) {
			float dy = (y + 0.5f - C) / 3, t = (x + 0.5f) / N;
			return White(std::exp(-dy * dy) * t * Soft(std::max(0.0f, t - 0.85f) / 0.15f, 1));
		});
		s[PARTICLE_SPRITE_DROPLET] = Image(N, N);
		FillCircle(s[PARTICLE_SPRITE_DROPLET], C, 38, 14, {150, 200, 255, 230});
		FillPolygon(s[PARTICLE_SPRITE_DROPLET], {{C, 8}, {C + 12, 32}, {C - 12, 32}}, {150, 200, 255, 230});
		FillCircle(s[PARTICLE_SPRITE_DROPLET], C - 5, 36, 3.5f, White(0.9f));
		s[PARTICLE_SPRITE_ELECTRIC] = Lightning(N, N, 329);
		s[PARTICLE_SPRITE_ASH] = Image(N, N);
		for (int i = 0; i < 9; i++)
		{
			float x = 8 + 48 * HashFloat(330 + i), y = 8 + 48 * HashFloat(430 + i);
			FillStar(s[PARTICLE_SPRITE_ASH], x, y, 3, 5, 2.5f, HashFloat(530 + i) * 3, {60, 58, 56, 230});
		}
		s[PARTICLE_SPRITE_HEART] = Heart();
		for (size_t i = 0; i < s.size(); i++)
			if (s[i].width == 0)
				throw std::logic_error("particle image " + std::to_string(i) + " not painted");
		return s;
	}
}
