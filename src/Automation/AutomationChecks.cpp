// Frame invariants of automated runs.
#include "Automation/AutomationChecks.h"
#include "System/Level.h"
#include "System/Objects.h"
#include "Enemies/Enemy.h"
#include "Player/Player.h"
#include "Terrain/SuperTile.h"

#include <cmath>

static bool IsGauge(float v)
{
	return v >= 0 && v <= 1;		// false for NaN too
}

const char* FindBrokenPlayInvariant(const PlayInvariantView& view)
{
	if (view.hasPlayer)
	{
		for (float p : view.position)
			if (!std::isfinite(p))
				return "player position is finite";
		for (float v : view.velocity)
			if (!std::isfinite(v))
				return "player velocity is finite";
	}
	if (!IsGauge(view.exitCharge))
		return "exit charge is within 0..1";
	if (!IsGauge(view.health))
		return "health is within 0..1";
	if (!IsGauge(view.fuel))
		return "jump-jet fuel is within 0..1";
	if (view.nodesInUse >= view.nodeCapacity)
		return "object nodes are not exhausted";
	if (view.freeSuperTiles <= 0)
		return "supertile pool is not exhausted";
	if (!view.enemyCountersMatch)
		return "enemy counters equal the live counted enemies";
	return nullptr;
}

PlayInvariantView GetPlayInvariantView()
{
	PlayInvariantView view;
	const ObjNode* node = gPlayerNode;
	if (node && node->CType != INVALID_NODE_FLAG)
	{
		view.hasPlayer = true;
		view.position[0] = node->Coord.x;
		view.position[1] = node->Coord.y;
		view.position[2] = node->Coord.z;
		view.velocity[0] = node->Delta.x;
		view.velocity[1] = node->Delta.y;
		view.velocity[2] = node->Delta.z;
	}
	view.exitCharge = gLevel.exitCharge;
	view.health = gRun.health;
	view.fuel = gRun.fuel;
	view.nodesInUse = gObjectCount;
	view.nodeCapacity = MAX_NODES;
	view.freeSuperTiles = gFreeSuperTileCount;
	int perKind[NUM_ENEMY_KINDS], total;
	TallyCountedEnemies(perKind, &total);
	view.enemyCountersMatch = total == gNumEnemies;
	for (int k = 0; k < NUM_ENEMY_KINDS; k++)
		view.enemyCountersMatch = view.enemyCountersMatch && perKind[k] == gNumEnemyOfKind[k];
	return view;
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZAPP_HEAP_FROM_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZAPP_HEAP_FROM_SANITIZER 1
#endif

#ifdef ZAPP_HEAP_FROM_SANITIZER
#include <sanitizer/allocator_interface.h>
size_t HeapBytesInUse()
{
	return __sanitizer_get_current_allocated_bytes();
}
#else
#include <malloc.h>
size_t HeapBytesInUse()
{
	return mallinfo2().uordblks;
}
#endif
