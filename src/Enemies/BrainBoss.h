// The brain boss of the last level: a hovering brain between two armoured
// halves, shielded by the ring of eight alien portals (AlienPortal.*). While
// any portal stands it only bobs behind closed halves and the portals are
// joined by crackling beams. Once all eight are down it hunts the robot,
// opens its halves (arcs of static bridge the gap), fires homing shots and
// can be hurt only while open. Its death sets gBrainBossDead, which lets the
// level's exit saucer take the robot home: the game is won.
//
// Logic here (BrainBoss.cpp) is GL-free; the beams and the static arcs are
// drawn by BrainBossDraw.cpp.
#pragma once

#include "System/Objects.h"

struct TerrainItemEntryType;

//
// Tunables
//

constexpr float BRAIN_BOSS_HEALTH = 25.0f;
constexpr float BRAIN_BOSS_SCALE = 5.0f;
constexpr float BRAIN_BOSS_HOVER = 110.0f;			// units above the ground it is made at
constexpr float BRAIN_BOSS_BOB = 20.0f;				// units up and down
constexpr float BRAIN_BOSS_BOB_RATE = 3.0f;			// radians per second
constexpr float BRAIN_BOSS_FIRST_WAIT = 5.0f;		// seconds from the last portal's fall to the first opening
constexpr float BRAIN_BOSS_WAIT = 1.0f;				// seconds closed between openings, plus random up to the next
constexpr float BRAIN_BOSS_WAIT_JITTER = 2.0f;
constexpr float BRAIN_BOSS_OPEN_WIDTH = 175.0f;		// units each half moves aside
constexpr float BRAIN_BOSS_OPEN_RATE = 70.0f;		// units per second, opening and closing
constexpr float BRAIN_BOSS_OPEN_TIME = 2.5f;		// seconds fully open
constexpr float BRAIN_BOSS_SHOT_EVERY = 0.7f;		// seconds between shots while open
constexpr float BRAIN_BOSS_TURN_RATE = 1.0f;		// radians per second, while hunting
constexpr float BRAIN_BOSS_SPEED = 140.0f;			// units per second, while hunting
constexpr float BRAIN_BOSS_AIM_HEIGHT = 415.0f;		// where auto-aimed shots go, above its centre
constexpr float BRAIN_BOSS_NOVA_DAMAGE = 1.0f;

constexpr float BRAIN_SHOT_LIFE = 5.0f;				// seconds
constexpr float BRAIN_SHOT_DAMAGE = 0.25f;
constexpr float BRAIN_SHOT_SPEED = 700.0f;			// units per second, at launch and at most
constexpr float BRAIN_SHOT_STRAIGHT_TIME = 0.5f;	// seconds before it starts homing
constexpr float BRAIN_SHOT_HOMING_RANGE = 3000.0f;	// units: the pull fades to nothing at this distance
constexpr float BRAIN_SHOT_PULL_XZ = 4000.0f;		// units per second² at point blank
constexpr float BRAIN_SHOT_PULL_Y = 800.0f;
constexpr float BRAIN_SHOT_HALF_SIZE = 40.0f;		// units: its box is this much round it

constexpr uint16_t ITEM_TYPE_BRAIN_BOSS = 105;
constexpr uint16_t ITEM_TYPE_ALIEN_PORTAL = 108;

constexpr float PORTAL_BEAM_HEIGHT = 700.0f;		// units above the ground the beams run between portals
constexpr int NUM_BRAIN_STATICS = 12;

// Boss modes.
enum : uint8_t
{
	BRAIN_BOSS_CLOSED = 0,
	BRAIN_BOSS_OPENING = 1,
	BRAIN_BOSS_OPEN = 2,
	BRAIN_BOSS_CLOSING = 3,
};

// The boss node's SpecialF fields.
enum
{
	BRAIN_BOB_PHASE = 0,
	BRAIN_WAIT = 1,
	BRAIN_WIDTH = 2,
	BRAIN_OPEN_LEFT = 3,
	BRAIN_SHOT_TIMER = 4,
};

extern OGLPoint3D gPortalPoints[];				// NUM_ALIEN_PORTALS: where each portal's beams meet it
extern bool gBrainBossDead;
extern ObjNodeRef gBrainBoss;

// Level set-up: the portal points from the map's portal items (portal
// numbers checked), every portal standing, the beam ring's node.
void InitBrainBossPortals();
// Item 105: the boss, its halves, its static arcs and its ground ripple.
bool AddBrainBoss(TerrainItemEntryType* item, float x, float z);
void MoveBrainBoss(ObjNode* boss);
void MoveBrainBossShot(ObjNode* shot);
void MoveBrainStatic(ObjNode* arc);
// Damage to the boss; nothing while it is closed. True when it died.
bool HurtBrainBoss(ObjNode* boss, float damage);
// Whether the current level's boss (the brain, or the jungle's pitcher
// plant) is dead: the exit saucer of a boss level waits for it.
bool IsLevelBossDead();
// For the autopilot: whether a node is a boss or a part of a boss's arena
// worth shooting down (the brain, a portal, a pod head, a live tentacle
// generator, the pitcher plant), and whether a hit on it now would count.
bool IsBossPart(const ObjNode* node);
bool IsBossPartVulnerable(const ObjNode* node);
// Whether every portal of the shield is down.
bool IsBrainBossShieldDown();

// BrainBossDraw.cpp
void DrawPortalBeams(ObjNode* node);
void DrawBrainStatic(ObjNode* arc);
