// Worlds of levels 0 to 4: the farm, the slime world, the slime boss arena,
// the apocalyptic city and the cloud city.
#include "BakeTerrainWorlds.h"
#include "BakeWorldWater.h"

#include <algorithm>
#include <vector>

namespace TerrainBake::Worlds
{
	//
	// Level 0: a farm in a green valley. Rolling fields between dirt tracks, a
	// farm yard in the middle, a mesa with a ramp, a pond in a hollow and
	// wooded hills all round.
	//
	WorldDesign Farm()
	{
		WorldDesign d;
		d.superTilesWide = d.superTilesDeep = 20;
		d.seed = 101;
		const float W = 20 * SUPERTILE, D = W;
		const uint32_t seed = d.seed;

		const Point2 start{5400, 5400}, yard{17000, 17500}, exitSite{30600, 30600};
		const Point2 mesa{27500, 8500}, pond{9500, 26500};
		const Point2 rampFoot{23500, 12700}, rampTop{25700, 10300};
		const float MESA_TOP = 950, MESA_RADIUS = 2600;
		const std::vector<Point2> track = {start, {9000, 8200}, {12800, 13800}, yard, {22000, 22600}, {26800, 27200}, exitSite};
		const std::vector<Point2> spur = {yard, {21500, 14000}, rampFoot, rampTop, mesa};
		const std::vector<Point2> pondLane = {{12800, 13800}, {10800, 20000}, {10200, 23600}};

		d.height = [=](float x, float z) {
			float h = 500 * (Fbm(x, z, 9000, 3, seed) - 0.5f) + 180 * (Fbm(x, z, 2600, 2, seed + 1) - 0.5f);
			float edge = EdgeDistance(x, z, W, D);
			h += 1700 * (1 - SmoothStep(0, 4800, edge)) * (0.55f + 0.45f * Fbm(x, z, 3000, 2, seed + 2));
			for (Point2 flat : {start, yard, exitSite})
				h = Flatten(h, x, z, flat, 2300, 0, 1800);
			h -= 560 * DiscWeight(x, z, pond, 1100, 1500);
			h = Plateau(h, x, z, mesa, MESA_RADIUS, MESA_TOP, 450);
			// The ramp climbs the mesa's side from the spur track.
			float t;
			float off = DistanceToSegment(x, z, rampFoot, rampTop, &t);
			h = std::max(h, Lerp(h, t * MESA_TOP, 1 - SmoothStep(420, 650, off)));
			return h;
		};

		d.paint = [=](const GroundSample& s) {
			Rgb grassLight = Hex(0x7CC443), grassDark = Hex(0x4E9A32);
			Rgb rock = Hex(0xB08A5E), dirt = Hex(0x9A7444);
			float onTrack = std::min({DistanceToPath(s.x, s.z, track), DistanceToPath(s.x, s.z, spur),
					DistanceToPath(s.x, s.z, pondLane)});
			Rgb c;
			if (s.height < -260)
				c = Mix(Hex(0x4C6E5A), Hex(0x3A5A6A), SmoothStep(-300, -500, s.height));		// the pond's muddy floor
			else if (s.height < -170)
				c = Ground::Dirt(s, Hex(0x7E6A48), seed + 11);
			else if (DiscWeight(s.x, s.z, yard, 2400, 1) > 0.5f)
				c = Ground::Dirt(s, Hex(0xA88454), seed + 12);
			else if (s.height > MESA_TOP - 5 && DiscWeight(s.x, s.z, mesa, MESA_RADIUS, 1) > 0.5f)
				c = Ground::Grass(s, Hex(0xA8C85A), Hex(0x86A84A), seed + 13, 0.25f);
			else
			{
				// Lowland fields in a patchwork of rectangles on a slanted grid,
				// hedges between them, meadows and woods elsewhere.
				const float angle = 0.35f, fieldW = 3000, fieldD = 2100;
				float u = (s.x * std::cos(angle) + s.z * std::sin(angle)) / fieldW;
				float v = (-s.x * std::sin(angle) + s.z * std::cos(angle)) / fieldD;
				int32_t fu = int32_t(std::floor(u)), fv = int32_t(std::floor(v));
				float pick = Hash01(fu, fv, seed + 14);
				float hedge = std::min({u - float(fu), float(fu + 1) - u, (v - float(fv)) * fieldD / fieldW,
						(float(fv + 1) - v) * fieldD / fieldW}) * fieldW;
				bool lowland = std::fabs(s.height) < 240 && EdgeDistance(s.x, s.z, W, D) > 4200;
				if (lowland && pick < 0.7f && hedge > 45)
				{
					static const Rgb crops[4][2] = {
						{Hex(0xF0CE50), Hex(0xB89050)},		// wheat
						{Hex(0x62C040), Hex(0x7A5A34)},		// young greens
						{Hex(0x9A6A3C), Hex(0x7A4E2C)},		// ploughed earth
						{Hex(0x58A030), Hex(0x9A7440)},		// corn rows
					};
					int kind = int(pick * 5.7f) % 4;
					float rows = (Hash01(fu, fv, seed + 20) < 0.5f ? angle : angle + 1.5708f);
					c = Ground::Field(s, crops[kind][0], crops[kind][1], 90, rows, seed + 15);
				}
				else if (lowland && hedge <= 45 && pick < 0.85f)
					c = Hex(0x3A7A2A) * (0.85f + 0.3f * ValueNoise(s.x, s.z, 60, seed + 21));
				else
				{
					c = Ground::Grass(s, grassLight, grassDark, seed + 16, 0.18f);
					float woods = Fbm(s.x, s.z, 3000, 3, seed + 17);
					if (!lowland && woods > 0.55f)
					{
						CellHit crown = Cells(s.x, s.z, 170, seed + 22);
						Rgb tree = Hex(0x2E7A2A) * (0.6f + 0.6f * (1 - crown.distance * 1.4f));
						c = Mix(c, tree, SmoothStep(0.55f, 0.6f, woods));
					}
				}
				auto stone = [&] { return Ground::Rock(s, rock, Hex(0x7A5A3C), seed + 18); };
				c = Ground::WithCliffs(c, s, stone, 0.16f, 0.32f);
			}
			if (onTrack < 300)
				c = Mix(Ground::Dirt(s, dirt, seed + 19), c, SmoothStep(230, 300, onTrack));
			return c;
		};

		d.items = {
			Item(ITEM_START, start.x, start.z, FacingParm(start, yard)),
			Item(ITEM_EXIT, exitSite.x, exitSite.z),
		};
		// Farm hands wait by the track, a few shut in capsules by the
		// aliens; two more in the yard.
		const struct { float t, side; uint8_t kind; bool capsule; } farmHands[] = {
			{0.12f, 650, HUMAN_KIND_FARMER, false}, {0.22f, -600, HUMAN_KIND_SKIRTLADY, true},
			{0.34f, 700, HUMAN_KIND_BEEWOMAN, false}, {0.46f, -550, HUMAN_KIND_FARMER, true},
			{0.50f, 600, HUMAN_KIND_SKIRTLADY, false}, {0.62f, -650, HUMAN_KIND_BEEWOMAN, false},
			{0.74f, 600, HUMAN_KIND_FARMER, true}, {0.84f, -600, HUMAN_KIND_SKIRTLADY, false},
		};
		for (const auto& h : farmHands)
			d.items.push_back(Human(AlongPath(track, h.t, h.side), h.kind, h.capsule));
		d.items.push_back(Scientist(AlongPath(track, 0.56f, -500)));
		// Brain aliens lie in wait on the way to the yard, in it and past it.
		AddBrainAliens(d.items, AlongPath(track, 0.28f, 250), 2);
		AddBrainAliens(d.items, AlongPath(track, 0.48f, -300), 3);
		AddBrainAliens(d.items, AlongPath(track, 0.68f, 200), 2);
		AddFarmCreatures(d, track, yard);
		// Down the dirt track through the yard to the exit.
		AddPathGoals(d.route, track, 1, track.size() - 1);
		AddExitGoals(d.route, exitSite);
		AddFarmPickups(d);
		AddScenery(d, LEVEL_NUM_FARM);
		// The pond fills its hollow; rails fence the track's far side on the
		// way into the yard, and pickets ring the orchard behind them.
		// Its surface stands level with the hollow's muddy rim (the hot spot
		// sits on the slope, not at the deepest point).
		d.water.push_back(WaterDisc(WATER_POND, pond, 2000));
		d.water.back().hotSpotZ += 1700 / MAP_TO_UNIT_SCALE;
		d.fences.push_back(Fence(FENCE_FARM_RAILS, OffsetPath({track[2], yard}, 1100, 0.08f, 0.78f)));
		d.fences.push_back(Fence(FENCE_PICKETS, OffsetPath({track[1], track[2]}, 1200, 0.2f, 0.8f)));
		// Brain aliens patrol a loop in the meadow beyond the rails; farm
		// hands stroll round the yard.
		d.splines.push_back(CircleLoop(AlongPath(track, 0.40f, 2600), 900));
		d.splines.back().items = {SplineItem(SPLINE_ITEM_BRAIN_ALIEN, 0), SplineItem(SPLINE_ITEM_BRAIN_ALIEN, 0.5f)};
		d.splines.push_back(CircleLoop({yard.x + 900, yard.z - 900}, 500, 8));
		d.splines.back().items = {SplineItem(SPLINE_ITEM_HUMAN, 0.25f, HUMAN_KIND_FARMER)};
		return d;
	}

