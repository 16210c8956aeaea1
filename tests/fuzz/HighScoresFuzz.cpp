// libFuzzer harness: the high-score table. Every input must either be refused
// or give a table the screens can show as it is: names of printable
// characters, terminated, scores a game can reach, best first; written back
// and read again it is the same table.
#include "Screens/HighScores.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	HighScoreEntry table[NUM_HIGH_SCORES];
	if (!DecodeHighScores(data, size, table))
		return 0;

	for (int i = 0; i < NUM_HIGH_SCORES; i++)
	{
		const HighScoreEntry& e = table[i];
		size_t length = strnlen(e.name, sizeof(e.name));
		if (length > size_t(MAX_NAME_LENGTH))
			abort();
		for (size_t c = 0; c < length; c++)
			if (!IsHighScoreNameCharacter(e.name[c]))
				abort();
		if (e.score > MAX_HIGH_SCORE || (i > 0 && e.score > table[i - 1].score))
			abort();
	}

	uint8_t image[HIGH_SCORES_FILE_SIZE];
	EncodeHighScores(table, image);
	HighScoreEntry reread[NUM_HIGH_SCORES];
	if (!DecodeHighScores(image, sizeof(image), reread))
		abort();
	for (int i = 0; i < NUM_HIGH_SCORES; i++)
		if (reread[i].score != table[i].score || strcmp(reread[i].name, table[i].name) != 0)
			abort();
	return 0;
}
