// Meta objects: the reference-counted scene-graph records (groups, vertex
// arrays, materials, matrices, 2D sprites) that models, object nodes, text and
// effects are built from. Drawing a tree issues fixed-function GL calls in tree
// order, with the GL state stack around every group.
#pragma once

#include "3D/BG3DFormat.h"
#include "System/Math.h"
#include "PlatformTypes.h"

#include <cstdint>

struct OGLViewInfo;

constexpr uint32_t MO_COOKIE_LIVE = 0xFEEDFACE;
constexpr uint32_t MO_COOKIE_DEAD = 0xDEADBEEF;

constexpr uint32_t MO_TYPE_GROUP = FOUR_CC("grup");
constexpr uint32_t MO_TYPE_GEOMETRY = FOUR_CC("geom");
constexpr uint32_t MO_TYPE_MATERIAL = FOUR_CC("matl");
constexpr uint32_t MO_TYPE_MATRIX = FOUR_CC("mtrx");
constexpr uint32_t MO_TYPE_SPRITE = FOUR_CC("sprt");
constexpr uint32_t MO_GEOMETRY_SUBTYPE_VERTEXARRAY = FOUR_CC("vary");

constexpr int MO_MAX_GROUP_OBJECTS = 70;
constexpr int MO_MAX_MIPMAPS = 6;
constexpr int MO_MAX_VERTEX_LAYERS = 2;

// Material flags: the bits model files store, taken over as they are.
enum : uint32_t
{
	MATERIAL_FLAG_TEXTURED = BG3D_MATERIAL_FLAG_TEXTURED,
	MATERIAL_FLAG_ALWAYS_BLEND = BG3D_MATERIAL_FLAG_ALWAYS_BLEND,
	MATERIAL_FLAG_CLAMP_U = BG3D_MATERIAL_FLAG_CLAMP_U,
	MATERIAL_FLAG_CLAMP_V = BG3D_MATERIAL_FLAG_CLAMP_V,
	MATERIAL_FLAG_MULTITEXTURE = BG3D_MATERIAL_FLAG_MULTITEXTURE,
};

// How a sphere-mapped second layer combines with the first.
enum
{
	MULTI_TEXTURE_COMBINE_MODULATE = 0,
	MULTI_TEXTURE_COMBINE_ADD = 2,
};

struct MetaObjectHeader
{
	uint32_t cookie;
	int32_t refCount;
	uint32_t type;
	uint32_t subType;
	MetaObjectHeader* prevNode;		// global list of live objects
	MetaObjectHeader* nextNode;
};
typedef MetaObjectHeader* MetaObjectPtr;

struct MOGroupData
{
	int numObjectsInGroup;
	MetaObjectPtr groupContents[MO_MAX_GROUP_OBJECTS];	// one reference held on each
};

// The arrays are memory blocks (NewPtr) owned by the vertex array.
struct MOVertexArrayData
{
	int numMaterials;					// 0 untextured, 1, 2 layers; < 0: use the material applied last
	MetaObjectPtr materials[MO_MAX_VERTEX_LAYERS];
	int numPoints;
	int numTriangles;
	OGLPoint3D* points;
	OGLVector3D* normals;
	OGLTextureCoord* uvs[MO_MAX_VERTEX_LAYERS];
	OGLColorRGBA_Byte* colorsByte;		// used while lighting is off
	OGLColorRGBA* colorsFloat;			// used while lighting is on
	uint32_t* triangles;				// numTriangles index triples, counter-clockwise
};

struct MOMaterialData
{
	OGLViewInfo* drawContext;			// the view its textures belong to
	uint32_t flags;
	OGLColorRGBA diffuseColor;
	uint16_t multiTextureMode;
	uint16_t multiTextureCombine;
	uint16_t envMapNum;					// image of sprite group 0
	int numMipmaps;
	uint32_t width;
	uint32_t height;
	uint32_t pixelSrcFormat;			// GL enums
	uint32_t pixelDstFormat;
	void* texturePixels[MO_MAX_MIPMAPS];
	uint32_t textureName[MO_MAX_MIPMAPS];
};

struct MOSpriteData
{
	float width;
	float height;
	float aspectRatio;
	float scaleBasis;
	OGLPoint3D coord;
	float scaleX;
	float scaleY;
	float rot;
	MetaObjectPtr material;				// one reference held
};

// What MO_CreateNewObjectOfType reads for a sprite.
struct MOSpriteSetupData
{
	int16_t group;
	int16_t type;
};

