// Loading skeleton types: the resource fork of ":Skeletons:<name>.skeleton",
// the BG3D model its alias names, and the decomposition of that model. Every
// resource is parsed and checked before anything is built, so a bad file
// stops the program with a message naming it and leaves nothing half made.
#include "3D/Skeleton.h"
#include "3D/BG3D.h"
#include "System/DataFiles.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "Memory.h"
#include "Resources.h"

#include <algorithm>
#include <cstring>

SkeletonInfoType* gLoadedSkeletonsList[MAX_SKELETON_TYPES];
int gNumDecomposedTriMeshesInSkeleton[MAX_SKELETON_TYPES];
MOVertexArrayData gLocalTriMeshesOfSkelType[MAX_SKELETON_TYPES][MAX_DECOMPOSED_TRIMESHES];

namespace
{
	// Closes the skeleton's resource file however loading ends (a fatal
	// alert throws), and makes the caller's file current again.
	struct OpenResourceFile
	{
		int16_t refNum = -1;
		int16_t previous = 0;
		~OpenResourceFile()
		{
			if (refNum < 0)
				return;
			CloseResFile(refNum);
			if (previous > 0)
				UseResFile(previous);
		}
	};

	// A block of `count` records of T, cleared; null only when out of memory.
	template <typename T>
	T* NewBlock(size_t count)
	{
		return reinterpret_cast<T*>(NewPtrClear(int32_t(sizeof(T) * (count > 0 ? count : 1))));
	}

	template <typename T>
	void FreeBlock(T*& block)
	{
		if (block)
			DisposePtr(reinterpret_cast<Ptr>(block));
		block = nullptr;
	}

	[[noreturn]] void FailLoad(const char* fileName, const std::string& message)
	{
		FatalAlert("%s (skeleton file \"%s\")", message.c_str(), fileName);
	}

	bool DecomposeRecurse(MetaObjectPtr object, SkeletonDecomposer* decomposer,
			std::vector<MOVertexArrayData*>* meshes, std::string* error)
	{
		if (object->type == MO_TYPE_GROUP)
		{
			const MOGroupData* group = MO_GroupData(object);
			for (int i = 0; i < group->numObjectsInGroup; i++)
				if (!DecomposeRecurse(group->groupContents[i], decomposer, meshes, error))
					return false;
			return true;
		}
		if (object->type != MO_TYPE_GEOMETRY)
			return true;		// materials and matrices have no points
		if (object->subType != MO_GEOMETRY_SUBTYPE_VERTEXARRAY)
		{
			*error = "DecompRefMo_Recurse: unknown geometry subtype";
			return false;
		}

		MOVertexArrayData* mesh = MO_VertexArrayData(object);
		if (!decomposer->AddMesh(reinterpret_cast<const float*>(mesh->points), reinterpret_cast<float*>(mesh->normals),
				mesh->numPoints, error))
			return false;
		meshes->push_back(mesh);
		return true;
	}
}

bool DecomposeReferenceModel(MetaObjectPtr model, SkeletonDecomposer* decomposer,
		std::vector<MOVertexArrayData*>* meshes, std::string* error)
{
	meshes->clear();
	return DecomposeRecurse(model, decomposer, meshes, error);
}

//
// Building and freeing the shared record
//

