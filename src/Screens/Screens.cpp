// The start-up notice, the level intro, the lose and win screens, and the
// frame loop and view every screen shares.
#include "Screens/Screens.h"
#include "Screens/ScreenModels.h"
#include "Screens/ScreensLogic.h"
#include "3D/BG3D.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "3D/Sprites.h"
#include "3D/TextMesh.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/Fade.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "System/Objects.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/Strings.h"

#include <cmath>
#include <cstdio>

namespace
{
	constexpr float TEXT_SLOT = 5100;
	constexpr float SCREEN_FADE_IN_SPEED = 2.0f;		// per second
	constexpr float LOSE_BELT_START_X = -2200;			// humans step on this far left of the belt's middle
	// The belt (1500 long) and the machine at its right end are placed
	// round the origin so the camera can frame them edge to edge.
	constexpr float LOSE_BELT_X = 0;
	constexpr float LOSE_MACHINE_X = 550;
	constexpr float LOSE_MACHINE_MOUTH_X = LOSE_MACHINE_X - 150;	// captives shrink away from here
	constexpr float LOSE_SWALLOW_DISTANCE = 300;		// units inside the mouth a captive takes to vanish
	constexpr float LOSE_BELT_SPEED = 260;				// units per second
	constexpr float LOSE_HUMAN_EVERY = 2.2f;			// seconds between captives
	constexpr float LOSE_HUMAN_SCALE = 2.0f;
	constexpr float WIN_PANEL_SECONDS = 6;				// each closing panel

	ObjNode* MakeText(const char* text, float x, float y, float scale, OGLColorRGBA color, int align = TEXTMESH_ALIGN_CENTER)
	{
		ObjectDef def = {};
		def.coord = {x, y, 0};
		def.slot = int16_t(TEXT_SLOT);
		def.scale = scale;
		ObjNode* node = TextMesh_New(text, align, &def);
		node->ColorFilter = color;
		return node;
	}

	ObjNode* MakeModel(int type, OGLPoint3D where, float scale, ObjNodeRoutine move = nullptr, int slot = 100)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(type);
		def.coord = where;
		def.slot = int16_t(slot);
		def.flags = STATUS_BIT_DONTCULL;
		def.moveCall = move;
		def.scale = scale;
		return MakeNewDisplayGroupObject(&def);
	}

	// A picture from the screen's sprite set, `w` × `h` overlay units
	// centred on (x, y). Slots below the models' put it behind the scene.
	ObjNode* MakePicture(int type, float x, float y, float w, float h, int slot = TEXT_SLOT - 1)
	{
		ObjectDef def = {};
		def.group = SPRITE_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(type);
		def.coord = {x - w * 0.5f, y - h * 0.5f, 0};
		def.slot = int16_t(slot);
		def.scale = 1;
		ObjNode* node = MakeSpriteObject(&def);
		node->Scale = {w, h, 1};
		UpdateObjectTransforms(node);
		return node;
	}

	void Spin(ObjNode* node)
	{
		node->Rot.y += node->SpecialF[0] * gFrameTime;
		UpdateObjectTransforms(node);
	}
}

const ScreenText kScreenTexts[] =
{
	{STR_LEGAL_NOTICE, LEGAL_NOTICE_SCALE},
	{STR_LEGAL_NOTICE_2, LEGAL_NOTICE_2_SCALE},
	{STR_LEVEL_NAME_FIRST + 0, LEVEL_NAME_SCALE}, {STR_LEVEL_NAME_FIRST + 1, LEVEL_NAME_SCALE},
	{STR_LEVEL_NAME_FIRST + 2, LEVEL_NAME_SCALE}, {STR_LEVEL_NAME_FIRST + 3, LEVEL_NAME_SCALE},
	{STR_LEVEL_NAME_FIRST + 4, LEVEL_NAME_SCALE}, {STR_LEVEL_NAME_FIRST + 5, LEVEL_NAME_SCALE},
	{STR_LEVEL_NAME_FIRST + 6, LEVEL_NAME_SCALE}, {STR_LEVEL_NAME_FIRST + 7, LEVEL_NAME_SCALE},
	{STR_LEVEL_NAME_FIRST + 8, LEVEL_NAME_SCALE}, {STR_LEVEL_NAME_FIRST + 9, LEVEL_NAME_SCALE},
	{STR_SLOT_LEVEL, LEVEL_NUMBER_SCALE},
	{STR_GAME_OVER, GAME_OVER_SCALE},
	{STR_WIN_TITLE, WIN_TITLE_SCALE},
	{STR_WIN_PANEL_FIRST + 0, WIN_PANEL_TEXT_SCALE},
	{STR_WIN_PANEL_FIRST + 1, WIN_PANEL_TEXT_SCALE},
	{STR_WIN_PANEL_FIRST + 2, WIN_PANEL_TEXT_SCALE},
};
const int kNumScreenTexts = int(sizeof(kScreenTexts) / sizeof(kScreenTexts[0]));

