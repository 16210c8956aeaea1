// The scenery of each world: what grows and stands about, scattered from a
// list of the world's own pieces. Pieces gather near the way the player goes
// (so the journey looks lived-in) but keep off it, off the landing and exit
// pads, off other items, off holes and cliffs, and out of each other. The
// doors that only the jump jet or a giant breaks stand beside the route,
// never across the only way on. Everything follows from the route and items
// the world already has, so moving a landmark moves its scenery with it.
#include "BakeTerrainWorlds.h"
#include "System/LevelTable.h"

#include <cstdint>

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_PLANT = 1,				// parm[0] kind (level models 21, 14, 15, 16, 23, 24, 25, 52, 53)
			ITEM_SCENERY_1 = 11,		// level model 1 at 1.5, parm[0] quarter turns
			ITEM_SCENERY_2 = 12,		// level model 2 at 2.5
			ITEM_JET_DOOR = 13,			// level model 3; parm[0] 1: turned a quarter
			ITEM_SPROUT = 16,			// parm[0] 0 corn, 1 onion, 2 tomato
			ITEM_SCENERY_16 = 17,		// level model 16 at 2, tilted to the ground
			ITEM_SPEED_GATE = 19,		// level model 6; parm[0] as the jet door's
			ITEM_SCENERY_BY_KIND = 20,	// parm[0] model, parm[1] eighth turns, parm[2] scale in tenths
			ITEM_SLIME_PIPE = 28,		// parm[0] kind = level model
			ITEM_CRYSTAL = 32,			// parm[0] kind (level models 10 … 13)
			ITEM_SPINNING_RINGS = 47,
			ITEM_GIANT_WALL = 54,		// level model 5 + parm[0], parm[1] eighth turns
			ITEM_LAMP_POST = 63,		// parm[0] kind (level models 24 … 26)
			ITEM_GRAVE_STONE = 65,		// parm[0] kind (34 … 38), parm[1] quarter turns
			ITEM_CRASHED_SHIP = 66,		// parm[0] kind (39, 40)
			ITEM_RUBBLE = 68,			// parm[0] kind (43 … 49), parm[1] quarter turns
		};

		// Clearances (world units).
		constexpr float PAD_CLEARANCE = 1300;		// from the start and the exit: the saucers and the exit's beam
		constexpr float ROUTE_CLEARANCE = 420;		// from the route's line, plus the piece's own radius
		constexpr float ITEM_CLEARANCE = 260;		// from other items, plus the piece's radius
		constexpr float EDGE_MARGIN = 900;
		constexpr float SAUCER_EDGE_MARGIN = 7400;	// the saucer level's flying limit keeps the player this far in
		constexpr float NEAR_ROUTE = 2400;			// pieces within this of the route are always kept
		constexpr float FAR_KEEP_CHANCE = 0.3f;		// farther ones only this often
		constexpr float MAX_RISE = 260;				// steepest ground change across a piece's radius

		// One kind of piece and how it is dressed.
		struct Piece
		{
			uint16_t type;
			uint8_t parm0;
			uint8_t parm0Choices;		// > 1: parm[0] = parm0 + a pick below this
			float radius;				// its footprint
			float weight;				// how often it is picked
			uint8_t scaleMin = 0, scaleMax = 0;	// tenths, item 20 only
			bool turns = true;			// a random facing in the parm this type turns by
		};

		struct Scatter
		{
			WorldDesign& d;
			uint32_t seed;
			std::vector<Point2> route;
			std::vector<Point2> pads;
			std::vector<std::vector<Point2>> linesOfFire;	// from each sniping spot to what it shoots
			std::vector<std::pair<Point2, float>> taken;	// items with their radius
			uint32_t counter = 0;
			float edgeMargin = EDGE_MARGIN;

			Scatter(WorldDesign& design, uint32_t s) : d(design), seed(s)
			{
				for (const FileItem& item : d.items)
				{
					Point2 at{float(item.x) * MAP_TO_UNIT, float(item.z) * MAP_TO_UNIT};
					if (item.type == ITEM_START || item.type == ITEM_EXIT)
						pads.push_back(at);
					taken.push_back({at, 0});
					if (item.type == ITEM_START)
						route.push_back(at);
				}
				for (const RouteGoal& g : d.route)
				{
					if (g.x != 0 || g.z != 0)
						route.push_back({g.x, g.z});
					if (g.verb == ROUTE_SNIPE)
						linesOfFire.push_back({{g.x, g.z}, {g.tx, g.tz}});
				}
			}

			float Random() { return Hash01(int32_t(counter++), int32_t(seed), seed * 7 + 1); }

			float RouteDistance(Point2 p) const
			{
				if (route.size() < 2)
					return route.empty() ? 1e9f : Hypot(p.x - route[0].x, p.z - route[0].z);
				return DistanceToPath(p.x, p.z, route);
			}

			bool IsClear(Point2 p, float radius) const
			{
				float width = float(d.superTilesWide) * SUPERTILE, depth = float(d.superTilesDeep) * SUPERTILE;
				if (EdgeDistance(p.x, p.z, width, depth) < edgeMargin + radius)
					return false;
				if (d.emptySuperTile && d.emptySuperTile(int(p.z / SUPERTILE), int(p.x / SUPERTILE)))
					return false;
				for (Point2 pad : pads)
					if (Hypot(p.x - pad.x, p.z - pad.z) < PAD_CLEARANCE + radius)
						return false;
				if (RouteDistance(p) < ROUTE_CLEARANCE + radius)
					return false;
				for (const std::vector<Point2>& line : linesOfFire)
					if (DistanceToPath(p.x, p.z, line) < ROUTE_CLEARANCE + radius)
						return false;
				if (InSledRun(d, p, radius))
					return false;
				for (const auto& [at, r] : taken)
					if (Hypot(p.x - at.x, p.z - at.z) < ITEM_CLEARANCE + radius + r)
						return false;
				// Solid, fairly level ground all round its footprint.
				float h0 = d.height(p.x, p.z);
				for (int i = 0; i < 8; i++)
				{
					float a = float(i) * 0.785398f;
					float x = p.x + radius * std::sin(a), z = p.z + radius * std::cos(a);
					if (d.tileFlags && d.tileFlags(x, z) != 0)
						return false;		// holes in the clouds, the bumper arena
					if (std::fabs(d.height(x, z) - h0) > MAX_RISE)
						return false;
				}
				return !d.tileFlags || d.tileFlags(p.x, p.z) == 0;
			}

			void Place(Point2 p, const Piece& piece)
			{
				uint8_t p0 = piece.parm0, p1 = 0, p2 = 0;
				if (piece.parm0Choices > 1)
					p0 = uint8_t(piece.parm0 + std::min(int(Random() * float(piece.parm0Choices)), piece.parm0Choices - 1));
				if (piece.type == ITEM_SCENERY_BY_KIND)
				{
					p1 = piece.turns ? uint8_t(Random() * 8) % 8 : 0;
					p2 = uint8_t(piece.scaleMin + std::lround(Random() * float(piece.scaleMax - piece.scaleMin)));
				}
				else if (piece.turns && (piece.type == ITEM_SCENERY_1))
					p0 = uint8_t(Random() * 4) % 4;
				else if (piece.turns && (piece.type == ITEM_GRAVE_STONE || piece.type == ITEM_RUBBLE))
					p1 = uint8_t(Random() * 4) % 4;
				d.items.push_back(Item(piece.type, p.x, p.z, p0, p1, p2));
				taken.push_back({p, piece.radius});
			}

			// Up to `count` pieces picked by weight, denser near the route.
			void Spread(const std::vector<Piece>& pieces, int count)
			{
				float total = 0;
				for (const Piece& piece : pieces)
					total += piece.weight;
				float width = float(d.superTilesWide) * SUPERTILE, depth = float(d.superTilesDeep) * SUPERTILE;
				int placed = 0;
				for (int attempt = 0; attempt < count * 60 && placed < count; attempt++)
				{
					float pick = Random() * total;
					const Piece* piece = &pieces.back();
					for (const Piece& candidate : pieces)
						if ((pick -= candidate.weight) < 0)
						{
							piece = &candidate;
							break;
						}
					Point2 p{width * Random(), depth * Random()};
					if (RouteDistance(p) > NEAR_ROUTE && Random() > FAR_KEEP_CHANCE)
						continue;
					if (!IsClear(p, piece->radius))
						continue;
					Place(p, *piece);
					placed++;
				}
			}

			// A piece beside the route, `side` units off it, a fraction `t` of the way along.
			bool Beside(float t, float side, const Piece& piece)
			{
				for (float extra : {0.0f, 300.0f, -300.0f, 600.0f})
				{
					for (float dt : {0.0f, 0.03f, -0.03f, 0.06f})
					{
						float s = side + (side < 0 ? -extra : extra);
						Point2 p = AlongPath(route, t + dt, s);
						if (IsClear(p, piece.radius))
						{
							Place(p, piece);
							return true;
						}
					}
				}
				return false;
			}
		};

		Piece ByKind(uint8_t model, float radius, float weight, uint8_t scaleMin, uint8_t scaleMax)
		{
			return {ITEM_SCENERY_BY_KIND, model, 1, radius, weight, scaleMin, scaleMax};
		}

		void FarmScenery(Scatter& s)
		{
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
		}

		void SlimeScenery(Scatter& s)
		{
			s.Spread({
				{ITEM_SLIME_PIPE, 1, 4, 240, 4},			// pipes 1 … 4
				{ITEM_SLIME_PIPE, 6, 1, 120, 1.5f},			// the twin vents
				ByKind(7, 140, 3, 8, 14),					// toadstools
				ByKind(8, 170, 2, 8, 13),					// slimy boulders
				ByKind(9, 100, 3, 8, 12),					// puffballs
				{ITEM_CRYSTAL, 0, 4, 260, 3},				// crystals
			}, 70);
		}

		void ApocalypseScenery(Scatter& s)
		{
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
		}

		void CloudScenery(Scatter& s)
		{
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

		void JungleScenery(Scatter& s, int count)
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

		void FireIceScenery(Scatter& s)
		{
			s.Spread({
				{ITEM_SCENERY_1, 0, 1, 170, 3},				// ice spikes
				{ITEM_SCENERY_2, 0, 1, 270, 2, 0, 0, false},	// lava boulders
				ByKind(13, 260, 4, 9, 13),					// snowy pines
				ByKind(14, 130, 2, 8, 12),					// fire crystals
				ByKind(15, 170, 3, 8, 13),					// snow-capped rocks
			}, 70);
		}

		void SaucerScenery(Scatter& s)
		{
			s.Spread({
				ByKind(8, 320, 5, 9, 14),					// village trees
				ByKind(9, 150, 2, 8, 13),					// meadow rocks
				ByKind(10, 220, 3, 10, 10),					// fences
				ByKind(11, 90, 2, 10, 13),					// hay bales
				ByKind(12, 260, 3, 9, 13),					// pines
			}, 80);
		}

		void BrainBossScenery(Scatter& s)
		{
			s.Spread({
				ByKind(4, 130, 3, 6, 10),					// alien spires
				ByKind(6, 140, 2, 8, 12),					// alien crystals
				ByKind(7, 120, 3, 8, 12),					// pod plants
			}, 36);
		}
	}

	void AddScenery(WorldDesign& d, int level)
	{
		Scatter s(d, d.seed * 31 + 7);
		switch (level)
		{
			case LEVEL_NUM_FARM:		FarmScenery(s); break;
			case LEVEL_NUM_BLOB:		SlimeScenery(s); break;
			case LEVEL_NUM_APOCALYPSE:	ApocalypseScenery(s); break;
			case LEVEL_NUM_CLOUD:		CloudScenery(s); break;
			case LEVEL_NUM_JUNGLE:
				JungleScenery(s, 80);
				// Temple walls only a giant walks through, off the trail.
				s.Beside(0.45f, 1100, {ITEM_GIANT_WALL, 0, 1, 480, 1});
				s.Beside(0.75f, -1100, {ITEM_GIANT_WALL, 0, 1, 480, 1});
				s.Beside(0.3f, -900, {ITEM_JET_DOOR, 0, 2, 260, 1});
				break;
			case LEVEL_NUM_JUNGLEBOSS:	JungleScenery(s, 30); break;
			case LEVEL_NUM_FIREICE:		FireIceScenery(s); break;
			case LEVEL_NUM_SAUCER:
				s.edgeMargin = SAUCER_EDGE_MARGIN;
				SaucerScenery(s);
				break;
			case LEVEL_NUM_BRAINBOSS:	BrainBossScenery(s); break;
			default:					break;		// the slime boss's arena is the machine alone
		}
	}
}
