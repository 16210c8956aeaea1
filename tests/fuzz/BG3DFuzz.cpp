// libFuzzer harness for the BG3D model parser. Whatever the bytes, the parser
// must refuse them or hand over records whose every count, index and size is
// safe to use: the harness uses them the way the model builder and the
// texture upload do, so the sanitizers catch any value that slipped through.
#include "3D/BG3DParse.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
	volatile float gSink;

	void UseGeometry(const BG3DGeometryRecord& g, size_t numMaterials)
	{
		if (g.numMaterials < 0 || g.numMaterials > BG3D_MAX_GEOMETRY_LAYERS)
			abort();
		for (int i = 0; i < g.numMaterials; i++)
			if (g.layerMaterialNum[i] >= numMaterials)
				abort();
		if (g.hasPoints && g.points.size() != size_t(g.numPoints) * 3)
			abort();
		if (g.hasNormals && g.normals.size() != size_t(g.numPoints) * 3)
			abort();
		if (g.hasUVs && g.uvs.size() != size_t(g.numPoints) * 2)
			abort();
		if (g.hasColors && g.colors.size() != size_t(g.numPoints) * 4)
			abort();
		if (g.numTriangles > 0 && (!g.hasPoints || !g.hasTriangles))
			abort();
		// What drawing does: every index reads a point.
		for (uint32_t index : g.triangles)
			gSink = g.points[size_t(index) * 3 + 2];
	}

	void UseNode(const BG3DNode& node, size_t numMaterials, int depth)
	{
		if (depth > BG3D_GROUP_STACK_SIZE + 1 || node.members.size() > size_t(BG3D_MAX_GROUP_MEMBERS))
			abort();
		if (!node.isGroup)
		{
			UseGeometry(node.geometry, numMaterials);
			return;
		}
		for (const BG3DNode& m : node.members)
			UseNode(m, numMaterials, depth + 1);
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BG3DFileData file;
	std::string error;
	if (!BG3D_ParseFile(data, size, &file, &error))
	{
		if (error.empty())
			abort();
		return 0;
	}

	if (file.materials.size() > size_t(BG3D_MAX_MATERIALS) || file.root.members.size() > size_t(BG3D_MAX_MODELS))
		abort();
	for (const BG3DMaterialRecord& m : file.materials)
	{
		if (m.images.size() > size_t(BG3D_MAX_IMAGES))
			abort();
		for (const BG3DImage& image : m.images)
		{
			// What the upload reads: width × height pixels of the declared layout.
			size_t pixels = size_t(image.width) * image.height;
			size_t needed = pixels * size_t(BG3D_BytesPerPixel(image.srcPixelFormat, image.dstPixelFormat));
			if (needed == 0 || image.pixels.size() < needed)
				abort();
			if (image.srcPixelFormat == BG3D_GL_RGB && image.dstPixelFormat == BG3D_GL_RGB5_A1)
			{
				std::vector<uint16_t> words(pixels);
				BG3D_ConvertRGBTo1555(image.pixels.data(), pixels, words.data());
			}
			gSink = image.pixels[needed - 1];
		}
	}
	UseNode(file.root, file.materials.size(), 0);
	return 0;
}
