// The renderer in a real GL context under a virtual display: frames drawn from
// meta objects through object nodes, read back with glReadPixels; then whole
// levels of the game as a person would see them.
#include "Process.h"
#include "TestGLWindow.h"
#include "unit/FenceWaterTestSupport.h"
#include "System/ContentNumbers.h"
#include "System/Level.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsShapes.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/OGL_Textures.h"
#include "System/Error.h"
#include "System/Game.h"
#include "Effects/Sky.h"
#include "Items/Rides.h"
#include "Terrain/Collision.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "Memory.h"

#include <SDL.h>
#include <cmath>
#include <cstring>
#include <SDL_opengl.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace
{
	constexpr int WIDTH = 320, HEIGHT = 240;

	struct Pixel { int r, g, b; };

	// Reads the back buffer; (x, y) from the top-left like a screenshot.
	Pixel ReadPixel(int x, int y)
	{
		uint8_t p[4] = {};
		glReadBuffer(GL_BACK);
		glReadPixels(x, HEIGHT - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
		return {p[0], p[1], p[2]};
	}

	void ExpectPixelNear(Pixel p, int r, int g, int b, int tolerance = 3)
	{
		EXPECT_NEAR(p.r, r, tolerance);
		EXPECT_NEAR(p.g, g, tolerance);
		EXPECT_NEAR(p.b, b, tolerance);
	}

	std::function<void()> gFrameBody;
	void RunFrameBody() { gFrameBody(); }

	// A window and GL context shared by the suite; each test sets up its own view.
	struct RenderTest : ::testing::Test
	{
		static void SetUpTestSuite()
		{
			if (std::getenv("DISPLAY"))
				OpenTestGLWindow("render test", WIDTH, HEIGHT);
		}
		static void TearDownTestSuite()
		{
			CloseTestGLWindow();
		}

		int metaObjectsBefore = 0;

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			ASSERT_NE(gWindow, nullptr) << SDL_GetError();
			InitObjectManager();
			metaObjectsBefore = gNumMetaObjects;
			gFadeLevel = 1;
			gAutoFadeStart = 0;
		}

		void TearDown() override
		{
			if (!gWindow)
				return;
			DeleteAllObjects();
			if (gGameViewInfoPtr)
				OGL_DisposeWindowSetup();
			EXPECT_EQ(gNumMetaObjects, metaObjectsBefore) << "every meta object released";
			EXPECT_EQ(OGL_GetStateStackDepth(), 0);
		}

		static void SetupView(OGLColorRGBA clear, bool fog = false, float fogStart = 0, float fogEnd = 0)
		{
			OGLSetupInput setup;
			OGL_DefaultSetupInput(&setup);
			setup.clearColor = clear;
			setup.useFog = fog;
			setup.fogStart = fogStart;
			setup.fogEnd = fogEnd;
			setup.hither = 10;
			setup.yon = 5000;
			OGL_SetupWindow(&setup);
		}

		// Draws one frame; `body` runs inside the scene pass, before the swap.
		static void DrawFrame(std::function<void()> body)
		{
			gFrameBody = std::move(body);
			OGL_DrawScene(RunFrameBody);
			EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
		}

		// A display-group node showing `shape` (whose reference it takes over).
		static ObjNode* ShapeNode(MetaObjectPtr shape, OGLPoint3D at, uint32_t flags = STATUS_BIT_NOLIGHTING, int slot = 100)
		{
			ObjectDef def = {};
			def.genre = DISPLAY_GROUP_GENRE;
			def.coord = at;
			def.slot = int16_t(slot);
			def.flags = flags;
			def.scale = 1;
			ObjNode* node = MakeNewObject(&def);
			CreateBaseGroup(node);
			AppendToObjectBaseGroup(node, shape);
			MO_CalcBoundingBox(shape, &node->BBox);
			MO_DisposeObjectReference(shape);
			return node;
		}

		static MetaObjectPtr ColorBox(float half, OGLColorRGBA color, uint32_t materialFlags = 0)
		{
			MetaObjectPtr material = MO_MakeColorMaterial(color);
			MO_MaterialData(material)->flags |= materialFlags;
			MetaObjectPtr box = MO_MakeBox(half, half, half, material);
			MO_DisposeObjectReference(material);
			return box;
		}
	};
}

