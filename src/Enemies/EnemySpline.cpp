// Enemies patrolling a spline loop: the one move every kind shares while it
// rides (advance, follow, face the way, stand on the ground) until the robot
// comes near enough to draw it off the loop.
#include "Enemies/Enemy.h"
#include "Player/Player.h"
#include "System/Objects.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"

#include <cmath>

namespace
{
	// What a rider bumps into while patrolling: only its own kind of blocker.
	constexpr uint32_t SPLINE_RIDE_MASK = 0x0800;
}

bool IsPlayerWithinDetachDistance(const ObjNode* enemy, const EnemySplineRide& ride)
{
	if (!IsRobotInPlay())
		return false;
	const OGLPoint3D& p = gPlayerNode->Coord;
	const OGLPoint3D& e = enemy->Coord;
	float d = ride.trueDistance ? CalcDistance3D(e.x, e.y, e.z, p.x, p.y, p.z) : CalcQuickDistance(e.x, e.z, p.x, p.z);
	return d < ride.detachDistance;
}

bool MoveEnemyOnSpline(ObjNode* enemy, const EnemySplineRide& ride)
{
	const bool active = IsSplineObjectOnActiveTerrain(enemy);
	const OGLPoint3D before = enemy->Coord;
	IncreaseSplineIndex(enemy, ride.speed);
	SetSplineObjectCoord(enemy);
	if (!active)
		return false;

	enemy->Rot.y = CalcYAngleFromPointToPoint(enemy->Rot.y, before.x, before.z, enemy->Coord.x, enemy->Coord.z);
	enemy->OldCoord = before;
	GetObjectInfo(enemy);
	const float foot = enemy->Skeleton ? enemy->BBox.min.y : float(enemy->BottomOff);
	gObjCoord.y = TerrainHeightAtNoHoles(gObjCoord.x, gObjCoord.z) - foot;
	gObjDelta.y = 0;
	EnemyGroundStep(enemy, SPLINE_RIDE_MASK, true);
	UpdateEnemy(enemy);

	if (IsPlayerWithinDetachDistance(enemy, ride))
		DetachEnemyFromSpline(enemy, ride.freeMoveCall);
	return true;
}
