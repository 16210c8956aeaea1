// The Truevision TGA image format as the game uses it: an 18-byte
// little-endian header (ID length, colour-map type, image type, palette
// origin, count and entry bits, x and y origin, width, height, bits per
// pixel, descriptor), an optional palette, then raw or run-length encoded
// pixels. The game's decoder and the baker's writer both take their numbers
// from here. Header only, no dependencies.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t TGA_HEADER_BYTES = 18;

// Image types; the RLE bit added makes the run-length encoded form of each.
constexpr uint8_t TGA_IMAGETYPE_COLORMAPPED = 1;
constexpr uint8_t TGA_IMAGETYPE_TRUECOLOR = 2;
constexpr uint8_t TGA_IMAGETYPE_GREY = 3;
constexpr uint8_t TGA_IMAGETYPE_RLE_BIT = 8;
// Not in any file: what the decoder reports for an image it converted to RGBA.
constexpr uint8_t TGA_IMAGETYPE_CONVERTED_RGBA = 255;

// Image descriptor bits.
constexpr uint8_t TGA_DESCRIPTOR_ALPHA_BITS = 0x0F;		// attribute (alpha) bits per pixel
constexpr uint8_t TGA_DESCRIPTOR_TOPDOWN = 0x20;		// row 0 is the top row

// Largest width or height the game accepts: bigger than any texture a driver
// takes, small enough that a lying header cannot ask for gigabytes.
constexpr int TGA_MAX_DIMENSION = 8192;
