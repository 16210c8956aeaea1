// The worlds' fences, water and loops: they keep off the way the autopilot
// (and a player) takes, and the slime world's first loop lies on its water
// for the boats.
#include "worlds/WorldPlacing.h"
#include "Terrain/TerrainFormat.h"
#include "Terrain/Water.h"
#include "System/ContentNumbers.h"

#include <gtest/gtest.h>

#include <vector>

using namespace TerrainBake;
using namespace TerrainBake::Worlds;

namespace
{
	std::vector<Point2> WorldPoints(const std::vector<std::array<int32_t, 2>>& nubs)
	{
		std::vector<Point2> out;
		for (const auto& n : nubs)
			out.push_back({float(n[0]) * MAP_TO_UNIT_SCALE, float(n[1]) * MAP_TO_UNIT_SCALE});
		return out;
	}

	std::vector<OGLPoint2D> Outline(const FileWaterPatch& w)
	{
		std::vector<OGLPoint2D> out;
		for (const auto& n : w.nubs)
			out.push_back({n[0] * MAP_TO_UNIT_SCALE, n[1] * MAP_TO_UNIT_SCALE});
		return out;
	}

	// The route as the robot walks it: from the start item through every placed goal.
	std::vector<Point2> WalkedLine(const WorldDesign& d)
	{
		std::vector<Point2> line;
		for (const FileItem& item : d.items)
			if (item.type == 0)
			{
				line.push_back({float(item.x) * MAP_TO_UNIT_SCALE, float(item.z) * MAP_TO_UNIT_SCALE});
				break;
			}
		for (const RouteGoal& g : d.route)
			if (g.verb == ROUTE_GOTO || g.verb == ROUTE_EXIT || g.verb == ROUTE_JET)
				line.push_back({g.x, g.z});
		return line;
	}
}

class WorldWater : public ::testing::TestWithParam<int> {};

TEST_P(WorldWater, FencesAndHarmfulWaterKeepOffTheRoute)
{
	const WorldDesign d = MakeWorldDesign(GetParam());
	for (const FileFence& f : d.fences)
		EXPECT_GT(DistanceFromRoute(d, WorldPoints(f.nubs)), 400) << d.name << ": a fence of type " << f.type;

	const std::vector<Point2> route = WalkedLine(d);
	for (const FileWaterPatch& w : d.water)
	{
		if (w.type != WATER_KIND_SLIME && w.type != WATER_KIND_LAVA)
			continue;
		const std::vector<OGLPoint2D> outline = Outline(w);
		for (size_t i = 0; i + 1 < route.size(); i++)
			for (int k = 0; k <= 50; k++)
			{
				float f = float(k) / 50;
				float x = Lerp(route[i].x, route[i + 1].x, f), z = Lerp(route[i].z, route[i + 1].z, f);
				ASSERT_FALSE(IsPointInPolygon2D(x, z, int(outline.size()), outline.data()))
						<< d.name << ": the route wades through water of kind " << w.type << " at " << x << ", " << z;
			}
	}
}

INSTANTIATE_TEST_SUITE_P(AllLevels, WorldWater, ::testing::Range(0, NUM_WORLDS));

TEST(WorldWaterLoops, TheSlimeWorldsFirstLoopRunsOnItsSlime)
{
	const WorldDesign d = MakeWorldDesign(1);
	ASSERT_FALSE(d.splines.empty());
	const FileSpline& loop = d.splines[0];
	bool onWater = false;
	for (const FileWaterPatch& w : d.water)
	{
		const std::vector<OGLPoint2D> outline = Outline(w);
		bool all = true;
		for (const auto& n : loop.nubs)
			all &= IsPointInPolygon2D(n[0] * MAP_TO_UNIT_SCALE, n[1] * MAP_TO_UNIT_SCALE, int(outline.size()), outline.data()) != 0;
		onWater |= all && w.type == WATER_KIND_SLIME;
	}
	EXPECT_TRUE(onWater);
	EXPECT_EQ(loop.nubs.front(), loop.nubs.back()) << "closed where it starts";
}
