// The robot on the baked farm terrain, driven by synthetic needs and stick
// input at 30 frames per second: the landing, running, jumping, the jump
// jet, punching, getting hit, dying and coming back at the checkpoint.
#include "PlayerTestSupport.h"
#include "System/Level.h"
#include "Player/PlayerHeld.h"
#include "Player/PlayerInternal.h"
#include "Player/PlayerSaucerBeams.h"
#include "Player/WeaponTypes.h"
#include "Items/Humans.h"
#include "Effects/Shards.h"
#include "Screens/Infobar.h"
#include "System/Pool.h"

#include <algorithm>
#include <vector>

using namespace PlayerTestSupport;

namespace
{
	class PlayerTest : public PlayerWorld
	{
	};

	// A punch target in front of the robot that counts the punches it takes.
	struct PunchBag
	{
		static inline int hits = 0;
		static inline float animTimeAtHit = -1;

		static bool TakePunch(ObjNode*, ObjNode*, const OGLPoint3D*, const OGLVector3D*, float)
		{
			hits++;
			animTimeAtHit = gPlayerNode->Skeleton->CurrentAnimTime;
			return true;
		}

		static ObjNode* Make(const ObjNode* robot, float ahead)
		{
			hits = 0;
			animTimeAtHit = -1;
			ObjectDef def = {};
			def.genre = NODRAW_GENRE;
			def.slot = 100;
			def.coord = {robot->Coord.x - std::sin(robot->Rot.y) * ahead, robot->Coord.y, robot->Coord.z - std::cos(robot->Rot.y) * ahead};
			def.scale = 1;
			ObjNode* bag = MakeNewObject(&def);
			bag->CType = CTYPE_ENEMY;
			bag->CBits = SIDE_ALL;
			SetObjectCollisionBounds(bag, 300, -300, -90, 90, 90, -90);
			CalcObjectBoxFromNode(bag);
			KeepOldCollisionBoxes(bag);
			bag->HitByWeaponHandler[5] = TakePunch;
			return bag;
		}
	};

	// The flag event's tick in the robot's punch animation.
	float PunchFlagTick()
	{
		const SkeletonInfoType* s = gLoadedSkeletonsList[SKELETON_TYPE_QUOG];
		for (int i = 0; i < s->NumAnimEvents[PLAYER_ANIM_PUNCH]; i++)
			if (s->AnimEventsList[PLAYER_ANIM_PUNCH][i].type == ANIMEVENT_TYPE_SETFLAG)
				return float(s->AnimEventsList[PLAYER_ANIM_PUNCH][i].time);
		return -1;
	}
}

TEST_F(PlayerTest, LandsFromTheSaucerWalksOutAndStandsOnTheGround)
{
	InitPlayerAtStartOfLevel();
	ObjNode* robot = gPlayerNode;
	ASSERT_NE(robot, nullptr);
	EXPECT_TRUE(IsPlayerInSaucer());
	EXPECT_TRUE(robot->StatusBits & STATUS_BIT_HIDDEN) << "hidden inside the saucer";
	EXPECT_TRUE(IsPlayerUntouchable());
	float ground = TerrainHeightAt(gPlayerStartX, gPlayerStartZ);
	EXPECT_GT(robot->Coord.y, ground + 5000) << "the saucer starts high above the start";

	// Down, hatch, walk out: well under fifteen seconds.
	ASSERT_TRUE(RunUntil(15, [] { return !IsPlayerInSaucer(); })) << "the robot never got out";
	EXPECT_FALSE(robot->StatusBits & STATUS_BIT_HIDDEN);
	EXPECT_EQ(robot->CType, CTYPE_PLAYER);
	EXPECT_FALSE(IsPlayerUntouchable());
	float out = CalcDistance(robot->Coord.x, robot->Coord.z, gPlayerStartX, gPlayerStartZ);
	EXPECT_NEAR(out, 2.5f * 250, 20) << "walked 2.5 s at 250 out of the saucer";
	EXPECT_FLOAT_EQ(gPlayerLevel.checkpointX, robot->Coord.x) << "the checkpoint is where it stepped off";
	EXPECT_FLOAT_EQ(gPlayerLevel.checkpointZ, robot->Coord.z);

	Run(1);
	EXPECT_TRUE(robot->StatusBits & STATUS_BIT_ONGROUND);
	EXPECT_NEAR(FeetHeight(robot), GroundUnder(robot), 1.0f);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_STAND);

	// The saucer closes up and flies off for good.
	int before = gObjectCount;
	Run(12);
	EXPECT_LT(gObjectCount, before) << "the landing saucer is deleted once it has left";
}

