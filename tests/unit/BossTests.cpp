// The two bosses driven without a window on the farm's terrain: the brain
// boss's shield, opening cycle and damage rules; the jungle arena's pod
// heads, pitcher plant and tentacles; the tentacle tube's mesh.
#include "PlayerTestSupport.h"
#include "Player/Player.h"
#include "Enemies/AlienPortal.h"
#include "Enemies/BrainBoss.h"
#include "Enemies/JungleBoss.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Player/Weapons.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "Terrain/Fences.h"
#include "Terrain/TerrainItems.h"

#include <algorithm>
#include <cmath>
#include <deque>

using namespace PlayerTestSupport;

namespace
{
	constexpr float STEP = 1.0f / 30;

	class BossTest : public PlayerWorld
	{
	protected:
		std::deque<TerrainItemEntryType> items;		// stable addresses for the nodes' item links
		ObjNode* robot = nullptr;
		float savedFrameTime = 0;

		void SetUp() override
		{
			PlayerWorld::SetUp();
			if (HasFatalFailure())
				return;
			InitSparkleStore();
			InitShardSystem();
			robot = MakeRobotOnGround();
			savedFrameTime = gFrameTime;
			gFrameTime = STEP;
		}

		void TearDown() override
		{
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				for (ObjNode* c = n; c; c = c->ChainNode)
					c->TerrainItemPtr = nullptr;
			gFrameTime = savedFrameTime;
			gBrainBoss.Clear();
			PlayerWorld::TearDown();
			DisposeShardSystem();
			DisposeSparkles();
			ResetAlienPortals();
			gBrainBossDead = false;
			gPitcherPlantDead = false;
			gNumPodsDestroyed = 0;
			gFatalErrorRaised = false;
		}

		void LoadLevelModels(const char* file, int atLeast)
		{
			ASSERT_GT(LoadBG3D(file, MODEL_GROUP_LEVELSPECIFIC), atLeast);
		}

		TerrainItemEntryType* NewItem(uint16_t type, float dx, float dz, uint8_t parm0 = 0)
		{
			TerrainItemEntryType item = {};
			item.type = type;
			item.x = uint32_t(robot->Coord.x + dx);
			item.z = uint32_t(robot->Coord.z + dz);
			item.parm[0] = parm0;
			item.flags = ITEM_FLAG_INUSE;
			items.push_back(item);
			return &items.back();
		}

		ObjNode* AddBoss()
		{
			TerrainItemEntryType* item = NewItem(ITEM_TYPE_BRAIN_BOSS, 0, -2000);
			EXPECT_TRUE(AddBrainBoss(item, float(item->x), float(item->z)));
			return gBrainBoss.Get();
		}

		void Run(ObjNode* node, ObjNodeRoutine move, float seconds)
		{
			for (float t = 0; t < seconds && node->CType != INVALID_NODE_FLAG; t += STEP)
				move(node);
		}

		void DestroyPortals(int count)
		{
			for (int i = 0; i < count; i++)
			{
				gPortalDestroyed[i] = true;
				gNumPortalsDestroyed++;
			}
		}

		// A shot of `type` striking `target` through its handler, as a projectile does.
		bool Shoot(ObjNode* target, int type, float damage = 1)
		{
			ObjectDef def = {};
			def.genre = NODRAW_GENRE;
			def.coord = target->Coord;
			def.scale = 1;
			ObjNode* shot = MakeNewObject(&def);
			shot->Kind = uint8_t(type);
			shot->Damage = damage;
			shot->CType = CTYPE_PLAYER_PROJECTILE;
			WeaponHitHandler handler = target->HitByWeaponHandler[type];
			bool hit = handler && handler(shot, target, &target->Coord, &shot->Delta, damage);
			DeleteObject(shot);
			return hit;
		}
	};
}

//
// The brain boss
//

