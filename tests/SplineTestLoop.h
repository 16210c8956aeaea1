// A round spline loop for tests that need a rider on one: `count` baked
// points in world units round `centre`, carrying one spline item of the
// given type, installed as the only loop for the loop's lifetime.
#pragma once

#include "System/Math.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"

#include <cmath>
#include <vector>

struct SplineTestLoop
{
	std::vector<SplinePointType> points;
	SplinePointType* pointHandle = nullptr;
	SplineItemType item = {};
	SplineItemType* itemHandle = &item;
	SplineRecord record = {};
	SplineRecord* savedList = nullptr;
	int32_t savedCount = 0;

	SplineTestLoop(OGLPoint3D centre, float radius, int count, int itemType)
	{
		for (int i = 0; i < count; i++)
		{
			float a = PI2 * float(i) / float(count);
			points.push_back({centre.x + radius * std::cos(a), centre.z + radius * std::sin(a)});
		}
		pointHandle = points.data();
		record.numPoints = count;
		record.pointList = &pointHandle;
		record.numItems = 1;
		record.itemList = &itemHandle;
		item.type = uint16_t(itemType);
		savedList = gSplineList;
		savedCount = gNumSplines;
		gSplineList = &record;
		gNumSplines = 1;
	}
	~SplineTestLoop()
	{
		gSplineList = savedList;
		gNumSplines = savedCount;
	}
	SplineTestLoop(const SplineTestLoop&) = delete;
	SplineTestLoop& operator=(const SplineTestLoop&) = delete;
};