TEST_F(PlayerTest, RunsAwayFromTheCameraAtFullSpeedAndStopsWhenReleased)
{
	ObjNode* robot = MakeRobotOnGround();
	OGLPoint3D start = robot->Coord;
	const OGLPoint3D eye = gPlayerLevel.cameraFrom;
	OGLVector2D away = {start.x - eye.x, start.z - eye.z};
	OGLVector2D_Normalize(&away, &away);

	Stick(0, -1);		// forward
	Run(1.5f);
	EXPECT_NEAR(HorizontalSpeed(robot), PLAYER_BASE_MAX_SPEED, 1.0f);
	EXPECT_TRUE(Anim(robot) == PLAYER_ANIM_WALK) << Anim(robot);
	OGLVector2D moved = {robot->Coord.x - start.x, robot->Coord.z - start.z};
	OGLVector2D_Normalize(&moved, &moved);
	EXPECT_GT(OGLVector2D_Dot(&moved, &away), 0.95f) << "forward on the stick runs away from the camera";
	// It faces where it runs: a heading faces (−sin, −cos).
	OGLVector2D facing = {-std::sin(robot->Rot.y), -std::cos(robot->Rot.y)};
	EXPECT_GT(OGLVector2D_Dot(&facing, &moved), 0.95f);
	EXPECT_NEAR(FeetHeight(robot), GroundUnder(robot), 1.0f) << "runs on the ground";

	Stick(0, 0);
	ASSERT_TRUE(RunUntil(1, [&] { return HorizontalSpeed(robot) == 0; }));
	Run(0.5f);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_STAND);

	// Sideways on the stick runs to the camera's right.
	const OGLCameraPlacement& cam = gGameViewInfoPtr->cameraPlacement;
	OGLVector2D view = {cam.to.x - cam.from.x, cam.to.z - cam.from.z};
	OGLVector2D_Normalize(&view, &view);
	OGLVector2D right = {-view.y, view.x};		// y is up
	start = robot->Coord;
	Stick(1, 0);
	Run(0.3f);
	moved = {robot->Coord.x - start.x, robot->Coord.z - start.z};
	OGLVector2D_Normalize(&moved, &moved);
	EXPECT_GT(OGLVector2D_Dot(&moved, &right), 0.95f);
}

TEST_F(PlayerTest, OnIceTheRobotStopsTenPercentMoreSlowly)
{
	// Let go at full speed on the flat ground of the start, on plain ground and on ice.
	ObjNode* robot = MakeRobotOnGround();
	auto stopTime = [&](float slip) {
		gLevel.groundSlip = slip;
		robot->Coord = {gPlayerStartX, GroundUnder(robot) - float(robot->BottomOff), gPlayerStartZ};
		Run(0.2f);
		EXPECT_NEAR(gPlayerLevel.slipperiness, slip, 1e-6f);
		SetPlayerAnim(robot, PLAYER_ANIM_WALK);
		robot->Delta = {PLAYER_BASE_MAX_SPEED, -200, 0};
		gPlayerLevel.timeSinceMoveInput = 0;
		// Fine frames, so the timing is not lost in whole frames.
		gFrameTime = 1.0f / 600;
		int frames = 0;
		while (HorizontalSpeed(robot) > 0 && frames < 3000)
		{
			Frame();
			frames++;
		}
		gFrameTime = FRAME;
		return float(frames) / 600;
	};
	float normal = stopTime(0);
	float ice = stopTime(0.1f);
	EXPECT_NEAR(normal, 900.0f / 2700.0f, 0.01f);
	EXPECT_NEAR(ice / normal, 1.0f / 0.9f, 0.02f);
}

TEST_F(PlayerTest, JumpsToTheHeightItsSpeedGivesAndLandsStanding)
{
	ObjNode* robot = MakeRobotOnGround();
	Run(0.3f);
	float ground = GroundUnder(robot);
	Press(NEED_JUMP);
	Frame();
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_JUMP);
	float highest = 0;
	bool fell = false;
	ASSERT_TRUE(RunUntil(2, [&] {
		highest = std::max(highest, FeetHeight(robot) - ground);
		fell |= Anim(robot) == PLAYER_ANIM_FALL;
		return (robot->StatusBits & STATUS_BIT_ONGROUND) && Anim(robot) != PLAYER_ANIM_JUMP && Anim(robot) != PLAYER_ANIM_FALL;
	}));
	// Standing, the ground holds the robot down at −200, so it leaves at
	// 1600: v² / 2g less the half step a frame of gravity costs.
	const float v = PLAYER_JUMP_SPEED - 200;
	EXPECT_NEAR(highest, v * v / (2 * 5200) - v * FRAME / 2, 8);
	EXPECT_TRUE(fell) << "the jump turns into a fall on the way down";
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_STAND);
	EXPECT_NEAR(FeetHeight(robot), GroundUnder(robot), 1.0f);
	EXPECT_TRUE(gPlayerLevel.canUseJumpJet);
}

