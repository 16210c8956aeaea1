// The autopilot at an exit lift sealed under ice. Nothing but a hammer bot's
// smash cracks the ice, and a hammer bot smashes when a robot stands in the
// box some 450 units ahead of it, so a player waits on the ice and lets the
// bot come: each smash lands short of him, on the ice. One that comes too
// close is backed away from so the mallet never reaches him.
#include "Autopilot/Autopilot.h"

#include <cmath>

bool AutopilotWaitForIceBreaker(const AutopilotView& view, float* wantX, float* wantZ)
{
	if (!view.iceSealed || !view.iceBreakerNear)
		return false;
	// Off the ice (or at its edge, where the smashes would miss it) the route
	// leads on toward the lift in its middle.
	bool onIce = view.x > view.iceLeft + AUTOPILOT_ICE_MARGIN && view.x < view.iceRight - AUTOPILOT_ICE_MARGIN
			&& view.z > view.iceBack + AUTOPILOT_ICE_MARGIN && view.z < view.iceFront - AUTOPILOT_ICE_MARGIN;
	if (!onIce)
		return false;
	float awayX = view.x - view.iceBreakerX, awayZ = view.z - view.iceBreakerZ;
	float d = std::hypot(awayX, awayZ);
	*wantX = *wantZ = 0;
	if (d < AUTOPILOT_ICE_BREAKER_TOO_CLOSE && d > 1)
	{
		*wantX = awayX / d * AUTOPILOT_BACK_OFF_SPEED;
		*wantZ = awayZ / d * AUTOPILOT_BACK_OFF_SPEED;
	}
	return true;
}
