// Node storage, the slot-ordered list, creation, deletion and the move pass.
#include "System/Objects.h"
#include "System/Error.h"
#include "System/Pool.h"
#include "System/Sound.h"
#include "3D/Skeleton.h"
#include "Effects/Sparkles.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainItems.h"
#include "3D/MetaObjects.h"
#include "Memory.h"

#include <algorithm>
#include <cstring>
#include <vector>


ObjNode* gObjectListHead = nullptr;
int gObjectCount = 0;
ObjNode* gCurrentMoveNode = nullptr;
ObjNode* gNextMoveNode = nullptr;
ObjNode* gLastCreatedNode = nullptr;
OGLPoint3D gObjCoord;
OGLVector3D gObjDelta;
ObjectDef gObjectDef;
bool gGamePaused = false;

static ObjNode* gNodeStorage = nullptr;		// MAX_NODES records in one block
static Pool* gNodePool = nullptr;
static std::vector<ObjNode*> gHeapNodes;		// live records past the pool, for reference checks
static std::vector<ObjNode*> gDeleteQueue;
static int gMovePassDepth = 0;
static uint32_t gNextSerial = 1;

//
// Storage
//

bool IsNodeInStorage(const ObjNode* node)
{
	return gNodeStorage && node >= gNodeStorage && node < gNodeStorage + MAX_NODES;
}

void InitObjectManager()
{
	gObjectListHead = nullptr;
	gObjectCount = 0;
	gCurrentMoveNode = nullptr;
	gNextMoveNode = nullptr;
	gLastCreatedNode = nullptr;
	gMovePassDepth = 0;

	// Heap nodes of a previous run are gone with it; nothing may point at them.
	for (ObjNode* node : gHeapNodes)
		DisposePtr(reinterpret_cast<Ptr>(node));
	gHeapNodes.clear();
	gDeleteQueue.clear();
	gDeleteQueue.reserve(OBJ_DEL_Q_SIZE);

	if (!gNodeStorage)
		gNodeStorage = reinterpret_cast<ObjNode*>(NewPtrClear(int32_t(sizeof(ObjNode) * MAX_NODES)));
	else
		std::memset(gNodeStorage, 0, sizeof(ObjNode) * MAX_NODES);
	GAME_ASSERT(gNodeStorage);

	if (gNodePool)
		Pool_Free(gNodePool);
	gNodePool = Pool_New(MAX_NODES);

	gObjectDef = {};
	gObjectDef.scale = 1;
}

static ObjNode* AllocateNode()
{
	int32_t index = gNodePool ? Pool_AllocateIndex(gNodePool) : -1;
	if (index >= 0)
		return &gNodeStorage[index];

	// Past the preallocated records: a heap block of its own.
	ObjNode* node = reinterpret_cast<ObjNode*>(NewPtr(sizeof(ObjNode)));
	if (node)
		gHeapNodes.push_back(node);
	return node;
}

static void FreeNode(ObjNode* node)
{
	if (IsNodeInStorage(node))
	{
		Pool_ReleaseIndex(gNodePool, int32_t(node - gNodeStorage));
		return;
	}
	auto it = std::find(gHeapNodes.begin(), gHeapNodes.end(), node);
	GAME_ASSERT(it != gHeapNodes.end());
	*it = gHeapNodes.back();
	gHeapNodes.pop_back();
	DisposePtr(reinterpret_cast<Ptr>(node));
}

//
// References that survive frames
//

ObjNodeRef::ObjNodeRef(ObjNode* node)
	: node_(node), serial_(node ? node->Serial : 0)
{
}

ObjNode* ObjNodeRef::Get() const
{
	if (!node_)
		return nullptr;
	// A heap record may have been freed: only read it while it is still ours.
	if (!IsNodeInStorage(node_)
		&& std::find(gHeapNodes.begin(), gHeapNodes.end(), node_) == gHeapNodes.end())
		return nullptr;
	if (node_->Serial != serial_ || node_->CType == INVALID_NODE_FLAG)
		return nullptr;
	return node_;
}

//
// The list
//

static void LinkBySlot(ObjNode* node)
{
	if (!gObjectListHead || node->Slot < gObjectListHead->Slot)
	{
		node->PrevNode = nullptr;
		node->NextNode = gObjectListHead;
		if (gObjectListHead)
			gObjectListHead->PrevNode = node;
		gObjectListHead = node;
		return;
	}

	// Behind every node whose slot is lower or equal.
	ObjNode* prev = gObjectListHead;
	while (prev->NextNode && prev->NextNode->Slot <= node->Slot)
		prev = prev->NextNode;
	node->PrevNode = prev;
	node->NextNode = prev->NextNode;
	if (prev->NextNode)
		prev->NextNode->PrevNode = node;
	prev->NextNode = node;
}

