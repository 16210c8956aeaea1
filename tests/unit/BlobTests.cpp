// Blobs and the blob boss machine, driven on the farm's terrain without a
// window: warmth and freezing, goo growing back, and the machine's three
// phases as stun shots wear its parts down.
#include "PlayerTestSupport.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Enemies/Blobs.h"
#include "Enemies/Enemy.h"
#include "Items/BlobBoss.h"
#include "Player/WeaponTypes.h"
#include "System/Error.h"
#include "System/Level.h"
#include "Terrain/TerrainFile.h"

#include <vector>

using namespace PlayerTestSupport;

namespace
{
	class BlobWorld : public PlayerWorld
	{
	protected:
		void SetUp() override
		{
			PlayerWorld::SetUp();
			UpdateVisibleTerrain(gPlayerStartX, gPlayerStartZ);
			LoadASkeleton(SKELETON_TYPE_BLOB);
			InitSparkleStore();
			InitShardSystem();
			InitEnemyManager();
			savedItems = gTerrainItemList;
			savedItemCount = gNumTerrainItems;
			gCurrentLevel = LEVEL_NUM_BLOBBOSS;		// blobs chase, goo has its model number
		}

		void TearDown() override
		{
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				n->TerrainItemPtr = nullptr;
			gTerrainItemList = savedItems;
			gNumTerrainItems = savedItemCount;
			ForgetBlobBossMachine();
			PlayerWorld::TearDown();
			DisposeShardSystem();
			DisposeSparkles();
			gFatalErrorRaised = false;
		}

		// Runs every node's move for `seconds` at the fixed frame.
		void Run(float seconds)
		{
			for (float t = 0; t < seconds; t += FRAME)
			{
				MoveObjects();
				FlushObjectDeleteQueue();
			}
		}

		static bool Stun(ObjNode* target)
		{
			OGLPoint3D at = target->Coord;
			OGLVector3D d = {0, 0, 0};
			return HitByWeapon(WEAPON_STUNGUN, nullptr, target, &at, &d, 0.5f);
		}

		static bool Hit(int weapon, ObjNode* target)
		{
			OGLPoint3D at = target->Coord;
			OGLVector3D d = {0, 0, 0};
			return HitByWeapon(weapon, nullptr, target, &at, &d, 0.5f);
		}

		static int CountGoo()
		{
			int n = 0;
			for (ObjNode* o = gObjectListHead; o; o = o->NextNode)
				n += o->CType != INVALID_NODE_FLAG && (o->CType & CTYPE_GOO) ? 1 : 0;
			return n;
		}

		static std::vector<ObjNode*> Parts(BlobBossPart part)
		{
			std::vector<ObjNode*> parts;
			for (ObjNode* o = gObjectListHead; o; o = o->NextNode)
				if (o->CType != INVALID_NODE_FLAG && o->Kind == part && o->Genre != SKELETON_GENRE && !o->MoveCall)
					parts.push_back(o);
			return parts;
		}

		void MakeMachineFarAway()
		{
			// The machine well away from the start, so no beam reaches the test's robot.
			items = {TerrainItemEntryType{}};
			items[0].x = uint32_t(gPlayerStartX + 6000);
			items[0].z = uint32_t(gPlayerStartZ);
			items[0].type = ITEM_TYPE_BLOBBOSS_CENTER;
			gTerrainItemList = items.data();
			gNumTerrainItems = int32_t(items.size());
			MakeBlobBossMachine();
		}

		std::vector<TerrainItemEntryType> items;
		TerrainItemEntryType* savedItems = nullptr;
		int32_t savedItemCount = 0;
	};
}

//
// Warmth
//

