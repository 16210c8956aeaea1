// Truevision TGA images (the format: TGAFormat.h): colour-mapped, true-colour and grey-scale, raw or
// run-length encoded, converted on request to 32-bit RGBA with the top row
// first. The decoder works on bytes in memory and reports malformed content
// instead of stopping, so it can be tested and fuzzed on its own; ReadTGA
// reads a file of the data folder and stops the program on malformed content.
#pragma once

#include "3D/TGAFormat.h"
#include "PlatformTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct FSSpec;

// ReadTGA's result for an image type other than 1, 2, 3, 9, 10 and 11.
constexpr OSErr TGA_ERR_UNSUPPORTED_TYPE = -206;

struct TGAHeader
{
	uint8_t idFieldLength;
	uint8_t colorMapType;
	uint8_t imageType;
	uint8_t paletteOriginLo;
	uint8_t paletteOriginHi;
	uint8_t paletteColorCountLo;
	uint8_t paletteColorCountHi;
	uint8_t paletteBitsPerColor;
	uint16_t xOrigin;
	uint16_t yOrigin;
	uint16_t width;
	uint16_t height;
	uint8_t bpp;
	uint8_t imageDescriptor;
};

// What went wrong in a malformed image: the check that failed, as an
// assertion reports it.
struct TGAError
{
	const char* function = "";
	int line = 0;
	const char* expression = "";
};

enum class TGAStatus
{
	OK,
	SHORT_HEADER,		// fewer than 18 bytes
	UNSUPPORTED_TYPE,	// not 1, 2, 3, 9, 10 or 11
	MALFORMED,			// see the TGAError
};

// Unpacks the 18 little-endian header bytes.
TGAHeader TGA_UnpackHeader(const uint8_t* bytes);

// Decodes a whole file. On success `pixels` holds the image top row first:
// converted to RGBA when asked (the header then says type 255 and 32 bpp),
// else in the file's own layout with colour-mapped images expanded to their
// 24-bit palette colours (type 2). `error` is filled for MALFORMED.
TGAStatus TGA_Decode(const uint8_t* data, size_t size, bool convertToRGBA,
		TGAHeader* header, std::vector<uint8_t>* pixels, TGAError* error);

// Converts 8-, 16-, 24- or 32-bit pixels (in the file's byte order) to RGBA
// bytes. Returns false for any other depth.
bool TGA_ConvertToRGBA(const uint8_t* in, size_t pixelCount, int bpp, uint8_t imageDescriptor, uint8_t* out);

// Reads a TGA file. Returns noErr with *pixels a NewPtr block the caller
// frees; the file's open or read error; or TGA_ERR_UNSUPPORTED_TYPE. A
// malformed image stops the program with the failed check and the file name.
OSErr ReadTGA(const FSSpec* spec, Ptr* pixels, TGAHeader* header, bool convertToRGBA);
