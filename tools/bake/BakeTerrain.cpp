// ":Terrain:*.ter": the ten worlds, one bake step each.
#include "BakeTerrainWorlds.h"
#include "Bake.h"

#include <stdexcept>
#include <string>

namespace TerrainBake
{
	WorldDesign MakeWorldDesign(int level)
	{
		switch (level)
		{
			case 0: return Worlds::Farm();
			case 1: return Worlds::SlimeWorld();
			case 2: return Worlds::SlimeBossArena();
			case 3: return Worlds::Apocalypse();
			case 4: return Worlds::CloudCity();
			case 5: return Worlds::Jungle();
			case 6: return Worlds::JungleBossArena();
			case 7: return Worlds::FireAndIce();
			case 8: return Worlds::SaucerCountry();
			case 9: return Worlds::BrainBossArena();
		}
		throw std::out_of_range("no world for level " + std::to_string(level));
	}
}

namespace
{
	template <int LEVEL>
	void BakeWorldFile(const Bake::Context& context)
	{
		TerrainBake::WorldDesign design = TerrainBake::MakeWorldDesign(LEVEL);
		TerrainBake::WriteTerrainFile(context, "Terrain/" + design.name + ".ter", TerrainBake::BakeWorld(design));
	}
}

BAKE_STEP("terrain/0-farm", BakeWorldFile<0>);
BAKE_STEP("terrain/1-slime", BakeWorldFile<1>);
BAKE_STEP("terrain/2-blobboss", BakeWorldFile<2>);
BAKE_STEP("terrain/3-apocalypse", BakeWorldFile<3>);
BAKE_STEP("terrain/4-cloud", BakeWorldFile<4>);
BAKE_STEP("terrain/5-jungle", BakeWorldFile<5>);
BAKE_STEP("terrain/6-jungleboss", BakeWorldFile<6>);
BAKE_STEP("terrain/7-fireice", BakeWorldFile<7>);
BAKE_STEP("terrain/8-saucer", BakeWorldFile<8>);
BAKE_STEP("terrain/9-brainboss", BakeWorldFile<9>);
