#include "worlds/WorldKit.h"

#include <algorithm>
#include <cmath>
#include <atomic>
#include <map>
#include <stdexcept>
#include <thread>

namespace TerrainBake
{
	//
	// Colours
	//

	Rgb Hex(uint32_t rgb)
	{
		return {float((rgb >> 16) & 0xFF) / 255.0f, float((rgb >> 8) & 0xFF) / 255.0f, float(rgb & 0xFF) / 255.0f};
	}

	Rgb Mix(Rgb a, Rgb b, float t)
	{
		t = Clamp01(t);
		return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
	}

	uint16_t Pack1555(Rgb c, float dither)
	{
		auto channel = [&](float v) {
			int q = int(std::floor(Clamp01(v) * 31.0f + 0.5f + dither));
			return uint16_t(std::clamp(q, 0, 31));
		};
		return uint16_t(0x8000 | (channel(c.r) << 10) | (channel(c.g) << 5) | channel(c.b));
	}

	//
	// Noise
	//

	static uint32_t Mix32(uint32_t h)
	{
		h ^= h >> 16;
		h *= 0x7feb352d;
		h ^= h >> 15;
		h *= 0x846ca68b;
		h ^= h >> 16;
		return h;
	}

	float Hash01(int32_t x, int32_t z, uint32_t seed)
	{
		uint32_t h = Mix32(uint32_t(x) * 0x8da6b343u ^ uint32_t(z) * 0xd8163841u ^ seed * 0xcb1ab31fu);
		return float(h >> 8) * (1.0f / 16777216.0f);
	}

	float ValueNoise(float x, float z, float cell, uint32_t seed)
	{
		float gx = x / cell, gz = z / cell;
		float fx = std::floor(gx), fz = std::floor(gz);
		int32_t ix = int32_t(fx), iz = int32_t(fz);
		float tx = gx - fx, tz = gz - fz;
		tx = tx * tx * (3 - 2 * tx);
		tz = tz * tz * (3 - 2 * tz);
		float a = Hash01(ix, iz, seed), b = Hash01(ix + 1, iz, seed);
		float c = Hash01(ix, iz + 1, seed), d = Hash01(ix + 1, iz + 1, seed);
		return Lerp(Lerp(a, b, tx), Lerp(c, d, tx), tz);
	}

	float Fbm(float x, float z, float cell, int octaves, uint32_t seed)
	{
		float sum = 0, amplitude = 1, total = 0;
		for (int i = 0; i < octaves; i++)
		{
			sum += ValueNoise(x, z, cell, seed + uint32_t(i) * 977u) * amplitude;
			total += amplitude;
			amplitude *= 0.5f;
			cell *= 0.5f;
		}
		return sum / total;
	}

	float Ridge(float x, float z, float cell, int octaves, uint32_t seed)
	{
		float n = Fbm(x, z, cell, octaves, seed);
		return 1.0f - std::fabs(n * 2.0f - 1.0f);
	}

	CellHit Cells(float x, float z, float cell, uint32_t seed)
	{
		float gx = x / cell, gz = z / cell;
		int32_t ix = int32_t(std::floor(gx)), iz = int32_t(std::floor(gz));
		CellHit best{1e9f, 0, 0, 0};
		for (int dz = -1; dz <= 1; dz++)
			for (int dx = -1; dx <= 1; dx++)
			{
				int32_t cx = ix + dx, cz = iz + dz;
				float px = float(cx) + 0.15f + 0.7f * Hash01(cx, cz, seed);
				float pz = float(cz) + 0.15f + 0.7f * Hash01(cx, cz, seed + 1);
				float d = Hypot(gx - px, gz - pz);
				if (d < best.distance)
					best = {d, Hash01(cx, cz, seed + 2), px * cell, pz * cell};
			}
		return best;
	}

	float Clamp01(float v)
	{
		return v < 0 ? 0 : (v > 1 ? 1 : v);
	}

	float SmoothStep(float edge0, float edge1, float v)
	{
		float t = Clamp01((v - edge0) / (edge1 - edge0));
		return t * t * (3 - 2 * t);
	}

	float Lerp(float a, float b, float t)
	{
		return a + (b - a) * t;
	}

