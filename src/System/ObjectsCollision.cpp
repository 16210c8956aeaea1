// Collision boxes of nodes: box 0 from the offsets, extra boxes, and boxes
// sized from the model's bounding box.
#include "System/Objects.h"
#include "System/Error.h"

#include <algorithm>
#include <cmath>

static void SetBoxZero(ObjNode* node, const OGLPoint3D& at)
{
	if (node->NumCollisionBoxes == 0)
		return;
	CollisionBoxType& box = node->CollisionBoxes[0];
	box.left = at.x + float(node->LeftOff);
	box.right = at.x + float(node->RightOff);
	box.front = at.z + float(node->FrontOff);
	box.back = at.z + float(node->BackOff);
	box.top = at.y + float(node->TopOff);
	box.bottom = at.y + float(node->BottomOff);
}

void CalcObjectBoxFromNode(ObjNode* node)
{
	SetBoxZero(node, node->Coord);
}

void CalcObjectBoxFromGlobal(ObjNode* node)
{
	SetBoxZero(node, gObjCoord);
}

void KeepOldCollisionBoxes(ObjNode* node)
{
	int n = std::min<int>(node->NumCollisionBoxes, MAX_COLLISION_BOXES);
	for (int i = 0; i < n; i++)
		node->OldCollisionBoxes[i] = node->CollisionBoxes[i];
	node->OldCoord = node->Coord;
}

void SetObjectCollisionBounds(ObjNode* node, int16_t top, int16_t bottom, int16_t left,
		int16_t right, int16_t front, int16_t back)
{
	node->NumCollisionBoxes = 1;
	node->TopOff = top;
	node->BottomOff = bottom;
	node->LeftOff = left;
	node->RightOff = right;
	node->FrontOff = front;
	node->BackOff = back;
	CalcObjectBoxFromNode(node);
	KeepOldCollisionBoxes(node);
}

void AddCollisionBoxToObject(ObjNode* node, float top, float bottom, float left,
		float right, float front, float back)
{
	if (node->NumCollisionBoxes >= MAX_COLLISION_BOXES)
		FatalAlert("AddCollisionBoxToObject: too many boxes");

	CollisionBoxType& box = node->CollisionBoxes[node->NumCollisionBoxes++];
	box.left = node->Coord.x + left;
	box.right = node->Coord.x + right;
	box.front = node->Coord.z + front;
	box.back = node->Coord.z + back;
	box.top = node->Coord.y + top;
	box.bottom = node->Coord.y + bottom;
	KeepOldCollisionBoxes(node);
}

// A node without a model box gets a box of no size at its position.
static OGLBoundingBox UsableBBox(const ObjNode* node)
{
	if (node->BBox.isEmpty)
		return OGLBoundingBox{{0, 0, 0}, {0, 0, 0}, true};
	return node->BBox;
}

// Offsets are whole units; a box far beyond any world is a broken model, not a size.
static int32_t ToOffset(float v)
{
	if (!(v > -2.0e9f && v < 2.0e9f))
		FatalAlert("CreateCollisionBoxFromBoundingBox: box out of range");
	return int32_t(v);
}

static void SetOffsetsFromBBox(ObjNode* node, float sideFactor, float topFactor)
{
	const OGLBoundingBox bb = UsableBBox(node);

	float s, t, u;
	if (node->Genre == SKELETON_GENRE)
	{
		s = t = sideFactor;		// a skinned box is already in world scale
		u = 1;
	}
	else
	{
		s = sideFactor * node->Scale.x;
		t = sideFactor * node->Scale.z;
		u = node->Scale.y;
	}

	node->NumCollisionBoxes = 1;
	node->LeftOff = ToOffset(s * bb.min.x);
	node->RightOff = ToOffset(s * bb.max.x);
	node->FrontOff = ToOffset(t * bb.max.z);
	node->BackOff = ToOffset(t * bb.min.z);
	node->BottomOff = ToOffset(u * bb.min.y);
	node->TopOff = ToOffset((bb.max.y - bb.min.y) * u * topFactor + float(node->BottomOff));
}

void CreateCollisionBoxFromBoundingBox(ObjNode* node, float sideFactor, float topFactor)
{
	SetOffsetsFromBBox(node, sideFactor, topFactor);
	CalcObjectBoxFromNode(node);
	KeepOldCollisionBoxes(node);
}

void CreateCollisionBoxFromBoundingBox_Update(ObjNode* node, float sideFactor, float topFactor)
{
	SetOffsetsFromBBox(node, sideFactor, topFactor);
	CalcObjectBoxFromNode(node);
}

void CreateCollisionBoxFromBoundingBox_Maximized(ObjNode* node)
{
	const OGLBoundingBox bb = UsableBBox(node);

	bool skeleton = node->Genre == SKELETON_GENRE;
	float scale = skeleton ? 1.0f : node->Scale.x;
	float u = skeleton ? 1.0f : node->Scale.y;
	float r = std::max({std::fabs(bb.min.x), std::fabs(bb.max.x), std::fabs(bb.min.z), std::fabs(bb.max.z)}) * scale;

	node->NumCollisionBoxes = 1;
	node->LeftOff = node->BackOff = ToOffset(-r);
	node->RightOff = node->FrontOff = ToOffset(r);
	node->BottomOff = ToOffset(u * bb.min.y);
	node->TopOff = ToOffset((bb.max.y - bb.min.y) * u + float(node->BottomOff));
	CalcObjectBoxFromNode(node);
	KeepOldCollisionBoxes(node);
}

void CreateCollisionBoxFromBoundingBox_Rotated(ObjNode* node, float sideFactor, float topFactor)
{
	const OGLBoundingBox bb = UsableBBox(node);

	// The four horizontal corners turned by −Rot.y; the box spans them.
	float c = std::cos(-node->Rot.y), s = std::sin(-node->Rot.y);
	const float xs[4] = {bb.min.x, bb.max.x, bb.max.x, bb.min.x};
	const float zs[4] = {bb.min.z, bb.min.z, bb.max.z, bb.max.z};
	float minX = 1e30f, maxX = -1e30f, minZ = 1e30f, maxZ = -1e30f;
	for (int i = 0; i < 4; i++)
	{
		float x = xs[i] * c + zs[i] * s;
		float z = -xs[i] * s + zs[i] * c;
		minX = std::min(minX, x);
		maxX = std::max(maxX, x);
		minZ = std::min(minZ, z);
		maxZ = std::max(maxZ, z);
	}

	float k = sideFactor * node->Scale.x;
	node->NumCollisionBoxes = 1;
	node->LeftOff = ToOffset(minX * k);
	node->RightOff = ToOffset(maxX * k);
	node->BackOff = ToOffset(minZ * k);
	node->FrontOff = ToOffset(maxZ * k);
	node->BottomOff = ToOffset(node->Scale.x * bb.min.y);
	node->TopOff = ToOffset((bb.max.y - bb.min.y) * node->Scale.x * topFactor + float(node->BottomOff));
	CalcObjectBoxFromNode(node);
	KeepOldCollisionBoxes(node);
}
