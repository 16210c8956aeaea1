// The robot's weapons: the inventory and switching on their own; then on the
// baked farm beside the robot: shots into the ground and into targets whose
// handlers take or refuse them, the nova's fizzle, full charge and target cap,
// and what each weapon does to a brain alien and to a human's capsule.
#include "PlayerTestSupport.h"
#include "Player/Player.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Enemies/BrainAlien.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Items/Humans.h"
#include "Player/Weapons.h"
#include "Screens/Infobar.h"
#include "System/Error.h"
#include "Platform.h"

#include <deque>

using namespace PlayerTestSupport;

//
// Inventory and switching (no robot: no animation, only the selection)
//

namespace
{
	class Inventory : public ::testing::Test
	{
	protected:
		void SetUp() override { gPlayerNode = nullptr; InitWeaponInventory(); }
		void TearDown() override { InitWeaponInventory(); }
	};
}

TEST_F(Inventory, AddingFillsTheFirstEmptySlotAndTopsUpAHeldWeaponTo99)
{
	EXPECT_EQ(FindWeaponSlot(WEAPON_FIST), 0);
	EXPECT_EQ(FindWeaponSlot(WEAPON_STUNGUN), -1);

	AddWeaponToInventory(WEAPON_FREEZEGUN, 80);
	AddWeaponToInventory(WEAPON_DART, 5);
	EXPECT_EQ(FindWeaponSlot(WEAPON_FREEZEGUN), 1);
	EXPECT_EQ(FindWeaponSlot(WEAPON_DART), 2);

	AddWeaponToInventory(WEAPON_FREEZEGUN, 50);
	EXPECT_EQ(gRun.weapons[1].quantity, 99);
	AddWeaponToInventory(WEAPON_STUNGUN, 150);
	EXPECT_EQ(gRun.weapons[3].type, WEAPON_STUNGUN);
	EXPECT_EQ(gRun.weapons[3].quantity, 99) << "a first pick-up is capped too";

	// A used-up slot in the middle is the first empty one again.
	gRun.weapons[1] = {-1, 0};
	AddWeaponToInventory(WEAPON_FLARE, 3);
	EXPECT_EQ(FindWeaponSlot(WEAPON_FLARE), 1);
	EXPECT_EQ(gRun.currentWeapon, WEAPON_FIST) << "adding does not select";
}

TEST_F(Inventory, ACarriedTypeOutOfRangeIsRefusedByName)
{
	EXPECT_THROW(AddWeaponToInventory(WEAPON_SAUCERBEAM, 1), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("AddWeaponToInventory"), std::string::npos) << gLastFatalMessage;
	EXPECT_THROW(DecWeaponQuantity(WEAPON_DART), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "DecWeaponQuantity: weapon not in inventory");
	EXPECT_FALSE(IsWeaponHeldInHand(-1));
	EXPECT_FALSE(IsWeaponHeldInHand(NUM_INVENTORY_WEAPONS));
}

TEST_F(Inventory, SwitchingSkipsEmptySlotsBothWaysAndTheFistAloneGoesNowhere)
{
	EXPECT_EQ(ChangeWeapons(0, +1, false), 0);
	EXPECT_EQ(ChangeWeapons(0, -1, false), 0);
	EXPECT_EQ(gRun.currentWeapon, WEAPON_FIST);

	gRun.weapons[3] = {WEAPON_FLARE, 4};
	gRun.weapons[6] = {WEAPON_NOVA, 2};
	EXPECT_EQ(ChangeWeapons(0, +1, false), 3);
	EXPECT_EQ(gRun.currentWeapon, WEAPON_FLARE);
	EXPECT_TRUE(gWeaponIsDrawn);
	EXPECT_EQ(ChangeWeapons(3, +1, false), 6);
	EXPECT_EQ(gRun.currentWeapon, WEAPON_NOVA);
	EXPECT_FALSE(gWeaponIsDrawn) << "the nova is not held in the hand";
	EXPECT_EQ(ChangeWeapons(6, +1, false), 0) << "wraps round to the fist";
	EXPECT_EQ(ChangeWeapons(0, -1, false), 6) << "backwards wraps the other way";
}

