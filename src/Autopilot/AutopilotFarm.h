// What the autopilot knows of the farm's creatures, as a player learns it:
// an onion lunges and grabs what stands in front of it, a tomato leaps at
// what is ahead, a corn's kernels lie where they land and pop, and a tractor
// charges down its heading. The vegetables are slower than the robot, and
// stopping to fight one lets the others close in (a corn takes five punches):
// so it runs past them on its way, out of a lunge or a landing, clear of
// kernels, and out of a charging tractor's lane.
//
// The game glue (like AutopilotJungle.cpp): these read the object list; the
// decisions stay in Autopilot.cpp and AutopilotDangers.cpp.
#pragma once

#include "Autopilot/AutopilotDangers.h"

#include <vector>

struct ObjNode;

// The farm's reaches round the player: kernels about to pop, an onion's
// lunge, a tomato's landing, a tractor's body and its charge lane.
void GatherFarmAutopilotDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers);
// How near an enemy is before the autopilot fights it (AutopilotTarget::engage):
// never for the farm's vegetables, AUTOPILOT_THREAT_RANGE for the rest.
float AutopilotEngageRange(const ObjNode* enemy);
