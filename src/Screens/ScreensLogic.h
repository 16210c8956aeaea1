// The GL-free rules of the screens between levels: where a new game starts,
// the lose screen's conveyor belt, the warp list, and the screens' clocks.
#pragma once

#include <cstdint>

struct TerrainItemEntryType;

constexpr int NUM_MAIN_MENU_CHOICES = 8;
enum
{
	MAIN_MENU_NEW_GAME,
	MAIN_MENU_LOAD_GAME,
	MAIN_MENU_INFO,
	MAIN_MENU_QUIT,
	MAIN_MENU_CREDITS,
	MAIN_MENU_HIGH_SCORES,
	MAIN_MENU_REPLAYS,
	MAIN_MENU_SETTINGS,			// last, so one step left from a new game is the settings
};

// The next choice of the turntable, wrapping 0..NUM_MAIN_MENU_CHOICES − 1.
int StepMainMenuChoice(int choice, int step);

// Where a new game starts, from the keys held when it was chosen
// (`keyDown` tells whether an SDL scancode is held): NEW_GAME_LEVEL_SELECT
// when F10 is held or `backAndStart`, else the highest held digit's level
// (0 counting as the tenth), else level 0.
constexpr int NEW_GAME_LEVEL_SELECT = -2;
int ChooseNewGameLevel(bool (*keyDown)(int scancode), bool backAndStart);

// The lose screen's belt: a ring of slots for the humans riding it. A slot
// still in use leaves the new human off the belt instead of stopping the game.
constexpr int LOSE_BELT_SLOTS = 20;
struct LoseBelt
{
	bool inUse[LOSE_BELT_SLOTS] = {};
	int next = 0;
};
// The slot the next human takes, or -1 when it is still taken (skipped).
int PutNewHumanOnBelt(LoseBelt* belt);
void TakeHumanOffBelt(LoseBelt* belt, int slot);

// Screen clocks (seconds).
constexpr float LEGAL_SCREEN_SECONDS = 8;
constexpr float LOSE_SCREEN_SECONDS = 43;
constexpr float WIN_PHASE1_SECONDS = 90;
constexpr float WIN_LOCK_SECONDS = 6;			// the win screen can't be left before its title shows
constexpr float WIN_PHASE2_SECONDS = 30;
constexpr float LEVEL_INTRO_SECONDS = 11;
constexpr float LEVEL_INTRO_SHORT_SECONDS = 5;

// The warp list of the current level's items worth jumping to.
constexpr int MAX_WARP_ROWS = 30;
constexpr int WARP_ROW_BYTES = 96;
struct WarpRow
{
	int item;						// index in the item list
	char text[WARP_ROW_BYTES];
};
// Fills at most MAX_WARP_ROWS rows (more are left out), sorted by text; returns the count.
int BuildWarpRows(const TerrainItemEntryType* items, int numItems, WarpRow rows[MAX_WARP_ROWS]);
