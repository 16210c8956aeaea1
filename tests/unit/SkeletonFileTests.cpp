// Skeleton files: written by the rig kit, loaded by the game's loader, and a
// corpus of damaged files that must each stop with a clear message naming
// the file instead of reading out of bounds. Also the decomposition rules.
#include "3D/BG3D.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/Skeleton.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "formats/BigEndianWriter.h"
#include "FilesTestSupport.h"
#include "Memory.h"
#include "Resources.h"
#include "kit/Primitives.h"
#include "rig/SampleRigs.h"
#include "rig/SkeletonWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace FilesTestSupport;

namespace
{
	constexpr int TYPE = SKELETON_TYPE_FARMER;		// the fixtures borrow this type's file name
	constexpr int GROUP = MODEL_GROUP_SKELETONBASE + TYPE;

	using Resources = std::vector<Bake::ResourceEntry>;

	Bake::ResourceEntry* Find(Resources& resources, const char (&type)[5], int16_t id)
	{
		for (Bake::ResourceEntry& r : resources)
			if (r.type == FOUR_CC(type) && r.id == id)
				return &r;
		ADD_FAILURE() << type << " " << id << " not in the fixture";
		static Bake::ResourceEntry none;
		return &none;
	}

	void Remove(Resources& resources, const char (&type)[5], int16_t id)
	{
		std::erase_if(resources, [&](const Bake::ResourceEntry& r) { return r.type == FOUR_CC(type) && r.id == id; });
	}

	void PutU16(std::vector<uint8_t>& bytes, size_t at, uint16_t v)
	{
		bytes[at] = uint8_t(v >> 8);
		bytes[at + 1] = uint8_t(v);
	}

	void PutS32(std::vector<uint8_t>& bytes, size_t at, int32_t v)
	{
		for (int i = 0; i < 4; i++)
			bytes[at + size_t(i)] = uint8_t(uint32_t(v) >> (24 - 8 * i));
	}

	class SkeletonFileTest : public FileLayerTest
	{
	protected:
		int metaObjectsBefore = 0;
		int64_t blocksBefore = 0;

		void SetUp() override
		{
			FileLayerTest::SetUp();
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(dir.path / "Skeletons");
			InitBG3DManager();
			InitSkeletonManager();
			metaObjectsBefore = gNumMetaObjects;
			blocksBefore = Tamber::GetMemoryStats().liveBlocks;
		}

		void TearDown() override
		{
			FreeAllSkeletonFiles(-1);
			DeleteAllBG3DContainers();
			EXPECT_EQ(gNumMetaObjects, metaObjectsBefore) << "every meta object released";
			FileLayerTest::TearDown();
		}

		// Writes a rig under the fixture type's file names.
		void WriteRig(Rig::Skeleton rig)
		{
			rig.name = SKELETON_FILE_NAMES[TYPE];
			Rig::WriteSkeleton(Bake::Context{dir.path}, rig);
		}

		void WriteResources(const Resources& resources)
		{
			Rig::MakeFork(resources).WriteSidecarFile(dir.path / "Skeletons" / "Farmer.skeleton");
		}

		// The sample arm's files, then its resources changed by `damage`.
		void WriteDamaged(const std::function<void(Resources&)>& damage)
		{
			Rig::Skeleton rig = Rig::SampleArm(SKELETON_FILE_NAMES[TYPE]);
			WriteRig(rig);
			Resources resources = Rig::BuildSkeletonResourceList(rig);
			damage(resources);
			WriteResources(resources);
		}

		// Loading must stop the program with a message holding `expected` and the file's name.
		void ExpectLoadFails(const std::string& expected)
		{
			gLastFatalMessage.clear();
			EXPECT_THROW(LoadASkeleton(TYPE), Tamber::QuitRequest);
			EXPECT_NE(gLastFatalMessage.find(expected), std::string::npos) << gLastFatalMessage;
			EXPECT_NE(gLastFatalMessage.find("Farmer.skeleton"), std::string::npos) << gLastFatalMessage;
			EXPECT_EQ(gLoadedSkeletonsList[TYPE], nullptr) << "no partial load";
			EXPECT_EQ(CurResFile(), 0) << "the skeleton's resource file was closed";
		}
	};
}

