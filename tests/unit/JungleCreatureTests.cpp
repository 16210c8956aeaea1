// The jungle's creatures beside the robot on the baked farm: the lizard's
// fire and swallow, the giant robot it cannot swallow, the hits that count
// in single precision, the flytrap that freezes and burns but never dies,
// the mantis under the arc shot, the acid glob's four impacts, and riders
// counted once they leave their loops.
#include "CreatureTestSupport.h"
#include "Player/Player.h"
#include "Enemies/JungleCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Player/Weapons.h"
#include "Player/WeaponTypes.h"

using namespace PlayerTestSupport;
using namespace CreatureTestSupport;

namespace
{
	class JungleCreatureTest : public CreatureWorld
	{
	protected:
		void LoadCreatures() override
		{
			for (SkeletonType type : {SKELETON_TYPE_GIANTLIZARD, SKELETON_TYPE_VENUSFLYTRAP, SKELETON_TYPE_MANTIS})
				LoadASkeleton(type);
		}

		void TearDown() override
		{
			if (robot)
				ResetGrowth(robot);
			gPlayerLevel.scale = 1;
			CreatureWorld::TearDown();
		}

		// A creature made `ahead` of the robot, facing it.
		void FaceRobot(ObjNode* creature)
		{
			creature->Rot.y = robot->Rot.y + PI;
			UpdateObjectTransforms(creature);
		}

		void MakeRobotGiant()
		{
			gGrowthState = GROWTH_STATE_GROWING;
			gGrowthNodeScale = GROWTH_MAX_SCALE;
			gGrowthTimer = 1000;
			UpdateGrowth(robot, 0);
		}

		// A projectile of `weapon` as the hit handlers see it.
		static ObjNode Shot(int weapon)
		{
			ObjNode shot = {};
			shot.Kind = uint8_t(weapon);
			shot.Damage = 0.2f;
			return shot;
		}

		static float Distance(const ObjNode* a, const ObjNode* b)
		{
			return CalcDistance(a->Coord.x, a->Coord.z, b->Coord.x, b->Coord.z);
		}
	};
}

TEST_F(JungleCreatureTest, ALizardBreathesFireAtARobotAThousandAwayAndSwallowsOneCloseByThenSpitsItFar)
{
	OGLPoint3D far = NearRobot(1000);
	ObjNode* fireLizard = MakeCreature(kGiantLizardKind, far.x, far.z);
	FaceRobot(fireLizard);
	ObjNodeRef fireRef(fireLizard);
	EXPECT_TRUE(RunUntil(4, [&] { return CountNodesMovedBy(MoveLizardFlame) > 0; })) << "no flame left its mouth";
	ASSERT_TRUE(fireRef.IsAlive());
	EXPECT_EQ(fireLizard->Skeleton->AnimNum, LIZARD_ANIM_BREATHE_FIRE);
	DeleteEnemy(fireLizard);
	FlushObjectDeleteQueue();
	gPlayerLevel.invincibleTimer = 0;

	OGLPoint3D near = NearRobot(500);
	ObjNode* lizard = MakeCreature(kGiantLizardKind, near.x, near.z);
	FaceRobot(lizard);
	ASSERT_TRUE(RunUntil(5, [&] { return Anim(robot) == PLAYER_ANIM_GRABBED; })) << "the lunge never caught the robot";
	EXPECT_EQ(lizard->Skeleton->AnimNum, LIZARD_ANIM_HOLD);
	Run(LIZARD_HOLD_TIME - 0.5f);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_GRABBED) << "let go before its four seconds";
	EXPECT_LT(Distance(robot, lizard), 700) << "the robot is not in its mouth";
	ASSERT_TRUE(RunUntil(3, [&] { return Anim(robot) == PLAYER_ANIM_THROWN; })) << "never spat out";
	Run(1.5f);
	EXPECT_GT(Distance(robot, lizard), 2000) << "spat out, but not far";
}

TEST_F(JungleCreatureTest, AGiantRobotIsNeverSwallowedOrCaughtOnlyBreathedFireAt)
{
	MakeRobotGiant();
	OGLPoint3D near = NearRobot(600);
	ObjNode* lizard = MakeCreature(kGiantLizardKind, near.x, near.z);
	FaceRobot(lizard);
	OGLPoint3D ahead = NearRobot(150);
	ObjNode* plant = MakeCreature(kVenusFlytrapKind, ahead.x, ahead.z, robot->Rot.y + PI);
	bool breathedFire = false;
	Run(8, [&] {
		EXPECT_NE(Anim(robot), PLAYER_ANIM_GRABBED);
		EXPECT_NE(Anim(robot), PLAYER_ANIM_FLYTRAPPED);
		EXPECT_NE(lizard->Skeleton->AnimNum, LIZARD_ANIM_LUNGE);
		breathedFire |= lizard->Skeleton->AnimNum == LIZARD_ANIM_BREATHE_FIRE;
		// Flames land and burn: the grip rules are what is tested, so the robot stays whole and open to attack.
		gPlayerLevel.invincibleTimer = 0;
		gRun.health = 1;
	});
	EXPECT_TRUE(breathedFire);
	EXPECT_NE(plant->Skeleton->AnimNum, FLYTRAP_ANIM_CHEW);
}

