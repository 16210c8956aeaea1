// The resource fork format and the AppleDouble sidecar that carries it on
// host file systems. A fork: a 16-byte header (data offset, map offset, data
// length, map length), reserved bytes up to the data area, the data (each
// resource behind its 4-byte length), then the map: a copy of the header,
// next-map, file reference, attributes, type list and name list offsets, the
// type list (count − 1, then per type its code, count − 1 and reference list
// offset), the reference lists (ID, name offset, attributes and 3-byte data
// offset, reserved) and the names. The platform's reader and the baker's
// writer both take their numbers from here. Header only.
#pragma once

#include <cstdint>

namespace Tamber::Resources
{
	constexpr uint32_t FORK_HEADER_SIZE = 16;
	constexpr uint32_t FORK_DATA_AREA_START = 256;		// header plus 240 reserved bytes
	constexpr uint32_t MAP_FIXED_SIZE = 30;				// header copy, next map, file ref, attributes, two offsets, type count
	constexpr uint16_t MAP_TYPE_LIST_OFFSET = 28;		// the type list (its count first) follows the fixed part
	constexpr uint32_t MAP_TYPE_ENTRY_SIZE = 8;
	constexpr uint32_t MAP_REFERENCE_SIZE = 12;
	constexpr uint32_t MAX_DATA_OFFSET = 0xFFFFFF;		// data offsets are 3 bytes
	constexpr uint16_t NO_NAME = 0xFFFF;				// name offset of an unnamed resource
	constexpr uint8_t ATTRIBUTE_COMPRESSED = 0x01;
}

namespace Tamber::Files
{
	// AppleDouble version 2: magic, version, 16 filler bytes, entry count, then
	// entries of (ID, offset, length).
	constexpr uint32_t APPLEDOUBLE_MAGIC = 0x00051607;
	constexpr uint32_t APPLEDOUBLE_VERSION = 0x00020000;
	constexpr uint32_t APPLEDOUBLE_HEADER_SIZE = 26;
	constexpr uint32_t APPLEDOUBLE_ENTRY_SIZE = 12;
	constexpr uint32_t APPLEDOUBLE_RESOURCE_FORK_ID = 2;
	constexpr uint32_t APPLEDOUBLE_FINDER_INFO_ID = 9;
	constexpr uint32_t APPLEDOUBLE_FINDER_INFO_SIZE = 32;		// file type, creator, then flags
}
