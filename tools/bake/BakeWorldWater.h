// Building blocks for a world's fences, water and spline loops, in world
// units: each converts to the map units the terrain file stores. Water
// stands 100 above the ground at its hot spot, so a lake's hot spot belongs
// at the bottom of its hollow.
#pragma once

#include "terrain/WorldKit.h"

#include <cstdint>
#include <vector>

namespace TerrainBake::Worlds
{
	// Fence types (the "fence" images) the worlds use.
	enum : uint16_t
	{
		FENCE_FARM_RAILS = 0,
		FENCE_PICKETS = 2,
		FENCE_SLIME_CRYSTALS = 4,
		FENCE_CITY_WALL = 6,
		FENCE_CONCRETE_BARRIER = 8,
		FENCE_BAMBOO = 11,
		FENCE_LAVA_ROCK = 14,
	};
	// Water kinds.
	enum : uint16_t
	{
		WATER_POND = 0,
		WATER_RIVER = 2,
		WATER_SLIME = 5,
		WATER_LAVA = 7,
	};
	// Spline item types the worlds put on loops.
	enum : uint16_t
	{
		SPLINE_ITEM_HUMAN = 4,
		SPLINE_ITEM_BRAIN_ALIEN = 7,
		SPLINE_ITEM_BOAT = 35,
	};

	// A fence along the polyline.
	FileFence Fence(uint16_t type, const std::vector<Point2>& path);
	// A polyline `offset` to the side (positive: right of the way) of
	// the path, from fraction `from` to `to` of its length, in `steps` pieces
	// (0: one every 2.5 % of the path, to follow its bends).
	std::vector<Point2> OffsetPath(const std::vector<Point2>& path, float offset, float from, float to, int steps = 0);

	// A water patch of `kind` over the outline (closed by repeating its first
	// point) whose surface is set by the ground at `hotSpot`.
	FileWaterPatch Water(uint16_t kind, const std::vector<Point2>& outline, Point2 hotSpot);
	// A round patch of `nubs` points, surface from its centre.
	FileWaterPatch WaterDisc(uint16_t kind, Point2 centre, float radius, int nubs = 20);
	// A river: the band `halfWidth` each side of the path, surface from `hotSpot`.
	FileWaterPatch WaterBand(uint16_t kind, const std::vector<Point2>& path, float halfWidth, Point2 hotSpot);

	// A closed spline loop through the nubs (the first repeated last).
	FileSpline SplineLoop(const std::vector<Point2>& nubs);
	// A round loop of `nubs` nubs.
	FileSpline CircleLoop(Point2 centre, float radius, int nubs = 10);
	FileSplineItem SplineItem(uint16_t type, float placement, uint8_t parm0 = 0);

	// The nearest a polyline comes to any leg of the design's route (world units).
	float DistanceFromRoute(const WorldDesign& d, const std::vector<Point2>& line);
}
