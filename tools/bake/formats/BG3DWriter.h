// Writes model files in the BG3D format the game loads (BG3DFormat.h, shared
// with the game's parser): a 20-byte header, then tagged big-endian records
// (materials first, then each top-level model as a tree of groups and vertex
// arrays), then the end tag.
#pragma once

#include "Bake.h"
#include "3D/BG3DFormat.h"
#include "kit/Model.h"

#include <cstdint>
#include <vector>

namespace Bake
{
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
