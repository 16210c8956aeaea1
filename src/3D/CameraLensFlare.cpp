// The lens flare: when the camera looks toward the level's sun, its glow and
// a line of rings and discs through the middle of the screen.
#include "3D/Camera.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/ContentNumbers.h"
#include "System/Game.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

OGLVector3D gLensFlareVector = {0.5f, -0.35f, 0.8f};
OGLColorRGBA gLensFlareColor = {1, 1, 1, 1};
OGLPoint3D gSunCoord = {0, 0, 0};
float gFlareBrightness = 0;

namespace
{
	struct FlareElement
	{
		int sprite;
		float distanceFactor;
		float halfSize;
	};
	constexpr FlareElement FLARE_ELEMENTS[] = {
		{PARTICLE_SPRITE_LENS_SUN, 1.0f, 0.3f},
		{PARTICLE_SPRITE_LENS_RING, 0.6f, 0.06f},
		{PARTICLE_SPRITE_LENS_DISC, 0.3f, 0.1f},
		{PARTICLE_SPRITE_LENS_RAINBOW, 0.125f, 0.2f},
		{PARTICLE_SPRITE_LENS_DISC, -0.25f, 0.03f},
		{PARTICLE_SPRITE_LENS_RING, -0.5f, 0.1f},
	};

	bool HaveFlareSprites()
	{
		return gNumSpritesInGroupList[SPRITE_GROUP_PARTICLES] > PARTICLE_SPRITE_LENS_RAINBOW;
	}
}

float CalcFlareBrightness(float c)
{
	// Rounding can push a dot product of unit vectors just past ±1.
	c = std::clamp(c, -1.0f, 1.0f);
	return std::cos(-2.0f * std::acos(c));
}

void DrawLensFlare()
{
	if (!gDrawLensFlare || !gGameViewInfoPtr || !HaveFlareSprites())
		return;

	const OGLCameraPlacement& cam = gGameViewInfoPtr->cameraPlacement;
	OGLVector3D toScene;
	OGLVector3D_Normalize(&gLensFlareVector, &toScene);
	gSunCoord = cam.from - toScene * gGameViewInfoPtr->yon;

	OGLVector3D u, v;
	OGLVector3D fromSun = cam.from - gSunCoord, look = cam.to - cam.from;
	OGLVector3D_Normalize(&fromSun, &u);
	OGLVector3D_Normalize(&look, &v);
	float c = OGLVector3D_Dot(&v, &u);
	if (c >= 0)
		return;				// the sun is behind the camera
	gFlareBrightness = CalcFlareBrightness(c);

	OGLPoint4D clip;
	OGLPoint3D_To4DTransform(&gSunCoord, &gWorldToWindowMatrix, &clip);
	if (clip.w <= 0)
		return;
	float sx = clip.x / clip.w, sy = clip.y / clip.w;
	int x0, y0, w, h;
	OGL_GetViewport(&x0, &y0, &w, &h);
	if (w <= 0 || h <= 0)
		return;
	// The window matrix gives pixels within the viewport.
	float cx = float(w) * 0.5f, cy = float(h) * 0.5f;
	float dx = sx - cx, dy = sy - cy;
	float len = std::sqrt(dx * dx + dy * dy);
	OGLVector2D n = {0, 0};
	if (len > 0)
		n = {dx / len, dy / len};

	OGL_PushState();
	OGL_DisableLighting();
	glDisable(GL_CULL_FACE);
	glDisable(GL_DEPTH_TEST);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE);
	glColor4f(1, 1, 1, 1);
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();

	for (size_t i = 0; i < std::size(FLARE_ELEMENTS); i++)
	{
		const FlareElement& e = FLARE_ELEMENTS[i];
		gGlobalTransparency = i == 0 ? 0.99f : gFlareBrightness;
		MO_DrawMaterial(gSpriteGroupList[SPRITE_GROUP_PARTICLES][e.sprite].materialObject);
		if (i == 1)
		{
			if (gFlareBrightness <= 0)
				break;
			glColor4f(gLensFlareColor.r, gLensFlareColor.g, gLensFlareColor.b, gLensFlareColor.a);
		}
		float X = (n.x * len * e.distanceFactor + cx) / (float(w) * 0.5f) - 1;
		float Y = (float(h) - (n.y * len * e.distanceFactor + cy)) / (float(h) * 0.5f) - 1;
		float sxHalf = e.halfSize, syHalf = e.halfSize * g2DLogicalAspect;
		glBegin(GL_QUADS);
		glTexCoord2f(0, 1);
		glVertex3f(X - sxHalf, Y - syHalf, 0);
		glTexCoord2f(1, 1);
		glVertex3f(X + sxHalf, Y - syHalf, 0);
		glTexCoord2f(1, 0);
		glVertex3f(X + sxHalf, Y + syHalf, 0);
		glTexCoord2f(0, 0);
		glVertex3f(X - sxHalf, Y + syHalf, 0);
		glEnd();
	}
	gGlobalTransparency = 1;
	OGL_PopState();
}