TEST_F(Inventory, UsingUpTheLastShotSelectsTheNextButNeverTheNovaForADrawnGun)
{
	gRun.weapons[1] = {WEAPON_STUNGUN, 1};
	gRun.weapons[2] = {WEAPON_FREEZEGUN, 7};
	ChangeWeapons(0, +1, false);
	ASSERT_EQ(gRun.currentWeapon, WEAPON_STUNGUN);
	DecWeaponQuantity(WEAPON_STUNGUN);
	EXPECT_EQ(gRun.weapons[1].type, -1);
	EXPECT_EQ(gRun.currentWeapon, WEAPON_FREEZEGUN);
	EXPECT_TRUE(gWeaponIsDrawn);

	// A drawn gun emptied with the nova next: the fist, not a charge.
	gRun.weapons[2] = {WEAPON_FREEZEGUN, 1};
	gRun.weapons[3] = {WEAPON_NOVA, 5};
	DecWeaponQuantity(WEAPON_FREEZEGUN);
	EXPECT_EQ(gRun.currentWeapon, WEAPON_FIST);
	EXPECT_FALSE(gWeaponIsDrawn);
	EXPECT_EQ(WeaponShownInHand(), -1);

	// The nova's own last unit simply moves on.
	gRun.weapons[4] = {WEAPON_DART, 2};
	ChangeWeapons(0, +1, false);
	ASSERT_EQ(gRun.currentWeapon, WEAPON_NOVA);
	gRun.weapons[3].quantity = 1;
	DecWeaponQuantity(WEAPON_NOVA);
	EXPECT_EQ(gRun.currentWeapon, WEAPON_DART);

	DecWeaponQuantity(WEAPON_FIST);
	EXPECT_EQ(gRun.weapons[0].quantity, 99) << "the fist is never used up";
}

//
// On the farm
//

namespace
{
	class WeaponWorld : public PlayerWorld
	{
	protected:
		std::deque<TerrainItemEntryType> items;
		ObjNode* robot = nullptr;

		void SetUp() override
		{
			PlayerWorld::SetUp();
			if (HasFatalFailure())
				return;
			LoadASkeleton(SKELETON_TYPE_BRAINALIEN);
			ASSERT_GT(LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL), GLOBAL_MODEL_ARC_SHOT);
			InitSparkleStore();
			InitShardSystem();
			ClearHelpMessage();
			InitHumans();
			robot = MakeRobotOnGround();
			InitWeaponInventory();
			// Only what a test makes can be struck: the farm's own items stay away.
			for (int i = 0; i < gNumTerrainItems; i++)
				gTerrainItemList[i].flags |= ITEM_FLAG_INUSE;
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n != robot && n->CType != INVALID_NODE_FLAG && (n->CType & 0xC250))
					DeleteObject(n);
			FlushObjectDeleteQueue();
			InitEnemyManager();
			UpdateVisibleTerrain(robot->Coord.x, robot->Coord.z);
		}

		void TearDown() override
		{
			PlayerWorld::TearDown();
			DisposeShardSystem();
			DisposeSparkles();
			InitEnemyManager();
			InitWeaponInventory();
			gNovaChargeNode = nullptr;
			gZapTimer = 0;
			ClearTriggerHandlers();
		}

		OGLPoint3D NearRobot(float ahead, float side = 0) const
		{
			float h = robot->Rot.y;
			float x = robot->Coord.x - std::sin(h) * ahead + std::cos(h) * side;
			float z = robot->Coord.z - std::cos(h) * ahead - std::sin(h) * side;
			return {x, TerrainHeightAt(x, z), z};
		}

		// A plain box of class misc, 100 high, standing on the ground at `at`.
		static ObjNode* MakeTarget(OGLPoint3D at)
		{
			ObjectDef def = {};
			def.genre = NODRAW_GENRE;
			def.slot = 100;
			def.coord = at;
			def.scale = 1;
			ObjNode* t = MakeNewObject(&def);
			t->CType = CTYPE_MISC;
			t->CBits = SIDE_ALL;
			SetObjectCollisionBounds(t, 100, 0, -50, 50, 50, -50);
			CalcObjectBoxFromNode(t);
			t->BBox = {{-50, 0, -50}, {50, 100, 50}, false};
			return t;
		}

		ObjNode* AddAlienAt(OGLPoint3D at)
		{
			TerrainItemEntryType item = {};
			item.type = 7;
			item.flags = ITEM_FLAG_INUSE;
			items.push_back(item);
			if (!AddCreature<kBrainAlienKind>(&items.back(), at.x, at.z))
				return nullptr;
			ObjNode* made = gLastCreatedNode;
			return made->ShadowOwner ? made->ShadowOwner : made;
		}

		// The middle of a node's first collision box.
		static OGLPoint3D BoxMiddle(const ObjNode* n)
		{
			const CollisionBoxType& b = n->CollisionBoxes[0];
			return {(b.left + b.right) / 2, (b.top + b.bottom) / 2, (b.front + b.back) / 2};
		}

		// A shot of `type` made right inside `target`, tested once.
		static bool ShootInto(int type, ObjNode* target, ObjNode** shotOut = nullptr)
		{
			const OGLPoint3D at = BoxMiddle(target);
			const OGLVector3D delta = {0, 0, -100};
			ObjNode* shot = MakeWeaponProjectile(type, &at, &delta);
			EXPECT_NE(shot, nullptr);
			if (shotOut)
				*shotOut = shot;
			return ProjectileHitTest(shot);
		}

		static bool IsGone(const ObjNode* n) { return n->CType == INVALID_NODE_FLAG; }

		// Sets up a charge of `charge` as holding the shoot need would.
		void ChargeNova(float charge)
		{
			AddWeaponToInventory(WEAPON_NOVA, 3);
			StartNovaCharge(robot);
			ASSERT_NE(gNovaChargeNode, nullptr);
			gNovaCharge = charge;
		}
	};

	int gAnswersCount = 0;
	bool RefuseHit(ObjNode*, ObjNode*, const OGLPoint3D*, const OGLVector3D*, float) { gAnswersCount++; return false; }
	bool TakeHit(ObjNode*, ObjNode*, const OGLPoint3D*, const OGLVector3D*, float) { gAnswersCount++; return true; }
}

