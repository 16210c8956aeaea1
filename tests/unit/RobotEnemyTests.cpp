// The fire-and-ice machines on the farm's terrain beside the robot, with the
// fire-and-ice level's models: how each is posed and attacks, how hard each
// is to destroy, the hammer bot's smashes breaking the ice over the exit
// lift, and the autopilot's wait for them.
#include "CreatureTestSupport.h"
#include "Player/Player.h"
#include "Enemies/RobotEnemies.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "SplineTestLoop.h"
#include "Terrain/Splines.h"
#include "Items/Contraptions.h"
#include "Items/Powerups.h"
#include "Autopilot/Autopilot.h"
#include "Player/PlayerHeld.h"
#include "Player/WeaponTypes.h"
#include "System/LevelTable.h"

#include <cmath>

using namespace PlayerTestSupport;
using namespace CreatureTestSupport;

namespace
{
	class RobotWorld : public CreatureWorld
	{
	protected:
		void LoadCreatures() override
		{
			ASSERT_GT(LoadBG3D(kLevelDefs[LEVEL_NUM_FIREICE].modelFile, MODEL_GROUP_LEVELSPECIFIC), LEVEL_MODEL_SWINGERBOT_ARM);
			InitExitLift();
		}
		// A point `ahead` units in front of the robot (along −z from it: the robots face −z).
		OGLPoint3D Behind(float distance) const
		{
			return {robot->Coord.x, 0, robot->Coord.z + distance};
		}
		static bool Alive(const ObjNodeRef& ref) { return ref.IsAlive(); }
	};
}

//
// Toughness
//

TEST_F(RobotWorld, AnArmBotFromItsItemFallsToTheFirstDamagingHitAndSpillsAtoms)
{
	auto countAtoms = [] {
		int atoms = 0;
		for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
			if (n->CType != INVALID_NODE_FLAG && n->MoveCall == MoveAtom)
				atoms++;
		return atoms;
	};
	int atomsBefore = countAtoms();
	OGLPoint3D at = Behind(1500);
	ObjNodeRef bot(MakeArmBot(at.x, at.z));
	EXPECT_EQ(bot.Get()->ChainNode->Type, LEVEL_MODEL_ARMBOT_ARM);
	EXPECT_FALSE(HitWith(WEAPON_FIST, bot.Get(), 1)) << "a punch passes through";
	EXPECT_TRUE(Alive(bot));
	EXPECT_TRUE(HitWith(WEAPON_STUNGUN, bot.Get(), 0.1f));
	EXPECT_FALSE(Alive(bot)) << "one weak shot";
	EXPECT_EQ(countAtoms() - atomsBefore, 3) << "one health, one fuel, one charge";
}

TEST_F(RobotWorld, AHammerBotThatComesBackTakesTwentyPointsAndOneThatDoesNotTakeOne)
{
	OGLPoint3D at = Behind(2500);
	ObjNodeRef guard(MakeHammerBot(at.x, at.z, true));
	EXPECT_TRUE(HurtObject(guard.Get(), 19.9f));
	EXPECT_TRUE(Alive(guard));
	HurtObject(guard.Get(), 0.2f);
	EXPECT_FALSE(Alive(guard));

	ObjNodeRef plain(MakeHammerBot(at.x + 400, at.z, false));
	HitWith(WEAPON_FLARE, plain.Get(), 0.05f);
	EXPECT_FALSE(Alive(plain));

	OGLPoint3D far = Behind(2800);
	ObjNodeRef drill(MakeDrillBot(far.x, far.z)), swinger(MakeSwingerBot(far.x + 600, far.z));
	HitWith(WEAPON_DART, drill.Get(), 1);
	EXPECT_TRUE(Alive(drill)) << "1.5 points";
	HitWith(WEAPON_DART, drill.Get(), 1);
	EXPECT_FALSE(Alive(drill));
	EXPECT_FALSE(HitWith(WEAPON_DART, swinger.Get(), 5)) << "darts pass the swinger bot by";
	EXPECT_TRUE(HitWith(WEAPON_NOVA, swinger.Get(), 0));
	EXPECT_FALSE(Alive(swinger));
}

