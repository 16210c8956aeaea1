// The autopilot's shared steering and pressing helpers (Autopilot.cpp), for
// the behaviours kept in files of their own (AutopilotBoss.cpp).
#pragma once

#include "Autopilot/Autopilot.h"

// A need pressed this frame: only after a frame with it released, as a key
// would. False when it has to wait a frame for the release.
bool AutopilotPress(VirtualInputFrame* frame, const AutopilotState& state, int need);
// Stick toward a wanted world velocity (units per second).
void AutopilotSteerForVelocity(VirtualInputFrame* frame, const AutopilotView& view, float wantX, float wantZ);
// Inside or near a danger (AutopilotDangers.h): steers straight out at a run
// and says so; false (nothing steered) when clear of all.
bool AutopilotStepOutOfDanger(VirtualInputFrame* frame, const AutopilotView& view);
// Stick toward a point at a wanted speed.
void AutopilotSteerToward(VirtualInputFrame* frame, const AutopilotView& view, float tx, float tz, float speed);
// Along the leg to the current goal's place, with the progress watch and its
// recoveries (short of the goal's own reach).
void AutopilotGoForGoal(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state);
// The current goal is done: on to the next (or the route is done).
void AutopilotNextGoal(const Route& route, const AutopilotView& view, AutopilotState* state);

// A boss goal on a boss level: go to its place and shoot down every boss
// part round it, with a weapon that hurts it and only while a hit would
// count; done when none is left there (AutopilotBoss.cpp).
void FightBoss(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state);
// Whether, at a boss goal, a boss part near its place can be shot now.
bool HasBossShot(const Route& route, const AutopilotView& view, const AutopilotState& state);

// How far off the robot's facing (radians, 0 … π) the point (tx, tz) lies.
float AutopilotFacingError(const AutopilotView& view, float tx, float tz);
// With a gun drawn, at a creature at (tx, tz) (AutopilotAim.cpp): walks at
// it, and inside `standOff` creeps only while it does not face it (the walk
// is what turns the robot); fires while facing it and in range.
void AutopilotShootAt(VirtualInputFrame* frame, const AutopilotView& view, AutopilotState* state, float tx, float tz,
		float standOff);
// A snipe goal: go to its spot, then from there shoot down the boss part
// standing at the goal's target point; done once it is gone (AutopilotSnipe.cpp).
void Snipe(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state);
// A boss part the held weapon cannot hurt: steps to the next weapon (true: the
// frame is spent on that, no shot).
bool AutopilotCycleToBossWeapon(VirtualInputFrame* frame, const AutopilotTarget& target, AutopilotState* state);
// Radians the player still has to turn, left positive, to face (tx, tz).
float AutopilotTurnLeft(const AutopilotView& view, float tx, float tz);
// The charge goal (AutopilotCharge.cpp): waits, out of any creature's reach,
// for the exit's charge; short of it for a while, walks the way back and
// forth for atoms, then picks the route up again from the leg it is on.
void AutopilotWaitForCharge(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state);

// After a lost life (AutopilotRespawn.cpp). Whether a goal is part of the
// route's way (walked, jumped, jetted or ridden) rather than a task done there.
bool IsRouteWayGoal(RouteVerb verb);
// Whether a goal is a fight with a boss part (won once it is down for good).
bool IsRouteFightGoal(RouteVerb verb);
// While walking the route again: a task goal done before is passed over (over
// open sky any task, on solid ground a fight; true when it moved on to the
// next goal this frame).
bool AutopilotSkipsDoneTask(const Route& route, const AutopilotView& view, AutopilotState* state);

// Chasing a target (AutopilotChaseWatch.cpp): true once the robot has got no
// nearer to it for a while, short of working on it (punching, grabbing,
// shooting): blocked, or following something as fast as itself.
bool AutopilotChaseStalled(const AutopilotView& view, const AutopilotTarget& t, AutopilotState* state);
// A new chase: the watch above starts afresh.
void AutopilotResetChaseWatch(AutopilotState* state);
