// Object nodes: every thing in a scene is an ObjNode in one list ordered by its
// slot. Once per frame MoveObjects calls each node's move routine in list
// order and DrawObjects culls and draws the same list. Deleted nodes are
// marked at once and freed after the move pass, so a list walk never meets a
// freed node.
#pragma once

#include "System/FrameWatcher.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;
struct MetaObjectHeader;
struct SkeletonObjDataType;
struct TerrainItemEntryType;
struct SplineItemType;
typedef void (*ObjNodeRoutine)(ObjNode*);
// A node's answer to an attack of one weapon type (Player/WeaponTypes.h):
// `weapon` is the projectile or the punching hand (null for the nova, the
// saucer beam, a jet hit and direct hurt), `where` the point of impact and
// `delta` the projectile's velocity when there are such, `damage` the amount
// for direct hurt (WEAPON_HURT). True when the hit counts: the projectile is
// spent, the punch is taken.
typedef bool (*WeaponHitHandler)(ObjNode* weapon, ObjNode* target, const OGLPoint3D* where, const OGLVector3D* delta,
		float damage);

enum
{
	SKELETON_GENRE = 0,
	DISPLAY_GROUP_GENRE = 1,
	SPRITE_GENRE = 2,
	CUSTOM_GENRE = 3,
	NODRAW_GENRE = 4,
	TEXTMESH_GENRE = 5,
};

enum : uint32_t
{
	STATUS_BIT_ONGROUND = 0x00000001,
	STATUS_BIT_CLAMPUV = 0x00000002,
	STATUS_BIT_DONTCULL = 0x00000004,
	STATUS_BIT_NOCOLLISION = 0x00000008,		// takes no part in collision tests
	STATUS_BIT_NOMOVE = 0x00000010,
	STATUS_BIT_MOVEINPAUSE = 0x00000020,
	STATUS_BIT_HIDDEN = 0x00000040,
	STATUS_BIT_KEEPBACKFACES = 0x00000080,
	STATUS_BIT_INWATER = 0x00000100,			// the water test found it in a water patch
	STATUS_BIT_ROTXZY = 0x00000200,
	STATUS_BIT_ISCULLED = 0x00000400,
	STATUS_BIT_GLOW = 0x00000800,
	STATUS_BIT_ROTYZX = 0x00001000,
	STATUS_BIT_NOLIGHTING = 0x00002000,
	STATUS_BIT_ALWAYSCULL = 0x00004000,
	STATUS_BIT_ALPHATESTOPAQUE = 0x00008000,
	STATUS_BIT_NOZBUFFER = 0x00020000,
	STATUS_BIT_NOZWRITES = 0x00040000,
	STATUS_BIT_NOFOG = 0x00080000,
	STATUS_BIT_AUTOFADE = 0x00100000,
	STATUS_BIT_DETACHED = 0x00200000,
	STATUS_BIT_ONSPLINE = 0x00400000,
	STATUS_BIT_FACECAMERA = 0x02000000,
	STATUS_BIT_USEALIGNMENTMATRIX = 0x04000000,
	STATUS_BIT_TEXTUREOFFSET = 0x08000000,
	STATUS_BIT_ROTZXY = 0x10000000,
};

constexpr uint32_t INVALID_NODE_FLAG = 0xDEADBEEF;		// CType of a deleted node
constexpr uint32_t CTYPE_SHADOWTOP = 0x80;

constexpr int MAX_NODES = 700;					// preallocated records; more come from the heap
constexpr int OBJ_DEL_Q_SIZE = 200;				// the delete queue's usual capacity
constexpr int MAX_COLLISION_BOXES = 8;
constexpr int MAX_FLAGS_IN_OBJNODE = 5;
constexpr int MAX_NODE_SPARKLES = 20;
constexpr int MAX_NODE_VAPOR_TRAILS = 20;
constexpr int NUM_WEAPON_TYPES = 11;
constexpr uint16_t SLOT_OF_DUMB = 3000;			// world objects sit below this slot

struct CollisionBoxType
{
	float left, right, front, back, top, bottom;
};

struct ObjNode
{
	ObjNode* PrevNode;
	ObjNode* NextNode;
	ObjNode* ChainNode;
	ObjNode* ChainHead;
	ObjNode* ShadowNode;
	ObjNode* LinkNode;
	ObjNode* ShadowOwner;				// on a shadow: the node it belongs to

