// Humans wandering a spline loop: they walk it slowly, face where they go,
// stand on the ground, and can be rescued like any other human (the rescue
// takes them off the loop and the ordinary human routine plays the teleport).
#include "Items/HumansInternal.h"
#include "System/Level.h"
#include "3D/Skeleton.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"

namespace
{
	constexpr float SPLINE_WALK_SPEED = 30.0f;		// loop points per second, × gLevel.humanScale
	constexpr float SPLINE_ANIM_SPEED = 1.5f;
	// A wandering human is rescued by touch and stands in the way of the robot.
	constexpr uint32_t SPLINE_HUMAN_CTYPE = CTYPE_HUMAN | CTYPE_TRIGGER | CTYPE_MISC;

	void MoveHumanOnSpline(ObjNode* node)
	{
		const bool active = IsSplineObjectOnActiveTerrain(node);
		const OGLPoint3D before = node->Coord;
		IncreaseSplineIndex(node, SPLINE_WALK_SPEED * gLevel.humanScale);
		SetSplineObjectCoord(node);
		if (!active)
			return;

		node->Rot.y = CalcYAngleFromPointToPoint(node->Rot.y, before.x, before.z, node->Coord.x, node->Coord.z);
		node->OldCoord = before;
		GetObjectInfo(node);
		gObjCoord.y = TerrainHeightAtNoHoles(gObjCoord.x, gObjCoord.z) - float(node->BottomOff);
		gObjDelta.y = 0;
		UpdateObject(node);
	}

	bool AddHumanKindOnSpline(int humanType, int splineNum, SplineItemType* item)
	{
		float x, z;
		GetCoordOnSpline(&gSplineList[splineNum], item->placement, &x, &z);
		ObjNode* human = MakeHumanNode(humanType, x, TerrainHeightAtNoHoles(x, z), z, 0, MoveHuman);
		human->CType = SPLINE_HUMAN_CTYPE;
		human->Mode = HUMAN_MODE_WALK;
		MorphToSkeletonAnim(human->Skeleton, HUMAN_ANIM_WALK, 10);
		human->Skeleton->AnimSpeed = SPLINE_ANIM_SPEED;
		StartSplineRider(human, splineNum, item, MoveHumanOnSpline, true);
		return true;
	}
}

bool AddHumanOnSpline(int splineNum, SplineItemType* item)
{
	int humanType = item->parm[0];
	if (humanType >= NUM_HUMAN_TYPES)
		humanType = HUMAN_TYPE_FARMER;
	return AddHumanKindOnSpline(humanType, splineNum, item);
}

bool AddHumanType2OnSpline(int splineNum, SplineItemType* item)
{
	return AddHumanKindOnSpline(HUMAN_TYPE_SCIENTIST, splineNum, item);
}
