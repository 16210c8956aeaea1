// Reads back the screenshots the game writes: PNGs from its own encoder, RGB
// with stored (uncompressed) deflate blocks.
#pragma once

#include "3D/Screenshot.h"

#include <filesystem>

// False when the file is missing or is not such a PNG.
bool ReadStoredPNG(const std::filesystem::path& path, ScreenImage* image);

// The RGB triple of one pixel (x from the left, y from the top).
inline const uint8_t* PixelAt(const ScreenImage& image, int x, int y)
{
	return &image.pixels[(size_t(y) * size_t(image.width) + size_t(x)) * 3];
}
