// Level 8, the countryside the saucer flies over: fields, woods, a river and
// four villages joined by roads, all at least 7200 units from the edge, with
// wooded hills beyond closing the view. The people huts and farm folk to
// beam up, the drop zone (the exit saucer's place), the walk from the landing
// to the exit, the towers, turrets and drifting mines, the scenery, and the
// saucer's tour village by village.
#include "worlds/WorldPlacing.h"
#include "worlds/Ground.h"

#include <algorithm>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_TOWER = 102,
			ITEM_TURRET = 104,
			SPLINE_ITEM_DRIFTING_MINE = 103,
		};
		// The flying limit keeps the player this far in: scenery beyond it is never seen near.
		constexpr float SAUCER_EDGE_MARGIN = 7400;

		// The saucer level: the robot only walks from where it lands to the
		// exit; a little health and a stun gun wait round the drop zone.
		void AddSaucerCountryPickups(WorldDesign& d, Point2 landing, Point2 exitSpot)
		{
			Handful(d, {landing, exitSpot}, 0, 1, 700, {Atom({}, ATOM_HEALTH), Pod({}, POD_STUN), Atom({}, ATOM_HEALTH)});
		}

		// Towers, gun turrets and a drifting-mine loop beside the saucer's tour,
		// clear of the villages and the drop zone.
		void AddSaucerHazards(WorldDesign& d, const std::vector<Point2>& tour, const std::vector<Point2>& villages, Point2 dropZone)
		{
			auto farFromVillages = [&](Point2 p, float room) {
				for (Point2 v : villages)
					if (Hypot(p.x - v.x, p.z - v.z) < room)
						return false;
				return Hypot(p.x - dropZone.x, p.z - dropZone.z) >= room;
			};
			// Towers a little off the tour: flown over they scorch the saucer;
			// turrets further out, in range of it as it passes.
			for (float t : {0.07f, 0.2f, 0.33f, 0.47f, 0.6f, 0.74f, 0.88f})
			{
				Point2 p = AlongPath(tour, t, (int(t * 100) % 2) ? 900 : -900);
				if (farFromVillages(p, 2300))
					PlaceClear(d, Item(ITEM_TOWER, p.x, p.z), 800, 600);
			}
			// Turrets: the first clear spots every so far along the tour, either side.
			int turrets = 0;
			for (float t = 0.08f; t < 0.95f && turrets < 4; t += 0.04f)
				for (float side : {1400.0f, -1400.0f})
				{
					Point2 p = AlongPath(tour, t, side);
					if (farFromVillages(p, 2300) && PlaceClear(d, Item(ITEM_TURRET, p.x, p.z), 1300, 2500))
					{
						turrets++;
						t += 0.15f;
						break;
					}
				}
			// A drifting mine loop in the open between the first two villages, to the north.
			Point2 mid{(villages[0].x + villages[1].x) / 2, (villages[0].z + villages[1].z) / 2 - 3000};
			if (DistanceFromRoute(d, {mid, mid}) > 1700)
			{
				const int spline = int(d.splines.size());
				d.splines.push_back(CircleLoop(mid, 900, 10));
				for (float placement : {0.0f, 0.5f})
					d.splines[size_t(spline)].items.push_back(SplineItem(SPLINE_ITEM_DRIFTING_MINE, placement));
			}
		}

		void AddSaucerScenery(WorldDesign& d)
		{
			Scatter s(d);
			s.edgeMargin = SAUCER_EDGE_MARGIN;
			s.Spread({
				ByKind(8, 320, 5, 9, 14),					// village trees
				ByKind(9, 150, 2, 8, 13),					// meadow rocks
				ByKind(10, 220, 3, 10, 10),					// fences
				ByKind(11, 90, 2, 10, 13),					// hay bales
				ByKind(12, 260, 3, 9, 13),					// pines
			}, 80);
		}
	}

	//
	// Level 8: the countryside the saucer flies over. Fields, woods, a river
	// and four villages joined by roads, all at least 7200 units from the
	// edge; beyond that wooded hills close the view.
	//
	WorldDesign SaucerCountry()
	{
		WorldDesign d;
		d.superTilesWide = d.superTilesDeep = 22;
		d.seed = 909;
		const float W = 22 * SUPERTILE, D = W;
		const uint32_t seed = d.seed;
		const float MARGIN = 7200;

		const Point2 start{W / 2, W / 2}, dropZone{W / 2 + 1800, W / 2};
		const std::vector<Point2> villages = {{12500, 12500}, {27500, 11500}, {19000, 30500}, {29000, 29000}};
		const std::vector<Point2> river = {{0, 25000}, {9000, 24000}, {15000, 21800}, {22000, 26400}, {30000, 23500},
				{W, 22000}};
		const std::vector<std::vector<Point2>> roads = {
			{villages[0], start, villages[1]},
			{start, villages[2]},
			{villages[1], {29500, 20000}, villages[3]},
			{villages[2], {24000, 31000}, villages[3]},
		};

		auto roadOffset = [=](float x, float z) {
			float best = 1e9f;
			for (const auto& r : roads)
				best = std::min(best, DistanceToPath(x, z, r));
			return best;
		};

		d.height = [=](float x, float z) {
			float h = 320 * (Fbm(x, z, 9000, 3, seed) - 0.5f);
			h += 1800 * (1 - SmoothStep(MARGIN - 3000, MARGIN, EdgeDistance(x, z, W, D))) * (0.5f + 0.5f * Fbm(x, z, 3000, 2, seed + 1));
			h -= 300 * (1 - SmoothStep(500, 1300, DistanceToPath(x, z, river)));
			for (Point2 v : villages)
				h = Flatten(h, x, z, v, 1500, 0, 900);
			h = Flatten(h, x, z, start, 1500, 0, 900);
			return h;
		};

		d.paint = [=](const GroundSample& s) {
			float wet = DistanceToPath(s.x, s.z, river);
			if (wet < 560)
				return Mix(Hex(0x2E5E8A), Hex(0x3E7AA0), Fbm(s.x, s.z, 600, 2, seed + 1));
			if (wet < 760)
				return Ground::Sand(s, Hex(0xC8B47A), seed + 2);
			if (roadOffset(s.x, s.z) < 170)
				return Ground::Dirt(s, Hex(0xA0824E), seed + 3);
			for (Point2 v : villages)
				if (DiscWeight(s.x, s.z, v, 1300, 1) > 0.5f)
				{
					float r = Hypot(s.x - v.x, s.z - v.z);
					return r < 350 ? Ground::Paving(s, Hex(0xB0A080), 120, seed + 4) : Ground::Dirt(s, Hex(0x9A7A4A), seed + 5);
				}
			Rgb c;
			// Fields on a grid turned a little off north, hedged.
			const float angle = -0.25f, fieldW = 3400, fieldD = 2600;
			float u = (s.x * std::cos(angle) + s.z * std::sin(angle)) / fieldW;
			float v = (-s.x * std::sin(angle) + s.z * std::cos(angle)) / fieldD;
			int32_t fu = int32_t(std::floor(u)), fv = int32_t(std::floor(v));
			float pick = Hash01(fu, fv, seed + 6);
			float hedge = std::min({u - float(fu), float(fu + 1) - u, (v - float(fv)) * fieldD / fieldW,
					(float(fv + 1) - v) * fieldD / fieldW}) * fieldW;
			bool farmland = EdgeDistance(s.x, s.z, W, D) > MARGIN - 1500;
			if (farmland && pick < 0.55f && hedge > 50)
			{
				static const Rgb crops[3][2] = {
					{Hex(0xE0C050), Hex(0xA8884A)}, {Hex(0x6ABF3E), Hex(0x5A7A30)}, {Hex(0xB07AC8), Hex(0x6A8A3A)},
				};
				int kind = int(pick * 5.4f) % 3;
				float rows = Hash01(fu, fv, seed + 12) < 0.5f ? angle : angle + 1.5708f;
				c = Ground::Field(s, crops[kind][0], crops[kind][1], 110, rows, seed + 7);
			}
			else if (farmland && hedge <= 50 && pick < 0.7f)
				c = Hex(0x3E7A2E);
			else
			{
				c = Ground::Grass(s, Hex(0x86C84E), Hex(0x5A9A3A), seed + 8, 0.15f);
				float woods = Fbm(s.x, s.z, 2600, 3, seed + 9) + (farmland ? 0 : 0.25f);
				if (woods > 0.58f)
				{
					// Woods: round tree crowns, lit in the middle, dark between.
					CellHit crown = Cells(s.x, s.z, 190, seed + 10);
					Rgb tree = Mix(Hex(0x1E4A1A), Hex(0x4A8A32), 1 - crown.distance * 1.5f) * (0.85f + 0.3f * crown.value);
					c = Mix(c, tree, SmoothStep(0.58f, 0.62f, woods));
				}
			}
			auto rock = [&] { return Ground::Rock(s, Hex(0x8A8070), Hex(0x5A5248), seed + 11); };
			return Ground::WithCliffs(c, s, rock, 0.2f, 0.38f);
		};

		d.items = {
			Item(ITEM_START, start.x, start.z, FacingParm(start, villages[0])),
			Item(ITEM_EXIT, dropZone.x, dropZone.z),
		};
		// The saucer's tour: every village by the roads between them, then
		// back round the west of the drop zone to its front.
		const std::vector<Point2> tour = {start, villages[0], villages[1], roads[2][1], villages[3], roads[3][1],
				villages[2], {start.x - 1800, start.z - 800}};
		// Two huts at the edge of each village's square, three villagers in
		// each (one kind a hut), and farm folk out in the fields along the
		// tour: 24 + 8 to beam up, 20 of them enough to charge the exit.
		const struct { float angle, radius; } hutSpots[] = {{0.6f, 850}, {3.4f, 900}};
		for (size_t v = 0; v < villages.size(); v++)
			for (size_t k = 0; k < 2; k++)
			{
				const auto& spot = hutSpots[k];
				float a = spot.angle + 0.9f * float(v);
				Point2 at{villages[v].x + spot.radius * std::sin(a), villages[v].z + spot.radius * std::cos(a)};
				d.items.push_back(PeopleHut(at, 3, uint8_t((v * 2 + k) % NUM_HUMAN_KINDS)));
			}
		const struct { float t, side; uint8_t kind; } farmFolk[] = {
			{0.10f, 650, HUMAN_KIND_FARMER}, {0.22f, -700, HUMAN_KIND_BEEWOMAN}, {0.30f, 600, HUMAN_KIND_SKIRTLADY},
			{0.44f, 650, HUMAN_KIND_FARMER}, {0.56f, -700, HUMAN_KIND_BEEWOMAN}, {0.66f, -600, HUMAN_KIND_SKIRTLADY},
			{0.80f, 650, HUMAN_KIND_FARMER},
		};
		for (const auto& h : farmFolk)
			d.items.push_back(Human(AlongPath(tour, h.t, h.side), h.kind));
		d.items.push_back(Scientist(AlongPath(tour, 0.36f, -600)));

		// Village by village in the tour's order, smashing the huts and
		// beaming up their people (a full hold goes to the drop zone on the
		// way), then the last of them to the drop zone; once the exit is
		// charged the robot is dropped in front of it and walks in. The area
		// of a village reaches past its huts as far as their people walk.
		// Between villages it keeps to the tour, past the folk in the fields,
		// and comes to the drop point from the front, clear of the saucer there.
		const Point2 dropPoint{dropZone.x, dropZone.z - 400};
		const float VILLAGE_AREA = 2000;
		for (const Point2& p : tour)
		{
			bool village = std::any_of(villages.begin(), villages.end(), [&](Point2 v) { return v.x == p.x && v.z == p.z; });
			if (village)
				d.route.push_back(Goal(ROUTE_HARVEST, p, VILLAGE_AREA));
			else if (&p != &tour.front())
				d.route.push_back(Goal(ROUTE_GOTO, p));
		}
		d.route.insert(d.route.end(), {Goal(ROUTE_GOTO, {dropZone.x, dropZone.z - 1200}), Goal(ROUTE_DELIVER, dropPoint),
				Goal(ROUTE_CHARGE), Goal(ROUTE_GOTO, dropPoint), Goal(ROUTE_LAND),
				Goal(ROUTE_EXIT, {dropZone.x, dropZone.z - 420})});
		AddSaucerCountryPickups(d, dropPoint, {dropZone.x, dropZone.z - 420});
		AddSaucerHazards(d, tour, villages, dropZone);
		AddSaucerScenery(d);
		return d;
	}
}
