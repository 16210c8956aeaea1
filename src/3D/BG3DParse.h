// Parsing BG3D model files (the format: BG3DFormat.h): a stream of tagged
// records describing materials and a tree of groups and vertex-array
// geometry. The parser turns the bytes into plain records and checks every count, index and size against the file and
// the loader's limits, so the model builder never meets a bad value. It has no
// other dependency, so it can be tested and fuzzed on its own.
#pragma once

#include "3D/BG3DFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
