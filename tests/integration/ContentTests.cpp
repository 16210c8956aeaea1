// The content loaders in a real GL context under a virtual display: a BG3D
// model drawn lit and fogged, the three texture upload paths, sprites with
// alpha, text where the glyphs are, the debug overlay and the model viewer,
// all read back from the frame.
#include "3D/BG3D.h"
#include "TestGLWindow.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/Sprites.h"
#include "3D/TGA.h"
#include "3D/TextMesh.h"
#include "Automation/ModelViewer.h"
#include "Automation/Automation.h"
#include "System/Boot.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "Bake.h"
#include "BakedData.h"
#include "formats/BG3DWriter.h"
#include "Files.h"
#include "formats/TGAWriter.h"
#include "kit/Primitives.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

	// Pixels of the rectangle whose brightest channel exceeds `threshold`.
	int CountBright(int x0, int y0, int x1, int y1, int threshold = 128)
	{
		int n = 0;
		for (int y = y0; y < y1; y++)
			for (int x = x0; x < x1; x++)
			{
				Pixel p = ReadPixel(x, y);
				n += std::max({p.r, p.g, p.b}) > threshold;
			}
		return n;
	}

	void ExpectPixelNear(Pixel p, int r, int g, int b, int tolerance = 4)
	{
		EXPECT_NEAR(p.r, r, tolerance);
		EXPECT_NEAR(p.g, g, tolerance);
		EXPECT_NEAR(p.b, b, tolerance);
	}

	std::function<void()> gFrameBody;
	void RunFrameBody() { gFrameBody(); }

	void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes)
	{
		fs::create_directories(path.parent_path());
		std::ofstream out(path, std::ios::binary | std::ios::trunc);
		out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
	}

	// Left half red, right half blue, as a 16 × 16 texture.
	Kit::Image TwoColourTexture(uint8_t alphaRight = 255)
	{
		Kit::Image image(16, 16);
		for (int y = 0; y < 16; y++)
			for (int x = 0; x < 16; x++)
				image.At(x, y) = x < 8 ? Kit::Rgba{255, 0, 0, 255} : Kit::Rgba{0, 0, 255, alphaRight};
		return image;
	}

	// Model 0: a 200 × 200 quad facing +z with the two-colour texture in the
	// given form; model 1: the same quad untextured, white.
	std::vector<uint8_t> QuadModels(Kit::TextureFormat format)
	{
		Kit::ModelFile file;
		int textured = file.AddMaterial(Kit::TextureMaterial(TwoColourTexture(), format));
		int white = file.AddMaterial(Kit::ColorMaterial());
		file.models.push_back(Kit::MakeGroup({Kit::MakeGeometry(Kit::Quad(200, 200), textured)}));
		file.models.push_back(Kit::MakeGroup({Kit::MakeGeometry(Kit::Quad(200, 200), white)}));
		return Bake::WriteBG3D(file);
	}

	// A window, a GL context and a data folder (the baked font, copied from
	// the shared Data folder, plus the files each test writes) shared by the suite.
	struct ContentTest : ::testing::Test
	{
		static inline fs::path sDataDir;
		static inline FSSpec sOldDataFolder;

		static void SetUpTestSuite()
		{
			if (!std::getenv("DISPLAY"))
				return;
			sDataDir = fs::temp_directory_path() / ("zapp-content-" + std::to_string(getpid()));
			fs::create_directories(sDataDir / "Skeletons");
			fs::copy(BakedData::Folder() / "System", sDataDir / "System", fs::copy_options::recursive);

			OpenTestGLWindow("content test", WIDTH, HEIGHT);
		}
		static void TearDownTestSuite()
		{
			std::error_code ec;
			fs::remove_all(sDataDir, ec);
			CloseTestGLWindow();
		}

		int metaObjectsBefore = 0;

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
			InitBG3DManager();
			TextMesh_LoadMetrics();
			metaObjectsBefore = gNumMetaObjects;
			gFadeLevel = 1;
			gDebugMode = 0;
		}

		void TearDown() override
		{
			if (!gWindow || !std::getenv("DISPLAY"))
				return;
			DeleteAllObjects();
			FlushObjectDeleteQueue();
			DeleteAllBG3DContainers();
			DisposeAllSpriteGroups();
			if (gGameViewInfoPtr)
				OGL_DisposeWindowSetup();
			EXPECT_EQ(gNumMetaObjects, metaObjectsBefore) << "every meta object released";
			EXPECT_EQ(OGL_GetStateStackDepth(), 0);
			TextMesh_DisposeMetrics();
			gDebugMode = 0;
			gDataFolderSpec = sOldDataFolder;
			Tamber::Files::Shutdown();
		}

		static void SetupView(OGLColorRGBA clear, OGLVector3D light = {0, 0, -1}, bool fog = false,
				float fogStart = 0, float fogEnd = 0)
		{
			OGLSetupInput setup;
			OGL_DefaultSetupInput(&setup);
			setup.clearColor = clear;
			setup.ambientColor = {0.2f, 0.2f, 0.2f, 1};
			setup.fillDirection[0] = light;
			setup.useFog = fog;
			setup.fogStart = fogStart;
			setup.fogEnd = fogEnd;
			setup.yon = 5000;
			OGL_SetupWindow(&setup);
		}

		static void DrawFrame(std::function<void()> body)
		{
			gFrameBody = std::move(body);
			OGL_DrawScene(RunFrameBody);
			EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
		}

		static int ImportFile(const std::vector<uint8_t>& bytes, int group)
		{
			WriteFile(sDataDir / "Models" / "test.bg3d", bytes);
			return LoadBG3D(":Models:test.bg3d", group);
		}

		static ObjNode* ModelNode(int group, int type, OGLPoint3D at)
		{
			ObjectDef def = {};
			def.group = uint8_t(group);
			def.type = uint8_t(type);
			def.coord = at;
			def.slot = 100;
			def.scale = 1;
			return MakeNewDisplayGroupObject(&def);
		}

		// The RGBA texels of a material's texture.
		static std::vector<uint8_t> TextureTexels(MetaObjectPtr material, int width, int height)
		{
			std::vector<uint8_t> texels(size_t(width * height * 4));
			glBindTexture(GL_TEXTURE_2D, MO_MaterialData(material)->textureName[0]);
			glPixelStorei(GL_PACK_ALIGNMENT, 1);
			glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
			return texels;
		}
	};
}