TEST_F(PlayerTest, JumpJetBurnsFuelOnceAJumpAndDoesNothingWhenEmpty)
{
	ObjNode* robot = MakeRobotOnGround();
	gRun.fuel = 0.05f;
	Run(0.2f);
	float ground = GroundUnder(robot);

	// Jump, then fire the jet as the jump slows.
	Press(NEED_JUMP);
	Frame();
	ASSERT_TRUE(RunUntil(1, [&] { return std::fabs(robot->Delta.y) < 800; }));
	float heightAtJet = FeetHeight(robot) - ground;
	Press(NEED_JUMP);
	Frame();
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_JUMPJET);
	EXPECT_EQ(gRun.fuel, 0.0f) << "0.05 − 0.1 is empty, not negative";
	EXPECT_FALSE(gPlayerLevel.canUseJumpJet);
	float highest = 0;
	RunUntil(3, [&] {
		highest = std::max(highest, FeetHeight(robot) - ground);
		return bool(robot->StatusBits & STATUS_BIT_ONGROUND);
	});
	EXPECT_GT(highest, heightAtJet + 100) << "the jet lifts the robot";
	EXPECT_GT(highest, 300.0f) << "higher than a plain jump";

	// Empty: the next jet does nothing.
	Run(0.3f);
	Press(NEED_JUMP);
	Frame();
	ASSERT_TRUE(RunUntil(1, [&] { return std::fabs(robot->Delta.y) < 800; }));
	Press(NEED_JUMP);
	Frame();
	EXPECT_NE(Anim(robot), PLAYER_ANIM_JUMPJET);
	EXPECT_EQ(gRun.fuel, 0.0f);
}

TEST_F(PlayerTest, JetIsQueuedWhileTheJumpIsStillFast)
{
	ObjNode* robot = MakeRobotOnGround();
	gRun.fuel = 1;
	Run(0.2f);
	Press(NEED_JUMP);
	Frame();
	Press(NEED_JUMP);		// at once: still rising faster than 800
	Frame();
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_JUMP);
	ASSERT_TRUE(RunUntil(1, [&] { return Anim(robot) == PLAYER_ANIM_JUMPJET; }));
	EXPECT_LT(std::fabs(robot->Delta.y), 800 + 9000 * FRAME);
	EXPECT_NEAR(gRun.fuel, 0.9f, 1e-5f);
}

TEST_F(PlayerTest, PunchLandsOnItsFlagEventOnce)
{
	ObjNode* robot = MakeRobotOnGround();
	Run(0.2f);
	PunchBag::Make(robot, 60);
	float flagTick = PunchFlagTick();
	ASSERT_GT(flagTick, 0) << "the punch animation has a flag event";

	Press(NEED_PUNCH);
	Frame();
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_PUNCH);
	EXPECT_EQ(PunchBag::hits, 0) << "the fist has not landed yet";
	ASSERT_TRUE(RunUntil(2, [&] { return Anim(robot) != PLAYER_ANIM_PUNCH; }));
	EXPECT_EQ(PunchBag::hits, 1);
	EXPECT_GE(PunchBag::animTimeAtHit, flagTick) << "the hit comes at the key frame";
	EXPECT_LT(PunchBag::animTimeAtHit, flagTick + 3);
}

TEST_F(PlayerTest, PunchMissesWhatIsOutOfReach)
{
	ObjNode* robot = MakeRobotOnGround();
	Run(0.2f);
	PunchBag::Make(robot, 600);
	Press(NEED_PUNCH);
	Frame();
	RunUntil(2, [&] { return Anim(robot) != PLAYER_ANIM_PUNCH; });
	EXPECT_EQ(PunchBag::hits, 0);
}

TEST_F(PlayerTest, HitKnocksBackAndTheNextTwoAndAHalfSecondsAreSafe)
{
	ObjNode* robot = MakeRobotOnGround();
	Run(0.2f);
	EXPECT_TRUE(PlayerGotHit(nullptr, 0.3f));
	EXPECT_FLOAT_EQ(gRun.health, 0.7f);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_GOTHIT);
	EXPECT_GT(robot->Delta.y, 0) << "thrown up";
	EXPECT_NEAR(HorizontalSpeed(robot), PLAYER_KNOCKBACK_SPEED, 1);

	EXPECT_FALSE(PlayerGotHit(nullptr, 0.3f));
	Run(2.3f);
	EXPECT_FALSE(PlayerGotHit(nullptr, 0.3f)) << "still invincible";
	EXPECT_FLOAT_EQ(gRun.health, 0.7f);
	Run(0.3f);
	EXPECT_TRUE(PlayerGotHit(nullptr, 0.3f));
	EXPECT_FLOAT_EQ(gRun.health, 0.4f);
	EXPECT_FALSE(gPlayerLevel.isDead);
}

TEST_F(PlayerTest, AttackersDamageAndHeadingDecideTheHit)
{
	ObjNode* robot = MakeRobotOnGround();
	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.slot = 100;
	def.scale = 1;
	ObjNode* attacker = MakeNewObject(&def);
	attacker->Damage = 0.25f;
	attacker->Rot.y = PI_HALF;		// facing −x
	EXPECT_TRUE(PlayerGotHit(attacker, 0.9f));
	EXPECT_FLOAT_EQ(gRun.health, 0.75f);
	EXPECT_NEAR(robot->Delta.x, -PLAYER_KNOCKBACK_SPEED, 1);
	EXPECT_NEAR(robot->Delta.z, 0, 1);
}

