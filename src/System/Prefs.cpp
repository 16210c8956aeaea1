#include "System/Prefs.h"
#include "System/PrefsFile.h"
#include "System/PrefsFolder.h"
#include "System/Strings.h"
#include "System/Error.h"

#include <SDL.h>
#include <cstdio>
#include <cstring>
#include <vector>

PrefsType gGamePrefs;

static const char PREFS_FILE_NAME[] = "Preferences6";

// The first of the system's preferred locales that the game speaks.
static int GetSystemLanguage()
{
	SDL_Locale* locales = SDL_GetPreferredLocales();
	if (!locales)
		return LANGUAGE_ENGLISH;

	std::vector<const char*> codes;
	for (const SDL_Locale* locale = locales; locale->language; locale++)
		codes.push_back(locale->language);
	int language = PickLanguageFromLocales(codes.data(), int(codes.size()));
	SDL_free(locales);
	return language;
}

void InitDefaultPrefs()
{
	MakeDefaultPrefs(&gGamePrefs, GetSystemLanguage());
}

OSErr LoadPrefs()
{
	std::vector<uint8_t> bytes;
	OSErr err = ReadPrefsFolderFile(PREFS_FILE_NAME, &bytes, PREFS_FILE_SIZE);
	if (err != noErr)
		return err;		// no file yet: the defaults stay

	PrefsType defaults;
	MakeDefaultPrefs(&defaults, GetSystemLanguage());
	int numReset = 0;
	PrefsDecodeResult result = DecodePrefsFile(bytes.data(), bytes.size(), defaults, &gGamePrefs, &numReset);
	if (result != PREFS_DECODE_OK)
	{
		// The defaults stay; the damaged file is kept for the player.
		std::string aside = SetAsidePrefsFolderFile(PREFS_FILE_NAME);
		ShowAlert("The preferences file \"%s\" is damaged (%s); %s The default settings are used.", PREFS_FILE_NAME,
				  result == PREFS_DECODE_WRONG_SIZE ? "it has the wrong size" : "it was not written by this game",
				  DescribeSetAside(aside).c_str());
		return PREFS_CORRUPT_ERROR;
	}
	if (numReset > 0)
		printf("Prefs: %d invalid setting(s) reset to default.\n", numReset);
	return noErr;
}

bool SavePrefs()
{
	uint8_t image[PREFS_FILE_SIZE];
	EncodePrefsFile(gGamePrefs, image);
	OSErr err = WritePrefsFolderFile(PREFS_FILE_NAME, image, sizeof(image));
	if (err != noErr)
	{
		// The settings stay in force for this run; the file keeps the old ones.
		ShowAlert("Couldn't save the preferences file (error %d).", int(err));
		return false;
	}
	return true;
}

bool SavePrefsIfChanged(const PrefsType& before)
{
	if (std::memcmp(&before, &gGamePrefs, sizeof(PrefsType)) == 0)
		return true;
	return SavePrefs();
}
