// The two bosses drawn as the game makes them, from their levels' own model
// files, skeletons and sprites, under the virtual display: the brain between
// its armoured halves (shut, and opened by its own move routine once the
// portal shield is down), and the jungle arena's pod plant, pitcher plant
// and a tentacle crawling out of its generator. Each frame must show the
// part in the middle of the view in its own colours and not as a grey
// stand-in block; the brain must stand large next to the robot, and must
// show more of its pink mass, in a wider silhouette, with its halves apart.
// With ZAPP_CREATURE_SHOTS naming a folder, each frame is written there.
#include "PixelTest.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "Enemies/AlienPortal.h"
#include "Enemies/BrainBoss.h"
#include "Enemies/JungleBoss.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "Terrain/TerrainFile.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <filesystem>
#include <string>

namespace
{
	constexpr float HALF_FOV_TAN = 0.6131f;		// tan(0.55): the default view's half height over its distance
	constexpr float STEP = 1.0f / 30;			// seconds per simulated frame

	struct OwnColour
	{
		uint32_t rgb;
		const char* what;
		float share;			// at least this share of the silhouette shows it
		float degrees = 18;
	};

	struct Seen
	{
		PixelFrame frame;
		PixelRect box;			// round everything not the clear colour
		int area = 0;			// pixels not the clear colour
		float worldHeight = 0;	// the box's height back in world units, at the framed point
		OGLPoint3D centre = {};	// the camera looked at this
		float size = 0;			// and framed this much of the world
	};

	class BossFrame : public PixelTest
	{
	protected:
		BossFrame() : PixelTest(200, 150) {}

		std::deque<TerrainItemEntryType> items;		// stable addresses for the nodes' item links
		float robotHeight = 0;
		float savedFrameTime = 0;

		void SetUp() override
		{
			PixelTest::SetUp();
			savedFrameTime = gFrameTime;
			gFrameTime = STEP;
		}

		void TearDown() override
		{
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				for (ObjNode* c = n; c; c = c->ChainNode)
					c->TerrainItemPtr = nullptr;
			gFrameTime = savedFrameTime;
			gBrainBoss.Clear();
			ResetAlienPortals();
			gBrainBossDead = false;
			gPitcherPlantDead = false;
			gNumPodsDestroyed = 0;
			for (Tentacle& t : gTentacles)
				t.isUsed = false;
			DisposeAllSpriteGroups();
			PixelTest::TearDown();
		}

		TerrainItemEntryType* NewItem(uint16_t type)
		{
			TerrainItemEntryType item = {};
			item.type = type;
			item.flags = ITEM_FLAG_INUSE;
			items.push_back(item);
			return &items.back();
		}

		// Looks at `centre` from `heading` (radians about y; 0 looks from +z)
		// far enough that something `size` across fills `fill` of the frame's height.
		Seen Frame(const OGLPoint3D& centre, float size, float fill, float heading = 0, float rise = 0)
		{
			const float distance = size / (2 * HALF_FOV_TAN * fill);
			LookFromTo({centre.x + std::sin(heading) * distance, centre.y + rise * distance, centre.z + std::cos(heading) * distance},
					centre);
			Seen seen;
			seen.frame = Render();
			seen.box = seen.frame.BoundsOf(PixelColour::NotClear());
			seen.area = seen.frame.Count(seen.frame.Whole(), PixelColour::NotClear());
			seen.worldHeight = float(seen.box.Height()) / float(height) * 2 * HALF_FOV_TAN * distance;
			seen.centre = centre;
			seen.size = size;
			return seen;
		}

