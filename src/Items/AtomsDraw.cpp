// Drawing an atom: a flickering camera-facing glow with two spinning rings
// round it, all added onto the scene.
#include "Items/Powerups.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/ContentNumbers.h"
#include "System/Objects.h"

#include <SDL_opengl.h>
#include <cmath>

namespace
{
	constexpr float GLOW_HALF_SIZE = 70.0f;
	constexpr float GLOW_FLICKER = 20.0f;		// ± on the half size, every frame
	constexpr float RING_HALF_SIZE = 80.0f;
	constexpr float RING_ALPHA = 0.5f;

	// The flicker has its own generator: drawing must not move the game's
	// random numbers, or a run that draws and one that doesn't would part ways.
	float FlickerNoise()
	{
		static uint32_t state = 0x6A09E667u;
		state ^= state << 13;
		state ^= state >> 17;
		state ^= state << 5;
		return float(state >> 8) * (2.0f / 16777216.0f) - 1.0f;
	}

	// A ring's plane: the x/y square turned by `yaw` about y, then `pitch` about x.
	void RingAxes(float yaw, float pitch, OGLVector3D* side, OGLVector3D* top)
	{
		float cy = std::cos(yaw), sy = std::sin(yaw), cp = std::cos(pitch), sp = std::sin(pitch);
		OGLVector3D s = {cy, 0, -sy};					// the x axis after the yaw
		OGLVector3D t = {0, 1, 0};
		*side = {s.x, s.y * cp - s.z * sp, s.y * sp + s.z * cp};
		*top = {t.x, t.y * cp - t.z * sp, t.y * sp + t.z * cp};
	}
}

void DrawAtom(ObjNode* atom)
{
	const SpriteType* images = gSpriteGroupList[SPRITE_GROUP_GLOBAL];
	if (!images || !gGameViewInfoPtr || gNumSpritesInGroupList[SPRITE_GROUP_GLOBAL] < int(GLOBAL_SPRITE_ATOM_RING) + int(NUM_ATOM_COLORS))
		return;
	const OGLPoint3D p = atom->Coord;
	const OGLPoint3D eye = gGameViewInfoPtr->cameraPlacement.from;
	const OGLVector3D up = {0, 1, 0};

	OGL_PushState();
	OGL_DisableLighting();
	glDisable(GL_CULL_FACE);
	glDepthMask(GL_FALSE);
	glEnable(GL_BLEND);

	// The glow, facing the camera.
	OGLVector3D toEye = eye - p, side, top;
	OGLVector3D_Cross(&up, &toEye, &side);
	OGLVector3D_Normalize(&side, &side);
	OGLVector3D_Cross(&toEye, &side, &top);
	OGLVector3D_Normalize(&top, &top);
	float half = GLOW_HALF_SIZE + FlickerNoise() * GLOW_FLICKER;
	MO_DrawMaterial(images[GLOBAL_SPRITE_ATOM + atom->Type].materialObject);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE);
	glColor4f(1, 1, 0.7f + 0.3f * std::sin(AtomGlowPhase(atom)), 1);
	OGL_DrawTexturedQuad(p, side * half, top * half);

	// The two rings.
	MO_DrawMaterial(images[GLOBAL_SPRITE_ATOM_RING + atom->Type].materialObject);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE);
	glColor4f(1, 1, 1, RING_ALPHA);
	for (int r = 0; r < 2; r++)
	{
		float yaw, pitch;
		AtomRingAngles(atom, r, &yaw, &pitch);
		RingAxes(yaw, pitch, &side, &top);
		OGL_DrawTexturedQuad(p, side * RING_HALF_SIZE, top * RING_HALF_SIZE);
	}

	OGL_PopState();
}
