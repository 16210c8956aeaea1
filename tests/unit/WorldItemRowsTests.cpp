// Every item row the game has a routine for is placed by the world whose
// design calls for it, and the city and the cloud arena have their fences.
#include "worlds/WorldPlacing.h"
#include "System/LevelTable.h"
#include "Terrain/TerrainFormat.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace TerrainBake;
using namespace TerrainBake::Worlds;

namespace
{
	int CountOf(const WorldDesign& d, uint16_t type)
	{
		int n = 0;
		for (const FileItem& i : d.items)
			n += i.type == type;
		return n;
	}
}

TEST(WorldItemRows, EachRowIsPlacedByTheWorldItBelongsTo)
{
	const struct { uint16_t row; int level; const char* what; } rows[] = {
		{14, LEVEL_NUM_FARM, "scarecrow"}, {18, LEVEL_NUM_FARM, "pumpkin patch"}, {21, LEVEL_NUM_FARM, "windmill"},
		{22, LEVEL_NUM_FARM, "water tower"}, {25, LEVEL_NUM_APOCALYPSE, "monument"}, {42, LEVEL_NUM_APOCALYPSE, "rubble mound"},
		{43, LEVEL_NUM_CLOUD, "cloud bank"}, {44, LEVEL_NUM_JUNGLE, "giant tree"}, {64, LEVEL_NUM_APOCALYPSE, "jet debris"},
		{85, LEVEL_NUM_APOCALYPSE, "rubble platform"}, {87, LEVEL_NUM_FIREICE, "ice tower"},
		{96, LEVEL_NUM_APOCALYPSE, "big boulder"}, {106, LEVEL_NUM_APOCALYPSE, "wreck's tail"},
		{107, LEVEL_NUM_JUNGLE, "great boulder"},
	};
	WorldDesign designs[NUM_WORLDS];
	for (int level = 0; level < NUM_WORLDS; level++)
		designs[level] = MakeWorldDesign(level);
	for (const auto& r : rows)
		EXPECT_GT(CountOf(designs[r.level], r.row), 0) << "row " << r.row << " (" << r.what << ") on level " << r.level;
}

TEST(WorldItemRows, TheCityBarricadesItsSideStreetsOffTheWay)
{
	const WorldDesign d = MakeWorldDesign(LEVEL_NUM_APOCALYPSE);
	int barriers = 0;
	for (const FileFence& f : d.fences)
	{
		if (f.type != FENCE_CONCRETE_BARRIER)
			continue;
		barriers++;
		std::vector<Point2> line;
		for (const auto& nub : f.nubs)
			line.push_back({float(nub[0]) * MAP_TO_UNIT_SCALE, float(nub[1]) * MAP_TO_UNIT_SCALE});
		EXPECT_GT(DistanceFromRoute(d, line), 2000.0f);
	}
	EXPECT_GE(barriers, 10);
}

TEST(WorldItemRows, TheCloudArenaIsFencedButOpenAtItsGate)
{
	const WorldDesign d = MakeWorldDesign(LEVEL_NUM_CLOUD);
	Point2 gate{};
	for (const FileItem& i : d.items)
		if (i.type == 82)		// the bumper arena's gate
			gate = WorldXZ(i);
	ASSERT_TRUE(gate.x != 0 || gate.z != 0);
	int walls = 0;
	float nearestToGate = 1e9f;
	for (const FileFence& f : d.fences)
	{
		if (f.type != FENCE_CIRCUS_TENT)
			continue;
		walls++;
		std::vector<Point2> line;
		for (const auto& nub : f.nubs)
			line.push_back({float(nub[0]) * MAP_TO_UNIT_SCALE, float(nub[1]) * MAP_TO_UNIT_SCALE});
		nearestToGate = std::fmin(nearestToGate, DistanceToPath(gate.x, gate.z, line));
	}
	EXPECT_EQ(walls, 3);		// one run between each two of the three bridges
	EXPECT_GT(nearestToGate, 300.0f);
}
