// Scenery on the farm with the robot: every bad kind stops with its own
// message; doors only break to the force they are made for; and every world's
// baked scenery names models its level file really has, away from the
// landing and exit pads.
#include "PlayerTestSupport.h"
#include "Player/Player.h"
#include "models/BakeLevelModels.h"
#include "worlds/WorldPlacing.h"
#include "System/LevelTable.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/SkeletonTypes.h"
#include "Effects/Shards.h"
#include "Items/Scenery.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/Error.h"

#include <string>

using namespace PlayerTestSupport;

namespace
{
	TerrainItemEntryType MakeItem(uint16_t type, float x, float z, uint8_t p0 = 0, uint8_t p1 = 0)
	{
		TerrainItemEntryType item = {};
		item.x = uint32_t(x);
		item.z = uint32_t(z);
		item.type = type;
		item.parm[0] = p0;
		item.parm[1] = p1;
		return item;
	}

	class SceneryWorld : public PlayerWorld
	{
	protected:
		ObjNode* robot = nullptr;

		void SetUp() override
		{
			PlayerWorld::SetUp();
			if (HasFatalFailure())
				return;
			ASSERT_GT(LoadBG3D(":Models:level1_farm.bg3d", MODEL_GROUP_LEVELSPECIFIC), SPROUT_MODEL + 2);
			UpdateVisibleTerrain(gPlayerStartX, gPlayerStartZ);		// things out of range delete themselves
			InitShardSystem();
			ClearHelpMessage();
			ResetSceneryWarnings();
			InitBreakables();
			robot = MakeRobotOnGround();
			gPlayerLevel.scale = 1;
		}

		void TearDown() override
		{
			gPlayerLevel.scale = 1;
			PlayerWorld::TearDown();
			DisposeShardSystem();
			ClearTriggerHandlers();
		}

		// A door of `type` 400 in front of the robot.
		ObjNode* AddDoor(TerrainItemEntryType* item)
		{
			EXPECT_TRUE(kItemAddRoutines[item->type].add(item, float(item->x), float(item->z)));
			return gLastCreatedNode;
		}

		TerrainItemEntryType DoorItem(uint16_t type)
		{
			return MakeItem(type, robot->Coord.x, robot->Coord.z - 400);
		}

		static bool IsGone(const ObjNode* node) { return node->CType == INVALID_NODE_FLAG; }

		// Bumps the door every frame for `seconds`; returns how many knocks (shakes started).
		int BumpFor(ObjNode* door, float seconds)
		{
			int knocks = 0;
			for (float t = 0; t < seconds; t += FRAME)
			{
				float before = door->SpecialF[0];
				EXPECT_TRUE(HandleTrigger(door, robot, SIDE_FRONT)) << "a bump is solid";
				if (door->SpecialF[0] > before)
					knocks++;
				door->MoveCall(door);
			}
			return knocks;
		}
	};
}

TEST(SceneryKinds, EachBadKindStopsWithItsOwnMessage)
{
	const struct { uint16_t type; uint8_t badKind; const char* message; } cases[] = {
		{1, 9, "AddBasicPlant: bad type"},
		{28, 7, "AddSlimePipe: illegal slime type (parm 0)"},
		{32, 4, "AddBasicCrystal: illegal crystal type (parm 0)"},
		{63, 3, "AddLampPost: illegal type (parm 0)"},
		{65, 5, "AddGraveStone: illegal type (parm 0)"},
		{66, 2, "AddCrashedShip: illegal type (parm 0)"},
		{68, 7, "AddRubble: illegal type (parm 0)"},
		{69, 5, "AddTeleporterMap: illegal type (parm 0)"},
		{13, 2, "AddJetBreakable"},
		{19, 2, "AddSpeedBreakable"},
		{54, NUM_GIANT_BREAKABLE_KINDS, "AddGiantBreakable"},
		{16, NUM_SPROUT_KINDS, "AddEnemySprout"},
	};
	for (const auto& c : cases)
	{
		TerrainItemEntryType item = MakeItem(c.type, 1000, 1000, c.badKind);
		EXPECT_THROW(kItemAddRoutines[c.type].add(&item, 1000, 1000), Tamber::QuitRequest) << c.message;
		EXPECT_EQ(gLastFatalMessage.rfind(c.message, 0), 0u) << gLastFatalMessage;
		gFatalErrorRaised = false;
	}
}