//
// Posing and attacks
//

TEST_F(RobotWorld, TheArmBotsFlailSpinsFasterAtSpeedAndThrowsARobotItCatches)
{
	OGLPoint3D at = Behind(1200);
	ObjNode* bot = MakeArmBot(at.x, at.z);
	ObjNode* arm = bot->ChainNode;
	ObjNode* lastSegment = arm->ChainNode->ChainNode->ChainNode;
	ASSERT_NE(lastSegment, nullptr);
	EXPECT_NEAR(arm->Rot.x, -0.6f * std::sin(arm->SpecialF[2]), 1e-4f) << "the arm swings with its phase";
	Run(0.1f);
	EXPECT_NE(bot->Mode, ROBOT_MODE_IDLE) << "a robot within 2000 wakes it";
	// Driving: the segments turn by −speed × 0.02 radians a second each.
	float before = lastSegment->Rot.x;
	Run(1.0f);
	EXPECT_GT(bot->Speed2D, 0);
	EXPECT_NE(lastSegment->Rot.x, before);

	// The arm's tip swept through the robot: it is thrown, high.
	gPlayerLevel.invincibleTimer = 0;
	bool thrown = RunUntil(10, [&] { return Anim(robot) == PLAYER_ANIM_THROWN; });
	ASSERT_TRUE(thrown) << "the bot drove at the robot and its flail caught it";
	EXPECT_GT(robot->Delta.y, 1000);
	EXPECT_GE(gPlayerLevel.maxSpeed, std::hypot(robot->Delta.x, robot->Delta.z));
}

TEST_F(RobotWorld, ADrillBotSkewersTheRobotHoldsItInvincibleThreeSecondsThenFlingsIt)
{
	OGLPoint3D at = Behind(700);
	ObjNode* bot = MakeDrillBot(at.x, at.z);
	bool charged = RunUntil(3, [&] { return bot->Mode == ROBOT_MODE_CHARGE; });
	ASSERT_TRUE(charged) << "facing the robot within 500";
	bool skewered = RunUntil(3, [&] { return GetDrillBotSkewering() != nullptr; });
	ASSERT_TRUE(skewered);
	float healthOnDrill = gRun.health;
	float held = 0;
	while (GetDrillBotSkewering() && held < 5)
	{
		EXPECT_GT(gPlayerLevel.invincibleTimer, 0);
		EXPECT_FALSE(PlayerGotHit(nullptr, 0.5f)) << "nothing else hurts it on the drill";
		Frame();
		held += FRAME;
	}
	EXPECT_NEAR(held, DRILLBOT_HOLD_TIME, 0.1f);
	EXPECT_FLOAT_EQ(gRun.health, healthOnDrill);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_THROWN);
	EXPECT_NEAR(robot->Delta.y, 2200, 100) << "flung up";
	EXPECT_NEAR(std::hypot(robot->Delta.x, robot->Delta.z), 1000, 50) << "and sideways";
	EXPECT_FALSE(robot->StatusBits & STATUS_BIT_ROTZXY);
	EXPECT_EQ(robot->Rot.z, 0);
}

TEST_F(RobotWorld, ASkeweredRobotStaysHeldOnTheDrillEveryFrameUntilFlung)
{
	OGLPoint3D at = Behind(700);
	MakeDrillBot(at.x, at.z);
	ASSERT_TRUE(RunUntil(6, [&] { return GetDrillBotSkewering() != nullptr; }));
	int frames = 0, heldFrames = 0;
	while (GetDrillBotSkewering() && frames < 200)
	{
		Frame();
		frames++;
		if (!GetDrillBotSkewering())
			break;
		heldFrames += IsPlayerHeldIn(PLAYER_ANIM_HELDALT) ? 1 : 0;
		EXPECT_TRUE(robot->StatusBits & STATUS_BIT_ROTZXY) << "rolled about the drill, frame " << frames;
	}
	EXPECT_EQ(heldFrames, frames - 1) << "held on every frame, never dropped into a fall between them";
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_THROWN);
}

