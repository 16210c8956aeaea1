// Meta objects without a window: lifetimes, groups, boxes, copies, UV scrolling.
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/MetaObjectsShapes.h"
#include "System/Error.h"
#include "Memory.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>

namespace
{
	struct MetaObjectTest : ::testing::Test
	{
		int before = 0;
		void SetUp() override { before = gNumMetaObjects; }

		static MetaObjectPtr NewGroup() { return MO_CreateNewObjectOfType(MO_TYPE_GROUP, 0, nullptr); }

		// A vertex array with uvs, whose points lie at the given x values.
		static MetaObjectPtr NewStrip(std::initializer_list<float> xs, MetaObjectPtr material = nullptr)
		{
			MOVertexArrayData data = {};
			data.numMaterials = material ? 1 : 0;
			data.materials[0] = material;
			data.numPoints = int(xs.size());
			data.points = reinterpret_cast<OGLPoint3D*>(NewPtrClear(int32_t(sizeof(OGLPoint3D) * xs.size())));
			data.uvs[0] = reinterpret_cast<OGLTextureCoord*>(NewPtrClear(int32_t(sizeof(OGLTextureCoord) * xs.size())));
			int i = 0;
			for (float x : xs)
			{
				data.points[i] = {x, x * 2, -x};
				data.uvs[0][i] = {0.5f, 0.25f};
				i++;
			}
			return MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &data);
		}
	};
}

