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

#include "Autopilot/AutopilotDangers.h"

#include <vector>

struct ObjNode;
struct AutopilotState;
struct AutopilotTarget;
struct AutopilotView;
struct VirtualInputFrame;
struct WeaponSlot;

// The reaches of the mutants winding up a punch round the player.
void GatherCityAutopilotDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers);

// On a level with gunmen (the mutant robot among its creatures): unlit
// checkpoints ahead of the last one lit, near the player, as things to touch.
void GatherCityAutopilotTargets(const ObjNode* player, std::vector<AutopilotTarget>* targets);

// How near a city creature comes before it is fought: farther off with a gun
// drawn that hurts it (shot before its bolts or fists reach); `usual` else.
float AutopilotCityEngageRange(const ObjNode* enemy, float usual);

// On a level with gunmen, with creatures near, changes weapons (next or
// previous, one slot a press; the frame's shot or punch, which the change
// would swallow, is dropped): a gun that hurts the city's creatures for
// them, the fist for brain aliens (it hurts them most, and the gun's shots
// are kept for the gunmen).
void AutopilotArmForCity(const ObjNode* player, AutopilotState* state, VirtualInputFrame* frame);

// The decisions behind it, GL-free: the weapon type wanted from an
// inventory of MAX_WEAPON_SLOTS slots (with a city creature near the stun
// gun, else the arc shot; the fist otherwise), and the press (+1 next, −1
// previous, 0 none) that brings it to hand soonest from `currentType`.
int CityWeaponWanted(const WeaponSlot* inventory, bool cityCreatureNear);
int WeaponChangeToward(const WeaponSlot* inventory, int currentType, int wantedType);