TEST_F(RenderTest, AFrameOfMetaObjectsShowsTheirColoursOverTheClearColour)
{
	SetupView({0, 0, 1, 1});
	ShapeNode(ColorBox(60, {1, 0, 0, 1}), {0, 0, -500});
	ShapeNode(ColorBox(20, {0, 1, 0, 1}), {-150, 80, -400});

	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2, HEIGHT / 2), 255, 0, 0);
		ExpectPixelNear(ReadPixel(2, 2), 0, 0, 255);
		ExpectPixelNear(ReadPixel(WIDTH - 3, HEIGHT - 3), 0, 0, 255);
		EXPECT_GT(gTrianglesThisFrame, 0);
	});
}

TEST_F(RenderTest, LightingShadesFacesByTheFillLight)
{
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.ambientColor = {0.2f, 0.2f, 0.2f, 1};
	setup.fillDirection[0] = {0, 0, -1};		// shining away from the camera: lights faces that look at it
	OGL_SetupWindow(&setup);
	ShapeNode(ColorBox(60, {1, 1, 1, 1}), {0, 0, -500}, 0);

	DrawFrame([] {
		DrawObjects();
		Pixel lit = ReadPixel(WIDTH / 2, HEIGHT / 2);
		EXPECT_GT(lit.r, 240) << "front face fully lit (ambient + diffuse)";
	});
	OGL_DisposeWindowSetup();

	OGL_DefaultSetupInput(&setup);
	setup.ambientColor = {0.2f, 0.2f, 0.2f, 1};
	setup.fillDirection[0] = {0, 0, 1};		// shining at the camera: the front face gets ambient only
	OGL_SetupWindow(&setup);
	DrawFrame([] {
		DrawObjects();
		Pixel dark = ReadPixel(WIDTH / 2, HEIGHT / 2);
		EXPECT_NEAR(dark.r, 51, 4);
	});
}

TEST_F(RenderTest, FogBlendsTowardsTheFogColourAndReachesItAtTheFarPlane)
{
	SetupView({0, 1, 0, 1}, true, 100, 1100);
	ShapeNode(ColorBox(40, {1, 1, 1, 1}), {-120, 0, -600});		// half way into the fog
	ShapeNode(ColorBox(200, {1, 0, 0, 1}), {0, 0, -3000});		// beyond its end

	DrawFrame([] {
		DrawObjects();
		Pixel half = ReadPixel(WIDTH / 2 - 40, HEIGHT / 2);
		EXPECT_NEAR(half.r, 128, 20);
		EXPECT_NEAR(half.g, 255, 3);
		ExpectPixelNear(ReadPixel(WIDTH / 2 + 10, HEIGHT / 2), 0, 255, 0);
	});
}

TEST_F(RenderTest, NoFogNodesIgnoreTheFog)
{
	SetupView({0, 1, 0, 1}, true, 100, 1100);
	ShapeNode(ColorBox(200, {1, 0, 0, 1}), {0, 0, -3000}, STATUS_BIT_NOLIGHTING | STATUS_BIT_NOFOG);
	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2, HEIGHT / 2), 255, 0, 0);
		EXPECT_TRUE(glIsEnabled(GL_FOG)) << "restored after the pass";
	});
}

