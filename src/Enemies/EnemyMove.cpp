// The shared physics of enemies: gravity, the ground step with its slope
// push, friction, turning toward the robot, the hole test of levels whose
// terrain has holes, and the update that commits a frame's move.
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Player/Player.h"
#include "System/FrameTime.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"

#include <cmath>

namespace
{
	float GroundHeight(float x, float z)
	{
		return IsTerrainSetUp() ? TerrainHeightAt(x, z) : 0.0f;
	}
}

bool IsEnemyOutOfRange(const ObjNode* enemy)
{
	if (!IsTerrainSetUp())
		return false;
	// Fell through a hole in the clouds: nothing down there will ever bring it back.
	if (enemy->Coord.y < TERRAIN_HEIGHT_HOLE - ENEMY_FALL_LIMIT)
		return true;
	return IsPositionOutOfRange(enemy->Coord.x, enemy->Coord.z);
}

void ApplyEnemyGravity(float gravity)
{
	gObjDelta.y -= gravity * gFrameTime;
}

void EnemyGravityAndMove()
{
	gObjCoord.x += gObjDelta.x * gFrameTime;
	gObjCoord.y += gObjDelta.y * gFrameTime;
	gObjCoord.z += gObjDelta.z * gFrameTime;
}

bool EnemyGroundStep(ObjNode* enemy, uint32_t cTypeMask, bool useBoundingBox)
{
	enemy->StatusBits &= ~STATUS_BIT_ONGROUND;
	ResolveCollisions(enemy, cTypeMask, ENEMY_GROUND_BOUNCE);

	// A skinned box is in world scale already.
	float foot = useBoundingBox && enemy->Skeleton ? enemy->BBox.min.y : float(enemy->BottomOff);
	float ground = GroundHeight(gObjCoord.x, gObjCoord.z);
	if (ground != TERRAIN_HEIGHT_HOLE && gObjCoord.y + foot <= ground)
	{
		gObjCoord.y = ground - foot;
		gObjDelta.y = 0;
		enemy->StatusBits |= STATUS_BIT_ONGROUND;
		if (IsTerrainSetUp())
		{
			// The height query above left the ground's normal behind.
			gObjDelta.x += gFrameTime * ENEMY_SLOPE_PUSH * gLastTerrainNormal.x;
			gObjDelta.z += gFrameTime * ENEMY_SLOPE_PUSH * gLastTerrainNormal.z;
		}
	}
	return true;
}

void UpdateEnemy(ObjNode* enemy)
{
	enemy->Speed = OGLVector3D_Length(&gObjDelta);
	UpdateObject(enemy);
}

void ApplyEnemyFriction(float friction)
{
	float speed = std::hypot(gObjDelta.x, gObjDelta.z);
	if (speed <= 0)
		return;
	float slower = speed - friction * gFrameTime;
	float k = slower > 0 ? slower / speed : 0.0f;
	gObjDelta.x *= k;
	gObjDelta.z *= k;
}

float TurnEnemyToward(ObjNode* enemy, float x, float z, float speed)
{
	float target = CalcYAngleFromPointToPoint(enemy->Rot.y, enemy->Coord.x, enemy->Coord.z, x, z);
	float diff = WrapAngle(target - enemy->Rot.y);
	float step = speed * gFrameTime;
	if (std::fabs(diff) <= step)
	{
		enemy->Rot.y = target;
		return 0;
	}
	enemy->Rot.y = PositiveModulo(enemy->Rot.y + std::copysign(step, diff), PI2);
	return std::fabs(diff) - step;
}

float TurnEnemyTowardPlayer(ObjNode* enemy, float speed)
{
	if (!gPlayerNode)
		return PI;
	return TurnEnemyToward(enemy, gPlayerNode->Coord.x, gPlayerNode->Coord.z, speed);
}

void TurnEnemyAwayFromMotion(ObjNode* enemy, float speed)
{
	// Facing away from the motion is facing the point the motion comes from.
	TurnEnemyToward(enemy, enemy->Coord.x - gObjDelta.x, enemy->Coord.z - gObjDelta.z, speed);
}

bool IsHoleInFront(float x, float z, float heading)
{
	if (!CurrentLevelHasRule(LEVEL_RULE_TERRAIN_HOLES) || !IsTerrainSetUp())
		return false;
	float ax = x - std::sin(heading) * ENEMY_HOLE_LOOKAHEAD;
	float az = z - std::cos(heading) * ENEMY_HOLE_LOOKAHEAD;
	return TerrainHeightAt(ax, az) == TERRAIN_HEIGHT_HOLE;
}

float EnemyDistanceToPlayer(const ObjNode* enemy)
{
	if (!gPlayerNode)
		return FAR_DISTANCE;
	return CalcQuickDistance(enemy->Coord.x, enemy->Coord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z);
}
