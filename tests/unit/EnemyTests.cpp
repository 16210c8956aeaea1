// Enemies on the baked farm beside the robot: the counters under every order
// of creation, death, freezing, range exits and spline transitions; the cap;
// shattering; corpses; the brain alien's attacks and line of sight; the
// alien portals.
#include "PlayerTestSupport.h"
#include "Player/Player.h"
#include "Enemies/AlienPortal.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/BrainAlien.h"
#include "Enemies/Enemy.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Player/WeaponTypes.h"
#include "System/Error.h"
#include "System/Pool.h"
#include "System/Random.h"
#include "Terrain/Splines.h"
#include "Platform.h"

#include <deque>
#include <random>
#include <vector>

using namespace PlayerTestSupport;

namespace
{
	class EnemyTest : public PlayerWorld
	{
	protected:
		std::deque<TerrainItemEntryType> items;		// stable addresses for the nodes' item links
		ObjNode* robot = nullptr;

		void SetUp() override
		{
			PlayerWorld::SetUp();
			if (HasFatalFailure())
				return;
			LoadASkeleton(SKELETON_TYPE_BRAINALIEN);
			LoadASkeleton(SKELETON_TYPE_ELITEBRAINALIEN);
			ASSERT_GT(LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL), GLOBAL_MODEL_ZAP);
			InitSparkleStore();
			InitShardSystem();
			robot = MakeRobotOnGround();
			// The farm's own aliens and vegetables stay away: these tests make every enemy they count.
			for (int i = 0; i < gNumTerrainItems; i++)
				if (gTerrainItemList[i].type >= 7 && gTerrainItemList[i].type <= 10)
					gTerrainItemList[i].flags |= ITEM_FLAG_INUSE;
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->CType != INVALID_NODE_FLAG && (n->CType & CTYPE_ENEMY))
					DeleteObject(n);
			FlushObjectDeleteQueue();
			InitEnemyManager();
			UpdateVisibleTerrain(robot->Coord.x, robot->Coord.z);
		}

		void TearDown() override
		{
			DeleteAllSplineObjects();
			PlayerWorld::TearDown();
			DisposeShardSystem();
			DisposeSparkles();
			InitEnemyManager();		// lets go of the frozen look
		}

		TerrainItemEntryType* NewItem(uint16_t type, uint8_t parm0 = 0, uint8_t parm3 = 0)
		{
			TerrainItemEntryType item = {};
			item.type = type;
			item.parm[0] = parm0;
			item.parm[3] = parm3;
			item.flags = ITEM_FLAG_INUSE;		// as the item system marks an item it wakes
			items.push_back(item);
			return &items.back();
		}

		// A point `ahead` units in front of the robot and `side` units to its right.
		OGLPoint3D NearRobot(float ahead, float side = 0) const
		{
			float h = robot->Rot.y;
			return {robot->Coord.x - std::sin(h) * ahead + std::cos(h) * side, 0,
					robot->Coord.z - std::cos(h) * ahead - std::sin(h) * side};
		}

		ObjNode* AddAlienAt(OGLPoint3D at, uint8_t parm3 = 0)
		{
			TerrainItemEntryType* item = NewItem(7, 0, parm3);
			if (!AddCreature<kBrainAlienKind>(item, at.x, at.z))
				return nullptr;
			ObjNode* made = gLastCreatedNode;		// its shadow was made last
			return made->ShadowOwner ? made->ShadowOwner : made;
		}

		static ObjNode* FindNewestAlien()
		{
			ObjNode* found = nullptr;
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->Skeleton && n->Type == SKELETON_TYPE_BRAINALIEN && n->CType != INVALID_NODE_FLAG)
					found = n;
			return found;
		}

		// Every counter equals the live counted enemies of the object list.
		static ::testing::AssertionResult CountersMatchTheWorld()
		{
			int perKind[NUM_ENEMY_KINDS], total;
			TallyCountedEnemies(perKind, &total);
			for (int k = 0; k < NUM_ENEMY_KINDS; k++)
				if (perKind[k] != gNumEnemyOfKind[k])
					return ::testing::AssertionFailure() << "kind " << k << ": counter " << gNumEnemyOfKind[k] << ", live "
														 << perKind[k];
			if (total != gNumEnemies)
				return ::testing::AssertionFailure() << "total: counter " << gNumEnemies << ", live " << total;
			return ::testing::AssertionSuccess();
		}

		static bool IsAlive(const ObjNodeRef& ref) { return ref.IsAlive(); }

		static int CountNodesWithMoveCall(ObjNodeRoutine routine)
		{
			int n = 0;
			for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
				if (node->MoveCall == routine && node->CType != INVALID_NODE_FLAG)
					n++;
			return n;
		}

		static int ShardsInUse()
		{
			int n = 0;
			for (int i = 0; i < MAX_SHARDS; i++)
				n += Pool_IsUsed(gShardPool, i) ? 1 : 0;
			return n;
		}
	};

	// An obstacle that blocks sight (and nothing else) 100 units from `near`
	// toward `far`: an alien walking in stops short of it.
	ObjNode* MakeSightBlocker(const OGLPoint3D& far, const OGLPoint3D& near)
	{
		float dx = far.x - near.x, dz = far.z - near.z, d = std::hypot(dx, dz);
		ObjectDef def = {};
		def.genre = NODRAW_GENRE;
		def.slot = 100;
		def.coord = {near.x + dx / d * 100, near.y, near.z + dz / d * 100};
		def.scale = 1;
		ObjNode* wall = MakeNewObject(&def);
		wall->CType = CTYPE_BLOCKSIGHT;
		wall->CBits = SIDE_ALL;
		SetObjectCollisionBounds(wall, 2000, -2000, -40, 40, 40, -40);
		CalcObjectBoxFromNode(wall);
		KeepOldCollisionBoxes(wall);
		return wall;
	}
}

