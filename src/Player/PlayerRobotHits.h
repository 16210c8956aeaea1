// What the fire-and-ice machines do to the robot: thrown through the air by
// a flail or a spiked arm, flattened under a hammer, and skewered on a drill
// (held, spinning and sliding along it, invincible while held, then flung).
// The machines decide when; these put the robot in the matching state.
#pragma once

#include "System/Objects.h"

constexpr float SKEWERED_INVINCIBILITY = 2.0f;	// seconds, held there every frame on the drill

// Thrown (animation 22): off the ground with `velocity`, its top speed opened up to match.
void PlayerThrownByEnemy(const OGLVector3D& velocity);
// Flattened (animation 16) unless it already is, dead or invincible. True when it was.
bool PlayerFlattenedByEnemy();
// Onto the drill: the held animation, the z-x-y rotation order.
void PlayerSkeweredOnDrill();
// One frame on the drill: at `where`, facing `heading`, rolled by `roll`.
void HoldPlayerOnDrill(const OGLPoint3D& where, float heading, float roll);
// Off the drill: the rotation order and roll back to normal, thrown with `velocity`.
void PlayerReleasedFromDrill(const OGLVector3D& velocity);
