// The saved-game record as bytes, and its checks. No file access here.
#include "System/SavedGame.h"
#include "System/Strings.h"
#include "System/Game.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace
{
	void PutBig32(uint8_t* p, uint32_t v)
	{
		p[0] = uint8_t(v >> 24);
		p[1] = uint8_t(v >> 16);
		p[2] = uint8_t(v >> 8);
		p[3] = uint8_t(v);
	}

	uint32_t GetBig32(const uint8_t* p)
	{
		return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
	}

	void PutBigFloat(uint8_t* p, float f)
	{
		uint32_t bits;
		std::memcpy(&bits, &f, 4);
		PutBig32(p, bits);
	}

	void PutBig16(uint8_t* p, int16_t v)
	{
		p[0] = uint8_t(uint16_t(v) >> 8);
		p[1] = uint8_t(v);
	}

	int16_t GetBig16(const uint8_t* p)
	{
		return int16_t(uint16_t((p[0] << 8) | p[1]));
	}

	float GetBigFloat(const uint8_t* p)
	{
		uint32_t bits = GetBig32(p);
		float f;
		std::memcpy(&f, &bits, 4);
		return f;
	}

	// Only levels after the first can be saved into (the save is offered
	// between levels), and the last level is NUM_LEVELS - 1.
	constexpr int MIN_SAVED_LEVEL = 1;
	constexpr int MAX_SAVED_LEVEL = NUM_LEVELS - 1;
	constexpr int MAX_SAVED_LIVES = 255;
}

SavedGameRecord MakeSavedGameRecord(const SavedGamePlayerState& state, int64_t savedAt)
{
	SavedGameRecord record = {};
	record.version = SAVED_GAME_VERSION;
	record.score = state.score;
	record.level = int16_t(state.currentLevel + 1);
	record.lives = int16_t(state.lives);
	record.health = state.health;
	record.fuel = state.fuel;
	record.savedAt = savedAt;
	return record;
}

SavedGamePlayerState SavedGameResumeState(const SavedGameRecord& record)
{
	return { record.score, record.level, record.lives, record.health, record.fuel };
}

void EncodeSavedGame(const SavedGameRecord& record, uint8_t out[SAVED_GAME_SIZE])
{
	std::memset(out, 0, SAVED_GAME_SIZE);
	PutBig32(out + 0, uint32_t(record.version));
	PutBig32(out + 4, uint32_t(record.score));
	out[8] = uint8_t(uint16_t(record.level) >> 8);
	out[9] = uint8_t(record.level);
	out[10] = uint8_t(uint16_t(record.lives) >> 8);
	out[11] = uint8_t(record.lives);
	PutBigFloat(out + 12, record.health);
	PutBigFloat(out + 16, record.fuel);
	// 20..23 reserved, left zero.
	PutBig32(out + 24, uint32_t(uint64_t(record.savedAt) >> 32));
	PutBig32(out + 28, uint32_t(uint64_t(record.savedAt)));
}

void EncodeSavedGameFile(const SavedGameRecord& record, uint8_t out[SAVED_GAME_FILE_SIZE])
{
	SavedGameRecord r = record;
	r.version = SAVED_GAME_VERSION_WEAPONS;
	EncodeSavedGame(r, out);

	uint8_t* block = out + SAVED_GAME_SIZE;
	std::memset(block, 0, SAVED_GAME_WEAPONS_SIZE);
	PutBig16(block + 0, record.currentWeapon);
	for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
	{
		PutBig16(block + 4 + 4 * k, record.weapons[k].type);
		PutBig16(block + 6 + 4 * k, record.weapons[k].quantity);
	}
}

namespace
{
	// The weapon block: each slot empty or a carried weapon with 0 … 99.
	bool DecodeWeapons(const uint8_t* block, SavedGameRecord* r)
	{
		r->currentWeapon = GetBig16(block);
		if (r->currentWeapon < -1 || r->currentWeapon >= NUM_INVENTORY_WEAPONS)
			return false;
		for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
		{
			WeaponSlot& slot = r->weapons[k];
			slot.type = GetBig16(block + 4 + 4 * k);
			slot.quantity = GetBig16(block + 6 + 4 * k);
			if (slot.type < -1 || slot.type >= NUM_INVENTORY_WEAPONS)
				return false;
			if (slot.quantity < 0 || slot.quantity > MAX_WEAPON_QUANTITY || (slot.type < 0 && slot.quantity != 0))
				return false;
		}
		r->hasWeapons = true;
		return true;
	}
}

