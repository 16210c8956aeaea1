// save_churn FIRST_GENERATION: writes the preferences, a saved game and the
// high-score table through the game's own savers, generation after
// generation from FIRST_GENERATION, until it is killed (the kill -9 tests).
// The files go to $XDG_DATA_HOME/Zappatron as in the game. It prints
// "writing" once it is about to begin.
#include "SaveChurn.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "System/PrefsFile.h"
#include "Files.h"

#include <cstdlib>

int main(int argc, char** argv)
{
	if (argc != 2)
	{
		fprintf(stderr, "usage: save_churn FIRST_GENERATION\n");
		return 2;
	}
	Tamber::Files::Init();
	InitWeaponInventory();
	PrefsType defaults;
	MakeDefaultPrefs(&defaults, 0);
	// Tells a watcher the writing starts now, however long start-up took.
	printf("writing\n");
	fflush(stdout);
	for (uint32_t g = uint32_t(strtoul(argv[1], nullptr, 10)); g <= SAVE_CHURN_MAX_GENERATION; g++)
	{
		MakeChurnPrefs(g, &gGamePrefs, defaults);
		SavedGamePlayerState state = ChurnSaveState(g);
		gRun.score = state.score;
		gCurrentLevel = state.currentLevel;
		gRun.lives = uint8_t(state.lives);
		gRun.health = state.health;
		gRun.fuel = state.fuel;
		MakeChurnHighScores(g, gHighScores);
		if (!SavePrefs() || !SaveGame(SAVE_CHURN_SLOT) || !SaveHighScores())
			return 1;
	}
	return 0;
}
