// Drawing the fences: each one in view, its nubs faded with their distance
// from the camera where the level fades its scenery.
#include "Terrain/Fences.h"
#include "Terrain/TerrainFile.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/Level.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>

void DrawFences(ObjNode*)
{
	if (!gFenceMeshes)
		return;
	const OGLPoint3D& eye = gGameViewInfoPtr->cameraPlacement.from;
	gNumFencesDrawn = 0;

	OGL_PushState();
	glDisable(GL_CULL_FACE);
	// A fading fence must blend even where its image is opaque.
	const uint32_t oldFlags = gGlobalMaterialFlags;
	if (gAutoFadeStatusBits)
		gGlobalMaterialFlags |= MATERIAL_FLAG_ALWAYS_BLEND;
	for (int f = 0; f < gNumFences; f++)
	{
		FenceRecord& fence = gFenceList[f];
		fence.isCulled = !IsBBoxInFrustum(&fence.bBox);
		if (fence.isCulled)
			continue;
		FenceMesh& mesh = gFenceMeshes[f];
		for (int k = 0; k < fence.numNubs; k++)
		{
			uint8_t alpha = 255;
			if (gAutoFadeStatusBits)
			{
				float dx = std::fabs(fence.nubList[k].x - eye.x), dz = std::fabs(fence.nubList[k].z - eye.z);
				float d = std::max(dx, dz) + 0.375f * std::min(dx, dz);
				float a = d < gAutoFadeStart ? 1.0f
						: d >= gAutoFadeEnd ? 0.0f
						: std::max(0.0f, 1.0f - (d - gAutoFadeStart) * gAutoFadeRate);
				alpha = uint8_t(a * 255.0f);
			}
			mesh.colors[2 * k].a = mesh.colors[2 * k + 1].a = alpha;
		}
		MO_DrawGeometry_VertexArray(&mesh.data);
		gNumFencesDrawn++;
	}
	gGlobalMaterialFlags = oldFlags;
	OGL_PopState();
}
