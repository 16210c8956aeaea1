// The farm's hazards on the baked farm beside the robot: the raider saucer
// taking a human (or leaving one the robot saved), the tractor's chase,
// charge, wreck and return, and each vegetable's attack and death.
#include "CreatureTestSupport.h"
#include "Player/Player.h"
#include "System/Level.h"
#include "Enemies/FarmCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/RaiderSaucer.h"
#include "Enemies/Tractor.h"
#include "Items/Humans.h"
#include "Autopilot/AutopilotFarm.h"
#include "Player/PlayerHeld.h"
#include "Player/WeaponTypes.h"

#include <deque>

using namespace PlayerTestSupport;
using namespace CreatureTestSupport;

namespace
{
	class FarmTest : public CreatureWorld
	{
	protected:
		std::deque<TerrainItemEntryType> items;

		void LoadCreatures() override
		{
			ASSERT_GT(LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL), GLOBAL_MODEL_BEAM_INNER);
			ASSERT_GT(LoadBG3D(":Models:level1_farm.bg3d", MODEL_GROUP_LEVELSPECIFIC), FARM_MODEL_TOMATO_CHUNK);
		}

		void SetUp() override
		{
			CreatureWorld::SetUp();
			if (HasFatalFailure())
				return;
			// The farm's humans stay away too: each test makes its own.
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->CType != INVALID_NODE_FLAG && (n->CType & CTYPE_HUMAN))
					DeleteObject(n);
			FlushObjectDeleteQueue();
			ClearRaiderSaucerPointers();
		}

		void TearDown() override
		{
			CreatureWorld::TearDown();
			ClearRaiderSaucerPointers();
		}

		// `node` turned to face the robot.
		void FaceRobot(ObjNode* node)
		{
			node->Rot.y = CalcYAngleFromPointToPoint(0, node->Coord.x, node->Coord.z, robot->Coord.x, robot->Coord.z);
			UpdateObjectTransforms(node);
		}

		ObjNode* HumanAt(OGLPoint3D at)
		{
			TerrainItemEntryType item = {};
			item.type = 4;
			item.flags = ITEM_FLAG_INUSE;
			items.push_back(item);
			EXPECT_TRUE(AddHuman(&items.back(), at.x, at.z));
			for (ObjNode* n = gLastCreatedNode; n; n = n->PrevNode)
				if (n->StatusBits & STATUS_BIT_HUMAN)
					return n;
			return nullptr;
		}

		// Asks as the game does, every frame, until a raider is sent (one call in sixteen succeeds).
		static bool CallUntilSent(ObjNode* node, int tries = 400)
		{
			for (int i = 0; i < tries; i++)
				if (CallRaiderSaucer(node))
					return true;
			return false;
		}
	};
}

//
// The raider saucer
//

TEST_F(FarmTest, ARaiderCarriesAHumanOffAndItIsLostNotRescued)
{
	ObjNode* human = HumanAt(NearRobot(900, 300));
	ASSERT_NE(human, nullptr);
	ObjNodeRef humanRef(human);
	int rescuedBefore = gLevel.humansRescuedTotal;
	ASSERT_TRUE(CallUntilSent(human));
	ObjNode* other = HumanAt(NearRobot(700, -300));
	EXPECT_FALSE(CallUntilSent(other)) << "one raider at a time";

	bool beamed = false, carried = false;
	Run(40, [&] {
		ObjNode* saucer = GetRaiderSaucer();
		if (saucer && saucer->Mode == RAIDER_MODE_CARRY)
			carried = true;
		if (humanRef.IsAlive() && humanRef.Get()->Mode == HUMAN_MODE_BEAMED)
			beamed = true;
	});
	EXPECT_TRUE(beamed);
	EXPECT_TRUE(carried);
	EXPECT_FALSE(humanRef.IsAlive()) << "faded away in the beam";
	EXPECT_EQ(gLevel.humansRescuedTotal, rescuedBefore);
	EXPECT_EQ(GetRaiderSaucer(), nullptr) << "flew off and was gone past 9000 from the camera";
}

TEST_F(FarmTest, AHumanRescuedFirstSendsTheRaiderAwayEmptyHanded)
{
	ObjNode* human = HumanAt(NearRobot(900));
	ASSERT_TRUE(CallUntilSent(human));
	Run(0.5f);
	ASSERT_EQ(GetRaiderSaucer()->Mode, RAIDER_MODE_APPROACH);
	RescueHuman(human, robot, 0);
	Run(FRAME * 2);
	ASSERT_NE(GetRaiderSaucer(), nullptr);
	EXPECT_EQ(GetRaiderSaucer()->Mode, RAIDER_MODE_LEAVE);
	EXPECT_EQ(GetRaiderTarget(), nullptr);
}

