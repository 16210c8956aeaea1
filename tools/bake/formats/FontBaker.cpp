#include "formats/FontBaker.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace Bake
{
	namespace
	{
		const int OUTLINE_WIDTH = 2;
		const int PADDING = OUTLINE_WIDTH + 1;

		struct RenderedGlyph
		{
			uint32_t codepoint;
			int width, height;			// bitmap
			int left, top;				// bearings
			float advance;
			std::vector<uint8_t> coverage;
		};

		struct Library
		{
			FT_Library lib = nullptr;
			FT_Face face = nullptr;
			~Library()
			{
				if (face)
					FT_Done_Face(face);
				if (lib)
					FT_Done_FreeType(lib);
			}
		};

		// Shelf packing, tallest glyphs first; false when the atlas is too small.
		bool Pack(std::vector<FontGlyph>& glyphs, int atlasSize)
		{
			std::vector<size_t> order(glyphs.size());
			for (size_t i = 0; i < order.size(); i++)
				order[i] = i;
			std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return glyphs[a].h > glyphs[b].h; });
			int x = 1, y = 1, shelf = 0;
			for (size_t i : order)
			{
				FontGlyph& g = glyphs[i];
				if (g.w == 0 || g.h == 0)
				{
					g.x = g.y = 0;
					continue;
				}
				if (x + g.w + 1 > atlasSize)
				{
					x = 1;
					y += shelf + 1;
					shelf = 0;
				}
				if (y + g.h + 1 > atlasSize)
					return false;
				g.x = x;
				g.y = y;
				x += g.w + 1;
				shelf = std::max(shelf, g.h);
			}
			return true;
		}
	}

	std::vector<uint32_t> FontCodePoints()
	{
		std::vector<uint32_t> cps;
		for (uint32_t c = 0x20; c <= 0x7E; c++)
			cps.push_back(c);
		for (uint32_t c = 0xA0; c <= 0xFF; c++)
			cps.push_back(c);
		const uint32_t extra[] =
		{
			0x0152, 0x0153,				// Œ œ
			0x0178,						// Ÿ
			0x1E9E,						// ẞ
			0x2013, 0x2014,				// – —
			0x2018, 0x2019, 0x201A,		// ‘ ’ ‚
			0x201C, 0x201D, 0x201E,		// “ ” „
			0x2022, 0x2026,				// • …
			0x2039, 0x203A,				// ‹ ›
			0x20AC,						// €
			0x2122,						// ™
			0x2190, 0x2191, 0x2192, 0x2193,		// arrows for key names
		};
		cps.insert(cps.end(), std::begin(extra), std::end(extra));
		std::sort(cps.begin(), cps.end());
		return cps;
	}

	std::string FindFontFile()
	{
		const char* candidates[] =
		{
			"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
			"/usr/share/fonts/dejavu/DejaVuSans-Bold.ttf",
			"/usr/share/fonts/TTF/DejaVuSans-Bold.ttf",
		};
		for (const char* path : candidates)
			if (std::filesystem::exists(path))
				return path;
		throw std::runtime_error("can't find DejaVuSans-Bold.ttf (install the fonts-dejavu-core package)");
	}

	BakedFont BakeFont(const std::string& fontPath, const std::vector<uint32_t>& codepoints, int atlasSize, int maxPixelSize)
	{
		Library ft;
		if (FT_Init_FreeType(&ft.lib))
			throw std::runtime_error("FreeType: can't initialise");
		if (FT_New_Face(ft.lib, fontPath.c_str(), 0, &ft.face))
			throw std::runtime_error("FreeType: can't open " + fontPath);

		for (int size = maxPixelSize; size >= 12; size -= 2)
		{
			if (FT_Set_Pixel_Sizes(ft.face, 0, FT_UInt(size)))
				throw std::runtime_error("FreeType: can't set the pixel size");
			float ascender = float(ft.face->size->metrics.ascender) / 64.0f;
			float lineHeight = float(ft.face->size->metrics.height) / 64.0f;

			std::vector<RenderedGlyph> rendered;
			for (uint32_t cp : codepoints)
			{
				FT_UInt index = FT_Get_Char_Index(ft.face, cp);
				if (index == 0)
					continue;
				if (FT_Load_Glyph(ft.face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT))
					throw std::runtime_error("FreeType: can't render a glyph");
				FT_GlyphSlot slot = ft.face->glyph;
				const FT_Bitmap& bm = slot->bitmap;
				RenderedGlyph g{cp, int(bm.width), int(bm.rows), slot->bitmap_left, slot->bitmap_top,
					float(slot->advance.x) / 64.0f, {}};
				g.coverage.resize(size_t(g.width) * size_t(g.height));
				for (int y = 0; y < g.height; y++)
					for (int x = 0; x < g.width; x++)
						g.coverage[size_t(y) * size_t(g.width) + size_t(x)] = bm.buffer[y * bm.pitch + x];
				rendered.push_back(std::move(g));
			}

			BakedFont font;
			font.pixelSize = size;
			font.lineHeight = lineHeight;
			font.padding = PADDING;
			for (const RenderedGlyph& r : rendered)
			{
				FontGlyph g;
				g.codepoint = r.codepoint;
				bool empty = r.width == 0 || r.height == 0;
				g.w = empty ? 0 : r.width + 2 * PADDING;
				g.h = empty ? 0 : r.height + 2 * PADDING;
				g.xOffset = empty ? 0 : float(r.left - PADDING);
				g.yOffset = empty ? 0 : 0.3f * lineHeight + ascender - float(r.top) - float(PADDING);
				g.xAdvance = r.advance;
				font.glyphs.push_back(g);
			}
			if (!Pack(font.glyphs, atlasSize))
				continue;

			font.outlined = Kit::Image(atlasSize, atlasSize);
			font.glowing = Kit::Image(atlasSize, atlasSize);
			for (size_t i = 0; i < rendered.size(); i++)
			{
				const RenderedGlyph& r = rendered[i];
				const FontGlyph& g = font.glyphs[i];
				if (g.w == 0)
					continue;
				Kit::Image cell(g.w, g.h);
				for (int y = 0; y < r.height; y++)
					for (int x = 0; x < r.width; x++)
						cell.At(x + PADDING, y + PADDING) = {255, 255, 255, r.coverage[size_t(y) * size_t(r.width) + size_t(x)]};

				Kit::Image rim = cell;
				Kit::Outline(rim, float(OUTLINE_WIDTH), {16, 18, 40, 255});

				Kit::Image halo = cell;
				Kit::BoxBlur(halo, 2);
				for (Kit::Rgba& p : halo.pixels)
					p.a = uint8_t(p.a * 0.6f);
				for (int y = 0; y < g.h; y++)
					for (int x = 0; x < g.w; x++)
						Kit::Plot(halo, x, y, cell.At(x, y), 1.0f);

				for (int y = 0; y < g.h; y++)
					for (int x = 0; x < g.w; x++)
					{
						font.outlined.At(g.x + x, g.y + y) = rim.At(x, y);
						font.glowing.At(g.x + x, g.y + y) = halo.At(x, y);
					}
			}
			return font;
		}
		throw std::runtime_error("font glyphs don't fit the atlas");
	}

	Kit::Image RenderGlyph(const std::string& fontPath, uint32_t codepoint, int pixelSize)
	{
		Library ft;
		if (FT_Init_FreeType(&ft.lib) || FT_New_Face(ft.lib, fontPath.c_str(), 0, &ft.face))
			throw std::runtime_error("FreeType: can't open " + fontPath);
		if (FT_Set_Pixel_Sizes(ft.face, 0, FT_UInt(pixelSize))
			|| FT_Load_Char(ft.face, codepoint, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT))
			throw std::runtime_error("FreeType: can't render a glyph");
		const FT_Bitmap& bm = ft.face->glyph->bitmap;
		Kit::Image img(int(bm.width), int(bm.rows));
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
				img.At(x, y) = {255, 255, 255, bm.buffer[y * bm.pitch + x]};
		return img;
	}

	std::string FormatFontMetrics(const BakedFont& font)
	{
		std::string out = "Zappatron font metrics: DejaVu Sans Bold\n";
		char line[160];
		snprintf(line, sizeof(line), "%d %.3f\n", font.pixelSize, font.lineHeight);
		out += line;
		out += "codepoint x y width height xoffset yoffset xadvance\n";
		snprintf(line, sizeof(line), "%zu\n", font.glyphs.size());
		out += line;
		for (const FontGlyph& g : font.glyphs)
		{
			if (g.codepoint > FONT_MAX_CODEPOINT)
				throw std::runtime_error("font: code point " + std::to_string(g.codepoint) + " is past what the game reads");
			snprintf(line, sizeof(line), "%u %d %d %d %d %.3f %.3f %.3f\n",
				g.codepoint, g.x, g.y, g.w, g.h, g.xOffset, g.yOffset, g.xAdvance);
			out += line;
		}
		out += "end\n";
		return out;
	}
}
