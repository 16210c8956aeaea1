// The blob boss arena's start, route and pick-ups round the machine's
// plinth, and the blobs, falling crystals and floating pods of the slime
// world and the arena. The arena's floor is live: everything the robot needs
// lies on the plinth, the one dry place, and the route fights from the
// plinth's four quarters between the beams.
#include "BakeTerrainWorlds.h"
#include "Enemies/Blobs.h"
#include "Items/BlobBoss.h"
#include "Items/SlimeHazards.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace TerrainBake::Worlds
{
	namespace
	{
		constexpr uint16_t ITEM_FALLING_CRYSTAL = 29;
		constexpr uint16_t ITEM_BLOB = 30;
		constexpr uint16_t ITEM_FLOATING_POD = 33;
		constexpr float PI_F = 3.14159265f;

		// A point `r` from the centre at `degrees` (0 toward +z, 90 toward +x).
		Point2 Round(Point2 c, float r, float degrees)
		{
			float a = degrees * PI_F / 180;
			return {c.x + std::sin(a) * r, c.z + std::cos(a) * r};
		}

		std::vector<Point2> RouteLineOf(const WorldDesign& d)
		{
			std::vector<Point2> line;
			for (const FileItem& item : d.items)
				if (item.type == ITEM_START)
					line.push_back({float(item.x) * MAP_TO_UNIT, float(item.z) * MAP_TO_UNIT});
			for (const RouteGoal& g : d.route)
				if (kRouteVerbs[g.verb].hasPlace)
					line.push_back({g.x, g.z});
			return line;
		}

		void Keep(WorldDesign& d, const std::vector<Point2>& route, FileItem item, float clearance, const char* what)
		{
			Point2 at{float(item.x) * MAP_TO_UNIT, float(item.z) * MAP_TO_UNIT};
			if (DistanceToPath(at.x, at.z, route) < clearance)
				throw std::logic_error(d.name + ": " + what + " is too near the route");
			d.items.push_back(item);
		}
	}

	void AddBlobBossArena(WorldDesign& d, Point2 center)
	{
		// The plinth's top reaches this far out between the beams (its boxes' corner).
		const float SPOT = 850;
		const Point2 start = Round(center, 1500, 45);
		d.items.push_back(Item(ITEM_START, start.x, start.z, FacingParm(start, center)));

		// Onto the plinth (the live floor throws the robot up on the way:
		// one bounce carries it there), then round its four quarters, each
		// between two beams, shooting what the machine shows there; the fight
		// goes round again until the machine falls.
		for (float quarter : {45.0f, 135.0f, 225.0f, 315.0f})
			d.route.push_back(Goal(ROUTE_BOSS, Round(center, SPOT, quarter)));

		// The stun gun in each quarter of the plinth's top, inside the spot the
		// robot fights from but off its lines of fire at the emitters (a pod
		// stops shots); it comes back once the robot has none left.
		// Health between the quarters.
		for (float quarter : {45.0f, 135.0f, 225.0f, 315.0f})
		{
			d.items.push_back(Pod(Round(center, 420, quarter), POD_STUN, 0, 0, POWERUP_OPTION_REGENERATES));
			for (float side : {-20.0f, 20.0f})
				d.items.push_back(Atom(Round(center, 700, quarter + side), ATOM_HEALTH));
		}

		// Blobs at the arena's rim, far from the plinth: they wake when the robot strays near.
		// (Between the ring of spinning platforms' places.)
		const float blobDegrees[] = {79.0f, 180.0f, 247.0f, 0.0f};
		for (int i = 0; i < 4; i++)
		{
			Point2 at = Round(center, 4600, blobDegrees[i]);
			d.items.push_back(Item(ITEM_BLOB, at.x, at.z, uint8_t(i % NUM_BLOB_COLORS)));
		}
	}

	void AddSlimeWorldBlobs(WorldDesign& d, const std::vector<Point2>& causeway)
	{
		const std::vector<Point2> route = RouteLineOf(d);
		// Blobs of every colour in the hollows and on the hills beside the way,
		// far enough off it that they only notice a robot who comes to them.
		const struct { float t, side; uint8_t color; } blobs[] = {
			{0.08f, -1300, BLOB_COLOR_GREEN}, {0.16f, 1400, BLOB_COLOR_RED}, {0.27f, 1350, BLOB_COLOR_BLUE},
			{0.33f, -1500, BLOB_COLOR_GREEN}, {0.45f, 1400, BLOB_COLOR_RED}, {0.52f, -1350, BLOB_COLOR_BLUE},
			{0.66f, 1500, BLOB_COLOR_GREEN}, {0.78f, -1400, BLOB_COLOR_RED}, {0.9f, 1300, BLOB_COLOR_BLUE},
		};
		for (const auto& b : blobs)
		{
			Point2 at = AlongPath(causeway, b.t, b.side);
			Keep(d, route, Item(ITEM_BLOB, at.x, at.z, b.color), 1000, "a blob");
		}
		// Crystals hidden beside the way: they burst up as the robot passes
		// and topple away from the causeway.
		const struct { float t, side; uint8_t kind; } crystals[] = {
			{0.22f, 750, 0}, {0.4f, -800, 1}, {0.58f, 750, 1}, {0.82f, -750, 0},
		};
		for (const auto& c : crystals)
		{
			Point2 at = AlongPath(causeway, c.t, c.side), on = AlongPath(causeway, c.t);
			// Facing away from the way: it falls forward, off the causeway.
			Point2 away{at.x + (at.x - on.x), at.z + (at.z - on.z)};
			Keep(d, route, Item(ITEM_FALLING_CRYSTAL, at.x, at.z, FacingParm(at, away), c.kind), 650, "a falling crystal");
		}
	}

	void AddFloatingPods(WorldDesign& d, const std::vector<std::pair<Point2, float>>& pools)
	{
		// A few pods adrift near each pool's shore (the middle is the boats').
		int n = 0;
		for (const auto& [c, r] : pools)
			for (float degrees : {30.0f, 160.0f, 280.0f})
			{
				Point2 at = Round(c, r * 0.85f, degrees + float(n) * 17);
				d.items.push_back(Item(ITEM_FLOATING_POD, at.x, at.z));
				n++;
			}
	}
}
