// The high-score table, its file image and the qualifying rule.
#include "Screens/HighScores.h"
#include "System/Error.h"
#include "System/PrefsFolder.h"

#include <cstring>
#include <vector>

HighScoreEntry gHighScores[NUM_HIGH_SCORES];

namespace
{
	constexpr int NAME_BYTES = MAX_NAME_LENGTH + 1;		// 25
	constexpr int SCORE_OFFSET = 28;					// after the name and 3 reserved bytes

	void ClearTable(HighScoreEntry table[NUM_HIGH_SCORES])
	{
		std::memset(table, 0, sizeof(HighScoreEntry) * NUM_HIGH_SCORES);
	}
}

void EncodeHighScores(const HighScoreEntry table[NUM_HIGH_SCORES], uint8_t out[HIGH_SCORES_FILE_SIZE])
{
	std::memset(out, 0, HIGH_SCORES_FILE_SIZE);
	for (int i = 0; i < NUM_HIGH_SCORES; i++)
	{
		uint8_t* entry = out + i * HIGH_SCORE_ENTRY_SIZE;
		std::memcpy(entry, table[i].name, MAX_NAME_LENGTH);		// byte 24 stays the terminator
		uint32_t score = table[i].score;
		for (int b = 0; b < 4; b++)								// little-endian
			entry[SCORE_OFFSET + b] = uint8_t(score >> (8 * b));
	}
}

bool DecodeHighScores(const uint8_t* bytes, size_t size, HighScoreEntry table[NUM_HIGH_SCORES])
{
	if (size != size_t(HIGH_SCORES_FILE_SIZE))
		return false;
	for (int i = 0; i < NUM_HIGH_SCORES; i++)
	{
		const uint8_t* entry = bytes + i * HIGH_SCORE_ENTRY_SIZE;
		std::memcpy(table[i].name, entry, NAME_BYTES);
		table[i].name[MAX_NAME_LENGTH] = '\0';
		table[i].score = 0;
		for (int b = 0; b < 4; b++)
			table[i].score |= uint32_t(entry[SCORE_OFFSET + b]) << (8 * b);
	}
	return true;
}

void LoadHighScores()
{
	std::vector<uint8_t> bytes;
	OSErr err = ReadPrefsFolderFile(HIGH_SCORES_FILE_NAME, &bytes, HIGH_SCORES_FILE_SIZE);
	if (err == fnfErr)
	{
		ClearHighScores();
		return;
	}
	if (err != noErr)
		FatalAlert("LoadHighScores: Error opening High Scores file!");

	if (!DecodeHighScores(bytes.data(), bytes.size(), gHighScores))
	{
		// Never show or save half a table. The damaged file stays until a
		// good table replaces it whole.
		ClearTable(gHighScores);
		ShowAlert("The high scores file \"%s\" is damaged (%zu bytes instead of %d); starting a new table.",
				  HIGH_SCORES_FILE_NAME, bytes.size(), HIGH_SCORES_FILE_SIZE);
	}
}

bool SaveHighScores()
{
	uint8_t image[HIGH_SCORES_FILE_SIZE];
	EncodeHighScores(gHighScores, image);
	if (WritePrefsFolderFile(HIGH_SCORES_FILE_NAME, image, sizeof(image)) != noErr)
	{
		ShowAlert("Unable to Save High Scores file! (The previous high scores are kept.)");
		return false;
	}
	return true;
}

void ClearHighScores()
{
	ClearTable(gHighScores);
	SaveHighScores();
}

int FindHighScoreSlot(const HighScoreEntry table[NUM_HIGH_SCORES], uint32_t score,
					  bool fromSavedGame, uint32_t loadedScore)
{
	if (fromSavedGame && score == loadedScore)
		for (int i = 0; i < NUM_HIGH_SCORES; i++)
			if (table[i].score == score)
				return -1;
	for (int i = 0; i < NUM_HIGH_SCORES; i++)
		if (table[i].score < score)
			return i;
	return -1;
}

void InsertHighScore(HighScoreEntry table[NUM_HIGH_SCORES], int slot, uint32_t score)
{
	GAME_ASSERT(slot >= 0 && slot < NUM_HIGH_SCORES);
	for (int i = NUM_HIGH_SCORES - 1; i > slot; i--)
		table[i] = table[i - 1];
	std::memset(&table[slot], 0, sizeof(HighScoreEntry));
	table[slot].score = score;
}
