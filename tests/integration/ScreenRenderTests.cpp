// The screens' own looks drawn in a real GL context under the virtual
// display: the main menu's title plate spells the game's name in letters
// (a blank bar or a row of blocks does not), and text laid over the
// brightest ground keeps its colour inside a dark outline.
#include "PixelTest.h"
#include "PNGFile.h"
#include "Screens/ScreenModels.h"
#include "3D/BG3D.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/TextMesh.h"
#include "System/ContentNumbers.h"

#include <SDL_opengl.h>

#include <cmath>

namespace
{
	constexpr int TITLE_W = 480, TITLE_H = 120;
	constexpr int TITLE_LETTERS = 9;			// Z A P P A T R O N
	constexpr float TITLE_PLATE_SPAN = 0.85f;	// of the window's width

	// The lettering's yellow (the plate is the robot's blue, the shadows dark).
	bool IsLetterYellow(int r, int g, int b)
	{
		return PixelColour::OfHue(0xFFE13C, 20)(r, g, b) && r > 120;
	}

	// Separate stretches of lettering along one row of the frame.
	int RunsAlongRow(const PixelFrame& frame, int y, int x0, int x1)
	{
		int runs = 0;
		bool inside = false;
		for (int x = x0; x < x1; x++)
		{
			const uint8_t* p = PixelAt(frame.image, x, y);
			const bool yellow = IsLetterYellow(p[0], p[1], p[2]);
			runs += yellow && !inside;
			inside = yellow;
		}
		return runs;
	}

	struct TitleRender : PixelTest
	{
		TitleRender() : PixelTest(TITLE_W, TITLE_H) {}
	};
}

TEST_F(TitleRender, TheTitlePlateSpellsTheGameNameInLetters)
{
	ASSERT_EQ(LoadBG3D(MAINMENU_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC), MAINMENU_NUM_MODELS);
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = MAINMENU_MODEL_TITLE;
	def.slot = 100;
	def.flags = STATUS_BIT_DONTCULL;
	def.scale = 1;
	ObjNode* title = MakeNewDisplayGroupObject(&def);
	// Near enough that the plate spans most of the window, as the menu's camera
	// frames it: the letters get the pixels a player's window gives them.
	const OGLBoundingBox& box = title->BBox;
	const float aspect = float(TITLE_W) / float(TITLE_H);
	const float distance = (box.max.x - box.min.x) / TITLE_PLATE_SPAN / (2 * std::tan(gGameViewInfoPtr->fov * 0.5f) * aspect);
	title->Coord = {-(box.min.x + box.max.x) * 0.5f, -(box.min.y + box.max.y) * 0.5f, -box.max.z - distance};
	UpdateObjectTransforms(title);
	const PixelFrame frame = Render();

	const PixelRect letters = frame.BoundsOf(IsLetterYellow);
	ASSERT_FALSE(letters.IsEmpty()) << "no lettering on the plate";
	EXPECT_GT(letters.Width(), TITLE_W / 2) << "the name runs along the plate";
	// A row through the letters' upper half and one through their lower half:
	// stems, legs and the sides of the bowls and the O cross each more than
	// once, where a block per letter would cross it once.
	const int upper = letters.y0 + letters.Height() / 4, lower = letters.y1 - 1 - letters.Height() / 4;
	const int runs = RunsAlongRow(frame, upper, letters.x0, letters.x1) + RunsAlongRow(frame, lower, letters.x0, letters.x1);
	EXPECT_GE(runs, 3 * TITLE_LETTERS) << "upper " << RunsAlongRow(frame, upper, letters.x0, letters.x1) << ", lower "
									   << RunsAlongRow(frame, lower, letters.x0, letters.x1);
	// The O's middle (the eighth letter's) is its hole: the plate shows through.
	const int oMiddle = letters.x0 + int(letters.Width() * (7.5f / TITLE_LETTERS));
	EXPECT_EQ(frame.Count({oMiddle - 1, (letters.y0 + letters.y1) / 2 - 1, oMiddle + 2, (letters.y0 + letters.y1) / 2 + 2},
					  IsLetterYellow), 0);
	// The dark shadows under the letters separate them from the plate's blue.
	EXPECT_GT(frame.Count(letters, [](int r, int g, int b) { return r + g + b < 200 && b < 120; }), 100);
}

namespace
{
	// Half the nominal 640 x 480: a text at scale 1 is drawn half the size
	// it has in a 480-line window, as a small window shows it.
	constexpr int TEXT_W = 320, TEXT_H = 240;

	// A ground as bright as a level gets: the whole overlay white.
	void DrawWhiteGround(ObjNode*)
	{
		OGL_PushState();
		OGL_Set2DOverlayState(true);
		glDisable(GL_TEXTURE_2D);
		glColor4f(1, 1, 1, 1);
		glBegin(GL_QUADS);
		glVertex2f(-g2DLogicalWidth, -LOGICAL_SCREEN_HEIGHT);
		glVertex2f(g2DLogicalWidth, -LOGICAL_SCREEN_HEIGHT);
		glVertex2f(g2DLogicalWidth, LOGICAL_SCREEN_HEIGHT);
		glVertex2f(-g2DLogicalWidth, LOGICAL_SCREEN_HEIGHT);
		glEnd();
		OGL_PopState();
	}

	struct TextRender : PixelTest
	{
		TextRender() : PixelTest(TEXT_W, TEXT_H) {}

		void SetUp() override
		{
			PixelTest::SetUp();
			if (IsSkipped() || HasFatalFailure())
				return;
			TextMesh_LoadMetrics();
			TextMesh_InitMaterial(false);
		}
		void TearDown() override
		{
			PixelTest::TearDown();
			TextMesh_DisposeMetrics();
		}
	};
}

TEST_F(TextRender, AGlowingTextOverWhiteGroundKeepsItsColourInsideADarkOutline)
{
	ASSERT_NE(gFontMaterial, nullptr);
	ObjectDef ground = {};
	ground.genre = CUSTOM_GENRE;
	ground.slot = 5000;
	ground.flags = STATUS_BIT_DONTCULL;
	ground.drawCall = DrawWhiteGround;
	MakeNewObject(&ground);

	// The pause menu's yellow, drawn as every text is (glowing: adding its light).
	ObjectDef def = {};
	def.coord = {0, 0, 0};
	def.slot = 5100;
	def.scale = 1.0f;
	ObjNode* text = TextMesh_New("RESUME", TEXTMESH_ALIGN_CENTER, &def);
	ASSERT_TRUE(text->StatusBits & STATUS_BIT_GLOW);
	text->ColorFilter = {1.0f, 1.0f, 0.3f, 1};
	const PixelFrame frame = Render();

	// Where the letters are, they stay yellow (not white on white), edged
	// in dark against the ground, by a wide margin of brightness.
	const PixelRect band = {0, TEXT_H / 4, TEXT_W, TEXT_H * 3 / 4};
	const int yellow = frame.Count(band, [](int r, int g, int b) { return r > 200 && g > 200 && b < 140; });
	const int dark = frame.Count(band, [](int r, int g, int b) { return r + g + b < 3 * 90; });
	const int white = frame.Count(frame.Whole(), [](int r, int g, int b) { return r > 240 && g > 240 && b > 240; });
	EXPECT_GT(yellow, 150) << "the letters' own colour";
	EXPECT_GT(dark, 150) << "their outline";
	EXPECT_GT(white, TEXT_W * TEXT_H / 2) << "the ground round them is untouched";
}
