// Animation clocks, events, easing, pose evaluation and morphing, on skeleton
// types built by hand (no files, no mesh).
#include "3D/Skeleton.h"
#include "3D/SkeletonAnimEvents.h"
#include "Player/Player.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/SoundTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace
{
	JointKeyframeType KeyAt(int tick, OGLPoint3D coord = {0, 0, 0}, OGLVector3D rotation = {0, 0, 0},
			OGLVector3D scale = {1, 1, 1}, int ease = 0)
	{
		return {tick, ease, coord, rotation, scale};
	}

	// A chain of joints with animations keyed and evented by hand.
	struct HandSkeleton
	{
		SkeletonFileData file;

		HandSkeleton(int numJoints, int numAnims)
		{
			file.numJoints = numJoints;
			file.numAnims = numAnims;
			file.bones.resize(size_t(numJoints));
			file.children.resize(size_t(numJoints));
			for (int j = 0; j < numJoints; j++)
			{
				file.bones[size_t(j)].parentBone = j - 1;
				if (j > 0)
					file.children[size_t(j - 1)].push_back(uint8_t(j));
			}
			file.events.resize(size_t(numAnims));
			file.keyframes.assign(size_t(numJoints), std::vector<std::vector<JointKeyframeType>>(size_t(numAnims)));
		}
		HandSkeleton& Key(int anim, int joint, const JointKeyframeType& key)
		{
			file.keyframes[size_t(joint)][size_t(anim)].push_back(key);
			return *this;
		}
		HandSkeleton& Event(int anim, uint16_t time, uint8_t type, uint8_t value = 0)
		{
			file.events[size_t(anim)].push_back({time, type, value});
			return *this;
		}
		SkeletonInfoType* Build() const
		{
			SkeletonDecomposer none;
			return BuildSkeletonInfo(file, none, nullptr, 0);
		}
	};

	class SkeletonAnimTest : public ::testing::Test
	{
	protected:
		SkeletonInfoType* info = nullptr;
		SkeletonObjDataType data = {};
		ObjNode node = {};

		void SetUp() override
		{
			BuildAccelerationCurve();
			gFrameTime = 1.0f / 60.0f;
		}
		void TearDown() override
		{
			DisposeSkeletonInfo(info);
		}

		void Use(const HandSkeleton& hand, int anim = 0)
		{
			info = hand.Build();
			data = {};
			data.skeletonDefinition = info;
			node = {};
			node.Skeleton = &data;
			SetSkeletonAnim(&data, anim);
		}

		// Advances by `seconds` in one frame.
		void Step(float seconds)
		{
			gFrameTime = seconds;
			UpdateSkeletonAnimation(&node);
		}
	};
}

TEST(SkeletonEasing, CurveIsASmoothstepReadAtTruncatedIndices)
{
	BuildAccelerationCurve();
	EXPECT_EQ(gAccelerationCurve[0], 0.0f);
	EXPECT_NEAR(gAccelerationCurve[1000], 0.5f, 1e-6f);
	EXPECT_NEAR(GetAccelerationValue(0.5f), 0.49925f, 1e-5f) << "entry 999";
	EXPECT_NEAR(2 * GetAccelerationValue(0.375f), 0.6314f, 1e-4f) << "entry 749";
	EXPECT_NEAR(GetAccelerationValue(1.0f), gAccelerationCurve[1999], 0);

	EXPECT_THROW(GetAccelerationValue(1.01f), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, " AccelerationPercent > 1.0");
	EXPECT_THROW(GetAccelerationValue(-0.01f), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, " AccelerationPercent < 0");
	EXPECT_THROW(GetAccelerationValue(std::nanf("")), Tamber::QuitRequest);
}

TEST_F(SkeletonAnimTest, EaseModesWeightTheSegmentByItsStartKey)
{
	HandSkeleton h(1, 4);
	for (int mode = 0; mode < 4; mode++)
		h.Key(mode, 0, KeyAt(0, {0, 0, 0}, {0, 0, 0}, {1, 1, 1}, mode)).Key(mode, 0, KeyAt(40, {100, 0, 0}));
	Use(h);

	auto xAt = [&](int mode, float tick) {
		SetSkeletonAnim(&data, mode);
		data.CurrentAnimTime = tick;
		ComputeCurrentJointPositions(&data);
		return data.JointCurrentPosition[0].coord.x;
	};
	EXPECT_NEAR(xAt(0, 10), 25, 1e-4f) << "linear";
	EXPECT_NEAR(xAt(1, 20), 100 * (1 - 0.49925f), 1e-2f) << "mode 1 at e = 0.5: f = curve(0.5)";
	EXPECT_NEAR(xAt(2, 10), 100 * (1 - 0.6314f), 1e-2f) << "mode 2 at e = 0.25: f = 2 curve(0.375)";
	EXPECT_GT(xAt(2, 10), 25) << "mode 2 starts fast";
	EXPECT_LT(xAt(3, 10), 25) << "mode 3 starts slow";
	EXPECT_NEAR(xAt(3, 39.9f), 100, 2) << "and ends fast";
}

