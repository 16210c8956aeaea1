// Running animations: switching and morphing, the clock (30 ticks a second
// at speed 1), and the events an animation fires as its clock passes them.
#include "3D/Skeleton.h"
#include "3D/SkeletonAnimEvents.h"
#include "System/Error.h"
#include "System/FrameTime.h"

#include <cmath>

namespace
{
	constexpr int MAX_LOOPS_PER_FRAME = 2;

	// Index of the first event of the current animation at or after `time`, or -1.
	int FirstEventAtOrAfter(const SkeletonObjDataType* skeleton, float time)
	{
		const SkeletonInfoType* def = skeleton->skeletonDefinition;
		const int n = def->NumAnimEvents[skeleton->AnimNum];
		for (int i = 0; i < n; i++)
			if (float(def->AnimEventsList[skeleton->AnimNum][i].time) >= time)
				return i;
		return -1;
	}

	void ResetClock(SkeletonObjDataType* skeleton, int animNum)
	{
		skeleton->AnimNum = uint8_t(animNum);
		skeleton->CurrentAnimTime = 0;
		skeleton->LoopBackTime = 0;
		skeleton->AnimEventIndex = 0;
		skeleton->AnimDirection = ANIM_DIRECTION_FORWARD;
		skeleton->PauseTimer = 0;
		skeleton->MaxAnimTime = GetMaxAnimTime(skeleton);
		skeleton->AnimHasStopped = false;
		skeleton->IsMorphing = false;
		skeleton->AnimSpeed = 1;
	}
}

void SetSkeletonAnim(SkeletonObjDataType* skeleton, int animNum)
{
	GAME_ASSERT(skeleton && skeleton->skeletonDefinition);
	if (animNum < 0 || animNum >= skeleton->skeletonDefinition->NumAnims)
		FatalAlert("SetSkeletonAnim: illegal animNum");
	ResetClock(skeleton, animNum);
	ComputeCurrentJointPositions(skeleton);
}

void MorphToSkeletonAnim(SkeletonObjDataType* skeleton, int animNum, float morphSpeed)
{
	if (!skeleton)
		return;
	const SkeletonInfoType* def = skeleton->skeletonDefinition;
	GAME_ASSERT(def);
	if (animNum < 0 || animNum >= def->NumAnims)
		FatalAlert("MorphToSkeletonAnim: bad anim #");

	ResetClock(skeleton, animNum);
	skeleton->MorphSpeed = morphSpeed;
	skeleton->MorphPercent = 0;
	skeleton->IsMorphing = true;

	// From the pose shown now to the first key of each joint in the new animation.
	for (int j = 0; j < def->NumBones; j++)
	{
		skeleton->MorphStart[j] = skeleton->JointCurrentPosition[j];
		const JointKeyFrameHeader& keys = def->JointKeyframes[j];
		skeleton->MorphEnd[j] = keys.numKeyFrames[animNum] > 0 ? keys.keyFrames[animNum][0] : skeleton->JointCurrentPosition[j];
	}
	ComputeCurrentJointPositions(skeleton);
}

void SetSkeletonAnimTime(SkeletonObjDataType* skeleton, float fraction)
{
	GAME_ASSERT(skeleton && skeleton->skeletonDefinition);
	skeleton->CurrentAnimTime = fraction * skeleton->MaxAnimTime;
	int index = FirstEventAtOrAfter(skeleton, std::trunc(skeleton->CurrentAnimTime));
	if (index >= 0)
		skeleton->AnimEventIndex = uint8_t(index);
}

