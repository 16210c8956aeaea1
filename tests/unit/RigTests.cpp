// The rig kit and the baked rigs: every skeleton type loads through the
// game's own loader with at least the animations and joints the code uses,
// the events the code waits for are where it expects them, and the motions
// hold together (walks loop seamlessly, the punch lands on its flag).
#include "3D/BG3D.h"
#include "3D/Skeleton.h"
#include "System/Boot.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "Bake.h"
#include "skeletons/BakeSkeletons.h"
#include "BakedData.h"
#include "FilesTestSupport.h"
#include "Memory.h"
#include "Resources.h"
#include "kit/Primitives.h"
#include "rig/SampleRigs.h"
#include "rig/SkeletonWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

using namespace FilesTestSupport;

namespace
{
	// The baked skeletons, from the shared baked Data folder.
	class BakedRigs : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			Tamber::Files::Init();
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BakedData::Folder() / "Skeletons");
			InitBG3DManager();
			InitObjectManager();
			InitSkeletonManager();
		}
		void TearDown() override
		{
			DeleteAllObjects();
			FreeAllSkeletonFiles(-1);
			DeleteAllBG3DContainers();
			Tamber::Files::Shutdown();
		}

		static const SkeletonInfoType* Load(int type)
		{
			LoadASkeleton(type);
			return gLoadedSkeletonsList[type];
		}

		// A node of `type` playing `anim`, at the origin facing −z.
		static ObjNode* Node(int type, int anim)
		{
			ObjectDef def = {};
			def.type = uint8_t(type);
			def.slot = 100;
			def.scale = 1;
			gFrameTime = 0;
			return MakeNewSkeletonBaseData(&def, anim);
		}

		// The world position of a joint with the node's clock at `tick`.
		static OGLPoint3D JointAt(ObjNode* node, int joint, float tick)
		{
			node->Skeleton->CurrentAnimTime = tick;
			ComputeCurrentJointPositions(node->Skeleton);
			OGLPoint3D p;
			FindCoordOfJoint(node, joint, &p);
			return p;
		}

		static bool HasEvent(const SkeletonInfoType* s, int anim, uint8_t type, uint8_t value, uint16_t* time = nullptr)
		{
			for (int i = 0; i < s->NumAnimEvents[anim]; i++)
			{
				const AnimEventType& e = s->AnimEventsList[anim][i];
				if (e.type == type && e.value == value)
				{
					if (time)
						*time = e.time;
					return true;
				}
			}
			return false;
		}

		// Every joint's matrix at two clock values agrees.
		static void ExpectSamePose(ObjNode* node, float tickA, float tickB, const char* what)
		{
			SkeletonObjDataType* s = node->Skeleton;
			s->CurrentAnimTime = tickA;
			ComputeCurrentJointPositions(s);
			OGLMatrix4x4 a[MAX_JOINTS];
			std::memcpy(a, s->jointTransformMatrix, sizeof(a));
			s->CurrentAnimTime = tickB;
			ComputeCurrentJointPositions(s);
			for (int j = 0; j < s->skeletonDefinition->NumBones; j++)
				for (int i = 0; i < 16; i++)
					ASSERT_NEAR(a[j].value[i], s->jointTransformMatrix[j].value[i], 1e-4f) << what << ": joint " << j;
		}
	};
}