TEST_F(PlayerTest, HitThatTakesTheLastHealthKillsAndADeadRobotStaysDead)
{
	ObjNode* robot = MakeRobotOnGround();
	gRun.health = 0.2f;
	EXPECT_TRUE(PlayerGotHit(nullptr, 0.2f));
	EXPECT_TRUE(gPlayerLevel.isDead);
	EXPECT_EQ(gRun.health, 0.0f);
	EXPECT_TRUE(robot->StatusBits & STATUS_BIT_HIDDEN) << "blown up";
	EXPECT_EQ(robot->CType, 0u);
	EXPECT_TRUE(gDeathTransition.active);

	// Hurting the remains changes nothing.
	gPlayerLevel.invincibleTimer = 0;
	EXPECT_TRUE(PlayerLoseHealth(0.5f, DEATH_KIND_WORN_OUT));
	EXPECT_EQ(gRun.health, 0.0f);
	EXPECT_NE(Anim(robot), PLAYER_ANIM_DEATH) << "a blown-up robot is not stood up to die again";
}

TEST_F(PlayerTest, DeathCostsALifeAndTheRobotComesBackAtTheCheckpoint)
{
	ObjNode* robot = MakeRobotOnGround();
	gRun.lives = 3;
	gPlayerLevel.checkpointX = gPlayerStartX + 500;
	gPlayerLevel.checkpointZ = gPlayerStartZ + 300;
	gPlayerLevel.checkpointRot = 1.0f;
	Stick(0, -1);
	Run(0.5f);
	Stick(0, 0);

	KillPlayer(DEATH_KIND_WORN_OUT);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_DEATH);
	EXPECT_TRUE(gPlayerLevel.isDead);
	ASSERT_TRUE(RunUntil(10, [] { return !gPlayerLevel.isDead; })) << "the shutters never brought the robot back";
	EXPECT_EQ(gRun.lives, 2);
	EXPECT_FLOAT_EQ(robot->Coord.x, gPlayerLevel.checkpointX);
	EXPECT_FLOAT_EQ(robot->Coord.z, gPlayerLevel.checkpointZ);
	EXPECT_FLOAT_EQ(robot->Rot.y, gPlayerLevel.checkpointRot);
	EXPECT_EQ(gRun.health, 1.0f);
	EXPECT_EQ(robot->CType, CTYPE_PLAYER);
	EXPECT_FALSE(robot->StatusBits & STATUS_BIT_HIDDEN);
	EXPECT_TRUE(gDeathTransition.active) << "the shutters open again";
	ASSERT_TRUE(RunUntil(3, [] { return !gDeathTransition.active; }));
	EXPECT_FALSE(gLevel.gameOver);
	EXPECT_NEAR(FeetHeight(robot), GroundUnder(robot), 1.0f) << "dropped back onto the ground";
}

TEST_F(PlayerTest, WithNoLivesLeftTheShuttersEndTheRun)
{
	ObjNode* robot = MakeRobotOnGround();
	gRun.lives = 0;
	KillPlayer(DEATH_KIND_BLOWN_UP);
	ASSERT_TRUE(RunUntil(10, [] { return gLevel.gameOver; }));
	EXPECT_TRUE(gPlayerLevel.isDead) << "no respawn";
	EXPECT_TRUE(robot->StatusBits & STATUS_BIT_HIDDEN);
	EXPECT_EQ(gRun.lives, 0);
}

TEST_F(PlayerTest, ShuttersWaitTheirDelayThenCloseAtTheirSpeed)
{
	StartDeathTransition(1.0f);
	UpdateDeathTransition(0.5f);
	EXPECT_FLOAT_EQ(gDeathTransition.position, -20);
	UpdateDeathTransition(0.6f);		// the delay ends; the rest of that frame is not used
	UpdateDeathTransition(0.5f);
	EXPECT_FLOAT_EQ(gDeathTransition.position, -20 + 150);
	EXPECT_TRUE(gDeathTransition.closing);
}

TEST_F(PlayerTest, SubStepsKeepEachStepShortAndAreBounded)
{
	// 900 units per second at 60 fps is 15 units: one sub-step more than the
	// 15-unit limit needs, so two; at 15 fps 60 units make five.
	EXPECT_EQ(CalcPlayerSubSteps(900, 1.0f / 60), 2);
	EXPECT_EQ(CalcPlayerSubSteps(900, 1.0f / 15), 5);
	EXPECT_EQ(CalcPlayerSubSteps(0, 1.0f / 15), 1);
	EXPECT_EQ(CalcPlayerSubSteps(9999999, 1.0f / 15), PLAYER_MAX_SUBSTEPS);
	EXPECT_EQ(CalcPlayerSubSteps(NAN, 1.0f / 30), 1);
}

TEST_F(PlayerTest, ABlownUpVelocityIsResetInsteadOfTakingTheRobotAway)
{
	ObjNode* robot = MakeRobotOnGround();
	Run(0.2f);
	OGLPoint3D before = robot->Coord;
	robot->Delta = {NAN, 0, 1e9f};
	Frame();
	EXPECT_TRUE(std::isfinite(robot->Coord.x) && std::isfinite(robot->Coord.z));
	EXPECT_NEAR(robot->Coord.x, before.x, 1);
	EXPECT_NEAR(robot->Coord.z, before.z, 1);
	EXPECT_TRUE(std::isfinite(robot->Delta.x));
}

