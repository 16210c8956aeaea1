// 'snd ' resources, sound headers and the pre-decoded sound handle.
#include "Sound.h"
#include "Codec.h"
#include "Memory.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

namespace Tamber::Sound
{
	namespace
	{
		constexpr OSType TAMB = FOUR_CC("TAMB");
		constexpr size_t STANDARD_HEADER_SIZE = 22;
		constexpr size_t EXTENDED_HEADER_SIZE = 64;
		constexpr int64_t MAX_SOUND_BYTES = std::numeric_limits<int32_t>::max() - PRE_DECODED_HEADER_SIZE;

		// Big-endian reads over a bounded byte range. Reading past the end
		// sets `overrun` and yields 0, so callers check once at the end.
		struct Reader
		{
			const uint8_t* data;
			size_t size;
			size_t pos = 0;
			bool overrun = false;

			bool Has(size_t n) const { return pos <= size && n <= size - pos; }

			uint32_t Read(size_t n)
			{
				if (!Has(n))
				{
					overrun = true;
					pos = size;
					return 0;
				}
				uint32_t v = 0;
				for (size_t i = 0; i < n; i++)
					v = v << 8 | data[pos + i];
				pos += n;
				return v;
			}
			int16_t S16() { return int16_t(uint16_t(Read(2))); }
			int32_t S32() { return int32_t(Read(4)); }
			uint32_t U32() { return Read(4); }
			void Skip(size_t n) { if (Has(n)) pos += n; else { overrun = true; pos = size; } }
		};

		uint32_t LoadBE32(const char* p)
		{
			const auto* b = reinterpret_cast<const uint8_t*>(p);
			return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
		}

		[[noreturn]] void Fail(const std::string& message)
		{
			throw std::runtime_error(message);
		}

		int32_t CheckedLength(int64_t bytes)
		{
			if (bytes < 0)
				Fail("snd header: negative length");
			if (bytes > MAX_SOUND_BYTES)
				Fail("snd header: sound too long");
			return int32_t(bytes);
		}

		// Loop points beyond the sound are cut to it; an empty loop is none.
		void ClampLoop(SoundInfo& info, int64_t frames)
		{
			if (info.loopEnd > frames)
				info.loopEnd = int32_t(frames);
			if (info.loopStart < 0 || info.loopStart >= info.loopEnd)
				info.loopStart = info.loopEnd = 0;
		}

		// Faults that would reach the mixer as division by zero or misread data.
		void CheckPlayable(const SoundInfo& info)
		{
			if (info.channels != 1 && info.channels != 2)
				Fail("snd header: unsupported channel count " + std::to_string(info.channels));
			if (!(info.sampleRate >= 1.0 && info.sampleRate <= 1.0e6))
				Fail("snd header: invalid sample rate");
			if (!info.isCompressed && info.bitDepth != 8 && info.bitDepth != 16)
				Fail("snd header: unsupported sample size " + std::to_string(info.bitDepth));
			if (info.compressedLength < 0 || info.decompressedLength < 0 || info.frames < 0)
				Fail("snd header: negative length");
		}

		void ReadPreDecodedInfo(const char* header, SoundInfo& info, size_t available)
		{
			if (available < 4 + sizeof(SoundInfo))
				Fail("snd header: truncated pre-decoded sound");
			// Booleans come from data: only 0 and 1 may be copied into a bool.
			uint8_t raw[sizeof(SoundInfo)];
			std::memcpy(raw, header + 4, sizeof(raw));
			raw[offsetof(SoundInfo, isCompressed)] = raw[offsetof(SoundInfo, isCompressed)] != 0;
			raw[offsetof(SoundInfo, bigEndian)] = raw[offsetof(SoundInfo, bigEndian)] != 0;
			std::memcpy(&info, raw, sizeof(SoundInfo));
			info.dataStart = const_cast<char*>(header) + 4 + sizeof(SoundInfo);
			CheckPlayable(info);
			if (size_t(info.compressedLength) > available - 4 - sizeof(SoundInfo))
				Fail("snd header: sample data past the end of the sound");
			if (info.isCompressed)
			{
				auto codec = GetCodec(info.format);
				int64_t unit = int64_t(codec->BytesPerPacket()) * info.channels;
				int64_t packets = info.compressedLength / unit;
				if (info.compressedLength % unit != 0
					|| int64_t(info.decompressedLength) != packets * info.channels * codec->SamplesPerPacket() * 2)
					Fail("snd header: inconsistent compressed lengths");
			}
			else if (info.compressedLength != info.decompressedLength)
				Fail("decompressedLength != compressedLength???");
		}
	}

	double GetNoteFrequency(int note)
	{
		struct Table
		{
			double hz[128];
			Table()
			{
				for (int n = 0; n < 128; n++)
					hz[n] = 440.0 * std::pow(2.0, (n - 69) / 12.0);
			}
		};
		static const Table table;
		if (note < 0 || note > 127)
			return 440.0;
		return table.hz[note];
	}

