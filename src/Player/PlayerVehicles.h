// The robot in the contraptions that carry him: seated in a bumper car,
// dropped into and carried off by the exit lift, floating in a bubble, towed
// behind a boat, and the shock of an electrified floor. The contraptions (src/Items/Contraptions.h) call these
// to change his state; the state handlers run from the robot's move routine.
#pragma once

#include "System/Math.h"

struct ObjNode;

constexpr float PLAYER_CAR_SEAT_HEIGHT = 90.0f;		// the robot sits this far above his car's origin
constexpr float PLAYER_CAR_JUMP_OUT_SPEED = 2000.0f;	// upward, leaving a car
constexpr float PLAYER_CAR_JUMP_OUT_LIFT = 130.0f;	// placed this much higher to clear the car
constexpr float PLAYER_SHOCK_COUNTDOWN = 1.7f;		// seconds from a floor shock to the robot blowing up
constexpr float PLAYER_LIFT_INVINCIBILITY = 20.0f;	// seconds, once the exit lift takes him
constexpr float PLAYER_BUBBLE_HEIGHT = 300.0f;		// a bubble floats him toward this far above the ground
constexpr float PLAYER_BUBBLE_MAX_SPEED = 400.0f;	// steering a bubble, sideways
constexpr float PLAYER_TOW_TURN_RATE = 11.0f;		// toward the boat
constexpr float PLAYER_SKIM_LIFT = 7000.0f;			// upward, per second, while his feet are in the water
constexpr float PLAYER_SKIM_FEET = 10.0f;			// feet below the surface + this are in it
constexpr float PLAYER_SKIM_MAX_DEPTH = 30.0f;		// deeper than this he is lifted out at once

// The robot takes his seat in `car` (state 28).
void PlayerSitInBumperCar(ObjNode* car);
// He jumps out of his car.
void PlayerJumpOutOfBumperCar();
// The lift with its lid up takes him: he drops toward its centre.
void PlayerDropIntoExitLift(const OGLPoint3D& liftCentre);
// He has landed on the lift's lid: hidden, untouchable, carried to `where`
// each frame by the lift.
void PlayerRideExitLift(const OGLPoint3D& where);
// Landing on a live electrified tile: sparks, a zap, a short countdown
// to being blown up, and the electrocution discharge.
void ElectrocutePlayer(ObjNode* robot);
// The shock takes hold after the robot's state handler (its move routine).
void ApplyPendingPlayerShock(ObjNode* robot);

// A bubble takes him in at `where` (state 18).
void PlayerFloatInBubble(const OGLPoint3D& where);
// His bubble popped: he falls.
void PlayerDropOutOfBubble();

// State handlers (PlayerAnims.cpp's dispatch).
void PlayerStateInBumperCar(ObjNode* node);
void PlayerStateInBubble(ObjNode* node);
// State 19: reaching for a tow handle, then towed behind its boat (over
// water skimming, on land standing) until he lets go, crashes or the lap ends.
void PlayerStateTowed(ObjNode* node);