TEST_F(JungleCreatureTest, ShotsCountOnALizardInSinglePrecisionAndItsDeathLetsTheRobotGo)
{
	// 1 − 5 × 0.2 leaves a sliver above 0 in floats: a giant needs a sixth shot.
	struct Case { bool giant; int hitsToKill; };
	for (Case c : {Case{false, 15}, Case{true, 6}})
	{
		if (c.giant)
			MakeRobotGiant();
		OGLPoint3D at = NearRobot(2000);
		ObjNode* lizard = MakeCreature(kGiantLizardKind, at.x, at.z);
		ObjNode stun = Shot(WEAPON_STUNGUN);
		for (int i = 1; i < c.hitsToKill; i++)
			HitByWeapon(WEAPON_STUNGUN, &stun, lizard, nullptr, nullptr, stun.Damage);
		EXPECT_FALSE(lizard->Flag[ENEMY_FLAG_DYING]) << "giant " << c.giant;
		EXPECT_EQ(lizard->Skeleton->AnimNum, LIZARD_ANIM_ROAR) << "a stun shot makes it roar";
		HitByWeapon(WEAPON_STUNGUN, &stun, lizard, nullptr, nullptr, stun.Damage);
		EXPECT_TRUE(lizard->Flag[ENEMY_FLAG_DYING]) << "giant " << c.giant;
		ObjNode freeze = Shot(WEAPON_FREEZEGUN);
		EXPECT_FALSE(HitByWeapon(WEAPON_FREEZEGUN, &freeze, lizard, nullptr, nullptr, 0)) << "a corpse takes no more shots";
	}
	ResetGrowth(robot);
	gPlayerLevel.scale = 1;

	// Swallowed, then the lizard dies of a projectile-less hit: the robot falls out.
	OGLPoint3D near = NearRobot(500);
	ObjNode* eater = MakeCreature(kGiantLizardKind, near.x, near.z);
	FaceRobot(eater);
	ASSERT_TRUE(RunUntil(5, [&] { return Anim(robot) == PLAYER_ANIM_GRABBED; }));
	HitByWeapon(WEAPON_NOVA, nullptr, eater, nullptr, nullptr, 0);
	EXPECT_NE(Anim(robot), PLAYER_ANIM_GRABBED) << "left in the mouth of a corpse";
}

TEST_F(JungleCreatureTest, AFlytrapFrozenByAGiantStopsFourSecondsBurnsForGoodAndNeverDies)
{
	OGLPoint3D at = NearRobot(2500);
	ObjNode* plant = MakeCreature(kVenusFlytrapKind, at.x, at.z, 0);
	ObjNodeRef ref(plant);
	ObjNode freeze = Shot(WEAPON_FREEZEGUN), arc = Shot(WEAPON_ARCSHOT);
	EXPECT_FALSE(HitByWeapon(WEAPON_FREEZEGUN, &freeze, plant, nullptr, nullptr, 0)) << "a normal robot cannot freeze it";
	EXPECT_FALSE(HitByWeapon(WEAPON_ARCSHOT, &arc, plant, nullptr, nullptr, 0));

	MakeRobotGiant();
	ASSERT_TRUE(HitByWeapon(WEAPON_FREEZEGUN, &freeze, plant, nullptr, nullptr, 0));
	Run(3.8f);
	EXPECT_EQ(plant->Skeleton->AnimSpeed, 0) << "thawed early";
	Run(0.4f);
	EXPECT_EQ(plant->Skeleton->AnimSpeed, 1);
	EXPECT_EQ(plant->Skeleton->materialOverride, nullptr);
	EXPECT_FLOAT_EQ(plant->Health, 1.0f) << "the thaw harmed it";

	for (int w : {WEAPON_STUNGUN, WEAPON_FIST, WEAPON_NOVA, WEAPON_JETHIT, WEAPON_HURT})
		EXPECT_FALSE(HitByWeapon(w, nullptr, plant, nullptr, nullptr, 5)) << "weapon " << w;
	ASSERT_TRUE(HitByWeapon(WEAPON_ARCSHOT, &arc, plant, nullptr, nullptr, 0));
	Run(10);
	ASSERT_TRUE(ref.IsAlive());
	EXPECT_EQ(plant->Skeleton->AnimNum, FLYTRAP_ANIM_BURNING);
}

