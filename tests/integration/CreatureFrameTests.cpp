// Every world's creatures drawn one by one as the game makes them, from the
// level's own model file and skeletons, under the virtual display. Each frame
// must show the creature where it stands, at its size next to the robot (the
// robot drawn the same way is the yardstick), in its own colours and not as a
// grey stand-in block. The checks are on colours by hue and on the size of
// the silhouette, so a reworked rig or a new pose still passes while a
// missing mesh, a wrong scale or a lost material does not. With
// ZAPP_CREATURE_SHOTS naming a folder, each frame is written there.
#include "PixelTest.h"
#include "SplineTestLoop.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "Enemies/Blobs.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Enemies/CityCreatures.h"
#include "Enemies/CloudCreatures.h"
#include "Enemies/FarmCreatures.h"
#include "Enemies/FireIceCreatures.h"
#include "Enemies/JungleCreatures.h"
#include "Player/Player.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "Terrain/Splines.h"
#include "Terrain/TerrainFile.h"

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
	constexpr float HALF_FOV_TAN = 0.6131f;		// tan(0.55): the default view's half height over its distance
	constexpr float FILL = 0.7f;				// of the frame's height a creature is framed to fill
	constexpr float TURN = 3.14159265f - 0.6f;	// radians: facing the camera (+z), three-quarters on

	struct OwnColour
	{
		uint32_t rgb;
		const char* what;
		float share;			// at least this share of the silhouette shows it
	};

	struct Look
	{
		const char* name;
		ObjNode* (*make)();
		// In robot heights: bands round the baked sizes, wide enough for a
		// reworked rig or pose, narrow enough that half or half again as big fails.
		float minHeight, maxHeight;
		std::vector<OwnColour> colours;
		float maxGrey = 0.35f;			// share of the silhouette that may read as grey
	};

	struct Seen
	{
		PixelFrame frame;
		PixelRect box;			// round everything not the clear colour
		int area = 0;			// pixels not the clear colour
		float worldHeight = 0;	// the box's height back in world units
	};

	class CreatureFrame : public PixelTest
	{
	protected:
		float robotHeight = 0;

		void TearDown() override
		{
			DeleteAllSplineObjects();
			PixelTest::TearDown();
		}

		// Frames `node` from the front three-quarters on, standing at the
		// origin, and measures what was drawn.
		Seen Measure(ObjNode* node)
		{
			Place(node, {0, 0, 0}, TURN);
			// Feet on the ground: its box's bottom at y 0.
			Place(node, {0, -node->BBox.min.y, 0}, TURN);
			const float h = node->BBox.max.y - node->BBox.min.y;
			// Its box's width and depth as seen turned: the width of the view it needs.
			const float w = node->BBox.max.x - node->BBox.min.x, d = node->BBox.max.z - node->BBox.min.z;
			const float across = std::fabs(w * std::cos(TURN)) + std::fabs(d * std::sin(TURN));
			const float aspect = float(width) / float(height);
			const float distance = std::max(h, across / aspect) / (2 * HALF_FOV_TAN * FILL) + across / 2;
			LookFromTo({0, h / 2, distance}, {0, h / 2, 0});
			Seen seen;
			seen.frame = Render();
			seen.box = seen.frame.BoundsOf(PixelColour::NotClear());
			seen.area = seen.frame.Count(seen.frame.Whole(), PixelColour::NotClear());
			seen.worldHeight = float(seen.box.Height()) / float(height) * 2 * HALF_FOV_TAN * distance;
			return seen;
		}

		void Save(const Seen& seen, const std::string& name)
		{
			const char* folder = std::getenv("ZAPP_CREATURE_SHOTS");
			if (!folder || !*folder)
				return;
			std::filesystem::create_directories(folder);
			seen.frame.Write((std::filesystem::path(folder) / (name + ".png")).c_str());
		}

		static void ClearAll()
		{
			DeleteAllSplineObjects();
			DeleteAllObjects();
			FlushObjectDeleteQueue();
		}

		// The level's models and skeletons, and the robot's height as drawn.
		void LoadWorld(int level)
		{
			ASSERT_NO_FATAL_FAILURE(LoadLevelModels(level));
			ObjectDef def = {};
			def.type = SKELETON_TYPE_QUOG;
			def.slot = 100;
			def.scale = PLAYER_NODE_SCALE;
			ObjNode* robot = MakeNewSkeletonBaseData(&def, PLAYER_ANIM_STAND);
			Seen seen = Measure(robot);
			Save(seen, std::string("robot-") + std::to_string(level));
			robotHeight = seen.worldHeight;
			ASSERT_GT(robotHeight, 50) << "the robot, the yardstick, is drawn";
			ClearAll();
		}

		// Makes and frames each creature and checks what shows.
		void CheckEach(const std::vector<Look>& looks)
		{
			for (const Look& look : looks)
			{
				SCOPED_TRACE(look.name);
				ObjNode* creature = look.make();
				ASSERT_NE(creature, nullptr) << look.name << " is made";
				const Seen seen = Measure(creature);
				Save(seen, look.name);
				ASSERT_GT(seen.area, width * height / 80) << look.name << " is drawn";

				// Where it stands: the middle of the view, inside the frame.
				const int middle = (seen.box.x0 + seen.box.x1) / 2;
				EXPECT_GT(middle, width / 4) << look.name << " stands in the middle of the view";
				EXPECT_LT(middle, width * 3 / 4) << look.name << " stands in the middle of the view";
				EXPECT_GT(seen.box.y0, 0) << look.name << "'s top is in the frame where its box says";
				EXPECT_LT(seen.box.y1, height) << look.name << "'s feet are in the frame where its box says";

				// Its size next to the robot.
				const float robots = seen.worldHeight / robotHeight;
				EXPECT_GE(robots, look.minHeight) << look.name << " stands " << robots << " robots tall";
				EXPECT_LE(robots, look.maxHeight) << look.name << " stands " << robots << " robots tall";

				// Its own colours, and not a grey block.
				for (const OwnColour& c : look.colours)
				{
					const int n = seen.frame.Count(seen.box, PixelColour::OfHue(c.rgb));
					EXPECT_GE(n, int(c.share * float(seen.area)))
							<< look.name << "'s " << c.what << ": " << n << " of " << seen.area << " pixels";
				}
				const int grey = seen.frame.Count(seen.box, PixelColour::IsGrey);
				EXPECT_LE(grey, int(look.maxGrey * float(seen.area)))
						<< look.name << " reads grey: " << grey << " of " << seen.area << " pixels";
				ClearAll();
			}
		}
	};

	// A creature the item table adds: its item outlives the node.
	TerrainItemEntryType gItem;

	ObjNode* LastMade()
	{
		ObjNode* last = nullptr;
		for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
			if (n->Genre == SKELETON_GENRE)
				last = n;
		return last;
	}
}

