// Skeletons drawn for real: the baked rigs in the skeleton viewer under a
// virtual display, read back from the frame buffer. With ZAPP_SKELETON_SHOTS
// set to a folder, a further test writes frames of walks and punches there
// for people to look at.
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/OGL_Textures.h"
#include "TestGLWindow.h"
#include "3D/Screenshot.h"
#include "3D/Skeleton.h"
#include "3D/BG3D.h"
#include "3D/Sprites.h"
#include "3D/TextMesh.h"
#include "Enemies/FireIceCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/RobotEnemies.h"
#include "Effects/Sparkles.h"
#include "Enemies/FarmCreatures.h"
#include "Items/Contraptions.h"
#include "Items/Humans.h"
#include "Items/Powerups.h"
#include "Terrain/TerrainFile.h"
#include "System/ContentNumbers.h"
#include "Terrain/Collision.h"
#include "Automation/SkeletonViewer.h"
#include "System/Boot.h"
#include "System/LevelTable.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "System/Window.h"
#include "BakedData.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <algorithm>
#include <vector>

namespace fs = std::filesystem;

namespace
{
	constexpr int WIDTH = 320, HEIGHT = 240;

	ScreenImage gCaptured;
	void DrawAndCapture()
	{
		SkeletonViewer_DrawScene();
		CaptureScreen(&gCaptured);
	}

	struct SkeletonDrawTest : ::testing::Test
	{
		static inline fs::path sDataDir;
		static inline FSSpec sOldDataFolder;

		static void SetUpTestSuite()
		{
			if (!std::getenv("DISPLAY"))
				return;
			sDataDir = BakedData::Folder();
			const char* shots = std::getenv("ZAPP_SKELETON_SHOTS");
			int scale = shots && *shots ? 2 : 1;
			OpenTestGLWindow("skeleton test", WIDTH * scale, HEIGHT * scale);
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
			Tamber::Files::Init();
			sOldDataFolder = gDataFolderSpec;
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(sDataDir / "Skeletons");
			InitObjectManager();
			InitSpriteManager();
			InitBG3DManager();
			InitSkeletonManager();
			TextMesh_LoadMetrics();
			metaObjectsBefore = gNumMetaObjects;
			gDebugMode = 0;
		}

		void TearDown() override
		{
			if (!gWindow || !std::getenv("DISPLAY"))
				return;
			SkeletonViewer_Close();
			EXPECT_EQ(gNumMetaObjects, metaObjectsBefore) << "every meta object released";
			EXPECT_EQ(OGL_GetStateStackDepth(), 0);
			TextMesh_DisposeMetrics();
			gDataFolderSpec = sOldDataFolder;
			Tamber::Files::Shutdown();
		}

		// Poses the viewer's skeleton at `tick` and draws a frame into gCaptured.
		static const ScreenImage& DrawAt(float tick)
		{
			ObjNode* node = SkeletonViewer_GetNode();
			node->Skeleton->CurrentAnimTime = tick;
			ComputeCurrentJointPositions(node->Skeleton);
			OGL_DrawScene(DrawAndCapture);
			EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
			return gCaptured;
		}

		static int CountDifferent(const ScreenImage& a, const ScreenImage& b)
		{
			int n = 0;
			for (size_t i = 0; i + 2 < a.pixels.size() && i + 2 < b.pixels.size(); i += 3)
				if (std::abs(a.pixels[i] - b.pixels[i]) + std::abs(a.pixels[i + 1] - b.pixels[i + 1])
						+ std::abs(a.pixels[i + 2] - b.pixels[i + 2]) > 30)
					n++;
			return n;
		}
	};
}

TEST_F(SkeletonDrawTest, ASkeletonDrawnAtTwoAnimationTimesGivesDifferentPixels)
{
	SkeletonViewer_Open(SKELETON_TYPE_QUOG, PLAYER_ANIM_PUNCH);
	ASSERT_NE(SkeletonViewer_GetNode(), nullptr);
	ScreenImage ready = DrawAt(0);
	ScreenImage again = DrawAt(0);
	EXPECT_EQ(CountDifferent(ready, again), 0) << "the same pose draws the same picture";
	ScreenImage strike = DrawAt(9);
	EXPECT_GT(CountDifferent(ready, strike), 300) << "the arm has moved";
	EXPECT_GT(gTrianglesThisFrame, 500) << "the robot's mesh was drawn";
}

