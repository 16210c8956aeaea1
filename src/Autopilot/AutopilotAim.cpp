// Shooting at a creature as a player does: the robot faces the way it walks,
// and a shot leaves along that facing (the auto-aim only bends it toward
// something already in front). So standing still with a gun drawn shoots
// whatever the robot happened to face. Near the creature it creeps toward it
// until it faces it, and fires only then; farther off it walks at it.
#include "Autopilot/AutopilotInternal.h"
#include "System/Input.h"

#include <algorithm>
#include <cmath>

float AutopilotFacingError(const AutopilotView& view, float tx, float tz)
{
	float ddx = tx - view.x, ddz = tz - view.z;
	float d = std::hypot(ddx, ddz);
	if (d < 1)
		return 0;
	// A heading θ faces (−sin θ, −cos θ).
	float cosOff = (-std::sin(view.heading) * ddx - std::cos(view.heading) * ddz) / d;
	return std::acos(std::clamp(cosOff, -1.0f, 1.0f));
}

void AutopilotShootAt(VirtualInputFrame* frame, const AutopilotView& view, AutopilotState* state, float tx, float tz,
		float standOff)
{
	const float d = std::hypot(tx - view.x, tz - view.z);
	const bool facing = AutopilotFacingError(view, tx, tz) <= AUTOPILOT_AIM_CONE;
	float speed = AUTOPILOT_GO_SPEED;
	if (d < standOff)
		speed = facing ? 0.0f : AUTOPILOT_TURN_CREEP;
	AutopilotSteerToward(frame, view, tx, tz, speed);
	if (facing && d < AUTOPILOT_SHOOT_RANGE && state->punchClock <= 0 && AutopilotPress(frame, *state, NEED_SHOOT))
		state->punchClock = AUTOPILOT_PUNCH_REPEAT;
}
