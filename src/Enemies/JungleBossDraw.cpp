// Drawing the tentacles: each live one's tube, skinned with the level's
// tentacle image, in one indexed draw.
#include "Enemies/JungleBoss.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/ContentNumbers.h"

#include <SDL_opengl.h>

namespace
{
	TentacleMesh gMesh;			// kept between frames: no allocation once it has grown
}

void DrawTentacles(ObjNode*)
{
	const SpriteType* images = gSpriteGroupList[SPRITE_GROUP_LEVELSPECIFIC];
	const bool textured = images && gNumSpritesInGroupList[SPRITE_GROUP_LEVELSPECIFIC] > TENTACLE_IMAGE;
	OGL_PushState();
	if (textured)
		MO_DrawMaterial(images[TENTACLE_IMAGE].materialObject);
	else
	{
		glDisable(GL_TEXTURE_2D);
		glColor4f(0.45f, 0.25f, 0.35f, 1);
	}
	glEnableClientState(GL_VERTEX_ARRAY);
	glEnableClientState(GL_NORMAL_ARRAY);
	glEnableClientState(GL_TEXTURE_COORD_ARRAY);
	for (const Tentacle& t : gTentacles)
	{
		if (!t.isUsed)
			continue;
		BuildTentacleMesh(t, &gMesh);
		if (gMesh.triangles.empty())
			continue;
		glVertexPointer(3, GL_FLOAT, 0, gMesh.points.data());
		glNormalPointer(GL_FLOAT, 0, gMesh.normals.data());
		glTexCoordPointer(2, GL_FLOAT, 0, gMesh.uvs.data());
		glDrawElements(GL_TRIANGLES, GLsizei(gMesh.triangles.size()), GL_UNSIGNED_INT, gMesh.triangles.data());
		gTrianglesThisFrame += int(gMesh.triangles.size() / 3);
	}
	glDisableClientState(GL_VERTEX_ARRAY);
	glDisableClientState(GL_NORMAL_ARRAY);
	glDisableClientState(GL_TEXTURE_COORD_ARRAY);
	OGL_PopState();
}