	uint16_t Slot;
	uint8_t Genre;
	uint8_t Type;
	uint8_t Group;
	uint8_t Kind;

	ObjNodeRoutine MoveCall;
	ObjNodeRoutine SplineMoveCall;
	ObjNodeRoutine CustomDrawFunction;

	uint32_t StatusBits;

	OGLPoint3D Coord;
	OGLPoint3D OldCoord;
	OGLPoint3D InitCoord;
	OGLVector3D Delta;
	OGLVector3D DeltaRot;
	OGLVector3D Rot;
	OGLVector3D Scale;
	OGLVector2D AccelVector;
	float Slipperiness;
	float Speed;
	float Speed2D;
	float SpeedParam;
	OGLVector2D TargetOff;
	OGLVector3D OffsetVector;

	uint32_t CType;
	uint32_t CBits;
	uint8_t TriggerSides;				// a trigger's sides that fire it
	uint8_t NumCollisionBoxes;
	CollisionBoxType CollisionBoxes[MAX_COLLISION_BOXES];
	CollisionBoxType OldCollisionBoxes[MAX_COLLISION_BOXES];
	int32_t LeftOff, RightOff, FrontOff, BackOff, TopOff, BottomOff;
	float Size;

	WeaponHitHandler HitByWeaponHandler[NUM_WEAPON_TYPES];	// empty slot: unaffected by that weapon

	uint8_t Mode;
	uint8_t SubKind;
	uint8_t SubFlag;
	uint8_t Flag[MAX_FLAGS_IN_OBJNODE];
	int32_t Special[6];
	float SpecialF[7];
	float Health;
	float Damage;

	OGLMatrix4x4 AlignmentMatrix;
	OGLMatrix4x4 BaseTransformMatrix;
	MetaObjectHeader* BaseTransformObject;
	MetaObjectHeader* BaseGroup;
	OGLBoundingBox BBox;

	SkeletonObjDataType* Skeleton;
	TerrainItemEntryType* TerrainItemPtr;
	SplineItemType* SplineItemPtr;
	uint8_t SplineNum;
	float SplinePlacement;
	int16_t SplineObjectIndex;

	int16_t EffectChannel;
	int16_t ParticleGroup;
	uint32_t ParticleMagicNum;
	float ParticleTimer;

	MetaObjectHeader* SpriteMO;
	int32_t TextMesh;

	OGLColorRGBA ColorFilter;
	float TextureTransformU;
	float TextureTransformV;

	int16_t VaporTrails[MAX_NODE_VAPOR_TRAILS];
	int16_t Sparkles[MAX_NODE_SPARKLES];

	uint32_t Serial;					// unique per creation: tells a recycled record from the node it was
	uint8_t Pass;						// the DrawPass it draws in, or DRAW_PASS_BY_GENRE
};

// A node's pass follows from its genre and status bits unless its maker says.
constexpr uint8_t DRAW_PASS_BY_GENRE = NUM_DRAW_PASSES;

struct ObjectDef
{
	uint8_t genre;
	uint8_t group;
	uint8_t type;
	OGLPoint3D coord;
	uint32_t flags;
	int16_t slot;
	ObjNodeRoutine moveCall;
	ObjNodeRoutine drawCall;
	float rot;
	float scale;
	ObjNode* chainTail;		// when set: the new node joins that node's chain and becomes the tail
	uint8_t drawPass = DRAW_PASS_BY_GENRE;	// what a custom draw routine draws (System/FrameWatcher.h)
};

// A reference to a node that survives frames: Get() gives the node while it
// lives and null once it was deleted, even after its record is reused.
class ObjNodeRef
{
public:
	ObjNodeRef() = default;
	explicit ObjNodeRef(ObjNode* node);
	ObjNode* Get() const;
	bool IsAlive() const { return Get() != nullptr; }
	void Clear() { node_ = nullptr; serial_ = 0; }
private:
	ObjNode* node_ = nullptr;
	uint32_t serial_ = 0;
};

extern ObjNode* gObjectListHead;
extern int gObjectCount;
extern ObjNode* gCurrentMoveNode;
extern ObjNode* gNextMoveNode;
extern ObjNode* gLastCreatedNode;
extern OGLPoint3D gObjCoord;
extern OGLVector3D gObjDelta;
extern ObjectDef gObjectDef;
// While set, only nodes with STATUS_BIT_MOVEINPAUSE move (pause menu, warp cheat).
extern bool gGamePaused;

