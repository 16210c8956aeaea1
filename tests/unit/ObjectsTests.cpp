// Object nodes without a window: the list, creation, deferred deletion,
// chains, shadows, stale references, transforms, boxes, culling maths.
#include "System/Objects.h"
#include "System/Error.h"
#include "System/Game.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/MetaObjectsShapes.h"
#include "Effects/Sparkles.h"
#include "System/Pool.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"
#include "Memory.h"

#include <gtest/gtest.h>
#include <cmath>
#include <vector>

namespace
{
	struct ObjectsTest : ::testing::Test
	{
		void SetUp() override
		{
			InitObjectManager();
			gGamePaused = false;
		}
		void TearDown() override
		{
			DeleteAllObjects();
		}

		static ObjNode* Make(int slot, ObjNodeRoutine move = nullptr, float scale = 1)
		{
			ObjectDef def = {};
			def.genre = CUSTOM_GENRE;
			def.slot = int16_t(slot);
			def.moveCall = move;
			def.scale = scale;
			return MakeNewObject(&def);
		}

		static std::vector<int> Slots()
		{
			std::vector<int> slots;
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				slots.push_back(n->Slot);
			return slots;
		}
	};

	std::vector<ObjNode*> gMoved;
	void RecordMove(ObjNode* node) { gMoved.push_back(node); }

	ObjNode* gVictim;
	void DeleteVictim(ObjNode* node)
	{
		gMoved.push_back(node);
		DeleteObject(gVictim);
	}

	void DeleteSelfThenUpdate(ObjNode* node)
	{
		DeleteObject(node);
		GetObjectInfo(node);
		gObjCoord = {111, 222, 333};
		UpdateObject(node);
	}

	void ExpectMatrixNear(const OGLMatrix4x4& a, const OGLMatrix4x4& b)
	{
		for (int i = 0; i < 16; i++)
			EXPECT_NEAR(a.value[i], b.value[i], 1e-5f) << "element " << i;
	}
}

TEST_F(ObjectsTest, ListIsOrderedBySlotWithEqualSlotsInCreationOrder)
{
	ObjNode* first10 = Make(10);
	Make(5);
	ObjNode* second10 = Make(10);
	Make(7);
	EXPECT_EQ(Slots(), (std::vector<int>{5, 7, 10, 10}));
	EXPECT_EQ(first10->NextNode, second10);
	EXPECT_EQ(gObjectCount, 4);
	EXPECT_EQ(gLastCreatedNode->Slot, 7);
}

TEST_F(ObjectsTest, CreationSetsTheDocumentedDefaults)
{
	ObjectDef def = {};
	def.genre = DISPLAY_GROUP_GENRE;
	def.group = 2;
	def.type = 3;
	def.coord = {1, 2, 3};
	def.flags = STATUS_BIT_ONSPLINE | STATUS_BIT_HIDDEN;
	def.slot = 40;
	def.moveCall = RecordMove;
	def.rot = 0.5f;
	def.scale = 0;		// means "as small as possible", never a degenerate matrix
	ObjNode* node = MakeNewObject(&def);

	EXPECT_EQ(node->SplineMoveCall, RecordMove);
	EXPECT_EQ(node->InitCoord.z, 3);
	EXPECT_EQ(node->OldCoord.y, 2);
	EXPECT_EQ(node->Rot.y, 0.5f);
	EXPECT_EQ(node->Scale.x, 0.0001f);
	EXPECT_EQ(node->Scale.y, 0.0001f);
	EXPECT_EQ(node->Scale.z, 0.0001f);
	EXPECT_EQ(node->Size, 100);
	EXPECT_EQ(node->ColorFilter.a, 1);
	EXPECT_TRUE(node->BBox.isEmpty);
	EXPECT_EQ(node->EffectChannel, -1);
	EXPECT_EQ(node->ParticleGroup, -1);
	EXPECT_EQ(node->SplineObjectIndex, -1);
	EXPECT_EQ(node->Sparkles[19], -1);
	EXPECT_EQ(node->VaporTrails[0], -1);

	def.flags = 0;
	EXPECT_EQ(MakeNewObject(&def)->SplineMoveCall, nullptr);
}

