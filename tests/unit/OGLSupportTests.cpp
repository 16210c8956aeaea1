// The renderer's arithmetic without a window: viewports, the 2D logical
// screen, stereo projection and colours, the debug mode cycle, the
// overlay's numbers, and the scene pass of a logic-only run.
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_Overdraw.h"
#include "3D/OGL_Support.h"
#include "3D/OGL_Textures.h"
#include "Automation/OGL_LayerTiming.h"
#include "Effects/Sparkles.h"
#include "Enemies/Enemy.h"
#include "Player/Player.h"
#include "Automation/Automation.h"
#include "System/Error.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/Objects.h"
#include "System/Prefs.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>
#include <cmath>

namespace
{
	struct PrefsGuard
	{
		PrefsType saved = gGamePrefs;
		~PrefsGuard() { gGamePrefs = saved; }
	};
}

TEST(OGLViewport, ClipMarginsShrinkTheViewport)
{
	int x, y, w, h;
	OGL_CalcViewport(1280, 720, {10, 20, 30, 40}, &x, &y, &w, &h);
	EXPECT_EQ(x, 20);
	EXPECT_EQ(y, 10);
	EXPECT_EQ(w, 1280 - 40 - 20);
	EXPECT_EQ(h, 720 - 30 - 10);

	OGL_CalcViewport(50, 40, {30, 0, 30, 0}, &x, &y, &w, &h);
	EXPECT_LT(h, 0) << "reported as it is: the scene pass skips such a frame";
}

TEST(OGLViewport, LogicalScreenIs480HighAndAtLeast640Wide)
{
	EXPECT_EQ(OGL_CalcLogicalWidth(800, 800), 640.0f) << "narrower than 4:3";
	EXPECT_EQ(OGL_CalcLogicalWidth(640, 480), 640.0f);
	EXPECT_NEAR(OGL_CalcLogicalWidth(1920, 1080), 853.333f, 0.01f);
	EXPECT_EQ(OGL_CalcLogicalWidth(100, 0), 480.0f * 100.0f) << "a height of 0 counts as 1";
}

TEST(OGLCamera, StereoFrustaAreOffsetEqually)
{
	float l0, r0, b0, t0, l1, r1, b1, t1;
	OGL_CalcAnaglyphFrustum(1.2f, 16.0f / 9.0f, 50, 40, 300, 0, &l0, &r0, &b0, &t0);
	OGL_CalcAnaglyphFrustum(1.2f, 16.0f / 9.0f, 50, 40, 300, 1, &l1, &r1, &b1, &t1);
	float top = std::tan(0.6f) * 50;
	float s = 40 * 0.5f * 50 / 300;
	EXPECT_NEAR(t0, top, 1e-4f);
	EXPECT_NEAR(b0, -top, 1e-4f);
	EXPECT_NEAR(l0, s - top * 16 / 9, 1e-3f);
	EXPECT_NEAR(r0, s + top * 16 / 9, 1e-3f);
	EXPECT_NEAR(l1, -top * 16 / 9 - s, 1e-3f);
	EXPECT_NEAR(r1 - l1, r0 - l0, 1e-3f) << "both eyes see a frustum of the same width";
}

TEST(OGLCamera, StereoEyesMoveSidewaysInOppositeDirections)
{
	OGLCameraPlacement cam = {{0, 0, 0}, {0, 0, -100}, {0, 1, 0}};
	OGLCameraPlacement eye0 = OGL_CalcAnaglyphEye(cam, 40, 0);
	OGLCameraPlacement eye1 = OGL_CalcAnaglyphEye(cam, 40, 1);
	// up × forward = (0,1,0) × (0,0,−1) = (−1, 0, 0)
	EXPECT_NEAR(eye0.from.x, -40, 1e-4f);
	EXPECT_NEAR(eye1.from.x, 40, 1e-4f);
	EXPECT_NEAR(eye0.to.z, -100, 1e-4f);
	EXPECT_NEAR(eye1.to.x, 40, 1e-4f);
}