TEST_F(SkeletonDrawTest, TheViewerPlaysTheAnimationFrameByFrame)
{
	SkeletonViewer_Open(SKELETON_TYPE_FARMER, HUMAN_ANIM_WALK);
	ObjNode* node = SkeletonViewer_GetNode();
	ASSERT_NE(node, nullptr);
	EXPECT_EQ(node->Skeleton->AnimNum, HUMAN_ANIM_WALK);
	const float before = node->Skeleton->CurrentAnimTime;
	gFrameTime = 1.0f / 30.0f;
	for (int frame = 0; frame < 6; frame++)
		SkeletonViewer_Frame();
	EXPECT_NEAR(node->Skeleton->CurrentAnimTime - before, 6, 1e-3f) << "one tick a frame at 30 frames a second";
	EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SkeletonDrawTest, TheMaterialOverrideRepaintsTheWholeMesh)
{
	SkeletonViewer_Open(SKELETON_TYPE_SCIENTIST, HUMAN_ANIM_STAND);
	ObjNode* node = SkeletonViewer_GetNode();
	ScreenImage own = DrawAt(0);
	// A blue texture in place of the mesh's own (the vertex colours still shade it).
	std::vector<uint8_t> texels(16 * 4);
	for (size_t i = 0; i < texels.size(); i += 4)
		texels[i + 2] = texels[i + 3] = 255;
	MOMaterialData m = {};
	m.drawContext = gGameViewInfoPtr;
	m.flags = MATERIAL_FLAG_TEXTURED;
	m.diffuseColor = {1, 1, 1, 1};
	m.numMipmaps = 1;
	m.width = m.height = 4;
	m.textureName[0] = OGL_TextureMap_Load(texels.data(), 4, 4, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE);
	MetaObjectPtr blue = MO_CreateNewObjectOfType(MO_TYPE_MATERIAL, 0, &m);
	node->Skeleton->materialOverride = blue;
	ScreenImage painted = DrawAt(0);
	node->Skeleton->materialOverride = nullptr;
	MO_DisposeObjectReference(blue);

	// The white coat turns blue.
	auto bluish = [](const ScreenImage& img) {
		int n = 0;
		for (size_t i = 0; i + 2 < img.pixels.size(); i += 3)
			if (img.pixels[i + 2] > 80 && img.pixels[i] < img.pixels[i + 2] / 3 && img.pixels[i + 1] < img.pixels[i + 2] / 3)
				n++;
		return n;
	};
	const int pixels = int(own.pixels.size() / 3);
	EXPECT_LT(bluish(own), pixels / 1000);
	EXPECT_GT(bluish(painted), pixels / 100);
	EXPECT_EQ(CountDifferent(own, DrawAt(0)), 0) << "the mesh's own materials are back";
}

TEST_F(SkeletonDrawTest, EveryTypeShowsInTheViewer)
{
	for (int type = 0; type < MAX_SKELETON_TYPES; type++)
	{
		SkeletonViewer_Open(type, 0);
		ObjNode* node = SkeletonViewer_GetNode();
		ScreenImage shown = DrawAt(0);
		node->StatusBits |= STATUS_BIT_HIDDEN;
		ScreenImage hidden = DrawAt(0);
		EXPECT_GT(CountDifferent(shown, hidden), int(shown.pixels.size() / 3 / 200)) << SKELETON_FILE_NAMES[type];
		SkeletonViewer_Close();
	}
}

