// Evaluating a pose: each joint's keyframes (or the two ends of a morph) at
// the animation clock, eased, into the joint's matrix relative to its parent.
#include "3D/Skeleton.h"
#include "System/Error.h"

#include <algorithm>
#include <cmath>

float gAccelerationCurve[ACCELERATION_CURVE_SIZE];

void BuildAccelerationCurve()
{
	for (int i = 0; i < ACCELERATION_CURVE_SIZE; i++)
	{
		float t = float(i) / float(ACCELERATION_CURVE_SIZE);
		gAccelerationCurve[i] = (3.0f - 2.0f * t) * t * t;
	}
}

float GetAccelerationValue(float x)
{
	if (x > 1.0f)
		FatalAlert(" AccelerationPercent > 1.0");
	if (!(x >= 0.0f))		// NaN too: it must never index the table
		FatalAlert(" AccelerationPercent < 0");
	float v = gAccelerationCurve[int(x * float(ACCELERATION_CURVE_SIZE - 1))];
	if (v > 1.0f)
		FatalAlert(" gAccelerationCurve > 1.0");
	if (v < 0.0f)
		FatalAlert(" gAccelerationCurve < 0");
	return v;
}

float GetMaxAnimTime(const SkeletonObjDataType* skeleton)
{
	const SkeletonInfoType* def = skeleton->skeletonDefinition;
	bool any = false;
	int32_t maxTick = 0;
	for (int j = 0; def && j < def->NumBones; j++)
	{
		const JointKeyFrameHeader& keys = def->JointKeyframes[j];
		for (int k = 0; k < keys.numKeyFrames[skeleton->AnimNum]; k++)
		{
			int32_t tick = keys.keyFrames[skeleton->AnimNum][k].tick;
			if (!any || tick > maxTick)
				maxTick = tick;
			any = true;
		}
	}
	return float(maxTick);
}

namespace
{
	// a · wa + b · wb; a component both ends share is kept exactly, so a
	// constant scale (1 in particular) never drifts by rounding.
	float Blend(float a, float b, float wa, float wb)
	{
		return a == b ? a : a * wa + b * wb;
	}

	// Translation and rotation blend linearly, angles included; scale blends
	// per component.
	void BlendKeys(const JointKeyframeType& a, const JointKeyframeType& b, float wa, float wb, JointKeyframeType* out)
	{
		out->coord = {a.coord.x * wa + b.coord.x * wb, a.coord.y * wa + b.coord.y * wb, a.coord.z * wa + b.coord.z * wb};
		out->rotation = {a.rotation.x * wa + b.rotation.x * wb, a.rotation.y * wa + b.rotation.y * wb,
				a.rotation.z * wa + b.rotation.z * wb};
		out->scale = {Blend(a.scale.x, b.scale.x, wa, wb), Blend(a.scale.y, b.scale.y, wa, wb),
				Blend(a.scale.z, b.scale.z, wa, wb)};
	}

	// The weights of a segment's two ends (f on its start, e on its end) at
	// fraction e, by the start key's easing mode.
	void EaseWeights(int32_t mode, float e, float* fOut, float* eOut)
	{
		float f = 1.0f - e;
		switch (mode)
		{
			case 1:		// ease in and out
				f = GetAccelerationValue(f);
				e = 1.0f - f;
				break;
			case 2:		// fast start, slow end
			{
				float g = 2.0f * GetAccelerationValue(f * 0.5f);
				if (g > 1.0f) { f = 1; e = 0; }
				else { f = std::max(0.0f, g); e = 1.0f - f; }
				break;
			}
			case 3:		// slow start, fast end
			{
				float g = 2.0f * GetAccelerationValue(e * 0.5f);
				if (g > 1.0f) { e = 1; f = 0; }
				else { e = std::max(0.0f, g); f = 1.0f - e; }
				break;
			}
			default:
				break;
		}
		*fOut = f;
		*eOut = e;
	}

	// The keyframes of one joint at `clock`: a key on the clock or before the
	// first is taken whole, past the last the last, else the two around it blend.
	void EvaluateKeys(const JointKeyframeType* keys, int n, float clock, JointKeyframeType* out)
	{
		for (int i = 0; i < n; i++)
		{
			float tick = float(keys[i].tick);
			if (tick == clock)
			{
				*out = keys[i];
				return;
			}
			if (tick > clock)
			{
				if (i == 0)
				{
					*out = keys[0];
					return;
				}
				const JointKeyframeType& a = keys[i - 1];
				const JointKeyframeType& b = keys[i];
				float e = (clock - float(a.tick)) / (tick - float(a.tick));
				float f;
				EaseWeights(a.accelerationMode, e, &f, &e);
				BlendKeys(a, b, f, e, out);
				out->tick = a.tick;
				out->accelerationMode = a.accelerationMode;
				return;
			}
		}
		*out = keys[n - 1];
	}

	// Rotation x, then y, then z; then the scale; then the translation.
	void BuildJointMatrix(const JointKeyframeType& pose, OGLMatrix4x4* m)
	{
		OGLMatrix4x4_SetRotate_XYZ(m, pose.rotation.x, pose.rotation.y, pose.rotation.z);
		if (pose.scale.x != 1.0f || pose.scale.y != 1.0f || pose.scale.z != 1.0f)
		{
			OGLMatrix4x4 scale;
			OGLMatrix4x4_SetScale(&scale, pose.scale.x, pose.scale.y, pose.scale.z);
			OGLMatrix4x4_Multiply(m, &scale, m);
		}
		m->value[12] = pose.coord.x;
		m->value[13] = pose.coord.y;
		m->value[14] = pose.coord.z;
	}
}

void ComputeCurrentJointPositions(SkeletonObjDataType* skeleton)
{
	const SkeletonInfoType* def = skeleton->skeletonDefinition;
	if (skeleton->JointsAreGlobal || !def || def->NumBones == 0)
		return;

	const int anim = skeleton->AnimNum;
	for (int j = 0; j < def->NumBones; j++)
	{
		JointKeyframeType& pose = skeleton->JointCurrentPosition[j];
		if (skeleton->IsMorphing)
		{
			float p = skeleton->MorphPercent;
			BlendKeys(skeleton->MorphStart[j], skeleton->MorphEnd[j], 1.0f - p, p, &pose);
		}
		else
		{
			const JointKeyFrameHeader& keys = def->JointKeyframes[j];
			int n = keys.numKeyFrames[anim];
			if (n == 0)
				return;		// this joint and the rest keep their previous pose
			EvaluateKeys(keys.keyFrames[anim], n, skeleton->CurrentAnimTime, &pose);
		}
		BuildJointMatrix(pose, &skeleton->jointTransformMatrix[j]);
	}
}
