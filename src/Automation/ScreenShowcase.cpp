// --show-screen: one screen between levels, set up with a plausible game so
// it can be looked at (and screenshotted) without playing up to it.
#include "Screens/AfterTallyScene.h"
#include "Screens/FrontEndHooks.h"
#include "Screens/Menu.h"
#include "Screens/HighScores.h"
#include "Screens/Screens.h"
#include "Automation/ScreenShowcase.h"
#include "Items/Humans.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "Automation/Automation.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/SavedGame.h"

#include <cstdio>

namespace
{
	void PlausibleGame()
	{
		gCurrentLevel = 3;
		gRun.score = 12750;
		gRun.lives = 3;
		gRun.health = 0.8f;
		gRun.fuel = 0.5f;
		const int rescued[NUM_HUMAN_TYPES] = {4, 2, 1, 3};
		for (int i = 0; i < NUM_HUMAN_TYPES; i++)
			gLevel.humansRescued[i] = rescued[i];
		InitWeaponInventory();
		AddWeaponToInventory(WEAPON_STUNGUN, 14);
		AddWeaponToInventory(WEAPON_FLARE, 5);
		AddWeaponToInventory(WEAPON_NOVA, 2);
	}

	void SeedEmptyTable()
	{
		LoadHighScores();
		if (gHighScores[0].score != 0)
			return;
		const char* names[] = {"ROBO ACE", "FARMER JO", "BEE QUEEN", "DR VOLT", "SKIRT LADY", "ZAPPER"};
		for (int i = 0; i < 6; i++)
		{
			snprintf(gHighScores[i].name, sizeof(gHighScores[i].name), "%s", names[i]);
			gHighScores[i].score = uint32_t(90000 - 14000 * i);
		}
		SaveHighScores();
	}
}

void RunScreenShowcase(int screen)
{
	PlausibleGame();
	switch (screen)
	{
		case SHOW_SCREEN_BONUS:
			DoBonusScreen();
			break;
		case SHOW_SCREEN_SAVE_SLOTS:
		case SHOW_SCREEN_LOAD_SLOTS:
			SaveGame(0);
			gCurrentLevel = 6;
			SaveGame(3);
			SetupScreenView({0.05f, 0.03f, 0.15f, 3000, false, 0, 800});
			SaveSlotScreen(screen == SHOW_SCREEN_SAVE_SLOTS ? SAVE_SLOT_MODE_SAVE : SAVE_SLOT_MODE_LOAD, DrawObjects);
			EndScreen();
			break;
		case SHOW_SCREEN_HIGH_SCORES:
			SeedEmptyTable();
			SetupScreenView({0.05f, 0.03f, 0.15f, 3000, false, 0, 800});
			ShowHighScoresScreen(DrawObjects);
			EndScreen();
			break;
		case SHOW_SCREEN_NAME_ENTRY:
			SeedEmptyTable();
			gRun.score = 61000;
			DoHighScoreEntry();
			break;
		case SHOW_SCREEN_LOSE:
			DoLoseScreen();
			break;
		case SHOW_SCREEN_WIN:
			DoWinScreen();
			break;
		case SHOW_SCREEN_JUNGLE_SCENE:
			gCurrentLevel = LEVEL_NUM_JUNGLE;
			DoAfterTallyScene();
			break;
		case SHOW_SCREEN_CREDITS:
			SetupScreenView({0.05f, 0.1f, 0.25f, 3000, false, 0, 800});
			StartMenu(kCreditsMenu, &kCreditsMenuStyle, nullptr, DrawObjects);
			EndScreen();
			break;
	}
}
