// What object nodes need from the modules that hang things on them (skeletons,
// sparkles, sounds, splines, terrain). Each module installs its entries when it
// starts; an entry left null means the module is not there, and nodes do
// without it (nothing to release, no terrain: ground at height 0, always in range).
#pragma once

#include "System/Math.h"

#include <cstdint>

struct ObjNode;

struct ObjNodeServices
{
	// Skeletons
	void (*updateSkeletonAnimation)(ObjNode* node);
	void (*freeSkeleton)(ObjNode* node);
	void (*drawSkeleton)(ObjNode* node);			// skins the mesh and draws it
	// Things a node owns
	void (*deleteSparkle)(int16_t sparkle);
	void (*stopChannel)(int16_t* channel);			// stops it and sets it to −1
	void (*removeFromSplineObjectList)(ObjNode* node);
	void (*releaseTerrainItem)(ObjNode* node);		// clears the item's in-use bit
	// Terrain
	bool (*isNodeOutOfRange)(ObjNode* node);
	void (*alignNodeToTerrain)(ObjNode* node, float yOffset);
	float (*getTerrainY)(float x, float z);
	// Debug drawing (mode 2)
	void (*drawTextMeshBounds)(ObjNode* node);
	bool (*getExitBeamArea)(OGLPoint2D corners[4]);
};

extern ObjNodeServices gObjNodeServices;
