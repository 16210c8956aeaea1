// Meta object lifetime: creation, the global list, reference counts, groups.
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_Support.h"
#include "System/Error.h"
#include "Memory.h"

#include <SDL_opengl.h>
#include <cstring>

MetaObjectPtr gFirstMetaObject = nullptr;
MetaObjectPtr gLastMetaObject = nullptr;
int gNumMetaObjects = 0;

void MO_InitMetaObjectList()
{
	gFirstMetaObject = nullptr;
	gLastMetaObject = nullptr;
	gNumMetaObjects = 0;
}

void MO_CheckCookie(MetaObjectPtr object, const char* who)
{
	if (!object || object->cookie != MO_COOKIE_LIVE)
		FatalAlert("%s: cookie is invalid!", who);
}

//
// Creation
//

static size_t StorageSize(uint32_t type, uint32_t subType)
{
	switch (type)
	{
		case MO_TYPE_GROUP:		return sizeof(MOGroupObject);
		case MO_TYPE_MATERIAL:	return sizeof(MOMaterialObject);
		case MO_TYPE_MATRIX:	return sizeof(MOMatrixObject);
		case MO_TYPE_SPRITE:	return sizeof(MOSpriteObject);
		case MO_TYPE_GEOMETRY:
			if (subType != MO_GEOMETRY_SUBTYPE_VERTEXARRAY)
				FatalAlert("AllocateEmptyMetaObject: object subtype not recognized");
			return sizeof(MOVertexArrayObject);
		default:
			FatalAlert("AllocateEmptyMetaObject: object type not recognized");
	}
}

static void AppendToGlobalList(MetaObjectPtr object)
{
	if (!gFirstMetaObject)
	{
		if (gLastMetaObject)
			FatalAlert("AllocateEmptyMetaObject: gFirstMetaObject & gLastMetaObject should be nil");
		gFirstMetaObject = object;
	}
	else
	{
		object->prevNode = gLastMetaObject;
		gLastMetaObject->nextNode = object;
	}
	gLastMetaObject = object;
	gNumMetaObjects++;
}

static void DetachFromGlobalList(MetaObjectPtr object)
{
	if (object->cookie != MO_COOKIE_LIVE)
		FatalAlert("MO_DetachFromLinkedList: cookie is invalid!");

	MetaObjectPtr prev = object->prevNode;
	MetaObjectPtr next = object->nextNode;
	if (!prev)
	{
		gFirstMetaObject = next;
		if (next)
			next->prevNode = nullptr;
		else
			gLastMetaObject = nullptr;
	}
	else if (!next)
	{
		gLastMetaObject = prev;
		prev->nextNode = nullptr;
	}
	else
	{
		prev->nextNode = next;
		next->prevNode = prev;
	}
	object->prevNode = object->nextNode = nullptr;

	gNumMetaObjects--;
	if (gNumMetaObjects < 0)
		FatalAlert("MO_DetachFromLinkedList: counter mismatch");
	if (gNumMetaObjects == 0)
	{
		if (prev || next)
			FatalAlert("MO_DetachFromLinkedList: prev/next should be nil!");
		if (gFirstMetaObject)
			FatalAlert("MO_DetachFromLinkedList: gFirstMetaObject should be nil!");
		if (gLastMetaObject)
			FatalAlert("MO_DetachFromLinkedList: gLastMetaObject should be nil!");
	}
}

// Materials of a vertex array that it holds references on. A negative count
// ("use the material applied last") holds none.
static int HeldMaterialCount(const MOVertexArrayData* data)
{
	if (data->numMaterials <= 0)
		return 0;
	return data->numMaterials < MO_MAX_VERTEX_LAYERS ? data->numMaterials : MO_MAX_VERTEX_LAYERS;
}

static void CheckSpriteSetup(const MOSpriteSetupData* setup)
{
	int group = setup->group, type = setup->type;
	if (group < 0 || group >= MAX_SPRITE_GROUPS || type < 0 || type >= gNumSpritesInGroupList[group]
		|| !gSpriteGroupList[group] || !gSpriteGroupList[group][type].materialObject)
		FatalAlert("SetMetaObjectToSprite: illegal type");
}

