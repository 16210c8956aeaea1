// The level skies: panoramas painted by azimuth and elevation. Each one's
// horizon meets the level's fog colour, so the far terrain fades into it.
#include "models/BakeLevelModels.h"
#include "worlds/WorldKit.h"

#include <algorithm>
#include <cmath>

namespace LevelModels
{
	using TerrainBake::Fbm;
	using TerrainBake::Hash01;
	using TerrainBake::Hex;
	using TerrainBake::Mix;
	using TerrainBake::Rgb;
	using TerrainBake::SmoothStep;

	namespace
	{
		constexpr float DEG = 3.14159265f / 180.0f;

		Kit::Rgba Out(Rgb c)
		{
			return Kit::RgbaF(c.r, c.g, c.b, 1);
		}

		// Noise that goes once round the horizon without a seam.
		float RingNoise(float azimuth, float features, int octaves, uint32_t seed)
		{
			float r = 1000.0f;
			return Fbm(std::sin(azimuth) * r, std::cos(azimuth) * r, 2 * 3.14159265f * r / features, octaves, seed);
		}

		// A skyline of hills: its height in degrees at an azimuth.
		float Hills(float azimuth, float base, float amplitude, float features, uint32_t seed)
		{
			return base + amplitude * RingNoise(azimuth, features, 4, seed);
		}

		// Cloud cover on a flat layer overhead, 0 … 1.
		float CloudCover(float azimuth, float elevation, float coverage, float cell, uint32_t seed)
		{
			if (elevation < 1.5f)
				return 0;
			float reach = 1000.0f / std::tan(elevation * DEG);
			float n = Fbm(std::sin(azimuth) * reach, std::cos(azimuth) * reach, cell, 4, seed);
			return SmoothStep(coverage, coverage + 0.12f, n) * SmoothStep(1.5f, 9.0f, elevation);
		}

		float Stars(float azimuth, float elevation, float density, uint32_t seed)
		{
			int32_t ax = int32_t(azimuth / DEG * 3.0f), ey = int32_t((elevation + 90) * 3.0f);
			float h = Hash01(ax, ey, seed);
			return h < density ? 0.5f + 0.5f * Hash01(ax, ey, seed + 1) : 0.0f;
		}

		// Sky from horizon to zenith, steeper toward the top with `curve` > 1.
		Rgb Gradient(float elevation, Rgb horizon, Rgb zenith, float curve)
		{
			return Mix(horizon, zenith, std::pow(std::clamp(elevation / 90.0f, 0.0f, 1.0f), 1.0f / curve));
		}
	}

	Kit::Rgba FarmSky(float azimuth, float elevation)
	{
		if (elevation < 0)
			return Out(Mix(Hex(0x5E9A4E), Hex(0x2E6A22), SmoothStep(0, -25, elevation)));
		Rgb c = Gradient(elevation, Hex(0xCDEBFF), Hex(0x2C6AD6), 1.8f);
		float cloud = CloudCover(azimuth, elevation, 0.56f, 520, 11);
		if (cloud > 0)
		{
			float shade = Fbm(std::sin(azimuth) * 900, std::cos(azimuth) * 900 + elevation * 40, 300, 2, 12);
			c = Mix(c, Mix(Hex(0xFFFFFF), Hex(0xB8C4D8), shade * 0.8f), cloud);
		}
		float far = Hills(azimuth, 0.8f, 4.5f, 9, 13);
		float near = Hills(azimuth, 0.2f, 2.8f, 17, 14);
		if (elevation < near)
			return Out(Mix(Hex(0x4E8A3A), Hex(0x6E9E56), elevation / std::max(near, 0.1f)));
		if (elevation < far)
			return Out(Mix(Hex(0x8EB49A), c, 0.35f));
		return Out(c);
	}

