// Rides and contraptions.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

void InitZipLines();
void InitTeleporters();
void ClearRideItemPointers();
