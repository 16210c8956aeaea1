// Reading the frame back and writing it as PNG or TGA.
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

// Encoders, usable without GL.
std::vector<uint8_t> EncodePNG(const ScreenImage& image);
std::vector<uint8_t> EncodeTGA(const ScreenImage& image);

// Picks the format from the extension (.tga, else PNG); false on failure.
bool WriteScreenImage(const ScreenImage& image, const std::string& path);