TEST_F(BakedRigs, EveryTypeLoadsWithTheAnimationsAndJointsTheCodeUses)
{
	for (int type = 0; type < MAX_SKELETON_TYPES; type++)
	{
		const SkeletonInfoType* s = Load(type);
		ASSERT_NE(s, nullptr) << SKELETON_FILE_NAMES[type];
		EXPECT_GE(s->NumAnims, SKELETON_NEEDS[type].minAnims) << SKELETON_FILE_NAMES[type];
		EXPECT_GE(s->NumBones, SKELETON_NEEDS[type].minJoints) << SKELETON_FILE_NAMES[type];
		EXPECT_GE(s->NumDecomposedPoints, 50) << SKELETON_FILE_NAMES[type] << " has a real mesh";
		// Every point moves with some joint, exactly one.
		std::vector<int> owners(size_t(s->NumDecomposedPoints), 0);
		for (int j = 0; j < s->NumBones; j++)
			for (int i = 0; i < s->Bones[j].numPointsAttachedToBone; i++)
				owners[s->Bones[j].pointList[i]]++;
		for (int p = 0; p < s->NumDecomposedPoints; p++)
			ASSERT_EQ(owners[size_t(p)], 1) << SKELETON_FILE_NAMES[type] << " point " << p;
		// Every animation ends: it loops or stops (or holds a single pose).
		for (int a = 0; a < s->NumAnims; a++)
		{
			bool ends = false;
			for (int i = 0; i < s->NumAnimEvents[a]; i++)
				ends |= s->AnimEventsList[a][i].type == ANIMEVENT_TYPE_LOOP || s->AnimEventsList[a][i].type == ANIMEVENT_TYPE_STOP;
			EXPECT_TRUE(ends) << SKELETON_FILE_NAMES[type] << " animation " << a;
		}
		// Every animation can be played and skinned.
		for (int a = 0; a < s->NumAnims; a++)
		{
			ObjNode* node = Node(type, a);
			EXPECT_FALSE(node->BBox.isEmpty);
			EXPECT_LT(node->BBox.min.y, node->BBox.max.y);
			DeleteObject(node);
		}
	}
}

TEST_F(BakedRigs, TheHeroHasItsHandsFlagsAndFootsteps)
{
	const SkeletonInfoType* s = Load(SKELETON_TYPE_QUOG);
	ASSERT_NE(s, nullptr);
	EXPECT_EQ(s->NumAnims, NUM_PLAYER_ANIMS);
	// The hands hang at the ends of the forearms, left on −x.
	EXPECT_EQ(s->Bones[PLAYER_JOINT_LEFT_HAND].parentBone, 11);
	EXPECT_EQ(s->Bones[PLAYER_JOINT_RIGHT_HAND].parentBone, 14);
	EXPECT_LT(s->Bones[PLAYER_JOINT_LEFT_HAND].coord.x, 0);
	EXPECT_GT(s->Bones[PLAYER_JOINT_RIGHT_HAND].coord.x, 0);

	for (int anim : {PLAYER_ANIM_PUNCH, PLAYER_ANIM_PICKUPLOW, PLAYER_ANIM_PICKUP, PLAYER_ANIM_CHANGEWEAPON, PLAYER_ANIM_THROWDART})
	{
		EXPECT_TRUE(HasEvent(s, anim, ANIMEVENT_TYPE_SETFLAG, 0)) << "animation " << anim;
		EXPECT_TRUE(HasEvent(s, anim, ANIMEVENT_TYPE_STOP, 0)) << "animation " << anim << " ends";
	}
	for (int anim : {PLAYER_ANIM_WALK, PLAYER_ANIM_WALKWITHGUN})
	{
		EXPECT_TRUE(HasEvent(s, anim, ANIMEVENT_TYPE_PLAYSOUND, ANIMSOUND_LEFT_FOOT)) << anim;
		EXPECT_TRUE(HasEvent(s, anim, ANIMEVENT_TYPE_PLAYSOUND, ANIMSOUND_RIGHT_FOOT)) << anim;
	}
}

