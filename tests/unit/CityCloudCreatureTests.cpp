// The ruined city's and the clouds' creatures beside the robot on the baked
// farm: how many hits each takes, when the mutant punches and the mutant
// robot opens and keeps up fire, a mutant climbing out of its grave, the
// clown's bubble (burst when the clown is hurt, by a dart, or on the robot),
// the clown fish's bomb and its shock ring, and the strong man's hold.
#include "CreatureTestSupport.h"
#include "Player/Player.h"
#include "SplineTestLoop.h"
#include "Enemies/CityCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/CloudCreatures.h"
#include "Player/WeaponTypes.h"
#include "Terrain/TerrainFile.h"

#include <vector>

using namespace PlayerTestSupport;
using namespace CreatureTestSupport;

namespace
{
	class CreatureTest : public CreatureWorld
	{
	protected:
		void LoadCreatures() override
		{
			for (int type : {SKELETON_TYPE_MUTANT, SKELETON_TYPE_MUTANTROBOT, SKELETON_TYPE_CLOWN, SKELETON_TYPE_CLOWNFISH,
					 SKELETON_TYPE_STRONGMAN})
				LoadASkeleton(type);
			ASSERT_GT(LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL), GLOBAL_MODEL_STUN_SHOT);
		}

		void SetUp() override
		{
			CreatureWorld::SetUp();
			gRun.health = 1;
		}

		// The robot stands still and takes no part: only the creature moves.
		void FreezeRobot() { robot->MoveCall = nullptr; }

		static void Face(ObjNode* creature, const ObjNode* target)
		{
			creature->Rot.y = CalcYAngleFromPointToPoint(creature->Rot.y, creature->Coord.x, creature->Coord.z,
					target->Coord.x, target->Coord.z);
			UpdateObjectTransforms(creature);
		}

		static bool Hit(int weapon, ObjNode* target)
		{
			return HitByWeapon(weapon, nullptr, target, nullptr, nullptr, 0);
		}
	};
}

//
// The city
//

TEST_F(CreatureTest, FourStunShotsKillAMutantAndSevenAMutantRobot)
{
	struct Case { const CreatureKind* kind; int hits; };
	for (Case c : {Case{&kMutantKind, 4}, Case{&kMutantRobotKind, 7}})
	{
		OGLPoint3D at = NearRobot(1200);
		ObjNodeRef creature(MakeCreature(*c.kind, at.x, at.z));
		CountEnemy(creature.Get());
		for (int i = 1; i < c.hits; i++)
		{
			EXPECT_TRUE(Hit(WEAPON_STUNGUN, creature.Get()));
			ASSERT_TRUE(creature.IsAlive()) << "after " << i << " of " << c.hits << " hits";
		}
		Hit(WEAPON_STUNGUN, creature.Get());
		EXPECT_FALSE(creature.IsAlive()) << c.hits << " hits kill";
		EXPECT_EQ(gNumEnemies, 0);
	}
	// Neither takes a freeze shot: it passes through.
	OGLPoint3D at = NearRobot(1200);
	ObjNode* mutant = MakeCreature(kMutantKind, at.x, at.z);
	EXPECT_FALSE(Hit(WEAPON_FREEZEGUN, mutant));
	EXPECT_FLOAT_EQ(mutant->Health, MUTANT_HEALTH);
}

