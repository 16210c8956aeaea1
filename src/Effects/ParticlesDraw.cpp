// Drawing particles: each live particle becomes a camera-facing quad in its
// group's mesh, and each group in view is one draw call with its own blending.
#include "Effects/Particles.h"
#include "3D/MetaObjects.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/Error.h"
#include "System/Pool.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>

void CalcParticleBillboard(const OGLPoint3D& coord, const OGLPoint3D& eye, float rotZ, OGLMatrix4x4* out)
{
	const OGLVector3D up = {0, 1, 0};
	OGLVector3D toEye = eye - coord, z, x;
	OGLVector3D_Normalize(&toEye, &z);
	OGLVector3D_Cross(&up, &z, &x);
	OGLVector3D_Normalize(&x, &x);
	// Seen from straight above or below the quad still needs a width.
	if (x.x == 0.0f && x.y == 0.0f && x.z == 0.0f)
		x = {1, 0, 0};

	OGLMatrix4x4& m = *out;
	OGLMatrix4x4_SetIdentity(&m);
	m.value[0] = x.x; m.value[1] = x.y; m.value[2] = x.z;
	m.value[4] = up.x; m.value[5] = up.y; m.value[6] = up.z;
	m.value[8] = z.x; m.value[9] = z.y; m.value[10] = z.z;
	m.value[12] = coord.x; m.value[13] = coord.y; m.value[14] = coord.z;

	if (rotZ != 0.0f)
	{
		OGLMatrix4x4 spin;
		OGLMatrix4x4_SetRotate_Z(&spin, rotZ);
		OGLMatrix4x4_Multiply(&spin, &m, &m);		// spin first, then face the camera
	}
}

static uint8_t AlphaByte(float alpha)
{
	return uint8_t(std::clamp(alpha, 0.0f, 1.0f) * 255.0f);
}

// Fills the group's mesh from its particles; returns the mesh's box.
static OGLBoundingBox BuildGroupMesh(ParticleGroupType* pg, const OGLPoint3D& eye)
{
	MOVertexArrayData* mesh = MO_VertexArrayData(pg->geometryObj);
	OGLBoundingBox box = {{1e8f, 1e8f, 1e8f}, {-1e8f, -1e8f, -1e8f}, true};
	int n = 0;
	for (int32_t p = Pool_First(pg->pool); p >= 0; p = Pool_Next(pg->pool, p))
	{
		GAME_ASSERT(Pool_IsUsed(pg->pool, p));
		float s = pg->baseScale * pg->scale[p];
		const OGLPoint3D corners[4] = {{-s, -s, 0}, {s, -s, 0}, {s, s, 0}, {-s, s, 0}};
		OGLMatrix4x4 m;
		CalcParticleBillboard(pg->coord[p], eye, pg->rotZ[p], &m);
		OGLPoint3D* points = &mesh->points[n * 4];
		OGLPoint3D_TransformArray(corners, &m, points, 4);
		for (int c = 0; c < 4; c++)
		{
			box.min.x = std::min(box.min.x, points[c].x);
			box.min.y = std::min(box.min.y, points[c].y);
			box.min.z = std::min(box.min.z, points[c].z);
			box.max.x = std::max(box.max.x, points[c].x);
			box.max.y = std::max(box.max.y, points[c].y);
			box.max.z = std::max(box.max.z, points[c].z);
			mesh->colorsByte[n * 4 + c] = {255, 255, 255, AlphaByte(pg->alpha[p])};
		}
		box.isEmpty = false;
		n++;
	}
	mesh->numTriangles = n * 2;
	mesh->numPoints = n * 4;
	return box;
}

void DrawParticleGroup(ObjNode*)
{
	if (!gParticleGroupPool || !gGameViewInfoPtr)
		return;
	const OGLPoint3D eye = gGameViewInfoPtr->cameraPlacement.from;

	OGL_PushState();
	OGL_DisableLighting();
	glEnable(GL_BLEND);
	glDepthMask(GL_FALSE);
	glColor4f(1, 1, 1, 1);
	glEnable(GL_COLOR_MATERIAL);

	for (int32_t g = Pool_First(gParticleGroupPool); g >= 0; g = Pool_Next(gParticleGroupPool, g))
	{
		GAME_ASSERT(Pool_IsUsed(gParticleGroupPool, g));
		ParticleGroupType* pg = &gParticleGroups[g];
		OGLBoundingBox box = BuildGroupMesh(pg, eye);
		if (box.isEmpty || !IsBBoxInFrustum(&box))
			continue;

		glBlendFunc(GLenum(pg->srcBlend), GLenum(pg->dstBlend));
		// Fog would grey out glowing sparks: additive groups go without it.
		if (gGameViewInfoPtr->useFog)
		{
			if (pg->dstBlend == GL_ONE)
				glDisable(GL_FOG);
			else
				glEnable(GL_FOG);
		}
		MO_DrawGeometry_VertexArray(MO_VertexArrayData(pg->geometryObj));
		// The material may have switched blending off for an opaque texture.
		glEnable(GL_BLEND);
	}

	glColor4f(1, 1, 1, 1);
	glEnable(GL_COLOR_MATERIAL);
	OGL_PopState();
}
