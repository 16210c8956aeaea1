// Saved games: twelve slots of big-endian files in the preferences folder.
// A save is the 32-byte record (score, the level to resume, lives, health,
// fuel, when it was saved) followed by the weapon inventory; saves written
// before the inventory was kept are the 32-byte record alone (version 0x200)
// and still load, with the fist only.
#pragma once

#include "Player/Weapons.h"

#include <cstddef>
#include <cstdint>

constexpr int NUM_SAVE_SLOTS = 12;
constexpr int SAVED_GAME_SIZE = 32;							// the record; a whole file of version 0x200
constexpr int32_t SAVED_GAME_VERSION = 0x200;
constexpr int32_t SAVED_GAME_VERSION_WEAPONS = 0x201;		// the record, then the weapon block
constexpr int SAVED_GAME_WEAPONS_SIZE = 4 + 4 * MAX_WEAPON_SLOTS;	// current weapon, reserved, 8 × (type, quantity)
constexpr int SAVED_GAME_FILE_SIZE = SAVED_GAME_SIZE + SAVED_GAME_WEAPONS_SIZE;	// 68 bytes

struct SavedGameRecord
{
	int32_t version;
	int32_t score;
	int16_t level;			// the level index at which the game resumes
	int16_t lives;
	float health;
	float fuel;
	int64_t savedAt;		// seconds since 1970 (UTC)

	// The weapon inventory at the end of the saved level (version 0x201).
	bool hasWeapons;
	int16_t currentWeapon;
	WeaponSlot weapons[MAX_WEAPON_SLOTS];
};

// The game state a save holds.
struct SavedGamePlayerState
{
	int32_t score;
	int currentLevel;		// the level just finished
	int lives;
	float health;
	float fuel;
};

// Loading a game writes the run it resumes into gRun (Player/Player.h): the
// score it started with, and that the next run resumes it.

SavedGameRecord MakeSavedGameRecord(const SavedGamePlayerState& state, int64_t savedAt);
// The state a loaded record resumes: currentLevel is the level to play next.
SavedGamePlayerState SavedGameResumeState(const SavedGameRecord& record);

// The 32-byte record alone, with the record's version.
void EncodeSavedGame(const SavedGameRecord& record, uint8_t out[SAVED_GAME_SIZE]);
// A whole file of the current version: the record (version 0x201) and the weapon block.
void EncodeSavedGameFile(const SavedGameRecord& record, uint8_t out[SAVED_GAME_FILE_SIZE]);

enum SavedGameDecodeResult
{
	SAVED_GAME_OK,
	SAVED_GAME_WRONG_SIZE,
	SAVED_GAME_BAD_VERSION,
	SAVED_GAME_BAD_LEVEL,
	SAVED_GAME_BAD_LIVES,
	SAVED_GAME_BAD_SCORE,
	SAVED_GAME_BAD_HEALTH,
	SAVED_GAME_BAD_FUEL,
	SAVED_GAME_BAD_WEAPONS,
};

// Decodes and checks a file image of either version; `record` is filled only
// on success (hasWeapons false for a save of version 0x200).
SavedGameDecodeResult DecodeSavedGame(const uint8_t* bytes, size_t size, SavedGameRecord* record);
const char* DescribeSavedGameProblem(SavedGameDecodeResult result);

// Slot label: "<Level> <n>\t<day> <month> <year>" in local time (the date is
// left out when the stored time can't be converted).
void FormatSavedGameLabel(const SavedGameRecord& record, char* text, size_t size);

// Host file name of a slot, "save_03.quogsave".
void GetSavedGameFileName(int slot, char* name, size_t size);

// Writes the current game to a slot, replacing the old file only once the new
// one is complete. Failures are shown to the player; returns success.
bool SaveGame(int slot);
// Loads a slot into the game state; a damaged or foreign file is refused with
// a message naming it and is left untouched.
bool LoadSavedGame(int slot);
// A loaded game's weapons replace the fresh inventory of the level it resumes
// at: true (and the inventory set) once after a load of a save that has them.
bool TakeLoadedWeaponInventory();
// Reads a slot without applying it (for labelling the slots); false when it can't be used.
bool ReadSavedGameHeader(int slot, SavedGameRecord* record);
