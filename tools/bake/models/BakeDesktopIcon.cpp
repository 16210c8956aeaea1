// The game's icon for the desktop (the hicolor theme of an installed game):
// the robot's head with its glowing visor on a round badge, as PNG files in
// Data/Desktop, one per size the desktop entry offers.
#include "Bake.h"
#include "kit/Art.h"

#include <png.h>
#include <stdexcept>

namespace
{
	using namespace Kit;

	Image DrawIcon(int size)
	{
		// Drawn on a 256 grid, scaled by s.
		float s = float(size) / 256.0f;
		Image img(size, size);
		FillCircle(img, 128 * s, 132 * s, 118 * s, {18, 28, 70, 255});
		FillRing(img, 128 * s, 132 * s, 110 * s, 118 * s, {120, 190, 255, 255});
		Glow(img, 128 * s, 140 * s, 100 * s, {60, 110, 255, 160}, 1.6f, Blend::ADD);

		// Antenna.
		DrawLine(img, 150 * s, 40 * s, 140 * s, 76 * s, 7 * s, Art::ROBOT_WHITE);
		FillCircle(img, 152 * s, 36 * s, 12 * s, Art::ROBOT_ANTENNA);
		FillCircle(img, 148 * s, 32 * s, 4 * s, {255, 210, 210, 255});

		// Head, ears and visor.
		FillRoundedRect(img, 48 * s, 70 * s, 208 * s, 200 * s, 38 * s, Art::ROBOT_BLUE);
		FillRoundedRect(img, 28 * s, 112 * s, 52 * s, 160 * s, 10 * s, Art::GOLD);
		FillRoundedRect(img, 204 * s, 112 * s, 228 * s, 160 * s, 10 * s, Art::GOLD);
		FillRoundedRect(img, 66 * s, 104 * s, 190 * s, 170 * s, 20 * s, Art::ROBOT_WHITE);
		FillRoundedRect(img, 78 * s, 116 * s, 178 * s, 158 * s, 14 * s, {20, 40, 50, 255});
		Glow(img, 104 * s, 137 * s, 20 * s, Art::ROBOT_VISOR, 1.5f, Blend::ADD);
		Glow(img, 152 * s, 137 * s, 20 * s, Art::ROBOT_VISOR, 1.5f, Blend::ADD);
		FillCircle(img, 104 * s, 137 * s, 9 * s, Art::ROBOT_VISOR);
		FillCircle(img, 152 * s, 137 * s, 9 * s, Art::ROBOT_VISOR);
		Glow(img, 84 * s, 88 * s, 26 * s, {255, 255, 255, 200}, 2.0f, Blend::OVER);
		if (size >= 48)
			Outline(img, 3 * s, {10, 14, 34, 255});
		return img;
	}

	std::vector<uint8_t> EncodeRGBA(const Image& img)
	{
		png_image png = {};
		png.version = PNG_IMAGE_VERSION;
		png.width = png_uint_32(img.width);
		png.height = png_uint_32(img.height);
		png.format = PNG_FORMAT_RGBA;
		std::vector<uint8_t> rgba;
		rgba.reserve(img.pixels.size() * 4);
		for (const Rgba& p : img.pixels)
			rgba.insert(rgba.end(), {p.r, p.g, p.b, p.a});
		png_alloc_size_t size = 0;
		if (!png_image_write_to_memory(&png, nullptr, &size, 0, rgba.data(), 0, nullptr))
			throw std::runtime_error("icon: can't size the PNG");
		std::vector<uint8_t> out(size);
		if (!png_image_write_to_memory(&png, out.data(), &size, 0, rgba.data(), 0, nullptr))
			throw std::runtime_error(std::string("icon: ") + png.message);
		out.resize(size);
		return out;
	}

	void BakeDesktopIcon(const Bake::Context& context)
	{
		for (int size : {32, 64, 128, 256})
			Bake::WriteDataFile(context, "Desktop/zappatron-" + std::to_string(size) + ".png", EncodeRGBA(DrawIcon(size)));
	}
}

BAKE_STEP("desktop/icon", BakeDesktopIcon);