TEST_F(CreatureFrame, TheFarmsVegetablesShowInTheirColoursAtTheirSize)
{
	ASSERT_NO_FATAL_FAILURE(LoadWorld(LEVEL_NUM_FARM));
	CheckEach({
		{"onion", [] { return MakeCreature(kOnionKind, 0, 0); }, 0.6f, 1.2f, {{0xA8487E, "purple bulb", 0.25f}, {0x6BAE3A, "green stalks", 0.03f}}},
		{"corn", [] { return MakeCreature(kCornKind, 0, 0); }, 0.52f, 1.05f, {{0xF0C830, "yellow cob", 0.25f}, {0x5DA030, "green leaves", 0.03f}}},
		{"tomato", [] { return MakeCreature(kTomatoKind, 0, 0); }, 0.23f, 0.47f, {{0xE8321E, "red body", 0.35f}, {0x3E9A2A, "green crown", 0.02f}}},
	});
}

TEST_F(CreatureFrame, TheSlimesBlobsAndSquooshiesShowInTheirColoursAtTheirSize)
{
	ASSERT_NO_FATAL_FAILURE(LoadWorld(LEVEL_NUM_BLOB));
	CheckEach({
		{"red blob", [] { return MakeBlob(0, 0, BLOB_COLOR_RED); }, 0.52f, 1.05f, {{0xE02020, "red", 0.3f}}},
		{"green blob", [] { return MakeBlob(0, 0, BLOB_COLOR_GREEN); }, 0.52f, 1.05f, {{0x40E040, "green", 0.3f}}},
		{"blue blob", [] { return MakeBlob(0, 0, BLOB_COLOR_BLUE); }, 0.52f, 1.05f, {{0x3070F0, "blue", 0.3f}}},
		{"squooshy", [] { return MakeCreature(kSquooshyKind, 0, 0); }, 0.45f, 0.9f, {{0x40B8D8, "cyan skin", 0.3f}}},
	});
}

TEST_F(CreatureFrame, TheCitysMutantsShowInTheirColoursAtTheirSize)
{
	ASSERT_NO_FATAL_FAILURE(LoadWorld(LEVEL_NUM_APOCALYPSE));
	CheckEach({
		{"mutant", [] { return MakeCreature(kMutantKind, 0, 0); }, 0.65f, 1.3f, {{0x9AC848, "green skin", 0.1f}, {0x50463C, "brown trousers", 0.05f}}},
		{"mutant robot", [] { return MakeCreature(kMutantRobotKind, 0, 0); }, 0.73f, 1.47f, {{0xB05A2A, "rust", 0.02f}}, 0.9f},
	});
}