// Frames of walks, punches and the like for looking at (not a check).
TEST_F(SkeletonDrawTest, WriteFramesForPeopleToLookAt)
{
	const char* shots = std::getenv("ZAPP_SKELETON_SHOTS");
	if (!shots || !*shots)
		GTEST_SKIP() << "set ZAPP_SKELETON_SHOTS to a folder to write frames";
	fs::create_directories(shots);
	// ZAPP_SKELETON_SHOT_TYPES="20,22" narrows the frames to every animation of those types,
	// seen from the front quarter and from the side.
	if (const char* only = std::getenv("ZAPP_SKELETON_SHOT_TYPES"); only && *only)
	{
		for (const char* p = only; *p;)
		{
			char* end = nullptr;
			const int type = int(std::strtol(p, &end, 10));
			if (end == p)
				break;
			p = *end ? end + 1 : end;
			ASSERT_TRUE(type >= 0 && type < MAX_SKELETON_TYPES) << type;
			SkeletonViewer_Open(type, 0);
			const int numAnims = SkeletonViewer_GetNode()->Skeleton->skeletonDefinition->NumAnims;
			SkeletonViewer_Close();
			for (int anim = 0; anim < numAnims; anim++)
				for (float angle : {0.5f, 1.5f})
				{
					SkeletonViewer_Open(type, anim);
					SkeletonViewer_SetViewAngle(angle);
					const float length = SkeletonViewer_GetNode()->Skeleton->MaxAnimTime;
					for (int f = 0; f < 6; f++)
					{
						char name[200];
						snprintf(name, sizeof(name), "%s/%s-%02d-%s-%d.png", shots, SKELETON_FILE_NAMES[type], anim,
								angle < 1 ? "front" : "side", f);
						EXPECT_TRUE(WriteScreenImage(DrawAt(length * float(f) / 5.0f), name)) << name;
					}
					SkeletonViewer_Close();
				}
		}
		return;
	}
	struct Shot { int type, anim, frames; };
	const Shot list[] = {{SKELETON_TYPE_QUOG, PLAYER_ANIM_WALK, 4}, {SKELETON_TYPE_QUOG, PLAYER_ANIM_PUNCH, 6},
		{SKELETON_TYPE_QUOG, PLAYER_ANIM_STANDWITHGUN, 1}, {SKELETON_TYPE_QUOG, PLAYER_ANIM_CHARGING, 1},
		{SKELETON_TYPE_FARMER, HUMAN_ANIM_WALK, 4}, {SKELETON_TYPE_BEEWOMAN, HUMAN_ANIM_WALK, 2},
		{SKELETON_TYPE_SCIENTIST, HUMAN_ANIM_WALK, 2}, {SKELETON_TYPE_SKIRTLADY, HUMAN_ANIM_BEAMED, 2},
		{SKELETON_TYPE_BRAINALIEN, BRAINALIEN_ANIM_WALK, 4}, {SKELETON_TYPE_BRAINALIEN, BRAINALIEN_ANIM_BITE, 3},
		{SKELETON_TYPE_ELITEBRAINALIEN, BRAINALIEN_ANIM_RUN, 2}, {SKELETON_TYPE_QUOG, PLAYER_ANIM_GETUP, 4},
		{SKELETON_TYPE_QUOG, PLAYER_ANIM_DEATH, 3}, {SKELETON_TYPE_QUOG, PLAYER_ANIM_FLATTENED, 1},
		{SKELETON_TYPE_QUOG, PLAYER_ANIM_CHANGEWEAPON, 3}, {SKELETON_TYPE_QUOG, PLAYER_ANIM_THROWDART, 3},
		{SKELETON_TYPE_QUOG, PLAYER_ANIM_ZIPLINE, 1}, {SKELETON_TYPE_QUOG, PLAYER_ANIM_BUMPERCAR, 1},
		{SKELETON_TYPE_ONION, 4, 2}, {SKELETON_TYPE_GIANTLIZARD, 2, 3}, {SKELETON_TYPE_GIANTLIZARD, 1, 2},
		{SKELETON_TYPE_STRONGMAN, 2, 4}, {SKELETON_TYPE_VENUSFLYTRAP, 1, 3}, {SKELETON_TYPE_MANTIS, 1, 2},
		{SKELETON_TYPE_ICECUBE, 2, 3}, {SKELETON_TYPE_CLOWN, 2, 2}, {SKELETON_TYPE_MUTANT, 2, 3}};
	for (const Shot& s : list)
	{
		SkeletonViewer_Open(s.type, s.anim);
		SkeletonViewer_SetViewAngle(1.3f);		// nearly side on: strides and reaches show best
		ObjNode* node = SkeletonViewer_GetNode();
		const float length = node->Skeleton->MaxAnimTime;
		for (int f = 0; f < s.frames; f++)
		{
			float tick = s.frames > 1 ? length * float(f) / float(s.frames - 1) : 0.4f * length;
			char name[160];
			snprintf(name, sizeof(name), "%s/%s-%02d-%d.png", shots, SKELETON_FILE_NAMES[s.type], s.anim, f);
			EXPECT_TRUE(WriteScreenImage(DrawAt(tick), name)) << name;
		}
		SkeletonViewer_Close();
	}
	// Every type standing.
	for (int type = 0; type < MAX_SKELETON_TYPES; type++)
	{
		SkeletonViewer_Open(type, 0);
		char name[160];
		snprintf(name, sizeof(name), "%s/all-%02d-%s.png", shots, type, SKELETON_FILE_NAMES[type]);
		EXPECT_TRUE(WriteScreenImage(DrawAt(0), name));
		SkeletonViewer_Close();
	}
}

