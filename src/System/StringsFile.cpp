// Loading the string table from the data folder.
#include "System/Strings.h"
#include "System/Error.h"
#include "System/DataFiles.h"

#include <vector>

void LoadLocalizedStrings(int language)
{
	GAME_ASSERT_MESSAGE(language >= 0, "languageID >= 0");
	GAME_ASSERT_MESSAGE(language < MAX_LANGUAGES, "languageID < MAX_LANGUAGES");

	DisposeLocalizedStrings();

	std::vector<uint8_t> file;
	if (ReadDataFile(STRINGS_FILE_PATH, &file) != noErr)
		FatalAlert("LoadTextFile: FSpOpenDF failed (\"%s\")", STRINGS_FILE_PATH);

	LoadLocalizedStringsFromMemory(reinterpret_cast<const char*>(file.data()), file.size(), language);
}
