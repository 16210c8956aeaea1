// The high-score table: the fifteen best scores with the players' names, kept
// in "HighScores2" in the preferences folder; the entry screen at the end of a
// run (the score, then a name typed on the keyboard or spelled letter by
// letter with a pad) and the table shown from the main menu.
//
// The table, its file image, the qualifying rule and the name-editing rules
// are GL-free (HighScoresTable.cpp, HighScoresTextEntry.cpp) so tests can drive
// them without a window; the screens are HighScoresScreen.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct ObjNode;

constexpr int NUM_HIGH_SCORES = 15;
constexpr int MAX_NAME_LENGTH = 24;					// characters of a name
constexpr int HIGH_SCORE_ENTRY_SIZE = 32;			// bytes on file: name[25], 3 reserved, score
constexpr int HIGH_SCORES_FILE_SIZE = NUM_HIGH_SCORES * HIGH_SCORE_ENTRY_SIZE;	// 480 bytes
constexpr const char* HIGH_SCORES_FILE_NAME = "HighScores2";

// The largest score a table row may hold: seven digits, the width the table's
// score column is laid out for. Points come only from the bonus tally between
// levels (500 a rescued human, at most 8 × 99 weapon units of 250 or less),
// so no game comes near it; a larger number is a damaged file.
constexpr uint32_t MAX_HIGH_SCORE = 9999999;

struct HighScoreEntry
{
	char name[MAX_NAME_LENGTH + 1];		// always terminated
	uint32_t score;
};

// The screens' layout in overlay units (y downward): names left-aligned at
// HIGH_SCORE_NAME_X and scores right-aligned at HIGH_SCORE_SCORE_X over a
// backing HIGH_SCORE_BACKING_W wide; the texts' scales.
constexpr float HIGH_SCORE_NAME_X = -150.0f;
constexpr float HIGH_SCORE_SCORE_X = 150.0f;
constexpr float HIGH_SCORE_ROW_SCALE = 0.7f;
constexpr float HIGH_SCORE_BACKING_W = 400.0f;
constexpr float HIGH_SCORE_TITLE_SCALE = 1.0f;
constexpr float HIGH_SCORE_YOUR_SCORE_SCALE = 0.8f;
constexpr float HIGH_SCORE_ENTER_NAME_SCALE = 0.6f;

// The dark backing behind the table pulses: every frame its alpha is
// (HIGH_SCORE_BACKING_BASE_ALPHA + HIGH_SCORE_BACKING_FLICKER × a random
// number 0..1) × the table's fade, a restless shimmer rather than a slow swell.
constexpr float HIGH_SCORE_BACKING_BASE_ALPHA = 0.7f;
constexpr float HIGH_SCORE_BACKING_FLICKER = 0.1f;
constexpr float HighScoreBackingAlpha(float fade, float random01)
{
	return (HIGH_SCORE_BACKING_BASE_ALPHA + HIGH_SCORE_BACKING_FLICKER * random01) * fade;
}

// The table in memory, best first. Loaded for each display and each entry.
extern HighScoreEntry gHighScores[NUM_HIGH_SCORES];

//
// Table and file (HighScoresTable.cpp)
//

// A character a name may hold: one the name entry lets a player type.
bool IsHighScoreNameCharacter(char c);

void EncodeHighScores(const HighScoreEntry table[NUM_HIGH_SCORES], uint8_t out[HIGH_SCORES_FILE_SIZE]);
// Reads a file image row by row, checking every field: the image is exactly
// one table long, each name is printable characters, each score at most
// MAX_HIGH_SCORE and no row above its predecessor. False (with `problem`
// saying what and where, when given) when any check fails; names come out
// terminated.
bool DecodeHighScores(const uint8_t* bytes, size_t size, HighScoreEntry table[NUM_HIGH_SCORES],
					  std::string* problem = nullptr);

// Reads the file: a missing file is created cleared; a damaged one is set
// aside for the player (renamed, see SetAsidePrefsFolderFile), the player is
// told once and the table starts cleared (never half filled).
void LoadHighScores();
// Writes the file atomically: a failed write keeps the old file and says so. Returns success.
bool SaveHighScores();
// Zeroes the table and saves it.
void ClearHighScores();

// The row a new score takes (−1: none): the first row whose score is lower.
// A resumed saved game that ends with the score it was loaded with takes no
// row when that score is already on the table (no duplicate of the same run).
int FindHighScoreSlot(const HighScoreEntry table[NUM_HIGH_SCORES], uint32_t score,
					  bool fromSavedGame, uint32_t loadedScore);
// Moves the rows from `slot` down one (the last drops off) and puts `score`
// with an empty name in the slot.
void InsertHighScore(HighScoreEntry table[NUM_HIGH_SCORES], int slot, uint32_t score);

//
// Screens (HighScoresScreen.cpp)
//

// The table shown from the main menu is ShowHighScoresScreen (FrontEndHooks.h).
// Lays the table's fifteen rows out as text nodes (the names left, the
// scores right) and returns the node of row `selectedRow` (null for −1).
ObjNode* ShowHighScoresTable(int selectedRow);

// End of a run: shows the score and, when it earns a place, lets the player
// type a name, then saves the table. Nothing for a score of 0; under
// automation the name is left empty and the screen does not wait.
void DoHighScoreEntry();

// The entry screen's scene (HighScoresScene.cpp): the stage, the hero on the
// podium, the trophy and the circling stars; the plate under the big score;
// freeing the hero's skeleton once the screen has ended.
void MakeHighScoreScene();
void MakeHighScorePlate(float x, float y, float w, float h, int16_t slot);
void DisposeHighScoreScene();
