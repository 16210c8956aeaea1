// Contraptions the robot is carried by or drives: the exit lift that takes
// him off a level sealed under a sheet of ice, the bumper-car arena whose
// electric poles he rams down from a car to switch its floor off and open
// its gate, the pumps whose bubbles float him about, and the boats that tow
// him over the water by a handle. Every part is a level object made from its map item; the shared
// state (the ice, the arenas' pole tables) is rebuilt at every level start.
// GL-free: everything is drawn by the object pass.
#pragma once

#include "Items/SpikyPoints.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;
struct TerrainItemEntryType;
struct SplineItemType;

//
// The exit lift (ExitLift.cpp)
//

constexpr int EXIT_ICE_STRIKES_TO_SHATTER = 4;	// the fourth crack shatters the sheet
constexpr float EXIT_LIFT_OPEN_RANGE = 1200.0f;	// the lid opens for a charged robot this near (x/z)
constexpr float EXIT_LIFT_TAKE_RANGE = 220.0f;	// with the lid up, a robot this near is taken in
constexpr float EXIT_LIFT_LID_RISE = 250.0f;	// units above its rest when open
constexpr float EXIT_LIFT_DONE_HEIGHT = 6000.0f;	// above the terrain: the level is done

// The lift's states (its node's Mode).
enum : uint8_t
{
	EXIT_LIFT_LOCKED,				// ice over it
	EXIT_LIFT_SHUT,					// waiting for a charged robot
	EXIT_LIFT_OPENING,
	EXIT_LIFT_OPEN,
	EXIT_LIFT_CLOSING,				// empty, the robot walked off
	EXIT_LIFT_TAKING,				// the robot drops in toward the lid
	EXIT_LIFT_CLOSING_WITH_ROBOT,
	EXIT_LIFT_TAKING_OFF,
};

// Level start: the ice is whole again and no lift exists.
void InitExitLift();
// Item 90: the lift (base and lid) and, unless it is broken already, the ice over it.
bool AddExitLift(TerrainItemEntryType* item, float x, float z);
// A strike on the ice at (x, z) (the hammering creature's): inside the
// sheet's extent it cracks it, the fourth time shatters it. True when it struck ice.
bool CrackExitIce(float x, float z);
// Test and automation runs whose ice breaker is not in the level: the ice is gone from the start.
void StartWithExitIceBroken();
// Cracks so far (0 … 4) and whether the sheet is gone.
int GetExitIceCracks();
// The ice sheet's extent in x and z while it is there (false once broken or before the lift is made).
bool GetExitIceExtent(float* left, float* right, float* back, float* front);
bool IsExitIceBroken();
// The level's lift while it exists.
ObjNode* GetExitLiftNode();

//
// Bubble pumps and their bubbles (BubblePumps.cpp)
//

constexpr float BUBBLE_PLUNGER_TRAVEL = 50.0f;	// units the plunger goes down in a stroke
constexpr float BUBBLE_LIFETIME = 15.0f;		// seconds a free bubble lasts
constexpr float BUBBLE_CARRY_TIME = 40.0f;		// seconds it carries the robot at most
constexpr float BUBBLE_TAKE_RANGE = 150.0f;		// a free bubble this near the robot (3D) takes him in
constexpr float BUBBLE_CARRY_LIFT = 60.0f;		// the bubble's centre over the carried robot's origin

// Level start: no bubble carries the robot; the plunger trigger is installed.
void InitBubblePumps();
// Item 37: a pump facing parm[0] × 90°, with its plunger (trigger kind 7).
bool AddBubblePump(TerrainItemEntryType* item, float x, float z);
// Trigger kind 7: a mover landing on the plunger starts a stroke (a bubble
// from a stroke begun in the upper half); staying on it holds it down.
bool DoTrig_BubblePump(ObjNode* plunger, ObjNode* mover, uint32_t sides);
// How far down the pump's plunger is, 0 (up) … 1 (down).
float GetBubblePumpStroke(const ObjNode* pump);
// Pops a bubble: a splash, a pop, and a robot inside falls out.
void PopBubble(ObjNode* bubble);
// Pops the bubble the robot floats in (a hit, a button), if any.
void PopPlayerBubble();
ObjNode* GetPlayerBubble();

// Whether `where` lies within `range` of a spike point of any spiky object
// in play (false on levels without the rule).
bool IsNearSpikePoint(const OGLPoint3D& where, float range);

//
// Boats and towing (Boats.cpp)
//

