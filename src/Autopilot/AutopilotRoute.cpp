// Route text: the reader with its checks, and the line writer the baker uses.
#include "Autopilot/AutopilotRoute.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

const RouteVerbInfo kRouteVerbs[NUM_ROUTE_VERBS] = {
	{"goto", 2, true},
	{"jump", 2, true},
	{"jet", 3, true},
	{"punch", 2, true},
	{"grab", 2, true},
	{"ride", 2, true},
	{"charge", 0, false},
	{"exit", 2, true},
	{"boss", 2, true},
	{"land", 0, false},
	{"wait", 1, false},
	{"harvest", 3, true},
	{"deliver", 2, true},
	{"snipe", 4, true},
};

static bool Fail(std::string* error, const std::string& fileName, int line, const std::string& what)
{
	*error = fileName + ":" + std::to_string(line) + ": " + what;
	return false;
}

bool ParseRouteText(const std::string& text, const std::string& fileName, Route* route, std::string* error)
{
	route->clear();
	std::istringstream lines(text);
	std::string raw;
	int lineNumber = 0;
	while (std::getline(lines, raw))
	{
		lineNumber++;
		std::string content = raw.substr(0, raw.find('#'));
		std::istringstream words(content);
		std::string verbName;
		if (!(words >> verbName))
			continue;

		int verb = 0;
		while (verb < NUM_ROUTE_VERBS && verbName != kRouteVerbs[verb].name)
			verb++;
		if (verb == NUM_ROUTE_VERBS)
			return Fail(error, fileName, lineNumber, "unknown goal \"" + verbName + "\"");

		std::vector<float> numbers;
		std::string word;
		while (words >> word)
		{
			char* end = nullptr;
			float v = std::strtof(word.c_str(), &end);
			if (end == word.c_str() || *end != '\0' || !std::isfinite(v))
				return Fail(error, fileName, lineNumber, "\"" + word + "\" is not a number");
			numbers.push_back(v);
		}
		const RouteVerbInfo& info = kRouteVerbs[verb];
		if (int(numbers.size()) != info.numbers)
			return Fail(error, fileName, lineNumber, std::string(info.name) + " takes " + std::to_string(info.numbers)
					+ " numbers, got " + std::to_string(numbers.size()));

		RouteGoal goal;
		goal.verb = RouteVerb(verb);
		goal.line = lineNumber;
		if (info.hasPlace)
		{
			goal.x = numbers[0];
			goal.z = numbers[1];
			if (goal.verb == ROUTE_SNIPE)
			{
				goal.tx = numbers[2];
				goal.tz = numbers[3];
			}
			else if (info.numbers > 2)
				goal.value = numbers[2];
		}
		else if (info.numbers > 0)
			goal.value = numbers[0];
		if (goal.verb == ROUTE_WAIT && goal.value < 0)
			return Fail(error, fileName, lineNumber, "wait takes seconds of 0 or more");
		// Routes hold whole units (FormatRouteGoal), so a radius under one would be
		// written as 0 and refused when read back.
		if (goal.verb == ROUTE_HARVEST && !(goal.value >= 1))
			return Fail(error, fileName, lineNumber, "harvest takes a radius of at least 1");
		route->push_back(goal);
	}
	if (route->empty())
		return Fail(error, fileName, lineNumber, "the route has no goals");
	return true;
}

std::string FormatRouteGoal(const RouteGoal& goal)
{
	const RouteVerbInfo& info = kRouteVerbs[goal.verb];
	char line[96];
	if (goal.verb == ROUTE_SNIPE)
		snprintf(line, sizeof(line), "%s %.0f %.0f %.0f %.0f", info.name, goal.x, goal.z, goal.tx, goal.tz);
	else if (info.hasPlace && info.numbers > 2)
		snprintf(line, sizeof(line), "%s %.0f %.0f %.0f", info.name, goal.x, goal.z, goal.value);
	else if (info.hasPlace)
		snprintf(line, sizeof(line), "%s %.0f %.0f", info.name, goal.x, goal.z);
	else if (info.numbers > 0)
		snprintf(line, sizeof(line), "%s %g", info.name, goal.value);
	else
		snprintf(line, sizeof(line), "%s", info.name);
	return line;
}

std::string RouteFileName(int level)
{
	return "Routes/Level" + std::to_string(level) + ".route";
}
