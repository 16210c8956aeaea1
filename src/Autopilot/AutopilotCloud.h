// What the autopilot knows of the cloud city's circus, as a player learns it:
// a strong man shrugs off fists, takes many stun shots, and grabs, lifts and
// hurls down a robot that stands within his reach in front of him; he walks
// slower than the robot runs. So it keeps out of his reach and runs on past
// him rather than stand and fight.
// GL-free glue between the game's nodes and the autopilot's dangers.
#pragma once

#include "Autopilot/AutopilotDangers.h"

#include <vector>

struct ObjNode;

constexpr float AUTOPILOT_STRONGMAN_DANGER = 350.0f;	// units: his grab (150) and the steps he takes toward the robot meanwhile

// The strong men's reaches round the player.
void GatherCloudAutopilotDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers);
// False for a creature that is run past, never fought (a strong man).
bool IsCloudCreatureWorthFighting(const ObjNode* enemy);
