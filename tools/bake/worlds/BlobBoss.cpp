// Level 2, the slime boss arena: a round, flat, plated floor for the blob
// machine at its centre (item 41 marks it), walled by a ring of
// slime-streaked rock; the start and the stun guns on the machine's plinth,
// blobs at the rim, the ring of spinning platforms, and the route that
// fights the machine from the plinth's four quarters.
#include "worlds/WorldPlacing.h"
#include "worlds/Ground.h"
#include "Enemies/Blobs.h"
#include "Items/BlobBoss.h"
#include "Items/RidesContent.h"
#include "Items/SlimeHazards.h"

#include <cmath>
#include <string>
#include <vector>

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_BLOB = 30,				// parm[0] colour
		};

		// The arena's start, route and pick-ups round the machine's plinth, and its
		// blobs. The arena's floor is live: everything the robot needs lies on the
		// plinth, the one dry place, and the route fights from the plinth's four
		// quarters between the beams.
		void AddBlobBossArena(WorldDesign& d, Point2 center)
		{
			// The plinth's top reaches this far out between the beams (its boxes' corner).
			const float SPOT = 850;
			const Point2 start = AtDegrees(center, 1500, 45);
			d.items.push_back(Item(ITEM_START, start.x, start.z, FacingParm(start, center)));

			// Onto the plinth (the live floor throws the robot up on the way:
			// one bounce carries it there), then round its four quarters, each
			// between two beams, shooting what the machine shows there; the fight
			// goes round again until the machine falls.
			for (float quarter : {45.0f, 135.0f, 225.0f, 315.0f})
				d.route.push_back(Goal(ROUTE_BOSS, AtDegrees(center, SPOT, quarter)));

			// The stun gun in each quarter of the plinth's top, inside the spot the
			// robot fights from but off its lines of fire at the emitters (a pod
			// stops shots); it comes back once the robot has none left.
			// Health between the quarters.
			for (float quarter : {45.0f, 135.0f, 225.0f, 315.0f})
			{
				d.items.push_back(Pod(AtDegrees(center, 420, quarter), POD_STUN, 0, 0, POWERUP_OPTION_REGENERATES));
				for (float side : {-20.0f, 20.0f})
					d.items.push_back(Atom(AtDegrees(center, 700, quarter + side), ATOM_HEALTH));
			}

			// Blobs at the arena's rim, far from the plinth: they wake when the robot strays near.
			// (Between the ring of spinning platforms' places.)
			const float blobDegrees[] = {79.0f, 180.0f, 247.0f, 0.0f};
			for (int i = 0; i < 4; i++)
			{
				Point2 at = AtDegrees(center, 4600, blobDegrees[i]);
				d.items.push_back(Item(ITEM_BLOB, at.x, at.z, uint8_t(i % NUM_BLOB_COLORS)));
			}
		}

		// Spinning platforms round the machine: a refuge from the live floor.
		void AddSlimeBossRides(WorldDesign& d, Point2 center)
		{
			// A ring of platforms round the machine, outside the orbit of its own
			// platforms (whose riders would strike their heads on these); the
			// long crosses would reach into it, the other shapes take turns.
			const std::vector<Point2> route = RouteLine(d);
			const int COUNT = 10;
			const int CROSSES = 16;		// kinds 16 … 19
			for (int i = 0; i < COUNT; i++)
			{
				float a = 0.5f + float(i) * (2 * 3.14159265f - 1.0f) / float(COUNT - 1);
				float r = 4500.0f;
				Point2 at{center.x + std::sin(a) * r, center.z + std::cos(a) * r};
				uint8_t kind = uint8_t((i * 3 + i / 4) % CROSSES);
				FileItem item = Item(ITEM_TYPE_SPINNING_PLATFORM, at.x, at.z, kind, uint8_t(i % 8), uint8_t(i * 7 % 30),
						i % 2 ? SPINNING_PLATFORM_TURNS_FORWARD : 0);
				PlaceRide(d, route, item, "spinning platform " + std::to_string(i));
			}
		}
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
}
