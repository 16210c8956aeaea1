// Fences: vertical textured walls along a polyline of the terrain file. They
// stop movers (sliding them along, bouncing them off the posts), block lines
// of sight, and fade out with distance like the rest of the scenery. Priming
// turns the file's nubs into world units standing on the ground and builds
// one mesh per fence; the collision and segment tests are GL-free (here), the
// fence node's draw routine is in FencesDraw.cpp.
#pragma once

#include "3D/MetaObjects.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;

constexpr int MAX_FENCES = 90;
constexpr int MAX_NUBS_IN_FENCE = 80;
constexpr int NUM_FENCE_TYPES = 22;				// images of the fence sprite group
constexpr float FENCE_SINK = 70.0f;				// units a fence reaches into the ground
constexpr float FENCE_BOX_MARGIN = 20.0f;		// units beyond a mover's radius a fence's box is grown by
constexpr float FENCE_SLIDE_GAP = 8.0f;			// units beyond a mover's radius it is put off a fence
constexpr float FENCE_SLIDE_KEEP = 0.6f;		// share of the reflected speed kept sliding along a fence
constexpr float FENCE_POST_KEEP = 0.5f;			// share of the reflected speed kept off a post
constexpr int FENCE_MAX_BOUNCES = 4;			// the one that puts a trapped mover back where it started
constexpr uint16_t FENCE_SLOT = 4;

// Height of each fence type in world units.
extern const float kFenceHeights[NUM_FENCE_TYPES];

// One fence's mesh: for nub k the bottom point 2k and the top point 2k + 1.
struct FenceMesh
{
	OGLPoint3D points[2 * MAX_NUBS_IN_FENCE];
	OGLTextureCoord uvs[2 * MAX_NUBS_IN_FENCE];
	OGLColorRGBA_Byte colors[2 * MAX_NUBS_IN_FENCE];
	uint32_t triangles[(2 * MAX_NUBS_IN_FENCE - 2) * 3];
	MOVertexArrayData data;
};
extern FenceMesh* gFenceMeshes;					// gNumFences of them while primed
extern int gNumFencesDrawn;

// Level start (after the terrain file and the sprite groups): nubs to world
// units on the ground, section directions and normals, meshes, the draw node.
void PrimeFences();
// Builds every fence's mesh and bounding box (PrimeFences calls it).
void MakeFenceGeometry();
// The fence node's draw routine (FencesDraw.cpp).
void DrawFences(ObjNode* node);
// Frees the meshes and the section lists (level end). Safe when none.
void DisposeFences();

// Resolves the node's move from its OldCoord to gObjCoord (x/z, radius its
// Size) against every fence: a crossed section slides it along (r + 8 off
// the line, reflected speed × 0.6), the fourth bounce off one fence puts it
// back at its old x/z, a post (a nub within r) stops it there with half its
// reflected speed. True when any fence was hit.
bool CollideWithFences(ObjNode* node);
// The first fence section that the segment crosses in x/z: where (at the
// segment's height there), whether the segment passes above the fence top,
// and that top.
bool SegmentHitsFence(const OGLPoint3D* p1, const OGLPoint3D* p2, OGLPoint3D* hitPoint, bool* isAbove, float* fenceTop);
