// What the farm creatures' files share among themselves: making, hurting and
// killing any of the three kinds, their eye glints, the corn's shooting (it
// also shoots while patrolling a loop) and its death.
#pragma once

#include "System/Objects.h"

struct CreatureKind;

constexpr float CORN_FIST_DAMAGE = 0.2f;
constexpr float CORN_GROWN_SCALE_ON_HURT = 0.3f;
// The corn's eye glints on joint 0.
constexpr OGLPoint3D CORN_EYES[2] = {{-4.5f, 58, -12}, {4.5f, 58, -12}};

// The kit's definition of an onion, corn or tomato by its enemy kind.
const CreatureKind& FarmCreatureKind(int kind);
ObjNode* GrowFarmCreatureFromSprout(int kind, float x, float z);
// False when it died of it (the node is gone).
bool HurtFarmCreature(ObjNode* node, float damage);
void KillFarmCreature(ObjNode* node);
void KillCorn(ObjNode* corn);
// The hurt animation's move: reel, and back to standing when the time is up.
void MoveFarmHurt(ObjNode* node);
void UpdateFarmEyes(ObjNode* node);
const OGLPoint3D* FarmEyeOffsets(const ObjNode* node);
bool FarmCreatureSeesPlayer(const ObjNode* node);
// The level's model file has this farm model.
bool FarmModelExists(int model);
// The corn's burst timing and kernels, each frame it walks (or patrols).
void CornShooting(ObjNode* corn);
