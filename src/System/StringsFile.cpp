// Loading the string table from the data folder.
#include "System/Strings.h"
#include "System/Error.h"
#include "System/DataFiles.h"

#include <string>
#include <vector>

void LoadLocalizedStrings(int language)
{
	GAME_ASSERT_MESSAGE(language >= 0, "languageID >= 0");
	GAME_ASSERT_MESSAGE(language < MAX_LANGUAGES, "languageID < MAX_LANGUAGES");

	DisposeLocalizedStrings();

	std::vector<uint8_t> file;
	if (ReadDataFile(STRINGS_FILE_PATH, &file) != noErr)
		FatalAlert("LoadTextFile: FSpOpenDF failed (\"%s\")", STRINGS_FILE_PATH);

	// The table is text the game shows and lays out: every row the game names
	// must be there, and all of it UTF-8. Anything else is a damaged file.
	std::string problem = CheckStringsFile(file);
	if (!problem.empty())
		FatalAlert("The strings file \"%s\" is damaged: %s.", STRINGS_FILE_PATH, problem.c_str());

	LoadLocalizedStringsFromMemory(reinterpret_cast<const char*>(file.data()), file.size(), language);
}

std::string CheckStringsFile(const std::vector<uint8_t>& file)
{
	for (size_t i = 0; i < file.size();)
	{
		uint8_t b = file[i];
		size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
		if (length == 0 || b == 0 || i + length > file.size())
			return "byte " + std::to_string(i) + " is not text";
		for (size_t k = 1; k < length; k++)
			if ((file[i + k] & 0xC0) != 0x80)
				return "byte " + std::to_string(i + k) + " is not text";
		i += length;
	}
	std::vector<char> copy(file.begin(), file.end());
	copy.push_back('\0');
	const char* table[MAX_STRINGS];
	int rows = ParseLocalizedStrings(copy.data(), file.size(), 0, table);	// too many rows is fatal there
	if (rows < NUM_NAMED_STRING_ROWS)
		return std::to_string(rows) + " rows where the game needs " + std::to_string(NUM_NAMED_STRING_ROWS);
	return "";
}
