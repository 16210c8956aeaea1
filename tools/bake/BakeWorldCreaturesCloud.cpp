// The cloud city's circus: clowns on the islands the way crosses, a troupe of
// them on its rounds on the big middle island, strong men waiting off the way
// on the middle and east islands, and clown fish circling high over the
// islands, away from the bridges. Every walker stands on solid cloud
// with room round it. Item and spline numbers are the game's
// (src/Enemies/CloudCreatures.h).
#include "BakeTerrainWorlds.h"
#include "BakeWorldCreatures.h"
#include "BakeWorldWater.h"

#include <cmath>
#include <string>

namespace TerrainBake::Worlds
{
	using namespace Creatures;

	namespace
	{
		enum : uint16_t
		{
			ITEM_CLOWN = 78,
			ITEM_STRONG_MAN = 81,
			SPLINE_ITEM_CLOWN = 78,
			SPLINE_ITEM_CLOWN_FISH = 79,
		};
		constexpr float OFF_THE_WAY = 450;			// a walker waits at least this far from the route
		constexpr float FIRM_FOOTING = 500;			// solid cloud all round a walker this far out

		bool OnSolidCloud(const WorldDesign& d, Point2 at, float room)
		{
			if (!d.tileFlags)
				return true;
			for (int k = 0; k < 12; k++)
			{
				const float a = 6.2831853f * float(k) / 12;
				for (float r : {0.0f, room * 0.5f, room})
					if (d.tileFlags(at.x + r * std::cos(a), at.z + r * std::sin(a)) & 0x0001)
						return false;
			}
			return true;
		}
	}

	void AddCloudCreatures(WorldDesign& d, Point2 start, Point2 middle, Point2 east, Point2 exitSite, Point2 outlook)
	{
		const std::vector<Point2> route = RouteLine(d);
		int n = 0;
		auto place = [&](uint16_t type, Point2 at) {
			const std::string what = std::string(type == ITEM_CLOWN ? "clown " : "strong man ") + std::to_string(n++);
			PlaceCreature(d, route, OFF_THE_WAY, type, at, what, [&](Point2 p) { return OnSolidCloud(d, p, FIRM_FOOTING); });
		};

		// Clowns where the way crosses the islands.
		place(ITEM_CLOWN, {start.x + 2600, start.z + 2000});
		place(ITEM_CLOWN, {middle.x - 1700, middle.z - 1900});
		place(ITEM_CLOWN, {middle.x + 1400, middle.z + 1100});
		place(ITEM_CLOWN, {east.x + 900, east.z - 1000});
		place(ITEM_CLOWN, {exitSite.x - 1900, exitSite.z - 300});
		// Strong men off the way.
		place(ITEM_STRONG_MAN, {middle.x - 800, middle.z + 1800});
		place(ITEM_STRONG_MAN, {east.x - 200, east.z + 1400});

		// A troupe of clowns on their rounds on the west of the middle island.
		const Point2 ring{middle.x - 2200, middle.z + 400};
		d.splines.push_back(CircleLoop(ring, 900, 10));
		d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN, 0.0f));
		d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN, 0.5f));

		// Clown fish circling high over the islands. Not over the bridges: a
		// blast there would throw the robot off into the sky.
		d.splines.push_back(CircleLoop(middle, 2300, 12));
		d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN_FISH, 0.0f));
		d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN_FISH, 0.5f));
		d.splines.push_back(CircleLoop(exitSite, 1900, 10));
		d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN_FISH, 0.0f));
		d.splines.push_back(CircleLoop(outlook, 1400, 8));
		d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN_FISH, 0.3f));
	}
}