TEST_F(BakedRigs, TheCreaturesRaiseTheFlagsTheirCodeWaitsFor)
{
	struct Need { int type, anim, flag; };
	const Need needs[] = {
		{SKELETON_TYPE_TOMATO, 3, 0}, {SKELETON_TYPE_GIANTLIZARD, 2, 0}, {SKELETON_TYPE_GIANTLIZARD, 5, 0},
		{SKELETON_TYPE_VENUSFLYTRAP, 1, 0}, {SKELETON_TYPE_VENUSFLYTRAP, 2, 0}, {SKELETON_TYPE_MUTANT, 2, 0},
		{SKELETON_TYPE_PITCHERPLANT, 1, 0}, {SKELETON_TYPE_PITCHERPLANT, 1, 1}, {SKELETON_TYPE_CLOWN, 2, 0},
		{SKELETON_TYPE_STRONGMAN, 2, 0}, {SKELETON_TYPE_ICECUBE, 2, 0},
	};
	for (const Need& n : needs)
	{
		const SkeletonInfoType* s = Load(n.type);
		EXPECT_TRUE(HasEvent(s, n.anim, ANIMEVENT_TYPE_SETFLAG, uint8_t(n.flag)))
			<< SKELETON_FILE_NAMES[n.type] << " animation " << n.anim << " flag " << n.flag;
	}
	// The animations whose end the code waits for stop.
	const Need stops[] = {{SKELETON_TYPE_ONION, 3, 0}, {SKELETON_TYPE_ONION, 4, 0}, {SKELETON_TYPE_SQUOOSHY, 1, 0},
		{SKELETON_TYPE_SQUOOSHY, 3, 0}, {SKELETON_TYPE_VENUSFLYTRAP, 1, 0}, {SKELETON_TYPE_GIANTLIZARD, 3, 0},
		{SKELETON_TYPE_BRAINALIEN, 6, 0}, {SKELETON_TYPE_STRONGMAN, 2, 0},
		// The brain aliens' death, hit and bite play once: a corpse stays down, a hit alien reels until its timer ends.
		{SKELETON_TYPE_BRAINALIEN, 2, 0}, {SKELETON_TYPE_BRAINALIEN, 4, 0}, {SKELETON_TYPE_ELITEBRAINALIEN, 2, 0},
		{SKELETON_TYPE_ELITEBRAINALIEN, 4, 0}, {SKELETON_TYPE_ELITEBRAINALIEN, 6, 0}};
	for (const Need& n : stops)
		EXPECT_TRUE(HasEvent(Load(n.type), n.anim, ANIMEVENT_TYPE_STOP, 0)) << SKELETON_FILE_NAMES[n.type] << " " << n.anim;
}

TEST_F(BakedRigs, WalkCyclesLoopSeamlesslyAndKeepRunning)
{
	const std::pair<int, int> walks[] = {{SKELETON_TYPE_QUOG, PLAYER_ANIM_WALK}, {SKELETON_TYPE_QUOG, PLAYER_ANIM_WALKWITHGUN},
		{SKELETON_TYPE_FARMER, HUMAN_ANIM_WALK}, {SKELETON_TYPE_BEEWOMAN, HUMAN_ANIM_WALK},
		{SKELETON_TYPE_SCIENTIST, HUMAN_ANIM_WALK}, {SKELETON_TYPE_SKIRTLADY, HUMAN_ANIM_WALK},
		{SKELETON_TYPE_BRAINALIEN, BRAINALIEN_ANIM_WALK}, {SKELETON_TYPE_BRAINALIEN, BRAINALIEN_ANIM_RUN},
		{SKELETON_TYPE_ELITEBRAINALIEN, BRAINALIEN_ANIM_RUN}};
	for (auto [type, anim] : walks)
	{
		Load(type);
		ObjNode* node = Node(type, anim);
		const float length = node->Skeleton->MaxAnimTime;
		ASSERT_GT(length, 0);
		ExpectSamePose(node, 0, length, SKELETON_FILE_NAMES[type]);

		// Ten cycles at an odd frame rate: the clock wraps and never stops.
		SetSkeletonAnim(node->Skeleton, anim);
		gFrameTime = 1.0f / 47.0f;
		for (int frame = 0; frame < int(10 * length * 47 / 30); frame++)
		{
			UpdateSkeletonAnimation(node);
			ASSERT_GE(node->Skeleton->CurrentAnimTime, 0);
			ASSERT_LT(node->Skeleton->CurrentAnimTime, length);
		}
		EXPECT_FALSE(node->Skeleton->AnimHasStopped);
		DeleteObject(node);
	}
}

TEST_F(BakedRigs, TheFeetTakeTurnsWithTheFootstepSounds)
{
	Load(SKELETON_TYPE_QUOG);
	ObjNode* node = Node(SKELETON_TYPE_QUOG, PLAYER_ANIM_WALK);
	const SkeletonInfoType* s = node->Skeleton->skeletonDefinition;
	uint16_t left = 0, right = 0;
	ASSERT_TRUE(HasEvent(s, PLAYER_ANIM_WALK, ANIMEVENT_TYPE_PLAYSOUND, ANIMSOUND_LEFT_FOOT, &left));
	ASSERT_TRUE(HasEvent(s, PLAYER_ANIM_WALK, ANIMEVENT_TYPE_PLAYSOUND, ANIMSOUND_RIGHT_FOOT, &right));
	// At each step the stepping foot is out in front (−z) of the other.
	EXPECT_LT(JointAt(node, 3, left).z, JointAt(node, 6, left).z - 20);
	EXPECT_LT(JointAt(node, 6, right).z, JointAt(node, 3, right).z - 20);
}

