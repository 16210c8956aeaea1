// Grave stones beside the robot on the baked farm (the city's stones loaded
// from its model file): a stone with a closed grave calls a raider saucer,
// whose beam raises one mutant out of the grave, and then the grave is open
// for good; at the enemy cap the stone neither calls nor gives up its mutant.
#include "PlayerTestSupport.h"
#include "3D/BG3D.h"
#include "Enemies/CityCreatures.h"
#include "Enemies/Enemy.h"
#include "Enemies/RaiderSaucer.h"
#include "Effects/Sparkles.h"
#include "Items/GraveStones.h"
#include "Player/WeaponTypes.h"
#include "System/LevelTable.h"
#include "Terrain/TerrainFile.h"

using namespace PlayerTestSupport;

namespace
{
	constexpr uint16_t ITEM_TYPE_GRAVE_STONE = 65;

	class GraveStoneTest : public PlayerWorld
	{
	protected:
		ObjNode* robot = nullptr;
		TerrainItemEntryType item = {};

		void SetUp() override
		{
			PlayerWorld::SetUp();
			if (HasFatalFailure())
				return;
			LoadASkeleton(SKELETON_TYPE_MUTANT);
			ASSERT_GT(LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL), GLOBAL_MODEL_BEAM_INNER);
			ASSERT_GT(LoadBG3D(kLevelDefs[LEVEL_NUM_APOCALYPSE].modelFile, MODEL_GROUP_LEVELSPECIFIC), 38);	// the stones
			InitSparkleStore();
			robot = MakeRobotOnGround();
			// The farm's own creatures, humans and sprouts stay away.
			for (int i = 0; i < gNumTerrainItems; i++)
				gTerrainItemList[i].flags |= ITEM_FLAG_INUSE;
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->CType != INVALID_NODE_FLAG && (n->CType & (CTYPE_ENEMY | CTYPE_HUMAN)))
					DeleteObject(n);
			FlushObjectDeleteQueue();
			InitEnemyManager();
			ClearRaiderSaucerPointers();
			UpdateVisibleTerrain(robot->Coord.x, robot->Coord.z);
			robot->MoveCall = nullptr;		// the robot stands by and watches
			item.type = ITEM_TYPE_GRAVE_STONE;
			item.flags = ITEM_FLAG_INUSE;
		}

		void TearDown() override
		{
			PlayerWorld::TearDown();
			ClearRaiderSaucerPointers();
			DisposeSparkles();
			InitEnemyManager();
		}

		// A stone `ahead` units in front of the robot, its face toward the robot.
		ObjNode* StoneAhead(float ahead)
		{
			float h = robot->Rot.y;
			item.parm[1] = 0;
			EXPECT_TRUE(AddGraveStone(&item, robot->Coord.x - std::sin(h) * ahead, robot->Coord.z - std::cos(h) * ahead));
			return gLastCreatedNode;
		}

		static int Mutants() { return gNumEnemyOfKind[ENEMY_KIND_MUTANT]; }
	};
}

TEST_F(GraveStoneTest, AClosedGraveCallsARaiderWhoseBeamRaisesOneTinyMutantAndThenTheGraveStaysOpen)
{
	ObjNodeRef stone(StoneAhead(1200));
	ASSERT_TRUE(IsGraveClosed(stone.Get()));

	// The stone asks every frame; the raider comes down over it and beams.
	ObjNode* risen = nullptr;
	bool called = false;
	ASSERT_TRUE(RunUntil(30, [&] {
		called = called || GetRaiderTarget() == stone.Get();
		for (ObjNode* n = gObjectListHead; n && !risen; n = n->NextNode)
			if (n->CType != INVALID_NODE_FLAG && n->Kind == ENEMY_KIND_MUTANT)
				risen = n;
		return risen != nullptr;
	})) << "no mutant rose";
	EXPECT_TRUE(called) << "the raider came for the stone";
	ASSERT_TRUE(stone.IsAlive()) << "the stone stays";
	EXPECT_EQ(Mutants(), 1);
	EXPECT_EQ(risen->Skeleton->AnimNum, MUTANT_ANIM_GROW);
	EXPECT_LT(risen->Scale.x, 0.2f) << "it starts tiny";
	EXPECT_NEAR(std::hypot(risen->Coord.x - stone.Get()->Coord.x, risen->Coord.z - stone.Get()->Coord.z), GRAVE_RISE_DISTANCE, 1);
	EXPECT_FALSE(IsGraveClosed(stone.Get()));
	EXPECT_TRUE(item.flags & ITEM_FLAG_GRAVE_OPEN);

	// One mutant to a grave: another beam raises nothing, and once the raider
	// has gone the stone calls no other.
	DeleteEnemy(risen);		// out of the robot's way
	FlushObjectDeleteQueue();
	EXPECT_FALSE(HitByWeapon(WEAPON_SAUCERBEAM, nullptr, stone.Get(), nullptr, nullptr, 0));
	ASSERT_TRUE(RunUntil(40, [] { return GetRaiderSaucer() == nullptr; }));
	Run(5);
	EXPECT_EQ(GetRaiderSaucer(), nullptr);
	EXPECT_EQ(Mutants(), 0);

	// A stone made again from its item (the robot came back) finds its grave open.
	DeleteObject(stone.Get());
	FlushObjectDeleteQueue();
	ObjNode* again = StoneAhead(1200);
	EXPECT_FALSE(IsGraveClosed(again));
	EXPECT_FALSE(HitByWeapon(WEAPON_SAUCERBEAM, nullptr, again, nullptr, nullptr, 0));
	EXPECT_EQ(Mutants(), 0);
}

TEST_F(GraveStoneTest, AtTheEnemyCapAStoneCallsNoRaiderAndABeamLeavesItsGraveClosed)
{
	ObjNode* stone = StoneAhead(1200);
	gNumEnemies = gMaxEnemies;
	Run(5);
	EXPECT_EQ(GetRaiderSaucer(), nullptr) << "no call at the cap";
	EXPECT_FALSE(HitByWeapon(WEAPON_SAUCERBEAM, nullptr, stone, nullptr, nullptr, 0));
	EXPECT_EQ(Mutants(), 0);
	EXPECT_TRUE(IsGraveClosed(stone)) << "its mutant waits for a later saucer";
	gNumEnemies = 0;
}
