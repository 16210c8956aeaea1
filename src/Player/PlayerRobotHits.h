// What the fire-and-ice machines do to the robot beyond what every captor
// does (PlayerHeld.h): flattened under a hammer only when he can be, and
// skewered on a drill, where he is held rolled about the drill's axis (the
// z-x-y rotation order), invincible while held, then flung off.
// Throws go through ThrowPlayerFree like every other creature's.
#pragma once

#include "System/Objects.h"

constexpr float SKEWERED_INVINCIBILITY = 2.0f;	// seconds, held there every frame on the drill

// Flattened (animation 16) unless it already is, dead or invincible; stops
// where it stands. True when it was.
bool PlayerFlattenedByEnemy();
// Onto the drill: caught in the held state, the z-x-y rotation order.
void PlayerSkeweredOnDrill();
// One frame on the drill: at `where`, facing `heading`, rolled by `roll`.
// False when the robot is no longer on it (dead, or let go by something else).
bool HoldPlayerOnDrill(const OGLPoint3D& where, float heading, float roll);
// Off the drill: the rotation order and roll back to normal, thrown with `velocity`.
void PlayerReleasedFromDrill(const OGLVector3D& velocity);
// Thrown by a machine's blow at `velocity` (its speed limit opened up to match).
void PlayerThrownByMachine(const OGLVector3D& velocity);
