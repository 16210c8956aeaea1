// "Routes/Level<N>.route": each world's route, written from its design so it
// moves with the landmarks it was built from.
#include "BakeTerrainWorlds.h"
#include "Bake.h"

#include <string>

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