TEST_F(PlayerTest, SteeringTurnsTheStickByTheCameraYaw)
{
	// Camera yaw 0: forward on the stick is −z, right is +x.
	OGLVector2D d = PlayerSteeringDirection({0, -1}, 0);
	EXPECT_NEAR(d.x, 0, 1e-6f);
	EXPECT_NEAR(d.y, -1, 1e-6f);
	d = PlayerSteeringDirection({1, 0}, 0);
	EXPECT_NEAR(d.x, 1, 1e-6f);
	// A quarter turn of the camera turns the stick with it, keeping its length.
	d = PlayerSteeringDirection({0, -0.5f}, PI_HALF);
	EXPECT_NEAR(d.x, 0.5f, 1e-6f);
	EXPECT_NEAR(d.y, 0, 1e-6f);
}

TEST_F(PlayerTest, ExitSaucerWaitsForTheChargeThenCarriesTheRobotAway)
{
	ObjNode* robot = MakeRobotOnGround();
	UpdateVisibleTerrain(robot->Coord.x, robot->Coord.z);
	Run(0.2f);
	TerrainItemEntryType item = {};
	item.type = 26;
	item.parm[0] = 0;			// heading 0: its hatch opens toward −z, where the robot is
	float sx = robot->Coord.x, sz = robot->Coord.z + 700;
	ASSERT_TRUE(AddExitSaucer(&item, sx, sz));
	ObjNodeRef saucer(gLastCreatedNode->ChainHead ? gLastCreatedNode->ChainHead : gLastCreatedNode);
	ASSERT_TRUE(saucer.IsAlive());

	ClearHelpMessage();
	gLevel.exitCharge = 0.5f;
	Run(2);
	EXPECT_EQ(saucer.Get()->Mode, 5) << "closed while the exit is not charged";
	EXPECT_EQ(GetCurrentHelpType(), HELP_EXIT_NOT_CHARGED) << "and it says so";
	EXPECT_FALSE(gLevel.done);

	gLevel.exitCharge = 1;
	ASSERT_TRUE(RunUntil(3, [&] { return saucer.Get()->Mode == 6; })) << "opens for a charged exit with the robot near";

	// The robot steps into the beam in front of the hatch and is taken aboard.
	robot->Coord.x = sx;
	robot->Coord.z = sz - 400;
	robot->Coord.y = TerrainHeightAt(robot->Coord.x, robot->Coord.z) - float(robot->BottomOff);
	Run(0.2f);
	EXPECT_TRUE(IsPlayerInSaucer());
	EXPECT_TRUE(IsPlayerUntouchable());
	ASSERT_TRUE(RunUntil(30, [] { return gLevel.done; })) << "the saucer never left with the robot";
	EXPECT_TRUE(robot->StatusBits & STATUS_BIT_HIDDEN);
	EXPECT_GT(saucer.Get()->Coord.y, TerrainHeightAt(sx, sz) + 9000 - 1);
}

TEST_F(PlayerTest, TheLevelsExitItemWakesIntoAWaitingExitSaucer)
{
	TerrainItemEntryType* exit = nullptr;
	for (int32_t i = 0; i < gNumTerrainItems && !exit; i++)
		if (gTerrainItemList[i].type == 26)
			exit = &gTerrainItemList[i];
	ASSERT_NE(exit, nullptr) << "the farm has an exit";

	UpdateVisibleTerrain(float(exit->x), float(exit->z));
	ObjNode* saucer = nullptr;
	for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
		if (node->TerrainItemPtr == exit)
			saucer = node;
	ASSERT_NE(saucer, nullptr);
	EXPECT_TRUE(exit->flags & ITEM_FLAG_INUSE);
	EXPECT_EQ(saucer->Mode, 5) << "closed, waiting for the charge";
}

TEST_F(PlayerTest, AnOpenExitSaucerClosesWhenTheRobotWalksAway)
{
	ObjNode* robot = MakeRobotOnGround();
	UpdateVisibleTerrain(robot->Coord.x, robot->Coord.z);
	TerrainItemEntryType item = {};
	float sx = robot->Coord.x, sz = robot->Coord.z + 700;
	ASSERT_TRUE(AddExitSaucer(&item, sx, sz));
	ObjNodeRef saucer(gLastCreatedNode->ChainHead ? gLastCreatedNode->ChainHead : gLastCreatedNode);
	gLevel.exitCharge = 1;
	ASSERT_TRUE(RunUntil(3, [&] { return saucer.Get()->Mode == 6; }));
	robot->Coord.z -= 1000;		// 1700 away
	ASSERT_TRUE(RunUntil(3, [&] { return saucer.Get()->Mode == 5; })) << "closed again";
	EXPECT_FALSE(IsPlayerInSaucer());
}

