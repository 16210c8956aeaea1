// The flamester, the ice cube and the squooshy on the farm's terrain beside
// the robot, with the fire-and-ice level's models: how their element decides
// what hurts them, their attacks and shots, and how they die.
#include "CreatureTestSupport.h"
#include "Player/Player.h"
#include "Enemies/FireIceCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Items/Powerups.h"
#include "Autopilot/AutopilotFireIce.h"
#include "Player/WeaponTypes.h"
#include "System/LevelTable.h"
#include "Terrain/TerrainFile.h"

#include <cmath>

using namespace PlayerTestSupport;
using namespace CreatureTestSupport;

namespace
{
	class FireIceWorld : public CreatureWorld
	{
	protected:
		void LoadCreatures() override
		{
			for (SkeletonType type : {SKELETON_TYPE_FLAMESTER, SKELETON_TYPE_ICECUBE, SKELETON_TYPE_SQUOOSHY})
				LoadASkeleton(type);
			ASSERT_GT(LoadBG3D(kLevelDefs[LEVEL_NUM_FIREICE].modelFile, MODEL_GROUP_LEVELSPECIFIC), LEVEL_MODEL_SQUOOSHY_GLOB);
		}
		static int CountModels(int model)
		{
			int n = 0;
			for (ObjNode* o = gObjectListHead; o; o = o->NextNode)
				if (o->CType != INVALID_NODE_FLAG && o->Group == MODEL_GROUP_LEVELSPECIFIC && o->Type == model)
					n++;
			return n;
		}
	};
}

//
// Flamester
//

TEST_F(FireIceWorld, FireFeedsAFlamesterUpToItsLargestSizeAndRestoresItsHealth)
{
	ObjNodeRef flame(MakeCreature(kFlamesterKind, NearRobot(2500).x, NearRobot(2500).z));
	ObjNode* f = flame.Get();
	EXPECT_FALSE(HitWith(WEAPON_STUNGUN, f, 1)) << "a stun shot passes through a flame";
	EXPECT_FALSE(HitWith(WEAPON_FIST, f, 1));
	EXPECT_TRUE(HurtObject(f, 0.6f));
	ASSERT_TRUE(flame.IsAlive());
	int topBefore = f->TopOff;
	for (int i = 0; i < 10; i++)
	{
		EXPECT_TRUE(HitWith(i % 2 ? WEAPON_ARCSHOT : WEAPON_FLARE, f, 1));
		ASSERT_TRUE(flame.IsAlive()) << "fire never harms it";
	}
	EXPECT_FLOAT_EQ(f->Scale.x, FLAMESTER_MAX_SCALE);
	EXPECT_FLOAT_EQ(f->Health, FLAMESTER_HEALTH);
	EXPECT_GT(f->TopOff, topBefore) << "its box grew with it";
}

TEST_F(FireIceWorld, SixFreezeShotsPutOutAFullSizedFlamesterAndItSpillsAtoms)
{
	auto atoms = [] {
		int n = 0;
		for (ObjNode* o = gObjectListHead; o; o = o->NextNode)
			if (o->CType != INVALID_NODE_FLAG && o->MoveCall == MoveAtom)
				n++;
		return n;
	};
	int atomsBefore = atoms();
	ObjNodeRef flame(MakeCreature(kFlamesterKind, NearRobot(2500).x, NearRobot(2500).z));
	for (int shot = 1; shot <= 5; shot++)
	{
		HitWith(WEAPON_FREEZEGUN, flame.Get(), 1);
		ASSERT_TRUE(flame.IsAlive()) << "shot " << shot;
		EXPECT_NEAR(flame.Get()->Scale.x, FLAMESTER_SCALE - 0.25f * float(shot), 1e-4f);
	}
	HitWith(WEAPON_FREEZEGUN, flame.Get(), 1);
	EXPECT_FALSE(flame.IsAlive()) << "2.1 falls to 0.6 on the sixth";
	EXPECT_EQ(atoms() - atomsBefore, 3) << "two health, one fuel";
	EXPECT_EQ(gNumEnemyOfKind[ENEMY_KIND_FLAMESTER], 0);
}