struct MOGroupObject { MetaObjectHeader objectHeader; MOGroupData objectData; };
struct MOVertexArrayObject { MetaObjectHeader objectHeader; MOVertexArrayData objectData; };
struct MOMaterialObject { MetaObjectHeader objectHeader; MOMaterialData objectData; };
struct MOMatrixObject { MetaObjectHeader objectHeader; OGLMatrix4x4 matrix; };
struct MOSpriteObject { MetaObjectHeader objectHeader; MOSpriteData objectData; };

// Typed views of an object (no checks).
inline MOGroupData* MO_GroupData(MetaObjectPtr o) { return &reinterpret_cast<MOGroupObject*>(o)->objectData; }
inline MOVertexArrayData* MO_VertexArrayData(MetaObjectPtr o) { return &reinterpret_cast<MOVertexArrayObject*>(o)->objectData; }
inline MOMaterialData* MO_MaterialData(MetaObjectPtr o) { return &reinterpret_cast<MOMaterialObject*>(o)->objectData; }
inline OGLMatrix4x4* MO_MatrixData(MetaObjectPtr o) { return &reinterpret_cast<MOMatrixObject*>(o)->matrix; }
inline MOSpriteData* MO_SpriteData(MetaObjectPtr o) { return &reinterpret_cast<MOSpriteObject*>(o)->objectData; }

extern MetaObjectPtr gFirstMetaObject;
extern MetaObjectPtr gLastMetaObject;
extern int gNumMetaObjects;

// Drawing state that object drawing and effects set around individual draws.
extern float gGlobalTransparency;			// 1 = as the material says
extern OGLColorRGBA gGlobalColorFilter;		// r, g, b multiply the material colour (a unused)
extern uint32_t gGlobalMaterialFlags;		// ORed into every material's flags
extern MetaObjectPtr gMostRecentMaterial;	// the material applied last, or null

void MO_InitMetaObjectList();

// New object with refCount 1. `data` by type: group: unused; vertex array: a
// MOVertexArrayData (copied; takes a reference on each non-null material);
// material: a MOMaterialData (copied); matrix: an OGLMatrix4x4; sprite: a
// MOSpriteSetupData.
MetaObjectPtr MO_CreateNewObjectOfType(uint32_t type, uint32_t subType, const void* data);

// One more reference on the object and its whole subtree. Returns the object.
MetaObjectPtr MO_AddReference(MetaObjectPtr object);
// Releases one reference on the object and its whole subtree; an object whose
// count reaches 0 is freed.
void MO_DisposeObjectReference(MetaObjectPtr object);

void MO_AppendToGroup(MetaObjectPtr group, MetaObjectPtr object);
void MO_AttachToGroupStart(MetaObjectPtr group, MetaObjectPtr object);

void MO_DrawObject(MetaObjectPtr object);
void MO_DrawGroup(MetaObjectPtr group);
void MO_DrawGeometry_VertexArray(const MOVertexArrayData* data);
void MO_DrawMaterial(MetaObjectPtr material);
void MO_DrawMatrix(MetaObjectPtr matrix);
void MO_DrawSprite(MetaObjectPtr sprite);

// Whether drawing this material (after the global flags, transparency and
// filter) turns blending on: pure, so the rule can be tested without GL.
bool MO_MaterialNeedsBlending(const MOMaterialData* material, uint32_t effectiveFlags, float finalAlpha);

// Box of every point under the object, in the model's own coordinates. A tree
// without points gives min 1e8, max −1e8 and isEmpty set.
void MO_CalcBoundingBox(MetaObjectPtr object, OGLBoundingBox* bbox);

void MO_DuplicateVertexArrayData(const MOVertexArrayData* source, MOVertexArrayData* dest);
void MO_FreeVertexArrayData(MOVertexArrayData* data);
void MO_ReleaseVertexArrayMaterials(MOVertexArrayData* data);

void MO_VertexArray_OffsetUVs(MetaObjectPtr object, float du, float dv);
void MO_Group_OffsetUVs(MetaObjectPtr object, float du, float dv);
// Model `type` of BG3D group `group`; geometryNum −1 offsets every member.
void MO_Geometry_OffserUVs(int16_t group, uint16_t type, int geometryNum, float du, float dv);

// Fatal unless the object is live ("<who>: cookie is invalid!").
void MO_CheckCookie(MetaObjectPtr object, const char* who);
