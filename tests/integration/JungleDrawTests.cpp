// The jungle's creatures drawn for real under a virtual display: a lizard
// mid-breath with its flames, and a springy plant on its root. The pixels
// that change when the shots or the plant appear must carry their own
// colours (fire orange, the plant's pink), which a missing model, a grey
// stand-in block or a lit, shaded flame would not. With ZAPP_JUNGLE_SHOT
// naming a PNG file, the lizard's frame is written there to look at.
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "TestGLWindow.h"
#include "3D/BG3D.h"
#include "3D/Screenshot.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "3D/TextMesh.h"
#include "Enemies/JungleCreatures.h"
#include "Automation/SkeletonViewer.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "Terrain/TerrainFile.h"
#include "BakedData.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace
{
	constexpr int WIDTH = 320, HEIGHT = 240;

	ScreenImage gShot;
	void DrawAndCapture()
	{
		SkeletonViewer_DrawScene();
		CaptureScreen(&gShot);
	}

	struct JungleDrawTest : ::testing::Test
	{
		static inline FSSpec sOldDataFolder;

		static void SetUpTestSuite()
		{
			if (std::getenv("DISPLAY"))
				OpenTestGLWindow("jungle draw test", WIDTH, HEIGHT);
		}
		static void TearDownTestSuite()
		{
			CloseTestGLWindow();
		}

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			ASSERT_NE(gWindow, nullptr) << SDL_GetError();
			Tamber::Files::Init();
			sOldDataFolder = gDataFolderSpec;
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BakedData::Folder() / "Skeletons");
			InitObjectManager();
			InitSpriteManager();
			InitBG3DManager();
			InitSkeletonManager();
			TextMesh_LoadMetrics();
			gDebugMode = 0;
		}

		// The viewer sets up its own draw context: the level's models load into it.
		static void OpenViewerWithJungleModels(int skeletonType, int anim)
		{
			SkeletonViewer_Open(skeletonType, anim);
			ASSERT_GE(LoadBG3D(kLevelDefs[LEVEL_NUM_JUNGLE].modelFile, MODEL_GROUP_LEVELSPECIFIC), 0);
		}

		void TearDown() override
		{
			if (!gWindow || !std::getenv("DISPLAY"))
				return;
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->Group == MODEL_GROUP_LEVELSPECIFIC && n->Genre == DISPLAY_GROUP_GENRE)
					DeleteObject(n);
			FlushObjectDeleteQueue();
			SkeletonViewer_Close();		// and the models loaded into its context with it
			EXPECT_EQ(OGL_GetStateStackDepth(), 0);
			TextMesh_DisposeMetrics();
			gDataFolderSpec = sOldDataFolder;
			Tamber::Files::Shutdown();
		}

		static ScreenImage DrawAt(float tick)
		{
			ObjNode* node = SkeletonViewer_GetNode();
			node->Skeleton->CurrentAnimTime = tick;
			ComputeCurrentJointPositions(node->Skeleton);
			OGL_DrawScene(DrawAndCapture);
			EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
			return gShot;
		}

		// Pixels that differ between two frames, and how many of them pass `test`.
		static void CountChanged(const ScreenImage& before, const ScreenImage& after,
				const std::function<bool(int r, int g, int b)>& test, int* changed, int* passing)
		{
			*changed = 0;
			*passing = 0;
			for (size_t i = 0; i + 2 < before.pixels.size() && i + 2 < after.pixels.size(); i += 3)
			{
				int r = after.pixels[i], g = after.pixels[i + 1], b = after.pixels[i + 2];
				if (std::abs(r - before.pixels[i]) + std::abs(g - before.pixels[i + 1]) + std::abs(b - before.pixels[i + 2]) <= 30)
					continue;
				(*changed)++;
				*passing += test(r, g, b);
			}
		}
	};
}

TEST_F(JungleDrawTest, ALizardMidBreathShowsFireColouredFlamesAtItsMouth)
{
	ASSERT_NO_FATAL_FAILURE(OpenViewerWithJungleModels(SKELETON_TYPE_GIANTLIZARD, LIZARD_ANIM_BREATHE_FIRE));
	ObjNode* lizard = SkeletonViewer_GetNode();
	ASSERT_NE(lizard, nullptr);
	const float breathing = 45;		// ticks into the breath: jaw down, fire pouring
	ScreenImage before = DrawAt(breathing);
	ASSERT_NE(ShootLizardFlame(lizard), nullptr);		// one: overlapping glows add up to white
	ScreenImage after = DrawAt(breathing);

	int changed = 0, fiery = 0;
	// Warm: red leads, above the lizard's green and the floor's blue (the
	// flames glow, so their colour adds to what is behind them).
	CountChanged(before, after, [](int r, int g, int b) { return r >= g && r > b + 20; }, &changed, &fiery);
	if (const char* dump = std::getenv("ZAPP_JUNGLE_SHOT"))
		WriteScreenImage(after, dump);
	EXPECT_GT(changed, WIDTH * HEIGHT / 400) << "the flames show";
	EXPECT_GT(fiery, changed / 2) << "and they are fire-coloured: " << fiery << " of " << changed;
}

TEST_F(JungleDrawTest, ASpringyPlantStandsOnItsRootInItsOwnColourAndSquashesWhenItBounces)
{
	ASSERT_NO_FATAL_FAILURE(OpenViewerWithJungleModels(SKELETON_TYPE_TURTLE, TURTLE_ANIM_IDLE));
	SkeletonViewer_GetNode()->StatusBits |= STATUS_BIT_HIDDEN;
	ScreenImage empty = DrawAt(0);
	TerrainItemEntryType item = {};
	item.type = 55;
	item.parm[0] = 1;					// the pink cushion
	ASSERT_TRUE(AddBouncyObject(&item, 0, 0));
	ObjNode* plant = nullptr;
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		if (n->TerrainItemPtr == &item)
			plant = n;
	ASSERT_NE(plant, nullptr);
	ASSERT_EQ(plant->Genre, DISPLAY_GROUP_GENRE) << "its model is in the level's file";
	for (ObjNode* n = plant; n; n = n->ChainNode)
	{
		n->Scale = {1.2f, 1.2f, 1.2f};		// at its full size it overfills the viewer's frame
		UpdateObjectTransforms(n);
	}
	ScreenImage standing = DrawAt(0);
	int changed = 0, pink = 0;
	CountChanged(empty, standing, [](int r, int g, int b) { return r > 150 && r > g + 40 && b > g; }, &changed, &pink);
	EXPECT_GT(changed, WIDTH * HEIGHT / 100) << "the plant fills part of the view";
	EXPECT_GT(pink, changed / 3) << "much of it in its pink: " << pink << " of " << changed;

	plant->Scale = {1.6f, 0.7f, 1.6f};		// a squash, as a landing gives it
	UpdateObjectTransforms(plant);
	ScreenImage squashed = DrawAt(0);
	int moved = 0, unused = 0;
	CountChanged(standing, squashed, [](int, int, int) { return true; }, &moved, &unused);
	EXPECT_GT(moved, WIDTH * HEIGHT / 400) << "the squash shows";
}
