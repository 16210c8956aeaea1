// BG3D model files and model groups. ImportBG3D turns one file into a
// container of meta objects (its materials and a root group) and registers the
// root's members as the numbered models of a BG3D group: model `type` of group
// `group` is gBG3DGroupList[group][type] (MetaObjectsRegistry.h), with its
// bounding box in gObjectGroupBBoxList. Files are imported while a view is set
// up (their textures belong to it) and disposed before the view goes.
#pragma once

#include "3D/BG3DParse.h"
#include "3D/MetaObjects.h"

struct FSSpec;

struct BG3DContainer
{
	int numMaterials;
	MetaObjectPtr materials[BG3D_MAX_MATERIALS];	// one reference held on each
	MetaObjectPtr root;								// held
};

// One slot per BG3D group (MAX_BG3D_GROUPS, MetaObjectsRegistry.h).
extern BG3DContainer* gBG3DContainerList[];

// Clears the container list (boot).
void InitBG3DManager();

// Loads a file into a group and returns its number of models. A group that
// still holds a container has it disposed first. A malformed file stops the
// program with a message naming the file.
int ImportBG3D(const FSSpec* spec, int groupNum);
// The same for a path in the data folder, e.g. ":Models:global.bg3d".
int LoadBG3D(const char* dataPath, int groupNum);

// Builds a container from parsed data without touching OpenGL: textures stay
// in the parsed data. Used by ImportBG3D; alone, by tools and tests.
BG3DContainer* BG3D_BuildContainer(const BG3DFileData& file);
// Uploads the first image of every textured material of the container.
void BG3D_UploadTextures(BG3DContainer* container, const BG3DFileData& file);
// Stores a container in a group slot and fills the model registry from it.
// Returns the number of models.
int BG3D_RegisterContainer(BG3DContainer* container, int groupNum, const char* fileName);

// Models in a group (0 when nothing is loaded), one model and its bounding
// box (a bad group or type stops the program).
int BG3D_GetNumModels(int groupNum);
MetaObjectPtr BG3D_GetModel(int groupNum, int type);
const OGLBoundingBox& BG3D_GetModelBounds(int groupNum, int type);

void DisposeBG3DContainer(int groupNum);
void DeleteAllBG3DContainers();

// ORs flags into the first material of one geometry of a model (geometryNum
// −1: every geometry of the model).
void BG3D_SetContainerMaterialFlags(int16_t group, int type, int geometryNum, uint32_t flags);
// Switches on sphere mapping (combine 0 multiply, 2 add; envMapNum: image of
// sprite group 0) for the first material of one geometry, or all with −1.
void BG3D_SphereMapGeomteryMaterial(int16_t group, uint16_t type, int16_t geometryNum,
		uint16_t combineMode, uint16_t envMapNum);
void BG3D_SphereMapGeometryObject(MetaObjectPtr vertexArray, uint16_t combineMode, uint16_t envMapNum);
