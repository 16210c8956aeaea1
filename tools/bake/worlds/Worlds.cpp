// The ten worlds' bake steps: ":Terrain:*.ter", written where the level
// table says the game reads them, and "Routes/Level<N>.route", each world's
// route written from its design so it moves with the landmarks it was built
// from. One design function per level, each in its own worlds/<World>.cpp.
#include "worlds/WorldPlacing.h"
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

namespace
{
	template <int LEVEL>
	void BakeRouteFile(const Bake::Context& context)
	{
		TerrainBake::WorldDesign design = TerrainBake::MakeWorldDesign(LEVEL);
		std::string text = "# Route of level " + std::to_string(LEVEL) + " (" + design.name + "): one goal a line\n";
		for (const RouteGoal& goal : design.route)
			text += FormatRouteGoal(goal) + "\n";
		Bake::WriteDataFile(context, RouteFileName(LEVEL), text);
	}
}

BAKE_STEP("routes/0", BakeRouteFile<0>);
BAKE_STEP("routes/1", BakeRouteFile<1>);
BAKE_STEP("routes/2", BakeRouteFile<2>);
BAKE_STEP("routes/3", BakeRouteFile<3>);
BAKE_STEP("routes/4", BakeRouteFile<4>);
BAKE_STEP("routes/5", BakeRouteFile<5>);
BAKE_STEP("routes/6", BakeRouteFile<6>);
BAKE_STEP("routes/7", BakeRouteFile<7>);
BAKE_STEP("routes/8", BakeRouteFile<8>);
BAKE_STEP("routes/9", BakeRouteFile<9>);
