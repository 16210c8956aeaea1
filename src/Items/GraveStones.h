// Grave stones of the ruined city (item 65): plain scenery that a passing
// saucer can beam at. The beam raises a mutant out of the grave in front of
// the stone; the stone stays. A stone is marked as a raider saucer's seeding
// target (like the farm's sprouts), so the saucer beams at it and leaves
// instead of carrying it off.
#pragma once

#include "System/Objects.h"

struct TerrainItemEntryType;

constexpr uint32_t GRAVE_STONE_SAUCER_TARGET = 0x1000000;	// status bit: a raider saucer may come for it
constexpr int32_t GRAVE_STONE_SEEDS = 1;					// Special[0]: the saucer seeds, it carries nothing off
constexpr float GRAVE_RISE_DISTANCE = 120.0f;				// units in front of the stone the mutant climbs out

// Item 65: the stone (AddSceneryItem's grave stone row) with its beam handler.
bool AddGraveStone(TerrainItemEntryType* item, float x, float z);
// What the saucer's beam does to a stone: a mutant climbs out in front of it
// (none at the enemy cap). True when one rose.
bool RaiseMutantAtGraveStone(ObjNode* stone);
