// The effects in a real GL context: a particle group and a sky read back from
// the frame, additive particles through fog, and one frame with every kind of
// effect written to a PNG (ZAPPATRON_EFFECTS_PNG names the file) for looking at.
#include "Effects/Effects.h"
#include "TestGLWindow.h"
#include "Effects/Particles.h"
#include "Effects/Sky.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/MetaObjectsShapes.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/Screenshot.h"
#include "3D/Sprites.h"
#include "System/Boot.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Objects.h"
#include "System/Pool.h"
#include "System/Window.h"
#include "BakedData.h"
#include "Files.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace
{
	constexpr int WIDTH = 320, HEIGHT = 240;

	struct Pixel { int r, g, b; };

	Pixel ReadPixel(int x, int y)
	{
		uint8_t p[4] = {};
		glReadBuffer(GL_BACK);
		glReadPixels(x, HEIGHT - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
		return {p[0], p[1], p[2]};
	}

	int CountNotColour(int x0, int y0, int x1, int y1, Pixel c, int tolerance = 12)
	{
		int n = 0;
		for (int y = y0; y < y1; y++)
			for (int x = x0; x < x1; x++)
			{
				Pixel p = ReadPixel(x, y);
				n += std::abs(p.r - c.r) > tolerance || std::abs(p.g - c.g) > tolerance || std::abs(p.b - c.b) > tolerance;
			}
		return n;
	}

	std::function<void()> gFrameBody;
	void RunFrameBody() { gFrameBody(); }

	// A window and a GL context shared by the suite; the sprites come from
	// the shared baked Data folder.
	struct EffectsRenderTest : ::testing::Test
	{
		static inline fs::path sDataDir;
		static inline FSSpec sOldDataFolder;

		static void SetUpTestSuite()
		{
			if (!std::getenv("DISPLAY"))
				return;
			sDataDir = BakedData::Folder();
			OpenTestGLWindow("effects test", WIDTH, HEIGHT);
		}
		static void TearDownTestSuite()
		{
			CloseTestGLWindow();
		}

		int metaObjectsBefore = 0;
		int savedLevel = 0;
		float savedFrameTime = 0;

		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
			ASSERT_NE(gWindow, nullptr) << SDL_GetError();
			Tamber::Files::Init();
			sOldDataFolder = gDataFolderSpec;
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(sDataDir / "Skeletons");
			InitObjectManager();
			InitSpriteManager();
			metaObjectsBefore = gNumMetaObjects;
			gFadeLevel = 1;
			gAutoFadeStart = 0;
			savedLevel = gCurrentLevel;
			savedFrameTime = gFrameTime;
			gFrameTime = 1.0f / 30;
		}

		void TearDown() override
		{
			if (!gWindow || !std::getenv("DISPLAY"))
				return;
			DeleteAllObjects();
			FlushObjectDeleteQueue();
			DisposeVaporTrailMaterial();
			DisposeParticleSystem();
			DisposeAllSpriteGroups();
			if (gGameViewInfoPtr)
				OGL_DisposeWindowSetup();
			EXPECT_EQ(gNumMetaObjects, metaObjectsBefore) << "every meta object released";
			EXPECT_EQ(OGL_GetStateStackDepth(), 0);
			gCurrentLevel = savedLevel;
			gFrameTime = savedFrameTime;
			gDataFolderSpec = sOldDataFolder;
			Tamber::Files::Shutdown();
		}

		static void SetupView(OGLColorRGBA clear, OGLPoint3D from, OGLPoint3D to, bool fog = false,
				float fogStart = 0, float fogEnd = 0, float yon = 5000)
		{
			OGLSetupInput setup;
			OGL_DefaultSetupInput(&setup);
			setup.clearColor = clear;
			setup.useFog = fog;
			setup.fogStart = fogStart;
			setup.fogEnd = fogEnd;
			setup.hither = 10;
			setup.yon = yon;
			setup.from = from;
			setup.to = to;
			OGL_SetupWindow(&setup);
			OGL_SetCameraFromTo(&from, &to);
		}

		static void DrawFrame(std::function<void()> body)
		{
			gFrameBody = std::move(body);
			OGL_DrawScene(RunFrameBody);
			EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
		}

		static int16_t Group(uint8_t texture, uint32_t dstBlend, float baseScale)
		{
			NewParticleGroupDefType def = {};
			def.magicNum = 1;
			def.flags = PARTICLE_FLAGS_DONTCHECKGROUND;
			def.baseScale = baseScale;
			def.particleTextureNum = texture;
			def.srcBlend = GL_SRC_ALPHA;
			def.dstBlend = dstBlend;
			return NewParticleGroup(&def);
		}

		static void Add(int16_t group, OGLPoint3D at, float alpha = 1)
		{
			OGLVector3D still = {0, 0, 0};
			NewParticleDefType p = {group, &at, &still, 1, 0, 0, alpha};
			ASSERT_FALSE(AddParticleToGroup(&p));
		}
	};
}