TEST_F(SkeletonFileTest, RigWrittenByTheKitLoadsWithEveryField)
{
	WriteRig(Rig::SampleArm());
	LoadASkeleton(TYPE);
	const SkeletonInfoType* s = gLoadedSkeletonsList[TYPE];
	ASSERT_NE(s, nullptr);
	EXPECT_EQ(CurResFile(), 0);

	EXPECT_EQ(s->NumBones, 3);
	EXPECT_EQ(s->NumAnims, 2);
	EXPECT_EQ(s->Bones[0].parentBone, -1);
	EXPECT_EQ(s->Bones[2].parentBone, 1);
	EXPECT_EQ(s->Bones[2].coord.y, 30.0f);
	EXPECT_EQ(s->numChildren[0], 1);
	EXPECT_EQ(s->childIndex[1][0], 2);
	EXPECT_EQ(s->numChildren[2], 0);

	// Three boxes: 8 corners each; six face directions shared by all.
	EXPECT_EQ(s->NumDecomposedTriMeshes, 1);
	EXPECT_EQ(gNumDecomposedTriMeshesInSkeleton[TYPE], 1);
	EXPECT_EQ(s->NumDecomposedPoints, 24);
	EXPECT_EQ(s->NumDecomposedNormals, 6);
	for (int j = 0; j < 3; j++)
	{
		EXPECT_EQ(s->Bones[j].numPointsAttachedToBone, 8);
		EXPECT_EQ(s->Bones[j].numNormalsAttachedToBone, 6);
		// Each point sits at its joint's pivot plus its relative position.
		for (int i = 0; i < 8; i++)
		{
			const DecomposedPointType& p = s->decomposedPointList[s->Bones[j].pointList[i]];
			EXPECT_NEAR(p.boneRelPoint.x + s->Bones[j].coord.x, p.realPoint.x, 1e-4f);
			EXPECT_NEAR(p.boneRelPoint.y + s->Bones[j].coord.y, p.realPoint.y, 1e-4f);
			EXPECT_NEAR(p.boneRelPoint.z + s->Bones[j].coord.z, p.realPoint.z, 1e-4f);
			EXPECT_EQ(p.numRefs, 3) << "a box corner is shared by three faces";
		}
	}

	// Animation 0 "bend": three keys per joint, the elbow bent at tick 10, a loop at 20.
	EXPECT_EQ(s->JointKeyframes[2].numKeyFrames[0], 3);
	const JointKeyframeType& bent = s->JointKeyframes[2].keyFrames[0][1];
	EXPECT_EQ(bent.tick, 10);
	EXPECT_EQ(bent.accelerationMode, 0);
	EXPECT_NEAR(bent.rotation.z, 1.5707963f, 1e-6f);
	EXPECT_EQ(bent.coord.y, 20.0f) << "translation relative to the parent joint";
	EXPECT_EQ(bent.scale.x, 1.0f);
	EXPECT_EQ(s->NumAnimEvents[0], 1);
	EXPECT_EQ(s->AnimEventsList[0][0].type, ANIMEVENT_TYPE_LOOP);
	EXPECT_EQ(s->AnimEventsList[0][0].time, 20);
	EXPECT_EQ(s->JointKeyframes[1].numKeyFrames[1], 1);

	// The model went to its group; the mesh copies are deep.
	EXPECT_EQ(BG3D_GetNumModels(GROUP), 1);
	EXPECT_NE(gLocalTriMeshesOfSkelType[TYPE][0].points, s->decomposedTriMeshes[0].points);
	EXPECT_EQ(gLocalTriMeshesOfSkelType[TYPE][0].numPoints, s->decomposedTriMeshes[0].numPoints);
}

TEST_F(SkeletonFileTest, FreeingReleasesEveryBlockAndLoadingTwiceKeepsTheFirst)
{
	WriteRig(Rig::SampleArm());
	LoadASkeleton(TYPE);
	SkeletonInfoType* first = gLoadedSkeletonsList[TYPE];
	const int64_t loaded = Tamber::GetMemoryStats().liveBlocks;
	LoadASkeleton(TYPE);
	EXPECT_EQ(gLoadedSkeletonsList[TYPE], first);
	EXPECT_EQ(Tamber::GetMemoryStats().liveBlocks, loaded) << "no second set of mesh copies";

	FreeAllSkeletonFiles(-1);
	EXPECT_EQ(gLoadedSkeletonsList[TYPE], nullptr);
	EXPECT_EQ(gNumDecomposedTriMeshesInSkeleton[TYPE], 0);
	DeleteAllBG3DContainers();
	EXPECT_EQ(Tamber::GetMemoryStats().liveBlocks, blocksBefore);
}

