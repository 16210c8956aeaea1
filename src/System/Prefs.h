// The preferences record, read by many modules, and its file.
#pragma once

#include "System/Input.h"
#include "PlatformTypes.h"

#include <cstddef>
#include <cstdint>

// Stored in the file exactly as laid out here (140 bytes, no gaps besides
// `reserved`; the binding scancodes little-endian).
#pragma pack(push, 1)
struct PrefsType
{
	uint8_t fullscreen;
	uint8_t vsync;
	uint8_t hudWithin4x3;
	uint8_t hudScale;					// 0..7
	uint8_t displayNumber;
	uint8_t antialiasingLevel;			// 0 off, else 2^level samples (1..3)
	uint8_t music;
	uint8_t language;					// 0..5
	uint8_t cameraAlwaysFollow;
	uint8_t cameraAutoFollow;
	uint8_t mouseSensitivity;			// 0..7
	uint8_t mouseSteersRobot;
	uint8_t freeCameraOrbit;
	uint8_t rumble;
	uint8_t anaglyphMode;				// 0 off, 1 colour, 2 monochrome
	uint8_t anaglyphCalibrationRed;
	uint8_t anaglyphCalibrationGreen;
	uint8_t anaglyphCalibrationBlue;
	uint8_t doAnaglyphChannelBalancing;
	uint8_t reserved;
	InputBinding bindings[NUM_REMAPPABLE_NEEDS];
};
#pragma pack(pop)
static_assert(sizeof(PrefsType) == 140);
static_assert(offsetof(PrefsType, language) == 7);
static_assert(offsetof(PrefsType, anaglyphMode) == 14);
static_assert(offsetof(PrefsType, reserved) == 19);
static_assert(offsetof(PrefsType, bindings) == 20);

constexpr int NUM_HUD_SCALES = 8;
constexpr int NUM_MOUSE_SENSITIVITIES = 8;
constexpr int MAX_ANTIALIASING_LEVEL = 3;
constexpr int NUM_ANAGLYPH_MODES = 3;

extern PrefsType gGamePrefs;

// Zeroes the record and sets the defaults; the language follows the system's
// preferred locales.
void InitDefaultPrefs();

// Reads the preferences file over the current record. A missing file leaves the
// record alone and returns its error; a file of the wrong size or magic is
// reported as corrupt (PREFS_CORRUPT_ERROR) and ignored; an invalid field
// takes its default.
OSErr LoadPrefs();

// Writes the record to the preferences file, replacing the old file only once
// the new one is complete. On failure the player is told, the old file stays
// intact and false is returned.
bool SavePrefs();

// Saves only when the record differs from `before` (the settings screen's copy).
// Returns true when nothing needed saving or the save worked.
bool SavePrefsIfChanged(const PrefsType& before);
