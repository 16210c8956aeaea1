// libFuzzer harness: the preferences file. Every input must either be refused
// or give a record that is valid field by field (validating it again resets
// nothing) and survives writing and reading back unchanged.
#include "System/PrefsFile.h"
#include "System/Strings.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	PrefsType defaults;
	MakeDefaultPrefs(&defaults, size % MAX_LANGUAGES);
	PrefsType prefs;
	if (DecodePrefsFile(data, size, defaults, &prefs) != PREFS_DECODE_OK)
		return 0;

	PrefsType checked = prefs;
	if (ValidatePrefs(&checked, defaults) != 0)
		abort();

	uint8_t image[PREFS_FILE_SIZE], again[PREFS_FILE_SIZE];
	EncodePrefsFile(prefs, image);
	PrefsType reread;
	int reset = -1;
	if (DecodePrefsFile(image, sizeof(image), defaults, &reread, &reset) != PREFS_DECODE_OK || reset != 0)
		abort();
	EncodePrefsFile(reread, again);
	if (memcmp(image, again, sizeof(image)) != 0)
		abort();
	return 0;
}
