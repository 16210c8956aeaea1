// Shadows: a flat textured quad under a node that follows it, lies on the
// terrain or on a shadow-carrying node, and shrinks with height.
#include "System/Objects.h"
#include "System/Game.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "Terrain/Terrain.h"

#include <SDL_opengl.h>
#include <algorithm>

static constexpr float SHADOW_LIFT = 6.0f;

ObjNode* AttachShadowToObject(ObjNode* node, int shadowKind, float scaleX, float scaleZ, bool checkBlockers)
{
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.coord = node->Coord;
	def.coord.y += SHADOW_LIFT;
	def.slot = int16_t(std::max<int>(SLOT_OF_DUMB + 1, node->Slot + 1));
	def.flags = gAutoFadeStatusBits | STATUS_BIT_NOZWRITES | STATUS_BIT_NOLIGHTING;
	def.drawCall = DrawShadow;
	def.drawPass = DRAW_PASS_SHADOWS;
	def.scale = scaleX;

	ObjNode* shadow = MakeNewObject(&def);
	shadow->Kind = uint8_t(shadowKind);
	shadow->SpecialF[0] = scaleX;
	shadow->SpecialF[1] = scaleZ;
	shadow->Flag[0] = checkBlockers;
	shadow->ShadowOwner = node;
	node->ShadowNode = shadow;
	return shadow;
}

static bool LiesOnShadowTop(const ObjNode* blocker, float x, float z, float yBottom)
{
	if (!(blocker->CType & CTYPE_SHADOWTOP) || blocker->NumCollisionBoxes == 0)
		return false;
	const CollisionBoxType& box = blocker->CollisionBoxes[0];
	return box.left <= x && x <= box.right && box.back <= z && z <= box.front && box.top - 1 <= yBottom;
}

void UpdateShadow(ObjNode* node)
{
	ObjNode* shadow = node->ShadowNode;
	if (!shadow || shadow->CType == INVALID_NODE_FLAG)
		return;

	float yBottom = float(int32_t(node->Coord.y + float(node->BottomOff)));
	float x = float(int32_t(node->Coord.x));
	float z = float(int32_t(node->Coord.z));

	shadow->Coord = node->Coord;
	shadow->Rot.y = node->Rot.y;

	if (shadow->Flag[0])
	{
		for (ObjNode* blocker = gObjectListHead; blocker && blocker->Slot < SLOT_OF_DUMB; blocker = blocker->NextNode)
		{
			if (blocker == node || blocker->CType == INVALID_NODE_FLAG || !LiesOnShadowTop(blocker, x, z, yBottom))
				continue;
			shadow->Coord.y = blocker->CollisionBoxes[0].top + SHADOW_LIFT;
			shadow->Scale.x = shadow->SpecialF[0];
			shadow->Scale.z = shadow->SpecialF[1];
			UpdateObjectTransforms(shadow);
			return;
		}
	}

	if (IsTerrainSetUp())
	{
		AlignNodeToTerrain(shadow, SHADOW_LIFT, nullptr);
	}
	else
	{
		shadow->Coord.y = SHADOW_LIFT;		// no terrain: flat ground at 0
		UpdateObjectTransforms(shadow);
	}

	float d = std::max(0.0f, (yBottom - shadow->Coord.y) * 0.0005f);
	shadow->Scale.x = std::max(0.0f, (1.0f - d) * shadow->SpecialF[0]);
	shadow->Scale.z = std::max(0.0f, (1.0f - d) * shadow->SpecialF[1]);
}

void DrawShadow(ObjNode* shadow)
{
	OGL_PushState();
	glMultMatrixf(shadow->BaseTransformMatrix.value);
	gGlobalTransparency = shadow->ColorFilter.a;

	int kind = shadow->Kind;
	if (kind < gNumSpritesInGroupList[SPRITE_GROUP_GLOBAL] && gSpriteGroupList[SPRITE_GROUP_GLOBAL][kind].materialObject)
	{
		MO_DrawMaterial(gSpriteGroupList[SPRITE_GROUP_GLOBAL][kind].materialObject);
	}
	else
	{
		// No shadow picture loaded: a plain dark patch.
		glDisable(GL_TEXTURE_2D);
		glEnable(GL_BLEND);
		glColor4f(0, 0, 0, 0.5f * gGlobalTransparency);
	}

	glDisable(GL_CULL_FACE);
	glBegin(GL_QUADS);
	glTexCoord2f(0, 1);	glVertex3f(-20, 0, 20);
	glTexCoord2f(1, 1);	glVertex3f(20, 0, 20);
	glTexCoord2f(1, 0);	glVertex3f(20, 0, -20);
	glTexCoord2f(0, 0);	glVertex3f(-20, 0, -20);
	glEnd();
	glEnable(GL_CULL_FACE);

	OGL_PopState();
	gGlobalTransparency = 1;
}
