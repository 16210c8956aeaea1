#include "ResourcesInternal.h"
#include "DataReaders.h"
#include "ResourceForkFormat.h"

#include <climits>
#include <stdexcept>
#include <vector>

namespace Tamber::Resources
{
	namespace
	{
		constexpr uint64_t HEADER_SIZE = FORK_HEADER_SIZE;
		constexpr uint64_t DATA_AREA_START = FORK_DATA_AREA_START;
		constexpr uint64_t TYPE_ENTRY_SIZE = MAP_TYPE_ENTRY_SIZE;
		constexpr uint64_t REFERENCE_SIZE = MAP_REFERENCE_SIZE;

		// [offset, offset + length) must lie inside a range of `limit` bytes.
		void Require(uint64_t offset, uint64_t length, uint64_t limit, const char* what)
		{
			if (offset > limit || length > limit - offset)
				throw MalformedData(std::string("resource fork: ") + what + " lies outside the fork");
		}

		void ReadAt(std::istream& in, uint64_t position, void* buffer, size_t n)
		{
			in.clear();
			in.seekg(std::streamoff(position));
			ReadBytes(in, buffer, n);
		}
	}

	ResourceIndex ParseResourceFork(std::istream& in, uint64_t forkBase, uint64_t forkLength, int16_t refNum)
	{
		Require(0, HEADER_SIZE, forkLength, "header");
		uint8_t header[HEADER_SIZE];
		ReadAt(in, forkBase, header, sizeof(header));
		uint64_t dataOffset = PeekBEU32(header);
		uint64_t mapOffset = PeekBEU32(header + 4);
		if (dataOffset != DATA_AREA_START)
			throw std::runtime_error("FSpOpenResFile: Unexpected data offset");
		Require(0, DATA_AREA_START, forkLength, "reserved area");
		Require(mapOffset, MAP_FIXED_SIZE, forkLength, "resource map");

		// The whole map, from its start to the end of the fork: type list,
		// reference lists and names are all addressed from the map's start.
		std::vector<uint8_t> map(size_t(forkLength - mapOffset));
		ReadAt(in, forkBase + mapOffset, map.data(), map.size());
		const uint64_t mapSize = map.size();

		uint64_t typeListOffset = PeekBEU16(&map[24]);
		uint64_t nameListOffset = PeekBEU16(&map[26]);
		uint64_t numTypes = uint16_t(PeekBEU16(&map[MAP_TYPE_LIST_OFFSET]) + 1);	// stored minus one; 0xFFFF is an empty map
		Require(MAP_TYPE_LIST_OFFSET, 2 + numTypes * TYPE_ENTRY_SIZE, mapSize, "type list");

		ResourceIndex index;
		for (uint64_t t = 0; t < numTypes; t++)
		{
			const uint8_t* typeEntry = &map[size_t(MAP_FIXED_SIZE + t * TYPE_ENTRY_SIZE)];
			OSType type = PeekBEU32(typeEntry);
			uint64_t numReferences = uint64_t(PeekBEU16(typeEntry + 4)) + 1;
			uint64_t referenceList = typeListOffset + PeekBEU16(typeEntry + 6);
			Require(referenceList, numReferences * REFERENCE_SIZE, mapSize, "reference list");

			for (uint64_t r = 0; r < numReferences; r++)
			{
				const uint8_t* ref = &map[size_t(referenceList + r * REFERENCE_SIZE)];
				ResourceMetadata meta{};
				meta.refNum = refNum;
				meta.type = type;
				meta.id = int16_t(PeekBEU16(ref));
				uint16_t nameOffset = PeekBEU16(ref + 2);
				uint32_t attributesAndOffset = PeekBEU32(ref + 4);
				meta.flags = uint8_t(attributesAndOffset >> 24);
				uint64_t dataStart = DATA_AREA_START + (attributesAndOffset & 0x00FFFFFF);

				if (meta.flags & ATTRIBUTE_COMPRESSED)
					throw std::runtime_error("FSpOpenResFile: Compressed resources not supported yet");

				if (nameOffset != NO_NAME)
				{
					uint64_t namePosition = nameListOffset + nameOffset;
					Require(namePosition, 1, mapSize, "resource name");
					uint64_t nameLength = map[size_t(namePosition)];
					Require(namePosition + 1, nameLength, mapSize, "resource name");
					meta.name.assign(reinterpret_cast<const char*>(&map[size_t(namePosition + 1)]), size_t(nameLength));
				}

				Require(dataStart, 4, forkLength, "resource data");
				uint8_t lengthPrefix[4];
				ReadAt(in, forkBase + dataStart, lengthPrefix, 4);
				meta.size = PeekBEU32(lengthPrefix);
				Require(dataStart + 4, meta.size, forkLength, "resource data");
				if (meta.size > uint32_t(INT32_MAX))
					throw MalformedData("resource fork: resource too large");
				meta.dataPosition = forkBase + dataStart + 4;

				index[type][meta.id] = std::move(meta);
			}
		}
		return index;
	}
}
