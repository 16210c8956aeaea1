// The player: the robot (or, on the saucer level, the player's saucer), its
// controls and physics, its animation-driven states, damage, death and the
// respawn behind the closing shutters, and the saucers that bring the robot
// into a level and carry it away.
#pragma once

#include "Player/Weapons.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;

//
// Tunables
//

constexpr float PLAYER_NODE_SCALE = 1.2f;
constexpr float PLAYER_BASE_MAX_SPEED = 900.0f;
constexpr float PLAYER_JUMP_SPEED = 1800.0f;
constexpr float PLAYER_JUMPJET_COST = 0.1f;
constexpr float PLAYER_HIT_INVINCIBILITY = 2.5f;
constexpr float PLAYER_KNOCKBACK_SPEED = 1000.0f;
constexpr float PLAYER_MAX_SUBSTEP_TRAVEL = 15.0f;		// units per movement sub-step
constexpr int PLAYER_MAX_SUBSTEPS = 64;				// a sane speed never needs more
constexpr uint8_t PLAYER_START_LIVES = 4;
constexpr uint16_t PLAYER_SLOT = 200;
constexpr uint16_t PLAYER_HAND_SLOT = 3000;

// Collision classes the robot resolves against every sub-step.
constexpr uint32_t PLAYER_COLLISION_MASK = 0x9450;		// trigger, misc, hurt-me, fence, enemy
// Obstacle bits the robot's collisions look at.
constexpr uint32_t CTYPE_PLAYER_BLOCKER = 0x00800000;	// pushes the robot back to its old x/z
constexpr uint32_t CTYPE_BURNS_PLAYER = 0x00020000;	// a hurt-me obstacle that also sets it alight
constexpr uint32_t CTYPE_DROPS_RIDER = 0x04000000;		// a platform whose speed a jump does not inherit
constexpr uint32_t CTYPE_PICKUP_MESSAGE = 0x00010000;	// a pick-up that shows a message when grabbed

// Kinds of death.
enum : uint8_t
{
	DEATH_KIND_WORN_OUT = 0,
	DEATH_KIND_BLOWN_UP = 1,
	DEATH_KIND_FELL = 2,
	DEATH_KIND_SAUCER = 3,
};

//
// State
//

// The run: kept from level to level, what a saved game holds and the state
// hash reads. InitPlayerForNewRun starts it afresh, or from a loaded game.
struct RunState
{
	int32_t score = 0;
	uint8_t lives = PLAYER_START_LIVES;
	float health = 1;								// 0..1
	float fuel = 0;									// jump-jet fuel, 0..1
	// Refilled with the fist alone at each level start (a loaded game's own
	// inventory replaces it once); a save keeps what the level ended with.
	WeaponSlot weapons[MAX_WEAPON_SLOTS] = {};
	int16_t currentWeapon = WEAPON_FIST;			// the fist after a reset; -1 only briefly while a weapon runs out
	bool usedCheats = false;						// a cheat was used this run
	// Set by loading a saved game: the next run keeps the loaded score,
	// lives, health and fuel (InitPlayerForNewRun clears it).
	bool resumingSavedGame = false;
	bool fromSavedGame = false;						// the run in progress began from a saved game
	int32_t loadedGameScore = 0;					// what the loaded game started with (the high-score entry compares against it)
};
extern RunState gRun;

// The robot in the current level: what the rest of the game reads of it
// beyond its node, and its own per-level flags and timers. Every member's
// start value is its default; ClearPlayerLevelFlags assigns a fresh one.
struct PlayerLevelState
{
	OGLPoint3D coord = {};							// what the camera follows
	float stateTimer = 0;							// seconds in the current state; the camera's free orbit parks it far below 0
	float stateClock = 0;							// seconds in the current state, for the states' own timing
	float timeSinceMoveInput = 100;					// seconds since the stick last moved
	float burnTimer = 0;							// smoke rises from the robot while > 0
	float stateCountdown = 0;						// per-state countdown (get-up, stun, death countdown, skid)
	bool jetQueued = false;							// a jump-jet press waits for the jump to slow down
	ObjNode* ridingNode = nullptr;					// the contraption being ridden (none yet)
	OGLPoint3D punchPoint = {};						// while a punch handler runs: where the fist is
	OGLPoint3D cameraFrom = {};						// where the camera put itself this frame
	OGLPoint3D cameraTo = {};

