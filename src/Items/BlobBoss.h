// The blob boss machine that ends the slime boss arena: a broad plinth at the
// arena's centre carrying a column of stacked segments, a lid that slides up
// and down the column with four blob cannons on it, four beam emitters whose
// electric beams sweep the floor at knee height, and ten platforms orbiting
// the machine over the live floor. It is fought in three phases that follow
// one another and never go back: the emitters, then the cannons (the lid
// starts cycling and the cannons lob slime while it is up), then the column.
// Only the stun gun hurts it. When the column falls the level is done.
//
// The numbers below are shared with the baker (the models' sizes and numbers).
// Everything here is GL-free; the parts are drawn by the object pass.
#pragma once

#include "System/Objects.h"

#include <cstdint>

//
// Level models of the arena (the blob boss level's model file)
//

constexpr int BLOBBOSS_MODEL_PLATFORM = 6;			// a disc platform, also the arena's spinning-platform kind 5
constexpr int BLOBBOSS_MODEL_EMITTER = 24;
constexpr int BLOBBOSS_MODEL_BASE = 25;
constexpr int BLOBBOSS_MODEL_LID = 26;
constexpr int BLOBBOSS_MODEL_COLUMN = 27;			// one segment
constexpr int BLOBBOSS_MODEL_CANNON = 28;
constexpr int BLOBBOSS_MODEL_SLIME_SHOT = 29;
constexpr uint16_t ITEM_TYPE_BLOBBOSS_CENTER = 41;

//
// Shapes (model units at scale 1) and placement (world units)
//

constexpr float BLOBBOSS_PART_SCALE = 6.0f;			// base, lid and column segments
constexpr float BLOBBOSS_BASE_RADIUS = 185.0f;		// model units: 1110 across the arena floor
constexpr float BLOBBOSS_BASE_HEIGHT = 42.0f;		// model units: its top 252 above the ground
constexpr float BLOBBOSS_COLUMN_RADIUS = 35.0f;		// model units
constexpr float BLOBBOSS_SEGMENT_HEIGHT = 33.3333f;	// model units: 15 segments make 3000
constexpr int BLOBBOSS_SEGMENTS = 15;
constexpr float BLOBBOSS_LID_RADIUS = 75.0f;		// model units
constexpr float BLOBBOSS_LID_REST = 400.0f;			// its base above the ground
constexpr float BLOBBOSS_LID_TRAVEL = 1000.0f;		// how far it opens
constexpr float BLOBBOSS_CANNON_SCALE = 2.0f;
constexpr float BLOBBOSS_CANNON_RADIUS = 300.0f;	// from the centre
constexpr float BLOBBOSS_CANNON_LIFT = 21.0f;		// × the lid's scale above the lid's base
constexpr float BLOBBOSS_EMITTER_SCALE = 2.0f;
constexpr float BLOBBOSS_EMITTER_RADIUS = 700.0f;	// from the centre, on the beams' lines
constexpr float BLOBBOSS_BEAM_HEIGHT = 400.0f;		// above the ground
constexpr float BLOBBOSS_BEAM_LENGTH = 3500.0f;		// from the centre
constexpr float BLOBBOSS_PLATFORM_SCALE = 2.0f;
constexpr float BLOBBOSS_PLATFORM_LIFT = 370.0f;
constexpr float BLOBBOSS_ORBIT_RADIUS = 3000.0f;
constexpr int BLOBBOSS_PLATFORMS = 10;

//
// The fight
//

constexpr int BLOBBOSS_EMITTERS = 4;
constexpr int BLOBBOSS_CANNONS = 4;
constexpr float BLOBBOSS_EMITTER_STUN_COST = 0.3f;	// Health per stun shot (Health 1 at the start)
constexpr float BLOBBOSS_CANNON_STUN_COST = 0.2f;
constexpr float BLOBBOSS_COLUMN_STUN_COST = 0.2f;
constexpr float BLOBBOSS_BEAM_DAMAGE = 0.3f;
constexpr float BLOBBOSS_SHOT_DAMAGE = 0.1f;
constexpr float BLOBBOSS_LEVEL_DONE_DELAY = 4.0f;	// seconds from the column's fall to the level's end

enum BlobBossPhase : uint8_t
{
	BLOBBOSS_PHASE_EMITTERS = 1,
	BLOBBOSS_PHASE_CANNONS = 2,
	BLOBBOSS_PHASE_COLUMN = 3,
	BLOBBOSS_PHASE_DESTROYED = 4,
};

// What part of the machine a node is (its Kind).
enum BlobBossPart : uint8_t
{
	BLOBBOSS_PART_NONE = 0,
	BLOBBOSS_PART_EMITTER,
	BLOBBOSS_PART_CANNON,
	BLOBBOSS_PART_COLUMN,
	BLOBBOSS_PART_LID,
	BLOBBOSS_PART_BASE,
	BLOBBOSS_PART_PLATFORM,
};

struct BlobBossState
{
	bool made = false;
	BlobBossPhase phase = BLOBBOSS_PHASE_EMITTERS;
	float cx = 0, cz = 0, groundY = 0;		// the centre and the ground there
	int deadEmitters = 0;
	int deadCannons = 0;
	float orbitAngle = 0;					// the platforms' turn round the centre, radians
};

extern BlobBossState gBlobBoss;

// Level start (levels with LEVEL_SETUP_BLOB_BOSS_MACHINE): the whole machine
// round map item 41 ("MAP_ITEM_BLOBBOSS not found on terrain!" without it).
void MakeBlobBossMachine();
// Any other level: no machine (what the autopilot and the queries see).
void ForgetBlobBossMachine();
// Whether a beam emitter (0 … 3) still stands and its beam is live.
bool IsBlobBossBeamLive(int emitter);
// Whether the node is a part of the machine that the robot may shoot now.
bool IsBlobBossTarget(const ObjNode* node);
// A live beam's line over the floor, from the machine's centre out to its
// end; false while that emitter's beam is off (or there is no machine).
bool GetBlobBossBeam(int emitter, float* fromX, float* fromZ, float* toX, float* toZ);
// Whether a robot with its feet at `feetY`, `height` tall, at (x, z) stands in
// a live beam.
bool IsInBlobBossBeam(float x, float z, float feetY, float height);
// The shape of the base's top, for things placed on it: whether (x, z) lies
// on it and, if so, the height of its top.
bool IsOnBlobBossBase(float x, float z, float* topY);