TEST_F(RenderTest, GlowNodesAddTheirColour)
{
	SetupView({0.2f, 0.2f, 0.2f, 1});
	ShapeNode(ColorBox(60, {0.5f, 0.25f, 0, 1}, MATERIAL_FLAG_ALWAYS_BLEND), {0, 0, -500},
			STATUS_BIT_NOLIGHTING | STATUS_BIT_GLOW);
	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2, HEIGHT / 2), 178, 115, 51);
		GLint dst = 0;
		glGetIntegerv(GL_BLEND_DST, &dst);
		EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA) << "normal blending restored after the pass";
	});
}

TEST_F(RenderTest, ColourFilterAndTransparencyTintAndBlend)
{
	SetupView({0, 0, 0, 1});
	ObjNode* node = ShapeNode(ColorBox(60, {1, 1, 1, 1}), {0, 0, -500});
	node->ColorFilter = {1, 0.5f, 0, 0.5f};
	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2, HEIGHT / 2), 128, 64, 0);
		EXPECT_EQ(gGlobalTransparency, 1.0f);
	});
}

namespace
{
	// 8×8 RGBA: the left half fully transparent, the right half opaque red.
	uint32_t MakeHalfTransparentTexture(uint8_t leftAlpha)
	{
		uint8_t pixels[8 * 8 * 4];
		for (int y = 0; y < 8; y++)
			for (int x = 0; x < 8; x++)
			{
				uint8_t* p = &pixels[(y * 8 + x) * 4];
				p[0] = 255; p[1] = 0; p[2] = 0;
				p[3] = x < 4 ? leftAlpha : 255;
			}
		return OGL_TextureMap_Load(pixels, 8, 8, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
	}

	// A quad facing the camera, textured with `texture`.
	MetaObjectPtr TexturedQuad(float half, uint32_t texture)
	{
		MOMaterialData m = {};
		m.drawContext = gGameViewInfoPtr;
		m.flags = MATERIAL_FLAG_TEXTURED;
		m.diffuseColor = {1, 1, 1, 1};
		m.numMipmaps = 1;
		m.width = m.height = 8;
		m.pixelSrcFormat = GL_RGBA;
		m.pixelDstFormat = GL_RGBA;
		m.textureName[0] = texture;
		MetaObjectPtr material = MO_CreateNewObjectOfType(MO_TYPE_MATERIAL, 0, &m);

		MOVertexArrayData data = {};
		data.numMaterials = 1;
		data.materials[0] = material;
		data.numPoints = 4;
		data.numTriangles = 2;
		data.points = reinterpret_cast<OGLPoint3D*>(NewPtr(4 * sizeof(OGLPoint3D)));
		data.uvs[0] = reinterpret_cast<OGLTextureCoord*>(NewPtr(4 * sizeof(OGLTextureCoord)));
		data.triangles = reinterpret_cast<uint32_t*>(NewPtr(6 * sizeof(uint32_t)));
		const OGLPoint3D corners[4] = {{-half, -half, 0}, {half, -half, 0}, {half, half, 0}, {-half, half, 0}};
		const OGLTextureCoord uvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
		const uint32_t tris[6] = {0, 1, 2, 0, 2, 3};
		for (int i = 0; i < 4; i++)
		{
			data.points[i] = corners[i];
			data.uvs[0][i] = uvs[i];
		}
		for (int i = 0; i < 6; i++)
			data.triangles[i] = tris[i];
		MetaObjectPtr quad = MO_CreateNewObjectOfType(MO_TYPE_GEOMETRY, MO_GEOMETRY_SUBTYPE_VERTEXARRAY, &data);
		MO_DisposeObjectReference(material);
		return quad;
	}
}

TEST_F(RenderTest, AlphaTestLetsWhatIsBehindShowThroughClearTexels)
{
	SetupView({0, 0, 0, 1});
	ShapeNode(TexturedQuad(100, MakeHalfTransparentTexture(0)), {0, 0, -300}, STATUS_BIT_NOLIGHTING, 10);
	// Drawn after the quad and behind it: only visible where no depth was written.
	ShapeNode(ColorBox(150, {0, 0, 1, 1}), {0, 0, -700}, STATUS_BIT_NOLIGHTING, 20);

	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2 - 30, HEIGHT / 2), 0, 0, 255);
		ExpectPixelNear(ReadPixel(WIDTH / 2 + 30, HEIGHT / 2), 255, 0, 0);
	});
}