TEST_F(SceneryWorld, AMissingModelRefusesTheItemInsteadOfStopping)
{
	// The farm's file ends well before the crashed ships' models.
	TerrainItemEntryType ship = MakeItem(66, robot->Coord.x, robot->Coord.z - 900, 1);
	ASSERT_LT(gNumObjectsInBG3DGroupList[MODEL_GROUP_LEVELSPECIFIC], 40);
	int before = gObjectCount;
	EXPECT_FALSE(kItemAddRoutines[66].add(&ship, float(ship.x), float(ship.z)));
	EXPECT_FALSE(kItemAddRoutines[66].add(&ship, float(ship.x), float(ship.z))) << "asked again later, still refused";
	EXPECT_EQ(gObjectCount, before);
	EXPECT_FALSE(gFatalErrorRaised);
}

TEST_F(SceneryWorld, RowsShowTheirModelAtTheirScaleAndFacing)
{
	float x = robot->Coord.x + 1200, z = robot->Coord.z;
	const struct { uint16_t type; uint8_t p0, p1, p2; int model; float scale, rot; } cases[] = {
		{11, 3, 0, 0, 1, 1.5f, 3 * 1.5707963f},		// turned parm[0] quarters
		{12, 0, 0, 0, 2, 2.5f, 0},
		{20, 9, 2, 12, 9, 1.2f, 2 * 0.7853982f},		// the model, eighths and tenths it names
		{17, 0, 0, 0, 16, 2.0f, 0},
	};
	for (const auto& c : cases)
	{
		TerrainItemEntryType item = MakeItem(c.type, x, z, c.p0, c.p1);
		item.parm[2] = c.p2;
		ASSERT_TRUE(AddSceneryItem(&item, x, z)) << c.type;
		ObjNode* node = gLastCreatedNode;
		EXPECT_EQ(node->Type, c.model) << c.type;
		EXPECT_FLOAT_EQ(node->Scale.x, c.scale) << c.type;
		EXPECT_NEAR(node->Rot.y, c.rot, 1e-4f) << c.type;
		EXPECT_TRUE(node->CType & CTYPE_MISC) << c.type << " is solid";
		EXPECT_EQ(node->TerrainItemPtr, &item);
		node->TerrainItemPtr = nullptr;
		DeleteObject(node);
		x += 600;
	}
}

TEST_F(SceneryWorld, AJetDoorBumpedOnFootOnlyKnocksEveryHalfSecondAndBreaksInTheJet)
{
	TerrainItemEntryType item = DoorItem(13);
	ObjNode* door = AddDoor(&item);
	ASSERT_EQ(door->Kind, TRIGGER_KIND_JUMPJET_DOOR);

	int knocks = BumpFor(door, 1.5f);
	EXPECT_GE(knocks, 2);
	EXPECT_LE(knocks, 4) << "leaning on the door knocks at most every half second";
	EXPECT_FALSE(IsGone(door));

	// A shot is spent on it and shakes it; it stands.
	EXPECT_TRUE(door->HitByWeaponHandler[WEAPON_STUNGUN](nullptr, door, &door->Coord, nullptr, 0));
	EXPECT_FALSE(IsGone(door));

	SetSkeletonAnim(robot->Skeleton, PLAYER_ANIM_JUMPJET);
	EXPECT_FALSE(HandleTrigger(door, robot, SIDE_FRONT)) << "the jet goes through";
	EXPECT_TRUE(IsGone(door));
	EXPECT_EQ(door->TerrainItemPtr, nullptr) << "broken for good: its item is not freed";
}

TEST_F(SceneryWorld, AGiantWallOnlyYieldsToAGiantRobot)
{
	TerrainItemEntryType item = DoorItem(54);
	ObjNode* wall = AddDoor(&item);
	ASSERT_EQ(wall->Kind, TRIGGER_KIND_GIANT_ROBOT_WALL);

	SetSkeletonAnim(robot->Skeleton, PLAYER_ANIM_JUMPJET);
	EXPECT_TRUE(HandleTrigger(wall, robot, SIDE_FRONT));
	EXPECT_FALSE(IsGone(wall)) << "the jump jet alone does not break it";

	gPlayerLevel.scale = 2;
	EXPECT_TRUE(HandleTrigger(wall, robot, SIDE_FRONT)) << "solid even as it shatters";
	EXPECT_TRUE(IsGone(wall));
}

