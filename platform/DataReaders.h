// Big-endian data readers: every file of the game is big-endian and is
// converted field by field to host order when read.
#pragma once

#include "PlatformTypes.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <stdexcept>
#include <streambuf>
#include <string>

static_assert(std::endian::native == std::endian::little, "the readers assume a little-endian host");

// Big-endian reads from an open file. A failed or short read is reported
// through ReportDataError (below) with a message naming the function and the
// file, and does not return.
int32_t FSReadBELong(int16_t refNum);
uint32_t FSReadBEULong(int16_t refNum);
int16_t FSReadBEShort(int16_t refNum);
uint16_t FSReadBEUShort(int16_t refNum);
float FSReadBEFloat(int16_t refNum);

// In-place swaps of one big-endian value at an address; each returns the host value.
uint16_t Byteswap16(void* address);
uint32_t Byteswap32(void* address);
uint64_t Byteswap64(void* address);
float ByteswapFloat(void* address);

// Applies a structpack format to `count` records of `structSize` bytes, in
// place. '>' formats reverse every field of 2 bytes or more; '<' formats
// change nothing. The format is checked completely before any byte moves.
// Returns the bytes processed.
size_t ByteswapStructs(const char* format, size_t structSize, size_t count, void* buffer);

// Size in bytes of one record described by a structpack format (throws like ByteswapStructs).
size_t StructpackSize(const char* format);

// Reverses the bytes of each of `count` items of `itemSize` bytes; returns itemSize * count.
size_t ByteswapInts(size_t itemSize, size_t count, void* buffer);

// Printable form of a four-character code; bytes other than letters, digits
// and a few punctuation characters become `replacement`.
std::string FourCCString(FourCharCode code, char replacement = '?');

// Reads n bytes; throws std::out_of_range "Read past end of stream!" when fewer are there.
void ReadBytes(std::istream& stream, void* buffer, size_t n);

// A length byte and that many characters; with alignment 2 a fill byte keeps
// the total even.
std::string ReadPascalString(std::istream& stream, int alignment = 1);

// A length byte and a field of exactly fieldSize bytes; the length is clamped
// to the field, so a bad length byte cannot run past the field.
std::string ReadFixedPascalString(std::istream& stream, size_t fieldSize);

// Reads a big-endian integer from a stream (throws like ReadBytes).
uint8_t ReadBEU8(std::istream& stream);
uint16_t ReadBEU16(std::istream& stream);
uint32_t ReadBEU32(std::istream& stream);

// Big-endian values at an address (no change to the bytes).
inline uint16_t PeekBEU16(const void* p)
{
	auto* b = static_cast<const uint8_t*>(p);
	return uint16_t((b[0] << 8) | b[1]);
}
inline uint32_t PeekBEU32(const void* p)
{
	auto* b = static_cast<const uint8_t*>(p);
	return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | uint32_t(b[3]);
}

namespace Tamber
{
	// A data file whose counts, offsets or lengths do not fit the file.
	class MalformedData : public std::runtime_error
	{
	public:
		using std::runtime_error::runtime_error;
	};

	// Where the layer reports a data file it cannot read on (a damaged or cut
	// short file) when the caller has no error code to look at. The game
	// installs its fatal alert at boot; with no handler (or when the handler
	// returns) the report is thrown as MalformedData carrying the message.
	using DataErrorHandler = void (*)(const char* message);
	void SetDataErrorHandler(DataErrorHandler handler);
	[[noreturn]] void ReportDataError(const std::string& message);

	// Read-only, seekable buffer over a memory range.
	class MemoryStreamBuf : public std::streambuf
	{
	public:
		MemoryStreamBuf(const void* address, size_t length);

	protected:
		pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override;
		pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;
		std::streamsize xsgetn(char_type* s, std::streamsize n) override;
		int_type underflow() override;
	};
}

// A readable, seekable stream over a memory range (handles, test buffers).
class memstream : public std::istream
{
public:
	memstream(const void* address, size_t length);

private:
	Tamber::MemoryStreamBuf mBuffer;
};