TEST_F(MetaObjectTest, ObjectsJoinTheGlobalListAndLeaveIt)
{
	MetaObjectPtr a = NewGroup();
	OGLMatrix4x4 m;
	OGLMatrix4x4_SetIdentity(&m);
	MetaObjectPtr b = MO_CreateNewObjectOfType(MO_TYPE_MATRIX, 0, &m);
	EXPECT_EQ(gNumMetaObjects, before + 2);
	EXPECT_EQ(gLastMetaObject, b);
	EXPECT_EQ(b->prevNode, a);
	EXPECT_EQ(a->cookie, MO_COOKIE_LIVE);
	EXPECT_EQ(a->refCount, 1);
	EXPECT_EQ(a->type, 0x67727570u) << "\"grup\", first letter in the top byte";
	EXPECT_EQ(b->subType, 0u);

	MO_DisposeObjectReference(b);
	EXPECT_EQ(gLastMetaObject, a);
	EXPECT_EQ(a->nextNode, nullptr);
	MO_DisposeObjectReference(a);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, BadTypesAndBadReleasesAreFatal)
{
	EXPECT_THROW(MO_CreateNewObjectOfType(FOUR_CC("xxxx"), 0, nullptr), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "AllocateEmptyMetaObject: object type not recognized");
	EXPECT_THROW(MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, FOUR_CC("tris"), nullptr), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "SetMetaObjectToGeometry: unknown subType");
	EXPECT_THROW(MO_DisposeObjectReference(nullptr), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "MO_DisposeObjectReference: obj == nil");

	MetaObjectHeader fake = {};
	EXPECT_THROW(MO_DisposeObjectReference(&fake), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "MO_DisposeObjectReference: bad cookie!");
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, AGroupReleasedWhileMembersAreHeldElsewhereKeepsThem)
{
	MetaObjectPtr group = NewGroup();
	MetaObjectPtr material = MO_MakeColorMaterial({1, 1, 1, 1});
	MetaObjectPtr box = MO_MakeBox(1, 1, 1, material);
	EXPECT_EQ(material->refCount, 2);
	MO_AppendToGroup(group, box);
	EXPECT_EQ(box->refCount, 2);
	EXPECT_EQ(material->refCount, 3) << "a reference on the box covers its material";

	MO_DisposeObjectReference(group);
	EXPECT_EQ(gNumMetaObjects, before + 2);
	EXPECT_EQ(box->refCount, 1);
	EXPECT_EQ(material->refCount, 2);

	MO_DisposeObjectReference(box);
	EXPECT_EQ(material->refCount, 1);
	MO_DisposeObjectReference(material);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, AddReferenceCoversTheWholeSubtree)
{
	MetaObjectPtr outer = NewGroup();
	MetaObjectPtr inner = NewGroup();
	MetaObjectPtr strip = NewStrip({1, 2});
	MO_AppendToGroup(inner, strip);
	MO_DisposeObjectReference(strip);
	MO_AppendToGroup(outer, inner);
	MO_DisposeObjectReference(inner);
	ASSERT_EQ(strip->refCount, 1);

	MO_AddReference(outer);		// a second holder of the tree
	EXPECT_EQ(inner->refCount, 2);
	EXPECT_EQ(strip->refCount, 2);
	MO_DisposeObjectReference(outer);
	EXPECT_EQ(gNumMetaObjects, before + 3);
	MO_DisposeObjectReference(outer);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, AppendingToASharedGroupKeepsCountsBalanced)
{
	MetaObjectPtr group = NewGroup();
	MO_AddReference(group);		// two holders
	MetaObjectPtr strip = NewStrip({1});
	MO_AppendToGroup(group, strip);
	MO_DisposeObjectReference(strip);
	MO_DisposeObjectReference(group);
	MO_DisposeObjectReference(group);		// each holder releases the member once
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, GroupsHoldSeventyObjects)
{
	MetaObjectPtr group = NewGroup();
	MetaObjectPtr member = NewGroup();
	for (int i = 0; i < MO_MAX_GROUP_OBJECTS; i++)
		MO_AppendToGroup(group, member);
	EXPECT_EQ(MO_GroupData(group)->numObjectsInGroup, 70);
	EXPECT_THROW(MO_AppendToGroup(group, member), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "MO_AppendToGroup: too many objects in group!");
	EXPECT_THROW(MO_AttachToGroupStart(group, member), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "MO_AttachToGroupStart: too many objects in group!");
	MO_DisposeObjectReference(group);
	EXPECT_EQ(member->refCount, 1);
	MO_DisposeObjectReference(member);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, AttachToGroupStartMovesMembersUp)
{
	MetaObjectPtr group = NewGroup();
	MetaObjectPtr a = NewGroup(), b = NewGroup();
	MO_AppendToGroup(group, a);
	MO_AttachToGroupStart(group, b);
	EXPECT_EQ(MO_GroupData(group)->groupContents[0], b);
	EXPECT_EQ(MO_GroupData(group)->groupContents[1], a);
	MO_DisposeObjectReference(a);
	MO_DisposeObjectReference(b);
	MO_DisposeObjectReference(group);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, VertexArraysWithMissingMaterialsReleaseCleanly)
{
	MOVertexArrayData data = {};
	data.numMaterials = 1;		// says one, holds none
	MetaObjectPtr va = MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &data);
	MO_AddReference(va);
	MO_DisposeObjectReference(va);
	MO_DisposeObjectReference(va);

	data.numMaterials = -1;		// "the material applied last": holds none either
	data.materials[0] = MO_MakeColorMaterial({1, 1, 1, 1});
	va = MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &data);
	EXPECT_EQ(data.materials[0]->refCount, 1);
	MO_DisposeObjectReference(va);
	MO_DisposeObjectReference(data.materials[0]);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, BoundingBoxesCoverNestedGeometry)
{
	MetaObjectPtr outer = NewGroup();
	MetaObjectPtr inner = NewGroup();
	MetaObjectPtr s1 = NewStrip({-3, 1});
	MetaObjectPtr s2 = NewStrip({5});
	MO_AppendToGroup(inner, s2);
	MO_AppendToGroup(outer, s1);
	MO_AppendToGroup(outer, inner);
	MetaObjectPtr material = MO_MakeColorMaterial({1, 1, 1, 1});
	MO_AppendToGroup(outer, material);		// adds nothing to the box

	OGLBoundingBox box;
	MO_CalcBoundingBox(outer, &box);
	EXPECT_FALSE(box.isEmpty);
	EXPECT_EQ(box.min.x, -3);
	EXPECT_EQ(box.max.x, 5);
	EXPECT_EQ(box.min.y, -6);
	EXPECT_EQ(box.max.z, 3);

	for (MetaObjectPtr o : {s1, s2, inner, material, outer})
		MO_DisposeObjectReference(o);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, ABoxWithoutPointsIsMarkedEmpty)
{
	MetaObjectPtr group = NewGroup();
	MetaObjectPtr inner = NewGroup();
	MO_AppendToGroup(group, inner);
	OGLBoundingBox box;
	MO_CalcBoundingBox(group, &box);
	EXPECT_TRUE(box.isEmpty);
	EXPECT_EQ(box.min.x, 1e8f);
	EXPECT_EQ(box.max.x, -1e8f);

	OGLMatrix4x4 m;
	OGLMatrix4x4_SetIdentity(&m);
	MetaObjectPtr matrix = MO_CreateNewObjectOfType(MO_TYPE_MATRIX, 0, &m);
	MO_AppendToGroup(group, matrix);
	EXPECT_THROW(MO_CalcBoundingBox(group, &box), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "MO_CalcBoundingBox_Recurse: why is there a matrix here?");

	for (MetaObjectPtr o : {inner, matrix, group})
		MO_DisposeObjectReference(o);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, DuplicatesAreDeepAndHoldTheirMaterials)
{
	MetaObjectPtr material = MO_MakeColorMaterial({1, 1, 1, 1});
	MetaObjectPtr box = MO_MakeBox(1, 2, 3, material);
	const MOVertexArrayData* source = MO_VertexArrayData(box);

	MOVertexArrayData copy;
	MO_DuplicateVertexArrayData(source, &copy);
	EXPECT_EQ(material->refCount, 3);
	EXPECT_NE(copy.points, source->points);
	EXPECT_EQ(copy.points[5].z, source->points[5].z);
	EXPECT_EQ(copy.triangles[35], source->triangles[35]);
	EXPECT_EQ(copy.uvs[0], nullptr) << "absent arrays stay absent";
	copy.points[0].x = 99;
	EXPECT_NE(source->points[0].x, 99);

	MO_ReleaseVertexArrayMaterials(&copy);
	MO_FreeVertexArrayData(&copy);
	EXPECT_EQ(copy.points, nullptr);
	EXPECT_EQ(material->refCount, 2);
	MO_DisposeObjectReference(box);
	MO_DisposeObjectReference(material);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, UVScrollingReachesEveryVertexArrayOfAModel)
{
	MetaObjectPtr model = NewGroup();
	MetaObjectPtr a = NewStrip({1, 2});
	MetaObjectPtr sub = NewGroup();
	MetaObjectPtr b = NewStrip({3});
	MO_AppendToGroup(sub, b);
	MO_AppendToGroup(model, a);
	MO_AppendToGroup(model, sub);
	gBG3DGroupList[1][3] = model;
	gNumObjectsInBG3DGroupList[1] = 4;

	MO_Geometry_OffserUVs(1, 3, -1, 0.25f, -0.25f);
	EXPECT_EQ(MO_VertexArrayData(a)->uvs[0][1].u, 0.75f);
	EXPECT_EQ(MO_VertexArrayData(b)->uvs[0][0].v, 0.0f);

	MO_Geometry_OffserUVs(1, 3, 0, 0.25f, 0);
	EXPECT_EQ(MO_VertexArrayData(a)->uvs[0][0].u, 1.0f);
	EXPECT_EQ(MO_VertexArrayData(b)->uvs[0][0].u, 0.75f) << "only geometry 0 moved";

	MO_Group_OffsetUVs(sub, 1, 0);
	EXPECT_EQ(MO_VertexArrayData(b)->uvs[0][0].u, 1.75f);

	EXPECT_THROW(MO_Geometry_OffserUVs(1, 3, 2, 0, 0), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "MO_Geometry_OffserUVs: geometryNum out of range");
	EXPECT_THROW(MO_Geometry_OffserUVs(1, 4, 0, 0, 0), Tamber::QuitRequest) << "model not loaded";
	EXPECT_THROW(MO_Geometry_OffserUVs(40, 0, 0, 0, 0), Tamber::QuitRequest) << "no such group";
	EXPECT_THROW(MO_VertexArray_OffsetUVs(sub, 0, 0), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "MO_VertexArray_OffsetUVs: object is not a Vertex Array!");

	gBG3DGroupList[1][3] = nullptr;
	gNumObjectsInBG3DGroupList[1] = 0;
	for (MetaObjectPtr o : {a, b, sub, model})
		MO_DisposeObjectReference(o);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST_F(MetaObjectTest, SpritesComeFromTheSpriteTables)
{
	MetaObjectPtr material = MO_MakeColorMaterial({1, 1, 1, 1});
	SpriteType images[2] = {{64, 32, 0.5f, GL_RGBA, GL_RGBA, material}, {}};
	gSpriteGroupList[6] = images;
	gNumSpritesInGroupList[6] = 1;

	MOSpriteSetupData setup = {6, 0};
	MetaObjectPtr sprite = MO_CreateNewObjectOfType(MO_TYPE_SPRITE, 0, &setup);
	const MOSpriteData* data = MO_SpriteData(sprite);
	EXPECT_EQ(data->width, 64);
	EXPECT_EQ(data->aspectRatio, 0.5f);
	EXPECT_EQ(data->scaleBasis, 0.1f);
	EXPECT_EQ(data->coord.x, -1);
	EXPECT_EQ(data->material, material);
	EXPECT_EQ(material->refCount, 2);

	setup.type = 1;
	EXPECT_THROW(MO_CreateNewObjectOfType(MO_TYPE_SPRITE, 0, &setup), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "SetMetaObjectToSprite: illegal type");

	MO_DisposeObjectReference(sprite);
	EXPECT_EQ(material->refCount, 1);
	gSpriteGroupList[6] = nullptr;
	gNumSpritesInGroupList[6] = 0;
	MO_DisposeObjectReference(material);
	EXPECT_EQ(gNumMetaObjects, before);
}

TEST(MetaObjectBlending, FollowsTextureFormatAlphaAndTheAlwaysFlag)
{
	MOMaterialData m = {};
	m.pixelDstFormat = GL_RGB;
	EXPECT_FALSE(MO_MaterialNeedsBlending(&m, MATERIAL_FLAG_TEXTURED, 1.0f)) << "opaque RGB texture";
	EXPECT_TRUE(MO_MaterialNeedsBlending(&m, MATERIAL_FLAG_TEXTURED, 0.999f));
	EXPECT_TRUE(MO_MaterialNeedsBlending(&m, 0, 0.5f)) << "half transparency";
	EXPECT_TRUE(MO_MaterialNeedsBlending(&m, MATERIAL_FLAG_ALWAYS_BLEND, 1.0f));
	m.pixelDstFormat = GL_RGBA;
	EXPECT_TRUE(MO_MaterialNeedsBlending(&m, MATERIAL_FLAG_TEXTURED, 1.0f)) << "an RGBA texture always blends";
	EXPECT_FALSE(MO_MaterialNeedsBlending(&m, 0, 1.0f)) << "unless it is not drawn textured";
}