//
// Lifetime
//

void InitObjectManager();
ObjNode* MakeNewObject(ObjectDef* def);
ObjNode* MakeNewDisplayGroupObject(ObjectDef* def);
void ResetDisplayGroupObject(ObjNode* node);
void CreateBaseGroup(ObjNode* node);
void DeleteObject(ObjNode* node);
void FlushObjectDeleteQueue();
void DeleteAllObjects();
void DetachObject(ObjNode* node, bool withChain);
void AttachObject(ObjNode* node, bool withChain);

// Nodes waiting in the delete queue.
int GetObjectDeleteQueueCount();
// Whether a node is one of the preallocated records (else a heap block).
bool IsNodeInStorage(const ObjNode* node);
// Any code that walks nodes and calls their routines outside MoveObjects (the
// spline riders) opens a move pass too, so deletions stay deferred until it ends.
void BeginObjectMovePass();
void EndObjectMovePass();

//
// Per frame
//

void MoveObjects();
void DrawObjects();
// Tells the frame watcher that the scene pass moves on to `pass` (once per
// change); draw routines that draw more than one kind of thing call it.
void BeginDrawPass(DrawPass pass);
// The draw pass's frustum test alone (sets or clears STATUS_BIT_ISCULLED), for
// runs that do not draw.
void CullObjects();
void GetObjectInfo(ObjNode* node);
void UpdateObject(ObjNode* node);
void UpdateObjectTransforms(ObjNode* node);
void SyncBaseTransformObject(ObjNode* node);
void AppendToObjectBaseGroup(ObjNode* node, MetaObjectHeader* object);
// The rotation part of a node's matrix, by its rotation-order status bits.
void CalcObjectRotationMatrix(const ObjNode* node, OGLMatrix4x4* m);

//
// Collision boxes
//

void CalcObjectBoxFromNode(ObjNode* node);
void CalcObjectBoxFromGlobal(ObjNode* node);
void KeepOldCollisionBoxes(ObjNode* node);
void SetObjectCollisionBounds(ObjNode* node, int16_t top, int16_t bottom, int16_t left,
		int16_t right, int16_t front, int16_t back);
void AddCollisionBoxToObject(ObjNode* node, float top, float bottom, float left,
		float right, float front, float back);
void CreateCollisionBoxFromBoundingBox(ObjNode* node, float sideFactor, float topFactor);
void CreateCollisionBoxFromBoundingBox_Update(ObjNode* node, float sideFactor, float topFactor);
void CreateCollisionBoxFromBoundingBox_Maximized(ObjNode* node);
void CreateCollisionBoxFromBoundingBox_Rotated(ObjNode* node, float sideFactor, float topFactor);

//
// Shadows
//

ObjNode* AttachShadowToObject(ObjNode* node, int shadowKind, float scaleX, float scaleZ, bool checkBlockers);
void UpdateShadow(ObjNode* node);
void DrawShadow(ObjNode* shadow);

//
// Searches and standard move routines
//

ObjNode* FindClosestCType(const OGLPoint3D* point, uint32_t ctypeMask);
ObjNode* FindClosestCType3D(const OGLPoint3D* point, uint32_t ctypeMask);
// Finds the first live node whose move routine is `routine`.
ObjNode* FindObjectWithMoveCall(ObjNodeRoutine routine);
void SetRandomTargetOff(ObjNode* node, float range);
void StopObjectStreamEffect(ObjNode* node);
void MoveStaticObject(ObjNode* node);
void MoveStaticObjectOnTerrain(ObjNode* node);
void MoveStaticObjectGrounded(ObjNode* node);

//
// Drawing helpers (pure, for the draw pass and its tests)
//

// Clip-space outcode of one corner: 8/4 for y, 0x20/0x10 for z, 2/1 for x.
uint32_t CalcClipOutcode(const OGLPoint4D& clip);
// True when all eight corners of `box` under `boxToClip` lie beyond one plane.
bool IsBoxOutsideFrustum(const OGLBoundingBox& box, const OGLMatrix4x4& boxToClip);
// The alpha an auto-fading node keeps at horizontal distance `dist` (after the
// box widening); <= 0 means not drawn. From fadeEnd on an opaque node is gone
// whatever the rounding of fadeRate.
float CalcAutoFadeAlpha(float alpha, float dist, float fadeStart, float fadeEnd, float fadeRate);
