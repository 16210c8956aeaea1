// What the creature placements of the city and the clouds share: the route as
// a line, and placing a creature near the way but off it and clear of every
// item already laid (a placement that breaks this stops the bake, naming it).
#pragma once

#include "BakeTerrainWorlds.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace TerrainBake::Worlds::Creatures
{
	constexpr float ITEM_CLEARANCE = 350;		// from items placed before the creatures

	inline std::vector<Point2> RouteLine(const WorldDesign& d)
	{
		std::vector<Point2> line;
		for (const FileItem& item : d.items)
			if (item.type == ITEM_START)
				line.push_back({float(item.x) * MAP_TO_UNIT, float(item.z) * MAP_TO_UNIT});
		for (const RouteGoal& g : d.route)
			if (g.verb == ROUTE_GOTO || g.verb == ROUTE_EXIT || g.verb == ROUTE_BOSS || g.verb == ROUTE_JET)
				line.push_back({g.x, g.z});
		return line;
	}

	inline bool ClearOfItems(const WorldDesign& d, Point2 at)
	{
		for (const FileItem& other : d.items)
			if (Hypot(float(other.x) * MAP_TO_UNIT - at.x, float(other.z) * MAP_TO_UNIT - at.z) < ITEM_CLEARANCE)
				return false;
		return true;
	}

	// A creature of `type` at `want`, or the nearest spot round it (out to
	// 1200, in steps of 150) that is at least `minFromRoute` from the route's
	// line, clear of the items and passes `fits`.
	template <typename Fits>
	void PlaceCreature(WorldDesign& d, const std::vector<Point2>& route, float minFromRoute, uint16_t type, Point2 want,
			const std::string& what, Fits fits)
	{
		for (float r = 0; r <= 1200; r += 150)
		{
			const int steps = r == 0 ? 1 : 12;
			for (int k = 0; k < steps; k++)
			{
				const float a = 6.2831853f * float(k) / float(steps);
				const Point2 at{want.x + r * std::cos(a), want.z + r * std::sin(a)};
				if (route.size() >= 2 && DistanceToPath(at.x, at.z, route) < minFromRoute)
					continue;
				if (!ClearOfItems(d, at) || !fits(at))
					continue;
				d.items.push_back(Item(type, at.x, at.z));
				return;
			}
		}
		throw std::logic_error("creature placement: no room for " + what);
	}
}