		// Frames whatever is drawn round `guess`: one wide look finds the
		// silhouette, a second centres it and fills `fill` of the frame with it.
		Seen FrameDrawn(const OGLPoint3D& guess, float guessSize, float fill, float heading = 0, float rise = 0)
		{
			const float wideDistance = guessSize * 3 / (2 * HALF_FOV_TAN * fill);
			const Seen wide = Frame(guess, guessSize * 3, fill, heading, rise);
			if (wide.box.IsEmpty())
				return wide;
			const float perPixel = 2 * HALF_FOV_TAN * wideDistance / float(height);
			const float dx = (float(wide.box.x0 + wide.box.x1) / 2 - float(width) / 2) * perPixel;
			const float dy = (float(height) / 2 - float(wide.box.y0 + wide.box.y1) / 2) * perPixel;
			const OGLPoint3D centre = {guess.x + std::cos(heading) * dx, guess.y + dy, guess.z - std::sin(heading) * dx};
			const float size = std::max(float(wide.box.Height()), float(wide.box.Width()) * float(height) / float(width)) * perPixel;
			return Frame(centre, size, fill, heading, rise);
		}

		void Save(const Seen& seen, const std::string& name)
		{
			const char* folder = std::getenv("ZAPP_CREATURE_SHOTS");
			if (!folder || !*folder)
				return;
			std::filesystem::create_directories(folder);
			seen.frame.Write((std::filesystem::path(folder) / (name + ".png")).c_str());
		}

		// The level's models, skeletons and sprites, as the level loads them.
		void LoadWorld(int level)
		{
			ASSERT_NO_FATAL_FAILURE(LoadLevelModels(level));
			const LevelDef& def = kLevelDefs[level];
			ASSERT_NE(def.spriteSet, nullptr);
			LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, def.numSprites, def.spriteSet);
			LoadSpriteGroup(SPRITE_GROUP_GLOBAL, NUM_GLOBAL_SPRITES, SPRITE_SET_GLOBAL);
		}

		// The robot drawn standing at the origin: the yardstick of size.
		void MeasureRobot(int level)
		{
			ObjectDef def = {};
			def.type = SKELETON_TYPE_QUOG;
			def.slot = 100;
			def.scale = PLAYER_NODE_SCALE;
			ObjNode* robot = MakeNewSkeletonBaseData(&def, PLAYER_ANIM_STAND);
			Place(robot, {0, -robot->BBox.min.y, 0}, 0);
			const float h = robot->BBox.max.y - robot->BBox.min.y;
			const Seen seen = Frame({0, h / 2, 0}, h, 0.7f);
			Save(seen, "boss-robot-" + std::to_string(level));
			robotHeight = seen.worldHeight;
			ASSERT_GT(robotHeight, 50) << "the robot, the yardstick, is drawn";
			DeleteObject(robot);
			FlushObjectDeleteQueue();
		}

		// The checks every part gets: drawn, in the middle of the view, in its
		// own colours and not a grey block.
		static void CheckLook(const Seen& seen, const char* part, int minArea, std::initializer_list<OwnColour> colours,
				float maxGrey = 0.3f)
		{
			ASSERT_GT(seen.area, minArea) << part << " is drawn";
			const int middle = (seen.box.x0 + seen.box.x1) / 2;
			const int w = seen.frame.Width();
			EXPECT_GT(middle, w / 4) << part << " is in the middle of the view";
			EXPECT_LT(middle, w * 3 / 4) << part << " is in the middle of the view";
			for (const OwnColour& c : colours)
			{
				const int n = seen.frame.Count(seen.box, PixelColour::OfHue(c.rgb, c.degrees));
				EXPECT_GE(n, int(c.share * float(seen.area))) << part << "'s " << c.what << ": " << n << " of " << seen.area << " pixels";
			}
			const int grey = seen.frame.Count(seen.box, PixelColour::IsGrey);
			EXPECT_LE(grey, int(maxGrey * float(seen.area))) << part << " reads grey: " << grey << " of " << seen.area << " pixels";
		}
	};
}

//
// The brain boss
//

