// The rides each world offers: spinning platforms round the slime boss's
// machine (a refuge from the live floor), zip lines and a pair of
// teleporters in the ruined city, cannons and a rocket sled on the clouds,
// zip lines and sleds in the fire and ice. They are extras beside the way:
// every one keeps clear of the route and of the items already placed, and a
// cannon must land its passenger on solid cloud. A placement that breaks
// this stops the bake with its name.
#include "BakeTerrainWorlds.h"
#include "Items/Rides.h"
#include "Items/RidesContent.h"

#include <algorithm>
#include <cmath>
#include <memory>
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
		constexpr float SLED_SAFE_RUN = 3;		// seconds of solid ground ahead of a sled, from rest
		constexpr float SLED_RUN_KEPT_CLEAR = 9000;	// scenery keeps out of this much of a sled's cone
		constexpr float SLED_HALF_WIDTH = 200;

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

		// The cable is baked the way the game bakes it; the least height of a
		// hanging robot's feet over the ground along it (negative: through it).
		float ZipFeetClearance(const WorldDesign& d, Point2 from, Point2 to)
		{
			auto zip = std::make_unique<ZipLineType>();
			zip->start = {from.x, d.height(from.x, from.z), from.z};
			zip->end = {to.x, d.height(to.x, to.z), to.z};
			GenerateZipSpline(zip.get());
			if (zip->numPoints <= ZIP_PULLEY_START_POINT + 1)
				return -1e9f;
			float least = 1e9f;
			for (int k = 0; k < zip->numPoints; k++)
			{
				const OGLPoint3D& p = zip->points[k];
				// The game's ground is drawn between tile corners: the highest
				// of them stands for it.
				const float tx = std::floor(p.x / TILE) * TILE, tz = std::floor(p.z / TILE) * TILE;
				const float ground = std::max({d.height(p.x, p.z), d.height(tx, tz), d.height(tx + TILE, tz),
						d.height(tx, tz + TILE), d.height(tx + TILE, tz + TILE)});
				least = std::min(least, p.y - ZIP_HANG_BELOW - ground);
			}
			return least;
		}

		// How far a sled can run straight from `at` over ground that holds it,
		// the worst heading of its steering cone (`eighths` × 45°, facing
		// (−sin, −cos)); at most `limit`.
		float SledSolidRun(const WorldDesign& d, Point2 at, uint8_t eighths, float limit)
		{
			if (!d.tileFlags)
				return limit;
			const float h0 = float(eighths) * 3.14159265f / 4;
			float worst = limit;
			for (int k = -9; k <= 9; k++)
			{
				const float h = h0 + float(k) * (SLED_MAX_TURN_OFF_START / 9);
				for (float r = 0; r < worst; r += 50)
					if (d.tileFlags(at.x - std::sin(h) * r, at.z - std::cos(h) * r) & 1)
						worst = r;
			}
			return worst;
		}

		// A sled must give its rider a long run on solid ground whichever way
		// he steers: at least the ground it covers from rest in SLED_SAFE_RUN.
		void RocketSled(WorldDesign& d, const std::vector<Point2>& route, Point2 at, uint8_t eighths, const std::string& what)
		{
			const float need = 0.5f * SLED_ACCEL * SLED_SAFE_RUN * SLED_SAFE_RUN;
			if (SledSolidRun(d, at, eighths, need) < need)
				throw std::logic_error(d.name + ": " + what + " would run off into the sky");
			Place(d, route, Item(ITEM_TYPE_ROCKET_SLED, at.x, at.z, eighths), what);
		}

		void ZipLine(WorldDesign& d, const std::vector<Point2>& route, uint8_t id, Point2 from, Point2 to)
		{
			if (ZipFeetClearance(d, from, to) < ZIP_FEET_CLEARANCE)
				throw std::logic_error(d.name + ": zip line " + std::to_string(id) + " would drag the robot along the ground");
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

	bool InSledRun(const WorldDesign& d, Point2 p, float radius)
	{
		for (const FileItem& item : d.items)
		{
			if (item.type != ITEM_TYPE_ROCKET_SLED)
				continue;
			const Point2 at{float(item.x) * MAP_TO_UNIT, float(item.z) * MAP_TO_UNIT};
			const float h = float(item.parm[0]) * 3.14159265f / 4;
			const Point2 ahead{-std::sin(h), -std::cos(h)};
			const float dx = p.x - at.x, dz = p.z - at.z;
			const float along = dx * ahead.x + dz * ahead.z;
			const float across = std::fabs(dx * ahead.z - dz * ahead.x);
			// The cone widened by the sled and the piece, from just behind the sled.
			if (along > -(SLED_HALF_WIDTH + radius) && along < SLED_RUN_KEPT_CLEAR
					&& across < std::max(along, 0.0f) * std::tan(SLED_MAX_TURN_OFF_START) + SLED_HALF_WIDTH + radius)
				return true;
		}
		return false;
	}

	void AddSlimeBossRides(WorldDesign& d, Point2 center)
	{
		// A ring of platforms round the machine, outside the orbit of its own
		// platforms (whose riders would strike their heads on these); the
		// long crosses would reach into it, the other shapes take turns.
		const std::vector<Point2> route = RouteLine(d);
		const int COUNT = 10;
		const int CROSSES = 16;		// kinds 16 … 19
		for (int i = 0; i < COUNT; i++)
		{
			float a = 0.5f + float(i) * (2 * 3.14159265f - 1.0f) / float(COUNT - 1);
			float r = 4500.0f;
			Point2 at{center.x + std::sin(a) * r, center.z + std::cos(a) * r};
			uint8_t kind = uint8_t((i * 3 + i / 4) % CROSSES);
			FileItem item = Item(ITEM_TYPE_SPINNING_PLATFORM, at.x, at.z, kind, uint8_t(i % 8), uint8_t(i * 7 % 30),
					i % 2 ? SPINNING_PLATFORM_TURNS_FORWARD : 0);
			Place(d, route, item, "spinning platform " + std::to_string(i));
		}
	}

	void AddApocalypseRides(WorldDesign& d, Point2 start, Point2 exitSite, float block)
	{
		const std::vector<Point2> route = RouteLine(d);

		// Off a rubble heap south-east of the start, west over a street.
		ZipLine(d, route, 0, {start.x + 4200, start.z - 2400}, {start.x + 200, start.z - 2400});
		// North of the way, off a heap north over a crater.
		ZipLine(d, route, 1, {start.x + 4800, start.z + 6600}, {start.x + 4800, start.z + 10600});
		// A pair of teleporters: up the first street north of the start, and
		// in the last street before the exit, coming out facing the saucer.
		Point2 near{start.x, start.z + block * 0.8f}, far{exitSite.x - block * 1.3f, exitSite.z};
		Place(d, route, Item(ITEM_TYPE_TELEPORTER, near.x, near.z, 0, 1, 0), "teleporter 0");
		Place(d, route, Item(ITEM_TYPE_TELEPORTER, far.x, far.z, 1, 0, 2), "teleporter 1");
	}

	void AddCloudRides(WorldDesign& d, Point2, Point2 middle)
	{
		const std::vector<Point2> route = RouteLine(d);
		// Two cannons across the big middle island, one each way, off the way.
		const Point2 westCannon{middle.x - 3300, middle.z};
		Cannon(d, route, westCannon, 3);
		Cannon(d, route, {middle.x + 3300, middle.z - 300}, 1);
		// A sled on the north rim of the big middle island, pointing south
		// across it: the widest run of solid cloud there is.
		RocketSled(d, route, {middle.x, middle.z + 4000}, 0, "the rocket sled");
	}

	void AddFireAndIceRides(WorldDesign& d, Point2 glacier, Point2 volcano, Point2)
	{
		const std::vector<Point2> route = RouteLine(d);
		// From the western ridge down over the snowfield toward the way,
		// south of the glacier (whose top only the jet reaches).
		ZipLine(d, route, 0, {1600, glacier.z - 8500}, {6220, glacier.z - 6590});
		// Down the volcano's western flank onto the slush.
		ZipLine(d, route, 1, {volcano.x - 3000, volcano.z}, {volcano.x - 9800, volcano.z + 400});
		// Sleds: one across the snowfield toward the fire, one on the snow west
		// of the glacier, north toward the exit lift's valley.
		RocketSled(d, route, {11000, 5200}, 6, "the snowfield sled");
		RocketSled(d, route, {glacier.x - 5300, glacier.z - 500}, 4, "the glacier sled");
	}
}