TEST_F(BlobWorld, AWarmBlobIsWarmedByStunPunchAndNovaAndAFrozenOneBursts)
{
	for (int weapon : {WEAPON_STUNGUN, WEAPON_FIST, WEAPON_NOVA})
	{
		SCOPED_TRACE("weapon " + std::to_string(weapon));
		ObjNode* blob = MakeBlob(gPlayerStartX + 2000, gPlayerStartZ, BLOB_COLOR_GREEN);
		const int blobs = CountBlobs();

		EXPECT_TRUE(Hit(WEAPON_FREEZEGUN, blob));
		EXPECT_NEAR(blob->Health, 1 - BLOB_FREEZE_COST, 1e-5f);
		EXPECT_FALSE(IsBlobFrozen(blob)) << "one freeze shot only chills it";
		EXPECT_TRUE(Hit(weapon, blob));
		EXPECT_NEAR(blob->Health, 1 - BLOB_FREEZE_COST + BLOB_WARM_GAIN, 1e-5f) << "a warming blow gives 0.5 back";
		Hit(weapon, blob);
		EXPECT_FLOAT_EQ(blob->Health, 1.0f) << "no more than full";
		EXPECT_EQ(CountBlobs(), blobs) << "a warm blob is not hurt";

		Hit(WEAPON_FREEZEGUN, blob);
		Hit(WEAPON_FREEZEGUN, blob);
		ASSERT_TRUE(IsBlobFrozen(blob)) << "two shots take its warmth";
		EXPECT_TRUE(blob->CType & CTYPE_MISC) << "frozen, it is solid";
		EXPECT_EQ(blob->ColorFilter.r, 1);
		EXPECT_EQ(blob->ColorFilter.g, 1);
		EXPECT_EQ(blob->ColorFilter.b, 1) << "a frozen blob is white";

		const int goo = CountGoo();
		EXPECT_TRUE(Hit(weapon, blob));
		EXPECT_EQ(CountBlobs(), blobs - 1) << "the blow bursts a frozen blob";
		EXPECT_EQ(CountGoo(), goo + GOO_PIECES);
		Run(1);
	}
}

TEST_F(BlobWorld, AFrozenBlobThawsAfterFourSecondsAndWarmsSlowly)
{
	ObjNode* blob = MakeBlob(gPlayerStartX + 2000, gPlayerStartZ, BLOB_COLOR_RED);
	Hit(WEAPON_FREEZEGUN, blob);
	Hit(WEAPON_FREEZEGUN, blob);
	ASSERT_TRUE(IsBlobFrozen(blob));
	Run(BLOB_FROZEN_TIME - 0.5f);
	EXPECT_TRUE(IsBlobFrozen(blob));
	Run(1.5f);
	EXPECT_FALSE(IsBlobFrozen(blob));
	EXPECT_GT(blob->Health, 0.0f);
	EXPECT_LT(blob->Health, 0.2f) << "warmth comes back at 0.1 a second";
	EXPECT_FALSE(blob->CType & CTYPE_MISC);
}

TEST_F(BlobWorld, ABadBlobColourStopsNamingTheItem)
{
	TerrainItemEntryType item = {};
	item.x = uint32_t(gPlayerStartX + 800);
	item.z = uint32_t(gPlayerStartZ);
	item.type = 30;
	item.parm[0] = NUM_BLOB_COLORS;
	EXPECT_THROW(AddBlob(&item, float(item.x), float(item.z)), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("Blob item"), std::string::npos) << gLastFatalMessage;
}

TEST_F(BlobWorld, BlobItemsWaitWhileMoreThanFiveLiveUnlessAlwaysAdded)
{
	std::vector<TerrainItemEntryType> blobItems(8);
	for (size_t i = 0; i < blobItems.size(); i++)
	{
		blobItems[i].x = uint32_t(gPlayerStartX + 1500 + 300 * float(i));
		blobItems[i].z = uint32_t(gPlayerStartZ + 1500);
		blobItems[i].type = 30;
	}
	int added = 0;
	for (size_t i = 0; i < 7; i++)
		added += AddBlob(&blobItems[i], float(blobItems[i].x), float(blobItems[i].z));
	EXPECT_EQ(added, BLOB_LIMIT + 1) << "items are taken until more than five live";
	blobItems[7].parm[3] = ENEMY_ITEM_ALWAYS_ADD;
	EXPECT_TRUE(AddBlob(&blobItems[7], float(blobItems[7].x), float(blobItems[7].z)));
}

//
// Goo
//