	//
	// Level 1: the slime world. Lilac blob-hills, pools of green slime in the
	// hollows, two high mesas and a paved causeway from the start to the exit.
	//
	WorldDesign SlimeWorld()
	{
		WorldDesign d;
		d.superTilesWide = d.superTilesDeep = 20;
		d.seed = 202;
		const float W = 20 * SUPERTILE, D = W;
		const uint32_t seed = d.seed;

		const Point2 start{4500, 31500}, exitSite{31500, 4500};
		const std::vector<Point2> causeway = {start, {9000, 27200}, {14200, 26000}, {18000, 19400}, {23000, 14600},
				{27200, 9000}, exitSite};
		struct Pool { Point2 c; float r; };
		const std::vector<Pool> pools = {{{12000, 9500}, 2200}, {{24500, 24500}, 2600}, {{6500, 15500}, 1800},
				{{29000, 18000}, 1600}, {{17500, 31000}, 1500}};
		struct Mesa { Point2 c; float r, top; };
		const std::vector<Mesa> mesas = {{{20500, 30500}, 2300, 1100}, {{8500, 5200}, 2000, 800}};
		const float SLIME_LEVEL = -450;

		d.height = [=](float x, float z) {
			CellHit blob = Cells(x, z, 3000, seed);
			float dome = std::max(0.0f, 1 - blob.distance * 1.8f);
			float h = 260 * (Fbm(x, z, 7000, 3, seed + 1) - 0.5f) + 520 * dome * dome * (0.4f + blob.value);
			h += 1500 * (1 - SmoothStep(0, 4200, EdgeDistance(x, z, W, D))) * (0.6f + 0.4f * Fbm(x, z, 2500, 2, seed + 2));
			for (const Pool& p : pools)
				h = Lerp(h, SLIME_LEVEL, DiscWeight(x, z, p.c, p.r, 1200));
			for (const Mesa& m : mesas)
				h = Plateau(h, x, z, m.c, m.r, m.top, 420);
			for (Point2 flat : {start, exitSite})
				h = Flatten(h, x, z, flat, 2000, 0, 1500);
			// The causeway runs level with its surroundings, smoothed.
			float off = DistanceToPath(x, z, causeway);
			h = Lerp(h, std::max(h * 0.5f, 0.0f), 1 - SmoothStep(350, 900, off));
			return h;
		};

		d.paint = [=](const GroundSample& s) {
			Rgb slime = Hex(0x6EE632), bubble = Hex(0xD2FF96);
			Rgb rock = Ground::Rock(s, Hex(0x8A6AA8), Hex(0x4E3466), seed + 10);
			Rgb c;
			if (s.height < SLIME_LEVEL + 120)
				c = Ground::Slime(s, slime, bubble, seed + 11);
			else if (s.height < SLIME_LEVEL + 260)
				c = Mix(Ground::Slime(s, Hex(0x5AB82E), bubble, seed + 11), rock, SmoothStep(SLIME_LEVEL + 120, SLIME_LEVEL + 260, s.height));
			else
			{
				c = Ground::Grass(s, Hex(0xC890E0), Hex(0x8A58A8), seed + 12);
				// Dark veins run through the ground; small pink glowing buds dot it.
				if (Ridge(s.x, s.z, 2200, 3, seed + 18) > 0.975f)
					c = Hex(0x5A2E7A);
				CellHit bud = Cells(s.x, s.z, 380, seed + 19);
				if (bud.value > 0.75f && bud.distance < 0.1f)
					c = Mix(Hex(0xFFA8F0), Hex(0xFFFFFF), 1 - bud.distance * 10);
				// Puddles of slime dribbled over the hills.
				CellHit puddle = Cells(s.x, s.z, 1400, seed + 13);
				float wobble = 0.1f * (Fbm(s.x, s.z, 260, 2, seed + 17) - 0.5f);
				if (puddle.value > 0.7f && puddle.distance + wobble < 0.15f)
					c = Ground::Slime(s, slime, bubble, seed + 14);
				c = Ground::WithCliffs(c, s, [&] { return rock; }, 0.15f, 0.3f);
				for (const Mesa& m : mesas)
					if (s.height > m.top - 5 && DiscWeight(s.x, s.z, m.c, m.r, 1) > 0.5f)
						c = Ground::Grass(s, Hex(0xE0A0C8), Hex(0xB47AA8), seed + 15);
			}
			float off = DistanceToPath(s.x, s.z, causeway);
			if (off < 320)
				c = Mix(Ground::Paving(s, Hex(0x6A4A88), 150, seed + 16), c, SmoothStep(260, 320, off));
			return c;
		};

		d.items = {
			Item(ITEM_START, start.x, start.z, FacingParm(start, causeway[1])),
			Item(ITEM_EXIT, exitSite.x, exitSite.z),
		};
		// Lost travellers on the hills beside the causeway, some sealed in
		// capsules.
		const struct { float t, side; uint8_t kind; bool capsule; } travellers[] = {
			{0.13f, 600, HUMAN_KIND_BEEWOMAN, false}, {0.25f, -650, HUMAN_KIND_FARMER, true},
			{0.37f, 550, HUMAN_KIND_SKIRTLADY, false}, {0.50f, -600, HUMAN_KIND_BEEWOMAN, true},
			{0.62f, 650, HUMAN_KIND_FARMER, false}, {0.74f, -550, HUMAN_KIND_SKIRTLADY, true},
			{0.85f, 600, HUMAN_KIND_FARMER, false},
		};
		for (const auto& h : travellers)
			d.items.push_back(Human(AlongPath(causeway, h.t, h.side), h.kind, h.capsule));
		d.items.push_back(Scientist(AlongPath(causeway, 0.43f, -500)));
		AddBrainAliens(d.items, AlongPath(causeway, 0.30f, 300), 2);
		AddBrainAliens(d.items, AlongPath(causeway, 0.55f, -250), 3);
		AddBrainAliens(d.items, AlongPath(causeway, 0.70f, 250), 2);
		// Along the causeway, then round to the front of the exit saucer.
		AddPathGoals(d.route, causeway, 1, causeway.size() - 1);
		AddExitGoals(d.route, exitSite);
		AddSlimeWorldPickups(d);
		// Bubble pumps on the hills well off the causeway.
		AddBubblePump(d, AlongPath(causeway, 0.2f, 1100), 1);
		AddBubblePump(d, AlongPath(causeway, 0.62f, -1100), 3);
		// Spiky things beyond the pumps, where a floating robot drifts.
		AddSpikyThings(d, AlongPath(causeway, 0.2f, 1900), 500, 0);
		AddSpikyThings(d, AlongPath(causeway, 0.62f, -1900), 500, 2);
		AddSlimeWorldBlobs(d, causeway);
		{
			std::vector<std::pair<Point2, float>> podPools;
			for (size_t i = 0; i < pools.size(); i++)
				if (i != 1)		// the boats' pool
					podPools.push_back({pools[i].c, pools[i].r});
			AddFloatingPods(d, podPools);
		}
		// Squooshies on the blob-hills between the pools, far from the causeway.
		AddSlimeSquooshies(d, causeway, {{12500, 21000}, {19500, 12500}, {23000, 20500}});
		AddScenery(d, LEVEL_NUM_BLOB);
		// Every hollow holds a pool of slime; the boats' loop runs round the
		// biggest (spline 0, a water loop well inside its shore).
		for (const Pool& p : pools)
			d.water.push_back(WaterDisc(WATER_SLIME, p.c, p.r + 350));
		AddBoats(d, pools[1].c, pools[1].r * 0.6f, pools[1].r + 550, 2);
		// Crystal fences guard the causeway's edge above two of the pools.
		d.fences.push_back(Fence(FENCE_SLIME_CRYSTALS, OffsetPath(causeway, -1000, 0.36f, 0.46f)));
		d.fences.push_back(Fence(FENCE_SLIME_CRYSTALS, OffsetPath(causeway, 1000, 0.62f, 0.72f)));
		return d;
	}

