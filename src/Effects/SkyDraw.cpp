// The sky node: made at level start on levels with a sky, scrolled while the
// game runs, drawn around the camera with the level's sky image.
#include "Effects/Sky.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Objects.h"

#include <SDL_opengl.h>
#include <cmath>
#include <cstdio>

static SkyMesh gSkyMesh;
static float gSkyScroll1 = 0, gSkyScroll2 = 0;
static constexpr float SKY_SCROLL_SPEED = 0.03f;

static MetaObjectPtr SkyMaterial()
{
	const SpriteType* images = gSpriteGroupList[SPRITE_GROUP_LEVELSPECIFIC];
	if (!images || gNumSpritesInGroupList[SPRITE_GROUP_LEVELSPECIFIC] < 1)
		return nullptr;
	return images[0].materialObject;
}

static void MoveSky(ObjNode*)
{
	// The texture repeats every unit: wrapping keeps the precision.
	gSkyScroll1 = std::fmod(gSkyScroll1 + gFrameTime * SKY_SCROLL_SPEED, 1.0f);
	gSkyScroll2 = std::fmod(gSkyScroll2 + gFrameTime * SKY_SCROLL_SPEED, 1.0f);
}

void CreateSky()
{
	const SkyLevelInfo& info = GetSkyLevelInfo(gCurrentLevel);
	if (!info.hasSky || !gGameViewInfoPtr)
		return;
	if (!SkyMaterial())
	{
		fprintf(stderr, "CreateSky: level %d has no sky image (sprite group %d, image 0); no sky\n",
				gCurrentLevel, int(SPRITE_GROUP_LEVELSPECIFIC));
		return;
	}
	BuildSkyMesh(info, gGameViewInfoPtr->yon, &gSkyMesh);
	gSkyScroll1 = gSkyScroll2 = 0;

	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = info.drawnFirst ? 0 : 2;
	def.moveCall = MoveSky;
	def.drawCall = DrawSky;
	def.drawPass = DRAW_PASS_SKY;
	def.flags = STATUS_BIT_DONTCULL | STATUS_BIT_NOLIGHTING;
	def.scale = 1;
	MakeNewObject(&def);
}

void DrawSky(ObjNode*)
{
	MetaObjectPtr material = SkyMaterial();
	if (!material || !gGameViewInfoPtr)
		return;
	const SkyLevelInfo& info = GetSkyLevelInfo(gCurrentLevel);
	const OGLPoint3D& camera = gGameViewInfoPtr->cameraPlacement.from;
	UpdateSkyUVs(&gSkyMesh, gSkyScroll1, gSkyScroll2, camera.x, camera.z);

	OGL_PushState();
	OGL_DisableLighting();
	glEnable(GL_TEXTURE_2D);
	glDisable(GL_CULL_FACE);		// seen from below on most levels, from above on the cloud level
	glDepthMask(GL_FALSE);			// a backdrop: whatever comes later draws over it

	uint32_t savedFlags = gGlobalMaterialFlags;
	bool additive = info.additive;
	if (additive)
		gGlobalMaterialFlags |= MATERIAL_FLAG_ALWAYS_BLEND;
	if (info.fadeEdges)
		gGlobalMaterialFlags |= MATERIAL_FLAG_ALWAYS_BLEND;		// the edge alpha needs blending

	glEnableClientState(GL_VERTEX_ARRAY);
	glVertexPointer(3, GL_FLOAT, 0, gSkyMesh.points);
	glDisableClientState(GL_NORMAL_ARRAY);
	glEnableClientState(GL_TEXTURE_COORD_ARRAY);
	glTexCoordPointer(2, GL_FLOAT, 0, gSkyMesh.uvs);
	if (info.fadeEdges)
	{
		glEnableClientState(GL_COLOR_ARRAY);
		glColorPointer(4, GL_UNSIGNED_BYTE, 0, gSkyMesh.colors);
	}
	else
	{
		glDisableClientState(GL_COLOR_ARRAY);
	}

	glTranslatef(camera.x, info.height, camera.z);
	MO_DrawMaterial(material);
	if (additive)
		glBlendFunc(GL_SRC_ALPHA, GL_ONE);
	else
		glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

	glDrawElements(GL_TRIANGLES, SKY_NUM_INDICES, GL_UNSIGNED_INT, gSkyMesh.indices);
	if (glGetError() != GL_NO_ERROR)
		FatalAlert("DrawSky: glDrawElements");
	gTrianglesThisFrame += SKY_NUM_TRIANGLES;

	glDisableClientState(GL_COLOR_ARRAY);
	glDisableClientState(GL_TEXTURE_COORD_ARRAY);
	gGlobalMaterialFlags = savedFlags;
	OGL_PopState();
}