//
// Counting
//

TEST_F(EnemyTest, CountersMatchTheLiveEnemiesWhateverHappensToThem)
{
	// A fixed-seed storm of creation, spline rides and detaches, hurts, kills,
	// freezes and shatters, corpses cleared, range exits and returns.
	std::mt19937 rng(20261209);
	std::vector<ObjNodeRef> aliens;
	auto pick = [&]() -> ObjNode* {
		std::vector<ObjNode*> live;
		for (const ObjNodeRef& r : aliens)
			if (ObjNode* n = r.Get())
				live.push_back(n);
		return live.empty() ? nullptr : live[rng() % live.size()];
	};
	int made = 0, riders = 0, shattered = 0, exits = 0, corpses = 0;
	for (int step = 0; step < 600; step++)
	{
		ObjNode* a = pick();
		ObjNodeRef corpse;
		bool wasCorpse = false;
		switch (rng() % 9)
		{
			case 0:
			case 1:
			{
				std::uniform_real_distribution<float> off(-900, 900);
				if (ObjNode* n = AddAlienAt(NearRobot(600 + off(rng), off(rng)), (rng() & 1) ? ENEMY_ITEM_ALWAYS_ADD : 0))
				{
					aliens.emplace_back(n);
					made++;
				}
				break;
			}
			case 2:		// a rider: made free, then put on a spline as the spline riders do
			{
				OGLPoint3D at = NearRobot(900);
				ObjNode* n = MakeCreature(kBrainAlienKind, at.x, at.z);
				AddToSplineObjectList(n);
				aliens.emplace_back(n);
				riders++;
				break;
			}
			case 3:
				if (a)
					DetachEnemyFromSpline(a, MoveBrainAlien);
				break;
			case 4:
				if (a)
					HurtObject(a, 0.3f);
				break;
			case 5:
				if (a)
					HitByWeapon(WEAPON_FREEZEGUN, nullptr, a, nullptr, nullptr, 0);
				break;
			case 6:
				if (a)
				{
					bool frozen = IsEnemyFrozen(a);
					ObjNodeRef ref(a);
					HitByWeapon(WEAPON_FIST, gPlayerHandNodes[0], a, &a->Coord, nullptr, 0);
					shattered += frozen && !ref.IsAlive() ? 1 : 0;
				}
				break;
			case 7:		// carried out of the active area, on or off a spline
				if (a)
				{
					a->Coord.x += 40000;
					exits++;
				}
				break;
			case 8:		// out of view, near or far: only far corpses go
				if (a)
				{
					a->StatusBits |= STATUS_BIT_ISCULLED;
					a->Coord.x += (rng() & 1) ? 1500 : 200;
					if (a->Flag[ENEMY_FLAG_DYING] && !(a->StatusBits & STATUS_BIT_ONSPLINE))
					{
						corpse = ObjNodeRef(a);
						wasCorpse = true;
					}
				}
				break;
		}
		Run(FRAME * float(1 + rng() % 3));
		if (wasCorpse && !corpse.IsAlive())
			corpses++;
		ASSERT_TRUE(CountersMatchTheWorld()) << "after step " << step;
		// And by the test's own books: every live alien off a spline counts.
		int free = 0;
		for (const ObjNodeRef& r : aliens)
			if (ObjNode* n = r.Get())
				free += (n->StatusBits & STATUS_BIT_ONSPLINE) ? 0 : 1;
		ASSERT_EQ(gNumEnemies, free) << "after step " << step;
		ASSERT_GE(gNumEnemies, 0);
	}
	// The storm must have reached every path it claims to test.
	EXPECT_GT(made, 20);
	EXPECT_GT(riders, 20);
	EXPECT_GT(shattered, 0);
	EXPECT_GT(exits, 20);
	EXPECT_GT(corpses, 0);

	// Whatever is left goes, and nothing stays counted.
	DeleteAllSplineObjects();
	for (const ObjNodeRef& r : aliens)
		DeleteEnemy(r.Get());
	EXPECT_EQ(gNumEnemies, 0);
	EXPECT_EQ(gNumEnemyOfKind[ENEMY_KIND_BRAINALIEN], 0);
}

