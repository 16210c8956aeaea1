// The rides each world offers: spinning platforms round the slime boss's
// machine (a refuge from the live floor), zip lines and a pair of
// teleporters in the ruined city, cannons and a rocket sled on the clouds,
// zip lines and sleds in the fire and ice. They are extras beside the way:
// every one keeps clear of the route and of the items already placed, and a
// cannon must land its passenger on solid cloud. A placement that breaks
// this stops the bake with its name.
#include "BakeTerrainWorlds.h"
#include "Items/RidesContent.h"

#include <stdexcept>
#include <string>

namespace TerrainBake::Worlds
{
	namespace
	{
		constexpr float ROUTE_CLEARANCE = 600;		// from the route's line
		constexpr float ITEM_CLEARANCE = 350;		// from items placed before the rides
		// The cannon's shot: 1600 across at 900 up under 500 per second², from
		// 40 over the mouth 456 in front of it; the landing skids on.
		constexpr float CANNON_MOUTH = 456, CANNON_EXIT_LIFT = 40, CANNON_SPEED = 1600, CANNON_RISE = 900;
		constexpr float CANNON_GRAVITY = 500, CANNON_SKID = 600;

		std::vector<Point2> RouteLine(const WorldDesign& d)
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

		// Places a ride after checking that it keeps out of the way.
		void Place(WorldDesign& d, const std::vector<Point2>& route, FileItem item, const std::string& what)
		{
			Point2 at{float(item.x) * MAP_TO_UNIT, float(item.z) * MAP_TO_UNIT};
			if (route.size() >= 2 && DistanceToPath(at.x, at.z, route) < ROUTE_CLEARANCE)
				throw std::logic_error(d.name + ": " + what + " stands in the route's way");
			for (const FileItem& other : d.items)
				if (Hypot(float(other.x) * MAP_TO_UNIT - at.x, float(other.z) * MAP_TO_UNIT - at.z) < ITEM_CLEARANCE)
					throw std::logic_error(d.name + ": " + what + " stands on another item");
			d.items.push_back(item);
		}

		void ZipLine(WorldDesign& d, const std::vector<Point2>& route, uint8_t id, Point2 from, Point2 to)
		{
			Place(d, route, Item(ITEM_TYPE_ZIP_LINE_POST, from.x, from.z, id, 0), "zip line " + std::to_string(id) + "'s start");
			Place(d, route, Item(ITEM_TYPE_ZIP_LINE_POST, to.x, to.z, id, 1), "zip line " + std::to_string(id) + "'s end");
		}

		// `quarters`: the heading in quarter turns (a heading faces (−sin, −cos)).
		// The flight is followed over the design's ground to where it comes
		// down; there and a skid's length on must be solid.
		void Cannon(WorldDesign& d, const std::vector<Point2>& route, Point2 at, uint8_t quarters)
		{
			const float h = float(quarters) * 3.14159265f / 2;
			const Point2 dir{-std::sin(h), -std::cos(h)};
			const Point2 mouth{at.x + dir.x * CANNON_MOUTH, at.z + dir.z * CANNON_MOUTH};
			const float y0 = d.height(mouth.x, mouth.z) + CANNON_EXIT_LIFT;
			Point2 landing = mouth;
			for (float t = 0.1f; t < 20; t += 0.02f)
			{
				landing = {mouth.x + dir.x * CANNON_SPEED * t, mouth.z + dir.z * CANNON_SPEED * t};
				if (y0 + CANNON_RISE * t - 0.5f * CANNON_GRAVITY * t * t <= d.height(landing.x, landing.z))
					break;
			}
			for (float on : {0.0f, CANNON_SKID})
				if (d.tileFlags && (d.tileFlags(landing.x + dir.x * on, landing.z + dir.z * on) & 1))
					throw std::logic_error(d.name + ": a cannon would fire the robot into the sky");
			Place(d, route, Item(ITEM_TYPE_CANNON, at.x, at.z, quarters), "a cannon");
		}
	}

	void AddSlimeBossRides(WorldDesign& d, Point2 center)
	{
		// A ring of platforms round the machine, every shape, none over the
		// way in from the start (the +z side).
		const std::vector<Point2> route = RouteLine(d);
		const int COUNT = 10;
		for (int i = 0; i < COUNT; i++)
		{
			float a = 0.5f + float(i) * (2 * 3.14159265f - 1.0f) / float(COUNT - 1);
			float r = i % 2 ? 3000.0f : 4200.0f;
			Point2 at{center.x + std::sin(a) * r, center.z + std::cos(a) * r};
			uint8_t kind = uint8_t((i * 2 + i / 5) % NUM_SPINNING_PLATFORM_KINDS);
			FileItem item = Item(ITEM_TYPE_SPINNING_PLATFORM, at.x, at.z, kind, uint8_t(i % 8), uint8_t(i * 7 % 30),
					i % 2 ? SPINNING_PLATFORM_TURNS_FORWARD : 0);
			Place(d, route, item, "spinning platform " + std::to_string(i));
		}
	}

	void AddApocalypseRides(WorldDesign& d, Point2 start, Point2 exitSite, float block)
	{
		const std::vector<Point2> route = RouteLine(d);
		// From the broken towers at the south edge down over the first street.
		ZipLine(d, route, 0, {start.x + block * 0.5f, 2200}, {start.x + block * 0.5f, start.z + block * 0.75f});
		// Along a side street north of the way, from the rubble to the crossing.
		ZipLine(d, route, 1, {start.x + block * 3.25f, start.z + block * 2.5f}, {start.x + block * 1.25f, start.z + block * 2.5f});
		// A pair of teleporters: up the first street north of the start, and
		// in the last street before the exit, coming out facing the saucer.
		Point2 near{start.x, start.z + block * 0.8f}, far{exitSite.x - block * 1.3f, exitSite.z};
		Place(d, route, Item(ITEM_TYPE_TELEPORTER, near.x, near.z, 0, 1, 0), "teleporter 0");
		Place(d, route, Item(ITEM_TYPE_TELEPORTER, far.x, far.z, 1, 0, 2), "teleporter 1");
	}

	void AddCloudRides(WorldDesign& d, Point2 start, Point2 middle)
	{
		const std::vector<Point2> route = RouteLine(d);
		// Two cannons across the big middle island, one each way, off the way.
		const Point2 westCannon{middle.x - 3300, middle.z};
		Cannon(d, route, westCannon, 3);
		Cannon(d, route, {middle.x + 3300, middle.z - 300}, 1);
		// A sled on the start island, pointing east along the bridge.
		Place(d, route, Item(ITEM_TYPE_ROCKET_SLED, start.x + 1500, start.z - 900, 6), "the rocket sled");
	}

	void AddFireAndIceRides(WorldDesign& d, Point2 glacier, Point2 volcano, Point2 liftSite)
	{
		const std::vector<Point2> route = RouteLine(d);
		// Off the glacier down toward the exit lift's valley.
		ZipLine(d, route, 0, {glacier.x + 1200, glacier.z + 1800}, {liftSite.x + 3600, liftSite.z - 800});
		// Down the volcano's western flank onto the slush.
		ZipLine(d, route, 1, {volcano.x - 3000, volcano.z}, {volcano.x - 9800, volcano.z + 400});
		// Sleds: one across the snowfield toward the fire, one off the glacier.
		Place(d, route, Item(ITEM_TYPE_ROCKET_SLED, 11000, 5200, 6), "the snowfield sled");
		Place(d, route, Item(ITEM_TYPE_ROCKET_SLED, glacier.x + 800, glacier.z - 1200, 4), "the glacier sled");
	}
}
