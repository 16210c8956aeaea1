#include "formats/AiffWriter.h"
#include "AiffFormat.h"
#include "Codec.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

namespace Bake
{
	namespace
	{
		struct ByteWriter
		{
			std::vector<uint8_t> bytes;

			void U8(uint32_t v) { bytes.push_back(uint8_t(v)); }
			void U16(uint32_t v) { U8(v >> 8); U8(v); }
			void U32(uint32_t v) { U16(v >> 16); U16(v); }
			void Tag(OSType tag) { U32(tag); }
			void Append(const std::vector<uint8_t>& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }
			// A counted string padded to even length.
			void PString(const std::string& text)
			{
				U8(uint32_t(text.size()));
				bytes.insert(bytes.end(), text.begin(), text.end());
				if ((text.size() + 1) & 1)
					U8(0);
			}
		};

		void AppendChunk(ByteWriter& out, OSType tag, const std::vector<uint8_t>& body)
		{
			out.Tag(tag);
			out.U32(uint32_t(body.size()));
			out.Append(body);
			if (body.size() & 1)
				out.U8(0);		// pad byte, not counted in the chunk size
		}

		struct EncodingInfo
		{
			bool aifc;
			OSType type;
			const char* name;
			int sampleSize;
			int framesPerPacket;
		};

		// Frames in one packet of a compressed type: the decoder's own count.
		int PacketFrames(OSType type)
		{
			return Tamber::Sound::GetCodec(type)->SamplesPerPacket();
		}

		EncodingInfo Describe(AiffEncoding encoding)
		{
			switch (encoding)
			{
				case AiffEncoding::Pcm16:		return {false, AIFF_COMPRESSION_NONE, "", 16, 1};
				case AiffEncoding::Pcm8:		return {false, AIFF_COMPRESSION_NONE, "", 8, 1};
				case AiffEncoding::Pcm16Twos:	return {true, AIFF_COMPRESSION_TWOS, "", 16, 1};
				case AiffEncoding::Pcm16Sowt:	return {true, AIFF_COMPRESSION_SOWT, "", 16, 1};
				case AiffEncoding::Ima4:		return {true, AIFF_COMPRESSION_IMA4, "IMA 4:1", 16, PacketFrames(AIFF_COMPRESSION_IMA4)};
				case AiffEncoding::ULaw:		return {true, AIFF_COMPRESSION_ULAW, "uLaw 2:1", 16, PacketFrames(AIFF_COMPRESSION_ULAW)};
				case AiffEncoding::ALaw:		return {true, AIFF_COMPRESSION_ALAW, "aLaw 2:1", 16, PacketFrames(AIFF_COMPRESSION_ALAW)};
				case AiffEncoding::Mace3:		return {true, AIFF_COMPRESSION_MACE3, "MACE 3-to-1", 8, PacketFrames(AIFF_COMPRESSION_MACE3)};
			}
			throw std::invalid_argument("unknown AIFF encoding");
		}

		std::vector<uint8_t> SampleData(const AiffSound& sound, AiffEncoding encoding)
		{
			std::vector<uint8_t> out;
			switch (encoding)
			{
				case AiffEncoding::Pcm16:
				case AiffEncoding::Pcm16Twos:
					for (int16_t s : sound.samples)
					{
						out.push_back(uint8_t(uint16_t(s) >> 8));
						out.push_back(uint8_t(s));
					}
					return out;
				case AiffEncoding::Pcm16Sowt:
					for (int16_t s : sound.samples)
					{
						out.push_back(uint8_t(s));
						out.push_back(uint8_t(uint16_t(s) >> 8));
					}
					return out;
				case AiffEncoding::Pcm8:
					for (int16_t s : sound.samples)
						out.push_back(uint8_t(int8_t(s >> 8)));
					return out;
				case AiffEncoding::Ima4:	return EncodeIma4(sound.samples, sound.channels);
				case AiffEncoding::ULaw:	return EncodeULaw(sound.samples);
				case AiffEncoding::ALaw:	return EncodeALaw(sound.samples);
				case AiffEncoding::Mace3:	return EncodeMace3(sound.samples, sound.channels);
			}
			throw std::invalid_argument("unknown AIFF encoding");
		}
	}

