// Humans and their rescue.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

// Humans rescued in the current level (cleared by InitHumans).
extern int gHumansRescuedTotal;

void InitHumans();
