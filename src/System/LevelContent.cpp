// Everything a level loads before any of its objects exist: its sound bank,
// shared and level models, skeletons, sprite sets and the terrain file, in
// that order, as its row of the level table names them.
#include "System/Level.h"
#include "Terrain/Terrain.h"
#include "3D/BG3D.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/DataFiles.h"
#include "System/Error.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "System/Sound.h"
#include "Files.h"

#include <cstdio>

namespace
{
	// A skeleton type whose files are still to be made is left out, said on stderr.
	void LoadSkeletonIfMade(int type)
	{
		char path[128];
		snprintf(path, sizeof(path), ":Skeletons:%s.skeleton", SKELETON_FILE_NAMES[type]);
		if (!DataFileExists(path))
		{
			fprintf(stderr, "LoadLevelContent: no skeleton file \"%s\" yet; type %d not loaded\n", path, type);
			return;
		}
		LoadASkeleton(type);
	}

	// Members of a model (geometry n is its member n).
	int CountGeometries(MetaObjectPtr model)
	{
		return model->type == MO_TYPE_GROUP ? MO_GroupData(model)->numObjectsInGroup : 1;
	}

	bool HasModel(int group, int type)
	{
		return BG3D_GetNumModels(group) > type;
	}
}

void LoadLevelContent()
{
	const LevelDef& content = CurrentLevelDef();

	LoadSoundBank(content.soundBank);

	LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL);
	LoadBG3D(content.modelFile, MODEL_GROUP_LEVELSPECIFIC);

	for (int type : kEveryLevelSkeletons)
		LoadSkeletonIfMade(type);
	constexpr int HERO_GROUP = MODEL_GROUP_SKELETONBASE + int(SKELETON_TYPE_QUOG);
	constexpr int BRAINALIEN_GROUP = MODEL_GROUP_SKELETONBASE + int(SKELETON_TYPE_BRAINALIEN);
	if (HasModel(HERO_GROUP, 0))
		BG3D_SphereMapGeomteryMaterial(HERO_GROUP, 0, -1, MULTI_TEXTURE_COMBINE_ADD, SPHEREMAP_CHROME_GLINT);
	if (HasModel(BRAINALIEN_GROUP, 0))
		BG3D_SphereMapGeomteryMaterial(BRAINALIEN_GROUP, 0, -1, MULTI_TEXTURE_COMBINE_ADD, SPHEREMAP_CHROME_GLINT);
	BG3D_SphereMapGeomteryMaterial(MODEL_GROUP_GLOBAL, GLOBAL_MODEL_POWERUP_POD, -1,
			MULTI_TEXTURE_COMBINE_ADD, SPHEREMAP_CHROME_GLINT);

	bool slimeTree = false;
	for (int i = 0; i < content.numSkeletons; i++)
	{
		LoadSkeletonIfMade(content.skeletons[i]);
		slimeTree |= content.skeletons[i] == SKELETON_TYPE_SLIMETREE;
	}
	// The slime tree's leaves (its geometry 1) must not wrap their texture.
	constexpr int SLIMETREE_GROUP = MODEL_GROUP_SKELETONBASE + int(SKELETON_TYPE_SLIMETREE);
	if (slimeTree && HasModel(SLIMETREE_GROUP, 0))
	{
		if (CountGeometries(BG3D_GetModel(SLIMETREE_GROUP, 0)) > 1)
			BG3D_SetContainerMaterialFlags(SLIMETREE_GROUP, 0, 1, MATERIAL_FLAG_CLAMP_U | MATERIAL_FLAG_CLAMP_V);
		else
			fprintf(stderr, "LoadLevelContent: the slime tree's model has no leaves (geometry 1) yet\n");
	}

	BG3D_SphereMapGeomteryMaterial(MODEL_GROUP_GLOBAL, GLOBAL_MODEL_CHECKPOINT_POST, -1,
			MULTI_TEXTURE_COMBINE_ADD, SPHEREMAP_SOFT_GLINT);

	// A level's own sprite set is loaded when it has been made.
	if (content.spriteSet)
	{
		char first[128];
		snprintf(first, sizeof(first), ":sprites:%s:%s000.tga", content.spriteSet, content.spriteSet);
		if (DataFileExists(first))
			LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, content.numSprites, content.spriteSet);
	}
	LoadSpriteGroup(SPRITE_GROUP_INFOBAR, NUM_INFOBAR_SPRITES, SPRITE_SET_INFOBAR);
	LoadSpriteGroup(SPRITE_GROUP_FENCES, NUM_FENCE_SPRITES, SPRITE_SET_FENCES);
	LoadSpriteGroup(SPRITE_GROUP_GLOBAL, NUM_GLOBAL_SPRITES, SPRITE_SET_GLOBAL);
	LoadSpriteGroup(SPRITE_GROUP_SPHEREMAPS, NUM_SPHEREMAP_SPRITES, SPRITE_SET_SPHEREMAPS);

	FSSpec spec;
	const char* terrainFile = content.terrainFile;
	if (MakeDataFileSpec(terrainFile, &spec) != noErr)
		FatalAlert("LoadLevelContent: can't find \"%s\" in the data folder", terrainFile);
	ReadDataFromPlayfieldFile(&spec);
	SetUpLevelTerrain();
}
