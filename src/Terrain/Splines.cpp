// The objects riding spline loops: priming the loops and their items at level
// start, the list of riders, their placement arithmetic, and the per-frame
// pass that moves them.
#include "Terrain/Splines.h"
#include "Terrain/SuperTile.h"
#include "Terrain/TerrainFile.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Objects.h"

#include <cmath>

ObjNode* gSplineObjects[MAX_SPLINE_OBJECTS] = {};
int gNumSplineObjects = 0;

namespace
{
	// A placement read from a file or grown by arithmetic, kept on the loop.
	// Written so that a NaN (which fails every comparison) lands on 0.
	float ClampPlacement(float placement)
	{
		if (!(placement > 0.0f))
			return 0.0f;
		if (placement > SPLINE_MAX_PLACEMENT)
			return SPLINE_MAX_PLACEMENT;
		return placement;
	}

	const SplineRecord* RiderSpline(const ObjNode* node)
	{
		GAME_ASSERT(node->SplineNum < gNumSplines);
		return &gSplineList[node->SplineNum];
	}
}

void PrimeSplines()
{
	for (int i = 0; i < MAX_SPLINE_OBJECTS; i++)
		gSplineObjects[i] = nullptr;
	gNumSplineObjects = 0;

	for (int s = 0; s < gNumSplines; s++)
	{
		SplineRecord& spline = gSplineList[s];
		if (spline.pointList)
		{
			SplinePointType* points = *spline.pointList;
			for (int32_t i = 0; i < spline.numPoints; i++)
			{
				points[i].x *= MAP_TO_UNIT_SCALE;
				points[i].z *= MAP_TO_UNIT_SCALE;
			}
		}
	}

	// Items come after every loop is in world units: a routine may look at
	// another loop (or at the terrain along its own).
	for (int s = 0; s < gNumSplines; s++)
	{
		SplineRecord& spline = gSplineList[s];
		if (!spline.itemList)
			continue;
		for (int32_t i = 0; i < spline.numItems; i++)
		{
			SplineItemType* item = &(*spline.itemList)[i];
			if (item->type > MAX_SPLINE_ITEM_NUM)
				FatalAlert("PrimeSplines: type > MAX_SPLINE_ITEM_NUM (item %d of spline %d has type %d)", int(i), s,
						int(item->type));
			if (kSplineItemRoutines[item->type].add(s, item))
				item->flags |= 1;
		}
	}
}

void MoveSplineObjects()
{
	// Routines may delete riders (their entries empty) or, in principle, add
	// some: the count is read again after every call.
	BeginObjectMovePass();
	for (int i = 0; i < gNumSplineObjects; i++)
	{
		ObjNode* node = gSplineObjects[i];
		if (!node || node->CType == INVALID_NODE_FLAG || !node->SplineMoveCall)
			continue;
		KeepOldCollisionBoxes(node);
		gCurrentMoveNode = node;
		node->SplineMoveCall(node);
	}
	gCurrentMoveNode = nullptr;
	EndObjectMovePass();
}

void AddToSplineObjectList(ObjNode* node, bool faceAhead)
{
	if (gNumSplineObjects >= MAX_SPLINE_OBJECTS)
		FatalAlert("AddToSplineObjectList: too many spline objects");
	node->SplineObjectIndex = int16_t(gNumSplineObjects);
	node->StatusBits |= STATUS_BIT_ONSPLINE;
	gSplineObjects[gNumSplineObjects++] = node;
	if (faceAhead)
		FaceNextSplinePoint(node);
}

void StartSplineRider(ObjNode* node, int splineNum, SplineItemType* item, ObjNodeRoutine splineMoveCall,
		bool faceAhead)
{
	GAME_ASSERT(splineNum >= 0 && splineNum < gNumSplines);
	node->StatusBits |= STATUS_BIT_ONSPLINE;
	node->SplineNum = uint8_t(splineNum);
	node->SplineItemPtr = item;
	node->SplinePlacement = ClampPlacement(item->placement);
	node->SplineMoveCall = splineMoveCall;
	AddToSplineObjectList(node, faceAhead);
	DetachObject(node, true);
}

void RemoveFromSplineObjectList(ObjNode* node)
{
	// The entry stays empty and the count does not shrink: the spline pass
	// reads the count again after every rider, and riders keep their indices.
	int index = node->SplineObjectIndex;
	if (index >= 0 && index < gNumSplineObjects && gSplineObjects[index] == node)
		gSplineObjects[index] = nullptr;
	node->StatusBits &= ~STATUS_BIT_ONSPLINE;
	node->SplineObjectIndex = -1;
	node->SplineItemPtr = nullptr;
	node->SplineMoveCall = nullptr;
}