TEST_F(ContentTest, ATexturedModelIsLitByTheFillLight)
{
	SetupView({0, 0, 0, 1}, {0, 0, -1});		// shining away from the camera: the quad faces it
	ASSERT_EQ(ImportFile(QuadModels(Kit::TextureFormat::ARGB1555), 1), 2);
	ModelNode(1, 0, {0, 0, -300});

	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2 - 20, HEIGHT / 2), 255, 0, 0);
		ExpectPixelNear(ReadPixel(WIDTH / 2 + 20, HEIGHT / 2), 0, 0, 255);
		ExpectPixelNear(ReadPixel(3, 3), 0, 0, 0);
	});
	OGL_DisposeWindowSetup();
	DeleteAllObjects();
	DeleteAllBG3DContainers();

	SetupView({0, 0, 0, 1}, {0, 0, 1});		// shining at the camera: ambient only
	ImportFile(QuadModels(Kit::TextureFormat::ARGB1555), 1);
	ModelNode(1, 0, {0, 0, -300});
	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(WIDTH / 2 - 20, HEIGHT / 2), 51, 0, 0);
	});
}

TEST_F(ContentTest, FogTurnsADistantModelIntoTheFogColour)
{
	SetupView({0, 1, 0, 1}, {0, 0, -1}, true, 100, 1100);
	ImportFile(QuadModels(Kit::TextureFormat::RGB8), 1);
	ModelNode(1, 1, {-150, 0, -600});		// white, half way into the fog
	ModelNode(1, 1, {150, 0, -1090});		// white, at the end of the fog

	DrawFrame([] {
		DrawObjects();
		Pixel half = ReadPixel(WIDTH / 2 - 70, HEIGHT / 2);
		EXPECT_NEAR(half.r, 128, 12);
		EXPECT_NEAR(half.g, 255, 4);
		Pixel far = ReadPixel(WIDTH / 2 + 40, HEIGHT / 2);
		EXPECT_LT(far.r, 12);
		EXPECT_GT(far.g, 240);
	});
}

TEST_F(ContentTest, EachTextureFormReachesOpenGLAsItsColours)
{
	SetupView({0, 0, 0, 1});
	for (Kit::TextureFormat format : {Kit::TextureFormat::ARGB1555, Kit::TextureFormat::RGB8,
			Kit::TextureFormat::RGB8_TO_1555, Kit::TextureFormat::RGBA8})
	{
		ImportFile(QuadModels(format), 1);
		MetaObjectPtr material = gBG3DContainerList[1]->materials[0];
		EXPECT_EQ(MO_MaterialData(material)->numMipmaps, 1);
		EXPECT_NE(MO_MaterialData(material)->textureName[0], 0u);
		std::vector<uint8_t> texels = TextureTexels(material, 16, 16);
		ExpectPixelNear({texels[0], texels[1], texels[2]}, 255, 0, 0, 8);
		ExpectPixelNear({texels[15 * 4], texels[15 * 4 + 1], texels[15 * 4 + 2]}, 0, 0, 255, 8);
		EXPECT_EQ(texels[3], 255);
		DisposeBG3DContainer(1);
	}
}

