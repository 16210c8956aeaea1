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
		// The exit saucer waits east of the dais, facing it; the brain is
		// fought south-east of it, so no way crosses the dais's slopes.
		const Point2 exitSite{centre.x + 3200, centre.z};
		const uint8_t EXIT_FACING = 2;			// a quarter turn: its front looks west, at the dais
		const Point2 fight{centre.x + 1400, centre.z + 1400};
		d.items.push_back(Item(ITEM_EXIT, exitSite.x, exitSite.z, EXIT_FACING));
		// Stun guns where the robot steps out of its saucer: the portals send
		// their elites at once.
		for (int i = 0; i < 3; i++)
			d.items.push_back(Pod({start.x - 300 + 300 * float(i), start.z - 450}, POD_STUN, 0, 0, POWERUP_OPTION_REGENERATES));

		// Every portal of the ring in turn, then the brain, then home.
		d.route.clear();
		d.route.push_back(Goal(ROUTE_GOTO, {start.x, start.z - 600}));
		const size_t n = portals.size();
		for (size_t k = 0; k < n; k++)
		{
			Point2 p = portals[k];
			// Stand inside the ring, short of the portal.
			Point2 in{p.x + (centre.x - p.x) * 0.15f, p.z + (centre.z - p.z) * 0.15f};
			d.route.push_back(Goal(ROUTE_BOSS, in));
			// A checkpoint a little further in: a lost life starts again
			// here, not back across the brain's dais.
			Point2 post{p.x + (centre.x - p.x) * 0.25f, p.z + (centre.z - p.z) * 0.25f};
			// Facing on round the ring; none at the first portal (the start is
			// near) nor the last (the way turns in to the brain there).
			if (k > 0 && k + 1 < n)
				d.items.push_back(Item(ITEM_CHECKPOINT, post.x, post.z, uint8_t(k), FacingParm(portals[k - 1], portals[k + 1])));
			// Health by each checkpoint, coming back while the elites keep coming.
			for (int a = 0; a < 3; a++)
				d.items.push_back(Atom({post.x + 200 * float(a - 1), post.z + 150 * float(a == 1)}, ATOM_HEALTH, POWERUP_OPTION_REGENERATES));
			// And a stun gun that comes back whenever the robot has none.
			d.items.push_back(Pod({post.x, post.z - 250}, POD_STUN, 0, 0, POWERUP_OPTION_REGENERATES));
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
