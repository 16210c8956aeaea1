// The main menu: eight choices on a turntable, the things floating behind
// it, the information picture, the credits, and the hand-over to the game.
#include "Screens/Screens.h"
#include "Screens/ScreenWatch.h"
#include "Screens/FrontEndHooks.h"
#include "Screens/Menu.h"
#include "Screens/ScreenModels.h"
#include "Screens/ScreensLogic.h"
#include "Screens/SettingsMenu.h"
#include "3D/BG3D.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "3D/Sprites.h"
#include "3D/TextMesh.h"
#include "System/Boot.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/InputVirtual.h"
#include "System/LevelShow.h"
#include "System/Replays.h"
#include "System/Objects.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/Strings.h"

#include <SDL.h>
#include <cmath>

namespace
{
	constexpr float TWO_PI = 6.2831853f;
	constexpr float TURNTABLE_RADIUS = 420;		// units
	constexpr float TURNTABLE_Y = -60;
	constexpr float TURNTABLE_TOP = 20;			// the table's top above its model's origin
	constexpr float TURN_EASE = 6.0f;			// per second: how fast the shown angle follows
	constexpr int NUM_BACKGROUND_BITS = 120;
	constexpr float INTRO_SECONDS = 2.5f;
	constexpr float INFO_FADE_RATE = 1.4f;		// alpha per second
	constexpr float DRIFTER_SPEED = 300;		// units per second
	constexpr float INFO_PICTURE_Z = 450;		// in front of the turntable, 800 from the camera
	constexpr float INFO_CAMERA_Y = 280, INFO_CAMERA_Z = 1250;	// the menu's camera: the turntable fills the middle

	const int kChoiceText[NUM_MAIN_MENU_CHOICES] = {STR_NEW_GAME, STR_LOAD_GAME, STR_INFORMATION, STR_QUIT, STR_CREDITS,
			STR_HIGH_SCORES, STR_REPLAYS, STR_SETTINGS};
	const int kChoiceModel[NUM_MAIN_MENU_CHOICES] = {MAINMENU_MODEL_CHOICE_FIRST + 0, MAINMENU_MODEL_CHOICE_FIRST + 1,
			MAINMENU_MODEL_CHOICE_FIRST + 2, MAINMENU_MODEL_CHOICE_FIRST + 3, MAINMENU_MODEL_CHOICE_FIRST + 4,
			MAINMENU_MODEL_CHOICE_FIRST + 5, MAINMENU_MODEL_CHOICE_REPLAYS, MAINMENU_MODEL_CHOICE_FIRST + 6};
	// The characters riding the turntable between the choices, each in its
	// first animation: the hero, a farmer, the bee woman, the clown, the mantis
	// and a brain alien.
	constexpr int kFigureTypes[] = {SKELETON_TYPE_QUOG, SKELETON_TYPE_FARMER, SKELETON_TYPE_BEEWOMAN, SKELETON_TYPE_CLOWN,
			SKELETON_TYPE_MANTIS, SKELETON_TYPE_BRAINALIEN};
	constexpr int NUM_FIGURES = int(sizeof(kFigureTypes) / sizeof(kFigureTypes[0]));
	constexpr float FIGURE_HEIGHT = 190;			// units each figure is scaled to stand
	constexpr float FIGURE_RADIUS = 0.78f;			// share of the turntable's radius they stand at
	const OGLColorRGBA kBitColors[4] = {{1, 0.4f, 0.4f, 1}, {0.4f, 1, 0.5f, 1}, {0.4f, 0.6f, 1, 1}, {1, 0.9f, 0.4f, 1}};

	struct MainMenuState
	{
		int choice = 0;
		float targetAngle = 0;
		float shownAngle = 0;
		ObjNodeRef choices[NUM_MAIN_MENU_CHOICES];
		ObjNodeRef label;
		ObjNodeRef title;
		ObjNodeRef figures[NUM_FIGURES];
		float drifterTimer = 4;
		bool introDone = false;
	};
	MainMenuState gMain;
	AttractTimer gAttract;				// kept across visits: the demos take the levels in turn
	bool gMainMenuShownBefore = false;
	bool gMainMenuWaiting = false;		// the turntable waits for a choice