TEST_F(SkeletonFileTest, FreeAllKeepsTheTypeAskedFor)
{
	WriteRig(Rig::SampleArm());
	LoadASkeleton(TYPE);
	FreeAllSkeletonFiles(TYPE);
	EXPECT_NE(gLoadedSkeletonsList[TYPE], nullptr);
}

TEST_F(SkeletonFileTest, TheCallersResourceFileStaysCurrent)
{
	WriteRig(Rig::SampleArm());
	Bake::ResourceForkWriter other;
	other.Add(FOUR_CC("Test"), 1, {1, 2, 3});
	other.WriteSidecarFile(dir.path / "other");
	FSSpec spec = Spec(":other");
	int16_t ref = FSpOpenResFile(&spec, fsRdPerm);
	ASSERT_GT(ref, 0);

	LoadASkeleton(TYPE);
	EXPECT_EQ(CurResFile(), ref);
	CloseResFile(ref);
}

TEST_F(SkeletonFileTest, TypesOutsideTheTableStop)
{
	EXPECT_THROW(LoadASkeleton(MAX_SKELETON_TYPES), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "LoadASkeleton: MAX_SKELETON_TYPES exceeded!");
	EXPECT_THROW(LoadSkeleton(MAX_SKELETON_TYPES), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "LoadSkeleton: Unknown skeletonType!");
}

TEST_F(SkeletonFileTest, MissingFilesStop)
{
	ExpectLoadFails("Error opening Skel Rez file");

	Rig::Skeleton rig = Rig::SampleArm("Farmer");
	WriteResources(Rig::BuildSkeletonResourceList(rig));		// the skeleton without its model
	ExpectLoadFails("ReadDataFromSkeletonFile: Cannot find the skeleton's model file \"");
}

//
// The damaged corpus: one fault per file.
//

TEST_F(SkeletonFileTest, DamagedHeadersStop)
{
	WriteDamaged([](Resources& r) { Remove(r, "Hedr", 1000); });
	ExpectLoadFails("ReadDataFromSkeletonFile: Error reading header resource!");
	WriteDamaged([](Resources& r) { Find(r, "Hedr", 1000)->data.resize(4); });
	ExpectLoadFails("'Hedr' 1000 holds 4 bytes, needs 6");
	WriteDamaged([](Resources& r) { PutU16(Find(r, "Hedr", 1000)->data, 0, 0x0100); });
	ExpectLoadFails("Skeleton file has wrong version #");
	WriteDamaged([](Resources& r) { PutU16(Find(r, "Hedr", 1000)->data, 4, 21); });
	ExpectLoadFails("ReadDataFromSkeletonFile: numJoints > MAX_JOINTS");
	WriteDamaged([](Resources& r) { PutU16(Find(r, "Hedr", 1000)->data, 2, 41); });
	ExpectLoadFails("ReadDataFromSkeletonFile: numAnims > MAX_ANIMS");
	WriteDamaged([](Resources& r) { PutU16(Find(r, "Hedr", 1000)->data, 4, 0); });
	ExpectLoadFails("PrimeBoneData: # = 0??");
	WriteDamaged([](Resources& r) { Remove(r, "alis", 1001); });
	ExpectLoadFails("ReadDataFromSkeletonFile: file is missing the Alias resource");
	WriteDamaged([](Resources& r) { Find(r, "alis", 1001)->data = Rig::MakeAliasRecord("Nowhere.bg3d"); });
	ExpectLoadFails("Cannot find the skeleton's model file");
}

TEST_F(SkeletonFileTest, DamagedBonesStop)
{
	WriteDamaged([](Resources& r) { Remove(r, "Bone", 1002); });
	ExpectLoadFails("Error reading Bone resource!");
	WriteDamaged([](Resources& r) { Find(r, "Bone", 1001)->data.resize(40); });
	ExpectLoadFails("'Bone' 1001 holds 40 bytes, needs 52");
	WriteDamaged([](Resources& r) { Remove(r, "BonP", 1000); });
	ExpectLoadFails("Error reading BonP resource!");
	WriteDamaged([](Resources& r) { Remove(r, "BonN", 1000); });
	ExpectLoadFails("Error reading BonN resource!");
	// A count larger than the list behind it.
	WriteDamaged([](Resources& r) { PutU16(Find(r, "Bone", 1001)->data, 48, 9); });
	ExpectLoadFails("'BonP' 1001 holds 16 bytes, needs 18");
	WriteDamaged([](Resources& r) { PutU16(Find(r, "Bone", 1001)->data, 50, 60000); });
	ExpectLoadFails("'BonN' 1001 holds 12 bytes, needs 120000");
	// Indices beyond the decomposition: 24 points, 6 normals.
	WriteDamaged([](Resources& r) { PutU16(Find(r, "BonP", 1002)->data, 2, 24); });
	ExpectLoadFails("'BonP' 1002 lists point 24 of only 24");
	WriteDamaged([](Resources& r) { PutU16(Find(r, "BonN", 1000)->data, 0, 6); });
	ExpectLoadFails("'BonN' 1000 lists normal 6 of only 6");
}

