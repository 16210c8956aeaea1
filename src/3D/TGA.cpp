// The TGA decoder. Every count and size comes from the file, so each is
// checked against the bytes that are really there before it is used.
#include "3D/TGA.h"

#include <cstring>

#define TGA_CHECK_MESSAGE(condition, message) \
	do { if (!(condition)) { Fail(error, __func__, __LINE__, message); return false; } } while (0)
#define TGA_CHECK(condition) TGA_CHECK_MESSAGE(condition, #condition)

namespace
{
	void Fail(TGAError* error, const char* function, int line, const char* expression)
	{
		if (error)
			*error = {function, line, expression};
	}

	uint16_t LE16(const uint8_t* p)
	{
		return uint16_t(p[0] | (p[1] << 8));
	}

	bool IsAcceptedType(uint8_t type)
	{
		switch (type)
		{
			case 1: case 2: case 3:
			case 9: case 10: case 11:
				return true;
			default:
				return false;
		}
	}

	// Run-length packets from `in` up to the end of the file, until pixelCount
	// pixels of bytesPerPixel bytes each are produced.
	bool DecompressRLE(const uint8_t* in, size_t compressedLength, size_t pixelCount, size_t bytesPerPixel,
			uint8_t* out, TGAError* error)
	{
		size_t pos = 0;
		size_t pixelsProcessed = 0;
		while (pixelsProcessed < pixelCount)
		{
			TGA_CHECK(pos < compressedLength);		// in < eod
			uint8_t packetHeader = in[pos++];
			size_t packetLength = size_t(packetHeader & 0x7F) + 1;
			TGA_CHECK(pixelsProcessed + packetLength <= pixelCount);

			uint8_t* dest = out + pixelsProcessed * bytesPerPixel;
			if (packetHeader & 0x80)
			{
				TGA_CHECK(bytesPerPixel <= compressedLength - pos);		// in + bytesPerPixel <= eod
				for (size_t i = 0; i < packetLength; i++)
					std::memcpy(dest + i * bytesPerPixel, in + pos, bytesPerPixel);
				pos += bytesPerPixel;
			}
			else
			{
				size_t packetBytes = packetLength * bytesPerPixel;
				TGA_CHECK(packetBytes <= compressedLength - pos);		// in + packetBytes <= eod
				std::memcpy(dest, in + pos, packetBytes);
				pos += packetBytes;
			}
			pixelsProcessed += packetLength;
		}
		return true;
	}

	void FlipRows(std::vector<uint8_t>& pixels, size_t rowBytes, size_t rows)
	{
		std::vector<uint8_t> temp(rowBytes);
		for (size_t top = 0, bottom = rows - 1; top < bottom; top++, bottom--)
		{
			uint8_t* a = pixels.data() + top * rowBytes;
			uint8_t* b = pixels.data() + bottom * rowBytes;
			std::memcpy(temp.data(), a, rowBytes);
			std::memcpy(a, b, rowBytes);
			std::memcpy(b, temp.data(), rowBytes);
		}
	}

	bool ConvertColormappedToBGR(const std::vector<uint8_t>& indices, const uint8_t* palette,
			size_t paletteColorCount, int paletteBitsPerColor, std::vector<uint8_t>* out, TGAError* error)
	{
		size_t bytesPerColor = size_t(paletteBitsPerColor / 8);
		TGA_CHECK(bytesPerColor == 3);
		out->resize(indices.size() * 3);
		for (size_t i = 0; i < indices.size(); i++)
		{
			size_t colorIndex = indices[i];
			TGA_CHECK(colorIndex < paletteColorCount);
			std::memcpy(out->data() + i * 3, palette + colorIndex * 3, 3);
		}
		return true;
	}

