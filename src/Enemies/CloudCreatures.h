// The circus of the cloud city. The clown blows a bubble from its mouth that
// floats after the robot and bursts on it; the clown fish flies its loop high
// over the clouds and drops a bomb on a robot below, whose blast rings out
// over the ground; the strong man grabs the robot, presses it overhead and
// hurls it down. Level models of the cloud city they use are numbered here
// for the baker too.
#pragma once

#include "System/Objects.h"

struct CreatureKind;

// The cloud city's level models these creatures show.
enum : int
{
	CLOUD_MODEL_FISH_BOMB = 17,			// carried on the fish's joint 0, nose first when it falls
	CLOUD_MODEL_BOMB_FLASH = 18,		// a flat glare on the ground at the blast
	CLOUD_MODEL_SHOCK_RING = 19,		// a flat ring rolling out from the blast
	CLOUD_MODEL_CLOWN_BUBBLE = 20,		// a unit ball, blown up to 70
};

enum ClownAnim : int
{
	CLOWN_ANIM_STAND = 0,
	CLOWN_ANIM_WALK,
	CLOWN_ANIM_BLOW,					// Flag[0] while the breath goes into the bubble
	CLOWN_ANIM_HURT,
	NUM_CLOWN_ANIMS
};
enum { CLOWN_JOINT_MOUTH = 16, CLOWNFISH_JOINT_BOMB = 0 };

enum StrongManAnim : int
{
	STRONGMAN_ANIM_STAND = 0,
	STRONGMAN_ANIM_WALK,
	STRONGMAN_ANIM_LIFT,				// Flag[0] when he throws
	STRONGMAN_ANIM_HURT,
	NUM_STRONGMAN_ANIMS
};
enum { STRONGMAN_JOINT_GRIP = 1 };

constexpr int CLOWN_LIMIT = 6;
constexpr int STRONGMAN_LIMIT = 5;
constexpr float CLOWN_SCALE = 2.2f;
constexpr float CLOWN_HEALTH = 1.0f;
constexpr float CLOWN_DAMAGE = 0.33f;
constexpr float CLOWN_BUBBLE_RANGE = 700.0f;		// units: it blows at a robot this near
constexpr float CLOWN_BUBBLE_FULL = 70.0f;			// the bubble's scale when it is let go
constexpr float CLOWN_BUBBLE_GROWTH = 50.0f;		// scale per second
constexpr float CLOWN_BUBBLE_LIFE = 4.0f;			// seconds afloat
constexpr float CLOWN_BUBBLE_DAMAGE = 0.15f;
constexpr float CLOWNFISH_SCALE = 2.0f;
constexpr float CLOWNFISH_HEALTH = 0.1f;
constexpr float CLOWNFISH_DAMAGE = 0.33f;
constexpr float CLOWNFISH_ALTITUDE = 700.0f;		// units above its loop's ground where it was made
constexpr float CLOWNFISH_DROP_RANGE = 700.0f;		// units: a robot this near gets the bomb
constexpr float CLOWNFISH_RELOAD_DISTANCE = 1400.0f;	// units: reloads only out of view and farther
constexpr float FISH_BOMB_RING_DAMAGE = 0.2f;
constexpr float STRONGMAN_SCALE = 2.0f;
constexpr float STRONGMAN_HEALTH = 2.5f;
constexpr float STRONGMAN_SPLINE_HEALTH = 1.0f;
constexpr float STRONGMAN_DAMAGE = 0.33f;
constexpr float STRONGMAN_GRAB_RANGE = 150.0f;		// units, true distance

// The kinds (CreatureKit.h): items 78 and 81, spline rows 78, 79 and 81.
extern const CreatureKind kClownKind;
extern const CreatureKind kClownFishKind;		// rides its loop only
extern const CreatureKind kStrongManKind;

void MoveClown(ObjNode* clown);
void MoveClownBubble(ObjNode* bubble);
void MoveClownFishOnSpline(ObjNode* fish);
void MoveFishBomb(ObjNode* bomb);
void MoveStrongMan(ObjNode* strongMan);

// The bubble a clown is blowing (null when none).
ObjNode* ClownBubbleBeingBlown(const ObjNode* clown);
// The bomb a clown fish carries (null when none).
ObjNode* FishCarriedBomb(const ObjNode* fish);
// Blows a carried bomb up where it is (the shock ring, flash and wave).
void ExplodeFishBomb(ObjNode* bomb);

// The strong man holding the robot, or null.
ObjNode* StrongManHoldingPlayer();
// Level start: nobody holds the robot.
void ResetStrongMen();
