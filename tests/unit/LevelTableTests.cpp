// The level table: every row's numbers exist in the tables they index
// (skeleton types, sound banks, songs, sprite and sphere-map counts), its
// values are usable, and the baker writes each row's files where the row
// says. (That the baked Data folder holds every file a row names is checked
// against the build's Data folder by the integration test LevelTableData.)
#include "System/LevelTable.h"
#include "System/ContentNumbers.h"
#include "Bake.h"
#include "models/BakeLevelModels.h"
#include "sprites/BakeSkies.h"
#include "Effects/Sky.h"
#include "worlds/WorldKit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>

namespace
{
	class LevelRow : public ::testing::TestWithParam<int>
	{
	protected:
		const LevelDef& def = GetLevelDef(GetParam());
	};

	bool NamesFile(const char* colonPath, const char* folder, const char* extension)
	{
		std::string path = colonPath;
		std::string prefix = std::string(":") + folder + ":";
		return path.starts_with(prefix) && path.ends_with(extension) && path.size() > prefix.size() + strlen(extension)
			&& path.find(':', prefix.size()) == std::string::npos;
	}

	bool BankHasEffects(int bank)
	{
		for (const EffectDef& effect : kEffectDefs)
			if (effect.bank == bank)
				return true;
		return false;
	}
}

TEST(LevelTable, RowsAreTheLevelsInOrderWithDistinctNamesAndTerrains)
{
	std::set<std::string> names, terrains;
	for (int level = 0; level < NUM_LEVELS; level++)
	{
		EXPECT_EQ(&GetLevelDef(level), &kLevelDefs[level]);
		ASSERT_NE(kLevelDefs[level].name, nullptr);
		EXPECT_TRUE(names.insert(kLevelDefs[level].name).second) << kLevelDefs[level].name;
		EXPECT_TRUE(terrains.insert(kLevelDefs[level].terrainFile).second) << kLevelDefs[level].terrainFile;
	}
	EXPECT_STREQ(kLevelDefs[LEVEL_NUM_FARM].name, "farm");
	EXPECT_STREQ(kLevelDefs[LEVEL_NUM_BRAINBOSS].name, "brainboss");
}

TEST(LevelTable, TheCurrentRowFollowsTheCurrentLevel)
{
	int saved = gCurrentLevel;
	gCurrentLevel = LEVEL_NUM_CLOUD;
	EXPECT_EQ(&CurrentLevelDef(), &kLevelDefs[LEVEL_NUM_CLOUD]);
	EXPECT_TRUE(CurrentLevelHasRule(LEVEL_RULE_TERRAIN_HOLES));
	gCurrentLevel = LEVEL_NUM_FARM;
	EXPECT_FALSE(CurrentLevelHasRule(LEVEL_RULE_TERRAIN_HOLES));
	gCurrentLevel = saved;
}

TEST(LevelTable, TheSkyOfALevelIsItsRowsSky)
{
	for (int level = 0; level < NUM_LEVELS; level++)
		EXPECT_EQ(&GetSkyLevelInfo(level), &kLevelDefs[level].sky);
	EXPECT_FALSE(GetSkyLevelInfo(NUM_LEVELS).hasSky);
}

TEST_P(LevelRow, NamesFilesInTheDataFoldersTheLoaderReads)
{
	EXPECT_TRUE(NamesFile(def.terrainFile, "Terrain", ".ter")) << def.terrainFile;
	EXPECT_TRUE(NamesFile(def.modelFile, "Models", ".bg3d")) << def.modelFile;
	if (def.spriteSet)
	{
		EXPECT_GT(strlen(def.spriteSet), 0u);
		EXPECT_EQ(strpbrk(def.spriteSet, ":/"), nullptr) << def.spriteSet;
	}
}

TEST_P(LevelRow, ContentNumbersExist)
{
	EXPECT_GE(int(def.soundBank), 0);
	EXPECT_LT(int(def.soundBank), int(NUM_SOUND_BANKS));
	EXPECT_NE(int(def.soundBank), int(SOUND_BANK_MAIN)) << "the main bank is kept for the whole run, not released after a level";
	EXPECT_TRUE(BankHasEffects(def.soundBank)) << kSoundBankNames[def.soundBank];
	EXPECT_GE(int(def.song), 0);
	EXPECT_LT(int(def.song), int(NUM_SONGS));

	EXPECT_GE(def.numSkeletons, 0);
	EXPECT_LE(def.numSkeletons, MAX_LEVEL_SKELETONS);
	std::set<int> types(std::begin(kEveryLevelSkeletons), std::end(kEveryLevelSkeletons));
	for (int i = 0; i < def.numSkeletons; i++)
	{
		EXPECT_GE(int(def.skeletons[i]), 0);
		EXPECT_LT(int(def.skeletons[i]), int(MAX_SKELETON_TYPES));
		EXPECT_TRUE(types.insert(def.skeletons[i]).second) << "skeleton type " << def.skeletons[i] << " listed twice";
	}

	// A sprite set has images; image 0 is the sky, so a sky needs a set.
	EXPECT_EQ(def.spriteSet != nullptr, def.numSprites > 0);
	EXPECT_GE(def.numSprites, 0);
	if (def.sky.hasSky)
	{
		EXPECT_NE(def.spriteSet, nullptr) << "the sky's image is image 0 of the level's sprite set";
	}

	EXPECT_GE(def.terrainSphereMap, -1);
	EXPECT_LT(def.terrainSphereMap, int(NUM_SPHEREMAP_SPRITES));
}