TEST_F(CreatureTest, AMutantPunchesOnlyARobotNearInFrontAndNeverOneOnAZipLine)
{
	FreezeRobot();
	OGLPoint3D at = NearRobot(250);
	ObjNode* mutant = MakeCreature(kMutantKind, at.x, at.z);
	// Facing away: it turns first.
	mutant->Rot.y = robot->Rot.y;
	Frame();
	EXPECT_NE(mutant->Skeleton->AnimNum, MUTANT_ANIM_PUNCH) << "the robot is behind it";
	ASSERT_TRUE(RunUntil(2, [&] { printf("anim %d d %.0f ang %.2f\n", mutant->Skeleton->AnimNum, EnemyDistanceToPlayer(mutant), std::fabs(mutant->Rot.y - robot->Rot.y)); return mutant->Skeleton->AnimNum == MUTANT_ANIM_PUNCH; })) << "turned, it punches";
	ASSERT_TRUE(RunUntil(2, [&] { return gRun.health < 1; })) << "the blow lands";
	EXPECT_NEAR(gRun.health, 1 - MUTANT_DAMAGE, 1e-4f);

	// On a zip line the robot is out of its reach.
	gPlayerLevel.invincibleTimer = 0;
	robot->Skeleton->AnimNum = PLAYER_ANIM_ZIPLINE;
	Run(1.5f);
	Face(mutant, robot);
	MorphToSkeletonAnim(mutant->Skeleton, MUTANT_ANIM_STAND, 100);
	Run(1.5f, [&] { EXPECT_NE(mutant->Skeleton->AnimNum, MUTANT_ANIM_PUNCH); });
}

TEST_F(CreatureTest, AMutantRobotOpensFireNearButKeepsFiringAtAnyRangeForThreeSeconds)
{
	FreezeRobot();
	OGLPoint3D far = NearRobot(600);
	ObjNode* gunner = MakeCreature(kMutantRobotKind, far.x, far.z);
	Face(gunner, robot);
	gunner->MoveCall = nullptr;			// held where it is while the robot is out of range
	for (int i = 0; i < 30; i++)
	{
		GetObjectInfo(gunner);
		MoveMutantRobot(gunner);
		gunner->Coord = {far.x, gunner->Coord.y, far.z};
		gunner->Skeleton->AnimNum = MUTANTROBOT_ANIM_STAND;
	}
	EXPECT_EQ(CountNodesMovedBy(MoveMutantRobotBolt), 0) << "600 away is out of range to open fire";

	// Within 400 it opens fire; walked back to 700 it keeps firing.
	OGLPoint3D near = NearRobot(350);
	gunner->Coord = {near.x, gunner->Coord.y, near.z};
	gunner->MoveCall = MoveMutantRobot;
	Frame();
	ASSERT_EQ(gunner->Skeleton->AnimNum, MUTANTROBOT_ANIM_SHOOT);
	EXPECT_EQ(CountNodesMovedBy(MoveMutantRobotBolt), 0) << "the cannon comes up before the first bolt";
	ObjNode* first = nullptr;
	float burst = 0;
	for (int i = 0; i < 10 && !first; i++)
	{
		Frame();
		burst += FRAME;
		first = FindObjectWithMoveCall(MoveMutantRobotBolt);
	}
	ASSERT_NE(first, nullptr);
	// Aimed: it flies at the robot, within the 60° the gunner fires in.
	const OGLVector2D toRobot = {robot->Coord.x - first->Coord.x, robot->Coord.z - first->Coord.z};
	const float cosine = (toRobot.x * first->Delta.x + toRobot.y * first->Delta.z)
			/ (std::hypot(toRobot.x, toRobot.y) * std::hypot(first->Delta.x, first->Delta.z));
	EXPECT_GT(cosine, std::cos(PI / 3)) << "the first bolt leaves the raised cannon";
	int bolts = 1;
	OGLPoint3D back = NearRobot(700);
	gunner->Coord.x = back.x;
	gunner->Coord.z = back.z;
	while (gunner->Skeleton->AnimNum == MUTANTROBOT_ANIM_SHOOT && burst < 5)
	{
		int before = CountNodesMovedBy(MoveMutantRobotBolt);
		Frame();
		burst += FRAME;
		bolts += CountNodesMovedBy(MoveMutantRobotBolt) > before ? 1 : 0;
		gPlayerLevel.invincibleTimer = 1;			// the bolts must not knock the robot aside
	}
	EXPECT_NEAR(burst, MUTANTROBOT_SHOOT_TIME, 2 * FRAME) << "a burst lasts its three seconds";
	EXPECT_GE(bolts, 13) << "a bolt every 0.2 s";
	EXPECT_LE(bolts, 16);
}

