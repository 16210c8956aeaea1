// The farm level's model numbers that its creatures and the tractor use:
// the game makes them by these numbers and the baker puts them there.
// Free of other includes so the baker can read it next to its own maths.
#pragma once

// Farm level models (BG3D group 1 of level 0).
enum
{
	FARM_MODEL_TRACTOR = 11,			// body; its first geometry is sphere-mapped
	FARM_MODEL_TRACTOR_WHEEL = 12,		// 12, 13 the big rear pair, 14, 15 the small front pair
	FARM_MODEL_CORN_KERNEL = 32,
	FARM_MODEL_POPCORN = 33,
	FARM_MODEL_ONION_RING = 34,			// a layer flying off a dying onion
	FARM_MODEL_ONION_TOP = 35,
	FARM_MODEL_TOMATO_CHUNK = 36,
	NUM_FARM_MODELS = 37,
};
