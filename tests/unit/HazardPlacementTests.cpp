// Where the world designs put their hazards: each level that should have them
// has them, kept off the route far enough to be fair, and the cloud's trap
// doors stand over holes (or the robot could never fall through them).
#include "worlds/WorldPlacing.h"
#include "System/LevelTable.h"
#include "Items/Hazards.h"

#include <gtest/gtest.h>

#include <map>

using namespace TerrainBake;
using namespace TerrainBake::Worlds;

namespace
{
	struct Placed
	{
		WorldDesign d;
		explicit Placed(int level) : d(MakeWorldDesign(level)) {}

		std::vector<Point2> Of(uint16_t type, uint8_t parm3Bit = 0) const
		{
			std::vector<Point2> at;
			for (const FileItem& i : d.items)
				if (i.type == type && (!parm3Bit || (i.parm[3] & parm3Bit)))
					at.push_back({float(i.x) * MAP_TO_UNIT, float(i.z) * MAP_TO_UNIT});
			return at;
		}
		float NearestToRoute(const std::vector<Point2>& spots) const
		{
			float nearest = 1e9f;
			for (Point2 p : spots)
				nearest = std::min(nearest, DistanceFromRoute(d, {p, p}));
			return nearest;
		}
	};
}

TEST(HazardPlacement, TheCityHasEachOfItsHazardsAllOffTheWay)
{
	Placed city(LEVEL_NUM_APOCALYPSE);
	const std::map<uint16_t, float> offRoute = {{45, 1200}, {46, 900}, {67, 800}, {62, 900}, {2, 1800}};
	for (auto [type, room] : offRoute)
	{
		std::vector<Point2> spots = city.Of(type);
		EXPECT_GE(spots.size(), 2u) << "item " << type;
		EXPECT_GE(city.NearestToRoute(spots), room) << "item " << type;
	}
	EXPECT_FALSE(city.Of(45, CRUSHER_ONE_SIDED).empty());
}

TEST(HazardPlacement, CloudTrapDoorsEachCoverAHoleTileOffTheWay)
{
	Placed cloud(LEVEL_NUM_CLOUD);
	std::vector<Point2> doors = cloud.Of(84);
	ASSERT_GE(doors.size(), 2u);
	for (Point2 p : doors)
	{
		float tileX = (std::floor(p.x / TILE) + 0.5f) * TILE, tileZ = (std::floor(p.z / TILE) + 0.5f) * TILE;
		EXPECT_TRUE(cloud.d.tileFlags(tileX, tileZ) & 0x0001) << p.x << ", " << p.z;
		// The tiles round it are solid bridge: the hole is the door's alone.
		EXPECT_FALSE(cloud.d.tileFlags(tileX + TILE, tileZ) & 0x0001);
	}
	EXPECT_GE(cloud.NearestToRoute(doors), 1500);
}

TEST(HazardPlacement, FireAndIceVolcanoSwellsClearOfTheWayAndItsRaftsFloatOnLava)
{
	Placed fireIce(LEVEL_NUM_FIREICE);
	std::vector<Point2> volcano = fireIce.Of(88);
	ASSERT_EQ(volcano.size(), 1u);
	float fromRoute = fireIce.NearestToRoute(volcano);
	EXPECT_GT(fromRoute, VOLCANO_SWELL_RADIUS);			// the swell never lifts the robot on the way
	EXPECT_LT(fromRoute, VOLCANO_TRIGGER_RANGE);		// but passing sets it off
	EXPECT_FALSE(fireIce.Of(97).empty());
	EXPECT_FALSE(fireIce.Of(98).empty());
}

TEST(HazardPlacement, SaucerCountryTowersAndTurretsLineTheTourWithoutStandingOnIt)
{
	Placed saucer(LEVEL_NUM_SAUCER);
	std::vector<Point2> towers = saucer.Of(102), turrets = saucer.Of(104);
	EXPECT_GE(towers.size(), 3u);
	EXPECT_GE(turrets.size(), 2u);
	EXPECT_GE(saucer.NearestToRoute(towers), 800);
	EXPECT_GE(saucer.NearestToRoute(turrets), 1300);
	EXPECT_LT(saucer.NearestToRoute(turrets), TURRET_RANGE);		// in range as the saucer passes
	bool drifters = false;
	for (const FileSpline& s : saucer.d.splines)
		for (const FileSplineItem& i : s.items)
			drifters |= i.type == 103;
	EXPECT_TRUE(drifters);
}
