// Loading BG3D files into model groups: parse the whole file first (every
// value checked), then build the meta objects, upload the textures and fill
// the model registry.
#include "3D/BG3D.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_Support.h"
#include "3D/OGL_Textures.h"
#include "System/DataFiles.h"
#include "System/Error.h"
#include "Files.h"
#include "Memory.h"

#include <SDL_opengl.h>
#include <cstdio>
#include <cstring>

BG3DContainer* gBG3DContainerList[MAX_BG3D_GROUPS];

static void ClearRegistryGroup(int group)
{
	gNumObjectsInBG3DGroupList[group] = 0;
	for (int i = 0; i < MAX_OBJECTS_IN_GROUP; i++)
		gBG3DGroupList[group][i] = nullptr;
}

void InitBG3DManager()
{
	for (int i = 0; i < MAX_BG3D_GROUPS; i++)
	{
		gBG3DContainerList[i] = nullptr;
		ClearRegistryGroup(i);
	}
}

//
// Building meta objects
//

// A block holding a copy of `bytes` bytes, or null when there are none.
static void* CopyToBlock(const void* source, size_t bytes)
{
	if (bytes == 0)
		return nullptr;
	Ptr block = NewPtr(int32_t(bytes));		// the parser keeps arrays below 2 GB
	if (!block)
		FatalAlert("ImportBG3D: AllocPtr failed!");
	std::memcpy(block, source, bytes);
	return block;
}

static MetaObjectPtr MakeVertexArray(const BG3DGeometryRecord& g, const BG3DContainer* container)
{
	MOVertexArrayData data = {};
	data.numMaterials = g.numMaterials;
	for (int i = 0; i < g.numMaterials; i++)
		data.materials[i] = container->materials[g.layerMaterialNum[i]];
	data.numPoints = int(g.numPoints);
	data.numTriangles = int(g.numTriangles);

	data.points = static_cast<OGLPoint3D*>(CopyToBlock(g.points.data(), g.points.size() * sizeof(float)));
	data.normals = static_cast<OGLVector3D*>(CopyToBlock(g.normals.data(), g.normals.size() * sizeof(float)));
	data.uvs[0] = static_cast<OGLTextureCoord*>(CopyToBlock(g.uvs.data(), g.uvs.size() * sizeof(float)));
	data.triangles = static_cast<uint32_t*>(CopyToBlock(g.triangles.data(), g.triangles.size() * sizeof(uint32_t)));
	if (!g.colors.empty())
	{
		data.colorsByte = static_cast<OGLColorRGBA_Byte*>(CopyToBlock(g.colors.data(), g.colors.size()));
		std::vector<float> floats(g.colors.size());
		for (size_t i = 0; i < g.colors.size(); i++)
			floats[i] = float(g.colors[i]) / 255.0f;
		data.colorsFloat = static_cast<OGLColorRGBA*>(CopyToBlock(floats.data(), floats.size() * sizeof(float)));
	}

	MetaObjectPtr vertexArray = MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &data);
	if (!vertexArray)
		FatalAlert("ReadNewGeometry: MO_CreateNewObjectOfType failed");
	return vertexArray;
}

// Adds the members of a parsed group to `group`. Each new member is appended
// and its creation reference released at once: the parent is its only holder.
static void BuildGroupMembers(MetaObjectPtr group, const BG3DNode& node, const BG3DContainer* container)
{
	for (const BG3DNode& member : node.members)
	{
		MetaObjectPtr object;
		if (member.isGroup)
		{
			object = MO_CreateNewObjectOfType(MO_TYPE_GROUP, 0, nullptr);
			if (!object)
				FatalAlert("ReadGroup: MO_CreateNewObjectOfType failed");
		}
		else
		{
			object = MakeVertexArray(member.geometry, container);
		}
		MO_AppendToGroup(group, object);
		MO_DisposeObjectReference(object);
		if (member.isGroup)
			BuildGroupMembers(object, member, container);
	}
}

BG3DContainer* BG3D_BuildContainer(const BG3DFileData& file)
{
	auto* container = reinterpret_cast<BG3DContainer*>(NewPtrClear(sizeof(BG3DContainer)));
	if (!container)
		FatalAlert("InitBG3DContainer: AllocPtr failed!");

	// Textures made now belong to the view that is active now.
	OGLViewInfo* view = gGameViewInfoPtr;
	for (const BG3DMaterialRecord& record : file.materials)
	{
		MOMaterialData m = {};
		m.drawContext = view;
		m.flags = record.flags;		// the file's bits are the materials' own
		m.diffuseColor = {record.diffuseColor[0], record.diffuseColor[1], record.diffuseColor[2], record.diffuseColor[3]};
		if (!record.images.empty())
		{
			const BG3DImage& first = record.images.front();
			m.width = first.width;
			m.height = first.height;
			m.pixelSrcFormat = uint32_t(first.srcPixelFormat);
			m.pixelDstFormat = uint32_t(first.dstPixelFormat);
		}
		// numMipmaps stays 0 until a texture name exists (BG3D_UploadTextures).
		MetaObjectPtr material = MO_CreateNewObjectOfType(MO_TYPE_MATERIAL, 0, &m);
		if (!material)
			FatalAlert("ReadMaterialFlags: MO_CreateNewObjectOfType failed");
		container->materials[container->numMaterials++] = material;		// keeps the creation reference
	}

	container->root = MO_CreateNewObjectOfType(MO_TYPE_GROUP, 0, nullptr);
	if (!container->root)
		FatalAlert("InitBG3DContainer: MO_CreateNewObjectOfType failed");
	BuildGroupMembers(container->root, file.root, container);
	return container;
}