TEST_F(RenderTest, OpaqueOnlyAlphaTestDropsHalfTransparentTexels)
{
	SetupView({0, 0, 0, 1});
	ShapeNode(TexturedQuad(100, MakeHalfTransparentTexture(128)), {0, 0, -300},
			STATUS_BIT_NOLIGHTING | STATUS_BIT_ALPHATESTOPAQUE, 10);
	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2 - 30, HEIGHT / 2), 0, 0, 0);
		ExpectPixelNear(ReadPixel(WIDTH / 2 + 30, HEIGHT / 2), 255, 0, 0);
		GLint func = 0;
		glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
		EXPECT_EQ(func, GL_NOTEQUAL) << "the default test is back after the pass";
	});
}

TEST_F(RenderTest, TexturesUploadUnchanged)
{
	SetupView({0, 0, 0, 1});
	uint8_t pixels[4 * 4 * 4];
	for (int i = 0; i < 64; i++)
		pixels[i] = uint8_t(i * 4);
	uint32_t name = OGL_TextureMap_Load(pixels, 4, 4, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
	EXPECT_NE(name, 0u);
	uint8_t back[64] = {};
	glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back);
	EXPECT_EQ(0, memcmp(back, pixels, sizeof(back)));
	EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
	GLuint n = name;
	glDeleteTextures(1, &n);
}

TEST_F(RenderTest, CulledAndHiddenNodesAreNotDrawn)
{
	SetupView({0, 0, 0, 1});
	ObjNode* offscreen = ShapeNode(ColorBox(20, {1, 0, 0, 1}), {0, 0, 500});		// behind the camera
	ObjNode* hidden = ShapeNode(ColorBox(60, {1, 1, 1, 1}), {0, 0, -500});
	hidden->StatusBits |= STATUS_BIT_HIDDEN | STATUS_BIT_ISCULLED;
	ObjNode* visible = ShapeNode(ColorBox(20, {0, 1, 0, 1}), {100, 0, -500});

	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2, HEIGHT / 2), 0, 0, 0);
	});
	EXPECT_TRUE(offscreen->StatusBits & STATUS_BIT_ISCULLED);
	EXPECT_TRUE(hidden->StatusBits & STATUS_BIT_ISCULLED) << "a hidden node keeps its old culled bit";
	EXPECT_FALSE(visible->StatusBits & STATUS_BIT_ISCULLED);
}

TEST_F(RenderTest, WhatTheRulesCallOutOfViewDoesNotDependOnTheWindowsShape)
{
	// The test window is 4:3; the rules see through the nominal wide view. A
	// box beside the window's edge but inside the wide view is in view for the
	// rules (an atom there does not regrow); one past the wide view is not.
	SetupView({0, 0, 0, 1});
	const float halfHeight = 500 * std::tan(gGameViewInfoPtr->fov * 0.5f);
	const float wide = float(LOGIC_ONLY_VIEW_WIDTH) / float(LOGIC_ONLY_VIEW_HEIGHT);
	ASSERT_GT(wide, float(WIDTH) / float(HEIGHT));
	ObjNode* besideTheWindow = ShapeNode(ColorBox(5, {1, 0, 0, 1}), {halfHeight * (wide + 4.0f / 3) / 2, 0, -500});
	ObjNode* pastTheWideView = ShapeNode(ColorBox(5, {1, 0, 0, 1}), {halfHeight * wide * 1.3f, 0, -500});
	DrawFrame([] { DrawObjects(); });
	EXPECT_FALSE(besideTheWindow->StatusBits & STATUS_BIT_ISCULLED);
	EXPECT_TRUE(pastTheWideView->StatusBits & STATUS_BIT_ISCULLED);

	// A run that does not draw reaches the same verdicts.
	besideTheWindow->StatusBits |= STATUS_BIT_ISCULLED;
	pastTheWideView->StatusBits &= ~STATUS_BIT_ISCULLED;
	CullObjects();
	EXPECT_FALSE(besideTheWindow->StatusBits & STATUS_BIT_ISCULLED);
	EXPECT_TRUE(pastTheWideView->StatusBits & STATUS_BIT_ISCULLED);
}