SavedGameDecodeResult DecodeSavedGame(const uint8_t* bytes, size_t size, SavedGameRecord* record)
{
	if (size != size_t(SAVED_GAME_SIZE) && size != size_t(SAVED_GAME_FILE_SIZE))
		return SAVED_GAME_WRONG_SIZE;

	SavedGameRecord r = {};
	r.version = int32_t(GetBig32(bytes + 0));
	r.score = int32_t(GetBig32(bytes + 4));
	r.level = int16_t(uint16_t((bytes[8] << 8) | bytes[9]));
	r.lives = int16_t(uint16_t((bytes[10] << 8) | bytes[11]));
	r.health = GetBigFloat(bytes + 12);
	r.fuel = GetBigFloat(bytes + 16);
	r.savedAt = int64_t((uint64_t(GetBig32(bytes + 24)) << 32) | GetBig32(bytes + 28));

	// The level indexes per-level tables and the others feed the player
	// directly: nothing out of range gets through.
	bool oldSave = r.version == SAVED_GAME_VERSION && size == size_t(SAVED_GAME_SIZE);
	bool weaponSave = r.version == SAVED_GAME_VERSION_WEAPONS && size == size_t(SAVED_GAME_FILE_SIZE);
	if (!oldSave && !weaponSave)
		return SAVED_GAME_BAD_VERSION;
	if (r.level < MIN_SAVED_LEVEL || r.level > MAX_SAVED_LEVEL)
		return SAVED_GAME_BAD_LEVEL;
	if (r.lives < 0 || r.lives > MAX_SAVED_LIVES)
		return SAVED_GAME_BAD_LIVES;
	if (r.score < 0)
		return SAVED_GAME_BAD_SCORE;
	if (!std::isfinite(r.health) || r.health < 0.0f || r.health > 1.0f)
		return SAVED_GAME_BAD_HEALTH;
	if (!std::isfinite(r.fuel) || r.fuel < 0.0f || r.fuel > 1.0f)
		return SAVED_GAME_BAD_FUEL;
	if (weaponSave && !DecodeWeapons(bytes + SAVED_GAME_SIZE, &r))
		return SAVED_GAME_BAD_WEAPONS;

	*record = r;
	return SAVED_GAME_OK;
}

const char* DescribeSavedGameProblem(SavedGameDecodeResult result)
{
	switch (result)
	{
		case SAVED_GAME_OK:				return "no problem";
		case SAVED_GAME_WRONG_SIZE:		return "the file has the wrong size";
		case SAVED_GAME_BAD_VERSION:	return "it was written by an unknown version of the game";
		case SAVED_GAME_BAD_LEVEL:		return "its level is out of range";
		case SAVED_GAME_BAD_LIVES:		return "its number of lives is out of range";
		case SAVED_GAME_BAD_SCORE:		return "its score is out of range";
		case SAVED_GAME_BAD_HEALTH:		return "its health is out of range";
		case SAVED_GAME_BAD_FUEL:		return "its fuel is out of range";
		case SAVED_GAME_BAD_WEAPONS:	return "its weapons are out of range";
	}
	return "it is damaged";
}

void FormatSavedGameLabel(const SavedGameRecord& record, char* text, size_t size)
{
	std::time_t when = std::time_t(record.savedAt);
	std::tm local;
	bool haveDate = int64_t(when) == record.savedAt && localtime_r(&when, &local) != nullptr;

	// Shown from 1: the level at which the game resumes, plus one.
	if (haveDate)
	{
		snprintf(text, size, "%s %d\t%d %s %d", GetString(STR_SLOT_LEVEL), record.level + 1,
				 local.tm_mday, GetString(STR_MONTH_FIRST + local.tm_mon), local.tm_year + 1900);
	}
	else
	{
		snprintf(text, size, "%s %d", GetString(STR_SLOT_LEVEL), record.level + 1);
	}
}

void GetSavedGameFileName(int slot, char* name, size_t size)
{
	snprintf(name, size, "save_%02d.quogsave", slot);
}
