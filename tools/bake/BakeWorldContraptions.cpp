// Where the contraptions stand: the exit lift with the route's way into it,
// the bumper arena's poles, cars and gate, the boats on a round pool with
// their tow handles on its shore, and spiky things by the bubble pumps. Item numbers and parameter
// meanings are the game's item routines' (src/Items/Contraptions.h).
#include "BakeTerrainWorlds.h"
#include "BakeWorldWater.h"

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_SPIKY_POD = 23,		// level model 26, parm[0] quarter turns
			ITEM_SPIKY_STALK = 24,		// level model 27, sized by where it stands
			ITEM_BUBBLE_PUMP = 37,		// parm[0] quarter turns
			ITEM_BUMPER_CAR = 76,		// parm[0] car ID 0 … 3, parm[1] area, parm[3] bit 0: the robot's own
			ITEM_BUMPER_POLE = 80,		// parm[0] pole ID 0 … 7, parm[1] area
			ITEM_BUMPER_GATE = 82,		// parm[0] quarter turns, parm[1] area
			ITEM_EXIT_LIFT = 90,
		};
		constexpr uint8_t PLAYERS_CAR = 0x01;
		// The robot comes to a stop this far short of the lift: inside the
		// range its lid opens at, outside the ice over it.
		constexpr float LIFT_APPROACH = 1100;
	}

	void AddBubblePump(WorldDesign& d, Point2 at, uint8_t quarter)
	{
		d.items.push_back(Item(ITEM_BUBBLE_PUMP, at.x, at.z, quarter));
	}

	void AddExitLift(WorldDesign& d, Point2 site)
	{
		d.items.push_back(Item(ITEM_EXIT_LIFT, site.x, site.z));
	}

	void AddExitLiftGoals(Route& route, Point2 site, Point2 from)
	{
		float dx = from.x - site.x, dz = from.z - site.z, len = Hypot(dx, dz);
		Point2 near{site.x + dx / len * LIFT_APPROACH, site.z + dz / len * LIFT_APPROACH};
		route.push_back(Goal(ROUTE_GOTO, near));
		route.push_back(Goal(ROUTE_CHARGE));
		route.push_back(Goal(ROUTE_EXIT, site));
	}

	void AddBumperArena(WorldDesign& d, int area, Point2 centre, float half, Point2 gate, uint8_t gateQuarter)
	{
		const uint8_t a = uint8_t(area);
		// Poles at the four quarters, far enough in for a car to circle each.
		const float p = half * 0.5f;
		const Point2 poles[] = {{centre.x - p, centre.z - p}, {centre.x + p, centre.z - p}, {centre.x + p, centre.z + p},
				{centre.x - p, centre.z + p}};
		for (int i = 0; i < 4; i++)
			d.items.push_back(Item(ITEM_BUMPER_POLE, poles[i].x, poles[i].z, uint8_t(i), a));
		// The robot's car waits by the gate's side of the floor, just inside
		// the dead band round the edge, so a jump from the band reaches it.
		float gx = gate.x - centre.x, gz = gate.z - centre.z, glen = Hypot(gx, gz);
		Point2 own{centre.x + gx / glen * (half - 620), centre.z + gz / glen * (half - 620)};
		d.items.push_back(Item(ITEM_BUMPER_CAR, own.x, own.z, 0, a, 0, PLAYERS_CAR));
		const Point2 others[] = {{centre.x, centre.z - p}, {centre.x + p, centre.z}, {centre.x, centre.z + p}};
		for (int i = 0; i < 3; i++)
			d.items.push_back(Item(ITEM_BUMPER_CAR, others[i].x, others[i].z, uint8_t(i + 1), a));
		d.items.push_back(Item(ITEM_BUMPER_GATE, gate.x, gate.z, gateQuarter, a));
	}

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

	void AddSpikyThings(WorldDesign& d, Point2 near, float spread, uint8_t quarter)
	{
		d.items.push_back(Item(ITEM_SPIKY_POD, near.x + spread, near.z, quarter));
		d.items.push_back(Item(ITEM_SPIKY_STALK, near.x - spread * 0.7f, near.z + spread * 0.7f));
		d.items.push_back(Item(ITEM_SPIKY_POD, near.x, near.z - spread, uint8_t((quarter + 1) & 3)));
	}
}
