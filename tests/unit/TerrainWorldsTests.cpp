// The ten baked worlds must later host each level's gameplay: a flat start
// under open sky, items on solid ground inside the map, the arenas and item
// sets the level code looks for, and on the Cloud level holes that look like
// what the height queries treat as holes. Checked on the designs themselves
// (heights, flags and items), which is what the baker samples.
#include "models/BakeLevelModels.h"
#include "worlds/WorldPlacing.h"
#include "System/ContentNumbers.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "Terrain/TerrainFormat.h"
#include "Terrain/Water.h"

#include "WorldTestNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

using namespace TerrainBake;
using namespace TerrainBake::Worlds;

namespace
{
	struct PlacedItem
	{
		uint16_t type;
		float x, z;
		uint8_t parm0, parm1, parm3;
		uint16_t flags;
	};

	std::vector<PlacedItem> WorldItems(const WorldDesign& d)
	{
		std::vector<PlacedItem> items;
		for (const FileItem& i : d.items)
			items.push_back({i.type, float(i.x) * MAP_TO_UNIT, float(i.z) * MAP_TO_UNIT, i.parm[0], i.parm[1], i.parm[3], i.flags});
		return items;
	}

	std::vector<PlacedItem> OfType(const std::vector<PlacedItem>& items, uint16_t type)
	{
		std::vector<PlacedItem> found;
		std::copy_if(items.begin(), items.end(), std::back_inserter(found), [&](const PlacedItem& i) { return i.type == type; });
		return found;
	}

	// The largest height difference from (x, z) to points on rings out to `radius`.
	float Unevenness(const WorldDesign& d, float x, float z, float radius)
	{
		float h0 = d.height(x, z), worst = 0;
		for (float r = radius / 4; r <= radius; r += radius / 4)
			for (int k = 0; k < 16; k++)
			{
				float a = float(k) * 3.14159265f / 8;
				worst = std::max(worst, std::fabs(d.height(x + r * std::cos(a), z + r * std::sin(a)) - h0));
			}
		return worst;
	}

	// The highest ground within `radius` of (x, z).
	float HighestAround(const WorldDesign& d, float x, float z, float radius)
	{
		float highest = -1e9f;
		for (float r = 0; r <= radius; r += radius / 8)
			for (int k = 0; k < 24; k++)
			{
				float a = float(k) * 3.14159265f / 12;
				highest = std::max(highest, d.height(x + r * std::cos(a), z + r * std::sin(a)));
			}
		return highest;
	}

	// The way a player goes: from the start through every goal of the route that has a place.
	std::vector<Point2> RouteWay(const WorldDesign& d)
	{
		std::vector<Point2> way;
		for (const FileItem& i : d.items)
			if (i.type == ITEM_START)
				way.push_back({float(i.x) * MAP_TO_UNIT, float(i.z) * MAP_TO_UNIT});
		for (const RouteGoal& g : d.route)
			if (kRouteVerbs[g.verb].hasPlace)
				way.push_back({g.x, g.z});
		return way;
	}

	bool IsHuman(const PlacedItem& i)
	{
		return i.type == ITEM_HUMAN || i.type == ITEM_SCIENTIST;
	}

	bool OnEmptySuperTile(const WorldDesign& d, float x, float z)
	{
		return d.emptySuperTile && d.emptySuperTile(int(z / SUPERTILE), int(x / SUPERTILE));
	}

	bool IsHole(const WorldDesign& d, float x, float z)
	{
		return d.tileFlags && (d.tileFlags(x, z) & 0x0001);
	}

	struct World : ::testing::TestWithParam<int>
	{
		WorldDesign d = MakeWorldDesign(GetParam());
		float width = float(d.superTilesWide) * SUPERTILE;
		float depth = float(d.superTilesDeep) * SUPERTILE;
	};
}

