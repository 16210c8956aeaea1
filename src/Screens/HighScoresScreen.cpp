// The high-score screens: the table over the main menu, and the end of a run
// (the score, then the name entry when it earns a place).
#include "Screens/FrontEndHooks.h"
#include "Screens/HighScores.h"
#include "Screens/HighScoresTextEntry.h"
#include "Screens/ScreenWatch.h"
#include "Screens/Screens.h"
#include "3D/MetaObjects.h"
#include "3D/OGL_State.h"
#include "3D/OGL_Support.h"
#include "3D/TextMesh.h"
#include "Player/Player.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/Objects.h"
#include "System/Random.h"
#include "System/SavedGame.h"
#include "System/Sound.h"
#include "System/Strings.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
	constexpr int16_t TABLE_SLOT = 5200;
	constexpr float ROW_TOP = -140.0f;				// overlay units, y downward
	constexpr float ROW_STEP = 20.0f;
	constexpr float ROW_SCALE = HIGH_SCORE_ROW_SCALE;
	constexpr float NAME_X = HIGH_SCORE_NAME_X;
	constexpr float SCORE_X = HIGH_SCORE_SCORE_X;
	constexpr float BACKING_HALF_W = 0.5f * HIGH_SCORE_BACKING_W;
	constexpr float TITLE_Y = -185.0f;
	constexpr float BACKING_ALPHA = 0.9f;
	constexpr float TABLE_FADE_SPEED = 2.0f;		// alpha per second
	constexpr float SCORE_SECONDS_WITH_SLOT = 3.0f;
	constexpr float SCORE_SECONDS_WITHOUT = 4.0f;
	constexpr float CURSOR_GAP = 2.5f;

	const OGLColorRGBA NAME_COLOR = {1.0f, 1.0f, 1.0f, 1};
	const OGLColorRGBA SCORE_COLOR = {1.0f, 0.85f, 0.3f, 1};
	const OGLColorRGBA NEW_ROW_COLOR = {0.4f, 1.0f, 0.5f, 1};
	const OGLColorRGBA TITLE_COLOR = {1.0f, 1.0f, 0.7f, 1};

	ObjNode* gRowNames[NUM_HIGH_SCORES];
	float gTableAlpha = 0;			// rows
	float gBackingAlpha = 0;		// the dark panel behind them

	ObjNode* MakeText(const char* text, float x, float y, float scale, OGLColorRGBA color, int align)
	{
		ObjectDef def = {};
		def.coord = {x, y, 0};
		def.slot = TABLE_SLOT;
		def.scale = scale;
		ObjNode* node = TextMesh_New(text, align, &def);
		node->ColorFilter = color;
		return node;
	}

	// A translucent panel behind the table (a custom-drawn node in the overlay).
	void DrawBacking(ObjNode*)
	{
		OGL_PushState();
		OGL_Set2DOverlayState(true);
		glDisable(GL_TEXTURE_2D);
		glEnable(GL_BLEND);
		glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
		glColor4f(0.02f, 0.03f, 0.1f, HighScoreBackingAlpha(gBackingAlpha, DrawRandomFloat()));
		glBegin(GL_QUADS);
		glVertex2f(-BACKING_HALF_W, -215);
		glVertex2f(BACKING_HALF_W, -215);
		glVertex2f(BACKING_HALF_W, 175);
		glVertex2f(-BACKING_HALF_W, 175);
		glEnd();
		OGL_PopState();
	}

	void MakeBacking()
	{
		ObjectDef def = {};
		def.genre = CUSTOM_GENRE;
		def.slot = TABLE_SLOT - 1;
		def.flags = STATUS_BIT_DONTCULL;
		ObjNode* node = MakeNewObject(&def);
		node->CustomDrawFunction = DrawBacking;
	}

	void SetTableAlpha(float alpha)
	{
		for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
			if (node->Slot == TABLE_SLOT && node->Genre == TEXTMESH_GENRE)
				node->ColorFilter.a = alpha;
	}

	void DeleteTableNodes()
	{
		for (ObjNode* node = gObjectListHead; node;)
		{
			ObjNode* next = node->NextNode;
			if (node->Slot == TABLE_SLOT || node->Slot == TABLE_SLOT - 1)
				DeleteObject(node);
			node = next;
		}
	}

	void RowScoreText(int row, char* text, size_t size)
	{
		snprintf(text, size, "%lu", (unsigned long)gHighScores[row].score);
	}

	// The controls of this frame for the name entry.
	TextEntryControls ReadTextEntryControls()
	{
		TextEntryControls c = {};
		c.doneNew = GetNewNeedState(NEED_TEXT_DONE);
		c.left = GetNewNeedState(NEED_TEXT_LEFT) || GetNewNeedState(NEED_TEXT_STICK_LEFT);
		c.right = GetNewNeedState(NEED_TEXT_RIGHT) || GetNewNeedState(NEED_TEXT_STICK_RIGHT);
		c.home = GetNewNeedState(NEED_TEXT_HOME);
		c.end = GetNewNeedState(NEED_TEXT_END);
		c.backspaceNew = GetNewNeedState(NEED_TEXT_BACKSPACE);
		c.backspace = c.backspaceNew;
		c.del = GetNewNeedState(NEED_TEXT_DELETE);
		c.nextLetterNew = GetNewNeedState(NEED_TEXT_NEXT_LETTER);
		c.nextLetter = GetNeedState(NEED_TEXT_NEXT_LETTER);
		c.prevLetterNew = GetNewNeedState(NEED_TEXT_PREV_LETTER);
		c.prevLetter = GetNeedState(NEED_TEXT_PREV_LETTER);
		c.spaceNew = GetNewNeedState(NEED_TEXT_SPACE);
		c.space = c.spaceNew;
		c.typed = gTextInputChars;
		return c;
	}

	// Runs frames over `drawRoutine` until `done` says so.
	template <typename Step>
	void RunFrames(void (*drawRoutine)(), Step step)
	{
		for (;;)
		{
			UpdateInput();
			MeasureFrameTime();
			MoveObjects();
			if (step(gFrameTime))
				break;
			OGL_DrawScene(drawRoutine ? drawRoutine : DrawObjects);
		}
	}
}

