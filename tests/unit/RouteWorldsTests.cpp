// Every world's route, as the baker writes it: it reads back as written, its
// goals stand on ground that exists, its legs never cross a hole or pass
// through the exit saucer, and it ends standing in the exit saucer's beam.
#include "Items/Contraptions.h"
#include "worlds/WorldPlacing.h"
#include "System/LevelTable.h"
#include "Autopilot/AutopilotRoute.h"
#include "System/Game.h"

#include "WorldTestNames.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace TerrainBake;
using namespace TerrainBake::Worlds;

namespace
{
	struct WorldRoute : ::testing::TestWithParam<int>
	{
		WorldDesign d = MakeWorldDesign(GetParam());
		float width = float(d.superTilesWide) * SUPERTILE;
		float depth = float(d.superTilesDeep) * SUPERTILE;

		const FileItem* Find(uint16_t type) const
		{
			for (const FileItem& i : d.items)
				if (i.type == type)
					return &i;
			return nullptr;
		}
		Point2 At(const FileItem& i) const
		{
			return {float(i.x) * MAP_TO_UNIT, float(i.z) * MAP_TO_UNIT};
		}
		bool IsSolid(float x, float z) const
		{
			if (d.emptySuperTile && d.emptySuperTile(int(z / SUPERTILE), int(x / SUPERTILE)))
				return false;
			return !(d.tileFlags && (d.tileFlags(x, z) & 0x0001));
		}
	};
}

TEST_P(WorldRoute, ReadsBackAsWrittenAndEveryGoalStandsOnGroundInsideTheMap)
{
	ASSERT_FALSE(d.route.empty()) << d.name;
	std::string text;
	for (const RouteGoal& g : d.route)
		text += FormatRouteGoal(g) + "\n";
	Route read;
	std::string error;
	ASSERT_TRUE(ParseRouteText(text, RouteFileName(GetParam()), &read, &error)) << error;
	ASSERT_EQ(read.size(), d.route.size());

	// The saucer level's player cannot fly nearer the edge than its margin.
	float margin = GetParam() == LEVEL_NUM_SAUCER ? 7200.0f : 2 * TILE;
	for (const RouteGoal& g : read)
	{
		if (!kRouteVerbs[g.verb].hasPlace)
			continue;
		SCOPED_TRACE(d.name + " " + FormatRouteGoal(g));
		EXPECT_GE(EdgeDistance(g.x, g.z, width, depth), margin);
		EXPECT_TRUE(std::isfinite(d.height(g.x, g.z)));
		EXPECT_TRUE(IsSolid(g.x, g.z));
	}
}

TEST_P(WorldRoute, LegsFromTheStartCrossNoHoleAndGoRoundTheExitSaucer)
{
	const FileItem* start = Find(ITEM_START);
	ASSERT_NE(start, nullptr);
	const FileItem* exit = Find(ITEM_EXIT);
	Point2 from = At(*start);
	for (const RouteGoal& g : d.route)
	{
		if (!kRouteVerbs[g.verb].hasPlace)
			continue;
		float length = Hypot(g.x - from.x, g.z - from.z);
		for (float s = 0; s <= length; s += 60)
		{
			float t = length > 0 ? s / length : 1;
			float x = Lerp(from.x, g.x, t), z = Lerp(from.z, g.z, t);
			ASSERT_TRUE(IsSolid(x, z)) << d.name << ": the leg to " << FormatRouteGoal(g) << " crosses open sky at " << x << ", " << z;
			// The saucer's body fills about 400 round its centre (the beam starts 120 in front of it).
			if (exit)
			{
				Point2 e = At(*exit);
				EXPECT_GE(Hypot(x - e.x, z - e.z), 400) << d.name << ": the leg to " << FormatRouteGoal(g) << " runs through the exit saucer";
			}
		}
		from = {g.x, g.z};
	}
}

TEST_P(WorldRoute, EndsInTheExitSaucersBeamOnceCharged)
{
	const FileItem* exit = Find(ITEM_EXIT);
	if (const FileItem* lift = Find(90))
	{
		// The exit lift: wait for the charge where its lid opens, then stand by it
		// until it takes the robot in.
		ASSERT_EQ(exit, nullptr) << d.name << ": one way out";
		const RouteGoal& last = d.route.back();
		ASSERT_EQ(last.verb, ROUTE_EXIT) << d.name;
		ASSERT_GE(d.route.size(), 3u);
		const RouteGoal& wait = d.route[d.route.size() - 2];
		const RouteGoal& near = d.route[d.route.size() - 3];
		EXPECT_EQ(wait.verb, ROUTE_CHARGE) << d.name;
		Point2 l = At(*lift);
		EXPECT_LT(Hypot(last.x - l.x, last.z - l.z), EXIT_LIFT_TAKE_RANGE) << d.name;
		EXPECT_LT(Hypot(near.x - l.x, near.z - l.z), EXIT_LIFT_OPEN_RANGE) << d.name << ": the lid opens from there";
		return;
	}
	if (!exit)
	{
		// Ended by a boss or a lift that is not in the game yet: the route
		// still has to lead somewhere on the map, which the test above checks.
		EXPECT_NE(d.route.back().verb, ROUTE_EXIT) << d.name;
		return;
	}
	const RouteGoal& last = d.route.back();
	ASSERT_EQ(last.verb, ROUTE_EXIT) << d.name;
	bool charged = false;
	for (const RouteGoal& g : d.route)
		charged |= g.verb == ROUTE_CHARGE;
	EXPECT_TRUE(charged) << d.name << ": the saucer opens only once the exit is charged";

	// The beam area: 120 … 650 in front of the saucer along its heading, 160 to either side.
	Point2 e = At(*exit);
	float heading = float(exit->parm[0]) * (3.14159265f / 4);
	float fx = -std::sin(heading), fz = -std::cos(heading);
	float ahead = (last.x - e.x) * fx + (last.z - e.z) * fz;
	float side = (last.x - e.x) * -fz + (last.z - e.z) * fx;
	EXPECT_GT(ahead, 120 + 80) << d.name;
	EXPECT_LT(ahead, 650 - 80) << d.name;
	EXPECT_LT(std::fabs(side), 160 - 80) << d.name;

	if (GetParam() == LEVEL_NUM_SAUCER)
	{
		// The saucer has to put the robot down before it can walk in.
		bool landed = false;
		for (const RouteGoal& g : d.route)
			landed |= g.verb == ROUTE_LAND;
		EXPECT_TRUE(landed);
	}
}

INSTANTIATE_TEST_SUITE_P(AllLevels, WorldRoute, ::testing::Range(0, NUM_WORLDS),
		WorldTestParamName);
