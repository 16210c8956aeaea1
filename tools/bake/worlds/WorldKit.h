// The kit the ten worlds are built with: world-space noise, shape functions
// for hills, plateaus, pits, arenas and paths, and the step that turns a
// world design (a height function, a painter, tile attributes and items) into
// a terrain file's content. The ground painters are in worlds/Ground.h, what
// the designs place with in worlds/WorldPlacing.h.
#pragma once

#include "formats/TerrainWriter.h"
#include "Autopilot/AutopilotRoute.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace TerrainBake
{
	constexpr float TILE = 225.0f;
	constexpr float SUPERTILE = 1800.0f;

	//
	// Colours
	//

	struct Rgb
	{
		float r = 0, g = 0, b = 0;		// 0 … 1
	};
	inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
	inline Rgb operator*(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }
	inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
	Rgb Hex(uint32_t rgb);
	Rgb Mix(Rgb a, Rgb b, float t);		// t clamped to 0 … 1
	// A 1-5-5-5 word, opaque; `dither` (−0.5 … 0.5) shifts the rounding.
	uint16_t Pack1555(Rgb c, float dither = 0);

	//
	// Noise and shapes (world units in, plain numbers out)
	//

	float Hash01(int32_t x, int32_t z, uint32_t seed);
	// Smooth value noise with a lattice of `cell` units, 0 … 1.
	float ValueNoise(float x, float z, float cell, uint32_t seed);
	// Octaves of value noise halving in size, 0 … 1.
	float Fbm(float x, float z, float cell, int octaves, uint32_t seed);
	// Sharp crests where the noise crosses its middle, 0 … 1 (1 on a crest).
	float Ridge(float x, float z, float cell, int octaves, uint32_t seed);
	// Distance to the nearest of the jittered points of a grid of `cell` units,
	// in cells (0 at a point, about 0.7 at most), and a per-point random value.
	struct CellHit
	{
		float distance;
		float value;		// 0 … 1, fixed per point
		float pointX, pointZ;
	};
	CellHit Cells(float x, float z, float cell, uint32_t seed);

	// sqrt(x² + z²): the noise and shapes need no overflow care, and hypot is slow.
	inline float Hypot(float x, float z) { return std::sqrt(x * x + z * z); }
	float Clamp01(float v);
	float SmoothStep(float edge0, float edge1, float v);
	float Lerp(float a, float b, float t);

	struct Point2
	{
		float x = 0, z = 0;
	};
	float DistanceToSegment(float x, float z, Point2 a, Point2 b, float* t = nullptr);
	// Distance to a polyline and, in `along`, the fraction 0 … 1 of its length at the nearest point.
	float DistanceToPath(float x, float z, const std::vector<Point2>& path, float* along = nullptr);

	// A disc of `radius` that rises to `height` over `edge` units outside it
	// (a plateau when positive, a pit when negative): the blend weight 0 … 1.
	float DiscWeight(float x, float z, Point2 center, float radius, float edge);
	// The same for an axis-aligned rectangle (centre, half sizes).
	float RectWeight(float x, float z, Point2 center, float halfX, float halfZ, float edge);

	// Distance to the nearest map edge.
	inline float EdgeDistance(float x, float z, float width, float depth)
	{
		return std::fmin(std::fmin(x, z), std::fmin(width - x, depth - z));
	}

	// Lifts h toward `top` inside a disc (a plateau with a steep edge); never lowers it.
	inline float Plateau(float h, float x, float z, Point2 c, float radius, float top, float edge)
	{
		return std::fmax(h, Lerp(h, top, DiscWeight(x, z, c, radius, edge)));
	}

	// Brings h to `level` inside a disc, blending out over `edge`.
	inline float Flatten(float h, float x, float z, Point2 c, float radius, float level, float edge)
	{
		return Lerp(h, level, DiscWeight(x, z, c, radius, edge));
	}

	//
	// Designs
	//

	// What the painter knows about one pixel of ground.
	struct GroundSample
	{
		float x, z;			// world position
		float height;		// of the drawn surface
		float slope;		// 0 flat … 1 vertical
	};

	struct WorldDesign
	{
		std::string name;						// the level table's terrain file: "EarthFarm" for ":Terrain:EarthFarm.ter"
		int superTilesWide = 0, superTilesDeep = 0;
		uint32_t seed = 1;
		// Ground height at any point (world units).
		std::function<float(float x, float z)> height;
		// Colour of the ground; return HOLE (pure black) for see-through pixels
		// on a world whose black is clear.
		std::function<Rgb(const GroundSample&)> paint;
		// Tile attribute flags of the tile whose centre is (x, z); none: all 0.
		std::function<uint16_t(float x, float z)> tileFlags;
		// Supertiles with no geometry (never drawn); none: every one is drawn.
		std::function<bool(int row, int col)> emptySuperTile;
		std::vector<FileItem> items;
		std::vector<FileFence> fences;
		std::vector<FileWaterPatch> water;
		std::vector<FileSpline> splines;
		// The goals a player follows from the start to the level's end, from
		// the same landmarks as the items (written to Routes/Level<N>.route).
		Route route;
		bool dither = true;
	};

	// A see-through pixel (only on the Cloud level, which treats black as clear).
	constexpr Rgb HOLE = {0, 0, 0};

	// An item at a world position.
	FileItem Item(uint16_t type, float x, float z, uint8_t parm0 = 0, uint8_t parm1 = 0, uint8_t parm2 = 0, uint8_t parm3 = 0);

	// Samples the design into a terrain file's content.
	TerrainFileContent BakeWorld(const WorldDesign& design);

	// The ten worlds, by level number 0 … 9 (worlds/<World>.cpp, gathered by worlds/Worlds.cpp).
	WorldDesign MakeWorldDesign(int level);
	constexpr int NUM_WORLDS = 10;
}
