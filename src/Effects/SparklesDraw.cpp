// Drawing sparkles: additive camera-facing quads, pulled toward the camera so
// they sit in front of the surface they light.
#include "Effects/Sparkles.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/ContentNumbers.h"
#include "System/Pool.h"
#include "System/Random.h"

#include <SDL_opengl.h>
#include <algorithm>

bool CalcSparkleAppearance(const SparkleType& s, const OGLPoint3D& eye, OGLPoint3D* where, float* alpha)
{
	ObjNode* owner = s.owner.Get();
	OGLPoint3D p = s.where;
	if (owner)
	{
		// A detached owner (a spline rider out of range) is not drawn either.
		if (owner->StatusBits & (STATUS_BIT_HIDDEN | STATUS_BIT_ISCULLED | STATUS_BIT_DETACHED))
			return false;
		if (s.flags & SPARKLE_FLAG_TRANSFORMWITHOWNER)
			OGLPoint3D_Transform(&s.where, &owner->BaseTransformMatrix, &p);
	}
	else if (s.flags & SPARKLE_FLAG_TRANSFORMWITHOWNER)
	{
		return false;		// its owner has gone; nothing left to follow
	}

	OGLVector3D v = eye - p;
	OGLVector3D_Normalize(&v, &v);
	*where = p + v * s.separation;
	*alpha = s.color.a;
	if (!(s.flags & SPARKLE_FLAG_OMNIDIRECTIONAL))
	{
		float d = OGLVector3D_Dot(&v, &s.aim);
		if (d <= 0.0f)
			return false;
		*alpha = std::min(d, 1.0f);
	}
	return true;
}

// Flicker has its own generator: drawing must not move the game's random
// numbers, or a run that draws and one that doesn't (a replay) would part ways.
static float FlickerNoise()
{
	static uint32_t state = 0x9E3779B9u;
	state ^= state << 13;
	state ^= state >> 17;
	state ^= state << 5;
	return float(state >> 8) * (2.0f / 16777216.0f) - 1.0f;		// −1 .. 1
}

void DrawSparkles(ObjNode*)
{
	if (!gSparklePool || !gGameViewInfoPtr || Pool_IsEmpty(gSparklePool))
		return;
	const SpriteType* images = gSpriteGroupList[SPRITE_GROUP_PARTICLES];
	int numImages = gNumSpritesInGroupList[SPRITE_GROUP_PARTICLES];
	if (!images)
		return;
	const OGLPoint3D eye = gGameViewInfoPtr->cameraPlacement.from;
	const OGLVector3D up = {0, 1, 0};

	OGL_PushState();
	OGL_DisableLighting();
	glDisable(GL_NORMALIZE);
	glDisable(GL_CULL_FACE);
	glDisable(GL_FOG);
	glDepthMask(GL_FALSE);

	for (int32_t i = Pool_First(gSparklePool); i >= 0; i = Pool_Next(gSparklePool, i))
	{
		SparkleType& s = gSparkles[i];
		OGLPoint3D p;
		float alpha;
		if (!CalcSparkleAppearance(s, eye, &p, &alpha))
			continue;
		if (!(s.flags & SPARKLE_FLAG_OMNIDIRECTIONAL))
			s.color.a = alpha;
		if (s.flags & SPARKLE_FLAG_FLICKER)
		{
			alpha += FlickerNoise() * 0.5f;
			if (alpha < 0.0f)
				continue;
			alpha = std::min(alpha, 1.0f);
		}
		if (s.textureNum >= numImages)
			continue;

		// A quad of half size `scale` facing the camera.
		OGLVector3D toEye = eye - p, side, top;
		OGLVector3D_Cross(&up, &toEye, &side);
		OGLVector3D_Normalize(&side, &side);
		OGLVector3D_Cross(&toEye, &side, &top);
		OGLVector3D_Normalize(&top, &top);
		side = side * s.scale;
		top = top * s.scale;

		MO_DrawMaterial(images[s.textureNum].materialObject);
		glEnable(GL_BLEND);
		glBlendFunc(GL_SRC_ALPHA, GL_ONE);
		glColor4f(s.color.r, s.color.g, s.color.b, alpha);
		OGL_DrawTexturedQuad(p, side, top);
	}

	OGL_PopState();
}
