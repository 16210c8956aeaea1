// The high-score table, its file image and the qualifying rule.
#include "Screens/HighScores.h"
#include "Screens/HighScoresTextEntry.h"
#include "System/Error.h"
#include "System/PrefsFolder.h"

#include <cstring>
#include <string>
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

bool IsHighScoreNameCharacter(char c)
{
	return c >= TEXT_ENTRY_FIRST_CHARACTER && c <= TEXT_ENTRY_LAST_CHARACTER;
}

bool DecodeHighScores(const uint8_t* bytes, size_t size, HighScoreEntry table[NUM_HIGH_SCORES], std::string* problem)
{
	auto fail = [&](int row, const std::string& what) {
		if (problem)
			*problem = row < 0 ? what : "row " + std::to_string(row + 1) + ": " + what;
		return false;
	};
	if (size != size_t(HIGH_SCORES_FILE_SIZE))
		return fail(-1, std::to_string(size) + " bytes instead of " + std::to_string(HIGH_SCORES_FILE_SIZE));
	for (int i = 0; i < NUM_HIGH_SCORES; i++)
	{
		const uint8_t* entry = bytes + i * HIGH_SCORE_ENTRY_SIZE;
		std::memcpy(table[i].name, entry, NAME_BYTES);
		table[i].name[MAX_NAME_LENGTH] = '\0';
		for (const char* c = table[i].name; *c; c++)
			if (!IsHighScoreNameCharacter(*c))
				return fail(i, "the name holds a character that can't be typed");
		table[i].score = 0;
		for (int b = 0; b < 4; b++)
			table[i].score |= uint32_t(entry[SCORE_OFFSET + b]) << (8 * b);
		if (table[i].score > MAX_HIGH_SCORE)
			return fail(i, "the score is more than a game can reach");
		if (i > 0 && table[i].score > table[i - 1].score)
			return fail(i, "the score is above the row before it");
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

	std::string problem;
	if (!DecodeHighScores(bytes.data(), bytes.size(), gHighScores, &problem))
	{
		// Never show or save half a table. The damaged file is kept for the
		// player under another name, and a new table takes its place.
		std::string aside = SetAsidePrefsFolderFile(HIGH_SCORES_FILE_NAME);
		ShowAlert("The high scores file \"%s\" is damaged (%s); %s Starting a new table.",
				  HIGH_SCORES_FILE_NAME, problem.c_str(), DescribeSetAside(aside).c_str());
		ClearHighScores();
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
