// Level 7, fire and ice: snowfields, a frozen lake and a glacier in the west;
// in the east black basalt, a volcano with a crater of lava and lava channels
// running from it; a band of slush between them. The climbers and brain
// aliens on the way north, the exit lift sealed under ice and the hammer bot
// that guards it, the other robots, the flamesters, ice cubes and
// squooshies, the pick-ups, the zip lines and sleds, the volcano, snowballs
// and rafts on the lava, the scenery, and the route north to the lift.
#include "worlds/WorldPlacing.h"
#include "worlds/Ground.h"
#include "Enemies/Enemy.h"
#include "Enemies/RobotEnemies.h"
#include "Items/Hazards.h"
#include "Items/RidesContent.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_SQUOOSHY = 3,
			ITEM_FLAMESTER = 49,
			ITEM_ICE_TOWER = 87,		// level model 1 at 8
			ITEM_VOLCANO = 88,
			ITEM_EXIT_LIFT = 90,
			ITEM_ICECUBE = 92,
			ITEM_SNOWBALL = 97,
			ITEM_SINKING_PLATFORM = 98,
			SPLINE_ITEM_FLOATING_PLATFORM = 98,
		};
		// The robot comes to a stop this far short of the lift: inside the
		// range its lid opens at, outside the ice over it.
		constexpr float LIFT_APPROACH = 1100;
		// The ice over the lift is ±1000 round it; the guard waits well inside,
		// beyond the lift from the way in, so it meets a robot coming onto the ice.
		constexpr float GUARD_BEYOND_LIFT = 450;
		constexpr float GUARD_ASIDE = 200;
		// Robots near the way stand at least this far off it.
		constexpr float ROBOT_CLEAR_OF_WAY = 1900;
		// Creatures keep farther than any of them wakes to chase (a flamester walks at 3000).
		constexpr float CREATURE_CLEAR_OF_WAY = 3500;

		// The exit lift at `site`, the level's way out (the ice over it is the game's).
		void AddExitLift(WorldDesign& d, Point2 site)
		{
			d.items.push_back(Item(ITEM_EXIT_LIFT, site.x, site.z));
		}

		// The route's way into the lift at `site` from `from`: stop short of it
		// (its lid opens within 1200 once charged), wait for the charge, then
		// stand by it until it takes the robot.
		void AddExitLiftGoals(Route& route, Point2 site, Point2 from)
		{
			float dx = from.x - site.x, dz = from.z - site.z, len = Hypot(dx, dz);
			Point2 near{site.x + dx / len * LIFT_APPROACH, site.z + dz / len * LIFT_APPROACH};
			route.push_back(Goal(ROUTE_GOTO, near));
			route.push_back(Goal(ROUTE_CHARGE));
			route.push_back(Goal(ROUTE_EXIT, site));
		}

		void PutRobot(WorldDesign& d, const std::vector<Point2>& way, uint16_t type, Point2 at, uint8_t options = 0)
		{
			PlaceAwayFromWay(d, way, ROBOT_CLEAR_OF_WAY, type, at, "fire and ice: a robot", options);
		}

		void PutCreature(WorldDesign& d, const std::vector<Point2>& way, uint16_t type, Point2 at)
		{
			PlaceAwayFromWay(d, way, CREATURE_CLEAR_OF_WAY, type, at, "fire and ice: a creature");
		}

		// The hammer bot that stands guard on the ice over the exit lift at
		// `liftSite` (its smashes are what crack the ice, so it comes back and
		// takes a beating), and robots patrolling the slush and the volcano's
		// flanks, off to the sides of the way north so that a player meets them
		// when he strays or explores, and the ones near the way come at him one
		// at a time.
		void AddFireAndIceMachines(WorldDesign& d, const std::vector<Point2>& way, Point2 liftSite, Point2 volcano)
		{
			// The guard: always there, and back after it was destroyed.
			d.items.push_back(Item(ITEM_TYPE_HAMMERBOT, liftSite.x + GUARD_ASIDE, liftSite.z + GUARD_BEYOND_LIFT, 0, 0, 0,
					ENEMY_ITEM_ALWAYS_ADD | ENEMY_ITEM_COMES_BACK));

			// Beside the way: an arm bot on the snowfield east of the lake, a drill
			// bot and a swinger bot on the slush toward the fire.
			PutRobot(d, way, ITEM_TYPE_ARMBOT, AlongPath(way, 0.20f, -2300));
			PutRobot(d, way, ITEM_TYPE_DRILLBOT, AlongPath(way, 0.45f, -3200));
			PutRobot(d, way, ITEM_TYPE_SWINGERBOT, AlongPath(way, 0.70f, -2600));
			// The volcano's flanks: a gang of every kind.
			PutRobot(d, way, ITEM_TYPE_HAMMERBOT, {volcano.x - 6500, volcano.z + 1500});
			PutRobot(d, way, ITEM_TYPE_ARMBOT, {volcano.x - 6000, volcano.z - 2500});
			PutRobot(d, way, ITEM_TYPE_ARMBOT, {volcano.x - 5200, volcano.z + 4200});
			PutRobot(d, way, ITEM_TYPE_DRILLBOT, {volcano.x - 7000, volcano.z + 6000});
			PutRobot(d, way, ITEM_TYPE_SWINGERBOT, {volcano.x - 4000, volcano.z + 7500});
		}

		// A loop of `radius` round `centre` with one patroller on it, the whole loop clear of the way.
		void Patrol(WorldDesign& d, const std::vector<Point2>& way, uint16_t type, Point2 centre, float radius)
		{
			if (DistanceToPath(centre.x, centre.z, way) < CREATURE_CLEAR_OF_WAY + radius)
				throw std::logic_error("fire and ice: a patrol loop comes too near the way");
			FileSpline loop = CircleLoop(centre, radius);
			loop.items.push_back(SplineItem(type, 0.0f));
			d.splines.push_back(loop);
		}

		// Flamesters on the volcano's flanks, ice cubes on the snowfield round the
		// glacier, squooshies on the slush between them: all well away from the
		// way, so a player meets them when he explores rather than on his way out.
		void AddFireAndIceCreatures(WorldDesign& d, const std::vector<Point2>& way, Point2 glacier, Point2 volcano)
		{
			// Round the volcano, out on its cone where the ash lies.
			PutCreature(d, way, ITEM_FLAMESTER, {volcano.x - 4000, volcano.z - 3500});
			PutCreature(d, way, ITEM_FLAMESTER, {volcano.x - 3500, volcano.z + 4000});
			PutCreature(d, way, ITEM_FLAMESTER, {volcano.x + 1000, volcano.z - 5000});
			// About the glacier, on the side away from the way.
			PutCreature(d, way, ITEM_ICECUBE, {glacier.x + 2500, glacier.z - 4000});
			PutCreature(d, way, ITEM_ICECUBE, {glacier.x + 3500, glacier.z + 2000});
			PutCreature(d, way, ITEM_ICECUBE, {glacier.x + 2000, glacier.z - 8500});
			// The slush between ice and fire.
			PutCreature(d, way, ITEM_SQUOOSHY, {glacier.x + 6000, glacier.z - 10500});
			PutCreature(d, way, ITEM_SQUOOSHY, {glacier.x + 7000, glacier.z - 2500});
			// Patrols that leave their loops when the robot comes near.
			Patrol(d, way, ITEM_FLAMESTER, {volcano.x - 5000, volcano.z + 1000}, 800);
			Patrol(d, way, ITEM_ICECUBE, {glacier.x + 3500, glacier.z - 6500}, 700);
			// The machines drive loops of their own on the basalt and the snow.
			Patrol(d, way, ITEM_TYPE_ARMBOT, {volcano.x - 9000, volcano.z - 6500}, 900);
			Patrol(d, way, ITEM_TYPE_HAMMERBOT, {way[0].x + 5900, way[0].z + 4400}, 900);		// in sight of the landing
			Patrol(d, way, ITEM_TYPE_DRILLBOT, {volcano.x - 4000, volcano.z - 7000}, 800);
			Patrol(d, way, ITEM_TYPE_SWINGERBOT, {glacier.x + 7500, glacier.z + 2500}, 900);
		}

		// Fire and ice: flares and freeze for the snow and the fire creatures.
		void AddFireAndIcePickups(WorldDesign& d)
		{
			LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 5, .fuel = 3,
					.weapons = {POD_FREEZE, POD_FLARE, POD_STUN, POD_NOVA}, .checkpoints = 3});
		}

		// Zip lines and rocket sleds off the way.
		void AddFireAndIceRides(WorldDesign& d, Point2 glacier, Point2 volcano, Point2)
		{
			const std::vector<Point2> route = RouteLine(d);
			// From the western ridge down over the snowfield toward the way,
			// south of the glacier (whose top only the jet reaches).
			ZipLine(d, route, 0, {1600, glacier.z - 8500}, {6220, glacier.z - 6590});
			// Down the volcano's western flank onto the slush.
			ZipLine(d, route, 1, {volcano.x - 3000, volcano.z}, {volcano.x - 9800, volcano.z + 400});
			// Sleds: one across the snowfield toward the fire, one on the snow west
			// of the glacier, north toward the exit lift's valley.
			RocketSled(d, route, {11000, 5200}, 6, "the snowfield sled");
			RocketSled(d, route, {glacier.x - 5300, glacier.z - 500}, 4, "the glacier sled");
		}

		// The volcano, snowballs and sinking platforms.
		void AddFireAndIceHazards(WorldDesign& d, const std::vector<Point2>& way, Point2 craterCentre, float craterRadius)
		{
			// A young volcano east of the way across the snowfield: the robot
			// passing sets it off, far enough off that the swell does not lift him.
			PlaceClear(d, Item(ITEM_VOLCANO, AlongPath(way, 0.24f, 2400).x, AlongPath(way, 0.24f, 2400).z),
					VOLCANO_SWELL_RADIUS + 300, 600);
			// Snowballs up the slope of the glacier, east of the way.
			for (float t : {0.56f, 0.64f, 0.72f})
			{
				Point2 p = AlongPath(way, t, 1250);
				PlaceClear(d, Item(ITEM_SNOWBALL, p.x, p.z), 1000, 400);
			}
			// Rafts on the volcano's lava lake, and two more drifting round it.
			for (int i = 0; i < 3; i++)
			{
				float a = float(i) * 2.1f;
				Point2 p{craterCentre.x + 0.45f * craterRadius * std::cos(a), craterCentre.z + 0.45f * craterRadius * std::sin(a)};
				PlaceClear(d, Item(ITEM_SINKING_PLATFORM, p.x, p.z), 2000, 300);
			}
			const int spline = int(d.splines.size());
			d.splines.push_back(CircleLoop(craterCentre, 0.75f * craterRadius, 10));
			for (float placement : {0.0f, 0.5f})
				d.splines[size_t(spline)].items.push_back(SplineItem(SPLINE_ITEM_FLOATING_PLATFORM, placement));
		}

		void AddFireAndIceScenery(WorldDesign& d)
		{
			Scatter s(d);
			s.Spread({
				{ITEM_SCENERY_1, 0, 1, 170, 3},				// ice spikes
				{ITEM_SCENERY_2, 0, 1, 270, 2, 0, 0, false},	// lava boulders
				ByKind(13, 260, 4, 9, 13),					// snowy pines
				ByKind(14, 130, 2, 8, 12),					// fire crystals
				ByKind(15, 170, 3, 8, 13),					// snow-capped rocks
			}, 70);
			// A tower of ice spikes on the snowfield, a landmark off the way north.
			s.MustBeside(0.3f, 2600, {ITEM_ICE_TOWER, 0, 1, 600, 1, 0, 0, false}, "the ice tower");
		}
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
		AddFireAndIceScenery(d);
		// Lava fills the crater to two thirds of the way up its bowl.
		d.water.push_back(WaterDisc(WATER_LAVA, volcano, CRATER_RADIUS - 50, 24));
		d.water.back().hotSpotX += 700 / MAP_TO_UNIT_SCALE;
		return d;
	}
}
