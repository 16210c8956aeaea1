// Localized strings: one tab-separated table with a row per string number and
// a column per language, loaded for the chosen language.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int MAX_LANGUAGES = 6;
constexpr int MAX_STRINGS = 256;

// The string table in the data folder (the baker writes it there).
constexpr const char* STRINGS_FILE_PATH = ":System:strings.tsv";

enum
{
	LANGUAGE_ENGLISH,
	LANGUAGE_FRENCH,
	LANGUAGE_GERMAN,
	LANGUAGE_SPANISH,
	LANGUAGE_ITALIAN,
	LANGUAGE_SWEDISH,
};

// Two-letter codes of the languages, by column.
extern const char* const kLanguageCodes[MAX_LANGUAGES];

// The string numbers the game names.
enum
{
	STR_LANGUAGE_NAME = 0,			// each language's own name
	STR_NEW_GAME = 1,
	STR_LOAD_GAME = 2,
	STR_INFORMATION = 3,
	STR_HIGH_SCORES = 4,
	STR_CREDITS = 5,
	STR_SETTINGS = 7,
	STR_RESUME = 8,
	STR_END_GAME = 9,
	STR_QUIT = 10,
	STR_SAVE_GAME = 11,
	STR_CONTINUE = 12,
	STR_SLOT_LEVEL = 13,			// "%s %d\t%d %s %d": this, level, day, month, year
	STR_EMPTY = 15,					// empty save slot or high-score name
	STR_MONTH_FIRST = 16,			// January .. December: 16..27
	STR_LEVEL_SELECT = 28,
	STR_LEVEL_NAME_FIRST = 29,		// levels 0..9: 29..38
	STR_HELP_FIRST = 40,			// help messages 0..21: 40..61
	STR_LANGUAGE = 62,
	STR_FULLSCREEN = 64,
	STR_VSYNC = 65,
	STR_HUD_WITHIN_4X3 = 66,
	STR_HUD_SIZE = 67,
	STR_CAMERA_AUTO_FOLLOW = 68,
	STR_ANTIALIASING = 69,
	STR_ANTIALIASING_2X = 70,
	STR_ANTIALIASING_4X = 71,
	STR_ANTIALIASING_8X = 72,
	STR_DISPLAY = 73,
	STR_DISPLAY_NUMBER = 74,		// "%s %d" with the display number from 1
	STR_ANTIALIASING_NOTICE_1 = 75,
	STR_ANTIALIASING_NOTICE_2 = 76,
	STR_STEREO_GLASSES = 77,
	STR_MUSIC = 79,
	STR_KEYBOARD = 80,
	STR_GAMEPAD = 81,
	STR_MOUSE = 82,
	STR_KEYBOARD_INSTRUCTIONS = 83,
	STR_GAMEPAD_INSTRUCTIONS = 84,
	STR_PRESS_NEW_KEY = 85,
	STR_PRESS_NEW_BUTTON = 86,
	STR_NO_GAMEPAD = 87,
	STR_RUMBLE = 88,
	STR_MOUSE_SENSITIVITY = 89,
	STR_SCALE_FIRST = 90,			// eight steps: 90..97
	STR_MOUSE_CONTROLS = 98,
	STR_MOUSE_CONTROLS_CAMERA = 99,
	STR_MOUSE_CONTROLS_ROBOT = 100,
	STR_OK = 101,
	STR_BACK = 102,
	STR_ON = 103,
	STR_OFF = 104,
	STR_STEREO_MONOCHROME = 105,
	STR_STEREO_COLOR = 106,
	STR_STEREO_NOTICE_1 = 107,
	STR_STEREO_NOTICE_2 = 108,
	STR_STEREO_NOTICE_3 = 109,
	STR_CAPTURE_WAITING = 110,		// slot text during a key or pad capture
	STR_CAPTURE_MOUSE_WAITING = 111,
	STR_RESET_BINDINGS = 112,
	STR_MOUSE_LEFT_BUTTON = 113,
	STR_MOUSE_MIDDLE_BUTTON = 114,
	STR_MOUSE_RIGHT_BUTTON = 115,
	STR_MOUSE_BUTTON_N = 116,		// "%s %d" with the button number
	STR_MOUSE_WHEEL_UP = 117,
	STR_MOUSE_WHEEL_DOWN = 118,
	STR_UNBOUND = 119,
	STR_NEED_NAME_FIRST = 120,		// remappable needs 0..11: 120..131
	STR_CREDITS_ROLE_FIRST = 132,	// five role headings: 132..136
	NUM_CREDITS_ROLES = 5,
	STR_BONUS_COUNT_NONE = 137,
	STR_BONUS_COUNT_MANY = 138,		// format with the number
	STR_BONUS_COUNT_ONE = 139,
	STR_CREDITS_LINE_FIRST = 140,	// who did each role's work, under its heading: 140..144
	STR_LEGAL_NOTICE = 150,			// start-up notice, two lines
	STR_LEGAL_NOTICE_2 = 151,
	STR_GAME_OVER = 152,
	STR_WIN_TITLE = 153,
	STR_WIN_PANEL_FIRST = 154,		// three closing panels: 154..156
	STR_JUNGLE_WAKES = 157,			// the line of the scene after the jungle's tally
	STR_YOUR_SCORE = 170,			// above the score at the end of a run
	STR_ENTER_NAME = 171,
	STR_LEVEL_COMPLETE = 172,		// the bonus tally's title
	STR_BONUS = 173,
	STR_SCORE = 174,
	STR_HUMANS_RESCUED = 175,
	STR_WEAPONS_LEFT = 176,
	STR_HUMANS_DELIVERED = 177,		// "%d … %d": delivered so far, the deliveries the exit needs
	STR_SCREENSHOT_SAVED = 178,		// the screenshot key's notice, above the file's path
	STR_SCREENSHOT_FAILED = 179,
	STR_DEMO = 180,					// the caption over the attract mode's play
	STR_REPLAY = 181,				// the caption over a replay
	STR_REPLAYS = 182,				// the main menu's entry and the replays screen's title
	STR_NO_REPLAYS = 183,			// the replays screen with nothing kept yet
	STR_REPLAY_DAMAGED = 184,		// a replay refused: its file is damaged
	STR_REPLAY_BEST = 185,			// marks the best time of a level in the list
	NUM_NAMED_STRING_ROWS = 186,
};

// Loads STRINGS_FILE_PATH for `language` 0..5 (fatal if missing).
void LoadLocalizedStrings(int language);
// Text of a string number; marker texts when nothing is loaded or the number is too large.
const char* GetString(int stringID);
// Frees the loaded table (GetString then reports it as not loaded).
void DisposeLocalizedStrings();

// The parse step, on a writable copy of the whole file: cells become
// terminated in place, and table[n] points at row n's text for `language`
// (the English cell when the row has none). Returns the number of rows read.
// A row beyond MAX_STRINGS stops the program.
int ParseLocalizedStrings(char* bytes, size_t size, int language, const char* table[MAX_STRINGS]);

// What is wrong with a strings file's bytes ("" when nothing): text that is
// not UTF-8 (or holds a zero byte), or fewer rows than the game names.
std::string CheckStringsFile(const std::vector<uint8_t>& file);

// Loads from a buffer instead of the data folder (tests, tools).
void LoadLocalizedStringsFromMemory(const char* bytes, size_t size, int language);