TEST_F(SkeletonAnimTest, KeyOnTheClockIsTakenWholeWithItsScale)
{
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(10, {1, 2, 3}, {0.1f, 0.2f, 0.3f}, {2, 3, 4})).Key(0, 0, KeyAt(20));
	Use(h);
	data.CurrentAnimTime = 10;
	ComputeCurrentJointPositions(&data);
	const JointKeyframeType& pose = data.JointCurrentPosition[0];
	EXPECT_EQ(pose.coord.z, 3.0f);
	EXPECT_EQ(pose.scale.y, 3.0f);
	EXPECT_EQ(pose.scale.z, 4.0f);

	// R = Rz·Ry·Rx, then the scale, then the translation.
	OGLMatrix4x4 r, s, expected;
	OGLMatrix4x4_SetRotate_XYZ(&r, 0.1f, 0.2f, 0.3f);
	OGLMatrix4x4_SetScale(&s, 2, 3, 4);
	OGLMatrix4x4_Multiply(&r, &s, &expected);
	for (int i = 0; i < 12; i++)
		EXPECT_NEAR(data.jointTransformMatrix[0].value[i], expected.value[i], 1e-6f) << i;
	EXPECT_EQ(data.jointTransformMatrix[0].value[12], 1.0f);
	EXPECT_EQ(data.jointTransformMatrix[0].value[14], 3.0f);

	// Before the first key: the first; past the last: the last.
	data.CurrentAnimTime = -5;
	ComputeCurrentJointPositions(&data);
	EXPECT_EQ(data.JointCurrentPosition[0].coord.x, 0.0f);
	data.CurrentAnimTime = 25;
	ComputeCurrentJointPositions(&data);
	EXPECT_EQ(data.JointCurrentPosition[0].coord.x, 0.0f);
	data.CurrentAnimTime = 5;
	ComputeCurrentJointPositions(&data);
	EXPECT_NEAR(data.JointCurrentPosition[0].scale.x, 1.5f, 1e-6f) << "scales blend per component";
	EXPECT_NEAR(data.JointCurrentPosition[0].scale.z, 2.5f, 1e-6f);
}

TEST_F(SkeletonAnimTest, AJointWithoutKeysFreezesItAndTheJointsAfterIt)
{
	HandSkeleton h(3, 2);
	for (int j = 0; j < 3; j++)
		h.Key(0, j, KeyAt(0, {float(j), 0, 0}));
	h.Key(1, 0, KeyAt(0, {10, 0, 0}));		// joint 1 has none in animation 1; joint 2 has one
	h.Key(1, 2, KeyAt(0, {30, 0, 0}));
	Use(h);
	SetSkeletonAnim(&data, 1);
	EXPECT_EQ(data.JointCurrentPosition[0].coord.x, 10.0f);
	EXPECT_EQ(data.JointCurrentPosition[1].coord.x, 1.0f);
	EXPECT_EQ(data.JointCurrentPosition[2].coord.x, 2.0f) << "evaluation ends at the first joint without keys";
}

TEST_F(SkeletonAnimTest, SwitchingResetsTheClockAndFindsTheLength)
{
	HandSkeleton h(2, 2);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(12)).Key(0, 1, KeyAt(0)).Key(0, 1, KeyAt(37));
	h.Key(1, 0, KeyAt(5));
	Use(h);
	EXPECT_EQ(data.MaxAnimTime, 37.0f);
	data.CurrentAnimTime = 20;
	data.AnimSpeed = 3;
	data.EndMode = ANIM_END_MODE_ZIGZAG;
	data.AnimHasStopped = true;
	SetSkeletonAnim(&data, 1);
	EXPECT_EQ(data.AnimNum, 1);
	EXPECT_EQ(data.CurrentAnimTime, 0.0f);
	EXPECT_EQ(data.AnimSpeed, 1.0f);
	EXPECT_FALSE(data.AnimHasStopped);
	EXPECT_EQ(data.EndMode, ANIM_END_MODE_ZIGZAG) << "left as it was";
	EXPECT_EQ(data.MaxAnimTime, 5.0f);

	EXPECT_THROW(SetSkeletonAnim(&data, 2), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "SetSkeletonAnim: illegal animNum");
	EXPECT_THROW(MorphToSkeletonAnim(&data, 2, 1), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "MorphToSkeletonAnim: bad anim #");
	MorphToSkeletonAnim(nullptr, 7, 1);		// nothing to morph
}