	ObjNode* MakeMenuModel(int type, OGLPoint3D where, float scale, ObjNodeRoutine move)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(type);
		def.coord = where;
		def.slot = 100;
		def.flags = STATUS_BIT_DONTCULL;
		def.moveCall = move;
		def.scale = scale;
		return MakeNewDisplayGroupObject(&def);
	}

	void MoveBackgroundBit(ObjNode* node)
	{
		node->Rot.x += node->SpecialF[0] * gFrameTime;
		node->Rot.y += node->SpecialF[1] * gFrameTime;
		UpdateObjectTransforms(node);
	}

	void MoveDrifter(ObjNode* node)
	{
		node->Coord.x += node->Delta.x * gFrameTime;
		node->Rot.y += gFrameTime;
		node->Rot.z += 0.5f * gFrameTime;
		if (std::fabs(node->Coord.x) > 2200)
		{
			DeleteObject(node);
			return;
		}
		UpdateObjectTransforms(node);
	}

	// Places the choices round the turntable; the chosen one faces us.
	void PlaceTurntable()
	{
		for (int i = 0; i < NUM_MAIN_MENU_CHOICES; i++)
		{
			ObjNode* node = gMain.choices[i].Get();
			if (!node)
				continue;
			const float a = float(i) * TWO_PI / NUM_MAIN_MENU_CHOICES - gMain.shownAngle;
			node->Coord = {std::sin(a) * TURNTABLE_RADIUS, TURNTABLE_Y, std::cos(a) * TURNTABLE_RADIUS};
			const float s = (i == gMain.choice) ? 1.15f : 0.85f;
			node->Scale = {s, s, s};
			node->Rot.y += 0.8f * gFrameTime;
			UpdateObjectTransforms(node);
		}
		// The figures stand between the choices, facing out.
		for (int i = 0; i < NUM_FIGURES; i++)
		{
			ObjNode* node = gMain.figures[i].Get();
			if (!node)
				continue;
			const float a = (float(i) + 0.5f) * TWO_PI / NUM_MAIN_MENU_CHOICES - gMain.shownAngle;
			node->Coord.x = std::sin(a) * TURNTABLE_RADIUS * FIGURE_RADIUS;
			node->Coord.z = std::cos(a) * TURNTABLE_RADIUS * FIGURE_RADIUS;
			node->Rot.y = a + 3.1415927f;
			UpdateObjectTransforms(node);
		}
	}

	void MakeFigures()
	{
		for (int i = 0; i < NUM_FIGURES; i++)
		{
			ObjectDef def = {};
			def.type = uint8_t(kFigureTypes[i]);
			def.slot = 100;
			def.flags = STATUS_BIT_DONTCULL;
			def.scale = 1;
			ObjNode* node = MakeNewSkeletonBaseData(&def, 0);
			// Every rig has its own size: each stands the same height on the table's top.
			const float height = std::fmax(node->BBox.max.y - node->BBox.min.y, 1.0f);
			const float scale = FIGURE_HEIGHT / height;
			node->Scale = {scale, scale, scale};
			node->Coord.y = TURNTABLE_Y - 90 + TURNTABLE_TOP - node->BBox.min.y * scale;
			gMain.figures[i] = ObjNodeRef(node);
		}
	}

	constexpr OGLColorRGBA LABEL_COLOR = {1, 1, 0.7f, 1};		// cream

	// The name of the current choice under the turntable, built afresh so a
	// language chosen in the settings shows at once. Text nodes glow (add
	// onto what lies behind them) by default; over the blue backdrop that
	// turned the cream nearly white, so the label blends normally instead.
	void ShowChoiceLabel()
	{
		if (ObjNode* old = gMain.label.Get())
			DeleteObject(old);
		ObjectDef def = {};
		def.coord = {0, 190, 0};
		def.slot = 5100;
		def.scale = 0.9f;
		ObjNode* label = TextMesh_New(GetString(kChoiceText[gMain.choice]), TEXTMESH_ALIGN_CENTER, &def);
		label->StatusBits &= ~STATUS_BIT_GLOW;
		label->ColorFilter = LABEL_COLOR;
		gMain.label = ObjNodeRef(label);
	}

	// Menus and pictures opened from the turntable cover the scene; the
	// label would read through them.
	void HideChoiceLabel()
	{
		if (ObjNode* old = gMain.label.Get())
			DeleteObject(old);
		gMain.label.Clear();
	}

	// Runs every frame, in the menu's own loop and under the menus it opens.
	void MainMenuFrame()
	{
		float d = gMain.targetAngle - gMain.shownAngle;
		gMain.shownAngle += d * std::fmin(1.0f, TURN_EASE * gFrameTime);
		PlaceTurntable();

		gMain.drifterTimer -= gFrameTime;
		if (gMain.drifterTimer <= 0)
		{
			gMain.drifterTimer = RandomFloatRange(3, 6);
			const bool fromLeft = RandomFloat() < 0.5f;
			ObjNode* node = MakeMenuModel(MAINMENU_MODEL_DRIFTER_FIRST + RandomRange(0, MAINMENU_NUM_DRIFTERS - 1),
					{fromLeft ? -2100.0f : 2100.0f, RandomFloatRange(-200, 400), -600}, 1.0f, MoveDrifter);
			node->Delta.x = fromLeft ? DRIFTER_SPEED : -DRIFTER_SPEED;
		}
	}

	void MainMenuMenusMove()
	{
		MainMenuFrame();
	}

	void BuildScene()
	{
		SetupScreenView({0.05f, 0.1f, 0.25f, 6000, true, INFO_CAMERA_Y, INFO_CAMERA_Z});
		LoadBG3D(MAINMENU_MODEL_FILE, MODEL_GROUP_LEVELSPECIFIC);
		LoadBG3D(":Models:global.bg3d", MODEL_GROUP_GLOBAL);
		LoadSpriteGroup(SPRITE_GROUP_SPHEREMAPS, NUM_SPHEREMAP_SPRITES, SPRITE_SET_SPHEREMAPS);
		for (int type : kFigureTypes)
			LoadASkeleton(type);
		// The hero and the brain alien shine as they do in play.
		for (int type : {SKELETON_TYPE_QUOG, SKELETON_TYPE_BRAINALIEN})
			BG3D_SphereMapGeomteryMaterial(int16_t(MODEL_GROUP_SKELETONBASE + type), 0, -1, MULTI_TEXTURE_COMBINE_ADD,
					SPHEREMAP_CHROME_GLINT);
		LoadSoundBank(SOUND_BANK_MENU);
		PlaySong(SONG_THEME, SONG_FLAG_START_PAUSED);

		for (int i = 0; i < NUM_BACKGROUND_BITS; i++)
		{
			ObjNode* bit = MakeMenuModel(MAINMENU_MODEL_BACKGROUND_BIT,
					{RandomFloatRange(-1600, 1600), RandomFloatRange(-600, 600), -500}, RandomFloatRange(0.1f, 0.3f),
					MoveBackgroundBit);
			bit->ColorFilter = kBitColors[RandomRange(0, 3)];
			bit->SpecialF[0] = RandomFloatSigned();
			bit->SpecialF[1] = RandomFloatSigned();
		}

		gMain = MainMenuState{};
		for (int i = 0; i < NUM_MAIN_MENU_CHOICES; i++)
			gMain.choices[i] = ObjNodeRef(MakeMenuModel(kChoiceModel[i], {0, 0, 0}, 1.0f, nullptr));
		MakeMenuModel(MAINMENU_MODEL_TURNTABLE, {0, TURNTABLE_Y - 90, 0}, 1.0f, nullptr);
		MakeFigures();
		gMain.title = ObjNodeRef(MakeMenuModel(MAINMENU_MODEL_TITLE, {0, 330, 0}, 1.0f, nullptr));

		ShowChoiceLabel();
		PlaceTurntable();
	}

	void RunFrame()
	{
		UpdateInput();
		MeasureFrameTime();
		MoveObjects();
		MainMenuFrame();
		OGL_DrawScene(DrawObjects);
	}

	// The title drops in the first time the menu is shown in a run.
	void RunIntro()
	{
		ObjNode* title = gMain.title.Get();
		if (gMainMenuShownBefore || gSkipFluff || !title)
			return;
		if (IsSoundEffectLoaded(EFFECT_AMBIENCE))
			PlayEffect(EFFECT_AMBIENCE);
		for (float t = 0; t < INTRO_SECONDS; t += gFrameTime)
		{
			const float k = 1.0f - t / INTRO_SECONDS;
			title->Coord.y = 330 + 900 * k * k;
			UpdateObjectTransforms(title);
			RunFrame();
			if (UserWantsOut())
				break;
		}
		title->Coord.y = 330;
		UpdateObjectTransforms(title);
	}

	void ShowInfoPicture()
	{
		if (IsSoundEffectLoaded(EFFECT_ACCENTDRONE1))
			PlayEffect(RandomFloat() < 0.5f ? EFFECT_ACCENTDRONE1 : EFFECT_ACCENTDRONE2);
		// The glow is a halo behind the picture (in front it washed the picture
		// out); both draw over the turntable whatever pokes forward from it,
		// the glow first. Both lean back to face the camera, which looks down.
		ObjNode* glow = MakeMenuModel(MAINMENU_MODEL_INFO_GLOW, {0, 60, INFO_PICTURE_Z - 40}, 1.0f, nullptr);
		ObjNode* picture = MakeMenuModel(MAINMENU_MODEL_INFO_PICTURE, {0, 60, INFO_PICTURE_Z}, 1.0f, nullptr);
		for (ObjNode* node : {picture, glow})
		{
			node->Rot.x = -std::atan2(INFO_CAMERA_Y - 60.0f, INFO_CAMERA_Z - INFO_PICTURE_Z);
			node->StatusBits |= STATUS_BIT_NOLIGHTING | STATUS_BIT_NOZBUFFER | STATUS_BIT_NOZWRITES;
			UpdateObjectTransforms(node);
		}
		glow->StatusBits |= STATUS_BIT_GLOW;
		float alpha = 0;
		bool leaving = false;
		while (!leaving || alpha > 0)
		{
			if (!leaving)
				alpha = std::fmin(1.0f, alpha + INFO_FADE_RATE * gFrameTime);
			else
				alpha -= INFO_FADE_RATE * gFrameTime;
			picture->ColorFilter.a = std::fmax(alpha, 0.0f);
			glow->ColorFilter.a = std::fmax(0.0f, 0.7f * alpha * (0.8f + RandomFloat() * 0.2f));
			RunFrame();
			if (!leaving && UserWantsOut())
				leaving = true;
		}
		DeleteObject(picture);
		DeleteObject(glow);
	}

	void ShowCredits()
	{
		if (IsSoundEffectLoaded(EFFECT_ACCENTDRONE1))
			PlayEffect(RandomFloat() < 0.5f ? EFFECT_ACCENTDRONE1 : EFFECT_ACCENTDRONE2);
		StartMenu(kCreditsMenu, &kCreditsMenuStyle, MainMenuMenusMove, DrawObjects);
	}

	// A level shown for watching (the demo, a replay) takes the menu's place:
	// the menu's scene goes, the level plays, and the menu is built again as
	// it was left.
	void PlayInsteadOfMenu(void (*play)())
	{
		const int choice = gMain.choice;
		HideChoiceLabel();
		gMainMenuWaiting = false;
		EndScreen();
		DisposeSoundBank(SOUND_BANK_MENU);
		play();
		BuildScene();
		PlaySong(SONG_THEME, 0);
		gMain.choice = choice;
		gMain.targetAngle = gMain.shownAngle = float(choice) * TWO_PI / NUM_MAIN_MENU_CHOICES;
		ShowChoiceLabel();
		PlaceTurntable();
		gMainMenuWaiting = true;
	}

	// Left alone, the menu plays a demo: the autopilot plays the next level
	// in turn with its song, under a "Demo" caption, until a press, the demo's
	// clock or the level's end.
	void PlayAttractDemo()
	{
		PlayLevelShow(AttractTakeNextLevel(&gAttract, NUM_LEVELS), STR_DEMO, ATTRACT_DEMO_SECONDS,
				{gBootHooks.startDemoPilot, gBootHooks.stopDemoPilot});
	}

	// Runs the chosen entry; true when a game is to start.
	bool RunChoice(int choice)
	{
		switch (choice)
		{
			case MAIN_MENU_NEW_GAME:
			{
				auto held = [](int scancode) { return GetKeyState(scancode); };
				const int level = ChooseNewGameLevel(held, GetNeedState(NEED_UI_BACK) && GetNeedState(NEED_UI_START));
				if (level == NEW_GAME_LEVEL_SELECT)
				{
					const int chosen = DoLevelSelectCheat();
					if (chosen < 0)
						return false;
					gCurrentLevel = chosen;
				}
				else
				{
					gCurrentLevel = level;
				}
				return true;
			}
			case MAIN_MENU_LOAD_GAME:
				return SaveSlotScreen(SAVE_SLOT_MODE_LOAD, DrawObjects);
			case MAIN_MENU_INFO:
				ShowInfoPicture();
				return false;
			case MAIN_MENU_QUIT:
				QuitGame();
			case MAIN_MENU_CREDITS:
				ShowCredits();
				return false;
			case MAIN_MENU_HIGH_SCORES:
				PlaySong(SONG_HIGHSCORE, 0);
				ShowHighScoresScreen(DrawObjects);
				PlaySong(SONG_THEME, 0);
				return false;
			case MAIN_MENU_SETTINGS:
				DoSettingsScreen(MainMenuMenusMove, DrawObjects);
				return false;
			case MAIN_MENU_REPLAYS:
				if (ChooseReplay(MainMenuMenusMove, DrawObjects))
					PlayInsteadOfMenu(PlayLoadedReplay);
				return false;
		}
		return false;
	}
}

