// Splines: the closed loops of a level's terrain file and the objects that
// ride them. At load every loop is closed seamlessly and baked into a dense
// list of points (SplineBake.cpp, GL-free, no objects); creatures and
// platforms on a loop are listed here so that the spline pass moves them and
// deleting one takes it off its loop. A rider's place on its loop is a
// placement from 0 to 1; the spline pass calls each rider's spline move
// routine, which advances the placement, follows it, and takes the rider out
// of the object list while its stretch of loop lies outside the supertiles in
// range (so it costs nothing there and reappears when the player comes near).
// Everything here but DrawSplines (SplinesDraw.cpp) is GL-free.
#pragma once

#include <cstdint>

struct ObjNode;
struct SplineItemType;
struct SplinePointType;
struct SplineRecord;
typedef void (*ObjNodeRoutine)(ObjNode*);

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
constexpr int MAX_SPLINE_ITEM_NUM = 103;
// The last placement on a loop: 1.0 would be the first point again.
constexpr float SPLINE_MAX_PLACEMENT = 0.9999f;
// Status bit of a zig-zag rider on its way back toward placement 0.
constexpr uint32_t STATUS_BIT_REVERSESPLINE = 0x00800000;

// A spline item routine: makes the item's object on spline `splineNum` and
// returns true, or declines (false) and the item stays unused.
typedef bool (*SplineItemRoutine)(int splineNum, SplineItemType* item);
struct SplineItemKind
{
	const char* name;
	SplineItemRoutine add;
};
// One row per spline item type 0 … MAX_SPLINE_ITEM_NUM (SplineItemTable.cpp).
extern const SplineItemKind kSplineItemRoutines[MAX_SPLINE_ITEM_NUM + 1];
// The routine of rows whose rider is not in the game (yet): declines.
bool AddSplineItemNotBuiltYet(int splineNum, SplineItemType* item);

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

// Level start: loops to world units, the list emptied, every item's routine run.
void PrimeSplines();
// Each frame: every listed rider's spline move routine (old boxes kept first).
void MoveSplineObjects();
// Lists a node riding a loop ("too many spline objects" past 100); with
// faceAhead its heading turns toward the next point.
void AddToSplineObjectList(ObjNode* node, bool faceAhead = false);
// The common start of every rider: on-spline bit, spline number, item,
// placement and move routine set, listed, and taken out of the object list
// (with its chain) until its first visibility check.
void StartSplineRider(ObjNode* node, int splineNum, SplineItemType* item, ObjNodeRoutine splineMoveCall,
		bool faceAhead);
// A rider leaving its loop for good (to chase the player): back in the object
// list with its chain, off the spline list, InitCoord = Coord, and `moveCall`
// installed. Nothing happens to a node that is not on a spline.
void DetachFromSpline(ObjNode* node, ObjNodeRoutine moveCall);
// Takes a node off its loop: clears its entry, its on-spline bit and its spline
// fields. Safe for a node that is not listed.
void RemoveFromSplineObjectList(ObjNode* node);
// Deletes every listed node and empties the list (level end).
void DeleteAllSplineObjects();

// (x, z) in world units at `placement` on the loop: clamped to 0 … 0.9999 (a
// NaN reads as 0), linear between the baked points, the last point joined to
// the first.
void GetCoordOnSpline(const SplineRecord* spline, float placement, float* x, float* z);
// Advances the rider's placement by `speed` points per second (negative goes
// backward), wrapping round the loop.
void IncreaseSplineIndex(ObjNode* node, float speed);
// The same, but the rider runs to the end of its loop, turns and runs back.
void IncreaseSplineIndexZigZag(ObjNode* node, float speed);
// Coord x and z from the placement; Delta x and z from the change over this frame.
void SetSplineObjectCoord(ObjNode* node);
// Heading toward the point after the rider's current one.
void FaceNextSplinePoint(ObjNode* node);
// Whether the supertile under the rider is in range: attaches a detached rider
// (true) or detaches an attached one (false).
bool IsSplineObjectOnActiveTerrain(ObjNode* node);

// The debug wireframe view: each loop near the camera as a white strip, its
// nubs as posts with arrows toward the next one (SplinesDraw.cpp).
void DrawSplines();
