// The ruined city's mutants and mutant robots: mutants lurk in the side
// streets off the way and a gang patrols the block beside each leg, mutant
// robots hold the crossings further on with their guns. Item and spline
// numbers are the game's (src/Enemies/CityCreatures.h).
#include "BakeTerrainWorlds.h"
#include "BakeWorldCreatures.h"
#include "BakeWorldWater.h"

#include <string>

namespace TerrainBake::Worlds
{
	using namespace Creatures;

	namespace
	{
		enum : uint16_t
		{
			ITEM_MUTANT = 59,
			ITEM_MUTANT_ROBOT = 60,
			SPLINE_ITEM_MUTANT = 59,
			SPLINE_ITEM_MUTANT_ROBOT = 60,
		};
		constexpr float OFF_THE_WAY = 500;		// a lurker waits at least this far from the route
	}

	void AddApocalypseCreatures(WorldDesign& d, Point2 start, Point2 exitSite, float block)
	{
		const std::vector<Point2> route = RouteLine(d);
		const Point2 corner{exitSite.x, start.z};
		int n = 0;
		auto place = [&](uint16_t type, Point2 at) {
			PlaceCreature(d, route, OFF_THE_WAY, type, at,
					std::string(type == ITEM_MUTANT ? "mutant " : "mutant robot ") + std::to_string(n++),
					[](Point2) { return true; });
		};

		// East along the first street (past the first crossings, where the
		// robot has found its feet): mutants a little way up the side streets.
		place(ITEM_MUTANT, {3.5f * block + 300, start.z + 700});
		place(ITEM_MUTANT, {5.5f * block, start.z - 700});
		place(ITEM_MUTANT_ROBOT, {6.5f * block, start.z + 800});
		// North up the second street to the exit.
		place(ITEM_MUTANT, {corner.x + 700, 2.5f * block});
		place(ITEM_MUTANT_ROBOT, {corner.x - 750, 5.5f * block});
		// None by the exit: the robot waits there for its charge.

		// A gang on its rounds about the block beside each leg: the streets
		// round it, one of which is the way itself.
		const float b = block;
		const Point2 south{4 * b, start.z}, east{corner.x, 4 * b};
		d.splines.push_back(SplineLoop({{south.x, south.z}, {south.x + b, south.z}, {south.x + b, south.z + b},
				{south.x, south.z + b}}));
		d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_MUTANT, 0.1f));
		d.splines.push_back(SplineLoop({{east.x, east.z}, {east.x, east.z + b}, {east.x - b, east.z + b},
				{east.x - b, east.z}}));
		d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_MUTANT_ROBOT, 0.3f));
		d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_MUTANT, 0.8f));
	}
}
