// Everything a level loads before any of its objects exist: shared and level
// models, sprite sets and the terrain file, in that order.
#include "Terrain/Terrain.h"
#include "3D/BG3D.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/Game.h"
#include "System/LevelTables.h"
#include "System/Sound.h"
#include "Files.h"

#include <cstdio>

namespace
{
	struct LevelContent
	{
		const char* modelFile;		// BG3D group 1
		const char* spriteSet;		// sprite group 8, or null
		int numSprites;
		int skeletons[4];			// the level's own skeleton types, −1 after the last
	};

	const LevelContent kLevelContent[NUM_LEVELS] = {
		{":Models:level1_farm.bg3d", "farm", 1, {SKELETON_TYPE_ONION, SKELETON_TYPE_CORN, SKELETON_TYPE_TOMATO, -1}},
		{":Models:level2_slime.bg3d", "slime", 4, {SKELETON_TYPE_BLOB, SKELETON_TYPE_SQUOOSHY, SKELETON_TYPE_SLIMETREE, -1}},
		{":Models:level3_blobboss.bg3d", nullptr, 0, {-1}},
		{":Models:level4_apocalypse.bg3d", "apocalypse", 2, {SKELETON_TYPE_PODWORM, SKELETON_TYPE_MUTANT, SKELETON_TYPE_MUTANTROBOT, -1}},
		{":Models:level5_cloud.bg3d", "cloud", 3, {SKELETON_TYPE_CLOWN, SKELETON_TYPE_CLOWNFISH, SKELETON_TYPE_STRONGMAN, -1}},
		{":Models:level6_jungle.bg3d", "jungle", 3,
				{SKELETON_TYPE_GIANTLIZARD, SKELETON_TYPE_VENUSFLYTRAP, SKELETON_TYPE_MANTIS, SKELETON_TYPE_TURTLE}},
		{":Models:level6_jungle.bg3d", "jungle", 3, {SKELETON_TYPE_TURTLE, SKELETON_TYPE_VENUSFLYTRAP, SKELETON_TYPE_PITCHERPLANT, -1}},
		{":Models:level8_fireice.bg3d", "fireice", 3, {SKELETON_TYPE_FLAMESTER, SKELETON_TYPE_ICECUBE, SKELETON_TYPE_SQUOOSHY, -1}},
		{":Models:level9_saucer.bg3d", nullptr, 0, {-1}},
		{":Models:level10_brainboss.bg3d", "brainboss", 6, {SKELETON_TYPE_ELITEBRAINALIEN, -1}},
	};

	// Every level: the hero, the brain alien and the four kinds of human.
	const int kCommonSkeletons[] = {SKELETON_TYPE_QUOG, SKELETON_TYPE_BRAINALIEN, SKELETON_TYPE_FARMER,
			SKELETON_TYPE_BEEWOMAN, SKELETON_TYPE_SCIENTIST, SKELETON_TYPE_SKIRTLADY};

	bool DataFileExists(const char* path)
	{
		FSSpec spec;
		return FSMakeFSSpec(gDataFolderSpec.vRefNum, gDataFolderSpec.parID, path, &spec) == noErr;
	}

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
	GAME_ASSERT(gCurrentLevel >= 0 && gCurrentLevel < NUM_LEVELS);
	const LevelContent& content = kLevelContent[gCurrentLevel];

	LoadSoundBank(kLevelFiles[gCurrentLevel].soundBank);

	LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL);
	LoadBG3D(content.modelFile, MODEL_GROUP_LEVELSPECIFIC);

	for (int type : kCommonSkeletons)
		LoadSkeletonIfMade(type);
	constexpr int HERO_GROUP = MODEL_GROUP_SKELETONBASE + int(SKELETON_TYPE_QUOG);
	constexpr int BRAINALIEN_GROUP = MODEL_GROUP_SKELETONBASE + int(SKELETON_TYPE_BRAINALIEN);
	if (HasModel(HERO_GROUP, 0))
		BG3D_SphereMapGeomteryMaterial(HERO_GROUP, 0, -1, MULTI_TEXTURE_COMBINE_ADD, SPHEREMAP_CHROME_GLINT);
	if (HasModel(BRAINALIEN_GROUP, 0))
		BG3D_SphereMapGeomteryMaterial(BRAINALIEN_GROUP, 0, -1, MULTI_TEXTURE_COMBINE_ADD, SPHEREMAP_CHROME_GLINT);
	BG3D_SphereMapGeomteryMaterial(MODEL_GROUP_GLOBAL, GLOBAL_MODEL_POWERUP_POD, -1,
			MULTI_TEXTURE_COMBINE_ADD, SPHEREMAP_CHROME_GLINT);

	for (int type : content.skeletons)
	{
		if (type < 0)
			break;
		LoadSkeletonIfMade(type);
	}
	// The slime tree's leaves (its geometry 1) must not wrap their texture.
	constexpr int SLIMETREE_GROUP = MODEL_GROUP_SKELETONBASE + int(SKELETON_TYPE_SLIMETREE);
	if (gCurrentLevel == LEVEL_NUM_BLOB && HasModel(SLIMETREE_GROUP, 0))
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
	const char* terrainFile = kLevelFiles[gCurrentLevel].terrainFile;
	if (FSMakeFSSpec(gDataFolderSpec.vRefNum, gDataFolderSpec.parID, terrainFile, &spec) != noErr)
		FatalAlert("LoadLevelContent: can't find \"%s\" in the data folder", terrainFile);
	ReadDataFromPlayfieldFile(&spec);
	SetUpLevelTerrain();
}