TEST_F(EnemyTest, RidersAreCountedFromTheMomentTheyLeaveTheirSplineOnce)
{
	OGLPoint3D at = NearRobot(900);
	ObjNode* rider = MakeCreature(kBrainAlienKind, at.x, at.z);
	AddToSplineObjectList(rider);
	EXPECT_EQ(gNumEnemies, 0) << "a rider is not counted";

	HurtObject(rider, 0.1f);
	EXPECT_FALSE(rider->StatusBits & STATUS_BIT_ONSPLINE) << "a hurt rider leaves its spline";
	EXPECT_EQ(rider->MoveCall, MoveBrainAlien);
	EXPECT_EQ(gNumEnemies, 1);
	DetachEnemyFromSpline(rider, MoveBrainAlien);
	EXPECT_EQ(gNumEnemies, 1) << "leaving twice counts once";

	ObjNode* frozenRider = MakeCreature(kBrainAlienKind, at.x + 300, at.z);
	AddToSplineObjectList(frozenRider);
	HitByWeapon(WEAPON_FREEZEGUN, nullptr, frozenRider, nullptr, nullptr, 0);
	EXPECT_FALSE(frozenRider->StatusBits & STATUS_BIT_ONSPLINE) << "a frozen rider leaves its spline";
	EXPECT_EQ(gNumEnemies, 2);
	HitByWeapon(WEAPON_NOVA, nullptr, frozenRider, nullptr, nullptr, 0);		// shatters
	EXPECT_EQ(gNumEnemies, 1);
	EXPECT_TRUE(CountersMatchTheWorld());
}

TEST_F(EnemyTest, TheCapStopsMapEnemiesButNotGiantLizardsOrFlytraps)
{
	// Twenty aliens with the always-add bit fill the cap past the kind's own limit.
	for (int i = 0; i < ENEMY_LIMIT; i++)
		ASSERT_NE(AddAlienAt(NearRobot(700 + 60 * float(i / 5), 120 * float(i % 5 - 2)), ENEMY_ITEM_ALWAYS_ADD), nullptr)
				<< "alien " << i;
	EXPECT_EQ(gNumEnemies, ENEMY_LIMIT);
	TerrainItemEntryType* waiting = NewItem(7, 0, ENEMY_ITEM_ALWAYS_ADD);
	OGLPoint3D at = NearRobot(1200);
	EXPECT_FALSE(AddCreature<kBrainAlienKind>(waiting, at.x, at.z)) << "the 21st waits";

	// The set pieces count in their kind only, at the cap or not.
	for (uint8_t kind : {ENEMY_KIND_GIANTLIZARD, ENEMY_KIND_FLYTRAP})
	{
		ObjNode* piece = MakeCreature(kBrainAlienKind, at.x, at.z);
		piece->Kind = kind;
		CountEnemy(piece);
		EXPECT_EQ(gNumEnemyOfKind[kind], 1);
		EXPECT_EQ(gNumEnemies, ENEMY_LIMIT);
		DeleteEnemy(piece);
		EXPECT_EQ(gNumEnemyOfKind[kind], 0);
		EXPECT_EQ(gNumEnemies, ENEMY_LIMIT) << "deleting a set piece leaves the total";
	}

	// One dies and is cleared: room for one more.
	ObjNode* first = FindNewestAlien();
	DeleteEnemy(first);
	EXPECT_TRUE(AddCreature<kBrainAlienKind>(waiting, at.x, at.z));
	EXPECT_TRUE(CountersMatchTheWorld());
}