TEST_F(ContentTest, SpritesDrawWithTheirAlphaAndAdditiveGlow)
{
	WriteFile(sDataDir / "sprites" / "test" / "test000.tga", Bake::EncodeSpriteTGA(TwoColourTexture(0)));
	WriteFile(sDataDir / "sprites" / "test" / "test001.tga", Bake::EncodeSpriteTGA(TwoColourTexture(255)));
	SetupView({0, 1, 0, 1});
	LoadSpriteGroup(2, 2, "test");
	ASSERT_EQ(gNumSpritesInGroupList[2], 2);
	EXPECT_EQ(gSpriteGroupList[2][0].width, 16);
	EXPECT_EQ(gSpriteGroupList[2][0].aspectRatio, 1.0f);

	DrawFrame([] {
		// 640 × 480 space: a 320-unit square from the top-left quarter point.
		DrawSprite(2, 0, 160, 120, 320, 0, 0);
		ExpectPixelNear(ReadPixel(WIDTH / 2 - 30, HEIGHT / 2), 255, 0, 0);
		ExpectPixelNear(ReadPixel(WIDTH / 2 + 30, HEIGHT / 2), 0, 255, 0);		// clear: the green shows
		ExpectPixelNear(ReadPixel(10, 10), 0, 255, 0);
		EXPECT_EQ(gTrianglesThisFrame, 2);

		DrawSprite(2, 1, 160, 120, 320, 0, SPRITE_FLAG_GLOW);		// added to what is there
		ExpectPixelNear(ReadPixel(WIDTH / 2 - 30, HEIGHT / 2), 255, 0, 0);
		ExpectPixelNear(ReadPixel(WIDTH / 2 + 30, HEIGHT / 2), 0, 255, 255);
	});
	EXPECT_EQ(gGlobalMaterialFlags, 0u);
}

TEST_F(ContentTest, SpriteNodesDrawInTheCentredOverlay)
{
	WriteFile(sDataDir / "sprites" / "test" / "test000.tga", Bake::EncodeSpriteTGA(TwoColourTexture(255)));
	SetupView({0, 0, 0, 1});
	LoadSpriteGroup(2, 1, "test");
	ObjectDef def = {};
	def.group = 2;
	def.type = 0;
	def.coord = {-320, -240, 0};		// the top-left corner of the 640 × 480 overlay
	def.scale = 160;
	def.slot = 500;
	MakeSpriteObject(&def);

	DrawFrame([] {
		DrawObjects();
		ExpectPixelNear(ReadPixel(10, 10), 255, 0, 0);
		ExpectPixelNear(ReadPixel(70, 10), 0, 0, 255);
		ExpectPixelNear(ReadPixel(100, 100), 0, 0, 0);
	});
}

TEST_F(ContentTest, TextShowsPixelsWhereItsGlyphsAre)
{
	SetupView({0, 0, 0, 1});
	ASSERT_NE(gFontMaterial, nullptr) << "the view made the font material";
	ObjectDef def = {};
	def.coord = {0, 0, 0};
	def.scale = 2;
	def.slot = 100;
	ObjNode* text = TextMesh_New("I", TEXTMESH_ALIGN_CENTER, &def);
	const MOVertexArrayData* mesh = MO_VertexArrayData(MO_GroupData(text->BaseGroup)->groupContents[1]);
	ASSERT_EQ(mesh->numPoints, 4);
	// The glyph's quad in window pixels (the overlay is 640 × 480 over 320 × 240).
	float qx0 = mesh->points[0].x * 2, qx1 = mesh->points[2].x * 2;
	float qy0 = mesh->points[0].y * 2, qy1 = mesh->points[2].y * 2;
	int x0 = int((qx0 + 320) / 2), x1 = int((qx1 + 320) / 2), y0 = int((qy0 + 240) / 2), y1 = int((qy1 + 240) / 2);

	DrawFrame([&] {
		DrawObjects();
		Pixel stem = ReadPixel((x0 + x1) / 2, (y0 + y1) / 2);
		EXPECT_GT(stem.r, 200) << "the middle of the I's stem";
		EXPECT_EQ(CountBright(0, 0, WIDTH, y0 - 2), 0) << "nothing above the glyph";
		EXPECT_EQ(CountBright(x1 + 2, 0, WIDTH, HEIGHT), 0) << "nothing right of it";
		EXPECT_GT(CountBright(x0, y0, x1 + 1, y1 + 1), (x1 - x0) * (y1 - y0) / 6);
	});

	TextMesh_Update("", TEXTMESH_ALIGN_CENTER, text);
	DrawFrame([] {
		DrawObjects();
		EXPECT_EQ(CountBright(0, 0, WIDTH, HEIGHT), 0);
	});
}

