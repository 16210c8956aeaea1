// The player robot.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

#include <cstdint>

struct ObjNode;
extern ObjNode* gPlayerNode;
extern ObjNode* gPlayerHandNodes[2];
extern int gCheckpointNum;
extern int32_t gScore;
void InitPlayerForNewRun();
void InitPlayerAtStartOfLevel();
void ClearPlayerLevelFlags();
void ClearExitBeamArea();
void DrawDeathTransition();
// While set, collision queries about the player answer no (hit recovery).
bool IsPlayerUntouchable();
