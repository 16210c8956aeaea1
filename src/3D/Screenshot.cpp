#include "3D/Screenshot.h"
#include "System/Window.h"

#include <SDL.h>
#include <SDL_opengl.h>
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

static uint32_t Crc32(const uint8_t* data, size_t length, uint32_t crc = 0)
{
	static uint32_t table[256];
	if (!table[1])
	{
		for (uint32_t n = 0; n < 256; n++)
		{
			uint32_t c = n;
			for (int k = 0; k < 8; k++)
				c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
			table[n] = c;
		}
	}
	crc = ~crc;
	for (size_t i = 0; i < length; i++)
		crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
	return ~crc;
}

static void PutBE32(std::vector<uint8_t>& out, uint32_t v)
{
	out.push_back(uint8_t(v >> 24));
	out.push_back(uint8_t(v >> 16));
	out.push_back(uint8_t(v >> 8));
	out.push_back(uint8_t(v));
}

static void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
	PutBE32(out, uint32_t(data.size()));
	size_t start = out.size();
	out.insert(out.end(), type, type + 4);
	out.insert(out.end(), data.begin(), data.end());
	PutBE32(out, Crc32(&out[start], out.size() - start));
}

// PNG with stored (uncompressed) deflate blocks: simple and exact.
std::vector<uint8_t> EncodePNG(const ScreenImage& image)
{
	std::vector<uint8_t> raw;
	size_t rowBytes = size_t(image.width) * 3;
	raw.reserve((rowBytes + 1) * size_t(image.height));
	for (int y = 0; y < image.height; y++)
	{
		raw.push_back(0);	// filter: none
		const uint8_t* row = &image.pixels[size_t(y) * rowBytes];
		raw.insert(raw.end(), row, row + rowBytes);
	}

	std::vector<uint8_t> zlib = {0x78, 0x01};
	uint32_t a = 1, b = 0;
	for (uint8_t byte : raw)
	{
		a = (a + byte) % 65521;
		b = (b + a) % 65521;
	}
	for (size_t pos = 0; pos < raw.size() || pos == 0; )
	{
		size_t n = std::min<size_t>(65535, raw.size() - pos);
		bool last = pos + n >= raw.size();
		zlib.push_back(last ? 1 : 0);
		zlib.push_back(uint8_t(n));
		zlib.push_back(uint8_t(n >> 8));
		zlib.push_back(uint8_t(~n));
		zlib.push_back(uint8_t(~n >> 8));
		zlib.insert(zlib.end(), raw.begin() + long(pos), raw.begin() + long(pos + n));
		pos += n;
		if (last)
			break;
	}
	PutBE32(zlib, (b << 16) | a);

	std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
	std::vector<uint8_t> header;
	PutBE32(header, uint32_t(image.width));
	PutBE32(header, uint32_t(image.height));
	header.insert(header.end(), {8, 2, 0, 0, 0});	// 8-bit RGB
	PutChunk(out, "IHDR", header);
	PutChunk(out, "IDAT", zlib);
	PutChunk(out, "IEND", {});
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
	FILE* f = fopen(path.c_str(), "wb");
	if (!f)
		return false;
	bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
	ok = (fclose(f) == 0) && ok;
	return ok;
}