TEST_F(BossTest, TheBrainStaysShutAndUnhurtWhileAnyPortalStandsAndOpensFiveSecondsAfterTheLast)
{
	LoadLevelModels(":Models:level10_brainboss.bg3d", 3);
	ObjNode* boss = AddBoss();
	ASSERT_NE(boss, nullptr);
	DestroyPortals(7);
	Run(boss, MoveBrainBoss, 10);
	EXPECT_EQ(boss->Mode, BRAIN_BOSS_CLOSED);
	EXPECT_FALSE(HurtBrainBoss(boss, 5));
	EXPECT_FLOAT_EQ(boss->Health, BRAIN_BOSS_HEALTH);
	Shoot(boss, WEAPON_STUNGUN);
	EXPECT_FLOAT_EQ(boss->Health, BRAIN_BOSS_HEALTH);

	gPortalDestroyed[7] = true;
	gNumPortalsDestroyed++;
	Run(boss, MoveBrainBoss, BRAIN_BOSS_FIRST_WAIT - 0.2f);
	EXPECT_EQ(boss->Mode, BRAIN_BOSS_CLOSED);
	Run(boss, MoveBrainBoss, 0.4f);
	EXPECT_EQ(boss->Mode, BRAIN_BOSS_OPENING);
	// 175 units at 70 a second, then open and firing.
	Run(boss, MoveBrainBoss, BRAIN_BOSS_OPEN_WIDTH / BRAIN_BOSS_OPEN_RATE + 0.1f);
	EXPECT_EQ(boss->Mode, BRAIN_BOSS_OPEN);
	EXPECT_FLOAT_EQ(boss->SpecialF[BRAIN_WIDTH], BRAIN_BOSS_OPEN_WIDTH);
	// The halves stand apart by twice the width.
	ObjNode* left = boss->ChainNode;
	ObjNode* right = left->ChainNode;
	EXPECT_NEAR(std::hypot(left->Coord.x - right->Coord.x, left->Coord.z - right->Coord.z), 2 * BRAIN_BOSS_OPEN_WIDTH, 1);
}

TEST_F(BossTest, WeaponsHurtTheOpenBrainByTheirRulesAndAHitMakesItShut)
{
	LoadLevelModels(":Models:level10_brainboss.bg3d", 3);
	ObjNode* boss = AddBoss();
	ASSERT_NE(boss, nullptr);
	DestroyPortals(NUM_ALIEN_PORTALS);
	EXPECT_EQ(boss->HitByWeaponHandler[WEAPON_FREEZEGUN], nullptr);		// the freeze gun does nothing

	boss->Mode = BRAIN_BOSS_OPENING;
	Shoot(boss, WEAPON_STUNGUN, 0.5f);
	EXPECT_FLOAT_EQ(boss->Health, BRAIN_BOSS_HEALTH - 0.5f);
	EXPECT_EQ(boss->Mode, BRAIN_BOSS_CLOSING);

	boss->Mode = BRAIN_BOSS_OPEN;
	boss->SpecialF[BRAIN_OPEN_LEFT] = 2;
	Shoot(boss, WEAPON_ARCSHOT, 0.5f);
	EXPECT_FLOAT_EQ(boss->SpecialF[BRAIN_OPEN_LEFT], 0);
	Shoot(boss, WEAPON_NOVA, 0.01f);		// the nova's own damage, whatever the shot says
	EXPECT_FLOAT_EQ(boss->Health, BRAIN_BOSS_HEALTH - 2.0f);
	// It reddens as it weakens.
	EXPECT_NEAR(boss->ColorFilter.g, (BRAIN_BOSS_HEALTH - 2) / BRAIN_BOSS_HEALTH * 0.7f + 0.3f, 1e-5f);

	EXPECT_FALSE(gBrainBossDead);
	EXPECT_TRUE(HurtBrainBoss(boss, BRAIN_BOSS_HEALTH));
	EXPECT_TRUE(gBrainBossDead);
	EXPECT_TRUE(IsLevelBossDead());
	EXPECT_FALSE(gBrainBoss.IsAlive());
}

TEST_F(BossTest, TheBrainsShotFliesStraightThenHomesNoFasterThanItsTopSpeedAndLivesFiveSeconds)
{
	LoadLevelModels(":Models:level10_brainboss.bg3d", 3);
	ObjNode* boss = AddBoss();
	ASSERT_NE(boss, nullptr);
	DestroyPortals(NUM_ALIEN_PORTALS);
	boss->Mode = BRAIN_BOSS_OPENING;
	boss->SpecialF[BRAIN_WIDTH] = BRAIN_BOSS_OPEN_WIDTH;
	gPlayerLevel.invincibleTimer = 100;		// the shot may reach the robot: it must not end the test
	MoveBrainBoss(boss);
	MoveBrainBoss(boss);			// open: the first shot goes at once
	ObjNode* shot = FindObjectWithMoveCall(MoveBrainBossShot);
	ASSERT_NE(shot, nullptr);
	OGLVector3D launch = shot->Delta;
	Run(shot, MoveBrainBossShot, BRAIN_SHOT_STRAIGHT_TIME - 0.1f);
	EXPECT_FLOAT_EQ(shot->Delta.x, launch.x);
	EXPECT_FLOAT_EQ(shot->Delta.z, launch.z);
	for (float t = 0; t < 3 && shot->CType != INVALID_NODE_FLAG; t += STEP)
	{
		MoveBrainBossShot(shot);
		EXPECT_LE(std::sqrt(shot->Delta.x * shot->Delta.x + shot->Delta.y * shot->Delta.y + shot->Delta.z * shot->Delta.z),
				BRAIN_SHOT_SPEED + 0.01f);
	}
	gPlayerLevel.invincibleTimer = 0;
}