namespace
{
	MenuItem CreditsItem(int kind, int text)
	{
		MenuItem m;
		m.kind = kind;
		m.text = text;
		return m;
	}
}

// Each role heading follows a half-row gap so the sections read apart; under
// each, who did that role's work (the game's contributors, or the baker that
// makes the content from code), localized like every other row.
const MenuItem kCreditsMenu[] =
{
	CreditsItem(MENU_ITEM_TITLE, STR_CREDITS),
	CreditsItem(MENU_ITEM_SPACER, -1),
	CreditsItem(MENU_ITEM_SUBTITLE, STR_CREDITS_ROLE_FIRST + 0), CreditsItem(MENU_ITEM_LABEL, STR_CREDITS_LINE_FIRST + 0),
	CreditsItem(MENU_ITEM_SPACER, -1),
	CreditsItem(MENU_ITEM_SUBTITLE, STR_CREDITS_ROLE_FIRST + 1), CreditsItem(MENU_ITEM_LABEL, STR_CREDITS_LINE_FIRST + 1),
	CreditsItem(MENU_ITEM_SPACER, -1),
	CreditsItem(MENU_ITEM_SUBTITLE, STR_CREDITS_ROLE_FIRST + 2), CreditsItem(MENU_ITEM_LABEL, STR_CREDITS_LINE_FIRST + 2),
	CreditsItem(MENU_ITEM_SPACER, -1),
	CreditsItem(MENU_ITEM_SUBTITLE, STR_CREDITS_ROLE_FIRST + 3), CreditsItem(MENU_ITEM_LABEL, STR_CREDITS_LINE_FIRST + 3),
	CreditsItem(MENU_ITEM_SPACER, -1),
	CreditsItem(MENU_ITEM_SUBTITLE, STR_CREDITS_ROLE_FIRST + 4), CreditsItem(MENU_ITEM_LABEL, STR_CREDITS_LINE_FIRST + 4),
	MenuItem{},
};

