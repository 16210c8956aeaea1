// The scene's draw pass over the node list: frustum culling, distance fading,
// per-node GL state (changed only between nodes that differ) and drawing by genre.
#include "System/Objects.h"
#include "System/Game.h"
#include "3D/MetaObjects.h"
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "3D/TextMesh.h"
#include "Player/Player.h"
#include "System/Level.h"
#include "Terrain/Terrain.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>

//
// Culling
//

uint32_t CalcClipOutcode(const OGLPoint4D& c)
{
	uint32_t code = 0;
	if (-c.w > c.y)
		code |= 8;
	else if (c.w < c.y)
		code |= 4;
	if (c.w < c.z)
		code |= 0x20;
	else if (c.z < 0)
		code |= 0x10;
	if (-c.w > c.x)
		code |= 2;
	else if (c.w < c.x)
		code |= 1;
	return code;
}

bool IsBoxOutsideFrustum(const OGLBoundingBox& box, const OGLMatrix4x4& boxToClip)
{
	uint32_t shared = 0xFF;
	for (int corner = 0; corner < 8; corner++)
	{
		OGLPoint3D p = {
			(corner & 1) ? box.max.x : box.min.x,
			(corner & 2) ? box.max.y : box.min.y,
			(corner & 4) ? box.max.z : box.min.z,
		};
		OGLPoint4D clip;
		OGLPoint3D_To4DTransform(&p, &boxToClip, &clip);
		shared &= CalcClipOutcode(clip);
		if (!shared)
			return false;
	}
	return true;
}

// Whether a node lies wholly outside the view of worldToClip (nodes that
// never cull and nodes without a box never do).
static bool IsNodeOutOfView(const ObjNode* node, const OGLMatrix4x4& worldToClip)
{
	uint32_t bits = node->StatusBits;
	if (((bits & STATUS_BIT_DONTCULL) && !(bits & STATUS_BIT_ALWAYSCULL)) || node->BBox.isEmpty)
		return false;

	OGLMatrix4x4 local, boxToClip;
	if (node->Genre == SKELETON_GENRE)
		OGLMatrix4x4_SetTranslate(&local, node->Coord.x, node->Coord.y, node->Coord.z);
	else
		local = node->BaseTransformMatrix;
	OGLMatrix4x4_Multiply(&local, &worldToClip, &boxToClip);
	return IsBoxOutsideFrustum(node->BBox, boxToClip);
}

// A node's opacity after the distance fade of nodes that fade.
static float FadedAlpha(const ObjNode* node, const OGLPoint3D& camera)
{
	float alpha = node->ColorFilter.a;
	if (gAutoFadeStart == 0 || !(node->StatusBits & STATUS_BIT_AUTOFADE))
		return alpha;
	float dx = std::fabs(camera.x - node->Coord.x), dz = std::fabs(camera.z - node->Coord.z);
	float dist = std::max(dx, dz) + 0.375f * std::min(dx, dz);
	if (!node->BBox.isEmpty)
		dist += (node->BBox.max.x - node->BBox.min.x) * 0.2f;
	return CalcAutoFadeAlpha(alpha, dist, gAutoFadeStart, gAutoFadeEnd, gAutoFadeRate);
}

static OGLPoint3D CameraPosition()
{
	return gGameViewInfoPtr ? gGameViewInfoPtr->cameraPlacement.from : OGLPoint3D{0, 0, 0};
}

// The rules' culled flag: out of the rules' view. The same in drawn and
// logic-only runs: neither the window's shape nor the distance fade (a look
// the draw pass applies by itself) plays a part.
static void CullNode(ObjNode* node)
{
	uint32_t bits = node->StatusBits;
	if ((bits & STATUS_BIT_HIDDEN) && !(bits & STATUS_BIT_ALWAYSCULL))
		return;		// keeps whatever it had

	if (IsNodeOutOfView(node, gWorldToRulesViewMatrix))
		node->StatusBits |= STATUS_BIT_ISCULLED;
	else
		node->StatusBits &= ~STATUS_BIT_ISCULLED;
}

float CalcAutoFadeAlpha(float alpha, float dist, float fadeStart, float fadeEnd, float fadeRate)
{
	if (dist < fadeStart)
		return alpha;
	if (alpha <= 1.0f && fadeEnd > fadeStart && dist >= fadeEnd)
		return 0;
	return alpha - (dist - fadeStart) * fadeRate;
}

//
// GL state between nodes
//

// Status bits whose GL state the pass tracks from node to node.
static constexpr uint32_t STATE_BITS = STATUS_BIT_KEEPBACKFACES | STATUS_BIT_NOLIGHTING | STATUS_BIT_NOFOG
		| STATUS_BIT_GLOW | STATUS_BIT_CLAMPUV | STATUS_BIT_NOZWRITES | STATUS_BIT_NOZBUFFER;

struct DrawPassState
{
	uint32_t bits;				// STATE_BITS of the previous drawn node
	bool alphaTestOpaque;
	bool normalize;
	bool lightingAtStart;
	bool fogAtStart;
	bool viewUsesFog;
};

