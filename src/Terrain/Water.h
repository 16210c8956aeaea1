// Water patches: flat animated polygons of the terrain file that movers
// stand in, swim in or burn in (what each kind does to the robot is the
// player's business). Priming puts each patch's outline in world units at
// its surface height and builds a fan mesh with two texture layers that
// scroll against each other; the tests of a point against the patches are
// GL-free (here), the water node's draw routine is in WaterDraw.cpp.
#pragma once

#include "3D/MetaObjects.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;

constexpr int MAX_WATER = 60;
constexpr int MAX_NUBS_IN_WATER = 80;
constexpr float WATER_SURFACE_LIFT = 100.0f;		// units above the ground at the patch's hot spot
constexpr float WATER_UV_SCALE_1 = 0.002f;			// texture repeats per world unit, layer 1
constexpr float WATER_UV_SCALE_2 = 0.0015f;			// layer 2
constexpr uint16_t WATER_SLOT = 3097;

// How each water kind looks: its alpha, additive or normal blending, and the
// scroll of its two layers (u, v per second; layer 2 runs backward).
struct WaterKindLook
{
	float alpha;
	bool additive;
	OGLVector2D scroll1;
	OGLVector2D scroll2;
};
extern const WaterKindLook kWaterKinds[];			// NUM_WATER_KINDS rows

// One patch as primed: surface height, box, and its fan mesh (outline points
// 0 … n − 1 and the centre n).
struct WaterMesh
{
	int kind;
	float y;
	OGLBoundingBox box;
	int numNubs;
	OGLPoint3D points[MAX_NUBS_IN_WATER + 1];
	OGLTextureCoord uvs1[MAX_NUBS_IN_WATER + 1];
	OGLTextureCoord uvs2[MAX_NUBS_IN_WATER + 1];
	uint32_t triangles[MAX_NUBS_IN_WATER * 3];
	MOVertexArrayData data;
};
extern WaterMesh* gWaterMeshes;						// gNumWaterPatches of them while primed
extern int gNumWaterDrawn;

// Level start: outlines to world units (a last nub repeating the first
// dropped), surface heights, meshes, the draw node.
void PrimeWater();
// Builds every patch's fan mesh and box (PrimeWater calls it).
void MakeWaterGeometry();
// The water node's draw routine (WaterDraw.cpp).
void DrawWater(ObjNode* node);
// Scrolls both layers of every patch by dt (DrawWater calls it; logic-only
// runs do not need it).
void ScrollWater(float dt);
// Frees the meshes (level end). Safe when none.
void DisposeWater();

// Sets or clears the node's STATUS_BIT_INWATER for the point; true and the
// patch's index when (x, z) is in a patch with y at or below its surface.
bool IsInWater(ObjNode* node, float x, float y, float z, int* patch);
// The water surface at (x, z) when it lies in a patch (y = 0 otherwise).
bool GetWaterY(float x, float z, float* y);
// Nonzero when (px, pz) lies inside the outline (non-zero winding, any
// direction; points are (x, z) pairs).
int IsPointInPolygon2D(float px, float pz, int count, const OGLPoint2D* points);
