// Drawing the nova's arcs: jittered ribbons of the nova image that always face
// the camera, between the robot's hands while charging and from the hands to
// every struck target after a discharge. Brightness follows the charge.
#include "Player/Weapons.h"
#include "3D/MetaObjects.h"
#include "3D/OGL_Camera.h"
#include "3D/OGL_State.h"
#include "3D/MetaObjectsRegistry.h"
#include "System/ContentNumbers.h"
#include "System/Random.h"

#include <SDL_opengl.h>
#include <algorithm>

namespace
{
	constexpr int CHARGE_RIBBON_POINTS = 7;
	constexpr float CHARGE_JITTER = 8.0f;
	constexpr float CHARGE_HALF_HEIGHT = 4.0f;
	constexpr int ZAP_RIBBON_POINTS = 10;
	constexpr float ZAP_JITTER = 20.0f;
	constexpr float ZAP_HALF_HEIGHT = 6.0f;
	constexpr int MAX_RIBBON_POINTS = 10;

	OGLPoint3D gRibbonPoints[MAX_RIBBON_POINTS * 2];
	OGLTextureCoord gRibbonUVs[MAX_RIBBON_POINTS * 2];
	OGLColorRGBA_Byte gRibbonColors[MAX_RIBBON_POINTS * 2];
	uint32_t gRibbonTriangles[(MAX_RIBBON_POINTS - 1) * 6];

	bool BeginArcs()
	{
		const SpriteType* sprites = gSpriteGroupList[SPRITE_GROUP_GLOBAL];
		if (!sprites || gNumSpritesInGroupList[SPRITE_GROUP_GLOBAL] <= GLOBAL_SPRITE_NOVA_RIBBON)
			return false;
		OGL_PushState();
		OGL_DisableLighting();
		glDisable(GL_CULL_FACE);
		glDepthMask(GL_FALSE);
		MO_DrawMaterial(sprites[GLOBAL_SPRITE_NOVA_RIBBON].materialObject);
		glEnable(GL_BLEND);
		glBlendFunc(GL_SRC_ALPHA, GL_ONE);
		return true;
	}

	void EndArcs()
	{
		OGL_PopState();
	}

	// A ribbon from a to b whose inner points wander up and down by `jitter`.
	void DrawArc(const OGLPoint3D& a, const OGLPoint3D& b, int numPoints, float jitter, float halfHeight,
			const OGLMatrix4x4& viewToWorld)
	{
		const uint8_t alpha = uint8_t(std::clamp(gNovaCharge, 0.0f, 1.0f) * 255);
		OGLPoint3D va, vb;
		OGLPoint3D_Transform(&a, &gWorldToViewMatrix, &va);
		OGLPoint3D_Transform(&b, &gWorldToViewMatrix, &vb);
		OGLVector3D side = {-(vb.y - va.y), vb.x - va.x, 0};
		OGLVector3D_Normalize(&side, &side);
		for (int i = 0; i < numPoints; i++)
		{
			const float t = float(i) / float(numPoints - 1);
			OGLPoint3D p = {va.x + (vb.x - va.x) * t, va.y + (vb.y - va.y) * t, va.z + (vb.z - va.z) * t};
			if (i > 0 && i < numPoints - 1)
				p = p + side * (DrawRandomFloatSigned() * jitter);
			OGLPoint3D top = p + side * halfHeight, bottom = p - side * halfHeight;
			OGLPoint3D_Transform(&top, &viewToWorld, &gRibbonPoints[i * 2]);
			OGLPoint3D_Transform(&bottom, &viewToWorld, &gRibbonPoints[i * 2 + 1]);
			gRibbonUVs[i * 2] = {t, 0};
			gRibbonUVs[i * 2 + 1] = {t, 1};
			gRibbonColors[i * 2] = gRibbonColors[i * 2 + 1] = {255, 255, 255, alpha};
		}
		for (int i = 0; i < numPoints - 1; i++)
		{
			uint32_t k = uint32_t(i * 2);
			uint32_t* tri = &gRibbonTriangles[i * 6];
			tri[0] = k; tri[1] = k + 1; tri[2] = k + 3;
			tri[3] = k; tri[4] = k + 3; tri[5] = k + 2;
		}
		MOVertexArrayData mesh = {};
		mesh.numMaterials = -1;
		mesh.numPoints = numPoints * 2;
		mesh.numTriangles = (numPoints - 1) * 2;
		mesh.points = gRibbonPoints;
		mesh.uvs[0] = gRibbonUVs;
		mesh.colorsByte = gRibbonColors;
		mesh.triangles = gRibbonTriangles;
		MO_DrawGeometry_VertexArray(&mesh);
	}
}

void DrawNovaCharge(ObjNode*)
{
	if (!BeginArcs())
		return;
	OGLMatrix4x4 viewToWorld;
	OGLMatrix4x4_Invert(&gWorldToViewMatrix, &viewToWorld);
	DrawArc(gNovaHandPoints[0], gNovaHandPoints[1], CHARGE_RIBBON_POINTS, CHARGE_JITTER, CHARGE_HALF_HEIGHT, viewToWorld);
	EndArcs();
}

void DrawNovaZaps(ObjNode*)
{
	if (!BeginArcs())
		return;
	OGLMatrix4x4 viewToWorld;
	OGLMatrix4x4_Invert(&gWorldToViewMatrix, &viewToWorld);
	const OGLPoint3D mid = {(gNovaHandPoints[0].x + gNovaHandPoints[1].x) / 2,
		(gNovaHandPoints[0].y + gNovaHandPoints[1].y) / 2, (gNovaHandPoints[0].z + gNovaHandPoints[1].z) / 2};
	for (const ZapTarget& t : gZapTable)
		if (t.used)
			DrawArc(mid, t.aim, ZAP_RIBBON_POINTS, ZAP_JITTER, ZAP_HALF_HEIGHT, viewToWorld);
	EndArcs();
}