	void GetSoundInfo(const char* header, SoundInfo& info)
	{
		GetSoundInfo(header, info, std::numeric_limits<size_t>::max());
	}

	void GetSoundInfo(const char* header, SoundInfo& info, size_t available)
	{
		std::memset(&info, 0, sizeof(info));
		if (available >= 4 && LoadBE32(header) == TAMB)
		{
			ReadPreDecodedInfo(header, info, available);
			return;
		}

		Reader r{reinterpret_cast<const uint8_t*>(header), available};
		uint32_t samplePtr = r.U32();
		int32_t lengthOrChannels = r.S32();
		uint32_t rateFixed = r.U32();
		uint32_t loopStart = r.U32();
		uint32_t loopEnd = r.U32();
		uint8_t encoding = uint8_t(r.Read(1));
		uint8_t baseNote = uint8_t(r.Read(1));
		if (r.overrun)
			Fail("snd header: truncated sound header");
		if (samplePtr != 0)
			Fail("expected 0 at the beginning of an snd");

		info.sampleRate = rateFixed / 65536.0;
		info.baseNote = baseNote;
		int64_t frames;

		if (encoding == 0x00)			// standard: unsigned 8-bit mono
		{
			frames = lengthOrChannels;
			info.channels = 1;
			info.bitDepth = 8;
			info.format = FOUR_CC("raw ");
			info.frames = lengthOrChannels;
			info.dataStart = const_cast<char*>(header) + STANDARD_HEADER_SIZE;
			info.compressedLength = info.decompressedLength = CheckedLength(frames);
			CheckPlayable(info);
			if (size_t(frames) > available - STANDARD_HEADER_SIZE)
				Fail("snd header: sample data past the end of the sound");
		}
		else if (encoding == 0xFF)		// extended
		{
			r.pos = 22;
			frames = r.S32();
			r.pos = 48;
			info.bitDepth = r.S16();
			if (r.overrun || !r.Has(EXTENDED_HEADER_SIZE - r.pos))
				Fail("snd header: truncated sound header");
			info.channels = lengthOrChannels;
			info.frames = int32_t(frames);
			info.bigEndian = true;
			info.format = info.bitDepth == 8 ? FOUR_CC("raw ") : FOUR_CC("twos");
			info.dataStart = const_cast<char*>(header) + EXTENDED_HEADER_SIZE;
			CheckPlayable(info);
			if (frames < 0)
				Fail("snd header: negative length");
			info.compressedLength = info.decompressedLength =
				CheckedLength(int64_t(info.bitDepth / 8) * info.channels * frames);
			if (size_t(info.compressedLength) > available - EXTENDED_HEADER_SIZE)
				Fail("snd header: sample data past the end of the sound");
		}
		else if (encoding == 0xFE)		// compressed
		{
			r.pos = 22;
			frames = r.S32();
			r.pos = 40;
			OSType format = r.U32();
			if (r.overrun || !r.Has(EXTENDED_HEADER_SIZE - r.pos))
				Fail("snd header: truncated sound header");
			if (format == 0)
				format = FOUR_CC("MAC3");
			auto codec = GetCodec(format);
			info.channels = lengthOrChannels;
			info.frames = int32_t(frames);
			info.isCompressed = true;
			info.bigEndian = true;
			info.format = format;
			info.bitDepth = codec->AIFFBitDepth();
			info.dataStart = const_cast<char*>(header) + EXTENDED_HEADER_SIZE;
			CheckPlayable(info);
			if (frames < 0)
				Fail("snd header: negative length");
			info.compressedLength = CheckedLength(int64_t(codec->BytesPerPacket()) * info.channels * frames);
			info.decompressedLength = CheckedLength(int64_t(codec->SamplesPerPacket()) * info.channels * frames * 2);
			if (size_t(info.compressedLength) > available - EXTENDED_HEADER_SIZE)
				Fail("snd header: sample data past the end of the sound");
			frames *= codec->SamplesPerPacket();
		}
		else
		{
			Fail("unsupported snd header encoding " + std::to_string(encoding));
		}

		info.loopStart = int32_t(std::min<uint32_t>(loopStart, uint32_t(std::numeric_limits<int32_t>::max())));
		info.loopEnd = int32_t(std::min<uint32_t>(loopEnd, uint32_t(std::numeric_limits<int32_t>::max())));
		ClampLoop(info, frames);
	}

	Handle MakePreDecodedSoundHandle(const SoundInfo& info, const void* samples)
	{
		if (info.compressedLength < 0 || info.compressedLength > MAX_SOUND_BYTES)
			Fail("snd header: sound too long");
		Handle h = NewHandle(PRE_DECODED_HEADER_SIZE + info.compressedLength);
		SoundInfo stored = info;
		stored.dataStart = *h + PRE_DECODED_HEADER_SIZE;
		std::memcpy(*h, "poTAMB", 6);
		std::memcpy(*h + 6, &stored, sizeof(stored));
		if (samples && info.compressedLength > 0)
			std::memcpy(stored.dataStart, samples, size_t(info.compressedLength));
		return h;
	}