TEST_F(FireIceWorld, AFlamesterSpinsUpNearTheRobotThrowsFireBlobsAndStopsAfterSevenSeconds)
{
	OGLPoint3D at = NearRobot(400);
	ObjNode* f = MakeCreature(kFlamesterKind, at.x, at.z);
	gPlayerLevel.invincibleTimer = 100;		// the blobs must not knock the robot about
	Run(0.5f);
	EXPECT_NE(f->Skeleton->AnimNum, FLAMESTER_ANIM_SPIN) << "no attack on an invincible robot";
	gPlayerLevel.invincibleTimer = 0;
	ASSERT_TRUE(RunUntil(1, [&] { return f->Skeleton->AnimNum == FLAMESTER_ANIM_SPIN; }));
	gPlayerLevel.invincibleTimer = 100;
	float fastest = 0;
	int blobsSeen = 0;
	float spun = 0;
	while (f->Skeleton->AnimNum == FLAMESTER_ANIM_SPIN && spun < 10)
	{
		Frame();
		spun += FRAME;
		fastest = std::max(fastest, f->DeltaRot.y);
		blobsSeen = std::max(blobsSeen, CountModels(LEVEL_MODEL_FIRE_BLOB));
	}
	EXPECT_NEAR(spun, FLAMESTER_ATTACK_TIME, 0.1f);
	EXPECT_NEAR(fastest, 14, 0.3f) << "speeding up at 4 per second² for 3.5 s";
	EXPECT_NEAR(f->DeltaRot.y, 0, 0.2f) << "and slowing down again";
	EXPECT_GE(blobsSeen, 2) << "blobs live two seconds, one every 0.3 … 0.8 s";
	EXPECT_EQ(f->Delta.x, 0);
}

//
// Ice cube
//

TEST_F(FireIceWorld, FireMeltsAnIceCubeStepByStepAndOneAtItsLeastSizeWaitsToRegrowBeforeItDies)
{
	ObjNodeRef cube(MakeCreature(kIceCubeKind, NearRobot(3500).x, NearRobot(3500).z));
	for (int hit = 1; hit <= 7; hit++)
	{
		HitWith(WEAPON_FLARE, cube.Get(), 1);
		ASSERT_TRUE(cube.IsAlive()) << "hit " << hit;
	}
	EXPECT_NEAR(cube.Get()->Scale.x, ICECUBE_MIN_SCALE, 1e-4f);
	HitWith(WEAPON_ARCSHOT, cube.Get(), 1);
	ASSERT_TRUE(cube.IsAlive()) << "at exactly 0.75 a hit does not shrink it further";
	EXPECT_NEAR(cube.Get()->Scale.x, ICECUBE_MIN_SCALE, 1e-4f);
	Run(0.5f);
	ASSERT_TRUE(cube.IsAlive());
	EXPECT_NEAR(cube.Get()->Scale.x, ICECUBE_MIN_SCALE + 0.05f, 0.01f) << "regrowing at 0.1 per second";
	HitWith(WEAPON_FLARE, cube.Get(), 1);
	EXPECT_FALSE(cube.IsAlive()) << "a hit that takes it below 0.75 kills it";
}

TEST_F(FireIceWorld, TheFreezeGunGrowsAnIceCubeToItsCapAndTimeBringsItBackToRestSize)
{
	ObjNodeRef cube(MakeCreature(kIceCubeKind, NearRobot(3500).x, NearRobot(3500).z));
	HurtObject(cube.Get(), 0.5f);
	for (int i = 0; i < 8; i++)
		HitWith(WEAPON_FREEZEGUN, cube.Get(), 1);
	EXPECT_FLOAT_EQ(cube.Get()->Scale.x, ICECUBE_MAX_SCALE);
	EXPECT_FLOAT_EQ(cube.Get()->Health, ICECUBE_HEALTH);
	EXPECT_NEAR(float(cube.Get()->TopOff), 70 * ICECUBE_MAX_SCALE, 1);
	EXPECT_NEAR(float(cube.Get()->RightOff), 35 * ICECUBE_MAX_SCALE, 1);
}