TEST_F(ObjectsTest, MoveRoutineDeletingTheNextNodeSkipsIt)
{
	gMoved.clear();
	ObjNode* a = Make(1, DeleteVictim);
	gVictim = Make(2, RecordMove);
	ObjNode* c = Make(3, RecordMove);
	MoveObjects();
	EXPECT_EQ(gMoved, (std::vector<ObjNode*>{a, c}));
	EXPECT_EQ(gObjectCount, 2);
	EXPECT_EQ(GetObjectDeleteQueueCount(), 0) << "flushed after the pass";
}

TEST_F(ObjectsTest, MoveRoutineDeletingItselfWritesNothingBack)
{
	ObjNode* node = Make(1, DeleteSelfThenUpdate);
	node->Coord = {1, 1, 1};
	BeginObjectMovePass();		// keep the record readable after the pass
	MoveObjects();
	EXPECT_EQ(node->CType, INVALID_NODE_FLAG);
	EXPECT_EQ(node->Coord.x, 1) << "UpdateObject must not write into a deleted node";
	EndObjectMovePass();
	FlushObjectDeleteQueue();
	EXPECT_EQ(gObjectCount, 0);
}

namespace
{
	std::vector<ObjNode*> gToDelete;
	std::vector<ObjNode*> gDeletedThisPass;
	void DeleteManyThenReadThem(ObjNode* node)
	{
		for (ObjNode* victim : gToDelete)
		{
			DeleteObject(victim);
			gDeletedThisPass.push_back(victim);
		}
		gToDelete.clear();
		// Every corpse must still be a record we may read: none freed mid-pass.
		EXPECT_EQ(GetObjectDeleteQueueCount(), int(gDeletedThisPass.size()));
		EXPECT_EQ(gObjectCount, 251);
		for (ObjNode* corpse : gDeletedThisPass)
			EXPECT_EQ(corpse->CType, INVALID_NODE_FLAG);
		node->MoveCall = nullptr;
	}
}

TEST_F(ObjectsTest, AFullDeleteQueueNeverFlushesDuringTheMovePass)
{
	Make(0, DeleteManyThenReadThem);
	gToDelete.clear();
	gDeletedThisPass.clear();
	for (int i = 0; i < 250; i++)
		gToDelete.push_back(Make(10));
	ASSERT_EQ(gObjectCount, 251);

	MoveObjects();
	EXPECT_EQ(GetObjectDeleteQueueCount(), 0);
	EXPECT_EQ(gObjectCount, 1);
}

TEST_F(ObjectsTest, OutsideAMovePassThe200thDeletionFlushesAtOnce)
{
	std::vector<ObjNode*> nodes;
	for (int i = 0; i < 201; i++)
		nodes.push_back(Make(10));
	for (int i = 0; i < 199; i++)
		DeleteObject(nodes[size_t(i)]);
	EXPECT_EQ(GetObjectDeleteQueueCount(), 199);
	EXPECT_EQ(gObjectCount, 201) << "queued corpses still count until flushed";
	DeleteObject(nodes[199]);
	EXPECT_EQ(GetObjectDeleteQueueCount(), 0);
	EXPECT_EQ(gObjectCount, 1);
	DeleteObject(nodes[200]);
	EXPECT_EQ(GetObjectDeleteQueueCount(), 1) << "the 201st starts a new queue";
}

TEST_F(ObjectsTest, NodesPastThePoolComeFromTheHeapAndGoBack)
{
	int64_t blocksBefore = Tamber::GetMemoryStats().liveBlocks;
	std::vector<ObjNode*> nodes;
	for (int i = 0; i < MAX_NODES; i++)
		nodes.push_back(Make(1));
	EXPECT_EQ(Tamber::GetMemoryStats().liveBlocks, blocksBefore) << "the first 700 cost no allocation";
	for (ObjNode* n : nodes)
		EXPECT_TRUE(IsNodeInStorage(n));

	ObjNode* extra = Make(1);
	EXPECT_FALSE(IsNodeInStorage(extra));
	EXPECT_EQ(Tamber::GetMemoryStats().liveBlocks, blocksBefore + 1);

	DeleteObject(extra);
	DeleteObject(nodes[0]);
	FlushObjectDeleteQueue();
	EXPECT_EQ(Tamber::GetMemoryStats().liveBlocks, blocksBefore);

	// The freed storage record is handed out again before the heap is used.
	ObjNode* reused = Make(1);
	EXPECT_TRUE(IsNodeInStorage(reused));
	EXPECT_EQ(gObjectCount, MAX_NODES);
}