TEST_F(BossTest, TheHuntingBrainStandsOnTheGroundAndCannotCrossAFence)
{
	LoadLevelModels(":Models:level10_brainboss.bg3d", 3);
	ObjNode* boss = AddBoss();
	ASSERT_NE(boss, nullptr);
	DestroyPortals(NUM_ALIEN_PORTALS);

	// Sunk below its ground, one step of the hunt stands it on it.
	const float ground = TerrainHeightAt(boss->Coord.x, boss->Coord.z);
	boss->InitCoord.y = ground - 400;
	MoveBrainBoss(boss);
	EXPECT_GE(boss->Coord.y + float(boss->BottomOff), TerrainHeightAt(boss->Coord.x, boss->Coord.z) - 1);

	// The farm's first fence between the brain and the robot.
	ASSERT_GT(gNumFences, 0);
	PrimeFences();
	const FenceRecord& fence = gFenceList[0];
	const OGLPoint3D a = fence.nubList[0], b = fence.nubList[1];
	const OGLVector2D n = fence.sectionNormals[0];
	const OGLPoint3D middle = {(a.x + b.x) / 2, 0, (a.z + b.z) / 2};
	boss->Coord = boss->OldCoord = {middle.x + n.x * 400, boss->Coord.y, middle.z + n.y * 400};
	robot->Coord = {middle.x - n.x * 1500, robot->Coord.y, middle.z - n.y * 1500};
	gPlayerLevel.invincibleTimer = 100;
	float nearest = 1e9f;
	for (float t = 0; t < 12; t += STEP)
	{
		const OGLPoint3D before = boss->Coord;
		MoveBrainBoss(boss);
		OGLPoint3D hit;
		bool above;
		float top;
		ASSERT_FALSE(SegmentHitsFence(&before, &boss->Coord, &hit, &above, &top)) << "through the fence at " << t << " s";
		nearest = std::min(nearest, std::fabs((boss->Coord.x - middle.x) * n.x + (boss->Coord.z - middle.z) * n.y));
	}
	gPlayerLevel.invincibleTimer = 0;
	EXPECT_LT(nearest, boss->Size + 50) << "it pressed up against the fence";
	DisposeFences();
}

TEST_F(BossTest, PortalNumbersOutsideTheRingOrTwiceUsedStopTheLevelWithAMessage)
{
	TerrainItemEntryType* saved = gTerrainItemList;
	int32_t savedCount = gNumTerrainItems;
	for (int bad : {8, 3})
	{
		std::vector<TerrainItemEntryType> map;
		for (int k = 0; k < NUM_ALIEN_PORTALS; k++)
		{
			TerrainItemEntryType p = {};
			p.type = ITEM_TYPE_ALIEN_PORTAL;
			p.x = uint32_t(robot->Coord.x + 100 * k);
			p.z = uint32_t(robot->Coord.z);
			p.parm[0] = uint8_t(k == 5 ? bad : k);
			map.push_back(p);
		}
		gTerrainItemList = map.data();
		gNumTerrainItems = int32_t(map.size());
		gFatalErrorRaised = false;
		EXPECT_ANY_THROW(InitBrainBossPortals()) << "portal number " << bad;
		EXPECT_TRUE(gFatalErrorRaised);
	}
	gTerrainItemList = saved;
	gNumTerrainItems = savedCount;
}

//
// The jungle boss arena
//

