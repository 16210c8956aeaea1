// Level 3, the apocalyptic city: a grid of cracked streets between ruined
// blocks (raised foundations, collapsed piles, craters, toxic pools) with
// shattered towers round the edge; the survivors up the side streets and
// the brain aliens at the crossings, the pick-ups, the zip lines and
// teleporters, the crushers, manholes, mines and pod showers, the mutants and
// mutant robots, the ruins' scenery, and the route east along one street and
// north up another to the exit.
#include "worlds/WorldPlacing.h"
#include "worlds/Ground.h"
#include "Items/Hazards.h"
#include "Items/RidesContent.h"

#include <algorithm>
#include <string>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_POD_SHOWER = 2,
			ITEM_BIG_GRAVE = 25,			// level model 30 + parm[0] at 1.3
			ITEM_BIG_RUBBLE = 42,			// level model 31 + parm[0] at 3
			ITEM_CRUSHER = 45,				// parm[0] heading in eighths, parm[3] CRUSHER_ONE_SIDED
			ITEM_MANHOLE = 46,
			ITEM_MUTANT = 59,
			ITEM_MUTANT_ROBOT = 60,
			ITEM_FLOATING_MINE = 62,
			ITEM_LAMP_POST = 63,			// parm[0] kind (level models 24 … 26)
			ITEM_JET_DEBRIS = 64,			// level model 27 + parm[0] (7 kinds) at 2.5: the jet smashes it
			ITEM_CRASHED_SHIP = 66,			// parm[0] kind (39, 40)
			ITEM_MINE = 67,
			ITEM_RUBBLE_PLATFORM = 85,		// level model 28 + parm[0] at 3: stood on
			ITEM_BIG_BOULDER = 96,			// level model 40 + parm[0] at 2.5
			ITEM_WRECK_PART = 106,			// level model 29 (a jet debris piece) at 1.6
			SPLINE_ITEM_MUTANT = 59,
			SPLINE_ITEM_MUTANT_ROBOT = 60,
		};
		constexpr float MUTANT_OFF_THE_WAY = 500;		// a lurker waits at least this far from the route

		// The city streets: the nova for the crushers, darts and freeze.
		void AddApocalypsePickups(WorldDesign& d)
		{
			LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 5, .fuel = 2,
					.weapons = {POD_STUN, POD_NOVA, POD_DARTS, POD_FREEZE, POD_EXTRA_LIFE}, .checkpoints = 3});
		}

		// Zip lines off rubble heaps and a pair of teleporters, off the way.
		void AddApocalypseRides(WorldDesign& d, Point2 start, Point2 exitSite, float block)
		{
			const std::vector<Point2> route = RouteLine(d);

			// Off a rubble heap south-east of the start, west over a street.
			ZipLine(d, route, 0, {start.x + 4200, start.z - 2400}, {start.x + 200, start.z - 2400});
			// North of the way, off a heap north over a crater.
			ZipLine(d, route, 1, {start.x + 4800, start.z + 6600}, {start.x + 4800, start.z + 10600});
			// A pair of teleporters: up the first street north of the start, and
			// in the last street before the exit, coming out facing the saucer.
			Point2 near{start.x, start.z + block * 0.8f}, far{exitSite.x - block * 1.3f, exitSite.z};
			PlaceRide(d, route, Item(ITEM_TYPE_TELEPORTER, near.x, near.z, 0, 1, 0), "teleporter 0");
			PlaceRide(d, route, Item(ITEM_TYPE_TELEPORTER, far.x, far.z, 1, 0, 2), "teleporter 1");
		}

		// Crushers across side streets, manhole covers, land and floating mines
		// and the worm pod showers, all off the way to the exit.
		void AddApocalypseHazards(WorldDesign& d, Point2 start, Point2 exitSite, float block)
		{
			// The way runs east along z = start.z, then north along x = exitSite.x.
			// Crushers stand across the side streets just off it: heading 0 spans
			// a street running north-south, 2 one running east-west; the one-sided
			// ones face the way.
			const struct { Point2 at; uint8_t heading; bool oneSided; } crushers[] = {
				{{4 * block, start.z + 1900}, 0, false},
				{{6 * block, start.z + 1900}, 0, true},
				{{5 * block, start.z - 1900}, 4, false},
				{{exitSite.x - 1900, 4 * block}, 2, true},
				{{exitSite.x + 1900, 6 * block}, 6, false},
			};
			for (const auto& c : crushers)
				PlaceClear(d, Item(ITEM_CRUSHER, c.at.x, c.at.z, c.heading, 0, 0, c.oneSided ? CRUSHER_ONE_SIDED : 0), 1200, 500);
			// Manholes up the side streets, where the robot may stray after survivors.
			const Point2 manholes[] = {{3 * block, start.z - 1500}, {5 * block, start.z + 1500}, {7 * block, start.z + 1600},
					{exitSite.x - 1500, 3 * block}, {exitSite.x + 1500, 5 * block}, {exitSite.x - 1500, 6 * block}};
			for (Point2 m : manholes)
				PlaceClear(d, Item(ITEM_MANHOLE, m.x, m.z), 900, 350);
			// Mines in the rubble between the streets, floating mines over the blocks.
			const Point2 mines[] = {{3.5f * block, start.z + 1300}, {4.5f * block, start.z - 1300}, {6.5f * block, start.z - 1200},
					{exitSite.x - 1300, 3.5f * block}, {exitSite.x + 1300, 5.5f * block}, {exitSite.x - 1250, 7.5f * block}};
			for (Point2 m : mines)
				PlaceClear(d, Item(ITEM_MINE, m.x, m.z), 800, 300);
			const Point2 floaters[] = {{5.5f * block, start.z + 1500}, {exitSite.x + 1400, 3.5f * block}, {exitSite.x - 1400, 5.5f * block}};
			for (Point2 m : floaters)
				PlaceClear(d, Item(ITEM_FLOATING_MINE, m.x, m.z), 900, 300);
			// Two pod showers beside the way: their pods land within about a
			// block of them and the worms come for the robot as he passes.
			const Point2 showers[] = {{5 * block + 1800, start.z + 2200}, {exitSite.x - 2200, 5 * block + 1800}};
			for (Point2 s : showers)
				PlaceClear(d, Item(ITEM_POD_SHOWER, s.x, s.z), 1800, 300);
		}

		// Mutants lurk in the side streets off the way and a gang patrols the
		// block beside each leg; mutant robots hold the crossings further on with
		// their guns. Numbers are the game's (src/Enemies/CityCreatures.h).
		void AddApocalypseCreatures(WorldDesign& d, Point2 start, Point2 exitSite, float block)
		{
			const std::vector<Point2> route = RouteLine(d);
			const Point2 corner{exitSite.x, start.z};
			int n = 0;
			auto place = [&](uint16_t type, Point2 at) {
				PlaceCreature(d, route, MUTANT_OFF_THE_WAY, type, at,
						std::string(type == ITEM_MUTANT ? "mutant " : "mutant robot ") + std::to_string(n++),
						[](Point2) { return true; });
			};

			// East along the first street (past the first crossings, where the
			// robot has found its feet): mutants a little way up the side streets.
			place(ITEM_MUTANT, {3.5f * block + 300, start.z + 700});
			place(ITEM_MUTANT, {5.5f * block, start.z - 700});
			place(ITEM_MUTANT_ROBOT, {6.5f * block, start.z + 800});
			// North up the second street to the exit.
			place(ITEM_MUTANT, {corner.x + 700, 2.5f * block});
			place(ITEM_MUTANT_ROBOT, {corner.x - 750, 5.5f * block});
			// None by the exit: the robot waits there for its charge.

			// A gang on its rounds about the block beside each leg: the streets
			// round it, one of which is the way itself.
			const float b = block;
			const Point2 south{4 * b, start.z}, east{corner.x, 4 * b};
			d.splines.push_back(SplineLoop({{south.x, south.z}, {south.x + b, south.z}, {south.x + b, south.z + b},
					{south.x, south.z + b}}));
			d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_MUTANT, 0.1f));
			d.splines.push_back(SplineLoop({{east.x, east.z}, {east.x, east.z + b}, {east.x - b, east.z + b},
					{east.x - b, east.z}}));
			d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_MUTANT_ROBOT, 0.3f));
			d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_MUTANT, 0.8f));
		}

		void AddCityScenery(WorldDesign& d)
		{
			Scatter s(d);
			s.Spread({
				{ITEM_LAMP_POST, 0, 3, 80, 4, 0, 0, false},	// lamp posts (their kind sets their facing)
				{ITEM_GRAVE_STONE, 0, 5, 70, 3},				// grave stones
				{ITEM_RUBBLE, 0, 7, 230, 5},					// rubble heaps
				{ITEM_CRASHED_SHIP, 0, 1, 160, 0.7f, 0, 0, false},	// a crashed saucer
				{ITEM_CRASHED_SHIP, 1, 1, 820, 0.3f, 0, 0, false},	// a crashed cruiser
				ByKind(3, 200, 2, 9, 14),					// dead trees
				ByKind(41, 170, 2, 8, 13),					// scorched boulders
				ByKind(42, 120, 2, 9, 12),					// withered shrubs
			}, 80);
			// Wreckage the jet smashes, big boulders, rubble mounds (one flat
			// enough to climb onto), monuments and a wreck's tail beside the way.
			const float debris[] = {0.12f, 0.3f, 0.55f, 0.8f};
			for (int i = 0; i < 4; i++)
				s.MustBeside(debris[i], i % 2 ? -900.0f : 900.0f, {ITEM_JET_DEBRIS, 0, 7, 160, 1, 0, 0, false}, "jet debris");
			s.MustBeside(0.22f, -1200, {ITEM_BIG_BOULDER, 1, 2, 340, 1, 0, 0, false}, "a big boulder");
			s.MustBeside(0.45f, 1300, {ITEM_BIG_RUBBLE, 12, 7, 360, 1, 0, 0, false}, "a rubble mound");
			s.MustBeside(0.38f, -1400, {ITEM_RUBBLE_PLATFORM, 15, 1, 360, 1, 0, 0, false}, "a rubble platform");
			s.MustBeside(0.68f, -1000, {ITEM_BIG_GRAVE, 4, 5, 120, 1, 0, 0, false}, "a monument");
			s.MustBeside(0.88f, 1000, {ITEM_WRECK_PART, 0, 1, 130, 1, 0, 0, false}, "a wreck's tail");
		}

		// Concrete barriers block the side streets some way off the way:
		// past the survivors, crushers and manholes, the city is closed off.
		void AddCityBarricades(WorldDesign& d, Point2 start, Point2 corner, float block)
		{
			constexpr float BARRICADE_OUT = 2600, BARRICADE_HALF = 520;
			for (int k = 3; k <= 7; k++)
				for (float side : {-1.0f, 1.0f})
				{
					const float x = float(k) * block, z = start.z + side * BARRICADE_OUT;
					d.fences.push_back(Fence(FENCE_CONCRETE_BARRIER, {{x - BARRICADE_HALF, z}, {x + BARRICADE_HALF, z}}));
					const float zz = float(k) * block, xx = corner.x + side * BARRICADE_OUT;
					d.fences.push_back(Fence(FENCE_CONCRETE_BARRIER, {{xx, zz - BARRICADE_HALF}, {xx, zz + BARRICADE_HALF}}));
				}
		}
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
		AddCityScenery(d);
		AddCityBarricades(d, start, corner, BLOCK);
		// The second street's gunmen are the hard part: the way touches the
		// checkpoint at the corner before it, cutting across to its post.
		RouteThroughCheckpoint(d, 2, 1000, 400);
		return d;
	}
}
