// The bonus tally: what it counts, how the bonus moves into the score, and
// the jump control's speed-up.
#include "Screens/AfterTallyScene.h"
#include "Screens/BonusTally.h"
#include "System/Game.h"
#include "System/LevelTable.h"

#include <gtest/gtest.h>

namespace
{
	const WeaponSlot kNoWeapons[MAX_WEAPON_SLOTS] = {{WEAPON_FIST, 99}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}};

	// Runs the tally to its end in steps of dt; returns the seconds it took.
	float RunToEnd(BonusTally* tally, float dt, bool fast, int* chunks = nullptr)
	{
		float time = 0;
		for (int i = 0; i < 100000 && tally->phase != BONUS_PHASE_DONE; i++)
		{
			BonusEvent e = StepBonusTally(tally, dt, fast);
			if (chunks && e == BONUS_EVENT_POINTS)
				(*chunks)++;
			time += dt;
		}
		return time;
	}

	TEST(BonusTallyTest, TransferMovesSmallBonusesWholeAndLargeOnesIn951s)
	{
		EXPECT_EQ(BonusTransferChunk(950), 950);
		EXPECT_EQ(BonusTransferChunk(951), 951);
		EXPECT_EQ(BonusTransferChunk(5000), 951);
		EXPECT_EQ(BonusTransferChunk(1), 1);
	}

	TEST(BonusTallyTest, HumansAndLeftoverWeaponsAddUpAndAllMoveToTheScore)
	{
		const int humans[4] = {3, 1, 0, 2};
		WeaponSlot weapons[MAX_WEAPON_SLOTS] = {{WEAPON_FIST, 99}, {WEAPON_DART, 4}, {WEAPON_GROWTH, 1}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}};
		BonusTally tally;
		StartBonusTally(&tally, humans, weapons, 1000, true);

		int chunks = 0;
		RunToEnd(&tally, 1.0f / 60, false, &chunks);
		int32_t expected = 6 * BONUS_PER_HUMAN + 4 * BonusValueOfWeapon(WEAPON_DART) + BonusValueOfWeapon(WEAPON_GROWTH);
		EXPECT_EQ(tally.humansCounted, 6);
		EXPECT_EQ(tally.itemsCounted, 5) << "the fist counts nothing";
		EXPECT_EQ(tally.bonus, 0);
		EXPECT_EQ(tally.score, 1000 + expected);
		// 3330 points: 951 three times, then the 477 left at once.
		EXPECT_EQ(expected, 3330);
		EXPECT_EQ(chunks, 4);
	}

	TEST(BonusTallyTest, ACheatingRunsWeaponsEarnNothing)
	{
		const int humans[4] = {1, 0, 0, 0};
		WeaponSlot weapons[MAX_WEAPON_SLOTS] = {{WEAPON_FIST, 99}, {WEAPON_NOVA, 99}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}};
		BonusTally tally;
		StartBonusTally(&tally, humans, weapons, 0, false);
		RunToEnd(&tally, 1.0f / 60, false);
		EXPECT_EQ(tally.score, BONUS_PER_HUMAN);
		EXPECT_EQ(tally.itemsCounted, 0);
	}

	TEST(BonusTallyTest, HoldingJumpRunsEveryTimerThreeTimesAsFast)
	{
		const int humans[4] = {2, 2, 2, 2};
		BonusTally slow, fast;
		StartBonusTally(&slow, humans, kNoWeapons, 0, true);
		StartBonusTally(&fast, humans, kNoWeapons, 0, true);
		float slowTime = RunToEnd(&slow, 0.001f, false);
		float fastTime = RunToEnd(&fast, 0.001f, true);
		EXPECT_NEAR(slowTime / fastTime, 3.0f, 0.05f);
		EXPECT_EQ(slow.score, fast.score);
	}

	TEST(BonusTallyTest, NothingToCountStillPausesBeforeItEnds)
	{
		const int none[4] = {0, 0, 0, 0};
		BonusTally tally;
		StartBonusTally(&tally, none, kNoWeapons, 500, true);
		float time = RunToEnd(&tally, 0.01f, false);
		EXPECT_EQ(tally.score, 500);
		EXPECT_GE(time, BONUS_END_PAUSE) << "the screen lingers after the empty tally";
	}
}

// The scene after the jungle's tally tells its story in order, and only the
// jungle's row of the level table asks for it.
TEST(AfterTallySceneTest, TheRobotArrivesThenTheGroundShakesThenThePlantStandsAndSnaps)
{
	float arrived = -1, shaking = -1, standing = -1, snapping = -1;
	for (float t = 0; t <= JUNGLE_WAKES_SECONDS; t += 0.05f)
	{
		const JungleWakesBeat beat = JungleWakesBeatAt(t);
		if (arrived < 0 && beat.robotWalk >= 1)
			arrived = t;
		if (shaking < 0 && beat.quake > 0)
			shaking = t;
		if (standing < 0 && beat.plantRise >= 1)
			standing = t;
		if (snapping < 0 && beat.plantSnaps)
			snapping = t;
		if (beat.robotWalk < 1)
			EXPECT_EQ(beat.plantRise, 0) << "the plant waits for the robot, at " << t;
	}
	ASSERT_GT(arrived, JUNGLE_WAKES_LOCK_SECONDS);
	EXPECT_LT(arrived, shaking);
	EXPECT_LT(shaking, standing);
	EXPECT_LE(standing, snapping);
	EXPECT_LT(snapping, JUNGLE_WAKES_SECONDS - 1) << "the snap is seen before the scene ends";
	EXPECT_EQ(JungleWakesBeatAt(JUNGLE_WAKES_SECONDS).quake, 0) << "the ground is still again at the end";

	for (int level = 0; level < NUM_LEVELS; level++)
		EXPECT_EQ((kLevelDefs[level].rules & LEVEL_RULE_SCENE_AFTER_TALLY) != 0, level == LEVEL_NUM_JUNGLE) << level;
}
