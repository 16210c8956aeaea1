// The game's font files: two 1024 × 1024 atlas images of the same glyphs
// (TGA, white glyphs whose alpha is their coverage: one with a dark rim, one
// with a soft halo) and one text metrics file that locates each glyph in them.
// The game's loader and the baker's font step both take their names and
// numbers from here. Header only, no dependencies.
//
// Metrics file: line 1 ignored; line 2 an integer and the line height (float);
// line 3 ignored; line 4 the glyph count N; then N lines "codepoint x y w h
// xoffset yoffset xadvance" (atlas texels and font units); at least one more
// line after the last glyph line.
#pragma once

#include <cstdint>

constexpr const char* FONT_METRICS_PATH = ":System:font.sfl";
// Indexed by the view's "alternative font" switch.
constexpr const char* FONT_ATLAS_PATHS[2] = {":System:font1.tga", ":System:font2.tga"};

constexpr int FONT_ATLAS_SIZE = 1024;				// texels per side
constexpr uint32_t FONT_MAX_CODEPOINT = 0xFFFF;		// the basic multilingual plane