ObjNode* ShowHighScoresTable(int selectedRow)
{
	ObjNode* selected = nullptr;
	MakeText(GetString(STR_HIGH_SCORES), 0, TITLE_Y, HIGH_SCORE_TITLE_SCALE, TITLE_COLOR, TEXTMESH_ALIGN_CENTER);
	for (int row = 0; row < NUM_HIGH_SCORES; row++)
	{
		float y = ROW_TOP + ROW_STEP * float(row);
		const char* name = gHighScores[row].name[0] ? gHighScores[row].name : GetString(STR_EMPTY);
		OGLColorRGBA color = row == selectedRow ? NEW_ROW_COLOR : NAME_COLOR;
		gRowNames[row] = MakeText(name, NAME_X, y, ROW_SCALE, color, TEXTMESH_ALIGN_LEFT);
		char score[16];
		RowScoreText(row, score, sizeof(score));
		if (gHighScores[row].score == 0 && row != selectedRow)
			score[0] = '\0';		// an unused row shows only its "empty" name
		MakeText(score, SCORE_X, y, ROW_SCALE, row == selectedRow ? NEW_ROW_COLOR : SCORE_COLOR, TEXTMESH_ALIGN_RIGHT);
		if (row == selectedRow)
			selected = gRowNames[row];
	}
	return selected;
}

void ShowHighScoresScreen(void (*drawRoutine)())
{
	LoadHighScores();
	PlaySong(SONG_HIGHSCORE, 0);
	MakeBacking();
	ShowHighScoresTable(-1);

	gTableAlpha = gBackingAlpha = 0;
	SetTableAlpha(0);
	bool leaving = false;
	FlushInputEvents();
	RunFrames(drawRoutine, [&](float dt) {
		if (!leaving && UserWantsOut())
			leaving = true;
		float target = leaving ? 0.0f : 1.0f;
		gTableAlpha = std::clamp(gTableAlpha + (leaving ? -1 : 1) * TABLE_FADE_SPEED * dt, 0.0f, 1.0f);
		gBackingAlpha = gTableAlpha * BACKING_ALPHA;
		SetTableAlpha(gTableAlpha);
		return leaving && gTableAlpha <= target;
	});
	DeleteTableNodes();
	FlushInputEvents();
}

