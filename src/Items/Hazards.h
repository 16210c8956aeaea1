// Level hazards (the blob boss machine is Items/BlobBoss.h).
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

void ResetWormState();
