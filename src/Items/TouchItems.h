// Things the robot touches rather than collects: checkpoint posts that set
// where he comes back after a death, bounce pads that fling whatever lands
// on or bumps into them, and invisible vents of hot steam that hurt.
// GL-free: they are drawn by the object pass (the vents are not drawn at all;
// their steam is particles).
#pragma once

#include <cstdint>

struct ObjNode;
struct TerrainItemEntryType;

constexpr float BOUNCE_PAD_LANDING_SPEED = 2200.0f;	// upward, units per second, for a mover landing on a pad
constexpr float BOUNCE_PAD_BUMP_SPEED = 2500.0f;	// away from the pad, for a mover bumping its side
constexpr float HURTING_VENT_DAMAGE = 0.15f;		// of a full health gauge per hit

// Installs the checkpoint and bounce-pad trigger handlers (level start).
void InitTouchItems();

// Item 27: checkpoint number parm[0], respawn heading parm[1] × 45°. A post
// whose number was reached already this level stands lit.
bool AddCheckpoint(TerrainItemEntryType* item, float x, float z);
// The lights of a reached post.
void LightCheckpoint(ObjNode* post);
// Trigger kind 4: the robot reaches the post. The respawn point only moves to
// a post numbered at least as high as the last one reached.
bool DoTrig_Checkpoint(ObjNode* post, ObjNode* mover, uint32_t sides);

// Item 31: a bounce pad near (x, z).
bool AddBouncePad(TerrainItemEntryType* item, float x, float z);
// Trigger kind 5: the mover is thrown up (landing on it) or away (any other side).
bool DoTrig_BouncePad(ObjNode* pad, ObjNode* mover, uint32_t sides);

// Item 70: a steam vent that hurts the robot while he stands in it.
bool AddHurtingVent(TerrainItemEntryType* item, float x, float z);