TEST_F(CreatureTest, ABoltVanishesAfterASecondUnlessItStrikesFirst)
{
	OGLPoint3D at = NearRobot(-400);
	ObjNode* gunner = MakeCreature(kMutantRobotKind, at.x, at.z);
	gunner->Rot.y = robot->Rot.y + PI;			// its back to the robot: the bolts fly off over the fields
	UpdateObjectTransforms(gunner);
	ObjectDef def = {};
	def.group = MODEL_GROUP_GLOBAL;
	def.type = GLOBAL_MODEL_STUN_SHOT;
	def.coord = {at.x, TerrainHeightAt(at.x, at.z) + 300, at.z};
	def.slot = 100;
	def.moveCall = MoveMutantRobotBolt;
	def.scale = 1;
	ObjNodeRef bolt(MakeNewDisplayGroupObject(&def));
	bolt.Get()->Health = MUTANTROBOT_BOLT_LIFE;
	bolt.Get()->Delta = {0, 200, 0};			// rising: nothing to strike
	Run(MUTANTROBOT_BOLT_LIFE - 2 * FRAME);
	EXPECT_TRUE(bolt.IsAlive());
	Run(3 * FRAME);
	EXPECT_FALSE(bolt.IsAlive());

	def.coord.y = TerrainHeightAt(at.x, at.z) + 20;
	ObjNodeRef diving(MakeNewDisplayGroupObject(&def));
	diving.Get()->Health = MUTANTROBOT_BOLT_LIFE;
	diving.Get()->Delta = {0, -1500, 0};
	Run(3 * FRAME);
	EXPECT_FALSE(diving.IsAlive()) << "it bursts on the ground at once";
}

TEST_F(CreatureTest, AMutantRisesFromItsGraveTinyGrowsAndLeapsUnlessTheCapIsReached)
{
	OGLPoint3D at = NearRobot(1000);
	ObjNode* mutant = RaiseMutantFromGrave(at.x, at.z);
	ASSERT_NE(mutant, nullptr);
	EXPECT_EQ(gNumEnemyOfKind[ENEMY_KIND_MUTANT], 1) << "a risen mutant counts";
	EXPECT_FLOAT_EQ(mutant->Scale.x, MUTANT_RISE_START_SCALE);
	EXPECT_EQ(mutant->Skeleton->AnimNum, MUTANT_ANIM_GROW);
	float grown = (MUTANT_SCALE - MUTANT_RISE_START_SCALE) / 0.4f;
	Run(grown - 0.2f);
	EXPECT_EQ(mutant->Skeleton->AnimNum, MUTANT_ANIM_GROW);
	Run(0.3f);
	EXPECT_FLOAT_EQ(mutant->Scale.x, MUTANT_SCALE);
	EXPECT_NE(mutant->Skeleton->AnimNum, MUTANT_ANIM_GROW);

	gNumEnemies = gMaxEnemies;
	EXPECT_EQ(RaiseMutantFromGrave(at.x + 300, at.z), nullptr) << "no room under the cap";
	gNumEnemies = 1;
}

//
// The clouds
//

TEST_F(CreatureTest, AClownHurtWhileBlowingBurstsItsHalfBlownBubble)
{
	FreezeRobot();
	OGLPoint3D at = NearRobot(500);
	ObjNode* clown = MakeCreature(kClownKind, at.x, at.z);
	Face(clown, robot);
	clown->SpecialF[0] = 0;
	ASSERT_TRUE(RunUntil(3, [&] { return ClownBubbleBeingBlown(clown) != nullptr; })) << "it blows at a robot 500 away";
	Run(0.3f);
	ObjNodeRef bubble(ClownBubbleBeingBlown(clown));
	ASSERT_TRUE(bubble.IsAlive());
	EXPECT_LT(bubble.Get()->Scale.x, CLOWN_BUBBLE_FULL) << "still swelling";
	EXPECT_TRUE(HurtObject(clown, 0.25f));
	EXPECT_FALSE(bubble.IsAlive()) << "the hurt clown's bubble bursts";
	EXPECT_EQ(clown->Skeleton->AnimNum, CLOWN_ANIM_HURT);
	EXPECT_FALSE(ClownBubbleBeingBlown(clown));
}