TEST(OGLCamera, FrustumToWindowMapsClipSpaceToPixels)
{
	OGLMatrix4x4 m;
	OGL_CalcFrustumToWindow(&m, 640, 480);
	OGLPoint3D topLeft = {-1, 1, 0.5f}, centre = {0, 0, 0.5f}, out;
	OGLPoint3D_Transform(&topLeft, &m, &out);
	EXPECT_EQ(out.x, 0);
	EXPECT_EQ(out.y, 0);
	EXPECT_EQ(out.z, 0.5f);
	OGLPoint3D_Transform(&centre, &m, &out);
	EXPECT_EQ(out.x, 320);
	EXPECT_EQ(out.y, 240);
}

TEST(OGLSetup, DefaultsMatchTheDocumentedView)
{
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	EXPECT_TRUE(setup.clearBackBuffer);
	EXPECT_EQ(setup.clearColor.a, 1);
	EXPECT_EQ(setup.fogMode, GL_LINEAR);
	EXPECT_EQ(setup.fogEnd, 4000);
	EXPECT_EQ(setup.to.z, -1);
	EXPECT_EQ(setup.hither, 10);
	EXPECT_EQ(setup.yon, 4000);
	EXPECT_EQ(setup.fov, 1.1f);
	EXPECT_EQ(setup.ambientColor.g, 0.3f);
	EXPECT_EQ(setup.numFillLights, 1);
	EXPECT_NEAR(OGLVector3D_Length(&setup.fillDirection[0]), 1.0f, 1e-6f);
	EXPECT_NEAR(setup.fillDirection[0].x, std::sqrt(0.5f), 1e-6f);
	EXPECT_NEAR(OGLVector3D_Length(&setup.fillDirection[1]), 1.0f, 1e-6f);
	OGL_DefaultSetupInput(&setup);		// normalising twice changes nothing
	EXPECT_NEAR(setup.fillDirection[0].z, -std::sqrt(0.5f), 1e-6f);
}

TEST(OGLSetup, DriversBelow1024TexturesAreRefused)
{
	OGL_CheckMaxTextureSize(1024);
	EXPECT_THROW(OGL_CheckMaxTextureSize(512), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "Your video card cannot do 1024x1024 textures, so it is below the game's minimum system requirements.");
}

TEST(OGLDebug, ModesCycleThroughFourStates)
{
	EXPECT_EQ(OGL_NextDebugMode(0), 1);
	EXPECT_EQ(OGL_NextDebugMode(1), 2);
	EXPECT_EQ(OGL_NextDebugMode(2), 3);
	EXPECT_EQ(OGL_NextDebugMode(3), DEBUG_MODE_OVERDRAW);
	EXPECT_EQ(OGL_NextDebugMode(DEBUG_MODE_OVERDRAW), 0);
}

TEST(OGLDebug, OverlayTextCarriesTheFrameNumbers)
{
	int saved = gTrianglesThisFrame;
	gTrianglesThisFrame = 4242;
	std::string text = OGL_ComposeDebugText();
	gTrianglesThisFrame = saved;
	EXPECT_NE(text.find("tris:\t\t4242\n"), std::string::npos) << text;
	EXPECT_NE(text.find("nodes:\t"), std::string::npos);
	EXPECT_NE(text.find("heap:\t\t"), std::string::npos);
	EXPECT_NE(text.find("Zappatron 4.0.1, "), std::string::npos);
	EXPECT_LT(text.size(), 1024u);
}

TEST(OGLAnaglyph, ChannelBalancingCalibratesThenBoostsTheWeakSide)
{
	PrefsGuard guard;
	gGamePrefs.anaglyphCalibrationRed = 255;
	gGamePrefs.anaglyphCalibrationGreen = 255;
	gGamePrefs.anaglyphCalibrationBlue = 255;
	gGamePrefs.doAnaglyphChannelBalancing = 0;
	uint8_t r = 200, g = 100, b = 50;
	OGL_BalanceAnaglyphColor(&r, &g, &b);
	EXPECT_EQ(r, 200);
	EXPECT_EQ(g, 100);

	gGamePrefs.anaglyphCalibrationRed = 216;
	gGamePrefs.anaglyphCalibrationGreen = 144;
	OGL_BalanceAnaglyphColor(&r, &g, &b);
	EXPECT_EQ(r, 200 * 216 / 255);
	EXPECT_EQ(g, 100 * 144 / 255);
	EXPECT_EQ(b, 50);

	gGamePrefs.doAnaglyphChannelBalancing = 1;
	gGamePrefs.anaglyphCalibrationRed = 255;
	gGamePrefs.anaglyphCalibrationGreen = 255;
	r = 200; g = 20; b = 20;		// red-heavy: green and blue come up
	OGL_BalanceAnaglyphColor(&r, &g, &b);
	float R = 0.299f * 200 + 1, GB = 0.587f * 20 + 0.114f * 20 + 1, k = 1.5f * R / GB;
	EXPECT_EQ(b, uint8_t(std::min(255.0f, k * 20)));
	EXPECT_EQ(g, uint8_t(std::min(255.0f, 0.8f * k * 20)));
	EXPECT_EQ(r, 200) << "the boosted candidate for red is smaller, so red stays";
}