TEST_F(SkeletonFileTest, ImpossibleHierarchiesStop)
{
	WriteDamaged([](Resources& r) { PutS32(Find(r, "Bone", 1000)->data, 0, 1); });
	ExpectLoadFails("joint 0 must be the root");
	WriteDamaged([](Resources& r) { PutS32(Find(r, "Bone", 1002)->data, 0, 3); });
	ExpectLoadFails("joint 2 has an impossible parent 3");
	WriteDamaged([](Resources& r) { PutS32(Find(r, "Bone", 1002)->data, 0, -1); });
	ExpectLoadFails("joint 2 has an impossible parent -1");
	WriteDamaged([](Resources& r) { PutS32(Find(r, "Bone", 1002)->data, 0, 2); });
	ExpectLoadFails("joint 2 has an impossible parent 2");
	// 1 and 2 each other's parent: a walk up to the root would never end.
	WriteDamaged([](Resources& r) { PutS32(Find(r, "Bone", 1001)->data, 0, 2); });
	ExpectLoadFails("is its own ancestor");
}

TEST_F(SkeletonFileTest, DamagedRelativePointsStop)
{
	WriteDamaged([](Resources& r) { Remove(r, "RelP", 1000); });
	ExpectLoadFails("Error reading RelP resource!");
	WriteDamaged([](Resources& r) { Find(r, "RelP", 1000)->data.resize(23 * 12); });
	ExpectLoadFails("# of points in Reference Model has changed!");
	WriteDamaged([](Resources& r) { Find(r, "RelP", 1000)->data.resize(25 * 12); });
	ExpectLoadFails("# of points in Reference Model has changed!");
}

TEST_F(SkeletonFileTest, DamagedAnimationsStop)
{
	WriteDamaged([](Resources& r) { Remove(r, "AnHd", 1001); });
	ExpectLoadFails("Error getting anim header resource");
	WriteDamaged([](Resources& r) { Find(r, "AnHd", 1000)->data.resize(34); });
	ExpectLoadFails("'AnHd' 1000 holds 34 bytes, needs 36");
	WriteDamaged([](Resources& r) {
		std::vector<uint8_t>& header = Find(r, "AnHd", 1000)->data;
		PutU16(header, 34, 31);
		Find(r, "Evnt", 1000)->data.resize(31 * 4);
	});
	ExpectLoadFails("animation 0 has 31 events, more than 30");
	WriteDamaged([](Resources& r) { Remove(r, "Evnt", 1000); });
	ExpectLoadFails("Error reading anim-event data resource!");
	WriteDamaged([](Resources& r) { PutU16(Find(r, "AnHd", 1000)->data, 34, 2); });
	ExpectLoadFails("'Evnt' 1000 holds 4 bytes, needs 8");
	WriteDamaged([](Resources& r) { Remove(r, "NumK", 1001); });
	ExpectLoadFails("Error reading # keyframes/joint resource!");
	WriteDamaged([](Resources& r) { Find(r, "NumK", 1001)->data.resize(2); });
	ExpectLoadFails("'NumK' 1001 holds 2 bytes, needs 3");
}

TEST_F(SkeletonFileTest, DamagedKeyframesStop)
{
	WriteDamaged([](Resources& r) { Find(r, "NumK", 1000)->data[1] = 16; });
	ExpectLoadFails("Error: numKeyframes > MAX_KEYFRAMES");
	WriteDamaged([](Resources& r) { Find(r, "NumK", 1000)->data[1] = 4; });
	ExpectLoadFails("'KeyF' 1001 holds 132 bytes, needs 176");
	WriteDamaged([](Resources& r) { Remove(r, "KeyF", KeyframeResourceID(1, 2)); });
	ExpectLoadFails("Error reading joint keyframes resource!");
}

