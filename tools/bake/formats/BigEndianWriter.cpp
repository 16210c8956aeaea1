#include "formats/BigEndianWriter.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace Bake
{
	void BigEndianWriter::U8(uint8_t v)
	{
		mBytes.push_back(v);
	}

	void BigEndianWriter::U16(uint16_t v)
	{
		mBytes.push_back(uint8_t(v >> 8));
		mBytes.push_back(uint8_t(v));
	}

	void BigEndianWriter::U24(uint32_t v)
	{
		if (v > 0xFFFFFF)
			throw std::out_of_range("value does not fit 24 bits");
		mBytes.push_back(uint8_t(v >> 16));
		mBytes.push_back(uint8_t(v >> 8));
		mBytes.push_back(uint8_t(v));
	}

	void BigEndianWriter::U32(uint32_t v)
	{
		for (int shift = 24; shift >= 0; shift -= 8)
			mBytes.push_back(uint8_t(v >> shift));
	}

	void BigEndianWriter::U64(uint64_t v)
	{
		for (int shift = 56; shift >= 0; shift -= 8)
			mBytes.push_back(uint8_t(v >> shift));
	}

	void BigEndianWriter::F32(float v)
	{
		U32(std::bit_cast<uint32_t>(v));
	}

	void BigEndianWriter::F64(double v)
	{
		U64(std::bit_cast<uint64_t>(v));
	}

	void BigEndianWriter::Bytes(const void* data, size_t size)
	{
		auto* p = static_cast<const uint8_t*>(data);
		mBytes.insert(mBytes.end(), p, p + size);
	}

	void BigEndianWriter::Zeros(size_t count)
	{
		mBytes.insert(mBytes.end(), count, 0);
	}

	void BigEndianWriter::PascalString(const std::string& text, int alignment)
	{
		if (text.size() > 255)
			throw std::length_error("Pascal string longer than 255 bytes: " + text);
		U8(uint8_t(text.size()));
		Bytes(text.data(), text.size());
		if (alignment == 2 && ((1 + text.size()) & 1))
			U8(0);
	}

	void BigEndianWriter::FixedPascalString(const std::string& text, size_t fieldSize)
	{
		if (text.size() > fieldSize || text.size() > 255)
			throw std::length_error("string does not fit its field: " + text);
		U8(uint8_t(text.size()));
		Bytes(text.data(), text.size());
		Zeros(fieldSize - text.size());
	}

	void BigEndianWriter::PatchU16(size_t offset, uint16_t v)
	{
		if (offset + 2 > mBytes.size())
			throw std::out_of_range("patch past the end of the written data");
		mBytes[offset] = uint8_t(v >> 8);
		mBytes[offset + 1] = uint8_t(v);
	}

	void BigEndianWriter::PatchU32(size_t offset, uint32_t v)
	{
		if (offset + 4 > mBytes.size())
			throw std::out_of_range("patch past the end of the written data");
		for (int i = 0; i < 4; i++)
			mBytes[offset + size_t(i)] = uint8_t(v >> (24 - 8 * i));
	}

	// -----------------------------------------------------------------------

	namespace
	{
		struct Field
		{
			size_t size;
			size_t count;
		};

		size_t SizeOfFieldChar(char c)
		{
			static const char* const ONE = "?Bbcx";
			static const char* const TWO = "Hh";
			static const char* const FOUR = "ILfil";
			static const char* const EIGHT = "Qdq";
			if (std::strchr(ONE, c))
				return 1;
			if (std::strchr(TWO, c))
				return 2;
			if (std::strchr(FOUR, c))
				return 4;
			if (std::strchr(EIGHT, c))
				return 8;
			throw std::invalid_argument(std::string("PackStructs: unknown field '") + c + "'");
		}

		std::vector<Field> ParseFormat(const char* format, bool& bigEndian)
		{
			if (!format || (format[0] != '<' && format[0] != '>'))
				throw std::invalid_argument("PackStructs: format must start with '<' or '>'");
			bigEndian = format[0] == '>';

			std::vector<Field> fields;
			size_t offset = 0;
			size_t repeat = 0;
			bool haveRepeat = false;
			for (const char* c = format + 1; *c; c++)
			{
				if (std::strchr(" \t\r\n", *c))
					continue;
				if (*c >= '0' && *c <= '9')
				{
					repeat = repeat * 10 + size_t(*c - '0');
					if (repeat > 0xFFFFFF)
						throw std::invalid_argument("PackStructs: repeat count too large");
					haveRepeat = true;
					continue;
				}
				size_t size = SizeOfFieldChar(*c);
				if (offset % size)
					throw std::invalid_argument("PackStructs: misaligned field in format");
				Field field{size, haveRepeat ? repeat : 1};
				fields.push_back(field);
				offset += field.size * field.count;
				repeat = 0;
				haveRepeat = false;
			}
			return fields;
		}
	}

	std::vector<uint8_t> PackStructs(const char* format, const void* records, size_t structSize, size_t count)
	{
		bool bigEndian;
		std::vector<Field> fields = ParseFormat(format, bigEndian);
		size_t described = 0;
		for (const Field& f : fields)
			described += f.size * f.count;
		if (described != structSize)
			throw std::invalid_argument("PackStructs: format describes " + std::to_string(described)
				+ " bytes, record is " + std::to_string(structSize));

		auto* in = static_cast<const uint8_t*>(records);
		std::vector<uint8_t> out(in, in + structSize * count);
		if (!bigEndian)
			return out;

		size_t at = 0;
		for (size_t r = 0; r < count; r++)
			for (const Field& f : fields)
				for (size_t i = 0; i < f.count; i++, at += f.size)
					for (size_t b = 0; b < f.size; b++)
						out[at + b] = in[at + f.size - 1 - b];
		return out;
	}
}
