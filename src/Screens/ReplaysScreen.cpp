// The replays screen: a menu of the levels that have replays (with each
// one's fastest time), each opening the list of its kept runs (when played, how long it took, the fastest
// marked). Choosing one hands it to the main menu to play; a damaged file is
// refused right here, with a message over the list, and the list stays.
#include "Screens/FrontEndHooks.h"
#include "Screens/Menu.h"
#include "System/Game.h"
#include "System/Replays.h"
#include "System/Strings.h"

#include <cstdio>
#include <filesystem>

namespace
{
	// Title, two notice rows, spacer, a row per level, spacer, back, end.
	constexpr int REPLAYS_ROOT_ROWS = 4 + NUM_LEVELS + 3;
	// Title, spacer, a level's runs, spacer, back, end.
	constexpr int REPLAYS_LEVEL_ROWS = 2 + REPLAYS_KEPT_RECENT + 1 + 3;

	constexpr float REPLAYS_TEXT_SCALE = 0.6f;
	constexpr float REPLAYS_ROW_HEIGHT = 24.0f;		// overlay units: as the slot screen's
	const MenuStyle kReplaysMenuStyle = []
	{
		MenuStyle style = kDefaultMenuStyle;
		style.standardScale = REPLAYS_TEXT_SCALE;
		style.rowHeight = REPLAYS_ROW_HEIGHT;
		return style;
	}();

	std::vector<ReplayEntry> gShelf;
	MenuItem gRootMenu[REPLAYS_ROOT_ROWS];
	MenuItem gLevelMenus[NUM_LEVELS][REPLAYS_LEVEL_ROWS];
	char gLevelLabels[NUM_LEVELS][MENU_CELL_TEXT_BYTES];
	char gRunLabels[REPLAYS_MAX_FILES][MENU_CELL_TEXT_BYTES];
	char gNotice[MENU_CELL_TEXT_BYTES];

	void BuildLevelMenu(int level, int* run)
	{
		MenuItem* menu = gLevelMenus[level];
		int row = 0;
		menu[row++] = {.kind = MENU_ITEM_TITLE, .text = STR_LEVEL_NAME_FIRST + level};
		menu[row++] = {.kind = MENU_ITEM_SPACER};
		for (; *run < int(gShelf.size()) && gShelf[size_t(*run)].level == level && row < REPLAYS_LEVEL_ROWS - 3; (*run)++)
		{
			FormatReplayRow(gShelf[size_t(*run)], GetString(STR_REPLAY_BEST), gRunLabels[*run], MENU_CELL_TEXT_BYTES);
			menu[row++] = {.kind = MENU_ITEM_PICK, .rawText = gRunLabels[*run], .pick = *run};
		}
		menu[row++] = {.kind = MENU_ITEM_SPACER};
		menu[row++] = {.kind = MENU_ITEM_ACTION, .text = STR_BACK, .action = MenuCallback_Back};
		menu[row] = {.kind = MENU_ITEM_END};
	}
}


void BuildReplaysMenu(const std::vector<ReplayEntry>& shelf, const std::string& notice)
{
	gShelf = shelf;
	int row = 0;
	gRootMenu[row++] = {.kind = MENU_ITEM_TITLE, .text = STR_REPLAYS};
	if (!notice.empty())
	{
		snprintf(gNotice, sizeof gNotice, "%s", notice.c_str());
		gRootMenu[row++] = {.kind = MENU_ITEM_LABEL, .text = STR_REPLAY_DAMAGED};
		gRootMenu[row++] = {.kind = MENU_ITEM_LABEL, .rawText = gNotice};
	}
	gRootMenu[row++] = {.kind = MENU_ITEM_SPACER};
	if (gShelf.empty())
		gRootMenu[row++] = {.kind = MENU_ITEM_LABEL, .text = STR_NO_REPLAYS};
	for (int run = 0; run < int(gShelf.size());)
	{
		const int level = gShelf[size_t(run)].level;
		int fastest = gShelf[size_t(run)].tenths;
		for (const ReplayEntry& entry : gShelf)
			if (entry.level == level && entry.best)
				fastest = entry.tenths;
		snprintf(gLevelLabels[level], MENU_CELL_TEXT_BYTES, "%s\t%d:%02d.%d", GetString(STR_LEVEL_NAME_FIRST + level),
				fastest / 600, fastest / 10 % 60, fastest % 10);
		BuildLevelMenu(level, &run);
		gRootMenu[row++] = {.kind = MENU_ITEM_PICK, .rawText = gLevelLabels[level], .pick = level};
	}
	gRootMenu[row++] = {.kind = MENU_ITEM_SPACER};
	gRootMenu[row++] = {.kind = MENU_ITEM_ACTION, .text = STR_BACK, .action = MenuCallback_Back};
	gRootMenu[row] = {.kind = MENU_ITEM_END};
}

const MenuItem* ReplaysMenu()
{
	return gRootMenu;
}

const MenuItem* ReplaysLevelMenu(int level)
{
	return gLevelMenus[level];
}

bool ChooseReplay(void (*moveRoutine)(), void (*drawRoutine)())
{
	const std::string folder = ReplaysFolderPath();
	std::string notice;
	for (;;)
	{
		const std::vector<ReplayEntry> shelf = folder.empty() ? std::vector<ReplayEntry>{} : ListReplays(folder);
		BuildReplaysMenu(shelf, notice);
		// The levels, then the chosen level's runs; backing out of those shows the levels again.
		const int level = StartMenu(gRootMenu, &kReplaysMenuStyle, moveRoutine, drawRoutine);
		if (level < 0 || level >= NUM_LEVELS)
			return false;
		const int pick = StartMenu(gLevelMenus[level], &kReplaysMenuStyle, moveRoutine, drawRoutine);
		if (pick < 0 || pick >= int(shelf.size()))
		{
			notice.clear();
			continue;
		}
		const std::string path = (std::filesystem::path(folder) / shelf[size_t(pick)].fileName).string();
		std::string error;
		if (LoadKeptReplay(path, &error))
			return true;
		// The message names the file and what is wrong; the file stays as it is.
		fprintf(stderr, "%s\n", error.c_str());
		const std::string prefix = "recording " + path + ": ";
		notice = shelf[size_t(pick)].fileName + ": "
				+ (error.compare(0, prefix.size(), prefix) == 0 ? error.substr(prefix.size()) : error);
	}
}
