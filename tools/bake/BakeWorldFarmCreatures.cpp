// Where the farm's vegetables and its tractor wait: onions, corn and
// tomatoes in little groups off both sides of the dirt track from the first
// fields to the last, and the tractor parked in the yard by the metal gate
// (lure it into the gate and it is wrecked).
#include "BakeTerrainWorlds.h"

namespace TerrainBake::Worlds
{
	namespace
	{
		enum : uint16_t
		{
			ITEM_ONION = 8,
			ITEM_CORN = 9,
			ITEM_TOMATO = 10,
			ITEM_TRACTOR = 15,
		};
	}

	void AddFarmCreatures(WorldDesign& d, const std::vector<Point2>& track, Point2 yard)
	{
		// Along the track (fraction of its length) and to one side of it.
		const struct { float t, side; uint16_t type; } vegetables[] = {
			{0.10f, -900, ITEM_TOMATO}, {0.16f, 950, ITEM_ONION}, {0.25f, -1000, ITEM_CORN},
			{0.36f, 900, ITEM_TOMATO}, {0.43f, -950, ITEM_ONION}, {0.58f, 1000, ITEM_CORN},
			{0.66f, -900, ITEM_ONION}, {0.76f, 950, ITEM_TOMATO}, {0.82f, -1000, ITEM_CORN},
			{0.90f, 900, ITEM_TOMATO},
		};
		for (const auto& v : vegetables)
		{
			Point2 at = AlongPath(track, v.t, v.side);
			d.items.push_back(Item(v.type, at.x, at.z));
		}
		d.items.push_back(Item(ITEM_TRACTOR, yard.x + 1500, yard.z - 1600));
	}
}