TEST_F(SceneryWorld, AMetalGateOnlyYieldsToAFastVehicle)
{
	TerrainItemEntryType item = DoorItem(19);
	ObjNode* gate = AddDoor(&item);
	robot->Delta = {2000, 0, 0};
	EXPECT_TRUE(HandleTrigger(gate, robot, SIDE_FRONT)) << "the robot, however fast, only shakes it";
	EXPECT_FALSE(IsGone(gate));

	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.slot = 100;
	def.coord = gate->Coord;
	def.scale = 1;
	ObjNode* cart = MakeNewObject(&def);
	cart->Delta = {0, 0, -1000};
	EXPECT_TRUE(HandleTrigger(gate, cart, SIDE_FRONT));
	EXPECT_FALSE(IsGone(gate)) << "too slow";
	cart->Delta = {0, 0, -1500};
	EXPECT_FALSE(HandleTrigger(gate, cart, SIDE_FRONT));
	EXPECT_TRUE(IsGone(gate));
}

TEST_F(SceneryWorld, SpinningRingsBobAboutTheirStartAndTurnEachTheirOwnWay)
{
	TerrainItemEntryType item = MakeItem(47, robot->Coord.x + 800, robot->Coord.z);
	ASSERT_TRUE(AddSpinningRings(&item, float(item.x), float(item.z)));
	ObjNode* rings = gLastCreatedNode;
	float start = rings->Coord.y, low = start, high = start;
	float spin0 = SpinningRingSpin(rings, 0), spin1 = SpinningRingSpin(rings, 1);
	for (int i = 0; i < 200; i++)
	{
		MoveSpinningRings(rings);
		low = std::min(low, rings->Coord.y);
		high = std::max(high, rings->Coord.y);
	}
	EXPECT_NEAR(high - start, SPINNING_RINGS_BOB, 1.0f);
	EXPECT_NEAR(start - low, SPINNING_RINGS_BOB, 1.0f);
	EXPECT_GT(SpinningRingSpin(rings, 0), spin0);
	EXPECT_LT(SpinningRingSpin(rings, 1), spin1);
}

//
// The baked worlds
//

TEST(SceneryPlacements, EveryWorldsSceneryUsesRealModelsOfItsLevelAndKeepsOffThePads)
{
	using namespace TerrainBake;
	for (int level = 0; level < NUM_LEVELS; level++)
	{
		WorldDesign d = MakeWorldDesign(level);
		Kit::ModelFile models = LevelModels::BuildLevelModels(LevelModels::LevelWritingModelFile(level));
		std::vector<std::pair<float, float>> pads;
		for (const FileItem& i : d.items)
			if (i.type == Worlds::ITEM_START || i.type == Worlds::ITEM_EXIT)
				pads.push_back({float(i.x) * MAP_TO_UNIT, float(i.z) * MAP_TO_UNIT});
		// The way the autopilot walks: from the start through every placed goal.
		std::vector<Point2> route;
		for (const FileItem& i : d.items)
			if (i.type == Worlds::ITEM_START && route.empty())
				route.push_back({float(i.x) * MAP_TO_UNIT, float(i.z) * MAP_TO_UNIT});
		for (const RouteGoal& g : d.route)
			if (g.x != 0 || g.z != 0)
				route.push_back({g.x, g.z});
		int scenery = 0;
		for (const FileItem& i : d.items)
		{
			TerrainItemEntryType item = MakeItem(i.type, 0, 0, i.parm[0], i.parm[1]);
			int used[3];
			int n = SceneryItemModels(item, used);
			if (n == 0)
				continue;
			scenery++;
			for (int m = 0; m < n; m++)
			{
				ASSERT_LT(size_t(used[m]), models.models.size()) << "level " << level << " item " << i.type;
				EXPECT_EQ(models.models[size_t(used[m])].name.rfind("placeholder", 0), std::string::npos)
						<< "level " << level << " item " << i.type << " shows a stand-in: " << models.models[size_t(used[m])].name;
			}
			float x = float(i.x) * MAP_TO_UNIT, z = float(i.z) * MAP_TO_UNIT;
			if (route.size() >= 2)
			{
				EXPECT_GT(DistanceToPath(x, z, route), 300.0f) << "level " << level << " item " << i.type << " stands in the way";
			}
			for (auto [px, pz] : pads)
				EXPECT_GT(std::hypot(x - px, z - pz), 400.0f) << "level " << level << " item " << i.type;
		}
		if (level != LEVEL_NUM_BLOBBOSS)
		{
			EXPECT_GE(scenery, 30) << "level " << level << " looks bare";
		}
	}
}