TEST_F(JungleCreatureTest, AMantisBurnsUnderArcShotsTheTwelfthKillsItAndANormalRobotsStunDoesNothing)
{
	OGLPoint3D at = NearRobot(2600);
	ObjNode* mantis = MakeCreature(kMantisKind, at.x, at.z);
	ObjNode stun = Shot(WEAPON_STUNGUN), arc = Shot(WEAPON_ARCSHOT);
	EXPECT_FALSE(HitByWeapon(WEAPON_STUNGUN, &stun, mantis, nullptr, nullptr, stun.Damage));
	EXPECT_FALSE(HitByWeapon(WEAPON_FIST, nullptr, mantis, nullptr, nullptr, 0));
	EXPECT_FLOAT_EQ(mantis->Health, 1.0f);
	for (int i = 1; i < 12; i++)
		HitByWeapon(WEAPON_ARCSHOT, &arc, mantis, nullptr, nullptr, arc.Damage);
	EXPECT_FALSE(mantis->Flag[ENEMY_FLAG_DYING]);
	EXPECT_EQ(mantis->Skeleton->AnimNum, MANTIS_ANIM_HURT);
	EXPECT_FLOAT_EQ(mantis->SpecialF[4], 3.0f) << "not burning for 3 s";
	HitByWeapon(WEAPON_ARCSHOT, &arc, mantis, nullptr, nullptr, arc.Damage);
	EXPECT_TRUE(mantis->Flag[ENEMY_FLAG_DYING]);
	EXPECT_EQ(gNumEnemyOfKind[ENEMY_KIND_MANTIS], 0 + mantis->Flag[ENEMY_FLAG_COUNTED]);
}

TEST_F(JungleCreatureTest, AnAcidGlobBouncesThreeTimesAndIsGoneOnTheFourthImpact)
{
	OGLPoint3D at = NearRobot(3000);
	ObjNode* mantis = MakeCreature(kMantisKind, at.x, at.z);
	ObjNode* glob = SpitMantisAcid(mantis);
	DeleteEnemy(mantis);
	ObjNodeRef ref(glob);
	int mostImpacts = 0;
	bool gone = RunUntil(20, [&] {
		if (ref.IsAlive())
			mostImpacts = std::max(mostImpacts, int(glob->Special[0]));
		return !ref.IsAlive();
	});
	EXPECT_TRUE(gone) << "still bouncing after 20 s with " << mostImpacts << " impacts";
	EXPECT_EQ(mostImpacts, ACID_MAX_IMPACTS - 1);
}

TEST_F(JungleCreatureTest, RidingLizardsAndMantisesAreCountedOnlyOffTheirLoopsAndLizardsNeverInTheTotal)
{
	OGLPoint3D at = NearRobot(2000);
	ObjNode* lizard = MakeCreature(kGiantLizardKind, at.x, at.z);
	ObjNode* mantis = MakeCreature(kMantisKind, at.x + 400, at.z);
	AddToSplineObjectList(lizard);
	AddToSplineObjectList(mantis);
	EXPECT_EQ(gNumEnemyOfKind[ENEMY_KIND_GIANTLIZARD] + gNumEnemyOfKind[ENEMY_KIND_MANTIS], 0);

	HurtObject(lizard, 0.1f);
	HurtObject(mantis, 0.1f);
	EXPECT_FALSE(lizard->StatusBits & STATUS_BIT_ONSPLINE);
	EXPECT_EQ(lizard->MoveCall, MoveGiantLizard);
	EXPECT_EQ(mantis->MoveCall, MoveMantis);
	EXPECT_EQ(gNumEnemyOfKind[ENEMY_KIND_GIANTLIZARD], 1);
	EXPECT_EQ(gNumEnemyOfKind[ENEMY_KIND_MANTIS], 1);
	EXPECT_EQ(gNumEnemies, 1) << "only the mantis takes a place under the cap";
	HurtObject(lizard, 5);
	DeleteEnemyForGood(lizard);
	EXPECT_EQ(gNumEnemies, 1) << "a dead lizard leaves the total as it was";
}

TEST_F(JungleCreatureTest, ALizardsFireCarriesOutToARobotInItsFireRangeRatherThanIntoTheGround)
{
	// The breath must reach the ranges that make the lizard breathe it: a
	// head bowed too far (or a jaw that tips the jet down) sends every flame
	// into the ground at its feet.
	constexpr float ROBOT_DISTANCE = 1100;
	OGLPoint3D far = NearRobot(ROBOT_DISTANCE);
	ObjNode* lizard = MakeCreature(kGiantLizardKind, far.x, far.z);
	FaceRobot(lizard);
	float farthest = 0;
	int flames = 0;
	for (int frame = 0; frame < 150; frame++)
	{
		Run(1.0f / 30);
		for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
			if (n->MoveCall == MoveLizardFlame && n->CType != INVALID_NODE_FLAG)
			{
				flames++;
				farthest = std::max(farthest, Distance(n, lizard));
			}
	}
	ASSERT_GT(flames, 0) << "it never breathed fire";
	EXPECT_GT(farthest, ROBOT_DISTANCE) << "its flames die short of the robot it breathes at";
}