TEST_P(World, StartsOnceOnFlatGroundUnderOpenSky)
{
	int level = GetParam();
	std::vector<PlacedItem> starts = OfType(WorldItems(d), ITEM_START);
	ASSERT_EQ(starts.size(), 1u) << d.name;
	PlacedItem start = starts[0];

	// Far enough inside that the window around it is mostly map.
	EXPECT_GE(EdgeDistance(start.x, start.z, width, depth), 2 * SUPERTILE) << d.name;
	EXPECT_FALSE(OnEmptySuperTile(d, start.x, start.z)) << d.name;
	EXPECT_FALSE(IsHole(d, start.x, start.z)) << d.name;
	EXPECT_LT(Unevenness(d, start.x, start.z, 600), 60.0f) << d.name << ": the robot lands on level ground";

	// Everywhere but the slime boss arena (the robot starts on the ground)
	// and the saucer level (it starts in the saucer), the landing saucer
	// comes down from above: nothing near may rise over it.
	if (level != LEVEL_NUM_BLOBBOSS && level != LEVEL_NUM_SAUCER)
	{
		EXPECT_LT(HighestAround(d, start.x, start.z, 1500), d.height(start.x, start.z) + 400) << d.name;
	}
}

namespace
{
	constexpr uint16_t ITEM_TRAP_DOOR_OVER_HOLE = 84;
}

TEST_P(World, ItemsStandInsideTheMapOnSolidGround)
{
	float margin = GetParam() == LEVEL_NUM_SAUCER ? 7200.0f : 0.0f;	// the saucer level's flying limit
	for (const PlacedItem& item : WorldItems(d))
	{
		SCOPED_TRACE(d.name + " item type " + std::to_string(item.type));
		EXPECT_GE(EdgeDistance(item.x, item.z, width, depth), margin);
		EXPECT_FALSE(OnEmptySuperTile(d, item.x, item.z));
		// A trap door is the one item that must cover a hole: the robot falls through it.
		EXPECT_EQ(IsHole(d, item.x, item.z), item.type == ITEM_TRAP_DOOR_OVER_HOLE);
		EXPECT_EQ(item.flags & ITEM_FLAG_INUSE, 0) << "the in-use mark in the file would keep the item from ever waking";
	}
	// An exit, where the level has one, sits on level ground.
	std::vector<PlacedItem> exits = OfType(WorldItems(d), ITEM_EXIT);
	EXPECT_LE(exits.size(), 1u) << d.name;
	for (const PlacedItem& exit : exits)
		EXPECT_LT(Unevenness(d, exit.x, exit.z, 700), 80.0f) << d.name << ": the exit saucer lands level";
}

TEST_P(World, HeightsStayWellInsideTheView)
{
	// Coarse samples over the whole map: finite and within a few thousand
	// units of sea level, so the far plane (about 15000) always holds the ground.
	for (float z = 0; z <= depth; z += 450)
		for (float x = 0; x <= width; x += 450)
		{
			float h = d.height(x, z);
			ASSERT_TRUE(std::isfinite(h)) << d.name << " at " << x << ", " << z;
			ASSERT_LT(std::fabs(h), 5000.0f) << d.name << " at " << x << ", " << z;
		}
}

INSTANTIATE_TEST_SUITE_P(AllLevels, World, ::testing::Range(0, NUM_WORLDS),
		WorldTestParamName);

TEST(WorldLayouts, EachWorldsTestsAreNamedAfterTheDesignTheyCheck)
{
	for (int level = 0; level < NUM_WORLDS; level++)
		EXPECT_EQ(WorldTestName(level), MakeWorldDesign(level).name) << "level " << level;
}