// A human as the level makes it (its scale, flags and shadow) is drawn by the
// ordinary object pass, standing on the ground in the middle of the view.
TEST_F(SkeletonDrawTest, AHumanMadeForTheLevelIsDrawnStandingOnTheGround)
{
	SkeletonViewer_Open(SKELETON_TYPE_SCIENTIST, HUMAN_ANIM_STAND);
	SkeletonViewer_GetNode()->StatusBits |= STATUS_BIT_HIDDEN;
	ScreenImage empty = DrawAt(0);
	// The viewer has no terrain: a solid floor box under the grid stands in for it.
	ObjectDef floorDef = {};
	floorDef.genre = NODRAW_GENRE;
	floorDef.slot = 50;
	floorDef.scale = 1;
	ObjNode* floor = MakeNewObject(&floorDef);
	floor->CType = CTYPE_MISC;
	floor->CBits = SIDE_ALL;
	SetObjectCollisionBounds(floor, 0, -50, -500, 500, 500, -500);
	InitHumans();
	ObjNode* human = MakeHuman(HUMAN_TYPE_SCIENTIST, 0, 0);
	ASSERT_NE(human, nullptr);
	EXPECT_NEAR(human->Coord.y + float(human->BottomOff), 20, 1) << "feet just above the ground";
	ScreenImage shown = DrawAt(0);
	const int changed = CountDifferent(empty, shown);
	EXPECT_GT(changed, int(shown.pixels.size() / 3 / 50)) << "the human covers a good part of the view";

	// Its pixels are around the middle column of the view.
	int left = WIDTH, right = -1;
	for (int y = 0; y < shown.height; y++)
		for (int x = 0; x < shown.width; x++)
		{
			size_t i = (size_t(y) * size_t(shown.width) + size_t(x)) * 3;
			if (std::abs(shown.pixels[i] - empty.pixels[i]) + std::abs(shown.pixels[i + 1] - empty.pixels[i + 1])
					+ std::abs(shown.pixels[i + 2] - empty.pixels[i + 2]) > 30)
			{
				left = std::min(left, x);
				right = std::max(right, x);
			}
		}
	EXPECT_LT(left, shown.width / 2);
	EXPECT_GT(right, shown.width / 2);
	DeleteObject(human);
}