static void UnlinkFromList(ObjNode* node)
{
	if (gNextMoveNode == node)
		gNextMoveNode = node->NextNode;
	if (node->PrevNode)
		node->PrevNode->NextNode = node->NextNode;
	else
		gObjectListHead = node->NextNode;
	if (node->NextNode)
		node->NextNode->PrevNode = node->PrevNode;
	node->PrevNode = node->NextNode = nullptr;
	node->StatusBits |= STATUS_BIT_DETACHED;
}

//
// Creation
//

ObjNode* MakeNewObject(ObjectDef* def)
{
	ObjNode* newNodePtr = AllocateNode();
	GAME_ASSERT(newNodePtr);
	ObjNode* node = newNodePtr;

	std::memset(node, 0, sizeof(ObjNode));
	node->Serial = gNextSerial++;
	if (gNextSerial == 0)
		gNextSerial = 1;		// 0 is what an empty reference holds

	node->Slot = uint16_t(def->slot);
	node->Genre = def->genre;
	node->Type = def->type;
	node->Group = def->group;
	node->MoveCall = def->moveCall;
	node->CustomDrawFunction = def->drawCall;
	node->Pass = def->drawPass;
	node->SplineMoveCall = (def->flags & STATUS_BIT_ONSPLINE) ? def->moveCall : nullptr;
	node->Coord = node->OldCoord = node->InitCoord = def->coord;
	node->StatusBits = def->flags;
	node->Rot.y = def->rot;
	float scale = def->scale == 0.0f ? 0.0001f : def->scale;
	node->Scale = {scale, scale, scale};
	node->Size = 100;
	node->ColorFilter = {1, 1, 1, 1};
	node->BBox.isEmpty = true;
	node->EffectChannel = -1;
	node->ParticleGroup = -1;
	node->SplineObjectIndex = -1;
	for (int i = 0; i < MAX_NODE_VAPOR_TRAILS; i++)
		node->VaporTrails[i] = -1;
	for (int i = 0; i < MAX_NODE_SPARKLES; i++)
		node->Sparkles[i] = -1;
	OGLMatrix4x4_SetIdentity(&node->AlignmentMatrix);
	OGLMatrix4x4_SetIdentity(&node->BaseTransformMatrix);

	LinkBySlot(node);
	gObjectCount++;

	if (def->chainTail)
	{
		ObjNode* tail = def->chainTail;
		tail->ChainNode = node;
		node->ChainHead = tail->ChainHead ? tail->ChainHead : tail;
		def->chainTail = node;
	}

	gLastCreatedNode = node;
	return node;
}

//
// Deletion
//

// A member deleted on its own leaves its chain at its predecessor (it takes
// the rest of the chain with it).
static void UnlinkFromChain(ObjNode* node)
{
	ObjNode* head = node->ChainHead;
	if (!head)
		return;
	for (ObjNode* prev = head; prev; prev = prev->ChainNode)
	{
		if (prev->ChainNode == node)
		{
			prev->ChainNode = nullptr;
			return;
		}
	}
}

void DeleteObject(ObjNode* node)
{
	if (!node)
		return;
	if (node->CType == INVALID_NODE_FLAG)
		FatalAlert("Attempted to Double Delete an Object.  Object was already deleted!  genre=%d group=%d type=%d",
				node->Genre, node->Group, node->Type);

	if (ObjNode* chained = node->ChainNode)
	{
		node->ChainNode = nullptr;
		DeleteObject(chained);
	}
	if (ObjNode* shadow = node->ShadowNode)
	{
		node->ShadowNode = nullptr;
		DeleteObject(shadow);
	}
	UnlinkFromChain(node);
	if (node->ShadowOwner)
	{
		if (node->ShadowOwner->ShadowNode == node)
			node->ShadowOwner->ShadowNode = nullptr;
		node->ShadowOwner = nullptr;
	}

	if (node->Genre == SKELETON_GENRE && node->Skeleton)
	{
		FreeSkeletonBaseData(node->Skeleton);
		node->Skeleton = nullptr;
	}
	if (node->Genre == SPRITE_GENRE && node->SpriteMO)
	{
		MO_DisposeObjectReference(node->SpriteMO);
		node->SpriteMO = nullptr;
	}

	for (int i = 0; i < MAX_NODE_SPARKLES; i++)
	{
		if (node->Sparkles[i] != -1)
		{
			DeleteSparkle(node->Sparkles[i]);
			node->Sparkles[i] = -1;
		}
	}

	StopObjectStreamEffect(node);

	if (node->BaseGroup)
	{
		MO_DisposeObjectReference(node->BaseGroup);
		node->BaseGroup = nullptr;
	}
	if (node->BaseTransformObject)
	{
		MO_DisposeObjectReference(node->BaseTransformObject);
		node->BaseTransformObject = nullptr;
	}

	if (!(node->StatusBits & STATUS_BIT_DETACHED))
		UnlinkFromList(node);

	if (node->TerrainItemPtr)
	{
		ReleaseTerrainItem(node->TerrainItemPtr);
		node->TerrainItemPtr = nullptr;
	}

	if (node->StatusBits & STATUS_BIT_ONSPLINE)
	{
		RemoveFromSplineObjectList(node);
	}

	node->CType = INVALID_NODE_FLAG;
	gDeleteQueue.push_back(node);

	// Never free records while a move pass may still hold them: the queue
	// grows instead and is flushed when the pass ends.
	if (int(gDeleteQueue.size()) >= OBJ_DEL_Q_SIZE && gMovePassDepth == 0)
		FlushObjectDeleteQueue();
}