TEST_F(BossFrame, TheBrainShowsPinkBetweenItsVioletHalvesLargeNextToTheRobotAndOpensWider)
{
	ASSERT_NO_FATAL_FAILURE(LoadWorld(LEVEL_NUM_BRAINBOSS));
	ASSERT_NO_FATAL_FAILURE(MeasureRobot(LEVEL_NUM_BRAINBOSS));

	TerrainItemEntryType* item = NewItem(ITEM_TYPE_BRAIN_BOSS);
	ASSERT_TRUE(AddBrainBoss(item, 0, 0));
	ObjNode* boss = gBrainBoss.Get();
	ASSERT_NE(boss, nullptr);
	ASSERT_NE(boss->ChainNode, nullptr) << "the brain's left half is made";
	ASSERT_NE(boss->ChainNode->ChainNode, nullptr) << "the brain's right half is made";

	// One camera for both frames, framed on the shut boss with room for the halves to part.
	const float scale = boss->Scale.y;
	const OGLPoint3D guess = {boss->Coord.x, boss->Coord.y + scale * (boss->BBox.min.y + boss->BBox.max.y) / 2, boss->Coord.z};
	const float guessSize = scale * std::max(boss->BBox.max.y - boss->BBox.min.y, boss->BBox.max.x - boss->BBox.min.x);

	const auto pink = PixelColour::OfHue(0xE06888, 20);
	const auto violet = PixelColour::OfHue(0x5A5078, 25);

	const Seen shut = FrameDrawn(guess, guessSize, 0.45f);
	Save(shut, "brain-shut");
	ASSERT_NO_FATAL_FAILURE(CheckLook(shut, "the shut brain", width * height / 40, {{0x5A5078, "violet armour", 0.2f, 25}}));
	// About five robots tall as baked: a band that half or half again as big fails.
	const float robots = shut.worldHeight / robotHeight;
	EXPECT_GE(robots, 3.5f) << "the brain stands " << robots << " robots tall";
	EXPECT_LE(robots, 7.0f) << "the brain stands " << robots << " robots tall";

	// The shield down: its own move routine opens the halves.
	for (int i = 0; i < NUM_ALIEN_PORTALS; i++)
		gPortalDestroyed[i] = true;
	gNumPortalsDestroyed = NUM_ALIEN_PORTALS;
	boss->SpecialF[BRAIN_WAIT] = 0;
	for (int frame = 0; frame < 300 && boss->Mode != BRAIN_BOSS_OPEN; frame++)
		MoveBrainBoss(boss);
	ASSERT_EQ(boss->Mode, BRAIN_BOSS_OPEN) << "the brain opens once the shield is down";
	Place(boss, {0, boss->Coord.y, 0}, boss->Rot.y);		// it may have bobbed; keep it in frame

	const Seen open = Frame(shut.centre, shut.size, 0.45f);
	Save(open, "brain-open");
	ASSERT_NO_FATAL_FAILURE(CheckLook(open, "the open brain", width * height / 40,
			{{0xE06888, "pink mass", 0.1f, 20}, {0x5A5078, "violet armour", 0.1f, 25}}));

	// Apart, the halves widen the silhouette and bare the pink between them.
	const int pinkShut = shut.frame.Count(shut.frame.Whole(), pink);
	const int pinkOpen = open.frame.Count(open.frame.Whole(), pink);
	EXPECT_GE(open.box.Width(), shut.box.Width() * 6 / 5)
			<< "the open halves' silhouette is " << open.box.Width() << " pixels wide, shut " << shut.box.Width();
	EXPECT_GT(pinkOpen, pinkShut * 3 / 2 + width * height / 200)
			<< "the brain's pink shows " << pinkOpen << " pixels open, " << pinkShut << " shut";
	const int violetOpen = open.frame.Count(open.frame.Whole(), violet);
	EXPECT_GT(violetOpen, 0) << "the halves still show when open";
}

//
// The jungle boss arena
//

