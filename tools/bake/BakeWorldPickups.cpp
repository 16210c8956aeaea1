// What each world gives the robot to collect, laid along the way its route
// walks: exit-charge atoms (loose, and in pods that spill several), health
// and fuel atoms, weapon pods and numbered checkpoints. The charge comes
// before the route's charge goal with some to spare, so a player who misses
// a few atoms still opens the exit; everything sits on ground level with the
// way beside it (no cliffs, no holes), clear of the other items.
#include "BakeTerrainWorlds.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		constexpr float ITEM_CLEARANCE = 260;		// units kept between a placement and any other item
		constexpr float LEVEL_WITH_WAY = 120;		// units of height a placement may differ from the way beside it
		constexpr float EDGE_CLEARANCE = 2 * TILE;	// units from the map's edge
		constexpr float HOLE_CLEARANCE = 320;		// units of solid ground round a placement (a run's overshoot)
		constexpr float SAUCER_EDGE_CLEARANCE = 7200;	// units: the saucer level's flying limit

		struct Placer
		{
			WorldDesign& d;
			std::vector<Point2> way;
			float edgeClearance = EDGE_CLEARANCE;

			bool IsGround(Point2 p) const
			{
				float w = float(d.superTilesWide) * SUPERTILE, dp = float(d.superTilesDeep) * SUPERTILE;
				if (EdgeDistance(p.x, p.z, w, dp) < edgeClearance)
					return false;
				if (d.emptySuperTile && d.emptySuperTile(int(p.z / SUPERTILE), int(p.x / SUPERTILE)))
					return false;
				if (!d.tileFlags)
					return true;
				// Where there are holes, a robot running at the thing and
				// past it must not run off the edge: solid ground all round.
				for (int k = 0; k <= 8; k++)
				{
					float a = float(k) * 3.14159265f / 4, r = k == 8 ? 0 : HOLE_CLEARANCE;
					if (d.tileFlags(p.x + r * std::sin(a), p.z + r * std::cos(a)) & 0x0001)
						return false;
				}
				return true;
			}

			bool IsClear(Point2 p) const
			{
				for (const FileItem& i : d.items)
					if (Hypot(float(i.x) * MAP_TO_UNIT - p.x, float(i.z) * MAP_TO_UNIT - p.z) < ITEM_CLEARANCE)
						return false;
				return true;
			}

			// The point `t` of the way along and about `side` off it where the
			// ground is solid, free and level with the way; nearer the way (and
			// then a little further along) when the side is no good.
			Point2 Spot(float t, float side) const
			{
				for (float nudge : {0.0f, 0.006f, -0.006f, 0.012f, -0.012f, 0.02f})
				{
					float along = std::clamp(t + nudge, 0.0f, 1.0f);
					float wayHeight = d.height(AlongPath(way, along).x, AlongPath(way, along).z);
					for (float f : {1.0f, 0.6f, 0.3f, 0.0f, -0.3f, -0.6f, -1.0f})
					{
						Point2 p = AlongPath(way, along, side * f);
						if (IsGround(p) && IsClear(p) && std::fabs(d.height(p.x, p.z) - wayHeight) < LEVEL_WITH_WAY)
							return p;
					}
				}
				return AlongPath(way, t);
			}

			// `count` items made by `make` spread evenly from t0 to t1 of the
			// way, swinging from side to side by `side`.
			template <typename Make>
			void Spread(int count, float t0, float t1, float side, Make make)
			{
				for (int k = 0; k < count; k++)
				{
					float t = count == 1 ? (t0 + t1) / 2 : t0 + (t1 - t0) * float(k) / float(count - 1);
					d.items.push_back(make(Spot(t, k % 2 ? -side : side), k));
				}
			}

			// Checkpoints 1 … count at even fractions of the way, each beside it
			// and facing on along it.
			void Checkpoints(int count, float side)
			{
				for (int k = 1; k <= count; k++)
				{
					float t = float(k) / float(count + 1);
					Point2 at = Spot(t, side);
					Point2 on = AlongPath(way, std::min(1.0f, t + 0.02f));
					Point2 from = AlongPath(way, t);
					uint8_t facing = FacingParm(from, on);
					d.items.push_back(Item(ITEM_CHECKPOINT, at.x, at.z, uint8_t(k), facing));
				}
			}
		};

		// What a level along its way gets.
		struct WayPickups
		{
			int looseCharge;				// exit-charge atoms on the way
			int chargePods;					// pods of exit-charge atoms beside it
			uint8_t atomsPerChargePod;
			int health, fuel;				// atoms beside it
			std::vector<uint8_t> weapons;	// pods in the order they come
			int checkpoints;
		};

		Placer LayAlongWay(WorldDesign& d, const WayPickups& w)
		{
			Placer p{d, WayToCharge(d)};
			// Checkpoints first, so the rest keeps clear of their posts.
			p.Checkpoints(w.checkpoints, -520);
			p.Spread(w.looseCharge, 0.05f, 0.97f, 0, [](Point2 at, int) { return Atom(at, ATOM_EXIT_CHARGE); });
			p.Spread(w.chargePods, 0.3f, 0.75f, 380,
					[&](Point2 at, int) { return Pod(at, POD_CHARGE_ATOMS, w.atomsPerChargePod); });
			p.Spread(w.health, 0.15f, 0.9f, 260, [](Point2 at, int) { return Atom(at, ATOM_HEALTH); });
			p.Spread(w.fuel, 0.2f, 0.8f, -260, [](Point2 at, int) { return Atom(at, ATOM_FUEL); });
			p.Spread(int(w.weapons.size()), 0.1f, 0.85f, 420, [&](Point2 at, int k) { return Pod(at, w.weapons[size_t(k)]); });
			return p;
		}

		// A few things for a short way into an arena, from t0 to t1 of it,
		// swinging `side` from side to side.
		void Handful(WorldDesign& d, std::vector<Point2> way, float t0, float t1, float side,
				const std::vector<FileItem>& things)
		{
			Placer p{d, std::move(way)};
			p.Spread(int(things.size()), t0, t1, side, [&](Point2 at, int k) {
				FileItem item = things[size_t(k)];
				item.x = WorldToMap(at.x);
				item.z = WorldToMap(at.z);
				return item;
			});
		}
	}

	std::vector<Point2> WayToCharge(const WorldDesign& d)
	{
		std::vector<Point2> way;
		for (const FileItem& i : d.items)
			if (i.type == ITEM_START)
				way.push_back({float(i.x) * MAP_TO_UNIT, float(i.z) * MAP_TO_UNIT});
		for (const RouteGoal& g : d.route)
		{
			if (g.verb == ROUTE_CHARGE)
				break;
			if (kRouteVerbs[g.verb].hasPlace)
				way.push_back({g.x, g.z});
		}
		return way;
	}

	void RouteThroughCheckpoint(WorldDesign& d, int number, float lead, float beyond)
	{
		const FileItem* post = nullptr;
		for (const FileItem& i : d.items)
			if (i.type == ITEM_CHECKPOINT && i.parm[0] == number)
				post = &i;
		if (!post)
			throw std::runtime_error(d.name + ": no checkpoint " + std::to_string(number) + " to route through");
		const Point2 at{float(post->x) * MAP_TO_UNIT, float(post->z) * MAP_TO_UNIT};

		// The leg of the way nearest the post: from the start or a placed
		// goal to the next placed goal.
		Point2 from{};
		for (const FileItem& i : d.items)
			if (i.type == ITEM_START)
				from = {float(i.x) * MAP_TO_UNIT, float(i.z) * MAP_TO_UNIT};
		size_t legEnd = d.route.size();
		float best = 1e30f, bestAlong = 0;
		Point2 legFrom{}, legDir{};
		for (size_t g = 0; g < d.route.size(); g++)
		{
			const RouteGoal& goal = d.route[g];
			if (!kRouteVerbs[goal.verb].hasPlace)
				continue;
			const Point2 to{goal.x, goal.z};
			const float length = Hypot(to.x - from.x, to.z - from.z);
			if (length > 1)
			{
				const Point2 dir{(to.x - from.x) / length, (to.z - from.z) / length};
				const float along = std::clamp((at.x - from.x) * dir.x + (at.z - from.z) * dir.z, 0.0f, length);
				const float off = Hypot(at.x - from.x - dir.x * along, at.z - from.z - dir.z * along);
				if (off < best)
				{
					best = off;
					bestAlong = along;
					legEnd = g;
					legFrom = from;
					legDir = dir;
				}
			}
			from = to;
		}
		if (legEnd == d.route.size() || bestAlong < lead)
			throw std::runtime_error(d.name + ": checkpoint " + std::to_string(number) + " has no run-up on the route");
		const float back = bestAlong - lead;
		const Point2 runUp{legFrom.x + legDir.x * back, legFrom.z + legDir.z * back};
		const float span = Hypot(at.x - runUp.x, at.z - runUp.z);
		const Point2 past{at.x + (at.x - runUp.x) / span * beyond, at.z + (at.z - runUp.z) / span * beyond};
		d.route.insert(d.route.begin() + std::ptrdiff_t(legEnd), {Goal(ROUTE_GOTO, runUp), Goal(ROUTE_GOTO, past)});
	}

	// The farm's long track: plenty of charge, a stun gun early, darts by the yard.
	void AddFarmPickups(WorldDesign& d)
	{
		LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 4, .fuel = 2,
				.weapons = {POD_STUN, POD_DARTS, POD_FLARE}, .checkpoints = 3});
	}

	// The slime causeway: freeze for the blobs, an arc shot near the end.
	void AddSlimeWorldPickups(WorldDesign& d)
	{
		LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 4, .fuel = 2,
				.weapons = {POD_STUN, POD_FREEZE, POD_ARC}, .checkpoints = 3});
	}

	// Only the stun gun hurts the blob machine: its pods wait by the start.
	void AddSlimeBossPickups(WorldDesign& d)
	{
		Handful(d, WayToCharge(d), 0.1f, 0.5f, 500, {Pod({}, POD_STUN), Atom({}, ATOM_HEALTH), Pod({}, POD_STUN),
				Atom({}, ATOM_HEALTH), Atom({}, ATOM_HEALTH)});
	}

	// The city streets: the nova for the crushers, darts and freeze.
	void AddApocalypsePickups(WorldDesign& d)
	{
		LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 5, .fuel = 2,
				.weapons = {POD_STUN, POD_NOVA, POD_DARTS, POD_FREEZE, POD_EXTRA_LIFE}, .checkpoints = 3});
	}

	// The cloud bridges: the charge lies on the bridges themselves; balloon
	// pods with health and weapons float over the islands beside the way.
	void AddCloudPickups(WorldDesign& d)
	{
		Placer p = LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 3, .fuel = 3,
				.weapons = {POD_STUN, POD_FLARE}, .checkpoints = 3});
		const struct { float t, side; uint8_t powerup, count; } balloons[] = {
			{0.18f, 700, POD_HEALTH_ATOMS, 3}, {0.45f, -700, POD_FREEZE, 0}, {0.7f, 700, POD_FUEL_ATOMS, 3},
		};
		for (const auto& b : balloons)
			d.items.push_back(Pod(p.Spot(b.t, b.side), b.powerup, b.count, ITEM_FLAG_POD_ON_BALLOON));
	}

	// The jungle trail: the growth pod that the giant doors want, and an extra life.
	void AddJunglePickups(WorldDesign& d)
	{
		LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 5, .fuel = 3,
				.weapons = {POD_STUN, POD_GROWTH, POD_ARC, POD_DARTS, POD_EXTRA_LIFE}, .checkpoints = 3});
	}

	// Only the arc shot hurts the pitcher plant: its pods by the start.
	void AddJungleBossPickups(WorldDesign& d)
	{
		Handful(d, WayToCharge(d), 0.1f, 0.6f, 450, {Pod({}, POD_ARC), Atom({}, ATOM_HEALTH), Pod({}, POD_ARC),
				Atom({}, ATOM_HEALTH)});
	}

	// Fire and ice: flares and freeze for the snow and the fire creatures.
	void AddFireAndIcePickups(WorldDesign& d)
	{
		LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 5, .fuel = 3,
				.weapons = {POD_FREEZE, POD_FLARE, POD_STUN, POD_NOVA}, .checkpoints = 3});
	}

	// The saucer level: the robot only walks from where it lands to the
	// exit; a little health and a stun gun wait round the drop zone.
	void AddSaucerCountryPickups(WorldDesign& d, Point2 landing, Point2 exitSpot)
	{
		Handful(d, {landing, exitSpot}, 0, 1, 700, {Atom({}, ATOM_HEALTH), Pod({}, POD_STUN), Atom({}, ATOM_HEALTH)});
	}

	// The brain's arena: health and weapons on the way in, short of the portals' ring.
	void AddBrainBossPickups(WorldDesign& d)
	{
		// Close by the way: it runs round the inner ring, between the dais's
		// slope and the portals' reach.
		Handful(d, WayToCharge(d), 0.1f, 0.5f, 250, {Pod({}, POD_NOVA), Atom({}, ATOM_HEALTH), Pod({}, POD_FREEZE),
				Atom({}, ATOM_HEALTH), Pod({}, POD_STUN), Atom({}, ATOM_HEALTH)});
	}
}