	float DistanceToSegment(float x, float z, Point2 a, Point2 b, float* t)
	{
		float dx = b.x - a.x, dz = b.z - a.z;
		float len2 = dx * dx + dz * dz;
		float s = len2 > 0 ? Clamp01(((x - a.x) * dx + (z - a.z) * dz) / len2) : 0;
		if (t)
			*t = s;
		return Hypot(x - (a.x + dx * s), z - (a.z + dz * s));
	}

	float DistanceToPath(float x, float z, const std::vector<Point2>& path, float* along)
	{
		if (!along)
		{
			float best = 1e9f;
			for (size_t i = 1; i < path.size(); i++)
				best = std::min(best, DistanceToSegment(x, z, path[i - 1], path[i]));
			return best;
		}
		float best = 1e9f, bestAlong = 0, walked = 0, total = 0;
		for (size_t i = 1; i < path.size(); i++)
			total += Hypot(path[i].x - path[i - 1].x, path[i].z - path[i - 1].z);
		for (size_t i = 1; i < path.size(); i++)
		{
			float t;
			float segment = Hypot(path[i].x - path[i - 1].x, path[i].z - path[i - 1].z);
			float d = DistanceToSegment(x, z, path[i - 1], path[i], &t);
			if (d < best)
			{
				best = d;
				bestAlong = total > 0 ? (walked + t * segment) / total : 0;
			}
			walked += segment;
		}
		*along = bestAlong;
		return best;
	}

	float DiscWeight(float x, float z, Point2 center, float radius, float edge)
	{
		float d = Hypot(x - center.x, z - center.z);
		return 1.0f - SmoothStep(radius, radius + edge, d);
	}

	float RectWeight(float x, float z, Point2 center, float halfX, float halfZ, float edge)
	{
		float dx = std::max(0.0f, std::fabs(x - center.x) - halfX);
		float dz = std::max(0.0f, std::fabs(z - center.z) - halfZ);
		return 1.0f - SmoothStep(0, edge, Hypot(dx, dz));
	}

	FileItem Item(uint16_t type, float x, float z, uint8_t parm0, uint8_t parm1, uint8_t parm2, uint8_t parm3)
	{
		FileItem item;
		item.x = WorldToMap(x);
		item.z = WorldToMap(z);
		item.type = type;
		item.parm = {parm0, parm1, parm2, parm3};
		return item;
	}

	//
	// Baking a design
	//

	namespace
	{
		constexpr float BAYER4[4][4] = {
			{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5},
		};

		// The supertile's corner heights with a ring of one more corner around
		// (clamped at the map's edges), and the smooth normals' y at its corners.
		struct CornerGrid
		{
			float height[11][11];
			float normalY[9][9];
		};

		void FillCorners(const TerrainFileContent& c, int tileRow, int tileCol, CornerGrid* g)
		{
			auto h = [&](int r, int col) {
				r = std::clamp(r, 0, c.tilesDeep);
				col = std::clamp(col, 0, c.tilesWide);
				return c.heights[size_t(r) * size_t(c.tilesWide + 1) + size_t(col)];
			};
			for (int i = 0; i < 11; i++)
				for (int j = 0; j < 11; j++)
					g->height[i][j] = h(tileRow + i - 1, tileCol + j - 1);
			for (int i = 0; i < 9; i++)
				for (int j = 0; j < 9; j++)
				{
					float dx = (g->height[i + 1][j + 2] - g->height[i + 1][j]) / (2 * TILE);
					float dz = (g->height[i + 2][j + 1] - g->height[i][j + 1]) / (2 * TILE);
					g->normalY[i][j] = 1.0f / std::sqrt(1 + dx * dx + dz * dz);
				}
		}

