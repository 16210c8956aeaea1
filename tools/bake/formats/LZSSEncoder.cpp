#include "formats/LZSSEncoder.h"

#include <algorithm>

namespace TerrainBake
{
	namespace
	{
		constexpr int RING = 4096;
		constexpr int MAX_MATCH = 18;
		constexpr int MIN_MATCH = 3;
		constexpr int START = RING - MAX_MATCH;			// where the decoder writes its first byte
		// The decoder overwrites the window as it copies, so a match may reach
		// no further back than this.
		constexpr size_t MAX_DISTANCE = RING - MAX_MATCH;
		constexpr int HASH_BITS = 13;
		constexpr int MAX_CHAIN = 48;

		uint32_t Hash3(const uint8_t* p)
		{
			return ((uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]) * 2654435761u) >> (32 - HASH_BITS);
		}
	}

	std::vector<uint8_t> LZSSEncode(const uint8_t* data, size_t size)
	{
		std::vector<uint8_t> out;
		out.reserve(size + size / 8 + 16);

		// Hash chains over earlier positions: head per hash, previous per position.
		std::vector<int64_t> head(size_t(1) << HASH_BITS, -1);
		std::vector<int64_t> previous(size, -1);
		auto insert = [&](size_t at) {
			if (at + MIN_MATCH > size)
				return;
			uint32_t h = Hash3(data + at);
			previous[at] = head[h];
			head[h] = int64_t(at);
		};

		size_t flagAt = 0;
		int itemsInGroup = 8;
		size_t i = 0;
		while (i < size)
		{
			if (itemsInGroup == 8)
			{
				flagAt = out.size();
				out.push_back(0);
				itemsInGroup = 0;
			}

			size_t bestLength = 0, bestFrom = 0;
			if (i + MIN_MATCH <= size)
			{
				int64_t candidate = head[Hash3(data + i)];
				size_t limit = std::min<size_t>(MAX_MATCH, size - i);
				for (int chain = 0; candidate >= 0 && chain < MAX_CHAIN; chain++, candidate = previous[size_t(candidate)])
				{
					size_t from = size_t(candidate);
					if (i - from > MAX_DISTANCE)
						break;
					size_t n = 0;
					while (n < limit && data[from + n] == data[i + n])
						n++;
					if (n > bestLength)
					{
						bestLength = n;
						bestFrom = from;
						if (n == limit)
							break;
					}
				}
			}

			if (bestLength >= MIN_MATCH)
			{
				uint32_t position = uint32_t(START + bestFrom) & (RING - 1);
				out.push_back(uint8_t(position & 0xFF));
				out.push_back(uint8_t(((position >> 4) & 0xF0) | (bestLength - MIN_MATCH)));
				for (size_t k = 0; k < bestLength; k++)
					insert(i + k);
				i += bestLength;
			}
			else
			{
				out[flagAt] |= uint8_t(1 << itemsInGroup);
				out.push_back(data[i]);
				insert(i);
				i++;
			}
			itemsInGroup++;
		}
		return out;
	}
}