	void WriteExtended80(double value, uint8_t out[10])
	{
		std::memset(out, 0, 10);
		if (value == 0 || !std::isfinite(value))
			return;
		const bool negative = value < 0;
		int exponent = 0;
		double fraction = std::frexp(std::fabs(value), &exponent);	// 0.5 <= fraction < 1
		uint64_t mantissa = uint64_t(std::ldexp(fraction, 64));
		int biased = exponent - 1 + 16383;
		out[0] = uint8_t((negative ? 0x80 : 0) | ((biased >> 8) & 0x7F));
		out[1] = uint8_t(biased);
		for (int i = 0; i < 8; i++)
			out[2 + i] = uint8_t(mantissa >> (56 - 8 * i));
	}

	std::vector<uint8_t> WriteAiff(const AiffSound& sound, AiffEncoding encoding)
	{
		if (sound.channels < 1 || sound.channels > 2)
			throw std::invalid_argument("WriteAiff: mono or stereo only");
		if (sound.samples.size() % size_t(sound.channels) != 0)
			throw std::invalid_argument("WriteAiff: samples are not whole frames");

		const EncodingInfo info = Describe(encoding);
		const size_t frames = sound.samples.size() / size_t(sound.channels);
		const size_t packets = (frames + size_t(info.framesPerPacket) - 1) / size_t(info.framesPerPacket);
		const std::vector<uint8_t> data = SampleData(sound, encoding);

		ByteWriter body;
		body.Tag(info.aifc ? AIFF_FORM_AIFC : AIFF_FORM_AIFF);

		if (info.aifc)
		{
			ByteWriter fver;
			fver.U32(AIFC_VERSION_1);
			AppendChunk(body, AIFF_CHUNK_FVER, fver.bytes);
		}

		ByteWriter comm;
		comm.U16(uint32_t(sound.channels));
		comm.U32(uint32_t(packets));
		comm.U16(uint32_t(info.sampleSize));
		uint8_t rate[10];
		WriteExtended80(sound.sampleRate, rate);
		comm.bytes.insert(comm.bytes.end(), rate, rate + 10);
		if (info.aifc)
		{
			comm.Tag(info.type);
			comm.PString(info.name);
		}
		AppendChunk(body, AIFF_CHUNK_COMM, comm.bytes);

		if (sound.loop)
		{
			// Markers first: a reader may look the loop's markers up at once.
			ByteWriter mark;
			mark.U16(2);
			mark.U16(1);
			mark.U32(sound.loopStart);
			mark.PString("beg loop");
			mark.U16(2);
			mark.U32(sound.loopEnd);
			mark.PString("end loop");
			AppendChunk(body, AIFF_CHUNK_MARK, mark.bytes);
		}

		if (sound.loop || sound.baseNote != 60)
		{
			ByteWriter inst;
			inst.U8(uint32_t(sound.baseNote));
			inst.U8(0);				// detune
			inst.U8(0);				// low note
			inst.U8(127);			// high note
			inst.U8(1);				// low velocity
			inst.U8(127);			// high velocity
			inst.U16(0);			// gain
			inst.U16(uint16_t(sound.loop ? AIFF_PLAYMODE_FORWARD : AIFF_PLAYMODE_NONE));
			inst.U16(sound.loop ? 1 : 0);		// begin marker
			inst.U16(sound.loop ? 2 : 0);		// end marker
			inst.U16(0);			// release loop: none
			inst.U16(0);
			inst.U16(0);
			AppendChunk(body, AIFF_CHUNK_INST, inst.bytes);
		}

		ByteWriter ssnd;
		ssnd.U32(0);		// offset
		ssnd.U32(0);		// block size
		ssnd.Append(data);
		AppendChunk(body, AIFF_CHUNK_SSND, ssnd.bytes);

		ByteWriter file;
		file.Tag(AIFF_CHUNK_FORM);
		file.U32(uint32_t(body.bytes.size()));
		file.Append(body.bytes);
		return file.bytes;
	}
}
