// What the ten world designs place with (each world's own file holds its
// design: ground, paint, items, creatures, pick-ups, rides, hazards, scenery,
// water and route). Here is what more than one world shares: the item types
// and the makers of the common items; route goals and walking along paths;
// the pick-up layer that spreads atoms, pods and checkpoints along a route;
// placing creatures, rides and hazards clear of the route and of the items
// already laid (a placement that breaks this stops the bake, naming it); the
// scenery scatterer; fences, water patches and spline loops in world units.
// Item numbers and parameter meanings are the game's item routines'.
#pragma once

#include "worlds/WorldKit.h"
#include "Items/Powerups.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace TerrainBake::Worlds
{
	// The ten designs, one file each (worlds/<World>.cpp), by level.
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

	//
	// Items
	//

	// Item types more than one world places (the others are named in their world's file).
	enum : uint16_t
	{
		ITEM_START = 0,
		ITEM_PLANT = 1,					// parm[0] kind (level models 21, 14, 15, 16, 23, 24, 25, 52, 53)
		ITEM_HUMAN = 4,					// parm[0] kind (HUMAN_KIND_*), parm[3] HUMAN_IN_CAPSULE
		ITEM_ATOM = 5,					// parm[0] colour (ATOM_*), parm[3] POWERUP_OPTION_*
		ITEM_POD = 6,					// parm[0] power-up (POD_*), parm[1] count, parm[3] POWERUP_OPTION_*, flags ITEM_FLAG_POD_ON_BALLOON
		ITEM_BRAIN_ALIEN = 7,
		ITEM_SCENERY_1 = 11,			// level model 1 at 1.5, parm[0] quarter turns
		ITEM_SCENERY_2 = 12,			// level model 2 at 2.5
		ITEM_JET_DOOR = 13,				// level model 3; parm[0] 1: turned a quarter
		ITEM_SCENERY_BY_KIND = 20,		// parm[0] model, parm[1] eighth turns, parm[2] scale in tenths
		ITEM_EXIT = 26,
		ITEM_CHECKPOINT = 27,			// parm[0] number (rising along the way), parm[1] heading in eighths of a turn
		ITEM_BLOBBOSS_CENTER = 41,
		ITEM_SCIENTIST = 61,			// a human that is always a scientist; parm[3] as a human's
		ITEM_GRAVE_STONE = 65,			// parm[0] kind (34 … 38), parm[1] quarter turns
		ITEM_RUBBLE = 68,				// parm[0] kind (43 … 49), parm[1] quarter turns
		ITEM_PEOPLE_HUT = 101,			// parm[0] humans inside, parm[1] their kind + 1
		ITEM_BRAINBOSS = 105,
		ITEM_ALIEN_PORTAL = 108,
	};

	// The four kinds of human (a human item's parm[0]).
	enum : uint8_t
	{
		HUMAN_KIND_FARMER = 0,
		HUMAN_KIND_BEEWOMAN = 1,
		HUMAN_KIND_SCIENTIST = 2,
		HUMAN_KIND_SKIRTLADY = 3,
		NUM_HUMAN_KINDS = 4,
	};
	// A human item's parm[3] bit: it waits in a glass capsule (level model 5)
	// that must be shot open. Only on levels whose model 5 is the capsule.
	constexpr uint8_t HUMAN_IN_CAPSULE = 0x01;

	inline FileItem Human(Point2 at, uint8_t kind, bool inCapsule = false)
	{
		return Item(ITEM_HUMAN, at.x, at.z, kind, 0, 0, inCapsule ? HUMAN_IN_CAPSULE : 0);
	}
	inline FileItem Scientist(Point2 at, bool inCapsule = false)
	{
		return Item(ITEM_SCIENTIST, at.x, at.z, 0, 0, 0, inCapsule ? HUMAN_IN_CAPSULE : 0);
	}
	inline FileItem PeopleHut(Point2 at, uint8_t humans, uint8_t kind)
	{
		return Item(ITEM_PEOPLE_HUT, at.x, at.z, humans, uint8_t(kind + 1));
	}

	// Atom colours, power-up types and their item flag bits are the game's
	// own (Items/Powerups.h); these are the baker's short names for them.
	enum : uint8_t
	{
		ATOM_HEALTH = ATOM_COLOR_HEALTH,
		ATOM_FUEL = ATOM_COLOR_FUEL,
		ATOM_EXIT_CHARGE = ATOM_COLOR_EXIT_CHARGE,	// 0.05 of the exit's charge each: twenty fill it
		POD_STUN = POWERUP_TYPE_STUNGUN,
		POD_HEALTH_ATOMS = POWERUP_TYPE_HEALTH_ATOMS,	// parm[1] of them
		POD_FUEL_ATOMS = POWERUP_TYPE_FUEL_ATOMS,
		POD_CHARGE_ATOMS = POWERUP_TYPE_EXIT_ATOMS,
		POD_NOVA = POWERUP_TYPE_NOVA,
		POD_FREEZE = POWERUP_TYPE_FREEZEGUN,
		POD_TOW_HANDLE = POWERUP_TYPE_TOW_HANDLE,		// parm[2] its boat's number
		POD_GROWTH = POWERUP_TYPE_GROWTH,				// the jungle's only
		POD_ARC = POWERUP_TYPE_ARCSHOT,
		POD_FLARE = POWERUP_TYPE_FLARE,
		POD_DARTS = POWERUP_TYPE_DARTS,
		POD_EXTRA_LIFE = POWERUP_TYPE_EXTRA_LIFE,
	};
	// The exit-charge atoms that fill the exit.
	constexpr int ATOMS_TO_CHARGE_EXIT = int(1.0f / ATOM_EXIT_CHARGE_GAIN + 0.5f);

	// `options`: POWERUP_OPTION_* (parm[3]); `flags`: ITEM_FLAG_POD_ON_BALLOON.
	inline FileItem Atom(Point2 at, uint8_t colour, uint8_t options = 0)
	{
		return Item(ITEM_ATOM, at.x, at.z, colour, 0, 0, options);
	}
	inline FileItem Pod(Point2 at, uint8_t powerup, uint8_t count = 0, uint16_t flags = 0, uint8_t options = 0)
	{
		FileItem item = Item(ITEM_POD, at.x, at.z, powerup, count, 0, options);
		item.flags = flags;
		return item;
	}

	// A band of brain aliens around `at`: `count` of them in a loose row
	// across the way they come from, `spacing` apart.
	inline void AddBrainAliens(std::vector<FileItem>& items, Point2 at, int count, float spacing = 300)
	{
		for (int i = 0; i < count; i++)
		{
			float off = (float(i) - float(count - 1) / 2) * spacing;
			items.push_back(Item(ITEM_BRAIN_ALIEN, at.x + off, at.z - 0.5f * off));
		}
	}

	// Where a file item stands, in world units.
	inline Point2 WorldXZ(const FileItem& item)
	{
		return {float(item.x) * MAP_TO_UNIT, float(item.z) * MAP_TO_UNIT};
	}

	//
	// Headings, points and paths
	//

	// parm[0] of a start item (eighths of a turn) that faces from `from` toward `to`.
	inline uint8_t FacingParm(Point2 from, Point2 to)
	{
		// A heading θ faces (−sin θ, −cos θ).
		float heading = std::atan2(-(to.x - from.x), -(to.z - from.z));
		int eighth = int(std::lround(heading / (3.14159265f / 4)));
		return uint8_t(((eighth % 8) + 8) % 8);
	}

	// A point `r` from the centre at `degrees` round it (0 toward +z, 90 toward +x).
	inline Point2 AtDegrees(Point2 c, float r, float degrees)
	{
		float a = degrees * 3.14159265f / 180;
		return {c.x + std::sin(a) * r, c.z + std::cos(a) * r};
	}

	// The point a fraction `t` (0 … 1) of the way along a path, moved `side`
	// units to the left of the path's direction there (negative: right), as
	// seen on the map from above with x to the east and z to the south.
	inline Point2 AlongPath(const std::vector<Point2>& path, float t, float side = 0)
	{
		float total = 0;
		for (size_t i = 1; i < path.size(); i++)
			total += Hypot(path[i].x - path[i - 1].x, path[i].z - path[i - 1].z);
		float want = std::clamp(t, 0.0f, 1.0f) * total;
		for (size_t i = 1; i < path.size(); i++)
		{
			Point2 a = path[i - 1], b = path[i];
			float len = Hypot(b.x - a.x, b.z - a.z);
			if (len <= 0)
				continue;
			if (want <= len || i + 1 == path.size())
			{
				float u = std::min(want / len, 1.0f);
				float dx = (b.x - a.x) / len, dz = (b.z - a.z) / len;
				return {a.x + dx * len * u + dz * side, a.z + dz * len * u - dx * side};
			}
			want -= len;
		}
		return path.empty() ? Point2{} : path.back();
	}

	// A polyline `offset` to the side (positive: right of the way) of
	// the path, from fraction `from` to `to` of its length, in `steps` pieces
	// (0: one every 2.5 % of the path, to follow its bends).
	std::vector<Point2> OffsetPath(const std::vector<Point2>& path, float offset, float from, float to, int steps = 0);

	//
	// Routes
	//

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

	// The route as a line the robot walks: the start, then every goal it
	// walks to (go, exit, boss, jet).
	std::vector<Point2> RouteLine(const WorldDesign& d);

	// The way the route walks before it waits for the exit's charge: the
	// start, then every placed goal up to the charge goal (or to the end).
	std::vector<Point2> WayToCharge(const WorldDesign& d);

	// The nearest a polyline comes to any leg of the design's route (world units).
	float DistanceFromRoute(const WorldDesign& d, const std::vector<Point2>& line);

	// Bends the route through checkpoint `number` beside its way, so a robot
	// walking it touches the post and comes back there after a lost life:
	// from a point `lead` units back along the way's centre line, straight
	// over the post and `beyond` units on past it, then on with the way.
	// The designer checks the ground along that line is walkable.
	void RouteThroughCheckpoint(WorldDesign& d, int number, float lead, float beyond);

	//
	// Pick-ups: atoms, pods and checkpoints along the way the route walks.
	// The charge comes before the route's charge goal with some to spare, so
	// a player who misses a few atoms still opens the exit; everything sits
	// on ground level with the way beside it (no cliffs, no holes), clear of
	// the other items.
	//

	struct PickupPlacer
	{
		WorldDesign& d;
		std::vector<Point2> way;
		float edgeClearance = 2 * TILE;		// units from the map's edge

		bool IsGround(Point2 p) const;
		bool IsClear(Point2 p) const;
		// The point `t` of the way along and about `side` off it where the
		// ground is solid, free and level with the way; nearer the way (and
		// then a little further along) when the side is no good.
		Point2 Spot(float t, float side) const;
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
		void Checkpoints(int count, float side);
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

	// Lays the pick-ups along the design's way to the charge (checkpoints
	// first, so the rest keeps clear of their posts); call once the route is laid.
	PickupPlacer LayAlongWay(WorldDesign& d, const WayPickups& w);

	// A few things for a short way into an arena, from t0 to t1 of it,
	// swinging `side` from side to side (their places are the placer's).
	void Handful(WorldDesign& d, std::vector<Point2> way, float t0, float t1, float side, const std::vector<FileItem>& things);

	//
	// Creatures, rides and hazards: kept off the route and off the items laid before them
	//

	// A creature of `type` at `want`, or the nearest spot round it (out to
	// 1200, in steps of 150) that is at least `minFromRoute` from the route's
	// line, clear of the items (CREATURE_ITEM_CLEARANCE) and passes `fits`.
	constexpr float CREATURE_ITEM_CLEARANCE = 350;
	template <typename Fits>
	void PlaceCreature(WorldDesign& d, const std::vector<Point2>& route, float minFromRoute, uint16_t type, Point2 want,
			const std::string& what, Fits fits);
	bool ClearOfItems(const WorldDesign& d, Point2 at, float room);

	// Rides (item numbers from Items/RidesContent.h), each at least 600 off
	// the route's line and 350 from other items.
	void PlaceRide(WorldDesign& d, const std::vector<Point2>& route, FileItem item, const std::string& what);
	// A zip line `id` from `from` down to `to`, whose hanging robot clears the ground.
	void ZipLine(WorldDesign& d, const std::vector<Point2>& route, uint8_t id, Point2 from, Point2 to);
	// A cannon facing `quarters` × 90° whose shot lands its passenger on solid ground.
	void Cannon(WorldDesign& d, const std::vector<Point2>& route, Point2 at, uint8_t quarters);
	// A rocket sled facing `eighths` × 45° with a long run of solid ground whichever way it is steered.
	void RocketSled(WorldDesign& d, const std::vector<Point2>& route, Point2 at, uint8_t eighths, const std::string& what);
	// Whether a piece of scenery of `radius` at `p` would stand in the run of
	// one of the world's rocket sleds (anywhere its rider can steer it).
	bool InSledRun(const WorldDesign& d, Point2 p, float radius);

	// An item of `type` at `at` (parm[3] `options`) that must stand at least
	// `clearance` off the way (throws naming `what` when it does not).
	void PlaceAwayFromWay(WorldDesign& d, const std::vector<Point2>& way, float clearance, uint16_t type, Point2 at,
			const std::string& what, uint8_t options = 0);

	// Places a hazard when it keeps `fromRoute` off the way and `room` from
	// other items; true when placed.
	bool PlaceClear(WorldDesign& d, FileItem item, float fromRoute, float room);

	//
	// Scenery: what grows and stands about, scattered from a list of the
	// world's own pieces. Pieces gather near the way the player goes (so the
	// journey looks lived-in) but keep off it, off the landing and exit pads,
	// off other items, off holes and cliffs, and out of each other. The doors
	// that only the jump jet or a giant breaks stand beside the route, never
	// across the only way on. Everything follows from the route and items the
	// world already has, so moving a landmark moves its scenery with it: a
	// design scatters its scenery after its other items and its route.
	//

	// One kind of piece and how it is dressed.
	struct Piece
	{
		uint16_t type;
		uint8_t parm0;
		uint8_t parm0Choices;		// > 1: parm[0] = parm0 + a pick below this
		float radius;				// its footprint
		float weight;				// how often it is picked
		uint8_t scaleMin = 0, scaleMax = 0;	// tenths, item 20 only
		bool turns = true;			// a random facing in the parm this type turns by
	};
	// A piece of item 20: level model `model` at `scaleMin` … `scaleMax` tenths.
	inline Piece ByKind(uint8_t model, float radius, float weight, uint8_t scaleMin, uint8_t scaleMax)
	{
		return {ITEM_SCENERY_BY_KIND, model, 1, radius, weight, scaleMin, scaleMax};
	}

	struct Scatter
	{
		WorldDesign& d;
		uint32_t seed;
		std::vector<Point2> route;
		std::vector<Point2> pads;
		std::vector<std::vector<Point2>> linesOfFire;	// from each sniping spot to what it shoots
		std::vector<std::pair<Point2, float>> taken;	// items with their radius
		uint32_t counter = 0;
		float edgeMargin = 900;

		// Keeps clear of the design's items and route as they stand now.
		explicit Scatter(WorldDesign& design);

		float Random();
		float RouteDistance(Point2 p) const;
		bool IsClear(Point2 p, float radius) const;
		void Place(Point2 p, const Piece& piece);
		// Up to `count` pieces picked by weight, denser near the route.
		void Spread(const std::vector<Piece>& pieces, int count);
		// A piece beside the route, `side` units off it, a fraction `t` of the way along.
		bool Beside(float t, float side, const Piece& piece);
		// The same for a piece the world's design needs: no room stops the bake, naming `what`.
		void MustBeside(float t, float side, const Piece& piece, const std::string& what);
	};

	// The jungle's pieces (worlds/Jungle.cpp); the jungle boss's clearing
	// shares them, as the two levels share one model file.
	void ScatterJungleScenery(Scatter& s, int count);

	//
	// Fences, water and spline loops, in world units: each converts to the
	// map units the terrain file stores. Water stands 100 above the ground at
	// its hot spot, so a lake's hot spot belongs at the bottom of its hollow.
	//

	// Fence types (the "fence" images) the worlds use.
	enum : uint16_t
	{
		FENCE_FARM_RAILS = 0,
		FENCE_PICKETS = 2,
		FENCE_SLIME_CRYSTALS = 4,
		FENCE_CITY_WALL = 6,
		FENCE_CONCRETE_BARRIER = 8,
		FENCE_CIRCUS_TENT = 10,
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
	// Spline item types more than one world puts on loops.
	enum : uint16_t
	{
		SPLINE_ITEM_HUMAN = 4,
		SPLINE_ITEM_BRAIN_ALIEN = 7,
		SPLINE_ITEM_BOAT = 35,
	};

	// A fence along the polyline.
	FileFence Fence(uint16_t type, const std::vector<Point2>& path);

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

	//
	// Templates
	//

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
				if (!ClearOfItems(d, at, CREATURE_ITEM_CLEARANCE) || !fits(at))
					continue;
				d.items.push_back(Item(type, at.x, at.z));
				return;
			}
		}
		throw std::logic_error("creature placement: no room for " + what);
	}
}
