#include "System/Random.h"

#include <cmath>

static uint32_t gSeed = RANDOM_INITIAL_SEED;
static uint32_t gSeedA = 0;
static uint32_t gSeedB = 0;
static uint32_t gStartSeed = RANDOM_INITIAL_SEED;

uint32_t RandomNumber()
{
	gSeedA ^= (gSeedB >> 5) * 0x5D7BD927u;
	gSeed = 0xBB40E62Du - gSeed * 0x44BF19D3u;
	gSeedB ^= ((gSeedA >> 7) + gSeed) * 0x91290C71u;
	return gSeedB;
}

float RandomFloat()
{
	uint32_t r = RandomNumber() & 0xFFF;
	if (r == 0)
		return 0.0f;
	return float(r) * 0.00024420026f;
}

float RandomFloatSigned()
{
	uint32_t r = RandomNumber() & 0xFFF;
	if (r == 0)
		return 0.0f;
	return float(r) * 0.0004884005f - 1.0f;
}

float RandomFloatRange(float a, float b)
{
	return (b - a) * RandomFloat() + a;
}

uint16_t RandomRange(uint16_t lo, uint16_t hi)
{
	// 16-bit range with a 32-bit product; (hi - lo + 1) wraps to 0 for the full range.
	uint16_t span = uint16_t(hi - lo + 1);
	uint32_t product = uint32_t(span) * (RandomNumber() & 0xFFFF);
	return uint16_t(lo + uint16_t(product >> 16));
}

void SetRandomSeed(uint32_t seed)
{
	gStartSeed = seed;
	gSeed = seed;
	gSeedA = 0;
	gSeedB = 0;
}

uint32_t GetRandomStartSeed()
{
	return gStartSeed;
}

void GetRandomState(uint32_t state[3])
{
	state[0] = gSeed;
	state[1] = gSeedA;
	state[2] = gSeedB;
}

void SetRandomState(const uint32_t state[3])
{
	gSeed = state[0];
	gSeedA = state[1];
	gSeedB = state[2];
}

// A plain xorshift: the looks need no more, and it shares nothing with the
// game's stream.
static uint32_t gDrawSeed = 0x9E3779B9u;

static uint32_t DrawRandomNumber()
{
	gDrawSeed ^= gDrawSeed << 13;
	gDrawSeed ^= gDrawSeed >> 17;
	gDrawSeed ^= gDrawSeed << 5;
	return gDrawSeed;
}

float DrawRandomFloat()
{
	return float(DrawRandomNumber() & 0xFFFF) * (1.0f / 65535.0f);
}

float DrawRandomFloatSigned()
{
	return DrawRandomFloat() * 2.0f - 1.0f;
}

float PositiveModulo(float x, float m)
{
	float r = std::fmod(x, m);
	if (r < 0)
		r += m;
	if (r >= m)		// fmod of a tiny negative can round up to m
		r = 0;
	return r;
}

int PositiveModulo(int x, int m)
{
	int r = x % m;
	return r < 0 ? r + m : r;
}
