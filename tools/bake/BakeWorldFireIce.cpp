// The fire-and-ice world's machines: the hammer bot that stands guard on the
// ice over the exit lift (its smashes are what crack the ice, so it comes
// back and takes a beating), and robots patrolling the slush and the volcano's
// flanks, off to the sides of the way north so that a player meets them when
// he strays or explores, and the ones near the way come at him one at a time.
#include "BakeTerrainWorlds.h"
#include "Enemies/Enemy.h"
#include "Enemies/RobotEnemies.h"

#include <stdexcept>

namespace TerrainBake::Worlds
{
	namespace
	{
		// The ice over the lift is ±1000 round it; the guard waits well inside,
		// beyond the lift from the way in, so it meets a robot coming onto the ice.
		constexpr float GUARD_BEYOND_LIFT = 450;
		constexpr float GUARD_ASIDE = 200;
		// Robots near the way stand at least this far off it.
		constexpr float CLEAR_OF_WAY = 1900;

		void Put(WorldDesign& d, const std::vector<Point2>& way, uint16_t type, Point2 at, uint8_t options = 0)
		{
			if (DistanceToPath(at.x, at.z, way) < CLEAR_OF_WAY)
				throw std::logic_error("fire and ice: a robot stands too near the way at " + std::to_string(int(at.x)) + ", "
						+ std::to_string(int(at.z)));
			d.items.push_back(Item(type, at.x, at.z, 0, 0, 0, options));
		}
	}

	void AddFireAndIceMachines(WorldDesign& d, const std::vector<Point2>& way, Point2 liftSite, Point2 volcano)
	{
		// The guard: always there, and back after it was destroyed.
		d.items.push_back(Item(ITEM_TYPE_HAMMERBOT, liftSite.x + GUARD_ASIDE, liftSite.z + GUARD_BEYOND_LIFT, 0, 0, 0,
				ENEMY_ITEM_ALWAYS_ADD | ENEMY_ITEM_COMES_BACK));

		// Beside the way: an arm bot on the snowfield east of the lake, a drill
		// bot and a swinger bot on the slush toward the fire.
		Put(d, way, ITEM_TYPE_ARMBOT, AlongPath(way, 0.20f, -2300));
		Put(d, way, ITEM_TYPE_DRILLBOT, AlongPath(way, 0.45f, -3200));
		Put(d, way, ITEM_TYPE_SWINGERBOT, AlongPath(way, 0.70f, -2600));
		// The volcano's flanks: a gang of every kind.
		Put(d, way, ITEM_TYPE_HAMMERBOT, {volcano.x - 6500, volcano.z + 1500});
		Put(d, way, ITEM_TYPE_ARMBOT, {volcano.x - 6000, volcano.z - 2500});
		Put(d, way, ITEM_TYPE_ARMBOT, {volcano.x - 5200, volcano.z + 4200});
		Put(d, way, ITEM_TYPE_DRILLBOT, {volcano.x - 7000, volcano.z + 6000});
		Put(d, way, ITEM_TYPE_SWINGERBOT, {volcano.x - 4000, volcano.z + 7500});
	}
}
