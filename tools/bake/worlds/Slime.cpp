// Level 1, the slime world: its lilac blob-hills, slime pools and mesas, the
// travellers and brain aliens beside the paved causeway, the pick-ups, the
// bubble pumps and the spiky things beyond them, blobs of every colour in
// the hollows and on the hills, crystals that burst up beside the way,
// floating pods near the pools' shores, squooshies far off the causeway, the
// boats on the biggest pool with their tow handles on its shore, the crystal
// fences and the scenery, and the route along the causeway to the exit.
#include "worlds/WorldPlacing.h"
#include "worlds/Ground.h"
#include "Enemies/Blobs.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_SQUOOSHY = 3,
			ITEM_SPIKY_POD = 23,		// level model 26, parm[0] quarter turns
			ITEM_SPIKY_STALK = 24,		// level model 27, sized by where it stands
			ITEM_SLIME_PIPE = 28,		// parm[0] kind = level model
			ITEM_FALLING_CRYSTAL = 29,	// parm[0] facing in eighths, parm[1] model offset
			ITEM_BLOB = 30,				// parm[0] colour
			ITEM_CRYSTAL = 32,			// parm[0] kind (level models 10 … 13)
			ITEM_FLOATING_POD = 33,
			ITEM_BUBBLE_PUMP = 37,		// parm[0] quarter turns
		};
		// Squooshies keep farther than any of them wakes to chase.
		constexpr float SQUOOSHY_CLEAR_OF_WAY = 3500;

		void Keep(WorldDesign& d, const std::vector<Point2>& route, FileItem item, float clearance, const char* what)
		{
			Point2 at = WorldXZ(item);
			if (DistanceToPath(at.x, at.z, route) < clearance)
				throw std::logic_error(d.name + ": " + what + " is too near the route");
			d.items.push_back(item);
		}

		// The slime causeway: freeze for the blobs, an arc shot near the end.
		void AddSlimeWorldPickups(WorldDesign& d)
		{
			LayAlongWay(d, {.looseCharge = 22, .chargePods = 2, .atomsPerChargePod = 3, .health = 4, .fuel = 2,
					.weapons = {POD_STUN, POD_FREEZE, POD_ARC}, .checkpoints = 3});
		}

		// A bubble pump facing `quarter` × 90°.
		void AddBubblePump(WorldDesign& d, Point2 at, uint8_t quarter)
		{
			d.items.push_back(Item(ITEM_BUBBLE_PUMP, at.x, at.z, quarter));
		}

		// Two spiky pods and a spiky stalk about `spread` round `near`.
		void AddSpikyThings(WorldDesign& d, Point2 near, float spread, uint8_t quarter)
		{
			d.items.push_back(Item(ITEM_SPIKY_POD, near.x + spread, near.z, quarter));
			d.items.push_back(Item(ITEM_SPIKY_STALK, near.x - spread * 0.7f, near.z + spread * 0.7f));
			d.items.push_back(Item(ITEM_SPIKY_POD, near.x, near.z - spread, uint8_t((quarter + 1) & 3)));
		}

		// Blobs and falling crystals beside the causeway, after its route.
		void AddSlimeWorldBlobs(WorldDesign& d, const std::vector<Point2>& causeway)
		{
			const std::vector<Point2> route = RouteLine(d);
			// Blobs of every colour in the hollows and on the hills beside the way,
			// far enough off it that they only notice a robot who comes to them.
			const struct { float t, side; uint8_t color; } blobs[] = {
				{0.08f, -1300, BLOB_COLOR_GREEN}, {0.16f, 1400, BLOB_COLOR_RED}, {0.27f, 1350, BLOB_COLOR_BLUE},
				{0.33f, -1500, BLOB_COLOR_GREEN}, {0.45f, 1400, BLOB_COLOR_RED}, {0.52f, -1350, BLOB_COLOR_BLUE},
				{0.66f, 1500, BLOB_COLOR_GREEN}, {0.78f, -1400, BLOB_COLOR_RED}, {0.9f, 1300, BLOB_COLOR_BLUE},
			};
			for (const auto& b : blobs)
			{
				Point2 at = AlongPath(causeway, b.t, b.side);
				Keep(d, route, Item(ITEM_BLOB, at.x, at.z, b.color), 1000, "a blob");
			}
			// Crystals hidden beside the way: they burst up as the robot passes
			// and topple away from the causeway.
			const struct { float t, side; uint8_t kind; } crystals[] = {
				{0.22f, 750, 0}, {0.4f, -800, 1}, {0.58f, 750, 1}, {0.82f, -750, 0},
			};
			for (const auto& c : crystals)
			{
				Point2 at = AlongPath(causeway, c.t, c.side), on = AlongPath(causeway, c.t);
				// Facing away from the way: it falls forward, off the causeway.
				Point2 away{at.x + (at.x - on.x), at.z + (at.z - on.z)};
				Keep(d, route, Item(ITEM_FALLING_CRYSTAL, at.x, at.z, FacingParm(at, away), c.kind), 650, "a falling crystal");
			}
		}

		// Pods adrift on pools given by centre and radius.
		void AddFloatingPods(WorldDesign& d, const std::vector<std::pair<Point2, float>>& pools)
		{
			// A few pods adrift near each pool's shore (the middle is the boats').
			int n = 0;
			for (const auto& [c, r] : pools)
				for (float degrees : {30.0f, 160.0f, 280.0f})
				{
					Point2 at = AtDegrees(c, r * 0.85f, degrees + float(n) * 17);
					d.items.push_back(Item(ITEM_FLOATING_POD, at.x, at.z));
					n++;
				}
		}

		// Squooshies on the blob-hills, well away from the causeway.
		void AddSlimeSquooshies(WorldDesign& d, const std::vector<Point2>& causeway, const std::vector<Point2>& spots)
		{
			for (Point2 at : spots)
				PlaceAwayFromWay(d, causeway, SQUOOSHY_CLEAR_OF_WAY, ITEM_SQUOOSHY, at, "slime: a squooshy");
		}

		// Boats on a round loop of `loopRadius` round `centre` (the design's next
		// spline), numbered 0 … boats − 1 and spread evenly round it; each one's
		// tow-handle pod on the shore (`shoreRadius` out) abreast of its start.
		void AddBoats(WorldDesign& d, Point2 centre, float loopRadius, float shoreRadius, int boats)
		{
			const int spline = int(d.splines.size());
			d.splines.push_back(CircleLoop(centre, loopRadius, 12));
			for (int i = 0; i < boats; i++)
			{
				const float placement = float(i) / float(boats);
				d.splines[size_t(spline)].items.push_back(SplineItem(SPLINE_ITEM_BOAT, placement, uint8_t(i)));
				// The boat's handle waits on the shore abreast of where it starts:
				// a loop's placement runs round it as its angle does.
				const float a = 6.2831853f * placement;
				Point2 at{centre.x + shoreRadius * std::cos(a), centre.z + shoreRadius * std::sin(a)};
				d.items.push_back(Item(ITEM_POD, at.x, at.z, POD_TOW_HANDLE, 0, uint8_t(i)));
			}
		}

		void AddSlimeScenery(WorldDesign& d)
		{
			Scatter s(d);
			s.Spread({
				{ITEM_SLIME_PIPE, 1, 4, 240, 4},			// pipes 1 … 4
				{ITEM_SLIME_PIPE, 6, 1, 120, 1.5f},			// the twin vents
				ByKind(7, 140, 3, 8, 14),					// toadstools
				ByKind(8, 170, 2, 8, 13),					// slimy boulders
				ByKind(9, 100, 3, 8, 12),					// puffballs
				{ITEM_CRYSTAL, 0, 4, 260, 3},				// crystals
			}, 70);
		}
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
		AddSlimeScenery(d);
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
}
