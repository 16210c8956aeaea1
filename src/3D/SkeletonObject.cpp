// Skeleton objects: the SKELETON_GENRE nodes, their per-character animation
// state and drawing.
#include "3D/Skeleton.h"
#include "System/Error.h"
#include "Memory.h"

#include <cmath>
#include <cstring>

void InitSkeletonManager()
{
	BuildAccelerationCurve();
	for (int i = 0; i < MAX_SKELETON_TYPES; i++)
	{
		gLoadedSkeletonsList[i] = nullptr;
		gNumDecomposedTriMeshesInSkeleton[i] = 0;
		for (int m = 0; m < MAX_DECOMPOSED_TRIMESHES; m++)
			gLocalTriMeshesOfSkelType[i][m] = {};
	}
}

ObjNode* MakeNewSkeletonBaseData(ObjectDef* def, int animNum)
{
	const int type = def->type;
	if (type < 0 || type >= MAX_SKELETON_TYPES)
		FatalAlert("MakeNewSkeletonBaseData: no skeleton type %d", type);
	// Not loaded: its file was missing when the level loaded. Say which.
	if (!gLoadedSkeletonsList[type])
		FatalAlert("MakeNewSkeletonBaseData: Skeleton data isnt loaded! (skeleton file \"%s.skeleton\" missing?)",
				   SKELETON_FILE_NAMES[type]);

	def->genre = SKELETON_GENRE;
	ObjNode* node = MakeNewObject(def);

	auto* skeleton = reinterpret_cast<SkeletonObjDataType*>(NewPtrClear(sizeof(SkeletonObjDataType)));
	if (!skeleton)
		FatalAlert("MakeNewSkeletonBaseData: Cannot alloc new SkeletonObjDataType");
	skeleton->skeletonDefinition = gLoadedSkeletonsList[type];
	skeleton->AnimSpeed = 1;
	skeleton->JointsAreGlobal = false;
	skeleton->materialOverride = nullptr;
	node->Skeleton = skeleton;

	UpdateObjectTransforms(node);
	SetSkeletonAnim(skeleton, animNum);
	UpdateSkeletonAnimation(node);
	UpdateSkinnedGeometry(node);
	node->Size = std::fabs(node->BBox.min.z);
	return node;
}

void FreeSkeletonBaseData(SkeletonObjDataType* data)
{
	if (data)
		DisposePtr(reinterpret_cast<Ptr>(data));
}

void DrawSkeleton(ObjNode* node)
{
	if (!node->Skeleton)
		return;
	UpdateSkinnedGeometry(node);

	const int type = node->Type;
	MetaObjectPtr override = node->Skeleton->materialOverride;
	for (int i = 0; i < gNumDecomposedTriMeshesInSkeleton[type]; i++)
	{
		MOVertexArrayData* mesh = &gLocalTriMeshesOfSkelType[type][i];
		if (override && mesh->numMaterials > 0)
		{
			// The override covers the creature whole (a frozen one is ice all
			// over): its own vertex colours would tint the ice its colour.
			MetaObjectPtr own = mesh->materials[0];
			auto* floatColors = mesh->colorsFloat;
			auto* byteColors = mesh->colorsByte;
			mesh->materials[0] = override;
			mesh->colorsFloat = nullptr;
			mesh->colorsByte = nullptr;
			MO_DrawGeometry_VertexArray(mesh);
			mesh->materials[0] = own;
			mesh->colorsFloat = floatColors;
			mesh->colorsByte = byteColors;
		}
		else
		{
			MO_DrawGeometry_VertexArray(mesh);
		}
	}
}

void FinalizeSkeletonObjectScale(ObjNode* node, float scale, int animNum)
{
	GAME_ASSERT_MESSAGE(node->Genre == SKELETON_GENRE, "theNode->Genre == SKELETON_GENRE");
	SkeletonObjDataType* skeleton = node->Skeleton;
	GAME_ASSERT(skeleton);
	node->Scale = {scale, scale, scale};

	const int oldAnim = skeleton->AnimNum;
	const float progress = skeleton->MaxAnimTime != 0 ? skeleton->CurrentAnimTime / skeleton->MaxAnimTime : 0;

	// The collision box comes from the reference animation…
	SetSkeletonAnim(skeleton, animNum);
	UpdateObjectTransforms(node);
	UpdateSkinnedGeometry(node);
	CreateCollisionBoxFromBoundingBox(node, 1, 1);

	// …then the node goes back to where it was.
	SetSkeletonAnim(skeleton, oldAnim);
	SetSkeletonAnimTime(skeleton, progress);
	UpdateSkeletonAnimation(node);
	UpdateSkinnedGeometry(node);
}
