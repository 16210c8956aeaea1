// Collision between the axis-aligned boxes of object nodes. A mover asks for
// everything of some classes that its first box touches; its old and new
// boxes tell which of its sides struck which solid side of an obstacle.
// ResolveCollisions pushes the mover out, bounces or stops it, records the
// platform it stands on, lets triggers react, and optionally keeps it out of
// fences, above the ground and tells whether it is in water. The queries
// answer whether anything is at a point, in a box or along a segment.
#pragma once

#include "System/Objects.h"

#include <cstdint>

//
// Side bits: solid sides of an obstacle (CBits), the mover's struck sides in a
// collision record, and the sides of a trigger that fire it.
//

enum : uint32_t
{
	SIDE_TOP = 0x01,
	SIDE_BOTTOM = 0x02,
	SIDE_LEFT = 0x04,
	SIDE_RIGHT = 0x08,
	SIDE_FRONT = 0x10,
	SIDE_BACK = 0x20,
	SIDE_ALL = 0x3F,
	SIDE_ANY_OVERLAP = 0x40,			// any overlap collides, with no side
	SIDE_TRIGGER_INSIDE = 0x80,			// an overlap with no side to tell still counts
};

// ResolveCollisions adds this to its result when a fence was hit.
constexpr uint32_t COLLISION_HIT_FENCE = 0x40;

//
// Collision classes (CType). CTYPE_SHADOWTOP is in System/Objects.h.
//

enum : uint32_t
{
	CTYPE_PLAYER = 0x00000001,
	CTYPE_HUMAN = 0x00000002,
	CTYPE_BLOCKSIGHT = 0x00000004,
	CTYPE_TRIGGER2 = 0x00000008,		// a trigger for movers other than the player
	CTYPE_TRIGGER = 0x00000010,			// a trigger for the player
	CTYPE_MISC = 0x00000040,
	CTYPE_WATER = 0x00000100,			// in a mask: also test the water patches
	CTYPE_PICKUP = 0x00000200,
	CTYPE_HURTME = 0x00000400,
	CTYPE_FENCE = 0x00001000,			// in a mask: also resolve fences
	CTYPE_TERRAIN = 0x00002000,			// in a mask: also keep the mover above the ground
	CTYPE_ENEMY = 0x00008000,
	CTYPE_AUTOTARGET = 0x00040000,
	CTYPE_BLOCKCAMERA = 0x00080000,
	CTYPE_PLATFORM = 0x00200000,		// landing on it makes it the mover's LinkNode
	CTYPE_PUSH_BY_POSITION = 0x00400000,	// no side to tell: sides from the relative positions
};

//
// The collision list
//

constexpr int MAX_COLLISIONS = 60;

enum : uint8_t
{
	COLLISION_TYPE_OBJ = 0,
};

struct CollisionRecord
{
	uint8_t baseBox;			// the mover's box (always 0)
	uint8_t targetBox;			// the obstacle's box
	uint16_t sides;				// from the mover's point of view
	uint8_t type;				// COLLISION_TYPE_OBJ
	ObjNode* objectPtr;			// the obstacle
};

// Valid only right after the call that filled them.
extern CollisionRecord gCollisionList[MAX_COLLISIONS];
extern int gNumCollisions;
extern uint32_t gTotalSides;			// OR of every side reported by CollisionDetect

//
// Detection and resolution
//

// Appends, from record startNumCollisions on, every box of every other node of
// a class in cTypeMask that collides with the node's first box.
void CollisionDetect(ObjNode* node, uint32_t cTypeMask, int startNumCollisions);

// Resolves the move of `node` held in gObjCoord/gObjDelta against the nodes of
// cTypeMask (and fences, ground, water by their mask bits). bounce scales the
// velocity into a struck side (its sign is ignored). Returns the struck sides,
// with SIDE_BOTTOM for the ground and COLLISION_HIT_FENCE for a fence.
uint32_t ResolveCollisions(ObjNode* node, uint32_t cTypeMask, float bounce);

//
// Queries (they fill the collision list with sides 0)
//

// Every box of every matching node that overlaps the given box.
int FindBoxCollisions(float top, float bottom, float left, float right, float front, float back, uint32_t cTypeMask);
bool BoxHitsNode(float top, float bottom, float left, float right, float front, float back, const ObjNode* node);
bool BoxHitsPlayer(float top, float bottom, float left, float right, float front, float back);