void DetachFromSpline(ObjNode* node, ObjNodeRoutine moveCall)
{
	if (!(node->StatusBits & STATUS_BIT_ONSPLINE))
		return;
	AttachObject(node, true);
	RemoveFromSplineObjectList(node);
	node->InitCoord = node->Coord;
	node->MoveCall = moveCall;
}

void DeleteAllSplineObjects()
{
	for (int i = 0; i < gNumSplineObjects; i++)
		if (ObjNode* node = gSplineObjects[i])
		{
			gSplineObjects[i] = nullptr;
			DeleteObject(node);
		}
	gNumSplineObjects = 0;
}

void GetCoordOnSpline(const SplineRecord* spline, float placement, float* x, float* z)
{
	const int32_t numPoints = spline->numPoints;
	if (numPoints <= 0 || !spline->pointList)
		FatalAlert("Assertion failed! GetCoordOnSpline: spline->numPoints > 0");
	const float p = ClampPlacement(placement) * float(numPoints);
	int32_t i = int32_t(p);
	if (i >= numPoints)			// rounding of 0.9999 × a huge count
		i = numPoints - 1;
	const int32_t j = (i + 1 < numPoints) ? i + 1 : 0;
	const float f = p - float(i);
	const SplinePointType* points = *spline->pointList;
	*x = (1.0f - f) * points[i].x + f * points[j].x;
	*z = (1.0f - f) * points[i].z + f * points[j].z;
}

void IncreaseSplineIndex(ObjNode* node, float speed)
{
	const SplineRecord* spline = RiderSpline(node);
	if (spline->numPoints <= 0)
		return;
	float p = node->SplinePlacement + speed * gFrameTime / float(spline->numPoints);
	if (p > SPLINE_MAX_PLACEMENT)
		p -= 1.0f;
	else if (p < 0.0f)
		p += 1.0f;
	node->SplinePlacement = ClampPlacement(p);
}

void IncreaseSplineIndexZigZag(ObjNode* node, float speed)
{
	const SplineRecord* spline = RiderSpline(node);
	if (spline->numPoints <= 0)
		return;
	const float step = std::fabs(speed) * gFrameTime / float(spline->numPoints);
	float p = node->SplinePlacement;
	if (node->StatusBits & STATUS_BIT_REVERSESPLINE)
	{
		p -= step;
		if (!(p > 0.0f))
		{
			p = 0;
			node->StatusBits &= ~STATUS_BIT_REVERSESPLINE;
		}
	}
	else
	{
		p += step;
		if (!(p < SPLINE_MAX_PLACEMENT))
		{
			p = SPLINE_MAX_PLACEMENT;
			node->StatusBits |= STATUS_BIT_REVERSESPLINE;
		}
	}
	node->SplinePlacement = ClampPlacement(p);
}

void SetSplineObjectCoord(ObjNode* node)
{
	float x, z;
	GetCoordOnSpline(RiderSpline(node), node->SplinePlacement, &x, &z);
	const float dt = gFrameTime;
	if (dt > 0)
	{
		node->Delta.x = (x - node->Coord.x) / dt;
		node->Delta.z = (z - node->Coord.z) / dt;
	}
	node->Coord.x = x;
	node->Coord.z = z;
}

void FaceNextSplinePoint(ObjNode* node)
{
	const SplineRecord* spline = RiderSpline(node);
	if (spline->numPoints <= 0 || !spline->pointList)
		return;
	int32_t k = int32_t(float(spline->numPoints) * ClampPlacement(node->SplinePlacement)) + 1;
	if (k >= spline->numPoints)
		k = 0;
	const SplinePointType& next = (*spline->pointList)[k];
	node->Rot.y = CalcYAngleFromPointToPoint(node->Rot.y, node->Coord.x, node->Coord.z, next.x, next.z);
}

bool IsSplineObjectOnActiveTerrain(ObjNode* node)
{
	bool active = false;
	if (gSuperTileStatusGrid && node->Coord.x >= 0 && node->Coord.z >= 0)
	{
		const int row = int(node->Coord.z / float(SUPERTILE_UNITS));
		const int col = int(node->Coord.x / float(SUPERTILE_UNITS));
		active = row < gSuperTilesDeep && col < gSuperTilesWide && gSuperTileStatusGrid[row][col].inRange;
	}

	if (active)
	{
		if (node->StatusBits & STATUS_BIT_DETACHED)
			AttachObject(node, true);
	}
	else if (!(node->StatusBits & STATUS_BIT_DETACHED))
		DetachObject(node, true);
	return active;
}