TEST_F(BakedRigs, ThePunchLandsOnItsFlag)
{
	Load(SKELETON_TYPE_QUOG);
	ObjNode* node = Node(SKELETON_TYPE_QUOG, PLAYER_ANIM_PUNCH);
	uint16_t flag = 0;
	ASSERT_TRUE(HasEvent(node->Skeleton->skeletonDefinition, PLAYER_ANIM_PUNCH, ANIMEVENT_TYPE_SETFLAG, 0, &flag));

	// The fist's reach forward (−z) over the animation peaks at the flag.
	float best = 1e9f;
	int bestTick = -1;
	for (int tick = 0; tick <= int(node->Skeleton->MaxAnimTime); tick++)
	{
		float z = JointAt(node, PLAYER_JOINT_LEFT_HAND, float(tick)).z;
		if (z < best - 0.5f)
		{
			best = z;
			bestTick = tick;
		}
	}
	EXPECT_NEAR(bestTick, flag, 1);
	OGLPoint3D fist = JointAt(node, PLAYER_JOINT_LEFT_HAND, flag), chest = JointAt(node, 8, flag);
	EXPECT_LT(fist.z, chest.z - 45) << "the arm is out straight";
	EXPECT_GT(fist.y, 100) << "at chest height";

	// Run through it as the game would: the flag comes up, then the animation stops.
	SetSkeletonAnim(node->Skeleton, PLAYER_ANIM_PUNCH);
	node->Flag[0] = 0;
	gFrameTime = 1.0f / 60.0f;
	int frames = 0;
	while (!node->Skeleton->AnimHasStopped && frames++ < 200)
		UpdateSkeletonAnimation(node);
	EXPECT_EQ(node->Flag[0], 1);
	EXPECT_TRUE(node->Skeleton->AnimHasStopped);
	EXPECT_LT(frames, 60);
}

TEST_F(BakedRigs, TheBrainAliensBiteWithTheirHead)
{
	Load(SKELETON_TYPE_BRAINALIEN);
	ObjNode* node = Node(SKELETON_TYPE_BRAINALIEN, BRAINALIEN_ANIM_BITE);
	float rest = JointAt(node, BRAINALIEN_JOINT_HEAD, 0).z;
	float strike = JointAt(node, BRAINALIEN_JOINT_HEAD, 11).z;
	EXPECT_LT(strike, rest - 10) << "the head lunges forward";
}

//
// The kit itself
//

TEST(RigKit, PartsOfTwoJointsMayNotShareAPosition)
{
	Rig::Skeleton s = Rig::SampleArm();
	Kit::Mesh clash = Kit::Box({2, 2, 2});
	Kit::SetTag(clash, 2);
	Kit::Translate(clash, {4, 9, 4});		// a corner on the base's (5, 10, 5)
	Kit::ModelBuilder b(s.model);
	s.model.models.clear();
	Kit::Mesh all = Kit::Box({10, 10, 10});
	Kit::Translate(all, {0, 5, 0});
	Kit::SetTag(all, 0);
	Kit::Append(all, clash);
	b.Add(all, 0);
	s.model.models.push_back(b.Build("clash"));
	try
	{
		Rig::BindMesh(s);
		FAIL() << "a shared position was accepted";
	}
	catch (const std::logic_error& e)
	{
		EXPECT_NE(std::string(e.what()).find("shared by joints base and fore"), std::string::npos) << e.what();
	}
}

