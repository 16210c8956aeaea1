// Decoder of the ring-buffer LZSS the supertile textures are stored in: a
// 4096-byte window pre-filled with spaces, one flag byte per eight items (bit
// set: a literal byte; clear: a 12-bit position and a 4-bit length − 3).
#pragma once

#include "PlatformTypes.h"

#include <cstddef>
#include <cstdint>

constexpr int LZSS_RING_SIZE = 4096;
constexpr int LZSS_MAX_MATCH = 18;
constexpr int LZSS_MIN_MATCH = 3;
constexpr int LZSS_START_POSITION = LZSS_RING_SIZE - LZSS_MAX_MATCH;		// 4078

// Decodes `srcLength` bytes into `dst`, writing at most `dstCapacity` bytes.
// Returns the number of bytes the stream produces; a stream that would
// produce more than dstCapacity returns dstCapacity + 1 (and stops there).
size_t LZSS_DecodeBuffer(const uint8_t* src, size_t srcLength, uint8_t* dst, size_t dstCapacity);

// Reads `compressedLength` bytes from the open file at its current position
// and decodes them into `destination`, which has room for one supertile
// texture (32768 bytes). Returns the number of bytes produced (see above).
int32_t LZSS_Decode(int16_t fileRefNum, Ptr destination, int32_t compressedLength);