namespace
{
	const TextEntryState* gNameEntryShown = nullptr;
}

const TextEntryState* NameEntryShown()
{
	return gNameEntryShown;
}

void DoHighScoreEntry()
{
	if (gRun.score <= 0 || AutomatedRunSkipsScreens())
		return;

	LoadHighScores();
	PlaySong(SONG_HIGHSCORE, 0);
	int slot = FindHighScoreSlot(gHighScores, uint32_t(gRun.score), gRun.fromSavedGame, uint32_t(gRun.loadedGameScore));
	if (slot >= 0)
		InsertHighScore(gHighScores, slot, uint32_t(gRun.score));

	SetupScreenView({0.03f, 0.02f, 0.12f, 3000, false, 0, 800});
	MakeHighScoreScene();
	char scoreText[16];
	snprintf(scoreText, sizeof(scoreText), "%ld", long(gRun.score));
	MakeText(GetString(STR_YOUR_SCORE), 0, -90, HIGH_SCORE_YOUR_SCORE_SCALE, TITLE_COLOR, TEXTMESH_ALIGN_CENTER);
	MakeHighScorePlate(0, 22, 400, 110, TABLE_SLOT - 2);		// the big digits hang below their y
	ObjNode* bigScore = MakeText(scoreText, 0, 0, 2.0f, SCORE_COLOR, TEXTMESH_ALIGN_CENTER);
	RunScreenLoop(slot >= 0 ? SCORE_SECONDS_WITH_SLOT : SCORE_SECONDS_WITHOUT, 1000, nullptr);

	if (slot >= 0)
	{
		DeleteObject(bigScore);
		for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
			if (node->Genre == TEXTMESH_GENRE || node->Slot == TABLE_SLOT - 2)
				node->StatusBits |= STATUS_BIT_HIDDEN;
		MakeBacking();
		gBackingAlpha = BACKING_ALPHA;
		ObjNode* nameNode = ShowHighScoresTable(slot);
		MakeText(GetString(STR_ENTER_NAME), 0, 185, HIGH_SCORE_ENTER_NAME_SCALE, TITLE_COLOR, TEXTMESH_ALIGN_CENTER);
		float rowY = ROW_TOP + ROW_STEP * float(slot);
		ObjNode* cursor = MakeText("|", NAME_X - CURSOR_GAP, rowY, ROW_SCALE, NEW_ROW_COLOR, TEXTMESH_ALIGN_LEFT);
		FlushInputEvents();

		TextEntryState entry;
		StartTextEntry(&entry);
		gNameEntryShown = &entry;
		TextMesh_Update(entry.name, TEXTMESH_ALIGN_LEFT, nameNode);
		float clock = 0;
		RunFrames(nullptr, [&](float dt) {
			clock += dt;
			if (StepTextEntry(&entry, ReadTextEntryControls(), dt))
			{
				TextMesh_Update(entry.name, TEXTMESH_ALIGN_LEFT, nameNode);
				cursor->Coord.x = TextMesh_GetCharX(entry.name, entry.cursor) * 0.5f * ROW_SCALE + NAME_X - CURSOR_GAP;
				UpdateObjectTransforms(cursor);
			}
			// The cursor blinks while there is somewhere to go; at the end of a
			// typed name it keeps out of the way.
			bool blink = gUserPrefersGamepad || entry.cursor < MAX_NAME_LENGTH;
			cursor->ColorFilter.a = blink ? (std::sin(clock * 10) + 1) * 0.5f * 0.7f + 0.3f : 0.0f;
			return entry.done;
		});
		gNameEntryShown = nullptr;
		GetEnteredName(entry, gHighScores[slot].name);
		SaveHighScores();
	}
	EndScreen();
	DisposeHighScoreScene();
}