TEST_F(ObjectsTest, DoubleDeleteIsFatal)
{
	ObjectDef def = {};
	def.genre = SPRITE_GENRE;
	def.group = 4;
	def.type = 9;
	def.scale = 1;
	ObjNode* node = MakeNewObject(&def);
	DeleteObject(node);
	EXPECT_THROW(DeleteObject(node), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "Attempted to Double Delete an Object.  Object was already deleted!  genre=2 group=4 type=9");
}

TEST_F(ObjectsTest, ChainsSetTheirHeadAndDieWithIt)
{
	ObjNode* head = Make(10);
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 11;
	def.scale = 1;
	def.chainTail = head;
	ObjNode* second = MakeNewObject(&def);
	ObjNode* third = MakeNewObject(&def);
	EXPECT_EQ(def.chainTail, third);
	EXPECT_EQ(head->ChainNode, second);
	EXPECT_EQ(second->ChainNode, third);
	EXPECT_EQ(second->ChainHead, head);
	EXPECT_EQ(third->ChainHead, head) << "every member knows its head";
	EXPECT_EQ(head->ChainHead, nullptr);

	DeleteObject(head);
	EXPECT_EQ(second->CType, INVALID_NODE_FLAG);
	EXPECT_EQ(third->CType, INVALID_NODE_FLAG);
	FlushObjectDeleteQueue();
	EXPECT_EQ(gObjectCount, 0);
}

TEST_F(ObjectsTest, DeletingAChainMemberAloneUnlinksIt)
{
	ObjNode* head = Make(10);
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 11;
	def.scale = 1;
	def.chainTail = head;
	ObjNode* second = MakeNewObject(&def);
	MakeNewObject(&def);

	DeleteObject(second);		// takes the rest of the chain with it
	FlushObjectDeleteQueue();
	EXPECT_EQ(head->ChainNode, nullptr);
	EXPECT_EQ(gObjectCount, 1);
	DeleteObject(head);			// no stale chain pointer to follow
	FlushObjectDeleteQueue();
	EXPECT_EQ(gObjectCount, 0);
}

TEST_F(ObjectsTest, ShadowsFollowTheirOwnerAndUnlinkWhenDeletedAlone)
{
	gAutoFadeStatusBits = STATUS_BIT_AUTOFADE;
	ObjNode* owner = Make(3500);
	owner->Coord = {10, 50, 20};
	ObjNode* shadow = AttachShadowToObject(owner, 0, 2.0f, 3.0f, false);
	EXPECT_EQ(shadow->Slot, 3501);
	EXPECT_EQ(owner->ShadowNode, shadow);
	EXPECT_EQ(shadow->Coord.y, 56);
	EXPECT_EQ(shadow->StatusBits, STATUS_BIT_AUTOFADE | STATUS_BIT_NOZWRITES | STATUS_BIT_NOLIGHTING);
	EXPECT_EQ(shadow->SpecialF[1], 3.0f);
	EXPECT_EQ(AttachShadowToObject(Make(5), 0, 1, 1, false)->Slot, 3001);
	gAutoFadeStatusBits = 0;

	DeleteObject(shadow);
	EXPECT_EQ(owner->ShadowNode, nullptr);
	FlushObjectDeleteQueue();
	UpdateShadow(owner);		// nothing left to touch
	DeleteObject(owner);
	FlushObjectDeleteQueue();
	EXPECT_EQ(gObjectCount, 2) << "the other node and its shadow";
}