TEST(RigKit, ValidationRefusesWhatTheGameCannotLoad)
{
	auto refuses = [](const std::function<void(Rig::Skeleton&)>& change, const char* expected) {
		Rig::Skeleton s = Rig::SampleArm();
		change(s);
		try
		{
			Rig::Validate(s);
			ADD_FAILURE() << "accepted: " << expected;
		}
		catch (const std::logic_error& e)
		{
			EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
		}
	};
	refuses([](Rig::Skeleton& s) { s.joints[1].parent = 2; }, "must hang from an earlier joint");
	refuses([](Rig::Skeleton& s) { s.joints[0].parent = 0; }, "joint 0 must be the root");
	refuses([](Rig::Skeleton& s) {
		Rig::AnimBuilder a(s, "busy");
		for (int k = 0; k < 16; k++)
			a.Key(k, Rig::Pose());
	}, "1 to 15 keys per joint");
	refuses([](Rig::Skeleton& s) { Rig::AnimBuilder(s, "flag").Key(0, Rig::Pose()).SetFlag(0, 5); }, "flag number above 4");
	refuses([](Rig::Skeleton& s) { s.anims[0].keys[1][1].tick = 0; }, "keys must rise in time");
	refuses([](Rig::Skeleton& s) {
		for (int j = 3; j < 21; j++)
			s.AddJoint("extra", 0, {0, 0, 0});
	}, "needs 1 to 20 joints");
	refuses([](Rig::Skeleton& s) {
		Kit::ForEachGeometry(s.model.models[0], [](const Kit::Node& g) { const_cast<Kit::Node&>(g).mesh.tags[0] = 7; });
	}, "tagged with joint 7");
}

TEST(RigKit, EventsStayInTimeOrderWhateverTheOrderGiven)
{
	Rig::Skeleton s = Rig::SampleArm();
	Rig::AnimBuilder a(s, "order");
	a.Key(0, Rig::Pose()).Stop(20).SetFlag(9, 0).Loop(20).Sound(0, 3);
	const std::vector<Rig::Event>& e = s.anims.back().events;
	ASSERT_EQ(e.size(), 4u);
	EXPECT_EQ(e[0].tick, 0);
	EXPECT_EQ(e[1].tick, 9);
	EXPECT_EQ(e[2].type, ANIMEVENT_TYPE_STOP) << "events at one tick keep the order given";
	EXPECT_EQ(e[3].type, ANIMEVENT_TYPE_LOOP);
}

TEST(RigKit, PosesAreOffsetsFromTheReferencePose)
{
	Rig::Skeleton s = Rig::SampleArm();
	Rig::AnimBuilder(s, "pose").Key(0, Rig::Pose().Move(2, {1, 2, 3}).RotX(2, 0.5f).Scale(1, 2));
	const Rig::Animation& a = s.anims.back();
	EXPECT_EQ(a.keys[2][0].coord.y, 22.0f) << "20 above the upper arm's pivot, plus 2";
	EXPECT_EQ(a.keys[2][0].rotation.x, 0.5f);
	EXPECT_EQ(a.keys[1][0].scale.z, 2.0f);
	EXPECT_EQ(a.keys[0][0].coord.y, 0.0f);
}

TEST(RigKit, TheAliasRecordLeadsTheGameToTheMesh)
{
	TempDir dir;
	Tamber::Files::Init();
	WriteBytes(dir / "Mesh.bg3d", {1});
	WriteBytes(dir / "Thing.skeleton", {1});
	std::vector<uint8_t> record = Rig::MakeAliasRecord("Mesh.bg3d");
	Handle h = NewHandle(int32_t(record.size()));
	std::memcpy(*h, record.data(), record.size());
	FSSpec from = Tamber::Files::HostPathToFSSpec(dir.path / "Thing.skeleton"), target;
	bool changed = true;
	EXPECT_EQ(ResolveAlias(&from, h, &target, &changed), noErr);
	EXPECT_STREQ(target.name, "Mesh.bg3d");
	DisposeHandle(h);
	Tamber::Files::Shutdown();
}

TEST(RigKit, BakingTheSameRigTwiceGivesTheSameBytes)
{
	Rig::Skeleton a = Skeletons::BuildRig(SKELETON_TYPE_GIANTLIZARD), b = Skeletons::BuildRig(SKELETON_TYPE_GIANTLIZARD);
	EXPECT_EQ(Rig::BuildSkeletonResources(a).BuildSidecar(), Rig::BuildSkeletonResources(b).BuildSidecar());
}