TEST_F(BossTest, APodHeadBurstsOnTheThirdArcShotOnlyAndStaysBurstWhenAddedAgain)
{
	LoadLevelModels(":Models:level6_jungle.bg3d", LEVEL_MODEL_JUNGLE_BOSS_LIGHT);
	TerrainItemEntryType* item = NewItem(73, 0, -1500);
	ASSERT_TRUE(AddPodPlant(item, float(item->x), float(item->z)));
	ObjNode* stalk = FindObjectWithMoveCall(MovePodPlant);
	ASSERT_NE(stalk, nullptr);
	ObjNode* head = stalk->ChainNode;
	ASSERT_NE(head, nullptr);
	EXPECT_EQ(head->HitByWeaponHandler[WEAPON_STUNGUN], nullptr);		// only the arc shot
	Shoot(head, WEAPON_ARCSHOT);
	Shoot(head, WEAPON_ARCSHOT);
	EXPECT_EQ(gNumPodsDestroyed, 0);
	Shoot(head, WEAPON_ARCSHOT);
	EXPECT_EQ(gNumPodsDestroyed, 1);
	EXPECT_EQ(head->Type, LEVEL_MODEL_POD_HEAD_BURST);
	EXPECT_EQ(head->CType, 0u);

	DeleteObject(stalk);
	FlushObjectDeleteQueue();
	ASSERT_TRUE(AddPodPlant(item, float(item->x), float(item->z)));
	ObjNode* again = FindObjectWithMoveCall(MovePodPlant);
	ASSERT_NE(again, nullptr);
	EXPECT_EQ(again->ChainNode->Type, LEVEL_MODEL_POD_HEAD_BURST);
	EXPECT_EQ(again->ChainNode->HitByWeaponHandler[WEAPON_ARCSHOT], nullptr);
}

TEST_F(BossTest, ThePitcherWakesOnTheSixthPodAndDiesOnTheNinthHitWhileItsMouthIsOpen)
{
	LoadLevelModels(":Models:level6_jungle.bg3d", LEVEL_MODEL_JUNGLE_BOSS_LIGHT);
	LoadASkeleton(SKELETON_TYPE_PITCHERPLANT);
	InitJungleBoss();
	TerrainItemEntryType* item = NewItem(72, 0, -2500);
	ASSERT_TRUE(AddPitcherPlant(item, float(item->x), float(item->z)));
	ObjNode* plant = FindObjectWithMoveCall(MovePitcherPlant);
	ASSERT_NE(plant, nullptr);

	gNumPodsDestroyed = PODS_TO_WAKE_PITCHER - 1;
	Run(plant, MovePitcherPlant, 5);
	EXPECT_EQ(plant->Skeleton->AnimNum, PITCHER_ANIM_IDLE);
	gNumPodsDestroyed = PODS_TO_WAKE_PITCHER;
	MovePitcherPlant(plant);
	EXPECT_EQ(plant->Skeleton->AnimNum, PITCHER_ANIM_ATTACK);

	// Mouth shut: the arc shot glances off.
	plant->Flag[0] = 0;
	Shoot(plant, WEAPON_ARCSHOT);
	EXPECT_FLOAT_EQ(plant->ColorFilter.g, 1);
	for (int hit = 1; hit <= 8; hit++)
	{
		plant->Flag[0] = 1;
		Shoot(plant, WEAPON_ARCSHOT);
		ASSERT_FALSE(gPitcherPlantDead) << "hit " << hit;
		EXPECT_EQ(plant->Flag[0], 0);		// a wound shuts the mouth
	}
	auto beamStands = [] {
		for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
			if (n->Slot == 3099 && n->CType != INVALID_NODE_FLAG)
				return true;
		return false;
	};
	EXPECT_TRUE(beamStands());
	plant->Flag[0] = 1;
	Shoot(plant, WEAPON_ARCSHOT);
	EXPECT_TRUE(gPitcherPlantDead);
	EXPECT_FALSE(beamStands());		// the start beam goes with the plant
	EXPECT_TRUE(IsLevelBossDead());
	EXPECT_EQ(plant->CType, INVALID_NODE_FLAG);
}

