// The command line, read once at start-up with CLI11. The game's own switches
// (the "Playing" group) live here; whatever drives the game from outside adds
// its own through gBootHooks.addSwitches (the "Testing and benchmarks" group),
// so --help lists both and an unknown switch is refused whoever would have
// read it. A bad switch or value gets one line naming it and exit code
// EXIT_BAD_COMMAND_LINE, before a window opens.
#pragma once

#include <string>

namespace CLI { class App; }

constexpr const char* SWITCH_GROUP_PLAYING = "Playing";
constexpr const char* SWITCH_GROUP_TESTING = "Testing and benchmarks";
constexpr int EXIT_BAD_COMMAND_LINE = 2;

// The program's name and version, as --version and the window title show them.
const char* GameVersionText();

// Adds the game's own switches (--skip-fluff, the full-screen mode, --help,
// --version) to `app`; they set gSkipFluff and the gFullscreen… globals,
// which start from "not given".
void AddGameSwitches(CLI::App* app);

enum CommandLineOutcome
{
	COMMAND_LINE_RUN,		// go on with the run
	COMMAND_LINE_DONE,		// --help or --version was printed: exit 0
	COMMAND_LINE_BAD,		// `message` says what is wrong: exit EXIT_BAD_COMMAND_LINE
};

// Parses `argv` against `app` (switches already added) and, when that
// succeeds, runs `check` (may be null) over the combination. `message` gets
// the help or version text, or the one-line complaint.
CommandLineOutcome ParseSwitches(CLI::App* app, int argc, char** argv, bool (*check)(std::string* error),
		std::string* message);

// The whole command line: the game's switches and the hooks'.
CommandLineOutcome ReadCommandLine(int argc, char** argv, std::string* message);
