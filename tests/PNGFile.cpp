#include "PNGFile.h"

#include <png.h>

#include <fstream>
#include <iterator>

bool DecodePNG(const std::vector<uint8_t>& bytes, ScreenImage* image)
{
	png_image png = {};
	png.version = PNG_IMAGE_VERSION;
	if (bytes.empty() || !png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
		return false;
	png.format = PNG_FORMAT_RGB;
	std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(png));
	if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr))
	{
		png_image_free(&png);
		return false;
	}
	image->width = int(png.width);
	image->height = int(png.height);
	image->pixels = std::move(pixels);
	return true;
}

bool ReadPNGFile(const std::filesystem::path& path, ScreenImage* image)
{
	std::ifstream in(path, std::ios::binary);
	std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
	return DecodePNG(bytes, image);
}
