// The level hazards on the farm's terrain without a window, made from
// hand-made map items: crushers and the nova, mines, trap doors, sinking
// platforms, the volcano, the worm pod showers and the saucer level's towers,
// turrets and the destroy beam.
#include "PlayerTestSupport.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Effects/VaporTrails.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "Items/Hazards.h"
#include "Player/PlayerInternal.h"
#include "Player/PlayerSaucerBeams.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/Error.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"

#include <cmath>
#include <deque>
#include <vector>

using namespace PlayerTestSupport;

namespace
{
	class HazardWorld : public PlayerWorld
	{
	protected:
		void SetUp() override
		{
			PlayerWorld::SetUp();
			UpdateVisibleTerrain(gPlayerStartX, gPlayerStartZ);
			InitSparkleStore();
			InitShardSystem();
			ClearHelpMessage();
			ResetHelpMessageSwitches();
			ClearTriggerHandlers();
			InitHazards();
			ResetWormState();
		}

		void TearDown() override
		{
			// The items live in this fixture: the objects must not hand them back.
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				n->TerrainItemPtr = nullptr;
			PlayerWorld::TearDown();
			DisposeShardSystem();
			DisposeSparkles();
			ClearTriggerHandlers();
			ResetSaucerBeams();
			gFatalErrorRaised = false;
		}

		TerrainItemEntryType* MakeItem(uint16_t type, float dx, float dz, uint8_t p0 = 0, uint8_t p3 = 0)
		{
			items.push_back({});
			TerrainItemEntryType* item = &items.back();
			item->x = uint32_t(gPlayerStartX + dx);
			item->z = uint32_t(gPlayerStartZ + dz);
			item->type = type;
			item->parm[0] = p0;
			item->parm[3] = p3;
			return item;
		}

		static ObjNode* Newest() { return gLastCreatedNode; }

		std::deque<TerrainItemEntryType> items;
	};

	bool StrikeWithNova(ObjNode* target)
	{
		return target->HitByWeaponHandler[WEAPON_NOVA](nullptr, target, nullptr, nullptr, 0);
	}

	// A heading-0 crusher's front faces −z: the robot 500 toward +z is behind it.
	TEST_F(HazardWorld, OneSidedCrusherStruckFromBehindStaysDownAndSaysWhy)
	{
		ObjNode* robot = MakeRobotOnGround();
		TerrainItemEntryType* item = MakeItem(45, 0, -500, 0, CRUSHER_ONE_SIDED);
		ASSERT_TRUE(AddCrusher(item, float(item->x), float(item->z)));
		ObjNode* frame = Newest()->ChainHead;
		ASSERT_FALSE(IsPlayerInFrontOfCrusher(frame));
		EXPECT_TRUE(StrikeWithNova(frame));
		EXPECT_EQ(frame->Mode, CRUSHER_IDLE);
		EXPECT_EQ(GetCurrentHelpType(), 20);
		Run(3);
		EXPECT_EQ(frame->Mode, CRUSHER_IDLE);

		// From its front the same strike starts it, and it opens.
		robot->Coord.z = frame->Coord.z - 500;
		UpdateObjectTransforms(robot);
		ASSERT_TRUE(IsPlayerInFrontOfCrusher(frame));
		EXPECT_TRUE(StrikeWithNova(frame));
		EXPECT_EQ(frame->Mode, CRUSHER_WAIT);
		ObjNode* door = CrusherDoor(frame);
		const float rest = door->Coord.y;
		ASSERT_TRUE(RunUntil(8, [&] { return frame->Mode == CRUSHER_HOLD; }));
		EXPECT_NEAR(door->Coord.y, rest + CRUSHER_OPEN_HEIGHT, 1);
		EXPECT_EQ(frame->CType & CTYPE_BLOCKSIGHT, 0u);

		// Now two-sided: from behind it still counts down and slams again.
		robot->Coord.z = frame->Coord.z + 500;
		UpdateObjectTransforms(robot);
		ASSERT_TRUE(RunUntil(6, [&] { return frame->Mode == CRUSHER_WAIT; }));
		EXPECT_NEAR(door->Coord.y, rest, 1);
		EXPECT_TRUE(RunUntil(4, [&] { return frame->Mode == CRUSHER_RISE; }));
	}

