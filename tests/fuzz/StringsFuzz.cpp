// libFuzzer harness: the strings table, parsed as the game parses its file
// (the first byte picks the language). A table too long for the game stops it
// with the fatal alert; otherwise every row it counts points at terminated
// text inside the file's buffer.
#include "System/Strings.h"
#include "FuzzHeadless.h"
#include "PlatformTypes.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
	return FuzzMakeHeadless();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	int language = data[0] % MAX_LANGUAGES;
	// As the game holds the file: its bytes and a terminator after them.
	std::vector<char> bytes(data + 1, data + size);
	bytes.push_back('\0');
	const char* table[MAX_STRINGS] = {};
	int rows = 0;
	try
	{
		rows = ParseLocalizedStrings(bytes.data(), bytes.size() - 1, language, table);
	}
	catch (const Tamber::QuitRequest&)
	{
		return 0;
	}
	if (rows < 0 || rows > MAX_STRINGS)
		abort();
	const char* begin = bytes.data();
	const char* end = begin + bytes.size();
	for (int i = 0; i < MAX_STRINGS; i++)
	{
		const char* text = table[i];
		if ((i < rows) != (text != nullptr))
			abort();		// a row for every one counted, and none past them
		if (text && (text < begin || text >= end || !memchr(text, '\0', size_t(end - text))))
			abort();
	}
	return 0;
}