//
// Textures
//

static uint32_t UploadImage(BG3DImage& image)
{
	const int width = int(image.width), height = int(image.height);
	if (image.srcPixelFormat == BG3D_GL_UNSIGNED_SHORT_1_5_5_5_REV)
		return OGL_TextureMap_Load(image.pixels.data(), width, height, GL_BGRA, GL_RGBA, GL_UNSIGNED_SHORT_1_5_5_5_REV);

	if (image.srcPixelFormat == BG3D_GL_RGB && image.dstPixelFormat == BG3D_GL_RGB5_A1)
	{
		std::vector<uint16_t> words(size_t(width) * size_t(height));
		BG3D_ConvertRGBTo1555(image.pixels.data(), words.size(), words.data());
		return OGL_TextureMap_Load(words.data(), width, height, GL_BGRA, GL_RGBA, GL_UNSIGNED_SHORT_1_5_5_5_REV);
	}

	return OGL_TextureMap_Load(image.pixels.data(), width, height,
			uint32_t(image.srcPixelFormat), uint32_t(image.dstPixelFormat), GL_UNSIGNED_BYTE);
}

void BG3D_UploadTextures(BG3DContainer* container, const BG3DFileData& file)
{
	for (int i = 0; i < container->numMaterials; i++)
	{
		const BG3DMaterialRecord& record = file.materials[size_t(i)];
		if (record.images.empty())
			continue;
		// Only the first image is used. The upload may convert pixels in place
		// (stereo mode), so it works on a copy.
		BG3DImage image = record.images.front();
		MOMaterialData* m = MO_MaterialData(container->materials[i]);
		m->textureName[0] = UploadImage(image);
		m->numMipmaps = int(record.images.size());
	}
}

//
// The registry
//

static void CheckGroupNumber(int groupNum, const char* who)
{
	if (groupNum < 0 || groupNum >= MAX_BG3D_GROUPS)
		FatalAlert("%s: BG3D group number %d out of range", who, groupNum);
}

int BG3D_RegisterContainer(BG3DContainer* container, int groupNum, const char* fileName)
{
	CheckGroupNumber(groupNum, "ImportBG3D");
	if (gBG3DContainerList[groupNum])
	{
		// Nodes hold their own references, so replacing is safe; leaking the old one is not.
		fprintf(stderr, "ImportBG3D: BG3D group %d still held a container; disposed it before loading \"%s\"\n",
				groupNum, fileName);
		DisposeBG3DContainer(groupNum);
	}

	MetaObjectPtr root = container->root;
	if (!root)
		FatalAlert("ImportBG3D: header == nil");
	if (root->type != MO_TYPE_GROUP)
		FatalAlert("ImportBG3D: root isnt a group!");
	const MOGroupData* members = MO_GroupData(root);
	if (members->numObjectsInGroup > MAX_OBJECTS_IN_GROUP)
		FatalAlert("ImportBG3D: \"%s\" has more than %d models", fileName, MAX_OBJECTS_IN_GROUP);

	gBG3DContainerList[groupNum] = container;
	ClearRegistryGroup(groupNum);
	for (int i = 0; i < members->numObjectsInGroup; i++)
	{
		gBG3DGroupList[groupNum][i] = members->groupContents[i];
		MO_CalcBoundingBox(members->groupContents[i], &gObjectGroupBBoxList[groupNum][i]);
	}
	gNumObjectsInBG3DGroupList[groupNum] = members->numObjectsInGroup;
	return members->numObjectsInGroup;
}

int BG3D_GetNumModels(int groupNum)
{
	CheckGroupNumber(groupNum, "BG3D_GetNumModels");
	return gNumObjectsInBG3DGroupList[groupNum];
}

MetaObjectPtr BG3D_GetModel(int groupNum, int type)
{
	return MO_GetRegisteredModel(groupNum, type, "BG3D_GetModel");
}

const OGLBoundingBox& BG3D_GetModelBounds(int groupNum, int type)
{
	MO_GetRegisteredModel(groupNum, type, "BG3D_GetModelBounds");		// range checks
	return gObjectGroupBBoxList[groupNum][type];
}

void DisposeBG3DContainer(int groupNum)
{
	CheckGroupNumber(groupNum, "DisposeBG3DContainer");
	BG3DContainer* container = gBG3DContainerList[groupNum];
	if (!container)
		FatalAlert("DisposeBG3DContainer: this BG3D container is already gone.");

	for (int i = 0; i < container->numMaterials; i++)
		if (container->materials[i])
			MO_DisposeObjectReference(container->materials[i]);
	if (container->root)
		MO_DisposeObjectReference(container->root);
	DisposePtr(reinterpret_cast<Ptr>(container));

	gBG3DContainerList[groupNum] = nullptr;
	ClearRegistryGroup(groupNum);		// its models may be freed now: nobody may use them
}