	TEST_F(HazardWorld, CrusherStartedOnceIgnoresLaterNovasAndCrushesWhoeverIsUnderItsDoor)
	{
		ObjNode* robot = MakeRobotOnGround();
		TerrainItemEntryType* item = MakeItem(45, 0, -600);
		ASSERT_TRUE(AddCrusher(item, float(item->x), float(item->z)));
		ObjNode* frame = Newest()->ChainHead;
		EXPECT_TRUE(StrikeWithNova(frame));
		EXPECT_FALSE(StrikeWithNova(frame));
		ASSERT_TRUE(RunUntil(8, [&] { return frame->Mode == CRUSHER_HOLD; }));
		robot->Coord.x = frame->Coord.x;
		robot->Coord.z = frame->Coord.z;
		UpdateObjectTransforms(robot);
		EXPECT_TRUE(RunUntil(4, [] { return gPlayerLevel.isDead; }));
	}

	TEST_F(HazardWorld, MineBlastHurtsTheRobotAndHurtableNodesOnlyWithinItsReach)
	{
		ObjNode* robot = MakeRobotOnGround();
		static float hurtTaken;
		hurtTaken = 0;
		ObjectDef def = {};
		def.genre = NODRAW_GENRE;
		def.coord = {robot->Coord.x + 300, robot->Coord.y, robot->Coord.z};
		def.slot = 100;
		ObjNode* victim = MakeNewObject(&def);
		victim->HitByWeaponHandler[WEAPON_HURT] = [](ObjNode*, ObjNode*, const OGLPoint3D*, const OGLVector3D*, float damage) {
			hurtTaken += damage;
			return true;
		};

		const float before = gRun.health;
		ExplodeMine({robot->Coord.x, robot->Coord.y, robot->Coord.z + MINE_BLAST_RADIUS + 400}, nullptr);
		EXPECT_EQ(gRun.health, before);
		EXPECT_EQ(hurtTaken, 0);

		ExplodeMine({robot->Coord.x + 150, robot->Coord.y, robot->Coord.z}, nullptr);
		EXPECT_NEAR(gRun.health, before - MINE_BLAST_DAMAGE, 1e-4f);
		EXPECT_NEAR(hurtTaken, MINE_BLAST_DAMAGE, 1e-6f);
	}

	TEST_F(HazardWorld, ALandMineGoesOffOnceWhenTheRobotTouchesIt)
	{
		ObjNode* robot = MakeRobotOnGround();
		TerrainItemEntryType* item = MakeItem(67, 0, 120);
		ASSERT_TRUE(AddMine(item, float(item->x), float(item->z)));
		ObjNode* mine = Newest();
		ObjNodeRef ref(mine);
		const float before = gRun.health;
		EXPECT_FALSE(HandleTrigger(mine, robot, SIDE_FRONT));
		EXPECT_NEAR(gRun.health, before - MINE_BLAST_DAMAGE, 1e-4f);
		EXPECT_FALSE(ref.IsAlive());
	}

	TEST_F(HazardWorld, TrapDoorOpensOnceUnderfootAndSwingsBackFromItsStop)
	{
		ObjNode* robot = MakeRobotOnGround();
		TerrainItemEntryType* item = MakeItem(84, 400, 400);
		ASSERT_TRUE(AddTrapDoor(item, float(item->x), float(item->z)));
		ObjNode* door = Newest();
		EXPECT_EQ(std::fmod(door->CollisionBoxes[0].left, 225.0f), 0.0f);		// on the tile grid
		EXPECT_EQ(door->CollisionBoxes[0].right - door->CollisionBoxes[0].left, 225.0f);

		// Bumped from the side it holds; trodden on it drops away.
		EXPECT_TRUE(HandleTrigger(door, robot, SIDE_FRONT));
		EXPECT_EQ(door->Rot.x, 0);
		EXPECT_FALSE(HandleTrigger(door, robot, SIDE_BOTTOM));
		EXPECT_TRUE(door->StatusBits & STATUS_BIT_NOCOLLISION);
		float highest = 0, lowestAfterBounce = PI;
		bool swungBack = false;
		Run(3, [&] {
			highest = std::fmax(highest, door->Rot.x);
			swungBack |= door->DeltaRot.x < 0;
			if (swungBack)
				lowestAfterBounce = std::fmin(lowestAfterBounce, door->Rot.x);
		});
		EXPECT_GT(highest, PI / 2);
		EXPECT_LE(highest, 2 * PI / 3 + 1e-4f);
		EXPECT_TRUE(swungBack);
		// The bounce lost speed: it never swings back up level with the floor.
		EXPECT_GT(lowestAfterBounce, 0.1f);
	}