TEST(WorldLayouts, TheBlobBossMachineStandsInTheMiddleOfAFlatArena)
{
	WorldDesign d = MakeWorldDesign(LEVEL_NUM_BLOBBOSS);
	std::vector<PlacedItem> centres = OfType(WorldItems(d), ITEM_BLOBBOSS_CENTER);
	ASSERT_EQ(centres.size(), 1u) << "the level stops without its machine's centre";
	EXPECT_NEAR(centres[0].x, float(d.superTilesWide) * SUPERTILE / 2, 50);
	EXPECT_NEAR(centres[0].z, float(d.superTilesDeep) * SUPERTILE / 2, 50);
	EXPECT_LT(Unevenness(d, centres[0].x, centres[0].z, 4500), 1.0f) << "the spinning platforms circle over a flat floor";
}

TEST(WorldLayouts, TheBrainBossHasItsEightPortalsRoundIt)
{
	WorldDesign d = MakeWorldDesign(LEVEL_NUM_BRAINBOSS);
	std::vector<PlacedItem> items = WorldItems(d);
	ASSERT_EQ(OfType(items, ITEM_BRAINBOSS).size(), 1u);
	PlacedItem boss = OfType(items, ITEM_BRAINBOSS)[0];

	std::set<int> numbers;
	for (const PlacedItem& portal : OfType(items, ITEM_ALIEN_PORTAL))
	{
		numbers.insert(portal.parm0);
		EXPECT_GT(Hypot(portal.x - boss.x, portal.z - boss.z), 1000.0f) << "portal " << int(portal.parm0);
	}
	EXPECT_EQ(numbers, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(WorldLayouts, CloudHolesLookLikeHolesAndTheArenaIsElectrified)
{
	// The height queries fall through tiles flagged as holes; the eye sees
	// through black pixels. The two must agree at every tile's centre.
	WorldDesign d = MakeWorldDesign(LEVEL_NUM_CLOUD);
	ASSERT_TRUE(d.tileFlags && d.paint);
	int holes = 0, arena = 0, tiles = 0;
	for (int row = 0; row < d.superTilesDeep * 8; row += 2)
		for (int col = 0; col < d.superTilesWide * 8; col += 2)
		{
			float x = (float(col) + 0.5f) * TILE, z = (float(row) + 0.5f) * TILE;
			uint16_t flags = d.tileFlags(x, z);
			Rgb c = d.paint({x, z, d.height(x, z), 0});
			bool black = c.r == 0 && c.g == 0 && c.b == 0;
			EXPECT_EQ(black, (flags & 0x0001) != 0) << "tile " << row << ", " << col;
			holes += (flags & 0x0001) != 0;
			arena += (flags & 0x0002) != 0;
			tiles++;
		}
	EXPECT_GT(holes, tiles / 10) << "open sky between the islands";
	EXPECT_GT(arena, 50) << "the bumper arena's floor";
}

TEST(WorldLayouts, OnlyTheCloudLevelHasHolesOrEmptySuperTiles)
{
	for (int level = 0; level < NUM_WORLDS; level++)
	{
		if (level == LEVEL_NUM_CLOUD)
			continue;
		WorldDesign d = MakeWorldDesign(level);
		EXPECT_FALSE(d.emptySuperTile) << d.name;
		if (!d.tileFlags)
			continue;
		for (float z = 100; z < float(d.superTilesDeep) * SUPERTILE; z += 900)
			for (float x = 100; x < float(d.superTilesWide) * SUPERTILE; x += 900)
				ASSERT_FALSE(d.tileFlags(x, z) & 0x0001) << d.name;
	}
}

// Humans are there to be rescued on the way: each stands (or waits in its
// hut) near enough to the route for a player following it to see it and for
// the autopilot's detours to reach it, and the head count fits the level.
TEST_P(World, HumansWaitNearTheRouteInNumbersThatFitTheLevel)
{
	int level = GetParam();
	std::vector<Point2> way = RouteWay(d);
	int humans = 0;
	for (const PlacedItem& item : WorldItems(d))
	{
		bool hut = item.type == ITEM_PEOPLE_HUT;
		if (!IsHuman(item) && !hut)
			continue;
		SCOPED_TRACE(d.name + " item type " + std::to_string(item.type) + " at " + std::to_string(int(item.x)) + ", "
				+ std::to_string(int(item.z)));
		EXPECT_LT(DistanceToPath(item.x, item.z, way), 1000.0f);
		if (hut)
		{
			// A count of 0 would be drawn at random; the level says how many.
			EXPECT_GE(item.parm0, 1);
			EXPECT_LE(item.parm0, 8);
			EXPECT_GE(item.parm1, 1) << "a hut of one kind";
			EXPECT_LE(item.parm1, NUM_HUMAN_KINDS);
			humans += item.parm0;
		}
		else
		{
			if (item.type == ITEM_HUMAN)
			{
				EXPECT_LT(item.parm0, NUM_HUMAN_KINDS) << "the game stops on an unknown kind";
			}
			humans++;
		}
	}
	if (level == LEVEL_NUM_BLOBBOSS || level == LEVEL_NUM_BRAINBOSS)
		EXPECT_EQ(humans, 0) << d.name << ": nobody waits in a boss arena";
	else if (level == LEVEL_NUM_SAUCER)
		EXPECT_GE(humans, 26) << "20 deliveries charge the exit; some villagers will be lost to the raiders";
	else
	{
		EXPECT_GE(humans, 6) << d.name;
		EXPECT_LE(humans, 12) << d.name;
	}
}

// Brain aliens lie in wait along the way, but never where the robot lands
// nor on the stretch that leads into the exit.
TEST_P(World, BrainAliensWaitAlongTheWayAwayFromTheStartAndTheExit)
{
	static const std::set<int> alienLevels = {LEVEL_NUM_FARM, LEVEL_NUM_BLOB, LEVEL_NUM_APOCALYPSE, LEVEL_NUM_CLOUD,
			LEVEL_NUM_JUNGLE, LEVEL_NUM_FIREICE};
	std::vector<Point2> way = RouteWay(d);
	std::vector<PlacedItem> aliens = OfType(WorldItems(d), ITEM_BRAIN_ALIEN);
	if (alienLevels.count(GetParam()))
	{
		EXPECT_GE(aliens.size(), 4u) << d.name;
	}
	for (const PlacedItem& alien : aliens)
	{
		SCOPED_TRACE(d.name + " brain alien at " + std::to_string(int(alien.x)) + ", " + std::to_string(int(alien.z)));
		EXPECT_LT(DistanceToPath(alien.x, alien.z, way), 1000.0f);
		EXPECT_GT(Hypot(alien.x - way.front().x, alien.z - way.front().z), 3000.0f);
		// The last 5000 units of the way, into the exit (or the lift's site).
		std::vector<Point2> intoTheExit = {way.back()};
		float left = 5000;
		for (size_t i = way.size() - 1; i > 0 && left > 0; i--)
		{
			Point2 a = way[i - 1], b = way[i];
			float len = Hypot(b.x - a.x, b.z - a.z);
			float t = len > left ? left / len : 1.0f;
			intoTheExit.push_back({Lerp(b.x, a.x, t), Lerp(b.z, a.z, t)});
			left -= len;
		}
		EXPECT_GT(DistanceToPath(alien.x, alien.z, intoTheExit), 1500.0f);
	}
}

// A captured human is shut in level model 5: only levels whose model file
// has the capsule there may place one.
TEST(WorldLayouts, CapsulesOnlyOnLevelsWhoseModelFiveIsTheCapsule)
{
	int capsuleLevels = 0;
	for (int level = 0; level < NUM_WORLDS; level++)
	{
		WorldDesign d = MakeWorldDesign(level);
		int captured = 0;
		for (const PlacedItem& item : WorldItems(d))
			captured += IsHuman(item) && (item.parm3 & HUMAN_IN_CAPSULE);
		if (captured == 0)
			continue;
		capsuleLevels++;
		Kit::ModelFile models = LevelModels::BuildLevelModels(LevelModels::LevelWritingModelFile(level));
		ASSERT_GT(models.models.size(), size_t(LEVEL_MODEL_HUMAN_CAPSULE)) << d.name;
		EXPECT_EQ(models.models[LEVEL_MODEL_HUMAN_CAPSULE].name, "human capsule") << d.name;
		Kit::Bounds box = Kit::ComputeBounds(models.models[LEVEL_MODEL_HUMAN_CAPSULE]);
		EXPECT_NEAR(box.min.y, 0.0f, 0.01f) << "the game stands the capsule on its floor";
		EXPECT_NEAR(box.max.x - box.min.x, HUMAN_CAPSULE_MODEL_SIZE, 0.05f) << "and scales it to the human";
	}
	EXPECT_GE(capsuleLevels, 3);
}

//
// What the robot collects
//

namespace
{
	// Levels whose exit opens only once atoms have charged it: the level
	// table starts them empty and never opens the exit by itself, and no
	// boss's death ends them.
	bool ExitNeedsAtoms(int level, const WorldDesign& d)
	{
		const LevelDef& def = GetLevelDef(level);
		bool boss = !OfType(WorldItems(d), ITEM_BRAINBOSS).empty() || !OfType(WorldItems(d), ITEM_BLOBBOSS_CENTER).empty();
		return def.exitChargeAtStart < 1 && !(def.rules & LEVEL_RULE_EXIT_ALWAYS_OPEN) && !boss;
	}

	// The direction of the way at the point nearest (x, z).
	Point2 WayDirectionNear(const std::vector<Point2>& way, float x, float z)
	{
		float best = 1e9f;
		Point2 dir{0, 0};
		for (size_t i = 1; i < way.size(); i++)
		{
			float d = DistanceToSegment(x, z, way[i - 1], way[i]);
			float len = Hypot(way[i].x - way[i - 1].x, way[i].z - way[i - 1].z);
			if (d < best && len > 0)
			{
				best = d;
				dir = {(way[i].x - way[i - 1].x) / len, (way[i].z - way[i - 1].z) / len};
			}
		}
		return dir;
	}
}

// Twenty exit-charge atoms fill the exit; a level that needs them holds some
// to spare (loose or in pods of several), every one of them near the way
// before the route stops to wait for the charge.
TEST_P(World, ExitChargeAtomsToSpareLieOnTheWayBeforeTheChargeIsAwaited)
{
	int level = GetParam();
	std::vector<Point2> way = WayToCharge(d);
	int worth = 0;
	for (const PlacedItem& item : WorldItems(d))
	{
		bool loose = item.type == ITEM_ATOM && item.parm0 == ATOM_EXIT_CHARGE;
		bool pod = item.type == ITEM_POD && item.parm0 == POD_CHARGE_ATOMS;
		if (!loose && !pod)
			continue;
		worth += loose ? 1 : std::max<int>(1, item.parm1);
		EXPECT_LT(DistanceToPath(item.x, item.z, way), 600.0f)
				<< d.name << " charge at " << int(item.x) << ", " << int(item.z) << " is off the way to the charge";
	}
	if (ExitNeedsAtoms(level, d))
	{
		EXPECT_GE(worth, ATOMS_TO_CHARGE_EXIT + 4) << d.name;
	}
	if (level == LEVEL_NUM_FIREICE)
	{
		EXPECT_GE(worth, ATOMS_TO_CHARGE_EXIT + 4) << "the lift will want its charge too";
	}
}

// Checkpoints are met in the order of their numbers, 1, 2, 3 …, and the
// robot that comes back at one faces on along the way.
TEST_P(World, CheckpointsAreNumberedInTheOrderTheWayMeetsThemAndFaceOnAlongIt)
{
	std::vector<Point2> way = WayToCharge(d);
	std::vector<PlacedItem> posts = OfType(WorldItems(d), ITEM_CHECKPOINT);
	if (ExitNeedsAtoms(GetParam(), d))
	{
		EXPECT_GE(posts.size(), 2u) << d.name;
	}
	std::vector<std::pair<float, int>> met;
	for (const PlacedItem& post : posts)
	{
		float along = 0;
		EXPECT_LT(DistanceToPath(post.x, post.z, way, &along), 800.0f) << d.name;
		met.push_back({along, post.parm0});
		float heading = float(post.parm1) * 3.14159265f / 4;
		Point2 facing{-std::sin(heading), -std::cos(heading)};
		Point2 on = WayDirectionNear(way, post.x, post.z);
		EXPECT_GT(facing.x * on.x + facing.z * on.z, 0.6f) << d.name << " checkpoint " << int(post.parm0);
	}
	std::sort(met.begin(), met.end());
	for (size_t k = 0; k < met.size(); k++)
		EXPECT_EQ(met[k].second, int(k) + 1) << d.name << ": checkpoint numbers rise along the way from 1";
}

// A tow handle's pod waits on dry ground by a boat of its number.
TEST_P(World, TowHandlesHaveTheirBoats)
{
	for (const FileItem& item : d.items)
	{
		if (item.type != ITEM_POD || item.parm[0] != POD_TOW_HANDLE)
			continue;
		int boats = 0;
		for (const FileSpline& s : d.splines)
			for (const FileSplineItem& i : s.items)
				boats += i.type == SPLINE_ITEM_BOAT && i.parm[0] == item.parm[2];
		EXPECT_EQ(boats, 1) << d.name << ": the handle for boat " << int(item.parm[2]);
		for (const FileWaterPatch& w : d.water)
		{
			std::vector<OGLPoint2D> outline;
			for (const auto& n : w.nubs)
				outline.push_back({n[0] * MAP_TO_UNIT, n[1] * MAP_TO_UNIT});
			EXPECT_FALSE(IsPointInPolygon2D(float(item.x) * MAP_TO_UNIT, float(item.z) * MAP_TO_UNIT, int(outline.size()),
					outline.data())) << d.name << ": the handle for boat " << int(item.parm[2]) << " lies in water";
		}
	}
}

// Atoms and pods lie where a player on the way gets them: on ground level
// with the way beside them, never on a cliff top or down a hole; and only
// the kinds the game knows, each on the levels that allow it.
TEST_P(World, PickupsAreKnownKindsOnGroundLevelWithTheWay)
{
	int level = GetParam();
	std::vector<Point2> way = WayToCharge(d);
	int pickups = 0;
	for (const PlacedItem& item : WorldItems(d))
	{
		if (item.type != ITEM_ATOM && item.type != ITEM_POD)
			continue;
		if (item.type == ITEM_POD && item.parm0 == POD_TOW_HANDLE)
			continue;			// by its boat's water, not the way (below)
		pickups++;
		SCOPED_TRACE(d.name + " item type " + std::to_string(item.type) + " kind " + std::to_string(item.parm0) + " at "
				+ std::to_string(int(item.x)) + ", " + std::to_string(int(item.z)));
		if (item.type == ITEM_ATOM)
		{
			EXPECT_LE(item.parm0, ATOM_EXIT_CHARGE);
		}
		else
		{
			EXPECT_LE(item.parm0, POD_EXTRA_LIFE);
			EXPECT_EQ(item.parm0 == POD_GROWTH && level != LEVEL_NUM_JUNGLE, false) << "growth is the jungle's only";
			EXPECT_EQ((item.flags & ITEM_FLAG_POD_ON_BALLOON) && level != LEVEL_NUM_CLOUD, false) << "balloons are the cloud's only";
		}
		float along = 0;
		EXPECT_LT(DistanceToPath(item.x, item.z, way, &along), 1000.0f);
		Point2 beside = AlongPath(way, along);
		EXPECT_LT(std::fabs(d.height(item.x, item.z) - d.height(beside.x, beside.z)), 150.0f);
	}
	EXPECT_GE(pickups, 3) << d.name << ": every level has something to pick up";
}
