#include "formats/TGAWriter.h"
#include "kit/Preview.h"

#include <cstdio>

#include <map>
#include <stdexcept>

namespace Bake
{
	namespace
	{
		void PutLE16(std::vector<uint8_t>& out, uint16_t v)
		{
			out.push_back(uint8_t(v));
			out.push_back(uint8_t(v >> 8));
		}

		// One pixel or palette entry in the file's byte order (little-endian, BGR).
		void EncodeColor(std::vector<uint8_t>& out, Kit::Rgba p, int bits)
		{
			switch (bits)
			{
				case 15:
				case 16:
					PutLE16(out, uint16_t((p.a >= 128 ? 0x8000 : 0) | (p.r >> 3) << 10 | (p.g >> 3) << 5 | (p.b >> 3)));
					break;
				case 24:
					out.insert(out.end(), {p.b, p.g, p.r});
					break;
				case 32:
					out.insert(out.end(), {p.b, p.g, p.r, p.a});
					break;
				default:
					throw std::invalid_argument("TGA: unsupported colour depth");
			}
		}

		uint8_t Grey(Kit::Rgba p)
		{
			return uint8_t((p.r * 77 + p.g * 150 + p.b * 29) >> 8);
		}

		// Run-length packets for one row of `count` pixels of `size` bytes each.
		void CompressRow(std::vector<uint8_t>& out, const uint8_t* row, int count, int size)
		{
			auto same = [&](int a, int b) {
				for (int k = 0; k < size; k++)
					if (row[a * size + k] != row[b * size + k])
						return false;
				return true;
			};
			int i = 0;
			while (i < count)
			{
				int run = 1;
				while (i + run < count && run < 128 && same(i, i + run))
					run++;
				if (run >= 2)
				{
					out.push_back(uint8_t(0x80 | (run - 1)));
					out.insert(out.end(), row + i * size, row + (i + 1) * size);
					i += run;
					continue;
				}
				// Literal packet up to the next run of two.
				int literal = 1;
				while (i + literal < count && literal < 128 && !(i + literal + 1 < count && same(i + literal, i + literal + 1)))
					literal++;
				out.push_back(uint8_t(literal - 1));
				out.insert(out.end(), row + i * size, row + (i + literal) * size);
				i += literal;
			}
		}
	}

	std::vector<uint8_t> EncodeTGA(const Kit::Image& image, const TgaOptions& o)
	{
		if (image.width < 1 || image.height < 1 || image.width > 65535 || image.height > 65535)
			throw std::invalid_argument("TGA: image size out of range");

		bool mapped = o.kind == TgaKind::COLOR_MAPPED;
		int bpp = o.kind == TgaKind::TRUE_COLOR ? o.bpp : 8;
		if (o.kind == TgaKind::TRUE_COLOR && bpp != 16 && bpp != 24 && bpp != 32)
			throw std::invalid_argument("TGA: true colour needs 16, 24 or 32 bits");
		if (mapped && o.paletteBits != 15 && o.paletteBits != 16 && o.paletteBits != 24 && o.paletteBits != 32)
			throw std::invalid_argument("TGA: palette entries need 15, 16, 24 or 32 bits");

		int alphaBits = o.alphaBits;
		if (alphaBits < 0)
		{
			int depth = mapped ? o.paletteBits : bpp;
			alphaBits = depth == 32 ? 8 : depth == 16 ? 1 : 0;
		}

		// Palette from the distinct colours.
		std::vector<Kit::Rgba> palette;
		std::map<uint32_t, uint8_t> paletteIndex;
		auto key = [](Kit::Rgba p) { return uint32_t(p.r) << 24 | uint32_t(p.g) << 16 | uint32_t(p.b) << 8 | p.a; };
		if (mapped)
			for (const Kit::Rgba& p : image.pixels)
				if (paletteIndex.emplace(key(p), uint8_t(palette.size())).second)
				{
					if (palette.size() == 256)
						throw std::invalid_argument("TGA: more than 256 colours for a palette");
					palette.push_back(p);
				}

		std::vector<uint8_t> out;
		out.push_back(0);									// no image ID
		out.push_back(mapped ? 1 : 0);
		out.push_back(uint8_t(uint8_t(o.kind) | (o.rle ? TGA_IMAGETYPE_RLE_BIT : 0)));
		PutLE16(out, 0);									// palette origin
		PutLE16(out, uint16_t(palette.size()));
		out.push_back(mapped ? uint8_t(o.paletteBits) : 0);
		PutLE16(out, 0);									// x origin
		PutLE16(out, 0);									// y origin
		PutLE16(out, uint16_t(image.width));
		PutLE16(out, uint16_t(image.height));
		out.push_back(uint8_t(bpp));
		out.push_back(uint8_t((alphaBits & TGA_DESCRIPTOR_ALPHA_BITS) | (o.topDown ? TGA_DESCRIPTOR_TOPDOWN : 0)));

		for (const Kit::Rgba& p : palette)
			EncodeColor(out, p, o.paletteBits);

		int size = bpp / 8;
		std::vector<uint8_t> row;
		for (int r = 0; r < image.height; r++)
		{
			int y = o.topDown ? r : image.height - 1 - r;
			row.clear();
			for (int x = 0; x < image.width; x++)
			{
				Kit::Rgba p = image.At(x, y);
				if (mapped)
					row.push_back(paletteIndex[key(p)]);
				else if (o.kind == TgaKind::GREY)
					row.push_back(Grey(p));
				else
					EncodeColor(row, p, bpp);
			}
			if (o.rle)
				CompressRow(out, row.data(), image.width, size);
			else
				out.insert(out.end(), row.begin(), row.end());
		}
		return out;
	}

	std::vector<uint8_t> EncodeSpriteTGA(const Kit::Image& image)
	{
		TgaOptions o;
		o.rle = true;
		return EncodeTGA(image, o);
	}

	void WriteSpriteSet(const Context& context, const std::string& set, const std::vector<Kit::Image>& images)
	{
		for (size_t i = 0; i < images.size(); i++)
		{
			char name[32];
			snprintf(name, sizeof(name), "%03zu", i);
			WriteDataFile(context, "sprites/" + set + "/" + set + name + ".tga", EncodeSpriteTGA(images[i]));
		}
		Kit::WritePreview("sprites_" + set, Kit::SpriteContactSheet(images));
	}
}