//
// Shared
//

void SetupScreenView(const ScreenViewParams& params)
{
	OGLSetupInput setup;
	OGL_DefaultSetupInput(&setup);
	setup.clearBackBuffer = true;
	setup.clearColor = {params.clearR, params.clearG, params.clearB, 1};
	setup.useFog = params.fog;
	setup.fogStart = params.yon * 0.5f;
	setup.fogEnd = params.yon;
	setup.hither = 10;
	setup.yon = params.yon;
	setup.fov = 1.0f;
	setup.from = {0, params.fromY, params.fromZ};
	setup.to = {0, params.toY, 0};
	setup.ambientColor = {0.35f, 0.35f, 0.4f, 1};
	setup.numFillLights = 1;
	setup.fillDirection[0] = {0.4f, -0.6f, -0.7f};
	setup.fillColor[0] = {1.0f, 0.95f, 0.9f, 1};
	OGL_SetupWindow(&setup);
	StartFade(true, SCREEN_FADE_IN_SPEED);
}

float RunScreenLoop(float seconds, float lockSeconds, void (*everyFrame)(float time))
{
	float time = 0;
	UpdateInput();
	MeasureFrameTime();
	for (;;)
	{
		UpdateInput();
		MeasureFrameTime();
		MoveObjects();
		if (everyFrame)
			everyFrame(time);
		OGL_DrawScene(DrawObjects);
		time += gFrameTime;
		if (seconds > 0 && time >= seconds)
			break;
		if (time >= lockSeconds && UserWantsOut())
			break;
	}
	return time;
}

void EndScreen()
{
	FadeOutScene(DrawObjects, nullptr);
	// Everything a screen loaded goes (nothing outlives a screen or a level).
	DeleteAllObjects();
	FreeAllSkeletonFiles(-1);
	DisposeAllSpriteGroups();
	DeleteAllBG3DContainers();
	OGL_DisposeWindowSetup();
	FlushInputEvents();
}

//
// Start-up notice
//

void DoLegalScreen()
{
	SetupScreenView({0, 0, 0, 2000, false, 0, 600});
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, NUM_LEGAL_SPRITES, LEGAL_SPRITE_SET);
	MakePicture(LEGAL_SPRITE_PANEL, 0, 0, 560, 280);
	MakeText(GetString(STR_LEGAL_NOTICE), 0, -20, LEGAL_NOTICE_SCALE, {1, 1, 1, 1});
	MakeText(GetString(STR_LEGAL_NOTICE_2), 0, 20, LEGAL_NOTICE_2_SCALE, {0.8f, 0.85f, 1, 1});
	MakeText("version 4.0.1", 0, 80, 0.5f, {0.3f, 0.5f, 0.2f, 1});
	RunScreenLoop(LEGAL_SCREEN_SECONDS, 0, nullptr);
	EndScreen();
}

//
// Level intro
//

bool AutomatedRunSkipsScreens()
{
	return gRunOptions.startLevel >= 0;
}

bool LevelIntroIsShown()
{
	return !gSkipFluff && !AutomatedRunSkipsScreens() && !CurrentLevelHasRule(LEVEL_RULE_NO_INTRO);
}

float LevelIntroSeconds()
{
	return CurrentLevelHasRule(LEVEL_RULE_SHORT_INTRO) ? LEVEL_INTRO_SHORT_SECONDS : LEVEL_INTRO_SECONDS;
}

namespace
{
	void MoveIntroSaucer(ObjNode* node)
	{
		node->SpecialF[1] += gFrameTime;
		node->Coord.x = -900 + node->SpecialF[1] * 160;
		node->Coord.y = 120 + std::sin(node->SpecialF[1] * 2) * 30;
		node->Rot.y += 2 * gFrameTime;
		UpdateObjectTransforms(node);
	}
}

