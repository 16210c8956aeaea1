// Loading a level's route from the Data folder.
#include "Autopilot/AutopilotRoute.h"
#include "System/Boot.h"
#include "System/Error.h"

#include <fstream>
#include <sstream>

Route LoadLevelRoute(int level)
{
	std::string name = RouteFileName(level);
	std::ifstream file(gDataFolderPath / name, std::ios::binary);
	if (!file)
		FatalAlert("LoadLevelRoute: can't open %s", name.c_str());
	std::ostringstream text;
	text << file.rdbuf();

	Route route;
	std::string error;
	if (!ParseRouteText(text.str(), name, &route, &error))
		FatalAlert("LoadLevelRoute: %s", error.c_str());
	return route;
}
