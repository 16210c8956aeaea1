// Font metrics parsing, UTF-8 decoding and the text layout passes.
#include "3D/TextMeshFont.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#define SFL_CHECK(condition) \
	do { if (!(condition)) { if (error) *error = {__func__, __LINE__, #condition}; return false; } } while (0)

namespace
{
	constexpr uint32_t MAX_CODEPOINT = FONT_MAX_CODEPOINT;

	void PrintWarning(const char* message)
	{
		fputs(message, stdout);
	}

	// The numbers are read the way scanf reads them: leading white space,
	// line breaks included, is skipped.
	const char* SkipSpace(const char* p)
	{
		while (*p && std::isspace(static_cast<unsigned char>(*p)))
			p++;
		return p;
	}

	bool ScanInt(const char** p, int* value)
	{
		const char* start = SkipSpace(*p);
		char* end = nullptr;
		errno = 0;
		long long v = std::strtoll(start, &end, 10);
		if (end == start)
			return false;
		// Out of int range: saturated (a code point that large is refused anyway).
		*value = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : int(v);
		*p = end;
		return true;
	}

	bool ScanFloat(const char** p, float* value)
	{
		const char* start = SkipSpace(*p);
		char* end = nullptr;
		float v = std::strtof(start, &end);
		if (end == start)
			return false;
		*value = v;
		*p = end;
		return true;
	}

	// Number of values read, as scanf would count them.
	int ScanInts(const char* p, int* values, int count)
	{
		for (int i = 0; i < count; i++)
			if (!ScanInt(&p, &values[i]))
				return i;
		return count;
	}

	// Moves past the end of the current line; the text must go on after it.
	bool ParseSFL_SkipLine(const char** data, TextMeshParseError* error)
	{
		const char* p = *data;
		while (*p && *p != '\n')
			p++;
		if (*p == '\n')
			p++;
		*data = p;
		SFL_CHECK(*p);
		return true;
	}

	// Float to int as a C cast truncates, but saturated and with NaN as 0, so a
	// wild metrics value cannot make the conversion undefined.
	int32_t TruncateToInt(float v)
	{
		if (std::isnan(v))
			return 0;
		if (v >= 2147483647.0f)
			return INT32_MAX;
		if (v <= -2147483648.0f)
			return INT32_MIN;
		return int32_t(v);
	}

	void MakeDigitsMonospaced(TextMeshFont* font)
	{
		TextMeshGlyph* page = font->pages[0].get();
		if (!page)
			return;
		const TextMeshGlyph four = page['4'];
		for (int c = '0'; c <= '9'; c++)
		{
			TextMeshGlyph& g = page[c];
			g.xoff += (four.w - g.w) * 0.5f;
			g.xadv = four.xadv;
		}
	}

	bool ParseSFL(const char* data, TextMeshFont* font, TextMeshParseError* error, void (*warn)(const char*))
	{
		if (!ParseSFL_SkipLine(&data, error))		// line 1
			return false;

		int pixelSize = 0;
		float lineHeight = 0;
		const char* scan = data;
		int nArgs = ScanInt(&scan, &pixelSize) ? (ScanFloat(&scan, &lineHeight) ? 2 : 1) : 0;
		SFL_CHECK(nArgs == 2);
		font->lineHeight = lineHeight;
		if (!ParseSFL_SkipLine(&data, error))		// line 2
			return false;
		if (!ParseSFL_SkipLine(&data, error))		// line 3
			return false;

		int numGlyphs = 0;
		nArgs = ScanInts(data, &numGlyphs, 1);
		SFL_CHECK(nArgs == 1);
		if (!ParseSFL_SkipLine(&data, error))		// line 4
			return false;

		for (int i = 0; i < numGlyphs; i++)
		{
			int codepoint = 0;
			float values[7];
			scan = data;
			nArgs = 0;
			if (ScanInt(&scan, &codepoint))
			{
				nArgs = 1;
				while (nArgs < 8 && ScanFloat(&scan, &values[nArgs - 1]))
					nArgs++;
			}
			SFL_CHECK(nArgs == 8);

			char message[128];
			if (codepoint < 0)
			{
				snprintf(message, sizeof(message), "WARNING: negative codepoint %d skipped\n", codepoint);
				warn(message);
			}
			else if (uint32_t(codepoint) > MAX_CODEPOINT)
			{
				snprintf(message, sizeof(message), "WARNING: codepoint 0x%x exceeds supported maximum (0x%x)\n",
						unsigned(codepoint), unsigned(MAX_CODEPOINT));
				warn(message);
			}
			else
			{
				auto& page = font->pages[codepoint >> 8];
				if (!page)
					page = std::make_unique<TextMeshGlyph[]>(TEXTMESH_GLYPHS_PER_PAGE);		// zeroed
				page[codepoint & 0xFF] = {values[0], values[1], values[2], values[3], values[4], values[5], values[6]};
			}
			if (!ParseSFL_SkipLine(&data, error))
				return false;
		}

		MakeDigitsMonospaced(font);
		return true;
	}

	float NextTabStop(float x)
	{
		return std::ceil((x + 1.0f) / TEXTMESH_TAB_STOP) * TEXTMESH_TAB_STOP;
	}

	bool IsVisible(uint32_t c)
	{
		return c != '\n' && c != '\t' && c != ' ';
	}
}

bool TextMesh_ParseMetrics(const char* text, TextMeshFont* font, TextMeshParseError* error, void (*warn)(const char*))
{
	return ParseSFL(text ? text : "", font, error, warn ? warn : PrintWarning);
}

uint32_t TextMesh_DecodeUTF8(const char** text)
{
	const auto* p = reinterpret_cast<const uint8_t*>(*text);
	uint32_t lead = p[0];
	if (lead == 0)
		return 0;

	int extra = lead < 0x80 ? 0 : (lead >= 0xC0 && lead <= 0xDF) ? 1 : (lead >= 0xE0 && lead <= 0xEF) ? 2 : 3;
	for (int i = 1; i <= extra; i++)
		if (p[i] == 0)
			return 0;		// cut short: the text ends here

	uint32_t c;
	switch (extra)
	{
		case 0:
			c = lead;
			break;
		case 1:
			c = ((lead << 6) & 0x7FF) | (p[1] & 0x3F);
			break;
		case 2:
			c = ((lead << 12) & 0xFFFF) | ((uint32_t(p[1]) << 6) & 0xFFF) | (p[2] & 0x3F);
			break;
		default:
			c = ((lead << 18) & 0x1FFFFF) | ((uint32_t(p[1]) << 12) & 0x3FFFF) | ((uint32_t(p[2]) << 6) & 0xFFF) | (p[3] & 0x3F);
			break;
	}
	*text += 1 + extra;
	return c;
}

const TextMeshGlyph& TextMesh_GetGlyph(const TextMeshFont& font, uint32_t c)
{
	static const TextMeshGlyph NO_GLYPH = {};
	const TextMeshGlyph* page0 = font.pages[0].get();
	if (c > MAX_CODEPOINT)
		return page0 ? page0['?'] : NO_GLYPH;
	const TextMeshGlyph* page = font.pages[c >> 8].get();
	if (!page)
		return page0 ? page0['#'] : NO_GLYPH;
	return page[c & 0xFF];
}

TextMeshLayout TextMesh_Measure(const TextMeshFont& font, const char* text, int alignment)
{
	TextMeshLayout layout = {};
	float x = 0;
	for (uint32_t c; (c = TextMesh_DecodeUTF8(&text)) != 0; )
	{
		if (c == '\n')
			x = 0;
		else if (c == '\t')
			x = NextTabStop(x);
		else
		{
			x += 0.5f * TextMesh_GetGlyph(font, c).xadv;
			if (IsVisible(c))
				layout.visibleChars++;
		}
	}

	layout.width = x;
	layout.x0 = alignment == TEXTMESH_ALIGN_CENTER ? -x * 0.5f : alignment == TEXTMESH_ALIGN_RIGHT ? -x : 0.0f;
	layout.y0 = -0.15f * font.lineHeight;
	layout.leftOff = TruncateToInt(layout.x0);
	layout.rightOff = TruncateToInt(x + layout.x0);
	layout.topOff = 0;
	layout.bottomOff = TruncateToInt(0.475f * font.lineHeight);		// 0.5 · 1.25 · h − 0.15 · h
	return layout;
}

int TextMesh_PlaceGlyphs(const TextMeshFont& font, const char* text, const TextMeshLayout& layout,
		OGLPoint3D* points, OGLTextureCoord* uvs, uint32_t* triangles)
{
	const float texel = 1.0f / TEXTMESH_ATLAS_SIZE;
	float x = layout.x0, y = layout.y0;
	int p = 0;
	for (uint32_t c; (c = TextMesh_DecodeUTF8(&text)) != 0; )
	{
		if (c == '\n')
		{
			x = layout.x0;
			y += 0.5f * font.lineHeight;
			continue;
		}
		if (c == '\t')
		{
			x = NextTabStop(x);
			continue;
		}

		const TextMeshGlyph& g = TextMesh_GetGlyph(font, c);
		if (IsVisible(c))
		{
			float cx = x + (0.5f * g.w + g.xoff) * 0.5f;
			float cy = y + (0.5f * g.h + g.yoff) * 0.5f;
			float hw = g.w * 0.25f, hh = g.h * 0.25f;
			points[p + 0] = {cx - hw, cy - hh, 0};
			points[p + 1] = {cx + hw, cy - hh, 0};
			points[p + 2] = {cx + hw, cy + hh, 0};
			points[p + 3] = {cx - hw, cy + hh, 0};
			uvs[p + 0] = {g.x * texel, g.y * texel};
			uvs[p + 1] = {(g.x + g.w) * texel, g.y * texel};
			uvs[p + 2] = {(g.x + g.w) * texel, (g.y + g.h) * texel};
			uvs[p + 3] = {g.x * texel, (g.y + g.h) * texel};
			uint32_t* t = triangles + (p / 4) * 6;
			t[0] = uint32_t(p);
			t[1] = uint32_t(p + 1);
			t[2] = uint32_t(p + 2);
			t[3] = uint32_t(p);
			t[4] = uint32_t(p + 2);
			t[5] = uint32_t(p + 3);
			p += 4;
		}
		x += 0.5f * g.xadv;
	}
	return p;
}

float TextMesh_CalcCharX(const TextMeshFont& font, const char* text, int n)
{
	float x = 0;
	for (int i = 0; i < n; i++)
	{
		uint32_t c = TextMesh_DecodeUTF8(&text);
		if (c == 0)
			break;
		if (c != '\n')
			x += TextMesh_GetGlyph(font, c).xadv;
	}
	return x;
}
