// Skinning and joint queries. Each decomposed point and normal is bound to
// one joint and is moved once by that joint's full matrix, then scattered to
// every vertex of the type's mesh copies that shares it.
#include "3D/Skeleton.h"
#include "System/Error.h"

#include <algorithm>
#include <cstring>

namespace
{
	// Work state of one skinning pass (main thread only).
	struct SkinPass
	{
		const SkeletonObjDataType* skeleton;
		const SkeletonInfoType* definition;
		MOVertexArrayData* meshes;
		OGLBoundingBox box;
		OGLVector3D transformedNormals[MAX_DECOMPOSED_NORMALS];
	};

	SkinPass gSkin;

	void SkinJoint(int joint, const OGLMatrix4x4& parentMatrix)
	{
		const SkeletonInfoType* def = gSkin.definition;
		const BoneDefinitionType& bone = def->Bones[joint];

		OGLMatrix4x4 m;
		if (gSkin.skeleton->JointsAreGlobal)
			m = gSkin.skeleton->jointTransformMatrix[joint];
		else
			OGLMatrix4x4_Multiply(&gSkin.skeleton->jointTransformMatrix[joint], &parentMatrix, &m);

		// Normals first: the points below copy them out of the table.
		for (int i = 0; i < bone.numNormalsAttachedToBone; i++)
		{
			uint16_t n = bone.normalList[i];
			OGLVector3D_Transform(&def->decomposedNormalsList[n], &m, &gSkin.transformedNormals[n]);
		}

		OGLBoundingBox& box = gSkin.box;
		for (int i = 0; i < bone.numPointsAttachedToBone; i++)
		{
			const DecomposedPointType& point = def->decomposedPointList[bone.pointList[i]];
			OGLPoint3D w;
			OGLPoint3D_Transform(&point.boneRelPoint, &m, &w);
			box.min = {std::min(box.min.x, w.x), std::min(box.min.y, w.y), std::min(box.min.z, w.z)};
			box.max = {std::max(box.max.x, w.x), std::max(box.max.y, w.y), std::max(box.max.z, w.z)};
			for (int k = 0; k < point.numRefs; k++)
			{
				MOVertexArrayData& mesh = gSkin.meshes[point.whichTriMesh[k]];
				mesh.points[point.whichPoint[k]] = w;
				mesh.normals[point.whichPoint[k]] = gSkin.transformedNormals[point.whichNormal[k]];
			}
		}

		for (int c = 0; c < def->numChildren[joint]; c++)
			SkinJoint(def->childIndex[joint][c], m);
	}
}

void UpdateSkinnedGeometry(ObjNode* node)
{
	if (node->CType == INVALID_NODE_FLAG)
		return;
	const SkeletonObjDataType* skeleton = node->Skeleton;
	if (!skeleton)
		return;
	const SkeletonInfoType* def = skeleton->skeletonDefinition;
	if (!def)
		FatalAlert("UpdateSkinnedGeometry: gCurrentSkeleton is invalid!");
	GAME_ASSERT_MESSAGE(def->NumBones > 0, "gCurrentSkeleton->NumBones > 0");
	if (def->Bones[0].parentBone != -1)
		FatalAlert("UpdateSkinnedGeometry: joint 0 is not the root of its skeleton");
	GAME_ASSERT(node->Type < MAX_SKELETON_TYPES && gLoadedSkeletonsList[node->Type] == def);

	gSkin.skeleton = skeleton;
	gSkin.definition = def;
	gSkin.meshes = gLocalTriMeshesOfSkelType[node->Type];
	gSkin.box.min = {1e7f, 1e7f, 1e7f};
	gSkin.box.max = {-1e7f, -1e7f, -1e7f};

	OGLMatrix4x4 start;
	if (skeleton->JointsAreGlobal)
		OGLMatrix4x4_SetIdentity(&start);
	else
		start = node->BaseTransformMatrix;
	SkinJoint(0, start);

	OGLBoundingBox& box = gSkin.box;
	const OGLPoint3D& c = node->Coord;
	node->BBox.min = {box.min.x - c.x, box.min.y - c.y, box.min.z - c.z};
	node->BBox.max = {box.max.x - c.x, box.max.y - c.y, box.max.z - c.z};
	node->BBox.isEmpty = false;
}

//
// Joint queries
//

void FindJointFullMatrix(ObjNode* node, int jointNum, OGLMatrix4x4* out)
{
	const SkeletonObjDataType* skeleton = node->Skeleton;
	if (!skeleton)
	{
		OGLMatrix4x4_SetTranslate(out, node->Coord.x, node->Coord.y, node->Coord.z);
		return;
	}
	const SkeletonInfoType* def = skeleton->skeletonDefinition;
	if (!def || jointNum < 0 || jointNum >= def->NumBones)
		FatalAlert("FindJointFullMatrix: illegal jointNum!");

	*out = skeleton->jointTransformMatrix[jointNum];
	for (int parent = def->Bones[jointNum].parentBone; parent >= 0; parent = def->Bones[parent].parentBone)
		OGLMatrix4x4_Multiply(out, &skeleton->jointTransformMatrix[parent], out);
	OGLMatrix4x4_Multiply(out, &node->BaseTransformMatrix, out);
}

void FindCoordOfJoint(ObjNode* node, int jointNum, OGLPoint3D* out)
{
	const OGLPoint3D origin = {0, 0, 0};
	FindCoordOnJoint(node, jointNum, &origin, out);
}

void FindCoordOnJoint(ObjNode* node, int jointNum, const OGLPoint3D* inPoint, OGLPoint3D* out)
{
	OGLMatrix4x4 m;
	FindJointFullMatrix(node, jointNum, &m);
	OGLPoint3D_Transform(inPoint, &m, out);
}

void FindJointMatrixAtFlagEvent(ObjNode* node, int jointNum, OGLMatrix4x4* out)
{
	SkeletonObjDataType* skeleton = node->Skeleton;
	if (!skeleton || !skeleton->skeletonDefinition)
	{
		FindJointFullMatrix(node, jointNum, out);
		return;
	}
	const SkeletonInfoType* def = skeleton->skeletonDefinition;

	float flagTime = 0;
	for (int i = 0; i < def->NumAnimEvents[skeleton->AnimNum]; i++)
	{
		const AnimEventType& event = def->AnimEventsList[skeleton->AnimNum][i];
		if (event.type == ANIMEVENT_TYPE_SETFLAG)
		{
			flagTime = float(event.time);
			break;
		}
	}

	// Pose the skeleton at the event, ask, then put back exactly what was there.
	SkeletonObjDataType saved;
	std::memcpy(&saved, skeleton, sizeof(saved));
	skeleton->CurrentAnimTime = flagTime;
	skeleton->IsMorphing = false;
	ComputeCurrentJointPositions(skeleton);
	FindJointFullMatrix(node, jointNum, out);
	std::memcpy(skeleton, &saved, sizeof(saved));
}

void FindCoordOnJointAtFlagEvent(ObjNode* node, int jointNum, const OGLPoint3D* inPoint, OGLPoint3D* out)
{
	OGLMatrix4x4 m;
	FindJointMatrixAtFlagEvent(node, jointNum, &m);
	OGLPoint3D_Transform(inPoint, &m, out);
}
