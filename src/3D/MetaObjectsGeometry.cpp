// Work on the geometry under meta objects: bounding boxes, deep copies for
// skinning, and texture-coordinate scrolling.
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "System/Error.h"
#include "Memory.h"

#include <cstring>

//
// Bounding box
//

static void CalcBoundingBox_Recurse(MetaObjectPtr object, OGLBoundingBox* bbox, bool* sawPoint)
{
	if (!object || object->cookie != MO_COOKIE_LIVE)
		FatalAlert("MO_CalcBoundingBox_Recurse: cookie is invalid!");

	switch (object->type)
	{
		case MO_TYPE_GEOMETRY:
		{
			if (object->subType != MO_GEOMETRY_SUBTYPE_VERTEXARRAY)
				FatalAlert("MO_CalcBoundingBox_Recurse: unknown sub-type!");
			const MOVertexArrayData* va = MO_VertexArrayData(object);
			if (!va->points)
				break;
			for (int i = 0; i < va->numPoints; i++)
			{
				const OGLPoint3D& p = va->points[i];
				if (p.x < bbox->min.x) bbox->min.x = p.x;
				if (p.y < bbox->min.y) bbox->min.y = p.y;
				if (p.z < bbox->min.z) bbox->min.z = p.z;
				if (p.x > bbox->max.x) bbox->max.x = p.x;
				if (p.y > bbox->max.y) bbox->max.y = p.y;
				if (p.z > bbox->max.z) bbox->max.z = p.z;
				*sawPoint = true;
			}
			break;
		}
		case MO_TYPE_GROUP:
		{
			const MOGroupData* group = MO_GroupData(object);
			for (int i = 0; i < group->numObjectsInGroup; i++)
				CalcBoundingBox_Recurse(group->groupContents[i], bbox, sawPoint);
			break;
		}
		case MO_TYPE_MATRIX:
			FatalAlert("MO_CalcBoundingBox_Recurse: why is there a matrix here?");
		default:
			break;		// materials and sprites have no extent
	}
}

void MO_CalcBoundingBox(MetaObjectPtr object, OGLBoundingBox* bbox)
{
	bbox->min = {1e8f, 1e8f, 1e8f};
	bbox->max = {-1e8f, -1e8f, -1e8f};
	bool sawPoint = false;
	CalcBoundingBox_Recurse(object, bbox, &sawPoint);
	// No point: min > max is no box at all, and culling and collision sizes must know.
	bbox->isEmpty = !sawPoint;
}

//
// Copies
//

static void* CopyArray(const void* source, size_t bytes)
{
	if (!source)
		return nullptr;
	if (bytes > size_t(INT32_MAX))
		FatalAlert("MO_DuplicateVertexArrayData: AllocPtr failed!");
	Ptr copy = NewPtr(int32_t(bytes));
	if (!copy)
		FatalAlert("MO_DuplicateVertexArrayData: AllocPtr failed!");
	std::memcpy(copy, source, bytes);
	return copy;
}

void MO_DuplicateVertexArrayData(const MOVertexArrayData* source, MOVertexArrayData* dest)
{
	*dest = {};
	dest->numMaterials = source->numMaterials;
	int held = source->numMaterials < 0 ? 0 : (source->numMaterials < 2 ? source->numMaterials : 2);
	for (int i = 0; i < MO_MAX_VERTEX_LAYERS; i++)
	{
		dest->materials[i] = source->materials[i];
		if (i < held && dest->materials[i])
			MO_AddReference(dest->materials[i]);
	}
	dest->numPoints = source->numPoints;
	dest->numTriangles = source->numTriangles;

	size_t n = source->numPoints > 0 ? size_t(source->numPoints) : 0;
	size_t t = source->numTriangles > 0 ? size_t(source->numTriangles) : 0;
	dest->points = static_cast<OGLPoint3D*>(CopyArray(source->points, n * sizeof(OGLPoint3D)));
	dest->normals = static_cast<OGLVector3D*>(CopyArray(source->normals, n * sizeof(OGLVector3D)));
	for (int i = 0; i < MO_MAX_VERTEX_LAYERS; i++)
		dest->uvs[i] = static_cast<OGLTextureCoord*>(CopyArray(source->uvs[i], n * sizeof(OGLTextureCoord)));
	dest->colorsByte = static_cast<OGLColorRGBA_Byte*>(CopyArray(source->colorsByte, n * sizeof(OGLColorRGBA_Byte)));
	dest->colorsFloat = static_cast<OGLColorRGBA*>(CopyArray(source->colorsFloat, n * sizeof(OGLColorRGBA)));
	dest->triangles = static_cast<uint32_t*>(CopyArray(source->triangles, t * 3 * sizeof(uint32_t)));
}