TEST_P(LevelRow, ValuesAreUsable)
{
	const LevelView& view = def.view;
	EXPECT_GT(view.yon, 50.0f) << "beyond the near plane";
	if (view.useFog)
	{
		EXPECT_LT(view.fogStart, view.fogEnd);
		EXPECT_GE(view.fogStart, 0.0f);
	}
	for (float c : view.clearColor)
	{
		EXPECT_GE(c, 0.0f);
		EXPECT_LE(c, 1.0f);
	}
	float length = std::sqrt(def.lights.direction[0] * def.lights.direction[0] + def.lights.direction[1] * def.lights.direction[1]
			+ def.lights.direction[2] * def.lights.direction[2]);
	EXPECT_GT(length, 0.1f) << "the fill light needs a direction";
	EXPECT_LT(def.lights.direction[1], 0.0f) << "the fill light shines down";

	if (def.autoFade.startOfYon != 0)
	{
		EXPECT_GT(def.autoFade.startOfYon, 0.0f);
		EXPECT_LT(def.autoFade.startOfYon, def.autoFade.endOfYon);
		EXPECT_LE(def.autoFade.endOfYon, 1.0f) << "fading ends inside the far plane";
	}

	EXPECT_GT(def.gravity, 0.0f);
	EXPECT_GE(def.groundSlip, 0.0f);
	EXPECT_LE(def.groundSlip, 1.0f);
	EXPECT_GE(def.exitChargeAtStart, 0.0f);
	EXPECT_LE(def.exitChargeAtStart, 1.0f);
	EXPECT_GT(def.cameraMinHeight, 0.0f);

	EXPECT_GE(def.numUVScrolls, 0);
	EXPECT_LE(def.numUVScrolls, MAX_LEVEL_UV_SCROLLS);
	for (int i = 0; i < def.numUVScrolls; i++)
	{
		EXPECT_GE(def.uvScrolls[i].geometry, -1);
		EXPECT_TRUE(def.uvScrolls[i].du != 0 || def.uvScrolls[i].dv != 0) << "scroll " << i << " does not move";
	}
	for (const LevelWave& wave : def.waves)
		if (wave.amplitude != 0)
		{
			EXPECT_GT(wave.speed, 0.0f);
			EXPECT_GT(wave.frequency, 0.0f);
		}

	// The robot in its own saucer is never beamed up by an exit saucer.
	if (def.playerStart == PLAYER_START_FLYING_SAUCER)
	{
		EXPECT_FALSE(def.rules & LEVEL_RULE_EXIT_BEAMS_UP);
	}
}

TEST_P(LevelRow, RowsSharingAFileAgreeOnWhatIsInIt)
{
	for (int other = 0; other < NUM_LEVELS; other++)
	{
		const LevelDef& o = kLevelDefs[other];
		if (def.spriteSet && o.spriteSet && strcmp(def.spriteSet, o.spriteSet) == 0)
		{
			EXPECT_EQ(def.numSprites, o.numSprites) << def.spriteSet;
		}
		if (strcmp(def.modelFile, o.modelFile) == 0)
		{
			EXPECT_EQ(def.hasBackdrop, o.hasBackdrop) << def.modelFile;
		}
	}
}

TEST_P(LevelRow, TheBakerWritesTheRowsFilesUnderItsNames)
{
	int level = GetParam();
	EXPECT_EQ(Bake::DataFolderPath(def.terrainFile), "Terrain/" + TerrainBake::MakeWorldDesign(level).name + ".ter");

	// The model file is built by the first level that names it.
	int writer = LevelModels::LevelWritingModelFile(level);
	EXPECT_LE(writer, level);
	EXPECT_STREQ(kLevelDefs[writer].modelFile, def.modelFile);

	// The sprite set holds exactly the images the row loads.
	EXPECT_EQ(int(Skies::LevelSet(level).size()), def.numSprites);
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, LevelRow, ::testing::Range(0, NUM_LEVELS),
		[](const ::testing::TestParamInfo<int>& info) { return std::string(kLevelDefs[info.param].name); });

TEST(LevelTable, DataPathsAreTheColonPathsAsHostPaths)
{
	EXPECT_EQ(Bake::DataFolderPath(":Terrain:EarthFarm.ter"), "Terrain/EarthFarm.ter");
	EXPECT_EQ(Bake::DataFolderPath(":Models:level1_farm.bg3d"), "Models/level1_farm.bg3d");
	EXPECT_EQ(Bake::DataFolderPath("Models:x.bg3d"), "Models/x.bg3d");
}
