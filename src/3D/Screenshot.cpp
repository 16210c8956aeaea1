#include "3D/Screenshot.h"
#include "System/Window.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <png.h>
#include <cstdio>
#include <cstring>

void CaptureScreen(ScreenImage* image)
{
	int w = 0, h = 0;
	SDL_GL_GetDrawableSize(gWindow, &w, &h);
	if (w <= 0 || h <= 0)
		return;
	std::vector<uint8_t> bottomUp(size_t(w) * size_t(h) * 3);
	glPixelStorei(GL_PACK_ALIGNMENT, 1);
	glReadBuffer(GL_BACK);
	glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());

	image->width = w;
	image->height = h;
	image->pixels.resize(bottomUp.size());
	size_t rowBytes = size_t(w) * 3;
	for (int y = 0; y < h; y++)
		std::memcpy(&image->pixels[size_t(y) * rowBytes], &bottomUp[size_t(h - 1 - y) * rowBytes], rowBytes);
}

// libpng's simplified writer: 8-bit RGB, top row first, rows packed.
// Screenshots are taken by tests and people mid-game, so speed beats size.
std::vector<uint8_t> EncodePNG(const ScreenImage& image)
{
	if (image.width <= 0 || image.height <= 0
			|| image.pixels.size() != size_t(image.width) * size_t(image.height) * 3)
		return {};

	png_image png = {};
	png.version = PNG_IMAGE_VERSION;
	png.width = png_uint_32(image.width);
	png.height = png_uint_32(image.height);
	png.format = PNG_FORMAT_RGB;
	png.flags = PNG_IMAGE_FLAG_FAST;

	png_alloc_size_t size = 0;
	if (!png_image_write_get_memory_size(png, size, 0, image.pixels.data(), 0, nullptr))
	{
		png_image_free(&png);
		return {};
	}
	std::vector<uint8_t> out(size);
	if (!png_image_write_to_memory(&png, out.data(), &size, 0, image.pixels.data(), 0, nullptr))
	{
		png_image_free(&png);
		return {};
	}
	out.resize(size);
	return out;
}

std::vector<uint8_t> EncodeTGA(const ScreenImage& image)
{
	std::vector<uint8_t> out(18, 0);
	out[2] = 2;		// uncompressed true colour
	out[12] = uint8_t(image.width);
	out[13] = uint8_t(image.width >> 8);
	out[14] = uint8_t(image.height);
	out[15] = uint8_t(image.height >> 8);
	out[16] = 24;
	out[17] = 0x20;	// top-left origin
	for (size_t i = 0; i + 2 < image.pixels.size(); i += 3)
	{
		out.push_back(image.pixels[i + 2]);
		out.push_back(image.pixels[i + 1]);
		out.push_back(image.pixels[i]);
	}
	return out;
}

bool WriteScreenImage(const ScreenImage& image, const std::string& path)
{
	bool tga = path.size() >= 4 && SDL_strcasecmp(path.c_str() + path.size() - 4, ".tga") == 0;
	std::vector<uint8_t> bytes = tga ? EncodeTGA(image) : EncodePNG(image);
	if (bytes.empty())
		return false;
	FILE* f = fopen(path.c_str(), "wb");
	if (!f)
		return false;
	bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
	ok = (fclose(f) == 0) && ok;
	return ok;
}
