#include "DataReaders.h"

#include <algorithm>
#include <cstring>
#include <limits>

// ---------------------------------------------------------------------------
// In-place swaps

uint16_t Byteswap16(void* address)
{
	uint16_t v;
	std::memcpy(&v, address, 2);
	v = uint16_t((v >> 8) | (v << 8));
	std::memcpy(address, &v, 2);
	return v;
}

uint32_t Byteswap32(void* address)
{
	uint32_t v;
	std::memcpy(&v, address, 4);
	v = __builtin_bswap32(v);
	std::memcpy(address, &v, 4);
	return v;
}

uint64_t Byteswap64(void* address)
{
	uint64_t v;
	std::memcpy(&v, address, 8);
	v = __builtin_bswap64(v);
	std::memcpy(address, &v, 8);
	return v;
}

float ByteswapFloat(void* address)
{
	uint32_t bits = Byteswap32(address);
	return std::bit_cast<float>(bits);
}

size_t ByteswapInts(size_t itemSize, size_t count, void* buffer)
{
	auto* p = static_cast<uint8_t*>(buffer);
	for (size_t i = 0; i < count; i++, p += itemSize)
		std::reverse(p, p + itemSize);
	return itemSize * count;
}

// ---------------------------------------------------------------------------
// Structpack

namespace
{
	size_t FieldSize(char c)
	{
		switch (c)
		{
			case '?': case 'B': case 'b': case 'c': case 'x':
				return 1;
			case 'H': case 'h':
				return 2;
			case 'I': case 'L': case 'f': case 'i': case 'l':
				return 4;
			case 'Q': case 'd': case 'q':
				return 8;
			default:
				throw std::invalid_argument("unknown format char in structpack format");
		}
	}

	bool IsFormatSpace(char c)
	{
		return c == ' ' || c == '\t' || c == '\r' || c == '\n';
	}

	struct FieldGroup
	{
		size_t size;
		size_t count;
	};

	// Walks the format once, checking everything; calls `visit` per field group.
	template <typename Visit>
	size_t WalkFormat(const char* format, bool& bigEndian, Visit visit)
	{
		if (!format || !*format)
			throw std::invalid_argument("can't unpack without a format");
		if (format[0] != '<' && format[0] != '>')
			throw std::invalid_argument("first format char must be endianness indicator");
		bigEndian = format[0] == '>';

		constexpr size_t MAX_REPEAT = size_t(1) << 31;
		size_t total = 0;
		size_t repeat = 0;
		bool haveRepeat = false;
		for (const char* c = format + 1; *c; c++)
		{
			if (IsFormatSpace(*c))
				continue;
			if (*c >= '0' && *c <= '9')
			{
				repeat = repeat * 10 + size_t(*c - '0');
				if (repeat > MAX_REPEAT)
					throw std::invalid_argument("repeat count too large in structpack format");
				haveRepeat = true;
				continue;
			}
			size_t size = FieldSize(*c);
			size_t count = haveRepeat ? repeat : 1;
			if (total % size != 0)
				throw std::invalid_argument("illegal word alignment in structpack format");
			visit(FieldGroup{size, count});
			total += size * count;
			repeat = 0;
			haveRepeat = false;
		}
		return total;
	}
}

size_t StructpackSize(const char* format)
{
	bool bigEndian;
	return WalkFormat(format, bigEndian, [](FieldGroup) {});
}

size_t ByteswapStructs(const char* format, size_t structSize, size_t count, void* buffer)
{
	// Check the whole format against the record size before touching the
	// buffer, so that a format longer than the record cannot write past it.
	size_t recordSize = StructpackSize(format);
	if (recordSize != structSize)
		throw std::invalid_argument("unexpected length after byteswap");

	bool bigEndian = format[0] == '>';
	if (!bigEndian)
		return structSize * count;

	auto* p = static_cast<uint8_t*>(buffer);
	for (size_t record = 0; record < count; record++)
	{
		WalkFormat(format, bigEndian, [&p](FieldGroup group) {
			if (group.size >= 2)
				ByteswapInts(group.size, group.count, p);
			p += group.size * group.count;
		});
	}
	return structSize * count;
}

