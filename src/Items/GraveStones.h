// Grave stones of the ruined city (item 65): scenery over a closed grave.
// While the enemies are below their cap, a stone in the robot's sight calls a
// passing raider saucer, as the farm's sprouts do; the saucer comes down,
// beams at the stone for a moment and leaves. The beam raises a mutant out of
// the grave in front of the stone: tiny at first, turned toward the robot, it
// grows to full size, hops out and is then a mutant like any other. The
// stone stays, but its grave is open: it calls no saucer again, and a stone
// made again from its item (the robot came back) finds the grave still open.
#pragma once

#include "System/Objects.h"

struct TerrainItemEntryType;

constexpr float GRAVE_RISE_DISTANCE = 120.0f;				// units in front of the stone the mutant climbs out
constexpr uint16_t ITEM_FLAG_GRAVE_OPEN = 0x0100;			// item flag: its mutant has risen (bit 0 is the in-use mark)

// Item 65: the stone (AddSceneryItem's grave stone row) with its call and its beam handler.
bool AddGraveStone(TerrainItemEntryType* item, float x, float z);
// The stone's move routine: it stands like scenery and, with its grave
// closed and room under the enemy cap, asks for a raider saucer.
void MoveGraveStone(ObjNode* stone);
// Whether the stone's grave still holds its mutant.
bool IsGraveClosed(const ObjNode* stone);
// What the saucer's beam does to a stone with a closed grave: a mutant
// climbs out in front of it and the grave is open for good. None at the
// enemy cap or the mutants' limit (the grave stays closed). True when one rose.
bool RaiseMutantAtGraveStone(ObjNode* stone);
