// The robot in a creature's grip: caught in one of the held states, placed
// every frame by its captor (the captor's joint drives the robot's whole
// transform, so it hangs in the jaws at the captor's size), and thrown free
// with a speed that the robot's speed limit must not clip.
#pragma once

#include "System/Math.h"

// The robot is caught and held in `anim` (a held state of the robot): it
// stops and its own moves leave it alone until it is thrown or dies.
void CatchPlayer(int anim);
// The robot is held in `anim` right now (alive, and not yet let go).
bool IsPlayerHeldIn(int anim);
// The captor places the robot: its transform (scale and all) and its position.
void PlacePlayerInGrip(const OGLMatrix4x4& transform, const OGLPoint3D& where);
// The robot flies off at `velocity` in its thrown state, its speed limit
// raised to `maxSpeed` until it slows again, with a swoosh.
void ThrowPlayerFree(const OGLVector3D& velocity, float maxSpeed);