TEST_F(FireIceWorld, ASmallIceCubeWalksSlowerThanABigOne)
{
	auto walkSpeed = [&](int meltHits) {
		OGLPoint3D at = NearRobot(2300);
		ObjNodeRef cube(MakeCreature(kIceCubeKind, at.x, at.z));
		cube.Get()->SpecialF[ICECUBE_TIMER_THROW] = 100;		// walking only
		for (int i = 0; i < meltHits; i++)
			HitWith(WEAPON_FLARE, cube.Get(), 1);
		float fastest = 0;
		Run(1.0f, [&] {
			if (cube.IsAlive() && cube.Get()->Skeleton->AnimNum == ICECUBE_ANIM_WALK)
				fastest = std::max(fastest, std::hypot(cube.Get()->Delta.x, cube.Get()->Delta.z));
		});
		float scale = cube.IsAlive() ? cube.Get()->Scale.x : 0;
		if (cube.IsAlive())
			DeleteEnemy(cube.Get());
		FlushObjectDeleteQueue();
		return std::pair<float, float>{fastest, scale};
	};
	auto [big, bigScale] = walkSpeed(0);
	auto [small, smallScale] = walkSpeed(6);
	ASSERT_GT(big, 0) << "it walks at a robot 2300 away";
	EXPECT_NEAR(big, 2.5f * 0.4f * 280, 5);
	EXPECT_NEAR(small / big, smallScale / bigScale, 0.05f);
}

TEST_F(FireIceWorld, AnIceCubeThrowsABlockThatHurtsAndAHitMakesItDropTheOneInItsHand)
{
	OGLPoint3D at = NearRobot(1200);
	ObjNodeRef cube(MakeCreature(kIceCubeKind, at.x, at.z));
	cube.Get()->SpecialF[ICECUBE_TIMER_THROW] = 0;
	ASSERT_TRUE(RunUntil(1, [&] { return IceCubeHeldBlock(cube.Get()) != nullptr; })) << "the robot is 1200 ahead of it";
	EXPECT_EQ(cube.Get()->Skeleton->AnimNum, ICECUBE_ANIM_THROW);
	ObjNodeRef held(IceCubeHeldBlock(cube.Get()));
	EXPECT_TRUE(RunUntil(2, [&] { return IceCubeHeldBlock(cube.Get()) == nullptr; })) << "let go on the release event";
	ASSERT_TRUE(held.IsAlive());
	EXPECT_EQ(held.Get()->CType, CTYPE_HURTME);
	float towardRobot = (robot->Coord.x - cube.Get()->Coord.x) * held.Get()->Delta.x
			+ (robot->Coord.z - cube.Get()->Coord.z) * held.Get()->Delta.z;
	EXPECT_GT(towardRobot, 0) << "thrown the way it faces, at the robot";

	// The next one: a stun shot makes it drop it and costs it a quarter of the shot.
	Run(2);
	ASSERT_TRUE(cube.IsAlive());
	cube.Get()->SpecialF[ICECUBE_TIMER_THROW] = 0;
	ASSERT_TRUE(RunUntil(2, [&] { return IceCubeHeldBlock(cube.Get()) != nullptr; }));
	ObjNodeRef second(IceCubeHeldBlock(cube.Get()));
	HitWith(WEAPON_STUNGUN, cube.Get(), 0.4f, {0, 0, -1000});
	FlushObjectDeleteQueue();
	EXPECT_FALSE(second.IsAlive());
	EXPECT_EQ(IceCubeHeldBlock(cube.Get()), nullptr);
	EXPECT_NEAR(cube.Get()->Health, ICECUBE_HEALTH - 0.1f, 1e-4f);
	EXPECT_EQ(cube.Get()->Skeleton->AnimNum, ICECUBE_ANIM_HURT);
}

//
// Squooshy
//

TEST_F(FireIceWorld, AFrozenSquooshyShattersAtOnePunchAndAWarmOneTakesAFifth)
{
	ObjNodeRef warm(MakeCreature(kSquooshyKind, NearRobot(3500).x, NearRobot(3500).z));
	EXPECT_TRUE(HitWith(WEAPON_FIST, warm.Get(), 1));
	ASSERT_TRUE(warm.IsAlive());
	EXPECT_NEAR(warm.Get()->Health, SQUOOSHY_HEALTH - SQUOOSHY_FIST_DAMAGE, 1e-5f) << "whatever the fist carries";
	EXPECT_EQ(warm.Get()->Skeleton->AnimNum, SQUOOSHY_ANIM_HURT);

	ObjNodeRef cold(MakeCreature(kSquooshyKind, NearRobot(3700).x, NearRobot(3700).z));
	EXPECT_TRUE(HitWith(WEAPON_FREEZEGUN, cold.Get(), 1));
	EXPECT_TRUE(IsEnemyFrozen(cold.Get()));
	Run(1);
	EXPECT_TRUE(IsEnemyFrozen(cold.Get())) << "frozen four seconds";
	EXPECT_TRUE(HitWith(WEAPON_FIST, cold.Get(), 0.01f));
	EXPECT_FALSE(cold.IsAlive()) << "shattered";
	EXPECT_TRUE(warm.IsAlive());
}

