// The random-number generators of the game: the game's own stream, which
// everything that plays draws from (a seed replays a run), and a second one
// for looks alone.
//
// Draw routines take their flicker and jitter from the looks stream
// (`DrawRandomFloat`...): a drawn run and a logic-only run of the same seed
// then play alike, since drawing never moves the game's stream.
#pragma once

#include <cstdint>

uint32_t RandomNumber();
float RandomFloat();					// 0 .. 1
float RandomFloatSigned();				// -1 .. 1 (never exactly -1)
float RandomFloatRange(float a, float b);
uint16_t RandomRange(uint16_t lo, uint16_t hi);
void SetRandomSeed(uint32_t seed);
// The seed last given to SetRandomSeed (what a recording stores).
uint32_t GetRandomStartSeed();
// The generator's whole state (what a state hash covers).
void GetRandomState(uint32_t state[3]);
// Puts back a state GetRandomState gave (a replay starts its level there).
void SetRandomState(const uint32_t state[3]);
// The looks stream: for draw routines only; never seeded by a run, never
// part of the game's state.
float DrawRandomFloat();				// 0 .. 1
float DrawRandomFloatSigned();			// -1 .. 1
float PositiveModulo(float x, float m);
int PositiveModulo(int x, int m);

// The generator's initial seed.
constexpr uint32_t RANDOM_INITIAL_SEED = 0x2A80CE30;
