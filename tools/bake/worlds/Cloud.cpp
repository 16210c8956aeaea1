// Level 4, the cloud city: islands of cloud over an open sky joined by
// rainbow bridges, a plated bumper arena on its own island; between the
// islands the ground is see-through and holed, and supertiles of open sky
// have no ground at all. The stranded sightseers and brain aliens, the
// pick-ups (balloon pods over the islands), the cannons and the rocket sled,
// the bumper arena, the trap doors on a bridge off the way, the circus, the
// scenery, and the route over the bridges to the exit island.
#include "worlds/WorldPlacing.h"
#include "worlds/Ground.h"
#include "Terrain/TerrainFormat.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_CLOUD_BANK = 43,		// level model 1 + parm[0] at 10
			ITEM_SPINNING_RINGS = 47,
			ITEM_BUMPER_CAR = 76,		// parm[0] car ID 0 … 3, parm[1] area, parm[3] bit 0: the robot's own
			ITEM_CLOWN = 78,
			ITEM_BUMPER_POLE = 80,		// parm[0] pole ID 0 … 7, parm[1] area
			ITEM_STRONG_MAN = 81,
			ITEM_BUMPER_GATE = 82,		// parm[0] quarter turns, parm[1] area
			ITEM_TRAP_DOOR = 84,		// snapped to its tile, which must be a hole
			SPLINE_ITEM_CLOWN = 78,
			SPLINE_ITEM_CLOWN_FISH = 79,
		};
		constexpr uint8_t PLAYERS_CAR = 0x01;
		constexpr float WALKER_OFF_THE_WAY = 450;	// a walker waits at least this far from the route
		constexpr float FIRM_FOOTING = 500;			// solid cloud all round a walker this far out

		// The trap doors stand on the middle of `bridge` (one the way does not
		// take) over tiles the design makes holes (IsTrapDoorTile).
		std::vector<Point2> CloudTrapDoorSpots(const std::vector<Point2>& bridge)
		{
			// Along a bridge's middle, away from the islands at its ends, each
			// on the centre of its tile.
			std::vector<Point2> spots;
			for (float t : {0.48f, 0.55f, 0.62f})
			{
				Point2 p = AlongPath(bridge, t);
				float tile = float(TILE_UNITS);
				spots.push_back({(std::floor(p.x / tile) + 0.5f) * tile, (std::floor(p.z / tile) + 0.5f) * tile});
			}
			return spots;
		}

		bool IsTrapDoorTile(const std::vector<Point2>& doors, float x, float z)
		{
			const float tile = float(TILE_UNITS);
			for (Point2 p : doors)
				if (std::floor(p.x / tile) == std::floor(x / tile) && std::floor(p.z / tile) == std::floor(z / tile))
					return true;
			return false;
		}

		void AddCloudTrapDoors(WorldDesign& d, const std::vector<Point2>& doors)
		{
			for (Point2 p : doors)
				d.items.push_back(Item(ITEM_TRAP_DOOR, p.x, p.z));
		}

		// The cloud bridges: the charge lies on the bridges themselves; balloon
		// pods with health and weapons float over the islands beside the way.
		void AddCloudPickups(WorldDesign& d)
		{
			PickupPlacer p = LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 3, .fuel = 3,
					.weapons = {POD_STUN, POD_FLARE}, .checkpoints = 3});
			const struct { float t, side; uint8_t powerup, count; } balloons[] = {
				{0.18f, 700, POD_HEALTH_ATOMS, 3}, {0.45f, -700, POD_FREEZE, 0}, {0.7f, 700, POD_FUEL_ATOMS, 3},
			};
			for (const auto& b : balloons)
				d.items.push_back(Pod(p.Spot(b.t, b.side), b.powerup, b.count, ITEM_FLAG_POD_ON_BALLOON));
		}

		// Cannons and a rocket sled, each landing or running on solid cloud.
		void AddCloudRides(WorldDesign& d, Point2, Point2 middle)
		{
			const std::vector<Point2> route = RouteLine(d);
			// Two cannons across the big middle island, one each way, off the way.
			const Point2 westCannon{middle.x - 3300, middle.z};
			Cannon(d, route, westCannon, 3);
			Cannon(d, route, {middle.x + 3300, middle.z - 300}, 1);
			// A sled on the north rim of the big middle island, pointing south
			// across it: the widest run of solid cloud there is.
			RocketSled(d, route, {middle.x, middle.z + 4000}, 0, "the rocket sled");
		}

		// A bumper arena of area `area` on the square of half side `half` round
		// `centre`: four poles, the robot's car and three others, and a gate
		// across the way in at `gate` (facing `gateQuarter` × 90°).
		void AddBumperArena(WorldDesign& d, int area, Point2 centre, float half, Point2 gate, uint8_t gateQuarter)
		{
			const uint8_t a = uint8_t(area);
			// Poles at the four quarters, far enough in for a car to circle each.
			const float p = half * 0.5f;
			const Point2 poles[] = {{centre.x - p, centre.z - p}, {centre.x + p, centre.z - p}, {centre.x + p, centre.z + p},
					{centre.x - p, centre.z + p}};
			for (int i = 0; i < 4; i++)
				d.items.push_back(Item(ITEM_BUMPER_POLE, poles[i].x, poles[i].z, uint8_t(i), a));
			// The robot's car waits by the gate's side of the floor, just inside
			// the dead band round the edge, so a jump from the band reaches it.
			float gx = gate.x - centre.x, gz = gate.z - centre.z, glen = Hypot(gx, gz);
			Point2 own{centre.x + gx / glen * (half - 620), centre.z + gz / glen * (half - 620)};
			d.items.push_back(Item(ITEM_BUMPER_CAR, own.x, own.z, 0, a, 0, PLAYERS_CAR));
			const Point2 others[] = {{centre.x, centre.z - p}, {centre.x + p, centre.z}, {centre.x, centre.z + p}};
			for (int i = 0; i < 3; i++)
				d.items.push_back(Item(ITEM_BUMPER_CAR, others[i].x, others[i].z, uint8_t(i + 1), a));
			d.items.push_back(Item(ITEM_BUMPER_GATE, gate.x, gate.z, gateQuarter, a));
		}

		bool OnSolidCloud(const WorldDesign& d, Point2 at, float room)
		{
			if (!d.tileFlags)
				return true;
			for (int k = 0; k < 12; k++)
			{
				const float a = 6.2831853f * float(k) / 12;
				for (float r : {0.0f, room * 0.5f, room})
					if (d.tileFlags(at.x + r * std::cos(a), at.z + r * std::sin(a)) & 0x0001)
						return false;
			}
			return true;
		}

		// The arena's fence: the square's edge `inset` inside it, open for
		// `gapHalf` either side of where each bridge in `toward` comes in.
		void AddArenaFence(WorldDesign& d, Point2 centre, float half, float inset, const std::vector<Point2>& toward, float gapHalf)
		{
			const float h = half - inset, side = 2 * h, perimeter = 4 * side;
			const Point2 corners[4] = {{centre.x - h, centre.z - h}, {centre.x + h, centre.z - h}, {centre.x + h, centre.z + h},
					{centre.x - h, centre.z + h}};
			auto at = [&](float s) {
				s = std::fmod(s + perimeter, perimeter);
				const int k = std::min(int(s / side), 3);
				const Point2 a = corners[k], b = corners[(k + 1) % 4];
				const float f = (s - float(k) * side) / side;
				return Point2{Lerp(a.x, b.x, f), Lerp(a.z, b.z, f)};
			};
			// Where a bridge from the centre toward `p` crosses the edge, as a distance round it.
			std::vector<float> entries;
			for (Point2 p : toward)
			{
				const float dx = p.x - centre.x, dz = p.z - centre.z, t = h / std::max(std::fabs(dx), std::fabs(dz));
				const Point2 e{centre.x + dx * t, centre.z + dz * t};
				float best = 0, bestOff = 1e9f;
				for (float s = 0; s < perimeter; s += 10)
				{
					const Point2 q = at(s);
					if (Hypot(q.x - e.x, q.z - e.z) < bestOff)
					{
						bestOff = Hypot(q.x - e.x, q.z - e.z);
						best = s;
					}
				}
				entries.push_back(best);
			}
			std::sort(entries.begin(), entries.end());
			for (size_t i = 0; i < entries.size(); i++)
			{
				const float from = entries[i] + gapHalf;
				const float to = (i + 1 < entries.size() ? entries[i + 1] : entries[0] + perimeter) - gapHalf;
				std::vector<Point2> run{at(from)};
				for (int k = 1; k <= 8; k++)		// the corners in between
				{
					const float c = float(k) * side;
					if (c > from && c < to)
						run.push_back(at(c));
				}
				run.push_back(at(to));
				d.fences.push_back(Fence(FENCE_CIRCUS_TENT, run));
			}
		}

		// The circus: clowns on the islands the way crosses, a troupe of them on
		// its rounds on the big middle island, strong men waiting off the way on
		// the middle and east islands, and clown fish circling high over the
		// islands (`outlook`: one off the way), away from the bridges. Every
		// walker stands on solid cloud with room round it. Numbers are the game's
		// (src/Enemies/CloudCreatures.h).
		void AddCloudCreatures(WorldDesign& d, Point2 start, Point2 middle, Point2 east, Point2 exitSite, Point2 outlook)
		{
			const std::vector<Point2> route = RouteLine(d);
			int n = 0;
			auto place = [&](uint16_t type, Point2 at) {
				const std::string what = std::string(type == ITEM_CLOWN ? "clown " : "strong man ") + std::to_string(n++);
				PlaceCreature(d, route, WALKER_OFF_THE_WAY, type, at, what, [&](Point2 p) { return OnSolidCloud(d, p, FIRM_FOOTING); });
			};

			// Clowns where the way crosses the islands.
			place(ITEM_CLOWN, {start.x + 2600, start.z + 2000});
			place(ITEM_CLOWN, {middle.x - 1700, middle.z - 1900});
			place(ITEM_CLOWN, {middle.x + 1400, middle.z + 1100});
			place(ITEM_CLOWN, {east.x + 900, east.z - 1000});
			place(ITEM_CLOWN, {exitSite.x - 1900, exitSite.z - 300});
			// Strong men off the way.
			place(ITEM_STRONG_MAN, {middle.x - 800, middle.z + 1800});
			place(ITEM_STRONG_MAN, {east.x - 200, east.z + 1400});

			// A troupe of clowns on their rounds on the west of the middle island.
			const Point2 ring{middle.x - 2200, middle.z + 400};
			d.splines.push_back(CircleLoop(ring, 900, 10));
			d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN, 0.0f));
			d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN, 0.5f));

			// Clown fish circling high over the islands. Not over the bridges: a
			// blast there would throw the robot off into the sky.
			d.splines.push_back(CircleLoop(middle, 2300, 12));
			d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN_FISH, 0.0f));
			d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN_FISH, 0.5f));
			d.splines.push_back(CircleLoop(exitSite, 1900, 10));
			d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN_FISH, 0.0f));
			d.splines.push_back(CircleLoop(outlook, 1400, 8));
			d.splines.back().items.push_back(SplineItem(SPLINE_ITEM_CLOWN_FISH, 0.3f));
		}

		void AddCloudScenery(WorldDesign& d)
		{
			Scatter s(d);
			// A towering bank of cloud (a puff ten times over) on the start's
			// island, off to the side of the way out: the first thing a player sees
			// (placed first, so the rest of the scenery keeps out of it).
			const Point2 from = s.route[0], to = s.route[1];
			const float len = Hypot(to.x - from.x, to.z - from.z);
			const Point2 across{-(to.z - from.z) / len, (to.x - from.x) / len};
			const Piece bank{ITEM_CLOUD_BANK, 0, 1, 700, 1, 0, 0, false};
			bool banked = false;
			for (float off : {2300.0f, -2300.0f, 2100.0f, -2100.0f})
			{
				const Point2 at{from.x + across.x * off, from.z + across.z * off};
				if (!banked && s.IsClear(at, bank.radius))
				{
					s.Place(at, bank);
					banked = true;
				}
			}
			if (!banked)
				throw std::logic_error("scenery: no room for the cloud bank on the start's island");
			s.Spread({
				{ITEM_SCENERY_1, 0, 1, 180, 4},				// cloud puffs
				{ITEM_SCENERY_2, 0, 1, 150, 2, 0, 0, false},	// sky columns
				ByKind(4, 220, 2, 6, 9),					// cotton-candy trees
				ByKind(6, 130, 2, 8, 12),					// sky crystals
				ByKind(7, 120, 2, 8, 12),					// balloon bushes
				{ITEM_SPINNING_RINGS, 0, 1, 320, 0.6f, 0, 0, false},
			}, 60);
			s.Beside(0.35f, 800, {ITEM_JET_DOOR, 0, 2, 260, 1});
		}
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
		// A circus tent's wall round the arena, open where the three bridges come in.
		AddArenaFence(d, arena, ARENA_HALF, 60, {bridges[0][1], bridges[3][1], bridges[4][1]}, BRIDGE_HALF + 200);
		AddCloudTrapDoors(d, trapDoors);
		AddCloudCreatures(d, start, middle, east, exitSite, islands[5].c);
		AddCloudScenery(d);
		return d;
	}
}