TEST_F(SkeletonAnimTest, ClockRunsThirtyTicksASecondTimesTheSpeed)
{
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(100));
	Use(h);
	data.AnimSpeed = 2;
	Step(1.0f / 60.0f);
	EXPECT_NEAR(data.CurrentAnimTime, 1.0f, 1e-6f);
}

TEST_F(SkeletonAnimTest, LoopJumpsBackByTheEventTime)
{
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(40)).Event(0, 40, ANIMEVENT_TYPE_LOOP);
	Use(h);
	data.CurrentAnimTime = 41.5f;
	Step(0);
	EXPECT_NEAR(data.CurrentAnimTime, 1.5f, 1e-5f);
	EXPECT_EQ(data.AnimEventIndex, 0);
	EXPECT_FALSE(data.AnimHasStopped);
}

TEST_F(SkeletonAnimTest, LoopReturnsToTheMarker)
{
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(40));
	h.Event(0, 10, ANIMEVENT_TYPE_MARKER).Event(0, 25, ANIMEVENT_TYPE_SETFLAG, 2).Event(0, 40, ANIMEVENT_TYPE_LOOP);
	Use(h);
	Step(12.0f / 30);
	EXPECT_EQ(data.LoopBackTime, 10.0f);
	Step(30.0f / 30);		// 42: loops to 12, the flag event next
	EXPECT_NEAR(data.CurrentAnimTime, 12, 1e-4f);
	EXPECT_EQ(node.Flag[2], 1);
	EXPECT_EQ(data.AnimEventIndex, 1);
}

TEST_F(SkeletonAnimTest, ZigZagBouncesBetweenTheEventAndTheMarker)
{
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(30));
	h.Event(0, 10, ANIMEVENT_TYPE_MARKER).Event(0, 20, ANIMEVENT_TYPE_ZIGZAG);
	Use(h);
	Step(11.0f / 30);
	EXPECT_EQ(data.LoopBackTime, 10.0f);
	Step(11.0f / 30);		// 22
	EXPECT_NEAR(data.CurrentAnimTime, 18, 1e-4f);
	EXPECT_EQ(data.AnimDirection, ANIM_DIRECTION_BACKWARD);
	EXPECT_EQ(data.EndMode, ANIM_END_MODE_ZIGZAG);
	Step(9.0f / 30);		// 9: bounces to 11 and runs forward
	EXPECT_NEAR(data.CurrentAnimTime, 11, 1e-4f);
	EXPECT_EQ(data.AnimDirection, ANIM_DIRECTION_FORWARD);
	EXPECT_EQ(data.AnimEventIndex, 1) << "the zig-zag comes next";
	EXPECT_FALSE(data.AnimHasStopped);
}

TEST_F(SkeletonAnimTest, RunningBackwardPastTheStartWithoutZigZagStops)
{
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(30));
	Use(h);
	data.CurrentAnimTime = 3;
	data.AnimDirection = ANIM_DIRECTION_BACKWARD;
	data.EndMode = 0;
	Step(6.0f / 30);
	EXPECT_NEAR(data.CurrentAnimTime, 3, 1e-4f) << "mirrored about the loop-back time";
	EXPECT_TRUE(data.AnimHasStopped);
}

TEST_F(SkeletonAnimTest, StopAndLoopAtZeroEndTheAnimation)
{
	HandSkeleton h(1, 2);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(10)).Event(0, 10, ANIMEVENT_TYPE_STOP);
	h.Key(1, 0, KeyAt(0)).Event(1, 0, ANIMEVENT_TYPE_LOOP);
	Use(h);
	Step(9.0f / 30);
	EXPECT_FALSE(data.AnimHasStopped);
	Step(2.0f / 30);
	EXPECT_TRUE(data.AnimHasStopped);
	EXPECT_EQ(data.AnimEventIndex, 1);

	SetSkeletonAnim(&data, 1);
	data.PauseTimer = 1;		// keeps the clock exactly at 0
	Step(1.0f / 30);
	EXPECT_TRUE(data.AnimHasStopped);
}

