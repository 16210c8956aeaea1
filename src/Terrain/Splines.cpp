// The list of objects riding spline loops.
#include "Terrain/Splines.h"
#include "System/Error.h"
#include "System/Objects.h"

ObjNode* gSplineObjects[MAX_SPLINE_OBJECTS] = {};
int gNumSplineObjects = 0;

void PrimeSplines()
{
}

void MoveSplineObjects()
{
}

void AddToSplineObjectList(ObjNode* node)
{
	if (gNumSplineObjects >= MAX_SPLINE_OBJECTS)
		FatalAlert("AddToSplineObjectList: too many spline objects");
	node->SplineObjectIndex = int16_t(gNumSplineObjects);
	node->StatusBits |= STATUS_BIT_ONSPLINE;
	gSplineObjects[gNumSplineObjects++] = node;
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