	TEST_F(HazardWorld, SinkingPlatformWaitsSinksSixHundredAndComesBackReady)
	{
		ObjNode* robot = MakeRobotOnGround();
		TerrainItemEntryType* item = MakeItem(98, 0, 700);
		ASSERT_TRUE(AddSinkingPlatform(item, float(item->x), float(item->z)));
		ObjNode* platform = Newest();
		const float top = platform->Coord.y;
		EXPECT_TRUE(HandleTrigger(platform, robot, SIDE_BOTTOM));		// solid: he stands on it
		EXPECT_EQ(platform->CType & CTYPE_TRIGGER, 0u);
		Run(SINKING_PLATFORM_DELAY - 0.2f);
		EXPECT_EQ(platform->Coord.y, top);
		float lowest = top;
		ASSERT_TRUE(RunUntil(20, [&] {
			lowest = std::fmin(lowest, platform->Coord.y);
			return (platform->CType & CTYPE_TRIGGER) != 0;
		}));
		EXPECT_NEAR(lowest, top - SINKING_PLATFORM_DEPTH, 1);
		EXPECT_NEAR(platform->Coord.y, top, 1e-3f);
	}

	TEST_F(HazardWorld, ManholeBlastHurtsAndThrowsUpARobotStandingOnItAndTheCoverComesBackDown)
	{
		ObjNode* robot = MakeRobotOnGround();
		TerrainItemEntryType* item = MakeItem(46, 30, 0);
		ASSERT_TRUE(AddManholeCover(item, float(item->x), float(item->z)));
		ObjNode* cover = Newest();
		const float before = gRun.health, rest = cover->Coord.y;
		ASSERT_TRUE(RunUntil(4.5f, [&] { return gRun.health < before; }));
		EXPECT_NEAR(gRun.health, before - 0.2f, 1e-4f);
		EXPECT_GT(robot->Delta.y, 1500);
		Frame();
		EXPECT_GT(cover->Coord.y, rest + 50);		// blown off
		// The lid lands and lies flat again before its next blast.
		EXPECT_TRUE(RunUntil(2.5f, [&] { return cover->Coord.y == rest && cover->Rot.x == 0 && cover->Rot.z == 0; }));
	}

	TEST_F(HazardWorld, SnowballWaitsForTheRobotThenRollsSixSecondsAndShatters)
	{
		ObjNode* robot = MakeRobotOnGround();
		TerrainItemEntryType* item = MakeItem(97, 0, 2500);
		ASSERT_TRUE(AddSnowball(item, float(item->x), float(item->z)));
		ObjNodeRef ball(Newest());
		Run(8);
		ASSERT_TRUE(ball.IsAlive());		// nobody near: it never started

		robot->Coord.z += 1200;
		UpdateObjectTransforms(robot);
		Run(5.5f);
		ASSERT_TRUE(ball.IsAlive());
		EXPECT_LE(ball.Get()->Scale.x, 8.0f);
		Run(1);
		EXPECT_FALSE(ball.IsAlive());
	}