	bool Decode(const uint8_t* data, size_t size, bool convertToRGBA,
			TGAHeader* headerOut, std::vector<uint8_t>* pixels, TGAError* error)
	{
		TGAHeader& header = *headerOut;
		TGA_CHECK(header.idFieldLength == 0);
		TGA_CHECK(header.width > 0 && header.height > 0);
		TGA_CHECK(header.width <= TGA_MAX_DIMENSION && header.height <= TGA_MAX_DIMENSION);

		const bool colorMapped = (header.imageType & ~TGA_IMAGETYPE_RLE_BIT) == TGA_IMAGETYPE_COLORMAPPED;
		size_t pos = TGA_HEADER_BYTES;

		const uint8_t* palette = nullptr;
		size_t paletteColorCount = 0;
		if (colorMapped)
		{
			TGA_CHECK(8 == header.bpp);
			TGA_CHECK(header.paletteOriginLo == 0 && header.paletteOriginHi == 0);
			paletteColorCount = size_t(header.paletteColorCountLo) | size_t(header.paletteColorCountHi) << 8;
			TGA_CHECK(paletteColorCount <= 256);
			size_t paletteBytes = paletteColorCount * size_t(header.paletteBitsPerColor / 8);
			TGA_CHECK(paletteBytes <= size - pos);		// readCount == paletteBytes
			palette = data + pos;
			pos += paletteBytes;
		}
		else
		{
			// Checked before the size is computed and memory allocated.
			TGA_CHECK(header.bpp == 8 || header.bpp == 16 || header.bpp == 24 || header.bpp == 32);
		}

		const size_t bytesPerPixel = size_t(header.bpp / 8);
		const size_t pixelCount = size_t(header.width) * size_t(header.height);
		const size_t pixelDataLength = bytesPerPixel * pixelCount;

		if (header.imageType & TGA_IMAGETYPE_RLE_BIT)
		{
			size_t compressedLength = size - pos;
			// Refused before the allocation when the data cannot possibly be enough.
			// Each packet byte yields at most 128 pixels.
			TGA_CHECK(pixelCount <= compressedLength * 128);
			pixels->assign(pixelDataLength, 0);
			if (!DecompressRLE(data + pos, compressedLength, pixelCount, bytesPerPixel, pixels->data(), error))
				return false;
			header.imageType &= uint8_t(~TGA_IMAGETYPE_RLE_BIT);
		}
		else
		{
			TGA_CHECK(pixelDataLength <= size - pos);		// readCount == pixelDataLength
			pixels->assign(data + pos, data + pos + pixelDataLength);
		}

		if (!(header.imageDescriptor & TGA_DESCRIPTOR_TOPDOWN))
		{
			FlipRows(*pixels, bytesPerPixel * header.width, header.height);
			header.imageDescriptor |= TGA_DESCRIPTOR_TOPDOWN;
		}

		if (colorMapped)
		{
			std::vector<uint8_t> expanded;
			if (!ConvertColormappedToBGR(*pixels, palette, paletteColorCount, header.paletteBitsPerColor, &expanded, error))
				return false;
			pixels->swap(expanded);
			header.bpp = header.paletteBitsPerColor;
			header.imageType = TGA_IMAGETYPE_TRUECOLOR;
		}

		if (convertToRGBA)
		{
			std::vector<uint8_t> rgba(pixelCount * 4);
			bool converted = TGA_ConvertToRGBA(pixels->data(), pixelCount, header.bpp, header.imageDescriptor, rgba.data());
			TGA_CHECK_MESSAGE(converted, "TGA: Unsupported bpp for conversion to RGBA");
			pixels->swap(rgba);
			header.imageType = TGA_IMAGETYPE_CONVERTED_RGBA;
			header.bpp = 32;
		}
		return true;
	}
}

TGAHeader TGA_UnpackHeader(const uint8_t* b)
{
	TGAHeader h;
	h.idFieldLength = b[0];
	h.colorMapType = b[1];
	h.imageType = b[2];
	h.paletteOriginLo = b[3];
	h.paletteOriginHi = b[4];
	h.paletteColorCountLo = b[5];
	h.paletteColorCountHi = b[6];
	h.paletteBitsPerColor = b[7];
	h.xOrigin = LE16(b + 8);
	h.yOrigin = LE16(b + 10);
	h.width = LE16(b + 12);
	h.height = LE16(b + 14);
	h.bpp = b[16];
	h.imageDescriptor = b[17];
	return h;
}

bool TGA_ConvertToRGBA(const uint8_t* in, size_t pixelCount, int bpp, uint8_t imageDescriptor, uint8_t* out)
{
	switch (bpp)
	{
		case 8:
			for (size_t i = 0; i < pixelCount; i++, out += 4)
				out[0] = out[1] = out[2] = in[i], out[3] = 0xFF;
			return true;

		case 16:
		{
			// An odd alpha-bit count means bit 15 is the pixel's alpha.
			const bool alphaBit = imageDescriptor & 1;
			for (size_t i = 0; i < pixelCount; i++, in += 2, out += 4)
			{
				uint16_t p = LE16(in);
				out[0] = uint8_t(((p >> 10) & 0x1F) * 255 / 31);
				out[1] = uint8_t(((p >> 5) & 0x1F) * 255 / 31);
				out[2] = uint8_t((p & 0x1F) * 255 / 31);
				out[3] = (!alphaBit || (p & 0x8000)) ? 0xFF : 0;
			}
			return true;
		}

		case 24:
			for (size_t i = 0; i < pixelCount; i++, in += 3, out += 4)
			{
				out[0] = in[2];
				out[1] = in[1];
				out[2] = in[0];
				out[3] = 0xFF;
			}
			return true;

		case 32:
			for (size_t i = 0; i < pixelCount; i++, in += 4, out += 4)
			{
				out[0] = in[2];
				out[1] = in[1];
				out[2] = in[0];
				out[3] = in[3];
			}
			return true;

		default:
			return false;
	}
}

TGAStatus TGA_Decode(const uint8_t* data, size_t size, bool convertToRGBA,
		TGAHeader* header, std::vector<uint8_t>* pixels, TGAError* error)
{
	pixels->clear();
	if (!data || size < TGA_HEADER_BYTES)
		return TGAStatus::SHORT_HEADER;
	*header = TGA_UnpackHeader(data);
	if (!IsAcceptedType(header->imageType))
		return TGAStatus::UNSUPPORTED_TYPE;
	if (!Decode(data, size, convertToRGBA, header, pixels, error))
	{
		pixels->clear();
		return TGAStatus::MALFORMED;
	}
	return TGAStatus::OK;
}
