// Every file a level-table row names is in the Data folder the build baked,
// found the way the game finds it (colon paths through the platform's file
// layer): terrain, level models, sprite images, skeletons with their meshes,
// the sound bank's effects and the song. No window needed.
#include "System/Boot.h"
#include "System/LevelTable.h"
#include "Files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
	class LevelTableData : public ::testing::TestWithParam<int>
	{
	protected:
		FSSpec savedDataFolder = {};

		void SetUp() override
		{
			std::filesystem::path data = std::filesystem::path(ZAPP_BUILD_DIR) / "Data";
			ASSERT_TRUE(std::filesystem::is_directory(data)) << data << " (the build bakes it)";
			savedDataFolder = gDataFolderSpec;
			Tamber::Files::Init();
			// As the boot sets it: a spec inside the Data folder, whose parent
			// colon paths start from.
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(data / "Skeletons");
		}

		void TearDown() override
		{
			Tamber::Files::Shutdown();
			gDataFolderSpec = savedDataFolder;
		}

		static bool Exists(const std::string& colonPath)
		{
			FSSpec spec;
			return FSMakeFSSpec(gDataFolderSpec.vRefNum, gDataFolderSpec.parID, colonPath.c_str(), &spec) == noErr;
		}

		static std::string SpriteImage(const char* set, int n)
		{
			char path[128];
			snprintf(path, sizeof(path), ":sprites:%s:%s%03d.tga", set, set, n);
			return path;
		}

		static void ExpectSkeletonFiles(int type)
		{
			std::string base = std::string(":Skeletons:") + SKELETON_FILE_NAMES[type];
			EXPECT_TRUE(Exists(base + ".skeleton")) << base;
			EXPECT_TRUE(Exists(base + ".bg3d")) << base;
		}
	};
}

TEST_P(LevelTableData, EveryFileTheRowNamesIsBaked)
{
	const LevelDef& def = GetLevelDef(GetParam());

	EXPECT_TRUE(Exists(def.terrainFile)) << def.terrainFile;
	EXPECT_TRUE(Exists(def.modelFile)) << def.modelFile;

	if (def.spriteSet)
	{
		for (int i = 0; i < def.numSprites; i++)
			EXPECT_TRUE(Exists(SpriteImage(def.spriteSet, i))) << SpriteImage(def.spriteSet, i);
		EXPECT_FALSE(Exists(SpriteImage(def.spriteSet, def.numSprites))) << "the set has more images than the row loads";
	}

	for (int type : kEveryLevelSkeletons)
		ExpectSkeletonFiles(type);
	for (int i = 0; i < def.numSkeletons; i++)
		ExpectSkeletonFiles(def.skeletons[i]);

	int effects = 0;
	for (const EffectDef& effect : kEffectDefs)
	{
		if (effect.bank != def.soundBank)
			continue;
		effects++;
		std::string path = std::string(":audio:") + kSoundBankNames[effect.bank] + ".sounds:" + effect.name + ".aiff";
		EXPECT_TRUE(Exists(path)) << path;
	}
	EXPECT_GT(effects, 0) << "bank " << kSoundBankNames[def.soundBank];
	EXPECT_TRUE(Exists(kSongDefs[def.song].path)) << kSongDefs[def.song].path;
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, LevelTableData, ::testing::Range(0, NUM_LEVELS),
		[](const ::testing::TestParamInfo<int>& info) { return std::string(kLevelDefs[info.param].name); });
