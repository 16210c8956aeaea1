// A node's base group (its matrix and model) and its transform.
#include "System/Objects.h"
#include "System/Error.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"

void CalcObjectRotationMatrix(const ObjNode* node, OGLMatrix4x4* m)
{
	if (node->StatusBits & STATUS_BIT_USEALIGNMENTMATRIX)
	{
		*m = node->AlignmentMatrix;
		return;
	}

	uint32_t order = node->StatusBits & (STATUS_BIT_ROTXZY | STATUS_BIT_ROTYZX | STATUS_BIT_ROTZXY);
	if (!order)
	{
		OGLMatrix4x4_SetRotate_XYZ(m, node->Rot.x, node->Rot.y, node->Rot.z);
		return;
	}

	OGLMatrix4x4 rx, ry, rz;
	OGLMatrix4x4_SetRotate_X(&rx, node->Rot.x);
	OGLMatrix4x4_SetRotate_Y(&ry, node->Rot.y);
	OGLMatrix4x4_SetRotate_Z(&rz, node->Rot.z);

	// Products of the math library: the left operand applies first.
	const OGLMatrix4x4 *first, *second, *third;
	if (node->StatusBits & STATUS_BIT_ROTXZY)
	{
		first = &rx; second = &rz; third = &ry;
	}
	else if (node->StatusBits & STATUS_BIT_ROTYZX)
	{
		first = &ry; second = &rz; third = &rx;
	}
	else
	{
		first = &rz; second = &rx; third = &ry;
	}
	OGLMatrix4x4 firstTwo;
	OGLMatrix4x4_Multiply(first, second, &firstTwo);
	OGLMatrix4x4_Multiply(&firstTwo, third, m);
}

void SyncBaseTransformObject(ObjNode* node)
{
	if (node->CType == INVALID_NODE_FLAG || !node->BaseTransformObject)
		return;
	*MO_MatrixData(node->BaseTransformObject) = node->BaseTransformMatrix;
}

void UpdateObjectTransforms(ObjNode* node)
{
	if (node->CType == INVALID_NODE_FLAG)
		return;

	OGLMatrix4x4 rotation;
	CalcObjectRotationMatrix(node, &rotation);
	rotation.value[12] = node->Coord.x;
	rotation.value[13] = node->Coord.y;
	rotation.value[14] = node->Coord.z;

	OGLMatrix4x4 scale;
	OGLMatrix4x4_SetScale(&scale, node->Scale.x, node->Scale.y, node->Scale.z);
	OGLMatrix4x4_Multiply(&scale, &rotation, &node->BaseTransformMatrix);

	SyncBaseTransformObject(node);
}

void CreateBaseGroup(ObjNode* node)
{
	node->BaseGroup = MO_CreateNewObjectOfType(MO_TYPE_GROUP, 0, nullptr);
	if (!node->BaseGroup)
		FatalAlert("CreateBaseGroup: MO_CreateNewObjectOfType failed!");

	if (node->Scale.x == 0.0f || node->Scale.y == 0.0f || node->Scale.z == 0.0f)
		FatalAlert("CreateBaseGroup: A scale component == 0");

	OGLMatrix4x4 scale, rotation, translation, m;
	OGLMatrix4x4_SetScale(&scale, node->Scale.x, node->Scale.y, node->Scale.z);
	OGLMatrix4x4_SetRotate_XYZ(&rotation, node->Rot.x, node->Rot.y, node->Rot.z);
	OGLMatrix4x4_SetTranslate(&translation, node->Coord.x, node->Coord.y, node->Coord.z);
	OGLMatrix4x4_Multiply(&scale, &rotation, &m);
	OGLMatrix4x4_Multiply(&m, &translation, &node->BaseTransformMatrix);

	MetaObjectPtr matrix = MO_CreateNewObjectOfType(MO_TYPE_MATRIX, 0, &node->BaseTransformMatrix);
	if (!matrix)
		FatalAlert("CreateBaseGroup: MO_CreateNewObjectOfType/Matrix Failed!");
	MO_AttachToGroupStart(node->BaseGroup, matrix);
	node->BaseTransformObject = matrix;		// the node keeps the creation reference
}

void AppendToObjectBaseGroup(ObjNode* node, MetaObjectHeader* object)
{
	MO_AppendToGroup(node->BaseGroup, object);
}

static bool IsModelLoaded(int group, int type)
{
	return group < MAX_BG3D_GROUPS && type < gNumObjectsInBG3DGroupList[group] && gBG3DGroupList[group][type];
}

static void AppendModel(ObjNode* node)
{
	AppendToObjectBaseGroup(node, gBG3DGroupList[node->Group][node->Type]);
	node->BBox = gObjectGroupBBoxList[node->Group][node->Type];
}

ObjNode* MakeNewDisplayGroupObject(ObjectDef* def)
{
	def->genre = DISPLAY_GROUP_GENRE;
	ObjNode* node = MakeNewObject(def);
	if (!node)
		FatalAlert("MakeNewDisplayGroupObject: MakeNewObject failed!");

	CreateBaseGroup(node);

	if (!IsModelLoaded(def->group, def->type))
	{
		ShowAlert("MakeNewDisplayGroupObject: type > gNumObjectsInGroupList[]!");
		ShowAlert("%ld", long(def->group));
		FatalAlert("%ld", long(def->type));
	}
	AppendModel(node);
	return node;
}

void ResetDisplayGroupObject(ObjNode* node)
{
	if (node->BaseGroup)
		MO_DisposeObjectReference(node->BaseGroup);
	if (node->BaseTransformObject)
		MO_DisposeObjectReference(node->BaseTransformObject);
	node->BaseGroup = nullptr;
	node->BaseTransformObject = nullptr;

	CreateBaseGroup(node);
	if (!IsModelLoaded(node->Group, node->Type))
		FatalAlert("ResetDisplayGroupObject: type > gNumObjectsInGroupList[]!");
	AppendModel(node);
}
