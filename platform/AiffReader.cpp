#include "Aiff.h"
#include "AiffFormat.h"
#include "Codec.h"
#include "Memory.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>
#include <string>

namespace Tamber::Sound
{
	namespace
	{
		constexpr int64_t MAX_SOUND_BYTES = std::numeric_limits<int32_t>::max() - PRE_DECODED_HEADER_SIZE;
		constexpr double MAX_SAMPLE_RATE = 1.0e6;

		[[noreturn]] void Fail(const std::string& message)
		{
			throw std::runtime_error(message);
		}

		// Big-endian reads inside one chunk. Reading past the chunk's end is the
		// same fault as stopping short of it.
		struct ChunkReader
		{
			const uint8_t* data;
			size_t size;
			size_t pos = 0;

			const uint8_t* Take(size_t n)
			{
				if (n > size - pos)
					Fail("AIFF: incorrect end-of-chunk position");
				const uint8_t* p = data + pos;
				pos += n;
				return p;
			}
			uint32_t Read(size_t n)
			{
				const uint8_t* p = Take(n);
				uint32_t v = 0;
				for (size_t i = 0; i < n; i++)
					v = v << 8 | p[i];
				return v;
			}
			uint8_t U8() { return uint8_t(Read(1)); }
			int16_t S16() { return int16_t(uint16_t(Read(2))); }
			uint32_t U32() { return Read(4); }
			// A counted string, padded so that count byte and text are even.
			void SkipPString()
			{
				size_t length = U8();
				Take(length + ((length + 1) & 1));
			}
			void ExpectEnd() const
			{
				if (pos != size)
					Fail("AIFF: incorrect end-of-chunk position");
			}
		};

		uint32_t BE32(const uint8_t* p)
		{
			return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
		}

		struct SustainLoop
		{
			bool present = false;
			int16_t beginMarker = 0;
			int16_t endMarker = 0;
		};
	}

	double ReadExtended80(const uint8_t b[10])
	{
		const bool negative = b[0] & 0x80;
		const int exponent = (b[0] & 0x7F) << 8 | b[1];
		uint64_t mantissa = 0;
		for (int i = 2; i < 10; i++)
			mantissa = mantissa << 8 | b[i];
		if (exponent == 0x7FFF)
			return std::numeric_limits<double>::quiet_NaN();
		if (mantissa == 0)
			return 0.0;
		double value = std::ldexp(double(mantissa), exponent - 16383 - 63);
		return negative ? -value : value;
	}

