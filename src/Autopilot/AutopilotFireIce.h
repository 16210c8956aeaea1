// What the autopilot knows of the fire-and-ice creatures, as a player learns
// it: a flamester spins and scatters fire blobs all round when anything comes
// near and shrugs off fists and stun shots, so it is kept clear of and left
// alone; thrown blocks of ice, fire blobs and slime globs are stepped away from.
// GL-free glue between the game's nodes and the autopilot's dangers.
#pragma once

#include "Autopilot/AutopilotDangers.h"

#include <vector>

struct ObjNode;

// The dangers of these creatures and their shots round the player.
void GatherFireIceDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers);
// False for a creature a fist passes through (a flamester).
bool IsFireIceCreatureWorthPunching(const ObjNode* enemy);