	TEST_F(HazardWorld, VolcanoSwellsTheGroundForThreeSecondsOnceAndNeverAgain)
	{
		EXPECT_EQ(VolcanoSwellFactor(VOLCANO_SWELL_RADIUS), 0);
		EXPECT_NEAR(VolcanoSwellFactor(VOLCANO_SWELL_RADIUS / 2), 1, 1e-5f);
		EXPECT_EQ(VolcanoSwellFactor(100), 2);		// the top is flat

		MakeRobotOnGround();
		TerrainItemEntryType* item = MakeItem(88, 0, 2500);
		const float cx = float(item->x), cz = float(item->z);
		const float centre = TerrainHeightAt(cx, cz), rim = TerrainHeightAt(cx, cz - VOLCANO_SWELL_RADIUS - 100);
		ASSERT_TRUE(AddVolcano(item, cx, cz));
		EXPECT_FALSE(HasVolcanoErupted(item));
		Run(VOLCANO_SWELL_TIME + 0.5f);
		EXPECT_TRUE(HasVolcanoErupted(item));
		// 2 × 150 × (3² / 2) at the centre, summed frame by frame.
		EXPECT_NEAR(TerrainHeightAt(cx, cz) - centre, 1350, 60);
		EXPECT_EQ(TerrainHeightAt(cx, cz - VOLCANO_SWELL_RADIUS - 100), rim);
		const float risen = TerrainHeightAt(cx, cz);
		EXPECT_FALSE(AddVolcano(item, cx, cz));
		Run(VOLCANO_SWELL_TIME + 0.5f);
		EXPECT_EQ(TerrainHeightAt(cx, cz), risen);
	}

	TEST_F(HazardWorld, PodShowerStopsAtTenPodsAndAPodNearTheRobotHatchesAWorm)
	{
		ObjNode* robot = MakeRobotOnGround();
		TerrainItemEntryType* item = MakeItem(2, 0, 6000);
		ASSERT_TRUE(AddPodShower(item, float(item->x), float(item->z)));
		ObjNode* shower = Newest();
		// Hurried along: a drop every frame it is asked for one.
		Run(3, [&] { shower->SpecialF[0] = 0; });
		EXPECT_EQ(CountWormPods(), MAX_WORM_PODS);
		EXPECT_EQ(CountWorms(), 0);

		robot->Coord.z += 4500;
		UpdateObjectTransforms(robot);
		ASSERT_TRUE(RunUntil(4, [] { return CountWorms() > 0; }));
		EXPECT_LT(CountWormPods(), MAX_WORM_PODS);
		Run(2, [&] { EXPECT_LE(CountWorms(), MAX_WORMS); });
	}

	TEST_F(HazardWorld, WormPathRunsThroughItsNubsWithTheCountAsked)
	{
		const OGLPoint3D nubs[3] = {{0, 0, 0}, {300, 200, 100}, {600, -250, 0}};
		const int32_t perSpan[3] = {40, 25, 1};
		std::vector<OGLPoint3D> path;
		GenerateWormSplinePoints(nubs, 3, perSpan, &path);
		ASSERT_EQ(path.size(), 66u);
		EXPECT_TRUE(OGLPoint3D_AreClose(&path[0], &nubs[0]));
		EXPECT_NEAR(path[40].y, 200, 1e-3f);
		EXPECT_TRUE(OGLPoint3D_AreClose(&path[65], &nubs[2]));

		const int32_t tooMany[3] = {MAX_SPLINE_POINTS, 0, 0};
		EXPECT_THROW(GenerateWormSplinePoints(nubs, 3, tooMany, &path), Tamber::QuitRequest);
	}

	TEST_F(HazardWorld, ATrapDoorFallRemembersTheDoorFallenThroughUntilTheRespawn)
	{
		ObjNode* robot = MakeRobotOnGround();
		TerrainItemEntryType* near = MakeItem(84, 0, 0);
		ASSERT_TRUE(AddTrapDoor(near, float(near->x), float(near->z)));
		ObjNode* door = Newest();
		TerrainItemEntryType* other = MakeItem(84, 900, 0);
		ASSERT_TRUE(AddTrapDoor(other, float(other->x), float(other->z)));

		robot->Coord = {door->Coord.x, door->Coord.y - 200, door->Coord.z + 112};
		KillPlayer(DEATH_KIND_FELL);
		EXPECT_EQ(PlayerFallDoor(), door) << "the nearer of two doors";
		ResetPlayerAtCheckpoint();
		EXPECT_EQ(PlayerFallDoor(), nullptr);

		// Other deaths, and falls far from any door, remember none.
		gPlayerLevel.isDead = false;
		robot->Coord = {door->Coord.x - TRAP_DOOR_FALL_REACH - 300, door->Coord.y, door->Coord.z};
		KillPlayer(DEATH_KIND_FELL);
		EXPECT_EQ(PlayerFallDoor(), nullptr);
	}