TEST_F(WeaponWorld, AShotFiredStraightIntoTheGroundExplodesAtOnce)
{
	OGLPoint3D at = NearRobot(200);
	at.y += 30;
	const OGLVector3D down = {0, -3500, 0};
	ObjNode* shot = MakeWeaponProjectile(WEAPON_STUNGUN, &at, &down);
	ASSERT_NE(shot, nullptr);
	Frame();
	EXPECT_TRUE(IsGone(shot)) << "spent on the first frame";
}

TEST_F(WeaponWorld, AHandlerDecidesWhetherTheShotFliesOnAndNoHandlerStillStopsIt)
{
	ObjNode* target = MakeTarget(NearRobot(600));
	target->HitByWeaponHandler[WEAPON_STUNGUN] = RefuseHit;
	target->HitByWeaponHandler[WEAPON_ARCSHOT] = TakeHit;
	gAnswersCount = 0;

	ObjNode* shot = nullptr;
	EXPECT_FALSE(ShootInto(WEAPON_STUNGUN, target, &shot));
	EXPECT_FALSE(IsGone(shot)) << "refused: the shot flies on";
	EXPECT_EQ(gAnswersCount, 1);

	EXPECT_TRUE(ShootInto(WEAPON_ARCSHOT, target, &shot));
	EXPECT_TRUE(IsGone(shot));
	EXPECT_EQ(gAnswersCount, 2);

	EXPECT_TRUE(ShootInto(WEAPON_FREEZEGUN, target, &shot)) << "no freeze handler: it bursts on the box anyway";
	EXPECT_EQ(gAnswersCount, 2);

	// In the open air nothing is touched.
	OGLPoint3D air = NearRobot(-800);
	air.y += 300;
	const OGLVector3D d = {0, 0, -100};
	shot = MakeWeaponProjectile(WEAPON_STUNGUN, &air, &d);
	EXPECT_FALSE(ProjectileHitTest(shot));
}

TEST_F(WeaponWorld, AFastShotStrikesAThinTargetItsFrameStepWouldCrossAndBurstsAtIt)
{
	// 20 deep, where a stun shot's 117-unit steps at 30 frames a second land on either side of it.
	OGLPoint3D wall = NearRobot(700);
	ObjNode* target = MakeTarget(wall);
	SetObjectCollisionBounds(target, 100, 0, -50, 50, 10, -10);
	CalcObjectBoxFromNode(target);
	target->HitByWeaponHandler[WEAPON_STUNGUN] = TakeHit;
	gAnswersCount = 0;

	OGLPoint3D from = NearRobot(300);
	from.y = wall.y + 50;
	OGLPoint3D ahead = NearRobot(301);
	const OGLVector3D delta = {(ahead.x - from.x) * 3500, 0, (ahead.z - from.z) * 3500};
	ObjNode* shot = MakeWeaponProjectile(WEAPON_STUNGUN, &from, &delta);
	ASSERT_NE(shot, nullptr);
	for (int i = 0; i < 10 && !IsGone(shot); i++)
		Frame();
	EXPECT_EQ(gAnswersCount, 1) << "the shot struck the target once";
	EXPECT_TRUE(IsGone(shot));
}

