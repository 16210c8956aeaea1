// Writes Truevision TGA images (TGAFormat.h, shared with the game's decoder)
// in every form the game's reader accepts: colour-mapped (8-bit indices,
// 15/16/24/32-bit palette), true colour (16, 24, 32 bits) and grey scale (8
// bits), each raw or run-length encoded, rows top-down or bottom-up. No image
// ID field is ever written.
#pragma once

#include "Bake.h"
#include "3D/TGAFormat.h"
#include "kit/Image.h"

#include <cstdint>
#include <vector>

namespace Bake
{
	enum class TgaKind : uint8_t
	{
		COLOR_MAPPED = TGA_IMAGETYPE_COLORMAPPED,
		TRUE_COLOR = TGA_IMAGETYPE_TRUECOLOR,
		GREY = TGA_IMAGETYPE_GREY,
	};

	struct TgaOptions
	{
		TgaKind kind = TgaKind::TRUE_COLOR;
		int bpp = 32;				// true colour: 16, 24 or 32; others: 8
		int paletteBits = 24;		// colour-mapped: 15, 16, 24 or 32 bits per palette entry
		bool rle = false;
		bool topDown = true;
		int alphaBits = -1;			// descriptor alpha-bit count; -1: 8 for 32 bpp, 1 for 16 bpp, else 0
	};

	// Encodes an image. Colour-mapped images take their palette from the
	// image's distinct colours in order of first appearance. Throws
	// std::invalid_argument for an unsupported combination, a size outside
	// 1 … 65535 or more than 256 colours for a palette.
	std::vector<uint8_t> EncodeTGA(const Kit::Image& image, const TgaOptions& options = {});

	// The form used for the game's sprites and font atlases: 32-bit BGRA,
	// top-down, run-length encoded.
	std::vector<uint8_t> EncodeSpriteTGA(const Kit::Image& image);

	// Writes a sprite set as the game names its files,
	// "sprites/<set>/<set>NNN.tga" (NNN = index, three digits), and, when
	// previews are on, its contact sheet.
	void WriteSpriteSet(const Context& context, const std::string& set, const std::vector<Kit::Image>& images);
}
