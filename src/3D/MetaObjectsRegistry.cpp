#include "3D/MetaObjectsRegistry.h"
#include "System/Error.h"

MetaObjectPtr gBG3DGroupList[MAX_BG3D_GROUPS][MAX_OBJECTS_IN_GROUP];
int gNumObjectsInBG3DGroupList[MAX_BG3D_GROUPS];
OGLBoundingBox gObjectGroupBBoxList[MAX_BG3D_GROUPS][MAX_OBJECTS_IN_GROUP];

SpriteType* gSpriteGroupList[MAX_SPRITE_GROUPS];
int gNumSpritesInGroupList[MAX_SPRITE_GROUPS];

MetaObjectPtr MO_GetRegisteredModel(int group, int type, const char* who)
{
	if (group < 0 || group >= MAX_BG3D_GROUPS)
		FatalAlert("%s: BG3D group %d out of range", who, group);
	if (type < 0 || type >= gNumObjectsInBG3DGroupList[group])
		FatalAlert("%s: model %d not loaded in BG3D group %d", who, type, group);
	MetaObjectPtr model = gBG3DGroupList[group][type];
	if (!model)
		FatalAlert("%s: model %d of BG3D group %d is missing", who, type, group);
	return model;
}
