// Loading the string table from the data folder.
#include "System/Strings.h"
#include "System/Error.h"
#include "System/Boot.h"
#include "Files.h"

#include <vector>

void LoadLocalizedStrings(int language)
{
	GAME_ASSERT_MESSAGE(language >= 0, "languageID >= 0");
	GAME_ASSERT_MESSAGE(language < MAX_LANGUAGES, "languageID < MAX_LANGUAGES");

	DisposeLocalizedStrings();

	FSSpec spec;
	int32_t dataFolderID = Tamber::Files::GetDirectoryID(gDataFolderPath);
	FSMakeFSSpec(0, dataFolderID, ":system:strings.tsv", &spec);

	int16_t refNum = -1;
	if (FSpOpenDF(&spec, fsRdPerm, &refNum) != noErr)
		FatalAlert("LoadTextFile: FSpOpenDF failed");

	int32_t eof = 0;
	GetEOF(refNum, &eof);
	std::vector<char> file(size_t(eof > 0 ? eof : 0));
	int32_t count = eof;
	FSRead(refNum, &count, file.data());
	FSClose(refNum);
	GAME_ASSERT(count == eof);

	LoadLocalizedStringsFromMemory(file.data(), file.size(), language);
}