	AIFFSound ReadAIFF(std::span<const uint8_t> file)
	{
		if (file.size() < 12 || BE32(file.data()) != AIFF_CHUNK_FORM)
			Fail("AIFF: invalid FORM");
		const uint64_t formSize = BE32(file.data() + 4);
		const OSType formType = BE32(file.data() + 8);
		if (formType != AIFF_FORM_AIFF && formType != AIFF_FORM_AIFC)
			Fail("AIFF: not an AIFF or AIFC file");
		if (formSize < 4 || 8 + formSize > file.size())
			Fail("AIFF: FORM size exceeds the file");
		const bool isAIFC = formType == AIFF_FORM_AIFC;
		const size_t formEnd = size_t(8 + formSize);

		SoundInfo info{};
		info.format = AIFF_COMPRESSION_NONE;
		info.baseNote = 60;
		info.bigEndian = true;
		bool haveComm = false;
		bool haveSound = false;
		uint32_t frames = 0;
		int16_t sampleSize = 0;
		size_t dataOffset = 0;
		size_t dataLength = 0;
		std::map<int16_t, uint32_t> markers;
		SustainLoop sustain;

		size_t pos = 12;
		while (pos < formEnd)
		{
			if (formEnd - pos < 8)
				Fail("AIFF: truncated chunk header");
			const OSType id = BE32(file.data() + pos);
			const uint64_t size = BE32(file.data() + pos + 4);
			const size_t start = pos + 8;
			if (size > formEnd - start)
				Fail("AIFF: chunk extends past the end of the FORM");
			ChunkReader r{file.data() + start, size_t(size)};

			switch (id)
			{
				case AIFF_CHUNK_COMM:
				{
					info.channels = r.S16();
					frames = r.U32();
					sampleSize = r.S16();
					info.sampleRate = ReadExtended80(r.Take(10));
					if (isAIFC)
					{
						info.format = r.U32();
						r.SkipPString();
					}
					r.ExpectEnd();
					haveComm = true;
					break;
				}

				case AIFF_CHUNK_FVER:
					if (r.U32() != AIFC_VERSION_1)
						Fail("AIFF: unrecognized FVER");
					r.ExpectEnd();
					break;

				case AIFF_CHUNK_MARK:
				{
					int16_t count = r.S16();
					if (count < 0)
						Fail("AIFF: invalid MARK count");
					for (int i = 0; i < count; i++)
					{
						int16_t markerID = r.S16();
						markers[markerID] = r.U32();
						r.SkipPString();
					}
					r.ExpectEnd();
					break;
				}

				case AIFF_CHUNK_INST:
				{
					info.baseNote = r.U8();
					r.Take(5);		// detune, note and velocity ranges
					r.Take(2);		// gain
					int16_t playMode = r.S16();
					int16_t beginMarker = r.S16();
					int16_t endMarker = r.S16();
					r.Take(6);		// release loop
					r.ExpectEnd();
					if (playMode == AIFF_PLAYMODE_FORWARD)
						sustain = {true, beginMarker, endMarker};
					else if (playMode == AIFF_PLAYMODE_NONE)
						sustain = {};
					else
						Fail("unsupported AIFF INST playMode");
					break;
				}

				case AIFF_CHUNK_SSND:
				{
					if (!haveComm)
						Fail("AIFF: reached SSND before COMM");
					uint32_t offset = r.U32();
					uint32_t blockSize = r.U32();
					if (offset != 0 || blockSize != 0)
						Fail("AIFF: unexpected offset/blockSize in SSND");
					dataOffset = start + 8;
					dataLength = size_t(size) - 8;
					haveSound = true;
					break;
				}

				default:
					break;
			}

			pos = start + size_t(size) + (size & 1);
		}

		if (!haveComm)
			Fail("AIFF: no COMM chunk");
		if (!haveSound)
			Fail("AIFF: no SSND chunk");

		// The mixer plays mono and stereo 8- or 16-bit sound at a real rate.
		if (info.channels != 1 && info.channels != 2)
			Fail("AIFF: unsupported channel count " + std::to_string(info.channels));
		if (!(info.sampleRate >= 1.0 && info.sampleRate <= MAX_SAMPLE_RATE))
			Fail("AIFF: invalid sample rate");

		int64_t playedFrames;
		switch (info.format)
		{
			case AIFF_COMPRESSION_NONE:
			case AIFF_COMPRESSION_RAW:
			case AIFF_COMPRESSION_TWOS:
			case AIFF_COMPRESSION_SOWT:
			{
				if (sampleSize != 8 && sampleSize != 16)
					Fail("AIFF: unsupported sample size " + std::to_string(sampleSize));
				info.bigEndian = info.format != AIFF_COMPRESSION_SOWT;
				info.bitDepth = sampleSize;
				// Only whole frames that are really there.
				const int64_t frameBytes = int64_t(sampleSize / 8) * info.channels;
				playedFrames = std::min<int64_t>(frames, int64_t(dataLength) / frameBytes);
				if (playedFrames * frameBytes > MAX_SOUND_BYTES)
					Fail("AIFF: sound too long");
				info.frames = int32_t(playedFrames);
				info.compressedLength = info.decompressedLength = int32_t(playedFrames * frameBytes);
				break;
			}

			case AIFF_COMPRESSION_MACE3:
			case AIFF_COMPRESSION_ALAW:
			case AIFF_COMPRESSION_ULAW:
			case AIFF_COMPRESSION_IMA4:
			{
				auto codec = GetCodec(info.format);
				info.isCompressed = true;
				info.bitDepth = sampleSize;
				const int64_t packetBytes = int64_t(codec->BytesPerPacket()) * info.channels;
				const int64_t compressed = int64_t(frames) * packetBytes;
				const int64_t decoded = int64_t(frames) * info.channels * codec->SamplesPerPacket() * 2;
				if (decoded > MAX_SOUND_BYTES)
					Fail("AIFF: sound too long");
				if (compressed > int64_t(dataLength))
					Fail("AIFF: sample data shorter than its frame count");
				info.frames = int32_t(frames);
				info.compressedLength = int32_t(compressed);
				info.decompressedLength = int32_t(decoded);
				playedFrames = int64_t(frames) * codec->SamplesPerPacket();
				break;
			}

			default:
				Fail("unknown AIFF-C compression type");
		}

		// The loop is resolved once every chunk is read: MARK may follow INST.
		if (sustain.present)
		{
			auto begin = markers.find(sustain.beginMarker);
			auto end = markers.find(sustain.endMarker);
			if (begin == markers.end() || end == markers.end())
				Fail("AIFF: INST loop refers to a missing marker");
			int64_t loopStart = std::min<int64_t>(begin->second, playedFrames);
			int64_t loopEnd = std::min<int64_t>(end->second, playedFrames);
			if (loopStart < loopEnd)
			{
				info.loopStart = int32_t(loopStart);
				info.loopEnd = int32_t(loopEnd);
			}
		}

		info.dataStart = reinterpret_cast<char*>(const_cast<uint8_t*>(file.data() + dataOffset));
		return {info, dataOffset, size_t(info.compressedLength)};
	}

	Handle LoadAIFFAsSoundHandle(std::span<const uint8_t> file)
	{
		AIFFSound sound = ReadAIFF(file);
		return MakePreDecodedSoundHandle(sound.info, file.data() + sound.dataOffset);
	}
}