TEST_F(RenderTest, AutoFadingNodesDisappearPastTheFadeEnd)
{
	SetupView({0, 0, 0, 1});
	gAutoFadeStart = 400;
	gAutoFadeEnd = 800;
	gAutoFadeRate = 1.0f / 400;
	ObjNode* far = ShapeNode(ColorBox(60, {1, 1, 1, 1}), {0, 0, -900}, STATUS_BIT_NOLIGHTING | STATUS_BIT_AUTOFADE);
	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2, HEIGHT / 2), 0, 0, 0);
	});
	// Faded out is a look: the rules still call it in view, as a run that
	// does not draw does.
	EXPECT_FALSE(far->StatusBits & STATUS_BIT_ISCULLED);
	gAutoFadeStart = 0;
}

TEST_F(RenderTest, TheFadeOverlayAtZeroIsBlackAndAFadedSceneIsNotDrawn)
{
	SetupView({0, 0, 1, 1});
	ShapeNode(ColorBox(60, {1, 0, 0, 1}), {0, 0, -500});
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 5200;
	def.drawCall = OGL_DrawFadeOverlay;
	def.scale = 1;
	MakeNewObject(&def);

	gFadeLevel = 0.0001f;		// all but black: the overlay is opaque
	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2, HEIGHT / 2), 0, 0, 0, 1);
		ExpectPixelNear(ReadPixel(3, 3), 0, 0, 0, 1);
	});

	gFadeLevel = 0.5f;
	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2, HEIGHT / 2), 128, 0, 0, 2);
	});

	gFadeLevel = 0;
	int calls = 0;
	gFrameBody = [&] { calls++; };
	OGL_DrawScene(RunFrameBody);
	EXPECT_EQ(calls, 0) << "a fully faded frame never draws the scene";
	gFadeLevel = 1;
}

TEST_F(RenderTest, ACollapsedViewportSkipsDrawing)
{
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.clip = {200, 0, 200, 0};		// more than the window is high
	OGL_SetupWindow(&setup);
	int calls = 0;
	gFrameBody = [&] { calls++; };
	OGL_DrawScene(RunFrameBody);
	EXPECT_EQ(calls, 0);
	EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
	OGL_UpdateCameraMatrices();
	for (float v : gWorldToFrustumMatrix.value)
		EXPECT_TRUE(std::isfinite(v));
}

TEST_F(RenderTest, StateStackHoldsTwentyLevelsAndRestoresState)
{
	SetupView({0, 0, 0, 1});
	OGL_EnableLighting();
	glDisable(GL_BLEND);
	OGL_PushState();
	OGL_DisableLighting();
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE);
	glDepthMask(GL_FALSE);
	glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
	OGL_PopState();
	EXPECT_TRUE(gLightingOn);
	EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
	EXPECT_FALSE(glIsEnabled(GL_BLEND));
	GLboolean mask = GL_FALSE;
	glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
	EXPECT_TRUE(mask);
	GLint dst = 0;
	glGetIntegerv(GL_BLEND_DST, &dst);
	EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);

	for (int i = 0; i < STATE_STACK_SIZE; i++)
		OGL_PushState();
	EXPECT_THROW(OGL_PushState(), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "OGL_PushState: stack overflow");
	for (int i = 0; i < STATE_STACK_SIZE; i++)
		OGL_PopState();
	EXPECT_THROW(OGL_PopState(), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage, "OGL_PopState: stack underflow!");
	EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(RenderTest, GLErrorsAreFatalWithTheirCode)
{
	SetupView({0, 0, 0, 1});
	glEnable(GL_TEXTURE_2D + 12345);		// not a capability
	EXPECT_THROW(OGL_CHECK_ERROR(), Tamber::QuitRequest);
	EXPECT_EQ(gLastFatalMessage.rfind("OpenGL Error 0x500 in RenderTests.cpp:", 0), 0u) << gLastFatalMessage;
}

