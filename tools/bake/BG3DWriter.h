// Writes model files in the BG3D format the game loads: a 20-byte header,
// then tagged big-endian records (materials first, then each top-level model
// as a tree of groups and vertex arrays), then the end tag.
#pragma once

#include "Bake.h"
#include "kit/Model.h"

#include <cstdint>
#include <vector>

namespace Bake
{
	enum BG3DTag : uint32_t
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

	// OpenGL enum values stored in texture headers.
	constexpr int32_t BG3D_GL_RGB = 0x1907;
	constexpr int32_t BG3D_GL_RGBA = 0x1908;
	constexpr int32_t BG3D_GL_RGB5_A1 = 0x8057;
	constexpr int32_t BG3D_GL_UNSIGNED_SHORT_1_5_5_5_REV = 0x8366;

	constexpr size_t BG3D_HEADER_SIZE = 20;
	constexpr size_t BG3D_TEXTURE_HEADER_SIZE = 36;
	constexpr size_t BG3D_GEOMETRY_HEADER_SIZE = 52;

	struct BG3DTexture
	{
		int32_t srcPixelFormat = 0;
		int32_t dstPixelFormat = 0;
		std::vector<uint8_t> pixels;		// as stored in the file
	};

	// The stored form of an image: 16-bit 1-5-5-5 words big-endian (alpha is
	// bit 15, set where alpha >= 128), RGB bytes, or RGBA bytes; top row first.
	BG3DTexture EncodeBG3DTexture(const Kit::Image& image, Kit::TextureFormat format);

	// The whole file. Validates the model file first (std::logic_error).
	std::vector<uint8_t> WriteBG3D(const Kit::ModelFile& file);

	// Writes dataDir/relativePath and, when previews are on, its contact sheet.
	void WriteBG3DFile(const Context& context, const std::string& relativePath, const Kit::ModelFile& file);
}
