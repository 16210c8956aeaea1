// Drawing vapour trails: colour streaks as ribbons that always show their
// face to the camera, smoke columns as tubes through each segment's ring.
#include "Effects/VaporTrails.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_Camera.h"
#include "3D/OGL_State.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"

#include <SDL_opengl.h>
#include <algorithm>

extern MetaObjectPtr gVaporTrailMaterial;

namespace
{
	constexpr int MAX_TRAIL_POINTS = MAX_TRAIL_SEGMENTS * VAPORTRAIL_RING_POINTS;
	constexpr int MAX_TRAIL_TRIANGLES = (MAX_TRAIL_SEGMENTS - 1) * (VAPORTRAIL_RING_POINTS - 1) * 2;

	// One mesh reused by every trail in turn.
	OGLPoint3D gTrailPoints[MAX_TRAIL_POINTS];
	OGLTextureCoord gTrailUVs[MAX_TRAIL_POINTS];
	OGLColorRGBA_Byte gTrailColors[MAX_TRAIL_POINTS];
	uint32_t gTrailTriangles[MAX_TRAIL_TRIANGLES * 3];

	OGLColorRGBA_Byte ToBytes(const OGLColorRGBA& c)
	{
		auto b = [](float v) { return uint8_t(std::clamp(v, 0.0f, 1.0f) * 255.0f); };
		return {b(c.r), b(c.g), b(c.b), b(c.a)};
	}

	// Direction of the trail at segment s (from its neighbours).
	OGLVector3D TrailDirection(const VaporTrailType& t, int s)
	{
		int a = std::max(s - 1, 0), b = std::min(s + 1, t.numSegments - 1);
		return t.points[b] - t.points[a];
	}

	MOVertexArrayData TrailMesh(int numPoints, int numTriangles)
	{
		MOVertexArrayData mesh = {};
		mesh.numMaterials = -1;		// the material applied just before
		mesh.numPoints = numPoints;
		mesh.numTriangles = numTriangles;
		mesh.points = gTrailPoints;
		mesh.uvs[0] = gTrailUVs;
		mesh.colorsByte = gTrailColors;
		mesh.triangles = gTrailTriangles;
		return mesh;
	}
}

static void DrawVaporTrail_ColorStreak(const VaporTrailType& t, const OGLMatrix4x4& viewToWorld)
{
	GAME_ASSERT(t.numSegments <= MAX_TRAIL_SEGMENTS);
	float halfWidth = t.size * 15.0f;
	OGLPoint3D view[MAX_TRAIL_SEGMENTS];
	OGLPoint3D_TransformArray(t.points, &gWorldToViewMatrix, view, t.numSegments);

	for (int s = 0; s < t.numSegments; s++)
	{
		int a = std::max(s - 1, 0), b = std::min(s + 1, t.numSegments - 1);
		// Sideways in the view plane; a segment pointing at the camera has no side and collapses.
		OGLVector3D side = {-(view[b].y - view[a].y), view[b].x - view[a].x, 0};
		OGLVector3D_Normalize(&side, &side);
		OGLPoint3D left = view[s] + side * halfWidth, right = view[s] - side * halfWidth;
		OGLPoint3D_Transform(&left, &viewToWorld, &gTrailPoints[s * 2]);
		OGLPoint3D_Transform(&right, &viewToWorld, &gTrailPoints[s * 2 + 1]);
		gTrailColors[s * 2] = gTrailColors[s * 2 + 1] = ToBytes(t.colors[s]);
	}
	int numTriangles = 0;
	for (int s = 0; s < t.numSegments - 1; s++)
	{
		uint32_t b = uint32_t(s * 2);
		uint32_t* tri = &gTrailTriangles[numTriangles * 3];
		tri[0] = b; tri[1] = b + 1; tri[2] = b + 3;
		tri[3] = b; tri[4] = b + 3; tri[5] = b + 2;
		numTriangles += 2;
	}

	MO_DrawMaterial(gVaporTrailMaterial);
	glEnable(GL_BLEND);
	MOVertexArrayData mesh = TrailMesh(t.numSegments * 2, numTriangles);
	mesh.uvs[0] = nullptr;
	MO_DrawGeometry_VertexArray(&mesh);
}

static void DrawVaporTrail_SmokeColumn(const VaporTrailType& t)
{
	constexpr int R = VAPORTRAIL_RING_POINTS;
	for (int s = 0; s < t.numSegments; s++)
	{
		// Two axes across the trail for the ring.
		OGLVector3D axis = TrailDirection(t, s), u, v;
		OGLVector3D_Normalize(&axis, &axis);
		if (axis.x == 0 && axis.y == 0 && axis.z == 0)
			axis = {0, 1, 0};		// a trail that has not moved yet stands upright
		OGLVector3D helper = std::abs(axis.y) < 0.9f ? OGLVector3D{0, 1, 0} : OGLVector3D{1, 0, 0};
		OGLVector3D_Cross(&helper, &axis, &u);
		OGLVector3D_Normalize(&u, &u);
		OGLVector3D_Cross(&axis, &u, &v);
		for (int k = 0; k < R; k++)
		{
			const OGLVector2D& o = t.ring[s][k];
			float sc = t.segScale[s];
			gTrailPoints[s * R + k] = t.points[s] + u * (o.x * sc) + v * (o.y * sc);
			gTrailUVs[s * R + k] = {float(k) / float(R - 1), float(s) * 0.5f};
			gTrailColors[s * R + k] = ToBytes(t.colors[s]);
		}
	}
	int numTriangles = 0;
	for (int s = 0; s < t.numSegments - 1; s++)
		for (int k = 0; k < R - 1; k++)
		{
			uint32_t a = uint32_t(s * R + k), b = a + 1, c = a + R, d = c + 1;
			uint32_t* tri = &gTrailTriangles[numTriangles * 3];
			tri[0] = a; tri[1] = c; tri[2] = d;
			tri[3] = a; tri[4] = d; tri[5] = b;
			numTriangles += 2;
		}

	const SpriteType* smoke = gSpriteGroupList[SPRITE_GROUP_PARTICLES];
	if (smoke && gNumSpritesInGroupList[SPRITE_GROUP_PARTICLES] > PARTICLE_SPRITE_SMOKE_DARK)
		MO_DrawMaterial(smoke[PARTICLE_SPRITE_SMOKE_DARK].materialObject);
	else
		MO_DrawMaterial(gVaporTrailMaterial);
	glEnable(GL_BLEND);
	MOVertexArrayData mesh = TrailMesh(t.numSegments * R, numTriangles);
	MO_DrawGeometry_VertexArray(&mesh);
}

void DrawVaporTrails()
{
	if (!gVaporTrailMaterial)
		return;
	OGLMatrix4x4 viewToWorld;
	OGLMatrix4x4_Invert(&gWorldToViewMatrix, &viewToWorld);

	OGL_PushState();
	OGL_DisableLighting();
	glDisable(GL_NORMALIZE);
	glDisable(GL_CULL_FACE);
	glDepthMask(GL_FALSE);
	glDisable(GL_TEXTURE_2D);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

	for (const VaporTrailType& t : gVaporTrails)
	{
		if (!t.isActive || t.numSegments < 2)
			continue;
		if (t.type == VAPORTRAIL_TYPE_COLORSTREAK)
			DrawVaporTrail_ColorStreak(t, viewToWorld);
		else
			DrawVaporTrail_SmokeColumn(t);
	}

	OGL_PopState();
	glLineWidth(1);
}
