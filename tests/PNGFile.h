// Reads back the screenshots the game writes, through libpng, as RGB rows.
#pragma once

#include "3D/Screenshot.h"

#include <cstdint>
#include <filesystem>
#include <vector>

// False when the bytes are not a PNG libpng can read.
bool DecodePNG(const std::vector<uint8_t>& bytes, ScreenImage* image);
// False when the file is missing or is not a PNG.
bool ReadPNGFile(const std::filesystem::path& path, ScreenImage* image);

// The RGB triple of one pixel (x from the left, y from the top).
inline const uint8_t* PixelAt(const ScreenImage& image, int x, int y)
{
	return &image.pixels[(size_t(y) * size_t(image.width) + size_t(x)) * 3];
}
