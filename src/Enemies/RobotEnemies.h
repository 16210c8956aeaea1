// The fire-and-ice level's machines (one file each, their shared driving,
// hits and blast in RobotEnemies.cpp): the arm bot that swings a jointed flail,
// the hammer bot that smashes its mallet down (and cracks the ice over the
// exit lift with it), the drill bot that skewers the robot and flings it, and
// the swinger bot whose spiked arms fly out as it speeds up. They have no
// skeletons: each is a body model with a chain of rigid part models that the
// code poses every frame. All four share one way of driving (idle, chase,
// charge or smash), one set of hit handlers and one way of blowing up.
//
// GL-free: the parts are drawn by the object pass like any model node.
#pragma once

#include "System/Objects.h"

#include <cstdint>

struct TerrainItemEntryType;
struct CreatureKind;

// Their item types.
constexpr uint16_t ITEM_TYPE_ARMBOT = 89;
constexpr uint16_t ITEM_TYPE_HAMMERBOT = 93;
constexpr uint16_t ITEM_TYPE_DRILLBOT = 94;
constexpr uint16_t ITEM_TYPE_SWINGERBOT = 95;

// Level models of the robots (the fire-and-ice model file).
enum
{
	LEVEL_MODEL_ARMBOT = 10,			// its shoulder at (0, 4.4, −10)
	LEVEL_MODEL_ARMBOT_ARM = 11,		// from the shoulder to the elbow at (0, 0, −6)
	LEVEL_MODEL_ARMBOT_SEGMENT = 12,	// a flail segment, 5 long along −z
	LEVEL_MODEL_HAMMERBOT = 16,
	LEVEL_MODEL_HAMMERBOT_ARM = 17,		// upright at rest, 70 long
	LEVEL_MODEL_HAMMERBOT_HEAD = 18,
	LEVEL_MODEL_DRILLBOT = 22,
	LEVEL_MODEL_DRILLBOT_DRILL = 23,	// pointing along −z from its hub
	LEVEL_MODEL_DRILLBOT_WHEEL = 24,
	LEVEL_MODEL_SWINGERBOT = 27,
	LEVEL_MODEL_SWINGERBOT_BASE = 28,
	LEVEL_MODEL_SWINGERBOT_HEAD = 29,
	LEVEL_MODEL_SWINGERBOT_TURRET = 30,
	LEVEL_MODEL_SWINGERBOT_ARM = 31,	// hanging from its shoulder, the ball at (0, −150, 0)
};

// The driving modes (the body's Mode).
enum : uint8_t
{
	ROBOT_MODE_IDLE = 0,
	ROBOT_MODE_CHASE = 1,
	ROBOT_MODE_CHARGE = 2,				// drill and swinger bots
	ROBOT_MODE_SMASH = 2,				// hammer bot
	ROBOT_MODE_RECOVER = 3,				// hammer bot
};

constexpr float HAMMERBOT_LURE_DISTANCE = 447.5f;	// units ahead: a robot in the box there draws a smash
constexpr float HAMMERBOT_LURE_HALF = 70.0f;		// the box's half size in x and z
constexpr float HAMMERBOT_DOWN_ANGLE = -PI / 2;		// the arm's x rotation when the mallet is down
constexpr float HAMMERBOT_COMES_BACK_HEALTH = 20.0f;
constexpr float DRILLBOT_HOLD_TIME = 3.0f;			// seconds a skewered robot spins on the drill
constexpr float SWINGERBOT_ARM_LIMIT = PI / 2;		// radians each arm may tilt out

// The kinds (CreatureKit.h): items 89, 93, 94 and 95. The hammer bot's item
// has its own routine: the exit lift's guard does not wait on the cap.
extern const CreatureKind kArmBotKind;
extern const CreatureKind kHammerBotKind;
extern const CreatureKind kDrillBotKind;
extern const CreatureKind kSwingerBotKind;
bool AddHammerBot(TerrainItemEntryType* item, float x, float z);

// Made free at (x, z) (the item routines' core; `comesBack` gives the hammer
// bot its armour). The body is returned; its parts hang on its chain.
ObjNode* MakeArmBot(float x, float z);
ObjNode* MakeHammerBot(float x, float z, bool comesBack);
ObjNode* MakeDrillBot(float x, float z);
ObjNode* MakeSwingerBot(float x, float z);

// Blows it up: debris, shards, puffs, atoms, gone (for good without its comes-back bit).
void DestroyRobotEnemy(ObjNode* bot);

// One frame of the parts' posing on the body as it stands (and the kind's attack on a robot in reach).
void PoseRobotEnemy(ObjNode* bot);
// Where the hammer's face strikes, in the world, for the bot's current pose.
OGLPoint3D HammerBotStrikePoint(const ObjNode* bot);
// How far each swinger arm tilts out for a bot moving at `speed` (radians, ≥ 0).
float SwingerBotArmTilt(float speed);
// The robot the drill bot holds, if any.
ObjNode* GetDrillBotSkewering();
