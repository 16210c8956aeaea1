// A crusher drawn from the city's own model file in a real GL context under
// the virtual display: its striped beam and door show where it stands, the
// sky's clear colour everywhere else.
#include "TestGLWindow.h"
#include "3D/BG3D.h"
#include "3D/OGL_Support.h"
#include "Effects/Sparkles.h"
#include "Items/Hazards.h"
#include "System/Boot.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "BakedData.h"
#include "Files.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace
{
	constexpr int WIDTH = 320, HEIGHT = 240;

	std::function<void()> gBody;
	void RunBody() { gBody(); }

	// Pixels of the rectangle that read as the crusher's hazard yellow.
	int CountYellow(int x0, int y0, int x1, int y1)
	{
		std::vector<uint8_t> p(size_t((x1 - x0) * (y1 - y0) * 4));
		glReadBuffer(GL_BACK);
		glReadPixels(x0, HEIGHT - y1, x1 - x0, y1 - y0, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
		int n = 0;
		for (size_t i = 0; i < p.size(); i += 4)
			n += p[i] > 120 && p[i + 1] > 90 && p[i + 2] < 0.6f * p[i + 1];
		return n;
	}

	struct HazardRender : ::testing::Test
	{
		FSSpec oldFolder = {};

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			OpenTestGLWindow("hazard test", WIDTH, HEIGHT);
			ASSERT_NE(gWindow, nullptr);
			Tamber::Files::Init();
			oldFolder = gDataFolderSpec;
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BakedData::Folder() / "Skeletons");
			InitObjectManager();
			InitBG3DManager();
			InitSparkleStore();
			InitHazards();
			OGLSetupInput setup;
			OGL_DefaultSetupInput(&setup);
			setup.clearColor = {0, 0, 0.5f, 1};
			setup.fillDirection[0] = {0, -0.3f, -1};
			setup.yon = 8000;
			OGL_SetupWindow(&setup);
		}

		void TearDown() override
		{
			if (!std::getenv("DISPLAY"))
				return;
			DeleteAllObjects();
			FlushObjectDeleteQueue();
			DisposeSparkles();
			DeleteAllBG3DContainers();
			OGL_DisposeWindowSetup();
			gDataFolderSpec = oldFolder;
			Tamber::Files::Shutdown();
			CloseTestGLWindow();
		}
	};
}

TEST_F(HazardRender, ACrusherShowsItsStripedFrameAndDoorWhereItStands)
{
	ASSERT_GT(LoadBG3D(":Models:level4_apocalypse.bg3d", 1), 2);
	TerrainItemEntryType item = {};
	item.type = 45;
	ASSERT_TRUE(AddCrusher(&item, 0, -2600));
	// Without a terrain it stands at the no-terrain height: bring it in front of the camera.
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		n->Coord.y += -TERRAIN_HEIGHT_NO_TERRAIN - 350;
		UpdateObjectTransforms(n);
	}
	gBody = [] {
		DrawObjects();
		// The crusher fills the middle of the view; the corners are sky.
		EXPECT_GT(CountYellow(WIDTH / 2 - 50, 40, WIDTH / 2 + 50, HEIGHT - 20), 150);
		EXPECT_EQ(CountYellow(0, 0, 40, 40), 0);
		EXPECT_EQ(CountYellow(WIDTH - 40, HEIGHT - 40, WIDTH, HEIGHT), 0);
	};
	OGL_DrawScene(RunBody);
	item.flags = 0;
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		n->TerrainItemPtr = nullptr;
}
