// Watching a chase for progress. A player who runs at an atom and finds
// himself pressed against a post, or who follows a creature that keeps
// backing off at his own pace, soon sees he gets no nearer and leaves it be;
// he does not keep running on the spot for the whole of his patience. (No jump
// over what blocks the way: in the clouds the far side of a post can be sky.)
// Watched only where the ground has holes (see AutopilotChaseStalled).
#include "Autopilot/AutopilotInternal.h"

#include <cmath>

namespace
{
	constexpr float CHASE_PROGRESS = 60.0f;		// units nearer the target that count as getting on
	constexpr float CHASE_STALL_TIME = 1.5f;	// seconds without getting on before the target is left be

	// Close enough that standing there is the work itself (a punch, a grab).
	bool IsAtWork(const AutopilotView& view, const AutopilotTarget& t, float d)
	{
		switch (t.kind)
		{
			case AUTOPILOT_TARGET_ENEMY:
				// A creature left be follows and bites: fought for the fight's own patience.
				return true;
			case AUTOPILOT_TARGET_POD:
				return d < AUTOPILOT_PUNCH_REACH;
			case AUTOPILOT_TARGET_PICKUP:
				return d < AUTOPILOT_GRAB_REACH;
			default:
				return false;
		}
	}
}

void AutopilotResetChaseWatch(AutopilotState* state)
{
	state->chaseBest = 1e30f;
	state->chaseStall = 0;
}

bool AutopilotChaseStalled(const AutopilotView& view, const AutopilotTarget& t, AutopilotState* state)
{
	// Only an atom waits where it is: humans wander and creatures fight back,
	// and both are worth the chase's own patience. And only in the clouds,
	// where the way round or over a post may be open sky; on solid ground the
	// route's own detours (the progress watch's jumps and sidesteps) get there.
	if (t.kind != AUTOPILOT_TARGET_ATOM || !view.groundHasHoles)
		return false;
	float d = std::hypot(t.x - view.x, t.z - view.z);
	if (d < state->chaseBest - CHASE_PROGRESS || IsAtWork(view, t, d))
	{
		state->chaseBest = std::min(state->chaseBest, d);
		state->chaseStall = 0;
		return false;
	}
	state->chaseStall += view.dt;
	return state->chaseStall >= CHASE_STALL_TIME;
}