TEST_F(WeaponWorld, ANovaLetGoBelowFortyPercentFizzlesAndOneWithNothingInSightIsKept)
{
	ObjNode* alien = AddAlienAt(NearRobot(500));
	ASSERT_NE(alien, nullptr);
	ChargeNova(0.39f);
	EXPECT_FALSE(ReleaseNovaCharge());
	EXPECT_EQ(gRun.weapons[FindWeaponSlot(WEAPON_NOVA)].quantity, 3);
	EXPECT_FALSE(alien->Flag[ENEMY_FLAG_DYING]);
	EXPECT_EQ(gNovaChargeNode, nullptr);

	// Full charge but the only creature is beyond the reach of 3000.
	DeleteObject(alien);
	FlushObjectDeleteQueue();
	ChargeNova(1.0f);
	EXPECT_FALSE(ReleaseNovaCharge());
	EXPECT_EQ(gRun.weapons[FindWeaponSlot(WEAPON_NOVA)].quantity, 6);
}

TEST_F(WeaponWorld, AFullNovaStrikesNineteenOfTheNearestTargetsAndUsesOneUnit)
{
	gAnswersCount = 0;
	std::vector<ObjNode*> targets;
	for (int i = 0; i < 25; i++)
	{
		// Rings of targets, nearer ones made last so the cap must swap them in.
		ObjNode* t = MakeTarget(NearRobot(2400 - 80 * float(i), float((i % 5) - 2) * 150));
		t->HitByWeaponHandler[WEAPON_NOVA] = TakeHit;
		targets.push_back(t);
	}
	ChargeNova(1.0f);
	EXPECT_TRUE(ReleaseNovaCharge());
	EXPECT_EQ(gAnswersCount, MAX_ZAP_TARGETS);
	EXPECT_EQ(gRun.weapons[FindWeaponSlot(WEAPON_NOVA)].quantity, 2);
	int farthestKept = 0;
	for (const ZapTarget& z : gZapTable)
		for (int i = 0; i < 25; i++)
			if (z.used && z.node == targets[i])
				farthestKept = std::max(farthestKept, 24 - i);
	EXPECT_EQ(farthestKept, MAX_ZAP_TARGETS - 1) << "the six farthest are left out";
	EXPECT_FLOAT_EQ(gZapTimer, ZAP_SHOW_TIME);
}