TEST_F(EffectsRenderTest, AParticleGroupDrawsItsQuadsWhereTheParticlesAre)
{
	SetupView({0, 0, 0, 1}, {0, 0, 0}, {0, 0, -1});
	InitParticleSystem();
	ASSERT_EQ(gNumSpritesInGroupList[SPRITE_GROUP_PARTICLES], NUM_PARTICLE_SPRITES);
	int16_t g = Group(PARTICLE_SPRITE_SOFT_GLOW, GL_ONE, 40);
	Add(g, {-60, 0, -300});
	Add(g, {60, 0, -300});

	DrawFrame([] {
		DrawObjects();
		// The two glows, left and right of the centre; dark between and around them.
		int left = CountNotColour(WIDTH / 2 - 60, HEIGHT / 2 - 10, WIDTH / 2 - 20, HEIGHT / 2 + 10, {0, 0, 0});
		int right = CountNotColour(WIDTH / 2 + 20, HEIGHT / 2 - 10, WIDTH / 2 + 60, HEIGHT / 2 + 10, {0, 0, 0});
		EXPECT_GT(left, 300);
		EXPECT_GT(right, 300);
		EXPECT_EQ(CountNotColour(0, 0, 40, 40, {0, 0, 0}), 0);
		EXPECT_EQ(CountNotColour(WIDTH / 2 - 3, HEIGHT / 2 - 60, WIDTH / 2 + 3, HEIGHT / 2 - 50, {0, 0, 0}), 0);
	});
	EXPECT_EQ(MO_VertexArrayData(gParticleGroups[g].geometryObj)->numTriangles, 4);

	// Behind the camera: outside the frustum, the group is not drawn.
	DeleteAllParticleGroups();
	g = Group(PARTICLE_SPRITE_SOFT_GLOW, GL_ONE, 40);
	Add(g, {0, 0, 300});
	DrawFrame([] {
		int before = gTrianglesThisFrame;
		DrawObjects();
		EXPECT_EQ(gTrianglesThisFrame, before);
		EXPECT_EQ(CountNotColour(0, 0, WIDTH, HEIGHT, {0, 0, 0}), 0);
	});
}

TEST_F(EffectsRenderTest, AdditiveGroupsGlowThroughTheFogOthersFadeIntoIt)
{
	// Blue fog, complete from 200 on: both groups stand 600 away.
	SetupView({0, 0, 1, 1}, {0, 0, 0}, {0, 0, -1}, true, 100, 200);
	InitParticleSystem();
	int16_t glow = Group(PARTICLE_SPRITE_SPARK, GL_ONE, 150);
	Add(glow, {-200, 0, -600});
	int16_t plain = Group(PARTICLE_SPRITE_SPARK, GL_ONE_MINUS_SRC_ALPHA, 150);
	Add(plain, {200, 0, -600});

	DrawFrame([] {
		DrawObjects();
		// The brightest red on each side: the glowing spark's white, or nothing but fog.
		int additive = 0, fogged = 0;
		for (int y = HEIGHT / 2 - 30; y < HEIGHT / 2 + 30; y++)
			for (int x = 0; x < WIDTH; x++)
			{
				Pixel p = ReadPixel(x, y);
				(x < WIDTH / 2 ? additive : fogged) = std::max(x < WIDTH / 2 ? additive : fogged, p.r);
			}
		EXPECT_GT(additive, 200) << "the spark's own white, not the fog";
		EXPECT_LT(fogged, 20) << "lost in the blue fog";
		EXPECT_GT(ReadPixel(WIDTH - 5, HEIGHT / 2).b, 240);
	});
}

TEST_F(EffectsRenderTest, TheFarmSkyCoversTheViewOverheadAndTheSaucerLevelHasNone)
{
	gCurrentLevel = LEVEL_NUM_FARM;
	SetupView({0, 0, 0, 1}, {0, 0, 0}, {0, 1000, -700}, false, 0, 0, 10000);
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, 1, "farm");
	CreateSky();
	ASSERT_NE(gLastCreatedNode, nullptr);
	EXPECT_EQ(gLastCreatedNode->Slot, 2);

	DrawFrame([] {
		DrawObjects();
		// Looking up, the sheet fills most of the view, fading toward the horizon.
		EXPECT_GT(CountNotColour(0, 0, WIDTH, HEIGHT, {0, 0, 0}, 20), WIDTH * HEIGHT * 3 / 4);
		Pixel centre = ReadPixel(WIDTH / 2, HEIGHT / 2);
		EXPECT_GT(centre.b, 120);
		EXPECT_GE(centre.b, centre.r);
		if (const char* png = std::getenv("ZAPPATRON_EFFECTS_PNG"))
		{
			ScreenImage image;
			CaptureScreen(&image);
			EXPECT_TRUE(WriteScreenImage(image, std::string(png) + ".sky.png"));
		}
	});

	DeleteAllObjects();
	FlushObjectDeleteQueue();
	gCurrentLevel = LEVEL_NUM_SAUCER;
	int before = gObjectCount;
	CreateSky();
	EXPECT_EQ(gObjectCount, before);
}