void DeleteAllBG3DContainers()
{
	for (int i = 0; i < MAX_BG3D_GROUPS; i++)
		if (gBG3DContainerList[i])
			DisposeBG3DContainer(i);
}

//
// Import
//

int ImportBG3D(const FSSpec* spec, int groupNum)
{
	CheckGroupNumber(groupNum, "ImportBG3D");

	std::vector<uint8_t> bytes;
	OSErr err = ReadDataFork(spec, &bytes);
	if (err != noErr)
		FatalAlert("ImportBG3D: FSpOpenDF failed (\"%s\", error %d)", spec->name, err);

	BG3DFileData file;
	std::string error;
	if (!BG3D_ParseFile(bytes.data(), bytes.size(), &file, &error))
		FatalAlert("%s (in BG3D file \"%s\")", error.c_str(), spec->name);
	bytes = {};

	BG3DContainer* container = BG3D_BuildContainer(file);
	BG3D_UploadTextures(container, file);
	return BG3D_RegisterContainer(container, groupNum, spec->name);
}

int LoadBG3D(const char* dataPath, int groupNum)
{
	FSSpec spec;
	if (MakeDataFileSpec(dataPath, &spec) != noErr)
		FatalAlert("LoadBG3D: can't find \"%s\" in the data folder", dataPath);
	return ImportBG3D(&spec, groupNum);
}

//
// Material adjustments
//

static bool IsVertexArray(MetaObjectPtr object)
{
	return object->type == MO_TYPE_GEOMETRY && object->subType == MO_GEOMETRY_SUBTYPE_VERTEXARRAY;
}

// The vertex arrays a (group, type, geometryNum) selection names.
static std::vector<MetaObjectPtr> SelectGeometries(int group, int type, int geometryNum, const char* who,
		const char* notVertexArray)
{
	MetaObjectPtr model = MO_GetRegisteredModel(group, type, who);
	std::vector<MetaObjectPtr> chosen;
	if (model->type == MO_TYPE_GROUP)
	{
		const MOGroupData* members = MO_GroupData(model);
		if (geometryNum == -1)
		{
			chosen.assign(members->groupContents, members->groupContents + members->numObjectsInGroup);
		}
		else
		{
			if (geometryNum < 0 || geometryNum >= members->numObjectsInGroup)
				FatalAlert("%s: geometryNum out of range", who);
			chosen.push_back(members->groupContents[geometryNum]);
		}
	}
	else
	{
		chosen.push_back(model);
	}

	for (MetaObjectPtr object : chosen)
		if (!IsVertexArray(object))
			FatalAlert("%s", notVertexArray);
	return chosen;
}

static MOMaterialData* FirstMaterial(MetaObjectPtr vertexArray, const char* noMaterials)
{
	const MOVertexArrayData* data = MO_VertexArrayData(vertexArray);
	if (data->numMaterials < 1 || !data->materials[0])
		FatalAlert("%s", noMaterials);
	return MO_MaterialData(data->materials[0]);
}

void BG3D_SetContainerMaterialFlags(int16_t group, int type, int geometryNum, uint32_t flags)
{
	for (MetaObjectPtr vertexArray : SelectGeometries(group, type, geometryNum, "BG3D_SetContainerMaterialFlags",
			"BG3D_SetContainerMaterialFlags:  object isnt a vertex array"))
		FirstMaterial(vertexArray, "BG3D_SetContainerMaterialFlags:  no materials!")->flags |= flags;
}

static void SetSphereMapInfo(MetaObjectPtr vertexArray, uint16_t combineMode, uint16_t envMapNum)
{
	MOMaterialData* m = FirstMaterial(vertexArray, "SetSphereMapInfo:  no materials!");
	m->flags |= MATERIAL_FLAG_MULTITEXTURE;
	m->multiTextureMode = 0;
	m->multiTextureCombine = combineMode;
	m->envMapNum = envMapNum;
}

void BG3D_SphereMapGeomteryMaterial(int16_t group, uint16_t type, int16_t geometryNum,
		uint16_t combineMode, uint16_t envMapNum)
{
	for (MetaObjectPtr vertexArray : SelectGeometries(group, type, geometryNum, "BG3D_SphereMapGeomteryMaterial",
			"SetSphereMapInfo:  object isnt a vertex array"))
		SetSphereMapInfo(vertexArray, combineMode, envMapNum);
}

void BG3D_SphereMapGeometryObject(MetaObjectPtr vertexArray, uint16_t combineMode, uint16_t envMapNum)
{
	MO_CheckCookie(vertexArray, "BG3D_SphereMapGeometryObject");
	if (!IsVertexArray(vertexArray))
		FatalAlert("SetSphereMapInfo:  object isnt a vertex array");
	SetSphereMapInfo(vertexArray, combineMode, envMapNum);
}