		SuperTileTexture PaintSuperTile(const WorldDesign& design, const CornerGrid& g, float left, float top)
		{
			SuperTileTexture texture(TEXTURE_PIXELS);
			const float pixel = SUPERTILE / TEXTURE_SIZE;
			for (int py = 0; py < TEXTURE_SIZE; py++)
				for (int px = 0; px < TEXTURE_SIZE; px++)
				{
					// 16 pixels per tile; (fx, fz) is the place inside its tile.
					int j = px / 16, i = py / 16;
					float fx = (float(px % 16) + 0.5f) / 16.0f, fz = (float(py % 16) + 0.5f) / 16.0f;
					float h0 = Lerp(g.height[i + 1][j + 1], g.height[i + 1][j + 2], fx);
					float h1 = Lerp(g.height[i + 2][j + 1], g.height[i + 2][j + 2], fx);
					float n0 = Lerp(g.normalY[i][j], g.normalY[i][j + 1], fx);
					float n1 = Lerp(g.normalY[i + 1][j], g.normalY[i + 1][j + 1], fx);

					GroundSample s;
					s.x = left + (float(px) + 0.5f) * pixel;
					s.z = top + (float(py) + 0.5f) * pixel;
					s.height = Lerp(h0, h1, fz);
					s.slope = Clamp01(1.0f - Lerp(n0, n1, fz));
					Rgb color = design.paint(s);

					uint16_t packed;
					if (color.r == 0 && color.g == 0 && color.b == 0)
						packed = 0;		// black: see-through where black is clear
					else
					{
						float dither = design.dither ? BAYER4[py & 3][px & 3] / 16.0f - 0.47f : 0.0f;
						packed = Pack1555(color, dither);
						if ((packed & 0x7FFF) == 0)
							packed |= 0x0001;		// a painted near-black stays visible
					}
					texture[size_t(py) * TEXTURE_SIZE + size_t(px)] = packed;
				}
			return texture;
		}
	}

	TerrainFileContent BakeWorld(const WorldDesign& design)
	{
		if (design.superTilesWide <= 0 || design.superTilesDeep <= 0 || !design.height || !design.paint)
			throw std::logic_error("world " + design.name + ": incomplete design");

		TerrainFileContent c;
		c.tilesWide = design.superTilesWide * 8;
		c.tilesDeep = design.superTilesDeep * 8;
		c.tileSize = TILE;

		c.heights.resize(size_t(c.tilesWide + 1) * size_t(c.tilesDeep + 1));
		for (int r = 0; r <= c.tilesDeep; r++)
			for (int col = 0; col <= c.tilesWide; col++)
				c.heights[size_t(r) * size_t(c.tilesWide + 1) + size_t(col)] = design.height(float(col) * TILE, float(r) * TILE);

		std::map<uint16_t, uint16_t> attributeOf;
		c.attributeFlags.push_back(0);
		attributeOf[0] = 0;
		c.attributeIndex.resize(size_t(c.tilesWide) * size_t(c.tilesDeep));
		for (int r = 0; r < c.tilesDeep; r++)
			for (int col = 0; col < c.tilesWide; col++)
			{
				uint16_t flags = design.tileFlags ? design.tileFlags((float(col) + 0.5f) * TILE, (float(r) + 0.5f) * TILE) : 0;
				auto [it, added] = attributeOf.emplace(flags, uint16_t(c.attributeFlags.size()));
				if (added)
					c.attributeFlags.push_back(flags);
				c.attributeIndex[size_t(r) * size_t(c.tilesWide) + size_t(col)] = it->second;
			}

		// Texture numbers in grid order; empty supertiles have none.
		c.textures.push_back(SuperTileTexture(TEXTURE_PIXELS, 0));		// the blank texture
		c.superTileTextures.resize(size_t(design.superTilesWide) * size_t(design.superTilesDeep));
		for (int row = 0; row < design.superTilesDeep; row++)
			for (int col = 0; col < design.superTilesWide; col++)
			{
				bool empty = design.emptySuperTile && design.emptySuperTile(row, col);
				c.superTileTextures[size_t(row) * size_t(design.superTilesWide) + size_t(col)] =
						empty ? 0 : uint16_t(c.textures.size());
				if (!empty)
					c.textures.emplace_back();
			}

		// Each supertile paints on its own, so they are shared out among the
		// processor's threads; the result does not depend on how.
		std::atomic<size_t> next{0};
		auto painter = [&] {
			CornerGrid grid;
			for (size_t cell = next++; cell < c.superTileTextures.size(); cell = next++)
			{
				uint16_t t = c.superTileTextures[cell];
				if (t == 0)
					continue;
				int row = int(cell) / design.superTilesWide, col = int(cell) % design.superTilesWide;
				FillCorners(c, row * 8, col * 8, &grid);
				c.textures[t] = PaintSuperTile(design, grid, float(col) * SUPERTILE, float(row) * SUPERTILE);
			}
		};
		unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
		std::vector<std::thread> workers;
		for (unsigned i = 1; i < threads; i++)
			workers.emplace_back(painter);
		painter();
		for (std::thread& w : workers)
			w.join();

		c.items = design.items;
		c.fences = design.fences;
		c.water = design.water;
		c.splines = design.splines;
		Validate(c);
		return c;
	}
}