// Matching nodes (one record each, for the first box) whose boxes contain the point.
int FindPointCollisions(const OGLPoint3D* point, uint32_t cTypeMask, const ObjNode* ignoreNode);
bool PointHitsPlayer(const OGLPoint3D* point);

// The highest solid top at (x, z) among matching nodes' boxes; with
// CTYPE_TERRAIN at least the ground, with CTYPE_WATER at least the water.
// −10000000 when nothing is there.
float HighestSurfaceAt(float x, float z, uint32_t cTypeMask);

// Whether the segment passes through the first box of a matching node (or a
// fence, with CTYPE_FENCE in the mask). Only the first crossing of the box's
// outline in x/z is tested, so a segment that starts inside a box and never
// crosses its outline does not hit it.
bool SegmentHitsAnything(const OGLPoint3D* p1, const OGLPoint3D* p2, const ObjNode* ignoreNode, uint32_t cTypeMask);
bool SegmentHitsPlayer(const OGLPoint3D* p1, const OGLPoint3D* p2);

//
// Triggers
//

enum : uint8_t
{
	TRIGGER_KIND_JUMPJET_DOOR = 0,
	TRIGGER_KIND_GATE = 1,
	TRIGGER_KIND_HUMAN = 2,
	TRIGGER_KIND_ENEMY = 3,
	TRIGGER_KIND_CHECKPOINT = 4,
	TRIGGER_KIND_BOUNCE_PAD = 5,
	TRIGGER_KIND_SOLID = 6,
	TRIGGER_KIND_BUBBLE_PUMP = 7,
	TRIGGER_KIND_SPINNING_PLATFORM = 8,
	TRIGGER_KIND_GIANT_JUMPJET_WALL = 9,
	TRIGGER_KIND_TURTLE = 10,
	TRIGGER_KIND_GIANT_ROBOT_WALL = 11,
	TRIGGER_KIND_BOUNCY_OBJECT = 12,
	TRIGGER_KIND_GIANT_ROBOT_POD = 13,
	TRIGGER_KIND_JUMPJET_DEBRIS = 14,
	TRIGGER_KIND_MINE = 15,
	TRIGGER_KIND_CRUSHER = 16,
	TRIGGER_KIND_BUMPER_CAR = 17,
	TRIGGER_KIND_BUMPER_POLE = 18,
	TRIGGER_KIND_ROCKET_SLED = 19,
	TRIGGER_KIND_TRAP_DOOR = 20,
	TRIGGER_KIND_SINKING_PLATFORM = 21,
	NUM_TRIGGER_KINDS = 22,
};

// Answers whether the collision must still act as solid.
typedef bool (*TriggerHandler)(ObjNode* trigger, ObjNode* mover, uint32_t sides);

// Installs the handler of a trigger kind (null: the kind is plain solid).
// A kind nobody installed acts as a solid obstacle.
void SetTriggerHandler(int kind, TriggerHandler handler);
// Back to no handlers at all.
void ClearTriggerHandlers();

// The sides of a trigger that fire it.
inline uint8_t& TriggerSides(ObjNode* trigger) { return trigger->TriggerSides; }

// Runs the trigger's handler when the side it was struck on fires it (or it
// fires on any overlap); otherwise the collision is solid.
bool HandleTrigger(ObjNode* trigger, ObjNode* mover, uint32_t sides);

//
// Shared by the collision files
//

// Boxes that only touch overlap.
inline bool DoBoxesOverlap(const CollisionBoxType& a, const CollisionBoxType& b)
{
	return a.right >= b.left && a.left <= b.right
		&& a.front >= b.back && a.back <= b.front
		&& a.top >= b.bottom && a.bottom <= b.top;
}

// The first node of the collision scan and the stop rule: nodes in the slots
// of non-colliding things (3000 and up) and deleted nodes end the scan.
inline bool IsEndOfCollisionScan(const ObjNode* node)
{
	return !node || node->Slot >= SLOT_OF_DUMB || node->CType == INVALID_NODE_FLAG;
}

// A node of a class in the mask that takes part in collisions.
inline bool IsNodeCollidable(const ObjNode* node, uint32_t cTypeMask)
{
	return (node->CType & cTypeMask) && !(node->StatusBits & STATUS_BIT_NOCOLLISION) && node->CBits != 0;
}

// The node's box count, never past its array.
inline int CollisionBoxCount(const ObjNode* node)
{
	return node->NumCollisionBoxes < MAX_COLLISION_BOXES ? node->NumCollisionBoxes : MAX_COLLISION_BOXES;
}
