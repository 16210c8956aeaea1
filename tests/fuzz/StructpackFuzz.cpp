// libFuzzer harness for the structpack format reader: the first bytes up to a
// NUL are the format, the rest is the record data. Malformed formats must be
// refused before a single byte of the buffer moves.
#include "DataReaders.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const uint8_t* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
	if (!nul)
		return 0;
	std::string format(reinterpret_cast<const char*>(data), size_t(nul - data));
	std::vector<uint8_t> buffer(nul + 1, data + size);
	std::vector<uint8_t> original = buffer;

	size_t recordSize = 0;
	try
	{
		recordSize = StructpackSize(format.c_str());
	}
	catch (const std::invalid_argument&)
	{
	}
	if (recordSize == 0 || recordSize > buffer.size())
	{
		// The format is lying about the buffer: it must be refused untouched.
		try
		{
			ByteswapStructs(format.c_str(), buffer.size(), 1, buffer.data());
		}
		catch (const std::invalid_argument&)
		{
		}
		if (buffer.size() && recordSize != buffer.size() && buffer != original)
			std::abort();
		return 0;
	}

	size_t count = buffer.size() / recordSize;
	if (ByteswapStructs(format.c_str(), recordSize, count, buffer.data()) != recordSize * count)
		std::abort();
	ByteswapStructs(format.c_str(), recordSize, count, buffer.data());	// swapping twice restores the data
	if (buffer != original)
		std::abort();
	return 0;
}