TEST_F(RobotWorld, TheIceGuardComesEvenWhenTheEnemyCapIsFullAndAPlainHammerBotWaits)
{
	gNumEnemies = gMaxEnemies;
	OGLPoint3D at = Behind(2500);
	TerrainItemEntryType plain = {};
	plain.type = ITEM_TYPE_HAMMERBOT;
	EXPECT_FALSE(AddHammerBot(&plain, at.x, at.z)) << "the cap is full";
	TerrainItemEntryType alwaysOnly = plain;
	alwaysOnly.parm[3] = ENEMY_ITEM_ALWAYS_ADD;
	EXPECT_FALSE(AddHammerBot(&alwaysOnly, at.x, at.z)) << "always-add passes the kind's limit, not the cap";
	TerrainItemEntryType guard = plain;
	guard.parm[3] = ENEMY_ITEM_ALWAYS_ADD | ENEMY_ITEM_COMES_BACK;
	EXPECT_TRUE(AddHammerBot(&guard, at.x, at.z)) << "the only thing that cracks the exit ice";
	EXPECT_EQ(gNumEnemyOfKind[ENEMY_KIND_HAMMERBOT], 1);
}

TEST_F(RobotWorld, TheSwingerBotsArmsBarelyLiftAtRestAndStandOutAtChargeSpeed)
{
	EXPECT_NEAR(SwingerBotArmTilt(0), 0.15f, 1e-5f);
	EXPECT_NEAR(SwingerBotArmTilt(700), 0.85f, 1e-5f);
	EXPECT_FLOAT_EQ(SwingerBotArmTilt(1e6f), SWINGERBOT_ARM_LIMIT);

	OGLPoint3D at = Behind(3000);
	ObjNode* bot = MakeSwingerBot(at.x, at.z);
	ObjNode* leftArm = bot->ChainNode->ChainNode->ChainNode->ChainNode;
	ASSERT_NE(leftArm, nullptr);
	ASSERT_NE(leftArm->ChainNode, nullptr);
	EXPECT_NEAR(leftArm->Rot.z, -0.15f, 1e-3f);
	EXPECT_NEAR(leftArm->ChainNode->Rot.z, 0.15f, 1e-3f);
}

//
// The hammer bot and the ice over the exit lift
//

TEST_F(RobotWorld, AHammerBotLuredOnTheIceCracksItWithEachSmashAndTheFourthShattersIt)
{
	TerrainItemEntryType item = {};
	item.type = 90;
	OGLPoint3D liftAt = Behind(300);
	ASSERT_TRUE(AddExitLift(&item, liftAt.x, liftAt.z));
	Run(0.2f);
	float iceTop = BaseTerrainHeightAt(liftAt.x, liftAt.z) + 400;
	ASSERT_NEAR(FeetHeight(robot), iceTop, 2) << "the robot stands on the ice";

	// The bot faces −z: the robot stands in its lure, 447.5 ahead.
	OGLPoint3D at = Behind(HAMMERBOT_LURE_DISTANCE + 20);
	ObjNode* bot = MakeHammerBot(at.x, at.z, true);
	EXPECT_NEAR(bot->Coord.y - 82, iceTop, 2) << "it is made on the ice, not under it";

	int smashes = 0;
	int lastCracks = 0;
	bool broken = RunUntil(20, [&] {
		ObjNode* arm = bot->ChainNode;
		if (bot->Mode == ROBOT_MODE_SMASH && arm->Rot.x <= HAMMERBOT_DOWN_ANGLE + 1e-4f && GetExitIceCracks() > lastCracks)
		{
			smashes++;
			lastCracks = GetExitIceCracks();
			OGLPoint3D strike = HammerBotStrikePoint(bot);
			EXPECT_LT(strike.z, bot->Coord.z - 150) << "the mallet lands well ahead of the bot";
			EXPECT_GT(strike.z, robot->Coord.z + 100) << "and short of the robot";
		}
		return IsExitIceBroken();
	});
	ASSERT_TRUE(broken);
	EXPECT_EQ(smashes, EXIT_ICE_STRIKES_TO_SHATTER) << "one crack a smash";
	EXPECT_EQ(GetExitIceCracks(), EXIT_ICE_STRIKES_TO_SHATTER);
	EXPECT_NE(Anim(robot), PLAYER_ANIM_FLATTENED) << "standing in the lure is safe";
}