TEST_F(BossFrame, TheJungleArenasPodPlantPitcherPlantAndTentacleShowInTheirOwnColours)
{
	ASSERT_NO_FATAL_FAILURE(LoadWorld(LEVEL_NUM_JUNGLEBOSS));
	InitJungleBoss();
	// The start beam stands over the origin, where the parts are made: it would fill every frame.
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		if (n->Group == MODEL_GROUP_LEVELSPECIFIC && n->Type == LEVEL_MODEL_START_BEAM)
			n->StatusBits |= STATUS_BIT_HIDDEN;

	{
		SCOPED_TRACE("pod plant");
		ASSERT_TRUE(AddPodPlant(NewItem(73), 0, 0));
		ObjNode* stalk = FindObjectWithMoveCall(MovePodPlant);
		ASSERT_NE(stalk, nullptr) << "the pod plant's stalk is made";
		ASSERT_NE(stalk->ChainNode, nullptr) << "the pod plant's head is made";
		Place(stalk, {0, 0, 0}, 0);
		// Seen from the side, the head leaning right.
		const Seen seen = FrameDrawn({0, 450, 0}, 900, 0.8f, 3.14159265f / 2);
		Save(seen, "pod-plant");
		CheckLook(seen, "the pod plant", width * height / 60,
				{{0x5A9A38, "green stalk", 0.15f, 25}, {0xD88828, "orange seed head", 0.1f, 20}});
		DeleteObject(stalk);
		FlushObjectDeleteQueue();
	}
	{
		SCOPED_TRACE("pitcher plant");
		ASSERT_TRUE(AddPitcherPlant(NewItem(72), 0, 0));
		ObjNode* plant = FindObjectWithMoveCall(MovePitcherPlant);
		ASSERT_NE(plant, nullptr) << "the pitcher plant is made";
		Place(plant, {0, 0, 0}, 0);
		const float h = plant->BBox.max.y - plant->BBox.min.y;
		const float w = std::max(plant->BBox.max.x - plant->BBox.min.x, plant->BBox.max.z - plant->BBox.min.z);
		const Seen seen = FrameDrawn({0, plant->BBox.min.y + h / 2, 0}, std::max(h, w), 0.75f, 0.4f);
		Save(seen, "pitcher-plant");
		CheckLook(seen, "the pitcher plant", width * height / 60,
				{{0x78B040, "green pitcher", 0.25f, 25}, {0xB83848, "red rim", 0.01f, 20}});
		for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
			if (n->MoveCall == MovePitcherPlant)
				DeleteObject(n);
		FlushObjectDeleteQueue();
	}
	{
		SCOPED_TRACE("tentacle");
		ASSERT_TRUE(AddTentacleGenerator(NewItem(71), 0, 0));
		ObjNode* generator = FindObjectWithMoveCall(MoveTentacleGenerator);
		ASSERT_NE(generator, nullptr) << "the tentacle generator is made";
		ASSERT_TRUE(StartTentacle(generator));
		const Tentacle& t = gTentacles[generator->Special[0]];
		for (int frame = 0; frame < 45; frame++)
			MoveTentacles(nullptr);
		ASSERT_GT(t.numPoints, 20) << "the tentacle grows";
		// Only the tentacle is in the frame: its generator is hidden.
		for (ObjNode* c = generator; c; c = c->ChainNode)
			c->StatusBits |= STATUS_BIT_HIDDEN;
		const OGLPoint3D& a = t.points[0];
		const OGLPoint3D& b = t.points[t.numPoints - 1];
		const OGLPoint3D mid = {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
		const float length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.z - a.z) * (b.z - a.z));
		// From behind its root and above, looking along its run: the side the fill light falls on.
		const float behind = std::atan2(a.x - b.x, a.z - b.z);
		const Seen seen = FrameDrawn(mid, length, 0.9f, behind, 0.8f);
		Save(seen, "tentacle");
		CheckLook(seen, "the tentacle", width * height / 100,
				{{0x3C7A28, "green mottled skin", 0.04f, 30}});
		// Untextured, the tube falls back to a flat mauve: its skin image did not reach it.
		const int mauve = seen.frame.Count(seen.box, PixelColour::OfHue(0x73405A, 15));
		const int green = seen.frame.Count(seen.box, PixelColour::OfHue(0x3C7A28, 30));
		EXPECT_LT(mauve, green) << "the tentacle is drawn flat mauve, not in its skin: " << mauve << " mauve pixels, " << green << " green";
	}
}
