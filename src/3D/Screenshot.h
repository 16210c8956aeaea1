// Reading the frame back and writing it as PNG (through libpng) or TGA, for
// the --screenshot switch, the tests that look at frames and the baker's
// contact sheets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScreenImage
{
	int width = 0;
	int height = 0;
	std::vector<uint8_t> pixels;	// RGB, top row first
};

// Reads the current back buffer (call before the swap).
void CaptureScreen(ScreenImage* image);

// Encoders, usable without GL. EncodePNG gives no bytes for an image whose
// pixels don't fill width × height.
std::vector<uint8_t> EncodePNG(const ScreenImage& image);
std::vector<uint8_t> EncodeTGA(const ScreenImage& image);

// Picks the format from the extension (.tga, else PNG); false on failure.
bool WriteScreenImage(const ScreenImage& image, const std::string& path);
