#include "System/Random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <cstring>

// Expected values below were worked out by hand from the generator's
// recurrence (a separate script, not this code), starting from the game's
// initial seed 0x2A80CE30 with a = b = 0.

namespace
{
	struct RandomTest : ::testing::Test
	{
		void SetUp() override { SetRandomSeed(RANDOM_INITIAL_SEED); }
		void TearDown() override { SetRandomSeed(RANDOM_INITIAL_SEED); }
	};
}

TEST_F(RandomTest, FirstNumbersFromInitialSeed)
{
	EXPECT_EQ(RANDOM_INITIAL_SEED, 0x2A80CE30u);
	const uint32_t expected[8] = {
		0x265EA54D, 0x50AA57A1, 0xF767EE95, 0x97C11545,
		0x7F25E759, 0xAB24E99F, 0xBBE500A3, 0x08FC2CC5,
	};
	for (uint32_t e : expected)
		EXPECT_EQ(RandomNumber(), e);
}

TEST_F(RandomTest, SetRandomSeedAlsoClearsTheHiddenWords)
{
	for (int i = 0; i < 37; i++)
		RandomNumber();
	SetRandomSeed(0x2A80CE30);
	EXPECT_EQ(RandomNumber(), 0x265EA54Du);
	EXPECT_EQ(RandomNumber(), 0x50AA57A1u);

	// Another seed: another sequence, replayed exactly.
	SetRandomSeed(12345);
	uint32_t a = RandomNumber(), b = RandomNumber();
	SetRandomSeed(12345);
	EXPECT_EQ(RandomNumber(), a);
	EXPECT_EQ(RandomNumber(), b);
	EXPECT_NE(a, 0x265EA54Du);
}

TEST_F(RandomTest, FloatsUseTheLowTwelveBits)
{
	// Low 12 bits of the first three numbers: 1357, 1953, 3733.
	EXPECT_FLOAT_EQ(RandomFloat(), 0.33137974f);
	EXPECT_FLOAT_EQ(RandomFloat(), 0.47692311f);
	EXPECT_FLOAT_EQ(RandomFloat(), 0.91159958f);

	SetRandomSeed(RANDOM_INITIAL_SEED);
	EXPECT_FLOAT_EQ(RandomFloatSigned(), -0.33724052f);
	EXPECT_FLOAT_EQ(RandomFloatSigned(), -0.046153784f);
	EXPECT_FLOAT_EQ(RandomFloatSigned(), 0.82319915f);

	SetRandomSeed(RANDOM_INITIAL_SEED);
	EXPECT_FLOAT_EQ(RandomFloatRange(10.0f, 20.0f), 13.313797f);
	EXPECT_FLOAT_EQ(RandomFloatRange(-5.0f, 5.0f), -0.23076916f);
}

TEST_F(RandomTest, ZeroLowBitsGiveExactlyZeroNeverMinusOne)
{
	// Seed 4095 makes the first number 0x4B5DD000: low 12 bits all 0.
	SetRandomSeed(4095);
	EXPECT_EQ(RandomFloatSigned(), 0.0f);
	SetRandomSeed(4095);
	EXPECT_EQ(RandomFloat(), 0.0f);
	SetRandomSeed(4095);
	EXPECT_EQ(RandomFloatRange(3.0f, 7.0f), 3.0f);
}

TEST_F(RandomTest, AllLowBitsSetStayInsideTheRange)
{
	// Seed 1418 makes the first number 0x14FC0FFF: low 12 bits 4095.
	SetRandomSeed(1418);
	EXPECT_EQ(RandomNumber() & 0xFFF, 0xFFFu);

	SetRandomSeed(1418);
	float f = RandomFloat();
	EXPECT_LE(f, 1.0f);
	EXPECT_GT(f, 0.9999f);

	// Callers feed this to acos and asin: it must not leave [-1, 1].
	SetRandomSeed(1418);
	float s = RandomFloatSigned();
	EXPECT_LE(s, 1.0f);
	EXPECT_GT(s, 0.9999f);
}

