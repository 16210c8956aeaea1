// Drawing the zip cables: two crossed ribbons along each active cable whose
// box is in view, textured with the level's cable image.
#include "Items/Rides.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/ContentNumbers.h"
#include "System/Objects.h"

#include <SDL_opengl.h>

void DrawZipLines(ObjNode*)
{
	const SpriteType* images = gSpriteGroupList[SPRITE_GROUP_LEVELSPECIFIC];
	const bool textured = images && gNumSpritesInGroupList[SPRITE_GROUP_LEVELSPECIFIC] > ZIP_CABLE_IMAGE;

	OGL_PushState();
	glDisable(GL_CULL_FACE);
	if (textured)
		MO_DrawMaterial(images[ZIP_CABLE_IMAGE].materialObject);
	else
		glDisable(GL_TEXTURE_2D);
	glColor4f(1, 1, 1, 1);
	for (const ZipLineType& zip : gZipLines)
	{
		if (!zip.isActive || zip.numGeometryPoints < 8)
			continue;
		if (IsBoxOutsideFrustum(zip.bbox, gWorldToFrustumMatrix))
			continue;
		// Ribbon 0 uses vertices 0 and 1 of each sample, ribbon 1 vertices 2 and 3.
		for (int ribbon = 0; ribbon < 2; ribbon++)
		{
			glBegin(GL_TRIANGLE_STRIP);
			for (int p = ribbon * 2; p < zip.numGeometryPoints; p += 4)
			{
				for (int k = 0; k < 2; k++)
				{
					glTexCoord2f(zip.uvs[p + k].u, zip.uvs[p + k].v);
					glVertex3f(zip.geometry[p + k].x, zip.geometry[p + k].y, zip.geometry[p + k].z);
				}
			}
			glEnd();
			gTrianglesThisFrame += zip.numGeometryPoints / 2 - 2;
		}
	}
	OGL_PopState();
}