	bool isDead = false;
	float invincibleTimer = 0;						// seconds the robot shrugs hits off
	float deathTimer = 0;							// seconds until the shutters close on a dead robot
	float checkpointX = 0, checkpointZ = 0, checkpointRot = 0;	// where a respawn puts him
	int checkpointNum = -1;							// the last checkpoint touched, -1 before the first
	ObjNode* heldObject = nullptr;					// what he carries overhead
	float heightAboveGround = 0;					// feet over the terrain, after the last movement step
	float baseMaxSpeed = PLAYER_BASE_MAX_SPEED;		// units per second
	float maxSpeed = PLAYER_BASE_MAX_SPEED;			// units per second; a boost above the base wears off as he slows
	bool canUseJumpJet = false;
	float scale = 1;								// his size over the normal one (the growth power raises it)
	float slipperiness = 0;							// 0 (grip) .. 1 (ice) under his feet
};
extern PlayerLevelState gPlayerLevel;

// The robot's nodes, made with him and gone with the level.
extern ObjNode* gPlayerNode;
extern ObjNode* gPlayerHandNodes[2];
// Camera-relative steering (the default) or tank steering.
extern bool gPlayerTankControls;

//
// Set-up
//

// A fresh gRun (health 1, score 0, lives 4, fuel 0) unless a saved game is
// being resumed, which keeps the loaded score, lives, health and fuel.
void InitPlayerForNewRun();
// The level's player: the terrain window at the start, then the robot (level
// 2), the player's saucer (level 8) or the landing saucer carrying the robot.
void InitPlayerAtStartOfLevel();
// The robot standing at (x, z) facing `rot`, with its hands.
ObjNode* MakePlayerRobot(float x, float z, float rot, float scale = PLAYER_NODE_SCALE);
void ClearPlayerLevelFlags();
// Item: the exit saucer, waiting closed until the exit is charged (heading
// parm[0] × 45°).
struct TerrainItemEntryType;
bool AddExitSaucer(TerrainItemEntryType* item, float x, float z);
// Level clean-up: forget the exit saucer's beam area.
void ClearExitBeamArea();
// The four corners (x, z) of the exit saucer's beam area; all 0 while there is none.
const OGLPoint2D* GetExitBeamArea();
// While true the player's box, point and segment tests find nothing (the robot
// is hidden inside a saucer or beamed away).
bool IsPlayerUntouchable();

//
// The player's saucer on the saucer level: its beams and its cargo
//

// A beamed human reached the saucer and joins the cargo (kind 0..4).
void SaucerTakeHumanAboard(int humanType);
// True while the saucer's destroy beam is on and its centre is within the
// hut's Size horizontally (people huts ask this every frame).
bool IsSaucerDestroyBeamOver(const ObjNode* hut);

//
// Rides hand the robot over and take him back (PlayerRides.cpp)
//

// The robot's animation (PLAYER_ANIM_*), −1 without a robot.
int CurrentPlayerAnim();
void PlayerGrabZipPulley(ObjNode* pulley);
// The pulley left the cable: the robot falls.
void PlayerLetGoOfZipPulley();
bool PlayerIsOnZipLine();
void PlayerBoardRocketSled(ObjNode* sled);
bool PlayerIsOnRocketSled();
// The sled crashed: the robot skids on with `velocity`.
void PlayerThrownFromSled(const OGLVector3D& velocity);
// Into the cannon's mouth, facing back out of it.
void PlayerClimbIntoCannon(ObjNode* cannon, const OGLPoint3D& mouth);
bool PlayerIsInCannon();
void PlayerFiredFromCannon(ObjNode* cannon);
// The robot shrinks away, reappears at `arrival` facing `heading` and walks out.
void StartPlayerTeleport(const OGLPoint3D& arrival, float heading);
bool IsPlayerTeleporting();

//
// Damage, death and respawn
//

// True when the hit landed. "PlayerGotHit: no skeleton on player" without a robot skeleton.
bool PlayerGotHit(ObjNode* attacker, float damage);
// True when the robot died of it or was already dead.
bool PlayerLoseHealth(float amount, uint8_t deathKind);
void KillPlayer(uint8_t deathKind);
void ResetPlayerAtCheckpoint();
// The trap door the robot fell through (the nearest within reach when he
// died by falling), kept until he is put back at a checkpoint; null when the
// fall was through no door.
ObjNode* PlayerFallDoor();

//
// The death transition: two shutters close over the screen, a life is taken
// and the robot respawns as they open (or the run ends with no lives left).
//

struct DeathTransition
{
	bool active;
	bool closing;
	float delay;				// seconds before the shutters move
	float position;			// of the left shutter's inner edge, 640 × 480 screen units
};
extern DeathTransition gDeathTransition;

void StartDeathTransition(float delay);
void StopDeathTransition();
// Advances the shutters by dt (the level loop's frame); may respawn the robot or end the run.
void UpdateDeathTransition(float dt);
void DrawDeathTransition();
