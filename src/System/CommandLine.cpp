#include "System/CommandLine.h"
#include "System/Boot.h"
#include "System/Window.h"

#include <CLI/CLI.hpp>

#ifndef ZAPP_VERSION_TEXT
#define ZAPP_VERSION_TEXT "unknown"
#endif

const char* GameVersionText()
{
	return "Zappatron " ZAPP_VERSION_TEXT;
}

// Screen sizes and rates a monitor could offer; anything else is a typing slip.
constexpr int MAX_FULLSCREEN_SIDE = 16384;		// pixels
constexpr int MAX_REFRESH_RATE = 1000;			// Hz

void AddGameSwitches(CLI::App* app)
{
	gSkipFluff = false;
	gFullscreenWidth = 0;
	gFullscreenHeight = 0;
	gFullscreenRefreshRate = 0;

	app->set_help_flag("--help", "print the switches and their meaning, then quit")->group(SWITCH_GROUP_PLAYING);
	app->set_version_flag("--version", GameVersionText(), "print the game's version, then quit")->group(SWITCH_GROUP_PLAYING);
	app->get_formatter()->column_width(34);

	app->add_flag("--skip-fluff", gSkipFluff, "leave out the intro animations and fades")->group(SWITCH_GROUP_PLAYING);
	app->add_option_function<std::vector<int>>("--fullscreen-resolution",
			[](const std::vector<int>& size)
			{
				gFullscreenWidth = size[0];
				gFullscreenHeight = size[1];
			},
			"full-screen mode size in pixels")
		->expected(2)->type_name("W H")->check(CLI::Range(1, MAX_FULLSCREEN_SIDE).description(""))->group(SWITCH_GROUP_PLAYING);
	app->add_option("--fullscreen-refresh-rate", gFullscreenRefreshRate, "full-screen refresh rate")
		->type_name("HZ")->check(CLI::Range(1, MAX_REFRESH_RATE).description(""))->group(SWITCH_GROUP_PLAYING);
}

CommandLineOutcome ParseSwitches(CLI::App* app, int argc, char** argv, bool (*check)(std::string* error),
		std::string* message)
{
	message->clear();
	try
	{
		app->parse(argc, argv);
	}
	catch (const CLI::CallForHelp&)
	{
		*message = app->help();
		return COMMAND_LINE_DONE;
	}
	catch (const CLI::CallForVersion&)
	{
		*message = std::string(GameVersionText()) + "\n";
		return COMMAND_LINE_DONE;
	}
	catch (const CLI::ParseError& e)
	{
		*message = e.what();
		return COMMAND_LINE_BAD;
	}
	if (check && !check(message))
		return COMMAND_LINE_BAD;
	return COMMAND_LINE_RUN;
}

CommandLineOutcome ReadCommandLine(int argc, char** argv, std::string* message)
{
	CLI::App app("Zappatron: a small robot rescues humans from aliens across ten levels.", "zappatron");
	AddGameSwitches(&app);
	if (gBootHooks.addSwitches)
		gBootHooks.addSwitches(&app);
	return ParseSwitches(&app, argc, argv, gBootHooks.checkSwitches, message);
}
