// Where the hazards stand: the city's crushers across side streets, manhole
// covers, land and floating mines and the worm pod showers, all off the way
// to the exit; the cloud city's trap doors over holes on a bridge the way does
// not take; the fire and ice level's volcano, snowballs and sinking platforms;
// and the saucer country's towers, gun turrets and a drifting-mine loop
// beside the saucer's tour. Item numbers and parameter meanings are the game's
// (src/Items/Hazards.h).
#include "BakeTerrainWorlds.h"
#include "BakeWorldWater.h"
#include "Items/Hazards.h"
#include "Terrain/TerrainFormat.h"

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_POD_SHOWER = 2,
			ITEM_CRUSHER = 45,				// parm[0] heading in eighths, parm[3] CRUSHER_ONE_SIDED
			ITEM_MANHOLE = 46,
			ITEM_FLOATING_MINE = 62,
			ITEM_MINE = 67,
			ITEM_TRAP_DOOR = 84,			// snapped to its tile, which must be a hole
			ITEM_VOLCANO = 88,
			ITEM_SNOWBALL = 97,
			ITEM_SINKING_PLATFORM = 98,
			ITEM_TOWER = 102,
			ITEM_TURRET = 104,
			SPLINE_ITEM_FLOATING_PLATFORM = 98,
			SPLINE_ITEM_DRIFTING_MINE = 103,
		};

		Point2 WorldXZ(const FileItem& item)
		{
			return {float(item.x) * MAP_TO_UNIT_SCALE, float(item.z) * MAP_TO_UNIT_SCALE};
		}

		// Nothing of the design's items within `room` of `at`.
		bool ClearOfItems(const WorldDesign& d, Point2 at, float room)
		{
			for (const FileItem& item : d.items)
			{
				Point2 p = WorldXZ(item);
				if (Hypot(p.x - at.x, p.z - at.z) < room)
					return false;
			}
			return true;
		}

		float FromRoute(const WorldDesign& d, Point2 at)
		{
			return DistanceFromRoute(d, {at, at});
		}

		// Places the item when it keeps `fromRoute` off the way and `room`
		// from other items; true when placed.
		bool PlaceClear(WorldDesign& d, FileItem item, float fromRoute, float room)
		{
			Point2 at = WorldXZ(item);
			if (FromRoute(d, at) < fromRoute || !ClearOfItems(d, at, room))
				return false;
			d.items.push_back(item);
			return true;
		}
	}

	void AddApocalypseHazards(WorldDesign& d, Point2 start, Point2 exitSite, float block)
	{
		// The way runs east along z = start.z, then north along x = exitSite.x.
		// Crushers stand across the side streets just off it: heading 0 spans
		// a street running north-south, 2 one running east-west; the one-sided
		// ones face the way.
		const struct { Point2 at; uint8_t heading; bool oneSided; } crushers[] = {
			{{4 * block, start.z + 1900}, 0, false},
			{{6 * block, start.z + 1900}, 0, true},
			{{5 * block, start.z - 1900}, 4, false},
			{{exitSite.x - 1900, 4 * block}, 2, true},
			{{exitSite.x + 1900, 6 * block}, 6, false},
		};
		for (const auto& c : crushers)
			PlaceClear(d, Item(ITEM_CRUSHER, c.at.x, c.at.z, c.heading, 0, 0, c.oneSided ? CRUSHER_ONE_SIDED : 0), 1200, 500);
		// Manholes up the side streets, where the robot may stray after survivors.
		const Point2 manholes[] = {{3 * block, start.z - 1500}, {5 * block, start.z + 1500}, {7 * block, start.z + 1600},
				{exitSite.x - 1500, 3 * block}, {exitSite.x + 1500, 5 * block}, {exitSite.x - 1500, 6 * block}};
		for (Point2 m : manholes)
			PlaceClear(d, Item(ITEM_MANHOLE, m.x, m.z), 900, 350);
		// Mines in the rubble between the streets, floating mines over the blocks.
		const Point2 mines[] = {{3.5f * block, start.z + 1300}, {4.5f * block, start.z - 1300}, {6.5f * block, start.z - 1200},
				{exitSite.x - 1300, 3.5f * block}, {exitSite.x + 1300, 5.5f * block}, {exitSite.x - 1250, 7.5f * block}};
		for (Point2 m : mines)
			PlaceClear(d, Item(ITEM_MINE, m.x, m.z), 800, 300);
		const Point2 floaters[] = {{5.5f * block, start.z + 1500}, {exitSite.x + 1400, 3.5f * block}, {exitSite.x - 1400, 5.5f * block}};
		for (Point2 m : floaters)
			PlaceClear(d, Item(ITEM_FLOATING_MINE, m.x, m.z), 900, 300);
		// Two pod showers beside the way: their pods land within about a
		// block of them and the worms come for the robot as he passes.
		const Point2 showers[] = {{5 * block + 1800, start.z + 2200}, {exitSite.x - 2200, 5 * block + 1800}};
		for (Point2 s : showers)
			PlaceClear(d, Item(ITEM_POD_SHOWER, s.x, s.z), 1800, 300);
	}

	std::vector<Point2> CloudTrapDoorSpots(const std::vector<Point2>& bridge)
	{
		// Along a bridge's middle, away from the islands at its ends, each
		// on the centre of its tile.
		std::vector<Point2> spots;
		for (float t : {0.48f, 0.55f, 0.62f})
		{
			Point2 p = AlongPath(bridge, t);
			float tile = float(TILE_UNITS);
			spots.push_back({(std::floor(p.x / tile) + 0.5f) * tile, (std::floor(p.z / tile) + 0.5f) * tile});
		}
		return spots;
	}

	bool IsTrapDoorTile(const std::vector<Point2>& doors, float x, float z)
	{
		const float tile = float(TILE_UNITS);
		for (Point2 p : doors)
			if (std::floor(p.x / tile) == std::floor(x / tile) && std::floor(p.z / tile) == std::floor(z / tile))
				return true;
		return false;
	}

	void AddCloudTrapDoors(WorldDesign& d, const std::vector<Point2>& doors)
	{
		for (Point2 p : doors)
			d.items.push_back(Item(ITEM_TRAP_DOOR, p.x, p.z));
	}

	void AddFireAndIceHazards(WorldDesign& d, const std::vector<Point2>& way, Point2 craterCentre, float craterRadius)
	{
		// A young volcano east of the way across the snowfield: the robot
		// passing sets it off, far enough off that the swell does not lift him.
		PlaceClear(d, Item(ITEM_VOLCANO, AlongPath(way, 0.24f, 2400).x, AlongPath(way, 0.24f, 2400).z),
				VOLCANO_SWELL_RADIUS + 300, 600);
		// Snowballs up the slope of the glacier, east of the way.
		for (float t : {0.56f, 0.64f, 0.72f})
		{
			Point2 p = AlongPath(way, t, 1250);
			PlaceClear(d, Item(ITEM_SNOWBALL, p.x, p.z), 1000, 400);
		}
		// Rafts on the volcano's lava lake, and two more drifting round it.
		for (int i = 0; i < 3; i++)
		{
			float a = float(i) * 2.1f;
			Point2 p{craterCentre.x + 0.45f * craterRadius * std::cos(a), craterCentre.z + 0.45f * craterRadius * std::sin(a)};
			PlaceClear(d, Item(ITEM_SINKING_PLATFORM, p.x, p.z), 2000, 300);
		}
		const int spline = int(d.splines.size());
		d.splines.push_back(CircleLoop(craterCentre, 0.75f * craterRadius, 10));
		for (float placement : {0.0f, 0.5f})
			d.splines[size_t(spline)].items.push_back(SplineItem(SPLINE_ITEM_FLOATING_PLATFORM, placement));
	}

	void AddSaucerHazards(WorldDesign& d, const std::vector<Point2>& tour, const std::vector<Point2>& villages, Point2 dropZone)
	{
		auto farFromVillages = [&](Point2 p, float room) {
			for (Point2 v : villages)
				if (Hypot(p.x - v.x, p.z - v.z) < room)
					return false;
			return Hypot(p.x - dropZone.x, p.z - dropZone.z) >= room;
		};
		// Towers a little off the tour: flown over they scorch the saucer;
		// turrets further out, in range of it as it passes.
		for (float t : {0.07f, 0.2f, 0.33f, 0.47f, 0.6f, 0.74f, 0.88f})
		{
			Point2 p = AlongPath(tour, t, (int(t * 100) % 2) ? 900 : -900);
			if (farFromVillages(p, 2300))
				PlaceClear(d, Item(ITEM_TOWER, p.x, p.z), 800, 600);
		}
		// Turrets: the first clear spots every so far along the tour, either side.
		int turrets = 0;
		for (float t = 0.08f; t < 0.95f && turrets < 4; t += 0.04f)
			for (float side : {1400.0f, -1400.0f})
			{
				Point2 p = AlongPath(tour, t, side);
				if (farFromVillages(p, 2300) && PlaceClear(d, Item(ITEM_TURRET, p.x, p.z), 1300, 2500))
				{
					turrets++;
					t += 0.15f;
					break;
				}
			}
		// A drifting mine loop in the open between the first two villages, to the north.
		Point2 mid{(villages[0].x + villages[1].x) / 2, (villages[0].z + villages[1].z) / 2 - 3000};
		if (FromRoute(d, mid) > 1700)
		{
			const int spline = int(d.splines.size());
			d.splines.push_back(CircleLoop(mid, 900, 10));
			for (float placement : {0.0f, 0.5f})
				d.splines[size_t(spline)].items.push_back(SplineItem(SPLINE_ITEM_DRIFTING_MINE, placement));
		}
	}
}