template <typename T>
static void FreeAndClear(T*& p)
{
	if (p)
		DisposePtr(reinterpret_cast<Ptr>(p));
	p = nullptr;
}

void MO_FreeVertexArrayData(MOVertexArrayData* data)
{
	FreeAndClear(data->points);
	FreeAndClear(data->normals);
	FreeAndClear(data->uvs[0]);
	if (data->numMaterials == 2)
		FreeAndClear(data->uvs[1]);
	FreeAndClear(data->colorsByte);
	FreeAndClear(data->colorsFloat);
	FreeAndClear(data->triangles);
}

void MO_ReleaseVertexArrayMaterials(MOVertexArrayData* data)
{
	int held = data->numMaterials < 0 ? 0 : (data->numMaterials < 2 ? data->numMaterials : 2);
	for (int i = 0; i < held; i++)
		if (data->materials[i])
			MO_DisposeObjectReference(data->materials[i]);
}

//
// Texture scrolling
//

static void OffsetVertexArrayUVs(MetaObjectPtr object, float du, float dv)
{
	MOVertexArrayData* va = MO_VertexArrayData(object);
	if (!va->uvs[0])
		return;
	for (int i = 0; i < va->numPoints; i++)
	{
		va->uvs[0][i].u += du;
		va->uvs[0][i].v += dv;
	}
}

void MO_VertexArray_OffsetUVs(MetaObjectPtr object, float du, float dv)
{
	MO_CheckCookie(object, "MO_VertexArray_OffsetUVs");
	if (object->type != MO_TYPE_GEOMETRY || object->subType != MO_GEOMETRY_SUBTYPE_VERTEXARRAY)
		FatalAlert("MO_VertexArray_OffsetUVs: object is not a Vertex Array!");
	OffsetVertexArrayUVs(object, du, dv);
}

void MO_Group_OffsetUVs(MetaObjectPtr object, float du, float dv)
{
	MO_CheckCookie(object, "MO_Group_OffsetUVs");
	if (object->type == MO_TYPE_GEOMETRY)
	{
		MO_VertexArray_OffsetUVs(object, du, dv);
		return;
	}
	if (object->type != MO_TYPE_GROUP)
		FatalAlert("MO_Group_OffsetUVs: object type is not supported.");

	const MOGroupData* group = MO_GroupData(object);
	for (int i = 0; i < group->numObjectsInGroup; i++)
	{
		MetaObjectPtr member = group->groupContents[i];
		MO_CheckCookie(member, "MO_Group_OffsetUVs");
		if (member->type == MO_TYPE_GEOMETRY)
			MO_VertexArray_OffsetUVs(member, du, dv);
		else if (member->type == MO_TYPE_GROUP)
			MO_Group_OffsetUVs(member, du, dv);
	}
}

void MO_Geometry_OffserUVs(int16_t group, uint16_t type, int geometryNum, float du, float dv)
{
	// The model numbers come from level tables: check them against what was loaded.
	MetaObjectPtr model = MO_GetRegisteredModel(group, type, "MO_Geometry_OffserUVs");
	MO_CheckCookie(model, "MO_Geometry_OffserUVs");

	if (model->type != MO_TYPE_GROUP)
	{
		MO_VertexArray_OffsetUVs(model, du, dv);
		return;
	}

	const MOGroupData* data = MO_GroupData(model);
	if (geometryNum < -1 || geometryNum >= data->numObjectsInGroup)
		FatalAlert("MO_Geometry_OffserUVs: geometryNum out of range");

	if (geometryNum == -1)
	{
		for (int i = 0; i < data->numObjectsInGroup; i++)
		{
			MetaObjectPtr member = data->groupContents[i];
			MO_CheckCookie(member, "MO_Geometry_OffserUVs");
			if (member->type == MO_TYPE_GEOMETRY || member->type == MO_TYPE_GROUP)
				MO_Group_OffsetUVs(member, du, dv);
		}
	}
	else
	{
		MO_Group_OffsetUVs(data->groupContents[geometryNum], du, dv);
	}
}
