// The hammer bot's body language as it smashes: a crouch as the mallet swings
// down, a stretch as the blow throws it into the air, and a squash that
// springs back when it lands with its weight. Only the drawn shape changes:
// the bot's collision box, its parts' positions for the strike and its path
// stay what the driving code makes them. GL-free: the squash is a matrix the
// drawing side applies.
#pragma once

#include "System/Math.h"

// How far the body is squashed (< 0: shorter and wider) or stretched (> 0).
struct HammerBounce
{
	float squash = 0;
	float rate = 0;				// per second
	float lastRise = 0;			// units per second up, the frame before
};

constexpr float HAMMERBOUNCE_CROUCH = 0.18f;		// squash with the mallet all the way down
constexpr float HAMMERBOUNCE_STRETCH = 0.14f;		// stretch at the hop's take-off speed
constexpr float HAMMERBOUNCE_TAKEOFF = 1000.0f;		// units per second up that give the full stretch
constexpr float HAMMERBOUNCE_LIMIT = 0.32f;			// never squashed or stretched past this
constexpr float HAMMERBOUNCE_LANDING_SPEED = 250.0f;	// units per second down: a landing this hard shows
constexpr float HAMMERBOUNCE_STIFFNESS = 380.0f;	// per second²: the spring back to its shape
constexpr float HAMMERBOUNCE_DAMPING = 11.0f;		// per second: a wobble or two, then still

// The shape the body leans toward: crouching with the mallet's swing
// (`swing` 0 at rest … 1 down) before the hop, stretched by its climb after.
float HammerBounceTarget(bool smashing, float swing, bool airborne, float rise);

// One frame of the spring toward `target`. Returns true when this frame is a
// landing (it was falling hard and has stopped): the squash takes the blow.
bool StepHammerBounce(HammerBounce& b, float target, float rise, float dt);

// The squash as a world-space matrix about the ground point `foot`: taller by
// 1 + squash, its width changed so the volume stays the same.
OGLMatrix4x4 HammerBounceMatrix(float squash, OGLPoint3D foot);