TEST_F(ContentTest, TheDebugOverlayShowsItsStatisticsAsText)
{
	SetupView({0, 0, 0, 1});
	ASSERT_TRUE(gDebugTextNode.IsAlive()) << "the view made the overlay's text node";
	DrawFrame([] { DrawObjects(); });
	EXPECT_EQ(CountBright(0, 0, WIDTH / 2, HEIGHT / 2), 0) << "mode 0: hidden";

	gDebugMode = 1;
	DrawFrame([] { DrawObjects(); });		// lays the text out after drawing
	DrawFrame([] {
		DrawObjects();
		EXPECT_GT(CountBright(0, 0, WIDTH / 2, HEIGHT / 2), 100) << "mode 1: the numbers at the top left";
	});
	ObjNode* node = gDebugTextNode.Get();
	ASSERT_NE(node, nullptr);
	EXPECT_GT(MO_VertexArrayData(MO_GroupData(node->BaseGroup)->groupContents[1])->numPoints, 400);
}

TEST_F(ContentTest, TheModelViewerShowsEveryModelOfAFileInAGrid)
{
	// Three boxes, red, green and blue (vertex colours).
	Kit::ModelFile file;
	int material = file.AddMaterial(Kit::ColorMaterial());
	for (Kit::Rgba c : {Kit::Rgba{255, 0, 0, 255}, Kit::Rgba{0, 255, 0, 255}, Kit::Rgba{0, 0, 255, 255}})
	{
		Kit::Mesh box = Kit::Box({50, 50, 50});
		for (Kit::Rgba& vertex : box.colors)
			vertex = c;
		file.models.push_back(Kit::MakeGroup({Kit::MakeGeometry(box, material)}));
	}
	WriteFile(sDataDir / "Models" / "viewer.bg3d", Bake::WriteBG3D(file));
	fs::path shot = sDataDir / "viewer.tga";

	AutomationOptions saved = gAutomation;
	FrameWatcher savedWatcher = gFrameWatcher;
	gAutomation.frames = 1;				// quit after the first frame…
	gAutomation.screenshotPath = shot.string();		// …and keep it
	gFrameWatcher = AutomationFrameWatcher();
	EXPECT_THROW(RunModelViewer("viewer", -1), Tamber::QuitRequest);
	AutomationWriteScreenshot();
	gAutomation = saved;
	gFrameWatcher = savedWatcher;

	std::ifstream in(shot, std::ios::binary);
	std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	TGAHeader header;
	std::vector<uint8_t> rgba;
	TGAError error;
	ASSERT_EQ(int(TGA_Decode(bytes.data(), bytes.size(), true, &header, &rgba, &error)), int(TGAStatus::OK));
	ASSERT_EQ(header.width, WIDTH);

	// A grid of two columns: red and green on top, blue below red.
	struct Spot { float x = -1, y = -1; };
	auto mostly = [&](int channel) {
		long sumX = 0, sumY = 0, n = 0;
		for (size_t i = 0; i < rgba.size(); i += 4)
		{
			int c[3] = {rgba[i], rgba[i + 1], rgba[i + 2]};
			if (c[channel] > 100 && c[(channel + 1) % 3] < 60 && c[(channel + 2) % 3] < 60)
			{
				sumX += long(i / 4 % WIDTH);
				sumY += long(i / 4 / WIDTH);
				n++;
			}
		}
		return n > 200 ? Spot{float(sumX) / float(n), float(sumY) / float(n)} : Spot{};
	};
	Spot red = mostly(0), green = mostly(1), blue = mostly(2);
	EXPECT_GT(red.x, 0);
	EXPECT_GT(green.x, red.x + 40);
	EXPECT_NEAR(green.y, red.y, 10);
	EXPECT_NEAR(blue.x, red.x, 10);
	EXPECT_GT(blue.y, red.y + 40);
	EXPECT_EQ(BG3D_GetNumModels(1), 3);
}