TEST_F(BlobWorld, GooBecomesASmallBlobOnlyWhileFewerThanSixLive)
{
	// Six blobs far from the goo fill the arena.
	std::vector<ObjNode*> crowd;
	for (int i = 0; i < GOO_REGROW_LIMIT; i++)
		crowd.push_back(MakeBlob(gPlayerStartX - 3000 - 300 * float(i), gPlayerStartZ + 3000, BLOB_COLOR_BLUE));
	OGLPoint3D at = {gPlayerStartX + 1500, TerrainHeightAt(gPlayerStartX + 1500, gPlayerStartZ) + 50, gPlayerStartZ};
	ObjNode* goo = MakeGoo(at, {0, 0, 0}, BLOB_COLOR_RED);

	Run(GOO_REST_MAX + 1 / GOO_SWELL_RATE + 1);
	EXPECT_EQ(CountBlobs(), GOO_REGROW_LIMIT) << "no room: the swollen goo waits";
	EXPECT_NE(goo->CType, INVALID_NODE_FLAG);

	DeleteEnemy(crowd.back());
	Run(0.5f);
	ASSERT_EQ(CountBlobs(), GOO_REGROW_LIMIT) << "one blob grew out of the goo";
	ObjNode* newborn = nullptr;
	for (ObjNode* o = gObjectListHead; o; o = o->NextNode)
		if (o->CType != INVALID_NODE_FLAG && o->Skeleton && o->Kind == ENEMY_KIND_BLOB && o->SubKind == BLOB_COLOR_RED)
			newborn = o;
	ASSERT_TRUE(newborn) << "of the goo's colour";
	EXPECT_LT(newborn->Scale.x, 1.0f) << "born small";
	Run((BLOB_SCALE - BLOB_NEWBORN_SCALE) / BLOB_GROW_RATE + 0.5f);
	EXPECT_FLOAT_EQ(newborn->Scale.x, BLOB_SCALE) << "and grown to full size";
}

TEST_F(BlobWorld, GooLyingLessThanSixSecondsDoesNotSwell)
{
	OGLPoint3D at = {gPlayerStartX + 1500, TerrainHeightAt(gPlayerStartX + 1500, gPlayerStartZ) + 50, gPlayerStartZ};
	MakeGoo(at, {0, 0, 0}, BLOB_COLOR_GREEN);
	Run(GOO_REST_MIN - 0.5f);
	EXPECT_EQ(CountBlobs(), 0);
}

//
// The machine
//

TEST_F(BlobWorld, TheMachineFallsPhaseByPhaseToStunShotsAndNeverGoesBack)
{
	MakeMachineFarAway();
	ASSERT_EQ(gBlobBoss.phase, BLOBBOSS_PHASE_EMITTERS);
	std::vector<ObjNode*> emitters = Parts(BLOBBOSS_PART_EMITTER), cannons = Parts(BLOBBOSS_PART_CANNON);
	ASSERT_EQ(emitters.size(), size_t(BLOBBOSS_EMITTERS));
	ASSERT_EQ(cannons.size(), size_t(BLOBBOSS_CANNONS));
	for (ObjNode* c : cannons)
		EXPECT_FALSE(IsBlobBossTarget(c)) << "cannons are no target while the emitters stand";
	EXPECT_FALSE(Stun(cannons[0]));

	// Each emitter goes on its fourth stun shot: 1 → 0.7 → 0.4 → 0.1 → below 0.
	for (int i = 0; i < BLOBBOSS_EMITTERS; i++)
	{
		ASSERT_TRUE(IsBlobBossTarget(emitters[size_t(i)]));
		for (int shot = 0; shot < 3; shot++)
			Stun(emitters[size_t(i)]);
		EXPECT_TRUE(IsBlobBossBeamLive(i)) << "three shots leave it standing";
		Stun(emitters[size_t(i)]);
		EXPECT_FALSE(IsBlobBossBeamLive(i)) << "the fourth blows it up and its beam goes off";
		EXPECT_EQ(gBlobBoss.deadEmitters, i + 1);
		EXPECT_EQ(gBlobBoss.phase, i + 1 < BLOBBOSS_EMITTERS ? BLOBBOSS_PHASE_EMITTERS : BLOBBOSS_PHASE_CANNONS);
		FlushObjectDeleteQueue();
	}

	// Cannons: five shots of 0.2 use up a Health of 1 (in single precision too).
	ObjNode* column = Parts(BLOBBOSS_PART_COLUMN).front();
	EXPECT_FALSE(IsBlobBossTarget(column));
	for (int k = 0; k < BLOBBOSS_CANNONS; k++)
	{
		ASSERT_TRUE(IsBlobBossTarget(cannons[size_t(k)]));
		for (int shot = 0; shot < 4; shot++)
			Stun(cannons[size_t(k)]);
		EXPECT_EQ(gBlobBoss.deadCannons, k);
		Stun(cannons[size_t(k)]);
		EXPECT_EQ(gBlobBoss.deadCannons, k + 1);
		FlushObjectDeleteQueue();
	}
	ASSERT_EQ(gBlobBoss.phase, BLOBBOSS_PHASE_COLUMN);
	ASSERT_TRUE(IsBlobBossTarget(column));

	for (int shot = 0; shot < 4; shot++)
		Stun(column);
	EXPECT_FALSE(gLevel.done);
	Stun(column);
	EXPECT_EQ(gBlobBoss.phase, BLOBBOSS_PHASE_DESTROYED);
	EXPECT_TRUE(gLevel.done);
	EXPECT_FLOAT_EQ(gLevel.doneTimer, BLOBBOSS_LEVEL_DONE_DELAY);
	EXPECT_FALSE(IsBlobBossTarget(column));

	// More shots change nothing, and the column's segments go one by one.
	Stun(column);
	EXPECT_EQ(gBlobBoss.phase, BLOBBOSS_PHASE_DESTROYED);
	Run(0.1f);
	const size_t standing = Parts(BLOBBOSS_PART_COLUMN).size();
	EXPECT_GT(standing, size_t(0));
	EXPECT_LT(standing, size_t(BLOBBOSS_SEGMENTS));
	Run(BLOBBOSS_SEGMENTS * 0.25f + 0.5f);
	EXPECT_TRUE(Parts(BLOBBOSS_PART_COLUMN).empty());
	EXPECT_EQ(gBlobBoss.phase, BLOBBOSS_PHASE_DESTROYED);
}

