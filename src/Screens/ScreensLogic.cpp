#include "Screens/ScreensLogic.h"
#include "Terrain/TerrainFile.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstring>

int StepMainMenuChoice(int choice, int step)
{
	return ((choice + step) % NUM_MAIN_MENU_CHOICES + NUM_MAIN_MENU_CHOICES) % NUM_MAIN_MENU_CHOICES;
}

int ChooseNewGameLevel(bool (*keyDown)(int scancode), bool backAndStart)
{
	if (keyDown(SDL_SCANCODE_F10) || backAndStart)
		return NEW_GAME_LEVEL_SELECT;
	// Keys 1..9 then 0 stand for levels 0..9; the last held wins.
	int level = 0;
	for (int i = 0; i < 10; i++)
		if (keyDown(SDL_SCANCODE_1 + i))
			level = i;
	return level;
}

int PutNewHumanOnBelt(LoseBelt* belt)
{
	const int slot = belt->next;
	if (belt->inUse[slot])
		return -1;
	belt->inUse[slot] = true;
	belt->next = (slot + 1) % LOSE_BELT_SLOTS;
	return slot;
}

void TakeHumanOffBelt(LoseBelt* belt, int slot)
{
	if (slot >= 0 && slot < LOSE_BELT_SLOTS)
		belt->inUse[slot] = false;
}

namespace
{
	// Map items worth warping to and their labels.
	bool WarpLabel(const TerrainItemEntryType& item, char* label, size_t size)
	{
		switch (item.type)
		{
			case 0: snprintf(label, size, "Start"); return true;
			case 26: snprintf(label, size, "Exit"); return true;
			case 27: snprintf(label, size, "Checkpoint %d", item.parm[0]); return true;
			case 37: snprintf(label, size, "BubblePump"); return true;
			case 57: snprintf(label, size, "Teleporter %d > %d", item.parm[0], item.parm[1]); return true;
			case 58:
				if (item.parm[1] != 0)
					return false;
				snprintf(label, size, "ZipLine %d", item.parm[0]);
				return true;
			case 82: snprintf(label, size, "BumperCarGate"); return true;
			case 83: snprintf(label, size, "RocketSled"); return true;
			default: return false;
		}
	}
}

int BuildWarpRows(const TerrainItemEntryType* items, int numItems, WarpRow rows[MAX_WARP_ROWS])
{
	int n = 0;
	for (int i = 0; i < numItems && n < MAX_WARP_ROWS; i++)
	{
		char label[40];
		const TerrainItemEntryType& item = items[i];
		if (!WarpLabel(item, label, sizeof(label)))
			continue;
		rows[n].item = i;
		snprintf(rows[n].text, WARP_ROW_BYTES, "#%03d   %05u,%05u   %X,%X,%X,%X   %s", i, unsigned(item.x), unsigned(item.z),
				item.parm[0], item.parm[1], item.parm[2], item.parm[3], label);
		n++;
	}
	std::sort(rows, rows + n, [](const WarpRow& a, const WarpRow& b) { return strcmp(a.text, b.text) < 0; });
	return n;
}