TEST_F(SkeletonAnimTest, AtMostTwoLoopsAreHandledPerFrame)
{
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0)).Event(0, 0, ANIMEVENT_TYPE_LOOP);		// would loop for ever
	Use(h);
	Step(5.0f / 30);
	EXPECT_NEAR(data.CurrentAnimTime, 5, 1e-4f);
	EXPECT_EQ(data.AnimEventIndex, 0);
}

TEST_F(SkeletonAnimTest, FlagEventsSetAndClearNodeFlags)
{
	HandSkeleton h(1, 2);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(20));
	h.Event(0, 5, ANIMEVENT_TYPE_SETFLAG, 4).Event(0, 10, ANIMEVENT_TYPE_CLEARFLAG, 4).Event(0, 12, 3).Event(0, 13, 99);
	h.Key(1, 0, KeyAt(0)).Event(1, 1, ANIMEVENT_TYPE_SETFLAG, 5);
	Use(h);
	Step(6.0f / 30);
	EXPECT_EQ(node.Flag[4], 1);
	Step(5.0f / 30);
	EXPECT_EQ(node.Flag[4], 0);
	Step(5.0f / 30);
	EXPECT_EQ(data.AnimEventIndex, 4) << "unknown event types are passed over";

	SetSkeletonAnim(&data, 1);
	EXPECT_THROW(Step(2.0f / 30), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "Error: ANIMEVENT_TYPE_SETFLAG > MAX_FLAGS_IN_OBJNODE!");
}

TEST_F(SkeletonAnimTest, PauseHoldsTheClockAtTheEvent)
{
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(40)).Event(0, 5, ANIMEVENT_TYPE_PAUSE, 15);
	Use(h);
	Step(7.0f / 30);
	EXPECT_EQ(data.CurrentAnimTime, 5.0f);
	EXPECT_NEAR(data.PauseTimer, 0.5f, 1e-6f);
	Step(0.3f);
	EXPECT_EQ(data.CurrentAnimTime, 5.0f);
	Step(0.3f);		// the timer runs out this frame; the clock still waits
	EXPECT_EQ(data.CurrentAnimTime, 5.0f);
	Step(1.0f / 30);
	EXPECT_NEAR(data.CurrentAnimTime, 6, 1e-4f);
}

TEST_F(SkeletonAnimTest, SetAnimTimeJumpsToAFractionAndItsNextEvent)
{
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0)).Key(0, 0, KeyAt(40));
	h.Event(0, 10, ANIMEVENT_TYPE_MARKER).Event(0, 20, ANIMEVENT_TYPE_SETFLAG, 0).Event(0, 30, ANIMEVENT_TYPE_STOP);
	Use(h);
	SetSkeletonAnimTime(&data, 0.5f);
	EXPECT_EQ(data.CurrentAnimTime, 20.0f);
	EXPECT_EQ(data.AnimEventIndex, 1);
	SetSkeletonAnimTime(&data, 0.9f);		// 36: no event left, the index stays
	EXPECT_EQ(data.AnimEventIndex, 1);
}

TEST_F(SkeletonAnimTest, MorphBlendsFromTheCurrentPoseToTheNewFirstKeys)
{
	HandSkeleton h(2, 2);
	h.Key(0, 0, KeyAt(0, {0, 0, 0}, {0, 0, 0}, {2, 2, 2})).Key(0, 1, KeyAt(0, {0, 10, 0}));
	h.Key(1, 0, KeyAt(0, {100, 0, 0}, {1, 0, 0}, {4, 4, 4})).Key(1, 0, KeyAt(30, {200, 0, 0}));
	h.Key(1, 1, KeyAt(0, {0, 50, 0}));
	Use(h);

	MorphToSkeletonAnim(&data, 1, 2.0f);
	EXPECT_TRUE(data.IsMorphing);
	EXPECT_EQ(data.AnimNum, 1);
	EXPECT_EQ(data.MorphStart[0].coord.x, 0.0f);
	EXPECT_EQ(data.MorphEnd[0].coord.x, 100.0f);
	EXPECT_EQ(data.JointCurrentPosition[0].coord.x, 0.0f) << "starts from the pose shown";

	Step(0.25f);		// half way; the clock does not run while morphing
	EXPECT_NEAR(data.JointCurrentPosition[0].coord.x, 50, 1e-4f);
	EXPECT_NEAR(data.JointCurrentPosition[0].rotation.x, 0.5f, 1e-5f);
	EXPECT_NEAR(data.JointCurrentPosition[0].scale.y, 3, 1e-5f);
	EXPECT_NEAR(data.JointCurrentPosition[1].coord.y, 30, 1e-4f);
	EXPECT_EQ(data.CurrentAnimTime, 0.0f);

	Step(0.3f);
	EXPECT_FALSE(data.IsMorphing);
	EXPECT_EQ(data.JointCurrentPosition[0].coord.x, 100.0f);
	Step(0.5f);
	EXPECT_NEAR(data.JointCurrentPosition[0].coord.x, 150, 1e-3f);
}

