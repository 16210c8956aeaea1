#include "PixelTest.h"
#include "TestGLWindow.h"
#include "3D/BG3D.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "Effects/Sparkles.h"
#include "Enemies/Enemy.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/LevelTable.h"
#include "System/Window.h"
#include "BakedData.h"
#include "Files.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cstdlib>

//
// The frame
//

int PixelFrame::Count(const PixelRect& rect, const PixelColourTest& test) const
{
	const int x0 = std::max(rect.x0, 0), y0 = std::max(rect.y0, 0);
	const int x1 = std::min(rect.x1, image.width), y1 = std::min(rect.y1, image.height);
	int n = 0;
	for (int y = y0; y < y1; y++)
		for (int x = x0; x < x1; x++)
		{
			const uint8_t* p = &image.pixels[(size_t(y) * size_t(image.width) + size_t(x)) * 3];
			n += test(p[0], p[1], p[2]);
		}
	return n;
}

PixelRect PixelFrame::BoundsOf(const PixelColourTest& test) const
{
	PixelRect box = {image.width, image.height, 0, 0};
	for (int y = 0; y < image.height; y++)
		for (int x = 0; x < image.width; x++)
		{
			const uint8_t* p = &image.pixels[(size_t(y) * size_t(image.width) + size_t(x)) * 3];
			if (!test(p[0], p[1], p[2]))
				continue;
			box.x0 = std::min(box.x0, x);
			box.y0 = std::min(box.y0, y);
			box.x1 = std::max(box.x1, x + 1);
			box.y1 = std::max(box.y1, y + 1);
		}
	return box.IsEmpty() ? PixelRect{} : box;
}

bool PixelFrame::Write(const char* path) const
{
	return WriteScreenImage(image, path);
}

//
// Colours
//

float PixelColour::Hue(int r, int g, int b)
{
	const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
	if (hi == lo)
		return 0;
	const float d = float(hi - lo);
	float h;
	if (hi == r)
		h = float(g - b) / d;
	else if (hi == g)
		h = 2 + float(b - r) / d;
	else
		h = 4 + float(r - g) / d;
	h *= 60;
	return h < 0 ? h + 360 : h;
}

float PixelColour::Saturation(int r, int g, int b)
{
	const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
	return hi == 0 ? 0.0f : float(hi - lo) / float(hi);
}

PixelColourTest PixelColour::OfHue(uint32_t rgb, float degrees)
{
	const int r = int(rgb >> 16) & 255, g = int(rgb >> 8) & 255, b = int(rgb) & 255;
	const float hue = Hue(r, g, b), saturation = Saturation(r, g, b);
	return [hue, saturation, degrees](int pr, int pg, int pb) {
		if (std::max({pr, pg, pb}) < 40 || Saturation(pr, pg, pb) < 0.5f * saturation)
			return false;
		float d = std::abs(Hue(pr, pg, pb) - hue);
		return std::min(d, 360 - d) <= degrees;
	};
}

bool PixelColour::IsGrey(int r, int g, int b)
{
	return std::max({r, g, b}) > 60 && Saturation(r, g, b) < 0.12f;
}

PixelColourTest PixelColour::NotClear(int tolerance)
{
	return [tolerance](int r, int g, int b) {
		return std::abs(r - PixelTest::CLEAR_R) + std::abs(g - PixelTest::CLEAR_G) + std::abs(b - PixelTest::CLEAR_B)
				> tolerance;
	};
}

//
// The fixture
//

namespace
{
	FSSpec gSavedDataFolder;
	ScreenImage gCapture;

	void DrawAndCapture()
	{
		DrawObjects();
		CaptureScreen(&gCapture);
	}
}

void PixelTest::SetUp()
{
	if (!std::getenv("DISPLAY"))
		GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
	OpenTestGLWindow("pixel test", width, height);
	ASSERT_NE(gWindow, nullptr);
	open = true;
	Tamber::Files::Init();
	gSavedDataFolder = gDataFolderSpec;
	// Data paths are taken relative to the folder this file spec lies in.
	gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BakedData::Folder() / "Skeletons");
	InitObjectManager();
	InitSpriteManager();
	InitBG3DManager();
	InitSkeletonManager();
	InitSparkleStore();
	InitEnemyManager();
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.clearColor = {CLEAR_R / 255.0f, CLEAR_G / 255.0f, CLEAR_B / 255.0f, 1};
	setup.fillDirection[0] = {0, -0.3f, -1};
	setup.yon = 8000;
	OGL_SetupWindow(&setup);
}

void PixelTest::TearDown()
{
	if (!open)
		return;
	DeleteAllObjects();
	FlushObjectDeleteQueue();
	FreeAllSkeletonFiles(-1);
	DisposeSparkles();
	DeleteAllBG3DContainers();
	OGL_DisposeWindowSetup();
	gDataFolderSpec = gSavedDataFolder;
	Tamber::Files::Shutdown();
	CloseTestGLWindow();
	open = false;
}

void PixelTest::LoadLevelModels(int level)
{
	const LevelDef& def = kLevelDefs[level];
	ASSERT_GT(LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL), 0);
	ASSERT_GT(LoadBG3D(def.modelFile, MODEL_GROUP_LEVELSPECIFIC), 0) << def.modelFile;
	LoadASkeleton(SKELETON_TYPE_QUOG);
	for (int i = 0; i < def.numSkeletons; i++)
		LoadASkeleton(def.skeletons[i]);
}

void PixelTest::LookFromTo(const OGLPoint3D& from, const OGLPoint3D& to)
{
	OGL_SetCameraFromTo(&from, &to);
}

PixelFrame PixelTest::Render()
{
	gCapture = {};
	OGL_DrawScene(DrawAndCapture);
	EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
	return PixelFrame{gCapture};
}

void PixelTest::Place(ObjNode* node, const OGLPoint3D& where, float heading)
{
	const OGLVector3D shift = {where.x - node->Coord.x, where.y - node->Coord.y, where.z - node->Coord.z};
	node->Rot.y = heading;
	for (ObjNode* n = node; n; n = n->ChainNode)
	{
		n->Coord = {n->Coord.x + shift.x, n->Coord.y + shift.y, n->Coord.z + shift.z};
		UpdateObjectTransforms(n);
	}
}