	Kit::Rgba SlimeBossSky(float azimuth, float elevation)
	{
		Rgb fog = Hex(0x2B0D4A);
		if (elevation < 0)
			return Out(Mix(fog, Hex(0x1A0630), SmoothStep(0, -40, elevation)));
		Rgb c = Gradient(elevation, fog, Hex(0x0C0316), 1.5f);
		// A green shimmer hanging in the sky.
		float band = std::sin(azimuth * 3 + RingNoise(azimuth, 5, 2, 21) * 6) * 6 + 32;
		float shimmer = std::max(0.0f, 1 - std::fabs(elevation - band) / 9.0f) * RingNoise(azimuth, 14, 3, 22);
		c = c + Hex(0x2AD84A) * (0.5f * shimmer);
		// Glowing bubbles drifting high up.
		float cellAz = azimuth / DEG / 14, cellEl = elevation / 14;
		int32_t ia = int32_t(std::floor(cellAz)), ie = int32_t(std::floor(cellEl));
		float ca = float(ia) + 0.5f, ce = float(ie) + 0.5f;
		float r = std::hypot(cellAz - ca, cellEl - ce);
		if (Hash01(ia, ie, 23) < 0.35f && r < 0.22f)
			c = Mix(c, Hex(0x9CFF6A), 0.9f * (1 - r / 0.22f));
		// Spires of purple rock.
		float spikes = std::pow(RingNoise(azimuth, 40, 2, 24), 3.0f) * 28.0f;
		float ridge = Hills(azimuth, 1.0f, 5.0f, 11, 25);
		float top = std::max(spikes, ridge);
		if (elevation < top)
			return Out(Mix(fog, Hex(0x4A2270), SmoothStep(0, 14, elevation)));
		return Out(c);
	}

	Kit::Rgba ApocalypseSky(float azimuth, float elevation)
	{
		if (elevation < 0)
			return Out(Hex(0x000000));
		Rgb glow = Mix(Hex(0x6A2410), Hex(0x8A3A12), RingNoise(azimuth, 4, 2, 31));
		Rgb c = Mix(glow, Hex(0x0A0608), SmoothStep(0, 38, elevation));
		c = Mix(Hex(0x000000), c, SmoothStep(-1, 3, elevation));
		float smoke = CloudCover(azimuth, elevation, 0.5f, 480, 32);
		c = Mix(c, Mix(Hex(0x2A1A14), Hex(0x5A3020), SmoothStep(30, 5, elevation)), smoke * 0.85f);
		// Broken towers: blocks of random width and height, some with lit windows.
		float slot = azimuth / DEG / 2.2f;
		int32_t building = int32_t(std::floor(slot));
		float height = 1.5f + 9.0f * std::pow(Hash01(building, 0, 33), 2.0f);
		float across = slot - float(building);
		if (Hash01(building, 1, 33) < 0.5f)		// a jagged, broken top
			height -= 3.0f * std::fabs(across - Hash01(building, 2, 33));
		if (elevation < height)
		{
			int32_t wx = int32_t(slot * 6), wy = int32_t(elevation * 2.5f);
			bool window = (wx % 2 == 0) && (wy % 2 == 0) && Hash01(wx, wy, 34) < 0.12f;
			return Out(window ? Hex(0xE8B048) : Hex(0x0C0A0C));
		}
		return Out(c);
	}

	Kit::Rgba CloudSky(float azimuth, float elevation)
	{
		Rgb fog = Hex(0xAF236E);
		Rgb c;
		if (elevation >= 0)
		{
			c = Gradient(elevation, fog, Hex(0x240A46), 1.6f);
			float star = Stars(azimuth, elevation, 0.006f, 41) * SmoothStep(20, 50, elevation);
			c = Mix(c, Hex(0xFFF0FF), star);
		}
		else
			c = Mix(fog, Hex(0x3A0A50), SmoothStep(0, -60, elevation));

		// Banks of cloud round the horizon, above and below it.
		float bank = RingNoise(azimuth, 16, 4, 42);
		float top = -4 + 16 * bank * bank;
		float bottom = -30 + 10 * RingNoise(azimuth, 9, 3, 43);
		if (elevation < top && elevation > bottom)
		{
			float depth = std::min(top - elevation, elevation - bottom);
			float billow = Fbm(azimuth * 200, elevation * 6, 60, 3, 44);
			Rgb cloud = Mix(Hex(0xD86AA8), Hex(0xFFE4F4), SmoothStep(0, 6, depth) * (0.5f + 0.5f * billow));
			c = Mix(c, cloud, SmoothStep(0, 1.5f, depth));
		}
		// Scattered clouds far below, seen through the holes.
		if (elevation < -35)
		{
			float reach = 1000.0f / std::tan(-elevation * DEG);
			float n = Fbm(std::sin(azimuth) * reach, std::cos(azimuth) * reach, 600, 3, 45);
			c = Mix(c, Hex(0xE8A8D0), SmoothStep(0.58f, 0.7f, n) * 0.8f);
		}
		return Out(c);
	}