TEST_F(EnemyTest, ABrainAlienItemWaitsWhileMoreThanSixLiveUnlessItMustBeAdded)
{
	for (int i = 0; i < 7; i++)
		ASSERT_NE(AddAlienAt(NearRobot(800, 150 * float(i - 3))), nullptr) << "alien " << i << " is within the limit";
	EXPECT_EQ(AddAlienAt(NearRobot(1000)), nullptr) << "more than six alive";
	EXPECT_NE(AddAlienAt(NearRobot(1000), ENEMY_ITEM_ALWAYS_ADD), nullptr);
}

//
// Death, freezing, corpses
//

TEST_F(EnemyTest, AFrozenAlienKilledBurstsIntoShardsAtOnceAndLeavesNoCorpse)
{
	ObjNode* alien = AddAlienAt(NearRobot(600));
	ASSERT_NE(alien, nullptr);
	TerrainItemEntryType* item = alien->TerrainItemPtr;
	ObjNodeRef ref(alien);
	EXPECT_TRUE(HitByWeapon(WEAPON_FREEZEGUN, nullptr, alien, nullptr, nullptr, 0));
	EXPECT_TRUE(IsEnemyFrozen(alien));
	EXPECT_NE(alien->Skeleton->materialOverride, nullptr) << "frozen look";
	Run(0.5f);
	ASSERT_TRUE(ref.IsAlive());
	EXPECT_EQ(alien->Skeleton->AnimSpeed, 0) << "frozen stiff";

	EXPECT_TRUE(HitByWeapon(WEAPON_FIST, gPlayerHandNodes[0], alien, &alien->Coord, nullptr, 0));
	EXPECT_FALSE(ref.IsAlive()) << "shattered at once";
	EXPECT_GT(ShardsInUse(), 0);
	EXPECT_EQ(gNumEnemies, 0);
	EXPECT_TRUE(item->flags & ITEM_FLAG_INUSE) << "an alien that does not come back keeps its item taken";
}

TEST_F(EnemyTest, AFrozenAlienThawsAfterFourSecondsWithABurstOfIce)
{
	ObjNode* alien = AddAlienAt(NearRobot(1400));
	ASSERT_NE(alien, nullptr);
	HitByWeapon(WEAPON_FREEZEGUN, nullptr, alien, nullptr, nullptr, 0);
	Run(3.8f);
	EXPECT_TRUE(IsEnemyFrozen(alien));
	EXPECT_EQ(ShardsInUse(), 0);
	Run(0.4f);
	EXPECT_FALSE(IsEnemyFrozen(alien));
	EXPECT_EQ(alien->Skeleton->materialOverride, nullptr);
	EXPECT_GT(ShardsInUse(), 0) << "the ice bursts off";
	EXPECT_NE(alien->Skeleton->AnimSpeed, 0);
}