static void SetSprite(MetaObjectPtr object, const MOSpriteSetupData* setup)
{
	const SpriteType& image = gSpriteGroupList[setup->group][setup->type];

	MOSpriteData* sprite = MO_SpriteData(object);
	sprite->width = float(image.width);
	sprite->height = float(image.height);
	sprite->aspectRatio = image.aspectRatio;
	sprite->scaleBasis = sprite->width / 640.0f;
	sprite->coord = {-1, 1, 0};
	sprite->scaleX = sprite->scaleY = 1;
	sprite->rot = 0;
	sprite->material = MO_AddReference(image.materialObject);
}

MetaObjectPtr MO_CreateNewObjectOfType(uint32_t type, uint32_t subType, const void* data)
{
	if (type == MO_TYPE_GEOMETRY && subType != MO_GEOMETRY_SUBTYPE_VERTEXARRAY)
		FatalAlert("SetMetaObjectToGeometry: unknown subType");

	size_t size = StorageSize(type, subType);
	if (type == MO_TYPE_SPRITE)
		CheckSpriteSetup(static_cast<const MOSpriteSetupData*>(data));		// before anything is made
	MetaObjectPtr object = reinterpret_cast<MetaObjectPtr>(NewPtrClear(int32_t(size)));
	if (!object)
		FatalAlert("AllocateEmptyMetaObject: AllocPtr failed!");

	object->cookie = MO_COOKIE_LIVE;
	object->refCount = 1;
	object->type = type;
	object->subType = type == MO_TYPE_GEOMETRY ? subType : 0;
	AppendToGlobalList(object);

	switch (type)
	{
		case MO_TYPE_GROUP:
			break;

		case MO_TYPE_GEOMETRY:
		{
			MOVertexArrayData* va = MO_VertexArrayData(object);
			*va = *static_cast<const MOVertexArrayData*>(data);
			for (int i = 0; i < HeldMaterialCount(va); i++)
				if (va->materials[i])
					MO_AddReference(va->materials[i]);
			break;
		}

		case MO_TYPE_MATERIAL:
			*MO_MaterialData(object) = *static_cast<const MOMaterialData*>(data);
			break;

		case MO_TYPE_MATRIX:
			*MO_MatrixData(object) = *static_cast<const OGLMatrix4x4*>(data);
			break;

		case MO_TYPE_SPRITE:
			SetSprite(object, static_cast<const MOSpriteSetupData*>(data));
			break;
	}
	return object;
}

//
// References
//

MetaObjectPtr MO_AddReference(MetaObjectPtr object)
{
	MO_CheckCookie(object, "MO_AddReference");
	object->refCount++;

	switch (object->type)
	{
		case MO_TYPE_GEOMETRY:
		{
			MOVertexArrayData* va = MO_VertexArrayData(object);
			for (int i = 0; i < HeldMaterialCount(va); i++)
				if (va->materials[i])
					MO_AddReference(va->materials[i]);
			break;
		}
		case MO_TYPE_GROUP:
		{
			MOGroupData* group = MO_GroupData(object);
			for (int i = 0; i < group->numObjectsInGroup; i++)
				MO_AddReference(group->groupContents[i]);
			break;
		}
		case MO_TYPE_SPRITE:
			if (MO_SpriteData(object)->material)
				MO_AddReference(MO_SpriteData(object)->material);
			break;
	}
	return object;
}

static void FreeArray(void* p)
{
	if (p)
		DisposePtr(static_cast<Ptr>(p));
}

