// Water patches.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

#include <cstdint>

struct ObjNode;

void PrimeWater();

// Sets or clears the node's STATUS_BIT_INWATER for the point; true and the
// patch's index when the point is in water. (Stand-in: there is no water yet.)
bool IsInWater(ObjNode* node, float x, float y, float z, int* patch);
// The water surface at (x, z) when it lies in a patch (y = 0 otherwise). (Stand-in: no water.)
bool GetWaterY(float x, float z, float* y);