	TEST_F(HazardWorld, AFallingPodTrailsSmokeAllTheWayDown)
	{
		TerrainItemEntryType* item = MakeItem(2, 0, 6000);
		ASSERT_TRUE(AddPodShower(item, float(item->x), float(item->z)));
		ObjNode* shower = Newest();
		shower->SpecialF[0] = 0;
		Frame();
		ObjNode* pod = Newest();
		ASSERT_NE(pod, shower);
		const float top = pod->Coord.y;
		ASSERT_TRUE(VerifyVaporTrail(pod->VaporTrails[0], pod, 0));
		const VaporTrailType& trail = gVaporTrails[pod->VaporTrails[0]];
		ASSERT_TRUE(RunUntil(2, [&] { return pod->Mode != 0; })) << "it lands";
		EXPECT_GT(trail.numSegments, 10);
		EXPECT_GE(trail.points[0].y, top);
		EXPECT_LT(trail.points[trail.numSegments - 1].y, top - 5000) << "the trail reaches down to where it fell";
	}

	// A worm's body follows the bends of its path: a half circle of radius
	// 300 in the x/z plane, one point per unit of arc.
	TEST(WormBody, JointsSitAlongThePathFacingTheWayItRuns)
	{
		std::vector<OGLPoint3D> path;
		for (int i = 0; i < 942; i++)
		{
			float a = float(i) / 300.0f;
			path.push_back({300 * std::sin(a), 50, 300 - 300 * std::cos(a)});
		}
		SkeletonObjDataType skeleton = {};
		const float head = 500, scale = 1.5f;
		PoseWormAlongPath(&skeleton, 10, path, head, scale);
		for (int i = 0; i < 10; i++)
		{
			const OGLMatrix4x4& m = skeleton.jointTransformMatrix[i];
			const OGLPoint3D& want = path[size_t(head) - size_t(i * WORM_JOINT_SPACING)];
			EXPECT_NEAR(m.value[12], want.x, 1e-3f) << "joint " << i;
			EXPECT_NEAR(m.value[14], want.z, 1e-3f) << "joint " << i;
			// The joint's front (−z in the rig) points along the path: the
			// tangent of the circle at its point, and it keeps the scale.
			const OGLVector3D front = {-m.value[8] / scale, -m.value[9] / scale, -m.value[10] / scale};
			const float a = (head - float(i * WORM_JOINT_SPACING) + WORM_LOOK_AHEAD / 2.0f) / 300.0f;
			EXPECT_NEAR(front.x, std::cos(a), 0.01f) << "joint " << i;
			EXPECT_NEAR(front.z, std::sin(a), 0.01f) << "joint " << i;
			EXPECT_NEAR(front.y, 0, 1e-4f);
		}
		// Joints 1 and 9 are far apart round the bend, not on one straight line.
		const OGLMatrix4x4& j1 = skeleton.jointTransformMatrix[1];
		const OGLMatrix4x4& j9 = skeleton.jointTransformMatrix[9];
		EXPECT_LT(j1.value[8] * j9.value[8] + j1.value[10] * j9.value[10], 0.8f * scale * scale);

		// Just out of the pod, the joints not yet on the path wait at its start.
		PoseWormAlongPath(&skeleton, 10, path, 40, scale);
		EXPECT_NEAR(skeleton.jointTransformMatrix[5].value[12], path[0].x, 1e-3f);
		EXPECT_NEAR(skeleton.jointTransformMatrix[5].value[14], path[0].z, 1e-3f);
	}