TEST_F(PlayerTest, OnTheSaucerLevelThePlayerFliesASaucerThatHurtingThingsDamage)
{
	gCurrentLevel = LEVEL_NUM_SAUCER;
	ClearPlayerLevelFlags();
	InitPlayerSaucer();
	ObjNode* saucer = gPlayerNode;
	ASSERT_NE(saucer, nullptr);
	EXPECT_EQ(saucer->Skeleton, nullptr);
	InitCamera();
	EXPECT_FLOAT_EQ(gCameraDistFromMe, 800);

	Stick(0, -1);
	Run(3);
	EXPECT_NEAR(std::hypot(saucer->Delta.x, saucer->Delta.z), 900, 1) << "capped at its top speed";
	EXPECT_NEAR(saucer->Coord.y, TerrainHeightAtNoHoles(saucer->Coord.x, saucer->Coord.z) + 450, 1) << "hovers";

	// A mine in its way.
	OGLVector2D heading = {saucer->Delta.x, saucer->Delta.z};
	OGLVector2D_Normalize(&heading, &heading);
	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.slot = 100;
	def.coord = {saucer->Coord.x + heading.x * 400, saucer->Coord.y, saucer->Coord.z + heading.y * 400};
	def.scale = 1;
	ObjNodeRef mine(MakeNewObject(&def));
	mine.Get()->CType = CTYPE_HURTME;
	mine.Get()->CBits = SIDE_ALL;
	mine.Get()->Damage = 0.3f;
	SetObjectCollisionBounds(mine.Get(), 1000, -1000, -100, 100, 100, -100);
	CalcObjectBoxFromNode(mine.Get());
	KeepOldCollisionBoxes(mine.Get());
	Run(1);
	EXPECT_FALSE(mine.IsAlive()) << "the mine is used up";
	EXPECT_FLOAT_EQ(gRun.health, 0.7f);
}

TEST_F(PlayerTest, OnTheSlimeWorldTheExitBeamsTheRobotUpAndEndsTheLevel)
{
	gCurrentLevel = LEVEL_NUM_BLOB;
	ObjNode* robot = MakeRobotOnGround();
	UpdateVisibleTerrain(robot->Coord.x, robot->Coord.z);
	Run(0.2f);
	TerrainItemEntryType item = {};
	float sx = robot->Coord.x, sz = robot->Coord.z + 700;
	ASSERT_TRUE(AddExitSaucer(&item, sx, sz));
	ObjNodeRef saucer(gLastCreatedNode);
	gLevel.exitCharge = 1;
	ASSERT_TRUE(RunUntil(3, [&] { return saucer.Get()->Mode == 6; }));
	robot->Coord = {sx, TerrainHeightAt(sx, sz - 400) - float(robot->BottomOff), sz - 400};
	Run(0.2f);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_BEAMEDUP);
	EXPECT_TRUE(IsPlayerUntouchable());
	EXPECT_TRUE(gLevel.done);
	EXPECT_NEAR(gLevel.doneTimer, 4, 0.01f);
	float y = robot->Coord.y;
	Run(1);
	EXPECT_GT(robot->Coord.y, y + 100) << "rising into the saucer";
}

namespace
{
	int gHumansTaken = 0;

	// A stand-in human: taken by the tractor, it stops being a human.
	bool TakeStandInHuman(ObjNode*, ObjNode* human, const OGLPoint3D*, const OGLVector3D*, float)
	{
		human->CType = 0;
		gHumansTaken++;
		gLevel.humansBeamingUp++;
		return true;
	}
}

TEST_F(PlayerTest, TheSaucersTractorTakesTenHumansAtMostAndTheDestroyBeamReachesHutsWithinTheirSize)
{
	gCurrentLevel = LEVEL_NUM_SAUCER;
	ClearPlayerLevelFlags();
	InitPlayerSaucer();
	ObjNode* saucer = gPlayerNode;
	InitCamera();
	Run(FRAME);			// the saucer keeps its distance from the map's edge
	gHumansTaken = 0;
	gLevel.humansBeamingUp = 0;
	for (int i = 0; i < 12; i++)
	{
		ObjectDef def = {};
		def.genre = NODRAW_GENRE;
		def.slot = 100;
		def.coord = {saucer->Coord.x + float(i % 4) * 15, TerrainHeightAt(saucer->Coord.x, saucer->Coord.z),
					 saucer->Coord.z + float(i / 4) * 15};
		def.scale = 1;
		ObjNode* human = MakeNewObject(&def);
		human->CType = CTYPE_HUMAN;
		human->HitByWeaponHandler[WEAPON_SAUCERBEAM] = TakeStandInHuman;
	}
	ObjectDef hutDef = {};
	hutDef.genre = NODRAW_GENRE;
	hutDef.slot = 100;
	hutDef.coord = {saucer->Coord.x + 250, 0, saucer->Coord.z};
	hutDef.scale = 1;
	ObjNode* hut = MakeNewObject(&hutDef);
	hut->Size = 300;

	// Destroy is selected at first: a full charge reaches the hut, takes nobody.
	Press(NEED_SHOOT);
	Run(1.5f);
	EXPECT_FALSE(IsSaucerDestroyBeamOver(hut)) << "still charging";
	Run(0.6f);
	EXPECT_TRUE(IsSaucerDestroyBeamOver(hut));
	hut->Size = 200;
	EXPECT_FALSE(IsSaucerDestroyBeamOver(hut)) << "outside the hut's size";
	EXPECT_EQ(gHumansTaken, 0);
	ASSERT_TRUE(RunUntil(4, [] { return !IsSaucerBeamBusy(gSaucerBeam); }));

	Press(NEED_NEXT_WEAPON);
	Run(0.1f);
	EXPECT_EQ(gSaucerBeam.selected, SAUCER_BEAM_TRACTOR);
	Press(NEED_SHOOT);
	Run(2.5f);
	EXPECT_EQ(gHumansTaken, SAUCER_MAX_CARGO);
	for (int i = 0; i < 4; i++)
	{
		gLevel.humansBeamingUp--;
		SaucerTakeHumanAboard(i);
	}
	Run(0.5f);
	EXPECT_EQ(gHumansTaken, SAUCER_MAX_CARGO) << "arrivals make no room";
	EXPECT_EQ(gSaucerCargo.count, 4);
}