TEST_F(RobotWorld, AHammerSmashFlattensARobotUnderTheMalletAndTheBotRecoversToDriveAgain)
{
	OGLPoint3D at = Behind(HAMMERBOT_LURE_DISTANCE);
	ObjNode* bot = MakeHammerBot(at.x, at.z, true);
	ASSERT_TRUE(RunUntil(2, [&] { return bot->Mode == ROBOT_MODE_SMASH; }));
	// The robot steps under the falling mallet.
	robot->Coord.z = bot->Coord.z - 240;
	UpdateObjectTransforms(robot);
	CalcObjectBoxFromNode(robot);
	bool flat = RunUntil(1, [&] { return Anim(robot) == PLAYER_ANIM_FLATTENED; });
	EXPECT_TRUE(flat);
	EXPECT_EQ(bot->Mode, ROBOT_MODE_RECOVER);
	ASSERT_TRUE(RunUntil(4, [&] { return bot->Mode != ROBOT_MODE_RECOVER; }));
	EXPECT_NEAR(bot->ChainNode->Rot.x, 0, 0.1f) << "the arm is back up, wobbling from its start again";
}

//
// The autopilot's wait
//

TEST(AutopilotIceBreaker, WaitsInsideTheIceForANearHammerBotAndBacksAwayWhenItComesTooClose)
{
	AutopilotView view;
	view.iceSealed = true;
	view.iceLeft = -1000, view.iceRight = 1000, view.iceBack = -1000, view.iceFront = 1000;
	view.iceBreakerNear = true;
	view.iceBreakerX = 0, view.iceBreakerZ = -800;
	float wx = 1, wz = 1;

	view.x = 0, view.z = 900;
	EXPECT_FALSE(AutopilotWaitForIceBreaker(view, &wx, &wz)) << "at the edge: on toward the middle";
	view.z = 0;
	ASSERT_TRUE(AutopilotWaitForIceBreaker(view, &wx, &wz));
	EXPECT_EQ(wx, 0);
	EXPECT_EQ(wz, 0) << "stands still and lets it come";
	view.iceBreakerZ = -200;
	ASSERT_TRUE(AutopilotWaitForIceBreaker(view, &wx, &wz));
	EXPECT_EQ(wx, 0);
	EXPECT_GT(wz, 0) << "backs straight away from it";
	view.iceSealed = false;
	EXPECT_FALSE(AutopilotWaitForIceBreaker(view, &wx, &wz)) << "the ice is gone: the route again";
}

//
// Riding a loop
//

namespace
{
	// The rider of the only loop, or null.
	ObjNode* LoopRider()
	{
		for (int i = 0; i < gNumSplineObjects; i++)
			if (gSplineObjects[i] && gSplineObjects[i]->CType != INVALID_NODE_FLAG)
				return gSplineObjects[i];
		return nullptr;
	}
}