TEST_F(RenderTest, SetupWindowAppliesFogAndLightsFromTheSetup)
{
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.useFog = true;
	setup.fogStart = 123;
	setup.fogEnd = 456;
	setup.clearColor = {0.25f, 0.5f, 0.75f, 1};
	setup.numFillLights = 2;
	setup.fillDirection[1] = {0, -2, 0};
	setup.fillColor[1] = {0.1f, 0.2f, 0.3f, 1};
	OGL_SetupWindow(&setup);

	GLfloat value[4];
	glGetFloatv(GL_FOG_START, value);
	EXPECT_EQ(value[0], 123);
	glGetFloatv(GL_FOG_COLOR, value);
	EXPECT_NEAR(value[2], 0.75f, 1e-6f);
	EXPECT_TRUE(glIsEnabled(GL_FOG));
	EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
	EXPECT_FALSE(glIsEnabled(GL_LIGHT2));
	glGetLightfv(GL_LIGHT1, GL_DIFFUSE, value);
	EXPECT_NEAR(value[1], 0.2f, 1e-6f);
	EXPECT_EQ(gGameViewInfoPtr->lights.fillDirection[1].y, -1.0f) << "normalised";
	EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
	EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
	EXPECT_TRUE(gLightingOn);
	OGL_DisposeWindowSetup();

	OGL_DefaultSetupInput(&setup);
	setup.numFillLights = 0;
	OGL_SetupWindow(&setup);
	for (int i = 0; i < MAX_FILL_LIGHTS; i++)
		EXPECT_FALSE(glIsEnabled(GLenum(GL_LIGHT0 + i)));
	EXPECT_FALSE(glIsEnabled(GL_FOG));
	EXPECT_THROW(OGL_SetupWindow(&setup), Tamber::QuitRequest) << "one view at a time";
}

//
// The game itself
//

namespace
{
	bool ReadTGAScreenshot(const fs::path& path, int* width, int* height, std::vector<uint8_t>* bgr)
	{
		std::ifstream in(path, std::ios::binary);
		std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
		if (bytes.size() < 18 || bytes[2] != 2 || bytes[16] != 24)
			return false;
		*width = bytes[12] | bytes[13] << 8;
		*height = bytes[14] | bytes[15] << 8;
		if (bytes.size() != 18 + size_t(*width) * size_t(*height) * 3)
			return false;
		bgr->assign(bytes.begin() + 18, bytes.end());
		return true;
	}

	struct GameRenderTest : ::testing::Test
	{
		fs::path scratch;
		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display";
			scratch = MakeScratchFolder("zapp-render");
		}
		void TearDown() override
		{
			RemoveScratchFolder(scratch);
		}
		ProcessResult Run(std::vector<std::string> args)
		{
			args.insert(args.begin(), ZAPP_EXE);
			return RunProcess(args, ZAPP_BUILD_DIR,
					{"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1",
					 "XDG_DATA_HOME=" + (scratch / "xdg").string()}, 120);
		}
	};
}

