// What the player's files share among themselves.
#pragma once

#include "Player/Player.h"
#include "System/Objects.h"

// Friction per state (units per second per second).
constexpr float FRICTION_STAND = 2700.0f;
constexpr float FRICTION_WALK = 1200.0f;
constexpr float FRICTION_AIR = 400.0f;

constexpr float WALK_START_SPEED = 30.0f;		// speed estimate that starts or keeps a walk
constexpr float WALK_INPUT_GRACE = 0.7f;		// seconds without input before the walk ends
constexpr float JET_MAX_VERTICAL_SPEED = 800.0f;
constexpr float NEAR_GROUND = 15.0f;			// closer than this counts as standing for a jump

// Effects of the robot and its saucers. An effect whose bank the level did
// not load stays silent instead of stopping the game.
int16_t PlayPlayerEffect(int effectNum);
int16_t PlayPlayerEffect3D(int effectNum, const OGLPoint3D* where);

//
// Control and physics (PlayerControl.cpp)
//

// The steering vector turned into a world direction by the camera's heading.
OGLVector2D PlayerSteeringDirection(OGLVector2D input, float cameraLookAngle);
// Movement sub-steps for a horizontal speed over one frame of dt.
int CalcPlayerSubSteps(float speed, float dt);
// Reads the stick and pushes the robot (camera-relative or tank); turns it.
void DoPlayerSteering(ObjNode* node, bool onGround);
bool PlayerHasMoveInput();
void ApplyPlayerFriction(ObjNode* node, float friction);
// Moves gObjCoord by gObjDelta in sub-steps with collisions, ground and water.
void MovePlayerStep(ObjNode* node);
bool IsPlayerOnGround(const ObjNode* node);
// The jump need: jump, jet, or nothing. Returns true when a jump started.
bool DoPlayerJumpControls(ObjNode* node);
void FirePlayerJumpJet(ObjNode* node);
// Each frame of the jet: flame and smoke from the soles (PlayerJetExhaust.cpp).
void PuffJetExhaust(ObjNode* node);
// The punch need: a pick-up or a punch. Returns true when one started.
bool DoPlayerPunchControls(ObjNode* node);
// The punch lands (the punch animation's flag event).
void DoPlayerPunchHit(ObjNode* node);
// The grab closes (the pick-up animations' flag event).
void DoPlayerGrabKeyFrame(ObjNode* node);
// Faces the punch's target or the object being grabbed.
void TurnPlayerTowardTarget(ObjNode* node);
// Turns the node's heading toward `target` by rate × dt of the difference.
void TurnPlayerToward(ObjNode* node, float targetRot, float rate);

//
// Water (PlayerWater.cpp)
//

constexpr float PLAYER_SWIM_DEPTH = 70.0f;		// units below the surface a swimming robot's feet ride

// The kind of water patch `patch` the robot is in (its in-water bit set), or −1.
int GetPlayerWaterKind(const ObjNode* node, int patch);
// Where the robot's feet ride in water of `kind` whose surface is at `surface`.
float PlayerWaterStandHeight(int kind, float surface);
// Once per frame after the movement sub-steps: slime and lava drag and hurt,
// other water starts the swim (when the robot was not in water before).
void DoPlayerWaterEffects(ObjNode* node, int patch, bool wasInWater);
// The swimming state's handler.
void MovePlayerSwimming(ObjNode* node);

//
// States (PlayerAnims.cpp)
//

void MovePlayerRobot(ObjNode* node);
// Changes animation (a short blend) and restarts the state clock.
void SetPlayerAnim(ObjNode* node, int anim, float speed = 1.0f);
int PlayerAnim(const ObjNode* node);

//
// Riding states (PlayerRides.cpp)
//

void HangFromZipLine(ObjNode* node);
// Held overhead: no motion of its own (PlayerHeld.cpp).
void HeldByCreature(ObjNode* node);
void RideRocketSled(ObjNode* node);
void SitInCannon(ObjNode* node);
void FlyFromCannon(ObjNode* node);
// The robot's move routine while a teleporter passes him on.
void MovePlayerTeleporting(ObjNode* node);

//
// Hands (PlayerInit.cpp)
//

void UpdatePlayerHands(ObjNode* node);
void ShowPlayerHands(bool show);

//
// Saucers (PlayerSaucer.cpp)
//

void MakeLandingSaucer();
void ResetPlayerSaucers();
// True while a saucer carries the robot (the robot takes no input and no collisions).
bool IsPlayerInSaucer();
// The exit saucer would open for the robot now (charged, or a level that needs no charge).
bool IsExitCharged();
// The level's exit saucer while it exists (on the saucer level it is the drop zone).
ObjNode* GetExitSaucerNode();

// The player's saucer of the saucer level (PlayerSaucerLevel.cpp).
void InitPlayerSaucer();
// Shot down: its beam goes off and its engine, charge and beam sounds stop.
void SilencePlayerSaucer();
// Back after a respawn: the engine hums again (nothing unless the player is the saucer).
void RestartPlayerSaucerSound();