TEST_F(EnemyTest, ACorpseGoesOnlyWhenCulledAndMoreThanAThousandAway)
{
	ObjNode* alien = AddAlienAt(NearRobot(600), ENEMY_ITEM_COMES_BACK);
	ASSERT_NE(alien, nullptr);
	TerrainItemEntryType* item = alien->TerrainItemPtr;
	ObjNodeRef ref(alien);
	HitByWeapon(WEAPON_NOVA, nullptr, alien, nullptr, nullptr, 0);
	EXPECT_EQ(alien->Skeleton->AnimNum, BRAINALIEN_ANIM_DEATH);
	EXPECT_FALSE(alien->CType & CTYPE_ENEMY) << "a corpse is no enemy";
	EXPECT_FALSE(HitByWeapon(WEAPON_FIST, gPlayerHandNodes[0], alien, &alien->Coord, nullptr, 0)) << "nor punchable";
	EXPECT_FALSE(IsEnemyFighting(alien));
	EXPECT_EQ(gNumEnemies, 1) << "counted until it is cleared away";

	auto runCulled = [&](bool culled, float seconds) {
		Run(seconds, [&] {
			if (ObjNode* n = ref.Get())
				n->StatusBits = culled ? (n->StatusBits | STATUS_BIT_ISCULLED) : (n->StatusBits & ~STATUS_BIT_ISCULLED);
		});
	};
	// Far but in view.
	alien->Coord = NearRobot(1500);
	runCulled(false, 1);
	EXPECT_TRUE(ref.IsAlive());
	// Out of view but near.
	ref.Get()->Coord = NearRobot(900);
	runCulled(true, 1);
	EXPECT_TRUE(ref.IsAlive());
	// Out of view and far.
	ref.Get()->Coord = NearRobot(1500);
	runCulled(true, 0.2f);
	EXPECT_FALSE(ref.IsAlive());
	EXPECT_EQ(gNumEnemies, 0);
	EXPECT_FALSE(item->flags & ITEM_FLAG_INUSE) << "an alien that comes back frees its item";
}

TEST_F(EnemyTest, APunchHurtsAndKnocksBackTwoPunchesKill)
{
	ObjNode* alien = AddAlienAt(NearRobot(500));
	ASSERT_NE(alien, nullptr);
	EXPECT_TRUE(HitByWeapon(WEAPON_FIST, gPlayerHandNodes[0], alien, &alien->Coord, nullptr, 0));
	EXPECT_NEAR(alien->Health, BRAINALIEN_HEALTH - 0.4f, 1e-5f);
	EXPECT_EQ(alien->Skeleton->AnimNum, BRAINALIEN_ANIM_HIT);
	float h = robot->Rot.y;
	EXPECT_NEAR(alien->Delta.x, -std::sin(h) * 1000, 1e-2f) << "knocked along the robot's heading";
	EXPECT_NEAR(alien->Delta.z, -std::cos(h) * 1000, 1e-2f);
	EXPECT_GT(alien->Delta.y, 0);
	EXPECT_TRUE(HitByWeapon(WEAPON_FIST, gPlayerHandNodes[0], alien, &alien->Coord, nullptr, 0));
	EXPECT_TRUE(alien->Flag[ENEMY_FLAG_DYING]);
	EXPECT_FALSE(HitByWeapon(WEAPON_SAUCERBEAM, nullptr, alien, nullptr, nullptr, 0)) << "an empty slot passes through";
}

//
// Attacks
//