TEST_F(ObjectsTest, ShadowLiesOnABlockerOrShrinksWithHeight)
{
	ObjNode* owner = Make(100);
	owner->Coord = {0, 1000, 0};
	ObjNode* shadow = AttachShadowToObject(owner, 0, 2.0f, 4.0f, true);

	UpdateShadow(owner);		// no terrain: ground at 0
	EXPECT_EQ(shadow->Coord.y, 6);
	float d = (1000 - 6) * 0.0005f;
	EXPECT_NEAR(shadow->Scale.x, (1 - d) * 2.0f, 1e-5f);
	EXPECT_NEAR(shadow->Scale.z, (1 - d) * 4.0f, 1e-5f);

	ObjNode* table = Make(50);
	table->CType = CTYPE_SHADOWTOP;
	SetObjectCollisionBounds(table, 300, 0, -100, 100, 100, -100);
	UpdateShadow(owner);
	EXPECT_EQ(shadow->Coord.y, 306);
	EXPECT_EQ(shadow->Scale.x, 2.0f);

	owner->Coord.y = 200;		// below the table top: back on the ground
	UpdateShadow(owner);
	EXPECT_EQ(shadow->Coord.y, 6);
}

TEST_F(ObjectsTest, ReferencesTellDeletedAndRecycledNodesFromLiveOnes)
{
	ObjNode* node = Make(1);
	ObjNodeRef ref(node);
	EXPECT_EQ(ref.Get(), node);
	DeleteObject(node);
	EXPECT_EQ(ref.Get(), nullptr) << "deleted, still queued";
	FlushObjectDeleteQueue();

	// Fill the pool until the same record comes back for a new node.
	std::vector<ObjNode*> made;
	ObjNode* again = nullptr;
	for (int i = 0; i < MAX_NODES && !again; i++)
	{
		ObjNode* n = Make(1);
		made.push_back(n);
		if (n == node)
			again = n;
	}
	ASSERT_NE(again, nullptr);
	EXPECT_EQ(ref.Get(), nullptr) << "a recycled record is not the node it was";
	EXPECT_EQ(ObjNodeRef(again).Get(), again);

	EXPECT_EQ(ObjNodeRef().Get(), nullptr);
}

TEST_F(ObjectsTest, ReferencesToFreedHeapNodesAreNeverRead)
{
	for (int i = 0; i < MAX_NODES; i++)
		Make(1);
	ObjNode* heapNode = Make(1);
	ASSERT_FALSE(IsNodeInStorage(heapNode));
	ObjNodeRef ref(heapNode);
	EXPECT_EQ(ref.Get(), heapNode);
	DeleteObject(heapNode);
	FlushObjectDeleteQueue();
	EXPECT_EQ(ref.Get(), nullptr);
}

namespace
{
	ObjNode* gToDetach;
	void DetachNext(ObjNode* node)
	{
		gMoved.push_back(node);
		DetachObject(gToDetach, false);
	}
}

TEST_F(ObjectsTest, DetachedNodesNeitherMoveNorLeaveAndComeBackInSlotOrder)
{
	gMoved.clear();
	ObjNode* a = Make(1, DetachNext);
	gToDetach = Make(2, RecordMove);
	ObjNode* c = Make(3, RecordMove);
	MoveObjects();
	EXPECT_EQ(gMoved, (std::vector<ObjNode*>{a, c}));
	EXPECT_TRUE(gToDetach->StatusBits & STATUS_BIT_DETACHED);
	EXPECT_EQ(Slots(), (std::vector<int>{1, 3}));
	EXPECT_EQ(gObjectCount, 3) << "a detached node still exists";

	AttachObject(gToDetach, false);
	EXPECT_EQ(Slots(), (std::vector<int>{1, 2, 3}));
	EXPECT_FALSE(gToDetach->StatusBits & STATUS_BIT_DETACHED);
}

TEST_F(ObjectsTest, DetachingWithChainTakesChainAndShadow)
{
	ObjNode* head = Make(10);
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 11;
	def.scale = 1;
	def.chainTail = head;
	ObjNode* member = MakeNewObject(&def);
	ObjNode* shadow = AttachShadowToObject(head, 0, 1, 1, false);

	DetachObject(head, true);
	EXPECT_EQ(gObjectListHead, nullptr);
	EXPECT_TRUE(member->StatusBits & STATUS_BIT_DETACHED);
	AttachObject(head, true);
	EXPECT_EQ(Slots(), (std::vector<int>{10, 11, 3001}));
	EXPECT_FALSE(shadow->StatusBits & STATUS_BIT_DETACHED);
}