TEST_F(WeaponWorld, EachWeaponOnABrainAlien)
{
	struct Case { int weapon; float health; bool dying, frozen; };
	const Case cases[] = {
		{WEAPON_STUNGUN, BRAINALIEN_HEALTH - 0.5f, false, false},
		{WEAPON_FREEZEGUN, BRAINALIEN_HEALTH, false, true},
		{WEAPON_ARCSHOT, BRAINALIEN_HEALTH - 0.8f, true, false},
		{WEAPON_FLARE, BRAINALIEN_HEALTH - 0.8f, true, false},
		{WEAPON_DART, BRAINALIEN_HEALTH - 0.4f, false, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE("weapon " + std::to_string(c.weapon));
		ObjNode* alien = AddAlienAt(NearRobot(700));
		ASSERT_NE(alien, nullptr);
		EXPECT_TRUE(ShootInto(c.weapon, alien));
		EXPECT_NEAR(alien->Health, c.health, 1e-4f);
		EXPECT_EQ(bool(alien->Flag[ENEMY_FLAG_DYING]), c.dying);
		EXPECT_EQ(IsEnemyFrozen(alien), c.frozen);
		DeleteObject(alien);
		FlushObjectDeleteQueue();
	}

	ObjNode* alien = AddAlienAt(NearRobot(700));
	ASSERT_NE(alien, nullptr);
	EXPECT_FALSE(HitByWeapon(WEAPON_SAUCERBEAM, nullptr, alien, nullptr, nullptr, 0)) << "immune to the beam";
	const OGLPoint3D at = BoxMiddle(alien);
	EXPECT_EQ(ZapNearbyTargets(nullptr, at.x, at.y, at.z, MAX_ZAP_TARGETS, 1000), 1);
	EXPECT_TRUE(alien->Flag[ENEMY_FLAG_DYING]) << "a nova kills outright";
}

TEST_F(WeaponWorld, OnlyStunArcFlareAndNovaOpenAHumansCapsule)
{
	const int shots[] = {WEAPON_STUNGUN, WEAPON_FREEZEGUN, WEAPON_ARCSHOT, WEAPON_FLARE, WEAPON_DART, WEAPON_NOVA};
	for (int weapon : shots)
	{
		SCOPED_TRACE("weapon " + std::to_string(weapon));
		TerrainItemEntryType item = {};
		const OGLPoint3D at = NearRobot(600);
		item.x = uint32_t(at.x);
		item.z = uint32_t(at.z);
		item.type = ITEM_TYPE_HUMAN;
		item.parm[0] = HUMAN_TYPE_FARMER;
		item.parm[3] = 1;							// in a capsule
		items.push_back(item);
		ASSERT_TRUE(kItemAddRoutines[ITEM_TYPE_HUMAN].add(&items.back(), at.x, at.z));
		ObjNode* human = nullptr;
		for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
			if (n->Skeleton && n->TerrainItemPtr == &items.back())
				human = n;
		ASSERT_NE(human, nullptr);
		ObjNode* capsule = human->ChainNode;
		ASSERT_NE(capsule, nullptr);

		if (weapon == WEAPON_NOVA)
		{
			const OGLPoint3D mid = BoxMiddle(capsule);
			ZapNearbyTargets(nullptr, mid.x, mid.y, mid.z, MAX_ZAP_TARGETS, 1000);
		}
		else
			EXPECT_TRUE(ShootInto(weapon, capsule)) << "every shot stops at the glass";
		const bool opens = weapon == WEAPON_STUNGUN || weapon == WEAPON_ARCSHOT || weapon == WEAPON_FLARE ||
			weapon == WEAPON_NOVA;
		EXPECT_EQ(human->ChainNode == nullptr, opens);
		EXPECT_EQ(IsHumanRescuable(human), opens);
		DeleteObject(human);
		FlushObjectDeleteQueue();
	}
}

TEST_F(WeaponWorld, GrowthSwellsTheRobotForTwelveSecondsThenPutsItsBoxBackExactly)
{
	const int32_t before[6] = {robot->LeftOff, robot->RightOff, robot->FrontOff, robot->BackOff, robot->TopOff,
		robot->BottomOff};
	AddWeaponToInventory(WEAPON_GROWTH, 1);
	ChangeWeapons(0, +1, false);
	ASSERT_EQ(gRun.currentWeapon, WEAPON_GROWTH);
	ASSERT_TRUE(RunUntil(3, [&] { return Anim(robot) != PLAYER_ANIM_CHANGEWEAPON; }));

	Press(NEED_SHOOT);
	Frame();
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_GROWTH);
	ASSERT_TRUE(RunUntil(4, [] { return gGrowthState == GROWTH_STATE_GROWING; }));
	EXPECT_EQ(FindWeaponSlot(WEAPON_GROWTH), -1) << "the vial is used up when the drink ends";

	Run(2.6f);
	EXPECT_FLOAT_EQ(robot->Scale.x, GROWTH_MAX_SCALE);
	EXPECT_NEAR(gPlayerLevel.scale, 3, 1e-4f);
	EXPECT_GT(robot->TopOff, 2 * before[4]);

	Run(GROWTH_GIANT_TIME + 3);
	EXPECT_EQ(gGrowthState, GROWTH_STATE_NONE);
	EXPECT_FLOAT_EQ(robot->Scale.x, GROWTH_MIN_SCALE);
	EXPECT_FLOAT_EQ(gPlayerLevel.scale, 1);
	const int32_t after[6] = {robot->LeftOff, robot->RightOff, robot->FrontOff, robot->BackOff, robot->TopOff,
		robot->BottomOff};
	for (int i = 0; i < 6; i++)
		EXPECT_EQ(after[i], before[i]) << "offset " << i;
}

