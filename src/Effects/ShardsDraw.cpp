// Drawing shards: one triangle each, under its own matrix and tint.
#include "Effects/Shards.h"
#include "3D/MetaObjects.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/Pool.h"

#include <SDL_opengl.h>

void DrawShards()
{
	if (!gShardPool || Pool_IsEmpty(gShardPool))
		return;
	glDisable(GL_CULL_FACE);
	OGL_DisableLighting();

	for (int32_t i = Pool_First(gShardPool); i >= 0; i = Pool_Next(gShardPool, i))
	{
		const ShardType& s = gShards[i];
		gGlobalColorFilter = s.color;
		gGlobalTransparency = s.color.a;
		if (s.material)
		{
			MO_DrawMaterial(s.material);
		}
		else
		{
			glDisable(GL_TEXTURE_2D);
			glColor4f(s.color.r, s.color.g, s.color.b, s.color.a);
			if (s.color.a < 1.0f)
				glEnable(GL_BLEND);
			else
				glDisable(GL_BLEND);
		}
		glBlendFunc(GL_SRC_ALPHA, s.glow ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
		if (s.glow)
			glEnable(GL_BLEND);

		glPushMatrix();
		glMultMatrixf(s.matrix.value);
		glBegin(GL_TRIANGLES);
		for (int k = 0; k < 3; k++)
		{
			if (s.hasUVs)
				glTexCoord2f(s.uvs[k].u, s.uvs[k].v);
			glVertex3f(s.points[k].x, s.points[k].y, s.points[k].z);
		}
		glEnd();
		glPopMatrix();
		gTrianglesThisFrame++;
	}

	gGlobalColorFilter = {1, 1, 1, 1};
	gGlobalTransparency = 1;
	glEnable(GL_CULL_FACE);
	OGL_EnableLighting();
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}
