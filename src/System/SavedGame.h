// Saved games: twelve slots of 32-byte big-endian files in the preferences folder.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int NUM_SAVE_SLOTS = 12;
constexpr int SAVED_GAME_SIZE = 32;
constexpr int32_t SAVED_GAME_VERSION = 0x200;

struct SavedGameRecord
{
	int32_t version;
	int32_t score;
	int16_t level;			// the level index at which the game resumes
	int16_t lives;
	float health;
	float fuel;
	int64_t savedAt;		// seconds since 1970 (UTC)
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

// Score the loaded game started with (the high-score entry compares against it).
extern int32_t gLoadedGameScore;

SavedGameRecord MakeSavedGameRecord(const SavedGamePlayerState& state, int64_t savedAt);
// The state a loaded record resumes: currentLevel is the level to play next.
SavedGamePlayerState SavedGameResumeState(const SavedGameRecord& record);

void EncodeSavedGame(const SavedGameRecord& record, uint8_t out[SAVED_GAME_SIZE]);

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
};

// Decodes and checks a file image; `record` is filled only on success.
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
// Loads a slot into the game state; a damaged or foreign file is refused with a message.
bool LoadSavedGame(int slot);
// Reads a slot without applying it (for labelling the slots); false when it can't be used.
bool ReadSavedGameHeader(int slot, SavedGameRecord* record);
