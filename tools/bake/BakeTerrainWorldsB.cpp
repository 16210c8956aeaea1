// Worlds of levels 5 to 9: the jungle, the jungle boss arena, fire and ice,
// the saucer level's countryside and the brain boss arena.
#include "BakeTerrainWorlds.h"
#include "BakeWorldWater.h"

#include <algorithm>
#include <vector>

namespace TerrainBake::Worlds
{
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
		AddScenery(d, LEVEL_NUM_JUNGLE);
		// The river fills its valley from edge to edge; bamboo screens the
		// trail where it bends along the valley's rim.
		d.water.push_back(WaterBand(WATER_RIVER, {{400, 8900}, river[1], river[2], river[3], river[4], {35600, 23700}}, 650,
				river[2]));
		d.fences.push_back(Fence(FENCE_BAMBOO, OffsetPath(trail, 1100, 0.30f, 0.42f)));
		return d;
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
		AddScenery(d, LEVEL_NUM_JUNGLEBOSS);
		return d;
	}

	//
	// Level 7: fire and ice. Snowfields, a frozen lake and a glacier in the
	// west; in the east black basalt, a volcano with a crater of lava and
	// lava channels running from it; a band of slush between them.
	//
	WorldDesign FireAndIce()
	{
		WorldDesign d;
		d.superTilesWide = d.superTilesDeep = 20;
		d.seed = 808;
		const float W = 20 * SUPERTILE, D = W;
		const uint32_t seed = d.seed;

		const Point2 start{3600, 3600}, liftSite{5200, 31500};
		const Point2 volcano{27000, 12500}, lake{8500, 11500}, glacier{8500, 25500};
		const float CONE_RADIUS = 5400, CRATER_RADIUS = 1150, LAKE_LEVEL = -160, GLACIER_TOP = 900;
		const std::vector<Point2> lavaFlow = {{26000, 16800}, {24600, 21000}, {27000, 26400}, {31200, 31200}};

		auto warmth = [=](float x, float z) {
			return SmoothStep(15000, 21000, x + 2600 * (Fbm(x, z, 9000, 2, seed) - 0.5f));
		};
		auto coneHeight = [=](float r) {
			float outer = 2700 * std::pow(std::max(0.0f, 1 - r / CONE_RADIUS), 1.3f);
			float rimHeight = 2700 * std::pow(1 - CRATER_RADIUS / CONE_RADIUS, 1.3f);
			if (r < CRATER_RADIUS)
				return rimHeight - 650 * (1 - (r / CRATER_RADIUS) * (r / CRATER_RADIUS));
			return outer;
		};

		d.height = [=](float x, float z) {
			float h = 600 * (Fbm(x, z, 7000, 3, seed + 1) - 0.5f);
			h += 1600 * (1 - SmoothStep(0, 4000, EdgeDistance(x, z, W, D))) * (0.6f + 0.4f * Fbm(x, z, 2400, 2, seed + 2));
			h = Lerp(h, LAKE_LEVEL, DiscWeight(x, z, lake, 2900, 900));
			h = Plateau(h, x, z, glacier, 3100, GLACIER_TOP, 600);
			float r = Hypot(x - volcano.x, z - volcano.z);
			h = std::max(h, coneHeight(r) + h * 0.3f * SmoothStep(CRATER_RADIUS, CONE_RADIUS, r));
			h -= 260 * (1 - SmoothStep(300, 700, DistanceToPath(x, z, lavaFlow)));
			for (Point2 flat : {start, liftSite})
				h = Flatten(h, x, z, flat, 1700, 0, 1300);
			return h;
		};

		d.paint = [=](const GroundSample& s) {
			float w = warmth(s.x, s.z);
			Rgb cold, hot;
			// The cold side.
			if (DiscWeight(s.x, s.z, lake, 2900, 1) > 0.5f && s.height < LAKE_LEVEL + 10)
				cold = Ground::Ice(s, seed + 1);
			else if (s.height > GLACIER_TOP - 5 && DiscWeight(s.x, s.z, glacier, 3100, 1) > 0.5f)
				cold = Mix(Ground::Ice(s, seed + 2), Ground::Snow(s, seed + 3), 0.5f);
			else
			{
				auto rock = [&] { return Ground::Rock(s, Hex(0x8A9AB0), Hex(0x4A5468), seed + 4); };
				Rgb snow = Ground::Snow(s, seed + 3);
				// Wind-blown streaks of bluish crust across the snowfield.
				float streak = ValueNoise(s.x + 0.4f * s.z, s.z * 5, 1400, seed + 11);
				snow = Mix(snow, Hex(0x8CA8D0), 0.5f * SmoothStep(0.6f, 0.75f, streak));
				// Where the wind has scoured it, grey rock shows through.
				float scour = Fbm(s.x, s.z, 1800, 4, seed + 12);
				if (scour > 0.64f)
				{
					Rgb stone = Ground::Rock(s, Hex(0x9AA2B2), Hex(0x5A6272), seed + 13);
					snow = Mix(snow, stone, 0.85f * SmoothStep(0.64f, 0.7f, scour));
				}
				cold = Ground::WithCliffs(snow, s, rock, 0.2f, 0.38f);
			}
			// The hot side.
			float r = Hypot(s.x - volcano.x, s.z - volcano.z);
			float flow = DistanceToPath(s.x, s.z, lavaFlow);
			if (r < CRATER_RADIUS - 80)
				hot = Ground::Lava(s, 1.0f, seed + 5);
			else if (flow < 420)
				hot = Ground::Lava(s, 0.8f * (1 - flow / 420), seed + 6);
			else
			{
				hot = Ground::Rock(s, Hex(0x4A403C), Hex(0x221C1C), seed + 7);
				float ash = Fbm(s.x, s.z, 1200, 3, seed + 8);
				hot = Mix(hot, Hex(0x6A6260), 0.35f * SmoothStep(0.5f, 0.7f, ash));		// drifts of ash
				if (r < CONE_RADIUS * 0.5f)
					hot = Mix(hot, Ground::Lava(s, 0.2f, seed + 9), 0.5f);
			}
			if (w <= 0.01f)
				return cold;
			if (w >= 0.99f)
				return hot;
			Rgb slush = Ground::Dirt(s, Hex(0x6A6A72), seed + 10);
			return w < 0.5f ? Mix(cold, slush, w * 2) : Mix(slush, hot, w * 2 - 1);
		};

		d.items = {
			Item(ITEM_START, start.x, start.z, FacingParm(start, {start.x + 1, start.z + 1})),
		};
		// North past the lake and the glacier to the exit lift, sealed under ice.
		const std::vector<Point2> way = {start, {start.x + 800, lake.z}, {liftSite.x, glacier.z - 1500}, liftSite};
		AddExitLift(d, liftSite);
		d.route = {Goal(ROUTE_GOTO, way[1]), Goal(ROUTE_GOTO, way[2])};
		AddExitLiftGoals(d.route, liftSite, way[2]);
		// Climbers caught in the cold, frozen into capsules here and there,
		// on the way north; brain aliens on the snowfield.
		const struct { float t, side; uint8_t kind; bool capsule; } climbers[] = {
			{0.12f, 600, HUMAN_KIND_FARMER, false}, {0.24f, 650, HUMAN_KIND_SKIRTLADY, true},
			{0.36f, 550, HUMAN_KIND_BEEWOMAN, false}, {0.48f, -600, HUMAN_KIND_FARMER, true},
			{0.60f, 600, HUMAN_KIND_SKIRTLADY, false}, {0.72f, -550, HUMAN_KIND_BEEWOMAN, true},
			{0.86f, -600, HUMAN_KIND_FARMER, false},
		};
		for (const auto& h : climbers)
			d.items.push_back(Human(AlongPath(way, h.t, h.side), h.kind, h.capsule));
		d.items.push_back(Scientist(AlongPath(way, 0.42f, 550)));
		AddBrainAliens(d.items, AlongPath(way, 0.30f, 250), 2);
		AddBrainAliens(d.items, AlongPath(way, 0.52f, -200), 3);
		AddBrainAliens(d.items, AlongPath(way, 0.62f, 200), 2);
		AddFireAndIceMachines(d, way, liftSite, volcano);
		AddFireAndIceCreatures(d, way, glacier, volcano);
		AddFireAndIcePickups(d);
		AddFireAndIceRides(d, glacier, volcano, liftSite);
		AddFireAndIceHazards(d, way, volcano, CRATER_RADIUS - 50);
		AddScenery(d, LEVEL_NUM_FIREICE);
		// Lava fills the crater to two thirds of the way up its bowl.
		d.water.push_back(WaterDisc(WATER_LAVA, volcano, CRATER_RADIUS - 50, 24));
		d.water.back().hotSpotX += 700 / MAP_TO_UNIT_SCALE;
		return d;
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
		AddScenery(d, LEVEL_NUM_SAUCER);
		return d;
	}

	//
	// Level 9: the brain boss arena. A floor of glowing hex plates with a dais
	// for the brain at its centre, eight portal pads round it, and walls of
	// folded, brain-like rock.
	//
	WorldDesign BrainBossArena()
	{
		WorldDesign d;
		d.superTilesWide = d.superTilesDeep = 10;
		d.seed = 1010;
		const float W = 10 * SUPERTILE;
		const uint32_t seed = d.seed;
		const Point2 center{W / 2, W / 2};
		// The robot lands on the inner ring between the first two portals, out
		// of their reach, with time to arm before it goes within it.
		const Point2 start{center.x + 2400 * std::sin(0.3926991f), center.z + 2400 * std::cos(0.3926991f)};
		const float DAIS_RADIUS = 1500, DAIS_TOP = 250, PORTAL_RING = 5600, WALL = 7000;

		auto portal = [=](int k) {
			float a = float(k) * 3.14159265f / 4;
			// Portal k faces the centre along its heading of k eighths of a turn.
			return Point2{center.x + PORTAL_RING * std::sin(a), center.z + PORTAL_RING * std::cos(a)};
		};

		d.height = [=](float x, float z) {
			float r = Hypot(x - center.x, z - center.z);
			float h = DAIS_TOP * DiscWeight(x, z, center, DAIS_RADIUS, 220);
			for (int k = 0; k < 8; k++)
				h += 70 * DiscWeight(x, z, portal(k), 420, 120);
			float folds = Ridge(x, z, 1600, 3, seed);
			h += SmoothStep(WALL, WALL + 1500, r) * (1100 + 500 * folds);
			return h;
		};

		d.paint = [=](const GroundSample& s) {
			float r = Hypot(s.x - center.x, s.z - center.z);
			if (r > WALL + 100)
			{
				float folds = Ridge(s.x, s.z, 1600, 3, seed);
				return Mix(Hex(0x7A3A52), Hex(0xE89AB0), SmoothStep(0.5f, 0.95f, folds));
			}
			if (r < DAIS_RADIUS + 100)
			{
				float ring = std::fmod(r, 300.0f);
				Rgb c = Ground::MetalPlates(s, Hex(0x6A6478), 350, seed + 1);
				return ring < 30 ? Hex(0xFF3A3A) : c;
			}
			for (int k = 0; k < 8; k++)
			{
				float pr = Hypot(s.x - portal(k).x, s.z - portal(k).z);
				if (pr < 450)
					return pr > 360 ? Hex(0x3AF0FF) : Ground::MetalPlates(s, Hex(0x4A5A78), 200, seed + 2);
			}
			return Ground::HexPlates(s, Hex(0x6A6684), Hex(0xD838C0), 260, seed + 3);
		};

		d.items = {
			Item(ITEM_START, start.x, start.z, FacingParm(start, center)),
			Item(ITEM_BRAINBOSS, center.x, center.z),
		};
		// Up onto the dais at the brain.
		d.route = {Goal(ROUTE_BOSS, center)};
		std::vector<Point2> portals;
		for (int k = 0; k < 8; k++)
		{
			portals.push_back(portal(k));
			d.items.push_back(Item(ITEM_ALIEN_PORTAL, portal(k).x, portal(k).z, uint8_t(k)));
		}
		AddBrainBossArena(d, center, start, portals);
		AddBrainBossPickups(d);
		AddScenery(d, LEVEL_NUM_BRAINBOSS);
		return d;
	}
}