TEST_F(WeaponWorld, TheRobotShootsSwitchesWeaponsAndPunchesInTheAir)
{
	AddWeaponToInventory(WEAPON_STUNGUN, 5);
	AddWeaponToInventory(WEAPON_FREEZEGUN, 5);
	ChangeWeapons(0, +1, false);
	ASSERT_TRUE(RunUntil(3, [&] { return Anim(robot) != PLAYER_ANIM_CHANGEWEAPON; }));
	ASSERT_EQ(gRun.currentWeapon, WEAPON_STUNGUN);
	auto stunShots = [] { return gRun.weapons[FindWeaponSlot(WEAPON_STUNGUN)].quantity; };
	auto inAir = [&] { return !(robot->StatusBits & STATUS_BIT_ONGROUND); };
	gRun.fuel = 1;

	// Rising.
	Press(NEED_JUMP);
	Frame();
	Press(NEED_SHOOT);
	Frame();
	EXPECT_EQ(stunShots(), 4) << "a shot on the way up";
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_JUMP);

	// Under the jet, which burns on.
	ASSERT_TRUE(RunUntil(1, [&] { return std::fabs(robot->Delta.y) < 800; }));
	Press(NEED_JUMP);
	Frame();
	ASSERT_EQ(Anim(robot), PLAYER_ANIM_JUMPJET);
	Press(NEED_SHOOT);
	Frame();
	EXPECT_EQ(stunShots(), 3) << "a shot under the jet";
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_JUMPJET);

	// Falling: the weapon changes in mid-air and the fall goes on after it.
	ASSERT_TRUE(RunUntil(2, [&] { return Anim(robot) == PLAYER_ANIM_FALL; }));
	Press(NEED_SHOOT);
	Frame();
	EXPECT_EQ(stunShots(), 2) << "a shot while falling";
	Press(NEED_NEXT_WEAPON);
	Frame();
	EXPECT_EQ(gRun.currentWeapon, WEAPON_FREEZEGUN);
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_CHANGEWEAPON);
	EXPECT_TRUE(inAir());
	ASSERT_TRUE(RunUntil(3, [&] { return Anim(robot) != PLAYER_ANIM_CHANGEWEAPON; }));
	EXPECT_TRUE(Anim(robot) == PLAYER_ANIM_FALL || (!inAir() && Anim(robot) == PLAYER_ANIM_STANDWITHGUN));
	ASSERT_TRUE(RunUntil(3, [&] { return Anim(robot) == PLAYER_ANIM_STANDWITHGUN; }));

	// A punch from a jump lands standing.
	Press(NEED_JUMP);
	Frame();
	Run(0.1f);
	Press(NEED_PUNCH);
	Frame();
	EXPECT_EQ(Anim(robot), PLAYER_ANIM_PUNCH);
	EXPECT_TRUE(inAir());
	ASSERT_TRUE(RunUntil(3, [&] { return !inAir() && Anim(robot) == PLAYER_ANIM_STANDWITHGUN; }));
}

TEST_F(WeaponWorld, AnEmptyGrowthVialThrownAwayIsTheLevelsOwnWhereItHasOne)
{
	auto throwVial = [&] {
		ThrowAwayEmptyWeapon(WEAPON_GROWTH);
		return gLastCreatedNode;
	};
	ObjNode* vial = throwVial();
	ASSERT_NE(vial, nullptr);
	EXPECT_EQ(vial->Group, MODEL_GROUP_GLOBAL) << "the farm has no vial of its own";
	EXPECT_EQ(vial->Type, GLOBAL_MODEL_HELD_GROWTH);

	gCurrentLevel = LEVEL_NUM_JUNGLE;
	ASSERT_GT(LoadBG3D(":Models:level6_jungle.bg3d", MODEL_GROUP_LEVELSPECIFIC), LEVEL_MODEL_GROWTH_PICKUP);
	for (int level : {LEVEL_NUM_JUNGLE, LEVEL_NUM_JUNGLEBOSS})
	{
		gCurrentLevel = level;
		vial = throwVial();
		EXPECT_EQ(vial->Group, MODEL_GROUP_LEVELSPECIFIC) << "level " << level;
		EXPECT_EQ(vial->Type, LEVEL_MODEL_GROWTH_PICKUP);
		EXPECT_FLOAT_EQ(vial->Scale.x, 0.25f * gPlayerLevel.scale) << "the level's vial is modelled four times larger";
	}
}
