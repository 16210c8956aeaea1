// The enemy framework.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

constexpr int ENEMY_LIMIT = 20;		// enemies alive at once; items wait while it is reached

extern int gNumEnemies;				// counted live enemies
extern int gMaxEnemies;

// Zeroes the counters and sets the limit.
void InitEnemyManager();