	class SaucerHazardWorld : public HazardWorld
	{
	protected:
		void SetUp() override
		{
			HazardWorld::SetUp();
			gCurrentLevel = LEVEL_NUM_SAUCER;
			InitPlayerSaucer();
			saucer = gPlayerNode;
			Frame();			// it keeps its distance from the map's edges: let it settle
			gRun.health = 1;
		}
		TerrainItemEntryType* NearSaucer(uint16_t type, float dx, float dz)
		{
			return MakeItem(type, saucer->Coord.x - gPlayerStartX + dx, saucer->Coord.z - gPlayerStartZ + dz);
		}
		ObjNode* saucer = nullptr;
	};

	TEST_F(SaucerHazardWorld, TowerScorchesOnlyASaucerOverIt)
	{
		ASSERT_GT(PlayerSaucerRadius(), 0);
		TerrainItemEntryType* far = NearSaucer(102, PlayerSaucerRadius() + 150, 0);
		ASSERT_TRUE(AddTower(far, float(far->x), float(far->z)));
		Run(0.5f);
		EXPECT_EQ(gRun.health, 1);

		TerrainItemEntryType* under = NearSaucer(102, 0, 40);
		ASSERT_TRUE(AddTower(under, float(under->x), float(under->z)));
		Run(0.2f);
		EXPECT_NEAR(gRun.health, 1 - TOWER_DAMAGE_RATE * 0.2f, 0.01f);
	}

	TEST_F(SaucerHazardWorld, TurretShootsTheSaucerInRangeAndTheDestroyBeamBlowsItUp)
	{
		TerrainItemEntryType* item = NearSaucer(104, 0, 900);
		ASSERT_TRUE(AddTurret(item, float(item->x), float(item->z)));
		ObjNode* base = Newest()->ChainHead;
		ObjNodeRef ref(base);
		ASSERT_TRUE(RunUntil(8, [] { return gRun.health < 1; }));
		// Each shot that lands costs the same.
		const float lost = 1 - gRun.health;
		EXPECT_NEAR(lost / TURRET_SHOT_DAMAGE, std::round(lost / TURRET_SHOT_DAMAGE), 1e-3f);

		// The gun flashes at its muzzle while it fires, and the flash fades
		// once there is no saucer to fire at.
		ObjNode* gun = base->ChainNode;
		EXPECT_TRUE(gun->Sparkles[0] != -1 || gun->Sparkles[1] != -1);
		gPlayerLevel.isDead = true;
		Run(0.5f);
		EXPECT_EQ(gun->Sparkles[0], -1);
		EXPECT_EQ(gun->Sparkles[1], -1);
		gPlayerLevel.isDead = false;

		// Out of the beam's reach it stands; over it, it goes.
		gSaucerBeam.on = SAUCER_BEAM_DESTROY;
		gSaucerBeam.charge[SAUCER_BEAM_DESTROY] = 1;
		Frame();
		EXPECT_TRUE(ref.IsAlive());
		saucer->Coord.z = base->Coord.z - 100;
		UpdateObjectTransforms(saucer);
		Frame();
		EXPECT_FALSE(ref.IsAlive());
	}
}

namespace
{
	TEST_F(HazardWorld, JetDebrisOnlyShakesUntilTheRobotJetsIntoIt)
	{
		ObjNode* robot = MakeRobotOnGround();
		TerrainItemEntryType* item = MakeItem(64, 0, 200, 2);
		ASSERT_TRUE(AddJetDebris(item, float(item->x), float(item->z)));
		ObjNodeRef debris(Newest());
		EXPECT_TRUE(HandleTrigger(debris.Get(), robot, SIDE_FRONT));		// walked into: solid, it shakes
		EXPECT_GT(debris.Get()->SpecialF[0], 0);
		robot->Skeleton->AnimNum = PLAYER_ANIM_JUMPJET;
		EXPECT_FALSE(HandleTrigger(debris.Get(), robot, SIDE_FRONT));
		EXPECT_FALSE(debris.IsAlive());

		TerrainItemEntryType* bad = MakeItem(64, 0, 400, 7);
		EXPECT_THROW(AddJetDebris(bad, float(bad->x), float(bad->z)), Tamber::QuitRequest);
	}
}
