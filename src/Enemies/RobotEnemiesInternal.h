// What the four machines' files share among themselves: each kind's numbers
// (RobotNumbers, one per kind file), the body and part helpers every kind
// poses with, and each kind's own posing, attack and making. The driving,
// the hits and the blast are the shared file's (RobotEnemies.cpp).
#pragma once

#include "Enemies/RobotEnemies.h"
#include "System/Objects.h"

#include <cstdint>

#include <array>

struct CreatureKind;

// One machine's numbers and the routines that set it apart.
struct RobotNumbers
{
	const CreatureKind* creature = nullptr;		// its kind for the kit: limit, scale, health, damage, hits
	int bodyModel = 0;						// level model of the body; its parts hang on its chain
	float wakeDistance = 0;					// units (fast distance): an idle bot this near the robot starts chasing
	float topSpeed = 0;						// units per second while chasing
	float accel = 0;						// units per second² while chasing
	float turnRate = 0;						// radians per second toward the robot
	float chargeSpeed = 0, chargeAccel = 0;		// the same while charging (drill and swinger bots)
	float coastDecel = 0;					// units per second² of braking while idle
	float gravityIdle = 0, gravityMoving = 0;	// units per second²
	// Chase → charge: less than `chargeAngle` left to turn and nearer than
	// `chargeRange` (0: it never charges), for `chargeTime` seconds, then
	// idle for `chargeRest`.
	float chargeRange = 0, chargeAngle = 0, chargeTime = 0, chargeRest = 0;
	bool turnsWhileCharging = false;
	// Chase → its own mode (the hammer bot's smash): the robot stands where it strikes.
	bool (*lured)(const ObjNode* bot) = nullptr;
	// Its own modes past the chase (the hammer's smash and recovery); none: the charge.
	void (*driveOwnMode)(ObjNode* bot) = nullptr;
	// Each frame after the move: the parts' pose and the kind's attack.
	void (*pose)(ObjNode* bot) = nullptr;
	// After the pose: how it is drawn (the hammer bot's squash and stretch).
	void (*afterPose)(ObjNode* bot) = nullptr;
};

extern const RobotNumbers kArmBotNumbers;
extern const RobotNumbers kHammerBotNumbers;
extern const RobotNumbers kDrillBotNumbers;
extern const RobotNumbers kSwingerBotNumbers;
const RobotNumbers& RobotNumbersOf(uint8_t kind);

// The hit tables (RobotEnemies.cpp).
extern const std::array<WeaponHitHandler, NUM_WEAPON_TYPES> kRobotHitTable;
extern const std::array<WeaponHitHandler, NUM_WEAPON_TYPES> kSwingerBotHitTable;

// Node fields of the body.
enum { ROBOT_TIMER_CHARGE = 0, ROBOT_TIMER_IDLE_WAIT = 1, ROBOT_TIMER_RECOVER = 3 };
// Of the first part: its wobble phase.
enum { ROBOT_PART_PHASE = 2 };

constexpr float ROBOT_ARM_SWING = 0.6f;			// radians either way: the arm and hammer bots' wobble
constexpr float ROBOT_SPLINE_SPEED = 70.0f;		// loop points per second (the hammer bot drives its loop at 140)
constexpr float ROBOT_DETACH_DISTANCE = 1000.0f;	// units, true distance: the robot this near draws one off its loop

// The shared frame of every machine (drive, collide, pose, contact hit).
void MoveRobot(ObjNode* bot);
// The body at (x, z) on the highest surface there: its kind's model, scale,
// health, damage, aim wobble and hit table, idle.
ObjNode* MakeRobotBody(const RobotNumbers& n, float x, float z);
// A part model chained after `tail`.
ObjNode* AddRobotPart(ObjNode* tail, int model);
// The body's box (world units) once its bottom is known; it stands just over the surface below.
void SetRobotBodyBox(ObjNode* bot, float top, float bottom, float side);

// The n-th part on the body's chain (0 the first).
ObjNode* RobotPart(const ObjNode* bot, int n);
// part matrix = its rotation, then its offset, then its parent's matrix.
void PoseRobotPart(ObjNode* part, const OGLMatrix4x4& parent, OGLPoint3D offset, const ObjNode* body);
OGLPoint3D PointOnRobotPart(const ObjNode* part, OGLPoint3D local);
// The robot is in play and not blinking.
bool RobotIsTarget();
bool RobotInBox(OGLPoint3D centre, float half, float bottom, float top);
// A unit horizontal direction from `from` to the robot, turned by `turn` about y.
OGLVector3D DirectionToRobot(OGLPoint3D from, float turn);
// Thrown away from `from` (turned by `turn`) at `speed`, `lift` up.
void ThrowRobotFrom(OGLPoint3D from, float turn, float speed, float lift);
// An effect at a rate of its own; silent where the level did not load its bank.
int16_t PlayRobotEffect(int effect, const OGLPoint3D* where, uint32_t rate, float volume);

// Each kind's posing and attack (its own file).
void PoseArmBot(ObjNode* bot);
void PoseHammerBot(ObjNode* bot);
void PoseDrillBot(ObjNode* bot);
void PoseSwingerBot(ObjNode* bot);

// The drill bot lets go of the robot it skewers (flung off), if it is this one.
void ReleaseDrillBotSkewer(ObjNode* bot);
