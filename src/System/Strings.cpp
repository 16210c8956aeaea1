#include "System/Strings.h"
#include "System/Error.h"

#include <cstring>
#include <vector>

const char* const kLanguageCodes[MAX_LANGUAGES] = { "en", "fr", "de", "es", "it", "sv" };

// The loaded file stays in memory; the table points into it.
static std::vector<char> gStringsFile;
static const char* gStrings[MAX_STRINGS];
static bool gStringsLoaded = false;

int ParseLocalizedStrings(char* bytes, size_t size, int language, const char* table[MAX_STRINGS])
{
	for (int i = 0; i < MAX_STRINGS; i++)
		table[i] = nullptr;

	size_t start = 0;
	// A byte-order mark would otherwise end up in the first language's name.
	if (size >= 3 && uint8_t(bytes[0]) == 0xEF && uint8_t(bytes[1]) == 0xBB && uint8_t(bytes[2]) == 0xBF)
		start = 3;

	int row = 0;
	int column = 0;
	const char* rowStart = bytes + start;
	const char* cellStart = rowStart;
	const char* chosen = nullptr;
	bool previousWasCR = false;

	auto endCell = [&](const char* cell)
	{
		if (column == language)
			chosen = cell;
		column++;
	};

	for (size_t i = start; i < size; i++)
	{
		char c = bytes[i];
		if (c == '\t')
		{
			bytes[i] = '\0';
			endCell(cellStart);
			cellStart = bytes + i + 1;
			previousWasCR = false;
		}
		else if (c == '\r' || c == '\n')
		{
			bytes[i] = '\0';
			bool lineFeedAfterCR = (c == '\n' && previousWasCR);
			previousWasCR = (c == '\r');
			if (lineFeedAfterCR)
			{
				rowStart = cellStart = bytes + i + 1;
				continue;
			}
			endCell(cellStart);
			GAME_ASSERT_MESSAGE(row < MAX_STRINGS, "row < MAX_STRINGS");
			// A missing or empty cell falls back to the row's first (English) cell.
			table[row] = (chosen && *chosen) ? chosen : rowStart;
			row++;
			column = 0;
			chosen = nullptr;
			rowStart = cellStart = bytes + i + 1;
		}
		else
		{
			previousWasCR = false;
		}
	}
	return row;
}

void LoadLocalizedStringsFromMemory(const char* bytes, size_t size, int language)
{
	GAME_ASSERT_MESSAGE(language >= 0, "languageID >= 0");
	GAME_ASSERT_MESSAGE(language < MAX_LANGUAGES, "languageID < MAX_LANGUAGES");

	DisposeLocalizedStrings();
	std::vector<char> file(bytes, bytes + size);
	file.push_back('\0');
	ParseLocalizedStrings(file.data(), size, language, gStrings);
	gStringsFile = std::move(file);		// moving keeps the buffer, so the table stays valid
	gStringsLoaded = true;
}

void DisposeLocalizedStrings()
{
	gStringsFile.clear();
	gStringsFile.shrink_to_fit();
	for (auto& s : gStrings)
		s = nullptr;
	gStringsLoaded = false;
}

const char* GetString(int stringID)
{
	if (!gStringsLoaded)
		return "STRINGS NOT LOADED!!";
	if (stringID < 0 || stringID >= MAX_STRINGS)
		return "ILLEGAL STRING ID!!";
	return gStrings[stringID] ? gStrings[stringID] : "";
}
