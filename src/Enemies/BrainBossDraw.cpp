// Drawing the brain boss's shield beams between standing portals and the
// arcs of static between its open halves.
#include "Enemies/BrainBoss.h"
#include "Enemies/AlienPortal.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/ContentNumbers.h"
#include "System/Random.h"

#include <SDL_opengl.h>
#include <cmath>

namespace
{
	constexpr int STATIC_FIRST_IMAGE = 1;		// level sprites 1 … 4: static
	constexpr int STATIC_IMAGES = 4;
	constexpr int BEAM_IMAGE = 5;				// level sprite 5: the portal beam
	constexpr float STATIC_THICKNESS = 65.0f;

	// The level sprite as the current material; untextured when the set lacks it.
	void UseLevelImage(int image)
	{
		const SpriteType* images = gSpriteGroupList[SPRITE_GROUP_LEVELSPECIFIC];
		if (images && gNumSpritesInGroupList[SPRITE_GROUP_LEVELSPECIFIC] > image)
			MO_DrawMaterial(images[image].materialObject);
		else
			glDisable(GL_TEXTURE_2D);
	}
}

void DrawPortalBeams(ObjNode*)
{
	OGL_PushState();
	glDisable(GL_CULL_FACE);
	float saved = gGlobalTransparency;
	gGlobalTransparency = 0.99f;
	UseLevelImage(BEAM_IMAGE);
	glColor4f(1, 1, 1, gGlobalTransparency);
	glBegin(GL_QUADS);
	for (int i = 0; i < NUM_ALIEN_PORTALS; i++)
	{
		int j = (i + 1) % NUM_ALIEN_PORTALS;
		if (gPortalDestroyed[i] || gPortalDestroyed[j])
			continue;
		const OGLPoint3D& a = gPortalPoints[i];
		const OGLPoint3D& b = gPortalPoints[j];
		float h = 30 + DrawRandomFloat() * 10, u = DrawRandomFloat() * 5;
		glTexCoord2f(u, 0);
		glVertex3f(a.x, a.y + h, a.z);
		glTexCoord2f(u, 1);
		glVertex3f(a.x, a.y - h, a.z);
		glTexCoord2f(u + 3, 1);
		glVertex3f(b.x, b.y - h, b.z);
		glTexCoord2f(u + 3, 0);
		glVertex3f(b.x, b.y + h, b.z);
		gTrianglesThisFrame += 2;
	}
	glEnd();
	gGlobalTransparency = saved;
	OGL_PopState();
}

void DrawBrainStatic(ObjNode* arc)
{
	ObjNode* boss = gBrainBoss.Get();
	if (!boss)
		return;
	float w = boss->SpecialF[BRAIN_WIDTH];
	if (w == 0)
		return;
	float v0 = 0, v1 = 1;
	if (DrawRandomFloat() < 0.5f)
		std::swap(v0, v1);
	float c = std::cos(boss->Rot.y), s = std::sin(boss->Rot.y);
	// In the boss's space: its heading about y, then its position.
	auto world = [&](float x, float y, float z) {
		glVertex3f(boss->Coord.x + x * c + z * s, boss->Coord.y + y, boss->Coord.z - x * s + z * c);
	};
	const float y = arc->Coord.y, z = arc->Coord.z;

	OGL_PushState();
	glDisable(GL_CULL_FACE);
	float saved = gGlobalTransparency;
	gGlobalTransparency = 0.6f;
	UseLevelImage(STATIC_FIRST_IMAGE + int(DrawRandomFloat() * STATIC_IMAGES) % STATIC_IMAGES);
	glColor4f(1, 1, 1, gGlobalTransparency);
	glBegin(GL_QUADS);
	glTexCoord2f(0, v0);
	world(-w, y, z);
	glTexCoord2f(0, v1);
	world(-w, y - STATIC_THICKNESS, z);
	glTexCoord2f(1, v1);
	world(w, y - STATIC_THICKNESS, z);
	glTexCoord2f(1, v0);
	world(w, y, z);
	glEnd();
	gTrianglesThisFrame += 2;
	gGlobalTransparency = saved;
	OGL_PopState();
}