// ---------------------------------------------------------------------------
// Four-character codes

std::string FourCCString(FourCharCode code, char replacement)
{
	static const char ALLOWED_PUNCTUATION[] = "!#$%&'()+,-.;=@[]^_`{}";
	std::string text(4, ' ');
	for (int i = 0; i < 4; i++)
	{
		char c = char((code >> (24 - 8 * i)) & 0xFF);
		bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
			|| (c != '\0' && std::strchr(ALLOWED_PUNCTUATION, c) != nullptr);
		text[size_t(i)] = ok ? c : replacement;
	}
	return text;
}

// ---------------------------------------------------------------------------
// Stream readers

void ReadBytes(std::istream& stream, void* buffer, size_t n)
{
	if (n > size_t(std::numeric_limits<std::streamsize>::max()))
		throw std::out_of_range("Read past end of stream!");
	stream.read(static_cast<char*>(buffer), std::streamsize(n));
	if (!stream || size_t(stream.gcount()) != n)
		throw std::out_of_range("Read past end of stream!");
}

uint8_t ReadBEU8(std::istream& stream)
{
	uint8_t b;
	ReadBytes(stream, &b, 1);
	return b;
}

uint16_t ReadBEU16(std::istream& stream)
{
	uint8_t b[2];
	ReadBytes(stream, b, 2);
	return PeekBEU16(b);
}

uint32_t ReadBEU32(std::istream& stream)
{
	uint8_t b[4];
	ReadBytes(stream, b, 4);
	return PeekBEU32(b);
}

std::string ReadPascalString(std::istream& stream, int alignment)
{
	size_t length = ReadBEU8(stream);
	std::string text(length, '\0');
	if (length)
		ReadBytes(stream, text.data(), length);
	if (alignment == 2 && ((1 + length) & 1))
	{
		char fill;
		ReadBytes(stream, &fill, 1);
	}
	return text;
}

std::string ReadFixedPascalString(std::istream& stream, size_t fieldSize)
{
	size_t length = std::min<size_t>(ReadBEU8(stream), fieldSize);
	std::string field(fieldSize, '\0');
	if (fieldSize)
		ReadBytes(stream, field.data(), fieldSize);
	field.resize(length);
	return field;
}

// ---------------------------------------------------------------------------
// Memory streams

namespace Tamber
{
	MemoryStreamBuf::MemoryStreamBuf(const void* address, size_t length)
	{
		// The get area is never written through: std::streambuf just wants non-const pointers.
		char* begin = const_cast<char*>(static_cast<const char*>(address));
		if (!begin)
			begin = const_cast<char*>("");
		setg(begin, begin, begin + length);
	}

	MemoryStreamBuf::pos_type MemoryStreamBuf::seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which)
	{
		if (!(which & std::ios_base::in))
			return pos_type(off_type(-1));
		off_type base;
		if (dir == std::ios_base::beg)
			base = 0;
		else if (dir == std::ios_base::cur)
			base = gptr() - eback();
		else
			base = egptr() - eback();
		off_type size = egptr() - eback();
		if ((off < 0 && -off > base) || (off > 0 && off > size - base))
			return pos_type(off_type(-1));
		off_type target = base + off;
		setg(eback(), eback() + target, egptr());
		return pos_type(target);
	}

	MemoryStreamBuf::pos_type MemoryStreamBuf::seekpos(pos_type pos, std::ios_base::openmode which)
	{
		return seekoff(off_type(pos), std::ios_base::beg, which);
	}

	std::streamsize MemoryStreamBuf::xsgetn(char_type* s, std::streamsize n)
	{
		std::streamsize available = egptr() - gptr();
		std::streamsize take = std::min(n, available);
		if (take > 0)
		{
			std::memcpy(s, gptr(), size_t(take));
			setg(eback(), gptr() + take, egptr());
		}
		return take;
	}

	MemoryStreamBuf::int_type MemoryStreamBuf::underflow()
	{
		return gptr() < egptr() ? traits_type::to_int_type(*gptr()) : traits_type::eof();
	}
}

memstream::memstream(const void* address, size_t length)
	: std::istream(nullptr), mBuffer(address, length)
{
	rdbuf(&mBuffer);
}