TEST_F(SkeletonDrawTest, APunchedPodIsDrawnAndItsHalvesFlyUpOutOfIt)
{
	SkeletonViewer_Open(SKELETON_TYPE_SCIENTIST, HUMAN_ANIM_STAND);
	SkeletonViewer_GetNode()->StatusBits |= STATUS_BIT_HIDDEN;
	ScreenImage empty = DrawAt(0);
	ASSERT_GE(LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL), 0);

	TerrainItemEntryType item = {};
	item.type = 6;
	item.parm[0] = POWERUP_TYPE_EXTRA_LIFE;
	ASSERT_TRUE(MakePowerupBalloon(&item, 0, 0));
	ObjNode* pod = nullptr;
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		if (n->TerrainItemPtr == &item)
			pod = n;
	ASSERT_NE(pod, nullptr);
	pod->Coord = {0, 0, 0};					// the viewer has no terrain to stand it on
	pod->Rot.y = 1;
	UpdateObjectTransforms(pod);

	// The topmost row that differs from the empty view.
	auto topRow = [&](const ScreenImage& shot) {
		for (int y = 0; y < shot.height; y++)
			for (int x = 0; x < shot.width; x++)
			{
				size_t i = (size_t(y) * size_t(shot.width) + size_t(x)) * 3;
				if (std::abs(shot.pixels[i] - empty.pixels[i]) + std::abs(shot.pixels[i + 1] - empty.pixels[i + 1])
						+ std::abs(shot.pixels[i + 2] - empty.pixels[i + 2]) > 30)
					return y;
			}
		return -1;
	};
	ScreenImage closed = DrawAt(0);
	EXPECT_GT(CountDifferent(empty, closed), int(closed.pixels.size() / 3 / 100)) << "the pod shows";

	PowerupPodGotPunched(nullptr, pod, &pod->Coord, nullptr, 0);
	EXPECT_EQ(pod->CType, INVALID_NODE_FLAG);
	FlushObjectDeleteQueue();
	std::vector<ObjNode*> halves;
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		if (n->Type == GLOBAL_MODEL_POD_HALF_LEFT || n->Type == GLOBAL_MODEL_POD_HALF_RIGHT)
			if (n->Group == MODEL_GROUP_GLOBAL && n->Genre == DISPLAY_GROUP_GENRE)
				halves.push_back(n);
	ASSERT_EQ(halves.size(), 2u);
	// A quarter second along their throw (the viewer has no terrain, so
	// their own move routine would retire them as out of range).
	for (ObjNode* half : halves)
	{
		EXPECT_GT(half->Delta.y, 0) << "thrown upward";
		half->Coord = half->Coord + half->Delta * 0.25f;
		UpdateObjectTransforms(half);
	}
	ScreenImage opened = DrawAt(0);
	EXPECT_GT(CountDifferent(closed, opened), int(opened.pixels.size() / 3 / 200)) << "the view changed as it opened";
	int closedTop = topRow(closed), openedTop = topRow(opened);
	ASSERT_GE(closedTop, 0);
	ASSERT_GE(openedTop, 0);
	EXPECT_LT(openedTop, closedTop) << "the halves fly above where the pod's top was";
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		if (n->MoveCall == MovePickup || std::find(halves.begin(), halves.end(), n) != halves.end())
			DeleteObject(n);
	FlushObjectDeleteQueue();
	DisposeBG3DContainer(MODEL_GROUP_GLOBAL);
}

TEST_F(SkeletonDrawTest, TheExitLiftIsDrawnWithItsLidAndRisesAsItTakesOff)
{
	SkeletonViewer_Open(SKELETON_TYPE_SCIENTIST, HUMAN_ANIM_STAND);
	SkeletonViewer_GetNode()->StatusBits |= STATUS_BIT_HIDDEN;
	ScreenImage empty = DrawAt(0);
	ASSERT_GE(LoadBG3D(kLevelDefs[LEVEL_NUM_FIREICE].modelFile, MODEL_GROUP_LEVELSPECIFIC), 0);

	InitExitLift();
	StartWithExitIceBroken();				// the sheet would cover the view
	TerrainItemEntryType item = {};
	item.type = 90;
	ASSERT_TRUE(AddExitLift(&item, 0, 0));
	ObjNode* lift = GetExitLiftNode();
	ASSERT_NE(lift, nullptr);
	ASSERT_EQ(lift->Genre, DISPLAY_GROUP_GENRE) << "its model is in the level's file";
	ASSERT_NE(lift->ChainNode, nullptr);
	auto placeAt = [&](float y) {
		for (ObjNode* n = lift; n; n = n->ChainNode)
		{
			n->Coord = {0, y, 0};
			n->Scale = {0.5f, 0.5f, 0.5f};		// at its full size it fills the viewer's frame
			UpdateObjectTransforms(n);
		}
	};
	placeAt(0);								// on the viewer's floor (it has no terrain)

	auto rows = [&](const ScreenImage& shot, int* top, int* bottom) {
		*top = -1;
		*bottom = -1;
		for (int y = 0; y < shot.height; y++)
			for (int x = 0; x < shot.width; x++)
			{
				size_t i = (size_t(y) * size_t(shot.width) + size_t(x)) * 3;
				if (std::abs(shot.pixels[i] - empty.pixels[i]) + std::abs(shot.pixels[i + 1] - empty.pixels[i + 1])
						+ std::abs(shot.pixels[i + 2] - empty.pixels[i + 2]) > 30)
				{
					if (*top < 0)
						*top = y;
					*bottom = y;
				}
			}
	};
	ScreenImage standing = DrawAt(0);
	EXPECT_GT(CountDifferent(empty, standing), int(standing.pixels.size() / 3 / 50)) << "the lift fills part of the view";

	// The lid alone hidden: fewer pixels differ, so the lid is drawn on the base.
	lift->ChainNode->StatusBits |= STATUS_BIT_HIDDEN;
	ScreenImage bare = DrawAt(0);
	EXPECT_GT(CountDifferent(bare, standing), int(standing.pixels.size() / 3 / 400)) << "the lid shows";
	lift->ChainNode->StatusBits &= ~STATUS_BIT_HIDDEN;

	placeAt(120);
	ScreenImage risen = DrawAt(0);
	int top0, bottom0, top1, bottom1;
	rows(standing, &top0, &bottom0);
	rows(risen, &top1, &bottom1);
	ASSERT_GE(top0, 0);
	ASSERT_GE(top1, 0);
	EXPECT_LT(top1, top0) << "taking off, its top moves up the view";
	EXPECT_LT(bottom1, bottom0);

	DeleteObject(lift);
	FlushObjectDeleteQueue();
	DisposeBG3DContainer(MODEL_GROUP_LEVELSPECIFIC);
}