TEST_F(CreatureTest, AFreeBubbleDriftsOntoTheRobotAndCostsItOnceOnlyADartBurstsItInFlight)
{
	FreezeRobot();
	OGLPoint3D at = NearRobot(500);
	ObjNode* clown = MakeCreature(kClownKind, at.x, at.z);
	Face(clown, robot);
	clown->SpecialF[0] = 0;
	ObjNodeRef bubble;
	ASSERT_TRUE(RunUntil(3, [&] {
		if (ObjNode* b = ClownBubbleBeingBlown(clown))
			bubble = ObjNodeRef(b);
		return bubble.IsAlive() && bubble.Get()->MoveCall == MoveClownBubble;
	})) << "blown up, it is let go";
	clown->MoveCall = nullptr;				// no second bubble
	EXPECT_FALSE(Hit(WEAPON_STUNGUN, bubble.Get())) << "a stun shot passes through";
	ASSERT_TRUE(bubble.IsAlive());
	ASSERT_TRUE(RunUntil(CLOWN_BUBBLE_LIFE, [&] { return !bubble.IsAlive(); }));
	EXPECT_NEAR(gRun.health, 1 - CLOWN_BUBBLE_DAMAGE, 1e-4f) << "it burst on the robot";

	// A second one, shot with a dart in the air.
	clown->MoveCall = MoveClown;
	gPlayerLevel.invincibleTimer = 0;
	ObjNodeRef second;
	ASSERT_TRUE(RunUntil(8, [&] {
		if (ObjNode* b = ClownBubbleBeingBlown(clown))
			second = ObjNodeRef(b);
		return second.IsAlive() && second.Get()->MoveCall == MoveClownBubble;
	}));
	EXPECT_TRUE(Hit(WEAPON_DART, second.Get()));
	EXPECT_FALSE(second.IsAlive());
}

TEST_F(CreatureTest, AClownFishFliesUncountedDropsOneBombAndReloadsOnlyOutOfSightFarAway)
{
	FreezeRobot();
	OGLPoint3D centre = NearRobot(1800);		// the loop passes 300 from the robot
	SplineTestLoop loop(centre, 1500, 600, 79);
	ASSERT_TRUE(AddCreatureOnSpline<kClownFishKind>(0, &loop.item));
	// Riders move in the spline pass after the objects.
	auto frameWithRiders = [&] { Frame(); MoveSplineObjects(); };
	frameWithRiders();
	ObjNode* fish = nullptr;
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		if (n->MoveCall == MoveClownFishOnSpline && n->CType != INVALID_NODE_FLAG)
			fish = n;
	ASSERT_NE(fish, nullptr) << "its supertile is in range";
	EXPECT_EQ(gNumEnemies, 0) << "a rider is not counted";
	EXPECT_NEAR(fish->Coord.y - TerrainHeightAtNoHoles(fish->Coord.x, fish->Coord.z), CLOWNFISH_ALTITUDE, 400);
	ASSERT_NE(FishCarriedBomb(fish), nullptr);

	// Its loop passes by the robot: the bomb falls there, once.
	int drops = 0;
	ObjNode* carried = FishCarriedBomb(fish);
	fish->StatusBits &= ~STATUS_BIT_ISCULLED;
	for (int i = 0; i < int(12 / FRAME); i++)
	{
		frameWithRiders();
		fish->StatusBits &= ~STATUS_BIT_ISCULLED;		// in view the whole way round
		gPlayerLevel.invincibleTimer = 1;
		if (FishCarriedBomb(fish) != carried)
		{
			drops += carried != nullptr;
			carried = FishCarriedBomb(fish);
		}
	}
	EXPECT_EQ(drops, 1) << "one bomb per pass while in view";
	EXPECT_EQ(FishCarriedBomb(fish), nullptr);

	// Out of view and far from the robot, it hangs on a new one.
	robot->Coord.x += 20000;			// nowhere near
	fish->StatusBits |= STATUS_BIT_ISCULLED;
	frameWithRiders();
	EXPECT_NE(FishCarriedBomb(fish), nullptr);
	EXPECT_EQ(gNumEnemies, 0);

	// Its supertile out of range: off the object list, still on its loop.
	fish->Coord.x = -100000;
	IsSplineObjectOnActiveTerrain(fish);
	EXPECT_TRUE(fish->StatusBits & STATUS_BIT_DETACHED);
	EXPECT_TRUE(fish->StatusBits & STATUS_BIT_ONSPLINE);
}