TEST(OGLAnaglyph, TexturesConvertInEveryPixelLayoutAndKeepAlpha)
{
	PrefsGuard guard;
	gGamePrefs.anaglyphMode = 2;
	gGamePrefs.anaglyphCalibrationRed = 255;
	gGamePrefs.anaglyphCalibrationBlue = 255;

	uint8_t rgba[8] = {255, 0, 0, 77, 0, 255, 0, 200};
	OGL_ConvertTextureToAnaglyph(rgba, 2, 1, GL_RGBA, GL_UNSIGNED_BYTE);
	EXPECT_EQ(rgba[0], 76);		// 0.299 × 255, truncated
	EXPECT_EQ(rgba[1], 76);
	EXPECT_EQ(rgba[2], 76);
	EXPECT_EQ(rgba[3], 77);
	EXPECT_EQ(rgba[5], 149);		// 0.586 × 255
	EXPECT_EQ(rgba[7], 200);

	uint32_t words[1] = {0x80FF0000u};		// A in the top byte, then R, G, B
	OGL_ConvertTextureToAnaglyph(words, 1, 1, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV);
	EXPECT_EQ(words[0], 0x804C4C4Cu);

	uint16_t shorts[1] = {uint16_t(0x8000 | (31 << 10))};		// opaque pure red
	OGL_ConvertTextureToAnaglyph(shorts, 1, 1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV);
	int grey = int((248 / 255.0f * 0.299f) * 255.0f) >> 3;
	EXPECT_EQ(shorts[0], uint16_t(0x8000 | grey << 10 | grey << 5 | grey));

	uint8_t rgb[3] = {255, 0, 0};
	OGL_ConvertTextureToAnaglyph(rgb, 1, 1, GL_RGB, GL_UNSIGNED_BYTE);
	EXPECT_EQ(rgb[0], 255) << "other layouts are left alone";

	gGamePrefs.anaglyphMode = 0;
	uint8_t untouched[4] = {255, 0, 0, 255};
	OGL_ConvertTextureToAnaglyph(untouched, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE);
	EXPECT_EQ(untouched[1], 0);
}

TEST(OGLDebug, OverlayShowsThePlayerInputEnemiesAndEffects)
{
	ObjNode* savedPlayer = gPlayerNode;
	const OGLVector2D savedSteering = gAnalogSteering;
	const int savedLevel = gCurrentLevel;
	ObjNode linked = {};
	ObjNode player = {};
	player.Coord = {1.5f, -2.25f, 300};
	player.StatusBits = STATUS_BIT_ONGROUND;
	player.LinkNode = &linked;
	gPlayerNode = &player;
	gAnalogSteering = {0, 1};
	gCurrentLevel = LEVEL_NUM_FARM;
	InitEnemyManager();
	gNumEnemies = gMaxEnemies;
	InitSparkleStore();
	GetFreeSparkle(&player);
	GetFreeSparkle(&player);

	OGLDebugCounters c = OGL_GatherDebugCounters();
	EXPECT_TRUE(c.hasPlayer);
	EXPECT_FLOAT_EQ(c.playerZ, 300);
	EXPECT_EQ(c.sparkles, 2);
	EXPECT_EQ(c.shards, 0) << "no shard store outside a level";
	EXPECT_FALSE(c.saucerExists);
	std::string text = OGL_ComposeDebugText();
	EXPECT_NE(text.find("input y:\t1.000\ninput a:\t90"), std::string::npos) << text;
	EXPECT_NE(text.find("player x:\t1.500\nplayer z:\t300.000\nplayer y:\t-2.250\tGM\n"), std::string::npos) << text;
	EXPECT_NE(text.find("enemies:\t20 (!!!)\n"), std::string::npos) << text;
	EXPECT_NE(text.find("sparkles:\t2\n"), std::string::npos) << text;

	// In the air, alone, under the limit, on the saucer level.
	player.StatusBits = 0;
	player.LinkNode = nullptr;
	gNumEnemies = 3;
	gCurrentLevel = LEVEL_NUM_SAUCER;
	text = OGL_ComposeDebugText();
	EXPECT_NE(text.find("player y:\t-2.250\t\n"), std::string::npos) << text;
	EXPECT_NE(text.find("enemies:\t3 [+ saucer]\n"), std::string::npos) << text;

	DisposeSparkles();
	InitEnemyManager();
	gCurrentLevel = savedLevel;
	gAnalogSteering = savedSteering;
	gPlayerNode = savedPlayer;
}

