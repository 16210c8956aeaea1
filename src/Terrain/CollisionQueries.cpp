// What is at a point, in a box or along a segment, and the highest surface
// under a point: for AI, weapons, the camera and placing things.
#include "Terrain/Collision.h"
#include "Terrain/Fences.h"
#include "Terrain/Terrain.h"
#include "Terrain/Water.h"
#include "Player/Player.h"
#include "System/Error.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float NO_SURFACE = -10000000.0f;

	void AddQueryRecord(const char* caller, int box, ObjNode* node)
	{
		if (gNumCollisions >= MAX_COLLISIONS)
			FatalAlert("%s: gNumCollisions > MAX_COLLISIONS", caller);
		CollisionRecord& r = gCollisionList[gNumCollisions++];
		r.baseBox = 0;
		r.targetBox = uint8_t(box);
		r.sides = 0;
		r.type = COLLISION_TYPE_OBJ;
		r.objectPtr = node;
	}

	bool BoxContainsPoint(const CollisionBoxType& b, const OGLPoint3D& p)
	{
		return p.x >= b.left && p.x <= b.right && p.z >= b.back && p.z <= b.front
			&& p.y >= b.bottom && p.y <= b.top;
	}

	bool NodeContainsPoint(const ObjNode* node, const OGLPoint3D& p, int* whichBox)
	{
		int n = CollisionBoxCount(node);
		for (int i = 0; i < n; i++)
			if (BoxContainsPoint(node->CollisionBoxes[i], p))
			{
				*whichBox = i;
				return true;
			}
		return false;
	}

	// Where the segment's x/z projection first crosses the outline of the box,
	// the segment's height there must lie within the box.
	bool SegmentHitsBox(const OGLPoint3D& p1, const OGLPoint3D& p2, const CollisionBoxType& box)
	{
		float ix, iz;
		if (!IntersectSegmentWithRect(p1.x, p1.z, p2.x, p2.z, box.left, box.right, box.back, box.front, &ix, &iz))
			return false;

		// A crossing means the projection has a length: no division by zero.
		float length = CalcDistance(p1.x, p1.z, p2.x, p2.z);
		float along = CalcDistance(p1.x, p1.z, ix, iz);
		float y = p1.y + (along / length) * (p2.y - p1.y);
		return y >= box.bottom && y <= box.top;
	}

	const ObjNode* TouchablePlayer()
	{
		if (!gPlayerNode || gPlayerNode->CType == INVALID_NODE_FLAG || IsPlayerUntouchable())
			return nullptr;
		return gPlayerNode;
	}
}

int FindBoxCollisions(float top, float bottom, float left, float right, float front, float back, uint32_t cTypeMask)
{
	const CollisionBoxType box = {left, right, front, back, top, bottom};
	gNumCollisions = 0;
	for (ObjNode* node = gObjectListHead; !IsEndOfCollisionScan(node); node = node->NextNode)
	{
		if (!IsNodeCollidable(node, cTypeMask))
			continue;
		int n = CollisionBoxCount(node);
		for (int i = 0; i < n; i++)
			if (DoBoxesOverlap(box, node->CollisionBoxes[i]))
				AddQueryRecord("FindBoxCollisions", i, node);
	}
	return gNumCollisions;
}

bool BoxHitsNode(float top, float bottom, float left, float right, float front, float back, const ObjNode* node)
{
	if (!node)
		return false;
	const CollisionBoxType box = {left, right, front, back, top, bottom};
	int n = CollisionBoxCount(node);
	for (int i = 0; i < n; i++)
		if (DoBoxesOverlap(box, node->CollisionBoxes[i]))
			return true;
	return false;
}

bool BoxHitsPlayer(float top, float bottom, float left, float right, float front, float back)
{
	return BoxHitsNode(top, bottom, left, right, front, back, TouchablePlayer());
}

int FindPointCollisions(const OGLPoint3D* point, uint32_t cTypeMask, const ObjNode* ignoreNode)
{
	gNumCollisions = 0;
	for (ObjNode* node = gObjectListHead; !IsEndOfCollisionScan(node); node = node->NextNode)
	{
		if (node == ignoreNode || !IsNodeCollidable(node, cTypeMask))
			continue;
		int box;
		if (NodeContainsPoint(node, *point, &box))
			AddQueryRecord("FindPointCollisions", box, node);
	}
	return gNumCollisions;
}

bool PointHitsPlayer(const OGLPoint3D* point)
{
	const ObjNode* player = TouchablePlayer();
	int box;
	return player && NodeContainsPoint(player, *point, &box);
}

float HighestSurfaceAt(float x, float z, uint32_t cTypeMask)
{
	float y = NO_SURFACE;
	for (ObjNode* node = gObjectListHead; !IsEndOfCollisionScan(node); node = node->NextNode)
	{
		if (!IsNodeCollidable(node, cTypeMask) || !(node->CBits & SIDE_TOP))
			continue;
		int n = CollisionBoxCount(node);
		for (int i = 0; i < n; i++)
		{
			const CollisionBoxType& b = node->CollisionBoxes[i];
			if (x >= b.left && x <= b.right && z >= b.back && z <= b.front && b.top > y)
				y = b.top;
		}
	}

	if (cTypeMask & CTYPE_TERRAIN)
		y = std::max(y, TerrainHeightAt(x, z));

	float waterY;
	if ((cTypeMask & CTYPE_WATER) && GetWaterY(x, z, &waterY))
		y = std::max(y, waterY);

	return y;
}

bool SegmentHitsAnything(const OGLPoint3D* p1, const OGLPoint3D* p2, const ObjNode* ignoreNode, uint32_t cTypeMask)
{
	if (cTypeMask & CTYPE_FENCE)
	{
		OGLPoint3D hit;
		bool isAbove;
		float fenceTop;
		if (SegmentHitsFence(p1, p2, &hit, &isAbove, &fenceTop))
			return true;
	}

	for (ObjNode* node = gObjectListHead; !IsEndOfCollisionScan(node); node = node->NextNode)
	{
		if (node == ignoreNode || !IsNodeCollidable(node, cTypeMask) || node->NumCollisionBoxes == 0)
			continue;
		if (SegmentHitsBox(*p1, *p2, node->CollisionBoxes[0]))
			return true;
	}
	return false;
}

bool SegmentHitsPlayer(const OGLPoint3D* p1, const OGLPoint3D* p2)
{
	const ObjNode* player = TouchablePlayer();
	return player && player->NumCollisionBoxes > 0 && SegmentHitsBox(*p1, *p2, player->CollisionBoxes[0]);
}
