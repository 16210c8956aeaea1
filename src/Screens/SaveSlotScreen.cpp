// The save/load slot screen: a menu of the twelve slots built at run time.
#include "Screens/FrontEndHooks.h"
#include "Screens/Menu.h"
#include "System/SavedGame.h"
#include "System/Strings.h"

#include <cstdio>

namespace
{
	// Title, spacer, 12 slots, spacer, back, end.
	constexpr int SLOT_MENU_ROWS = 2 + NUM_SAVE_SLOTS + 3;

	// Twelve slots and their dates in the default style filled the screen
	// edge to edge, a row's descenders on the next one's capitals: the slots
	// are drawn a little smaller in rows that keep a gap between them.
	constexpr float SLOT_TEXT_SCALE = 0.6f;
	constexpr float SLOT_ROW_HEIGHT = 24.0f;		// overlay units
	const MenuStyle kSlotMenuStyle = []
	{
		MenuStyle style = kDefaultMenuStyle;
		style.standardScale = SLOT_TEXT_SCALE;
		style.rowHeight = SLOT_ROW_HEIGHT;
		return style;
	}();

	MenuItem gSlotMenu[SLOT_MENU_ROWS];
	char gSlotLabels[NUM_SAVE_SLOTS][MENU_CELL_TEXT_BYTES];
}

void BuildSaveSlotMenu(int mode, MenuItem menu[], char labels[][MENU_CELL_TEXT_BYTES])
{
	bool saving = mode == SAVE_SLOT_MODE_SAVE;
	int row = 0;
	menu[row++] = {.kind = MENU_ITEM_TITLE, .text = saving ? STR_SAVE_GAME : STR_LOAD_GAME};
	menu[row++] = {.kind = MENU_ITEM_SPACER};
	for (int slot = 0; slot < NUM_SAVE_SLOTS; slot++)
	{
		SavedGameRecord record;
		MenuItem& item = menu[row++];
		if (ReadSavedGameHeader(slot, &record))
		{
			FormatSavedGameLabel(record, labels[slot], MENU_CELL_TEXT_BYTES);
			item = {.kind = MENU_ITEM_PICK, .rawText = labels[slot], .pick = slot};
		}
		else if (saving)
			item = {.kind = MENU_ITEM_PICK, .text = STR_EMPTY, .pick = slot};		// an empty slot to fill
		else
			item = {.kind = MENU_ITEM_LABEL, .text = STR_EMPTY};
	}
	menu[row++] = {.kind = MENU_ITEM_SPACER};
	menu[row++] = {.kind = MENU_ITEM_ACTION, .text = saving ? STR_CONTINUE : STR_BACK, .action = MenuCallback_Back};
	menu[row] = {.kind = MENU_ITEM_END};
}

bool SaveSlotScreen(int mode, void (*drawRoutine)())
{
	BuildSaveSlotMenu(mode, gSlotMenu, gSlotLabels);
	int slot = StartMenu(gSlotMenu, &kSlotMenuStyle, nullptr, drawRoutine);
	if (slot < 0 || slot >= NUM_SAVE_SLOTS)
		return false;
	return mode == SAVE_SLOT_MODE_SAVE ? SaveGame(slot) : LoadSavedGame(slot);
}