TEST_F(GameRenderTest, EveryLevelThatClearsShowsItsClearColourInTheSky)
{
	int levelsChecked = 0;
	for (int level = 0; level < NUM_LEVELS; level++)
	{
		const LevelView& view = GetLevelDef(level).view;
		// Levels with a backdrop or a sky sheet hide the clear colour behind
		// them; the others show it.
		bool hasBackdrop = GetLevelDef(level).hasBackdrop;
		if (!view.clearBackBuffer || hasBackdrop || GetSkyLevelInfo(level).hasSky)
			continue;
		levelsChecked++;
		SCOPED_TRACE("level " + std::to_string(level));
		fs::path shot = scratch / ("level" + std::to_string(level) + ".tga");
		ProcessResult r = Run({"--windowed", "--level", std::to_string(level), "--fixed-step", "30",
				"--frames", "90", "--screenshot", shot.string(), "--fly-over"});
		ASSERT_EQ(r.exitCode, 0) << r.output;
		EXPECT_EQ(r.output.find("ALERT"), std::string::npos) << r.output;

		int w = 0, h = 0;
		std::vector<uint8_t> bgr;
		ASSERT_TRUE(ReadTGAScreenshot(shot, &w, &h, &bgr));
		// The fly-over camera sometimes has a hill or an arena wall against
		// the top of the screen; the open sky along the rest of it is clear colour.
		int sky = 0;
		for (int x = 0; x < w; x++)
		{
			const uint8_t* p = &bgr[(size_t(2) * size_t(w) + size_t(x)) * 3];
			sky += std::abs(p[2] - int(view.clearColor[0] * 255 + 0.5f)) <= 2
				&& std::abs(p[1] - int(view.clearColor[1] * 255 + 0.5f)) <= 2
				&& std::abs(p[0] - int(view.clearColor[2] * 255 + 0.5f)) <= 2;
		}
		EXPECT_GT(sky, w / 3) << "pixels of the top row at the clear colour";
	}
	EXPECT_GT(levelsChecked, 0) << "no level shows its clear colour any more";
}

TEST_F(GameRenderTest, AFinishedLevelIsCleanedUpCompletely)
{
	// At 30 Hz the fire-and-ice level is ended after three seconds of play (a
	// clock standing in for its exit); the run then cleans up, compares node
	// and meta-object counts with those before the level, and goes on to the
	// saucer level, whose clear sky (it has no backdrop) the last frame of
	// the fly-over shows.
	fs::path shot = scratch / "after.tga";
	ProcessResult r = Run({"--windowed", "--level", "7", "--fixed-step", "30", "--frames", "260",
			"--screenshot", shot.string(), "--fly-over", "--end-level-after", "3"});
	ASSERT_EQ(r.exitCode, 0) << r.output;
	EXPECT_EQ(r.output.find("ALERT"), std::string::npos) << r.output;

	int w = 0, h = 0;
	std::vector<uint8_t> bgr;
	ASSERT_TRUE(ReadTGAScreenshot(shot, &w, &h, &bgr));
	const float* next = GetLevelDef(LEVEL_NUM_SAUCER).view.clearColor;
	const uint8_t* p = &bgr[(size_t(2) * size_t(w) + size_t(w / 2)) * 3];
	EXPECT_NEAR(p[2], int(next[0] * 255 + 0.5f), 2) << "the run went on to the next level";
	EXPECT_NEAR(p[1], int(next[1] * 255 + 0.5f), 2);
	EXPECT_NEAR(p[0], int(next[2] * 255 + 0.5f), 2);
}