TEST_F(SkeletonDrawTest, EachRobotIsDrawnFromItsBodyAndItsPosedParts)
{
	SkeletonViewer_Open(SKELETON_TYPE_SCIENTIST, HUMAN_ANIM_STAND);
	SkeletonViewer_GetNode()->StatusBits |= STATUS_BIT_HIDDEN;
	ScreenImage empty = DrawAt(0);
	ASSERT_GE(LoadBG3D(kLevelDefs[LEVEL_NUM_FIREICE].modelFile, MODEL_GROUP_LEVELSPECIFIC), LEVEL_MODEL_SWINGERBOT_ARM);
	const char* shots = std::getenv("ZAPP_SKELETON_SHOTS");

	struct Case { const char* name; ObjNode* (*make)(); float fit; };
	const Case cases[] = {
		{"armbot", [] { return MakeArmBot(0, 0); }, 0.6f},
		{"hammerbot", [] { return MakeHammerBot(0, 0, true); }, 0.6f},
		{"drillbot", [] { return MakeDrillBot(0, 0); }, 0.6f},
		{"swingerbot", [] { return MakeSwingerBot(0, 0); }, 0.35f},
	};
	for (const Case& c : cases)
	{
		ObjNode* bot = c.make();
		// Down to the viewer's frame, turned three-quarters on, and posed again at that size.
		bot->Scale = bot->Scale * c.fit;
		bot->Rot.y = 2.4f;
		bot->Coord = {0, 0, 0};
		UpdateObjectTransforms(bot);
		PoseRobotEnemy(bot);
		ScreenImage whole = DrawAt(0);
		EXPECT_GT(CountDifferent(empty, whole), int(whole.pixels.size() / 3 / 100)) << c.name << " fills part of the view";
		// Its parts hidden: fewer pixels differ, so the parts are drawn where the posing put them.
		for (ObjNode* p = bot->ChainNode; p; p = p->ChainNode)
			p->StatusBits |= STATUS_BIT_HIDDEN;
		ScreenImage bare = DrawAt(0);
		EXPECT_GT(CountDifferent(bare, whole), int(whole.pixels.size() / 3 / 800)) << c.name << "'s parts show";
		if (shots && *shots)
		{
			fs::create_directories(shots);
			WriteScreenImage(whole, (fs::path(shots) / (std::string(c.name) + ".png")).string());
		}
		DeleteObject(bot);
		FlushObjectDeleteQueue();
	}
	DisposeBG3DContainer(MODEL_GROUP_LEVELSPECIFIC);
}

