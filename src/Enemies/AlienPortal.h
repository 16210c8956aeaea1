// The alien portals of the brain boss's arena: eight gates round the brain
// that send out elite brain aliens while the robot is near. Each can be shot
// down; the brain boss stays shielded while any portal stands.
#pragma once

#include "System/Objects.h"

#include <cstdint>

struct TerrainItemEntryType;

constexpr int NUM_ALIEN_PORTALS = 8;
constexpr float PORTAL_HEALTH = 2.0f;
constexpr float PORTAL_SPAWN_RANGE = 3000.0f;	// units from the robot within which a portal sends elites
constexpr int PORTAL_MAX_ELITES = 4;			// elites alive at once that still let portals spawn

extern bool gPortalDestroyed[NUM_ALIEN_PORTALS];
extern int gNumPortalsDestroyed;

// Level start: every portal standing.
void ResetAlienPortals();
// Item: a portal; parameter 0 is its number (0 … 7) and heading in eighths of a turn.
bool AddAlienPortal(TerrainItemEntryType* item, float x, float z);
void MoveAlienPortal(ObjNode* portal);