	void DecompressSoundHandle(Handle* sndHandle, int32_t* headerOffset)
	{
		if (!sndHandle || !*sndHandle || !headerOffset)
			throw std::invalid_argument("DecompressSoundHandle: null handle");

		int32_t offset = 0;
		if (GetSoundHeaderOffset(*sndHandle, &offset) != noErr)
			Fail("cannot decompress snd resource without a sound header");
		const size_t handleSize = size_t(GetHandleSize(*sndHandle));
		SoundInfo info;
		GetSoundInfo(**sndHandle + offset, info, handleSize - size_t(offset));
		if (!info.dataStart)
			Fail("cannot decompress snd resource without dataStart");

		Handle out = NewHandle(PRE_DECODED_HEADER_SIZE + info.decompressedLength);
		std::unique_ptr<char*, void (*)(Handle)> guard(out, [](Handle h) { DisposeHandle(h); });
		char* dst = *out + PRE_DECODED_HEADER_SIZE;

		if (info.isCompressed)
		{
			auto codec = GetCodec(info.format);
			codec->Decode(info.channels,
						  {reinterpret_cast<const uint8_t*>(info.dataStart), size_t(info.compressedLength)},
						  {reinterpret_cast<int16_t*>(dst), size_t(info.decompressedLength) / 2});
			info.isCompressed = false;
			info.format = FOUR_CC("twos");
			info.bitDepth = 16;
			info.bigEndian = false;
			info.compressedLength = info.decompressedLength;
			info.frames = info.decompressedLength / (2 * info.channels);
		}
		else
		{
			if (info.compressedLength != info.decompressedLength)
				Fail("decompressedLength != compressedLength???");
			std::memcpy(dst, info.dataStart, size_t(info.decompressedLength));
			if (info.bigEndian && info.bitDepth > 8)
			{
				if (info.decompressedLength % 2 != 0)
					Fail("unexpected big-endian raw PCM decompressed length");
				for (int32_t i = 0; i < info.decompressedLength; i += 2)
					std::swap(dst[i], dst[i + 1]);
				info.format = FOUR_CC("twos");
			}
			if (info.bitDepth == 8 && info.format != FOUR_CC("raw "))
			{
				// Signed 8-bit to the unsigned form the mixer plays in place.
				for (int32_t i = 0; i < info.decompressedLength; i++)
					dst[i] = char(uint8_t(dst[i]) ^ 0x80);
				info.format = FOUR_CC("raw ");
			}
			info.bigEndian = false;
		}

		info.dataStart = dst;
		std::memcpy(*out, "poTAMB", 6);
		std::memcpy(*out + 6, &info, sizeof(info));

		guard.release();
		DisposeHandle(*sndHandle);
		*sndHandle = out;
		*headerOffset = 2;
		int32_t check = -1;
		if (GetSoundHeaderOffset(out, &check) != noErr || check != 2)
			Fail("Incorrect decompressed sound header offset");
	}
}

using namespace Tamber::Sound;

OSErr GetSoundHeaderOffset(Handle sndHandle, int32_t* offset)
{
	if (!sndHandle || !*sndHandle || !offset)
		return paramErr;
	const size_t size = size_t(GetHandleSize(sndHandle));
	Reader r{reinterpret_cast<const uint8_t*>(*sndHandle), size};

	int16_t format = r.S16();
	if (format == 1)
	{
		int16_t modifiers = r.S16();
		if (r.overrun)
			return badFormat;
		if (modifiers != 1)
			throw std::runtime_error("only 1 modifier per 'snd ' is supported");
		int16_t synth = r.S16();
		int32_t initOptions = r.S32();
		if (r.overrun)
			return badFormat;
		if (synth != sampledSynth)
			throw std::runtime_error("only sampledSynth 'snd ' is supported");
		if (initOptions & 0x400)
			throw std::runtime_error("MACE-6 not supported yet");
	}
	else if (format == 2)
	{
		r.Skip(2);		// reference count
	}
	else if (size >= 2 && std::memcmp(*sndHandle, "po", 2) == 0)
	{
		if (size < size_t(PRE_DECODED_HEADER_SIZE))
			return badFormat;
		*offset = 2;
		return noErr;
	}
	else
	{
		return badFormat;
	}

	int16_t commands = r.S16();
	for (int i = 0; i < commands && !r.overrun; i++)
	{
		uint16_t cmd = uint16_t(r.S16());
		r.Skip(2);
		uint32_t param2 = r.U32();
		if (r.overrun)
			break;
		cmd &= 0x7FFF;
		if (cmd == soundCmd || cmd == bufferCmd)
		{
			// The header must lie inside the resource.
			if (param2 >= size || size - param2 < 22)
				return badFormat;
			*offset = int32_t(param2);
			return noErr;
		}
	}
	return badFormat;
}
