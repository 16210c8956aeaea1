// Where the fire-and-ice creatures live: flamesters on the volcano's flanks,
// ice cubes on the snowfield round the glacier, squooshies on the slush
// between them; and squooshies on the slime world's blob-hills. All stand
// well away from the way through their world, so a player meets them when he
// explores rather than on his way to the exit.
#include "BakeTerrainWorlds.h"
#include "BakeWorldWater.h"
#include "Enemies/FireIceCreatures.h"
#include "Enemies/RobotEnemies.h"

#include <stdexcept>

namespace TerrainBake::Worlds
{
	namespace
	{
		constexpr uint16_t ITEM_TYPE_SQUOOSHY = 3;
		constexpr uint16_t ITEM_TYPE_FLAMESTER = 49;
		constexpr uint16_t ITEM_TYPE_ICECUBE = 92;

		// Farther than any of them wakes to chase (a flamester walks at 3000).
		constexpr float CLEAR_OF_WAY = 3500;

		void Put(WorldDesign& d, const std::vector<Point2>& way, uint16_t type, Point2 at, const char* world)
		{
			if (DistanceToPath(at.x, at.z, way) < CLEAR_OF_WAY)
				throw std::logic_error(std::string(world) + ": a creature stands too near the way at "
						+ std::to_string(int(at.x)) + ", " + std::to_string(int(at.z)));
			d.items.push_back(Item(type, at.x, at.z, 0, 0, 0, 0));
		}

		// A loop of `radius` round `centre` with one patroller on it, the whole loop clear of the way.
		void Patrol(WorldDesign& d, const std::vector<Point2>& way, uint16_t type, Point2 centre, float radius)
		{
			if (DistanceToPath(centre.x, centre.z, way) < CLEAR_OF_WAY + radius)
				throw std::logic_error("fire and ice: a patrol loop comes too near the way");
			FileSpline loop = CircleLoop(centre, radius);
			loop.items.push_back(SplineItem(type, 0.0f));
			d.splines.push_back(loop);
		}
	}

	void AddFireAndIceCreatures(WorldDesign& d, const std::vector<Point2>& way, Point2 glacier, Point2 volcano)
	{
		const char* world = "fire and ice";
		// Round the volcano, out on its cone where the ash lies.
		Put(d, way, ITEM_TYPE_FLAMESTER, {volcano.x - 4000, volcano.z - 3500}, world);
		Put(d, way, ITEM_TYPE_FLAMESTER, {volcano.x - 3500, volcano.z + 4000}, world);
		Put(d, way, ITEM_TYPE_FLAMESTER, {volcano.x + 1000, volcano.z - 5000}, world);
		// About the glacier, on the side away from the way.
		Put(d, way, ITEM_TYPE_ICECUBE, {glacier.x + 2500, glacier.z - 4000}, world);
		Put(d, way, ITEM_TYPE_ICECUBE, {glacier.x + 3500, glacier.z + 2000}, world);
		Put(d, way, ITEM_TYPE_ICECUBE, {glacier.x + 2000, glacier.z - 8500}, world);
		// The slush between ice and fire.
		Put(d, way, ITEM_TYPE_SQUOOSHY, {glacier.x + 6000, glacier.z - 10500}, world);
		Put(d, way, ITEM_TYPE_SQUOOSHY, {glacier.x + 7000, glacier.z - 2500}, world);
		// Patrols that leave their loops when the robot comes near.
		Patrol(d, way, ITEM_TYPE_FLAMESTER, {volcano.x - 5000, volcano.z + 1000}, 800);
		Patrol(d, way, ITEM_TYPE_ICECUBE, {glacier.x + 3500, glacier.z - 6500}, 700);
		// The machines drive loops of their own on the basalt and the snow.
		Patrol(d, way, ITEM_TYPE_ARMBOT, {volcano.x - 9000, volcano.z - 6500}, 900);
		Patrol(d, way, ITEM_TYPE_HAMMERBOT, {way[0].x + 5900, way[0].z + 4400}, 900);		// in sight of the landing
		Patrol(d, way, ITEM_TYPE_DRILLBOT, {volcano.x - 4000, volcano.z - 7000}, 800);
		Patrol(d, way, ITEM_TYPE_SWINGERBOT, {glacier.x + 7500, glacier.z + 2500}, 900);
	}

	void AddSlimeSquooshies(WorldDesign& d, const std::vector<Point2>& causeway, const std::vector<Point2>& spots)
	{
		for (Point2 at : spots)
			Put(d, causeway, ITEM_TYPE_SQUOOSHY, at, "slime");
	}
}
