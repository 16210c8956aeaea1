// The brain alien, the standard enemy of most levels, and its elite cousin
// that the alien portals send out: they walk or run at the robot, bite it up
// close, fire zaps from their heads at range, reel when hit, freeze, and
// spill atoms when they die.
#pragma once

#include "System/Objects.h"

struct CreatureKind;

constexpr int BRAINALIEN_LIMIT = 6;				// more than this alive: items without the always-add bit wait
constexpr float BRAINALIEN_HEALTH = 0.7f;
constexpr float BRAINALIEN_DAMAGE = 0.1f;
constexpr float ELITE_HEALTH = 1.5f;
constexpr float ELITE_DAMAGE = 0.2f;
constexpr float ELITE_EMERGE_TIME = 1.2f;		// seconds walking out of its portal while it fades in
constexpr float BRAINALIEN_ZAP_DAMAGE = 0.08f;

// The kinds (CreatureKit.h). The brain alien: item 7 and its spline row (a
// patroller is not counted and harmless until the robot comes near and it
// leaves the loop). The elite walks out of a portal (AlienPortal.cpp), counted.
extern const CreatureKind kBrainAlienKind;
extern const CreatureKind kEliteBrainAlienKind;
// The free move routine of both kinds (for DetachEnemyFromSpline).
void MoveBrainAlien(ObjNode* alien);
// A zap leaving the alien's head along its heading.
ObjNode* ShootBrainAlienZap(ObjNode* alien);
void MoveBrainAlienZap(ObjNode* zap);