TEST_F(FarmTest, NoRaiderComesOnItsBannedLevelsForFarHumansOrOutOfSight)
{
	ObjNode* far = HumanAt(NearRobot(4500));
	EXPECT_FALSE(CallUntilSent(far)) << "beyond 4000";
	ObjNode* near = HumanAt(NearRobot(800));
	gCurrentLevel = LEVEL_NUM_SAUCER;
	EXPECT_FALSE(CallUntilSent(near)) << "the saucer level";
	gCurrentLevel = LEVEL_NUM_FARM;

	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.slot = 100;
	OGLPoint3D mid = NearRobot(400);
	def.coord = {mid.x, robot->Coord.y, mid.z};
	def.scale = 1;
	ObjNode* wall = MakeNewObject(&def);
	wall->CType = CTYPE_BLOCKSIGHT;
	wall->CBits = SIDE_ALL;
	SetObjectCollisionBounds(wall, 3000, -3000, -400, 400, 60, -60);
	CalcObjectBoxFromNode(wall);
	EXPECT_FALSE(CallUntilSent(near)) << "a wall between it and the robot";
	DeleteObject(wall);
	FlushObjectDeleteQueue();
	EXPECT_TRUE(CallUntilSent(near));
}

//
// The tractor
//

TEST_F(FarmTest, TheTractorChasesChargesRunsTheRobotOverAndIsHarmlessOnceWrecked)
{
	OGLPoint3D at = NearRobot(2500);
	ObjNode* tractor = MakeTractor(at.x, at.z);
	FaceRobot(tractor);
	float before = gRun.health;
	bool chased = false, charged = false;
	Run(6, [&] {
		chased |= tractor->Mode == TRACTOR_MODE_CHASE;
		charged |= tractor->Mode == TRACTOR_MODE_CHARGE;
	});
	EXPECT_TRUE(chased);
	EXPECT_TRUE(charged);
	EXPECT_NEAR(gRun.health, before - TRACTOR_DAMAGE, 1e-4f) << "one hit, then the robot is invincible for a while";

	WreckTractor(tractor);
	gPlayerLevel.invincibleTimer = 0;
	before = gRun.health;
	tractor->Speed2D = TRACTOR_CHARGE_SPEED;
	tractor->Coord = {robot->Coord.x, robot->Coord.y, robot->Coord.z};
	Run(1);
	EXPECT_EQ(gRun.health, before);
	EXPECT_EQ(tractor->Mode, TRACTOR_MODE_WRECKED);
}

TEST_F(FarmTest, AfterTheRobotDiesTheTractorStandsAtItsItemAgain)
{
	TerrainItemEntryType item = {};
	OGLPoint3D home = NearRobot(3000);
	item.x = uint32_t(home.x);
	item.z = uint32_t(home.z);
	item.type = 15;
	item.flags = ITEM_FLAG_INUSE;
	ASSERT_TRUE(AddTractor(&item, home.x, home.z));
	ObjNode* tractor = nullptr;
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		if (IsTractor(n))
			tractor = n;
	ASSERT_NE(tractor, nullptr);
	tractor->Coord.x += 1500;
	tractor->Mode = TRACTOR_MODE_CHASE;
	gPlayerLevel.isDead = true;
	Run(FRAME * 2);
	EXPECT_EQ(tractor->Mode, TRACTOR_MODE_WAIT_FOR_ROBOT);
	gPlayerLevel.isDead = false;
	Run(FRAME * 2);
	EXPECT_NEAR(tractor->Coord.x, float(item.x), 1);
	EXPECT_NEAR(tractor->Coord.z, float(item.z), 1);
	tractor->TerrainItemPtr = nullptr;
}

//
// The vegetables
//

TEST_F(FarmTest, AnOnionGrabsCrushesAndSparesTheRobotAndKillingItLetsGo)
{
	OGLPoint3D at = NearRobot(400);
	ObjNode* onion = MakeCreature(kOnionKind, at.x, at.z);
	FaceRobot(onion);
	float before = gRun.health;
	bool held = false;
	Run(6, [&] { held |= IsPlayerHeld(); });
	EXPECT_TRUE(held);
	EXPECT_NEAR(gRun.health, before - ONION_CRUSH_DAMAGE, 1e-4f);
	EXPECT_GT(gPlayerLevel.invincibleTimer, 3) << "spared for 10 s after a crush";
	EXPECT_FALSE(IsPlayerHeld());

	// A fresh grab, then the onion dies with the robot in its hand.
	gPlayerLevel.invincibleTimer = 0;
	onion->SpecialF[2] = 0;
	ObjNodeRef ref(onion);
	Run(4, [&] {
		if (ref.IsAlive() && OnionHoldsPlayer(ref.Get()))
		{
			EXPECT_TRUE(HitByWeapon(WEAPON_NOVA, nullptr, ref.Get(), nullptr, nullptr, 0));
		}
	});
	EXPECT_FALSE(ref.IsAlive());
	EXPECT_FALSE(IsPlayerHeld()) << "let go when it died";
}

