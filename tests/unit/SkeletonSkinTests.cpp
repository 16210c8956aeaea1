// Skinning, joint queries and skeleton nodes, on a two-joint type built by
// hand whose results can be worked out on paper.
#include "3D/Skeleton.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "Memory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace
{
	constexpr int TYPE = SKELETON_TYPE_CORN;
	constexpr float HALF_PI = 1.57079633f;

	void ExpectPoint(const OGLPoint3D& p, float x, float y, float z, const char* what = "")
	{
		EXPECT_NEAR(p.x, x, 1e-4f) << what;
		EXPECT_NEAR(p.y, y, 1e-4f) << what;
		EXPECT_NEAR(p.z, z, 1e-4f) << what;
	}

	template <typename T>
	T* Block(std::initializer_list<T> values)
	{
		T* p = reinterpret_cast<T*>(NewPtr(int32_t(sizeof(T) * values.size())));
		std::copy(values.begin(), values.end(), p);
		return p;
	}

	// Joint 0 at the origin, joint 1 at (0, 10, 0). Mesh A: points (0,0,0) and
	// (1,0,0) on joint 0 with normal (0,0,1); (0,10,0) and (0,20,0) on joint 1
	// with normal (1,0,0). Mesh B: one vertex at (0,20,0), sharing that point.
	// Animation 0: joint 1 turned π/2 about z. Animation 1: joint 1 from 0 to
	// π/2 about z over 20 ticks, flag 0 at tick 10.
	class SkeletonSkinTest : public ::testing::Test
	{
	protected:
		MOVertexArrayData meshes[2] = {};
		SkeletonInfoType* info = nullptr;

		void SetUp() override
		{
			InitObjectManager();
			InitSkeletonManager();
			gFrameTime = 1.0f / 60.0f;

			meshes[0].numPoints = 4;
			meshes[0].points = Block<OGLPoint3D>({{0, 0, 0}, {1, 0, 0}, {0, 10, 0}, {0, 20, 0}});
			meshes[0].normals = Block<OGLVector3D>({{0, 0, 1}, {0, 0, 1}, {1, 0, 0}, {1, 0, 0}});
			meshes[1].numPoints = 1;
			meshes[1].points = Block<OGLPoint3D>({{0, 20, 0}});
			meshes[1].normals = Block<OGLVector3D>({{1, 0, 0}});

			SkeletonDecomposer d;
			std::string error;
			for (MOVertexArrayData& m : meshes)
				ASSERT_TRUE(d.AddMesh(&m.points[0].x, &m.normals[0].x, m.numPoints, &error)) << error;
			ASSERT_EQ(d.points.size(), 4u);
			ASSERT_EQ(d.NumNormals(), 2);

			SkeletonFileData file;
			file.numJoints = 2;
			file.numAnims = 2;
			file.bones = {{-1, {0, 0, 0}, {0, 1}, {0}}, {0, {0, 10, 0}, {2, 3}, {1}}};
			file.children = {{1}, {}};
			file.boneRelPoints = {{0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {0, 10, 0}};
			file.events = {{}, {{10, ANIMEVENT_TYPE_SETFLAG, 0}}};
			JointKeyframeType rest0 = {0, 0, {0, 0, 0}, {0, 0, 0}, {1, 1, 1}};
			JointKeyframeType rest1 = {0, 0, {0, 10, 0}, {0, 0, 0}, {1, 1, 1}};
			JointKeyframeType bent1 = {0, 0, {0, 10, 0}, {0, 0, HALF_PI}, {1, 1, 1}};
			JointKeyframeType bentLater = bent1;
			bentLater.tick = 20;
			file.keyframes = {{{rest0}, {rest0}}, {{bent1}, {rest1, bentLater}}};

			info = BuildSkeletonInfo(file, d, meshes, 2);
			InstallSkeletonType(TYPE, info);
		}

		void TearDown() override
		{
			DeleteAllObjects();
			FreeAllSkeletonFiles(-1);
			for (MOVertexArrayData& m : meshes)
				MO_FreeVertexArrayData(&m);
		}

		ObjNode* MakeNode(int anim, OGLPoint3D at = {100, 0, 0})
		{
			ObjectDef def = {};
			def.type = TYPE;
			def.coord = at;
			def.slot = 100;
			def.scale = 1;
			return MakeNewSkeletonBaseData(&def, anim);
		}

		const MOVertexArrayData& Local(int mesh) const { return gLocalTriMeshesOfSkelType[TYPE][mesh]; }
	};
}

TEST_F(SkeletonSkinTest, PointsAndNormalsFollowTheirJointsIntoEveryMesh)
{
	ObjNode* node = MakeNode(0);
	ASSERT_EQ(node->Genre, SKELETON_GENRE);
	UpdateSkinnedGeometry(node);

	// Joint 1 turned a quarter about z: (0, 10) above it goes to (−10, 0).
	ExpectPoint(Local(0).points[0], 100, 0, 0, "on joint 0");
	ExpectPoint(Local(0).points[1], 101, 0, 0, "on joint 0");
	ExpectPoint(Local(0).points[2], 100, 10, 0, "at joint 1's pivot");
	ExpectPoint(Local(0).points[3], 90, 10, 0, "turned with joint 1");
	ExpectPoint(Local(1).points[0], 90, 10, 0, "the same point in the second mesh");
	EXPECT_NEAR(Local(0).normals[3].y, 1, 1e-5f) << "(1, 0, 0) turned a quarter about z";
	EXPECT_NEAR(Local(1).normals[0].y, 1, 1e-5f);
	EXPECT_NEAR(Local(0).normals[0].z, 1, 1e-5f);

	// The box of the skinned points, relative to the node.
	EXPECT_FALSE(node->BBox.isEmpty);
	ExpectPoint(node->BBox.min, -10, 0, 0);
	ExpectPoint(node->BBox.max, 1, 10, 0);
	EXPECT_EQ(node->Size, 0.0f) << "|min z| of the box";

	// The node's own turn and scale come first: a heading of π/2 and scale 2.
	node->Rot.y = HALF_PI;
	node->Scale = {2, 2, 2};
	UpdateObjectTransforms(node);
	UpdateSkinnedGeometry(node);
	OGLPoint3D expected;
	const OGLPoint3D joint1Point = {-10, 10, 0};
	OGLPoint3D_Transform(&joint1Point, &node->BaseTransformMatrix, &expected);
	ExpectPoint(Local(0).points[3], expected.x, expected.y, expected.z);
	EXPECT_NEAR(std::fabs(Local(0).points[3].z), 20, 1e-3f);
}

TEST_F(SkeletonSkinTest, JointQueriesAgreeWithTheSkin)
{
	ObjNode* node = MakeNode(0);
	OGLPoint3D p;
	FindCoordOfJoint(node, 1, &p);
	ExpectPoint(p, 100, 10, 0);
	const OGLPoint3D above = {0, 10, 0};
	FindCoordOnJoint(node, 1, &above, &p);
	ExpectPoint(p, 90, 10, 0);

	OGLMatrix4x4 m;
	FindJointFullMatrix(node, 0, &m);
	EXPECT_EQ(m.value[12], 100.0f);

	EXPECT_THROW(FindJointFullMatrix(node, 2, &m), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "FindJointFullMatrix: illegal jointNum!");
	EXPECT_THROW(FindCoordOfJoint(node, -1, &p), Tamber::QuitRequest);

	// A node without skeleton data answers with its own position.
	ObjectDef def = {};
	def.coord = {5, 6, 7};
	def.scale = 1;
	ObjNode* plain = MakeNewObject(&def);
	FindCoordOfJoint(plain, 3, &p);
	ExpectPoint(p, 5, 6, 7);
}

TEST_F(SkeletonSkinTest, QueriesAtTheFlagEventLeaveThePoseExactlyAsItWas)
{
	ObjNode* node = MakeNode(1);
	node->Skeleton->CurrentAnimTime = 17.25f;
	ComputeCurrentJointPositions(node->Skeleton);
	SkeletonObjDataType before;
	std::memcpy(&before, node->Skeleton, sizeof(before));

	// At tick 10 joint 1 is turned π/4.
	const OGLPoint3D above = {0, 10, 0};
	OGLPoint3D p;
	FindCoordOnJointAtFlagEvent(node, 1, &above, &p);
	ExpectPoint(p, 100 - 7.0710678f, 17.0710678f, 0);
	EXPECT_EQ(std::memcmp(&before, node->Skeleton, sizeof(before)), 0);

	OGLMatrix4x4 m;
	FindJointMatrixAtFlagEvent(node, 1, &m);
	EXPECT_EQ(std::memcmp(&before, node->Skeleton, sizeof(before)), 0);

	// Without a flag event the pose at tick 0 answers.
	SetSkeletonAnim(node->Skeleton, 0);
	node->Skeleton->CurrentAnimTime = 0;
	FindCoordOnJointAtFlagEvent(node, 1, &above, &p);
	ExpectPoint(p, 90, 10, 0);
}

TEST_F(SkeletonSkinTest, DeletedNodesAreNotSkinned)
{
	ObjNode* node = MakeNode(0);
	node->Coord = {0, 500, 0};
	UpdateObjectTransforms(node);
	DeleteObject(node);
	UpdateSkinnedGeometry(node);
	ExpectPoint(Local(0).points[3], 90, 10, 0);
}

TEST_F(SkeletonSkinTest, NodesAnimateInTheMovePassAndFreeTheirDataWhenDeleted)
{
	ObjNode* node = MakeNode(1);
	const int64_t blocks = Tamber::GetMemoryStats().liveBlocks;
	gFrameTime = 0.2f;		// 6 ticks a frame
	MoveObjects();
	MoveObjects();
	EXPECT_EQ(node->Flag[0], 1) << "the flag event at tick 10 fired";
	EXPECT_GT(node->Skeleton->CurrentAnimTime, 10.0f);

	DeleteObject(node);
	FlushObjectDeleteQueue();
	EXPECT_EQ(Tamber::GetMemoryStats().liveBlocks, blocks - 1) << "its SkeletonObjDataType";
}

TEST_F(SkeletonSkinTest, FinalizeScaleTakesTheBoxFromTheReferenceAnimationAndComesBack)
{
	ObjNode* node = MakeNode(1);
	node->Skeleton->CurrentAnimTime = 5;		// a quarter of animation 1
	gFrameTime = 1.0f / 30.0f;
	FinalizeSkeletonObjectScale(node, 2, 0);

	EXPECT_EQ(node->Scale.y, 2.0f);
	// Animation 0 at scale 2: the box spans x −20 … 2 and y 0 … 20.
	EXPECT_EQ(node->LeftOff, -20);
	EXPECT_EQ(node->RightOff, 2);
	EXPECT_EQ(node->TopOff, 20);
	EXPECT_EQ(node->BottomOff, 0);

	EXPECT_EQ(node->Skeleton->AnimNum, 1);
	EXPECT_NEAR(node->Skeleton->CurrentAnimTime, 6, 1e-4f) << "back at a quarter, plus one frame";

	ObjectDef def = {};
	def.genre = DISPLAY_GROUP_GENRE;
	def.scale = 1;
	EXPECT_THROW(FinalizeSkeletonObjectScale(MakeNewObject(&def), 1, 0), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("theNode->Genre == SKELETON_GENRE"), std::string::npos);
}

TEST_F(SkeletonSkinTest, NodesOfUnloadedTypesStop)
{
	ObjectDef def = {};
	def.type = SKELETON_TYPE_TOMATO;
	def.scale = 1;
	EXPECT_THROW(MakeNewSkeletonBaseData(&def, 0), Tamber::QuitRequest);
	// The message names the file the type's data would have come from.
	EXPECT_EQ(gLastFatalMessage.rfind("MakeNewSkeletonBaseData: Skeleton data isnt loaded!", 0), 0u) << gLastFatalMessage;
	EXPECT_NE(gLastFatalMessage.find("\"Tomato.skeleton\""), std::string::npos) << gLastFatalMessage;
}
