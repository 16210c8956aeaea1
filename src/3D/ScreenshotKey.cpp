#include "3D/ScreenshotKey.h"
#include "3D/MetaObjects.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/Screenshot.h"
#include "3D/ScreenshotPaths.h"
#include "3D/TextMesh.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/Strings.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
	std::string gNoticeText;
	float gNoticeSecondsLeft = 0;

	// The notice's lines as glyph quads, laid out again only when its text
	// changes. Each line is centred on its own (a layout centres by its last line).
	struct NoticeLine
	{
		TextMeshLayout layout;
		std::vector<OGLPoint3D> points;
		std::vector<OGLTextureCoord> uvs;
		std::vector<uint32_t> triangles;
	};
	std::string gLaidOutText;
	std::vector<NoticeLine> gNoticeLines;

	// Reads the back buffer, writes it and says how that went, for the notice.
	std::string TakeShot()
	{
		ScreenImage image;
		CaptureScreen(&image);
		std::vector<uint8_t> png = EncodePNG(image);
		fs::path folder = png.empty() ? fs::path() : ScreenshotPaths_FindFolder();

		std::time_t now = std::time(nullptr);
		std::tm local = {};
		localtime_r(&now, &local);
		fs::path written = folder.empty() ? fs::path() : ScreenshotPaths_WriteNew(folder, local, png);

		const char* home = std::getenv("HOME");
		if (written.empty())
		{
			fprintf(stderr, "screenshot: not written (folder %s)\n", folder.empty() ? "none" : folder.c_str());
			return GetString(STR_SCREENSHOT_FAILED);
		}
		printf("screenshot: %s\n", written.c_str());
		fflush(stdout);
		return std::string(GetString(STR_SCREENSHOT_SAVED)) + "\n"
				+ ScreenshotPaths_ForDisplay(written.string(), home ? home : "");
	}

	void LayOutNotice()
	{
		const TextMeshFont& font = TextMesh_GetFont();
		gNoticeLines.clear();
		size_t start = 0;
		while (start <= gNoticeText.size())
		{
			size_t end = gNoticeText.find('\n', start);
			if (end == std::string::npos)
				end = gNoticeText.size();
			std::string text = gNoticeText.substr(start, end - start);
			NoticeLine line;
			line.layout = TextMesh_Measure(font, text.c_str(), TEXTMESH_ALIGN_CENTER);
			size_t chars = size_t(std::max(line.layout.visibleChars, 0));
			line.points.resize(chars * 4);
			line.uvs.resize(chars * 4);
			line.triangles.resize(chars * 6);
			if (chars > 0)
				TextMesh_PlaceGlyphs(font, text.c_str(), line.layout, line.points.data(), line.uvs.data(),
						line.triangles.data());
			gNoticeLines.push_back(std::move(line));
			start = end + 1;
		}
		gLaidOutText = gNoticeText;
	}

	// Centred text on a dark band, fading out at the end of its time.
	void DrawNotice()
	{
		if (gNoticeSecondsLeft <= 0 || !gFontMaterial || !TextMesh_MetricsLoaded())
			return;
		if (gLaidOutText != gNoticeText)
			LayOutNotice();
		const float alpha = std::min(1.0f, gNoticeSecondsLeft / SCREENSHOT_NOTICE_FADE_SECONDS);
		const float s = SCREENSHOT_NOTICE_SCALE;

		const uint32_t savedFlags = gGlobalMaterialFlags;
		const float savedTransparency = gGlobalTransparency;
		OGL_PushState();
		OGL_Set2DOverlayState(true);
		glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
		glDisable(GL_FOG);
		glTranslatef(0, SCREENSHOT_NOTICE_Y, 0);

		glDisable(GL_TEXTURE_2D);
		glEnable(GL_BLEND);
		glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
		glColor4f(0, 0, 0, 0.6f * alpha);
		// Lines are half a font line apart in layout units, as text nodes step them.
		const float lineStep = 0.5f * TextMesh_GetFont().lineHeight * s;
		const float m = SCREENSHOT_NOTICE_MARGIN;
		float left = 0, right = 0;
		for (const NoticeLine& line : gNoticeLines)
		{
			left = std::min(left, float(line.layout.leftOff) * s);
			right = std::max(right, float(line.layout.rightOff) * s);
		}
		const float top = gNoticeLines.empty() ? 0 : float(gNoticeLines.front().layout.topOff) * s;
		const float bottom = gNoticeLines.empty() ? 0
				: lineStep * float(gNoticeLines.size() - 1) + float(gNoticeLines.back().layout.bottomOff) * s;
		glBegin(GL_QUADS);
		glVertex2f(left - m, top - m);
		glVertex2f(right + m, top - m);
		glVertex2f(right + m, bottom + m);
		glVertex2f(left - m, bottom + m);
		glEnd();

		gGlobalTransparency = alpha;
		gMostRecentMaterial = nullptr;		// the band turned texturing off: bind the font again
		for (size_t i = 0; i < gNoticeLines.size(); i++)
		{
			NoticeLine& line = gNoticeLines[i];
			if (line.triangles.empty())
				continue;
			MOVertexArrayData mesh = {};
			mesh.numMaterials = 1;
			mesh.materials[0] = gFontMaterial;
			mesh.numPoints = int(line.points.size());
			mesh.numTriangles = int(line.triangles.size() / 3);
			mesh.points = line.points.data();
			mesh.uvs[0] = line.uvs.data();
			mesh.triangles = line.triangles.data();
			glPushMatrix();
			glTranslatef(0, lineStep * float(i), 0);
			glScalef(s, s, 1);
			MO_DrawGeometry_VertexArray(&mesh);
			glPopMatrix();
		}

		OGL_PopState();
		gGlobalTransparency = savedTransparency;
		gGlobalMaterialFlags = savedFlags;
	}
}

void ScreenshotKey_Frame()
{
	if (GetNewKeyState(SCREENSHOT_KEY))
	{
		gNoticeText = TakeShot();
		gNoticeSecondsLeft = SCREENSHOT_NOTICE_SECONDS;
	}
	else if (gNoticeSecondsLeft > 0)
	{
		gNoticeSecondsLeft -= gFrameTime;
	}
	DrawNotice();
}