TEST_F(FarmTest, AnOnionLeavesARobotAnotherCaptorHoldsAndItsGripCarriesHimUpright)
{
	// Caught by something else first: the onion in reach does not take him.
	CatchPlayer(PLAYER_ANIM_FLYTRAPPED);
	ASSERT_TRUE(IsPlayerHeld());
	OGLPoint3D at = NearRobot(400);
	ObjNode* onion = MakeCreature(kOnionKind, at.x, at.z);
	FaceRobot(onion);
	Run(2);
	EXPECT_TRUE(IsPlayerHeldIn(PLAYER_ANIM_FLYTRAPPED));
	EXPECT_FALSE(OnionHoldsPlayer(onion));

	// Carried upright: his transform is his own scale turned to the heading, at the grip.
	OGLPoint3D grip = NearRobot(300);
	grip.y += 200;
	PlacePlayerUpright(grip, 1.0f);
	const float* m = gPlayerNode->BaseTransformMatrix.value;
	EXPECT_FLOAT_EQ(m[12], grip.x);
	EXPECT_FLOAT_EQ(m[13], grip.y);
	EXPECT_NEAR(m[5], gPlayerNode->Scale.y, 1e-4f) << "not tilted";
	EXPECT_NEAR(std::hypot(m[0], m[2]), gPlayerNode->Scale.x, 1e-4f);
	PlayerLetGoToGetUp();
	EXPECT_FALSE(IsPlayerHeld());
	EXPECT_FLOAT_EQ(gPlayerNode->Rot.y, 1.0f) << "he gets up facing the way he was held";
}

TEST_F(FarmTest, TheAutopilotSeesAChargingTractorsLaneAndAKernelButNotAnIdleTractor)
{
	OGLPoint3D at = NearRobot(2500);
	ObjNode* tractor = MakeTractor(at.x, at.z);
	std::vector<AutopilotDanger> dangers;
	GatherFarmAutopilotDangers(gPlayerNode, &dangers);
	EXPECT_TRUE(dangers.empty()) << "an idle tractor is no danger";

	// Charging at the robot: a point beside its line, ahead of it, is pushed
	// out sideways, away from the line rather than on along it.
	tractor->Mode = TRACTOR_MODE_CHARGE;
	tractor->Rot.y = gPlayerNode->Rot.y + PI;		// facing the robot
	GatherFarmAutopilotDangers(gPlayerNode, &dangers);
	float ax = -std::sin(tractor->Rot.y), az = -std::cos(tractor->Rot.y);
	float sideX = -az, sideZ = ax;
	float px = at.x + ax * 900 + sideX * 150, pz = at.z + az * 900 + sideZ * 150;
	OGLVector2D push = AutopilotDangerPush(dangers, px, pz);
	float along = push.x * ax + push.y * az, aside = push.x * sideX + push.y * sideZ;
	EXPECT_GT(aside, 0.5f);
	EXPECT_GT(aside, 2 * std::fabs(along));
	OGLVector2D behind = AutopilotDangerPush(dangers, at.x - ax * 1500, at.z - az * 1500);
	EXPECT_EQ(behind.x, 0);
	EXPECT_EQ(behind.y, 0);

	// A kernel on the ground by the robot.
	tractor->Mode = TRACTOR_MODE_IDLE;
	ObjNode* kernel = ShootCornKernel(MakeCreature(kCornKind, at.x, at.z));
	ASSERT_NE(kernel, nullptr);
	kernel->Coord = NearRobot(100);
	kernel->Delta = {0, 0, 0};
	dangers.clear();
	GatherFarmAutopilotDangers(gPlayerNode, &dangers);
	OGLVector2D out = AutopilotDangerPush(dangers, gPlayerNode->Coord.x, gPlayerNode->Coord.z);
	EXPECT_GT(std::hypot(out.x, out.y), 0.5f);
}

