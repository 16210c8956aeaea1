// Sprite groups: numbered sets of images loaded from the data folder's
// "sprites" folder (":sprites:<name>:<name>NNN.tga"), each image held as a
// material that sprite meta objects, sprite nodes, particles, the lens flare
// and sphere mapping use by group number and index (gSpriteGroupList,
// MetaObjectsRegistry.h). Groups are loaded while a view is set up (their
// textures belong to it) and disposed before the view goes.
#pragma once

#include <cstdint>

struct ObjNode;
struct ObjectDef;

// Empties every group and installs the TGA reader the renderer uses (boot).
void InitSpriteManager();

// Loads images 0 … numSprites − 1 of the named set into a group. A group that
// is still loaded is disposed first.
void LoadSpriteGroup(int groupNum, int numSprites, const char* name);
void DisposeSpriteGroup(int groupNum);
void DisposeAllSpriteGroups();

// Marks one image (or all images of a group) as always blended.
void BlendASprite(int groupNum, int type);
void BlendAllSpritesInGroup(int groupNum);

// A 2D sprite node showing image def->type of group def->group, drawn in the
// centred overlay at the node's position, the node's scale giving its size.
ObjNode* MakeSpriteObject(ObjectDef* def);
// Shows another image of the node's group.
void ModifySpriteObjectFrame(ObjNode* node, int type);

enum : uint32_t
{
	SPRITE_FLAG_GLOW = 1,		// additive blending
};

// Draws one image at once in a fixed 640 × 480 space (y downward): a square of
// `size` from (x, y), rotated by `rot` radians about z.
void DrawSprite(int groupNum, int type, float x, float y, float size, float rot, uint32_t flags);