TEST_F(RenderTest, FencesStandInFrontAndWaterBlendsByItsKind)
{
	using namespace FenceWaterTestSupport;
	const int savedLevel = gCurrentLevel;
	gCurrentLevel = LEVEL_NUM_FARM;
	gAutoFadeStatusBits = 0;
	SetupView({1, 0, 0, 1});

	// A fence across the view (no fence images here: its vertex colours, white).
	PrimeTestFences({{0, {{-300, -600}, {300, -600}}}});
	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2, HEIGHT / 2), 255, 255, 255);
		ExpectPixelNear(ReadPixel(2, 2), 255, 0, 0);
	});
	EXPECT_EQ(gNumFencesDrawn, 1);
	DeleteAllObjects();
	DisposeTestFencesAndWater();

	// Water seen from above in blue: normal kinds blend over the red behind,
	// the glowing kind adds to it.
	const OGLPoint3D from = {0, 1000, 0}, to = {0, 0, 0};
	const OGLVector3D up = {0, 0, -1};
	MetaObjectPtr blue = MO_MakeColorMaterial({0, 0, 1, 1});
	const struct { uint16_t kind; int r, b; } kinds[] = {{0, 77, 178}, {WATER_KIND_GLOW, 255, 102}};
	for (const auto& k : kinds)
	{
		InitObjectManager();
		PrimeTestWater({{k.kind, {{-2000, -2000}, {2000, -2000}, {2000, 2000}, {-2000, 2000}}, {0, 0}}});
		gWaterMeshes[0].data.numMaterials = 1;
		gWaterMeshes[0].data.materials[0] = blue;
		OGL_SetCameraFromToUp(&from, &to, &up);
		DrawFrame([&] {
			DrawObjects();
			ExpectPixelNear(ReadPixel(WIDTH / 2, HEIGHT / 2), k.r, 0, k.b, 4);
		});
		EXPECT_EQ(gNumWaterDrawn, 1);
		EXPECT_EQ(gGlobalTransparency, 1.0f) << "drawing water leaves no alpha behind";
		DeleteAllObjects();
		DisposeTestFencesAndWater();
	}
	MO_DisposeObjectReference(blue);
	gCurrentLevel = savedLevel;
}

TEST_F(RenderTest, AZipCableIsDrawnAcrossTheViewWhereItHangs)
{
	SetupView({0, 0, 1, 1});
	ClearRideItemPointers();
	ASSERT_TRUE(SetUpZipLine(0, {-600, -400, -700}, {600, -400, -700}));

	DrawFrame([] {
		DrawZipLines(nullptr);
		// Somewhere down the middle column the cable crosses; the corners stay clear.
		int cableRows = 0;
		for (int y = 0; y < HEIGHT; y++)
		{
			Pixel p = ReadPixel(WIDTH / 2, y);
			if (p.r > 100 && p.g > 100)
				cableRows++;
		}
		EXPECT_GE(cableRows, 1);
		EXPECT_LE(cableRows, 12) << "a thin cable, not a wall";
		ExpectPixelNear(ReadPixel(2, 2), 0, 0, 255);
	});
	ClearRideItemPointers();
	ClearTriggerHandlers();
}

TEST_F(GameRenderTest, TheBlobBossMachineStandsInViewAtTheArenasStart)
{
	// The robot starts facing the machine (thrown up by the live floor, it
	// looks down on it): its plinth's yellow rim, the emitters' yellow heads
	// and their glows fill part of the view.
	fs::path shot = scratch / "blobboss.tga";
	ProcessResult r = Run({"--windowed", "--level", std::to_string(LEVEL_NUM_BLOBBOSS), "--fixed-step", "30",
			"--frames", "90", "--screenshot", shot.string()});
	ASSERT_EQ(r.exitCode, 0) << r.output;
	EXPECT_EQ(r.output.find("ALERT"), std::string::npos) << r.output;
	int w = 0, h = 0;
	std::vector<uint8_t> bgr;
	ASSERT_TRUE(ReadTGAScreenshot(shot, &w, &h, &bgr));
	int yellow = 0, yellowInMiddle = 0;
	for (int y = 0; y < h; y++)
		for (int x = 0; x < w; x++)
		{
			const uint8_t* p = &bgr[(size_t(y) * size_t(w) + size_t(x)) * 3];
			bool isYellow = p[2] > 150 && p[1] > 140 && p[0] < 110;
			yellow += isYellow;
			yellowInMiddle += isYellow && x > w / 4 && x < w * 3 / 4;
		}
	EXPECT_GT(yellow, w * h / 200) << "the machine's yellow parts";
	EXPECT_GT(yellowInMiddle, yellow / 3) << "straight ahead";
}
