// Big-endian output for the baker: field-by-field writing and a struct
// packer that turns host-order records into the big-endian bytes the game's
// readers expect. The packer has its own reading of the format language, so
// a mistake in the game's reader cannot hide behind the same mistake here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Bake
{
	class BigEndianWriter
	{
	public:
		void U8(uint8_t v);
		void U16(uint16_t v);
		void U24(uint32_t v);
		void U32(uint32_t v);
		void U64(uint64_t v);
		void S16(int16_t v) { U16(uint16_t(v)); }
		void S32(int32_t v) { U32(uint32_t(v)); }
		void F32(float v);
		void F64(double v);
		void Bytes(const void* data, size_t size);
		void Bytes(const std::vector<uint8_t>& data) { Bytes(data.data(), data.size()); }
		void Zeros(size_t count);

		// A length byte and the characters; with alignment 2 a fill byte keeps the total even.
		// Throws std::length_error for more than 255 bytes.
		void PascalString(const std::string& text, int alignment = 1);
		// A length byte and a field of exactly fieldSize bytes (zero-filled).
		void FixedPascalString(const std::string& text, size_t fieldSize);

		// Overwrites an already written field (sizes, offsets known only later).
		void PatchU16(size_t offset, uint16_t v);
		void PatchU32(size_t offset, uint32_t v);

		size_t Size() const { return mBytes.size(); }
		const std::vector<uint8_t>& Data() const { return mBytes; }
		std::vector<uint8_t> Take() { return std::move(mBytes); }

	private:
		std::vector<uint8_t> mBytes;
	};

	// Converts `count` consecutive host-order records of `structSize` bytes,
	// described by a structpack format ("<" or ">" followed by fields such as
	// "I", "2h", "4B"), into file bytes. Throws std::invalid_argument when the
	// format is malformed or does not describe structSize bytes.
	std::vector<uint8_t> PackStructs(const char* format, const void* records, size_t structSize, size_t count);
}
