// Where the jungle's creatures live: giant lizards and mantises roaming well
// off the muddy trail (far enough that a robot keeping to it outruns them),
// one of each patrolling a loop in the woods, flytraps rooted beside the
// trail facing it, turtles grazing by it and springy plants between the
// trees; on the jungle boss's level a few flytraps and turtles at the
// clearing's rim, away from the way to the exit saucer. Item numbers are the
// game's item table's (src/Enemies/JungleCreatures.h).
#include "BakeTerrainWorlds.h"
#include "BakeWorldWater.h"

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_GIANT_LIZARD = 50,
			ITEM_FLYTRAP = 51,			// parm[0] facing in eighths of a turn
			ITEM_MANTIS = 52,
			ITEM_TURTLE = 53,			// parm[0] facing in eighths of a turn
			ITEM_BOUNCY_OBJECT = 55,	// parm[0] kind 0 … 3
		};

		// A place `side` off the trail at `t` that keeps out of the river
		// and inside the map; false when there is none.
		bool Spot(const std::vector<Point2>& trail, const std::vector<Point2>& river, float t, float side, float mapSize,
				Point2* out)
		{
			for (float s : {side, side * 0.8f, -side, -side * 0.8f})
			{
				Point2 p = AlongPath(trail, t, s);
				bool inside = p.x > 1500 && p.z > 1500 && p.x < mapSize - 1500 && p.z < mapSize - 1500;
				if (inside && DistanceToPath(p.x, p.z, river) > 1400
						&& DistanceToPath(p.x, p.z, trail) > std::fabs(side) * 0.7f)
				{
					*out = p;
					return true;
				}
			}
			return false;
		}

		uint8_t EighthsToward(Point2 from, Point2 to)
		{
			return FacingParm(from, to);
		}
	}

	void AddJungleCreatures(WorldDesign& d, const std::vector<Point2>& trail, const std::vector<Point2>& river, float mapSize)
	{
		Point2 p;
		for (float t : {0.2f, 0.41f, 0.63f, 0.9f})
			if (Spot(trail, river, t, t < 0.5f ? 2700.0f : -2700.0f, mapSize, &p))
				d.items.push_back(Item(ITEM_GIANT_LIZARD, p.x, p.z));
		for (float t : {0.1f, 0.3f, 0.5f, 0.7f, 0.8f})
			if (Spot(trail, river, t, int(t * 10) % 2 ? -2300.0f : 2300.0f, mapSize, &p))
				d.items.push_back(Item(ITEM_MANTIS, p.x, p.z));
		const float trapT[] = {0.07f, 0.16f, 0.25f, 0.37f, 0.46f, 0.56f, 0.68f, 0.77f, 0.86f, 0.94f};
		for (int i = 0; i < 10; i++)
			if (Spot(trail, river, trapT[i], i % 2 ? 800.0f : -800.0f, mapSize, &p))
				d.items.push_back(Item(ITEM_FLYTRAP, p.x, p.z, EighthsToward(p, AlongPath(trail, trapT[i]))));
		const float turtleT[] = {0.14f, 0.35f, 0.58f, 0.74f, 0.92f};
		for (int i = 0; i < 5; i++)
			if (Spot(trail, river, turtleT[i], i % 2 ? 550.0f : -550.0f, mapSize, &p))
				d.items.push_back(Item(ITEM_TURTLE, p.x, p.z, uint8_t((i * 3) % 8)));
		const float bouncyT[] = {0.05f, 0.23f, 0.44f, 0.6f, 0.82f, 0.97f};
		for (int i = 0; i < 6; i++)
			if (Spot(trail, river, bouncyT[i], i % 2 ? -1100.0f : 1100.0f, mapSize, &p))
				d.items.push_back(Item(ITEM_BOUNCY_OBJECT, p.x, p.z, uint8_t(i % 4)));

		// A lizard and a mantis each patrolling a loop in the woods.
		const struct { float t, side; uint16_t type; } patrols[] = {
			{0.52f, 3400, ITEM_GIANT_LIZARD}, {0.75f, -3200, ITEM_MANTIS},
		};
		for (const auto& patrol : patrols)
		{
			if (!Spot(trail, river, patrol.t, patrol.side, mapSize, &p))
				continue;
			FileSpline loop = CircleLoop(p, 700);
			loop.items.push_back(SplineItem(patrol.type, 0.0f));
			d.splines.push_back(loop);
		}
	}

	void AddJungleBossCreatures(WorldDesign& d, Point2 center, float rimRadius)
	{
		// Round the rim on the far side from the start and the exit saucer (+z).
		const float angles[] = {3.5f, 4.0f, 4.45f, 5.0f, 5.5f};
		for (int i = 0; i < 5; i++)
		{
			float a = angles[i];
			Point2 p{center.x + rimRadius * std::cos(a), center.z + rimRadius * std::sin(a)};
			if (i % 2 == 0)
				d.items.push_back(Item(ITEM_FLYTRAP, p.x, p.z, EighthsToward(p, center)));
			else
				d.items.push_back(Item(ITEM_TURTLE, p.x, p.z, uint8_t(i * 2)));
		}
	}
}
