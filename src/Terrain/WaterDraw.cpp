// Drawing the water: each patch in view at its kind's alpha and blending,
// both texture layers scrolling against each other every frame.
#include "Terrain/Water.h"
#include "Terrain/TerrainFile.h"
#include "3D/OGL_State.h"
#include "System/FrameTime.h"

#include <SDL_opengl.h>

void DrawWater(ObjNode*)
{
	if (!gWaterMeshes)
		return;
	gNumWaterDrawn = 0;
	OGL_PushState();
	glDisable(GL_CULL_FACE);
	glDepthMask(GL_FALSE);			// what lies under the surface still shows through the next patch
	const float oldTransparency = gGlobalTransparency;
	for (int i = 0; i < gNumWaterPatches; i++)
	{
		WaterMesh& mesh = gWaterMeshes[i];
		if (!IsBBoxInFrustum(&mesh.box))
			continue;
		const WaterKindLook& look = kWaterKinds[mesh.kind];
		gGlobalTransparency = look.alpha;
		glBlendFunc(GL_SRC_ALPHA, look.additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
		MO_DrawGeometry_VertexArray(&mesh.data);
		gNumWaterDrawn++;
	}
	gGlobalTransparency = oldTransparency;
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glDepthMask(GL_TRUE);
	OGL_PopState();

	ScrollWater(gFrameTime);
}
