// The start-up notice, the level intro, the lose and win screens, and the
// frame loop and view every screen shares.
#include "Screens/Screens.h"
#include "Screens/ScreenModels.h"
#include "Screens/ScreensLogic.h"
#include "3D/BG3D.h"
#include "3D/OGL_Support.h"
#include "3D/TextMesh.h"
#include "System/Automation.h"
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

	void Spin(ObjNode* node)
	{
		node->Rot.y += node->SpecialF[0] * gFrameTime;
		UpdateObjectTransforms(node);
	}
}

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
	setup.to = {0, 0, 0};
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
	DeleteAllObjects();
	if (BG3D_GetNumModels(MODEL_GROUP_LEVELSPECIFIC) > 0)		// the notice loads no models
		DisposeBG3DContainer(MODEL_GROUP_LEVELSPECIFIC);
	OGL_DisposeWindowSetup();
	FlushInputEvents();
}

//
// Start-up notice
//

void DoLegalScreen()
{
	SetupScreenView({0, 0, 0, 2000, false, 0, 600});
	MakeText(GetString(STR_LEGAL_NOTICE), 0, -40, 0.55f, {1, 1, 1, 1});
	MakeText(GetString(STR_LEGAL_NOTICE_2), 0, 0, 0.45f, {0.8f, 0.8f, 0.8f, 1});
	MakeText("version 4.0.1", 0, 120, 0.5f, {0.3f, 0.5f, 0.2f, 1});
	RunScreenLoop(LEGAL_SCREEN_SECONDS, 0, nullptr);
	EndScreen();
}

//
// Level intro
//

bool AutomatedRunSkipsScreens()
{
	return gAutomation.startLevel >= 0;
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
	MakeText(number, 0, -150, 0.6f, {1, 1, 0.7f, 1});
	MakeText(GetString(STR_LEVEL_NAME_FIRST + gCurrentLevel), 0, -100, 1.2f, color);

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
		if (node->Coord.x > -150)
		{
			const float s = std::fmax(0.0f, LOSE_HUMAN_SCALE * (1.0f - (node->Coord.x + 150) / 300));
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
		ObjNode* human = MakeModel(LOSESCREEN_MODEL_HUMAN_FIRST + kind, {LOSE_BELT_START_X * 0.5f, 40, 0}, LOSE_HUMAN_SCALE,
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
	SetupScreenView({0.12f, 0.02f, 0.1f, 6000, true, 500, 1600});
	LoadBG3D(LOSESCREEN_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);

	gBelt = LoseBelt{};
	gNextHumanTimer = 0;
	MakeModel(LOSESCREEN_MODEL_BELT, {-400, 0, 0}, 1.0f);
	MakeModel(LOSESCREEN_MODEL_MACHINE, {150, 0, 0}, 1.0f);
	MakeText(GetString(STR_GAME_OVER), 0, -170, 1.3f, {1, 0.3f, 0.3f, 1});
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
			ObjNode* title = MakeModel(WINSCREEN_MODEL_TITLE, {0, 260, 0}, 1.0f, FadeInTitle, 200);
			title->ColorFilter.a = 0;
			title->SpecialF[0] = 0.3f;
			MakeText(GetString(STR_WIN_TITLE), 0, -170, 1.0f, {1, 1, 0.5f, 1});
		}
	}

	int gWinPanel;
	ObjNodeRef gWinPanelText;

	void WinPanelsFrame(float time)
	{
		const int panel = std::min(2, int(time / WIN_PANEL_SECONDS));
		if (panel == gWinPanel)
			return;
		gWinPanel = panel;
		if (ObjNode* old = gWinPanelText.Get())
			DeleteObject(old);
		gWinPanelText = ObjNodeRef(MakeText(GetString(STR_WIN_PANEL_FIRST + panel), 0, 150, 0.6f, {1, 1, 1, 1}));
	}
}

void DoWinScreen()
{
	if (AutomatedRunSkipsScreens())
		return;
	PlaySong(SONG_WIN, SONG_FLAG_PLAY_ONCE);
	SetupScreenView({0.0f, 0.05f, 0.15f, 8000, false, 300, 1800});
	LoadBG3D(WINSCREEN_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);

	ObjNode* earth = MakeModel(WINSCREEN_MODEL_EARTH, {0, -100, -300}, 1.0f, Spin);
	earth->SpecialF[0] = 0.25f;
	ObjNode* robot = MakeModel(WINSCREEN_MODEL_ROBOT, {350, 0, 300}, 1.0f, Spin);
	robot->SpecialF[0] = -0.6f;

	gWinTitleShown = false;
	RunScreenLoop(WIN_PHASE1_SECONDS, WIN_LOCK_SECONDS, WinFrame);

	// The closing panels, one after another.
	gWinPanel = -1;
	gWinPanelText.Clear();
	RunScreenLoop(WIN_PHASE2_SECONDS, 0, WinPanelsFrame);
	EndScreen();
}