// Any acknowledgement closes the credits.
const MenuStyle kCreditsMenuStyle = []
{
	MenuStyle style = kDefaultMenuStyle;
	style.isInteractive = false;
	style.centered = true;
	return style;
}();

const MenuItem* LevelSelectMenu()
{
	static MenuItem menu[NUM_LEVELS + 3];
	menu[0].kind = MENU_ITEM_TITLE;
	menu[0].text = STR_LEVEL_SELECT;
	menu[1].kind = MENU_ITEM_SPACER;
	for (int i = 0; i < NUM_LEVELS; i++)
	{
		menu[2 + i].kind = MENU_ITEM_PICK;
		menu[2 + i].text = STR_LEVEL_NAME_FIRST + i;
		menu[2 + i].pick = i;
	}
	menu[NUM_LEVELS + 2] = MenuItem{};
	return menu;
}

int DoLevelSelectCheat()
{
	return StartMenu(LevelSelectMenu(), nullptr, nullptr, DrawObjects);
}

int MainMenuChoiceShown()
{
	return gMainMenuWaiting ? gMain.choice : -1;
}

void DoMainMenu()
{
	if (AutomatedRunSkipsScreens())
	{
		gCurrentLevel = 0;
		return;
	}
	BuildScene();
	RunIntro();
	gMainMenuShownBefore = true;
	PlaySong(SONG_THEME, 0);

	gMainMenuWaiting = true;
	gAttract.idleSeconds = 0;
	for (;;)
	{
		RunFrame();
		// Anything held or pressed, by a person or a driver, is not idle.
		const bool inputSeen = PersonPressedThisUpdate() || GetLastInputFrame().needsHeld != 0;
		if (AttractTimerTick(&gAttract, gFrameTime, inputSeen) && gBootHooks.startDemoPilot)
		{
			PlayInsteadOfMenu(PlayAttractDemo);
			continue;
		}
		if (GetNewNeedState(NEED_UI_LEFT) || GetNewNeedState(NEED_UI_NEXT))
		{
			gMain.choice = StepMainMenuChoice(gMain.choice, -1);
			gMain.targetAngle -= TWO_PI / NUM_MAIN_MENU_CHOICES;
			if (IsSoundEffectLoaded(EFFECT_MENUCHANGE))
				PlayEffect(EFFECT_MENUCHANGE);
			ShowChoiceLabel();
		}
		else if (GetNewNeedState(NEED_UI_RIGHT) || GetNewNeedState(NEED_UI_PREV))
		{
			gMain.choice = StepMainMenuChoice(gMain.choice, +1);
			gMain.targetAngle += TWO_PI / NUM_MAIN_MENU_CHOICES;
			if (IsSoundEffectLoaded(EFFECT_MENUCHANGE))
				PlayEffect(EFFECT_MENUCHANGE);
			ShowChoiceLabel();
		}
		else if (GetNewNeedState(NEED_UI_CONFIRM) || GetNewNeedState(NEED_UI_START))
		{
			HideChoiceLabel();
			gMainMenuWaiting = false;
			if (RunChoice(gMain.choice))
				break;
			gMainMenuWaiting = true;
			ShowChoiceLabel();
		}
	}

	EndScreen();
	DisposeSoundBank(SOUND_BANK_MENU);
}
