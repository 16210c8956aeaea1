// The creature kit's shared hit handlers on bare nodes, with hurt and kill
// routines that only record what they were asked: which damage each way of
// hitting passes on, the pushes and knock-backs that go with it, what the
// handler answers, and the blows a normal-sized robot cannot land.
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Player/Player.h"
#include "System/Math.h"
#include "Terrain/Collision.h"

#include <gtest/gtest.h>
#include <cmath>

namespace
{
	struct Record
	{
		int hurts = 0, kills = 0;
		float damage = 0;
		bool answer = true;		// what the hurt routine says
	} gRecord;

	bool RecordHurt(ObjNode*, float damage)
	{
		gRecord.hurts++;
		gRecord.damage = damage;
		return gRecord.answer;
	}

	void RecordKill(ObjNode*)
	{
		gRecord.kills++;
	}

	void FreeMove(ObjNode*) {}

	constexpr CreatureHitRoutines kOwnShotDamage = {.hurt = RecordHurt, .kill = RecordKill, .freeMove = FreeMove,
			.fistDamage = 0.25f, .jetDamage = 1.0f};
	constexpr CreatureHitRoutines kFixedShotDamage = {.hurt = RecordHurt, .kill = RecordKill, .fistDamage = 0.15f,
			.jetDamage = 0.5f, .shotDamage = 0.15f};

	class CreatureHitTest : public testing::Test
	{
	protected:
		ObjNode creature = {};
		ObjNode robot = {};
		ObjNode* savedPlayer = nullptr;
		PlayerLevelState savedPlayerLevel;

		void SetUp() override
		{
			gRecord = {};
			savedPlayer = gPlayerNode;
			savedPlayerLevel = gPlayerLevel;
			robot.Rot.y = 0.6f;
			gPlayerNode = &robot;
			gPlayerLevel = PlayerLevelState{};
			creature.CType = CTYPE_ENEMY;
			creature.StatusBits = STATUS_BIT_ONGROUND;
		}
		void TearDown() override
		{
			gPlayerNode = savedPlayer;
			gPlayerLevel = savedPlayerLevel;
		}

		void ExpectThrownBackAlongTheRobotsHeading() const
		{
			EXPECT_NEAR(creature.Delta.x, -std::sin(0.6f) * 1000, 0.01f);
			EXPECT_NEAR(creature.Delta.y, 500, 0.01f);
			EXPECT_NEAR(creature.Delta.z, -std::cos(0.6f) * 1000, 0.01f);
			EXPECT_FALSE(creature.StatusBits & STATUS_BIT_ONGROUND);
		}
	};
}

TEST_F(CreatureHitTest, AShotHurtsByItsOwnDamageUnlessTheCreatureSetsOneAndPushesTheCreature)
{
	ObjNode shot = {};
	shot.Damage = 0.3f;
	OGLVector3D shotDelta = {100, 50, -200};

	EXPECT_TRUE(CreatureHitByShot<kOwnShotDamage>(&shot, &creature, nullptr, &shotDelta, 0.9f));
	EXPECT_FLOAT_EQ(gRecord.damage, 0.3f);
	EXPECT_NEAR(creature.Delta.x, 40, 0.001f);
	EXPECT_NEAR(creature.Delta.y, 20 + 200, 0.001f);
	EXPECT_NEAR(creature.Delta.z, -80, 0.001f);
	EXPECT_FALSE(creature.StatusBits & STATUS_BIT_ONGROUND);

	// Without a projectile (or one without damage) the handler's damage counts.
	CreatureHitByShot<kOwnShotDamage>(nullptr, &creature, nullptr, nullptr, 0.9f);
	EXPECT_FLOAT_EQ(gRecord.damage, 0.9f);

	CreatureHitByShot<kFixedShotDamage>(&shot, &creature, nullptr, &shotDelta, 0.9f);
	EXPECT_FLOAT_EQ(gRecord.damage, 0.15f);
	EXPECT_EQ(gRecord.hurts, 3);
	EXPECT_EQ(gRecord.kills, 0);
}

TEST_F(CreatureHitTest, AFistOrAJetHurtsByTheCreaturesOwnDamageAndThrowsItBack)
{
	EXPECT_TRUE(CreatureHitByFist<kOwnShotDamage>(nullptr, &creature, nullptr, nullptr, 9));
	EXPECT_FLOAT_EQ(gRecord.damage, 0.25f);
	ExpectThrownBackAlongTheRobotsHeading();

	creature.Delta = {};
	creature.StatusBits = STATUS_BIT_ONGROUND;
	gRecord.answer = false;		// a hurt that did not count is passed on
	EXPECT_FALSE(CreatureHitByJet<kFixedShotDamage>(nullptr, &creature, nullptr, nullptr, 9));
	EXPECT_FLOAT_EQ(gRecord.damage, 0.5f);
	ExpectThrownBackAlongTheRobotsHeading();
}

TEST_F(CreatureHitTest, ADeathBlowKillsAndAHurtPassesItsDamageOn)
{
	EXPECT_TRUE(CreatureHitToDeath<kOwnShotDamage>(nullptr, &creature, nullptr, nullptr, 0));
	EXPECT_EQ(gRecord.kills, 1);
	EXPECT_EQ(gRecord.hurts, 0);

	gRecord.answer = false;
	EXPECT_FALSE(CreatureHitByHurt<kOwnShotDamage>(nullptr, &creature, nullptr, nullptr, 0.7f));
	EXPECT_FLOAT_EQ(gRecord.damage, 0.7f);
	EXPECT_EQ(gRecord.kills, 1);
	EXPECT_FLOAT_EQ(creature.Delta.y, 0);		// no push with a plain hurt
}

TEST_F(CreatureHitTest, OnlyAGiantRobotsFistAndJetCount)
{
	EXPECT_FALSE(CreatureHitByGiantFist<kOwnShotDamage>(nullptr, &creature, nullptr, nullptr, 0));
	EXPECT_FALSE(CreatureHitByGiantJet<kOwnShotDamage>(nullptr, &creature, nullptr, nullptr, 0));
	EXPECT_EQ(gRecord.hurts + gRecord.kills, 0);
	EXPECT_FLOAT_EQ(creature.Delta.y, 0);

	gPlayerLevel.scale = 2;
	EXPECT_TRUE(CreatureHitByGiantFist<kOwnShotDamage>(nullptr, &creature, nullptr, nullptr, 0));
	EXPECT_FLOAT_EQ(gRecord.damage, 0.25f);
	ExpectThrownBackAlongTheRobotsHeading();
	EXPECT_TRUE(CreatureHitByGiantJet<kOwnShotDamage>(nullptr, &creature, nullptr, nullptr, 0));
	EXPECT_EQ(gRecord.kills, 1);
}

TEST_F(CreatureHitTest, TheFreezeGunFreezesAndStopsALiveCreatureButNotADyingOne)
{
	creature.Flag[ENEMY_FLAG_DYING] = 1;
	EXPECT_FALSE(CreatureHitByFreeze<kOwnShotDamage>(nullptr, &creature, nullptr, nullptr, 0));
	EXPECT_FALSE(IsEnemyFrozen(&creature));

	creature.Flag[ENEMY_FLAG_DYING] = 0;
	creature.Delta = {30, 40, 50};
	EXPECT_TRUE(CreatureHitByFreeze<kOwnShotDamage>(nullptr, &creature, nullptr, nullptr, 0));
	EXPECT_TRUE(IsEnemyFrozen(&creature));
	EXPECT_FLOAT_EQ(creature.Delta.x, 0);
	EXPECT_FLOAT_EQ(creature.Delta.y, 0);
}