TEST_F(RobotWorld, AMachineOnALoopDrivesItAtItsSpeedUncountedAndLeavesItToChaseWithinItsDetachDistance)
{
	robot->MoveCall = nullptr;		// it stands where the test puts it
	auto frameWithRiders = [&] { Frame(); MoveSplineObjects(); };
	constexpr int POINTS = 6000;
	// Each kind's loop is laid out from where the robot started: the robot is
	// moved next to each rider in turn, and the terrain in range stays round
	// the start.
	const OGLPoint3D start = robot->Coord;
	for (const CreatureKind* kind : {&kArmBotKind, &kHammerBotKind, &kDrillBotKind, &kSwingerBotKind})
	{
		const CreatureLoop& ride = kind->loop;
		robot->Coord = robot->OldCoord = start;
		// The loop passes well outside the detach distance of the robot.
		SplineTestLoop loop(NearRobot(1500 + ride.detachDistance + 600), 1500, POINTS, kind->kind == ENEMY_KIND_ARMBOT
				? ITEM_TYPE_ARMBOT : kind->kind == ENEMY_KIND_HAMMERBOT ? ITEM_TYPE_HAMMERBOT
				: kind->kind == ENEMY_KIND_DRILLBOT ? ITEM_TYPE_DRILLBOT : ITEM_TYPE_SWINGERBOT);
		ASSERT_TRUE(kSplineItemRoutines[loop.item.type].add(0, &loop.item)) << kSplineItemRoutines[loop.item.type].name;
		frameWithRiders();
		ObjNodeRef bot(LoopRider());
		ASSERT_TRUE(bot.IsAlive());
		EXPECT_EQ(bot.Get()->Kind, kind->kind);
		EXPECT_EQ(gNumEnemies, 0) << "a rider is not counted";

		// Its speed: loop points per second.
		const float before = bot.Get()->SplinePlacement;
		Run(1.0f, [] { MoveSplineObjects(); });
		EXPECT_NEAR(bot.Get()->SplinePlacement - before, ride.speed / POINTS, 0.1f * ride.speed / POINTS) << int(kind->kind);
		EXPECT_TRUE(bot.Get()->StatusBits & STATUS_BIT_ONSPLINE);
		EXPECT_EQ(bot.Get()->ChainNode->Coord.x, bot.Get()->Coord.x) << "its parts ride with it";

		// Just outside its detach distance it drives on; just inside, it leaves to chase.
		auto robotAt = [&](float distance) {
			const OGLPoint3D& b = bot.Get()->Coord;
			robot->Coord = {b.x, b.y, b.z + distance};
			robot->OldCoord = robot->Coord;
		};
		robotAt(ride.detachDistance + 40);
		frameWithRiders();
		EXPECT_TRUE(bot.Get()->StatusBits & STATUS_BIT_ONSPLINE) << int(kind->kind);
		robotAt(ride.detachDistance - 40);
		frameWithRiders();
		ASSERT_FALSE(bot.Get()->StatusBits & STATUS_BIT_ONSPLINE) << int(kind->kind);
		EXPECT_EQ(gNumEnemies, 1) << "counted once off its loop";
		frameWithRiders();
		EXPECT_EQ(bot.Get()->Mode, ROBOT_MODE_CHASE);
		DeleteEnemy(bot.Get());
	}
}

TEST_F(RobotWorld, AHitTakesARiderOffItsLoopAndOneThatRodeALoopNeedsAFullPointOfDamage)
{
	robot->MoveCall = nullptr;		// it stands where the test puts it
	SplineTestLoop loop(NearRobot(4000), 1500, 6000, ITEM_TYPE_ARMBOT);
	ASSERT_TRUE(kSplineItemRoutines[ITEM_TYPE_ARMBOT].add(0, &loop.item));
	Frame();
	MoveSplineObjects();
	ObjNodeRef bot(LoopRider());
	ASSERT_TRUE(bot.IsAlive());
	EXPECT_TRUE(HitWith(WEAPON_STUNGUN, bot.Get(), 0.5f));
	ASSERT_TRUE(bot.IsAlive()) << "an arm bot from its item falls to this; a rider has a point";
	EXPECT_FALSE(bot.Get()->StatusBits & STATUS_BIT_ONSPLINE);
	EXPECT_EQ(gNumEnemies, 1);
	HitWith(WEAPON_STUNGUN, bot.Get(), 0.5f);
	EXPECT_FALSE(bot.IsAlive());
	EXPECT_EQ(gNumEnemies, 0);
}