constexpr int MAX_BOATS = 5;					// boat numbers 0 … 4
constexpr float BOAT_SCALE = 4.0f;
constexpr float BOAT_WATER_LIFT = 60.0f;		// the hull's origin above the water surface
constexpr float BOAT_ACCELERATION = 250.0f;		// loop points per second, per second
constexpr float BOAT_TOP_SPEED = 460.0f;		// loop points per second
constexpr float BOAT_PROPELLER_SPIN = -14.0f;	// radians per second about the hull's length
constexpr float TOW_LINE_LENGTH = 150.0f;		// the robot is pulled toward this far behind the boat
constexpr float TOW_PULL = 1.5f;				// speed per unit of distance from that point
constexpr float TOW_MAX_OFFSET = 2000.0f;		// the distance counted at most
constexpr float TOW_CRASH_SPEED = 500.0f;		// hitting something faster than this blows the robot up
constexpr float TOW_LET_GO_SPEED = 2000.0f;		// upward, letting go of the handle
constexpr float TOW_GRAB_TIME = 0.25f;			// seconds from reaching for the handle to holding it

// The boat's states (its node's Mode).
enum : uint8_t
{
	BOAT_WAITING,			// at its placement, engine off
	BOAT_RUNNING,
};

// Level start: no boats, no handle held.
void InitBoats();
// Spline item 35: boat parm[0] on the loop. A number past the last boat, or
// one already on the water, is refused with a message naming the item.
bool PrimeMagnetMonster(int splineNum, SplineItemType* item);
// The boat of that number, or null.
ObjNode* GetBoat(int boatNum);
// Starts the boat of that number (its tow handle was taken). False, with a
// message naming the handle's boat, when there is no such boat.
bool StartBoat(int boatNum);
// The robot's hands close on a tow handle: its boat starts and the handle
// rides in his hands. False (the handle is not kept) when it has no boat.
bool GrabTowHandle(ObjNode* handle);
// The handle the robot holds and the boat towing him, or null.
ObjNode* GetHeldTowHandle();
ObjNode* GetTowingBoat();
// The handle leaves his hands (he let go, crashed or died).
void DropTowHandle();

// The robot's horizontal velocity on the tow line: with u the unit vector
// from the boat to the robot turned by half the steering input, −u × 1.5 ×
// (his distance beyond the point 150 along u, at most 2000). A robot closer
// than that point is pushed back out to it.
OGLVector2D TowPullVelocity(OGLPoint2D boat, OGLPoint2D robot, float steer);

//
// The bumper-car arena (BumperCars.cpp)
//

constexpr int MAX_BUMPER_AREAS = 4;
constexpr int MAX_BUMPER_POLES = 8;			// per area
constexpr int MAX_BUMPER_CARS = 4;				// per area: car IDs 0 … 3
constexpr float BUMPER_POLE_BREAK_SPEED = 1330.0f;	// a car this fast breaks a pole; slower only taps it
constexpr float BUMPER_CAR_MAX_SPEED = 1400.0f;
constexpr float BUMPER_CAR_CONTACT = 396.0f;		// two cars closer than this (x/z) have met
constexpr float BUMPER_CAR_SEPARATION = 399.96f;	// and are put this far apart

// A pole's state.
enum : uint8_t
{
	BUMPER_POLE_LIVE = 0,
	BUMPER_POLE_TOP_BROKEN = 1,
	BUMPER_POLE_OFF = 2,
};

// Level start: reads every pole and car item of the map into the arena
// tables (bad IDs and areas, duplicate poles stop the game with a message
// naming the item).
void InitBumperCars();
// Item 80: a pole, parm[0] its ID, parm[1] its area.
bool AddBumperPole(TerrainItemEntryType* item, float x, float z);
// Item 76: a car, parm[0] its ID (above 3: no car), parm[1] its area; flag
// bit 0 makes it the player's.
bool AddBumperCar(TerrainItemEntryType* item, float x, float z);
// Item 82: the gate of area parm[1].
bool AddBumperCarGate(TerrainItemEntryType* item, float x, float z);
// Trigger kind 17: the robot climbs into his car.
bool DoTrig_BumperCar(ObjNode* car, ObjNode* mover, uint32_t sides);
// Trigger kind 18: a car rams a pole.
bool DoTrig_BumperPole(ObjNode* pole, ObjNode* car, uint32_t sides);

// Whether every pole of the area is off (and so its floor and gate are dead).
bool IsBumperAreaDone(int area);
int GetBumperPolesOff(int area);
int GetBumperPoleCount(int area);
uint8_t GetBumperPoleState(int area, int id);
// The floor under (x, z) is electrified: a tile of a live arena.
bool IsFloorElectrifiedAt(float x, float z);
// The car the robot sits in, or null.
ObjNode* GetPlayerBumperCar();
// The robot sits in `car` (trigger kind 17 or a test); it takes the car's seat.
void PutPlayerInBumperCar(ObjNode* car);
// The robot jumps out (the jump need while in a car).
void LeaveBumperCar();

// Two cars meet: their velocities (x, z in `v1`, `v2`) reflected about the
// line between their centres `p1` → `p2`, then turned along the sum of each
// one's own and the difference of the reflections, both at the mean speed.
void CollideBumperCarVelocities(OGLVector2D p1, OGLVector2D p2, OGLVector2D* v1, OGLVector2D* v2);
