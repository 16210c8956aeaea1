// What the save-churn helper writes in generation `g`: the preferences, saved
// game slot SAVE_CHURN_SLOT and the high-score table, each derived from g so
// that a file read back tells which generation wrote it, and whether it is
// that generation's file exactly (a mixture of two writes matches neither).
#pragma once

#include "Screens/HighScores.h"
#include "System/Game.h"
#include "System/Prefs.h"
#include "System/SavedGame.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

constexpr int SAVE_CHURN_SLOT = 3;
constexpr uint32_t SAVE_CHURN_MAX_GENERATION = (1u << 18) - 1;	// two 9-bit key fields

inline void MakeChurnPrefs(uint32_t g, PrefsType* prefs, const PrefsType& defaults)
{
	*prefs = defaults;
	prefs->hudScale = uint8_t(g % NUM_HUD_SCALES);
	prefs->mouseSensitivity = uint8_t(g % NUM_MOUSE_SENSITIVITIES);
	prefs->bindings[0].key[1] = int16_t(g & 0x1FF);
	prefs->bindings[1].key[1] = int16_t((g >> 9) & 0x1FF);
}

inline uint32_t ChurnPrefsGeneration(const PrefsType& prefs)
{
	return uint32_t(prefs.bindings[0].key[1]) | uint32_t(prefs.bindings[1].key[1]) << 9;
}

// The game state a save of generation g holds.
inline SavedGamePlayerState ChurnSaveState(uint32_t g)
{
	return {int32_t(g), int(g % (NUM_LEVELS - 1)), int(1 + g % 5), float(g % 4) / 4.0f, float(g % 3) / 3.0f};
}

inline void MakeChurnHighScores(uint32_t g, HighScoreEntry table[NUM_HIGH_SCORES])
{
	std::memset(table, 0, sizeof(HighScoreEntry) * NUM_HIGH_SCORES);
	for (int i = 0; i < NUM_HIGH_SCORES; i++)
	{
		snprintf(table[i].name, sizeof(table[i].name), "GEN %u ROW %d", g, i);
		table[i].score = g + uint32_t(NUM_HIGH_SCORES - i);
	}
}
