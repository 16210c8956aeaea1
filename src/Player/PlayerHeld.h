// What creatures do to the robot's own state when they catch him. A captor
// catches him in one of his held states, places him every frame (its joint
// drives his whole transform, so he hangs in its grip at its size), and ends
// the hold one of two ways: he is thrown free with a speed his speed limit
// must not clip, or he is let go to stand up where he is. Flattening is the
// other thing a creature does to him. The player module owns the states;
// these are the doors other modules use instead of reaching into them.
#pragma once

#include "System/Math.h"

// The robot is caught and held in `anim` (a held state of the robot): he
// stops, drops what he carries, and his own moves leave him alone until he
// is let go, thrown, or dies.
void CatchPlayer(int anim);
// The robot is held in `anim` right now (alive, and not yet let go).
bool IsPlayerHeldIn(int anim);
// The robot is in any creature's grip right now (a second captor keeps off).
bool IsPlayerHeld();
// The captor places the robot: its transform (scale and all) and its position.
void PlacePlayerInGrip(const OGLMatrix4x4& transform, const OGLPoint3D& where);
// The captor places the robot upright at `where` facing `heading` (his own
// scale): a grip that only carries him, without tilting him.
void PlacePlayerUpright(const OGLPoint3D& where, float heading);
// The robot flies off at `velocity` in its thrown state, its speed limit
// raised to `maxSpeed` until it slows again, with a swoosh.
void ThrowPlayerFree(const OGLVector3D& velocity, float maxSpeed);
// Let go where he is: he stands up (PLAYER_ANIM_GETUP), horizontal motion stopped.
void PlayerLetGoToGetUp();
// Squashed flat (PLAYER_ANIM_FLATTENED) unless he already is.
void FlattenPlayer();