TEST_F(ObjectsTest, PausedGameMovesOnlyPauseNodesAndSkipsSplineRiders)
{
	gMoved.clear();
	ObjNode* a = Make(1, RecordMove);
	ObjNode* b = Make(2, RecordMove);
	b->StatusBits |= STATUS_BIT_MOVEINPAUSE;
	ObjNode* rider = Make(3, RecordMove);
	rider->StatusBits |= STATUS_BIT_ONSPLINE;
	ObjNode* frozen = Make(4, RecordMove);
	frozen->StatusBits |= STATUS_BIT_NOMOVE;

	MoveObjects();
	EXPECT_EQ(gMoved, (std::vector<ObjNode*>{a, b}));
	gMoved.clear();
	gGamePaused = true;
	MoveObjects();
	EXPECT_EQ(gMoved, (std::vector<ObjNode*>{b}));
	gGamePaused = false;
}

TEST_F(ObjectsTest, DeletionReleasesWhatHangsOnTheNode)
{
	InitSparkleStore();
	DeleteAllSplineObjects();
	ObjNode* node = Make(1);
	ObjNode* other = Make(2);
	node->Sparkles[3] = GetFreeSparkle(node);
	node->Sparkles[19] = GetFreeSparkle(node);
	const int16_t kept = GetFreeSparkle(other);
	ASSERT_EQ(Pool_Size(gSparklePool), 3);
	node->EffectChannel = 5;							// no sound running: stopping is harmless
	TerrainItemEntryType item = {};
	item.flags = ITEM_FLAG_INUSE | 0x10;
	node->TerrainItemPtr = &item;
	AddToSplineObjectList(other);
	AddToSplineObjectList(node);
	ASSERT_EQ(gSplineObjects[1], node);

	DeleteObject(node);

	EXPECT_EQ(Pool_Size(gSparklePool), 1) << "its two sparkles are free again";
	EXPECT_TRUE(Pool_IsUsed(gSparklePool, kept));
	EXPECT_EQ(node->Sparkles[3], -1);
	EXPECT_EQ(node->EffectChannel, -1);
	EXPECT_EQ(item.flags, 0x10) << "the item may come to life again";
	EXPECT_EQ(gSplineObjects[1], nullptr);
	EXPECT_EQ(gSplineObjects[0], other) << "other riders keep their entries";
	EXPECT_EQ(gNumSplineObjects, 2) << "the count does not shrink";
	EXPECT_FALSE(node->StatusBits & STATUS_BIT_ONSPLINE);
	EXPECT_EQ(node->SplineObjectIndex, -1);

	DeleteAllSplineObjects();
	EXPECT_EQ(gNumSplineObjects, 0);
	EXPECT_EQ(other->CType, INVALID_NODE_FLAG) << "level end deletes the riders";
	DisposeSparkles();
}

TEST_F(ObjectsTest, MoveObjectsStopsOnACorpseInTheList)
{
	ObjNode* node = Make(1);
	node->CType = INVALID_NODE_FLAG;		// what a list-corrupting bug would leave
	EXPECT_THROW(MoveObjects(), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "MoveObjects: CType == INVALID_NODE_FLAG");
	node->CType = 0;
	InitObjectManager();
}

//
// Base groups and display groups
//