void UpdateSkeletonAnimation(ObjNode* node)
{
	SkeletonObjDataType* skeleton = node->Skeleton;
	if (!skeleton)
		return;
	const SkeletonInfoType* def = skeleton->skeletonDefinition;
	GAME_ASSERT(def);
	const float dt = gFrameTime;

	if (skeleton->IsMorphing)
	{
		skeleton->MorphPercent += dt * skeleton->MorphSpeed;
		if (skeleton->MorphPercent >= 1.0f)
			skeleton->IsMorphing = false;
		ComputeCurrentJointPositions(skeleton);
		return;
	}

	float clock = skeleton->CurrentAnimTime;
	int index = skeleton->AnimEventIndex;
	uint8_t direction = skeleton->AnimDirection;
	const float loopBack = skeleton->LoopBackTime;

	// The clock.
	if (skeleton->PauseTimer > 0)
	{
		skeleton->PauseTimer -= dt;
	}
	else
	{
		float step = dt * float(ANIM_TICKS_PER_SECOND) * skeleton->AnimSpeed;
		if (direction == ANIM_DIRECTION_FORWARD)
		{
			clock += step;
		}
		else
		{
			clock -= step;
			if (clock < loopBack)			// bounced off the loop-back point
			{
				clock = 2.0f * loopBack - clock;
				if (skeleton->EndMode == ANIM_END_MODE_ZIGZAG)
				{
					direction = ANIM_DIRECTION_FORWARD;
					int first = loopBack == 0 ? 0 : FirstEventAtOrAfter(skeleton, clock);
					index = first < 0 ? 0 : first;
				}
				else
				{
					skeleton->AnimHasStopped = true;
				}
			}
		}
	}

	// The events the clock has reached.
	const int numEvents = def->NumAnimEvents[skeleton->AnimNum];
	const AnimEventType* events = def->AnimEventsList[skeleton->AnimNum];
	int loops = 0;
	while (index < numEvents && clock >= float(events[index].time))
	{
		const AnimEventType& event = events[index];
		const float eventTime = float(event.time);
		switch (event.type)
		{
			case ANIMEVENT_TYPE_STOP:
				skeleton->AnimHasStopped = true;
				index++;
				break;

			case ANIMEVENT_TYPE_LOOP:
				if (skeleton->LoopBackTime == 0)
				{
					if (clock == 0)
					{
						skeleton->AnimHasStopped = true;
						index++;
					}
					else
					{
						clock -= eventTime;
						index = 0;
					}
				}
				else
				{
					clock = clock - eventTime + skeleton->LoopBackTime;
					int first = FirstEventAtOrAfter(skeleton, clock);
					index = first < 0 ? 0 : first;
				}
				loops++;
				break;

			case ANIMEVENT_TYPE_ZIGZAG:
			{
				float overshoot = clock - eventTime;
				clock = eventTime - overshoot;
				skeleton->EndMode = ANIM_END_MODE_ZIGZAG;
				direction = ANIM_DIRECTION_BACKWARD;
				index++;
				loops++;
				break;
			}

			case ANIMEVENT_TYPE_MARKER:
				skeleton->LoopBackTime = eventTime;
				index++;
				break;

			case ANIMEVENT_TYPE_PLAYSOUND:
				PlayAnimSoundEvent(node, event.value);
				index++;
				break;

			case ANIMEVENT_TYPE_SETFLAG:
			case ANIMEVENT_TYPE_CLEARFLAG:
				if (event.value >= MAX_FLAGS_IN_OBJNODE)
					FatalAlert("Error: ANIMEVENT_TYPE_SETFLAG > MAX_FLAGS_IN_OBJNODE!");
				node->Flag[event.value] = event.type == ANIMEVENT_TYPE_SETFLAG ? 1 : 0;
				index++;
				break;

			case ANIMEVENT_TYPE_PAUSE:
				skeleton->PauseTimer = float(event.value) / float(ANIM_TICKS_PER_SECOND);
				clock = eventTime;
				index++;
				break;

			default:
				index++;
				break;
		}
		if (loops >= MAX_LOOPS_PER_FRAME)
			break;
	}

	skeleton->CurrentAnimTime = clock;
	skeleton->AnimDirection = direction;
	skeleton->AnimEventIndex = uint8_t(index);
	ComputeCurrentJointPositions(skeleton);
}
