// Texture upload, binding, and the colour conversions of the two-colour stereo mode.
#include "3D/OGL_Textures.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/TGA.h"
#include "System/DataFiles.h"
#include "System/Error.h"
#include "System/Prefs.h"
#include "Files.h"
#include "Memory.h"

#include <SDL_opengl.h>
#include <algorithm>

//
// Stereo colour conversion
//

static uint8_t Cap255(float v)
{
	if (v >= 255.0f)
		return 255;
	if (v <= 0.0f)
		return 0;
	return uint8_t(v);
}

void OGL_BalanceAnaglyphColor(uint8_t* rp, uint8_t* gp, uint8_t* bp)
{
	uint32_t r = *rp, g = *gp, b = *bp;
	r = r * gGamePrefs.anaglyphCalibrationRed / 255;
	g = g * gGamePrefs.anaglyphCalibrationGreen / 255;
	b = b * gGamePrefs.anaglyphCalibrationBlue / 255;

	if (gGamePrefs.doAnaglyphChannelBalancing)
	{
		float red = 0.299f * float(r) + 1.0f;
		float greenBlue = 0.587f * float(g) + 0.114f * float(b) + 1.0f;
		float k = 1.5f * red / greenBlue;
		float newB = k * float(b);
		float newG = 0.8f * k * float(g);
		float newR = 0.4f * (greenBlue / red) * float(r);
		if (newB > float(b)) b = Cap255(newB);
		if (newG > float(g)) g = Cap255(newG);
		if (newR > float(r)) r = Cap255(newR);
	}

	*rp = uint8_t(std::min<uint32_t>(r, 255));
	*gp = uint8_t(std::min<uint32_t>(g, 255));
	*bp = uint8_t(std::min<uint32_t>(b, 255));
}

// Mode 2: grey first, then the calibration of the two lenses.
static void MonochromeAnaglyphColor(uint8_t* rp, uint8_t* gp, uint8_t* bp)
{
	float r = *rp, g = *gp, b = *bp;
	uint32_t y = Cap255((r / 255.0f * 0.299f + g / 255.0f * 0.586f + b / 255.0f * 0.114f) * 255.0f);
	*rp = uint8_t(std::min<uint32_t>(y * gGamePrefs.anaglyphCalibrationRed / 255, 255));
	*gp = uint8_t(y);
	*bp = uint8_t(std::min<uint32_t>(y * gGamePrefs.anaglyphCalibrationBlue / 255, 255));
}

static void ConvertPixel(uint8_t* r, uint8_t* g, uint8_t* b)
{
	if (gGamePrefs.anaglyphMode == 1)
		OGL_BalanceAnaglyphColor(r, g, b);
	else if (gGamePrefs.anaglyphMode == 2)
		MonochromeAnaglyphColor(r, g, b);
}

void OGL_ConvertTextureToAnaglyph(void* pixels, int width, int height, uint32_t srcFormat, uint32_t dataType)
{
	if (!pixels || width <= 0 || height <= 0 || gGamePrefs.anaglyphMode == 0)
		return;
	size_t count = size_t(width) * size_t(height);

	if (srcFormat == GL_RGBA && dataType == GL_UNSIGNED_BYTE)
	{
		uint8_t* p = static_cast<uint8_t*>(pixels);
		for (size_t i = 0; i < count; i++, p += 4)
			ConvertPixel(&p[0], &p[1], &p[2]);
	}
	else if (dataType == GL_UNSIGNED_INT_8_8_8_8_REV)
	{
		uint32_t* p = static_cast<uint32_t*>(pixels);
		for (size_t i = 0; i < count; i++)
		{
			uint32_t w = p[i];
			uint8_t r = uint8_t(w >> 16), g = uint8_t(w >> 8), b = uint8_t(w);
			ConvertPixel(&r, &g, &b);
			p[i] = (w & 0xFF000000u) | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
		}
	}
	else if (dataType == GL_UNSIGNED_SHORT_1_5_5_5_REV)
	{
		uint16_t* p = static_cast<uint16_t*>(pixels);
		for (size_t i = 0; i < count; i++)
		{
			uint16_t w = p[i];
			uint8_t r = uint8_t(((w >> 10) & 0x1F) << 3);
			uint8_t g = uint8_t(((w >> 5) & 0x1F) << 3);
			uint8_t b = uint8_t((w & 0x1F) << 3);
			ConvertPixel(&r, &g, &b);
			p[i] = uint16_t((w & 0x8000) | (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
		}
	}
}

//
// Upload
//

void OGL_BindTexture(uint32_t textureName)
{
	glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
	OGL_CHECK_ERROR();
	glBindTexture(GL_TEXTURE_2D, textureName);
	OGL_CHECK_ERROR();
	glGetError();
	glEnable(GL_TEXTURE_2D);
}

uint32_t OGL_TextureMap_Load(void* pixels, int width, int height,
		uint32_t srcFormat, uint32_t destFormat, uint32_t dataType)
{
	if (gLogicOnly)
		return 0;		// decoded, never uploaded: texture 0 is never bound in such a run
	if (gGamePrefs.anaglyphMode)
		OGL_ConvertTextureToAnaglyph(pixels, width, height, srcFormat, dataType);

	GLuint name = 0;
	glGenTextures(1, &name);
	OGL_CHECK_ERROR();
	glBindTexture(GL_TEXTURE_2D, name);
	OGL_CHECK_ERROR();
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
	glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
	glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
	glTexImage2D(GL_TEXTURE_2D, 0, GLint(destFormat), width, height, 0, srcFormat, dataType, pixels);
	OGL_CHECK_ERROR();

	OGL_BindTexture(name);
	return name;
}

uint32_t OGL_TextureMap_LoadTGA(const char* path, int flags, int* width, int* height)
{
	FSSpec spec;
	TGAHeader header = {};
	Ptr pixels = nullptr;
	OSErr err = MakeDataFileSpec(path, &spec);
	if (err == noErr)
		err = ReadTGA(&spec, &pixels, &header, true);
	GAME_ASSERT(err == noErr);
	GAME_ASSERT(header.bpp == 32);
	GAME_ASSERT(header.imageType == TGA_IMAGETYPE_CONVERTED_RGBA);

	uint32_t name = OGL_TextureMap_Load(pixels, header.width, header.height,
			GL_RGBA, (flags & 2) ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE);
	DisposePtr(pixels);

	if (width)
		*width = header.width;
	if (height)
		*height = header.height;
	return name;
}
