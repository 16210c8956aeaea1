// Blobs: slime creatures of the slime world and the slime boss arena. A
// blob's Health is its warmth: the freeze gun chills it, and a chilled-through
// blob stands frozen and solid for a while, when a stun shot, a punch or a
// nova bursts it; the same hits on a warm blob only warm it up again. A
// burst blob leaves goo of its colour that the robot may take, and goo left
// lying long enough swells back into a small blob that grows to full size.
// Where the level lets them (LEVEL_RULE_BLOBS_CHASE), full-grown warm blobs
// chase the robot; a touch slows him and eats at his health.
#pragma once

#include "System/Objects.h"

#include <cstdint>

struct TerrainItemEntryType;

// Blob colours (a blob item's parm[0]); each one's goo releases atoms of
// that colour (health, fuel, exit charge).
enum : uint8_t
{
	BLOB_COLOR_RED = 0,
	BLOB_COLOR_GREEN = 1,
	BLOB_COLOR_BLUE = 2,
	NUM_BLOB_COLORS = 3,
};

//
// Tunables
//

constexpr int BLOB_LIMIT = 5;					// more blobs than this: items without the always-add bit wait
constexpr int GOO_REGROW_LIMIT = 6;				// goo only becomes a blob while fewer than this live
constexpr float BLOB_SCALE = 2.4f;				// full size
constexpr float BLOB_NEWBORN_SCALE = 0.24f;		// the size goo grows back into
constexpr float BLOB_GROW_RATE = 0.5f;			// scale per second up to full size
constexpr float BLOB_DAMAGE = 0.12f;			// health per second of touching
constexpr float BLOB_FREEZE_COST = 0.55f;		// warmth a freeze shot takes
constexpr float BLOB_WARM_GAIN = 0.5f;			// warmth a stun shot, punch or nova gives a warm blob
constexpr float BLOB_FROZEN_TIME = 4.0f;		// seconds frozen and solid
constexpr float BLOB_THAW_RATE = 0.1f;			// warmth per second once thawing
constexpr float BLOB_CHASE_SPEED = 170.0f;		// units per second at full warmth
constexpr float BLOB_CHASE_TURN = 2.4f;			// radians per second at full warmth
constexpr float BLOB_CHASE_RANGE = 2500.0f;		// units: farther from the robot it stops
constexpr float BLOB_TOUCH_FRICTION = 3.5f;		// the touched robot loses this × his speed per second
constexpr float BLOB_ALPHA = 0.85f;
constexpr int GOO_PIECES = 5;					// what a burst blob leaves
constexpr float GOO_SCALE = 0.8f;
constexpr float GOO_GRAVITY = 1500.0f;			// units per second²
constexpr float GOO_REST_MIN = 6.0f;			// seconds lying before it swells
constexpr float GOO_REST_MAX = 11.0f;
constexpr float GOO_SWELL_RATE = 0.5f;			// Health per second while swelling
constexpr uint32_t CTYPE_GOO = 0x10000;			// class bit of goo

// Blob skeleton animations.
enum
{
	BLOB_ANIM_WOBBLE = 0,
	BLOB_ANIM_SQUISH = 1,		// chasing
	BLOB_ANIM_LUNGE = 2,		// at the robot up close
	BLOB_ANIM_SPLAT = 3,		// bursting
	NUM_BLOB_ANIMS = 4
};

// Item 30: a blob of colour parm[0]; skipped at the enemy cap or, unless
// parm[3] has the always-add bit, while more than BLOB_LIMIT blobs live. A
// colour past 2 stops with a message naming the item.
bool AddBlob(TerrainItemEntryType* item, float x, float z);
// A full-grown blob of `color` on the ground at (x, z), counted.
ObjNode* MakeBlob(float x, float z, int color);
void MoveBlob(ObjNode* blob);
// The blob's tint from its colour and warmth (a frozen one is white).
void SetBlobColor(ObjNode* blob);
// Bursts the blob into GOO_PIECES of goo; it is gone for good.
void KillBlob(ObjNode* blob);
// Live blobs (the counter of their enemy kind).
int CountBlobs();
bool IsBlobFrozen(const ObjNode* blob);

// A piece of goo of `color` flung from `where` with `delta`.
ObjNode* MakeGoo(const OGLPoint3D& where, const OGLVector3D& delta, int color);
void MoveGoo(ObjNode* goo);
