// The ruined city's foot soldiers. The mutant is a glowing brute that closes
// in and punches; it also climbs out of a grave when a saucer beams at the
// grave stone. The mutant robot walks or runs into range and fires bursts of
// bolts from its arm cannon while the robot stays in front of it.
#pragma once

#include "System/Objects.h"

struct CreatureKind;

enum MutantAnim : int
{
	MUTANT_ANIM_STAND = 0,
	MUTANT_ANIM_WALK,
	MUTANT_ANIM_PUNCH,					// Flag[0] when the blow lands
	MUTANT_ANIM_HURT,
	MUTANT_ANIM_GROW,					// climbing out of its grave
	NUM_MUTANT_ANIMS
};
enum { MUTANT_JOINT_FIST = 10 };

enum MutantRobotAnim : int
{
	MUTANTROBOT_ANIM_STAND = 0,
	MUTANTROBOT_ANIM_WALK,
	MUTANTROBOT_ANIM_AIM,				// not used by the game
	MUTANTROBOT_ANIM_SHOOT,
	MUTANTROBOT_ANIM_HURT,
	MUTANTROBOT_ANIM_RUN,
	NUM_MUTANTROBOT_ANIMS
};
enum { MUTANTROBOT_JOINT_CANNON = 4, MUTANTROBOT_JOINT_EXHAUST = 15 };

constexpr int MUTANT_LIMIT = 7;					// more alive than this: items without the always-add bit wait
constexpr int MUTANTROBOT_LIMIT = 7;
constexpr float MUTANT_SCALE = 1.2f;
constexpr float MUTANT_HEALTH = 1.0f;
constexpr float MUTANT_DAMAGE = 0.33f;
constexpr float MUTANT_RISE_START_SCALE = 0.08f;	// a risen mutant grows from this
constexpr float MUTANT_PUNCH_RANGE = 340.0f;		// units
constexpr float MUTANTROBOT_SCALE = 1.9f;
constexpr float MUTANTROBOT_HEALTH = 1.0f;
constexpr float MUTANTROBOT_DAMAGE = 0.1f;
constexpr float MUTANTROBOT_OPEN_FIRE_RANGE = 400.0f;	// units; once shooting, no limit
constexpr float MUTANTROBOT_SHOT_INTERVAL = 0.2f;	// seconds between bolts
constexpr float MUTANTROBOT_SHOOT_TIME = 3.0f;		// seconds a burst lasts at most
constexpr float MUTANTROBOT_BOLT_SPEED = 1500.0f;	// units per second
constexpr float MUTANTROBOT_BOLT_LIFE = 1.0f;		// seconds
constexpr float MUTANTROBOT_BOLT_DAMAGE = 0.1f;

// The kinds (CreatureKit.h): items 59 and 60 and their spline rows.
extern const CreatureKind kMutantKind;
extern const CreatureKind kMutantRobotKind;

// A mutant climbing out of the ground at (x, z), tiny at first and turned
// toward the robot (counted). Null at the enemy cap or the kind's limit.
ObjNode* RaiseMutantFromGrave(float x, float z);

// Free move routines (for DetachEnemyFromSpline and tests).
void MoveMutant(ObjNode* mutant);
void MoveMutantRobot(ObjNode* robot);
void MoveMutantRobotBolt(ObjNode* bolt);