TEST_F(EnemyTest, NoBiteOrZapStartsThroughAWallOrAtAnInvinciblePlayer)
{
	struct Case
	{
		const char* name;
		float distance;
		bool wall;
		bool invincible;
		bool attacks;
	};
	const Case cases[] = {
		{"close, clear", 150, false, false, true},
		{"close, walled", 150, true, false, false},
		{"close, invincible", 150, false, true, false},
		{"at range, clear", 800, false, false, true},
		{"at range, walled", 800, true, false, false},
		{"at range, invincible", 800, false, true, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		OGLPoint3D at = NearRobot(c.distance);
		ObjNode* alien = AddAlienAt(at);
		ASSERT_NE(alien, nullptr);
		alien->Rot.y = CalcYAngleFromPointToPoint(0, at.x, at.z, robot->Coord.x, robot->Coord.z);
		ObjNodeRef ref(alien);
		ObjNodeRef wall;
		if (c.wall)
			wall = ObjNodeRef(MakeSightBlocker(alien->Coord, robot->Coord));

		bool attacked = false;
		gPlayerLevel.invincibleTimer = c.invincible ? 10.0f : 0.0f;
		Run(4, [&] {
			gPlayerLevel.invincibleTimer = c.invincible ? 10.0f : 0.0f;
			gRun.health = 1;
			if (ObjNode* n = ref.Get())
				attacked |= n->Skeleton->AnimNum == BRAINALIEN_ANIM_BITE || n->Skeleton->AnimNum == BRAINALIEN_ANIM_ZAP;
			attacked |= CountNodesWithMoveCall(MoveBrainAlienZap) > 0;
		});
		EXPECT_EQ(attacked, c.attacks);

		DeleteEnemy(ref.Get());
		DeleteObject(wall.Get());
		for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
			if (n->MoveCall == MoveBrainAlienZap)
				DeleteObject(n);
		gPlayerLevel.invincibleTimer = 0;
		Run(3);		// the robot gets over any hit
	}
}

TEST_F(EnemyTest, AZapThatReachesTheRobotHitsItOnce)
{
	OGLPoint3D at = NearRobot(700);
	ObjNode* alien = AddAlienAt(at);
	ASSERT_NE(alien, nullptr);
	alien->Rot.y = CalcYAngleFromPointToPoint(0, at.x, at.z, robot->Coord.x, robot->Coord.z);
	alien->Coord.y = robot->Coord.y;			// level with the robot's middle
	UpdateObjectTransforms(alien);
	gPlayerLevel.invincibleTimer = 0;
	ObjNode* zap = ShootBrainAlienZap(alien);
	zap->Coord.y = robot->Coord.y;
	DeleteEnemy(alien);							// the zap flies on without its shooter

	float before = gRun.health;
	Run(1.0f);
	EXPECT_NEAR(gRun.health, before - BRAINALIEN_ZAP_DAMAGE, 1e-4f);
	Run(1.0f);
	EXPECT_EQ(CountNodesWithMoveCall(MoveBrainAlienZap), 0) << "burst and gone";
}

//
// Portals
//

TEST_F(EnemyTest, APortalNumberOutsideZeroToSevenIsRefusedNamingTheItem)
{
	OGLPoint3D at = NearRobot(1000);
	EXPECT_THROW(AddAlienPortal(NewItem(108, 8), at.x, at.z), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("AlienPortal"), std::string::npos) << gLastFatalMessage;
	EXPECT_NE(gLastFatalMessage.find("8"), std::string::npos) << gLastFatalMessage;
	gFatalErrorRaised = false;
	EXPECT_TRUE(AddAlienPortal(NewItem(108, 7), at.x, at.z));
}

TEST_F(EnemyTest, APortalSendsUpToFourElitesAndFallsToFire)
{
	OGLPoint3D at = NearRobot(1500);
	TerrainItemEntryType* item = NewItem(108, 3);
	ASSERT_TRUE(AddAlienPortal(item, at.x, at.z));
	ObjNode* portal = gLastCreatedNode;
	while (portal && portal->MoveCall != MoveAlienPortal)
		portal = portal->PrevNode;
	ASSERT_NE(portal, nullptr);
	EXPECT_NEAR(portal->Rot.y, 3 * PI / 4, 1e-5f);
	ObjNodeRef portalRef(portal);

	Run(30, [] { gPlayerLevel.invincibleTimer = 10; gRun.health = 1; });
	EXPECT_EQ(gNumEnemyOfKind[ENEMY_KIND_ELITEBRAINALIEN], PORTAL_MAX_ELITES);
	EXPECT_TRUE(CountersMatchTheWorld());
	ObjNode* elite = nullptr;
	for (ObjNode* n = gObjectListHead; n && !elite; n = n->NextNode)
		if (n->Kind == ENEMY_KIND_ELITEBRAINALIEN && n->Skeleton && n->CType != INVALID_NODE_FLAG)
			elite = n;		// the first one out: long faded in
	ASSERT_NE(elite, nullptr);
	EXPECT_EQ(elite->ColorFilter.a, 1) << "faded in";
	EXPECT_FLOAT_EQ(elite->Health, ELITE_HEALTH);

	// Two shots without a projectile's damage count 1 each: health 2 is gone.
	EXPECT_TRUE(HitByWeapon(WEAPON_STUNGUN, nullptr, portalRef.Get(), nullptr, nullptr, 0));
	EXPECT_FALSE(gPortalDestroyed[3]);
	EXPECT_TRUE(HitByWeapon(WEAPON_STUNGUN, nullptr, portalRef.Get(), nullptr, nullptr, 0));
	EXPECT_TRUE(gPortalDestroyed[3]);
	EXPECT_EQ(gNumPortalsDestroyed, 1);
	EXPECT_FALSE(portalRef.IsAlive());
	EXPECT_TRUE(item->flags & ITEM_FLAG_INUSE) << "a destroyed portal never comes back";
	EXPECT_FALSE(AddAlienPortal(NewItem(108, 3), at.x, at.z)) << "nor is it made again";
}