void DoLevelIntro()
{
	if (!LevelIntroIsShown())
		return;

	SetupScreenView({0.02f, 0.02f, 0.06f, 5000, false, 100, 1400});
	LoadBG3D(LEVELINTRO_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);

	ObjNode* planet = MakeModel(LEVELINTRO_MODEL_PLANET, {0, -380, -200}, 1.0f, Spin);
	planet->SpecialF[0] = 0.15f;
	MakeModel(LEVELINTRO_MODEL_SAUCER, {-900, 120, 200}, 1.0f, MoveIntroSaucer);

	// The level's name in a colour drawn from its own sky.
	const float* sky = CurrentLevelDef().view.clearColor;
	const OGLColorRGBA color = {0.5f + 0.5f * sky[0], 0.5f + 0.5f * sky[1], 0.5f + 0.5f * sky[2], 1};
	char number[48];
	snprintf(number, sizeof(number), "%s %d", GetString(STR_SLOT_LEVEL), gCurrentLevel + 1);
	MakeText(number, 0, -150, LEVEL_NUMBER_SCALE, {1, 1, 0.7f, 1});
	MakeText(GetString(STR_LEVEL_NAME_FIRST + gCurrentLevel), 0, -100, LEVEL_NAME_SCALE, color);

	RunScreenLoop(LevelIntroSeconds(), 0, nullptr);
	EndScreen();
}

//
// Lose screen
//

namespace
{
	LoseBelt gBelt;
	float gNextHumanTimer;

	void MoveBeltHuman(ObjNode* node)
	{
		node->Coord.x += LOSE_BELT_SPEED * gFrameTime;
		// Into the machine: shrink away, then free the slot.
		if (node->Coord.x > LOSE_MACHINE_MOUTH_X)
		{
			const float s = std::fmax(0.0f, LOSE_HUMAN_SCALE * (1.0f - (node->Coord.x - LOSE_MACHINE_MOUTH_X) / LOSE_SWALLOW_DISTANCE));
			node->Scale = {s, s, s};
			if (s <= 0)
			{
				TakeHumanOffBelt(&gBelt, node->Special[0]);
				DeleteObject(node);
				return;
			}
		}
		UpdateObjectTransforms(node);
	}

	void LoseFrame(float)
	{
		gNextHumanTimer -= gFrameTime;
		if (gNextHumanTimer > 0)
			return;
		gNextHumanTimer = LOSE_HUMAN_EVERY;
		const int slot = PutNewHumanOnBelt(&gBelt);
		if (slot < 0)
			return;		// the belt is full: this one is skipped
		const int kind = RandomRange(0, 3);
		ObjNode* human = MakeModel(LOSESCREEN_MODEL_HUMAN_FIRST + kind, {LOSE_BELT_X + LOSE_BELT_START_X * 0.5f, 10, 0}, LOSE_HUMAN_SCALE,
				MoveBeltHuman);
		human->Rot.y = -1.5707964f;
		human->Special[0] = slot;
		UpdateObjectTransforms(human);
		if (IsSoundEffectLoaded(EFFECT_TRANSFORM))
			PlayEffect(EFFECT_TRANSFORM);
	}
}

void DoLoseScreen()
{
	if (AutomatedRunSkipsScreens())
		return;
	PlaySong(SONG_LOSE, SONG_FLAG_PLAY_ONCE);
	LoadSoundBank(SOUND_BANK_LOSE);
	// Close enough that belt and machine span even a 4:3 screen.
	SetupScreenView({0.12f, 0.02f, 0.1f, 6000, true, 420, 1050, 240});
	LoadBG3D(LOSESCREEN_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, NUM_LOSE_SPRITES, LOSE_SPRITE_SET);
	MakePicture(LOSE_SPRITE_BACKDROP, 0, 0, g2DLogicalWidth, LOGICAL_SCREEN_HEIGHT, 10);
	MakePicture(LOSE_SPRITE_BANNER, 0, -170, 400, 100);

	gBelt = LoseBelt{};
	gNextHumanTimer = 0;
	MakeModel(LOSESCREEN_MODEL_BELT, {LOSE_BELT_X, 0, 0}, 1.0f);
	MakeModel(LOSESCREEN_MODEL_MACHINE, {LOSE_MACHINE_X, 0, 0}, 1.0f);
	// Solid warm yellow on the red banner (a glowing text would add itself
	// onto the red and wash out).
	ObjNode* gameOver = MakeText(GetString(STR_GAME_OVER), 0, -170, GAME_OVER_SCALE, {1, 0.9f, 0.35f, 1});
	gameOver->StatusBits &= ~STATUS_BIT_GLOW;
	if (IsSoundEffectLoaded(EFFECT_CONVEYORBELT))
		PlayEffect(EFFECT_CONVEYORBELT);

	RunScreenLoop(LOSE_SCREEN_SECONDS, 0, LoseFrame);
	EndScreen();
	DisposeSoundBank(SOUND_BANK_LOSE);
}

