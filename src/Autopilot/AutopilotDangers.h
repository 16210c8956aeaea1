// Places the autopilot keeps out of: the reach of creatures it cannot beat
// with a fist (a flytrap's snap, a lizard's fire and lunge, a mantis's acid).
//
// Each danger is a sector of a circle: `radius` round (x, z), centred on the
// creature's facing ± `halfAngle` (π for all round). The decisions here are
// GL-free and take no globals (tests drive them with made-up views); which
// creature makes which danger is the game glue's business
// (AutopilotJungle.cpp).
#pragma once

#include "System/Math.h"

#include <vector>

struct ObjNode;
struct AutopilotView;

constexpr float AUTOPILOT_DANGER_MARGIN = 300.0f;		// units beyond a danger's edge where the push starts
constexpr float AUTOPILOT_DANGER_ANGLE_SLACK = 0.35f;	// radians past a sector's side where the push fades out
constexpr float AUTOPILOT_DANGER_WEIGHT = 1.6f;		// a full push against the wanted way: the push wins

struct AutopilotDanger
{
	float x = 0, z = 0;
	float radius = 0;			// units
	float heading = 0;			// radians; the sector's axis is (−sin, −cos) of it, as a creature faces
	float halfAngle = 3.1415927f;
};

// The world-space push away from every danger the point (x, z) is in or
// near: each one contributes up to 1 along the line from its centre, more
// the deeper the point is in it. Zero when clear of all.
OGLVector2D AutopilotDangerPush(const std::vector<AutopilotDanger>& dangers, float x, float z);

// Bends a wanted velocity (units per second) round the view's dangers:
// the part heading into one is dropped, so the robot slides round its edge,
// and a push out of it is added; the speed stays. A robot meant to stand
// still stays still (standing is the route's choice, as in the exit beam).
void BendAwayFromDangers(const AutopilotView& view, float* wantX, float* wantZ);

// The game glue (AutopilotJungle.cpp): the dangers round the player, and
// whether an enemy is worth the fist at all (jungle creatures shrug it off
// until the robot is giant).
void GatherAutopilotDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers);
bool IsWorthPunching(const ObjNode* enemy);
