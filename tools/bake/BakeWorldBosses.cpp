// The two boss arenas' own things and the ways through them: the jungle
// boss's pod plants, tentacle generators, lights and pitcher plant, and the
// brain boss's exit; each with the weapons its fight needs and the route
// that fights it.
#include "BakeTerrainWorlds.h"

#include <cmath>

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_TENTACLE_GENERATOR = 71,
			ITEM_PITCHER_PLANT = 72,
			ITEM_POD_PLANT = 73,
			ITEM_JUNGLE_BOSS_LIGHT = 74,
		};
		constexpr float TAU = 6.28318531f;
		// Where the robot stands to shoot a pod plant's head: in front of its
		// mouth (the head leans toward +z), far enough to see it above.
		constexpr float POD_STANDOFF = 1000.0f;
		// And the pitcher plant, waiting for its mouth to open.
		constexpr float PITCHER_STANDOFF = 1500.0f;
		// How far from an alien portal the robot snipes it: beyond the reach
		// within which it sends elites (3000), by a margin for being knocked about.
		constexpr float SNIPE_DISTANCE = 3450.0f;
		// Exit charge in a pod by each sniping spot: with the brain's last
		// spill (10) enough for the exit, so a player who keeps out of the
		// elites' way can still leave; the elites spill more.
		constexpr uint8_t CHARGE_PER_SPOT = 3;

		RouteGoal SnipeGoal(Point2 spot, Point2 target)
		{
			RouteGoal g = Goal(ROUTE_SNIPE, spot);
			g.tx = target.x;
			g.tz = target.z;
			return g;
		}

		Point2 OnRing(Point2 centre, float radius, float angle)
		{
			return {centre.x + radius * std::cos(angle), centre.z + radius * std::sin(angle)};
		}
	}

	void AddJungleBossArena(WorldDesign& d, Point2 centre, Point2 start, Point2 exitSite, float podRing)
	{
		d.items.push_back(Item(ITEM_PITCHER_PLANT, centre.x, centre.z));
		std::vector<Point2> pods;
		for (int i = 0; i < 6; i++)
		{
			Point2 p = OnRing(centre, podRing, float(i) * TAU / 6);
			pods.push_back(p);
			d.items.push_back(Item(ITEM_POD_PLANT, p.x, p.z));
		}
		// Generators between the pod plants on the far side, lights round the mound.
		for (int i = 0; i < 3; i++)
		{
			Point2 g = OnRing(centre, 2900, (float(i) * 2 + 1.5f) * TAU / 6);
			d.items.push_back(Item(ITEM_TENTACLE_GENERATOR, g.x, g.z));
		}
		for (int i = 0; i < 4; i++)
		{
			Point2 l = OnRing(centre, 1900, (float(i) + 0.5f) * TAU / 4);
			d.items.push_back(Item(ITEM_JUNGLE_BOSS_LIGHT, l.x, l.z));
		}
		// Arc shots by the start: the only weapon that hurts anything here.
		for (int i = 0; i < 5; i++)
			d.items.push_back(Pod({start.x - 600 + 300 * float(i), start.z - 700 - 150 * float(i % 2)}, POD_ARC, 0, 0,
					POWERUP_OPTION_REGENERATES));

		// The way: the arc shots, then round the ring shooting each pod plant's
		// head from in front of its mouth (nearest first: the two near the
		// start, then the far side), then the pitcher plant, then out.
		d.route.clear();
		d.route.push_back(Goal(ROUTE_GOTO, {start.x, start.z - 700}));
		const int order[6] = {1, 2, 3, 4, 5, 0};
		for (int k : order)
		{
			Point2 p = pods[size_t(k)];
			d.route.push_back(Goal(ROUTE_BOSS, {p.x, p.z + POD_STANDOFF}));
		}
		d.route.push_back(Goal(ROUTE_BOSS, {centre.x, centre.z + PITCHER_STANDOFF}));
		AddExitGoals(d.route, exitSite);
	}

	void AddBrainBossArena(WorldDesign& d, Point2 centre, Point2 start, const std::vector<Point2>& portals)
	{
		// The exit saucer waits east of the dais, facing west, between two
		// portals' lines of fire from the inner ring; the brain is fought
		// south-east of the dais, so no way crosses its slopes.
		const float EXIT_ANGLE = 2.5f * TAU / 8;		// portal k stands k eighths of a turn round
		const Point2 exitSite{centre.x + 3200 * std::sin(EXIT_ANGLE), centre.z + 3200 * std::cos(EXIT_ANGLE)};
		const uint8_t EXIT_FACING = 2;			// a quarter turn: its front looks west, at the dais
		const Point2 fight{centre.x + 1400, centre.z + 1400};
		d.items.push_back(Item(ITEM_EXIT, exitSite.x, exitSite.z, EXIT_FACING));
		// Stun guns where the robot steps out of its saucer: the portals send
		// their elites at once.
		for (int i = 0; i < 3; i++)
			d.items.push_back(Pod({start.x - 300 + 300 * float(i), start.z - 450}, POD_STUN, 0, 0, POWERUP_OPTION_REGENERATES));

		// Every portal of the ring in turn, then the brain, then home. A portal
		// sends its elites only at a robot within its reach, and the stun gun
		// carries much further: each is shot down from a spot on the inner
		// ring just out of its reach (and out of its neighbours'), where a
		// checkpoint, a stun gun and health wait.
		d.route.clear();
		d.route.push_back(Goal(ROUTE_GOTO, {start.x, start.z - 600}));
		const size_t n = portals.size();
		for (size_t k = 0; k < n; k++)
		{
			Point2 p = portals[k];
			float dx = centre.x - p.x, dz = centre.z - p.z;
			float ring = std::hypot(dx, dz);
			Point2 spot{p.x + dx / ring * SNIPE_DISTANCE, p.z + dz / ring * SNIPE_DISTANCE};
			d.route.push_back(SnipeGoal(spot, p));
			// Beside the spot, round the ring: the stun gun that comes back
			// whenever the robot has none, and health.
			Point2 side{-dz / ring, dx / ring};
			Point2 pod{spot.x + side.x * 350, spot.z + side.z * 350};
			d.items.push_back(Pod(pod, POD_STUN, 0, 0, POWERUP_OPTION_REGENERATES));
			d.items.push_back(Pod({spot.x + side.x * 700, spot.z + side.z * 700}, POD_CHARGE_ATOMS, CHARGE_PER_SPOT));
			for (int a = 0; a < 2; a++)
				d.items.push_back(Atom({spot.x - side.x * (300 + 200 * float(a)), spot.z - side.z * (300 + 200 * float(a))},
						ATOM_HEALTH, POWERUP_OPTION_REGENERATES));
			// A lost life starts again just behind the spot (still out of the
			// portal's reach, clear of the way out to the exit), facing on round the ring the
			// way it came
			// (none at the first two: the robot lands between them).
			if (k > 1)
				d.items.push_back(Item(ITEM_CHECKPOINT, spot.x - dx / ring * 200, spot.z - dz / ring * 200, uint8_t(k - 1),
						FacingParm(portals[k - 1], p)));
		}
		// The brain is fought by its own stock of stun guns, which come back
		// whenever the robot has none.
		for (int i = 0; i < 2; i++)
			d.items.push_back(Pod({fight.x - 350 + 700 * float(i), fight.z + 600}, POD_STUN, 0, 0, POWERUP_OPTION_REGENERATES));
		for (int i = 0; i < 4; i++)
			d.items.push_back(Atom({fight.x - 450 + 300 * float(i), fight.z + 850}, ATOM_HEALTH, POWERUP_OPTION_REGENERATES));
		d.route.push_back(Goal(ROUTE_BOSS, fight));
		AddExitGoals(d.route, exitSite, EXIT_FACING);
	}
}