TEST_F(SkeletonFileTest, FifteenKeyframesLoadAndAreFoundByAnimationAndJoint)
{
	// Six joints and three animations, the last keying each joint 15 times.
	Rig::Skeleton rig = Rig::SampleChain("Farmer", 6);
	Rig::AnimBuilder(rig, "two").Key(0, Rig::Pose());
	Rig::AnimBuilder busy(rig, "busy");
	for (int k = 0; k < 15; k++)
		busy.Key(k * 2, Rig::Pose().RotX(5, 0.1f * float(k)));
	WriteRig(rig);
	LoadASkeleton(TYPE);
	const SkeletonInfoType* s = gLoadedSkeletonsList[TYPE];
	ASSERT_NE(s, nullptr);
	EXPECT_EQ(s->JointKeyframes[5].numKeyFrames[2], 15);
	EXPECT_NEAR(s->JointKeyframes[5].keyFrames[2][14].rotation.x, 1.4f, 1e-6f);
	FreeAllSkeletonFiles(-1);

	// Animation 2 of joint 5 is 'KeyF' 1205.
	EXPECT_EQ(KeyframeResourceID(2, 5), 1205);
	Resources resources = Rig::BuildSkeletonResourceList(rig);
	Remove(resources, "KeyF", 1205);
	WriteResources(resources);
	ExpectLoadFails("Error reading joint keyframes resource!");
}

TEST_F(SkeletonFileTest, ARootWithNineteenChildrenListsThemInAscendingOrder)
{
	// Every joint but the root hangs from it: the most children a joint can have.
	Rig::Skeleton rig = Rig::SampleChain("Farmer", MAX_JOINTS);
	for (int j = 1; j < MAX_JOINTS; j++)
		rig.joints[size_t(j)].parent = 0;
	rig.anims.clear();
	Rig::AnimBuilder(rig, "still").Key(0, Rig::Pose()).Stop(0);
	WriteRig(rig);
	LoadASkeleton(TYPE);
	const SkeletonInfoType* s = gLoadedSkeletonsList[TYPE];
	ASSERT_NE(s, nullptr);
	ASSERT_EQ(s->numChildren[0], MAX_CHILDREN);
	for (int c = 0; c < MAX_CHILDREN; c++)
		EXPECT_EQ(s->childIndex[0][c], c + 1);
	for (int j = 1; j < MAX_JOINTS; j++)
		EXPECT_EQ(s->numChildren[j], 0);
}

TEST_F(SkeletonFileTest, ParentsMayComeAfterTheirChildren)
{
	// Joint 1 hangs from joint 2, which hangs from the root: the file's order
	// is not the hierarchy's, and the loader must still find it.
	WriteDamaged([](Resources& r) {
		PutS32(Find(r, "Bone", 1001)->data, 0, 2);
		PutS32(Find(r, "Bone", 1002)->data, 0, 0);
	});
	LoadASkeleton(TYPE);
	const SkeletonInfoType* s = gLoadedSkeletonsList[TYPE];
	ASSERT_NE(s, nullptr);
	EXPECT_EQ(s->numChildren[0], 1);
	EXPECT_EQ(s->childIndex[0][0], 2);
	EXPECT_EQ(s->numChildren[2], 1);
	EXPECT_EQ(s->childIndex[2][0], 1);
}

//
// The reference model
//

namespace
{
	// A BG3D file of one model with `meshes` geometries, written record by
	// record so that it can lack normals.
	std::vector<uint8_t> HandMadeModel(const std::vector<std::vector<float>>& meshes, bool withNormals)
	{
		Bake::BigEndianWriter w;
		w.Bytes("BG3D", 4);
		w.Zeros(16);
		w.U32(3);		// group
		for (const std::vector<float>& points : meshes)
		{
			uint32_t n = uint32_t(points.size() / 3);
			w.U32(5);
			w.U32(0);
			w.S32(0);
			w.Zeros(16 + 4);
			w.U32(n);
			w.U32(1);
			w.Zeros(16);
			w.U32(6);
			for (float f : points)
				w.F32(f);
			if (withNormals)
			{
				w.U32(7);
				for (uint32_t i = 0; i < n; i++)
				{
					w.F32(0);
					w.F32(0);
					w.F32(2);
				}
			}
			w.U32(10);
			w.U32(0);
			w.U32(1);
			w.U32(2);
		}
		w.U32(4);		// end group
		w.U32(11);
		return w.Take();
	}
}

