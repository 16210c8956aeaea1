// Level routes: the ordered goals a player follows to finish a level, as the
// baker writes them beside the level's data and the autopilot reads them.
//
// A route file is text, one goal per line: a verb and its numbers (world
// units and seconds), blanks between them; `#` starts a comment, blank lines
// are skipped. The verbs and how many numbers each takes live here, shared by
// the baker's writer and the game's reader, so the two cannot drift apart.
//
//   goto X Z        walk (or fly, on the saucer level) to within reach of the point
//   jump X Z        go there, then jump
//   jet X Z H       go there, then jump and fire the jump jet to climb to height H
//   punch X Z       go there and punch what stands there
//   grab X Z        go there and pick up what lies there
//   ride X Z        go to a ride and board it (a jump onto it)
//   charge          wait until the exit is charged
//   exit X Z        stand still on the spot where the exit saucer takes the robot
//   boss X Z        go at the boss that stands there and fight it
//   land            drop the robot out of the player's saucer (saucer level)
//   wait S          stand still for S seconds
//   harvest X Z R   saucer level: fly there and beam up every human within R
//                   of the point, smashing the people huts there first;
//                   fly to the drop zone whenever the hold is full
//   deliver X Z     saucer level: fly to the drop point and let the saucer unload
//   snipe X Z TX TZ go to (X, Z) and, standing there, shoot down the boss part
//                   that stands at (TX, TZ) from afar
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum RouteVerb : uint8_t
{
	ROUTE_GOTO,
	ROUTE_JUMP,
	ROUTE_JET,
	ROUTE_PUNCH,
	ROUTE_GRAB,
	ROUTE_RIDE,
	ROUTE_CHARGE,
	ROUTE_EXIT,
	ROUTE_BOSS,
	ROUTE_LAND,
	ROUTE_WAIT,
	ROUTE_HARVEST,
	ROUTE_DELIVER,
	ROUTE_SNIPE,
	NUM_ROUTE_VERBS
};

struct RouteVerbInfo
{
	const char* name;
	int numbers;				// how many numbers follow the verb
	bool hasPlace;				// the first two numbers are a point on the map (x, z)
};
extern const RouteVerbInfo kRouteVerbs[NUM_ROUTE_VERBS];

struct RouteGoal
{
	RouteVerb verb = ROUTE_GOTO;
	float x = 0, z = 0;			// the place, for verbs that have one
	float value = 0;			// jet: the height to climb to; wait: seconds; harvest: the radius
	float tx = 0, tz = 0;		// snipe: where the target stands
	int line = 0;				// where the goal came from, for messages (0: made in code)
};

using Route = std::vector<RouteGoal>;

// Reads route text. On a bad line returns false with `error` naming the file
// and the line ("Level0.route:7: goto takes 2 numbers, got 1").
bool ParseRouteText(const std::string& text, const std::string& fileName, Route* route, std::string* error);

// One goal as a route line (the verb and its numbers, without a newline).
std::string FormatRouteGoal(const RouteGoal& goal);

// The route file's name of a level, relative to the Data folder ("Routes/Level3.route").
std::string RouteFileName(int level);

// Reads the current level's route from the Data folder; a missing file or a
// bad line is a fatal alert naming the file (AutopilotRouteFile.cpp).
Route LoadLevelRoute(int level);