TEST_F(FireIceWorld, ASquooshyKilledWarmLiesAsACorpseThatOnlyDirectHurtStillReaches)
{
	ObjNodeRef s(MakeCreature(kSquooshyKind, NearRobot(3500).x, NearRobot(3500).z));
	EXPECT_TRUE(HitWith(WEAPON_NOVA, s.Get(), 0));
	ASSERT_TRUE(s.IsAlive()) << "it dies where it stands";
	EXPECT_EQ(s.Get()->Skeleton->AnimNum, SQUOOSHY_ANIM_DEAD);
	EXPECT_EQ(s.Get()->CType, CTYPE_MISC);
	EXPECT_FALSE(HitWith(WEAPON_STUNGUN, s.Get(), 1)) << "shots pass through a corpse";
	EXPECT_FALSE(HitWith(WEAPON_FREEZEGUN, s.Get(), 1));
	EXPECT_FALSE(IsEnemyFrozen(s.Get()));
	Run(1);
	EXPECT_TRUE(s.IsAlive()) << "in view and near: it stays";
}

TEST_F(FireIceWorld, ASquooshyHopsAtARobotFarOffAndSpitsGlobsAtOneNearBy)
{
	OGLPoint3D at = NearRobot(2000);
	ObjNodeRef s(MakeCreature(kSquooshyKind, at.x, at.z));
	gPlayerLevel.invincibleTimer = 0;
	bool airborne = false;
	float highest = 0;
	float start = s.Get()->Coord.y;
	bool landed = RunUntil(4, [&] {
		airborne |= s.Get()->Flag[SQUOOSHY_FLAG_AIRBORNE] != 0;
		highest = std::max(highest, s.Get()->Coord.y - start);
		return airborne && s.Get()->Skeleton->AnimNum == SQUOOSHY_ANIM_LAND;
	});
	ASSERT_TRUE(landed);
	EXPECT_GT(highest, 300) << "leaping 2000 up under 3500 gravity";
	float before = CalcQuickDistance(at.x, at.z, robot->Coord.x, robot->Coord.z);
	float after = CalcQuickDistance(s.Get()->Coord.x, s.Get()->Coord.z, robot->Coord.x, robot->Coord.z);
	EXPECT_LT(after, before - 200) << "toward the robot";

	ObjNodeRef near(MakeCreature(kSquooshyKind, NearRobot(600).x, NearRobot(600).z));
	int globs = 0;
	RunUntil(5, [&] {
		globs = std::max(globs, CountModels(LEVEL_MODEL_SQUOOSHY_GLOB));
		return globs >= 2;
	});
	EXPECT_GE(globs, 2) << "gulping one after another";
}

//
// The autopilot
//

TEST_F(FireIceWorld, TheAutopilotIsPushedAwayFromASpinningFlamesterFartherThanFromAnIdleOne)
{
	OGLPoint3D at = NearRobot(1200);
	ObjNode* f = MakeCreature(kFlamesterKind, at.x, at.z);
	CountEnemy(f);
	std::vector<AutopilotDanger> dangers;
	GatherFireIceDangers(robot, &dangers);
	OGLVector2D idle = AutopilotDangerPush(dangers, robot->Coord.x, robot->Coord.z);
	f->Skeleton->AnimNum = FLAMESTER_ANIM_SPIN;
	dangers.clear();
	GatherFireIceDangers(robot, &dangers);
	OGLVector2D spinning = AutopilotDangerPush(dangers, robot->Coord.x, robot->Coord.z);
	EXPECT_LT(std::hypot(idle.x, idle.y), 1e-3f) << "1200 away from one that is not attacking: clear";
	float away = spinning.x * (robot->Coord.x - at.x) + spinning.y * (robot->Coord.z - at.z);
	EXPECT_GT(away, 0) << "its blobs land 1100 round it: pushed out";
	EXPECT_FALSE(IsFireIceCreatureWorthPunching(f)) << "a fist passes through a flame";
}
