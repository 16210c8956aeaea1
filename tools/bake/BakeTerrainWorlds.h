// The ten worlds, one design each (BakeTerrainWorldsA.cpp: levels 0-4,
// BakeTerrainWorldsB.cpp: levels 5-9), and what they share.
#pragma once

#include "terrain/Ground.h"
#include "terrain/WorldKit.h"
#include "Items/Powerups.h"
#include "System/LevelTable.h"

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

	// The farm's onions, corn, tomatoes and tractor (BakeWorldFarmCreatures.cpp)
	// along its track and in its yard.
	void AddFarmCreatures(WorldDesign& d, const std::vector<Point2>& track, Point2 yard);

	// Appends the world's scenery (BakeWorldScenery.cpp): called by each world
	// design after its other items and its route, which the scenery keeps clear of.
	void AddScenery(WorldDesign& d, int level);

	// The rides of the worlds that have them (BakeWorldRides.cpp), from the
	// worlds' landmarks; called once the route and the other items are laid,
	// before the scenery.
	void AddSlimeBossRides(WorldDesign& d, Point2 center);
	void AddApocalypseRides(WorldDesign& d, Point2 start, Point2 exitSite, float block);
	void AddCloudRides(WorldDesign& d, Point2 start, Point2 middle);
	// Whether a piece of scenery of `radius` at `p` would stand in the run of
	// one of the world's rocket sleds (anywhere its rider can steer it).
	bool InSledRun(const WorldDesign& d, Point2 p, float radius);
	void AddFireAndIceRides(WorldDesign& d, Point2 glacier, Point2 volcano, Point2 liftSite);
	// The fire-and-ice machines (BakeWorldFireIce.cpp): the hammer bot guarding
	// the ice over the lift at `liftSite`, robots off the way and on the volcano's flanks.
	void AddFireAndIceMachines(WorldDesign& d, const std::vector<Point2>& way, Point2 liftSite, Point2 volcano);
	// The creatures of the ruined city and of the clouds (BakeWorldCreaturesCity.cpp,
	// BakeWorldCreaturesCloud.cpp), from the worlds' landmarks; called once the
	// route, the pick-ups and the rides are laid, before the scenery.
	void AddApocalypseCreatures(WorldDesign& d, Point2 start, Point2 exitSite, float block);
	// `outlook`: an island off the way the clown fish circle over too.
	void AddCloudCreatures(WorldDesign& d, Point2 start, Point2 middle, Point2 east, Point2 exitSite, Point2 outlook);
	// The fire-and-ice creatures and the slime world's squooshies
	// (BakeWorldCreaturesFireIce.cpp), each well off the way.
	void AddFireAndIceCreatures(WorldDesign& d, const std::vector<Point2>& way, Point2 glacier, Point2 volcano);
	void AddSlimeSquooshies(WorldDesign& d, const std::vector<Point2>& causeway, const std::vector<Point2>& spots);
	// Hazards (BakeWorldHazards.cpp), each kept off the route. The cloud's
	// trap doors stand on the middle of `bridge` over tiles the design makes
	// holes (IsTrapDoorTile).
	void AddApocalypseHazards(WorldDesign& d, Point2 start, Point2 exitSite, float block);
	std::vector<Point2> CloudTrapDoorSpots(const std::vector<Point2>& bridge);
	bool IsTrapDoorTile(const std::vector<Point2>& doors, float x, float z);
	void AddCloudTrapDoors(WorldDesign& d, const std::vector<Point2>& doors);
	void AddFireAndIceHazards(WorldDesign& d, const std::vector<Point2>& way, Point2 craterCentre, float craterRadius);
	void AddSaucerHazards(WorldDesign& d, const std::vector<Point2>& tour, const std::vector<Point2>& villages, Point2 dropZone);
	// Blobs and the blob boss (BakeWorldBlobs.cpp): the arena's start, route,
	// pick-ups on the machine's plinth and its blobs; the slime world's blobs
	// and falling crystals beside the causeway (after its route); pods adrift
	// on pools given by centre and radius.
	void AddBlobBossArena(WorldDesign& d, Point2 center);
	void AddSlimeWorldBlobs(WorldDesign& d, const std::vector<Point2>& causeway);
	void AddFloatingPods(WorldDesign& d, const std::vector<std::pair<Point2, float>>& pools);
	// Contraptions (BakeWorldContraptions.cpp). The exit lift at `site`, the
	// level's way out (the ice over it is the game's).
	void AddExitLift(WorldDesign& d, Point2 site);
	// The route's way into the lift at `site` from `from`: stop short of it
	// (its lid opens within 1200 once charged), wait for the charge, then
	// stand by it until it takes the robot.
	void AddExitLiftGoals(Route& route, Point2 site, Point2 from);
	// A bubble pump facing `quarter` × 90°.
	void AddBubblePump(WorldDesign& d, Point2 at, uint8_t quarter);
	// Boats on a round loop of `loopRadius` round `centre` (the design's next
	// spline), numbered 0 … boats − 1 and spread evenly round it; each one's
	// tow-handle pod on the shore (`shoreRadius` out) abreast of its start.
	void AddBoats(WorldDesign& d, Point2 centre, float loopRadius, float shoreRadius, int boats);
	// Two spiky pods and a spiky stalk about `spread` round `near`.
	void AddSpikyThings(WorldDesign& d, Point2 near, float spread, uint8_t quarter);
	// A bumper arena of area `area` on the square of half side `half` round
	// `centre`: four poles, the robot's car and three others, and a gate
	// across the way in at `gate` (facing `gateQuarter` × 90°).
	void AddBumperArena(WorldDesign& d, int area, Point2 centre, float half, Point2 gate, uint8_t gateQuarter);
	// The jungle's creatures (BakeWorldJungle.cpp): off the trail and out of
	// the river on level 5; round the rim of the boss's clearing on level 6.
	void AddJungleCreatures(WorldDesign& d, const std::vector<Point2>& trail, const std::vector<Point2>& river, float mapSize);
	void AddJungleBossCreatures(WorldDesign& d, Point2 center, float rimRadius);

	// The boss arenas' own things, weapons and routes (BakeWorldBosses.cpp):
	// the jungle boss's pitcher plant at `centre` with six pod plants on
	// `podRing` round it; the brain boss's exit and the way round its portals.
	void AddJungleBossArena(WorldDesign& d, Point2 centre, Point2 start, Point2 exitSite, float podRing);
	void AddBrainBossArena(WorldDesign& d, Point2 centre, Point2 start, const std::vector<Point2>& portals);

	// Item types the layouts place.
	enum : uint16_t
	{
		ITEM_START = 0,
		ITEM_HUMAN = 4,					// parm[0] kind (HUMAN_KIND_*), parm[3] HUMAN_IN_CAPSULE
		ITEM_ATOM = 5,					// parm[0] colour (ATOM_*), parm[3] POWERUP_OPTION_*
		ITEM_POD = 6,					// parm[0] power-up (POD_*), parm[1] count, parm[3] POWERUP_OPTION_*, flags ITEM_FLAG_POD_ON_BALLOON
		ITEM_BRAIN_ALIEN = 7,
		ITEM_EXIT = 26,
		ITEM_CHECKPOINT = 27,			// parm[0] number (rising along the way), parm[1] heading in eighths of a turn
		ITEM_BLOBBOSS_CENTER = 41,
		ITEM_SCIENTIST = 61,			// a human that is always a scientist; parm[3] as a human's
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

	// What a level offers the robot to collect: atoms, pods and checkpoints
	// along its way (BakeWorldPickups.cpp), one call from each design once its
	// route is laid.
	void AddFarmPickups(WorldDesign& d);
	void AddSlimeWorldPickups(WorldDesign& d);
	void AddSlimeBossPickups(WorldDesign& d);
	void AddApocalypsePickups(WorldDesign& d);
	void AddCloudPickups(WorldDesign& d);
	void AddJunglePickups(WorldDesign& d);
	void AddJungleBossPickups(WorldDesign& d);
	void AddFireAndIcePickups(WorldDesign& d);
	void AddSaucerCountryPickups(WorldDesign& d, Point2 landing, Point2 exitSpot);
	void AddBrainBossPickups(WorldDesign& d);

	// Bends the route through checkpoint `number` beside its way, so a robot
	// walking it touches the post and comes back there after a lost life:
	// from a point `lead` units back along the way's centre line, straight
	// over the post and `beyond` units on past it, then on with the way.
	// The designer checks the ground along that line is walkable.
	void RouteThroughCheckpoint(WorldDesign& d, int number, float lead, float beyond);

	// The way the route walks before it waits for the exit's charge: the
	// start, then every placed goal up to the charge goal (or to the end).
	std::vector<Point2> WayToCharge(const WorldDesign& d);

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