TEST_F(CreatureTest, TheBlastRingSpinsAndFlingsTheRobotEveryFrameButHurtsItOnce)
{
	FreezeRobot();
	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.coord = NearRobot(60);
	def.coord.y = robot->Coord.y;
	def.slot = 3000;
	def.scale = 1;
	ObjNode* bomb = MakeNewObject(&def);
	robot->Delta = {50, 0, 0};
	ExplodeFishBomb(bomb);
	float speed = 50;
	int frames = 0;
	Run(0.2f, [&] {
		float now = std::hypot(robot->Delta.x, robot->Delta.z);
		if (now > speed * 1.9f)
			frames++;
		speed = now;
	});
	EXPECT_GE(frames, 2) << "doubled on more than one frame";
	EXPECT_NEAR(gRun.health, 1 - FISH_BOMB_RING_DAMAGE, 1e-4f) << "the damage lands once";
	float away = CalcYAngleFromPointToPoint(0, def.coord.x, def.coord.z, robot->Coord.x, robot->Coord.z);
	EXPECT_NEAR(std::cos(robot->Rot.y - away), 1, 1e-3f) << "facing away from the blast";
}

TEST_F(CreatureTest, AStrongManLiftsTheRobotNoOtherCanTakeItAndHurtingHimThrowsItDown)
{
	OGLPoint3D at = NearRobot(120);
	ObjNode* first = MakeCreature(kStrongManKind, at.x, at.z);
	Face(first, robot);
	first->SpecialF[0] = 0;
	OGLPoint3D other = NearRobot(-120);
	ObjNode* second = MakeCreature(kStrongManKind, other.x, other.z);
	Face(second, robot);
	second->SpecialF[0] = 0;

	Frame();
	ObjNode* holder = StrongManHoldingPlayer();
	ASSERT_NE(holder, nullptr);
	EXPECT_EQ(robot->Skeleton->AnimNum, PLAYER_ANIM_STRONGMANHELD);
	ObjNode* bystander = holder == first ? second : first;
	// A second in he has scooped it up and pressed it overhead (the throw comes at 1.7 s).
	Run(1.0f);
	EXPECT_EQ(StrongManHoldingPlayer(), holder) << "the other never takes it";
	EXPECT_EQ(bystander->Skeleton->AnimNum == STRONGMAN_ANIM_LIFT, false);
	EXPECT_GT(robot->Coord.y, holder->Coord.y + 150) << "held up over his head";

	EXPECT_FALSE(Hit(WEAPON_FIST, holder)) << "a fist does him no harm";
	EXPECT_TRUE(Hit(WEAPON_STUNGUN, holder));
	EXPECT_EQ(StrongManHoldingPlayer(), nullptr);
	EXPECT_EQ(robot->Skeleton->AnimNum, PLAYER_ANIM_GOTHIT);
	EXPECT_NEAR(gRun.health, 1 - STRONGMAN_DAMAGE, 1e-4f) << "let go with the throw's hit";
}