TEST_F(SkeletonFileTest, ReferenceModelsOutsideTheLimitsStop)
{
	Rig::Skeleton rig = Rig::SampleArm("Farmer");
	WriteResources(Rig::BuildSkeletonResourceList(rig));
	const std::vector<float> triangle = {0, 0, 0, 1, 0, 0, 0, 1, 0};

	WriteBytes(dir / "Skeletons/Farmer.bg3d", HandMadeModel({triangle}, false));
	ExpectLoadFails("a skinned mesh has no normals");
	DeleteAllBG3DContainers();

	WriteBytes(dir / "Skeletons/Farmer.bg3d", HandMadeModel(std::vector<std::vector<float>>(11, triangle), true));
	ExpectLoadFails("DecomposeATriMesh: gNumDecomposedTriMeshes > MAX_DECOMPOSED_TRIMESHES");
	DeleteAllBG3DContainers();

	std::vector<float> crowded;
	for (int i = 0; i < 11; i++)
		crowded.insert(crowded.end(), {5, 5, 5});
	WriteBytes(dir / "Skeletons/Farmer.bg3d", HandMadeModel({crowded}, true));
	ExpectLoadFails("DecomposeATriMesh: MAX_POINT_REFS exceeded!");
	DeleteAllBG3DContainers();

	std::vector<float> many;
	for (int i = 0; i < 1001; i++)
		many.insert(many.end(), {float(i), 0, 0});
	WriteBytes(dir / "Skeletons/Farmer.bg3d", HandMadeModel({many}, true));
	ExpectLoadFails("DecomposeATriMesh: MAX_DECOMPOSED_POINTS exceeded!");
	DeleteAllBG3DContainers();

	// The right model but the skeleton counts other points.
	WriteRig(rig);
	Resources resources = Rig::BuildSkeletonResourceList(Rig::SampleChain("Farmer", 2));
	WriteResources(resources);
	ExpectLoadFails("# of points in Reference Model has changed!");
}

TEST(SkeletonDecompose, PointsCloserThanATolerancePerAxisMerge)
{
	SkeletonDecomposer d;
	std::vector<float> points = {1, 2, 3, 1.0005f, 2, 3, 1.002f, 2, 3};
	std::vector<float> normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
	std::string error;
	ASSERT_TRUE(d.AddMesh(points.data(), normals.data(), 3, &error)) << error;
	ASSERT_EQ(d.points.size(), 2u);
	EXPECT_EQ(d.points[0].numRefs, 2);
	EXPECT_EQ(d.points[0].whichPoint[1], 1);
	EXPECT_EQ(d.points[1].numRefs, 1);
	EXPECT_EQ(d.points[1].realPoint[0], 1.002f);
}

TEST(SkeletonDecompose, NormalsAreNormalisedThenMergedWithinTolerance)
{
	SkeletonDecomposer d;
	std::vector<float> points = {0, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0};
	std::vector<float> normals = {0, 0, 1, 0.01f, 0, 1, 0, 0, 5, 0.00005f, 0, 0};
	std::string error;
	ASSERT_TRUE(d.AddMesh(points.data(), normals.data(), 4, &error)) << error;
	ASSERT_EQ(d.NumNormals(), 2) << "(0, 0, 1), (0.01, 0, 1) and (0, 0, 5) are one; the near-zero normal is (0, 0, 0)";
	EXPECT_EQ(normals[8], 1.0f) << "the model's own normals are normalised";
	EXPECT_EQ(normals[9], 0.0f);
	EXPECT_EQ(d.points[3].whichNormal[0], 1);
	EXPECT_EQ(d.points[1].whichNormal[0], 0);
}

TEST(SkeletonDecompose, ReferencesRememberMeshAndVertexAcrossMeshes)
{
	SkeletonDecomposer d;
	std::vector<float> a = {0, 0, 0, 1, 1, 1}, b = {1, 1, 1};
	std::vector<float> na = {0, 1, 0, 0, 1, 0}, nb = {1, 0, 0};
	std::string error;
	ASSERT_TRUE(d.AddMesh(a.data(), na.data(), 2, &error));
	ASSERT_TRUE(d.AddMesh(b.data(), nb.data(), 1, &error));
	ASSERT_EQ(d.points.size(), 2u);
	const DecomposedPointRecord& shared = d.points[1];
	ASSERT_EQ(shared.numRefs, 2);
	EXPECT_EQ(shared.whichTriMesh[1], 1);
	EXPECT_EQ(shared.whichPoint[1], 0);
	EXPECT_EQ(shared.whichNormal[0], 0);
	EXPECT_EQ(shared.whichNormal[1], 1);
}