	Kit::Rgba JungleSky(float azimuth, float elevation)
	{
		Rgb fog = Hex(0x99994D);
		if (elevation < 0)
			return Out(Mix(fog, Hex(0x2A4A22), SmoothStep(-2, -20, elevation)));
		Rgb c = Gradient(elevation, Hex(0xC8C890), Hex(0x4E9AC0), 1.4f);
		c = Mix(fog, c, SmoothStep(0, 8, elevation));
		float cloud = CloudCover(azimuth, elevation, 0.6f, 600, 51);
		c = Mix(c, Hex(0xF0F4E8), cloud * 0.8f);
		float mountains = Hills(azimuth, 2.0f, 10.0f, 6, 52);
		float canopy = Hills(azimuth, 0.5f, 2.5f, 60, 53);
		if (elevation < canopy)
			return Out(Mix(fog, Hex(0x4E6A2E), 0.45f));
		if (elevation < mountains)
			return Out(Mix(fog, Hex(0x6E7A5A), 0.35f + 0.02f * elevation));
		return Out(c);
	}

	Kit::Rgba FireIceSky(float azimuth, float elevation)
	{
		if (elevation < 0)
			return Out(Hex(0x000000));
		Rgb c = Gradient(elevation, Hex(0x101426), Hex(0x03040A), 1.5f);
		c = c + Hex(0xFFFFFF) * (Stars(azimuth, elevation, 0.008f, 61) * SmoothStep(8, 30, elevation) * 0.8f);
		// East (toward +x) glows with fire, the west shimmers with an aurora.
		float east = std::max(0.0f, std::sin(azimuth));
		float west = std::max(0.0f, -std::sin(azimuth));
		c = c + Hex(0x8A2A0A) * (std::pow(east, 3.0f) * (1 - SmoothStep(0, 30, elevation)));
		float curtain = std::sin(azimuth * 9 + RingNoise(azimuth, 6, 2, 62) * 8);
		float aurora = std::pow(west, 2.0f) * SmoothStep(12, 22, elevation) * (1 - SmoothStep(30, 48, elevation))
				* (0.5f + 0.5f * curtain);
		c = c + Mix(Hex(0x1AC87A), Hex(0x3A8AFF), SmoothStep(20, 45, elevation)) * (0.7f * aurora);
		c = Mix(Hex(0x000000), c, SmoothStep(-1, 4, elevation));

		// A volcano in the east with a glowing top, sharp ice peaks in the west.
		float fromEast = std::remainder(azimuth - 3.14159265f / 2, 2 * 3.14159265f) / DEG;
		float flank = 11.0f - std::fabs(fromEast) * 0.5f + 1.5f * (RingNoise(azimuth, 50, 3, 64) - 0.5f);
		float crater = std::fabs(fromEast) < 2.5f ? 0.8f * (1 - std::fabs(fromEast) / 2.5f) : 0.0f;
		float cone = std::min(flank, 10.2f) - crater;
		if (elevation < cone && cone > 0)
		{
			// Lava glows down the flanks from the crater.
			float streak = std::max(0.0f, 1 - std::fabs(std::sin(fromEast * 0.9f)) * 3.0f) * SmoothStep(2, 9, elevation);
			return Out(cone - elevation < 0.8f && std::fabs(fromEast) < 4 ? Hex(0xFF7A22)
					: Mix(Hex(0x140C0A), Hex(0xC8400E), streak * 0.7f));
		}
		float peaks = std::pow(RingNoise(azimuth, 30, 3, 63), 2.0f) * 16.0f * std::pow(west, 0.5f);
		if (elevation < peaks)
			return Out(Mix(Hex(0x0A0E16), Hex(0x3A4A62), SmoothStep(0, peaks, elevation)));
		return Out(c);
	}
}