SkeletonInfoType* BuildSkeletonInfo(const SkeletonFileData& file, const SkeletonDecomposer& decomposition,
		const MOVertexArrayData* meshes, int numMeshes)
{
	GAME_ASSERT(numMeshes == decomposition.numMeshes && numMeshes <= MAX_DECOMPOSED_TRIMESHES);
	GAME_ASSERT(file.boneRelPoints.size() == decomposition.points.size());

	auto* s = NewBlock<SkeletonInfoType>(1);
	if (!s)
		FatalAlert("Cannot alloc SkeletonInfoType");

	const size_t numAnims = size_t(file.numAnims), numJoints = size_t(file.numJoints);
	s->NumAnims = uint8_t(numAnims);
	s->NumBones = uint8_t(numJoints);

	s->NumAnimEvents = NewBlock<uint8_t>(numAnims);
	if (!s->NumAnimEvents)
		FatalAlert("Not enough memory to alloc NumAnimEvents");
	s->AnimEventsList = NewBlock<AnimEventType[MAX_ANIM_EVENTS]>(numAnims);
	if (!s->AnimEventsList)
		FatalAlert("Alloc_2d_array failed!");
	for (size_t a = 0; a < numAnims; a++)
	{
		s->NumAnimEvents[a] = uint8_t(file.events[a].size());
		std::copy(file.events[a].begin(), file.events[a].end(), s->AnimEventsList[a]);
	}

	s->Bones = NewBlock<BoneDefinitionType>(numJoints);
	if (!s->Bones)
		FatalAlert("Not enough memory to alloc Bones");
	for (size_t j = 0; j < numJoints; j++)
	{
		const ParsedBone& parsed = file.bones[j];
		BoneDefinitionType& bone = s->Bones[j];
		bone.parentBone = parsed.parentBone;
		bone.coord = parsed.coord;
		bone.numPointsAttachedToBone = uint16_t(parsed.pointList.size());
		bone.numNormalsAttachedToBone = uint16_t(parsed.normalList.size());
		bone.pointList = NewBlock<uint16_t>(parsed.pointList.size());
		if (!bone.pointList)
			FatalAlert("ReadDataFromSkeletonFile: AllocPtr/pointList failed!");
		bone.normalList = NewBlock<uint16_t>(parsed.normalList.size());
		if (!bone.normalList)
			FatalAlert("ReadDataFromSkeletonFile: AllocPtr/normalList failed!");
		std::copy(parsed.pointList.begin(), parsed.pointList.end(), bone.pointList);
		std::copy(parsed.normalList.begin(), parsed.normalList.end(), bone.normalList);

		s->numChildren[j] = uint8_t(file.children[j].size());
		std::copy(file.children[j].begin(), file.children[j].end(), s->childIndex[j]);

		JointKeyFrameHeader& keys = s->JointKeyframes[j];
		keys.keyFrames = NewBlock<JointKeyframeType[MAX_KEYFRAMES]>(numAnims);
		if (!keys.keyFrames)
			FatalAlert("ReadDataFromSkeletonFile: Error allocating Keyframe Array.");
		for (size_t a = 0; a < numAnims; a++)
		{
			const std::vector<JointKeyframeType>& parsedKeys = file.keyframes[j][a];
			keys.numKeyFrames[a] = uint8_t(parsedKeys.size());
			std::copy(parsedKeys.begin(), parsedKeys.end(), keys.keyFrames[a]);
		}
	}

	s->decomposedTriMeshes = NewBlock<MOVertexArrayData>(MAX_DECOMPOSED_TRIMESHES);
	if (!s->decomposedTriMeshes)
		FatalAlert("Not enough memory to alloc decomposedTriMeshes");
	s->NumDecomposedTriMeshes = numMeshes;
	for (int m = 0; m < numMeshes; m++)
		s->decomposedTriMeshes[m] = meshes[m];

	s->decomposedPointList = NewBlock<DecomposedPointType>(MAX_DECOMPOSED_POINTS);
	if (!s->decomposedPointList)
		FatalAlert("Not enough memory to alloc decomposedPointList");
	s->NumDecomposedPoints = int(decomposition.points.size());
	for (size_t p = 0; p < decomposition.points.size(); p++)
	{
		const DecomposedPointRecord& from = decomposition.points[p];
		DecomposedPointType& to = s->decomposedPointList[p];
		to.realPoint = {from.realPoint[0], from.realPoint[1], from.realPoint[2]};
		to.boneRelPoint = file.boneRelPoints[p];
		to.numRefs = from.numRefs;
		std::memcpy(to.whichTriMesh, from.whichTriMesh, sizeof(to.whichTriMesh));
		std::memcpy(to.whichPoint, from.whichPoint, sizeof(to.whichPoint));
		std::memcpy(to.whichNormal, from.whichNormal, sizeof(to.whichNormal));
	}

	s->decomposedNormalsList = NewBlock<OGLVector3D>(MAX_DECOMPOSED_NORMALS);
	if (!s->decomposedNormalsList)
		FatalAlert("Not enough memory to alloc decomposedNormalsList");
	s->NumDecomposedNormals = int16_t(decomposition.NumNormals());
	for (int n = 0; n < decomposition.NumNormals(); n++)
		s->decomposedNormalsList[n] = {decomposition.normals[size_t(3 * n)], decomposition.normals[size_t(3 * n + 1)],
				decomposition.normals[size_t(3 * n + 2)]};
	return s;
}

void DisposeSkeletonInfo(SkeletonInfoType* s)
{
	if (!s)
		return;
	for (int j = 0; j < s->NumBones; j++)
	{
		if (s->Bones)
		{
			FreeBlock(s->Bones[j].pointList);
			FreeBlock(s->Bones[j].normalList);
		}
		FreeBlock(s->JointKeyframes[j].keyFrames);
	}
	FreeBlock(s->Bones);
	FreeBlock(s->NumAnimEvents);
	FreeBlock(s->AnimEventsList);
	FreeBlock(s->decomposedTriMeshes);
	FreeBlock(s->decomposedPointList);
	FreeBlock(s->decomposedNormalsList);
	DisposePtr(reinterpret_cast<Ptr>(s));
}

//
// Loading
//