	//
	// Level 2: the slime boss arena. A round, flat, plated floor for the blob
	// machine at its centre, walled by a ring of slime-streaked rock.
	//
	WorldDesign SlimeBossArena()
	{
		WorldDesign d;
		d.superTilesWide = d.superTilesDeep = 10;
		d.seed = 303;
		const float W = 10 * SUPERTILE;
		const uint32_t seed = d.seed;
		const Point2 center{W / 2, W / 2};
		const float FLOOR_RADIUS = 5200, MACHINE_FOOTING = 1300;

		d.height = [=](float x, float z) {
			float r = Hypot(x - center.x, z - center.z);
			float wall = SmoothStep(FLOOR_RADIUS, FLOOR_RADIUS + 1000, r);
			float hills = 900 + 500 * Fbm(x, z, 3000, 3, seed) + 700 * SmoothStep(7000, 9000, r);
			return wall * hills;
		};

		// The arena's ground carries an added sphere map: it is painted dark so
		// the sheen shows instead of washing out.
		auto paint = [=](const GroundSample& s) {
			float r = Hypot(s.x - center.x, s.z - center.z);
			float angle = std::atan2(s.z - center.z, s.x - center.x);
			Rgb slime = Hex(0x78F03C), bubble = Hex(0xD8FFA0);
			if (r > FLOOR_RADIUS + 60)
			{
				Rgb rock = Ground::Rock(s, Hex(0x7A4E96), Hex(0x3E2456), seed + 1);
				float streak = Ridge(s.x, s.z + s.height * 2, 1600, 2, seed + 2);
				return streak > 0.86f ? Ground::Slime(s, slime, bubble, seed + 3) : rock;
			}
			// The machine's footing: hazard stripes round a dark disc.
			if (r < MACHINE_FOOTING)
				return Ground::MetalPlates(s, Hex(0x4A4E5A), 300, seed + 4);
			if (r < 1550)
			{
				int stripe = int(std::floor((angle + 3.14159265f) / (3.14159265f / 16)));
				return stripe % 2 ? Hex(0xF0C818) : Hex(0x23232A);
			}
			// Plated floor in rings, stained with slime.
			Rgb c = Ground::MetalPlates(s, Hex(0x8A9AAA), 450, seed + 5);
			float ring = std::fmod(r, 1200.0f);
			if (ring < 40)
				c = Hex(0x3A3F4A);
			float stain = Fbm(s.x, s.z, 1300, 3, seed + 6);
			if (stain > 0.6f)
				c = Mix(c, Ground::Slime(s, slime, bubble, seed + 7), SmoothStep(0.6f, 0.64f, stain));
			if (r > FLOOR_RADIUS - 250)
				c = Mix(c, Hex(0x5A3A74), 0.6f);
			return c;
		};
		d.paint = [=](const GroundSample& s) { return paint(s) * 0.42f; };

		d.items = {Item(ITEM_BLOBBOSS_CENTER, center.x, center.z)};
		AddBlobBossArena(d, center);
		AddSlimeBossRides(d, center);
		return d;
	}