static void ApplyBits(DrawPassState& st, uint32_t bits)
{
	uint32_t changed = (bits ^ st.bits) & STATE_BITS;
	if (!changed)
		return;

	if (changed & STATUS_BIT_KEEPBACKFACES)
	{
		if (bits & STATUS_BIT_KEEPBACKFACES)
			glDisable(GL_CULL_FACE);
		else
			glEnable(GL_CULL_FACE);
	}
	if (changed & STATUS_BIT_NOLIGHTING)
	{
		if ((bits & STATUS_BIT_NOLIGHTING) || !st.lightingAtStart)
			OGL_DisableLighting();
		else
			OGL_EnableLighting();
	}
	if ((changed & STATUS_BIT_NOFOG) && st.viewUsesFog)
	{
		if ((bits & STATUS_BIT_NOFOG) || !st.fogAtStart)
			glDisable(GL_FOG);
		else
			glEnable(GL_FOG);
	}
	if (changed & STATUS_BIT_GLOW)
		glBlendFunc(GL_SRC_ALPHA, (bits & STATUS_BIT_GLOW) ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
	if (changed & STATUS_BIT_CLAMPUV)
	{
		if (bits & STATUS_BIT_CLAMPUV)
			gGlobalMaterialFlags |= MATERIAL_FLAG_CLAMP_U | MATERIAL_FLAG_CLAMP_V;
		else
			gGlobalMaterialFlags &= ~(MATERIAL_FLAG_CLAMP_U | MATERIAL_FLAG_CLAMP_V);
	}
	if (changed & STATUS_BIT_NOZWRITES)
		glDepthMask((bits & STATUS_BIT_NOZWRITES) ? GL_FALSE : GL_TRUE);
	if (changed & STATUS_BIT_NOZBUFFER)
	{
		if (bits & STATUS_BIT_NOZBUFFER)
			glDisable(GL_DEPTH_TEST);
		else
			glEnable(GL_DEPTH_TEST);
	}
	st.bits = (st.bits & ~STATE_BITS) | (bits & STATE_BITS);
}

static void SetAlphaTest(DrawPassState& st, bool opaqueOnly)
{
	if (opaqueOnly == st.alphaTestOpaque)
		return;
	if (opaqueOnly)
		glAlphaFunc(GL_EQUAL, 1);
	else
		glAlphaFunc(GL_NOTEQUAL, 0);
	st.alphaTestOpaque = opaqueOnly;
}

static void SetNormalize(DrawPassState& st, bool on)
{
	if (on == st.normalize)
		return;
	if (on)
		glEnable(GL_NORMALIZE);
	else
		glDisable(GL_NORMALIZE);
	st.normalize = on;
}

//
// Debug drawing
//

static void DrawCollisionBoxes(const ObjNode* node)
{
	int n = std::min<int>(node->NumCollisionBoxes, MAX_COLLISION_BOXES);
	for (int i = 0; i < n; i++)
	{
		const CollisionBoxType& b = node->CollisionBoxes[i];
		for (float y : {b.top, b.bottom})
		{
			glBegin(GL_LINE_LOOP);
			glVertex3f(b.left, y, b.back);
			glVertex3f(b.right, y, b.back);
			glVertex3f(b.right, y, b.front);
			glVertex3f(b.left, y, b.front);
			glEnd();
		}
		glBegin(GL_LINES);
		for (float x : {b.left, b.right})
			for (float z : {b.back, b.front})
			{
				glVertex3f(x, b.top, z);
				glVertex3f(x, b.bottom, z);
			}
		glEnd();
	}

	// The exit saucer's beam area, once it has one (x and z both non-zero).
	const OGLPoint2D* beam = GetExitBeamArea();
	if (beam[0].x != 0 && beam[0].y != 0)
	{
		glBegin(GL_LINE_LOOP);
		for (int i = 0; i < 4; i++)
		{
			const OGLPoint2D& p = beam[i];
			float ground = IsTerrainSetUp() ? TerrainHeightAt(p.x, p.y) : 0.0f;
			glVertex3f(p.x, ground + 10, p.y);
		}
		glEnd();
	}
}

static void DrawDebugBoxes(const ObjNode* node)
{
	OGL_PushState();
	glDisable(GL_TEXTURE_2D);
	OGL_DisableLighting();
	glColor4f(1, 1, 0, 1);
	DrawCollisionBoxes(node);
	OGL_PopState();
}

//
// Drawing by genre
//

static void DrawIn2DOverlay(ObjNode* node)
{
	uint32_t savedFlags = gGlobalMaterialFlags;
	OGL_PushState();
	OGL_Set2DOverlayState(true);
	if (node->Genre == SPRITE_GENRE)
	{
		if (node->SpriteMO)
		{
			MOSpriteData* sprite = MO_SpriteData(node->SpriteMO);
			sprite->coord = node->Coord;
			sprite->scaleX = node->Scale.x;
			sprite->scaleY = node->Scale.y;
			MO_DrawObject(node->SpriteMO);
		}
	}
	else if (node->BaseGroup)
	{
		if (node->Genre == TEXTMESH_GENRE)
			TextMesh_DrawUnderlay(node);
		MO_DrawObject(node->BaseGroup);
		if (gDebugMode == 2 && node->Genre == TEXTMESH_GENRE)
			TextMesh_DrawExtents(node);
	}
	OGL_PopState();
	gGlobalMaterialFlags = savedFlags;
}

//
// Passes
//

static uint8_t gCurrentDrawPass = NUM_DRAW_PASSES;

void BeginDrawPass(DrawPass pass)
{
	if (pass == gCurrentDrawPass)
		return;
	gCurrentDrawPass = pass;
	if (gFrameWatcher.drawPassBegins)
		gFrameWatcher.drawPassBegins(pass);
}

static DrawPass PassOfNode(const ObjNode* node, float alpha)
{
	if (node->Pass < NUM_DRAW_PASSES)
		return DrawPass(node->Pass);
	switch (node->Genre)
	{
		case SKELETON_GENRE:
			return DRAW_PASS_SKINNED;
		case SPRITE_GENRE:
		case TEXTMESH_GENRE:
			return DRAW_PASS_HUD;
		default:
			if ((node->StatusBits & (STATUS_BIT_GLOW | STATUS_BIT_NOZWRITES)) || alpha < 1.0f)
				return DRAW_PASS_TRANSLUCENT;
			return DRAW_PASS_OPAQUE;
	}
}

static void DrawNodeByGenre(ObjNode* node)
{
	if (node->CustomDrawFunction)
	{
		node->CustomDrawFunction(node);
		return;
	}
	switch (node->Genre)
	{
		case SKELETON_GENRE:
			DrawSkeleton(node);
			break;
		case DISPLAY_GROUP_GENRE:
			if (node->BaseGroup)
				MO_DrawObject(node->BaseGroup);
			break;
		case SPRITE_GENRE:
		case TEXTMESH_GENRE:
			DrawIn2DOverlay(node);
			break;
		default:
			break;		// custom and no-draw nodes draw nothing of their own
	}
}

void CullObjects()
{
	for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
		CullNode(node);
}

void DrawObjects()
{
	if (!gObjectListHead)
		return;

	CullObjects();

	DrawPassState st = {};
	st.normalize = true;
	st.lightingAtStart = gLightingOn;
	st.fogAtStart = glIsEnabled(GL_FOG);
	st.viewUsesFog = gGameViewInfoPtr && gGameViewInfoPtr->useFog;
	const OGLPoint3D camera = CameraPosition();
	gCurrentDrawPass = NUM_DRAW_PASSES;

	for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
	{
		// What the window shows is the window's own frustum's business.
		if ((node->StatusBits & STATUS_BIT_HIDDEN) || node->CType == INVALID_NODE_FLAG
				|| IsNodeOutOfView(node, gWorldToFrustumMatrix))
			continue;

		const float alpha = FadedAlpha(node, camera);
		if (alpha <= 0)
			continue;

		gGlobalColorFilter.r = node->ColorFilter.r;
		gGlobalColorFilter.g = node->ColorFilter.g;
		gGlobalColorFilter.b = node->ColorFilter.b;
		gGlobalTransparency = alpha;

		ApplyBits(st, node->StatusBits);
		SetAlphaTest(st, (node->StatusBits & STATUS_BIT_ALPHATESTOPAQUE) && alpha == 1.0f);

		if (node->StatusBits & STATUS_BIT_FACECAMERA)
		{
			node->Rot.y = CalcYAngleFromPointToPoint(node->Rot.y, node->Coord.x, node->Coord.z, camera.x, camera.z) + PI;
			UpdateObjectTransforms(node);
		}

		if (gDebugMode == 2)
			DrawDebugBoxes(node);

		bool textureOffset = node->StatusBits & STATUS_BIT_TEXTUREOFFSET;
		if (textureOffset)
		{
			glMatrixMode(GL_TEXTURE);
			glTranslatef(node->TextureTransformU, node->TextureTransformV, 0);
			glMatrixMode(GL_MODELVIEW);
		}

		bool lit = gLightingOn && !(node->StatusBits & STATUS_BIT_NOLIGHTING);
		SetNormalize(st, lit && node->Scale.y != 1.0f);

		BeginDrawPass(PassOfNode(node, alpha));
		DrawNodeByGenre(node);

		if (textureOffset)
		{
			glMatrixMode(GL_TEXTURE);
			glLoadIdentity();
			glMatrixMode(GL_MODELVIEW);
		}
	}

	ApplyBits(st, 0);
	SetAlphaTest(st, false);
	gGlobalColorFilter = {1, 1, 1, 1};
	gGlobalTransparency = 1;
	glEnable(GL_NORMALIZE);
}