void FlushObjectDeleteQueue()
{
	int flushed = 0;
	for (ObjNode* node : gDeleteQueue)
	{
		GAME_ASSERT(node != NULL);
		FreeNode(node);
		flushed++;
	}
	gObjectCount -= flushed;
	gDeleteQueue.clear();
}

int GetObjectDeleteQueueCount()
{
	return int(gDeleteQueue.size());
}

void DeleteAllObjects()
{
	while (gObjectListHead)
		DeleteObject(gObjectListHead);
	FlushObjectDeleteQueue();
}

//
// Detaching
//

static void ForChainAndShadow(ObjNode* node, void (*action)(ObjNode*, bool))
{
	if (node->ChainNode)
		action(node->ChainNode, true);
	if (node->ShadowNode)
		action(node->ShadowNode, true);
}

void DetachObject(ObjNode* node, bool withChain)
{
	if (!node || node->CType == INVALID_NODE_FLAG)
		return;
	if (!(node->StatusBits & STATUS_BIT_DETACHED))
		UnlinkFromList(node);		// advances gNextMoveNode if it pointed here
	if (withChain)
		ForChainAndShadow(node, DetachObject);
}

void AttachObject(ObjNode* node, bool withChain)
{
	if (!node || node->CType == INVALID_NODE_FLAG)
		return;
	if (node->StatusBits & STATUS_BIT_DETACHED)
	{
		node->StatusBits &= ~STATUS_BIT_DETACHED;
		LinkBySlot(node);
	}
	if (withChain)
		ForChainAndShadow(node, AttachObject);
}

//
// The move pass
//

void BeginObjectMovePass()
{
	gMovePassDepth++;
}

void EndObjectMovePass()
{
	GAME_ASSERT(gMovePassDepth > 0);
	gMovePassDepth--;
}

void MoveObjects()
{
	if (!gObjectListHead)
		return;

	BeginObjectMovePass();
	for (ObjNode* node = gObjectListHead; node; node = gNextMoveNode)
	{
		gCurrentMoveNode = node;
		gNextMoveNode = node->NextNode;

		if (node->CType == INVALID_NODE_FLAG)
			FatalAlert("MoveObjects: CType == INVALID_NODE_FLAG");

		if (gGamePaused && !(node->StatusBits & STATUS_BIT_MOVEINPAUSE))
			continue;

		if (node->Skeleton)
			UpdateSkeletonAnimation(node);

		if (!(node->StatusBits & (STATUS_BIT_NOMOVE | STATUS_BIT_ONSPLINE)) && node->MoveCall)
		{
			KeepOldCollisionBoxes(node);
			node->MoveCall(node);
		}
	}
	gCurrentMoveNode = nullptr;
	gNextMoveNode = nullptr;
	EndObjectMovePass();

	if (gMovePassDepth == 0)
		FlushObjectDeleteQueue();
}

void GetObjectInfo(ObjNode* node)
{
	gObjCoord = node->Coord;
	gObjDelta = node->Delta;
}

void UpdateObject(ObjNode* node)
{
	if (node->CType == INVALID_NODE_FLAG)
		return;
	node->Coord = gObjCoord;
	node->Delta = gObjDelta;
	UpdateObjectTransforms(node);
	CalcObjectBoxFromNode(node);
	UpdateShadow(node);
}

void StopObjectStreamEffect(ObjNode* node)
{
	if (node->EffectChannel == -1)
		return;
	StopAChannel(&node->EffectChannel);
}
