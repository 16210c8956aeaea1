#include "worlds/Ground.h"

#include <algorithm>
#include <cmath>

namespace TerrainBake::Ground
{
	// Snaps to a coarse step so neighbouring pixels share colours: flat,
	// readable ground (and textures that compress).
	static float Steps(float v, float levels)
	{
		return std::floor(Clamp01(v) * levels) / levels;
	}

	Rgb Grass(const GroundSample& s, Rgb light, Rgb dark, uint32_t seed, float flowers)
	{
		float patches = Fbm(s.x, s.z, 2400, 3, seed);
		Rgb c = Mix(dark, light, SmoothStep(0.3f, 0.7f, patches));
		float blades = Steps(ValueNoise(s.x, s.z, 45, seed + 5), 3);
		c = c * (0.92f + 0.12f * blades);
		if (flowers > 0)
		{
			CellHit f = Cells(s.x, s.z, 260, seed + 9);
			if (f.value < flowers && f.distance < 0.09f)
				c = f.value < flowers * 0.5f ? Hex(0xFFF27A) : Hex(0xFFFFFF);
		}
		return c;
	}

	Rgb Dirt(const GroundSample& s, Rgb base, uint32_t seed)
	{
		float mottle = Steps(Fbm(s.x, s.z, 700, 3, seed), 4);
		Rgb c = base * (0.82f + 0.3f * mottle);
		CellHit p = Cells(s.x, s.z, 110, seed + 3);
		if (p.distance < 0.2f)
			c = c * (p.value < 0.5f ? 0.78f : 1.18f);
		return c;
	}

	Rgb Rock(const GroundSample& s, Rgb light, Rgb dark, uint32_t seed)
	{
		float layers = 0.5f + 0.5f * std::sin(s.height * 0.02f + Fbm(s.x, s.z, 1500, 2, seed) * 6.0f);
		Rgb c = Mix(dark, light, Steps(layers, 4) * 0.8f + 0.1f);
		float crack = Ridge(s.x, s.z, 900, 3, seed + 7);
		if (crack > 0.975f)
			c = c * 0.72f;
		return c;
	}

	Rgb Slime(const GroundSample& s, Rgb base, Rgb bubble, uint32_t seed)
	{
		float swirl = Fbm(s.x + 300 * std::sin(s.z * 0.0011f), s.z, 1100, 3, seed);
		Rgb c = base * (0.8f + 0.35f * Steps(swirl, 5));
		CellHit b = Cells(s.x, s.z, 190, seed + 4);
		float r = 0.12f + 0.14f * b.value;
		if (b.distance < r && b.distance > r - 0.07f)
			c = Mix(c, bubble, 0.8f);
		else if (b.distance < r * 0.45f && b.value > 0.6f)
			c = Mix(c, bubble, 0.45f);
		return c;
	}

	Rgb Rubble(const GroundSample& s, Rgb base, uint32_t seed)
	{
		CellHit chunk = Cells(s.x, s.z, 170, seed);
		Rgb c = base * (0.7f + 0.5f * chunk.value);
		if (chunk.value > 0.82f)
			c = Mix(c, Hex(0x9A4A36), 0.6f);		// a brick among the concrete
		CellHit edge = Cells(s.x, s.z, 170, seed);
		if (edge.distance > 0.55f)
			c = c * 0.65f;
		return c * (0.9f + 0.2f * Steps(Fbm(s.x, s.z, 900, 2, seed + 3), 3));
	}

	Rgb Asphalt(const GroundSample& s, Rgb base, uint32_t seed)
	{
		Rgb c = base * (0.9f + 0.15f * Steps(Fbm(s.x, s.z, 500, 2, seed), 3));
		if (Ridge(s.x, s.z, 1300, 3, seed + 2) > 0.95f)
			c = c * 0.55f;
		return c;
	}

	Rgb Cloud(const GroundSample& s, Rgb light, Rgb shade, uint32_t seed)
	{
		CellHit billow = Cells(s.x, s.z, 520, seed);
		float puff = Clamp01(1.0f - billow.distance * 1.6f);
		float soft = Fbm(s.x, s.z, 1400, 3, seed + 1);
		float t = Steps(0.55f * puff + 0.45f * soft, 6);
		return Mix(shade, light, t);
	}

	Rgb JungleFloor(const GroundSample& s, uint32_t seed)
	{
		// The undergrowth drifts between yellowish and bluish greens over large patches.
		Rgb moss = Mix(Hex(0x3E8A2A), Hex(0x6AA02E), Fbm(s.x, s.z, 4200, 2, seed + 7));
		Rgb deep = Hex(0x1E4E1C), earth = Hex(0x5A4424);
		float patches = Fbm(s.x, s.z, 1600, 3, seed);
		// Undergrowth: clumps of plants, lit on top, dark between.
		CellHit plant = Cells(s.x, s.z, 150, seed + 1);
		Rgb green = Mix(deep, moss, 1.0f - plant.distance * 1.3f) * (0.85f + 0.3f * plant.value);
		Rgb c = Mix(earth, green, SmoothStep(0.3f, 0.42f, patches));
		// Bright tropical flowers dot it.
		CellHit bloom = Cells(s.x, s.z, 240, seed + 8);
		if (patches > 0.45f && bloom.value > 0.82f && bloom.distance < 0.1f)
		{
			static const Rgb flowers[3] = {Hex(0xE8303A), Hex(0xF4A820), Hex(0xC048E0)};
			c = flowers[std::min(2, int((bloom.value - 0.82f) / 0.18f * 3))];
		}
		// Fallen leaves where the earth shows through.
		if (patches < 0.4f)
		{
			CellHit leaf = Cells(s.x, s.z, 70, seed + 6);
			static const Rgb leaves[4] = {Hex(0x8A6A26), Hex(0x6E8F2A), Hex(0xA07A30), Hex(0x7A4A22)};
			if (leaf.distance < 0.22f)
				c = Mix(c, leaves[int(leaf.value * 3.99f)], 0.5f);
		}
		return c;
	}

