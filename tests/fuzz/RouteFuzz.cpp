// libFuzzer harness: a level route file. Every input must either be refused
// with a message naming the file and the line, or give goals with finite
// numbers that, written back as route lines, read as the same goals.
#include "Autopilot/AutopilotRoute.h"

#include <cmath>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const std::string text(reinterpret_cast<const char*>(data), size);
	Route route;
	std::string error;
	if (!ParseRouteText(text, "Fuzz.route", &route, &error))
	{
		if (error.rfind("Fuzz.route:", 0) != 0)
			abort();
		return 0;
	}
	std::string again;
	for (const RouteGoal& goal : route)
	{
		if (goal.verb >= NUM_ROUTE_VERBS || !std::isfinite(goal.x) || !std::isfinite(goal.z)
			|| !std::isfinite(goal.value) || !std::isfinite(goal.tx) || !std::isfinite(goal.tz))
			abort();
		again += FormatRouteGoal(goal) + "\n";
	}
	Route reread;
	if (!ParseRouteText(again, "Fuzz.route", &reread, &error) || reread.size() != route.size())
		abort();
	for (size_t i = 0; i < route.size(); i++)
		if (reread[i].verb != route[i].verb)
			abort();
	return 0;
}
