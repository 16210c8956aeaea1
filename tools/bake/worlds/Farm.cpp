// Level 0, the farm: its ground and paint, the farm hands and brain aliens
// along the dirt track, the onions, corn and tomatoes in little groups off both
// sides of it and the tractor parked in the yard by the metal gate (lure it
// into the gate and it is wrecked), the pick-ups, the scenery with the
// raider saucers' sprouts and the doors to smash, the pond, the fences and
// the loops the patrols walk, and the route down the track to the exit.
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
			ITEM_ONION = 8,
			ITEM_CORN = 9,
			ITEM_TOMATO = 10,
			ITEM_TRACTOR = 15,
			ITEM_SCARECROW = 14,		// level model 22 at 4, parm[0] half turns
			ITEM_SPROUT = 16,			// parm[0] 0 corn, 1 onion, 2 tomato
			ITEM_SCENERY_16 = 17,		// level model 16 at 2, tilted to the ground
			ITEM_PUMPKINS = 18,			// level model 20 at 2.5, tilted to the ground
			ITEM_SPEED_GATE = 19,		// level model 6; parm[0] as the jet door's
			ITEM_WINDMILL = 21,			// level models 23 and 24 (its sails) at 4
			ITEM_WATER_TOWER = 22,		// level model 25 at 5
		};

		void AddFarmCreatures(WorldDesign& d, const std::vector<Point2>& track, Point2 yard)
		{
			// Along the track (fraction of its length) and to one side of it.
			// An onion walks out at a robot it sees and its grab reaches 600:
			// within a thousand of the track it lands on anyone walking past,
			// however careful. So the onions stand back in the fields, some two
			// thousand off, on the far side from the farm hands near them: one
			// that walks out is seen coming and can be left behind.
			const struct { float t, side; uint16_t type; } vegetables[] = {
				{0.10f, -900, ITEM_TOMATO}, {0.19f, 1800, ITEM_ONION}, {0.25f, -1000, ITEM_CORN},
				{0.36f, 900, ITEM_TOMATO}, {0.43f, 1800, ITEM_ONION}, {0.58f, 1000, ITEM_CORN},
				{0.70f, -2000, ITEM_ONION}, {0.76f, 950, ITEM_TOMATO}, {0.82f, -1000, ITEM_CORN},
				{0.90f, 900, ITEM_TOMATO},
			};
			for (const auto& v : vegetables)
			{
				Point2 at = AlongPath(track, v.t, v.side);
				d.items.push_back(Item(v.type, at.x, at.z));
			}
			d.items.push_back(Item(ITEM_TRACTOR, yard.x + 1500, yard.z - 1600));
		}

		// The farm's long track: plenty of charge, a stun gun early, darts by the yard.
		void AddFarmPickups(WorldDesign& d)
		{
			LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 4, .fuel = 2,
					.weapons = {POD_STUN, POD_DARTS, POD_FLARE}, .checkpoints = 3});
		}

		void AddFarmScenery(WorldDesign& d)
		{
			Scatter s(d);
			s.Spread({
				ByKind(2, 320, 6, 8, 13),					// oaks
				{ITEM_SCENERY_1, 0, 1, 300, 1.2f},			// barns
				ByKind(4, 90, 3, 9, 13),					// hay bales
				ByKind(7, 220, 3, 10, 10),					// rail fences
				ByKind(8, 120, 4, 9, 13),					// flowering bushes
				ByKind(9, 160, 2, 8, 14),					// boulders
				ByKind(10, 120, 0.8f, 10, 11),				// silos
				{ITEM_SCENERY_16, 0, 1, 90, 3, 0, 0, false},	// corn stalks
			}, 80);
			// A patch of sprouts in a field by the track, for the raider saucers.
			for (int i = 0; i < 8; i++)
				s.Beside(0.3f + 0.02f * float(i), (i % 2 ? 1 : -1) * 700.0f, {ITEM_SPROUT, uint8_t(i % 3), 1, 60, 1, 0, 0, false});
			// Plank doors to smash and a metal gate, off to the sides of the track.
			s.Beside(0.4f, 900, {ITEM_JET_DOOR, 0, 2, 260, 1});
			s.Beside(0.7f, -900, {ITEM_JET_DOOR, 0, 2, 260, 1});
			s.Beside(0.55f, 1000, {ITEM_SPEED_GATE, 0, 2, 260, 1});
			// Pumpkin patches and scarecrows in the fields by the track, a
			// windmill on the rise beyond them and a water tower by the yard.
			s.MustBeside(0.15f, -1100, {ITEM_PUMPKINS, 0, 1, 130, 1, 0, 0, false}, "a pumpkin patch");
			s.MustBeside(0.62f, 1200, {ITEM_PUMPKINS, 0, 1, 130, 1, 0, 0, false}, "a pumpkin patch");
			s.MustBeside(0.2f, 1300, {ITEM_SCARECROW, 0, 2, 140, 1}, "a scarecrow");
			s.MustBeside(0.66f, -1300, {ITEM_SCARECROW, 0, 2, 140, 1}, "a scarecrow");
			s.MustBeside(0.35f, -1900, {ITEM_WINDMILL, 0, 1, 220, 1, 0, 0, false}, "the windmill");
			s.MustBeside(0.52f, 1700, {ITEM_WATER_TOWER, 0, 1, 160, 1, 0, 0, false}, "the water tower");
		}
	}

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
		AddFarmScenery(d);
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
}
