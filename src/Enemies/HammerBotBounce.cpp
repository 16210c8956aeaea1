// The hammer bot's squash and stretch: a damped spring toward a shape chosen
// from what the bot is doing, kicked by hard landings.
#include "Enemies/HammerBotBounce.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float MAX_STEP = 0.05f;			// seconds: a long frame is taken in pieces
	constexpr float LANDING_KICK = 0.006f;		// squash rate per unit per second of the fall
}

float HammerBounceTarget(bool smashing, float swing, bool airborne, float rise)
{
	if (smashing)
		return -HAMMERBOUNCE_CROUCH * std::clamp(swing, 0.0f, 1.0f);
	if (airborne)
		return std::clamp(rise / HAMMERBOUNCE_TAKEOFF, -0.5f, 1.0f) * HAMMERBOUNCE_STRETCH;
	return 0;
}

bool StepHammerBounce(HammerBounce& b, float target, float rise, float dt)
{
	const bool landed = b.lastRise < -HAMMERBOUNCE_LANDING_SPEED && rise > -HAMMERBOUNCE_LANDING_SPEED * 0.5f && rise < 1;
	if (landed)
		b.rate += b.lastRise * LANDING_KICK;
	b.lastRise = rise;
	while (dt > 0)
	{
		const float step = std::min(dt, MAX_STEP);
		dt -= step;
		b.rate += (HAMMERBOUNCE_STIFFNESS * (target - b.squash) - HAMMERBOUNCE_DAMPING * b.rate) * step;
		b.squash += b.rate * step;
		if (std::fabs(b.squash) > HAMMERBOUNCE_LIMIT)
		{
			b.squash = std::copysign(HAMMERBOUNCE_LIMIT, b.squash);
			b.rate = 0;
		}
	}
	return landed;
}

OGLMatrix4x4 HammerBounceMatrix(float squash, OGLPoint3D foot)
{
	const float tall = 1 + squash;
	const float wide = 1 / std::sqrt(tall);
	// Scaled about the foot: it stays planted.
	OGLMatrix4x4 m;
	OGLMatrix4x4_SetScale(&m, wide, tall, wide);
	m.value[12] = foot.x * (1 - wide);
	m.value[13] = foot.y * (1 - tall);
	m.value[14] = foot.z * (1 - wide);
	return m;
}