TEST_F(PlayerTest, OnTheSaucerLevelAChargedExitLetsTheSaucerDropTheRobotWhoWalksIntoTheExit)
{
	gCurrentLevel = LEVEL_NUM_SAUCER;
	ClearPlayerLevelFlags();
	InitPlayerSaucer();
	ObjNode* saucer = gPlayerNode;
	InitCamera();
	MakeDeathTransitionRunner();
	gLevel.humansBeamingUp = 0;
	Run(FRAME);			// the saucer keeps its distance from the map's edge
	// The exit faces −z: the drop point 400 in front of it is under the saucer.
	TerrainItemEntryType item = {};
	float sx = saucer->Coord.x, sz = saucer->Coord.z + 400;
	ASSERT_TRUE(AddExitSaucer(&item, sx, sz));

	gLevel.exitCharge = 0.95f;
	Press(NEED_JUMP);
	Run(0.5f);
	EXPECT_EQ(gPlayerNode, saucer) << "no landing before the exit is charged";

	gLevel.exitCharge = 1;
	Press(NEED_SHOOT);
	Run(0.1f);
	Press(NEED_JUMP);
	Run(0.1f);
	EXPECT_EQ(gPlayerNode, saucer) << "no landing while a beam charges";
	ASSERT_TRUE(RunUntil(8, [] { return !IsSaucerBeamBusy(gSaucerBeam); }));

	Press(NEED_JUMP);
	Run(0.1f);
	ObjNode* robot = gPlayerNode;
	ASSERT_NE(robot, saucer);
	ASSERT_NE(robot->Skeleton, nullptr);
	EXPECT_LT(robot->Coord.y, saucer->Coord.y);
	EXPECT_EQ(gSaucerBeam.on, SAUCER_BEAM_UNLOAD) << "the drop beam";
	ASSERT_TRUE(RunUntil(5, [&] { return IsPlayerOnGround(robot); })) << "the robot never landed";
	ASSERT_TRUE(RunUntil(30, [] { return gLevel.done; })) << "the exit saucer never took the robot";
	EXPECT_TRUE(robot->StatusBits & STATUS_BIT_HIDDEN);
}

//
// Hurt in other ways: flattened, blown apart, shot down in the saucer
//

namespace
{
	class PlayerHurtTest : public PlayerTest
	{
	protected:
		void SetUp() override
		{
			PlayerTest::SetUp();
			InitShardSystem();
		}

		void TearDown() override
		{
			PlayerTest::TearDown();
			DisposeShardSystem();
		}

		static int CountShards()
		{
			int n = 0;
			for (int32_t i = Pool_First(gShardPool); i >= 0; i = Pool_Next(gShardPool, i))
				n++;
			return n;
		}
	};
}

TEST_F(PlayerHurtTest, FlatteningCostsHealthPinsTheRobotAndTheLastOfItBlowsItApart)
{
	ObjNode* robot = MakeRobotOnGround();
	Run(0.2f);
	FlattenPlayer();
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_FLATTENED);
	EXPECT_FLOAT_EQ(gRun.health, 1 - 0.3f);
	FlattenPlayer();
	EXPECT_FLOAT_EQ(gRun.health, 1 - 0.3f) << "no second squash while flat";
	Run(1.8f);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_FLATTENED) << "pinned for 2 s";
	ASSERT_TRUE(RunUntil(0.5f, [&] { return Anim(robot) == PLAYER_ANIM_STAND; }));
	EXPECT_FALSE(gPlayerLevel.isDead);
	EXPECT_EQ(CountShards(), 0);

	gRun.health = 0.3f;
	FlattenPlayer();
	EXPECT_TRUE(gPlayerLevel.isDead);
	EXPECT_TRUE(robot->StatusBits & STATUS_BIT_HIDDEN) << "blown up, not worn out";
	EXPECT_GT(CountShards(), 0) << "the robot breaks into shards";
}

TEST_F(PlayerHurtTest, TheSaucerShotDownVanishesSilentWithItsBeamOffAndComesBackHumming)
{
	gCurrentLevel = LEVEL_NUM_SAUCER;
	ClearPlayerLevelFlags();
	InitPlayerSaucer();
	ObjNode* saucer = gPlayerNode;
	InitCamera();
	MakeDeathTransitionRunner();
	gRun.lives = 2;
	Press(NEED_SHOOT);
	ASSERT_TRUE(RunUntil(4, [] { return gSaucerBeam.on >= 0; })) << "a beam to shut off";

	EXPECT_TRUE(PlayerLoseHealth(1, DEATH_KIND_SAUCER));
	EXPECT_TRUE(gPlayerLevel.isDead);
	EXPECT_TRUE(saucer->StatusBits & STATUS_BIT_HIDDEN);
	EXPECT_EQ(saucer->CType, 0u);
	EXPECT_LT(gSaucerBeam.on, 0) << "its beam went off";
	EXPECT_LT(saucer->EffectChannel, 0);

	ASSERT_TRUE(RunUntil(10, [] { return !gPlayerLevel.isDead; }));
	EXPECT_EQ(gPlayerNode, saucer);
	EXPECT_FALSE(saucer->StatusBits & STATUS_BIT_HIDDEN);
	EXPECT_EQ(saucer->CType, CTYPE_PLAYER);
}

