#include "FilesAppleDouble.h"
#include "DataReaders.h"

#include <stdexcept>

namespace Tamber::Files
{
	ForkRange ReadAppleDoubleHeader(std::istream& in, uint64_t fileSize)
	{
		constexpr uint64_t HEADER_SIZE = APPLEDOUBLE_HEADER_SIZE;
		constexpr uint64_t ENTRY_SIZE = APPLEDOUBLE_ENTRY_SIZE;

		in.clear();
		in.seekg(0);
		if (fileSize < HEADER_SIZE)
			throw MalformedData("No ADF magic");

		uint8_t header[HEADER_SIZE];
		ReadBytes(in, header, sizeof(header));
		if (PeekBEU32(header) != APPLEDOUBLE_MAGIC || PeekBEU32(header + 4) != APPLEDOUBLE_VERSION)
			throw MalformedData("No ADF magic");

		uint64_t numEntries = PeekBEU16(header + 24);
		if (HEADER_SIZE + numEntries * ENTRY_SIZE > fileSize)
			throw MalformedData("AppleDouble entry table runs past the end of the file");

		for (uint64_t i = 0; i < numEntries; i++)
		{
			uint8_t entry[ENTRY_SIZE];
			ReadBytes(in, entry, sizeof(entry));
			if (PeekBEU32(entry) != APPLEDOUBLE_RESOURCE_FORK_ID)
				continue;

			ForkRange range{PeekBEU32(entry + 4), PeekBEU32(entry + 8)};
			if (range.offset > fileSize || range.length > fileSize - range.offset)
				throw MalformedData("AppleDouble resource fork lies outside the file");
			in.seekg(std::streamoff(range.offset));
			if (!in)
				throw MalformedData("AppleDouble resource fork lies outside the file");
			return range;
		}
		throw MalformedData("Didn't find entry ID=2 in ADF");
	}
}