TEST_F(SkeletonDrawTest, EachFireAndIceCreatureIsDrawnWithTheShotItThrows)
{
	SkeletonViewer_Open(SKELETON_TYPE_SCIENTIST, HUMAN_ANIM_STAND);
	SkeletonViewer_GetNode()->StatusBits |= STATUS_BIT_HIDDEN;
	ScreenImage empty = DrawAt(0);
	ASSERT_GE(LoadBG3D(kLevelDefs[LEVEL_NUM_FIREICE].modelFile, MODEL_GROUP_LEVELSPECIFIC), LEVEL_MODEL_SQUOOSHY_GLOB);
	for (int type : {SKELETON_TYPE_FLAMESTER, SKELETON_TYPE_ICECUBE, SKELETON_TYPE_SQUOOSHY})
		LoadASkeleton(type);
	InitSparkleStore();
	const char* shots = std::getenv("ZAPP_SKELETON_SHOTS");

	struct Case { const char* name; ObjNode* (*make)(); ObjNode* (*shoot)(ObjNode*); float fit; };
	const Case cases[] = {
		{"flamester", [] { return MakeCreature(kFlamesterKind, 0, 0); }, [](ObjNode* f) { return ThrowFireBlob(f); }, 0.45f},
		{"icecube", [] { return MakeCreature(kIceCubeKind, 0, 0); },
			[](ObjNode*) {
				ObjectDef def = {};
				def.group = MODEL_GROUP_LEVELSPECIFIC;
				def.type = LEVEL_MODEL_ICE_BLOCK;
				def.slot = 2999;
				def.scale = 1;
				return MakeNewDisplayGroupObject(&def);
			}, 0.45f},
		{"squooshy", [] { return MakeCreature(kSquooshyKind, 0, 0); }, [](ObjNode* s) { return SpitSquooshyGlob(s); }, 0.5f},
	};
	for (const Case& c : cases)
	{
		ObjNode* creature = c.make();
		float scale = creature->Scale.x * c.fit;
		creature->Scale = {scale, scale, scale};
		creature->Rot.y = -0.7f;		// three-quarters toward the camera
		creature->Coord = {-20, -40, 0};
		UpdateObjectTransforms(creature);
		ComputeCurrentJointPositions(creature->Skeleton);
		ObjNode* shot = c.shoot(creature);
		shot->Coord = {45, 0, 30};
		shot->Scale = {1.2f, 1.2f, 1.2f};
		UpdateObjectTransforms(shot);
		ScreenImage whole = DrawAt(0);
		EXPECT_GT(CountDifferent(empty, whole), int(whole.pixels.size() / 3 / 30)) << c.name << " fills part of the view";
		shot->StatusBits |= STATUS_BIT_HIDDEN;
		ScreenImage bare = DrawAt(0);
		EXPECT_GT(CountDifferent(bare, whole), int(whole.pixels.size() / 3 / 1000)) << c.name << "'s shot shows";
		if (shots && *shots)
		{
			fs::create_directories(shots);
			WriteScreenImage(whole, (fs::path(shots) / (std::string(c.name) + ".png")).string());
		}
		DeleteObject(shot);
		DeleteObject(creature);
		FlushObjectDeleteQueue();
	}
	DisposeSparkles();
	DisposeBG3DContainer(MODEL_GROUP_LEVELSPECIFIC);
}

// The farm's vegetables in their own colours, and their attacks moving them:
// an onion's lunge, a tomato's leap and a corn's walk change what is drawn.
TEST_F(SkeletonDrawTest, EachVegetableShowsInItsColourAndItsMoveChangesTheFrame)
{
	struct Case
	{
		int type, anim;
		const char* name;
		bool (*ofItsColour)(int r, int g, int b);
	};
	const Case cases[] = {
		{SKELETON_TYPE_ONION, ONION_ANIM_GRAB, "onion", [](int r, int g, int b) { return r > g + 40 && b > g + 20; }},
		{SKELETON_TYPE_CORN, CORN_ANIM_WALK, "corn", [](int r, int g, int b) { return r > b + 80 && g > b + 60; }},
		{SKELETON_TYPE_TOMATO, TOMATO_ANIM_LEAP, "tomato", [](int r, int g, int b) { return r > g + 80 && r > b + 80; }},
	};
	for (const Case& c : cases)
	{
		SkeletonViewer_Open(c.type, c.anim);
		ObjNode* node = SkeletonViewer_GetNode();
		node->StatusBits |= STATUS_BIT_HIDDEN;
		ScreenImage empty = DrawAt(0);
		node->StatusBits &= ~STATUS_BIT_HIDDEN;
		ScreenImage start = DrawAt(0);
		int coloured = 0, colouredBefore = 0;
		for (size_t i = 0; i + 2 < start.pixels.size(); i += 3)
		{
			coloured += c.ofItsColour(start.pixels[i], start.pixels[i + 1], start.pixels[i + 2]);
			colouredBefore += c.ofItsColour(empty.pixels[i], empty.pixels[i + 1], empty.pixels[i + 2]);
		}
		EXPECT_GT(coloured - colouredBefore, int(start.pixels.size() / 3 / 100)) << c.name << " drawn in its colour";
		ScreenImage moved = DrawAt(node->Skeleton->MaxAnimTime * 0.5f);
		EXPECT_GT(CountDifferent(start, moved), int(start.pixels.size() / 3 / 300)) << c.name << " moves";
		SkeletonViewer_Close();
	}
}