TEST_F(ObjectsTest, DisplayGroupNodesHoldTheirModelAndReleaseEverything)
{
	int before = gNumMetaObjects;
	MetaObjectPtr material = MO_MakeColorMaterial({1, 0, 0, 1});
	MetaObjectPtr box = MO_MakeBox(10, 20, 30, material);
	MO_DisposeObjectReference(material);
	MetaObjectPtr model = MO_CreateNewObjectOfType(MO_TYPE_GROUP, 0, nullptr);
	MO_AppendToGroup(model, box);
	MO_DisposeObjectReference(box);

	gBG3DGroupList[1][0] = model;
	gNumObjectsInBG3DGroupList[1] = 1;
	MO_CalcBoundingBox(model, &gObjectGroupBBoxList[1][0]);

	ObjectDef def = {};
	def.group = 1;
	def.type = 0;
	def.coord = {5, 6, 7};
	def.scale = 2;
	ObjNode* node = MakeNewDisplayGroupObject(&def);
	EXPECT_EQ(node->Genre, DISPLAY_GROUP_GENRE);
	EXPECT_FALSE(node->BBox.isEmpty);
	EXPECT_EQ(node->BBox.max.z, 30);
	const MOGroupData* group = MO_GroupData(node->BaseGroup);
	ASSERT_EQ(group->numObjectsInGroup, 2);
	EXPECT_EQ(group->groupContents[0], node->BaseTransformObject);
	EXPECT_EQ(group->groupContents[1], model);
	EXPECT_EQ(MO_MatrixData(node->BaseTransformObject)->value[12], 5);
	EXPECT_EQ(MO_MatrixData(node->BaseTransformObject)->value[0], 2);

	ResetDisplayGroupObject(node);
	EXPECT_EQ(MO_GroupData(node->BaseGroup)->groupContents[1], model);

	DeleteObject(node);
	FlushObjectDeleteQueue();
	EXPECT_EQ(model->refCount, 1) << "the registry's holder keeps the model";

	// Releasing the model the way its container would leaves nothing behind.
	MO_DisposeObjectReference(model);
	gBG3DGroupList[1][0] = nullptr;
	gNumObjectsInBG3DGroupList[1] = 0;
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(ObjectsTest, DisplayGroupOfAMissingModelIsFatal)
{
	ObjectDef def = {};
	def.group = 7;
	def.type = 3;
	def.scale = 1;
	EXPECT_THROW(MakeNewDisplayGroupObject(&def), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "3");
}

TEST_F(ObjectsTest, CreateBaseGroupRefusesAZeroScale)
{
	int before = gNumMetaObjects;
	ObjNode* node = Make(1);
	node->Scale.y = 0;
	EXPECT_THROW(CreateBaseGroup(node), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "CreateBaseGroup: A scale component == 0");
	MO_DisposeObjectReference(node->BaseGroup);
	node->BaseGroup = nullptr;
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(ObjectsTest, TransformsFollowTheRotationOrderBits)
{
	ObjNode* node = Make(1);
	node->Coord = {10, 20, 30};
	node->Rot = {0.3f, 0.7f, -0.4f};
	node->Scale = {2, 3, 4};
	CreateBaseGroup(node);

	OGLMatrix4x4 s, rx, ry, rz, t, a, b, expected;
	OGLMatrix4x4_SetScale(&s, 2, 3, 4);
	OGLMatrix4x4_SetRotate_X(&rx, 0.3f);
	OGLMatrix4x4_SetRotate_Y(&ry, 0.7f);
	OGLMatrix4x4_SetRotate_Z(&rz, -0.4f);
	OGLMatrix4x4_SetTranslate(&t, 10, 20, 30);

	auto expect = [&](const OGLMatrix4x4& r1, const OGLMatrix4x4& r2, const OGLMatrix4x4& r3)
	{
		OGLMatrix4x4_Multiply(&s, &r1, &a);
		OGLMatrix4x4_Multiply(&a, &r2, &b);
		OGLMatrix4x4_Multiply(&b, &r3, &a);
		OGLMatrix4x4_Multiply(&a, &t, &expected);
		UpdateObjectTransforms(node);
		ExpectMatrixNear(node->BaseTransformMatrix, expected);
		ExpectMatrixNear(*MO_MatrixData(node->BaseTransformObject), expected);
	};
	expect(rx, ry, rz);
	node->StatusBits = STATUS_BIT_ROTXZY;
	expect(rx, rz, ry);
	node->StatusBits = STATUS_BIT_ROTYZX;
	expect(ry, rz, rx);
	node->StatusBits = STATUS_BIT_ROTZXY;
	expect(rz, rx, ry);

	node->StatusBits = STATUS_BIT_USEALIGNMENTMATRIX;
	OGLMatrix4x4_SetRotate_Z(&node->AlignmentMatrix, 1.0f);
	OGLMatrix4x4 identity;
	OGLMatrix4x4_SetIdentity(&identity);
	expect(node->AlignmentMatrix, identity, identity);
}

//
// Collision boxes
//

TEST_F(ObjectsTest, CollisionBoxesFollowOffsetsAndKeepTheOldOnes)
{
	ObjNode* node = Make(1);
	node->Coord = {100, 50, -20};
	SetObjectCollisionBounds(node, 40, -10, -5, 6, 7, -8);
	const CollisionBoxType& box = node->CollisionBoxes[0];
	EXPECT_EQ(box.left, 95);
	EXPECT_EQ(box.right, 106);
	EXPECT_EQ(box.front, -13);
	EXPECT_EQ(box.back, -28);
	EXPECT_EQ(box.top, 90);
	EXPECT_EQ(box.bottom, 40);
	EXPECT_EQ(node->OldCollisionBoxes[0].top, 90);

	node->Coord.y = 60;
	CalcObjectBoxFromNode(node);
	EXPECT_EQ(node->CollisionBoxes[0].top, 100);
	EXPECT_EQ(node->OldCollisionBoxes[0].top, 90);

	gObjCoord = {0, 0, 0};
	CalcObjectBoxFromGlobal(node);
	EXPECT_EQ(node->CollisionBoxes[0].right, 6);

	AddCollisionBoxToObject(node, 1, -1, -2, 2, 3, -3);
	EXPECT_EQ(node->NumCollisionBoxes, 2);
	EXPECT_EQ(node->CollisionBoxes[1].left, 98);
	EXPECT_EQ(node->RightOff, 6) << "box 0's offsets stay";
}

TEST_F(ObjectsTest, CollisionBoxesFromTheBoundingBox)
{
	ObjNode* node = Make(1);
	node->BBox = {{-10, -5, -20}, {30, 15, 40}, false};
	node->Scale = {2, 3, 4};
	CreateCollisionBoxFromBoundingBox(node, 0.5f, 1.0f);
	EXPECT_EQ(node->LeftOff, -10);		// 0.5 × 2 × −10
	EXPECT_EQ(node->RightOff, 30);
	EXPECT_EQ(node->FrontOff, 80);		// 0.5 × 4 × 40
	EXPECT_EQ(node->BackOff, -40);
	EXPECT_EQ(node->BottomOff, -15);	// 3 × −5
	EXPECT_EQ(node->TopOff, 45);		// 20 × 3 + −15

	node->Genre = SKELETON_GENRE;		// its box is already in world scale
	CreateCollisionBoxFromBoundingBox(node, 1.0f, 0.5f);
	EXPECT_EQ(node->LeftOff, -10);
	EXPECT_EQ(node->FrontOff, 40);
	EXPECT_EQ(node->BottomOff, -5);
	EXPECT_EQ(node->TopOff, 5);

	node->Genre = DISPLAY_GROUP_GENRE;
	CreateCollisionBoxFromBoundingBox_Maximized(node);
	EXPECT_EQ(node->RightOff, 80);		// largest |x|, |z| = 40, × scale 2
	EXPECT_EQ(node->BackOff, -80);

	node->Scale = {1, 1, 1};
	node->Rot.y = PI_HALF;
	CreateCollisionBoxFromBoundingBox_Rotated(node, 1.0f, 1.0f);
	// Turned by −90°: x′ = −z, z′ = x.
	EXPECT_NEAR(node->LeftOff, -40, 1);
	EXPECT_NEAR(node->RightOff, 20, 1);
	EXPECT_NEAR(node->BackOff, -10, 1);
	EXPECT_NEAR(node->FrontOff, 30, 1);
}

TEST_F(ObjectsTest, ABoxWithoutExtentOrWithAbsurdSizeNeverOverflows)
{
	ObjNode* node = Make(1);
	CreateCollisionBoxFromBoundingBox(node, 1, 1);		// empty box: a point
	EXPECT_EQ(node->RightOff, 0);
	EXPECT_EQ(node->TopOff, 0);

	node->BBox = {{-1e8f, 0, 0}, {1e8f, 1, 1}, false};
	node->Scale = {100, 1, 1};
	EXPECT_THROW(CreateCollisionBoxFromBoundingBox(node, 1, 1), Tamber::QuitRequest);
}

//
// Searches
//

TEST_F(ObjectsTest, FindClosestLooksOnlyAtWorldObjects)
{
	ObjNode* near = Make(10);
	near->CType = 4;
	near->Coord = {100, 0, 0};
	ObjNode* tie = Make(20);
	tie->CType = 4;
	tie->Coord = {-100, 0, 0};
	ObjNode* overlay = Make(3000);
	overlay->CType = 4;
	overlay->Coord = {1, 0, 0};
	Make(5)->CType = 8;

	OGLPoint3D origin = {0, 0, 0};
	EXPECT_EQ(FindClosestCType(&origin, 4), near) << "ties keep the earlier node; slot 3000 ends the walk";
	EXPECT_EQ(FindClosestCType(&origin, 16), nullptr);
	OGLPoint3D p = {0, 500, -90};
	tie->Coord = {0, 0, -100};
	EXPECT_EQ(FindClosestCType(&p, 4), tie);
	EXPECT_EQ(FindClosestCType3D(&p, 4), tie);
}

//
// Culling and fading maths
//

TEST(ObjectsCulling, OutcodesFollowTheClipPlanes)
{
	EXPECT_EQ(CalcClipOutcode({0, 0, 0.5f, 1}), 0u);
	EXPECT_EQ(CalcClipOutcode({-2, 0, 0.5f, 1}), 2u);
	EXPECT_EQ(CalcClipOutcode({2, 0, 0.5f, 1}), 1u);
	EXPECT_EQ(CalcClipOutcode({0, -2, 0.5f, 1}), 8u);
	EXPECT_EQ(CalcClipOutcode({0, 2, 0.5f, 1}), 4u);
	EXPECT_EQ(CalcClipOutcode({0, 0, 2, 1}), 0x20u);
	EXPECT_EQ(CalcClipOutcode({0, 0, -0.5f, 1}), 0x10u) << "the near side is tested against 0";
	EXPECT_EQ(CalcClipOutcode({3, -3, 3, 1}), 0x29u);
}

TEST(ObjectsCulling, BoxesOutsideOnePlaneAreCulled)
{
	OGLMatrix4x4 view, projection, worldToClip;
	OGLPoint3D from = {0, 0, 0}, to = {0, 0, -1};
	OGLVector3D up = {0, 1, 0};
	OGLMatrix4x4_SetLookAt(&view, &from, &to, &up);
	OGLMatrix4x4_SetPerspective(&projection, 1.2f, 4.0f / 3.0f, 10, 1000);
	OGLMatrix4x4_Multiply(&view, &projection, &worldToClip);

	OGLBoundingBox ahead = {{-10, -10, -110}, {10, 10, -90}, false};
	OGLBoundingBox behind = {{-10, -10, 90}, {10, 10, 110}, false};
	OGLBoundingBox left = {{-500, -10, -110}, {-400, 10, -90}, false};
	OGLBoundingBox straddling = {{-500, -10, -110}, {0, 10, -90}, false};
	OGLBoundingBox beyondYon = {{-10, -10, -2000}, {10, 10, -1500}, false};
	EXPECT_FALSE(IsBoxOutsideFrustum(ahead, worldToClip));
	EXPECT_TRUE(IsBoxOutsideFrustum(behind, worldToClip));
	EXPECT_TRUE(IsBoxOutsideFrustum(left, worldToClip));
	EXPECT_FALSE(IsBoxOutsideFrustum(straddling, worldToClip));
	EXPECT_TRUE(IsBoxOutsideFrustum(beyondYon, worldToClip));
}

TEST(ObjectsAutoFade, AlphaFallsLinearlyBetweenStartAndEnd)
{
	float start = 0.8f * 15390, end = 0.9f * 15390, rate = 1.0f / (end - start);
	EXPECT_EQ(CalcAutoFadeAlpha(1, start - 1, start, end, rate), 1.0f);
	EXPECT_EQ(CalcAutoFadeAlpha(1, start, start, end, rate), 1.0f) << "exactly at the start keeps its alpha";
	EXPECT_NEAR(CalcAutoFadeAlpha(1, (start + end) / 2, start, end, rate), 0.5f, 1e-4f);
	EXPECT_NEAR(CalcAutoFadeAlpha(0.5f, start + (end - start) / 4, start, end, rate), 0.25f, 1e-4f);
	EXPECT_LE(CalcAutoFadeAlpha(1, end, start, end, rate), 0.0f) << "at the end it is gone";
	EXPECT_LE(CalcAutoFadeAlpha(1, end + 500, start, end, rate), 0.0f);
}