TEST_F(PlayerTest, TheJumpJetSpurtsFlameDownAndSmokeFromBothFeet)
{
	ObjNode* robot = MakeRobotOnGround();
	gRun.fuel = 1;
	Run(0.2f);
	Press(NEED_JUMP);
	Frame();
	ASSERT_TRUE(RunUntil(1, [&] { return std::fabs(robot->Delta.y) < 800; }));
	auto exhaust = [](uint8_t texture) {
		std::vector<std::pair<OGLPoint3D, OGLVector3D>> found;
		for (int32_t g = Pool_First(gParticleGroupPool); g >= 0; g = Pool_Next(gParticleGroupPool, g))
			if (gParticleGroups[g].particleTextureNum == texture)
				for (int32_t p = Pool_First(gParticleGroups[g].pool); p >= 0; p = Pool_Next(gParticleGroups[g].pool, p))
					found.push_back({gParticleGroups[g].coord[p], gParticleGroups[g].delta[p]});
		return found;
	};
	EXPECT_TRUE(exhaust(PARTICLE_SPRITE_FLAME).empty()) << "a plain jump burns nothing";

	Press(NEED_JUMP);
	Frame();
	ASSERT_EQ(Anim(robot), PLAYER_ANIM_JUMPJET);
	Run(0.2f);
	const auto flames = exhaust(PARTICLE_SPRITE_FLAME);
	ASSERT_GE(flames.size(), 4u) << "puffs from two feet, frame after frame";
	EXPECT_FALSE(exhaust(PARTICLE_SPRITE_SMOKE_GREY).empty());
	bool leftSide = false, rightSide = false;
	const float sideX = std::cos(robot->Rot.y), sideZ = -std::sin(robot->Rot.y);
	for (const auto& [at, delta] : flames)
	{
		EXPECT_LT(at.y, robot->Coord.y) << "below the robot's middle";
		EXPECT_LT(std::hypot(at.x - robot->Coord.x, at.z - robot->Coord.z), 200.0f);
		EXPECT_LT(delta.y, 0.0f) << "shot down";
		const float side = (at.x - robot->Coord.x) * sideX + (at.z - robot->Coord.z) * sideZ;
		leftSide |= side < 0;
		rightSide |= side > 0;
	}
	EXPECT_TRUE(leftSide && rightSide) << "from both feet";
}

TEST_F(PlayerTest, AHardLandingSendsARingWaveThroughSoftGroundOnly)
{
	auto landingWaves = [&](int level) {
		gCurrentLevel = level;
		ClearSuperTileDeformations();
		ObjNode* robot = MakeRobotOnGround();
		Run(0.2f);
		robot->Coord.y += 600;
		SetPlayerAnim(robot, PLAYER_ANIM_FALL);
		EXPECT_TRUE(RunUntil(2, [&] { return IsPlayerOnGround(robot); }));
		int waves = 0;
		for (const SuperTileDeformation& d : gDeformationList)
			if (d.active && d.type == DEFORM_RING_WAVE && std::hypot(d.centerX - robot->Coord.x, d.centerZ - robot->Coord.z) < 50)
				waves++;
		DeleteObject(robot);
		return waves;
	};
	EXPECT_EQ(landingWaves(LEVEL_NUM_FARM), 0);
	EXPECT_EQ(landingWaves(LEVEL_NUM_BLOB), 1) << "the slime world's ground ripples";
	ClearSuperTileDeformations();
}

TEST_F(PlayerTest, GrabbingAPickUpOfTheMessageClassShowsItsHelp)
{
	ObjNode* robot = MakeRobotOnGround();
	Run(0.2f);
	auto grab = [&](uint32_t cType) {
		ClearHelpMessage();
		ObjectDef def = {};
		def.genre = NODRAW_GENRE;
		def.slot = 100;
		def.coord = {robot->Coord.x - std::sin(robot->Rot.y) * 100, robot->Coord.y, robot->Coord.z - std::cos(robot->Rot.y) * 100};
		def.scale = 1;
		ObjNodeRef thing(MakeNewObject(&def));
		thing.Get()->CType = cType;
		Press(NEED_PUNCH);
		Frame();
		EXPECT_EQ(Anim(robot), PLAYER_ANIM_PICKUP);
		EXPECT_EQ(GetCurrentHelpType(), -1) << "nothing until the hands close";
		EXPECT_TRUE(RunUntil(3, [&] { return !thing.IsAlive(); })) << "taken";
		Run(0.5f);
		return GetCurrentHelpType();
	};
	EXPECT_EQ(grab(CTYPE_PICKUP | CTYPE_PICKUP_MESSAGE), HELP_GOO);
	EXPECT_EQ(grab(CTYPE_PICKUP), -1);
}
