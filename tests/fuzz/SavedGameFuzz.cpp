// libFuzzer harness: a saved game. Every input must either be refused with a
// reason or give a record whose every field the game can use (a level it can
// resume, lives, health and fuel in range, weapons it knows) and that writes
// and reads back the same; its slot label must fit its buffer.
#include "System/SavedGame.h"
#include "System/Game.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	SavedGameRecord record;
	SavedGameDecodeResult result = DecodeSavedGame(data, size, &record);
	if (result != SAVED_GAME_OK)
	{
		if (!DescribeSavedGameProblem(result)[0])
			abort();
		return 0;
	}

	if (record.level < 1 || record.level >= NUM_LEVELS || record.lives < 0 || record.score < 0
		|| !(record.health >= 0.0f && record.health <= 1.0f) || !(record.fuel >= 0.0f && record.fuel <= 1.0f))
		abort();
	if (record.hasWeapons)
	{
		if (record.currentWeapon < -1 || record.currentWeapon >= NUM_INVENTORY_WEAPONS)
			abort();
		for (const WeaponSlot& slot : record.weapons)
			if (slot.type < -1 || slot.type >= NUM_INVENTORY_WEAPONS || slot.quantity < 0 || slot.quantity > MAX_WEAPON_QUANTITY)
				abort();
	}

	uint8_t image[SAVED_GAME_FILE_SIZE];
	size_t imageSize = record.hasWeapons ? SAVED_GAME_FILE_SIZE : SAVED_GAME_SIZE;
	if (record.hasWeapons)
		EncodeSavedGameFile(record, image);
	else
		EncodeSavedGame(record, image);
	SavedGameRecord reread;
	if (DecodeSavedGame(image, imageSize, &reread) != SAVED_GAME_OK || reread.score != record.score
		|| reread.level != record.level || reread.lives != record.lives || reread.savedAt != record.savedAt
		|| memcmp(&reread.health, &record.health, sizeof(float)) != 0)
		abort();

	char label[64];
	FormatSavedGameLabel(record, label, sizeof(label));
	if (strnlen(label, sizeof(label)) == sizeof(label))
		abort();
	return 0;
}
