// The preferences record as bytes: defaults, the 156-byte file image and the
// field-by-field validation of a loaded record. No file access here.
#pragma once

#include "System/Prefs.h"

#include <cstddef>
#include <cstdint>

constexpr char PREFS_MAGIC[] = "ZappatronPrefs07";
constexpr int PREFS_HEADER_LENGTH = 16;
constexpr int PREFS_RECORD_SIZE = 140;
constexpr int PREFS_FILE_SIZE = PREFS_HEADER_LENGTH + PREFS_RECORD_SIZE;
constexpr OSErr PREFS_CORRUPT_ERROR = -208;
static_assert(sizeof(PREFS_MAGIC) - 1 == PREFS_HEADER_LENGTH);

// The defaults with the given language.
void MakeDefaultPrefs(PrefsType* prefs, int language);

// Language index 0..5 for the first of `languageCodes` ("en", "de", "de_CH",
// "sv-SE", ...) that is one of the game's languages; 0 (English) when none is.
int PickLanguageFromLocales(const char* const* languageCodes, int count);

// Resets every field that is out of range to its value in `defaults`.
// Returns the number of fields reset.
int ValidatePrefs(PrefsType* prefs, const PrefsType& defaults);

void EncodePrefsFile(const PrefsType& prefs, uint8_t out[PREFS_FILE_SIZE]);

enum PrefsDecodeResult
{
	PREFS_DECODE_OK,
	PREFS_DECODE_WRONG_SIZE,
	PREFS_DECODE_BAD_MAGIC,
};

// Decodes a whole file image; on success `prefs` gets the record, validated
// against `defaults` (*numFieldsReset, when given, counts the fields reset).
// On failure `prefs` is left alone.
PrefsDecodeResult DecodePrefsFile(const uint8_t* bytes, size_t size, const PrefsType& defaults,
								  PrefsType* prefs, int* numFieldsReset = nullptr);
