#include "Terrain/LZSS.h"

#include <cstring>

size_t LZSS_DecodeBuffer(const uint8_t* src, size_t srcLength, uint8_t* dst, size_t dstCapacity)
{
	uint8_t ring[LZSS_RING_SIZE + LZSS_MAX_MATCH - 1] = {};
	memset(ring, ' ', LZSS_START_POSITION);
	int r = LZSS_START_POSITION;

	size_t in = 0, out = 0;
	auto emit = [&](uint8_t c) {
		if (out < dstCapacity)
			dst[out] = c;
		out++;
		ring[r] = c;
		r = (r + 1) & (LZSS_RING_SIZE - 1);
	};

	unsigned flags = 0;
	for (;;)
	{
		flags >>= 1;
		if (!(flags & 0x100))
		{
			if (in >= srcLength)
				break;
			flags = src[in++] | 0xFF00u;
		}

		if (flags & 1)
		{
			if (in >= srcLength)
				break;
			emit(src[in++]);
		}
		else
		{
			if (in + 2 > srcLength)
				break;
			int b1 = src[in++];
			int b2 = src[in++];
			int position = b1 | ((b2 & 0xF0) << 4);
			int length = (b2 & 0x0F) + LZSS_MIN_MATCH;
			for (int k = 0; k < length; k++)
				emit(ring[(position + k) & (LZSS_RING_SIZE - 1)]);
		}

		// Anything past the destination is a broken stream: no need to run it out.
		if (out > dstCapacity)
			return dstCapacity + 1;
	}
	return out;
}