	Rgb Lava(const GroundSample& s, float heat, uint32_t seed)
	{
		float crack = Ridge(s.x + 200 * std::sin(s.z * 0.002f), s.z, 1000, 3, seed);
		float glow = SmoothStep(0.92f - 0.25f * heat, 0.99f - 0.1f * heat, crack);
		Rgb crust = Hex(0x231C1C) * (0.8f + 0.4f * Steps(Fbm(s.x, s.z, 400, 2, seed + 1), 3));
		Rgb hot = Mix(Hex(0xFF5A12), Hex(0xFFD23A), SmoothStep(0.97f, 1.0f, crack));
		return Mix(crust, hot, glow);
	}

	Rgb Snow(const GroundSample& s, uint32_t seed)
	{
		// Cold blues, so the snow stays snow under a warm light.
		float drift = Steps(Fbm(s.x, s.z, 1400, 3, seed), 5);
		Rgb c = Mix(Hex(0x86AEEA), Hex(0xEEF6FF), 0.25f + 0.75f * drift);
		CellHit glint = Cells(s.x, s.z, 120, seed + 1);
		if (glint.distance < 0.06f && glint.value > 0.6f)
			c = Hex(0xFFFFFF);
		return c;
	}

	Rgb Ice(const GroundSample& s, uint32_t seed)
	{
		Rgb c = Mix(Hex(0x5FA8D8), Hex(0x9ED8F2), Steps(Fbm(s.x, s.z, 1500, 3, seed), 4));
		CellHit plate = Cells(s.x, s.z, 600, seed + 3);
		if (plate.distance > 0.5f && plate.distance < 0.56f)
			c = Mix(c, Hex(0xEAF8FF), 0.8f);
		return c;
	}

	Rgb MetalPlates(const GroundSample& s, Rgb base, float plate, uint32_t seed)
	{
		float u = s.x / plate, v = s.z / plate;
		int32_t iu = int32_t(std::floor(u)), iv = int32_t(std::floor(v));
		float fu = u - float(iu), fv = v - float(iv);
		Rgb c = base * (0.85f + 0.25f * Hash01(iu, iv, seed));
		float seam = 28.0f / plate;
		if (fu < seam || fv < seam)
			c = c * 0.55f;
		else if (fu > 1 - seam * 0.7f || fv > 1 - seam * 0.7f)
			c = c * 1.2f;
		float ru = std::min(fu, 1 - fu), rv = std::min(fv, 1 - fv);
		if (ru > seam && rv > seam && ru < seam * 2.6f && rv < seam * 2.6f)
			c = c * 1.35f;		// rivets near the corners
		return c;
	}

	Rgb HexPlates(const GroundSample& s, Rgb base, Rgb glow, float size, uint32_t seed)
	{
		// Plates centred on a hexagonal lattice; a seam runs where the nearest
		// two centres are nearly equally far.
		const float rowStep = size * 1.5f, colStep = size * 1.7320508f;
		int32_t r0 = int32_t(std::floor(s.z / rowStep));
		float d1 = 1e9f, d2 = 1e9f;
		int32_t bestQ = 0, bestR = 0;
		for (int32_t r = r0 - 1; r <= r0 + 2; r++)
		{
			float shift = (r & 1) ? colStep * 0.5f : 0.0f;
			int32_t q0 = int32_t(std::floor((s.x - shift) / colStep));
			for (int32_t q = q0 - 1; q <= q0 + 2; q++)
			{
				float d = Hypot(s.x - (float(q) * colStep + shift), s.z - float(r) * rowStep);
				if (d < d1)
				{
					d2 = d1;
					d1 = d;
					bestQ = q;
					bestR = r;
				}
				else if (d < d2)
					d2 = d;
			}
		}
		float seam = (d2 - d1) / size;
		if (seam < 0.08f)
			return glow;
		Rgb c = base * (0.8f + 0.3f * Hash01(bestQ, bestR, seed));
		return seam < 0.16f ? c * 0.5f : c;
	}

	Rgb Paving(const GroundSample& s, Rgb base, float stone, uint32_t seed)
	{
		CellHit p = Cells(s.x, s.z, stone, seed);
		Rgb c = base * (0.8f + 0.35f * p.value);
		CellHit q = Cells(s.x, s.z, stone, seed);
		if (q.distance > 0.48f)
			c = c * 0.6f;
		return c;
	}

	Rgb Field(const GroundSample& s, Rgb crop, Rgb soil, float spacing, float angle, uint32_t seed)
	{
		float across = s.x * std::cos(angle) + s.z * std::sin(angle);
		float row = std::fmod(std::fabs(across) / spacing, 1.0f);
		float growth = Fbm(s.x, s.z, 900, 2, seed);
		Rgb c = row < 0.55f ? crop * (0.85f + 0.25f * Steps(growth, 3)) : soil;
		return c;
	}

	Rgb Sand(const GroundSample& s, Rgb base, uint32_t seed)
	{
		float ripple = 0.5f + 0.5f * std::sin(s.x * 0.03f + Fbm(s.x, s.z, 800, 2, seed) * 8.0f);
		return base * (0.88f + 0.16f * Steps(ripple, 3));
	}

}
