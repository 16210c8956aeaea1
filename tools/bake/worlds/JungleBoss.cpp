// Level 6, the jungle boss arena: a round clearing ringed by a wall of
// jungle cliffs, a mound of roots at its centre for the pitcher plant and six
// bare patches round it for the pod plants; the captives, the boss's plants,
// generators and lights, the arc shots, the flytraps and turtles at the rim,
// the jungle's scenery, and the route that shoots each pod plant's head,
// then the pitcher plant, then leaves.
#include "worlds/WorldPlacing.h"
#include "worlds/Ground.h"

#include <cmath>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_FLYTRAP = 51,			// parm[0] facing in eighths of a turn
			ITEM_TURTLE = 53,			// parm[0] facing in eighths of a turn
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

		// The pitcher plant at `centre` with six pod plants on `podRing` round it,
		// the tentacle generators and lights, the arc shots (the only weapon that
		// hurts anything here) and the route that fights them.
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

		// Only the arc shot hurts the pitcher plant: its pods by the start.
		void AddJungleBossPickups(WorldDesign& d)
		{
			Handful(d, WayToCharge(d), 0.1f, 0.6f, 450, {Pod({}, POD_ARC), Atom({}, ATOM_HEALTH), Pod({}, POD_ARC),
					Atom({}, ATOM_HEALTH)});
		}

		// A few flytraps and turtles at the clearing's rim, away from the way to the exit saucer.
		void AddJungleBossCreatures(WorldDesign& d, Point2 center, float rimRadius)
		{
			// Round the rim on the far side from the start and the exit saucer (+z).
			const float angles[] = {3.5f, 4.0f, 4.45f, 5.0f, 5.5f};
			for (int i = 0; i < 5; i++)
			{
				float a = angles[i];
				Point2 p{center.x + rimRadius * std::cos(a), center.z + rimRadius * std::sin(a)};
				if (i % 2 == 0)
					d.items.push_back(Item(ITEM_FLYTRAP, p.x, p.z, FacingParm(p, center)));
				else
					d.items.push_back(Item(ITEM_TURTLE, p.x, p.z, uint8_t(i * 2)));
			}
		}

		void AddJungleBossScenery(WorldDesign& d)
		{
			Scatter s(d);
			ScatterJungleScenery(s, 30);
		}
	}

	//
	// Level 6: the jungle boss arena. A round clearing ringed by a wall of
	// jungle cliffs, with a mound of roots at its centre for the pitcher plant
	// and six bare patches round it for the pod plants.
	//
	WorldDesign JungleBossArena()
	{
		WorldDesign d;
		d.superTilesWide = d.superTilesDeep = 12;
		d.seed = 707;
		const float W = 12 * SUPERTILE;
		const uint32_t seed = d.seed;
		const Point2 center{W / 2, W / 2}, start{W / 2, W / 2 + 5000}, exitSite{W / 2, W / 2 + 2400};
		const float CLEARING = 6600, POD_RING = 4200;

		d.height = [=](float x, float z) {
			float r = Hypot(x - center.x, z - center.z);
			float mound = 190 * (1 - SmoothStep(800, 1400, r));
			float wall = SmoothStep(CLEARING, CLEARING + 1700, r) * (1500 + 600 * Fbm(x, z, 2600, 3, seed));
			return mound + 25 * (Fbm(x, z, 1500, 2, seed + 1) - 0.5f) * (1 - SmoothStep(CLEARING - 500, CLEARING, r)) + wall;
		};

		d.paint = [=](const GroundSample& s) {
			float r = Hypot(s.x - center.x, s.z - center.z);
			if (r > CLEARING + 200)
			{
				auto rock = [&] { return Ground::Rock(s, Hex(0x5E6A48), Hex(0x343A2A), seed + 2); };
				return Ground::WithCliffs(Ground::JungleFloor(s, seed + 1), s, rock, 0.2f, 0.38f);
			}
			if (r < 1400)
			{
				// Roots: twisted dark bands.
				float twist = Ridge(s.x + 400 * std::sin(s.z * 0.004f), s.z, 700, 2, seed + 3);
				return twist > 0.8f ? Hex(0x5A3A2A) : Hex(0x3A2A22) * (0.9f + 0.2f * twist);
			}
			for (int i = 0; i < 6; i++)
			{
				float a = float(i) * 3.14159265f / 3;
				Point2 pod{center.x + POD_RING * std::cos(a), center.z + POD_RING * std::sin(a)};
				if (DiscWeight(s.x, s.z, pod, 380, 1) > 0.5f)
					return Ground::Dirt(s, Hex(0x7A5A3A), seed + 4);
			}
			Rgb c = Ground::Grass(s, Hex(0x78A83E), Hex(0x4E7E2C), seed + 5, 0.1f);
			if (r > CLEARING - 700)
				c = Mix(c, Ground::JungleFloor(s, seed + 1), SmoothStep(CLEARING - 700, CLEARING, r));
			return c;
		};

		d.items = {
			Item(ITEM_START, start.x, start.z, FacingParm(start, center)),
			Item(ITEM_EXIT, exitSite.x, exitSite.z),
		};
		// The exit saucer faces the mound with its back to the start: round
		// its side to its front.
		d.route = {Goal(ROUTE_GOTO, {exitSite.x + 1400, exitSite.z}), Goal(ROUTE_GOTO, {exitSite.x + 1200, exitSite.z - 1300})};
		AddExitGoals(d.route, exitSite);
		// Captives the boss keeps in its clearing, near the way round the
		// exit saucer and clear of the pod plants' ring.
		const struct { Point2 at; uint8_t kind; } captives[] = {
			{{start.x - 400, start.z - 1000}, HUMAN_KIND_BEEWOMAN}, {{start.x + 700, start.z - 1200}, HUMAN_KIND_FARMER},
			{{exitSite.x + 2300, exitSite.z - 300}, HUMAN_KIND_SKIRTLADY}, {{exitSite.x + 2000, exitSite.z - 1500}, HUMAN_KIND_FARMER},
			{{exitSite.x - 900, exitSite.z - 1200}, HUMAN_KIND_SKIRTLADY},
		};
		for (const auto& h : captives)
			d.items.push_back(Human(h.at, h.kind));
		d.items.push_back(Scientist({exitSite.x - 900, exitSite.z - 600}));
		AddJungleBossArena(d, center, start, exitSite, POD_RING);
		AddJungleBossPickups(d);
		AddJungleBossCreatures(d, center, CLEARING - 700);
		AddJungleBossScenery(d);
		return d;
	}
}
