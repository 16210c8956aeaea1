// The game's bitmap font as data: the glyph table read from the text metrics
// file (the format: FontFormat.h), UTF-8 decoding, and the text layout that
// turns a string into one quad per visible character. No OpenGL and no object
// nodes here, so the layout can be tested and the metrics parser fuzzed on
// their own.
#pragma once

#include "3D/FontFormat.h"
#include "System/Math.h"

#include <cstdint>
#include <memory>

constexpr int TEXTMESH_NUM_PAGES = 256;			// code points 0 … 0xFFFF
constexpr int TEXTMESH_GLYPHS_PER_PAGE = 256;
constexpr float TEXTMESH_ATLAS_SIZE = float(FONT_ATLAS_SIZE);
constexpr float TEXTMESH_TAB_STOP = 60.0f;		// layout units

enum
{
	TEXTMESH_ALIGN_LEFT = 0,
	TEXTMESH_ALIGN_CENTER = 1,
	TEXTMESH_ALIGN_RIGHT = 2,
};

struct TextMeshGlyph
{
	float x, y, w, h;		// atlas rectangle, texels
	float xoff, yoff;		// placement, font units
	float xadv;
};

struct TextMeshFont
{
	float lineHeight = 0;	// font units
	// A page is allocated when the file first defines a code point in it;
	// its undefined glyphs are all zero.
	std::unique_ptr<TextMeshGlyph[]> pages[TEXTMESH_NUM_PAGES];
};

// The check that failed in a malformed metrics file, as an assertion reports it.
struct TextMeshParseError
{
	const char* function = "";
	int line = 0;
	const char* expression = "";
};

// Parses a zero-terminated metrics file into an empty font, then makes the
// digits monospaced (every digit takes the advance of '4' and is centred in
// its width). Glyph lines with code points outside 0 … 0xFFFF are skipped
// with a warning passed to `warn` (null: printed on standard output).
bool TextMesh_ParseMetrics(const char* text, TextMeshFont* font, TextMeshParseError* error,
		void (*warn)(const char* message) = nullptr);

// Next code point of UTF-8 text (lenient: continuation bytes are not
// validated). At the end of the text, or at a zero byte where a continuation
// byte should be, returns 0 without advancing.
uint32_t TextMesh_DecodeUTF8(const char** text);

// Glyph of a code point: '?' above 0xFFFF, '#' for a page the font does not
// have (an all-zero glyph if even page 0 is missing).
const TextMeshGlyph& TextMesh_GetGlyph(const TextMeshFont& font, uint32_t codepoint);

// The measure pass. Layout units are half font units.
struct TextMeshLayout
{
	float width;			// x after the last code point (so the last line's width)
	float x0, y0;			// start of the first line
	int visibleChars;		// code points other than newline, tab and space
	int32_t leftOff, rightOff, topOff, bottomOff;	// the node's extents
};
TextMeshLayout TextMesh_Measure(const TextMeshFont& font, const char* text, int alignment);

// The place pass: 4 points, 4 texture coordinates and 2 triangles per
// visible character, into arrays with room for layout.visibleChars
// characters. Returns the points written.
int TextMesh_PlaceGlyphs(const TextMeshFont& font, const char* text, const TextMeshLayout& layout,
		OGLPoint3D* points, OGLTextureCoord* uvs, uint32_t* triangles);

// Sum of the x advances (font units) of the first n code points, newlines excluded.
float TextMesh_CalcCharX(const TextMeshFont& font, const char* text, int n);