namespace
{
	int gDrawCalls = 0, gLogicCalls = 0;
	void CountDraw() { gDrawCalls++; }
	void CountLogic() { gLogicCalls++; }

	// A logic-only run with an active view and no window or context.
	struct LogicOnlyRun : ::testing::Test
	{
		OGLViewInfo view = {};
		OGLViewInfo* savedView = gGameViewInfoPtr;
		AutomationOptions savedAutomation = gAutomation;
		FrameWatcher savedWatcher = gFrameWatcher;
		float savedFade = gFadeLevel;

		void SetUp() override
		{
			gLogicOnly = true;
			view.isActive = true;
			view.fov = 1.2f;
			view.hither = 50;
			view.yon = 10000;
			view.cameraPlacement = {{0, 100, 500}, {0, 0, 0}, {0, 1, 0}};
			gGameViewInfoPtr = &view;
			gFadeLevel = 1;
			gDrawCalls = gLogicCalls = 0;
			gAutomation = AutomationOptions{};
			gFrameWatcher = AutomationFrameWatcher();		// as boot installs it
		}
		void TearDown() override
		{
			gLogicOnly = false;
			gGameViewInfoPtr = savedView;
			gAutomation = savedAutomation;
			gFrameWatcher = savedWatcher;
			gFadeLevel = savedFade;
		}
	};
}

TEST_F(LogicOnlyRun, TheScenePassRunsTheLogicRoutineForANominalViewAndNeverDraws)
{
	OGL_DrawScene(CountDraw, CountLogic);
	EXPECT_EQ(gDrawCalls, 0);
	EXPECT_EQ(gLogicCalls, 1);
	// Culling sees the camera as a 1280×720 window would show it.
	float aspect = gViewToFrustumMatrix.value[5] / gViewToFrustumMatrix.value[0];
	EXPECT_NEAR(aspect, float(LOGIC_ONLY_VIEW_WIDTH) / float(LOGIC_ONLY_VIEW_HEIGHT), 1e-4f);
	OGLPoint3D target = {0, 0, 0};
	OGLPoint4D clip;
	OGLPoint3D_To4DTransform(&target, &gWorldToFrustumMatrix, &clip);
	EXPECT_NEAR(clip.x / clip.w, 0, 1e-4f) << "the point looked at is in the middle";
	EXPECT_NEAR(clip.y / clip.w, 0, 1e-4f);

	// Faded out: nothing to cull either, but the frame still counts.
	gFadeLevel = 0;
	gAutomation.frames = 2;
	EXPECT_THROW(OGL_DrawScene(CountDraw, CountLogic), Tamber::QuitRequest) << "the second frame ends the run";
	EXPECT_EQ(gLogicCalls, 1);
	EXPECT_EQ(gDrawCalls, 0);
}

TEST_F(LogicOnlyRun, TexturesAreNotUploaded)
{
	uint32_t pixels[4] = {0xFFFFFFFF, 0, 0, 0xFFFFFFFF};
	EXPECT_EQ(OGL_TextureMap_Load(pixels, 2, 2, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE), 0u);
	EXPECT_EQ(OGL_TimeFullScreenLayers(10), 0.0) << "no context: nothing measured";
}
