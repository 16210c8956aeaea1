// Encoder for the ring-buffer LZSS the game's terrain reader decodes: 4096
// byte window, matches of 3 to 18 bytes, one flag byte per eight items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace TerrainBake
{
	std::vector<uint8_t> LZSSEncode(const uint8_t* data, size_t size);
	inline std::vector<uint8_t> LZSSEncode(const std::vector<uint8_t>& data) { return LZSSEncode(data.data(), data.size()); }
}
