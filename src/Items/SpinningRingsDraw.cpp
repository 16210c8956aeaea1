// Drawing the spinning rings: four textured squares lying flat, stacked from
// just below the node, each turned by its own angle.
#include "Items/Scenery.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "System/ContentNumbers.h"
#include "System/Objects.h"

#include <SDL_opengl.h>
#include <cmath>

void DrawSpinningRings(ObjNode* node)
{
	const SpriteType* images = gSpriteGroupList[SPRITE_GROUP_LEVELSPECIFIC];
	if (!images || gNumSpritesInGroupList[SPRITE_GROUP_LEVELSPECIFIC] <= SPINNING_RINGS_IMAGE)
		return;		// a level without the ring image shows the obstacle's box only to collisions

	OGL_PushState();
	glDisable(GL_CULL_FACE);
	MO_DrawMaterial(images[SPINNING_RINGS_IMAGE].materialObject);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glColor4f(1, 1, 1, 1);
	glNormal3f(0, 1, 0);
	for (int i = 0; i < NUM_SPINNING_RINGS; i++)
	{
		float s = SpinningRingHalfSize(i);
		float a = SpinningRingSpin(node, i);
		float c = std::cos(a) * s, n = std::sin(a) * s;
		float y = node->Coord.y - SPINNING_RINGS_SPACING + float(i) * SPINNING_RINGS_SPACING;
		float x0 = node->Coord.x, z0 = node->Coord.z;
		glBegin(GL_QUADS);
		glTexCoord2f(0, 0); glVertex3f(x0 - c + n, y, z0 - n - c);
		glTexCoord2f(1, 0); glVertex3f(x0 + c + n, y, z0 + n - c);
		glTexCoord2f(1, 1); glVertex3f(x0 + c - n, y, z0 + n + c);
		glTexCoord2f(0, 1); glVertex3f(x0 - c - n, y, z0 - n + c);
		glEnd();
		gTrianglesThisFrame += 2;
	}
	OGL_PopState();
}