TEST_F(FarmTest, ACornFiresThreeKernelsABurstAndAKernelHurtsOnlyNearTheRobot)
{
	OGLPoint3D at = NearRobot(1200);
	ObjNode* corn = MakeCreature(kCornKind, at.x, at.z);
	FaceRobot(corn);
	MorphToSkeletonAnim(corn->Skeleton, CORN_ANIM_WALK, 100);
	gPlayerLevel.invincibleTimer = 100;				// watch the bursts without the robot being knocked about
	int most = 0;
	Run(1.5f, [&] { most = std::max(most, CountNodesMovedBy(MoveCornKernel)); });
	EXPECT_EQ(most, CORN_BURST_KERNELS);
	DeleteEnemy(corn);

	// A kernel popping far away leaves the robot be; one beside him hits him.
	gPlayerLevel.invincibleTimer = 0;
	ObjNode* shooter = MakeCreature(kCornKind, at.x, at.z);
	float before = gRun.health;
	ObjNode* far = ShootCornKernel(shooter);
	far->Coord = NearRobot(1000, 500);
	PopCornKernel(far, false);
	EXPECT_EQ(gRun.health, before);
	ObjNode* near = ShootCornKernel(shooter);
	near->Coord = {robot->Coord.x + 50, robot->Coord.y, robot->Coord.z};
	PopCornKernel(near, false);
	EXPECT_NEAR(gRun.health, before - KERNEL_DAMAGE, 1e-4f);
	EXPECT_EQ(near->MoveCall, MovePopcorn);
}

TEST_F(FarmTest, ATomatoLeapsOntoTheRobotAndSendsARingWaveThroughTheGround)
{
	OGLPoint3D at = NearRobot(1000);
	ObjNode* tomato = MakeCreature(kTomatoKind, at.x, at.z);
	FaceRobot(tomato);
	bool leapt = false;
	Run(3, [&] { leapt |= tomato->Skeleton->AnimNum == TOMATO_ANIM_LEAP; });
	EXPECT_TRUE(leapt);
	EXPECT_LT(CalcDistance(tomato->Coord.x, tomato->Coord.z, robot->Coord.x, robot->Coord.z), 350)
			<< "it covers the gap in its leap";
	int waves = 0;
	for (const SuperTileDeformation& d : gDeformationList)
		waves += d.active && d.type == DEFORM_RING_WAVE;
	EXPECT_GE(waves, 1);
}

TEST_F(FarmTest, TwoStunShotsKillAnyVegetableAFistCostsACornOnlyAFifth)
{
	for (const CreatureKind* kind : {&kOnionKind, &kCornKind, &kTomatoKind})
	{
		OGLPoint3D at = NearRobot(1500);
		ObjNode* veg = MakeCreature(*kind, at.x, at.z);
		ObjNodeRef ref(veg);
		OGLVector3D shot = {0, 0, -100};
		EXPECT_TRUE(HitByWeapon(WEAPON_STUNGUN, nullptr, veg, &veg->Coord, &shot, 0));
		EXPECT_TRUE(ref.IsAlive());
		EXPECT_EQ(veg->Skeleton->AnimNum, 2) << "reeling";
		HitByWeapon(WEAPON_STUNGUN, nullptr, veg, &veg->Coord, &shot, 0);
		EXPECT_FALSE(ref.IsAlive()) << "kind " << int(veg->Kind);
	}
	OGLPoint3D at = NearRobot(1500);
	ObjNode* corn = MakeCreature(kCornKind, at.x, at.z);
	HitByWeapon(WEAPON_FIST, gPlayerHandNodes[0], corn, &corn->Coord, nullptr, 0);
	EXPECT_NEAR(corn->Health, FARM_CREATURE_HEALTH - 0.2f, 1e-5f);
}

TEST_F(FarmTest, ASproutGrownVegetableStartsTinyCountedAndHopsUpFullSize)
{
	OGLPoint3D at = NearRobot(2500);
	ObjNode* tomato = GrowTomatoFromSprout(at.x, at.z);
	ASSERT_NE(tomato, nullptr);
	EXPECT_FLOAT_EQ(tomato->Scale.x, SPROUT_START_SCALE);
	EXPECT_EQ(gNumEnemyOfKind[ENEMY_KIND_TOMATO], 1);
	Run(3);
	EXPECT_FLOAT_EQ(tomato->Scale.x, TOMATO_SCALE);
	EXPECT_NE(tomato->Skeleton->AnimNum, TOMATO_ANIM_GROW);
	gNumEnemies = gMaxEnemies;
	EXPECT_EQ(GrowOnionFromSprout(at.x, at.z), nullptr) << "nothing grows at the cap";
	gNumEnemies = 1;
}