TEST_F(CreatureFrame, TheCloudsCircusShowsInItsColoursAtItsSize)
{
	ASSERT_NO_FATAL_FAILURE(LoadWorld(LEVEL_NUM_CLOUD));
	SplineTestLoop loop({0, 0, 0}, 2000, 64, 79);		// the clown fish only rides one
	CheckEach({
		{"clown", [] { return MakeCreature(kClownKind, 0, 0); }, 0.84f, 1.68f, {{0x30A0E8, "blue shirt", 0.05f}, {0xE83838, "red trousers", 0.05f}}},
		{"strong man", [] { return MakeCreature(kStrongManKind, 0, 0); }, 0.84f, 1.68f, {{0xE03030, "red vest", 0.05f}, {0xE0A880, "skin", 0.05f}}},
		{"clown fish", [] {
			 if (!AddCreatureOnSpline<kClownFishKind>(0, &gSplineList[0].itemList[0][0]) || gNumSplineObjects < 1)
				 return (ObjNode*) nullptr;
			 // A rider starts detached until its supertile is in range; there is no terrain here.
			 ObjNode* fish = gSplineObjects[gNumSplineObjects - 1];
			 AttachObject(fish, true);
			 return fish;
		 }, 0.39f, 0.79f, {{0xF07820, "orange", 0.2f}}},
	});
}

TEST_F(CreatureFrame, TheJunglesCreaturesShowInTheirColoursAtTheirSize)
{
	ASSERT_NO_FATAL_FAILURE(LoadWorld(LEVEL_NUM_JUNGLE));
	CheckEach({
		{"giant lizard", [] { return MakeCreature(kGiantLizardKind, 0, 0); }, 1.57f, 3.1f, {{0x4E9A3C, "green scales", 0.25f}, {0xC8D070, "pale belly", 0.02f}}},
		{"venus flytrap", [] { return MakeCreature(kVenusFlytrapKind, 0, 0, 0); }, 1.55f, 3.1f, {{0x6CC040, "green trap", 0.2f}, {0xD83848, "red mouth", 0.01f}}},
		{"mantis", [] { return MakeCreature(kMantisKind, 0, 0); }, 1.24f, 2.5f, {{0x88D040, "green body", 0.25f}}},
		{"turtle", [] {
			 gItem = {};
			 gItem.type = 53;
			 AddTurtle(&gItem, 0, 0);
			 return LastMade();
		 }, 0.56f, 1.13f, {{0x4A7A3A, "green shell", 0.1f}, {0x9AB060, "skin", 0.05f}}},
	});
}

TEST_F(CreatureFrame, TheFireAndIceCreaturesShowInTheirColoursAtTheirSize)
{
	ASSERT_NO_FATAL_FAILURE(LoadWorld(LEVEL_NUM_FIREICE));
	CheckEach({
		{"flamester", [] { return MakeCreature(kFlamesterKind, 0, 0); }, 0.68f, 1.36f, {{0xF88020, "orange flame", 0.3f}}},
		{"ice cube", [] { return MakeCreature(kIceCubeKind, 0, 0); }, 0.53f, 1.07f, {{0x70C0E8, "ice blue", 0.3f}}},
		{"squooshy", [] { return MakeCreature(kSquooshyKind, 0, 0); }, 0.45f, 0.9f, {{0x40B8D8, "cyan skin", 0.3f}}},
	});
}

TEST_F(CreatureFrame, AFrozenCreatureWearsItsLevelsCrackedIceAndNoneOfItsOwnColour)
{
	ASSERT_NO_FATAL_FAILURE(LoadWorld(LEVEL_NUM_JUNGLE));
	const LevelDef& jungle = kLevelDefs[LEVEL_NUM_JUNGLE];
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, jungle.numSprites, jungle.spriteSet);
	const int savedLevel = gCurrentLevel;
	gCurrentLevel = LEVEL_NUM_JUNGLE;

	ObjNode* lizard = MakeCreature(kGiantLizardKind, 0, 0);
	ASSERT_NE(lizard, nullptr);
	FreezeEnemy(lizard, lizard->MoveCall);
	ASSERT_GT(jungle.frozenLookImage, 0) << "the jungle's row names its ice";
	EXPECT_EQ(lizard->Skeleton->materialOverride,
			gSpriteGroupList[SPRITE_GROUP_LEVELSPECIFIC][jungle.frozenLookImage].materialObject)
			<< "the level's cracked-ice image, not a plain colour";
	const Seen seen = Measure(lizard);
	Save(seen, "giant lizard frozen");
	ASSERT_GT(seen.area, width * height / 80) << "the frozen lizard is drawn";
	const int ice = seen.frame.Count(seen.box, PixelColour::OfHue(0xAADCFF, 25));
	const int green = seen.frame.Count(seen.box, PixelColour::OfHue(0x4E9A3C));
	EXPECT_GE(ice, seen.area / 3) << "pale ice blue";
	EXPECT_LT(green, seen.area / 20) << "its green scales are under the ice";

	ClearAll();
	ForgetFrozenLook();
	DisposeSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC);
	gCurrentLevel = savedLevel;
}
