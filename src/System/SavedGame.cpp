// Saved games in the preferences folder.
#include "System/SavedGame.h"
#include "System/PrefsFolder.h"
#include "System/Error.h"
#include "System/Game.h"
#include "Player/Player.h"
#include "AtomicWrite.h"

#include <ctime>
#include <vector>

int32_t gLoadedGameScore = 0;

static void CheckSlot(int slot)
{
	GAME_ASSERT_MESSAGE(slot >= 0 && slot < NUM_SAVE_SLOTS, "slot < NUM_SAVE_SLOTS");
}

bool SaveGame(int slot)
{
	CheckSlot(slot);

	SavedGamePlayerState state = { gScore, gCurrentLevel, gPlayerLives, gPlayerHealth, gJumpJetFuel };
	uint8_t image[SAVED_GAME_SIZE];
	EncodeSavedGame(MakeSavedGameRecord(state, int64_t(std::time(nullptr))), image);

	char name[32];
	GetSavedGameFileName(slot, name, sizeof(name));
	FSSpec spec;
	if (!MakePrefsFolderSpec(name, &spec))
	{
		ShowAlert("Couldn't create save file.");
		return false;
	}
	// The old save stays intact unless the new one is complete.
	if (WriteFileAtomically(spec, image, sizeof(image)) != noErr)
	{
		ShowAlert("Couldn't write saved game file.");
		return false;
	}
	return true;
}

// Reads and checks a slot's file; false for a missing or unusable file.
static bool ReadSlot(int slot, SavedGameRecord* record, SavedGameDecodeResult* problem)
{
	CheckSlot(slot);
	char name[32];
	GetSavedGameFileName(slot, name, sizeof(name));

	std::vector<uint8_t> bytes;
	*problem = SAVED_GAME_OK;
	if (ReadPrefsFolderFile(name, &bytes, SAVED_GAME_SIZE) != noErr)
		return false;
	*problem = DecodeSavedGame(bytes.data(), bytes.size(), record);
	return *problem == SAVED_GAME_OK;
}

bool ReadSavedGameHeader(int slot, SavedGameRecord* record)
{
	SavedGameDecodeResult problem;
	return ReadSlot(slot, record, &problem);
}

bool LoadSavedGame(int slot)
{
	SavedGameRecord record;
	SavedGameDecodeResult problem;
	if (!ReadSlot(slot, &record, &problem))
	{
		if (problem != SAVED_GAME_OK)
			ShowAlert("Couldn't load this saved game: %s.", DescribeSavedGameProblem(problem));
		return false;
	}

	SavedGamePlayerState state = SavedGameResumeState(record);
	gScore = state.score;
	gLoadedGameScore = state.score;
	gCurrentLevel = state.currentLevel;
	gPlayerLives = uint8_t(state.lives);
	gPlayerHealth = state.health;
	gJumpJetFuel = state.fuel;
	return true;
}