TEST_F(BossTest, ATentacleCrawlsToItsLimitThenRetractsAndFreesItsSlot)
{
	LoadLevelModels(":Models:level6_jungle.bg3d", LEVEL_MODEL_JUNGLE_BOSS_LIGHT);
	InitJungleBoss();
	TerrainItemEntryType* item = NewItem(71, 0, -3000);
	ASSERT_TRUE(AddTentacleGenerator(item, float(item->x), float(item->z)));
	ObjNode* generator = FindObjectWithMoveCall(MoveTentacleGenerator);
	ASSERT_NE(generator, nullptr);
	gPlayerLevel.invincibleTimer = 1000;
	robot->StatusBits |= STATUS_BIT_HIDDEN;
	robot->CType = 0;			// out of the tentacle's reach: it grows its whole length
	ASSERT_TRUE(StartTentacle(generator));
	Tentacle& t = gTentacles[generator->Special[0]];
	for (float s = 0; s < 9.4f; s += STEP)
		MoveTentacles(nullptr);
	EXPECT_EQ(t.mode, TENTACLE_GROWING);
	for (float s = 0; s < 0.5f; s += STEP)
		MoveTentacles(nullptr);
	EXPECT_EQ(t.mode, TENTACLE_RETRACTING);
	EXPECT_EQ(t.numPoints, MAX_TENTACLE_POINTS);
	// A second's pause (it began at about 9.5 s), then about 200 points a second.
	for (float s = 0; s < 0.4f; s += STEP)
		MoveTentacles(nullptr);
	EXPECT_EQ(t.numPoints, MAX_TENTACLE_POINTS);
	for (float s = 0; s < 0.6f; s += STEP)
		MoveTentacles(nullptr);
	EXPECT_LT(t.numPoints, MAX_TENTACLE_POINTS);
	EXPECT_GT(t.numPoints, MAX_TENTACLE_POINTS - int(0.6f * TENTACLE_RETRACT_RATE));
	for (float s = 0; s < 2.5f && t.isUsed; s += STEP)
		MoveTentacles(nullptr);
	EXPECT_FALSE(t.isUsed);
	EXPECT_EQ(generator->Flag[0], 0);
	gPlayerLevel.invincibleTimer = 0;
}

TEST_F(BossTest, AGeneratorDiesOnTheThirdArcShotAndItsTentacleWithers)
{
	LoadLevelModels(":Models:level6_jungle.bg3d", LEVEL_MODEL_JUNGLE_BOSS_LIGHT);
	InitJungleBoss();
	TerrainItemEntryType* item = NewItem(71, 0, -3000);
	ASSERT_TRUE(AddTentacleGenerator(item, float(item->x), float(item->z)));
	ObjNode* generator = FindObjectWithMoveCall(MoveTentacleGenerator);
	ASSERT_NE(generator, nullptr);
	ASSERT_TRUE(StartTentacle(generator));
	Tentacle& t = gTentacles[generator->Special[0]];
	Shoot(generator, WEAPON_ARCSHOT);
	Shoot(generator, WEAPON_ARCSHOT);
	EXPECT_EQ(generator->Mode, 0);
	Shoot(generator, WEAPON_ARCSHOT);
	EXPECT_EQ(generator->Mode, 1);
	EXPECT_EQ(t.mode, TENTACLE_RETRACTING);
	EXPECT_TRUE(item->flags & 0x2);
	EXPECT_FALSE(generator->CType & CTYPE_AUTOTARGET);
}

TEST(TentacleMesh, RingsEveryFivePointsWithSevenQuadsBetweenAndAPointedTip)
{
	static Tentacle t = {};
	t.numPoints = 52;
	for (int i = 0; i < t.numPoints; i++)
		t.points[i] = {0, 60, -10.0f * float(i)};
	TentacleMesh mesh;
	BuildTentacleMesh(t, &mesh);
	const int rings = t.numPoints / TENTACLE_POINTS_PER_RING;
	ASSERT_EQ(mesh.points.size(), size_t(rings * 8));
	EXPECT_EQ(mesh.triangles.size(), size_t(14 * (rings - 1) * 3));
	// The tip's ring is a point; the base's has the full radius round point 0.
	for (int k = 0; k < 8; k++)
	{
		const OGLPoint3D& tip = mesh.points[size_t(k)];
		EXPECT_NEAR(tip.x, t.points[t.numPoints - 1].x, 0.1f);
		EXPECT_NEAR(tip.y, t.points[t.numPoints - 1].y, 0.1f);
		const OGLPoint3D& base = mesh.points[size_t((rings - 1) * 8 + k)];
		float r = std::hypot(base.x - t.points[0].x, base.y - t.points[0].y);
		EXPECT_NEAR(r, TENTACLE_RADIUS, 0.5f) << "the base ring lies across the tentacle's run along z";
		EXPECT_NEAR(base.z, t.points[0].z, 0.5f);
	}
	t.numPoints = 9;		// one ring: nothing to draw
	BuildTentacleMesh(t, &mesh);
	EXPECT_TRUE(mesh.triangles.empty());
}
