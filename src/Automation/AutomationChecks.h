// Checks an automated run makes every frame of play (--check-invariants):
// the things that must hold whatever the player does. A broken one stops the
// run with a fatal alert that names it, so a playthrough test fails loudly
// at the frame where it happened instead of somewhere later.
#pragma once

#include <cstddef>
#include <cstdint>

struct PlayInvariantView
{
	bool hasPlayer = false;
	float position[3] = {0, 0, 0};
	float velocity[3] = {0, 0, 0};
	float exitCharge = 0;
	float health = 0;
	float fuel = 0;
	int nodesInUse = 0;
	int nodeCapacity = 0;
	int freeSuperTiles = 0;
	bool enemyCountersMatch = true;		// every enemy counter equals its live counted enemies
};

// The name of the first invariant the view breaks, or nullptr when all hold.
const char* FindBrokenPlayInvariant(const PlayInvariantView& view);

// The view of the running game (the player, gauges and pools).
PlayInvariantView GetPlayInvariantView();

// Bytes the heap has handed out and not yet taken back (the sanitizer's count
// in a sanitized build, the C library's otherwise).
size_t HeapBytesInUse();
