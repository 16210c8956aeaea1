// What the autopilot knows of the ruined city's mutants, as a player learns
// it: a mutant's punch reaches 340 units in front of it, twice a fist's, and
// takes a third of the health gauge, so walking into a wind-up costs more
// than the fight wins. But a mutant swings slowly and stands open after the
// blow: the robot steps back out of its reach while it winds up and goes in
// with its own fists once the blow is spent (a punched mutant reels and
// cannot swing). Mutants risen from graves are fought the same way; the
// atoms a dead one spills help fill the exit's charge.
//
// The game glue (like AutopilotFarm.cpp): these read the object list; the
// decisions stay in Autopilot.cpp and AutopilotDangers.cpp.
#pragma once

#include "Player/AutopilotDangers.h"

#include <vector>

struct ObjNode;

// The reaches of the mutants winding up a punch round the player.
void GatherCityAutopilotDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers);