TEST_F(EffectsRenderTest, EveryKindOfEffectInOneFrame)
{
	SetupView({0.05f, 0.05f, 0.1f, 1}, {0, 300, 900}, {0, 150, 0}, false, 0, 0, 10000);
	InitParticleSystem();
	InitShardSystem();
	InitSparkles();
	InitVaporTrails();
	gCurrentLevel = LEVEL_NUM_FARM;
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, 1, "farm");
	CreateSky();

	// Left to right: a spark burst, a radial puff, a dust ring, smoke, a
	// shattered box, bouncing sparks with trails; sparkles along the top.
	MakeSparkBurst(-450, 150, 0, 40, PARTICLE_SPRITE_SPARK_YELLOW, GL_SRC_ALPHA, GL_ONE, 0.5f);
	MakeRadialPuff(-250, 150, 0, 400, 1, PARTICLE_SPRITE_FIREBALL, 80);
	MakeDustRing(-50, 50, 0);
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 100;
	def.scale = 1;
	def.coord = {100, 80, 0};
	ObjNode* smoker = MakeNewObject(&def);
	smoker->ParticleGroup = -1;
	for (int f = 0; f < 15; f++)
	{
		MakeMagneticSmokeTrail(smoker, 100, 80, 0);
		MoveParticleGroups(nullptr);
	}
	gFrameTime = 1.0f / 30;

	def.genre = DISPLAY_GROUP_GENRE;
	def.coord = {250, 150, 0};
	ObjNode* box = MakeNewObject(&def);
	CreateBaseGroup(box);
	MetaObjectPtr material = MO_MakeColorMaterial({0.9f, 0.5f, 0.2f, 1});
	MetaObjectPtr cube = MO_MakeBox(60, 60, 60, material);
	MO_DisposeObjectReference(material);
	MO_CalcBoundingBox(cube, &box->BBox);
	AppendToObjectBaseGroup(box, cube);
	MO_DisposeObjectReference(cube);
	ExplodeGeometry(box, 300, SHARD_MODE_FROMORIGIN, 1, 0.5f);
	EXPECT_GT(Pool_Size(gShardPool), 0);
	DeleteObject(box);

	OGLVector3D v = {0, 0, 0};
	MakeBouncingSparks(420, 0, &v);
	OGLPoint3D start = {-500, 350, 0};
	OGLColorRGBA smokeColour = {1, 1, 1, 0.8f};
	int16_t smokeTrail = CreateNewVaporTrail(nullptr, 200, VAPORTRAIL_TYPE_SMOKECOLUMN, &start, &smokeColour, 15, 0.3f, 60);
	for (int i = 0; i < 16; i++)
	{
		OGLPoint3D p = {-500 + float(i) * 60, 350 + 40 * std::sin(float(i) * 0.7f), 0};
		AddToVaporTrail(&smokeTrail, &p, &smokeColour);
	}
	for (int i = 0; i < 5; i++)
	{
		int16_t s = GetFreeSparkle(nullptr);
		gSparkles[s].flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
		gSparkles[s].where = {-400 + float(i) * 200, 480, 0};
		gSparkles[s].color = {1, 0.9f, 0.6f, 1};
		gSparkles[s].scale = 40;
		gSparkles[s].textureNum = PARTICLE_SPRITE_GLINT;
	}

	for (int f = 0; f < 4; f++)
	{
		MoveObjects();
		MoveVaporTrails();
		MoveShards();
	}
	ASSERT_GE(smokeTrail, 0);

	const char* png = std::getenv("ZAPPATRON_EFFECTS_PNG");
	DrawFrame([png] {
		DrawObjects();
		DrawShards();
		DrawVaporTrails();
		// A good part of the frame shows something other than the clear
		// colour: the bursts, the smoke, the shards, the trail and the sparkles.
		EXPECT_GT(CountNotColour(0, 0, WIDTH, HEIGHT, {13, 13, 26}, 16), WIDTH * HEIGHT / 8);
		if (png)
		{
			ScreenImage image;
			CaptureScreen(&image);
			EXPECT_TRUE(WriteScreenImage(image, png));
		}
	});
}
