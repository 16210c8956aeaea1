// Sprite groups, sprite nodes and immediate 2D sprites.
#include "3D/Sprites.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/OGL_Textures.h"
#include "3D/TGA.h"
#include "System/DataFiles.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "Files.h"
#include "Memory.h"

#include <SDL_opengl.h>
#include <cstdio>

// Sprite nodes skip the depth buffer and lighting and keep their back faces.
static constexpr uint32_t SPRITE_NODE_STATUS_BITS =
		STATUS_BIT_NOZBUFFER | STATUS_BIT_NOLIGHTING | STATUS_BIT_KEEPBACKFACES;

void InitSpriteManager()
{
	for (int i = 0; i < MAX_SPRITE_GROUPS; i++)
	{
		gSpriteGroupList[i] = nullptr;
		gNumSpritesInGroupList[i] = 0;
	}
}

static void CheckGroupNumber(int groupNum, const char* who)
{
	if (groupNum < 0 || groupNum >= MAX_SPRITE_GROUPS)
		FatalAlert("%s: sprite group %d out of range", who, groupNum);
}

//
// Loading
//

static void LoadOneSprite(SpriteType* sprite, const char* path)
{
	FSSpec spec;
	OSErr err = MakeDataFileSpec(path, &spec);
	GAME_ASSERT_MESSAGE(err == noErr, path);

	TGAHeader tgaHeader;
	Ptr pixels = nullptr;
	err = ReadTGA(&spec, &pixels, &tgaHeader, true);
	GAME_ASSERT_MESSAGE(err == noErr, path);
	GAME_ASSERT(tgaHeader.bpp == 32);
	GAME_ASSERT(tgaHeader.imageType == TGA_IMAGETYPE_CONVERTED_RGBA);

	sprite->width = tgaHeader.width;
	sprite->height = tgaHeader.height;
	sprite->aspectRatio = float(sprite->height) / float(sprite->width);
	sprite->srcFormat = GL_RGBA;
	sprite->destFormat = GL_RGBA;

	uint32_t textureName = OGL_TextureMap_Load(pixels, sprite->width, sprite->height, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
	DisposePtr(pixels);

	MOMaterialData m = {};
	m.drawContext = gGameViewInfoPtr;
	m.flags = MATERIAL_FLAG_TEXTURED;
	m.diffuseColor = {1, 1, 1, 1};
	m.numMipmaps = 1;
	m.width = uint32_t(sprite->width);
	m.height = uint32_t(sprite->height);
	m.pixelSrcFormat = GL_RGBA;
	m.pixelDstFormat = GL_RGBA;
	m.textureName[0] = textureName;
	sprite->materialObject = MO_CreateNewObjectOfType(MO_TYPE_MATERIAL, 0, &m);
	if (!sprite->materialObject)
		FatalAlert("LoadSpriteFile: MO_CreateNewObjectOfType failed");
}

void LoadSpriteGroup(int groupNum, int numSprites, const char* name)
{
	CheckGroupNumber(groupNum, "LoadSpriteGroup");
	if (numSprites < 0 || numSprites > 999)		// three digits in the file names
		FatalAlert("LoadSpriteGroup: bad sprite count %d for \"%s\"", numSprites, name);
	if (gSpriteGroupList[groupNum])
	{
		fprintf(stderr, "LoadSpriteGroup: sprite group %d was still loaded; disposed it before loading \"%s\"\n",
				groupNum, name);
		DisposeSpriteGroup(groupNum);
	}

	auto* sprites = reinterpret_cast<SpriteType*>(NewPtrClear(int32_t(sizeof(SpriteType) * size_t(numSprites))));
	if (!sprites)
		FatalAlert("LoadSpriteFile: AllocPtr failed");
	gSpriteGroupList[groupNum] = sprites;
	gNumSpritesInGroupList[groupNum] = numSprites;

	for (int i = 0; i < numSprites; i++)
	{
		char path[256];
		snprintf(path, sizeof(path), ":sprites:%s:%s%03d.tga", name, name, i);
		LoadOneSprite(&sprites[i], path);
	}
}

void DisposeSpriteGroup(int groupNum)
{
	CheckGroupNumber(groupNum, "DisposeSpriteGroup");
	SpriteType* sprites = gSpriteGroupList[groupNum];
	if (!sprites)
	{
		gNumSpritesInGroupList[groupNum] = 0;
		return;
	}
	for (int i = 0; i < gNumSpritesInGroupList[groupNum]; i++)
		if (sprites[i].materialObject)
			MO_DisposeObjectReference(sprites[i].materialObject);
	DisposePtr(reinterpret_cast<Ptr>(sprites));
	gSpriteGroupList[groupNum] = nullptr;
	gNumSpritesInGroupList[groupNum] = 0;
}

void DisposeAllSpriteGroups()
{
	for (int i = 0; i < MAX_SPRITE_GROUPS; i++)
		DisposeSpriteGroup(i);
}

//
// Blending
//

void BlendASprite(int groupNum, int type)
{
	CheckGroupNumber(groupNum, "BlendASprite");
	if (gNumSpritesInGroupList[groupNum] == 0)
	{
		// Nothing loaded there (yet): nothing to mark.
		fprintf(stderr, "BlendASprite: sprite group %d is not loaded\n", groupNum);
		return;
	}
	if (type < 0 || type >= gNumSpritesInGroupList[groupNum])
		FatalAlert("BlendASprite: illegal type");
	MetaObjectPtr material = gSpriteGroupList[groupNum][type].materialObject;
	if (!material)
		FatalAlert("BlendASprite: material == nil");
	MO_MaterialData(material)->flags |= MATERIAL_FLAG_ALWAYS_BLEND;
}

void BlendAllSpritesInGroup(int groupNum)
{
	CheckGroupNumber(groupNum, "BlendAllSpritesInGroup");
	int n = gNumSpritesInGroupList[groupNum];
	if (n == 0 || !gSpriteGroupList[groupNum])
		FatalAlert("BlendAllSpritesInGroup: this group is empty");
	for (int i = 0; i < n; i++)
	{
		MetaObjectPtr material = gSpriteGroupList[groupNum][i].materialObject;
		if (!material)
			FatalAlert("BlendAllSpritesInGroup: material == nil");
		MO_MaterialData(material)->flags |= MATERIAL_FLAG_ALWAYS_BLEND;
	}
}

//
// Sprite nodes
//

static bool IsLoadedSprite(int groupNum, int type)
{
	return groupNum >= 0 && groupNum < MAX_SPRITE_GROUPS && type >= 0 && type < gNumSpritesInGroupList[groupNum]
		&& gSpriteGroupList[groupNum] && gSpriteGroupList[groupNum][type].materialObject;
}

static MetaObjectPtr MakeSpriteMO(const ObjNode* node, int type, const char* failure)
{
	MOSpriteSetupData setup = {int16_t(node->Group), int16_t(type)};
	MetaObjectPtr sprite = MO_CreateNewObjectOfType(MO_TYPE_SPRITE, 0, &setup);
	if (!sprite)
		FatalAlert("%s", failure);
	MOSpriteData* data = MO_SpriteData(sprite);
	data->scaleX = node->Scale.x;
	data->scaleY = node->Scale.y;
	data->coord = node->Coord;
	return sprite;
}

ObjNode* MakeSpriteObject(ObjectDef* def)
{
	if (!IsLoadedSprite(def->group, def->type))
		FatalAlert("MakeSpriteObject: illegal type");

	def->genre = SPRITE_GENRE;
	def->flags |= SPRITE_NODE_STATUS_BITS;
	ObjNode* node = MakeNewObject(def);
	if (!node)
		FatalAlert("MakeSpriteObject: MakeNewObject failed!");
	node->SpriteMO = MakeSpriteMO(node, def->type, "MakeSpriteObject: MO_CreateNewObjectOfType failed!");
	return node;
}

void ModifySpriteObjectFrame(ObjNode* node, int type)
{
	if (type == node->Type)
		return;
	if (!IsLoadedSprite(node->Group, type))
		FatalAlert("ModifySpriteObjectFrame: illegal type");

	if (node->SpriteMO)
		MO_DisposeObjectReference(node->SpriteMO);
	node->SpriteMO = MakeSpriteMO(node, type, "ModifySpriteObjectFrame: MO_CreateNewObjectOfType failed!");
	node->Type = uint8_t(type);
}

//
// Immediate sprites
//

void DrawSprite(int groupNum, int type, float x, float y, float size, float rot, uint32_t flags)
{
	if (!IsLoadedSprite(groupNum, type))
		FatalAlert("DrawSprite: illegal sprite %d of group %d", type, groupNum);

	OGL_PushState();
	gGlobalMaterialFlags = MATERIAL_FLAG_CLAMP_U | MATERIAL_FLAG_CLAMP_V;
	OGL_DisableLighting();
	glDisable(GL_CULL_FACE);
	glDisable(GL_DEPTH_TEST);
	if (flags & SPRITE_FLAG_GLOW)
		glBlendFunc(GL_SRC_ALPHA, GL_ONE);

	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	glOrtho(0, 640, 480, 0, 0, 1);
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
	if (rot != 0.0f)
		glRotatef(OGLMath_RadiansToDegrees(rot), 0, 0, 1);

	MO_DrawMaterial(gSpriteGroupList[groupNum][type].materialObject);
	glBegin(GL_QUADS);
	glTexCoord2f(0, 0);	glVertex2f(x, y);
	glTexCoord2f(1, 0);	glVertex2f(x + size, y);
	glTexCoord2f(1, 1);	glVertex2f(x + size, y + size);
	glTexCoord2f(0, 1);	glVertex2f(x, y + size);
	glEnd();

	OGL_PopState();
	gTrianglesThisFrame += 2;
	gGlobalMaterialFlags = 0;
}
