// Saved games in the preferences folder.
#include "System/SavedGame.h"
#include "System/PrefsFolder.h"
#include "System/Error.h"
#include "System/Game.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "AtomicWrite.h"

#include <ctime>
#include <vector>

namespace
{
	bool gLoadedWeaponsPending = false;
	int16_t gLoadedCurrentWeapon = WEAPON_FIST;
	WeaponSlot gLoadedWeapons[MAX_WEAPON_SLOTS];
}

static void CheckSlot(int slot)
{
	GAME_ASSERT_MESSAGE(slot >= 0 && slot < NUM_SAVE_SLOTS, "slot < NUM_SAVE_SLOTS");
}

bool SaveGame(int slot)
{
	CheckSlot(slot);

	SavedGamePlayerState state = { gRun.score, gCurrentLevel, gRun.lives, gRun.health, gRun.fuel };
	SavedGameRecord record = MakeSavedGameRecord(state, int64_t(std::time(nullptr)));
	record.hasWeapons = true;
	record.currentWeapon = gRun.currentWeapon;
	for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
		record.weapons[k] = gRun.weapons[k];
	uint8_t image[SAVED_GAME_FILE_SIZE];
	EncodeSavedGameFile(record, image);

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
	if (ReadPrefsFolderFile(name, &bytes, SAVED_GAME_FILE_SIZE) != noErr)
		return false;
	*problem = DecodeSavedGame(bytes.data(), bytes.size(), record);
	if (*problem != SAVED_GAME_OK)
	{
		// The slot shows as empty from now on; the file is kept for the player.
		std::string aside = SetAsidePrefsFolderFile(name);
		ShowAlert("The saved game \"%s\" is damaged (%s); %s", name, DescribeSavedGameProblem(*problem),
				  DescribeSetAside(aside).c_str());
	}
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
		return false;		// a damaged file has been set aside and named by ReadSlot

	SavedGamePlayerState state = SavedGameResumeState(record);
	gRun.score = state.score;
	gRun.loadedGameScore = state.score;
	gCurrentLevel = state.currentLevel;
	gRun.lives = uint8_t(state.lives);
	gRun.health = state.health;
	gRun.fuel = state.fuel;
	gRun.resumingSavedGame = true;

	// A save from before weapons were kept resumes with the fist alone.
	gLoadedWeaponsPending = record.hasWeapons;
	gLoadedCurrentWeapon = record.currentWeapon;
	for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
		gLoadedWeapons[k] = record.weapons[k];
	return true;
}

bool TakeLoadedWeaponInventory()
{
	if (!gLoadedWeaponsPending)
		return false;
	gLoadedWeaponsPending = false;
	InitWeaponInventory();
	for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
		gRun.weapons[k] = gLoadedWeapons[k];
	// The selection must be a weapon the robot holds; else the first it has.
	gRun.currentWeapon = gLoadedCurrentWeapon;
	if (gRun.currentWeapon < 0 || FindWeaponSlot(gRun.currentWeapon) < 0)
	{
		int slot = ChangeWeapons(0, +1, true);
		gRun.currentWeapon = slot >= 0 ? gRun.weapons[slot].type : int16_t(-1);
	}
	return true;
}