	//
	// Level 3: the apocalyptic city. A grid of cracked streets between
	// ruined blocks: raised foundations, collapsed piles, craters and
	// glowing toxic pools; shattered towers all round the edge.
	//
	WorldDesign Apocalypse()
	{
		WorldDesign d;
		d.superTilesWide = d.superTilesDeep = 20;
		d.seed = 404;
		const float W = 20 * SUPERTILE, D = W;
		const uint32_t seed = d.seed;
		const float BLOCK = 3600, STREET = 430;
		const Point2 start{7200, 7200}, exitSite{28800, 28800};

		enum Kind { RUBBLE_FIELD, FOUNDATION, PILE, CRATER, TOXIC };
		auto blockKind = [=](int bx, int bz) {
			float v = Hash01(bx, bz, seed);
			return v < 0.25f ? RUBBLE_FIELD : v < 0.55f ? FOUNDATION : v < 0.72f ? PILE : v < 0.88f ? CRATER : TOXIC;
		};
		// Distance to the nearest street centre line, and whether it runs along x.
		auto streetOffset = [=](float x, float z, bool* alongX) {
			float ox = std::fabs(x - std::round(x / BLOCK) * BLOCK);
			float oz = std::fabs(z - std::round(z / BLOCK) * BLOCK);
			*alongX = oz < ox;
			return std::min(ox, oz);
		};

		d.height = [=](float x, float z) {
			int bx = int(std::floor(x / BLOCK)), bz = int(std::floor(z / BLOCK));
			Point2 c{(float(bx) + 0.5f) * BLOCK, (float(bz) + 0.5f) * BLOCK};
			float inner = BLOCK / 2 - STREET - 150;
			float h = 30 * (Fbm(x, z, 1500, 2, seed + 1) - 0.5f);
			switch (blockKind(bx, bz))
			{
				case RUBBLE_FIELD:
					h += 90 * Fbm(x, z, 500, 2, seed + 2);
					break;
				case FOUNDATION:
					h += (250 + 350 * Hash01(bx, bz, seed + 3)) * RectWeight(x, z, c, inner, inner, 140);
					break;
				case PILE:
				{
					float r = Hypot(x - c.x, z - c.z);
					h += 750 * std::pow(std::max(0.0f, 1 - r / inner), 1.5f) * (0.7f + 0.6f * Fbm(x, z, 700, 2, seed + 4));
					break;
				}
				case CRATER:
					h -= 650 * DiscWeight(x, z, c, 500, 900);
					break;
				case TOXIC:
					h = Lerp(h, -300, RectWeight(x, z, c, inner - 200, inner - 200, 300));
					break;
			}
			h += 1900 * (1 - SmoothStep(0, 3800, EdgeDistance(x, z, W, D))) * (0.5f + 0.5f * Hash01(bx, bz, seed + 5));
			for (Point2 flat : {start, exitSite})
				h = Flatten(h, x, z, flat, 1300, 0, 700);
			return h;
		};

		d.paint = [=](const GroundSample& s) {
			int bx = int(std::floor(s.x / BLOCK)), bz = int(std::floor(s.z / BLOCK));
			bool alongX;
			float off = streetOffset(s.x, s.z, &alongX);
			if (off < STREET && EdgeDistance(s.x, s.z, W, D) > 3000)
			{
				Rgb c = Ground::Asphalt(s, Hex(0x45454E), seed + 1);
				float along = alongX ? s.x : s.z;
				if (off < 22 && std::fmod(std::fabs(along), 700.0f) < 380)
					c = Hex(0xD6AE2E);						// the dashed centre line
				if (off > STREET - 45)
					c = Hex(0x8E8A82);						// kerb
				return c;
			}
			Rgb concrete = Hex(0x8C8880);
			switch (blockKind(bx, bz))
			{
				case FOUNDATION:
				{
					Rgb c = Ground::MetalPlates(s, concrete, 420, seed + 2);
					float dirt = Fbm(s.x, s.z, 900, 3, seed + 3);
					if (dirt > 0.6f)
						return Ground::Rubble(s, Hex(0x7A726A), seed + 4);
					return Ground::WithCliffs(c, s, [] { return Hex(0x5A5650); }, 0.2f, 0.35f);
				}
				case CRATER:
					if (s.height < -120)
					{
						Rgb c = Mix(Hex(0x3A2E26), Hex(0x1E1814), SmoothStep(-150, -600, s.height));
						return s.height < -560 && Fbm(s.x, s.z, 300, 2, seed + 5) > 0.55f ? Hex(0xE8641E) : c;
					}
					return Ground::Rubble(s, Hex(0x5A524A), seed + 6);
				case TOXIC:
					if (s.height < -220)
						return Ground::Slime(s, Hex(0x58E83A), Hex(0xD8FF6A), seed + 7);
					return Ground::Rubble(s, Hex(0x6A7050), seed + 8);
				default:
					return Ground::Rubble(s, Hex(0x7E766C), seed + 9);
			}
		};

		d.items = {
			Item(ITEM_START, start.x, start.z, FacingParm(start, {start.x + 1, start.z + 1})),
			Item(ITEM_EXIT, exitSite.x, exitSite.z),
		};
		// Start and exit sit on crossings: along one street east, then north
		// up another, which runs into the exit saucer's front.
		const Point2 corner{exitSite.x, start.z};
		// Survivors stand a little way up the side streets off the way, where
		// the flat tarmac is; brain aliens hold crossings.
		const struct { Point2 at; uint8_t kind; } survivors[] = {
			{{3 * BLOCK, start.z + 750}, HUMAN_KIND_SKIRTLADY}, {{4 * BLOCK, start.z - 700}, HUMAN_KIND_FARMER},
			{{5 * BLOCK, start.z + 700}, HUMAN_KIND_BEEWOMAN}, {{7 * BLOCK, start.z - 750}, HUMAN_KIND_SKIRTLADY},
			{{corner.x - 700, 3 * BLOCK}, HUMAN_KIND_FARMER}, {{corner.x + 750, 4 * BLOCK}, HUMAN_KIND_BEEWOMAN},
			{{corner.x - 750, 6 * BLOCK}, HUMAN_KIND_SKIRTLADY},
		};
		for (const auto& h : survivors)
			d.items.push_back(Human(h.at, h.kind));
		d.items.push_back(Scientist({6 * BLOCK, start.z + 700}));
		d.items.push_back(Scientist({corner.x + 700, 5 * BLOCK + 0}));
		AddBrainAliens(d.items, {4.5f * BLOCK, start.z}, 2, 250);
		AddBrainAliens(d.items, {corner.x, start.z}, 2, 250);
		AddBrainAliens(d.items, {corner.x, 5.5f * BLOCK}, 3, 250);
		d.route = {Goal(ROUTE_GOTO, corner)};
		AddExitGoals(d.route, exitSite);
		AddApocalypsePickups(d);
		AddApocalypseRides(d, start, exitSite, BLOCK);
		AddApocalypseHazards(d, start, exitSite, BLOCK);
		AddApocalypseCreatures(d, start, exitSite, BLOCK);
		AddScenery(d, LEVEL_NUM_APOCALYPSE);
		// The second street's gunmen are the hard part: the way touches the
		// checkpoint at the corner before it, cutting across to its post.
		RouteThroughCheckpoint(d, 2, 1000, 400);
		return d;
	}

