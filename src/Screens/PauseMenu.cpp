#include "Screens/PauseMenu.h"
#include "Screens/Menu.h"
#include "Screens/SettingsMenu.h"
#include "System/Error.h"
#include "System/Level.h"
#include "System/Objects.h"
#include "System/Sound.h"
#include "System/Strings.h"

namespace
{
	MenuItem Pick(int text, int code)
	{
		MenuItem m;
		m.kind = MENU_ITEM_PICK;
		m.text = text;
		m.pick = code;
		return m;
	}

}

const MenuItem kPauseMenu[] =
{
	Pick(STR_RESUME, PAUSE_PICK_RESUME),
	Pick(STR_SETTINGS, PAUSE_PICK_SETTINGS),
	Pick(STR_END_GAME, PAUSE_PICK_END_GAME),
	Pick(STR_QUIT, PAUSE_PICK_QUIT),
	MenuItem{},
};

bool ApplyPausePick(int pick)
{
	switch (pick)
	{
		case PAUSE_PICK_SETTINGS:
			return true;
		case PAUSE_PICK_END_GAME:
			gLevel.gameOver = true;		// the play loop ends after this frame; the lose screen follows
			return false;
		default:
			return false;			// resume, or backed out
	}
}

void DoPauseMenu()
{
	gGamePaused = true;
	PauseAllChannels(true);

	for (;;)
	{
		const int pick = StartMenu(kPauseMenu, &kPauseMenuStyle, nullptr, DrawObjects);
		if (pick == PAUSE_PICK_QUIT)
			QuitGame();
		if (pick == PAUSE_PICK_SETTINGS)
			DoSettingsScreen(nullptr, DrawObjects);
		if (!ApplyPausePick(pick))
			break;
	}

	gGamePaused = false;
	PauseAllChannels(false);
	ToggleMusic();
}