void MO_DisposeObjectReference(MetaObjectPtr object)
{
	if (!object)
		FatalAlert("MO_DisposeObjectReference: obj == nil");
	if (object->cookie != MO_COOKIE_LIVE)
		FatalAlert("MO_DisposeObjectReference: bad cookie!");
	if (object->type == MO_TYPE_GEOMETRY && object->subType != MO_GEOMETRY_SUBTYPE_VERTEXARRAY)
		FatalAlert("MO_DisposeObjectReference: unknown sub-type");

	// Children first: every holder of this object holds its subtree too.
	switch (object->type)
	{
		case MO_TYPE_GEOMETRY:
		{
			MOVertexArrayData* va = MO_VertexArrayData(object);
			for (int i = 0; i < HeldMaterialCount(va); i++)
				if (va->materials[i])
					MO_DisposeObjectReference(va->materials[i]);
			break;
		}
		case MO_TYPE_GROUP:
		{
			MOGroupData* group = MO_GroupData(object);
			for (int i = 0; i < group->numObjectsInGroup; i++)
				MO_DisposeObjectReference(group->groupContents[i]);
			break;
		}
		case MO_TYPE_SPRITE:
			if (MO_SpriteData(object)->material)
				MO_DisposeObjectReference(MO_SpriteData(object)->material);
			break;
	}

	object->refCount--;
	if (object->refCount < 0)
		FatalAlert("MO_DisposeObjectReference: refcount < 0!");
	if (object->refCount > 0)
		return;

	switch (object->type)
	{
		case MO_TYPE_GEOMETRY:
		{
			MOVertexArrayData* va = MO_VertexArrayData(object);
			FreeArray(va->points);
			FreeArray(va->normals);
			FreeArray(va->uvs[0]);
			if (va->numMaterials == 2)
				FreeArray(va->uvs[1]);
			FreeArray(va->colorsByte);
			FreeArray(va->colorsFloat);
			FreeArray(va->triangles);
			break;
		}
		case MO_TYPE_MATERIAL:
		{
			MOMaterialData* m = MO_MaterialData(object);
			int n = m->numMipmaps < MO_MAX_MIPMAPS ? m->numMipmaps : MO_MAX_MIPMAPS;
			if (n > 0 && !gLogicOnly)
				glDeleteTextures(n, m->textureName);
			if (gMostRecentMaterial == object)
				gMostRecentMaterial = nullptr;		// never compare against a freed address
			break;
		}
	}

	DetachFromGlobalList(object);
	object->cookie = MO_COOKIE_DEAD;
	DisposePtr(reinterpret_cast<Ptr>(object));
}

//
// Groups
//

// A group's holders each release every member once, so a member receives as
// many references as the group has holders (one in the usual single-owner case).
static void TakeMemberReferences(MetaObjectPtr group, MetaObjectPtr object)
{
	for (int32_t i = 0; i < group->refCount; i++)
		MO_AddReference(object);
}

void MO_AppendToGroup(MetaObjectPtr group, MetaObjectPtr object)
{
	if (!group || group->cookie != MO_COOKIE_LIVE || !object || object->cookie != MO_COOKIE_LIVE)
		FatalAlert("MO_AppendToGroup: cookie is invalid!");
	GAME_ASSERT_MESSAGE(group->type == MO_TYPE_GROUP, "MO_AppendToGroup: this isnt a group!");

	MOGroupData* data = MO_GroupData(group);
	if (data->numObjectsInGroup >= MO_MAX_GROUP_OBJECTS)
		FatalAlert("MO_AppendToGroup: too many objects in group!");

	TakeMemberReferences(group, object);
	data->groupContents[data->numObjectsInGroup++] = object;
}

void MO_AttachToGroupStart(MetaObjectPtr group, MetaObjectPtr object)
{
	if (!group || group->cookie != MO_COOKIE_LIVE || !object || object->cookie != MO_COOKIE_LIVE)
		FatalAlert("MO_AttachToGroupStart: cookie is invalid!");
	GAME_ASSERT_MESSAGE(group->type == MO_TYPE_GROUP, "MO_AttachToGroupStart: this isnt a group!");

	MOGroupData* data = MO_GroupData(group);
	if (data->numObjectsInGroup >= MO_MAX_GROUP_OBJECTS)
		FatalAlert("MO_AttachToGroupStart: too many objects in group!");

	TakeMemberReferences(group, object);
	std::memmove(&data->groupContents[1], &data->groupContents[0],
			sizeof(MetaObjectPtr) * size_t(data->numObjectsInGroup));
	data->groupContents[0] = object;
	data->numObjectsInGroup++;
}
