#include "StoredPNG.h"

#include <cstring>
#include <fstream>
#include <iterator>

bool ReadStoredPNG(const std::filesystem::path& path, ScreenImage* image)
{
	std::ifstream in(path, std::ios::binary);
	std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
	if (bytes.size() < 33 || bytes[1] != 'P')
		return false;
	auto be32 = [&](size_t at) { return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 | bytes[at + 3]; };
	image->width = int(be32(16));
	image->height = int(be32(20));

	std::vector<uint8_t> zlib;
	for (size_t at = 8; at + 8 <= bytes.size();)
	{
		uint32_t length = be32(at);
		if (at + 12 + size_t(length) > bytes.size())
			return false;
		if (!memcmp(&bytes[at + 4], "IDAT", 4))
			zlib.insert(zlib.end(), bytes.begin() + long(at + 8), bytes.begin() + long(at + 8 + length));
		at += 12 + length;
	}

	std::vector<uint8_t> raw;
	for (size_t at = 2; at + 5 <= zlib.size();)
	{
		bool last = zlib[at] & 1;
		size_t n = zlib[at + 1] | size_t(zlib[at + 2]) << 8;
		if (at + 5 + n > zlib.size())
			return false;
		raw.insert(raw.end(), zlib.begin() + long(at + 5), zlib.begin() + long(at + 5 + n));
		at += 5 + n;
		if (last)
			break;
	}

	size_t row = size_t(image->width) * 3;
	if (raw.size() != (row + 1) * size_t(image->height))
		return false;
	image->pixels.clear();
	for (int y = 0; y < image->height; y++)
		image->pixels.insert(image->pixels.end(), raw.begin() + long(size_t(y) * (row + 1) + 1),
				raw.begin() + long(size_t(y + 1) * (row + 1)));
	return true;
}
