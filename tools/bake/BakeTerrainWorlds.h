// The ten worlds, one design each (BakeTerrainWorldsA.cpp: levels 0-4,
// BakeTerrainWorldsB.cpp: levels 5-9), and what they share.
#pragma once

#include "terrain/Ground.h"
#include "terrain/WorldKit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace TerrainBake::Worlds
{
	WorldDesign Farm();
	WorldDesign SlimeWorld();
	WorldDesign SlimeBossArena();
	WorldDesign Apocalypse();
	WorldDesign CloudCity();
	WorldDesign Jungle();
	WorldDesign JungleBossArena();
	WorldDesign FireAndIce();
	WorldDesign SaucerCountry();
	WorldDesign BrainBossArena();

	// Item types the layouts place.
	enum : uint16_t
	{
		ITEM_START = 0,
		ITEM_EXIT = 26,
		ITEM_BLOBBOSS_CENTER = 41,
		ITEM_BRAINBOSS = 105,
		ITEM_ALIEN_PORTAL = 108,
	};

	// parm[0] of a start item (eighths of a turn) that faces from `from` toward `to`.
	inline uint8_t FacingParm(Point2 from, Point2 to)
	{
		// A heading θ faces (−sin θ, −cos θ).
		float heading = std::atan2(-(to.x - from.x), -(to.z - from.z));
		int eighth = int(std::lround(heading / (3.14159265f / 4)));
		return uint8_t(((eighth % 8) + 8) % 8);
	}

	// Route goals at a landmark.
	inline RouteGoal Goal(RouteVerb verb, Point2 at, float value = 0)
	{
		RouteGoal g;
		g.verb = verb;
		g.x = at.x;
		g.z = at.z;
		g.value = value;
		return g;
	}
	inline RouteGoal Goal(RouteVerb verb)
	{
		RouteGoal g;
		g.verb = verb;
		return g;
	}

	// The route's way into the exit saucer placed at `exit` with facing
	// `parm0`: come in from straight in front (the saucer opens within 900
	// of a robot once charged), wait for the charge, then stand in the beam
	// area that reaches 120 … 650 in front of it.
	inline void AddExitGoals(Route& route, Point2 exit, uint8_t parm0 = 0)
	{
		float heading = float(parm0) * (3.14159265f / 4);
		Point2 front{-std::sin(heading), -std::cos(heading)};
		auto ahead = [&](float d) { return Point2{exit.x + front.x * d, exit.z + front.z * d}; };
		route.push_back(Goal(ROUTE_GOTO, ahead(1200)));
		route.push_back(Goal(ROUTE_CHARGE));
		route.push_back(Goal(ROUTE_EXIT, ahead(420)));
	}

	// Walks the points of a path in order, from its `first` point on.
	inline void AddPathGoals(Route& route, const std::vector<Point2>& path, size_t first = 0, size_t end = size_t(-1))
	{
		for (size_t i = first; i < std::min(end, path.size()); i++)
			route.push_back(Goal(ROUTE_GOTO, path[i]));
	}

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
}
