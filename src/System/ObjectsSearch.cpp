// Searches over the node list and the standard move routines of scenery.
#include "System/Objects.h"
#include "System/Random.h"
#include "Terrain/Terrain.h"

#include <cmath>

static ObjNode* FindClosest(const OGLPoint3D* point, uint32_t ctypeMask, bool in3D)
{
	ObjNode* best = nullptr;
	float bestDist = 10000000.0f;
	for (ObjNode* node = gObjectListHead; node && node->Slot < SLOT_OF_DUMB; node = node->NextNode)
	{
		if (node->CType == INVALID_NODE_FLAG || !(node->CType & ctypeMask))
			continue;
		float d = in3D
				? CalcDistance3D(point->x, point->y, point->z, node->Coord.x, node->Coord.y, node->Coord.z)
				: CalcQuickDistance(point->x, point->z, node->Coord.x, node->Coord.z);
		if (d < bestDist)		// ties keep the earlier node
		{
			bestDist = d;
			best = node;
		}
	}
	return best;
}

ObjNode* FindClosestCType(const OGLPoint3D* point, uint32_t ctypeMask)
{
	return FindClosest(point, ctypeMask, false);
}

ObjNode* FindClosestCType3D(const OGLPoint3D* point, uint32_t ctypeMask)
{
	return FindClosest(point, ctypeMask, true);
}

ObjNode* FindObjectWithMoveCall(ObjNodeRoutine routine)
{
	for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
		if (node->MoveCall == routine && node->CType != INVALID_NODE_FLAG)
			return node;
	return nullptr;
}

void SetRandomTargetOff(ObjNode* node, float range)
{
	node->TargetOff.x = RandomFloatSigned() * range;
	node->TargetOff.y = RandomFloatSigned() * range;
}

// Without a terrain (screens, tests) scenery stays in range on flat ground at 0.
static bool IsOutOfRange(ObjNode* node)
{
	return IsTerrainSetUp() && IsNodeOutOfRange(node);
}

static float GroundY(float x, float z)
{
	return IsTerrainSetUp() ? TerrainHeightAt(x, z) : 0.0f;
}

void MoveStaticObject(ObjNode* node)
{
	if (IsOutOfRange(node))
	{
		DeleteObject(node);
		return;
	}
	UpdateShadow(node);
}

void MoveStaticObjectOnTerrain(ObjNode* node)
{
	if (IsOutOfRange(node))
	{
		DeleteObject(node);
		return;
	}
	if (IsTerrainSetUp())
		AlignNodeToTerrain(node, 0, nullptr);
	else
	{
		node->Coord.y = 0;
		UpdateObjectTransforms(node);
	}
	SyncBaseTransformObject(node);
	if (node->NumCollisionBoxes)
		CalcObjectBoxFromNode(node);
	UpdateShadow(node);
}

void MoveStaticObjectGrounded(ObjNode* node)
{
	if (IsOutOfRange(node))
	{
		DeleteObject(node);
		return;
	}
	float bottom = node->BBox.isEmpty ? 0.0f : node->BBox.min.y;
	node->Coord.y = GroundY(node->Coord.x, node->Coord.z) - bottom * node->Scale.y;
	UpdateObjectTransforms(node);
	if (node->NumCollisionBoxes)
		CalcObjectBoxFromNode(node);
	UpdateShadow(node);
}
