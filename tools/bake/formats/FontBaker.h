// The game's bitmap font: glyphs rendered with FreeType into a 1024 × 1024
// atlas and the text metrics file that locates each glyph in it.
//
// Metrics conventions (font units = atlas texels): a glyph's rectangle
// includes a padding border for the outline; its x offset is the left
// bearing minus the padding; its y offset places the rectangle's top
// relative to the pen of the first line, which the text layout puts 0.3 line
// heights above the text box, so the ascender line falls on the box's top.
#pragma once

#include "3D/FontFormat.h"
#include "kit/Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Bake
{
	struct FontGlyph
	{
		uint32_t codepoint = 0;
		int x = 0, y = 0, w = 0, h = 0;		// atlas rectangle (texels, y down)
		float xOffset = 0, yOffset = 0, xAdvance = 0;
	};

	struct BakedFont
	{
		int pixelSize = 0;
		float lineHeight = 0;
		int padding = 0;
		std::vector<FontGlyph> glyphs;		// ascending code points
		Kit::Image outlined;				// white glyphs with a dark rim (first atlas)
		Kit::Image glowing;					// white glyphs with a soft halo (second atlas)
	};

	// Latin-1 and the further characters French, German, Spanish, Italian and
	// Swedish text needs (Œ œ Ÿ ẞ, typographic quotes and dashes, €, …).
	std::vector<uint32_t> FontCodePoints();

	// Finds the game's TrueType font (DejaVu Sans Bold); throws std::runtime_error if absent.
	std::string FindFontFile();

	// Renders the glyphs at the largest pixel size up to `maxPixelSize` whose
	// atlas fits `atlasSize` × `atlasSize`. Code points the font lacks are
	// left out. Throws std::runtime_error on FreeType errors.
	BakedFont BakeFont(const std::string& fontPath, const std::vector<uint32_t>& codepoints,
		int atlasSize = FONT_ATLAS_SIZE, int maxPixelSize = 64);

	// One glyph as a white image whose alpha is the glyph's coverage, cropped
	// to the glyph's ink. Throws std::runtime_error on FreeType errors.
	Kit::Image RenderGlyph(const std::string& fontPath, uint32_t codepoint, int pixelSize);

	// The text metrics file for the font.
	std::string FormatFontMetrics(const BakedFont& font);
}
