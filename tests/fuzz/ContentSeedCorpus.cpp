// Writes seed inputs for the model, image and font-metrics fuzzers: small
// valid files that use every record type, image type and metrics feature.
#include "formats/BigEndianWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

static void Write(const fs::path& path, const std::vector<uint8_t>& bytes)
{
	std::ofstream out(path, std::ios::binary | std::ios::trunc);
	out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
	if (!out)
		throw std::runtime_error("can't write " + path.string());
}

static void WriteText(const fs::path& path, const std::string& text)
{
	Write(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// A BG3D file: textured and plain materials, nested groups, a geometry with
// every array, and a bare geometry model.
static std::vector<uint8_t> ModelFile(bool textures)
{
	Bake::BigEndianWriter w;
	w.Bytes("BG3D", 4);
	w.Zeros(16);
	w.U32(0); w.U32(0x02);									// material 0
	w.U32(1); w.F32(1); w.F32(0.5f); w.F32(0.25f); w.F32(1);
	if (textures)
	{
		w.U32(0); w.U32(0x01);								// material 1: 1-5-5-5
		w.U32(2); w.U32(2); w.U32(2); w.S32(0x8366); w.S32(0x8057); w.U32(8); w.Zeros(16);
		for (uint16_t p : {0x8000, 0xFFFF, 0x7C00, 0x801F})
			w.U16(p);
		w.U32(0); w.U32(0x05);								// material 2: RGB to 1-5-5-5
		w.U32(2); w.U32(1); w.U32(1); w.S32(0x1907); w.S32(0x8057); w.U32(6); w.Zeros(16);
		w.Bytes(std::vector<uint8_t>{255, 0, 0, 0, 255, 0});
		w.U32(0); w.U32(0x03);								// material 3: RGBA
		w.U32(2); w.U32(1); w.U32(1); w.S32(0x1908); w.S32(0x1908); w.U32(4); w.Zeros(16);
		w.Bytes(std::vector<uint8_t>{1, 2, 3, 4});
	}
	auto geometry = [&](uint32_t material, bool everything) {
		w.U32(5); w.U32(0); w.S32(1); w.U32(material); w.Zeros(12); w.U32(0); w.U32(4); w.U32(2); w.Zeros(16);
		w.U32(6);
		for (float f : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 1.f, 1.f, 0.f, 0.f, 1.f, 0.f})
			w.F32(f);
		if (everything)
		{
			w.U32(7);
			for (int i = 0; i < 4; i++) { w.F32(0); w.F32(0); w.F32(1); }
			w.U32(8);
			for (float f : {0.f, 0.f, 1.f, 0.f, 1.f, 1.f, 0.f, 1.f})
				w.F32(f);
			w.U32(9);
			w.Bytes(std::vector<uint8_t>(16, 200));
		}
		w.U32(10);
		for (uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u})
			w.U32(i);
	};
	w.U32(3);
	geometry(0, true);
	w.U32(3);
	geometry(textures ? 1 : 0, false);
	w.U32(4);
	w.U32(4);
	geometry(textures ? 3 : 0, false);
	w.U32(11);
	return w.Take();
}

static std::vector<uint8_t> TgaHeader(uint8_t type, uint16_t w, uint16_t h, uint8_t bpp, uint8_t descriptor,
		uint16_t paletteCount = 0, uint8_t paletteBits = 0)
{
	return {0, uint8_t(paletteCount ? 1 : 0), type, 0, 0, uint8_t(paletteCount), uint8_t(paletteCount >> 8), paletteBits,
		0, 0, 0, 0, uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8), bpp, descriptor};
}

static std::vector<uint8_t> Cat(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
	a.insert(a.end(), b.begin(), b.end());
	return a;
}

int main(int argc, char** argv)
{
	if (argc < 4)
	{
		fprintf(stderr, "usage: fuzz_content_seeds BG3D_DIR TGA_DIR FONT_METRICS_DIR\n");
		return 2;
	}
	fs::path models = argv[1], images = argv[2], fonts = argv[3];
	for (const fs::path& p : {models, images, fonts})
		fs::create_directories(p);

	Write(models / "plain.bg3d", ModelFile(false));
	Write(models / "textured.bg3d", ModelFile(true));

	Write(images / "rgba32.tga", Cat(TgaHeader(2, 2, 2, 32, 0x28), std::vector<uint8_t>(16, 0x80)));
	Write(images / "rgb24_bottom_up.tga", Cat(TgaHeader(2, 2, 2, 24, 0x00), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
	Write(images / "argb16.tga", Cat(TgaHeader(2, 2, 1, 16, 0x21), {0xFF, 0x7F, 0x00, 0x80}));
	Write(images / "grey_rle.tga", Cat(TgaHeader(11, 4, 2, 8, 0x20), {0x83, 9, 0x03, 1, 2, 3, 4}));
	Write(images / "rgba_rle.tga", Cat(TgaHeader(10, 3, 1, 32, 0x08), {0x81, 1, 2, 3, 4, 0x00, 5, 6, 7, 8}));
	Write(images / "mapped.tga", Cat(TgaHeader(1, 2, 2, 8, 0x20, 2, 24), {0, 0, 255, 0, 255, 0, 0, 1, 1, 0}));
	Write(images / "mapped_rle.tga", Cat(TgaHeader(9, 3, 1, 8, 0x00, 2, 24), {0, 0, 255, 0, 255, 0, 0x82, 1}));

	WriteText(fonts / "font.sfl",
		"seed font\n64 40.5\ncodepoint x y w h xoff yoff adv\n6\n"
		"32 0 0 0 0 0 0 10\n35 10 0 16 30 0 -20 18\n52 30 0 16 30 0 -20 20\n49 50 0 8 30 1 -20 12\n"
		"233 70 0 18 30 1 -22 21\n8364 90 0 20 30 0 -20 22\nend\n");
	WriteText(fonts / "warnings.sfl", "w\r\n64 40\r\nx\r\n3\r\n128512 0 0 1 1 1 1 1\r\n-4 0 0 1 1 1 1 1\r\n65 0 0 9 9 0 0 9\r\nend\r\n");
	return 0;
}
