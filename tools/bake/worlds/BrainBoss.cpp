// Level 9, the brain boss arena: a floor of glowing hex plates with a dais
// for the brain at its centre, eight portal pads round it and walls of
// folded, brain-like rock; the portals, the exit, the stun guns, health and
// charge by each sniping spot, the scenery, and the route that shoots down
// every portal from out of its reach, then fights the brain.
#include "worlds/WorldPlacing.h"
#include "worlds/Ground.h"

#include <cmath>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		constexpr float TAU = 6.28318531f;
		// How far from an alien portal the robot snipes it: beyond the reach
		// within which it sends elites (3000), by a margin for being knocked about.
		constexpr float SNIPE_DISTANCE = 3450.0f;
		// Exit charge in a pod by each sniping spot: with the brain's last
		// spill (10) enough for the exit, so a player who keeps out of the
		// elites' way can still leave; the elites spill more.
		constexpr uint8_t CHARGE_PER_SPOT = 3;

		RouteGoal SnipeGoal(Point2 spot, Point2 target)
		{
			RouteGoal g = Goal(ROUTE_SNIPE, spot);
			g.tx = target.x;
			g.tz = target.z;
			return g;
		}

		// The exit, the weapons the fight needs and the way round the portals to the brain.
		void AddBrainBossArena(WorldDesign& d, Point2 centre, Point2 start, const std::vector<Point2>& portals)
		{
			// The exit saucer waits east of the dais, facing west, between two
			// portals' lines of fire from the inner ring; the brain is fought
			// south-east of the dais, so no way crosses its slopes.
			const float EXIT_ANGLE = 2.5f * TAU / 8;		// portal k stands k eighths of a turn round
			const Point2 exitSite{centre.x + 3200 * std::sin(EXIT_ANGLE), centre.z + 3200 * std::cos(EXIT_ANGLE)};
			const uint8_t EXIT_FACING = 2;			// a quarter turn: its front looks west, at the dais
			const Point2 fight{centre.x + 1400, centre.z + 1400};
			d.items.push_back(Item(ITEM_EXIT, exitSite.x, exitSite.z, EXIT_FACING));
			// Stun guns where the robot steps out of its saucer: the portals send
			// their elites at once.
			for (int i = 0; i < 3; i++)
				d.items.push_back(Pod({start.x - 300 + 300 * float(i), start.z - 450}, POD_STUN, 0, 0, POWERUP_OPTION_REGENERATES));

			// Every portal of the ring in turn, then the brain, then home. A portal
			// sends its elites only at a robot within its reach, and the stun gun
			// carries much further: each is shot down from a spot on the inner
			// ring just out of its reach (and out of its neighbours'), where a
			// checkpoint, a stun gun and health wait.
			d.route.clear();
			d.route.push_back(Goal(ROUTE_GOTO, {start.x, start.z - 600}));
			const size_t n = portals.size();
			for (size_t k = 0; k < n; k++)
			{
				Point2 p = portals[k];
				float dx = centre.x - p.x, dz = centre.z - p.z;
				float ring = std::hypot(dx, dz);
				Point2 spot{p.x + dx / ring * SNIPE_DISTANCE, p.z + dz / ring * SNIPE_DISTANCE};
				d.route.push_back(SnipeGoal(spot, p));
				// Beside the spot, round the ring: the stun gun that comes back
				// whenever the robot has none, and health.
				Point2 side{-dz / ring, dx / ring};
				Point2 pod{spot.x + side.x * 350, spot.z + side.z * 350};
				d.items.push_back(Pod(pod, POD_STUN, 0, 0, POWERUP_OPTION_REGENERATES));
				d.items.push_back(Pod({spot.x + side.x * 700, spot.z + side.z * 700}, POD_CHARGE_ATOMS, CHARGE_PER_SPOT));
				for (int a = 0; a < 2; a++)
					d.items.push_back(Atom({spot.x - side.x * (300 + 200 * float(a)), spot.z - side.z * (300 + 200 * float(a))},
							ATOM_HEALTH, POWERUP_OPTION_REGENERATES));
				// A lost life starts again just behind the spot (still out of the
				// portal's reach, clear of the way out to the exit), facing on round the ring the
				// way it came
				// (none at the first two: the robot lands between them).
				if (k > 1)
					d.items.push_back(Item(ITEM_CHECKPOINT, spot.x - dx / ring * 200, spot.z - dz / ring * 200, uint8_t(k - 1),
							FacingParm(portals[k - 1], p)));
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

		// The brain's arena: health and weapons on the way in, short of the portals' ring.
		void AddBrainBossPickups(WorldDesign& d)
		{
			// Close by the way: it runs round the inner ring, between the dais's
			// slope and the portals' reach.
			Handful(d, WayToCharge(d), 0.1f, 0.5f, 250, {Pod({}, POD_NOVA), Atom({}, ATOM_HEALTH), Pod({}, POD_FREEZE),
					Atom({}, ATOM_HEALTH), Pod({}, POD_STUN), Atom({}, ATOM_HEALTH)});
		}

		void AddBrainBossScenery(WorldDesign& d)
		{
			Scatter s(d);
			s.Spread({
				ByKind(4, 130, 3, 6, 10),					// alien spires
				ByKind(6, 140, 2, 8, 12),					// alien crystals
				ByKind(7, 120, 3, 8, 12),					// pod plants
			}, 36);
		}
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
		AddBrainBossScenery(d);
		return d;
	}
}