TEST_F(SkeletonAnimTest, NonUniformScalesBlendAxisByAxis)
{
	// A squash keeps its width (x = 1 at both ends) but not its height or depth.
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0, {0, 0, 0}, {0, 0, 0}, {1, 1, 1}, 0)).Key(0, 0, KeyAt(20, {0, 0, 0}, {0, 0, 0}, {1, 0.5f, 2}));
	Use(h);
	data.CurrentAnimTime = 10;
	ComputeCurrentJointPositions(&data);
	const JointKeyframeType& pose = data.JointCurrentPosition[0];
	EXPECT_EQ(pose.scale.x, 1.0f);
	EXPECT_NEAR(pose.scale.y, 0.75f, 1e-6f);
	EXPECT_NEAR(pose.scale.z, 1.5f, 1e-6f);
	const OGLMatrix4x4& m = data.jointTransformMatrix[0];
	EXPECT_NEAR(m.value[5], 0.75f, 1e-6f) << "the matrix scales y";
	EXPECT_NEAR(m.value[10], 1.5f, 1e-6f) << "and z";
}

TEST_F(SkeletonAnimTest, GlobalJointsAreNeverEvaluated)
{
	HandSkeleton h(1, 1);
	h.Key(0, 0, KeyAt(0, {5, 0, 0}));
	Use(h);
	data.JointsAreGlobal = true;
	OGLMatrix4x4_SetTranslate(&data.jointTransformMatrix[0], 1, 2, 3);
	Step(0.1f);
	EXPECT_EQ(data.jointTransformMatrix[0].value[12], 1.0f);
}

//
// Sound events
//

TEST(SkeletonSoundEvents, EachValuePicksItsEffectPlaceAndLevel)
{
	ObjNode node = {};
	node.Coord = {1, 2, 3};
	ObjNode player = {};
	player.Coord = {7, 8, 9};
	ObjNode* savedPlayer = gPlayerNode;
	gPlayerNode = &player;
	AnimSoundEvent s;

	for (int i = 0; i < 50; i++)
	{
		ASSERT_TRUE(DescribeAnimSoundEvent(&node, ANIMSOUND_SWOOSH, &s));
		EXPECT_EQ(s.effect, EFFECT_ONIONSWOOSH);
		EXPECT_GE(s.rate, 0x10000u);
		EXPECT_LE(s.rate, 0x13FFFu);
		EXPECT_EQ(s.where.z, 3.0f);
	}

	ASSERT_TRUE(DescribeAnimSoundEvent(&node, ANIMSOUND_RIGHT_FOOT, &s));
	EXPECT_EQ(s.effect, 22);
	EXPECT_EQ(s.where.x, 7.0f) << "footsteps play where the player is";
	EXPECT_EQ(s.volume, 0.5f);
	EXPECT_FALSE(s.deformTerrain);

	const PlayerLevelState savedPlayerLevel = gPlayerLevel;
	gPlayerLevel.scale = 2.0f;
	ASSERT_TRUE(DescribeAnimSoundEvent(&node, ANIMSOUND_LEFT_FOOT, &s));
	EXPECT_EQ(s.effect, EFFECT_GIANTFOOTSTEP);
	EXPECT_TRUE(s.deformTerrain);
	EXPECT_EQ(s.where.x, 7.0f) << "a giant's step shakes the ground under the player";
	gPlayerLevel = savedPlayerLevel;

	ASSERT_TRUE(DescribeAnimSoundEvent(&node, ANIMSOUND_PITCHER_PUKE, &s));
	EXPECT_EQ(s.effect, 117);
	EXPECT_EQ(s.volume, 2.0f);
	ASSERT_TRUE(DescribeAnimSoundEvent(&node, ANIMSOUND_FLYTRAP, &s));
	EXPECT_EQ(s.effect, 118);
	EXPECT_TRUE(s.defaultParms);
	EXPECT_FALSE(DescribeAnimSoundEvent(&node, 1, &s));
	EXPECT_FALSE(DescribeAnimSoundEvent(&node, 7, &s));
	gPlayerNode = savedPlayer;
}
