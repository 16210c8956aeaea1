// Level 5, the jungle: steep wooded hills cut by a winding river valley,
// three cliff-sided plateaus and a muddy trail that fords the river; the
// expedition and brain aliens along the trail, the pick-ups (the growth pod
// the giant doors want), the lizards, mantises, flytraps, turtles and springy
// plants, the scenery with the temple walls only a giant walks through, the
// river and the bamboo screen, and the route down the trail to the exit.
#include "worlds/WorldPlacing.h"
#include "worlds/Ground.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_GIANT_TREE = 44,		// level model 1 at 3: only the jet or a giant's fist fells it; parm[0] 1 turns it a quarter
			ITEM_GIANT_LIZARD = 50,
			ITEM_FLYTRAP = 51,			// parm[0] facing in eighths of a turn
			ITEM_MANTIS = 52,
			ITEM_TURTLE = 53,			// parm[0] facing in eighths of a turn
			ITEM_GIANT_WALL = 54,		// level model 5 + parm[0], parm[1] eighth turns
			ITEM_BOUNCY_OBJECT = 55,	// parm[0] kind 0 … 3
			ITEM_GREAT_BOULDER = 107,	// level model 4 at 9
		};

		// A place `side` off the trail at `t` that keeps out of the river
		// and inside the map; false when there is none.
		bool Spot(const std::vector<Point2>& trail, const std::vector<Point2>& river, float t, float side, float mapSize,
				Point2* out)
		{
			for (float s : {side, side * 0.8f, -side, -side * 0.8f})
			{
				Point2 p = AlongPath(trail, t, s);
				bool inside = p.x > 1500 && p.z > 1500 && p.x < mapSize - 1500 && p.z < mapSize - 1500;
				if (inside && DistanceToPath(p.x, p.z, river) > 1400
						&& DistanceToPath(p.x, p.z, trail) > std::fabs(side) * 0.7f)
				{
					*out = p;
					return true;
				}
			}
			return false;
		}

		// The jungle trail: the growth pod that the giant doors want, and an extra life.
		void AddJunglePickups(WorldDesign& d)
		{
			LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 5, .fuel = 3,
					.weapons = {POD_STUN, POD_GROWTH, POD_ARC, POD_DARTS, POD_EXTRA_LIFE}, .checkpoints = 3});
		}

		// Giant lizards and mantises roaming well off the muddy trail (far enough
		// that a robot keeping to it outruns them), one of each patrolling a loop
		// in the woods, flytraps rooted beside the trail facing it, turtles
		// grazing by it and springy plants between the trees, all out of the
		// river. Numbers are the game's (src/Enemies/JungleCreatures.h).
		void AddJungleCreatures(WorldDesign& d, const std::vector<Point2>& trail, const std::vector<Point2>& river, float mapSize)
		{
			Point2 p;
			for (float t : {0.2f, 0.41f, 0.63f, 0.9f})
				if (Spot(trail, river, t, t < 0.5f ? 2700.0f : -2700.0f, mapSize, &p))
					d.items.push_back(Item(ITEM_GIANT_LIZARD, p.x, p.z));
			for (float t : {0.1f, 0.3f, 0.5f, 0.7f, 0.8f})
				if (Spot(trail, river, t, int(t * 10) % 2 ? -2300.0f : 2300.0f, mapSize, &p))
					d.items.push_back(Item(ITEM_MANTIS, p.x, p.z));
			const float trapT[] = {0.07f, 0.16f, 0.25f, 0.37f, 0.46f, 0.56f, 0.68f, 0.77f, 0.86f, 0.94f};
			for (int i = 0; i < 10; i++)
				if (Spot(trail, river, trapT[i], i % 2 ? 800.0f : -800.0f, mapSize, &p))
					d.items.push_back(Item(ITEM_FLYTRAP, p.x, p.z, FacingParm(p, AlongPath(trail, trapT[i]))));
			const float turtleT[] = {0.14f, 0.35f, 0.58f, 0.74f, 0.92f};
			for (int i = 0; i < 5; i++)
				if (Spot(trail, river, turtleT[i], i % 2 ? 550.0f : -550.0f, mapSize, &p))
					d.items.push_back(Item(ITEM_TURTLE, p.x, p.z, uint8_t((i * 3) % 8)));
			const float bouncyT[] = {0.05f, 0.23f, 0.44f, 0.6f, 0.82f, 0.97f};
			for (int i = 0; i < 6; i++)
				if (Spot(trail, river, bouncyT[i], i % 2 ? -1100.0f : 1100.0f, mapSize, &p))
					d.items.push_back(Item(ITEM_BOUNCY_OBJECT, p.x, p.z, uint8_t(i % 4)));

			// A lizard and a mantis each patrolling a loop in the woods.
			const struct { float t, side; uint16_t type; } patrols[] = {
				{0.52f, 3400, ITEM_GIANT_LIZARD}, {0.75f, -3200, ITEM_MANTIS},
			};
			for (const auto& patrol : patrols)
			{
				if (!Spot(trail, river, patrol.t, patrol.side, mapSize, &p))
					continue;
				FileSpline loop = CircleLoop(p, 700);
				loop.items.push_back(SplineItem(patrol.type, 0.0f));
				d.splines.push_back(loop);
			}
		}

		void AddJungleScenery(WorldDesign& d)
		{
			Scatter s(d);
			ScatterJungleScenery(s, 80);
			// Temple walls only a giant walks through, off the trail.
			s.Beside(0.45f, 1100, {ITEM_GIANT_WALL, 0, 1, 480, 1});
			s.Beside(0.75f, -1100, {ITEM_GIANT_WALL, 0, 1, 480, 1});
			s.Beside(0.3f, -900, {ITEM_JET_DOOR, 0, 2, 260, 1});
			// A jungle giant across a side path that only the jet or a giant
			// fells, and a great mossy boulder looming over the trail.
			s.MustBeside(0.58f, -1500, {ITEM_GIANT_TREE, 0, 2, 450, 1}, "the giant tree");
			s.MustBeside(0.22f, 2800, {ITEM_GREAT_BOULDER, 0, 1, 1000, 1, 0, 0, false}, "the great boulder");
		}
	}

	//
	// Level 5: the jungle. Steep wooded hills cut by a winding river valley,
	// three cliff-sided plateaus and a muddy trail that fords the river.
	//
	WorldDesign Jungle()
	{
		WorldDesign d;
		d.superTilesWide = d.superTilesDeep = 20;
		d.seed = 606;
		const float W = 20 * SUPERTILE, D = W;
		const uint32_t seed = d.seed;

		const Point2 start{3600, 20000}, exitSite{32400, 30000};
		const std::vector<Point2> river = {{-500, 8500}, {7000, 12000}, {14000, 9200}, {19500, 15200}, {26000, 20200},
				{36500, 24000}};
		const std::vector<Point2> trail = {start, {8000, 22000}, {12500, 18600}, {17000, 19600}, {22000, 24200},
				{28000, 27600}, exitSite};
		struct Mesa { Point2 c; float r, top; };
		const std::vector<Mesa> mesas = {{{27000, 8000}, 3000, 1400}, {{9000, 28500}, 2500, 1000}, {{20500, 29500}, 1700, 1800}};
		const float RIVERBED = -620;

		d.height = [=](float x, float z) {
			float h = 900 * (Fbm(x, z, 8000, 4, seed) - 0.4f) + 500 * Ridge(x, z, 12000, 2, seed + 1);
			h += 1400 * (1 - SmoothStep(0, 4000, EdgeDistance(x, z, W, D)));
			float valley = DistanceToPath(x, z, river);
			h = Lerp(h, RIVERBED, 1 - SmoothStep(500, 2300, valley));
			for (const Mesa& m : mesas)
				h = Plateau(h, x, z, m.c, m.r, m.top, 380);
			for (Point2 flat : {start, exitSite})
				h = Flatten(h, x, z, flat, 1900, 0, 1500);
			// The trail is worn into the ground.
			h -= 40 * (1 - SmoothStep(150, 400, DistanceToPath(x, z, trail)));
			return h;
		};

		d.paint = [=](const GroundSample& s) {
			float valley = DistanceToPath(s.x, s.z, river);
			auto rock = [&] { return Ground::Rock(s, Hex(0x6E7A56), Hex(0x3A4030), seed + 1); };
			Rgb c;
			if (valley < 520)
				c = Mix(Hex(0x2E6A62), Hex(0x3E7A5E), Fbm(s.x, s.z, 500, 2, seed + 2));		// shallow river over pebbles
			else if (valley < 820)
				c = Ground::Dirt(s, Hex(0x6A5432), seed + 3);
			else
			{
				c = Ground::JungleFloor(s, seed + 4);
				bool onTop = false;
				for (const Mesa& m : mesas)
					onTop |= s.height > m.top - 5 && DiscWeight(s.x, s.z, m.c, m.r, 1) > 0.5f;
				if (onTop)
					c = Ground::Grass(s, Hex(0x6AB83A), Hex(0x3E8A2A), seed + 5, 0.2f);
				c = Ground::WithCliffs(c, s, rock, 0.2f, 0.38f);
			}
			float off = DistanceToPath(s.x, s.z, trail);
			if (off < 260)
				c = Mix(Ground::Dirt(s, Hex(0x7A5A34), seed + 6), c, SmoothStep(190, 260, off));
			return c;
		};

		d.items = {
			Item(ITEM_START, start.x, start.z, FacingParm(start, trail[1])),
			Item(ITEM_EXIT, exitSite.x, exitSite.z),
		};
		// An expedition scattered along the trail (no capsules here: the
		// jungle's model 5 is its first giant breakable).
		const struct { float t, side; uint8_t kind; } expedition[] = {
			{0.12f, 600, HUMAN_KIND_FARMER}, {0.22f, -650, HUMAN_KIND_BEEWOMAN}, {0.33f, 550, HUMAN_KIND_SKIRTLADY},
			{0.60f, 650, HUMAN_KIND_BEEWOMAN}, {0.71f, -600, HUMAN_KIND_FARMER}, {0.84f, 600, HUMAN_KIND_SKIRTLADY},
		};
		for (const auto& h : expedition)
			d.items.push_back(Human(AlongPath(trail, h.t, h.side), h.kind));
		d.items.push_back(Scientist(AlongPath(trail, 0.42f, -600)));
		d.items.push_back(Scientist(AlongPath(trail, 0.52f, 600)));
		AddBrainAliens(d.items, AlongPath(trail, 0.27f, 200), 2);
		AddBrainAliens(d.items, AlongPath(trail, 0.47f, -250), 2);
		AddBrainAliens(d.items, AlongPath(trail, 0.66f, 250), 3);
		// The muddy trail, fording the river, to the exit.
		AddPathGoals(d.route, trail, 1, trail.size() - 1);
		AddExitGoals(d.route, exitSite);
		AddJunglePickups(d);
		AddJungleCreatures(d, trail, river, W);
		AddJungleScenery(d);
		// The river fills its valley from edge to edge; bamboo screens the
		// trail where it bends along the valley's rim.
		d.water.push_back(WaterBand(WATER_RIVER, {{400, 8900}, river[1], river[2], river[3], river[4], {35600, 23700}}, 650,
				river[2]));
		d.fences.push_back(Fence(FENCE_BAMBOO, OffsetPath(trail, 1100, 0.30f, 0.42f)));
		return d;
	}

	// The jungle's pieces; the boss's clearing shares them (one model file serves both).
	void ScatterJungleScenery(Scatter& s, int count)
	{
		s.Spread({
			ByKind(1, 350, 4, 9, 14),					// jungle giants
			ByKind(2, 260, 3, 9, 13),					// spire trees
			ByKind(4, 190, 2, 8, 13),					// mossy boulders
			{ITEM_PLANT, 1, 1, 330, 2, 0, 0, false},		// broad bushes
			{ITEM_PLANT, 2, 1, 110, 3, 0, 0, false},		// blooms
			{ITEM_PLANT, 3, 1, 330, 2, 0, 0, false},		// ferns
		}, count);
	}
}
