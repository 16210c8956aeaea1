// What creatures do to the robot's own state when they catch him: hold him
// (a grab: he hangs where the holder puts him), let him go to get up, or
// flatten him. The player module owns the states; these are the doors other
// modules use instead of reaching into them.
#pragma once

#include "System/Math.h"

// The robot is held (PLAYER_ANIM_GRABBED): no control, no hits, placed by the holder.
void PlayerStartHeld();
// The holder puts him here facing `heading` (every frame while it holds him).
void PlacePlayerHeld(const OGLPoint3D& where, float heading);
bool IsPlayerHeld();
// Let go: he stands up (PLAYER_ANIM_GETUP), his horizontal motion stopped.
void PlayerLetGoToGetUp();
// Squashed flat (PLAYER_ANIM_FLATTENED) unless he already is.
void FlattenPlayer();