	//
	// Level 4: the cloud city. Islands of cloud over an open sky, joined by
	// rainbow bridges; a plated bumper arena on its own island. Between the
	// islands the ground is see-through and holed, and supertiles of open sky
	// have no ground at all.
	//
	WorldDesign CloudCity()
	{
		WorldDesign d;
		d.superTilesWide = d.superTilesDeep = 20;
		d.seed = 505;
		const uint32_t seed = d.seed;

		const Point2 start{5400, 5400}, exitSite{30600, 30600}, arena{24300, 11700};
		const float ARENA_HALF = 2700;
		struct Island { Point2 c; float r; };
		const std::vector<Island> islands = {{start, 3600}, {exitSite, 3400}, {{16000, 18000}, 4200},
				{{8000, 24500}, 3000}, {{27500, 22500}, 2600}, {{15500, 6500}, 2500}, {{31500, 4200}, 1900}};
		const std::vector<std::vector<Point2>> bridges = {
			{start, {15500, 6500}, arena},
			{start, {16000, 18000}, {8000, 24500}},
			{{16000, 18000}, {27500, 22500}, exitSite},
			{arena, {27500, 22500}},
			{arena, {31500, 4200}},
		};
		const float BRIDGE_HALF = 330, CLOUD_LEVEL = 300;
		const std::vector<Point2> trapDoors = CloudTrapDoorSpots({bridges[1][1], bridges[1][2]});

		auto bridgeOffset = [=](float x, float z, float* along) {
			float best = 1e9f;
			for (const auto& b : bridges)
			{
				float a;
				float off = DistanceToPath(x, z, b, &a);
				if (off < best)
				{
					best = off;
					if (along)
						*along = a;
				}
			}
			return best;
		};
		// How far inside solid cloud a point is (units; ≤ 0 is open sky).
		auto solidity = [=](float x, float z) {
			float wobble = 900 * (Fbm(x, z, 2600, 3, seed) - 0.5f);
			float best = ARENA_HALF + 400 - std::max(std::fabs(x - arena.x), std::fabs(z - arena.z));
			for (const Island& i : islands)
				best = std::max(best, i.r - Hypot(x - i.c.x, z - i.c.z) + wobble);
			best = std::max(best, BRIDGE_HALF - bridgeOffset(x, z, nullptr));
			return best;
		};

		d.height = [=](float x, float z) {
			float solid = solidity(x, z);
			CellHit puff = Cells(x, z, 1200, seed + 1);
			float h = CLOUD_LEVEL + 220 * (Fbm(x, z, 2200, 3, seed + 2) - 0.5f) + 180 * std::max(0.0f, 0.6f - puff.distance);
			// Islands round off at their edges and hang down into the void
			// (not without end: the supertiles along the edges still draw it).
			h -= 0.45f * std::clamp(700 - solid, 0.0f, 3000.0f);
			float bridge = 1 - SmoothStep(BRIDGE_HALF - 40, BRIDGE_HALF + 220, bridgeOffset(x, z, nullptr));
			h = Lerp(h, CLOUD_LEVEL - 60, bridge);
			h = Lerp(h, CLOUD_LEVEL, RectWeight(x, z, arena, ARENA_HALF, ARENA_HALF, 300));
			// Level pads where the saucers land.
			for (Point2 pad : {start, exitSite})
				h = Flatten(h, x, z, pad, 900, CLOUD_LEVEL, 600);
			return h;
		};

		d.tileFlags = [=](float x, float z) {
			uint16_t flags = solidity(x, z) <= 0 || IsTrapDoorTile(trapDoors, x, z) ? 0x0001 : 0;
			if (std::fabs(x - arena.x) < ARENA_HALF - 300 && std::fabs(z - arena.z) < ARENA_HALF - 300)
				flags |= 0x0002;		// the bumper arena's electrified floor
			return flags;
		};

		d.emptySuperTile = [=](int row, int col) {
			for (int i = 0; i <= 8; i++)
				for (int j = 0; j <= 8; j++)
					if (solidity(float(col * 8 + j) * TILE, float(row * 8 + i) * TILE) > -250)
						return false;
			return true;
		};

		d.paint = [=](const GroundSample& s) {
			float solid = solidity(s.x, s.z);
			if (solid <= 0 || IsTrapDoorTile(trapDoors, s.x, s.z))
				return HOLE;
			float along = 0;
			float off = bridgeOffset(s.x, s.z, &along);
			bool onArena = std::fabs(s.x - arena.x) < ARENA_HALF && std::fabs(s.z - arena.z) < ARENA_HALF;
			if (onArena)
			{
				float ex = ARENA_HALF - std::fabs(s.x - arena.x), ez = ARENA_HALF - std::fabs(s.z - arena.z);
				if (std::min(ex, ez) < 140)
					return Hex(0xFFD83A);
				int cx = int(std::floor(s.x / 450)), cz = int(std::floor(s.z / 450));
				Rgb c = (cx + cz) % 2 ? Hex(0xE83AA0) : Hex(0xF4E8F8);
				return c * (0.9f + 0.1f * Hash01(cx, cz, seed + 3));
			}
			if (off < BRIDGE_HALF)
			{
				static const Rgb bands[6] = {Hex(0xFF4A4A), Hex(0xFF9A2A), Hex(0xFFE83A), Hex(0x4AE85A),
						Hex(0x3AA8FF), Hex(0xA85AFF)};
				if (off > BRIDGE_HALF - 50)
					return Hex(0xFFD24A);
				int band = int((off / (BRIDGE_HALF - 50)) * 6) % 6;
				return bands[band] * (0.92f + 0.08f * std::sin(along * 600));
			}
			Rgb c = Ground::Cloud(s, Hex(0xFFFFFF), Hex(0xF0C8EC), seed + 4);
			return Mix(Hex(0xD8A0D8), c, SmoothStep(0, 260, solid));
		};

		d.items = {
			Item(ITEM_START, start.x, start.z, FacingParm(start, {16000, 18000})),
			Item(ITEM_EXIT, exitSite.x, exitSite.z),
		};
		// Over the bridges by the big middle island; the last bridge is
		// followed onto the exit island before turning to the saucer's front.
		const std::vector<Point2>& toExit = bridges[2];
		// Stranded sightseers on the islands the way crosses, the ones on
		// the big middle island in capsules; brain aliens guard the islands.
		const Point2 middle = toExit[0], east = toExit[1];
		const struct { Point2 at; uint8_t kind; bool capsule; } sightseers[] = {
			{{start.x + 1700, start.z + 900}, HUMAN_KIND_SKIRTLADY, false},
			{{middle.x - 1100, middle.z - 300}, HUMAN_KIND_BEEWOMAN, true},
			{{middle.x + 500, middle.z - 700}, HUMAN_KIND_FARMER, false},
			{{middle.x + 300, middle.z + 900}, HUMAN_KIND_SKIRTLADY, true},
			{{east.x - 700, east.z - 600}, HUMAN_KIND_BEEWOMAN, false},
			{{east.x + 400, east.z + 700}, HUMAN_KIND_FARMER, true},
			{{exitSite.x - 900, exitSite.z - 1500}, HUMAN_KIND_BEEWOMAN, false},
		};
		for (const auto& h : sightseers)
			d.items.push_back(Human(h.at, h.kind, h.capsule));
		d.items.push_back(Scientist({middle.x - 500, middle.z + 600}));
		AddBrainAliens(d.items, {middle.x + 900, middle.z + 200}, 3, 250);
		AddBrainAliens(d.items, AlongPath({middle, east}, 0.25f, 300), 2, 250);
		d.route = {Goal(ROUTE_GOTO, toExit[0]), Goal(ROUTE_GOTO, toExit[1])};
		Point2 onExitIsland = {Lerp(toExit[1].x, exitSite.x, 0.68f), Lerp(toExit[1].z, exitSite.z, 0.68f)};
		d.route.push_back(Goal(ROUTE_GOTO, onExitIsland));
		AddExitGoals(d.route, exitSite);
		AddCloudPickups(d);
		AddCloudRides(d, start, middle);
		// The arena's gate stands across the west bridge where it meets the floor.
		const Point2 gate{arena.x - ARENA_HALF + 150, arena.z - (ARENA_HALF - 150) * (arena.z - 6500) / (arena.x - 15500)};
		AddBumperArena(d, 0, arena, ARENA_HALF, gate, 1);
		AddCloudTrapDoors(d, trapDoors);
		AddCloudCreatures(d, start, middle, east, exitSite, islands[5].c);
		AddScenery(d, LEVEL_NUM_CLOUD);
		return d;
	}
}
