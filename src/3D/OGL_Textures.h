// Texture upload and binding (nothing is uploaded in a logic-only run), and
// the colour conversions of the two-colour stereo mode that textures and the
// clear colour go through.
#pragma once

#include <cstdint>

uint32_t OGL_TextureMap_Load(void* pixels, int width, int height,
		uint32_t srcFormat, uint32_t destFormat, uint32_t dataType);
// flags bit 1 set: keep the alpha channel (GL_RGBA), else GL_RGB.
uint32_t OGL_TextureMap_LoadTGA(const char* path, int flags, int* width, int* height);
void OGL_BindTexture(uint32_t textureName);

// Stereo colour conversions of the calibrated two-colour mode (channels 0..255).
void OGL_BalanceAnaglyphColor(uint8_t* r, uint8_t* g, uint8_t* b);
// Converts pixels in place for the current anaglyph mode; alpha is kept. Layouts
// other than RGBA bytes, 8-8-8-8-rev words and 1-5-5-5-rev words are untouched.
void OGL_ConvertTextureToAnaglyph(void* pixels, int width, int height, uint32_t srcFormat, uint32_t dataType);
