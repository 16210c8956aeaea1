// Splines: the closed loops of a level's terrain file and the objects that
// ride them. At load every loop is closed seamlessly and baked into a dense
// list of points (SplineBake.cpp, GL-free, no objects); creatures and
// platforms on a loop are listed here so that the spline pass moves them and
// deleting one takes it off its loop.
// (The riders' routines and the per-frame pass land with the gameplay; until
// then PrimeSplines and MoveSplineObjects do nothing.)
#pragma once

#include <cstdint>

struct ObjNode;
struct SplinePointType;
struct SplineRecord;

// Control points repeated past each end of a loop, so that the curve through
// the seam is as smooth as anywhere else.
constexpr int SPLINE_WRAP_NUBS = 3;
// Baked points per map unit of loop length (about: the distance is the cheap
// octagonal estimate).
constexpr float SPLINE_POINTS_PER_MAP_UNIT = 3.0f;
// A loop's first and last control points must lie closer than this (map
// units); both move to their midpoint to close it.
constexpr float SPLINE_MAX_SEAM_GAP = 20.0f;
// More baked points than this in one loop means a broken file, not a level.
constexpr int32_t MAX_SPLINE_POINTS = 1 << 20;

constexpr int MAX_SPLINE_OBJECTS = 100;

extern ObjNode* gSplineObjects[MAX_SPLINE_OBJECTS];		// entries freed by a removal stay empty
extern int gNumSplineObjects;							// entries handed out this level

//
// Loops (SplineBake.cpp)
//

// Why a loaded loop cannot be closed (fewer than SPLINE_WRAP_NUBS + 1 nubs,
// ends too far apart, far too long), or null when it can.
const char* FindSplineLoopFault(const SplineRecord* spline);
// Closes a loaded loop and replaces its point list with the baked one (map
// units). A loop with a fault stops the program with it.
void PatchSplineLoop(SplineRecord* spline);

// A uniform cubic spline through `numNubs` nubs: span i gets pointsPerSpan[i]
// evenly spaced points, and a last entry of 1 appends the final nub. Returns
// a new handle of exactly the sum of pointsPerSpan points.
SplinePointType** BakeSpline(int numNubs, const SplinePointType* nubs, const int32_t* pointsPerSpan);

//
// Objects on loops
//

void PrimeSplines();
void MoveSplineObjects();
// Lists a node riding a loop ("too many spline objects" past 100).
void AddToSplineObjectList(ObjNode* node);
// Takes a node off its loop: clears its entry, its on-spline bit and its spline
// fields. Safe for a node that is not listed.
void RemoveFromSplineObjectList(ObjNode* node);
// Deletes every listed node and empties the list (level end).
void DeleteAllSplineObjects();