SkeletonInfoType* LoadSkeleton(int skeletonType)
{
	if (skeletonType < 0 || skeletonType >= MAX_SKELETON_TYPES)
		FatalAlert("LoadSkeleton: Unknown skeletonType!");

	char path[64];
	snprintf(path, sizeof(path), ":Skeletons:%s.skeleton", SKELETON_FILE_NAMES[skeletonType]);
	const char* fileName = path + strlen(":Skeletons:");

	FSSpec spec;
	OpenResourceFile resFile;
	resFile.previous = CurResFile();
	if (MakeDataFileSpec(path, &spec) == noErr)
		resFile.refNum = FSpOpenResFile(&spec, fsRdPerm);
	if (resFile.refNum < 0)
		FailLoad(fileName, "Error opening Skel Rez file");
	UseResFile(resFile.refNum);
	if (ResError() != noErr)
		FailLoad(fileName, "Error using Rez file!");

	// Only this file is searched: a resource it lacks must not come from
	// another file that happens to be open.
	SkeletonResourceGetter get = [](uint32_t type, int16_t id, std::vector<uint8_t>* bytes) {
		Handle h = Get1Resource(type, id);
		if (!h)
			return false;
		bytes->assign(reinterpret_cast<uint8_t*>(*h), reinterpret_cast<uint8_t*>(*h) + GetHandleSize(h));
		ReleaseResource(h);
		return true;
	};

	SkeletonFileData file;
	std::string error;
	if (!SkeletonParse_Header(get, &file, &error))
		FailLoad(fileName, error);

	// The model: the alias names it, in the skeleton's own folder.
	Handle alias = Get1Resource(SKELETON_RES_ALIAS, SKELETON_RES_ALIAS_ID);
	if (!alias)
		FailLoad(fileName, "ReadDataFromSkeletonFile: file is missing the Alias resource");
	FSSpec modelSpec;
	bool wasChanged = false;
	OSErr err = ResolveAlias(&spec, alias, &modelSpec, &wasChanged);
	ReleaseResource(alias);
	if (err != noErr)		// the baker puts the model beside the skeleton under the type's name
		FailLoad(fileName, std::string("ReadDataFromSkeletonFile: Cannot find the skeleton's model file \"")
				+ SKELETON_FILE_NAMES[skeletonType] + ".bg3d\"");
	const int group = MODEL_GROUP_SKELETONBASE + skeletonType;
	ImportBG3D(&modelSpec, group);

	SkeletonDecomposer decomposer;
	std::vector<MOVertexArrayData*> meshes;
	if (!DecomposeReferenceModel(gBG3DContainerList[group]->root, &decomposer, &meshes, &error))
		FailLoad(fileName, error);

	if (!SkeletonParse_Body(get, int(decomposer.points.size()), decomposer.NumNormals(), &file, &error))
		FailLoad(fileName, error);

	std::vector<MOVertexArrayData> meshRecords;
	for (MOVertexArrayData* mesh : meshes)
		meshRecords.push_back(*mesh);
	return BuildSkeletonInfo(file, decomposer, meshRecords.data(), int(meshRecords.size()));
}

void LoadASkeleton(int skeletonType)
{
	if (skeletonType < 0 || skeletonType >= MAX_SKELETON_TYPES)
		FatalAlert("LoadASkeleton: MAX_SKELETON_TYPES exceeded!");
	// Loading a type twice would leak its first mesh copies.
	if (gLoadedSkeletonsList[skeletonType])
		return;

	InstallSkeletonType(skeletonType, LoadSkeleton(skeletonType));
}

void InstallSkeletonType(int skeletonType, SkeletonInfoType* skeleton)
{
	GAME_ASSERT(skeletonType >= 0 && skeletonType < MAX_SKELETON_TYPES && !gLoadedSkeletonsList[skeletonType]);
	gLoadedSkeletonsList[skeletonType] = skeleton;
	gNumDecomposedTriMeshesInSkeleton[skeletonType] = skeleton->NumDecomposedTriMeshes;
	for (int i = 0; i < skeleton->NumDecomposedTriMeshes; i++)
		MO_DuplicateVertexArrayData(&skeleton->decomposedTriMeshes[i], &gLocalTriMeshesOfSkelType[skeletonType][i]);
}

void FreeSkeletonFile(int skeletonType)
{
	if (skeletonType < 0 || skeletonType >= MAX_SKELETON_TYPES || !gLoadedSkeletonsList[skeletonType])
		return;
	for (int i = 0; i < gNumDecomposedTriMeshesInSkeleton[skeletonType]; i++)
	{
		MOVertexArrayData* local = &gLocalTriMeshesOfSkelType[skeletonType][i];
		MO_ReleaseVertexArrayMaterials(local);
		MO_FreeVertexArrayData(local);
		*local = {};
	}
	gNumDecomposedTriMeshesInSkeleton[skeletonType] = 0;
	DisposeSkeletonInfo(gLoadedSkeletonsList[skeletonType]);
	gLoadedSkeletonsList[skeletonType] = nullptr;
}

void FreeAllSkeletonFiles(int skeletonTypeToKeep)
{
	for (int i = 0; i < MAX_SKELETON_TYPES; i++)
		if (i != skeletonTypeToKeep)
			FreeSkeletonFile(i);
}
