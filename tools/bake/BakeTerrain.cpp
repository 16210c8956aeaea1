// ":Terrain:*.ter": the ten worlds, one bake step each, written where the
// level table says the game reads them.
#include "BakeTerrainWorlds.h"
#include "Bake.h"
#include "System/LevelTable.h"

#include <stdexcept>
#include <string>

namespace TerrainBake
{
	WorldDesign MakeWorldDesign(int level)
	{
		WorldDesign design;
		switch (level)
		{
			case LEVEL_NUM_FARM:		design = Worlds::Farm(); break;
			case LEVEL_NUM_BLOB:		design = Worlds::SlimeWorld(); break;
			case LEVEL_NUM_BLOBBOSS:	design = Worlds::SlimeBossArena(); break;
			case LEVEL_NUM_APOCALYPSE:	design = Worlds::Apocalypse(); break;
			case LEVEL_NUM_CLOUD:		design = Worlds::CloudCity(); break;
			case LEVEL_NUM_JUNGLE:		design = Worlds::Jungle(); break;
			case LEVEL_NUM_JUNGLEBOSS:	design = Worlds::JungleBossArena(); break;
			case LEVEL_NUM_FIREICE:		design = Worlds::FireAndIce(); break;
			case LEVEL_NUM_SAUCER:		design = Worlds::SaucerCountry(); break;
			case LEVEL_NUM_BRAINBOSS:	design = Worlds::BrainBossArena(); break;
			default:
				throw std::out_of_range("no world for level " + std::to_string(level));
		}
		// The name is the terrain file's, ":Terrain:<name>.ter".
		std::string path = Bake::DataFolderPath(kLevelDefs[level].terrainFile);
		const std::string folder = "Terrain/", extension = ".ter";
		if (!path.starts_with(folder) || !path.ends_with(extension))
			throw std::logic_error("level " + std::to_string(level) + "'s terrain file is not a :Terrain:*.ter file");
		design.name = path.substr(folder.size(), path.size() - folder.size() - extension.size());
		return design;
	}
}

namespace
{
	template <int LEVEL>
	void BakeWorldFile(const Bake::Context& context)
	{
		TerrainBake::WorldDesign design = TerrainBake::MakeWorldDesign(LEVEL);
		TerrainBake::WriteTerrainFile(context, Bake::DataFolderPath(kLevelDefs[LEVEL].terrainFile),
				TerrainBake::BakeWorld(design));
	}
}

BAKE_STEP("terrain/0-farm", BakeWorldFile<LEVEL_NUM_FARM>);
BAKE_STEP("terrain/1-slime", BakeWorldFile<LEVEL_NUM_BLOB>);
BAKE_STEP("terrain/2-blobboss", BakeWorldFile<LEVEL_NUM_BLOBBOSS>);
BAKE_STEP("terrain/3-apocalypse", BakeWorldFile<LEVEL_NUM_APOCALYPSE>);
BAKE_STEP("terrain/4-cloud", BakeWorldFile<LEVEL_NUM_CLOUD>);
BAKE_STEP("terrain/5-jungle", BakeWorldFile<LEVEL_NUM_JUNGLE>);
BAKE_STEP("terrain/6-jungleboss", BakeWorldFile<LEVEL_NUM_JUNGLEBOSS>);
BAKE_STEP("terrain/7-fireice", BakeWorldFile<LEVEL_NUM_FIREICE>);
BAKE_STEP("terrain/8-saucer", BakeWorldFile<LEVEL_NUM_SAUCER>);
BAKE_STEP("terrain/9-brainboss", BakeWorldFile<LEVEL_NUM_BRAINBOSS>);
