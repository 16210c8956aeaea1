// The numbered tables that meta objects and object nodes draw from: the models
// of each BG3D group and the images of each sprite group. The model and sprite
// loaders fill them; object nodes, sprites, sphere maps and UV scrolling read
// them. A group whose count is 0 has nothing loaded.
#pragma once

#include "System/ContentNumbers.h"

#include "3D/MetaObjects.h"

constexpr int MAX_BG3D_GROUPS = 29;
constexpr int MAX_OBJECTS_IN_GROUP = 100;

// Model `type` of group `group` (held by the group's container, no extra reference).
extern MetaObjectPtr gBG3DGroupList[MAX_BG3D_GROUPS][MAX_OBJECTS_IN_GROUP];
extern int gNumObjectsInBG3DGroupList[MAX_BG3D_GROUPS];
extern OGLBoundingBox gObjectGroupBBoxList[MAX_BG3D_GROUPS][MAX_OBJECTS_IN_GROUP];

constexpr int MAX_SPRITE_GROUPS = 9;

struct SpriteType
{
	int width;
	int height;
	float aspectRatio;				// height / width
	uint32_t srcFormat;				// GL enums
	uint32_t destFormat;
	MetaObjectPtr materialObject;	// held by the group
};

// gSpriteGroupList[group] points at gNumSpritesInGroupList[group] records.
extern SpriteType* gSpriteGroupList[MAX_SPRITE_GROUPS];
extern int gNumSpritesInGroupList[MAX_SPRITE_GROUPS];

// The model registry entry, or a fatal alert naming `who` when the group or
// type is out of range or not loaded.
MetaObjectPtr MO_GetRegisteredModel(int group, int type, const char* who);