//
// Win screen
//

namespace
{
	bool gWinTitleShown;
	ObjNodeRef gWinTitleText;		// under the earth in the first phase; the panels' texts take its place

	void FadeInTitle(ObjNode* node)
	{
		node->ColorFilter.a = std::fmin(1.0f, node->ColorFilter.a + 0.5f * gFrameTime);
		Spin(node);
	}

	void WinFrame(float time)
	{
		if (!gWinTitleShown && time >= WIN_LOCK_SECONDS)
		{
			gWinTitleShown = true;
			ObjNode* title = MakeModel(WINSCREEN_MODEL_TITLE, {0, 430, 0}, 1.4f, FadeInTitle, 200);
			title->ColorFilter.a = 0;
			title->SpecialF[0] = 0.3f;
			gWinTitleText = ObjNodeRef(MakeText(GetString(STR_WIN_TITLE), 0, 185, WIN_TITLE_SCALE, {1, 1, 0.5f, 1}));
		}
	}

	int gWinPanel;
	ObjNodeRef gWinPanelText;
	ObjNodeRef gWinPanelPicture;

	void WinPanelsFrame(float time)
	{
		const int panel = std::min(2, int(time / WIN_PANEL_SECONDS));
		if (panel == gWinPanel)
			return;
		gWinPanel = panel;
		if (ObjNode* old = gWinPanelText.Get())
			DeleteObject(old);
		if (ObjNode* old = gWinPanelPicture.Get())
			DeleteObject(old);
		gWinPanelPicture = ObjNodeRef(MakePicture(WIN_PANEL_SPRITE_FIRST + panel, 0, -10, 230, 230));
		gWinPanelText = ObjNodeRef(MakeText(GetString(STR_WIN_PANEL_FIRST + panel), 0, 150, WIN_PANEL_TEXT_SCALE, {1, 1, 1, 1}));
	}
}

void DoWinScreen()
{
	if (AutomatedRunSkipsScreens())
		return;
	PlaySong(SONG_WIN, SONG_FLAG_PLAY_ONCE);
	// The earth fills the middle of the screen with the robot circling in front.
	SetupScreenView({0.0f, 0.05f, 0.15f, 8000, false, 250, 1350, 60});
	LoadBG3D(WINSCREEN_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);

	ObjNode* earth = MakeModel(WINSCREEN_MODEL_EARTH, {0, -100, -300}, 1.0f, Spin);
	earth->SpecialF[0] = 0.25f;
	ObjNode* robot = MakeModel(WINSCREEN_MODEL_ROBOT, {350, 0, 300}, 1.0f, Spin);
	robot->SpecialF[0] = -0.6f;

	gWinTitleShown = false;
	gWinTitleText.Clear();
	RunScreenLoop(WIN_PHASE1_SECONDS, WIN_LOCK_SECONDS, WinFrame);

	// The closing panels, one after another.
	if (ObjNode* title = gWinTitleText.Get())
		DeleteObject(title);
	gWinTitleText.Clear();
	gWinPanel = -1;
	gWinPanelText.Clear();
	gWinPanelPicture.Clear();
	LoadSpriteGroup(SPRITE_GROUP_LEVELSPECIFIC, NUM_WIN_PANEL_SPRITES, WIN_PANEL_SPRITE_SET);
	RunScreenLoop(WIN_PHASE2_SECONDS, 0, WinPanelsFrame);
	EndScreen();
}
