// Small moves the city's and the clouds' creatures share: walking along the
// heading, seeing the robot, how far it stands off the heading, the knock-back
// of a punch or a jump-jet hit, the push of a shot, and the puff of confetti
// and sparks a circus act or a mutant leaves when it dies. They work between
// GetObjectInfo and UpdateEnemy, like the framework's moves (Enemy.h).
#pragma once

#include "System/Objects.h"

// The skeleton's current animation (−1 without a skeleton).
int CreatureAnim(const ObjNode* creature);
bool CreatureOnGround(const ObjNode* creature);
// gObjDelta's horizontal part along the heading at `speed` units per second.
void SetVelocityAlongHeading(const ObjNode* creature, float speed);
// Nothing that blocks sight (nor a fence) lies between it and the robot.
bool CreatureCanSeePlayer(const ObjNode* creature);
// The angle between its heading and the way to the robot (0 … π; π without one).
float AngleOffHeadingToPlayer(const ObjNode* creature);
// True 3D distance to the robot (FAR_DISTANCE without one).
float CreatureDistance3DToPlayer(const ObjNode* creature);
// Thrown back along the robot's heading at 1000 and up at 500 (a punch, a jet hit).
void KnockCreatureBack(ObjNode* creature);
// A shot's push: 0.4 of its velocity and 200 up.
void PushCreatureByShot(ObjNode* creature, const OGLVector3D* shotDelta);
// Two puffs (dust and flash) and a ring of yellow sparks where it stood.
void BurstCreatureIntoSparks(const ObjNode* creature);
