// A clown and a strong man drawn from their baked rigs in a real GL context
// under the virtual display: each shows its red costume where it stands, the
// clear colour everywhere else.
#include "TestGLWindow.h"
#include "3D/BG3D.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "Effects/Sparkles.h"
#include "Enemies/CloudCreatures.h"
#include "Enemies/Enemy.h"
#include "System/Boot.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "BakedData.h"
#include "Files.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace
{
	constexpr int WIDTH = 320, HEIGHT = 240;

	std::function<void()> gBody;
	void RunBody() { gBody(); }

	// Pixels of the rectangle (window coordinates, y down) that read as costume red.
	int CountRed(int x0, int y0, int x1, int y1)
	{
		std::vector<uint8_t> p(size_t((x1 - x0) * (y1 - y0) * 4));
		glReadBuffer(GL_BACK);
		glReadPixels(x0, HEIGHT - y1, x1 - x0, y1 - y0, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
		int n = 0;
		for (size_t i = 0; i < p.size(); i += 4)
			n += p[i] > 110 && p[i + 1] < 0.5f * p[i] && p[i + 2] < 0.5f * p[i];
		return n;
	}

	struct CreatureRender : ::testing::Test
	{
		FSSpec oldFolder = {};

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			OpenTestGLWindow("creature test", WIDTH, HEIGHT);
			ASSERT_NE(gWindow, nullptr);
			Tamber::Files::Init();
			oldFolder = gDataFolderSpec;
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BakedData::Folder() / "Skeletons");
			InitObjectManager();
			InitBG3DManager();
			InitSkeletonManager();
			InitSparkleStore();
			InitEnemyManager();
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
			FreeAllSkeletonFiles(-1);
			DisposeSparkles();
			DeleteAllBG3DContainers();
			OGL_DisposeWindowSetup();
			gDataFolderSpec = oldFolder;
			Tamber::Files::Shutdown();
			CloseTestGLWindow();
		}

		// Stands the creature at (x, y, z) facing the camera.
		static void Stand(ObjNode* creature, float x, float y, float z)
		{
			creature->Coord = {x, y, z};
			creature->Rot.y = 0;
			UpdateObjectTransforms(creature);
		}
	};
}

TEST_F(CreatureRender, AClownAndAStrongManShowTheirRedCostumesWhereTheyStand)
{
	LoadASkeleton(SKELETON_TYPE_CLOWN);
	LoadASkeleton(SKELETON_TYPE_STRONGMAN);
	Stand(MakeClown(0, 0), -170, -260, -900);
	Stand(MakeStrongMan(0, 0), 170, -260, -900);
	gBody = [] {
		DrawObjects();
		const int left = CountRed(10, 20, WIDTH / 2 - 10, HEIGHT - 10), right = CountRed(WIDTH / 2 + 10, 20, WIDTH - 10, HEIGHT - 10);
		EXPECT_GT(left, 60) << "the clown's trousers and shoes";
		EXPECT_GT(right, 60) << "the strong man's vest";
		// Above their heads: only the clear colour.
		EXPECT_EQ(CountRed(0, 0, WIDTH, 12), 0);
	};
	OGL_DrawScene(RunBody);
}