TEST_F(RandomTest, RangeUsesA32BitProductOfTheLowSixteenBits)
{
	// Low 16 bits of the first numbers: 0xA54D, 0x57A1, 0xEE95, 0x1545.
	EXPECT_EQ(RandomRange(0, 9), 6);				// 10 × 0xA54D >> 16
	EXPECT_EQ(RandomRange(100, 65535), 22498);		// 100 + (65436 × 0x57A1 >> 16)
	EXPECT_EQ(RandomRange(3, 4), 4);				// 2 × 0xEE95 >> 16 = 1
	EXPECT_EQ(RandomRange(5, 5), 5);
}

TEST_F(RandomTest, DerivedValuesStayInTheirRanges)
{
	SetRandomSeed(0xC0FFEE);
	int seenLo = 0, seenHi = 0;
	for (int i = 0; i < 20000; i++)
	{
		float f = RandomFloat();
		ASSERT_GE(f, 0.0f);
		ASSERT_LE(f, 1.0f);

		float s = RandomFloatSigned();
		ASSERT_GT(s, -1.0f);
		ASSERT_LE(s, 1.0f);

		float r = RandomFloatRange(-3.0f, 2.0f);
		ASSERT_GE(r, -3.0f);
		ASSERT_LE(r, 2.0f);

		uint16_t v = RandomRange(10, 20);
		ASSERT_GE(v, 10);
		ASSERT_LE(v, 20);
		seenLo += v == 10;
		seenHi += v == 20;
	}
	// Both ends are reachable.
	EXPECT_GT(seenLo, 0);
	EXPECT_GT(seenHi, 0);
}

TEST(PositiveModulo, NegativeValuesWrapIntoRange)
{
	EXPECT_EQ(PositiveModulo(-1, 8), 7);
	EXPECT_EQ(PositiveModulo(-8, 8), 0);
	EXPECT_EQ(PositiveModulo(-9, 8), 7);
	EXPECT_EQ(PositiveModulo(9, 8), 1);
	EXPECT_EQ(PositiveModulo(0, 8), 0);

	EXPECT_FLOAT_EQ(PositiveModulo(-1.0f, 8.0f), 7.0f);
	EXPECT_FLOAT_EQ(PositiveModulo(7.5f, 2.0f), 1.5f);
	EXPECT_FLOAT_EQ(PositiveModulo(-0.5f, 2.0f), 1.5f);

	// A tiny negative angle must not come back as exactly the modulus.
	const float twoPi = 6.2831855f;
	float r = PositiveModulo(-1e-10f, twoPi);
	EXPECT_GE(r, 0.0f);
	EXPECT_LT(r, twoPi);
}

TEST(DrawRandom, LooksNeverMoveTheGamesStreamAndStayInRange)
{
	SetRandomSeed(7);
	uint32_t before[3];
	GetRandomState(before);
	float lo = 1, hi = 0, signedLo = 1, signedHi = -1;
	for (int i = 0; i < 5000; i++)
	{
		float f = DrawRandomFloat(), s = DrawRandomFloatSigned();
		lo = std::min(lo, f);
		hi = std::max(hi, f);
		signedLo = std::min(signedLo, s);
		signedHi = std::max(signedHi, s);
	}
	uint32_t after[3];
	GetRandomState(after);
	EXPECT_EQ(0, memcmp(before, after, sizeof before)) << "a drawn run's flicker must not change what the game rolls";
	EXPECT_GE(lo, 0.0f);
	EXPECT_LE(hi, 1.0f);
	EXPECT_GT(hi - lo, 0.9f) << "spread over the range";
	EXPECT_GE(signedLo, -1.0f);
	EXPECT_LE(signedHi, 1.0f);
	EXPECT_LT(signedLo, -0.9f);
	EXPECT_GT(signedHi, 0.9f);
}
