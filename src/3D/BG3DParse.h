// Parsing BG3D model files: a 20-byte header ("BG3D" and 16 bytes nobody
// reads) and a stream of big-endian tagged records describing materials and a
// tree of groups and vertex-array geometry. The parser turns the bytes into
// plain records and checks every count, index and size against the file and
// the loader's limits, so the model builder never meets a bad value. It has no
// other dependency, so it can be tested and fuzzed on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum : uint32_t
{
	BG3D_TAG_MATERIALFLAGS = 0,
	BG3D_TAG_MATERIALDIFFUSECOLOR = 1,
	BG3D_TAG_TEXTUREMAP = 2,
	BG3D_TAG_GROUP = 3,
	BG3D_TAG_ENDGROUP = 4,
	BG3D_TAG_GEOMETRY = 5,
	BG3D_TAG_VERTEXARRAY = 6,
	BG3D_TAG_NORMALARRAY = 7,
	BG3D_TAG_UVARRAY = 8,
	BG3D_TAG_COLORARRAY = 9,
	BG3D_TAG_TRIANGLEARRAY = 10,
	BG3D_TAG_ENDFILE = 11,
};

constexpr size_t BG3D_HEADER_SIZE = 20;
constexpr size_t BG3D_TEXTURE_HEADER_SIZE = 36;
constexpr size_t BG3D_GEOMETRY_HEADER_SIZE = 52;

constexpr int BG3D_MAX_MATERIALS = 400;			// per file
constexpr int BG3D_MAX_MODELS = 100;			// top-level members of a file
constexpr int BG3D_MAX_GROUP_MEMBERS = 70;		// what a group holds
constexpr int BG3D_GROUP_STACK_SIZE = 49;		// nesting depth
constexpr int BG3D_MAX_IMAGES = 6;				// per material
constexpr int BG3D_MAX_GEOMETRY_LAYERS = 2;		// materials per geometry
constexpr int BG3D_MAX_TEXTURE_SIZE = 8192;		// width or height

// OpenGL enum values that texture headers hold.
constexpr int32_t BG3D_GL_RGB = 0x1907;
constexpr int32_t BG3D_GL_RGBA = 0x1908;
constexpr int32_t BG3D_GL_RGB5_A1 = 0x8057;
constexpr int32_t BG3D_GL_UNSIGNED_SHORT_1_5_5_5_REV = 0x8366;

struct BG3DImage
{
	uint32_t width = 0;
	uint32_t height = 0;
	int32_t srcPixelFormat = 0;
	int32_t dstPixelFormat = 0;
	std::vector<uint8_t> pixels;	// 1-5-5-5 words already in host order
};

struct BG3DMaterialRecord
{
	uint32_t flags = 0;
	float diffuseColor[4] = {1, 1, 1, 1};
	std::vector<BG3DImage> images;
};

struct BG3DGeometryRecord
{
	int numMaterials = 0;						// 0 … 2
	uint32_t layerMaterialNum[BG3D_MAX_GEOMETRY_LAYERS] = {};	// valid material indices
	uint32_t numPoints = 0;
	uint32_t numTriangles = 0;
	// Each array is empty when the file gave none; otherwise numPoints
	// (triangles: numTriangles) entries of 3, 3, 2 floats, 4 bytes, 3 indices.
	std::vector<float> points;
	std::vector<float> normals;
	std::vector<float> uvs;
	std::vector<uint8_t> colors;
	std::vector<uint32_t> triangles;			// every index below numPoints
	bool hasPoints = false, hasNormals = false, hasUVs = false, hasColors = false, hasTriangles = false;
};

struct BG3DNode
{
	bool isGroup = true;
	std::vector<BG3DNode> members;				// a group's members in file order
	BG3DGeometryRecord geometry;				// a geometry's data
};

struct BG3DFileData
{
	std::vector<BG3DMaterialRecord> materials;
	BG3DNode root;								// a group: the file's models are its members
};

// Parses a whole file. Returns false with a message (in the loader's words,
// e.g. "ReadGroup: gBG3D_GroupStackIndex overflow!") for a file that does not
// follow the format or exceeds a limit.
bool BG3D_ParseFile(const uint8_t* data, size_t size, BG3DFileData* out, std::string* error);

// Bytes one pixel takes in the uploaded form of an image, or 0 for a pixel
// layout the loader does not know.
int BG3D_BytesPerPixel(int32_t srcPixelFormat, int32_t dstPixelFormat);

// Opaque 1-5-5-5 words (alpha in bit 15) from packed RGB bytes.
void BG3D_ConvertRGBTo1555(const uint8_t* rgb, size_t pixelCount, uint16_t* out);