TEST_F(BlobWorld, OnlyTheStunGunHurtsTheMachine)
{
	MakeMachineFarAway();
	ObjNode* emitter = Parts(BLOBBOSS_PART_EMITTER).front();
	for (int weapon : {WEAPON_FREEZEGUN, WEAPON_ARCSHOT, WEAPON_FLARE, WEAPON_FIST, WEAPON_NOVA, WEAPON_DART, WEAPON_JETHIT})
	{
		EXPECT_FALSE(Hit(weapon, emitter)) << "weapon " << weapon << " passes through";
		EXPECT_FLOAT_EQ(emitter->Health, 1.0f);
	}
	EXPECT_TRUE(Stun(emitter));
	EXPECT_NEAR(emitter->Health, 1 - BLOBBOSS_EMITTER_STUN_COST, 1e-6f);
}

TEST_F(BlobWorld, ALiveBeamStrikesABodyAcrossItAndADeadOneDoesNot)
{
	MakeMachineFarAway();
	const float beamY = gBlobBoss.groundY + BLOBBOSS_BEAM_HEIGHT;
	const float x = gBlobBoss.cx + 10, z = gBlobBoss.cz + 2000;		// on the +z beam's line
	EXPECT_TRUE(IsInBlobBossBeam(x, z, beamY - 100, 200)) << "standing across it";
	EXPECT_TRUE(IsInBlobBossBeam(x, z, beamY + 25, 200)) << "feet just over it still touch";
	EXPECT_FALSE(IsInBlobBossBeam(x, z, beamY + 40, 200)) << "jumped clear";
	EXPECT_FALSE(IsInBlobBossBeam(x + 60, z, beamY - 100, 200)) << "beside it";
	EXPECT_FALSE(IsInBlobBossBeam(x, gBlobBoss.cz + BLOBBOSS_BEAM_LENGTH + 50, beamY - 100, 200)) << "past its end";

	ObjNode* emitter = nullptr;
	for (ObjNode* e : Parts(BLOBBOSS_PART_EMITTER))
		if (e->Coord.z > gBlobBoss.cz + 100)
			emitter = e;
	ASSERT_TRUE(emitter);
	for (int shot = 0; shot < 4; shot++)
		Stun(emitter);
	EXPECT_FALSE(IsInBlobBossBeam(x, z, beamY - 100, 200)) << "its emitter is gone";
}

TEST_F(BlobWorld, AMissingCentreItemStopsTheLevel)
{
	items.clear();
	gTerrainItemList = items.data();
	gNumTerrainItems = 0;
	EXPECT_THROW(MakeBlobBossMachine(), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("MAP_ITEM_BLOBBOSS not found on terrain!"), std::string::npos);
}
